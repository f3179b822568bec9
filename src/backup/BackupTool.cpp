// sorrisa-backup: the same backup as the window's, from the command line (cron, a scheduled
// task). Exit status 0 only when the zip was written and verified; otherwise a message on
// the standard error and 1 (the backup failed or was not verified), 2 (wrong arguments,
// no such program folder, a folder without the practice's archives, no passphrase chosen and
// no --unencrypted) or 3 (the target folder was refused, also one on the program folder's own
// disk without --same-disk). What was left out (symbolic links) is named on the standard error.
//
//   sorrisa-backup --to FOLDER [--program-folder DIR] [--same-disk] [--unencrypted]
//   sorrisa-backup --set-passphrase [--program-folder DIR]   (the passphrase twice on stdin)
//   sorrisa-backup --verify FILE                             (0 when the backup is whole)
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/Passphrase.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

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
                       "[--same-disk] [--unencrypted]\n     sorrisa-backup --set-passphrase [--program-folder "
                       "CARTELLA]\n     sorrisa-backup --verify FILE")
            .arg(problem));
    return 2;
}

// A line of the standard input, not echoed when it is a terminal.
QString readSecret(const QString &prompt)
{
    std::fprintf(stderr, "%s", qPrintable(prompt));
    std::fflush(stderr);
    termios saved{};
    const bool terminal = ::isatty(STDIN_FILENO) && ::tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (terminal) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fprintf(stderr, "\n");
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

int setPassphrase()
{
    const QString first = readSecret(QStringLiteral("Password delle copie di sicurezza: "));
    const QString again = readSecret(QStringLiteral("Ripetere la password: "));
    if (const QString problem = Passphrase::problemWith(first, again); !problem.isEmpty()) {
        say(problem);
        return 2;
    }
    QString problem;
    if (!Passphrase::store(first, &problem)) {
        say(problem);
        return 1;
    }
    say(Passphrase::strengthText(first));
    say(QStringLiteral("Password registrata in %1. Stamparla o scriverla sul foglio di recupero: senza di essa le "
                       "copie non si ripristinano su un altro computer.")
            .arg(QDir::toNativeSeparators(Passphrase::filePath())));
    return 0;
}

int verify(const QString &zip)
{
    const Backup::Outcome outcome = Backup::verify(zip, nullptr, {}, Passphrase::stored());
    if (outcome.status != Backup::Outcome::Done) {
        say(outcome.message);
        return 1;
    }
    QString text = outcome.message;
    std::printf("%s\n", qPrintable(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
    return 0;
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
    QString verifyFile;
    QString program = QCoreApplication::applicationDirPath();
    Backup::Options options;
    bool unencrypted = false;
    bool settingPassphrase = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (a == QLatin1String("--same-disk"))
            options.sameDisk = true;
        else if (a == QLatin1String("--unencrypted"))
            unencrypted = true;
        else if (a == QLatin1String("--set-passphrase"))
            settingPassphrase = true;
        else if (a == QLatin1String("--verify") && i + 1 < args.size())
            verifyFile = args.at(++i);
        else if ((a == QLatin1String("--to") || a == QLatin1String("--program-folder")) && i + 1 < args.size())
            (a == QLatin1String("--to") ? to : program) = args.at(++i);
        else
            return usage(QStringLiteral("argomento non riconosciuto: %1").arg(a));
    }
    if (settingPassphrase)
        return to.isEmpty() && verifyFile.isEmpty() ? setPassphrase()
                                                    : usage(QStringLiteral("--set-passphrase va usato da solo"));
    if (!verifyFile.isEmpty())
        return to.isEmpty() ? verify(verifyFile) : usage(QStringLiteral("--verify va usato da solo"));
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
    if (!unencrypted) {
        options.passphrase = Passphrase::stored();
        if (options.passphrase.isEmpty()) {
            say(QStringLiteral("sorrisa-backup: non è ancora stata scelta la password delle copie di sicurezza: "
                               "sceglierla con \"sorrisa-backup --set-passphrase\" (o nella finestra Copia di "
                               "sicurezza del programma), oppure aggiungere --unencrypted per una copia non cifrata."));
            return 2;
        }
    }

    BackupSettings settings = BackupSettings::read(program);
    options.keep = {settings.keepLast, settings.keepMonths};
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
    settings.last = now;
    settings.lastFile = outcome.path;
    if (!settings.write(program))
        say(QStringLiteral("Attenzione: la copia è stata salvata, ma la data dell'ultima copia non è stata "
                           "registrata nella cartella del programma."));
    std::printf("%s\n", qPrintable(QDir::toNativeSeparators(outcome.path)));
    return 0;
}
