// The spreadsheet exports: the file writer, the export procedure with its questions, and the
// five export windows (patient archive, appointment archive, imminent, day and month).
#include "support/Faults.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "appointments/AgendaRules.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "export/ExportMembers.h"
#include "export/ExportProcedure.h"
#include "export/ExportTable.h"
#include "export/Spreadsheet.h"
#include "export/frmExport.h"
#include "patients/frmClients.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "ui/HintStrip.h"
#include "ui/PictureButton.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QTableView>
#include <QTest>

#include <unistd.h>

Q_DECLARE_METATYPE(Exports::Member)

namespace {

// ---- Fixtures ----

// An appointment card of these tests: its leading fields given in this order.
struct Card : AppointmentFixture
{
    Card(QString data, QString ora, QString avviso = QStringLiteral("0"), QString flag = kFlagNo,
         QString contatto = QStringLiteral("Rossi Mario"))
        : AppointmentFixture{.data = data,
                             .ore = ora.left(2),
                             .minuti = ora.mid(3),
                             .ora = ora,
                             .avviso = avviso,
                             .tipologia = QStringLiteral("Dott. Bruni"),
                             .causale = QStringLiteral("Igiene"),
                             .contatto = contatto,
                             .tel = QStringLiteral("051 234567"),
                             .cel = QStringLiteral("0347 1234567"),
                             .flag = flag}
    {}
};

// Today is 10/12/2026 in every test world.
const QList<Card> &appointmentArchive()
{
    static const QList<Card> cards = {
        {"10/12/2026", "15:30"},                              // 1 today, imminent
        {"05/11/2026", "10:00", "0", kFlagYes},               // 2 November, fulfilled
        {"10/12/2026", "09:00", "0", kFlagYes},               // 3 today, fulfilled
        {"20/12/2026", "08:00", "1"},                         // 4 ahead, lead time still to come
        {"10/12/2026", "12:00"},                              // 5 today, imminent
        {"31/02/2026", "10:00"},                              // 6 a date that does not exist
        {"01/12/2025", "11:00"},                              // 7 a year ago, still imminent
        {"11/12/2026", "09:00", "x"},                         // 8 a lead time that does not convert
        {"15/12/2026", "07:45", "5"},                         // 9 imminent from today
        {"01/12/2025", "11:00", "0", kFlagNo, "Bianchi Ada"}, // 10 the same key as 7
    };
    return cards;
}

void writeAppointments(const QList<Card> &cards) { writeAppointmentArchive({cards.begin(), cards.end()}); }

PatientFixture patient(const QString &name, const QString &city, const QString &notes)
{
    return {.name = name,
            .gender = QStringLiteral("F"),
            .birthDate = QStringLiteral("02/03/1980"),
            .city = city,
            .zip = QStringLiteral("40100"),
            .homePhone = QStringLiteral("051 000111"),
            .mobilePhone = QStringLiteral("0347 1234567"),
            .notes = notes,
            .teeth = {QStringLiteral("carie")}};
}

ExportTable table(int columns, const QList<QStringList> &rows)
{
    ExportTable t(columns);
    qint64 n = 0;
    for (const QStringList &r : rows)
        t.appendRow(++n, r);
    return t;
}

// The cells of a written file, row by row (header row first), decoded.
QList<QStringList> cellsOf(const QByteArray &file)
{
    QList<QStringList> rows;
    const QByteArray body = file.mid(file.indexOf("<table x:str>") + 13);
    qsizetype at = 0;
    while ((at = body.indexOf("<tr>", at)) >= 0) {
        const qsizetype end = body.indexOf("</tr>", at);
        QStringList cells;
        qsizetype c = at;
        while ((c = body.indexOf("<td", c)) >= 0 && c < end) {
            const qsizetype open = body.indexOf('>', c) + 1;
            const qsizetype close = body.indexOf("</td>", open);
            cells.append(AnsiText::fromAnsi(body.mid(open, close - open)));
            c = close;
        }
        rows.append(cells);
        at = end;
    }
    return rows;
}

TfrmExport *asExport(QWidget *w) { return qobject_cast<TfrmExport *>(w); }

// Runs a member's window; the driver sees it filled.
void runExport(Exports::Member member, const QDate &picked, const std::function<void(TfrmExport *)> &drive)
{
    Modal::queue([&](QWidget *w) { drive(asExport(w)); });
    Exports::open(nullptr, member, picked);
}

QString gridText(const TfrmExport *w, int row, int column)
{
    return w->grdRecords->model()->index(row, column).data().toString();
}

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void writerMatchesHandWrittenFile();
    void writerEmptyGridAndNoLineBreak();
    void procedureAnswers_data();
    void procedureAnswers();
    void procedureTargetHeldByADirectory();
    void procedureReadOnlyFolder();
    void selectionsAndOrders_data();
    void selectionsAndOrders();
    void missingArchive_data();
    void missingArchive();
    void unreadableArchiveIsNotExported_data();
    void unreadableArchiveIsNotExported();
    void patientArchiveExport();
    void typedTextIsExportedNotStored();
    void buttonsOpenTheirWindows_data();
    void buttonsOpenTheirWindows();
    void windowLook_data();
    void windowLook();
    void helpAndHints_data();
    void helpAndHints();
};

