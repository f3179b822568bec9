// The patient's side of the money, through its windows: the card's button and balance, the
// estimate from the chart's plan, the payment, the invoice with its kept PDF, the credit
// note, the refusals and the printed pages' text.
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "billing/Estimates.h"
#include "billing/Invoices.h"
#include "billing/Ledger.h"
#include "billing/MoneyDocuments.h"
#include "billing/PriceList.h"
#include "billing/frmMoney.h"
#include "chart/OdontogramFile.h"
#include "chart/TreatmentRegister.h"
#include "storage/TreatmentRecord.h"
#include "patients/frmClients.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "print/ReportRenderer.h"
#include "ui/PictureButton.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace {

PatientFixture bianchi()
{
    PatientFixture p;
    p.name = QStringLiteral("Bianchi Anna");
    p.street = QStringLiteral("Via Roma 1");
    p.city = QStringLiteral("Torino");
    p.state = QStringLiteral("TO");
    p.zip = QStringLiteral("10100");
    p.taxNumber = QStringLiteral("RSSMRA80A01H501U");
    p.dentist = QStringLiteral("Dott. Verdi");
    return p;
}

// Every text of the pages of a document printed or previewed, in order.
QStringList pageTexts(const Printer::Document &document)
{
    QStringList out;
    const auto *job = dynamic_cast<const Report::Job *>(document.get());
    if (!job)
        return out;
    for (const Report::Page &page : job->pages())
        for (const Report::TextBox &box : page.texts)
            out += box.lines;
    return out;
}

bool holds(const QStringList &texts, const QString &part)
{
    return std::any_of(texts.cbegin(), texts.cend(), [&](const QString &t) { return t.contains(part); });
}

// The treatments in the patient's register file.
int registerCount(const TestWorld &world, qint64 patient)
{
    return int(TreatmentRegister::read(world.file(treatmentFileName(QString::number(patient)))).lines.size());
}

} // namespace

class TestMoney : public QObject
{
    Q_OBJECT

private slots:
    // The card shows the balance and asks for the money window of its patient.
    void cardButtonAndBalance()
    {
        TestWorld world;
        writePatientArchive({bianchi()});
        TfrmClients *card = world.windows().frmClients();
        card->show();
        card->cmdFirstClick();
        QCOMPARE(card->lblSaldo->text(), QStringLiteral("Saldo: in pari"));
        QCOMPARE(card->btnMoney->accessibleName(), QStringLiteral("Fatture e pagamenti"));

        QString opened;
        Modal::queue([&](QWidget *w) {
            opened = w->findChild<QLabel *>(QStringLiteral("lblPaziente"))->text();
            w->close();
        });
        card->btnMoney->click();
        QCOMPARE(Modal::takeOpened(), QStringList{QStringLiteral("frmFatturePagamenti")});
        QCOMPARE(opened, QStringLiteral("Bianchi Anna"));

        // A new card has no money yet: it is saved first.
        card->cmdNewClick();
        QCOMPARE(card->lblSaldo->text(), QString());
        card->btnMoney->click();
        QVERIFY(Modal::takeOpened().isEmpty());
        QVERIFY(holds(shownMessages(), QStringLiteral("Salvare la scheda")));
    }

