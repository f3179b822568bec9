// Sorrisa's benchmark: builds archives of a practice with fifteen years of work behind it
// and times what the user does on them, through the same code the windows run, up to the
// first paint of the window that shows the result, against the floors no window can beat: a
// list against its archive streamed once through a 1 MB buffer, the start-up of the program
// (a whole process, to the login window's first paint) against a bare Qt Widgets program
// showing one window of the same size.
//
//   sorrisa_bench [--appointments N] [--patients N] [--treatments N] [--runs K] [--startup 0]
//                 [--print only]
#include "Archives.h"

#include "app/Startup.h"
#include "app/Windows.h"
#include "app/frmPassword.h"
#include "ui/FixedList.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmCalendarioAppuntamenti.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/AppointmentLines.h"
#include "appointments/BookScan.h"
#include "appointments/frmTrovaScadenze.h"
#include "billing/Invoices.h"
#include "billing/frmMoney.h"
#include "chart/Odontogram.h"
#include "chart/frmDentalCondition.h"
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
#include "platform/Printer.h"
#include "platform/ProgramFolder.h"
#include "print/ListDocument.h"
#include "print/ReportRenderer.h"
#include "storage/RecordFile.h"
#include "storage/AppointmentRecord.h"
#include "storage/OdontogramRecord.h"
#include "storage/PatientRecord.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QProcess>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>

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

// Work that ends with a window painted and then closes it: timed from its start until it calls
// `painted`, since what the user waits for ends there (closing the window is not timed).
using UntilPainted = std::function<void(const std::function<void()> &painted)>;

double medianUntilPaintedMs(int runs, const UntilPainted &work)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        double ms = -1;
        t.start();
        work([&] { ms = t.nsecsElapsed() / 1e6; });
        if (ms < 0)
            qFatal("a timed window was never painted");
        times.append(ms);
    }
    return median(times);
}

// Work timed whole.
double medianMs(int runs, const std::function<void()> &work)
{
    return medianUntilPaintedMs(runs, [&](const std::function<void()> &done) {
        work();
        done();
    });
}

// The floor of every list: its archive streamed once from start to end through one 1 MB
// buffer, nothing done to the bytes (with the file in the system's cache, a copy at memory
// speed), and no memory taken for it.
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

void row(const char *operation, double ms, double floorMs, const char *floorName)
{
    std::printf("%-42s %9.1f ms   floor: %-20s %8.1f ms   ratio %6.2f\n", operation, ms, floorName, floorMs,
                floorMs > 0 ? ms / floorMs : 0.0);
    std::fflush(stdout);
}

// Runs the event loop until the window (or a control in it) has been painted, that is until
// what the user waits for is on screen.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *window) : m_window(window) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget *>(watched)->window() == m_window)
            m_painted = true;
        return false;
    }
    bool painted() const { return m_painted; }

private:
    QWidget *m_window;
    bool m_painted = false;
};

void waitPainted(QWidget *window)
{
    PaintWatch watch(window->window());
    QElapsedTimer waited;
    waited.start();
    // The paint and the copy to the screen are one turn of the event loop: both are done
    // when processEvents returns after the paint.
    while (!watch.painted()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (waited.elapsed() > 30000)
            qFatal("%s was never painted", qPrintable(window->objectName()));
    }
}

void showPainted(QWidget *window)
{
    window->show();
    waitPainted(window);
}

// Start-up, timed on whole processes started anew, each ending at its first paint and saying
// "painted" (FirstPaint.h): the program (sorrisa_firstpaint, its own run and libraries with
// that one hook) and the floor, a bare Qt Widgets program (sorrisa_bare_window) linked with
// QtWidgets only and showing one window of the login window's size. On the X display when
// there is one, offscreen otherwise.
double firstPaintMs(const QString &program, const QString &platform, const QStringList &args = {})
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer t;
    t.start();
    child.start(program, args);
    while (!child.canReadLine())
        if (!child.waitForReadyRead(60000))
            return -1;
    const double ms = t.nsecsElapsed() / 1e6;
    const bool painted = child.readLine().trimmed() == "painted";
    child.waitForFinished(60000);
    return painted ? ms : -1;
}

