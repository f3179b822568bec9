// The appointment book: its placement rules as tables, the printed page, and the window driven
// by keyboard and pointer (opening cards, new cards from free slots, screen-reader names).
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "appointments/AppointmentBook.h"
#include "appointments/BookScan.h"
#include "appointments/BookSettings.h"
#include "appointments/BookView.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmCalendarioAppuntamenti.h"
#include "app/frmAvvio.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "print/BookDocument.h"
#include "print/ReportRenderer.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"
#include "ui/PictureButton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QTest>

#include <array>
#include <cmath>

using namespace AppointmentBook;

Q_DECLARE_METATYPE(AppointmentBook::Hours)
Q_DECLARE_METATYPE(std::vector<int>)
Q_DECLARE_METATYPE(std::vector<AppointmentBook::Place>)
using Matrix = std::array<std::array<double, 3>, 3>;
Q_DECLARE_METATYPE(Matrix)

namespace {

using Card = AppointmentFixture;
const QDate kToday(2026, 12, 10); // the test world's today, a Thursday

int at(int hours, int minutes) { return hours * 60 + minutes; }

QStringList names(BookView *view)
{
    QStringList out;
    for (int i = 0; i < view->items().size(); ++i)
        out.append(view->itemName(i));
    return out;
}

// How a colour looks to a reader with a colour deficiency: the full-severity matrices of
// Machado, Oliveira and Fernandes (2009), applied to linear RGB.
const Matrix kNormal{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
const Matrix kProtanopia{
    {{0.152286, 1.052583, -0.204868}, {0.114503, 0.786281, 0.099216}, {-0.003882, -0.048116, 1.051998}}};
const Matrix kDeuteranopia{
    {{0.367322, 0.860646, -0.227968}, {0.280085, 0.672501, 0.047413}, {-0.011820, 0.042940, 0.968881}}};
const Matrix kTritanopia{
    {{1.255528, -0.076749, -0.178779}, {-0.078411, 0.930809, 0.147602}, {0.004733, 0.691367, 0.303900}}};

// CIELAB (D65) of an sRGB colour as seen through a matrix.
std::array<double, 3> seenLab(quint32 argb, const Matrix &m)
{
    std::array<double, 3> lin;
    for (int i = 0; i < 3; ++i) {
        const double c = ((argb >> (16 - 8 * i)) & 0xFF) / 255.0;
        lin[size_t(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    std::array<double, 3> rgb;
    for (size_t i = 0; i < 3; ++i)
        rgb[i] = std::clamp(m[i][0] * lin[0] + m[i][1] * lin[1] + m[i][2] * lin[2], 0.0, 1.0);
    const double x = (0.4124 * rgb[0] + 0.3576 * rgb[1] + 0.1805 * rgb[2]) / 0.95047;
    const double y = 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2];
    const double z = (0.0193 * rgb[0] + 0.1192 * rgb[1] + 0.9505 * rgb[2]) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// The CIE 1976 colour difference of two colours as seen through a matrix.
double distance(quint32 a, quint32 b, const Matrix &m)
{
    const auto p = seenLab(a, m), q = seenLab(b, m);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

} // namespace

class TestBook : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> world;
    TfrmCalendarioAppuntamenti *book = nullptr;

    // The book opened from the agenda on a day picked in its calendar.
    TfrmCalendarioAppuntamenti *openBook(const QDate &day = kToday)
    {
        world->windows().frmAvvio()->imgApp02Click();
        TfrmAgenda *agenda = world->windows().frmAgenda();
        agenda->calAppuntamenti->setSelectedDate(day);
        agenda->btnCalendario->click();
        book = agenda->findChild<TfrmCalendarioAppuntamenti *>(QStringLiteral("frmCalendarioAppuntamenti"));
        if (book) {
            book->resize(1400, 900);
            QApplication::setActiveWindow(book);
            if (!QTest::qWaitForWindowActive(book))
                qWarning("the book is not the active window");
        }
        return book;
    }
    BookView *grid() const { return book->grdAppuntamenti; }
    QString currentName() const { return grid()->itemName(grid()->current()); }
    void key(Qt::Key k) { QTest::keyClick(grid(), k); }

private slots:
    void init()
    {
        forgetDateIndex();
        world = std::make_unique<TestWorld>();
        world->windows();
    }
    void cleanup()
    {
        book = nullptr;
        world.reset();
    }

    // ---- The rules, without a window ----

    void timesToRows_data()
    {
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("row");
        QTest::newRow("08:00, the first row") << at(8, 0) << 0;
        QTest::newRow("08:14, still the first") << at(8, 14) << 0;
        QTest::newRow("08:15") << at(8, 15) << 1;
        QTest::newRow("10:30") << at(10, 30) << 10;
        QTest::newRow("19:45, the last row") << at(19, 45) << 47;
    }
    void timesToRows()
    {
        QFETCH(int, minute);
        QFETCH(int, row);
        QCOMPARE(rowOf(minute, kDefaultHours), row);
        QCOMPARE(minuteOfRow(row, kDefaultHours), minute - minute % kRowMinutes);
        QCOMPARE(rowCount(kDefaultHours), 48);
    }

    void hoursWidened_data()
    {
        QTest::addColumn<Hours>("set");
        QTest::addColumn<std::vector<int>>("minutes");
        QTest::addColumn<Hours>("shown");
        QTest::newRow("none: the practice's hours") << kDefaultHours << std::vector<int>{} << kDefaultHours;
        QTest::newRow("inside") << kDefaultHours << std::vector<int>{at(8, 0), at(19, 59)} << kDefaultHours;
        QTest::newRow("earlier: from its hour")
            << kDefaultHours << std::vector<int>{at(7, 30)} << Hours{at(7, 0), at(20, 0)};
        QTest::newRow("at 20:00: to 21:00")
            << kDefaultHours << std::vector<int>{at(20, 0)} << Hours{at(8, 0), at(21, 0)};
        QTest::newRow("both ends") << kDefaultHours << std::vector<int>{at(6, 10), at(21, 45)}
                                   << Hours{at(6, 0), at(22, 0)};
        QTest::newRow("set hours") << Hours{at(9, 0), at(13, 0)} << std::vector<int>{at(10, 0)}
                                   << Hours{at(9, 0), at(13, 0)};
        QTest::newRow("set hours widened")
            << Hours{at(9, 0), at(13, 0)} << std::vector<int>{at(15, 20)} << Hours{at(9, 0), at(16, 0)};
        QTest::newRow("upside down: the default") << Hours{at(14, 0), at(9, 0)} << std::vector<int>{} << kDefaultHours;
    }
    void hoursWidened()
    {
        QFETCH(Hours, set);
        QFETCH(std::vector<int>, minutes);
        QFETCH(Hours, shown);
        const Hours got = shownHours(set, minutes);
        QCOMPARE(got.first, shown.first);
        QCOMPARE(got.last, shown.last);
    }

    void placement_data()
    {
        QTest::addColumn<std::vector<int>>("minutes");
        QTest::addColumn<std::vector<Place>>("places");
        // Place{row, rows, column, columns}
        QTest::newRow("alone: an hour") << std::vector<int>{at(10, 0)} << std::vector<Place>{{8, 4, 0, 1}};
        QTest::newRow("next after 30 minutes: stretched to it")
            << std::vector<int>{at(10, 0), at(10, 30)} << std::vector<Place>{{8, 2, 0, 1}, {10, 4, 0, 1}};
        QTest::newRow("next after 15 minutes: one row")
            << std::vector<int>{at(10, 0), at(10, 15)} << std::vector<Place>{{8, 1, 0, 1}, {9, 4, 0, 1}};
        QTest::newRow("next after two hours: one hour at most")
            << std::vector<int>{at(10, 0), at(12, 0)} << std::vector<Place>{{8, 4, 0, 1}, {16, 4, 0, 1}};
        QTest::newRow("same time: side by side") << std::vector<int>{at(10, 0), at(10, 0), at(10, 15)}
                                                 << std::vector<Place>{{8, 1, 0, 2}, {8, 1, 1, 2}, {9, 4, 0, 1}};
        QTest::newRow("same row, other minutes: side by side")
            << std::vector<int>{at(10, 5), at(10, 10)} << std::vector<Place>{{8, 4, 0, 2}, {8, 4, 1, 2}};
        QTest::newRow("three at once, then 45 minutes")
            << std::vector<int>{at(9, 0), at(9, 0), at(9, 0), at(9, 45)}
            << std::vector<Place>{{4, 3, 0, 3}, {4, 3, 1, 3}, {4, 3, 2, 3}, {7, 4, 0, 1}};
        QTest::newRow("the last row: never past the grid")
            << std::vector<int>{at(19, 45)} << std::vector<Place>{{47, 1, 0, 1}};
    }
    void placement()
    {
        QFETCH(std::vector<int>, minutes);
        QFETCH(std::vector<Place>, places);
        const std::vector<Place> got = place(minutes, kDefaultHours);
        QCOMPARE(got.size(), places.size());
        for (size_t i = 0; i < got.size(); ++i) {
            const Place &g = got[i], &w = places[i];
            QVERIFY2(g == w, qPrintable(QStringLiteral("block %1: row %2 rows %3 column %4 of %5")
                                            .arg(i)
                                            .arg(g.row)
                                            .arg(g.rows)
                                            .arg(g.column)
                                            .arg(g.columns)));
        }
    }

    void weekDaysShown_data()
    {
        QTest::addColumn<QDate>("day");
        QTest::addColumn<bool>("sunday");
        QTest::addColumn<QDate>("first");
        QTest::addColumn<int>("count");
        QTest::newRow("Thursday") << kToday << false << QDate(2026, 12, 7) << 6;
        QTest::newRow("Thursday, Sunday held") << kToday << true << QDate(2026, 12, 7) << 7;
        QTest::newRow("Monday") << QDate(2026, 12, 7) << false << QDate(2026, 12, 7) << 6;
        QTest::newRow("Sunday: its Monday") << QDate(2026, 12, 13) << true << QDate(2026, 12, 7) << 7;
        QTest::newRow("across the year") << QDate(2027, 1, 1) << false << QDate(2026, 12, 28) << 6;
    }
    void weekDaysShown()
    {
        QFETCH(QDate, day);
        QFETCH(bool, sunday);
        QFETCH(QDate, first);
        QFETCH(int, count);
        const QList<QDate> days = weekDays(day, sunday);
        QCOMPARE(days.size(), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(days[i], first.addDays(i));
    }

    void dentistColours_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("colour"); // the same in every run
        QTest::newRow("as written") << QStringLiteral("Dott. Bianchi") << QStringLiteral("Dott. Bianchi") << 0;
        QTest::newRow("case, dots and blanks")
            << QStringLiteral("Dott. Bianchi") << QStringLiteral(" dott bianchi ") << 0;
        QTest::newRow("capitals and no blank")
            << QStringLiteral("Dott.ssa Verdi") << QStringLiteral("DOTT.SSA VERDI") << 2;
        QTest::newRow("accents") << QStringLiteral("Dr. Ross\u00EC") << QStringLiteral("dr rossi") << 6;
        QTest::newRow("no dentist: grey") << QString() << QStringLiteral("  . ") << -1;
    }
    void dentistColours()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, colour);
        QCOMPARE(dentistKey(a), dentistKey(b));
        QCOMPARE(colourIndex(a), colour);
        QCOMPARE(colourIndex(b), colour);
        // Every colour of the palette is distinct, and none is the grey of no dentist.
        QSet<quint32> edges{paletteColour(-1).edge};
        for (int i = 0; i < kPaletteSize; ++i)
            edges.insert(paletteColour(i).edge);
        QCOMPARE(edges.size(), kPaletteSize + 1);
    }

    // The practice's dentists each keep a colour of their own: given in the order the book
    // meets them, none shared while colours are left, the practice's choice kept, and all of
    // it read back from the book's settings file.
    void dentistsKeepTheirColours_data()
    {
        QTest::addColumn<QStringList>("met");
        QTest::addColumn<QList<int>>("colours");
        QTest::newRow("three dentists, three colours")
            << QStringList{QStringLiteral("Dott. Russo"), QStringLiteral("Dott. Bianchi"),
                           QStringLiteral("Dott.ssa Verdi")}
            << QList<int>{0, 1, 2};
        QTest::newRow("one dentist written two ways")
            << QStringList{QStringLiteral("Dott. Russo"), QStringLiteral("dott russo"), QStringLiteral("Dott. Bianchi")}
            << QList<int>{0, 0, 1};
        QTest::newRow("no dentist: grey") << QStringList{QString(), QStringLiteral("Dott. Russo")} << QList<int>{-1, 0};
        QStringList nine;
        for (int i = 0; i < 9; ++i)
            nine.append(QStringLiteral("Dentista %1").arg(QChar(u'A' + i)));
        QTest::newRow("more dentists than colours: shared only then") << nine << QList<int>{0, 1, 2, 3, 4, 5, 6, 0, 1};
    }
    void dentistsKeepTheirColours()
    {
        QFETCH(QStringList, met);
        QFETCH(QList<int>, colours);
        BookSettings settings = loadBookSettings();
        QList<int> given;
        for (const QString &dentist : met)
            given.append(settings.colours.indexOf(dentist));
        QCOMPARE(given, colours);
        // Saved and read back: the same colours, whatever order the next run meets them in.
        settings.colours.choose(met.last(), 5);
        QVERIFY(saveBookSettings(settings));
        BookSettings again = loadBookSettings();
        for (qsizetype i = met.size() - 1; i >= 0; --i)
            QCOMPARE(again.colours.indexOf(met[i]), i == met.size() - 1 ? 5 : colours[i]);
        QVERIFY(!again.colours.changed());
    }

    // The palette's strong colours (the blocks' strips and the legend) stay apart from one
    // another and from the grey of no dentist as seen with each kind of colour blindness.
    void paletteApartUnderColourBlindness_data()
    {
        QTest::addColumn<Matrix>("seen");
        QTest::newRow("normal vision") << kNormal;
        QTest::newRow("protanopia") << kProtanopia;
        QTest::newRow("deuteranopia") << kDeuteranopia;
        QTest::newRow("tritanopia") << kTritanopia;
    }
    void paletteApartUnderColourBlindness()
    {
        QFETCH(Matrix, seen);
        QList<quint32> edges{paletteColour(-1).edge};
        for (int i = 0; i < kPaletteSize; ++i)
            edges.append(paletteColour(i).edge);
        for (qsizetype a = 0; a < edges.size(); ++a)
            for (qsizetype b = a + 1; b < edges.size(); ++b)
                QVERIFY2(distance(edges[a], edges[b], seen) >= 20,
                         qPrintable(QStringLiteral("colours %1 and %2: %3")
                                        .arg(a - 1)
                                        .arg(b - 1)
                                        .arg(distance(edges[a], edges[b], seen))));
    }

    void blockNamesAndStates_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("tipologia");
        QTest::addColumn<QString>("name");
        const QString base = QStringLiteral("10:30, Rossi Mario, Otturazione");
        QTest::newRow("to fulfil") << QStringLiteral("10/12/2026") << kFlagNo << QStringLiteral("Dott. Bianchi")
                                   << base + QStringLiteral(", Dott. Bianchi, da assolvere");
        QTest::newRow("fulfilled") << QStringLiteral("10/12/2026") << kFlagYes << QStringLiteral("Dott. Bianchi")
                                   << base + QStringLiteral(", Dott. Bianchi, assolto");
        QTest::newRow("past due") << QStringLiteral("09/12/2026") << kFlagNo << QStringLiteral("Dott. Bianchi")
                                  << base + QStringLiteral(", Dott. Bianchi, scaduto e non assolto");
        QTest::newRow("no dentist, another flag")
            << QStringLiteral("09/12/2026") << QStringLiteral("?") << QString() << base;
    }
    void blockNamesAndStates()
    {
        QFETCH(QString, date);
        QFETCH(QString, flag);
        QFETCH(QString, tipologia);
        QFETCH(QString, name);
        const auto e = entryOf(appointmentRecord(Card{.data = date,
                                                      .ore = QStringLiteral("10"),
                                                      .minuti = QStringLiteral("30"),
                                                      .tipologia = tipologia,
                                                      .causale = QStringLiteral("Otturazione"),
                                                      .flag = flag}),
                               1);
        QVERIFY(e);
        QCOMPARE(blockName(*e, stateOf(*e, kToday)), name);
    }

    void damagedCardsLeftOut()
    {
        // Good cards in time order, then record position; damaged ones (a date or a time that
        // does not convert) left out, as the lists leave them.
        writeAppointmentArchive({
            Card{.ore = QStringLiteral("11"), .contatto = QStringLiteral("Uno")},
            Card{.data = QStringLiteral("31/11/2026"), .contatto = QStringLiteral("Data sbagliata")},
            Card{.ore = QStringLiteral("25"), .contatto = QStringLiteral("Ora sbagliata")},
            Card{.ore = QString(), .contatto = QStringLiteral("Senza ora")},
            Card{.minuti = QStringLiteral("6x"), .contatto = QStringLiteral("Minuti sbagliati")},
            Card{.ore = QStringLiteral("9"), .minuti = QStringLiteral("5"), .contatto = QStringLiteral("Due")},
            Card{.data = QStringLiteral("11/12/2026"), .contatto = QStringLiteral("Domani")},
            Card{.ore = QStringLiteral("11"), .contatto = QStringLiteral("Tre")},
        });
        const std::vector<Entry> entries = entriesBetween(kToday, kToday);
        QStringList got;
        for (const Entry &e : entries)
            got.append(QStringLiteral("%1 %2 %3").arg(timeText(e.minute), e.contact).arg(e.position));
        QCOMPARE(got, (QStringList{QStringLiteral("09:05 Due 6"), QStringLiteral("11:00 Uno 1"),
                                   QStringLiteral("11:00 Tre 8")}));
    }

    // Cards of the day with a time the grid cannot place are listed above it, and open from
    // there.
    void cardsWithoutATimeAreListed()
    {
        writeAppointmentArchive({
            Card{.ore = QStringLiteral("11"), .contatto = QStringLiteral("Uno")},
            Card{.ore = QStringLiteral("25"), .contatto = QStringLiteral("Ora sbagliata")},
            Card{.data = QStringLiteral("11/12/2026"),
                 .ore = QStringLiteral("ab"),
                 .contatto = QStringLiteral("Domani")},
            Card{.ore = QString(), .contatto = QStringLiteral("Senza ora")},
        });
        std::vector<Entry> untimed;
        QCOMPARE(entriesBetween(kToday, kToday, &untimed).size(), size_t(1));
        QCOMPARE(untimed.size(), size_t(2));
        QCOMPARE(untimed[0].position, 2);
        QCOMPARE(untimed[1].position, 4);
        QVERIFY(openBook());
        QVERIFY(book->btnSenzaOrario->isVisible());
        QCOMPARE(book->btnSenzaOrario->text(), QStringLiteral("2 appuntamenti senza un orario valido"));
        QSignalSpy asked(book, &TfrmCalendarioAppuntamenti::appointmentRequested);
        book->btnSenzaOrario->click();
        auto *menu = book->findChild<QMenu *>(QStringLiteral("mnuSenzaOrario"));
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 2);
        QVERIFY(menu->actions().at(1)->text().contains(QStringLiteral("Senza ora")));
        menu->actions().at(1)->trigger();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().first().toLongLong(), 4);
        // The next day holds one, the week all three.
        book->btnSuccessivo->click();
        QCOMPARE(book->btnSenzaOrario->text(), QStringLiteral("1 appuntamento senza un orario valido"));
        book->btnVistaSettimana->click();
        QCOMPARE(book->btnSenzaOrario->text(), QStringLiteral("3 appuntamenti senza un orario valido"));
    }

    void keptDatesFollowTheArchive()
    {
        const auto contacts = [](const QDate &day) {
            QStringList out;
            for (const Entry &e : entriesBetween(day, day))
                out.append(QStringLiteral("%1 %2").arg(e.contact).arg(e.position));
            return out;
        };
        writeAppointmentArchive({Card{.contatto = QStringLiteral("Uno")},
                                 Card{.data = QStringLiteral("11/12/2026"), .contatto = QStringLiteral("Due")},
                                 Card{.data = QStringLiteral("31/02/2026"), .contatto = QStringLiteral("Guasta")}});
        // Just written: the file may still change within the file system's tick, so a scan
        // keeps nothing.
        QCOMPARE(contacts(kToday), QStringList{QStringLiteral("Uno 1")});
        QVERIFY(!dateIndexKept());

        // Last changed an hour ago: the scan keeps the dates, the next day is read through them.
        const auto age = [&] {
            QFile f(world->file(kAppointmentArchive));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        };
        age();
        QCOMPARE(contacts(kToday), QStringList{QStringLiteral("Uno 1")});
        QVERIFY(dateIndexKept());
        QCOMPARE(contacts(kToday.addDays(1)), QStringList{QStringLiteral("Due 2")});
        QVERIFY(dateIndexKept());

        // A save elsewhere (another copy of the program on the shared folder) moves the second
        // card to today: the file changed, the archive is scanned again.
        RecordFile file(world->file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Write);
        TAppointmentRecord moved =
            appointmentRecord(Card{.ore = QStringLiteral("08"), .contatto = QStringLiteral("Due")});
        file.overwriteAt(2, moved);
        file.append(appointmentRecord(Card{.data = QStringLiteral("11/12/2026"), .contatto = QStringLiteral("Tre")}));
        file.close();
        QCOMPARE(contacts(kToday), (QStringList{QStringLiteral("Due 2"), QStringLiteral("Uno 1")}));
        QCOMPARE(contacts(kToday.addDays(1)), QStringList{QStringLiteral("Tre 4")});
        age();
        QCOMPARE(contacts(kToday.addDays(1)), QStringList{QStringLiteral("Tre 4")});
        QVERIFY(dateIndexKept());
        QCOMPARE(contacts(kToday), (QStringList{QStringLiteral("Due 2"), QStringLiteral("Uno 1")}));
    }

    // ---- The printed page ----

    void printedDayIsALaidOutPage()
    {
        Entry a{1,
                kToday,
                at(9, 0),
                QStringLiteral("Rossi Mario"),
                QStringLiteral("Otturazione"),
                QStringLiteral("Dott. Bianchi"),
                Flag::Open};
        Entry b{2,         kToday,         at(9, 0), QStringLiteral("Verdi Anna"), QStringLiteral("Igiene"),
                QString(), Flag::Fulfilled};
        Entry c{3,
                kToday,
                at(9, 30),
                QStringLiteral("Neri Luca"),
                QStringLiteral("Visita"),
                QStringLiteral("Dott. Bianchi"),
                Flag::Open};
        const Layout day = layout({kToday}, {a, b, c}, kDefaultHours);
        const Report::Document doc = BookDocument::make(printedBook(day, kToday, kToday));
        QCOMPARE(doc.orientation(), Report::Document::Portrait);
        const QList<Report::Page> pages = doc.prepare();
        QCOMPARE(pages.size(), 1);
        const Report::Page &page = pages.first();

        QCOMPARE(page.text(QStringLiteral("txtTitolo"))->lines,
                 QStringList{QStringLiteral("Calendario appuntamenti - gioved\u00EC 10/12/2026")});
        QCOMPARE(page.text(QStringLiteral("txtGiorno1"))->lines,
                 QStringList{QStringLiteral("gioved\u00EC 10/12/2026")});
        QVERIFY(!page.text(QStringLiteral("txtGiorno2")));
        QCOMPARE(page.text(QStringLiteral("txtOra1"))->lines, QStringList{QStringLiteral("08:00")});
        QCOMPARE(page.text(QStringLiteral("txtOra12"))->lines, QStringList{QStringLiteral("19:00")});
        QVERIFY(!page.text(QStringLiteral("txtOra13")));
        QCOMPARE(page.text(QStringLiteral("txtPagina"))->lines,
                 QStringList{QStringLiteral("Stampa eseguita in data 10/12/2026")});
        QCOMPARE(page.text(QStringLiteral("txtLegenda1"))->lines, QStringList{QStringLiteral("Dott. Bianchi")});
        QCOMPARE(page.text(QStringLiteral("txtLegenda2"))->lines, QStringList{QStringLiteral("Dentista non indicato")});

        // The blocks: 9:00 side by side, each half the day's width, two rows (to 9:30); 9:30
        // one hour. The rows fill the page's height between the headings and the foot.
        const double width = doc.printableSize().width();
        const double dayWidth = width - BookDocument::kTimeColumn;
        const double row =
            (doc.printableSize().height() - 0.5 - BookDocument::kFootHeight - BookDocument::kGridTop) / 48;
        const auto blockBox = [&](int i) { return page.text(QStringLiteral("txtBlocco%1").arg(i)); };
        QCOMPARE(blockBox(1)->lines, (QStringList{QStringLiteral("09:00 Rossi Mario"), QStringLiteral("Otturazione"),
                                                  QStringLiteral("Dott. Bianchi"), QStringLiteral("da assolvere")}));
        QCOMPARE(blockBox(2)->lines, (QStringList{QStringLiteral("09:00 Verdi Anna"), QStringLiteral("Igiene"),
                                                  QStringLiteral("ASSOLTO")}));
        QCOMPARE(blockBox(2)->colour, quint32(0xFF5E5E5E)); // muted
        const double left1 = BookDocument::kTimeColumn + 0.3 + BookDocument::kStripWidth + 0.5;
        QVERIFY(qAbs(blockBox(1)->rect.left() - left1) < 1e-6);
        QVERIFY(qAbs(blockBox(2)->rect.left() - (left1 + dayWidth / 2)) < 1e-6);
        QVERIFY(qAbs(blockBox(1)->rect.top() - (BookDocument::kGridTop + 4 * row + 0.4)) < 1e-6);
        QVERIFY(qAbs(blockBox(1)->rect.height() - (2 * row - 0.8)) < 1e-6);
        QVERIFY(qAbs(blockBox(3)->rect.top() - (BookDocument::kGridTop + 6 * row + 0.4)) < 1e-6);
        QVERIFY(qAbs(blockBox(3)->rect.height() - (4 * row - 0.8)) < 1e-6);
        QVERIFY(qAbs(blockBox(3)->rect.width() - (dayWidth - 0.6 - BookDocument::kStripWidth - 0.8)) < 1e-6);
        // Each block's fill and the strip of its dentist's colour.
        const quint32 bianchi = paletteColour(colourIndex(QStringLiteral("Dott. Bianchi"))).edge;
        int strips = 0;
        for (const Report::Box &box : page.boxes)
            strips += box.fill == bianchi && qAbs(box.rect.width() - BookDocument::kStripWidth) < 1e-6;
        QCOMPARE(strips, 2);
        // Everything on the page.
        for (const Report::TextBox &t : page.texts)
            QVERIFY2(QRectF(QPointF(0, 0), doc.printableSize()).contains(t.rect), qPrintable(t.name));
    }

    // A one-row block prints every part on its one line, the state in words; a long one is
    // shortened with an ellipsis at its end only.
    void printedBlocksCarryEveryPart()
    {
        const QDate yesterday = kToday.addDays(-1);
        const Entry a{1,
                      yesterday,
                      at(9, 0),
                      QStringLiteral("Ferrara Federica"),
                      QStringLiteral("Otturazione"),
                      QStringLiteral("Dott. Russo"),
                      Flag::Open};
        const Entry b{2,
                      yesterday,
                      at(9, 15),
                      QString(QStringLiteral("Bianchi Maria ")).repeated(12),
                      QStringLiteral("Visita"),
                      QStringLiteral("Dott. Russo"),
                      Flag::Fulfilled};
        const Entry c{3,
                      yesterday,
                      at(9, 30),
                      QStringLiteral("Neri Luca"),
                      QStringLiteral("Igiene"),
                      QStringLiteral("Dott. Russo"),
                      Flag::Fulfilled};
        const Layout day = layout({yesterday}, {a, b, c}, kDefaultHours);
        const Report::Document doc = BookDocument::make(printedBook(day, kToday, kToday));
        const Report::Page page = doc.prepare().first();
        const double pxPerMm = 600 / 25.4;
        QImage paper(10, 10, QImage::Format_RGB32);
        paper.setDotsPerMeterX(600 / 0.0254);
        paper.setDotsPerMeterY(600 / 0.0254);
        const auto printed = [&](int i) {
            const Report::TextBox *box = page.text(QStringLiteral("txtBlocco%1").arg(i));
            const QFontMetricsF metrics(Report::qtFont(box->font), &paper);
            return Report::shownLines(*box, metrics, pxPerMm);
        };
        QCOMPARE(printed(1), QStringList{QStringLiteral("09:00 Ferrara Federica \u00B7 Otturazione \u00B7 Dott. Russo "
                                                        "\u00B7 SCADUTO E NON ASSOLTO")});
        const QStringList long_ = printed(2);
        QCOMPARE(long_.size(), 1);
        QVERIFY2(long_.first().startsWith(QStringLiteral("09:15 Bianchi Maria")), qPrintable(long_.first()));
        QVERIFY2(long_.first().endsWith(QChar(0x2026)), qPrintable(long_.first()));
        // A block with room for its lines prints them one under the other.
        QCOMPARE(printed(3), (QStringList{QStringLiteral("09:30 Neri Luca"), QStringLiteral("Igiene"),
                                          QStringLiteral("Dott. Russo"), QStringLiteral("ASSOLTO")}));
    }

    void printedWeekIsLandscape()
    {
        writeAppointmentArchive({Card{.data = QStringLiteral("08/12/2026")}, Card{}});
        QVERIFY(openBook());
        book->setView(TfrmCalendarioAppuntamenti::View::Week);
        book->btnStampa->click();
        const QList<Printer::Document> printed = Printer::takePrinted();
        QCOMPARE(printed.size(), 1);
        const auto job = std::dynamic_pointer_cast<const Report::Job>(printed.first());
        QVERIFY(job);
        QVERIFY(job->landscape());
        QCOMPARE(job->pages().size(), 1);
        const Report::Page &page = job->pages().first();
        QCOMPARE(
            page.text(QStringLiteral("txtTitolo"))->lines,
            QStringList{QStringLiteral("Calendario appuntamenti - dal luned\u00EC 07/12/2026 al sabato 12/12/2026")});
        QCOMPARE(page.text(QStringLiteral("txtGiorno6"))->lines, QStringList{QStringLiteral("sabato 12/12/2026")});
        QVERIFY(!page.text(QStringLiteral("txtGiorno7")));
        QVERIFY(page.text(QStringLiteral("txtBlocco2")));
        QVERIFY(!page.text(QStringLiteral("txtBlocco3")));
    }

    // ---- The window ----

    void opensFromTheAgendaOnTheDayChosen()
    {
        writeAppointmentArchive({Card{.data = QStringLiteral("15/12/2026"),
                                      .ore = QStringLiteral("10"),
                                      .minuti = QStringLiteral("30"),
                                      .contatto = QStringLiteral("Bianchi Luisa")}});
        QVERIFY(openBook(QDate(2026, 12, 15)));
        QCOMPARE(book->windowTitle(), QStringLiteral(" Sorrisa - Calendario appuntamenti"));
        QCOMPARE(book->day(), QDate(2026, 12, 15));
        QCOMPARE(book->view(), TfrmCalendarioAppuntamenti::View::Day);
        QCOMPARE(book->txtData->date(), QDate(2026, 12, 15));
        QCOMPARE(book->lblPeriodo->text(), QStringLiteral("Calendario appuntamenti - marted\u00EC 15/12/2026"));
        // The block is the current item, and the keyboard is on the grid.
        QVERIFY(currentName().startsWith(QStringLiteral("10:30, Bianchi Luisa")));
        QCOMPARE(book->focusWidget(), grid());
        // The button has its place among the agenda's buttons, under the two above it.
        TfrmAgenda *agenda = world->windows().frmAgenda();
        QVERIFY(agenda->btnCalendario->geometry().top() > agenda->btnMese->geometry().bottom());
        QVERIFY(agenda->btnCalendario->geometry().bottom() < agenda->appApriArchivio->geometry().top());
        QCOMPARE(agenda->btnCalendario->accessibleName(), QStringLiteral("CALENDARIO APPUNTAMENTI"));
    }

    void sundayOnlyWhenHeld_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<int>("days");
        QTest::newRow("nothing on Sunday") << QStringLiteral("12/12/2026") << 6;
        QTest::newRow("an appointment on Sunday") << QStringLiteral("13/12/2026") << 7;
    }
    void sundayOnlyWhenHeld()
    {
        QFETCH(QString, date);
        QFETCH(int, days);
        writeAppointmentArchive({Card{.data = date}});
        QVERIFY(openBook());
        book->btnVistaSettimana->click();
        QCOMPARE(book->view(), TfrmCalendarioAppuntamenti::View::Week);
        QCOMPARE(grid()->book().days.size(), days);
        QCOMPARE(book->btnGiorni[days - 1]->isHidden(), false);
        QCOMPARE(book->btnGiorni[6]->isHidden(), days == 6);
    }

    void keyboardPaths_data()
    {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("reached");
        // The day: 09:00 Rossi and Verdi side by side (to 09:30), 09:30 Neri (an hour, to 10:30),
        // then free slots. The book starts on the first block.
        const auto k = [](std::initializer_list<int> keys) { return QList<int>(keys); };
        QTest::newRow("start") << k({}) << QStringLiteral("09:00, Rossi Mario");
        QTest::newRow("right: beside") << k({Qt::Key_Right}) << QStringLiteral("09:00, Verdi Anna");
        QTest::newRow("right at the edge of a day: stays")
            << k({Qt::Key_Right, Qt::Key_Right}) << QStringLiteral("09:00, Verdi Anna");
        QTest::newRow("right, left") << k({Qt::Key_Right, Qt::Key_Left}) << QStringLiteral("09:00, Rossi Mario");
        QTest::newRow("down: the next block") << k({Qt::Key_Down}) << QStringLiteral("09:30, Neri Luca");
        QTest::newRow("down twice: the slot after the stretch")
            << k({Qt::Key_Down, Qt::Key_Down}) << QStringLiteral("10:30");
        QTest::newRow("up from the first block: the slot above") << k({Qt::Key_Up}) << QStringLiteral("08:45");
        QTest::newRow("home") << k({Qt::Key_Down, Qt::Key_Home}) << QStringLiteral("08:00");
        QTest::newRow("end") << k({Qt::Key_End}) << QStringLiteral("19:45");
        QTest::newRow("page down: the next day, same time")
            << k({Qt::Key_PageDown}) << QStringLiteral("09:00, Gialli Ugo");
        QTest::newRow("page down, page up: back")
            << k({Qt::Key_PageDown, Qt::Key_PageUp}) << QStringLiteral("09:00, Rossi Mario");
    }
    void keyboardPaths()
    {
        QFETCH(QList<int>, keys);
        QFETCH(QString, reached);
        writeAppointmentArchive({
            Card{.ore = QStringLiteral("09"), .contatto = QStringLiteral("Rossi Mario")},
            Card{.ore = QStringLiteral("09"), .minuti = QStringLiteral("30"), .contatto = QStringLiteral("Neri Luca")},
            Card{.ore = QStringLiteral("09"), .contatto = QStringLiteral("Verdi Anna")},
            Card{.data = QStringLiteral("11/12/2026"),
                 .ore = QStringLiteral("09"),
                 .contatto = QStringLiteral("Gialli Ugo")},
        });
        QVERIFY(openBook());
        for (int k : keys)
            key(Qt::Key(k));
        QVERIFY2(currentName().startsWith(reached), qPrintable(currentName()));
    }

    void weekKeyboardCrossesDays()
    {
        writeAppointmentArchive({
            Card{.ore = QStringLiteral("09"), .contatto = QStringLiteral("Rossi Mario")},
            Card{.data = QStringLiteral("11/12/2026"),
                 .ore = QStringLiteral("09"),
                 .contatto = QStringLiteral("Gialli Ugo")},
        });
        QVERIFY(openBook());
        book->btnVistaSettimana->click();
        QVERIFY(currentName().startsWith(QStringLiteral("gioved\u00EC 10/12/2026, 09:00, Rossi Mario")));
        key(Qt::Key_Right);
        QVERIFY2(currentName().startsWith(QStringLiteral("venerd\u00EC 11/12/2026, 09:00, Gialli Ugo")),
                 qPrintable(currentName()));
        key(Qt::Key_Right);
        QCOMPARE(currentName(), QStringLiteral("sabato 12/12/2026, 09:00"));
        key(Qt::Key_PageDown); // the next week, the same weekday and time
        QCOMPARE(book->lblPeriodo->text(),
                 QStringLiteral("Calendario appuntamenti - dal luned\u00EC 14/12/2026 al sabato 19/12/2026"));
        QCOMPARE(currentName(), QStringLiteral("sabato 19/12/2026, 09:00"));
        key(Qt::Key_PageUp);
        book->btnGiorni[3]->click(); // Thursday's heading: that day
        QCOMPARE(book->view(), TfrmCalendarioAppuntamenti::View::Day);
        QCOMPARE(book->day(), kToday);
    }

    void movingAbout()
    {
        QVERIFY(openBook());
        book->btnSuccessivo->click();
        QCOMPARE(book->day(), kToday.addDays(1));
        book->btnPrecedente->click();
        book->btnPrecedente->click();
        QCOMPARE(book->day(), kToday.addDays(-1));
        book->btnOggi->click();
        QCOMPARE(book->day(), kToday);
        book->txtData->setDate(QDate(2027, 1, 5));
        QCOMPARE(book->day(), QDate(2027, 1, 5));
        QCOMPARE(book->lblPeriodo->text(), QStringLiteral("Calendario appuntamenti - marted\u00EC 05/01/2027"));
        book->btnVistaSettimana->click();
        book->btnSuccessivo->click();
        QCOMPARE(book->day(), QDate(2027, 1, 12));
    }

    void hoursSetInTheWindow()
    {
        writeAppointmentArchive({Card{.ore = QStringLiteral("07"), .minuti = QStringLiteral("30")}});
        QVERIFY(openBook());
        QCOMPARE(grid()->book().hours, (Hours{at(7, 0), at(20, 0)})); // widened for the 07:30
        book->setHours(10, 14);
        QCOMPARE(book->cboDalle->currentText(), QStringLiteral("10:00")); // as set; the grid widened
        QCOMPARE(book->cboAlle->currentText(), QStringLiteral("14:00"));
        QCOMPARE(grid()->book().hours, (Hours{at(7, 0), at(14, 0)}));
        QVERIFY(currentName().startsWith(QStringLiteral("07:30, Rossi Mario")));
        book->setHours(kDefaultHours.first / 60, kDefaultHours.last / 60);
    }

    void openingABlockLandsOnItsCard()
    {
        // Two cards whose texts are the same: each block opens its own position.
        writeAppointmentArchive({Card{.contatto = QStringLiteral("Altro")}, Card{.ore = QStringLiteral("10")},
                                 Card{.ore = QStringLiteral("10")}});
        QVERIFY(openBook());
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        const int first = grid()->itemOf(2), second = grid()->itemOf(3);
        QVERIFY(first >= 0 && second >= 0 && first != second);
        QCOMPARE(grid()->itemName(first), grid()->itemName(second));

        grid()->setCurrent(second);
        key(Qt::Key_Return);
        QVERIFY(card->isVisible());
        QCOMPARE(card->position(), 3);
        QCOMPARE(card->lblPosizione->text(), QStringLiteral("3"));

        const QRect r = grid()->itemRect(first);
        QTest::mouseDClick(grid(), Qt::LeftButton, {}, r.center());
        QCOMPARE(card->position(), 2);
        QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("10"));
    }

    // A card opened from the book that holds unsaved typing is replaced from the book only
    // after a question, No by default; a card as shown (or a new card at a slot's time) is
    // replaced without one.
    void halfTypedCardIsNotReplacedSilently()
    {
        writeAppointmentArchive({Card{.ore = QStringLiteral("09")}, Card{.ore = QStringLiteral("10")}});
        QVERIFY(openBook());
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        const auto open = [&](qint64 position) {
            grid()->setCurrent(grid()->itemOf(position));
            key(Qt::Key_Return);
        };
        open(1);
        QCOMPARE(card->position(), 1);
        open(2); // nothing typed: no question
        QCOMPARE(card->position(), 2);
        QVERIFY(Messages::takeShown().isEmpty());

        card->txtCausale->setText(QStringLiteral("Controllo a met\u00E0"));
        const QString question =
            QStringLiteral("La scheda mostrata contiene modifiche non salvate. Aprire comunque l'altro appuntamento?");
        open(1); // no answer given: No, the default
        QList<Messages::Shown> shown = Messages::takeShown();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, question);
        QCOMPARE(card->position(), 2);
        QCOMPARE(card->txtCausale->text(), QStringLiteral("Controllo a met\u00E0"));
        // A free slot asks alike.
        grid()->setCurrent(grid()->itemAt(0, 0));
        Messages::queueAnswer(false);
        key(Qt::Key_Return);
        QCOMPARE(Messages::takeShown().size(), 1);
        QCOMPARE(card->position(), 2);
        Messages::queueAnswer(true);
        open(1);
        QCOMPARE(Messages::takeShown().size(), 1);
        QCOMPARE(card->position(), 1);
        QVERIFY(!card->hasUnsavedTyping());
    }

    void freeSlotStartsANewCard()
    {
        writeAppointmentArchive({Card{.ore = QStringLiteral("09")}});
        QVERIFY(openBook());
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        card->show();
        card->showPosition(1); // a card on screen: the new one replaces it
        const int slot = grid()->itemAt(0, rowOf(at(11, 15), grid()->book().hours));
        QCOMPARE(grid()->itemName(slot), QStringLiteral("11:15"));
        QTest::mouseDClick(grid(), Qt::LeftButton, {}, grid()->itemRect(slot).center());
        QVERIFY(card->isVisible());
        QCOMPARE(card->position(), 0);
        QCOMPARE(card->lblPosizione->text(), QString());
        QCOMPARE(card->txtData->text(), QStringLiteral("10/12/2026"));
        QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("11"));
        QCOMPARE(card->txtMinutiApp->currentText(), QStringLiteral("15"));
        QCOMPARE(card->txtContatto->text(), QString());
        QVERIFY(!card->chkOttemperata->isChecked());
        QCOMPARE(card->focusWidget(), card->txtAvviso);
    }

    void savedCardShowsInTheBook()
    {
        writeAppointmentArchive({Card{.ore = QStringLiteral("09")}});
        QVERIFY(openBook());
        const int slot = grid()->itemAt(0, rowOf(at(14, 0), grid()->book().hours));
        grid()->setCurrent(slot);
        key(Qt::Key_Enter);
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        card->txtCausale->setText(QStringLiteral("Estrazione"));
        card->txtContatto->setText(QStringLiteral("Blu Carla"));
        card->txtCel->setText(QStringLiteral("3339876543"));
        card->cmdSalvaClick();
        QCOMPARE(card->position(), 2);
        // The book listens to the card window's saves: the card is on the grid as the save
        // returns, the card window still open and the file watcher not yet awake.
        QVERIFY(grid()->itemOf(2) >= 0);
        card->close();
        QTRY_VERIFY(grid()->itemOf(2) >= 0);
        QVERIFY(grid()->itemName(grid()->itemOf(2)).startsWith(QStringLiteral("14:00, Blu Carla, Estrazione")));

        // A block opened, its card changed and saved: the block reads the change.
        grid()->setCurrent(grid()->itemOf(1));
        key(Qt::Key_Return);
        card->chkOttemperata->setChecked(true);
        card->cmdSalvaClick();
        card->close();
        QTRY_VERIFY(grid()->itemName(grid()->itemOf(1)).endsWith(QStringLiteral(", assolto")));
        QCOMPARE(grid()->current(), grid()->itemOf(1)); // still on it
    }

    void unreadableArchiveIsReported()
    {
        // The agenda shown on a readable archive, the book opened once it cannot be read.
        writeAppointmentArchive({Card{}});
        world->windows().frmAvvio()->imgApp02Click();
        QVERIFY(QFile::remove(world->file(kAppointmentArchive)));
        QDir(world->folder()).mkdir(kAppointmentArchive); // a folder where the file should be
        QVERIFY(openBook());
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
        // Coming back to the book reads again, and says nothing more while it still fails.
        QApplication::setActiveWindow(world->windows().frmAgenda());
        QApplication::setActiveWindow(book);
        QCOMPARE(shownMessages(), QStringList());
        QVERIFY(grid()->unreadable());
        QCOMPARE(grid()->items().size(), 0); // no free slots that would pass for an empty day
        key(Qt::Key_Return);
        QVERIFY(!world->windows().frmArchivio_Scadenze()->isVisible());
        book->btnStampa->click();
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
        QCOMPARE(Printer::takePrinted().size(), 0);
    }

    // Giorno and Settimana switch the view through a screen reader's toggle action too, and
    // only the view shown stays checked.
    void viewsToggleThroughAssistiveTechnology()
    {
        QAccessible::setActive(true);
        QVERIFY(openBook());
        const auto toggle = [](QPushButton *button) {
            QAccessibleInterface *a = QAccessible::queryAccessibleInterface(button);
            QVERIFY(a && a->actionInterface());
            QVERIFY(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::toggleAction()));
            a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        };
        toggle(book->btnVistaSettimana);
        QCOMPARE(book->view(), TfrmCalendarioAppuntamenti::View::Week);
        QVERIFY(book->btnVistaSettimana->isChecked());
        QVERIFY(!book->btnVistaGiorno->isChecked());
        QCOMPARE(book->grdAppuntamenti->book().days.size(), 6);
        toggle(book->btnVistaSettimana); // the view shown stays
        QCOMPARE(book->view(), TfrmCalendarioAppuntamenti::View::Week);
        QVERIFY(book->btnVistaSettimana->isChecked());
        toggle(book->btnVistaGiorno);
        QCOMPARE(book->view(), TfrmCalendarioAppuntamenti::View::Day);
        QVERIFY(book->btnVistaGiorno->isChecked());
        QVERIFY(!book->btnVistaSettimana->isChecked());
        QCOMPARE(book->grdAppuntamenti->book().days.size(), 1);
    }

    // The practice chooses a dentist's colour; the book shows it at once and keeps it.
    void practiceChoosesADentistsColour()
    {
        writeAppointmentArchive({Card{.tipologia = QStringLiteral("Dott. Russo")},
                                 Card{.ore = QStringLiteral("11"), .tipologia = QStringLiteral("Dott. Bianchi")}});
        QVERIFY(openBook());
        QVERIFY(book->lblLegenda->accessibleName().contains(QStringLiteral("Dott. Russo in blu")));
        QVERIFY(book->lblLegenda->accessibleName().contains(QStringLiteral("Dott. Bianchi in arancione")));
        Modal::queue([](QWidget *w) {
            QCOMPARE(w->objectName(), QStringLiteral("frmColoriDentisti"));
            auto *cbo = w->findChild<QComboBox *>(QStringLiteral("cboColore2"));
            QVERIFY(cbo);
            QCOMPARE(cbo->accessibleName(), QStringLiteral("Colore di Dott. Bianchi"));
            cbo->setCurrentIndex(cbo->findText(QStringLiteral("viola")));
            w->findChild<QPushButton *>(QStringLiteral("btnOK"))->click();
        });
        book->btnColori->click();
        QVERIFY(book->lblLegenda->accessibleName().contains(QStringLiteral("Dott. Bianchi in viola")));
        QCOMPARE(loadBookSettings().colours.knownIndex(QStringLiteral("dott bianchi")), 6);
    }

    void accessibleNames()
    {
        writeAppointmentArchive({
            Card{.ore = QStringLiteral("10"),
                 .minuti = QStringLiteral("30"),
                 .tipologia = QStringLiteral("Dott. Bianchi"),
                 .causale = QStringLiteral("Otturazione")},
            Card{.data = QStringLiteral("09/12/2026"), .contatto = QStringLiteral("Verdi Anna")},
        });
        QAccessible::setActive(true);
        QVERIFY(openBook());
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(book);
        QCOMPARE(window->role(), QAccessible::Window);
        QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Sorrisa - Calendario appuntamenti"));

        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(grid());
        QCOMPARE(list->role(), QAccessible::List);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Appuntamenti del giorno"));
        QCOMPARE(list->childCount(), int(grid()->items().size()));
        const int block = grid()->itemOf(1);
        QAccessibleInterface *item = list->child(block);
        QCOMPARE(item->role(), QAccessible::ListItem);
        QCOMPARE(item->text(QAccessible::Name),
                 QStringLiteral("10:30, Rossi Mario, Otturazione, Dott. Bianchi, da assolvere"));
        QVERIFY(item->state().focusable);
        QVERIFY(item->state().focused);
        QCOMPARE(list->focusChild(), item);
        QCOMPARE(list->indexOfChild(item), block);
        // Each free slot by its time, every name once.
        const QStringList all = names(grid());
        QCOMPARE(all.first(), QStringLiteral("08:00"));
        QVERIFY(all.contains(QStringLiteral("10:15")));
        QVERIFY(!all.contains(QStringLiteral("10:45"))); // under the block, stretched to 11:30
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), all.size());
        key(Qt::Key_Down);
        QCOMPARE(list->focusChild()->text(QAccessible::Name), QStringLiteral("11:30"));

        // The week: every item names its day too, and the past-due block says so.
        book->btnVistaSettimana->click();
        const QStringList week = names(grid());
        QCOMPARE(QSet<QString>(week.begin(), week.end()).size(), week.size());
        QVERIFY(week.contains(
            QStringLiteral("mercoled\u00EC 09/12/2026, 09:00, Verdi Anna, Igiene dentale, scaduto e non assolto")));
        QVERIFY(week.contains(QStringLiteral("luned\u00EC 07/12/2026, 08:00")));
        QCOMPARE(book->btnGiorni[0]->accessibleName(), QStringLiteral("luned\u00EC 07/12/2026, 0 appuntamenti"));
        QVERIFY(book->lblLegenda->accessibleName().contains(QStringLiteral("Dott. Bianchi in blu")));
        QVERIFY(book->lblLegenda->accessibleName().contains(QStringLiteral("Dentista non indicato in grigio")));
    }
};

QTEST_MAIN(TestBook)
#include "tst_book.moc"
