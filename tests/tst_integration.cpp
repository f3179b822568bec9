// The areas together, through the real windows: cards saved in the appointment card window,
// found again by the lists and the find window, printed from the cards and the agenda.
#include "support/TestSupport.h"

#include "app/frmAvvio.h"
#include "ui/FixedList.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmStatusList.h"
#include "appointments/frmTrovaScadenze.h"
#include "patients/frmClients.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "print/ReportRenderer.h"
#include "print/frmCardPrint.h"
#include "storage/AppointmentRecord.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace Report;

namespace {

struct Card
{
    QString date, hours, minutes, lead, treatments, name, mobile;
    bool fulfilled;
};

// Fills the card on screen as a user would and saves it.
void save(TfrmArchivio_Scadenze *w, const Card &c)
{
    w->cmdNuovoClick();
    w->txtData->setText(c.date);
    w->txtOreApp->setCurrentText(c.hours);
    w->txtMinutiApp->setCurrentText(c.minutes);
    w->txtAvviso->setText(c.lead);
    w->txtCausale->setText(c.treatments);
    w->txtContatto->setText(c.name);
    w->txtCel->setText(c.mobile);
    w->chkOttemperata->setChecked(c.fulfilled);
    w->cmdSalvaClick();
}

QList<Page> onlyPages(const QList<Printer::Document> &documents)
{
    if (documents.size() != 1)
        return {};
    const auto job = std::dynamic_pointer_cast<const Job>(documents.first());
    return job ? job->pages() : QList<Page>();
}

QString textOf(const Page &page, const QString &name)
{
    const TextBox *box = page.text(name);
    return box ? box->lines.join(QLatin1Char('\n')) : QStringLiteral("<no %1>").arg(name);
}

const Card kRossi{"12/12/2026", "10", "30", "3", "Otturazione 36", "Rossi Mario", "3471111111", false};
const Card kBianchi{"01/12/2026", "09", "15", "0", "Igiene orale", "Bianchi Anna", "3482222222", true};
const Card kVerdi{"20/01/2027", "16", "45", "2", "Visita di controllo", "Verdi Luca", "3493333333", false};

} // namespace

class TestIntegration : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> world;
    TfrmArchivio_Scadenze *card = nullptr;

