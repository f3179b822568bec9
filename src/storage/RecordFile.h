#pragma once

#include "storage/ShortString.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <stdexcept>

// A failure of a file step. Handlers catch it and show their window's message.
class StorageError : public std::runtime_error
{
public:
    explicit StorageError(const QString &what, bool held = false) : std::runtime_error(what.toStdString()), m_held(held)
    {}
    // The file was held by another program (a backup, another copy) for longer than the
    // lock wait: nothing is wrong with the file or its rights.
    bool held() const { return m_held; }

private:
    bool m_held;
};

// A file of fixed-size records with no header: open-or-create, count, read at, overwrite,
// append, scan, close. Positions are 1-based.
//
// While open the file carries an advisory lock: shared for reading, exclusive for writing,
// so two copies of the program working on one shared folder never append at the same
// position. Every write reaches the disk (fsync) before it returns.
//
// An overwrite is all or nothing: the record it replaces is first put aside, with its
// position and a checksum, in a journal file beside the archive (journalPath()), on the disk
// before the record is touched, and the journal is removed once the new record is on the
// disk. A program that stops half-way (a crash, a power cut) leaves the journal; the next
// opening puts the old record back from it. A journal that is not whole, or whose closing
// mark does not repeat the random value of its header, was cut short before the overwrite
// began (or is bytes of an earlier journal): it is removed. Only an opening that holds a
// real write lock plays a journal back or removes it; any other (a write-protected stick, a
// file system that refuses locks) reads the old record from the journal in place of the one
// in the file and leaves both as they are.
class RecordFile
{
public:
    enum Access { Read, Write };

    RecordFile(QString path, int recordSize);
    ~RecordFile(); // closes quietly if still open
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Opens the existing file, for reading only (Read) or for reading and writing (Write), or
    // creates it empty when it is missing. An existing file that cannot be opened is a
    // failure: it is never replaced.
    void open(Access access);
    void close();
    bool isOpen() const { return m_fd >= 0; }

    qint64 count() const;
    // The position of the record last read or written (0 before the first).
    qint64 position() const { return m_position; }

    void readAt(qint64 position, char *record);
    // All or nothing (see above): when the write fails, the old record is put back.
    void overwriteAt(qint64 position, const char *record);
    // Returns the new record's position. When the write fails the file is cut back to the
    // length it had, so no part of the record stays behind.
    qint64 append(const char *record);

    // Reads the record after the current position; false at the end of the file.
    // Reads ahead in large blocks, so a scan costs a few system calls, not one per record.
    bool next(char *record);
    // Visits every record from the current position to the end; the visitor gets the record
    // bytes and its position. Returning false from the visitor stops the scan.
    void scan(const std::function<bool(const char *record, qint64 position)> &visit);
    // Visits every record of the file, read in two halves at once, each on a processor of its
    // own: the visitor gets the half (0 for the first records, 1 for the rest), the record
    // bytes and its position, each half in file order. The two halves are visited at the same
    // time, so the visitor keeps what it gathers apart per half and touches nothing shared
    // without a lock. A small file is visited half after half on the calling thread. Returns
    // when both halves are done; throws StorageError when either could not be read. The
    // current position is left unchanged.
    void scanInHalves(const std::function<void(int half, const char *record, qint64 position)> &visit) const;

    template <class R> void readAt(qint64 p, R &r)
    {
        check<R>();
        readAt(p, recordBytes(r));
    }
    template <class R> void overwriteAt(qint64 p, const R &r)
    {
        check<R>();
        overwriteAt(p, recordBytes(r));
    }
    template <class R> qint64 append(const R &r)
    {
        check<R>();
        return append(recordBytes(r));
    }
    template <class R> bool next(R &r)
    {
        check<R>();
        return next(recordBytes(r));
    }

