#include "app/Formats.h"

#include "storage/AnsiText.h"

#include <QLocale>

namespace Formats {

void apply() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }

QString dateText(const QDate &date) { return date.toString(QStringLiteral("dd/MM/yyyy")); }

QString timeText(const QTime &time) { return time.toString(QStringLiteral("HH:mm")); }

QDate parseDate(const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    int part[3] = {0, 0, 0};
    int digits[3] = {0, 0, 0};
    int index = 0;
    for (QChar ch : t) {
        if (ch == QLatin1Char('/')) {
            if (++index > 2)
                return {};
        } else if (ch.unicode() >= '0' && ch.unicode() <= '9') {
            if (++digits[index] > 4)
                return {};
            part[index] = part[index] * 10 + (ch.unicode() - '0');
        } else {
            return {};
        }
    }
    if (index != 2 || digits[0] == 0 || digits[0] > 2 || digits[1] == 0 || digits[1] > 2 || digits[2] != 4)
        return {};
    return QDate(part[2], part[1], part[0]);
}

} // namespace Formats
