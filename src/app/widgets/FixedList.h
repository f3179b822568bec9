#pragma once

#include <QListWidget>

// The list box of the list windows: one-line texts in a fixed-pitch font (Courier New 12)
// so that the columns of a fixed-column line align, wide items that scroll sideways.
class FixedList : public QListWidget
{
    Q_OBJECT
public:
    FixedList(const QString &objectName, const QString &accessibleName, QWidget *parent = nullptr);

    // The width in pixels every line is given, so whole lines fit and the list scrolls.
    void setItemWidth(int width);
    QStringList lines() const;
    void setLines(const QStringList &lines);
    QString selectedLine() const; // empty when nothing is selected

private:
    int m_itemWidth = 1600;
};
