#include "support/Faults.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "app/Windows.h"
#include "app/frmAvvio.h"
#include "base/CardNotifier.h"
#include "chart/frmDentalCondition.h"
#include "ui/HintStrip.h"
#include "ui/PictureButton.h"
#include "patients/frmClients.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "ui/CardSave.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QKeyEvent>
#include <QTestEventList>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int R = 13315;

// The patient record as it lies in the file: each field's control, offset and capacity.
struct Slot
{
    QByteArray control;
    int offset;
    int capacity;
};

QList<Slot> layout()
{
    QList<Slot> table = {
        {"txtName", 0, 250},           {"txtGender", 251, 1},
        {"txtBirthDate", 253, 10},     {"txtBirthPlace", 264, 50},
        {"txtStreet", 315, 250},       {"txtCity", 566, 50},
        {"txtState", 617, 50},         {"txtZip", 668, 30},
        {"txtCitizenship", 699, 50},   {"txtTaxNumber", 750, 50},
        {"txtSSN", 801, 50},           {"txtEmail", 852, 50},
        {"txtHomePhone", 903, 30},     {"txtMobilePhone", 934, 30},
        {"txtOccupation", 965, 50},    {"txtWork", 1016, 250},
        {"txtPathologies", 1267, 250}, {"txtDrugs", 1518, 250},
        {"txtAllergies", 1769, 250},   {"txtProblems", 2020, 250},
        {"txtIssues", 2271, 250},      {"txtCommunication", 2522, 250},
        {"txtDentist", 2773, 250},     {"txtTimes", 3024, 250},
        {"txtStatus", 3275, 250},      {"txtNotes", 3526, 250},
    };
    for (int tooth = 1; tooth <= 32; ++tooth)
        table.append({"txtDente" + QByteArray::number(tooth).rightJustified(2, '0'), 3777 + (tooth - 1) * 251, 250});
    for (int i = 1; i <= 3; ++i)
        table.append({"lblFile0" + QByteArray::number(i), 11809 + (i - 1) * 251, 250});
    for (int i = 1; i <= 3; ++i)
        table.append({"lblDesc0" + QByteArray::number(i), 12562 + (i - 1) * 251, 250});
    return table;
}

// The text of one field of a record in the file, as raw bytes.
QByteArray fieldBytes(const QByteArray &record, const Slot &slot)
{
    const int length = static_cast<unsigned char>(record.at(slot.offset));
    return record.mid(slot.offset + 1, length);
}

// The teeth and the attachments live in the card's record (no control shows them): by
// their names, txtDente01 to txtDente32, lblFile01 to lblFile03 and lblDesc01 to lblDesc03.
// The index of one in the card's tooth or attachment texts; -1 for any other name.
int recordOnly(const QByteArray &name, bool &tooth)
{
    tooth = name.startsWith("txtDente");
    if (tooth)
        return name.mid(8).toInt() - 1;
    if (name.startsWith("lblFile"))
        return name.mid(7).toInt() - 1;
    if (name.startsWith("lblDesc"))
        return 3 + name.mid(7).toInt() - 1;
    return -1;
}

QString controlText(TfrmClients *w, const QByteArray &name)
{
    bool tooth = false;
    if (const int i = recordOnly(name, tooth); i >= 0)
        return (tooth ? w->toothTexts() : w->attachmentTexts()).value(i);
    QObject *o = w->findChild<QObject *>(QString::fromLatin1(name));
    if (auto *edit = qobject_cast<QLineEdit *>(o))
        return edit->text();
    if (auto *label = qobject_cast<QLabel *>(o))
        return label->text();
    qWarning("no control %s", name.constData());
    return {};
}

void setControlText(TfrmClients *w, const QByteArray &name, const QString &text)
{
    bool tooth = false;
    if (const int i = recordOnly(name, tooth); i >= 0) {
        QStringList texts = tooth ? w->toothTexts() : w->attachmentTexts();
        texts[i] = text;
        tooth ? w->setToothTexts(texts) : w->setAttachmentTexts(texts);
        return;
    }
    QObject *o = w->findChild<QObject *>(QString::fromLatin1(name));
    if (auto *edit = qobject_cast<QLineEdit *>(o))
        edit->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(o))
        label->setText(text);
    else
        qWarning("no control %s", name.constData());
}

// Every one of the 64 data controls' texts, by name.
QMap<QByteArray, QString> cardTexts(TfrmClients *w)
{
    QMap<QByteArray, QString> texts;
    for (const Slot &slot : layout())
        texts.insert(slot.control, controlText(w, slot.control));
    return texts;
}

// A record with the given name and mobile number, and a text in one tooth and one attachment.
TPatientRecord patient(const QString &name, const QString &mobile = QStringLiteral("3331234567"))
{
    QStringList teeth(32);
    teeth[13] = QStringLiteral("Otturazione ") + name;
    return patientRecord({.name = name,
                          .city = QStringLiteral("Bologna"),
                          .mobilePhone = mobile,
                          .teeth = teeth,
                          .attachments = {name + QStringLiteral(".pdf"), {}, {}, QStringLiteral("Radiografia")}});
}

void writeArchive(TestWorld &, const QList<TPatientRecord> &records) { writeRecords(kPatientArchive, records); }

QByteArray recordAt(TestWorld &world, int position) { return world.read(kPatientArchive).mid((position - 1) * R, R); }

// The patient card as the user reaches it: the main menu's ARCHIVIO PAZIENTI.
TfrmClients *openCard(TestWorld &world)
{
    world.windows();
    world.windows().frmAvvio()->show();
    world.windows().frmAvvio()->imgApp01Click();
    TfrmClients *w = world.windows().frmClients();
    QApplication::setActiveWindow(w);
    return w;
}

void showRecord(TfrmClients *w, const TPatientRecord &record, int position) { w->loadCard(position, record); }

QString info(const QString &text) { return QStringLiteral("information: ") + text; }
QString warning(const QString &text) { return QStringLiteral("warning: ") + text; }

const QString kEmpty = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kFailure = QStringLiteral("error: Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                                        "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                                        "installazione del programma.");

// A key that types a character outside ASCII, as an Italian keyboard's "à" key does.
class TypeChar : public QTestEvent
{
public:
    explicit TypeChar(QChar c) : m_char(c) {}
    void simulate(QWidget *w) override
    {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(m_char));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(m_char));
        QApplication::sendEvent(w, &release);
    }
    QTestEvent *clone() const override { return new TypeChar(m_char); }

private:
    QChar m_char;
};

} // namespace

