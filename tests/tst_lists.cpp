// The appointment lists: the list line, the three status lists, find appointments, the
// find-in-list shared by every list window, reopening a card and printing a list.
#include "support/Fixtures.h"
#include "support/ListClicks.h"
#include "support/ListScreen.h"
#include "support/TestSupport.h"

#include "base/LineOrder.h"
#include "base/TextRules.h"
#include "ui/FixedList.h"
#include "appointments/AppointmentLines.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmStatusList.h"
#include "appointments/frmTrovaScadenze.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/ProgramFolder.h"
#include "print/ReportRenderer.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <cstring>

Q_DECLARE_METATYPE(AppointmentLines::Status)

namespace {

// A card of these tests: its leading fields given in this order, the rest these defaults.
struct Card : AppointmentFixture
{
    Card(QString data = {}, QString flag = kFlagNo, QString contatto = QStringLiteral("Rossi Mario"),
         QString causale = QStringLiteral("Otturazione"), QString cel = QStringLiteral("3471234567"),
         QString tipologia = {}, QString ora = QStringLiteral("10:30"), QString importo = QStringLiteral("80,00"))
        : AppointmentFixture{.data = data,
                             .ore = ora.left(2),
                             .minuti = ora.mid(3),
                             .ora = ora,
                             .avviso = QStringLiteral("1"),
                             .tipologia = tipologia,
                             .causale = causale,
                             .contatto = contatto,
                             .cel = cel,
                             .importo = importo,
                             .flag = flag}
    {}
};

void writeArchive(const QList<Card> &cards) { writeAppointmentArchive({cards.begin(), cards.end()}); }

QStringList linesOf(const QList<Card> &cards, const QList<int> &positions)
{
    QStringList lines;
    for (int p : positions)
        lines.append(AppointmentLines::line(appointmentRecord(cards[p - 1])));
    return lines;
}

// Today is 10/12/2026 in every test world.
const QList<Card> &statusArchive()
{
    static const QList<Card> cards = {
        {QStringLiteral("09/12/2026")},                                   // 1 yesterday, not fulfilled
        {QStringLiteral("10/12/2026")},                                   // 2 today, not fulfilled
        {QStringLiteral("01/01/2020"), kFlagYes},                         // 3 fulfilled long ago
        {QStringLiteral("31/02/2026")},                                   // 4 a date that does not exist
        {QStringLiteral("01/12/2026"), kFlagNo, QStringLiteral("Verdi")}, // 5 past due, after the bad one
        {QStringLiteral("05/05/2025"), QStringLiteral("si")},             // 6 neither flag
        {QStringLiteral("11/12/2026"), kFlagYes},                         // 7 fulfilled ahead of its date
    };
    return cards;
}

void activate(QWidget *w)
{
    w->activateWindow();
    QApplication::setActiveWindow(w);
}

} // namespace

class TestLists : public QObject
{
    Q_OBJECT

private slots:
    void appointmentLine_data();
    void appointmentLine();
    void selectionRules_data();
    void selectionRules();
    void statusListWindows_data();
    void statusListWindows();
    void statusListArchiveFailure();
    void findInList_data();
    void findInList();
    void findInListWindow();
    void reopeningACard_data();
    void reopeningACard();
    void findCriteria_data();
    void findCriteria();
    void criterionAnywhereInItsField_data();
    void criterionAnywhereInItsField();
    void findWindowSearchAndResults();
    void findWindowEmptyArchive();
    void findWindowArchiveFailure();
    void findWindowKeyboard();
    void linesBuiltWhenAsked();
    void positionsOfEveryList_data();
    void positionsOfEveryList();
    void printingAListTheArchiveLost();
    void linesScrollSideways_data();
    void linesScrollSideways();
    void listKeys_data();
    void listKeys();
    void listPagesClicksAndScreenReader();
    void scrolledListShowsItsLines_data();
    void scrolledListShowsItsLines();
    void lineOrderKeysOrderAsTheLines();
};

void TestLists::appointmentLine_data()
{
    QTest::addColumn<QString>("causale");
    QTest::addColumn<QString>("contatto");
    QTest::addColumn<QString>("cel");
    QTest::addColumn<QString>("causaleColumn");
    QTest::addColumn<QString>("contattoColumn");
    QTest::addColumn<QString>("celColumn");

    QTest::newRow("short texts are padded")
        << "Otturazione"
        << "Rossi Mario"
        << "347123" << QStringLiteral("Otturazione").leftJustified(40)
        << QStringLiteral("Rossi Mario").leftJustified(30) << QStringLiteral("347123").leftJustified(14);
    QTest::newRow("long texts are cut") << QStringLiteral("Igiene orale professionale con sbiancamento e controllo")
                                        << QStringLiteral("Verdi Anna Maria Giuseppina Lucrezia")
                                        << QStringLiteral("00393471234567890")
                                        << QStringLiteral("Igiene orale professionale con sbiancame")
                                        << QStringLiteral("Verdi Anna Maria Giuseppina Lu")
                                        << QStringLiteral("00393471234567");
}

void TestLists::appointmentLine()
{
    QFETCH(QString, causale);
    QFETCH(QString, contatto);
    QFETCH(QString, cel);
    QFETCH(QString, causaleColumn);
    QFETCH(QString, contattoColumn);
    QFETCH(QString, celColumn);

    Card c{QStringLiteral("12/12/2026")};
    c.causale = causale;
    c.contatto = contatto;
    c.cel = cel;
    c.ora = QStringLiteral("9:05");
    const QString line = AppointmentLines::line(appointmentRecord(c));

    // The columns stand at the same places whatever the texts, so they align in Courier.
    QCOMPARE(line.left(30), QStringLiteral("Data: 12/12/2026  Ora: 9:05   "));
    QCOMPARE(line.mid(30, 40), causaleColumn);
    QCOMPARE(line.mid(70, 12), QStringLiteral("  Paziente: "));
    QCOMPARE(line.mid(82, 30), contattoColumn);
    QCOMPARE(line.mid(112, 7), QStringLiteral("  Cel. "));
    QCOMPARE(line.mid(119, 14), celColumn);
    QCOMPARE(line.mid(133), QStringLiteral("  Importo: \u20AC 80,00"));
}

