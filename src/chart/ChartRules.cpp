#include "chart/ChartRules.h"

#include "storage/AnsiText.h"

#include <array>

namespace ChartRules {

namespace {

// Tooth by tooth: its FDI number, where Enter goes, where its marker sits on the scheme.
const std::array<Tooth, kTeeth> kTable = {{
    {18, 9, {34, 196}},   {17, 1, {38, 160}},   {16, 2, {44, 130}},   {15, 3, {54, 104}},   {14, 4, {62, 79}},
    {13, 5, {76, 58}},    {12, 6, {92, 38}},    {11, 7, {114, 28}},   {21, 10, {147, 28}},  {22, 11, {168, 35}},
    {23, 12, {186, 54}},  {24, 13, {196, 78}},  {25, 14, {204, 102}}, {26, 15, {212, 128}}, {27, 16, {218, 158}},
    {28, 32, {226, 190}}, {38, 18, {226, 270}}, {37, 19, {220, 302}}, {36, 20, {212, 334}}, {35, 21, {206, 365}},
    {34, 22, {194, 386}}, {33, 23, {184, 405}}, {32, 24, {166, 422}}, {31, 8, {145, 426}},  {41, 17, {121, 428}},
    {42, 25, {101, 420}}, {43, 26, {81, 405}},  {44, 27, {73, 386}},  {45, 28, {57, 365}},  {46, 29, {46, 338}},
    {47, 30, {38, 306}},  {48, 31, {36, 272}},
}};

} // namespace

const Tooth &tooth(int number) { return kTable.at(size_t(number - 1)); }

QString suffix(int number) { return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')); }

QString fdiLabel(int number) { return QString::number(tooth(number).fdi) + QLatin1Char('.'); }

Place place(int number)
{
    const int unit = tooth(number).fdi % 10;     // 1 the central incisor, 8 the third molar
    const int quadrant = tooth(number).fdi / 10; // 1 upper right, 2 upper left, 3 lower left, 4 lower right
    const bool upper = quadrant <= 2;
    // The patient's right (quadrants 1 and 4) is the left column.
    const bool left = quadrant == 1 || quadrant == 4;
    return Place{upper, left, upper ? unit : 9 - unit};
}

QList<int> enterOrder()
{
    QList<int> order;
    int number = 8; // tooth 11
    do {
        order.append(number);
        number = tooth(number).next;
    } while (number != 8);
    return order;
}

bool hasNote(const QString &text) { return !AnsiText::isBlank(text); }

QStringList trimmedTeeth(const QStringList &teeth)
{
    QStringList out;
    out.reserve(kTeeth);
    for (int i = 0; i < kTeeth; ++i)
        out.append(AnsiText::trimmed(teeth.value(i)));
    return out;
}

const QString kConditionUnsaved =
    QStringLiteral("Attenzione: salvare la scheda del paziente prima di accedere alla schermata dello stato dentale.");
const QString kConditionNoName = QStringLiteral("Attenzione: compilare il campo relativo al nome del paziente prima "
                                                "di accedere alla schermata dello stato dentale.");
const QString kHistoryUnsaved = QStringLiteral("Attenzione: il riepilogo dei trattamenti dentali può essere "
                                               "visualizzato soltanto dopo aver salvato la scheda del paziente.");
const QString kHistoryNoName = QStringLiteral("Attenzione: per visualizzare il riepilogo dei trattamenti dentali è "
                                              "necessario indicare il nome del paziente.");

} // namespace ChartRules
