#include "appointments/frmCalendarioAppuntamenti.h"

#include "appointments/BookScan.h"
#include "appointments/BookView.h"
#include "base/CardNotifier.h"
#include "base/Formats.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "print/BookDocument.h"
#include "print/ReportRenderer.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"
#include "ui/Accessibility.h"
#include "ui/Dialog.h"
#include "ui/Theme.h"

#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIcon>
#include <QPixmap>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace AppointmentBook;

namespace {

const char *const kColourNames[kPaletteSize] = {"blu",      "arancione", "prugna", "rosso scuro",
                                                "nocciola", "ciano",     "viola"};

QString colourName(int index)
{
    return index < 0 || index >= kPaletteSize ? QStringLiteral("grigio") : QString::fromLatin1(kColourNames[index]);
}

QString hex(quint32 argb) { return Theme::css(argb); }

QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

constexpr int kHeadingHeight = 30;

} // namespace

TfrmCalendarioAppuntamenti::TfrmCalendarioAppuntamenti(const QDate &day, QWidget *parent)
    : QWidget(parent, Qt::Window), m_day(day.isValid() ? day : Clock::today()), m_settings(loadBookSettings()),
      m_hours(m_settings.hours)
{
    setObjectName(QStringLiteral("frmCalendarioAppuntamenti"));
    setWindowTitle(QStringLiteral(" Sorrisa - Calendario appuntamenti"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(1000, 700);
    Theme::setGradient(this, "light");

    // ---- The commands: the period, moving about, the view, the hours, print and close ----
    QWidget *panComandi = Theme::panel(QStringLiteral("panComandi"), this);
    lblPeriodo = new QLabel(panComandi);
    lblPeriodo->setObjectName(QStringLiteral("lblPeriodo"));
    lblPeriodo->setFont(Theme::verdana(13, true));
    lblPeriodo->setStyleSheet(Theme::labelColour(Theme::Colour::Heading));
    Accessibility::valueLabel(lblPeriodo, QStringLiteral("Periodo"));
    btnPrecedente = Theme::textButton(QStringLiteral("btnPrecedente"), QStringLiteral("\u25C0"), panComandi);
    btnPrecedente->setAccessibleName(QStringLiteral("Precedente"));
    btnPrecedente->setToolTip(QStringLiteral("Giorno o settimana precedente (Pagina su)"));
    btnOggi = Theme::textButton(QStringLiteral("btnOggi"), QStringLiteral("Oggi"), panComandi);
    btnSuccessivo = Theme::textButton(QStringLiteral("btnSuccessivo"), QStringLiteral("\u25B6"), panComandi);
    btnSuccessivo->setAccessibleName(QStringLiteral("Successivo"));
    btnSuccessivo->setToolTip(QStringLiteral("Giorno o settimana successivi (Pagina gi\u00F9)"));
    txtData = new QDateEdit(panComandi);
    txtData->setObjectName(QStringLiteral("txtData"));
    txtData->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    txtData->setCalendarPopup(true);
    txtData->setMinimumWidth(130);
    auto *lblData = Theme::label(QStringLiteral("lblData"), QStringLiteral("Data:"), panComandi, txtData);
    btnVistaGiorno = Theme::textButton(QStringLiteral("btnVistaGiorno"), QStringLiteral("Giorno"), panComandi);
    btnVistaSettimana = Theme::textButton(QStringLiteral("btnVistaSettimana"), QStringLiteral("Settimana"), panComandi);
    for (QPushButton *b : {btnVistaGiorno, btnVistaSettimana})
        b->setCheckable(true);
    cboDalle = new QComboBox(panComandi);
    cboDalle->setObjectName(QStringLiteral("cboDalle"));
    cboAlle = new QComboBox(panComandi);
    cboAlle->setObjectName(QStringLiteral("cboAlle"));
    for (int h = 0; h < 24; ++h) {
        cboDalle->addItem(two(h) + QStringLiteral(":00"), h);
        cboAlle->addItem(two(h + 1) + QStringLiteral(":00"), h + 1);
    }
    auto *lblDalle = Theme::label(QStringLiteral("lblDalle"), QStringLiteral("Orario dalle"), panComandi, cboDalle);
    auto *lblAlle = Theme::label(QStringLiteral("lblAlle"), QStringLiteral("alle"), panComandi, cboAlle);
    cboAlle->setAccessibleName(QStringLiteral("Orario alle"));
    btnColori = Theme::textButton(QStringLiteral("btnColori"), QStringLiteral("Colori dei dentisti\u2026"), panComandi);
    btnAnteprima = Theme::textButton(QStringLiteral("btnAnteprima"), QStringLiteral("Anteprima"), panComandi);
    btnStampa = Theme::textButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), panComandi);
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panComandi);

    auto *title = new QHBoxLayout;
    title->addWidget(lblPeriodo, 1);
    title->addWidget(btnColori);
    title->addWidget(btnAnteprima);
    title->addWidget(btnStampa);
    title->addWidget(btnChiudi);
    auto *top = new QHBoxLayout;
    top->setSpacing(6);
    for (QWidget *w : std::initializer_list<QWidget *>{btnPrecedente, btnOggi, btnSuccessivo})
        top->addWidget(w);
    top->addSpacing(10);
    top->addWidget(lblData);
    top->addWidget(txtData);
    top->addSpacing(14);
    top->addWidget(btnVistaGiorno);
    top->addWidget(btnVistaSettimana);
    top->addSpacing(14);
    top->addWidget(lblDalle);
    top->addWidget(cboDalle);
    top->addWidget(lblAlle);
    top->addWidget(cboAlle);
    top->addStretch();
    // Every command keeps its whole caption, however narrow the window.
    for (QWidget *w :
         std::initializer_list<QWidget *>{btnPrecedente, btnOggi, btnSuccessivo, btnVistaGiorno, btnVistaSettimana,
                                          btnColori, btnAnteprima, btnStampa, btnChiudi, lblData, lblDalle, lblAlle})
        w->setMinimumWidth(w->sizeHint().width());

    lblLegenda = new QLabel(panComandi);
    lblLegenda->setObjectName(QStringLiteral("lblLegenda"));
    lblLegenda->setTextFormat(Qt::RichText);
    lblLegenda->setWordWrap(true);
    auto *commands = new QVBoxLayout(panComandi);
    commands->setContentsMargins(12, 8, 12, 8);
    commands->setSpacing(6);
    commands->addLayout(title);
    commands->addLayout(top);
    commands->addWidget(lblLegenda);

    // ---- The grid with the days' headings over it ----
    QWidget *panGriglia = Theme::panel(QStringLiteral("panGriglia"), this);
    QWidget *panGiorni = new QWidget(panGriglia);
    panGiorni->setObjectName(QStringLiteral("panGiorni"));
    panGiorni->setFixedHeight(kHeadingHeight);
    lblGiorno = new QLabel(panGiorni);
    lblGiorno->setObjectName(QStringLiteral("lblGiorno"));
    lblGiorno->setAlignment(Qt::AlignCenter);
    lblGiorno->setFont(Theme::verdana(10, true));
    Accessibility::valueLabel(lblGiorno, QStringLiteral("Giorno"));
    for (int d = 0; d < 7; ++d) {
        auto *b = Theme::textButton(QStringLiteral("btnGiorno%1").arg(d + 1), QString(), panGiorni);
        b->setProperty("role", QStringLiteral("heading"));
        b->setToolTip(QStringLiteral("Mostra il giorno"));
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, d] { headingClick(d); });
        btnGiorni.append(b);
    }
    btnSenzaOrario = Theme::textButton(QStringLiteral("btnSenzaOrario"), QString(), panGriglia);
    btnSenzaOrario->setToolTip(QStringLiteral("Elenca gli appuntamenti che il calendario non pu\u00F2 collocare"));
    btnSenzaOrario->setStyleSheet(Theme::labelColour(Theme::Colour::OverdueInk));
    btnSenzaOrario->hide();
    connect(btnSenzaOrario, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnSenzaOrarioClick);
    grdAppuntamenti = new BookView(QStringLiteral("grdAppuntamenti"));
    scrGriglia = new QScrollArea(panGriglia);
    scrGriglia->setObjectName(QStringLiteral("scrGriglia"));
    scrGriglia->setWidgetResizable(true);
    scrGriglia->setFrameShape(QFrame::NoFrame);
    scrGriglia->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scrGriglia->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    scrGriglia->setFocusPolicy(Qt::NoFocus);
    scrGriglia->setWidget(grdAppuntamenti);
    grdAppuntamenti->installEventFilter(this);
    auto *grid = new QVBoxLayout(panGriglia);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setSpacing(2);
    grid->addWidget(btnSenzaOrario, 0, Qt::AlignLeft);
    grid->addWidget(panGiorni);
    grid->addWidget(scrGriglia, 1);

    auto *whole = new QVBoxLayout(this);
    whole->setContentsMargins(10, 10, 10, 10);
    whole->setSpacing(8);
    whole->addWidget(panComandi);
    whole->addWidget(panGriglia, 1);

    QList<QWidget *> order = {grdAppuntamenti, btnPrecedente,  btnOggi,          btnSuccessivo,
                              txtData,         btnVistaGiorno, btnVistaSettimana};
    for (QPushButton *b : std::as_const(btnGiorni))
        order.append(b);
    order << cboDalle << cboAlle << btnColori << btnAnteprima << btnStampa << btnChiudi;
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));

    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        // A save writes the record and then syncs: read once the burst is over.
        QTimer::singleShot(50, this, &TfrmCalendarioAppuntamenti::refresh);
    });

    connect(btnPrecedente, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnPrecedenteClick);
    connect(btnSuccessivo, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnSuccessivoClick);
    connect(btnOggi, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnOggiClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnStampaClick);
    connect(btnAnteprima, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnAnteprimaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnChiudiClick);
    connect(btnColori, &QPushButton::clicked, this, &TfrmCalendarioAppuntamenti::btnColoriClick);
    // By their toggling, not their click: a screen reader's toggle action toggles the button
    // without clicking it. Unchecking the view shown checks it again.
    for (auto [button, view] : {std::pair{btnVistaGiorno, View::Day}, std::pair{btnVistaSettimana, View::Week}})
        connect(button, &QPushButton::toggled, this, [this, view](bool on) {
            if (on || view == m_view)
                setView(view);
        });
    connect(txtData, &QDateEdit::dateChanged, this, [this](const QDate &d) { setDay(d); });
    const auto hoursChosen = [this] { setHours(cboDalle->currentData().toInt(), cboAlle->currentData().toInt()); };
    connect(cboDalle, &QComboBox::activated, this, hoursChosen);
    connect(cboAlle, &QComboBox::activated, this, hoursChosen);
    connect(grdAppuntamenti, &BookView::openRequested, this, &TfrmCalendarioAppuntamenti::openItem);
    connect(grdAppuntamenti, &BookView::pageRequested, this, &TfrmCalendarioAppuntamenti::stepPeriod);

    setWindowState(Qt::WindowMaximized);
}

