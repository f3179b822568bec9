#include "chart/OdontogramStates.h"

#include "chart/OdontogramTeeth.h"
#include "storage/AnsiText.h"

namespace Odontogram {

namespace {

struct StateText
{
    State state;
    const char *name;
    const char *caption;
};

const StateText kStates[] = {
    {State::Sano, "sano", "Sano"},
    {State::Assente, "assente", "Assente"},
    {State::DaEstrarre, "da estrarre", "Da estrarre"},
    {State::Carie, "carie", "Carie"},
    {State::Otturazione, "otturazione", "Otturazione"},
    {State::Corona, "corona", "Corona"},
    {State::PontePilastro, "ponte pilastro", "Ponte: pilastro"},
    {State::PonteElemento, "ponte elemento", "Ponte: elemento"},
    {State::Impianto, "impianto", "Impianto"},
    {State::Devitalizzato, "devitalizzato", "Devitalizzato"},
    {State::ProtesiMobile, "protesi mobile", "Protesi mobile"},
};

const StateText &textOf(State state)
{
    for (const StateText &t : kStates)
        if (t.state == state)
            return t;
    return kStates[0];
}

} // namespace

// ---- States and surfaces ---------------------------------------------------------------

QList<State> states()
{
    QList<State> out;
    for (const StateText &t : kStates)
        out.append(t.state);
    return out;
}

QString stateName(State state) { return QString::fromLatin1(textOf(state).name); }

QString stateCaption(State state) { return QString::fromLatin1(textOf(state).caption); }

std::optional<State> parseState(const QString &name)
{
    const QString trimmed = AnsiText::trimmed(name);
    for (const StateText &t : kStates)
        if (trimmed == QLatin1String(t.name))
            return t.state;
    return std::nullopt;
}

std::optional<State> parseState(QByteArrayView stored)
{
    for (const StateText &t : kStates)
        if (stored == QByteArrayView(t.name))
            return t.state;
    return std::nullopt;
}

QString conditionName(bool planned) { return planned ? QStringLiteral("da fare") : QStringLiteral("presente"); }

bool hasSurfaces(State state) { return state == State::Carie || state == State::Otturazione; }

bool isPathology(State state) { return state == State::Carie || state == State::DaEstrarre; }

bool canBePlanned(State state) { return state != State::Sano && state != State::Assente && !isPathology(state); }

QList<Surface> surfaceOrder() { return {M, O, D, V, L}; }

QString writtenSurfaces(Surfaces surfaces, int fdi)
{
    // M, O, D as in MO, MOD; without M the distal comes first: DO.
    QList<Surface> order{M, O, D, V, L};
    if (!surfaces.testFlag(M))
        order = {D, O, V, L};
    QString text;
    for (Surface s : order)
        if (surfaces.testFlag(s))
            text += surfaceLetter(s, fdi);
    return text;
}

QString surfaceCode(Surfaces surfaces)
{
    QString code;
    const char letters[] = "MDOVL";
    for (int i = 0; i < 5; ++i)
        if (surfaces.testFlag(Surface(1u << i)))
            code += QLatin1Char(letters[i]);
    return code;
}

std::optional<Surfaces> parseSurfaces(const QString &code)
{
    Surfaces out;
    const QString letters = QStringLiteral("MDOVL");
    for (const QChar c : code) {
        if (c.isSpace())
            continue;
        const qsizetype i = letters.indexOf(c);
        if (i < 0 || out.testFlag(Surface(1u << i)))
            return std::nullopt;
        out |= Surface(1u << i);
    }
    return out;
}

QString surfaceLetter(Surface surface, int fdi)
{
    switch (surface) {
    case M:
        return QStringLiteral("M");
    case D:
        return QStringLiteral("D");
    case O:
        return isFront(fdi) ? QStringLiteral("I") : QStringLiteral("O");
    case V:
        return QStringLiteral("V");
    case L:
        return isUpper(fdi) ? QStringLiteral("P") : QStringLiteral("L");
    }
    return {};
}

QString surfaceName(Surface surface, int fdi)
{
    switch (surface) {
    case M:
        return QStringLiteral("Mesiale");
    case D:
        return QStringLiteral("Distale");
    case O:
        return isFront(fdi) ? QStringLiteral("Incisale") : QStringLiteral("Occlusale");
    case V:
        return QStringLiteral("Vestibolare");
    case L:
        return isUpper(fdi) ? QStringLiteral("Palatale") : QStringLiteral("Linguale");
    }
    return {};
}

ToothState normalised(ToothState state)
{
    if (!hasSurfaces(state.state))
        state.surfaces = {};
    state.surfaces &= Surfaces::fromInt(31u);
    if (state.state == State::Sano)
        state.planned = false;
    return state;
}

QString describe(const ToothState &given, int fdi)
{
    const ToothState state = normalised(given);
    QString text = stateName(state.state);
    if (state.state == State::Sano)
        return text;
    if (state.planned)
        text += QStringLiteral(" da fare");
    else if (canBePlanned(state.state))
        text += QStringLiteral(" presente");
    const QString written = writtenSurfaces(state.surfaces, fdi);
    if (!written.isEmpty())
        text += (written.size() == 1 ? QStringLiteral(", superficie ") : QStringLiteral(", superfici ")) + written;
    return text;
}

QString toothName(int fdi, const ToothState &state)
{
    return QStringLiteral("Dente %1: %2").arg(fdi).arg(describe(state, fdi));
}

} // namespace Odontogram
