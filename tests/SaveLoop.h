#pragma once

// The records of the crash-consistency test (tool_saveloop and tst_storage): record n of a
// kind holds in every field a pattern made from n, so that a record mixing the bytes of two
// saves is told from a whole one.

#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/TreatmentRecord.h"

#include <QString>

#include <algorithm>
#include <optional>
#include <span>

namespace SaveLoop {

struct Kind
{
    int size = 0;
    std::span<const RecordField> fields;
};

inline Kind kind(const QString &name)
{
    if (name == QLatin1String("patient"))
        return {TPatientRecord::Size, TPatientRecord::fields()};
    if (name == QLatin1String("appointment"))
        return {TAppointmentRecord::Size, TAppointmentRecord::fields()};
    if (name == QLatin1String("treatment"))
        return {TTreatmentRecord::Size, TTreatmentRecord::fields()};
    return {};
}

// n's digits backwards, then "|", over and over: two numbers differ in the first characters.
inline QString pattern(qint64 n)
{
    QString digits = QString::number(n);
    std::reverse(digits.begin(), digits.end());
    QString p;
    while (p.size() < 250)
        p += digits + QLatin1Char('|');
    return p;
}

inline void fill(const Kind &kind, qint64 n, char *record)
{
    std::fill(record, record + kind.size, '\0');
    const QString p = pattern(n);
    for (const RecordField &f : kind.fields)
        f.write(record, p.left(f.capacity));
}

// The n whose record this is, or nothing when its fields come from more than one save.
inline std::optional<qint64> number(const Kind &kind, const char *record)
{
    QString digits = kind.fields.front().read(record).section(QLatin1Char('|'), 0, 0);
    std::reverse(digits.begin(), digits.end());
    bool ok = false;
    const qint64 n = digits.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    QByteArray whole(kind.size, '\0');
    fill(kind, n, whole.data());
    if (!std::equal(whole.constBegin(), whole.constEnd(), record))
        return std::nullopt;
    return n;
}

} // namespace SaveLoop
