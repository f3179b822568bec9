#include "base/LineSource.h"

#include "storage/RecordFile.h"

QStringList LineSource::all() const
{
    QStringList lines;
    const int n = count();
    lines.reserve(n);
    for (int row = 0; row < n; ++row)
        lines.append(line(row));
    return lines;
}

TextLines::TextLines(QStringList texts, QList<qint64> positions)
    : m_texts(std::move(texts)), m_positions(std::move(positions))
{
    Q_ASSERT(m_positions.isEmpty() || m_positions.size() == m_texts.size());
}

RecordLines::RecordLines(QString path, int recordSize, Build build, std::vector<qint64> positions)
    : m_path(std::move(path)), m_recordSize(recordSize), m_build(build), m_positions(std::move(positions))
{}

qint64 RecordLines::position(int row) const { return row >= 0 && row < count() ? m_positions[size_t(row)] : 0; }

QString RecordLines::line(int row) const
{
    if (row < 0 || row >= count())
        return {};
    const int first = row - row % kBlock;
    if (first != m_blockFirst) {
        QStringList block;
        try {
            read(first, qMin(kBlock, count() - first), block);
        } catch (const StorageError &) {
            // A view cannot report a failure from painting: the rows show empty, and the
            // next paint tries the file again.
            m_blockFirst = -1;
            m_block.clear();
            return {};
        }
        m_block = std::move(block);
        m_blockFirst = first;
    }
    return m_block.value(row - first);
}

QStringList RecordLines::all() const
{
    QStringList lines;
    read(0, count(), lines);
    return lines;
}

void RecordLines::read(int first, int n, QStringList &out) const
{
    out.reserve(out.size() + n);
    if (n <= 0)
        return;
    RecordFile file(m_path, m_recordSize);
    file.open(RecordFile::Read);
    QByteArray record(m_recordSize, Qt::Uninitialized);
    // Lines in file order a few records apart (a list that keeps file order) are read going
    // forward through the file's read-ahead, a large block at a time; others one by one.
    constexpr qint64 kNear = 16;
    qint64 at = 0;
    for (int row = first; row < first + n; ++row) {
        const qint64 wanted = m_positions[size_t(row)];
        if (at > 0 && wanted > at && wanted - at <= kNear) {
            while (at < wanted && file.next(record.data()))
                at = file.position();
        }
        if (at != wanted) {
            file.readAt(wanted, record.data());
            at = wanted;
        }
        out.append(m_build(record.constData()));
    }
    file.close();
}