void TestExport::writerMatchesHandWrittenFile()
{
    const ExportTable rows = table(2, {{QStringLiteral("Perch\u00E9"), QStringLiteral("<3 mesi & poi > 6")},
                                       {QStringLiteral("0471 123"), QStringLiteral("\u20AC 5")}});
    const QByteArray written = Spreadsheet::document(
        QStringLiteral("Prova & <uno>"), {{QStringLiteral("Citt\u00E0"), 120}, {QStringLiteral("Note"), 80}}, rows);

    const QByteArray expected =
        "<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
        "xmlns=\"http://www.w3.org/TR/REC-html40\"><head>"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
        "<!--[if gte mso 9]><xml><x:ExcelWorkbook><x:ExcelWorksheets><x:ExcelWorksheet>"
        "<x:Name>Prova &amp; &lt;uno&gt;</x:Name>"
        "<x:WorksheetOptions><x:Selected/><x:Panes><x:Pane><x:Number>1</x:Number><x:ActiveRow>3</x:ActiveRow>"
        "</x:Pane></x:Panes><x:ProtectContents>False</x:ProtectContents><x:ProtectObjects>False</x:ProtectObjects>"
        "<x:ProtectScenarios>False</x:ProtectScenarios></x:WorksheetOptions></x:ExcelWorksheet></x:ExcelWorksheets>"
        "</x:ExcelWorkbook></xml><![endif]--></head><body><table x:str>"
        "<tr><td style=\"text-align: left; font-weight: bold;\" width=120>Citt\xE0</td>"
        "<td style=\"text-align: left; font-weight: bold;\" width=80>Note</td></tr>"
        "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">Perch\xE9</td>"
        "<td style=\"text-align: left;\" sdnum=\"1040;0;@\">&lt;3 mesi &amp; poi &gt; 6</td></tr>"
        "<tr><td style=\"text-align: left;\" sdnum=\"1040;0;@\">0471 123</td><td style=\"text-align: left;\" "
        "sdnum=\"1040;0;@\">\x80 5</td></tr>"
        "</table></body></html>";
    QCOMPARE(written, expected);
}

void TestExport::writerEmptyGridAndNoLineBreak()
{
    const QByteArray written =
        Spreadsheet::document(QStringLiteral("Vuoto"), {{QStringLiteral("Data"), 180}}, ExportTable(1));
    QVERIFY(written.startsWith("<html"));
    QVERIFY(written.endsWith("<table x:str><tr><td style=\"text-align: left; font-weight: bold;\" width=180>Data</td>"
                             "</tr></table></body></html>"));
    QVERIFY(!written.contains('\n') && !written.contains('\r'));
    QVERIFY(!written.startsWith("\xEF\xBB\xBF"));
}

