// The year's file for the Sistema TS: the XML element by element for a table of documents, the
// codici fiscali encrypted with a certificate made here and decrypted with its private key,
// the split into zips of at most 5 MB, the refusals, marking sent, the outcome CSV and the
// command-line program sorrisa-sts.
#include "billing/DocumentStore.h"
#include "billing/Invoices.h"
#include "billing/Ledger.h"
#include "billing/PracticeData.h"
#include "billing/SistemaTs.h"
#include "billing/frmSistemaTs.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "storage/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimeZone>
#include <QProcess>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTest>
#include <QXmlStreamReader>

#include <archive.h>
#include <archive_entry.h>
#include <gnutls/abstract.h>
#include <gnutls/gnutls.h>
#include <gnutls/x509.h>

#include <ctime>

using namespace SistemaTs;

Q_DECLARE_METATYPE(SistemaTs::Entry)

namespace {

const QDate kDay(2026, 12, 11);
const QString kCf = QStringLiteral("RSSMRA80A01H501U");
const QString kOwnerCf = QStringLiteral("BNCLRA75C41F205X");
const QString kPiva = QStringLiteral("01234567897");

// A key pair and a self-signed certificate made here, valid between two dates.
class TestCertificate
{
public:
    TestCertificate(const QString &path, const QDate &from, const QDate &until, unsigned bits = 1024)
    {
        gnutls_x509_privkey_init(&m_key);
        gnutls_x509_privkey_generate(m_key, GNUTLS_PK_RSA, bits, 0);
        gnutls_x509_crt_t crt = nullptr;
        gnutls_x509_crt_init(&crt);
        gnutls_x509_crt_set_version(crt, 3);
        const unsigned char serial[] = {1};
        gnutls_x509_crt_set_serial(crt, serial, sizeof serial);
        gnutls_x509_crt_set_activation_time(crt, QDateTime(from, QTime(0, 0), QTimeZone::utc()).toSecsSinceEpoch());
        gnutls_x509_crt_set_expiration_time(crt, QDateTime(until, QTime(23, 0), QTimeZone::utc()).toSecsSinceEpoch());
        gnutls_x509_crt_set_dn_by_oid(crt, GNUTLS_OID_X520_COMMON_NAME, 0, "SanitelCF", 9);
        gnutls_x509_crt_set_key(crt, m_key);
        m_signed = gnutls_x509_crt_sign2(crt, crt, m_key, GNUTLS_DIG_SHA256, 0) == GNUTLS_E_SUCCESS;
        gnutls_datum_t pem{nullptr, 0};
        gnutls_x509_crt_export2(crt, GNUTLS_X509_FMT_PEM, &pem);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char *>(pem.data), pem.size);
        gnutls_free(pem.data);
        gnutls_x509_crt_deinit(crt);
        gnutls_privkey_init(&m_private);
        gnutls_privkey_import_x509(m_private, m_key, 0);
    }
    ~TestCertificate()
    {
        gnutls_privkey_deinit(m_private);
        gnutls_x509_privkey_deinit(m_key);
    }
    bool made() const { return m_signed; }
    QByteArray decrypt(const QByteArray &base64) const
    {
        QByteArray bytes = QByteArray::fromBase64(base64);
        gnutls_datum_t in{reinterpret_cast<unsigned char *>(bytes.data()), unsigned(bytes.size())};
        gnutls_datum_t out{nullptr, 0};
        if (gnutls_privkey_decrypt_data(m_private, 0, &in, &out) != GNUTLS_E_SUCCESS)
            return {};
        QByteArray plain(reinterpret_cast<const char *>(out.data), int(out.size));
        gnutls_free(out.data);
        return plain;
    }

private:
    gnutls_x509_privkey_t m_key = nullptr;
    gnutls_privkey_t m_private = nullptr;
    bool m_signed = false;
};

PracticeData practice(Money::Regime regime = Money::Regime::Ordinario)
{
    PracticeData p;
    p.denominazione = QStringLiteral("Studio Bianchi");
    p.titolare = QStringLiteral("Bianchi Laura");
    p.codiceFiscale = kOwnerCf;
    p.partitaIva = kPiva;
    p.regime = regime;
    return p;
}

Invoices::Line line(qint64 cents, const QString &kind = QStringLiteral("SR"),
                    Invoices::LineKind lineKind = Invoices::LineKind::Service)
{
    return Invoices::Line{QStringLiteral("Prestazione"), QString(), cents, kind, lineKind};
}

// The text stands for the encryption in the structure tests: what was encrypted shows.
QByteArray mark(const QByteArray &plain) { return "ENC[" + plain + "]"; }

