#include "billing/PriceList.h"

#include "base/Amount.h"
#include "chart/Odontogram.h"
#include "storage/AnsiText.h"
#include "storage/RecordFile.h"

#include <QDir>

namespace PriceList {

namespace {

QString filePath(const QString &folder) { return QDir(folder).absoluteFilePath(BillingFiles::kPriceList); }

} // namespace

TPriceRecord record(const Item &item)
{
    TPriceRecord r{};
    r.Codice.setText(item.code);
    r.Descrizione.setText(item.description);
    r.Prezzo.setText(Amount::fromCents(item.cents));
    r.TipoSpesa.setText(item.expenseKind);
    r.Lavoro.setText(item.work);
    return r;
}

std::optional<Item> item(const TPriceRecord &r)
{
    const std::optional<qint64> cents = Amount::toCents(r.Prezzo.text());
    if (!cents)
        return std::nullopt;
    Item i;
    i.code = r.Codice.text();
    i.description = r.Descrizione.text();
    i.cents = *cents;
    i.expenseKind = r.TipoSpesa.text();
    if (i.expenseKind.isEmpty())
        i.expenseKind = Money::kDefaultExpenseKind;
    i.work = r.Lavoro.text();
    return i;
}

QString refusal(const Item &item, const QList<Item> &list)
{
    const QString code = AnsiText::trimmed(item.code);
    if (code.isEmpty())
        return QStringLiteral("Manca il codice della prestazione.");
    if (AnsiText::isBlank(item.description))
        return QStringLiteral("Manca la descrizione della prestazione.");
    if (item.cents < 0 || item.cents > Money::kMaxCents)
        return QStringLiteral("Il prezzo della prestazione non \u00E8 valido.");
    const QString kind = AnsiText::trimmed(item.expenseKind);
    if (kind.size() != 2 || !kind.at(0).isUpper() || !kind.at(1).isUpper())
        return QStringLiteral("Il tipo di spesa \u00E8 di due lettere maiuscole (SR per le prestazioni del dentista).");
    if (!AnsiText::isBlank(item.work) && !Odontogram::parseState(AnsiText::trimmed(item.work)))
        return QStringLiteral("Il lavoro \"%1\" non \u00E8 uno stato dell'odontogramma.")
            .arg(AnsiText::trimmed(item.work));
    for (const Item &other : list)
        if (other.position != item.position && AnsiText::trimmed(other.code).compare(code, Qt::CaseInsensitive) == 0)
            return QStringLiteral("Il codice %1 \u00E8 gi\u00E0 usato da \"%2\".").arg(code, other.description);
    return QString();
}

qint64 save(const QString &programFolder, const Item &item)
{
    RecordFile file(filePath(programFolder), TPriceRecord::Size);
    file.open(RecordFile::Write);
    qint64 position = item.position;
    if (position > 0)
        file.overwriteAt(position, record(item));
    else
        position = file.append(record(item));
    file.close();
    return position;
}

QList<Item> read(const QString &programFolder)
{
    QList<Item> out;
    RecordFile file(filePath(programFolder), TPriceRecord::Size);
    file.open(RecordFile::Read);
    TPriceRecord r{};
    while (file.next(r)) {
        if (std::optional<Item> i = item(r)) {
            i->position = file.position();
            out.append(*i);
        }
    }
    file.close();
    return out;
}

QList<Item> search(const QList<Item> &list, const QString &text)
{
    const QString t = AnsiText::trimmed(text);
    QList<Item> out;
    for (const Item &i : list)
        if (i.code.contains(t, Qt::CaseInsensitive) || i.description.contains(t, Qt::CaseInsensitive))
            out.append(i);
    return out;
}

std::optional<Item> forWork(const QList<Item> &list, const QString &work)
{
    const QString w = AnsiText::trimmed(work);
    if (w.isEmpty())
        return std::nullopt;
    for (const Item &i : list)
        if (AnsiText::trimmed(i.work) == w)
            return i;
    return std::nullopt;
}

} // namespace PriceList
