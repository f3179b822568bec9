#include "support/Faults.h"
#include "support/TestSupport.h"

#include "app/Crypt.h"
#include "base/Formats.h"
#include "ui/Help.h"
#include "app/Startup.h"
#include "app/frmAvvio.h"
#include "app/frmCambiaPassword.h"
#include "app/frmInfo.h"
#include "app/frmPassword.h"
#include "app/frmSplash.h"
#include "ui/FixedList.h"
#include "ui/HintStrip.h"
#include "ui/LinkLabel.h"
#include "ui/Theme.h"
#include "ui/PictureButton.h"
#include "appointments/frmAgenda.h"
#include "patients/frmClients.h"
#include "platform/Application.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPointer>
#include <QFileInfo>
#include <QLibrary>
#include <QTest>

#include <sys/stat.h>

namespace {
const QString kWrong = QStringLiteral("plain: Attenzione: password errata.");
const QString kReadError = QStringLiteral("plain: Attenzione: si è verificato un errore durante la procedura di "
                                          "lettura della password. Si consiglia di reinstallare il software.");
const QString kChangeError = QStringLiteral("plain: Attenzione: si è verificato un errore durante la procedura di "
                                            "modifica della password. Si consiglia di reinstallare il software.");
const QString kOldWrong = QStringLiteral("plain: Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral("plain: Attenzione: la nuova password non è stata confermata "
                                             "correttamente. E' necessario reinserire entrambi i valori.");
const QString kChanged = QStringLiteral("plain: Modifica della password completata con successo.");

bool focused(QWidget *w)
{
    return QTest::qWaitFor([w] { return QApplication::focusWidget() == w; }, 2000);
}
} // namespace

class TestApp : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestWorld> world;
    TfrmPassword *login = nullptr;

    void type(QLineEdit *field, const QString &text)
    {
        field->setFocus();
        // Typed key by key where the test keyboard has the keys; accented letters are set.
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() >= 32 && c.unicode() < 127;
        if (ascii)
            QTest::keyClicks(field, text);
        else
            field->setText(field->text() + text);
    }

    TfrmCambiaPassword *openChange()
    {
        login->btnCambiaPassword->click();
        return world->windows().frmCambiaPassword();
    }

