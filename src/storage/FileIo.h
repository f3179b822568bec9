#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <sys/types.h>

// The few POSIX steps every file of the program goes through, and the archives' lock protocol,
// written once: the record files, the backup, the password and attachment files use them, so
// that a backup reads a file under the very lock a save takes.
namespace FileIo {

// open() again when a signal interrupts it; the descriptor is closed on exec.
int openNoIntr(const QByteArray &path, int flags, mode_t mode = 0666);

// Opens an existing file without waiting (a named pipe or a device put in its place would block
// the opening until somebody opened its other end) and refuses anything but a regular file:
// -1 then, with errno EISDIR for a folder and EINVAL for anything else, and `notRegular` set
// when given. The descriptor returned blocks as usual.
int openRegular(const QByteArray &path, int flags, bool *notRegular = nullptr);
// The same check on a descriptor opened with O_NONBLOCK: gives it back blocking, or closes it
// and returns -1 (errno as above).
int keepRegular(int fd, bool *notRegular = nullptr);

// Reads `size` bytes at `offset`, fewer at the end of the file (`got` says how many); false
// with errno when a read failed.
bool readFully(int fd, char *data, qint64 size, qint64 offset, qint64 *got);
// Reads at the current offset what one read gives (0 at the end, -1 with errno).
qint64 readSome(int fd, char *data, qint64 size);
// Writes all of `data` at `offset`, or at the current offset; false with errno (EIO when the
// system wrote nothing and said no more).
bool writeFully(int fd, const char *data, qint64 size, qint64 offset);
bool writeFully(int fd, const char *data, qint64 size);
// Puts the file's bytes on the disk.
bool syncFile(int fd);
// Makes the folder's list of names durable (a name made or removed in it); a file system that
// cannot sync a folder counts as done.
bool syncFolder(const QString &folder);
// The same for the folder that holds `file`.
bool syncFolderOf(const QString &file);

// The archives' advisory lock: shared to read, exclusive to write. Another copy of the program
// holds a file for one action at most, so a lock is waited for, but never for ever (a copy that
// hangs must not hang this one too).
enum class Lock { Shared, Exclusive };
enum class Locked {
    Yes,     // the lock is held
    Refused, // the file system cannot lock at all (some network shares): the file may be used,
             // with no lock to protect it; it must not lock the user out
    Held,    // another holder kept it past the wait (errno EWOULDBLOCK): nothing is wrong with the file
    Failed,  // any other failure, errno telling why
};
// Takes the lock on `fd`, waiting up to lockWait() when `wait`, otherwise trying once.
// `waiting`, when given, is told every few milliseconds with the time waited so far.
Locked lock(int fd, Lock kind, bool wait, const std::function<void(qint64 ms)> &waiting = {});
// How long lock() waits for another holder (10 s).
void setLockWait(int ms);
int lockWait();
// For the tests of file systems that refuse locks: every lock is refused as such a file
// system refuses it.
void setLocksRefused(bool refused);

} // namespace FileIo
