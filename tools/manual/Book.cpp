#include "manual/Book.h"

#include "manual/Outline.h"
#include "ui/Icons.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextList>
#include <QTextStream>
#include <QTextTable>
#include <QTextDocument>
#include <QUrl>

#include <cmath>
#include <memory>
#include <vector>

namespace Manual {

namespace {

// Geometry at 300 dots per inch.
constexpr int kDpi = 300;
constexpr double kPxPerMm = kDpi / 25.4;
const QSizeF kPaperMm(210, 297);
constexpr double kLeftMm = 22, kRightMm = 22, kTopMm = 22, kBottomMm = 24;
// Screen pictures keep one scale: a work window (about 1040 pixels wide) fills the text width.
constexpr double kWidestWindow = 1040;
constexpr double kMaxPictureHeight = 0.58; // of the text height

const QString kBodyFont = QStringLiteral("Liberation Sans");
const QColor kBlue(0x1F, 0x4E, 0x79);
const QColor kSteel(0x46, 0x82, 0xB4);
const QString kBookTitle = QStringLiteral("Guida all'utilizzo di Sorrisa");

// The table of contents' links point at a page. The PDF writer knows only links to
// addresses, so each link is written as an address naming its page, long enough to be
// replaced afterwards, byte for byte, by a jump to that page.
const QString kLinkPrefix = QStringLiteral("#sorrisa-pagina-");
constexpr int kLinkLength = 60;

QString linkTo(int page)
{
    QString link = kLinkPrefix + QString::number(page);
    return link.leftJustified(kLinkLength, QLatin1Char('_'));
}

// A chapter's last page filled less than this is nearly empty; its pictures may be made as
// small as this to avoid it, and failing that the page before gives it some of its blocks.
constexpr double kNearlyEmpty = 1.0 / 3;
constexpr double kSmallestPictures = 0.8;
// How full the last page is made when its blocks can be chosen: clearly more than a third.
constexpr double kWellFilled = 0.45;

struct Geometry
{
    double pageW = kPaperMm.width() * kPxPerMm;
    double pageH = kPaperMm.height() * kPxPerMm;
    double left = kLeftMm * kPxPerMm;
    double top = kTopMm * kPxPerMm;
    double bodyW = (kPaperMm.width() - kLeftMm - kRightMm) * kPxPerMm;
    double bodyH = (kPaperMm.height() - kTopMm - kBottomMm) * kPxPerMm;
};

struct TocEntry
{
    int chapter;    // 1-based
    bool isChapter; // or a section
    QString title;
    QString anchor;
    int page = 0; // physical page, 1 = cover
};

// Fonts and colours; the space between blocks is set afterwards in millimetres (see space()).
QString styleSheet()
{
    return QStringLiteral("body { font-family: '%1'; font-size: 11pt; color: #1F2A36; }"
                          "p { line-height: 125%; }"
                          "h1 { font-size: 22pt; color: #1F4E79; }"
                          "h2 { font-size: 14pt; color: #1F4E79; }"
                          "p.capitolo { font-size: 11pt; color: #4682B4; font-weight: bold; }"
                          "p.didascalia { font-size: 9pt; color: #4A5868; font-style: italic; }"
                          "td.nota { background-color: #FFF6D8; }"
                          "td.indice { font-size: 10.5pt; padding-top: 3px; line-height: 110%; }"
                          "td.sezione { font-size: 9pt; color: #33414F; padding-top: 0px; line-height: 100%; }"
                          "a { color: #1F2A36; text-decoration: none; }")
        .arg(kBodyFont);
}

QSizeF pictureSize(const QImage &image, const Geometry &g)
{
    const QSizeF logical = QSizeF(image.size()) / image.devicePixelRatio();
    double scale = g.bodyW / kWidestWindow;
    if (logical.width() * scale > g.bodyW)
        scale = g.bodyW / logical.width();
    if (logical.height() * scale > g.bodyH * kMaxPictureHeight)
        scale = g.bodyH * kMaxPictureHeight / logical.height();
    return logical * scale;
}

QString htmlHead() { return QStringLiteral("<html><head><style>%1</style></head><body>").arg(styleSheet()); }

// The contents: a table of one row per chapter and section, the whole row a link to its page.
QString tocHtml(const QList<TocEntry> &toc)
{
    QString html =
        htmlHead() + QStringLiteral("<h1>Indice</h1><table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">");
    for (const TocEntry &e : toc) {
        const QString page = e.page > 0 ? QString::number(e.page) : QStringLiteral("00");
        const QString link = linkTo(e.page);
        if (e.isChapter)
            html += QStringLiteral(
                        "<tr><td class=\"indice\" width=\"7%\"><a href=\"%1\"><b>%2</b></a></td>"
                        "<td class=\"indice\"><a href=\"%1\"><b>%3</b></a></td>"
                        "<td class=\"indice\" align=\"right\" width=\"10%\"><a href=\"%1\"><b>%4</b></a></td></tr>")
                        .arg(link, QString::number(e.chapter), inlineHtml(e.title), page);
        else
            html += QStringLiteral("<tr><td class=\"sezione\"></td>"
                                   "<td class=\"sezione\"><a href=\"%1\">%2</a></td>"
                                   "<td class=\"sezione\" align=\"right\"><a href=\"%1\">%3</a></td></tr>")
                        .arg(link, inlineHtml(e.title), page);
    }
    return html + QStringLiteral("</table></body></html>");
}

// One chapter: its blocks from the chapter heading to the next chapter.
QString chapterHtml(const Book &book, const QList<Block> &blocks, int chapter, const Geometry &g,
                    double pictureScale = 1)
{
    QString html = htmlHead();
    int section = 0;
    QString list; // "ul" or "ol" while a list is open
    auto closeList = [&] {
        if (!list.isEmpty())
            html += QStringLiteral("</%1>").arg(list);
        list.clear();
    };
    for (const Block &b : blocks) {
        const QString wanted = b.kind == Block::Bullet     ? QStringLiteral("ul")
                               : b.kind == Block::Numbered ? QStringLiteral("ol")
                                                           : QString();
        if (wanted != list)
            closeList();
        switch (b.kind) {
        case Block::Chapter:
            html +=
                QStringLiteral("<p class=\"capitolo\">CAPITOLO %1</p><h1>%2</h1>").arg(chapter).arg(inlineHtml(b.text));
            break;
        case Block::Section:
            ++section;
            html += QStringLiteral("<h2><a name=\"s%1\"></a>%2</h2>").arg(section).arg(inlineHtml(b.text));
            break;
        case Block::Paragraph:
            html += QStringLiteral("<p>%1</p>").arg(inlineHtml(b.text));
            break;
        case Block::Bullet:
        case Block::Numbered:
            if (list.isEmpty()) {
                list = wanted;
                html += QStringLiteral("<%1>").arg(list);
            }
            html += QStringLiteral("<li>%1</li>").arg(inlineHtml(b.text));
            break;
        case Block::Note:
            html += QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"10\" border=\"0\""
                                   " style=\"margin-bottom: 10pt;\"><tr>"
                                   "<td width=\"6\" bgcolor=\"#E0A800\"></td>"
                                   "<td class=\"nota\">%1</td></tr></table>")
                        .arg(inlineHtml(b.text));
            break;
        case Block::Picture: {
            // Rich text measures pictures in pixels of 1/96 inch.
            const QSizeF size = pictureSize(book.pictures.value(b.picture), g) * (pictureScale * 96.0 / kDpi);
            html += QStringLiteral(
                        "<p class=\"figura\" align=\"center\"><img src=\"figura:%1\" width=\"%2\" height=\"%3\"></p>")
                        .arg(b.picture.toHtmlEscaped())
                        .arg(size.width(), 0, 'f', 1)
                        .arg(size.height(), 0, 'f', 1);
            if (!b.text.isEmpty())
                html += QStringLiteral("<p class=\"didascalia\" align=\"center\">%1</p>").arg(inlineHtml(b.text));
            break;
        }
        }
    }
    closeList();
    return html + QStringLiteral("</body></html>");
}

// The layout is made lazily; measuring a block needs the whole document laid out.
QRectF blockRect(QTextDocument &doc, const QTextBlock &block)
{
    doc.documentLayout()->documentSize();
    return doc.documentLayout()->blockBoundingRect(block);
}

bool isPictureBlock(const QTextBlock &block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat())
            return true;
    return false;
}

// Headings and pictures stay on the page of what follows them (the first line of a
// section, a picture's caption): when they would part, the heading or picture moves on.
void keepWithNext(QTextDocument &doc, const Geometry &g)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (!next.isValid())
            break;
        if (block.blockFormat().headingLevel() != 2 && !isPictureBlock(block))
            continue;
        const QRectF here = blockRect(doc, block);
        const QRectF after = blockRect(doc, next);
        const double nextLine =
            next.layout() && next.layout()->lineCount() > 0 ? next.layout()->lineAt(0).height() : after.height();
        if (int(here.top() / g.bodyH) != int((after.top() + nextLine) / g.bodyH)) {
            QTextBlockFormat format = block.blockFormat();
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(block).setBlockFormat(format);
        }
    }
}

