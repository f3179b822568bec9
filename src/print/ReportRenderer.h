#pragma once

#include "platform/Printer.h"
#include "print/Report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QStringList>

#include <memory>

class QFontMetricsF;
class QPainter;
class QWidget;

// Draws prepared report pages on any paint device (printer, PDF, preview, image), and hands
// documents to the platform's print dialog and preview.
namespace Report {

QFont qtFont(const Font &font);

// The lines a text box shows: a cut box its lines (each cut at the right edge when drawn);
// a wrapping box its text wrapped at words; in both cases only the lines that fit in the
// box's height, and at least the first.
QStringList shownLines(const TextBox &box, const QFontMetricsF &metrics, double pxPerMm);

// Draws shapes in their own units on a painter already scaled and moved to them.
void paintShapes(QPainter &painter, const QList<Shape> &shapes);

// Draws one page; pxPerMm is the device's scale, origin the printable area's top-left corner.
void paintPage(QPainter &painter, const Page &page, double pxPerMm, const QPointF &origin = {});
// The lines of a text box as painted with a font's measures at a resolution.
QStringList shownLines(const TextBox &box, const QFontMetricsF &metrics, double pxPerMm);

// A prepared document, ready for the printer or the preview.
class Job : public Printable
{
public:
    explicit Job(const Document &document);

    const QList<Page> &pages() const { return m_pages; }
    Document::Orientation orientation() const { return m_orientation; }

    QString documentName() const override { return m_name; }
    bool landscape() const override { return m_orientation == Document::Landscape; }
    int pageCount() const override { return int(m_pages.size()); }
    void paintPage(QPainter &painter, int page, double pxPerMm, const QPointF &origin) const override;

private:
    QString m_name;
    Document::Orientation m_orientation;
    QList<Page> m_pages;
};

// Prepares the document and prints it through the print dialog; false when nothing printed.
bool print(QWidget *parent, const Document &document);
// Prepares the document and shows it in the modal preview.
void preview(QWidget *parent, const Document &document);

} // namespace Report
