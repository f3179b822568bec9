// The practice's side of the money, through its windows: the main menu's administration
// button and its window, "Dati dello studio" (saving, the tax checks' refusals, the wording
// per regime), "Listino prestazioni" (adding, changing, refusals, print), "Registro fatture",
// "Incassi" and "Pazienti con saldo da pagare" (lines, printed pages, spreadsheet export).
#include "support/ListClicks.h"
#include "support/TestSupport.h"

#include "app/Windows.h"
#include "app/frmAvvio.h"
#include "billing/Invoices.h"
#include "billing/Ledger.h"
#include "billing/MoneyLists.h"
#include "billing/PracticeData.h"
#include "billing/PriceList.h"
#include "billing/frmAmministrazione.h"
#include "billing/frmDatiStudio.h"
#include "billing/frmListino.h"
#include "billing/frmMoneyLists.h"
#include "chart/OdontogramStates.h"
#include "chart/TreatmentRegister.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/ProgramFolder.h"
#include "print/ReportRenderer.h"
#include "storage/PatientRecord.h"
#include "storage/TreatmentRecord.h"
#include "ui/FixedList.h"
#include "ui/PictureButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

const QString kCf = QStringLiteral("RSSMRA80A01H501U");

QStringList listLines(FixedList *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->source().line(i));
    return out;
}

// The patient archive with cards named in order (position 1 on).
void writePatients(const QStringList &names)
{
    QList<TPatientRecord> records;
    for (const QString &n : names) {
        TPatientRecord r{};
        r.Name.setText(n);
        records.append(r);
    }
    writeRecords(kPatientArchive, records);
}

Invoices::Invoice issue(qint64 patient, const QString &name, qint64 cents, const QDate &date, bool paidAtIssue)
{
    Invoices::Draft d;
    d.date = date;
    d.patient = Invoices::Patient{patient,
                                  name,
                                  QStringLiteral("Via Roma 1"),
                                  QStringLiteral("00100"),
                                  QStringLiteral("Roma"),
                                  QStringLiteral("RM"),
                                  kCf};
    d.lines.append(Invoices::Line{QStringLiteral("Otturazione"), QStringLiteral("36"), cents});
    if (paidAtIssue) {
        d.paymentDate = date;
        d.method = Money::Method::Carta;
    }
    const Invoices::Issued out = Invoices::issue(ProgramFolder::path(), d, PracticeData{});
    if (!out.issued)
        qFatal("not issued: %s", qPrintable(out.refusal));
    return out.invoice;
}

void pay(qint64 patient, const QDate &date, qint64 cents, Money::Method method, DocumentNumber invoice = {})
{
    Ledger::Payment p;
    p.patient = patient;
    p.date = date;
    p.cents = cents;
    p.method = method;
    p.invoice = invoice;
    Ledger::save(ProgramFolder::path(), p);
}

void treatment(qint64 patient, const QString &amount)
{
    TreatmentRegister::save(ProgramFolder::file(treatmentFileName(QString::number(patient))),
                            TreatmentRegister::record(QStringLiteral("01/12/2026"), QStringLiteral("09:00"),
                                                      QStringLiteral("Visita"), QStringLiteral("Bianchi"), amount),
                            0);
}

