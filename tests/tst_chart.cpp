// The dental chart (window, scheme markers, document, print and preview), the treatment
// register (lines, total, file, window) and the two patient card buttons that open them.
#include "support/ListScreen.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "app/Windows.h"
#include "app/frmAvvio.h"
#include "chart/ChartRules.h"
#include "chart/Odontogram.h"
#include "chart/frmStoriaDente.h"
#include "chart/TreatmentRegister.h"
#include "chart/frmAllegaExcel.h"
#include "chart/frmDentalCondition.h"
#include "patients/frmClients.h"
#include "platform/Clock.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "print/ChartDocument.h"
#include "print/ReportRenderer.h"
#include "storage/OdontogramRecord.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"
#include "ui/FixedList.h"
#include "ui/PictureButton.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTest>

using namespace Report;

namespace {

const QString kName = QStringLiteral("Rossi Mario");

QStringList emptyTeeth() { return QStringList(32, QString()); }

QString textOf(const Page &page, const QString &name)
{
    const TextBox *box = page.text(name);
    return box ? box->lines.join(QLatin1Char('\n')) : QStringLiteral("<no %1>").arg(name);
}

QList<Page> onlyPages(const QList<Printer::Document> &documents)
{
    if (documents.size() != 1) {
        qWarning("expected one document, got %d", int(documents.size()));
        return {};
    }
    const auto job = std::dynamic_pointer_cast<const Job>(documents.first());
    return job ? job->pages() : QList<Page>();
}

bool press(QWidget *window, const char *button)
{
    auto *b = window->findChild<QPushButton *>(QString::fromLatin1(button));
    if (!b)
        return false;
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

TTreatmentRecord treatment(const QString &data, const QString &ora, const QString &trattamenti, const QString &dentista,
                           const QString &importo)
{
    TTreatmentRecord r{};
    r.Data.setText(data);
    r.Ora.setText(ora);
    r.Trattamenti.setText(trattamenti);
    r.Dentista.setText(dentista);
    r.Importo.setText(importo);
    return r;
}

TTreatmentRecord withAmount(const QString &importo)
{
    return treatment(QStringLiteral("03/04/2024"), QStringLiteral("09:30"), QStringLiteral("Pulizia"),
                     QStringLiteral("Rossi"), importo);
}

// The patient card as the user reaches it, showing a saved card at position 7.
TfrmClients *savedCard(TestWorld &world, const QString &name = kName)
{
    world.windows();
    world.windows().frmAvvio()->show();
    world.windows().frmAvvio()->imgApp01Click();
    TfrmClients *w = world.windows().frmClients();
    QApplication::setActiveWindow(w);
    w->txtName->setText(name);
    w->setPosition(7);
    return w;
}

QString toothField(int tooth) { return QStringLiteral("txtDente") + ChartRules::suffix(tooth); }

// The chart opened modally without an odontogram: the 32 texts applied, or nothing.
std::optional<QStringList> appliedTexts(const QString &name, const QStringList &teeth)
{
    const auto applied = TfrmDentalCondition::edit(nullptr, name, teeth, QString(), {});
    return applied ? std::optional(applied->teeth) : std::nullopt;
}

int toothOf(const TfrmDentalCondition &w, const QWidget *field)
{
    for (int tooth = 1; tooth <= 32; ++tooth)
        if (w.txtDente(tooth) == field)
            return tooth;
    return 0;
}

} // namespace

class TestChart : public QObject
{
    Q_OBJECT
private slots:
    void toothTable_data();
    void toothTable();
    void enterVisitsEveryToothOnce();
    void schemeDrawsEveryToothUnderItsMarker();
    void markerFollowsTheText_data();
    void markerFollowsTheText();
    void openingTrimsAndFocusesTooth11();
    void applyVersusCloseBox();
    void escapeKeepsTypedWork();
    void previewAndPrintUseTheTextsNowInTheWindow_data();
    void previewAndPrintUseTheTextsNowInTheWindow();
    void chartDocumentPage();
    void chartDocumentPrefixes_data();
    void chartDocumentPrefixes();
    void chartLongTextIsCutAtItsBox();
    void chartPrintsOneA4PortraitPdfPage();

    void treatmentLine_data();
    void treatmentLine();
    void total_data();
    void total();
    void amountThatIsNoNumberCountsAsZero();
    void treatmentRecordBytes();

    void registerCreatesTheFileAndListsIt();
    void addSaveTwiceModifySave();
    void twoCopiesCorrectOneTreatment_data();
    void twoCopiesCorrectOneTreatment();
    void twoCopiesAddTreatmentsBothKept();
    void modifyLoadsTheSelectedLineOwnRecord();
    void modifyRefusals();
    void requiredFieldsInOrder_data();
    void requiredFieldsInOrder();
    void amountTypingAndNormalisation();
    void importArrows();
    void findInTheList();
    void scrolledRegisterShowsItsLines_data();
    void scrolledRegisterShowsItsLines();
    void printRiepilogo();
    void unusableFileIsReportedAndSaveWarns();

    void patientCardChecks_data();
    void patientCardChecks();
    void chartEditsTheCardTeeth();
    void appliedNotesStayAsTypedUntilTheCardIsSaved();

    void odontogramPlan_data();
    void odontogramPlan();
    void odontogramNames_data();
    void odontogramNames();
    void odontogramSurfacesLieOnTheirSides_data();
    void odontogramSurfacesLieOnTheirSides();
    void odontogramNeighbours();
    void deciduousSchemeDrawsEveryToothAtItsPlace();
    void odontogramRecordBytes();
    void odontogramFileSkipsDamagedRecords();
    void odontogramChangesBeforeTheSave();
    void odontogramPanelDrawsAndNamesTheTooth();
    void odontogramKeyboardOnly();
    void odontogramDeciduousTeeth();
    void odontogramCloseBoxApplyAndSave();
    void odontogramNewAndDuplicatedCards();
    void odontogramChangesNotWrittenStayForTheNextSave();
    void odontogramUnreadableFile();
    void odontogramPrintedPage();
    void chartFitsASmallScreen();
    void tabLandsOnTheChosenChoice();
    void surfacesAsDentistsWriteThem_data();
    void surfacesAsDentistsWriteThem();
    void chosenRingLeavesTheNumberInSight();
    void historyInDateOrder();
    void findingsAndWork_data();
    void findingsAndWork();
    void planListInToothOrder();
};

// ---- Dental chart window -----------------------------------------------------------------

void TestChart::toothTable_data()
{
    QTest::addColumn<int>("tooth");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QPoint>("field");
    QTest::addColumn<int>("next");
    QTest::addColumn<QPoint>("marker");

    struct Row
    {
        int tooth, fdi, x, y, next, mx, my;
    };
    // Left column x 40, right 358; upper rows from y 78, lower from y 302, 24 apart.
    const Row rows[] = {
        {1, 18, 40, 246, 9, 34, 196},     {2, 17, 40, 222, 1, 38, 160},     {3, 16, 40, 198, 2, 44, 130},
        {4, 15, 40, 174, 3, 54, 104},     {5, 14, 40, 150, 4, 62, 79},      {6, 13, 40, 126, 5, 76, 58},
        {7, 12, 40, 102, 6, 92, 38},      {8, 11, 40, 78, 7, 114, 28},      {9, 21, 358, 78, 10, 147, 28},
        {10, 22, 358, 102, 11, 168, 35},  {11, 23, 358, 126, 12, 186, 54},  {12, 24, 358, 150, 13, 196, 78},
        {13, 25, 358, 174, 14, 204, 102}, {14, 26, 358, 198, 15, 212, 128}, {15, 27, 358, 222, 16, 218, 158},
        {16, 28, 358, 246, 32, 226, 190}, {17, 38, 358, 302, 18, 226, 270}, {18, 37, 358, 326, 19, 220, 302},
        {19, 36, 358, 350, 20, 212, 334}, {20, 35, 358, 374, 21, 206, 365}, {21, 34, 358, 398, 22, 194, 386},
        {22, 33, 358, 422, 23, 184, 405}, {23, 32, 358, 446, 24, 166, 422}, {24, 31, 358, 470, 8, 145, 426},
        {25, 41, 40, 470, 17, 121, 428},  {26, 42, 40, 446, 25, 101, 420},  {27, 43, 40, 422, 26, 81, 405},
        {28, 44, 40, 398, 27, 73, 386},   {29, 45, 40, 374, 28, 57, 365},   {30, 46, 40, 350, 29, 46, 338},
        {31, 47, 40, 326, 30, 38, 306},   {32, 48, 40, 302, 31, 36, 272},
    };
    for (const Row &r : rows)
        QTest::addRow("tooth %02d (%d)", r.tooth, r.fdi)
            << r.tooth << QString::number(r.fdi) + QLatin1Char('.') << QPoint(r.x, r.y) << r.next << QPoint(r.mx, r.my);
}

void TestChart::toothTable()
{
    QFETCH(int, tooth);
    QFETCH(QString, label);
    QFETCH(QPoint, field);
    QFETCH(int, next);
    QFETCH(QPoint, marker);

    TestWorld world;
    TfrmDentalCondition w(kName, emptyTeeth(), QString(), {});
    w.show();
    const QString n = ChartRules::suffix(tooth);
    auto *edit = control<QLineEdit>(&w, qPrintable(QStringLiteral("txtDente") + n));
    QVERIFY(edit);
    QCOMPARE(edit, w.txtDente(tooth));
    QCOMPARE(edit->geometry(), QRect(field, QSize(270, 22)));
    QCOMPARE(edit->maxLength(), 32767); // no limit of its own
    auto *fdi = control<QLabel>(&w, qPrintable(QStringLiteral("lblDente") + n));
    QCOMPARE(fdi->text(), label);
    QCOMPARE(fdi->x(), field.x() - 26);
    QCOMPARE(edit->accessibleName(), QStringLiteral("Dente ") + label.chopped(1));

    auto *ico = control<QLabel>(&w, qPrintable(QStringLiteral("icoWarn") + n));
    QCOMPARE(ico->parentWidget(), w.imgSchemaDentale);
    // A small badge beside the tooth (drawn where the marker was): it covers neither the
    // tooth nor its number.
    const int fdiNumber = ChartRules::tooth(tooth).fdi;
    QCOMPARE(ico->size(), QSize(11, 11));
    const QPointF centre = QPointF(marker) + QPointF(8.5, 8.5);
    QCOMPARE(Odontogram::place(fdiNumber).centre, centre);
    const QRectF badge(ico->geometry());
    Odontogram::Mark all{fdiNumber, Odontogram::Symbol::Surfaces, 0xff0000ffu, Odontogram::Surfaces::fromInt(31)};
    for (const Report::Shape &shape : Odontogram::shapes(all))
        for (const QPointF &corner : shape.points)
            QVERIFY2(!badge.contains(corner), qPrintable(label));
    QVERIFY(!badge.contains(Odontogram::place(fdiNumber).label));
    QVERIFY(QLineF(badge.center(), Odontogram::place(fdiNumber).label).length() > 12);

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.focusWidget(), w.txtDente(next));
}

void TestChart::enterVisitsEveryToothOnce()
{
    TestWorld world;
    TfrmDentalCondition w(kName, emptyTeeth(), QString(), {});
    w.show();
    QCOMPARE(w.focusWidget(), w.txtDente(8));
    QList<int> visited;
    for (int i = 0; i < 32; ++i) {
        visited.append(toothOf(w, w.focusWidget()));
        QTest::keyClick(w.focusWidget(), i % 2 ? Qt::Key_Enter : Qt::Key_Return);
    }
    QCOMPARE(w.focusWidget(), w.txtDente(8)); // back to 11 after 32 presses
    QList<int> fdi;
    for (int tooth : visited)
        fdi.append(tooth ? ChartRules::tooth(tooth).fdi : 0);
    QCOMPARE(fdi, (QList<int>{11, 12, 13, 14, 15, 16, 17, 18, 21, 22, 23, 24, 25, 26, 27, 28,
                              48, 47, 46, 45, 44, 43, 42, 41, 38, 37, 36, 35, 34, 33, 32, 31}));
    // Tab follows the same order, then the buttons.
    w.txtDente(24)->setFocus();
    QTest::keyClick(w.txtDente(24), Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), w.btnPrint);
    QTest::keyClick(w.btnPrint, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), w.btnPreview);
    QTest::keyClick(w.btnPreview, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), w.btnClose);
}

void TestChart::schemeDrawsEveryToothUnderItsMarker()
{
    QFile file(QStringLiteral(":/icons/dental-scheme.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    QVERIFY(svg.contains(QStringLiteral("width=\"278\" height=\"472\"")));
    // Each tooth is drawn centred on its marker, and its FDI number is written once.
    QSet<QString> centres;
    const QRegularExpression translate(QStringLiteral("translate\\(([0-9.]+) ([0-9.]+)\\)"));
    for (auto it = translate.globalMatch(svg); it.hasNext();) {
        const auto m = it.next();
        centres.insert(QStringLiteral("%1,%2").arg(m.captured(1).toDouble()).arg(m.captured(2).toDouble()));
    }
    QCOMPARE(centres.size(), 32);
    for (int tooth = 1; tooth <= 32; ++tooth) {
        const QPoint mark = ChartRules::tooth(tooth).mark;
        QVERIFY2(centres.contains(QStringLiteral("%1,%2").arg(mark.x() + 8.5).arg(mark.y() + 8.5)),
                 qPrintable(ChartRules::fdiLabel(tooth)));
        const QString number = QStringLiteral(">%1</text>").arg(ChartRules::tooth(tooth).fdi);
        QCOMPARE(svg.count(number), 1);
    }
    QVERIFY(svg.contains(QStringLiteral(">SUPERIORE</text>")));
    QVERIFY(svg.contains(QStringLiteral(">INFERIORE</text>")));
}

void TestChart::markerFollowsTheText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("shown");
    QTest::newRow("a word") << "carie" << true;
    QTest::newRow("a word among blanks") << "  x  " << true;
    QTest::newRow("blanks only") << "   " << false;
}

void TestChart::markerFollowsTheText()
{
    QFETCH(QString, typed);
    QFETCH(bool, shown);

    TestWorld world;
    TfrmDentalCondition w(kName, emptyTeeth(), QString(), {});
    w.show();
    for (int tooth = 1; tooth <= 32; ++tooth) {
        QLineEdit *edit = w.txtDente(tooth);
        edit->setFocus();
        QTest::keyClicks(edit, typed);
        QCOMPARE(w.icoWarn(tooth)->isVisible(), shown);
        // Deleting the text hides the marker at once, without leaving the field.
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QVERIFY(!w.icoWarn(tooth)->isVisible());
        QCOMPARE(w.focusWidget(), edit);
        QTest::keyClicks(edit, typed);
    }
    for (int tooth = 1; tooth <= 32; ++tooth)
        QCOMPARE(w.icoWarn(tooth)->isVisible(), shown);
}