// The leaves of an XML element in document order, "idSpesa/pIva=01234567897".
QStringList leaves(const QByteArray &xml)
{
    QStringList out;
    QStringList path;
    QString text;
    QXmlStreamReader r(xml);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            path.append(r.name().toString());
            text.clear();
        } else if (r.isCharacters()) {
            text += r.text();
        } else if (r.isEndElement()) {
            if (!text.trimmed().isEmpty())
                out.append(path.mid(1).join(QLatin1Char('/')) + QLatin1Char('=') + text);
            text.clear();
            path.removeLast();
        }
    }
    if (r.hasError())
        out.append(QStringLiteral("ERROR ") + r.errorString());
    return out;
}

QStringList idLeaves(const QString &element, const QString &date, const QString &number)
{
    return {element + QStringLiteral("/pIva=") + kPiva, element + QStringLiteral("/dataEmissione=") + date,
            element + QStringLiteral("/numDocumentoFiscale/dispositivo=1"),
            element + QStringLiteral("/numDocumentoFiscale/numDocumento=") + number};
}

// The XML documents of the zips in a folder, by zip name.
QMap<QString, QByteArray> zipContents(const QStringList &paths)
{
    QMap<QString, QByteArray> out;
    for (const QString &path : paths) {
        archive *a = archive_read_new();
        archive_read_support_format_zip(a);
        if (archive_read_open_filename(a, QFile::encodeName(path).constData(), 65536) == ARCHIVE_OK) {
            archive_entry *e = nullptr;
            int entries = 0;
            while (archive_read_next_header(a, &e) == ARCHIVE_OK) {
                ++entries;
                QByteArray data;
                char buffer[65536];
                la_ssize_t n = 0;
                while ((n = archive_read_data(a, buffer, sizeof buffer)) > 0)
                    data.append(buffer, n);
                out.insert(QFileInfo(path).fileName() + QLatin1Char('/') + QString::fromUtf8(archive_entry_pathname(e)),
                           data);
            }
        }
        archive_read_free(a);
    }
    return out;
}

Invoices::Invoice issued(const QString &folder, const Invoices::Draft &d, const PracticeData &p)
{
    const Invoices::Issued out = Invoices::issue(folder, d, p);
    if (!out.issued)
        qWarning("refused: %s", qPrintable(out.refusal));
    return out.invoice;
}

Invoices::Draft draft(const QDate &date, QList<qint64> amounts, std::optional<Money::Method> method,
                      bool opposition = false, const QString &cf = kCf)
{
    Invoices::Draft d;
    d.date = date;
    d.patient = Invoices::Patient{3,
                                  QStringLiteral("Rossi Mario"),
                                  QStringLiteral("Via Roma 1"),
                                  QStringLiteral("00100"),
                                  QStringLiteral("Roma"),
                                  QStringLiteral("RM"),
                                  cf};
    for (qint64 c : amounts)
        d.lines.append(line(c));
    if (method) {
        d.method = method;
        d.paymentDate = date;
    }
    d.opposition = opposition;
    return d;
}

} // namespace

class TestSts : public QObject
{
    Q_OBJECT

private slots:
    void document_data();
    void document();
    void amounts_data();
    void amounts();
    void encryption();
    void certificateRefused_data();
    void certificateRefused();
    void twoZips();
    void yearFromTheArchive();
    void folderRefused();
    void outcome();
    void tool_data();
    void tool();
    void window();
};

