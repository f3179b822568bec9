#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "app/frmAvvio.h"
#include "app/frmCambiaPassword.h"
#include "app/frmCopiaSicurezza.h"
#include "app/frmPasswordCopie.h"
#include "app/frmInfo.h"
#include "app/frmPassword.h"
#include "app/frmSplash.h"
#include "appointments/AppointmentCard.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmCalendario.h"
#include "appointments/frmCalendarioAppuntamenti.h"
#include "appointments/frmStatusList.h"
#include "appointments/frmTrovaScadenze.h"
#include "appointments/frmWhatsApp_Message.h"
#include "chart/frmAllegaExcel.h"
#include "chart/frmDentalCondition.h"
#include "chart/frmStoriaDente.h"
#include "export/frmExport.h"
#include "patients/PatientCard.h"
#include "patients/frmClients.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "print/frmCardPrint.h"
#include "print/frmDentalPrint.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "ui/FixedList.h"
#include "ui/Help.h"
#include "ui/HintStrip.h"
#include "ui/LinkLabel.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"

#include <QAccessible>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTableView>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace {

// Every window of the program, as a screen reader meets it. A window added later gets one
// line here: its name and how to make it (work windows come from the window set; the
// others are made for the test, owned by a work window, and destroyed after it).
struct WindowEntry
{
    const char *name;
    std::function<QWidget *(Windows &)> make;
    bool workWindow = false;
};

const QList<WindowEntry> &allWindows()
{
    static const QList<WindowEntry> table = {
        {"frmPassword", [](Windows &w) { return w.frmPassword(); }, true},
        {"frmAvvio", [](Windows &w) { return w.frmAvvio(); }, true},
        {"frmCambiaPassword", [](Windows &w) { return w.frmCambiaPassword(); }, true},
        {"frmClients", [](Windows &w) { return w.frmClients(); }, true},
        {"frmAgenda", [](Windows &w) { return w.frmAgenda(); }, true},
        {"frmArchivio_Scadenze", [](Windows &w) { return w.frmArchivio_Scadenze(); }, true},
        {"frmGuida", [](Windows &w) { return new TfrmGuida(w.frmAvvio()); }},
        {"frmInfo", [](Windows &w) { return new TfrmInfo(w.frmAvvio()); }},
        {"frmSplash", [](Windows &w) { return new TfrmSplash(w.frmAvvio()); }},
        {"frmWhatsApp_Message",
         [](Windows &w) { return new TfrmWhatsApp_Message(TAppointmentRecord{}, w.frmAgenda()); }},
        {"frmCalendario", [](Windows &w) { return new TfrmCalendario(w.frmArchivio_Scadenze()); }},
        {"frmCalendarioAppuntamenti",
         [](Windows &w) { return new TfrmCalendarioAppuntamenti(QDate(2026, 12, 10), w.frmAgenda()); }},
        {"frmConfermati", [](Windows &w) { return new TfrmConfermati(w.frmArchivio_Scadenze()); }},
        {"frmScaduti", [](Windows &w) { return new TfrmScaduti(w.frmArchivio_Scadenze()); }},
        {"frmAssolti", [](Windows &w) { return new TfrmAssolti(w.frmArchivio_Scadenze()); }},
        {"frmTrovaScadenze", [](Windows &w) { return new TfrmTrovaScadenze(w.frmArchivio_Scadenze()); }},
        {"frmStampaScadenza", [](Windows &w) { return new TfrmStampaScadenza({}, w.frmArchivio_Scadenze()); }},
        {"frmStartup", [](Windows &w) { return new TfrmStartup({}, w.frmArchivio_Scadenze()); }},
        {"frmPrintClient", [](Windows &w) { return new TfrmPrintClient({}, w.frmClients()); }},
        {"frmDentalCondition",
         [](Windows &w) {
             return new TfrmDentalCondition(QStringLiteral("Rossi Mario"), QStringList(32, QString()), QString(), {},
                                            w.frmClients());
         }},
        {"frmStoriaDente", [](Windows &w) { return new TfrmStoriaDente(36, {}, {}, w.frmClients()); }},
        {"frmAnteprimaDentale",
         [](Windows &w) {
             return new TfrmAnteprimaDentale(QStringLiteral("Stato dentale"), QStringList(32, QString()),
                                             w.frmClients());
         }},
        {"frmPrint_Dental_Condition",
         [](Windows &w) {
             return new TfrmPrint_Dental_Condition(QStringLiteral("Stato dentale"), QStringList(32, QString()),
                                                   w.frmClients());
         }},
        {"frmAllegaExcel",
         [](Windows &w) {
             return new TfrmAllegaExcel(QStringLiteral("Rossi Mario"), QStringLiteral("1"), w.frmClients());
         }},
        {"frmExpClients",
         [](Windows &w) { return new TfrmExport(Exports::Member::Clients, QDate(2026, 12, 10), w.frmClients()); }},
        {"frmExpScadenzario",
         [](Windows &w) {
             return new TfrmExport(Exports::Member::Scadenzario, QDate(2026, 12, 10), w.frmArchivio_Scadenze());
         }},
        {"frmExpImminenti",
         [](Windows &w) { return new TfrmExport(Exports::Member::Imminenti, QDate(2026, 12, 10), w.frmAgenda()); }},
        {"frmExpGiornaliere",
         [](Windows &w) { return new TfrmExport(Exports::Member::Giornaliere, QDate(2026, 12, 10), w.frmAgenda()); }},
        {"frmExpMensili",
         [](Windows &w) { return new TfrmExport(Exports::Member::Mensili, QDate(2026, 12, 10), w.frmAgenda()); }},
        {"frmCopiaSicurezza", [](Windows &w) { return new TfrmCopiaSicurezza(w.frmAvvio()); }},
        {"frmPasswordCopie",
         [](Windows &w) {
             static QString chosen;
             return new TfrmPasswordCopie(w.frmAvvio(), TfrmPasswordCopie::Mode::Choose, &chosen);
         }},
    };
    return table;
}

