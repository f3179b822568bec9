#pragma once

#include "patients/PatientLines.h"

#include "ui/Dialog.h"

class FixedList;
class FocusFrame;
class ListPage;
class QLabel;
class QLineEdit;
class QPushButton;
struct TPatientRecord;

// Find patients: up to ten partial-text filters on the search page; the matching patients
// listed on the result page, from which a double-click gives the chosen patient back to the
// window that opened this one, as the caller tag in lblMemory says: "clients" the whole card
// and its position (cardChosen), "scadenze" the contact data (contactChosen).
class TfrmFindClients : public Dialog
{
    Q_OBJECT
public:
    TfrmFindClients(QWidget *parent, const QString &callerTag);

    // Search page.
    QWidget *panAvvio;
    QWidget *imgIstruzioni;
    QLineEdit *txtName, *txtTaxNumber, *txtStreet, *txtCity, *txtSSN, *txtProblems, *txtDentist, *txtTimes, *txtStatus,
        *txtNotes;
    QPushButton *btnAnnulla;
    QLabel *lblAttendere;
    QPushButton *btnCerca;
    QLabel *lblConta;
    QLabel *lblMemory;

    // Result page.
    ListPage *panContainer;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QLabel *lblTrovate;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;

    // The filters as typed.
    PatientLines::Criteria criteria() const;
    // The yellow highlight behind a search field (effCampo01 to effCampo10).
    QWidget *highlightOf(QLineEdit *field) const;

    void FormShow() override;
    void FormClose() override;
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();
    void btnChiudiClick();
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();

signals:
    void cardChosen(qint64 position, const TPatientRecord &record);
    void contactChosen(const PatientLines::Contact &contact);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLineEdit *> m_fields; // in the Enter cycle's order
    QList<FocusFrame *> m_frames;
};
