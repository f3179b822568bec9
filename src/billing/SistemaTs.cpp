#include "billing/SistemaTs.h"

#include "billing/DocumentStore.h"
#include "billing/Ledger.h"
#include "storage/RecordFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSettings>
#include <QXmlStreamWriter>

#include <archive.h>
#include <archive_entry.h>
#include <gnutls/abstract.h>
#include <gnutls/gnutls.h>
#include <gnutls/x509.h>

#include <cstdio>

namespace SistemaTs {

// ---- Settings -----------------------------------------------------------------------------

Settings Settings::read(const QString &programFolder)
{
    Settings s;
    QSettings ini(QDir(programFolder).filePath(kSettingsFile), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("SistemaTS"));
    s.certificate = ini.value(QStringLiteral("Certificato")).toString();
    s.stampLine = ini.value(QStringLiteral("BolloComeVoce"), true).toBool();
    s.creditNoteRefund = ini.value(QStringLiteral("NoteDiCreditoComeRimborso"), true).toBool();
    return s;
}

bool Settings::write(const QString &programFolder) const
{
    QSettings ini(QDir(programFolder).filePath(kSettingsFile), QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("SistemaTS"));
    ini.setValue(QStringLiteral("Certificato"), certificate);
    ini.setValue(QStringLiteral("BolloComeVoce"), stampLine);
    ini.setValue(QStringLiteral("NoteDiCreditoComeRimborso"), creditNoteRefund);
    ini.endGroup();
    ini.sync();
    return ini.status() == QSettings::NoError;
}

// ---- The certificate ------------------------------------------------------------------------

struct Certificate::Key
{
    gnutls_pubkey_t key = nullptr;
    ~Key()
    {
        if (key)
            gnutls_pubkey_deinit(key);
    }
};

Certificate::~Certificate() = default;

std::shared_ptr<Certificate> Certificate::load(const QString &path, const QDate &today, QString *problem)
{
    const QString name = QDir::toNativeSeparators(path);
    auto fail = [&](const QString &why) {
        if (problem)
            *problem = why;
        return std::shared_ptr<Certificate>();
    };
    QFile file(path);
    if (path.isEmpty())
        return fail(QStringLiteral("Non è stato scelto il certificato del Sistema TS."));
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("Il certificato \"%1\" non si può leggere: %2.").arg(name, file.errorString()));
    QByteArray bytes = file.readAll();
    gnutls_x509_crt_t crt = nullptr;
    gnutls_x509_crt_init(&crt);
    gnutls_datum_t datum{reinterpret_cast<unsigned char *>(bytes.data()), unsigned(bytes.size())};
    bool read = gnutls_x509_crt_import(crt, &datum, GNUTLS_X509_FMT_PEM) == GNUTLS_E_SUCCESS
                || gnutls_x509_crt_import(crt, &datum, GNUTLS_X509_FMT_DER) == GNUTLS_E_SUCCESS;
    if (!read) {
        gnutls_x509_crt_deinit(crt);
        return fail(QStringLiteral("Il file \"%1\" non si può leggere come certificato: scegliere il certificato "
                                   "SanitelCF del kit del Sistema TS (.cer, .pem).")
                        .arg(name));
    }
    const QDate from = QDateTime::fromSecsSinceEpoch(gnutls_x509_crt_get_activation_time(crt)).date();
    const QDate until = QDateTime::fromSecsSinceEpoch(gnutls_x509_crt_get_expiration_time(crt)).date();
    std::shared_ptr<Certificate> cert(new Certificate);
    cert->m_key = std::make_unique<Key>();
    cert->m_expires = until;
    gnutls_pubkey_init(&cert->m_key->key);
    const bool imported = gnutls_pubkey_import_x509(cert->m_key->key, crt, 0) == GNUTLS_E_SUCCESS;
    gnutls_x509_crt_deinit(crt);
    if (!imported || gnutls_pubkey_get_pk_algorithm(cert->m_key->key, nullptr) != GNUTLS_PK_RSA)
        return fail(QStringLiteral("Il certificato \"%1\" non ha una chiave RSA: non è il certificato del Sistema TS.")
                        .arg(name));
    if (until < today)
        return fail(QStringLiteral("Il certificato \"%1\" è scaduto il %2: scaricare quello in vigore dal sito del "
                                   "Sistema TS.")
                        .arg(name, until.toString(QStringLiteral("dd/MM/yyyy"))));
    if (from > today)
        return fail(QStringLiteral("Il certificato \"%1\" vale solo dal %2.")
                        .arg(name, from.toString(QStringLiteral("dd/MM/yyyy"))));
    return cert;
}

