#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "app/frmAvvio.h"
#include "ui/PictureButton.h"
#include "base/Amount.h"
#include "base/MessageLinks.h"
#include "appointments/frmAgenda.h"
#include "appointments/AppointmentCard.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmCalendario.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"
#include "ui/CardForm.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace {

const QString kEmpty = QStringLiteral("information: L'archivio non contiene nessuna scheda.");
const QString kInserted = QStringLiteral("information: La scheda corrente è stata inserita in archivio.");
const QString kModified =
    QStringLiteral("information: Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kFailure = QStringLiteral("error: ") + kArchiveFailure;
const QString kRequired = QStringLiteral("warning: Attenzione: per salvare la scheda è necessario indicare ");

QString archivePath() { return ProgramFolder::file(kAppointmentArchive); }

// Cards named "Paziente 1", "Paziente 2", ... at their positions.
void writeArchive(int count)
{
    QList<AppointmentFixture> cards;
    for (int i = 1; i <= count; ++i)
        cards.append({.data = QStringLiteral("%1/01/2027").arg(i, 2, 10, QLatin1Char('0')),
                      .ore = {},
                      .minuti = {},
                      .ora = QString(),
                      .avviso = QStringLiteral("1"),
                      .causale = QStringLiteral("Controllo"),
                      .contatto = QStringLiteral("Paziente %1").arg(i),
                      .cel = QStringLiteral("333000000%1").arg(i),
                      .importo = QStringLiteral("0,00")});
    writeAppointmentArchive(cards);
}

TAppointmentRecord readRecord(qint64 position)
{
    RecordFile file(archivePath(), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    TAppointmentRecord r{};
    file.readAt(position, r);
    file.close();
    return r;
}

qint64 archiveCount() { return QFileInfo(archivePath()).size() / TAppointmentRecord::Size; }

} // namespace

class TestAppointments : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> world;
    TfrmArchivio_Scadenze *card = nullptr;

    // A card that passes every check of Salva.
    void fillRequired()
    {
        card->txtData->setText(QStringLiteral("15/01/2027"));
        card->txtAvviso->setText(QStringLiteral("2"));
        card->txtCausale->setText(QStringLiteral("Igiene dentale"));
        card->txtContatto->setText(QStringLiteral("Rossi Mario"));
        card->txtCel->setText(QStringLiteral("3331234567"));
    }
    void activate()
    {
        QApplication::setActiveWindow(card);
        QVERIFY(QTest::qWaitForWindowActive(card));
    }

private slots:
    void init()
    {
        world = std::make_unique<TestWorld>();
        world->windows();
        card = world->windows().frmArchivio_Scadenze();
        card->show();
    }
    void cleanup()
    {
        card = nullptr;
        world.reset();
    }

    // ---- Window-free rules ----

    void amount_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole number") << "12"
                                      << "12,00";
        QTest::newRow("one decimal") << "12,5"
                                     << "12,50";
        QTest::newRow("third decimal rounds up") << "12,345"
                                                 << "12,35";
        QTest::newRow("third decimal rounds down") << "12,344"
                                                   << "12,34";
        QTest::newRow("only the third decimal counts") << "12,3449"
                                                       << "12,34";
        QTest::newRow("half a cent") << "0,125"
                                     << "0,13";
        QTest::newRow("rounding carries") << "999,995"
                                          << "1000,00";
        QTest::newRow("lone comma") << ","
                                    << "0,00";
        QTest::newRow("two commas") << "1,2,3"
                                    << "0,00";
        QTest::newRow("trailing comma") << "7,"
                                        << "7,00";
        QTest::newRow("leading comma") << ",5"
                                       << "0,50";
        QTest::newRow("leading zeros") << "007"
                                       << "7,00";
        QTest::newRow("empty") << ""
                               << "0,00";
        QTest::newRow("blank") << "   "
                               << "0,00";
        QTest::newRow("not a number") << "12a"
                                      << "0,00";
        QTest::newRow("already normal") << "1250,50"
                                        << "1250,50";
    }
    void amount()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QCOMPARE(Amount::normalise(typed), expected);
    }

    void messageLinks()
    {
        QCOMPARE(
            MessageLinks::whatsApp(QStringLiteral(" 3331234567 "),
                                   MessageLinks::confirmationText(QStringLiteral("09"), QStringLiteral("05"),
                                                                  QStringLiteral("15/01/2027"))),
            QStringLiteral("https://web.whatsapp.com/send?phone=393331234567&text=Gentile Paziente, le confermiamo "
                           "l'appuntamento presso il nostro studio dentistico alle ore 09:05 del giorno "
                           "15/01/2027"));
        QCOMPARE(MessageLinks::mailto(QStringLiteral(" mario@esempio.it ")),
                 QStringLiteral("\"mailto:mario@esempio.it\""));
    }

    // An Italian mobile number typed without its country code reaches Italy: WhatsApp reads
    // the number as international, so "3471234567" alone would be a number abroad or none.
    void whatsAppNumber_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("sent");
        QTest::newRow("mobile of 10 digits") << "3471234567"
                                             << "393471234567";
        QTest::newRow("mobile of 9 digits") << "347123456"
                                            << "39347123456";
        QTest::newRow("blanks around") << " 3331234567 "
                                       << "393331234567";
        QTest::newRow("mobile whose own digits begin with 39") << "3921234567"
                                                               << "393921234567";
        QTest::newRow("with 39 already") << "393471234567"
                                         << "393471234567";
        QTest::newRow("with 0039") << "00393471234567"
                                   << "00393471234567";
        QTest::newRow("with +39") << "+393471234567"
                                  << "+393471234567";
        QTest::newRow("abroad, with its country code") << "33612345678"
                                                       << "33612345678";
        QTest::newRow("abroad, with 00") << "0041791234567"
                                         << "0041791234567";
        QTest::newRow("landline") << "0612345678"
                                  << "0612345678";
        QTest::newRow("too short") << "34712345"
                                   << "34712345";
        QTest::newRow("too long") << "34712345678"
                                  << "34712345678";
        QTest::newRow("not digits alone") << "347 1234567"
                                          << "347 1234567";
        QTest::newRow("empty") << ""
                               << "";
    }
    void whatsAppNumber()
    {
        QFETCH(QString, stored);
        QFETCH(QString, sent);
        QCOMPARE(MessageLinks::whatsAppNumber(stored), sent);
        const QUrlQuery query(TMisc::toUrl(MessageLinks::whatsApp(stored, QStringLiteral("Promemoria"))));
        QCOMPARE(query.queryItemValue(QStringLiteral("phone"), QUrl::FullyDecoded), sent);
    }

    // A crafted field stays one part of its link: no parameter, header or recipient is added
    // or changed, and the shell's URL gives the field back as it was.
    void linksKeepEachFieldInItsPlace_data()
    {
        QTest::addColumn<QString>("field");
        QTest::newRow("parameters") << "x@y.it?attach=/etc/passwd&subject=Ciao";
        QTest::newRow("fragment and encoded text") << "a#b%26c%zz";
        QTest::newRow("more recipients") << "a@b.it,c@d.it;e@f.it";
        QTest::newRow("line breaks and quotes") << "a\r\nBcc: c@d.it\"";
        QTest::newRow("plus and equals") << "+39 333=1";
    }
    void linksKeepEachFieldInItsPlace()
    {
        QFETCH(QString, field);
        const QUrl mail = TMisc::toUrl(MessageLinks::mailto(field));
        QVERIFY2(mail.isValid(), qPrintable(mail.errorString()));
        QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
        QVERIFY(!mail.hasQuery());
        QVERIFY(!mail.hasFragment());
        QCOMPARE(mail.path(QUrl::FullyDecoded), field);

        const QString text = MessageLinks::reminderText(field, field);
        const QUrl send = TMisc::toUrl(MessageLinks::whatsApp(field, text));
        QVERIFY2(send.isValid(), qPrintable(send.errorString()));
        QVERIFY(!send.hasFragment());
        const QUrlQuery query(send);
        QCOMPARE(query.queryItems().size(), 2);
        QCOMPARE(query.queryItems().at(0).first, QStringLiteral("phone"));
        QCOMPARE(query.queryItems().at(1).first, QStringLiteral("text"));
        QCOMPARE(query.queryItemValue(QStringLiteral("phone"), QUrl::FullyDecoded), field);
        QCOMPARE(query.queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded), text);
    }

    // ---- A new card ----

    void newCardIsEmpty()
    {
        writeArchive(1);
        card->cmdPrimoClick();
        card->chkOttemperata->setChecked(true);
        card->txtOreApp->setCurrentIndex(5);
        card->cmdNuovoClick();
        QCOMPARE(card->lblPosizione->text(), QString());
        QCOMPARE(card->txtData->text(), QString());
        QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("00"));
        QCOMPARE(card->txtOreApp->currentIndex(), -1);
        QCOMPARE(card->txtMinutiApp->currentText(), QStringLiteral("00"));
        QCOMPARE(card->txtMinutiApp->currentIndex(), -1);
        QCOMPARE(card->txtAvviso->text(), QStringLiteral("0"));
        QCOMPARE(card->txtImporto->text(), QStringLiteral("0,00"));
        for (QLineEdit *f : {card->txtTipologia, card->txtCausale, card->txtDettagli, card->txtContatto, card->txtTel,
                             card->txtCel, card->txtEmail, card->txtLuogo, card->txtNote})
            QCOMPARE(f->text(), QString());
        QVERIFY(!card->chkOttemperata->isChecked());
        QCOMPARE(card->focusWidget(), card->txtData);
        QCOMPARE(shownMessages(), QStringList());
    }

    void showingAgainClearsTheCard()
    {
        writeArchive(2);
        card->cmdUltimoClick();
        QCOMPARE(card->txtContatto->text(), QStringLiteral("Paziente 2"));
        card->hide();
        card->show();
        QCOMPARE(card->lblPosizione->text(), QString());
        QCOMPARE(card->txtContatto->text(), QString());
    }

    void helpTopics_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("title");
        QTest::newRow("appointment card") << "frmArchivio_Scadenze"
                                          << "cmdGuida"
                                          << "App Schedario Appuntamenti";
        QTest::newRow("agenda") << "frmAgenda"
                                << "imgGuida"
                                << "App Agenda Appuntamenti";
    }
    void helpTopics()
    {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QString, title);
        QWidget *w = window == QLatin1String("frmAgenda") ? static_cast<QWidget *>(world->windows().frmAgenda()) : card;
        QString shown;
        Modal::queue([&shown](QWidget *help) { shown = control<QLabel>(help, "lblTitolo")->text(); });
        control<PictureButton>(w, qPrintable(button))->click();
        QCOMPARE(Modal::takeOpened(), QStringList{"frmGuida"});
        QCOMPARE(shown, title);
    }

    void closingReturnsToTheMainMenu()
    {
        card->cmdEsci->click();
        QVERIFY(!card->isVisible());
        QVERIFY(world->windows().frmAvvio()->isVisible());
    }

    // ---- Saving ----

    void saveChecksRequiredFieldsInOrder_data()
    {
        QTest::addColumn<int>("filled"); // how many of the required fields are filled, in order
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focused");
        QTest::newRow("nothing") << 0 << "la data dell'appuntamento."
                                 << "txtData";
        QTest::newRow("date") << 1 << "i giorni di preavviso rispetto alla data dell'appuntamento."
                              << "txtAvviso";
        QTest::newRow("date, lead time") << 2 << "i trattamenti dentali da effettuare."
                                         << "txtCausale";
        QTest::newRow("date, lead time, treatments") << 3 << "il nome del paziente."
                                                     << "txtContatto";
        QTest::newRow("all but the mobile number") << 4 << "il numero di cellulare del paziente."
                                                   << "txtCel";
    }
    void saveChecksRequiredFieldsInOrder()
    {
        QFETCH(int, filled);
        QFETCH(QString, warning);
        QFETCH(QString, focused);
        card->txtAvviso->clear();
        QLineEdit *required[] = {card->txtData, card->txtAvviso, card->txtCausale, card->txtContatto, card->txtCel};
        for (int i = 0; i < filled; ++i)
            required[i]->setText(QStringLiteral("1"));
        for (int i = filled; i < 5; ++i)
            required[i]->setText(QStringLiteral("   "));
        card->cmdSalvaClick();
        QCOMPARE(shownMessages(), QStringList{kRequired + warning});
        QCOMPARE(card->focusWidget()->objectName(), focused);
        QVERIFY(!QFile::exists(archivePath()));
        QCOMPARE(card->lblPosizione->text(), QString());
    }

    void saveAppendsThenOverwrites()
    {
        writeArchive(2);
        card->cmdNuovoClick();
        fillRequired();
        card->txtOreApp->setEditText(QStringLiteral("16"));
        card->txtMinutiApp->setEditText(QStringLiteral("45"));
        card->txtImporto->clear();
        card->cmdSalvaClick();
        QCOMPARE(shownMessages(), QStringList{kInserted});
        QCOMPARE(card->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(card->record().Ora.text(), QStringLiteral("16:45"));
        QCOMPARE(card->txtImporto->text(), QStringLiteral("0,00"));
        QCOMPARE(archiveCount(), 3);
        TAppointmentRecord saved = readRecord(3);
        QCOMPARE(saved.Data.text(), QStringLiteral("15/01/2027"));
        QCOMPARE(saved.Ora.text(), QStringLiteral("16:45"));
        QCOMPARE(saved.OreApp.text(), QStringLiteral("16"));
        QCOMPARE(saved.MinutiApp.text(), QStringLiteral("45"));
        QCOMPARE(saved.Importo.text(), QStringLiteral("0,00"));
        QCOMPARE(saved.Contatto.text(), QStringLiteral("Rossi Mario"));

        card->txtNote->setText(QStringLiteral("  Portare le lastre  "));
        card->cmdSalvaClick();
        QCOMPARE(shownMessages(), QStringList{kModified});
        QCOMPARE(card->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(archiveCount(), 3);
        QCOMPARE(readRecord(3).Note.text(), QStringLiteral("Portare le lastre"));
        QCOMPARE(readRecord(2).Contatto.text(), QStringLiteral("Paziente 2"));
    }

    // Two copies of the program on one shared folder save the same card: the second save asks
    // whether to load the other copy's card (Sì), to overwrite it (No) or to save nothing
    // (Annulla, Escape, the close box of the real box: the typed card stays and the next save
    // asks again); a card nobody else saved is saved without a question.
    void twoCopiesSaveOneCard_data() { addChangedElsewhereRows(); }
    void twoCopiesSaveOneCard()
    {
        QFETCH(bool, otherSaves);
        QFETCH(QString, answer);
        writeArchive(2);
        QVERIFY(card->showPosition(2)); // chosen from a list
        if (otherSaves) {
            RecordCard<TAppointmentRecord> other(kAppointmentArchive); // the other copy
            QCOMPARE(other.show(2), CardResult::Shown);
            other.record().Note.setText(QStringLiteral("dall'altra"));
            QCOMPARE(other.save(), CardResult::Updated);
        }
        card->txtNote->setText(QStringLiteral("da questa"));
        const RealBox box = saveAnswering(answer, [this] { card->cmdSalvaClick(); });
        if (!box.text.isEmpty()) {
            QVERIFY(box.text.startsWith(QStringLiteral("Attenzione: nel frattempo la scheda corrente")));
            QCOMPARE(shownMessages(), QStringList());
            QCOMPARE(readRecord(2).Note.text(), QStringLiteral("dall'altra"));
            QCOMPARE(card->txtNote->text(), QStringLiteral("da questa"));
            QCOMPARE(card->lblPosizione->text(), QStringLiteral("2"));
            Messages::queueAnswer(Messages::Answer::No);
            card->cmdSalvaClick();
            answer = QStringLiteral("No");
        }
        const QString asked = QStringLiteral("confirmation: ") + kCardChangedElsewhere;
        const bool overwrite = answer == QLatin1String("No");
        if (!otherSaves)
            QCOMPARE(shownMessages(), QStringList{kModified});
        else if (overwrite)
            QCOMPARE(shownMessages(), (QStringList{asked, kModified}));
        else
            QCOMPARE(shownMessages(), QStringList{asked});
        const QString note = otherSaves && !overwrite ? QStringLiteral("dall'altra") : QStringLiteral("da questa");
        QCOMPARE(readRecord(2).Note.text(), note);
        QCOMPARE(card->txtNote->text(), note);
        QCOMPARE(readRecord(2).Contatto.text(), QStringLiteral("Paziente 2"));
        QCOMPARE(archiveCount(), 2);
        // The card is now the one in the archive: the next save asks nothing.
        card->cmdSalvaClick();
        QCOMPARE(shownMessages(), QStringList{kModified});
        QCOMPARE(readRecord(2).Note.text(), note);
    }

    void fulfilledFlagBytes_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ticked") << true << QByteArray("\x02\x53\xEC", 3);
        QTest::newRow("cleared") << false << QByteArray("\x02\x4E\x6F", 3);
    }
    void fulfilledFlagBytes()
    {
        QFETCH(bool, ticked);
        QFETCH(QByteArray, bytes);
        fillRequired();
        card->chkOttemperata->setChecked(!ticked);
        card->cmdSalvaClick();
        card->chkOttemperata->setChecked(ticked);
        card->cmdSalvaClick();
        const QByteArray file = world->read(kAppointmentArchive);
        QCOMPARE(file.size(), TAppointmentRecord::Size);
        QCOMPARE(file.mid(1262, 3), bytes);
    }

    void loadingFollowsTheFlag_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<bool>("before");
        QTest::addColumn<bool>("after");
        QTest::newRow("Sì ticks") << QStringLiteral("S\u00EC") << false << true;
        QTest::newRow("No clears") << QStringLiteral("No") << true << false;
        QTest::newRow("empty leaves ticked") << QString() << true << true;
        QTest::newRow("empty leaves cleared") << QString() << false << false;
        QTest::newRow("other text leaves ticked") << QStringLiteral("si") << true << true;
    }
    void loadingFollowsTheFlag()
    {
        QFETCH(QString, flag);
        QFETCH(bool, before);
        QFETCH(bool, after);
        TAppointmentRecord r{};
        r.Contatto.setText(QStringLiteral("Caricato"));
        r.Ottemperata.setText(flag);
        card->setPosition(7);
        card->chkOttemperata->setChecked(before);
        card->loadRecord(r);
        QCOMPARE(card->chkOttemperata->isChecked(), after);
        QCOMPARE(card->txtContatto->text(), QStringLiteral("Caricato"));
        QCOMPARE(card->lblPosizione->text(), QStringLiteral("7")); // left to the caller
    }

    void exitRulesRunBeforeSaving()
    {
        activate();
        fillRequired();
        card->txtMinutiApp->setEditText(QStringLiteral("30"));
        card->txtOreApp->setFocus();
        card->txtOreApp->setEditText(QStringLiteral("7")); // pasted, not one of the hours
        card->cmdSalvaClick();
        QCOMPARE(shownMessages(), QStringList{kInserted});
        QCOMPARE(card->txtOreApp->currentText(), QString());
        QCOMPARE(readRecord(1).OreApp.text(), QString());
        QCOMPARE(readRecord(1).Ora.text(), QStringLiteral(":30"));

        card->txtImporto->setFocus();
        card->txtImporto->setText(QStringLiteral("7"));
        card->cmdSalvaClick();
        QCOMPARE(readRecord(1).Importo.text(), QStringLiteral("7,00"));
    }

    void positionPastTheArchiveIsNotWritten()
    {
        writeArchive(2);
        fillRequired();
        card->setPosition(9);
        card->cmdSalvaClick();
        QCOMPARE(shownMessages(), QStringList{kFailure});
        QCOMPARE(archiveCount(), 2);
        QCOMPARE(QFileInfo(archivePath()).size(), 2 * TAppointmentRecord::Size);
    }

    void unreachableArchive_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Salva") << "cmdSalva";
        QTest::newRow("Primo") << "cmdPrimo";
        QTest::newRow("Ultimo") << "cmdUltimo";
        QTest::newRow("Avanti") << "cmdAvanti";
        QTest::newRow("Indietro") << "cmdIndietro";
        QTest::newRow("Duplica") << "cmdDuplica";
    }
    void unreachableArchive()
    {
        QFETCH(QString, button);
        QDir(world->folder()).mkdir(kAppointmentArchive); // a folder where the file should be
        fillRequired();
        if (button == QLatin1String("cmdDuplica"))
            card->setPosition(1);
        control<PictureButton>(card, qPrintable(button))->click();
        QCOMPARE(shownMessages(), QStringList{kFailure});
    }

    // ---- Duplicating ----

    void duplicateNeedsASavedCard()
    {
        fillRequired();
        card->cmdDuplicaClick();
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("warning: Attenzione: la duplicazione di una scheda può "
                                                             "avvenire soltanto dopo che questa è stata inserita in "
                                                             "archivio.")});
        QCOMPARE(card->txtData->text(), QStringLiteral("15/01/2027"));
    }

    void duplicateMakesANewCardFromTheSavedOne()
    {
        writeArchive(2);
        card->cmdUltimoClick();
        card->txtOreApp->setEditText(QStringLiteral("10"));
        card->txtMinutiApp->setEditText(QStringLiteral("20"));
        card->chkOttemperata->setChecked(true);
        card->cmdDuplicaClick();
        QCOMPARE(shownMessages(),
                 QStringList{QStringLiteral("information: E' ora possibile apportare le proprie modifiche alla scheda "
                                            "corrente.\n\r\n\rAl termine premere Salva per inserire la scheda in "
                                            "archivio.")});
        QCOMPARE(card->lblPosizione->text(), QString());
        QCOMPARE(card->txtData->text(), QString());
        QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("00"));
        QCOMPARE(card->txtMinutiApp->currentText(), QStringLiteral("00"));
        QCOMPARE(card->txtOreApp->currentIndex(), -1);
        QVERIFY(card->chkOttemperata->isChecked());
        QCOMPARE(card->txtContatto->text(), QStringLiteral("Paziente 2"));

        card->txtData->setText(QStringLiteral("20/02/2027"));
        card->cmdSalvaClick();
        QCOMPARE(shownMessages(), QStringList{kInserted});
        QCOMPARE(card->lblPosizione->text(), QStringLiteral("3"));
        QCOMPARE(readRecord(3).Contatto.text(), QStringLiteral("Paziente 2"));
        QCOMPARE(readRecord(3).Ottemperata.text(), kFlagYes);
        QCOMPARE(readRecord(2).Data.text(), QStringLiteral("02/01/2027"));
    }

    // ---- Navigation ----

    void navigation_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("from"); // lblPosizione before
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("to"); // lblPosizione after
        QTest::addColumn<bool>("emptyMessage");
        QTest::newRow("first") << 3 << "2"
                               << "cmdPrimo"
                               << "1" << false;
        QTest::newRow("last") << 3 << ""
                              << "cmdUltimo"
                              << "3" << false;
        QTest::newRow("next on a new card") << 3 << ""
                                            << "cmdAvanti"
                                            << "1" << false;
        QTest::newRow("next") << 3 << "1"
                              << "cmdAvanti"
                              << "2" << false;
        QTest::newRow("next on the last card") << 3 << "3"
                                               << "cmdAvanti"
                                               << "3" << false;
        QTest::newRow("previous on a new card") << 3 << ""
                                                << "cmdIndietro"
                                                << "1" << false;
        QTest::newRow("previous") << 3 << "3"
                                  << "cmdIndietro"
                                  << "2" << false;
        QTest::newRow("previous on the first card") << 3 << "1"
                                                    << "cmdIndietro"
                                                    << "1" << false;
        QTest::newRow("first, empty archive") << 0 << ""
                                              << "cmdPrimo"
                                              << "" << true;
        QTest::newRow("last, empty archive") << 0 << ""
                                             << "cmdUltimo"
                                             << "" << true;
        QTest::newRow("next, empty archive") << 0 << ""
                                             << "cmdAvanti"
                                             << "" << true;
        QTest::newRow("next, empty archive, stale label") << 0 << "2"
                                                          << "cmdAvanti"
                                                          << "" << true;
        QTest::newRow("previous, empty archive") << 0 << ""
                                                 << "cmdIndietro"
                                                 << "" << true;
        QTest::newRow("previous, empty archive, stale label") << 0 << "2"
                                                              << "cmdIndietro"
                                                              << "2" << true;
        QTest::newRow("previous, empty archive, label 1") << 0 << "1"
                                                          << "cmdIndietro"
                                                          << "1" << false;
    }
    void navigation()
    {
        QFETCH(int, records);
        QFETCH(QString, from);
        QFETCH(QString, button);
        QFETCH(QString, to);
        QFETCH(bool, emptyMessage);
        if (records > 0)
            writeArchive(records);
        card->setPosition(from.toLongLong());
        card->txtContatto->setText(QStringLiteral("sullo schermo"));
        control<PictureButton>(card, qPrintable(button))->click();
        QCOMPARE(shownMessages(), emptyMessage ? QStringList{kEmpty} : QStringList());
        QCOMPARE(card->lblPosizione->text(), to);
        // The card shows the record of its position; a button that did nothing left the screen alone.
        const bool moved = to != from && !to.isEmpty();
        QCOMPARE(card->txtContatto->text(), moved ? QStringLiteral("Paziente ") + to : QStringLiteral("sullo schermo"));
    }

    void browsingCreatesAMissingArchive()
    {
        card->cmdPrimoClick();
        QVERIFY(QFile::exists(archivePath()));
        QCOMPARE(QFileInfo(archivePath()).size(), 0);
    }

    // ---- Entry-field rules ----

    void dateFieldKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("opensPicker");
        QTest::addColumn<bool>("empties");
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << false << true;
        QTest::newRow("Delete") << int(Qt::Key_Delete) << false << true;
        QTest::newRow("a letter") << int(Qt::Key_A) << true << false;
        QTest::newRow("a digit") << int(Qt::Key_5) << true << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << true << false;
        QTest::newRow("Space") << int(Qt::Key_Space) << true << false;
        QTest::newRow("Tab moves on") << int(Qt::Key_Tab) << false << false;
    }
    void dateFieldKeys()
    {
        QFETCH(int, key);
        QFETCH(bool, opensPicker);
        QFETCH(bool, empties);
        card->txtData->setText(QStringLiteral("01/01/2030"));
        QString tag;
        Modal::queue([&tag](QWidget *w) {
            if (auto *picker = qobject_cast<TfrmCalendario *>(w))
                tag = picker->mode() == TfrmCalendario::Mode::AppointmentDate ? QStringLiteral("data") : QString();
        });
        QTest::keyClick(card->txtData, Qt::Key(key));
        QCOMPARE(Modal::takeOpened(), opensPicker ? QStringList{"frmCalendario"} : QStringList());
        if (opensPicker)
            QCOMPARE(tag, QStringLiteral("data"));
        QCOMPARE(card->txtData->text(), empties ? QString() : QStringLiteral("01/01/2030"));
    }

    void pickerImportsTheDate()
    {
        card->txtData->setText(QStringLiteral("01/01/2030"));
        QDate shownFirst;
        Modal::queue([&shownFirst](QWidget *w) {
            auto *calendar = control<QCalendarWidget>(w, "calAppuntamenti");
            shownFirst = calendar->selectedDate();
            calendar->setSelectedDate(QDate(2027, 3, 5));
            control<QPushButton>(w, "btnImportaData")->click();
        });
        card->impData->click();
        QCOMPARE(shownFirst, QDate(2026, 12, 10)); // today, not the card's date
        QCOMPARE(card->txtData->text(), QStringLiteral("05/03/2027"));
    }

    // The card form binds a card's description to the controls of any panel, no window
    // needed: one rule per kind of field, a composed field by its name, and a field the
    // description does not show carried over.
    void cardFormWithoutAWindow()
    {
        QWidget panel;
        auto *date = new QLineEdit(&panel);
        date->setObjectName(QStringLiteral("txtData"));
        date->setMaxLength(4);
        auto *hours = new QComboBox(&panel);
        hours->setObjectName(QStringLiteral("txtOreApp"));
        hours->setEditable(true);
        auto *flag = new QCheckBox(&panel);
        flag->setObjectName(QStringLiteral("chkOttemperata"));
        using CardFields::Kind;
        const CardFields::Field fields[] = {
            {"Data", Kind::LineEdit, "txtData", nullptr, 4, CardFields::Typing::Free, {}},
            {"OreApp", Kind::Choice, "txtOreApp", nullptr, 23, CardFields::Typing::Free, {}},
            {"Ora", Kind::Composed, "txtOra", nullptr, 0, CardFields::Typing::Free, {}},
            {"Ottemperata", Kind::CheckBox, "chkOttemperata", nullptr, 0, CardFields::Typing::Free, {}},
        };
        CardFields::Description description = AppointmentCard::description();
        description.fields = fields;
        CardForm form(description, &panel);
        QCOMPARE(form.boundCount(), 4);
        QCOMPARE(form.control("Ora"), nullptr); // composed: no control of its own
        QCOMPARE(form.control("Note"), nullptr);

        const TAppointmentRecord stored =
            appointmentRecord({.note = QStringLiteral("  portare le lastre "), .flag = QStringLiteral("?")});
        flag->setChecked(true);
        form.showRecord(stored);
        QCOMPARE(date->text(), QStringLiteral("10/12/2026")); // longer than the entry limit: whole
        QCOMPARE(date->maxLength(), 10);
        QCOMPARE(date->cursorPosition(), 0);
        QCOMPARE(hours->currentText(), QStringLiteral("09"));
        QCOMPARE(form.takeRecord(stored).Ora.text(), QStringLiteral("09:00"));
        QVERIFY(flag->isChecked()); // neither "Sì" nor "No": left as it was

        date->setText(QStringLiteral(" 1/1 "));
        hours->setEditText(QStringLiteral("11 "));
        const TAppointmentRecord taken = form.takeRecord(stored);
        QCOMPARE(taken.Data.text(), QStringLiteral("1/1"));
        QCOMPARE(taken.OreApp.text(), QStringLiteral("11"));
        QCOMPARE(taken.Ora.text(), QStringLiteral("11:00")); // the hours shown, the minutes held
        QCOMPARE(taken.Ottemperata.text(), kFlagYes);
        QCOMPARE(taken.Note.text(), QStringLiteral("portare le lastre"));
        QCOMPARE(taken.Contatto.text(), QStringLiteral("Rossi Mario"));

        form.showRecord(appointmentRecord({.data = QStringLiteral("1/2"), .flag = kFlagNo}));
        QCOMPARE(date->maxLength(), 4); // the entry limit again
        QVERIFY(!flag->isChecked());
    }

    // A description the binder cannot bind is refused when the form is made, in every build:
    // a kind of field it does not know, a control of another kind, a missing control, a field
    // the record does not have.
    void cardFormRefusesAFaultyDescription_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("unknown kind") << 0;
        QTest::newRow("control of another kind") << 1;
        QTest::newRow("missing control") << 2;
        QTest::newRow("field not in the record") << 3;
    }
    void cardFormRefusesAFaultyDescription()
    {
        QFETCH(int, fault);
        QWidget panel;
        (new QLabel(&panel))->setObjectName(QStringLiteral("txtData"));
        auto *flag = new QCheckBox(&panel);
        flag->setObjectName(QStringLiteral("chkOttemperata"));
        const auto kind = fault == 0 ? CardFields::Kind(7) : CardFields::Kind::LineEdit;
        const char *control = fault == 2 ? "txtNote" : fault == 0 ? "chkOttemperata" : "txtData";
        const char *name = fault == 3 ? "Nome" : "Data";
        const CardFields::Field fields[] = {{name, kind, control, nullptr, 10, CardFields::Typing::Free, {}}};
        CardFields::Description description = AppointmentCard::description();
        description.fields = fields;
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, CardForm(description, &panel));
    }

    // The picker works for the caller its mode names; the hidden label only shows the tag.
    void pickerCancelledOrCalledByAnotherChangesNothing_data()
    {
        QTest::addColumn<bool>("forTheCard");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("Annulla") << true << "data"
                                 << "btnAnnulla" << false;
        QTest::newRow("another caller") << false << "scadenze"
                                        << "btnImportaData" << true;
        QTest::newRow("the label's tag steers nothing") << false << "data"
                                                        << "btnImportaData" << true;
    }
    void pickerCancelledOrCalledByAnotherChangesNothing()
    {
        QFETCH(bool, forTheCard);
        QFETCH(QString, tag);
        Q_UNUSED(tag); // no caller tag reaches the picker: its mode alone steers it
        QFETCH(QString, button);
        QFETCH(bool, staysOpen);
        card->txtData->setText(QStringLiteral("01/01/2030"));
        auto *picker =
            new TfrmCalendario(card, forTheCard ? TfrmCalendario::Mode::AppointmentDate : TfrmCalendario::Mode::None);
        QObject::connect(picker, &TfrmCalendario::dateChosen, card, &TfrmArchivio_Scadenze::setDate);
        bool open = false;
        Modal::queue([&](QWidget *w) {
            control<QCalendarWidget>(w, "calAppuntamenti")->setSelectedDate(QDate(2027, 3, 5));
            control<QPushButton>(w, qPrintable(button))->click();
            open = w->isVisible();
        });
        Modal::run(picker);
        QCOMPARE(open, staysOpen);
        QCOMPARE(card->txtData->text(), QStringLiteral("01/01/2030"));
    }

    void hoursAndMinutesOnlyFromTheirLists_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("hours 23") << "txtOreApp"
                                  << "23"
                                  << "23";
        QTest::newRow("hours 24") << "txtOreApp"
                                  << "24"
                                  << "";
        QTest::newRow("hours 7") << "txtOreApp"
                                 << "7"
                                 << "";
        QTest::newRow("hours letters") << "txtOreApp"
                                       << "ab"
                                       << "";
        QTest::newRow("minutes 59") << "txtMinutiApp"
                                    << "59"
                                    << "59";
        QTest::newRow("minutes 60") << "txtMinutiApp"
                                    << "60"
                                    << "";
        QTest::newRow("minutes 05") << "txtMinutiApp"
                                    << "05"
                                    << "05";
    }
    void hoursAndMinutesOnlyFromTheirLists()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, kept);
        activate();
        auto *combo = control<QComboBox>(card, qPrintable(field));
        combo->setFocus();
        combo->setEditText(text); // as if pasted
        card->txtNote->setFocus();
        QCOMPARE(combo->currentText(), kept);
    }

    void hoursIgnoreTypingButStepWithArrows()
    {
        activate();
        card->txtOreApp->setFocus();
        QCOMPARE(card->txtOreApp->currentIndex(), -1); // taking the focus clears the selection
        QTest::keyClicks(card->txtOreApp, QStringLiteral("7x"));
        QTest::keyClick(card->txtOreApp, Qt::Key_Backspace);
        QTest::keyClick(card->txtOreApp, Qt::Key_Delete);
        QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("00"));
        QTest::keyClick(card->txtOreApp, Qt::Key_Down);
        QTest::keyClick(card->txtOreApp, Qt::Key_Down);
        QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("02"));
        QTest::keyClick(card->txtOreApp, Qt::Key_End);
        QCOMPARE(card->txtOreApp->currentText(), QStringLiteral("23"));
        QTest::keyClick(card->txtOreApp, Qt::Key_Return); // Enter moves on
        QCOMPARE(QApplication::focusWidget(), card->txtMinutiApp);
    }

    void enterCycle()
    {
        activate();
        card->txtNote->setFocus();
        QTest::keyClick(card->txtNote, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), card->txtData);
        Modal::queue([](QWidget *w) { control<QPushButton>(w, "btnAnnulla")->click(); });
        QTest::keyClick(card->txtData, Qt::Key_Return); // opens the picker instead of moving on
        QCOMPARE(Modal::takeOpened(), QStringList{"frmCalendario"});
        card->txtAvviso->setFocus();
        QTest::keyClick(card->txtAvviso, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), card->txtTipologia);
    }

    void digitFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("lead time") << "txtAvviso"
                                   << "1a.%'2-3"
                                   << "123";
        QTest::newRow("mobile") << "txtCel"
                                << "+39 333.12'34%5"
                                << "3933312345";
        QTest::newRow("amount") << "txtImporto"
                                << "12,5x.%"
                                << "12,5";
    }
    void digitFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        auto *f = control<QLineEdit>(card, qPrintable(field));
        f->clear();
        QTest::keyClicks(f, typed);
        QCOMPARE(f->text(), shown);
    }

    void leavingFieldsNormalises()
    {
        activate();
        card->txtAvviso->setFocus();
        card->txtAvviso->clear();
        card->txtImporto->setFocus();
        QCOMPARE(card->txtAvviso->text(), QStringLiteral("0"));
        card->txtImporto->setText(QStringLiteral("12,345"));
        card->txtNote->setFocus();
        QCOMPARE(card->txtImporto->text(), QStringLiteral("12,35"));
    }

    void emailIsTrimmedWhileTyping()
    {
        QTest::keyClicks(card->txtEmail, QStringLiteral(" mario.rossi@esempio.it "));
        QCOMPARE(card->txtEmail->text(), QStringLiteral("mario.rossi@esempio.it"));
    }

    // A blank typed before the text is dropped and the caret stays where it was, before the
    // text: what is typed next goes there, as on the patient card.
    void emailBlankAtTheStartKeepsTheCaret()
    {
        card->txtEmail->clear();
        QTest::keyClicks(card->txtEmail, QStringLiteral("ab"));
        QTest::keyClick(card->txtEmail, Qt::Key_Home);
        QTest::keyClicks(card->txtEmail, QStringLiteral(" x"));
        QCOMPARE(card->txtEmail->text(), QStringLiteral("xab"));
    }

    // ---- Look ----

    // The card's controls stand inside their panels without covering one another, and each
    // caption stands level with its field.
    void controlsDoNotOverlapAndCaptionsStandLevel()
    {
        for (const char *panel : {"shpScheda", "shpComandi", "shpNavigazione"}) {
            QWidget *p = control<QWidget>(card, panel);
            QList<QWidget *> shown;
            for (QObject *o : p->children()) {
                auto *w = qobject_cast<QWidget *>(o);
                if (w && !w->isHidden() && !w->objectName().isEmpty())
                    shown.append(w);
            }
            QVERIFY(shown.size() >= 5);
            for (qsizetype i = 0; i < shown.size(); ++i) {
                QVERIFY2(p->rect().contains(shown[i]->geometry()), qPrintable(shown[i]->objectName()));
                for (qsizetype j = i + 1; j < shown.size(); ++j)
                    QVERIFY2(!shown[i]->geometry().intersects(shown[j]->geometry()),
                             qPrintable(shown[i]->objectName() + QLatin1String(" / ") + shown[j]->objectName()));
            }
        }
        int captions = 0;
        for (QLabel *label : control<QWidget>(card, "shpScheda")->findChildren<QLabel *>()) {
            QWidget *field = label->buddy();
            if (!field)
                continue;
            ++captions;
            QVERIFY2(qAbs(label->geometry().center().y() - field->geometry().center().y()) <= 1,
                     qPrintable(label->objectName()));
            QVERIFY2(label->geometry().right() < field->geometry().left(), qPrintable(label->objectName()));
        }
        QCOMPARE(captions, 13);
    }

    // ---- WhatsApp confirmation and e-mail ----

    void whatsAppConfirmation_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("cel");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<QString>("focused");
        QTest::newRow("no date, no mobile") << ""
                                            << ""
                                            << "la data."
                                            << "txtData";
        QTest::newRow("no date") << ""
                                 << "3331234567"
                                 << "la data."
                                 << "txtData";
        QTest::newRow("no mobile") << "15/01/2027"
                                   << " "
                                   << "il suo numero di cellulare."
                                   << "txtCel";
    }
    void whatsAppConfirmation()
    {
        QFETCH(QString, data);
        QFETCH(QString, cel);
        QFETCH(QString, warning);
        QFETCH(QString, focused);
        card->txtData->setText(data);
        card->txtCel->setText(cel);
        card->btnWhatsAppClick();
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("warning: Attenzione: per inviare la conferma "
                                                             "dell'appuntamento al paziente tramite WhatsApp è "
                                                             "necessario indicare ")
                                              + warning});
        QCOMPARE(card->focusWidget()->objectName(), focused);
        QCOMPARE(TMisc::takeOpened(), QStringList());
    }

    void whatsAppConfirmationOfAnUnsavedCard()
    {
        card->txtData->setText(QStringLiteral("15/01/2027"));
        card->txtCel->setText(QStringLiteral("3331234567"));
        card->txtOreApp->setEditText(QStringLiteral("08"));
        card->txtMinutiApp->setEditText(QStringLiteral("45"));
        card->btnWhatsApp->click();
        QCOMPARE(shownMessages(), QStringList());
        QCOMPARE(TMisc::takeOpened(), QStringList{QStringLiteral(
                                          "https://web.whatsapp.com/send?phone=393331234567&text=Gentile Paziente, le "
                                          "confermiamo l'appuntamento presso il nostro studio dentistico alle ore "
                                          "08:45 del giorno 15/01/2027")});
        QVERIFY(!QFile::exists(archivePath()));
        QCOMPARE(card->lblPosizione->text(), QString());
    }

    void emailLink_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened");
        QTest::newRow("address") << "mario.rossi@esempio.it"
                                 << "\"mailto:mario.rossi@esempio.it\"";
        QTest::newRow("no address") << ""
                                    << "\"mailto:\"";
    }
    void emailLink()
    {
        QFETCH(QString, address);
        QFETCH(QString, opened);
        card->txtEmail->setText(address);
        card->btnEmail->click();
        QCOMPARE(TMisc::takeOpened(), QStringList{opened});
        QCOMPARE(shownMessages(), QStringList());
    }
};

QTEST_MAIN(TestAppointments)
#include "tst_appointments.moc"
