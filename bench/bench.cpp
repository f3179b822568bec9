// Sorrisa's benchmark: builds archives of a practice with fifteen years of work behind it
// and times what the user does on them, through the same code the windows run, against the
// floors no window can beat (reading the file; a minimal Qt program's start-up).
//
//   sorrisa_bench [--appointments N] [--patients N] [--treatments N] [--runs K]
#include "Archives.h"

#include "app/Startup.h"
#include "app/Windows.h"
#include "app/frmPassword.h"
#include "ui/FixedList.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmTrovaScadenze.h"
#include "export/ExportMembers.h"
#include "export/frmExport.h"
#include "ui/PictureButton.h"
#include "patients/frmClients.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>

namespace {

// The process's own high-water mark of resident memory. (getrusage's figure would start from
// the parent's size in a child process, which it inherits.)
double peakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (const QByteArray &line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

double timeMs(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

double medianMs(int runs, const std::function<void()> &work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i)
        times.append(timeMs(work));
    return median(times);
}

// The floor of every scan, as the figures to reach define it: the whole file read from start
// to end into memory, with nothing done to the bytes.
double readFileMs(const QString &path)
{
    return timeMs([&] {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        const QByteArray all = f.readAll();
        if (all.size() != f.size())
            qFatal("short read of %s", qPrintable(path));
    });
}

// A stricter bound, shown beside it: the file streamed through one 1 MB buffer, so that no
// memory is taken for it (with the file in the system's cache this is a copy at memory speed).
double streamFileMs(const QString &path)
{
    return timeMs([&] {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(path));
        QByteArray block(1 << 20, Qt::Uninitialized);
        qint64 total = 0;
        for (qint64 n; (n = f.read(block.data(), block.size())) > 0;)
            total += n;
        if (total != f.size())
            qFatal("short read of %s", qPrintable(path));
    });
}

double g_stream = 0; // the streaming bound of the appointment archive, for the extra column

void row(const char *operation, double ms, double floorMs, const char *floorName, double streamMs = 0)
{
    std::printf("%-42s %9.1f ms   floor: %-20s %8.1f ms   ratio %6.2f", operation, ms, floorName, floorMs,
                floorMs > 0 ? ms / floorMs : 0.0);
    if (streamMs > 0)
        std::printf("   (%5.2f x streaming)", ms / streamMs);
    std::printf("\n");
    std::fflush(stdout);
}

void waitExposed(QWidget *w)
{
    while (!(w->windowHandle() && w->windowHandle()->isExposed()))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

// A child process: start up as the program does (or as a minimal Qt program) and say
// "ready" once the first window is on screen.
int startupChild(int argc, char *argv[], bool minimal)
{
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    if (minimal) {
        QWidget w;
        w.resize(388, 405);
        w.show();
        waitExposed(&w);
        std::puts("ready");
        return 0;
    }
    Startup::prepare(app, QString::fromLocal8Bit(argv[2]));
    Windows windows;
    Windows::start();
    waitExposed(Windows::frmPassword());
    std::puts("ready");
    return 0;
}

double startupMs(const QString &self, const QStringList &args)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    child.start(self, args);
    if (!child.waitForReadyRead(60000))
        qFatal("the start-up child said nothing");
    const double ms = t.nsecsElapsed() / 1e6;
    child.waitForFinished(60000);
    return ms;
}

void seamsForTiming()
{
    // Message boxes, modal windows, the shell and the sound are taken over so that nothing
    // waits for a user; the code that fills the windows is the program's own.
    Messages::setTestMode(true);
    Modal::setTestMode(true);
    TMisc::setTestMode(true);
    Sound::setTestMode(true);
    FileDialog::setTestMode(true);
    Application::setTestMode(true);
}

// A child process: the agenda shown on the archives of a folder, and the peak memory of a
// process that does nothing else.
int agendaPeakChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    Startup::prepare(app, QString::fromLocal8Bit(argv[2]));
    seamsForTiming();
    Windows windows;
    Windows::frmAgenda()->show();
    QCoreApplication::processEvents();
    std::printf("%d %.1f\n", int(Windows::frmAgenda()->lstRecords->count()), peakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && qstrcmp(argv[1], "--startup-minimal") == 0)
        return startupChild(argc, argv, true);
    if (argc >= 3 && qstrcmp(argv[1], "--startup-sorrisa") == 0)
        return startupChild(argc, argv, false);
    if (argc >= 3 && qstrcmp(argv[1], "--agenda-peak") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return agendaPeakChild(argc, argv);
    }

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Archives::Sizes sizes;
    int runs = 9;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const int value = args.at(i + 1).toInt();
        if (args.at(i) == QLatin1String("--appointments"))
            sizes.appointments = value;
        else if (args.at(i) == QLatin1String("--patients"))
            sizes.patients = value;
        else if (args.at(i) == QLatin1String("--treatments"))
            sizes.treatments = value;
        else if (args.at(i) == QLatin1String("--runs"))
            runs = qMax(1, value);
    }

    QTemporaryDir dir;
    const QDate today(2026, 12, 10);
    Clock::setFixed(QDateTime(today, QTime(9, 30)));
    Startup::prepare(app, dir.path());
    seamsForTiming();
    const QString folder = ProgramFolder::path();
    std::printf("Archives: %d appointments, %d patients, %d treatments; times are medians of %d runs\n",
                sizes.appointments, sizes.patients, sizes.treatments, runs);
    Archives::write(folder, sizes, today);

    const auto floorOf = [&](double (*read)(const QString &), const QString &name) {
        QList<double> times;
        for (int i = 0; i < qMax(runs, 5); ++i)
            times.append(read(folder + name));
        return median(times);
    };
    const double readAppointments = floorOf(readFileMs, kAppointmentArchive);
    const double readPatients = floorOf(readFileMs, kPatientArchive);
    g_stream = floorOf(streamFileMs, kAppointmentArchive);
    row("read the appointment archive into memory", readAppointments, readAppointments, "(itself)");
    row("stream the appointment archive", g_stream, readAppointments, "read appointments");
    row("read the patient archive into memory", readPatients, readPatients, "(itself)");

    Windows windows;

    // The agenda: the imminent list, the count and the pictures, rebuilt on every showing.
    TfrmAgenda *agenda = Windows::frmAgenda();
    const double agendaMs = medianMs(runs, [&] {
        agenda->show();
        agenda->hide();
    });
    row("agenda shown", agendaMs, readAppointments, "read appointments", g_stream);
    {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--agenda-peak"), folder});
        child.waitForFinished(300000);
        const QStringList out = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
        std::printf("%-42s %9s MB   (%d imminent lines shown, in a process of its own)\n",
                    "peak memory with the agenda shown", qPrintable(out.value(1).trimmed()), out.value(0).toInt());
    }

    TfrmArchivio_Scadenze *card = Windows::frmArchivio_Scadenze();
    const struct
    {
        const char *name;
        AppointmentLines::Status which;
    } lists[] = {{"status list: da assolvere", AppointmentLines::Status::DaAssolvere},
                 {"status list: scaduti", AppointmentLines::Status::Scaduti},
                 {"status list: assolti", AppointmentLines::Status::Assolti}};
    for (const auto &list : lists)
        row(list.name, medianMs(runs, [&] { card->openStatusList(list.which); }), readAppointments, "read appointments",
            g_stream);

    const auto search = [&](const QStringList &criteria) {
        return medianMs(runs, [&] {
            Modal::queue([&](QWidget *w) {
                for (int i = 0; i + 1 < criteria.size(); i += 2)
                    w->findChild<QLineEdit *>(criteria.at(i))->setText(criteria.at(i + 1));
                w->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
            });
            card->cmdTrovaClick();
        });
    };
    row("find appointments, no criteria", search({}), readAppointments, "read appointments", g_stream);
    row("find appointments, two criteria",
        search(
            {QStringLiteral("txtTipologia"), QStringLiteral("verdi"), QStringLiteral("txtCel"), QStringLiteral("34")}),
        readAppointments, "read appointments", g_stream);

    // The appointment archive exported, from opening the window to the file written; its floor
    // is the archive streamed once plus a file of the export's size written.
    const QString exported = folder + Exports::description(Exports::Member::Scadenzario).fileName;
    const double exportMs = medianMs(runs, [&] {
        Modal::queue([](QWidget *w) { static_cast<TfrmExport *>(w)->cmdEsporta->click(); });
        Exports::open(card, Exports::Member::Scadenzario);
    });
    const qint64 exportSize = QFileInfo(exported).size();
    const double writeMs = medianMs(runs, [&] {
        QFile f(folder + QStringLiteral("floor.xls"));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write the floor file");
        const QByteArray block(1 << 20, 'x');
        for (qint64 left = exportSize; left > 0; left -= block.size())
            f.write(block.constData(), qMin<qint64>(left, block.size()));
    });
    QFile::remove(folder + QStringLiteral("floor.xls"));
    std::printf("(the export file: %.1f MB)\n", exportSize / 1048576.0);
    row("export the appointment archive", exportMs, g_stream + writeMs, "stream + write file");

    // The patient card: first, last and a save at the end never scan the archive.
    TfrmClients *clients = Windows::frmClients();
    clients->show();
    const double first = medianMs(runs, [&] { clients->cmdFirstClick(); });
    const double last = medianMs(runs, [&] { clients->cmdLastClick(); });
    const double save = medianMs(runs, [&] { clients->cmdSaveClick(); });
    const double append = medianMs(runs, [&] {
        clients->cmdNewClick();
        clients->txtName->setText(QStringLiteral("NUOVO PAZIENTE"));
        clients->txtMobilePhone->setText(QStringLiteral("3471234567"));
        clients->cmdSaveClick();
    });
    row("patient card: first", first, readPatients, "read patients");
    row("patient card: last", last, readPatients, "read patients");
    row("patient card: save the last card", save, readPatients, "read patients");
    row("patient card: save a new card at the end", append, readPatients, "read patients");

    // Find patients, through the window that shows the lines, against streaming the patient
    // archive once through a 1 MB buffer.
    const double streamPatients = floorOf(streamFileMs, kPatientArchive);
    row("stream the patient archive", streamPatients, readPatients, "read patients");
    const auto findPatients = [&](const QStringList &criteria) {
        return medianMs(runs, [&] {
            Modal::queue([&](QWidget *w) {
                for (int i = 0; i + 1 < criteria.size(); i += 2)
                    w->findChild<QLineEdit *>(criteria.at(i))->setText(criteria.at(i + 1));
                w->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
            });
            clients->cmdFindClick();
        });
    };
    row("find patients, no filter", findPatients({}), readPatients, "read patients", streamPatients);
    row("find patients, two filters",
        findPatients({QStringLiteral("txtName"), QStringLiteral("rossi"), QStringLiteral("txtDentist"),
                      QStringLiteral("verdi")}),
        readPatients, "read patients", streamPatients);
    clients->hide();

    const QString self = QCoreApplication::applicationFilePath();
    QList<double> minimal, sorrisa;
    // Start-up is short and the machine's noise is not: more runs, taken in turns.
    for (int i = 0; i < qMax(runs, 21); ++i) {
        minimal.append(startupMs(self, {QStringLiteral("--startup-minimal")}));
        sorrisa.append(startupMs(self, {QStringLiteral("--startup-sorrisa"), folder}));
    }
    row("start-up to the login window", median(sorrisa), median(minimal), "minimal Qt program");
    return 0;
}
