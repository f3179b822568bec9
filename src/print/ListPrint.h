#pragma once

#include <QString>
#include <QStringList>

class LineSource;
class QWidget;

namespace ListPrint {

// Prints the list document of a list window (its title and lines) through the print
// dialog. The footer follows the caller's window: the patient lists print theirs in English.
void print(QWidget *caller, const QString &title, const QStringList &lines);
// The same for a list window's lines, built now from their archive. False, and nothing
// printed, when the archive can no longer be read: a printout must not miss lines.
bool print(QWidget *caller, const QString &title, const LineSource &lines);

} // namespace ListPrint