void TestLists::selectionRules_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("toFulfil");
    QTest::addColumn<bool>("pastDue");
    QTest::addColumn<bool>("fulfilled");

    QTest::newRow("today, not fulfilled") << "10/12/2026"
                                          << "No" << true << false << false;
    QTest::newRow("yesterday, not fulfilled") << "09/12/2026"
                                              << "No" << true << true << false;
    QTest::newRow("next year, not fulfilled") << "10/12/2027"
                                              << "No" << true << false << false;
    QTest::newRow("past, fulfilled") << "09/12/2026"
                                     << "S\u00EC" << false << false << true;
    QTest::newRow("future, fulfilled") << "11/12/2026"
                                       << "S\u00EC" << false << false << true;
    QTest::newRow("another flag is in no list") << "09/12/2026"
                                                << "si" << false << false << false;
    QTest::newRow("a date that does not convert is not past due") << "31/02/2026"
                                                                  << "No" << true << false << false;
    QTest::newRow("an empty date is not past due") << ""
                                                   << "No" << true << false << false;
}

void TestLists::selectionRules()
{
    QFETCH(QString, date);
    QFETCH(QString, flag);
    QFETCH(bool, toFulfil);
    QFETCH(bool, pastDue);
    QFETCH(bool, fulfilled);

    const TAppointmentRecord r = appointmentRecord(Card{date, flag});
    const QDate today(2026, 12, 10);
    QCOMPARE(AppointmentLines::listed(AppointmentLines::Status::DaAssolvere, r, today), toFulfil);
    QCOMPARE(AppointmentLines::listed(AppointmentLines::Status::Scaduti, r, today), pastDue);
    QCOMPARE(AppointmentLines::listed(AppointmentLines::Status::Assolti, r, today), fulfilled);
}

void TestLists::statusListWindows_data()
{
    QTest::addColumn<AppointmentLines::Status>("which");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("banner");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QList<int>>("positions");

    QTest::newRow("to fulfil") << AppointmentLines::Status::DaAssolvere << "frmConfermati"
                               << " Riepilogo impegni da assolvere"
                               << "IMPEGNI DA ASSOLVERE"
                               << "Riepilogo impegni da assolvere" << QList<int>{1, 2, 4, 5};
    // The record with the date that does not convert is skipped, and the list goes on.
    QTest::newRow("past due") << AppointmentLines::Status::Scaduti << "frmScaduti"
                              << " Riepilogo impegni scaduti e non assolti"
                              << "IMPEGNI SCADUTI E NON ASSOLTI"
                              << "Riepilogo impegni scaduti e non assolti" << QList<int>{1, 5};
    QTest::newRow("fulfilled") << AppointmentLines::Status::Assolti << "frmAssolti"
                               << " Riepilogo impegni assolti"
                               << "IMPEGNI ASSOLTI"
                               << "Riepilogo impegni assolti" << QList<int>{3, 7};
}

void TestLists::statusListWindows()
{
    QFETCH(AppointmentLines::Status, which);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QString, banner);
    QFETCH(QString, title);
    QFETCH(QList<int>, positions);

    TestWorld world;
    writeArchive(statusArchive());
    QStringList shownLines;
    QString shownCaption, shownBanner;
    Modal::queue([&](QWidget *w) {
        shownCaption = w->windowTitle();
        shownBanner = control<ListBanner>(w, "imgBanner")->title();
        shownLines = control<FixedList>(w, "lstRecords")->lines();
        control<QPushButton>(w, "btnStampa")->click();
        control<QPushButton>(w, "btnChiudi")->click();
    });

    world.windows().frmArchivio_Scadenze()->openStatusList(which);

    QCOMPARE(Modal::takeOpened(), QStringList{window});
    QCOMPARE(shownCaption, caption);
    QCOMPARE(shownBanner, banner);
    QCOMPARE(shownLines, linesOf(statusArchive(), positions));
    const QList<Report::Page> pages = printedPages();
    QCOMPARE(pages.size(), 1);
    QCOMPARE(boxText(pages[0], "txtTitolo"), title);
    QCOMPARE(boxText(pages[0], "txtRiepilogo"), shownLines.join(QLatin1Char('\n')));
    QCOMPARE(boxText(pages[0], "txtPagina"), QStringLiteral("Stampa eseguita in data 10/12/2026"));
    QVERIFY(shownMessages().isEmpty());
}

void TestLists::statusListArchiveFailure()
{
    TestWorld world;
    QDir(world.folder()).mkdir(kAppointmentArchive); // a folder where the archive should be
    int lines = -1;
    Modal::queue([&](QWidget *w) { lines = control<FixedList>(w, "lstRecords")->count(); });

    world.windows().frmArchivio_Scadenze()->openStatusList(AppointmentLines::Status::DaAssolvere);

    QCOMPARE(lines, 0);
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
}

void TestLists::findInList_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("presses"); // "typed=row selected after the press"

    const QStringList people = {QStringLiteral("ROSSI Mario"), QStringLiteral("Verdi Anna"),
                                QStringLiteral("Rossi Anna"), QStringLiteral("Bianchi Luca")};
    QTest::newRow("first press, next press, wrap round")
        << people << QStringList{QStringLiteral("rossi=0"), QStringLiteral("rossi=2"), QStringLiteral("rossi=0")};
    QTest::newRow("a new text starts again from the top")
        << people << QStringList{QStringLiteral("anna=1"), QStringLiteral("anna=2"), QStringLiteral("rossi=0")};
    QTest::newRow("no hit keeps the selection")
        << people << QStringList{QStringLiteral("anna=1"), QStringLiteral("anna=2"), QStringLiteral("neri=2")};
    QTest::newRow("empty text matches nothing")
        << people << QStringList{QStringLiteral("verdi=1"), QStringLiteral("=1"), QStringLiteral("=1")};
    QTest::newRow("with nothing selected, a miss selects the first line")
        << people << QStringList{QStringLiteral("neri=0")};
    QTest::newRow("the only hit is found again")
        << people << QStringList{QStringLiteral("luca=3"), QStringLiteral("luca=3")};
    QTest::newRow("only A to Z are folded")
        << QStringList{QStringLiteral("\u00C0ngelo"), QStringLiteral("\u00E0ngelo")}
        << QStringList{QStringLiteral("\u00E0NGELO=1"), QStringLiteral("\u00C0ngelo=0")};
    QTest::newRow("the text is not trimmed")
        << QStringList{QStringLiteral("Rossi Mario"), QStringLiteral("Mario Rossi ")}
        << QStringList{QStringLiteral("mario =1")};
}

