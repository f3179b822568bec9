#include "base/Amount.h"

#include <limits>

namespace Amount {

namespace {

// The rule of toCents on the characters of a text (a QStringView or the bytes of a record).
template <class View> std::optional<qint64> centsOf(View t)
{
    const auto code = [&](qsizetype i) { return uint(t.at(i).unicode()); };
    qsizetype begin = 0, end = t.size();
    while (begin < end && code(begin) <= 32)
        ++begin;
    while (end > begin && code(end - 1) <= 32)
        --end;
    qsizetype comma = -1;
    for (qsizetype i = begin; i < end; ++i) {
        const uint c = code(i);
        if (c == ',' && comma < 0)
            comma = i;
        else if (c < '0' || c > '9')
            return std::nullopt; // a second comma, a sign, a letter
    }
    const qsizetype wholeEnd = comma < 0 ? end : comma;
    const qsizetype fraction = comma < 0 ? end : comma + 1;
    if (wholeEnd == begin && fraction == end)
        return std::nullopt;

    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 1000;
    qint64 units = 0;
    for (qsizetype i = begin; i < wholeEnd; ++i) {
        units = units * 10 + (code(i) - '0');
        if (units > kLimit)
            return std::nullopt; // far beyond any amount a field can hold
    }
    const auto digit = [&](qsizetype i) { return fraction + i < end ? qint64(code(fraction + i) - '0') : 0; };
    qint64 cents = units * 100 + digit(0) * 10 + digit(1);
    if (digit(2) >= 5)
        ++cents; // half up; digits after the third do not matter
    return cents;
}

// A byte of a record as the character it stands for, for the digits, the comma and blanks.
struct ByteChar
{
    char byte;
    uint unicode() const { return static_cast<unsigned char>(byte); }
};
struct Bytes
{
    QByteArrayView view;
    qsizetype size() const { return view.size(); }
    ByteChar at(qsizetype i) const { return ByteChar{view.at(i)}; }
};

} // namespace

std::optional<qint64> toCents(const QString &text) { return centsOf(QStringView(text)); }

std::optional<qint64> toCents(QByteArrayView bytes) { return centsOf(Bytes{bytes}); }

QString fromCents(qint64 cents)
{
    const QString sign = cents < 0 ? QStringLiteral("-") : QString();
    // Unsigned, so that the most negative number has a magnitude too.
    const quint64 magnitude = cents < 0 ? 0 - quint64(cents) : quint64(cents);
    return sign + QString::number(magnitude / 100) + QLatin1Char(',')
           + QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

QString normalise(const QString &text)
{
    const std::optional<qint64> cents = toCents(text);
    return fromCents(cents.value_or(0));
}

void Sum::add(qint64 cents)
{
    Q_ASSERT(cents >= 0);
    if (cents < 0)
        return;
    const quint64 c = quint64(cents);
    m_high += c / kCarry;
    m_low += c % kCarry; // below 2 * kCarry: no wrap
    if (m_low >= kCarry) {
        m_low -= kCarry;
        ++m_high;
    }
}

QString Sum::text() const
{
    if (m_high == 0)
        return fromCents(qint64(m_low));
    // The low part's sixteen whole digits after the high part's.
    return QString::number(m_high) + QStringLiteral("%1").arg(m_low / 100, 16, 10, QLatin1Char('0')) + QLatin1Char(',')
           + QStringLiteral("%1").arg(m_low % 100, 2, 10, QLatin1Char('0'));
}

} // namespace Amount
