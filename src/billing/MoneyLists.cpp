#include "billing/MoneyLists.h"

#include "base/Amount.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace MoneyLists {

namespace {

// A column of a fixed-column line: cut to its width, padded with blanks.
QString cell(const QString &text, int width) { return text.left(width).leftJustified(width, QLatin1Char(' ')); }
QString amountCell(qint64 cents, int width) { return Money::euro(cents).rightJustified(width, QLatin1Char(' ')); }

} // namespace

QStringList patientNames(const QString &programFolder, const QList<qint64> &positions)
{
    QStringList out;
    out.reserve(positions.size());
    const QString path = QDir(programFolder).filePath(kPatientArchive);
    if (!QFileInfo::exists(path)) {
        for (qsizetype i = 0; i < positions.size(); ++i)
            out.append(QString());
        return out;
    }
    RecordFile file(path, TPatientRecord::Size);
    file.open(RecordFile::Read);
    const qint64 count = file.count();
    TPatientRecord record{};
    for (qint64 p : positions) {
        if (p < 1 || p > count) {
            out.append(QString());
            continue;
        }
        file.readAt(p, reinterpret_cast<char *>(&record));
        out.append(record.Name.text().trimmed());
    }
    return out;
}

// ---- Listino prestazioni ------------------------------------------------------------------

QString priceLine(const PriceList::Item &item)
{
    return cell(item.code, 10) + QLatin1Char(' ') + cell(item.description, 44) + QLatin1Char(' ')
           + amountCell(item.cents, 12) + QStringLiteral("  ") + cell(item.expenseKind, 2) + QStringLiteral("  ")
           + item.work;
}

QList<Spreadsheet::Column> priceColumns()
{
    return {{QStringLiteral("Codice"), 80},
            {QStringLiteral("Descrizione"), 320},
            {QStringLiteral("Prezzo"), 100},
            {QStringLiteral("Tipo di spesa"), 90},
            {QStringLiteral("Lavoro"), 140}};
}

ExportTable priceTable(const QList<PriceList::Item> &items)
{
    ExportTable table(5);
    for (const PriceList::Item &i : items)
        table.appendRow(i.position,
                        QStringList{i.code, i.description, Amount::fromCents(i.cents), i.expenseKind, i.work});
    return table;
}

// ---- Registro fatture ---------------------------------------------------------------------

QString registerLine(const Ledger::RegisterRow &row)
{
    const bool note = row.kind == Invoices::Kind::CreditNote;
    QString kind = note ? QStringLiteral("NC") : QStringLiteral("F ");
    QString line = cell(kind + QLatin1Char(' ') + row.number.text(), 11) + QLatin1Char(' ')
                   + cell(Money::dateText(row.date), 10) + QLatin1Char(' ') + cell(row.name, 24) + QLatin1Char(' ')
                   + amountCell(note ? -row.totalCents : row.totalCents, 12) + QStringLiteral("  ")
                   + cell(note       ? QString()
                          : row.paid ? QStringLiteral("pagata")
                                     : QStringLiteral("da pagare"),
                          9)
                   + QStringLiteral("  ")
                   + cell(row.sent ? QStringLiteral("inviata") : QStringLiteral("non inviata"), 11);
    if (note && !row.corrects.isNull())
        line += QStringLiteral("  rettifica ") + row.corrects.text();
    return line;
}

QStringList registerLines(const QList<Ledger::RegisterRow> &rows)
{
    QStringList out;
    qint64 total = 0;
    for (const Ledger::RegisterRow &r : rows) {
        out.append(registerLine(r));
        total += r.kind == Invoices::Kind::CreditNote ? -r.totalCents : r.totalCents;
    }
    if (!out.isEmpty())
        out.append(QString());
    out.append(QStringLiteral("Documenti: %1   Totale fatturato al netto delle note di credito: %2")
                   .arg(rows.size())
                   .arg(Money::euro(total)));
    return out;
}

QList<Spreadsheet::Column> registerColumns()
{
    return {{QStringLiteral("Numero"), 80},
            {QStringLiteral("Tipo"), 110},
            {QStringLiteral("Data"), 80},
            {QStringLiteral("Paziente"), 240},
            {QStringLiteral("Totale"), 100},
            {QStringLiteral("Pagata"), 60},
            {QStringLiteral("Inviata al Sistema TS"), 130},
            {QStringLiteral("Rettifica"), 80}};
}

ExportTable registerTable(const QList<Ledger::RegisterRow> &rows)
{
    ExportTable table(8);
    qint64 n = 0;
    for (const Ledger::RegisterRow &r : rows) {
        const bool note = r.kind == Invoices::Kind::CreditNote;
        table.appendRow(++n, QStringList{r.number.text(), Invoices::kindCaption(r.kind), Money::dateText(r.date),
                                         r.name, Amount::fromCents(note ? -r.totalCents : r.totalCents),
                                         note ? QString() : Money::flagText(r.paid), Money::flagText(r.sent),
                                         r.corrects.isNull() ? QString() : r.corrects.text()});
    }
    return table;
}

