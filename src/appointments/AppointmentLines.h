#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

struct TAppointmentRecord;

// The appointment list line and the rules of the lists that show it: the three status lists
// and the results of the appointment search. The list windows keep no record positions:
// a line finds its card again by rebuilding the line of every record.
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

// A list's lines with the record position of each, in the same order.
struct Lines
{
    QStringList texts;
    QList<qint64> positions;
    void append(QString text, qint64 position)
    {
        texts.append(std::move(text));
        positions.append(position);
    }
};

// Work on the appointment archive (opened or created, read, closed). The lines are appended
// to the list given, so that on a failure (StorageError) those found until then stay.
void statusLines(Status status, const QDate &today, Lines &lines);
void foundLines(const Criteria &criteria, Lines &lines);

} // namespace AppointmentLines
