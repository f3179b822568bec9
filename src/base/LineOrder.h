#pragma once

#include "base/LineSource.h"
#include "storage/RecordFile.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>
#include <utility>
#include <vector>

// The order of every list of the program (the agenda, the appointment lists, the patient
// lists): the lines compared character by character, by their codes, with a to z taken as A
// to Z; a line that is the start of another comes before it; equal lines keep their order.
//
// Lists of many cards are sorted without their lines: each card gets a compact key, bytes
// that compare as the first characters of its line (the `ranks` of the bytes of the record's
// columns, cut or padded to the columns' widths), and only cards whose keys are equal have
// their lines built and compared whole (`orderByLines`).
namespace LineOrder {

// a to z as A to Z; every other code as it is.
constexpr char16_t fold(char16_t c) { return c >= 'a' && c <= 'z' ? char16_t(c - 32) : c; }

bool less(const QString &a, const QString &b);
// The same, for lines whose first `from` characters are known to be equal.
bool lessFrom(const QString &a, const QString &b, qsizetype from);

// The lines' indexes in the lists' order (equal lines in their order), and the lines sorted.
std::vector<qsizetype> order(const QStringList &lines);
void sort(QStringList &lines);

// The rank of each byte of the records' code page (Windows-1252) in the lists' order: equal
// ranks for characters of equal order (a and A), rising with the order of the characters the
// bytes stand for (bytes 0x80 to 0x9F stand for characters far above 0xFF). Fewer than 256
// distinct orders, so a rank fits in a byte.
using Ranks = std::array<unsigned char, 256>;
const Ranks &ranks();

// Up to eight bytes as one number that orders as the bytes do (the first byte highest).
inline quint64 packed(const unsigned char *bytes, int n)
{
    quint64 word = 0;
    for (int i = 0; i < n; ++i)
        word = word << 8 | bytes[i];
    return word;
}

// A trimmed field as its column shows it, in the record's own bytes: cut or padded with
// blanks to the width. `out` moves past it.
inline void putColumn(unsigned char *&out, QByteArrayView field, int width)
{
    const qsizetype n = qMin<qsizetype>(field.size(), width);
    std::memcpy(out, field.data(), size_t(n));
    std::memset(out + n, ' ', size_t(width - n));
    out += width;
}

// The same column as ranks, into at most `room` bytes; returns the bytes written.
inline int putRankedColumn(unsigned char *out, int room, QByteArrayView field, int width, const Ranks &rank)
{
    const auto *bytes = reinterpret_cast<const unsigned char *>(field.data());
    const int n = qMin(width, room);
    const int text = qMin(int(field.size()), n);
    for (int i = 0; i < text; ++i)
        out[i] = rank[bytes[i]];
    std::memset(out + text, rank[' '], size_t(n - text));
    return n;
}

// Compares two runs of n bytes of the code page the way their characters order: <0, 0 or >0.
inline int compareBytes(const unsigned char *a, const unsigned char *b, int n)
{
    // Keys that reach here mostly share their first bytes: equal bytes are passed over eight
    // at a time, and only from the first word that differs are the bytes ranked.
    int i = 0;
    for (; i + 8 <= n; i += 8) {
        quint64 x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y)
            break;
    }
    const Ranks &rank = ranks();
    for (; i < n; ++i)
        if (a[i] != b[i] && rank[a[i]] != rank[b[i]]) // a and A rank alike
            return rank[a[i]] < rank[b[i]] ? -1 : 1;
    return 0;
}

// Calls tie(first, last) for each run of two or more neighbouring entries that `same` finds
// equal, in a sequence sorted by keys.
template <class It, class Same, class Tie> void eachTie(It first, It last, Same same, Tie tie)
{
    while (first != last) {
        It end = std::next(first);
        while (end != last && same(*first, *end))
            ++end;
        if (std::distance(first, end) > 1)
            tie(first, end);
        first = end;
    }
}

// Entries whose keys are equal, in the lists' order of their lines: each entry's record is
// read from `file` (open) at positionOf(entry) and its line built by `build`; equal lines keep
// the entries' order. Throws StorageError when a record cannot be read.
template <class It, class PositionOf>
void orderByLines(It first, It last, RecordFile &file, int recordSize, RecordLines::Build build, PositionOf positionOf)
{
    using Entry = typename std::iterator_traits<It>::value_type;
    std::vector<std::pair<QString, Entry>> tied;
    tied.reserve(size_t(std::distance(first, last)));
    QByteArray record(recordSize, Qt::Uninitialized);
    for (It i = first; i != last; ++i) {
        file.readAt(positionOf(*i), record.data());
        tied.emplace_back(build(record.constData()), *i);
    }
    std::stable_sort(tied.begin(), tied.end(), [](const auto &a, const auto &b) { return less(a.first, b.first); });
    for (auto &t : tied)
        *first++ = std::move(t.second);
}

} // namespace LineOrder
