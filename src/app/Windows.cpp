#include "app/Windows.h"

#include "app/frmAvvio.h"
#include "app/frmCambiaPassword.h"
#include "app/frmPassword.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "export/frmExport.h"
#include "patients/frmClients.h"
#include "ui/Hooks.h"
#include "ui/WorkWindow.h"

#include <QPointer>

struct Windows::Set
{
    QPointer<TfrmPassword> password;
    QPointer<TfrmAvvio> avvio;
    QPointer<TfrmCambiaPassword> cambiaPassword;
    QPointer<TfrmClients> clients;
    QPointer<TfrmAgenda> agenda;
    QPointer<TfrmArchivio_Scadenze> scadenze;
};

namespace {
Windows::Set *g_current = nullptr;

Exports::Member exportMember(Hooks::Export which)
{
    switch (which) {
    case Hooks::Export::Patients:
        return Exports::Member::Clients;
    case Hooks::Export::Appointments:
        return Exports::Member::Scadenzario;
    case Hooks::Export::Imminent:
        return Exports::Member::Imminenti;
    case Hooks::Export::Day:
        return Exports::Member::Giornaliere;
    case Hooks::Export::Month:
        return Exports::Member::Mensili;
    }
    return Exports::Member::Clients;
}

template <class W> W *made(QPointer<W> &slot)
{
    if (!slot)
        slot = new W();
    return slot;
}
} // namespace

Windows::Windows() : m_set(new Set)
{
    g_current = m_set;
    WorkWindow::setAfterClose([] { Windows::frmAvvio()->show(); });
    Hooks::setShowAppointmentCard([] { Windows::frmArchivio_Scadenze()->show(); });
    Hooks::setOpenExport([](QWidget *caller, Hooks::Export which, const QDate &picked) {
        Exports::open(caller, exportMember(which), picked);
    });
    // The appointment book: the card window shown first (showing it anew clears it), then
    // the card asked for, brought to the front.
    Hooks::setOpenAppointment([](qint64 position) -> QWidget * {
        TfrmArchivio_Scadenze *card = Windows::frmArchivio_Scadenze();
        const bool shown = card->isVisible();
        card->show();
        if (!card->showPosition(position))
            return nullptr;
        if (shown)
            card->raise();
        card->activateWindow();
        return card;
    });
    Hooks::setNewAppointment([](const QDate &date, const QTime &time) -> QWidget * {
        TfrmArchivio_Scadenze *card = Windows::frmArchivio_Scadenze();
        const bool shown = card->isVisible();
        card->show();
        card->newCardAt(date, time);
        if (shown)
            card->raise();
        card->activateWindow();
        return card;
    });
}

Windows::~Windows()
{
    if (g_current == m_set)
        g_current = nullptr;
    // Later windows first: they may hold on to earlier ones while they go.
    delete m_set->scadenze.data();
    delete m_set->agenda.data();
    delete m_set->clients.data();
    delete m_set->cambiaPassword.data();
    delete m_set->avvio.data();
    delete m_set->password.data();
    delete m_set;
}

TfrmPassword *Windows::frmPassword() { return made(g_current->password); }
TfrmAvvio *Windows::frmAvvio() { return made(g_current->avvio); }
TfrmCambiaPassword *Windows::frmCambiaPassword()
{
    if (g_current->cambiaPassword)
        return g_current->cambiaPassword;
    TfrmCambiaPassword *window = made(g_current->cambiaPassword);
    QObject::connect(window, &TfrmCambiaPassword::closed, window, [] { Windows::frmPassword()->comeBack(); });
    return window;
}
TfrmClients *Windows::frmClients() { return made(g_current->clients); }
TfrmAgenda *Windows::frmAgenda() { return made(g_current->agenda); }
TfrmArchivio_Scadenze *Windows::frmArchivio_Scadenze() { return made(g_current->scadenze); }

void Windows::start() { frmPassword()->show(); }