// The pages that hold something: a table's frame may reach a little past the last line.
int contentPages(QTextDocument &doc, const Geometry &g)
{
    double bottom = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        if (!block.text().trimmed().isEmpty())
            bottom = std::max(bottom, blockRect(doc, block).bottom());
    return std::max(1, int(std::ceil(bottom / g.bodyH - 1e-6)));
}

// The text blocks that start on an earlier page and go on at the top of this one (0-based).
// The layout draws a block's lines from the one just above what is to be painted, and the
// painter's clip only hides that line: it would be written again, unseen, into the text that
// search and copy read. Such blocks are left to the caller, which draws their lines of the page.
// A line belongs to the page that holds its middle.
double middle(const QTextLine &line) { return line.y() + line.height() / 2; }

QList<QTextBlock> blocksGoingOn(QTextDocument &doc, int page, const Geometry &g)
{
    QList<QTextBlock> going;
    const double from = page * g.bodyH;
    doc.documentLayout()->documentSize();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout || layout->lineCount() < 2 || isPictureBlock(block))
            continue;
        const double top = doc.documentLayout()->blockBoundingRect(block).top();
        if (top + middle(layout->lineAt(0)) < from && top + middle(layout->lineAt(layout->lineCount() - 1)) >= from)
            going.append(block);
    }
    return going;
}

