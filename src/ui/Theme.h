#pragma once

#include "ui/ThemeTokens.h"

#include <QColor>
#include <QFont>
#include <QPalette>

class QApplication;
class QCalendarWidget;
class QFrame;
class QRect;
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
// The other faces, at Qt's default size: the information strips' and links' Tahoma, the
// fixed-pitch Courier New of columns that line up (at a size in points), the help title's
// Arial; and any face by its name (the printed pages name theirs).
QFont tahoma();
// Tahoma at a size in points (the card windows' information strip).
QFont tahoma(int points);
QFont fixedPitch(int points, bool bold = false);
QFont helpTitle();
QFont face(const QString &family);

// A colour of the theme (ThemeTokens.h) for painting, and as a style sheet writes it.
QColor colour(quint32 argb);
QString css(quint32 argb);
// "color: #RRGGBB;": a label's text colour on its own.
QString textColour(quint32 argb);
// "QLabel { color: #RRGGBB; }".
QString labelColour(quint32 argb);
// "LinkLabel { color: #RRGGBB; }".
QString linkColour(quint32 argb);

// The style sheets of single controls, by what they are for.
enum class Sheet {
    Note,            // a navy italic note beside a list or a calendar
    Instructions,    // an instruction box: pale blue, navy text, rounded
    BandTitle,       // a title on the royal blue band (the chart and a tooth's history)
    BandRule,        // a royal blue rule between the chart's groups of teeth
    FolderBar,       // a royal blue rule of the shared folder window
    LockedField,     // a field that shows a text but cannot be typed into
    HelpText,        // the help window's text, white also with the focus
    SplashLink,      // the splash window's link on a white veil
    Separator,       // a steel blue rule
    SmallButton,     // a text button with little padding (the chart's, the register's)
    PrintButton,     // the print dialogs' two buttons, whose longest caption must fit
    CalendarFrame,   // the grey frame round the date picker's calendar
    SurfaceBox,      // the odontogram's surface boxes
    RegisterWindow,  // the treatment register's background gradient
    RegisterCaption, // the register's captions: white on black
    RegisterTotal,   // the register's black total band
    ExportWindow,    // the export windows' grey background
    ExportBanner,    // their green title banner
    ExportGrid,      // their grid and its headings
    ExportInfo,      // their purple information band
    ExportInfoText,  // the text on it
    NoAppointments,  // the agenda's green bubble: nothing imminent
    Appointments,    // the agenda's orange bubble: appointments imminent
};
QString sheet(Sheet which);

// Background gradients of the windows, by name: "steel" (steel blue at the top to white),
// "light" (white at the top to light blue), "brown" (white at the top to dark brown).
void setGradient(QWidget *window, const char *gradient);
// A royal blue rule (shpSeparatore...), 4 pixels high, between groups of controls.
QFrame *bandRule(const QString &objectName, const QRect &geometry, QWidget *parent);
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
