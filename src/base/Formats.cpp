#include "base/Formats.h"

#include <QLocale>

namespace Formats {

void apply() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

QString dateText(const QDate &date) { return date.toString(QStringLiteral("dd/MM/yyyy")); }

QString timeText(const QTime &time) { return time.toString(QStringLiteral("HH:mm")); }

namespace {
template <class Chars> QDate parseDigits(const Chars &t)
{
    int part[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int index = 0;
    qsizetype begin = 0, end = t.size();
    const auto code = [&](qsizetype i) { return unsigned(t[i]) & 0xFFFF; };
    while (begin < end && code(begin) <= 32)
        ++begin;
    while (end > begin && code(end - 1) <= 32)
        --end;
    for (qsizetype i = begin; i < end; ++i) {
        const unsigned c = code(i);
        if (c == '/') {
            if (++index > 2)
                return {};
        } else if (c >= '0' && c <= '9') {
            if (++digits[index] > 4)
                return {};
            part[index] = part[index] * 10 + int(c - '0');
        } else {
            return {};
        }
    }
    if (index != 2 || digits[0] == 0 || digits[0] > 2 || digits[1] == 0 || digits[1] > 2 || digits[2] != 4)
        return {};
    return QDate(part[2], part[1], part[0]);
}

// The calendar's own validity, without making a date: no year 0, leap years of the
// Gregorian calendar all the way back.
bool validDay(int year, int month, int day)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

struct Utf16
{
    const QString &s;
    qsizetype size() const { return s.size(); }
    char16_t operator[](qsizetype i) const { return s.at(i).unicode(); }
};
struct Bytes
{
    QByteArrayView b;
    qsizetype size() const { return b.size(); }
    unsigned char operator[](qsizetype i) const { return static_cast<unsigned char>(b[i]); }
};
} // namespace

QDate parseDate(const QString &text) { return parseDigits(Utf16{text}); }

QDate parseDate(QByteArrayView bytes) { return parseDigits(Bytes{bytes}); }

int dateNumber(QByteArrayView bytes)
{
    // The usual "dd/mm/yyyy" straight from its bytes; anything else the way parseDate reads it.
    const auto digit = [&](int i) { return unsigned(static_cast<unsigned char>(bytes[i]) - '0'); };
    if (bytes.size() == 10 && bytes[2] == '/' && bytes[5] == '/') {
        unsigned d[8];
        const int at[8] = {0, 1, 3, 4, 6, 7, 8, 9};
        bool digits = true;
        for (int i = 0; i < 8; ++i)
            digits = (d[i] = digit(at[i])) <= 9 && digits;
        if (digits) {
            const int day = int(d[0] * 10 + d[1]);
            const int month = int(d[2] * 10 + d[3]);
            const int year = int(d[4] * 1000 + d[5] * 100 + d[6] * 10 + d[7]);
            return validDay(year, month, day) ? year * 10000 + month * 100 + day : 0;
        }
    }
    const QDate date = parseDate(bytes);
    return date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0;
}

int dateNumber(const QDate &date) { return date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0; }

} // namespace Formats
