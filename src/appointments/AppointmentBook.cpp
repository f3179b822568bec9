#include "appointments/AppointmentBook.h"

#include "base/Formats.h"
#include "appointments/AppointmentArchive.h"
#include "appointments/BookSettings.h"
#include "print/BookDocument.h"
#include "storage/AppointmentRecord.h"

#include <QSet>

#include <algorithm>
#include <tuple>

namespace AppointmentBook {

namespace {

// One or two digits, as the card's lists write them ("09") or a hand-made file might ("9").
std::optional<int> number(QByteArrayView bytes, int most)
{
    if (bytes.isEmpty() || bytes.size() > 2)
        return std::nullopt;
    int n = 0;
    for (char c : bytes) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n > most)
        return std::nullopt;
    return n;
}

const char *const kDayNames[] = {"luned\u00EC",  "marted\u00EC", "mercoled\u00EC", "gioved\u00EC",
                                 "venerd\u00EC", "sabato",       "domenica"};

} // namespace

std::optional<int> minuteOf(const TAppointmentRecord &record)
{
    const auto hours = number(record.OreApp.trimmedBytes(), 23);
    const auto minutes = number(record.MinutiApp.trimmedBytes(), 59);
    if (!hours || !minutes)
        return std::nullopt;
    return *hours * 60 + *minutes;
}

std::optional<Entry> entryOf(const TAppointmentRecord &record, qint64 position)
{
    auto e = readEntry(record, position);
    if (e && e->minute < 0)
        return std::nullopt;
    return e;
}

QString untimedNotice(qsizetype count)
{
    if (count <= 0)
        return {};
    return count == 1 ? QStringLiteral("1 appuntamento senza un orario valido")
                      : QStringLiteral("%1 appuntamenti senza un orario valido").arg(count);
}

std::optional<Entry> readEntry(const TAppointmentRecord &record, qint64 position)
{
    const QDate date = Formats::parseDate(record.Data.trimmedBytes());
    if (!date.isValid())
        return std::nullopt;
    const auto minute = minuteOf(record);
    Entry e;
    e.position = position;
    e.date = date;
    e.minute = minute ? *minute : -1;
    e.contact = record.Contatto.text();
    e.treatments = record.Causale.text();
    e.dentist = record.Tipologia.text();
    e.flag = hasFlag(record.Ottemperata, kFlagYesBytes)  ? Flag::Fulfilled
             : hasFlag(record.Ottemperata, kFlagNoBytes) ? Flag::Open
                                                         : Flag::Other;
    return e;
}

State stateOf(const Entry &entry, const QDate &today)
{
    switch (entry.flag) {
    case Flag::Fulfilled:
        return State::Fulfilled;
    case Flag::Open:
        return entry.date < today ? State::Overdue : State::Open;
    case Flag::Other:
        break;
    }
    return State::Other;
}

QString stateText(State state)
{
    switch (state) {
    case State::Fulfilled:
        return QStringLiteral("assolto");
    case State::Open:
        return QStringLiteral("da assolvere");
    case State::Overdue:
        return QStringLiteral("scaduto e non assolto");
    case State::Other:
        break;
    }
    return {};
}

QString timeText(int minute)
{
    const int h = minute / 60, m = minute % 60;
    const QChar text[5] = {QChar(u'0' + h / 10), QChar(u'0' + h % 10), QChar(u':'), QChar(u'0' + m / 10),
                           QChar(u'0' + m % 10)};
    return QString(text, 5);
}

QString blockName(const Entry &entry, State state)
{
    QStringList parts{timeText(entry.minute)};
    for (const QString &part : {entry.contact, entry.treatments, entry.dentist, stateText(state)})
        if (!part.isEmpty())
            parts.append(part);
    return parts.join(QStringLiteral(", "));
}

int rowCount(const Hours &hours) { return (hours.last - hours.first) / kRowMinutes; }

int rowOf(int minute, const Hours &hours) { return (minute - hours.first) / kRowMinutes; }

int minuteOfRow(int row, const Hours &hours) { return hours.first + row * kRowMinutes; }

Hours shownHours(const Hours &set, const std::vector<int> &minutes)
{
    Hours shown = set.first >= 0 && set.last <= 24 * 60 && set.first < set.last ? set : kDefaultHours;
    shown.first -= shown.first % 60;
    if (shown.last % 60)
        shown.last += 60 - shown.last % 60;
    for (int m : minutes) {
        shown.first = std::min(shown.first, m - m % 60);
        shown.last = std::max(shown.last, m - m % 60 + 60);
    }
    return shown;
}

std::vector<Place> place(const std::vector<int> &minutes, const Hours &hours)
{
    const int rows = rowCount(hours);
    std::vector<Place> places(minutes.size());
    size_t i = 0;
    while (i < minutes.size()) {
        const int row = std::clamp(rowOf(minutes[i], hours), 0, std::max(0, rows - 1));
        size_t end = i;
        while (end < minutes.size() && std::clamp(rowOf(minutes[end], hours), 0, std::max(0, rows - 1)) == row)
            ++end;
        // Down to the next row that holds a block, an hour at most, never past the grid.
        int reach = std::min(row + kLongestStretchRows, rows);
        if (end < minutes.size())
            reach = std::min(reach, std::clamp(rowOf(minutes[end], hours), 0, std::max(0, rows - 1)));
        const int span = std::max(1, reach - row);
        const int columns = int(end - i);
        for (size_t k = i; k < end; ++k)
            places[k] = Place{row, span, int(k - i), columns};
        i = end;
    }
    return places;
}

QDate mondayOf(const QDate &day) { return day.addDays(1 - day.dayOfWeek()); }