void TestSts::document_data()
{
    QTest::addColumn<Entry>("entry");
    QTest::addColumn<bool>("stampLine");
    QTest::addColumn<QStringList>("expected");

    const QDate day(2026, 3, 14);
    const QString iso = QStringLiteral("2026-03-14");
    auto invoice = [&](QList<Invoices::Line> lines, bool traceable, bool opposition,
                       Money::Regime regime = Money::Regime::Ordinario) {
        Entry e;
        e.document.number = DocumentNumber{7, 2026};
        e.document.date = day;
        e.document.patient.codiceFiscale = kCf;
        e.document.lines = lines;
        e.document.opposition = opposition;
        e.document.regime = regime;
        e.paymentDate = day;
        e.traceable = traceable;
        return e;
    };
    const QString cfLeaf = QStringLiteral("cfCittadino=ENC[") + kCf + QLatin1Char(']');
    auto head = [&](const QString &payment, const QString &op) {
        return idLeaves(QStringLiteral("idSpesa"), iso, QStringLiteral("7/2026"))
               << QStringLiteral("dataPagamento=") + payment << QStringLiteral("flagOperazione=") + op;
    };
    auto voce = [](const QString &kind, const QString &amount, const QString &nature = QStringLiteral("N4")) {
        return QStringList{QStringLiteral("voceSpesa/tipoSpesa=") + kind, QStringLiteral("voceSpesa/importo=") + amount,
                           QStringLiteral("voceSpesa/naturaIVA=") + nature};
    };

    QTest::newRow("traceable") << invoice({line(12000), line(5050)}, true, false) << true
                               << (head(iso, QStringLiteral("I"))
                                   << cfLeaf << QStringLiteral("pagamentoTracciato=SI")
                                   << QStringLiteral("tipoDocumento=F") << QStringLiteral("flagOpposizione=0")
                                   << voce(QStringLiteral("SR"), QStringLiteral("170.50")));
    QTest::newRow("cash") << invoice({line(5000)}, false, false) << true
                          << (head(iso, QStringLiteral("I"))
                              << cfLeaf << QStringLiteral("pagamentoTracciato=NO") << QStringLiteral("tipoDocumento=F")
                              << QStringLiteral("flagOpposizione=0")
                              << voce(QStringLiteral("SR"), QStringLiteral("50.00")));
    QTest::newRow("opposition: no codice fiscale")
        << invoice({line(5000)}, true, true) << true
        << (head(iso, QStringLiteral("I"))
            << QStringLiteral("pagamentoTracciato=SI") << QStringLiteral("tipoDocumento=F")
            << QStringLiteral("flagOpposizione=1") << voce(QStringLiteral("SR"), QStringLiteral("50.00")));
    const QList<Invoices::Line> withStamp{line(10000), line(3000, QStringLiteral("AA")), line(2000),
                                          line(200, QStringLiteral("SR"), Invoices::LineKind::Stamp)};
    QTest::newRow("kinds summed, stamp on its own line")
        << invoice(withStamp, true, false) << true
        << (head(iso, QStringLiteral("I"))
            << cfLeaf << QStringLiteral("pagamentoTracciato=SI") << QStringLiteral("tipoDocumento=F")
            << QStringLiteral("flagOpposizione=0") << voce(QStringLiteral("SR"), QStringLiteral("120.00"))
            << voce(QStringLiteral("AA"), QStringLiteral("30.00"))
            << voce(QStringLiteral("SR"), QStringLiteral("2.00")));
    QTest::newRow("stamp left out") << invoice(withStamp, true, false) << false
                                    << (head(iso, QStringLiteral("I"))
                                        << cfLeaf << QStringLiteral("pagamentoTracciato=SI")
                                        << QStringLiteral("tipoDocumento=F") << QStringLiteral("flagOpposizione=0")
                                        << voce(QStringLiteral("SR"), QStringLiteral("120.00"))
                                        << voce(QStringLiteral("AA"), QStringLiteral("30.00")));
    QTest::newRow("forfettario") << invoice({line(8000)}, true, false, Money::Regime::Forfettario) << true
                                 << (head(iso, QStringLiteral("I"))
                                     << cfLeaf << QStringLiteral("pagamentoTracciato=SI")
                                     << QStringLiteral("tipoDocumento=F") << QStringLiteral("flagOpposizione=0")
                                     << voce(QStringLiteral("SR"), QStringLiteral("80.00"), QStringLiteral("N2.2")));
    Entry early = invoice({line(8000)}, true, false);
    early.paymentDate = QDate(2026, 3, 1);
    QTest::newRow("paid before the invoice")
        << early << true
        << (idLeaves(QStringLiteral("idSpesa"), iso, QStringLiteral("7/2026"))
            << QStringLiteral("dataPagamento=2026-03-01") << QStringLiteral("flagPagamentoAnticipato=1")
            << QStringLiteral("flagOperazione=I") << cfLeaf << QStringLiteral("pagamentoTracciato=SI")
            << QStringLiteral("tipoDocumento=F") << QStringLiteral("flagOpposizione=0")
            << voce(QStringLiteral("SR"), QStringLiteral("80.00")));
    QTest::newRow("above 99999.99: two lines")
        << invoice({line(12'000'000)}, true, false) << true
        << (head(iso, QStringLiteral("I"))
            << cfLeaf << QStringLiteral("pagamentoTracciato=SI") << QStringLiteral("tipoDocumento=F")
            << QStringLiteral("flagOpposizione=0") << voce(QStringLiteral("SR"), QStringLiteral("99999.99"))
            << voce(QStringLiteral("SR"), QStringLiteral("20000.01")));
    Entry note = invoice({line(3000)}, true, false);
    note.document.kind = Invoices::Kind::CreditNote;
    note.document.corrects = DocumentNumber{2, 2026};
    note.correctedDate = QDate(2026, 1, 9);
    note.paymentDate = QDate(2026, 2, 1); // a refund is paid the day of its note, whatever this says
    QTest::newRow("credit note: a refund")
        << note << true
        << (idLeaves(QStringLiteral("idSpesa"), iso, QStringLiteral("7/2026"))
            << idLeaves(QStringLiteral("idRimborso"), QStringLiteral("2026-01-09"), QStringLiteral("2/2026"))
            << QStringLiteral("dataPagamento=") + iso << QStringLiteral("flagOperazione=R") << cfLeaf
            << QStringLiteral("pagamentoTracciato=SI") << QStringLiteral("tipoDocumento=F")
            << QStringLiteral("flagOpposizione=0") << voce(QStringLiteral("SR"), QStringLiteral("30.00")));
}

