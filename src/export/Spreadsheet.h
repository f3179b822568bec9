#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

class ExportTable;
class QIODevice;

// The spreadsheet file every export writes: an HTML table with the office namespaces, one
// single line in Windows-1252 without a byte-order mark, which spreadsheet programs open as
// a worksheet whose cells are all text (so telephone numbers keep their leading zeros).
namespace Spreadsheet {

struct Column
{
    QString title;
    int width; // written unquoted in the header cell
};

// "&", "<" and ">" written as "&amp;", "&lt;" and "&gt;": the spreadsheet then shows the
// text of the card exactly, where a bare "<" would start a tag and swallow what follows.
void appendEscaped(QByteArray &out, QByteArrayView text);

// The whole file for a worksheet name, header columns and the rows of a grid.
QByteArray document(const QString &sheetName, const QList<Column> &columns, const ExportTable &rows);

// Writes the file to a device in blocks; false when a write fails.
bool write(QIODevice &out, const QString &sheetName, const QList<Column> &columns, const ExportTable &rows);

// Writes the file beside the path and puts it in its place only once it is complete, so a
// failure leaves the previous file whole. False when any step fails.
bool writeFile(const QString &path, const QString &sheetName, const QList<Column> &columns, const ExportTable &rows);

} // namespace Spreadsheet
