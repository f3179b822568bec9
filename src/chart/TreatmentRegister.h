#pragma once

#include "base/Amount.h"
#include "storage/TreatmentRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

// The treatment register of one patient, without its window: the list line of a treatment,
// the listing of the file with each line's record position, the total in whole cents, the
// amount typing rule and the texts the window shows.
namespace TreatmentRegister {

// "Data: 03/04/2024   Ora: 09:30   Servizi: <50>  Dentista: <28>  Costo: € 80,00": each
// field trimmed, the first four padded or cut to their columns, the amount as stored.
QString line(const TTreatmentRecord &record);

// An amount of the file in cents; one that is not a number (only possible from outside the
// program) counts as zero.
qint64 cents(const QString &importo);

// "€ 60,65"
QString totalText(const Amount::Sum &total);

// The records of a file that are listed (those with an amount), in file order.
struct Listing
{
    QStringList lines;
    QList<qint64> positions; // the record position of each line
    Amount::Sum total;       // exact, whatever the number and size of the amounts
};

// Reads the file (created empty when missing). Throws StorageError.
Listing read(const QString &path);
// The record at a position. Throws StorageError.
TTreatmentRecord readAt(const QString &path, qint64 position);
// Writes the record: appended when position is 0, else over the record at that position.
// Returns the record's position. Throws StorageError.
qint64 save(const QString &path, const TTreatmentRecord &record, qint64 position);

// The five fields in the window's order, each trimmed and cut to its capacity.
TTreatmentRecord record(const QString &data, const QString &ora, const QString &trattamenti, const QString &dentista,
                        const QString &importo);

// Keys the amount field takes: digits and the comma, the editing keys Backspace, Delete,
// Left and Right, and Tab so that the keyboard can leave the field. Enter is the window's.
bool amountAccepts(int key, const QString &text);

// The first empty field of the five (0 to 4, in the window's order), or -1 when all hold text.
int firstEmpty(const QStringList &fields);
// The warning for an empty field, by its index.
QString requiredMessage(int field);

extern const QString kEditEmpty;
extern const QString kEditNoSelection;
extern const QString kUpdated;
extern const QString kInserted;
extern const QString kFindEmpty;

} // namespace TreatmentRegister
