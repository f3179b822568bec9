#include "backup/Backup.h"

#include "backup/DataFiles.h"
#include "backup/Manifest.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/FileIo.h"
#include "storage/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <archive.h>
#include <archive_entry.h>
#include <nettle/sha2.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace Backup {

const QString kDone = QStringLiteral("Copia di sicurezza completata.");
const QString kCancelled = QStringLiteral("Copia di sicurezza annullata: nessun file di copia è stato salvato.");
const QString kRestored = QStringLiteral("Ripristino completato.");

namespace {

constexpr qint64 kBlock = 1 << 20;
// A manifest is a line per file: far below this however many attachments there are.
constexpr qint64 kManifestLimit = 64 << 20;

const QString kFailed = QStringLiteral("Attenzione: la copia di sicurezza non è riuscita e non è stata salvata.");
const QString kRefusedZip = QStringLiteral(
    "Attenzione: il file scelto non è una copia di sicurezza di Sorrisa integra (è danneggiato, incompleto "
    "o di un altro programma).\r\n\r\nNessun dato è stato modificato.");

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

QString withSlash(const QString &folder)
{
    QString f = QDir(folder).absolutePath();
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

QString errnoText(int error) { return systemText(error); }

bool isSystemCause(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EROFS:
    case EIO:
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
    case EACCES:
    case EPERM:
    case ENOENT:
        return true;
    default:
        return false;
    }
}

// What the zip library says, in Italian for the common causes.
QString archiveText(struct archive *a)
{
    const int error = archive_errno(a);
    if (isSystemCause(error))
        return systemText(error);
    const char *raw = archive_error_string(a);
    const QString text = QString::fromLocal8Bit(raw ? raw : "");
    if (text.contains(QLatin1String("CRC"), Qt::CaseInsensitive))
        return QStringLiteral("dati danneggiati (controllo CRC non riuscito)");
    if (text.contains(QLatin1String("Unrecognized archive format"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("signature"), Qt::CaseInsensitive))
        return QStringLiteral("il file non è un archivio zip");
    if (text.contains(QLatin1String("Truncated"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("Premature end"), Qt::CaseInsensitive))
        return QStringLiteral("il file è incompleto");
    if (text.contains(QLatin1String("Damaged"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("Invalid"), Qt::CaseInsensitive)
        || text.contains(QLatin1String("corrupt"), Qt::CaseInsensitive))
        return QStringLiteral("il file è danneggiato");
    return text;
}

using FileIo::openNoIntr;
using FileIo::readSome;
using FileIo::syncFolder;
using FileIo::writeFully;

// The zip library's handles, each freed with its own call when it goes out of scope.
struct ReadFree
{
    void operator()(struct archive *a) const { archive_read_free(a); }
};
struct WriteFree
{
    void operator()(struct archive *a) const { archive_write_free(a); }
};
struct EntryFree
{
    void operator()(archive_entry *e) const { archive_entry_free(e); }
};
using ReadArchive = std::unique_ptr<struct archive, ReadFree>;
using WriteArchive = std::unique_ptr<struct archive, WriteFree>;
using Entry = std::unique_ptr<archive_entry, EntryFree>;

class Sha256
{
public:
    Sha256() { sha256_init(&m_ctx); }
    void add(const void *data, size_t size) { sha256_update(&m_ctx, size, static_cast<const uint8_t *>(data)); }
    QByteArray result()
    {
        QByteArray d(SHA256_DIGEST_SIZE, Qt::Uninitialized);
        sha256_digest(&m_ctx, SHA256_DIGEST_SIZE, reinterpret_cast<uint8_t *>(d.data()));
        return d;
    }

private:
    sha256_ctx m_ctx;
};

// ---- writing

struct Sink
{
    int fd = -1;
    int error = 0;
};

la_ssize_t sinkWrite(struct archive *a, void *client, const void *buffer, size_t length)
{
    auto *sink = static_cast<Sink *>(client);
    if (!writeFully(sink->fd, static_cast<const char *>(buffer), qint64(length))) {
        sink->error = errno;
        archive_set_error(a, errno, "%s", std::strerror(errno));
        return -1;
    }
    return la_ssize_t(length);
}

class Writer
{
public:
    bool open(int fd, const QString &passphrase)
    {
        m_sink.fd = fd;
        m_handle.reset(archive_write_new());
        m_archive = m_handle.get();
        return m_archive && archive_write_set_format_zip(m_archive) == ARCHIVE_OK
               && (passphrase.isEmpty()
                   || (archive_write_set_format_option(m_archive, "zip", "encryption", "aes256") == ARCHIVE_OK
                       && archive_write_set_passphrase(m_archive, passphrase.toUtf8().constData()) == ARCHIVE_OK))
               && archive_write_set_format_option(m_archive, "zip", "compression", "deflate") == ARCHIVE_OK
               && archive_write_set_format_option(m_archive, "zip", "compression-level", "6") == ARCHIVE_OK
               && archive_write_set_format_option(m_archive, "zip", "hdrcharset", "UTF-8") == ARCHIVE_OK
               && archive_write_set_bytes_per_block(m_archive, int(kBlock)) == ARCHIVE_OK
               && archive_write_set_bytes_in_last_block(m_archive, 1) == ARCHIVE_OK
               && archive_write_open(m_archive, &m_sink, nullptr, sinkWrite, nullptr) == ARCHIVE_OK;
    }
    bool header(const QString &path, bool folder, qint64 size, qint64 mtime)
    {
        const Entry entry(archive_entry_new());
        archive_entry *e = entry.get();
        if (!e)
            return false;
        const QByteArray utf8 = path.toUtf8();
        archive_entry_set_pathname_utf8(e, utf8.constData());
        archive_entry_set_filetype(e, folder ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(e, folder ? 0755 : 0644);
        archive_entry_set_size(e, folder ? 0 : size);
        archive_entry_set_mtime(e, time_t(mtime), 0);
        return archive_write_header(m_archive, e) == ARCHIVE_OK;
    }
    bool data(const char *bytes, qint64 size) { return archive_write_data(m_archive, bytes, size_t(size)) == size; }
    bool finishEntry() { return archive_write_finish_entry(m_archive) == ARCHIVE_OK; }
    bool close() { return archive_write_close(m_archive) == ARCHIVE_OK; }
    QString error() const
    {
        if (m_sink.error)
            return errnoText(m_sink.error);
        return m_archive ? archiveText(m_archive) : QString();
    }

private:
    WriteArchive m_handle;
    struct archive *m_archive = nullptr; // m_handle's
    Sink m_sink;
};

// ---- reading

struct Read
{
    bool ok = false;
    bool cancelled = false;
    QString problem;    // what was wrong, for the message
    int localError = 0; // unpacking failed on this computer's disk (errno), not in the zip
    bool newer = false; // the manifest is of a later layout
    bool encrypted = false;
    bool passphraseMissing = false; // encrypted, and no passphrase given
    bool passphraseWrong = false;
    Manifest manifest;
};

// Reads a backup through. Every entry is checked (a name that stays inside the folder, a
// plain file or folder, listed once), its data hashed (and, with `unpackTo`, written there),
// and at the end the entries are compared with the manifest both ways. `onBytes` is told the
// bytes of data read so far and the position in the zip file; false cancels.
Read readThrough(const QString &zipPath, const QString &unpackTo,
                 const std::function<bool(qint64 data, qint64 zipOffset)> &onBytes, const QString &passphrase)
{
    Read r;
    const int fd = openNoIntr(QFile::encodeName(zipPath), O_RDONLY);
    if (fd < 0) {
        r.problem = errnoText(errno);
        return r;
    }
    const ReadArchive handle(archive_read_new());
    struct archive *a = handle.get();
    if (!a) {
        ::close(fd);
        r.problem = errnoText(ENOMEM);
        return r;
    }
    archive_read_support_format_zip_seekable(a);
    if (!passphrase.isEmpty())
        archive_read_add_passphrase(a, passphrase.toUtf8().constData());
    struct Seen
    {
        qint64 size;
        QByteArray sha;
    };
    QHash<QString, Seen> files;
    QSet<QString> folders;
    QByteArray manifestText;
    bool manifestSeen = false;
    bool kindKnown = false; // whether the files are encrypted, known from the first
    std::vector<char> zeroes;
    qint64 dataRead = 0;
    const auto fail = [&](const QString &why) {
        r.problem = why;
        return false;
    };
    const auto failHere = [&](const QString &name, int error) {
        r.localError = error;
        return fail(QStringLiteral("%1: %2").arg(name, systemText(error)));
    };
    const auto body = [&]() -> bool {
        if (archive_read_open_fd(a, fd, size_t(kBlock)) != ARCHIVE_OK)
            return fail(archiveText(a));
        archive_entry *e = nullptr;
        for (;;) {
            const int rc = archive_read_next_header(a, &e);
            if (rc == ARCHIVE_EOF)
                break;
            if (rc != ARCHIVE_OK)
                return fail(archiveText(a));
            const char *utf8 = archive_entry_pathname_utf8(e);
            const char *raw = archive_entry_pathname(e);
            QString name = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(raw ? raw : "");
            const auto type = archive_entry_filetype(e);
            const bool folder = type == AE_IFDIR;
            if (folder && !name.endsWith(QLatin1Char('/')))
                name += QLatin1Char('/');
            if (!DataFiles::isSafeRelative(name))
                return fail(QStringLiteral("nome non ammesso: %1").arg(name));
            if (type != AE_IFREG && !folder)
                return fail(QStringLiteral("elemento non ammesso: %1").arg(name));
            // All encrypted or none (folders and empty files carry no data to encrypt): a plain
            // entry slipped into an encrypted backup is not ours.
            const bool encrypted = archive_entry_is_encrypted(e);
            const bool hasData = !folder && (!archive_entry_size_is_set(e) || archive_entry_size(e) > 0);
            if (hasData && !kindKnown) {
                r.encrypted = encrypted;
                kindKnown = true;
            } else if (hasData && encrypted != r.encrypted) {
                return fail(QStringLiteral("elemento non ammesso: %1").arg(name));
            }
            if (encrypted && passphrase.isEmpty()) {
                r.passphraseMissing = true;
                return fail(QStringLiteral("copia cifrata"));
            }
            if (files.contains(name) || folders.contains(name) || (name == DataFiles::kManifestName && manifestSeen))
                return fail(QStringLiteral("elemento ripetuto: %1").arg(name));
            const QString top = name.section(QLatin1Char('/'), 0, 0);
            const bool isManifest = name == DataFiles::kManifestName;
            if (!isManifest && !DataFiles::isDataName(top))
                return fail(QStringLiteral("elemento non ammesso: %1").arg(name));
            if (folder) {
                folders.insert(name);
                if (!unpackTo.isEmpty() && !QDir().mkpath(unpackTo + name))
                    return failHere(name, errno ? errno : EIO);
                continue;
            }
            int out = -1;
            if (!unpackTo.isEmpty() && !isManifest) {
                const QString target = unpackTo + name;
                if (!QDir().mkpath(QFileInfo(target).absolutePath()))
                    return failHere(name, errno ? errno : EIO);
                out = openNoIntr(QFile::encodeName(target), O_WRONLY | O_CREAT | O_EXCL, 0644);
                if (out < 0)
                    return failHere(name, errno);
            }
            Sha256 sha;
            qint64 size = 0;
            bool entryOk = true;
            for (;;) {
                const void *block = nullptr;
                size_t length = 0;
                la_int64_t offset = 0;
                const int drc = archive_read_data_block(a, &block, &length, &offset);
                if (drc == ARCHIVE_EOF)
                    break;
                if (drc != ARCHIVE_OK) {
                    const char *raw = archive_error_string(a);
                    if (encrypted && raw && std::strstr(raw, "assphrase"))
                        r.passphraseWrong = true;
                    entryOk = fail(QStringLiteral("%1: %2").arg(name, archiveText(a)));
                    break;
                }
                if (offset != size) { // a hole: zeroes in between
                    if (offset < size) {
                        entryOk = fail(QStringLiteral("%1: dati non in ordine").arg(name));
                        break;
                    }
                    zeroes.assign(size_t(qMin<qint64>(offset - size, kBlock)), 0);
                    while (size < offset) {
                        const qint64 n = qMin<qint64>(offset - size, qint64(zeroes.size()));
                        sha.add(zeroes.data(), size_t(n));
                        if (out >= 0 && !writeFully(out, zeroes.data(), n)) {
                            entryOk = failHere(name, errno);
                            break;
                        }
                        size += n;
                    }
                    if (!entryOk)
                        break;
                }
                sha.add(block, length);
                if (isManifest) {
                    if (manifestText.size() + qint64(length) > kManifestLimit) {
                        entryOk = fail(QStringLiteral("contenuto troppo grande"));
                        break;
                    }
                    manifestText.append(static_cast<const char *>(block), qsizetype(length));
                } else if (out >= 0 && !writeFully(out, static_cast<const char *>(block), qint64(length))) {
                    entryOk = failHere(name, errno);
                    break;
                }
                size += qint64(length);
                dataRead += qint64(length);
                if (onBytes && !onBytes(dataRead, qint64(::lseek(fd, 0, SEEK_CUR)))) {
                    r.cancelled = true;
                    entryOk = false;
                    break;
                }
            }
            if (out >= 0) {
                if (entryOk) {
                    const qint64 mtime = archive_entry_mtime(e);
                    const timespec times[2] = {{time_t(mtime), 0}, {time_t(mtime), 0}};
                    ::futimens(out, times);
                }
                if (::close(out) < 0 && entryOk)
                    entryOk = failHere(name, errno);
            }
            if (!entryOk)
                return false;
            if (isManifest)
                manifestSeen = true;
            else
                files.insert(name, {size, sha.result()});
        }
        if (manifestSeen && Manifest::isNewerLayout(manifestText)) {
            r.newer = true;
            return fail(QStringLiteral("copia fatta da una versione più recente"));
        }
        if (!manifestSeen || !Manifest::parse(manifestText, &r.manifest))
            return fail(QStringLiteral("elenco del contenuto mancante o danneggiato"));
        // Both ways: every entry listed with its size and SHA-256, every listed item there.
        qsizetype listedFiles = 0;
        qsizetype listedFolders = 0;
        for (const Manifest::Item &item : std::as_const(r.manifest.items)) {
            if (item.folder) {
                ++listedFolders;
                if (!folders.contains(item.path))
                    return fail(QStringLiteral("cartella mancante: %1").arg(item.path));
                continue;
            }
            ++listedFiles;
            const auto it = files.constFind(item.path);
            if (it == files.constEnd())
                return fail(QStringLiteral("file mancante: %1").arg(item.path));
            if (it->size != item.size || it->sha != item.sha256)
                return fail(QStringLiteral("file diverso dall'originale: %1").arg(item.path));
        }
        if (listedFiles != files.size() || listedFolders != folders.size())
            return fail(QStringLiteral("file non elencati nel contenuto"));
        return true;
    };
    r.ok = body();
    ::close(fd);
    return r;
}

bool removeTree(const QString &path) { return !QFileInfo::exists(path) || QDir(path).removeRecursively(); }

// A file or folder of ours that a run holds with an exclusive lock for as long as it works on
// it: another run leaves it alone, and removes it as a leftover once nobody holds it (the lock
// goes with the process that took it, also when it was killed).
int lockedOpen(const QString &path, int flags)
{
    const int fd = openNoIntr(QFile::encodeName(path), flags);
    if (fd < 0)
        return -1;
    if (const FileIo::Locked locked = FileIo::lock(fd, FileIo::Lock::Exclusive, false);
        locked == FileIo::Locked::Yes || locked == FileIo::Locked::Refused)
        return fd;
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
}

// Partial zips of a run that was killed or lost its disk.
void removeLeftovers(const QString &target)
{
    const QStringList names =
        QDir(target).entryList({QStringLiteral("Sorrisa_Copia_*.parziale")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const int fd = lockedOpen(target + name, O_RDONLY);
        if (fd < 0)
            continue; // another run is writing it
        ::unlink(QFile::encodeName(target + name).constData());
        ::close(fd);
    }
}

// The scratch folder of the restore that check() prepared in this process, held until
// restore() or discard().
int g_staging = -1;

void releaseStaging()
{
    if (g_staging >= 0)
        ::close(g_staging);
    g_staging = -1;
}

// Gives a file its final name without ever replacing another file of that name.
bool renameNoReplace(const QString &from, const QString &to)
{
    const QByteArray f = QFile::encodeName(from);
    const QByteArray t = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, f.constData(), AT_FDCWD, t.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without that kind of rename: a link fails when the name is taken.
    if (::link(f.constData(), t.constData()) == 0) {
        ::unlink(f.constData());
        return true;
    }
    if (errno == EEXIST)
        return false;
    // Nor links (FAT): the name is checked first; the window between is a run's own.
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) {
        errno = EEXIST;
        return false;
    }
    return ::rename(f.constData(), t.constData()) == 0;
}

qint64 newestBackupSize(const QString &target)
{
    QDateTime newest;
    qint64 size = 0;
    const QFileInfoList infos = QDir(target).entryInfoList({QStringLiteral("Sorrisa_Copia_*.zip")}, QDir::Files);
    for (const QFileInfo &info : infos) {
        const QDateTime when = dateOfName(info.fileName());
        if (when.isValid() && (!newest.isValid() || when >= newest)) {
            newest = when;
            size = info.size();
        }
    }
    return size;
}

// The refusals that are not damage: a passphrase missing or wrong, a newer version's backup.
bool refusal(const Read &read, Outcome *outcome)
{
    outcome->status = Outcome::Refused;
    if (read.passphraseMissing || read.passphraseWrong) {
        outcome->needsPassphrase = true;
        outcome->message =
            read.passphraseMissing
                ? QStringLiteral("Attenzione: la copia è cifrata: serve la password delle copie di sicurezza."
                                 "\r\n\r\nNessun dato è stato modificato.")
                : QStringLiteral("Attenzione: la password delle copie di sicurezza non è corretta per questa copia."
                                 "\r\n\r\nNessun dato è stato modificato.");
        return true;
    }
    if (read.newer) {
        outcome->message = QStringLiteral("Attenzione: questa copia di sicurezza è stata fatta da una versione più "
                                          "recente di Sorrisa: per ripristinarla, aggiornare prima il programma."
                                          "\r\n\r\nNessun dato è stato modificato.");
        return true;
    }
    return false;
}

Description describedBy(const Read &read)
{
    Description d;
    d.created = read.manifest.created;
    d.patients = qMax<qint64>(0, read.manifest.sizeOf(kPatientArchive)) / TPatientRecord::Size;
    d.appointments = qMax<qint64>(0, read.manifest.sizeOf(kAppointmentArchive)) / TAppointmentRecord::Size;
    d.encrypted = read.encrypted;
    for (const Manifest::Item &item : read.manifest.items)
        if (!item.folder) {
            ++d.files;
            d.bytes += item.size;
        }
    return d;
}

} // namespace

QDateTime dateOfName(const QString &fileName)
{
    static const QRegularExpression pattern(
        QStringLiteral("^Sorrisa_Copia_(\\d{4}-\\d\\d-\\d\\d)_(\\d\\d)(\\d\\d)(\\d\\d)?(?:_\\d+)?\\.zip$"));
    const QRegularExpressionMatch m = pattern.match(fileName);
    if (!m.hasMatch())
        return {};
    const QDate day = QDate::fromString(m.captured(1), Qt::ISODate);
    const QTime time(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).isEmpty() ? 0 : m.captured(4).toInt());
    if (!day.isValid() || !time.isValid())
        return {};
    return QDateTime(day, time);
}

QStringList toRemove(const QStringList &fileNames, const QDate &today, const Keep &keep)
{
    if (keep.last <= 0)
        return {};
    struct Named
    {
        QDateTime when;
        QString name;
    };
    QList<Named> backups;
    for (const QString &name : fileNames)
        if (const QDateTime when = dateOfName(name); when.isValid())
            backups.append({when, name});
    // Newest first; a numbered name of the same second came later.
    std::sort(backups.begin(), backups.end(), [](const Named &a, const Named &b) {
        return a.when != b.when                 ? a.when > b.when
               : a.name.size() != b.name.size() ? a.name.size() > b.name.size()
                                                : a.name > b.name;
    });
    QSet<QString> kept;
    for (qsizetype i = 0; i < backups.size() && i < keep.last; ++i)
        kept.insert(backups.at(i).name);
    const QDate thisMonth(today.year(), today.month(), 1);
    for (int m = 1; m <= keep.months; ++m) {
        const QDate month = thisMonth.addMonths(-m);
        for (const Named &b : std::as_const(backups))
            if (b.when.date().year() == month.year() && b.when.date().month() == month.month()) {
                kept.insert(b.name); // the newest of that month
                break;
            }
    }
    QStringList out;
    for (const Named &b : std::as_const(backups))
        if (!kept.contains(b.name))
            out.append(b.name);
    return out;
}

QString systemText(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("spazio esaurito sul disco");
    case EFBIG:
        return QStringLiteral("file troppo grande per il disco (spazio esaurito o limite della dimensione dei file)");
    case EROFS:
        return QStringLiteral("il disco è protetto dalla scrittura (sola lettura)");
    case EIO:
        return QStringLiteral("errore di lettura o scrittura del disco (chiavetta o disco rimossi?)");
    case ENODEV:
    case ENXIO:
    case ENOMEDIUM:
        return QStringLiteral("chiavetta o disco rimossi");
    case EACCES:
    case EPERM:
        return QStringLiteral("accesso negato");
    case ENOENT:
        return QStringLiteral("file o cartella inesistente");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString onDay(const QString &preposition, const QDate &day)
{
    const QString date = day.toString(QStringLiteral("dd/MM/yyyy"));
    // Said "otto", "undici": the article loses its vowel.
    if (date.startsWith(QLatin1String("08")) || date.startsWith(QLatin1String("11")))
        return preposition + QStringLiteral("l'") + (date.startsWith(QLatin1Char('0')) ? date.mid(1) : date);
    return preposition + QLatin1Char(' ') + date;
}

QString atHour(const QTime &time)
{
    const QString hour = time.toString(QStringLiteral("HH:mm"));
    if (time.hour() == 1 || time.hour() == 8 || time.hour() == 11)
        return QStringLiteral("all'") + (hour.startsWith(QLatin1Char('0')) ? hour.mid(1) : hour);
    return QStringLiteral("alle ") + hour;
}

QString fileNameFor(const QDateTime &when)
{
    return QStringLiteral("Sorrisa_Copia_%1.zip").arg(when.toString(QStringLiteral("yyyy-MM-dd_HHmm")));
}

QString targetProblem(const QString &programFolder, const QString &target)
{
    if (target.trimmed().isEmpty())
        return QStringLiteral("Attenzione: scegliere la cartella in cui salvare la copia di sicurezza "
                              "(una chiavetta USB, un disco esterno o una cartella sincronizzata).");
    const QFileInfo info(target);
    if (!info.isDir())
        return QStringLiteral("Attenzione: la cartella \"%1\" non è raggiungibile.\r\n\r\n"
                              "Controllare che la chiavetta o il disco siano collegati, oppure scegliere "
                              "un'altra cartella.")
            .arg(native(target));
    const QString program = QFileInfo(programFolder).canonicalFilePath();
    const QString chosen = info.canonicalFilePath();
    if (!program.isEmpty() && (chosen == program || chosen.startsWith(program + QLatin1Char('/'))))
        return QStringLiteral("Attenzione: la copia di sicurezza non può essere salvata nella cartella del "
                              "programma: una copia sullo stesso disco non protegge i dati.\r\n\r\n"
                              "Scegliere una chiavetta USB, un disco esterno o una cartella sincronizzata.");
    return {};
}

bool onSameDisk(const QString &programFolder, const QString &target)
{
    struct stat program;
    struct stat chosen;
    return ::stat(QFile::encodeName(programFolder).constData(), &program) == 0
           && ::stat(QFile::encodeName(target).constData(), &chosen) == 0 && program.st_dev == chosen.st_dev;
}

QString sameDiskQuestion(const QString &target)
{
    return QStringLiteral("Attenzione: la cartella \"%1\" si trova sullo stesso disco del programma: un guasto o "
                          "un furto del computer farebbe perdere anche la copia.\r\n\r\nSe la cartella è quella "
                          "di una chiavetta o di un disco esterno, forse non è collegato.\r\n\r\n"
                          "Salvare ugualmente la copia su questo disco?")
        .arg(native(target));
}

Outcome make(const QString &programFolder, const QString &targetFolder, const QDateTime &now, const Progress &progress,
             const Options &options)
{
    Outcome outcome;
    if (const QString problem = targetProblem(programFolder, targetFolder); !problem.isEmpty()) {
        outcome.status = Outcome::Refused;
        outcome.message = problem;
        return outcome;
    }
    if (!options.sameDisk && onSameDisk(programFolder, targetFolder)) {
        outcome.status = Outcome::Refused;
        outcome.message = QStringLiteral("Attenzione: la cartella \"%1\" si trova sullo stesso disco del programma: "
                                         "la copia non è stata fatta.\r\n\r\nControllare che la chiavetta o il "
                                         "disco esterno siano collegati.")
                              .arg(native(targetFolder));
        return outcome;
    }
    const QString root = withSlash(programFolder);
    const QString target = withSlash(targetFolder);
    removeLeftovers(target);
    // Room for at least as much as the last backup took, said before anything is written.
    if (const qint64 last = newestBackupSize(target); last > 0) {
        struct statvfs fs;
        if (::statvfs(QFile::encodeName(target).constData(), &fs) == 0
            && qint64(fs.f_bavail) * qint64(fs.f_frsize) < last) {
            outcome.status = Outcome::Refused;
            outcome.message =
                QStringLiteral("Attenzione: nella cartella \"%1\" non c'è spazio per la prossima copia di sicurezza "
                               "(l'ultima occupa %2 MB, ne restano liberi %3 MB).\r\n\r\nLiberare spazio o "
                               "scegliere un'altra chiavetta o disco.")
                    .arg(native(targetFolder))
                    .arg((last + (1 << 20) - 1) >> 20)
                    .arg((qint64(fs.f_bavail) * qint64(fs.f_frsize)) >> 20);
            return outcome;
        }
    }
    const QList<DataFiles::Entry> entries = DataFiles::list(root, &outcome.skipped);
    qint64 dataBytes = 0;
    for (const DataFiles::Entry &e : entries)
        dataBytes += e.size;
    const qint64 total = 2 * dataBytes; // written, then read back
    const auto failed = [&](const QString &why) {
        outcome.status = Outcome::Failed;
        outcome.message = kFailed + QStringLiteral("\r\n\r\n") + why;
        return outcome;
    };

    // A name of this run's own, locked while it is written: two runs at once never share it.
    QString tempPath;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        tempPath =
            target + fileNameFor(now)
            + QStringLiteral(".%1.parziale").arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
        fd = openNoIntr(QFile::encodeName(tempPath), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd >= 0) // a new name: nobody else holds it
        FileIo::lock(fd, FileIo::Lock::Exclusive, false);
    if (fd < 0)
        return failed(QStringLiteral("Impossibile scrivere nella cartella \"%1\": %2.")
                          .arg(native(targetFolder), errnoText(errno)));
    bool cancelled = false;
    QString problem;
    {
        Writer zip;
        Manifest manifest;
        manifest.created = now;
        std::vector<char> buffer(static_cast<size_t>(kBlock));
        qint64 done = 0;
        const QString writeFailure = QStringLiteral("Scrittura non riuscita nella cartella \"%1\" (spazio "
                                                    "esaurito o supporto rimosso?): %2.");
        const auto body = [&]() -> bool {
            if (!zip.open(fd, options.passphrase)) {
                problem = writeFailure.arg(native(targetFolder), zip.error());
                return false;
            }
            for (const DataFiles::Entry &entry : entries) {
                const QString path = root + entry.path;
                if (entry.folder) {
                    if (!QFileInfo(path).isDir())
                        continue;
                    if (!zip.header(entry.path, true, 0, QFileInfo(path).lastModified().toSecsSinceEpoch())
                        || !zip.finishEntry()) {
                        problem = writeFailure.arg(native(targetFolder), zip.error());
                        return false;
                    }
                    manifest.items.append({entry.path, true, 0, {}});
                    continue;
                }
                // Never waits on something put in the file's place since the list was made.
                const int in = FileIo::openRegular(QFile::encodeName(path), O_RDONLY);
                if (in < 0 && errno == ENOENT)
                    continue; // gone since the list was made (a journal, a moved attachment)
                if (in < 0) {
                    problem =
                        QStringLiteral("Impossibile leggere il file \"%1\": %2.").arg(entry.path, errnoText(errno));
                    return false;
                }
                // The lock a record file takes to read, held until the file is copied whole: a
                // save waits for it.
                const FileIo::Locked locked = FileIo::lock(in, FileIo::Lock::Shared, true);
                if (locked == FileIo::Locked::Held || locked == FileIo::Locked::Failed) {
                    problem = locked == FileIo::Locked::Held
                                  ? QStringLiteral("Il file \"%1\" è in uso da troppo tempo.").arg(entry.path)
                                  : QStringLiteral("Impossibile leggere il file \"%1\": %2.")
                                        .arg(entry.path, errnoText(errno));
                    ::close(in);
                    return false;
                }
                struct stat st;
                ::fstat(in, &st);
                const qint64 size = st.st_size;
                Sha256 sha;
                bool ok = zip.header(entry.path, false, size, st.st_mtime);
                qint64 copied = 0;
                while (ok && copied < size) {
                    const qint64 n = readSome(in, buffer.data(), qMin<qint64>(kBlock, size - copied));
                    if (n <= 0) {
                        problem =
                            n < 0 ? QStringLiteral("Impossibile leggere il file \"%1\": %2.")
                                        .arg(entry.path, errnoText(errno))
                                  : QStringLiteral("Il file \"%1\" si è accorciato durante la copia.").arg(entry.path);
                        ::close(in);
                        return false;
                    }
                    sha.add(buffer.data(), size_t(n));
                    ok = zip.data(buffer.data(), n);
                    copied += n;
                    done += n;
                    if (ok && progress && !progress(done, total, entry.path)) {
                        cancelled = true;
                        ::close(in);
                        return false;
                    }
                }
                ok = ok && zip.finishEntry();
                ::close(in);
                if (!ok) {
                    problem = writeFailure.arg(native(targetFolder), zip.error());
                    return false;
                }
                manifest.items.append({entry.path, false, size, sha.result()});
            }
            const QByteArray text = manifest.text();
            if (!zip.header(DataFiles::kManifestName, false, text.size(), now.toSecsSinceEpoch())
                || !zip.data(text.constData(), text.size()) || !zip.finishEntry() || !zip.close()) {
                problem = writeFailure.arg(native(targetFolder), zip.error());
                return false;
            }
            return true;
        };
        if (body() && !FileIo::syncFile(fd))
            problem = writeFailure.arg(native(targetFolder), errnoText(errno));
        else if (problem.isEmpty() && !cancelled) {
            // Read back from the medium, not from the system's cache of what was written.
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        }
    }
    if (problem.isEmpty() && !cancelled && ::close(::dup(fd)) < 0)
        problem = QStringLiteral("Scrittura non riuscita nella cartella \"%1\": %2.")
                      .arg(native(targetFolder), errnoText(errno));
    // The lock stays until the file has its final name or is gone.
    const auto closeTemp = [&] { ::close(fd); };
    if (problem.isEmpty() && !cancelled) {
        const Read check = readThrough(
            tempPath, QString(),
            [&](qint64 data, qint64) { return !progress || progress(dataBytes + data, total, QString()); },
            options.passphrase);
        cancelled = check.cancelled;
        if (!check.ok && !cancelled)
            problem = QStringLiteral("La verifica della copia scritta non è riuscita (%1).").arg(check.problem);
    }
    if (cancelled || !problem.isEmpty()) {
        ::unlink(QFile::encodeName(tempPath).constData());
        closeTemp();
        if (cancelled) {
            outcome.status = Outcome::Cancelled;
            outcome.message = kCancelled;
            return outcome;
        }
        return failed(problem);
    }
    // The minute's name, or with the seconds, or numbered: an earlier backup is never replaced.
    QString finalPath;
    for (int n = 0;; ++n) {
        finalPath = target + fileNameFor(now);
        if (n > 0) {
            finalPath.chop(4);
            finalPath += now.toString(QStringLiteral("ss")) + (n > 1 ? QStringLiteral("_%1").arg(n) : QString())
                         + QStringLiteral(".zip");
        }
        if (renameNoReplace(tempPath, finalPath))
            break;
        if (errno != EEXIST || n > 1000) {
            const int error = errno;
            ::unlink(QFile::encodeName(tempPath).constData());
            closeTemp();
            return failed(QStringLiteral("Impossibile dare al file il suo nome: %1.").arg(errnoText(error)));
        }
    }
    closeTemp();
    // Only now, with the new backup verified under its name, do older ones go.
    if (options.keep.last > 0) {
        const QStringList names = QDir(target).entryList({QStringLiteral("Sorrisa_Copia_*.zip")}, QDir::Files);
        for (const QString &name : toRemove(names, now.date(), options.keep)) {
            if (target + name == finalPath || QFileInfo(target + name).isSymLink())
                continue;
            if (::unlink(QFile::encodeName(target + name).constData()) == 0)
                outcome.removed.append(name);
        }
    }
    syncFolder(target);
    outcome.status = Outcome::Done;
    outcome.path = finalPath;
    outcome.message = kDone
                      + QStringLiteral("\r\n\r\nFile: %1\r\nCartella: %2")
                            .arg(QFileInfo(finalPath).fileName(), native(QFileInfo(finalPath).absolutePath()));
    if (!outcome.removed.isEmpty())
        outcome.message += QStringLiteral("\r\n\r\nCopie precedenti eliminate (si conservano le ultime): %1")
                               .arg(outcome.removed.size());
    if (!outcome.skipped.isEmpty())
        outcome.message += QStringLiteral("\r\n\r\nNon copiati perché sono collegamenti simbolici: %1")
                               .arg(outcome.skipped.join(QStringLiteral(", ")));
    return outcome;
}

QString describe(const Description &d, const QString &asideFolder)
{
    return QStringLiteral("Copia di sicurezza %1 %2.\r\n\r\nSchede pazienti: %3\r\nSchede appuntamenti: %4\r\n"
                          "File in tutto: %5\r\n\r\nI dati attuali saranno spostati nella cartella \"%6\" della "
                          "cartella del programma (non saranno cancellati) e sostituiti con quelli della copia."
                          "\r\n\r\nCon i dati torna anche la password di accesso al programma di quel giorno (%7)."
                          "\r\n\r\nProcedere con il ripristino?")
        .arg(onDay(QStringLiteral("del"), d.created.date()), atHour(d.created.time()))
        .arg(d.patients)
        .arg(d.appointments)
        .arg(d.files)
        .arg(asideFolder, d.created.toString(QStringLiteral("dd/MM/yyyy")));
}

Outcome check(const QString &zipPath, const QString &programFolder, Description *description, const Progress &progress,
              const QString &passphrase)
{
    Outcome outcome;
    const QString root = withSlash(programFolder);
    const QString staging = root + DataFiles::kStagingFolder + QLatin1Char('/');
    const auto unstage = [&] {
        removeTree(staging);
        releaseStaging();
    };
    const auto refused = [&](const QString &why) {
        unstage();
        outcome.status = Outcome::Refused;
        outcome.message = kRefusedZip + (why.isEmpty() ? QString() : QStringLiteral("\r\n\r\n(%1)").arg(why));
        return outcome;
    };
    const auto failedHere = [&](const QString &why) {
        unstage();
        outcome.status = Outcome::Failed;
        outcome.message = QStringLiteral("Attenzione: impossibile scrivere la copia nella cartella del programma%1."
                                         "\r\n\r\nNessun dato è stato modificato.")
                              .arg(why.isEmpty() ? QString() : QStringLiteral(": ") + why);
        return outcome;
    };
    releaseStaging();
    // The scratch folder of another restore under way is left alone; a killed one's is removed.
    if (QFileInfo(staging).isDir()) {
        const int held = lockedOpen(staging, O_RDONLY | O_DIRECTORY);
        if (held < 0) {
            outcome.status = Outcome::Refused;
            outcome.message = QStringLiteral("Attenzione: un altro ripristino è in corso su questa cartella del "
                                             "programma.\r\n\r\nNessun dato è stato modificato.");
            return outcome;
        }
        const bool removed = removeTree(staging);
        ::close(held);
        if (!removed)
            return failedHere(QString());
    }
    if (!QDir().mkpath(staging) || (g_staging = lockedOpen(staging, O_RDONLY | O_DIRECTORY)) < 0) {
        const int error = errno;
        return failedHere(error ? systemText(error) : QString());
    }
    const qint64 zipSize = QFileInfo(zipPath).size();
    const Read read = readThrough(
        zipPath, staging,
        [&](qint64, qint64 offset) { return !progress || progress(qMin(offset, zipSize), zipSize, QString()); },
        passphrase);
    if (read.cancelled) {
        unstage();
        outcome.status = Outcome::Cancelled;
        outcome.message = QStringLiteral("Ripristino annullato: nessun dato è stato modificato.");
        return outcome;
    }
    if (read.localError)
        return failedHere(read.problem);
    if (!read.ok) {
        unstage();
        if (refusal(read, &outcome))
            return outcome;
        return refused(read.problem);
    }
    // Every unpacked file on the disk before any takes the place of the current data: one
    // flush of the file system, not one per file (hundreds of treatment files and attachments).
    {
        const int dfd = openNoIntr(QFile::encodeName(staging), O_RDONLY | O_DIRECTORY);
        const bool synced = dfd >= 0 && ::syncfs(dfd) == 0;
        if (dfd >= 0)
            ::close(dfd);
        if (!synced)
            return failedHere(systemText(errno));
    }
    // Nothing unpacked may take the place of the program's own files: what the name is in the
    // program folder decides, whatever the zip's file holds.
    const QFileInfoList top =
        QDir(staging).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &info : top)
        if (!DataFiles::isData(info.absoluteFilePath()) || DataFiles::isProgramsOwn(root, info.fileName()))
            return refused(QStringLiteral("elemento non ammesso: %1").arg(info.fileName()));
    if (description)
        *description = describedBy(read);
    outcome.status = Outcome::Done;
    outcome.path = staging;
    return outcome;
}

Outcome verify(const QString &zipPath, Description *description, const Progress &progress, const QString &passphrase)
{
    Outcome outcome;
    const qint64 zipSize = QFileInfo(zipPath).size();
    const Read read = readThrough(
        zipPath, QString(),
        [&](qint64, qint64 offset) { return !progress || progress(qMin(offset, zipSize), zipSize, QString()); },
        passphrase);
    if (read.cancelled) {
        outcome.status = Outcome::Cancelled;
        outcome.message = QStringLiteral("Verifica annullata.");
        return outcome;
    }
    if (!read.ok) {
        if (!refusal(read, &outcome)) {
            outcome.status = Outcome::Refused;
            outcome.message = QStringLiteral("Attenzione: la copia non è integra (è danneggiata, incompleta o di un "
                                             "altro programma): non usarla per un ripristino.\r\n\r\n(%1)")
                                  .arg(read.problem);
        }
        outcome.message.replace(QStringLiteral("\r\n\r\nNessun dato è stato modificato."), QString());
        return outcome;
    }
    const Description d = describedBy(read);
    if (description)
        *description = d;
    outcome.status = Outcome::Done;
    outcome.path = zipPath;
    outcome.message = verifiedText(d);
    return outcome;
}

QString verifiedText(const Description &d)
{
    return QStringLiteral("La copia è integra: ogni file corrisponde all'elenco del contenuto.\r\n\r\n"
                          "Copia di sicurezza %1 %2%3.\r\n\r\nSchede pazienti: %4\r\nSchede appuntamenti: %5\r\n"
                          "File in tutto: %6")
        .arg(onDay(QStringLiteral("del"), d.created.date()), atHour(d.created.time()),
             d.encrypted ? QStringLiteral(", cifrata") : QStringLiteral(", non cifrata"))
        .arg(d.patients)
        .arg(d.appointments)
        .arg(d.files);
}

QString asideFolderFor(const QString &programFolder, const QDateTime &now)
{
    const QString root = withSlash(programFolder);
    const QString base = DataFiles::kAsidePrefix + now.toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(root + name); ++n)
        name = base + QLatin1Char('_') + QString::number(n);
    return name;
}

Outcome restore(const QString &programFolder, const QDateTime &now)
{
    Outcome outcome;
    const QString root = withSlash(programFolder);
    const QString staging = root + DataFiles::kStagingFolder + QLatin1Char('/');
    const QString asideName = asideFolderFor(root, now);
    const QString aside = root + asideName + QLatin1Char('/');
    const auto failed = [&](const QString &why) {
        outcome.status = Outcome::Failed;
        outcome.message = QStringLiteral("Attenzione: il ripristino non è riuscito: %1.\r\n\r\n"
                                         "I dati del programma sono rimasti quelli di prima.")
                              .arg(why);
        return outcome;
    };
    if (!QFileInfo(staging).isDir() || g_staging < 0)
        return failed(QStringLiteral("la copia non è stata controllata"));
    const QStringList incoming =
        QDir(staging).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : incoming)
        if (DataFiles::isProgramsOwn(root, name))
            return failed(QStringLiteral("\"%1\" è un file del programma").arg(name));

    QStringList current;
    for (const QFileInfo &info :
         QDir(root).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
        if (DataFiles::isData(info.absoluteFilePath()))
            current.append(info.fileName());
    // A save in progress ends first, and none starts until the data are in place.
    std::vector<int> locks;
    const auto unlockAll = [&] {
        for (int fd : locks)
            ::close(fd);
        locks.clear();
    };
    for (const QString &name : std::as_const(current)) {
        if (!QFileInfo(root + name).isFile())
            continue;
        const int fd = FileIo::openRegular(QFile::encodeName(root + name), O_RDONLY);
        if (fd < 0)
            continue;
        locks.push_back(fd);
        const FileIo::Locked locked = FileIo::lock(fd, FileIo::Lock::Exclusive, true);
        if (locked == FileIo::Locked::Held || locked == FileIo::Locked::Failed) {
            const int error = errno;
            unlockAll();
            return failed(locked == FileIo::Locked::Held
                              ? QStringLiteral("il file \"%1\" è in uso").arg(name)
                              : QStringLiteral("il file \"%1\" non si può bloccare: %2").arg(name, errnoText(error)));
        }
    }
    if (!QDir().mkdir(aside)) {
        unlockAll();
        return failed(QStringLiteral("impossibile creare la cartella \"%1\"").arg(asideName));
    }
    const auto move = [](const QString &from, const QString &to) {
        return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    };
    QStringList movedAside;
    for (const QString &name : std::as_const(current)) {
        if (!move(root + name, aside + name)) {
            const QString why = errnoText(errno);
            for (const QString &back : std::as_const(movedAside))
                move(aside + back, root + back);
            QDir().rmdir(aside);
            unlockAll();
            return failed(QStringLiteral("impossibile spostare \"%1\": %2").arg(name, why));
        }
        movedAside.append(name);
    }
    QStringList placed;
    for (const QString &name : incoming) {
        if (!move(staging + name, root + name)) {
            const QString why = errnoText(errno);
            for (const QString &back : std::as_const(placed))
                move(root + back, staging + back);
            for (const QString &back : std::as_const(movedAside))
                move(aside + back, root + back);
            QDir().rmdir(aside);
            unlockAll();
            return failed(QStringLiteral("impossibile ripristinare \"%1\": %2").arg(name, why));
        }
        placed.append(name);
    }
    QDir().rmdir(staging);
    releaseStaging();
    syncFolder(aside);
    syncFolder(root);
    unlockAll();
    outcome.status = Outcome::Done;
    outcome.path = aside;
    outcome.message = kRestored
                      + QStringLiteral("\r\n\r\nI dati che c'erano prima sono conservati nella cartella "
                                       "\"%1\" della cartella del programma.")
                            .arg(asideName);
    return outcome;
}

void discard(const QString &programFolder)
{
    removeTree(withSlash(programFolder) + DataFiles::kStagingFolder);
    releaseStaging();
}

} // namespace Backup
