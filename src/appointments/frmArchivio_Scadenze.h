#pragma once

#include "appointments/AppointmentLines.h"
#include "print/CardDocuments.h"
#include "storage/AppointmentRecord.h"
#include "ui/CardWindow.h"

#include <QDate>

class HintStrip;
class ListOnlyCombo;
class PictureButton;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
namespace PatientLines {
struct Contact;
}

// The appointment card window: one card of the appointment archive at a time, to create,
// duplicate, edit, save and browse (the card window base). The controls show the record's
// fields (made and bound from the card's description, AppointmentCard) and a save takes them
// back; lblPosizione shows the position, empty while the card is new. Windows opened from it take and give values:
// record(), loadCard(), showPosition(), setDate(), importContact().
class TfrmArchivio_Scadenze : public CardWindowOf<TAppointmentRecord>
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

    // The card as values (the card window base): record(), position(), setPosition(),
    // loadCard(), showPosition(). The loading rule (loadCard, loadRecord): the 15 texts
    // trimmed into their controls, the check box ticked for "Sì", cleared for "No", left
    // alone otherwise. No exit rule runs on loaded values. fillRecord() and record(): every
    // field the trimmed text of its control, the time composed from hours and minutes, the
    // flag "Sì" or "No" from the check box.

    // The date picked in the date picker, into txtData.
    void setDate(const QDate &date);
    // A new card (as Nuovo makes it) with a date and a time filled in (the appointment book's
    // free slot): hours and minutes as two digits, the focus in txtAvviso.
    void newCardAt(const QDate &date, const QTime &time);
    // The contact import: name, telephone, mobile number, e-mail and payment method of a
    // patient; nothing else of the card changes, its position included.
    void importContact(const PatientLines::Contact &contact);

    // The status list of the given kind, from which a double-click reopens a card here.
    void openStatusList(AppointmentLines::Status status);
    void cmdNuovoClick();
    void cmdDuplicaClick();
    void cmdSalvaClick();
    void cmdPrimoClick() { showFirst(); }
    void cmdIndietroClick() { showPrevious(); }
    void cmdAvantiClick() { showNext(); }
    void cmdUltimoClick() { showLast(); }
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

signals:
    // "Esporta": the export window of the appointment archive, over this one.
    void exportRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeField(const CardFields::Field &field, QWidget *control, QLabel *caption) override;
    // The card as it stands, in the rows of the printed card.
    QList<CardDocuments::Row> printedRows() const;
    void runExitRule(QObject *field);
    void afterNewCard() override;
    void afterDuplicate() override;

    ListOnlyCombo *m_hours;
    ListOnlyCombo *m_minutes;
};
