#include "base/MessageLinks.h"

#include "storage/AnsiText.h"

#include <algorithm>

namespace {

// Percent-encodes the characters that would end a part of a link or start another, and the
// control characters; every other character (blanks, apostrophes, colons, slashes, accented
// letters) stays as it is, so that ordinary texts give the same links as ever.
QString encodePart(const QString &text, QLatin1String delimiters)
{
    static const char hex[] = "0123456789ABCDEF";
    QString out;
    out.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c < 0x20 || c == 0x7F || c == '%' || delimiters.contains(ch)) {
            out += QLatin1Char('%');
            out += QLatin1Char(hex[c >> 4]);
            out += QLatin1Char(hex[c & 15]);
        } else {
            out += ch;
        }
    }
    return out;
}

// One value of the query: no field can add a parameter, change one or cut the link short.
QString queryValue(const QString &text) { return encodePart(text, QLatin1String("&#+=;")); }

// One address: no field can add a header (subject, body, attachments) or another recipient.
QString address(const QString &text) { return encodePart(text, QLatin1String("?#&,;\"")); }

} // namespace

namespace MessageLinks {

QString whatsApp(const QString &mobile, const QString &text)
{
    return QStringLiteral("https://") + kWhatsAppHost + QStringLiteral("/send?phone=")
           + queryValue(whatsAppNumber(mobile)) + QStringLiteral("&text=") + queryValue(text);
}

QString whatsAppNumber(const QString &mobile)
{
    const QString number = AnsiText::trimmed(mobile);
    const bool digitsOnly = std::all_of(number.begin(), number.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (digitsOnly && (number.size() == 9 || number.size() == 10) && number.startsWith(u'3'))
        return QStringLiteral("39") + number;
    return number;
}

QString reminderText(const QString &time, const QString &date)
{
    return QStringLiteral("Gentile Paziente, le ricordiamo l'appuntamento presso il nostro studio dentistico alle ore ")
           + AnsiText::trimmed(time) + QStringLiteral(" del giorno ") + AnsiText::trimmed(date);
}

QString confirmationText(const QString &hours, const QString &minutes, const QString &date)
{
    return QStringLiteral(
               "Gentile Paziente, le confermiamo l'appuntamento presso il nostro studio dentistico alle ore ")
           + AnsiText::trimmed(hours) + QLatin1Char(':') + AnsiText::trimmed(minutes) + QStringLiteral(" del giorno ")
           + AnsiText::trimmed(date);
}

QString mailto(const QString &text)
{
    return QStringLiteral("\"mailto:") + address(AnsiText::trimmed(text)) + QLatin1Char('"');
}

} // namespace MessageLinks