// How much of its last page's body a document fills (0 to 1).
double lastPageFill(QTextDocument &doc, const Geometry &g)
{
    double bottom = 0;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        if (!block.text().trimmed().isEmpty())
            bottom = std::max(bottom, blockRect(doc, block).bottom());
    const int pages = contentPages(doc, g);
    return (bottom - (pages - 1) * g.bodyH) / g.bodyH;
}

// A caption: the text block right under a picture.
bool isCaption(const QTextBlock &block) { return block.previous().isValid() && isPictureBlock(block.previous()); }

// A chapter that ends on a page filled less than a third, or on a picture (and its caption)
// parted from the text that speaks of it, ends nearly empty. A chapter of one page does not.
bool endsNearlyEmpty(QTextDocument &doc, const Geometry &g, double enough = kNearlyEmpty)
{
    const int pages = contentPages(doc, g);
    if (pages < 2)
        return false;
    if (lastPageFill(doc, g) < enough)
        return true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        if (!block.text().trimmed().isEmpty() && blockRect(doc, block).top() >= (pages - 1) * g.bodyH
            && !isPictureBlock(block) && !isCaption(block))
            return false;
    return true;
}

// Where a page may end early: before a section's heading, a paragraph or a picture, or the
// first item of a list; never between a heading or a picture and what follows it, inside a
// list or a note.
bool mayStartAPage(const QTextBlock &block)
{
    const QTextBlock before = block.previous();
    if (!before.isValid() || QTextCursor(block).currentTable() || before.blockFormat().headingLevel() > 0
        || isPictureBlock(before) || block.blockFormat().headingLevel() == 1)
        return false;
    if (const QTextList *list = block.textList())
        return list->itemNumber(block) == 0;
    return true;
}

