#include "appointments/AgendaRules.h"

#include "app/Formats.h"
#include "app/TextRules.h"
#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <algorithm>

namespace AgendaRules {

Imminence imminence(const TAppointmentRecord &record, const QDate &today)
{
    const QDate date = Formats::parseDate(record.Data.text());
    bool leadOk = false;
    const int lead = record.Avviso.text().toInt(&leadOk, 10);
    if (!date.isValid() || !leadOk)
        return Imminence::Unreadable;
    if (record.Ottemperata.trimmedBytes() != kFlagNoBytes)
        return Imminence::NotImminent;
    return date.addDays(-lead) <= today ? Imminence::Imminent : Imminence::NotImminent;
}

QString sortKey(const TAppointmentRecord &record)
{
    const QString date = record.Data.text();
    return AnsiText::trimmed(date.mid(6, 4) + date.mid(3, 2) + date.mid(0, 2) + record.OreApp.text()
                             + record.MinutiApp.text());
}

QString line(const TAppointmentRecord &record)
{
    using TextRules::appendColumn;
    QString out;
    out.reserve(170);
    out.append(QLatin1String("ID: "));
    out.append(sortKey(record));
    out.append(QLatin1String("  Data: "));
    appendColumn(out, record.Data.text(), 10);
    out.append(QLatin1String("  Ora: "));
    appendColumn(out, record.Ora.text(), 5);
    out.append(QLatin1String("  "));
    appendColumn(out, record.Contatto.text(), 30);
    out.append(QLatin1String("  Cel. "));
    appendColumn(out, record.Cel.text(), 14);
    out.append(QLatin1String("  "));
    appendColumn(out, record.Causale.text(), 42);
    out.append(QStringLiteral("  \u20AC "));
    out.append(record.Importo.text());
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

void sortLines(QStringList &lines) { std::stable_sort(lines.begin(), lines.end(), lineLess); }


QStringList imminentLines(const QDate &today)
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    QStringList lines;
    TAppointmentRecord record;
    // A damaged card is passed over: the cards after it must still be listed.
    while (file.next(record))
        if (imminence(record, today) == Imminence::Imminent)
            lines.append(line(record));
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