void TestExport::procedureAnswers_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("opened");

    QTest::newRow("No to exporting writes nothing") << QList<bool>{false} << false << false;
    QTest::newRow("No to opening leaves the file, opens nothing") << QList<bool>{true, false} << true << false;
    QTest::newRow("Yes to both opens the file in quotes") << QList<bool>{true, true} << true << true;
}

void TestExport::procedureAnswers()
{
    QFETCH(QList<bool>, answers);
    QFETCH(bool, written);
    QFETCH(bool, opened);

    TestWorld world;
    const QString name = QStringLiteral("Prova.xls");
    world.write(name, "old export");
    const ExportTable rows = table(1, {{QStringLiteral("nuova riga")}});
    for (bool yes : answers)
        Messages::queueAnswer(yes);
    ExportProcedure::run(nullptr, name, QStringLiteral("Prova"), {{QStringLiteral("Note"), 80}}, rows);

    QStringList expectedBoxes = {kindName(Messages::Confirmation) + QStringLiteral(": ") + ExportProcedure::kAsk};
    if (written)
        expectedBoxes.append(kindName(Messages::Confirmation) + QStringLiteral(": ") + ExportProcedure::kDone);
    QCOMPARE(shownMessages(), expectedBoxes);
    QCOMPARE(world.read(name),
             written ? Spreadsheet::document(QStringLiteral("Prova"), {{QStringLiteral("Note"), 80}}, rows)
                     : QByteArray("old export"));
    QCOMPARE(TMisc::takeOpened(),
             opened ? QStringList{QLatin1Char('"') + world.file(name) + QLatin1Char('"')} : QStringList());
    // Nothing is left beside the file.
    QCOMPARE(QDir(world.folder()).entryList(QDir::Files), QStringList{name});
}

void TestExport::procedureTargetHeldByADirectory()
{
    // A file name that cannot be replaced (here a folder of that name holds it) fails as a
    // file held open does: the message, nothing opened, nothing left behind.
    TestWorld world;
    const QString name = QStringLiteral("Prova.xls");
    QVERIFY(QDir(world.folder()).mkdir(name));
    world.write(name + QStringLiteral("/dentro.txt"), "kept");
    ExportProcedure::run(nullptr, name, QStringLiteral("Prova"), {{QStringLiteral("Note"), 80}},
                         table(1, {{QStringLiteral("riga")}}));

    QCOMPARE(shownMessages(),
             (QStringList{kindName(Messages::Confirmation) + QStringLiteral(": ") + ExportProcedure::kAsk,
                          kindName(Messages::Plain) + QStringLiteral(": ") + ExportProcedure::kFailure}));
    QCOMPARE(ExportProcedure::kFailure,
             QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                            "Accertarsi che il file di Excel non sia gi\u00E0 aperto."));
    QVERIFY(TMisc::takeOpened().isEmpty());
    QCOMPARE(world.read(name + QStringLiteral("/dentro.txt")), QByteArray("kept"));
    QVERIFY(QDir(world.folder()).entryList(QDir::Files).isEmpty());
}

