// Report documents, the list document, the card documents and their dialogs, print and preview.
#include "support/Faults.h"
#include "support/Fixtures.h"
#include "support/TestSupport.h"

#include "platform/Modal.h"
#include "platform/PrintPreview.h"
#include "platform/Printer.h"
#include "platform/Progress.h"
#include "appointments/AppointmentCard.h"
#include "patients/PatientCard.h"
#include "print/CardDocuments.h"
#include "print/ListDocument.h"
#include "print/ListPrint.h"
#include "print/ReportRenderer.h"
#include "print/frmCardPrint.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

namespace {

// The printed rows of a card from texts by field name, as a card window's controls give them.
QList<CardDocuments::Row> rowsOf(const CardFields::Description &card, const QHash<QByteArray, QString> &texts)
{
    return CardDocuments::rows(card, [&texts](const char *field) { return texts.value(QByteArray(field)); });
}

QList<CardDocuments::Row> appointmentRows(const TAppointmentRecord &record)
{
    return CardDocuments::rows(AppointmentCard::description(), recordBytes(record));
}

QList<CardDocuments::Row> patientRows(const TPatientRecord &record)
{
    return CardDocuments::rows(PatientCard::description(), recordBytes(record));
}

} // namespace

using namespace Report;

namespace {

const double kPitch = unitsToMm(ListDocument::kLineUnits);
const double kPadding = unitsToMm(ListDocument::kPaddingUnits);

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines.append(QStringLiteral("Riga %1").arg(i, 3, 10, QLatin1Char('0')));
    return lines;
}

// The prepared pages of the only document printed (or previewed) since the last call.
QList<Page> onlyPages(const QList<Printer::Document> &documents)
{
    if (documents.size() != 1) {
        qWarning("expected one document, got %d", int(documents.size()));
        return {};
    }
    const auto job = std::dynamic_pointer_cast<const Job>(documents.first());
    return job ? job->pages() : QList<Page>();
}

QString textOf(const Page &page, const QString &name)
{
    const TextBox *box = page.text(name);
    return box ? box->lines.join(QLatin1Char('\n')) : QStringLiteral("<no %1>").arg(name);
}

bool near(double a, double b) { return std::abs(a - b) < 1e-3; }

// A stand-in for a card window: named controls of the kinds the real cards use.
struct FakeCard
{
    QWidget window;

    FakeCard(const QString &name) { window.setObjectName(name); }
    QLineEdit *edit(const QString &name, const QString &text)
    {
        auto *e = new QLineEdit(text, &window);
        e->setObjectName(name);
        return e;
    }
    QComboBox *combo(const QString &name, const QString &text)
    {
        auto *c = new QComboBox(&window);
        c->setObjectName(name);
        c->setEditable(true);
        c->addItems({QStringLiteral("00"), QStringLiteral("10"), QStringLiteral("30")});
        c->setEditText(text);
        return c;
    }
    void label(const QString &name, const QString &text)
    {
        auto *l = new QLabel(text, &window);
        l->setObjectName(name);
        l->hide();
    }
    void check(const QString &name, bool on)
    {
        auto *c = new QCheckBox(&window);
        c->setObjectName(name);
        c->setChecked(on);
    }
};

// The rows of the printed patient card, top to bottom: the field and the label beside it.
const std::pair<QString, QString> kPatientCardRows[] = {
    {QStringLiteral("txtName"), QStringLiteral("Cognome e nome:")},
    {QStringLiteral("txtGender"), QStringLiteral("Sesso:")},
    {QStringLiteral("txtBirthDate"), QStringLiteral("Data di nascita:")},
    {QStringLiteral("txtBirthPlace"), QStringLiteral("Luogo di nascita:")},
    {QStringLiteral("txtStreet"), QStringLiteral("Via e numero civico:")},
    {QStringLiteral("txtCity"), QStringLiteral("Citt\u00E0:")},
    {QStringLiteral("txtState"), QStringLiteral("Provincia:")},
    {QStringLiteral("txtZip"), QStringLiteral("CAP:")},
    {QStringLiteral("txtCitizenship"), QStringLiteral("Cittadinanza:")},
    {QStringLiteral("txtTaxNumber"), QStringLiteral("Codice fiscale:")},
    {QStringLiteral("txtSSN"), QStringLiteral("Partita IVA:")},
    {QStringLiteral("txtEmail"), QStringLiteral("E-mail:")},
    {QStringLiteral("txtHomePhone"), QStringLiteral("Telefono:")},
    {QStringLiteral("txtMobilePhone"), QStringLiteral("Cellulare:")},
    {QStringLiteral("txtOccupation"), QStringLiteral("Occupazione:")},
    {QStringLiteral("txtWork"), QStringLiteral("Sede di lavoro:")},
    {QStringLiteral("txtPathologies"), QStringLiteral("Patologie e handicap:")},
    {QStringLiteral("txtDrugs"), QStringLiteral("Medicinali assunti:")},
    {QStringLiteral("txtAllergies"), QStringLiteral("Allergie note:")},
    {QStringLiteral("txtProblems"), QStringLiteral("Problemi dentali principali:")},
    {QStringLiteral("txtIssues"), QStringLiteral("Questioni in sospeso:")},
    {QStringLiteral("txtCommunication"), QStringLiteral("Modalit\u00E0 di pagamento:")},
    {QStringLiteral("txtDentist"), QStringLiteral("Dentista assegnato:")},
    {QStringLiteral("txtTimes"), QStringLiteral("Orari preferenziali:")},
    {QStringLiteral("txtStatus"), QStringLiteral("Stato dei pagamenti:")},
    {QStringLiteral("txtNotes"), QStringLiteral("Note:")},
};

