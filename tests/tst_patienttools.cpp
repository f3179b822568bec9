// The tools of the patient card: find patients (for the patient card and for the
// appointment card's contact import), pending issues, the tax identifier checks, attached
// files and the card's own folder, the e-mail and pending-issue icons.
#include "support/Faults.h"
#include "support/Fixtures.h"
#include "support/ListClicks.h"
#include "support/TestSupport.h"

#include "appointments/frmArchivio_Scadenze.h"
#include "patients/Attachments.h"
#include "patients/PatientLines.h"
#include "patients/PatientWidgets.h"
#include "patients/TaxChecks.h"
#include "patients/frmAllegaCartella.h"
#include "patients/frmAttachedFolder.h"
#include "patients/frmClients.h"
#include "patients/frmFindClients.h"
#include "patients/frmListIssues.h"
#include "patients/frmTaxChecks.h"
#include "platform/FileDialog.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "print/ReportRenderer.h"
#include "storage/AnsiText.h"
#include "storage/PatientRecord.h"
#include "base/LineSource.h"
#include "base/TextRules.h"
#include "ui/FixedList.h"
#include "ui/ListPage.h"
#include "ui/PictureButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The card's six attachment texts: the three files, then their three descriptions.
static void setAttachment(TfrmClients *card, int index, const QString &text)
{
    QStringList texts = card->attachmentTexts();
    texts[index] = text;
    card->setAttachmentTexts(texts);
}

namespace {

// A patient of these tests: its leading fields given in this order.
struct Patient : PatientFixture
{
    Patient(QString name = {}, QString mobile = QStringLiteral("3331234567"),
            QString dentist = QStringLiteral("Dott. Bianchi"), QString notes = {}, QString city = {},
            QString issues = {})
        : PatientFixture{
            .name = name, .city = city, .mobilePhone = mobile, .issues = issues, .dentist = dentist, .notes = notes}
    {}
};

TPatientRecord record(const Patient &p) { return patientRecord(p); }

void writeArchive(const QList<TPatientRecord> &records) { writeRecords(kPatientArchive, records); }

void writePatients(const QList<Patient> &patients) { writePatientArchive({patients.begin(), patients.end()}); }

// A field's raw stored bytes, as another program might have left them (not trimmed).
template <int N> void setRaw(ShortString<N> &field, const QByteArray &bytes)
{
    field.length = static_cast<unsigned char>(bytes.size());
    std::memcpy(field.chars, bytes.constData(), size_t(bytes.size()));
}

TfrmClients *showCard(TestWorld &world)
{
    world.windows();
    TfrmClients *card = world.windows().frmClients();
    card->show();
    QApplication::setActiveWindow(card);
    return card;
}

QString info(const QString &text) { return QStringLiteral("information: ") + text; }
QString warning(const QString &text) { return QStringLiteral("warning: ") + text; }
QString error(const QString &text) { return QStringLiteral("error: ") + text; }

// Every control a user can reach has its name and is named for a screen reader.
bool everyControlNamed(QWidget *window, QString &missing)
{
    for (QWidget *c : window->findChildren<QWidget *>()) {
        if (!c->isVisibleTo(window) || c->focusPolicy() == Qt::NoFocus)
            continue;
        if (c->objectName().isEmpty() || c->accessibleName().trimmed().isEmpty()) {
            missing = c->objectName() + QLatin1Char(' ') + QString::fromLatin1(c->metaObject()->className());
            return false;
        }
    }
    return true;
}

QString writeSource(const QString &folder, const QString &name, const QByteArray &content)
{
    QDir().mkpath(folder);
    QFile f(folder + QLatin1Char('/') + name);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return f.fileName();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Cards that sort alike for many characters: names equal in their first 30 characters,
// letters in both cases, accented letters, the euro and the other signs of the code page
// (including bytes it leaves undefined), blanks and control codes as stored by another
// program, long notes and issues, empty fields, identical cards.
QList<TPatientRecord> oddCards()
{
    QList<TPatientRecord> cards;
    const QString head = QStringLiteral("Abbondanzieri Pierferdinando Giovanni");
    const QString tail = QString(200, QLatin1Char('n'));
    const QList<Patient> patients = {
        {head + QStringLiteral(" Maria"), {}, {}, tail + QStringLiteral("b"), {}, QStringLiteral("Saldo")},
        {head + QStringLiteral(" Luigi"), {}, {}, tail + QStringLiteral("a"), {}, QStringLiteral("Saldo")},
        {head + QStringLiteral(" Luigi"), {}, {}, tail, {}, QStringLiteral("Saldo")},
        {head, {}, {}, tail + QStringLiteral("A"), {}, QStringLiteral("saldo")},
        {QStringLiteral("rossi mario"), QString(), QString(), QString(), {}, QString(250, QLatin1Char('x'))},
        {QStringLiteral("ROSSI MARIO"), QString(), QString(), QString()},
        {QStringLiteral("Rossi Mario"), QString(), QString(), QString(), {}, QStringLiteral("Rx")},
        {QStringLiteral("\u00C8rica Verdi"), QStringLiteral("\u20AC 12")},
        {QStringLiteral("\u00E8rica Verdi"), QStringLiteral("\u20AC 12"), QStringLiteral("Dott.ssa \u0152")},
        {QStringLiteral("Erica Verdi"), QStringLiteral("3331234567"), QStringLiteral("\u0178")},
        {QStringLiteral("\u20ACuro Sig."), {}, {}, {}, {}, QStringLiteral("\u20AC")},
        {QStringLiteral("_Zeta"), {}, {}, {}, {}, QStringLiteral("z")},
        {QString(), QString(), QString(), QString(), {}, QStringLiteral("Senza nome")},
        {QStringLiteral("Rossi Mario"), QString(), QString(), QString(), {}, QStringLiteral("Rx")},
    };
    for (const Patient &p : patients)
        cards.append(record(p));
    // Raw bytes: blanks and a tab around the name, a byte the code page leaves undefined, a
    // control code inside, a length byte beyond the capacity.
    TPatientRecord raw = record({QString(), QStringLiteral("3"), {}, {}, {}, QStringLiteral("r")});
    setRaw(raw.Name, QByteArray("  \tRossi\x81Ma\x01rio ", 17));
    cards.append(raw);
    raw = record({QString(), QStringLiteral("3"), {}, {}, {}, QStringLiteral("r")});
    setRaw(raw.Name, QByteArray("Rossi\x9D", 6));
    setRaw(raw.MobilePhone, QByteArray("\xFF\x8C\xA0", 3));
    cards.append(raw);
    raw = record({QStringLiteral("Zanardi"), QStringLiteral("3"), {}, {}, {}, QStringLiteral("r")});
    raw.MobilePhone.length = 255; // read as its 30 characters
    std::memset(raw.MobilePhone.chars, 'k', sizeof raw.MobilePhone.chars);
    cards.append(raw);

    // Many more from a few characters, so that keys often tie and ties often need the rest.
    QRandomGenerator rng(20261210);
    const QByteArray alphabet("aAbB_ \x80\x81\x8C\x9D\x9F\xC8\xE8\xFF"
                              "0",
                              15);
    const auto draw = [&](int most) {
        QByteArray bytes;
        for (int n = int(rng.bounded(most + 1)); n > 0; --n)
            bytes.append(alphabet.at(int(rng.bounded(int(alphabet.size())))));
        return bytes;
    };
    for (int i = 0; i < 400; ++i) {
        TPatientRecord r{};
        setRaw(r.Name, i % 3 ? draw(4) : head.toLatin1() + draw(3));
        setRaw(r.MobilePhone, draw(2));
        setRaw(r.Dentist, draw(2));
        setRaw(r.Notes, draw(3));
        setRaw(r.Issues, draw(2));
        cards.append(r);
    }
    return cards;
}

// The lines of a list built the way the windows built them before: every line whole, sorted.
PatientLines::Listing builtLines(bool issues, const PatientLines::Criteria &criteria = {})
{
    PatientLines::Listing listing;
    if (issues)
        PatientLines::issueLines(listing);
    else
        PatientLines::foundLines(criteria, listing);
    PatientLines::sort(listing);
    return listing;
}

QList<qint64> positionsOf(const LineSource &lines)
{
    QList<qint64> positions;
    for (int row = 0; row < lines.count(); ++row)
        positions.append(lines.position(row));
    return positions;
}

} // namespace

class TestPatientTools : public QObject
{
    Q_OBJECT

private slots:
    void filters_data();
    void filters();
    void eachFilterReadsItsOwnField();
    void linesAndOrder();
    void lazyLinesEqualTheBuiltLines_data();
    void lazyLinesEqualTheBuiltLines();
    void lazyLinesInTheWindows();
    void printWhenTheArchiveIsGone_data();
    void printWhenTheArchiveIsGone();
    void findForThePatientCard();
    void findForTheAppointmentCard();
    void findModesGiveTheirOwnResult_data();
    void findModesGiveTheirOwnResult();
    void lookalikeLinesLoadTheirOwnCard_data();
    void lookalikeLinesLoadTheirOwnCard();
    void findSearchPage();
    void findResultsPrintAndEmptyList();
    void findArchiveFailureStaysOnSearchPage();
    void pendingIssuesListAndSettling();
    void officeTable_data();
    void officeTable();
    void codiceFiscale_data();
    void codiceFiscale();
    void partitaIva_data();
    void partitaIva();
    void taxCheckButtons_data();
    void taxCheckButtons();
    void taxCheckKeyboard();
    void taxCheckJudgesTheWholeText_data();
    void taxCheckJudgesTheWholeText();
    void taxCheckLimitFollowsTheText();
    void attachCopiesAndApplies();
    void attachOverwrite_data();
    void attachOverwrite();
    void attachCancelAndClear();
    void attachFailureKeepsTheField_data();
    void attachFailureKeepsTheField();
    void attachNeverClashes_data();
    void attachNeverClashes();
    void attachWhenTheArchiveCannotBeRead();
    void attachOverwriteEscapeAnswersNo();
    void storableNames_data();
    void storableNames();
    void attachUnderTheNameTheCardHolds();
    void attachOpenStaysInTheFolder_data();
    void attachOpenStaysInTheFolder();
    void attachRegularFilesOnly_data();
    void attachRegularFilesOnly();
    void attachedFolder();
    void emailAndIssueIcons();
    void windowsLookAndNames_data();
    void windowsLookAndNames();
};

void TestPatientTools::filters_data()
{
    QTest::addColumn<QStringList>("criteria"); // "txtName=text"
    QTest::addColumn<QList<int>>("positions");

    // 1 Rossi Mario (Roma), 2 Carla Grossi (Milano), 3 Rossi  Mario (two blanks), 4 Mario Rossi
    // (Roma), 5 Èrica Verdi, 6 èrica Neri, 7 Luigi Bianchi.
    QTest::newRow("no filter: every card") << QStringList() << QList<int>{1, 2, 3, 4, 5, 6, 7};
    QTest::newRow("partial") << QStringList{QStringLiteral("txtName=ross")} << QList<int>{1, 2, 3, 4};
    QTest::newRow("A to Z folded") << QStringList{QStringLiteral("txtName=ROSS")} << QList<int>{1, 2, 3, 4};
    QTest::newRow("blanks inside count") << QStringList{QStringLiteral("txtName=rossi mario")} << QList<int>{1};
    QTest::newRow("the search text is not trimmed")
        << QStringList{QStringLiteral("txtName=rossi ")} << QList<int>{1, 3};
    QTest::newRow("a blanks-only field is no filter")
        << QStringList{QStringLiteral("txtNotes=   "), QStringLiteral("txtName=bianchi")} << QList<int>{7};
    QTest::newRow("accented capitals are not folded")
        << QStringList{QStringLiteral("txtName=\u00C8rica")} << QList<int>{5};
    QTest::newRow("an accented letter matches itself")
        << QStringList{QStringLiteral("txtName=\u00E8rica")} << QList<int>{6};
    QTest::newRow("several filters at once")
        << QStringList{QStringLiteral("txtName=rossi"), QStringLiteral("txtCity=ROMA")} << QList<int>{1, 4};
    QTest::newRow("no card holds a character outside the code page")
        << QStringList{QStringLiteral("txtName=\u0142")} << QList<int>{};
}

void TestPatientTools::filters()
{
    QFETCH(QStringList, criteria);
    QFETCH(QList<int>, positions);

    const QList<Patient> patients = {
        {QStringLiteral("Rossi Mario"), {}, {}, {}, QStringLiteral("Roma")},
        {QStringLiteral("Carla Grossi"), {}, {}, {}, QStringLiteral("Milano")},
        {QStringLiteral("Rossi  Mario")},
        {QStringLiteral("Mario Rossi"), {}, {}, {}, QStringLiteral("Roma")},
        {QStringLiteral("\u00C8rica Verdi")},
        {QStringLiteral("\u00E8rica Neri")},
        {QStringLiteral("Luigi Bianchi")},
    };
    PatientLines::Criteria c;
    for (const QString &criterion : criteria) {
        const QString field = criterion.section(QLatin1Char('='), 0, 0);
        const QString text = criterion.section(QLatin1Char('='), 1);
        if (field == QLatin1String("txtName"))
            c.txtName = text;
        else if (field == QLatin1String("txtCity"))
            c.txtCity = text;
        else if (field == QLatin1String("txtNotes"))
            c.txtNotes = text;
    }
    QList<int> matched;
    for (int i = 0; i < patients.size(); ++i)
        if (PatientLines::matches(c, record(patients[i])))
            matched.append(i + 1);
    QCOMPARE(matched, positions);

    // The window lists the same cards and counts the active filters.
    TestWorld world;
    writePatients(patients);
    QStringList shown;
    QString conta;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        for (const QString &criterion : criteria)
            control<QLineEdit>(w, qPrintable(criterion.section(QLatin1Char('='), 0, 0)))
                ->setText(criterion.section(QLatin1Char('='), 1));
        find->btnCercaClick();
        shown = find->lstRecords->lines();
        conta = QString::number(find->usedCount());
    });
    showCard(world)->cmdFind->click();
    QStringList expected;
    for (int p : positions)
        expected.append(PatientLines::line(record(patients[p - 1])));
    std::sort(expected.begin(), expected.end(), PatientLines::lineLess);
    QCOMPARE(shown, expected);
    int active = 0;
    for (const QString &criterion : criteria)
        active += criterion.section(QLatin1Char('='), 1).trimmed().isEmpty() ? 0 : 1;
    QCOMPARE(conta, QString::number(active));
}