private slots:
    void init()
    {
        world = std::make_unique<TestWorld>();
        world->windows();
        card = world->windows().frmArchivio_Scadenze();
        card->show();
        for (const Card &c : {kRossi, kBianchi, kVerdi})
            save(card, c);
        QCOMPARE(world->read(kAppointmentArchive).size(), 3 * TAppointmentRecord::Size);
        shownMessages();
        card->cmdNuovoClick();
    }
    void cleanup()
    {
        card = nullptr;
        world.reset();
    }

    void statusListsReopenIntoTheCard_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("position");
        QTest::addColumn<bool>("fulfilled");
        QTest::newRow("da assolvere") << "cmdDaAssolvere" << 2 << 1 << "Verdi Luca"
                                      << "3" << false;
        QTest::newRow("assolti") << "cmdAssolti" << 1 << 0 << "Bianchi Anna"
                                 << "2" << true;
        QTest::newRow("scaduti: none before today") << "cmdScaduti" << 0 << -1 << ""
                                                    << "" << false;
    }
    void statusListsReopenIntoTheCard()
    {
        QFETCH(QString, button);
        QFETCH(int, lines);
        QFETCH(int, pick);
        QFETCH(QString, name);
        QFETCH(QString, position);
        QFETCH(bool, fulfilled);
        int seen = -1;
        Modal::queue([&](QWidget *w) {
            auto *list = qobject_cast<TfrmStatusList *>(w);
            QVERIFY(list);
            seen = list->lstRecords->count();
            if (pick >= 0) {
                list->lstRecords->setCurrentRow(pick);
                list->lstRecordsDblClick();
            }
        });
        card->findChild<QAbstractButton *>(button)->click();
        QCOMPARE(seen, lines);
        QCOMPARE(card->txtContatto->text(), name);
        QCOMPARE(card->lblPosizione->text(), position);
        QCOMPARE(card->chkOttemperata->isChecked(), fulfilled);
        if (name == QLatin1String("Verdi Luca")) {
            QCOMPARE(card->txtData->text(), kVerdi.date);
            QCOMPARE(card->txtOreApp->currentText(), kVerdi.hours);
            QCOMPARE(card->txtMinutiApp->currentText(), kVerdi.minutes);
            QCOMPARE(card->record().Ora.text(), QStringLiteral("16:45"));
            QCOMPARE(card->txtCausale->text(), kVerdi.treatments);
            QCOMPARE(card->txtImporto->text(), QStringLiteral("0,00"));
        }
    }

    void findReopensIntoTheCard()
    {
        QString found;
        Modal::queue([&](QWidget *w) {
            auto *find = qobject_cast<TfrmTrovaScadenze *>(w);
            QVERIFY(find);
            QCOMPARE(find->mode(), TfrmTrovaScadenze::Mode::AppointmentCard);
            find->findChild<QLineEdit *>(QStringLiteral("txtContatto"))->setText(QStringLiteral("BIANCHI"));
            find->findChild<QPushButton *>(QStringLiteral("btnCerca"))->click();
            found = find->findChild<QLabel *>(QStringLiteral("lblTrovate"))->text();
            find->lstRecords->setCurrentRow(0);
            find->lstRecordsDblClick();
        });
        card->cmdTrovaClick();
        QCOMPARE(found, QStringLiteral("Il presente riepilogo contiene 1 schede."));
        QCOMPARE(card->txtContatto->text(), QStringLiteral("Bianchi Anna"));
        QCOMPARE(card->lblPosizione->text(), QStringLiteral("2"));
        QVERIFY(card->chkOttemperata->isChecked());
    }

    // Print and preview take the card as it is on screen, saved or not.
    void appointmentCardPrintsWhatIsOnScreen()
    {
        card->txtData->setText(QStringLiteral("24/12/2026"));
        card->txtOreApp->setCurrentText(QStringLiteral("11"));
        card->txtMinutiApp->setCurrentText(QStringLiteral("05"));
        card->txtContatto->setText(QStringLiteral("Gialli Sara"));
        card->txtCausale->setText(QStringLiteral("Sbiancamento"));
        Modal::queue([](QWidget *w) { qobject_cast<TCardPrintDialog *>(w)->btnStampa->click(); });
        card->cmdStampaClick();
        const QList<Page> pages = onlyPages(Printer::takePrinted());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(textOf(pages[0], QStringLiteral("txtData")), QStringLiteral("24/12/2026"));
        QCOMPARE(textOf(pages[0], QStringLiteral("txtOra")), QStringLiteral("11:05"));
        QCOMPARE(textOf(pages[0], QStringLiteral("txtContatto")), QStringLiteral("Gialli Sara"));
        QCOMPARE(textOf(pages[0], QStringLiteral("txtCausale")), QStringLiteral("Sbiancamento"));

        Modal::queue([](QWidget *w) { qobject_cast<TCardPrintDialog *>(w)->btnStampa->click(); });
        card->cmdAnteprimaClick();
        QCOMPARE(Printer::takePreviewed().size(), 1);
        QCOMPARE(Modal::takeOpened().mid(0, 2), (QStringList{"frmStampaScadenza", "frmStartup"}));
    }

    void patientCardPrintsWhatIsOnScreen()
    {
        TfrmClients *clients = world->windows().frmClients();
        clients->show();
        clients->txtName->setText(QStringLiteral("ROSSI MARIO"));
        clients->txtMobilePhone->setText(QStringLiteral("3471111111"));
        clients->txtAllergies->setText(QStringLiteral("Penicillina"));
        Modal::queue([](QWidget *w) { qobject_cast<TCardPrintDialog *>(w)->btnStampa->click(); });
        clients->cmdPrintClick();
        const QList<Page> pages = onlyPages(Printer::takePrinted());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(textOf(pages[0], QStringLiteral("txtName")), QStringLiteral("ROSSI MARIO"));
        QCOMPARE(textOf(pages[0], QStringLiteral("txtMobilePhone")), QStringLiteral("3471111111"));
        QCOMPARE(textOf(pages[0], QStringLiteral("txtAllergies")), QStringLiteral("Penicillina"));
    }

    void agendaPrintsItsList()
    {
        card->hide();
        TfrmAgenda *agenda = world->windows().frmAgenda();
        agenda->show();
        // Rossi (12/12, three days' notice) is imminent on 10/12; Verdi is not yet, Bianchi is fulfilled.
        QCOMPARE(agenda->lstRecords->count(), 1);
        agenda->btnStampaClick();
        const QList<Page> pages = onlyPages(Printer::takePrinted());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(textOf(pages[0], QStringLiteral("txtTitolo")), QStringLiteral("Riepilogo appuntamenti imminenti"));
        QCOMPARE(textOf(pages[0], QStringLiteral("txtRiepilogo")), agenda->lstRecords->line(0));
    }
};

QTEST_MAIN(TestIntegration)
#include "tst_integration.moc"