private slots:
    void init()
    {
        world = std::make_unique<TestWorld>();
        world->writePassword(QStringLiteral("INGRESSOSTUDIO"));
        world->windows();
        world->windows().start();
        login = world->windows().frmPassword();
        QVERIFY(QTest::qWaitForWindowExposed(login));
    }
    void cleanup()
    {
        login = nullptr;
        world.reset();
    }

    void eachSetWiresItsOwnWindows()
    {
        // A second set beside the first: each window asks the set that made it, none is the
        // current one.
        Windows other;
        other.start();
        TfrmPassword *otherLogin = other.frmPassword();
        QVERIFY(otherLogin != login);
        type(otherLogin->txtPassword, QStringLiteral("INGRESSOSTUDIO"));
        otherLogin->cmdOKClick();
        QVERIFY(other.frmAvvio()->isVisible());
        QVERIFY(other.frmAvvio() != world->windows().frmAvvio());
        QVERIFY(!world->windows().frmAvvio()->isVisible());
        other.frmAvvio()->imgApp02Click();
        QVERIFY(other.frmAgenda()->isVisible());
        other.frmAgenda()->close();
        QVERIFY(other.frmAvvio()->isVisible());
        QVERIFY(!world->windows().frmAvvio()->isVisible());
        QVERIFY(login->isVisible());
    }

    void startShowsOnlyTheLogin()
    {
        QVERIFY(login->isVisible());
        QCOMPARE(login->windowTitle().left(11), QStringLiteral(" Sorrisa - "));
        QVERIFY(!world->windows().frmAvvio()->isVisible());
        QVERIFY(!login->cmdOK->isEnabled());
        QVERIFY(focused(login->txtPassword));
        QVERIFY(login->effPassword->isVisible());
        login->cmdEsci->setFocus();
        QVERIFY(focused(login->cmdEsci));
        QVERIFY(!login->effPassword->isVisible());
        QCOMPARE(login->txtPassword->accessibleName(), QStringLiteral("Password"));
    }

    void okFollowsTheTrimmedText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("blanks only") << "   " << false;
        QTest::newRow("a tab") << "\t" << false;
        QTest::newRow("a letter") << "a" << true;
        QTest::newRow("letter among blanks") << "  a  " << true;
    }
    void okFollowsTheTrimmedText()
    {
        QFETCH(QString, typed);
        QFETCH(bool, enabled);
        login->txtPassword->setText(typed);
        QCOMPARE(login->cmdOK->isEnabled(), enabled);
        // Enter with a blank field does nothing at all.
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        QCOMPARE(shownMessages().isEmpty(), !enabled);
    }

    void passwordCheck_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lower case") << "INGRESSOSTUDIO"
                                    << "ingressostudio" << true;
        QTest::newRow("mixed case with blanks") << "INGRESSOSTUDIO"
                                                << "  InGressoStudio  " << true;
        QTest::newRow("one character less") << "INGRESSOSTUDIO"
                                            << "ingressostudi" << false;
        QTest::newRow("one character more") << "INGRESSOSTUDIO"
                                            << "ingressostudioo" << false;
        QTest::newRow("same accented letter") << QStringLiteral("CAFFÈ") << QStringLiteral("caffÈ") << true;
        QTest::newRow("accent in the other case") << QStringLiteral("CAFFÈ") << QStringLiteral("caffè") << false;
    }
    void passwordCheck()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        world->writePassword(stored);
        type(login->txtPassword, typed);
        QTest::keyClick(login->txtPassword, Qt::Key_Return);
        if (accepted) {
            QCOMPARE(shownMessages(), QStringList());
            QVERIFY(world->windows().frmAvvio()->isVisible());
            QVERIFY(!login->isVisible());
            QCOMPARE(login->txtPassword->text(), typed);
        } else {
            QCOMPARE(shownMessages(), QStringList{kWrong});
            QVERIFY(!world->windows().frmAvvio()->isVisible());
            QVERIFY(login->isVisible());
            QCOMPARE(login->txtPassword->text(), QString());
            QVERIFY(!login->cmdOK->isEnabled());
            QVERIFY(focused(login->txtPassword));
        }
    }

    void okButtonChecksLikeEnter()
    {
        type(login->txtPassword, QStringLiteral("ingressostudio"));
        QTest::mouseClick(login->cmdOK, Qt::LeftButton);
        QVERIFY(world->windows().frmAvvio()->isVisible());
    }

    void passwordFileProblems_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("fieldAfter");
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=4EZZ\r\n") << kReadError
                                         << "ingressostudio";
        QTest::newRow("garbage bytes") << QByteArray("\x00\xFF\n[Accesso]\nValore=\x01\x02\xFF\n", 24) << kReadError
                                       << "ingressostudio";
        QTest::newRow("no key") << QByteArray("[Accesso]\r\n") << kWrong << "";
        QTest::newRow("empty file") << QByteArray() << kWrong << "";
    }
    void passwordFileProblems()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, message);
        QFETCH(QString, fieldAfter);
        world->write(QStringLiteral("unins000.dll"), ini);
        type(login->txtPassword, QStringLiteral("ingressostudio"));
        login->cmdOKClick();
        QCOMPARE(shownMessages(), QStringList{message});
        QCOMPARE(login->txtPassword->text(), fieldAfter);
        QVERIFY(login->isVisible());
        QVERIFY(!world->windows().frmAvvio()->isVisible());
    }

    // A named pipe in place of the password file (nobody writing at its other end): the login
    // and the password change say that the file cannot be read, at once, instead of waiting.
    void namedPipeInPlaceOfThePasswordFile()
    {
        const QString path = world->file(QStringLiteral("unins000.dll"));
        QVERIFY(QFile::remove(path));
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        type(login->txtPassword, QStringLiteral("ingressostudio"));
        login->cmdOKClick();
        QCOMPARE(shownMessages(), QStringList{kReadError});
        QVERIFY(!world->windows().frmAvvio()->isVisible());
        TfrmCambiaPassword *change = openChange();
        type(change->txtPasswordOld, QStringLiteral("ingressostudio"));
        type(change->txtPasswordNew, QStringLiteral("Nuova1"));
        type(change->txtConferma, QStringLiteral("Nuova1"));
        change->cmdOK->click();
        QCOMPARE(shownMessages(), QStringList{kChangeError});
        const QFileInfo after(path);
        QVERIFY(after.exists() && !after.isFile()); // still the pipe: nothing written over it
    }

    void missingPasswordFileRefusesEverything()
    {
        QFile::remove(world->file(QStringLiteral("unins000.dll")));
        type(login->txtPassword, QStringLiteral("ingressostudio"));
        login->cmdOKClick();
        QCOMPARE(shownMessages(), QStringList{kWrong});
    }

    void exitButtonEndsTheProgram()
    {
        login->cmdEsci->click();
        QVERIFY(Application::terminateRequested());
        QVERIFY(!login->isVisible());
    }

    void changePasswordHappyPath()
    {
        TfrmCambiaPassword *change = openChange();
        QVERIFY(change->isVisible());
        QVERIFY(!login->isVisible());
        QVERIFY(!change->cmdOK->isEnabled());
        type(change->txtPasswordOld, QStringLiteral("ingressostudio"));
        type(change->txtPasswordNew, QStringLiteral("Nuova1"));
        QVERIFY(!change->cmdOK->isEnabled());
        type(change->txtConferma, QStringLiteral("Nuova1"));
        QVERIFY(change->cmdOK->isEnabled());
        change->cmdOK->click();
        QCOMPARE(shownMessages(), QStringList{kChanged});
        QVERIFY(!change->isVisible());
        QVERIFY(login->isVisible());
        QCOMPARE(login->txtPassword->text(), QString());
        QVERIFY(focused(login->txtPassword));
        QCOMPARE(world->read(QStringLiteral("unins000.dll")),
                 "[Accesso]\r\nValore=" + Crypt::ScrambleToHex(QStringLiteral("NUOVA1")).toLatin1() + "\r\n");

        type(login->txtPassword, QStringLiteral("nUOVA1"));
        login->cmdOKClick();
        QVERIFY(world->windows().frmAvvio()->isVisible());
    }

    void changePasswordRefusals_data()
    {
        QTest::addColumn<QString>("oldTyped");
        QTest::addColumn<QString>("newTyped");
        QTest::addColumn<QString>("confirmTyped");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("fieldsAfter"); // old, new, confirmation
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("wrong old password")
            << "sbagliata"
            << "nuova"
            << "nuova" << kOldWrong << QStringList{"", "nuova", "nuova"} << "txtPasswordOld";
        QTest::newRow("confirmation differs")
            << "ingressostudio"
            << "nuova"
            << "nuovb" << kNotConfirmed << QStringList{"ingressostudio", "", ""} << "txtPasswordNew";
        QTest::newRow("confirmation differs in case")
            << "INGRESSOstudio"
            << "nuova"
            << "Nuova" << kNotConfirmed << QStringList{"INGRESSOstudio", "", ""} << "txtPasswordNew";
        QTest::newRow("character beyond code 255")
            << "ingressostudio" << QStringLiteral("prezzo€") << QStringLiteral("prezzo€")
            << QStringLiteral("plain: Attenzione: la nuova password contiene caratteri non ammessi (ad esempio il "
                              "simbolo dell'euro). E' necessario reinserire entrambi i valori.")
            << QStringList{"ingressostudio", "", ""} << "txtPasswordNew";
    }
    void changePasswordRefusals()
    {
        QFETCH(QString, oldTyped);
        QFETCH(QString, newTyped);
        QFETCH(QString, confirmTyped);
        QFETCH(QString, message);
        QFETCH(QStringList, fieldsAfter);
        QFETCH(QString, focusAfter);
        const QByteArray before = world->read(QStringLiteral("unins000.dll"));
        TfrmCambiaPassword *change = openChange();
        change->txtPasswordOld->setText(oldTyped);
        change->txtPasswordNew->setText(newTyped);
        change->txtConferma->setText(confirmTyped);
        change->cmdOKClick();
        QCOMPARE(shownMessages(), QStringList{message});
        QCOMPARE(
            (QStringList{change->txtPasswordOld->text(), change->txtPasswordNew->text(), change->txtConferma->text()}),
            fieldsAfter);
        QVERIFY(focused(change->findChild<QLineEdit *>(focusAfter)));
        QVERIFY(change->isVisible());
        QCOMPARE(world->read(QStringLiteral("unins000.dll")), before);
    }

    // A full disk must not lock the user out: the change fails, says so, and the old file
    // stays byte for byte.
    void changePasswordOnAFullDisk()
    {
        const QByteArray before = world->read(QStringLiteral("unins000.dll"));
        TfrmCambiaPassword *change = openChange();
        change->txtPasswordOld->setText(QStringLiteral("ingressostudio"));
        change->txtPasswordNew->setText(QStringLiteral("nuova"));
        change->txtConferma->setText(QStringLiteral("nuova"));
        {
            FileSizeLimit full(10);
            QVERIFY(full.ok());
            change->cmdOKClick();
        }
        QCOMPARE(shownMessages(), QStringList{kChangeError});
        QCOMPARE(world->read(QStringLiteral("unins000.dll")), before);
        QVERIFY(change->isVisible());
        QCOMPARE(change->txtPasswordNew->text(), QStringLiteral("nuova"));
    }

    void enterMovesRoundTheThreeFields()
    {
        TfrmCambiaPassword *change = openChange();
        change->txtPasswordOld->setText(QStringLiteral("ingressostudio"));
        change->txtPasswordNew->setText(QStringLiteral("x"));
        change->txtConferma->setText(QStringLiteral("x"));
        QVERIFY(focused(change->txtPasswordOld));
        QVERIFY(change->effPasswordOld->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(focused(change->txtPasswordNew));
        QVERIFY(!change->effPasswordOld->isVisible());
        QVERIFY(change->effPasswordNew->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(focused(change->txtConferma));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(focused(change->txtPasswordOld));
        QCOMPARE(shownMessages(), QStringList()); // Enter never presses OK
        QVERIFY(change->isVisible());
    }

    void closeReturnsToLoginUntouched()
    {
        const QByteArray before = world->read(QStringLiteral("unins000.dll"));
        login->txtPassword->setText(QStringLiteral("qualcosa"));
        TfrmCambiaPassword *change = openChange();
        change->txtPasswordOld->setText(QStringLiteral("ingressostudio"));
        change->cmdEsci->click();
        QVERIFY(!change->isVisible());
        QVERIFY(login->isVisible());
        QCOMPARE(login->txtPassword->text(), QString());
        QCOMPARE(world->read(QStringLiteral("unins000.dll")), before);
        // Shown again, it starts empty.
        openChange();
        QCOMPARE(change->txtPasswordOld->text(), QString());
        QVERIFY(!change->cmdOK->isEnabled());
    }

    void failedWriteKeepsTheWindowOpen()
    {
        // A folder where the password file should be: reading works (no file reads as
        // empty) only if the old password is empty; here the read itself fails.
        QFile::remove(world->file(QStringLiteral("unins000.dll")));
        QVERIFY(QDir(world->folder()).mkdir(QStringLiteral("unins000.dll")));
        TfrmCambiaPassword *change = openChange();
        change->txtPasswordOld->setText(QStringLiteral("ingressostudio"));
        change->txtPasswordNew->setText(QStringLiteral("a"));
        change->txtConferma->setText(QStringLiteral("a"));
        change->cmdOKClick();
        QCOMPARE(shownMessages(), QStringList{kChangeError});
        QVERIFY(change->isVisible());
        QCOMPARE(change->txtPasswordNew->text(), QStringLiteral("a"));
    }

    void mainMenu()
    {
        TfrmAvvio *menu = world->windows().frmAvvio();
        menu->show();
        login->hide();
        QCOMPARE(menu->windowTitle(), QStringLiteral(" Sorrisa"));

        menu->btnApp01->click();
        QVERIFY(world->windows().frmClients()->isVisible());
        QVERIFY(!menu->isVisible());
        world->windows().frmClients()->close();
        QVERIFY(menu->isVisible());
        QVERIFY(!world->windows().frmClients()->isVisible());

        QTest::keyClick(menu->btnApp02, Qt::Key_Return); // picture buttons work from the keyboard
        QVERIFY(world->windows().frmAgenda()->isVisible());
        QVERIFY(!menu->isVisible());
        world->windows().frmAgenda()->close();
        QVERIFY(menu->isVisible());
        QVERIFY(!Application::terminateRequested());

        menu->imgSito->click();
        QCOMPARE(TMisc::takeOpened(), QStringList{QStringLiteral("https://www.sorrisa.example")});

        menu->close();
        QVERIFY(Application::terminateRequested());
    }

    void exitPicture()
    {
        world->windows().frmAvvio()->imgEsci->click();
        QVERIFY(Application::terminateRequested());
    }

    void smallWindowsOpenFreshEachTime()
    {
        TfrmAvvio *menu = world->windows().frmAvvio();
        QStringList captions;
        QList<QPointer<QObject>> seen;
        for (int i = 0; i < 2; ++i) {
            Modal::queue([&](QWidget *w) {
                captions << w->windowTitle();
                seen << w;
                auto *info = qobject_cast<TfrmInfo *>(w);
                QVERIFY(info);
                QTest::mouseClick(info->lnkWeb, Qt::LeftButton);
                info->btnChiudi->click();
                QVERIFY(!info->isVisible());
            });
            menu->imgInfo->click();
        }
        QCOMPARE(Modal::takeOpened(), (QStringList{"frmInfo", "frmInfo"}));
        // Each opening made its own window, and each was destroyed when it closed.
        QCOMPARE(seen.size(), 2);
        for (const QPointer<QObject> &window : std::as_const(seen))
            QVERIFY(window.isNull());
        QCOMPARE(captions, (QStringList{" Informazioni su Sorrisa", " Informazioni su Sorrisa"}));
        const QString mail = QStringLiteral("\"mailto:info@sorrisa.example?subject=Software Sorrisa&body=Salve, "
                                            "desidererei avere le seguenti informazioni sul software in oggetto:\"");
        QCOMPARE(TMisc::takeOpened(), (QStringList{mail, mail}));

        Modal::queue([](QWidget *w) {
            auto *splash = qobject_cast<TfrmSplash *>(w);
            QVERIFY(splash);
            splash->imgWeb->click();
        });
        menu->imgCopyright->click();
        QCOMPARE(Modal::takeOpened(), QStringList{"frmSplash"});
        QCOMPARE(TMisc::takeOpened(), QStringList{"https://www.sorrisa.example"});
    }

    void linkTurnsOrangeWhileHeld()
    {
        TfrmInfo info;
        info.show();
        const QColor blue(0x00, 0x00, 0x8B), orange(0xFF, 0xA5, 0x00);
        QCOMPARE(info.lnkWeb->palette().color(QPalette::WindowText), blue);
        QTest::mousePress(info.imgEmail, Qt::LeftButton);
        QCOMPARE(info.lnkWeb->palette().color(QPalette::WindowText), orange);
        QTest::mouseRelease(info.imgEmail, Qt::LeftButton);
        QCOMPARE(info.lnkWeb->palette().color(QPalette::WindowText), blue);
        QTest::mousePress(info.lnkWeb, Qt::LeftButton);
        QCOMPARE(info.lnkWeb->palette().color(QPalette::WindowText), orange);
        QTest::mouseRelease(info.lnkWeb, Qt::LeftButton);
        QCOMPARE(info.lnkWeb->palette().color(QPalette::WindowText), blue);
        QCOMPARE(TMisc::takeOpened().size(), 2);
    }

    void helpWindow()
    {
        Modal::queue([](QWidget *w) {
            auto *help = qobject_cast<TfrmGuida *>(w);
            QVERIFY(help);
            QCOMPARE(help->lblTitolo->text(), QStringLiteral("Uno sguardo a Sorrisa"));
            QVERIFY(help->txtGuida->toPlainText().startsWith(
                QStringLiteral("Sorrisa è un software studiato per gestire i pazienti di uno studio dentistico")));
            QVERIFY(help->txtGuida->isReadOnly());
            help->lnkWeb->clicked();
        });
        world->windows().frmAvvio()->imgGuida->click();
        QCOMPARE(Modal::takeOpened(), QStringList{"frmGuida"});
        QCOMPARE(TMisc::takeOpened(), QStringList{QLatin1Char('"') + world->folder() + "Guida.pdf\""});
        QVERIFY(Help::topic(Help::Overview).text.contains(QStringLiteral("ingressostudio")));
        QVERIFY(Help::topic(Help::Overview).text.contains(QStringLiteral(".\r\n\r\n")));
        QCOMPARE(Help::topic(Help::Clients).text.split(QStringLiteral("\r\n\r\n")).size(), 15);
    }

    void everyControlIsNamedForScreenReaders()
    {
        const QList<QWidget *> windows{login, world->windows().frmAvvio(), world->windows().frmCambiaPassword()};
        for (QWidget *window : windows) {
            for (QWidget *w : window->findChildren<QWidget *>()) {
                if (w->focusPolicy() == Qt::NoFocus || !w->isVisibleTo(window) || w->focusProxy())
                    continue;
                QVERIFY2(!w->objectName().isEmpty(), qPrintable(window->objectName()));
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            }
        }
    }
};

class TestFormats : public QObject
{
    Q_OBJECT
private slots:
    void parseDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("full") << "10/12/2026" << QDate(2026, 12, 10);
        QTest::newRow("short day and month") << "1/2/2026" << QDate(2026, 2, 1);
        QTest::newRow("blanks around") << " 05/03/2027 " << QDate(2027, 3, 5);
        QTest::newRow("29 February in a leap year") << "29/02/2028" << QDate(2028, 2, 29);
        QTest::newRow("29 February otherwise") << "29/02/2027" << QDate();
        QTest::newRow("month 13") << "01/13/2026" << QDate();
        QTest::newRow("dashes") << "10-12-2026" << QDate();
        QTest::newRow("two-digit year") << "10/12/26" << QDate();
        QTest::newRow("empty") << "" << QDate();
        QTest::newRow("letters") << "ab/cd/efgh" << QDate();
        QTest::newRow("extra part") << "10/12/2026/1" << QDate();
        QTest::newRow("year 0000") << "01/01/0000" << QDate();
        QTest::newRow("year 0001") << "01/01/0001" << QDate(1, 1, 1);
        QTest::newRow("day 00") << "00/12/2026" << QDate();
        QTest::newRow("31 April") << "31/04/2026" << QDate();
        QTest::newRow("1900 is no leap year") << "29/02/1900" << QDate();
        QTest::newRow("2000 is a leap year") << "29/02/2000" << QDate(2000, 2, 29);
        QTest::newRow("three-digit day") << "010/12/2026" << QDate();
        QTest::newRow("blank inside") << "10/ 12/2026" << QDate();
        QTest::newRow("ten characters, not a date") << "10/12/2O26" << QDate();
    }
    void parseDate()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(Formats::parseDate(text), date);
        // The scans' number reads the same dates from the bytes.
        const int number = date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0;
        QCOMPARE(Formats::dateNumber(text.toLatin1()), number);
        QCOMPARE(Formats::dateNumber(date), number);
    }
    // The number takes a short cut for "dd/mm/yyyy": it must accept exactly the dates the
    // calendar has, in every spelling parseDate reads.
    void dateNumberAgreesWithParseDate()
    {
        for (int year : {0, 1, 4, 100, 400, 1600, 1900, 1999, 2000, 2024, 2026, 2100, 9999})
            for (int month = 0; month <= 13; ++month)
                for (int day = 0; day <= 32; ++day)
                    for (const char *format : {"%02d/%02d/%04d", "%d/%d/%04d", " %02d/%02d/%04d", "%02d/%d/%04d"}) {
                        const QString text = QString::asprintf(format, day, month, year);
                        const QDate date = Formats::parseDate(text);
                        QCOMPARE(Formats::dateNumber(text.toLatin1()),
                                 date.isValid() ? date.year() * 10000 + date.month() * 100 + date.day() : 0);
                    }
    }

    void textsFollowTheProgramNotTheMachine()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Formats::apply();
        QCOMPARE(Formats::dateText(QDate(2026, 3, 5)), QStringLiteral("05/03/2026"));
        QCOMPARE(QLocale().toString(0.0, 'f', 2), QStringLiteral("0,00"));
        QCOMPARE(Formats::timeText(QTime(9, 5)), QStringLiteral("09:05"));
    }

    void shellUrls_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("url");
        QTest::newRow("web site") << "https://www.sorrisa.example"
                                  << "https://www.sorrisa.example";
        QTest::newRow("quoted path") << "\"/tmp/prog/Guida.pdf\""
                                     << "file:///tmp/prog/Guida.pdf";
        QTest::newRow("path with blanks") << "\"/tmp/my prog/Riepilogo.xls\""
                                          << "file:///tmp/my%20prog/Riepilogo.xls";
        QTest::newRow("quoted mailto") << "\"mailto:a@b.example?subject=Software Sorrisa&body=Salve, ciao:\""
                                       << "mailto:a@b.example?subject=Software%20Sorrisa&body=Salve,%20ciao:";
        QTest::newRow("whatsapp with line breaks")
            << QStringLiteral("https://web.whatsapp.com/send?phone=39333&text=Gentile Rossi,\r\nè confermato")
            << "https://web.whatsapp.com/send?phone=39333&text=Gentile%20Rossi,%0D%0A%C3%A8%20confermato";
    }
    void shellUrls()
    {
        QFETCH(QString, text);
        QFETCH(QString, url);
        QCOMPARE(TMisc::toUrl(text).toString(QUrl::FullyEncoded), url);
    }
};

