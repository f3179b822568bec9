#include "chart/Odontogram.h"

#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/RecordFile.h"

#include <QHash>
#include <QtMath>

#include <array>
#include <cmath>

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

const QString kPresente = QStringLiteral("presente");
const QString kDaFare = QStringLiteral("da fare");
const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kTimeFormat = QStringLiteral("hh:mm");

// ---- Places ------------------------------------------------------------------------------

// The centre of each permanent tooth on the scheme (the chart's marker corner + 8.5, as the
// scheme's SVG draws it), and its depth across the arch by kind (1 the central incisor ...).
struct Centre
{
    int fdi;
    double x, y;
};
const Centre kCentres[] = {
    {18, 42.5, 204.5},  {17, 46.5, 168.5},  {16, 52.5, 138.5},  {15, 62.5, 112.5},  {14, 70.5, 87.5},
    {13, 84.5, 66.5},   {12, 100.5, 46.5},  {11, 122.5, 36.5},  {21, 155.5, 36.5},  {22, 176.5, 43.5},
    {23, 194.5, 62.5},  {24, 204.5, 86.5},  {25, 212.5, 110.5}, {26, 220.5, 136.5}, {27, 226.5, 166.5},
    {28, 234.5, 198.5}, {48, 44.5, 280.5},  {47, 46.5, 314.5},  {46, 54.5, 346.5},  {45, 65.5, 373.5},
    {44, 81.5, 394.5},  {43, 89.5, 413.5},  {42, 109.5, 428.5}, {41, 129.5, 436.5}, {31, 153.5, 434.5},
    {32, 174.5, 430.5}, {33, 192.5, 413.5}, {34, 202.5, 394.5}, {35, 214.5, 373.5}, {36, 220.5, 342.5},
    {37, 228.5, 310.5}, {38, 234.5, 278.5},
};
const double kDepthUpper[] = {0, 17, 15, 19, 21, 21, 27, 26, 24};
const double kDepthLower[] = {0, 14, 14, 16, 19, 20, 25, 24, 23};
// Deciduous teeth by kind: incisors, canine, two molars.
const double kDepthUpperDeciduous[] = {0, 15, 13, 17, 20, 22};
const double kDepthLowerDeciduous[] = {0, 12, 12, 14, 19, 21};
const QPointF kInsideUpper(139, 215);
const QPointF kInsideLower(139, 262);
constexpr double kNumberGap = 8;

QList<int> arch(int rightQuadrant, int leftQuadrant, int units)
{
    QList<int> out;
    for (int unit = units; unit >= 1; --unit)
        out.append(rightQuadrant * 10 + unit);
    for (int unit = 1; unit <= units; ++unit)
        out.append(leftQuadrant * 10 + unit);
    return out;
}

QPointF centreOf(int fdi)
{
    const int quadrant = fdi / 10;
    const int permanent = (quadrant > 4 ? quadrant - 4 : quadrant) * 10 + fdi % 10;
    for (const Centre &c : kCentres)
        if (c.fdi == permanent)
            return {c.x, c.y};
    return {};
}

double length(const QPointF &p) { return std::hypot(p.x(), p.y()); }
QPointF unit(const QPointF &p)
{
    const double l = length(p);
    return l > 0 ? p / l : QPointF();
}
double dot(const QPointF &a, const QPointF &b) { return a.x() * b.x() + a.y() * b.y(); }

