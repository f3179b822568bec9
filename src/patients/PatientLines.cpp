#include "patients/PatientLines.h"

#include "base/LineOrder.h"
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
#include <ranges>
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

bool lineLess(const QString &a, const QString &b) { return LineOrder::less(a, b); }

void sort(Listing &listing)
{
    const std::vector<qsizetype> indexes = LineOrder::order(listing.lines);
    Listing sorted;
    sorted.lines.reserve(listing.lines.size());
    sorted.positions.reserve(listing.positions.size());
    for (qsizetype i : indexes) {
        sorted.lines.append(std::move(listing.lines[i]));
        sorted.positions.append(listing.positions.at(i));
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

KeyedCard keyedCard(const char *bytes, qint64 position)
{
    const auto &r = *reinterpret_cast<const TPatientRecord *>(bytes);
    KeyedCard card;
    card.position = position;
    unsigned char *out = card.key.data();
    int room = KeyedCard::kKey;
    const LineOrder::Ranks &rank = LineOrder::ranks();
    const auto column = [&](const auto &field, int width) {
        const int n = LineOrder::putRankedColumn(out, room, field.trimmedBytes(), width, rank);
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
    const auto headOf = [](const unsigned char *key) { return LineOrder::packed(key, 8); };
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

    // Runs of equal keys, by their places in the sorted order.
    std::optional<RecordFile> file;
    const auto places = std::views::iota(size_t(0), cards.size());
    const auto sameKey = [&](size_t a, size_t b) { return keyAt(a) == keyAt(b); };
    LineOrder::eachTie(places.begin(), places.end(), sameKey, [&](auto first, auto last) {
        try {
            if (!file) {
                file.emplace(ProgramFolder::file(kPatientArchive), TPatientRecord::Size);
                file->open(RecordFile::Read);
            }
            const auto begin = positions.begin() + qsizetype(*first);
            std::vector<qint64> tied(begin, begin + (last - first));
            LineOrder::orderByLines(tied.begin(), tied.end(), *file, TPatientRecord::Size, build,
                                    [](qint64 position) { return position; });
            std::copy(tied.begin(), tied.end(), begin);
        } catch (const StorageError &) {
            file.reset();
        }
    });
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
