#include "app/frmPasswordCopie.h"

#include "backup/Passphrase.h"
#include "platform/Messages.h"
#include "ui/Accessibility.h"
#include "ui/Theme.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kWidth = 520;

QLineEdit *passwordField(const QString &name, const QString &accessible, QWidget *parent)
{
    auto *f = new QLineEdit(parent);
    f->setObjectName(name);
    f->setAccessibleName(accessible);
    f->setEchoMode(QLineEdit::Password);
    f->setMaxLength(200);
    return f;
}

} // namespace

TfrmPasswordCopie::TfrmPasswordCopie(QWidget *parent, Mode mode, QString *result)
    : Dialog(parent, Place::OnOwner), m_mode(mode), m_result(result)
{
    const bool choose = mode == Mode::Choose;
    setObjectName(QStringLiteral("frmPasswordCopie"));
    setWindowTitle(QStringLiteral(" Password delle copie di sicurezza"));
    Theme::setGradient(this, "light");
    const int height = choose ? 290 : 210;
    Theme::makeFixedDialog(this, kWidth, height);

    QWidget *shpPassword = Theme::panel(QStringLiteral("shpPassword"), this);
    shpPassword->setGeometry(16, 16, kWidth - 32, height - 80);
    lblSpiegazione = new QLabel(
        choose ? QStringLiteral("Le copie di sicurezza sono cifrate con questa password, conservata su questo "
                                "computer. Senza di essa una copia non si ripristina su un altro computer: "
                                "stamparla sul foglio di recupero e tenerlo nella cassaforte dello studio.")
               : QStringLiteral("Questa copia è cifrata. Scrivere la password delle copie di sicurezza (è sul "
                                "foglio di recupero)."),
        shpPassword);
    lblSpiegazione->setObjectName(QStringLiteral("lblSpiegazione"));
    lblSpiegazione->setWordWrap(true);
    lblSpiegazione->setGeometry(14, 8, kWidth - 60, choose ? 72 : 48);
    const int top = choose ? 86 : 60;
    txtPassword =
        passwordField(QStringLiteral("txtPassword"), QStringLiteral("Password delle copie di sicurezza"), shpPassword);
    lblPassword = Theme::label(QStringLiteral("lblPassword"), QStringLiteral("Password delle copie di sicurezza:"),
                               shpPassword, txtPassword);
    lblPassword->setGeometry(14, top, 250, 28);
    txtPassword->setGeometry(264, top, kWidth - 60 - 250, 28);
    txtConferma = passwordField(QStringLiteral("txtConferma"), QStringLiteral("Ripetere la password"), shpPassword);
    lblConferma =
        Theme::label(QStringLiteral("lblConferma"), QStringLiteral("Ripetere la password:"), shpPassword, txtConferma);
    lblConferma->setGeometry(14, top + 38, 250, 28);
    txtConferma->setGeometry(264, top + 38, kWidth - 60 - 250, 28);
    lblForza = new QLabel(shpPassword);
    lblForza->setObjectName(QStringLiteral("lblForza"));
    lblForza->setGeometry(14, top + 80, kWidth - 60, 24);
    Accessibility::valueLabel(lblForza, QStringLiteral("Sicurezza della password"));
    lblConferma->setVisible(choose);
    txtConferma->setVisible(choose);
    lblForza->setVisible(choose);
    if (choose)
        lblForza->setText(Passphrase::strengthText(QString()));

    btnOK = Theme::textButton(QStringLiteral("btnOK"), QStringLiteral("OK"), this);
    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    btnOK->setGeometry(kWidth / 2 - 150, height - 52, 140, 36);
    btnAnnulla->setGeometry(kWidth / 2 + 10, height - 52, 140, 36);
    btnOK->setDefault(true);

    setTabOrder(txtPassword, txtConferma);
    setTabOrder(txtConferma, btnOK);
    setTabOrder(btnOK, btnAnnulla);
    connect(txtPassword, &QLineEdit::textChanged, this,
            [this](const QString &text) { lblForza->setText(Passphrase::strengthText(text)); });
    connect(btnOK, &QPushButton::clicked, this, &TfrmPasswordCopie::btnOKClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
    txtPassword->setFocus();
}

void TfrmPasswordCopie::btnOKClick()
{
    const QString passphrase = txtPassword->text();
    if (m_mode == Mode::Choose) {
        if (const QString problem = Passphrase::problemWith(passphrase, txtConferma->text()); !problem.isEmpty()) {
            Messages::warning(this, problem);
            txtPassword->setFocus();
            return;
        }
        QString problem;
        if (!Passphrase::store(passphrase, &problem)) {
            Messages::error(this, problem);
            return;
        }
    } else if (passphrase.isEmpty()) {
        txtPassword->setFocus();
        return;
    }
    if (m_result)
        *m_result = passphrase;
    accept();
}