class TestWidgets : public QObject
{
    Q_OBJECT
private slots:
    void enterPressesAFocusedTextButton()
    {
        QWidget window;
        QPushButton *button = Theme::textButton(QStringLiteral("btnImporta"), QStringLiteral("Importa"), &window);
        int pressed = 0;
        connect(button, &QPushButton::clicked, [&] { ++pressed; });
        window.show();
        QTest::keyClick(button, Qt::Key_Return);
        QTest::keyClick(button, Qt::Key_Enter);
        QCOMPARE(pressed, 2);
        button->setEnabled(false);
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(pressed, 2);
    }

    void hintStripEmptiesOnlyOverTheBackground()
    {
        QWidget window;
        window.resize(400, 300);
        auto *button =
            new PictureButton(QStringLiteral("cmdNuovo"), QStringLiteral("new"), QStringLiteral("Nuovo"), &window);
        button->setHint(QStringLiteral("Nuova scheda."));
        button->setGeometry(0, 0, 50, 50);
        auto *field = new QLineEdit(&window);
        field->setGeometry(60, 0, 100, 30);
        auto *value = new QLabel(&window); // a value shown later, such as a record position
        value->setGeometry(170, 0, 50, 30);
        QLabel *picture = Theme::picture(QStringLiteral("imgLogo"), QStringLiteral("logo"), 80, 40, &window);
        picture->move(0, 200);
        auto *strip = new HintStrip(QStringLiteral("panInfo"), QStringLiteral("Pronto."), &window);
        strip->setGeometry(0, 260, 400, 30);
        strip->watch(&window);
        window.show();
        const auto move = [](QWidget *w, QPoint at) {
            QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(w, &e);
        };
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QApplication::sendEvent(button, &enter);
        QCOMPARE(strip->text(), QStringLiteral("Nuova scheda."));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(button, &leave);
        move(&window, field->geometry().center()); // over the field
        move(&window, value->geometry().center()); // over the value label
        QCOMPARE(strip->text(), QStringLiteral("Nuova scheda."));
        move(picture, QPoint(5, 5));
        QCOMPARE(strip->text(), QString());
        strip->setText(QStringLiteral("x"));
        move(&window, QPoint(300, 150));
        QCOMPARE(strip->text(), QString());
    }

