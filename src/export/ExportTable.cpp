#include "export/ExportTable.h"

#include "platform/Memory.h"
#include "storage/AnsiText.h"

#include <algorithm>

namespace {
quint64 typedKey(qsizetype stored, int column) { return (quint64(stored) << 8) | quint64(column); }
} // namespace

void ExportTable::clear()
{
    m_bytes.clear();
    m_ends.clear();
    m_numbers.clear();
    m_order.clear();
    m_typed.clear();
}

void ExportTable::reserve(qsizetype rows, qsizetype bytes)
{
    m_bytes.reserve(bytes);
    m_ends.reserve(size_t(rows) * size_t(m_columns));
    // Tens of megabytes filled at once, in a block fresh from the system every time.
    Memory::preferLargePages(m_bytes.data(), size_t(m_bytes.capacity()));
    Memory::preferLargePages(m_ends.data(), m_ends.capacity() * sizeof(qint64));
    m_numbers.reserve(size_t(rows));
    m_order.reserve(size_t(rows));
}

void ExportTable::appendRow(qint64 number, std::initializer_list<QByteArrayView> cells)
{
    int column = 0;
    for (QByteArrayView c : cells) {
        if (column == m_columns)
            break;
        m_bytes.append(c);
        m_ends.push_back(qint64(m_bytes.size()));
        ++column;
    }
    for (; column < m_columns; ++column)
        m_ends.push_back(qint64(m_bytes.size()));
    m_order.push_back(qsizetype(m_numbers.size()));
    m_numbers.push_back(number);
}

void ExportTable::appendRow(qint64 number, const QStringList &cells)
{
    for (int column = 0; column < m_columns; ++column) {
        m_bytes.append(AnsiText::toAnsi(AnsiText::trimmed(cells.value(column))));
        m_ends.push_back(qint64(m_bytes.size()));
    }
    m_order.push_back(qsizetype(m_numbers.size()));
    m_numbers.push_back(number);
}

QByteArrayView ExportTable::storedCell(qsizetype stored, int column) const
{
    if (!m_typed.isEmpty()) {
        const auto typed = m_typed.constFind(typedKey(stored, column));
        if (typed != m_typed.constEnd())
            return *typed;
    }
    const size_t at = size_t(stored) * size_t(m_columns) + size_t(column);
    const qint64 begin = at == 0 ? 0 : m_ends[at - 1];
    return QByteArrayView(m_bytes.constData() + begin, m_ends[at] - begin);
}

QByteArrayView ExportTable::cell(qsizetype row, int column) const { return storedCell(m_order[size_t(row)], column); }

QString ExportTable::text(qsizetype row, int column) const
{
    const QByteArrayView bytes = cell(row, column);
    return AnsiText::fromAnsi(bytes.data(), int(bytes.size()));
}

void ExportTable::setText(qsizetype row, int column, const QString &text)
{
    m_typed.insert(typedKey(m_order[size_t(row)], column), AnsiText::toAnsi(AnsiText::trimmed(text)));
}

void ExportTable::sortStored(const std::function<bool(qsizetype, qsizetype)> &less)
{
    std::stable_sort(m_order.begin(), m_order.end(), less);
}
