// The user's manual Guida.pdf that the build makes in the program folder, and the help
// window's link to it.
#include "support/TestSupport.h"

#include "manual/Outline.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "ui/Help.h"
#include "ui/LinkLabel.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

namespace {

const QString kManual = QStringLiteral(SORRISA_PROGRAM_DIR "/Guida.pdf");

QStringList chapterTitles()
{
    QFile source(QStringLiteral(SORRISA_SOURCE_DIR "/manual/Guida.md"));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QStringList titles;
    bool inComment = false;
    for (const QString &line : QString::fromUtf8(source.readAll()).split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("<!--")))
            inComment = true;
        if (!inComment && line.startsWith(QLatin1String("# ")))
            titles.append(line.mid(2).trimmed());
        if (line.contains(QLatin1String("-->")))
            inComment = false;
    }
    return titles;
}

// Blanks and line breaks as one blank: the text as read, whatever the layout.
QString simplified(const QString &text) { return text.simplified(); }

// Runs a poppler tool; an empty result when it is not installed or fails.
QString poppler(const QString &tool, const QStringList &args)
{
    if (QStandardPaths::findExecutable(tool).isEmpty())
        return {};
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The bookmarks pdftohtml -xml reads, as "page title".
QStringList outlineOf(const QString &xml)
{
    QStringList items;
    static const QRegularExpression item(QStringLiteral(R"re(<item page="(\d+)">([^<]*)</item>)re"));
    for (auto it = item.globalMatch(xml); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QString title = m.captured(2);
        title.replace(QStringLiteral("&apos;"), QStringLiteral("'"))
            .replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        items.append(m.captured(1) + QLatin1Char(' ') + title);
    }
    return items;
}

// The page (0-based) that starts the chapter, -1 when none does.
int chapterStart(const QStringList &pages, int chapter, const QString &title)
{
    const QString heading = QStringLiteral("CAPITOLO %1 %2").arg(chapter).arg(title);
    for (int p = 0; p < pages.size(); ++p)
        if (simplified(pages.at(p)).startsWith(heading))
            return p;
    return -1;
}

// A page's lines of text, without its running head and its foot.
QStringList bodyLines(const QString &page)
{
    QStringList lines;
    for (const QString &line : page.split(QLatin1Char('\n'))) {
        const QString l = line.simplified();
        if (!l.isEmpty() && !l.startsWith(QStringLiteral("Capitolo ")) && !l.startsWith(QStringLiteral("Pagina "))
            && l != QStringLiteral("Guida all'utilizzo di Sorrisa"))
            lines.append(l);
    }
    return lines;
}

// How far down a rendered page's body its ink reaches, from 0 (nothing) to 1 (the foot of
// the body). The body is where the manual's maker lays the text out: 22 mm from the top, the
// left and the right, 24 mm from the bottom, between the running head and the foot.
double inkDepth(const QImage &page)
{
    const double pxPerMm = page.width() / 210.0;
    const int left = int(22 * pxPerMm), right = int((210 - 22) * pxPerMm);
    const int top = int(22 * pxPerMm), bottom = int((297 - 24) * pxPerMm);
    for (int y = bottom; y > top; --y)
        for (int x = left; x < right; ++x)
            if (qGray(page.pixel(x, y)) < 235)
                return double(y - top) / (bottom - top);
    return 0;
}

int count(const QByteArray &pdf, const char *what)
{
    int n = 0;
    for (qsizetype at = pdf.indexOf(what); at >= 0; at = pdf.indexOf(what, at + 1))
        ++n;
    return n;
}

} // namespace

class TstManual : public QObject
{
    Q_OBJECT

    QByteArray pdf;
    QStringList titles;

private slots:
    void initTestCase()
    {
        titles = chapterTitles();
        QVERIFY2(titles.size() >= 12, "the manual's source has a chapter per area");
        QFile file(kManual);
        QVERIFY2(file.open(QIODevice::ReadOnly), "the build delivers Guida.pdf into the program folder");
        pdf = file.readAll();
    }