void TestPatientTools::eachFilterReadsItsOwnField()
{
    // Each of the ten filters looks in its own record field, as stored (not trimmed).
    TPatientRecord r{};
    setRaw(r.Name, "NOME ");
    setRaw(r.TaxNumber, "CODICE");
    setRaw(r.Street, "VIA");
    setRaw(r.City, "CITTA");
    setRaw(r.SSN, "IVA");
    setRaw(r.Problems, "PROBLEMI");
    setRaw(r.Dentist, "DENTISTA");
    setRaw(r.Times, "ORARI");
    setRaw(r.Status, "STATO");
    setRaw(r.Notes, " NOTE");
    const std::pair<QString PatientLines::Criteria::*, QString> filters[] = {
        {&PatientLines::Criteria::txtName, QStringLiteral("nome ")},
        {&PatientLines::Criteria::txtTaxNumber, QStringLiteral("codice")},
        {&PatientLines::Criteria::txtStreet, QStringLiteral("via")},
        {&PatientLines::Criteria::txtCity, QStringLiteral("citta")},
        {&PatientLines::Criteria::txtSSN, QStringLiteral("iva")},
        {&PatientLines::Criteria::txtProblems, QStringLiteral("problemi")},
        {&PatientLines::Criteria::txtDentist, QStringLiteral("dentista")},
        {&PatientLines::Criteria::txtTimes, QStringLiteral("orari")},
        {&PatientLines::Criteria::txtStatus, QStringLiteral("stato")},
        {&PatientLines::Criteria::txtNotes, QStringLiteral(" note")},
    };
    for (const auto &[own, text] : filters) {
        PatientLines::Criteria c;
        c.*own = text;
        QVERIFY2(PatientLines::matches(c, r), qPrintable(text));
        QCOMPARE(PatientLines::activeCount(c), 1);
        // The same text in every other filter finds nothing.
        for (const auto &[other, unused] : filters) {
            if (other == own)
                continue;
            PatientLines::Criteria elsewhere;
            elsewhere.*other = text;
            QVERIFY2(!PatientLines::matches(elsewhere, r), qPrintable(text));
        }
    }
}

void TestPatientTools::linesAndOrder()
{
    Patient p{QStringLiteral("  Rossi Mario  "),
              QStringLiteral("3471234567"),
              QStringLiteral("Dott. Bianchi"),
              QStringLiteral("Allergico al lattice"),
              {},
              QStringLiteral("Saldo da versare")};
    QCOMPARE(PatientLines::line(record(p)),
             QStringLiteral("Rossi Mario                     Cel. 3471234567            Dentista: Dott. Bianchi"
                            "                 Note: Allergico al lattice"));
    QCOMPARE(PatientLines::issueLine(record(p)),
             QStringLiteral("Rossi Mario                     Cel. 3471234567            Dentista: Dott. Bianchi"
                            "                 Saldo da versare"));
    p.name = QString(40, QLatin1Char('X'));
    QVERIFY(PatientLines::line(record(p)).startsWith(QString(30, QLatin1Char('X')) + QStringLiteral("  Cel. ")));

    // Codes with a to z as capitals: "b" before "C", "_" (95) after "Z" (90) but before "a".
    PatientLines::Listing listing{{QStringLiteral("c"), QStringLiteral("_"), QStringLiteral("B"), QStringLiteral("b"),
                                   QStringLiteral("a"), QStringLiteral("\u00C8")},
                                  {1, 2, 3, 4, 5, 6}};
    PatientLines::sort(listing);
    QCOMPARE(listing.lines, (QStringList{QStringLiteral("a"), QStringLiteral("B"), QStringLiteral("b"),
                                         QStringLiteral("c"), QStringLiteral("_"), QStringLiteral("\u00C8")}));
    QCOMPARE(listing.positions, (QList<qint64>{5, 3, 4, 1, 2, 6})); // equal lines keep file order

    // Signs above code 255 ("€", "Œ") come after every other character, past the first 64 too.
    const QString head(70, QLatin1Char('x'));
    PatientLines::Listing signs{{QStringLiteral("\u20ACa"), QStringLiteral("\u00FFz"), QStringLiteral("\u0152"),
                                 head + QStringLiteral("\u20AC"), head + QStringLiteral("z"),
                                 QStringLiteral("\u20ACA")},
                                {1, 2, 3, 4, 5, 6}};
    PatientLines::sort(signs);
    QCOMPARE(signs.positions, (QList<qint64>{5, 4, 2, 3, 1, 6}));
}

void TestPatientTools::lazyLinesEqualTheBuiltLines_data()
{
    QTest::addColumn<bool>("issues");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("dentist");
    QTest::newRow("find, no filter") << false << QString() << QString();
    QTest::newRow("find, two filters") << false << QStringLiteral("a") << QStringLiteral("b");
    QTest::newRow("find, a filter on the 30 equal characters") << false << QStringLiteral("giovanni") << QString();
    QTest::newRow("pending issues") << true << QString() << QString();
}

void TestPatientTools::lazyLinesEqualTheBuiltLines()
{
    QFETCH(bool, issues);
    QFETCH(QString, name);
    QFETCH(QString, dentist);

    TestWorld world;
    writeArchive(oddCards());
    PatientLines::Criteria criteria;
    criteria.txtName = name;
    criteria.txtDentist = dentist;
    const PatientLines::Listing built = builtLines(issues, criteria);
    const SharedLines lazy = issues ? PatientLines::issueSource() : PatientLines::foundSource(criteria);

    QVERIFY(built.size() > 20);
    QCOMPARE(lazy->count(), built.size());
    QCOMPARE(lazy->all(), built.lines);
    QCOMPARE(positionsOf(*lazy), built.positions);
    // Asked one by one, out of order and across blocks, a line is the same.
    for (int row : {int(built.size()) - 1, 0, int(built.size()) / 2, 1})
        QCOMPARE(lazy->line(row), built.lines.at(row));
    QCOMPARE(lazy->line(int(built.size())), QString());
}