// An appointment card with every field filled, blanks around the texts.
TAppointmentRecord appointment(bool fulfilled)
{
    return appointmentRecord({.data = QStringLiteral(" 12/12/2026 "),
                              .ore = QStringLiteral("10"),
                              .minuti = QStringLiteral("30"),
                              .ora = QStringLiteral("08:15"), // the saved time: not printed
                              .avviso = QStringLiteral("3"),
                              .tipologia = QStringLiteral("Dott. Bianchi"),
                              .causale = QStringLiteral("  Otturazione"),
                              .dettagli = QStringLiteral("Molare inferiore"),
                              .contatto = QStringLiteral("Rossi Mario  "),
                              .tel = QStringLiteral("0212345"),
                              .cel = QStringLiteral("3471234567"),
                              .email = QStringLiteral("mario@example.it"),
                              .luogo = QStringLiteral("Contanti"),
                              .importo = QStringLiteral("80,00"),
                              .note = QStringLiteral("Portare le lastre"),
                              .flag = fulfilled ? kFlagYes : kFlagNo});
}

// Counts the pages of a PDF and reads the size of the first.
int pdfPages(const QByteArray &pdf, QString *mediaBox)
{
    const QString text = QString::fromLatin1(pdf);
    const QRegularExpression box(QStringLiteral("MediaBox \\[([^\\]]*)\\]"));
    if (mediaBox)
        *mediaBox = box.match(text).captured(1).simplified();
    return int(text.count(QRegularExpression(QStringLiteral("/Type /Page(?!s)"))));
}

bool press(QWidget *window, const char *button)
{
    auto *b = window->findChild<QPushButton *>(QString::fromLatin1(button));
    if (!b)
        return false;
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void listDocumentPages_data();
    void listDocumentPages();
    void longListPagesInOrder();
    void listDocumentTitleAndFooterBands();
    void listFooterByWindow_data();
    void listFooterByWindow();
    void appointmentCardDocument_data();
    void appointmentCardDocument();
    void patientCardDocument();
    void textBoxShowsOnlyWhatFits_data();
    void textBoxShowsOnlyWhatFits();
    void longValueIsCutAtTheBoxEdge();
    void printPathWritesRealPdf();
    void printerThatCannotStartIsReported();
    void cancelledLongPrintLeavesNothing_data();
    void cancelledLongPrintLeavesNothing();
    void printCutShortLeavesTheEarlierPdf();
    void cancelledPreviewCloses();
    void cardDialogs_data();
    void cardDialogs();
    void cancelledPrintDialogPrintsNothing();
    void annullaProducesNothing();
    void previewOffersOnlyItsFourCommandsAt100();
    void patientCardDialogReadsTheCardOnScreen();
};

void TestPrint::listDocumentPages_data()
{
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QList<int>>("linesPerPage");
    QTest::addColumn<int>("footerPage");
    QTest::addColumn<double>("footerTop");

    // Page 1 holds the 8 mm title and 53 lines of 3.39 mm; the next pages 56 lines each.
    QTest::newRow("empty list: title, empty band, footer") << 0 << QList<int>{0} << 0 << 8 + kPadding + 2;
    QTest::newRow("one line") << 1 << QList<int>{1} << 0 << 8 + kPitch + kPadding + 2;
    QTest::newRow("a full first page") << 53 << QList<int>{53, 0} << 1 << 2.0;
    QTest::newRow("100 lines over two pages") << 100 << QList<int>{53, 47} << 1 << 47 * kPitch + kPadding + 2;
    QTest::newRow("footer alone on a third page") << 109 << QList<int>{53, 56, 0} << 2 << 2.0;
}

void TestPrint::listDocumentPages()
{
    QFETCH(int, lineCount);
    QFETCH(QList<int>, linesPerPage);
    QFETCH(int, footerPage);
    QFETCH(double, footerTop);

    const QStringList lines = numberedLines(lineCount);
    const QList<Page> pages = ListDocument::make(QStringLiteral("Titolo"), lines, QStringLiteral("Piede")).prepare();

    QCOMPARE(pages.size(), qMax(linesPerPage.size(), footerPage + 1));
    QStringList printed;
    for (int p = 0; p < pages.size(); ++p) {
        const TextBox *data = pages[p].text(QStringLiteral("txtRiepilogo"));
        const int expected = p < linesPerPage.size() ? linesPerPage[p] : 0;
        QCOMPARE(data ? int(data->lines.size()) : 0, expected);
        if (data) {
            // Each piece starts at the top of its page (under the title on the first) and
            // holds exactly its lines.
            QVERIFY(near(data->rect.top(), p == 0 ? 8 : 0));
            QVERIFY(near(data->rect.height(), expected * kPitch));
            QVERIFY(data->rect.bottom() <= 190 + 1e-6);
            printed += data->lines;
        }
        QCOMPARE(pages[p].text(QStringLiteral("txtTitolo")) != nullptr, p == 0);
        QCOMPARE(pages[p].text(QStringLiteral("txtPagina")) != nullptr, p == footerPage);
    }
    QCOMPARE(printed, lines);
    const TextBox *footer = pages[footerPage].text(QStringLiteral("txtPagina"));
    QVERIFY2(near(footer->rect.top(), footerTop), qPrintable(QString::number(footer->rect.top())));
}

