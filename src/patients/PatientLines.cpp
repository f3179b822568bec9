#include "patients/PatientLines.h"

#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"

#include <QByteArrayView>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cstring>
#include <cstddef>
#include <optional>
#include <vector>

namespace PatientLines {

namespace {

// The columns the two lines share.
void appendCommon(QString &out, const TPatientRecord &r)
{
    r.Name.appendTo(out, 30);
    out.append(QLatin1String("  Cel. "));
    r.MobilePhone.appendTo(out, 20);
    out.append(QLatin1String("  Dentista: "));
    r.Dentist.appendTo(out, 28);
}

} // namespace

QString line(const TPatientRecord &r)
{
    QString out;
    out.reserve(120);
    appendCommon(out, r);
    out.append(QLatin1String("  Note: "));
    r.Notes.appendTo(out);
    return out;
}

QString issueLine(const TPatientRecord &r)
{
    QString out;
    out.reserve(120);
    appendCommon(out, r);
    out.append(QLatin1String("  "));
    r.Issues.appendTo(out);
    return out;
}

bool hasIssue(const TPatientRecord &r) { return !r.Issues.trimmedBytes().isEmpty(); }

namespace {

struct Filter
{
    QString Criteria::*criterion;
    int offset;
    int capacity;
};

#define PATIENT_FILTER(Field)                                                                                          \
    Filter { &Criteria::txt##Field, int(offsetof(TPatientRecord, Field)), decltype(TPatientRecord::Field)::capacity }

const Filter kFilters[] = {
    PATIENT_FILTER(Name),   PATIENT_FILTER(TaxNumber), PATIENT_FILTER(Street),  PATIENT_FILTER(City),
    PATIENT_FILTER(SSN),    PATIENT_FILTER(Problems),  PATIENT_FILTER(Dentist), PATIENT_FILTER(Times),
    PATIENT_FILTER(Status), PATIENT_FILTER(Notes),
};

#undef PATIENT_FILTER

char foldByte(char c) { return c >= 'A' && c <= 'Z' ? char(c + 32) : c; }

// The active filters, each folded once into the code page of the records, so that a record is
// tested on its own bytes without building a string per field.
class Matcher
{
public:
    explicit Matcher(const Criteria &criteria)
    {
        for (const Filter &f : kFilters) {
            const QString &typed = criteria.*f.criterion;
            if (AnsiText::isBlank(typed))
                continue;
            QByteArray bytes = AnsiText::toAnsi(typed);
            // A character the code page cannot hold is in no record: nothing can match.
            if (AnsiText::fromAnsi(bytes) != typed)
                m_impossible = true;
            for (char &c : bytes)
                c = foldByte(c);
            m_wanted.push_back({std::move(bytes), f.offset, f.capacity});
        }
    }

    bool operator()(const char *record) const
    {
        if (m_impossible)
            return false;
        char folded[256];
        for (const Wanted &w : m_wanted) {
            const char *field = record + w.offset;
            const int length = qMin(int(static_cast<unsigned char>(field[0])), w.capacity);
            for (int i = 0; i < length; ++i)
                folded[i] = foldByte(field[1 + i]);
            if (!QByteArrayView(folded, length).contains(w.bytes))
                return false;
        }
        return true;
    }

private:
    struct Wanted
    {
        QByteArray bytes;
        int offset;
        int capacity;
    };
    std::vector<Wanted> m_wanted;
    bool m_impossible = false;
};

RecordFile patientArchive() { return RecordFile(ProgramFolder::file(kPatientArchive), TPatientRecord::Size); }

template <class Visit> void eachRecord(Visit visit)
{
    RecordFile file = patientArchive();
    file.open(RecordFile::Read);
    file.scan([&](const char *bytes, qint64 position) {
        visit(bytes, position);
        return true;
    });
    file.close();
}

// The order key of one character: its code, with a to z as A to Z.
inline char16_t orderOf(QChar c)
{
    const char16_t u = c.unicode();
    return u >= 'a' && u <= 'z' ? char16_t(u - 32) : u;
}

} // namespace

int activeCount(const Criteria &criteria)
{
    int n = 0;
    for (const Filter &f : kFilters)
        if (!AnsiText::isBlank(criteria.*f.criterion))
            ++n;
    return n;
}

bool matches(const Criteria &criteria, const TPatientRecord &record) { return Matcher(criteria)(recordBytes(record)); }

bool lineLess(const QString &a, const QString &b)
{
    const qsizetype n = qMin(a.size(), b.size());
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = orderOf(pa[i]);
        const char16_t y = orderOf(pb[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

namespace {

// The first characters of a line, folded, one byte each, kept beside the line's index so that
// sorting compares bytes in place instead of chasing every line through memory. A line whose
// first characters hold a code above 254 (a few Windows-1252 signs) is compared whole.
struct SortEntry
{
    static constexpr int kKey = 64;
    std::array<unsigned char, kKey> key;
    qsizetype index;
    bool whole;
};

SortEntry sortEntry(const QString &line, qsizetype index)
{
    SortEntry e{{}, index, false};
    const qsizetype n = qMin<qsizetype>(line.size(), SortEntry::kKey);
    const QChar *p = line.constData();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = orderOf(p[i]);
        if (u > 254)
            e.whole = true;
        e.key[size_t(i)] = static_cast<unsigned char>(u > 254 ? 255 : u);
    }
    return e;
}

} // namespace

void sort(Listing &listing)
{
    std::vector<SortEntry> entries;
    entries.reserve(size_t(listing.lines.size()));
    for (qsizetype i = 0; i < listing.lines.size(); ++i)
        entries.push_back(sortEntry(listing.lines.at(i), i));
    const QStringList &lines = listing.lines;
    std::stable_sort(entries.begin(), entries.end(), [&lines](const SortEntry &a, const SortEntry &b) {
        if (!a.whole && !b.whole) {
            const int byKey = std::memcmp(a.key.data(), b.key.data(), SortEntry::kKey);
            if (byKey != 0)
                return byKey < 0;
        }
        return lineLess(lines.at(a.index), lines.at(b.index));
    });
    Listing sorted;
    sorted.lines.reserve(listing.lines.size());
    sorted.positions.reserve(listing.positions.size());
    for (const SortEntry &e : entries) {
        sorted.lines.append(std::move(listing.lines[e.index]));
        sorted.positions.append(listing.positions.at(e.index));
    }
    listing = std::move(sorted);
}

void foundLines(const Criteria &criteria, Listing &out)
{
    const Matcher wanted(criteria);
    eachRecord([&](const char *bytes, qint64 position) {
        if (wanted(bytes)) {
            out.lines.append(line(*reinterpret_cast<const TPatientRecord *>(bytes)));
            out.positions.append(position);
        }
    });
}

void issueLines(Listing &out)
{
    eachRecord([&](const char *bytes, qint64 position) {
        const auto &record = *reinterpret_cast<const TPatientRecord *>(bytes);
        if (hasIssue(record)) {
            out.lines.append(issueLine(record));
            out.positions.append(position);
        }
    });
}

namespace {

// One listed card while the list is sorted: its record position and the first characters of
// its line, one byte each, as ranks in the lists' order. Whole columns lie at fixed places
// in both lines (name 30, mobile 20, dentist 28 characters, with the same words between
// them), so the ranks of the name, the mobile number and the dentist's first characters
// order the lines as the lines themselves do, up to the end of the key; only cards whose
// keys are equal have their lines built to be compared.
struct KeyedCard
{
    static constexpr int kKey = 56;
    std::array<unsigned char, kKey> key;
    qint64 position;
};
static_assert(sizeof(KeyedCard) == 64);

// The rank of each byte of the code page: equal ranks for characters of equal order (a to z
// as A to Z), rising with the order of the characters the bytes stand for. Fewer than 256
// distinct orders, so a rank fits in a byte.
std::array<unsigned char, 256> byteRanks()
{
    std::array<char16_t, 256> order{};
    for (int b = 0; b < 256; ++b) {
        const char c = char(b);
        order[size_t(b)] = orderOf(AnsiText::fromAnsi(&c, 1).at(0));
    }
    std::array<char16_t, 256> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    const auto end = std::unique(sorted.begin(), sorted.end());
    std::array<unsigned char, 256> rank{};
    for (int b = 0; b < 256; ++b)
        rank[size_t(b)] =
            static_cast<unsigned char>(std::lower_bound(sorted.begin(), end, order[size_t(b)]) - sorted.begin());
    return rank;
}

const std::array<unsigned char, 256> kRank = byteRanks();

// A column of a line into the key: the field trimmed of codes 32 and below, cut or padded
// with blanks to the column's width, as the line shows it. Returns the bytes written.
int putColumn(unsigned char *out, int room, const char *field, int capacity, int width)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(field + 1);
    int length = qMin(int(static_cast<unsigned char>(field[0])), capacity);
    int begin = 0;
    while (begin < length && bytes[begin] <= 32)
        ++begin;
    while (length > begin && bytes[length - 1] <= 32)
        --length;
    const int n = qMin(width, room);
    const int text = qMin(length - begin, n);
    for (int i = 0; i < text; ++i)
        out[i] = kRank[bytes[begin + i]];
    std::memset(out + text, kRank[' '], size_t(n - text));
    return n;
}

KeyedCard keyedCard(const char *bytes, qint64 position)
{
    const auto &r = *reinterpret_cast<const TPatientRecord *>(bytes);
    KeyedCard card;
    card.position = position;
    unsigned char *out = card.key.data();
    int room = KeyedCard::kKey;
    const auto column = [&](const auto &field, int width) {
        const int n = putColumn(out, room, reinterpret_cast<const char *>(&field), field.capacity, width);
        out += n;
        room -= n;
    };
    column(r.Name, 30);
    column(r.MobilePhone, 20);
    column(r.Dentist, 28);
    return card;
}

QString foundLineOf(const char *record) { return line(*reinterpret_cast<const TPatientRecord *>(record)); }
QString issueLineOf(const char *record) { return issueLine(*reinterpret_cast<const TPatientRecord *>(record)); }

// Sorts the cards (in file order) by their keys, equal keys keeping file order, then each run
// of equal keys by the lines of its cards. When the archive cannot be read again for a run, the run keeps file
// order.
std::vector<qint64> sortedPositions(std::vector<KeyedCard> cards, RecordLines::Build build)
{
    // Sorted as small items, the key's first 16 bytes as two numbers beside the card's index:
    // the rest of the key is looked at only when those are equal, and the index (file order)
    // keeps equal keys in file order.
    struct Item
    {
        quint64 head[2];
        quint32 index;
    };
    const auto headOf = [](const unsigned char *key) {
        quint64 h = 0;
        for (int i = 0; i < 8; ++i)
            h = h << 8 | key[i];
        return h;
    };
    std::vector<Item> order(cards.size());
    for (size_t i = 0; i < cards.size(); ++i)
        order[i] = {{headOf(cards[i].key.data()), headOf(cards[i].key.data() + 8)}, quint32(i)};
    std::sort(order.begin(), order.end(), [&cards](const Item &a, const Item &b) {
        if (a.head[0] != b.head[0])
            return a.head[0] < b.head[0];
        if (a.head[1] != b.head[1])
            return a.head[1] < b.head[1];
        const int rest =
            std::memcmp(cards[a.index].key.data() + 16, cards[b.index].key.data() + 16, KeyedCard::kKey - 16);
        return rest != 0 ? rest < 0 : a.index < b.index;
    });
    std::vector<qint64> positions;
    positions.reserve(cards.size());
    for (const Item &item : order)
        positions.push_back(cards[item.index].position);
    const auto keyAt = [&](size_t i) -> const std::array<unsigned char, KeyedCard::kKey> & {
        return cards[order[i].index].key;
    };

    std::optional<RecordFile> file;
    QByteArray record(TPatientRecord::Size, Qt::Uninitialized);
    for (size_t first = 0; first < cards.size();) {
        size_t end = first + 1;
        while (end < cards.size() && keyAt(end) == keyAt(first))
            ++end;
        if (end - first > 1) {
            try {
                if (!file) {
                    file.emplace(ProgramFolder::file(kPatientArchive), TPatientRecord::Size);
                    file->open(RecordFile::Read);
                }
                struct Tied
                {
                    QString line;
                    qint64 position;
                };
                std::vector<Tied> tied;
                tied.reserve(end - first);
                for (size_t i = first; i < end; ++i) {
                    file->readAt(positions[i], record.data());
                    tied.push_back({build(record.constData()), positions[i]});
                }
                std::stable_sort(tied.begin(), tied.end(),
                                 [](const Tied &a, const Tied &b) { return lineLess(a.line, b.line); });
                for (size_t i = first; i < end; ++i)
                    positions[i] = tied[i - first].position;
            } catch (const StorageError &) {
                file.reset();
            }
        }
        first = end;
    }
    return positions;
}

SharedLines sortedLines(std::vector<KeyedCard> cards, RecordLines::Build build)
{
    std::vector<qint64> positions = sortedPositions(std::move(cards), build);
    return std::make_shared<const RecordLines>(ProgramFolder::file(kPatientArchive), TPatientRecord::Size, build,
                                               std::move(positions));
}

} // namespace

SharedLines foundSource(const Criteria &criteria)
{
    const Matcher wanted(criteria);
    std::vector<KeyedCard> cards;
    // As many as the archive holds: the memory is taken only as far as it is filled.
    cards.reserve(size_t(QFileInfo(ProgramFolder::file(kPatientArchive)).size() / TPatientRecord::Size));
    eachRecord([&](const char *bytes, qint64 position) {
        if (wanted(bytes))
            cards.push_back(keyedCard(bytes, position));
    });
    return sortedLines(std::move(cards), foundLineOf);
}

SharedLines issueSource()
{
    std::vector<KeyedCard> cards;
    try {
        eachRecord([&](const char *bytes, qint64 position) {
            if (hasIssue(*reinterpret_cast<const TPatientRecord *>(bytes)))
                cards.push_back(keyedCard(bytes, position));
        });
    } catch (const StorageError &) {
        // The cards read until the failure are listed.
    }
    return sortedLines(std::move(cards), issueLineOf);
}

TPatientRecord readCard(qint64 position)
{
    RecordFile file = patientArchive();
    file.open(RecordFile::Read);
    if (position < 1 || position > file.count())
        throw StorageError(QStringLiteral("no record %1 in %2").arg(position).arg(file.path()));
    TPatientRecord record;
    file.readAt(position, record);
    file.close();
    return record;
}

Contact contactOf(const TPatientRecord &r)
{
    return {r.Name.text(), r.HomePhone.text(), r.MobilePhone.text(), r.Email.text(), r.Communication.text()};
}

} // namespace PatientLines
