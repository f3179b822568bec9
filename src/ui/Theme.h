#pragma once

#include <QFont>
#include <QPalette>

class QApplication;
class QCalendarWidget;
class QWidget;
class QString;
class QLabel;
class QPushButton;
class QStyleOption;

// The program's look: one style sheet for every window (gradients, white panels, the
// entry-field colouring, the yellow focus frames, text buttons) and a few small makers
// that every window uses so that their controls look and read alike.
namespace Theme {

void apply(QApplication &app);

// The program's font, Verdana, at a size in points.
QFont verdana(int points, bool bold = false);
// The information strips' font, Tahoma, at a size in points.
QFont tahoma(int points);

// Background gradients of the windows, by name: "steel" (steel blue at the top to white),
// "light" (white at the top to light blue), "brown" (white at the top to dark brown).
void setGradient(QWidget *window, const char *gradient);
// A white rounded panel or shape (shp...).
QWidget *panel(const QString &objectName, QWidget *parent);
// A text button with the hand cursor, named for screen readers by its caption.
QPushButton *textButton(const QString &objectName, const QString &caption, QWidget *parent);
// A label; when given a buddy it also names that field for screen readers.
QLabel *label(const QString &objectName, const QString &text, QWidget *parent, QWidget *buddy = nullptr);
// The palette's colour group an item drawn by hand takes from its state: disabled, active
// window or inactive window.
QPalette::ColorGroup colourGroup(const QStyleOption &option);
// A month calendar in the program's colours, weeks from Monday, today selected; its days
// drawn as plain text on their colours (the calendar's own drawing goes through the style
// for every day, a good part of the agenda's first paint).
QCalendarWidget *calendar(const QString &objectName, QWidget *parent);
// A picture used only as decoration: screen readers do not meet it.
QLabel *picture(const QString &objectName, const QString &svg, int width, int height, QWidget *parent);

// Puts a top-level window in the middle of its screen.
void centreOnScreen(QWidget *window);
// A fixed-size window with a title but no title-bar buttons.
void makeFixedDialog(QWidget *window, int clientWidth, int clientHeight);

} // namespace Theme