// ---- Incassi ------------------------------------------------------------------------------

QString paymentLine(const Ledger::Payment &p, const QString &name)
{
    QString ref;
    if (!p.invoice.isNull())
        ref = QStringLiteral("fattura ") + p.invoice.text();
    else if (!p.estimate.isNull())
        ref = QStringLiteral("acconto P ") + p.estimate.text();
    return cell(Money::dateText(p.date), 10) + QLatin1Char(' ') + cell(name, 24) + QLatin1Char(' ')
           + amountCell(p.cents, 12) + QStringLiteral("  ") + cell(Money::methodCaption(p.method), 16)
           + QStringLiteral("  ")
           + cell(p.traceable() ? QStringLiteral("tracciabile") : QStringLiteral("non tracciabile"), 15)
           + QStringLiteral("  ") + ref;
}

QStringList incomeTotals(const Ledger::Income &income)
{
    QStringList out;
    out.append(QString());
    for (int m = 0; m < Money::kMethodCount; ++m)
        out.append(
            cell(QStringLiteral("Totale ") + Money::methodCaption(Money::Method(m)).toLower() + QLatin1Char(':'), 34)
            + amountCell(income.byMethod[size_t(m)], 15));
    out.append(cell(QStringLiteral("Totale tracciabile:"), 34) + amountCell(income.traceable, 15));
    out.append(cell(QStringLiteral("Totale non tracciabile:"), 34) + amountCell(income.notTraceable, 15));
    out.append(cell(QStringLiteral("Totale incassato:"), 34) + amountCell(income.total(), 15));
    return out;
}

QList<Spreadsheet::Column> incomeColumns()
{
    return {{QStringLiteral("Data"), 80},       {QStringLiteral("Paziente"), 240},   {QStringLiteral("Importo"), 100},
            {QStringLiteral("Modalità"), 120},  {QStringLiteral("Tracciabile"), 80}, {QStringLiteral("Fattura"), 80},
            {QStringLiteral("Preventivo"), 80}, {QStringLiteral("Note"), 240}};
}

ExportTable incomeTable(const QList<Ledger::Payment> &payments, const QStringList &names)
{
    ExportTable table(8);
    for (qsizetype i = 0; i < payments.size(); ++i) {
        const Ledger::Payment &p = payments.at(i);
        table.appendRow(p.position, QStringList{Money::dateText(p.date), names.value(i), Amount::fromCents(p.cents),
                                                Money::methodCaption(p.method), Money::flagText(p.traceable()),
                                                p.invoice.isNull() ? QString() : p.invoice.text(),
                                                p.estimate.isNull() ? QString() : p.estimate.text(), p.note});
    }
    return table;
}

QString periodText(const QDate &date, Ledger::Period period)
{
    switch (period) {
    case Ledger::Period::Day:
        return QStringLiteral("Giorno ") + Money::dateText(date);
    case Ledger::Period::Month: {
        const QString month = QLocale(QLocale::Italian).standaloneMonthName(date.month());
        return month.left(1).toUpper() + month.mid(1) + QLatin1Char(' ') + QString::number(date.year());
    }
    case Ledger::Period::Year:
        break;
    }
    return QStringLiteral("Anno ") + QString::number(date.year());
}

// ---- Pazienti con saldo da pagare -----------------------------------------------------------

QString owingLine(const Ledger::Owing &o, const QString &name)
{
    return cell(QString::number(o.patient), 7) + QLatin1Char(' ') + cell(name, 36) + QLatin1Char(' ')
           + amountCell(o.balance.doneCents, 12) + QLatin1Char(' ') + amountCell(o.balance.paidCents, 12)
           + QLatin1Char(' ') + amountCell(o.balance.cents(), 12);
}

QString owingTotal(const QList<Ledger::Owing> &owing)
{
    qint64 total = 0;
    for (const Ledger::Owing &o : owing)
        total += o.balance.cents();
    return QStringLiteral("Pazienti: %1   Totale da incassare: %2").arg(owing.size()).arg(Money::euro(total));
}

QList<Spreadsheet::Column> owingColumns()
{
    return {{QStringLiteral("Scheda"), 60},
            {QStringLiteral("Paziente"), 240},
            {QStringLiteral("Trattamenti"), 100},
            {QStringLiteral("Pagato"), 100},
            {QStringLiteral("Da pagare"), 100}};
}

ExportTable owingTable(const QList<Ledger::Owing> &owing, const QStringList &names)
{
    ExportTable table(5);
    for (qsizetype i = 0; i < owing.size(); ++i) {
        const Ledger::Owing &o = owing.at(i);
        table.appendRow(o.patient,
                        QStringList{QString::number(o.patient), names.value(i), Amount::fromCents(o.balance.doneCents),
                                    Amount::fromCents(o.balance.paidCents), Amount::fromCents(o.balance.cents())});
    }
    return table;
}

} // namespace MoneyLists
