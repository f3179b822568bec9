#pragma once

#include "patients/PatientLines.h"

#include "print/ListPrint.h"
#include "ui/SearchDialog.h"

class QLineEdit;
class QWidget;
struct TPatientRecord;

// Find patients: up to ten partial-text filters on the criteria page; the matching patients
// listed on the results page, from which a double-click gives the chosen patient back to the
// window that opened this one, as its mode says: the patient card takes the whole card and
// its position (cardChosen), the appointment card the contact data (contactChosen).
class TfrmFindClients : public PrintedList<SearchDialog>
{
    Q_OBJECT
public:
    enum class Mode {
        PatientCard,     // cardChosen
        AppointmentCard, // contactChosen
    };
    Q_ENUM(Mode)
    TfrmFindClients(QWidget *parent, Mode mode);

    Mode mode() const { return m_mode; }

    // Criteria page.
    QWidget *imgIstruzioni;
    QLineEdit *txtName, *txtTaxNumber, *txtStreet, *txtCity, *txtSSN, *txtProblems, *txtDentist, *txtTimes, *txtStatus,
        *txtNotes;

    // The filters as typed.
    PatientLines::Criteria criteria() const;

signals:
    void cardChosen(qint64 position, const TPatientRecord &record);
    void contactChosen(const PatientLines::Contact &contact);

protected:
    int filledCount() const override;
    SharedLines search() const override;
    void choose(qint64 position) override;

private:
    Mode m_mode;
};