    // A plan in the chart → an estimate printed and accepted → the work done into the
    // register (once) → a payment → an invoice printed, its PDF kept → the balance in pari.
    void patientsPath()
    {
        TestWorld world;
        writePatientArchive({bianchi()});
        const QString folder = world.folder();
        PriceList::save(folder,
                        PriceList::Item{0, QStringLiteral("COR"), QStringLiteral("Corona in ceramica integrale"), 80000,
                                        QStringLiteral("SR"), QStringLiteral("corona")});
        using namespace Odontogram;
        QCOMPARE(
            append(path(1), {Entry{Moment(QDate(2026, 12, 1), QTime(9, 0)), 16, ToothState{State::Corona, true, {}}}}),
            1);
        PracticeData practice;
        practice.denominazione = QStringLiteral("Studio Dentistico Sorriso");
        practice.titolare = QStringLiteral("Verdi Luca");
        practice.partitaIva = QStringLiteral("01234567890");
        practice.write(folder);
        Printer::setTestMode(true);

        // The estimate.
        {
            TfrmPreventivo w(1, std::nullopt, nullptr);
            w.btnDalPianoClick();
            QCOMPARE(w.tblRighe->rowCount(), 1);
            QCOMPARE(w.tblRighe->item(0, 1)->text(), QStringLiteral("Corona in ceramica integrale"));
            w.txtDescrizione->setText(QStringLiteral("Igiene professionale"));
            w.txtPrezzo->setText(QStringLiteral("80"));
            w.btnAggiungiRigaClick();
            w.txtSconto->setText(QStringLiteral("10"));
            QCOMPARE(w.lblTotale->text(), QStringLiteral("Totale: € 792,00"));
            QVERIFY(w.btnSalvaClick());
            QCOMPARE(w.lblNumero->text(), QStringLiteral("Preventivo P 1/2026"));

            Printer::queueAnswer(true);
            w.btnStampaClick();
            const QList<Printer::Document> printed = Printer::takePrinted();
            QCOMPARE(printed.size(), 1);
            const QStringList texts = pageTexts(printed.first());
            for (const QString &part :
                 {QStringLiteral("Studio Dentistico Sorriso"), QStringLiteral("Dott. Verdi Luca"),
                  QStringLiteral("Preventivo P 1/2026 del 10/12/2026"), QStringLiteral("Bianchi Anna"),
                  QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("Dente 16 - Corona in ceramica integrale"),
                  QStringLiteral("€ 720,00"), QStringLiteral("€ 792,00"), QStringLiteral("valido fino al 10/03/2027"),
                  QStringLiteral("Firma del paziente")})
                QVERIFY2(holds(texts, part), qPrintable(part));

            // Accepted, the crown done: one treatment in the register, never two.
            w.cboStato->setCurrentIndex(1);
            w.tblRighe->item(0, 4)->setCheckState(Qt::Checked);
            QVERIFY(w.btnSalvaClick());
            QVERIFY(w.btnSalvaClick());
        }
        QCOMPARE(registerCount(world, 1), 1);
        QCOMPARE(Ledger::balance(folder, 1).text(), QStringLiteral("Saldo: € 720,00 da pagare"));

        // An advance on the estimate.
        {
            TfrmPagamento w(1, nullptr);
            w.txtImporto->setText(QStringLiteral("720"));
            w.cboModalita->setCurrentIndex(int(Money::Method::Bancomat));
            w.cboRiferimento->setCurrentIndex(1);
            QVERIFY(w.btnSalvaClick());
        }
        QCOMPARE(Ledger::paymentsOf(folder, 1).first().estimate.text(), QStringLiteral("1/2026"));
        QCOMPARE(Ledger::balance(folder, 1).text(), QStringLiteral("Saldo: in pari"));

        // The invoice of the crown: the stamp charged, printed, its PDF kept.
        {
            TfrmFattura w(1, nullptr);
            QCOMPARE(w.lstDaFatturare->count(), 1);
            w.lstDaFatturare->setCurrentRow(0);
            w.btnAggiungiTrattamentoClick();
            w.txtDataPagamento->setText(QStringLiteral("10/12/2026"));
            w.cboModalita->setCurrentIndex(int(Money::Method::Bancomat));
            Messages::queueAnswer(true);
            Printer::queueAnswer(true);
            const bool issuedOk = w.btnEmettiClick();
            QVERIFY2(issuedOk, qPrintable(shownMessages().join(QLatin1Char('|'))));
            QCOMPARE(w.issued().number.text(), QStringLiteral("1/2026"));
            QCOMPARE(w.issued().totalCents, 72200);
            const QStringList texts = pageTexts(Printer::takePrinted().value(0));
            for (const QString &part :
                 {QStringLiteral("Studio Dentistico Sorriso"), QStringLiteral("Partita IVA: 01234567890"),
                  QStringLiteral("Fattura n. 1/2026 del 10/12/2026"), QStringLiteral("Bianchi Anna"),
                  QStringLiteral("Corona in ceramica integrale (dente 16)"), QStringLiteral("Imposta di bollo"),
                  Money::kStampSentence, QStringLiteral("€ 722,00"), QStringLiteral("bancomat (tracciabile)"),
                  Money::defaultExemption(Money::Regime::Ordinario)})
                QVERIFY2(holds(texts, part), qPrintable(part));
        }
        QFile pdf(world.file(QStringLiteral("Fatture/2026/Fattura_0001_2026.pdf")));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY(Invoices::uninvoicedTreatments(folder, 1).isEmpty());

        // The stamp charged is owed; its payment evens the balance, and the card says so.
        QCOMPARE(Ledger::balance(folder, 1).text(), QStringLiteral("Saldo: € 2,00 da pagare"));
        {
            TfrmPagamento w(1, nullptr);
            w.txtImporto->setText(QStringLiteral("2"));
            w.cboRiferimento->setCurrentIndex(2); // the invoice
            QVERIFY(w.btnSalvaClick());
        }
        TfrmClients *card = world.windows().frmClients();
        card->show();
        card->cmdFirstClick();
        QCOMPARE(card->lblSaldo->text(), QStringLiteral("Saldo: in pari"));

        // The list of the patient's documents.
        TfrmFatturePagamenti money(1, nullptr);
        QCOMPARE(money.lstDocumenti->count(), 4);
        QVERIFY(money.lstDocumenti->item(0)->text().startsWith(QStringLiteral("Preventivo P 1/2026")));
        QVERIFY(money.lstDocumenti->item(1)->text().startsWith(QStringLiteral("Fattura 1/2026")));
        QCOMPARE(money.lblSaldo->text(), QStringLiteral("Saldo: in pari"));

        // A credit note for part of the invoice.
        money.lstDocumenti->setCurrentRow(1);
        Modal::queue([](QWidget *window) {
            auto *w = static_cast<TfrmFattura *>(window);
            w->lstRighe->setCurrentRow(0);
            w->btnTogliRigaClick();
            w->txtDescrizione->setText(QStringLiteral("Rettifica corona"));
            w->txtImporto->setText(QStringLiteral("100"));
            w->btnAggiungiRigaClick();
            Messages::queueAnswer(true);
            Printer::queueAnswer(true);
            QVERIFY(w->btnEmettiClick());
        });
        money.btnNotaCreditoClick();
        const std::optional<Invoices::Invoice> note = Invoices::find(folder, DocumentNumber{2, 2026});
        QVERIFY(note);
        QCOMPARE(note->kind, Invoices::Kind::CreditNote);
        QCOMPARE(note->corrects.text(), QStringLiteral("1/2026"));
        QCOMPARE(note->totalCents, 10000);
        QVERIFY(QFile::exists(world.file(QStringLiteral("Fatture/2026/Nota_di_credito_0002_2026.pdf"))));
        Printer::setTestMode(false);
    }