void startupRows(int runs, bool xAvailable)
{
    const QString folder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString program = folder + QStringLiteral("sorrisa_firstpaint");
    const QString bare = folder + QStringLiteral("sorrisa_bare_window");
    QString platform = QStringLiteral("offscreen");
    if (xAvailable && firstPaintMs(bare, QStringLiteral("xcb")) >= 0)
        platform = QStringLiteral("xcb");
    if (platform == QLatin1String("xcb"))
        std::printf("Start-up: whole processes on the X display %s, to the login window's first paint\n",
                    qgetenv("DISPLAY").constData());
    else
        std::printf("Start-up: no X display, so measured offscreen (whole processes, to the first paint)\n");
    // One run of each not counted (the files into the system's cache), then the two in turns,
    // so that a drift of the machine's speed touches both alike.
    if (firstPaintMs(program, platform) < 0 || firstPaintMs(bare, platform) < 0)
        qFatal("the start-up programs did not paint: build the target sorrisa_bench, which builds them");
    // Beside them, for the record, the bare window with one line of text: what reading the
    // system's fonts costs any program that shows text.
    const QStringList text{QStringLiteral("--text")};
    QList<double> sorrisa, minimal, withText, ratios;
    for (int i = 0; i < qMax(runs, 21); ++i) {
        sorrisa.append(firstPaintMs(program, platform));
        minimal.append(firstPaintMs(bare, platform));
        withText.append(firstPaintMs(bare, platform, text));
        ratios.append(sorrisa.last() / minimal.last());
    }
    row("start-up to the login window's paint", median(sorrisa), median(minimal), "bare Qt window");
    std::printf("%-42s %9.2f      (median of the %lld runs' own ratios)\n", "start-up ratio, run by run",
                median(ratios), qlonglong(ratios.size()));
    row("(bare Qt window with one line of text)", median(withText), median(minimal), "bare Qt window");
}

// A search window opened by `open`, its criteria filled (pairs of field name and text),
// "Cerca" pressed: timed until the window with the lines found has been painted.
double searchWindowMs(int runs, const QStringList &criteria, const std::function<void()> &open)
{
    return medianUntilPaintedMs(runs, [&](const std::function<void()> &painted) {
        Modal::queue([&](QWidget *w) {
            for (int i = 0; i + 1 < criteria.size(); i += 2)
                w->findChild<QLineEdit *>(criteria.at(i))->setText(criteria.at(i + 1));
            w->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
            waitPainted(w);
            painted();
        });
        open();
    });
}

void seamsForTiming()
{
    // Message boxes, modal windows, the shell and the file dialogs are taken over so that
    // nothing waits for a user; the code that fills the windows is the program's own, and so is
    // the sound player (the agenda plays its alert through it).
    Messages::setTestMode(true);
    Modal::setTestMode(true);
    TMisc::setTestMode(true);
    FileDialog::setTestMode(true);
    Application::setTestMode(true);
}

