#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ListPrint {

// Prints the list document of a list window (its title and lines) through the print
// dialog. The footer follows the caller's window: the patient lists print theirs in English.
void print(QWidget *caller, const QString &title, const QStringList &lines);

} // namespace ListPrint
