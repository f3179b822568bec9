#include "appointments/BookScan.h"

#include "appointments/AppointmentArchive.h"
#include "base/Formats.h"
#include "storage/AppointmentRecord.h"
#include "storage/FileStamp.h"

#include <QDateTime>
#include <QMutex>

#include <algorithm>
#include <array>
#include <tuple>

namespace AppointmentBook {

namespace {

// The date of every card of the archive as last scanned (dates[position - 1], 0 where it does
// not convert), kept while the file stays as it was: the next day or week is then read card by
// card instead of scanning the archive again. Kept only for a file last changed more than two
// seconds before the scan began, since the file system's clock moves in ticks: a save in the
// same tick as the scan would leave the time unchanged.
struct DateIndex
{
    QString path;
    FileStamp stamp;
    std::vector<int> dates;
};

DateIndex &dateIndex()
{
    static DateIndex index;
    return index;
}

QMutex &dateIndexLock()
{
    static QMutex lock;
    return lock;
}

// Sorts the entries; those without a valid time are moved out to `untimed` (or dropped).
void sortEntries(std::vector<Entry> &entries, std::vector<Entry> *untimed)
{
    const auto timed =
        std::stable_partition(entries.begin(), entries.end(), [](const Entry &e) { return e.minute >= 0; });
    if (untimed) {
        untimed->assign(std::make_move_iterator(timed), std::make_move_iterator(entries.end()));
        std::sort(untimed->begin(), untimed->end(),
                  [](const Entry &a, const Entry &b) { return a.position < b.position; });
    }
    entries.erase(timed, entries.end());
    std::stable_sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return std::tie(a.date, a.minute, a.position) < std::tie(b.date, b.minute, b.position);
    });
}

} // namespace

std::vector<Entry> entriesBetween(const QDate &first, const QDate &last, std::vector<Entry> *untimed)
{
    const int from = Formats::dateNumber(first);
    const int to = Formats::dateNumber(last);
    const QString path = ProgramFolder::file(kAppointmentArchive);
    const auto before = FileStamp::of(path);
    QMutexLocker locked(&dateIndexLock());
    DateIndex &index = dateIndex();
    std::vector<Entry> entries;

    if (before && index.path == path && index.stamp == *before) {
        RecordFile file(path, TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        TAppointmentRecord record;
        for (size_t i = 0; i < index.dates.size(); ++i) {
            if (index.dates[i] < from || index.dates[i] > to)
                continue;
            file.readAt(qint64(i) + 1, record);
            if (auto e = readEntry(record, qint64(i) + 1))
                entries.push_back(std::move(*e));
        }
        file.close();
        sortEntries(entries, untimed);
        return entries;
    }

    // The archive is read in two halves at once; each half keeps the date of every card and
    // the entries of the days asked for (few), in file order. The halves' lists lie on cache
    // lines of their own: each thread grows its own list at every card, and two lists on one
    // line would pass it from one processor to the other at every card.
    index = DateIndex{};
    struct alignas(64) Half
    {
        std::vector<int> dates;
        std::vector<Entry> found;
    };
    std::array<Half, 2> halves;
    const qint64 began = QDateTime::currentMSecsSinceEpoch();
    RecordFile file(path, TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    for (auto &half : halves)
        half.dates.reserve(size_t(file.count() / 2 + 1));
    file.scanInHalves([&](int which, const char *bytes, qint64 position) {
        Half &half = halves[size_t(which)];
        const auto &record = *reinterpret_cast<const TAppointmentRecord *>(bytes);
        const int date = Formats::dateNumber(record.Data.trimmedBytes());
        half.dates.push_back(date);
        if (date >= from && date <= to)
            if (auto e = readEntry(record, position))
                half.found.push_back(std::move(*e));
    });
    const qint64 count = file.count();
    file.close();
    entries = std::move(halves[0].found);
    entries.insert(entries.end(), std::make_move_iterator(halves[1].found.begin()),
                   std::make_move_iterator(halves[1].found.end()));
    sortEntries(entries, untimed);

    if (before && qint64(halves[0].dates.size() + halves[1].dates.size()) == count
        && before->changedNs / 1000000 < began - 2000 && FileStamp::of(path) == before) {
        index.path = path;
        index.stamp = *before;
        index.dates = std::move(halves[0].dates);
        index.dates.insert(index.dates.end(), halves[1].dates.begin(), halves[1].dates.end());
    }
    return entries;
}

void forgetDateIndex()
{
    QMutexLocker locked(&dateIndexLock());
    dateIndex() = DateIndex{};
}

bool dateIndexKept()
{
    QMutexLocker locked(&dateIndexLock());
    return !dateIndex().path.isEmpty();
}

} // namespace AppointmentBook
