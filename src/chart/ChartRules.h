#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

// The rules of the dental chart that need no window. Teeth are numbered 1 to 32 in the
// universal order (1 the upper right third molar, 16 the upper left third molar, 17 the
// lower left third molar, 32 the lower right third molar); on screen each is labelled with
// its FDI number.
namespace ChartRules {

constexpr int kTeeth = 32;

struct Tooth
{
    int fdi;     // 18, 17, ... 11, 21, ... 28, 38, ... 31, 41, ... 48
    int next;    // the tooth whose field Enter moves to
    QPoint mark; // the tooth on the 278 x 472 scheme: its centre less 8.5 each way (the marker's old place)
};

// Tooth 1 to 32.
const Tooth &tooth(int number);

// "01" to "32": the suffix of the tooth's controls (txtDente01, icoWarn01, ...).
QString suffix(int number);
// "18." and so on: the label in front of the tooth's field.
QString fdiLabel(int number);

// Where the tooth's field sits: upper or lower half, left or right column, row 1 to 8 from
// the top of its half. In the upper half the incisors are at the top; in the lower half
// the molars are next to the middle.
struct Place
{
    bool upper;
    bool left;
    int row;
};
Place place(int number);

// The Enter cycle from tooth 11: down the left upper column, down the right upper column,
// down the left lower column, down the right lower column.
QList<int> enterOrder();

// A tooth has a note, and so shows its marker, when its text trimmed is not empty.
bool hasNote(const QString &text);

// The 32 texts trimmed; missing ones empty, extra ones dropped.
QStringList trimmedTeeth(const QStringList &teeth);

// The patient card's checks before opening the chart and the treatments.
extern const QString kConditionUnsaved;
extern const QString kConditionNoName;
extern const QString kHistoryUnsaved;
extern const QString kHistoryNoName;

} // namespace ChartRules
