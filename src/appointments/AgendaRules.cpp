#include "appointments/AgendaRules.h"

#include "base/Formats.h"
#include "base/LineOrder.h"
#include "base/TextRules.h"
#include "appointments/AppointmentArchive.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/Together.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace AgendaRules {

Imminence imminence(const TAppointmentRecord &record, const QDate &today)
{
    // Straight from the record's bytes: the agenda looks at every card of the archive.
    const QDate date = Formats::parseDate(record.Data.trimmedBytes());
    bool leadOk = false;
    const int lead = record.Avviso.trimmedBytes().toInt(&leadOk, 10);
    if (!date.isValid() || !leadOk)
        return Imminence::Unreadable;
    if (record.Ottemperata.trimmedBytes() != kFlagNoBytes)
        return Imminence::NotImminent;
    return date.addDays(-lead) <= today ? Imminence::Imminent : Imminence::NotImminent;
}

namespace {
// The lead time as toInt reads it, with a short cut for the usual one to three digits.
bool leadOf(QByteArrayView bytes, int &lead)
{
    if (bytes.size() >= 1 && bytes.size() <= 3) {
        int n = 0;
        bool digits = true;
        for (char c : bytes) {
            digits = digits && c >= '0' && c <= '9';
            n = n * 10 + (c - '0');
        }
        if (digits) {
            lead = n;
            return true;
        }
    }
    bool ok = false;
    lead = bytes.toInt(&ok, 10);
    return ok;
}
} // namespace

ImminenceTest::ImminenceTest(const QDate &today) : m_today(today) {}

Imminence ImminenceTest::operator()(const TAppointmentRecord &record) const
{
    const int date = Formats::dateNumber(record.Data.trimmedBytes());
    int lead = 0;
    if (date == 0 || !leadOf(record.Avviso.trimmedBytes(), lead))
        return Imminence::Unreadable;
    if (!hasFlag(record.Ottemperata, kFlagNoBytes))
        return Imminence::NotImminent;
    if (lead < kLeastLead || lead > kMostLead)
        return imminence(record, m_today);
    // The date less the lead is not after today: the date is not after today plus the lead.
    int &last = m_lastDay[size_t(lead - kLeastLead)];
    if (last == 0)
        last = Formats::dateNumber(m_today.addDays(lead));
    return date <= last ? Imminence::Imminent : Imminence::NotImminent;
}

namespace {
// The key's bytes (at most twelve) in a buffer of the caller's; returns how many, trimmed.
int keyBytes(const TAppointmentRecord &record, char (&key)[16], int &begin)
{
    const QByteArrayView date = record.Data.trimmedBytes();
    int n = 0;
    const auto put = [&](QByteArrayView part, qsizetype from, qsizetype count) {
        for (qsizetype i = from; i < from + count && i < part.size(); ++i)
            key[n++] = part[i];
    };
    put(date, 6, 4);
    put(date, 3, 2);
    put(date, 0, 2);
    put(record.OreApp.trimmedBytes(), 0, 2);
    put(record.MinutiApp.trimmedBytes(), 0, 2);
    begin = 0;
    while (begin < n && static_cast<unsigned char>(key[begin]) <= 32)
        ++begin;
    while (n > begin && static_cast<unsigned char>(key[n - 1]) <= 32)
        --n;
    return n;
}

void appendKey(QString &out, const TAppointmentRecord &record)
{
    char key[16];
    int begin = 0;
    const int end = keyBytes(record, key, begin);
    out.append(AnsiText::fromAnsi(key + begin, end - begin));
}
} // namespace

QString sortKey(const TAppointmentRecord &record)
{
    QString key;
    appendKey(key, record);
    return key;
}

QString line(const TAppointmentRecord &record)
{
    QString out;
    out.reserve(170);
    out.append(QLatin1String("ID: "));
    appendKey(out, record);
    out.append(QLatin1String("  Data: "));
    record.Data.appendTo(out, 10);
    out.append(QLatin1String("  Ora: "));
    record.Ora.appendTo(out, 5);
    out.append(QLatin1String("  "));
    record.Contatto.appendTo(out, 30);
    out.append(QLatin1String("  Cel. "));
    record.Cel.appendTo(out, 14);
    out.append(QLatin1String("  "));
    record.Causale.appendTo(out, 42);
    out.append(QStringLiteral("  \u20AC "));
    record.Importo.appendTo(out);
    return out;
}

