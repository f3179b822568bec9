#include "ui/FixedList.h"

#include <QAbstractListModel>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QStyledItemDelegate>

class FixedList::Model : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : int(lines.size()); }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= lines.size())
            return {};
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return lines.at(index.row());
        return {};
    }
    void replace(const QStringList &newLines)
    {
        beginResetModel();
        lines = newLines;
        endResetModel();
    }

    QStringList lines;
};

namespace {
// Every line has the same size: the delegate answers for all of them at once.
class LineDelegate : public QStyledItemDelegate
{
public:
    explicit LineDelegate(FixedList *list) : QStyledItemDelegate(list), m_list(list) {}
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(m_list->itemWidth(), m_list->fontMetrics().height() + 2);
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
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(12);
    setFont(f);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &FixedList::lineSelectionChanged);
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

int FixedList::count() const { return int(m_model->lines.size()); }

QString FixedList::line(int row) const { return m_model->lines.value(row); }

QStringList FixedList::lines() const { return m_model->lines; }

void FixedList::setLines(const QStringList &lines) { m_model->replace(lines); }

void FixedList::clear() { m_model->replace({}); }

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

int FixedList::currentRow() const
{
    const QModelIndex index = currentIndex();
    return index.isValid() ? index.row() : -1;
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
    m_itemWidth = width;
    doItemsLayout();
}

int FixedList::widestLine() const
{
    qsizetype most = -1;
    int longest = -1;
    for (int i = 0; i < count(); ++i) {
        const qsizetype n = m_model->lines.at(i).size();
        if (n > most) {
            most = n;
            longest = i;
        }
    }
    return longest < 0 ? 0 : fontMetrics().horizontalAdvance(m_model->lines.at(longest));
}