void TestPatientTools::lazyLinesInTheWindows()
{
    TestWorld world;
    QList<TPatientRecord> cards = oddCards();
    while (cards.size() < 2 * RecordLines::kBlock + 10)
        cards += cards.mid(0, 20);
    writeArchive(cards);
    const PatientLines::Listing found = builtLines(false);
    const PatientLines::Listing pending = builtLines(true);
    const int deep = int(found.size()) - 3; // in the last block of lines
    TfrmClients *card = showCard(world);

    // Find patients for the patient card: find-in-list, print and double-click on the lines the
    // window built before, and on their own cards.
    QString trovate;
    QList<int> foundRows;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        find->btnCercaClick();
        trovate = find->lblTrovate->text();
        find->lstRecords->setCurrentRow(deep);
        find->txtTrova->setText(QStringLiteral("ROSSI"));
        for (int i = 0; i < 3; ++i) {
            find->btnTrovaClick();
            foundRows.append(find->lstRecords->selectedRow());
        }
        find->txtTrova->setText(QStringLiteral("\u0081ma\u0001rio"));
        find->btnTrovaClick();
        foundRows.append(find->lstRecords->selectedRow());
        find->btnStampaClick();
        doubleClickRow(find->lstRecords, deep);
    });
    card->cmdFind->click();
    QCOMPARE(trovate, QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(found.size()));
    QList<int> wantedRows;
    QString term;
    int at = deep;
    for (int i = 0; i < 3; ++i)
        wantedRows.append(at = TextRules::findInList(found.lines, at, QStringLiteral("ROSSI"), term));
    wantedRows.append(TextRules::findInList(found.lines, at, QStringLiteral("\u0081ma\u0001rio"), term));
    QCOMPARE(foundRows, wantedRows);
    QVERIFY(found.lines.at(wantedRows.last()).startsWith(QStringLiteral("Rossi\u0081Ma\u0001rio  ")));
    const QList<Report::Page> pages = printedPages();
    QVERIFY(!pages.isEmpty());
    QStringList printed;
    for (const Report::Page &page : pages)
        if (const Report::TextBox *box = page.text(QStringLiteral("txtRiepilogo")))
            printed += box->lines;
    QCOMPARE(printed, found.lines);
    QCOMPARE(card->lblPosizione->text(), QString::number(found.positions.at(deep)));
    QCOMPARE(PatientLines::line(PatientLines::readCard(card->lblPosizione->text().toLongLong())), found.lines.at(deep));

    // The pending issues, deep in the list.
    const int deepIssue = int(pending.size()) - 2;
    QStringList issueLines;
    Modal::queue([&](QWidget *w) {
        auto *list = static_cast<TfrmListIssues *>(w);
        issueLines = list->lstRecords->lines();
        doubleClickRow(list->lstRecords, deepIssue);
    });
    card->cmdDefaulting->click();
    QCOMPARE(issueLines, pending.lines);
    QCOMPARE(card->lblPosizione->text(), QString::number(pending.positions.at(deepIssue)));

    // The appointment card's contact import takes the contact of the card of the line chosen.
    TfrmArchivio_Scadenze *appointment = world.windows().frmArchivio_Scadenze();
    appointment->show();
    const int row = int(found.size()) / 2 + 7;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        find->btnCercaClick();
        doubleClickRow(find->lstRecords, row);
    });
    appointment->impContatto->click();
    const PatientLines::Contact wanted = PatientLines::contactOf(PatientLines::readCard(found.positions.at(row)));
    QCOMPARE(appointment->txtContatto->text(), wanted.name);
    QCOMPARE(appointment->txtCel->text(), wanted.mobilePhone);
    QVERIFY(shownMessages().isEmpty());
}

void TestPatientTools::printWhenTheArchiveIsGone_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("find patients") << "cmdFind";
    QTest::newRow("pending issues") << "cmdDefaulting";
}

void TestPatientTools::printWhenTheArchiveIsGone()
{
    QFETCH(QString, button);

    // The lines are built from the cards when printed: an archive that cannot be read by then
    // is reported, never printed as a list with lines missing.
    TestWorld world;
    writePatients({{QStringLiteral("Rossi Mario"), {}, {}, {}, {}, QStringLiteral("Saldo")}});
    TfrmClients *card = showCard(world);
    int listed = 0;
    Modal::queue([&](QWidget *w) {
        if (auto *find = qobject_cast<TfrmFindClients *>(w))
            find->btnCercaClick();
        listed = control<FixedList>(w, "lstRecords")->count();
        QFile::remove(world.folder() + QLatin1Char('/') + kPatientArchive);
        QDir(world.folder()).mkdir(kPatientArchive);
        control<QPushButton>(w, "btnStampa")->click();
    });
    control<PictureButton>(card, qPrintable(button))->click();
    QCOMPARE(listed, 1);
    QVERIFY(Printer::takePrinted().isEmpty());
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("plain: ") + kArchiveFailure});
}

void TestPatientTools::findForThePatientCard()
{
    TestWorld world;
    TPatientRecord wanted = record({QStringLiteral("Verdi Anna"), QStringLiteral("3479999999")});
    wanted.dente(12).setText(QStringLiteral("Corona"));
    wanted.File02.setText(QStringLiteral("rx.pdf"));
    wanted.Desc02.setText(QStringLiteral("Panoramica"));
    wanted.Issues.setText(QStringLiteral("Acconto"));
    writeArchive({record({QStringLiteral("Rossi Mario")}), wanted, record({QStringLiteral("Bianchi Luca")})});
    TfrmClients *card = showCard(world);
    card->txtName->setText(QStringLiteral("da perdere"));
    auto mode = TfrmFindClients::Mode::AppointmentCard; // until the window says
    bool closed = false;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        mode = find->mode();
        find->txtName->setText(QStringLiteral("verdi"));
        find->btnCercaClick();
        doubleClickRow(find->lstRecords, 0);
        closed = !find->isVisible();
    });
    card->cmdFind->click();

    QCOMPARE(Modal::takeOpened(), QStringList{QStringLiteral("frmFindClients")});
    QCOMPARE(mode, TfrmFindClients::Mode::PatientCard);
    QVERIFY(closed);
    QCOMPARE(card->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(card->txtName->text(), QStringLiteral("Verdi Anna"));
    QCOMPARE(card->txtMobilePhone->text(), QStringLiteral("3479999999"));
    QCOMPARE(card->txtIssues->text(), QStringLiteral("Acconto"));
    QCOMPARE(card->toothTexts().at(11), QStringLiteral("Corona"));
    QCOMPARE(card->attachmentTexts().at(1), QStringLiteral("rx.pdf"));
    QCOMPARE(card->attachmentTexts().at(4), QStringLiteral("Panoramica"));
    QVERIFY(shownMessages().isEmpty());

    // Closing without a choice leaves the card alone.
    Modal::queue([](QWidget *w) { static_cast<TfrmFindClients *>(w)->btnAnnullaClick(); });
    card->cmdFind->click();
    QCOMPARE(card->lblPosizione->text(), QStringLiteral("2"));
    QCOMPARE(card->txtName->text(), QStringLiteral("Verdi Anna"));

    // A card found is looked at before its save, as one browsed to: saved meanwhile by
    // another copy of the program, the save asks (here: load the other copy's card).
    RecordCard<TPatientRecord> other(kPatientArchive);
    QCOMPARE(other.show(2), CardResult::Shown);
    other.record().Issues.setText(QStringLiteral("Saldato"));
    QCOMPARE(other.save(), CardResult::Updated);
    card->txtIssues->setText(QStringLiteral("Da saldare"));
    Messages::queueAnswer(Messages::Answer::Yes);
    card->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("confirmation: ") + kCardChangedElsewhere});
    QCOMPARE(card->txtIssues->text(), QStringLiteral("Saldato"));
}

void TestPatientTools::findForTheAppointmentCard()
{
    TestWorld world;
    TPatientRecord patient = record({QStringLiteral("Verdi Anna"), QStringLiteral("3479999999")});
    patient.HomePhone.setText(QStringLiteral("051 123456"));
    patient.Email.setText(QStringLiteral("anna@posta.example"));
    patient.Communication.setText(QStringLiteral("Bonifico"));
    patient.Notes.setText(QStringLiteral("Note che non passano"));
    writeArchive({record({QStringLiteral("Rossi Mario")}), patient});

    TfrmArchivio_Scadenze *card = world.windows().frmArchivio_Scadenze();
    card->show();
    card->txtData->setText(QStringLiteral("01/01/2030"));
    card->txtOreApp->setEditText(QStringLiteral("10"));
    card->txtMinutiApp->setEditText(QStringLiteral("30"));
    card->txtAvviso->setText(QStringLiteral("2"));
    card->txtCausale->setText(QStringLiteral("Igiene"));
    card->txtImporto->setText(QStringLiteral("80,00"));
    card->txtNote->setText(QStringLiteral("Portare lastre"));
    card->chkOttemperata->setChecked(true);
    card->setPosition(4);
    card->txtCel->setText(QStringLiteral("3330000000"));

    auto mode = TfrmFindClients::Mode::PatientCard; // until the window says
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        mode = find->mode();
        find->btnCercaClick();
        doubleClickRow(find->lstRecords, 1); // sorted: Rossi, Verdi
    });
    card->impContatto->click();

    QCOMPARE(Modal::takeOpened(), QStringList{QStringLiteral("frmFindClients")});
    QCOMPARE(mode, TfrmFindClients::Mode::AppointmentCard);
    QCOMPARE(card->txtContatto->text(), QStringLiteral("Verdi Anna"));
    QCOMPARE(card->txtTel->text(), QStringLiteral("051 123456"));
    QCOMPARE(card->txtCel->text(), QStringLiteral("3479999999"));
    QCOMPARE(card->txtEmail->text(), QStringLiteral("anna@posta.example"));
    QCOMPARE(card->txtLuogo->text(), QStringLiteral("Bonifico"));
    // Nothing else of the card changes, its position included.
    QCOMPARE(card->txtData->text(), QStringLiteral("01/01/2030"));
    QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("10"));
    QCOMPARE(card->txtMinutiApp->currentText(), QStringLiteral("30"));
    QCOMPARE(card->txtAvviso->text(), QStringLiteral("2"));
    QCOMPARE(card->txtCausale->text(), QStringLiteral("Igiene"));
    QCOMPARE(card->txtImporto->text(), QStringLiteral("80,00"));
    QCOMPARE(card->txtNote->text(), QStringLiteral("Portare lastre"));
    QVERIFY(card->chkOttemperata->isChecked());
    QCOMPARE(card->lblPosizione->text(), QStringLiteral("4"));

    // A patient without a mobile number empties the card's.
    writeArchive({record({QStringLiteral("Neri Paolo"), QString()})});
    Modal::queue([](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        find->btnCercaClick();
        doubleClickRow(find->lstRecords, 0);
    });
    card->impContatto->click();
    QCOMPARE(card->txtContatto->text(), QStringLiteral("Neri Paolo"));
    QCOMPARE(card->txtCel->text(), QString());
    QVERIFY(shownMessages().isEmpty());
}

void TestPatientTools::findModesGiveTheirOwnResult_data()
{
    QTest::addColumn<TfrmFindClients::Mode>("mode");
    QTest::addColumn<bool>("card"); // the whole card and its position, else the contact data

    QTest::newRow("for the patient card") << TfrmFindClients::Mode::PatientCard << true;
    QTest::newRow("for the appointment card") << TfrmFindClients::Mode::AppointmentCard << false;
}

