#pragma once

#include <QtGlobal>

#include <memory>

class QWidget;
class CardNotifier;
class QDate;
class QTime;
class QWidget;
class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmClients;
class TfrmAgenda;
class TfrmArchivio_Scadenze;

// The work windows that live for the whole run and are only shown and hidden, and the wiring
// between them: each window says by its signals what it asks of another (the main menu, the
// appointment card, an export window) and this set connects them; the card windows' saves and
// closes go to the one CardNotifier, to which the windows that show cards listen. Each window
// is made, and wired, on first use (the login window at start), so start-up pays only for
// what it shows; the windows opened from a button are made anew at each opening and are not
// kept here. The program has one set (Startup), each test its own.
class Windows
{
public:
    Windows();
    ~Windows(); // destroys the windows made so far
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    TfrmPassword *frmPassword();
    TfrmAvvio *frmAvvio();
    TfrmCambiaPassword *frmCambiaPassword();
    TfrmClients *frmClients();
    TfrmAgenda *frmAgenda();
    TfrmArchivio_Scadenze *frmArchivio_Scadenze();

    const CardNotifier &notifier() const;

    // " Sorrisa - Amministrazione studio" over a window, run modally.
    void openAdministration(QWidget *owner);
    // "Invio dati al Sistema TS", asked for by the administration window: the connection
    // point of the sending window (for now it says that the sending is not available yet).
    void openSts(QWidget *owner);

    // Start: the login window, centred, focus in its field.
    void start();

private:
    // The appointment card window on the card at a position (false: it could not be read), or
    // on a new card at a date and time: shown first (showing it anew clears it), then brought
    // to the front.
    // A card asked for from the appointment book replaces the one shown only after a
    // question when that one holds unsaved typing.
    bool mayReplaceCard(QWidget *asker);
    bool showAppointment(qint64 position);
    void showNewAppointment(const QDate &date, const QTime &time);

    struct Set; // the windows made so far
    std::unique_ptr<Set> m_set;
};
