#include "platform/Misc.h"

#include "platform/Messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>

namespace {
bool g_test = false;
QStringList g_opened;
QList<bool> g_answers;
constexpr int kOpenerWait = 2500;
int g_openerWait = kOpenerWait;

// The desktop's standard opener answers with its exit status: 0 when the program it chose has
// the text, another number when there is none (no browser, no e-mail program) or it failed.
// It is waited for a short while; one still at work then (it stays with a program it started
// in the foreground) has handed the text over, and is left to end on its own.
bool runOpener(const QString &opener, const QUrl &url)
{
    auto *process = new QProcess;
    process->setProgram(opener);
    process->setArguments({QString::fromLatin1(url.toEncoded())});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start();
    if (!process->waitForStarted()) {
        delete process;
        return false;
    }
    QEventLoop wait;
    QObject::connect(process, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(g_openerWait, &wait, &QEventLoop::quit);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    if (process->state() != QProcess::NotRunning)
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
    if (process->state() != QProcess::NotRunning) {
        // Never ended while the program runs (no parent): ending it would end what it opened.
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        return true;
    }
    const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
    delete process;
    return opened;
}

// As the desktop services would do it, with the opener's answer awaited; without the standard
// opener, the desktop services' own choice (which tells only whether it could be started).
bool openOnDesktop(const QUrl &url)
{
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return opener.isEmpty() ? QDesktopServices::openUrl(url) : runOpener(opener, url);
}
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

bool TMisc::Open(const QString &text)
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
        opened = reachable && openOnDesktop(url);
    }
    if (!opened)
        Messages::warning(nullptr, url.isLocalFile() ? kCannotOpenFile : kCannotOpenLink);
    return opened;
}

void TMisc::setTestMode(bool on)
{
    g_test = on;
    g_opened.clear();
    g_answers.clear();
    g_openerWait = kOpenerWait;
}

void TMisc::queueAnswer(bool opened) { g_answers.append(opened); }

void TMisc::setOpenerWait(int ms) { g_openerWait = ms < 0 ? kOpenerWait : ms; }

QStringList TMisc::takeOpened() { return std::exchange(g_opened, {}); }