// The places of one arch, worked out as the scheme's drawing works them out.
void placeArch(const QList<int> &teeth, bool upper, bool deciduous, QHash<int, Place> &out)
{
    const QPointF inside = upper ? kInsideUpper : kInsideLower;
    const qsizetype n = teeth.size();
    for (qsizetype i = 0; i < n; ++i) {
        const int fdi = teeth[i];
        const QPointF c = centreOf(fdi);
        const std::optional<QPointF> prev = i > 0 ? std::optional(centreOf(teeth[i - 1])) : std::nullopt;
        const std::optional<QPointF> next = i < n - 1 ? std::optional(centreOf(teeth[i + 1])) : std::nullopt;
        const QPointF a = prev ? *prev : 2 * c - *next;
        const QPointF b = next ? *next : 2 * c - *prev;
        const QPointF along = unit(b - a);
        double gaps = 0;
        int gapCount = 0;
        for (const auto &p : {prev, next})
            if (p) {
                gaps += length(c - *p);
                ++gapCount;
            }
        QPointF outward(-along.y(), along.x());
        if (dot(c - inside, outward) < 0)
            outward = -outward;
        const int kind = fdi % 10;
        const double depth = deciduous ? (upper ? kDepthUpperDeciduous : kDepthLowerDeciduous)[kind]
                                       : (upper ? kDepthUpper : kDepthLower)[kind];
        // The list runs from the patient's right to the left: mesial is along it on the right
        // side (quadrants 1, 4, 5, 8), against it on the left.
        const int quadrant = fdi / 10;
        const bool right = quadrant == 1 || quadrant == 4 || quadrant == 5 || quadrant == 8;
        Place p;
        p.centre = c;
        p.mesial = right ? along : -along;
        p.outward = outward;
        p.width = 0.86 * gaps / gapCount;
        p.depth = depth;
        p.label = c + outward * (depth / 2 + kNumberGap);
        out.insert(fdi, p);
    }
}

const QHash<int, Place> &places()
{
    static const QHash<int, Place> table = [] {
        QHash<int, Place> out;
        placeArch(arch(1, 2, 8), true, false, out);
        placeArch(arch(4, 3, 8), false, false, out);
        placeArch(arch(5, 6, 5), true, true, out);
        placeArch(arch(8, 7, 5), false, true, out);
        return out;
    }();
    return table;
}

// A point of a tooth's own frame: x towards the middle of the arch, y out of the mouth.
struct Frame
{
    const Place &p;
    QPointF operator()(double x, double y) const { return p.centre + p.mesial * x + p.outward * y; }
};

Report::Shape polygon(QList<QPointF> points, quint32 pen, double penWidth, quint32 fill = 0, bool hatched = false)
{
    Report::Shape s;
    s.kind = Report::Shape::Polygon;
    s.points = std::move(points);
    s.pen = pen;
    s.penWidth = penWidth;
    s.fill = fill;
    s.hatched = hatched;
    return s;
}

Report::Shape line(const QPointF &from, const QPointF &to, quint32 pen, double penWidth)
{
    Report::Shape s;
    s.kind = Report::Shape::Polyline;
    s.points = {from, to};
    s.pen = pen;
    s.penWidth = penWidth;
    return s;
}

Report::Shape ellipse(const QPointF &centre, double rx, double ry, quint32 pen, double penWidth, quint32 fill = 0)
{
    Report::Shape s;
    s.kind = Report::Shape::Ellipse;
    s.points = {centre, QPointF(rx, ry)};
    s.pen = pen;
    s.penWidth = penWidth;
    s.fill = fill;
    return s;
}

