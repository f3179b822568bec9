#include "billing/Ledger.h"

#include "base/Amount.h"
#include "chart/TreatmentRegister.h"
#include "storage/AnsiText.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"

#include <QDir>
#include <QHash>

#include <algorithm>

namespace Ledger {

namespace {

QString paymentsPath(const QString &folder) { return QDir(folder).absoluteFilePath(BillingFiles::kPayments); }

// The stamp duty the patients' invoices charged them, by patient: owed beside the treatments.
// Read from the records' bytes: the patient card shows a balance at every step.
QHash<qint64, qint64> stampsCharged(const QString &folder)
{
    QHash<qint64, qint64> out;
    const QString path = QDir(folder).absoluteFilePath(BillingFiles::kInvoices);
    if (!QFile::exists(path))
        return out;
    RecordFile file(path, TInvoiceRecord::Size);
    file.open(RecordFile::Read);
    TInvoiceRecord r{};
    while (file.next(r))
        if (Money::isYes(r.BolloAlPaziente.trimmedBytes()) && Invoices::isWhole(r))
            out[r.Paziente.trimmedBytes().toLongLong()] += Money::kStampCents;
    file.close();
    return out;
}

// The payments' amounts by patient, from the records' bytes.
QHash<qint64, qint64> paidByPatient(const QString &folder)
{
    QHash<qint64, qint64> out;
    RecordFile file(paymentsPath(folder), TPaymentRecord::Size);
    file.open(RecordFile::Read);
    TPaymentRecord r{};
    while (file.next(r)) {
        // The rule of payment(): a record whose date, amount or method do not read is passed over.
        const std::optional<qint64> cents = Amount::toCents(r.Importo.trimmedBytes());
        if (cents && Money::parseDate(r.Data.trimmedBytes()).isValid() && Money::parseMethod(r.Modalita.text()))
            out[r.Paziente.trimmedBytes().toLongLong()] += *cents;
    }
    file.close();
    return out;
}

} // namespace

TPaymentRecord record(const Payment &p)
{
    TPaymentRecord r{};
    r.Paziente.setText(QString::number(p.patient));
    r.Data.setText(Money::dateText(p.date));
    r.Importo.setText(Amount::fromCents(p.cents));
    r.Modalita.setText(Money::methodName(p.method));
    r.Tracciabile.setText(Money::flagText(p.traceable()));
    r.Note.setText(p.note);
    r.Preventivo.setText(p.estimate.text());
    r.Fattura.setText(p.invoice.text());
    return r;
}

std::optional<Payment> payment(const TPaymentRecord &r)
{
    Payment p;
    p.patient = r.Paziente.text().toLongLong();
    p.date = Money::parseDate(r.Data.text());
    const std::optional<qint64> cents = Amount::toCents(r.Importo.text());
    const std::optional<Money::Method> method = Money::parseMethod(r.Modalita.text());
    if (!p.date.isValid() || !cents || !method)
        return std::nullopt;
    p.cents = *cents;
    p.method = *method;
    p.note = r.Note.text();
    p.estimate = DocumentNumber::parse(r.Preventivo.text()).value_or(DocumentNumber{});
    p.invoice = DocumentNumber::parse(r.Fattura.text()).value_or(DocumentNumber{});
    return p;
}

QString refusal(const Payment &p)
{
    if (p.patient < 1)
        return QStringLiteral("Il pagamento non \u00E8 di nessun paziente.");
    if (!p.date.isValid())
        return QStringLiteral("Manca la data del pagamento.");
    if (p.cents <= 0 || p.cents > Money::kMaxCents)
        return QStringLiteral("L'importo del pagamento non \u00E8 valido.");
    return QString();
}

qint64 save(const QString &programFolder, const Payment &p)
{
    RecordFile file(paymentsPath(programFolder), TPaymentRecord::Size);
    file.open(RecordFile::Write);
    const TPaymentRecord r = record(p);
    qint64 position = p.position;
    if (position > 0)
        file.overwriteAt(position, r);
    else
        position = file.append(r);
    file.close();
    return position;
}

void scanPayments(const QString &programFolder, const std::function<bool(const Payment &)> &visit)
{
    RecordFile file(paymentsPath(programFolder), TPaymentRecord::Size);
    file.open(RecordFile::Read);
    TPaymentRecord r{};
    while (file.next(r)) {
        std::optional<Payment> p = payment(r);
        if (!p)
            continue;
        p->position = file.position();
        if (!visit(*p))
            break;
    }
    file.close();
}

QList<Payment> paymentsOf(const QString &programFolder, qint64 patient)
{
    QList<Payment> out;
    const QByteArray wanted = QByteArray::number(patient);
    RecordFile file(paymentsPath(programFolder), TPaymentRecord::Size);
    file.open(RecordFile::Read);
    TPaymentRecord r{};
    while (file.next(r)) {
        if (r.Paziente.trimmedBytes() != wanted)
            continue; // only the patient's records are read whole
        if (std::optional<Payment> p = payment(r)) {
            p->position = file.position();
            out.append(*p);
        }
    }
    file.close();
    return out;
}

qint64 treatmentsCents(const QString &registerPath)
{
    RecordFile file(registerPath, TTreatmentRecord::Size);
    file.open(RecordFile::Read);
    qint64 sum = 0;
    TTreatmentRecord r{};
    while (file.next(r))
        sum += TreatmentRegister::cents(r.Importo.text());
    file.close();
    return sum;
}

Money::Balance balance(const QString &programFolder, qint64 patient)
{
    Money::Balance b;
    const QString reg = QDir(programFolder).absoluteFilePath(treatmentFileName(QString::number(patient)));
    if (QFile::exists(reg))
        b.doneCents = treatmentsCents(reg);
    b.doneCents += stampsCharged(programFolder).value(patient);
    b.paidCents = paidByPatient(programFolder).value(patient);
    return b;
}

QList<Owing> patientsOwing(const QString &programFolder)
{
    const QHash<qint64, qint64> paid = paidByPatient(programFolder);
    const QHash<qint64, qint64> stamps = stampsCharged(programFolder);
    QHash<qint64, qint64> done = stamps; // a patient may owe only a stamp
    const QStringList files =
        QDir(programFolder).entryList({QStringLiteral("Trattamenti_Paziente_*.pro")}, QDir::Files);
    for (const QString &name : files) {
        bool ok = false;
        const qint64 patient = name.mid(21, name.size() - 25).toLongLong(&ok);
        if (ok && patient >= 1)
            done[patient] += treatmentsCents(QDir(programFolder).absoluteFilePath(name));
    }
    QList<Owing> out;
    for (auto it = done.cbegin(); it != done.cend(); ++it) {
        const Money::Balance b{it.value(), paid.value(it.key())};
        if (b.state() == Money::Balance::State::Owing)
            out.append(Owing{it.key(), b});
    }
    std::sort(out.begin(), out.end(), [](const Owing &a, const Owing &b) { return a.patient < b.patient; });
    return out;
}

Income income(const QString &programFolder, const QDate &from, const QDate &to)
{
    Income in;
    // The stored names of the methods, to know a record's method from its bytes.
    std::array<QByteArray, Money::kMethodCount> names;
    for (int m = 0; m < Money::kMethodCount; ++m)
        names[m] = AnsiText::toAnsi(Money::methodName(Money::Method(m)));
    RecordFile file(paymentsPath(programFolder), TPaymentRecord::Size);
    file.open(RecordFile::Read);
    TPaymentRecord r{};
    while (file.next(r)) {
        const QDate date = Money::parseDate(r.Data.trimmedBytes());
        if (!date.isValid() || date < from || date > to)
            continue;
        const std::optional<qint64> cents = Amount::toCents(r.Importo.trimmedBytes());
        const QByteArrayView method = r.Modalita.trimmedBytes();
        const auto found = std::find(names.cbegin(), names.cend(), method);
        if (!cents || found == names.cend())
            continue; // as payment() passes it over
        const auto m = Money::Method(found - names.cbegin());
        in.positions.append(file.position());
        in.byMethod[int(m)] += *cents;
        (Money::isTraceable(m) ? in.traceable : in.notTraceable) += *cents;
    }
    file.close();
    return in;
}

Income income(const QString &programFolder, const QDate &date, Period period)
{
    switch (period) {
    case Period::Day:
        return income(programFolder, date, date);
    case Period::Month:
        return income(programFolder, QDate(date.year(), date.month(), 1),
                      QDate(date.year(), date.month(), date.daysInMonth()));
    case Period::Year:
        break;
    }
    return income(programFolder, QDate(date.year(), 1, 1), QDate(date.year(), 12, 31));
}

QList<Payment> paymentsAt(const QString &programFolder, const QList<qint64> &positions)
{
    QList<Payment> out;
    RecordFile file(paymentsPath(programFolder), TPaymentRecord::Size);
    file.open(RecordFile::Read);
    TPaymentRecord r{};
    for (qint64 position : positions) {
        file.readAt(position, r);
        Payment p = payment(r).value_or(Payment{});
        p.position = position;
        out.append(p);
    }
    file.close();
    return out;
}

QList<RegisterRow> invoiceRegister(const QString &programFolder, int year)
{
    // Streamed, each record's year looked at in its bytes and only the columns of the
    // register read: this is the list of a whole year.
    QList<RegisterRow> rows;
    const QByteArray yearBytes = QByteArray::number(year);
    const QString invoicesPath = QDir(programFolder).absoluteFilePath(BillingFiles::kInvoices);
    RecordFile headers(invoicesPath, TInvoiceRecord::Size);
    headers.open(RecordFile::Read);
    TInvoiceRecord r{};
    const QByteArray creditNote = AnsiText::toAnsi(Invoices::kindName(Invoices::Kind::CreditNote));
    while (headers.next(r)) {
        if (r.Anno.trimmedBytes() != yearBytes || !Invoices::isWhole(r))
            continue;
        RegisterRow row;
        row.number = DocumentNumber{int(r.Numero.trimmedBytes().toInt()), year};
        row.kind = r.Tipo.trimmedBytes() == creditNote ? Invoices::Kind::CreditNote : Invoices::Kind::Invoice;
        row.date = Money::parseDate(r.Data.trimmedBytes());
        row.patient = r.Paziente.trimmedBytes().toLongLong();
        row.name = r.Nome.text();
        row.totalCents = Amount::toCents(r.Totale.trimmedBytes()).value_or(0);
        row.paid = !r.DataPagamento.trimmedBytes().isEmpty();
        row.sent = Money::isYes(r.Inviata.trimmedBytes());
        if (!r.Rettifica.trimmedBytes().isEmpty())
            row.corrects = DocumentNumber::parse(r.Rettifica.text()).value_or(DocumentNumber{});
        rows.append(row);
    }
    headers.close();

    QHash<int, qint64> paidTo; // by invoice number, this year's only
    const QByteArray yearSuffix = '/' + yearBytes;
    RecordFile payments(paymentsPath(programFolder), TPaymentRecord::Size);
    payments.open(RecordFile::Read);
    TPaymentRecord p{};
    while (payments.next(p)) {
        if (!p.Fattura.trimmedBytes().endsWith(yearSuffix))
            continue;
        const std::optional<DocumentNumber> invoice = DocumentNumber::parse(p.Fattura.text());
        if (invoice && invoice->year == year)
            paidTo[invoice->number] += Amount::toCents(p.Importo.trimmedBytes()).value_or(0);
    }
    payments.close();
    for (RegisterRow &row : rows)
        if (row.kind == Invoices::Kind::Invoice && !row.paid)
            row.paid = paidTo.value(row.number.number) >= row.totalCents;
    std::sort(rows.begin(), rows.end(), [](const RegisterRow &a, const RegisterRow &b) { return a.number < b.number; });
    return rows;
}

} // namespace Ledger
