#include "app/Crypt.h"

#include <QList>

namespace {
constexpr quint16 kStart = 4093;
constexpr quint16 kMultiplier = 46381;
constexpr quint16 kIncrement = 30517;

// In unsigned 32-bit arithmetic (int would overflow), then cut to 16 bits.
quint16 advance(quint16 key, quint8 c) { return quint16((quint32(c) + key) * kMultiplier + kIncrement); }

int hexValue(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}
} // namespace

namespace Crypt {

QString ScrambleToHex(const QString &text)
{
    static const char digits[] = "0123456789ABCDEF";
    QString result;
    result.reserve(text.size() * 2);
    quint16 key = kStart;
    for (QChar ch : text) {
        const quint8 b = quint8(ch.unicode() & 0xFF);
        const quint8 c = quint8(b ^ (key >> 8));
        result += QLatin1Char(digits[c >> 4]);
        result += QLatin1Char(digits[c & 0xF]);
        key = advance(key, c);
    }
    return result;
}

QString UnscrambleFromHex(const QString &hex)
{
    const qsizetype n = hex.size() / 2;
    QList<quint8> bytes(n);
    for (qsizetype i = 0; i < n; ++i) {
        const int hi = hexValue(hex.at(2 * i));
        const int lo = hexValue(hex.at(2 * i + 1));
        if (hi < 0 || lo < 0)
            throw ConversionError("not a hexadecimal number");
        bytes[i] = quint8(hi * 16 + lo);
    }
    QString result(n, Qt::Uninitialized);
    quint16 key = kStart;
    for (qsizetype i = 0; i < n; ++i) {
        result[i] = QChar(char16_t(bytes[i] ^ (key >> 8)));
        key = advance(key, bytes[i]);
    }
    return result;
}

} // namespace Crypt
