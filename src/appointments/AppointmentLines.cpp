#include "appointments/AppointmentLines.h"

#include "base/Formats.h"
#include "base/TextRules.h"
#include "appointments/AppointmentArchive.h"
#include "storage/AppointmentRecord.h"

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

bool listed(Status status, const TAppointmentRecord &record, const QDate &today)
{
    const QByteArrayView flag = record.Ottemperata.trimmedBytes();
    switch (status) {
    case Status::DaAssolvere:
        return flag == kFlagNoBytes;
    case Status::Assolti:
        return flag == kFlagYesBytes;
    case Status::Scaduti: {
        if (flag != kFlagNoBytes)
            return false;
        const QDate date = Formats::parseDate(record.Data.trimmedBytes());
        return date.isValid() && date < today;
    }
    }
    return false;
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

// The filled criteria, folded once, each with the field it is looked for in.
class Matcher
{
public:
    explicit Matcher(const Criteria &c)
    {
        using R = TAppointmentRecord;
        const std::pair<const QString *, QString (*)(const R &)> pairs[] = {
            {&c.txtData, [](const R &r) { return r.Data.text(); }},
            {&c.txtOra, [](const R &r) { return r.Ora.text(); }},
            {&c.txtTipologia, [](const R &r) { return r.Tipologia.text(); }},
            {&c.txtCausale, [](const R &r) { return r.Causale.text(); }},
            {&c.txtDettagli, [](const R &r) { return r.Dettagli.text(); }},
            {&c.txtContatto, [](const R &r) { return r.Contatto.text(); }},
            {&c.txtTel, [](const R &r) { return r.Tel.text(); }},
            {&c.txtCel, [](const R &r) { return r.Cel.text(); }},
            {&c.txtLuogo, [](const R &r) { return r.Luogo.text(); }},
            {&c.txtNote, [](const R &r) { return r.Note.text(); }},
        };
        for (const auto &[criterion, field] : pairs)
            if (!AnsiText::isBlank(*criterion))
                m_wanted.append({TextRules::foldAZ(*criterion), field});
    }

    bool operator()(const TAppointmentRecord &r) const
    {
        for (const Wanted &w : m_wanted)
            if (!TextRules::foldAZ(w.field(r)).contains(w.folded))
                return false;
        return true;
    }

private:
    struct Wanted
    {
        QString folded;
        QString (*field)(const TAppointmentRecord &);
    };
    QList<Wanted> m_wanted;
};

} // namespace

bool matches(const Criteria &c, const TAppointmentRecord &r) { return Matcher(c)(r); }

void statusLines(Status status, const QDate &today, Lines &lines)
{
    eachAppointment([&](const TAppointmentRecord &r, qint64 position) {
        if (listed(status, r, today))
            lines.append(line(r), position);
    });
}

void foundLines(const Criteria &criteria, Lines &lines)
{
    const Matcher matches(criteria);
    eachAppointment([&](const TAppointmentRecord &r, qint64 position) {
        if (matches(r))
            lines.append(line(r), position);
    });
}

} // namespace AppointmentLines