// A list of 850,000 lines (some 15,000 pages): each page holds the next 56 lines in order,
// none lost or repeated. The pages are made in one pass over the lines; made by copying the
// rest of the list once per page, this list did not finish.
void TestPrint::longListPagesInOrder()
{
    constexpr int kLines = 850000;
    QStringList lines;
    lines.reserve(kLines);
    for (int i = 1; i <= kLines; ++i)
        lines.append(QString::number(i));
    const QList<Page> pages = ListDocument::make(QStringLiteral("Titolo"), lines, QStringLiteral("Piede")).prepare();
    QCOMPARE(pages.size(), 1 + (kLines - 53 + 55) / 56);
    qsizetype next = 0;
    for (int p = 0; p < pages.size(); ++p) {
        const TextBox *data = pages[p].text(QStringLiteral("txtRiepilogo"));
        QVERIFY(data);
        const qsizetype expected = qMin<qsizetype>(p == 0 ? 53 : 56, kLines - next);
        QCOMPARE(data->lines.size(), expected);
        if (data->lines != lines.mid(next, expected))
            QFAIL(qPrintable(
                QStringLiteral("page %1 does not hold lines %2 to %3").arg(p + 1).arg(next + 1).arg(next + expected)));
        next += expected;
    }
    QCOMPARE(next, qsizetype(kLines));
    QVERIFY(pages.last().text(QStringLiteral("txtPagina")));
}

void TestPrint::listDocumentTitleAndFooterBands()
{
    const Document doc = ListDocument::make(QStringLiteral("Riepilogo impegni assolti"), numberedLines(2),
                                            QStringLiteral("Stampa eseguita in data 10/12/2026"));
    QCOMPARE(doc.orientation(), Document::Landscape);
    QCOMPARE(doc.printableSize(), QSizeF(277, 190));
    const Page page = doc.prepare().first();

    const TextBox *title = page.text(QStringLiteral("txtTitolo"));
    QCOMPARE(title->lines, QStringList{QStringLiteral("Riepilogo impegni assolti")});
    QCOMPARE(title->rect, QRectF(2, 1, 273, 5));
    QCOMPARE(title->fill, Colour::SlateGrey);
    QCOMPARE(title->colour, Colour::White);
    QCOMPARE(title->font.family, QStringLiteral("Verdana"));
    QCOMPARE(title->font.points, 9.0);
    QVERIFY(title->font.bold);
    QCOMPARE(title->align, Align::Centre);
    QCOMPARE(title->flow, Flow::WordWrap);

    const TextBox *data = page.text(QStringLiteral("txtRiepilogo"));
    QCOMPARE(data->rect.left(), 3.0);
    QCOMPARE(data->rect.width(), 273.0);
    QCOMPARE(data->font.family, QStringLiteral("Courier New"));
    QCOMPARE(data->font.points, 8.0);
    QCOMPARE(data->fill, Colour::None);
    QCOMPARE(data->flow, Flow::Cut);

    const TextBox *footer = page.text(QStringLiteral("txtPagina"));
    QCOMPARE(footer->lines, QStringList{QStringLiteral("Stampa eseguita in data 10/12/2026")});
    QCOMPARE(footer->rect.left(), 3.0);
    QCOMPARE(footer->rect.size(), QSizeF(272, 5));
    QCOMPARE(footer->fill, Colour::SlateGrey);
    QCOMPARE(footer->font.points, 8.0);
    QVERIFY(footer->font.bold);
    QCOMPARE(footer->flow, Flow::WordWrap);
}

void TestPrint::listFooterByWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("footer");
    QTest::newRow("find patients") << "frmFindClients"
                                   << "Printed on 10/12/2026";
    QTest::newRow("pending issues") << "frmListIssues"
                                    << "Printed on 10/12/2026";
    QTest::newRow("treatments") << "frmAllegaExcel"
                                << "Stampa eseguita in data 10/12/2026";
    QTest::newRow("to fulfil") << "frmConfermati"
                               << "Stampa eseguita in data 10/12/2026";
    QTest::newRow("agenda") << "frmAgenda"
                            << "Stampa eseguita in data 10/12/2026";
}

