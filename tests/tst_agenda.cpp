#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "app/frmAvvio.h"
#include "ui/FixedList.h"
#include "ui/PictureButton.h"
#include "appointments/AgendaRules.h"
#include "base/CardNotifier.h"
#include "base/MessageLinks.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmWhatsApp_Message.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "print/ReportRenderer.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QUrlQuery>

#include <cstring>

namespace {

// The cards of these tests: ordinary imminent cards for today unless a field says otherwise.
using Card = AppointmentFixture;

const QString kAlert = QStringLiteral("play ") + QStringLiteral("%1Avviso.mp3");

} // namespace

class TestAgenda : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> world;
    TfrmAgenda *agenda = nullptr;

    // The agenda as the main menu shows it.
    void showAgenda()
    {
        world->windows().frmAvvio()->imgApp02Click();
        agenda = world->windows().frmAgenda();
    }
    QString alert() const { return kAlert.arg(world->folder()); }
    bool presentShown() const
    {
        return !agenda->imgPresenti->isHidden() && !agenda->imgAppuntamentiSI->isHidden()
               && agenda->imgAssenti->isHidden() && agenda->imgAppuntamentiNO->isHidden();
    }
    bool noneShown() const
    {
        return agenda->imgPresenti->isHidden() && agenda->imgAppuntamentiSI->isHidden()
               && !agenda->imgAssenti->isHidden() && !agenda->imgAppuntamentiNO->isHidden();
    }
    // The patient names of the listed lines, in list order.
    QStringList listedNames() const
    {
        QStringList names;
        for (const QString &line : agenda->lstRecords->lines())
            names.append(line.mid(line.indexOf(QStringLiteral("Ora: ")) + 12, 30).trimmed());
        return names;
    }

