// Saves records into an archive until it is killed, for the crash-consistency test:
// tool_saveloop <kind> <file> <first>, kind being patient, appointment or treatment. Save n
// (from <first> on) appends a record, or, three saves in four once the file holds a few,
// overwrites one already there; every field of record n repeats a pattern made from n
// (SaveLoop.h), so a record that mixes two saves shows. "<n> <position>" goes to the standard
// output once the save has returned (the record is then confirmed, on the disk).
#include "SaveLoop.h"

#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const SaveLoop::Kind kind = SaveLoop::kind(args.at(1));
    if (kind.size == 0)
        return 2;
    QByteArray record(kind.size, '\0');
    for (qint64 n = args.at(3).toLongLong();; ++n) {
        SaveLoop::fill(kind, n, record.data());
        qint64 position = 0;
        try {
            RecordFile file(args.at(2), kind.size);
            file.open(RecordFile::Write);
            const qint64 count = file.count();
            if (count >= 4 && n % 4 != 0) {
                position = 1 + (n * 7) % count;
                file.overwriteAt(position, record.constData());
            } else {
                position = file.append(record.constData());
            }
            file.close();
        } catch (const StorageError &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        const QByteArray line = QByteArray::number(n) + ' ' + QByteArray::number(position) + '\n';
        if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
            return 1;
    }
}