void TestExport::procedureReadOnlyFolder()
{
    TestWorld world;
    const QString name = QStringLiteral("Prova.xls");
    world.write(name, "old export");
    QFile::setPermissions(world.folder(), QFile::ReadOwner | QFile::ExeOwner);
    {
        WithoutOverride unprivileged; // read-only for root too
        ExportProcedure::run(nullptr, name, QStringLiteral("Prova"), {{QStringLiteral("Note"), 80}},
                             table(1, {{QStringLiteral("riga")}}));
    }
    QFile::setPermissions(world.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(shownMessages().value(1), kindName(Messages::Plain) + QStringLiteral(": ") + ExportProcedure::kFailure);
    QCOMPARE(world.read(name), QByteArray("old export"));
    QVERIFY(TMisc::takeOpened().isEmpty());
}

void TestExport::selectionsAndOrders_data()
{
    QTest::addColumn<Exports::Member>("member");
    QTest::addColumn<QDate>("picked");
    QTest::addColumn<QList<int>>("positions"); // the fixture cards, top to bottom
    QTest::addColumn<QList<int>>("numbers");   // "N." of each row

    using M = Exports::Member;
    QTest::newRow("archive: file order, N. the position")
        << M::Scadenzario << QDate() << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    QTest::newRow("day: 15:30, 09:00, 12:00 give N. 2, 3, 1")
        << M::Giornaliere << QDate(2026, 12, 10) << QList<int>{3, 5, 1} << QList<int>{2, 3, 1};
    QTest::newRow("day: equal keys in file order")
        << M::Giornaliere << QDate(2025, 12, 1) << QList<int>{7, 10} << QList<int>{1, 2};
    QTest::newRow("day with no card") << M::Giornaliere << QDate(2026, 12, 12) << QList<int>{} << QList<int>{};
    QTest::newRow("month, first day") << M::Mensili << QDate(2026, 12, 1) << QList<int>{3, 5, 1, 8, 9, 4}
                                      << QList<int>{2, 4, 1, 5, 6, 3};
    QTest::newRow("month, last day") << M::Mensili << QDate(2026, 12, 31) << QList<int>{3, 5, 1, 8, 9, 4}
                                     << QList<int>{2, 4, 1, 5, 6, 3};
    QTest::newRow("month of another year")
        << M::Mensili << QDate(2025, 12, 20) << QList<int>{7, 10} << QList<int>{1, 2};
    QTest::newRow("imminent: the agenda's cards and order")
        << M::Imminenti << QDate() << QList<int>{10, 7, 5, 1, 9} << QList<int>{5, 3, 2, 1, 4};
}

void TestExport::selectionsAndOrders()
{
    QFETCH(Exports::Member, member);
    QFETCH(QDate, picked);
    QFETCH(QList<int>, positions);
    QFETCH(QList<int>, numbers);

    TestWorld world;
    const QList<Card> &cards = appointmentArchive();
    writeAppointments(cards);
    const bool archive = member == Exports::Member::Scadenzario;

    QList<int> shownNumbers;
    QByteArray file;
    runExport(member, picked, [&](TfrmExport *w) {
        QAbstractItemModel *grid = w->grdRecords->model();
        QCOMPARE(grid->columnCount(), archive ? 14 : 15);
        QCOMPARE(grid->headerData(grid->columnCount() - 1, Qt::Horizontal).toString(),
                 archive ? QStringLiteral("Note") : QStringLiteral("Codice univoco"));
        QCOMPARE(grid->rowCount(), positions.size());
        for (int row = 0; row < grid->rowCount(); ++row) {
            const TAppointmentRecord r = appointmentRecord(cards[positions[row] - 1]);
            shownNumbers.append(gridText(w, row, 0).toInt());
            QCOMPARE(gridText(w, row, 1), r.Data.text());
            QCOMPARE(gridText(w, row, 2), r.Ora.text());
            QCOMPARE(gridText(w, row, 6), r.Contatto.text());
            if (!archive)
                QCOMPARE(gridText(w, row, 14), AgendaRules::sortKey(r));
        }
        w->cmdEsporta->click();
    });
    QCOMPARE(shownNumbers, numbers);

    if (member == Exports::Member::Imminenti) {
        QStringList lines;
        for (int p : positions)
            lines.append(AgendaRules::line(appointmentRecord(cards[p - 1])));
        QCOMPARE(lines, AgendaRules::imminentLines(QDate(2026, 12, 10)));
    }

    // The file holds the grid: header, then the rows without "N.".
    const QList<QStringList> written = cellsOf(world.read(Exports::description(member).fileName));
    QCOMPARE(written.size(), positions.size() + 1);
    QCOMPARE(written.first().size(), archive ? 13 : 14);
    QCOMPARE(written.first().first(), QStringLiteral("Data appuntamento"));
    for (int row = 0; row < positions.size(); ++row)
        QCOMPARE(written[row + 1].value(5), appointmentRecord(cards[positions[row] - 1]).Contatto.text());
    // The same archive exported again gives the same file.
    const QByteArray first = world.read(Exports::description(member).fileName);
    runExport(member, picked, [](TfrmExport *w) { w->cmdEsporta->click(); });
    QCOMPARE(world.read(Exports::description(member).fileName), first);
}

void TestExport::missingArchive_data()
{
    QTest::addColumn<Exports::Member>("member");
    QTest::addColumn<QString>("archive");
    QTest::newRow("patients") << Exports::Member::Clients << kPatientArchive;
    QTest::newRow("appointments") << Exports::Member::Scadenzario << kAppointmentArchive;
    QTest::newRow("imminent") << Exports::Member::Imminenti << kAppointmentArchive;
    QTest::newRow("day") << Exports::Member::Giornaliere << kAppointmentArchive;
    QTest::newRow("month") << Exports::Member::Mensili << kAppointmentArchive;
}

void TestExport::missingArchive()
{
    QFETCH(Exports::Member, member);
    QFETCH(QString, archive);
    TestWorld world;
    runExport(member, QDate(2026, 12, 10), [](TfrmExport *w) {
        QCOMPARE(w->grdRecords->model()->rowCount(), 0);
        w->cmdEsporta->click();
    });
    QVERIFY(QFile::exists(world.file(archive)));
    QCOMPARE(world.read(archive).size(), 0);
    QCOMPARE(cellsOf(world.read(Exports::description(member).fileName)).size(), 1);
}

void TestExport::unreadableArchiveIsNotExported_data() { missingArchive_data(); }

void TestExport::unreadableArchiveIsNotExported()
{
    // The grid of an archive that could not be read is not the archive: it is not exported,
    // and the last good export stays as it was.
    QFETCH(Exports::Member, member);
    QFETCH(QString, archive);
    TestWorld world;
    const QString fileName = Exports::description(member).fileName;
    world.write(fileName, "last good export");
    QVERIFY(QDir(world.folder()).mkdir(archive)); // a folder where the file should be
    runExport(member, QDate(2026, 12, 10), [](TfrmExport *w) {
        QCOMPARE(shownMessages(), QStringList{kindName(Messages::Error) + QStringLiteral(": ") + kArchiveFailure});
        w->cmdEsporta->click();
    });
    QCOMPARE(shownMessages(),
             QStringList{kindName(Messages::Warning) + QStringLiteral(": ") + ExportProcedure::kIncomplete});
    QCOMPARE(world.read(fileName), QByteArray("last good export"));
    QVERIFY(TMisc::takeOpened().isEmpty());
}

void TestExport::patientArchiveExport()
{
    TestWorld world;
    writePatientArchive(
        {patient(QStringLiteral("Rossi & figli"), QStringLiteral("Forl\u00EC"), QStringLiteral("<3 mesi")),
         patient(QStringLiteral("Verdi Anna"), QStringLiteral("Bologna"), {}),
         patient(QStringLiteral("Neri Ugo"), {}, QStringLiteral("ok"))});
    const QByteArray archiveBefore = world.read(kPatientArchive);

    Modal::queue([](QWidget *w) {
        QCOMPARE(w->objectName(), QStringLiteral("frmExpClients"));
        auto *e = asExport(w);
        QCOMPARE(e->grdRecords->model()->rowCount(), 3);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(gridText(e, row, 0), QString::number(row + 1));
        QCOMPARE(gridText(e, 0, 1), QStringLiteral("Rossi & figli"));
        QCOMPARE(gridText(e, 0, 6), QStringLiteral("Forl\u00EC"));
        e->cmdEsporta->click();
    });
    world.windows().frmClients()->cmdExport->click();

    const QByteArray file = world.read(QStringLiteral("Riepilogo_Pazienti.xls"));
    QVERIFY(file.contains("<x:Name>Riepilogo Pazienti</x:Name>"));
    QVERIFY(file.contains("width=250>Citt\xE0</td>"));
    QVERIFY(file.contains(">Rossi &amp; figli</td>"));
    QVERIFY(file.contains(">&lt;3 mesi</td>"));
    QVERIFY(file.contains(">Forl\xEC</td>"));
    QVERIFY(!file.contains("40100")); // the postal code is not exported, nor are the teeth
    QVERIFY(!file.contains("carie"));
    const QList<QStringList> cells = cellsOf(file);
    QCOMPARE(cells.size(), 4);
    for (const QStringList &row : cells)
        QCOMPARE(row.size(), 25);
    QCOMPARE(cells[0].first(), QStringLiteral("Paziente"));
    QCOMPARE(cells[0].last(), QStringLiteral("Note"));
    QCOMPARE(cells[2].value(11), QStringLiteral("051 000111")); // leading zero kept, as text
    QCOMPARE(world.read(kPatientArchive), archiveBefore);
}

void TestExport::typedTextIsExportedNotStored()
{
    TestWorld world;
    writeAppointments(appointmentArchive());
    const QByteArray archiveBefore = world.read(kAppointmentArchive);
    runExport(Exports::Member::Scadenzario, {}, [](TfrmExport *w) {
        QAbstractItemModel *grid = w->grdRecords->model();
        QVERIFY(grid->setData(grid->index(0, 5), QStringLiteral("  Portare le lastre  "))); // "Dettagli"
        QVERIFY(!grid->setData(grid->index(0, 1), QStringLiteral("01/01/2000")));           // the date is read-only
        QCOMPARE(gridText(w, 0, 5), QStringLiteral("Portare le lastre"));
        w->cmdEsporta->click();
    });
    const QList<QStringList> cells = cellsOf(world.read(QStringLiteral("Riepilogo_Appuntamenti.xls")));
    QCOMPARE(cells[1].value(4), QStringLiteral("Portare le lastre"));
    QCOMPARE(cells[1].value(0), QStringLiteral("10/12/2026"));
    QCOMPARE(world.read(kAppointmentArchive), archiveBefore);
}

void TestExport::buttonsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("rows");
    QTest::newRow("patient card cmdExport") << "cmdExport"
                                            << "frmExpClients" << 0;
    QTest::newRow("appointment card cmdEsporta") << "cmdEsporta"
                                                 << "frmExpScadenzario" << 10;
    QTest::newRow("agenda btnExcel") << "btnExcel"
                                     << "frmExpImminenti" << 5;
    QTest::newRow("agenda btnGiorno: the picked day") << "btnGiorno"
                                                      << "frmExpGiornaliere" << 1;
    QTest::newRow("agenda btnMese: the picked month") << "btnMese"
                                                      << "frmExpMensili" << 1;
}