QList<QDate> TfrmCalendarioAppuntamenti::days() const
{
    if (m_view == View::Day)
        return {m_day};
    // Sunday only when it holds an appointment: the week is read with it, then shown without.
    QList<QDate> week = weekDays(m_day, true);
    const QDate sunday = week.last();
    const bool sundayHeld =
        std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.date == sunday; });
    if (!sundayHeld)
        week.removeLast();
    return week;
}

void TfrmCalendarioAppuntamenti::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    reload();
    grdAppuntamenti->setFocus();
}

void TfrmCalendarioAppuntamenti::reload() { read(true); }

void TfrmCalendarioAppuntamenti::read(bool report)
{
    const Spot spot = currentSpot();
    const QDate first = m_view == View::Day ? m_day : mondayOf(m_day);
    const QDate last = m_view == View::Day ? m_day : first.addDays(6);
    const QString path = ProgramFolder::file(kAppointmentArchive);
    try {
        m_entries = entriesBetween(first, last, &m_untimed);
        m_failed = false;
    } catch (const StorageError &) {
        m_entries.clear();
        m_untimed.clear();
        m_failed = true;
    }
    m_stamp = m_failed ? std::nullopt : FileStamp::of(path);
    if (!m_failed && !m_watcher->files().contains(path))
        m_watcher->addPath(path);
    relayout();
    restoreSpot(spot);
    if (m_failed && report)
        Messages::error(this, kArchiveFailure);
}

