#include "app/frmInfo.h"

#include "ui/LinkLabel.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"
#include "platform/Misc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString TfrmInfo::kMakerEmail = QStringLiteral("info@sorrisa.example");

TfrmInfo::TfrmInfo(QWidget *parent) : Dialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Sorrisa"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 473, 579);

    shpSfondo = Theme::panel(QStringLiteral("shpSfondo"), this);
    imgLogo = Theme::picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), 328, 160, shpSfondo);
    auto *about = new QLabel(QStringLiteral("Sorrisa\nGestione dello studio dentistico\n\n"
                                            "Archivio pazienti con anamnesi e stato dentale,\n"
                                            "registro dei trattamenti e agenda degli appuntamenti\n"
                                            "con promemoria via WhatsApp ed e-mail.\n\n"
                                            "Per informazioni e assistenza scrivere a:"),
                             shpSfondo);
    about->setObjectName(QStringLiteral("lblDescrizione"));
    about->setAlignment(Qt::AlignCenter);
    about->setWordWrap(true);
    auto *box = new QVBoxLayout(shpSfondo);
    box->setContentsMargins(16, 20, 16, 20);
    box->addWidget(imgLogo, 0, Qt::AlignHCenter);
    box->addSpacing(10);
    box->addWidget(about);

    imgEmail = new PictureButton(QStringLiteral("imgEmail"), QStringLiteral("email"),
                                 QStringLiteral("Scrivi a ") + kMakerEmail, this);
    imgEmail->setPictureSize(QSize(32, 32));
    lnkWeb = new LinkLabel(QStringLiteral("lnkWeb"), kMakerEmail, this);
    lnkWeb->attachIcon(imgEmail);
    auto *link = new QHBoxLayout;
    link->addStretch();
    link->addWidget(imgEmail);
    link->addWidget(lnkWeb);
    link->addStretch();

    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnChiudi->setFont(Theme::verdana(12, true));

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 20);
    column->addWidget(shpSfondo, 1);
    column->addSpacing(8);
    column->addLayout(link);
    column->addSpacing(8);
    column->addWidget(btnChiudi, 0, Qt::AlignHCenter);

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmInfo::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
}

void TfrmInfo::lnkWebClick()
{
    TMisc::Open(QStringLiteral("\"mailto:") + kMakerEmail + QStringLiteral("?subject=Software Sorrisa&body=")
                + QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:\""));
}

void TfrmInfo::btnChiudiClick() { close(); }