// A child process: the agenda shown on the archives of a folder, and the peak memory of a
// process that does nothing else; with "session", then the three status lists and a search
// with no criteria, each shown and closed, as a user's session would.
int agendaPeakChild(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Clock::setFixed(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    Startup::prepare(app, QString::fromLocal8Bit(argv[2]));
    seamsForTiming();
    Windows windows;
    showPainted(windows.frmAgenda());
    const int imminent = int(windows.frmAgenda()->lstRecords->count());
    if (argc >= 4 && qstrcmp(argv[3], "session") == 0) {
        TfrmArchivio_Scadenze *card = windows.frmArchivio_Scadenze();
        for (AppointmentLines::Status which : {AppointmentLines::Status::DaAssolvere, AppointmentLines::Status::Scaduti,
                                               AppointmentLines::Status::Assolti}) {
            Modal::queue(waitPainted);
            card->openStatusList(which);
        }
        Modal::queue([](QWidget *w) {
            w->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
            waitPainted(w);
        });
        card->cmdTrovaClick();
    }
    std::printf("%d %.1f\n", imminent, peakMegabytes());
    return 0;
}

// A print of 500 pages (about the imminent list of 100,000 cards): the time until the
// preview shows its first page, and the whole PDF written through the program's printing,
// against a bare QPainter writing the same lines on as many pages of a PDF, in the list's
// font and line pitch.
void printRows(int runs, const QString &folder)
{
    constexpr int kPages = 500;
    constexpr int kLines = 53 + (kPages - 1) * 56; // the title on the first page
    QStringList lines;
    RecordFile file(folder + kAppointmentArchive, TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    TAppointmentRecord record;
    while (lines.size() < kLines && file.next(record))
        lines.append(AppointmentLines::line(record));
    file.close();
    while (lines.size() < kLines)
        lines.append(lines.at(lines.size() % qMax<qsizetype>(1, lines.size())));
    const Report::Document document =
        ListDocument::make(QStringLiteral("Riepilogo impegni da assolvere"), lines, QStringLiteral("Piede"));
    std::printf("(the print: %d lines, %lld pages)\n", kLines, qlonglong(document.prepare().size()));

    const double firstPage = medianUntilPaintedMs(runs, [&](const std::function<void()> &painted) {
        Modal::queue([&](QWidget *w) {
            waitPainted(w->findChild<QPrintPreviewWidget *>());
            painted();
        });
        Report::preview(nullptr, document);
    });
    const QString pdf = folder + QStringLiteral("bench.pdf");
    Printer::setPdfFile(pdf);
    const double whole = medianMs(runs, [&] {
        if (!Report::print(nullptr, document))
            qFatal("the print failed");
        Printer::takePrinted();
    });
    const double bare = medianMs(runs, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(folder + QStringLiteral("bare.pdf"));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                          QPageLayout::Millimeter));
        QPainter painter(&printer);
        QFont font(QStringLiteral("Courier New"));
        font.setPointSizeF(8);
        painter.setFont(font);
        const double pxPerMm = printer.resolution() / 25.4;
        const double pitch = 190.0 / 56 * pxPerMm;
        for (int i = 0; i < kLines; ++i) {
            const int onPage = i < 53 ? i + 3 : (i - 53) % 56;
            if (i >= 53 && onPage == 0)
                printer.newPage();
            painter.drawText(QPointF(0, (onPage + 1) * pitch), lines.at(i));
        }
    });
    row("print preview of 500 pages: first page", firstPage, bare, "bare QPainter PDF");
    row("print 500 pages to PDF", whole, bare, "bare QPainter PDF");
    QFile::remove(pdf);
    QFile::remove(folder + QStringLiteral("bare.pdf"));
}

} // namespace

// The dental chart with its odontogram: opened to its first paint for a patient with 1,000 dated
// entries and for one with none; the goal is the first under twice the second plus streaming
// the 1,000 entries' file once.
void chartRows(int runs, const QString &folder)
{
    const QString none = folder + odontogramFileName(QStringLiteral("9001"));
    const QString many = folder + odontogramFileName(QStringLiteral("9002"));
    QFile::remove(none);
    QList<Odontogram::Entry> entries;
    const QList<Odontogram::State> states = Odontogram::states();
    const QList<int> &teeth = Odontogram::teeth(Odontogram::Dentition::Permanent);
    for (int i = 0; i < 1000; ++i) {
        Odontogram::Entry e;
        e.when = QDateTime(QDate(2012, 1, 1).addDays(i * 5), QTime(9, 30));
        e.fdi = teeth.at((i * 7) % teeth.size());
        e.state = Odontogram::ToothState{states.at(i % states.size()), i % 3 == 0, Odontogram::Surfaces(i % 32)};
        entries.append(e);
    }
    QFile::remove(many);
    if (Odontogram::append(many, entries) != entries.size())
        qFatal("cannot write %s", qPrintable(many));
    ::sync();
    const QStringList notes(32, QStringLiteral("nota"));
    const auto open = [&](const QString &path) {
        return medianUntilPaintedMs(qMax(runs, 11), [&](const std::function<void()> &painted) {
            TfrmDentalCondition chart(QStringLiteral("ROSSI MARIO"), notes, path, {});
            showPainted(&chart);
            painted();
            if (chart.savedEntries().size() != (path == many ? 1000 : 0))
                qFatal("the chart did not read its odontogram");
        });
    };
    const double empty = open(none);
    const double full = open(many);
    QList<double> streams;
    for (int i = 0; i < qMax(runs, 5); ++i)
        streams.append(streamFileMs(many));
    const double stream = median(streams);
    QList<double> reads;
    for (int i = 0; i < qMax(runs, 5); ++i)
        reads.append(timeMs([&] {
            if (Odontogram::read(many).size() != 1000)
                qFatal("cannot read %s", qPrintable(many));
        }));
    std::printf("%-42s %9.1f ms   (%.1f KB)\n", "stream the odontogram of 1,000 entries", stream,
                QFileInfo(many).size() / 1024.0);
    row("(read the 1,000 entries, no window)", median(reads), stream, "stream");
    row("dental chart, odontogram with no entries", empty, empty, "itself");
    row("dental chart, odontogram of 1,000 entries", full, empty + stream, "none + stream");
}

