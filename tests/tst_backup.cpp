#include "support/Faults.h"
#include "support/TestSupport.h"

#include "app/frmAvvio.h"
#include "app/frmCopiaSicurezza.h"
#include "app/frmPasswordCopie.h"
#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "backup/DataFiles.h"
#include "backup/Manifest.h"
#include "backup/Passphrase.h"
#include "chart/Odontogram.h"
#include "platform/FileDialog.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "print/Report.h"
#include "print/ReportRenderer.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "ui/PictureButton.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <archive.h>
#include <archive_entry.h>

#include <csignal>
#include <optional>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kZipName = QStringLiteral("Sorrisa_Copia_2026-12-10_0930.zip");
const QDateTime kNow(QDate(2026, 12, 10), QTime(9, 30));
const QString kPassphrase = QStringLiteral("Corona-Molare 36");

QByteArray noise(qint64 size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator rng(seed);
    rng.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

void writeAt(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// A practice's folder: archives, treatment files, the password file, attachments (one of them
// incompressible), patients' folders (one empty), a file some later version may add, and the
// program's own delivered files.
void writePractice(const QString &folder)
{
    writeAt(folder + kPatientArchive, noise(3 * TPatientRecord::Size, 1));
    writeAt(folder + kAppointmentArchive, noise(5 * TAppointmentRecord::Size, 2));
    writeAt(folder + QStringLiteral("Trattamenti_Paziente_1.pro"), noise(4 * 113, 3));
    writeAt(folder + QStringLiteral("Trattamenti_Paziente_3.pro"), QByteArray());
    writeAt(folder + QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=0A1B\r\n");
    writeAt(folder + QStringLiteral("Documenti_Allegati/radiografia panoramica è.jpg"), noise(300000, 4));
    writeAt(folder + QStringLiteral("Documenti_Allegati/consenso.pdf"), "%PDF-1.4 consenso");
    writeAt(folder + QStringLiteral("Cliente_1/referti/2026/esame.txt"), "esame del 10/12/2026");
    QDir().mkpath(folder + QStringLiteral("Cliente_2"));
    writeAt(folder + QStringLiteral("Archivio_Pazienti.pro.journal"), "journal");
    writeAt(folder + QStringLiteral("Riepilogo_Pazienti.xls"), "<table></table>");
    // Delivered: never data.
    writeAt(folder + QStringLiteral("sorrisa"), QByteArray("\x7F"
                                                           "ELF")
                                                    + noise(1000, 5));
    writeAt(folder + QStringLiteral("sorrisa-backup"), QByteArray("\x7F"
                                                                  "ELF")
                                                           + noise(1000, 6));
    writeAt(folder + QStringLiteral("sorrisa_sound.so"), QByteArray("\x7F"
                                                                    "ELF")
                                                             + noise(1000, 7));
    writeAt(folder + QStringLiteral("Avviso.mp3"), "ID3 chime");
    writeAt(folder + QStringLiteral("Guida.pdf"), "%PDF-1.4 guida");
}

// Every file and folder under a folder, with its bytes (folders with none, their name ending
// in '/'): compared whole, a change anywhere shows.
QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString rel = QDir(folder).relativeFilePath(it.filePath());
        if (it.fileInfo().isDir()) {
            out.insert(rel + QLatin1Char('/'), QByteArray());
        } else {
            QFile f(it.filePath());
            f.open(QIODevice::ReadOnly);
            out.insert(rel, f.readAll());
        }
    }
    return out;
}

QMap<QString, QByteArray> dataOf(const QMap<QString, QByteArray> &all)
{
    QMap<QString, QByteArray> out;
    for (auto it = all.begin(); it != all.end(); ++it)
        if (DataFiles::isDataName(it.key().section(QLatin1Char('/'), 0, 0))
            && !it.key().startsWith(QLatin1String("sorrisa")))
            out.insert(it.key(), it.value());
    return out;
}

// The program folder after a restore, without the folder the replaced data went to.
QMap<QString, QByteArray> restoredData(const QString &folder)
{
    QMap<QString, QByteArray> after = snapshot(folder);
    for (auto it = after.begin(); it != after.end();)
        it = it.key().startsWith(DataFiles::kAsidePrefix) ? after.erase(it) : std::next(it);
    return after;
}

// A zip made entry by entry, for the backups that are not ours or were tampered with;
// `stored`: not compressed.
void writeZip(const QString &path, const QList<QPair<QString, QByteArray>> &entries, bool stored = false)
{
    struct archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    if (stored)
        archive_write_set_format_option(a, "zip", "compression", "store");
    QVERIFY(archive_write_open_filename(a, QFile::encodeName(path).constData()) == ARCHIVE_OK);
    for (const auto &[name, bytes] : entries) {
        archive_entry *e = archive_entry_new();
        archive_entry_set_pathname(e, name.toUtf8().constData());
        archive_entry_set_filetype(e, name.endsWith(QLatin1Char('/')) ? AE_IFDIR : AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, bytes.size());
        archive_write_header(a, e);
        archive_write_data(a, bytes.constData(), size_t(bytes.size()));
        archive_entry_free(e);
    }
    archive_write_close(a);
    archive_write_free(a);
}

// The entries of a zip with their bytes, in order.
QList<QPair<QString, QByteArray>> readZip(const QString &path)
{
    QList<QPair<QString, QByteArray>> out;
    struct archive *a = archive_read_new();
    archive_read_support_format_zip(a);
    if (archive_read_open_filename(a, QFile::encodeName(path).constData(), 1 << 16) != ARCHIVE_OK)
        return out;
    archive_entry *e;
    while (archive_read_next_header(a, &e) == ARCHIVE_OK) {
        QByteArray bytes;
        char block[65536];
        la_ssize_t n;
        while ((n = archive_read_data(a, block, sizeof block)) > 0)
            bytes.append(block, n);
        out.append({QString::fromUtf8(archive_entry_pathname(e)), bytes});
    }
    archive_read_free(a);
    return out;
}

QString tool(const char *name) { return QString::fromLatin1(SORRISA_PROGRAM_DIR "/") + QLatin1String(name); }

// A target folder on another file system than the program folder's (a stick's stand-in).
class OtherDisk : public QTemporaryDir
{
public:
    OtherDisk() : QTemporaryDir(QStringLiteral("/dev/shm/sorrisa-copie-XXXXXX")) {}
};

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A practice and a backup of it on another disk, made at kNow.
struct Backed
{
    explicit Backed(const QString &passphrase = {})
    {
        writePractice(world.folder());
        Backup::Options options;
        options.passphrase = passphrase;
        made = Backup::make(world.folder(), target.path(), kNow, {}, options);
    }
    TestWorld world{kNow};
    OtherDisk target;
    Backup::Outcome made;
};

// A backup's zip written again with one more top-level file, listed in its manifest.
void addListedFile(const QString &zipPath, const QString &name, const QByteArray &bytes)
{
    auto entries = readZip(zipPath);
    Manifest m;
    QVERIFY(Manifest::parse(entries.last().second, &m));
    m.items.append({name, false, bytes.size(), QCryptographicHash::hash(bytes, QCryptographicHash::Sha256)});
    entries.last().second = m.text();
    entries.insert(0, {name, bytes});
    writeZip(zipPath, entries);
}

QStringList manifestPaths(const QString &zipPath)
{
    const auto entries = readZip(zipPath);
    Manifest m;
    if (entries.isEmpty() || !Manifest::parse(entries.last().second, &m))
        return {};
    QStringList out;
    for (const Manifest::Item &item : m.items)
        out.append(item.path);
    return out;
}

} // namespace

class TestBackup : public QObject
{
    Q_OBJECT

    // The user's configuration folder of each test (the backups' passphrase is kept there):
    // never the real one, and inherited by the programs a test starts.
    std::unique_ptr<QTemporaryDir> m_config;

private slots:
    void init()
    {
        m_config = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
        QVERIFY(Passphrase::filePath().startsWith(m_config->path()));
        QVERIFY(Passphrase::store(kPassphrase));
    }
    void cleanup() { m_config.reset(); }

    // The rule of what is data: everything but the program's own files and ours.
    void dataFilesByRule()
    {
        TestWorld world(kNow);
        writePractice(world.folder());
        writeAt(world.folder() + DataFiles::kSettingsFile, "[Copia]\n");
        QDir().mkpath(world.folder() + DataFiles::kAsidePrefix + QStringLiteral("2026-12-01_100000"));
        QStringList paths;
        for (const DataFiles::Entry &e : DataFiles::list(world.folder()))
            paths.append(e.path);
        QCOMPARE(paths,
                 QStringList({QStringLiteral("Archivio_Appuntamenti.pro"), QStringLiteral("Archivio_Pazienti.pro"),
                              QStringLiteral("Archivio_Pazienti.pro.journal"), QStringLiteral("Cliente_1/"),
                              QStringLiteral("Cliente_1/referti/"), QStringLiteral("Cliente_1/referti/2026/"),
                              QStringLiteral("Cliente_1/referti/2026/esame.txt"), QStringLiteral("Cliente_2/"),
                              QStringLiteral("Documenti_Allegati/"), QStringLiteral("Documenti_Allegati/consenso.pdf"),
                              QStringLiteral("Documenti_Allegati/radiografia panoramica è.jpg"),
                              QStringLiteral("Riepilogo_Pazienti.xls"), QStringLiteral("Trattamenti_Paziente_1.pro"),
                              QStringLiteral("Trattamenti_Paziente_3.pro"), QStringLiteral("unins000.dll")}));
    }