// "Stampa" prints the list's lines under the title; "Esporta" (answering yes, then not
// opening the file) writes the spreadsheet, returned.
QByteArray printAndExport(MoneyListWindow &window, const QString &title, const QString &file)
{
    window.btnStampa->click();
    const QList<Report::Page> pages = printedPages();
    if (pages.size() != 1 || boxText(pages[0], "txtTitolo") != title
        || boxText(pages[0], "txtRiepilogo") != listLines(window.lstRecords).join(QLatin1Char('\n')))
        return QByteArray();
    Messages::queueAnswer(true);
    Messages::queueAnswer(false);
    window.btnEsporta->click();
    QFile f(ProgramFolder::file(file));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestBillingWin : public QObject
{
    Q_OBJECT

private slots:
    void mainMenuOpensAdministration()
    {
        TestWorld world;
        TfrmAvvio *menu = world.windows().frmAvvio();
        QCOMPARE(menu->imgAmministrazione->accessibleName(), QStringLiteral("AMMINISTRAZIONE STUDIO"));
        QStringList captions;
        Modal::queue([&](QWidget *w) {
            QCOMPARE(w->windowTitle(), QStringLiteral(" Sorrisa - Amministrazione studio"));
            for (const char *name :
                 {"btnDatiStudio", "btnListino", "btnRegistro", "btnIncassi", "btnSaldi", "btnSistemaTS"}) {
                auto *b = control<QPushButton>(w, name);
                QCOMPARE(b->accessibleName(), b->text());
                captions.append(b->text());
            }
            control<QPushButton>(w, "btnSistemaTS")->click();
        });
        QTest::mouseClick(menu->imgAmministrazione, Qt::LeftButton);
        QCOMPARE(Modal::takeOpened(),
                 (QStringList{QStringLiteral("frmAmministrazione"), QStringLiteral("frmSistemaTs")}));
        QCOMPARE(captions, (QStringList{QStringLiteral("Dati dello studio"), QStringLiteral("Listino prestazioni"),
                                        QStringLiteral("Registro fatture"), QStringLiteral("Incassi"),
                                        QStringLiteral("Pazienti con saldo da pagare"),
                                        QStringLiteral("Invio dati al Sistema TS")}));
        QVERIFY(Messages::takeShown().isEmpty());
    }

    void administrationOpensEachTool()
    {
        TestWorld world;
        TfrmAmministrazione window(nullptr);
        window.btnDatiStudio->click();
        window.btnListino->click();
        window.btnRegistro->click();
        window.btnIncassi->click();
        window.btnSaldi->click();
        QCOMPARE(Modal::takeOpened(), (QStringList{QStringLiteral("frmDatiStudio"), QStringLiteral("frmListino"),
                                                   QStringLiteral("frmRegistroFatture"), QStringLiteral("frmIncassi"),
                                                   QStringLiteral("frmSaldi")}));
        QVERIFY(Messages::takeShown().isEmpty());
    }

    void practiceDataSaved_data()
    {
        QTest::addColumn<QString>("cf");
        QTest::addColumn<QString>("piva");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("valid") << kCf << QStringLiteral("12345678903") << QString();
        QTest::newRow("both empty") << QString() << QString() << QString();
        QTest::newRow("codice fiscale wrong")
            << QStringLiteral("RSSMRA80A01H501X") << QString()
            << QStringLiteral("Il codice fiscale del titolare non \u00E8 valido: controllarlo prima di salvare.");
        QTest::newRow("partita IVA wrong")
            << kCf << QStringLiteral("12345678901")
            << QStringLiteral("La partita IVA non \u00E8 valida: controllarla prima di salvare.");
    }
    void practiceDataSaved()
    {
        QFETCH(QString, cf);
        QFETCH(QString, piva);
        QFETCH(QString, refusal);
        TestWorld world;
        bool saved = false;
        Modal::queue([&](QWidget *w) {
            auto *f = static_cast<TfrmDatiStudio *>(w);
            QCOMPARE(f->txtDenominazione->accessibleName(), QStringLiteral("Denominazione"));
            QCOMPARE(f->txtTitolare->accessibleName(), QStringLiteral("Titolare (cognome e nome)"));
            QCOMPARE(f->cmbRegime->accessibleName(), QStringLiteral("Regime fiscale"));
            QCOMPARE(f->chkBollo->accessibleName(), QStringLiteral("Bollo a carico del paziente"));
            QCOMPARE(f->txtEsenzione->text(), Money::defaultExemption(Money::Regime::Ordinario));
            QTest::keyClicks(f->txtDenominazione, QStringLiteral("Studio Dentistico Rossi"));
            f->txtTitolare->setText(QStringLiteral("Rossi Mario"));
            f->txtCodiceFiscale->setText(cf);
            f->txtPartitaIva->setText(piva);
            f->txtCitta->setText(QStringLiteral("Roma"));
            f->txtIban->setText(QStringLiteral("it60 x054 2811 1010 0000 0123 456"));
            f->cmbRegime->setCurrentIndex(1); // the wording follows the regime
            QCOMPARE(f->txtEsenzione->text(), Money::defaultExemption(Money::Regime::Forfettario));
            f->chkBollo->setChecked(false);
            saved = f->btnSalvaClick();
        });
        TfrmAmministrazione(nullptr).btnDatiStudioClick();
        const QList<Messages::Shown> shown = Messages::takeShown();
        QCOMPARE(saved, refusal.isEmpty());
        QCOMPARE(QFile::exists(world.file(QStringLiteral("Dati_Studio.ini"))), refusal.isEmpty());
        if (!refusal.isEmpty()) {
            QCOMPARE(shown.size(), 1);
            QCOMPARE(shown.first().kind, Messages::Warning);
            QCOMPARE(shown.first().text, refusal);
            return;
        }
        QVERIFY(shown.isEmpty());
        const PracticeData d = PracticeData::read(world.folder());
        QCOMPARE(d.denominazione, QStringLiteral("Studio Dentistico Rossi"));
        QCOMPARE(d.codiceFiscale, cf);
        QCOMPARE(d.iban, QStringLiteral("IT60X0542811101000000123456"));
        QCOMPARE(d.regime, Money::Regime::Forfettario);
        QVERIFY(d.esenzione.isEmpty()); // the regime's own wording
        QCOMPARE(d.bolloAlPaziente, false);
    }

    void practiceDataOwnWordingKept()
    {
        TestWorld world;
        PracticeData d;
        d.esenzione = QStringLiteral("Esente IVA, dicitura dello studio");
        d.write(world.folder());
        Modal::queue([&](QWidget *w) {
            auto *f = static_cast<TfrmDatiStudio *>(w);
            QCOMPARE(f->txtEsenzione->text(), d.esenzione);
            f->cmbRegime->setCurrentIndex(1);
            QCOMPARE(f->txtEsenzione->text(), d.esenzione);
            QVERIFY(f->btnSalvaClick());
        });
        TfrmAmministrazione(nullptr).btnDatiStudioClick();
        QCOMPARE(PracticeData::read(world.folder()).esenzione, d.esenzione);
    }

    void practiceDataArchiveFailure()
    {
        TestWorld world;
        QDir(world.folder()).mkdir(QStringLiteral("Dati_Studio.ini")); // a folder where the file goes
        Modal::queue([&](QWidget *w) { QVERIFY(!static_cast<TfrmDatiStudio *>(w)->btnSalvaClick()); });
        TfrmAmministrazione(nullptr).btnDatiStudioClick();
        const QList<Messages::Shown> shown = Messages::takeShown();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.last().text, kArchiveFailure);
    }

    void priceListAddChangePrint()
    {
        TestWorld world;
        auto fill = [](const QString &code, const QString &description, const QString &price, int work) {
            Modal::queue([=](QWidget *w) {
                auto *v = static_cast<TfrmVoceListino *>(w);
                QCOMPARE(v->txtTipoSpesa->text(), QStringLiteral("SR"));
                v->txtCodice->setText(code);
                v->txtDescrizione->setText(description);
                v->txtPrezzo->setText(price);
                v->cmbLavoro->setCurrentIndex(work);
                v->btnSalva->click();
            });
        };
        TfrmListino list(nullptr);
        list.show();
        QCOMPARE(list.lstRecords->count(), 0);
        const int corona = 1 + int(Odontogram::states().indexOf(Odontogram::State::Corona));
        fill(QStringLiteral("COR"), QStringLiteral("Corona in ceramica integrale"), QStringLiteral("800"), corona);
        list.btnNuova->click();
        fill(QStringLiteral("VIS"), QStringLiteral("Visita"), QStringLiteral("50,00"), 0);
        list.btnNuova->click();
        QVERIFY(Messages::takeShown().isEmpty());
        QCOMPARE(listLines(list.lstRecords),
                 (QStringList{
                     MoneyLists::priceLine({1, QStringLiteral("COR"), QStringLiteral("Corona in ceramica integrale"),
                                            80000, QStringLiteral("SR"), QStringLiteral("corona")}),
                     MoneyLists::priceLine({2, QStringLiteral("VIS"), QStringLiteral("Visita"), 5000,
                                            QStringLiteral("SR"), QString()})}));
        QVERIFY(list.lstRecords->source().line(0).contains(QStringLiteral("\u20AC 800,00")));

        // Refusals: a code already used, a price that is no amount. Nothing is written.
        fill(QStringLiteral("VIS"), QStringLiteral("Altra visita"), QStringLiteral("40"), 0);
        list.btnNuova->click();
        fill(QStringLiteral("IGI"), QStringLiteral("Igiene"), QStringLiteral("cento"), 0);
        list.btnNuova->click();
        const QList<Messages::Shown> refused = Messages::takeShown();
        QCOMPARE(refused.size(), 2);
        QCOMPARE(refused.last().text, QStringLiteral("Il prezzo non \u00E8 un importo valido (ad esempio 800,00)."));
        QCOMPARE(PriceList::read(world.folder()).size(), 2);

        // Changing the selected line, by double-click.
        Modal::queue([](QWidget *w) {
            auto *v = static_cast<TfrmVoceListino *>(w);
            QCOMPARE(v->txtDescrizione->text(), QStringLiteral("Visita"));
            v->txtPrezzo->setText(QStringLiteral("60"));
            v->btnSalva->click();
        });
        QVERIFY(doubleClickRow(list.lstRecords, 1));
        QCOMPARE(PriceList::read(world.folder()).at(1).cents, qint64(6000));
        QVERIFY(list.isVisible());

        list.btnStampa->click();
        const QList<Report::Page> pages = printedPages();
        QCOMPARE(pages.size(), 1);
        QCOMPARE(boxText(pages[0], "txtTitolo"), QStringLiteral("Listino prestazioni"));
        QCOMPARE(boxText(pages[0], "txtRiepilogo"), listLines(list.lstRecords).join(QLatin1Char('\n')));
        QVERIFY(boxText(pages[0], "txtRiepilogo").contains(QStringLiteral("\u20AC 60,00")));
    }

    void priceListModifyNeedsASelection()
    {
        TestWorld world;
        TfrmListino list(nullptr);
        list.show();
        list.btnModifica->click();
        QCOMPARE(Messages::takeShown().size(), 1);
        QVERIFY(Modal::takeOpened().isEmpty());
    }

    void registerLinesPrintExport()
    {
        TestWorld world;
        writePatients({QStringLiteral("Rossi Mario"), QStringLiteral("Verdi Anna")});
        const Invoices::Invoice first = issue(1, QStringLiteral("Rossi Mario"), 12000, QDate(2026, 12, 1), true);
        const Invoices::Invoice second = issue(2, QStringLiteral("Verdi Anna"), 5000, QDate(2026, 12, 2), false);
        const Invoices::Issued note =
            Invoices::issue(world.folder(), Invoices::creditNoteDraft(first, QDate(2026, 12, 3)), PracticeData{});
        QVERIFY(note.issued);
        issue(2, QStringLiteral("Verdi Anna"), 3000, QDate(2025, 6, 1), false); // another year

        TfrmRegistroFatture window(nullptr);
        window.show();
        QCOMPARE(window.spnAnno->value(), 2026);
        const QStringList lines = listLines(window.lstRecords);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[0].startsWith(QStringLiteral("F  1/2026   01/12/2026 Rossi Mario")));
        QVERIFY(lines[0].contains(QStringLiteral("\u20AC 122,00  pagata")));
        QVERIFY(lines[1].contains(QStringLiteral("Verdi Anna")));
        QVERIFY(lines[1].contains(QStringLiteral("da pagare")));
        QVERIFY(lines[1].contains(QStringLiteral("non inviata")));
        QVERIFY(lines[2].startsWith(QStringLiteral("NC 3/2026")));
        QVERIFY(lines[2].contains(QStringLiteral("\u20AC -120,00"))); // the services; the stamp stays paid
        QVERIFY(lines[2].endsWith(QStringLiteral("rettifica 1/2026")));
        QCOMPARE(lines[4],
                 QStringLiteral("Documenti: 3   Totale fatturato al netto delle note di credito: \u20AC 52,00"));
        Q_UNUSED(second);

        window.spnAnno->setValue(2025);
        QCOMPARE(window.lstRecords->count(), 3);
        window.spnAnno->setValue(2026);

        const QByteArray sheet =
            printAndExport(window, QStringLiteral("Registro fatture"), QStringLiteral("Registro_Fatture.xls"));
        QVERIFY(sheet.contains("Nota di credito"));
        QVERIFY(sheet.contains("Verdi Anna"));
        QVERIFY(sheet.contains("-120,00"));
    }

    void incomeByPeriod_data()
    {
        QTest::addColumn<int>("period");
        QTest::addColumn<int>("payments");
        QTest::addColumn<QString>("traceable");
        QTest::addColumn<QString>("notTraceable");
        QTest::newRow("day") << 0 << 2 << QStringLiteral("\u20AC 50,00") << QStringLiteral("\u20AC 20,00");
        QTest::newRow("month") << 1 << 3 << QStringLiteral("\u20AC 150,00") << QStringLiteral("\u20AC 20,00");
        QTest::newRow("year") << 2 << 4 << QStringLiteral("\u20AC 150,00") << QStringLiteral("\u20AC 35,50");
    }
    void incomeByPeriod()
    {
        QFETCH(int, period);
        QFETCH(int, payments);
        QFETCH(QString, traceable);
        QFETCH(QString, notTraceable);
        TestWorld world; // today 10/12/2026
        writePatients({QStringLiteral("Rossi Mario"), QStringLiteral("Verdi Anna")});
        pay(1, QDate(2026, 12, 10), 5000, Money::Method::Bancomat);
        pay(2, QDate(2026, 12, 10), 2000, Money::Method::Contanti);
        pay(2, QDate(2026, 12, 1), 10000, Money::Method::Bonifico);
        pay(1, QDate(2026, 3, 1), 1550, Money::Method::Contanti);
        pay(1, QDate(2025, 12, 10), 99900, Money::Method::Contanti); // another year

        TfrmIncassi window(nullptr);
        window.show();
        window.cmbPeriodo->setCurrentIndex(period);
        const QStringList lines = listLines(window.lstRecords);
        // The period, a blank, the payments, a blank, five methods and three totals.
        QCOMPARE(lines.size(), 2 + payments + 1 + 8);
        QVERIFY(lines[2].contains(QStringLiteral("Rossi Mario")) || lines[2].contains(QStringLiteral("Verdi Anna")));
        auto total = [&](const QString &caption) {
            for (const QString &l : lines)
                if (l.startsWith(caption))
                    return l.mid(caption.size()).trimmed();
            return QString();
        };
        QCOMPARE(total(QStringLiteral("Totale tracciabile:")), traceable);
        QCOMPARE(total(QStringLiteral("Totale non tracciabile:")), notTraceable);

        const QByteArray sheet = printAndExport(window, QStringLiteral("Incassi"), QStringLiteral("Incassi.xls"));
        QVERIFY(sheet.contains("Bancomat"));
        QCOMPARE(sheet.count("<tr"), payments + 1);
    }

    void incomePeriodText()
    {
        QCOMPARE(MoneyLists::periodText(QDate(2026, 12, 10), Ledger::Period::Day), QStringLiteral("Giorno 10/12/2026"));
        QCOMPARE(MoneyLists::periodText(QDate(2026, 12, 10), Ledger::Period::Month), QStringLiteral("Dicembre 2026"));
        QCOMPARE(MoneyLists::periodText(QDate(2026, 12, 10), Ledger::Period::Year), QStringLiteral("Anno 2026"));
    }

    void owingListPrintExport()
    {
        TestWorld world;
        writePatients({QStringLiteral("Rossi Mario"), QStringLiteral("Verdi Anna"), QStringLiteral("Bianchi Luca")});
        treatment(1, QStringLiteral("200,00"));
        treatment(2, QStringLiteral("80,00"));
        treatment(3, QStringLiteral("50,00"));
        pay(1, QDate(2026, 12, 1), 5000, Money::Method::Contanti);
        pay(2, QDate(2026, 12, 1), 8000, Money::Method::Bancomat);

        TfrmSaldi window(nullptr);
        window.show();
        const QStringList lines = listLines(window.lstRecords);
        QCOMPARE(lines.size(), 4);
        QVERIFY(lines[0].contains(QStringLiteral("Rossi Mario")));
        QVERIFY(lines[0].endsWith(QStringLiteral("\u20AC 150,00")));
        QVERIFY(lines[1].contains(QStringLiteral("Bianchi Luca")));
        QCOMPARE(lines[3], QStringLiteral("Pazienti: 2   Totale da incassare: \u20AC 200,00"));

        const QByteArray sheet = printAndExport(window, QStringLiteral("Pazienti con saldo da pagare"),
                                                QStringLiteral("Saldi_Pazienti.xls"));
        QVERIFY(sheet.contains("Bianchi Luca"));
        QVERIFY(sheet.contains("150,00"));
    }

    void listsSayArchiveFailure()
    {
        TestWorld world;
        QDir(world.folder()).mkdir(BillingFiles::kPayments); // a folder where the file should be
        TfrmIncassi window(nullptr);
        window.show();
        const QList<Messages::Shown> shown = Messages::takeShown();
        QVERIFY(!shown.isEmpty());
        QCOMPARE(shown.first().text, kArchiveFailure);
        QCOMPARE(window.lstRecords->count(), 0);
    }
};

QTEST_MAIN(TestBillingWin)
#include "tst_billingwin.moc"
