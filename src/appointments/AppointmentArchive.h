#pragma once

#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

// The one way the lists and the agenda read the appointment archive: opened (created empty
// when missing), every card visited in file order with its record position, the file read
// in large blocks, closed. Throws StorageError when the file cannot be read.
template <class Visit> void eachAppointment(Visit visit)
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    file.scan([&](const char *bytes, qint64 position) {
        visit(*reinterpret_cast<const TAppointmentRecord *>(bytes), position);
        return true;
    });
    file.close();
}
