#pragma once

#include "ui/ThemeTokens.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>
#include <vector>

struct TAppointmentRecord;
namespace BookDocument {
struct Book;
}

// The rules of the appointment book (a day or a week of appointments drawn on a grid of
// time rows), kept apart from its window: which cards a day holds, where each block goes,
// how far it stretches, which hours are shown, which days a week shows and the colour of
// each dentist. The window, the printed page and the tests all use them.
namespace AppointmentBook {

// One row of the grid a quarter of an hour; a block stretches to the next appointment,
// one hour at most.
constexpr int kRowMinutes = 15;
constexpr int kLongestStretchRows = 60 / kRowMinutes;

// The hours of the grid, in minutes from midnight: from the first row's start to the end of
// the last row (on whole hours).
struct Hours
{
    int first = 8 * 60;
    int last = 20 * 60;
    bool operator==(const Hours &) const = default;
};
// The practice's hours unless the window sets others: 08:00 to 20:00.
constexpr Hours kDefaultHours{8 * 60, 20 * 60};

// The fulfilled flag as the lists read it: "Sì" fulfilled, "No" to fulfil, anything else
// neither.
enum class Flag { Fulfilled, Open, Other };
// How a block is drawn and read: fulfilled (muted), to fulfil, past due and not fulfilled
// (marked: its date is before today, as for the past-due list), or a flag that is neither.
enum class State { Fulfilled, Open, Overdue, Other };

// One appointment of the book, read from its card.
struct Entry
{
    qint64 position = 0; // the card's record position
    QDate date;
    int minute = 0;     // from midnight
    QString contact;    // Contatto
    QString treatments; // Causale
    QString dentist;    // Tipologia
    Flag flag = Flag::Other;
};

// The card's time in minutes from midnight, from its hours and minutes ("9" or "09", 0 to
// 23; 0 to 59); nothing when they do not convert.
std::optional<int> minuteOf(const TAppointmentRecord &record);
// The entry of a card; nothing for a damaged card (a date or a time that does not
// convert), which the book leaves out as the lists do.
std::optional<Entry> entryOf(const TAppointmentRecord &record, qint64 position);
// The same, but a card whose date converts and whose time does not is read too, with the
// minute -1: the book lists such cards apart instead of hiding them.
std::optional<Entry> readEntry(const TAppointmentRecord &record, qint64 position);
// The book's notice for cards of the days shown that have no valid time: "1 appuntamento
// senza un orario valido", "2 appuntamenti senza un orario valido"; empty for none.
QString untimedNotice(qsizetype count);
State stateOf(const Entry &entry, const QDate &today);
// "assolto", "da assolvere", "scaduto e non assolto"; empty for a flag that is neither.
QString stateText(State state);
// The time as the book shows it: "10:30".
QString timeText(int minute);
// The name a screen reader reads for a block: "10:30, Rossi Mario, Otturazione, Dott.
// Bianchi, da assolvere" (empty parts left out).
QString blockName(const Entry &entry, State state);

// Rows: row 0 starts at hours.first.
int rowCount(const Hours &hours);
int rowOf(int minute, const Hours &hours);
int minuteOfRow(int row, const Hours &hours);

// The hours shown: the hours set, widened to whole hours so that every given time has its
// row. Hours set upside down are taken as the default.
Hours shownHours(const Hours &set, const std::vector<int> &minutes);

// Where a block goes in its day's column: its first row, how many rows it takes, and its
// column among the blocks that share its first row (`columns` of them stand side by side).
struct Place
{
    int row = 0;
    int rows = 1;
    int column = 0;
    int columns = 1;
    bool operator==(const Place &) const = default;
};
// The places of one day's blocks, given their times in order (earliest first). Blocks whose
// times fall in one row stand side by side; a block takes its row and stretches down to
// the next row that holds a block, one hour at most and never past the last row.
std::vector<Place> place(const std::vector<int> &minutes, const Hours &hours);

// The Monday of the week holding a day.
QDate mondayOf(const QDate &day);
// The days a week shows: Monday to Saturday, and Sunday too when it holds an appointment.
QList<QDate> weekDays(const QDate &anyDay, bool sundayHasAppointments);

// The dentist's text normalised, so that "Dott. Bianchi", "dott bianchi" and " DOTT.
// BIANCHI " are one dentist: letters and digits only, accents and case folded.
QString dentistKey(const QString &dentist);
// A colour of the palette for each dentist (by the normalised text, the same in every run
// and every view); -1 for no dentist.
int colourIndex(const QString &dentist);
// The palette: light fills that black text reads well on, each with a darker edge; distinct
// also for the usual kinds of colour blindness (after the Okabe and Ito palette).
// The colours are the theme's.
using Colour = Theme::DentistColour;
constexpr int kPaletteSize = Theme::kDentistColours;
inline Colour paletteColour(int index) { return Theme::dentistColour(index); } // -1: the grey of no dentist

// How a block is drawn: its fill, the edge (the strip of its dentist's colour) and its
// text's colour. A fulfilled block is muted (paler, grey text); a past-due one not fulfilled
// is marked (dark red text, and on screen a red frame).
struct Look
{
    quint32 fill;
    quint32 edge;
    quint32 ink;
};
constexpr quint32 kOverdueInk = Theme::Colour::OverdueInk;
Look lookOf(const Entry &entry, State state);
Look lookOf(int colourIndex, State state); // the same with the dentist's colour known
// A block's lines, top to bottom: the time and the patient, the treatments, the dentist,
// and the state when the block is fulfilled or past due.
QStringList blockLines(const Entry &entry, State state);

// A day's column: its date, its entries in order and their places.
struct Day
{
    QDate date;
    std::vector<Entry> entries;
    std::vector<Place> places;
};
// The book for some days: the hours shown and each day's blocks.
class DentistColours;
struct Layout
{
    Hours hours;
    QList<Day> days;
    QHash<QString, int> colours; // each dentist's text as written and its colour
    // The colour of a dentist's text of the layout (-1 for no dentist).
    int colourOf(const QString &dentist) const;
};
// Lays out the given days from entries ordered as entriesBetween orders them (entries of
// other days are passed over). The dentists' colours come from the practice's colours when
// given (a dentist met for the first time takes one there), from colourIndex otherwise.
Layout layout(const QList<QDate> &days, const std::vector<Entry> &entries, const Hours &set,
              DentistColours *colours = nullptr);

// The dentists of a layout for its legend: each once (by its normalised text), as first
// written, in the order the blocks first show them; no dentist last, as "".
QStringList dentists(const Layout &layout);

// The book as printed: "Calendario appuntamenti - " and the period as its title, the legend,
// the days' headings, the blocks as the window shows them and the printing date at the foot.
BookDocument::Book printedBook(const Layout &layout, const QDate &today, const QDate &printedOn);

// "giovedì 10/12/2026"; a week "dal lunedì 07/12/2026 al sabato 12/12/2026".
QString dayTitle(const QDate &day);
QString periodTitle(const QList<QDate> &days);

} // namespace AppointmentBook