bool lineLess(const QString &a, const QString &b) { return LineOrder::less(a, b); }

void sortLines(QStringList &lines) { LineOrder::sort(lines); }

namespace {

// The agenda's order without its lines. Each card keeps a compact key that orders as the
// first characters of its line compared the agenda's way (a to z taken as capitals). The
// head is the twelve characters of the line after "ID: " (the chronological key, or
// whatever stands there when it is incomplete), as ranks packed in words; the tail the date,
// the time and the start of the patient's name as their columns show them, in the record's
// bytes, ranked when two tails are compared. Where two heads agree the keys have the same
// length (a key holds no blank), so the columns after them stand at the same places and
// decide in this order. Cards whose compact keys are equal have their lines built and
// compared whole.
//
// Nearly every card has a complete key: its head is that number, and those cards are sorted
// as numbers with their number in file order in the low bits.
constexpr int kHead = 12;
constexpr int kTail = 40;     // date 10, time 5, name 25
constexpr int kCardBits = 24; // beside a twelve-digit key (40 bits)
constexpr quint64 kCardMask = (quint64(1) << kCardBits) - 1;
// From this many cards with complete keys on, their ordering is shared by two processors.
constexpr size_t kOrderTogether = 1024;

// The head of a card without a complete key.
struct Head
{
    quint64 first; // bytes 0 to 7
    quint32 last;  // bytes 8 to 11
    quint32 card;  // the card's number in file order
};

bool headLess(const Head &a, const Head &b)
{
    if (a.first != b.first)
        return a.first < b.first;
    return a.last != b.last ? a.last < b.last : a.card < b.card;
}

bool sameHead(const Head &a, const Head &b) { return a.first == b.first && a.last == b.last; }

struct Tail
{
    unsigned char bytes[kTail];
};

// Compares two tails the way the lines compare: <0, 0 or >0.
int compareTails(const Tail &a, const Tail &b) { return LineOrder::compareBytes(a.bytes, b.bytes, kTail); }

Head headOf(const unsigned char *ranked, quint32 card)
{
    return {LineOrder::packed(ranked, 8), quint32(LineOrder::packed(ranked + 8, 4)), card};
}

// The head of a complete key, for setting it beside the heads of incomplete ones.
Head headOfKey(quint64 key, quint32 card = 0)
{
    const LineOrder::Ranks &rank = LineOrder::ranks();
    unsigned char ranked[kHead];
    for (int i = kHead - 1; i >= 0; --i, key /= 10)
        ranked[i] = rank['0' + key % 10];
    return headOf(ranked, card);
}

// The imminent cards as the scan finds them.
struct Found
{
    std::vector<quint64> keyed;    // complete keys: the key, then the card's number
    std::vector<Head> other;       // incomplete keys
    std::vector<Tail> tails;       // by card number
    std::vector<qint64> positions; // by card number
    int longest = 0;               // the most characters of key and amount together

    void reserve(qint64 count)
    {
        // Room for every card at once: growing would copy what is already there.
        tails.reserve(size_t(count));
        positions.reserve(size_t(count));
        keyed.reserve(size_t(count));
    }

    // The cards of `after`, found in the file after this one's, numbered on from this one's.
    void join(const Found &after)
    {
        const auto offset = quint32(tails.size());
        tails.insert(tails.end(), after.tails.begin(), after.tails.end());
        positions.insert(positions.end(), after.positions.begin(), after.positions.end());
        longest = qMax(longest, after.longest);
        for (quint64 k : after.keyed) {
            const quint64 card = (k & kCardMask) + offset;
            if (card <= kCardMask)
                keyed.push_back((k & ~kCardMask) | card);
            else
                other.push_back(headOfKey(k >> kCardBits, quint32(card))); // past the room for a number
        }
        for (Head h : after.other) {
            h.card += offset;
            other.push_back(h);
        }
    }

