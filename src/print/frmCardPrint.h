#pragma once

#include "print/CardDocuments.h"
#include "ui/Dialog.h"

#include <QList>

class QFrame;
class QLabel;
class QPushButton;

// The small dialog that prints (or previews) the card on screen: a white panel explaining
// the operation, "Annulla" on the left and the action button on the right. It is owned by
// the card window and takes the card's printed rows (CardDocuments::rows) when it is made.
class TCardPrintDialog : public Dialog
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
    void FormShow() override;
};

// Prints the appointment card.
class TfrmStampaScadenza : public TCardPrintDialog
{
    Q_OBJECT
public:
    TfrmStampaScadenza(const QList<CardDocuments::Row> &rows, QWidget *parent);
    void btnStampaClick() override;

private:
    QList<CardDocuments::Row> m_rows;
};

// Shows the appointment card in the print preview.
class TfrmStartup : public TCardPrintDialog
{
    Q_OBJECT
public:
    TfrmStartup(const QList<CardDocuments::Row> &rows, QWidget *parent);
    void btnStampaClick() override;

private:
    QList<CardDocuments::Row> m_rows;
};

// Prints the patient card.
class TfrmPrintClient : public TCardPrintDialog
{
    Q_OBJECT
public:
    TfrmPrintClient(const QList<CardDocuments::Row> &rows, QWidget *parent);
    void btnStampaClick() override;

private:
    QList<CardDocuments::Row> m_rows;
};