private slots:
    void init()
    {
        world = std::make_unique<TestWorld>();
        world->windows();
    }
    void cleanup()
    {
        agenda = nullptr;
        world.reset();
    }

    // ---- The imminence rule ----

    void imminence_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("avviso");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<int>("expected");
        const QDate today(2026, 12, 10);
        const int yes = int(AgendaRules::Imminence::Imminent);
        const int no = int(AgendaRules::Imminence::NotImminent);
        const int bad = int(AgendaRules::Imminence::Unreadable);
        QTest::newRow("today, no lead time") << "10/12/2026"
                                             << "0"
                                             << "No" << today << yes;
        QTest::newRow("today but fulfilled") << "10/12/2026"
                                             << "0"
                                             << "S\u00EC" << today << no;
        QTest::newRow("ten days ahead, lead 10") << "20/12/2026"
                                                 << "10"
                                                 << "No" << today << yes;
        QTest::newRow("ten days ahead, lead 9") << "20/12/2026"
                                                << "9"
                                                << "No" << today << no;
        QTest::newRow("ten days ahead, lead 9, next day") << "20/12/2026"
                                                          << "9"
                                                          << "No" << today.addDays(1) << yes;
        QTest::newRow("tomorrow, no lead time") << "11/12/2026"
                                                << "0"
                                                << "No" << today << no;
        QTest::newRow("last month, still to fulfil") << "10/11/2026"
                                                     << "0"
                                                     << "No" << today << yes;
        QTest::newRow("last month, fulfilled") << "10/11/2026"
                                               << "0"
                                               << "S\u00EC" << today << no;
        QTest::newRow("lead time across the year") << "05/01/2027"
                                                   << "30"
                                                   << "No" << today << yes;
        QTest::newRow("short day and month") << "9/1/2027"
                                             << "30"
                                             << "No" << today << yes;
        QTest::newRow("lead time with zeros") << "13/12/2026"
                                              << "003"
                                              << "No" << today << yes;
        QTest::newRow("empty flag") << "10/12/2026"
                                    << "0"
                                    << "" << today << no;
        QTest::newRow("lower-case flag") << "10/12/2026"
                                         << "0"
                                         << "no" << today << no;
        QTest::newRow("flag without accent") << "10/12/2026"
                                             << "0"
                                             << "Si" << today << no;
        QTest::newRow("no such day") << "31/02/2026"
                                     << "0"
                                     << "No" << today << bad;
        QTest::newRow("other date format") << "2026-12-10"
                                           << "0"
                                           << "No" << today << bad;
        QTest::newRow("empty date") << ""
                                    << "0"
                                    << "No" << today << bad;
        QTest::newRow("lead time not a number") << "10/12/2026"
                                                << "tre"
                                                << "No" << today << bad;
        QTest::newRow("empty lead time") << "10/12/2026"
                                         << ""
                                         << "No" << today << bad;
    }
    void imminence()
    {
        QFETCH(QString, data);
        QFETCH(QString, avviso);
        QFETCH(QString, flag);
        QFETCH(QDate, today);
        QFETCH(int, expected);
        const TAppointmentRecord r = appointmentRecord(Card{.data = data, .avviso = avviso, .flag = flag});
        QCOMPARE(int(AgendaRules::imminence(r, today)), expected);
        QCOMPARE(int(AgendaRules::ImminenceTest(today)(r)), expected); // the scans' form of the rule
    }

    // ---- The agenda line and its key ----

    void line_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("ore");
        QTest::addColumn<QString>("minuti");
        QTest::addColumn<QString>("contatto");
        QTest::addColumn<QString>("cel");
        QTest::addColumn<QString>("causale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("short texts padded")
            << "05/03/2027"
            << "15"
            << "30"
            << "Rossi Mario"
            << "3331234567"
            << "Igiene"
            << QStringLiteral("ID: 202703051530  Data: 05/03/2027  Ora: 15:30  Rossi Mario                     "
                              "Cel. 3331234567      Igiene                                      \u20AC 80,00");
        QTest::newRow("long texts cut")
            << "05/03/2027"
            << "08"
            << "05"
            << "Bianchi Anna Maria Luisa Francesca De Santis"
            << "00393331234567890"
            << "Otturazione del molare superiore destro con composito"
            << QStringLiteral("ID: 202703050805  Data: 05/03/2027  Ora: 08:05  Bianchi Anna Maria Luisa Franc  "
                              "Cel. 00393331234567  Otturazione del molare superiore destro co  \u20AC 80,00");
        QTest::newRow("no hours: shorter key")
            << "05/03/2027"
            << ""
            << "30"
            << "Verdi"
            << "333"
            << "Controllo"
            << QStringLiteral("ID: 2027030530  Data: 05/03/2027  Ora: :30    Verdi                           "
                              "Cel. 333             Controllo                                   \u20AC 80,00");
    }
    void line()
    {
        QFETCH(QString, data);
        QFETCH(QString, ore);
        QFETCH(QString, minuti);
        QFETCH(QString, contatto);
        QFETCH(QString, cel);
        QFETCH(QString, causale);
        QFETCH(QString, expected);
        const TAppointmentRecord r = appointmentRecord(
            Card{.data = data, .ore = ore, .minuti = minuti, .causale = causale, .contatto = contatto, .cel = cel});
        QCOMPARE(AgendaRules::line(r), expected);
    }

    void chronologicalWhateverTheFileOrder()
    {
        QStringList lines = {
            AgendaRules::line(
                appointmentRecord(Card{.data = "10/12/2026", .ore = "15", .minuti = "30", .contatto = "Quarto"})),
            AgendaRules::line(
                appointmentRecord(Card{.data = "10/12/2026", .ore = "09", .minuti = "00", .contatto = "bianchi"})),
            AgendaRules::line(
                appointmentRecord(Card{.data = "09/01/2027", .ore = "08", .minuti = "00", .contatto = "Ultimo"})),
            AgendaRules::line(
                appointmentRecord(Card{.data = "30/11/2026", .ore = "18", .minuti = "45", .contatto = "Primo"})),
            AgendaRules::line(
                appointmentRecord(Card{.data = "10/12/2026", .ore = "09", .minuti = "00", .contatto = "Secondo"})),
            AgendaRules::line(
                appointmentRecord(Card{.data = "12/12/2026", .ore = "07", .minuti = "15", .contatto = "quinto"})),
        };
        AgendaRules::sortLines(lines);
        QStringList names;
        for (const QString &l : lines)
            names.append(l.mid(l.indexOf(QStringLiteral("Ora: ")) + 12, 30).trimmed());
        // Same key: the rest of the line decides, letters compared as capitals.
        QCOMPARE(names, (QStringList{"Primo", "bianchi", "Secondo", "Quarto", "quinto", "Ultimo"}));
    }

    // The sort takes a short cut on complete keys; it must give the order of the plain
    // character-by-character comparison on any mix of complete and incomplete keys.
    void sortOrderEqualsTheLineComparison()
    {
        const QStringList dates = {"10/12/2026", "1/2/2027", "", "09/01/2027", "10/12/2026", "31/12/2025"};
        const QStringList hours = {"09", "", "15", "9", "23"};
        const QStringList minutes = {"00", "30", "", "5"};
        const QStringList names = {"Rossi", "rossi", "Bianchi", "bianchi", "Zeta", "ROSSI"};
        QStringList lines;
        int n = 0;
        for (const QString &d : dates)
            for (const QString &h : hours)
                for (const QString &m : minutes)
                    lines.append(AgendaRules::line(appointmentRecord(
                        Card{.data = d, .ore = h, .minuti = m, .contatto = names.at(n++ % names.size())})));
        QStringList expected = lines;
        std::stable_sort(expected.begin(), expected.end(), AgendaRules::lineLess);
        AgendaRules::sortLines(lines);
        QCOMPARE(lines, expected);
    }

    // The agenda keeps per line only a compact key and builds the lines it shows: on cards
    // made to tie and to differ where the key stops looking, it must list exactly the lines
    // the line sort gives, equal lines in file order, also when the archive is read in two
    // halves at once.
    void lazyOrderEqualsTheLineSort_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("mostlyComplete"); // most keys whole: ordered on two processors
        QTest::newRow("small archive") << 700 << false;
        QTest::newRow("archive read in two halves") << 5001 << false;
        QTest::newRow("many whole keys, ordered in two parts") << 5001 << true;
    }

    void lazyOrderEqualsTheLineSort()
    {
        QFETCH(int, count);
        QFETCH(bool, mostlyComplete);
        const QDate today(2026, 12, 10);
        const QString sameStart = QStringLiteral("Abcdefghijklmnopqrstuvwxyz");
        const QStringList names = {"Rossi Mario",
                                   "rossi mario",
                                   "ROSSI MARIO",
                                   "Rossi Maria",
                                   "\u00C0lvaro Bianchi",
                                   "\u00E0lvaro bianchi",
                                   "\u20ACuro Neri",
                                   "\u0160imon Verdi",
                                   "\u0153uvre Gialli",
                                   "\u0178ves Blu",
                                   "[Quadra",
                                   "_Sotto",
                                   "`Accento",
                                   "{Graffa",
                                   sameStart + "abcd Primo",
                                   sameStart + "abcd Secondo",
                                   sameStart + "ab",
                                   sameStart + "ac",
                                   sameStart + "AB",
                                   sameStart + "aB",
                                   "",
                                   QString(50, QLatin1Char('Z')),
                                   QString(49, QLatin1Char('Z')) + "a"};
        const QList<QByteArray> dates = {"10/12/2026", "09/12/2026", "1/12/2026", "01/1/2026",   " 10/12/2026 ",
                                         "14/12/2026", "31/02/2026", "",          "10/12/20260", "10/12/2026"};
        const QList<QByteArray> hours = {"09", "10", "9", "", "ab", "09", "1 "};
        const QList<QByteArray> minutes = {"00", "30", "5", "", "00"};
        const QStringList times = {"09:00", "9:00", "", "10:30", "zz:zz", "09:00"};
        const QStringList mobiles = {"3331234567", "", "123456789012345678901234567890", "34712345678901",
                                     "34712345678902"};
        const QStringList treatments = {"Igiene", "igiene", "", QString(250, QLatin1Char('x'))};
        const QStringList amounts = {"80,00", "", "1.234.567,00", "8", "\u20AC"};
        const auto raw = [](auto &field, const QByteArray &bytes) {
            field = {};
            field.length = static_cast<unsigned char>(bytes.size());
            std::memcpy(field.chars, bytes.constData(), size_t(bytes.size()));
        };
        QRandomGenerator rng(15);
        const auto pick = [&](const auto &list) { return list.at(int(rng.bounded(int(list.size())))); };
        QList<TAppointmentRecord> cards;
        for (int i = 0; i < count; ++i) {
            TAppointmentRecord r{};
            const bool whole = mostlyComplete && i % 4 != 0;
            raw(r.Data, whole ? QByteArray("10/12/2026") : pick(dates));
            raw(r.OreApp, whole ? pick(QList<QByteArray>{"09", "10", "11"}) : pick(hours));
            raw(r.MinutiApp, whole ? pick(QList<QByteArray>{"00", "15", "30", "45"}) : pick(minutes));
            r.Ora.setText(pick(times));
            r.Avviso.setText(i % 7 == 0 ? QStringLiteral("5") : QStringLiteral("0"));
            r.Contatto.setText(pick(names));
            r.Cel.setText(pick(mobiles));
            r.Causale.setText(pick(treatments));
            r.Importo.setText(pick(amounts));
            r.Ottemperata.setText(i % 11 == 0 ? QStringLiteral("S\u00EC") : QStringLiteral("No"));
            cards.append(r);
            if (i % 50 == 0)
                cards.append(r); // the very same line twice
        }
        cards[3].OreApp.length = 200; // a length byte beyond the capacity reads the capacity
        writeRecords(kAppointmentArchive, cards);

        QStringList expected;
        const AgendaRules::ImminenceTest test(today);
        for (const TAppointmentRecord &r : cards) {
            QCOMPARE(int(test(r)), int(AgendaRules::imminence(r, today)));
            if (AgendaRules::imminence(r, today) == AgendaRules::Imminence::Imminent)
                expected.append(AgendaRules::line(r));
        }
        QVERIFY(expected.size() > 300);
        AgendaRules::sortLines(expected);

        QCOMPARE(AgendaRules::imminentLines(today), expected);
        const AgendaRules::Imminent found = AgendaRules::imminentCards(today);
        qsizetype longest = 0;
        for (qsizetype i = 0; i < expected.size(); ++i) {
            longest = qMax(longest, expected[i].size());
            if (i > 0 && expected[i] == expected[i - 1])
                QVERIFY(found.positions[size_t(i - 1)] < found.positions[size_t(i)]);
        }
        QCOMPARE(found.longestLine, int(longest));
    }

    // ---- The agenda window ----

    void showListsImminentAndPlaysTheAlert()
    {
        writeAppointmentArchive({
            Card{.data = "10/12/2026", .ore = "15", .minuti = "30", .contatto = "Pomeriggio"},
            Card{.data = "20/12/2026", .avviso = "9", .contatto = "Troppo presto"},
            Card{.data = "10/12/2026", .ore = "09", .minuti = "00", .contatto = "Mattina"},
            Card{.data = "01/12/2026", .contatto = "Assolto", .flag = "S\u00EC"},
            Card{.data = "01/11/2026", .contatto = "Scaduto"},
        });
        showAgenda();
        QVERIFY(agenda->isVisible());
        QVERIFY(!world->windows().frmAvvio()->isVisible());
        QCOMPARE(listedNames(), (QStringList{"Scaduto", "Mattina", "Pomeriggio"}));
        QVERIFY(presentShown());
        QCOMPARE(Sound::takeCalls(), QStringList{alert()});
        QCOMPARE(shownMessages(), QStringList());
    }

    void damagedCardsAreSkipped_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("avviso");
        QTest::newRow("date not a date") << "99/99/9999"
                                         << "0";
        QTest::newRow("lead time not a number") << "10/12/2026"
                                                << "x";
    }
    void damagedCardsAreSkipped()
    {
        QFETCH(QString, data);
        QFETCH(QString, avviso);
        writeAppointmentArchive({
            Card{.data = "09/12/2026", .contatto = "Prima"},
            Card{.data = data, .avviso = avviso, .contatto = "Rovinata"},
            Card{.data = "10/12/2026", .contatto = "Dopo"},
        });
        showAgenda();
        QCOMPARE(listedNames(), (QStringList{"Prima", "Dopo"}));
        QVERIFY(presentShown());
        QCOMPARE(Sound::takeCalls(), QStringList{alert()});
    }

    void onlyDamagedCardsMeanNone()
    {
        writeAppointmentArchive({Card{.data = "", .contatto = "Rovinata"}});
        showAgenda();
        QCOMPARE(agenda->lstRecords->count(), 0);
        QVERIFY(noneShown());
        QCOMPARE(Sound::takeCalls(), QStringList());
    }

    void missingArchiveIsCreatedAndShowsNone()
    {
        showAgenda();
        QVERIFY(QFile::exists(world->file(kAppointmentArchive)));
        QCOMPARE(QFileInfo(world->file(kAppointmentArchive)).size(), 0);
        QCOMPARE(agenda->lstRecords->count(), 0);
        QVERIFY(noneShown());
        QCOMPARE(Sound::takeCalls(), QStringList());
    }

    void unreadableArchiveIsReported()
    {
        // Shown once with an appointment, then again when the archive cannot be read: the
        // failure is said, the old lines go and neither picture claims anything.
        writeAppointmentArchive({Card{}});
        showAgenda();
        QVERIFY(presentShown());
        QCOMPARE(Sound::takeCalls(), QStringList{alert()});
        agenda->close();
        Sound::takeCalls();
        QVERIFY(QFile::remove(world->file(kAppointmentArchive)));
        QDir(world->folder()).mkdir(kAppointmentArchive); // a folder where the file should be

        showAgenda();
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
        QCOMPARE(Sound::takeCalls(), QStringList());
        QCOMPARE(agenda->lstRecords->count(), 0);
        QVERIFY(agenda->imgAssenti->isHidden());
        QVERIFY(agenda->imgAppuntamentiNO->isHidden());
        QVERIFY(agenda->imgPresenti->isHidden());
        QVERIFY(agenda->imgAppuntamentiSI->isHidden());
    }

    void nothingLooksSelectedUntilTheUserSelects()
    {
        writeAppointmentArchive({Card{.ore = "09"}, Card{.ore = "10"}});
        showAgenda();
        QApplication::setActiveWindow(agenda);
        QVERIFY(QTest::qWaitForWindowActive(agenda));
        QTRY_VERIFY(agenda->lstRecords->hasFocus());
        // No current line, so no focus frame on a line that is not selected.
        QVERIFY(!agenda->lstRecords->currentIndex().isValid());
        QCOMPARE(agenda->lstRecords->selectedRow(), -1);
        agenda->btnWhatsApp->click();
        QVERIFY(shownMessages().value(0).startsWith(QStringLiteral("warning: Attenzione: selezionare")));
        // The first arrow key selects the first line, not the second.
        QTest::keyClick(agenda->lstRecords, Qt::Key_Down);
        QCOMPARE(agenda->lstRecords->selectedRow(), 0);
        QCOMPARE(agenda->titOra->text(), QStringLiteral("09:00"));
        Sound::takeCalls();
    }

    void closingStopsTheSoundAndShowingAgainPlaysIt()
    {
        writeAppointmentArchive({Card{}});
        showAgenda();
        QCOMPARE(Sound::takeCalls(), QStringList{alert()});
        agenda->imgEsci->click();
        QCOMPARE(Sound::takeCalls(), QStringList{"stop"});
        QVERIFY(!agenda->isVisible());
        QVERIFY(world->windows().frmAvvio()->isVisible());

        // Fulfilled in the meantime: shown again, the agenda is quiet.
        RecordFile file(world->file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Write);
        file.overwriteAt(1, appointmentRecord(Card{.flag = "S\u00EC"}));
        file.close();
        showAgenda();
        QVERIFY(noneShown());
        QCOMPARE(Sound::takeCalls(), QStringList());
        agenda->close();
        QCOMPARE(Sound::takeCalls(), QStringList{"stop"});

        file.open(RecordFile::Write);
        file.append(appointmentRecord(Card{.contatto = "Nuovo"}));
        file.close();
        showAgenda();
        QCOMPARE(listedNames(), QStringList{"Nuovo"});
        QVERIFY(presentShown());
        QCOMPARE(Sound::takeCalls(), QStringList{alert()});
    }

    void enteringAppointmentsKeepsTheSound()
    {
        writeAppointmentArchive({Card{}});
        showAgenda();
        Sound::takeCalls();
        agenda->btnArchivio->click();
        QVERIFY(world->windows().frmArchivio_Scadenze()->isVisible());
        QVERIFY(!agenda->isVisible());
        QCOMPARE(Sound::takeCalls(), QStringList());
        // Closing the card returns to the main menu, not to the agenda.
        world->windows().frmArchivio_Scadenze()->close();
        QVERIFY(world->windows().frmAvvio()->isVisible());
        QVERIFY(!agenda->isVisible());
    }

    void aSavedCardReachesTheAgendaOnScreen()
    {
        // The agenda stays on screen while the appointment book opens cards: a card saved in
        // the card window is in its list at once, and the notifier says which card it was.
        writeAppointmentArchive({Card{.ore = "09", .contatto = "Primo"}});
        showAgenda();
        QCOMPARE(listedNames(), QStringList{"Primo"});
        QSignalSpy saved(&world->windows().notifier(), &CardNotifier::appointmentSaved);
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        card->show();
        const auto saveNew = [card](const QString &contact, int hour) {
            card->newCardAt(QDate(2026, 12, 10), QTime(hour, 0));
            card->txtCausale->setText(QStringLiteral("Controllo"));
            card->txtContatto->setText(contact);
            card->txtCel->setText(QStringLiteral("3331234567"));
            card->cmdSalvaClick();
        };
        saveNew(QStringLiteral("Secondo"), 11);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.at(0).at(0).toLongLong(), 2);
        QCOMPARE(listedNames(), (QStringList{"Primo", "Secondo"}));
        // Hidden, the agenda reads its list when it is shown again.
        agenda->hide();
        saveNew(QStringLiteral("Terzo"), 12);
        QCOMPARE(saved.size(), 2);
        QCOMPARE(saved.at(1).at(0).toLongLong(), 3);
        QCOMPARE(listedNames(), (QStringList{"Primo", "Secondo"}));
        agenda->show();
        QCOMPARE(listedNames(), (QStringList{"Primo", "Secondo", "Terzo"}));
        shownMessages();
    }

    void calendarStartsTodayAndKeepsThePickedDate()
    {
        showAgenda();
        QCOMPARE(agenda->calAppuntamenti->selectedDate(), QDate(2026, 12, 10));
        agenda->calAppuntamenti->setSelectedDate(QDate(2027, 2, 14));
        agenda->close();
        showAgenda();
        QCOMPARE(agenda->calAppuntamenti->selectedDate(), QDate(2027, 2, 14));
    }

    void clickingALineFindsItsAppointment()
    {
        writeAppointmentArchive({
            Card{.data = "08/12/2026", .ore = "10", .minuti = "15", .contatto = "Bianchi Anna", .cel = "3470000001"},
            Card{.data = "25/12/2026", .avviso = "1", .contatto = "Non in elenco"},
            Card{.data = "09/12/2026", .ore = "16", .minuti = "45", .contatto = "Verdi Luca", .cel = "3470000002"},
        });
        showAgenda();
        agenda->lstRecords->setCurrentRow(1);
        QCOMPARE(agenda->titData->text(), QStringLiteral("09/12/2026"));
        QCOMPARE(agenda->titOra->text(), QStringLiteral("16:45"));
        QCOMPARE(agenda->titContatto->text(), QStringLiteral("Verdi Luca"));
        QCOMPARE(agenda->titCel->text(), QStringLiteral("3470000002"));

        // Shown again, the labels start empty.
        agenda->close();
        showAgenda();
        for (QLabel *tit : {agenda->titData, agenda->titOra, agenda->titContatto, agenda->titCel})
            QCOMPARE(tit->text(), QString());
    }

    // Two cards can give the very same line (the name is cut at 30 characters): each line
    // still shows its own card, and the printout has the lines as the list shows them.
    void eachLineKeepsItsOwnCard()
    {
        const QString start = QStringLiteral("Abcdefghij Klmnopqrst Uvwxyzab");
        writeAppointmentArchive({
            Card{.contatto = start + QStringLiteral(" Primo"), .cel = "3470000001"},
            Card{.data = "25/12/2026", .avviso = "1", .contatto = "Non in elenco"},
            Card{.contatto = start + QStringLiteral(" Secondo"), .cel = "3470000001"},
        });
        showAgenda();
        QCOMPARE(agenda->lstRecords->count(), 2);
        QCOMPARE(agenda->lstRecords->line(0), agenda->lstRecords->line(1));
        agenda->lstRecords->setCurrentRow(0);
        QCOMPARE(agenda->titContatto->text(), start + QStringLiteral(" Primo"));
        agenda->lstRecords->setCurrentRow(1);
        QCOMPARE(agenda->titContatto->text(), start + QStringLiteral(" Secondo"));

        agenda->btnStampa->click();
        const QList<Printer::Document> printed = Printer::takePrinted();
        QCOMPARE(printed.size(), 1);
        const auto job = std::dynamic_pointer_cast<const Report::Job>(printed.first());
        QVERIFY(job);
        const Report::TextBox *box = job->pages().value(0).text(QStringLiteral("txtRiepilogo"));
        QVERIFY(box);
        QCOMPARE(box->lines, agenda->lstRecords->lines());
        QCOMPARE(box->lines, AgendaRules::imminentLines(QDate(2026, 12, 10)));

        // The archive gone meanwhile: the printout would miss lines, so it is not made.
        QVERIFY(QFile::remove(world->file(kAppointmentArchive)));
        QDir(world->folder()).mkdir(kAppointmentArchive);
        agenda->btnStampa->click();
        QCOMPARE(Printer::takePrinted().size(), 0);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
        Sound::takeCalls();
    }

    void whatsAppWarnings_data()
    {
        QTest::addColumn<bool>("withCards");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty list") << false
                                    << QStringLiteral("warning: Invio messaggio di WhatsApp non applicabile: la lista "
                                                      "non contiene nessun appuntamento.");
        QTest::newRow("nothing selected")
            << true
            << QStringLiteral("warning: Attenzione: selezionare dall'elenco il cliente a cui si desidera inviare il "
                              "promemoria dell'appuntamento prima di fare clic sull'icona di WhatsApp.");
    }
    void whatsAppWarnings()
    {
        QFETCH(bool, withCards);
        QFETCH(QString, expected);
        if (withCards)
            writeAppointmentArchive({Card{}, Card{.contatto = "Altro"}});
        showAgenda();
        agenda->lstRecords->clearSelection();
        agenda->btnWhatsApp->click();
        QCOMPARE(shownMessages(), QStringList{expected});
        QCOMPARE(Modal::takeOpened(), QStringList());
        QCOMPARE(TMisc::takeOpened(), QStringList());
    }

    void whatsAppReminderHandsTheLinkToTheShell()
    {
        writeAppointmentArchive({Card{.data = "12/12/2026",
                                      .ore = "17",
                                      .minuti = "05",
                                      .avviso = "3",
                                      .contatto = "Esposito Gennaro",
                                      .cel = "3391112223"}});
        showAgenda();
        agenda->lstRecords->setCurrentRow(0);
        QStringList shown;
        Modal::queue([&shown](QWidget *w) {
            for (const char *name : {"txtData", "txtOra", "txtContatto", "txtCel"})
                shown.append(control<QLineEdit>(w, name)->text());
            control<PictureButton>(w, "btnWhatsApp")->click();
        });
        agenda->btnWhatsApp->click();
        QCOMPARE(Modal::takeOpened(), QStringList{"frmWhatsApp_Message"});
        QCOMPARE(shown, (QStringList{"12/12/2026", "17:05", "Esposito Gennaro", "3391112223"}));
        QCOMPARE(TMisc::takeOpened(), QStringList{QStringLiteral(
                                          "https://web.whatsapp.com/send?phone=393391112223&text=Gentile Paziente, le "
                                          "ricordiamo l'appuntamento presso il nostro studio dentistico alle ore "
                                          "17:05 del giorno 12/12/2026")});
    }

    void whatsAppReminderThatCannotLeaveStaysOpen()
    {
        // The desktop cannot open the link: the warning, and the window stays with the number,
        // to try again or copy it; once the desktop takes the link the window closes.
        writeAppointmentArchive({Card{.cel = "3391112223"}});
        showAgenda();
        agenda->lstRecords->setCurrentRow(0);
        bool openAfterFailure = false, openAfterRetry = true;
        QString number;
        Modal::queue([&](QWidget *w) {
            TMisc::queueAnswer(false);
            control<PictureButton>(w, "btnWhatsApp")->click();
            openAfterFailure = w->isVisible();
            number = control<QLineEdit>(w, "txtCel")->text();
            control<PictureButton>(w, "btnWhatsApp")->click();
            openAfterRetry = w->isVisible();
        });
        agenda->btnWhatsApp->click();
        QVERIFY(openAfterFailure);
        QCOMPARE(number, QStringLiteral("3391112223"));
        QVERIFY(!openAfterRetry);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("warning: ") + TMisc::kCannotOpenLink});
        QCOMPARE(TMisc::takeOpened().size(), 2);
    }

    void whatsAppReminderCancelled()
    {
        writeAppointmentArchive({Card{}});
        showAgenda();
        agenda->lstRecords->setCurrentRow(0);
        Modal::queue([](QWidget *w) { control<QPushButton>(w, "btnChiudi")->click(); });
        agenda->btnWhatsApp->click();
        QCOMPARE(Modal::takeOpened(), QStringList{"frmWhatsApp_Message"});
        QCOMPARE(TMisc::takeOpened(), QStringList());
    }

    void reminderWithEmptyFieldsStillBuildsTheLink()
    {
        auto *message = new TfrmWhatsApp_Message;
        message->btnWhatsAppClick();
        delete message;
        QCOMPARE(TMisc::takeOpened(), QStringList{QStringLiteral(
                                          "https://web.whatsapp.com/send?phone=&text=Gentile Paziente, le ricordiamo "
                                          "l'appuntamento presso il nostro studio dentistico alle ore  del giorno ")});
    }

    void theShellGetsAValidUrl()
    {
        const QString text = MessageLinks::reminderText(QStringLiteral("17:05"), QStringLiteral("12/12/2026"));
        const QUrl url = TMisc::toUrl(MessageLinks::whatsApp(QStringLiteral("3391112223"), text));
        QVERIFY2(url.isValid(), qPrintable(url.errorString()));
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QCOMPARE(url.host(), QStringLiteral("web.whatsapp.com"));
        QCOMPARE(url.path(), QStringLiteral("/send"));
        const QUrlQuery query(url);
        QCOMPARE(query.queryItemValue(QStringLiteral("phone")), QStringLiteral("393391112223"));
        QCOMPARE(query.queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded), text);
        QVERIFY(!url.toEncoded().contains(' '));
    }
};

QTEST_MAIN(TestAgenda)
#include "tst_agenda.moc"
