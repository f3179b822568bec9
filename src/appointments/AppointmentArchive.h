#pragma once

#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

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

// The one way the lists and the agenda read the appointment archive: opened (created empty
// when missing), every card visited in file order with its record position, the file read
// in large blocks, closed. Throws StorageError when the file cannot be read.
// `expect` is told first how many cards the archive holds.
template <class Expect, class Visit> void eachAppointment(Expect expect, Visit visit)
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    expect(file.count());
    file.scan([&](const char *bytes, qint64 position) {
        visit(*reinterpret_cast<const TAppointmentRecord *>(bytes), position);
        return true;
    });
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

template <class Visit> void eachAppointment(Visit visit)
{
    eachAppointment([](qint64) {}, visit);
}
