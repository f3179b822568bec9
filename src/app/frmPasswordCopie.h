#pragma once

#include "ui/Dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The passphrase of the encrypted backups. To choose it (Mode::Choose): written twice, at
// least 10 characters, with a hint of its strength; OK keeps it on this computer (Passphrase)
// and hands it back. To open a backup this computer has no passphrase for, or the wrong one
// (Mode::Ask): written once and handed back, nothing kept.
class TfrmPasswordCopie : public Dialog
{
    Q_OBJECT
public:
    enum class Mode { Choose, Ask };
    // `result` receives the passphrase when the window is closed with OK.
    TfrmPasswordCopie(QWidget *parent, Mode mode, QString *result);

    QLabel *lblSpiegazione;
    QLabel *lblPassword;
    QLineEdit *txtPassword;
    QLabel *lblConferma;
    QLineEdit *txtConferma;
    QLabel *lblForza;
    QPushButton *btnOK;
    QPushButton *btnAnnulla;

    void btnOKClick();

private:
    Mode m_mode;
    QString *m_result;
};
