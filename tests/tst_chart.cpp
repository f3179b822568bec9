// The dental chart (window, scheme markers, document, print and preview), the treatment
// register (lines, total, file, window) and the two patient card buttons that open them.
#include "support/ListScreen.h"
#include "support/TestSupport.h"

#include "app/Windows.h"
#include "app/frmAvvio.h"
#include "chart/ChartRules.h"
#include "chart/TreatmentRegister.h"
#include "chart/frmAllegaExcel.h"
#include "chart/frmDentalCondition.h"
#include "patients/frmClients.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "print/ChartDocument.h"
#include "print/ReportRenderer.h"
#include "storage/RecordFile.h"
#include "storage/TreatmentRecord.h"
#include "ui/FixedList.h"
#include "ui/PictureButton.h"

#include <QApplication>
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
    Windows::frmAvvio()->show();
    Windows::frmAvvio()->imgApp01Click();
    TfrmClients *w = Windows::frmClients();
    QApplication::setActiveWindow(w);
    w->txtName->setText(name);
    w->setPosition(7);
    return w;
}

QString toothField(int tooth) { return QStringLiteral("txtDente") + ChartRules::suffix(tooth); }

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
    TfrmDentalCondition w(kName, emptyTeeth());
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
    QCOMPARE(ico->geometry(), QRect(marker, QSize(17, 17)));

    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(w.focusWidget(), w.txtDente(next));
}

void TestChart::enterVisitsEveryToothOnce()
{
    TestWorld world;
    TfrmDentalCondition w(kName, emptyTeeth());
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
    TfrmDentalCondition w(kName, emptyTeeth());
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
    TfrmDentalCondition w(QStringLiteral("  Rossi Mario "), teeth);
    QCOMPARE(w.lblTitolo->text(), QStringLiteral("Stato dentale del paziente"));
    QCOMPARE(w.windowTitle(), QStringLiteral(" Stato dentale del paziente"));
    QCOMPARE(w.size(), QSize(996, 614));
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
    const std::optional<QStringList> applied = TfrmDentalCondition::edit(nullptr, kName, teeth);
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
    QVERIFY(!TfrmDentalCondition::edit(nullptr, kName, teeth).has_value());
    QCOMPARE(Modal::takeOpened(),
             (QStringList{QStringLiteral("frmDentalCondition"), QStringLiteral("frmDentalCondition")}));
}

// Escape is no way out of either window: what was typed stays, and the window stays open.
void TestChart::escapeKeepsTypedWork()
{
    TestWorld world;
    TfrmDentalCondition chart(kName, emptyTeeth());
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
    TfrmDentalCondition w(kName, teeth);
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
    QCOMPARE(pages.size(), 1);
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

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
