#pragma once

#include "base/LineSource.h"

#include <QListView>
#include <QStringList>

class QAbstractListModel;

// The list box of the list windows: one-line texts in a fixed-pitch font (Courier New 12)
// so that the columns of a fixed-column line align, wide lines that scroll sideways.
// The lines come from a line source behind a plain model: the list asks for the text of the
// rows it paints only, so a list of a hundred thousand appointments shows as soon as their
// positions are known.
class FixedList : public QListView
{
    Q_OBJECT
public:
    FixedList(const QString &objectName, const QString &accessibleName, QWidget *parent = nullptr);

    int count() const;
    QString line(int row) const;
    // Every line (built now when they are built on request): throws StorageError when a
    // record can no longer be read.
    QStringList lines() const;
    void setLines(const QStringList &lines);
    void setSource(SharedLines source);
    const LineSource &source() const;
    // The record position of a row's line; 0 when it stands for none.
    qint64 position(int row) const;
    void clear();

    // Makes the row the current and only selected line (-1: none), scrolled into view.
    void setCurrentRow(int row);
    // The selected line and its row; empty and -1 when nothing is selected.
    QString selectedLine() const;
    int selectedRow() const;

    // The width in pixels every line is given, so whole lines fit and the list scrolls.
    void setItemWidth(int width);
    int itemWidth() const { return m_itemWidth; }
    // The advance of every character when the list's font has a fixed pitch, else 0.
    qreal fixedAdvance() const { return m_fixedAdvance; }

    // Every line's height: the font's, plus a pixel above and below.
    int lineHeight() const { return fontMetrics().height() + 2; }

    // The geometry of equal lines one under the other, worked out from the row number: Qt's
    // list view would place every row one by one each time its lines change (1.7 ms per
    // 100,000 lines), before the first paint.
    QRect visualRect(const QModelIndex &index) const override;
    QModelIndex indexAt(const QPoint &point) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    void doItemsLayout() override;

signals:
    void lineSelectionChanged();
    void lineDoubleClicked(); // on a line or on the empty space below the lines

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;

private:
    // The width of a line on screen: the item width, or the list's when that is wider.
    int lineWidth() const;

    class Model;
    Model *m_model;
    int m_itemWidth = 1600;
    qreal m_fixedAdvance = 0;
};