QList<QDate> weekDays(const QDate &anyDay, bool sundayHasAppointments)
{
    const QDate monday = mondayOf(anyDay);
    QList<QDate> days;
    for (int i = 0; i < (sundayHasAppointments ? 7 : 6); ++i)
        days.append(monday.addDays(i));
    return days;
}

QString dentistKey(const QString &dentist)
{
    const QString decomposed = dentist.normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (QChar c : decomposed)
        if (c.isLetterOrNumber())
            key.append(c.toCaseFolded());
    return key;
}

int colourIndex(const QString &dentist)
{
    const QString key = dentistKey(dentist);
    if (key.isEmpty())
        return -1;
    // FNV-1a over the key's UTF-16 units: the same in every run (qHash is seeded per run).
    quint32 h = 2166136261u;
    for (QChar c : key) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return int(h % kPaletteSize);
}

Look lookOf(const Entry &entry, State state) { return lookOf(colourIndex(entry.dentist), state); }

Look lookOf(int colourIndex, State state)
{
    const Colour c = paletteColour(colourIndex);
    switch (state) {
    case State::Fulfilled:
        return {Theme::paler(c.fill, 0.6), Theme::paler(c.edge, 0.55), Theme::Colour::FulfilledInk};
    case State::Overdue:
        return {c.fill, c.edge, kOverdueInk};
    case State::Open:
    case State::Other:
        break;
    }
    return {c.fill, c.edge, Theme::Colour::Ink};
}

QStringList blockLines(const Entry &entry, State state)
{
    QStringList lines{entry.contact.isEmpty() ? timeText(entry.minute)
                                              : timeText(entry.minute) + QLatin1Char(' ') + entry.contact};
    for (const QString &part : {entry.treatments, entry.dentist})
        if (!part.isEmpty())
            lines.append(part);
    if (state == State::Fulfilled || state == State::Overdue)
        lines.append(stateText(state).toUpper());
    return lines;
}

int Layout::colourOf(const QString &dentist) const
{
    const auto found = colours.constFind(dentist);
    return found != colours.constEnd() ? *found : colourIndex(dentist);
}

Layout layout(const QList<QDate> &days, const std::vector<Entry> &entries, const Hours &set, DentistColours *colours)
{
    Layout out;
    std::vector<int> all;
    for (const QDate &date : days) {
        Day day;
        day.date = date;
        for (const Entry &e : entries)
            if (e.date == date)
                day.entries.push_back(e);
        for (const Entry &e : day.entries) {
            all.push_back(e.minute);
            if (!out.colours.contains(e.dentist))
                out.colours.insert(e.dentist, colours ? colours->indexOf(e.dentist) : colourIndex(e.dentist));
        }
        out.days.append(std::move(day));
    }
    out.hours = shownHours(set, all);
    for (Day &day : out.days) {
        std::vector<int> minutes;
        minutes.reserve(day.entries.size());
        for (const Entry &e : day.entries)
            minutes.push_back(e.minute);
        day.places = place(minutes, out.hours);
    }
    return out;
}

QStringList dentists(const Layout &layout)
{
    QStringList shown;
    QStringList keys;
    // Each text once: a week holds thousands of blocks and a handful of dentists' texts.
    QSet<QString> seen;
    bool none = false;
    for (const Day &day : layout.days)
        for (const Entry &e : day.entries) {
            if (seen.contains(e.dentist))
                continue;
            seen.insert(e.dentist);
            const QString key = dentistKey(e.dentist);
            if (key.isEmpty())
                none = true;
            else if (!keys.contains(key)) {
                keys.append(key);
                shown.append(e.dentist);
            }
        }
    if (none)
        shown.append(QString());
    return shown;
}

BookDocument::Book printedBook(const Layout &layout, const QDate &today, const QDate &printedOn)
{
    BookDocument::Book book;
    book.landscape = layout.days.size() > 1;
    QList<QDate> dates;
    for (const Day &day : layout.days) {
        dates.append(day.date);
        book.days.append(dayTitle(day.date));
    }
    book.title = QStringLiteral("Calendario appuntamenti - ") + periodTitle(dates);
    book.firstMinute = layout.hours.first;
    book.rows = rowCount(layout.hours);
    for (int d = 0; d < layout.days.size(); ++d) {
        const Day &day = layout.days[d];
        for (size_t i = 0; i < day.entries.size(); ++i) {
            const Entry &e = day.entries[i];
            const State state = stateOf(e, today);
            const Look look = lookOf(layout.colourOf(e.dentist), state);
            const Place &p = day.places[i];
            // The state in words on every block: a grey printer loses the colours that mark it.
            QStringList lines = blockLines(e, state);
            if (state == State::Open)
                lines.append(stateText(state));
            book.blocks.append({d, p.row, p.rows, p.column, p.columns, lines, look.fill, look.edge, look.ink});
        }
    }
    for (const QString &dentist : dentists(layout))
        book.legend.append({dentist.isEmpty() ? QStringLiteral("Dentista non indicato") : dentist,
                            paletteColour(layout.colourOf(dentist)).edge});
    book.footer = QStringLiteral("Stampa eseguita in data ") + Formats::dateText(printedOn);
    return book;
}

QString dayTitle(const QDate &day)
{
    return QString::fromUtf8(kDayNames[day.dayOfWeek() - 1]) + QLatin1Char(' ') + Formats::dateText(day);
}

QString periodTitle(const QList<QDate> &days)
{
    if (days.isEmpty())
        return {};
    if (days.size() == 1)
        return dayTitle(days.first());
    return QStringLiteral("dal %1 al %2").arg(dayTitle(days.first()), dayTitle(days.last()));
}

} // namespace AppointmentBook
