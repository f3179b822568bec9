#pragma once

#include "chart/OdontogramStates.h"
#include "chart/OdontogramTeeth.h"
#include "print/ChartDocument.h"
#include "print/Report.h"
#include "ui/ThemeTokens.h"

#include <QMap>

// The drawing of the states on the dental scheme: which symbol, in which colour, where, in
// the scheme's units, for the screen and the paper alike; the legend; the printed page.
namespace Odontogram {

// ---- The drawing plan ------------------------------------------------------------------

// Charting colours: planned work in red, what is found in blue.
constexpr quint32 kPlannedColour = Theme::Colour::Planned;
constexpr quint32 kPresentColour = Theme::Colour::Present;
constexpr quint32 kFadeColour = Theme::Colour::Faded; // the scheme's background, nearly opaque
constexpr quint32 kPathologyColour = Theme::Colour::Pathology;
// Planned in red, present in blue; pathology in red as it is found.
quint32 colour(const ToothState &state);

enum class Symbol {
    Faded,    // the tooth is not there: drawn faint (under the note markers)
    Cross,    // missing
    Slash,    // to extract
    Surfaces, // the five surfaces outlined, the chosen ones filled (fillings)
    Hatched,  // the five surfaces outlined, the chosen ones hatched (caries)
    Ring,     // crown
    Bar,      // bridge, through the tooth along the arch so that the bridge's teeth join
    Screw,    // implant
    Dot,      // root canal treated
    Dashed,   // removable denture: a dashed ring
};
// The symbols of a state, bottom to top. Faded only when the state is found (presente) and the
// tooth is no longer there: missing, bridge element, implant, removable denture.
QList<Symbol> symbols(const ToothState &state);

struct Mark
{
    int fdi = 0;
    Symbol symbol = Symbol::Cross;
    quint32 colour = 0;
    Surfaces surfaces{};

    bool operator==(const Mark &) const = default;
};
// The marks of the teeth of one dentition, in the scheme's order (teeth()), each tooth's
// symbols bottom to top; healthy teeth and teeth of the other dentition have none.
QList<Mark> plan(const QMap<int, ToothState> &states, Dentition dentition);
// A mark's shapes in the scheme's units, at its tooth's place (or at another place, for the
// legend's samples).
QList<Report::Shape> shapes(const Mark &mark);
QList<Report::Shape> shapes(const Mark &mark, const Place &at);
// The outline of a tooth: the printed scheme's drawing of it.
Report::Shape outline(int fdi);
// The printed scheme of a dentition: the arches' teeth drawn as outlines, then the marks.
QList<Report::Shape> schemeShapes(const QMap<int, ToothState> &states, Dentition dentition);

// The legend: a sample of each state but sano (drawn in black on a tooth of 20 x 20 units),
// and the two colours.
struct LegendItem
{
    QString text;
    QList<Report::Shape> sample;
};
QList<LegendItem> legend();
constexpr double kLegendSample = 20;
extern const QString kLegendPlanned; // "In rosso: da fare"
extern const QString kLegendPresent; // "In blu: presente"

// The chart's printed page of the odontogram: both schemes with their numbers, the legend,
// a line for each tooth that is not healthy ("36: otturazione presente, superfici DO"), in
// the order of the FDI numbers.
ChartDocument::Odontogram printed(const QMap<int, ToothState> &states);

// ---- The plan --------------------------------------------------------------------------

// A planned piece of work: what the estimate prices.
struct PlannedWork
{
    int fdi = 0;
    State work = State::Sano;
    Surfaces surfaces{};

    bool operator==(const PlannedWork &) const = default;
};
// Every planned finding of the teeth's states, in tooth order (FDI number). A "carie da fare"
// an older file holds is listed as it is: the caries to treat.
QList<PlannedWork> planList(const QMap<int, ToothState> &states);

} // namespace Odontogram
