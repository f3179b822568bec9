#pragma once

#include "platform/ProgramFolder.h"
#include "storage/RecordFile.h"

#include <QString>

#include <utility>

// What a card operation came to; the card windows turn each into their message (or none).
enum class CardResult {
    Shown,        // a record was read and is now the card, at its position
    Stayed,       // nothing to do (already on the first or the last card)
    EmptyArchive, // the archive holds no card
    Inserted,     // a new card was appended; it now has its position
    Updated,      // the card overwrote its record
    Duplicated,   // the card became a new card (no position) with the same data
    DuplicateNew, // refused: a card not yet in the archive cannot be duplicated
    Failed,       // a file step failed (or the position lies outside the archive)
};

// One card of an archive: a record and its 1-based position in the archive file (0 for a
// card not yet in the file). Browsing, saving and duplicating follow the rules that the card
// windows share; every file is opened and closed within the one call. No widgets: a window
// shows the record and fills it back before saving.
template <class Record> class RecordCard
{
public:
    // The archive's file name in the program folder.
    explicit RecordCard(QString fileName) : m_fileName(std::move(fileName)) {}

    const Record &record() const { return m_record; }
    Record &record() { return m_record; }
    qint64 position() const { return m_position; }
    bool isNew() const { return m_position == 0; }
    // The text of the position label: the number, or nothing for a new card.
    QString positionText() const { return m_position > 0 ? QString::number(m_position) : QString(); }

    // An empty new card.
    void clear()
    {
        m_record = Record{};
        m_position = 0;
    }
    // The given record at the given position (0: as a new card).
    void load(qint64 position, const Record &record)
    {
        m_record = record;
        m_position = position;
    }

    CardResult first()
    {
        return browse([](qint64, qint64) { return qint64(1); });
    }
    CardResult last()
    {
        return browse([](qint64, qint64 count) { return count; });
    }
    // From a new card, the first card.
    CardResult next()
    {
        try {
            RecordFile file = archive();
            file.open(RecordFile::Read);
            const qint64 count = file.count();
            if (count == 0) {
                m_position = 0;
                return CardResult::EmptyArchive;
            }
            if (m_position >= count)
                return CardResult::Stayed;
            return read(file, m_position + 1);
        } catch (const StorageError &) {
            return CardResult::Failed;
        }
    }
    // From a new card, the first card too.
    CardResult previous()
    {
        if (m_position == 1)
            return CardResult::Stayed;
        return browse([](qint64 position, qint64) { return position == 0 ? 1 : position - 1; });
    }
    // Reads the record at a position (a card picked from a list).
    CardResult show(qint64 position)
    {
        try {
            RecordFile file = archive();
            file.open(RecordFile::Read);
            if (position < 1 || position > file.count())
                return CardResult::Failed;
            return read(file, position);
        } catch (const StorageError &) {
            return CardResult::Failed;
        }
    }

    // Appends a new card (which then takes its position) or overwrites the card's record. A
    // position beyond the end of the archive would leave a gap of empty records: refused
    // (just past the end is still the card's own place).
    CardResult save()
    {
        try {
            RecordFile file = archive();
            file.open(RecordFile::Write);
            if (m_position > file.count() + 1)
                return CardResult::Failed;
            if (m_position > 0) {
                file.overwriteAt(m_position, m_record);
                file.close();
                return CardResult::Updated;
            }
            const qint64 appended = file.append(m_record);
            file.close();
            m_position = appended;
            return CardResult::Inserted;
        } catch (const StorageError &) {
            return CardResult::Failed;
        }
    }

    // The card becomes a new card with the same data. With archiveMustOpen the archive is
    // opened (and closed) on the way, and a failure to open it is a failure of the duplicate
    // (after the position has gone).
    CardResult duplicate(bool archiveMustOpen = false)
    {
        if (isNew())
            return CardResult::DuplicateNew;
        m_position = 0;
        if (archiveMustOpen) {
            try {
                RecordFile file = archive();
                file.open(RecordFile::Read);
                file.close();
            } catch (const StorageError &) {
                return CardResult::Failed;
            }
        }
        return CardResult::Duplicated;
    }

private:
    RecordFile archive() const { return RecordFile(ProgramFolder::file(m_fileName), Record::Size); }

    CardResult read(RecordFile &file, qint64 position)
    {
        Record record;
        file.readAt(position, record);
        file.close();
        m_record = record;
        m_position = position;
        return CardResult::Shown;
    }

    // Opens the archive; an empty one is reported, else the record at target(position, count).
    template <class Target> CardResult browse(Target target)
    {
        try {
            RecordFile file = archive();
            file.open(RecordFile::Read);
            const qint64 count = file.count();
            if (count == 0)
                return CardResult::EmptyArchive;
            return read(file, target(m_position, count));
        } catch (const StorageError &) {
            return CardResult::Failed;
        }
    }

    QString m_fileName;
    Record m_record{};
    qint64 m_position = 0;
};
