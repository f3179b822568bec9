#include "app/Windows.h"

#include "app/frmAvvio.h"
#include "app/frmCambiaPassword.h"
#include "app/frmPassword.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "base/CardNotifier.h"
#include "billing/frmAmministrazione.h"
#include "billing/frmMoney.h"
#include "billing/frmSistemaTs.h"
#include "export/frmExport.h"
#include "patients/frmClients.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
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

namespace {
// The window in a slot, made and wired on first use.
template <class W, class Wire> W *made(QPointer<W> &slot, Wire wire)
{
    if (!slot) {
        slot = new W();
        wire(slot.data());
    }
    return slot;
}
} // namespace

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
    return made(m_set->password, [this](TfrmPassword *w) {
        QObject::connect(w, &TfrmPassword::loggedIn, w, [this] { frmAvvio()->show(); });
        QObject::connect(w, &TfrmPassword::changePasswordRequested, w, [this] { frmCambiaPassword()->show(); });
    });
}

TfrmAvvio *Windows::frmAvvio()
{
    return made(m_set->avvio, [this](TfrmAvvio *w) {
        QObject::connect(w, &TfrmAvvio::patientsRequested, w, [this] { frmClients()->show(); });
        QObject::connect(w, &TfrmAvvio::agendaRequested, w, [this] { frmAgenda()->show(); });
        QObject::connect(w, &TfrmAvvio::administrationRequested, w, [this, w] { openAdministration(w); });
    });
}

void Windows::openAdministration(QWidget *owner)
{
    auto *w = new TfrmAmministrazione(owner);
    QObject::connect(w, &TfrmAmministrazione::stsRequested, w, [this, w] { openSts(w); });
    Modal::run(w);
}

void Windows::openSts(QWidget *owner) { TfrmSistemaTs::open(ProgramFolder::path(), owner); }

TfrmCambiaPassword *Windows::frmCambiaPassword()
{
    return made(m_set->cambiaPassword, [this](TfrmCambiaPassword *w) {
        QObject::connect(w, &TfrmCambiaPassword::closed, w, [this] { frmPassword()->comeBack(); });
    });
}

TfrmClients *Windows::frmClients()
{
    return made(m_set->clients, [this](TfrmClients *w) {
        QObject::connect(w, &WorkWindow::closed, w, [this] { frmAvvio()->show(); });
        QObject::connect(w, &CardWindow::saved, &m_set->notifier, &CardNotifier::patientSaved);
        QObject::connect(w, &TfrmClients::exportRequested, w, [w] { Exports::open(w, Exports::Member::Clients); });
        // The card knows no money: the balance's words and the money window come from here.
        w->setBalanceProvider(&MoneyWindows::balanceText);
        QObject::connect(w, &TfrmClients::moneyRequested, w, [w](qint64 position) {
            auto *money = new TfrmFatturePagamenti(position, w);
            QObject::connect(money, &TfrmFatturePagamenti::changed, w, &TfrmClients::refreshBalance);
            Modal::run(money);
        });
    });
}

TfrmAgenda *Windows::frmAgenda()
{
    return made(m_set->agenda, [this](TfrmAgenda *w) {
        QObject::connect(w, &WorkWindow::closed, w, [this] { frmAvvio()->show(); });
        QObject::connect(w, &TfrmAgenda::appointmentCardRequested, w, [this] { frmArchivio_Scadenze()->show(); });
        QObject::connect(w, &TfrmAgenda::imminentExportRequested, w,
                         [w] { Exports::open(w, Exports::Member::Imminenti); });
        QObject::connect(w, &TfrmAgenda::dayExportRequested, w,
                         [w](const QDate &day) { Exports::open(w, Exports::Member::Giornaliere, day); });
        QObject::connect(w, &TfrmAgenda::monthExportRequested, w,
                         [w](const QDate &day) { Exports::open(w, Exports::Member::Mensili, day); });
        QObject::connect(w, &TfrmAgenda::appointmentRequested, w, [this](QWidget *book, qint64 position) {
            if (!mayReplaceCard(book))
                return;
            if (!showAppointment(position))
                Messages::error(book, kArchiveFailure);
        });
        QObject::connect(w, &TfrmAgenda::newAppointmentRequested, w, [this](const QDate &date, const QTime &time) {
            if (mayReplaceCard(QApplication::activeWindow()))
                showNewAppointment(date, time);
        });
        w->listen(m_set->notifier);
    });
}

TfrmArchivio_Scadenze *Windows::frmArchivio_Scadenze()
{
    return made(m_set->scadenze, [this](TfrmArchivio_Scadenze *w) {
        QObject::connect(w, &WorkWindow::closed, w, [this] {
            frmAvvio()->show();
            emit m_set->notifier.appointmentCardClosed();
        });
        QObject::connect(w, &CardWindow::saved, &m_set->notifier, &CardNotifier::appointmentSaved);
        QObject::connect(w, &TfrmArchivio_Scadenze::exportRequested, w,
                         [w] { Exports::open(w, Exports::Member::Scadenzario); });
    });
}

bool Windows::mayReplaceCard(QWidget *asker)
{
    TfrmArchivio_Scadenze *card = m_set->scadenze;
    if (!card || !card->isVisible() || !card->hasUnsavedTyping())
        return true;
    return Messages::confirmNoByDefault(asker, QStringLiteral("La scheda mostrata contiene modifiche non salvate. "
                                                              "Aprire comunque l'altro appuntamento?"));
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