// A rounded box in the tooth's frame, as a polygon of points.
QList<QPointF> roundedBox(const Frame &f, double hw, double hd)
{
    QList<QPointF> points;
    const double r = qMin(hw, hd) * 0.55;
    const double corners[4][2] = {{hw - r, hd - r}, {-(hw - r), hd - r}, {-(hw - r), -(hd - r)}, {hw - r, -(hd - r)}};
    for (int k = 0; k < 4; ++k)
        for (int step = 0; step <= 4; ++step) {
            const double angle = (k * 90 + step * 22.5) * M_PI / 180;
            points.append(f(corners[k][0] + r * std::cos(angle), corners[k][1] + r * std::sin(angle)));
        }
    return points;
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

bool hasSurfaces(State state) { return state == State::Carie || state == State::Otturazione; }

QList<Surface> surfaceOrder() { return {O, M, D, V, L}; }

QString surfaceCode(Surfaces surfaces)
{
    QString code;
    const char letters[] = "MDOVL";
    for (int i = 0; i < 5; ++i)
        if (surfaces & (1u << i))
            code += QLatin1Char(letters[i]);
    return code;
}

std::optional<Surfaces> parseSurfaces(const QString &code)
{
    Surfaces out = 0;
    const QString letters = QStringLiteral("MDOVL");
    for (const QChar c : code) {
        if (c.isSpace())
            continue;
        const qsizetype i = letters.indexOf(c);
        if (i < 0 || (out & (1u << i)))
            return std::nullopt;
        out |= 1u << i;
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
        state.surfaces = 0;
    state.surfaces &= 31u;
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
    text += state.planned ? QStringLiteral(" da fare") : QStringLiteral(" presente");
    QStringList letters;
    for (Surface s : surfaceOrder())
        if (state.surfaces & s)
            letters.append(surfaceLetter(s, fdi));
    if (!letters.isEmpty())
        text += (letters.size() == 1 ? QStringLiteral(", superficie ") : QStringLiteral(", superfici "))
                + letters.join(QStringLiteral(", "));
    return text;
}

QString toothName(int fdi, const ToothState &state)
{
    return QStringLiteral("Dente %1: %2").arg(fdi).arg(describe(state, fdi));
}

// ---- Teeth -----------------------------------------------------------------------------

const QList<int> &teeth(Dentition dentition)
{
    static const QList<int> permanent = arch(1, 2, 8) + arch(4, 3, 8);
    static const QList<int> deciduous = arch(5, 6, 5) + arch(8, 7, 5);
    return dentition == Dentition::Permanent ? permanent : deciduous;
}

bool isTooth(int fdi) { return places().contains(fdi); }

Dentition dentitionOf(int fdi) { return fdi >= 50 ? Dentition::Deciduous : Dentition::Permanent; }

bool isUpper(int fdi)
{
    const int quadrant = fdi / 10;
    return quadrant == 1 || quadrant == 2 || quadrant == 5 || quadrant == 6;
}

bool isFront(int fdi) { return fdi % 10 <= 3; }

QString toothTitle(int fdi)
{
    static const char *const permanent[] = {"",
                                            "incisivo centrale",
                                            "incisivo laterale",
                                            "canino",
                                            "primo premolare",
                                            "secondo premolare",
                                            "primo molare",
                                            "secondo molare",
                                            "terzo molare"};
    static const char *const deciduous[] = {"",
                                            "incisivo centrale deciduo",
                                            "incisivo laterale deciduo",
                                            "canino deciduo",
                                            "primo molare deciduo",
                                            "secondo molare deciduo"};
    if (!isTooth(fdi))
        return {};
    const int quadrant = fdi / 10;
    const bool right = quadrant == 1 || quadrant == 4 || quadrant == 5 || quadrant == 8;
    return QString::fromLatin1(dentitionOf(fdi) == Dentition::Permanent ? permanent[fdi % 10] : deciduous[fdi % 10])
           + (isUpper(fdi) ? QStringLiteral(" superiore") : QStringLiteral(" inferiore"))
           + (right ? QStringLiteral(" destro") : QStringLiteral(" sinistro"));
}

const Place &place(int fdi)
{
    static const Place none;
    const auto it = places().constFind(fdi);
    return it == places().cend() ? none : *it;
}

int toothAt(const QPointF &point, Dentition dentition)
{
    int best = 0;
    double bestDistance = 0;
    for (int fdi : teeth(dentition)) {
        const Place &p = place(fdi);
        const QPointF d = point - p.centre;
        // Inside the tooth's box, a little enlarged: measured in its own frame.
        const double x = std::abs(dot(d, p.mesial)) / (p.width / 2 + 2);
        const double y = std::abs(dot(d, p.outward)) / (p.depth / 2 + 2);
        const double distance = qMax(x, y);
        if (distance <= 1 && (!best || distance < bestDistance)) {
            best = fdi;
            bestDistance = distance;
        }
    }
    return best;
}

int neighbour(int fdi, Step step)
{
    const QList<int> &all = teeth(dentitionOf(fdi));
    const qsizetype index = all.indexOf(fdi);
    if (index < 0)
        return 0;
    const qsizetype perArch = all.size() / 2;
    const bool upper = index < perArch;
    const qsizetype inArch = index % perArch;
    switch (step) {
    case Step::Left:
        return inArch > 0 ? all[index - 1] : 0;
    case Step::Right:
        return inArch < perArch - 1 ? all[index + 1] : 0;
    case Step::Up:
        return upper ? 0 : all[inArch];
    case Step::Down:
        return upper ? all[perArch + inArch] : 0;
    }
    return 0;
}

// ---- The drawing plan ------------------------------------------------------------------

quint32 colour(const ToothState &state) { return state.planned ? kPlannedColour : kPresentColour; }

QList<Symbol> symbols(const ToothState &given)
{
    const ToothState state = normalised(given);
    QList<Symbol> out;
    const bool present = !state.planned;
    switch (state.state) {
    case State::Sano:
        break;
    case State::Assente:
        if (present)
            out << Symbol::Faded;
        out << Symbol::Cross;
        break;
    case State::DaEstrarre:
        out << Symbol::Slash;
        break;
    case State::Carie:
        out << Symbol::Hatched;
        break;
    case State::Otturazione:
        out << Symbol::Surfaces;
        break;
    case State::Corona:
        out << Symbol::Ring;
        break;
    case State::PontePilastro:
        out << Symbol::Ring << Symbol::Bar;
        break;
    case State::PonteElemento:
        if (present)
            out << Symbol::Faded;
        out << Symbol::Bar;
        break;
    case State::Impianto:
        if (present)
            out << Symbol::Faded;
        out << Symbol::Screw;
        break;
    case State::Devitalizzato:
        out << Symbol::Dot;
        break;
    case State::ProtesiMobile:
        if (present)
            out << Symbol::Faded;
        out << Symbol::Dashed;
        break;
    }
    return out;
}

QList<Mark> plan(const QMap<int, ToothState> &states, Dentition dentition)
{
    QList<Mark> out;
    for (int fdi : teeth(dentition)) {
        const auto it = states.constFind(fdi);
        if (it == states.cend())
            continue;
        const ToothState state = normalised(*it);
        for (Symbol symbol : symbols(state))
            out.append(Mark{fdi, symbol, symbol == Symbol::Faded ? kFadeColour : colour(state), state.surfaces});
    }
    return out;
}

QList<Report::Shape> shapes(const Mark &mark) { return shapes(mark, place(mark.fdi)); }

QList<Report::Shape> shapes(const Mark &mark, const Place &p)
{
    const Frame f{p};
    const double hw = p.width / 2;
    const double hd = p.depth / 2;
    const double big = qMax(hw, hd);
    const quint32 c = mark.colour;
    switch (mark.symbol) {
    case Symbol::Faded:
        return {polygon(roundedBox(f, hw + 1.5, hd + 1.5), 0, 0, c)};
    case Symbol::Cross: {
        const double r = big * 0.8;
        return {line(p.centre + QPointF(-r, -r), p.centre + QPointF(r, r), c, 2.4),
                line(p.centre + QPointF(-r, r), p.centre + QPointF(r, -r), c, 2.4)};
    }
    case Symbol::Slash: {
        const double r = big * 0.85;
        return {line(p.centre + QPointF(-r * 0.7, r), p.centre + QPointF(r * 0.7, -r), c, 2.8)};
    }
    case Symbol::Surfaces:
    case Symbol::Hatched: {
        const bool hatched = mark.symbol == Symbol::Hatched;
        const double a = hw * 0.78, b = hd * 0.78;
        const double a2 = a * 0.42, b2 = b * 0.42;
        const auto area = [&](Surface s) -> QList<QPointF> {
            switch (s) {
            case O:
                return {f(-a2, -b2), f(a2, -b2), f(a2, b2), f(-a2, b2)};
            case V:
                return {f(-a, b), f(a, b), f(a2, b2), f(-a2, b2)};
            case L:
                return {f(-a, -b), f(a, -b), f(a2, -b2), f(-a2, -b2)};
            case M:
                return {f(a, -b), f(a, b), f(a2, b2), f(a2, -b2)};
            case D:
                return {f(-a, -b), f(-a, b), f(-a2, b2), f(-a2, -b2)};
            }
            return {};
        };
        QList<Report::Shape> out;
        for (Surface s : {M, D, O, V, L}) {
            const bool chosen = mark.surfaces & s;
            out.append(polygon(area(s), c, chosen ? 0.8 : 0.6, chosen ? c : 0, hatched));
        }
        return out;
    }
    case Symbol::Ring:
        return {ellipse(p.centre, big + 2, big + 2, c, 2.2)};
    case Symbol::Dashed: {
        Report::Shape ring = ellipse(p.centre, big + 2, big + 2, c, 1.8);
        ring.dashed = true;
        return {ring};
    }
    case Symbol::Bar:
        // Long enough to meet the bar of the tooth beside it.
        return {line(f(-hw * 1.2, 0), f(hw * 1.2, 0), c, 3.2)};
    case Symbol::Screw: {
        const double h = hd * 0.8;
        QList<Report::Shape> out{line(p.centre + QPointF(0, -h), p.centre + QPointF(0, h), c, 2.6)};
        for (int k = -1; k <= 1; ++k) {
            const double y = k * h * 0.55;
            out.append(line(p.centre + QPointF(-h * 0.45, y - 1.2), p.centre + QPointF(h * 0.45, y + 1.2), c, 1.6));
        }
        return out;
    }
    case Symbol::Dot:
        return {ellipse(p.centre, 3.6, 3.6, c, 0.8, c)};
    }
    return {};
}

Report::Shape outline(int fdi)
{
    const Place &p = place(fdi);
    return polygon(roundedBox(Frame{p}, p.width / 2, p.depth / 2), Theme::Colour::ToothEdge, 0.9, Theme::Colour::Paper);
}

QList<Report::Shape> schemeShapes(const QMap<int, ToothState> &states, Dentition dentition)
{
    QList<Report::Shape> out;
    // The midline and the line between the arches, as on the screen's scheme.
    out.append(line(QPointF(139, 24), QPointF(139, 450), Theme::Colour::HintEdge, 0.8));
    out.append(line(QPointF(34, 240), QPointF(244, 240), Theme::Colour::HintEdge, 0.8));
    for (int fdi : teeth(dentition))
        out.append(outline(fdi));
    for (const Mark &mark : plan(states, dentition))
        out += shapes(mark);
    return out;
}

const QString kLegendPlanned = QStringLiteral("In rosso: da fare");
const QString kLegendPresent = QStringLiteral("In blu: presente");

QList<LegendItem> legend()
{
    Place sample;
    sample.centre = QPointF(kLegendSample / 2, kLegendSample / 2);
    sample.mesial = QPointF(1, 0);
    sample.outward = QPointF(0, -1);
    sample.width = 13;
    sample.depth = 13;
    constexpr quint32 ink = Theme::Colour::LegendSample;
    QList<LegendItem> out;
    for (State state : states()) {
        if (state == State::Sano)
            continue;
        ToothState shown{state, false, hasSurfaces(state) ? Surfaces(O | D) : 0};
        LegendItem item;
        item.text = stateCaption(state);
        Report::Shape tooth = polygon(roundedBox(Frame{sample}, 6.5, 6.5), Theme::Colour::ToothEdge, 0.8, Theme::Colour::Paper);
        item.sample.append(tooth);
        for (Symbol symbol : symbols(shown))
            item.sample += shapes(Mark{0, symbol, symbol == Symbol::Faded ? kFadeColour : ink, shown.surfaces}, sample);
        out.append(item);
    }
    return out;
}

ChartDocument::Odontogram printed(const QMap<int, ToothState> &states)
{
    ChartDocument::Odontogram out;
    out.canvas = QSizeF(kSchemeWidth, kSchemeHeight);
    const auto scheme = [&](Dentition dentition) {
        ChartDocument::Odontogram::Scheme s;
        s.shapes = schemeShapes(states, dentition);
        for (int fdi : teeth(dentition))
            s.numbers.append({QString::number(fdi), place(fdi).label});
        return s;
    };
    out.permanent = scheme(Dentition::Permanent);
    out.deciduous = scheme(Dentition::Deciduous);
    for (const LegendItem &item : legend())
        out.legend.append({item.text, item.sample});
    out.sampleSize = kLegendSample;
    out.planned = kLegendPlanned;
    out.present = kLegendPresent;
    for (auto it = states.cbegin(); it != states.cend(); ++it)
        if (isTooth(it.key()) && normalised(*it).state != State::Sano)
            out.states.append(QString::number(it.key()) + QStringLiteral(": ") + describe(*it, it.key()));
    return out;
}

// ---- Dated entries ---------------------------------------------------------------------

TOdontogramRecord record(const Entry &e)
{
    const ToothState state = normalised(e.state);
    TOdontogramRecord r{};
    r.Data.setText(e.when.date().toString(kDateFormat));
    r.Ora.setText(e.when.time().toString(kTimeFormat));
    r.Dente.setText(QString::number(e.fdi));
    r.Stato.setText(stateName(state.state));
    r.Condizione.setText(state.planned ? kDaFare : kPresente);
    r.Superfici.setText(surfaceCode(state.surfaces));
    return r;
}

namespace {

// Digits of a stored field at given places, read straight from its bytes: a file of many
// entries is read without a date parser per record. -1 when any is not a digit.
int digits(QByteArrayView bytes, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char c = bytes.at(i);
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "dd/MM/yyyy"; an invalid date for any other text.
QDate storedDate(QByteArrayView bytes)
{
    if (bytes.size() != 10 || bytes.at(2) != '/' || bytes.at(5) != '/')
        return {};
    const int day = digits(bytes, 0, 2), month = digits(bytes, 3, 2), year = digits(bytes, 6, 4);
    return day < 0 || month < 0 || year < 0 ? QDate() : QDate(year, month, day);
}

// "hh:mm"; an invalid time for any other text.
QTime storedTime(QByteArrayView bytes)
{
    if (bytes.size() != 5 || bytes.at(2) != ':')
        return {};
    const int hour = digits(bytes, 0, 2), minute = digits(bytes, 3, 2);
    return hour < 0 || minute < 0 ? QTime() : QTime(hour, minute);
}

} // namespace

std::optional<Entry> entry(const TOdontogramRecord &r)
{
    // Read from the stored bytes: a file of many entries builds no text per record.
    const QDate date = storedDate(r.Data.trimmedBytes());
    const QTime time = storedTime(r.Ora.trimmedBytes());
    const QByteArrayView tooth = r.Dente.trimmedBytes();
    const int fdi = tooth.isEmpty() ? -1 : digits(tooth, 0, tooth.size());
    std::optional<State> state;
    const QByteArrayView stored = r.Stato.trimmedBytes();
    for (const StateText &t : kStates)
        if (stored == QByteArrayView(t.name))
            state = t.state;
    const QByteArrayView condition = r.Condizione.trimmedBytes();
    const bool planned = condition == QByteArrayView("da fare");
    Surfaces surfaces = 0;
    bool surfacesRead = true;
    for (const char c : r.Superfici.trimmedBytes()) {
        const qsizetype i = QByteArrayView("MDOVL").indexOf(c);
        if (c == ' ')
            continue;
        if (i < 0 || (surfaces & (1u << i)))
            surfacesRead = false;
        else
            surfaces |= 1u << i;
    }
    if (!date.isValid() || !time.isValid() || !isTooth(fdi) || !state
        || (!planned && condition != QByteArrayView("presente")) || !surfacesRead)
        return std::nullopt;
    Entry e;
    e.when = Moment(date, time);
    e.fdi = fdi;
    e.state = normalised(ToothState{*state, planned, surfaces});
    return e;
}

QList<Entry> read(const QString &path)
{
    QList<Entry> out;
    RecordFile file(path, TOdontogramRecord::Size);
    file.open(RecordFile::Read);
    out.reserve(file.count());
    TOdontogramRecord r;
    while (file.next(r))
        if (const std::optional<Entry> e = entry(r))
            out.append(*e);
    file.close();
    return out;
}

qsizetype append(const QString &path, const QList<Entry> &entries)
{
    if (entries.isEmpty())
        return 0;
    qsizetype written = 0;
    try {
        RecordFile file(path, TOdontogramRecord::Size);
        file.open(RecordFile::Write);
        for (const Entry &e : entries) {
            file.append(record(e));
            ++written;
        }
        file.close();
    } catch (const StorageError &) {
    }
    return written;
}

QString path(qint64 position) { return ProgramFolder::file(odontogramFileName(QString::number(position))); }

QMap<int, ToothState> latest(const QList<Entry> &entries)
{
    QMap<int, ToothState> out;
    for (const Entry &e : entries)
        out.insert(e.fdi, e.state);
    return out;
}

QList<Entry> history(const QList<Entry> &entries, int fdi)
{
    QList<Entry> out;
    for (const Entry &e : entries)
        if (e.fdi == fdi)
            out.append(e);
    return out;
}

QString historyLine(const Entry &e)
{
    return e.when.date().toString(kDateFormat) + QLatin1Char(' ') + e.when.time().toString(kTimeFormat)
           + QStringLiteral("   ") + describe(e.state, e.fdi);
}

QList<Entry> withChange(QList<Entry> pending, const QMap<int, ToothState> &saved, const Entry &change)
{
    pending.removeIf([&](const Entry &e) { return e.fdi == change.fdi; });
    const ToothState state = normalised(change.state);
    if (state != normalised(saved.value(change.fdi))) {
        Entry e = change;
        e.state = state;
        pending.append(e);
    }
    return pending;
}

} // namespace Odontogram
