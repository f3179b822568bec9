#include "storage/RecordFile.h"

#include "storage/FileIo.h"
#include "storage/Together.h"

#include <QFile>
#include <QRandomGenerator>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kReadAheadBytes = 1 << 20;
// Below this a file is read by one thread: starting a second would cost more than it saves.
constexpr qint64 kSplitBytes = 4 << 20;
RecordFile::LockWaitObserver g_lockWaitObserver;
void (*g_stepHook)(RecordFile::Step) = nullptr;

// The journal as this version writes it: the magic, the save's random value, the position and
// the record size; the old record; the CRC-32 of everything before it, then the random value
// again, the closing mark written once the rest is on the disk. A journal of an earlier
// version has neither random value.
constexpr char kJournalMagic[8] = {'S', 'R', 'S', 'J', 'R', 'N', 'L', '2'};
constexpr char kOldJournalMagic[8] = {'S', 'R', 'S', 'J', 'R', 'N', 'L', '1'};
constexpr qint64 kJournalHead = 8 + 8 + 8 + 4; // magic, random value, position, record size
constexpr qint64 kJournalTail = 4 + 8;         // CRC-32, closing mark
constexpr qint64 kJournalMark = 8;             // the closing mark alone
constexpr qint64 kOldJournalHead = 8 + 8 + 4;  // magic, position, record size
constexpr qint64 kOldJournalTail = 4;          // CRC-32