void TestLists::findInList()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, presses);

    int selected = -1;
    QString lastTerm;
    for (const QString &press : presses) {
        const QString typed = press.section(QLatin1Char('='), 0, 0);
        const int expected = press.section(QLatin1Char('='), 1).toInt();
        selected = TextRules::findInList(lines, selected, typed, lastTerm);
        QVERIFY2(selected == expected, qPrintable(QStringLiteral("after \"%1\": %2").arg(typed).arg(selected)));
    }
}

void TestLists::findInListWindow()
{
    TestWorld world;
    writeArchive({{QStringLiteral("01/12/2026"), kFlagNo, QStringLiteral("Rossi Mario")},
                  {QStringLiteral("02/12/2026"), kFlagNo, QStringLiteral("Verdi Anna")},
                  {QStringLiteral("03/12/2026"), kFlagNo, QStringLiteral("ROSSI Anna")}});
    QList<int> rows;
    bool enterGoesToTrova = false;
    Modal::queue([&](QWidget *w) {
        auto *window = static_cast<TfrmStatusList *>(w);
        activate(window);
        // Enter in the field moves to "Trova" and does not search by itself.
        QTest::keyClicks(window->txtTrova, QStringLiteral("rossi"));
        QTest::keyClick(window->txtTrova, Qt::Key_Return);
        enterGoesToTrova = window->btnTrova->hasFocus() && window->page->selectedRow() == -1;
        QTest::keyClick(window->btnTrova, Qt::Key_Return);
        rows.append(window->page->selectedRow());
        window->btnTrovaClick();
        rows.append(window->page->selectedRow());
        window->btnTrovaClick();
        rows.append(window->page->selectedRow());
    });
    world.windows().frmArchivio_Scadenze()->openStatusList(AppointmentLines::Status::DaAssolvere);
    QVERIFY(enterGoesToTrova);
    QCOMPARE(rows, (QList<int>{0, 2, 0}));
    QVERIFY(shownMessages().isEmpty());

    // An empty list: the plain message, and nothing else.
    QFile::resize(world.file(kAppointmentArchive), 0);
    Modal::queue([](QWidget *w) { static_cast<TfrmStatusList *>(w)->btnTrovaClick(); });
    world.windows().frmArchivio_Scadenze()->openStatusList(AppointmentLines::Status::Assolti);
    QCOMPARE(shownMessages(),
             QStringList{QStringLiteral("plain: Ricerca non applicabile: la lista non contiene nessuna voce.")});
}

void TestLists::reopeningACard_data()
{
    QTest::addColumn<QString>("window"); // "status", or "find" with its opener
    QTest::addColumn<QString>("opener"); // "card", or "look": opened just to look
    QTest::addColumn<int>("row");        // -1: nothing selected
    QTest::addColumn<QString>("position");

    QTest::newRow("a single line") << "status"
                                   << "" << 0 << "1";
    // Each line keeps its own card, also where two cards give the same line.
    QTest::newRow("two identical lines: the first one's card") << "status"
                                                               << "" << 1 << "2";
    QTest::newRow("the other identical line: its own card") << "status"
                                                            << "" << 2 << "3";
    QTest::newRow("nothing selected: the card stays") << "status"
                                                      << "" << -1 << "9";
    QTest::newRow("from the results") << "find"
                                      << "card" << 1 << "2";
    QTest::newRow("from the results, the other identical line") << "find"
                                                                << "card" << 2 << "3";
    QTest::newRow("results opened just to look: the card stays") << "find"
                                                                 << "look" << 1 << "9";
}

void TestLists::reopeningACard()
{
    QFETCH(QString, window);
    QFETCH(QString, opener);
    QFETCH(int, row);
    QFETCH(QString, position);

    TestWorld world;
    const Card twin{QStringLiteral("05/12/2026"), kFlagNo, QStringLiteral("Neri Paolo")};
    writeArchive({{QStringLiteral("04/12/2026")}, twin, twin, {QStringLiteral("06/12/2026"), kFlagYes}});
    TfrmArchivio_Scadenze *card = world.windows().frmArchivio_Scadenze();
    card->setPosition(9);
    bool closed = false;
    Modal::queue([&](QWidget *w) {
        auto *list = control<FixedList>(w, "lstRecords");
        if (auto *find = qobject_cast<TfrmTrovaScadenze *>(w))
            find->btnCercaClick();
        if (row >= 0) {
            doubleClickRow(list, row);
        } else {
            list->clearSelection(); // e.g. Enter in the list before any line was picked
            if (auto *status = qobject_cast<TfrmStatusList *>(w))
                status->lstRecordsDblClick();
            else
                static_cast<TfrmTrovaScadenze *>(w)->lstRecordsDblClick();
        }
        closed = !w->isVisible();
    });

    if (window == QLatin1String("status")) {
        card->openStatusList(AppointmentLines::Status::DaAssolvere);
    } else if (opener == QLatin1String("card")) {
        card->cmdTrovaClick();
    } else {
        // Opened just to look, the window hands no position back, even to a listener.
        auto *find = new TfrmTrovaScadenze(card);
        connect(find, &TfrmTrovaScadenze::positionChosen, card, &TfrmArchivio_Scadenze::showPosition);
        Modal::run(find);
    }

    QVERIFY(closed);
    QCOMPARE(card->lblPosizione->text(), position);
    QVERIFY(shownMessages().isEmpty());
}

