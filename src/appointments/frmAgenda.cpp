#include "appointments/frmAgenda.h"

#include "base/CardNotifier.h"
#include "ui/Accessibility.h"
#include "ui/Help.h"
#include "ui/FixedList.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"
#include "appointments/AgendaRules.h"
#include "appointments/AppointmentWidgets.h"
#include "appointments/frmCalendarioAppuntamenti.h"
#include "appointments/frmWhatsApp_Message.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "print/ListPrint.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <QCalendarWidget>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

const QString kPrintTitle = QStringLiteral("Riepilogo appuntamenti imminenti");

PictureButton *captioned(const QString &name, const QString &svg, const QString &caption, QWidget *parent)
{
    auto *b = new PictureButton(name, svg, caption, parent);
    b->setPictureSize(QSize(36, 36));
    b->setCaption(caption, PictureButton::CaptionBelow);
    return b;
}

PictureButton *pill(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new PictureButton(name, QString(), caption, parent);
    b->setFont(Theme::verdana(11));
    b->setCaption(caption, PictureButton::CaptionPill);
    return b;
}

QLabel *bubble(const QString &name, const QString &text, Theme::Sheet look, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(Theme::sheet(look));
    return l;
}

} // namespace

TfrmAgenda::TfrmAgenda(QWidget *parent)
    : WorkWindow(QStringLiteral("frmAgenda"), QStringLiteral(" Sorrisa - Agenda Appuntamenti"), parent)
{
    setWindowState(Qt::WindowMaximized);
    setMinimumSize(1010, 710);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));
    panContainer->setFixedSize(994, 692);

    imgNome = AppointmentWidgets::banner(QStringLiteral("imgNome"), QStringLiteral("AGENDA APPUNTAMENTI"),
                                         {QStringLiteral("calendar"), QStringLiteral("clock")}, panContainer, 60);
    Accessibility::hide(imgNome); // the window's banner: its caption says it

    // ---- Left: calendar and the ways into the appointments ----
    QWidget *shpCalendario = Theme::panel(QStringLiteral("shpCalendario"), panContainer);
    shpCalendario->setFixedWidth(320);
    icoIstruzioni = new QLabel(QStringLiteral("Selezionare una data nel calendario e premere i pulsanti sottostanti "
                                              "per visualizzare gli appuntamenti del giorno o del mese."),
                               shpCalendario);
    icoIstruzioni->setObjectName(QStringLiteral("icoIstruzioni"));
    icoIstruzioni->setWordWrap(true);
    icoIstruzioni->setStyleSheet(Theme::sheet(Theme::Sheet::Note));
    calAppuntamenti = Theme::calendar(QStringLiteral("calAppuntamenti"), shpCalendario);
    calAppuntamenti->setAccessibleName(QStringLiteral("Calendario"));
    calAppuntamenti->setFixedHeight(230);
    Accessibility::nameCalendar(calAppuntamenti);
    btnGiorno = pill(QStringLiteral("btnGiorno"), QStringLiteral("APPUNTAMENTI DEL GIORNO"), shpCalendario);
    btnMese = pill(QStringLiteral("btnMese"), QStringLiteral("APPUNTAMENTI DEL MESE"), shpCalendario);
    btnCalendario = pill(QStringLiteral("btnCalendario"), QStringLiteral("CALENDARIO APPUNTAMENTI"), shpCalendario);
    appApriArchivio = new PictureButton(QStringLiteral("appApriArchivio"), QStringLiteral("clock"),
                                        QStringLiteral("Inserisci appuntamenti"), shpCalendario);
    appApriArchivio->setPictureSize(QSize(64, 64));
    appApriArchivio->setFocusPolicy(Qt::NoFocus); // the captioned button below is the one choice for the keyboard
    Accessibility::hide(appApriArchivio);
    btnArchivio = pill(QStringLiteral("btnArchivio"), QStringLiteral("INSERISCI APPUNTAMENTI"), shpCalendario);

    auto *left = new QVBoxLayout(shpCalendario);
    left->setContentsMargins(14, 12, 14, 14);
    left->setSpacing(8);
    left->addWidget(icoIstruzioni);
    left->addWidget(calAppuntamenti);
    left->addWidget(btnGiorno);
    left->addWidget(btnMese);
    left->addWidget(btnCalendario); // in the free space under the two, which the stretch keeps
    left->addStretch();
    left->addWidget(appApriArchivio, 0, Qt::AlignHCenter);
    left->addWidget(btnArchivio);

    // ---- Right: indicator, imminent list, commands ----
    QWidget *shpElenco = Theme::panel(QStringLiteral("shpElenco"), panContainer);
    imgAppuntamentiNO =
        Theme::picture(QStringLiteral("imgAppuntamentiNO"), QStringLiteral("agenda-none"), 120, 120, shpElenco);
    imgAppuntamentiSI =
        Theme::picture(QStringLiteral("imgAppuntamentiSI"), QStringLiteral("agenda-present"), 120, 120, shpElenco);
    imgAssenti = bubble(QStringLiteral("imgAssenti"), QStringLiteral("Non ci sono appuntamenti"),
                        Theme::Sheet::NoAppointments, shpElenco);
    imgPresenti = bubble(QStringLiteral("imgPresenti"), QStringLiteral("Ci sono appuntamenti"),
                         Theme::Sheet::Appointments, shpElenco);
    auto *indicator = new QGridLayout;
    indicator->addWidget(imgAppuntamentiNO, 0, 0);
    indicator->addWidget(imgAppuntamentiSI, 0, 0);
    indicator->addWidget(imgAssenti, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    indicator->addWidget(imgPresenti, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    indicator->setHorizontalSpacing(18);
    indicator->setColumnStretch(2, 1);

    lstRecords = new FixedList(QStringLiteral("lstRecords"), QStringLiteral("Appuntamenti imminenti"), shpElenco);
    QFont listFont = lstRecords->font();
    listFont.setPointSize(14);
    lstRecords->setFont(listFont);
    auto *lblElenco =
        Theme::label(QStringLiteral("lblElenco"), QStringLiteral("Appuntamenti imminenti:"), shpElenco, lstRecords);
    lblElenco->setFont(Theme::verdana(11, true));
    btnWhatsApp = new PictureButton(QStringLiteral("btnWhatsApp"), QStringLiteral("whatsapp"),
                                    QStringLiteral("Invia promemoria tramite WhatsApp"), shpElenco);
    btnWhatsApp->setPictureSize(QSize(48, 48));

    imgGuida = captioned(QStringLiteral("imgGuida"), QStringLiteral("help"), QStringLiteral("Guida"), shpElenco);
    btnStampa =
        captioned(QStringLiteral("btnStampa"), QStringLiteral("print"), QStringLiteral("Stampa riepilogo"), shpElenco);
    btnExcel =
        captioned(QStringLiteral("btnExcel"), QStringLiteral("export"), QStringLiteral("Esporta in Excel"), shpElenco);
    imgEsci = captioned(QStringLiteral("imgEsci"), QStringLiteral("close"), QStringLiteral("Esci"), shpElenco);

    btnCaricaLista = new QPushButton(this);
    btnCaricaLista->setObjectName(QStringLiteral("btnCaricaLista"));
    btnCaricaLista->hide();
    titData = new QLabel(this);
    titOra = new QLabel(this);
    titContatto = new QLabel(this);
    titCel = new QLabel(this);
    const QList<std::pair<QLabel *, const char *>> tits = {
        {titData, "titData"}, {titOra, "titOra"}, {titContatto, "titContatto"}, {titCel, "titCel"}};
    for (const auto &[label, name] : tits) {
        label->setObjectName(QString::fromLatin1(name));
        label->hide();
    }
    Accessibility::valueLabel(titData, QStringLiteral("Data appuntamento"));
    Accessibility::valueLabel(titOra, QStringLiteral("Ora appuntamento"));
    Accessibility::valueLabel(titContatto, QStringLiteral("Cognome e nome"));
    Accessibility::valueLabel(titCel, QStringLiteral("Cellulare"));

    auto *listRow = new QHBoxLayout;
    listRow->setSpacing(8);
    listRow->addWidget(lstRecords, 1);
    auto *side = new QVBoxLayout;
    side->addWidget(btnWhatsApp);
    side->addStretch();
    listRow->addLayout(side);
    auto *commands = new QHBoxLayout;
    commands->setSpacing(12);
    commands->addWidget(imgGuida);
    commands->addWidget(btnStampa);
    commands->addWidget(btnExcel);
    commands->addStretch();
    commands->addWidget(imgEsci);
    auto *right = new QVBoxLayout(shpElenco);
    right->setContentsMargins(14, 12, 14, 10);
    right->setSpacing(8);
    right->addLayout(indicator);
    right->addWidget(lblElenco);
    right->addLayout(listRow, 1);
    right->addLayout(commands);

    auto *body = new QHBoxLayout;
    body->setSpacing(10);
    body->addWidget(shpCalendario);
    body->addWidget(shpElenco, 1);
    auto *whole = new QVBoxLayout(panContainer);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->setSpacing(10);
    whole->addWidget(imgNome);
    whole->addLayout(body, 1);
    auto *outer = new QGridLayout(this);
    outer->addWidget(panContainer, 0, 0, Qt::AlignCenter);

    const QList<QWidget *> order = {lstRecords,      btnWhatsApp, calAppuntamenti, btnGiorno, btnMese,  btnCalendario,
                                    appApriArchivio, btnArchivio, imgGuida,        btnStampa, btnExcel, imgEsci};
    for (int i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order.at(i), order.at(i + 1));

    connect(btnCaricaLista, &QPushButton::clicked, this, &TfrmAgenda::btnCaricaListaClick);
    connect(lstRecords, &FixedList::lineSelectionChanged, this, &TfrmAgenda::lstRecordsClick);
    connect(btnWhatsApp, &PictureButton::clicked, this, &TfrmAgenda::btnWhatsAppClick);
    connect(btnExcel, &PictureButton::clicked, this, &TfrmAgenda::btnExcelClick);
    connect(btnGiorno, &PictureButton::clicked, this, &TfrmAgenda::btnGiornoClick);
    connect(btnMese, &PictureButton::clicked, this, &TfrmAgenda::btnMeseClick);
    connect(btnCalendario, &PictureButton::clicked, this, &TfrmAgenda::btnCalendarioClick);
    connect(btnStampa, &PictureButton::clicked, this, &TfrmAgenda::btnStampaClick);
    connect(btnArchivio, &PictureButton::clicked, this, &TfrmAgenda::appApriArchivioClick);
    connect(appApriArchivio, &PictureButton::clicked, this, &TfrmAgenda::appApriArchivioClick);
    connect(imgGuida, &PictureButton::clicked, this, &TfrmAgenda::imgGuidaClick);
    connect(imgEsci, &PictureButton::clicked, this, &TfrmAgenda::imgEsciClick);

    showPresent(false);
}

void TfrmAgenda::FormShow()
{
    for (QLabel *tit : {titData, titOra, titContatto, titCel})
        tit->clear();
    m_selected = TAppointmentRecord{};
    if (!loadList()) {
        // The screen that must not miss a reminder never says "none" when it could not look.
        lstRecords->clear();
        for (QWidget *picture : {imgPresenti, imgAppuntamentiSI, imgAssenti, imgAppuntamentiNO})
            picture->hide();
        Messages::error(this, kArchiveFailure);
        return;
    }
    const bool present = lstRecords->count() > 0;
    showPresent(present);
    if (present)
        Sound::play(ProgramFolder::file(QStringLiteral("Avviso.mp3")));
    lstRecords->setFocus();
}

void TfrmAgenda::FormClose() { Sound::stop(); }

void TfrmAgenda::showPresent(bool present)
{
    imgPresenti->setVisible(present);
    imgAppuntamentiSI->setVisible(present);
    imgAssenti->setVisible(!present);
    imgAppuntamentiNO->setVisible(!present);
}

bool TfrmAgenda::loadList()
{
    AgendaRules::Imminent cards;
    try {
        cards = AgendaRules::imminentCards(Clock::today());
    } catch (const StorageError &) {
        return false;
    }
    lstRecords->setSource(AgendaRules::linesAt(std::move(cards.positions)));
    // Wide enough for the longest line, and never narrower than 1600. The font has a fixed
    // pitch: the width follows from the number of characters, without building the lines.
    const int widest = lstRecords->fontMetrics().horizontalAdvance(QString(cards.longestLine, QLatin1Char('0')));
    lstRecords->setItemWidth(qMax(1600, widest + 16));
    return true;
}

void TfrmAgenda::btnCaricaListaClick() { loadList(); }

void TfrmAgenda::lstRecordsClick()
{
    const int row = lstRecords->selectedRow();
    if (row < 0)
        return;
    // The card of the very line selected, by the position the line keeps.
    try {
        RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        TAppointmentRecord found;
        file.readAt(lstRecords->position(row), found);
        file.close();
        m_selected = found;
        titData->setText(found.Data.text());
        titOra->setText(found.Ora.text());
        titContatto->setText(found.Contatto.text());
        titCel->setText(found.Cel.text());
    } catch (const StorageError &) {
        // silent, as every read of the agenda
    }
}

void TfrmAgenda::btnWhatsAppClick()
{
    if (lstRecords->count() == 0) {
        Messages::warning(this, QStringLiteral("Invio messaggio di WhatsApp non applicabile: la lista non contiene "
                                               "nessun appuntamento."));
        return;
    }
    if (lstRecords->selectedLine().isEmpty()) {
        Messages::warning(this, QStringLiteral("Attenzione: selezionare dall'elenco il cliente a cui si desidera "
                                               "inviare il promemoria dell'appuntamento prima di fare clic "
                                               "sull'icona di WhatsApp."));
        return;
    }
    Modal::run(new TfrmWhatsApp_Message(m_selected, this));
}

void TfrmAgenda::btnExcelClick() { emit imminentExportRequested(); }

void TfrmAgenda::btnGiornoClick() { emit dayExportRequested(calAppuntamenti->selectedDate()); }

void TfrmAgenda::btnMeseClick() { emit monthExportRequested(calAppuntamenti->selectedDate()); }

void TfrmAgenda::listen(const CardNotifier &notifier)
{
    m_notifier = &notifier;
    // A card saved while the agenda is on screen (from the book) is in its list at once, as
    // "CARICA LISTA" would show it.
    connect(&notifier, &CardNotifier::appointmentSaved, this, [this] {
        if (isVisible())
            loadList();
    });
    if (m_book)
        m_book->listen(notifier);
}

void TfrmAgenda::btnCalendarioClick()
{
    // One book at a time: a second click brings it back on the day chosen.
    if (!m_book) {
        m_book = new TfrmCalendarioAppuntamenti(calAppuntamenti->selectedDate(), this);
        connect(m_book, &TfrmCalendarioAppuntamenti::appointmentRequested, this,
                [this](qint64 position) { emit appointmentRequested(m_book, position); });
        connect(m_book, &TfrmCalendarioAppuntamenti::newAppointmentRequested, this,
                &TfrmAgenda::newAppointmentRequested);
        if (m_notifier)
            m_book->listen(*m_notifier);
        m_book->show();
    } else {
        m_book->setDay(calAppuntamenti->selectedDate());
        m_book->show();
        m_book->raise();
    }
    m_book->activateWindow();
}

void TfrmAgenda::btnStampaClick()
{
    if (!ListPrint::print(this, kPrintTitle, lstRecords->source()))
        Messages::error(this, kArchiveFailure);
}

void TfrmAgenda::appApriArchivioClick()
{
    // The alert sound goes on: only closing the agenda stops it.
    emit appointmentCardRequested();
    hide();
}

void TfrmAgenda::imgGuidaClick() { Help::show(this, Help::Agenda); }

void TfrmAgenda::imgEsciClick() { close(); }
