#pragma once

#include "billing/BillingRecords.h"
#include "billing/DocumentNumber.h"
#include "billing/Money.h"
#include "billing/PracticeData.h"

#include <QDate>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

struct TPatientRecord;

// Invoices and credit notes ("Fatture.pro", "Righe_Fatture.pro"). A document is drafted in
// memory (InvoiceDraft), checked (refusal), shown as it will be (preview) and issued (issue):
// its number is taken and the document written in one save, under the invoice archive's
// lock. An issued document never changes; only its sending to the Sistema TS is marked later
// (markSent). A mistake is put right by a credit note for all or part of it.
namespace Invoices {

enum class Kind { Invoice, CreditNote };
QString kindName(Kind kind); // "fattura", "nota di credito": as stored
// "Fattura", "Nota di credito"
QString kindCaption(Kind kind);

// The patient's data an invoice copies at issue.
struct Patient
{
    qint64 position = 0; // the card's position in the patient archive
    QString name;
    QString address;
    QString zip;
    QString city;
    QString province;
    QString codiceFiscale;

    static Patient fromRecord(qint64 position, const TPatientRecord &record);
    bool operator==(const Patient &) const = default;
};

enum class LineKind { Service, Stamp };
struct Line
{
    QString description;
    QString tooth;    // FDI number or empty
    qint64 cents = 0; // positive, for credit notes too
    QString expenseKind = Money::kDefaultExpenseKind;
    LineKind kind = LineKind::Service;
    qint64 treatment = 0; // position in the patient's register of the treatment it bills, 0 for none

    bool operator==(const Line &) const = default;
};

// What the user prepares. For a credit note, `corrects` names the invoice and the patient is
// taken from it (creditNoteDraft).
struct Draft
{
    Kind kind = Kind::Invoice;
    QDate date;
    Patient patient;
    QList<Line> lines; // services only: the stamp's line is added at issue when due
    QDate paymentDate; // none when not paid at issue
    std::optional<Money::Method> method;
    bool opposition = false;
    DocumentNumber corrects;
};

struct Invoice
{
    qint64 position = 0; // in "Fatture.pro"
    Kind kind = Kind::Invoice;
    DocumentNumber number;
    QDate date;
    Patient patient;
    QString partitaIva; // the practice's
    Money::Regime regime = Money::Regime::Ordinario;
    QString exemption;
    QList<Line> lines; // the stamp's line last, when charged
    bool stamp = false;
    bool stampCharged = false;
    qint64 totalCents = 0;
    QDate paymentDate;
    std::optional<Money::Method> method;
    bool traceable = false;
    bool opposition = false;
    DocumentNumber corrects;
    bool sent = false;
    QString protocol;
    QDate sentDate;

    // The services' amount, the stamp's line left out (the only other line): what the stamp
    // duty and a credit note's limit are measured on. Needs only the header.
    qint64 exemptCents() const;
    bool operator==(const Invoice &) const = default;
};

// The invoice a draft becomes (number left null): the stamp duty decided, its line added when
// charged to the patient, the total, the practice's wording and partita IVA copied.
Invoice preview(const Draft &draft, const PracticeData &practice);

// Why a draft cannot be issued, naming what is missing ("Per emettere la fattura mancano:
// il nome del paziente, il codice fiscale del paziente."), or empty. Checks what needs no
// archive; issue() checks the rest (dates against the series, a credit note's limit).
QString refusal(const Draft &draft);

// A credit note for the whole of an invoice: its patient, services and payment, dated `date`.
Draft creditNoteDraft(const Invoice &invoice, const QDate &date);

struct Issued
{
    bool issued = false;
    QString refusal; // when not issued
    Invoice invoice; // when issued: as written, with its number and position
};
// Numbers and writes the document: under the invoice archive's exclusive lock the last
// number of the draft's year is found and the lines then the header are written, the header
// last; a crash before it leaves no document and no number used. Refused (nothing written)
// for the reasons of refusal(), a date before the year's last document, a credit note whose
// invoice is missing or which exceeds what is left of it. Throws StorageError.
Issued issue(const QString &programFolder, const Draft &draft, const PracticeData &practice);

// ---- Reading ----------------------------------------------------------------------------
// Every whole header of the file in file order, streamed; the visitor returns false to stop.
// The lines are not read (Invoice::lines stays empty). Throws StorageError.
void scanHeaders(const QString &programFolder, const std::function<bool(const Invoice &)> &visit);
// The document with its lines, or nothing. Throws StorageError.
std::optional<Invoice> find(const QString &programFolder, const DocumentNumber &number);
// The documents of a patient with their lines, in number order.
QList<Invoice> ofPatient(const QString &programFolder, qint64 patient);
// The services of an invoice not yet taken back by credit notes, in cents.
qint64 remainingCents(const QString &programFolder, const DocumentNumber &invoice);

// The treatments of the patient's register not yet invoiced, as lines for a draft (the
// treatment's text, its amount, its position): those with an amount above zero that no
// invoice line bills, or whose billing a credit note line took back. Throws StorageError.
QList<Line> uninvoicedTreatments(const QString &programFolder, qint64 patient);

// Where the PDF of an issued document is kept, beside the archives:
// "Fatture/2026/Fattura_0001_2026.pdf", a credit note "Fatture/2026/Nota_di_credito_0002_2026.pdf".
QString pdfPath(const QString &programFolder, const Invoice &invoice);

// Records that a document was sent to the Sistema TS: only the three sending marks change.
// Returns false when there is no such document. Throws StorageError.
bool markSent(const QString &programFolder, const DocumentNumber &number, const QString &protocol, const QDate &date);

// ---- The record ------------------------------------------------------------------------
TInvoiceRecord header(const Invoice &invoice);
TInvoiceLineRecord lineRecord(const DocumentNumber &owner, const Line &line);
// The header's document (lines empty); nothing for a record that is not whole.
std::optional<Invoice> fromHeader(const TInvoiceRecord &record);
Line fromLineRecord(const TInvoiceLineRecord &record);
// The record's check field, from every byte before it.
QString checksum(const TInvoiceRecord &record);
bool isWhole(const TInvoiceRecord &record);

} // namespace Invoices