void TestLists::findCriteria_data()
{
    QTest::addColumn<QStringList>("criteria"); // "txtName=text"
    QTest::addColumn<QList<int>>("positions");

    QTest::newRow("no criterion lists every card") << QStringList() << QList<int>{1, 2, 3, 4};
    QTest::newRow("blank criteria list every card")
        << QStringList{QStringLiteral("txtNote=   "), QStringLiteral("txtData= ")} << QList<int>{1, 2, 3, 4};
    QTest::newRow("dentist and mobile together")
        << QStringList{QStringLiteral("txtTipologia=bianchi"), QStringLiteral("txtCel=347")} << QList<int>{1};
    QTest::newRow("a blank criterion takes no part")
        << QStringList{QStringLiteral("txtNote=   "), QStringLiteral("txtContatto=rossi")} << QList<int>{1, 2};
    QTest::newRow("A to Z fold, other letters do not")
        << QStringList{QStringLiteral("txtCausale=\u00C8 URGENTE")} << QList<int>{};
    QTest::newRow("an accented letter matches itself")
        << QStringList{QStringLiteral("txtCausale=\u00E8 URGENTE")} << QList<int>{3};
    QTest::newRow("part of a date") << QStringList{QStringLiteral("txtData=03/")} << QList<int>{1, 4};
    QTest::newRow("part of a time") << QStringList{QStringLiteral("txtOra=10:")} << QList<int>{1, 3};
    QTest::newRow("the criterion is matched as typed") << QStringList{QStringLiteral("txtCel= 347")} << QList<int>{};
}

void TestLists::findCriteria()
{
    QFETCH(QStringList, criteria);
    QFETCH(QList<int>, positions);

    QList<Card> cards(4);
    cards[0] = {QStringLiteral("03/12/2026"),  kFlagNo,
                QStringLiteral("Rossi Mario"), QStringLiteral("Otturazione"),
                QStringLiteral("3471234567"),  QStringLiteral("Dott. BIANCHI"),
                QStringLiteral("10:30")};
    cards[1] = {QStringLiteral("04/12/2026"), kFlagYes,
                QStringLiteral("ROSSI Anna"), QStringLiteral("Igiene"),
                QStringLiteral("3389876543"), QStringLiteral("Dott. Bianchi"),
                QStringLiteral("09:00")};
    cards[2] = {QStringLiteral("05/12/2026"), kFlagNo,
                QStringLiteral("Verdi Luca"), QStringLiteral("Estrazione \u00E8 urgente"),
                QStringLiteral("3471111111"), QStringLiteral("Dott. Neri"),
                QStringLiteral("10:15")};
    cards[3] = {QStringLiteral("12/03/2027"), kFlagNo,   QStringLiteral("Neri Paolo"), QStringLiteral("Controllo"),
                QStringLiteral("3200000000"), QString(), QStringLiteral("16:00")};

    TestWorld world;
    writeArchive(cards);
    QStringList shown;
    QString conta, trovate;
    Modal::queue([&](QWidget *w) {
        for (const QString &c : criteria)
            control<QLineEdit>(w, qPrintable(c.section(QLatin1Char('='), 0, 0)))
                ->setText(c.section(QLatin1Char('='), 1));
        control<QPushButton>(w, "btnCerca")->click();
        shown = control<FixedList>(w, "lstRecords")->lines();
        conta = QString::number(static_cast<SearchDialog *>(w)->usedCount());
        trovate = control<QLabel>(w, "lblTrovate")->text();
    });
    world.windows().frmArchivio_Scadenze()->cmdTrovaClick();

    QCOMPARE(shown, linesOf(cards, positions));
    int filled = 0;
    for (const QString &c : criteria)
        filled += c.section(QLatin1Char('='), 1).trimmed().isEmpty() ? 0 : 1;
    QCOMPARE(conta, QString::number(filled));
    QCOMPARE(trovate, QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(positions.size()));
}

// A criterion is looked for at every place of its field's text, and nowhere past it: the
// field's room after the text may still hold the bytes of a longer text saved before.
void TestLists::criterionAnywhereInItsField_data()
{
    QTest::addColumn<QString>("field");    // Tipologia, 50 characters of room
    QTest::addColumn<QByteArray>("stale"); // bytes left in the room after the text
    QTest::addColumn<QString>("criterion");
    QTest::addColumn<bool>("found");

    const QString x13(13, QLatin1Char('x')), x45(45, QLatin1Char('x')), x46(46, QLatin1Char('x'));
    QTest::newRow("at the start") << QStringLiteral("Verdi") << QByteArray() << QStringLiteral("verdi") << true;
    QTest::newRow("past the first sixteen")
        << QStringLiteral("Studio dentistico Verdi") << QByteArray() << QStringLiteral("verdi") << true;
    QTest::newRow("across the sixteenth place")
        << x13 + QStringLiteral("VERDI") << QByteArray() << QStringLiteral("verdi") << true;
    QTest::newRow("at the last place of a full field")
        << x45 + QStringLiteral("Verdi") << QByteArray() << QStringLiteral("verdi") << true;
    QTest::newRow("cut short at the end of a full field")
        << x46 + QStringLiteral("Verd") << QByteArray() << QStringLiteral("verdi") << false;
    QTest::newRow("the first letter many times")
        << QStringLiteral("vvvvvvvvvvvvvvvvvvvvverdi") << QByteArray() << QStringLiteral("verdi") << true;
    QTest::newRow("not in the stale bytes")
        << QStringLiteral("Dott. Ver") << QByteArray("di Verdi Verdi Verdi") << QStringLiteral("verdi") << false;
    QTest::newRow("ending with the text")
        << QStringLiteral("Dott. Rossi Ver") << QByteArray("di") << QStringLiteral("ver") << true;
    QTest::newRow("begun in the text, ended in the stale bytes")
        << QStringLiteral("Dott. Rossi Ve") << QByteArray("rdi") << QStringLiteral("verdi") << false;
    QTest::newRow("a criterion longer than the text")
        << QStringLiteral("Ver") << QByteArray("di") << QStringLiteral("verdi") << false;
    QTest::newRow("letters past Z do not fold")
        << x13 + QStringLiteral("\u00C8") << QByteArray() << QStringLiteral("\u00E8") << false;
}

