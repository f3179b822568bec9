#include "appointments/MessageLinks.h"

#include "storage/AnsiText.h"

namespace MessageLinks {

QString whatsApp(const QString &mobile, const QString &text)
{
    return QStringLiteral("https://") + kWhatsAppHost + QStringLiteral("/send?phone=") + AnsiText::trimmed(mobile)
           + QStringLiteral("&text=") + text;
}

QString reminderText(const QString &time, const QString &date)
{
    return QStringLiteral("Gentile Paziente, le ricordiamo l'appuntamento presso il nostro studio dentistico alle ore ")
           + AnsiText::trimmed(time) + QStringLiteral(" del giorno ") + AnsiText::trimmed(date);
}

QString confirmationText(const QString &hours, const QString &minutes, const QString &date)
{
    return QStringLiteral("Gentile Paziente, le confermiamo l'appuntamento presso il nostro studio dentistico alle ore ")
           + AnsiText::trimmed(hours) + QLatin1Char(':') + AnsiText::trimmed(minutes) + QStringLiteral(" del giorno ")
           + AnsiText::trimmed(date);
}

QString mailto(const QString &address)
{
    return QStringLiteral("\"mailto:") + AnsiText::trimmed(address) + QLatin1Char('"');
}

} // namespace MessageLinks
