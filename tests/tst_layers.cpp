#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The guard of the layers (tools/check-layers.sh), run on a copy of src/ with one include
// planted in it: each hole it must close is refused, by file and line, and a copy with
// nothing planted passes.
class TestLayers : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString copy() const { return m_dir.filePath(QStringLiteral("src")); }

    // Runs the guard on the copy; its exit code, its output in lines.
    int check(QStringList &lines) const
    {
        QProcess guard;
        guard.setProcessChannelMode(QProcess::MergedChannels);
        guard.start(QStringLiteral("sh"), {QStringLiteral(SORRISA_SOURCE_DIR "/tools/check-layers.sh"), copy()});
        if (!guard.waitForFinished(60000))
            return -1;
        lines = QString::fromUtf8(guard.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return guard.exitStatus() == QProcess::NormalExit ? guard.exitCode() : -1;
    }

    // Puts a line into a file of the copy as its second line.
    static bool plant(const QString &path, const QByteArray &line)
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return false;
        QByteArray text = f.readAll();
        f.close();
        const qsizetype end = text.indexOf('\n') + 1;
        text.insert(end, line + '\n');
        return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
    }

private slots:
    void init()
    {
        // A fresh copy of src/ for each case.
        QDir(copy()).removeRecursively();
        const QDir from(QStringLiteral(SORRISA_SOURCE_DIR "/src"));
        QDirIterator it(from.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target = copy() + QLatin1Char('/') + from.relativeFilePath(source);
            QVERIFY(QDir().mkpath(QFileInfo(target).path()));
            QVERIFY(QFile::copy(source, target));
        }
    }

    void theTreeAsItIsPasses()
    {
        QStringList lines;
        QCOMPARE(check(lines), 0);
        QCOMPARE(lines, QStringList{QStringLiteral("layers: every include runs downwards")});
    }

    void plantedIncludeIsRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("include");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("climbing with .. to a folder above")
            << "chart/ChartRules.cpp" << QByteArray("#include \"../appointments/AgendaRules.h\"")
            << "include with \"..\": ../appointments/AgendaRules.h";
        QTest::newRow("a folder above in angle brackets")
            << "chart/ChartRules.h" << QByteArray("#include <export/ExportTable.h>")
            << "project header in angle brackets: <export/ExportTable.h>";
        QTest::newRow("a folder of its own layer, then ..")
            << "chart/ChartRules.cpp" << QByteArray("#include \"chart/../appointments/AgendaRules.h\"")
            << "include with \"..\": chart/../appointments/AgendaRules.h";
        QTest::newRow("a folder below in angle brackets")
            << "patients/PatientCard.cpp" << QByteArray("#include <storage/RecordFile.h>")
            << "project header in angle brackets: <storage/RecordFile.h>";
        QTest::newRow("a folder above") << "chart/TreatmentRegister.cpp"
                                        << QByteArray("#include \"export/ExportTable.h\"")
                                        << "runs upwards: export/ExportTable.h";
        QTest::newRow("a widgets header by its module, in a window-free file")
            << "base/Formats.cpp" << QByteArray("#include <QtWidgets/QWidget>")
            << "window-free file includes a windows header: <QtWidgets/QWidget>";
        QTest::newRow("a widgets class, in a core header of a folder with windows")
            << "print/Report.h" << QByteArray("#include <QWidget>")
            << "window-free file includes a windows header: <QWidget>";
        QTest::newRow("a GUI class, in a folder without windows")
            << "storage/RecordFile.cpp" << QByteArray("#include <QColor>")
            << "window-free file includes a windows header: <QColor>";
    }
    void plantedIncludeIsRefused()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, include);
        QFETCH(QString, refusal);
        QVERIFY(plant(copy() + QLatin1Char('/') + file, include));
        QStringList lines;
        QCOMPARE(check(lines), 1);
        QCOMPARE(lines, QStringList{QStringLiteral("src/%1:2: %2").arg(file, refusal)});
    }

    void aWindowsHeaderInAWindowFilePasses()
    {
        QVERIFY(plant(copy() + QStringLiteral("/print/ReportRenderer.cpp"), "#include <QLabel>"));
        QStringList lines;
        QCOMPARE(check(lines), 0);
    }

    void theOrderIsTheListOfLayers()
    {
        // The patient card includes the chart: with the two swapped in the list, that runs
        // upwards.
        QFile list(copy() + QStringLiteral("/layers.txt"));
        QVERIFY(list.open(QIODevice::ReadOnly));
        QByteArray text = list.readAll();
        list.close();
        QVERIFY(text.contains("\nchart core gui\npatients core gui\n"));
        text.replace("\nchart core gui\npatients core gui\n", "\npatients core gui\nchart core gui\n");
        QVERIFY(list.open(QIODevice::WriteOnly | QIODevice::Truncate));
        list.write(text);
        list.close();
        QStringList lines;
        QCOMPARE(check(lines), 1);
        QVERIFY(!lines.isEmpty());
        for (const QString &line : std::as_const(lines))
            QVERIFY2(line.startsWith(QLatin1String("src/patients/"))
                         && line.contains(QLatin1String(": runs upwards: chart/")),
                     qPrintable(line));
    }
};

QTEST_GUILESS_MAIN(TestLayers)
#include "tst_layers.moc"
