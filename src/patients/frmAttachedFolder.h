#pragma once

#include "ui/Dialog.h"

#include <QString>

class QLabel;
class QPushButton;
class ListBanner;

// The card's own folder, "Cliente_" + its record position in the program folder: created on
// first use and opened with the desktop shell.
class TfrmAttachedFolder : public Dialog
{
    Q_OBJECT
public:
    // position: the card's record position.
    TfrmAttachedFolder(QWidget *parent, const QString &position);

    const QString &position() const { return m_position; }

    ListBanner *imgBanner;
    QWidget *imgIstruzioni;
    QLabel *imgCartella;
    QPushButton *btnApriCartella;
    QWidget *imgBackup;
    QPushButton *btnChiudi;

    void btnApriCartellaClick();
    void btnChiudiClick();

protected:
    void FormShow() override;

private:
    QString m_position;
};