void TestSts::document()
{
    QFETCH(Entry, entry);
    QFETCH(bool, stampLine);
    QFETCH(QStringList, expected);
    Settings settings;
    settings.stampLine = stampLine;
    const QByteArray xml = documentElement(entry, kPiva, settings, mark);
    QCOMPARE(leaves(xml), expected);
    QVERIFY(xml.startsWith("<documentoSpesa>"));
}

void TestSts::amounts_data()
{
    QTest::addColumn<qint64>("cents");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << qint64(5000) << QStringLiteral("50.00");
    QTest::newRow("one cent") << qint64(1) << QStringLiteral("0.01");
    QTest::newRow("ten cents") << qint64(10) << QStringLiteral("0.10");
    QTest::newRow("largest line") << kMaxLineCents << QStringLiteral("99999.99");
}

void TestSts::amounts()
{
    QFETCH(qint64, cents);
    QFETCH(QString, text);
    QCOMPARE(amount(cents), text);
}

void TestSts::encryption()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SanitelCF.cer"));
    TestCertificate made(path, QDate(2025, 1, 1), QDate(2030, 1, 1));
    QVERIFY(made.made());
    QString problem;
    const auto cert = Certificate::load(path, kDay, &problem);
    QVERIFY2(cert, qPrintable(problem));
    const QByteArray encrypted = cert->encrypt(kCf.toUtf8());
    QCOMPARE(encrypted.size(), 172); // 128 bytes of a 1024-bit key, in Base64
    QCOMPARE(made.decrypt(encrypted), kCf.toUtf8());
    QVERIFY(cert->encrypt(kCf.toUtf8()) != encrypted); // PKCS#1 v1.5 pads at random

    // The owner's and the patients' codes in the written file decrypt to the right ones.
    Entry e;
    e.document.number = DocumentNumber{1, 2026};
    e.document.date = kDay;
    e.document.patient.codiceFiscale = kCf.toLower() + QLatin1Char(' ');
    e.document.lines = {line(5000)};
    e.paymentDate = kDay;
    const auto encrypt = [&](const QByteArray &p) { return cert->encrypt(p); };
    const QList<QByteArray> xmls = xmlDocuments({e}, practice(), Settings(), encrypt);
    QCOMPARE(xmls.size(), 1);
    QXmlStreamReader r(xmls.first());
    QStringList order;
    QMap<QString, QByteArray> codes;
    while (!r.atEnd()) {
        r.readNext();
        if (!r.isStartElement())
            continue;
        order.append(r.name().toString());
        if (r.name() == QLatin1String("cfProprietario") || r.name() == QLatin1String("cfCittadino"))
            codes.insert(r.name().toString(), r.readElementText().toLatin1());
    }
    QVERIFY2(!r.hasError(), qPrintable(r.errorString()));
    QCOMPARE(order.mid(0, 4), (QStringList{QStringLiteral("precompilata"), QStringLiteral("proprietario"),
                                           QStringLiteral("cfProprietario"), QStringLiteral("documentoSpesa")}));
    QCOMPARE(made.decrypt(codes.value(QStringLiteral("cfProprietario"))), kOwnerCf.toUtf8());
    QCOMPARE(made.decrypt(codes.value(QStringLiteral("cfCittadino"))), kCf.toUtf8()); // upper case, no blanks
    QVERIFY(xmls.first().contains("xsi:noNamespaceSchemaLocation=\"730_precompilata.xsd\""));
    QVERIFY(xmls.first().startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
}

void TestSts::certificateRefused_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("until");
    QTest::addColumn<bool>("garbage");
    QTest::addColumn<QString>("words");
    QTest::newRow("expired") << QDate(2020, 1, 1) << QDate(2026, 12, 10) << false
                             << QStringLiteral("è scaduto il 10/12/2026");
    QTest::newRow("not yet valid") << QDate(2026, 12, 20) << QDate(2030, 1, 1) << false
                                   << QStringLiteral("vale solo dal 20/12/2026");
    QTest::newRow("not a certificate") << QDate() << QDate() << true
                                       << QStringLiteral("non si può leggere come certificato");
    QTest::newRow("missing") << QDate() << QDate() << false << QStringLiteral("non si può leggere:");
}

