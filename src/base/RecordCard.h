#pragma once

#include "platform/ProgramFolder.h"
#include "storage/RecordFile.h"

#include <QString>

#include <cstring>
#include <optional>
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
    Held,         // not saved: another program (a backup) held the archive longer than the wait
    // Not saved: since the card was read, another copy of the program saved its record
    // anew. The window asks which one stays: takeOtherVersion() or keepThisVersion().
    ChangedElsewhere,
};

// A RecordCard seen without its record type: what a card window does with any card (the
// record as bytes). The operations are RecordCard's, described there.
class AnyRecordCard
{
public:
    virtual ~AnyRecordCard() = default;

    virtual qint64 position() const = 0;
    bool isNew() const { return position() == 0; }
    // The text of the position label: the number, or nothing for a new card.
    QString positionText() const { return position() > 0 ? QString::number(position()) : QString(); }
    virtual const char *bytes() const = 0;
    virtual char *bytes() = 0;
    virtual int size() const = 0; // of the record, in bytes

    virtual void clear() = 0;
    virtual void takeOtherVersion() = 0;
    virtual void keepThisVersion() = 0;
    virtual CardResult first() = 0;
    virtual CardResult last() = 0;
    virtual CardResult next() = 0;
    virtual CardResult previous() = 0;
    virtual CardResult show(qint64 position) = 0;
    virtual CardResult save() = 0;
    virtual CardResult duplicate(bool archiveMustOpen = false) = 0;
};

// One card of an archive: a record and its 1-based position in the archive file (0 for a
// card not yet in the file). Browsing, saving and duplicating follow the rules that the card
// windows share; every file is opened and closed within the one call. No widgets: a window
// shows the record and fills it back before saving.
template <class Record> class RecordCard : public AnyRecordCard
{
public:
    // The archive's file name in the program folder.
    explicit RecordCard(QString fileName) : m_fileName(std::move(fileName)) {}

    const Record &record() const { return m_record; }
    Record &record() { return m_record; }
    qint64 position() const override { return m_position; }
    const char *bytes() const override { return recordBytes(m_record); }
    char *bytes() override { return recordBytes(m_record); }
    int size() const override { return int(sizeof(Record)); }

    // An empty new card.
    void clear() override
    {
        m_record = Record{};
        m_position = 0;
        m_read.reset();
        m_other.reset();
    }
    // The given record at the given position (0: as a new card). At another position the
    // record in the archive is not known, and a save overwrites it without a look; at the
    // card's own position the one read stays known.
    void load(qint64 position, const Record &record)
    {
        if (position != m_position) {
            m_read.reset();
            m_other.reset();
        }
        m_record = record;
        m_position = position;
    }
    // A card just read from the archive at its position (a list's choice): a save first looks
    // whether another copy has changed it since.
    void loadRead(qint64 position, const Record &record)
    {
        load(position, record);
        if (position > 0)
            m_read = record;
    }

    // After ChangedElsewhere: the card becomes the other copy's record...
    void takeOtherVersion() override
    {
        if (!m_other)
            return;
        m_record = *m_other;
        m_read = std::exchange(m_other, std::nullopt);
    }
    // ...or the next save overwrites it (unless it changes once more meanwhile).
    void keepThisVersion() override
    {
        if (m_other)
            m_read = std::exchange(m_other, std::nullopt);
    }

    CardResult first() override
    {
        return browse([](qint64, qint64) { return qint64(1); });
    }
    CardResult last() override
    {
        return browse([](qint64, qint64 count) { return count; });
    }
    // From a new card, the first card.
    CardResult next() override
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
    CardResult previous() override
    {
        if (m_position == 1)
            return CardResult::Stayed;
        return browse([](qint64 position, qint64) { return position == 0 ? 1 : position - 1; });
    }
    // Reads the record at a position (a card picked from a list).
    CardResult show(qint64 position) override
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
    // (just past the end is still the card's own place). Before an overwrite, under the
    // archive's lock, the record in the archive is compared with the one the card was read
    // from: when another copy of the program has saved it anew since, nothing is written and
    // the answer is ChangedElsewhere. Held when the archive stayed locked by another program.
    CardResult save() override
    {
        try {
            RecordFile file = archive();
            file.open(RecordFile::Write);
            const qint64 count = file.count();
            if (m_position > count + 1)
                return CardResult::Failed;
            if (m_position > 0) {
                if (m_read && m_position <= count) {
                    Record stored;
                    file.readAt(m_position, stored);
                    if (std::memcmp(recordBytes(stored), recordBytes(*m_read), sizeof(Record)) != 0) {
                        file.close();
                        m_other = stored;
                        return CardResult::ChangedElsewhere;
                    }
                }
                file.overwriteAt(m_position, m_record);
                file.close();
                m_read = m_record;
                m_other.reset();
                return CardResult::Updated;
            }
            const qint64 appended = file.append(m_record);
            file.close();
            m_position = appended;
            m_read = m_record;
            m_other.reset();
            return CardResult::Inserted;
        } catch (const StorageError &e) {
            return e.held() ? CardResult::Held : CardResult::Failed;
        }
    }

    // The card becomes a new card with the same data. With archiveMustOpen the archive is
    // opened (and closed) on the way, and a failure to open it is a failure of the duplicate
    // (after the position has gone).
    CardResult duplicate(bool archiveMustOpen = false) override
    {
        if (isNew())
            return CardResult::DuplicateNew;
        m_position = 0;
        m_read.reset();
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
        m_read = record;
        m_other.reset();
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
    // The record as the archive held it when the card was read or last saved (none when not
    // known), and the other copy's record after ChangedElsewhere.
    std::optional<Record> m_read;
    std::optional<Record> m_other;
};
