#pragma once

#include "base/LineSource.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

struct TAppointmentRecord;

// The appointment list line and the rules of the lists that show it: the three status lists
// and the results of the appointment search. A list keeps the record position of each line
// and builds its text from the record when it is shown, searched or printed.
namespace AppointmentLines {

// "Data: " date(10) "  Ora: " time(5) "  " treatments(40) "  Paziente: " name(30)
// "  Cel. " mobile(14) "  Importo: € " amount, each column padded or cut to its width.
QString line(const TAppointmentRecord &record);

enum class Status { DaAssolvere, Scaduti, Assolti };
// To fulfil: flag "No". Past due: flag "No" and a date before today (a date that does not
// convert is not past due). Fulfilled: flag "Sì". Any other flag is in no list.
bool listed(Status status, const TAppointmentRecord &record, const QDate &today);

// The ten criteria of the appointment search, as typed.
struct Criteria
{
    QString txtData, txtOra, txtTipologia, txtCausale, txtDettagli, txtContatto, txtTel, txtCel, txtLuogo, txtNote;
};
// A criterion is filled when it is not blank.
int filledCount(const Criteria &criteria);
// Every filled criterion, as typed and with A to Z folded, occurs in its field folded alike.
bool matches(const Criteria &criteria, const TAppointmentRecord &record);

// The record positions of the cards of a status list, or of the cards the search finds, in
// file order, appended to the list given: on a failure (StorageError) the positions found
// until then stay. Work on the appointment archive (opened or created, read, closed).
void statusPositions(Status status, const QDate &today, std::vector<qint64> &positions);
void foundPositions(const Criteria &criteria, std::vector<qint64> &positions);

// The list lines of the cards at the given positions of the appointment archive, built
// when they are asked for.
SharedLines linesAt(std::vector<qint64> positions);

} // namespace AppointmentLines