void TestChart::openingTrimsAndFocusesTooth11()
{
    TestWorld world;
    QStringList teeth = emptyTeeth();
    teeth[0] = QStringLiteral("  estratto ");
    teeth[16] = QStringLiteral("corona  in ceramica ");
    teeth[31] = QStringLiteral("   ");
    TfrmDentalCondition w(QStringLiteral("  Rossi Mario "), teeth, QString(), {});
    QCOMPARE(w.lblTitolo->text(), QStringLiteral("Stato dentale del paziente"));
    QCOMPARE(w.windowTitle(), QStringLiteral(" Stato dentale del paziente"));
    QCOMPARE(w.size(), QSize(996, 644)); // the notes and the odontogram as two pages: fits 1024 x 768
    w.show();

    QCOMPARE(w.lblTitolo->text(), QStringLiteral("Stato dentale di Rossi Mario"));
    QCOMPARE(w.txtDente(1)->text(), QStringLiteral("estratto"));
    QCOMPARE(w.txtDente(17)->text(), QStringLiteral("corona  in ceramica"));
    QCOMPARE(w.txtDente(32)->text(), QString());
    QList<int> marked;
    for (int tooth = 1; tooth <= 32; ++tooth)
        if (w.icoWarn(tooth)->isVisible())
            marked.append(tooth);
    QCOMPARE(marked, (QList<int>{1, 17}));
    QCOMPARE(w.focusWidget(), w.txtDente(8));
    QCOMPARE(w.imgSchemaDentale->geometry(), QRect(652, 56, 278, 472));
    QCOMPARE(w.btnClose->text(), QStringLiteral("Applica e chiudi"));
    QCOMPARE(w.btnClose->accessibleName(), QStringLiteral("Applica e chiudi"));
}

void TestChart::applyVersusCloseBox()
{
    TestWorld world;
    QStringList teeth = emptyTeeth();
    teeth[4] = QStringLiteral("otturazione");
    const QString longText = QStringLiteral("x").repeated(300);

    // "Applica e chiudi": the 32 texts trimmed, a long one whole.
    Modal::queue([&](QWidget *window) {
        auto *w = qobject_cast<TfrmDentalCondition *>(window);
        w->txtDente(1)->setText(QStringLiteral("  granuloma  "));
        w->txtDente(5)->setText(QStringLiteral("   "));
        w->txtDente(32)->setText(longText);
        press(w, "btnClose");
    });
    const std::optional<QStringList> applied = appliedTexts(kName, teeth);
    QVERIFY(applied.has_value());
    QCOMPARE(applied->size(), 32);
    QCOMPARE(applied->at(0), QStringLiteral("granuloma"));
    QCOMPARE(applied->at(4), QString());
    QCOMPARE(applied->at(31), longText);

    // The close box applies nothing.
    Modal::queue([&](QWidget *window) {
        qobject_cast<TfrmDentalCondition *>(window)->txtDente(1)->setText(QStringLiteral("perso"));
        window->close();
    });
    QVERIFY(!appliedTexts(kName, teeth).has_value());
    QCOMPARE(Modal::takeOpened(),
             (QStringList{QStringLiteral("frmDentalCondition"), QStringLiteral("frmDentalCondition")}));
}

// Escape is no way out of either window: what was typed stays, and the window stays open.
void TestChart::escapeKeepsTypedWork()
{
    TestWorld world;
    TfrmDentalCondition chart(kName, emptyTeeth(), QString(), {});
    chart.show();
    QTest::keyClicks(chart.txtDente(8), QStringLiteral("carie"));
    QTest::keyClick(chart.txtDente(8), Qt::Key_Escape);
    QVERIFY(chart.isVisible());
    QCOMPARE(chart.txtDente(8)->text(), QStringLiteral("carie"));

    TfrmAllegaExcel treatments(kName, QStringLiteral("3"));
    treatments.show();
    QTest::keyClick(treatments.txtTrova, Qt::Key_Escape);
    QVERIFY(treatments.isVisible());
    press(&treatments, "btnAggiungi");
    QTest::keyClicks(treatments.txtTrattamenti, QStringLiteral("Pulizia"));
    QTest::keyClick(treatments.txtTrattamenti, Qt::Key_Escape);
    QVERIFY(treatments.isVisible());
    QVERIFY(treatments.panCosti->isVisible());
    QCOMPARE(treatments.txtTrattamenti->text(), QStringLiteral("Pulizia"));
    QVERIFY(shownMessages().isEmpty());
}

void TestChart::previewAndPrintUseTheTextsNowInTheWindow_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("Anteprima") << true;
    QTest::newRow("Stampa") << false;
}

void TestChart::previewAndPrintUseTheTextsNowInTheWindow()
{
    QFETCH(bool, preview);
    TestWorld world(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    QStringList teeth = emptyTeeth();
    teeth[7] = QStringLiteral("sano");
    TfrmDentalCondition w(kName, teeth, QString(), {});
    w.show();
    w.txtDente(1)->setText(QStringLiteral(" non ancora applicato "));

    QString caption, action;
    Modal::queue([&](QWidget *dialog) {
        caption = dialog->windowTitle();
        action = control<QPushButton>(dialog, "btnStampa")->text();
        QCOMPARE(dialog->size(), QSize(364, 287));
        press(dialog, "btnStampa");
    });
    press(&w, preview ? "btnPreview" : "btnPrint");

    const QString dialog =
        preview ? QStringLiteral("frmAnteprimaDentale") : QStringLiteral("frmPrint_Dental_Condition");
    const QStringList opened = preview ? QStringList{dialog, QStringLiteral("frmAnteprima")} : QStringList{dialog};
    QCOMPARE(Modal::takeOpened(), opened);
    QCOMPARE(caption, preview ? QStringLiteral(" Anteprima di stampa") : QStringLiteral(" Stampa scheda"));
    QCOMPARE(action, preview ? QStringLiteral("Mostra anteprima") : QStringLiteral("Stampa"));
    const QList<Page> pages = onlyPages(preview ? Printer::takePreviewed() : Printer::takePrinted());
    QCOMPARE(pages.size(), 2); // the chart's page, then the odontogram's
    QCOMPARE(textOf(pages[1], QStringLiteral("txtOdontoTitolo")),
             QStringLiteral("Odontogramma - Stato dentale di Rossi Mario"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtPaziente")), QStringLiteral("Stato dentale di Rossi Mario"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtDente01")), QStringLiteral("TERZO MOLARE DX:  non ancora applicato"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtDente08")), QStringLiteral("INCISIVO CENTRALE DX:  sano"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtCalce")),
             QStringLiteral("Scheda stampata in data 10/12/2026 alle ore 14:05:09"));
    // The chart window is still open and unchanged.
    QVERIFY(w.isVisible());
    QCOMPARE(w.txtDente(1)->text(), QStringLiteral(" non ancora applicato "));

    // "Annulla" produces nothing.
    Modal::queue([](QWidget *dialog) { press(dialog, "btnAnnulla"); });
    press(&w, preview ? "btnPreview" : "btnPrint");
    QVERIFY(Printer::takePrinted().isEmpty());
    QVERIFY(Printer::takePreviewed().isEmpty());
    QVERIFY(w.isVisible());
}

// ---- Chart document ----------------------------------------------------------------------

void TestChart::chartDocumentPage()
{
    const QList<Page> pages = ChartDocument::make(QStringLiteral("Stato dentale di Rossi Mario"), emptyTeeth(),
                                                  QDateTime(QDate(2026, 4, 3), QTime(14, 5, 9)))
                                  .prepare();
    QCOMPARE(pages.size(), 1);
    const Page &page = pages[0];

    const TextBox *title = page.text(QStringLiteral("txtPaziente"));
    QCOMPARE(title->rect, QRectF(2, 2.5, 186, 4));
    QCOMPARE(title->lines, QStringList{QStringLiteral("Stato dentale di Rossi Mario")});
    QCOMPARE(title->align, Align::Centre);
    QCOMPARE(textOf(page, QStringLiteral("titArcataSup")), QStringLiteral("ARCATA SUPERIORE"));
    QCOMPARE(page.text(QStringLiteral("titArcataSup"))->rect, QRectF(2, 14, 185.8, 4.2));
    QCOMPARE(textOf(page, QStringLiteral("titAccettazione")), QStringLiteral("ARCATA INFERIORE"));
    QCOMPARE(page.text(QStringLiteral("titAccettazione"))->rect, QRectF(2, 105, 185.8, 4.2));
    QCOMPARE(textOf(page, QStringLiteral("txtCalce")),
             QStringLiteral("Scheda stampata in data 03/04/2026 alle ore 14:05:09"));
    QCOMPARE(page.text(QStringLiteral("txtCalce"))->rect, QRectF(2, 196, 185.8, 4.2));

    // 32 tooth lines: 16 under each heading, each in its framed row.
    int tooth = 0;
    int upper = 0;
    int lower = 0;
    for (const TextBox &box : page.texts) {
        if (!box.name.startsWith(QLatin1String("txtDente")))
            continue;
        ++tooth;
        QCOMPARE(box.name, toothField(tooth));
        const double top = tooth <= 16 ? 19.5 + 5 * (tooth - 1) : 110.5 + 5 * (tooth - 17);
        QCOMPARE(box.rect, QRectF(2, top, 186, 3.5));
        QCOMPARE(box.font.family, QStringLiteral("Arial"));
        QCOMPARE(box.font.points, 7.0);
        QCOMPARE(box.flow, Flow::Cut);
        (box.rect.top() > 14 && box.rect.bottom() < 104 ? upper : lower)++;
        QVERIFY(box.rect.top() > 14);
        QVERIFY(box.rect.bottom() < 195);
    }
    QCOMPARE(tooth, 32);
    QCOMPARE(upper, 16);
    QCOMPARE(lower, 16);

    // Boxes: title, heading, 16 rows, heading, 16 rows, foot.
    QCOMPARE(page.boxes.size(), 1 + 1 + 16 + 1 + 16 + 1);
    QCOMPARE(page.boxes[0].rect, QRectF(1, 1, 188, 7));
    QCOMPARE(page.boxes[0].fill, Colour::Gold);
    QCOMPARE(page.boxes[1].rect, QRectF(1, 13, 188, 5.8));
    QCOMPARE(page.boxes[1].fill, Colour::LightSteelBlue);
    QCOMPARE(page.boxes[2].rect, QRectF(1, 19, 188, 4.6));
    QCOMPARE(page.boxes[18].rect, QRectF(1, 104, 188, 5.8));
    QCOMPARE(page.boxes[19].rect, QRectF(1, 110, 188, 4.6));
    QCOMPARE(page.boxes.last().rect, QRectF(1, 195, 188, 5.8));
    QCOMPARE(page.boxes.last().fill, Colour::Gold);

    // The design shows each tooth's number until the window fills it.
    QCOMPARE(textOf(ChartDocument::design().prepare()[0], QStringLiteral("txtDente07")), QStringLiteral("07)"));
}

void TestChart::chartDocumentPrefixes_data()
{
    QTest::addColumn<int>("tooth");
    QTest::addColumn<QString>("prefix");
    const char *const names[] = {"TERZO MOLARE",    "SECONDO MOLARE", "PRIMO MOLARE",      "SECONDO PREMOLARE",
                                 "PRIMO PREMOLARE", "CANINO",         "INCISIVO LATERALE", "INCISIVO CENTRALE"};
    for (int tooth = 1; tooth <= 32; ++tooth) {
        const int fdi = ChartRules::tooth(tooth).fdi;
        const QString side = fdi / 10 == 1 || fdi / 10 == 4 ? QStringLiteral(" DX") : QStringLiteral(" SX");
        QTest::addRow("tooth %02d (%d)", tooth, fdi)
            << tooth << QString::fromLatin1(names[8 - fdi % 10]) + side + QStringLiteral(":  ");
    }
}

void TestChart::chartDocumentPrefixes()
{
    QFETCH(int, tooth);
    QFETCH(QString, prefix);
    QCOMPARE(ChartDocument::prefix(tooth), prefix);
    QStringList teeth = emptyTeeth();
    teeth[tooth - 1] = QStringLiteral("  ponte ");
    const Page page =
        ChartDocument::make(QStringLiteral("t"), teeth, QDateTime(QDate(2026, 1, 1), QTime())).prepare()[0];
    QCOMPARE(textOf(page, toothField(tooth)), prefix + QStringLiteral("ponte"));
    // A tooth without a note prints its name alone.
    const int other = tooth % 32 + 1;
    QCOMPARE(textOf(page, toothField(other)), ChartDocument::prefix(other));
}

void TestChart::chartLongTextIsCutAtItsBox()
{
    QStringList teeth = emptyTeeth();
    teeth[2] = QStringLiteral("Carie profonda distale con infiltrazione ").repeated(12);
    const Page page =
        ChartDocument::make(QStringLiteral("t"), teeth, QDateTime(QDate(2026, 1, 1), QTime())).prepare()[0];
    const TextBox *box = page.text(QStringLiteral("txtDente03"));
    QImage probe(10, 10, QImage::Format_RGB32);
    QCOMPARE(shownLines(*box, QFontMetricsF(qtFont(box->font), &probe), 4.0).size(), 1); // never wraps

    const double pxPerMm = 8;
    QImage image(int(210 * pxPerMm), int(60 * pxPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(pxPerMm * 1000));
    image.setDotsPerMeterY(int(pxPerMm * 1000));
    {
        QPainter painter(&image);
        paintPage(painter, page, pxPerMm, QPointF(10 * pxPerMm, 10 * pxPerMm));
    }
    const int top = int((10 + box->rect.top() + 0.3) * pxPerMm);
    const int bottom = int((10 + box->rect.bottom() - 0.3) * pxPerMm);
    const auto ink = [&](double fromMm, double toMm, int y0, int y1) {
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = int(fromMm * pxPerMm); x < int(toMm * pxPerMm); ++x)
                if (qGray(image.pixel(x, y)) < 160)
                    ++n;
        return n;
    };
    QVERIFY(ink(10 + 100, 10 + 187, top, bottom) > 100); // the text runs to the box's end
    QCOMPARE(ink(10 + 189.5, 209.5, top, bottom), 0);    // and no further
    // The next row holds only its own name: nothing spilled into it.
    const TextBox *next = page.text(QStringLiteral("txtDente04"));
    QCOMPARE(ink(10 + 100, 10 + 187, int((10 + next->rect.top() + 0.3) * pxPerMm),
                 int((10 + next->rect.bottom() - 0.3) * pxPerMm)),
             0);
}

