// sorrisa-backup: the same backup as the window's, from the command line (cron, a scheduled
// task). Exit status 0 only when the zip was written and verified; otherwise a message on
// the standard error and 1 (the backup failed or was not verified), 2 (wrong arguments,
// no such program folder, a folder without the practice's archives) or 3 (the target folder
// was refused, also one on the program folder's own disk without --same-disk). What was left
// out (symbolic links) is named on the standard error.
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <csignal>
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
    say(QStringLiteral("sorrisa-backup: %1\nUso: sorrisa-backup --to CARTELLA [--program-folder CARTELLA] "
                       "[--same-disk]")
            .arg(problem));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    // Past a file-size limit a write fails and the backup says so, instead of the process
    // being killed with a partial zip left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString to;
    QString program = QCoreApplication::applicationDirPath();
    Backup::Options options;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--same-disk"))
            options.sameDisk = true;
        else if ((a == QLatin1String("--to") || a == QLatin1String("--program-folder")) && i + 1 < args.size())
            (a == QLatin1String("--to") ? to : program) = args.at(++i);
        else
            return usage(QStringLiteral("argomento non riconosciuto: %1").arg(a));
    }
    if (to.isEmpty())
        return usage(QStringLiteral("manca la cartella di destinazione (--to)"));
    if (!QFileInfo(program).isDir())
        return usage(QStringLiteral("la cartella del programma \"%1\" non esiste").arg(program));
    // A folder without the practice's archives is not a practice (a mistyped path, an empty
    // mount point): a backup of it would be called good and hold nothing.
    if (!QFileInfo(QDir(program).filePath(kPatientArchive)).isFile()
        && !QFileInfo(QDir(program).filePath(kAppointmentArchive)).isFile())
        return usage(QStringLiteral("la cartella \"%1\" non contiene l'archivio di Sorrisa (%2, %3)")
                         .arg(QDir::toNativeSeparators(program), kPatientArchive, kAppointmentArchive));

    const QDateTime now = QDateTime::currentDateTime();
    const Backup::Outcome outcome = Backup::make(program, to, now, {}, options);
    if (!outcome.skipped.isEmpty())
        say(QStringLiteral("Non copiati perché sono collegamenti simbolici: %1")
                .arg(outcome.skipped.join(QStringLiteral(", "))));
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
