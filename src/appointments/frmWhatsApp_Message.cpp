#include "appointments/frmWhatsApp_Message.h"

#include "ui/PictureButton.h"
#include "ui/Theme.h"
#include "appointments/AppointmentWidgets.h"
#include "base/MessageLinks.h"
#include "platform/Misc.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *shownField(const QString &name, bool centred)
{
    auto *f = new QLineEdit;
    f->setObjectName(name);
    f->setReadOnly(true);
    f->setFont(AppointmentWidgets::fieldFont());
    if (centred)
        f->setAlignment(Qt::AlignCenter);
    return f;
}

} // namespace

TfrmWhatsApp_Message::TfrmWhatsApp_Message(const TAppointmentRecord &appointment, QWidget *parent) : Dialog(parent)
{
    setObjectName(QStringLiteral("frmWhatsApp_Message"));
    setWindowTitle(QStringLiteral(" Invio messaggio di WhatsApp"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 650, 455);

    panContainer = Theme::panel(QStringLiteral("panContainer"), this);

    icoIntestazione01 =
        AppointmentWidgets::banner(QStringLiteral("icoIntestazione01"), QStringLiteral("PROMEMORIA APPUNTAMENTO"),
                                   {QStringLiteral("calendar"), QStringLiteral("clock")}, panContainer, 40);
    txtData = shownField(QStringLiteral("txtData"), true);
    txtOra = shownField(QStringLiteral("txtOra"), true);
    icoIntestazione02 = AppointmentWidgets::banner(QStringLiteral("icoIntestazione02"), QStringLiteral("DATI PAZIENTE"),
                                                   {QStringLiteral("person")}, panContainer, 40);
    txtContatto = shownField(QStringLiteral("txtContatto"), false);
    txtCel = shownField(QStringLiteral("txtCel"), false);

    const QFont labelFont = Theme::verdana(10, true);
    auto label = [&](const char *name, const QString &text, QWidget *buddy) {
        QLabel *l = Theme::label(QString::fromLatin1(name), text, panContainer, buddy);
        l->setFont(labelFont);
        return l;
    };

    auto *when = new QGridLayout;
    when->setHorizontalSpacing(14);
    when->addWidget(label("lblData", QStringLiteral("Data appuntamento:"), txtData), 0, 0);
    when->addWidget(txtData, 0, 1);
    when->addWidget(label("lblOra", QStringLiteral("Ora appuntamento:"), txtOra), 0, 2);
    when->addWidget(txtOra, 0, 3);
    txtData->setFixedWidth(150);
    txtOra->setFixedWidth(90);
    when->setColumnStretch(4, 1);

    auto *who = new QGridLayout;
    who->setHorizontalSpacing(14);
    who->addWidget(label("lblContatto", QStringLiteral("Cognome e nome:"), txtContatto), 0, 0);
    who->addWidget(txtContatto, 0, 1);
    who->addWidget(label("lblCel", QStringLiteral("Cellulare:"), txtCel), 1, 0);
    who->addWidget(txtCel, 1, 1);
    txtCel->setMaximumWidth(260);

    auto *lblNota = new QLabel(QStringLiteral("Il promemoria si apre in WhatsApp Web, dove è possibile controllarlo "
                                              "prima di inviarlo al paziente."),
                               panContainer);
    lblNota->setObjectName(QStringLiteral("lblNota"));
    lblNota->setWordWrap(true);
    lblNota->setStyleSheet(Theme::sheet(Theme::Sheet::Note));

    btnWhatsApp = new PictureButton(QStringLiteral("btnWhatsApp"), QStringLiteral("whatsapp-send"),
                                    QStringLiteral("Invia messaggio"), panContainer);
    btnWhatsApp->setPictureSize(QSize(240, 60));
    btnWhatsApp->setToolTip(QStringLiteral("Invia il promemoria dell'appuntamento tramite WhatsApp"));
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Annulla"), panContainer);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnChiudi, 0, Qt::AlignVCenter);
    buttons->addStretch();
    buttons->addWidget(btnWhatsApp);

    auto *column = new QVBoxLayout(panContainer);
    column->setContentsMargins(16, 16, 16, 12);
    column->setSpacing(12);
    column->addWidget(icoIntestazione01);
    column->addLayout(when);
    column->addSpacing(6);
    column->addWidget(icoIntestazione02);
    column->addLayout(who);
    column->addStretch();
    column->addWidget(lblNota);
    column->addLayout(buttons);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 14);
    outer->addWidget(panContainer);

    setTabOrder(btnWhatsApp, btnChiudi);
    setTabOrder(btnChiudi, txtData);
    setTabOrder(txtData, txtOra);
    setTabOrder(txtOra, txtContatto);
    setTabOrder(txtContatto, txtCel);
    txtData->setText(appointment.Data.text());
    txtOra->setText(appointment.Ora.text());
    txtContatto->setText(appointment.Contatto.text());
    txtCel->setText(appointment.Cel.text());

    connect(btnWhatsApp, &PictureButton::clicked, this, &TfrmWhatsApp_Message::btnWhatsAppClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmWhatsApp_Message::btnChiudiClick);
}

void TfrmWhatsApp_Message::FormShow() { btnWhatsApp->setFocus(); }

void TfrmWhatsApp_Message::btnWhatsAppClick()
{
    // A reminder that could not leave keeps its window: the user may try again, or copy the
    // number and write to the patient another way.
    const QString link =
        MessageLinks::whatsApp(txtCel->text(), MessageLinks::reminderText(txtOra->text(), txtData->text()));
    if (TMisc::Open(link))
        accept();
}

void TfrmWhatsApp_Message::btnChiudiClick() { reject(); }