void TfrmCalendarioAppuntamenti::refresh()
{
    if (!m_failed && m_stamp && FileStamp::of(ProgramFolder::file(kAppointmentArchive)) == m_stamp)
        return;
    // An archive that still cannot be read is not reported again at every return to the book.
    read(!m_failed);
}

void TfrmCalendarioAppuntamenti::relayout()
{
    const QList<QDate> shown = days();
    lblPeriodo->setText(QStringLiteral("Calendario appuntamenti - ") + periodTitle(shown));
    {
        const QSignalBlocker block(txtData);
        txtData->setDate(m_day);
    }
    {
        const QSignalBlocker day(btnVistaGiorno), week(btnVistaSettimana);
        btnVistaGiorno->setChecked(m_view == View::Day);
        btnVistaSettimana->setChecked(m_view == View::Week);
    }
    if (m_failed) {
        grdAppuntamenti->showUnreadable();
        grdAppuntamenti->setAccessibleName(QStringLiteral("Appuntamenti"));
    } else {
        grdAppuntamenti->showBook(AppointmentBook::layout(shown, m_entries, m_hours, &m_settings.colours),
                                  Clock::today());
        grdAppuntamenti->setAccessibleName(m_view == View::Day ? QStringLiteral("Appuntamenti del giorno")
                                                               : QStringLiteral("Appuntamenti della settimana"));
    }
    cboDalle->setCurrentIndex(cboDalle->findData(m_hours.first / 60));
    cboAlle->setCurrentIndex(cboAlle->findData(m_hours.last / 60));
    showHeadings();
    showLegend();
    // Cards of the days shown the grid cannot place, said above it rather than hidden.
    std::erase_if(m_untimed, [&](const Entry &e) { return !shown.contains(e.date); });
    btnSenzaOrario->setText(untimedNotice(qsizetype(m_untimed.size())));
    btnSenzaOrario->setAccessibleName(btnSenzaOrario->text());
    btnSenzaOrario->setVisible(!m_untimed.empty() && !m_failed);
    if (m_settings.colours.changed())
        saveSettings(); // a dentist met for the first time keeps the colour given
}

