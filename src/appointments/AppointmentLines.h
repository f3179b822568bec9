#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct TAppointmentRecord;

// The appointment list line and the rules of the lists that show it: the three status lists
// and the results of the appointment search. Each listed line keeps the position of its
// record, so that a double-click reopens that very card even when two cards read alike.
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

// Work on the appointment archive (opened or created, read, closed). The lines are appended
// to the list given, so that on a failure (StorageError) those found until then stay; when
// asked, each line's record position is appended beside it.
void statusLines(Status status, const QDate &today, QStringList &lines, QList<qint64> *positions = nullptr);
void foundLines(const Criteria &criteria, QStringList &lines, QList<qint64> *positions = nullptr);
// The record at a position (StorageError when the file cannot be read or holds no such record).
TAppointmentRecord cardAt(qint64 position);
// The position of the last record whose line equals the given one, both trimmed, with the
// record in out; 0 when none does.
qint64 lastWithLine(const QString &line, TAppointmentRecord &out);

} // namespace AppointmentLines
