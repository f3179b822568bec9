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
    explicit StorageError(const QString &what) : std::runtime_error(what.toStdString()) {}
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
// opening puts the old record back from it. A journal that is not whole was cut short before
// the overwrite began: it is removed. An opening for reading that cannot write the archive
// (a write-protected stick) reads the old record from the journal in place of the one in the
// file and leaves both as they are.
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
    // numbers little-endian: the 8 bytes "SRSJRNL1", the position (8 bytes), the record size
    // (4 bytes), the old record, and the CRC-32 (as in zip files) of all the bytes before it
    // (4 bytes).
    static QString journalPath(const QString &archivePath);
    // The journal's bytes for a record put aside at a position.
    static QByteArray journalBytes(qint64 position, const QByteArray &record);

    // How long open() waits for a lock another holder keeps (10 s), after which it fails.
    static void setLockWait(int ms);
    static int lockWait();

private:
    template <class R> void check() const { Q_ASSERT(int(sizeof(R)) == m_recordSize); }
    [[noreturn]] void fail(const char *step) const;
    // Opens and locks the file as open() does, with no look at a journal.
    void openLocked(Access access);
    void closeQuietly();
    bool journalExists() const;
    enum class Journal { None, Whole, NotWhole, Unreadable };
    // The journal's position and old record, when it is whole and fits this file.
    Journal readJournal(qint64 *position, QByteArray *record) const;
    // Puts back the record of a journal left by a save cut short, and removes the journal.
    void rollBack();
    void removeJournal() const;
    // The old record in place of the one in the file, for a reader that could not roll back.
    void patch(char *records, qint64 first, qint64 count) const;
    void writeAt(qint64 position, const char *record);
    void requireOpen() const;
    // Visits the records from `first` to `last` (inclusive); false when a read failed, with
    // errno telling why. Touches nothing of this object but the open file.
    bool visitRange(qint64 first, qint64 last, const std::function<bool(const char *, qint64)> &visit) const;

    QString m_path;
    QByteArray m_journal; // the journal's path, encoded for the system
    int m_recordSize;
    int m_fd = -1;
    qint64 m_position = 0;
    // Read-ahead of next(): whole records from m_bufferFirst on.
    QByteArray m_buffer;
    qint64 m_bufferFirst = 0;
    qint64 m_bufferCount = 0;
    // A reader that found a journal it could not roll back: the journal's record and position.
    QByteArray m_kept;
    qint64 m_keptPosition = 0;
};