struct Control
{
    QString where; // object name and class, for a failing test's message
    QString name;
    bool part = false; // a part that hands its focus to its owner, and is named as its owner
};

// The edit part of a drop-down: focusable on its own on the bus, its focus its owner's.
bool isPart(QAccessibleInterface *iface)
{
    auto *widget = qobject_cast<QWidget *>(iface->object());
    return widget && widget->focusProxy();
}

QString describe(QAccessibleInterface *iface)
{
    QObject *o = iface->object();
    return o ? QStringLiteral("%1 (%2)").arg(o->objectName(), QString::fromLatin1(o->metaObject()->className()))
             : QStringLiteral("role %1").arg(int(iface->role()));
}

// What a screen reader reads as a control's name: the name the desktop's accessibility bus
// (AT-SPI) carries, which is the interface's name for every role. A combo box that Qt
// names on Linux is named by its current text ("00"), not by its caption.
QString spokenName(QAccessibleInterface *iface) { return iface->text(QAccessible::Name).trimmed(); }

// The focusable controls a screen reader meets in a window: everything shown, down the
// tree, leaving out the lines and cells inside lists and tables (they are the control's
// content, not controls). A part that hands its focus to its owner (the edit part of a
// drop-down) is still met on its own, as AT-SPI lists it.
void collectFocusable(QAccessibleInterface *iface, QList<Control> &found)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child || !child->object() || child->state().invisible)
            continue;
        if (child->state().focusable)
            found.append({describe(child), spokenName(child), isPart(child)});
        collectFocusable(child, found);
    }
}

// Every object of the tree below an interface, as the bus walks it (children by index), with
// the name of the nearest named object above it inside the window.
struct Reached
{
    QAccessibleInterface *iface;
    QString above;
};
void collectAll(QAccessibleInterface *iface, const QString &above, QList<Reached> &found)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child)
            continue;
        found.append({child, above});
        if (child->role() == QAccessible::List || child->role() == QAccessible::Table)
            continue; // lines and cells
        const QString name = child->text(QAccessible::Name).trimmed();
        collectAll(child, name.isEmpty() ? above : name, found);
    }
}

// The number of pixels of exactly this colour in a picture.
int pixelsOf(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y).rgb() == colour.rgb();
    return n;
}

