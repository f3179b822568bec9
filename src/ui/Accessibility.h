#pragma once

#include <QString>

class QCalendarWidget;
class QLabel;
class QWidget;

// What screen readers are told beyond Qt's own accessible interfaces. Qt exposes a
// top-level plain QWidget as a "client" area (a filler to AT-SPI), so the program's own
// interfaces expose every such window as a window (a frame) named by its caption; the rest
// is asked for control by control below. The interfaces are installed on first use.
namespace Accessibility {

// Makes sure the program's interfaces are in place (windows as frames, links as links).
void install();

// A label that shows a value (a record position, a count, a total, a detail): its name is
// the caption followed by the value it shows, kept up to date as the text changes.
void valueLabel(QLabel *label, const QString &caption);

// A control the program keeps for its own use, one that repeats another one for the mouse
// (a focus helper, a photograph beside its captioned button) or a decoration (pictures,
// a window's banner): left out of the tree screen readers walk. hidden = false puts back a
// picture that means something (a marker).
void hide(QWidget *widget, bool hidden = true);

// The month arrows of a calendar named and reachable with Tab, the calendar named
// "Calendario" unless it has a name, the table of its days "Giorni del mese".
void nameCalendar(QCalendarWidget *calendar);

} // namespace Accessibility
