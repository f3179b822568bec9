#include "appointments/BookView.h"

#include "appointments/BookAccessibility.h"
#include "ui/Theme.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QToolTip>

#include <algorithm>
#include <cstdlib>

using namespace AppointmentBook;

using Theme::colour;
namespace Colour = Theme::Colour;

BookView::BookView(const QString &objectName, QWidget *parent) : QWidget(parent)
{
    BookAccessibility::install();
    setObjectName(objectName);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(false);
    setFont(Theme::verdana(8));
}

void BookView::showBook(const Layout &layout, const QDate &today)
{
    m_layout = layout;
    m_today = today;
    m_unreadable = false;
    rebuildItems();
    setFixedHeight(rowCount(m_layout.hours) * kRowHeight + 1);
    // The first block, or the start of the practice's day.
    int first = -1;
    for (int i = 0; i < m_items.size() && first < 0; ++i)
        if (m_items[i].entry >= 0)
            first = i;
    if (first < 0)
        first = itemAt(0, std::max(0, rowOf(kDefaultHours.first, m_layout.hours)));
    m_current = -1;
    setCurrent(first);
    update();
}

void BookView::showUnreadable()
{
    m_layout.days.clear();
    m_unreadable = true;
    rebuildItems();
    m_current = -1;
    setFixedHeight(8 * kRowHeight);
    update();
}

void BookView::rebuildItems()
{
    BookAccessibility::itemsChanged(this);
    m_items.clear();
    m_cover.clear();
    m_drawn.clear();
    const int rows = rowCount(m_layout.hours);
    for (int d = 0; d < m_layout.days.size(); ++d) {
        const Day &day = m_layout.days[d];
        QList<int> cover(rows, -1);
        size_t next = 0; // the next entry, in order of rows
        for (int row = 0; row < rows; ++row) {
            bool started = false;
            while (next < day.places.size() && day.places[next].row == row) {
                const Place &p = day.places[next];
                const int index = int(m_items.size());
                m_items.append(Item{d, p.row, p.rows, p.column, p.columns, int(next)});
                if (!started)
                    for (int r = row; r < std::min(rows, row + p.rows); ++r)
                        cover[r] = index;
                started = true;
                ++next;
            }
            if (!started && cover[row] < 0) {
                cover[row] = int(m_items.size());
                m_items.append(Item{d, row, 1, 0, 1, -1});
            }
        }
        m_cover.append(cover);
    }
    m_drawn.resize(m_items.size());
}

void BookView::setCurrent(int index)
{
    if (index < -1 || index >= m_items.size())
        return;
    const int before = m_current;
    m_current = index;
    if (before >= 0 && before < m_items.size())
        update(itemRect(before).adjusted(-3, -3, 3, 3));
    if (index >= 0) {
        const QRect r = itemRect(index);
        update(r.adjusted(-3, -3, 3, 3));
        for (QWidget *p = parentWidget(); p; p = p->parentWidget())
            if (auto *area = qobject_cast<QScrollArea *>(p)) {
                area->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + 4,
                                    std::min(r.height() / 2 + kRowHeight, area->viewport()->height() / 2));
                break;
            }
    }
    if (before != index) {
        announce();
        emit currentChanged(index);
    }
}

void BookView::announce()
{
    if (!QAccessible::isActive() || m_current < 0 || !hasFocus())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(m_current);
    QAccessible::updateAccessibility(&focus);
}

int BookView::itemAt(int day, int row) const
{
    if (day < 0 || day >= m_cover.size() || row < 0 || row >= m_cover[day].size())
        return -1;
    return m_cover[day][row];
}

int BookView::itemOf(qint64 position) const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (const Entry *e = entryOf(i); e && e->position == position)
            return i;
    return -1;
}

int BookView::itemAt(const QPoint &point) const
{
    if (point.x() < kTimeWidth || m_layout.days.isEmpty())
        return -1;
    const int day = std::min<int>(int(m_layout.days.size()) - 1, (point.x() - kTimeWidth) / std::max(1, dayWidth()));
    const int row = point.y() / kRowHeight;
    const int first = itemAt(day, row);
    if (first < 0)
        return -1;
    for (int i = first; i < m_items.size() && m_items[i].day == day && m_items[i].row == m_items[first].row; ++i)
        if (itemRect(i).adjusted(-2, -1, 2, 1).contains(point))
            return i;
    return first;
}

const Entry *BookView::entryOf(int index) const
{
    if (index < 0 || index >= m_items.size() || m_items[index].entry < 0)
        return nullptr;
    return &m_layout.days[m_items[index].day].entries[size_t(m_items[index].entry)];
}

