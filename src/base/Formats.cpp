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

namespace detail {
int dateNumberParsed(QByteArrayView bytes) { return dateNumber(parseDate(bytes)); }
} // namespace detail

int dateNumber(const QDate &date) { return date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0; }

} // namespace Formats