void TestPrint::listFooterByWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, footer);
    TestWorld world;
    QWidget caller;
    caller.setObjectName(window);
    auto *button = new QPushButton(&caller); // callers may pass one of their controls

    ListPrint::print(button, QStringLiteral("Riepilogo"), {QStringLiteral("una riga")});

    const QList<Page> pages = onlyPages(Printer::takePrinted());
    QCOMPARE(pages.size(), 1);
    QCOMPARE(textOf(pages[0], QStringLiteral("txtPagina")), footer);
    QCOMPARE(textOf(pages[0], QStringLiteral("txtRiepilogo")), QStringLiteral("una riga"));
}

void TestPrint::appointmentCardDocument_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row"); // -1: not a row

    QTest::newRow("date, trimmed") << "txtData"
                                   << "12/12/2026" << 0;
    QTest::newRow("time from hours and minutes") << "txtOra"
                                                 << "10:30" << 1;
    QTest::newRow("dentist") << "txtTipologia"
                             << "Dott. Bianchi" << 2;
    QTest::newRow("treatments, trimmed") << "txtCausale"
                                         << "Otturazione" << 3;
    QTest::newRow("patient, trimmed") << "txtContatto"
                                      << "Rossi Mario" << 5;
    QTest::newRow("payment") << "txtLuogo"
                             << "Contanti" << 9;
    QTest::newRow("amount") << "txtImporto"
                            << "80,00" << 10;
    QTest::newRow("notes") << "txtNote"
                           << "Portare le lastre" << 11;
    QTest::newRow("fulfilled") << "txtOttemperata"
                               << "S\u00EC" << 12;
    QTest::newRow("label of the last row") << "lblOttemperata"
                                           << "Impegno assolto:" << -1;
    QTest::newRow("heading") << "titScheda"
                             << "SCHEDA APPUNTAMENTO" << -1;
    QTest::newRow("footer with date and time") << "txtCalce"
                                               << "Stampa eseguita in data 10/12/2026 alle ore 14:05:09" << -1;
}

void TestPrint::appointmentCardDocument()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(int, row);

    const QHash<QByteArray, QString> card = {
        {"Data", QStringLiteral(" 12/12/2026 ")},      {"OreApp", QStringLiteral("10 ")},
        {"MinutiApp", QStringLiteral(" 30")},          {"Tipologia", QStringLiteral("Dott. Bianchi")},
        {"Causale", QStringLiteral("  Otturazione")},  {"Contatto", QStringLiteral("Rossi Mario\t")},
        {"Luogo", QStringLiteral("Contanti")},         {"Importo", QStringLiteral("80,00")},
        {"Note", QStringLiteral("Portare le lastre")}, {"Ottemperata", kFlagYes},
    };
    const Document doc = CardDocuments::appointmentCard(rowsOf(AppointmentCard::description(), card),
                                                        QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    QCOMPARE(doc.orientation(), Document::Portrait);
    const QList<Page> pages = doc.prepare();
    QCOMPARE(pages.size(), 1);

    QCOMPARE(textOf(pages[0], box), text);
    if (row >= 0) {
        const TextBox *value = pages[0].text(box);
        QCOMPARE(value->rect, QRectF(44, 7.5 + 5 * row, 144, 3.5));
        QCOMPARE(value->font.family, QStringLiteral("Arial"));
        QCOMPARE(value->font.points, 7.0);
        QCOMPARE(value->flow, Flow::Cut);
    }
}

void TestPrint::patientCardDocument()
{
    QHash<QString, QString> fields;
    for (const auto &[name, label] : kPatientCardRows)
        fields.insert(name, QStringLiteral("  ") + name.mid(3) + QStringLiteral(" "));
    fields.insert(QStringLiteral("txtTimes"), QString()); // an empty field prints an empty value
    // The card's texts by field name: each field's control is named "txt" and the field's name.
    QHash<QByteArray, QString> texts;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        texts.insert(it.key().mid(3).toLatin1(), it.value());
    const QList<CardDocuments::Row> rows = rowsOf(PatientCard::description(), texts);
    const QList<Page> pages = CardDocuments::patientCard(rows, QDateTime(QDate(2026, 4, 3), QTime(14, 5, 9))).prepare();
    QCOMPARE(pages.size(), 1);
    const Page &page = pages[0];

    QCOMPARE(rows.size(), 26);
    QCOMPARE(std::size(kPatientCardRows), size_t(26));
    for (int k = 0; k < 26; ++k) {
        const auto &[name, label] = kPatientCardRows[k];
        const QString expected = name == QLatin1String("txtTimes") ? QString() : name.mid(3);
        QCOMPARE(textOf(page, name), expected);
        QCOMPARE(page.text(name)->rect, QRectF(44, 7.5 + 5 * k, 144, 3.5));
        const QString labelName = QStringLiteral("lbl") + name.mid(3);
        QCOMPARE(textOf(page, labelName), label);
        QCOMPARE(page.text(labelName)->rect, QRectF(2, 7.5 + 5 * k, 37.8, 3.5));
        QCOMPARE(page.boxes[k + 1].rect, QRectF(1, 7 + 5 * k, 188, 4.6));
    }
    QCOMPARE(textOf(page, QStringLiteral("lblName")), QStringLiteral("Cognome e nome:"));
    QCOMPARE(textOf(page, QStringLiteral("lblNotes")), QStringLiteral("Note:"));
    QCOMPARE(textOf(page, QStringLiteral("titArcataSup")), QStringLiteral("SCHEDA PAZIENTE"));
    QCOMPARE(page.text(QStringLiteral("titArcataSup"))->rect, QRectF(2, 2, 185.8, 4.2));
    QCOMPARE(page.boxes.first().rect, QRectF(1, 1, 188, 5.8));
    QCOMPARE(page.boxes.first().fill, Colour::LightSteelBlue);
    QCOMPARE(page.boxes.last().rect, QRectF(1, 139, 188, 5.8));
    QCOMPARE(page.boxes.last().fill, Colour::Gold);
    QCOMPARE(page.rules.size(), 1);
    QCOMPARE(page.rules[0].top, QPointF(42, 7));
    QVERIFY(near(page.rules[0].length, 129.6));
    QCOMPARE(textOf(page, QStringLiteral("txtCalce")),
             QStringLiteral("Scheda stampata in data 03/04/2026 alle ore 14:05:09"));
    QCOMPARE(page.text(QStringLiteral("txtCalce"))->rect, QRectF(2, 140, 185.8, 4.2));
}

