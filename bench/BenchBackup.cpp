// The backup and restore benchmark, not a test: a practice of 50,000 patient cards, 300,000
// appointment cards (about 1 GB of archives), treatment files and a few hundred attachments,
// backed up with the program's backup and with Info-ZIP `zip -q -r` (its default level), and
// restored with the program's restore and with `unzip -q`, side by side, in turns:
//
//   cmake --build build --target sorrisa_bench_backup && build/bin/sorrisa_bench_backup
//   build/bin/sorrisa_bench_backup --patients 5000 --appointments 30000 --runs 5   # smaller
//
// The encrypted backup (AES-256, the default) is timed too, against the same `zip -q -r` and
// against 7-Zip writing an AES-256 zip of the same files (`7z a -tzip -mem=AES256`), and its
// restore against `7z x` of the same zip.
//
// The program's backup writes the zip to the disk (fsync) and reads it back from the disk to
// check it; its restore writes every file to the disk before putting it in place. The public
// tools do neither, so each is also timed followed by `sync`, for the record.
#include "Archives.h"

#include "backup/Backup.h"
#include "backup/DataFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.size() % 2 ? v.at(v.size() / 2) : (v.at(v.size() / 2 - 1) + v.at(v.size() / 2)) / 2;
}

double run(const QString &program, const QStringList &args, const QString &cwd = {})
{
    QProcess p;
    p.setWorkingDirectory(cwd);
    QElapsedTimer t;
    t.start();
    p.start(program, args);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        qFatal("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
    return t.nsecsElapsed() / 1e9;
}

double syncTime()
{
    QElapsedTimer t;
    t.start();
    ::sync();
    return t.nsecsElapsed() / 1e9;
}

// The process's peak resident memory since the last reset (VmHWM), in KB.
qint64 peakKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const Archives::Options options(app.arguments());
    Archives::Sizes sizes;
    sizes.appointments = 300000;
    sizes = options.sizes(sizes);
    const int attachments = options.number(QStringLiteral("--attachments"), 300);
    const int runs = options.number(QStringLiteral("--runs"), 3);
    QTemporaryDir work;
    const QString program = work.path() + QStringLiteral("/programma/");
    const QString out = work.path() + QStringLiteral("/copie/");
    QDir().mkpath(program + QStringLiteral("Documenti_Allegati"));
    QDir().mkpath(out);
    const QDate today(2026, 12, 10);
    Archives::write(program, sizes, today);
    // Treatment files of the first patients, attachments (scans and photographs: they do
    // not compress) and some patients' folders.
    QRandomGenerator rng(27);
    const QByteArray treatments = QFile(program + QStringLiteral("Trattamenti_Paziente_1.pro")).exists()
                                      ? [&] {
                                            QFile f(program + QStringLiteral("Trattamenti_Paziente_1.pro"));
                                            f.open(QIODevice::ReadOnly);
                                            return f.read(113 * 40);
                                        }()
                                      : QByteArray();
    for (int p = 2; p <= 500; ++p)
        writeFile(program + QStringLiteral("Trattamenti_Paziente_%1.pro").arg(p), treatments);
    qint64 attachmentBytes = 0;
    for (int a = 0; a < attachments; ++a) {
        QByteArray bytes(qint64(rng.bounded(50000, 400000)) & ~3, Qt::Uninitialized);
        rng.fillRange(reinterpret_cast<quint32 *>(bytes.data()), bytes.size() / 4);
        attachmentBytes += bytes.size();
        writeFile(program + QStringLiteral("Documenti_Allegati/documento_%1.pdf").arg(a), bytes);
        if (a % 10 == 0) {
            QDir().mkpath(program + QStringLiteral("Cliente_%1").arg(a + 1));
            writeFile(program + QStringLiteral("Cliente_%1/nota.txt").arg(a + 1), "Nota del paziente");
        }
    }
    writeFile(program + QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=0A1B2C\r\n");
    QStringList top; // what zip is given: the same data the backup takes
    qint64 dataBytes = 0;
    for (const DataFiles::Entry &e : DataFiles::list(program)) {
        dataBytes += e.size;
        if (!e.path.contains(QLatin1Char('/')) || (e.folder && e.path.count(QLatin1Char('/')) == 1))
            top.append(e.folder ? e.path.chopped(1) : e.path);
    }
    ::sync();
    std::printf("practice: %d patient cards, %d appointment cards, %d attachments (%.1f MB), %.1f MB of data in all\n",
                sizes.patients, sizes.appointments, attachments, attachmentBytes / 1e6, dataBytes / 1e6);

    QList<double> ours, zip, zipSync, restore, unzip, unzipSync, oursAes, sevenZip, restoreAes, sevenUnzip;
    const QString passphrase = QStringLiteral("Misura-della-velocita 2026");
    qint64 oursZip = 0, infoZip = 0, peakBackup = 0, peakRestore = 0;
    double longestHold = 0;
    QString longestFile;
    const QDateTime now(today, QTime(9, 30));
    for (int r = 0; r < runs; ++r) {
        // Backup: the program's, then zip.
        resetPeak();
        QElapsedTimer t;
        t.start();
        // How long the backup holds one file (its lock): from its first block to its last.
        QString holding;
        QElapsedTimer held;
        Backup::Options options;
        options.sameDisk = true; // a scratch folder of the machine measured
        const Backup::Outcome made = Backup::make(
            program, out, now,
            [&](qint64, qint64, const QString &current) {
                if (current != holding) {
                    holding = current;
                    held.restart();
                } else if (!current.isEmpty() && held.nsecsElapsed() / 1e9 > longestHold) {
                    longestHold = held.nsecsElapsed() / 1e9;
                    longestFile = current;
                }
                return true;
            },
            options);
        ours.append(t.nsecsElapsed() / 1e9);
        peakBackup = qMax(peakBackup, peakKb());
        if (made.status != Backup::Outcome::Done)
            qFatal("backup failed: %s", qPrintable(made.message));
        oursZip = QFileInfo(made.path).size();
        const QString infoZipPath = out + QStringLiteral("infozip.zip");
        QFile::remove(infoZipPath);
        ::sync();
        zip.append(run(QStringLiteral("zip"),
                       QStringList{QStringLiteral("-q"), QStringLiteral("-r"), infoZipPath} + top, program));
        zipSync.append(zip.last() + syncTime());
        infoZip = QFileInfo(infoZipPath).size();

        // Restore: the program's into a fresh folder, then unzip of the same zip.
        const QString into = work.path() + QStringLiteral("/ripristino/");
        const QString intoUnzip = work.path() + QStringLiteral("/unzip/");
        QDir(into).removeRecursively();
        QDir(intoUnzip).removeRecursively();
        QDir().mkpath(into);
        ::sync();
        resetPeak();
        t.restart();
        if (Backup::check(made.path, into, nullptr).status != Backup::Outcome::Done
            || Backup::restore(into, now).status != Backup::Outcome::Done)
            qFatal("restore failed");
        restore.append(t.nsecsElapsed() / 1e9);
        peakRestore = qMax(peakRestore, peakKb());
        ::sync();
        unzip.append(run(QStringLiteral("unzip"), {QStringLiteral("-q"), made.path, QStringLiteral("-d"), intoUnzip}));
        unzipSync.append(unzip.last() + syncTime());
        QDir(into).removeRecursively();
        QDir(intoUnzip).removeRecursively();
        QFile::remove(made.path);
        QFile::remove(infoZipPath);

        // Encrypted: the program's, then 7-Zip's AES-256 zip of the same files; restores.
        Backup::Options aes = options;
        aes.passphrase = passphrase;
        ::sync();
        t.restart();
        const Backup::Outcome madeAes = Backup::make(program, out, now, {}, aes);
        oursAes.append(t.nsecsElapsed() / 1e9);
        if (madeAes.status != Backup::Outcome::Done)
            qFatal("encrypted backup failed: %s", qPrintable(madeAes.message));
        const QString sevenZipPath = out + QStringLiteral("7z.zip");
        ::sync();
        sevenZip.append(run(QStringLiteral("7z"),
                            QStringList{QStringLiteral("a"), QStringLiteral("-tzip"), QStringLiteral("-mem=AES256"),
                                        QStringLiteral("-p") + passphrase, QStringLiteral("-bd"),
                                        QStringLiteral("-bso0"), sevenZipPath}
                                + top,
                            program));
        QDir().mkpath(into);
        ::sync();
        t.restart();
        if (Backup::check(madeAes.path, into, nullptr, {}, passphrase).status != Backup::Outcome::Done
            || Backup::restore(into, now).status != Backup::Outcome::Done)
            qFatal("encrypted restore failed");
        restoreAes.append(t.nsecsElapsed() / 1e9);
        ::sync();
        sevenUnzip.append(
            run(QStringLiteral("7z"), {QStringLiteral("x"), QStringLiteral("-p") + passphrase, QStringLiteral("-bd"),
                                       QStringLiteral("-bso0"), QStringLiteral("-o") + intoUnzip, madeAes.path}));
        QDir(into).removeRecursively();
        QDir(intoUnzip).removeRecursively();
        QFile::remove(madeAes.path);
        QFile::remove(sevenZipPath);
        std::printf("run %d: backup %.2f s, zip -q -r %.2f s (+ sync %.2f s); restore %.2f s, unzip -q %.2f s "
                    "(+ sync %.2f s); encrypted backup %.2f s, 7z a -tzip -mem=AES256 %.2f s; encrypted restore "
                    "%.2f s, 7z x %.2f s\n",
                    r + 1, ours.last(), zip.last(), zipSync.last(), restore.last(), unzip.last(), unzipSync.last(),
                    oursAes.last(), sevenZip.last(), restoreAes.last(), sevenUnzip.last());
        std::fflush(stdout);
    }
    std::printf("\n| operation | program | public tool | ratio | with sync | ratio |\n|---|---|---|---|---|---|\n");
    std::printf("| backup (median of %d) | %.2f s | %.2f s (zip -q -r) | %.2f | %.2f s | %.2f |\n", runs, median(ours),
                median(zip), median(ours) / median(zip), median(zipSync), median(ours) / median(zipSync));
    std::printf("| restore (median of %d) | %.2f s | %.2f s (unzip -q) | %.2f | %.2f s | %.2f |\n", runs,
                median(restore), median(unzip), median(restore) / median(unzip), median(unzipSync),
                median(restore) / median(unzipSync));
    std::printf("| encrypted backup (median of %d) | %.2f s | %.2f s (zip -q -r) | %.2f | | |\n", runs, median(oursAes),
                median(zip), median(oursAes) / median(zip));
    std::printf("| encrypted backup (median of %d) | %.2f s | %.2f s (7z a -tzip -mem=AES256) | %.2f | | |\n", runs,
                median(oursAes), median(sevenZip), median(oursAes) / median(sevenZip));
    std::printf("| encrypted restore (median of %d) | %.2f s | %.2f s (7z x) | %.2f | | |\n", runs, median(restoreAes),
                median(sevenUnzip), median(restoreAes) / median(sevenUnzip));
    std::printf("zip sizes: ours %.1f MB, Info-ZIP %.1f MB; peak resident memory of the process during a backup "
                "%.1f MB, during a restore %.1f MB\n",
                oursZip / 1e6, infoZip / 1e6, peakBackup / 1024.0, peakRestore / 1024.0);
    std::printf("longest time one file was held (read under its lock): %.2f s, %s\n", longestHold,
                qPrintable(longestFile));
    return 0;
}