class TestPatients : public QObject
{
    Q_OBJECT

private slots:
    void opensFromMainMenuAndCloses();
    void firstOnMissingArchiveThenSaveCreatesRecordOne();
    void browsing_data();
    void browsing();
    void browsingEmptyArchive_data();
    void browsingEmptyArchive();
    void saveAppendsThenOverwrites();
    void twoCopiesSaveOneCard_data();
    void twoCopiesSaveOneCard();
    void saveRequiresNameThenMobile_data();
    void saveRequiresNameThenMobile();
    void savedRecordMatchesLayout();
    void loadFillsEveryControl();
    void longTextFromFileSurvivesEntryLimit();
    void newClearsTheWholeCard();
    void duplicateKeepsTeethDropsAttachments();
    void toothNoteFromTheChartReachesTheArchive();
    void duplicateOfNewCardIsRefused();
    void typingRules_data();
    void typingRules();
    void enterCycle();
    void tabLeavesDigitsOnlyFields();
    void fileFailures_data();
    void fileFailures();
    void readOnlyArchiveCanBeBrowsed_data();
    void readOnlyArchiveCanBeBrowsed();
    void namedPipeInPlaceOfTheArchiveFailsAtOnce();
    void saveWaitingForABackupSaysSo_data();
    void saveWaitingForABackupSaysSo();
    void saveBeyondEndOfShortenedArchiveFails();
    void hints_data();
    void hints();
    void eachButtonDoesItsOwnWork_data();
    void eachButtonDoesItsOwnWork();
    void stripEmptiesOverBackgroundOnly();
    void everyControlIsNamedForScreenReaders();
    void helpShowsTheTopic();
};

void TestPatients::opensFromMainMenuAndCloses()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    QVERIFY(w->isVisible());
    QVERIFY(!world.windows().frmAvvio()->isVisible());
    QCOMPARE(w->windowTitle(), QStringLiteral(" Sorrisa - Archivio Pazienti"));
    QCOMPARE(w->panInfo->text(), QStringLiteral("Pronto per registrare una nuova scheda..."));
    QCOMPARE(w->focusWidget(), w->txtName);
    QVERIFY(w->lblPosizione->text().isEmpty());

    // Unsaved work is dropped on closing; the card comes back empty.
    QTest::keyClicks(w->txtName, QStringLiteral("Rossi"));
    w->setPosition(4);
    setControlText(w, "lblFile02", QStringLiteral("x.pdf"));
    w->cmdCloseClick();
    QVERIFY(!w->isVisible());
    QVERIFY(world.windows().frmAvvio()->isVisible());
    QVERIFY(shownMessages().isEmpty());

    world.windows().frmAvvio()->imgApp01Click();
    QVERIFY(w->txtName->text().isEmpty());
    QVERIFY(controlText(w, "lblFile02").isEmpty());
    QVERIFY(w->lblPosizione->text().isEmpty());
    QVERIFY(!QFile::exists(world.file(kPatientArchive)));
}

void TestPatients::firstOnMissingArchiveThenSaveCreatesRecordOne()
{
    TestWorld world;
    TfrmClients *w = openCard(world);

    w->cmdFirstClick();
    QCOMPARE(shownMessages(), QStringList{info(kEmpty)});
    QVERIFY(QFile::exists(world.file(kPatientArchive)));
    QCOMPARE(world.read(kPatientArchive).size(), 0);

    QTest::keyClicks(w->txtName, QStringLiteral("Bianchi Anna"));
    QTest::keyClicks(w->txtMobilePhone, QStringLiteral("3471112223"));
    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kInserted)});
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("1"));
    const QByteArray file = world.read(kPatientArchive);
    QCOMPARE(file.size(), R);
    QCOMPARE(fieldBytes(file, layout().at(0)), QByteArray("Bianchi Anna"));
}

void TestPatients::browsing_data()
{
    QTest::addColumn<int>("start"); // 0: a new card being typed
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");

    QTest::newRow("next on a new card shows the first") << 0 << "next"
                                                        << "1"
                                                        << "UNO";
    QTest::newRow("next on the first") << 1 << "next"
                                       << "2"
                                       << "DUE";
    QTest::newRow("next on the last does nothing") << 3 << "next"
                                                   << "3"
                                                   << "changed";
    QTest::newRow("previous on the first does nothing") << 1 << "previous"
                                                        << "1"
                                                        << "changed";
    QTest::newRow("previous on a new card shows the first") << 0 << "previous"
                                                            << "1"
                                                            << "UNO";
    QTest::newRow("previous on the last") << 3 << "previous"
                                          << "2"
                                          << "DUE";
    QTest::newRow("first from the last") << 3 << "first"
                                         << "1"
                                         << "UNO";
    QTest::newRow("last on a new card") << 0 << "last"
                                        << "3"
                                        << "TRE";
    QTest::newRow("last on the first") << 1 << "last"
                                       << "3"
                                       << "TRE";
}

void TestPatients::browsing()
{
    QFETCH(int, start);
    QFETCH(QString, button);
    QFETCH(QString, position);
    QFETCH(QString, name);

    TestWorld world;
    const QList<TPatientRecord> records = {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE")),
                                           patient(QStringLiteral("TRE"))};
    writeArchive(world, records);
    const QByteArray before = world.read(kPatientArchive);
    TfrmClients *w = openCard(world);
    if (start > 0)
        showRecord(w, records[start - 1], start);
    // Unsaved changes go without a question when another card is shown.
    w->txtName->setText(QStringLiteral("changed"));
    w->txtNotes->setText(QStringLiteral("not saved"));
    w->txtCity->setFocus();

    if (button == QLatin1String("first"))
        w->cmdFirstClick();
    else if (button == QLatin1String("previous"))
        w->cmdPreviousClick();
    else if (button == QLatin1String("next"))
        w->cmdNextClick();
    else
        w->cmdLastClick();

    QCOMPARE(shownMessages(), QStringList());
    QCOMPARE(w->lblPosizione->text(), position);
    QCOMPARE(w->txtName->text(), name);
    if (name != QLatin1String("changed")) {
        QVERIFY(w->txtNotes->text().isEmpty());
        QCOMPARE(controlText(w, "txtDente14"), QStringLiteral("Otturazione ") + name);
        QCOMPARE(controlText(w, "lblFile01"), name + QStringLiteral(".pdf"));
    }
    QCOMPARE(w->focusWidget(), w->txtCity);
    QCOMPARE(world.read(kPatientArchive), before);
}

