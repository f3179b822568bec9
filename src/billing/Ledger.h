#pragma once

#include "billing/BillingRecords.h"
#include "billing/DocumentNumber.h"
#include "billing/Invoices.h"
#include "billing/Money.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <optional>

// Payments ("Pagamenti.pro"), the patients' balances, the income of a period and the
// invoice register of a year. The lists stream their files once.
namespace Ledger {

struct Payment
{
    qint64 position = 0; // in "Pagamenti.pro"; 0 for a new one
    qint64 patient = 0;
    QDate date;
    qint64 cents = 0;
    Money::Method method = Money::Method::Contanti;
    QString note;
    DocumentNumber estimate; // an advance on that estimate
    DocumentNumber invoice;  // the payment of that invoice

    bool traceable() const { return Money::isTraceable(method); }
    bool operator==(const Payment &) const = default;
};

TPaymentRecord record(const Payment &payment);
// Nothing for a record whose date, amount or method do not read.
std::optional<Payment> payment(const TPaymentRecord &record);

// Why a payment cannot be saved, or empty.
QString refusal(const Payment &payment);
// Appends a new payment (position 0) or writes over the one at its position (through the
// journal), once refusal() is empty. Returns the position. Throws StorageError.
qint64 save(const QString &programFolder, const Payment &payment);
// Every payment in file order, streamed; the visitor returns false to stop.
void scanPayments(const QString &programFolder, const std::function<bool(const Payment &)> &visit);
QList<Payment> paymentsOf(const QString &programFolder, qint64 patient);

// The amounts of a treatment register file in cents (those that do not read count as zero).
qint64 treatmentsCents(const QString &registerPath);
// The patient's balance: the register's treatments, and the stamp duty their invoices charged
// them, less the payments.
Money::Balance balance(const QString &programFolder, qint64 patient);

// "Pazienti con saldo da pagare": every patient whose balance is above zero, by position.
struct Owing
{
    qint64 patient = 0;
    Money::Balance balance;
};
QList<Owing> patientsOwing(const QString &programFolder);

// The income of a period, both days included: the positions of its payments in file order
// (a long list reads its lines when shown: paymentsAt) and the totals.
struct Income
{
    QList<qint64> positions;
    std::array<qint64, Money::kMethodCount> byMethod{}; // indexed by Money::Method
    qint64 traceable = 0;
    qint64 notTraceable = 0;
    qint64 total() const { return traceable + notTraceable; }
};
// Streamed, only the date, the amount and the method of each payment read.
Income income(const QString &programFolder, const QDate &from, const QDate &to);
// The day, the month or the year of a date, as the income window's periods.
enum class Period { Day, Month, Year };
Income income(const QString &programFolder, const QDate &date, Period period);
// The payments at some positions, in their order. Throws StorageError.
QList<Payment> paymentsAt(const QString &programFolder, const QList<qint64> &positions);

// One row of "Registro fatture".
struct RegisterRow
{
    DocumentNumber number;
    Invoices::Kind kind = Invoices::Kind::Invoice;
    QDate date;
    qint64 patient = 0;
    QString name;
    qint64 totalCents = 0;
    bool paid = false; // paid at issue, or by payments linked to it that reach its total
    bool sent = false;
    DocumentNumber corrects;
};
// The year's invoices and credit notes in number order; the invoice file and the payments
// are each read once.
QList<RegisterRow> invoiceRegister(const QString &programFolder, int year);

} // namespace Ledger