void TestPatientTools::findModesGiveTheirOwnResult()
{
    QFETCH(TfrmFindClients::Mode, mode);
    QFETCH(bool, card);

    TestWorld world;
    writeArchive(
        {record({QStringLiteral("Rossi Mario")}), record({QStringLiteral("Verdi Anna"), QStringLiteral("333")})});
    TfrmFindClients find(nullptr, mode);
    QList<qint64> cards;
    QStringList contacts;
    connect(&find, &TfrmFindClients::cardChosen, this, [&](qint64 position, const TPatientRecord &chosen) {
        cards.append(position);
        QCOMPARE(AnsiText::trimmed(chosen.Name.text()), QStringLiteral("Verdi Anna"));
    });
    connect(&find, &TfrmFindClients::contactChosen, this,
            [&](const PatientLines::Contact &contact) { contacts.append(contact.name); });
    find.show();
    find.txtName->setText(QStringLiteral("verdi"));
    find.btnCercaClick();
    doubleClickRow(find.lstRecords, 0);

    QVERIFY(!find.isVisible());
    QCOMPARE(cards, card ? QList<qint64>{2} : QList<qint64>());
    QCOMPARE(contacts, card ? QStringList() : QStringList{QStringLiteral("Verdi Anna")});
}

void TestPatientTools::lookalikeLinesLoadTheirOwnCard_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");

    // Names alike in their first 30 characters, the same mobile, dentist, notes and issue.
    QTest::newRow("find, first line") << "find" << 0 << "1"
                                      << "Abbondanzieri Pierferdinando Giovanni Maria";
    QTest::newRow("find, second line") << "find" << 1 << "3"
                                       << "Abbondanzieri Pierferdinando Giovanni Luigi";
    QTest::newRow("issues, first line") << "issues" << 0 << "1"
                                        << "Abbondanzieri Pierferdinando Giovanni Maria";
    QTest::newRow("issues, second line") << "issues" << 1 << "3"
                                         << "Abbondanzieri Pierferdinando Giovanni Luigi";
}

void TestPatientTools::lookalikeLinesLoadTheirOwnCard()
{
    QFETCH(QString, window);
    QFETCH(int, row);
    QFETCH(QString, position);
    QFETCH(QString, name);

    TestWorld world;
    writePatients(
        {{QStringLiteral("Abbondanzieri Pierferdinando Giovanni Maria"), {}, {}, {}, {}, QStringLiteral("Saldo")},
         {QStringLiteral("Zanardi Ugo")},
         {QStringLiteral("Abbondanzieri Pierferdinando Giovanni Luigi"), {}, {}, {}, {}, QStringLiteral("Saldo")}});
    TfrmClients *card = showCard(world);
    QStringList lines;
    Modal::queue([&](QWidget *w) {
        if (auto *find = qobject_cast<TfrmFindClients *>(w))
            find->btnCercaClick();
        auto *list = control<FixedList>(w, "lstRecords");
        lines = list->lines();
        doubleClickRow(list, row);
    });
    if (window == QLatin1String("find"))
        card->cmdFind->click();
    else
        card->cmdDefaulting->click();

    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines[0], lines[1]); // the two lines read alike
    QCOMPARE(card->lblPosizione->text(), position);
    QCOMPARE(card->txtName->text(), name);
}

void TestPatientTools::findSearchPage()
{
    TestWorld world;
    writePatients({{QStringLiteral("Rossi Mario")}});
    TfrmClients *card = showCard(world);
    QStringList focusPath;
    bool highlight = false, others = true, firstPage = false, waitBeforeClick = false, resultPage = false;
    QString trovate;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        find->activateWindow();
        QApplication::setActiveWindow(find);
        firstPage = find->panAvvio->isVisible() && !find->panContainer->isVisible() && !find->lblAttendere->isVisible()
                    && QString::number(find->usedCount()) == QLatin1String("0");
        for (int i = 0; i < 11; ++i) {
            QWidget *focused = QApplication::focusWidget();
            focusPath.append(focused ? focused->objectName() : QString());
            if (i == 3) {
                highlight = find->highlightOf(find->txtCity)->isVisible();
                others = find->highlightOf(find->txtName)->isVisible();
            }
            if (focused)
                QTest::keyClick(focused, Qt::Key_Return);
        }
        // Pressing the mouse on "Cerca" shows the wait line before the search runs.
        QTest::mousePress(find->btnCerca, Qt::LeftButton);
        waitBeforeClick = find->lblAttendere->isVisible() && find->panAvvio->isVisible();
        QTest::mouseRelease(find->btnCerca, Qt::LeftButton);
        resultPage = !find->panAvvio->isVisible() && find->panContainer->isVisible()
                     && QApplication::focusWidget() == find->txtTrova;
        trovate = find->lblTrovate->text();
    });
    card->cmdFind->click();

    QCOMPARE(focusPath,
             (QStringList{QStringLiteral("txtName"), QStringLiteral("txtTaxNumber"), QStringLiteral("txtStreet"),
                          QStringLiteral("txtCity"), QStringLiteral("txtSSN"), QStringLiteral("txtProblems"),
                          QStringLiteral("txtDentist"), QStringLiteral("txtTimes"), QStringLiteral("txtStatus"),
                          QStringLiteral("txtNotes"), QStringLiteral("txtName")}));
    QVERIFY(firstPage);
    QVERIFY(highlight);
    QVERIFY(!others);
    QVERIFY(waitBeforeClick);
    QVERIFY(resultPage);
    QCOMPARE(trovate, QStringLiteral("Il presente riepilogo contiene 1 schede."));
}

void TestPatientTools::findResultsPrintAndEmptyList()
{
    TestWorld world;
    writePatients({{QStringLiteral("Verdi Anna")}, {QStringLiteral("Rossi Mario")}});
    TfrmClients *card = showCard(world);
    int selected = -1;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        find->btnCercaClick();
        find->txtTrova->setText(QStringLiteral("VERDI"));
        find->btnTrovaClick();
        selected = find->lstRecords->selectedRow();
        find->btnStampaClick();
        find->btnChiudiClick();
    });
    card->cmdFind->click();
    QCOMPARE(selected, 1);
    const QList<Report::Page> pages = printedPages();
    QCOMPARE(pages.size(), 1);
    QCOMPARE(boxText(pages[0], "txtTitolo"), QStringLiteral("Riepilogo pazienti in archivio"));
    QCOMPARE(boxText(pages[0], "txtRiepilogo"), PatientLines::line(record({QStringLiteral("Rossi Mario")})) + '\n'
                                                    + PatientLines::line(record({QStringLiteral("Verdi Anna")})));
    QCOMPARE(boxText(pages[0], "txtPagina"), QStringLiteral("Printed on 10/12/2026"));
    QCOMPARE(card->lblPosizione->text(), QString()); // nothing loaded

    // No match: an empty result page, and "Trova" says the list is empty.
    QString trovate;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        find->txtName->setText(QStringLiteral("nessuno"));
        find->btnCercaClick();
        trovate = find->lblTrovate->text();
        find->btnTrovaClick();
    });
    card->cmdFind->click();
    QCOMPARE(trovate, QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("plain: Empty list!")});
}

void TestPatientTools::findArchiveFailureStaysOnSearchPage()
{
    TestWorld world;
    TfrmClients *card = showCard(world);
    QDir(world.folder()).mkdir(kPatientArchive); // a folder where the archive should be
    bool stays = false;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmFindClients *>(w);
        QTest::mouseClick(find->btnCerca, Qt::LeftButton);
        stays = find->panAvvio->isVisible() && !find->panContainer->isVisible() && find->lblAttendere->isVisible();
    });
    card->cmdFind->click();
    QVERIFY(stays);
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("plain: ") + kArchiveFailure});
}

void TestPatientTools::pendingIssuesListAndSettling()
{
    TestWorld world;
    const QString mobile = QStringLiteral("3331234567"), dentist = QStringLiteral("Dott. Neri");
    writePatients(
        {{QStringLiteral("Verdi Anna"), mobile, dentist, {}, {}, QStringLiteral("Acconto da versare")},
         {QStringLiteral("Rossi Mario")},
         {QStringLiteral("Bianchi Luca"), mobile, dentist, {}, {}, QStringLiteral("Radiografia da ritirare")}});
    TfrmClients *card = showCard(world);
    QStringList lines;
    Modal::queue([&](QWidget *w) {
        auto *issues = static_cast<TfrmListIssues *>(w);
        lines = issues->lstRecords->lines();
        issues->btnStampaClick();
        doubleClickRow(issues->lstRecords, 1);
    });
    card->cmdDefaulting->click();
    QCOMPARE(Modal::takeOpened(), QStringList{QStringLiteral("frmListIssues")});
    QCOMPARE(
        lines,
        (QStringList{
            PatientLines::issueLine(record(
                {QStringLiteral("Bianchi Luca"), mobile, dentist, {}, {}, QStringLiteral("Radiografia da ritirare")})),
            PatientLines::issueLine(record(
                {QStringLiteral("Verdi Anna"), mobile, dentist, {}, {}, QStringLiteral("Acconto da versare")}))}));
    const QList<Report::Page> pages = printedPages();
    QCOMPARE(pages.size(), 1);
    QCOMPARE(boxText(pages[0], "txtTitolo"), QStringLiteral("Riepilogo questioni in sospeso"));
    QCOMPARE(boxText(pages[0], "txtPagina"), QStringLiteral("Printed on 10/12/2026"));

    // Settling the issue: empty the field and save; the patient is not listed at the next opening.
    QCOMPARE(card->lblPosizione->text(), QStringLiteral("1"));
    card->txtIssues->setText(QStringLiteral("   "));
    card->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{info(QStringLiteral(
                                  "Le modifiche apportate alla scheda corrente sono state salvate in archivio."))});
    Modal::queue([&](QWidget *w) { lines = static_cast<TfrmListIssues *>(w)->lstRecords->lines(); });
    card->cmdDefaulting->click();
    QCOMPARE(lines.size(), 1);
    QVERIFY(lines[0].startsWith(QStringLiteral("Bianchi Luca")));

    // No issue at all: an empty list, and "Trova" says so.
    writePatients({{QStringLiteral("Rossi Mario"), {}, {}, {}, {}, QStringLiteral("  ")}});
    Modal::queue([&](QWidget *w) {
        auto *issues = static_cast<TfrmListIssues *>(w);
        lines = issues->lstRecords->lines();
        issues->btnTrovaClick();
        issues->btnChiudiClick();
    });
    card->cmdDefaulting->click();
    QVERIFY(lines.isEmpty());
    QCOMPARE(shownMessages(),
             QStringList{QStringLiteral("plain: Ricerca non applicabile: la lista non contiene nessuna voce.")});
}