QString BookView::itemName(int index) const
{
    if (index < 0 || index >= m_items.size())
        return {};
    const Item &it = m_items[index];
    const QString prefix =
        m_layout.days.size() > 1 ? dayTitle(m_layout.days[it.day].date) + QStringLiteral(", ") : QString();
    if (const Entry *e = entryOf(index))
        return prefix + blockName(*e, stateOf(*e, m_today));
    return prefix + timeText(minuteOfRow(it.row, m_layout.hours));
}

int BookView::dayWidth() const
{
    return std::max(1, (width() - kTimeWidth) / std::max<int>(1, int(m_layout.days.size())));
}

int BookView::dayLeft(int day) const { return kTimeWidth + day * dayWidth(); }

QRect BookView::itemRect(int index) const
{
    if (index < 0 || index >= m_items.size())
        return {};
    const Item &it = m_items[index];
    const int top = it.row * kRowHeight;
    const int height = it.rows * kRowHeight;
    if (it.entry < 0)
        return QRect(dayLeft(it.day) + 1, top + 1, dayWidth() - 2, height - 1);
    const double column = double(dayWidth() - 4) / it.columns;
    const int left = dayLeft(it.day) + 2 + int(it.column * column);
    const int right = dayLeft(it.day) + 2 + int((it.column + 1) * column);
    return QRect(left, top + 1, std::max(3, right - left - 2), height - 2);
}

QSize BookView::sizeHint() const { return QSize(900, rowCount(m_layout.hours) * kRowHeight + 1); }

QSize BookView::minimumSizeHint() const
{
    return QSize(kTimeWidth + 60 * std::max<int>(1, int(m_layout.days.size())), 4 * kRowHeight);
}

bool BookView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = itemAt(help->pos());
        if (index >= 0 && m_items[index].entry >= 0)
            QToolTip::showText(help->globalPos(), itemName(index), this, itemRect(index));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

// The grid is painted in steps, each over the part of the view that needs it: the paper and
// the time column, today's column, the rows' lines and times, the days' lines, the blocks'
// boxes, their text, and the current item's frame.
void BookView::paintEvent(QPaintEvent *event)
{
    QPainter p(this);
    const QRect dirty = event->rect();
    paintPaper(p, dirty);
    if (m_unreadable) {
        paintUnreadable(p);
        return;
    }
    paintToday(p, dirty);
    const int firstRow = std::max(0, dirty.top() / kRowHeight);
    const int lastRow = std::min(rowCount(m_layout.hours) - 1, dirty.bottom() / kRowHeight);
    const Type type(font());
    paintRows(p, type, firstRow, lastRow);
    paintDayLines(p, dirty);
    const QList<int> shown = blocksIn(dirty, firstRow, lastRow);
    paintBoxes(p, shown);
    paintText(p, type, shown);
    paintCurrent(p);
}

BookView::Type::Type(const QFont &font) : plain(font), bold(font), metrics(font), boldMetrics(font)
{
    bold.setBold(true);
    boldMetrics = QFontMetrics(bold);
    // The narrowest and a wide character's width: what a block's width can show at most, and
    // when a first line surely does not fit.
    narrow = std::max(2, metrics.horizontalAdvance(QLatin1Char('i')));
    wide = std::max(narrow, boldMetrics.averageCharWidth());
}

void BookView::paintPaper(QPainter &p, const QRect &dirty) const
{
    p.fillRect(dirty, colour(Colour::Paper));
    p.fillRect(QRect(0, dirty.top(), kTimeWidth, dirty.height()), colour(Colour::TimeColumn));
}

void BookView::paintUnreadable(QPainter &p) const
{
    p.setPen(colour(Colour::OverdueFrame));
    p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap,
               QStringLiteral("L'archivio degli appuntamenti non \u00E8 leggibile: nessun appuntamento "
                              "pu\u00F2 essere mostrato."));
}

// Today's column, tinted in a week.
void BookView::paintToday(QPainter &p, const QRect &dirty) const
{
    const int days = int(m_layout.days.size());
    if (days < 2)
        return;
    for (int d = 0; d < days; ++d)
        if (m_layout.days[d].date == m_today)
            p.fillRect(QRect(dayLeft(d), dirty.top(), dayWidth(), dirty.height()), colour(Colour::TodayTint));
}