QByteArray Certificate::encrypt(const QByteArray &plain) const
{
    QByteArray copy = plain;
    gnutls_datum_t in{reinterpret_cast<unsigned char *>(copy.data()), unsigned(copy.size())};
    gnutls_datum_t out{nullptr, 0};
    if (gnutls_pubkey_encrypt_data(m_key->key, 0, &in, &out) != GNUTLS_E_SUCCESS)
        return {};
    const QByteArray encrypted = QByteArray(reinterpret_cast<const char *>(out.data), int(out.size)).toBase64();
    gnutls_free(out.data);
    return encrypted;
}

// ---- What goes ------------------------------------------------------------------------------

QString practiceProblem(const PracticeData &practice)
{
    QStringList missing;
    if (practice.codiceFiscale.trimmed().isEmpty())
        missing << QStringLiteral("il codice fiscale del titolare");
    static const QRegularExpression elevenDigits(QStringLiteral("^\\d{11}$"));
    if (!elevenDigits.match(practice.partitaIva.trimmed()).hasMatch())
        missing << QStringLiteral("la partita IVA (11 cifre)");
    if (missing.isEmpty())
        return {};
    return QStringLiteral("Nei dati dello studio mancano %1: completarli in \"Dati dello studio\".")
        .arg(missing.join(QStringLiteral(" e ")));
}

Selection select(const QString &programFolder, int year, const PracticeData &practice, const Settings &settings,
                 bool again)
{
    Selection out;
    out.practiceProblem = practiceProblem(practice);
    const QString headersPath = QDir(programFolder).filePath(BillingFiles::kInvoices);
    if (!QFileInfo::exists(headersPath))
        return out;

    // The headers of the year, and the dates of every invoice a credit note may name.
    QHash<QString, QDate> invoiceDates;
    QList<std::pair<Entry, std::pair<qint64, int>>> chosen;
    {
        RecordFile headers(headersPath, TInvoiceRecord::Size);
        headers.open(RecordFile::Read);
        TInvoiceRecord r{};
        while (headers.next(r)) {
            std::optional<Invoices::Invoice> inv = Invoices::fromHeader(r);
            if (!inv)
                continue;
            inv->position = headers.position();
            if (inv->kind == Invoices::Kind::Invoice)
                invoiceDates.insert(inv->number.text(), inv->date);
            if (inv->number.year != year || (inv->sent && !again))
                continue;
            Entry e;
            e.document = *inv;
            e.paymentDate = inv->paymentDate;
            e.traceable = inv->traceable;
            chosen.append({e, {r.PrimaRiga.text().toLongLong(), r.Righe.text().toInt()}});
        }
        headers.close();
    }
    if (chosen.isEmpty())
        return out;

    // An invoice not paid at issue takes the date and method of its first payment.
    QHash<QString, Ledger::Payment> firstPayment;
    if (QFileInfo::exists(QDir(programFolder).filePath(BillingFiles::kPayments))) {
        Ledger::scanPayments(programFolder, [&](const Ledger::Payment &p) {
            if (!p.invoice.isNull() && !firstPayment.contains(p.invoice.text()))
                firstPayment.insert(p.invoice.text(), p);
            return true;
        });
    }

    RecordFile lines(QDir(programFolder).filePath(BillingFiles::kInvoiceLines), TInvoiceLineRecord::Size);
    lines.open(RecordFile::Read);
    for (auto &[e, where] : chosen) {
        Invoices::Invoice &d = e.document;
        for (const TInvoiceLineRecord &l :
             DocumentStore::readLines<TInvoiceLineRecord>(lines, where.first, where.second, d.number))
            d.lines.append(Invoices::fromLineRecord(l));
        const bool note = d.kind == Invoices::Kind::CreditNote;
        const QString caption = Invoices::kindCaption(d.kind) + QLatin1Char(' ') + d.number.text();
        auto leave = [&](const QString &why) { out.left.append({d.number, caption + QStringLiteral(": ") + why}); };
        if (note && !settings.creditNoteRefund) {
            leave(QStringLiteral("le note di credito non si inviano come rimborso (impostazione): correggere la "
                                 "fattura sul sito del Sistema TS."));
            continue;
        }
        if (!d.opposition && d.patient.codiceFiscale.trimmed().isEmpty()) {
            leave(QStringLiteral("manca il codice fiscale del paziente e non c'è opposizione."));
            continue;
        }
        if (note) {
            e.correctedDate = invoiceDates.value(d.corrects.text());
            if (!e.correctedDate.isValid()) {
                leave(QStringLiteral("non si trova la fattura %1 che rettifica.").arg(d.corrects.text()));
                continue;
            }
            e.paymentDate = d.date; // a refund is paid the day it is issued
        } else if (!e.paymentDate.isValid()) {
            const auto p = firstPayment.constFind(d.number.text());
            if (p == firstPayment.constEnd()) {
                leave(QStringLiteral("non risulta pagata: registrare il pagamento collegato alla fattura."));
                continue;
            }
            e.paymentDate = p->date;
            e.traceable = p->traceable();
        }
        out.entries.append(e);
    }
    lines.close();
    return out;
}

