#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include <memory>

class QPainter;
class QPrinter;
class QWidget;

// Something that can be printed: pages on A4 with 10 mm margins, painted one at a time.
class Printable
{
public:
    virtual ~Printable() = default;

    virtual QString documentName() const = 0;
    virtual bool landscape() const = 0;
    virtual int pageCount() const = 0;
    // Paints one page (0-based). The painter works in device pixels; pxPerMm is the device's
    // scale and origin the top-left corner of the printable area, inside the margins.
    virtual void paintPage(QPainter &painter, int page, double pxPerMm, const QPointF &origin) const = 0;
};

// The platform's printing: the print dialog set to the default printer, and the print
// preview window (print, zoom, full screen and close only). Printing and the preview paint
// through the same Printable, so what is previewed is what is printed.
// Tests switch on test mode: no dialog is shown, each print "accepted" in the dialog is
// recorded (and written as a real PDF when a file was set; then only when that succeeded), each preview is recorded and
// its window run through Modal so that a test can drive it.
class Printer
{
public:
    using Document = std::shared_ptr<const Printable>;

    // Shows the print dialog; prints when the user confirms it. False when the dialog was
    // cancelled or the printer could not be started (reported to the user).
    static bool print(QWidget *parent, const Document &document);
    // Shows the document in the modal preview window, at 100 %.
    static void preview(QWidget *parent, const Document &document);

    // Sets a printer up for the document (A4, orientation, 10 mm margins).
    static void setUp(QPrinter &printer, const Printable &document);
    // Paints the document's pages (or the range chosen in the dialog) on a set-up printer,
    // showing the progress over the parent with the text when it takes more than a moment.
    // Cancelled, the pages painted so far are ended; the caller aborts a print.
    enum class Outcome { Done, Failed, Cancelled };
    static Outcome paint(QPrinter &printer, const Printable &document, QWidget *parent = nullptr,
                         const QString &progressText = QStringLiteral("Stampa in corso..."));

    static void setTestMode(bool on);
    static bool inTestMode();
    static void queueAnswer(bool confirm);       // the next print dialog: confirmed or cancelled
    static void setPdfFile(const QString &path); // accepted prints also write this PDF
    static QList<Document> takePrinted();
    static QList<Document> takePreviewed();
};
