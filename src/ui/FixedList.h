#pragma once

#include <QListView>
#include <QStringList>

class QAbstractListModel;

// The list box of the list windows: one-line texts in a fixed-pitch font (Courier New 12)
// so that the columns of a fixed-column line align, wide lines that scroll sideways.
// The lines live in one list behind a plain model, not in an object per line: a list of a
// hundred thousand appointments fills in the time it takes to read them.
class FixedList : public QListView
{
    Q_OBJECT
public:
    FixedList(const QString &objectName, const QString &accessibleName, QWidget *parent = nullptr);

    int count() const;
    QString line(int row) const;
    QStringList lines() const;
    void setLines(const QStringList &lines);
    void clear();

    // Makes the row the current and only selected line (-1: none), scrolled into view.
    void setCurrentRow(int row);
    int currentRow() const;
    // The selected line and its row; empty and -1 when nothing is selected.
    QString selectedLine() const;
    int selectedRow() const;

    // The width in pixels every line is given, so whole lines fit and the list scrolls.
    void setItemWidth(int width);
    int itemWidth() const { return m_itemWidth; }
    // The width in pixels of the longest line. The font has a fixed pitch, so only the line
    // with the most characters is measured.
    int widestLine() const;

signals:
    void lineSelectionChanged();
    void lineDoubleClicked(); // on a line or on the empty space below the lines

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    class Model;
    Model *m_model;
    int m_itemWidth = 1600;
};
