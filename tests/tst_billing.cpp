// The practice's money without windows: the rules as tables (stamp duty, line amounts,
// balances), the practice's data file, invoices and credit notes numbered without gaps under
// two processes and under kills, payments, income, the register and the backup.
#include "backup/Backup.h"
#include "backup/DataFiles.h"
#include "billing/BillingRecords.h"
#include "billing/DocumentStore.h"
#include "billing/Estimates.h"
#include "billing/Invoices.h"
#include "billing/Ledger.h"
#include "billing/Money.h"
#include "billing/PracticeData.h"
#include "billing/PriceList.h"
#include "chart/TreatmentRegister.h"
#include "chart/Odontogram.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"
#include "support/Faults.h"

#include <QDir>
#include <QSet>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

namespace {

const QDate kDay(2026, 12, 11);
const QString kCf = QStringLiteral("RSSMRA80A01H501U");

Invoices::Patient patient(qint64 position = 3)
{
    return Invoices::Patient{position,
                             QStringLiteral("Rossi Mario"),
                             QStringLiteral("Via Roma 1"),
                             QStringLiteral("00100"),
                             QStringLiteral("Roma"),
                             QStringLiteral("RM"),
                             kCf};
}

Invoices::Draft draft(QList<qint64> amounts, QDate date = kDay, qint64 position = 3)
{
    Invoices::Draft d;
    d.date = date;
    d.patient = patient(position);
    int i = 0;
    for (qint64 cents : amounts)
        d.lines.append(Invoices::Line{QStringLiteral("Prestazione %1").arg(++i), QStringLiteral("36"), cents});
    return d;
}

Invoices::Invoice issued(const QString &folder, const Invoices::Draft &d, const PracticeData &practice = {})
{
    const Invoices::Issued out = Invoices::issue(folder, d, practice);
    if (!out.issued)
        qWarning("refused: %s", qPrintable(out.refusal));
    return out.invoice;
}

// The numbers of a year's register, in order.
QList<int> numbers(const QString &folder, int year = 2026)
{
    QList<int> out;
    for (const Ledger::RegisterRow &row : Ledger::invoiceRegister(folder, year))
        out.append(row.number.number);
    return out;
}

QList<int> oneTo(int n)
{
    QList<int> out;
    for (int i = 1; i <= n; ++i)
        out.append(i);
    return out;
}

QString toolPath() { return QCoreApplication::applicationDirPath() + QStringLiteral("/tool_issue"); }

} // namespace