// The appointment book, made and shown on a day or a week until painted (it reads the whole
// archive for the days it shows), then moved to the next day or week, against streaming the
// appointment archive once.
void bookRows(int runs, const QDate &today, double streamAppointments)
{
    // Shown: the archive scanned (the dates a scan keeps are forgotten before each showing).
    const auto bookShown = [&](TfrmCalendarioAppuntamenti::View view) {
        return medianUntilPaintedMs(runs, [&](const std::function<void()> &painted) {
            AppointmentBook::forgetDateIndex();
            auto *book = new TfrmCalendarioAppuntamenti(today);
            book->setView(view);
            showPainted(book);
            painted();
            book->close();
        });
    };
    // The next day or week: read through the dates the first showing kept, or scanned anew.
    const auto bookNext = [&](TfrmCalendarioAppuntamenti::View view, bool index) {
        AppointmentBook::forgetDateIndex();
        auto *book = new TfrmCalendarioAppuntamenti(today);
        book->setView(view);
        showPainted(book);
        if (index && !AppointmentBook::dateIndexKept())
            qFatal("the dates of the archive were not kept");
        const double ms = medianUntilPaintedMs(runs, [&](const std::function<void()> &painted) {
            if (!index)
                AppointmentBook::forgetDateIndex();
            book->btnSuccessivoClick();
            waitPainted(book);
            painted();
        });
        book->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return ms;
    };
    using View = TfrmCalendarioAppuntamenti::View;
    row("book: a day shown", bookShown(View::Day), streamAppointments, "stream appointments");
    row("book: a week shown", bookShown(View::Week), streamAppointments, "stream appointments");
    row("book: the next day, dates kept", bookNext(View::Day, true), streamAppointments, "stream appointments");
    row("book: the next week, dates kept", bookNext(View::Week, true), streamAppointments, "stream appointments");
    row("book: the next day, scanned", bookNext(View::Day, false), streamAppointments, "stream appointments");
    row("book: the next week, scanned", bookNext(View::Week, false), streamAppointments, "stream appointments");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int main(int argc, char *argv[])
{
    if (argc >= 3 && qstrcmp(argv[1], "--agenda-peak") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return agendaPeakChild(argc, argv);
    }

    // The benchmark's own windows are offscreen unless told otherwise; start-up is measured on
    // the X display when there is one.
    const bool xAvailable = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Archives::Options options(app.arguments());
    const Archives::Sizes sizes = options.sizes();
    const int runs = qMax(1, options.number(QStringLiteral("--runs"), 9));
    const bool startup = options.number(QStringLiteral("--startup"), 1) != 0;
    const bool printOnly = options.text(QStringLiteral("--print")) == QLatin1String("only");
    const bool chartOnly = options.text(QStringLiteral("--chart")) == QLatin1String("only");
    const bool bookOnly = options.text(QStringLiteral("--book")) == QLatin1String("only");

    // First, while this process is small (starting a child copies its page tables).
    if (startup && !printOnly && !chartOnly && !bookOnly)
        startupRows(runs, xAvailable);

    QTemporaryDir dir;
    const QDate today(2026, 12, 10);
    Clock::setFixed(QDateTime(today, QTime(9, 30)));
    Startup::prepare(app, dir.path());
    seamsForTiming();
    const QString folder = ProgramFolder::path();
    if (chartOnly) {
        chartRows(runs, folder);
        return 0;
    }
    std::printf("Archives: %d appointments, %d patients, %d treatments; times are medians of %d runs\n",
                sizes.appointments, sizes.patients, sizes.treatments, runs);
    Archives::write(folder, sizes, today);
    // The archives on the disk before anything is timed: the system writing them back in the
    // background would take a processor from the program while it is measured.
    ::sync();
    // The agenda's alert, played as in the program.
    QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Avviso.mp3"),
                folder + QStringLiteral("Avviso.mp3"));
    if (printOnly) {
        Printer::setTestMode(true);
        printRows(runs, folder);
        return 0;
    }

    const auto floorOf = [&](double (*read)(const QString &), const QString &name) {
        QList<double> times;
        for (int i = 0; i < qMax(runs, 5); ++i)
            times.append(read(folder + name));
        return median(times);
    };
    const double streamAppointments = floorOf(streamFileMs, kAppointmentArchive);
    const double streamPatients = floorOf(streamFileMs, kPatientArchive);
    std::printf("%-42s %9.1f ms   (%.1f MB, the floor of the appointment lists)\n", "stream the appointment archive",
                streamAppointments, QFileInfo(folder + kAppointmentArchive).size() / 1048576.0);
    std::printf("%-42s %9.1f ms   (%.1f MB, the floor of the patient lists)\n", "stream the patient archive",
                streamPatients, QFileInfo(folder + kPatientArchive).size() / 1048576.0);

    // Beside the floors, for the record: a bare dialog of a list window's size holding one empty
    // list view, in the program's look, made and shown to its first paint: what any window costs
    // before it holds a control of its own (below about 3,000 cards, more than three streams).
    const double bareDialog = medianUntilPaintedMs(qMax(runs, 11), [](const std::function<void()> &painted) {
        QDialog dialog;
        dialog.resize(862, 560);
        (new QVBoxLayout(&dialog))->addWidget(new QListView(&dialog));
        showPainted(&dialog);
        painted();
    });
    row("(bare dialog of a list's size, empty list)", bareDialog, streamAppointments, "stream appointments");
    if (bookOnly) {
        bookRows(runs, today, streamAppointments);
        return 0;
    }

    Windows windows;

    // The agenda: the imminent list, the count and the pictures, rebuilt on every showing.
    // Closed after each showing (not timed), as the user closes it: closing stops its alert,
    // which would otherwise still be playing through the next showing.
    TfrmAgenda *agenda = windows.frmAgenda();
    const double agendaMs = medianUntilPaintedMs(runs, [&](const std::function<void()> &painted) {
        showPainted(agenda);
        painted();
        agenda->close();
    });
    row("agenda shown", agendaMs, streamAppointments, "stream appointments");
    for (const QString &mode : {QString(), QStringLiteral("session")}) {
        QProcess child;
        QStringList childArgs{QStringLiteral("--agenda-peak"), folder};
        if (!mode.isEmpty())
            childArgs.append(mode);
        child.start(QCoreApplication::applicationFilePath(), childArgs);
        child.waitForFinished(300000);
        const QStringList out = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
        if (mode.isEmpty())
            std::printf("%-42s %9s MB   (%d imminent lines shown, in a process of its own)\n",
                        "peak memory with the agenda shown", qPrintable(out.value(1).trimmed()), out.value(0).toInt());
        else
            std::printf("%-42s %9s MB   (agenda, three status lists, a search with no criteria)\n",
                        "peak memory of a session", qPrintable(out.value(1).trimmed()));
    }

    TfrmArchivio_Scadenze *card = windows.frmArchivio_Scadenze();
    const struct
    {
        const char *name;
        AppointmentLines::Status which;
    } lists[] = {{"status list: da assolvere", AppointmentLines::Status::DaAssolvere},
                 {"status list: scaduti", AppointmentLines::Status::Scaduti},
                 {"status list: assolti", AppointmentLines::Status::Assolti}};
    for (const auto &list : lists)
        row(list.name,
            medianUntilPaintedMs(runs,
                                 [&](const std::function<void()> &painted) {
                                     Modal::queue([&](QWidget *w) {
                                         waitPainted(w);
                                         painted();
                                     });
                                     card->openStatusList(list.which);
                                 }),
            streamAppointments, "stream appointments");

    const auto search = [&](const QStringList &criteria) {
        return searchWindowMs(runs, criteria, [&] { card->cmdTrovaClick(); });
    };
    row("find appointments, no criteria", search({}), streamAppointments, "stream appointments");
    row("find appointments, two criteria",
        search(
            {QStringLiteral("txtTipologia"), QStringLiteral("verdi"), QStringLiteral("txtCel"), QStringLiteral("34")}),
        streamAppointments, "stream appointments");

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
    row("export the appointment archive", exportMs, streamAppointments + writeMs, "stream + write file");

    bookRows(runs, today, streamAppointments);

    // The patient card: first, last and a save at the end never scan the archive.
    TfrmClients *clients = windows.frmClients();
    showPainted(clients);
    const double first = medianMs(runs, [&] { clients->cmdFirstClick(); });
    const double last = medianMs(runs, [&] { clients->cmdLastClick(); });
    const double save = medianMs(runs, [&] { clients->cmdSaveClick(); });
    const double append = medianMs(runs, [&] {
        clients->cmdNewClick();
        clients->txtName->setText(QStringLiteral("NUOVO PAZIENTE"));
        clients->txtMobilePhone->setText(QStringLiteral("3471234567"));
        clients->cmdSaveClick();
    });
    row("patient card: first", first, streamPatients, "stream patients");
    row("patient card: last", last, streamPatients, "stream patients");
    row("patient card: save the last card", save, streamPatients, "stream patients");
    row("patient card: save a new card at the end", append, streamPatients, "stream patients");

    // Issuing an invoice (numbered and written under the invoice archive's lock), and the
    // same with its PDF kept, against saving a card.
    Invoices::Draft draft;
    draft.date = Clock::today();
    draft.patient = Invoices::Patient{1,
                                      QStringLiteral("ROSSI MARIO"),
                                      QStringLiteral("VIA ROMA 1"),
                                      QStringLiteral("00100"),
                                      QStringLiteral("ROMA"),
                                      QStringLiteral("RM"),
                                      QStringLiteral("RSSMRA80A01H501U")};
    draft.lines.append(Invoices::Line{QStringLiteral("Visita di controllo"), QString(), 6000});
    const PracticeData practice = PracticeData::read(folder);
    const double issue = medianMs(runs, [&] {
        const Invoices::Issued issued = Invoices::issue(folder, draft, practice);
        if (!issued.issued)
            qFatal("invoice refused: %s", qPrintable(issued.refusal));
    });
    const double issueWithPdf = medianMs(runs, [&] {
        const Invoices::Issued issued = Invoices::issue(folder, draft, practice);
        if (!issued.issued || !MoneyWindows::keepPdf(issued.invoice))
            qFatal("invoice not issued or its PDF not kept");
    });
    row("issue an invoice", issue, save, "save a card");
    row("issue an invoice, its PDF kept", issueWithPdf, save, "save a card");
    chartRows(runs, folder);

    // Find patients, through the window that shows the lines, against streaming the patient
    // archive once through a 1 MB buffer.
    const auto findPatients = [&](const QStringList &criteria) {
        return searchWindowMs(runs, criteria, [&] { clients->cmdFindClick(); });
    };
    row("find patients, no filter", findPatients({}), streamPatients, "stream patients");
    row("find patients, two filters",
        findPatients({QStringLiteral("txtName"), QStringLiteral("rossi"), QStringLiteral("txtDentist"),
                      QStringLiteral("verdi")}),
        streamPatients, "stream patients");
    clients->hide();

    // The printer's dialog is taken over (the pages are written to a PDF file); the preview
    // and the progress window are the program's own.
    Printer::setTestMode(true);
    printRows(runs, folder);
    Printer::setTestMode(false);

    return 0;
}
