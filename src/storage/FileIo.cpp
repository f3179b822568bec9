#include "storage/FileIo.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileIo {

namespace {

qint64 g_lockWaitMs = 10000;
bool g_locksRefused = false;

} // namespace

int openNoIntr(const QByteArray &path, int flags, mode_t mode)
{
    int fd;
    do {
        fd = ::open(path.constData(), flags | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

int keepRegular(int fd, bool *notRegular)
{
    if (notRegular)
        *notRegular = false;
    if (fd < 0)
        return -1;
    // A folder opens for reading too, but it is no file to read.
    struct stat st;
    const bool statted = ::fstat(fd, &st) == 0;
    if (!statted || !S_ISREG(st.st_mode)) {
        const int saved = !statted ? errno : S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        if (notRegular)
            *notRegular = statted;
        errno = saved;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

int openRegular(const QByteArray &path, int flags, bool *notRegular)
{
    if (notRegular)
        *notRegular = false;
    return keepRegular(openNoIntr(path, flags | O_NONBLOCK), notRegular);
}

bool readFully(int fd, char *data, qint64 size, qint64 offset, qint64 *got)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, data + done, size_t(size - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        done += n;
    }
    *got = done;
    return true;
}

qint64 readSome(int fd, char *data, qint64 size)
{
    for (;;) {
        const ssize_t n = ::read(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        return n;
    }
}

namespace {

// Writes all of `data` through `write(bytes, count, done so far)`, again after a signal.
template <class Write> bool writeAll(const char *data, qint64 size, Write write)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = write(data + done, size_t(size - done), done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

bool writeFully(int fd, const char *data, qint64 size, qint64 offset)
{
    return writeAll(data, size, [&](const char *bytes, size_t count, qint64 done) {
        return ::pwrite(fd, bytes, count, off_t(offset + done));
    });
}

bool writeFully(int fd, const char *data, qint64 size)
{
    return writeAll(data, size, [&](const char *bytes, size_t count, qint64) { return ::write(fd, bytes, count); });
}

bool syncFile(int fd) { return ::fsync(fd) == 0; }

bool syncFolder(const QString &folder)
{
    const int dfd = openNoIntr(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY);
    if (dfd < 0)
        return false;
    const bool synced = ::fsync(dfd) == 0 || errno == EINVAL; // some file systems cannot sync a folder
    ::close(dfd);
    return synced;
}

bool syncFolderOf(const QString &file) { return syncFolder(QFileInfo(file).absolutePath()); }

Locked lock(int fd, Lock kind, bool wait, const std::function<void(qint64 ms)> &waiting)
{
    int rc;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        if (g_locksRefused) {
            rc = -1;
            errno = ENOLCK;
        } else {
            rc = ::flock(fd, (kind == Lock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
        }
        if (rc == 0 || (errno != EWOULDBLOCK && errno != EINTR) || !wait || waited.elapsed() > g_lockWaitMs)
            break;
        if (waiting)
            waiting(waited.elapsed());
        ::usleep(5000);
    }
    if (rc == 0)
        return Locked::Yes;
    if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS)
        return Locked::Refused;
    if (errno == EINTR) // interrupted on the last try: as good as still held
        errno = EWOULDBLOCK;
    return errno == EWOULDBLOCK ? Locked::Held : Locked::Failed;
}

void setLockWait(int ms) { g_lockWaitMs = ms; }

int lockWait() { return int(g_lockWaitMs); }

void setLocksRefused(bool refused) { g_locksRefused = refused; }

} // namespace FileIo
