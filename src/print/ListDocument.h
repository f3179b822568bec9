#pragma once

#include "print/Report.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The list document every list window prints: A4 landscape, a title band once at the top,
// the data band with one line per list line continuing over as many pages as it needs, and
// the footer band once after the last line.
namespace ListDocument {

// One line of the lines box, and the band's padding below its lines, in design units.
constexpr double kLineUnits = 12.822;
constexpr double kPaddingUnits = 10;

// The document as designed, before the window fills it.
Report::Document design();

// The footer: "Printed on dd/mm/yyyy" for the patient lists, "Stampa eseguita in data
// dd/mm/yyyy" for the others.
enum class Footer { Italian, English };
QString footerText(Footer footer, const QDate &date);
// The patient list and the pending issues list print their footer in English.
Footer footerFor(const QString &windowName);

// The filled document: title, one line per list line, the band heights, the footer.
Report::Document make(const QString &title, const QStringList &lines, const QString &footer);

} // namespace ListDocument