void TestChart::chartPrintsOneA4PortraitPdfPage()
{
    TestWorld world;
    const QString pdf = world.file(QStringLiteral("stato.pdf"));
    Printer::setPdfFile(pdf);
    QVERIFY(Report::print(nullptr, ChartDocument::make(QStringLiteral("Stato dentale di Rossi Mario"), emptyTeeth(),
                                                       QDateTime(QDate(2026, 1, 1), QTime()))));
    QCOMPARE(onlyPages(Printer::takePrinted()).size(), 1);
    const QString text = QString::fromLatin1(world.read(QStringLiteral("stato.pdf")));
    QVERIFY(text.startsWith(QStringLiteral("%PDF-")));
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("/Type /Page(?!s)"))), 1);
    QCOMPARE(QRegularExpression(QStringLiteral("MediaBox \\[([^\\]]*)\\]")).match(text).captured(1).simplified(),
             QStringLiteral("0 0 595.000000 842.000000"));
}

// ---- Treatment register: lines, total, file ------------------------------------------------

void TestChart::treatmentLine_data()
{
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QString>("line");

    QTest::newRow("the example: 147 characters")
        << QStringList{"03/04/2024", "09:30", "Pulizia", "Rossi", "80,00"}
        << QStringLiteral("Data: 03/04/2024   Ora: 09:30   Servizi: Pulizia") + QString(43, QLatin1Char(' '))
               + QStringLiteral("  Dentista: Rossi") + QString(23, QLatin1Char(' '))
               + QStringLiteral("  Costo: € 80,00");
    QTest::newRow("blanks trimmed, short date and time padded")
        << QStringList{" 3/4/2024 ", " 9:5", "  Otturazione  ", " Bianchi ", " 1250,50 "}
        << QStringLiteral("Data: 3/4/2024     Ora: 9:5     Servizi: Otturazione") + QString(39, QLatin1Char(' '))
               + QStringLiteral("  Dentista: Bianchi") + QString(21, QLatin1Char(' '))
               + QStringLiteral("  Costo: € 1250,50");
    const QString fifty = QStringLiteral("Igiene orale professionale e sbiancamento dentale!");
    QTest::newRow("a 50-character treatment fills its column")
        << QStringList{"03/04/2024", "09:30", fifty, "Rossi", "5,00"}
        << QStringLiteral("Data: 03/04/2024   Ora: 09:30   Servizi: ") + fifty + QStringLiteral("  Dentista: Rossi")
               + QString(23, QLatin1Char(' ')) + QStringLiteral("  Costo: € 5,00");
}

void TestChart::treatmentLine()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, line);
    const QString built = TreatmentRegister::line(treatment(fields[0], fields[1], fields[2], fields[3], fields[4]));
    QCOMPARE(built, line);
}

void TestChart::total_data()
{
    QTest::addColumn<QStringList>("amounts");
    QTest::addColumn<QString>("total");

    QTest::newRow("nothing listed") << QStringList() << "€ 0,00";
    QTest::newRow("10,10 + 20,20 + 30,35") << QStringList{"10,10", "20,20", "30,35"} << "€ 60,65";
    QTest::newRow("one of 0,50") << QStringList{"0,50"} << "€ 0,50";
    QTest::newRow("one of 100,00") << QStringList{"100,00"} << "€ 100,00";
    QTest::newRow("a thousand of 0,07") << QStringList(1000, QStringLiteral("0,07")) << "€ 70,00";
    QTest::newRow("ten thousand of 0,01") << QStringList(10000, QStringLiteral("0,01")) << "€ 100,00";
    // Large amounts summed as binary doubles lose their cents; whole cents do not.
    QTest::newRow("a hundred of the largest amount")
        << QStringList(100, QStringLiteral("999999999999,99")) << "€ 99999999999999,00";
    // Amounts of the most digits the field holds: their sum passes the range of a 64-bit
    // number of cents (93 of them gave a negative total) and is still exact.
    QTest::newRow("93 of the longest amount")
        << QStringList(93, QStringLiteral("999999999999999")) << "€ 92999999999999907,00";
    QTest::newRow("a total of exactly 10^18 cents")
        << QStringList(1000, QStringLiteral("10000000000000")) << "€ 10000000000000000,00";
    QTest::newRow("past 10^18 cents by one cent")
        << (QStringList(1000, QStringLiteral("10000000000000")) << QStringLiteral("0,01")) << "€ 10000000000000000,01";
    QTest::newRow("amounts without an amount are not listed") << QStringList{"10,00", "", "  "} << "€ 10,00";
}

void TestChart::total()
{
    QFETCH(QStringList, amounts);
    QFETCH(QString, total);
    TestWorld world;
    QList<TTreatmentRecord> records;
    for (const QString &a : amounts)
        records.append(withAmount(a));
    writeRecords(QStringLiteral("Trattamenti_Paziente_3.pro"), records);

    const TreatmentRegister::Listing listing =
        TreatmentRegister::read(world.file(QStringLiteral("Trattamenti_Paziente_3.pro")));
    QCOMPARE(TreatmentRegister::totalText(listing.total), total);
    int listed = 0;
    for (const QString &a : amounts)
        listed += a.trimmed().isEmpty() ? 0 : 1;
    QCOMPARE(listing.lines.size(), listed);
}

void TestChart::amountThatIsNoNumberCountsAsZero()
{
    TestWorld world;
    writeRecords(QStringLiteral("Trattamenti_Paziente_3.pro"),
                 QList<TTreatmentRecord>{withAmount(QStringLiteral("abc")), withAmount(QStringLiteral("12,50")),
                                         withAmount(QStringLiteral("1,2,3")), withAmount(QString()),
                                         withAmount(QStringLiteral("7,50"))});
    const TreatmentRegister::Listing listing =
        TreatmentRegister::read(world.file(QStringLiteral("Trattamenti_Paziente_3.pro")));
    QCOMPARE(listing.lines.size(), 4);
    QVERIFY(listing.lines[0].endsWith(QStringLiteral("Costo: € abc")));
    QCOMPARE(listing.positions, (QList<qint64>{1, 2, 3, 5})); // the empty amount keeps its place
    QCOMPARE(TreatmentRegister::totalText(listing.total), QStringLiteral("€ 20,00"));
}

void TestChart::treatmentRecordBytes()
{
    TestWorld world;
    const QString path = world.file(QStringLiteral("Trattamenti_Paziente_4.pro"));
    const QString sixty = QStringLiteral("Ablazione del tartaro e levigatura radicolare completa");
    QVERIFY(sixty.size() > 50);
    QCOMPARE(TreatmentRegister::save(path,
                                     TreatmentRegister::record(QStringLiteral(" 03/04/2024"), QStringLiteral("09:30 "),
                                                               sixty, QStringLiteral("Dott. Verdi"),
                                                               QStringLiteral("80,00")),
                                     0),
             qint64(1));
    const QByteArray bytes = world.read(QStringLiteral("Trattamenti_Paziente_4.pro"));
    QCOMPARE(bytes.size(), 113);
    const auto field = [&](int offset) { return bytes.mid(offset + 1, static_cast<unsigned char>(bytes.at(offset))); };
    QCOMPARE(field(0), QByteArray("03/04/2024"));
    QCOMPARE(field(11), QByteArray("09:30"));
    QCOMPARE(field(17), sixty.left(50).toLatin1());
    QCOMPARE(static_cast<unsigned char>(bytes.at(17)), 50);
    QCOMPARE(field(68), QByteArray("Dott. Verdi"));
    QCOMPARE(field(97), QByteArray("80,00"));

    // An overwrite keeps the size; a position past the end is refused.
    TreatmentRegister::save(path, withAmount(QStringLiteral("1,00")), 1);
    QCOMPARE(world.read(QStringLiteral("Trattamenti_Paziente_4.pro")).size(), 113);
    QVERIFY_THROWS_EXCEPTION(StorageError, TreatmentRegister::save(path, withAmount(QStringLiteral("1,00")), 3));
}

// ---- Treatment register window ---------------------------------------------------------------

void TestChart::registerCreatesTheFileAndListsIt()
{
    TestWorld world;
    const QString name = QStringLiteral("Trattamenti_Paziente_12.pro");
    {
        TfrmAllegaExcel w(QStringLiteral(" Bianchi Anna "), QStringLiteral(" 12 "));
        QCOMPARE(w.windowTitle(), QStringLiteral(" Riepilogo trattamenti dentali"));
        QCOMPARE(w.size(), QSize(863, 616));
        w.show();
        QVERIFY(QFileInfo::exists(world.file(name)));
        QCOMPARE(QFileInfo(world.file(name)).size(), 0);
        QCOMPARE(w.lblTitolo->text(), QStringLiteral("Trattamenti di Bianchi Anna"));
        QCOMPARE(w.lstRecords->count(), 0);
        QCOMPARE(w.lblTotale->text(), QStringLiteral("€ 0,00"));
        QCOMPARE(w.focusWidget(), w.txtTrova);
        QVERIFY(w.panContainer->isVisible());
        QVERIFY(!w.panCosti->isVisible());
    }
    writeRecords(name, QList<TTreatmentRecord>{withAmount(QStringLiteral("10,10")), withAmount(QStringLiteral("20,20")),
                                               withAmount(QStringLiteral("30,35"))});
    TfrmAllegaExcel w(QStringLiteral("Bianchi Anna"), QStringLiteral("12"));
    w.show();
    QCOMPARE(w.lstRecords->count(), 3);
    QCOMPARE(w.lstRecords->selectedRow(), -1);
    QCOMPARE(w.lstRecords->itemWidth(), 1600);
    QCOMPARE(w.lblTotale->text(), QStringLiteral("€ 60,65"));
    QCOMPARE(w.lstRecords->line(0), TreatmentRegister::line(withAmount(QStringLiteral("10,10"))));
    QCOMPARE(w.lstRecords->line(0).size(), 147);
}

void TestChart::addSaveTwiceModifySave()
{
    TestWorld world;
    const QString name = QStringLiteral("Trattamenti_Paziente_7.pro");
    writeRecords(name, QList<TTreatmentRecord>{withAmount(QStringLiteral("50,00"))});
    {
        TfrmAllegaExcel w(kName, QStringLiteral("7"));
        w.show();
        press(&w, "btnAggiungi");
        QVERIFY(w.panCosti->isVisible());
        QVERIFY(!w.panContainer->isVisible());
        QCOMPARE(w.focusWidget(), w.txtData);
        QCOMPARE(w.txtImporto->text(), QStringLiteral("0,00"));
        w.txtData->setText(QStringLiteral("10/12/2026"));
        w.txtOra->setText(QStringLiteral("09:30"));
        w.txtTrattamenti->setText(QStringLiteral("Otturazione"));
        w.txtDentista->setText(QStringLiteral("Verdi"));
        w.txtImporto->setText(QStringLiteral("80"));
        press(&w, "btnSalva");
        QCOMPARE(shownMessages(),
                 QStringList{QStringLiteral("information: La scheda corrente è stata inserita in archivio.")});
        QCOMPARE(w.recordPosition(), qint64(2));
        QCOMPARE(w.txtImporto->text(), QStringLiteral("80,00"));
        w.txtTrattamenti->setText(QStringLiteral("Otturazione e lucidatura"));
        press(&w, "btnSalva");
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("information: Le modifiche apportate alla scheda "
                                                             "corrente sono state salvate in archivio.")});
        QVERIFY(w.panCosti->isVisible());   // the entry panel stays
        QCOMPARE(w.lstRecords->count(), 1); // the list is not refreshed
    }
    QCOMPARE(world.read(name).size(), 2 * 113);

    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    QCOMPARE(w.lstRecords->count(), 2);
    QCOMPARE(w.lblTotale->text(), QStringLiteral("€ 130,00"));
    w.lstRecords->setCurrentRow(1);
    press(&w, "btnModifica");
    QCOMPARE(w.txtTrattamenti->text(), QStringLiteral("Otturazione e lucidatura"));
    QCOMPARE(w.txtImporto->text(), QStringLiteral("80,00"));
    QCOMPARE(w.recordPosition(), qint64(2));
    QCOMPARE(w.focusWidget(), w.txtData);
    w.txtImporto->setText(QStringLiteral("95,5"));
    press(&w, "btnSalva");
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("information: Le modifiche apportate alla scheda "
                                                         "corrente sono state salvate in archivio.")});
    const QByteArray bytes = world.read(name);
    QCOMPARE(bytes.size(), 2 * 113);
    TTreatmentRecord second;
    memcpy(&second, bytes.constData() + 113, 113);
    QCOMPARE(second.Importo.text(), QStringLiteral("95,50"));
    QCOMPARE(second.Trattamenti.text(), QStringLiteral("Otturazione e lucidatura"));
}

namespace {
TTreatmentRecord treatmentAt(const TestWorld &world, const QString &name, qint64 position)
{
    TTreatmentRecord r;
    std::memcpy(&r, world.read(name).constData() + (position - 1) * TTreatmentRecord::Size, TTreatmentRecord::Size);
    return r;
}
} // namespace

// Two copies of the program correct the same treatment: the later save asks which stays, as
// a card window does (Sì: the other copy's treatment on the panel; No: this one over it;
// Annulla, Escape, the close box of the real box: nothing written, the entry kept).
void TestChart::twoCopiesCorrectOneTreatment_data() { addChangedElsewhereRows(); }

void TestChart::twoCopiesCorrectOneTreatment()
{
    QFETCH(bool, otherSaves);
    QFETCH(QString, answer);
    TestWorld world;
    const QString name = QStringLiteral("Trattamenti_Paziente_7.pro");
    writeRecords(name,
                 QList<TTreatmentRecord>{withAmount(QStringLiteral("50,00")), withAmount(QStringLiteral("60,00"))});
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    w.lstRecords->setCurrentRow(1);
    press(&w, "btnModifica");
    QCOMPARE(w.recordPosition(), qint64(2));
    if (otherSaves) {
        // The other copy corrects the same treatment meanwhile.
        TTreatmentRecord other = withAmount(QStringLiteral("70,00"));
        other.Dentista.setText(QStringLiteral("Bianchi"));
        RecordFile file(world.file(name), TTreatmentRecord::Size);
        file.open(RecordFile::Write);
        file.overwriteAt(2, other);
        file.close();
    }
    w.txtImporto->setText(QStringLiteral("95,5"));
    const RealBox box = saveAnswering(answer, [&w] { press(&w, "btnSalva"); });
    const QString asked = QStringLiteral("confirmation: ") + kCardChangedElsewhere;
    const QString updated = QStringLiteral("information: ") + TreatmentRegister::kUpdated;
    const TTreatmentRecord stored = treatmentAt(world, name, 2);
    if (!otherSaves) {
        QCOMPARE(shownMessages(), QStringList{updated});
        QCOMPARE(stored.Importo.text(), QStringLiteral("95,50"));
    } else if (answer == QStringLiteral("Sì")) {
        QCOMPARE(shownMessages(), QStringList{asked});
        QCOMPARE(stored.Importo.text(), QStringLiteral("70,00"));
        QCOMPARE(w.txtImporto->text(), QStringLiteral("70,00"));
        QCOMPARE(w.txtDentista->text(), QStringLiteral("Bianchi"));
    } else if (answer == QLatin1String("No")) {
        QCOMPARE(shownMessages(), (QStringList{asked, updated}));
        QCOMPARE(stored.Importo.text(), QStringLiteral("95,50"));
        QCOMPARE(stored.Dentista.text(), QStringLiteral("Rossi"));
    } else {
        QVERIFY(box.text.startsWith(QStringLiteral("Attenzione: nel frattempo la scheda corrente")));
        QCOMPARE(shownMessages(), QStringList());
        QCOMPARE(stored.Importo.text(), QStringLiteral("70,00"));
        QCOMPARE(w.txtImporto->text(), QStringLiteral("95,50"));
        QCOMPARE(w.txtDentista->text(), QStringLiteral("Rossi"));
        QVERIFY(w.panCosti->isVisible());
    }
    QCOMPARE(w.recordPosition(), qint64(2));
    QCOMPARE(world.read(name).size(), 2 * TTreatmentRecord::Size);
    QCOMPARE(treatmentAt(world, name, 1).Importo.text(), QStringLiteral("50,00"));
}

