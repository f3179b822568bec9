#include "print/Report.h"

#include <cmath>

namespace Report {

namespace {
// Rounding slack, so that a line ending exactly on the page edge still fits.
constexpr double kSlack = 1e-6;

template <class T> T moved(T item, double dy);

template <> Box moved(Box b, double dy)
{
    b.rect.translate(0, dy);
    return b;
}
template <> Rule moved(Rule r, double dy)
{
    r.top.ry() += dy;
    return r;
}
template <> TextBox moved(TextBox t, double dy)
{
    t.rect.translate(0, dy);
    return t;
}
template <> Figure moved(Figure f, double dy)
{
    f.rect.translate(0, dy);
    return f;
}

void place(Page &page, const Band &band, double y)
{
    for (const Box &b : band.boxes)
        page.boxes.append(moved(b, y));
    for (const Rule &r : band.rules)
        page.rules.append(moved(r, y));
    for (const TextBox &t : band.texts)
        page.texts.append(moved(t, y));
    for (const Figure &f : band.figures)
        page.figures.append(moved(f, y));
}

const TextBox *flowingText(const Band &band)
{
    for (const TextBox &t : band.texts)
        if (t.linePitch > 0)
            return &t;
    return nullptr;
}
} // namespace

const TextBox *Page::text(const QString &name) const
{
    for (const TextBox &t : texts)
        if (t.name == name)
            return &t;
    return nullptr;
}

const Figure *Page::figure(const QString &name) const
{
    for (const Figure &f : figures)
        if (f.name == name)
            return &f;
    return nullptr;
}

double Figure::scale() const
{
    if (canvas.isEmpty())
        return 0;
    return qMin(rect.width() / canvas.width(), rect.height() / canvas.height());
}

QPointF Figure::map(const QPointF &canvasPoint) const
{
    const double s = scale();
    const QPointF corner(rect.x() + (rect.width() - canvas.width() * s) / 2,
                         rect.y() + (rect.height() - canvas.height() * s) / 2);
    return corner + canvasPoint * s;
}

Document::Document(const QString &name, Orientation orientation) : m_name(name), m_orientation(orientation) {}

QSizeF Document::printableSize() const
{
    const QSizeF a4(210 - 2 * kPageMargin, 297 - 2 * kPageMargin);
    return m_orientation == Portrait ? a4 : a4.transposed();
}

TextBox *Document::findText(const QString &name)
{
    for (Band &band : m_bands)
        for (TextBox &t : band.texts)
            if (t.name == name)
                return &t;
    return nullptr;
}

Band *Document::findBand(const QString &name)
{
    for (Band &band : m_bands)
        if (band.name == name)
            return &band;
    return nullptr;
}

bool Document::setText(const QString &name, const QString &text) { return setLines(name, QStringList{text}); }

bool Document::setLines(const QString &name, const QStringList &lines)
{
    TextBox *t = findText(name);
    if (t)
        t->lines = lines;
    return t;
}

bool Document::setTextHeight(const QString &name, double mm)
{
    TextBox *t = findText(name);
    if (t)
        t->rect.setHeight(mm);
    return t;
}

bool Document::setBandHeight(const QString &name, double mm)
{
    Band *b = findBand(name);
    if (b)
        b->height = mm;
    return b;
}

QList<Page> Document::prepare() const
{
    const double pageHeight = printableSize().height();
    QList<Page> pages(1);
    double y = 0;
    const auto newPage = [&] {
        pages.append(Page());
        y = 0;
    };

    for (const Band &band : m_bands) {
        const TextBox *flowing = flowingText(band);
        if (!flowing) {
            if (y > 0 && y + band.height > pageHeight + kSlack)
                newPage();
            place(pages.last(), band, y);
            y += band.height;
            continue;
        }

        // The band's lines go down the page; those that do not fit continue on the next.
        // Whatever the band holds below its lines (its padding) follows the last of them.
        const double pitch = flowing->linePitch;
        const double below = band.height - (flowing->rect.y() + flowing->rect.height());
        const int shown = int(std::floor(flowing->rect.height() / pitch + kSlack));
        // The lines still to place are those from `next` to `end`: each page takes its own
        // lines out of the band's, so a long list costs its length, not its length per page.
        const qsizetype end = qMin<qsizetype>(shown, flowing->lines.size());
        qsizetype next = 0;
        const auto placePiece = [&](qsizetype count) {
            Band piece = band;
            TextBox &t =
                *std::find_if(piece.texts.begin(), piece.texts.end(), [](const TextBox &t) { return t.linePitch > 0; });
            t.lines = flowing->lines.mid(next, count);
            t.rect.setHeight(count * pitch);
            place(pages.last(), piece, y);
            next += count;
            return t.rect.height();
        };
        for (;;) {
            const double room = pageHeight - y - flowing->rect.y();
            const int fit = qMax(0, int(std::floor(room / pitch + kSlack)));
            if (end - next <= fit) {
                y += flowing->rect.y() + placePiece(end - next) + qMax(0.0, below);
                break;
            }
            if (fit > 0 || y > 0) {
                if (fit > 0)
                    placePiece(fit);
                newPage();
            } else {
                // Not even one line fits on an empty page: print what fits and stop.
                next = end;
            }
        }
    }
    return pages;
}

} // namespace Report
