#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The small dialog that prints (or previews) the card on screen: a white panel explaining
// the operation, "Annulla" on the left and the action button on the right. It is owned by
// the card window and reads the card from it when the action button is pressed.
class TCardPrintDialog : public QDialog
{
    Q_OBJECT
public:
    struct Texts
    {
        QString objectName;
        QString caption;
        QString action; // the action button's caption
        QString heading;
        QString explanation;
        QString instruction;
        QString picture; // beside the instruction: a printer, or a screen for the preview
    };

    TCardPrintDialog(const Texts &texts, QWidget *parent);

    QWidget *shpSfondo;
    QLabel *imgTitolo;
    QLabel *lblSpiegazione;
    QLabel *imgDecoro;
    QFrame *shpSeparatore;
    QLabel *imgStampante;
    QLabel *lblIstruzioni;
    QPushButton *btnAnnulla;
    QPushButton *btnStampa;

    // Fills the document from the card, outputs it, closes the dialog.
    virtual void btnStampaClick() = 0;
    void btnAnnullaClick();

protected:
    // The card window the dialog was opened from.
    QWidget *card() const;
    void showEvent(QShowEvent *event) override;
};

// Prints the appointment card on screen.
class TfrmStampaScadenza : public TCardPrintDialog
{
    Q_OBJECT
public:
    explicit TfrmStampaScadenza(QWidget *parent);
    void btnStampaClick() override;
};

// Shows the appointment card on screen in the print preview.
class TfrmStartup : public TCardPrintDialog
{
    Q_OBJECT
public:
    explicit TfrmStartup(QWidget *parent);
    void btnStampaClick() override;
};

// Prints the patient card on screen.
class TfrmPrintClient : public TCardPrintDialog
{
    Q_OBJECT
public:
    explicit TfrmPrintClient(QWidget *parent);
    void btnStampaClick() override;
};
