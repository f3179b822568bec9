#pragma once

#include "billing/Ledger.h"
#include "billing/PriceList.h"
#include "export/ExportTable.h"
#include "export/Spreadsheet.h"

#include <QList>
#include <QString>
#include <QStringList>

// The practice's lists as the administration windows show, print and export them: one
// fixed-column line per row (the list's font is fixed-width), and the same rows as a
// spreadsheet's grid. Window-free.
namespace MoneyLists {

// The name on a patient card by its position in the patient archive; empty when there is no
// such card. Throws StorageError.
QStringList patientNames(const QString &programFolder, const QList<qint64> &positions);

// "Listino prestazioni"
QString priceLine(const PriceList::Item &item);
QList<Spreadsheet::Column> priceColumns();
ExportTable priceTable(const QList<PriceList::Item> &items);

// "Registro fatture": a line per document, then the year's total.
QString registerLine(const Ledger::RegisterRow &row);
QStringList registerLines(const QList<Ledger::RegisterRow> &rows);
QList<Spreadsheet::Column> registerColumns();
ExportTable registerTable(const QList<Ledger::RegisterRow> &rows);

// "Incassi": a line per payment (with the patient's name), then the totals by method and
// traceable / not traceable.
QString paymentLine(const Ledger::Payment &payment, const QString &name);
QStringList incomeTotals(const Ledger::Income &income);
QList<Spreadsheet::Column> incomeColumns();
ExportTable incomeTable(const QList<Ledger::Payment> &payments, const QStringList &names);
// "Giorno 11/12/2026", "Dicembre 2026", "Anno 2026"
QString periodText(const QDate &date, Ledger::Period period);

// "Pazienti con saldo da pagare": a line per patient, then the total owed.
QString owingLine(const Ledger::Owing &owing, const QString &name);
QString owingTotal(const QList<Ledger::Owing> &owing);
QList<Spreadsheet::Column> owingColumns();
ExportTable owingTable(const QList<Ledger::Owing> &owing, const QStringList &names);

} // namespace MoneyLists