// ---- The XML --------------------------------------------------------------------------------

QString amount(qint64 cents)
{
    return QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
}

namespace {

QString isoDate(const QDate &d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

void writeId(QXmlStreamWriter &x, const QString &element, const QString &partitaIva, const QDate &date,
             const DocumentNumber &number)
{
    x.writeStartElement(element);
    x.writeTextElement(QStringLiteral("pIva"), partitaIva);
    x.writeTextElement(QStringLiteral("dataEmissione"), isoDate(date));
    x.writeStartElement(QStringLiteral("numDocumentoFiscale"));
    x.writeTextElement(QStringLiteral("dispositivo"), QStringLiteral("1"));
    x.writeTextElement(QStringLiteral("numDocumento"), number.text().remove(QLatin1Char(' ')));
    x.writeEndElement();
    x.writeEndElement();
}

void writeLine(QXmlStreamWriter &x, const QString &kind, qint64 cents, const QString &nature)
{
    // A line holds at most 99999.99: a larger amount of a kind goes as several lines.
    while (cents > 0) {
        const qint64 part = std::min(cents, kMaxLineCents);
        x.writeStartElement(QStringLiteral("voceSpesa"));
        x.writeTextElement(QStringLiteral("tipoSpesa"), kind);
        x.writeTextElement(QStringLiteral("importo"), amount(part));
        x.writeTextElement(QStringLiteral("naturaIVA"), nature);
        x.writeEndElement();
        cents -= part;
    }
}

} // namespace

namespace {

void writeDocument(QXmlStreamWriter &x, const Entry &entry, const QString &partitaIva, const Settings &settings,
                   const Encrypt &encrypt)
{
    const Invoices::Invoice &d = entry.document;
    const bool refund = d.kind == Invoices::Kind::CreditNote;
    x.writeStartElement(QStringLiteral("documentoSpesa"));
    writeId(x, QStringLiteral("idSpesa"), partitaIva, d.date, d.number);
    if (refund)
        writeId(x, QStringLiteral("idRimborso"), partitaIva, entry.correctedDate, d.corrects);
    x.writeTextElement(QStringLiteral("dataPagamento"), isoDate(refund ? d.date : entry.paymentDate));
    if (!refund && entry.paymentDate < d.date)
        x.writeTextElement(QStringLiteral("flagPagamentoAnticipato"), QStringLiteral("1"));
    x.writeTextElement(QStringLiteral("flagOperazione"), refund ? QStringLiteral("R") : QStringLiteral("I"));
    if (!d.opposition)
        x.writeTextElement(QStringLiteral("cfCittadino"),
                           QString::fromLatin1(encrypt(d.patient.codiceFiscale.trimmed().toUpper().toUtf8())));
    x.writeTextElement(QStringLiteral("pagamentoTracciato"),
                       entry.traceable ? QStringLiteral("SI") : QStringLiteral("NO"));
    x.writeTextElement(QStringLiteral("tipoDocumento"), QStringLiteral("F"));
    x.writeTextElement(QStringLiteral("flagOpposizione"), d.opposition ? QStringLiteral("1") : QStringLiteral("0"));

    // The services summed by kind of expense, in the order the kinds first appear; the stamp
    // charged to the patient after them, on its own line.
    const QString nature = d.regime == Money::Regime::Forfettario ? QStringLiteral("N2.2") : QStringLiteral("N4");
    QList<std::pair<QString, qint64>> kinds;
    QList<std::pair<QString, qint64>> stamps;
    for (const Invoices::Line &l : d.lines) {
        const QString kind = l.expenseKind.trimmed().isEmpty() ? Money::kDefaultExpenseKind : l.expenseKind.trimmed();
        if (l.kind == Invoices::LineKind::Stamp) {
            if (settings.stampLine)
                stamps.append({kind, l.cents});
            continue;
        }
        auto it = std::find_if(kinds.begin(), kinds.end(), [&](const auto &k) { return k.first == kind; });
        if (it == kinds.end())
            kinds.append({kind, l.cents});
        else
            it->second += l.cents;
    }
    for (const auto &[kind, cents] : kinds)
        writeLine(x, kind, cents, nature);
    for (const auto &[kind, cents] : stamps)
        writeLine(x, kind, cents, nature);
    x.writeEndElement();
}

} // namespace

QByteArray documentElement(const Entry &entry, const QString &partitaIva, const Settings &settings,
                           const Encrypt &encrypt)
{
    QString out;
    QXmlStreamWriter x(&out);
    writeDocument(x, entry, partitaIva, settings, encrypt);
    return out.toUtf8();
}

QList<QByteArray> xmlDocuments(const QList<Entry> &entries, const PracticeData &practice, const Settings &settings,
                               const Encrypt &encrypt, qint64 maxBytes)
{
    QByteArray head;
    {
        QXmlStreamWriter x(&head);
        x.writeStartDocument();
        x.writeCharacters(QStringLiteral("\n"));
        x.writeStartElement(QStringLiteral("precompilata"));
        x.writeAttribute(QStringLiteral("xmlns:xsi"), QStringLiteral("http://www.w3.org/2001/XMLSchema-instance"));
        x.writeAttribute(QStringLiteral("xsi:noNamespaceSchemaLocation"), QStringLiteral("730_precompilata.xsd"));
        x.writeCharacters(QStringLiteral("\n"));
        x.writeStartElement(QStringLiteral("proprietario"));
        x.writeTextElement(QStringLiteral("cfProprietario"),
                           QString::fromLatin1(encrypt(practice.codiceFiscale.trimmed().toUpper().toUtf8())));
        x.writeEndElement();
        x.writeCharacters(QStringLiteral("\n"));
        // The root stays open: the documents follow, then the closing tag.
    }
    const QByteArray tail = QByteArrayLiteral("</precompilata>\n");
    const QString partitaIva = practice.partitaIva.trimmed();

    QList<QByteArray> out;
    QByteArray current;
    int inCurrent = 0;
    // One writer for every document, each written to text then taken away as UTF-8: a writer
    // and its encoder made per document would cost more than the document.
    QString text;
    QXmlStreamWriter x(&text);
    for (const Entry &e : entries) {
        writeDocument(x, e, partitaIva, settings, encrypt);
        text += QLatin1Char('\n');
        const QByteArray element = text.toUtf8();
        text.clear();
        if (inCurrent > 0 && current.size() + element.size() + tail.size() > maxBytes) {
            out.append(current + tail);
            current.clear();
            inCurrent = 0;
        }
        if (inCurrent == 0)
            current = head;
        current += element;
        ++inCurrent;
    }
    if (inCurrent > 0)
        out.append(current + tail);
    return out;
}

// ---- The zips -------------------------------------------------------------------------------

QString zipName(const QString &partitaIva, int year, int n)
{
    return QStringLiteral("Sorrisa_STS_%1_%2_%3.zip").arg(partitaIva.trimmed()).arg(year).arg(n);
}

namespace {

// One zip holding the XML, written under `temporary`. The reason when it failed, else empty.
QString writeZip(const QString &temporary, const QString &inner, const QByteArray &xml)
{
    archive *a = archive_write_new();
    const QByteArray path = QFile::encodeName(temporary);
    QString problem;
    bool failed = false;
    if (!a || archive_write_set_format_zip(a) != ARCHIVE_OK
        || archive_write_set_format_option(a, "zip", "compression", "deflate") != ARCHIVE_OK
        // The ciphertexts in Base64 hardly shrink: the fastest level does as well as any.
        || archive_write_set_format_option(a, "zip", "compression-level", "1") != ARCHIVE_OK
        || archive_write_open_filename(a, path.constData()) != ARCHIVE_OK) {
        failed = true;
        problem = a ? QString::fromLocal8Bit(archive_error_string(a)) : QString();
    } else {
        archive_entry *e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, inner.toUtf8().constData());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, xml.size());
        archive_entry_set_mtime(e, QDateTime::currentSecsSinceEpoch(), 0);
        if (archive_write_header(a, e) != ARCHIVE_OK
            || archive_write_data(a, xml.constData(), size_t(xml.size())) != xml.size()
            || archive_write_finish_entry(a) != ARCHIVE_OK || archive_write_close(a) != ARCHIVE_OK) {
            failed = true;
            problem = QString::fromLocal8Bit(archive_error_string(a));
        }
        archive_entry_free(e);
    }
    if (a)
        archive_write_free(a);
    if (failed && problem.isEmpty())
        problem = QStringLiteral("errore di scrittura");
    return failed ? problem : QString();
}

} // namespace

