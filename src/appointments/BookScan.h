#pragma once

#include "appointments/AppointmentBook.h"

#include <QDate>

#include <vector>

// The appointment book's reading of the archive: the cards of the days shown, and the date
// index that lets the next days be read card by card while the archive stays as it was.
namespace AppointmentBook {

// The entries of the appointment archive dated from `first` to `last` (both included),
// ordered by date, time and record position. Throws StorageError when the archive cannot be
// read (it is created empty when missing). A scan keeps the date of every card in memory while
// the archive file stays as it was (its size and time of change, taken before the scan), so
// that the next days asked for are read card by card; any save elsewhere changes the file, and
// the next call scans again.
// Cards of those days whose time does not convert go to `untimed` when given (in file order).
std::vector<Entry> entriesBetween(const QDate &first, const QDate &last, std::vector<Entry> *untimed = nullptr);
// The dates kept by the last scan: forgotten (tests; the benchmark's rows without them), and
// whether there are any.
void forgetDateIndex();
bool dateIndexKept();

} // namespace AppointmentBook
