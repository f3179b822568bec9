#include "app/widgets/FixedList.h"

FixedList::FixedList(const QString &objectName, const QString &accessibleName, QWidget *parent)
    : QListWidget(parent)
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(12);
    setFont(f);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void FixedList::setItemWidth(int width)
{
    m_itemWidth = width;
    const int h = fontMetrics().height() + 2;
    for (int i = 0; i < count(); ++i)
        item(i)->setSizeHint(QSize(width, h));
}

QStringList FixedList::lines() const
{
    QStringList out;
    out.reserve(count());
    for (int i = 0; i < count(); ++i)
        out.append(item(i)->text());
    return out;
}

void FixedList::setLines(const QStringList &lines)
{
    setUpdatesEnabled(false);
    clear();
    addItems(lines);
    setItemWidth(m_itemWidth);
    setUpdatesEnabled(true);
}

QString FixedList::selectedLine() const
{
    const QListWidgetItem *it = currentItem();
    return it && it->isSelected() ? it->text() : QString();
}
