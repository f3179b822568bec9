#include "platform/Misc.h"

#include "platform/Messages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
bool g_test = false;
QStringList g_opened;
QList<bool> g_answers;
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

const QString TMisc::kCannotOpenLink = QStringLiteral(
    "Attenzione: il sistema non è riuscito ad aprire il collegamento.\n\r\n\r"
    "Verificare che sul computer sia installato un programma in grado di aprirlo (un browser web per i siti e per "
    "WhatsApp, un programma di posta elettronica per le e-mail).");
const QString TMisc::kCannotOpenFile =
    QStringLiteral("Attenzione: il sistema non è riuscito ad aprire il file o la cartella richiesti.\n\r\n\r"
                   "Verificare che esistano e che sul computer sia installato un programma in grado di aprirli.");

void TMisc::Open(const QString &text)
{
    const QUrl url = toUrl(text);
    // A file or folder that is not there cannot be opened by any program: the desktop's
    // opener would fail out of sight.
    const bool reachable = !url.isLocalFile() || QFileInfo::exists(url.toLocalFile());
    bool opened = false;
    if (g_test) {
        g_opened.append(text);
        opened = reachable && (g_answers.isEmpty() || g_answers.takeFirst());
    } else {
        opened = reachable && QDesktopServices::openUrl(url);
    }
    if (!opened)
        Messages::warning(nullptr, url.isLocalFile() ? kCannotOpenFile : kCannotOpenLink);
}

void TMisc::setTestMode(bool on)
{
    g_test = on;
    g_opened.clear();
    g_answers.clear();
}

void TMisc::queueAnswer(bool opened) { g_answers.append(opened); }

QStringList TMisc::takeOpened() { return std::exchange(g_opened, {}); }
