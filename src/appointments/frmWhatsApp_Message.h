#pragma once

#include "storage/AppointmentRecord.h"
#include "ui/Dialog.h"

class PictureButton;
class QFrame;
class QLineEdit;
class QPushButton;

// The WhatsApp reminder of an imminent appointment: the four fields show the date, time,
// patient and mobile number of the appointment record it is given; the green button hands
// the reminder link to the desktop shell and closes the window once the desktop has taken it.
class TfrmWhatsApp_Message : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmWhatsApp_Message(const TAppointmentRecord &appointment = {}, QWidget *parent = nullptr);

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
    void FormShow() override;
};