Written write(const QString &folder, const QList<Entry> &entries, const PracticeData &practice, int year,
              const Settings &settings, const Encrypt &encrypt, qint64 maxBytes)
{
    Written w;
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isWritable()) {
        w.folderRefused = true;
        w.message = QStringLiteral("La cartella \"%1\" non esiste o non si può scrivere: sceglierne un'altra.")
                        .arg(QDir::toNativeSeparators(folder));
        return w;
    }
    if (entries.isEmpty()) {
        w.message = QStringLiteral("Non ci sono documenti del %1 da inviare.").arg(year);
        return w;
    }
    const QList<QByteArray> xmls = xmlDocuments(entries, practice, settings, encrypt, maxBytes);
    // Which entries each XML holds: counted back from the documents' closing tags.
    qsizetype next = 0;
    for (qsizetype i = 0; i < xmls.size(); ++i) {
        const QString name = zipName(practice.partitaIva, year, int(i + 1));
        const QString target = QDir(folder).filePath(name);
        const QString temporary = target + QStringLiteral(".part");
        const QString inner = name.chopped(4) + QStringLiteral(".xml");
        const QString problem = writeZip(temporary, inner, xmls.at(i));
        if (!problem.isEmpty()) {
            QFile::remove(temporary);
            w.message = QStringLiteral("Il file \"%1\" non si è potuto scrivere: %2.")
                            .arg(QDir::toNativeSeparators(target), problem);
            return w;
        }
        // rename() replaces a file of the same name in one step: a reader sees the old or the
        // new zip, never half of one.
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
            QFile::remove(temporary);
            w.message =
                QStringLiteral("Il file \"%1\" non si è potuto scrivere.").arg(QDir::toNativeSeparators(target));
            return w;
        }
        w.paths.append(target);
        const qsizetype count = xmls.at(i).count("</documentoSpesa>");
        QList<DocumentNumber> numbers;
        for (qsizetype k = 0; k < count && next < entries.size(); ++k)
            numbers.append(entries.at(next++).document.number);
        w.contents.append(numbers);
    }
    w.done = true;
    return w;
}