void TestPatientTools::officeTable_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");
    QTest::newRow("001") << "001"
                         << "Torino";
    QTest::newRow("010") << "010"
                         << "Genova 1";
    QTest::newRow("040") << "040" << QStringLiteral("Forlì");
    QTest::newRow("066") << "066"
                         << "Aquila";
    QTest::newRow("095") << "095"
                         << "Oristano";
    QTest::newRow("096") << "096"
                         << "Monza (Milano 2)";
    QTest::newRow("097") << "097"
                         << "Prato (Firenze 2)";
    QTest::newRow("099") << "099"
                         << "Chiavari (Genova 2)";
    QTest::newRow("102") << "102"
                         << "Napoli 2";
    QTest::newRow("120") << "120"
                         << "Bologna 2";
    QTest::newRow("121") << "121"
                         << "Napoli 2";
    QTest::newRow("000") << "000" << QString();
    QTest::newRow("103") << "103" << QString();
    QTest::newRow("119") << "119" << QString();
    QTest::newRow("122") << "122" << QString();
    QTest::newRow("999") << "999" << QString();
}

void TestPatientTools::officeTable()
{
    QFETCH(QString, code);
    QFETCH(QString, name);
    QCOMPARE(TaxChecks::officeName(code), name);
    // 104 offices in all.
    int listed = 0;
    for (int c = 0; c < 1000; ++c)
        listed += TaxChecks::officeName(QStringLiteral("%1").arg(c, 3, 10, QLatin1Char('0'))).isEmpty() ? 0 : 1;
    QCOMPARE(listed, 104);
}

void TestPatientTools::codiceFiscale_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("result");
    const int length = int(TaxChecks::Result::WrongLength), valid = int(TaxChecks::Result::Valid),
              wrong = int(TaxChecks::Result::Wrong);
    QTest::newRow("valid") << "RSSMRA80A01H501U" << valid;
    QTest::newRow("lower case, the same") << "rssmra80a01h501u" << valid;
    QTest::newRow("another valid") << "BNCGLI85M41F205B" << valid;
    QTest::newRow("digits and letters mixed anywhere") << "0123456789ABCDEP" << valid;
    QTest::newRow("wrong check letter") << "RSSMRA80A01H501V" << wrong;
    QTest::newRow("a digit as the check character") << "RSSMRA80A01H5010" << wrong;
    QTest::newRow("15 characters") << "RSSMRA80A01H501" << length;
    QTest::newRow("17 characters") << "RSSMRA80A01H501UX" << length;
    QTest::newRow("empty") << "" << length;
    // The seven characters between 9 and A are worth 0 in both tables: ":" in an odd place
    // stands for a 0 sum where "B" (also 0 there) would.
    QTest::newRow("colon worth 0")
        << ":SSMRA80A01H501"
               + QString(QChar(TaxChecks::checkCharacter(QStringLiteral("BSSMRA80A01H501")).value_or(QLatin1Char('?'))))
        << valid;
    QTest::newRow("a blank inside: no value, ERRATO") << "RSSMRA80 01H501U" << wrong;
    QTest::newRow("an accented letter: no value, ERRATO") << QStringLiteral("RSSMR\u00C080A01H501U") << wrong;
}

void TestPatientTools::codiceFiscale()
{
    QFETCH(QString, code);
    QFETCH(int, result);
    QCOMPARE(int(TaxChecks::codiceFiscale(code)), result);
}

void TestPatientTools::partitaIva_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("office");
    const int length = int(TaxChecks::Result::WrongLength), valid = int(TaxChecks::Result::Valid),
              wrong = int(TaxChecks::Result::Wrong);
    QTest::newRow("all zeros: valid, no office") << "00000000000" << valid << QString();
    QTest::newRow("office 096") << "00000000968" << valid << "Monza (Milano 2)";
    QTest::newRow("office 096, another") << "12345670967" << valid << "Monza (Milano 2)";
    QTest::newRow("office 001") << "12345670017" << valid << "Torino";
    QTest::newRow("office 120") << "00000001206" << valid << "Bologna 2";
    QTest::newRow("office 103 not listed") << "00000001032" << valid << QString();
    QTest::newRow("wrong check digit") << "12345670968" << wrong << QString();
    QTest::newRow("a letter among 11") << "1234567096A" << wrong << QString();
    QTest::newRow("10 digits") << "0000000000" << length << QString();
    QTest::newRow("12 digits") << "000000000000" << length << QString();
}

void TestPatientTools::partitaIva()
{
    QFETCH(QString, number);
    QFETCH(int, result);
    QFETCH(QString, office);
    QCOMPARE(int(TaxChecks::partitaIva(number)), result);
    if (result == int(TaxChecks::Result::Valid))
        QCOMPARE(TaxChecks::officeOf(number), office);
}

// Clicks a check button of the card and, in the check window it opens, "Controlla": what the
// window's field held, and whether the window stayed open with the focus on that field.
struct TaxCheckRun
{
    QString value;
    bool open = false;
    bool focusOnField = false;
};

static TaxCheckRun runTaxCheck(TfrmClients *card, const QString &button, const QString &window)
{
    TaxCheckRun run;
    Modal::queue([&](QWidget *w) {
        auto *check = static_cast<TaxCheckWindow *>(w);
        auto *field = control<QLineEdit>(w, window == QLatin1String("frmCodFisc") ? "txtCodFisc" : "txtPartitaIva");
        run.value = field->text();
        check->btnControlla->click();
        run.open = check->isVisible();
        run.focusOnField = check->focusWidget() == field;
    });
    control<PictureButton>(card, qPrintable(button))->click();
    return run;
}

void TestPatientTools::taxCheckButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("taxNumber");
    QTest::addColumn<QString>("ssn");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("shownValue");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("stays");

    const QString pivaValid = QStringLiteral("information: Il numero di partita IVA digitato risulta VALIDO.\r\n\r\n"
                                             "E' stato rilasciato dall'Ufficio IVA del Comune di ");
    QTest::newRow("codice fiscale, valid")
        << "btnCodFisc"
        << "RSSMRA80A01H501U"
        << ""
        << "frmCodFisc"
        << "RSSMRA80A01H501U" << QStringList{QStringLiteral("information: Il codice fiscale digitato è VALIDO.")}
        << false;
    QTest::newRow("codice fiscale, wrong")
        << "btnCodFisc"
        << "RSSMRA80A01H501A"
        << ""
        << "frmCodFisc"
        << "RSSMRA80A01H501A"
        << QStringList{QStringLiteral("warning: Attenzione: il codice fiscale digitato è ERRATO.")} << false;
    QTest::newRow("codice fiscale, 15 characters: stays open")
        << "btnCodFisc"
        << "RSSMRA80A01H501"
        << ""
        << "frmCodFisc"
        << "RSSMRA80A01H501"
        << QStringList{QStringLiteral(
               "warning: Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.")}
        << true;
    QTest::newRow("empty codice fiscale opens its check")
        << "btnCodFisc"
        << ""
        << "00000000000"
        << "frmCodFisc"
        << ""
        << QStringList{QStringLiteral(
               "warning: Attenzione: il codice fiscale deve essere composto da 16 caratteri alfanumerici.")}
        << true;
    QTest::newRow("eleven digits in the codice fiscale: the partita IVA check")
        << "btnCodFisc"
        << "00000000968"
        << ""
        << "frmPartitaIva"
        << "00000000968" << QStringList{pivaValid + QStringLiteral("Monza (Milano 2).")} << false;
    QTest::newRow("partita IVA 00000000000: no office")
        << "btnPartitaIva"
        << "RSSMRA80A01H501U"
        << "00000000000"
        << "frmPartitaIva"
        << "00000000000" << QStringList{pivaValid + QStringLiteral(".")} << false;
    QTest::newRow("partita IVA, wrong")
        << "btnPartitaIva"
        << ""
        << "12345670968"
        << "frmPartitaIva"
        << "12345670968"
        << QStringList{QStringLiteral("warning: Attenzione: il numero di partita IVA digitato risulta ERRATO!\r\n\r\n"
                                      "Non è quindi possibile fornire informazioni relative all'Ufficio IVA che lo ha "
                                      "rilasciato.")}
        << false;
    QTest::newRow("partita IVA, 10 digits: stays open")
        << "btnPartitaIva"
        << ""
        << "1234567890"
        << "frmPartitaIva"
        << "1234567890"
        << QStringList{QStringLiteral(
               "warning: Attenzione: la partita IVA deve essere composta da 11 caratteri numerici.")}
        << true;
}

void TestPatientTools::taxCheckButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, taxNumber);
    QFETCH(QString, ssn);
    QFETCH(QString, window);
    QFETCH(QString, shownValue);
    QFETCH(QStringList, messages);
    QFETCH(bool, stays);

    TestWorld world;
    TfrmClients *card = showCard(world);
    card->txtTaxNumber->setText(taxNumber);
    card->txtSSN->setText(ssn);
    const TaxCheckRun run = runTaxCheck(card, button, window);

    QCOMPARE(Modal::takeOpened(), QStringList{window});
    QCOMPARE(run.value, shownValue);
    QCOMPARE(shownMessages(), messages);
    QCOMPARE(run.open, stays);
    if (stays)
        QVERIFY(run.focusOnField);
}

void TestPatientTools::taxCheckKeyboard()
{
    TestWorld world;
    TfrmClients *card = showCard(world);
    QString typed;
    bool focusAtShow = false, enterToButton = false;
    Modal::queue([&](QWidget *w) {
        auto *check = static_cast<TfrmCodFisc *>(w);
        QApplication::setActiveWindow(check);
        focusAtShow = QApplication::focusWidget() == check->txtCodFisc;
        QTest::keyClicks(check->txtCodFisc, QStringLiteral("rssmra80a01h501u"));
        typed = check->txtCodFisc->text();
        QTest::keyClick(check->txtCodFisc, Qt::Key_Return);
        enterToButton = QApplication::focusWidget() == check->btnControlla;
        QTest::keyClick(check->btnControlla, Qt::Key_Return); // a further Enter presses it
    });
    card->btnCodFisc->click();
    QVERIFY(focusAtShow);
    QCOMPARE(typed, QStringLiteral("RSSMRA80A01H501U"));
    QVERIFY(enterToButton);
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("information: Il codice fiscale digitato è VALIDO.")});

    Modal::queue([&](QWidget *w) {
        auto *check = static_cast<TfrmPartitaIva *>(w);
        QTest::keyClicks(check->txtPartitaIva, QStringLiteral("12a 3+4"));
        typed = check->txtPartitaIva->text();
        check->btnChiudiClick();
    });
    card->btnPartitaIva->click();
    QCOMPARE(typed, QStringLiteral("1234"));
    QVERIFY(shownMessages().isEmpty());
}

