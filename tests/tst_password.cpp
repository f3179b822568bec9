#include "support/Faults.h"
#include "support/TestSupport.h"

#include "app/Crypt.h"
#include "app/PasswordStore.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/stat.h>

class TestPassword : public QObject
{
    Q_OBJECT

private slots:
    void scrambleKnownValues_data()
    {
        QTest::addColumn<QString>("clear");
        QTest::addColumn<QString>("hex");
        QTest::newRow("empty") << ""
                               << "";
        // Worked out by hand from the key's start value, multiplier and increment.
        QTest::newRow("one letter") << "A"
                                    << "4E";
        QTest::newRow("initial password") << "INGRESSOSTUDIO"
                                          << "46FF2311AEDABE9056B36D109B6C";
    }
    void scrambleKnownValues()
    {
        QFETCH(QString, clear);
        QFETCH(QString, hex);
        QCOMPARE(Crypt::ScrambleToHex(clear), hex);
        QCOMPARE(Crypt::UnscrambleFromHex(hex), clear);
        QCOMPARE(Crypt::UnscrambleFromHex(hex.toLower()), clear);
    }

    void roundTripOverAllByteValues()
    {
        QString all;
        for (int c = 0; c < 256; ++c)
            all.append(QChar(char16_t(c)));
        const QString hex = Crypt::ScrambleToHex(all);
        QCOMPARE(hex.size(), 512);
        QCOMPARE(hex, hex.toUpper());
        QCOMPARE(Crypt::UnscrambleFromHex(hex), all);
        // Every single character too, and in reverse order (the key depends on what came before).
        for (int c = 0; c < 256; ++c) {
            const QString one = QString(QChar(char16_t(c)));
            QCOMPARE(Crypt::UnscrambleFromHex(Crypt::ScrambleToHex(one)), one);
        }
        QString reversed = all;
        std::reverse(reversed.begin(), reversed.end());
        QCOMPARE(Crypt::UnscrambleFromHex(Crypt::ScrambleToHex(reversed)), reversed);
    }

    void oddDigitIsIgnored()
    {
        const QString hex = Crypt::ScrambleToHex(QStringLiteral("AB"));
        QCOMPARE(Crypt::UnscrambleFromHex(hex + QLatin1Char('7')), QStringLiteral("AB"));
    }

