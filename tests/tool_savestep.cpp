// One save (or one opening) of an archive that stops itself at a given step, for the crash
// tests: tool_savestep <kind> <file> <position> <n> <step> <kill|stop>. With a position it
// overwrites the record there with record n of the kind (SaveLoop.h); with position 0 it
// opens the archive to read it, which plays back a journal left by a save cut short. At the
// step (a RecordFile::Step, by number) it ends itself with SIGKILL ("kill") or stops with
// SIGSTOP until it is continued ("stop"). Prints "saved" once the save (or the opening) has
// returned.
#include "SaveLoop.h"

#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <csignal>
#include <cstdio>

namespace {
int g_step = -1;
int g_signal = SIGKILL;

void stopAt(RecordFile::Step step)
{
    if (int(step) == g_step)
        std::raise(g_signal);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 7)
        return 2;
    const SaveLoop::Kind kind = SaveLoop::kind(args.at(1));
    if (kind.size == 0)
        return 2;
    const qint64 position = args.at(3).toLongLong();
    g_step = args.at(5).toInt();
    g_signal = args.at(6) == QLatin1String("stop") ? SIGSTOP : SIGKILL;
    RecordFile::setStepHook(stopAt);
    try {
        RecordFile file(args.at(2), kind.size);
        file.open(position > 0 ? RecordFile::Write : RecordFile::Read);
        if (position > 0) {
            QByteArray record(kind.size, '\0');
            SaveLoop::fill(kind, args.at(4).toLongLong(), record.data());
            file.overwriteAt(position, record.constData());
        }
        file.close();
    } catch (const StorageError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("saved\n");
    return 0;
}
