#pragma once

#include "export/Spreadsheet.h"

#include <QDate>
#include <QList>
#include <QString>

class ExportTable;

// The five export windows are one design; what sets them apart is told here: names, grid
// columns, which cards they show and in which order. Window-free, so that the selections and
// orders are tested without a screen.
namespace Exports {

enum class Member { Clients, Scadenzario, Imminenti, Giornaliere, Mensili };

struct GridColumn
{
    const char *name; // the grid column's name (colNum, colTenant, ...)
    QString header;   // in the grid, and the title written to the file
    int screenWidth;  // on screen, in pixels
    int fileWidth;    // written to the file
    bool editable;    // a text may be typed over it before exporting
};

struct Description
{
    Member member;
    const char *objectName;
    QString caption;
    QString fileName;
    QString sheetName;
    QString initialInfo;
    // The grid's columns, "N." first; every column after it is exported.
    QList<GridColumn> columns;

    QList<Spreadsheet::Column> fileColumns() const;
    int exportedColumns() const { return int(columns.size()) - 1; }
};

const Description &description(Member member);

// Fills the rows of a member's grid from its archive (created empty when missing), in the
// member's order: the archives in file order with "N." the record position; the imminent
// cards in the agenda's order; the cards of the picked day, or of its month, by date and
// time. Rows with equal keys keep the order of the file. Throws StorageError when the
// archive cannot be read, with the rows read until then in the table, in order (the
// imminent cards, whose order is known only once all are read: none).
void fill(Member member, const QDate &picked, const QDate &today, ExportTable &rows);

} // namespace Exports
