#pragma once

#include "ui/ThemeTokens.h"

#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

// Report documents: a fixed page description of named text boxes, boxes, vertical lines
// and bands, laid out in millimetres on A4 with 10 mm margins. A window fills the named
// text boxes, then prepares the document: the result is a list of pages with every part at
// its place, which one renderer draws on a printer, a PDF or the preview.
// Positions are millimetres from the top-left corner of the printable area.
namespace Report {

// Design values are in 1/96 inch.
constexpr double kUnitsPerMm = 3.7795;
constexpr double unitsToMm(double units) { return units / kUnitsPerMm; }

constexpr double kPageMargin = 10;

// Colours as 0xAARRGGBB (the theme's); a zero alpha means no fill.
namespace Colour {
constexpr quint32 None = 0;
constexpr quint32 Black = Theme::Colour::Ink;
constexpr quint32 White = Theme::Colour::Paper;
constexpr quint32 SlateGrey = Theme::Colour::PrintBar;
constexpr quint32 LightSteelBlue = Theme::Colour::PrintLight;
constexpr quint32 Gold = Theme::Colour::PrintGold;
} // namespace Colour

enum class Align { Left, Centre };

// How a text box treats a line wider than itself: cut at its right edge, or wrapped at word
// boundaries (the wrapped lines that do not fit in the box are not printed), or shortened
// with an ellipsis at its end; Joined also joins the lines that do not fit the box's height
// onto its last line (with " · "), so a one-line box still carries every part.
enum class Flow { Cut, WordWrap, Joined };

struct Font
{
    QString family;
    double points = 8;
    bool bold = false;
};

// A text box never grows: what does not fit in its rectangle is not printed.
struct TextBox
{
    QString name;
    QRectF rect;
    Font font;
    quint32 colour = Colour::Black;
    quint32 fill = Colour::None;
    Align align = Align::Left;
    Flow flow = Flow::Cut;
    bool middle = false;  // centred vertically (the bars); otherwise from the top
    double linePitch = 0; // mm from one line to the next; 0 for the font's own spacing
    QStringList lines;
};

// A rectangle with a thin black outline, optionally filled.
struct Box
{
    QRectF rect;
    quint32 fill = Colour::None;
};

// A vertical rule.
struct Rule
{
    QPointF top;
    double length = 0;
};

// A drawn shape, in the units of the figure that holds it.
struct Shape
{
    enum Kind {
        Polygon,  // closed, filled when it has a fill
        Polyline, // open
        Ellipse,  // points[0] the centre, points[1] the two radii
    };
    Kind kind = Polygon;
    QList<QPointF> points;
    quint32 pen = Colour::Black; // a zero alpha: no outline
    double penWidth = 1;
    bool dashed = false;
    quint32 fill = Colour::None;
    bool hatched = false; // the fill as diagonal lines in the fill's colour
};

// A drawing made on a canvas of its own size, drawn scaled into its rectangle (the canvas's
// proportions kept, centred); shapes are drawn in their order, under the text boxes.
struct Figure
{
    QString name;
    QRectF rect;
    QSizeF canvas;
    QList<Shape> shapes;

    // Where a point of the canvas lands on the page, and the canvas's scale there.
    double scale() const;
    QPointF map(const QPointF &canvasPoint) const;
};

// A horizontal strip printed down the page. A band holding a text box with a line pitch is
// split across pages when its lines do not fit: those that do not fit continue at the top
// of the next page.
struct Band
{
    QString name;
    double height = 0;
    QList<Box> boxes;
    QList<Rule> rules;
    QList<TextBox> texts;
    QList<Figure> figures = {};
};

// One prepared page: every part at its place on the page.
struct Page
{
    QList<Box> boxes;
    QList<Rule> rules;
    QList<TextBox> texts;
    QList<Figure> figures;

    const TextBox *text(const QString &name) const; // the first with that name, or null
    const Figure *figure(const QString &name) const;
};

class Document
{
public:
    enum Orientation { Portrait, Landscape };

    Document(const QString &name, Orientation orientation);

    QString name() const { return m_name; }
    Orientation orientation() const { return m_orientation; }
    void setOrientation(Orientation orientation) { m_orientation = orientation; }
    QSizeF printableSize() const; // A4 less the margins

    void addBand(const Band &band) { m_bands.append(band); }
    const QList<Band> &bands() const { return m_bands; }

    // Find by name; null when there is none.
    TextBox *findText(const QString &name);
    Band *findBand(const QString &name);

    // Replace a named box's lines with one text, or with a list of lines. False when there is
    // no box of that name.
    bool setText(const QString &name, const QString &text);
    bool setLines(const QString &name, const QStringList &lines);
    bool setTextHeight(const QString &name, double mm);
    bool setBandHeight(const QString &name, double mm);

    // Lays the bands out one after another down the pages.
    QList<Page> prepare() const;

private:
    QString m_name;
    Orientation m_orientation;
    QList<Band> m_bands;
};

} // namespace Report
