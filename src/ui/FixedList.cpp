#include "ui/FixedList.h"

#include "ui/Theme.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

class FixedList::Model : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : source->count(); }
    // The view asks for the index of every row each time it lays the list out: answered here
    // without the general checks of the base model (two virtual counts per row).
    QModelIndex index(int row, int column = 0, const QModelIndex &parent = {}) const override
    {
        return row >= 0 && column == 0 && row < m_count && !parent.isValid() ? createIndex(row, 0) : QModelIndex();
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= source->count())
            return {};
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return source->line(index.row());
        return {};
    }
    void replace(SharedLines lines)
    {
        beginResetModel();
        source = lines ? std::move(lines) : std::make_shared<const TextLines>();
        m_count = source->count();
        endResetModel();
    }

    SharedLines source = std::make_shared<const TextLines>();

private:
    int m_count = 0;
};

namespace {
// Every line has the same size: the delegate answers for all of them at once. A line is one
// run of plain text, so it is drawn as such: the selection band, the text where the style
// puts it, and the focus frame; the style's general item drawing (icons, check boxes, word
// wrapping, eliding) doubled the cost of painting a list.
class LineDelegate : public QStyledItemDelegate
{
public:
    explicit LineDelegate(FixedList *list) : QStyledItemDelegate(list), m_list(list) {}
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(m_list->itemWidth(), m_list->lineHeight());
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QPalette::ColorGroup group = Theme::colourGroup(option);
        const bool selected = option.state & QStyle::State_Selected;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        QStyle *style = m_list->style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1;
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        // Left-aligned and centred in the line's height, drawn from its base line. Lines are
        // wider than the list: with a fixed pitch only the characters in view are drawn.
        const QString text = index.data().toString();
        const QFontMetrics metrics(option.font);
        const int baseLine = option.rect.top() + (option.rect.height() - metrics.height()) / 2 + metrics.ascent();
        qreal left = option.rect.left() + margin;
        qsizetype from = 0;
        qsizetype to = text.size();
        if (const qreal advance = m_list->fixedAdvance(); advance > 0) {
            const QRect view = m_list->viewport()->rect();
            from = qBound<qsizetype>(0, qsizetype((view.left() - left) / advance), text.size());
            to = qBound<qsizetype>(from, qsizetype((view.right() + 1 - left) / advance) + 1, text.size());
            left += from * advance;
        }
        painter->drawText(QPointF(left, baseLine), text.mid(from, to - from));
        if (option.state & QStyle::State_HasFocus) {
            QStyleOptionFocusRect focus;
            focus.QStyleOption::operator=(option);
            focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Window);
            style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_list);
        }
    }

private:
    FixedList *m_list;
};
} // namespace

FixedList::FixedList(const QString &objectName, const QString &accessibleName, QWidget *parent)
    : QListView(parent), m_model(new Model(this))
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setModel(m_model);
    setItemDelegate(new LineDelegate(this));
    setFont(Theme::fixedPitch(12));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &FixedList::lineSelectionChanged);
}

void FixedList::changeEvent(QEvent *event)
{
    QListView::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_fixedAdvance = QFontInfo(font()).fixedPitch() ? QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0')) : 0;
    }
}

void FixedList::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListView::mouseDoubleClickEvent(event);
    // Also below the last line or on an empty list: the window decides what that means.
    if (event->button() == Qt::LeftButton)
        emit lineDoubleClicked();
}

void FixedList::focusInEvent(QFocusEvent *event)
{
    QListView::focusInEvent(event);
    // Qt makes the first line current when a list takes the focus, and its focus frame looks
    // like a selection. Nothing is current until the user selects; the first arrow key then
    // selects the first line.
    if (selectedRow() < 0 && currentIndex().isValid())
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

int FixedList::count() const { return m_model->source->count(); }

QString FixedList::line(int row) const { return m_model->source->line(row); }

QStringList FixedList::lines() const { return m_model->source->all(); }

void FixedList::setLines(const QStringList &lines) { m_model->replace(std::make_shared<const TextLines>(lines)); }

void FixedList::setSource(SharedLines source) { m_model->replace(std::move(source)); }

const LineSource &FixedList::source() const { return *m_model->source; }

qint64 FixedList::position(int row) const { return m_model->source->position(row); }

void FixedList::clear() { m_model->replace(nullptr); }

void FixedList::setCurrentRow(int row)
{
    if (row < 0 || row >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

int FixedList::selectedRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() && selectionModel()->isSelected(index) ? index.row() : -1;
}

QString FixedList::selectedLine() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : line(row);
}

void FixedList::setItemWidth(int width)
{
    // Laying out goes through every row: only when the width changes, and once, with the
    // layout the view makes anyway after new lines.
    if (width == m_itemWidth)
        return;
    m_itemWidth = width;
    scheduleDelayedItemsLayout();
}

int FixedList::lineWidth() const { return qMax(m_itemWidth, viewport()->width()); }

int FixedList::horizontalOffset() const { return horizontalScrollBar()->value(); }

int FixedList::verticalOffset() const { return verticalScrollBar()->value(); }

QRect FixedList::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != m_model || index.row() >= count())
        return {};
    return QRect(-horizontalOffset(), index.row() * lineHeight() - verticalOffset(), lineWidth(), lineHeight());
}