// Moves the last blocks of the page before a nearly empty last page onto it, the fewest that
// end the chapter on a page filled at least as much as `enough` (with more than a picture)
// without adding a page. False, the document as it was, when no place to end that page does.
bool fillLastPage(QTextDocument &doc, const Geometry &g, double enough)
{
    const int pages = contentPages(doc, g);
    const double from = (pages - 2) * g.bodyH; // the top of the page before the last
    QList<QTextBlock> candidates;              // from the last one up
    for (QTextBlock block = doc.lastBlock(); block.isValid(); block = block.previous()) {
        const double top = blockRect(doc, block).top();
        if (top < from)
            break;
        if (top < from + g.bodyH && top > from && !block.text().trimmed().isEmpty()
            && !(block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) && mayStartAPage(block))
            candidates.append(block);
    }
    const auto setBreak = [](const QTextBlock &block, bool on) {
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(on ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        QTextCursor(block).setBlockFormat(format);
    };
    for (const QTextBlock &candidate : candidates) {
        // The breaks that kept a heading or a picture after it with what follows them are no
        // longer needed once the candidate starts the page.
        QList<QTextBlock> breaks;
        for (QTextBlock block = candidate.next(); block.isValid(); block = block.next())
            if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
                breaks.append(block);
        for (const QTextBlock &block : breaks)
            setBreak(block, false);
        setBreak(candidate, true);
        if (contentPages(doc, g) == pages && !endsNearlyEmpty(doc, g, enough))
            return true;
        setBreak(candidate, false);
        for (const QTextBlock &block : breaks)
            setBreak(block, true);
    }
    return false;
}

int pageOfAnchor(QTextDocument &doc, const QString &anchor, const Geometry &g)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return int(blockRect(doc, block).top() / g.bodyH);
    return 0;
}

// The space around paragraphs, headings, lists, pictures and notes, in millimetres.
void space(QTextDocument &doc)
{
    const double mm = 96.0 / 25.4; // rich text scales its lengths from 96 dots per inch
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (QTextCursor(block).currentTable())
            continue;
        QTextBlockFormat format = block.blockFormat();
        double top = 0, bottom = 2.6;
        if (format.headingLevel() == 1) {
            bottom = 4;
        } else if (format.headingLevel() == 2) {
            top = 4;
            bottom = 1.5;
        } else if (block.text().startsWith(QLatin1String("CAPITOLO ")) && block.blockNumber() == 0) {
            bottom = 0.5;
        } else if (isPictureBlock(block)) {
            top = 1.5;
            bottom = 1.2;
            // The text's line spacing would add a quarter of the picture's height below it.
            format.setLineHeight(100, QTextBlockFormat::ProportionalHeight);
        } else if (block.charFormat().fontItalic()
                   || (block.begin() != block.end() && block.begin().fragment().charFormat().fontItalic())) {
            bottom = 4.5; // a picture's caption
        } else if (QTextList *list = block.textList()) {
            bottom = list->itemNumber(block) == list->count() - 1 ? 2.6 : 1.0;
        }
        format.setTopMargin(top * mm);
        format.setBottomMargin(bottom * mm);
        QTextCursor(block).setBlockFormat(format);
    }
    for (QTextFrame *frame : doc.rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame)) {
            QTextTableFormat format = table->format();
            format.setTopMargin(1 * mm);
            format.setBottomMargin(3 * mm);
            table->setFormat(format);
        }
}

