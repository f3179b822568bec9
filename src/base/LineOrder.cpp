#include "base/LineOrder.h"

#include "storage/AnsiText.h"

namespace LineOrder {

bool lessFrom(const QString &a, const QString &b, qsizetype from)
{
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
        const char16_t cx = fold(x[i]);
        const char16_t cy = fold(y[i]);
        if (cx != cy)
            return cx < cy;
        ++i;
    }
}

bool less(const QString &a, const QString &b) { return lessFrom(a, b, 0); }

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
        const char16_t u = fold(p[i].unicode());
        if (u > 254)
            e.whole = true;
        e.key[size_t(i)] = static_cast<unsigned char>(u > 254 ? 255 : u);
    }
    return e;
}

} // namespace

std::vector<qsizetype> order(const QStringList &lines)
{
    std::vector<SortEntry> entries;
    entries.reserve(size_t(lines.size()));
    for (qsizetype i = 0; i < lines.size(); ++i)
        entries.push_back(sortEntry(lines.at(i), i));
    std::stable_sort(entries.begin(), entries.end(), [&lines](const SortEntry &a, const SortEntry &b) {
        if (!a.whole && !b.whole) {
            const int byKey = std::memcmp(a.key.data(), b.key.data(), SortEntry::kKey);
            if (byKey != 0)
                return byKey < 0;
        }
        return less(lines.at(a.index), lines.at(b.index));
    });
    std::vector<qsizetype> indexes;
    indexes.reserve(entries.size());
    for (const SortEntry &e : entries)
        indexes.push_back(e.index);
    return indexes;
}

void sort(QStringList &lines)
{
    const std::vector<qsizetype> indexes = order(lines);
    QStringList sorted;
    sorted.reserve(lines.size());
    for (qsizetype i : indexes)
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

const Ranks &ranks()
{
    static const Ranks table = [] {
        std::array<char16_t, 256> folded{};
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            folded[size_t(b)] = fold(AnsiText::fromAnsi(&byte, 1).at(0).unicode());
        }
        std::array<char16_t, 256> distinct = folded;
        std::sort(distinct.begin(), distinct.end());
        const auto end = std::unique(distinct.begin(), distinct.end());
        Ranks out{};
        for (int b = 0; b < 256; ++b)
            out[size_t(b)] = static_cast<unsigned char>(std::lower_bound(distinct.begin(), end, folded[size_t(b)])
                                                        - distinct.begin());
        return out;
    }();
    return table;
}

} // namespace LineOrder
