#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

struct TAppointmentRecord;

// The rules of the agenda of imminent appointments, kept apart from its window so that the
// exports and the lists can use them too.
namespace AgendaRules {

enum class Imminence {
    Imminent,    // not fulfilled and its reminder lead time has begun
    NotImminent, // fulfilled, flag other than "No", or the lead time still to come
    Unreadable,  // the date or the lead time does not convert: skipped by every scan
};

// A card is imminent when its flag is exactly "No" and its date minus its lead time in
// days is not after today; past dates therefore stay imminent until fulfilled. Whole
// dates only: the time of day plays no part.
Imminence imminence(const TAppointmentRecord &record, const QDate &today);

// The chronological key: year, month and day of the date followed by the hours and the
// minutes ("202612101530" for 10/12/2026 15:30), trimmed. The exports order by it.
QString sortKey(const TAppointmentRecord &record);

// The agenda's line for a card: "ID: " and the chronological key, then the date, the time,
// the patient, the mobile number and the treatments in fixed columns, and the amount after
// "€ ".
QString line(const TAppointmentRecord &record);

// The agenda's order: the whole line, character by character, with a to z taken as
// upper case. Since each line starts with the key the order is chronological.
bool lineLess(const QString &a, const QString &b);
void sortLines(QStringList &lines);

// The lines of the imminent cards of the appointment archive (created empty when it is
// missing), in the agenda's order. Throws StorageError when the file cannot be read.
QStringList imminentLines(const QDate &today);

// The card whose agenda line equals the given one (both trimmed), scanning the whole
// archive; when several cards give the same line the last one in the file wins.
// Throws StorageError when the file cannot be read.
std::optional<TAppointmentRecord> findByLine(const QString &line);

} // namespace AgendaRules
