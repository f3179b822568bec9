#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class ListBanner;

// The card's own folder, "Cliente_" + its record position in the program folder: created on
// first use and opened with the desktop shell.
class TfrmAttachedFolder : public QDialog
{
    Q_OBJECT
public:
    // position: the card's record position (lblMemory).
    TfrmAttachedFolder(QWidget *parent, const QString &position);

    ListBanner *imgBanner;
    QWidget *imgIstruzioni;
    QLabel *imgCartella;
    QPushButton *btnApriCartella;
    QWidget *imgBackup;
    QPushButton *btnChiudi;
    QLabel *lblMemory;

    void btnApriCartellaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent *event) override;
};