void TestPatients::browsingEmptyArchive_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("after");

    for (const char *button : {"first", "previous", "last"}) {
        QTest::addRow("%s on a new card", button) << button << ""
                                                  << "";
        QTest::addRow("%s on a card no longer in the file", button) << button << "2"
                                                                    << "2";
    }
    QTest::newRow("next on a new card") << "next"
                                        << ""
                                        << "";
    QTest::newRow("next empties the position") << "next"
                                               << "2"
                                               << "";
}

void TestPatients::browsingEmptyArchive()
{
    QFETCH(QString, button);
    QFETCH(QString, shown);
    QFETCH(QString, after);

    TestWorld world;
    world.write(kPatientArchive, QByteArray());
    TfrmClients *w = openCard(world);
    w->txtName->setText(QStringLiteral("Verdi"));
    w->setPosition(shown.toLongLong());
    const auto card = cardTexts(w);

    if (button == QLatin1String("first"))
        w->cmdFirstClick();
    else if (button == QLatin1String("previous"))
        w->cmdPreviousClick();
    else if (button == QLatin1String("next"))
        w->cmdNextClick();
    else
        w->cmdLastClick();

    QCOMPARE(shownMessages(), QStringList{info(kEmpty)});
    QCOMPARE(w->lblPosizione->text(), after);
    QCOMPARE(cardTexts(w), card);
}

void TestPatients::saveAppendsThenOverwrites()
{
    TestWorld world;
    writeArchive(world, {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
    const QByteArray firstTwo = world.read(kPatientArchive);
    TfrmClients *w = openCard(world);
    // The other windows hear of each save, with the card's position.
    QSignalSpy saved(&world.windows().notifier(), &CardNotifier::patientSaved);

    QTest::keyClicks(w->txtName, QStringLiteral("Neri Paolo"));
    QTest::keyClicks(w->txtMobilePhone, QStringLiteral("3209876543"));
    w->txtStreet->setFocus();
    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kInserted)});
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.takeFirst().at(0).toLongLong(), 3);
    QCOMPARE(w->focusWidget(), w->txtStreet);
    QCOMPARE(world.read(kPatientArchive).size(), 3 * R);

    QTest::keyClicks(w->txtCity, QStringLiteral("Modena"));
    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kUpdated)});
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.takeFirst().at(0).toLongLong(), 3);
    const QByteArray file = world.read(kPatientArchive);
    QCOMPARE(file.size(), 3 * R);
    QCOMPARE(file.left(2 * R), firstTwo);
    const QByteArray third = recordAt(world, 3);
    QCOMPARE(fieldBytes(third, layout().at(0)), QByteArray("Neri Paolo"));
    QCOMPARE(fieldBytes(third, layout().at(5)), QByteArray("Modena"));
}

// Two copies of the program on one shared folder save the same card: the second save asks
// whether to load the other copy's card (Sì), to overwrite it (No) or to save nothing (Annulla,
// Escape, the close box: the typed card stays, and the next save asks again), and either way
// nothing is lost unseen. A card nobody else saved is saved without a question. The answers
// that write nothing are given to the real box.
void TestPatients::twoCopiesSaveOneCard_data() { addChangedElsewhereRows(); }

void TestPatients::twoCopiesSaveOneCard()
{
    QFETCH(bool, otherSaves);
    QFETCH(QString, answer);
    TestWorld world;
    writeArchive(world, {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
    TfrmClients *w = openCard(world);
    w->cmdLastClick();
    QCOMPARE(w->txtName->text(), QStringLiteral("DUE"));
    if (otherSaves) {
        RecordCard<TPatientRecord> other(kPatientArchive); // the other copy, on the same file
        QCOMPARE(other.show(2), CardResult::Shown);
        other.record().City.setText(QStringLiteral("Parma"));
        QCOMPARE(other.save(), CardResult::Updated);
    }
    w->txtCity->setText(QStringLiteral("Modena"));
    const QString asked = QStringLiteral("confirmation: ") + kCardChangedElsewhere;
    const RealBox box = saveAnswering(answer, [w] { w->cmdSaveClick(); });
    if (!box.text.isEmpty()) {
        QCOMPARE(box.text, QString(kCardChangedElsewhere).replace(QLatin1String("\n\r"), QLatin1String("\n")));
        QStringList buttons = box.buttons;
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("Annulla"), QStringLiteral("No"), QStringLiteral("Sì")}));
        QCOMPARE(shownMessages(), QStringList());
        // Nothing written; the typed card stays, at its place; the next save asks again.
        QCOMPARE(fieldBytes(recordAt(world, 2), layout().at(5)), QByteArray("Parma"));
        QCOMPARE(w->txtCity->text(), QStringLiteral("Modena"));
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
        Messages::queueAnswer(Messages::Answer::No);
        w->cmdSaveClick();
        answer = QStringLiteral("No");
    }

    const QByteArray city = fieldBytes(recordAt(world, 2), layout().at(5));
    if (!otherSaves) {
        QCOMPARE(shownMessages(), QStringList{info(kUpdated)});
        QCOMPARE(city, QByteArray("Modena"));
    } else if (answer == QLatin1String("No")) {
        QCOMPARE(shownMessages(), (QStringList{asked, info(kUpdated)}));
        QCOMPARE(city, QByteArray("Modena"));
    } else {
        QCOMPARE(shownMessages(), QStringList{asked});
        QCOMPARE(city, QByteArray("Parma")); // kept, and now shown
        QCOMPARE(w->txtCity->text(), QStringLiteral("Parma"));
        QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
    }
    QCOMPARE(fieldBytes(recordAt(world, 2), layout().at(0)), QByteArray("DUE"));
    // The card is now the one in the archive: the next save asks nothing.
    w->txtNotes->setText(QStringLiteral("dopo"));
    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kUpdated)});
    QCOMPARE(fieldBytes(recordAt(world, 2), layout().at(5)), city);
}

void TestPatients::saveRequiresNameThenMobile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("mobile");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("focus");

    const QString name =
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del paziente.");
    const QString mobile =
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero di cellulare del paziente.");
    QTest::newRow("no name") << ""
                             << "333" << name << QByteArray("txtName");
    QTest::newRow("blank name, no mobile: the name first") << "   "
                                                           << "" << name << QByteArray("txtName");
    QTest::newRow("no mobile") << "Rossi"
                               << "" << mobile << QByteArray("txtMobilePhone");
    QTest::newRow("blank mobile") << "Rossi"
                                  << " \t " << mobile << QByteArray("txtMobilePhone");
}

