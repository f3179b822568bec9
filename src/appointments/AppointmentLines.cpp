#include "appointments/AppointmentLines.h"

#include "base/Formats.h"
#include "base/TextRules.h"
#include "appointments/AppointmentArchive.h"
#include "storage/AppointmentRecord.h"

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace AppointmentLines {

QString line(const TAppointmentRecord &r)
{
    // Built in place from the record's bytes: a list of a hundred thousand lines must not
    // cost a string per column.
    QString out;
    out.reserve(160);
    out.append(QLatin1String("Data: "));
    r.Data.appendTo(out, 10);
    out.append(QLatin1String("  Ora: "));
    r.Ora.appendTo(out, 5);
    out.append(QLatin1String("  "));
    r.Causale.appendTo(out, 40);
    out.append(QLatin1String("  Paziente: "));
    r.Contatto.appendTo(out, 30);
    out.append(QLatin1String("  Cel. "));
    r.Cel.appendTo(out, 14);
    out.append(QStringLiteral("  Importo: \u20AC "));
    r.Importo.appendTo(out);
    return out;
}

namespace {
// A status list's rule for one today, on the record's bytes.
class Selector
{
public:
    Selector(Status status, const QDate &today) : m_status(status), m_today(Formats::dateNumber(today)) {}
    bool operator()(const TAppointmentRecord &record) const
    {
        switch (m_status) {
        case Status::DaAssolvere:
            return hasFlag(record.Ottemperata, kFlagNoBytes);
        case Status::Assolti:
            return hasFlag(record.Ottemperata, kFlagYesBytes);
        case Status::Scaduti: {
            if (!hasFlag(record.Ottemperata, kFlagNoBytes))
                return false;
            const int date = Formats::dateNumber(record.Data.trimmedBytes());
            return date != 0 && date < m_today;
        }
        }
        return false;
    }

private:
    Status m_status;
    int m_today;
};
} // namespace

bool listed(Status status, const TAppointmentRecord &record, const QDate &today)
{
    return Selector(status, today)(record);
}

int filledCount(const Criteria &c)
{
    int n = 0;
    for (const QString *text : {&c.txtData, &c.txtOra, &c.txtTipologia, &c.txtCausale, &c.txtDettagli, &c.txtContatto,
                                &c.txtTel, &c.txtCel, &c.txtLuogo, &c.txtNote})
        if (!AnsiText::isBlank(*text))
            ++n;
    return n;
}

namespace {

// The filled criteria, folded once, each with the field it is looked for in. The fields are
// searched in their stored bytes: a to z fold alike in the bytes and in the characters, and
// each byte stands for one character, so a criterion is found in the bytes exactly where it
// is found in the text.
class Matcher
{
public:
    explicit Matcher(const Criteria &c)
    {
        using R = TAppointmentRecord;
        const std::pair<const QString *, RecordField> pairs[] = {
            {&c.txtData, SORRISA_FIELD(R, Data)},
            {&c.txtOra, SORRISA_FIELD(R, Ora)},
            {&c.txtTipologia, SORRISA_FIELD(R, Tipologia)},
            {&c.txtCausale, SORRISA_FIELD(R, Causale)},
            {&c.txtDettagli, SORRISA_FIELD(R, Dettagli)},
            {&c.txtContatto, SORRISA_FIELD(R, Contatto)},
            {&c.txtTel, SORRISA_FIELD(R, Tel)},
            {&c.txtCel, SORRISA_FIELD(R, Cel)},
            {&c.txtLuogo, SORRISA_FIELD(R, Luogo)},
            {&c.txtNote, SORRISA_FIELD(R, Note)},
        };
        for (const auto &[criterion, field] : pairs) {
            if (AnsiText::isBlank(*criterion))
                continue;
            const QString folded = TextRules::foldAZ(*criterion);
            const QByteArray bytes = AnsiText::toAnsi(folded);
            // A character no field can hold: no card has it.
            if (AnsiText::fromAnsi(bytes) != folded)
                m_never = true;
            m_wanted.append({bytes, field.offset, field.capacity});
        }
    }

    // No criterion at all: every card is found, whatever it holds.
    bool takesAll() const { return !m_never && m_wanted.isEmpty(); }

    bool operator()(const TAppointmentRecord &r) const
    {
        if (m_never)
            return false;
        const char *record = reinterpret_cast<const char *>(&r);
        for (const Wanted &w : m_wanted)
            if (!holds(record + w.offset, w.capacity, w.folded))
                return false;
        return true;
    }

private:
    struct Wanted
    {
        QByteArray folded;
        int offset;
        int capacity;
    };

    // The field's text, trimmed and with A to Z folded, holds the folded criterion.
    static bool holds(const char *field, int capacity, const QByteArray &folded)
    {
        int length = static_cast<unsigned char>(field[0]);
        if (length > capacity)
            length = capacity;
        const auto *chars = reinterpret_cast<const unsigned char *>(field + 1);
        int begin = 0;
        while (begin < length && chars[begin] <= 32)
            ++begin;
        while (length > begin && chars[length - 1] <= 32)
            --length;
        const int n = length - begin;
        const int m = int(folded.size());
        const auto *want = reinterpret_cast<const unsigned char *>(folded.constData());
        const auto fold = [](unsigned char b) { return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + 32) : b; };
        const auto matchesAt = [&](int i) {
            int j = 1;
            while (j < m && fold(chars[begin + i + j]) == want[j])
                ++j;
            return j == m;
        };
        // Folded as it is compared, without a copy of the field. The places where the first
        // character is found are looked for sixteen at a time; only they are compared in full.
        const int last = n - m; // the last place the criterion can start
        int i = 0;
#ifdef __SSE2__
        const __m128i first = _mm_set1_epi8(char(want[0]));
        const __m128i beforeA = _mm_set1_epi8('A' - 1), afterZ = _mm_set1_epi8('Z' + 1), lower = _mm_set1_epi8(32);
        // The field's room is read, not only its text: the places past the text are left out.
        for (; i <= last && begin + i + 16 <= capacity; i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(chars + begin + i));
            // Bytes from 128 up compare as negative, so they are never taken for capitals.
            const __m128i capital = _mm_and_si128(_mm_cmpgt_epi8(bytes, beforeA), _mm_cmplt_epi8(bytes, afterZ));
            const __m128i lowered = _mm_add_epi8(bytes, _mm_and_si128(capital, lower));
            unsigned found = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(lowered, first)));
            if (last - i < 15)
                found &= (1u << (last - i + 1)) - 1;
            for (; found; found &= found - 1)
                if (matchesAt(i + std::countr_zero(found)))
                    return true;
        }
#endif
        for (; i <= last; ++i)
            if (fold(chars[begin + i]) == want[0] && matchesAt(i))
                return true;
        return false;
    }

    QList<Wanted> m_wanted;
    bool m_never = false;
};

} // namespace

bool matches(const Criteria &c, const TAppointmentRecord &r) { return Matcher(c)(r); }

void statusPositions(Status status, const QDate &today, std::vector<qint64> &positions)
{
    wantedPositions(Selector(status, today), positions);
}

void foundPositions(const Criteria &criteria, std::vector<qint64> &positions)
{
    const Matcher matches(criteria);
    if (matches.takesAll()) {
        // Nothing to compare, so nothing to read: the cards are read when their lines are.
        const qint64 count = appointmentCount();
        positions.reserve(positions.size() + size_t(count));
        for (qint64 position = 1; position <= count; ++position)
            positions.push_back(position);
        return;
    }
    wantedPositions(matches, positions);
}

SharedLines linesAt(std::vector<qint64> positions)
{
    return std::make_shared<const RecordLines>(
        ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size,
        [](const char *bytes) { return line(*reinterpret_cast<const TAppointmentRecord *>(bytes)); },
        std::move(positions));
}

} // namespace AppointmentLines