void TestLists::criterionAnywhereInItsField()
{
    QFETCH(QString, field);
    QFETCH(QByteArray, stale);
    QFETCH(QString, criterion);
    QFETCH(bool, found);
    TAppointmentRecord record{};
    std::memset(record.Tipologia.chars, '#', sizeof record.Tipologia.chars);
    record.Tipologia.setText(field);
    std::memcpy(record.Tipologia.chars + record.Tipologia.length, stale.constData(),
                size_t(qMin<qsizetype>(stale.size(), 50 - record.Tipologia.length)));
    AppointmentLines::Criteria wanted;
    wanted.txtTipologia = criterion;
    QCOMPARE(AppointmentLines::matches(wanted, record), found);
}

void TestLists::findWindowSearchAndResults()
{
    TestWorld world;
    writeArchive({{QStringLiteral("03/12/2026")}, {QStringLiteral("04/12/2026"), kFlagYes, QStringLiteral("Verdi")}});
    bool pages = false, shownBefore = false;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmTrovaScadenze *>(w);
        shownBefore = find->panAvvio->isVisible() && !find->panContainer->isVisible()
                      && !find->lblAttendere->isVisible() && find->mode() == TfrmTrovaScadenze::Mode::AppointmentCard;
        find->txtContatto->setText(QStringLiteral("verdi"));
        find->btnCercaClick();
        pages = !find->panAvvio->isVisible() && find->panContainer->isVisible() && find->lstRecords->count() == 1;
        find->btnStampaClick();
    });
    world.windows().frmArchivio_Scadenze()->cmdTrovaClick();

    QVERIFY(shownBefore);
    QVERIFY(pages);
    const QList<Report::Page> printed = printedPages();
    QCOMPARE(printed.size(), 1);
    QCOMPARE(boxText(printed[0], "txtTitolo"), QStringLiteral("Riepilogo appuntamenti in archivio"));
    QVERIFY(boxText(printed[0], "txtRiepilogo").contains(QStringLiteral("Paziente: Verdi")));
    QCOMPARE(boxText(printed[0], "txtPagina"), QStringLiteral("Stampa eseguita in data 10/12/2026"));
}

void TestLists::findWindowEmptyArchive()
{
    TestWorld world;
    QString trovate;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmTrovaScadenze *>(w);
        find->btnCercaClick();
        trovate = find->lblTrovate->text();
        find->btnTrovaClick();
    });
    world.windows().frmArchivio_Scadenze()->cmdTrovaClick();

    QCOMPARE(trovate, QStringLiteral("Il presente riepilogo contiene 0 schede."));
    QCOMPARE(shownMessages(),
             QStringList{QStringLiteral("plain: Ricerca non applicabile: la lista non contiene nessuna voce.")});
    QVERIFY(QFile::exists(world.file(kAppointmentArchive))); // created empty
}

void TestLists::findWindowArchiveFailure()
{
    TestWorld world;
    QDir(world.folder()).mkdir(kAppointmentArchive); // a folder where the archive should be
    bool stays = false;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmTrovaScadenze *>(w);
        QTest::mouseClick(find->btnCerca, Qt::LeftButton);
        stays = find->panAvvio->isVisible() && !find->panContainer->isVisible() && find->lblAttendere->isVisible();
    });
    world.windows().frmArchivio_Scadenze()->cmdTrovaClick();

    QVERIFY(stays);
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("plain: ") + kArchiveFailure});
}

void TestLists::findWindowKeyboard()
{
    TestWorld world;
    QStringList focusPath;
    bool highlight = false, others = true;
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmTrovaScadenze *>(w);
        activate(find);
        for (int i = 0; i < 11; ++i) {
            QWidget *focused = QApplication::focusWidget();
            focusPath.append(focused ? focused->objectName() : QString());
            if (i == 5) {
                highlight = find->highlightOf(find->txtContatto)->isVisible();
                others = find->highlightOf(find->txtDettagli)->isVisible();
            }
            if (focused)
                QTest::keyClick(focused, Qt::Key_Return);
        }
    });
    world.windows().frmArchivio_Scadenze()->cmdTrovaClick();

    QCOMPARE(focusPath,
             (QStringList{QStringLiteral("txtData"), QStringLiteral("txtOra"), QStringLiteral("txtTipologia"),
                          QStringLiteral("txtCausale"), QStringLiteral("txtDettagli"), QStringLiteral("txtContatto"),
                          QStringLiteral("txtTel"), QStringLiteral("txtCel"), QStringLiteral("txtLuogo"),
                          QStringLiteral("txtNote"), QStringLiteral("txtData")}));
    QVERIFY(highlight);
    QVERIFY(!others);
}

