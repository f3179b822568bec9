#include "print/ReportRenderer.h"
#include "ui/Theme.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace Report {

namespace {

QColor colour(quint32 argb) { return Theme::colour(argb); }

QRectF toDevice(const QRectF &mm, double pxPerMm, const QPointF &origin)
{
    return QRectF(origin.x() + mm.x() * pxPerMm, origin.y() + mm.y() * pxPerMm, mm.width() * pxPerMm,
                  mm.height() * pxPerMm);
}

// Greedy wrapping at blanks; a word wider than the box stays whole (it is cut when drawn).
QStringList wrapped(const QString &text, const QFontMetricsF &metrics, double width)
{
    QStringList out;
    QString current;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (current.isEmpty() || metrics.horizontalAdvance(candidate) <= width) {
            current = candidate;
        } else {
            out.append(current);
            current = word;
        }
    }
    if (!current.isEmpty() || out.isEmpty())
        out.append(current);
    return out;
}

double pitchOf(const TextBox &box, const QFontMetricsF &metrics, double pxPerMm)
{
    return box.linePitch > 0 ? box.linePitch * pxPerMm : metrics.lineSpacing();
}

} // namespace

void paintShapes(QPainter &painter, const QList<Shape> &shapes)
{
    for (const Shape &shape : shapes) {
        if (shape.points.isEmpty())
            continue;
        QPen pen(Qt::NoPen);
        if (qAlpha(shape.pen)) {
            pen = QPen(colour(shape.pen), shape.penWidth, shape.dashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap,
                       Qt::RoundJoin);
        }
        QBrush brush(Qt::NoBrush);
        if (qAlpha(shape.fill)) {
            brush = QBrush(colour(shape.fill), shape.hatched ? Qt::BDiagPattern : Qt::SolidPattern);
        }
        painter.setPen(pen);
        switch (shape.kind) {
        case Shape::Polygon:
            painter.setBrush(brush);
            painter.drawPolygon(QPolygonF(shape.points));
            break;
        case Shape::Polyline:
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(QPolygonF(shape.points));
            break;
        case Shape::Ellipse:
            painter.setBrush(brush);
            if (shape.points.size() >= 2)
                painter.drawEllipse(shape.points[0], shape.points[1].x(), shape.points[1].y());
            break;
        }
    }
}

QFont qtFont(const Font &font)
{
    QFont f = Theme::face(font.family);
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setStyleHint(font.family == QLatin1String(Theme::kFixedFace) ? QFont::Monospace : QFont::SansSerif);
    f.setKerning(false);
    return f;
}

QStringList shownLines(const TextBox &box, const QFontMetricsF &metrics, double pxPerMm)
{
    QStringList lines;
    if (box.flow == Flow::Joined) {
        if (box.lines.isEmpty())
            return lines;
        const double pitch = pitchOf(box, metrics, pxPerMm);
        const int fit = qMax(1, int(std::floor(box.rect.height() * pxPerMm / pitch + 1e-6)));
        lines = box.lines;
        if (lines.size() > fit) {
            lines = box.lines.mid(0, fit - 1);
            lines.append(box.lines.mid(fit - 1).join(QStringLiteral(" \u00B7 ")));
        }
        for (QString &line : lines)
            line = metrics.elidedText(line, Qt::ElideRight, box.rect.width() * pxPerMm);
        return lines;
    }
    if (box.flow == Flow::WordWrap) {
        for (const QString &line : box.lines)
            lines += wrapped(line, metrics, box.rect.width() * pxPerMm);
    } else {
        lines = box.lines;
    }
    if (lines.isEmpty())
        return lines;
    const double pitch = pitchOf(box, metrics, pxPerMm);
    const double height = box.rect.height() * pxPerMm;
    // A line fits when it starts a whole pitch above the box's bottom; the first always shows.
    const int fit = qMax(1, int(std::floor(height / pitch + 1e-6)));
    return lines.mid(0, fit);
}

void paintPage(QPainter &painter, const Page &page, double pxPerMm, const QPointF &origin)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QPen thin(colour(Colour::Black), 0.2 * pxPerMm);

    for (const Box &box : page.boxes) {
        const QRectF r = toDevice(box.rect, pxPerMm, origin);
        if (qAlpha(box.fill))
            painter.fillRect(r, colour(box.fill));
        painter.setPen(thin);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r);
    }
    for (const Rule &rule : page.rules) {
        painter.setPen(thin);
        const QPointF top = origin + rule.top * pxPerMm;
        painter.drawLine(top, top + QPointF(0, rule.length * pxPerMm));
    }
    for (const Figure &figure : page.figures) {
        painter.save();
        painter.setClipRect(toDevice(figure.rect, pxPerMm, origin), Qt::IntersectClip);
        painter.translate(origin + figure.map(QPointF()) * pxPerMm);
        painter.scale(figure.scale() * pxPerMm, figure.scale() * pxPerMm);
        paintShapes(painter, figure.shapes);
        painter.restore();
    }
    for (const TextBox &box : page.texts) {
        const QRectF r = toDevice(box.rect, pxPerMm, origin);
        if (qAlpha(box.fill))
            painter.fillRect(r, colour(box.fill));
        painter.setFont(qtFont(box.font));
        const QFontMetricsF metrics(painter.font(), painter.device());
        const QStringList lines = shownLines(box, metrics, pxPerMm);
        if (lines.isEmpty())
            continue;
        const double pitch = pitchOf(box, metrics, pxPerMm);
        double top = r.top();
        if (box.middle)
            top += (r.height() - (lines.size() - 1) * pitch - metrics.height()) / 2;
        painter.save();
        painter.setClipRect(r, Qt::IntersectClip);
        painter.setPen(colour(box.colour));
        for (int i = 0; i < lines.size(); ++i) {
            const QString &line = lines[i];
            double x = r.left();
            const double width = metrics.horizontalAdvance(line);
            // A centred text too wide for its box starts at the left edge, so it is cut at the right.
            if (box.align == Align::Centre && width < r.width())
                x += (r.width() - width) / 2;
            painter.drawText(QPointF(x, top + i * pitch + metrics.ascent()), line);
        }
        painter.restore();
    }
    painter.restore();
}

Job::Job(const Document &document)
    : m_name(document.name()), m_orientation(document.orientation()), m_pages(document.prepare())
{}

void Job::paintPage(QPainter &painter, int page, double pxPerMm, const QPointF &origin) const
{
    if (page >= 0 && page < m_pages.size())
        Report::paintPage(painter, m_pages[page], pxPerMm, origin);
}

bool print(QWidget *parent, const Document &document)
{
    return Printer::print(parent, std::make_shared<Job>(document));
}

void preview(QWidget *parent, const Document &document) { Printer::preview(parent, std::make_shared<Job>(document)); }

} // namespace Report
