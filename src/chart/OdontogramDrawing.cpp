#include "chart/OdontogramDrawing.h"

#include <QtMath>

#include <cmath>

namespace Odontogram {

namespace {

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

// ---- The drawing plan ------------------------------------------------------------------

quint32 colour(const ToothState &state)
{
    if (isPathology(state.state))
        return kPathologyColour;
    return state.planned ? kPlannedColour : kPresentColour;
}

QList<PlannedWork> planList(const QMap<int, ToothState> &states)
{
    QList<PlannedWork> out;
    for (auto it = states.cbegin(); it != states.cend(); ++it) { // a map: in FDI order
        const ToothState state = normalised(*it);
        if (state.planned && isTooth(it.key()))
            out.append(PlannedWork{it.key(), state.state, state.surfaces});
    }
    return out;
}

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
        ToothState shown{state, false, hasSurfaces(state) ? Surfaces(O | D) : Surfaces()};
        LegendItem item;
        item.text = stateCaption(state);
        Report::Shape tooth =
            polygon(roundedBox(Frame{sample}, 6.5, 6.5), Theme::Colour::ToothEdge, 0.8, Theme::Colour::Paper);
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

} // namespace Odontogram
