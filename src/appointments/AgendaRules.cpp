#include "appointments/AgendaRules.h"

#include "app/Formats.h"
#include "app/TextRules.h"
#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <algorithm>
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

QString sortKey(const TAppointmentRecord &record)
{
    const QByteArrayView date = record.Data.trimmedBytes();
    QByteArray key;
    key.reserve(14);
    key.append(date.sliced(qMin<qsizetype>(6, date.size())).first(qMin<qsizetype>(4, qMax<qsizetype>(0, date.size() - 6))));
    key.append(date.sliced(qMin<qsizetype>(3, date.size())).first(qMin<qsizetype>(2, qMax<qsizetype>(0, date.size() - 3))));
    key.append(date.first(qMin<qsizetype>(2, date.size())));
    key.append(record.OreApp.trimmedBytes());
    key.append(record.MinutiApp.trimmedBytes());
    return AnsiText::trimmed(AnsiText::fromAnsi(key));
}

QString line(const TAppointmentRecord &record)
{
    QString out;
    out.reserve(170);
    out.append(QLatin1String("ID: "));
    out.append(sortKey(record));
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

bool lineLess(const QString &a, const QString &b)
{
    const auto upper = [](QChar ch) {
        const char16_t c = ch.unicode();
        return c >= 'a' && c <= 'z' ? char16_t(c - 32) : c;
    };
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = upper(a.at(i));
        const char16_t y = upper(b.at(i));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

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
    keyed.reserve(lines.size());
    for (QString &l : lines)
        keyed.emplace_back(numericKey(l), std::move(l));
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        if (a.first != kNoKey && b.first != kNoKey && a.first != b.first)
            return a.first < b.first;
        return lineLess(a.second, b.second);
    });
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines[i] = std::move(keyed[size_t(i)].second);
}

QStringList imminentLines(const QDate &today)
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    QStringList lines;
    // A damaged card is passed over: the cards after it must still be listed.
    file.scan([&](const char *bytes, qint64) {
        const auto &record = *reinterpret_cast<const TAppointmentRecord *>(bytes);
        if (imminence(record, today) == Imminence::Imminent)
            lines.append(line(record));
        return true;
    });
    file.close();
    sortLines(lines);
    return lines;
}

std::optional<TAppointmentRecord> findByLine(const QString &wanted)
{
    const QString target = AnsiText::trimmed(wanted);
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    std::optional<TAppointmentRecord> found;
    TAppointmentRecord record;
    while (file.next(record))
        if (AnsiText::trimmed(line(record)) == target)
            found = record;
    file.close();
    return found;
}

} // namespace AgendaRules