void activate(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

// The patient card ("frmClients") or the appointment card, active, with the required fields
// of both filled: a card that saves.
QWidget *savableCard(Windows &windows, const QString &window)
{
    QWidget *w = window == QLatin1String("frmClients") ? static_cast<QWidget *>(windows.frmClients())
                                                       : windows.frmArchivio_Scadenze();
    activate(w);
    const QList<std::pair<const char *, const char *>> filled = {
        {"txtName", "Rossi Mario"}, {"txtMobilePhone", "3331234567"}, {"txtData", "10/12/2026"}, {"txtAvviso", "1"},
        {"txtCausale", "Igiene"},   {"txtContatto", "Rossi Mario"},   {"txtCel", "3331234567"}};
    for (const auto &[name, text] : filled)
        if (auto *edit = w->findChild<QLineEdit *>(QLatin1String(name)))
            edit->setText(QString::fromUtf8(text));
    return w;
}

} // namespace

class TestAccess : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> world;

private slots:
    void initTestCase()
    {
        // As the program starts: its style sheet and its accessible interfaces.
        Theme::apply(*qApp);
        QAccessible::setActive(true);
    }
    void init()
    {
        world = std::make_unique<TestWorld>();
        world->windows();
    }
    void cleanup() { world.reset(); }

    // ---- The accessible tree of every window ----

    void everyWindowReadsWell_data()
    {
        QTest::addColumn<int>("entry");
        for (int i = 0; i < allWindows().size(); ++i)
            QTest::newRow(allWindows().at(i).name) << i;
    }

    void everyWindowReadsWell()
    {
        QFETCH(int, entry);
        const WindowEntry &e = allWindows().at(entry);
        QWidget *window = e.make(world->windows());
        QVERIFY(window);
        QCOMPARE(window->objectName(), QString::fromLatin1(e.name));
        window->show();

        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(window);
        QVERIFY(iface);
        // A window the screen reader announces when it opens: a frame or a dialog, named by
        // its caption.
        QVERIFY2(iface->role() == QAccessible::Window || iface->role() == QAccessible::Dialog,
                 qPrintable(QStringLiteral("role %1").arg(int(iface->role()))));
        QCOMPARE(iface->text(QAccessible::Name), window->windowTitle().trimmed());
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());

        QList<Control> controls;
        collectFocusable(iface, controls);
        QVERIFY(!controls.isEmpty());
        QHash<QString, QString> seen;
        for (const Control &c : std::as_const(controls)) {
            QVERIFY2(!c.name.isEmpty(), qPrintable(c.where + QStringLiteral(" has no name")));
            if (c.part)
                continue;
            const QString key = c.name.toCaseFolded();
            QVERIFY2(!seen.contains(key),
                     qPrintable(QStringLiteral("\"%1\": %2 and %3").arg(c.name, seen.value(key), c.where)));
            seen.insert(key, c.where);
        }

        // Nothing shown is read twice on the way in (a calendar and its days, a banner and its
        // caption), and no picture is met without a name: decorations are left out.
        QList<Reached> all;
        collectAll(iface, QString(), all);
        for (const Reached &r : std::as_const(all)) {
            if (r.iface->state().invisible || isPart(r.iface))
                continue;
            const QString name = r.iface->text(QAccessible::Name).trimmed();
            QVERIFY2(name.isEmpty() || name != r.above,
                     qPrintable(describe(r.iface) + QStringLiteral(" is read twice as \"%1\"").arg(name)));
            QVERIFY2(r.iface->role() != QAccessible::Graphic || !name.isEmpty(),
                     qPrintable(describe(r.iface) + QStringLiteral(" is an unnamed picture")));
        }

        window->hide();
        if (!e.workWindow)
            delete window;
    }

    void helpersAndRepeatsAreLeftOut_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::newRow("focus helper of the save") << "frmArchivio_Scadenze"
                                                  << "btnFocus";
        QTest::newRow("first photograph") << "frmAvvio"
                                          << "imgApp01";
        QTest::newRow("second photograph") << "frmAvvio"
                                           << "imgApp02";
        QTest::newRow("clock beside its button") << "frmAgenda"
                                                 << "appApriArchivio";
        QTest::newRow("icon beside the help link") << "frmGuida"
                                                   << "imgPDF";
        QTest::newRow("icon beside the e-mail link") << "frmInfo"
                                                     << "imgEmail";
        QTest::newRow("icon beside the web link") << "frmSplash"
                                                  << "imgWeb";
        QTest::newRow("main menu icon") << "frmAvvio"
                                        << "icoIcona";
        QTest::newRow("main menu title picture") << "frmAvvio"
                                                 << "icoTitolo01";
        QTest::newRow("agenda banner") << "frmAgenda"
                                       << "imgNome";
        QTest::newRow("agenda picture") << "frmAgenda"
                                        << "imgAppuntamentiNO";
        QTest::newRow("appointment card banner") << "frmArchivio_Scadenze"
                                                 << "imgTitolo";
        QTest::newRow("list banner") << "frmConfermati"
                                     << "imgBanner";
        QTest::newRow("treatment register banner") << "frmAllegaExcel"
                                                   << "imgRiepilogo";
        QTest::newRow("total's caption picture") << "frmAllegaExcel"
                                                 << "imgTotale";
    }

    void helpersAndRepeatsAreLeftOut()
    {
        QFETCH(QString, window);
        QFETCH(QString, control);
        const auto e = std::find_if(allWindows().begin(), allWindows().end(),
                                    [&](const WindowEntry &entry) { return window == QLatin1String(entry.name); });
        QVERIFY(e != allWindows().end());
        std::unique_ptr<QWidget> owned(e->workWindow ? nullptr : e->make(world->windows()));
        QWidget *w = owned ? owned.get() : e->make(world->windows());
        w->show();
        auto *c = w->findChild<QWidget *>(control);
        QVERIFY(c);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(c);
        QVERIFY(iface->state().invisible);
        QVERIFY(!iface->state().focusable);
        QCOMPARE(c->focusPolicy(), Qt::NoFocus);
        // Not in the tree at all: its panel does not list it.
        QList<Reached> all;
        collectAll(QAccessible::queryAccessibleInterface(w), QString(), all);
        for (const Reached &r : std::as_const(all))
            QVERIFY2(r.iface->object() != c, qPrintable(describe(r.iface)));
        w->hide();
    }

    // The hour and minute lists of the appointment card are read by their captions, their
    // edit parts too; their value is the time they show.
    void dropDownsAreReadByTheirCaptions()
    {
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        card->show();
        const QList<std::pair<QComboBox *, QString>> lists = {{card->txtOreApp, QStringLiteral("Ore")},
                                                              {card->txtMinutiApp, QStringLiteral("Minuti")}};
        for (const auto &[combo, caption] : lists) {
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(combo);
            QCOMPARE(iface->role(), QAccessible::ComboBox);
            QCOMPARE(spokenName(iface), caption);
            QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("00"));
            QCOMPARE(spokenName(QAccessible::queryAccessibleInterface(combo->lineEdit())), caption);
            QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
        }
        card->hide();
    }

    // The treatment register's total is one label: its caption and its value.
    void treatmentTotalIsOneLabel()
    {
        auto *w =
            new TfrmAllegaExcel(QStringLiteral("Rossi Mario"), QStringLiteral("1"), world->windows().frmClients());
        w->show();
        QCOMPARE(QAccessible::queryAccessibleInterface(w->lblTotale)->text(QAccessible::Name),
                 QStringLiteral("Totale importi: € 0,00"));
        delete w;
    }

    void valueLabelsGiveTheirValue()
    {
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        TfrmClients *patients = world->windows().frmClients();
        TfrmAgenda *agenda = world->windows().frmAgenda();
        const QList<std::pair<QLabel *, QString>> labels = {
            {card->lblPosizione, QStringLiteral("Posizione della scheda in archivio")},
            {patients->lblPosizione, QStringLiteral("Posizione della scheda in archivio")},
            {agenda->titContatto, QStringLiteral("Cognome e nome")},
            {card->panInfo, QStringLiteral("Suggerimento")},
        };
        for (const auto &[label, caption] : labels) {
            label->setText(QStringLiteral("12"));
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
            QCOMPARE(iface->text(QAccessible::Name), caption + QStringLiteral(": 12"));
            QCOMPARE(iface->text(QAccessible::Value), QStringLiteral("12"));
            label->clear();
            QCOMPARE(iface->text(QAccessible::Name), caption);
        }
        // A count that is the label's own text is read as it stands.
        auto *list = new TfrmTrovaScadenze(card);
        auto *count = control<QLabel>(list, "lblTrovate");
        QVERIFY(count);
        QCOMPARE(QAccessible::queryAccessibleInterface(count)->text(QAccessible::Name), count->text());
        delete list;
    }

    void calendarArrowsAreNamedAndReachedWithTab()
    {
        TfrmAgenda *agenda = world->windows().frmAgenda();
        activate(agenda);
        const QStringList names = {QStringLiteral("Mese precedente"), QStringLiteral("Mese successivo")};
        QStringList reached;
        agenda->lstRecords->setFocus();
        for (int i = 0; i < 40 && reached.size() < names.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto *arrow = qobject_cast<QToolButton *>(QApplication::focusWidget());
            if (arrow && names.contains(arrow->accessibleName()))
                reached.append(arrow->accessibleName());
        }
        QCOMPARE(reached, names);
        // Space on the focused arrow turns the month.
        const int month = agenda->calAppuntamenti->monthShown();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(agenda->calAppuntamenti->monthShown(), month % 12 + 1);
        agenda->hide();
    }

    // The day picked shows in the selection colours; with the keyboard in the days it is
    // also framed in the focus colour, so the user sees where the arrows will move from.
    void calendarShowsThePickedDayAndTheFocus()
    {
        const QColor selection(0x46, 0x82, 0xB4), focus(0xF2, 0xC1, 0x4E), weekend(0xFF, 0x00, 0x00);
        TfrmAgenda *agenda = world->windows().frmAgenda();
        activate(agenda);
        auto *days = agenda->calAppuntamenti->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview"));
        QVERIFY(days);
        const QRect picked = days->visualRect(days->currentIndex());
        QVERIFY(picked.isValid());
        QCOMPARE(days->currentIndex().data().toString(), QStringLiteral("10")); // 10/12/2026
        agenda->lstRecords->setFocus();
        const QImage unfocused = days->viewport()->grab(picked).toImage();
        QVERIFY(pixelsOf(unfocused, selection) > picked.width() * picked.height() / 2);
        QCOMPARE(pixelsOf(unfocused, focus), 0);
        days->setFocus();
        QVERIFY(pixelsOf(days->viewport()->grab(picked).toImage(), focus) > picked.width());
        QVERIFY(pixelsOf(days->viewport()->grab().toImage(), weekend) > 0); // Saturdays and Sundays in red
        agenda->hide();
    }

    // ---- Links ----

    void linkColoursWinOverTheStyleSheet()
    {
        const QColor blue(0x00, 0x00, 0x8B), orange(0xFF, 0xA5, 0x00), theme(0x17, 0x32, 0x4D);
        TfrmInfo info;
        info.show();
        LinkLabel *link = info.lnkWeb;
        QVERIFY(pixelsOf(link->grab().toImage(), blue) > 10);
        QCOMPARE(pixelsOf(link->grab().toImage(), theme), 0);
        QTest::mousePress(link, Qt::LeftButton);
        QVERIFY(pixelsOf(link->grab().toImage(), orange) > 10);
        QCOMPARE(pixelsOf(link->grab().toImage(), blue), 0);
        QTest::mouseRelease(link, Qt::LeftButton);
        QVERIFY(pixelsOf(link->grab().toImage(), blue) > 10);
        QCOMPARE(pixelsOf(link->grab().toImage(), orange), 0);
        // The icon beside it holds it orange too.
        QTest::mousePress(info.imgEmail, Qt::LeftButton);
        QVERIFY(pixelsOf(link->grab().toImage(), orange) > 10);
        QTest::mouseRelease(info.imgEmail, Qt::LeftButton);
        QVERIFY(pixelsOf(link->grab().toImage(), blue) > 10);
        TMisc::takeOpened();
        shownMessages();
    }

    void desktopThatCannotOpenIsReported_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QStringList>("messages");
        const QString link = QStringLiteral("warning: ") + TMisc::kCannotOpenLink;
        const QString file = QStringLiteral("warning: ") + TMisc::kCannotOpenFile;
        QTest::newRow("web link opened") << "https://www.sorrisa.example" << true << QStringList();
        QTest::newRow("web link refused") << "https://www.sorrisa.example" << false << QStringList{link};
        QTest::newRow("e-mail link refused") << "\"mailto:rossi@example.it\"" << false << QStringList{link};
        QTest::newRow("existing folder opened") << "\"%1\"" << true << QStringList();
        QTest::newRow("existing folder refused") << "\"%1\"" << false << QStringList{file};
        QTest::newRow("missing file") << "\"%1Guida.pdf\"" << true << QStringList{file};
    }

    void desktopThatCannotOpenIsReported()
    {
        QFETCH(QString, text);
        QFETCH(bool, desktopOpens);
        QFETCH(QStringList, messages);
        if (text.contains(QLatin1String("%1")))
            text = text.arg(world->folder());
        TMisc::queueAnswer(desktopOpens);
        TMisc::Open(text);
        QCOMPARE(TMisc::takeOpened(), QStringList{text});
        QCOMPARE(shownMessages(), messages);
    }

    void desktopOpenerIsAwaited_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("seconds"); // the desktop's opener is at work so long,
        QTest::addColumn<int>("status");  // then ends with this status
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QStringList>("messages");
        const QString link = QStringLiteral("warning: ") + TMisc::kCannotOpenLink;
        const QString file = QStringLiteral("warning: ") + TMisc::kCannotOpenFile;
        QTest::newRow("opened") << "https://www.sorrisa.example/a b" << 0 << 0 << true << QStringList();
        QTest::newRow("no browser") << "https://www.sorrisa.example/a b" << 0 << 3 << false << QStringList{link};
        QTest::newRow("no e-mail program") << "\"mailto:rossi@example.it\"" << 0 << 4 << false << QStringList{link};
        QTest::newRow("a folder it cannot show") << "\"%1\"" << 0 << 1 << false << QStringList{file};
        QTest::newRow("still at work after the wait: taken")
            << "https://www.sorrisa.example" << 1 << 3 << true << QStringList();
    }

    void desktopOpenerIsAwaited()
    {
        QFETCH(QString, text);
        QFETCH(int, seconds);
        QFETCH(int, status);
        QFETCH(bool, opened);
        QFETCH(QStringList, messages);
        if (text.contains(QLatin1String("%1")))
            text = text.arg(world->folder());

        // A desktop opener of the test's own, first on the search path: it writes down what it
        // was given, does as the row says, and says when it ends.
        const QString bin = world->folder() + QStringLiteral("bin");
        QVERIFY(QDir().mkpath(bin));
        QFile opener(bin + QStringLiteral("/xdg-open"));
        QVERIFY(opener.open(QIODevice::WriteOnly));
        opener.write(QStringLiteral("#!/bin/sh\nprintf '%s' \"$1\" > '%1/given'\nsleep %2\ntouch '%1/ended'\nexit %3\n")
                         .arg(bin)
                         .arg(seconds)
                         .arg(status)
                         .toUtf8());
        opener.close();
        opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(bin) + ':' + path);
        TMisc::setTestMode(false);
        TMisc::setOpenerWait(seconds > 0 ? 100 : 10000);

        const bool result = TMisc::Open(text);
        const bool endedWithin = QFile::exists(bin + QStringLiteral("/ended"));
        // An opener left at work ends on its own.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(bin + QStringLiteral("/ended")), 10000);
        TMisc::setTestMode(true);
        qputenv("PATH", path);

        QCOMPARE(result, opened);
        QCOMPARE(endedWithin, seconds == 0);
        QCOMPARE(shownMessages(), messages);
        QFile given(bin + QStringLiteral("/given"));
        QVERIFY(given.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(given.readAll()), QString::fromLatin1(TMisc::toUrl(text).toEncoded()));
    }

    void whatsAppReminderThatCannotLeaveIsReported()
    {
        TAppointmentRecord appointment;
        appointment.Data.setText(QStringLiteral("10/12/2026"));
        appointment.Ora.setText(QStringLiteral("09:00"));
        appointment.Cel.setText(QStringLiteral("3331234567"));
        auto *message = new TfrmWhatsApp_Message(appointment, world->windows().frmAgenda());
        message->txtData->setText(QStringLiteral("10/12/2026"));
        message->txtOra->setText(QStringLiteral("09:00"));
        message->txtCel->setText(QStringLiteral("3331234567"));
        TMisc::queueAnswer(false);
        message->btnWhatsApp->click();
        QCOMPARE(TMisc::takeOpened().size(), 1);
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("warning: ") + TMisc::kCannotOpenLink});
        delete message;
    }

    // ---- Focus ----

    void clickOnAPictureButtonLeavesTheFocus_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("focusAfter");
        QTest::addColumn<QString>("message");
        QTest::newRow("patient card: Salva") << "frmClients"
                                             << "txtNotes"
                                             << "cmdSave"
                                             << "txtNotes"
                                             << "information: La scheda corrente è stata inserita in archivio.";
        QTest::newRow("patient card: last") << "frmClients"
                                            << "txtNotes"
                                            << "cmdLast"
                                            << "txtNotes"
                                            << "information: L'archivio non contiene nessuna scheda.";
        QTest::newRow("appointment card: Salva") << "frmArchivio_Scadenze"
                                                 << "txtNote"
                                                 << "cmdSalva"
                                                 << "txtNote"
                                                 << "information: La scheda corrente è stata inserita in archivio.";
        QTest::newRow("appointment card: first") << "frmArchivio_Scadenze"
                                                 << "txtNote"
                                                 << "cmdPrimo"
                                                 << "txtNote"
                                                 << "information: L'archivio non contiene nessuna scheda.";
    }

    void clickOnAPictureButtonLeavesTheFocus()
    {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, button);
        QFETCH(QString, focusAfter);
        QFETCH(QString, message);
        QWidget *w = savableCard(world->windows(), window);
        auto *target = w->findChild<QLineEdit *>(field);
        target->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), target);

        auto *b = w->findChild<PictureButton *>(button);
        QCOMPARE(b->focusPolicy(), Qt::TabFocus);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(shownMessages(), QStringList{message});
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
        w->hide();
    }

    // The usual keys on both cards, where the buttons give none: the same work as the
    // button, from any field, the focus staying there.
    void cardShortcuts_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("expected"); // a message, "empty:<field>" or "opened:<window>"
        const QString inserted = QStringLiteral("information: La scheda corrente è stata inserita in archivio.");
        QTest::newRow("patient card: Ctrl+S saves") << "frmClients" << QKeySequence(QKeySequence::Save) << inserted;
        QTest::newRow("patient card: Ctrl+N new card")
            << "frmClients" << QKeySequence(QKeySequence::New) << "empty:txtName";
        QTest::newRow("patient card: Ctrl+F find")
            << "frmClients" << QKeySequence(QKeySequence::Find) << "opened:frmFindClients";
        QTest::newRow("appointment card: Ctrl+S saves")
            << "frmArchivio_Scadenze" << QKeySequence(QKeySequence::Save) << inserted;
        QTest::newRow("appointment card: Ctrl+N new card")
            << "frmArchivio_Scadenze" << QKeySequence(QKeySequence::New) << "empty:txtContatto";
        QTest::newRow("appointment card: Ctrl+F find")
            << "frmArchivio_Scadenze" << QKeySequence(QKeySequence::Find) << "opened:frmTrovaScadenze";
    }

    void cardShortcuts()
    {
        QFETCH(QString, window);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, expected);
        QWidget *w = savableCard(world->windows(), window);
        auto *field = w->findChild<QLineEdit *>(window == QLatin1String("frmClients") ? "txtNotes" : "txtNote");
        QVERIFY(field);
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        Modal::queue([](QWidget *opened) { opened->close(); });

        QTest::keySequence(field, keys);
        if (expected.startsWith(QLatin1String("empty:"))) {
            QCOMPARE(control<QLineEdit>(w, expected.mid(6).toLatin1().constData())->text(), QString());
            QVERIFY(shownMessages().isEmpty());
        } else if (expected.startsWith(QLatin1String("opened:"))) {
            QCOMPARE(Modal::takeOpened(), QStringList{expected.mid(7)});
            QVERIFY(shownMessages().isEmpty());
        } else {
            QCOMPARE(shownMessages(), QStringList{expected});
            QCOMPARE(QApplication::focusWidget(), field);
        }
        w->hide();
    }

    // Each card window and its find window are made from the card's description: every
    // described field is a control of its kind, name and entry limit, read by its caption, met
    // by Tab in the description's order; the find window's criteria carry their find captions.
    void cardsFollowTheirDescription_data()
    {
        QTest::addColumn<bool>("patient");
        QTest::newRow("patient card") << true;
        QTest::newRow("appointment card") << false;
    }
    void cardsFollowTheirDescription()
    {
        QFETCH(bool, patient);
        const CardFields::Description &card = patient ? PatientCard::description() : AppointmentCard::description();
        QWidget *w =
            patient ? static_cast<QWidget *>(world->windows().frmClients()) : world->windows().frmArchivio_Scadenze();
        QList<QWidget *> described;
        for (const CardFields::Field &field : card.fields) {
            if (field.kind == CardFields::Kind::Composed)
                continue;
            auto *control = w->findChild<QWidget *>(QString::fromLatin1(field.control));
            QVERIFY2(control, field.control);
            described.append(control);
            const QString caption = QString::fromUtf8(field.caption ? field.caption : "").remove(QLatin1Char(':'));
            if (auto *edit = qobject_cast<QLineEdit *>(control)) {
                QCOMPARE(field.kind, CardFields::Kind::LineEdit);
                QCOMPARE(edit->maxLength(), field.limit);
            } else if (auto *combo = qobject_cast<QComboBox *>(control)) {
                QCOMPARE(field.kind, CardFields::Kind::Choice);
                QCOMPARE(combo->count(), field.limit + 1);
            } else {
                QCOMPARE(field.kind, CardFields::Kind::CheckBox);
            }
            if (field.caption)
                QCOMPARE(control->accessibleName(), caption);
        }
        // Tab from the first field meets the described fields in their order.
        QList<QWidget *> met;
        QWidget *step = described.first();
        for (int i = 0; i < 200 && met.size() < described.size(); ++i, step = step->nextInFocusChain()) {
            if (described.contains(step) && !met.contains(step))
                met.append(step);
        }
        QCOMPARE(met, described);

        bool checked = false;
        Modal::queue([&](QWidget *opened) {
            for (const CardFields::Field &field : card.fields) {
                auto *edit = opened->findChild<QLineEdit *>(QString::fromLatin1(field.control));
                if (!edit)
                    continue;
                const QString name = QStringLiteral("lbl") + QString::fromLatin1(field.control).mid(3);
                QCOMPARE(control<QLabel>(opened, qPrintable(name))->text(), CardFields::searchCaption(field));
            }
            checked = true;
        });
        w->findChild<QAbstractButton *>(patient ? "cmdFind" : "cmdTrova")->click();
        QVERIFY(checked);
        QCOMPARE(Modal::takeOpened(),
                 QStringList{patient ? QStringLiteral("frmFindClients") : QStringLiteral("frmTrovaScadenze")});
    }

    // The main menu opens on its first choice, also when it comes back from a work window.
    void mainMenuOpensOnItsFirstChoice()
    {
        TfrmAvvio *menu = world->windows().frmAvvio();
        activate(menu);
        QCOMPARE(QApplication::focusWidget(), menu->btnApp01);
        menu->btnApp02->setFocus();
        menu->imgApp02Click(); // the agenda, in place of the menu
        QVERIFY(!menu->isVisible());
        world->windows().frmAgenda()->close();
        QVERIFY(menu->isVisible());
        QApplication::setActiveWindow(menu);
        QTRY_COMPARE(QApplication::focusWidget(), menu->btnApp01);
        menu->hide();
    }

    void loadedTextsShowTheirStart()
    {
        writeAppointmentArchive({{.ore = {},
                                  .minuti = {},
                                  .ora = QString(),
                                  .causale = QStringLiteral("Igiene dentale, ").repeated(12),
                                  .contatto = {},
                                  .cel = {},
                                  .importo = {},
                                  .note = QStringLiteral("Preferisce il pomeriggio. ").repeated(8)}});
        TfrmArchivio_Scadenze *card = world->windows().frmArchivio_Scadenze();
        activate(card);
        card->txtNote->setFocus();
        card->cmdPrimo->click();
        QCOMPARE(card->lblPosizione->text(), QStringLiteral("1"));
        for (QLineEdit *field : {card->txtCausale, card->txtNote}) {
            QVERIFY(field->text().size() > 150);
            QCOMPARE(field->cursorPosition(), 0);
        }
        card->hide();
    }
};

QTEST_MAIN(TestAccess)
#include "tst_access.moc"