    const QString &path() const { return m_path; }
    // The rollback journal of an archive: its path with "-journal" after it. Its layout, all
    // numbers little-endian: the 8 bytes "SRSJRNL2", a random value drawn for this save (8
    // bytes), the position (8 bytes), the record size (4 bytes), the old record, the CRC-32
    // (as in zip files) of all the bytes before it (4 bytes), and the random value once more
    // (8 bytes), written and synced only once everything before it is on the disk. A journal
    // "SRSJRNL1" (the same without either random value, left by an earlier version) is played
    // back when whole.
    static QString journalPath(const QString &archivePath);
    // The journal's bytes for a record put aside at a position, closing mark included.
    static QByteArray journalBytes(qint64 position, const QByteArray &record, quint64 nonce);

    // How long open() waits for a lock another holder keeps (10 s), after which it fails.
    static void setLockWait(int ms);
    static int lockWait();

    // Told while an opening for writing waits for another holder's lock (a backup reading the
    // archive): `waiting(ms)` every few milliseconds with the time waited so far, then `done()`
    // once the wait is over, whatever its end. The program shows that it waits.
    struct LockWaitObserver
    {
        std::function<void(qint64 ms)> waiting;
        std::function<void()> done;
    };
    static void setLockWaitObserver(LockWaitObserver observer);

    // The steps of an overwrite and of a rollback, for the crash tests: a hook set by a test
    // tool is called after each (for instance to end the process there). None in the program.
    enum class Step {
        JournalWritten,   // the journal's bytes but the closing mark, written
        JournalSynced,    // ...and on the disk
        JournalCommitted, // the closing mark written and on the disk
        FolderSynced,     // the journal's name on the disk
        ArchiveWritten,   // the new record written
        ArchiveSynced,    // ...and on the disk
        JournalRemoved,   // the journal's name gone from the disk: the save is whole
        RollbackWritten,  // a rollback: the old record written back
        RollbackSynced,   // ...and on the disk
        RollbackRemoved,  // the journal's name gone from the disk
    };
    static void setStepHook(void (*hook)(Step));
    // For the tests of file systems that refuse locks (some network shares): every lock is
    // refused as such a file system refuses it.
    static void setLocksRefused(bool refused);

private:
    template <class R> void check() const { Q_ASSERT(int(sizeof(R)) == m_recordSize); }
    [[noreturn]] void fail(const char *what, bool held = false) const;
    // Opens and locks the file as open() does, with no look at a journal.
    void openLocked(Access access);
    void closeQuietly();
    bool journalExists() const;
    enum class Journal { None, Whole, NotWhole, Unreadable };
    void step(Step s) const;
    // The journal's position and old record, when it is whole and fits this file.
    Journal readJournal(qint64 *position, QByteArray *record) const;
    // Puts back the record of a journal left by a save cut short, and removes the journal.
    void rollBack();
    void removeJournal() const;
    // The old record in place of the one in the file, for a reader that could not roll back.
    void patch(char *records, qint64 first, qint64 count) const;
    // Writes and syncs a record; `journalled` for an overwrite's record (its steps are told).
    void writeAt(qint64 position, const char *record, bool journalled = false);
    void requireOpen() const;
    // Visits the records from `first` to `last` (inclusive); false when a read failed, with
    // errno telling why. Touches nothing of this object but the open file.
    bool visitRange(qint64 first, qint64 last, const std::function<bool(const char *, qint64)> &visit) const;

    QString m_path;
    QByteArray m_journal; // the journal's path, encoded for the system
    int m_recordSize;
    int m_fd = -1;
    // The open file carries a real lock (not one a file system refused to give).
    bool m_locked = false;
    qint64 m_position = 0;
    // Read-ahead of next(): whole records from m_bufferFirst on.
    QByteArray m_buffer;
    qint64 m_bufferFirst = 0;
    qint64 m_bufferCount = 0;
    // An opening that found a journal it could not roll back: the journal's record and position.
    QByteArray m_kept;
    qint64 m_keptPosition = 0;
};