    void badHex_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::newRow("letter") << "4G";
        QTest::newRow("blank") << "4E 1";
        QTest::newRow("sign") << "+1";
        QTest::newRow("bad pair after good ones") << "46FF23ZZ";
    }
    void badHex()
    {
        QFETCH(QString, hex);
        QVERIFY_THROWS_EXCEPTION(Crypt::ConversionError, Crypt::UnscrambleFromHex(hex));
    }

    void normalForm_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("normal");
        QTest::newRow("lower") << "ingressostudio"
                               << "INGRESSOSTUDIO";
        QTest::newRow("mixed, blanks around") << "  InGresso \t"
                                              << "INGRESSO";
        QTest::newRow("accents untouched") << QStringLiteral("è È à") << QStringLiteral("è È à");
        QTest::newRow("digits and signs") << "ab12-!"
                                          << "AB12-!";
    }
    void normalForm()
    {
        QFETCH(QString, typed);
        QFETCH(QString, normal);
        QCOMPARE(PasswordStore::normalForm(typed), normal);
    }

    void iniRead_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << QByteArray("[Accesso]\r\nValore=4E\r\n") << "4E";
        QTest::newRow("case of names") << QByteArray("[ACCESSO]\nvalore = 4E\n") << "4E";
        QTest::newRow("other section first") << QByteArray("[Altro]\nValore=11\n[Accesso]\nValore=4E\n") << "4E";
        QTest::newRow("key in another section only") << QByteArray("[Altro]\nValore=11\n") << "";
        QTest::newRow("empty value") << QByteArray("[Accesso]\nValore=\n") << "";
        QTest::newRow("no file content") << QByteArray() << "";
        QTest::newRow("no final line break") << QByteArray("[Accesso]\nValore=4E") << "4E";
        // Saved by other editors.
        QTest::newRow("UTF-8 byte-order mark") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=4E\r\n") << "4E";
        QTest::newRow("carriage returns only") << QByteArray("[Altro]\rValore=11\r[Accesso]\rValore=4E\r") << "4E";
        QTest::newRow("mixed line ends") << QByteArray("[Altro]\r\nValore=11\n[Accesso]\rValore=4E") << "4E";
    }
    void iniRead()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, value);
        QCOMPARE(PasswordStore::iniValue(ini, QStringLiteral("Accesso"), QStringLiteral("Valore")), value);
    }

    void iniWriteKeepsOtherContent_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("replace") << QByteArray("; nota\r\n[Accesso]\r\nValore=11\r\nAltro=x\r\n[Fine]\r\nk=v\r\n")
                                 << QByteArray("; nota\r\n[Accesso]\r\nValore=4E\r\nAltro=x\r\n[Fine]\r\nk=v\r\n");
        QTest::newRow("replace, names in other case")
            << QByteArray("[accesso]\nVALORE=11\n") << QByteArray("[accesso]\nVALORE=4E\n");
        QTest::newRow("key added to its section")
            << QByteArray("[Accesso]\r\nAltro=x\r\n\r\n[Fine]\r\nk=v\r\n")
            << QByteArray("[Accesso]\r\nAltro=x\r\nValore=4E\r\n\r\n[Fine]\r\nk=v\r\n");
        QTest::newRow("section added") << QByteArray("[Fine]\r\nk=v")
                                       << QByteArray("[Fine]\r\nk=v\r\n[Accesso]\r\nValore=4E\r\n");
        QTest::newRow("new file") << QByteArray() << QByteArray("[Accesso]\r\nValore=4E\r\n");
        QTest::newRow("byte-order mark kept") << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=11\r\n")
                                              << QByteArray("\xEF\xBB\xBF[Accesso]\r\nValore=4E\r\n");
        QTest::newRow("carriage returns only kept")
            << QByteArray("[Accesso]\rValore=11\rAltro=x\r") << QByteArray("[Accesso]\rValore=4E\rAltro=x\r");
    }
    void iniWriteKeepsOtherContent()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QCOMPARE(PasswordStore::iniWithValue(before, QStringLiteral("Accesso"), QStringLiteral("Valore"),
                                             QStringLiteral("4E")),
                 after);
    }

    void storeReadsAndWrites()
    {
        TestWorld world;
        const QString path = world.file(PasswordStore::kFileName);
        QCOMPARE(PasswordStore::read(path), QString()); // missing file reads as empty
        PasswordStore::write(path, QStringLiteral("NUOVA È"));
        QCOMPARE(PasswordStore::read(path), QStringLiteral("NUOVA È"));
        QCOMPARE(world.read(PasswordStore::kFileName),
                 "[Accesso]\r\nValore=" + Crypt::ScrambleToHex(QStringLiteral("NUOVA È")).toLatin1() + "\r\n");
    }

    void damagedValueFailsToRead()
    {
        TestWorld world;
        world.write(PasswordStore::kFileName, "[Accesso]\r\nValore=4EXY\r\n");
        QVERIFY_THROWS_EXCEPTION(PasswordStore::Error, PasswordStore::read(world.file(PasswordStore::kFileName)));
    }

    // A file larger than any password file (something else put in its place) is refused as
    // unreadable, by a reading and by a change, without being read whole; one of the largest
    // size still reads.
    void oversizedFileIsUnreadable_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("readable");
        QTest::newRow("the largest size") << PasswordStore::kLargestFile << true;
        QTest::newRow("one byte more") << PasswordStore::kLargestFile + 1 << false;
        QTest::newRow("a megabyte") << qint64(1 << 20) << false;
    }
    void oversizedFileIsUnreadable()
    {
        QFETCH(qint64, size);
        QFETCH(bool, readable);
        TestWorld world;
        QByteArray ini = "[Accesso]\r\nValore=" + Crypt::ScrambleToHex(QStringLiteral("VECCHIA")).toLatin1() + "\r\n;";
        ini.append(QByteArray(size - ini.size(), 'x'));
        world.write(PasswordStore::kFileName, ini);
        const QString path = world.file(PasswordStore::kFileName);
        if (readable) {
            QCOMPARE(PasswordStore::read(path), QStringLiteral("VECCHIA"));
            return;
        }
        QVERIFY_THROWS_EXCEPTION(PasswordStore::Error, PasswordStore::read(path));
        QVERIFY_THROWS_EXCEPTION(PasswordStore::Error, PasswordStore::write(path, QStringLiteral("NUOVA")));
        QCOMPARE(world.read(PasswordStore::kFileName), ini);
    }

    // A named pipe in place of the file is refused as unreadable, without waiting for a writer
    // at its other end, by a reading and by a change.
    void namedPipeIsUnreadable()
    {
        TestWorld world;
        const QString path = world.file(PasswordStore::kFileName);
        QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        QVERIFY_THROWS_EXCEPTION(PasswordStore::Error, PasswordStore::read(path));
        QVERIFY_THROWS_EXCEPTION(PasswordStore::Error, PasswordStore::write(path, QStringLiteral("NUOVA")));
    }

    void failedWriteKeepsTheOldValue()
    {
        TestWorld world;
        world.writePassword(QStringLiteral("VECCHIA"));
        // A folder in place of the temporary file's directory cannot take the new file.
        QVERIFY_THROWS_EXCEPTION(
            PasswordStore::Error,
            PasswordStore::write(world.file(QStringLiteral("missing/unins000.dll")), QStringLiteral("NUOVA")));
        QCOMPARE(PasswordStore::read(world.file(PasswordStore::kFileName)), QStringLiteral("VECCHIA"));
    }

    // A full disk while the new file is written: the old file stays whole, byte for byte, and
    // nothing is left beside it.
    void fullDiskKeepsTheOldFile()
    {
        TestWorld world;
        world.writePassword(QStringLiteral("VECCHIA"));
        const QByteArray before = world.read(PasswordStore::kFileName);
        const QStringList entries = QDir(world.folder()).entryList(QDir::Files);
        {
            FileSizeLimit full(10);
            QVERIFY(full.ok());
            QVERIFY_THROWS_EXCEPTION(PasswordStore::Error, PasswordStore::write(world.file(PasswordStore::kFileName),
                                                                                QStringLiteral("NUOVA")));
        }
        QCOMPARE(world.read(PasswordStore::kFileName), before);
        QCOMPARE(QDir(world.folder()).entryList(QDir::Files), entries);
    }

    void deliveredFileHoldsTheInitialPassword()
    {
        QFile delivered(QStringLiteral(SORRISA_SOURCE_DIR "/resources/delivery/unins000.dll"));
        QVERIFY(delivered.open(QIODevice::ReadOnly));
        const QByteArray ini = delivered.readAll();
        QCOMPARE(
            Crypt::UnscrambleFromHex(PasswordStore::iniValue(ini, QStringLiteral("Accesso"), QStringLiteral("Valore"))),
            PasswordStore::normalForm(QStringLiteral("ingressostudio")));
    }
};

QTEST_GUILESS_MAIN(TestPassword)
#include "tst_password.moc"