// Two copies of the program each add a treatment: both are kept, without a question.
void TestChart::twoCopiesAddTreatmentsBothKept()
{
    TestWorld world;
    const QString name = QStringLiteral("Trattamenti_Paziente_7.pro");
    writeRecords(name, QList<TTreatmentRecord>{withAmount(QStringLiteral("50,00"))});
    TfrmAllegaExcel one(kName, QStringLiteral("7")), two(kName, QStringLiteral("7"));
    one.show();
    two.show();
    for (TfrmAllegaExcel *w : {&one, &two}) {
        press(w, "btnAggiungi");
        w->txtData->setText(QStringLiteral("10/12/2026"));
        w->txtOra->setText(QStringLiteral("09:30"));
        w->txtTrattamenti->setText(w == &one ? QStringLiteral("Uno") : QStringLiteral("Due"));
        w->txtDentista->setText(QStringLiteral("Verdi"));
        w->txtImporto->setText(QStringLiteral("10"));
    }
    press(&one, "btnSalva");
    press(&two, "btnSalva");
    const QString inserted = QStringLiteral("information: ") + TreatmentRegister::kInserted;
    QCOMPARE(shownMessages(), (QStringList{inserted, inserted}));
    QCOMPARE(treatmentAt(world, name, 2).Trattamenti.text(), QStringLiteral("Uno"));
    QCOMPARE(treatmentAt(world, name, 3).Trattamenti.text(), QStringLiteral("Due"));
    QCOMPARE(two.recordPosition(), qint64(3));
}

void TestChart::modifyLoadsTheSelectedLineOwnRecord()
{
    TestWorld world;
    const QString name = QStringLiteral("Trattamenti_Paziente_7.pro");
    const TTreatmentRecord same = withAmount(QStringLiteral("40,00"));
    writeRecords(name, QList<TTreatmentRecord>{same, same});
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    QCOMPARE(w.lstRecords->line(0), w.lstRecords->line(1));
    QCOMPARE(w.linePositions(), (QList<qint64>{1, 2}));

    w.lstRecords->setCurrentRow(0);
    press(&w, "btnModifica");
    QCOMPARE(w.recordPosition(), qint64(1)); // the first line's record, not the later twin
    w.txtDentista->setText(QStringLiteral("Neri"));
    press(&w, "btnSalva");
    const QByteArray bytes = world.read(name);
    TTreatmentRecord first, second;
    memcpy(&first, bytes.constData(), 113);
    memcpy(&second, bytes.constData() + 113, 113);
    QCOMPARE(first.Dentista.text(), QStringLiteral("Neri"));
    QCOMPARE(second.Dentista.text(), QStringLiteral("Rossi"));
}

void TestChart::modifyRefusals()
{
    TestWorld world;
    {
        TfrmAllegaExcel w(kName, QStringLiteral("7"));
        w.show();
        press(&w, "btnModifica");
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("information: Modifica non applicabile: la lista non "
                                                             "contiene nessuna voce.")});
        QVERIFY(w.panContainer->isVisible());
    }
    writeRecords(QStringLiteral("Trattamenti_Paziente_7.pro"),
                 QList<TTreatmentRecord>{withAmount(QStringLiteral("1,00"))});
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    w.txtTrova->setText(QStringLiteral("Pulizia"));
    press(&w, "btnModifica");
    QCOMPARE(shownMessages(),
             QStringList{QStringLiteral("warning: Attenzione: selezionare una voce dall'elenco prima di "
                                        "premere il pulsante di modifica.")});
    QVERIFY(w.panContainer->isVisible());
}

void TestChart::requiredFieldsInOrder_data()
{
    QTest::addColumn<int>("empty");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    const char *const fields[] = {"txtData", "txtOra", "txtTrattamenti", "txtDentista", "txtImporto"};
    for (int i = 0; i < 5; ++i)
        QTest::newRow(fields[i]) << i << QString::fromLatin1(fields[i]) << TreatmentRegister::requiredMessage(i);
}

void TestChart::requiredFieldsInOrder()
{
    QFETCH(int, empty);
    QFETCH(QString, field);
    QFETCH(QString, message);

    TestWorld world;
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    press(&w, "btnAggiungi");
    const QList<QLineEdit *> fields = {w.txtData, w.txtOra, w.txtTrattamenti, w.txtDentista, w.txtImporto};
    const QStringList texts = {"10/12/2026", "09:30", "Pulizia", "Rossi", "80,00"};
    // The fields from the empty one on are all blank: the first of them is named.
    for (int i = 0; i < 5; ++i)
        fields[i]->setText(i < empty ? texts[i] : QStringLiteral("  "));
    w.btnSalvaClick();
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("warning: ") + message});
    QCOMPARE(w.focusWidget()->objectName(), field);
    QCOMPARE(world.read(QStringLiteral("Trattamenti_Paziente_7.pro")).size(), 0);
    QVERIFY(message.startsWith(QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ")));
}

void TestChart::amountTypingAndNormalisation()
{
    TestWorld world;
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    QApplication::setActiveWindow(&w); // leaving the amount field is a focus change
    press(&w, "btnAggiungi");
    QCOMPARE(w.txtData->maxLength(), 10);
    QCOMPARE(w.txtOra->maxLength(), 5);
    QCOMPARE(w.txtTrattamenti->maxLength(), 50);
    QCOMPARE(w.txtDentista->maxLength(), 28);
    QCOMPARE(w.txtImporto->maxLength(), 15);

    w.txtImporto->setFocus();
    w.txtImporto->clear();
    QTest::keyClicks(w.txtImporto, QStringLiteral("a1-2. 5,x5"));
    QCOMPARE(w.txtImporto->text(), QStringLiteral("125,5"));
    QTest::keyClick(w.txtImporto, Qt::Key_Return); // Enter goes back to the date, leaving the amount
    QCOMPARE(w.focusWidget(), w.txtData);
    QCOMPARE(w.txtImporto->text(), QStringLiteral("125,50"));

    const QList<QPair<QString, QString>> cases = {{"5", "5,00"},  {",5", "0,50"},    {"0,125", "0,13"},
                                                  {"7,", "7,00"}, {"1,2,3", "0,00"}, {"", "0,00"}};
    for (const auto &[typed, shown] : cases) {
        w.txtImporto->setText(typed); // as if pasted
        w.txtImporto->setFocus();
        w.txtTrattamenti->setFocus();
        QCOMPARE(w.txtImporto->text(), shown);
    }

    // The Enter cycle of the entry fields.
    const QList<QLineEdit *> cycle = {w.txtData, w.txtOra, w.txtTrattamenti, w.txtDentista, w.txtImporto};
    w.txtData->setFocus();
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(w.focusWidget(), cycle[i]);
        QTest::keyClick(cycle[i], Qt::Key_Return);
    }
    QCOMPARE(w.focusWidget(), w.txtData);
}

void TestChart::importArrows()
{
    TestWorld world(QDateTime(QDate(2026, 3, 4), QTime(9, 5, 30)));
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    press(&w, "btnAggiungi");
    QTest::mouseClick(w.impData, Qt::LeftButton);
    QTest::mouseClick(w.impOra, Qt::LeftButton);
    QCOMPARE(w.txtData->text(), QStringLiteral("04/03/2026"));
    QCOMPARE(w.txtOra->text(), QStringLiteral("09:05"));
    QCOMPARE(w.impData->accessibleName(), QStringLiteral("Inserisci la data di oggi"));
}

void TestChart::findInTheList()
{
    TestWorld world;
    {
        TfrmAllegaExcel w(kName, QStringLiteral("7"));
        w.show();
        w.txtTrova->setText(QStringLiteral("Pulizia"));
        press(&w, "btnTrova");
        QCOMPARE(shownMessages(), QStringList{QStringLiteral("plain: Ricerca non applicabile: la lista non contiene "
                                                             "nessuna voce.")});
    }
    writeRecords(QStringLiteral("Trattamenti_Paziente_7.pro"),
                 QList<TTreatmentRecord>{withAmount(QStringLiteral("1,00")),
                                         treatment("05/04/2024", "10:00", "Estrazione", "Rossi", "90,00"),
                                         withAmount(QStringLiteral("2,00"))});
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    QTest::keyClicks(w.txtTrova, QStringLiteral("pulizia"));
    QTest::keyClick(w.txtTrova, Qt::Key_Return); // Enter only leads to "Trova"
    QCOMPARE(w.focusWidget(), w.btnTrova);
    QCOMPARE(w.lstRecords->selectedRow(), -1);
    QTest::keyClick(w.btnTrova, Qt::Key_Return);
    QCOMPARE(w.lstRecords->selectedRow(), 0);
    w.btnTrovaClick();
    QCOMPARE(w.lstRecords->selectedRow(), 2);
    w.txtTrova->setText(QStringLiteral("Estrazione"));
    w.btnTrovaClick();
    QCOMPARE(w.lstRecords->selectedRow(), 1);
    w.txtTrova->setText(QStringLiteral("nessuno"));
    w.btnTrovaClick();
    QCOMPARE(w.lstRecords->selectedRow(), 1);
}

// After any kind of scroll the register shows the treatments it holds there, and "Modifica
// voce" after a click loads the treatment whose line was read where the click fell.
void TestChart::scrolledRegisterShowsItsLines_data()
{
    using ListScreen::Scroll;
    QTest::addColumn<Scroll>("how");
    QTest::addColumn<int>("times"); // for a find: the treatment looked for (0 is the first)
    QTest::newRow("wheel, one notch") << Scroll::Wheel << 1;
    QTest::newRow("scroll bar's arrow, two clicks") << Scroll::Arrow << 2;
    QTest::newRow("scroll bar's track, one click") << Scroll::Track << 1;
    QTest::newRow("find in list, the last treatment") << Scroll::Find << 15;
}

void TestChart::scrolledRegisterShowsItsLines()
{
    using namespace ListScreen;
    QFETCH(Scroll, how);
    QFETCH(int, times);

    TestWorld world;
    const QStringList services = {"Visita",           "Igiene",    "Otturazione 36", "Otturazione 46",
                                  "Radiografia",      "Fluoro 1",  "Sigillatura 16", "Sigillatura 26",
                                  "Devitalizzazione", "Corona 21", "Estrazione 38",  "Controllo",
                                  "Sbiancamento",     "Bite",      "Impronte",       "Ponte 45-47"};
    QList<TTreatmentRecord> records;
    for (int i = 0; i < services.size(); ++i)
        records.append(treatment(QStringLiteral("%1/03/2024").arg(i + 1, 2, 10, QLatin1Char('0')),
                                 QStringLiteral("09:30"), services[i], QStringLiteral("Rossi"),
                                 QStringLiteral("%1,00").arg(10 * (i + 1))));
    writeRecords(QStringLiteral("Trattamenti_Paziente_7.pro"), records);
    TfrmAllegaExcel w(kName, QStringLiteral("7"));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    FixedList *list = w.lstRecords;
    QCOMPARE(list->count(), 16);
    QCOMPARE(w.linePositions(), (QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
    QCOMPARE(onScreen(list), freshPaint(list));

    if (how == Scroll::Find) {
        w.txtTrova->setText(services[times]);
        w.btnTrovaClick();
        QCOMPARE(list->selectedRow(), times);
    } else {
        scroll(list, how, times);
    }
    QVERIFY(list->verticalScrollBar()->value() > 0);
    QCOMPARE(onScreen(list), freshPaint(list));

    // The first whole line in view reads as its treatment's line; clicked, it is the one loaded.
    const int row = firstWholeRow(list);
    QVERIFY(row > 0);
    QCOMPARE(rowOnScreen(list, row), lineAlone(list, TreatmentRegister::line(records[row])));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowPoint(list, row));
    QCOMPARE(onScreen(list), freshPaint(list));
    press(&w, "btnModifica");
    QCOMPARE(w.recordPosition(), qint64(row + 1));
    QCOMPARE(w.txtTrattamenti->text(), services[row]);
}

void TestChart::printRiepilogo()
{
    TestWorld world;
    writeRecords(QStringLiteral("Trattamenti_Paziente_7.pro"),
                 QList<TTreatmentRecord>{withAmount(QStringLiteral("1000,00")), withAmount(QStringLiteral("250,50"))});
    TfrmAllegaExcel w(QStringLiteral(" Rossi Mario "), QStringLiteral("7"));
    w.show();
    QCOMPARE(w.lblTotale->text(), QStringLiteral("€ 1250,50"));
    // The label only shows the total: the printout's total comes from the amounts read.
    w.lblTotale->setText(QStringLiteral("€ 0,00"));
    press(&w, "btnStampa");
    const QList<Page> pages = onlyPages(Printer::takePrinted());
    QCOMPARE(pages.size(), 1);
    QCOMPARE(textOf(pages[0], QStringLiteral("txtTitolo")), QStringLiteral("Riepilogo trattamenti di Rossi Mario"));
    QCOMPARE(pages[0].text(QStringLiteral("txtRiepilogo"))->lines,
             (QStringList{w.lstRecords->line(0), w.lstRecords->line(1), QStringLiteral("--------------------------"),
                          QStringLiteral("TOTALE IMPORTI:    € 1250,50")}));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtPagina")), QStringLiteral("Stampa eseguita in data 10/12/2026"));
    QVERIFY(Modal::takeOpened().isEmpty()); // no preview
}

// A file that cannot be read is said to be so, never shown as a patient without treatments.
void TestChart::unusableFileIsReportedAndSaveWarns()
{
    TestWorld world;
    // A folder where the file should be: it can be neither opened nor created.
    QVERIFY(QDir(world.folder()).mkdir(QStringLiteral("Trattamenti_Paziente_9.pro")));
    TfrmAllegaExcel w(kName, QStringLiteral("9"));
    w.show();
    QCOMPARE(w.lstRecords->count(), 0);
    QCOMPARE(w.lblTotale->text(), QString()); // no total that looks like a real "0,00"
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
    press(&w, "btnStampa");
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
    QVERIFY(Printer::takePrinted().isEmpty());
    press(&w, "btnAggiungi");
    w.txtData->setText(QStringLiteral("10/12/2026"));
    w.txtOra->setText(QStringLiteral("09:30"));
    w.txtTrattamenti->setText(QStringLiteral("Pulizia"));
    w.txtDentista->setText(QStringLiteral("Rossi"));
    press(&w, "btnSalva");
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("warning: ") + kArchiveFailure});
    QVERIFY(w.panCosti->isVisible());
    QCOMPARE(w.txtTrattamenti->text(), QStringLiteral("Pulizia"));
    QCOMPARE(w.recordPosition(), qint64(0));
}