void TestSts::certificateRefused()
{
    QFETCH(QDate, from);
    QFETCH(QDate, until);
    QFETCH(bool, garbage);
    QFETCH(QString, words);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("SanitelCF.cer"));
    std::optional<TestCertificate> made;
    if (from.isValid())
        made.emplace(path, from, until);
    if (garbage) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("-----BEGIN CERTIFICATE-----\nnot one\n-----END CERTIFICATE-----\n");
    }
    QString problem;
    QVERIFY(!Certificate::load(path, kDay, &problem));
    QVERIFY2(problem.contains(words), qPrintable(problem));
}

void TestSts::twoZips()
{
    // A year with more documents than 5 MB of XML hold: two zips, each XML whole and under
    // the limit, every document once and in order.
    QTemporaryDir dir;
    const QString certPath = dir.filePath(QStringLiteral("SanitelCF.cer"));
    TestCertificate made(certPath, QDate(2025, 1, 1), QDate(2030, 1, 1));
    QString problem;
    const auto cert = Certificate::load(certPath, kDay, &problem);
    QVERIFY2(cert, qPrintable(problem));
    QList<Entry> entries;
    const int count = 9000;
    for (int i = 1; i <= count; ++i) {
        Entry e;
        e.document.number = DocumentNumber{i, 2026};
        e.document.date = QDate(2026, 1, 1).addDays(i % 365);
        e.document.patient.codiceFiscale = kCf;
        e.document.lines = {line(10000 + i), line(200, QStringLiteral("SR"), Invoices::LineKind::Stamp)};
        e.paymentDate = e.document.date;
        e.traceable = i % 2;
        entries.append(e);
    }
    const QString out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    const Written w =
        write(out, entries, practice(), 2026, Settings(), [&](const QByteArray &p) { return cert->encrypt(p); });
    QVERIFY2(w.done, qPrintable(w.message));
    QCOMPARE(w.paths, (QStringList{QDir(out).filePath(QStringLiteral("Sorrisa_STS_01234567897_2026_1.zip")),
                                   QDir(out).filePath(QStringLiteral("Sorrisa_STS_01234567897_2026_2.zip"))}));
    QCOMPARE(QDir(out).entryList(QDir::Files).size(), 2); // no temporary left
    const QMap<QString, QByteArray> xmls = zipContents(w.paths);
    QCOMPARE(xmls.keys(),
             (QStringList{QStringLiteral("Sorrisa_STS_01234567897_2026_1.zip/Sorrisa_STS_01234567897_2026_1.xml"),
                          QStringLiteral("Sorrisa_STS_01234567897_2026_2.zip/Sorrisa_STS_01234567897_2026_2.xml")}));
    int next = 1;
    for (const QByteArray &xml : xmls) {
        QVERIFY(xml.size() <= kMaxXmlBytes);
        QVERIFY(xml.size() > kMaxXmlBytes / 10);
        QXmlStreamReader r(xml);
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && r.name() == QLatin1String("numDocumento"))
                QCOMPARE(r.readElementText(), QStringLiteral("%1/2026").arg(next++));
        }
        QVERIFY2(!r.hasError(), qPrintable(r.errorString()));
    }
    QCOMPARE(next, count + 1);
    QCOMPARE(w.contents.size(), 2);
    QCOMPARE(w.contents.at(0).size() + w.contents.at(1).size(), count);
    QCOMPARE(w.contents.at(1).first().number, w.contents.at(0).size() + 1);
}