void TfrmCalendarioAppuntamenti::saveSettings()
{
    m_settings.hours = m_hours;
    // Not reported: the book works as well, and gives the same colours again next time.
    saveBookSettings(m_settings);
}

void TfrmCalendarioAppuntamenti::showHeadings()
{
    const Layout &book = grdAppuntamenti->book();
    const bool week = m_view == View::Week && !m_failed;
    lblGiorno->setVisible(!week);
    if (!week) {
        const qsizetype count = m_entries.size();
        lblGiorno->setText(m_failed ? dayTitle(m_day)
                                    : dayTitle(m_day) + QStringLiteral("  \u00B7  ")
                                          + (count == 1 ? QStringLiteral("1 appuntamento")
                                                        : QStringLiteral("%1 appuntamenti").arg(count)));
    }
    for (int d = 0; d < btnGiorni.size(); ++d) {
        QPushButton *b = btnGiorni[d];
        const bool shown = week && d < book.days.size();
        b->setVisible(shown);
        if (!shown)
            continue;
        const Day &day = book.days[d];
        const QString title = dayTitle(day.date);
        const int count = int(day.entries.size());
        b->setAccessibleName(
            title + (count == 1 ? QStringLiteral(", 1 appuntamento") : QStringLiteral(", %1 appuntamenti").arg(count)));
        const bool today = day.date == Clock::today();
        if (b->property("today").toBool() != today) { // today's heading stands out
            b->setProperty("today", today);
            b->style()->unpolish(b);
            b->style()->polish(b);
        }
    }
    placeHeadings();
}