// ---- Patient card buttons -----------------------------------------------------------------------

void TestChart::patientCardChecks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("opened");

    QTest::newRow("chart, new card with a name") << "btnCondition"
                                                 << "" << kName << ChartRules::kConditionUnsaved << "";
    QTest::newRow("chart, new card without a name") << "btnCondition"
                                                    << ""
                                                    << "" << ChartRules::kConditionUnsaved << "";
    QTest::newRow("chart, saved card, name emptied") << "btnCondition"
                                                     << "7"
                                                     << "   " << ChartRules::kConditionNoName << "";
    QTest::newRow("chart, saved card") << "btnCondition"
                                       << "7" << kName << ""
                                       << "frmDentalCondition";
    QTest::newRow("treatments, new card with a name") << "btnHistory"
                                                      << "" << kName << ChartRules::kHistoryUnsaved << "";
    QTest::newRow("treatments, saved card, name emptied") << "btnHistory"
                                                          << "7"
                                                          << "" << ChartRules::kHistoryNoName << "";
    QTest::newRow("treatments, saved card") << "btnHistory"
                                            << "7" << kName << ""
                                            << "frmAllegaExcel";
}

void TestChart::patientCardChecks()
{
    QFETCH(QString, button);
    QFETCH(QString, position);
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, opened);

    TestWorld world;
    TfrmClients *card = savedCard(world, name);
    card->setPosition(position.toLongLong());
    card->txtCity->setFocus();
    Modal::takeOpened();
    QTest::mouseClick(control<QWidget>(card, qPrintable(button)), Qt::LeftButton);

    QCOMPARE(shownMessages(), message.isEmpty() ? QStringList() : QStringList{QStringLiteral("warning: ") + message});
    QCOMPARE(Modal::takeOpened(), opened.isEmpty() ? QStringList() : QStringList{opened});
    const bool nameCheck = message == ChartRules::kConditionNoName || message == ChartRules::kHistoryNoName;
    if (nameCheck)
        QCOMPARE(card->focusWidget(), static_cast<QWidget *>(card->txtName));
    else
        QVERIFY(card->focusWidget() != card->txtName);
    if (opened == QLatin1String("frmAllegaExcel"))
        QVERIFY(QFileInfo::exists(world.file(QStringLiteral("Trattamenti_Paziente_7.pro"))));
}

void TestChart::chartEditsTheCardTeeth()
{
    TestWorld world;
    TfrmClients *card = savedCard(world);
    QStringList teeth = card->toothTexts();
    teeth[2] = QStringLiteral("  corona ");
    card->setToothTexts(teeth);

    QString title;
    QString shownTooth3;
    Modal::queue([&](QWidget *window) {
        auto *w = qobject_cast<TfrmDentalCondition *>(window);
        title = w->lblTitolo->text();
        shownTooth3 = w->txtDente(3)->text();
        w->txtDente(30)->setText(QStringLiteral(" impianto "));
        press(w, "btnClose");
    });
    card->btnConditionClick();
    QCOMPARE(title, QStringLiteral("Stato dentale di Rossi Mario"));
    QCOMPARE(shownTooth3, QStringLiteral("corona"));
    QCOMPARE(card->toothTexts().at(2), QStringLiteral("corona"));
    QCOMPARE(card->toothTexts().at(29), QStringLiteral("impianto"));
    QCOMPARE(card->toothTexts().size(), 32);

    // Closed with the close box: the card keeps its texts.
    Modal::queue([](QWidget *window) {
        qobject_cast<TfrmDentalCondition *>(window)->txtDente(30)->clear();
        window->close();
    });
    card->btnConditionClick();
    QCOMPARE(card->toothTexts().at(29), QStringLiteral("impianto"));
    QVERIFY(shownMessages().isEmpty());
}

// "Applica e chiudi" hands the notes back as typed: a note reopened shows them whole; the
// card's record cuts them to 250 characters and to Windows-1252 only when it is saved.
void TestChart::appliedNotesStayAsTypedUntilTheCardIsSaved()
{
    TestWorld world;
    TfrmClients *card = savedCard(world);
    const QString typed = QStringLiteral("Ștefănescu: ") + QStringLiteral("x").repeated(300);
    Modal::queue([&](QWidget *window) {
        qobject_cast<TfrmDentalCondition *>(window)->txtDente(5)->setText(typed);
        press(window, "btnClose");
    });
    card->btnConditionClick();
    QCOMPARE(card->toothTexts().at(4), typed);

    QString reopened;
    Modal::queue([&](QWidget *window) {
        reopened = qobject_cast<TfrmDentalCondition *>(window)->txtDente(5)->text();
        press(window, "btnClose");
    });
    card->btnConditionClick();
    QCOMPARE(reopened, typed);

    // The save's record: cut once, there.
    const QString stored = card->record().Dente05.text();
    QCOMPARE(stored.size(), 250);
    QCOMPARE(stored, (QStringLiteral("?tef?nescu: ") + QStringLiteral("x").repeated(300)).left(250));
    QCOMPARE(card->toothTexts().at(4), typed);

    // Another card shown: its own notes.
    TPatientRecord other{};
    other.Dente05.setText(QStringLiteral("sano"));
    card->loadCard(8, other);
    QCOMPARE(card->toothTexts().at(4), QStringLiteral("sano"));
    QVERIFY(shownMessages().isEmpty());
}

// ---- Odontogram ----------------------------------------------------------------------------

namespace {

using namespace Odontogram;

const QString kOdontogram2 = QStringLiteral("Odontogramma_Paziente_2.pro");
const QString kUpdatedMessage =
    QStringLiteral("information: Le modifiche apportate alla scheda corrente sono state salvate in archivio.");

QList<int> symbolsOf(const QList<Mark> &marks)
{
    QList<int> out;
    for (const Mark &m : marks)
        out.append(int(m.symbol));
    return out;
}

// The patient card showing the second of two saved cards, as reached by "ultima scheda".
TfrmClients *secondCard(TestWorld &world)
{
    writePatientArchive({PatientFixture{.name = QStringLiteral("Bianchi Anna")}, PatientFixture{}});
    world.windows();
    world.windows().frmAvvio()->show();
    world.windows().frmAvvio()->imgApp01Click();
    TfrmClients *card = world.windows().frmClients();
    QApplication::setActiveWindow(card);
    card->cmdLastClick();
    return card;
}

// Sets the chosen tooth's state through the panel's controls, as a click on each would.
void setState(TfrmDentalCondition *w, int fdi, State state, bool planned = false, Surfaces surfaces = {})
{
    w->chooseTooth(fdi);
    w->panOdontogramma->cboStato->setCurrentIndex(w->panOdontogramma->cboStato->findData(int(state)));
    (planned ? w->panOdontogramma->optDaFare : w->panOdontogramma->optPresente)->setChecked(true);
    for (Surface s : {M, D, O, V, L})
        w->panOdontogramma->chkSuperficie(s)->setChecked(surfaces & s);
}

QList<Entry> entriesOf(const QByteArray &bytes)
{
    QList<Entry> out;
    for (qsizetype at = 0; at + TOdontogramRecord::Size <= bytes.size(); at += TOdontogramRecord::Size) {
        TOdontogramRecord r;
        std::memcpy(&r, bytes.constData() + at, TOdontogramRecord::Size);
        if (const auto e = entry(r))
            out.append(*e);
    }
    return out;
}

QDateTime at(int day, int hour, int minute) { return QDateTime(QDate(2026, 12, day), QTime(hour, minute)); }

} // namespace

// Which symbols each state draws, in which colour, on which tooth: every state, found and
// planned, on a permanent and a deciduous tooth; nothing on the other dentition's scheme.
void TestChart::odontogramPlan_data()
{
    QTest::addColumn<int>("fdi");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("planned");
    QTest::addColumn<QList<int>>("symbols");
    using S = Symbol;
    const auto list = [](std::initializer_list<S> symbols) {
        QList<int> out;
        for (S s : symbols)
            out.append(int(s));
        return out;
    };
    const struct
    {
        State state;
        QList<int> present;
        QList<int> planned;
    } table[] = {
        {State::Sano, {}, {}},
        {State::Assente, list({S::Faded, S::Cross}), list({S::Cross})},
        {State::DaEstrarre, list({S::Slash}), list({S::Slash})},
        {State::Carie, list({S::Hatched}), list({S::Hatched})},
        {State::Otturazione, list({S::Surfaces}), list({S::Surfaces})},
        {State::Corona, list({S::Ring}), list({S::Ring})},
        {State::PontePilastro, list({S::Ring, S::Bar}), list({S::Ring, S::Bar})},
        {State::PonteElemento, list({S::Faded, S::Bar}), list({S::Bar})},
        {State::Impianto, list({S::Faded, S::Screw}), list({S::Screw})},
        {State::Devitalizzato, list({S::Dot}), list({S::Dot})},
        {State::ProtesiMobile, list({S::Faded, S::Dashed}), list({S::Dashed})},
    };
    for (int fdi : {36, 75})
        for (const auto &row : table)
            for (bool planned : {false, true})
                QTest::addRow("%d %s %s", fdi, qPrintable(stateName(row.state)), planned ? "da fare" : "presente")
                    << fdi << int(row.state) << planned << (planned ? row.planned : row.present);
}

void TestChart::odontogramPlan()
{
    QFETCH(int, fdi);
    QFETCH(int, state);
    QFETCH(bool, planned);
    QFETCH(QList<int>, symbols);
    const ToothState given{State(state), planned, Surfaces(O | D)};
    const QMap<int, ToothState> states{{fdi, given}, {11, ToothState{}}};
    const Dentition dentition = fdi < 50 ? Dentition::Permanent : Dentition::Deciduous;
    const QList<Mark> marks = plan(states, dentition);
    QCOMPARE(symbolsOf(marks), symbols);
    const bool onSurfaces = State(state) == State::Carie || State(state) == State::Otturazione;
    for (const Mark &mark : marks) {
        QCOMPARE(mark.fdi, fdi);
        const quint32 expected = mark.symbol == Symbol::Faded ? kFadeColour
                                 : isPathology(State(state))  ? kPathologyColour // red as found
                                 : planned                    ? kPlannedColour
                                                              : kPresentColour;
        QCOMPARE(mark.colour, expected);
        QCOMPARE(mark.surfaces, onSurfaces ? Surfaces(O | D) : Surfaces(0));
        // Drawn on the tooth: every point near its centre.
        const Place &p = place(fdi);
        const double reach = qMax(p.width, p.depth) / 2 + 6;
        for (const Report::Shape &shape : shapes(mark)) {
            const QList<QPointF> points =
                shape.kind == Report::Shape::Ellipse ? QList<QPointF>{shape.points[0]} : shape.points;
            for (const QPointF &point : points)
                QVERIFY2(QLineF(point, p.centre).length() <= reach * 1.5,
                         qPrintable(QString::number(int(mark.symbol))));
        }
    }
    // The other dentition's scheme has nothing of it.
    const Dentition other = dentition == Dentition::Permanent ? Dentition::Deciduous : Dentition::Permanent;
    QVERIFY(plan(states, other).isEmpty());
    QVERIFY(!teeth(other).contains(fdi));
    QVERIFY(teeth(dentition).contains(fdi));
}

void TestChart::odontogramNames_data()
{
    QTest::addColumn<int>("fdi");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("planned");
    QTest::addColumn<int>("surfaces");
    QTest::addColumn<QString>("name");
    QTest::newRow("molar") << 36 << int(State::Otturazione) << false << int(O | D)
                           << "Dente 36: otturazione presente, superfici DO";
    QTest::newRow("upper incisor") << 11 << int(State::Carie) << true << int(M | O | L)
                                   << "Dente 11: carie da fare, superfici MIP";
    QTest::newRow("lower canine") << 43 << int(State::Carie) << false << int(O | V | L)
                                  << "Dente 43: carie, superfici IVL";
    QTest::newRow("one surface") << 46 << int(State::Otturazione) << false << int(L)
                                 << "Dente 46: otturazione presente, superficie L";
    QTest::newRow("upper premolar") << 24 << int(State::Otturazione) << true << int(O | L)
                                    << "Dente 24: otturazione da fare, superfici OP";
    QTest::newRow("crown, surfaces dropped")
        << 85 << int(State::Corona) << true << int(O) << "Dente 85: corona da fare";
    QTest::newRow("healthy is healthy") << 16 << int(State::Sano) << true << int(O) << "Dente 16: sano";
    QTest::newRow("deciduous bridge") << 55 << int(State::PontePilastro) << false << 0
                                      << "Dente 55: ponte pilastro presente";
    QTest::newRow("removable") << 31 << int(State::ProtesiMobile) << false << 0 << "Dente 31: protesi mobile presente";
}

void TestChart::odontogramNames()
{
    QFETCH(int, fdi);
    QFETCH(int, state);
    QFETCH(bool, planned);
    QFETCH(int, surfaces);
    QFETCH(QString, name);
    QCOMPARE(toothName(fdi, ToothState{State(state), planned, Surfaces(surfaces)}), name);
}

void TestChart::odontogramSurfacesLieOnTheirSides_data()
{
    QTest::addColumn<int>("fdi");
    QTest::addColumn<int>("towardsMiddle"); // the tooth beside it nearer the middle of the arch
    for (const auto &[fdi, next] : {std::pair{18, 17},
                                    {11, 21},
                                    {21, 11},
                                    {26, 25},
                                    {36, 35},
                                    {41, 31},
                                    {48, 47},
                                    {55, 54},
                                    {61, 51},
                                    {75, 74},
                                    {83, 82}})
        QTest::addRow("%d", fdi) << fdi << next;
}

