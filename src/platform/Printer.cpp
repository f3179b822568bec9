#include "platform/Printer.h"

#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/PrintPreview.h"
#include "platform/Progress.h"

#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace {
bool g_test = false;
QList<bool> g_answers;
QString g_pdfFile;
QList<Printer::Document> g_printed;
QList<Printer::Document> g_previewed;

const QString kCannotPrint = QStringLiteral(
    "Attenzione: impossibile avviare la stampa.\r\n\r\n"
    "Verificare che la stampante sia disponibile oppure che il file di destinazione possa essere scritto.");

// Paints on the printer; a printer that cannot be started is reported, not taken for done,
// and a print the user cancelled is no print.
bool paintOrReport(QWidget *parent, QPrinter &printer, const Printable &document)
{
    switch (Printer::paint(printer, document, parent)) {
    case Printer::Outcome::Done:
        return true;
    case Printer::Outcome::Cancelled:
        printer.abort();
        return false;
    case Printer::Outcome::Failed:
        break;
    }
    Messages::error(parent, kCannotPrint);
    return false;
}

bool endsAsPdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 32 || !file.seek(file.size() - 32))
        return false;
    return file.read(32).trimmed().endsWith("%%EOF");
}

// A print to a file is written under a temporary name beside it and renamed over the file
// only when complete: a print that is cancelled or fails leaves no file cut short and the
// earlier file of that name as it was.
bool output(QWidget *parent, QPrinter &printer, const Printable &document)
{
    const QString target = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    if (target.isEmpty())
        return paintOrReport(parent, printer, document);
    QTemporaryFile aside(target + QStringLiteral(".XXXXXX"));
    if (!aside.open()) {
        Messages::error(parent, kCannotPrint);
        return false;
    }
    aside.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                         | QFileDevice::ReadOther);
    aside.close(); // the printer writes it by its name
    printer.setOutputFileName(aside.fileName());
    const bool printed = paintOrReport(parent, printer, document);
    printer.setOutputFileName(target);
    if (!printed)
        return false;
    // The PDF writer does not report a failed write (a full disk, a quota): a file that does
    // not end as a PDF ends was cut short and is no print.
    if (!endsAsPdf(aside.fileName())
        || std::rename(QFile::encodeName(aside.fileName()).constData(), QFile::encodeName(target).constData()) != 0) {
        Messages::error(parent, kCannotPrint);
        return false;
    }
    aside.setAutoRemove(false);
    return true;
}
} // namespace

void Printer::setUp(QPrinter &printer, const Printable &document)
{
    printer.setDocName(document.documentName());
    printer.setFullPage(false);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      document.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

Printer::Outcome Printer::paint(QPrinter &printer, const Printable &document, QWidget *parent,
                                const QString &progressText)
{
    int first = 1;
    int last = document.pageCount();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = qMax(first, printer.fromPage());
        last = qMin(last, printer.toPage() > 0 ? printer.toPage() : last);
    }
    QPainter painter;
    if (!painter.begin(&printer))
        return Outcome::Failed;
    Progress progress(parent, progressText, last - first + 1);
    const double pxPerMm = printer.resolution() / 25.4;
    for (int page = first; page <= last; ++page) {
        if (!progress.advance(page - first)) {
            painter.end();
            return Outcome::Cancelled;
        }
        if (page > first)
            printer.newPage();
        painter.save();
        document.paintPage(painter, page - 1, pxPerMm, QPointF(0, 0));
        painter.restore();
    }
    progress.advance(last - first + 1);
    painter.end();
    return Outcome::Done;
}

bool Printer::print(QWidget *parent, const Document &document)
{
    if (!document)
        return false;
    if (g_test) {
        if (!g_answers.isEmpty() && !g_answers.takeFirst())
            return false;
        if (!g_pdfFile.isEmpty()) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(g_pdfFile);
            setUp(printer, *document);
            if (!output(parent, printer, *document))
                return false; // a print that failed or was cancelled is not recorded
        }
        g_printed.append(document);
        return true;
    }
    QPrinter printer(QPrinter::HighResolution);
    const QString defaultPrinter = QPrinterInfo::defaultPrinterName();
    if (!defaultPrinter.isEmpty())
        printer.setPrinterName(defaultPrinter);
    setUp(printer, *document);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral(" Stampa"));
    dialog.setMinMax(1, document->pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    setUp(printer, *document); // the document is A4 whatever printer was picked
    return output(parent, printer, *document);
}

void Printer::preview(QWidget *parent, const Document &document)
{
    if (!document)
        return;
    if (g_test)
        g_previewed.append(document);
    Modal::run(new TfrmAnteprima(document, parent));
}

void Printer::setTestMode(bool on)
{
    g_test = on;
    g_answers.clear();
    g_pdfFile.clear();
    g_printed.clear();
    g_previewed.clear();
}

bool Printer::inTestMode() { return g_test; }

void Printer::queueAnswer(bool confirm) { g_answers.append(confirm); }

void Printer::setPdfFile(const QString &path) { g_pdfFile = path; }

QList<Printer::Document> Printer::takePrinted() { return std::exchange(g_printed, {}); }

QList<Printer::Document> Printer::takePreviewed() { return std::exchange(g_previewed, {}); }