void TfrmCalendarioAppuntamenti::placeHeadings()
{
    const int left =
        grdAppuntamenti->mapTo(this, QPoint(0, 0)).x() - lblGiorno->parentWidget()->mapTo(this, QPoint(0, 0)).x();
    const int days = std::max<int>(1, int(grdAppuntamenti->book().days.size()));
    lblGiorno->setGeometry(left + BookView::kTimeWidth, 0,
                           std::max(100, grdAppuntamenti->width() - BookView::kTimeWidth), kHeadingHeight);
    const Layout &book = grdAppuntamenti->book();
    for (int d = 0; d < btnGiorni.size() && d < days && d < book.days.size(); ++d) {
        QPushButton *b = btnGiorni[d];
        b->setGeometry(left + grdAppuntamenti->dayLeft(d) + 1, 1, grdAppuntamenti->dayWidth() - 2, kHeadingHeight - 2);
        // The whole day when it fits, "lun 07/12" when the column is narrow; the count after it.
        const Day &day = book.days[d];
        const QString count = QStringLiteral(" (%1)").arg(day.entries.size());
        QString text = dayTitle(day.date) + count;
        if (b->fontMetrics().horizontalAdvance(text) > b->width() - 12)
            text = dayTitle(day.date).left(3) + QLatin1Char(' ') + day.date.toString(QStringLiteral("dd/MM")) + count;
        b->setText(text);
    }
}

void TfrmCalendarioAppuntamenti::showLegend()
{
    const QStringList names = dentists(grdAppuntamenti->book());
    QStringList shown, read;
    for (const QString &name : names) {
        const int index = grdAppuntamenti->book().colourOf(name);
        const QString text = name.isEmpty() ? QStringLiteral("Dentista non indicato") : name;
        shown.append(QStringLiteral("<span style=\"background-color:%1; color:%1;\">&#9608;&#9608;</span>&nbsp;%2")
                         .arg(hex(paletteColour(index).edge), text.toHtmlEscaped()));
        read.append(text + QStringLiteral(" in ") + colourName(index));
    }
    shown.append(QStringLiteral("<span style=\"color:%1;\">assolto: colori attenuati</span>")
                     .arg(Theme::css(Theme::Colour::FulfilledInk)));
    shown.append(QStringLiteral("<span style=\"color:%1;\"><b>scaduto e non assolto: bordo rosso</b></span>")
                     .arg(Theme::css(Theme::Colour::OverdueInk)));
    read.append(QStringLiteral("assolto: colori attenuati"));
    read.append(QStringLiteral("scaduto e non assolto: bordo rosso"));
    lblLegenda->setText(QStringLiteral("<b>Legenda:</b>&nbsp; ") + shown.join(QStringLiteral("&nbsp;&nbsp;&nbsp; ")));
    lblLegenda->setAccessibleName(QStringLiteral("Legenda: ") + read.join(QStringLiteral("; ")));
}

TfrmCalendarioAppuntamenti::Spot TfrmCalendarioAppuntamenti::currentSpot() const
{
    Spot spot;
    const int index = grdAppuntamenti->current();
    if (index < 0)
        return spot;
    const BookView::Item &item = grdAppuntamenti->items().at(index);
    const Layout &book = grdAppuntamenti->book();
    if (const Entry *e = grdAppuntamenti->entryOf(index))
        spot.position = e->position;
    spot.date = book.days.at(item.day).date;
    spot.minute = minuteOfRow(item.row, book.hours);
    return spot;
}

