#pragma once

#include <QFont>
#include <QFrame>
#include <QStringList>

class QLabel;

namespace AppointmentWidgets {

// The font of the entry fields of the appointment windows: Verdana 12 bold.
QFont fieldFont();

// A title or section banner (the card's "SCHEDA APPUNTAMENTO", "DATI PAZIENTE", ...): white
// capitals on a steel-blue bar, with small pictures of our artwork before the text.
// Decorative: it carries no hint, so hovering it empties the information strip.
QFrame *banner(const QString &objectName, const QString &text, const QStringList &icons, QWidget *parent,
               int height = 34);

} // namespace AppointmentWidgets
