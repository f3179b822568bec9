#include "app/frmPassword.h"

#include "app/PasswordStore.h"
#include "app/frmAvvio.h"
#include "app/frmCambiaPassword.h"
#include "ui/FocusFrame.h"
#include "ui/Theme.h"
#include "platform/Application.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TfrmPassword::TfrmPassword(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPassword"));
    setWindowTitle(QStringLiteral(" Sorrisa - Accesso"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 388, 405);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));

    auto *shpSfondo = Theme::panel(QStringLiteral("shpSfondo"), panContainer);
    imgLogo = Theme::picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), 328, 160, shpSfondo);
    auto *logoBox = new QVBoxLayout(shpSfondo);
    logoBox->setContentsMargins(0, 0, 0, 0);
    logoBox->addWidget(imgLogo, 0, Qt::AlignCenter);

    auto *shpTitolo = Theme::panel(QStringLiteral("shpTitolo"), panContainer);
    txtPassword = new QLineEdit;
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setFont(Theme::verdana(14, true));
    auto *frame = new FocusFrame(txtPassword, QStringLiteral("effPassword"), shpTitolo);
    effPassword = frame->frame();
    lblRigo05 = Theme::label(QStringLiteral("lblRigo05"), QStringLiteral("Immetti la password e premi OK."), shpTitolo,
                             txtPassword);
    txtPassword->setAccessibleName(QStringLiteral("Password"));
    lblRigo05->setAlignment(Qt::AlignCenter);

    cmdOK = Theme::textButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), shpTitolo);
    cmdEsci = Theme::textButton(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), shpTitolo);
    btnCambiaPassword =
        Theme::textButton(QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"), shpTitolo);
    cmdOK->setEnabled(false);

    auto *entry = new QVBoxLayout(shpTitolo);
    entry->setContentsMargins(16, 12, 16, 14);
    entry->setSpacing(8);
    entry->addWidget(lblRigo05);
    entry->addWidget(frame);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsci);
    entry->addLayout(buttons);
    entry->addWidget(btnCambiaPassword);

    auto *column = new QVBoxLayout(panContainer);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(10);
    column->addWidget(shpSfondo);
    column->addWidget(shpTitolo);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 14);
    outer->addWidget(panContainer);

    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    txtPassword->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        Theme::centreOnScreen(this);
        FormShow();
    }
}

void TfrmPassword::FormShow()
{
    activateWindow();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent *event)
{
    // The window has no close button; closing it any other way leaves the program too.
    event->accept();
    Application::terminate();
}

void TfrmPassword::txtPasswordChange() { cmdOK->setEnabled(!AnsiText::isBlank(txtPassword->text())); }

bool TfrmPassword::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtPassword) {
        if (event->type() == QEvent::KeyRelease)
            txtPasswordChange();
        else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                if (!AnsiText::isBlank(txtPassword->text()))
                    cmdOKClick();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmPassword::cmdOKClick()
{
    QString stored;
    try {
        stored = PasswordStore::read(ProgramFolder::file(PasswordStore::kFileName));
    } catch (const PasswordStore::Error &) {
        Messages::plain(this, QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                                             "della password. Si consiglia di reinstallare il software."));
        return;
    }
    if (PasswordStore::normalForm(txtPassword->text()) == stored) {
        emit loggedIn();
        hide();
        return;
    }
    Messages::plain(this, QStringLiteral("Attenzione: password errata."));
    txtPassword->clear();
    txtPassword->setFocus();
}

void TfrmPassword::cmdEsciClick() { close(); }

void TfrmPassword::comeBack()
{
    txtPassword->clear();
    show();
    activateWindow();
    txtPassword->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::btnCambiaPasswordClick()
{
    emit changePasswordRequested();
    hide();
}
