#pragma once

#include "ui/WorkWindow.h"

class HintStrip;
class ListOnlyCombo;
class PictureButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
struct TAppointmentRecord;
namespace PatientLines {
struct Contact;
}

// The appointment card window: one card of the appointment archive at a time, to create,
// duplicate, edit, save and browse. The window works on its controls: a load fills them
// from a record, a save builds a record from them; lblPosizione holds the 1-based position
// of the card in the archive, empty while the card is new.
class TfrmArchivio_Scadenze : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmArchivio_Scadenze(QWidget *parent = nullptr);

    QWidget *panContainer;
    QFrame *imgTitolo;
    QLineEdit *txtData;
    PictureButton *impData;
    QComboBox *txtOreApp;
    QComboBox *txtMinutiApp;
    QLabel *lblOra;
    QLineEdit *txtAvviso;
    QLineEdit *txtTipologia;
    QLineEdit *txtCausale;
    QLineEdit *txtDettagli;
    QLineEdit *txtContatto;
    PictureButton *impContatto;
    QLineEdit *txtTel;
    QLineEdit *txtCel;
    PictureButton *btnWhatsApp;
    QLineEdit *txtEmail;
    PictureButton *btnEmail;
    QLineEdit *txtLuogo;
    QLineEdit *txtImporto;
    QLineEdit *txtNote;
    QCheckBox *chkOttemperata;
    QLabel *lblPosizione;
    QPushButton *btnFocus;
    HintStrip *panInfo;

    PictureButton *cmdNuovo;
    PictureButton *cmdDuplica;
    PictureButton *cmdSalva;
    PictureButton *cmdTrova;
    PictureButton *cmdAnteprima;
    PictureButton *cmdStampa;
    PictureButton *cmdAssolti;
    PictureButton *cmdDaAssolvere;
    PictureButton *cmdScaduti;
    PictureButton *cmdEsporta;
    PictureButton *cmdGuida;
    PictureButton *cmdEsci;
    PictureButton *cmdPrimo;
    PictureButton *cmdIndietro;
    PictureButton *cmdAvanti;
    PictureButton *cmdUltimo;

    // The card's loading rule: the 15 texts trimmed into their controls, the check box
    // ticked for "Sì", cleared for "No", left alone otherwise. lblPosizione is left to the
    // caller. No exit rule runs on loaded values.
    void loadRecord(const TAppointmentRecord &record);
    // The record the card stands for: every field the trimmed text of its control, the time
    // composed from hours and minutes, the flag "Sì" or "No" from the check box.
    void fillRecord(TAppointmentRecord &record) const;
    // The contact import: name, telephone, mobile number, e-mail and payment method of a
    // patient; nothing else of the card changes, its position included.
    void importContact(const PatientLines::Contact &contact);

    void FormShow();
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdTrovaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdAssoltiClick();
    void cmdDaAssolvereClick();
    void cmdScadutiClick();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void impDataClick();
    void impContattoClick();
    void btnWhatsAppClick();
    void btnEmailClick();

    // Exit rules, run when a field loses the focus (and by Salva for the field being edited).
    void txtOreAppExit();
    void txtMinutiAppExit();
    void txtAvvisoExit();
    void txtImportoExit();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearCard();
    void runExitRule(QObject *field);
    // The number in lblPosizione: 0 when empty; false when it is no position at all.
    bool readPosition(qint64 &position) const;

    ListOnlyCombo *m_hours;
    ListOnlyCombo *m_minutes;
};