void TestChart::odontogramSurfacesLieOnTheirSides()
{
    QFETCH(int, fdi);
    QFETCH(int, towardsMiddle);
    const Place &p = place(fdi);
    QVERIFY(p.width > 0 && p.depth > 0);
    const auto centroid = [](const QList<QPointF> &points) {
        QPointF sum;
        for (const QPointF &point : points)
            sum += point;
        return sum / double(points.size());
    };
    const QList<Report::Shape> drawn = shapes(Mark{fdi, Symbol::Surfaces, kPresentColour, M | D | O | V | L});
    QCOMPARE(drawn.size(), 5); // M, D, O, V, L
    const QPointF toMiddle = place(towardsMiddle).centre - p.centre;
    const auto along = [&](int i) { return QPointF::dotProduct(centroid(drawn[i].points) - p.centre, toMiddle); };
    QVERIFY(along(0) > 0); // mesial towards the middle
    QVERIFY(along(1) < 0); // distal away from it
    // Vestibular out of the mouth: farther from the inside of the arch than the tooth.
    const QPointF inside(139, isUpper(fdi) ? 215 : 262);
    const double distance = QLineF(p.centre, inside).length();
    QVERIFY(QLineF(centroid(drawn[3].points), inside).length() > distance);
    QVERIFY(QLineF(centroid(drawn[4].points), inside).length() < distance);
    QVERIFY(QLineF(centroid(drawn[2].points), p.centre).length() < 0.5);
    // Each surface is filled, in the mark's colour.
    for (const Report::Shape &shape : drawn)
        QCOMPARE(shape.fill, kPresentColour);
    // A click on the tooth chooses it.
    QCOMPARE(toothAt(p.centre, dentitionOf(fdi)), fdi);
}

void TestChart::odontogramNeighbours()
{
    QCOMPARE(neighbour(11, Step::Right), 21);
    QCOMPARE(neighbour(11, Step::Left), 12);
    QCOMPARE(neighbour(18, Step::Left), 0);
    QCOMPARE(neighbour(28, Step::Right), 0);
    QCOMPARE(neighbour(36, Step::Up), 26);
    QCOMPARE(neighbour(26, Step::Down), 36);
    QCOMPARE(neighbour(26, Step::Up), 0);
    QCOMPARE(neighbour(55, Step::Down), 85);
    QCOMPARE(neighbour(65, Step::Right), 0);
    QCOMPARE(teeth(Dentition::Permanent).size(), 32);
    QCOMPARE(teeth(Dentition::Deciduous).size(), 20);
    QCOMPARE(teeth(Dentition::Deciduous).first(), 55);
    QCOMPARE(teeth(Dentition::Deciduous).last(), 75);
    // A deciduous tooth lies where the permanent tooth of its place lies.
    QCOMPARE(place(54).centre, place(14).centre);
    QCOMPARE(place(81).centre, place(41).centre);
    QCOMPARE(toothTitle(36), QStringLiteral("primo molare inferiore sinistro"));
    QCOMPARE(toothTitle(55), QStringLiteral("secondo molare deciduo superiore destro"));
}

// The deciduous scheme: a picture the program reads, each of the 20 teeth drawn at its place,
// its number written once.
void TestChart::deciduousSchemeDrawsEveryToothAtItsPlace()
{
    QSvgRenderer renderer(QStringLiteral(":/icons/dental-scheme-deciduous.svg"));
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.defaultSize(), QSize(278, 472));
    QFile file(QStringLiteral(":/icons/dental-scheme-deciduous.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString svg = QString::fromUtf8(file.readAll());
    QSet<QString> centres;
    const QRegularExpression translate(QStringLiteral("translate\\(([0-9.]+) ([0-9.]+)\\)"));
    for (auto it = translate.globalMatch(svg); it.hasNext();) {
        const auto m = it.next();
        centres.insert(QStringLiteral("%1,%2").arg(m.captured(1).toDouble()).arg(m.captured(2).toDouble()));
    }
    QCOMPARE(centres.size(), 20);
    for (int fdi : teeth(Dentition::Deciduous)) {
        const QPointF c = place(fdi).centre;
        QVERIFY2(centres.contains(QStringLiteral("%1,%2").arg(c.x()).arg(c.y())), qPrintable(QString::number(fdi)));
        QCOMPARE(svg.count(QStringLiteral(">%1</text>").arg(fdi)), 1);
    }
    // The permanent scheme is a valid picture too, its teeth where the odontogram puts them.
    QVERIFY(QSvgRenderer(QStringLiteral(":/icons/dental-scheme.svg")).isValid());
    for (int tooth = 1; tooth <= 32; ++tooth) {
        const QPoint mark = ChartRules::tooth(tooth).mark;
        QCOMPARE(place(ChartRules::tooth(tooth).fdi).centre, QPointF(mark.x() + 8.5, mark.y() + 8.5));
    }
}

// The file's bytes against its layout (docs/files.md, "The odontogram file").
void TestChart::odontogramRecordBytes()
{
    QCOMPARE(int(sizeof(TOdontogramRecord)), 56);
    const Entry e{at(10, 9, 30), 36, ToothState{State::Otturazione, false, Surfaces(O | D)}};
    const TOdontogramRecord r = record(e);
    const QByteArray bytes(recordBytes(r), TOdontogramRecord::Size);
    const auto field = [&](int offset, int capacity) {
        return bytes.mid(offset + 1, quint8(bytes[offset])) + QByteArray::number(capacity);
    };
    QCOMPARE(field(0, 10), QByteArray("10/12/202610"));
    QCOMPARE(field(11, 5), QByteArray("09:305"));
    QCOMPARE(field(17, 2), QByteArray("362"));
    QCOMPARE(field(20, 20), QByteArray("otturazione20"));
    QCOMPARE(field(41, 8), QByteArray("presente8"));
    QCOMPARE(field(50, 5), QByteArray("DO5"));
    QCOMPARE(entry(r), std::optional<Entry>(e));

    const TOdontogramRecord planned = record(Entry{at(10, 9, 30), 85, ToothState{State::PonteElemento, true, O}});
    QCOMPARE(planned.Stato.text(), QStringLiteral("ponte elemento"));
    QCOMPARE(planned.Condizione.text(), QStringLiteral("da fare"));
    QCOMPARE(planned.Superfici.text(), QString()); // a bridge has no surfaces
    QCOMPARE(odontogramFileName(QStringLiteral(" 7 ")), QStringLiteral("Odontogramma_Paziente_7.pro"));
}

// A damaged record (a date, tooth, state, condition or surfaces that do not read) is passed
// over, as a partial last record is; the next entry is appended after the last whole record.
void TestChart::odontogramFileSkipsDamagedRecords()
{
    TestWorld world;
    const auto good = [](int fdi, State state) { return record(Entry{at(10, 9, 30), fdi, ToothState{state}}); };
    QList<TOdontogramRecord> records{good(11, State::Corona)};
    TOdontogramRecord r = good(12, State::Corona);
    r.Data.setText(QStringLiteral("31/02/2026"));
    records << r;
    r = good(19, State::Corona); // no such tooth
    records << r;
    r = good(13, State::Corona);
    r.Stato.setText(QStringLiteral("gengivite"));
    records << r;
    r = good(14, State::Corona);
    r.Condizione.setText(QStringLiteral("forse"));
    records << r;
    r = good(15, State::Otturazione);
    r.Superfici.setText(QStringLiteral("OX"));
    records << r;
    records << good(36, State::Impianto);
    QByteArray bytes;
    for (const TOdontogramRecord &each : records)
        bytes.append(recordBytes(each), TOdontogramRecord::Size);
    bytes.append(QByteArray(30, 'x')); // a save cut short
    world.write(kOdontogram2, bytes);

    const QList<Entry> read = Odontogram::read(world.file(kOdontogram2));
    QCOMPARE(read.size(), 2);
    QCOMPARE(read[0].fdi, 11);
    QCOMPARE(read[1].fdi, 36);
    QCOMPARE(read[1].state.state, State::Impianto);

    const Entry next{at(11, 8, 0), 46, ToothState{State::Devitalizzato}};
    QCOMPARE(append(world.file(kOdontogram2), {next}), 1);
    const QByteArray after = world.read(kOdontogram2);
    QCOMPARE(after.size(), 8 * TOdontogramRecord::Size);
    QCOMPARE(Odontogram::read(world.file(kOdontogram2)).last(), next);

    // A missing file is created empty at first use.
    QCOMPARE(Odontogram::read(world.file(QStringLiteral("Odontogramma_Paziente_9.pro"))), QList<Entry>());
    QVERIFY(QFileInfo::exists(world.file(QStringLiteral("Odontogramma_Paziente_9.pro"))));
}

// Changes before the save: one per tooth, the last; back to the saved state, none.
void TestChart::odontogramChangesBeforeTheSave()
{
    const QMap<int, ToothState> saved{{36, ToothState{State::Otturazione, false, O}}};
    QList<Entry> pending;
    pending = withChange(pending, saved, Entry{QDateTime(QDate(2026, 12, 10), QTime(9, 30, 41)), 36, {State::Corona}});
    pending = withChange(pending, saved, Entry{at(10, 9, 31), 11, {State::Carie, true, V}});
    pending = withChange(pending, saved, Entry{at(10, 9, 32), 36, {State::Corona, true}});
    QCOMPARE(pending.size(), 2);
    QCOMPARE(pending[0].fdi, 11);
    QCOMPARE(pending[1], (Entry{at(10, 9, 32), 36, ToothState{State::Corona, true}}));
    pending = withChange(pending, saved, Entry{at(10, 9, 33), 36, {State::Otturazione, false, O}});
    QCOMPARE(pending.size(), 1);
    pending = withChange(pending, saved, Entry{at(10, 9, 34), 11, {State::Sano, true, O}});
    QVERIFY(pending.isEmpty());

    // The latest entry of a tooth is its state; its history keeps every entry, in order.
    const QList<Entry> file{{at(1, 9, 0), 36, {State::Carie, false, O}},
                            {at(2, 9, 0), 11, {State::Corona}},
                            {at(3, 9, 0), 36, {State::Otturazione, false, O}}};
    QCOMPARE(latest(file).value(36), (ToothState{State::Otturazione, false, O}));
    QCOMPARE(latest(file).value(11), ToothState{State::Corona});
    QCOMPARE(latest(file).value(48), ToothState{});
    QCOMPARE(history(file, 36).size(), 2);
    QCOMPARE(historyLine(history(file, 36).first()), QStringLiteral("01/12/2026 09:00   carie, superficie O"));
}

void TestChart::odontogramPanelDrawsAndNamesTheTooth()
{
    TestWorld world;
    TfrmDentalCondition w(kName, emptyTeeth(), world.file(kOdontogram2), {});
    w.show();
    QCOMPARE(w.chosenTooth(), 11);
    QCOMPARE(w.imgSchemaDentale->geometry(), QRect(652, 56, 278, 472));
    QCOMPARE(w.toothButton(36)->accessibleName(), QStringLiteral("Dente 36: sano"));
    // A click on the tooth's place on the scheme chooses it.
    QTest::mouseClick(w.imgSchemaDentale, Qt::LeftButton, {}, place(36).centre.toPoint());
    QCOMPARE(w.chosenTooth(), 36);
    QVERIFY(w.toothButton(36)->isChecked());
    QVERIFY(!w.toothButton(11)->isChecked());
    QCOMPARE(w.panOdontogramma->lblDente->text(), QStringLiteral("Dente 36: primo molare inferiore sinistro"));
    // Surfaces only for caries and fillings; no condition for a healthy tooth.
    QVERIFY(!w.panOdontogramma->chkSuperficie(O)->isEnabled());
    QVERIFY(!w.panOdontogramma->optDaFare->isEnabled());
    setState(&w, 36, State::Otturazione, false, O | D);
    QVERIFY(w.panOdontogramma->chkSuperficie(O)->isEnabled());
    QCOMPARE(w.toothButton(36)->accessibleName(), QStringLiteral("Dente 36: otturazione presente, superfici DO"));
    QCOMPARE(w.imgSchemaDentale->marks(), (QList<Mark>{{36, Symbol::Surfaces, kPresentColour, O | D}}));
    QCOMPARE(w.panOdontogramma->chkSuperficie(O)->accessibleName(), QStringLiteral("Occlusale (O)"));
    QCOMPARE(w.panOdontogramma->chkSuperficie(L)->accessibleName(), QStringLiteral("Linguale (L)"));
    // On an upper incisor the same boxes read I and P.
    w.chooseTooth(21);
    QCOMPARE(w.panOdontogramma->chkSuperficie(O)->text(), QStringLiteral("I"));
    QCOMPARE(w.panOdontogramma->chkSuperficie(L)->accessibleName(), QStringLiteral("Palatale (P)"));
    setState(&w, 21, State::Assente);
    QCOMPARE(symbolsOf(w.imgSchemaDentale->marks()),
             (QList<int>{int(Symbol::Faded), int(Symbol::Cross), int(Symbol::Surfaces)}));
    QCOMPARE(w.pendingStates().size(), 2);
    QVERIFY(w.pendingStates()[1].when == Moment(at(10, 9, 30)));
    // Every control of the panel has its name.
    const OdontogramPanel *panel = w.panOdontogramma;
    for (QWidget *control : std::initializer_list<QWidget *>{panel->cboStato, panel->optPresente, panel->optDaFare,
                                                             panel->optPermanenti, panel->optDecidui, panel->btnStoria})
        QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    QCOMPARE(w.panOdontogramma->cboStato->count(), 11);
    QCOMPARE(w.panOdontogramma->cboStato->itemText(6), QStringLiteral("Ponte: pilastro"));
    // Nothing written by the window.
    QCOMPARE(world.read(kOdontogram2).size(), 0);
}

void TestChart::odontogramKeyboardOnly()
{
    TestWorld world;
    TfrmDentalCondition w(kName, emptyTeeth(), world.file(kOdontogram2), {});
    w.show();
    QApplication::setActiveWindow(&w);
    // F2 in tooth 36's note: the tooth on the scheme.
    QLineEdit *note36 = w.txtDente(19);
    QCOMPARE(w.txtDente(19)->accessibleName(), QStringLiteral("Dente 36"));
    note36->setFocus();
    QTest::keyClick(note36, Qt::Key_F2);
    QCOMPARE(w.chosenTooth(), 36);
    QCOMPARE(w.focusWidget(), w.toothButton(36));
    QVERIFY(w.imgSchemaDentale->chosenHasFocus());
    // The arrows go round the scheme.
    QTest::keyClick(w.toothButton(36), Qt::Key_Right);
    QCOMPARE(w.focusWidget(), w.toothButton(37));
    QTest::keyClick(w.toothButton(37), Qt::Key_Up);
    QCOMPARE(w.focusWidget(), w.toothButton(27));
    QTest::keyClick(w.toothButton(27), Qt::Key_Down);
    QTest::keyClick(w.toothButton(37), Qt::Key_Left);
    QCOMPARE(w.chosenTooth(), 36);
    // Tab reaches the chosen tooth only.
    QCOMPARE(w.toothButton(36)->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(w.toothButton(37)->focusPolicy(), Qt::ClickFocus);
    // Enter: the state list; then the keys set the state and the surfaces.
    QTest::keyClick(w.toothButton(36), Qt::Key_Return);
    QCOMPARE(w.focusWidget(), w.panOdontogramma->cboStato);
    while (w.panOdontogramma->cboStato->currentData().toInt() != int(State::Otturazione))
        QTest::keyClick(w.panOdontogramma->cboStato, Qt::Key_Down);
    QTest::keyClick(w.panOdontogramma->cboStato, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), w.panOdontogramma->optPresente);
    QTest::keyClick(w.panOdontogramma->optPresente, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), w.panOdontogramma->chkSuperficie(M));
    QTest::keyClick(w.panOdontogramma->chkSuperficie(M), Qt::Key_Tab);
    QTest::keyClick(w.panOdontogramma->chkSuperficie(D), Qt::Key_Space);
    QTest::keyClick(w.panOdontogramma->chkSuperficie(D), Qt::Key_Tab);
    QTest::keyClick(w.panOdontogramma->chkSuperficie(O), Qt::Key_Space);
    QCOMPARE(w.toothButton(36)->accessibleName(), QStringLiteral("Dente 36: otturazione presente, superfici DO"));
    // Back to the tooth, and with F2 to its note.
    w.toothButton(36)->setFocus();
    QTest::keyClick(w.toothButton(36), Qt::Key_F2);
    QCOMPARE(w.focusWidget(), note36);
    // A screen reader meets the tooth as a checked button with its state.
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w.toothButton(36));
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Dente 36: otturazione presente, superfici DO"));
    QVERIFY(iface->state().focusable);
    QVERIFY(iface->state().checked);
}