void TfrmCalendarioAppuntamenti::restoreSpot(const Spot &spot)
{
    if (spot.minute < 0)
        return;
    if (spot.position > 0)
        if (const int index = grdAppuntamenti->itemOf(spot.position); index >= 0) {
            grdAppuntamenti->setCurrent(index);
            return;
        }
    const Layout &book = grdAppuntamenti->book();
    int day = 0;
    for (int d = 0; d < book.days.size(); ++d)
        if (book.days[d].date == spot.date)
            day = d;
    const int index = grdAppuntamenti->itemAt(day, rowOf(spot.minute, book.hours));
    if (index >= 0)
        grdAppuntamenti->setCurrent(index);
}

void TfrmCalendarioAppuntamenti::setDay(const QDate &day)
{
    if (!day.isValid() || day == m_day)
        return;
    m_day = day;
    if (isVisible()) // otherwise read when shown
        reload();
}

void TfrmCalendarioAppuntamenti::setView(View view)
{
    if (!isVisible()) {
        m_view = view;
        return;
    }
    if (view == m_view) {
        relayout(); // the buttons checked as they were
        return;
    }
    m_view = view;
    reload();
}

void TfrmCalendarioAppuntamenti::setHours(int firstHour, int lastHour)
{
    if (firstHour < lastHour)
        m_hours = Hours{firstHour * 60, lastHour * 60};
    saveSettings();
    const Spot spot = currentSpot();
    relayout();
    restoreSpot(spot);
}

void TfrmCalendarioAppuntamenti::stepPeriod(int step)
{
    // The same time (and, in a week, the same weekday) on the next or previous day or week.
    Spot spot = currentSpot();
    spot.position = 0;
    const int days = m_view == View::Day ? step : 7 * step;
    if (spot.date.isValid())
        spot.date = spot.date.addDays(days);
    m_day = m_day.addDays(days);
    reload();
    restoreSpot(spot);
}

void TfrmCalendarioAppuntamenti::btnPrecedenteClick() { stepPeriod(-1); }

void TfrmCalendarioAppuntamenti::btnSuccessivoClick() { stepPeriod(1); }

void TfrmCalendarioAppuntamenti::btnOggiClick()
{
    m_day = Clock::today();
    reload();
}

void TfrmCalendarioAppuntamenti::headingClick(int day)
{
    const Layout &book = grdAppuntamenti->book();
    if (day < 0 || day >= book.days.size())
        return;
    Spot spot = currentSpot();
    m_day = book.days[day].date;
    spot.date = m_day;
    spot.position = 0;
    m_view = View::Day;
    reload();
    restoreSpot(spot);
    grdAppuntamenti->setFocus();
}

void TfrmCalendarioAppuntamenti::openItem(int index)
{
    const BookView::Item *item =
        index >= 0 && index < grdAppuntamenti->items().size() ? &grdAppuntamenti->items().at(index) : nullptr;
    if (!item || m_failed)
        return;
    if (const Entry *e = grdAppuntamenti->entryOf(index)) {
        openCard(e->position);
    } else {
        m_openedCard = true;
        m_away = true;
        const int minute = minuteOfRow(item->row, grdAppuntamenti->book().hours);
        emit newAppointmentRequested(grdAppuntamenti->book().days.at(item->day).date, QTime(minute / 60, minute % 60));
    }
}

void TfrmCalendarioAppuntamenti::openCard(qint64 position)
{
    m_openedCard = true;
    m_away = true;
    emit appointmentRequested(position);
}

void TfrmCalendarioAppuntamenti::btnSenzaOrarioClick()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuSenzaOrario"));
    menu->setAccessibleName(btnSenzaOrario->text());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const Entry &e : std::as_const(m_untimed)) {
        QStringList parts{Formats::dateText(e.date)};
        for (const QString &part : {e.contact, e.treatments, e.dentist})
            if (!part.isEmpty())
                parts.append(part);
        const qint64 position = e.position;
        menu->addAction(parts.join(QStringLiteral(", ")), this, [this, position] { openCard(position); });
    }
    menu->popup(btnSenzaOrario->mapToGlobal(QPoint(0, btnSenzaOrario->height())));
}