// Each row's line across the grid (an hour's also across the time column) and its time.
void BookView::paintRows(QPainter &p, const Type &type, int firstRow, int lastRow) const
{
    const QColor hourLine = colour(Colour::HourLine), quarterLine = colour(Colour::QuarterLine);
    const QColor hourFigure = colour(Colour::HourFigure), quarterFigure = colour(Colour::QuarterFigure);
    for (int row = firstRow; row <= lastRow; ++row) {
        const int y = row * kRowHeight;
        const int minute = minuteOfRow(row, m_layout.hours);
        const bool hour = minute % 60 == 0;
        p.setPen(hour ? hourLine : quarterLine);
        p.drawLine(hour ? 0 : kTimeWidth, y, width(), y);
        p.setFont(hour ? type.bold : type.plain);
        p.setPen(hour ? hourFigure : quarterFigure);
        p.drawText(QRect(4, y, kTimeWidth - 10, kRowHeight), Qt::AlignRight | Qt::AlignVCenter, timeText(minute));
    }
    p.setFont(type.plain);
}

void BookView::paintDayLines(QPainter &p, const QRect &dirty) const
{
    p.setPen(colour(Colour::HourLine));
    for (int d = 0; d <= int(m_layout.days.size()); ++d)
        p.drawLine(kTimeWidth + d * dayWidth(), dirty.top(), kTimeWidth + d * dayWidth(), dirty.bottom());
}

// The blocks in view, each with what it draws worked out on its first paint. A crowded week
// has thousands of blocks: the steps after this one go through these only, one font at a time.
QList<int> BookView::blocksIn(const QRect &dirty, int firstRow, int lastRow)
{
    QList<int> shown;
    for (int i = 0; i < m_items.size(); ++i) {
        const Item &it = m_items[i];
        if (it.row > lastRow || it.row + it.rows <= firstRow || it.entry < 0)
            continue;
        if (!itemRect(i).intersects(dirty.adjusted(-3, -3, 3, 3)))
            continue;
        shown.append(i);
        Drawn &drawn = m_drawn[i];
        if (drawn.ready)
            continue;
        const Entry *e = entryOf(i);
        drawn.state = stateOf(*e, m_today);
        drawn.look = lookOf(m_layout.colourOf(e->dentist), drawn.state);
        drawn.lines = blockLines(*e, drawn.state);
        drawn.ready = true;
    }
    return shown;
}

namespace {
// A block's frame as bands `thick` pixels wide along its edges: the pixels a pen of that
// width outlining the block draws (a pen of two leaves the two outer corners on the left
// open). Filled as bands: outlining thousands of rectangles with a pen is the slow way to the
// same pixels.
void frame(QPainter &p, const QRect &r, const QColor &c, int thick)
{
    const int open = thick > 1 ? 1 : 0;
    p.fillRect(QRect(r.left() + open, r.top(), r.width() - open, thick), c);
    p.fillRect(QRect(r.left() + open, r.bottom() + 1 - thick, r.width() - open, thick), c);
    p.fillRect(QRect(r.left(), r.top() + open, thick, r.height() - 2 * open), c);
    p.fillRect(QRect(r.right() + 1 - thick, r.top(), thick, r.height()), c);
}
} // namespace

// Each block's fill, its dentist's strip on the left and its frame: two pixels of red round a
// past-due block, one of its edge's colour round the others.
void BookView::paintBoxes(QPainter &p, const QList<int> &shown) const
{
    const QColor overdue = colour(Colour::OverdueFrame);
    for (int i : shown) {
        const QRect r = itemRect(i);
        const Drawn &drawn = m_drawn[i];
        p.fillRect(r, colour(drawn.look.fill));
        p.fillRect(QRect(r.left(), r.top(), 5, r.height()), colour(drawn.look.edge));
        if (drawn.state == State::Overdue)
            frame(p, r, overdue, 2);
        else
            frame(p, r, colour(drawn.look.edge), 1);
    }
}

// The lines of a block that fit its inner rectangle.
QStringList BookView::linesOf(int index, const QRect &inner, const Type &type) const
{
    const Entry *e = entryOf(index);
    QStringList lines = m_drawn[index].lines;
    // A narrow block (many side by side, a week) gives the patient a line of its own.
    if (!e->contact.isEmpty() && lines.first().size() * type.wide > inner.width()) {
        lines.first() = timeText(e->minute);
        lines.insert(1, e->contact);
    }
    if (inner.height() < 2 * type.metrics.height())
        lines = {lines.join(QStringLiteral(" \u00B7 "))};
    return lines;
}