    // An invoice is refused, nothing issued, with a message naming what is missing.
    void invoiceRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("taxNumber");
        QTest::addColumn<bool>("line");
        QTest::addColumn<QString>("named");
        QTest::newRow("no codice fiscale") << "Bianchi Anna"
                                           << "" << true << "codice fiscale";
        QTest::newRow("no lines") << "Bianchi Anna"
                                  << "RSSMRA80A01H501U" << false << "";
    }
    void invoiceRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, taxNumber);
        QFETCH(bool, line);
        QFETCH(QString, named);
        TestWorld world;
        PatientFixture p = bianchi();
        p.name = name;
        p.taxNumber = taxNumber;
        writePatientArchive({p});
        TfrmFattura w(1, nullptr);
        if (line) {
            w.txtDescrizione->setText(QStringLiteral("Visita"));
            w.txtImporto->setText(QStringLiteral("50"));
            w.btnAggiungiRigaClick();
        }
        QVERIFY(!w.btnEmettiClick());
        const QStringList shown = shownMessages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.first().contains(named), qPrintable(shown.first()));
        QVERIFY(!QFile::exists(world.file(BillingFiles::kInvoices))
                || Invoices::ofPatient(world.folder(), 1).isEmpty());
    }

    // Not confirmed: nothing is issued.
    void invoiceNotConfirmed()
    {
        TestWorld world;
        writePatientArchive({bianchi()});
        TfrmFattura w(1, nullptr);
        w.txtDescrizione->setText(QStringLiteral("Visita"));
        w.txtImporto->setText(QStringLiteral("50"));
        w.btnAggiungiRigaClick();
        Messages::queueAnswer(false);
        QVERIFY(!w.btnEmettiClick());
        QVERIFY(Invoices::ofPatient(world.folder(), 1).isEmpty());
    }

    void paymentRefused()
    {
        TestWorld world;
        writePatientArchive({bianchi()});
        TfrmPagamento w(1, nullptr);
        w.txtImporto->setText(QStringLiteral("abc"));
        QVERIFY(!w.btnSalvaClick());
        QCOMPARE(shownMessages().size(), 1);
        QVERIFY(Ledger::paymentsOf(world.folder(), 1).isEmpty());
    }
};

QTEST_MAIN(TestMoney)
#include "tst_money.moc"
