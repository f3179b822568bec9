#pragma once

#include "chart/Odontogram.h"
#include "storage/PatientRecord.h"
#include "ui/CardWindow.h"

#include <QList>
#include <QStringList>

#include <functional>

class HintStrip;
class PictureButton;
class QLabel;
class QLineEdit;

// The patient card window: one patient card at a time, browsed record by record through
// the patient archive, saved by appending or overwriting (the card window base). The fields
// show the record's fields; the teeth, which no control shows, are held beside them, the
// attachments in the card's record. Windows opened from it take and give values through
// record(), loadCard() and the tooth and attachment texts.
class TfrmClients : public CardWindowOf<TPatientRecord>
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
    PictureButton *btnMoney; // "FATTURE E PAGAMENTI"
    QLabel *lblSaldo;        // the patient's balance, from the provider; empty for a new card
    QLabel *imgPaziente;

    // Field area: the entry fields (made from the card's description, PatientCard), and the
    // icons beside four of them.
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

    // The card as values (the card window base): record(), position(), setPosition(),
    // loadCard(), loadRecord(), fillRecord(). The 32 tooth texts (tooth 1 first) and the six
    // attachment texts (the three files, then their three descriptions): no control shows
    // them. The tooth texts are held trimmed and whole, as typed, like the fields' texts, and
    // cut to their capacity when the card is saved; the attachment texts are kept in the
    // card's record, trimmed and cut as stored.
    QStringList toothTexts() const;
    void setToothTexts(const QStringList &texts);
    QStringList attachmentTexts() const;
    void setAttachmentTexts(const QStringList &texts);
    // The odontogram's changes applied from the chart, not yet saved with the card.
    QList<Odontogram::Entry> pendingStates() const { return m_pendingStates; }

    // Empties the card and lblPosizione and puts the focus on txtName.
    void clearCard() { newCard(); }

    void cmdNewClick();
    void cmdDuplicateClick();
    void cmdSaveClick();
    void cmdFirstClick() { showFirst(); }
    void cmdPreviousClick() { showPrevious(); }
    void cmdNextClick() { showNext(); }
    void cmdLastClick() { showLast(); }
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

    void btnMoneyClick();

    // The balance's words for the card at a position ("Saldo: in pari"), given by whoever
    // knows the money (the card does not): asked when a card is shown or saved.
    using BalanceText = std::function<QString(qint64 position)>;
    void setBalanceProvider(BalanceText provider);
    void refreshBalance();

signals:
    // "Esporta": the export window of the patient archive, over this one.
    void exportRequested();
    // "FATTURE E PAGAMENTI": the money window of the saved card at a position.
    void moneyRequested(qint64 position);

private:
    void buildButtonBar();
    void buildLeftColumn();
    void buildFieldArea();
    void placeField(const CardFields::Field &field, QWidget *control, QLabel *caption) override;

    void afterNewCard() override;
    void afterDuplicate() override;
    void beforeShowCard() override;
    bool afterSave(CardResult result) override;
    void showOwn(const TPatientRecord &record) override;
    void takeOwn(TPatientRecord &record) const override;

    // The card's 32 tooth texts as the dental chart handed them back (the record takes them
    // at a save).
    QStringList m_teeth = QStringList(32, QString());
    // The odontogram's changes applied from the chart and not yet saved: appended to the
    // patient's odontogram file after a save that wrote the card, dropped when a card is shown.
    QList<Odontogram::Entry> m_pendingStates;
    BalanceText m_balance;
};
