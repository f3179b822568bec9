#include "appointments/AgendaRules.h"

#include "base/Formats.h"
#include "base/TextRules.h"
#include "appointments/AppointmentArchive.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"

#include <algorithm>
#include <cstring>
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

QStringList imminentLines(const QDate &today)
{
    QStringList lines;
    // A damaged card is passed over: the cards after it must still be listed.
    eachAppointment([&](const TAppointmentRecord &record, qint64) {
        if (imminence(record, today) == Imminence::Imminent)
            lines.append(line(record));
    });
    sortLines(lines);
    return lines;
}

std::optional<TAppointmentRecord> findByLine(const QString &wanted)
{
    const QString target = AnsiText::trimmed(wanted);
    std::optional<TAppointmentRecord> found;
    eachAppointment([&](const TAppointmentRecord &record, qint64) {
        if (AnsiText::trimmed(line(record)) == target)
            found = record;
    });
    return found;
}

} // namespace AgendaRules
