#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

// What tells one state of a file from another: any save changes its time of change (to the
// nanosecond where the file system keeps it), an append its size, a file put in its place (a
// restore, a copy) its inode. Two stamps of one path that are equal say "not changed".
struct FileStamp
{
    qint64 size = -1;
    qint64 device = 0;
    qint64 inode = 0;
    qint64 changedNs = 0; // the time of the last change, nanoseconds since 1970

    bool operator==(const FileStamp &) const = default;

    // The file's stamp now; none when it cannot be looked at (missing, no rights).
    static std::optional<FileStamp> of(const QString &path);
};