QModelIndex FixedList::indexAt(const QPoint &point) const
{
    const int x = point.x() + horizontalOffset();
    const int y = point.y() + verticalOffset();
    if (x < 0 || y < 0 || x >= lineWidth())
        return {};
    const int row = y / lineHeight();
    return row < count() ? m_model->index(row) : QModelIndex();
}

void FixedList::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || index.model() != m_model)
        return;
    const int top = index.row() * lineHeight();
    const int bottom = top + lineHeight();
    const int height = viewport()->height();
    int value = verticalScrollBar()->value();
    switch (hint) {
    case EnsureVisible:
        if (top < value)
            value = top;
        else if (bottom > value + height)
            value = bottom - height;
        break;
    case PositionAtTop:
        value = top;
        break;
    case PositionAtBottom:
        value = bottom - height;
        break;
    case PositionAtCenter:
        value = top - (height - lineHeight()) / 2;
        break;
    }
    verticalScrollBar()->setValue(value);
    viewport()->update(visualRect(index));
}

void FixedList::doItemsLayout()
{
    // Nothing to place: the scroll ranges follow from the count, and the view repaints.
    QAbstractItemView::doItemsLayout();
}

void FixedList::updateGeometries()
{
    const QSize view = viewport()->size();
    verticalScrollBar()->setSingleStep(lineHeight());
    verticalScrollBar()->setPageStep(qMax(lineHeight(), view.height() - view.height() % lineHeight()));
    const qint64 contents = qint64(count()) * lineHeight();
    verticalScrollBar()->setRange(0, int(qBound<qint64>(0, contents - view.height(), qint64(INT_MAX))));
    horizontalScrollBar()->setSingleStep(lineHeight());
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setRange(0, qMax(0, m_itemWidth - view.width()));
    QAbstractItemView::updateGeometries();
}

// The list view's own scrolling moves the rows it placed itself, and this list places none: it
// would move nothing, and the lines already on screen would stay where they were while the
// scroll bars moved. The viewport's picture is moved here, and only the lines uncovered are
// painted.
void FixedList::scrollContentsBy(int dx, int dy) { viewport()->scroll(isRightToLeft() ? -dx : dx, dy); }

QModelIndex FixedList::moveCursor(CursorAction action, Qt::KeyboardModifiers)
{
    const int n = count();
    if (n == 0)
        return {};
    const QModelIndex current = currentIndex();
    // Nothing current yet: any move lands on the first line.
    if (!current.isValid())
        return m_model->index(0);
    const int page = qMax(1, viewport()->height() / lineHeight());
    int row = current.row();
    switch (action) {
    case MoveUp:
    case MovePrevious:
        --row;
        break;
    case MoveDown:
    case MoveNext:
        ++row;
        break;
    case MovePageUp:
        row -= page;
        break;
    case MovePageDown:
        row += page;
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = n - 1;
        break;
    case MoveLeft:
    case MoveRight:
        return current;
    }
    return m_model->index(qBound(0, row, n - 1));
}

void FixedList::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    const QRect area = rect.normalized();
    const int left = area.left() + horizontalOffset();
    const int right = area.right() + horizontalOffset();
    const int first = qMax(0, (area.top() + verticalOffset()) / lineHeight());
    const int last = qMin(count() - 1, (area.bottom() + verticalOffset()) / lineHeight());
    QItemSelection selection;
    if (right >= 0 && left < lineWidth() && area.bottom() + verticalOffset() >= 0 && first <= last)
        selection.select(m_model->index(first), m_model->index(last));
    selectionModel()->select(selection, command);
}

QRegion FixedList::visualRegionForSelection(const QItemSelection &selection) const
{
    QRegion region;
    const QRect view = viewport()->rect();
    for (const QItemSelectionRange &range : selection) {
        if (!range.isValid() || range.model() != m_model)
            continue;
        const QRect band(-horizontalOffset(), range.top() * lineHeight() - verticalOffset(), lineWidth(),
                         (range.bottom() - range.top() + 1) * lineHeight());
        region += band.intersected(view);
    }
    return region;
}

// Only the lines in the part to paint, each through the delegate.
void FixedList::paintEvent(QPaintEvent *event)
{
    const int n = count();
    if (n == 0)
        return;
    QPainter painter(viewport());
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QStyle::State state = option.state;
    const QRect area = event->rect();
    const int first = qMax(0, (area.top() + verticalOffset()) / lineHeight());
    const int last = qMin(n - 1, (area.bottom() + verticalOffset()) / lineHeight());
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    for (int row = first; row <= last; ++row) {
        const QModelIndex index = m_model->index(row);
        option.rect = visualRect(index);
        option.state = state;
        if (selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (focus && current == index)
            option.state |= QStyle::State_HasFocus;
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
}
