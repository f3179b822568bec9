#include "ui/ThemeTokens.h"

namespace Theme {

DentistColour dentistColour(int index)
{
    // Strong edges that stay apart from one another and from the grey of no dentist also
    // under protanopia, deuteranopia and tritanopia (the book's tests measure it), their
    // light tints as fills (black text reads on each).
    static constexpr DentistColour kPalette[kDentistColours] = {
        {0xFFCCE3F0, 0xFF0072B2}, // blue
        {0xFFFEE6CE, 0xFFFA810B}, // orange
        {0xFFDFD4DB, 0xFF61284A}, // plum
        {0xFFE7CCCF, 0xFF850110}, // dark red
        {0xFFF3E8E1, 0xFFC18E69}, // tan
        {0xFFD0F1F8, 0xFF13B9DB}, // cyan
        {0xFFE6CDFD, 0xFF8305F6}, // violet
    };
    if (index < 0 || index >= kDentistColours)
        return {0xFFECECEC, 0xFF808080};
    return kPalette[index];
}

quint32 paler(quint32 argb, double towardsWhite)
{
    const auto mix = [&](int shift) {
        const int c = int((argb >> shift) & 0xFF);
        return quint32(c + (255 - c) * towardsWhite + 0.5) << shift;
    };
    return 0xFF000000u | mix(16) | mix(8) | mix(0);
}

} // namespace Theme