    // A patient's odontogram file is data: listed by the rule, in the zip, and restored.
    void odontogramFileIsBackedUp()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const QString name = odontogramFileName(QStringLiteral("3"));
        const Odontogram::Entry entry{kNow, 36, Odontogram::ToothState{Odontogram::State::Corona, true}};
        QCOMPARE(Odontogram::append(world.file(name), {entry}), 1);
        QStringList paths;
        for (const DataFiles::Entry &e : DataFiles::list(world.folder()))
            paths.append(e.path);
        QVERIFY(paths.contains(name));

        const Backup::Outcome made = Backup::make(world.folder(), target.path(), kNow);
        QCOMPARE(made.status, Backup::Outcome::Done);
        QStringList names;
        for (const auto &e : readZip(made.path))
            names.append(e.first);
        QVERIFY(names.contains(name));
        QVERIFY(QFile::remove(world.file(name)));
        Backup::Description description;
        QCOMPARE(Backup::check(made.path, world.folder(), &description).status, Backup::Outcome::Done);
        QCOMPARE(Backup::restore(world.folder(), kNow.addDays(1)).status, Backup::Outcome::Done);
        QCOMPARE(Odontogram::read(world.file(name)), QList<Odontogram::Entry>{entry});
    }

    void safeNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("safe");
        QTest::newRow("file") << "Archivio_Pazienti.pro" << true;
        QTest::newRow("nested") << "Cliente_1/a b/c.txt" << true;
        QTest::newRow("folder") << "Cliente_1/" << true;
        QTest::newRow("parent") << "../x" << false;
        QTest::newRow("parent inside") << "Cliente_1/../../x" << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("backslash") << "..\\x" << false;
        QTest::newRow("dot") << "./x" << false;
        QTest::newRow("empty part") << "a//b" << false;
        QTest::newRow("line break") << "a\nb" << false;
        QTest::newRow("empty") << "" << false;
    }
    void safeNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, safe);
        QCOMPARE(DataFiles::isSafeRelative(name), safe);
    }

    // Backup, change everything, restore: every data file is back byte for byte, the data it
    // replaced are all in the dated folder, the program's own files were not touched.
    void backupThenRestore()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const QMap<QString, QByteArray> before = snapshot(world.folder());

        const Backup::Outcome made = Backup::make(world.folder(), target.path(), kNow);
        QCOMPARE(made.status, Backup::Outcome::Done);
        QCOMPARE(made.path, target.path() + QLatin1Char('/') + kZipName);
        QVERIFY(made.message.startsWith(Backup::kDone));
        QVERIFY(made.message.contains(kZipName));
        QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{kZipName});
        QCOMPARE(snapshot(world.folder()), before); // a backup changes nothing

        // What the zip holds: the data and the manifest, last.
        const auto entries = readZip(made.path);
        QStringList names;
        for (const auto &e : entries)
            names.append(e.first);
        QCOMPARE(names.last(), DataFiles::kManifestName);
        QVERIFY(names.contains(QStringLiteral("unins000.dll")));
        for (const char *program : {"sorrisa", "sorrisa-backup", "sorrisa_sound.so", "Avviso.mp3", "Guida.pdf"})
            QVERIFY2(!names.contains(QLatin1String(program)), program);

        // The day after: every archive changed, a file added, one gone.
        writeAt(world.folder() + kPatientArchive, noise(4 * TPatientRecord::Size, 11));
        writeAt(world.folder() + kAppointmentArchive, noise(1 * TAppointmentRecord::Size, 12));
        writeAt(world.folder() + QStringLiteral("Trattamenti_Paziente_4.pro"), noise(113, 13));
        QVERIFY(QFile::remove(world.folder() + QStringLiteral("Documenti_Allegati/consenso.pdf")));
        writeAt(world.folder() + QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=FFFF\r\n");
        const QMap<QString, QByteArray> replaced = snapshot(world.folder());

        Backup::Description description;
        const Backup::Outcome checked = Backup::check(made.path, world.folder(), &description);
        QCOMPARE(checked.status, Backup::Outcome::Done);
        QCOMPARE(description.patients, 3);
        QCOMPARE(description.appointments, 5);
        QCOMPARE(description.files, 10);
        QCOMPARE(description.created, kNow);
        // Checked and unpacked aside: the data themselves have not changed yet.
        QCOMPARE(dataOf(snapshot(world.folder())), dataOf(replaced));

        const QDateTime later(QDate(2026, 12, 11), QTime(18, 5, 7));
        const Backup::Outcome restored = Backup::restore(world.folder(), later);
        QCOMPARE(restored.status, Backup::Outcome::Done);
        const QString asideName = QStringLiteral("Dati_prima_del_ripristino_2026-12-11_180507");
        QVERIFY(restored.message.contains(asideName));

        QMap<QString, QByteArray> after = snapshot(world.folder());
        QMap<QString, QByteArray> aside;
        for (auto it = after.begin(); it != after.end();) {
            if (it.key().startsWith(asideName + QLatin1Char('/'))) {
                const QString inner = it.key().mid(asideName.size() + 1);
                if (!inner.isEmpty())
                    aside.insert(inner, it.value());
                it = after.erase(it);
            } else {
                ++it;
            }
        }
        QCOMPARE(after, before);           // all back, byte for byte; program files as they were
        QCOMPARE(aside, dataOf(replaced)); // what it replaced, all of it
    }

    // A damaged or foreign zip is refused and the program folder stays exactly as it was.
    void damagedRefused_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::newRow("flipped byte") << "flip";
        QTest::newRow("truncated") << "truncate";
        QTest::newRow("file missing from the manifest") << "unlisted";
        QTest::newRow("listed file missing") << "missing";
        QTest::newRow("entry ../x") << "parent";
        QTest::newRow("absolute entry") << "absolute";
        QTest::newRow("program file") << "program";
        QTest::newRow("foreign zip") << "foreign";
        QTest::newRow("not a zip") << "text";
    }
    void damagedRefused()
    {
        QFETCH(QString, damage);
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const Backup::Outcome made = Backup::make(world.folder(), target.path(), kNow);
        QCOMPARE(made.status, Backup::Outcome::Done);
        QFile zip(made.path);
        QVERIFY(zip.open(QIODevice::ReadOnly));
        QByteArray bytes = zip.readAll();
        zip.close();
        auto entries = readZip(made.path);
        const auto manifestWith = [&](const QList<Manifest::Item> &items) {
            Manifest m;
            QVERIFY(Manifest::parse(entries.last().second, &m));
            m.items = items;
            entries.last().second = m.text();
        };
        Manifest manifest;
        QVERIFY(Manifest::parse(entries.last().second, &manifest));
        if (damage == QLatin1String("flip")) {
            bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x10); // inside the big attachment
            writeAt(made.path, bytes);
        } else if (damage == QLatin1String("truncate")) {
            writeAt(made.path, bytes.left(bytes.size() - 100));
        } else if (damage == QLatin1String("unlisted")) {
            QList<Manifest::Item> items = manifest.items;
            items.removeIf([](const Manifest::Item &i) { return i.path == QLatin1String("unins000.dll"); });
            manifestWith(items);
            writeZip(made.path, entries);
        } else if (damage == QLatin1String("missing")) {
            entries.removeIf([](const auto &e) { return e.first == QLatin1String("unins000.dll"); });
            writeZip(made.path, entries);
        } else if (damage == QLatin1String("parent") || damage == QLatin1String("absolute")
                   || damage == QLatin1String("program")) {
            const QString name = damage == QLatin1String("parent")     ? QStringLiteral("../x")
                                 : damage == QLatin1String("absolute") ? target.path() + QStringLiteral("/x")
                                                                       : QStringLiteral("sorrisa");
            QList<Manifest::Item> items = manifest.items;
            const QByteArray elf = QByteArrayLiteral("\x7F"
                                                     "ELF");
            items.append({name, false, elf.size(), QCryptographicHash::hash(elf, QCryptographicHash::Sha256)});
            manifestWith(items);
            entries.insert(0, {name, elf});
            writeZip(made.path, entries);
        } else if (damage == QLatin1String("foreign")) {
            writeZip(made.path, {{QStringLiteral("Archivio_Pazienti.pro"), noise(TPatientRecord::Size, 9)}});
        } else {
            writeAt(made.path, "not a zip at all");
        }

        const QMap<QString, QByteArray> before = snapshot(world.folder());
        Backup::Description description;
        const Backup::Outcome checked = Backup::check(made.path, world.folder(), &description);
        QCOMPARE(checked.status, Backup::Outcome::Refused);
        QVERIFY(checked.message.contains(QStringLiteral("Nessun dato è stato modificato")));
        QCOMPARE(snapshot(world.folder()), before);
        QVERIFY(!QFileInfo::exists(QDir(world.folder()).absoluteFilePath(QStringLiteral("../x"))));
        QVERIFY(!QFileInfo::exists(target.path() + QStringLiteral("/x")));
        // Nothing to restore from.
        QCOMPARE(Backup::restore(world.folder(), kNow).status, Backup::Outcome::Failed);
        QCOMPARE(snapshot(world.folder()), before);
    }

    // A full target or a cancel: a failure said, no file under the final name, nothing partial.
    void failedBackupLeavesNoZip_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("full target") << true;
        QTest::newRow("cancelled") << false;
    }
    void failedBackupLeavesNoZip()
    {
        QFETCH(bool, full);
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        Backup::Outcome outcome;
        if (full) {
            FileSizeLimit limit(100000); // the incompressible attachment alone is 300,000 bytes
            QVERIFY(limit.ok());
            outcome = Backup::make(world.folder(), target.path(), kNow);
        } else {
            int calls = 0;
            outcome = Backup::make(world.folder(), target.path(), kNow,
                                   [&](qint64, qint64, const QString &) { return ++calls < 3; });
        }
        QCOMPARE(outcome.status, full ? Backup::Outcome::Failed : Backup::Outcome::Cancelled);
        QVERIFY2(outcome.message.startsWith(full ? QStringLiteral("Attenzione: la copia di sicurezza non è riuscita")
                                                 : Backup::kCancelled),
                 qPrintable(outcome.message));
        QCOMPARE(QDir(target.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    }

    void targetRefused_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("program folder") << "";
        QTest::newRow("inside the program folder") << "Cliente_1";
        QTest::newRow("missing") << "../nowhere-i27";
    }
    void targetRefused()
    {
        QFETCH(QString, where);
        TestWorld world(kNow);
        writePractice(world.folder());
        const QMap<QString, QByteArray> before = snapshot(world.folder());
        const Backup::Outcome outcome = Backup::make(world.folder(), world.folder() + where, kNow);
        QCOMPARE(outcome.status, Backup::Outcome::Refused);
        QVERIFY(outcome.message.startsWith(QStringLiteral("Attenzione:")));
        QCOMPARE(snapshot(world.folder()), before);
    }

    // A save from another copy of the program while the backup reads that archive waits for
    // the backup's lock, and lands after it: the backup holds the archive as it was.
    void saveWaitsForBackup()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const qint64 records = 2000; // read in more than one block
        writeAt(world.folder() + kAppointmentArchive, noise(records * TAppointmentRecord::Size, 21));
        QProcess save;
        bool waited = false;
        const Backup::Outcome outcome =
            Backup::make(world.folder(), target.path(), kNow, [&](qint64, qint64, const QString &current) {
                if (current == kAppointmentArchive && save.state() == QProcess::NotRunning && !waited) {
                    save.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tool_append"),
                               {world.folder() + kAppointmentArchive, QStringLiteral("Z"), QStringLiteral("1")});
                    save.waitForStarted();
                    // Still waiting for the lock after a while: it has not saved, the archive
                    // being copied is as it was.
                    waited =
                        !save.waitForFinished(700)
                        && QFileInfo(world.folder() + kAppointmentArchive).size() == records * TAppointmentRecord::Size;
                }
                return true;
            });
        QCOMPARE(outcome.status, Backup::Outcome::Done);
        QVERIFY(waited);
        QVERIFY(save.waitForFinished(15000));
        QCOMPARE(save.exitCode(), 0);
        QCOMPARE(QFileInfo(world.folder() + kAppointmentArchive).size(), (records + 1) * TAppointmentRecord::Size);
        for (const auto &e : readZip(outcome.path))
            if (e.first == kAppointmentArchive)
                QCOMPARE(e.second.size(), records * TAppointmentRecord::Size);
    }

    // The backup takes an archive's lock as a record file opened for reading does: held by
    // another copy past the lock wait, both say it is in use; on a file system that refuses
    // locks, both read it at once (the lock kept here stands for a copy nobody can see).
    void backupLocksAsRecordFile_data()
    {
        QTest::addColumn<bool>("locksRefused");
        QTest::newRow("held by another copy") << false;
        QTest::newRow("locks refused") << true;
    }
    void backupLocksAsRecordFile()
    {
        QFETCH(bool, locksRefused);
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const int other = ::open(QFile::encodeName(world.folder() + kPatientArchive).constData(), O_RDONLY);
        QVERIFY(other >= 0);
        QCOMPARE(::flock(other, LOCK_EX | LOCK_NB), 0);
        RecordFile::setLockWait(200);
        RecordFile::setLocksRefused(locksRefused);
        const auto restore = qScopeGuard([other] {
            RecordFile::setLocksRefused(false);
            RecordFile::setLockWait(10000);
            ::close(other);
        });
        bool recordFileHeld = false;
        try {
            RecordFile archive(world.folder() + kPatientArchive, TPatientRecord::Size);
            archive.open(RecordFile::Read);
        } catch (const StorageError &e) {
            recordFileHeld = e.held();
        }
        QCOMPARE(recordFileHeld, !locksRefused);
        const Backup::Outcome outcome = Backup::make(world.folder(), target.path(), kNow);
        if (locksRefused) {
            QCOMPARE(outcome.status, Backup::Outcome::Done);
        } else {
            QCOMPARE(outcome.status, Backup::Outcome::Failed);
            QVERIFY2(outcome.message.contains(QStringLiteral("è in uso da troppo tempo")), qPrintable(outcome.message));
            QCOMPARE(entriesOf(target.path()), QStringList());
        }
    }

    // sorrisa-backup: 0 only with the zip written and verified, a message on stderr otherwise.
    void commandLine_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("status");
        QTest::newRow("backup made") << "ok" << 0;
        QTest::newRow("no target") << "no target" << 2;
        QTest::newRow("unknown argument") << "unknown" << 2;
        QTest::newRow("no program folder") << "no program" << 2;
        QTest::newRow("target is the program folder") << "program" << 3;
        QTest::newRow("target missing") << "missing" << 3;
        QTest::newRow("target full") << "full" << 1;
        QTest::newRow("folder without archives") << "not a practice" << 2;
        QTest::newRow("target on the program's disk") << "same disk" << 3;
        QTest::newRow("same disk accepted") << "same disk accepted" << 0;
    }
    void commandLine()
    {
        QFETCH(QString, how);
        QFETCH(int, status);
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        QStringList args{QStringLiteral("--to"), target.path(), QStringLiteral("--program-folder"), world.folder()};
        if (how == QLatin1String("no target"))
            args = args.mid(2);
        else if (how == QLatin1String("unknown"))
            args.append(QStringLiteral("--now"));
        else if (how == QLatin1String("no program"))
            args[3] = world.folder() + QStringLiteral("nowhere");
        else if (how == QLatin1String("program"))
            args[1] = world.folder();
        else if (how == QLatin1String("missing"))
            args[1] = target.path() + QStringLiteral("/nowhere");
        QTemporaryDir empty;
        if (how == QLatin1String("not a practice"))
            args[3] = empty.path();
        QTemporaryDir sameDisk;
        QString targetPath = target.path();
        if (how.startsWith(QLatin1String("same disk")))
            args[1] = targetPath = sameDisk.path();
        if (how == QLatin1String("same disk accepted"))
            args.append(QStringLiteral("--same-disk"));
        QProcess backup;
        {
            std::optional<FileSizeLimit> limit; // inherited by the program started
            if (how == QLatin1String("full"))
                limit.emplace(100000);
            backup.start(tool("sorrisa-backup"), args);
            QVERIFY(backup.waitForFinished(60000));
        }
        QCOMPARE(backup.exitStatus(), QProcess::NormalExit);
        QCOMPARE(backup.exitCode(), status);
        const QStringList zips = entriesOf(targetPath);
        QCOMPARE(entriesOf(empty.path()), QStringList()); // nothing written into a refused folder
        if (status == 0) {
            QCOMPARE(zips.size(), 1);
            QVERIFY(QRegularExpression(QStringLiteral("^Sorrisa_Copia_\\d{4}-\\d\\d-\\d\\d_\\d{4}\\.zip$"))
                        .match(zips.first())
                        .hasMatch());
            QCOMPARE(QString::fromUtf8(backup.readAllStandardOutput()).trimmed(),
                     targetPath + QLatin1Char('/') + zips.first());
            QVERIFY(BackupSettings::read(world.folder()).last.isValid());
            QCOMPARE(
                Backup::check(targetPath + QLatin1Char('/') + zips.first(), world.folder(), nullptr, {}, kPassphrase)
                    .status,
                Backup::Outcome::Done);
            Backup::discard(world.folder());
        } else {
            QCOMPARE(zips, QStringList());
            QVERIFY(!backup.readAllStandardError().trimmed().isEmpty());
            QVERIFY(!BackupSettings::read(world.folder()).last.isValid());
        }
    }

    // A file of the zip named as one of the program's own files in the program folder is
    // refused whatever it holds (here plain text, not an executable).
    void restoreNeverReplacesProgram_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("executable") << "sorrisa";
        QTest::newRow("command-line program") << "sorrisa-backup";
        QTest::newRow("module") << "sorrisa_sound.so";
    }
    void restoreNeverReplacesProgram()
    {
        QFETCH(QString, name);
        Backed backed;
        auto &[world, target, made] = backed;
        QCOMPARE(made.status, Backup::Outcome::Done);
        addListedFile(made.path, name, "#!/bin/sh\necho replaced\n");
        const QMap<QString, QByteArray> before = snapshot(world.folder());
        const Backup::Outcome checked = Backup::check(made.path, world.folder(), nullptr);
        QCOMPARE(checked.status, Backup::Outcome::Refused);
        QCOMPARE(Backup::restore(world.folder(), kNow).status, Backup::Outcome::Failed);
        QCOMPARE(snapshot(world.folder()), before);
    }

    // Files that go away while the backup runs (a journal, a moved attachment) are left out;
    // the backup is good.
    void vanishedFileLeftOut()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const QStringList gone{QStringLiteral("Archivio_Pazienti.pro.journal"),
                               QStringLiteral("Documenti_Allegati/consenso.pdf"), QStringLiteral("Cliente_2/")};
        int removed = -1;
        const Backup::Outcome made =
            Backup::make(world.folder(), target.path(), kNow, [&](qint64, qint64, const QString &) {
                if (removed < 0) {
                    removed = 0;
                    for (const QString &path : gone)
                        removed += path.endsWith(QLatin1Char('/')) ? QDir(world.folder() + path).removeRecursively()
                                                                   : QFile::remove(world.folder() + path);
                }
                return true;
            });
        QCOMPARE(removed, gone.size());
        QCOMPARE(made.status, Backup::Outcome::Done);
        const QStringList listed = manifestPaths(made.path);
        for (const QString &path : gone)
            QVERIFY2(!listed.contains(path), qPrintable(path));
        QVERIFY(listed.contains(QStringLiteral("Documenti_Allegati/radiografia panoramica è.jpg")));
        QCOMPARE(Backup::check(made.path, world.folder(), nullptr).status, Backup::Outcome::Done);
        Backup::discard(world.folder());
    }

    // A backup never replaces a file already there under its name: the seconds, then a number.
    void zipNeverReplaced()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        writeAt(target.path() + QLatin1Char('/') + kZipName, "an earlier backup");
        const QDateTime now = kNow.addSecs(17);
        const Backup::Outcome first = Backup::make(world.folder(), target.path(), now);
        QCOMPARE(first.status, Backup::Outcome::Done);
        QCOMPARE(QFileInfo(first.path).fileName(), QStringLiteral("Sorrisa_Copia_2026-12-10_093017.zip"));
        const Backup::Outcome second = Backup::make(world.folder(), target.path(), now);
        QCOMPARE(second.status, Backup::Outcome::Done);
        QCOMPARE(QFileInfo(second.path).fileName(), QStringLiteral("Sorrisa_Copia_2026-12-10_093017_2.zip"));
        QFile earlier(target.path() + QLatin1Char('/') + kZipName);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArrayLiteral("an earlier backup"));
        QCOMPARE(Backup::check(first.path, world.folder(), nullptr).status, Backup::Outcome::Done);
        Backup::discard(world.folder());
    }

    // Past a file-size limit sorrisa-backup says so and exits 1, leaving no partial file,
    // also when it starts with the system's default for that signal (killed, otherwise).
    void commandLineFileSizeLimit()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        QProcess backup;
        backup.setChildProcessModifier([] {
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit limit{100000, 100000};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
        backup.start(tool("sorrisa-backup"),
                     {QStringLiteral("--to"), target.path(), QStringLiteral("--program-folder"), world.folder()});
        QVERIFY(backup.waitForFinished(60000));
        QCOMPARE(backup.exitStatus(), QProcess::NormalExit);
        QCOMPARE(backup.exitCode(), 1);
        QVERIFY(!backup.readAllStandardError().trimmed().isEmpty());
        QCOMPARE(entriesOf(target.path()), QStringList());
    }

    // A restore that fails on the program's own full disk says so, and changes nothing.
    void restoreOnFullDiskSaysSo()
    {
        Backed backed;
        auto &[world, target, made] = backed;
        QCOMPARE(made.status, Backup::Outcome::Done);
        const QMap<QString, QByteArray> before = snapshot(world.folder());
        Backup::Outcome checked;
        {
            FileSizeLimit limit(100000); // the incompressible attachment alone is 300,000 bytes
            QVERIFY(limit.ok());
            checked = Backup::check(made.path, world.folder(), nullptr);
        }
        QCOMPARE(checked.status, Backup::Outcome::Failed);
        QVERIFY2(checked.message.contains(QStringLiteral("cartella del programma"))
                     && checked.message.contains(QStringLiteral("spazio esaurito"))
                     && !checked.message.contains(QStringLiteral("danneggiato")),
                 qPrintable(checked.message));
        QVERIFY(checked.message.contains(QStringLiteral("Nessun dato è stato modificato")));
        QCOMPARE(snapshot(world.folder()), before);
    }

    // What the user reads names the cause: a newer version's backup, a file that is not a
    // zip, a damaged one, in Italian.
    void refusalSaysWhy_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("said");
        QTest::newRow("newer layout") << "newer"
                                      << "fatta da una versione più recente";
        QTest::newRow("not a zip") << "text"
                                   << "il file non è un archivio zip";
        QTest::newRow("bad CRC") << "flip"
                                 << "dati danneggiati";
    }
    void refusalSaysWhy()
    {
        QFETCH(QString, damage);
        QFETCH(QString, said);
        Backed backed;
        auto &[world, target, made] = backed;
        QCOMPARE(made.status, Backup::Outcome::Done);
        if (damage == QLatin1String("newer")) {
            auto entries = readZip(made.path);
            entries.last().second.replace("SORRISA-COPIA 1\n", "SORRISA-COPIA 2\n");
            writeZip(made.path, entries);
        } else if (damage == QLatin1String("text")) {
            writeAt(made.path, "not a zip at all");
        } else {
            // A stored (not compressed) entry: a changed byte is caught by the CRC alone.
            writeZip(made.path, readZip(made.path), true);
            QFile zip(made.path);
            QVERIFY(zip.open(QIODevice::ReadOnly));
            QByteArray bytes = zip.readAll();
            zip.close();
            const qsizetype at = bytes.indexOf(noise(300000, 4).left(64)) + 1000;
            QVERIFY(at > 1000);
            bytes[at] = char(bytes.at(at) ^ 0x10);
            writeAt(made.path, bytes);
        }
        const Backup::Outcome checked = Backup::check(made.path, world.folder(), nullptr);
        QCOMPARE(checked.status, Backup::Outcome::Refused);
        QVERIFY2(checked.message.contains(said), qPrintable(checked.message));
    }

    // "dell'11", "all'8": the article before a date or an hour said with a vowel.
    void datesElided_data()
    {
        QTest::addColumn<QDateTime>("when");
        QTest::addColumn<QString>("described");
        QTest::addColumn<QString>("reminded");
        QTest::newRow("10th, 09:30") << QDateTime(QDate(2026, 12, 10), QTime(9, 30))
                                     << "Copia di sicurezza del 10/12/2026 alle 09:30."
                                     << "risale al 10/12/2026 (";
        QTest::newRow("11th, 11:05") << QDateTime(QDate(2026, 11, 11), QTime(11, 5))
                                     << "Copia di sicurezza dell'11/11/2026 all'11:05."
                                     << "risale all'11/11/2026 (";
        QTest::newRow("8th, 08:00") << QDateTime(QDate(2026, 11, 8), QTime(8, 0))
                                    << "Copia di sicurezza dell'8/11/2026 all'8:00."
                                    << "risale all'8/11/2026 (";
        QTest::newRow("1st, 01:15") << QDateTime(QDate(2026, 11, 1), QTime(1, 15))
                                    << "Copia di sicurezza del 01/11/2026 all'1:15."
                                    << "risale al 01/11/2026 (";
    }
    void datesElided()
    {
        QFETCH(QDateTime, when);
        QFETCH(QString, described);
        QFETCH(QString, reminded);
        Backup::Description d;
        d.created = when;
        QVERIFY2(Backup::describe(d, QStringLiteral("x")).startsWith(described),
                 qPrintable(Backup::describe(d, QStringLiteral("x"))));
        BackupSettings s;
        s.last = when;
        QVERIFY2(s.reminderText(QDate(2026, 12, 10)).contains(reminded),
                 qPrintable(s.reminderText(QDate(2026, 12, 10))));
    }

    // Data that are symbolic links are left out and named: in the final message and on
    // sorrisa-backup's standard error.
    void skippedLinksNamed()
    {
        TestWorld world(kNow);
        OtherDisk target;
        QTemporaryDir elsewhere;
        writePractice(world.folder());
        writeAt(elsewhere.path() + QStringLiteral("/referto.txt"), "elsewhere");
        QVERIFY(QFile::link(elsewhere.path(), world.folder() + QStringLiteral("Cliente_9")));
        QVERIFY(QFile::link(elsewhere.path() + QStringLiteral("/referto.txt"),
                            world.folder() + QStringLiteral("Cliente_1/referto.txt")));
        const QStringList names{QStringLiteral("Cliente_9/"), QStringLiteral("Cliente_1/referto.txt")};
        const Backup::Outcome made = Backup::make(world.folder(), target.path(), kNow);
        QCOMPARE(made.status, Backup::Outcome::Done);
        for (const QString &name : names)
            QVERIFY2(made.message.contains(name), qPrintable(made.message));
        QProcess backup;
        backup.start(tool("sorrisa-backup"),
                     {QStringLiteral("--to"), target.path(), QStringLiteral("--program-folder"), world.folder()});
        QVERIFY(backup.waitForFinished(60000));
        QCOMPARE(backup.exitCode(), 0);
        const QString err = QString::fromUtf8(backup.readAllStandardError());
        for (const QString &name : names)
            QVERIFY2(err.contains(name), qPrintable(err));
    }

    // Two backups into one folder at the same minute each write a file of their own; a killed
    // run's partial file is removed by the next.
    void twoBackupsAtOnce()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const QString leftover = target.path() + QStringLiteral("/Sorrisa_Copia_2026-12-09_1800.zip.parziale");
        writeAt(leftover, "killed run");
        std::optional<Backup::Outcome> inner;
        const Backup::Outcome outer =
            Backup::make(world.folder(), target.path(), kNow, [&](qint64, qint64, const QString &current) {
                if (!inner && current == QStringLiteral("Documenti_Allegati/radiografia panoramica è.jpg"))
                    inner = Backup::make(world.folder(), target.path(), kNow);
                return true;
            });
        QVERIFY(inner);
        QCOMPARE(inner->status, Backup::Outcome::Done);
        QCOMPARE(outer.status, Backup::Outcome::Done);
        QVERIFY(outer.path != inner->path);
        QVERIFY(!QFileInfo::exists(leftover));
        QCOMPARE(entriesOf(target.path()).size(), 2);
        for (const QString &zip : {outer.path, inner->path}) {
            QCOMPARE(Backup::check(zip, world.folder(), nullptr).status, Backup::Outcome::Done);
            Backup::discard(world.folder());
        }
    }

    // The scratch folder of a restore under way in another copy of the program (it holds it
    // locked) is left alone and this restore is refused; once that copy is gone, its leftover
    // is removed and the restore goes ahead.
    void twoRestoresAtOnce()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const QMap<QString, QByteArray> before = snapshot(world.folder());
        const Backup::Outcome made = Backup::make(world.folder(), target.path(), kNow);
        QCOMPARE(made.status, Backup::Outcome::Done);
        writeAt(world.folder() + kPatientArchive, noise(TPatientRecord::Size, 51));
        const QString staging = world.folder() + DataFiles::kStagingFolder;
        writeAt(staging + QStringLiteral("/") + kPatientArchive, "the other copy's restore");
        const int other = ::open(QFile::encodeName(staging).constData(), O_RDONLY | O_DIRECTORY);
        QVERIFY(other >= 0);
        QCOMPARE(::flock(other, LOCK_EX | LOCK_NB), 0);
        const Backup::Outcome refused = Backup::check(made.path, world.folder(), nullptr);
        QCOMPARE(refused.status, Backup::Outcome::Refused);
        QVERIFY2(refused.message.contains(QStringLiteral("un altro ripristino")), qPrintable(refused.message));
        QFile kept(staging + QStringLiteral("/") + kPatientArchive);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArrayLiteral("the other copy's restore"));
        ::close(other); // that copy ended (or was killed)
        QCOMPARE(Backup::check(made.path, world.folder(), nullptr).status, Backup::Outcome::Done);
        QCOMPARE(Backup::restore(world.folder(), kNow.addDays(1)).status, Backup::Outcome::Done);
        QCOMPARE(restoredData(world.folder()), before);
    }

    // A target on the program folder's own disk only after the question that says so; the
    // command line only with --same-disk (in commandLine()).
    void sameDiskAsked_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("declined") << false;
        QTest::newRow("accepted") << true;
    }
    void sameDiskAsked()
    {
        QFETCH(bool, yes);
        TestWorld world(kNow);
        QTemporaryDir sameDisk;
        writePractice(world.folder());
        QVERIFY(Backup::onSameDisk(world.folder(), sameDisk.path()));
        const Backup::Outcome refused = Backup::make(world.folder(), sameDisk.path(), kNow);
        QCOMPARE(refused.status, Backup::Outcome::Refused);
        QCOMPARE(entriesOf(sameDisk.path()), QStringList());
        BackupSettings settings;
        settings.folder = sameDisk.path();
        QVERIFY(settings.write(world.folder()));
        Modal::queue([&](QWidget *w) {
            Messages::queueAnswer(yes);
            control<QPushButton>(w, "btnCopia")->click();
        });
        Modal::run(new TfrmCopiaSicurezza(world.windows().frmAvvio()));
        const QStringList said = shownMessages();
        QCOMPARE(said.first(), QStringLiteral("confirmation: ") + Backup::sameDiskQuestion(sameDisk.path()));
        QCOMPARE(said.size(), yes ? 2 : 1);
        QCOMPARE(entriesOf(sameDisk.path()), yes ? QStringList{kZipName} : QStringList());
    }

    // Where the reminder's day cannot be written down, it still comes once a day.
    void reminderOnceWhereUnwritable()
    {
        TestWorld world(kNow);
        writePractice(world.folder());
        QVERIFY(QDir().mkpath(world.folder() + DataFiles::kSettingsFile)); // cannot be written as a file
        TfrmAvvio *menu = world.windows().frmAvvio();
        Messages::queueAnswer(false);
        menu->show();
        QStringList said;
        QTRY_VERIFY((said += shownMessages(), !said.isEmpty()));
        QCOMPARE(said.size(), 1);
        menu->hide();
        menu->show();
        QTest::qWait(50);
        QCOMPARE(shownMessages(), QStringList());
        QCOMPARE(Modal::takeOpened(), QStringList());
    }

    // An encrypted backup: nothing of the data or the manifest in clear, unreadable without
    // the passphrase or with a wrong one (libarchive and 7-Zip alike), whole with it.
    void encryptedBackup()
    {
        Backed backed(kPassphrase);
        auto &[world, target, made] = backed;
        QCOMPARE(made.status, Backup::Outcome::Done);
        QFile zip(made.path);
        QVERIFY(zip.open(QIODevice::ReadOnly));
        const QByteArray bytes = zip.readAll();
        zip.close();
        for (const QByteArray &clear : {QByteArrayLiteral("esame del 10/12/2026"), QByteArrayLiteral("SORRISA-COPIA"),
                                        QByteArrayLiteral("Valore=0A1B"), noise(3 * TPatientRecord::Size, 1).left(64)})
            QVERIFY(!bytes.contains(clear));

        // libarchive: headers readable, data refused without the passphrase.
        struct archive *a = archive_read_new();
        archive_read_support_format_zip(a);
        QCOMPARE(archive_read_open_filename(a, QFile::encodeName(made.path).constData(), 1 << 16), ARCHIVE_OK);
        archive_entry *e = nullptr;
        bool refused = false;
        while (!refused && archive_read_next_header(a, &e) == ARCHIVE_OK) {
            char block[4096];
            if (archive_entry_size(e) > 0) {
                QVERIFY(archive_entry_is_encrypted(e));
                refused = archive_read_data(a, block, sizeof block) < 0;
            }
        }
        archive_read_free(a);
        QVERIFY(refused);

        Backup::Description d;
        const Backup::Outcome none = Backup::verify(made.path, &d);
        QCOMPARE(none.status, Backup::Outcome::Refused);
        QVERIFY(none.needsPassphrase);
        const Backup::Outcome wrong = Backup::verify(made.path, &d, {}, QStringLiteral("Corona-Molare 37"));
        QCOMPARE(wrong.status, Backup::Outcome::Refused);
        QVERIFY(wrong.needsPassphrase);
        QVERIFY2(wrong.message.contains(QStringLiteral("non è corretta")), qPrintable(wrong.message));
        const Backup::Outcome right = Backup::verify(made.path, &d, {}, kPassphrase);
        QCOMPARE(right.status, Backup::Outcome::Done);
        QVERIFY(d.encrypted);
        QCOMPARE(d.patients, 3);
        QCOMPARE(d.appointments, 5);
        QVERIFY2(right.message.contains(QStringLiteral("Schede pazienti: 3\r\nSchede appuntamenti: 5")),
                 qPrintable(right.message));

        // 7-Zip (Debian's p7zip-full).
        const QString sevenZip = QStandardPaths::findExecutable(QStringLiteral("7z"));
        if (sevenZip.isEmpty())
            QSKIP("7z (p7zip-full, installed by tools/setup.sh) is missing: checked with libarchive only");
        QTemporaryDir out;
        const auto run7z = [&](const QString &passphrase) {
            QProcess p;
            p.start(sevenZip, {QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-p") + passphrase,
                               QStringLiteral("-o") + out.path(), made.path});
            p.waitForFinished(60000);
            return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        };
        QVERIFY(run7z(QStringLiteral("Corona-Molare 37")) != 0);
        QCOMPARE(run7z(kPassphrase), 0);
        QFile attachment(out.path() + QStringLiteral("/Documenti_Allegati/radiografia panoramica è.jpg"));
        QVERIFY(attachment.open(QIODevice::ReadOnly));
        QCOMPARE(attachment.readAll(), noise(300000, 4));
    }

    // A restore with a wrong passphrase says so and changes nothing; with the right one, the
    // data come back.
    void wrongPassphraseChangesNothing()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const QMap<QString, QByteArray> before = snapshot(world.folder());
        Backup::Options options;
        options.passphrase = kPassphrase;
        const Backup::Outcome made = Backup::make(world.folder(), target.path(), kNow, {}, options);
        QCOMPARE(made.status, Backup::Outcome::Done);
        writeAt(world.folder() + kPatientArchive, noise(TPatientRecord::Size, 61));
        const QMap<QString, QByteArray> changed = snapshot(world.folder());
        for (const QString &passphrase : {QString(), QStringLiteral("Corona-Molare 37")}) {
            const Backup::Outcome checked = Backup::check(made.path, world.folder(), nullptr, {}, passphrase);
            QCOMPARE(checked.status, Backup::Outcome::Refused);
            QVERIFY(checked.needsPassphrase);
            QVERIFY(checked.message.contains(QStringLiteral("Nessun dato è stato modificato")));
            QCOMPARE(Backup::restore(world.folder(), kNow).status, Backup::Outcome::Failed);
            QCOMPARE(snapshot(world.folder()), changed);
        }
        QCOMPARE(Backup::check(made.path, world.folder(), nullptr, {}, kPassphrase).status, Backup::Outcome::Done);
        QCOMPARE(Backup::restore(world.folder(), kNow.addDays(1)).status, Backup::Outcome::Done);
        QCOMPARE(restoredData(world.folder()), before);
    }

    // The window on a computer without the passphrase (after a theft): the restore asks for
    // it; a wrong one is said and changes nothing; the right one restores, after a
    // confirmation naming the backup's date and the access password of that date.
    void windowRestoreAsksPassphrase_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("restored");
        QTest::newRow("wrong") << "Corona-Molare 37" << false;
        QTest::newRow("right") << kPassphrase << true;
    }
    void windowRestoreAsksPassphrase()
    {
        QFETCH(QString, typed);
        QFETCH(bool, restored);
        Backed backed(kPassphrase);
        auto &[world, target, made] = backed;
        QCOMPARE(made.status, Backup::Outcome::Done);
        QVERIFY(QFile::remove(Passphrase::filePath())); // a new computer
        writeAt(world.folder() + kPatientArchive, noise(TPatientRecord::Size, 71));
        const QMap<QString, QByteArray> changed = snapshot(world.folder());
        QString confirmText;
        Modal::queue([&](QWidget *w) {
            FileDialog::setNextFileName(made.path);
            Modal::queue([&](QWidget *ask) {
                QCOMPARE(ask->objectName(), QStringLiteral("frmPasswordCopie"));
                QVERIFY(!control<QLineEdit>(ask, "txtConferma")->isVisible());
                control<QLineEdit>(ask, "txtPassword")->setText(typed);
                control<QPushButton>(ask, "btnOK")->click();
            });
            Messages::setOnShown([&](const Messages::Shown &shown) {
                if (shown.kind == Messages::Confirmation)
                    confirmText = shown.text;
            });
            Messages::queueAnswer(true);
            control<QPushButton>(w, "btnRipristina")->click();
            Messages::setOnShown({});
        });
        Modal::run(new TfrmCopiaSicurezza(world.windows().frmAvvio()));
        const QStringList said = shownMessages();
        if (!restored) {
            QCOMPARE(said.size(), 1);
            QVERIFY2(said.first().contains(QStringLiteral("non è corretta")), qPrintable(said.first()));
            QCOMPARE(snapshot(world.folder()), changed);
            return;
        }
        QVERIFY2(confirmText.startsWith(QStringLiteral("Copia di sicurezza del 10/12/2026 alle 09:30.")),
                 qPrintable(confirmText));
        QVERIFY2(confirmText.contains(
                     QStringLiteral("torna anche la password di accesso al programma di quel giorno (10/12/2026)")),
                 qPrintable(confirmText));
        QVERIFY2(said.last().startsWith(QStringLiteral("information: Ripristino completato.")),
                 qPrintable(said.last()));
    }

    // Which backups stay: the last 10 and the newest of each of the 6 months before this one;
    // names that are not the program's backups are never counted nor removed.
    void keptByTable_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("last");
        QTest::addColumn<QStringList>("removed");
        QStringList december;
        for (int day = 1; day <= 12; ++day)
            december.append(QStringLiteral("Sorrisa_Copia_2026-12-%1_2200.zip").arg(day, 2, 10, QLatin1Char('0')));
        QTest::newRow("twelve this month") << december << 10 << QStringList{december.at(1), december.at(0)};
        QTest::newRow("keep all") << december << 0 << QStringList();
        const QStringList months{QStringLiteral("Sorrisa_Copia_2026-11-30_2200.zip"),
                                 QStringLiteral("Sorrisa_Copia_2026-11-02_2200.zip"),
                                 QStringLiteral("Sorrisa_Copia_2026-06-15_0800.zip"),
                                 QStringLiteral("Sorrisa_Copia_2026-06-01_0800.zip"),
                                 QStringLiteral("Sorrisa_Copia_2026-05-31_0800.zip"),
                                 QStringLiteral("Sorrisa_Copia_2025-12-01_0800.zip"),
                                 QStringLiteral("Copia_a_mano.zip"),
                                 QStringLiteral("Sorrisa_Copia_vecchia.zip")};
        QTest::newRow("months before") << (QStringList{december.at(11), december.at(10)} + months) << 2
                                       << QStringList{QStringLiteral("Sorrisa_Copia_2026-11-02_2200.zip"),
                                                      QStringLiteral("Sorrisa_Copia_2026-06-01_0800.zip"),
                                                      QStringLiteral("Sorrisa_Copia_2026-05-31_0800.zip"),
                                                      QStringLiteral("Sorrisa_Copia_2025-12-01_0800.zip")};
        QTest::newRow("seconds and numbers") << QStringList{QStringLiteral("Sorrisa_Copia_2026-12-10_0930.zip"),
                                                            QStringLiteral("Sorrisa_Copia_2026-12-10_093000.zip"),
                                                            QStringLiteral("Sorrisa_Copia_2026-12-10_093000_2.zip")}
                                             << 2 << QStringList{QStringLiteral("Sorrisa_Copia_2026-12-10_0930.zip")};
    }
    void keptByTable()
    {
        QFETCH(QStringList, names);
        QFETCH(int, last);
        QFETCH(QStringList, removed);
        QCOMPARE(Backup::toRemove(names, QDate(2026, 12, 12), Backup::Keep{last, 6}), removed);
    }

    // Older backups go only after a new one is verified, and only the program's backups.
    void rotationAfterVerifiedBackup()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        QStringList older;
        for (int day = 1; day <= 10; ++day)
            older.append(QStringLiteral("Sorrisa_Copia_2026-12-%1_2200.zip").arg(day, 2, 10, QLatin1Char('0')));
        for (const QString &name : older + QStringList{QStringLiteral("Copia_a_mano.zip")})
            writeAt(target.path() + QLatin1Char('/') + name, "older");
        const QDateTime now = QDateTime(QDate(2026, 12, 11), QTime(9, 30));
        Backup::Options options;
        options.keep = {10, 6};
        {
            FileSizeLimit limit(100000);
            QCOMPARE(Backup::make(world.folder(), target.path(), now, {}, options).status, Backup::Outcome::Failed);
        }
        QCOMPARE(entriesOf(target.path()).size(), 11); // a failed backup removes nothing
        const Backup::Outcome made = Backup::make(world.folder(), target.path(), now, {}, options);
        QCOMPARE(made.status, Backup::Outcome::Done);
        QCOMPARE(made.removed, QStringList{older.first()});
        QVERIFY(!QFileInfo::exists(target.path() + QLatin1Char('/') + older.first()));
        QVERIFY(QFileInfo::exists(target.path() + QStringLiteral("/Copia_a_mano.zip")));
        QCOMPARE(entriesOf(target.path()).size(), 11);
    }

    // A target without room for as much as the last backup took is reported before starting.
    void noRoomReportedBeforeStarting()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        QFile last(target.path() + QStringLiteral("/Sorrisa_Copia_2026-12-09_2200.zip"));
        QVERIFY(last.open(QIODevice::WriteOnly));
        QVERIFY(last.resize(qint64(1) << 50)); // sparse: far beyond any free space
        last.close();
        int calls = 0;
        const Backup::Outcome outcome = Backup::make(world.folder(), target.path(), kNow,
                                                     [&](qint64, qint64, const QString &) { return ++calls > 0; });
        QCOMPARE(outcome.status, Backup::Outcome::Refused);
        QCOMPARE(calls, 0);
        QVERIFY2(outcome.message.contains(QStringLiteral("non c'è spazio")), qPrintable(outcome.message));
        QCOMPARE(entriesOf(target.path()).size(), 1);
    }

    // sorrisa-backup and the passphrase: none chosen stops with 2 and says how, unless
    // --unencrypted; --set-passphrase reads it twice; --verify checks a backup whole.
    void commandLinePassphrase()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        QVERIFY(QFile::remove(Passphrase::filePath()));
        const QStringList backupArgs{QStringLiteral("--to"), target.path(), QStringLiteral("--program-folder"),
                                     world.folder()};
        const auto run = [&](const QStringList &args, const QByteArray &input = {}) {
            auto p = std::make_unique<QProcess>();
            p->start(tool("sorrisa-backup"), args);
            p->write(input);
            p->closeWriteChannel();
            p->waitForFinished(60000);
            return p;
        };
        auto noPassphrase = run(backupArgs);
        QCOMPARE(noPassphrase->exitCode(), 2);
        QVERIFY(QString::fromUtf8(noPassphrase->readAllStandardError()).contains(QStringLiteral("--set-passphrase")));
        QCOMPARE(entriesOf(target.path()), QStringList());

        auto plain = run(backupArgs + QStringList{QStringLiteral("--unencrypted")});
        QCOMPARE(plain->exitCode(), 0);
        const QString plainZip = QString::fromUtf8(plain->readAllStandardOutput()).trimmed();
        Backup::Description d;
        QCOMPARE(Backup::verify(plainZip, &d).status, Backup::Outcome::Done);
        QVERIFY(!d.encrypted);

        QCOMPARE(run({QStringLiteral("--set-passphrase")}, "corta\ncorta\n")->exitCode(), 2);
        QCOMPARE(run({QStringLiteral("--set-passphrase")}, "Corona-Molare 36\nCorona-Molare 63\n")->exitCode(), 2);
        QVERIFY(Passphrase::stored().isEmpty());
        QCOMPARE(run({QStringLiteral("--set-passphrase")}, "Corona-Molare 36\nCorona-Molare 36\n")->exitCode(), 0);
        QCOMPARE(Passphrase::stored(), kPassphrase);
        QCOMPARE(QFileInfo(Passphrase::filePath()).permissions() & 0x0077, QFileDevice::Permissions());
        QCOMPARE(QFile::permissions(Passphrase::filePath()),
                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser);

        QFile::remove(plainZip);
        auto encrypted = run(backupArgs);
        QCOMPARE(encrypted->exitCode(), 0);
        const QString zip = QString::fromUtf8(encrypted->readAllStandardOutput()).trimmed();
        QCOMPARE(Backup::verify(zip, &d, {}, kPassphrase).status, Backup::Outcome::Done);
        QVERIFY(d.encrypted);

        auto verified = run({QStringLiteral("--verify"), zip});
        QCOMPARE(verified->exitCode(), 0);
        QVERIFY(QString::fromUtf8(verified->readAllStandardOutput()).contains(QStringLiteral("Schede pazienti: 3")));
        QFile bytes(zip);
        QVERIFY(bytes.open(QIODevice::ReadWrite));
        bytes.seek(bytes.size() / 2);
        const char flipped = char(bytes.peek(1).at(0) ^ 0x10);
        bytes.write(&flipped, 1);
        bytes.close();
        QCOMPARE(run({QStringLiteral("--verify"), zip})->exitCode(), 1);
    }

    // A passphrase is taken only at 10 characters or more, typed the same twice; the hint
    // grows with its length and the kinds of characters in it.
    void passphraseRules_data()
    {
        QTest::addColumn<QString>("passphrase");
        QTest::addColumn<QString>("again");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("strength");
        QTest::newRow("nine characters") << "abcdefghi"
                                         << "abcdefghi" << false << "troppo corta (almeno 10 caratteri)";
        QTest::newRow("different") << "abcdefghij"
                                   << "abcdefghiJ" << false << "debole";
        QTest::newRow("ten small letters") << "abcdefghij"
                                           << "abcdefghij" << true << "debole";
        QTest::newRow("letters and digits") << "molare36dente"
                                            << "molare36dente" << true << "discreta";
        QTest::newRow("a long mixed one") << "Corona-Molare 36"
                                          << "Corona-Molare 36" << true << "buona";
    }
    void passphraseRules()
    {
        QFETCH(QString, passphrase);
        QFETCH(QString, again);
        QFETCH(bool, taken);
        QFETCH(QString, strength);
        QCOMPARE(Passphrase::problemWith(passphrase, again).isEmpty(), taken);
        QCOMPARE(Passphrase::strengthText(passphrase), QStringLiteral("Sicurezza della password: ") + strength);
    }

    // The window: the passphrase chosen twice (at least 10 characters, with its strength),
    // kept on this computer, its recovery sheet printed; a backup without one chosen asks for
    // it first; an unencrypted backup only after the warning; "Verifica copia".
    void windowPassphraseAndVerify()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        QVERIFY(QFile::remove(Passphrase::filePath()));
        BackupSettings settings;
        settings.folder = target.path();
        QVERIFY(settings.write(world.folder()));
        QString strength;
        Modal::queue([&](QWidget *w) {
            QVERIFY(!control<QPushButton>(w, "btnFoglio")->isEnabled());
            // The unencrypted choice warns; No leaves it off.
            Messages::queueAnswer(false);
            control<QCheckBox>(w, "chkNonCifrata")->click();
            QVERIFY(!control<QCheckBox>(w, "chkNonCifrata")->isChecked());
            QCOMPARE(shownMessages().size(), 1);
            // The backup asks for the passphrase first.
            Modal::queue([&](QWidget *dialog) {
                QCOMPARE(dialog->windowTitle(), QStringLiteral(" Password delle copie di sicurezza"));
                QCOMPARE(control<QLabel>(dialog, "lblPassword")->text(),
                         QStringLiteral("Password delle copie di sicurezza:"));
                auto *first = control<QLineEdit>(dialog, "txtPassword");
                auto *again = control<QLineEdit>(dialog, "txtConferma");
                QCOMPARE(first->echoMode(), QLineEdit::Password);
                first->setText(QStringLiteral("corta"));
                again->setText(QStringLiteral("corta"));
                control<QPushButton>(dialog, "btnOK")->click();
                first->setText(kPassphrase);
                again->setText(QStringLiteral("Corona-Molare 63"));
                control<QPushButton>(dialog, "btnOK")->click();
                QVERIFY(Passphrase::stored().isEmpty());
                strength = control<QLabel>(dialog, "lblForza")->text();
                again->setText(kPassphrase);
                Messages::queueAnswer(true); // print the recovery sheet
                control<QPushButton>(dialog, "btnOK")->click();
            });
            control<QPushButton>(w, "btnCopia")->click();
            const QStringList said = shownMessages();
            QCOMPARE(said.size(), 5);
            QVERIFY(said.at(1).contains(QStringLiteral("almeno 10 caratteri")));
            QVERIFY(said.at(2).contains(QStringLiteral("non sono uguali")));
            QVERIFY2(said.at(4).startsWith(QStringLiteral("information: Copia di sicurezza completata.")),
                     qPrintable(said.at(4)));
            QVERIFY(control<QPushButton>(w, "btnFoglio")->isEnabled());
            // "Verifica copia".
            FileDialog::setNextFileName(target.path() + QLatin1Char('/') + kZipName);
            control<QPushButton>(w, "btnVerifica")->click();
            const QStringList verified = shownMessages();
            QCOMPARE(verified.size(), 1);
            QVERIFY2(verified.first().startsWith(QStringLiteral("information: La copia è integra")),
                     qPrintable(verified.first()));
            QVERIFY(verified.first().contains(QStringLiteral(", cifrata.")));
            // "Copie da conservare" is remembered.
            control<QSpinBox>(w, "spnConserva")->setValue(3);
            QCOMPARE(BackupSettings::read(world.folder()).keepLast, 3);
        });
        Modal::run(new TfrmCopiaSicurezza(world.windows().frmAvvio()));
        QCOMPARE(Passphrase::stored(), kPassphrase);
        QCOMPARE(strength, QStringLiteral("Sicurezza della password: buona"));
        const QList<Printer::Document> printed = Printer::takePrinted();
        QCOMPARE(printed.size(), 1);
        const auto job = std::dynamic_pointer_cast<const Report::Job>(printed.first());
        QVERIFY(job);
        const Report::TextBox *box = job->pages().value(0).text(QStringLiteral("txtRiepilogo"));
        QVERIFY(box);
        QVERIFY(box->lines.contains(QStringLiteral("    ") + kPassphrase));
        Backup::Description d;
        QCOMPARE(Backup::verify(target.path() + QLatin1Char('/') + kZipName, &d, {}, kPassphrase).status,
                 Backup::Outcome::Done);
        QVERIFY(d.encrypted);
    }

    void reminderDue_data()
    {
        QTest::addColumn<QDateTime>("last");
        QTest::addColumn<QDate>("reminded");
        QTest::addColumn<bool>("due");
        const QDate today(2026, 12, 10);
        QTest::newRow("never") << QDateTime() << QDate() << true;
        QTest::newRow("never, already said today") << QDateTime() << today << false;
        QTest::newRow("7 days ago") << QDateTime(today.addDays(-7), QTime(8, 0)) << QDate() << false;
        QTest::newRow("8 days ago") << QDateTime(today.addDays(-8), QTime(8, 0)) << today.addDays(-1) << true;
        QTest::newRow("8 days ago, said today") << QDateTime(today.addDays(-8), QTime(8, 0)) << today << false;
    }
    void reminderDue()
    {
        QFETCH(QDateTime, last);
        QFETCH(QDate, reminded);
        QFETCH(bool, due);
        BackupSettings s;
        s.last = last;
        s.reminded = reminded;
        QCOMPARE(s.reminderDue(QDate(2026, 12, 10)), due);
    }

    // The main menu reminds once a day when there are cards and no recent backup; the answer
    // Yes opens the backup window.
    void mainMenuReminds()
    {
        TestWorld world(kNow);
        writePractice(world.folder());
        TfrmAvvio *menu = world.windows().frmAvvio();
        Messages::queueAnswer(true);
        menu->show();
        QStringList opened;
        QTRY_VERIFY((opened += Modal::takeOpened(), !opened.isEmpty()));
        QCOMPARE(opened, QStringList{QStringLiteral("frmCopiaSicurezza")});
        QCOMPARE(shownMessages(),
                 QStringList{QStringLiteral("confirmation: ") + BackupSettings().reminderText(QDate(2026, 12, 10))});
        QCOMPARE(BackupSettings::read(world.folder()).reminded, QDate(2026, 12, 10));
        menu->hide();
        menu->show();
        QTest::qWait(50);
        QCOMPARE(shownMessages(), QStringList());
        // The button opens the same window.
        control<PictureButton>(menu, "imgCopia")->click();
        QCOMPARE(Modal::takeOpened(), QStringList{QStringLiteral("frmCopiaSicurezza")});
    }

    void noReminderWithoutCards()
    {
        TestWorld world(kNow);
        world.windows().frmAvvio()->show();
        QTest::qWait(50);
        QCOMPARE(shownMessages(), QStringList());
        QCOMPARE(Modal::takeOpened(), QStringList());
    }

    // The window's main path: choose the folder (the program folder is refused), back up,
    // restore after confirming.
    void windowBacksUpAndRestores()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        const QMap<QString, QByteArray> before = snapshot(world.folder());

        QString confirmText;
        Modal::queue([&](QWidget *w) {
            auto *window = qobject_cast<TfrmCopiaSicurezza *>(w);
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), QStringLiteral(" Copia di sicurezza e ripristino"));
            QCOMPARE(control<QLabel>(w, "lblUltima")->text(), QStringLiteral("nessuna"));
            // The program folder is refused and not remembered.
            FileDialog::setNextFileName(world.folder());
            control<QPushButton>(w, "btnSfoglia")->click();
            QCOMPARE(shownMessages().size(), 1);
            QVERIFY(BackupSettings::read(world.folder()).folder.isEmpty());
            // No folder yet: the backup asks for one.
            FileDialog::setNextFileName(target.path());
            control<QPushButton>(w, "btnCopia")->click();
            const QStringList said = shownMessages();
            QCOMPARE(said.size(), 1);
            QVERIFY2(said.first().startsWith(QStringLiteral("information: Copia di sicurezza completata.")),
                     qPrintable(said.first()));
            QCOMPARE(control<QLineEdit>(w, "txtCartella")->text(), target.path());
            QCOMPARE(control<QLabel>(w, "lblUltima")->text(), QStringLiteral("10/12/2026 alle 09:30"));

            writeAt(world.folder() + kPatientArchive, noise(TPatientRecord::Size, 31));
            FileDialog::setNextFileName(target.path() + QLatin1Char('/') + kZipName);
            Messages::setOnShown([&](const Messages::Shown &shown) {
                if (shown.kind == Messages::Confirmation)
                    confirmText = shown.text;
            });
            Messages::queueAnswer(true);
            control<QPushButton>(w, "btnRipristina")->click();
            Messages::setOnShown({});
            const QStringList restored = shownMessages();
            QCOMPARE(restored.size(), 2);
            QVERIFY2(restored.last().startsWith(QStringLiteral("information: Ripristino completato.")),
                     qPrintable(restored.last()));
        });
        Modal::run(new TfrmCopiaSicurezza(world.windows().frmAvvio()));
        QVERIFY2(confirmText.contains(QStringLiteral("Schede pazienti: 3\r\nSchede appuntamenti: 5")),
                 qPrintable(confirmText));
        QVERIFY(confirmText.startsWith(QStringLiteral("Copia di sicurezza del 10/12/2026 alle 09:30.")));

        const BackupSettings s = BackupSettings::read(world.folder());
        QCOMPARE(s.folder, target.path());
        QCOMPARE(s.last, kNow);
        QCOMPARE(s.lastFile, target.path() + QLatin1Char('/') + kZipName);
        QMap<QString, QByteArray> after = snapshot(world.folder());
        for (auto it = after.begin(); it != after.end();)
            it = it.key().startsWith(DataFiles::kAsidePrefix) || it.key() == DataFiles::kSettingsFile ? after.erase(it)
                                                                                                      : std::next(it);
        QCOMPARE(after, before);
    }

    // The progress window, in Italian, cancels the backup: nothing is written, and it says so.
    void windowBackupCancelled()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        BackupSettings settings;
        settings.folder = target.path();
        QVERIFY(settings.write(world.folder()));
        const int delay = TfrmCopiaSicurezza::progressDelayMs;
        TfrmCopiaSicurezza::progressDelayMs = 0;
        QString label;
        QString button;
        Modal::queue([&](QWidget *w) {
            // Runs while the backup shows its progress and lets the events through.
            QTimer::singleShot(0, w, [&, w] {
                auto *progress = w->findChild<QProgressDialog *>(QStringLiteral("dlgProgresso"));
                QVERIFY(progress);
                label = progress->labelText();
                button = progress->findChild<QPushButton *>()->text();
                progress->cancel();
            });
            control<QPushButton>(w, "btnCopia")->click();
        });
        Modal::run(new TfrmCopiaSicurezza(world.windows().frmAvvio()));
        TfrmCopiaSicurezza::progressDelayMs = delay;
        QCOMPARE(label, QStringLiteral("Copia di sicurezza in corso..."));
        QCOMPARE(button, QStringLiteral("Annulla"));
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("information: ") + Backup::kCancelled});
        QCOMPARE(QDir(target.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
        QVERIFY(!BackupSettings::read(world.folder()).last.isValid());
    }

    // Answering No to the description changes nothing and leaves no scratch folder.
    void windowRestoreDeclined()
    {
        TestWorld world(kNow);
        OtherDisk target;
        writePractice(world.folder());
        QCOMPARE(Backup::make(world.folder(), target.path(), kNow).status, Backup::Outcome::Done);
        writeAt(world.folder() + kPatientArchive, noise(TPatientRecord::Size, 41));
        const QMap<QString, QByteArray> before = snapshot(world.folder());
        Modal::queue([&](QWidget *w) {
            FileDialog::setNextFileName(target.path() + QLatin1Char('/') + kZipName);
            Messages::queueAnswer(false);
            control<QPushButton>(w, "btnRipristina")->click();
        });
        Modal::run(new TfrmCopiaSicurezza(world.windows().frmAvvio()));
        QCOMPARE(shownMessages().size(), 1);
        QCOMPARE(snapshot(world.folder()), before);
    }
};

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
