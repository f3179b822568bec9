#pragma once

#include "billing/Estimates.h"
#include "billing/Invoices.h"
#include "billing/Ledger.h"
#include "ui/Dialog.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

// The patient's side of the money: " Sorrisa - Fatture e pagamenti" for one saved patient
// card, and the windows it opens (estimate, payment, invoice, credit note). Each works on the
// program folder's billing files and reports an archive failure with the archive message.
namespace MoneyWindows {
// The patient's data as the invoice copies them, from the patient archive; the position
// alone when the card cannot be read.
Invoices::Patient patient(qint64 position);
// The balance's words for the card at a position ("Saldo: in pari"); empty when the files
// cannot be read.
QString balanceText(qint64 position);
// Writes the PDF of an issued document where it is kept (Invoices::pdfPath); false when it
// could not be written.
bool keepPdf(const Invoices::Invoice &invoice);
} // namespace MoneyWindows

// " Sorrisa - Fatture e pagamenti"
class TfrmFatturePagamenti : public Dialog
{
    Q_OBJECT
public:
    TfrmFatturePagamenti(qint64 patient, QWidget *parent);

    QLabel *lblPaziente;
    QLabel *lblSaldo;
    QListWidget *lstDocumenti;
    QPushButton *btnPreventivo;
    QPushButton *btnPagamento;
    QPushButton *btnFattura;
    QPushButton *btnNotaCredito;
    QPushButton *btnApri;
    QPushButton *btnChiudi;

    void btnPreventivoClick();
    void btnPagamentoClick();
    void btnFatturaClick();
    void btnNotaCreditoClick();
    void btnApriClick(); // the chosen estimate, or the chosen document's print preview
    void refresh();

signals:
    void changed(); // something was saved: the card's balance is to be read again

private:
    // What each line of the list stands for.
    struct Item
    {
        enum Kind { Estimate, Invoice, Payment } kind;
        DocumentNumber number;
    };
    QList<Item> m_items;
    qint64 m_patient;
};

// "Preventivo"
class TfrmPreventivo : public Dialog
{
    Q_OBJECT
public:
    // A new estimate for the patient, or the one given.
    TfrmPreventivo(qint64 patient, const std::optional<Estimates::Estimate> &estimate, QWidget *parent);

    QLabel *lblNumero;
    QPushButton *btnDalPiano;
    QTableWidget *tblRighe; // Dente, Descrizione, Quantità, Prezzo, Eseguita
    QLineEdit *txtDente;
    QLineEdit *txtDescrizione;
    QLineEdit *txtQuantita;
    QLineEdit *txtPrezzo;
    QPushButton *btnAggiungiRiga;
    QPushButton *btnTogliRiga;
    QLineEdit *txtSconto;
    QLineEdit *txtValidita;
    QComboBox *cboStato;
    QLabel *lblTotale;
    QPushButton *btnSalva;
    QPushButton *btnAnteprima;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;

    void btnDalPianoClick();
    void btnAggiungiRigaClick();
    void btnTogliRigaClick();
    bool btnSalvaClick(); // false when refused or not written
    void btnAnteprimaClick();
    void btnStampaClick();

    Estimates::Estimate estimate() const; // as the window stands

private:
    void showLines();
    void updateTotal();
    Estimates::Estimate m_estimate;
};

// "Pagamenti": a new payment of the patient.
class TfrmPagamento : public Dialog
{
    Q_OBJECT
public:
    TfrmPagamento(qint64 patient, QWidget *parent);

    QLineEdit *txtData;
    QLineEdit *txtImporto;
    QComboBox *cboModalita;
    QLineEdit *txtNote;
    QComboBox *cboRiferimento; // none, an estimate or an invoice of the patient
    QPushButton *btnSalva;
    QPushButton *btnAnnulla;

    bool btnSalvaClick();

private:
    qint64 m_patient;
    QList<Ledger::Payment> m_links; // the reference each entry of cboRiferimento stands for
};

// " Sorrisa - Fattura", also for a credit note of an invoice.
class TfrmFattura : public Dialog
{
    Q_OBJECT
public:
    TfrmFattura(qint64 patient, QWidget *parent);
    // A credit note of an invoice: its services, which may be taken off or changed to a part.
    TfrmFattura(const Invoices::Invoice &corrects, QWidget *parent);

    QListWidget *lstDaFatturare; // the treatments not yet invoiced
    QPushButton *btnAggiungiTrattamento;
    QLineEdit *txtDescrizione;
    QLineEdit *txtDente;
    QLineEdit *txtImporto;
    QPushButton *btnAggiungiRiga;
    QListWidget *lstRighe;
    QPushButton *btnTogliRiga;
    QLabel *lblTotale;
    QLineEdit *txtDataPagamento;
    QComboBox *cboModalita;
    QCheckBox *chkOpposizione;
    QPushButton *btnEmetti;
    QPushButton *btnAnnulla;

    void btnAggiungiTrattamentoClick();
    void btnAggiungiRigaClick();
    void btnTogliRigaClick();
    // Checks, asks to confirm, issues, keeps the PDF and offers the print. False when refused,
    // not confirmed or not written.
    bool btnEmettiClick();

    Invoices::Draft draft() const;
    const Invoices::Invoice &issued() const { return m_issued; }

private:
    void build();
    void showLines();
    Invoices::Draft m_draft;
    QList<Invoices::Line> m_uninvoiced;
    Invoices::Invoice m_issued;
};