void TestPrint::textBoxShowsOnlyWhatFits_data()
{
    QTest::addColumn<int>("flow");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("pitch");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("shown");

    const QString longTitle = QStringLiteral("Riepilogo ") + QStringLiteral("parola ").repeated(80);
    QTest::newRow("a cut box keeps its long line whole (cut when drawn)")
        << int(Flow::Cut) << 3.5 << 0.0 << QStringList{longTitle} << QStringList{longTitle};
    QTest::newRow("a short title is one line")
        << int(Flow::WordWrap) << 5.0 << 0.0 << QStringList{QStringLiteral("Riepilogo impegni")}
        << QStringList{QStringLiteral("Riepilogo impegni")};
    QTest::newRow("a box shows only the lines its height holds")
        << int(Flow::Cut) << 3 * kPitch << kPitch << numberedLines(5) << numberedLines(3);
    QTest::newRow("an empty box shows nothing") << int(Flow::Cut) << 0.0 << kPitch << QStringList() << QStringList();
}

void TestPrint::textBoxShowsOnlyWhatFits()
{
    QFETCH(int, flow);
    QFETCH(double, height);
    QFETCH(double, pitch);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, shown);

    QImage device(10, 10, QImage::Format_RGB32);
    TextBox box;
    box.rect = QRectF(0, 0, 273, height);
    box.font = Font{QStringLiteral("Verdana"), 9, true};
    box.flow = Flow(flow);
    box.linePitch = pitch;
    box.lines = lines;
    QCOMPARE(shownLines(box, QFontMetricsF(qtFont(box.font), &device), 4.0), shown);
}

void TestPrint::longValueIsCutAtTheBoxEdge()
{
    // A title too long for its bar wraps at words and only its first line shows.
    {
        QImage device(10, 10, QImage::Format_RGB32);
        TextBox title = *ListDocument::design().findText(QStringLiteral("txtTitolo"));
        title.lines = QStringList{QStringLiteral("Riepilogo trattamenti di ") + QStringLiteral("Rossi ").repeated(90)};
        const QStringList shown = shownLines(title, QFontMetricsF(qtFont(title.font), &device), 4.0);
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown[0].startsWith(QStringLiteral("Riepilogo trattamenti di Rossi")));
        QVERIFY(shown[0].size() < title.lines[0].trimmed().size());
        QVERIFY(!shown[0].endsWith(QLatin1Char(' ')));
    }

    // A 250-character treatments text prints on one line and no ink passes the row's frame.
    const QHash<QByteArray, QString> card = {
        {"Causale", QStringLiteral("Otturazione molare e controllo ").repeated(9).left(250)}};
    const Page page = CardDocuments::appointmentCard(rowsOf(AppointmentCard::description(), card),
                                                     QDateTime(QDate(2026, 12, 10), QTime(9, 30)))
                          .prepare()[0];
    const double pxPerMm = 8;
    QImage image(int(210 * pxPerMm), int(100 * pxPerMm), QImage::Format_RGB32);
    image.fill(Qt::white);
    // The device's resolution matches the scale, so that point sizes come out right.
    image.setDotsPerMeterX(int(pxPerMm * 1000));
    image.setDotsPerMeterY(int(pxPerMm * 1000));
    {
        QPainter painter(&image);
        paintPage(painter, page, pxPerMm, QPointF(10 * pxPerMm, 10 * pxPerMm));
    }
    const TextBox *value = page.text(QStringLiteral("txtCausale"));
    const int top = int((10 + value->rect.top() + 0.3) * pxPerMm);
    const int bottom = int((10 + value->rect.bottom() - 0.3) * pxPerMm);
    const auto inkBetween = [&](double fromMm, double toMm) {
        int ink = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = int(fromMm * pxPerMm); x < int(toMm * pxPerMm); ++x)
                if (qGray(image.pixel(x, y)) < 160)
                    ++ink;
        return ink;
    };
    QVERIFY(inkBetween(10 + 44, 10 + 188) > 100); // the text is there
    QCOMPARE(inkBetween(10 + 189.5, 209.5), 0);   // and stops at the row's right edge
}