void TestPatientTools::taxCheckJudgesTheWholeText_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("taxNumber"); // as the card holds them
    QTest::addColumn<QString>("ssn");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("message");

    // Each text's first 16 or 11 characters alone would be VALIDO.
    QTest::newRow("16 digits in Codice fiscale: the partita IVA check, too long")
        << "btnCodFisc"
        << "0000000096812345"
        << ""
        << "frmPartitaIva" << warning(TaxChecks::kPivaLength);
    QTest::newRow("16 digits as partita IVA") << "btnPartitaIva"
                                              << ""
                                              << "0000000096812345"
                                              << "frmPartitaIva" << warning(TaxChecks::kPivaLength);
    QTest::newRow("a stored codice fiscale of 17 characters") << "btnCodFisc"
                                                              << "RSSMRA80A01H501UX"
                                                              << ""
                                                              << "frmCodFisc" << warning(TaxChecks::kCfLength);
    QTest::newRow("a stored partita IVA of 12 digits") << "btnPartitaIva"
                                                       << ""
                                                       << "000000009680"
                                                       << "frmPartitaIva" << warning(TaxChecks::kPivaLength);
    QTest::newRow("12 digits in Codice fiscale") << "btnCodFisc"
                                                 << "000000009680"
                                                 << ""
                                                 << "frmPartitaIva" << warning(TaxChecks::kPivaLength);
}

void TestPatientTools::taxCheckJudgesTheWholeText()
{
    QFETCH(QString, button);
    QFETCH(QString, taxNumber);
    QFETCH(QString, ssn);
    QFETCH(QString, window);
    QFETCH(QString, message);

    TestWorld world;
    TfrmClients *card = showCard(world);
    card->loadCard(1, patientRecord({.taxNumber = taxNumber, .ssn = ssn}));
    const TaxCheckRun run = runTaxCheck(card, button, window);

    QCOMPARE(Modal::takeOpened(), QStringList{window});
    QCOMPARE(run.value, taxNumber.isEmpty() ? ssn : taxNumber);
    QCOMPARE(shownMessages(), QStringList{message});
    QVERIFY(run.open);
    QVERIFY(run.focusOnField);
}

void TestPatientTools::taxCheckLimitFollowsTheText()
{
    // The longer text handed over stays editable: shortened to the identifier's length it is
    // checked as usual, and typing never makes it longer than it was.
    TestWorld world;
    TfrmClients *card = showCard(world);
    card->loadCard(1, patientRecord({.taxNumber = QStringLiteral("RSSMRA80A01H501UX")}));
    QString grown, shortened, regrown;
    Modal::queue([&](QWidget *w) {
        auto *check = static_cast<TfrmCodFisc *>(w);
        check->txtCodFisc->setFocus();
        check->txtCodFisc->setCursorPosition(17);
        QTest::keyClicks(check->txtCodFisc, QStringLiteral("y"));
        grown = check->txtCodFisc->text();
        QTest::keyClick(check->txtCodFisc, Qt::Key_Backspace);
        shortened = check->txtCodFisc->text();
        QTest::keyClicks(check->txtCodFisc, QStringLiteral("x"));
        regrown = check->txtCodFisc->text();
        check->btnControlla->click();
    });
    card->btnCodFisc->click();
    QCOMPARE(grown, QStringLiteral("RSSMRA80A01H501UX"));
    QCOMPARE(shortened, QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(regrown, QStringLiteral("RSSMRA80A01H501U"));
    QCOMPARE(shownMessages(), QStringList{info(TaxChecks::kCfValid)});
}

void TestPatientTools::attachCopiesAndApplies()
{
    TestWorld world;
    TfrmClients *card = showCard(world); // a new card: attaching works before the first save
    const QString source =
        writeSource(world.folder() + QStringLiteral("altrove"), QStringLiteral("lastra.png"), QByteArray("PNG-DATA"));
    setAttachment(card, 1, QStringLiteral(" vecchio.pdf "));
    setAttachment(card, 4, QStringLiteral("Vecchia"));
    QString shownFile02;
    bool openBefore = true, openAfter = false, openTwo = false;
    QStringList opened;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        shownFile02 = attach->txtFile02->text();
        openTwo = attach->btnApri02->isEnabled();
        openBefore = attach->btnApri01->isEnabled();
        FileDialog::setNextFileName(source);
        attach->btnSfoglia01->click();
        openAfter = attach->btnApri01->isEnabled();
        attach->txtDesc01->setText(QStringLiteral("Radiografia"));
        attach->btnApri01->click();
        opened = TMisc::takeOpened();
        attach->btnApplica->click();
    });
    card->cmdAttach->click();

    QCOMPARE(shownFile02, QStringLiteral("vecchio.pdf"));
    QVERIFY(openTwo);
    QVERIFY(!openBefore);
    QVERIFY(openAfter);
    const QList<FileDialog::Asked> asked = FileDialog::takeAsked();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked[0].caption, QStringLiteral("Selezionare il file da allegare:"));
    QCOMPARE(asked[0].filter, QStringLiteral("Tutti i file (*.*)"));
    const QString copy = world.folder() + QStringLiteral("Documenti_Allegati/lastra.png");
    QCOMPARE(readFile(copy), QByteArray("PNG-DATA"));
    QCOMPARE(opened, QStringList{QLatin1Char('"') + copy + QLatin1Char('"')});
    QCOMPARE(card->attachmentTexts().at(0), QStringLiteral("lastra.png"));
    QCOMPARE(card->attachmentTexts().at(3), QStringLiteral("Radiografia"));
    QCOMPARE(card->attachmentTexts().at(1), QStringLiteral("vecchio.pdf"));
    QCOMPARE(card->attachmentTexts().at(4), QStringLiteral("Vecchia"));
    QVERIFY(shownMessages().isEmpty());

    // The names reach the file with the card's save.
    card->txtName->setText(QStringLiteral("Rossi Mario"));
    card->txtMobilePhone->setText(QStringLiteral("3331234567"));
    card->cmdSaveClick();
    shownMessages();
    QCOMPARE(PatientLines::readCard(1).File01.text(), QStringLiteral("lastra.png"));
    QCOMPARE(PatientLines::readCard(1).Desc01.text(), QStringLiteral("Radiografia"));
}

void TestPatientTools::attachOverwrite_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes replaces the file") << true;
    QTest::newRow("No keeps the file, the slot names it") << false;
}

void TestPatientTools::attachOverwrite()
{
    QFETCH(bool, yes);
    TestWorld world;
    TfrmClients *card = showCard(world);
    const QString existing = writeSource(world.folder() + QStringLiteral("Documenti_Allegati"),
                                         QStringLiteral("referto.pdf"), QByteArray("OTHER PATIENT"));
    const QString source =
        writeSource(world.folder() + QStringLiteral("altrove"), QStringLiteral("referto.pdf"), QByteArray("MINE"));
    QString field;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        Messages::queueAnswer(yes);
        attach->btnSfoglia03->click();
        field = attach->txtFile03->text();
    });
    card->cmdAttach->click();

    QCOMPARE(shownMessages(), QStringList{QStringLiteral(
                                  "confirmation: Attenzione: nella cartella dei documenti allegati è presente "
                                  "un file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?")});
    QCOMPARE(field, QStringLiteral("referto.pdf"));
    QCOMPARE(readFile(existing), yes ? QByteArray("MINE") : QByteArray("OTHER PATIENT"));
    QCOMPARE(QDir(world.folder() + QStringLiteral("Documenti_Allegati")).entryList(QDir::Files),
             QStringList{QStringLiteral("referto.pdf")});
}

void TestPatientTools::attachCancelAndClear()
{
    TestWorld world;
    TfrmClients *card = showCard(world);
    setAttachment(card, 0, QStringLiteral("vecchio.pdf"));
    setAttachment(card, 3, QStringLiteral("Vecchia"));
    const QString source =
        writeSource(world.folder() + QStringLiteral("altrove"), QStringLiteral("nuovo.pdf"), QByteArray("NEW"));
    const QString copy = world.folder() + QStringLiteral("Documenti_Allegati/nuovo.pdf");

    // The file dialog cancelled: nothing changes.
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        attach->btnSfoglia01->click(); // no name queued: cancelled
        QCOMPARE(attach->txtFile01->text(), QStringLiteral("vecchio.pdf"));
        // "Annulla" after a copy: the card keeps its texts, the copy stays.
        FileDialog::setNextFileName(source);
        attach->btnSfoglia01->click();
        attach->btnAnnulla->click();
    });
    card->cmdAttach->click();
    QCOMPARE(card->attachmentTexts().at(0), QStringLiteral("vecchio.pdf"));
    QVERIFY(QFile::exists(copy));

    // The eraser empties the name only: the description and the copy stay.
    bool openEnabled = true;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        attach->btnSfoglia01->click();
        attach->imgCancella01->click();
        openEnabled = attach->btnApri01->isEnabled();
        attach->btnApplica->click();
    });
    card->cmdAttach->click();
    QVERIFY(!openEnabled);
    QCOMPARE(card->attachmentTexts().at(0), QString());
    QCOMPARE(card->attachmentTexts().at(3), QStringLiteral("Vecchia"));
    QVERIFY(QFile::exists(copy));
    QCOMPARE(shownMessages().size(), 1); // the copy of the first opening is there: replace it?

    // "Applica e chiudi" acts only when the window was opened for a card.
    Attachments::Texts texts;
    texts.files[0] = QStringLiteral("a.pdf");
    TfrmAllegaCartella other(nullptr, texts, TfrmAllegaCartella::Mode::LookOnly);
    bool applied = false;
    connect(&other, &TfrmAllegaCartella::applied, &other, [&applied] { applied = true; });
    other.show();
    other.btnApplicaClick();
    QVERIFY(!applied);
    QVERIFY(other.isVisible());
}

void TestPatientTools::attachFailureKeepsTheField_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("the folder cannot be created") << "folder";
    QTest::newRow("the file cannot be read") << "source";
    QTest::newRow("the folder cannot be written") << "readonly";
}