void TestSts::yearFromTheArchive()
{
    // Invoices issued through the archive: one paid later by a linked payment, one cash, one
    // whose patient opposes, one without a codice fiscale (left out, named), a credit note, one
    // of another year; then marked sent and left out of the next file unless asked again.
    QTemporaryDir dir;
    const QString folder = dir.path();
    const PracticeData p = practice();
    p.write(folder);
    issued(folder, draft(QDate(2025, 12, 30), {5000}, Money::Method::Bancomat), p);                      // 1/2025
    issued(folder, draft(QDate(2026, 1, 10), {12000}, Money::Method::Carta), p);                         // 1/2026
    const Invoices::Invoice unpaid = issued(folder, draft(QDate(2026, 1, 12), {3000}, std::nullopt), p); // 2/2026
    issued(folder, draft(QDate(2026, 2, 1), {9000}, Money::Method::Contanti, true), p);                  // 3/2026
    const Invoices::Invoice refunded =
        issued(folder, draft(QDate(2026, 2, 5), {20000}, Money::Method::Bonifico), p); // 4/2026
    Invoices::Draft note = Invoices::creditNoteDraft(refunded, QDate(2026, 3, 1));
    issued(folder, note, p); // 5/2026

    // An invoice without a codice fiscale, as an older copy of the program could leave one.
    {
        Invoices::Invoice bare = Invoices::preview(draft(QDate(2026, 3, 2), {4000}, Money::Method::Carta), p);
        bare.number = DocumentNumber{6, 2026};
        bare.patient.codiceFiscale.clear();
        TInvoiceRecord h = Invoices::header(bare);
        const qint64 first =
            DocumentStore::appendLines<TInvoiceLineRecord>(QDir(folder).filePath(BillingFiles::kInvoiceLines),
                                                           {Invoices::lineRecord(bare.number, bare.lines.first())});
        h.PrimaRiga.setText(QString::number(first));
        h.Righe.setText(QStringLiteral("1"));
        h.Controllo.setText(Invoices::checksum(h));
        RecordFile f(QDir(folder).filePath(BillingFiles::kInvoices), TInvoiceRecord::Size);
        f.open(RecordFile::Write);
        f.append(h);
        f.close();
    }
    Ledger::Payment paid;
    paid.patient = 3;
    paid.date = QDate(2026, 1, 20);
    paid.cents = 3000;
    paid.method = Money::Method::Assegno;
    paid.invoice = unpaid.number;
    Ledger::save(folder, paid);

    Selection s = select(folder, 2026, p, Settings());
    QVERIFY(s.practiceProblem.isEmpty());
    QStringList numbers;
    for (const Entry &e : s.entries)
        numbers.append(e.document.number.text());
    QCOMPARE(numbers, (QStringList{QStringLiteral("1/2026"), QStringLiteral("2/2026"), QStringLiteral("3/2026"),
                                   QStringLiteral("4/2026"), QStringLiteral("5/2026")}));
    QCOMPARE(s.entries.at(1).paymentDate, QDate(2026, 1, 20));
    QVERIFY(s.entries.at(1).traceable);
    QVERIFY(s.entries.at(2).document.opposition);
    QCOMPARE(s.entries.at(4).correctedDate, QDate(2026, 2, 5));
    QCOMPARE(s.left.size(), 1);
    QCOMPARE(s.left.first().text,
             QStringLiteral("Fattura 6/2026: manca il codice fiscale del paziente e non c'è opposizione."));

    // The whole run, with a certificate; then the protocol marks them sent.
    const QString certPath = dir.filePath(QStringLiteral("SanitelCF.pem"));
    TestCertificate made(certPath, QDate(2025, 1, 1), QDate(2030, 1, 1));
    const QString out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    const Run run = make(folder, 2026, certPath, out, kDay);
    QCOMPARE(run.status, Run::Done);
    QCOMPARE(run.written.paths.size(), 1);
    const QByteArray xml = zipContents(run.written.paths).first();
    QCOMPARE(xml.count("<documentoSpesa>"), 5);
    QCOMPARE(xml.count("<flagOperazione>R</flagOperazione>"), 1);
    QCOMPARE(xml.count("<cfCittadino>"), 4);

    QVERIFY(isProtocol(QStringLiteral("12345678901234567")));
    QVERIFY(!isProtocol(QStringLiteral("1234")));
    QCOMPARE(markSent(folder, run.written.contents.first(), QStringLiteral("12345678901234567"), kDay), 5);
    const auto sent = Invoices::find(folder, DocumentNumber{3, 2026});
    QVERIFY(sent && sent->sent);
    QCOMPARE(sent->protocol, QStringLiteral("12345678901234567"));
    QCOMPARE(sent->sentDate, kDay);
    QCOMPARE(select(folder, 2026, p, Settings()).entries.size(), 0);
    QCOMPARE(select(folder, 2026, p, Settings(), true).entries.size(), 5);

    // Without the practice's codice fiscale nothing can go.
    PracticeData none = p;
    none.codiceFiscale.clear();
    none.write(folder);
    const Run refused = make(folder, 2026, certPath, out, kDay, true);
    QCOMPARE(refused.status, Run::NoPractice);
    QVERIFY2(refused.message.contains(QStringLiteral("il codice fiscale del titolare")), qPrintable(refused.message));
}

void TestSts::folderRefused()
{
    QTemporaryDir dir;
    Entry e;
    e.document.number = DocumentNumber{1, 2026};
    e.document.date = kDay;
    e.document.lines = {line(100)};
    e.paymentDate = kDay;
    const Written w = write(dir.filePath(QStringLiteral("nowhere")), {e}, practice(), 2026, Settings(), mark);
    QVERIFY(!w.done);
    QVERIFY(w.folderRefused);
    QVERIFY(w.message.contains(QStringLiteral("non esiste o non si può scrivere")));
}