void TestExport::buttonsOpenTheirWindows()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(int, rows);

    TestWorld world;
    writeAppointments(appointmentArchive());
    QWidget *opener = button == QLatin1String("cmdExport") ? static_cast<QWidget *>(world.windows().frmClients())
                      : button == QLatin1String("cmdEsporta")
                          ? static_cast<QWidget *>(world.windows().frmArchivio_Scadenze())
                          : static_cast<QWidget *>(world.windows().frmAgenda());
    if (auto *agenda = qobject_cast<TfrmAgenda *>(opener))
        agenda->calAppuntamenti->setSelectedDate(QDate(2026, 11, 5)); // one card that day, one that month
    int shown = -1;
    Modal::queue([&](QWidget *w) { shown = asExport(w)->grdRecords->model()->rowCount(); });
    control<PictureButton>(opener, button.toLatin1().constData())->click();
    QCOMPARE(Modal::takeOpened(), QStringList{window});
    QCOMPARE(shown, rows);
}

void TestExport::windowLook_data()
{
    QTest::addColumn<Exports::Member>("member");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QList<int>>("widths");
    QTest::addColumn<QString>("info");

    const QString appointmentInfo = QStringLiteral("Esportazione archivio in Microsoft Excel.");
    const QList<int> appointments = {60, 140, 100, 200, 300, 300, 250, 150, 150, 200, 250, 180, 150, 300, 150};
    QTest::newRow("patients") << Exports::Member::Clients << " Esportazione archivio pazienti in Excel"
                              << QList<int>{60,  250, 90,  120, 200, 250, 200, 200, 200, 200, 200, 200, 200,
                                            200, 250, 300, 300, 300, 300, 300, 300, 300, 300, 300, 300, 350}
                              << "Export database to Excel.";
    QTest::newRow("appointments") << Exports::Member::Scadenzario << " Esportazione archivio appuntamenti"
                                  << (QList<int>{60, 130} + appointments.mid(2, 12)) << appointmentInfo;
    QTest::newRow("imminent") << Exports::Member::Imminenti << " Appuntamenti imminenti" << appointments
                              << appointmentInfo;
    QTest::newRow("day") << Exports::Member::Giornaliere << " Appuntamenti del giorno" << appointments
                         << appointmentInfo;
    QTest::newRow("month") << Exports::Member::Mensili << " Appuntamenti del mese" << appointments << appointmentInfo;
}

