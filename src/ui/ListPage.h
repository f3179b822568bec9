#pragma once

#include "base/LineSource.h"

#include <QList>
#include <QWidget>

class FixedList;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;

// The find-in-list of a list with a search field and its "Trova" button: "Trova" selects the
// next line holding the field's text, wrapping round (a new text starts from the top); Enter
// in the field leads to "Trova" (it does not search by itself). On an empty list "Trova"
// shows a message instead. The list pages use it, and the windows that lay out their list
// controls themselves.
class ListSearch : public QObject
{
    Q_OBJECT
public:
    ListSearch(QLineEdit *field, QPushButton *button, FixedList *list, const QString &emptyListMessage,
               QObject *parent);

    void findNext();
    // Forgets the remembered term and empties the search field.
    void restart();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    QPushButton *m_button;
    FixedList *m_list;
    QString m_emptyList;
    QString m_lastTerm;
};

// A banner: the window's title in large capitals between two pictures, on a rounded band.
// The lists' band is rose and 817 by 53 pixels; the patient windows' band is blue, as wide as
// its place, and may have no right picture (the title then stands right of the left one).
// Decoration: screen readers read the window's caption instead.
class ListBanner : public QWidget
{
    Q_OBJECT
public:
    enum class Tint { Rose, Blue };
    ListBanner(const QString &objectName, const QString &title, const QString &leftPicture, const QString &rightPicture,
               QWidget *parent, Tint tint = Tint::Rose);
    QString title() const { return m_title; }
    void setTitleColour(const QColor &colour);
    void setTitlePixels(int pixels);
    // The pictures' side and their distance from the band's ends, in pixels, instead of the
    // tint's own (vertically centred either way).
    void setPictureBox(int side, int inset);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    void draw(QPainter &p) const;

    QString m_title;
    QString m_left;
    QString m_right;
    Tint m_tint;
    QColor m_colour;
    int m_pixels = 26;
    int m_side = 0; // 0: the tint's own
    int m_inset = 0;
};

// The page of a list window: banner, instructions, the "Trova" bar over the list of
// fixed-column lines, the double-click hint, and "Chiudi" and "Stampa" at the bottom (with
// the count of lines between them when asked). It holds the search of the list (the
// remembered term and the find-in-list) and the record position each line stands for.
// The windows connect its signals.
class ListPage : public QWidget
{
    Q_OBJECT
public:
    struct Look
    {
        QString banner;
        QString leftPicture;
        QString rightPicture;
        QString doubleClickHint;
        bool countLabel = false; // lblTrovate between the buttons
        ListBanner::Tint tint = ListBanner::Tint::Rose;
        QString emptyListMessage{}; // find-in-list on an empty list; the usual message when empty
        QString hintName{};         // the double-click line's name; lblDoppioClic when empty
    };
    ListPage(const QString &objectName, const Look &look, QWidget *parent);

    ListBanner *imgBanner;
    QLabel *imgIstruzioni;
    QLabel *imgLente;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QLabel *lblDoppioClic;
    QPushButton *btnChiudi;
    QLabel *lblTrovate = nullptr;
    QPushButton *btnStampa;

    // Shows the lines, each as wide as 1600 pixels so whole lines fit and the list scrolls;
    // each line knows the record position it stands for (none when not given).
    void setLines(const QStringList &lines, const QList<qint64> &positions = {});
    // Also says how many lines there are, when the page has the count label.
    void setSource(SharedLines lines);
    // The record position of the selected line; 0 when no line (or no position) is selected.
    qint64 selectedPosition() const;
    // Empties the remembered term and the search field (each time the window is shown).
    void restart();
    // Find-in-list: the next line holding the search text, wrapping round.
    void findInList();
    int selectedRow() const; // -1 when no line is selected

signals:
    void reopenRequested(); // double-click on a line, or Enter in the list
    void printRequested();
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ListSearch *m_search;
};
