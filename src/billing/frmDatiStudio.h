#pragma once

#include "billing/PracticeData.h"
#include "ui/Dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// "Dati dello studio": the practice's administrative data printed on its invoices and
// estimates. Shown as read from "Dati_Studio.ini"; "Salva" checks the codice fiscale and the
// partita IVA with the program's tax checks and writes the file crash-safe, then closes.
// The exemption wording follows the regime while it is the regime's own.
class TfrmDatiStudio : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmDatiStudio(QWidget *parent);

    QLineEdit *txtDenominazione;
    QLineEdit *txtTitolare;
    QLineEdit *txtCodiceFiscale;
    QLineEdit *txtPartitaIva;
    QLineEdit *txtAlboProvincia;
    QLineEdit *txtAlboNumero;
    QLineEdit *txtIndirizzo;
    QLineEdit *txtCap;
    QLineEdit *txtCitta;
    QLineEdit *txtProvincia;
    QLineEdit *txtTelefono;
    QLineEdit *txtEmail;
    QLineEdit *txtPec;
    QLineEdit *txtIban;
    QComboBox *cmbRegime;
    QLineEdit *txtEsenzione;
    QCheckBox *chkBollo;
    QPushButton *btnSalva;
    QPushButton *btnChiudi;

    // The data as typed.
    PracticeData data() const;
    // False (and said why) when refused or when the file cannot be written.
    bool btnSalvaClick();

protected:
    void FormShow() override;

private:
    void show(const PracticeData &data);
    void regimeChanged();

    Money::Regime m_regime = Money::Regime::Ordinario;
};
