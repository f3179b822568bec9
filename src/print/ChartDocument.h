#pragma once

#include "print/Report.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

// The dental chart document: one A4 portrait page, the gold title with the patient, the
// upper arch (teeth 1 to 16) and the lower arch (teeth 17 to 32) under their headings, one
// framed line per tooth with the tooth's name and its text, and the gold foot with the date
// and time of printing. A long text is cut at its box's right edge; the rows never move.
namespace ChartDocument {

// "TERZO MOLARE DX:  " and so on, for tooth 1 to 32 (universal order).
QString prefix(int tooth);

Report::Document design();
// The title and the 32 tooth texts as the chart window hands them; each is trimmed.
Report::Document make(const QString &title, const QStringList &teeth, const QDateTime &now);

} // namespace ChartDocument
