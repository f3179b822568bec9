#include "chart/TreatmentRegister.h"

#include "base/Amount.h"
#include "base/CardFields.h"
#include "base/TextRules.h"
#include "storage/RecordFile.h"

#include <Qt>

namespace TreatmentRegister {

QString line(const TTreatmentRecord &record)
{
    QString out;
    out.reserve(160);
    out += QStringLiteral("Data: ");
    TextRules::appendColumn(out, record.Data.text(), 10);
    out += QStringLiteral("   Ora: ");
    TextRules::appendColumn(out, record.Ora.text(), 5);
    out += QStringLiteral("   Servizi: ");
    TextRules::appendColumn(out, record.Trattamenti.text(), 50);
    out += QStringLiteral("  Dentista: ");
    TextRules::appendColumn(out, record.Dentista.text(), 28);
    out += QStringLiteral("  Costo: € ");
    out += AnsiText::trimmed(record.Importo.text());
    return out;
}

qint64 cents(const QString &importo) { return Amount::toCents(importo).value_or(0); }

QString totalText(const Amount::Sum &total) { return QStringLiteral("€ ") + total.text(); }

Listing read(const QString &path)
{
    Listing listing;
    RecordFile file(path, TTreatmentRecord::Size);
    file.open(RecordFile::Read);
    TTreatmentRecord record;
    while (file.next(record)) {
        const QString importo = AnsiText::trimmed(record.Importo.text());
        if (importo.isEmpty())
            continue; // not listed, but it keeps its position
        listing.lines.append(line(record));
        listing.positions.append(file.position());
        listing.total.add(cents(importo));
    }
    file.close();
    return listing;
}

TTreatmentRecord readAt(const QString &path, qint64 position)
{
    RecordFile file(path, TTreatmentRecord::Size);
    file.open(RecordFile::Read);
    if (position < 1 || position > file.count())
        throw StorageError(QStringLiteral("no treatment %1 in %2").arg(position).arg(path));
    TTreatmentRecord record;
    file.readAt(position, record);
    file.close();
    return record;
}

qint64 save(const QString &path, const TTreatmentRecord &record, qint64 position)
{
    RecordFile file(path, TTreatmentRecord::Size);
    file.open(RecordFile::Write);
    if (position > file.count())
        throw StorageError(QStringLiteral("no treatment %1 in %2").arg(position).arg(path));
    qint64 written = position;
    if (position <= 0)
        written = file.append(record);
    else
        file.overwriteAt(position, record);
    file.close();
    return written;
}

TTreatmentRecord record(const QString &data, const QString &ora, const QString &trattamenti, const QString &dentista,
                        const QString &importo)
{
    TTreatmentRecord r{};
    r.Data.setText(AnsiText::trimmed(data));
    r.Ora.setText(AnsiText::trimmed(ora));
    r.Trattamenti.setText(AnsiText::trimmed(trattamenti));
    r.Dentista.setText(AnsiText::trimmed(dentista));
    r.Importo.setText(AnsiText::trimmed(importo));
    return r;
}

bool amountAccepts(int key, const QString &text)
{
    if (CardFields::editingKey(key))
        return true;
    return text.size() == 1
           && ((text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9')) || text.at(0) == QLatin1Char(','));
}

int firstEmpty(const QStringList &fields)
{
    for (int i = 0; i < fields.size(); ++i)
        if (AnsiText::isBlank(fields[i]))
            return i;
    return -1;
}

QString requiredMessage(int field)
{
    static const QString messages[] = {
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare la data in cui è stato effettuato il "
                       "trattamento dentale."),
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'ora in cui è stato effettuato il "
                       "trattamento dentale."),
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare i trattamenti dentali effettuati."),
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del dentista che ha "
                       "effettuato il trattamento."),
        QStringLiteral("Attenzione: per salvare la scheda è necessario indicare l'importo pagato dal paziente."),
    };
    return field >= 0 && field < 5 ? messages[field] : QString();
}

const QString kEditEmpty = QStringLiteral("Modifica non applicabile: la lista non contiene nessuna voce.");
const QString kEditNoSelection =
    QStringLiteral("Attenzione: selezionare una voce dall'elenco prima di premere il pulsante di modifica.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kFindEmpty = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

} // namespace TreatmentRegister