// The lists keep record positions and build their lines a block at a time: over more lines
// than a block, with odd cards, the lines are those built the old way, and find-in-list,
// printing and double-click land on the same cards.
void TestLists::linesBuiltWhenAsked()
{
    const QStringList names = {QStringLiteral("Rossi Mario"), QStringLiteral("\u00C0lvaro \u20AC"), QString(),
                               QString(50, QLatin1Char('N'))};
    const QStringList dates = {QStringLiteral("09/12/2026"), QStringLiteral("31/02/2026"), QString(),
                               QStringLiteral("1/1/2027")};
    QList<Card> cards;
    for (int i = 0; i < 700; ++i) {
        Card c(dates.at(i % dates.size()), i % 3 == 2 ? kFlagYes : kFlagNo, names.at(i % names.size()),
               i % 5 == 0 ? QString(250, QLatin1Char('x')) : QStringLiteral("Otturazione"),
               i % 7 == 0 ? QString(30, QLatin1Char('3')) : QStringLiteral("3471234567"));
        c.ora = i % 4 == 0 ? QString() : QStringLiteral("10:30");
        c.importo = i % 6 == 0 ? QStringLiteral("1.234.567,00") : QString();
        cards.append(c);
    }
    cards[600].contatto = QStringLiteral("Unico Cercato"); // 600 % 3 == 0: to fulfil
    TestWorld world;
    writeArchive(cards);
    QList<int> expected;
    for (int p = 1; p <= cards.size(); ++p)
        if (cards[p - 1].flag == kFlagNo)
            expected.append(p);

    TfrmArchivio_Scadenze *card = world.windows().frmArchivio_Scadenze();
    QStringList shown, printed;
    QStringList picked;
    int found = -1;
    Modal::queue([&](QWidget *w) {
        auto *window = static_cast<TfrmStatusList *>(w);
        // Rows asked for out of order, across blocks, then all of them.
        for (int row : {450, 3, 255, 256, 449, int(expected.size()) - 1})
            picked.append(window->lstRecords->line(row));
        shown = window->lstRecords->lines();
        window->txtTrova->setText(QStringLiteral("unico"));
        window->btnTrovaClick();
        found = window->page->selectedRow();
        window->btnStampaClick();
        for (const Report::Page &page : printedPages())
            if (const Report::TextBox *box = page.text(QStringLiteral("txtRiepilogo")))
                printed += box->lines;
        doubleClickRow(window->lstRecords, found);
    });
    card->openStatusList(AppointmentLines::Status::DaAssolvere);

    const QStringList lines = linesOf(cards, expected);
    QCOMPARE(shown, lines);
    QCOMPARE(printed, lines);
    QCOMPARE(picked, (QStringList{lines[450], lines[3], lines[255], lines[256], lines[449], lines.last()}));
    QCOMPARE(found, int(expected.indexOf(601)));
    QCOMPARE(card->lblPosizione->text(), QStringLiteral("601"));
    QVERIFY(shownMessages().isEmpty());

    // The search: the same lines, and the found card reopened.
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmTrovaScadenze *>(w);
        find->btnCercaClick();
        shown = find->lstRecords->lines();
        find->txtTrova->setText(QStringLiteral("unico"));
        find->btnTrovaClick();
        found = find->panContainer->selectedRow();
        doubleClickRow(find->lstRecords, found);
    });
    card->setPosition(9);
    card->cmdTrovaClick();
    QList<int> all;
    for (int p = 1; p <= cards.size(); ++p)
        all.append(p);
    QCOMPARE(shown, linesOf(cards, all));
    QCOMPARE(found, 600);
    QCOMPARE(card->lblPosizione->text(), QStringLiteral("601"));
}

// The positions each list takes from the archive are the cards its rule takes one by one,
// in file order: on a small archive, read by one thread, and on one large enough to be read
// in two halves at once.
void TestLists::positionsOfEveryList_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("small archive") << 700;
    QTest::newRow("archive read in two halves") << 5001;
}

void TestLists::positionsOfEveryList()
{
    QFETCH(int, count);
    const QStringList dates = {QStringLiteral("09/12/2026"), QStringLiteral("31/02/2026"), QString(),
                               QStringLiteral("11/12/2026"), QStringLiteral("01/01/2020")};
    const QStringList flags = {kFlagNo, kFlagYes, kFlagNo, QStringLiteral("si")};
    QList<Card> cards;
    for (int i = 0; i < count; ++i)
        cards.append(Card(dates.at(i % dates.size()), flags.at(i % 7 % flags.size()),
                          i % 3 == 0 ? QStringLiteral("Verdi Anna") : QStringLiteral("Rossi Mario")));
    TestWorld world;
    writeArchive(cards);
    const QDate today(2026, 12, 10);
    AppointmentLines::Criteria criteria;
    criteria.txtContatto = QStringLiteral("verdi");
    std::vector<qint64> found;
    AppointmentLines::foundPositions(criteria, found);
    std::vector<qint64> expected;
    for (int p = 1; p <= count; ++p)
        if (AppointmentLines::matches(criteria, appointmentRecord(cards[p - 1])))
            expected.push_back(p);
    QCOMPARE(found, expected);
    for (AppointmentLines::Status status : {AppointmentLines::Status::DaAssolvere, AppointmentLines::Status::Scaduti,
                                            AppointmentLines::Status::Assolti}) {
        std::vector<qint64> listed{-1}; // appended to what the list holds
        AppointmentLines::statusPositions(status, today, listed);
        expected = {-1};
        for (int p = 1; p <= count; ++p)
            if (AppointmentLines::listed(status, appointmentRecord(cards[p - 1]), today))
                expected.push_back(p);
        QVERIFY(expected.size() > 100);
        QCOMPARE(listed, expected);
    }
}

// A list printed when its archive can no longer be read: said, and nothing printed.
void TestLists::printingAListTheArchiveLost()
{
    TestWorld world;
    writeArchive(statusArchive());
    const auto loseArchive = [&] {
        QVERIFY(QFile::remove(world.file(kAppointmentArchive)));
        QDir(world.folder()).mkdir(kAppointmentArchive);
    };
    Modal::queue([&](QWidget *w) {
        loseArchive();
        static_cast<TfrmStatusList *>(w)->btnStampaClick();
    });
    world.windows().frmArchivio_Scadenze()->openStatusList(AppointmentLines::Status::DaAssolvere);
    QCOMPARE(Printer::takePrinted().size(), 0);
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});

    QDir(world.folder()).rmdir(kAppointmentArchive);
    writeArchive(statusArchive());
    Modal::queue([&](QWidget *w) {
        auto *find = static_cast<TfrmTrovaScadenze *>(w);
        find->btnCercaClick();
        loseArchive();
        find->btnStampaClick();
    });
    world.windows().frmArchivio_Scadenze()->cmdTrovaClick();
    QCOMPARE(Printer::takePrinted().size(), 0);
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("plain: ") + kArchiveFailure});
}

// A list draws only the characters of its wide lines that are in view: scrolled sideways by
// some pixels, it must show exactly the picture of the unscrolled list moved by as many.
void TestLists::linesScrollSideways_data()
{
    QTest::addColumn<int>("offset");
    QTest::newRow("one pixel") << 1;
    QTest::newRow("inside the fourth character") << 35;
    QTest::newRow("many characters on") << 613;
}

