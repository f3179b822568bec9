#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The rows of an export window's grid: for each row its number ("N.") and its cells, kept as
// the Windows-1252 bytes of the record fields they come from. A grid of a hundred thousand
// cards thus costs one buffer, not a string per cell; the grid decodes only the cells it
// shows, and the spreadsheet writer copies the bytes as they are. Texts typed into the grid
// are kept beside the rows and win over the cells they replace.
class ExportTable
{
public:
    explicit ExportTable(int columns = 0) : m_columns(columns) {}

    int columnCount() const { return m_columns; }
    qsizetype rowCount() const { return qsizetype(m_order.size()); }
    void clear();
    // Room for so many rows and cell bytes, taken at once (pages never written cost nothing):
    // a grid of a hundred thousand cards then never moves its bytes while it fills.
    void reserve(qsizetype rows, qsizetype bytes);

    // Appends a row at the bottom; cells beyond the given ones are empty.
    void appendRow(qint64 number, std::initializer_list<QByteArrayView> cells);
    void appendRow(qint64 number, const QStringList &cells);

    // Rows are addressed top to bottom as the grid shows them.
    qint64 number(qsizetype row) const { return m_numbers[size_t(m_order[size_t(row)])]; }
    QByteArrayView cell(qsizetype row, int column) const;
    QString text(qsizetype row, int column) const;
    // A text typed into the grid: trimmed, it replaces the cell in the grid and in the export.
    void setText(qsizetype row, int column, const QString &text);

    // Reorders the rows, stably, by a comparison of the rows' positions as they were added.
    void sortStored(const std::function<bool(qsizetype a, qsizetype b)> &less);
    // The bytes of a cell of the row added as the given one (for comparisons while sorting).
    QByteArrayView storedCell(qsizetype stored, int column) const;

private:
    int m_columns;
    QByteArray m_bytes;                 // every cell of every row, one after the other
    std::vector<qint64> m_ends;         // end of each cell in m_bytes, row by row (past 4 GiB too)
    std::vector<qint64> m_numbers;      // "N." of each stored row
    std::vector<qsizetype> m_order;     // the stored row shown at each grid row
    QHash<quint64, QByteArray> m_typed; // (stored row, column) -> typed text
};
