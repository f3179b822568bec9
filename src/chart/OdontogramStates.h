#pragma once

#include <QByteArrayView>
#include <QFlags>
#include <QList>
#include <QString>

#include <optional>

// What a tooth of the odontogram holds, and its words: the states, the surfaces, presente or
// da fare, as stored in the file and as read on the chart and by screen readers. Teeth are
// named by their FDI number: 11 to 48 the permanent teeth, 51 to 85 the deciduous.
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
// Pathology (caries, a tooth to extract) is what is there, never planned work.
bool isPathology(State state);
// Work can be present or planned; pathology, a missing tooth and a healthy one are only
// found ("carie da fare" from an older file is still shown as it is).
bool canBePlanned(State state);

enum Surface : unsigned { M = 1, D = 2, O = 4, V = 8, L = 16 };
Q_DECLARE_FLAGS(Surfaces, Surface)
// The surfaces in the order a dentist writes them: M, O/I, D, V, L/P.
QList<Surface> surfaceOrder();
// The surfaces as a dentist writes them on this tooth: "MO", "DO", "MOD", "MODV", "MIDP".
QString writtenSurfaces(Surfaces surfaces, int fdi);
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
    Surfaces surfaces{};

    bool operator==(const ToothState &) const = default;
};
// The state as the rules keep it: surfaces dropped where the state has none, sano present.
ToothState normalised(ToothState state);
// "presente" or "da fare": the condition as stored.
QString conditionName(bool planned);
// A state as stored, read straight from the file's bytes (a file of many entries builds no
// text per record).
std::optional<State> parseState(QByteArrayView stored);
// "otturazione presente, superfici DO", "corona da fare", "carie, superficie O", "assente",
// "sano": pathology and a missing tooth found say no "presente".
QString describe(const ToothState &state, int fdi);
// "Dente 36: otturazione presente, superfici DO": a tooth's name on the chart.
QString toothName(int fdi, const ToothState &state);

} // namespace Odontogram

Q_DECLARE_OPERATORS_FOR_FLAGS(Odontogram::Surfaces)
