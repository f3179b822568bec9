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
inline int dateNumber(QByteArrayView bytes);
int dateNumber(const QDate &date); // 0 for an invalid date

namespace detail {
int dateNumberParsed(QByteArrayView bytes);
// The calendar's own validity, without making a date: no year 0, leap years of the
// Gregorian calendar all the way back.
inline bool validDay(int year, int month, int day)
{
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}
} // namespace detail

inline int dateNumber(QByteArrayView bytes)
{
    // The usual "dd/mm/yyyy" straight from its bytes; anything else the way parseDate reads it.
    if (bytes.size() == 10 && bytes[2] == '/' && bytes[5] == '/') {
        const auto digit = [&](int i) { return unsigned(static_cast<unsigned char>(bytes[i]) - '0'); };
        const unsigned d[8] = {digit(0), digit(1), digit(3), digit(4), digit(6), digit(7), digit(8), digit(9)};
        if (d[0] <= 9 && d[1] <= 9 && d[2] <= 9 && d[3] <= 9 && d[4] <= 9 && d[5] <= 9 && d[6] <= 9 && d[7] <= 9) {
            const int day = int(d[0] * 10 + d[1]);
            const int month = int(d[2] * 10 + d[3]);
            const int year = int(d[4] * 1000 + d[5] * 100 + d[6] * 10 + d[7]);
            return detail::validDay(year, month, day) ? year * 10000 + month * 100 + day : 0;
        }
    }
    return detail::dateNumberParsed(bytes);
}

} // namespace Formats
