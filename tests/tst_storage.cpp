#include "SaveLoop.h"
#include "support/Faults.h"
#include "support/TestSupport.h"

#include "appointments/AppointmentLines.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <atomic>
#include <csignal>
#include <map>
#include <optional>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

class TestStorage : public QObject
{
    Q_OBJECT

private:
    static constexpr QFile::Permissions kReadOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;

    // The archive gets the given permissions; the folder stays open to anybody, so that the
    // file's own permissions decide.
    static void protect(const TestWorld &world, const QString &name, QFile::Permissions permissions)
    {
        QVERIFY(QFile::setPermissions(world.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                          | QFile::ReadOther | QFile::ExeOther));
        QVERIFY(QFile::setPermissions(world.file(name), permissions));
    }

    static TAppointmentRecord appointment(const QString &name)
    {
        TAppointmentRecord r{};
        r.Contatto.setText(name);
        return r;
    }

    // An appointment archive of `n` cards, each named by its position.
    static void writeNumberedArchive(TestWorld &world, int n)
    {
        QByteArray bytes;
        for (int i = 1; i <= n; ++i) {
            TAppointmentRecord r = appointment(QString::number(i));
            bytes.append(recordBytes(r), TAppointmentRecord::Size);
        }
        world.write(kAppointmentArchive, bytes);
    }

    static TPatientRecord patient(const QString &name)
    {
        TPatientRecord r{};
        r.Name.setText(name);
        r.Notes.setText(QString(200, name.at(0))); // bytes beyond the first memory page
        r.Desc03.setText(name);
        return r;
    }

    // CRC-32 (as zip files have it), worked out bit by bit.
    static quint32 crc32(const QByteArray &bytes)
    {
        quint32 c = 0xFFFFFFFFu;
        for (char b : bytes) {
            c ^= quint8(b);
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        return ~c;
    }

    static QByteArray little(quint64 value, int bytes)
    {
        QByteArray out;
        for (int i = 0; i < bytes; ++i)
            out.append(char(value >> (8 * i)));
        return out;
    }

    // A rollback journal as docs/files.md lays it out, closed by its random value (or by another).
    static QByteArray journal(qint64 position, const QByteArray &old, quint64 nonce = 0x1122334455667788u,
                              std::optional<quint64> mark = std::nullopt)
    {
        QByteArray bytes =
            "SRSJRNL2" + little(nonce, 8) + little(quint64(position), 8) + little(quint64(old.size()), 4) + old;
        return bytes + little(crc32(bytes), 4) + little(mark.value_or(nonce), 8);
    }
    // The journal of the version before, without random values.
    static QByteArray oldJournal(qint64 position, const QByteArray &old)
    {
        QByteArray bytes = "SRSJRNL1" + little(quint64(position), 8) + little(quint64(old.size()), 4) + old;
        return bytes + little(crc32(bytes), 4);
    }

    static QString toolPath(const char *name)
    {
        return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
    }

    // An archive of records 1 to count of the crash test's kind (SaveLoop.h), n at position n.
    static void writeSaveLoopArchive(const QString &path, const SaveLoop::Kind &layout, int count)
    {
        QByteArray bytes(qsizetype(count) * layout.size, '\0');
        for (int n = 1; n <= count; ++n)
            SaveLoop::fill(layout, n, bytes.data() + qsizetype(n - 1) * layout.size);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    // The number of each record of an archive opened as the program opens it (-1 for a torn one).
    static QList<qint64> numbers(const QString &path, const SaveLoop::Kind &layout)
    {
        QList<qint64> found;
        RecordFile file(path, layout.size);
        file.open(RecordFile::Read);
        file.scan([&](const char *record, qint64) {
            found << SaveLoop::number(layout, record).value_or(-1);
            return true;
        });
        file.close();
        return found;
    }

    // Whether a process has stopped itself (SIGSTOP).
    static bool isStopped(qint64 pid)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            return false;
        const QByteArray line = stat.readAll();
        const qsizetype close = line.lastIndexOf(')');
        return close > 0 && line.mid(close + 2, 1) == "T";
    }

    // Every way the archive can be read, each giving its second record's name.
    static QStringList secondNames(RecordFile &file)
    {
        QStringList names;
        TPatientRecord r;
        file.readAt(2, r);
        names << r.Name.text();
        file.readAt(1, r);
        if (file.next(r))
            names << r.Name.text();
        file.readAt(1, r);
        file.scan([&](const char *rec, qint64 position) {
            if (position == 2)
                names << reinterpret_cast<const TPatientRecord *>(rec)->Name.text();
            return true;
        });
        file.scanInHalves([&](int, const char *rec, qint64 position) {
            if (position == 2)
                names << reinterpret_cast<const TPatientRecord *>(rec)->Name.text();
        });
        return names;
    }

private slots:
    // Offsets worked out by hand from the capacities, field by field.
    void layouts_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("capacity");
        const auto row = [](const char *rec, const char *f, int off, int cap) {
            QTest::newRow(qPrintable(QStringLiteral("%1.%2").arg(QLatin1String(rec), QLatin1String(f))))
                << QString::fromLatin1(rec) << QString::fromLatin1(f) << off << cap;
        };
        row("patient", "Name", 0, 250);
        row("patient", "Gender", 251, 1);
        row("patient", "BirthDate", 253, 10);
        row("patient", "Zip", 668, 30);
        row("patient", "TaxNumber", 750, 50);
        row("patient", "MobilePhone", 934, 30);
        row("patient", "Work", 1016, 250);
        row("patient", "Notes", 3526, 250);
        row("patient", "Dente01", 3777, 250);
        row("patient", "Dente17", 7793, 250);
        row("patient", "Dente32", 11558, 250);
        row("patient", "File01", 11809, 250);
        row("patient", "File03", 12311, 250);
        row("patient", "Desc01", 12562, 250);
        row("patient", "Desc03", 13064, 250);
        row("appointment", "Data", 0, 10);
        row("appointment", "Ora", 17, 5);
        row("appointment", "Avviso", 23, 3);
        row("appointment", "Causale", 78, 250);
        row("appointment", "Cel", 662, 30);
        row("appointment", "Importo", 995, 15);
        row("appointment", "Ottemperata", 1262, 2);
        row("treatment", "Data", 0, 10);
        row("treatment", "Ora", 11, 5);
        row("treatment", "Trattamenti", 17, 50);
        row("treatment", "Dentista", 68, 28);
        row("treatment", "Importo", 97, 15);
    }
    void layouts()
    {
        QFETCH(QString, record);
        QFETCH(QString, field);
        QFETCH(int, offset);
        QFETCH(int, capacity);
        std::span<const RecordField> fields = record == QLatin1String("patient")       ? TPatientRecord::fields()
                                              : record == QLatin1String("appointment") ? TAppointmentRecord::fields()
                                                                                       : TTreatmentRecord::fields();
        const auto it = std::find_if(fields.begin(), fields.end(),
                                     [&](const RecordField &f) { return field == QLatin1String(f.name); });
        QVERIFY(it != fields.end());
        QCOMPARE(it->offset, offset);
        QCOMPARE(it->capacity, capacity);
    }