void TestPrint::printPathWritesRealPdf()
{
    TestWorld world;
    const QString pdf = world.file(QStringLiteral("riepilogo.pdf"));
    Printer::setPdfFile(pdf);
    QWidget caller;
    caller.setObjectName(QStringLiteral("frmConfermati"));

    ListPrint::print(&caller, QStringLiteral("Riepilogo impegni da assolvere"), numberedLines(100));

    QCOMPARE(onlyPages(Printer::takePrinted()).size(), 2);
    const QByteArray bytes = world.read(QStringLiteral("riepilogo.pdf"));
    QVERIFY(bytes.startsWith("%PDF-"));
    QString mediaBox;
    QCOMPARE(pdfPages(bytes, &mediaBox), 2);
    QCOMPARE(mediaBox, QStringLiteral("0 0 842.000000 595.000000")); // A4 landscape, in points
}

void TestPrint::printerThatCannotStartIsReported()
{
    TestWorld world;
    Printer::setPdfFile(world.file(QStringLiteral("missing-folder/riepilogo.pdf")));

    QVERIFY(!Report::print(nullptr, ListDocument::make(QStringLiteral("Riepilogo"), {}, QStringLiteral("Piede"))));

    QCOMPARE(shownMessages(),
             QStringList{QStringLiteral("error: Attenzione: impossibile avviare la stampa.\r\n\r\n"
                                        "Verificare che la stampante sia disponibile oppure che il file di "
                                        "destinazione possa essere scritto.")});
}

// A long print shows its progress and can be cancelled: cancelled at any page, nothing is
// printed, no file cut short is left, an earlier file of that name stays as it was and no
// message says it was done; let run, the whole file takes the earlier one's place.
void TestPrint::cancelledLongPrintLeavesNothing_data()
{
    QTest::addColumn<int>("cancelAt"); // the pages done when the user cancels; -1: never
    QTest::addColumn<bool>("earlier"); // a PDF of that name is there before
    QTest::newRow("before the first page") << 0 << false;
    QTest::newRow("half-way") << 20 << false;
    QTest::newRow("before the last page") << 39 << false;
    QTest::newRow("not cancelled") << -1 << false;
    QTest::newRow("over an earlier PDF, before the first page") << 0 << true;
    QTest::newRow("over an earlier PDF, half-way") << 20 << true;
    QTest::newRow("over an earlier PDF, not cancelled") << -1 << true;
}

void TestPrint::cancelledLongPrintLeavesNothing()
{
    QFETCH(int, cancelAt);
    QFETCH(bool, earlier);
    TestWorld world;
    QVERIFY(QDir(world.folder()).mkdir(QStringLiteral("stampe")));
    const QString pdf = world.file(QStringLiteral("stampe/riepilogo.pdf"));
    QByteArray earlierPdf;
    if (earlier) {
        Printer::setPdfFile(pdf);
        QVERIFY(Report::print(nullptr,
                              ListDocument::make(QStringLiteral("Prima"), numberedLines(10), QStringLiteral("Piede"))));
        Printer::takePrinted();
        Progress::takeShown();
        earlierPdf = world.read(QStringLiteral("stampe/riepilogo.pdf"));
        QCOMPARE(pdfPages(earlierPdf, nullptr), 1);
    }
    Printer::setPdfFile(pdf);
    Progress::cancelNextAt(cancelAt);
    const Document document =
        ListDocument::make(QStringLiteral("Riepilogo"), numberedLines(40 * 56), QStringLiteral("Piede"));
    const int pages = int(document.prepare().size());
    QVERIFY(pages > 40);
    const bool printed = Report::print(nullptr, document);
    QCOMPARE(Progress::takeShown(), QStringList{QStringLiteral("Stampa in corso...")});
    QVERIFY(shownMessages().isEmpty());
    const QStringList left = QDir(world.file(QStringLiteral("stampe"))).entryList(QDir::Files | QDir::Hidden);
    if (cancelAt >= 0) {
        QVERIFY(!printed);
        QVERIFY(Printer::takePrinted().isEmpty());
        if (earlier) {
            QCOMPARE(left, QStringList{QStringLiteral("riepilogo.pdf")});
            QCOMPARE(world.read(QStringLiteral("stampe/riepilogo.pdf")), earlierPdf);
        } else {
            QCOMPARE(left, QStringList());
        }
    } else {
        QVERIFY(printed);
        QCOMPARE(Printer::takePrinted().size(), 1);
        QCOMPARE(left, QStringList{QStringLiteral("riepilogo.pdf")});
        QString mediaBox;
        QCOMPARE(pdfPages(world.read(QStringLiteral("stampe/riepilogo.pdf")), &mediaBox), pages);
        // A new file, readable as any other the user makes.
        QVERIFY(QFileInfo(pdf).permissions().testFlag(QFileDevice::ReadOther));
    }
}