void TestLists::linesScrollSideways()
{
    QFETCH(int, offset);
    QStringList lines;
    for (int i = 0; i < 6; ++i) {
        QString line;
        for (int k = 0; line.size() < 260; ++k)
            line += QStringLiteral("Data: %1/12/2026  Gi\u00F9 \u00E8 pi\u00F9 \u20AC ")
                        .arg(i + k % 28, 2, 10, QLatin1Char('0'));
        lines.append(line);
    }
    FixedList list(QStringLiteral("lstRecords"), QStringLiteral("Elenco"));
    list.setFixedSize(900, 160);
    list.setLines(lines);
    list.setItemWidth(4000);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QVERIFY(list.fixedAdvance() > 0);
    const QImage still = list.viewport()->grab().toImage();
    list.horizontalScrollBar()->setValue(offset);
    QCOMPARE(list.horizontalScrollBar()->value(), offset);
    const QImage moved = list.viewport()->grab().toImage();
    const int width = still.width() - offset;
    QVERIFY(width > 0);
    QCOMPARE(moved.copy(0, 0, width, moved.height()), still.copy(offset, 0, width, still.height()));
    // Scrolled in steps the other way the picture is the same as at once.
    list.horizontalScrollBar()->setValue(offset + 97);
    list.horizontalScrollBar()->setValue(offset);
    QCOMPARE(list.viewport()->grab().toImage(), moved);
}

namespace {
// A list of 1,000 numbered lines in a box that shows about ten of them.
struct LongList
{
    LongList()
    {
        QStringList lines;
        for (int i = 0; i < 1000; ++i)
            lines.append(QStringLiteral("Riga %1").arg(i, 4, 10, QLatin1Char('0')));
        list.setFixedSize(500, 10 * list.lineHeight() + 40);
        list.setLines(lines);
        list.show();
        activate(&list);
        list.setFocus();
    }
    // The row's whole line lies inside the visible part of the list.
    bool inView(int row) const
    {
        const QRect rect = list.visualRect(list.model()->index(row, 0));
        return rect.top() >= 0 && rect.bottom() < list.viewport()->height();
    }
    FixedList list{QStringLiteral("lstRecords"), QStringLiteral("Elenco")};
};
} // namespace

// Keys move the selection over lines of equal height and keep the selected line in view.
void TestLists::listKeys_data()
{
    QTest::addColumn<int>("from"); // -1: nothing selected yet
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("first arrow on nothing selected") << -1 << int(Qt::Key_Down) << 0;
    QTest::newRow("down") << 5 << int(Qt::Key_Down) << 6;
    QTest::newRow("up at the top") << 0 << int(Qt::Key_Up) << 0;
    QTest::newRow("down at the bottom") << 999 << int(Qt::Key_Down) << 999;
    QTest::newRow("end") << 3 << int(Qt::Key_End) << 999;
    QTest::newRow("home") << 700 << int(Qt::Key_Home) << 0;
    QTest::newRow("page down near the end") << 995 << int(Qt::Key_PageDown) << 999;
    QTest::newRow("left changes nothing") << 40 << int(Qt::Key_Left) << 40;
}

void TestLists::listKeys()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, expected);
    LongList l;
    if (from >= 0)
        l.list.setCurrentRow(from);
    QTest::keyClick(&l.list, Qt::Key(key));
    QCOMPARE(l.list.selectedRow(), expected);
    QVERIFY(l.inView(expected));
}