void TestPatients::saveRequiresNameThenMobile()
{
    QFETCH(QString, name);
    QFETCH(QString, mobile);
    QFETCH(QString, message);
    QFETCH(QByteArray, focus);

    for (const QString &shown : {QString(), QStringLiteral("1")}) {
        TestWorld world;
        if (!shown.isEmpty())
            writeArchive(world, {patient(QStringLiteral("UNO"))});
        const QByteArray before = world.read(kPatientArchive);
        TfrmClients *w = openCard(world);
        w->setPosition(shown.toLongLong());
        w->txtName->setText(name);
        w->txtMobilePhone->setText(mobile);
        w->txtCity->setFocus();

        w->cmdSaveClick();
        QCOMPARE(shownMessages(), QStringList{warning(message)});
        QCOMPARE(w->focusWidget()->objectName().toLatin1(), focus);
        QCOMPARE(w->lblPosizione->text(), shown);
        QCOMPARE(QFile::exists(world.file(kPatientArchive)), !shown.isEmpty());
        QCOMPARE(world.read(kPatientArchive), before);
    }
}

void TestPatients::savedRecordMatchesLayout()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    QMap<QByteArray, QString> typed;
    for (const Slot &slot : layout())
        typed.insert(slot.control, QStringLiteral("Testo ") + QString::fromLatin1(slot.control.mid(3)));
    typed["txtName"] = QStringLiteral("  Rossi Mario  ");
    typed["txtGender"] = QStringLiteral("M");
    typed["txtBirthDate"] = QStringLiteral("01/02/1990");
    typed["txtZip"] = QStringLiteral("40100");
    typed["txtTaxNumber"] = QStringLiteral("RSSMRA90B01A944X");
    typed["txtSSN"] = QStringLiteral("01234567890");
    typed["txtMobilePhone"] = QStringLiteral("3330001112");
    typed["txtDente05"] = QString(260, QLatin1Char('x')) + QStringLiteral("tail");
    typed["txtDente06"] = QStringLiteral("\tCarie più € ");
    typed["lblDesc03"] = QStringLiteral("Referto (pagina 1 di 2)");
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        setControlText(w, it.key(), it.value());

    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kInserted)});
    const QByteArray record = world.read(kPatientArchive);
    QCOMPARE(record.size(), R);

    for (const Slot &slot : layout()) {
        QByteArray expected = typed[slot.control].trimmed().toLatin1();
        if (slot.control == "txtDente05")
            expected = QByteArray(250, 'x');
        else if (slot.control == "txtDente06")
            expected = QByteArray("Carie pi\xF9 \x80");
        QCOMPARE(fieldBytes(record, slot), expected);
        QVERIFY2(expected.size() <= slot.capacity, slot.control.constData());
    }
}

void TestPatients::loadFillsEveryControl()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    QByteArray bytes(R, '\0');
    QMap<QByteArray, QString> expected;
    int n = 0;
    for (const Slot &slot : layout()) {
        const QByteArray text = slot.capacity == 1 ? QByteArray("F") : "v" + QByteArray::number(++n);
        // Stored with blanks around it and rubbish after it: readers look only at the text.
        const QByteArray stored = slot.capacity >= 8 ? " " + text + "\t" : text;
        bytes[slot.offset] = char(stored.size());
        bytes.replace(slot.offset + 1, stored.size(), stored);
        if (slot.capacity > stored.size() + 2)
            bytes[slot.offset + 1 + stored.size()] = 'Z';
        expected.insert(slot.control, QString::fromLatin1(text));
    }
    TPatientRecord record;
    memcpy(recordBytes(record), bytes.constData(), R);
    w->setPosition(7);
    w->txtWork->setFocus();

    w->loadRecord(record);
    QCOMPARE(cardTexts(w), expected);
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("7"));
    QCOMPARE(w->focusWidget(), w->txtWork);

    // Stored again, the card gives the same texts field by field.
    TPatientRecord again{};
    w->fillRecord(again);
    const QByteArray back(recordBytes(again), R);
    for (const Slot &slot : layout())
        QCOMPARE(fieldBytes(back, slot), expected[slot.control].toLatin1());
}

void TestPatients::longTextFromFileSurvivesEntryLimit()
{
    TestWorld world;
    TPatientRecord r = patient(QString(120, QLatin1Char('N')));
    r.TaxNumber.setText(QStringLiteral("RSSMRA90B01A944X / vecchio formato"));
    writeArchive(world, {r});
    TfrmClients *w = openCard(world);
    w->cmdFirstClick();
    QCOMPARE(w->txtName->text().size(), 120);
    QCOMPARE(w->txtTaxNumber->text(), QStringLiteral("RSSMRA90B01A944X / vecchio formato"));
    // Typing still cannot make it longer.
    w->txtName->end(false);
    QTest::keyClicks(w->txtName, QStringLiteral("abc"));
    QCOMPARE(w->txtName->text().size(), 120);

    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kUpdated)});
    QCOMPARE(fieldBytes(world.read(kPatientArchive), layout().at(0)), QByteArray(120, 'N'));

    // A new card types within the limits again.
    w->cmdNewClick();
    QTest::keyClicks(w->txtName, QString(60, QLatin1Char('a')));
    QCOMPARE(w->txtName->text(), QString(50, QLatin1Char('a')));
}

void TestPatients::newClearsTheWholeCard()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    for (const Slot &slot : layout())
        setControlText(w, slot.control, QStringLiteral("1"));
    w->setPosition(5);
    w->panInfo->setText(QStringLiteral("Salva la scheda corrente."));
    w->txtNotes->setFocus();

    w->cmdNewClick();
    for (const QString &text : cardTexts(w))
        QVERIFY(text.isEmpty());
    QVERIFY(w->lblPosizione->text().isEmpty());
    QCOMPARE(w->focusWidget(), w->txtName);
    QCOMPARE(w->panInfo->text(), QStringLiteral("Salva la scheda corrente."));
    QVERIFY(shownMessages().isEmpty());
    QVERIFY(!QFile::exists(world.file(kPatientArchive)));
}