void TestChart::odontogramDeciduousTeeth()
{
    TestWorld world;
    QStringList notes = emptyTeeth();
    notes[0] = QStringLiteral("nota");
    TfrmDentalCondition w(kName, notes, world.file(kOdontogram2), {});
    w.show();
    QVERIFY(w.icoWarn(1)->isVisible());
    w.chooseTooth(14);
    QTest::mouseClick(w.panOdontogramma->optDecidui, Qt::LeftButton);
    QCOMPARE(w.imgSchemaDentale->dentition(), Dentition::Deciduous);
    QCOMPARE(w.chosenTooth(), 54); // the tooth of the same place
    QVERIFY(w.toothButton(54)->isVisible());
    QVERIFY(!w.toothButton(14)->isVisible());
    QVERIFY(!w.icoWarn(1)->isVisible()); // the notes are the permanent teeth's
    QTest::mouseClick(w.imgSchemaDentale, Qt::LeftButton, {}, place(75).centre.toPoint());
    QCOMPARE(w.chosenTooth(), 75);
    setState(&w, 75, State::Carie, true, O | M);
    // Caries is found, never planned: "Da fare" is not offered for it.
    QCOMPARE(w.imgSchemaDentale->marks(), (QList<Mark>{{75, Symbol::Hatched, kPathologyColour, O | M}}));
    QCOMPARE(w.toothButton(75)->accessibleName(), QStringLiteral("Dente 75: carie, superfici MO"));
    // Back to the permanent teeth: the deciduous marks stay off their scheme.
    QTest::mouseClick(w.panOdontogramma->optPermanenti, Qt::LeftButton);
    QCOMPARE(w.chosenTooth(), 35);
    QVERIFY(w.imgSchemaDentale->marks().isEmpty());
    QVERIFY(w.icoWarn(1)->isVisible());
    QCOMPARE(w.pendingStates().size(), 1);
    QCOMPARE(w.pendingStates()[0].fdi, 75);
}

// The card's own flow: the close box applies nothing; "Applica e chiudi" hands the changes to
// the card, which stores nothing before "Salva"; "Salva" appends them, dated; a later change
// is a new entry, the old one kept; the history shows both.
void TestChart::odontogramCloseBoxApplyAndSave()
{
    TestWorld world;
    TfrmClients *card = secondCard(world);
    QCOMPARE(card->position(), 2);
    const QString file = world.file(kOdontogram2);

    Modal::queue([](QWidget *window) {
        setState(qobject_cast<TfrmDentalCondition *>(window), 36, State::Otturazione, false, O | D);
        window->close();
    });
    card->btnConditionClick();
    QVERIFY(card->pendingStates().isEmpty());
    QVERIFY(QFileInfo::exists(file)); // created empty at first use
    QCOMPARE(world.read(kOdontogram2).size(), 0);

    Modal::queue([](QWidget *window) {
        auto *w = qobject_cast<TfrmDentalCondition *>(window);
        setState(w, 36, State::Otturazione, false, O | D);
        setState(w, 48, State::Assente);
        press(w, "btnClose");
    });
    card->btnConditionClick();
    QCOMPARE(card->pendingStates().size(), 2);
    QCOMPARE(world.read(kOdontogram2).size(), 0); // nothing before "Salva"

    // Reopened before the save: the changes show, and are handed back again.
    ToothState shown;
    Modal::queue([&](QWidget *window) {
        shown = qobject_cast<TfrmDentalCondition *>(window)->toothState(36);
        press(window, "btnClose");
    });
    card->btnConditionClick();
    QCOMPARE(shown, (ToothState{State::Otturazione, false, O | D}));
    QCOMPARE(card->pendingStates().size(), 2);

    card->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{kUpdatedMessage});
    QVERIFY(card->pendingStates().isEmpty());
    QByteArray bytes = world.read(kOdontogram2);
    QCOMPARE(bytes.size(), 2 * TOdontogramRecord::Size);
    const TOdontogramRecord first = record(Entry{at(10, 9, 30), 36, ToothState{State::Otturazione, false, O | D}});
    QCOMPARE(bytes.left(TOdontogramRecord::Size), QByteArray(recordBytes(first), TOdontogramRecord::Size));
    QCOMPARE(entriesOf(bytes)[1], (Entry{at(10, 9, 30), 48, ToothState{State::Assente}}));
    card->cmdSaveClick(); // nothing more to append
    shownMessages();
    QCOMPARE(world.read(kOdontogram2).size(), 2 * TOdontogramRecord::Size);

    // The next day a crown: a new entry; the filling stays in the history.
    Clock::setFixed(QDateTime(QDate(2026, 12, 11), QTime(10, 5)));
    QStringList historyLines;
    Modal::queue([](QWidget *window) {
        auto *w = qobject_cast<TfrmDentalCondition *>(window);
        QCOMPARE(w->toothState(48), ToothState{State::Assente}); // reopened: as saved
        setState(w, 36, State::Corona);
        press(w, "btnStoria");
        press(w, "btnClose");
    });
    Modal::queue([&](QWidget *window) { historyLines = control<FixedList>(window, "lstStoria")->lines(); });
    card->btnConditionClick();
    QCOMPARE(historyLines, (QStringList{QStringLiteral("10/12/2026 09:30   otturazione presente, superfici DO"),
                                        QStringLiteral("11/12/2026 10:05   corona presente (da salvare)")}));
    card->cmdSaveClick();
    shownMessages();
    const QList<Entry> entries = Odontogram::read(file);
    QCOMPARE(entries.size(), 3);
    QCOMPARE(latest(entries).value(36), ToothState{State::Corona});
    QCOMPARE(history(entries, 36).size(), 2);
    QCOMPARE(history(entries, 36).first().state.state, State::Otturazione);

    // Reopened after the save: the history from the file, the latest shown.
    Modal::queue([&](QWidget *window) {
        auto *w = qobject_cast<TfrmDentalCondition *>(window);
        QCOMPARE(w->toothButton(36)->accessibleName(), QStringLiteral("Dente 36: corona presente"));
        w->chooseTooth(36);
        press(w, "btnStoria");
        window->close();
    });
    Modal::queue([&](QWidget *window) { historyLines = control<FixedList>(window, "lstStoria")->lines(); });
    card->btnConditionClick();
    QCOMPARE(historyLines, (QStringList{QStringLiteral("10/12/2026 09:30   otturazione presente, superfici DO"),
                                        QStringLiteral("11/12/2026 10:05   corona presente")}));

    // Changes applied and then another card shown: they go with the card they were made on.
    Modal::queue([](QWidget *window) {
        setState(qobject_cast<TfrmDentalCondition *>(window), 11, State::Impianto);
        press(window, "btnClose");
    });
    card->btnConditionClick();
    QCOMPARE(card->pendingStates().size(), 1);
    card->cmdFirstClick();
    QVERIFY(card->pendingStates().isEmpty());
    card->cmdSaveClick();
    shownMessages();
    QVERIFY(!QFileInfo::exists(world.file(QStringLiteral("Odontogramma_Paziente_1.pro"))));
    QCOMPARE(Odontogram::read(file).size(), 3);
    QCOMPARE(Modal::takeOpened().count(QStringLiteral("frmStoriaDente")), 2);
}

// A duplicated card and a new one take none of the odontogram's changes of the card shown.
void TestChart::odontogramNewAndDuplicatedCards()
{
    TestWorld world;
    TfrmClients *card = secondCard(world);
    const auto change = [&] {
        Modal::queue([](QWidget *window) {
            setState(qobject_cast<TfrmDentalCondition *>(window), 26, State::Devitalizzato);
            press(window, "btnClose");
        });
        card->btnConditionClick();
        QCOMPARE(card->pendingStates().size(), 1);
    };
    change();
    card->cmdDuplicateClick();
    QVERIFY(card->pendingStates().isEmpty());
    card->cmdSaveClick(); // the copy: card 3
    QCOMPARE(card->position(), 3);
    QVERIFY(!QFileInfo::exists(world.file(QStringLiteral("Odontogramma_Paziente_3.pro"))));

    card->cmdLastClick();
    change();
    card->cmdNewClick();
    QVERIFY(card->pendingStates().isEmpty());
    QVERIFY(!QFileInfo::exists(world.file(kOdontogram2)) || world.read(kOdontogram2).isEmpty());
    shownMessages();
}

// A save whose changes cannot be written says so and keeps them; the next save writes them.
void TestChart::odontogramChangesNotWrittenStayForTheNextSave()
{
    TestWorld world;
    TfrmClients *card = secondCard(world);
    Modal::queue([](QWidget *window) {
        setState(qobject_cast<TfrmDentalCondition *>(window), 17, State::Corona, true);
        press(window, "btnClose");
    });
    card->btnConditionClick();
    QVERIFY(QFile::remove(world.file(kOdontogram2)));
    QVERIFY(QDir().mkpath(world.file(kOdontogram2))); // no file can be written there
    card->cmdSaveClick();
    // The failure alone: no "saved" after it, so that nobody takes the states for stored.
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
    QCOMPARE(card->pendingStates().size(), 1);
    QVERIFY(QDir().rmdir(world.file(kOdontogram2)));
    card->cmdSaveClick();
    QCOMPARE(shownMessages(), QStringList{kUpdatedMessage});
    QVERIFY(card->pendingStates().isEmpty());
    QCOMPARE(Odontogram::read(world.file(kOdontogram2)),
             (QList<Entry>{{at(10, 9, 30), 17, ToothState{State::Corona, true}}}));
}

void TestChart::odontogramUnreadableFile()
{
    TestWorld world;
    QDir().mkpath(world.file(kOdontogram2)); // a folder where the file should be
    TfrmDentalCondition w(kName, emptyTeeth(), world.file(kOdontogram2), {});
    w.show();
    QCOMPARE(shownMessages(), QStringList{QStringLiteral("error: ") + kArchiveFailure});
    QVERIFY(!w.panOdontogramma->cboStato->isEnabled());
    QVERIFY(w.toothStates().isEmpty());
    QVERIFY(w.txtDente(1)->isEnabled()); // the notes still work
}

// The chart's print: the first page as it was, then the odontogram's page.
void TestChart::odontogramPrintedPage()
{
    const QString title = QStringLiteral("Stato dentale di Rossi Mario");
    const QDateTime now(QDate(2026, 4, 3), QTime(14, 5, 9));
    QStringList notes = emptyTeeth();
    notes[18] = QStringLiteral("otturazione");
    const QMap<int, ToothState> states{{36, {State::Otturazione, false, O | D}},
                                       {85, {State::Corona, true}},
                                       {11, {State::Sano}},
                                       {48, {State::Assente}}};
    const QList<Page> pages = ChartDocument::make(title, notes, now, printed(states)).prepare();
    QCOMPARE(pages.size(), 2);

    // Page one: exactly the chart's page.
    const Page one = ChartDocument::make(title, notes, now).prepare()[0];
    QCOMPARE(pages[0].texts.size(), one.texts.size());
    for (qsizetype i = 0; i < one.texts.size(); ++i) {
        QCOMPARE(pages[0].texts[i].name, one.texts[i].name);
        QCOMPARE(pages[0].texts[i].rect, one.texts[i].rect);
        QCOMPARE(pages[0].texts[i].lines, one.texts[i].lines);
    }
    QCOMPARE(pages[0].boxes.size(), one.boxes.size());
    QVERIFY(pages[0].figures.isEmpty());

    const Page &page = pages[1];
    QCOMPARE(textOf(page, QStringLiteral("txtOdontoTitolo")),
             QStringLiteral("Odontogramma - Stato dentale di Rossi Mario"));
    QCOMPARE(textOf(page, QStringLiteral("titPermanenti")), QStringLiteral("DENTI PERMANENTI"));
    QCOMPARE(textOf(page, QStringLiteral("titDecidui")), QStringLiteral("DENTI DECIDUI"));
    QCOMPARE(textOf(page, QStringLiteral("txtOdontoCalce")),
             QStringLiteral("Scheda stampata in data 03/04/2026 alle ore 14:05:09"));
    // Both schemes, each with its teeth's numbers on it.
    for (const auto &[name, dentition] : {std::pair{QStringLiteral("figPermanenti"), Dentition::Permanent},
                                          std::pair{QStringLiteral("figDecidui"), Dentition::Deciduous}}) {
        const Figure *figure = page.figure(name);
        QVERIFY(figure);
        QCOMPARE(figure->canvas, QSizeF(278, 472));
        for (int fdi : teeth(dentition)) {
            const TextBox *number = page.text(QStringLiteral("txtFdi%1").arg(fdi));
            QVERIFY2(number, qPrintable(QString::number(fdi)));
            QCOMPARE(number->lines, QStringList{QString::number(fdi)});
            QVERIFY(figure->rect.contains(number->rect.center()));
        }
    }
    // The marks, in their colours, on their scheme.
    const auto colours = [&](const QString &name) {
        QSet<quint32> out;
        for (const Report::Shape &shape : page.figure(name)->shapes)
            out.insert(shape.pen);
        return out;
    };
    QVERIFY(colours(QStringLiteral("figPermanenti")).contains(kPresentColour));
    QVERIFY(!colours(QStringLiteral("figPermanenti")).contains(kPlannedColour));
    QVERIFY(colours(QStringLiteral("figDecidui")).contains(kPlannedColour));
    // The legend: every state but sano, and the two colours.
    for (int i = 1; i <= 10; ++i) {
        QCOMPARE(textOf(page, QStringLiteral("txtLegenda%1").arg(i)), stateCaption(Odontogram::states().at(i)));
        QVERIFY(page.figure(QStringLiteral("figLegenda%1").arg(i)));
    }
    QCOMPARE(textOf(page, QStringLiteral("txtLegendaDaFare")), QStringLiteral("In rosso: da fare"));
    QCOMPARE(page.text(QStringLiteral("txtLegendaDaFare"))->colour, kPlannedColour);
    QCOMPARE(textOf(page, QStringLiteral("txtLegendaPresente")), QStringLiteral("In blu: presente"));
    // The states, in the order of the numbers; a healthy tooth not listed.
    QCOMPARE(page.text(QStringLiteral("txtStati1"))->lines,
             (QStringList{QStringLiteral("36: otturazione presente, superfici DO")}));
    QCOMPARE(page.text(QStringLiteral("txtStati2"))->lines, (QStringList{QStringLiteral("48: assente")}));
    QCOMPARE(page.text(QStringLiteral("txtStati3"))->lines, (QStringList{QStringLiteral("85: corona da fare")}));
    // Everything on the page.
    const QRectF printable(QPointF(0, 0), QSizeF(190, 277));
    for (const TextBox &box : page.texts)
        QVERIFY2(printable.contains(box.rect), qPrintable(box.name));
    for (const Figure &figure : page.figures)
        QVERIFY2(printable.contains(figure.rect), qPrintable(figure.name));

    // No states: the page says so.
    const Page empty = ChartDocument::make(title, notes, now, printed({})).prepare()[1];
    QCOMPARE(textOf(empty, QStringLiteral("txtStati1")), ChartDocument::kNoStates);
    // A full mouth fits its three columns.
    QMap<int, ToothState> all;
    for (Dentition d : {Dentition::Permanent, Dentition::Deciduous})
        for (int fdi : teeth(d))
            all.insert(fdi, ToothState{State::Otturazione, true, M | D | O | V | L});
    const Page full = ChartDocument::make(title, notes, now, printed(all)).prepare()[1];
    QImage probe(10, 10, QImage::Format_RGB32);
    int shownLinesCount = 0;
    for (int column = 1; column <= 3; ++column) {
        const TextBox *box = full.text(QStringLiteral("txtStati%1").arg(column));
        shownLinesCount += int(shownLines(*box, QFontMetricsF(qtFont(box->font), &probe), 4.0).size());
    }
    QCOMPARE(shownLinesCount, 52);
}

