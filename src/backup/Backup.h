#pragma once

#include <QDateTime>
#include <QString>

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
    QString message; // for the user, in Italian
    QString path;    // Done: the backup written, or the folder the replaced data went to
};

// "Sorrisa_Copia_AAAA-MM-GG_hhmm.zip"
QString fileNameFor(const QDateTime &when);
// Why a folder cannot take backups (the program folder itself, or inside it; missing), or
// empty when it can.
QString targetProblem(const QString &programFolder, const QString &target);

Outcome make(const QString &programFolder, const QString &targetFolder, const QDateTime &now,
             const Progress &progress = {});

struct Description
{
    QDateTime created;
    qint64 patients = 0;     // patient cards
    qint64 appointments = 0; // appointment cards
    int files = 0;
    qint64 bytes = 0;
};
// The confirmation asked before a restore: what the backup holds and where the data go.
QString describe(const Description &description, const QString &asideFolder);

Outcome check(const QString &zipPath, const QString &programFolder, Description *description,
              const Progress &progress = {});
// The folder restore() moves the current data into: "Dati_prima_del_ripristino_" + date.
QString asideFolderFor(const QString &programFolder, const QDateTime &now);
Outcome restore(const QString &programFolder, const QDateTime &now);
void discard(const QString &programFolder);

// Texts shown to the user.
extern const QString kDone;
extern const QString kCancelled;
extern const QString kRestored;

} // namespace Backup
