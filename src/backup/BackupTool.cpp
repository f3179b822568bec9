// sorrisa-backup: the same backup as the window's, from the command line (cron, a scheduled
// task). Exit status 0 only when the zip was written and verified; otherwise a message on
// the standard error and 1 (the backup failed or was not verified), 2 (wrong arguments,
// no such program folder) or 3 (the target folder was refused).
#include "backup/Backup.h"
#include "backup/BackupSettings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

void say(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    std::fprintf(stderr, "%s\n", qPrintable(t));
}

int usage(const QString &problem)
{
    say(QStringLiteral("sorrisa-backup: %1\nUso: sorrisa-backup --to CARTELLA [--program-folder CARTELLA]")
            .arg(problem));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString to;
    QString program = QCoreApplication::applicationDirPath();
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if ((a == QLatin1String("--to") || a == QLatin1String("--program-folder")) && i + 1 < args.size())
            (a == QLatin1String("--to") ? to : program) = args.at(++i);
        else
            return usage(QStringLiteral("argomento non riconosciuto: %1").arg(a));
    }
    if (to.isEmpty())
        return usage(QStringLiteral("manca la cartella di destinazione (--to)"));
    if (!QFileInfo(program).isDir())
        return usage(QStringLiteral("la cartella del programma \"%1\" non esiste").arg(program));

    const QDateTime now = QDateTime::currentDateTime();
    const Backup::Outcome outcome = Backup::make(program, to, now);
    if (outcome.status == Backup::Outcome::Refused) {
        say(outcome.message);
        return 3;
    }
    if (outcome.status != Backup::Outcome::Done) {
        say(outcome.message);
        return 1;
    }
    BackupSettings settings = BackupSettings::read(program);
    settings.last = now;
    settings.lastFile = outcome.path;
    if (!settings.write(program))
        say(QStringLiteral("Attenzione: la copia è stata salvata, ma la data dell'ultima copia non è stata "
                           "registrata nella cartella del programma."));
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(outcome.path)));
    return 0;
}