void layOut(QTextDocument &doc, const QString &html, const Book &book, const Geometry &g, QPaintDevice *device)
{
    doc.documentLayout()->setPaintDevice(device);
    doc.setDocumentMargin(0);
    doc.setPageSize(QSizeF(g.bodyW, g.bodyH));
    QFont font(kBodyFont);
    font.setPointSizeF(11);
    doc.setDefaultFont(font);
    for (auto it = book.pictures.begin(); it != book.pictures.end(); ++it)
        doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("figura:") + it.key()), it.value());
    doc.setHtml(html);
    space(doc);
    keepWithNext(doc, g);
}

void paintCover(QPainter &p, const Book &book, const Geometry &g)
{
    const QRectF page(0, 0, g.pageW, g.pageH);
    QLinearGradient sky(page.topLeft(), page.bottomLeft());
    sky.setColorAt(0, kSteel);
    sky.setColorAt(0.55, QColor(0xDC, 0xE9, 0xF5));
    sky.setColorAt(1, Qt::white);
    p.fillRect(page, sky);

    const double mm = kPxPerMm;
    const QRectF card(20 * mm, 26 * mm, g.pageW - 40 * mm, 92 * mm);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(card, 6 * mm, 6 * mm);
    if (QSvgRenderer *logo = Icons::renderer(QStringLiteral("logo"))) {
        QSizeF size = logo->defaultSize();
        size.scale(QSizeF(card.width() * 0.55, 34 * mm), Qt::KeepAspectRatio);
        logo->render(&p,
                     QRectF(card.center().x() - size.width() / 2, card.top() + 8 * mm, size.width(), size.height()));
    }
    const QStringList &cover = book.source.cover;
    QFont title(kBodyFont);
    title.setPointSizeF(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(kBlue);
    p.drawText(QRectF(card.left(), card.top() + 46 * mm, card.width(), 18 * mm), Qt::AlignCenter,
               cover.value(1, kBookTitle));
    QFont subtitle(kBodyFont);
    subtitle.setPointSizeF(13);
    p.setFont(subtitle);
    p.setPen(QColor(0x33, 0x41, 0x4F));
    p.drawText(QRectF(card.left() + 10 * mm, card.top() + 64 * mm, card.width() - 20 * mm, 22 * mm),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, cover.value(2));

    if (!book.coverPicture.isNull()) {
        QSizeF size = QSizeF(book.coverPicture.size()) / book.coverPicture.devicePixelRatio();
        size.scale(QSizeF(g.pageW - 50 * mm, 120 * mm), Qt::KeepAspectRatio);
        const QRectF target(g.pageW / 2 - size.width() / 2, 135 * mm, size.width(), size.height());
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1F, 0x4E, 0x79, 60));
        p.drawRect(target.translated(1.2 * mm, 1.2 * mm));
        // The shadow's transparency must not reach the picture drawn after it.
        p.setBrush(Qt::NoBrush);
        p.drawImage(target, book.coverPicture);
    }
    QFont foot(kBodyFont);
    foot.setPointSizeF(10);
    p.setFont(foot);
    p.setPen(QColor(0x4A, 0x58, 0x68));
    p.drawText(QRectF(0, g.pageH - 24 * mm, g.pageW, 8 * mm), Qt::AlignCenter,
               cover.value(0, QStringLiteral("Sorrisa")) + QStringLiteral(" \u2013 software per lo studio dentistico"));
}

