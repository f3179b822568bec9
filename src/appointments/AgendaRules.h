#pragma once

#include "base/LineSource.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <vector>

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

// The same rule for a scan that tests every card against one today: the dates are read as
// numbers from the bytes, and the last imminent day of each lead time is worked out once.
class ImminenceTest
{
public:
    explicit ImminenceTest(const QDate &today);
    Imminence operator()(const TAppointmentRecord &record) const;

private:
    static constexpr int kLeastLead = -99; // a lead time has three characters at most
    static constexpr int kMostLead = 999;
    QDate m_today;
    // The last date number imminent for each lead time; 0 until needed.
    mutable std::array<int, kMostLead - kLeastLead + 1> m_lastDay{};
};

// The chronological key: year, month and day of the date followed by the hours and the
// minutes ("202612101530" for 10/12/2026 15:30), trimmed. The exports order by it.
QString sortKey(const TAppointmentRecord &record);

// The agenda's line for a card: "ID: " and the chronological key, then the date, the time,
// the patient, the mobile number and the treatments in fixed columns, and the amount after
// "€ ".
QString line(const TAppointmentRecord &record);

// The agenda's order, the lists' one (base/LineOrder.h): the whole line, character by
// character, with a to z taken as upper case. Since each line starts with the key the order
// is chronological.
bool lineLess(const QString &a, const QString &b);
void sortLines(QStringList &lines);

// The imminent cards of the appointment archive (created empty when it is missing): their
// record positions in the agenda's order (the order sortLines gives their lines, equal lines
// in file order), and the number of characters of the longest of their lines. Throws
// StorageError when the file cannot be read. `each`, when given, is handed every imminent
// card as the scan finds it, in file order, on the calling thread (the archive is then read
// by that thread alone, not in two halves at once).
struct Imminent
{
    std::vector<qint64> positions;
    int longestLine = 0;
};
Imminent imminentCards(const QDate &today, const std::function<void(const TAppointmentRecord &)> &each = {});

// The agenda lines of the cards at the given positions of the appointment archive, built
// when they are asked for.
SharedLines linesAt(std::vector<qint64> positions);

// The lines of the imminent cards, in the agenda's order, built now. Throws StorageError
// when the file cannot be read.
QStringList imminentLines(const QDate &today);

} // namespace AgendaRules
