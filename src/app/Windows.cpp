#include "app/Windows.h"

#include "app/frmAvvio.h"
#include "app/frmCambiaPassword.h"
#include "app/frmPassword.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "base/CardNotifier.h"
#include "export/frmExport.h"
#include "patients/frmClients.h"
#include "platform/Messages.h"

#include <QPointer>

struct Windows::Set
{
    CardNotifier notifier;
    QPointer<TfrmPassword> password;
    QPointer<TfrmAvvio> avvio;
    QPointer<TfrmCambiaPassword> cambiaPassword;
    QPointer<TfrmClients> clients;
    QPointer<TfrmAgenda> agenda;
    QPointer<TfrmArchivio_Scadenze> scadenze;
};

Windows::Windows() : m_set(std::make_unique<Set>()) {}

Windows::~Windows()
{
    // Later windows first: they may hold on to earlier ones while they go.
    delete m_set->scadenze.data();
    delete m_set->agenda.data();
    delete m_set->clients.data();
    delete m_set->cambiaPassword.data();
    delete m_set->avvio.data();
    delete m_set->password.data();
}

const CardNotifier &Windows::notifier() const { return m_set->notifier; }

void Windows::start() { frmPassword()->show(); }

TfrmPassword *Windows::frmPassword()
{
    if (!m_set->password) {
        auto *w = new TfrmPassword();
        m_set->password = w;
        QObject::connect(w, &TfrmPassword::loggedIn, w, [this] { frmAvvio()->show(); });
        QObject::connect(w, &TfrmPassword::changePasswordRequested, w, [this] { frmCambiaPassword()->show(); });
    }
    return m_set->password;
}

TfrmAvvio *Windows::frmAvvio()
{
    if (!m_set->avvio) {
        auto *w = new TfrmAvvio();
        m_set->avvio = w;
        QObject::connect(w, &TfrmAvvio::patientsRequested, w, [this] { frmClients()->show(); });
        QObject::connect(w, &TfrmAvvio::agendaRequested, w, [this] { frmAgenda()->show(); });
    }
    return m_set->avvio;
}

TfrmCambiaPassword *Windows::frmCambiaPassword()
{
    if (!m_set->cambiaPassword) {
        auto *w = new TfrmCambiaPassword();
        m_set->cambiaPassword = w;
        QObject::connect(w, &TfrmCambiaPassword::closed, w, [this] { frmPassword()->comeBack(); });
    }
    return m_set->cambiaPassword;
}

TfrmClients *Windows::frmClients()
{
    if (!m_set->clients) {
        auto *w = new TfrmClients();
        m_set->clients = w;
        QObject::connect(w, &WorkWindow::closed, w, [this] { frmAvvio()->show(); });
        QObject::connect(w, &CardWindow::saved, &m_set->notifier, &CardNotifier::patientSaved);
        QObject::connect(w, &TfrmClients::exportRequested, w,
                         [w] { Exports::open(w, Exports::Member::Clients); });
    }
    return m_set->clients;
}

TfrmAgenda *Windows::frmAgenda()
{
    if (!m_set->agenda) {
        auto *w = new TfrmAgenda();
        m_set->agenda = w;
        QObject::connect(w, &WorkWindow::closed, w, [this] { frmAvvio()->show(); });
        QObject::connect(w, &TfrmAgenda::appointmentCardRequested, w, [this] { frmArchivio_Scadenze()->show(); });
        QObject::connect(w, &TfrmAgenda::imminentExportRequested, w,
                         [w] { Exports::open(w, Exports::Member::Imminenti); });
        QObject::connect(w, &TfrmAgenda::dayExportRequested, w,
                         [w](const QDate &day) { Exports::open(w, Exports::Member::Giornaliere, day); });
        QObject::connect(w, &TfrmAgenda::monthExportRequested, w,
                         [w](const QDate &day) { Exports::open(w, Exports::Member::Mensili, day); });
        QObject::connect(w, &TfrmAgenda::appointmentRequested, w, [this](QWidget *book, qint64 position) {
            if (!showAppointment(position))
                Messages::error(book, kArchiveFailure);
        });
        QObject::connect(w, &TfrmAgenda::newAppointmentRequested, w,
                         [this](const QDate &date, const QTime &time) { showNewAppointment(date, time); });
        w->listen(m_set->notifier);
    }
    return m_set->agenda;
}

TfrmArchivio_Scadenze *Windows::frmArchivio_Scadenze()
{
    if (!m_set->scadenze) {
        auto *w = new TfrmArchivio_Scadenze();
        m_set->scadenze = w;
        QObject::connect(w, &WorkWindow::closed, w, [this] {
            frmAvvio()->show();
            emit m_set->notifier.appointmentCardClosed();
        });
        QObject::connect(w, &CardWindow::saved, &m_set->notifier, &CardNotifier::appointmentSaved);
        QObject::connect(w, &TfrmArchivio_Scadenze::exportRequested, w,
                         [w] { Exports::open(w, Exports::Member::Scadenzario); });
    }
    return m_set->scadenze;
}

bool Windows::showAppointment(qint64 position)
{
    TfrmArchivio_Scadenze *card = frmArchivio_Scadenze();
    const bool shown = card->isVisible();
    card->show();
    if (!card->showPosition(position))
        return false;
    if (shown)
        card->raise();
    card->activateWindow();
    return true;
}

void Windows::showNewAppointment(const QDate &date, const QTime &time)
{
    TfrmArchivio_Scadenze *card = frmArchivio_Scadenze();
    const bool shown = card->isVisible();
    card->show();
    card->newCardAt(date, time);
    if (shown)
        card->raise();
    card->activateWindow();
}