void paintHeaderAndFooter(QPainter &p, const Geometry &g, int physicalPage, const QString &chapter)
{
    const double mm = kPxPerMm;
    QFont font(kBodyFont);
    font.setPointSizeF(8.5);
    p.setFont(font);
    p.setPen(QPen(QColor(0xB8, 0xC4, 0xD2), 0.3 * mm));
    const double footY = g.pageH - kBottomMm * mm + 9 * mm;
    p.drawLine(QPointF(g.left, footY), QPointF(g.pageW - kRightMm * mm, footY));
    p.setPen(QColor(0x4A, 0x58, 0x68));
    const QRectF foot(g.left, footY + 1.5 * mm, g.bodyW, 6 * mm);
    p.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter, kBookTitle);
    p.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Pagina %1").arg(physicalPage));
    if (!chapter.isEmpty()) {
        const QRectF head(g.left, 10 * mm, g.bodyW, 6 * mm);
        p.drawText(head, Qt::AlignRight | Qt::AlignVCenter, chapter);
    }
}

// Turns each table-of-contents address into a jump to its page, keeping every byte offset
// of the file as it is (the replacement is padded with blanks to the same length).
QByteArray linkPages(QByteArray pdf)
{
    // The pages in order, from the page tree.
    QList<QByteArray> pages;
    static const QRegularExpression kids(QStringLiteral(R"(/Kids\s*\[([^\]]*)\])"));
    static const QRegularExpression ref(QStringLiteral(R"((\d+)\s+0\s+R)"));
    const QString text = QString::fromLatin1(pdf);
    const QRegularExpressionMatch k = kids.match(text);
    if (k.hasMatch())
        for (auto it = ref.globalMatch(k.captured(1)); it.hasNext();)
            pages.append(it.next().captured(1).toLatin1());
    static const QRegularExpression action(
        QStringLiteral(R"(/S\s*/URI\s*/URI\s*\(%1(\d+)_*\))").arg(QRegularExpression::escape(kLinkPrefix)));
    for (auto it = action.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const int page = m.captured(1).toInt();
        if (page < 1 || page > pages.size())
            continue;
        QByteArray jump = "/S /GoTo /D [" + pages.at(page - 1) + " 0 R /XYZ null null null]";
        if (jump.size() > m.capturedLength())
            continue;
        jump = jump.leftJustified(m.capturedLength(), ' ');
        pdf.replace(m.capturedStart(), m.capturedLength(), jump);
    }
    return pdf;
}

} // namespace

