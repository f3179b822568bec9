// The odontogram's file read from arbitrary bytes: every entry read is written back to the same
// entry, the latest states and the drawing plan hold only real teeth, each mark on its own
// dentition's scheme, and every description reads.
//
// Input: the file's bytes (records of 56 bytes, perhaps a partial one at the end).
#include "FuzzCheck.h"

#include "chart/Odontogram.h"
#include "storage/OdontogramRecord.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    using namespace Odontogram;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.size() > 64 * TOdontogramRecord::Size)
        return 0;
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Odontogramma_Paziente_1.pro"));
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    const QList<Entry> entries = read(path);
    FUZZ_CHECK(entries.size() <= bytes.size() / TOdontogramRecord::Size);
    for (const Entry &e : entries) {
        FUZZ_CHECK(isTooth(e.fdi));
        FUZZ_CHECK(entry(record(e)) == std::optional<Entry>(e));
        FUZZ_CHECK(toothName(e.fdi, e.state).startsWith(QStringLiteral("Dente %1: ").arg(e.fdi)));
        FUZZ_CHECK(!historyLine(e).isEmpty());
    }
    const QMap<int, ToothState> states = latest(entries);
    for (Dentition dentition : {Dentition::Permanent, Dentition::Deciduous})
        for (const Mark &mark : plan(states, dentition)) {
            FUZZ_CHECK(dentitionOf(mark.fdi) == dentition);
            FUZZ_CHECK(!shapes(mark).isEmpty());
        }
    // Appending what was read gives the same entries once more.
    FUZZ_CHECK(append(path, entries) == entries.size());
    const QList<Entry> twice = read(path);
    FUZZ_CHECK(twice.size() == 2 * entries.size());
    FUZZ_CHECK(twice.mid(entries.size()) == entries);
    return 0;
}
