#include "billing/Invoices.h"

#include "billing/DocumentStore.h"
#include "base/Amount.h"
#include "patients/TaxChecks.h"
#include "storage/AnsiText.h"
#include "storage/PatientRecord.h"
#include "storage/TreatmentRecord.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QtEndian>

#include <algorithm>

namespace Invoices {

namespace {

QString path(const QString &folder, const QString &name) { return QDir(folder).absoluteFilePath(name); }

const QString kService = QStringLiteral("prestazione");
const QString kStamp = QStringLiteral("bollo");

// A patient's codice fiscale: sixteen characters with their check character, or the eleven
// digits of a provisional one.
bool validCodiceFiscale(const QString &cf)
{
    const QString t = AnsiText::trimmed(cf);
    if (t.size() == 11)
        return TaxChecks::partitaIva(t) == TaxChecks::Result::Valid;
    return TaxChecks::codiceFiscale(t) == TaxChecks::Result::Valid;
}

// What is left of an invoice, found in an open header file; the invoice itself through
// `found` (nothing when the file has none).
qint64 remainingIn(RecordFile &headers, const DocumentNumber &number, std::optional<Invoice> *found)
{
    if (headers.count() == 0) {
        found->reset();
        return 0;
    }
    qint64 credited = 0;
    found->reset();
    TInvoiceRecord r{};
    headers.readAt(1, r); // from the start whatever was read before; next() goes on from here
    for (bool more = true; more; more = headers.next(r)) {
        const std::optional<Invoice> doc = fromHeader(r);
        if (!doc)
            continue;
        if (doc->kind == Kind::Invoice && doc->number == number)
            *found = doc;
        else if (doc->kind == Kind::CreditNote && doc->corrects == number)
            credited += doc->totalCents;
    }
    return *found ? (*found)->exemptCents() - credited : 0;
}

} // namespace

QString kindName(Kind kind)
{
    return kind == Kind::Invoice ? QStringLiteral("fattura") : QStringLiteral("nota di credito");
}

QString kindCaption(Kind kind)
{
    return kind == Kind::Invoice ? QStringLiteral("Fattura") : QStringLiteral("Nota di credito");
}

Patient Patient::fromRecord(qint64 position, const TPatientRecord &record)
{
    return Patient{position,
                   record.Name.text(),
                   record.Street.text(),
                   record.Zip.text(),
                   record.City.text(),
                   record.State.text(),
                   record.TaxNumber.text().toUpper()};
}

qint64 Invoice::exemptCents() const { return totalCents - (stampCharged ? Money::kStampCents : 0); }

Invoice preview(const Draft &draft, const PracticeData &practice)
{
    Invoice inv;
    inv.kind = draft.kind;
    inv.number = DocumentNumber{0, draft.date.year()};
    inv.date = draft.date;
    inv.patient = draft.patient;
    inv.partitaIva = AnsiText::trimmed(practice.partitaIva);
    inv.regime = practice.regime;
    inv.exemption = practice.exemption();
    qint64 services = 0;
    for (Line l : draft.lines) {
        l.kind = LineKind::Service;
        inv.lines.append(l);
        services += l.cents;
    }
    inv.stamp = Money::stampDue(services);
    // A credit note bears the stamp too, but never charges it back.
    inv.stampCharged = inv.stamp && practice.bolloAlPaziente && draft.kind == Kind::Invoice;
    if (inv.stampCharged)
        inv.lines.append(
            Line{Money::kStampLine, QString(), Money::kStampCents, Money::kDefaultExpenseKind, LineKind::Stamp, 0});
    for (const Line &l : inv.lines)
        inv.totalCents += l.cents;
    inv.paymentDate = draft.paymentDate;
    inv.method = draft.method;
    inv.traceable = draft.method && Money::isTraceable(*draft.method);
    inv.opposition = draft.opposition;
    inv.corrects = draft.kind == Kind::CreditNote ? draft.corrects : DocumentNumber{};
    return inv;
}

QString refusal(const Draft &draft)
{
    const bool note = draft.kind == Kind::CreditNote;
    QStringList missing;
    if (AnsiText::isBlank(draft.patient.name))
        missing << QStringLiteral("il nome del paziente");
    if (AnsiText::isBlank(draft.patient.address) || AnsiText::isBlank(draft.patient.city))
        missing << QStringLiteral("l'indirizzo del paziente");
    if (AnsiText::isBlank(draft.patient.codiceFiscale))
        missing << QStringLiteral("il codice fiscale del paziente");
    if (!missing.isEmpty())
        return (note ? QStringLiteral("Per emettere la nota di credito mancano: ")
                     : QStringLiteral("Per emettere la fattura mancano: "))
               + missing.join(QStringLiteral(", ")) + QLatin1Char('.');
    if (!validCodiceFiscale(draft.patient.codiceFiscale))
        return QStringLiteral(
                   "Il codice fiscale del paziente (%1) non \u00E8 valido: correggerlo nella scheda del paziente.")
            .arg(AnsiText::trimmed(draft.patient.codiceFiscale));
    if (!draft.date.isValid())
        return QStringLiteral("Manca la data del documento.");
    if (note && draft.corrects.isNull())
        return QStringLiteral("Indicare la fattura che la nota di credito rettifica.");
    if (draft.lines.isEmpty())
        return note ? QStringLiteral("La nota di credito non ha righe: aggiungerne almeno una.")
                    : QStringLiteral("La fattura non ha righe: aggiungerne almeno una.");
    for (qsizetype i = 0; i < draft.lines.size(); ++i) {
        const Line &l = draft.lines.at(i);
        if (AnsiText::isBlank(l.description))
            return QStringLiteral("La riga %1 non ha una descrizione.").arg(i + 1);
        if (l.cents <= 0 || l.cents > Money::kMaxCents)
            return QStringLiteral("La riga %1 non ha un importo valido.").arg(i + 1);
    }
    if (draft.paymentDate.isValid() != draft.method.has_value())
        return QStringLiteral("Indicare sia la data sia la modalit\u00E0 del pagamento, oppure nessuna delle due.");
    if (draft.paymentDate.isValid() && draft.paymentDate > draft.date)
        return QStringLiteral("La data del pagamento non pu\u00F2 seguire quella del documento.");
    return QString();
}

Draft creditNoteDraft(const Invoice &invoice, const QDate &date)
{
    Draft d;
    d.kind = Kind::CreditNote;
    d.date = date;
    d.patient = invoice.patient;
    for (const Line &l : invoice.lines)
        if (l.kind == LineKind::Service)
            d.lines.append(l);
    d.opposition = invoice.opposition;
    d.corrects = invoice.number;
    return d;
}

Issued issue(const QString &programFolder, const Draft &draft, const PracticeData &practice)
{
    Issued out;
    out.refusal = refusal(draft);
    if (!out.refusal.isEmpty())
        return out;
    Invoice inv = preview(draft, practice);

    RecordFile headers(path(programFolder, BillingFiles::kInvoices), TInvoiceRecord::Size);
    headers.open(RecordFile::Write); // the series' lock, held until the header is written
    if (draft.kind == Kind::CreditNote) {
        std::optional<Invoice> original;
        const qint64 left = remainingIn(headers, draft.corrects, &original);
        if (!original) {
            out.refusal = QStringLiteral("La fattura %1 non esiste.").arg(draft.corrects.text());
            return out;
        }
        if (original->patient.position != draft.patient.position) {
            out.refusal = QStringLiteral("La fattura %1 \u00E8 di un altro paziente.").arg(draft.corrects.text());
            return out;
        }
        if (draft.date < original->date) {
            out.refusal = QStringLiteral("La nota di credito non pu\u00F2 precedere la fattura %1 del %2.")
                              .arg(draft.corrects.text(), Money::dateText(original->date));
            return out;
        }
        if (inv.exemptCents() > left) {
            out.refusal = QStringLiteral("La nota di credito supera quanto resta della fattura %1 (%2).")
                              .arg(draft.corrects.text(), Money::euro(left));
            return out;
        }
    }
    const int year = draft.date.year();
    const DocumentStore::Last last = DocumentStore::lastOfYear<TInvoiceRecord>(headers, year, isWhole);
    if (last.date.isValid() && draft.date < last.date) {
        out.refusal = QStringLiteral("La data %1 precede quella dell'ultimo documento emesso, %2 del %3.")
                          .arg(Money::dateText(draft.date), last.number.text(), Money::dateText(last.date));
        return out;
    }
    inv.number = DocumentNumber{last.number.number + 1, year};
    if (inv.number.number > 999999)
        throw StorageError(headers.path() + QStringLiteral(": the year's numbers are used up"));

    QList<TInvoiceLineRecord> lines;
    for (const Line &l : inv.lines)
        lines.append(lineRecord(inv.number, l));
    TInvoiceRecord h = header(inv);
    h.PrimaRiga.setText(
        QString::number(DocumentStore::appendLines(path(programFolder, BillingFiles::kInvoiceLines), lines)));
    h.Righe.setText(QString::number(lines.size()));
    h.Controllo.setText(checksum(h));
    inv.position = headers.append(h); // the document exists from here on
    headers.close();
    out.issued = true;
    out.invoice = inv;
    return out;
}

void scanHeaders(const QString &programFolder, const std::function<bool(const Invoice &)> &visit)
{
    RecordFile headers(path(programFolder, BillingFiles::kInvoices), TInvoiceRecord::Size);
    headers.open(RecordFile::Read);
    TInvoiceRecord r{};
    while (headers.next(r)) {
        std::optional<Invoice> inv = fromHeader(r);
        if (!inv)
            continue;
        inv->position = headers.position();
        if (!visit(*inv))
            break;
    }
    headers.close();
}

namespace {

// The lines of headers read before, from the line file.
void readLinesOf(const QString &programFolder, QList<std::pair<Invoice, TInvoiceRecord>> &docs)
{
    if (docs.isEmpty())
        return;
    RecordFile file(path(programFolder, BillingFiles::kInvoiceLines), TInvoiceLineRecord::Size);
    file.open(RecordFile::Read);
    for (auto &[inv, rec] : docs) {
        const QList<TInvoiceLineRecord> lines = DocumentStore::readLines<TInvoiceLineRecord>(
            file, rec.PrimaRiga.text().toLongLong(), rec.Righe.text().toInt(), inv.number);
        for (const TInvoiceLineRecord &l : lines)
            inv.lines.append(fromLineRecord(l));
    }
    file.close();
}

QList<Invoice> withLines(const QString &programFolder, const std::function<bool(const Invoice &)> &wanted)
{
    QList<std::pair<Invoice, TInvoiceRecord>> docs;
    RecordFile headers(path(programFolder, BillingFiles::kInvoices), TInvoiceRecord::Size);
    headers.open(RecordFile::Read);
    TInvoiceRecord r{};
    while (headers.next(r)) {
        std::optional<Invoice> inv = fromHeader(r);
        if (inv && wanted(*inv)) {
            inv->position = headers.position();
            docs.append({*inv, r});
        }
    }
    headers.close();
    readLinesOf(programFolder, docs);
    QList<Invoice> out;
    for (const auto &d : docs)
        out.append(d.first);
    std::sort(out.begin(), out.end(), [](const Invoice &a, const Invoice &b) { return a.number < b.number; });
    return out;
}

} // namespace

std::optional<Invoice> find(const QString &programFolder, const DocumentNumber &number)
{
    const QList<Invoice> found = withLines(programFolder, [&](const Invoice &i) { return i.number == number; });
    if (found.isEmpty())
        return std::nullopt;
    return found.first();
}

QList<Invoice> ofPatient(const QString &programFolder, qint64 patient)
{
    return withLines(programFolder, [&](const Invoice &i) { return i.patient.position == patient; });
}

qint64 remainingCents(const QString &programFolder, const DocumentNumber &invoice)
{
    RecordFile headers(path(programFolder, BillingFiles::kInvoices), TInvoiceRecord::Size);
    headers.open(RecordFile::Read);
    std::optional<Invoice> found;
    const qint64 left = remainingIn(headers, invoice, &found);
    headers.close();
    return left;
}

QList<Line> uninvoicedTreatments(const QString &programFolder, qint64 patient)
{
    QHash<qint64, int> billed; // by register position: invoice lines less credit note lines
    for (const Invoice &inv : ofPatient(programFolder, patient))
        for (const Line &l : inv.lines)
            if (l.treatment > 0)
                billed[l.treatment] += inv.kind == Kind::Invoice ? 1 : -1;
    QList<Line> out;
    const QString regPath = path(programFolder, treatmentFileName(QString::number(patient)));
    if (!QFile::exists(regPath))
        return out; // a card without a register: nothing made for it here
    RecordFile reg(regPath, TTreatmentRecord::Size);
    reg.open(RecordFile::Read);
    TTreatmentRecord r{};
    while (reg.next(r)) {
        const qint64 cents = Amount::toCents(r.Importo.trimmedBytes()).value_or(0);
        if (cents <= 0 || cents > Money::kMaxCents || billed.value(reg.position()) > 0)
            continue;
        out.append(Line{r.Trattamenti.text(), QString(), cents, Money::kDefaultExpenseKind, LineKind::Service,
                        reg.position()});
    }
    reg.close();
    return out;
}

QString pdfPath(const QString &programFolder, const Invoice &invoice)
{
    const QString name =
        QStringLiteral("%1_%2_%3.pdf")
            .arg(invoice.kind == Kind::Invoice ? QStringLiteral("Fattura") : QStringLiteral("Nota_di_credito"))
            .arg(invoice.number.number, 4, 10, QLatin1Char('0'))
            .arg(invoice.number.year);
    return QDir(programFolder)
        .absoluteFilePath(BillingFiles::kPdfFolder + QLatin1Char('/') + QString::number(invoice.number.year)
                          + QLatin1Char('/') + name);
}

bool markSent(const QString &programFolder, const DocumentNumber &number, const QString &protocol, const QDate &date)
{
    RecordFile headers(path(programFolder, BillingFiles::kInvoices), TInvoiceRecord::Size);
    headers.open(RecordFile::Write);
    TInvoiceRecord r{};
    for (qint64 p = headers.count(); p >= 1; --p) {
        headers.readAt(p, r);
        if (!isWhole(r) || DocumentStore::numberOf(r) != number)
            continue;
        r.Inviata.setText(Money::kYes);
        r.Protocollo.setText(protocol);
        r.DataInvio.setText(Money::dateText(date));
        r.Controllo.setText(checksum(r));
        headers.overwriteAt(p, r); // through the journal: all or nothing
        headers.close();
        return true;
    }
    headers.close();
    return false;
}

TInvoiceRecord header(const Invoice &inv)
{
    TInvoiceRecord r{};
    DocumentStore::setNumber(r, inv.number);
    r.Tipo.setText(kindName(inv.kind));
    r.Data.setText(Money::dateText(inv.date));
    r.Paziente.setText(QString::number(inv.patient.position));
    r.Nome.setText(inv.patient.name);
    r.Indirizzo.setText(inv.patient.address);
    r.Cap.setText(inv.patient.zip);
    r.Citta.setText(inv.patient.city);
    r.Provincia.setText(inv.patient.province);
    r.CodiceFiscale.setText(inv.patient.codiceFiscale);
    r.PartitaIva.setText(inv.partitaIva);
    r.Regime.setText(Money::regimeName(inv.regime));
    r.Esenzione.setText(inv.exemption);
    r.DataPagamento.setText(Money::dateText(inv.paymentDate));
    r.Modalita.setText(inv.method ? Money::methodName(*inv.method) : QString());
    r.Tracciabile.setText(Money::flagText(inv.traceable));
    r.Opposizione.setText(Money::flagText(inv.opposition));
    r.Bollo.setText(Money::flagText(inv.stamp));
    r.BolloAlPaziente.setText(Money::flagText(inv.stampCharged));
    r.Totale.setText(Amount::fromCents(inv.totalCents));
    r.Rettifica.setText(inv.corrects.text());
    r.Inviata.setText(Money::flagText(inv.sent));
    r.Protocollo.setText(inv.protocol);
    r.DataInvio.setText(Money::dateText(inv.sentDate));
    r.PrimaRiga.setText(QStringLiteral("0"));
    r.Righe.setText(QString::number(inv.lines.size()));
    r.Controllo.setText(checksum(r));
    return r;
}

TInvoiceLineRecord lineRecord(const DocumentNumber &owner, const Line &line)
{
    TInvoiceLineRecord r{};
    DocumentStore::setNumber(r, owner);
    r.Descrizione.setText(line.description);
    r.Dente.setText(line.tooth);
    r.Importo.setText(Amount::fromCents(line.cents));
    r.TipoSpesa.setText(line.expenseKind);
    r.Voce.setText(line.kind == LineKind::Stamp ? kStamp : kService);
    r.Trattamento.setText(line.treatment > 0 ? QString::number(line.treatment) : QString());
    return r;
}

std::optional<Invoice> fromHeader(const TInvoiceRecord &r)
{
    if (!isWhole(r))
        return std::nullopt;
    Invoice inv;
    const QString tipo = r.Tipo.text();
    if (tipo == kindName(Kind::Invoice))
        inv.kind = Kind::Invoice;
    else if (tipo == kindName(Kind::CreditNote))
        inv.kind = Kind::CreditNote;
    else
        return std::nullopt;
    inv.number = DocumentStore::numberOf(r);
    inv.date = Money::parseDate(r.Data.text());
    if (inv.number.number < 1 || !inv.date.isValid())
        return std::nullopt;
    inv.patient = Patient{r.Paziente.text().toLongLong(),
                          r.Nome.text(),
                          r.Indirizzo.text(),
                          r.Cap.text(),
                          r.Citta.text(),
                          r.Provincia.text(),
                          r.CodiceFiscale.text()};
    inv.partitaIva = r.PartitaIva.text();
    inv.regime = Money::parseRegime(r.Regime.text()).value_or(Money::Regime::Ordinario);
    inv.exemption = r.Esenzione.text();
    inv.stamp = Money::isYes(r.Bollo.text());
    inv.stampCharged = Money::isYes(r.BolloAlPaziente.text());
    inv.totalCents = Amount::toCents(r.Totale.text()).value_or(0);
    inv.paymentDate = Money::parseDate(r.DataPagamento.text());
    inv.method = Money::parseMethod(r.Modalita.text());
    inv.traceable = Money::isYes(r.Tracciabile.text());
    inv.opposition = Money::isYes(r.Opposizione.text());
    inv.corrects = DocumentNumber::parse(r.Rettifica.text()).value_or(DocumentNumber{});
    inv.sent = Money::isYes(r.Inviata.text());
    inv.protocol = r.Protocollo.text();
    inv.sentDate = Money::parseDate(r.DataInvio.text());
    return inv;
}

Line fromLineRecord(const TInvoiceLineRecord &r)
{
    return Line{r.Descrizione.text(),
                r.Dente.text(),
                Amount::toCents(r.Importo.text()).value_or(0),
                r.TipoSpesa.text(),
                r.Voce.text() == kStamp ? LineKind::Stamp : LineKind::Service,
                r.Trattamento.text().toLongLong()};
}

namespace {

quint64 checksumValue(const TInvoiceRecord &record)
{
    // Fletcher-64 over the little-endian 32-bit words (the last one padded with zeros): a torn
    // record (a page that never reached the disk) fails it, and it costs a fraction of the
    // record's reading, which the register does for every record of the file.
    const char *bytes = recordBytes(record);
    constexpr int kLength = int(offsetof(TInvoiceRecord, Controllo));
    quint64 a = 0, b = 0; // fewer than 300 words: no overflow before the final reduction
    int i = 0;
    for (; i + 4 <= kLength; i += 4) {
        a += qFromLittleEndian<quint32>(bytes + i);
        b += a;
    }
    if (i < kLength) {
        quint32 last = 0;
        for (int k = 0; i + k < kLength; ++k)
            last |= quint32(static_cast<unsigned char>(bytes[i + k])) << (8 * k);
        a += last;
        b += a;
    }
    constexpr quint64 kModulus = 0xFFFFFFFFULL;
    return (b % kModulus) << 32 | (a % kModulus);
}

} // namespace

QString checksum(const TInvoiceRecord &record)
{
    return QStringLiteral("%1").arg(checksumValue(record), 16, 16, QLatin1Char('0')).toUpper();
}

bool isWhole(const TInvoiceRecord &record)
{
    const QByteArrayView stored = record.Controllo.trimmedBytes();
    bool ok = false;
    const quint64 value = stored.toULongLong(&ok, 16);
    return ok && stored.size() == 16 && value == checksumValue(record);
}

} // namespace Invoices
