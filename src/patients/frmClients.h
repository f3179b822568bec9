#pragma once

#include "ui/WorkWindow.h"

#include <QList>

class HintStrip;
class PictureButton;
class QLabel;
class QLineEdit;
struct TPatientRecord;
namespace Attachments {
struct Texts;
}

// The patient card window: one patient card at a time, browsed record by record through
// the patient archive, saved by appending or overwriting. Its controls are the card's only
// copy of the data; the windows opened from it read and write them directly.
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

    // Hidden controls that carry the rest of the record: the 32 tooth texts (edited by the
    // dental chart window) and the three attachments (edited by the attach window).
    QWidget *panDenti;
    QLineEdit *txtDente01, *txtDente02, *txtDente03, *txtDente04, *txtDente05, *txtDente06, *txtDente07,
        *txtDente08, *txtDente09, *txtDente10, *txtDente11, *txtDente12, *txtDente13, *txtDente14, *txtDente15,
        *txtDente16, *txtDente17, *txtDente18, *txtDente19, *txtDente20, *txtDente21, *txtDente22, *txtDente23,
        *txtDente24, *txtDente25, *txtDente26, *txtDente27, *txtDente28, *txtDente29, *txtDente30, *txtDente31,
        *txtDente32;
    QWidget *panAllegati;
    QLabel *lblFile01;
    QLabel *lblFile02;
    QLabel *lblFile03;
    QLabel *lblDesc01;
    QLabel *lblDesc02;
    QLabel *lblDesc03;

    HintStrip *panInfo;

    // Tooth 1 to 32.
    QLineEdit *dente(int tooth) const;

    // Empties the 64 data controls and lblPosizione and puts the focus on txtName.
    void clearCard();
    // Every control takes its field's trimmed text (hidden ones included); lblPosizione is
    // left to the caller and the focus stays where it was.
    void loadRecord(const TPatientRecord &record);
    // Every field takes its control's trimmed text, cut to the field's capacity.
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

    // The patient tools (patients/PatientTools): the windows they open hand values back.
    // A card found or picked from a list: its record and position, replacing the card shown.
    void loadCard(qint64 position, const TPatientRecord &record);
    // The six attachment texts (trimmed) and back.
    Attachments::Texts attachmentTexts() const;
    void setAttachmentTexts(const Attachments::Texts &texts);
    void cmdFindClick();
    void cmdDefaultingClick();
    void cmdAttachClick();
    void btnFolderClick();
    void btnEmailClick();
    void icoIssuesClick();
    void btnCodFiscClick();
    void btnPartitaIvaClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void resetEntryLimits();
    void buildButtonBar();
    void buildLeftColumn();
    void buildFields();
    void buildHiddenControls();
    void buildTabOrder();

    // The control of each record field, in file order.
    QList<QWidget *> m_recordControls;
    // The entry fields in Enter order, with their entry limits.
    QList<QLineEdit *> m_entryFields;
    QList<int> m_entryLimits;
};
