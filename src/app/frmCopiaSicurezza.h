#pragma once

#include "ui/Dialog.h"

class ListBanner;
class PictureButton;
class QLabel;
class QLineEdit;
class QProgressDialog;
class QPushButton;

// Backup and restore, opened from the main menu: the folder backups go to (chosen once and
// remembered), the last backup's date, "Esegui la copia di sicurezza", and the restore from
// a chosen backup (checked, described and confirmed before anything changes). The work itself
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
    QPushButton *btnCopia;
    QLabel *lblRipristino;
    QPushButton *btnRipristina;
    QPushButton *btnChiudi;

    // How long the work runs before its progress window shows (tests show it at once).
    static inline int progressDelayMs = 300;

    // Asks for the folder; true when one was chosen and remembered.
    bool btnSfogliaClick();
    void btnCopiaClick();
    void btnRipristinaClick();

private:
    void showSettings();
    QProgressDialog *progressDialog(const QString &label);
};
