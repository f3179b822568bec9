#include "appointments/AppointmentLines.h"

#include "app/Formats.h"
#include "app/TextRules.h"
#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

namespace AppointmentLines {

using TextRules::fixedColumn;

QString line(const TAppointmentRecord &r)
{
    return QStringLiteral("Data: ") + fixedColumn(r.Data.text(), 10) + QStringLiteral("  Ora: ")
           + fixedColumn(r.Ora.text(), 5) + QStringLiteral("  ") + fixedColumn(r.Causale.text(), 40)
           + QStringLiteral("  Paziente: ") + fixedColumn(r.Contatto.text(), 30) + QStringLiteral("  Cel. ")
           + fixedColumn(r.Cel.text(), 14) + QStringLiteral("  Importo: \u20AC ") + r.Importo.text();
}

bool listed(Status status, const TAppointmentRecord &record, const QDate &today)
{
    const QString flag = record.Ottemperata.text();
    switch (status) {
    case Status::DaAssolvere:
        return flag == kFlagNo;
    case Status::Assolti:
        return flag == kFlagYes;
    case Status::Scaduti: {
        if (flag != kFlagNo)
            return false;
        const QDate date = Formats::parseDate(record.Data.text());
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

bool matches(const Criteria &c, const TAppointmentRecord &r)
{
    const std::pair<const QString *, QString> pairs[] = {
        {&c.txtData, r.Data.text()},       {&c.txtOra, r.Ora.text()},           {&c.txtTipologia, r.Tipologia.text()},
        {&c.txtCausale, r.Causale.text()}, {&c.txtDettagli, r.Dettagli.text()}, {&c.txtContatto, r.Contatto.text()},
        {&c.txtTel, r.Tel.text()},         {&c.txtCel, r.Cel.text()},           {&c.txtLuogo, r.Luogo.text()},
        {&c.txtNote, r.Note.text()},
    };
    int occurring = 0;
    for (const auto &[criterion, field] : pairs)
        if (!AnsiText::isBlank(*criterion) && TextRules::foldAZ(field).contains(TextRules::foldAZ(*criterion)))
            ++occurring;
    return occurring >= filledCount(c);
}

namespace {
template<class Visit>
void eachRecord(Visit visit)
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    TAppointmentRecord record;
    while (file.next(record))
        visit(record, file.position());
    file.close();
}
} // namespace

void statusLines(Status status, const QDate &today, QStringList &lines)
{
    eachRecord([&](const TAppointmentRecord &r, qint64) {
        if (listed(status, r, today))
            lines.append(line(r));
    });
}

void foundLines(const Criteria &criteria, QStringList &lines)
{
    eachRecord([&](const TAppointmentRecord &r, qint64) {
        if (matches(criteria, r))
            lines.append(line(r));
    });
}

qint64 lastWithLine(const QString &selected, TAppointmentRecord &out)
{
    const QString wanted = AnsiText::trimmed(selected);
    qint64 found = 0;
    eachRecord([&](const TAppointmentRecord &r, qint64 position) {
        if (AnsiText::trimmed(line(r)) == wanted) {
            out = r;
            found = position;
        }
    });
    return found;
}

} // namespace AppointmentLines