bool writePdf(const Book &book, const QString &path, QString *error)
{
    const Geometry g;
    const QString partial = path + QStringLiteral(".part");
    QList<Outline::Entry> outline; // the bookmarks: the contents and each chapter
    {
        QPdfWriter writer(partial);
        writer.setResolution(kDpi);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(kBookTitle);
        writer.setCreator(QStringLiteral("Sorrisa"));

        // Each chapter is a document of its own, so that it starts on a new page.
        QList<QList<Block>> chapters;
        for (const Block &b : book.source.blocks) {
            if (b.kind == Block::Chapter)
                chapters.append(QList<Block>());
            chapters.last().append(b);
        }
        std::vector<std::unique_ptr<QTextDocument>> docs;
        QList<int> firstPage; // physical page of each chapter, the cover being 1
        QList<TocEntry> toc;
        for (int c = 0; c < chapters.size(); ++c) {
            auto doc = std::make_unique<QTextDocument>();
            layOut(*doc, chapterHtml(book, chapters.at(c), c + 1, g), book, g, &writer);
            // A chapter whose last page would be nearly empty has its pictures made a little
            // smaller, when that brings that page's lines back onto the page before; failing
            // that, the page before ends earlier and the last page takes what it leaves.
            const int pages = contentPages(*doc, g);
            if (endsNearlyEmpty(*doc, g)) {
                for (double scale = 0.95; scale >= kSmallestPictures - 1e-9; scale -= 0.05) {
                    auto smaller = std::make_unique<QTextDocument>();
                    layOut(*smaller, chapterHtml(book, chapters.at(c), c + 1, g, scale), book, g, &writer);
                    if (contentPages(*smaller, g) < pages) {
                        doc = std::move(smaller);
                        break;
                    }
                }
            }
            if (endsNearlyEmpty(*doc, g) && !fillLastPage(*doc, g, kWellFilled) && !fillLastPage(*doc, g, kNearlyEmpty))
                QTextStream(stderr) << QStringLiteral("sorrisa_manual: il capitolo \"%1\" finisce su una pagina quasi "
                                                      "vuota\n")
                                           .arg(chapters.at(c).first().text);
            toc.append({c + 1, true, chapters.at(c).first().text, QString()});
            int section = 0;
            for (const Block &b : chapters.at(c))
                if (b.kind == Block::Section)
                    toc.append({c + 1, false, b.text, QStringLiteral("s%1").arg(++section)});
            docs.push_back(std::move(doc));
        }
        // The contents, then their page numbers; the numbers sit in their own column and do
        // not change the contents' length.
        QTextDocument contents;
        layOut(contents, tocHtml(toc), book, g, &writer);
        int page = 2 + contentPages(contents, g);
        for (int c = 0; c < int(docs.size()); ++c) {
            firstPage.append(page);
            page += contentPages(*docs[c], g);
        }
        for (TocEntry &e : toc)
            e.page = firstPage.at(e.chapter - 1) + (e.isChapter ? 0 : pageOfAnchor(*docs[e.chapter - 1], e.anchor, g));
        layOut(contents, tocHtml(toc), book, g, &writer);
        outline.append({QStringLiteral("Indice"), 2});
        for (int c = 0; c < chapters.size(); ++c)
            outline.append({QStringLiteral("%1. %2").arg(c + 1).arg(chapters.at(c).first().text), firstPage.at(c)});

        QPainter painter;
        if (!painter.begin(&writer)) {
            *error = QStringLiteral("cannot write %1").arg(partial);
            return false;
        }
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        paintCover(painter, book, g);
        int physical = 1;
        auto paintDocument = [&](QTextDocument &doc, const QString &head) {
            const int pages = contentPages(doc, g);
            for (int p = 0; p < pages; ++p) {
                writer.newPage();
                ++physical;
                painter.save();
                painter.translate(g.left, g.top - p * g.bodyH);
                QAbstractTextDocumentLayout::PaintContext context;
                // Not the last pixels: what starts the next page may touch the boundary.
                const QRectF body(0, p * g.bodyH, g.bodyW, g.bodyH - 3);
                context.clip = body;
                context.palette.setColor(QPalette::Text, QColor(0x1F, 0x2A, 0x36));
                painter.setClipRect(body);
                const QList<QTextBlock> going = blocksGoingOn(doc, p, g);
                for (QTextBlock block : going)
                    block.setVisible(false); // its drawing only: the layout stays
                doc.documentLayout()->draw(&painter, context);
                painter.setPen(context.palette.color(QPalette::Text));
                for (QTextBlock block : going) {
                    block.setVisible(true);
                    const QPointF at = doc.documentLayout()->blockBoundingRect(block).topLeft();
                    const QTextLayout *layout = block.layout();
                    for (int i = 0; i < layout->lineCount(); ++i)
                        if (at.y() + middle(layout->lineAt(i)) >= body.top())
                            layout->lineAt(i).draw(&painter, at);
                }
                painter.restore();
                // The running head on every page of a chapter but its first.
                paintHeaderAndFooter(painter, g, physical, p > 0 ? head : QString());
            }
        };
        paintDocument(contents, QString());
        for (int c = 0; c < int(docs.size()); ++c)
            paintDocument(*docs[c],
                          QStringLiteral("Capitolo %1 \u2013 %2").arg(c + 1).arg(chapters.at(c).first().text));
        painter.end();
    }

    QFile file(partial);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1").arg(partial);
        return false;
    }
    const QByteArray pdf = Outline::append(linkPages(file.readAll()), outline);
    file.close();
    file.remove();
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(pdf) != pdf.size()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

} // namespace Manual
