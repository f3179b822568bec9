#pragma once

#include <QList>
#include <QPointF>
#include <QString>

// The teeth of both dentitions and where each lies on the dental scheme: the geometry the
// chart's window, its keyboard and the printed scheme share.
namespace Odontogram {

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
// The frame of the chosen tooth: an ellipse around the tooth, turned with it (angle in
// degrees from the scheme's x axis to the tooth's outward direction), half axes along the
// arch and across it. It stays short of the tooth's FDI number; the focus ring lies inside.
struct Ring
{
    QPointF centre;
    double angle = 0;
    double alongArch = 0;
    double across = 0;
    static constexpr double kPen = 2.5;
    static constexpr double kFocusInset = 3.5;
};
Ring ring(int fdi);
// Where a tooth's note marker sits: a small badge inside the arch, beside the tooth, so that
// it covers neither the tooth's surfaces nor its number (the top-left corner, scheme units).
constexpr double kNoteBadge = 11;
QPointF noteBadge(int fdi);
// The tooth under a point of the scheme, or 0.
int toothAt(const QPointF &point, Dentition dentition);
// The tooth beside one on the scheme: left and right along its arch (0 at the arch's end),
// up and down the tooth of the other arch in the same place.
enum class Step { Left, Right, Up, Down };
int neighbour(int fdi, Step step);

} // namespace Odontogram
