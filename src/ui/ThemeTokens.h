#pragma once

#include <QtGlobal>

// The program's colours and type faces, by what they mean, without windows: the window-free
// layouts and rules above (the printed pages, the odontogram's drawing plan, the appointment
// book's dentist colours) take them from here as the windows do through Theme. Colours are
// 0xAARRGGBB.
namespace Theme {

// ---- Type faces ------------------------------------------------------------------------

inline constexpr char kProgramFace[] = "Verdana";   // every window's text and the printed pages
inline constexpr char kInfoFace[] = "Tahoma";       // information strips and links
inline constexpr char kFixedFace[] = "Courier New"; // columns that line up (lists, codes)
inline constexpr char kHelpTitleFace[] = "Arial";   // the help window's title
inline constexpr char kPrintFace[] = "Arial";       // the printed cards', charts' and book's text

// ---- Colours ---------------------------------------------------------------------------

namespace Colour {

// Text and paper.
constexpr quint32 Ink = 0xFF000000;
constexpr quint32 Paper = 0xFFFFFFFF;
constexpr quint32 Heading = 0xFF1F4E79;     // titles, captions, notes and the keyboard's dotted frame
constexpr quint32 Caption = 0xFF17324D;     // labels and column headings
constexpr quint32 LegendText = 0xFF1F2A36;  // the odontogram legend's words
constexpr quint32 Alert = 0xFFDC143C;       // a line that must not be missed (double-click hints, help titles)
constexpr quint32 Count = 0xFF008B8B;       // counts and "please wait"
constexpr quint32 Total = 0xFFFFD700;       // the register's total caption, on black
constexpr quint32 Dimmed = 0xFF808080;      // text of a field that cannot be typed into
constexpr quint32 DimmedPaper = 0xFFF2F2F2; // its background
constexpr quint32 DisabledEdge = 0xFFB8C4D0;
constexpr quint32 DisabledText = 0xFFA0A8B0;

// The blues of the frames and bands.
constexpr quint32 Band = 0xFF4169E1;       // title bands of the chart, the history and the shared folder
constexpr quint32 Steel = 0xFF4682B4;      // separators, selection, the calendar's bar
constexpr quint32 SteelLight = 0xFF5B9BD5; // a caption button under the pointer
constexpr quint32 HintPaper = 0xFFEEF5FB;  // instruction boxes and scroll bars
constexpr quint32 HintEdge = 0xFFC9DCEC;   // their edges, panels' edges, scheme axes
constexpr quint32 FocusRing = 0xFFF2C14E;  // the keyboard's yellow frame
constexpr quint32 ScrollHover = 0xFF7FA9D3;
constexpr quint32 ScrollHandle = 0xFF9CBFE0;
constexpr quint32 ScrollDisabled = 0xFFB8C7D5;
constexpr quint32 ScrollArrowActive = 0xFF2E5C85;
constexpr quint32 HoverVeil = 0xAAFFFFFF;  // a picture button under the pointer
constexpr quint32 FocusVeil = 0x6EFFFFFF;  // a picture button with the keyboard's focus
constexpr quint32 SplashVeil = 0xC8FFFFFF; // behind the splash window's link
constexpr quint32 BannerFade = 0xFF9CC3E4; // the light end of the appointment windows' title bars

// The card windows: the appointment card's field edges (sky blue, also the patient card's
// position box), its fields shown but not typed into, the patient card's position box, the
// patient card's information strip (violet blue) and its edge; the appointment card's caution
// note (pale orange, brown text) and the green of its "fulfilled" box.
constexpr quint32 FieldEdge = 0xFF87CEEB;
constexpr quint32 ReadOnlyPaper = 0xFFF7FAFD;
constexpr quint32 PositionPaper = 0xFFF0F8FF;
constexpr quint32 PatientInfo = 0xFF3030DD;
constexpr quint32 PatientInfoEdge = 0xFF24249F;
constexpr quint32 CautionPaper = 0xFFFFF6E5;
constexpr quint32 CautionInk = 0xFF8B3A0E;
constexpr quint32 CautionEdge = 0xFFF4C27F;
constexpr quint32 Fulfilled = 0xFF1E6E43;

// The notice that a save waits for a backup: a tooltip's yellow with a grey edge.
constexpr quint32 NoticePaper = 0xFFFFFFE1;
constexpr quint32 NoticeEdge = 0xFF808080;

// The list banners: a white-to-tint gradient with an edge, blue or rose.
constexpr quint32 BannerBlue = 0xFFE4EFFA;
constexpr quint32 BannerBlueEdge = 0xFF9CBFE0;
constexpr quint32 BannerRose = 0xFFFDE8E4;
constexpr quint32 BannerRoseEdge = 0xFFE8A89C;

// Links: at rest, and while held down.
constexpr quint32 Link = 0xFF00008B;
constexpr quint32 LinkHeld = 0xFFFFA500;

// The odontogram: planned work red, what is found blue; the scheme's background, nearly
// opaque, over teeth that are not there; the printed scheme's tooth outlines and axes; the
// legend's samples.
constexpr quint32 Planned = 0xFFD0021B;
constexpr quint32 Present = 0xFF1F5FBF;
// Pathology on the chart (caries, a tooth to extract): what is there and needs care.
constexpr quint32 Pathology = Planned;
constexpr quint32 Faded = 0xD8F7FAFD;
constexpr quint32 ToothEdge = 0xFF8C7B63;
constexpr quint32 LegendSample = 0xFF303030;

// The appointment book: grid lines, the time column, today's column, the free slot with the
// keyboard's focus, the frame of a block past due and not fulfilled and its text, a
// fulfilled block's text, the hours' and quarters' figures.
constexpr quint32 HourLine = 0xFFB8C4D0;
constexpr quint32 QuarterLine = 0xFFE4E9EF;
constexpr quint32 TimeColumn = 0xFFF1F5F9;
constexpr quint32 TodayTint = 0xFFFFFBEA;
constexpr quint32 FreeSlotCurrent = 0xFFFFF6A0;
constexpr quint32 OverdueFrame = 0xFFC62828;
constexpr quint32 OverdueInk = 0xFFA3001B;
constexpr quint32 FulfilledInk = 0xFF5E5E5E;
constexpr quint32 HourFigure = 0xFF1F2D3D;
constexpr quint32 QuarterFigure = 0xFF708090;

// The printed pages.
constexpr quint32 PrintBar = 0xFF708090;   // slate grey: title and footer bars
constexpr quint32 PrintLight = 0xFFB0C4DE; // light steel blue: bands and columns
constexpr quint32 PrintGold = 0xFFFFD700;  // gold: the highlighted figures

} // namespace Colour

// A dentist's colour in the appointment book: the edge strip and the block's light fill.
struct DentistColour
{
    quint32 fill;
    quint32 edge;
};
// The dentists' colours, told apart also by readers with a colour deficiency; a dentist with
// no colour of their own (index out of range) takes grey.
constexpr int kDentistColours = 7;
DentistColour dentistColour(int index);
// A colour taken part of the way to white (0 itself, 1 white), opaque: a muted colour.
quint32 paler(quint32 argb, double towardsWhite);

} // namespace Theme
