#pragma once

#include <QWidget>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// Replaces the access password; reached from the login window, which it hides meanwhile and
// which comes back when this window closes (closed).
class TfrmCambiaPassword : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

    QWidget *panContainer;
    QLabel *imgLogo;
    QLabel *lblRigo05;
    QLabel *lblRigo06;
    QLabel *lblRigo07;
    QLineEdit *txtPasswordOld;
    QLineEdit *txtPasswordNew;
    QLineEdit *txtConferma;
    QFrame *effPasswordOld;
    QFrame *effPasswordNew;
    QFrame *effConferma;
    QPushButton *cmdEsci;
    QPushButton *cmdOK;

    void cmdOKClick();
    void cmdEsciClick();

signals:
    void closed();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void FormClose();
    void fieldsChange();
};