    void fieldTablesCoverEveryByte()
    {
        const auto total = [](std::span<const RecordField> fields) {
            int next = 0;
            for (const RecordField &f : fields) {
                if (f.offset != next)
                    return -1;
                next += f.capacity + 1;
            }
            return next;
        };
        QCOMPARE(TPatientRecord::fields().size(), size_t(64));
        QCOMPARE(total(TPatientRecord::fields()), 13315);
        QCOMPARE(TAppointmentRecord::fields().size(), size_t(16));
        QCOMPARE(total(TAppointmentRecord::fields()), 1265);
        QCOMPARE(TTreatmentRecord::fields().size(), size_t(5));
        QCOMPARE(total(TTreatmentRecord::fields()), 113);
        QCOMPARE(QLatin1String(TPatientRecord::fields()[58].name), QLatin1String("File01"));
        QCOMPARE(QLatin1String(TAppointmentRecord::fields()[3].name), QLatin1String("Ora"));
    }

    void flagBytes()
    {
        TAppointmentRecord r{};
        r.Ottemperata.setText(kFlagYes);
        QCOMPARE(QByteArray(recordBytes(r) + 1262, 3), QByteArray("\x02\x53\xEC", 3));
        r.Ottemperata.setText(kFlagNo);
        QCOMPARE(QByteArray(recordBytes(r) + 1262, 3), QByteArray("\x02\x4E\x6F", 3));
        QCOMPARE(r.Ottemperata.text(), kFlagNo);
    }

