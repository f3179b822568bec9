#include "billing/frmAmministrazione.h"

#include "billing/frmDatiStudio.h"
#include "billing/frmListino.h"
#include "billing/frmMoneyLists.h"
#include "platform/Modal.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QPushButton>

TfrmAmministrazione::TfrmAmministrazione(QWidget *parent) : Dialog(parent, Place::OnOwner)
{
    setObjectName(QStringLiteral("frmAmministrazione"));
    setWindowTitle(QStringLiteral(" Sorrisa - Amministrazione studio"));
    Theme::setGradient(this, "steel");
    constexpr int kWidth = 420;
    Theme::makeFixedDialog(this, kWidth, 470);

    imgBanner = new ListBanner(QStringLiteral("imgBanner"), QStringLiteral("AMMINISTRAZIONE"),
                               QStringLiteral("banknote"), QString(), this, ListBanner::Tint::Blue);
    imgBanner->setTitlePixels(22);
    imgBanner->setTitleColour(Theme::colour(Theme::Colour::Heading));
    imgBanner->setGeometry(10, 10, kWidth - 20, 53);

    int top = 78;
    auto button = [&](const char *name, const QString &caption) {
        QPushButton *b = Theme::textButton(QString::fromLatin1(name), caption, this);
        b->setGeometry(60, top, kWidth - 120, 42);
        top += 52;
        return b;
    };
    btnDatiStudio = button("btnDatiStudio", QStringLiteral("Dati dello studio"));
    btnListino = button("btnListino", QStringLiteral("Listino prestazioni"));
    btnRegistro = button("btnRegistro", QStringLiteral("Registro fatture"));
    btnIncassi = button("btnIncassi", QStringLiteral("Incassi"));
    btnSaldi = button("btnSaldi", QStringLiteral("Pazienti con saldo da pagare"));
    btnSistemaTS = button("btnSistemaTS", QStringLiteral("Invio dati al Sistema TS"));
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnChiudi->setGeometry((kWidth - 140) / 2, top + 6, 140, 36);

    connect(btnDatiStudio, &QPushButton::clicked, this, &TfrmAmministrazione::btnDatiStudioClick);
    connect(btnListino, &QPushButton::clicked, this, &TfrmAmministrazione::btnListinoClick);
    connect(btnRegistro, &QPushButton::clicked, this, &TfrmAmministrazione::btnRegistroClick);
    connect(btnIncassi, &QPushButton::clicked, this, &TfrmAmministrazione::btnIncassiClick);
    connect(btnSaldi, &QPushButton::clicked, this, &TfrmAmministrazione::btnSaldiClick);
    connect(btnSistemaTS, &QPushButton::clicked, this, &TfrmAmministrazione::stsRequested);
    connect(btnChiudi, &QPushButton::clicked, this, &QWidget::close);
    btnDatiStudio->setFocus();
}

void TfrmAmministrazione::btnDatiStudioClick() { Modal::run(new TfrmDatiStudio(this)); }
void TfrmAmministrazione::btnListinoClick() { Modal::run(new TfrmListino(this)); }
void TfrmAmministrazione::btnRegistroClick() { Modal::run(new TfrmRegistroFatture(this)); }
void TfrmAmministrazione::btnIncassiClick() { Modal::run(new TfrmIncassi(this)); }
void TfrmAmministrazione::btnSaldiClick() { Modal::run(new TfrmSaldi(this)); }
