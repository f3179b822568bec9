#pragma once

// What a list shows on the screen. `grab()` paints a widget anew, so a list that keeps its
// old lines on screen after a scroll still grabs right: these helpers read the window's
// picture as the platform holds it (its backing store under the offscreen platform), which
// only the paints the window really made have drawn.

#include "ui/FixedList.h"

#include <QApplication>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

namespace ListScreen {

// Lets the window make the paints it has pending (and no others).
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// The list's visible part as it stands in its window's picture now.
inline QImage onScreen(FixedList *list)
{
    settle();
    QWidget *top = list->window();
    const QImage window = top->screen()->grabWindow(top->winId()).toImage();
    const QRect area(list->viewport()->mapTo(top, QPoint(0, 0)), list->viewport()->size());
    return window.copy(area).convertToFormat(QImage::Format_RGB32);
}

// The list's visible part painted anew, every line of it.
inline QImage freshPaint(FixedList *list)
{
    return list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The band of a row as it stands on the screen (the row wholly in view).
inline QImage rowOnScreen(FixedList *list, int row)
{
    const int h = list->lineHeight();
    return onScreen(list).copy(0, row * h - list->verticalScrollBar()->value(), list->viewport()->width(), h);
}

// A line as a list of the same width draws it, alone at its top, unselected.
inline QImage lineAlone(FixedList *list, const QString &text)
{
    FixedList alone(list->objectName(), list->accessibleName());
    alone.setLines({text});
    alone.setItemWidth(list->itemWidth());
    alone.resize(list->size());
    alone.show();
    if (!QTest::qWaitForWindowExposed(&alone))
        return {};
    alone.resize(alone.size() + list->viewport()->size() - alone.viewport()->size());
    return freshPaint(&alone).copy(0, 0, list->viewport()->width(), list->lineHeight());
}

// The first row wholly in view.
inline int firstWholeRow(FixedList *list)
{
    const int h = list->lineHeight();
    return (list->verticalScrollBar()->value() + h - 1) / h;
}

// The point in the middle of a row's start, where a user clicks it.
inline QPoint rowPoint(FixedList *list, int row)
{
    const int h = list->lineHeight();
    return QPoint(40, row * h - list->verticalScrollBar()->value() + h / 2);
}

// Turns the mouse wheel over the list by the notches (positive: down the list).
inline void wheel(FixedList *list, int notches)
{
    const QPoint middle = list->viewport()->rect().center();
    for (int i = 0; i < qAbs(notches); ++i) {
        QWheelEvent event(middle, list->viewport()->mapToGlobal(middle), {}, QPoint(0, notches > 0 ? -120 : 120),
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list->viewport(), &event);
        settle();
    }
}

// Clicks a part of the list's vertical scroll bar (its down arrow, the track below the
// handle, ...) where the style draws it.
inline void clickScrollBar(FixedList *list, QStyle::SubControl part, int times = 1)
{
    QScrollBar *bar = list->verticalScrollBar();
    for (int i = 0; i < times; ++i) {
        QStyleOptionSlider option;
        option.initFrom(bar);
        option.subControls = QStyle::SC_All;
        option.orientation = bar->orientation();
        option.minimum = bar->minimum();
        option.maximum = bar->maximum();
        option.sliderPosition = bar->sliderPosition();
        option.sliderValue = bar->value();
        option.singleStep = bar->singleStep();
        option.pageStep = bar->pageStep();
        const QRect rect = bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, bar);
        QTest::mouseClick(bar, Qt::LeftButton, {}, rect.center());
        settle();
    }
}

// The ways a user moves a list: the wheel, the scroll bar's down arrow, its track below the
// handle (a page), and a find-in-list that jumps to a line out of view (done by the window).
enum class Scroll { Wheel, Arrow, Track, Find };

// Moves the list the given number of times by the wheel, the arrow or the track.
inline void scroll(FixedList *list, Scroll how, int times)
{
    switch (how) {
    case Scroll::Wheel:
        wheel(list, times);
        break;
    case Scroll::Arrow:
        clickScrollBar(list, QStyle::SC_ScrollBarAddLine, times);
        break;
    case Scroll::Track:
        clickScrollBar(list, QStyle::SC_ScrollBarAddPage, times);
        break;
    case Scroll::Find:
        break;
    }
}

} // namespace ListScreen

Q_DECLARE_METATYPE(ListScreen::Scroll)
