#pragma once

#include "print/Report.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The printed appointment book: one A4 page, a day in portrait or a week in landscape, as
// the book's window shows it. The slate-grey title with the book's name and the date range,
// the legend of the dentists' colours, a heading per day, the hours down the left with a
// framed box per hour and day, each appointment a filled block (a strip of its dentist's
// colour on its left) at its rows and column, and the foot with the printing date. The
// rows shrink so that the whole day fits the page; the lines a block has no room for are
// joined onto its last line, shortened with an ellipsis only at its end.
namespace BookDocument {

// One block, placed on the grid (as AppointmentBook places it): the day's column, its first
// row and how many rows it takes, its column among those side by side.
struct Block
{
    int day = 0;
    int row = 0;
    int rows = 1;
    int column = 0;
    int columns = 1;
    QStringList lines; // the time and the patient, the treatments, the dentist, a state
    quint32 fill = Report::Colour::White;
    quint32 strip = Report::Colour::SlateGrey;
    quint32 ink = Report::Colour::Black;
};

struct Book
{
    bool landscape = false; // a week
    QString title;          // "Calendario appuntamenti - giovedì 10/12/2026"
    QStringList days;       // each column's heading
    int firstMinute = 8 * 60;
    int rows = 48; // quarter hours
    QList<Block> blocks;
    QList<std::pair<QString, quint32>> legend; // each dentist and the colour of the strip
    QString footer;                            // "Stampa eseguita in data 10/12/2026"
};

// The parts' geometry in millimetres, for the tests and the layout alike.
constexpr double kTimeColumn = 12;  // the hours' column on the left
constexpr double kGridTop = 24;     // under the title, the legend and the headings
constexpr double kFootHeight = 7;   // the foot bar and the room above it
constexpr double kStripWidth = 1.2; // the dentist's colour on a block's left

Report::Document make(const Book &book);

} // namespace BookDocument
