#include "app/frmCambiaPassword.h"

#include "app/PasswordStore.h"
#include "ui/FocusFrame.h"
#include "ui/Theme.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *passwordField(const QString &name)
{
    auto *f = new QLineEdit;
    f->setObjectName(name);
    f->setEchoMode(QLineEdit::Password);
    f->setFont(Theme::verdana(14, true));
    return f;
}

bool hasWideCharacter(const QString &text)
{
    for (QChar ch : text)
        if (ch.unicode() > 255)
            return true;
    return false;
}

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 411, 418);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));
    panContainer->setFixedSize(385, 390);

    auto *logoPanel = Theme::panel(QStringLiteral("shpLogo"), panContainer);
    imgLogo = Theme::picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), 246, 120, logoPanel);
    auto *logoBox = new QVBoxLayout(logoPanel);
    logoBox->setContentsMargins(0, 4, 0, 4);
    logoBox->addWidget(imgLogo, 0, Qt::AlignCenter);

    auto *shpSfondo = Theme::panel(QStringLiteral("shpSfondo"), panContainer);
    txtPasswordOld = passwordField(QStringLiteral("txtPasswordOld"));
    txtPasswordNew = passwordField(QStringLiteral("txtPasswordNew"));
    txtConferma = passwordField(QStringLiteral("txtConferma"));
    auto *frameOld = new FocusFrame(txtPasswordOld, QStringLiteral("effPasswordOld"), shpSfondo);
    auto *frameNew = new FocusFrame(txtPasswordNew, QStringLiteral("effPasswordNew"), shpSfondo);
    auto *frameConf = new FocusFrame(txtConferma, QStringLiteral("effConferma"), shpSfondo);
    effPasswordOld = frameOld->frame();
    effPasswordNew = frameNew->frame();
    effConferma = frameConf->frame();
    lblRigo05 =
        Theme::label(QStringLiteral("lblRigo05"), QStringLiteral("Vecchia password:"), shpSfondo, txtPasswordOld);
    lblRigo06 = Theme::label(QStringLiteral("lblRigo06"), QStringLiteral("Nuova password:"), shpSfondo, txtPasswordNew);
    lblRigo07 =
        Theme::label(QStringLiteral("lblRigo07"), QStringLiteral("Conferma nuova password:"), shpSfondo, txtConferma);

    cmdEsci = Theme::textButton(QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), shpSfondo);
    cmdOK = Theme::textButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), shpSfondo);
    cmdOK->setEnabled(false);

    auto *grid = new QVBoxLayout(shpSfondo);
    grid->setContentsMargins(16, 8, 16, 10);
    grid->setSpacing(2);
    grid->addWidget(lblRigo05);
    grid->addWidget(frameOld);
    grid->addWidget(lblRigo06);
    grid->addWidget(frameNew);
    grid->addWidget(lblRigo07);
    grid->addWidget(frameConf);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 8, 0, 0);
    buttons->addWidget(cmdEsci);
    buttons->addWidget(cmdOK);
    grid->addLayout(buttons);

    auto *column = new QVBoxLayout(panContainer);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    column->addWidget(logoPanel);
    column->addWidget(shpSfondo, 1);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panContainer, 0, Qt::AlignCenter);

    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);

    for (QLineEdit *f : {txtPasswordOld, txtPasswordNew, txtConferma}) {
        connect(f, &QLineEdit::textChanged, this, &TfrmCambiaPassword::fieldsChange);
        f->installEventFilter(this);
    }
    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

void TfrmCambiaPassword::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous()) {
        Theme::centreOnScreen(this);
        FormShow();
    }
}

void TfrmCambiaPassword::FormShow()
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    activateWindow();
    txtPasswordOld->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent *event)
{
    event->accept();
    FormClose();
}

void TfrmCambiaPassword::FormClose() { emit closed(); }

void TfrmCambiaPassword::fieldsChange()
{
    cmdOK->setEnabled(!AnsiText::isBlank(txtPasswordOld->text()) && !AnsiText::isBlank(txtPasswordNew->text())
                      && !AnsiText::isBlank(txtConferma->text()));
}

bool TfrmCambiaPassword::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        fieldsChange();
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter moves round the three fields; it never presses OK.
            if (watched == txtPasswordOld)
                txtPasswordNew->setFocus(Qt::TabFocusReason);
            else if (watched == txtPasswordNew)
                txtConferma->setFocus(Qt::TabFocusReason);
            else
                txtPasswordOld->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmCambiaPassword::cmdOKClick()
{
    static const QString failure =
        QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                       "Si consiglia di reinstallare il software.");
    const QString file = ProgramFolder::file(PasswordStore::kFileName);
    QString stored;
    try {
        stored = PasswordStore::read(file);
    } catch (const PasswordStore::Error &) {
        Messages::plain(this, failure);
        return;
    }
    if (PasswordStore::normalForm(txtPasswordOld->text()) != stored) {
        Messages::plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        txtPasswordOld->clear();
        txtPasswordOld->setFocus();
        return;
    }
    if (AnsiText::trimmed(txtPasswordNew->text()) != AnsiText::trimmed(txtConferma->text())) {
        Messages::plain(this, QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                             "E' necessario reinserire entrambi i valori."));
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    // Only the low eight bits of a character are kept when scrambling: a password with
    // other characters could never be typed again.
    if (hasWideCharacter(txtPasswordNew->text())) {
        Messages::plain(this, QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi "
                                             "(ad esempio il simbolo dell'euro). "
                                             "E' necessario reinserire entrambi i valori."));
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    try {
        PasswordStore::write(file, PasswordStore::normalForm(txtPasswordNew->text()));
    } catch (const PasswordStore::Error &) {
        Messages::plain(this, failure);
        return;
    }
    Messages::plain(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}

void TfrmCambiaPassword::cmdEsciClick() { close(); }