void TestExport::windowLook()
{
    QFETCH(Exports::Member, member);
    QFETCH(QString, caption);
    QFETCH(QList<int>, widths);
    QFETCH(QString, info);

    TestWorld world;
    writeAppointments(appointmentArchive());
    runExport(member, QDate(2026, 12, 10), [&](TfrmExport *w) {
        QCOMPARE(w->windowTitle(), caption);
        QCOMPARE(w->panInfo->text(), info);
        QList<int> shown;
        for (int c = 0; c < w->grdRecords->model()->columnCount(); ++c)
            shown.append(w->grdRecords->columnWidth(c));
        QCOMPARE(shown, widths);
        QCOMPARE(w->grdRecords->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("N."));
        QVERIFY(w->grdRecords->alternatingRowColors());
        QCOMPARE(w->grdRecords->verticalHeader()->defaultSectionSize(), 21);
        QCOMPARE(w->panContainer->size(), QSize(837, 533));
        // The spreadsheet's titles are the grid's headers, "N." aside.
        const QList<Spreadsheet::Column> file = w->description().fileColumns();
        QCOMPARE(file.size(), widths.size() - 1);
        for (int c = 0; c < file.size(); ++c)
            QCOMPARE(file[c].title, w->grdRecords->model()->headerData(c + 1, Qt::Horizontal).toString());
    });
}

