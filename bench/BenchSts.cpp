// The Sistema TS benchmark, not a test: a year of 20,000 invoices (two services each, every
// fifth with the stamp charged, every tenth opposed) made into the year's file with the
// program's own code (SistemaTs::make: certificate, selection, XML, encryption, zips), against
// its floor: the invoice and line files streamed once through a 1 MB buffer plus the codici
// fiscali encrypted alone with the same key.
//
//   cmake --build build --target sorrisa_bench_sts && build/bin/sorrisa_bench_sts [--invoices N] [--runs N]
#include "billing/BillingRecords.h"
#include "billing/Invoices.h"
#include "billing/PracticeData.h"
#include "billing/SistemaTs.h"
#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gnutls/gnutls.h>
#include <gnutls/x509.h>

#include <algorithm>
#include <cstdio>

namespace {

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0 : v.size() % 2 ? v.at(v.size() / 2) : (v.at(v.size() / 2 - 1) + v.at(v.size() / 2)) / 2;
}

// A self-signed certificate with a 1024-bit RSA key, as the Sistema TS's.
void writeCertificate(const QString &path)
{
    gnutls_x509_privkey_t key = nullptr;
    gnutls_x509_privkey_init(&key);
    gnutls_x509_privkey_generate(key, GNUTLS_PK_RSA, 1024, 0);
    gnutls_x509_crt_t crt = nullptr;
    gnutls_x509_crt_init(&crt);
    gnutls_x509_crt_set_version(crt, 3);
    const unsigned char serial[] = {1};
    gnutls_x509_crt_set_serial(crt, serial, sizeof serial);
    gnutls_x509_crt_set_activation_time(crt,
                                        QDateTime(QDate(2020, 1, 1), QTime(), QTimeZone::utc()).toSecsSinceEpoch());
    gnutls_x509_crt_set_expiration_time(crt,
                                        QDateTime(QDate(2099, 1, 1), QTime(), QTimeZone::utc()).toSecsSinceEpoch());
    gnutls_x509_crt_set_dn_by_oid(crt, GNUTLS_OID_X520_COMMON_NAME, 0, "SanitelCF", 9);
    gnutls_x509_crt_set_key(crt, key);
    gnutls_x509_crt_sign2(crt, crt, key, GNUTLS_DIG_SHA256, 0);
    gnutls_datum_t pem{nullptr, 0};
    gnutls_x509_crt_export2(crt, GNUTLS_X509_FMT_PEM, &pem);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    f.write(reinterpret_cast<const char *>(pem.data), pem.size);
    gnutls_free(pem.data);
    gnutls_x509_crt_deinit(crt);
    gnutls_x509_privkey_deinit(key);
}

void writeYear(const QString &folder, int count, const PracticeData &practice)
{
    RecordFile headers(QDir(folder).filePath(BillingFiles::kInvoices), TInvoiceRecord::Size);
    RecordFile lines(QDir(folder).filePath(BillingFiles::kInvoiceLines), TInvoiceLineRecord::Size);
    headers.open(RecordFile::Write);
    lines.open(RecordFile::Write);
    for (int i = 1; i <= count; ++i) {
        Invoices::Draft d;
        d.date = QDate(2026, 1, 1).addDays(i * 364 / count);
        d.patient = Invoices::Patient{i,
                                      QStringLiteral("Paziente %1").arg(i),
                                      QStringLiteral("Via Roma 1"),
                                      QStringLiteral("00100"),
                                      QStringLiteral("Roma"),
                                      QStringLiteral("RM"),
                                      QStringLiteral("RSSMRA80A01H501U")};
        d.lines = {Invoices::Line{QStringLiteral("Visita"), {}, 5000 + i % 100},
                   Invoices::Line{QStringLiteral("Igiene"), {}, i % 5 == 0 ? 6000 : 2000}};
        d.method = i % 3 ? Money::Method::Carta : Money::Method::Contanti;
        d.paymentDate = d.date;
        d.opposition = i % 10 == 0;
        Invoices::Invoice inv = Invoices::preview(d, practice);
        inv.number = DocumentNumber{i, 2026};
        TInvoiceRecord h = Invoices::header(inv);
        h.PrimaRiga.setText(QString::number(lines.count() + 1));
        h.Righe.setText(QString::number(inv.lines.size()));
        h.Controllo.setText(Invoices::checksum(h));
        for (const Invoices::Line &l : inv.lines)
            lines.append(Invoices::lineRecord(inv.number, l));
        headers.append(h);
    }
    lines.close();
    headers.close();
}

qint64 stream(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 n; (n = f.read(buffer.data(), buffer.size())) > 0;)
        total += n;
    return total;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int count = 20000;
    int runs = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--invoices"))
            count = args.at(i + 1).toInt();
        else if (args.at(i) == QLatin1String("--runs"))
            runs = args.at(i + 1).toInt();
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("studio"));
    const QString out = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(folder);
    QDir().mkpath(out);
    PracticeData practice;
    practice.codiceFiscale = QStringLiteral("BNCLRA75C41F205X");
    practice.partitaIva = QStringLiteral("01234567897");
    practice.write(folder);
    writeYear(folder, count, practice);
    const QString cert = dir.filePath(QStringLiteral("SanitelCF.cer"));
    writeCertificate(cert);
    QString problem;
    const auto key = SistemaTs::Certificate::load(cert, QDate(2026, 12, 11), &problem);
    if (!key)
        qFatal("%s", qPrintable(problem));

    QList<double> made;
    QList<double> floors;
    for (int r = 0; r < runs + 1; ++r) {
        QElapsedTimer t;
        t.start();
        stream(QDir(folder).filePath(BillingFiles::kInvoices));
        stream(QDir(folder).filePath(BillingFiles::kInvoiceLines));
        for (int i = 0; i <= count; ++i)
            key->encrypt(QByteArrayLiteral("RSSMRA80A01H501U"));
        const double floor = t.nsecsElapsed() / 1e6;
        t.restart();
        const SistemaTs::Run run = SistemaTs::make(folder, 2026, cert, out, QDate(2026, 12, 11));
        const double ms = t.nsecsElapsed() / 1e6;
        if (run.status != SistemaTs::Run::Done)
            qFatal("%s", qPrintable(run.message));
        if (r > 0) { // the first run warms the cache
            made.append(ms);
            floors.append(floor);
        }
    }
    std::printf("%-52s %10s %10s %7s\n", "operation", "median ms", "floor ms", "ratio");
    std::printf("%-52s %10.1f %10.1f %6.2fx  (floor: stream + encrypt the codes)\n",
                qPrintable(QStringLiteral("Sistema TS file of %1 invoices").arg(count)), median(made), median(floors),
                median(made) / median(floors));
    return 0;
}
