#pragma once

#include <QRect>

#include <span>

class QWidget;

// How a window places its controls: a table of places, one line per control, read like the
// window's picture. A panel's rows stand a fixed pitch apart; a place names a control of the
// panel (its objectName), the row it stands in and the x where it starts and the x just
// after it. The control keeps its own height (or the one the table gives) and is centred
// in its row, so a field, its caption and the button beside it line up.
namespace Places {

struct Rows
{
    int top;   // y of row 0
    int pitch; // from one row to the next, and each row's height
};

struct Place
{
    const char *control;
    int row;
    int left;       // x of the control
    int right;      // x just after it
    int height = 0; // 0: the control's own height
};

// The whole band of a place: its row, from left to right.
QRect band(const Rows &rows, const Place &place);

// Gives one control its place (the place's control name is not read).
void put(QWidget *control, const Rows &rows, const Place &place);

// Gives each control of the table its place on the panel. Every name must be a control of
// the panel itself (a table that names none is a fault of the window).
void apply(QWidget *panel, const Rows &rows, std::span<const Place> table);

} // namespace Places