constexpr std::array<quint32, 256> crcTable()
{
    std::array<quint32, 256> table{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

// CRC-32 as zip and PNG files have it.
quint32 crc32(const char *data, qint64 size)
{
    static constexpr std::array<quint32, 256> table = crcTable();
    quint32 c = 0xFFFFFFFFu;
    for (qint64 i = 0; i < size; ++i)
        c = table[(c ^ quint8(data[i])) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putLittle(QByteArray &out, quint64 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

quint64 getLittle(const char *in, int bytes)
{
    quint64 value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= quint64(quint8(in[i])) << (8 * i);
    return value;
}

} // namespace

RecordFile::RecordFile(QString path, int recordSize)
    : m_path(std::move(path)), m_journal(QFile::encodeName(journalPath(m_path))), m_recordSize(recordSize)
{}

QString RecordFile::journalPath(const QString &archivePath) { return archivePath + QStringLiteral("-journal"); }

QByteArray RecordFile::journalBytes(qint64 position, const QByteArray &record, quint64 nonce)
{
    QByteArray bytes;
    bytes.reserve(kJournalHead + record.size() + kJournalTail);
    bytes.append(kJournalMagic, sizeof kJournalMagic);
    putLittle(bytes, nonce, 8);
    putLittle(bytes, quint64(position), 8);
    putLittle(bytes, quint64(record.size()), 4);
    bytes.append(record);
    putLittle(bytes, crc32(bytes.constData(), bytes.size()), 4);
    putLittle(bytes, nonce, 8);
    return bytes;
}

void RecordFile::setLockWaitObserver(LockWaitObserver observer) { g_lockWaitObserver = std::move(observer); }

void RecordFile::setStepHook(void (*hook)(Step)) { g_stepHook = hook; }

void RecordFile::setLocksRefused(bool refused) { FileIo::setLocksRefused(refused); }

void RecordFile::step(Step s) const
{
    if (g_stepHook)
        g_stepHook(s);
}

RecordFile::~RecordFile()
{
    if (m_fd >= 0)
        ::close(m_fd); // a handler that failed has already reported; nothing more to say
}

void RecordFile::fail(const char *what, bool held) const
{
    throw StorageError(
        QStringLiteral("%1 %2: %3").arg(QLatin1String(what), m_path, QString::fromLocal8Bit(std::strerror(errno))),
        held);
}

void RecordFile::requireOpen() const
{
    if (m_fd < 0) {
        errno = EBADF;
        fail("not open");
    }
}

void RecordFile::open(Access access)
{
    if (m_fd >= 0)
        close();
    m_kept.clear();
    m_keptPosition = 0;
    openLocked(access);
    // One look for a journal, under the lock: while a save runs, its holder keeps the file to
    // itself, so a journal seen here was left by a save cut short. Without a real lock (a file
    // system that refuses locks) it may be the journal of a save running now: it is only read.
    if (!journalExists())
        return;
    if (access == Write && m_locked) {
        try {
            rollBack();
        } catch (const StorageError &) {
            closeQuietly();
            throw;
        }
        return;
    }
    if (access == Read) {
        // A reader puts the old record back when it can hold the archive for writing;
        // otherwise (a write-protected stick, no locks) it reads the old record from the
        // journal instead.
        closeQuietly();
        try {
            openLocked(Write);
            if (m_locked)
                rollBack();
            closeQuietly();
        } catch (const StorageError &) {
            closeQuietly();
        }
        openLocked(Read);
    }
    QByteArray kept;
    qint64 keptPosition = 0;
    if (journalExists() && readJournal(&keptPosition, &kept) == Journal::Whole) {
        m_kept = kept;
        m_keptPosition = keptPosition;
    }
}

void RecordFile::closeQuietly()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    m_bufferCount = 0;
}

bool RecordFile::journalExists() const
{
    struct stat st;
    return ::stat(m_journal.constData(), &st) == 0;
}

RecordFile::Journal RecordFile::readJournal(qint64 *position, QByteArray *record) const
{
    // Never waits on something else put in the journal's place (a pipe): only a file is one.
    bool notRegular = false;
    const int fd = FileIo::openRegular(m_journal, O_RDONLY | O_NOFOLLOW, &notRegular);
    if (fd < 0)
        return errno == ENOENT ? Journal::None : errno == ELOOP || notRegular ? Journal::NotWhole : Journal::Unreadable;
    const qint64 expected = kJournalHead + m_recordSize + kJournalTail;
    QByteArray bytes(expected + 1, Qt::Uninitialized); // one byte more tells a longer file
    qint64 got = 0;
    const bool read = FileIo::readFully(fd, bytes.data(), bytes.size(), 0, &got);
    ::close(fd);
    if (!read)
        return Journal::Unreadable;
    const char *b = bytes.constData();
    // This version's journal: whole, its checksum right, and closed by the random value of its
    // header. Bytes of an earlier journal (exposed after a power cut where the file's length
    // reached the disk before its bytes) never close with this save's value.
    qint64 head = kJournalHead;
    bool whole = got == expected && std::memcmp(b, kJournalMagic, sizeof kJournalMagic) == 0
                 && getLittle(b + expected - kJournalMark, 8) == getLittle(b + 8, 8);
    if (got >= 8 && std::memcmp(b, kOldJournalMagic, sizeof kOldJournalMagic) == 0) {
        // Left by an earlier version, which had no random value: played back as it would have.
        head = kOldJournalHead;
        whole = got == kOldJournalHead + m_recordSize + kOldJournalTail;
    }
    const qint64 checked = head + m_recordSize; // the bytes the checksum covers
    if (!whole || getLittle(b + head - 4, 4) != quint64(m_recordSize) || getLittle(b + checked, 4) != crc32(b, checked))
        return Journal::NotWhole;
    const qint64 at = qint64(getLittle(b + head - 12, 8));
    struct stat st;
    if (::fstat(m_fd, &st) < 0)
        return Journal::Unreadable;
    if (at < 1 || at > qint64(st.st_size) / m_recordSize)
        return Journal::NotWhole; // not a record of this file
    *position = at;
    *record = bytes.mid(head, m_recordSize);
    return Journal::Whole;
}

void RecordFile::rollBack()
{
    qint64 position = 0;
    QByteArray old;
    switch (readJournal(&position, &old)) {
    case Journal::Whole:
        if (!FileIo::writeFully(m_fd, old.constData(), m_recordSize, (position - 1) * m_recordSize))
            fail("roll back");
        step(Step::RollbackWritten);
        if (!FileIo::syncFile(m_fd))
            fail("roll back");
        step(Step::RollbackSynced);
        break;
    case Journal::Unreadable: // kept: it may hold a record to put back
        fail("read the journal of");
    case Journal::NotWhole: // cut short before the overwrite began: nothing to undo
    case Journal::None:
        break;
    }
    removeJournal();
    step(Step::RollbackRemoved);
}

void RecordFile::removeJournal() const
{
    if (::unlink(m_journal.constData()) < 0 && errno != ENOENT)
        fail("remove the journal of");
    if (!FileIo::syncFolderOf(m_path))
        fail("remove the journal of");
}

void RecordFile::patch(char *records, qint64 first, qint64 count) const
{
    if (m_keptPosition >= first && m_keptPosition < first + count)
        std::memcpy(records + (m_keptPosition - first) * m_recordSize, m_kept.constData(), size_t(m_recordSize));
}

void RecordFile::openLocked(Access access)
{
    const QByteArray native = QFile::encodeName(m_path);
    // Reading needs no write access: an archive on a write-protected stick or share can still
    // be looked at. Only a save asks for it.
    const int mode = access == Write ? O_RDWR : O_RDONLY;
    // Without waiting: a named pipe or a device put in the archive's place would block the
    // opening until somebody else opened its other end. It is refused below.
    int fd = FileIo::openNoIntr(native, mode | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT) {
        // Only a missing file is created; O_EXCL keeps a file made meanwhile by someone else.
        fd = FileIo::openNoIntr(native, O_RDWR | O_CREAT | O_EXCL | O_NONBLOCK);
        if (fd < 0 && errno == EEXIST)
            fd = FileIo::openNoIntr(native, mode | O_NONBLOCK);
        else if (fd >= 0)
            FileIo::syncFolderOf(m_path); // make the new name itself durable
    }
    if (fd < 0 || (fd = FileIo::keepRegular(fd)) < 0)
        fail("open");
    bool told = false; // the observer was told of the wait
    std::function<void(qint64)> waiting;
    if (access == Write && g_lockWaitObserver.waiting)
        waiting = [&told](qint64 ms) {
            told = true;
            g_lockWaitObserver.waiting(ms);
        };
    const FileIo::Locked locked =
        FileIo::lock(fd, access == Write ? FileIo::Lock::Exclusive : FileIo::Lock::Shared, true, waiting);
    const int lockError = errno;
    if (told && g_lockWaitObserver.done)
        g_lockWaitObserver.done();
    // A file system that cannot lock at all (some network shares) still gives the file: the
    // lock protects concurrent copies where it can, it must not lock the user out. Such an
    // opening never plays a journal back (see open()).
    m_locked = locked == FileIo::Locked::Yes;
    if (locked == FileIo::Locked::Held || locked == FileIo::Locked::Failed) {
        ::close(fd);
        errno = lockError;
        fail("lock", locked == FileIo::Locked::Held);
    }
    m_fd = fd;
    m_position = 0;
    m_bufferCount = 0;
}

void RecordFile::setLockWait(int ms) { FileIo::setLockWait(ms); }

int RecordFile::lockWait() { return FileIo::lockWait(); }

void RecordFile::close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    m_buffer.clear();
    m_bufferCount = 0;
    m_kept.clear();
    m_keptPosition = 0;
    if (::close(fd) < 0 && errno != EINTR)
        fail("close");
}

qint64 RecordFile::count() const
{
    requireOpen();
    struct stat st;
    if (::fstat(m_fd, &st) < 0)
        fail("stat");
    return qint64(st.st_size) / m_recordSize;
}

void RecordFile::readAt(qint64 position, char *record)
{
    requireOpen();
    qint64 got = 0;
    if (position < 1 || !FileIo::readFully(m_fd, record, m_recordSize, (position - 1) * m_recordSize, &got))
        fail("read");
    if (got < m_recordSize) {
        errno = EIO;
        fail("short read");
    }
    patch(record, position, 1);
    m_position = position;
}

void RecordFile::writeAt(qint64 position, const char *record, bool journalled)
{
    requireOpen();
    if (!FileIo::writeFully(m_fd, record, m_recordSize, (position - 1) * m_recordSize))
        fail("write");
    if (journalled)
        step(Step::ArchiveWritten);
    if (!FileIo::syncFile(m_fd))
        fail("sync");
    if (journalled)
        step(Step::ArchiveSynced);
    m_position = position;
    m_bufferCount = 0; // the read-ahead may hold the old bytes
}

void RecordFile::overwriteAt(qint64 position, const char *record)
{
    if (position < 1) {
        errno = EINVAL;
        fail("overwrite");
    }
    requireOpen();
    if (position > count()) {
        writeAt(position, record); // no record there yet: nothing to put aside
        return;
    }
    // The old record goes into the journal, on the disk (its name too) before the overwrite.
    QByteArray old(m_recordSize, Qt::Uninitialized);
    qint64 got = 0;
    if (!FileIo::readFully(m_fd, old.data(), m_recordSize, (position - 1) * m_recordSize, &got) || got < m_recordSize)
        fail("read");
    // A value of this save alone, so that no earlier journal's bytes can pass for this one's.
    const QByteArray journal = journalBytes(position, old, QRandomGenerator::system()->generate64());
    const qint64 body = journal.size() - kJournalMark;
    // A journal left by a save cut short was taken away when the file was opened (or, where
    // the file system refuses locks, this fails while another copy's journal is there).
    const int jfd = FileIo::openNoIntr(m_journal, O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (jfd < 0)
        fail("write the journal of");
    // The closing mark is written only once the rest is on the disk: a journal whose bytes
    // did not all reach the disk never closes with this save's value.
    bool journalled = FileIo::writeFully(jfd, journal.constData(), body, 0);
    if (journalled)
        step(Step::JournalWritten);
    journalled = journalled && FileIo::syncFile(jfd);
    if (journalled)
        step(Step::JournalSynced);
    journalled =
        journalled && FileIo::writeFully(jfd, journal.constData() + body, kJournalMark, body) && FileIo::syncFile(jfd);
    if (journalled)
        step(Step::JournalCommitted);
    const int saved = errno;
    ::close(jfd);
    if (!journalled || !FileIo::syncFolderOf(m_path)) {
        if (!journalled)
            errno = saved;
        const int why = errno;
        ::unlink(m_journal.constData()); // the archive is untouched: the journal is of no use
        errno = why;
        fail("write the journal of");
    }
    step(Step::FolderSynced);
    try {
        writeAt(position, record, true);
    } catch (const StorageError &) {
        // Failed half-way: the old record goes back at once. When even that fails the journal
        // stays, and the next opening puts it back.
        m_bufferCount = 0;
        if (FileIo::writeFully(m_fd, old.constData(), m_recordSize, (position - 1) * m_recordSize)
            && FileIo::syncFile(m_fd)) {
            try {
                removeJournal();
            } catch (const StorageError &) {
            }
        }
        throw;
    }
    removeJournal();
    step(Step::JournalRemoved);
}

qint64 RecordFile::append(const char *record)
{
    requireOpen();
    struct stat st;
    if (::fstat(m_fd, &st) < 0)
        fail("stat");
    // Just after the last whole record: the bytes of a partial record are overwritten.
    const qint64 position = qint64(st.st_size) / m_recordSize + 1;
    try {
        writeAt(position, record);
    } catch (const StorageError &) {
        // A write that failed half-way (a full disk) must not leave part of a record behind:
        // the file goes back to the length it had.
        while (::ftruncate(m_fd, off_t(st.st_size)) < 0 && errno == EINTR) {
        }
        m_bufferCount = 0;
        throw;
    }
    return position;
}

bool RecordFile::next(char *record)
{
    requireOpen();
    const qint64 wanted = m_position + 1;
    if (wanted < m_bufferFirst || wanted >= m_bufferFirst + m_bufferCount) {
        const qint64 perBlock = qMax<qint64>(1, kReadAheadBytes / m_recordSize);
        m_buffer.resize(perBlock * m_recordSize);
        qint64 got = 0;
        if (!FileIo::readFully(m_fd, m_buffer.data(), m_buffer.size(), (wanted - 1) * m_recordSize, &got))
            fail("read");
        m_bufferFirst = wanted;
        m_bufferCount = got / m_recordSize;
        if (m_bufferCount == 0)
            return false;
        patch(m_buffer.data(), m_bufferFirst, m_bufferCount);
    }
    std::memcpy(record, m_buffer.constData() + (wanted - m_bufferFirst) * m_recordSize, size_t(m_recordSize));
    m_position = wanted;
    return true;
}

bool RecordFile::visitRange(qint64 first, qint64 last, const std::function<bool(const char *, qint64)> &visit) const
{
    const qint64 perBlock = qMax<qint64>(1, kReadAheadBytes / m_recordSize);
    QByteArray block(perBlock * m_recordSize, Qt::Uninitialized);
    for (qint64 from = first; from <= last;) {
        const qint64 want = qMin(perBlock, last - from + 1);
        qint64 got = 0;
        if (!FileIo::readFully(m_fd, block.data(), want * m_recordSize, (from - 1) * m_recordSize, &got))
            return false;
        const qint64 records = got / m_recordSize;
        if (records == 0)
            return true; // the file shrank under us: nothing more to read
        patch(block.data(), from, records);
        for (qint64 i = 0; i < records; ++i)
            if (!visit(block.constData() + i * m_recordSize, from + i))
                return true;
        from += records;
    }
    return true;
}

void RecordFile::scan(const std::function<bool(const char *, qint64)> &visit)
{
    requireOpen();
    const bool read = visitRange(m_position + 1, count(), [&](const char *record, qint64 position) {
        m_position = position;
        return visit(record, position);
    });
    if (!read)
        fail("read");
}

void RecordFile::scanInHalves(const std::function<void(int, const char *, qint64)> &visit) const
{
    requireOpen();
    const qint64 total = count();
    const qint64 middle = total / 2;
    // Whether each half was read whole, and if not the read's error.
    std::array<bool, 2> read{false, false};
    std::array<int, 2> error{0, 0};
    const auto visitHalf = [&](int half) {
        read[size_t(half)] = visitRange(half == 0 ? 1 : middle + 1, half == 0 ? middle : total,
                                        [&](const char *record, qint64 position) {
                                            visit(half, record, position);
                                            return true;
                                        });
        error[size_t(half)] = errno;
    };
    if (total * m_recordSize < kSplitBytes) {
        visitHalf(0);
        if (read[0])
            visitHalf(1);
    } else {
        bothAtOnce([&] { visitHalf(0); }, [&] { visitHalf(1); });
    }
    for (int half : {0, 1})
        if (!read[size_t(half)]) {
            errno = error[size_t(half)];
            fail("read");
        }
}