void TestPatientTools::attachFailureKeepsTheField()
{
    QFETCH(QString, failure);
    TestWorld world;
    TfrmClients *card = showCard(world);
    setAttachment(card, 1, QStringLiteral("referto.pdf"));
    const QString folder = world.folder() + QStringLiteral("Documenti_Allegati");
    QString source =
        writeSource(world.folder() + QStringLiteral("altrove"), QStringLiteral("referto.pdf"), QByteArray("NEW"));
    if (failure == QLatin1String("folder"))
        world.write(QStringLiteral("Documenti_Allegati"), QByteArray("a file in the folder's place"));
    else
        writeSource(folder, QStringLiteral("referto.pdf"), QByteArray("OLD"));
    if (failure == QLatin1String("source"))
        source = world.folder() + QStringLiteral("altrove/manca.pdf");
    std::optional<WithoutOverride> noOverride;
    if (failure == QLatin1String("readonly")) {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        noOverride.emplace();
    }

    QString field;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        Messages::queueAnswer(true); // replace the file of the same name
        attach->btnSfoglia02->click();
        field = attach->txtFile02->text();
        attach->btnApplica->click();
    });
    card->cmdAttach->click();
    noOverride.reset();
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QStringList messages = shownMessages();
    messages.removeAll(QStringLiteral("confirmation: Attenzione: nella cartella dei documenti allegati è presente "
                                      "un file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"));
    QCOMPARE(messages, QStringList{error(kArchiveFailure)});
    QCOMPARE(field, QStringLiteral("referto.pdf")); // as it was
    QCOMPARE(card->attachmentTexts().at(1), QStringLiteral("referto.pdf"));
    if (failure != QLatin1String("folder")) {
        // The file of that name is whole, and nothing half-written lies beside it.
        QCOMPARE(readFile(folder + QStringLiteral("/referto.pdf")), QByteArray("OLD"));
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("referto.pdf")});
    }
}

void TestPatientTools::attachNeverClashes_data()
{
    QTest::addColumn<QStringList>("named");   // the first attachment of each card in the archive
    QTest::addColumn<QStringList>("present"); // the files in the attachments folder
    QTest::addColumn<int>("position");        // of the card being edited (0: a new card)
    QTest::addColumn<QStringList>("fields");  // its three file names in the window
    QTest::addColumn<QString>("chosen");      // the chosen file's name
    QTest::addColumn<QString>("stored");      // the name of the copy, in the slot
    QTest::addColumn<bool>("asked");          // whether replacing was asked

    const QString img = QStringLiteral("IMG_0001.jpg");
    const QString scan = QStringLiteral("scan.pdf");
    QTest::newRow("another card's file: a free name beside it")
        << QStringList{img} << QStringList{img} << 0 << QStringList{} << img << "IMG_0001 (2).jpg" << false;
    QTest::newRow("the next name taken too")
        << QStringList{img, QStringLiteral("IMG_0001 (2).jpg")} << QStringList{img, QStringLiteral("IMG_0001 (2).jpg")}
        << 0 << QStringList{} << img << "IMG_0001 (3).jpg" << false;
    QTest::newRow("a free name on a card, its file missing: not taken either")
        << QStringList{img, QStringLiteral("IMG_0001 (2).jpg")} << QStringList{img} << 0 << QStringList{} << img
        << "IMG_0001 (3).jpg" << false;
    QTest::newRow("another card names it, its file missing")
        << QStringList{scan} << QStringList{} << 0 << QStringList{} << scan << "scan (2).pdf" << false;
    QTest::newRow("another card names it in other letters")
        << QStringList{QStringLiteral("SCAN.PDF")} << QStringList{QStringLiteral("SCAN.PDF")} << 0 << QStringList{}
        << scan << "scan (2).pdf" << false;
    QTest::newRow("a file in other letters no card names") << QStringList{} << QStringList{QStringLiteral("Scan.pdf")}
                                                           << 0 << QStringList{} << scan << "scan (2).pdf" << false;
    QTest::newRow("this card's other slot names it")
        << QStringList{QStringLiteral("altro.pdf")} << QStringList{scan} << 1 << QStringList{{}, scan, {}} << scan
        << "scan (2).pdf" << false;
    QTest::newRow("this card's own file in this slot: asked")
        << QStringList{scan} << QStringList{scan} << 1 << QStringList{scan} << scan << "scan.pdf" << true;
    QTest::newRow("a file no card names: asked") << QStringList{QStringLiteral("altro.pdf")} << QStringList{scan} << 0
                                                 << QStringList{} << scan << "scan.pdf" << true;
    QTest::newRow("a name without extension")
        << QStringList{QStringLiteral("referto")} << QStringList{QStringLiteral("referto")} << 0 << QStringList{}
        << "referto"
        << "referto (2)" << false;
    QTest::newRow("no clash: stored as it is")
        << QStringList{QStringLiteral("altro.pdf")} << QStringList{QStringLiteral("altro.pdf")} << 0 << QStringList{}
        << scan << "scan.pdf" << false;
}

void TestPatientTools::attachNeverClashes()
{
    QFETCH(QStringList, named);
    QFETCH(QStringList, present);
    QFETCH(int, position);
    QFETCH(QStringList, fields);
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    QFETCH(bool, asked);

    TestWorld world;
    QList<PatientFixture> cards;
    for (const QString &name : named)
        cards.append({.attachments = {name}});
    writePatientArchive(cards);
    const QString folder = world.folder() + QStringLiteral("Documenti_Allegati");
    for (const QString &name : present)
        writeSource(folder, name, name.toUtf8());
    const QString source = writeSource(world.folder() + QStringLiteral("altrove"), chosen, QByteArray("NEW"));
    TfrmClients *card = showCard(world);
    if (position > 0)
        card->loadCard(position, patientRecord(cards.at(position - 1)));
    card->setAttachmentTexts(fields + QStringList(6 - fields.size(), QString()));

    QString field;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        attach->btnSfoglia01->click(); // Yes, when asked
        field = attach->txtFile01->text();
        attach->btnApplica->click();
    });
    card->cmdAttach->click();

    QCOMPARE(shownMessages(),
             asked ? QStringList{QStringLiteral("confirmation: ") + Attachments::kOverwrite} : QStringList());
    QCOMPARE(field, stored);
    QCOMPARE(card->attachmentTexts().at(0), stored);
    QCOMPARE(readFile(folder + QLatin1Char('/') + stored), QByteArray("NEW"));
    // Every other file keeps what it held.
    for (const QString &name : present)
        if (name != stored)
            QCOMPARE(readFile(folder + QLatin1Char('/') + name), name.toUtf8());
}

void TestPatientTools::attachWhenTheArchiveCannotBeRead()
{
    // Whose file is which cannot be told: no file of the folder is replaced, none asked about.
    TestWorld world;
    QVERIFY(QDir(world.folder()).mkdir(kPatientArchive));
    const QString folder = world.folder() + QStringLiteral("Documenti_Allegati");
    writeSource(folder, QStringLiteral("scan.pdf"), QByteArray("OTHER"));
    const QString source =
        writeSource(world.folder() + QStringLiteral("altrove"), QStringLiteral("scan.pdf"), QByteArray("NEW"));
    TfrmClients *card = showCard(world);
    QString field;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        attach->btnSfoglia01->click();
        field = attach->txtFile01->text();
    });
    card->cmdAttach->click();
    QCOMPARE(shownMessages(), QStringList());
    QCOMPARE(field, QStringLiteral("scan (2).pdf"));
    QCOMPARE(readFile(folder + QStringLiteral("/scan.pdf")), QByteArray("OTHER"));
    QCOMPARE(readFile(folder + QStringLiteral("/scan (2).pdf")), QByteArray("NEW"));
}

void TestPatientTools::attachOverwriteEscapeAnswersNo()
{
    // The real question box: Escape keeps the file there, which the slot then names.
    TestWorld world;
    const QString folder = world.folder() + QStringLiteral("Documenti_Allegati");
    writeSource(folder, QStringLiteral("scan.pdf"), QByteArray("ORPHAN"));
    const QString source =
        writeSource(world.folder() + QStringLiteral("altrove"), QStringLiteral("scan.pdf"), QByteArray("NEW"));
    TfrmClients *card = showCard(world);
    QString field, asked;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        Messages::setTestMode(false);
        QTimer::singleShot(0, [&asked] {
            QWidget *box = QApplication::activeModalWidget();
            if (auto *question = qobject_cast<QMessageBox *>(box)) {
                asked = question->text();
                QTest::keyClick(question, Qt::Key_Escape);
            }
        });
        attach->btnSfoglia01->click();
        Messages::setTestMode(true);
        field = attach->txtFile01->text();
    });
    card->cmdAttach->click();
    QVERIFY(asked.startsWith(QStringLiteral("Attenzione: nella cartella dei documenti allegati")));
    QCOMPARE(field, QStringLiteral("scan.pdf"));
    QCOMPARE(readFile(folder + QStringLiteral("/scan.pdf")), QByteArray("ORPHAN"));
}

void TestPatientTools::storableNames_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("stored");

    QTest::newRow("letters of the code page stay")
        << QStringLiteral("Città è già ß €.pdf") << QStringLiteral("Città è già ß €.pdf");
    QTest::newRow("letters outside it: their plain letter")
        << QStringLiteral("\u0218tef\u0103nescu \u0141\u00F3d\u017A.pdf") << QStringLiteral("Stefanescu _ódz.pdf");
    QTest::newRow("accents written apart") << QStringLiteral("Ce\u0301sar.txt") << QStringLiteral("César.txt");
    QTest::newRow("a ligature") << QStringLiteral("\uFB01le.txt") << QStringLiteral("file.txt");
    QTest::newRow("no plain letter") << QStringLiteral("\u0395\u03BB\u03BB\u03AC\u03B4\u03B1 \U0001F600.jpg")
                                     << QStringLiteral("______ _.jpg");
    QTest::newRow("characters Windows forbids")
        << QStringLiteral("a<b>c:d\"e|f*g?h\\i.txt") << QStringLiteral("a_b_c_d_e_f_g_h_i.txt");
    QTest::newRow("control codes") << QStringLiteral("a\tb\u0001c\u0085.txt") << QStringLiteral("a_b_c_.txt");
    QTest::newRow("blanks and dots at the ends") << QStringLiteral("  referto. . ") << QStringLiteral("referto");
    QTest::newRow("a device name") << QStringLiteral("con.txt") << QStringLiteral("con_.txt");
    QTest::newRow("a device name alone") << QStringLiteral("LPT1") << QStringLiteral("LPT1_");
    QTest::newRow("nothing left") << QStringLiteral("...") << QStringLiteral("_");
    QTest::newRow("too long for the card: cut before the extension")
        << QString(300, QLatin1Char('x')) + QStringLiteral(".pdf")
        << QString(246, QLatin1Char('x')) + QStringLiteral(".pdf");
}

