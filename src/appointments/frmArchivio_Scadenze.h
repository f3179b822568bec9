#pragma once

#include "appointments/AppointmentLines.h"
#include "base/RecordCard.h"
#include "storage/AppointmentRecord.h"
#include "ui/WorkWindow.h"

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
struct TAppointmentRecord;
namespace PatientLines {
struct Contact;
}

// The appointment card window: one card of the appointment archive at a time, to create,
// duplicate, edit, save and browse. The card (a record and its position) is held by a Card;
// the controls show the record's fields (bound by the field table) and a save takes them
// back; lblPosizione shows the position, empty while the card is new. Windows opened from
// it take and give values: record(), loadCard(), showPosition(), setDate(), setContact().
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

    // The card as values. record() is the card as it stands, typed changes included;
    // position() is its record position (0 for a new card).
    TAppointmentRecord record() const;
    qint64 position() const;
    // Puts the card, as it stands, at a position (0: a new card), shown in lblPosizione.
    void setPosition(qint64 position);
    // Shows the record as the card at the position (0: a new card), by the loading rule.
    void loadCard(qint64 position, const TAppointmentRecord &record);
    // Reads the card at a position of the archive and shows it (a card picked from a list);
    // false, and nothing shown, when it cannot be read.
    bool showPosition(qint64 position);
    // The date picked in the date picker, into txtData.
    void setDate(const QDate &date);
    // A new card (as Nuovo makes it) with a date and a time filled in (the appointment book's
    // free slot): hours and minutes as two digits, the focus in txtAvviso.
    void newCardAt(const QDate &date, const QTime &time);
    // A patient's contact, from the patient archive: name, telephone, mobile number, e-mail
    // and payment method, into txtContatto, txtTel, txtCel, txtEmail and txtLuogo.
    void setContact(const QString &name, const QString &telephone, const QString &mobile, const QString &email,
                    const QString &payment);

    // The card's loading rule: the 15 texts trimmed into their controls, the check box
    // ticked for "Sì", cleared for "No", left alone otherwise; the position stays. No exit
    // rule runs on loaded values.
    void loadRecord(const TAppointmentRecord &record);
    // The record the card stands for: every field the trimmed text of its control, the time
    // composed from hours and minutes, the flag "Sì" or "No" from the check box.
    void fillRecord(TAppointmentRecord &record) const;
    // The contact import: name, telephone, mobile number, e-mail and payment method of a
    // patient; nothing else of the card changes, its position included.
    void importContact(const PatientLines::Contact &contact);

    void FormShow() override;
    // The status list of the given kind, from which a double-click reopens a card here.
    void openStatusList(AppointmentLines::Status status);
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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clearCard();
    void runExitRule(QObject *field);
    void showCard();
    void report(CardResult result);

    mutable RecordCard<TAppointmentRecord> m_card;
    QList<std::pair<RecordField, QWidget *>> m_bindings; // file order
    ListOnlyCombo *m_hours;
    ListOnlyCombo *m_minutes;
};
