#pragma once

#include <QString>

class QWidget;

// Reads the card on screen from the window that opened a print dialog, by control name:
// the text of a line edit or label, the current text of a combo box, the tick of a check
// box. Windows opened from the card (a list, a dialog) are not searched.
namespace CardControls {

QWidget *find(QWidget *card, const QString &name);
QString text(QWidget *card, const QString &name); // empty when there is no such control
bool checked(QWidget *card, const QString &name); // false when there is no such check box

} // namespace CardControls
