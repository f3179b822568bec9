#include "appointments/AgendaRules.h"

#include "base/Formats.h"
#include "base/TextRules.h"
#include "appointments/AppointmentArchive.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"

#include <algorithm>
#include <cstring>
#include <optional>
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
    if (record.Ottemperata.trimmedBytes() != kFlagNoBytes)
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

namespace {
bool lineLessFrom(const QString &a, const QString &b, qsizetype from)
{
    const auto upper = [](char16_t c) { return c >= 'a' && c <= 'z' ? char16_t(c - 32) : c; };
    const char16_t *x = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *y = reinterpret_cast<const char16_t *>(b.constData());
    const qsizetype n = std::min(a.size(), b.size());
    qsizetype i = from;
    for (;;) {
        // Lines share long equal stretches: skip them four characters at a time, and fold
        // the case only where the two lines differ.
        while (i + 4 <= n && std::memcmp(x + i, y + i, 8) == 0)
            i += 4;
        while (i < n && x[i] == y[i])
            ++i;
        if (i >= n)
            return a.size() < b.size();
        const char16_t cx = upper(x[i]);
        const char16_t cy = upper(y[i]);
        if (cx != cy)
            return cx < cy;
        ++i;
    }
}
} // namespace

bool lineLess(const QString &a, const QString &b) { return lineLessFrom(a, b, 0); }

namespace {
// The twelve digits of a complete key as a number; lines whose keys are both complete and
// differ are ordered by it, which is what comparing them character by character gives.
constexpr quint64 kNoKey = ~quint64(0);
quint64 numericKey(const QString &line)
{
    // "ID: " then twelve digits then a blank.
    if (line.size() < 17 || line.at(16) != QLatin1Char(' '))
        return kNoKey;
    quint64 key = 0;
    for (int i = 4; i < 16; ++i) {
        const char16_t c = line.at(i).unicode();
        if (c < '0' || c > '9')
            return kNoKey;
        key = key * 10 + (c - '0');
    }
    return key;
}
} // namespace

void sortLines(QStringList &lines)
{
    // Sorted once, by the key where it decides, by the whole line where it does not.
    std::vector<std::pair<quint64, QString>> keyed;
    keyed.reserve(size_t(lines.size()));
    for (QString &l : lines)
        keyed.emplace_back(numericKey(l), std::move(l));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        if (a.first != kNoKey && b.first != kNoKey) {
            if (a.first != b.first)
                return a.first < b.first;
            return lineLessFrom(a.second, b.second, 16); // "ID: " and the same twelve digits
        }
        return lineLess(a.second, b.second);
    });
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i] = std::move(keyed[size_t(i)].second);
}

namespace {

// The agenda's order without its lines. Each card keeps a compact key: 56 bytes that order
// as the first characters of its line compared the agenda's way (a to z taken as capitals),
// packed in words so that comparing the words in turn compares the bytes. The key holds the
// twelve characters of the line after "ID: " (the chronological key, or whatever stands
// there when it is incomplete), then the date, the time and the start of the patient's
// name. Where those twelve characters agree the keys have the same length (a key holds no
// blank), so the columns after them stand at the same places and decide in this order.
// Cards whose compact keys are equal have their lines built and compared whole.
constexpr int kKeyBytes = 56;
constexpr int kKeyWords = kKeyBytes / 8;
constexpr int kHead = 12;

struct Placed
{
    quint64 word[kKeyWords];
    qint64 position;
};

bool sameKey(const Placed &a, const Placed &b) { return std::equal(a.word, a.word + kKeyWords, b.word); }

bool placedLess(const Placed &a, const Placed &b)
{
    for (int i = 0; i < kKeyWords; ++i)
        if (a.word[i] != b.word[i])
            return a.word[i] < b.word[i];
    return a.position < b.position; // equal lines keep file order
}

// The rank of each byte's character in the order the line comparison gives the characters,
// a to z taken as capitals (Windows-1252 bytes 0x80 to 0x9F stand for characters far above
// 0xFF). 230 ranks: one byte each.
const std::array<unsigned char, 256> &ranks()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<char16_t, 256> folded{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            const char16_t c = AnsiText::fromAnsi(&byte, 1).at(0).unicode();
            folded[size_t(b)] = c >= 'a' && c <= 'z' ? char16_t(c - 32) : c;
        }
        std::vector<char16_t> distinct(folded.begin(), folded.end());
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        std::array<unsigned char, 256> out{};
        for (int b = 0; b < 256; ++b)
            out[size_t(b)] = static_cast<unsigned char>(
                std::lower_bound(distinct.begin(), distinct.end(), folded[size_t(b)]) - distinct.begin());
        return out;
    }();
    return table;
}