void TestPatients::duplicateKeepsTeethDropsAttachments()
{
    TestWorld world;
    TPatientRecord second = patient(QStringLiteral("DUE"));
    for (int tooth = 1; tooth <= 32; ++tooth)
        second.dente(tooth).setText(QStringLiteral("Dente %1 sano").arg(tooth));
    second.File02.setText(QStringLiteral("panoramica.jpg"));
    second.Desc03.setText(QStringLiteral("solo descrizione"));
    writeArchive(world, {patient(QStringLiteral("UNO")), second, patient(QStringLiteral("TRE"))});
    const QByteArray recordTwo = recordAt(world, 2);
    TfrmClients *w = openCard(world);
    w->cmdFirstClick();
    w->cmdNextClick();
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
    w->txtCity->setFocus();

    w->cmdDuplicateClick();
    QCOMPARE(shownMessages(),
             QStringList{info(QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                             "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio."))});
    QVERIFY(w->lblPosizione->text().isEmpty());
    QCOMPARE(w->focusWidget(), w->txtName);
    for (const char *name : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"})
        QVERIFY(controlText(w, name).isEmpty());
    QCOMPARE(w->txtName->text(), QStringLiteral("DUE"));
    QCOMPARE(w->txtCity->text(), QStringLiteral("Bologna"));

    w->txtName->setText(QStringLiteral("DUE junior"));
    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kInserted)});
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("4"));
    const QByteArray copy = recordAt(world, 4);
    for (const Slot &slot : layout()) {
        if (slot.control.startsWith("txtDente"))
            QCOMPARE(fieldBytes(copy, slot), fieldBytes(recordTwo, slot));
        else if (slot.control.startsWith("lbl"))
            QVERIFY(fieldBytes(copy, slot).isEmpty());
    }
    QCOMPARE(fieldBytes(copy, layout().at(0)), QByteArray("DUE junior"));
    QCOMPARE(recordAt(world, 2), recordTwo);
}

// A note typed in the dental chart, opened from the card: "Applica e chiudi", then the card's
// "Salva", and the note lies in the card's record in the archive file, the rest unchanged.
void TestPatients::toothNoteFromTheChartReachesTheArchive()
{
    TestWorld world;
    writeArchive(world, {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
    const QByteArray first = recordAt(world, 1);
    const QByteArray second = recordAt(world, 2);
    TfrmClients *w = openCard(world);
    w->cmdLastClick();
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("2"));
    Modal::takeOpened();

    Modal::queue([](QWidget *window) {
        auto *chart = qobject_cast<TfrmDentalCondition *>(window);
        QVERIFY(chart);
        QCOMPARE(chart->txtDente(14)->text(), QStringLiteral("Otturazione DUE"));
        chart->txtDente(11)->setFocus();
        QTest::keyClicks(chart->txtDente(11), QStringLiteral(" Carie distale profonda "));
        QTest::mouseClick(chart->btnClose, Qt::LeftButton); // "Applica e chiudi"
    });
    QTest::mouseClick(w->btnCondition, Qt::LeftButton);
    QCOMPARE(Modal::takeOpened(), QStringList{QStringLiteral("frmDentalCondition")});
    QTest::mouseClick(w->cmdSave, Qt::LeftButton);
    QCOMPARE(shownMessages(), QStringList{info(kUpdated)});

    QCOMPARE(world.read(kPatientArchive).size(), 2 * R);
    QCOMPARE(recordAt(world, 1), first);
    const QByteArray saved = recordAt(world, 2);
    for (const Slot &slot : layout()) {
        if (slot.control == "txtDente11")
            QCOMPARE(fieldBytes(saved, slot), QByteArray("Carie distale profonda"));
        else
            QCOMPARE(fieldBytes(saved, slot), fieldBytes(second, slot));
    }
}

void TestPatients::duplicateOfNewCardIsRefused()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    w->txtName->setText(QStringLiteral("Gialli"));
    setControlText(w, "lblFile01", QStringLiteral("a.pdf"));
    const auto card = cardTexts(w);
    w->cmdDuplicateClick();
    QCOMPARE(shownMessages(), QStringList{warning(QStringLiteral(
                                  "Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa "
                                  "è stata inserita in archivio."))});
    QCOMPARE(cardTexts(w), card);
}

void TestPatients::typingRules_data()
{
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QString>("expected");

    auto typed = [](const QString &text) {
        QTestEventList keys;
        keys.addKeyClicks(text);
        return keys;
    };
    auto row = [](const char *name, const char *field, const QTestEventList &keys, const QString &expected) {
        QTest::newRow(name) << QByteArray(field) << keys << expected;
    };

    row("sex in upper case", "txtGender", typed("m"), "M");
    row("sex holds one character", "txtGender", typed("fm"), "F");
    row("sex drops a blank", "txtGender", typed(" "), "");
    row("tax code in upper case", "txtTaxNumber", typed("rssmra80a01h501u"), "RSSMRA80A01H501U");
    row("tax code stops at 16", "txtTaxNumber", typed("rssmra80a01h501uxyz"), "RSSMRA80A01H501U");
    QTestEventList accented;
    accented.append(new TypeChar(QChar(0xE0)));
    accented.addKeyClicks("bc");
    row("tax code leaves accented letters", "txtTaxNumber", accented, QStringLiteral("àBC"));
    QTestEventList middle = typed("ac");
    middle.addKeyClick(Qt::Key_Left);
    middle.addKeyClicks("bd");
    row("tax code typed in the middle", "txtTaxNumber", middle, "ABDC");
    row("e-mail loses blanks at the ends", "txtEmail", typed(" mario@studio.it "), "mario@studio.it");
    row("e-mail blank typed at the end has no effect", "txtEmail", typed("a b"), "ab");
    row("mobile keeps the digits of +39", "txtMobilePhone", typed("+39 333abc"), "39333");
    QTestEventList left = typed("123");
    left.addKeyClick(Qt::Key_Left);
    left.addKeyClicks("9");
    row("mobile left arrow", "txtMobilePhone", left, "1293");
    QTestEventList back = typed("123");
    back.addKeyClick(Qt::Key_Backspace);
    row("mobile backspace", "txtMobilePhone", back, "12");
    QTestEventList del = typed("123");
    del.addKeyClick(Qt::Key_Left);
    del.addKeyClick(Qt::Key_Left);
    del.addKeyClick(Qt::Key_Delete);
    row("mobile delete", "txtMobilePhone", del, "13");
    QTestEventList home = typed("12");
    home.addKeyClick(Qt::Key_Home);
    home.addKeyClicks("3");
    row("mobile drops Home", "txtMobilePhone", home, "123");
    QTestEventList end = typed("123");
    end.addKeyClick(Qt::Key_Left);
    end.addKeyClick(Qt::Key_Left);
    end.addKeyClick(Qt::Key_End);
    end.addKeyClicks("4");
    row("mobile drops End", "txtMobilePhone", end, "1423");
    QTestEventList paste = typed("12");
    paste.addKeyClick(Qt::Key_A, Qt::ControlModifier);
    paste.addKeyClick(Qt::Key_Backspace);
    row("mobile drops shortcuts", "txtMobilePhone", paste, "1");
    row("VAT number stops at 11 digits", "txtSSN", typed("123456789012345"), "12345678901");
    row("VAT number drops letters", "txtSSN", typed("IT 0123"), "0123");
    row("name stops at 50", "txtName", typed(QString(60, QLatin1Char('a'))), QString(50, QLatin1Char('a')));
    row("name is free text", "txtName", typed("  de Rossi "), "  de Rossi ");
    row("birth date stops at 10", "txtBirthDate", typed("10/12/19800"), "10/12/1980");
    row("street takes 250", "txtStreet", typed(QString(260, QLatin1Char('s'))), QString(250, QLatin1Char('s')));
}

