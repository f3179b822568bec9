#include "platform/Misc.h"

#include <QDesktopServices>
#include <QDir>
#include <QRegularExpression>

namespace {
bool g_test = false;
QStringList g_opened;
} // namespace

QUrl TMisc::toUrl(const QString &text)
{
    QString t = text.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        t = t.mid(1, t.size() - 2);
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    if (t.startsWith(QLatin1Char('/')) || !scheme.match(t).hasMatch())
        return QUrl::fromLocalFile(QDir::cleanPath(t));
    // Tolerant parsing percent-encodes blanks and other characters a URL cannot hold as they
    // stand; line breaks are encoded by hand, since the tolerant parser drops them.
    t.replace(QLatin1String("\r"), QLatin1String("%0D"));
    t.replace(QLatin1String("\n"), QLatin1String("%0A"));
    return QUrl(t, QUrl::TolerantMode);
}

void TMisc::Open(const QString &text)
{
    if (g_test) {
        g_opened.append(text);
        return;
    }
    QDesktopServices::openUrl(toUrl(text));
}

void TMisc::setTestMode(bool on)
{
    g_test = on;
    g_opened.clear();
}

QStringList TMisc::takeOpened() { return std::exchange(g_opened, {}); }