    void add(const TAppointmentRecord &record, qint64 position)
    {
        const auto card = quint32(tails.size());
        char key[16];
        int begin = 0;
        const int end = keyBytes(record, key, begin);
        longest = qMax(longest, end - begin + int(record.Importo.trimmedBytes().size()));

        unsigned char *out = tails.emplace_back().bytes;
        LineOrder::putColumn(out, record.Data.trimmedBytes(), 10);
        LineOrder::putColumn(out, record.Ora.trimmedBytes(), 5);
        LineOrder::putColumn(out, record.Contatto.trimmedBytes(), kTail - 15);
        positions.push_back(position);

        quint64 number = 0;
        bool complete = end - begin == kHead && card < (1u << kCardBits);
        for (int i = begin; complete && i < end; ++i) {
            complete = key[i] >= '0' && key[i] <= '9';
            number = number * 10 + quint64(key[i] - '0');
        }
        if (complete) {
            keyed.push_back(number << kCardBits | card);
            return;
        }
        // The line's twelve characters after "ID: ": the key, then what follows it.
        unsigned char h[kHead + 8 + 10];
        out = h;
        std::memcpy(out, key + begin, size_t(end - begin));
        out += end - begin;
        std::memcpy(out, "  Data: ", 8);
        out += 8;
        LineOrder::putColumn(out, record.Data.trimmedBytes(), 10);
        const LineOrder::Ranks &rank = LineOrder::ranks();
        for (int i = 0; i < kHead; ++i)
            h[i] = rank[h[i]];
        other.push_back(headOf(h, card));
    }
};

// Sorts numbers a byte at a time from the lowest, passing over the bytes all numbers share.
void radixSort(std::vector<quint64> &numbers)
{
    std::vector<quint64> spare(numbers.size());
    size_t counts[8][256] = {};
    for (quint64 n : numbers)
        for (int b = 0; b < 8; ++b)
            ++counts[b][(n >> (8 * b)) & 0xFF];
    for (int b = 0; b < 8; ++b) {
        size_t *count = counts[b];
        if (numbers.empty() || count[(numbers.front() >> (8 * b)) & 0xFF] == numbers.size())
            continue;
        size_t sum = 0;
        for (int i = 0; i < 256; ++i)
            sum += std::exchange(count[i], sum);
        for (quint64 n : numbers)
            spare[count[(n >> (8 * b)) & 0xFF]++] = n;
        numbers.swap(spare);
    }
}

QString lineOf(const char *bytes) { return line(*reinterpret_cast<const TAppointmentRecord *>(bytes)); }

// Cards of one head in the agenda's order: by their tails, then, where the tails agree, by
// their whole lines; equal lines in file order (the cards come in file order).
void orderRun(std::vector<quint32> &cards, const std::vector<Tail> &tails, const std::vector<qint64> &positions,
              std::optional<RecordFile> &file)
{
    const auto less = [&](quint32 a, quint32 b) { return compareTails(tails[a], tails[b]) < 0; };
    if (cards.size() <= 16) {
        // The usual few cards of one minute: inserted in place, which keeps equal ones in order.
        for (size_t i = 1; i < cards.size(); ++i)
            for (size_t j = i; j > 0 && less(cards[j], cards[j - 1]); --j)
                std::swap(cards[j], cards[j - 1]);
    } else {
        std::stable_sort(cards.begin(), cards.end(), less);
    }
    const auto sameTail = [&](quint32 a, quint32 b) { return compareTails(tails[a], tails[b]) == 0; };
    LineOrder::eachTie(cards.begin(), cards.end(), sameTail, [&](auto first, auto last) {
        if (!file) {
            file.emplace(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
            file->open(RecordFile::Read);
        }
        LineOrder::orderByLines(first, last, *file, TAppointmentRecord::Size, &lineOf,
                                [&](quint32 card) { return positions[card]; });
    });
}

// Orders the runs of equal heads of a sorted sequence, from entry `from` to before `to` (where
// no run is cut); `same` tells whether two entries share a head, `card` and `setCard` read and
// write an entry's card. `file` is opened when ties must be read again.
template <class Entry, class Same, class Card, class SetCard>
void orderRuns(std::vector<Entry> &entries, size_t from, size_t to, const Found &found, std::optional<RecordFile> &file,
               Same same, Card card, SetCard setCard)
{
    // The tails lie in file order, the entries in the agenda's: each tail is fetched ahead of
    // its turn, so that the fetches overlap.
    constexpr size_t kAhead = 16;
    for (size_t i = from; i < from + kAhead && i < to; ++i)
        __builtin_prefetch(&found.tails[card(entries[i])]);
    std::vector<quint32> run;
    for (size_t first = from; first < to;) {
        size_t last = first + 1;
        while (last < to && same(entries[first], entries[last]))
            ++last;
        for (size_t i = first + kAhead; i < last + kAhead && i < to; ++i)
            __builtin_prefetch(&found.tails[card(entries[i])]);
        if (last - first > 1) {
            run.clear();
            for (size_t i = first; i < last; ++i)
                run.push_back(card(entries[i]));
            orderRun(run, found.tails, found.positions, file);
            for (size_t i = first; i < last; ++i)
                setCard(entries[i], run[i - first]);
        }
        first = last;
    }
}

} // namespace

Imminent imminentCards(const QDate &today, const std::function<void(const TAppointmentRecord &)> &each)
{
    // Each half of the archive gathers its own cards with its own test (the test keeps what
    // it has worked out); a damaged card is passed over: the cards after it must still be
    // listed.
    std::array<Found, 2> halves;
    std::array<ImminenceTest, 2> tests{ImminenceTest(today), ImminenceTest(today)};
    const auto take = [&](int half, const TAppointmentRecord &record, qint64 position) {
        const bool imminent =
            hasFlag(record.Ottemperata, kFlagNoBytes) && tests[size_t(half)](record) == Imminence::Imminent;
        if (imminent)
            halves[size_t(half)].add(record, position);
        return imminent;
    };
    RecordFile archive(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    archive.open(RecordFile::Read);
    const qint64 count = archive.count();
    halves[0].reserve(count); // room for the second half's cards too, joined after them
    if (each) {
        // The caller takes the cards in file order, on this thread.
        archive.scan([&](const char *bytes, qint64 position) {
            const auto &record = *reinterpret_cast<const TAppointmentRecord *>(bytes);
            if (take(0, record, position))
                each(record);
            return true;
        });
    } else {
        halves[1].reserve(count - count / 2);
        archive.scanInHalves([&](int half, const char *bytes, qint64 position) {
            take(half, *reinterpret_cast<const TAppointmentRecord *>(bytes), position);
        });
    }
    archive.close();
    Found &found = halves[0];
    found.join(halves[1]);

    std::vector<quint64> &keyed = found.keyed;
    std::vector<Head> &other = found.other;
    radixSort(keyed);
    std::sort(other.begin(), other.end(), headLess);
    const auto sameKey = [](quint64 a, quint64 b) { return (a >> kCardBits) == (b >> kCardBits); };
    const auto cardOfKey = [](quint64 k) { return quint32(k & kCardMask); };
    const auto setCardOfKey = [](quint64 &k, quint32 c) { k = (k & ~kCardMask) | c; };
    // Many keys are ordered on two processors, cut in two where a run ends; each side reads
    // its ties from a file of its own.
    size_t cut = keyed.size();
    if (keyed.size() >= kOrderTogether) {
        cut = keyed.size() / 2;
        while (cut < keyed.size() && sameKey(keyed[cut - 1], keyed[cut]))
            ++cut;
    }
    std::array<std::optional<RecordFile>, 2> files;
    const auto orderFirst = [&] {
        orderRuns(keyed, 0, cut, found, files[0], sameKey, cardOfKey, setCardOfKey);
        orderRuns(
            other, 0, other.size(), found, files[0], sameHead, [](const Head &h) { return h.card; },
            [](Head &h, quint32 c) { h.card = c; });
    };
    const auto orderSecond = [&] {
        orderRuns(keyed, cut, keyed.size(), found, files[1], sameKey, cardOfKey, setCardOfKey);
    };
    if (cut < keyed.size()) {
        bothAtOnce(orderFirst, orderSecond);
    } else {
        orderFirst();
    }
    for (std::optional<RecordFile> &file : files)
        if (file)
            file->close();

    // The two sorted sequences merged by their heads (never equal between the two).
    Imminent out;
    out.positions.reserve(keyed.size() + other.size());
    size_t j = 0;
    for (quint64 k : keyed) {
        if (j < other.size()) {
            const Head h = headOfKey(k >> kCardBits);
            while (j < other.size() && headLess(other[j], h))
                out.positions.push_back(found.positions[other[j++].card]);
        }
        out.positions.push_back(found.positions[k & kCardMask]);
    }
    while (j < other.size())
        out.positions.push_back(found.positions[other[j++].card]);
    static const int kFixed = int(line(TAppointmentRecord{}).size()); // no key, no amount
    out.longestLine = out.positions.empty() ? 0 : kFixed + found.longest;
    return out;
}

SharedLines linesAt(std::vector<qint64> positions)
{
    return std::make_shared<const RecordLines>(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size,
                                               &lineOf, std::move(positions));
}

QStringList imminentLines(const QDate &today) { return linesAt(imminentCards(today).positions)->all(); }

} // namespace AgendaRules
