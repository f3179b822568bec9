#pragma once

class TfrmPassword;
class TfrmAvvio;
class TfrmCambiaPassword;
class TfrmClients;
class TfrmAgenda;
class TfrmArchivio_Scadenze;

// The work windows that live for the whole run and are only shown and hidden. Each is made
// on first use (the login window at start), so start-up pays only for what it shows; the
// windows opened from a button are made anew at each opening and are not kept here.
// One set is current at a time: the program's, or a test's.
class Windows
{
public:
    Windows();
    ~Windows(); // destroys the windows made so far
    Windows(const Windows &) = delete;
    Windows &operator=(const Windows &) = delete;

    static TfrmPassword *frmPassword();
    static TfrmAvvio *frmAvvio();
    static TfrmCambiaPassword *frmCambiaPassword();
    static TfrmClients *frmClients();
    static TfrmAgenda *frmAgenda();
    static TfrmArchivio_Scadenze *frmArchivio_Scadenze();

    // Start: the login window, centred, focus in its field.
    static void start();

    struct Set; // the windows made so far

private:
    Set *m_set;
};
