#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QFrame;

// The login window: the first window the user sees.
class TfrmPassword : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);

    QWidget *panContainer;
    QLabel *imgLogo;
    QLabel *lblRigo05;
    QLineEdit *txtPassword;
    QFrame *effPassword;
    QPushButton *cmdOK;
    QPushButton *cmdEsci;
    QPushButton *btnCambiaPassword;

    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    // Shown again, its field empty and focused, when the password window closes.
    void comeBack();

signals:
    // The right password: the main menu (this window hides).
    void loggedIn();
    // "Cambia password": the change password window (this window hides).
    void changePasswordRequested();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void txtPasswordChange();
};
