#pragma once

#include "print/Report.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// The card documents: one A4 portrait page, a heading bar, one framed row per field with its
// label on the left and its value on the right, and a foot bar with the date and time of
// printing. Every value prints on one line, cut at the right edge of its box.
namespace CardDocuments {

struct Row
{
    QString label;
    QString name; // the value box, named as the card control it shows
};

// "dd/mm/yyyy alle ore hh:mm:ss"
QString moment(const QDateTime &now);

// The appointment card as it is on screen, each text as its control holds it.
struct AppointmentCard
{
    QString txtData, txtOreApp, txtMinutiApp, txtTipologia, txtCausale, txtDettagli, txtContatto, txtTel, txtCel,
        txtEmail, txtLuogo, txtImporto, txtNote;
    bool chkOttemperata = false;
};

// The card a record stands for: the texts of its fields, the tick set for "Sì".
AppointmentCard appointmentFrom(const TAppointmentRecord &record);

const QList<Row> &appointmentRows();
Report::Document appointmentDesign();
// Every value trimmed; the time composed from hours and minutes; "Sì" or "No" for the tick.
Report::Document appointmentCard(const AppointmentCard &card, const QDateTime &now);

// The patient card: the text of each of its 26 data fields by control name (txtName, ...).
const QList<Row> &patientRows();
Report::Document patientDesign();
Report::Document patientCard(const QHash<QString, QString> &fields, const QDateTime &now);
// The texts of a record's fields by control name, through the record's field table.
QHash<QString, QString> patientFrom(const TPatientRecord &record);

} // namespace CardDocuments