// A print to a file that the disk cannot hold whole (full, or a quota) is a failure said as
// such, and the earlier PDF of that name stays as it was.
void TestPrint::printCutShortLeavesTheEarlierPdf()
{
    TestWorld world;
    QVERIFY(QDir(world.folder()).mkdir(QStringLiteral("stampe")));
    const QString pdf = world.file(QStringLiteral("stampe/riepilogo.pdf"));
    Printer::setPdfFile(pdf);
    QVERIFY(Report::print(nullptr,
                          ListDocument::make(QStringLiteral("Prima"), numberedLines(10), QStringLiteral("Piede"))));
    Printer::takePrinted();
    const QByteArray earlier = world.read(QStringLiteral("stampe/riepilogo.pdf"));
    const Document document =
        ListDocument::make(QStringLiteral("Riepilogo"), numberedLines(40 * 56), QStringLiteral("Piede"));
    bool printed = true;
    {
        const FileSizeLimit full(earlier.size() * 2);
        QVERIFY(full.ok());
        printed = Report::print(nullptr, document);
    }
    QVERIFY(!printed);
    QVERIFY(Printer::takePrinted().isEmpty());
    QCOMPARE(shownMessages(),
             QStringList{QStringLiteral("error: Attenzione: impossibile avviare la stampa.\r\n\r\n"
                                        "Verificare che la stampante sia disponibile oppure che il file di "
                                        "destinazione possa essere scritto.")});
    QCOMPARE(world.read(QStringLiteral("stampe/riepilogo.pdf")), earlier);
    QCOMPARE(QDir(world.file(QStringLiteral("stampe"))).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("riepilogo.pdf")});
}

// A preview cancelled while its pages are made closes instead of showing some of them.
void TestPrint::cancelledPreviewCloses()
{
    TestWorld world;
    Progress::cancelNextAt(5);
    bool closedByItself = false;
    Modal::queue([&](QWidget *w) {
        QTRY_VERIFY(!w->isVisible());
        closedByItself = true;
    });
    Report::preview(nullptr,
                    ListDocument::make(QStringLiteral("Riepilogo"), numberedLines(20 * 56), QStringLiteral("Piede")));
    QCOMPARE(Progress::takeShown(), QStringList{QStringLiteral("Preparazione dell'anteprima in corso...")});
    QVERIFY(closedByItself);
    QVERIFY(shownMessages().isEmpty());
}

void TestPrint::cardDialogs_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<bool>("fulfilled");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("action");

    QTest::newRow("print, fulfilled") << false << true << "frmStampaScadenza"
                                      << " Stampa scheda"
                                      << "Stampa";
    QTest::newRow("print, not fulfilled") << false << false << "frmStampaScadenza"
                                          << " Stampa scheda"
                                          << "Stampa";
    QTest::newRow("preview") << true << false << "frmStartup"
                             << " Anteprima di stampa"
                             << "Mostra anteprima";
}

void TestPrint::cardDialogs()
{
    QFETCH(bool, preview);
    QFETCH(bool, fulfilled);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    QFETCH(QString, action);

    TestWorld world(QDateTime(QDate(2026, 12, 10), QTime(14, 5, 9)));
    FakeCard card(QStringLiteral("frmArchivio_Scadenze"));
    const TAppointmentRecord record = appointment(fulfilled);
    bool driven = false;
    Modal::queue([&](QWidget *w) {
        driven = w->windowTitle() == caption && w->size() == QSize(364, 287)
                 && control<QPushButton>(w, "btnStampa")->text() == action
                 && control<QPushButton>(w, "btnAnnulla")->text() == QLatin1String("Annulla") && press(w, "btnStampa");
    });

    if (preview)
        Modal::run(new TfrmStartup(appointmentRows(record), &card.window));
    else
        Modal::run(new TfrmStampaScadenza(appointmentRows(record), &card.window));

    QVERIFY(driven);
    const QStringList expectedWindows =
        preview ? QStringList{window, QStringLiteral("frmAnteprima")} : QStringList{window};
    QCOMPARE(Modal::takeOpened(), expectedWindows);
    const QList<Printer::Document> printed = Printer::takePrinted();
    const QList<Printer::Document> previewed = Printer::takePreviewed();
    QCOMPARE(printed.size(), preview ? 0 : 1);
    QCOMPARE(previewed.size(), preview ? 1 : 0);
    const QList<Page> pages = onlyPages(preview ? previewed : printed);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(textOf(pages[0], QStringLiteral("txtData")), QStringLiteral("12/12/2026"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtOra")), QStringLiteral("10:30"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtCausale")), QStringLiteral("Otturazione"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtContatto")), QStringLiteral("Rossi Mario"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtOttemperata")),
             fulfilled ? QStringLiteral("S\u00EC") : QStringLiteral("No"));
    QCOMPARE(textOf(pages[0], QStringLiteral("txtCalce")),
             QStringLiteral("Stampa eseguita in data 10/12/2026 alle ore 14:05:09"));
}

