#include "billing/DocumentNumber.h"

#include "storage/AnsiText.h"

QString DocumentNumber::text() const
{
    return isNull() ? QString() : QString::number(number) + QLatin1Char('/') + QString::number(year);
}

std::optional<DocumentNumber> DocumentNumber::parse(const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    const qsizetype slash = t.indexOf(QLatin1Char('/'));
    if (slash <= 0)
        return std::nullopt;
    const auto digits = [](const QString &s) {
        if (s.isEmpty() || s.size() > 6)
            return false;
        for (QChar c : s)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        return true;
    };
    const QString n = t.left(slash), y = t.mid(slash + 1);
    if (!digits(n) || !digits(y) || y.size() != 4)
        return std::nullopt;
    const DocumentNumber out{n.toInt(), y.toInt()};
    if (out.number < 1)
        return std::nullopt;
    return out;
}
