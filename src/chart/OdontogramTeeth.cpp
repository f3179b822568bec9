#include "chart/OdontogramTeeth.h"

#include <QHash>
#include <QtMath>

#include <cmath>

namespace Odontogram {

namespace {

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

} // namespace

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

Ring ring(int fdi)
{
    const Place &at = place(fdi);
    Ring r;
    r.centre = at.centre;
    r.angle = qRadiansToDegrees(std::atan2(at.outward.y(), at.outward.x()));
    r.alongArch = at.width / 2 + 2;
    r.across = at.depth / 2 + 1.5;
    return r;
}

QPointF noteBadge(int fdi)
{
    const Place &at = place(fdi);
    const QPointF centre = at.centre - at.outward * (at.depth / 2 + kNoteBadge / 2 + 2);
    return centre - QPointF(kNoteBadge / 2, kNoteBadge / 2);
}

} // namespace Odontogram
