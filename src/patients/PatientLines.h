#pragma once

#include "base/LineSource.h"

#include <QList>
#include <QString>
#include <QStringList>

struct TPatientRecord;

// The patient lists: the line of the find-patients results and of the pending issues, the
// filters of the search, their order, and the contact data the appointment card imports.
// Every listed line keeps the position of the record it stands for, so that a double-click
// loads that very card even when two patients give the same line.
namespace PatientLines {

// Name(30) "  Cel. " mobile(20) "  Dentista: " dentist(28) "  Note: " notes, each column
// trimmed and padded or cut to its width, the notes whole.
QString line(const TPatientRecord &record);
// The same first columns, then two blanks and the pending issue, whole.
QString issueLine(const TPatientRecord &record);
// A card is listed among the pending issues when its trimmed issue is not empty.
bool hasIssue(const TPatientRecord &record);

// The ten search fields, as typed.
struct Criteria
{
    QString txtName, txtTaxNumber, txtStreet, txtCity, txtSSN, txtProblems, txtDentist, txtTimes, txtStatus, txtNotes;
};
// A filter is active when its text is not blank.
int activeCount(const Criteria &criteria);
// Every active filter, as typed (not trimmed) with A to Z folded to a to z, occurs in its
// record field as stored (not trimmed) folded alike; no other letter is folded.
bool matches(const Criteria &criteria, const TPatientRecord &record);

// Lines and, for each, the position of its record.
struct Listing
{
    QStringList lines;
    QList<qint64> positions;
    qsizetype size() const { return lines.size(); }
};
// The lists' order (base/LineOrder.h): character codes, with a to z taken as A to Z. Equal
// lines keep their file order.
bool lineLess(const QString &a, const QString &b);
void sort(Listing &listing);

// Work on the patient archive (opened or created, read, closed). Lines are appended in file
// order, unsorted, so that on a failure (StorageError) those found until then stay. Every
// line is built whole: the lists below must give exactly these lines, in this order once
// sorted.
void foundLines(const Criteria &criteria, Listing &out);
void issueLines(Listing &out);

// The same lists as the windows show them, sorted in the lists' order, each line kept as its
// record position only and built from the record when it is shown, searched or printed.
// Find patients throws StorageError and lists nothing on a failure; the pending issues list
// the cards read until a failure.
SharedLines foundSource(const Criteria &criteria);
SharedLines issueSource();
// The record at a position (StorageError when the file cannot be read or holds no such record).
TPatientRecord readCard(qint64 position);

// What the appointment card takes from a patient: name, telephone, mobile number, e-mail and
// payment method, each trimmed.
struct Contact
{
    QString name, homePhone, mobilePhone, email, payment;
};
Contact contactOf(const TPatientRecord &record);

} // namespace PatientLines