void TestPatientTools::storableNames()
{
    QFETCH(QString, source);
    QFETCH(QString, stored);
    const QString name = Attachments::storableName(source);
    QCOMPARE(name, stored);
    // The card holds exactly that name, and Windows allows it.
    QCOMPARE(AnsiText::fromAnsi(AnsiText::toAnsi(name)), name);
    QCOMPARE(AnsiText::trimmed(name), name);
    QVERIFY(name.size() <= 250);
    for (QChar c : name)
        QVERIFY2(c.unicode() >= 32 && !QStringLiteral("<>:\"/\\|?*").contains(c), qPrintable(name));
    QVERIFY(!name.endsWith(QLatin1Char('.')));
    // A free name beside it stays within the card too.
    const QString free = Attachments::freeName(name, {Attachments::folded(name)});
    QVERIFY(free != name);
    QVERIFY(free.size() <= 250);
    QCOMPARE(AnsiText::fromAnsi(AnsiText::toAnsi(free)), free);
}

void TestPatientTools::attachUnderTheNameTheCardHolds()
{
    // The card saved with the name names the copy: the file is there under that very name.
    TestWorld world;
    TfrmClients *card = showCard(world);
    const QString source = writeSource(world.folder() + QStringLiteral("altrove"),
                                       QStringLiteral("\u0218tef\u0103nescu?.pdf"), QByteArray("REFERTO"));
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        attach->btnSfoglia02->click();
        attach->btnApplica->click();
    });
    card->cmdAttach->click();
    card->txtName->setText(QStringLiteral("Rossi Mario"));
    card->txtMobilePhone->setText(QStringLiteral("3331234567"));
    card->cmdSaveClick();
    shownMessages();

    const QString named = PatientLines::readCard(1).File02.text();
    QCOMPARE(named, QStringLiteral("Stefanescu_.pdf"));
    QCOMPARE(readFile(Attachments::pathOf(named)), QByteArray("REFERTO"));
    QCOMPARE(QDir(Attachments::folder()).entryList(QDir::Files), QStringList{named});
}

void TestPatientTools::attachOpenStaysInTheFolder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("link"); // the name is a link in the folder to a file outside it
    QTest::newRow("up and out") << "../../../../etc/passwd" << false;
    QTest::newRow("an absolute path") << "/etc/passwd" << false;
    QTest::newRow("the folder above") << ".." << false;
    QTest::newRow("a folder inside") << "sub/referto.pdf" << false;
    QTest::newRow("Windows separators") << "..\\..\\Windows\\win.ini" << false;
    QTest::newRow("a link in the folder that leads out") << "referto.pdf" << true;
}

void TestPatientTools::attachOpenStaysInTheFolder()
{
    QFETCH(QString, stored);
    QFETCH(bool, link);
    TestWorld world;
    writePatientArchive({{.attachments = {stored}}});
    if (link) {
        QVERIFY(Attachments::ensureFolder(Attachments::folder()));
        QVERIFY(QFile::link(QStringLiteral("/etc/passwd"), Attachments::pathOf(stored)));
    }
    TfrmClients *card = showCard(world);
    card->loadCard(1, PatientLines::readCard(1));
    bool enabled = false;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        enabled = attach->btnApri01->isEnabled();
        attach->btnApri01->click();
        attach->btnAnnulla->click();
    });
    card->cmdAttach->click();
    QVERIFY(enabled);
    QCOMPARE(TMisc::takeOpened(), QStringList());
    QCOMPARE(shownMessages(), QStringList{warning(Attachments::kOutsideFolder)});
}

void TestPatientTools::attachRegularFilesOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a named pipe") << "pipe";
    QTest::newRow("a folder") << "folder";
}

void TestPatientTools::attachRegularFilesOnly()
{
    QFETCH(QString, kind);
    TestWorld world;
    const QString source = world.folder() + QStringLiteral("altrove");
    if (kind == QLatin1String("pipe")) {
        QVERIFY(::mkfifo(QFile::encodeName(source).constData(), 0600) == 0);
    } else {
        QVERIFY(QDir().mkpath(source));
    }
    // Should the pipe be opened for reading, a writer comes after a while and goes at once, so
    // that the test fails instead of blocking for ever.
    std::atomic<bool> done = false;
    std::thread rescuer([&] {
        for (int i = 0; !done && i < 100; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        while (!done) {
            const int fd = ::open(QFile::encodeName(source).constData(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0)
                ::close(fd);
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    TfrmClients *card = showCard(world);
    setAttachment(card, 0, QStringLiteral("vecchio.pdf"));
    QString field;
    Modal::queue([&](QWidget *w) {
        auto *attach = static_cast<TfrmAllegaCartella *>(w);
        FileDialog::setNextFileName(source);
        attach->btnSfoglia01->click();
        field = attach->txtFile01->text();
        attach->btnApplica->click();
    });
    card->cmdAttach->click();
    done = true;
    rescuer.join();

    QCOMPARE(shownMessages(), QStringList{warning(Attachments::kNotAFile)});
    QCOMPARE(field, QStringLiteral("vecchio.pdf"));
    QVERIFY(QDir(Attachments::folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());

    // The copy itself takes regular files only, also when the check before it is passed by.
    QVERIFY(Attachments::ensureFolder(Attachments::folder()));
    QCOMPARE(int(Attachments::copyIn(source, QStringLiteral("x"))), int(Attachments::Copy::NotAFile));
    QVERIFY(!QFileInfo::exists(Attachments::pathOf(QStringLiteral("x"))));
}

void TestPatientTools::attachedFolder()
{
    TestWorld world;
    TfrmClients *card = showCard(world);
    card->txtName->setText(QStringLiteral("Rossi Mario"));
    card->btnFolder->click();
    QCOMPARE(shownMessages(), QStringList{warning(QStringLiteral(
                                  "Attenzione: l'abbinamento di una cartella ad un paziente può avvenire soltanto "
                                  "dopo che la scheda è stata inserita in archivio."))});
    QVERIFY(Modal::takeOpened().isEmpty());

    card->setPosition(3);
    QString memory;
    bool closed = false;
    for (int i = 0; i < 2; ++i) {
        Modal::queue([&](QWidget *w) {
            auto *folder = static_cast<TfrmAttachedFolder *>(w);
            memory = folder->position();
            folder->btnApriCartella->click();
            closed = !folder->isVisible();
        });
        card->btnFolder->click();
        QCOMPARE(memory, QStringLiteral("3"));
        QVERIFY(closed);
        QVERIFY(QFileInfo(world.folder() + QStringLiteral("Cliente_3")).isDir());
        QCOMPARE(TMisc::takeOpened(),
                 QStringList{QLatin1Char('"') + world.folder() + QStringLiteral("Cliente_3") + QLatin1Char('"')});
    }
    QCOMPARE(Modal::takeOpened(),
             (QStringList{QStringLiteral("frmAttachedFolder"), QStringLiteral("frmAttachedFolder")}));

    // "Chiudi" does nothing else.
    Modal::queue([](QWidget *w) { static_cast<TfrmAttachedFolder *>(w)->btnChiudi->click(); });
    card->setPosition(4);
    card->btnFolder->click();
    QVERIFY(!QFileInfo::exists(world.folder() + QStringLiteral("Cliente_4")));
    QVERIFY(TMisc::takeOpened().isEmpty());
    QVERIFY(shownMessages().isEmpty());
}

void TestPatientTools::emailAndIssueIcons()
{
    TestWorld world;
    TfrmClients *card = showCard(world);
    card->txtEmail->setText(QStringLiteral(" anna@posta.example "));
    card->btnEmail->click();
    card->txtEmail->clear();
    card->btnEmail->click();
    QCOMPARE(TMisc::takeOpened(),
             (QStringList{QStringLiteral("\"mailto:anna@posta.example\""), QStringLiteral("\"mailto:\"")}));

    card->txtName->setFocus();
    card->icoIssues->click();
    QCOMPARE(shownMessages(),
             QStringList{info(QStringLiteral(
                 "Descrivere eventuali questioni in sospeso con il paziente in questo campo di testo.\n\r\n\r"
                 "Se non ci sono questioni in sospeso, lasciare vuoto il campo.\n\r\n\r"
                 "Premere il pulsante con l'icona del triangolo giallo per visualizzare l'elenco di tutte le "
                 "questioni in sospeso."))});
    QCOMPARE(QApplication::focusWidget(), card->txtIssues);
}

void TestPatientTools::windowsLookAndNames_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::newRow("find patients") << "cmdFind"
                                   << "frmFindClients"
                                   << " Trova pazienti in archivio" << QSize(862, 560);
    QTest::newRow("pending issues") << "cmdDefaulting"
                                    << "frmListIssues"
                                    << " Riepilogo questioni in sospeso" << QSize(862, 560);
    QTest::newRow("codice fiscale") << "btnCodFisc"
                                    << "frmCodFisc"
                                    << " Controllo codice fiscale" << QSize(478, 254);
    QTest::newRow("partita IVA") << "btnPartitaIva"
                                 << "frmPartitaIva"
                                 << " Controllo partita IVA" << QSize(480, 254);
    QTest::newRow("attached files") << "cmdAttach"
                                    << "frmAllegaCartella"
                                    << " Allega file" << QSize(634, 534);
    QTest::newRow("attached folder") << "btnFolder"
                                     << "frmAttachedFolder"
                                     << " Gestione cartella abbinata alla scheda corrente" << QSize(671, 545);
}

void TestPatientTools::windowsLookAndNames()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QSize, size);

    TestWorld world;
    writePatients({{QStringLiteral("Rossi Mario"), {}, {}, {}, {}, QStringLiteral("Saldo")}});
    TfrmClients *card = showCard(world);
    card->setPosition(1);
    QString name, title, missing, missingResults;
    QSize shown;
    bool named = false, namedResults = true;
    Modal::queue([&](QWidget *w) {
        name = w->objectName();
        title = w->windowTitle();
        shown = w->size();
        named = everyControlNamed(w, missing);
        if (auto *find = qobject_cast<TfrmFindClients *>(w)) {
            find->btnCercaClick();
            namedResults = everyControlNamed(w, missingResults);
        }
    });
    control<PictureButton>(card, qPrintable(button))->click();
    QCOMPARE(name, window);
    QCOMPARE(title, caption);
    QCOMPARE(shown, size);
    QVERIFY2(named, qPrintable(missing));
    QVERIFY2(namedResults, qPrintable(missingResults));
}

QTEST_MAIN(TestPatientTools)
#include "tst_patienttools.moc"
