#include "chart/OdontogramFile.h"

#include "chart/OdontogramTeeth.h"
#include "platform/ProgramFolder.h"
#include "storage/RecordFile.h"

#include <QHash>

#include <algorithm>

namespace Odontogram {

namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");
const QString kTimeFormat = QStringLiteral("hh:mm");

} // namespace

// ---- Dated entries ---------------------------------------------------------------------

TOdontogramRecord record(const Entry &e)
{
    const ToothState state = normalised(e.state);
    TOdontogramRecord r{};
    r.Data.setText(e.when.date().toString(kDateFormat));
    r.Ora.setText(e.when.time().toString(kTimeFormat));
    r.Dente.setText(QString::number(e.fdi));
    r.Stato.setText(stateName(state.state));
    r.Condizione.setText(conditionName(state.planned));
    r.Superfici.setText(surfaceCode(state.surfaces));
    return r;
}

namespace {

// Digits of a stored field at given places, read straight from its bytes: a file of many
// entries is read without a date parser per record. -1 when any is not a digit.
int digits(QByteArrayView bytes, qsizetype from, qsizetype count)
{
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char c = bytes.at(i);
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// "dd/MM/yyyy"; an invalid date for any other text.
QDate storedDate(QByteArrayView bytes)
{
    if (bytes.size() != 10 || bytes.at(2) != '/' || bytes.at(5) != '/')
        return {};
    const int day = digits(bytes, 0, 2), month = digits(bytes, 3, 2), year = digits(bytes, 6, 4);
    return day < 0 || month < 0 || year < 0 ? QDate() : QDate(year, month, day);
}

// "hh:mm"; an invalid time for any other text.
QTime storedTime(QByteArrayView bytes)
{
    if (bytes.size() != 5 || bytes.at(2) != ':')
        return {};
    const int hour = digits(bytes, 0, 2), minute = digits(bytes, 3, 2);
    return hour < 0 || minute < 0 ? QTime() : QTime(hour, minute);
}

} // namespace

std::optional<Entry> entry(const TOdontogramRecord &r)
{
    // Read from the stored bytes: a file of many entries builds no text per record.
    const QDate date = storedDate(r.Data.trimmedBytes());
    const QTime time = storedTime(r.Ora.trimmedBytes());
    const QByteArrayView tooth = r.Dente.trimmedBytes();
    const int fdi = tooth.isEmpty() ? -1 : digits(tooth, 0, tooth.size());
    const std::optional<State> state = parseState(r.Stato.trimmedBytes());
    const QByteArrayView condition = r.Condizione.trimmedBytes();
    const bool planned = condition == QByteArrayView("da fare");
    Surfaces surfaces;
    bool surfacesRead = true;
    for (const char c : r.Superfici.trimmedBytes()) {
        const qsizetype i = QByteArrayView("MDOVL").indexOf(c);
        if (c == ' ')
            continue;
        if (i < 0 || surfaces.testFlag(Surface(1u << i)))
            surfacesRead = false;
        else
            surfaces |= Surface(1u << i);
    }
    if (!date.isValid() || !time.isValid() || !isTooth(fdi) || !state
        || (!planned && condition != QByteArrayView("presente")) || !surfacesRead)
        return std::nullopt;
    Entry e;
    e.when = Moment(date, time);
    e.fdi = fdi;
    e.state = normalised(ToothState{*state, planned, surfaces});
    return e;
}

QList<Entry> read(const QString &path)
{
    QList<Entry> out;
    RecordFile file(path, TOdontogramRecord::Size);
    file.open(RecordFile::Read);
    out.reserve(file.count());
    TOdontogramRecord r;
    while (file.next(r))
        if (const std::optional<Entry> e = entry(r))
            out.append(*e);
    file.close();
    return out;
}

qsizetype append(const QString &path, const QList<Entry> &entries)
{
    if (entries.isEmpty())
        return 0;
    qsizetype written = 0;
    try {
        RecordFile file(path, TOdontogramRecord::Size);
        file.open(RecordFile::Write);
        for (const Entry &e : entries) {
            file.append(record(e));
            ++written;
        }
        file.close();
    } catch (const StorageError &) {
    }
    return written;
}

QString path(qint64 position) { return ProgramFolder::file(odontogramFileName(QString::number(position))); }

QMap<int, ToothState> latest(const QList<Entry> &entries)
{
    QMap<int, ToothState> out;
    QHash<int, Moment> when;
    for (const Entry &e : entries) {
        const auto at = when.constFind(e.fdi);
        if (at != when.cend() && e.when < *at)
            continue;
        when.insert(e.fdi, e.when);
        out.insert(e.fdi, e.state);
    }
    return out;
}

QList<Entry> history(const QList<Entry> &entries, int fdi)
{
    QList<Entry> out;
    for (const Entry &e : entries)
        if (e.fdi == fdi)
            out.append(e);
    std::stable_sort(out.begin(), out.end(), [](const Entry &a, const Entry &b) { return a.when < b.when; });
    return out;
}

QString historyLine(const Entry &e)
{
    return e.when.date().toString(kDateFormat) + QLatin1Char(' ') + e.when.time().toString(kTimeFormat)
           + QStringLiteral("   ") + describe(e.state, e.fdi);
}

QList<Entry> withChange(QList<Entry> pending, const QMap<int, ToothState> &saved, const Entry &change)
{
    pending.removeIf([&](const Entry &e) { return e.fdi == change.fdi; });
    const ToothState state = normalised(change.state);
    if (state != normalised(saved.value(change.fdi))) {
        Entry e = change;
        e.state = state;
        pending.append(e);
    }
    return pending;
}

} // namespace Odontogram