void TestPatients::typingRules()
{
    QFETCH(QByteArray, field);
    QFETCH(QTestEventList, keys);
    QFETCH(QString, expected);

    TestWorld world;
    TfrmClients *w = openCard(world);
    auto *edit = control<QLineEdit>(w, field.constData());
    QVERIFY(edit);
    edit->setFocus();
    keys.simulate(edit);
    QCOMPARE(edit->text(), expected);
}

void TestPatients::enterCycle()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    const QList<QByteArray> cycle = {"txtName",   "txtGender",        "txtBirthDate", "txtBirthPlace",  "txtStreet",
                                     "txtCity",   "txtState",         "txtZip",       "txtCitizenship", "txtTaxNumber",
                                     "txtSSN",    "txtEmail",         "txtHomePhone", "txtMobilePhone", "txtOccupation",
                                     "txtWork",   "txtPathologies",   "txtDrugs",     "txtAllergies",   "txtProblems",
                                     "txtIssues", "txtCommunication", "txtDentist",   "txtTimes",       "txtStatus",
                                     "txtNotes"};
    for (qsizetype i = 0; i < cycle.size(); ++i) {
        auto *from = control<QLineEdit>(w, cycle[i].constData());
        from->setFocus();
        QTest::keyClick(from, i % 2 ? Qt::Key_Enter : Qt::Key_Return);
        QCOMPARE(w->focusWidget()->objectName().toLatin1(), cycle[(i + 1) % cycle.size()]);
        QVERIFY(from->text().isEmpty());
    }
}

void TestPatients::tabLeavesDigitsOnlyFields()
{
    // The digits-only fields drop every other key, but the keyboard must still get out of them.
    TestWorld world;
    TfrmClients *w = openCard(world);
    w->txtMobilePhone->setFocus();
    QTest::keyClick(w->txtMobilePhone, Qt::Key_Tab);
    QCOMPARE(w->focusWidget(), w->txtOccupation);
    w->txtSSN->setFocus();
    QTest::keyClick(w->txtSSN, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(w->focusWidget(), w->btnCodFisc);
}

void TestPatients::fileFailures_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shown");

    for (const char *setup : {"read-only folder", "folder gone", "archive is a folder"}) {
        QTest::addRow("%s: save a new card", setup) << setup << "save"
                                                    << "";
        QTest::addRow("%s: first", setup) << setup << "first"
                                          << "";
        QTest::addRow("%s: next", setup) << setup << "next"
                                         << "";
    }
    QTest::newRow("read-only archive: save over record 1") << "read-only archive"
                                                           << "save"
                                                           << "1";
}

// A write-protected archive (a stick, a read-only share) can still be browsed; only a save
// needs write access.
void TestPatients::readOnlyArchiveCanBeBrowsed_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");
    QTest::newRow("first") << "first"
                           << ""
                           << "1"
                           << "UNO";
    QTest::newRow("last") << "last"
                          << "1"
                          << "2"
                          << "DUE";
    QTest::newRow("previous") << "previous"
                              << "2"
                              << "1"
                              << "UNO";
    QTest::newRow("next") << "next"
                          << "1"
                          << "2"
                          << "DUE";
}

