#include "storage/AnsiText.h"

#include <array>
#include <cstring>

namespace {

// Bytes 0x80 to 0x9F of Windows-1252; the five bytes the code page leaves undefined map to
// the C1 control of the same value, as the system's own conversion does.
constexpr std::array<char16_t, 32> kHigh = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                            0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char encodeChar(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < int(kHigh.size()); ++i)
        if (kHigh[i] == u)
            return char(0x80 + i);
    return '?';
}

} // namespace

namespace AnsiText {

QString trimmed(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    if (begin == 0 && end == text.size())
        return text;
    return text.mid(begin, end - begin);
}

QByteArray toAnsi(const QString &text)
{
    QByteArray out(text.size(), Qt::Uninitialized);
    char *p = out.data();
    for (QChar c : text)
        *p++ = encodeChar(c.unicode());
    return out;
}

QString fromAnsi(const char *bytes, int length)
{
    QString out(length, Qt::Uninitialized);
    QChar *p = out.data();
    for (int i = 0; i < length; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        *p++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

QString readShortString(const char *field, int capacity)
{
    int length = static_cast<unsigned char>(field[0]);
    if (length > capacity)
        length = capacity;
    return trimmed(fromAnsi(field + 1, length));
}

void appendShortString(QString &line, const char *field, int capacity, int width)
{
    int length = static_cast<unsigned char>(field[0]);
    if (length > capacity)
        length = capacity;
    const auto *bytes = reinterpret_cast<const unsigned char *>(field + 1);
    int begin = 0;
    while (begin < length && bytes[begin] <= 32)
        ++begin;
    while (length > begin && bytes[length - 1] <= 32)
        --length;
    int n = length - begin;
    if (width >= 0 && n > width)
        n = width;
    const qsizetype at = line.size();
    line.resize(at + (width >= 0 ? width : n));
    QChar *out = line.data() + at;
    for (int i = 0; i < n; ++i) {
        const unsigned char b = bytes[begin + i];
        out[i] = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    for (int i = n; i < width; ++i)
        out[i] = QLatin1Char(' ');
}

void writeShortString(char *field, int capacity, const QString &text)
{
    QByteArray bytes = toAnsi(trimmed(text));
    const int length = int(qMin<qsizetype>(bytes.size(), capacity));
    field[0] = char(length);
    std::memcpy(field + 1, bytes.constData(), size_t(length));
    std::memset(field + 1 + length, 0, size_t(capacity - length));
}

} // namespace AnsiText