void TfrmCalendarioAppuntamenti::listen(const CardNotifier &notifier)
{
    connect(&notifier, &CardNotifier::appointmentSaved, this, &TfrmCalendarioAppuntamenti::refresh);
    connect(&notifier, &CardNotifier::appointmentCardClosed, this, [this] {
        if (!m_openedCard)
            return;
        // Once the card window has gone from the screen.
        QTimer::singleShot(0, this, [this] {
            refresh();
            activateWindow(); // back to the book that opened the card
        });
    });
}

void TfrmCalendarioAppuntamenti::btnColoriClick()
{
    // One list of colours per dentist met so far, each colour with its sample and its name.
    auto *dialog = new Dialog(this, Dialog::Place::OnOwner);
    dialog->setObjectName(QStringLiteral("frmColoriDentisti"));
    dialog->setWindowTitle(QStringLiteral(" Colori dei dentisti"));
    auto *form = new QFormLayout;
    const QStringList names = m_settings.colours.names();
    QList<QComboBox *> choices;
    for (int i = 0; i < names.size(); ++i) {
        auto *cbo = new QComboBox(dialog);
        cbo->setObjectName(QStringLiteral("cboColore%1").arg(i + 1));
        cbo->setAccessibleName(QStringLiteral("Colore di ") + names[i]);
        for (int c = 0; c < kPaletteSize; ++c) {
            QPixmap sample(16, 16);
            sample.fill(QColor::fromRgba(paletteColour(c).edge));
            cbo->addItem(QIcon(sample), colourName(c), c);
        }
        cbo->setCurrentIndex(std::max(0, m_settings.colours.knownIndex(names[i])));
        form->addRow(names[i], cbo);
        choices.append(cbo);
    }
    if (names.isEmpty())
        form->addRow(new QLabel(QStringLiteral("Nessun dentista negli appuntamenti mostrati finora."), dialog));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName(QStringLiteral("btnConferma"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnAnnulla"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(dialog, &QDialog::accepted, this, [this, names, choices] {
        for (int i = 0; i < names.size(); ++i)
            m_settings.colours.choose(names[i], choices[i]->currentData().toInt());
        if (!m_settings.colours.changed())
            return;
        if (!saveBookSettings(m_settings))
            Messages::error(this, QStringLiteral("Impossibile salvare i colori dei dentisti nel file ")
                                      + kBookSettingsFile + QLatin1Char('.'));
        const Spot spot = currentSpot();
        relayout();
        restoreSpot(spot);
    });
    auto *whole = new QVBoxLayout(dialog);
    whole->addLayout(form);
    whole->addWidget(buttons);
    Modal::run(dialog);
}

void TfrmCalendarioAppuntamenti::btnStampaClick()
{
    if (m_failed) {
        Messages::error(this, kArchiveFailure);
        return;
    }
    Report::print(this, BookDocument::make(printedBook(grdAppuntamenti->book(), Clock::today(), Clock::today())));
}

void TfrmCalendarioAppuntamenti::btnAnteprimaClick()
{
    if (m_failed) {
        Messages::error(this, kArchiveFailure);
        return;
    }
    Report::preview(this, BookDocument::make(printedBook(grdAppuntamenti->book(), Clock::today(), Clock::today())));
}

void TfrmCalendarioAppuntamenti::btnChiudiClick() { close(); }

void TfrmCalendarioAppuntamenti::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (!isActiveWindow())
        m_away = true;
    else if (m_away) {
        m_away = false;
        refresh();
    }
}

void TfrmCalendarioAppuntamenti::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        stepPeriod(event->key() == Qt::Key_PageUp ? -1 : 1);
        return;
    case Qt::Key_Escape:
        close();
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

bool TfrmCalendarioAppuntamenti::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == grdAppuntamenti && event->type() == QEvent::Resize)
        placeHeadings();
    return QWidget::eventFilter(watched, event);
}
