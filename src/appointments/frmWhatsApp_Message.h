#pragma once

#include <QDialog>

class PictureButton;
class QFrame;
class QLineEdit;
class QPushButton;

// The WhatsApp reminder of an imminent appointment: the agenda fills the four fields, the
// green button hands the reminder link to the desktop shell.
class TfrmWhatsApp_Message : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmWhatsApp_Message(QWidget *parent = nullptr);

    QWidget *panContainer;
    QFrame *icoIntestazione01;
    QLineEdit *txtData;
    QLineEdit *txtOra;
    QFrame *icoIntestazione02;
    QLineEdit *txtContatto;
    QLineEdit *txtCel;
    PictureButton *btnWhatsApp;
    QPushButton *btnChiudi;

    void btnWhatsAppClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent *event) override;
};