// A field as its column shows it: trimmed, cut or padded with blanks to the width.
void putColumn(unsigned char *&out, QByteArrayView field, int width)
{
    const qsizetype n = qMin<qsizetype>(field.size(), width);
    std::memcpy(out, field.data(), size_t(n));
    std::memset(out + n, ' ', size_t(width - n));
    out += width;
}

Placed placed(const TAppointmentRecord &record, qint64 position)
{
    unsigned char bytes[kHead + 8 + 10 + kKeyBytes];
    unsigned char *out = bytes;
    char key[16];
    int begin = 0;
    const int end = keyBytes(record, key, begin);
    std::memcpy(out, key + begin, size_t(end - begin));
    out += end - begin;
    std::memcpy(out, "  Data: ", 8);
    out += 8;
    putColumn(out, record.Data.trimmedBytes(), 10); // the head ends at the latest here
    out = bytes + kHead;
    putColumn(out, record.Data.trimmedBytes(), 10);
    putColumn(out, record.Ora.trimmedBytes(), 5);
    putColumn(out, record.Contatto.trimmedBytes(), kKeyBytes - kHead - 15);
    const std::array<unsigned char, 256> &rank = ranks();
    Placed p;
    for (int w = 0; w < kKeyWords; ++w) {
        quint64 word = 0;
        for (int i = 0; i < 8; ++i)
            word = word << 8 | rank[bytes[w * 8 + i]];
        p.word[w] = word;
    }
    p.position = position;
    return p;
}

TAppointmentRecord readCard(RecordFile &file, qint64 position)
{
    TAppointmentRecord r;
    file.readAt(position, r);
    return r;
}

// Puts the cards of each run of equal compact keys in the order of their whole lines.
void orderTies(std::vector<Placed> &cards)
{
    std::optional<RecordFile> file;
    for (size_t first = 0; first < cards.size();) {
        size_t last = first + 1;
        while (last < cards.size() && sameKey(cards[first], cards[last]))
            ++last;
        if (last - first > 1) {
            if (!file) {
                file.emplace(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
                file->open(RecordFile::Read);
            }
            std::vector<std::pair<QString, qint64>> tied;
            for (size_t i = first; i < last; ++i)
                tied.emplace_back(line(readCard(*file, cards[i].position)), cards[i].position);
            std::stable_sort(tied.begin(), tied.end(),
                             [](const auto &a, const auto &b) { return lineLess(a.first, b.first); });
            for (size_t i = first; i < last; ++i)
                cards[i].position = tied[i - first].second;
        }
        first = last;
    }
    if (file)
        file->close();
}

QString lineOf(const char *bytes) { return line(*reinterpret_cast<const TAppointmentRecord *>(bytes)); }

} // namespace

Imminent imminentCards(const QDate &today)
{
    const ImminenceTest test(today);
    std::vector<Placed> cards;
    int longest = 0; // the most characters of key and amount together
    // A damaged card is passed over: the cards after it must still be listed.
    eachAppointment([&](const TAppointmentRecord &record, qint64 position) {
        if (test(record) != Imminence::Imminent)
            return;
        cards.push_back(placed(record, position));
        char key[16];
        int begin = 0;
        const int n = keyBytes(record, key, begin) - begin + int(record.Importo.trimmedBytes().size());
        longest = qMax(longest, n);
    });
    std::sort(cards.begin(), cards.end(), placedLess);
    orderTies(cards);
    Imminent out;
    out.positions.reserve(cards.size());
    for (const Placed &p : cards)
        out.positions.push_back(p.position);
    static const int kFixed = int(line(TAppointmentRecord{}).size()); // no key, no amount
    out.longestLine = cards.empty() ? 0 : kFixed + longest;
    return out;
}

SharedLines linesAt(std::vector<qint64> positions)
{
    return std::make_shared<const RecordLines>(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size,
                                               &lineOf, std::move(positions));
}

QStringList imminentLines(const QDate &today) { return linesAt(imminentCards(today).positions)->all(); }

} // namespace AgendaRules