    // What can be told from the file itself, without any PDF tool.
    void fileStructure()
    {
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(pdf.trimmed().endsWith("%%EOF"));
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral(R"(/Type\s*/Pages\b[^>]*?/Count\s+(\d+))"))
                .match(QString::fromLatin1(pdf));
        QVERIFY(pages.hasMatch());
        QVERIFY2(pages.captured(1).toInt() >= titles.size() + 2, "a cover, the contents and a page per chapter");
        QVERIFY2(QRegularExpression(QStringLiteral(R"(/MediaBox \[0 0 595(\.0+)? 842(\.0+)?\])"))
                     .match(QString::fromLatin1(pdf))
                     .hasMatch(),
                 "A4 pages");
        QVERIFY2(pdf.contains("/FontFile"), "the fonts are embedded");
        QVERIFY2(count(pdf, "/Subtype /Image") >= titles.size(), "pictures of the windows");
        // The table of contents links every chapter and section to its page.
        QVERIFY(count(pdf, "/S /GoTo") >= titles.size());
        QVERIFY2(!pdf.contains("#sorrisa-pagina-"), "no contents link is left pointing nowhere");
    }

    // Page by page, through the poppler tools when they are installed.
    void chaptersAndPictures()
    {
        const QString text =
            poppler(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                                  QStringLiteral("UTF-8"), kManual, QStringLiteral("-")});
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        const QStringList pages = text.split(QLatin1Char('\f'));
        QVERIFY(pages.size() >= titles.size() + 2);
        QVERIFY(simplified(pages.at(0)).contains(QStringLiteral("Guida all'utilizzo del software")));
        QVERIFY(simplified(pages.at(1)).contains(QStringLiteral("Indice")));

        // Each chapter starts a page of its own, in order, and the contents give that page.
        QList<int> starts;
        for (int c = 0; c < titles.size(); ++c) {
            const int found = chapterStart(pages, c + 1, titles.at(c));
            QVERIFY2(found >= 0, qPrintable(QStringLiteral("chapter not found: ") + titles.at(c)));
            QVERIFY2(starts.isEmpty() || found > starts.last(), "one page per chapter at least");
            QVERIFY2(simplified(pages.at(found)).contains(QStringLiteral("Pagina %1").arg(found + 1)),
                     "page numbers in the foot");
            QVERIFY2(simplified(pages.at(1) + pages.at(2))
                         .contains(QStringLiteral("%1 %2 %3").arg(c + 1).arg(titles.at(c)).arg(found + 1)),
                     qPrintable(QStringLiteral("the contents give the page of ") + titles.at(c)));
            starts.append(found);
        }

        const QString images = poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), kManual});
        if (images.isEmpty())
            QSKIP("pdfimages is not installed");
        QList<int> imagePages; // 0-based
        static const QRegularExpression row(QStringLiteral(R"(^\s*(\d+)\s+\d+\s+image\b)"));
        for (const QString &line : images.split(QLatin1Char('\n')))
            if (const QRegularExpressionMatch m = row.match(line); m.hasMatch())
                imagePages.append(m.captured(1).toInt() - 1);
        for (int c = 0; c < starts.size(); ++c) {
            const int first = starts.at(c);
            const int end = c + 1 < starts.size() ? starts.at(c + 1) : int(pages.size());
            const bool pictured =
                std::any_of(imagePages.begin(), imagePages.end(), [&](int p) { return p >= first && p < end; });
            QVERIFY2(pictured, qPrintable(QStringLiteral("no picture in the chapter ") + titles.at(c)));
        }
    }

    // The text that search and copy read holds each line once: the last line of a page is
    // not written again, unseen, at the top of the next.
    void noLineTwiceAtAPageBreak()
    {
        const QString text = poppler(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-enc"), QStringLiteral("UTF-8"), kManual, QStringLiteral("-")});
        if (text.isEmpty())
            QSKIP("pdftotext is not installed");
        const QStringList pages = text.split(QLatin1Char('\f'));
        for (int p = 2; p + 1 < pages.size(); ++p) {
            const QStringList here = bodyLines(pages.at(p));
            const QStringList next = bodyLines(pages.at(p + 1));
            if (here.isEmpty() || next.isEmpty())
                continue;
            QVERIFY2(here.last() != next.first() || here.last().size() < 20,
                     qPrintable(QStringLiteral("page %1 repeats: %2").arg(p + 2).arg(next.first())));
        }
    }

    // No page of the book holds only a line or two: a page without a picture has some text.
    void noNearlyEmptyPage()
    {
        const QString text = poppler(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-enc"), QStringLiteral("UTF-8"), kManual, QStringLiteral("-")});
        const QString images = poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), kManual});
        if (text.isEmpty() || images.isEmpty())
            QSKIP("pdftotext or pdfimages is not installed");
        QSet<int> pictured; // 0-based
        static const QRegularExpression row(QStringLiteral(R"(^\s*(\d+)\s+\d+\s+image\b)"));
        for (const QString &line : images.split(QLatin1Char('\n')))
            if (const QRegularExpressionMatch m = row.match(line); m.hasMatch())
                pictured.insert(m.captured(1).toInt() - 1);
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        for (int p = 2; p < pages.size(); ++p) {
            const int lines = int(bodyLines(pages.at(p)).size());
            QVERIFY2(lines > 3 || pictured.contains(p),
                     qPrintable(QStringLiteral("page %1 holds only %2 lines").arg(p + 1).arg(lines)));
        }
    }

    // No chapter of more than one page ends on a page filled less than a third, nor on a
    // picture and its caption parted from the text that speaks of them: the page, rendered,
    // has ink down to a third of its body at least, and more than two lines of text.
    void noChapterEndsNearlyEmpty()
    {
        const QString text = poppler(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-enc"), QStringLiteral("UTF-8"), kManual, QStringLiteral("-")});
        QTemporaryDir rendered;
        const QString prefix = rendered.filePath(QStringLiteral("pagina"));
        if (text.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
            QSKIP("pdftotext or pdftoppm is not installed");
        QCOMPARE(QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"),
                                                                QStringLiteral("-png"), kManual, prefix}),
                 0);
        // pagina-01.png … in order: the numbers are padded to one width.
        const QStringList images =
            QDir(rendered.path()).entryList({QStringLiteral("pagina-*.png")}, QDir::Files, QDir::Name);
        const QStringList pages = text.split(QLatin1Char('\f')).mid(0, images.size());
        QCOMPARE(pages.size(), images.size());
        int ended = 0; // the chapters of more than one page
        for (int c = 0; c < titles.size(); ++c) {
            const int first = chapterStart(pages, c + 1, titles.at(c));
            const int last =
                c + 1 < titles.size() ? chapterStart(pages, c + 2, titles.at(c + 1)) - 1 : int(pages.size()) - 1;
            QVERIFY2(first >= 0 && last >= first, qPrintable(titles.at(c)));
            if (last == first)
                continue;
            ++ended;
            const QImage page(rendered.filePath(images.at(last)));
            QVERIFY(!page.isNull());
            const double depth = inkDepth(page);
            QVERIFY2(depth >= 1.0 / 3, qPrintable(QStringLiteral("the chapter \"%1\" ends on page %2, filled to %3 %")
                                                      .arg(titles.at(c))
                                                      .arg(last + 1)
                                                      .arg(qRound(depth * 100))));
            QVERIFY2(bodyLines(pages.at(last)).size() > 2,
                     qPrintable(QStringLiteral("the chapter \"%1\" ends on page %2 with a picture alone")
                                    .arg(titles.at(c))
                                    .arg(last + 1)));
        }
        QVERIFY2(ended > 0, "some chapters take more than a page");
    }

    // Bookmarks appended to a finished PDF as an incremental update: the file's own bytes stay
    // first and unchanged, the new trailer points back to the old cross-reference table, and
    // a PDF reader finds the bookmarks, with their titles, on their pages.
    void outlineAppendedToAPdf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("prova.pdf"));
        {
            QPdfWriter writer(path);
            QPainter painter(&writer);
            for (int page = 1; page <= 3; ++page) {
                if (page > 1)
                    writer.newPage();
                painter.drawText(QPointF(200, 200), QStringLiteral("Pagina di prova %1").arg(page));
            }
        }
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray before = file.readAll();
        file.close();
        const QByteArray after =
            Outline::append(before, {{QStringLiteral("Primo capitolo"), 1}, {QStringLiteral("Già più è"), 3}});
        QVERIFY(after.startsWith(before));
        QVERIFY(after.size() > before.size());
        const QString oldStart =
            QRegularExpression(QStringLiteral(R"(startxref\s+(\d+))")).match(QString::fromLatin1(before)).captured(1);
        QVERIFY(QString::fromLatin1(after.mid(before.size())).contains(QStringLiteral("/Prev ") + oldStart));
        // A page out of range, or a second outline, leaves the file as it is.
        QCOMPARE(Outline::append(before, {{QStringLiteral("Nessuna"), 4}}), before);
        QCOMPARE(Outline::append(after, {{QStringLiteral("Ancora"), 1}}), after);

        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(after);
        file.close();
        const QString xml = poppler(QStringLiteral("pdftohtml"),
                                    {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-i"), path});
        if (xml.isEmpty())
            QSKIP("pdftohtml is not installed");
        QCOMPARE(outlineOf(xml), (QStringList{QStringLiteral("1 Primo capitolo"), QStringLiteral("3 Già più è")}));
        QCOMPARE(poppler(QStringLiteral("pdftotext"), {path, QStringLiteral("-")}).count(QLatin1Char('\f')), 3);
    }

    // The delivered manual's bookmarks: the contents, then each chapter on its first page.
    void manualBookmarks()
    {
        const QString xml = poppler(QStringLiteral("pdftohtml"),
                                    {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-i"), kManual});
        const QString text = poppler(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-enc"), QStringLiteral("UTF-8"), kManual, QStringLiteral("-")});
        if (xml.isEmpty() || text.isEmpty())
            QSKIP("pdftohtml or pdftotext is not installed");
        const QStringList pages = text.split(QLatin1Char('\f'));
        const QStringList outline = outlineOf(xml);
        QCOMPARE(outline.size(), titles.size() + 1);
        QCOMPARE(outline.first(), QStringLiteral("2 Indice"));
        for (int c = 0; c < titles.size(); ++c) {
            const QString item = outline.at(c + 1);
            const int page = item.section(QLatin1Char(' '), 0, 0).toInt();
            QCOMPARE(item.section(QLatin1Char(' '), 1), QStringLiteral("%1. %2").arg(c + 1).arg(titles.at(c)));
            QVERIFY2(page >= 1 && page <= pages.size()
                         && simplified(pages.at(page - 1)).startsWith(QStringLiteral("CAPITOLO %1").arg(c + 1)),
                     qPrintable(item));
        }
    }

    void fontsEmbedded()
    {
        const QString fonts = poppler(QStringLiteral("pdffonts"), {kManual});
        if (fonts.isEmpty())
            QSKIP("pdffonts is not installed");
        const QStringList lines = fonts.split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2); // after the heading
        QVERIFY(!lines.isEmpty());
        for (const QString &line : lines)
            QVERIFY2(
                line.contains(QRegularExpression(QStringLiteral(R"(\s(yes)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+\s*$)"))),
                qPrintable(QStringLiteral("font not embedded: ") + line));
    }

    // "Visualizza guida in formato PDF" hands the shell the quoted path of the manual that
    // the build put in the program folder.
    void helpLinkOpensTheManual()
    {
        TestWorld world;
        ProgramFolder::set(QStringLiteral(SORRISA_PROGRAM_DIR));
        Modal::queue([](QWidget *w) { static_cast<TfrmGuida *>(w)->lnkWeb->clicked(); });
        Help::show(nullptr, Help::Clients);
        const QStringList opened = TMisc::takeOpened();
        QCOMPARE(opened,
                 QStringList{QLatin1Char('"') + ProgramFolder::file(QStringLiteral("Guida.pdf")) + QLatin1Char('"')});
        QVERIFY(QFile::exists(TMisc::toUrl(opened.first()).toLocalFile()));
    }
};

QTEST_MAIN(TstManual)
#include "tst_manual.moc"