void TestSts::outcome()
{
    const QByteArray csv = "CF PROPRIETARIO;REGIONE;ASL;SSA;PARTITA IVA;DATA EMISSIONE;DISPOSITIVO;NUMERO DOCUMENTO;"
                           "TIPO SPESA;CODICE ERRORE;DESCRIZIONE\r\n"
                           "BNCLRA75C41F205X;;;;01234567897;14/03/2026;1;7/2026;SR;S011;Codice fiscale del cittadino "
                           "formalmente errato\r\n"
                           "\"BNCLRA75C41F205X\";\"\";\"\";\"\";\"01234567897\";\"02/04/2026\";\"1\";\"9/2026\";\"SR\";"
                           "\"E03\";\"Data; non valida\"\r\n";
    const QList<OutcomeError> errors = parseOutcome(csv);
    QCOMPARE(errors.size(), 2);
    QCOMPARE(errors.at(0).number, QStringLiteral("7/2026"));
    QCOMPARE(errors.at(0).date, QDate(2026, 3, 14));
    QCOMPARE(errors.at(0).code, QStringLiteral("S011"));
    QCOMPARE(errors.at(0).description, QStringLiteral("Codice fiscale del cittadino formalmente errato"));
    QCOMPARE(errors.at(1).number, QStringLiteral("9/2026"));
    QCOMPARE(errors.at(1).partitaIva, kPiva);

    // The same CSV inside the zip the site hands back.
    QTemporaryDir dir;
    const QString zip = dir.filePath(QStringLiteral("esito.zip"));
    archive *a = archive_write_new();
    archive_write_set_format_zip(a);
    archive_write_open_filename(a, QFile::encodeName(zip).constData());
    archive_entry *e = archive_entry_new();
    archive_entry_set_pathname(e, "esito.csv");
    archive_entry_set_filetype(e, AE_IFREG);
    archive_entry_set_perm(e, 0644);
    archive_entry_set_size(e, csv.size());
    archive_write_header(a, e);
    archive_write_data(a, csv.constData(), size_t(csv.size()));
    archive_entry_free(e);
    archive_write_close(a);
    archive_write_free(a);
    QString problem;
    const auto fromZip = readOutcome(zip, &problem);
    QVERIFY2(fromZip, qPrintable(problem));
    QCOMPARE(fromZip->size(), 2);
    QVERIFY(!readOutcome(dir.filePath(QStringLiteral("none.csv")), &problem));
    QVERIFY(problem.contains(QStringLiteral("non si può leggere")));
}

void TestSts::tool_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("words");
    QTest::newRow("done") << QStringLiteral("done") << 0 << QStringLiteral("Sorrisa_STS_01234567897_2026_1.zip");
    QTest::newRow("expired certificate") << QStringLiteral("expired") << 1 << QStringLiteral("è scaduto");
    QTest::newRow("no practice data") << QStringLiteral("no practice") << 2 << QStringLiteral("partita IVA");
    QTest::newRow("wrong year") << QStringLiteral("bad year") << 2 << QStringLiteral("--year");
    QTest::newRow("folder refused") << QStringLiteral("no folder") << 3 << QStringLiteral("non esiste");
}

void TestSts::tool()
{
    QFETCH(QString, situation);
    QFETCH(int, exitCode);
    QFETCH(QString, words);
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("studio"));
    QDir().mkpath(folder);
    if (situation != QLatin1String("no practice"))
        practice().write(folder);
    const PracticeData p = practice();
    issued(folder, draft(QDate(2026, 1, 10), {12000}, Money::Method::Carta), p);
    issued(folder, draft(QDate(2026, 2, 1), {9000}, Money::Method::Contanti, true), p);
    const QString certPath = dir.filePath(QStringLiteral("SanitelCF.cer"));
    const bool expired = situation == QLatin1String("expired");
    TestCertificate made(certPath, QDate(2020, 1, 1), expired ? QDate(2021, 1, 1) : QDate(2099, 1, 1));
    const QString out = dir.filePath(QStringLiteral("out"));
    if (situation != QLatin1String("no folder"))
        QDir().mkpath(out);

    QProcess tool;
    tool.start(QStringLiteral(SORRISA_PROGRAM_DIR "/sorrisa-sts"),
               {QStringLiteral("--year"),
                situation == QLatin1String("bad year") ? QStringLiteral("26") : QStringLiteral("2026"),
                QStringLiteral("--certificate"), certPath, QStringLiteral("--to"), out,
                QStringLiteral("--program-folder"), folder});
    QVERIFY(tool.waitForFinished(60000));
    const QString said = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError());
    QCOMPARE(tool.exitCode(), exitCode);
    QVERIFY2(said.contains(words), qPrintable(said));
    if (exitCode == 0) {
        const QMap<QString, QByteArray> xmls =
            zipContents({QDir(out).filePath(QStringLiteral("Sorrisa_STS_01234567897_2026_1.zip"))});
        QCOMPARE(xmls.size(), 1);
        QCOMPARE(xmls.first().count("<documentoSpesa>"), 2);
        // Nothing is marked sent: the next run writes the same documents.
        QCOMPARE(select(folder, 2026, p, Settings()).entries.size(), 2);
    }
}