class TestBilling : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { RecordFile::setLockWait(10000); }

    // ---- Rules ------------------------------------------------------------------------

    void stampDuty_data()
    {
        QTest::addColumn<QList<qint64>>("lines");
        QTest::addColumn<bool>("charged"); // the practice charges it to the patient
        QTest::addColumn<bool>("due");
        QTest::addColumn<qint64>("total");
        QTest::newRow("77,47: no stamp") << QList<qint64>{7747} << true << false << qint64(7747);
        QTest::newRow("77,48: stamp") << QList<qint64>{7748} << true << true << qint64(7948);
        QTest::newRow("two lines to 77,47") << QList<qint64>{7000, 747} << true << false << qint64(7747);
        QTest::newRow("two lines to 77,48") << QList<qint64>{7000, 748} << true << true << qint64(7948);
        QTest::newRow("due, paid by the practice") << QList<qint64>{80000} << false << true << qint64(80000);
        QTest::newRow("one cent") << QList<qint64>{1} << true << false << qint64(1);
    }
    void stampDuty()
    {
        QFETCH(QList<qint64>, lines);
        QFETCH(bool, charged);
        QFETCH(bool, due);
        QFETCH(qint64, total);
        PracticeData practice;
        practice.bolloAlPaziente = charged;
        const Invoices::Invoice inv = Invoices::preview(draft(lines), practice);
        QCOMPARE(inv.stamp, due);
        QCOMPARE(inv.stampCharged, due && charged);
        QCOMPARE(inv.totalCents, total);
        const bool stampLine = !inv.lines.isEmpty() && inv.lines.last().kind == Invoices::LineKind::Stamp;
        QCOMPARE(stampLine, due && charged);
        if (stampLine) {
            QCOMPARE(inv.lines.last().description, QStringLiteral("Imposta di bollo"));
            QCOMPARE(inv.lines.last().cents, qint64(200));
        }
        QCOMPARE(inv.exemptCents(), total - (due && charged ? 200 : 0));
    }

    void lineAmounts_data()
    {
        QTest::addColumn<int>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("discount");
        QTest::addColumn<QString>("amount");
        QTest::newRow("plain") << 1 << "800"
                               << "0"
                               << "800,00";
        QTest::newRow("quantity") << 3 << "45,50"
                                  << "0"
                                  << "136,50";
        QTest::newRow("ten percent") << 1 << "800"
                                     << "10"
                                     << "720,00";
        QTest::newRow("rounded half up once") << 3 << "33,33"
                                              << "12,5"
                                              << "87,49"; // 87,49125
        QTest::newRow("half a cent goes up") << 1 << "0,05"
                                             << "50"
                                             << "0,03"; // 0,025
        QTest::newRow("rounded on the line, not per unit") << 3 << "0,01"
                                                           << "50"
                                                           << "0,02"; // 0,015
        QTest::newRow("all off") << 2 << "100"
                                 << "100"
                                 << "0,00";
        QTest::newRow("largest") << 999 << "99999999,99"
                                 << "0"
                                 << "99899999990,01";
    }
    void lineAmounts()
    {
        QFETCH(int, quantity);
        QFETCH(QString, price);
        QFETCH(QString, discount);
        QFETCH(QString, amount);
        const std::optional<qint64> unit = Money::centsFromText(price);
        const std::optional<int> off = Money::percentFromText(discount);
        QVERIFY(unit && off);
        QCOMPARE(Amount::fromCents(Money::lineCents(quantity, *unit, *off)), amount);
    }

    void typedValuesOutsideTheirRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isAmount");
        QTest::addColumn<bool>("isPercent");
        QTest::newRow("ordinary") << "12,5" << true << true;
        QTest::newRow("over 100 %") << "100,01" << true << false;
        QTest::newRow("largest amount") << "99999999,99" << true << false;
        QTest::newRow("over the largest") << "100000000" << false << false;
        QTest::newRow("negative") << "-5" << false << false;
        QTest::newRow("words") << "dieci" << false << false;
    }
    void typedValuesOutsideTheirRange()
    {
        QFETCH(QString, text);
        QFETCH(bool, isAmount);
        QFETCH(bool, isPercent);
        QCOMPARE(Money::centsFromText(text).has_value(), isAmount);
        QCOMPARE(Money::percentFromText(text).has_value(), isPercent);
    }

    // Scans read dates and amounts from a record's bytes: the same rule as from its text.
    void textsReadFromRecordBytes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("date") << " 11/12/2026 " << QDate(2026, 12, 11);
        QTest::newRow("29 February, leap year") << "29/02/2028" << QDate(2028, 2, 29);
        QTest::newRow("29 February, other year") << "29/02/2026" << QDate();
        QTest::newRow("month 13") << "01/13/2026" << QDate();
        QTest::newRow("short") << "1/12/2026" << QDate();
        QTest::newRow("other separator") << "11-12-2026" << QDate();
        QTest::newRow("letters") << "1a/12/2026" << QDate();
        QTest::newRow("amount") << "1250,50" << QDate();
        QTest::newRow("amount rounded") << " 0,125 " << QDate();
        QTest::newRow("two commas") << "1,2,3" << QDate();
        QTest::newRow("lone comma") << "," << QDate();
        QTest::newRow("leading comma") << ",5" << QDate();
        QTest::newRow("sign") << "-5" << QDate();
        QTest::newRow("accented") << "1\u00E8" << QDate();
        QTest::newRow("empty") << "" << QDate();
    }
    void textsReadFromRecordBytes()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        TPaymentRecord r{};
        r.Data.setText(text);
        r.Importo.setText(text);
        QCOMPARE(Money::parseDate(text), date);
        QCOMPARE(Money::parseDate(r.Data.trimmedBytes()), date);
        QCOMPARE(Amount::toCents(r.Importo.trimmedBytes()), Amount::toCents(text));
    }

    void balanceWords_data()
    {
        QTest::addColumn<qint64>("done");
        QTest::addColumn<qint64>("paid");
        QTest::addColumn<QString>("text");
        QTest::newRow("owing") << qint64(20000) << qint64(8000) << QStringLiteral("Saldo: \u20AC 120,00 da pagare");
        QTest::newRow("even") << qint64(20000) << qint64(20000) << QStringLiteral("Saldo: in pari");
        QTest::newRow("nothing") << qint64(0) << qint64(0) << QStringLiteral("Saldo: in pari");
        QTest::newRow("credit") << qint64(5000) << qint64(8000) << QStringLiteral("Saldo: \u20AC 30,00 a credito");
        QTest::newRow("one cent owed") << qint64(1) << qint64(0) << QStringLiteral("Saldo: \u20AC 0,01 da pagare");
    }
    void balanceWords()
    {
        QFETCH(qint64, done);
        QFETCH(qint64, paid);
        QFETCH(QString, text);
        QCOMPARE((Money::Balance{done, paid}.text()), text);
    }

    void methods_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("traceable");
        QTest::newRow("contanti") << "contanti" << false;
        QTest::newRow("bancomat") << "bancomat" << true;
        QTest::newRow("carta di credito") << "carta di credito" << true;
        QTest::newRow("bonifico") << "bonifico" << true;
        QTest::newRow("assegno") << "assegno" << true;
    }
    void methods()
    {
        QFETCH(QString, name);
        QFETCH(bool, traceable);
        const std::optional<Money::Method> m = Money::parseMethod(name);
        QVERIFY(m);
        QCOMPARE(Money::methodName(*m), name);
        QCOMPARE(Money::isTraceable(*m), traceable);
        QCOMPARE(Money::parseMethod(Money::methodCaption(*m)), m);
    }

    void exemptionWording_data()
    {
        QTest::addColumn<QString>("regime");
        QTest::addColumn<QString>("own");
        QTest::addColumn<QString>("printed");
        QTest::newRow("ordinario")
            << "ordinario"
            << ""
            << "Operazione esente da IVA ai sensi dell'art. 10, comma 1, n. 18, del DPR 633/1972.";
        QTest::newRow("forfettario") << "forfettario"
                                     << ""
                                     << "Operazione effettuata ai sensi dell'art. 1, commi da 54 a 89, della Legge n. "
                                        "190/2014 (regime forfettario): operazione senza applicazione dell'IVA.";
        QTest::newRow("the practice's own") << "ordinario"
                                            << "  Esente art. 10 n. 18  "
                                            << "Esente art. 10 n. 18";
    }
    void exemptionWording()
    {
        QFETCH(QString, regime);
        QFETCH(QString, own);
        QFETCH(QString, printed);
        PracticeData practice;
        practice.regime = *Money::parseRegime(regime);
        practice.esenzione = own;
        QCOMPARE(practice.exemption(), printed);
        QCOMPARE(Invoices::preview(draft({1000}), practice).exemption, printed);
    }

    // ---- The practice's data ------------------------------------------------------------

    void practiceDataRoundTrip()
    {
        QTemporaryDir dir;
        QCOMPARE(PracticeData::read(dir.path()), PracticeData{}); // no file: the defaults
        PracticeData p;
        p.denominazione = QStringLiteral("Studio Dentistico Sorriso");
        p.titolare = QStringLiteral("Bianchi Anna");
        p.codiceFiscale = kCf;
        p.partitaIva = QStringLiteral("01234567897"); // check digit right
        p.alboProvincia = QStringLiteral("RM");
        p.alboNumero = QStringLiteral("1234");
        p.indirizzo = QStringLiteral("Via del Corso 10");
        p.cap = QStringLiteral("00186");
        p.citta = QStringLiteral("Roma");
        p.provincia = QStringLiteral("RM");
        p.telefono = QStringLiteral("06 1234567");
        p.email = QStringLiteral("studio@example.it");
        p.pec = QStringLiteral("studio@pec.example.it");
        p.iban = QStringLiteral("IT60X0542811101000000123456");
        p.regime = Money::Regime::Forfettario;
        p.esenzione = QStringLiteral("Prima riga \\ seconda\nterza = quarta, città");
        p.bolloAlPaziente = false;
        QCOMPARE(p.refusal(), QString());
        p.write(dir.path());
        QCOMPARE(PracticeData::read(dir.path()), p);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("Dati_Studio.ini.tmp")))); // nothing left aside
    }

    void practiceDataChecks_data()
    {
        QTest::addColumn<QString>("cf");
        QTest::addColumn<QString>("piva");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "";
        QTest::newRow("both right") << kCf << "01234567897"
                                    << "";
        QTest::newRow("codice fiscale wrong")
            << "RSSMRA80A01H501X"
            << "01234567897"
            << "Il codice fiscale del titolare non \u00E8 valido: controllarlo prima di salvare.";
        QTest::newRow("partita IVA wrong") << kCf << "01234567890"
                                           << "La partita IVA non \u00E8 valida: controllarla prima di salvare.";
        QTest::newRow("partita IVA short") << ""
                                           << "123"
                                           << "La partita IVA non \u00E8 valida: controllarla prima di salvare.";
    }
    void practiceDataChecks()
    {
        QFETCH(QString, cf);
        QFETCH(QString, piva);
        QFETCH(QString, refusal);
        PracticeData p;
        p.codiceFiscale = cf;
        p.partitaIva = piva;
        QCOMPARE(p.refusal(), refusal);
    }

    void practiceDataWriteFailureKeepsTheOldFile()
    {
        QTemporaryDir dir;
        PracticeData p;
        p.denominazione = QStringLiteral("Vecchio");
        p.write(dir.path());
        PracticeData q;
        q.denominazione = QStringLiteral("Nuovo");
        q.esenzione = QString(200, QLatin1Char('x'));
        bool failed = false;
        {
            const FileSizeLimit full(64); // a full disk
            try {
                q.write(dir.path());
            } catch (const StorageError &) {
                failed = true;
            }
        }
        QVERIFY(failed);
        QCOMPARE(PracticeData::read(dir.path()).denominazione, QStringLiteral("Vecchio"));
    }

    // ---- Refusals ------------------------------------------------------------------------

    void invoiceRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("cf");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("whole") << "Rossi Mario"
                               << "Via Roma 1" << kCf << "";
        QTest::newRow("no name") << " "
                                 << "Via Roma 1" << kCf << "Per emettere la fattura mancano: il nome del paziente.";
        QTest::newRow("no address") << "Rossi Mario"
                                    << "" << kCf << "Per emettere la fattura mancano: l'indirizzo del paziente.";
        QTest::newRow("nothing")
            << ""
            << ""
            << ""
            << "Per emettere la fattura mancano: il nome del paziente, l'indirizzo del paziente, il codice fiscale "
               "del paziente.";
        QTest::newRow("no codice fiscale") << "Rossi Mario"
                                           << "Via Roma 1"
                                           << ""
                                           << "Per emettere la fattura mancano: il codice fiscale del paziente.";
        QTest::newRow("wrong codice fiscale")
            << "Rossi Mario"
            << "Via Roma 1"
            << "RSSMRA80A01H501X"
            << "Il codice fiscale del paziente (RSSMRA80A01H501X) non \u00E8 valido: correggerlo nella scheda del "
               "paziente.";
        QTest::newRow("provisional codice fiscale") << "Rossi Mario"
                                                    << "Via Roma 1"
                                                    << "01234567897"
                                                    << "";
    }
    void invoiceRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, address);
        QFETCH(QString, cf);
        QFETCH(QString, refusal);
        Invoices::Draft d = draft({1000});
        d.patient.name = name;
        d.patient.address = address;
        d.patient.codiceFiscale = cf;
        QCOMPARE(Invoices::refusal(d), refusal);
        QTemporaryDir dir;
        const Invoices::Issued out = Invoices::issue(dir.path(), d, {});
        QCOMPARE(out.issued, refusal.isEmpty());
        QCOMPARE(out.refusal, refusal);
        QCOMPARE(numbers(dir.path()).size(), refusal.isEmpty() ? 1 : 0); // a refusal uses no number
    }

    void draftRefusals_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("no lines") << 0 << "La fattura non ha righe: aggiungerne almeno una.";
        QTest::newRow("line without words") << 1 << "La riga 1 non ha una descrizione.";
        QTest::newRow("line without amount") << 2 << "La riga 1 non ha un importo valido.";
        QTest::newRow("payment date without method")
            << 3 << "Indicare sia la data sia la modalit\u00E0 del pagamento, oppure nessuna delle due.";
        QTest::newRow("payment after the invoice")
            << 4 << "La data del pagamento non pu\u00F2 seguire quella del documento.";
        QTest::newRow("credit note of nothing") << 5 << "Indicare la fattura che la nota di credito rettifica.";
    }
    void draftRefusals()
    {
        QFETCH(int, fault);
        QFETCH(QString, refusal);
        Invoices::Draft d = draft({1000});
        switch (fault) {
        case 0:
            d.lines.clear();
            break;
        case 1:
            d.lines[0].description.clear();
            break;
        case 2:
            d.lines[0].cents = 0;
            break;
        case 3:
            d.paymentDate = kDay;
            break;
        case 4:
            d.paymentDate = kDay.addDays(1);
            d.method = Money::Method::Bancomat;
            break;
        case 5:
            d.kind = Invoices::Kind::CreditNote;
            break;
        }
        QCOMPARE(Invoices::refusal(d), refusal);
    }

    // ---- Numbers ----------------------------------------------------------------------

    void numbersRunPerYearWithoutGaps()
    {
        QTemporaryDir dir;
        const QString f = dir.path();
        QCOMPARE(issued(f, draft({1000}, QDate(2026, 1, 2))).number.text(), QStringLiteral("1/2026"));
        QCOMPARE(issued(f, draft({1000}, QDate(2026, 5, 2))).number.text(), QStringLiteral("2/2026"));
        QCOMPARE(issued(f, draft({1000}, QDate(2027, 1, 1))).number.text(), QStringLiteral("1/2027"));
        // A late invoice of the old year continues its own series.
        QCOMPARE(issued(f, draft({1000}, QDate(2026, 12, 31))).number.text(), QStringLiteral("3/2026"));
        QCOMPARE(issued(f, draft({1000}, QDate(2027, 1, 3))).number.text(), QStringLiteral("2/2027"));
        // Not before the year's last document: the numbers would run against the dates.
        const Invoices::Issued early = Invoices::issue(f, draft({1000}, QDate(2027, 1, 2)), {});
        QVERIFY(!early.issued);
        QCOMPARE(early.refusal, QStringLiteral("La data 02/01/2027 precede quella dell'ultimo documento emesso, "
                                               "2/2027 del 03/01/2027."));
        QCOMPARE(numbers(f, 2026), oneTo(3));
        QCOMPARE(numbers(f, 2027), oneTo(2));
    }

    void issuedInvoiceReadsBackWhole()
    {
        QTemporaryDir dir;
        PracticeData practice;
        practice.partitaIva = QStringLiteral("01234567897");
        Invoices::Draft d = draft({5000, 8000});
        d.lines[1].treatment = 4;
        d.paymentDate = kDay;
        d.method = Money::Method::Carta;
        d.opposition = true;
        const Invoices::Invoice inv = issued(dir.path(), d, practice);
        QCOMPARE(inv.number.text(), QStringLiteral("1/2026"));
        QCOMPARE(inv.totalCents, qint64(13200)); // the stamp charged
        QVERIFY(inv.traceable);
        const std::optional<Invoices::Invoice> back = Invoices::find(dir.path(), inv.number);
        QVERIFY(back);
        QCOMPARE(*back, inv);
        QCOMPARE(Invoices::ofPatient(dir.path(), 3), QList<Invoices::Invoice>{inv});
        QVERIFY(Invoices::ofPatient(dir.path(), 4).isEmpty());
    }

    void onlyTheSendingMarksChange()
    {
        QTemporaryDir dir;
        const Invoices::Invoice inv = issued(dir.path(), draft({9000}));
        QVERIFY(Invoices::markSent(dir.path(), inv.number, QStringLiteral("26121112345678901"), kDay.addDays(3)));
        QVERIFY(!Invoices::markSent(dir.path(), DocumentNumber{9, 2026}, QStringLiteral("1"), kDay));
        Invoices::Invoice expected = inv;
        expected.sent = true;
        expected.protocol = QStringLiteral("26121112345678901");
        expected.sentDate = kDay.addDays(3);
        QCOMPARE(*Invoices::find(dir.path(), inv.number), expected);
        QVERIFY(!QFile::exists(RecordFile::journalPath(dir.filePath(BillingFiles::kInvoices))));
    }

    // What a save cut short at each step leaves behind: lines no header points to (killed
    // after the lines), part of a header (killed inside its write), a header torn by a power
    // cut (whole length, wrong bytes). None of them is a document; the next number is the
    // next after the last whole document, and every document reads whole.
    void saveCutShortAtEachStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("after the lines") << 0;
        QTest::newRow("inside the header") << 1;
        QTest::newRow("header torn") << 2;
    }
    void saveCutShortAtEachStep()
    {
        QFETCH(int, step);
        QTemporaryDir dir;
        const QString f = dir.path();
        issued(f, draft({1000}));
        // The second invoice, cut short.
        Invoices::Invoice second = Invoices::preview(draft({2000, 3000}), {});
        second.number = DocumentNumber{2, 2026};
        QList<TInvoiceLineRecord> lines;
        for (const Invoices::Line &l : second.lines)
            lines.append(Invoices::lineRecord(second.number, l));
        const qint64 first = DocumentStore::appendLines(dir.filePath(BillingFiles::kInvoiceLines), lines);
        TInvoiceRecord h = Invoices::header(second);
        h.PrimaRiga.setText(QString::number(first));
        h.Controllo.setText(Invoices::checksum(h));
        QFile file(dir.filePath(BillingFiles::kInvoices));
        QVERIFY(file.open(QIODevice::Append));
        if (step == 1) {
            file.write(recordBytes(h), 500);
        } else if (step == 2) {
            std::fill(recordBytes(h) + 600, recordBytes(h) + 900, '\0'); // a page that never reached the disk
            file.write(recordBytes(h), TInvoiceRecord::Size);
        }
        file.close();

        QCOMPARE(numbers(f), oneTo(1));
        const Invoices::Invoice next = issued(f, draft({4000}));
        QCOMPARE(next.number.text(), QStringLiteral("2/2026"));
        QCOMPARE(numbers(f), oneTo(2));
        QCOMPARE(Invoices::find(f, next.number)->lines, next.lines);
        QCOMPARE(issued(f, draft({4000})).number.text(), QStringLiteral("3/2026"));
    }

    void twoProcessesNeverShareANumber()
    {
        QVERIFY(QFile::exists(toolPath()));
        QTemporaryDir dir;
        const int each = 25;
        QProcess a, b;
        a.start(toolPath(), {dir.path(), QString::number(each), QStringLiteral("1")});
        b.start(toolPath(), {dir.path(), QString::number(each), QStringLiteral("2")});
        QVERIFY(a.waitForFinished(120000) && b.waitForFinished(120000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        QCOMPARE(numbers(dir.path()), oneTo(2 * each));
        // Each number was given to one process only, and each document has its own lines.
        QStringList given = QString::fromLatin1(a.readAllStandardOutput() + b.readAllStandardOutput())
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        given.sort();
        QCOMPARE(given.size(), 2 * each);
        QCOMPARE(QSet<QString>(given.begin(), given.end()).size(), 2 * each);
        QCOMPARE(Invoices::ofPatient(dir.path(), 1).size() + Invoices::ofPatient(dir.path(), 2).size(), 2 * each);
    }

    void killedWhileIssuingLeavesNoGap()
    {
        QVERIFY(QFile::exists(toolPath()));
        QTemporaryDir inMemory(QStringLiteral("/dev/shm/sorrisa-XXXXXX"));
        QTemporaryDir onDisk;
        const QString f = inMemory.isValid() ? inMemory.path() : onDisk.path();
        int confirmed = 0;
        for (int run = 1; run <= 15; ++run) {
            QProcess writer;
            writer.start(toolPath(), {f, QStringLiteral("100000"), QStringLiteral("1")});
            QVERIFY(writer.waitForStarted());
            QVERIFY(writer.waitForReadyRead(30000));
            QTest::qWait(int(QRandomGenerator::global()->bounded(40)));
            writer.kill();
            QVERIFY(writer.waitForFinished(10000));
            for (const QByteArray &line : writer.readAllStandardOutput().split('\n'))
                if (const std::optional<DocumentNumber> n = DocumentNumber::parse(QString::fromLatin1(line)))
                    confirmed = std::max(confirmed, n->number);
            const QList<int> got = numbers(f);
            QVERIFY(got.size() >= confirmed); // every confirmed invoice is there
            QCOMPARE(got, oneTo(int(got.size())));
            for (const Invoices::Invoice &inv : Invoices::ofPatient(f, 1))
                QCOMPARE(inv.lines.size(), 3); // two services and the stamp
            confirmed = int(got.size());
        }
    }

    // ---- Credit notes -----------------------------------------------------------------

    void creditNotesStayWithinTheInvoice_data()
    {
        QTest::addColumn<QList<qint64>>("notes");
        QTest::addColumn<QList<bool>>("accepted");
        QTest::addColumn<qint64>("left");
        QTest::newRow("whole") << QList<qint64>{10000} << QList<bool>{true} << qint64(0);
        QTest::newRow("part, then the rest") << QList<qint64>{6000, 4000} << QList<bool>{true, true} << qint64(0);
        QTest::newRow("part, then too much")
            << QList<qint64>{6000, 4001, 4000} << QList<bool>{true, false, true} << qint64(0);
        QTest::newRow("more than the invoice") << QList<qint64>{10001} << QList<bool>{false} << qint64(10000);
        QTest::newRow("the stamp is not the patient's to take back")
            << QList<qint64>{10200} << QList<bool>{false} << qint64(10000);
    }
    void creditNotesStayWithinTheInvoice()
    {
        QFETCH(QList<qint64>, notes);
        QFETCH(QList<bool>, accepted);
        QFETCH(qint64, left);
        QTemporaryDir dir;
        const Invoices::Invoice inv = issued(dir.path(), draft({10000})); // 100,00 + the stamp
        QCOMPARE(inv.totalCents, qint64(10200));
        QCOMPARE(Invoices::remainingCents(dir.path(), inv.number), qint64(10000));
        int expectedNumber = 1;
        for (qsizetype i = 0; i < notes.size(); ++i) {
            Invoices::Draft d = Invoices::creditNoteDraft(inv, kDay);
            QCOMPARE(d.patient, inv.patient);
            d.lines = {Invoices::Line{QStringLiteral("Storno"), QString(), notes.at(i)}};
            const Invoices::Issued out = Invoices::issue(dir.path(), d, {});
            QCOMPARE(out.issued, accepted.at(i));
            if (out.issued) {
                QCOMPARE(out.invoice.number.number, ++expectedNumber); // the invoices' series
                QCOMPARE(out.invoice.corrects, inv.number);
                QCOMPARE(out.invoice.kind, Invoices::Kind::CreditNote);
                QVERIFY(!out.invoice.stampCharged);
                QVERIFY(Invoices::pdfPath(dir.path(), out.invoice)
                            .endsWith(QStringLiteral("/Fatture/2026/Nota_di_credito_%1_2026.pdf")
                                          .arg(expectedNumber, 4, 10, QLatin1Char('0'))));
            } else {
                QVERIFY2(out.refusal.startsWith(QStringLiteral("La nota di credito supera quanto resta della "
                                                               "fattura 1/2026")),
                         qPrintable(out.refusal));
            }
        }
        QCOMPARE(Invoices::remainingCents(dir.path(), inv.number), left);
        QCOMPARE(numbers(dir.path()), oneTo(expectedNumber));
    }

    void creditNoteRefusals()
    {
        QTemporaryDir dir;
        const Invoices::Invoice inv = issued(dir.path(), draft({10000}));
        Invoices::Draft missing = Invoices::creditNoteDraft(inv, kDay);
        missing.corrects = DocumentNumber{7, 2026};
        QCOMPARE(Invoices::issue(dir.path(), missing, {}).refusal, QStringLiteral("La fattura 7/2026 non esiste."));
        Invoices::Draft other = Invoices::creditNoteDraft(inv, kDay);
        other.patient.position = 9;
        QCOMPARE(Invoices::issue(dir.path(), other, {}).refusal,
                 QStringLiteral("La fattura 1/2026 \u00E8 di un altro paziente."));
        const Invoices::Issued before =
            Invoices::issue(dir.path(), Invoices::creditNoteDraft(inv, kDay.addDays(-1)), {});
        QCOMPARE(before.refusal,
                 QStringLiteral("La nota di credito non pu\u00F2 precedere la fattura 1/2026 del 11/12/2026."));
        QCOMPARE(numbers(dir.path()), oneTo(1));
    }

    // ---- Payments, balance, income, register --------------------------------------------

    void balanceIncomeAndRegister()
    {
        QTemporaryDir dir;
        const QString f = dir.path();
        // Treatments done: 80,00 and 120,00 for patient 3; 50,00 for patient 4.
        TreatmentRegister::save(dir.filePath(treatmentFileName(QStringLiteral("3"))),
                                TreatmentRegister::record(QStringLiteral("01/12/2026"), QStringLiteral("09:00"),
                                                          QStringLiteral("Visita"), QStringLiteral("Bianchi"),
                                                          QStringLiteral("80,00")),
                                0);
        TreatmentRegister::save(dir.filePath(treatmentFileName(QStringLiteral("3"))),
                                TreatmentRegister::record(QStringLiteral("02/12/2026"), QStringLiteral("09:00"),
                                                          QStringLiteral("Otturazione"), QStringLiteral("Bianchi"),
                                                          QStringLiteral("120,00")),
                                0);
        TreatmentRegister::save(dir.filePath(treatmentFileName(QStringLiteral("4"))),
                                TreatmentRegister::record(QStringLiteral("02/12/2026"), QStringLiteral("10:00"),
                                                          QStringLiteral("Visita"), QStringLiteral("Bianchi"),
                                                          QStringLiteral("50,00")),
                                0);
        QCOMPARE(Ledger::balance(f, 3).text(), QStringLiteral("Saldo: \u20AC 200,00 da pagare"));

        const Invoices::Invoice paidLater = issued(f, draft({8000}, QDate(2026, 12, 2)));
        Invoices::Draft atIssue = draft({12000}, QDate(2026, 12, 3));
        atIssue.paymentDate = QDate(2026, 12, 3);
        atIssue.method = Money::Method::Contanti;
        const Invoices::Invoice paidAtIssue = issued(f, atIssue);
        const Invoices::Invoice unpaid = issued(f, draft({5000}, QDate(2026, 12, 4), 4));

        const auto pay = [&](qint64 patient, QDate date, qint64 cents, Money::Method method, DocumentNumber invoice) {
            Ledger::Payment p;
            p.patient = patient;
            p.date = date;
            p.cents = cents;
            p.method = method;
            p.invoice = invoice;
            QVERIFY(Ledger::refusal(p).isEmpty());
            QVERIFY(Ledger::save(f, p) > 0);
        };
        pay(3, QDate(2026, 12, 2), 5000, Money::Method::Bancomat, paidLater.number);
        QCOMPARE(Ledger::balance(f, 3).text(),
                 QStringLiteral("Saldo: \u20AC 154,00 da pagare")); // two stamps, one payment
        pay(3, QDate(2026, 12, 5), 3000, Money::Method::Bonifico, paidLater.number);
        pay(3, QDate(2026, 12, 6), 200, Money::Method::Bonifico, paidLater.number);
        pay(3, QDate(2026, 12, 3), 12200, Money::Method::Contanti, paidAtIssue.number);
        pay(4, QDate(2026, 11, 30), 2000, Money::Method::Assegno, {});

        QCOMPARE(Ledger::balance(f, 3).text(), QStringLiteral("Saldo: in pari"));
        QCOMPARE(Ledger::balance(f, 4).text(), QStringLiteral("Saldo: \u20AC 30,00 da pagare"));
        // Patient 6 paid the treatment of the invoice but not the invoice's stamp.
        TreatmentRegister::save(dir.filePath(treatmentFileName(QStringLiteral("6"))),
                                TreatmentRegister::record(QStringLiteral("05/12/2026"), QStringLiteral("10:00"),
                                                          QStringLiteral("Igiene"), QStringLiteral("Bianchi"),
                                                          QStringLiteral("100,00")),
                                0);
        issued(f, draft({10000}, QDate(2026, 12, 5), 6));
        pay(6, QDate(2026, 12, 5), 10000, Money::Method::Contanti, {});
        const QList<Ledger::Owing> owing = Ledger::patientsOwing(f);
        QCOMPARE(owing.size(), 2);
        QCOMPARE(owing.first().patient, qint64(4));
        QCOMPARE(owing.first().balance.cents(), qint64(3000));
        QCOMPARE(owing.last().patient, qint64(6));
        QCOMPARE(owing.last().balance.text(), QStringLiteral("Saldo: \u20AC 2,00 da pagare"));

        const Ledger::Income december = Ledger::income(f, QDate(2026, 12, 15), Ledger::Period::Month);
        QCOMPARE(december.positions.size(), 5);
        const QList<Ledger::Payment> listed = Ledger::paymentsAt(f, december.positions);
        QCOMPARE(listed.first().date, QDate(2026, 12, 2));
        QCOMPARE(listed.first().invoice, paidLater.number);
        QCOMPARE(listed.at(3).cents, qint64(12200)); // file order
        QCOMPARE(december.traceable, qint64(8200));
        QCOMPARE(december.notTraceable, qint64(22200));
        QCOMPARE(december.byMethod[int(Money::Method::Bancomat)], qint64(5000));
        QCOMPARE(december.byMethod[int(Money::Method::Assegno)], qint64(0));
        QCOMPARE(Ledger::income(f, QDate(2026, 12, 3), Ledger::Period::Day).total(), qint64(12200));
        QCOMPARE(Ledger::income(f, QDate(2026, 1, 1), Ledger::Period::Year).total(), qint64(32400));

        const QList<Ledger::RegisterRow> reg = Ledger::invoiceRegister(f, 2026);
        QCOMPARE(reg.size(), 4);
        QCOMPARE(reg.at(0).number, paidLater.number);
        QVERIFY(reg.at(0).paid); // two payments reach its total
        QVERIFY(reg.at(1).paid); // paid at issue (its stamp line makes 122,00)
        QCOMPARE(reg.at(1).totalCents, qint64(12200));
        QVERIFY(!reg.at(2).paid);
        QCOMPARE(reg.at(2).number, unpaid.number);
        QCOMPARE(reg.at(2).name, QStringLiteral("Rossi Mario"));
        QVERIFY(!reg.at(3).paid); // its payment names no invoice
    }

    void treatmentsNotYetInvoiced()
    {
        QTemporaryDir dir;
        const QString f = dir.path();
        const QString reg = dir.filePath(treatmentFileName(QStringLiteral("3")));
        for (const char *amount : {"80,00", "120,00", "0,00", "45,50"})
            TreatmentRegister::save(reg,
                                    TreatmentRegister::record(QStringLiteral("01/12/2026"), QStringLiteral("09:00"),
                                                              QStringLiteral("Cura %1").arg(QLatin1String(amount)),
                                                              QStringLiteral("Bianchi"), QLatin1String(amount)),
                                    0);
        QList<Invoices::Line> open = Invoices::uninvoicedTreatments(f, 3);
        QCOMPARE(open.size(), 3); // nothing to invoice in a treatment of 0,00
        QCOMPARE(open.at(0), (Invoices::Line{QStringLiteral("Cura 80,00"), QString(), 8000, QStringLiteral("SR"),
                                             Invoices::LineKind::Service, 1}));
        Invoices::Draft d = draft({});
        d.lines = {open.at(0), open.at(1)};
        const Invoices::Invoice inv = issued(f, d);
        open = Invoices::uninvoicedTreatments(f, 3);
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.first().treatment, qint64(4));
        // A credit note taking back the second treatment makes it open again.
        Invoices::Draft note = Invoices::creditNoteDraft(inv, kDay);
        note.lines = {inv.lines.at(1)};
        QVERIFY(Invoices::issue(f, note, {}).issued);
        open = Invoices::uninvoicedTreatments(f, 3);
        QCOMPARE(open.size(), 2);
        QCOMPARE(open.first().treatment, qint64(2));
        QVERIFY(Invoices::uninvoicedTreatments(f, 5).isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(treatmentFileName(QStringLiteral("5")))));
    }

    void paymentRecordsReadBack_data()
    {
        QTest::addColumn<int>("method");
        for (int m = 0; m < Money::kMethodCount; ++m)
            QTest::newRow(qPrintable(Money::methodName(Money::Method(m)))) << m;
    }
    void paymentRecordsReadBack()
    {
        QFETCH(int, method);
        Ledger::Payment p;
        p.patient = 12;
        p.date = kDay;
        p.cents = 123456;
        p.method = Money::Method(method);
        p.note = QStringLiteral("Acconto, perché sì");
        p.estimate = DocumentNumber{12, 2026};
        const TPaymentRecord r = Ledger::record(p);
        QCOMPARE(Money::isYes(r.Tracciabile.text()), Money::Method(method) != Money::Method::Contanti);
        QCOMPARE(Ledger::payment(r), std::optional<Ledger::Payment>(p));
    }

    // ---- Price list and estimates --------------------------------------------------------

    void priceListRefusals_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("work");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("whole") << "COR2"
                               << "Corona in zirconia"
                               << "SR"
                               << "corona"
                               << "";
        QTest::newRow("free service") << "IGI"
                                      << "Igiene orale"
                                      << "SR"
                                      << ""
                                      << "";
        QTest::newRow("no code") << " "
                                 << "Corona"
                                 << "SR"
                                 << ""
                                 << "Manca il codice della prestazione.";
        QTest::newRow("no description") << "X1"
                                        << ""
                                        << "SR"
                                        << ""
                                        << "Manca la descrizione della prestazione.";
        QTest::newRow("code in use, any case")
            << "cor"
            << "Altra"
            << "SR"
            << ""
            << "Il codice cor \u00E8 gi\u00E0 usato da \"Corona in ceramica integrale\".";
        QTest::newRow("kind of expense")
            << "X1"
            << "Sbiancamento"
            << "s"
            << ""
            << "Il tipo di spesa \u00E8 di due lettere maiuscole (SR per le prestazioni del "
               "dentista).";
        QTest::newRow("unknown work") << "X1"
                                      << "Faccette"
                                      << "SR"
                                      << "faccetta"
                                      << "Il lavoro \"faccetta\" non \u00E8 uno stato dell'odontogramma.";
    }
    void priceListRefusals()
    {
        QFETCH(QString, code);
        QFETCH(QString, description);
        QFETCH(QString, kind);
        QFETCH(QString, work);
        QFETCH(QString, refusal);
        const QList<PriceList::Item> list{PriceList::Item{1, QStringLiteral("COR"),
                                                          QStringLiteral("Corona in ceramica integrale"), 80000,
                                                          QStringLiteral("SR"), QStringLiteral("corona")}};
        QCOMPARE(PriceList::refusal(PriceList::Item{0, code, description, 1000, kind, work}, list), refusal);
    }

    void priceListSavedSearchedAndPricingWork()
    {
        QTemporaryDir dir;
        PriceList::Item corona{0,     QStringLiteral("COR"), QStringLiteral("Corona in ceramica integrale"),
                               80000, QStringLiteral("SR"),  QStringLiteral("corona")};
        PriceList::Item otturazione{0,    QStringLiteral("OTT"), QStringLiteral("Otturazione in composito"),
                                    9000, QStringLiteral("SR"),  QStringLiteral("otturazione")};
        corona.position = PriceList::save(dir.path(), corona);
        otturazione.position = PriceList::save(dir.path(), otturazione);
        otturazione.cents = 9500;
        QCOMPARE(PriceList::save(dir.path(), otturazione), qint64(2));
        const QList<PriceList::Item> list = PriceList::read(dir.path());
        QCOMPARE(list, (QList<PriceList::Item>{corona, otturazione}));
        QCOMPARE(PriceList::search(list, QStringLiteral("cera")), QList<PriceList::Item>{corona});
        QCOMPARE(PriceList::search(list, QStringLiteral("ott")), QList<PriceList::Item>{otturazione});
        QCOMPARE(PriceList::forWork(list, QStringLiteral("corona")), std::optional<PriceList::Item>(corona));
        QVERIFY(!PriceList::forWork(list, QStringLiteral("impianto")));
    }

    void estimateFromTheChartsPlan()
    {
        using namespace Odontogram;
        const QMap<int, ToothState> latest{
            {11, ToothState{State::Carie, true, M | O}},
            {21, ToothState{State::Otturazione, false, O}}, // found, not planned
            {36, ToothState{State::Corona, true, {}}},
            {46, ToothState{State::Impianto, true, {}}}, // not in the price list
        };
        const QList<PriceList::Item> list{PriceList::Item{1, QStringLiteral("COR"),
                                                          QStringLiteral("Corona in ceramica integrale"), 80000,
                                                          QStringLiteral("SR"), QStringLiteral("corona")},
                                          PriceList::Item{2, QStringLiteral("CAR"), QStringLiteral("Cura della carie"),
                                                          9000, QStringLiteral("SR"), QStringLiteral("carie")}};
        const QList<Estimates::Line> lines = Estimates::fromPlan(latest, list);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0), (Estimates::Line{QStringLiteral("11"), QStringLiteral("carie"), QStringLiteral("MO"),
                                               QStringLiteral("Cura della carie"), 1, 9000}));
        QCOMPARE(lines.at(1).description, QStringLiteral("Corona in ceramica integrale"));
        QCOMPARE(lines.at(1).unitCents, qint64(80000));
        QCOMPARE(lines.at(2).work, QStringLiteral("impianto"));
        QCOMPARE(lines.at(2).description, stateCaption(State::Impianto));
        QCOMPARE(lines.at(2).unitCents, qint64(0));
    }

    void estimateTotals_data()
    {
        QTest::addColumn<QList<int>>("quantities");
        QTest::addColumn<QList<qint64>>("prices");
        QTest::addColumn<int>("discount");
        QTest::addColumn<qint64>("total");
        QTest::newRow("no discount") << QList<int>{1, 2} << QList<qint64>{80000, 4550} << 0 << qint64(89100);
        QTest::newRow("ten percent") << QList<int>{1, 2} << QList<qint64>{80000, 4550} << 1000 << qint64(80190);
        // Each line rounded once, then summed: 3 × 0,01 less 50 % is 0,02 (0,015), twice.
        QTest::newRow("lines rounded, then summed") << QList<int>{3, 3} << QList<qint64>{1, 1} << 5000 << qint64(4);
    }
    void estimateTotals()
    {
        QFETCH(QList<int>, quantities);
        QFETCH(QList<qint64>, prices);
        QFETCH(int, discount);
        QFETCH(qint64, total);
        Estimates::Estimate e;
        e.discount = discount;
        for (qsizetype i = 0; i < prices.size(); ++i)
            e.lines.append(
                Estimates::Line{QString(), QString(), QString(), QStringLiteral("x"), quantities.at(i), prices.at(i)});
        QCOMPARE(e.totalCents(), total);
    }

    void estimatesNumberedAndSavedAgain()
    {
        QTemporaryDir dir;
        const QString f = dir.path();
        issued(f, draft({1000})); // invoices are another series
        Estimates::Estimate e;
        e.patient = 3;
        e.date = kDay;
        e.validUntil = kDay.addMonths(3);
        e.discount = 500;
        e.lines = {Estimates::Line{QStringLiteral("36"), QStringLiteral("corona"), QString(),
                                   QStringLiteral("Corona in ceramica integrale"), 1, 80000}};
        QCOMPARE(Estimates::refusal(e), QString());
        const Estimates::Estimate first = Estimates::save(f, e);
        QCOMPARE(first.numberText(), QStringLiteral("P 1/2026"));
        const Estimates::Estimate second = Estimates::save(f, e);
        QCOMPARE(second.numberText(), QStringLiteral("P 2/2026"));
        Estimates::Estimate changed = first;
        changed.state = Estimates::State::Accettato;
        changed.lines.append(Estimates::Line{QString(), QString(), QString(), QStringLiteral("Igiene"), 2, 6000});
        QCOMPARE(Estimates::save(f, changed), changed);
        QCOMPARE(*Estimates::find(f, first.number), changed);
        QCOMPARE(Estimates::ofPatient(f, 3), (QList<Estimates::Estimate>{changed, second}));
        QVERIFY(!QFile::exists(RecordFile::journalPath(dir.filePath(BillingFiles::kEstimates))));
    }

    void estimateRefusals_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("no lines") << 0 << "Il preventivo non ha righe: aggiungerne almeno una.";
        QTest::newRow("validity before the date")
            << 1 << "La validit\u00E0 del preventivo non pu\u00F2 precedere la sua data.";
        QTest::newRow("quantity 0") << 2 << "La quantit\u00E0 della riga 1 va da 1 a 999.";
        QTest::newRow("no description") << 3 << "La riga 1 non ha una descrizione.";
    }
    void estimateRefusals()
    {
        QFETCH(int, fault);
        QFETCH(QString, refusal);
        Estimates::Estimate e;
        e.patient = 3;
        e.date = kDay;
        e.lines = {Estimates::Line{QString(), QString(), QString(), QStringLiteral("Visita"), 1, 5000}};
        switch (fault) {
        case 0:
            e.lines.clear();
            break;
        case 1:
            e.validUntil = kDay.addDays(-1);
            break;
        case 2:
            e.lines[0].quantity = 0;
            break;
        case 3:
            e.lines[0].description = QStringLiteral(" ");
            break;
        }
        QCOMPARE(Estimates::refusal(e), refusal);
    }

    // A done line of an accepted estimate becomes one treatment, once, also when the last
    // writing stopped half-way: with its position recorded and the treatment not yet
    // appended, or appended and the position not yet confirmed.
    void doneLinesEnterTheRegisterOnce_data()
    {
        QTest::addColumn<int>("stop"); // 0: none, 1: before the treatment, 2: after it
        QTest::newRow("plain") << 0;
        QTest::newRow("stopped before the treatment") << 1;
        QTest::newRow("stopped after the treatment") << 2;
    }
    void doneLinesEnterTheRegisterOnce()
    {
        QFETCH(int, stop);
        QTemporaryDir dir;
        const QString f = dir.path();
        const QString reg = dir.filePath(treatmentFileName(QStringLiteral("3")));
        TreatmentRegister::save(reg,
                                TreatmentRegister::record(QStringLiteral("01/12/2026"), QStringLiteral("09:00"),
                                                          QStringLiteral("Visita"), QStringLiteral("Bianchi"),
                                                          QStringLiteral("50,00")),
                                0);
        Estimates::Estimate e;
        e.patient = 3;
        e.date = kDay;
        e.discount = 1000;
        e.lines = {Estimates::Line{QStringLiteral("36"), QStringLiteral("corona"), QString(), QStringLiteral("Corona"),
                                   1, 80000},
                   Estimates::Line{QString(), QString(), QString(), QStringLiteral("Igiene"), 2, 6000}};
        e = Estimates::save(f, e);
        QCOMPARE(Estimates::writeDone(f, e.number, kDay, QTime(10, 0), QStringLiteral("Bianchi")), 0); // proposto
        e.state = Estimates::State::Accettato;
        e.lines[0].done = true;
        e.lines[1].done = true;
        if (stop > 0) {
            e.lines[0].registerPosition = -2; // recorded, then the program stopped
            if (stop == 2)
                TreatmentRegister::save(reg,
                                        TreatmentRegister::record(QStringLiteral("11/12/2026"), QStringLiteral("10:00"),
                                                                  QStringLiteral("Corona (dente 36)"),
                                                                  QStringLiteral("Bianchi"), QStringLiteral("720,00")),
                                        0);
        }
        e = Estimates::save(f, e);
        QCOMPARE(Estimates::writeDone(f, e.number, kDay, QTime(10, 0), QStringLiteral("Bianchi")), stop == 2 ? 1 : 2);
        QCOMPARE(Estimates::writeDone(f, e.number, kDay, QTime(10, 0), QStringLiteral("Bianchi")), 0);
        const TreatmentRegister::Listing listing = TreatmentRegister::read(reg);
        QCOMPARE(listing.lines.size(), 3);
        QCOMPARE(TreatmentRegister::readAt(reg, 2).Trattamenti.text(), QStringLiteral("Corona (dente 36)"));
        QCOMPARE(TreatmentRegister::readAt(reg, 2).Importo.text(), QStringLiteral("720,00"));
        QCOMPARE(TreatmentRegister::readAt(reg, 3).Trattamenti.text(), QStringLiteral("Igiene"));
        QCOMPARE(TreatmentRegister::readAt(reg, 3).Importo.text(), QStringLiteral("108,00"));
        const Estimates::Estimate back = *Estimates::find(f, e.number);
        QCOMPARE(back.lines.at(0).registerPosition, qint64(2));
        QCOMPARE(back.lines.at(1).registerPosition, qint64(3));
        // A treatment changed later in the register is not written again.
        TTreatmentRecord changed = TreatmentRegister::readAt(reg, 2);
        changed.Importo.setText(QStringLiteral("700,00"));
        TreatmentRegister::save(reg, changed, 2);
        QCOMPARE(Estimates::writeDone(f, e.number, kDay, QTime(10, 0), QStringLiteral("Bianchi")), 0);
        QCOMPARE(Ledger::balance(f, 3).doneCents, qint64(5000 + 70000 + 10800));
    }

    // ---- Backup -----------------------------------------------------------------------

    void theMoneyFilesAndInvoicePdfsAreBackedUp()
    {
        QTemporaryDir dir;
        const QString f = dir.path();
        issued(f, draft({1000}));
        Ledger::Payment p;
        p.patient = 3;
        p.date = kDay;
        p.cents = 1000;
        Ledger::save(f, p);
        PracticeData{}.write(f);
        const Invoices::Invoice first = *Invoices::find(f, DocumentNumber{1, 2026});
        QCOMPARE(Invoices::pdfPath(f, first), dir.filePath(QStringLiteral("Fatture/2026/Fattura_0001_2026.pdf")));
        QVERIFY(QDir(f).mkpath(QStringLiteral("Fatture/2026")));
        QFile pdf(Invoices::pdfPath(f, first));
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.write("%PDF-1.4\n");
        pdf.close();
        QStringList paths;
        for (const DataFiles::Entry &e : DataFiles::list(f))
            paths.append(e.path);
        for (const QString &name : {BillingFiles::kInvoices, BillingFiles::kInvoiceLines, BillingFiles::kPayments,
                                    BillingFiles::kPractice, QStringLiteral("Fatture/2026/Fattura_0001_2026.pdf")})
            QVERIFY2(paths.contains(name), qPrintable(name));
    }
};

QTEST_GUILESS_MAIN(TestBilling)
#include "tst_billing.moc"
