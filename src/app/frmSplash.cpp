#include "app/frmSplash.h"

#include "app/frmAvvio.h"
#include "ui/LinkLabel.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"
#include "platform/Misc.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmSplash::TfrmSplash(QWidget *parent) : Dialog(parent, Place::OnOwner)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral(" Sorrisa © 2026 Sorrisa Software - Tutti i diritti riservati"));
    Theme::setGradient(this, "brown");
    Theme::makeFixedDialog(this, 661, 467);

    imgLogo = Theme::picture(QStringLiteral("imgLogo"), QStringLiteral("splash"), 625, 380, this);
    imgWeb = new PictureButton(QStringLiteral("imgWeb"), QStringLiteral("web"),
                               QStringLiteral("Apri il sito web di Sorrisa"), this);
    imgWeb->setPictureSize(QSize(28, 28));
    lnkWeb = new LinkLabel(QStringLiteral("lnkWeb"), QStringLiteral("www.sorrisa.example"), this);
    lnkWeb->attachIcon(imgWeb);
    lnkWeb->setStyleSheet(Theme::sheet(Theme::Sheet::SplashLink));
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(imgWeb);
    bottom->addWidget(lnkWeb);
    bottom->addStretch();
    bottom->addWidget(btnChiudi);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(18, 14, 18, 14);
    column->addWidget(imgLogo, 0, Qt::AlignHCenter);
    column->addStretch();
    column->addLayout(bottom);

    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmSplash::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
}

void TfrmSplash::lnkWebClick() { TMisc::Open(TfrmAvvio::kWebSite); }

void TfrmSplash::btnChiudiClick() { close(); }