void TestExport::helpAndHints_data()
{
    QTest::addColumn<Exports::Member>("member");
    QTest::addColumn<QString>("topic");
    QTest::newRow("patients") << Exports::Member::Clients << "Esportazione archivio pazienti in Excel";
    QTest::newRow("appointments") << Exports::Member::Scadenzario << "Esportazione archivio appuntamenti in Excel";
    QTest::newRow("imminent") << Exports::Member::Imminenti << "Visualizzazione appuntamenti";
    QTest::newRow("day") << Exports::Member::Giornaliere << "Visualizzazione appuntamenti";
    QTest::newRow("month") << Exports::Member::Mensili << "Visualizzazione appuntamenti";
}

void TestExport::helpAndHints()
{
    QFETCH(Exports::Member, member);
    QFETCH(QString, topic);

    TestWorld world;
    QString title;
    bool closed = false;
    runExport(member, QDate(2026, 12, 10), [&](TfrmExport *w) {
        const QList<std::pair<PictureButton *, QString>> hints = {
            {w->cmdEsporta, QStringLiteral("Esporta l'archivio in formato Microsoft Excel.")},
            {w->cmdGuida, QStringLiteral("Visualizza la pagina della guida sensibile al contesto.")},
            {w->cmdEsci, QStringLiteral("Esci da questo ambiente di lavoro.")}};
        for (const auto &[button, hint] : hints) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(button, &enter);
            QCOMPARE(w->panInfo->text(), hint);
        }
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->grdRecords->viewport()->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w->grdRecords->viewport(), &move);
        QVERIFY(w->panInfo->text().isEmpty());

        Modal::queue([&](QWidget *help) { title = control<QLabel>(help, "lblTitolo")->text(); });
        w->cmdGuida->click();
        w->cmdEsci->click();
        closed = !w->isVisible();
    });
    QCOMPARE(title, topic);
    QVERIFY(closed);
    QCOMPARE(Modal::takeOpened().value(1), QStringLiteral("frmGuida"));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