    void textRules_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("capacity");
        QTest::addColumn<QByteArray>("bytes"); // length byte and text
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << "Rossi Mario" << 50 << QByteArray("\x0BRossi Mario") << "Rossi Mario";
        QTest::newRow("trimmed both ends, inner kept") << " \t Rossi  Mario\r\n"
                                                       << 50 << QByteArray("\x0CRossi  Mario") << "Rossi  Mario";
        QTest::newRow("control characters trimmed")
            << QStringLiteral("\x01\x1FX\x7F") << 5 << QByteArray("\x02X\x7F") << QStringLiteral("X\x7F");
        QTest::newRow("accented letters in Windows-1252")
            << QStringLiteral("Niccolò è già") << 50 << QByteArray("\x0DNiccol\xF2 \xE8 gi\xE0")
            << QStringLiteral("Niccolò è già");
        QTest::newRow("euro sign") << QStringLiteral("€ 12,50") << 15 << QByteArray("\x07\x80 12,50")
                                   << QStringLiteral("€ 12,50");
        QTest::newRow("cut at capacity, then trimmed on reading") << "ab  cd" << 4
                                                                  << QByteArray("\x04"
                                                                                "ab  ")
                                                                  << "ab";
        QTest::newRow("unrepresentable character") << QStringLiteral("a\u4E2Db") << 10
                                                   << QByteArray("\x03"
                                                                 "a?b")
                                                   << "a?b";
        QTest::newRow("empty") << "   " << 10 << QByteArray("\x00", 1) << "";
    }
    void textRules()
    {
        QFETCH(QString, stored);
        QFETCH(int, capacity);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, readBack);
        QByteArray field(capacity + 1, '\xAA');
        AnsiText::writeShortString(field.data(), capacity, stored);
        QCOMPARE(field.left(bytes.size()), bytes);
        QCOMPARE(AnsiText::readShortString(field.constData(), capacity), readBack);
    }

    void longTextIsCutToCapacity()
    {
        TPatientRecord r{};
        r.Work.setText(QString(300, QLatin1Char('x')));
        QCOMPARE(r.Work.text(), QString(250, QLatin1Char('x')));
        QCOMPARE(quint8(r.Work.length), quint8(250));
    }

    void lengthByteAboveCapacityReadsOnlyTheCapacity()
    {
        QByteArray field("\xFF"
                         "abcdefghijk",
                         12);
        QCOMPARE(AnsiText::readShortString(field.constData(), 5), QStringLiteral("abcde"));
    }

    void allByteValuesRoundTrip()
    {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(AnsiText::toAnsi(AnsiText::fromAnsi(all)), all);
    }

    void missingFileIsCreatedEmpty()
    {
        TestWorld world;
        RecordFile file(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        QCOMPARE(file.count(), 0);
        TAppointmentRecord r;
        QVERIFY(!file.next(r));
        file.close();
        QVERIFY(QFile::exists(world.file(kAppointmentArchive)));
        QCOMPARE(QFileInfo(world.file(kAppointmentArchive)).size(), 0);
    }

    void appendReadOverwrite()
    {
        TestWorld world;
        const int R = TAppointmentRecord::Size;
        RecordFile file(world.file(kAppointmentArchive), R);
        file.open(RecordFile::Write);
        for (int i = 1; i <= 5; ++i)
            QCOMPARE(file.append(appointment(QStringLiteral("card %1").arg(i))), qint64(i));
        QCOMPARE(file.count(), 5);
        file.close();
        const QByteArray before = world.read(kAppointmentArchive);
        QCOMPARE(before.size(), 5 * R);

        file.open(RecordFile::Write);
        file.overwriteAt(3, appointment(QStringLiteral("changed")));
        QCOMPARE(file.position(), 3);
        TAppointmentRecord r;
        file.readAt(3, r);
        QCOMPARE(r.Contatto.text(), QStringLiteral("changed"));
        QCOMPARE(file.position(), 3);
        file.close();
        const QByteArray after = world.read(kAppointmentArchive);
        QCOMPARE(after.size(), 5 * R);
        QCOMPARE(after.left(2 * R), before.left(2 * R));
        QCOMPARE(after.mid(3 * R), before.mid(3 * R));
        QVERIFY(after.mid(2 * R, R) != before.mid(2 * R, R));
        // The journal of the overwrite is gone: the folder holds the archive alone.
        QCOMPARE(QDir(world.folder()).entryList(QDir::Files), QStringList{kAppointmentArchive});
    }

    // The journal's layout: the random value, the position, the record size, the old record,
    // its checksum and the random value again.
    void journalLayout()
    {
        const QByteArray old = QByteArray("an old record") + QByteArray(100, '\xE8');
        QCOMPARE(RecordFile::journalBytes(3, old, 0xA1B2C3D4E5F60718u), journal(3, old, 0xA1B2C3D4E5F60718u));
        QCOMPARE(crc32("123456789"), 0xCBF43926u); // the check value of CRC-32
        QCOMPARE(RecordFile::journalPath(QStringLiteral("/a/Archivio_Pazienti.pro")),
                 QStringLiteral("/a/Archivio_Pazienti.pro-journal"));
    }

    // A save cut short in the middle of an overwrite (a crash, a power cut) leaves a record
    // new up to a memory page and old after it, and the journal; every later opening finds
    // the old record whole. A journal that is not whole, or not of this file, was cut short
    // before the overwrite began: the archive is as it was and the journal goes. So are the
    // bytes of an earlier journal that a power cut exposed under a new journal's length (the
    // archive holds a later save, whole): they never close with the new save's random value.
    // Where the file system refuses locks, another copy may be saving right now: the journal
    // is only read, and nothing is touched.
    void journalOfACutOverwrite_data()
    {
        QTest::addColumn<QString>("journalKind");
        QTest::addColumn<int>("access");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("locks");
        QTest::addColumn<bool>("rolledBack"); // else the file is left as it was
        QTest::addColumn<bool>("journalStays");
        const int read = int(RecordFile::Read), write = int(RecordFile::Write);
        QTest::newRow("whole, opened to save") << "whole" << write << true << true << true << false;
        QTest::newRow("whole, opened to read") << "whole" << read << true << true << true << false;
        QTest::newRow("whole, read-only archive: the old record read from the journal")
            << "whole" << read << false << true << false << true;
        QTest::newRow("whole, locks refused, opened to read: only read")
            << "whole" << read << true << false << false << true;
        QTest::newRow("whole, locks refused, opened to save: only read")
            << "whole" << write << true << false << false << true;
        QTest::newRow("cut short, locks refused: left alone") << "cut" << read << true << false << false << true;
        QTest::newRow("of the version before, whole") << "old" << read << true << true << true << false;
        QTest::newRow("cut short") << "cut" << write << true << true << false << false;
        QTest::newRow("cut short, opened to read") << "cut" << read << true << true << false << false;
        QTest::newRow("wrong checksum") << "checksum" << read << true << true << false << false;
        QTest::newRow("another record size") << "size" << write << true << true << false << false;
        QTest::newRow("a position past the end") << "past" << write << true << true << false << false;
        QTest::newRow("an earlier journal, without the closing mark")
            << "earlier" << read << true << true << false << false;
        QTest::newRow("an earlier journal, closed by its own value")
            << "stale" << write << true << true << false << false;
    }
    void journalOfACutOverwrite()
    {
        QFETCH(QString, journalKind);
        QFETCH(int, access);
        QFETCH(bool, writable);
        QFETCH(bool, locks);
        QFETCH(bool, rolledBack);
        QFETCH(bool, journalStays);
        TestWorld world;
        const int R = TPatientRecord::Size;
        const TPatientRecord uno = patient(QStringLiteral("UNO")), due = patient(QStringLiteral("DUE")),
                             nuova = patient(QStringLiteral("NUOVA")), tre = patient(QStringLiteral("TRE"));
        const QByteArray old(recordBytes(due), R);
        const bool started = journalKind == QLatin1String("whole") || journalKind == QLatin1String("old");
        const bool earlier = journalKind == QLatin1String("earlier") || journalKind == QLatin1String("stale");
        // A torn record (the new one up to 4 KiB, the old one after it) where the overwrite
        // began; a later save, whole, under an earlier journal's bytes.
        const QByteArray second = started   ? QByteArray(recordBytes(nuova), 4096) + old.mid(4096)
                                  : earlier ? QByteArray(recordBytes(nuova), R)
                                            : old;
        const QByteArray archive = QByteArray(recordBytes(uno), R) + second + QByteArray(recordBytes(tre), R);
        world.write(kPatientArchive, archive);
        QByteArray j = journal(journalKind == QLatin1String("past") ? 4 : 2, old);
        if (journalKind == QLatin1String("cut"))
            j.chop(10);
        else if (journalKind == QLatin1String("checksum"))
            j[100] = char(j[100] ^ 1);
        else if (journalKind == QLatin1String("size"))
            j = journal(2, old.left(R - 1));
        else if (journalKind == QLatin1String("old"))
            j = oldJournal(2, old);
        else if (journalKind == QLatin1String("earlier"))
            j.chop(8); // the new journal's length reached the disk before its closing mark
        else if (journalKind == QLatin1String("stale"))
            j = journal(2, old, 0x1122334455667788u, 0x8877665544332211u);
        const QString journalName = kPatientArchive + QStringLiteral("-journal");
        world.write(journalName, j);
        if (!writable)
            protect(world, kPatientArchive, kReadOnly);

        QStringList names;
        {
            std::optional<AsUnprivileged> unprivileged;
            if (!writable)
                QVERIFY(unprivileged.emplace().ok());
            RecordFile::setLocksRefused(!locks);
            RecordFile file(world.file(kPatientArchive), R);
            file.open(RecordFile::Access(access));
            RecordFile::setLocksRefused(false);
            QCOMPARE(file.count(), 3);
            names = secondNames(file);
        }
        // The old record, whole (or the later save, under an earlier journal's bytes).
        const QString shown = earlier ? QStringLiteral("NUOVA") : QStringLiteral("DUE");
        QCOMPARE(names, QStringList(4, shown));
        QCOMPARE(world.read(kPatientArchive), rolledBack ? QByteArray(archive).replace(R, R, old) : archive);
        QCOMPARE(QFile::exists(world.file(journalName)), journalStays);
        if (journalStays) {
            QCOMPARE(world.read(journalName), j);
            // Once the archive can be written under a lock, the first opening puts the old
            // record back (or takes away a journal cut short).
            QVERIFY(QFile::setPermissions(world.file(kPatientArchive), QFile::ReadOwner | QFile::WriteOwner));
            RecordFile file(world.file(kPatientArchive), R);
            file.open(RecordFile::Read);
            file.close();
            QCOMPARE(world.read(kPatientArchive), started ? QByteArray(archive).replace(R, R, old) : archive);
            QVERIFY(!QFile::exists(world.file(journalName)));
        }
    }

    // An overwrite that fails half-way (here the new record's bytes cannot all be read, so the
    // system writes its first memory page only) puts the old record back before it reports.
    void failedOverwriteLeavesTheOldRecord()
    {
        TestWorld world;
        const int R = TPatientRecord::Size;
        writeRecords(kPatientArchive,
                     QList<TPatientRecord>{patient(QStringLiteral("UNO")), patient(QStringLiteral("DUE"))});
        const QByteArray before = world.read(kPatientArchive);
        const long page = ::sysconf(_SC_PAGESIZE);
        const size_t length = size_t((R / page + 1) * page);
        void *memory = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        QVERIFY(memory != MAP_FAILED);
        auto *bytes = static_cast<char *>(memory);
        const TPatientRecord nuova = patient(QStringLiteral("NUOVA"));
        std::memcpy(bytes, recordBytes(nuova), size_t(R));
        QVERIFY(::mprotect(bytes + page, length - size_t(page), PROT_NONE) == 0);
        RecordFile file(world.file(kPatientArchive), R);
        file.open(RecordFile::Write);
        QVERIFY_THROWS_EXCEPTION(StorageError, file.overwriteAt(2, static_cast<const char *>(bytes)));
        file.close();
        ::munmap(memory, length);
        QCOMPARE(world.read(kPatientArchive), before);
        QCOMPARE(QDir(world.folder()).entryList(QDir::Files), QStringList{kPatientArchive});
    }

    void scanVisitsRecordsInOrder()
    {
        TestWorld world;
        // More records than one read-ahead block holds, so the block boundary is crossed.
        const int n = 2000;
        writeNumberedArchive(world, n);
        RecordFile file(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        int seen = 0;
        file.scan([&](const char *rec, qint64 position) {
            ++seen;
            const auto *r = reinterpret_cast<const TAppointmentRecord *>(rec);
            return r->Contatto.text() == QString::number(position) && position == seen;
        });
        QCOMPARE(seen, n);
        file.close();
        file.open(RecordFile::Read);
        TAppointmentRecord r;
        for (int i = 1; i <= n; ++i) {
            QVERIFY(file.next(r));
            QCOMPARE(file.position(), i);
            QCOMPARE(r.Contatto.text(), QString::number(i));
        }
        QVERIFY(!file.next(r));
    }

    // The two halves of a file visited at once: every record once, with its position, each
    // half in file order and the second starting where the first ends; on a file too small to
    // share (one thread) and on one large enough for two, an odd count so the halves differ.
    void scanInHalvesVisitsEveryRecordOnce_data()
    {
        QTest::addColumn<int>("records");
        QTest::newRow("none") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("small, one thread") << 701;
        QTest::newRow("large, two threads") << 5001;
    }

    void scanInHalvesVisitsEveryRecordOnce()
    {
        QFETCH(int, records);
        TestWorld world;
        writeNumberedArchive(world, records);
        RecordFile file(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        std::array<QList<qint64>, 2> seen;
        std::array<bool, 2> namedByPosition{true, true};
        file.scanInHalves([&](int half, const char *rec, qint64 position) {
            const auto *r = reinterpret_cast<const TAppointmentRecord *>(rec);
            namedByPosition[size_t(half)] &= r->Contatto.text() == QString::number(position);
            seen[size_t(half)].append(position);
        });
        QVERIFY(namedByPosition[0] && namedByPosition[1]);
        QCOMPARE(seen[0].size(), records / 2);
        QList<qint64> all = seen[0] + seen[1];
        QCOMPARE(all.size(), records);
        for (int i = 0; i < records; ++i)
            QCOMPARE(all[i], qint64(i + 1));
        QCOMPARE(file.position(), 0); // left where it was
    }

    // What the visitor throws on the second thread reaches the caller, after both halves.
    void scanInHalvesPassesOnTheVisitorsFailure()
    {
        TestWorld world;
        world.write(kAppointmentArchive, QByteArray(5001 * TAppointmentRecord::Size, ' '));
        RecordFile file(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        std::atomic<int> firstHalf = 0;
        QVERIFY_THROWS_EXCEPTION(StorageError, file.scanInHalves([&](int half, const char *, qint64 position) {
            if (half == 0)
                ++firstHalf;
            else if (position == 4000)
                throw StorageError(QStringLiteral("visitor"));
        }));
        QCOMPARE(firstHalf.load(), 2500);
        file.close();
        QVERIFY_THROWS_EXCEPTION(StorageError, file.scanInHalves([](int, const char *, qint64) {}));
    }

    void partialLastRecord()
    {
        TestWorld world;
        const int R = TTreatmentRecord::Size;
        QByteArray bytes(2 * R + 100, 'z');
        bytes[0] = 0;
        bytes[R] = 0;
        world.write(QStringLiteral("Trattamenti_Paziente_1.pro"), bytes);
        RecordFile file(world.file(QStringLiteral("Trattamenti_Paziente_1.pro")), R);
        file.open(RecordFile::Write);
        QCOMPARE(file.count(), 2);
        int seen = 0;
        file.scan([&](const char *, qint64) { return ++seen, true; });
        QCOMPARE(seen, 2);
        TTreatmentRecord t{};
        t.Data.setText(QStringLiteral("10/12/2026"));
        QVERIFY_THROWS_EXCEPTION(StorageError, file.readAt(3, t));
        QCOMPARE(file.append(t), 3);
        file.close();
        const QByteArray after = world.read(QStringLiteral("Trattamenti_Paziente_1.pro"));
        QCOMPARE(after.size(), 3 * R);
        QCOMPARE(after.mid(2 * R, R), QByteArray(recordBytes(t), R));
    }

    // A file that exists but cannot be opened as asked is a failure, never replaced by an
    // empty one: unreadable for a reader, read-only for a save.
    void unopenableFileIsNeverReplaced_data()
    {
        QTest::addColumn<int>("permissions");
        QTest::addColumn<int>("access");
        QTest::newRow("unreadable, to read") << 0 << int(RecordFile::Read);
        QTest::newRow("unreadable, to save") << 0 << int(RecordFile::Write);
        QTest::newRow("read-only, to save") << int(kReadOnly) << int(RecordFile::Write);
    }
    void unopenableFileIsNeverReplaced()
    {
        QFETCH(int, permissions);
        QFETCH(int, access);
        TestWorld world;
        world.write(kPatientArchive, QByteArray(TPatientRecord::Size, 'q'));
        protect(world, kPatientArchive, QFile::Permissions(permissions));
        RecordFile file(world.file(kPatientArchive), TPatientRecord::Size);
        {
            AsUnprivileged unprivileged;
            QVERIFY(unprivileged.ok());
            QVERIFY_THROWS_EXCEPTION(StorageError, file.open(RecordFile::Access(access)));
        }
        QVERIFY(!file.isOpen());
        QFile::setPermissions(world.file(kPatientArchive), QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(world.read(kPatientArchive), QByteArray(TPatientRecord::Size, 'q'));
    }

    // An archive on a write-protected stick or share: everything can be looked at, only a
    // save fails, and the file stays as it was.
    void readOnlyArchiveCanBeRead()
    {
        TestWorld world;
        writeRecords(kAppointmentArchive,
                     QList<TAppointmentRecord>{appointment(QStringLiteral("uno")), appointment(QStringLiteral("due"))});
        const QByteArray before = world.read(kAppointmentArchive);
        protect(world, kAppointmentArchive, kReadOnly);
        AsUnprivileged unprivileged;
        QVERIFY(unprivileged.ok());
        const int probe = ::open(QFile::encodeName(world.file(kAppointmentArchive)).constData(), O_WRONLY);
        QVERIFY2(probe < 0, "the file is still writable");
        RecordFile file(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        QCOMPARE(file.count(), 2);
        TAppointmentRecord r;
        file.readAt(2, r);
        QCOMPARE(r.Contatto.text(), QStringLiteral("due"));
        QVERIFY_THROWS_EXCEPTION(StorageError, file.append(r));
        file.close();
        std::vector<qint64> listed; // the search with no criteria lists the read-only archive
        AppointmentLines::foundPositions(AppointmentLines::Criteria{}, listed);
        QCOMPARE(QList<qint64>(listed.begin(), listed.end()), (QList<qint64>{1, 2}));
        QVERIFY_THROWS_EXCEPTION(StorageError, file.open(RecordFile::Write));
        QCOMPARE(world.read(kAppointmentArchive), before);
    }

    // A write that fails half-way (a full disk) leaves the file exactly as it was.
    void failedAppendLeavesTheFileAsItWas()
    {
        TestWorld world;
        const int R = TAppointmentRecord::Size;
        writeRecords(kAppointmentArchive,
                     QList<TAppointmentRecord>{appointment(QStringLiteral("uno")), appointment(QStringLiteral("due"))});
        const QByteArray before = world.read(kAppointmentArchive);
        RecordFile file(world.file(kAppointmentArchive), R);
        file.open(RecordFile::Write);
        {
            FileSizeLimit full(2 * R + R / 2);
            QVERIFY(full.ok());
            QVERIFY_THROWS_EXCEPTION(StorageError, file.append(appointment(QStringLiteral("tre"))));
        }
        QCOMPARE(file.count(), 2);
        file.close();
        QCOMPARE(world.read(kAppointmentArchive), before);
    }

    void unopenableFileIsAFailureEvenForRoot()
    {
        // A folder standing where the file should be: it exists, it cannot be opened, and
        // nothing may be created in its place.
        TestWorld world;
        QVERIFY(QDir(world.folder()).mkdir(kPatientArchive));
        RecordFile file(world.file(kPatientArchive), TPatientRecord::Size);
        QVERIFY_THROWS_EXCEPTION(StorageError, file.open(RecordFile::Write));
        QVERIFY(QFileInfo(world.file(kPatientArchive)).isDir());
    }

    void missingFolderIsAFailure()
    {
        TestWorld world;
        RecordFile file(world.file(QStringLiteral("no/such/folder/") + kPatientArchive), TPatientRecord::Size);
        QVERIFY_THROWS_EXCEPTION(StorageError, file.open(RecordFile::Write));
        QVERIFY(!file.isOpen());
    }

    void operationsOnAClosedFileFail()
    {
        RecordFile file(QStringLiteral("/nonexistent"), 10);
        QVERIFY_THROWS_EXCEPTION(StorageError, file.count());
        char buf[10];
        QVERIFY_THROWS_EXCEPTION(StorageError, file.readAt(1, buf));
    }

    // A named pipe or a device in the archive's place is refused at once, as any other file
    // that is no record file: the opening never waits for a writer at the pipe's other end.
    void pipeOrDeviceInPlaceOfTheArchiveIsRefused_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::addColumn<int>("access");
        QTest::newRow("a named pipe, to read") << true << int(RecordFile::Read);
        QTest::newRow("a named pipe, to save") << true << int(RecordFile::Write);
        QTest::newRow("a device, to read") << false << int(RecordFile::Read);
        QTest::newRow("a device, to save") << false << int(RecordFile::Write);
    }
    void pipeOrDeviceInPlaceOfTheArchiveIsRefused()
    {
        QFETCH(bool, pipe);
        QFETCH(int, access);
        TestWorld world;
        const QByteArray path = QFile::encodeName(world.file(kAppointmentArchive));
        if (pipe)
            QVERIFY(::mkfifo(path.constData(), 0644) == 0);
        else
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), world.file(kAppointmentArchive)));
        RecordFile file(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        QVERIFY_THROWS_EXCEPTION(StorageError, file.open(RecordFile::Access(access)));
        QVERIFY(!file.isOpen());
    }

    // A holder that keeps the file (a copy of the program that hangs) makes open() fail after
    // a while instead of hanging this copy too; once it lets go, the file opens.
    void lockHeldTooLongIsAFailure()
    {
        TestWorld world;
        RecordFile::setLockWait(100);
        RecordFile holder(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        holder.open(RecordFile::Write);
        RecordFile reader(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        QVERIFY_THROWS_EXCEPTION(StorageError, reader.open(RecordFile::Read));
        QVERIFY(!reader.isOpen());
        // Told apart from a file that cannot be reached: another program holds it.
        bool held = false;
        try {
            reader.open(RecordFile::Write);
        } catch (const StorageError &e) {
            held = e.held();
        }
        QVERIFY(held);
        held = true;
        try {
            RecordFile(world.file(QStringLiteral("missing/file")), 10).open(RecordFile::Read);
        } catch (const StorageError &e) {
            held = e.held();
        }
        QVERIFY(!held);
        holder.close();
        reader.open(RecordFile::Read);
        QCOMPARE(reader.count(), 0);
        // Readers share the file.
        RecordFile second(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        second.open(RecordFile::Read);
        RecordFile::setLockWait(10000);
    }

    // Two copies of the program appending to one shared archive at the same time: every
    // record lands whole, at its own position.
    void twoProcessesAppendWithoutLosingRecords()
    {
        TestWorld world;
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/tool_append");
        QVERIFY(QFile::exists(tool));
        const int each = 300;
        QProcess a, b;
        a.start(tool, {world.file(kAppointmentArchive), QStringLiteral("A"), QString::number(each)});
        b.start(tool, {world.file(kAppointmentArchive), QStringLiteral("B"), QString::number(each)});
        QVERIFY(a.waitForFinished(120000));
        QVERIFY(b.waitForFinished(120000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);

        RecordFile file(world.file(kAppointmentArchive), TAppointmentRecord::Size);
        file.open(RecordFile::Read);
        QCOMPARE(file.count(), 2 * each);
        QSet<QString> names;
        file.scan([&](const char *rec, qint64) {
            const auto *r = reinterpret_cast<const TAppointmentRecord *>(rec);
            const QString name = r->Contatto.text();
            const QChar tag = name.at(0);
            // A torn record would mix the two writers' bytes.
            if (r->Causale.text() != QString(200, tag) || r->Note.text() != QString(200, tag))
                return false;
            names.insert(name);
            return true;
        });
        QCOMPARE(names.size(), 2 * each);
        QCOMPARE(world.read(kAppointmentArchive).size(), 2 * each * TAppointmentRecord::Size);
    }

    // A save of each kind of record killed after each step of its overwrite, and a rollback
    // killed after each of its steps (the save's journal left, its record written): the next
    // opening finds every record whole, the record saved only when the save was whole (its
    // journal gone), the old one otherwise, and no journal left.
    void killedWhileSavingLeavesEveryRecordWhole_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("step");
        const char *steps[] = {
            "journal written",         "journal synced",           "journal closed",  "folder synced",
            "archive written",         "archive synced",           "journal removed", "rollback: record written",
            "rollback: record synced", "rollback: journal removed"};
        for (const char *kind : {"patient", "appointment", "treatment"})
            for (int step = 0; step <= int(RecordFile::Step::RollbackRemoved); ++step)
                QTest::newRow(qPrintable(
                    QStringLiteral("%1, killed after: %2").arg(QLatin1String(kind), QLatin1String(steps[step]))))
                    << QString::fromLatin1(kind) << step;
    }
    void killedWhileSavingLeavesEveryRecordWhole()
    {
        QFETCH(QString, kind);
        QFETCH(int, step);
        using Step = RecordFile::Step;
        TestWorld world;
        const SaveLoop::Kind layout = SaveLoop::kind(kind);
        const QString path = world.file(QStringLiteral("Archivio.pro"));
        writeSaveLoopArchive(path, layout, 4);
        const QString journal = RecordFile::journalPath(path);
        const bool inRollback = step >= int(Step::RollbackWritten);
        // Record 100 over record 2, the process killed after the step (for a rollback's step,
        // after writing the archive: its journal is there, the new record written).
        const auto killedAt = [&](qint64 position, int at) {
            QProcess process;
            process.start(toolPath("tool_savestep"), {kind, path, QString::number(position), QStringLiteral("100"),
                                                      QString::number(at), QStringLiteral("kill")});
            return process.waitForFinished(30000) && process.exitStatus() == QProcess::CrashExit;
        };
        QVERIFY(killedAt(2, inRollback ? int(Step::ArchiveWritten) : step));
        QCOMPARE(QFile::exists(journal), step != int(Step::JournalRemoved));
        if (inRollback) {
            QVERIFY(killedAt(0, step)); // an opening to read, which plays the journal back
            QCOMPARE(QFile::exists(journal), step != int(Step::RollbackRemoved));
        }
        QCOMPARE(numbers(path, layout), (QList<qint64>{1, step == int(Step::JournalRemoved) ? 100 : 2, 3, 4}));
        QVERIFY(!QFile::exists(journal));
        QCOMPARE(QFileInfo(path).size(), 4 * layout.size);
    }

    // Where the file system refuses locks (some network shares), a copy that opens the archive
    // while another saves (here stopped after a step of its overwrite) reads the old record
    // from the journal and touches neither archive nor journal: the save then ends whole.
    void noLockNeverUndoesASaveInProgress_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("access");
        using Step = RecordFile::Step;
        const int read = int(RecordFile::Read), write = int(RecordFile::Write);
        QTest::newRow("journal closed, a reader") << int(Step::JournalCommitted) << read;
        QTest::newRow("folder synced, a reader") << int(Step::FolderSynced) << read;
        QTest::newRow("archive written, a reader") << int(Step::ArchiveWritten) << read;
        QTest::newRow("archive written, a copy appending") << int(Step::ArchiveWritten) << write;
        QTest::newRow("archive synced, a reader") << int(Step::ArchiveSynced) << read;
    }
    void noLockNeverUndoesASaveInProgress()
    {
        QFETCH(int, step);
        QFETCH(int, access);
        TestWorld world;
        const SaveLoop::Kind layout = SaveLoop::kind(QStringLiteral("patient"));
        const int R = layout.size;
        const QString path = world.file(kPatientArchive);
        writeSaveLoopArchive(path, layout, 4);
        QProcess saver;
        saver.start(toolPath("tool_savestep"), {QStringLiteral("patient"), path, QStringLiteral("2"),
                                                QStringLiteral("100"), QString::number(step), QStringLiteral("stop")});
        QVERIFY(saver.waitForStarted());
        const qint64 pid = saver.processId();
        QTRY_VERIFY_WITH_TIMEOUT(isStopped(pid), 30000);
        const QString journal = RecordFile::journalPath(path);
        const QByteArray archiveDuring = world.read(kPatientArchive);
        const QByteArray journalDuring = world.read(kPatientArchive + QStringLiteral("-journal"));
        QVERIFY(!journalDuring.isEmpty());
        RecordFile::setLocksRefused(true);
        {
            RecordFile file(path, R);
            file.open(RecordFile::Access(access));
            QByteArray record(R, '\0');
            file.readAt(2, record.data());
            QCOMPARE(SaveLoop::number(layout, record.constData()), std::optional<qint64>(2));
            if (access == int(RecordFile::Write)) {
                SaveLoop::fill(layout, 5, record.data());
                QCOMPARE(file.append(record.constData()), qint64(5));
            }
            file.close();
        }
        RecordFile::setLocksRefused(false);
        QCOMPARE(world.read(kPatientArchive).left(4 * R), archiveDuring.left(4 * R));
        QCOMPARE(world.read(kPatientArchive + QStringLiteral("-journal")), journalDuring);
        ::kill(pid_t(pid), SIGCONT);
        QVERIFY(saver.waitForFinished(30000));
        QCOMPARE(saver.exitStatus(), QProcess::NormalExit);
        QCOMPARE(saver.readAllStandardOutput(), QByteArray("saved\n"));
        QList<qint64> expected{1, 100, 3, 4};
        if (access == int(RecordFile::Write))
            expected << 5;
        QCOMPARE(numbers(path, layout), expected);
        QVERIFY(!QFile::exists(journal));
    }

    // A copy of the program killed at any moment while it saves (a crash, a power cut of the
    // process), appending and overwriting records of each kind: every record in the file is
    // whole, one save's or another's, never a mix of two; every save it confirmed is there (at
    // its position that save or a later one); and the file holds nothing but whole records for
    // the readers. The kernel may stop an append between two memory pages, leaving part of an
    // unconfirmed record after the whole ones; readers never see it and the next save writes
    // over it, which the end of the test checks.
    void killedAtAnyMomentWhileSavingLeavesEveryRecordWhole_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("patients") << "patient" << kPatientArchive;
        QTest::newRow("appointments") << "appointment" << kAppointmentArchive;
        QTest::newRow("treatments") << "treatment" << treatmentFileName(QStringLiteral("1"));
    }
    void killedAtAnyMomentWhileSavingLeavesEveryRecordWhole()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        TestWorld world;
        const SaveLoop::Kind layout = SaveLoop::kind(kind);
        const int R = layout.size;
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/tool_saveloop");
        QVERIFY(QFile::exists(tool));
        // In memory (tmpfs) where there is one: no disk to wait for, so a kill lands in the
        // middle of a write far more often.
        QTemporaryDir inMemory(QStringLiteral("/dev/shm/sorrisa-XXXXXX"));
        const QString path = (inMemory.isValid() ? inMemory.path() + QLatin1Char('/') : world.folder()) + name;
        std::map<qint64, qint64> confirmed; // position -> the last save confirmed there
        int saves = 0, tails = 0, journals = 0;
        for (int run = 1; run <= 20; ++run) {
            QProcess writer;
            writer.start(tool, {kind, path, QString::number(run * 1000000)});
            QVERIFY(writer.waitForStarted());
            // Once it is saving (its first save confirmed), at a random moment.
            QVERIFY(writer.waitForReadyRead(30000));
            QTest::qWait(int(QRandomGenerator::global()->bounded(60)));
            writer.kill(); // SIGKILL
            QVERIFY(writer.waitForFinished(10000));
            QCOMPARE(writer.exitStatus(), QProcess::CrashExit);
            for (const QByteArray &line : writer.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.size() != 2)
                    continue;
                confirmed[parts.at(1).toLongLong()] = parts.at(0).toLongLong();
                ++saves;
            }

            if (QFile::exists(RecordFile::journalPath(path)))
                ++journals;           // killed during an overwrite: the opening puts the old record back
            RecordFile file(path, R); // opened as the program opens it
            file.open(RecordFile::Read);
            QVERIFY(file.count() >= confirmed.rbegin()->first);
            QStringList faults;
            file.scan([&](const char *rec, qint64 position) {
                const std::optional<qint64> n = SaveLoop::number(layout, rec);
                if (!n)
                    faults << QStringLiteral("record %1 is torn").arg(position);
                else if (*n < confirmed[position])
                    faults << QStringLiteral("record %1 lost save %2").arg(position).arg(confirmed[position]);
                return true;
            });
            file.close();
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral(", "))));
            if (QFileInfo(path).size() % R != 0)
                ++tails;
        }
        QVERIFY(saves >= 20);
        QVERIFY(!QFile::exists(RecordFile::journalPath(path)));
        RecordFile file(path, R);
        file.open(RecordFile::Write);
        QByteArray record(R, '\0');
        SaveLoop::fill(layout, 1, record.data());
        const qint64 last = file.append(record.constData());
        file.close();
        QCOMPARE(QFileInfo(path).size(), last * R);
        qInfo("%d confirmed saves, %lld records, %d partial tails, %d journals found", saves, qlonglong(last - 1),
              tails, journals);
    }

    // A save beyond a file-size limit set on the process from outside (a quota, a share's
    // limit): the program is not ended by the system's signal; the save fails as on a full
    // disk and the archive stays as it was. The tool runs the program's own start-up code and
    // card save in a process of its own, under the limit, with the signal at its default.
    void fileSizeLimitFailsTheSave_data()
    {
        QTest::addColumn<bool>("limited");
        QTest::newRow("no limit") << false;
        QTest::newRow("a limit below the grown archive") << true;
    }
    void fileSizeLimitFailsTheSave()
    {
        QFETCH(bool, limited);
        TestWorld world;
        writeNumberedArchive(world, 2);
        const QByteArray before = world.read(kAppointmentArchive);
        const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/tool_cardsave");
        QVERIFY(QFile::exists(tool));
        const rlim_t limit = limited ? rlim_t(2 * TAppointmentRecord::Size + 100) : RLIM_INFINITY;
        QProcess saver;
        saver.setChildProcessModifier([limit] {
            std::signal(SIGXFSZ, SIG_DFL); // whatever this test process does with it
            rlimit l{};
            ::getrlimit(RLIMIT_FSIZE, &l);
            l.rlim_cur = limit;
            ::setrlimit(RLIMIT_FSIZE, &l);
        });
        saver.start(tool, {world.folder()});
        QVERIFY(saver.waitForFinished(30000));
        QCOMPARE(saver.exitStatus(), QProcess::NormalExit); // not ended by SIGXFSZ
        QCOMPARE(saver.readAllStandardOutput().trimmed(), limited ? QByteArray("failed") : QByteArray("inserted"));
        QCOMPARE(saver.exitCode(), limited ? 3 : 0);
        if (limited)
            QCOMPARE(world.read(kAppointmentArchive), before);
        else
            QCOMPARE(world.read(kAppointmentArchive).size(), 3 * TAppointmentRecord::Size);
    }
};

QTEST_GUILESS_MAIN(TestStorage)
#include "tst_storage.moc"