Run make(const QString &programFolder, int year, const QString &certificate, const QString &folder, const QDate &today,
         bool again)
{
    Run run;
    const PracticeData practice = PracticeData::read(programFolder);
    const Settings settings = Settings::read(programFolder);
    if (const QString p = practiceProblem(practice); !p.isEmpty()) {
        run.status = Run::NoPractice;
        run.message = p;
        return run;
    }
    QString problem;
    const std::shared_ptr<Certificate> cert = Certificate::load(certificate, today, &problem);
    if (!cert) {
        run.message = problem;
        return run;
    }
    run.selection = select(programFolder, year, practice, settings, again);
    const Encrypt encrypt = [cert](const QByteArray &plain) { return cert->encrypt(plain); };
    run.written = write(folder, run.selection.entries, practice, year, settings, encrypt);
    if (run.written.folderRefused)
        run.status = Run::FolderRefused;
    else
        run.status = run.written.done ? Run::Done : Run::Failed;
    run.message = run.written.message;
    return run;
}

int markSent(const QString &programFolder, const QList<DocumentNumber> &documents, const QString &protocol,
             const QDate &date)
{
    int marked = 0;
    for (const DocumentNumber &n : documents)
        marked += Invoices::markSent(programFolder, n, protocol.trimmed(), date) ? 1 : 0;
    return marked;
}