QTEST_MAIN(TestChart)
// ---- The chart on a small screen, its keys and words -------------------------------------

void TestChart::chartFitsASmallScreen()
{
    TestWorld world;
    TfrmDentalCondition w(kName, emptyTeeth(), world.file(kOdontogram2), {});
    w.show();
    // With its title bar the window fits 1024 x 768, as the cards do.
    QVERIFY(w.width() <= 1024);
    QVERIFY(w.height() + 40 <= 768);
    const QRect inside = w.rect();
    const auto allInside = [&](QWidget *page) {
        for (QWidget *child : page->findChildren<QWidget *>()) {
            if (!child->isVisibleTo(&w) || child->objectName().isEmpty())
                continue;
            const QRect at(child->mapTo(&w, QPoint()), child->size());
            QVERIFY2(inside.contains(at), qPrintable(child->objectName()));
        }
    };
    // The notes' page first; a click on a tooth opens the odontogram's page.
    QVERIFY(w.pagNote->isVisible());
    QVERIFY(!w.pagOdontogramma->isVisible());
    allInside(w.panContainer);
    QCOMPARE(w.btnPaginaNote->text(), QStringLiteral("Note sui denti"));
    QCOMPARE(w.btnPaginaOdontogramma->text(), QStringLiteral("Odontogramma"));
    QVERIFY(w.btnPaginaNote->isChecked());
    QTest::mouseClick(w.btnPaginaOdontogramma, Qt::LeftButton);
    QVERIFY(w.pagOdontogramma->isVisible());
    QTest::mouseClick(w.btnPaginaNote, Qt::LeftButton);
    QVERIFY(w.pagNote->isVisible());
    const QPointF tooth36 = place(36).centre;
    QTest::mouseClick(w.imgSchemaDentale, Qt::LeftButton, {}, tooth36.toPoint());
    QCOMPARE(w.chosenTooth(), 36);
    QVERIFY(w.pagOdontogramma->isVisible());
    QVERIFY(!w.pagNote->isVisible());
    allInside(w.panContainer);
    for (QWidget *control : std::initializer_list<QWidget *>{
             w.panOdontogramma->optDaFare, w.panOdontogramma->chkSuperficie(L), w.panOdontogramma->imgLegenda,
             w.panOdontogramma->btnStoria, w.btnPreview, w.btnPrint, w.btnClose, w.imgSchemaDentale})
        QVERIFY2(control->isVisible(), qPrintable(control->objectName()));
    // The note markers stay on the scheme on either page.
    w.showPage(TfrmDentalCondition::kNotesPage);
    w.txtDente(19)->setText(QStringLiteral("nota"));
    QVERIFY(w.icoWarn(19)->isVisible());
    w.showPage(TfrmDentalCondition::kOdontogramPage);
    QVERIFY(w.icoWarn(19)->isVisible());
    // F2 from the tooth goes back to its note, on the notes' page.
    QApplication::setActiveWindow(&w);
    w.toothButton(36)->setFocus();
    QTest::keyClick(w.toothButton(36), Qt::Key_F2);
    QCOMPARE(w.focusWidget(), w.txtDente(19));
    QVERIFY(w.pagNote->isVisible());
}

void TestChart::tabLandsOnTheChosenChoice()
{
    TestWorld world;
    const QList<Entry> pending{{at(11, 10, 0), 11, ToothState{State::Corona, true, {}}}};
    TfrmDentalCondition w(kName, emptyTeeth(), world.file(kOdontogram2), pending);
    w.show();
    QApplication::setActiveWindow(&w);
    w.chooseTooth(11);
    w.showPage(TfrmDentalCondition::kOdontogramPage);
    OdontogramPanel *panel = w.panOdontogramma;
    QVERIFY(panel->optDaFare->isChecked());
    // From the state list Tab lands on "Da fare", the choice made, and Right does nothing there.
    panel->cboStato->setFocus();
    QTest::keyClick(panel->cboStato, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), panel->optDaFare);
    // The arrows still go to the other choice, and choose it; Tab then follows it.
    QTest::keyClick(panel->optDaFare, Qt::Key_Left);
    QCOMPARE(w.focusWidget(), panel->optPresente);
    QVERIFY(panel->optPresente->isChecked());
    QCOMPARE(w.toothState(11), (ToothState{State::Corona, false, {}}));
    panel->cboStato->setFocus();
    QTest::keyClick(panel->cboStato, Qt::Key_Tab);
    QCOMPARE(w.focusWidget(), panel->optPresente);
    // Backwards from the chosen tooth: the dentition shown, never the other one.
    w.toothButton(11)->setFocus();
    QTest::keyClick(w.toothButton(11), Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), panel->optPermanenti);
    panel->optDecidui->setChecked(true);
    w.toothButton(w.chosenTooth())->setFocus();
    QTest::keyClick(w.focusWidget(), Qt::Key_Backtab);
    QCOMPARE(w.focusWidget(), panel->optDecidui);
}

void TestChart::surfacesAsDentistsWriteThem_data()
{
    QTest::addColumn<int>("fdi");
    QTest::addColumn<int>("surfaces");
    QTest::addColumn<QString>("written");
    QTest::newRow("mesial and occlusal") << 36 << int(M | O) << "MO";
    QTest::newRow("distal and occlusal") << 36 << int(O | D) << "DO";
    QTest::newRow("MOD") << 46 << int(D | O | M) << "MOD";
    QTest::newRow("MODV") << 16 << int(V | D | O | M) << "MODV";
    QTest::newRow("all, upper premolar") << 24 << int(L | V | D | O | M) << "MODVP";
    QTest::newRow("incisal, upper incisor") << 11 << int(M | O | D | L) << "MIDP";
    QTest::newRow("lower canine") << 43 << int(O | V | L) << "IVL";
    QTest::newRow("distal, vestibular") << 75 << int(D | O | V) << "DOV";
    QTest::newRow("one surface") << 36 << int(V) << "V";
    QTest::newRow("none") << 36 << 0 << "";
}

void TestChart::surfacesAsDentistsWriteThem()
{
    QFETCH(int, fdi);
    QFETCH(int, surfaces);
    QFETCH(QString, written);
    QCOMPARE(writtenSurfaces(Surfaces::fromInt(uint(surfaces)), fdi), written);
    const ToothState state{State::Otturazione, false, Surfaces::fromInt(uint(surfaces))};
    if (!written.isEmpty())
        QVERIFY(describe(state, fdi).endsWith(QLatin1Char(' ') + written));
    // The file keeps its own order: what older files hold reads back the same.
    const Entry e{at(10, 9, 30), fdi, state};
    QCOMPARE(entry(record(e))->state.surfaces, state.surfaces);
}

void TestChart::chosenRingLeavesTheNumberInSight()
{
    // The frame of the chosen tooth, its pen included, stays short of the FDI number's text
    // (10 units high, centred on its place) on every tooth of both dentitions.
    for (Dentition dentition : {Dentition::Permanent, Dentition::Deciduous})
        for (int fdi : teeth(dentition)) {
            const Ring frame = ring(fdi);
            const QPointF label = place(fdi).label - frame.centre;
            const double turn = qDegreesToRadians(frame.angle - 90);
            // The label in the ring's own axes.
            const double x = label.x() * std::cos(turn) + label.y() * std::sin(turn);
            const double y = -label.x() * std::sin(turn) + label.y() * std::cos(turn);
            const double a = frame.alongArch + Ring::kPen / 2 + 5, b = frame.across + Ring::kPen / 2 + 5;
            QVERIFY2((x * x) / (a * a) + (y * y) / (b * b) >= 1, qPrintable(QString::number(fdi)));
            QVERIFY(frame.across >= place(fdi).depth / 2); // it still goes round the tooth
        }
}

void TestChart::historyInDateOrder()
{
    // Written in this order: a filling on the 10th, a crown on the 12th, then an extraction
    // dated the 11th (recorded late).
    const QList<Entry> written{
        {at(10, 9, 30), 36, ToothState{State::Otturazione, false, Surfaces(O)}},
        {at(12, 9, 0), 36, ToothState{State::Corona, false, {}}},
        {at(11, 8, 0), 36, ToothState{State::DaEstrarre, false, {}}},
        {at(11, 8, 0), 46, ToothState{State::Carie, false, Surfaces(O)}},
        {at(11, 8, 0), 46, ToothState{State::Otturazione, false, Surfaces(O)}},
    };
    const QList<Entry> shown = history(written, 36);
    QCOMPARE(shown, (QList<Entry>{written[0], written[2], written[1]}));
    QCOMPARE(latest(written).value(36), written[1].state); // the late entry does not become current
    QCOMPARE(latest(written).value(46), written[4].state); // the same minute: the one written last
    TfrmStoriaDente storia(36, shown, {}, nullptr);
    QCOMPARE(storia.lstStoria->count(), 3);
    QCOMPARE(storia.lstStoria->currentIndex().row(), 2); // opens on the latest entry
    QVERIFY(storia.lstStoria->line(2).contains(QStringLiteral("corona")));
}

void TestChart::findingsAndWork_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("work");
    QTest::addColumn<QString>("found");
    QTest::addColumn<quint32>("colour");
    const struct
    {
        State state;
        bool work;
        const char *found;
        quint32 colour;
    } rows[] = {
        {State::Assente, false, "assente", kPresentColour},
        {State::DaEstrarre, false, "da estrarre", kPathologyColour},
        {State::Carie, false, "carie", kPathologyColour},
        {State::Otturazione, true, "otturazione presente", kPresentColour},
        {State::Corona, true, "corona presente", kPresentColour},
        {State::PontePilastro, true, "ponte pilastro presente", kPresentColour},
        {State::PonteElemento, true, "ponte elemento presente", kPresentColour},
        {State::Impianto, true, "impianto presente", kPresentColour},
        {State::Devitalizzato, true, "devitalizzato presente", kPresentColour},
        {State::ProtesiMobile, true, "protesi mobile presente", kPresentColour},
    };
    for (const auto &r : rows)
        QTest::newRow(r.found) << int(r.state) << r.work << QString::fromLatin1(r.found) << r.colour;
}

void TestChart::findingsAndWork()
{
    QFETCH(int, state);
    QFETCH(bool, work);
    QFETCH(QString, found);
    QFETCH(quint32, colour);
    const State s = State(state);
    QCOMPARE(canBePlanned(s), work);
    QCOMPARE(describe(ToothState{s, false, {}}, 36), found);
    QCOMPARE(Odontogram::colour(ToothState{s, false, {}}), colour);
    if (work)
        QCOMPARE(Odontogram::colour(ToothState{s, true, {}}), kPlannedColour);
    // The panel offers "Da fare" for work only; an older file's "da fare" on anything else is
    // shown as it is.
    TestWorld world;
    const QList<Entry> pending{{at(11, 10, 0), 36, ToothState{s, true, {}}}};
    TfrmDentalCondition w(kName, emptyTeeth(), world.file(kOdontogram2), pending);
    w.show();
    w.chooseTooth(36);
    QCOMPARE(w.panOdontogramma->optDaFare->isEnabled(), work);
    QCOMPARE(w.panOdontogramma->optPresente->isEnabled(), work);
    QCOMPARE(w.toothButton(36)->accessibleName(),
             QStringLiteral("Dente 36: ") + stateName(s) + QStringLiteral(" da fare"));
    // Chosen afresh in the list, a finding is stored as found.
    const int index = w.panOdontogramma->cboStato->findData(state);
    w.panOdontogramma->cboStato->setCurrentIndex(w.panOdontogramma->cboStato->findData(int(State::Corona)));
    w.panOdontogramma->optDaFare->setChecked(true);
    QVERIFY(w.toothState(36).planned);
    w.panOdontogramma->cboStato->setCurrentIndex(index);
    QCOMPARE(w.toothState(36).planned, work);
}

void TestChart::planListInToothOrder()
{
    const QMap<int, ToothState> states{
        {75, ToothState{State::Otturazione, true, Surfaces(O | D)}},
        {11, ToothState{State::Corona, true, {}}},
        {21, ToothState{State::Otturazione, false, Surfaces(O)}},
        {36, ToothState{State::Otturazione, true, Surfaces(M | O | D)}},
        {46, ToothState{State::Carie, false, Surfaces(O)}},
        {47, ToothState{State::Impianto, true, {}}},
    };
    QCOMPARE(planList(states), (QList<PlannedWork>{{11, State::Corona, {}},
                                                   {36, State::Otturazione, Surfaces(M | O | D)},
                                                   {47, State::Impianto, {}},
                                                   {75, State::Otturazione, Surfaces(O | D)}}));
}

#include "tst_chart.moc"