// The blocks' text: first every first line (bold), then the other lines; each cut at the
// block's edge, a block of one row on one line. Only the characters that can show are drawn.
void BookView::paintText(QPainter &p, const Type &type, const QList<int> &shown) const
{
    const QFontMetrics &fm = type.metrics;
    const int lineHeight = fm.height();
    for (const bool first : {true, false}) {
        p.setFont(first ? type.bold : type.plain);
        for (int i : shown) {
            const QRect inner = itemRect(i).adjusted(8, 2, -3, -1);
            if (inner.width() < 6)
                continue;
            const QStringList lines = linesOf(i, inner, type);
            const int room = inner.width() / type.narrow + 1;
            p.setClipRect(inner);
            p.setPen(colour(m_drawn[i].look.ink));
            int y = inner.top() + fm.ascent();
            for (int k = 0; k < lines.size() && y - fm.ascent() < inner.bottom(); ++k, y += lineHeight)
                if ((k == 0) == first)
                    p.drawText(inner.left(), y, lines[k].left(room));
        }
        p.setClipping(false);
    }
    p.setFont(type.plain);
}

// The current item's frame: solid with the keyboard's focus, dashed without; a free slot also
// takes the current slot's yellow.
void BookView::paintCurrent(QPainter &p) const
{
    if (m_current < 0 || m_current >= m_items.size())
        return;
    const QRect r = itemRect(m_current);
    const QColor focus = colour(Colour::Heading);
    const Qt::PenStyle style = hasFocus() ? Qt::SolidLine : Qt::DashLine;
    if (m_items[m_current].entry < 0) {
        p.fillRect(r, colour(Colour::FreeSlotCurrent));
        p.setPen(QPen(focus, hasFocus() ? 2 : 1, style));
        p.drawRect(r.adjusted(1, 1, -1, -1));
    } else {
        p.setPen(QPen(focus, hasFocus() ? 3 : 1, style));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    }
}

int BookView::step(int key) const
{
    if (m_items.isEmpty())
        return -1;
    if (m_current < 0)
        return 0;
    const Item &c = m_items[m_current];
    const auto lastOfDay = [&](int day) {
        int last = -1;
        for (int i = 0; i < m_items.size(); ++i)
            if (m_items[i].day == day)
                last = i;
        return last;
    };
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down: {
        // The nearest row above or below that holds an item of the day; there, the item
        // nearest the current one's middle.
        const bool down = key == Qt::Key_Down;
        const int centre = itemRect(m_current).center().x();
        int best = -1;
        for (int i = 0; i < m_items.size(); ++i) {
            const Item &it = m_items[i];
            if (it.day != c.day || (down ? it.row <= c.row : it.row >= c.row))
                continue;
            if (best < 0 || std::abs(it.row - c.row) < std::abs(m_items[best].row - c.row)
                || (it.row == m_items[best].row
                    && std::abs(itemRect(i).center().x() - centre) < std::abs(itemRect(best).center().x() - centre)))
                best = i;
        }
        return best < 0 ? m_current : best;
    }
    case Qt::Key_Right:
        if (c.column + 1 < c.columns)
            return m_current + 1;
        if (c.day + 1 < m_layout.days.size())
            return itemAt(c.day + 1, c.row);
        return m_current;
    case Qt::Key_Left:
        if (c.column > 0)
            return m_current - 1;
        if (c.day > 0) {
            const int first = itemAt(c.day - 1, c.row);
            return first < 0 ? m_current : first + m_items[first].columns - 1 - m_items[first].column;
        }
        return m_current;
    case Qt::Key_Home:
        for (int i = 0; i < m_items.size(); ++i)
            if (m_items[i].day == c.day)
                return i;
        return m_current;
    case Qt::Key_End:
        return lastOfDay(c.day);
    default:
        break;
    }
    return m_current;
}

void BookView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        setCurrent(step(event->key()));
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        emit pageRequested(event->key() == Qt::Key_PageUp ? -1 : 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_current >= 0)
            emit openRequested(m_current);
        return;
    default:
        break;
    }
    QWidget::keyPressEvent(event);
}

void BookView::mousePressEvent(QMouseEvent *event)
{
    const int index = itemAt(event->position().toPoint());
    if (index >= 0)
        setCurrent(index);
    QWidget::mousePressEvent(event);
}

void BookView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int index = itemAt(event->position().toPoint());
    if (index < 0)
        return;
    setCurrent(index);
    emit openRequested(index);
}

void BookView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    if (m_current >= 0)
        update(itemRect(m_current).adjusted(-3, -3, 3, 3));
    announce();
}

void BookView::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    if (m_current >= 0)
        update(itemRect(m_current).adjusted(-3, -3, 3, 3));
}