bool isProtocol(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{17}$"));
    return digits.match(text.trimmed()).hasMatch();
}

// ---- The outcome ----------------------------------------------------------------------------

QList<OutcomeError> parseOutcome(const QByteArray &csv)
{
    QList<OutcomeError> out;
    const QStringList rows = QString::fromUtf8(csv).split(QLatin1Char('\n'));
    for (QString row : rows) {
        row = row.trimmed();
        if (row.isEmpty())
            continue;
        QStringList f = row.split(QLatin1Char(';'));
        for (QString &field : f) {
            field = field.trimmed();
            if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
                field = field.mid(1, field.size() - 2);
        }
        // Owner, region, ASL, structure, partita IVA, date, device, number, kind, code,
        // description: the issue date is what tells a document's row from a heading.
        qsizetype at = -1;
        for (qsizetype i = 0; i < f.size(); ++i) {
            if (QDate::fromString(f.at(i), QStringLiteral("dd/MM/yyyy")).isValid()) {
                at = i;
                break;
            }
        }
        if (at < 1 || at + 4 >= f.size())
            continue;
        OutcomeError e;
        e.partitaIva = f.at(at - 1);
        e.date = QDate::fromString(f.at(at), QStringLiteral("dd/MM/yyyy"));
        e.number = f.at(at + 2);
        e.expenseKind = f.at(at + 3);
        e.code = f.at(at + 4);
        e.description = f.mid(at + 5).join(QLatin1Char(';'));
        out.append(e);
    }
    return out;
}

std::optional<QList<OutcomeError>> readOutcome(const QString &path, QString *problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = QStringLiteral("Il file \"%1\" non si può leggere: %2.")
                           .arg(QDir::toNativeSeparators(path), file.errorString());
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("PK"))
        return parseOutcome(bytes);
    // A zip: the first CSV inside it.
    archive *a = archive_read_new();
    archive_read_support_format_zip(a);
    QByteArray csv;
    bool found = false;
    if (archive_read_open_memory(a, bytes.constData(), size_t(bytes.size())) == ARCHIVE_OK) {
        archive_entry *e = nullptr;
        while (!found && archive_read_next_header(a, &e) == ARCHIVE_OK) {
            if (!QString::fromUtf8(archive_entry_pathname(e)).endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
                continue;
            char buffer[65536];
            la_ssize_t n = 0;
            while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0)
                csv.append(buffer, n);
            found = n == 0;
        }
    }
    archive_read_free(a);
    if (!found) {
        if (problem)
            *problem = QStringLiteral("Il file \"%1\" non contiene l'esito (un file .csv).")
                           .arg(QDir::toNativeSeparators(path));
        return std::nullopt;
    }
    return parseOutcome(csv);
}

} // namespace SistemaTs