void TestPatients::readOnlyArchiveCanBeBrowsed()
{
    QFETCH(QString, button);
    QFETCH(QString, shown);
    QFETCH(QString, position);
    QFETCH(QString, name);

    TestWorld world;
    const QString folder = world.folder();
    writeArchive(world, {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
    const QByteArray before = world.read(kPatientArchive);
    TfrmClients *w = openCard(world);
    w->setPosition(shown.toLongLong());
    {
        WithoutOverride unprivileged;
        QVERIFY(::chmod(QFile::encodeName(world.file(kPatientArchive)).constData(), 0444) == 0);
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        if (button == QLatin1String("first"))
            w->cmdFirstClick();
        else if (button == QLatin1String("previous"))
            w->cmdPreviousClick();
        else if (button == QLatin1String("next"))
            w->cmdNextClick();
        else
            w->cmdLastClick();
        ::chmod(QFile::encodeName(folder).constData(), 0755);
        ::chmod(QFile::encodeName(world.file(kPatientArchive)).constData(), 0644);
    }
    QCOMPARE(shownMessages(), QStringList());
    QCOMPARE(w->lblPosizione->text(), position);
    QCOMPARE(w->txtName->text(), name);
    QCOMPARE(world.read(kPatientArchive), before);
}

void TestPatients::fileFailures()
{
    QFETCH(QString, setup);
    QFETCH(QString, button);
    QFETCH(QString, shown);

    TestWorld world;
    const QString folder = world.folder();
    if (setup == QLatin1String("read-only archive"))
        writeArchive(world, {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
    else if (setup == QLatin1String("archive is a folder"))
        QVERIFY(QDir(folder).mkdir(kPatientArchive));
    TfrmClients *w = openCard(world);
    const QByteArray before = world.read(kPatientArchive);
    w->txtName->setText(QStringLiteral("Bruni"));
    w->txtMobilePhone->setText(QStringLiteral("333"));
    w->setPosition(shown.toLongLong());
    const auto card = cardTexts(w);

    {
        WithoutOverride unprivileged;
        if (setup == QLatin1String("folder gone"))
            ProgramFolder::set(folder + QStringLiteral("gone"));
        if (setup.startsWith(QLatin1String("read-only"))) {
            ::chmod(QFile::encodeName(world.file(kPatientArchive)).constData(), 0444);
            QVERIFY(::chmod(QFile::encodeName(folder).constData(), 0555) == 0);
        }

        if (button == QLatin1String("save"))
            w->cmdSaveClick();
        else if (button == QLatin1String("first"))
            w->cmdFirstClick();
        else if (button == QLatin1String("previous"))
            w->cmdPreviousClick();
        else if (button == QLatin1String("next"))
            w->cmdNextClick();
        else
            w->cmdLastClick();

        ::chmod(QFile::encodeName(folder).constData(), 0755);
        ::chmod(QFile::encodeName(world.file(kPatientArchive)).constData(), 0644);
        ProgramFolder::set(folder);
    }

    QCOMPARE(shownMessages(), QStringList{kFailure});
    QCOMPARE(w->lblPosizione->text(), shown);
    QCOMPARE(cardTexts(w), card);
    QCOMPARE(world.read(kPatientArchive), before);
    QCOMPARE(QFileInfo(world.file(kPatientArchive)).isDir(), setup == QLatin1String("archive is a folder"));
    QCOMPARE(QFileInfo::exists(world.file(kPatientArchive)),
             setup == QLatin1String("read-only archive") || setup == QLatin1String("archive is a folder"));
}

// A named pipe in place of the archive (nobody writing at its other end): "Prima scheda" and a
// save say that the archive cannot be reached, at once, instead of waiting for ever.
void TestPatients::namedPipeInPlaceOfTheArchiveFailsAtOnce()
{
    TestWorld world;
    QVERIFY(::mkfifo(QFile::encodeName(world.file(kPatientArchive)).constData(), 0644) == 0);
    TfrmClients *w = openCard(world);
    w->cmdFirstClick();
    QCOMPARE(shownMessages(), QStringList{kFailure});
    w->txtName->setText(QStringLiteral("Bruni"));
    w->txtMobilePhone->setText(QStringLiteral("333"));
    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{kFailure});
    QCOMPARE(w->lblPosizione->text(), QString());
    QVERIFY(!QFileInfo(world.file(kPatientArchive)).isFile());
}

// A save while a backup reads the archive (its shared lock) waits for it: a busy pointer at
// once, after a second the notice, both gone when the wait ends. When the backup outlasts the
// wait, the message says that another program holds the archive (not that rights are
// missing), and nothing is written; the typed card stays.
void TestPatients::saveWaitingForABackupSaysSo_data()
{
    QTest::addColumn<bool>("backupEnds");
    QTest::newRow("the backup ends: the card is saved") << true;
    QTest::newRow("the backup goes on: another program holds the archive") << false;
}

void TestPatients::saveWaitingForABackupSaysSo()
{
    QFETCH(bool, backupEnds);
    TestWorld world;
    writeArchive(world, {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
    TfrmClients *w = openCard(world);
    w->cmdLastClick();
    const QByteArray before = world.read(kPatientArchive);
    CardSave::showLockWaits();
    RecordFile::setLockWait(backupEnds ? 30000 : 1500); // the notice comes after a second
    RecordFile backup(world.file(kPatientArchive), R);
    backup.open(RecordFile::Read);
    w->txtCity->setText(QStringLiteral("Modena"));
    QString notice;
    bool busy = false;
    QTimer poll; // runs while the save waits: the wait keeps the window painted
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, [&] {
        const QCursor *cursor = QApplication::overrideCursor();
        busy = busy || (cursor && cursor->shape() == Qt::WaitCursor);
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("frmAttendere") && top->isVisible()) {
                notice = static_cast<QLabel *>(top)->text();
                if (backupEnds)
                    backup.close();
            }
    });
    poll.start();
    w->cmdSaveClick();
    poll.stop();
    QVERIFY(busy);
    QCOMPARE(notice, QStringLiteral("Attendere: copia di sicurezza in corso…"));
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    const auto noticeShown = [] {
        const QWidgetList tops = QApplication::topLevelWidgets();
        return std::any_of(tops.cbegin(), tops.cend(), [](const QWidget *top) {
            return top->objectName() == QLatin1String("frmAttendere") && top->isVisible();
        });
    };
    QTRY_VERIFY(!noticeShown());
    if (backupEnds) {
        QCOMPARE(shownMessages(), QStringList{info(kUpdated)});
        QCOMPARE(fieldBytes(recordAt(world, 2), layout().at(5)), QByteArray("Modena"));
    } else {
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveHeld});
        QCOMPARE(world.read(kPatientArchive), before);
        QCOMPARE(w->txtCity->text(), QStringLiteral("Modena"));
    }
}

void TestPatients::saveBeyondEndOfShortenedArchiveFails()
{
    // The card shows record 3, but meanwhile the file was cut back to one record: writing at 3
    // would leave an empty, nameless record 2 behind.
    TestWorld world;
    writeArchive(world,
                 {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE")), patient(QStringLiteral("TRE"))});
    TfrmClients *w = openCard(world);
    w->cmdLastClick();
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
    writeArchive(world, {patient(QStringLiteral("UNO"))});

    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{kFailure});
    QCOMPARE(world.read(kPatientArchive).size(), R);
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));

    // Just past the end is still the card's own place.
    writeArchive(world, {patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
    w->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(kUpdated)});
    QCOMPARE(world.read(kPatientArchive).size(), 3 * R);
}

void TestPatients::eachButtonDoesItsOwnWork_data()
{
    // From card 3 of five, each button by its name and what it leaves: the position shown,
    // the name on the card, the messages, the windows opened, whether the card stays open.
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<bool>("open");

    const QString duplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                              "\n\r\n\rAl termine premere Salva per inserire la scheda in archivio.");
    QTest::newRow("cmdNew") << QByteArray("cmdNew") << ""
                            << "" << QStringList() << QStringList() << true;
    QTest::newRow("cmdDuplicate") << QByteArray("cmdDuplicate") << ""
                                  << "TRE" << QStringList{info(duplicated)} << QStringList() << true;
    QTest::newRow("cmdSave") << QByteArray("cmdSave") << "3"
                             << "TRE" << QStringList{info(kUpdated)} << QStringList() << true;
    QTest::newRow("cmdFirst") << QByteArray("cmdFirst") << "1"
                              << "UNO" << QStringList() << QStringList() << true;
    QTest::newRow("cmdPrevious") << QByteArray("cmdPrevious") << "2"
                                 << "DUE" << QStringList() << QStringList() << true;
    QTest::newRow("cmdNext") << QByteArray("cmdNext") << "4"
                             << "QUATTRO" << QStringList() << QStringList() << true;
    QTest::newRow("cmdLast") << QByteArray("cmdLast") << "5"
                             << "CINQUE" << QStringList() << QStringList() << true;
    QTest::newRow("cmdPrint") << QByteArray("cmdPrint") << "3"
                              << "TRE" << QStringList() << QStringList{"frmPrintClient"} << true;
    QTest::newRow("cmdHelp") << QByteArray("cmdHelp") << "3"
                             << "TRE" << QStringList() << QStringList{"frmGuida"} << true;
    QTest::newRow("cmdClose") << QByteArray("cmdClose") << "3"
                              << "TRE" << QStringList() << QStringList() << false;
}

