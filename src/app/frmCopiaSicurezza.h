#pragma once

#include "backup/Backup.h"
#include "ui/Dialog.h"

#include <functional>

class ListBanner;
class PictureButton;
class QCheckBox;
class QLabel;
class QSpinBox;
class QLineEdit;
class QProgressDialog;
class QPushButton;

// Backup and restore, opened from the main menu: the folder backups go to (chosen once and
// remembered), the last backup's date, the passphrase the backups are encrypted with and its
// recovery sheet, the unencrypted choice (with a warning, for this window only), how many
// backups are kept, "Esegui la copia di sicurezza", the restore from a chosen backup (checked,
// described and confirmed before anything changes) and the check of a backup without restoring. The work itself
// is the window-free Backup; this window asks, shows the progress and says how it went.
class TfrmCopiaSicurezza : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmCopiaSicurezza(QWidget *parent = nullptr);

    ListBanner *imgBanner;
    QLabel *lblCartella;
    QLineEdit *txtCartella;
    QPushButton *btnSfoglia;
    QLabel *lblUltima;
    QPushButton *btnPassword;
    QPushButton *btnFoglio;
    QCheckBox *chkNonCifrata;
    QLabel *lblConserva;
    QSpinBox *spnConserva;
    QPushButton *btnCopia;
    QLabel *lblRipristino;
    QPushButton *btnRipristina;
    QPushButton *btnVerifica;
    QPushButton *btnChiudi;

    // How long the work runs before its progress window shows (tests show it at once).
    static inline int progressDelayMs = 300;

    // Asks for the folder; true when one was chosen and remembered.
    bool btnSfogliaClick();
    void btnCopiaClick();
    void btnRipristinaClick();
    void btnVerificaClick();
    // Chooses the backups' passphrase; true when one was chosen (then offers the sheet).
    bool btnPasswordClick();
    void btnFoglioClick();

private:
    void showSettings();
    void chkNonCifrataToggled(bool on);
    // Asks for the passphrase of an encrypted backup this computer cannot open; false when
    // the user gave none.
    bool askPassphrase(QString *passphrase);
    QString chooseBackup(const QString &caption);
    // Reads a backup (a check or a verification) with its progress window: with this
    // computer's passphrase and, when that does not open it, once with one the user types.
    // Cancelled with no message when the user typed none.
    using BackupRead = std::function<Backup::Outcome(const QString &passphrase, const Backup::Progress &)>;
    Backup::Outcome readBackup(const QString &label, const BackupRead &read);
    QProgressDialog *progressDialog(const QString &label);
};
