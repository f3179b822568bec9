#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>

// The format settings of the whole run: dates "dd/mm/yyyy" with the slash, times "hh:mm",
// the comma before the decimals, whatever the machine's regional settings.
namespace Formats {

void apply(); // makes the Italian conventions the default locale

QString dateText(const QDate &date); // "dd/mm/yyyy"
QString timeText(const QTime &time); // "hh:mm"
// Reads "d/m/yyyy" with one or two digit day and month and a four-digit year;
// an invalid QDate when the text is no such date.
QDate parseDate(const QString &text);
// The same on the bytes of a record field (trimmed or not), without decoding them first.
QDate parseDate(QByteArrayView bytes);
// The date parseDate reads as the number yyyymmdd (20261210), 0 where it reads none. For the
// scans that test the date of every card: no date is made, and the numbers order as the days.
int dateNumber(QByteArrayView bytes);
int dateNumber(const QDate &date); // 0 for an invalid date

} // namespace Formats
