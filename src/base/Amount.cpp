#include "base/Amount.h"

#include "storage/AnsiText.h"

#include <limits>

namespace Amount {

std::optional<qint64> toCents(const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    const qsizetype comma = t.indexOf(QLatin1Char(','));
    const QString whole = comma < 0 ? t : t.left(comma);
    const QString fraction = comma < 0 ? QString() : t.mid(comma + 1);
    if (whole.isEmpty() && fraction.isEmpty())
        return std::nullopt;
    const auto digitsOnly = [](const QString &s) {
        for (QChar ch : s)
            if (ch.unicode() < '0' || ch.unicode() > '9')
                return false;
        return true;
    };
    if (!digitsOnly(whole) || !digitsOnly(fraction))
        return std::nullopt; // a second comma, a sign, a letter

    constexpr qint64 kLimit = std::numeric_limits<qint64>::max() / 1000;
    qint64 units = 0;
    for (QChar ch : whole) {
        units = units * 10 + (ch.unicode() - '0');
        if (units > kLimit)
            return std::nullopt; // far beyond any amount a field can hold
    }
    const auto digit = [&](int i) { return i < fraction.size() ? fraction.at(i).unicode() - '0' : 0; };
    qint64 cents = units * 100 + digit(0) * 10 + digit(1);
    if (digit(2) >= 5)
        ++cents; // half up; digits after the third do not matter
    return cents;
}

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
