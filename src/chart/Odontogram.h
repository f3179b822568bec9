#pragma once

#include "print/ChartDocument.h"
#include "print/Report.h"
#include "storage/OdontogramRecord.h"
#include "ui/ThemeTokens.h"

#include <QDateTime>
#include <QList>
#include <QMap>
#include <QPointF>
#include <QString>

#include <optional>

// The odontogram without its window: what each tooth holds and on which surfaces, the dated
// entries of the patient's odontogram file, and the drawing of the states on the dental
// scheme (which symbol, in which colour, where), shared by the chart window and the print.
// Teeth are named by their FDI number: 11 to 48 the permanent teeth, 51 to 85 the deciduous.
namespace Odontogram {

// ---- States and surfaces --------------------------------------------------------------

enum class State {
    Sano,
    Assente,
    DaEstrarre,
    Carie,
    Otturazione,
    Corona,
    PontePilastro,
    PonteElemento,
    Impianto,
    Devitalizzato,
    ProtesiMobile,
};

// Every state, in the order the chart's list shows them.
QList<State> states();
// "sano", "da estrarre", "ponte pilastro": as stored and as read in a tooth's description.
QString stateName(State state);
// "Sano", "Ponte: pilastro": the chart list's text.
QString stateCaption(State state);
std::optional<State> parseState(const QString &name);
// Caries and fillings are on surfaces; the other states are the whole tooth's.
bool hasSurfaces(State state);

enum Surface : unsigned { M = 1, D = 2, O = 4, V = 8, L = 16 };
using Surfaces = unsigned;
// The surfaces in the order a tooth's description reads them: O/I, M, D, V, L/P.
QList<Surface> surfaceOrder();
// "MDOVL" or part of it, in that order: as stored.
QString surfaceCode(Surfaces surfaces);
// Letters of "MDOVL", each once, in any order; blanks ignored. Nothing for any other text.
std::optional<Surfaces> parseSurfaces(const QString &code);
// The letter on the chart: O is I on incisors and canines, L is P on upper teeth.
QString surfaceLetter(Surface surface, int fdi);
// "Mesiale", "Distale", "Occlusale" / "Incisale", "Vestibolare", "Linguale" / "Palatale".
QString surfaceName(Surface surface, int fdi);

// A tooth's state: presente (found) or da fare (planned); surfaces only for caries and
// fillings; a healthy tooth is just healthy.
struct ToothState
{
    State state = State::Sano;
    bool planned = false;
    Surfaces surfaces = 0;

    bool operator==(const ToothState &) const = default;
};
// The state as the rules keep it: surfaces dropped where the state has none, sano present.
ToothState normalised(ToothState state);
// "otturazione presente, superfici O, D", "corona da fare", "sano".
QString describe(const ToothState &state, int fdi);
// "Dente 36: otturazione presente, superfici O, D": a tooth's name on the chart.
QString toothName(int fdi, const ToothState &state);

// ---- Teeth -----------------------------------------------------------------------------

enum class Dentition { Permanent, Deciduous };

// The teeth of a dentition as the scheme shows them: the upper arch from the viewer's left
// (the patient's right) to the right, then the lower arch the same way.
const QList<int> &teeth(Dentition dentition);
bool isTooth(int fdi);
Dentition dentitionOf(int fdi);
bool isUpper(int fdi);
// "primo molare inferiore sinistro", "canino deciduo superiore destro".
QString toothTitle(int fdi);
// Incisors and canines (their occlusal surface is the incisal edge).
bool isFront(int fdi);

// Where a tooth lies on the scheme (278 x 472, the SVG's own units): its centre, the unit
// vectors towards the middle of the arch (mesial) and out of the mouth (vestibular), its
// size along the arch and across it, and the centre of its FDI number outside the arch.
// A deciduous tooth lies where the permanent tooth of the same place lies.
struct Place
{
    QPointF centre;
    QPointF mesial;
    QPointF outward;
    double width = 0;
    double depth = 0;
    QPointF label;
};
const Place &place(int fdi);
constexpr double kSchemeWidth = 278;
constexpr double kSchemeHeight = 472;
// The tooth under a point of the scheme, or 0.
int toothAt(const QPointF &point, Dentition dentition);
// The tooth beside one on the scheme: left and right along its arch (0 at the arch's end),
// up and down the tooth of the other arch in the same place.
enum class Step { Left, Right, Up, Down };
int neighbour(int fdi, Step step);

// ---- The drawing plan ------------------------------------------------------------------

// Charting colours: planned work in red, what is found in blue.
constexpr quint32 kPlannedColour = Theme::Colour::Planned;
constexpr quint32 kPresentColour = Theme::Colour::Present;
constexpr quint32 kFadeColour = Theme::Colour::Faded; // the scheme's background, nearly opaque
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
    Surfaces surfaces = 0;

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
// a line for each tooth that is not healthy ("36: otturazione presente, superfici O, D"), in
// the order of the FDI numbers.
ChartDocument::Odontogram printed(const QMap<int, ToothState> &states);

// ---- Dated entries ---------------------------------------------------------------------

// The day and the minute of an entry, as the file keeps them: no time zone is looked up, so
// that a file of many entries reads quickly.
class Moment
{
public:
    Moment() = default;
    Moment(QDate date, QTime time) : m_date(date), m_time(QTime(time.hour(), time.minute())) {}
    Moment(const QDateTime &moment) : Moment(moment.date(), moment.time()) {} // to the minute
    QDate date() const { return m_date; }
    QTime time() const { return m_time; }
    bool operator==(const Moment &) const = default;

private:
    QDate m_date;
    QTime m_time;
};

struct Entry
{
    Moment when;
    int fdi = 0;
    ToothState state;

    bool operator==(const Entry &) const = default;
};

TOdontogramRecord record(const Entry &entry);
// The entry of a record; nothing for a damaged one (a date, time, tooth, state, condition or
// surfaces that do not read), which is passed over.
std::optional<Entry> entry(const TOdontogramRecord &record);

// The file's entries in file order, damaged records passed over (a partial last record is
// never read). The file is created empty when missing. Throws StorageError.
QList<Entry> read(const QString &path);
// Appends the entries in their order; returns how many are on the disk (all of them unless
// a write failed; a record half written is taken back).
qsizetype append(const QString &path, const QList<Entry> &entries);
// The path of the odontogram of the card at a position, in the program folder.
QString path(qint64 position);

// Each tooth's latest state: its last entry.
QMap<int, ToothState> latest(const QList<Entry> &entries);
// A tooth's entries in the order they were made, the latest last.
QList<Entry> history(const QList<Entry> &entries, int fdi);
// "10/12/2026 09:30   otturazione presente, superfici O, D"
QString historyLine(const Entry &entry);

// The changes not yet saved: one entry per tooth, the last change. A change that brings a tooth
// back to its saved state takes its pending entry away.
QList<Entry> withChange(QList<Entry> pending, const QMap<int, ToothState> &saved, const Entry &change);

} // namespace Odontogram
