#include "ui/ThemeTokens.h"

namespace Theme {

DentistColour dentistColour(int index)
{
    // Okabe and Ito's colours as edges, their light tints as fills (black text on each reads
    // at a contrast above 12:1).
    static constexpr DentistColour kPalette[kDentistColours] = {
        {0xFFCCE3F0, 0xFF0072B2}, // blue
        {0xFFFBE7C2, 0xFFE69F00}, // orange
        {0xFFC8ECE0, 0xFF009E73}, // bluish green
        {0xFFF6D9C7, 0xFFD55E00}, // vermilion
        {0xFFD9EEFA, 0xFF56B4E9}, // sky blue
        {0xFFF3DDE9, 0xFFCC79A7}, // reddish purple
        {0xFFF8F3BF, 0xFFB8A800}, // yellow
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
