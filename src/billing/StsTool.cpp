// sorrisa-sts: the year's file for the Sistema TS from the command line, for the accountant or
// a scheduled task; the same zips as the window's, for the documents not yet sent. It marks
// nothing sent: that is done in the window with the protocol the site gives. Prints the zips'
// paths; exit status 0 when written, otherwise a message on the standard error and 1 (the
// file could not be made: the certificate refused, nothing to send, a write failed), 2 (wrong
// arguments, no such program folder, the practice's data missing) or 3 (the target folder
// does not exist or cannot be written).
//
//   sorrisa-sts --year AAAA --certificate FILE --to FOLDER [--program-folder DIR]
#include "billing/SistemaTs.h"
#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

void say(const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); }

int usage(const QString &problem)
{
    say(QStringLiteral("sorrisa-sts: %1\nUso: sorrisa-sts --year AAAA --certificate FILE --to CARTELLA "
                       "[--program-folder CARTELLA]")
            .arg(problem));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QString year;
    QString certificate;
    QString to;
    QString program = QCoreApplication::applicationDirPath();
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        if (i + 1 >= args.size())
            return usage(QStringLiteral("argomento non riconosciuto o senza valore: %1").arg(a));
        if (a == QLatin1String("--year"))
            year = args.at(++i);
        else if (a == QLatin1String("--certificate"))
            certificate = args.at(++i);
        else if (a == QLatin1String("--to"))
            to = args.at(++i);
        else if (a == QLatin1String("--program-folder"))
            program = args.at(++i);
        else
            return usage(QStringLiteral("argomento non riconosciuto: %1").arg(a));
    }
    bool isNumber = false;
    const int y = year.toInt(&isNumber);
    if (year.size() != 4 || !isNumber || y < 2000)
        return usage(QStringLiteral("--year vuole l'anno delle fatture in quattro cifre (AAAA)"));
    if (certificate.isEmpty())
        return usage(QStringLiteral("manca il certificato del Sistema TS (--certificate)"));
    if (to.isEmpty())
        return usage(QStringLiteral("manca la cartella di destinazione (--to)"));
    if (!QFileInfo(program).isDir())
        return usage(QStringLiteral("la cartella del programma \"%1\" non esiste").arg(program));

    SistemaTs::Run run;
    try {
        run = SistemaTs::make(program, y, certificate, to, QDate::currentDate());
    } catch (const StorageError &e) {
        say(QStringLiteral("sorrisa-sts: archivio delle fatture non leggibile: %1").arg(QString::fromUtf8(e.what())));
        return 1;
    }
    for (const SistemaTs::Problem &p : run.selection.left)
        say(QStringLiteral("Non inviabile: %1").arg(p.text));
    switch (run.status) {
    case SistemaTs::Run::Done:
        for (const QString &path : run.written.paths)
            std::printf("%s\n", qPrintable(QDir::toNativeSeparators(path)));
        return 0;
    case SistemaTs::Run::NoPractice:
        say(run.message);
        return 2;
    case SistemaTs::Run::FolderRefused:
        say(run.message);
        return 3;
    case SistemaTs::Run::Failed:
        break;
    }
    say(run.message);
    return 1;
}