// A page key moves by a page; a click selects the line under the pointer, wherever the list
// is scrolled; the scroll bar reaches the last line exactly; a screen reader finds each line
// where it is drawn.
void TestLists::listPagesClicksAndScreenReader()
{
    LongList l;
    // A page down moves by the lines a page shows, and back up returns to the same line.
    l.list.setCurrentRow(100);
    QTest::keyClick(&l.list, Qt::Key_PageDown);
    const int page = l.list.selectedRow() - 100;
    QVERIFY2(page >= 8 && page <= 11, qPrintable(QString::number(page)));
    QVERIFY(l.inView(100 + page));
    QTest::keyClick(&l.list, Qt::Key_PageUp);
    QCOMPARE(l.list.selectedRow(), 100);

    QScrollBar *bar = l.list.verticalScrollBar();
    bar->setValue(bar->maximum());
    QVERIFY(l.inView(999));
    QVERIFY(!l.inView(998 - l.list.viewport()->height() / l.list.lineHeight()));
    const int h = l.list.lineHeight();
    QCOMPARE(bar->maximum(), 1000 * h - l.list.viewport()->height());
    // The wheel scrolls by whole lines.
    bar->setValue(10 * h);
    const QPoint middle = l.list.viewport()->rect().center();
    QWheelEvent wheel(middle, l.list.viewport()->mapToGlobal(middle), {}, QPoint(0, -120), Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(l.list.viewport(), &wheel);
    QCOMPARE(bar->value(), (10 + QApplication::wheelScrollLines()) * h);

    bar->setValue(123 * h + h / 2); // half of line 123 above the top
    QTest::mouseClick(l.list.viewport(), Qt::LeftButton, {}, QPoint(30, 1));
    QCOMPARE(l.list.selectedRow(), 123);
    QTest::mouseClick(l.list.viewport(), Qt::LeftButton, {}, QPoint(30, 3 * h));
    QCOMPARE(l.list.selectedRow(), 126);
    QCOMPARE(l.list.selectedLine(), QStringLiteral("Riga 0126"));
    // Below the last line nothing is hit.
    l.list.setLines({QStringLiteral("sola")});
    QTest::mouseClick(l.list.viewport(), Qt::LeftButton, {}, QPoint(30, 5 * h));
    QCOMPARE(l.list.selectedRow(), -1);

    LongList r;
    r.list.verticalScrollBar()->setValue(40 * h);
    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(&r.list);
    QVERIFY(list);
    QCOMPARE(list->role(), QAccessible::List);
    QAccessibleInterface *line = list->child(42);
    QVERIFY(line);
    QCOMPARE(line->text(QAccessible::Name), QStringLiteral("Riga 0042"));
    const QRect drawn = r.list.visualRect(r.list.model()->index(42, 0));
    QCOMPARE(line->rect().topLeft(), r.list.viewport()->mapToGlobal(drawn.topLeft()));
    QCOMPARE(list->childAt(line->rect().center().x(), line->rect().center().y()), line);
}

// After any kind of scroll the screen shows the lines the list holds there (the picture on
// screen equals a fresh paint, and the line read at a place is the card's own line), and a
// click on a line read there selects that card.
void TestLists::scrolledListShowsItsLines_data()
{
    using ListScreen::Scroll;
    QTest::addColumn<Scroll>("how");
    QTest::addColumn<int>("times"); // for a find: the card looked for
    QTest::newRow("wheel, three notches") << Scroll::Wheel << 3;
    QTest::newRow("wheel, one notch") << Scroll::Wheel << 1;
    QTest::newRow("scroll bar's arrow, three clicks") << Scroll::Arrow << 3;
    QTest::newRow("scroll bar's track, one click") << Scroll::Track << 1;
    QTest::newRow("scroll bar's track, two clicks") << Scroll::Track << 2;
    QTest::newRow("find in list, a card out of view") << Scroll::Find << 25;
}

void TestLists::scrolledListShowsItsLines()
{
    using namespace ListScreen;
    QFETCH(Scroll, how);
    QFETCH(int, times);

    TestWorld world;
    QList<Card> cards;
    for (int i = 1; i <= 30; ++i)
        cards.append(Card(QStringLiteral("%1/12/2026").arg(i % 28 + 1, 2, 10, QLatin1Char('0')), kFlagNo,
                          QStringLiteral("Paziente %1").arg(i, 2, 10, QLatin1Char('0'))));
    writeArchive(cards);
    std::unique_ptr<TfrmStatusList> window(TfrmStatusList::make(AppointmentLines::Status::DaAssolvere, nullptr));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    FixedList *list = window->lstRecords;
    QCOMPARE(list->count(), 30);
    for (int row = 0; row < 30; ++row)
        QCOMPARE(list->position(row), qint64(row + 1)); // the cards in file order
    const int shown = list->viewport()->height() / list->lineHeight();
    QVERIFY2(shown >= 4 && shown < 20, qPrintable(QString::number(shown)));
    QCOMPARE(onScreen(list), freshPaint(list));

    if (how == Scroll::Find) {
        window->txtTrova->setText(QStringLiteral("Paziente %1").arg(times));
        window->btnTrovaClick();
        QCOMPARE(window->page->selectedPosition(), qint64(times));
    } else {
        scroll(list, how, times);
    }
    QVERIFY(list->verticalScrollBar()->value() > 0);
    QCOMPARE(onScreen(list), freshPaint(list));

    // The second whole line in view reads as its card's line, and a click on it chooses that card.
    const int row = firstWholeRow(list) + 1;
    const QString line = linesOf(cards, {row + 1}).constFirst();
    QCOMPARE(rowOnScreen(list, row), lineAlone(list, line));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(list, row));
    QCOMPARE(window->page->selectedPosition(), qint64(row + 1));
    QCOMPARE(list->selectedLine(), line);
    QCOMPARE(onScreen(list), freshPaint(list));
}

// Every list is sorted through compact keys (base/LineOrder.h): they must order as the lines.
// Each byte's rank orders as its character does in the lines (a to z alike with A to Z), keys
// compared a byte at a time (past equal words) agree with the lines, and lines sorted through
// their first characters come out as sorted whole, equal lines in their order.
void TestLists::lineOrderKeysOrderAsTheLines()
{
    const LineOrder::Ranks &rank = LineOrder::ranks();
    for (int a = 0; a < 256; ++a) {
        const char x = char(a);
        const QString cx = AnsiText::fromAnsi(&x, 1);
        for (int b = 0; b < 256; ++b) {
            const char y = char(b);
            const QString cy = AnsiText::fromAnsi(&y, 1);
            const bool byLines = LineOrder::less(cx, cy);
            unsigned char ka[10], kb[10];
            std::memset(ka, 'M', sizeof ka);
            std::memset(kb, 'M', sizeof kb);
            ka[9] = static_cast<unsigned char>(a);
            kb[9] = static_cast<unsigned char>(b);
            if ((rank[size_t(a)] < rank[size_t(b)]) != byLines || (LineOrder::compareBytes(ka, kb, 10) < 0) != byLines
                || (LineOrder::compareBytes(ka, kb, 10) == 0) != (!byLines && !LineOrder::less(cy, cx)))
                QFAIL(qPrintable(QStringLiteral("bytes %1 and %2 order unlike their characters").arg(a).arg(b)));
        }
    }

    const QString longHead = QString(70, QLatin1Char('x'));
    QStringList lines = {
        QStringLiteral("rossi  Cel. 333"), QStringLiteral("ROSSI  Cel. 333"),
        QStringLiteral("Rossi"),           QStringLiteral("Rossi  Cel. 333"),
        QStringLiteral("\u0152uvre"),      QStringLiteral("Zeta"),
        QStringLiteral("\u20AC 10"),       QStringLiteral("_under"),
        QStringLiteral("[bracket"),        longHead + QStringLiteral("b"),
        longHead + QStringLiteral("A"),    longHead.toUpper() + QStringLiteral("a"),
        QStringLiteral("rossi  Cel. 333"), QString(),
        QStringLiteral("\u00C0ngelo"),     QStringLiteral("angelo"),
    };
    QStringList expected = lines;
    std::stable_sort(expected.begin(), expected.end(), LineOrder::less);
    QVERIFY(LineOrder::less(QStringLiteral("abc"), QStringLiteral("ABD")));
    QVERIFY(!LineOrder::less(QStringLiteral("ABC"), QStringLiteral("abc")));
    QVERIFY(LineOrder::less(QStringLiteral("ab"), QStringLiteral("AB ")));
    LineOrder::sort(lines);
    QCOMPARE(lines, expected);
}

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
