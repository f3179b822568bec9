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

// The second page, the odontogram, as the chart hands it over: each dentition's scheme drawn
// as shapes on its canvas with the FDI number of each tooth at its place, the legend's
// samples with their texts, and one line for each tooth that is not healthy.
struct Odontogram
{
    struct Number
    {
        QString text;
        QPointF at; // the number's centre on the canvas
    };
    struct Scheme
    {
        QList<Report::Shape> shapes;
        QList<Number> numbers;
    };
    QSizeF canvas;
    Scheme permanent;
    Scheme deciduous;
    struct LegendItem
    {
        QString text;
        QList<Report::Shape> sample; // on a square canvas of sampleSize
    };
    QList<LegendItem> legend;
    double sampleSize = 20;
    QString planned; // the colour key's two texts
    QString present;
    QStringList states; // "36: otturazione presente, superfici DO"
};

// "TERZO MOLARE DX:  " and so on, for tooth 1 to 32 (universal order).
QString prefix(int tooth);

Report::Document design();
// The title and the 32 tooth texts as the chart window hands them; each is trimmed.
Report::Document make(const QString &title, const QStringList &teeth, const QDateTime &now);
// The same first page, then the odontogram's page: the title, the two schemes under their
// headings with every tooth's number, the legend, the teeth's states, the same foot.
Report::Document make(const QString &title, const QStringList &teeth, const QDateTime &now,
                      const Odontogram &odontogram);
extern const QString kNoStates;

} // namespace ChartDocument
