#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The lines of a list as a window sees them: how many there are, and each line's text when
// it is asked for (shown, searched, printed, exported). A list of a hundred thousand cards
// keeps per line only what it needs to find its record again; the texts are built from the
// records a block at a time, when a view needs them.
class LineSource
{
public:
    virtual ~LineSource() = default;
    virtual int count() const = 0;
    // The text of a line; empty when the row is out of range or its record can no longer be
    // read.
    virtual QString line(int row) const = 0;
    // The record position the line stands for (1 on); 0 when it stands for none.
    virtual qint64 position(int /*row*/) const { return 0; }
    // Every line, in order. Throws StorageError when a record can no longer be read: a
    // printed list must not quietly miss lines.
    virtual QStringList all() const;
};

using SharedLines = std::shared_ptr<const LineSource>;

// Lines held as texts, for the short lists that read a small file whole.
class TextLines : public LineSource
{
public:
    TextLines() = default;
    explicit TextLines(QStringList texts, QList<qint64> positions = {});
    int count() const override { return int(m_texts.size()); }
    QString line(int row) const override { return m_texts.value(row); }
    qint64 position(int row) const override { return m_positions.value(row); }
    QStringList all() const override { return m_texts; }

private:
    QStringList m_texts;
    QList<qint64> m_positions;
};

// Lines of the records of one record file, kept as record positions only. A line's text is
// built by `build` from its record's bytes when asked, and the texts of the block of rows
// around it are kept until a row outside the block is asked for, so that a view painting
// its rows, or a search going down the list, opens the file once per block.
class RecordLines : public LineSource
{
public:
    using Build = QString (*)(const char *record);
    RecordLines(QString path, int recordSize, Build build, std::vector<qint64> positions);

    int count() const override { return int(m_positions.size()); }
    QString line(int row) const override;
    qint64 position(int row) const override;
    QStringList all() const override;

    const std::vector<qint64> &positions() const { return m_positions; }

    // Lines are built a block at a time with one opening of the archive: about two screens
    // of a list, so that the first paint reads no more than it shows.
    static constexpr int kBlock = 64;

private:
    // Reads rows [first, first + n) into out; throws StorageError.
    void read(int first, int n, QStringList &out) const;

    QString m_path;
    int m_recordSize;
    Build m_build;
    std::vector<qint64> m_positions;
    mutable int m_blockFirst = -1;
    mutable QStringList m_block;
};
