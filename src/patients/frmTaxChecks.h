#pragma once

#include "ui/Dialog.h"

class QLabel;
class QLineEdit;
class QPushButton;
class ListBanner;

// The two tax identifier checks, opened from the patient card with the card's value: the
// user may change it and press "Controlla"; the result is shown in a message box and the
// window closes. Nothing is written anywhere.
class TaxCheckWindow : public Dialog
{
    Q_OBJECT
public:
    ListBanner *imgBanner;
    QLabel *lblTitolo;
    QPushButton *btnControlla;
    QPushButton *btnChiudi;

    void btnChiudiClick();
    virtual void btnControllaClick() = 0;

protected:
    TaxCheckWindow(QWidget *parent, const char *objectName, const QString &caption, int width, const QString &banner,
                   const QString &picture, const QString &instruction);
    // Places the entry field and wires Enter in it to "Controlla".
    void placeField(QLineEdit *field, int fieldWidth);
    // Shows the handed value whole in the entry field, with the identifier's entry limit for
    // typing.
    void setValue(int limit, const QString &text);
    void FormShow() override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    QLineEdit *m_field = nullptr;
    bool m_digitsOnly = false; // only digits and a few editing keys reach the field
};

// The codice fiscale: 16 characters whose last is the check character of the others.
class TfrmCodFisc : public TaxCheckWindow
{
    Q_OBJECT
public:
    TfrmCodFisc(QWidget *parent, const QString &code);

    QLineEdit *txtCodFisc;

    void btnControllaClick() override;
};

// The partita IVA: 11 digits whose last is the check digit of the others; the office that
// issued it is named.
class TfrmPartitaIva : public TaxCheckWindow
{
    Q_OBJECT
public:
    TfrmPartitaIva(QWidget *parent, const QString &number);

    QLineEdit *txtPartitaIva;

    void btnControllaClick() override;
};