void TestPatients::eachButtonDoesItsOwnWork()
{
    QFETCH(QByteArray, button);
    QFETCH(QString, position);
    QFETCH(QString, name);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, opened);
    QFETCH(bool, open);

    TestWorld world;
    QList<TPatientRecord> five;
    for (const char *n : {"UNO", "DUE", "TRE", "QUATTRO", "CINQUE"})
        five.append(patient(QString::fromLatin1(n)));
    writeArchive(world, five);
    TfrmClients *w = openCard(world);
    w->cmdLastClick();
    w->cmdPreviousClick();
    w->cmdPreviousClick();
    QCOMPARE(w->lblPosizione->text(), QStringLiteral("3"));
    Modal::takeOpened();
    if (!opened.isEmpty())
        Modal::queue([](QWidget *dialog) { dialog->close(); });

    control<PictureButton>(w, button.constData())->click();

    QCOMPARE(shownMessages(), messages);
    QCOMPARE(Modal::takeOpened(), opened);
    QCOMPARE(w->lblPosizione->text(), position);
    QCOMPARE(w->txtName->text(), name);
    QCOMPARE(w->isVisible(), open);
}

void TestPatients::hints_data()
{
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("hint");

    const char *const table[][2] = {
        {"cmdNew", "Prepara la schermata per la registrazione di una nuova scheda."},
        {"cmdDuplicate", "Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."},
        {"cmdSave", "Salva la scheda corrente."},
        {"cmdFind", "Trova schede in archivio."},
        {"cmdAttach", "Allega file alla scheda corrente."},
        {"cmdPrint", "Stampa la scheda corrente."},
        {"cmdFirst", "Visualizza la prima scheda in archivio."},
        {"cmdPrevious", "Visualizza la scheda precedente in archivio."},
        {"cmdNext", "Visualizza la scheda successiva in archivio."},
        {"cmdLast", "Visualizza l'ultima scheda in archivio."},
        {"cmdExport", "Esporta l'archivio in un file di Excel."},
        {"cmdDefaulting", "Visualizza il riepilogo delle questioni in sospeso con i pazienti."},
        {"cmdHelp", "Visualizza la guida in linea."},
        {"cmdClose", "Esci da questa schermata di lavoro."},
        {"btnCondition", "Registra o modifica lo stato dentale del paziente."},
        {"btnHistory", "Registra o modifica i trattamenti dentali eseguiti sul paziente."},
        {"btnFolder", "Apri la cartella associata al paziente."},
        {"btnEmail", "Invia e-mail al paziente."},
        {"icoIssues", "Informazioni sulle questioni in sospeso con il paziente."},
        {"btnCodFisc", "Controlla il codice fiscale."},
        {"btnPartitaIva", "Controlla il numero di partita IVA."},
    };
    for (const auto &entry : table)
        QTest::newRow(entry[0]) << QByteArray(entry[0]) << QString::fromUtf8(entry[1]);
}

void TestPatients::hints()
{
    QFETCH(QByteArray, button);
    QFETCH(QString, hint);

    TestWorld world;
    TfrmClients *w = openCard(world);
    auto *b = control<PictureButton>(w, button.constData());
    QVERIFY(b);
    QVERIFY(b->isVisible());
    QVERIFY(b->focusPolicy() & Qt::TabFocus);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(b, &enter);
    QCOMPARE(w->panInfo->text(), hint);
    QCOMPARE(b->accessibleDescription(), hint);
}

void TestPatients::stripEmptiesOverBackgroundOnly()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    auto moveOver = [](QWidget *widget, const QPoint &at) {
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    };
    const QString ready = QStringLiteral("Pronto per registrare una nuova scheda...");
    QCOMPARE(w->panInfo->text(), ready);

    moveOver(w->shpCampi, w->txtName->geometry().center());
    QCOMPARE(w->panInfo->text(), ready);
    moveOver(w->shpCampi, w->findChild<QLabel *>(QStringLiteral("lblName"))->geometry().center());
    QCOMPARE(w->panInfo->text(), ready);

    moveOver(w->shpCampi, QPoint(4, 4));
    QVERIFY(w->panInfo->text().isEmpty());

    for (QWidget *background : {static_cast<QWidget *>(w), w->panContainer, w->shpColonna, w->shpGruppo04,
                                static_cast<QWidget *>(w->imgPaziente)}) {
        w->panInfo->setText(ready);
        moveOver(background, QPoint(1, 1));
        QVERIFY2(w->panInfo->text().isEmpty(), qPrintable(background->objectName()));
    }
}

void TestPatients::everyControlIsNamedForScreenReaders()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    const auto widgets = w->findChildren<QWidget *>();
    for (QWidget *c : widgets) {
        if (!c->isVisibleTo(w) || c->focusPolicy() == Qt::NoFocus)
            continue;
        QVERIFY2(!c->objectName().isEmpty(), c->metaObject()->className());
        QVERIFY2(!c->accessibleName().trimmed().isEmpty(), qPrintable(c->objectName()));
    }
    // A field is read out by its label, and its label leads to it.
    QCOMPARE(w->txtName->accessibleName(), QStringLiteral("Cognome e nome"));
    QCOMPARE(w->txtTimes->accessibleName(), QStringLiteral("Orari preferenziali per appuntamenti"));
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("lblNotes"))->buddy(), w->txtNotes);
    // The teeth and attachments stay out of the user's way: no control of theirs can be seen
    // or reached, and the card holds them all.
    for (QWidget *c : widgets) {
        const QString name = c->objectName();
        if (name.startsWith(QLatin1String("txtDente")) || name.startsWith(QLatin1String("lblFile"))
            || name.startsWith(QLatin1String("lblDesc"))) {
            QVERIFY2(!c->isVisibleTo(w), qPrintable(name));
            QCOMPARE(c->focusPolicy(), Qt::NoFocus);
        }
    }
    QCOMPARE(w->toothTexts().size(), 32);
    QCOMPARE(w->attachmentTexts().size(), 6);
}

void TestPatients::helpShowsTheTopic()
{
    TestWorld world;
    TfrmClients *w = openCard(world);
    QString title;
    Modal::queue([&title](QWidget *help) { title = help->findChild<QLabel *>(QStringLiteral("lblTitolo"))->text(); });
    w->cmdHelp->click();
    QCOMPARE(Modal::takeOpened(), QStringList{QStringLiteral("frmGuida")});
    QCOMPARE(title, QStringLiteral("App Archivio Pazienti"));
}

QTEST_MAIN(TestPatients)
#include "tst_patients.moc"
