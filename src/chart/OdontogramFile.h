#pragma once

#include "chart/OdontogramStates.h"
#include "storage/OdontogramRecord.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>

#include <optional>

// The patient's odontogram file: dated entries, only ever appended; a tooth's state is its
// last entry, its earlier entries its history; and the changes not yet saved.
namespace Odontogram {

// ---- Dated entries ---------------------------------------------------------------------

// The day and the minute of an entry, as the file keeps them: no time zone is looked up, so
// that a file of many entries reads quickly.
class Moment
{
public:
    Moment() = default;
    Moment(QDate date, QTime time) : m_date(date), m_time(QTime(time.hour(), time.minute())) {}
    Moment(const QDateTime &moment) : Moment(moment.date(), moment.time()) {} // to the minute
    QDate date() const { return m_date; }
    QTime time() const { return m_time; }
    bool operator==(const Moment &) const = default;
    // Earlier by day, then by minute.
    bool operator<(const Moment &other) const
    {
        return m_date != other.m_date ? m_date < other.m_date : m_time < other.m_time;
    }

private:
    QDate m_date;
    QTime m_time;
};

struct Entry
{
    Moment when;
    int fdi = 0;
    ToothState state;

    bool operator==(const Entry &) const = default;
};

TOdontogramRecord record(const Entry &entry);
// The entry of a record; nothing for a damaged one (a date, time, tooth, state, condition or
// surfaces that do not read), which is passed over.
std::optional<Entry> entry(const TOdontogramRecord &record);

// The file's entries in file order, damaged records passed over (a partial last record is
// never read). The file is created empty when missing. Throws StorageError.
QList<Entry> read(const QString &path);
// Appends the entries in their order; returns how many are on the disk (all of them unless
// a write failed; a record half written is taken back).
qsizetype append(const QString &path, const QList<Entry> &entries);
// The path of the odontogram of the card at a position, in the program folder.
QString path(qint64 position);

// Each tooth's latest state: its entry of the latest date; of entries of the same minute,
// the one written last. An entry dated earlier but written later does not replace it.
QMap<int, ToothState> latest(const QList<Entry> &entries);
// A tooth's entries in date order, the latest last; entries of the same minute in the order
// they were written.
QList<Entry> history(const QList<Entry> &entries, int fdi);
// "10/12/2026 09:30   otturazione presente, superfici DO"
QString historyLine(const Entry &entry);

// The changes not yet saved: one entry per tooth, the last change. A change that brings a tooth
// back to its saved state takes its pending entry away.
QList<Entry> withChange(QList<Entry> pending, const QMap<int, ToothState> &saved, const Entry &change);

} // namespace Odontogram
