#pragma once

#include "billing/BillingRecords.h"
#include "billing/Money.h"

#include <QList>
#include <QString>

#include <optional>

// "Listino prestazioni" ("Listino_Prestazioni.pro"): the services with their prices, each with
// the Sistema TS kind of expense and, when it has one, the odontogram work it prices, so that
// a planned finding finds its price.
namespace PriceList {

struct Item
{
    qint64 position = 0; // in the file; 0 for a new one
    QString code;
    QString description;
    qint64 cents = 0;
    QString expenseKind = Money::kDefaultExpenseKind;
    QString work; // an odontogram state's name ("corona"), or empty

    bool operator==(const Item &) const = default;
};

TPriceRecord record(const Item &item);
// Nothing for a record whose price does not read.
std::optional<Item> item(const TPriceRecord &record);

// Why an item cannot be saved beside the others of the list (a code already used by another,
// no description, a kind of expense that is not two letters, a work the chart does not know),
// or empty.
QString refusal(const Item &item, const QList<Item> &list);
// Appends a new item or writes over the one at its position, once refusal() is empty.
// Throws StorageError.
qint64 save(const QString &programFolder, const Item &item);
// The list in file order. Throws StorageError.
QList<Item> read(const QString &programFolder);

// The items whose code or description holds the text, any case, in list order.
QList<Item> search(const QList<Item> &list, const QString &text);
// The first item that prices a work.
std::optional<Item> forWork(const QList<Item> &list, const QString &work);

} // namespace PriceList