void TestSts::window()
{
    // From the window: the year's list with opposition shown and what cannot go, the
    // certificate remembered, the file written where chosen, the protocol marking the
    // documents sent, and the site's outcome beside its document.
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("studio"));
    QDir().mkpath(folder);
    const PracticeData p = practice();
    p.write(folder);
    issued(folder, draft(QDate(2026, 1, 10), {12000}, Money::Method::Carta), p);
    issued(folder, draft(QDate(2026, 2, 1), {9000}, Money::Method::Contanti, true), p);
    const QString certPath = dir.filePath(QStringLiteral("SanitelCF.cer"));
    TestCertificate made(certPath, QDate(2020, 1, 1), QDate(2099, 1, 1));
    const QString out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(out);
    Clock::setFixed(QDateTime(QDate(2027, 1, 15), QTime(10, 0)));
    Messages::setTestMode(true);
    FileDialog::setTestMode(true);
    Messages::takeShown();

    {
        TfrmSistemaTs w(folder, nullptr);
        QCOMPARE(w.spnAnno->value(), 2026); // the last year
        QCOMPARE(w.lstDocumenti->topLevelItemCount(), 2);
        QCOMPARE(w.lstDocumenti->topLevelItem(0)->text(0), QStringLiteral("Fattura 1/2026"));
        QCOMPARE(w.lstDocumenti->topLevelItem(0)->text(4), QString());
        QCOMPARE(w.lstDocumenti->topLevelItem(1)->text(4), QStringLiteral("Sì"));
        QVERIFY(w.lblAvvisi->text().contains(QStringLiteral("Documenti da inviare: 2.")));

        FileDialog::setNextFileName(certPath);
        w.cmdCertificato->click();
        QCOMPARE(w.txtCertificato->text(), certPath);
        FileDialog::setNextFileName(out);
        w.cmdScrivi->click();
        const QString zip = QDir(out).filePath(QStringLiteral("Sorrisa_STS_01234567897_2026_1.zip"));
        QVERIFY(QFileInfo::exists(zip));
        const QList<Messages::Shown> shown = Messages::takeShown();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().text.contains(QDir::toNativeSeparators(zip)), qPrintable(shown.first().text));
        QVERIFY(shown.first().text.contains(QStringLiteral("protocollo")));

        w.txtProtocollo->setText(QStringLiteral("123"));
        w.cmdProtocollo->click();
        QCOMPARE(Messages::takeShown().size(), 1); // 17 digits wanted
        QVERIFY(!Invoices::find(folder, DocumentNumber{1, 2026})->sent);
        w.txtProtocollo->setText(QStringLiteral("12345678901234567"));
        w.cmdProtocollo->click();
        QVERIFY(Invoices::find(folder, DocumentNumber{1, 2026})->sent);
        QVERIFY(Invoices::find(folder, DocumentNumber{2, 2026})->sent);
        QCOMPARE(w.lstDocumenti->topLevelItemCount(), 0);

        const QString csv = dir.filePath(QStringLiteral("esito.csv"));
        QFile f(csv);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("BNCLRA75C41F205X;;;;01234567897;10/01/2026;1;1/2026;SR;S011;Codice fiscale errato\n");
        f.close();
        FileDialog::setNextFileName(csv);
        w.cmdLeggiEsito->click();
        QCOMPARE(w.lstDocumenti->topLevelItemCount(), 2);
        QCOMPARE(w.lstDocumenti->topLevelItem(0)->text(5), QStringLiteral("12345678901234567 del 15/01/2027"));
        QCOMPARE(w.lstDocumenti->topLevelItem(0)->text(6), QStringLiteral("S011 Codice fiscale errato"));
        QCOMPARE(w.lstDocumenti->topLevelItem(1)->text(6), QString());
    }
    // The certificate is remembered.
    TfrmSistemaTs again(folder, nullptr);
    QCOMPARE(again.txtCertificato->text(), certPath);
    Clock::reset();
    Messages::setTestMode(false);
    FileDialog::setTestMode(false);
}

QTEST_MAIN(TestSts)
#include "tst_sts.moc"
