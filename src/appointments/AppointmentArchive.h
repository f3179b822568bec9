#pragma once

#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <vector>

// The fulfilled flag's trimmed bytes are the given flag's: compared in place, since the scans
// look at the flag of every card.
inline bool hasFlag(const ShortString<2> &flag, QByteArrayView wanted)
{
    const QByteArrayView f = flag.trimmedBytes();
    if (f.size() != wanted.size())
        return false;
    for (qsizetype i = 0; i < f.size(); ++i)
        if (f[i] != wanted[i])
            return false;
    return true;
}

// The positions of the cards `wanted` takes, in file order, appended to the list given; the
// archive is read in two halves at once (RecordFile::scanInHalves), so `wanted` is called from
// two threads at the same time and must change nothing. On a failure (StorageError, passed on)
// the positions found until then stay: those of the first half, and those of the second when
// the first half was read whole.
template <class Wanted> void wantedPositions(Wanted wanted, std::vector<qint64> &positions)
{
    std::vector<qint64> second;
    qint64 lastOfFirst = 0, firstOfSecond = 0;
    const auto appendSecond = [&] { positions.insert(positions.end(), second.begin(), second.end()); };
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    try {
        file.open(RecordFile::Read);
        file.scanInHalves([&](int half, const char *bytes, qint64 position) {
            if (half == 0)
                lastOfFirst = position;
            else if (firstOfSecond == 0)
                firstOfSecond = position;
            if (wanted(*reinterpret_cast<const TAppointmentRecord *>(bytes)))
                (half == 0 ? positions : second).push_back(position);
        });
    } catch (const StorageError &) {
        if (firstOfSecond == lastOfFirst + 1) // the first half was read whole
            appendSecond();
        throw;
    }
    appendSecond();
    file.close();
}

// How many cards the archive holds, none of them read (the file created empty when missing).
inline qint64 appointmentCount()
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    const qint64 count = file.count();
    file.close();
    return count;
}
