#pragma once

#include "base/RecordCard.h"
#include "chart/Odontogram.h"
#include "storage/PatientRecord.h"
#include "ui/WorkWindow.h"

#include <QList>
#include <QStringList>

class HintStrip;
class PictureButton;
class QLabel;
class QLineEdit;
struct TPatientRecord;

// The patient card window: one patient card at a time, browsed record by record through
// the patient archive, saved by appending or overwriting. The card (a record and its
// position) is held by a Card; the fields show the record's fields; the teeth and
// attachments, which no control shows, are held beside them. Windows opened from it take and
// give values through record(), loadCard() and the tooth and attachment texts.
class TfrmClients : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmClients(QWidget *parent = nullptr);

    QWidget *panContainer;

    // Button bar.
    QWidget *shpGruppo01;
    QWidget *shpGruppo02;
    QWidget *shpGruppo03;
    QWidget *shpGruppo04;
    QWidget *shpGruppo05;
    QWidget *shpGruppo06;
    PictureButton *cmdNew;
    PictureButton *cmdDuplicate;
    PictureButton *cmdSave;
    PictureButton *cmdFind;
    PictureButton *cmdAttach;
    PictureButton *cmdPrint;
    PictureButton *cmdFirst;
    PictureButton *cmdPrevious;
    QLabel *lblPosizione; // the record position of the card shown; empty for a new card
    PictureButton *cmdNext;
    PictureButton *cmdLast;
    PictureButton *cmdExport;
    PictureButton *cmdDefaulting;
    PictureButton *cmdHelp;
    PictureButton *cmdClose;

    // Left column.
    QWidget *shpColonna;
    PictureButton *btnCondition;
    PictureButton *btnHistory;
    PictureButton *btnFolder;
    QLabel *imgPaziente;

    // Field area: the 26 entry fields in their reading order, and the icons beside four of them.
    QWidget *shpCampi;
    QLineEdit *txtName;
    QLineEdit *txtGender;
    QLineEdit *txtBirthDate;
    QLineEdit *txtBirthPlace;
    QLineEdit *txtStreet;
    QLineEdit *txtCity;
    QLineEdit *txtState;
    QLineEdit *txtZip;
    QLineEdit *txtCitizenship;
    QLineEdit *txtTaxNumber;
    QLineEdit *txtSSN;
    QLineEdit *txtEmail;
    QLineEdit *txtHomePhone;
    QLineEdit *txtMobilePhone;
    QLineEdit *txtOccupation;
    QLineEdit *txtWork;
    QLineEdit *txtPathologies;
    QLineEdit *txtDrugs;
    QLineEdit *txtAllergies;
    QLineEdit *txtProblems;
    QLineEdit *txtIssues;
    QLineEdit *txtCommunication;
    QLineEdit *txtDentist;
    QLineEdit *txtTimes;
    QLineEdit *txtStatus;
    QLineEdit *txtNotes;
    PictureButton *btnEmail;
    PictureButton *icoIssues;
    PictureButton *btnCodFisc;
    PictureButton *btnPartitaIva;

    HintStrip *panInfo;

    // The card as values, for the windows that read or edit it. record() is the card as it
    // stands, typed changes included; position() is its record position (0 for a new card).
    TPatientRecord record() const;
    qint64 position() const;
    // Puts the card, as it stands, at a position (0: a new card), shown in lblPosizione.
    void setPosition(qint64 position);
    // Shows the record as the card at the position (0: a new card) and puts the position in
    // lblPosizione; the focus stays where it was.
    void loadCard(qint64 position, const TPatientRecord &record);
    // The 32 tooth texts (tooth 1 first) and the six attachment texts (the three files, then
    // their three descriptions): no control shows them. The tooth texts are held trimmed and
    // whole, as typed, like the fields' texts, and cut to their capacity when the card is
    // saved; the attachment texts are kept in the card's record, trimmed and cut as stored.
    QStringList toothTexts() const;
    void setToothTexts(const QStringList &texts);
    QStringList attachmentTexts() const;
    void setAttachmentTexts(const QStringList &texts);
    // The odontogram's changes applied from the chart, not yet saved with the card.
    QList<Odontogram::Entry> pendingStates() const { return m_pendingStates; }

    // Empties the card and lblPosizione and puts the focus on txtName.
    void clearCard();
    // The record shown as the card, at the card's position.
    void loadRecord(const TPatientRecord &record);
    // The record the card stands for: every field its control's trimmed text, cut to the
    // field's capacity; the teeth and attachments as the card holds them.
    void fillRecord(TPatientRecord &record) const;

    void cmdNewClick();
    void cmdDuplicateClick();
    void cmdSaveClick();
    void cmdFirstClick();
    void cmdPreviousClick();
    void cmdNextClick();
    void cmdLastClick();
    void cmdCloseClick();
    void cmdPrintClick();
    void cmdHelpClick();
    void btnConditionClick();
    void btnHistoryClick();
    void cmdExportClick();

    // The patient tools (patients/PatientTools): the windows they open hand values back.
    void cmdFindClick();
    void cmdDefaultingClick();
    void cmdAttachClick();
    void btnFolderClick();
    void btnEmailClick();
    void icoIssuesClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow() override;
    void resetEntryLimits();
    void buildButtonBar();
    void buildLeftColumn();
    void buildFields();
    void buildTabOrder();

    // Shows the card's record in the fields and its position in lblPosizione.
    void showCard();
    // The fields' texts into the card's record.
    void takeFields() const;
    void report(CardResult result);

    mutable RecordCard<TPatientRecord> m_card;
    // The card's 32 tooth texts as the dental chart handed them back (the record takes them
    // at a save).
    QStringList m_teeth = QStringList(32, QString());
    // The odontogram's changes applied from the chart and not yet saved: appended to the
    // patient's odontogram file after a successful save, dropped when another card is shown.
    QList<Odontogram::Entry> m_pendingStates;
    // The field bound to each record field that has one (by the field table), in file order.
    struct Binding
    {
        RecordField field;
        QLineEdit *edit;
    };
    QList<Binding> m_bindings;
    // The entry fields in Enter order, with their entry limits.
    QList<QLineEdit *> m_entryFields;
    QList<int> m_entryLimits;
};