void TestPrint::cancelledPrintDialogPrintsNothing()
{
    TestWorld world;
    FakeCard card(QStringLiteral("frmArchivio_Scadenze"));
    card.edit(QStringLiteral("txtData"), QStringLiteral(" 12/12/2026 "));
    Printer::queueAnswer(false);
    bool closed = false;
    Modal::queue([&](QWidget *w) {
        press(w, "btnStampa");
        closed = !w->isVisible(); // the dialog closes also when the print dialog was cancelled
    });

    Modal::run(new TfrmStampaScadenza(appointmentRows(appointment(false)), &card.window));

    QVERIFY(closed);
    QVERIFY(Printer::takePrinted().isEmpty());
    QVERIFY(shownMessages().isEmpty());
    QCOMPARE(control<QLineEdit>(&card.window, "txtData")->text(), QStringLiteral(" 12/12/2026 "));
}

void TestPrint::annullaProducesNothing()
{
    TestWorld world;
    FakeCard card(QStringLiteral("frmClients"));
    card.edit(QStringLiteral("txtName"), QStringLiteral("Rossi Mario"));
    const TPatientRecord patient = patientRecord({.name = QStringLiteral("Rossi Mario"), .mobilePhone = {}});
    const std::function<QDialog *()> dialogs[] = {
        [&] { return new TfrmStampaScadenza(appointmentRows(appointment(false)), &card.window); },
        [&] { return new TfrmStartup(appointmentRows(appointment(false)), &card.window); },
        [&] { return new TfrmPrintClient(patientRows(patient), &card.window); },
    };
    for (const auto &open : dialogs) {
        bool closed = false;
        Modal::queue([&](QWidget *w) {
            press(w, "btnAnnulla");
            closed = !w->isVisible();
        });
        Modal::run(open());
        QVERIFY(closed);
    }
    QVERIFY(Printer::takePrinted().isEmpty());
    QVERIFY(Printer::takePreviewed().isEmpty());
    QCOMPARE(Modal::takeOpened(), (QStringList{QStringLiteral("frmStampaScadenza"), QStringLiteral("frmStartup"),
                                               QStringLiteral("frmPrintClient")}));
    QCOMPARE(control<QLineEdit>(&card.window, "txtName")->text(), QStringLiteral("Rossi Mario"));
}

void TestPrint::previewOffersOnlyItsFourCommandsAt100()
{
    TestWorld world;
    bool checked = false;
    Modal::queue([&](QWidget *w) {
        auto *preview = qobject_cast<TfrmAnteprima *>(w);
        QStringList buttons;
        for (const QPushButton *b : w->findChildren<QPushButton *>())
            buttons.append(b->text());
        buttons.sort();
        checked =
            preview && preview->zoom() == 1.0
            && buttons
                   == QStringList{QStringLiteral("Chiudi"), QStringLiteral("Schermo intero"), QStringLiteral("Stampa")}
            && w->findChild<QComboBox *>(QStringLiteral("cboZoom"))->currentText() == QLatin1String("100 %");
        if (checked) {
            preview->cboZoom->setCurrentIndex(preview->cboZoom->findText(QStringLiteral("200 %")));
            checked = preview->zoom() == 2.0;
            press(w, "btnStampa"); // printing from the preview goes through the print dialog
        }
    });

    Report::preview(nullptr,
                    ListDocument::make(QStringLiteral("Riepilogo"), numberedLines(3), QStringLiteral("Piede")));

    QVERIFY(checked);
    QCOMPARE(Printer::takePreviewed().size(), 1);
    QCOMPARE(onlyPages(Printer::takePrinted()).size(), 1);
}

void TestPrint::patientCardDialogReadsTheCardOnScreen()
{
    TestWorld world(QDateTime(QDate(2024, 4, 3), QTime(14, 5, 9)));
    FakeCard card(QStringLiteral("frmClients"));
    // Each field holds its row's name (as much as the field takes), blanks around it where
    // they fit.
    TPatientRecord record{};
    QHash<QString, QString> expected;
    for (const auto &[name, label] : kPatientCardRows) {
        for (const RecordField &field : TPatientRecord::fields()) {
            if (name != QLatin1String("txt") + QLatin1String(field.name))
                continue;
            const QString text = name.left(field.capacity);
            const QString padded = QStringLiteral(" ") + text + QStringLiteral("  ");
            field.write(recordBytes(record), padded.size() <= field.capacity ? padded : text);
            expected.insert(name, text);
        }
    }
    QCOMPARE(expected.size(), qsizetype(std::size(kPatientCardRows)));
    record.dente(1).setText(QStringLiteral("carie")); // the chart is not part of it
    Modal::queue([](QWidget *w) { press(w, "btnStampa"); });

    Modal::run(new TfrmPrintClient(patientRows(record), &card.window));

    const QList<Page> pages = onlyPages(Printer::takePrinted());
    QCOMPARE(pages.size(), 1);
    for (const auto &[name, label] : kPatientCardRows) {
        QCOMPARE(textOf(pages[0], name), expected[name]);
        QCOMPARE(textOf(pages[0], QStringLiteral("lbl") + name.mid(3)), label);
    }
    QCOMPARE(pages[0].text(QStringLiteral("txtDente01")), nullptr);
    QCOMPARE(textOf(pages[0], QStringLiteral("txtCalce")),
             QStringLiteral("Scheda stampata in data 03/04/2024 alle ore 14:05:09"));
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
