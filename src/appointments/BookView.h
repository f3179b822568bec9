#pragma once

#include "appointments/AppointmentBook.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QList>
#include <QStringList>
#include <QWidget>

class QPainter;

// The grid of the appointment book: the hours down the left, a column per day, a row per
// quarter of an hour, each appointment a block of its dentist's colour at its rows and
// column. It is one painted control (a week holds hundreds of slots): the keyboard moves
// between its items (the blocks and the free slots), and screen readers meet each item as a
// named, focusable line of it. A double-click or Enter asks for an item to be opened.
class BookView : public QWidget
{
    Q_OBJECT
public:
    explicit BookView(const QString &objectName, QWidget *parent = nullptr);

    // What the keyboard and the pointer reach: a block (its entry in its day) or a free
    // slot (a row no block takes; entry -1).
    struct Item
    {
        int day = 0;
        int row = 0;
        int rows = 1;
        int column = 0;
        int columns = 1;
        int entry = -1;
    };

    // Shows a layout; today tells which blocks are past due. The current item is the first
    // block, or the first slot of the practice's hours when there is none.
    void showBook(const AppointmentBook::Layout &layout, const QDate &today);
    // The archive could not be read: no slots, no blocks, a notice on the grid.
    void showUnreadable();
    const AppointmentBook::Layout &book() const { return m_layout; }
    bool unreadable() const { return m_unreadable; }

    const QList<Item> &items() const { return m_items; }
    int current() const { return m_current; }
    void setCurrent(int index);
    // The item that takes a row of a day (the first of those side by side), or -1.
    int itemAt(int day, int row) const;
    // The block of the card at a record position, or -1.
    int itemOf(qint64 position) const;
    // The item under a point of the view, or -1.
    int itemAt(const QPoint &point) const;
    const AppointmentBook::Entry *entryOf(int index) const;
    QString itemName(int index) const;
    QRect itemRect(int index) const;
    // The x where each day's column starts, and the width of a column.
    int dayLeft(int day) const;
    int dayWidth() const;
    static constexpr int kTimeWidth = 58;
    static constexpr int kRowHeight = 22;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void openRequested(int index); // double-click or Enter
    void pageRequested(int step);  // Page Up (-1) or Page Down (+1)
    void currentChanged(int index);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The fonts a paint uses and their measures.
    struct Type
    {
        explicit Type(const QFont &font);
        QFont plain;
        QFont bold;
        QFontMetrics metrics;
        QFontMetrics boldMetrics;
        int narrow = 2; // the narrowest character's width
        int wide = 2;   // a wide bold character's width
    };
    void paintPaper(QPainter &p, const QRect &dirty) const;
    void paintUnreadable(QPainter &p) const;
    void paintToday(QPainter &p, const QRect &dirty) const;
    void paintRows(QPainter &p, const Type &type, int firstRow, int lastRow) const;
    void paintDayLines(QPainter &p, const QRect &dirty) const;
    QList<int> blocksIn(const QRect &dirty, int firstRow, int lastRow);
    void paintBoxes(QPainter &p, const QList<int> &shown) const;
    QStringList linesOf(int index, const QRect &inner, const Type &type) const;
    void paintText(QPainter &p, const Type &type, const QList<int> &shown) const;
    void paintCurrent(QPainter &p) const;
    void rebuildItems();
    int step(int key) const;
    void announce();

    AppointmentBook::Layout m_layout;
    QDate m_today;
    bool m_unreadable = false;
    QList<Item> m_items;
    QList<QList<int>> m_cover; // per day, per row: the item that takes it
    // What a block draws, worked out when it is first painted.
    struct Drawn
    {
        bool ready = false;
        AppointmentBook::State state = AppointmentBook::State::Other;
        AppointmentBook::Look look{};
        QStringList lines;
    };
    mutable QList<Drawn> m_drawn;
    int m_current = -1;
};
