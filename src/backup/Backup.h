#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <functional>

// Backup and restore of the practice's data (DataFiles): window-free, used by the backup
// window and by the command-line program sorrisa-backup.
//
// A backup is one zip file, "Sorrisa_Copia_AAAA-MM-GG_hhmm.zip", holding every data file of
// the program folder and, last, the manifest (Manifest). Each file is read under the same
// shared lock the record files take for reading, so a save (which locks its file exclusively)
// waits until the file has been copied. The zip is written under a temporary name, then
// written to the disk, read back from it and checked against the manifest, and only then
// renamed to its final name: a backup that failed or was cancelled leaves no file under that
// name. Memory stays flat: files are streamed in blocks of 1 MB.
//
// A restore is two steps. check() reads the whole backup through, checks every entry against
// the manifest and unpacks it into a scratch folder of the program folder, changing nothing
// else; the caller shows the description and asks. restore() then moves the current data
// into a dated folder of the program folder (never deleting anything) and puts the unpacked
// data in its place; discard() throws the scratch folder away instead.
namespace Backup {

// Told how far the work is (bytes) and which file it is on; false cancels.
using Progress = std::function<bool(qint64 done, qint64 total, const QString &current)>;

struct Outcome
{
    enum Status { Done, Cancelled, Failed, Refused };
    Status status = Failed;
    QString message;     // for the user, in Italian
    QString path;        // Done: the backup written, or the folder the replaced data went to
    QStringList skipped; // make(): data left out because they are symbolic links
    QStringList removed; // make(): older backups removed by the rule of the copies kept
    // check(), verify(): the backup is encrypted and no passphrase or a wrong one was given.
    bool needsPassphrase = false;
};

// Which backups of a target folder are kept: the last `last`, and the last of each of the
// `months` calendar months before the current one. `last` 0 keeps them all.
struct Keep
{
    int last = 10;
    int months = 6;
};

struct Options
{
    // A target on the program folder's own file system (an empty mount point, another folder
    // of the same disk) is refused unless the user accepted it.
    bool sameDisk = false;
    // AES-256 with this passphrase (every entry, the manifest too); empty writes a plain zip.
    QString passphrase;
    // Older backups removed once the new one is verified (never other files).
    Keep keep{0, 0};
};

// "Sorrisa_Copia_AAAA-MM-GG_hhmm.zip"
QString fileNameFor(const QDateTime &when);
// The date of a backup's name (also "…_hhmmss.zip", "…_hhmmss_2.zip"); invalid for any other name.
QDateTime dateOfName(const QString &fileName);
// Of the backups' names given (others are ignored), those the rule removes on `today`.
QStringList toRemove(const QStringList &fileNames, const QDate &today, const Keep &keep);
// Why a folder cannot take backups (the program folder itself, or inside it; missing), or
// empty when it can.
QString targetProblem(const QString &programFolder, const QString &target);
// True when the target lies on the same file system as the program folder.
bool onSameDisk(const QString &programFolder, const QString &target);
// The question asked before such a target is used.
QString sameDiskQuestion(const QString &target);

// Never replaces a file: when the minute's name is taken the seconds, then a number, are added.
Outcome make(const QString &programFolder, const QString &targetFolder, const QDateTime &now,
             const Progress &progress = {}, const Options &options = {});

struct Description
{
    QDateTime created;
    qint64 patients = 0;     // patient cards
    qint64 appointments = 0; // appointment cards
    int files = 0;
    qint64 bytes = 0;
    bool encrypted = false;
};
// The confirmation asked before a restore: what the backup holds and where the data go.
QString describe(const Description &description, const QString &asideFolder);

Outcome check(const QString &zipPath, const QString &programFolder, Description *description,
              const Progress &progress = {}, const QString &passphrase = {});
// Reads a backup whole (CRCs, the manifest's sizes and SHA-256) without unpacking it.
Outcome verify(const QString &zipPath, Description *description, const Progress &progress = {},
               const QString &passphrase = {});
// What a verified backup holds, for the user.
QString verifiedText(const Description &description);
// The folder restore() moves the current data into: "Dati_prima_del_ripristino_" + date.
QString asideFolderFor(const QString &programFolder, const QDateTime &now);
Outcome restore(const QString &programFolder, const QDateTime &now);
void discard(const QString &programFolder);

// Dates and hours as a sentence says them: "del 10/12/2026", "dell'11/12/2026", "al 10/12/2026",
// "all'8/12/2026"... `preposition` is "del" or "al"; the hour is "alle 09:30", "all'11:05".
QString onDay(const QString &preposition, const QDate &day);
QString atHour(const QTime &time);
// A system error (errno) in Italian for the common causes (no space, read-only, removed
// medium, ...); the system's own text otherwise.
QString systemText(int error);

// Texts shown to the user.
extern const QString kDone;
extern const QString kCancelled;
extern const QString kRestored;

} // namespace Backup