    void doubleClickBelowTheLinesIsReported()
    {
        FixedList list(QStringLiteral("lstRecords"), QStringLiteral("Elenco"));
        list.resize(300, 200);
        list.setLines({QStringLiteral("una riga")});
        list.show();
        int reported = 0;
        connect(&list, &FixedList::lineDoubleClicked, [&] { ++reported; });
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, QPoint(20, 150));
        QCOMPARE(reported, 1);
        QCOMPARE(list.selectedRow(), -1);
    }
};

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void qtSpeaksItalian()
    {
        QTemporaryDir folder;
        Startup::prepare(*qApp, folder.path());
        QCOMPARE(ProgramFolder::path(), folder.path() + QLatin1Char('/'));
        QTRY_COMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&S\u00EC"));
        QCOMPARE(Formats::dateText(QDate(2026, 1, 2)), QStringLiteral("02/01/2026"));
    }

    // The media player is a module beside the executable, loaded at the first sound: it must
    // be delivered with the program and give the three entry points the Sound seam looks up.
    void soundModuleBesideTheProgram()
    {
        QLibrary module(QStringLiteral(SORRISA_PROGRAM_DIR "/sorrisa_sound"));
        QVERIFY2(module.load(), qPrintable(module.errorString()));
        for (const char *entry : {"sorrisa_sound_play", "sorrisa_sound_stop", "sorrisa_sound_is_playing"})
            QVERIFY2(module.resolve(entry), entry);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int status = 0;
    {
        TestApp t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestFormats t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestWidgets t;
        status |= QTest::qExec(&t, argc, argv);
    }
    {
        TestStartup t;
        status |= QTest::qExec(&t, argc, argv);
    }
    return status;
}
#include "tst_app.moc"
