#include "print/BookDocument.h"
#include "ui/ThemeTokens.h"

#include <algorithm>

namespace BookDocument {

using namespace Report;

namespace {

TextBox text(const QString &name, const QRectF &rect, double points, bool bold, const QStringList &lines)
{
    TextBox box;
    box.name = name;
    box.rect = rect;
    box.font = Font{QString::fromLatin1(Theme::kPrintFace), points, bold};
    box.lines = lines;
    return box;
}

// A white centred line on the slate bar: the page's title and its foot.
TextBox bar(const QString &name, const QRectF &rect, double points, const QString &line)
{
    TextBox box = text(name, rect, points, true, {line});
    box.font.family = QString::fromLatin1(Theme::kProgramFace);
    box.colour = Colour::White;
    box.fill = Colour::SlateGrey;
    box.align = Align::Centre;
    box.middle = true;
    return box;
}

QString hourText(int minute)
{
    return QStringLiteral("%1:%2").arg(minute / 60, 2, 10, QLatin1Char('0')).arg(minute % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

Document make(const Book &book)
{
    Document doc(QStringLiteral("Calendario appuntamenti"), book.landscape ? Document::Landscape : Document::Portrait);
    const QSizeF size = doc.printableSize();
    const double width = size.width();
    // One band as high as the page, a hair less so that it never spills onto a second.
    Band band{QStringLiteral("Calendario"), size.height() - 0.5, {}, {}, {}};

    band.texts.append(bar(QStringLiteral("txtTitolo"), QRectF(0, 0, width, 7), 10, book.title));

    // The legend: a small box of each dentist's colour and the dentist beside it.
    if (!book.legend.isEmpty()) {
        const double each = std::min(48.0, width / book.legend.size());
        for (int i = 0; i < book.legend.size(); ++i) {
            const double x = i * each;
            band.boxes.append(Box{QRectF(x + 0.5, 9.5, 3, 3), book.legend[i].second});
            band.texts.append(text(QStringLiteral("txtLegenda%1").arg(i + 1), QRectF(x + 4.5, 9, each - 5, 4), 7, false,
                                   {book.legend[i].first}));
        }
    }

    const int days = std::max<int>(1, int(book.days.size()));
    const double dayWidth = (width - kTimeColumn) / days;
    const double gridBottom = band.height - kFootHeight;
    const double rowHeight = (gridBottom - kGridTop) / std::max(1, book.rows);
    const auto dayLeft = [&](int day) { return kTimeColumn + day * dayWidth; };
    const auto rowTop = [&](int row) { return kGridTop + row * rowHeight; };

    for (int d = 0; d < book.days.size(); ++d) {
        band.boxes.append(Box{QRectF(dayLeft(d), 17.5, dayWidth, 5.5), Colour::LightSteelBlue});
        TextBox heading =
            text(QStringLiteral("txtGiorno%1").arg(d + 1), QRectF(dayLeft(d) + 0.5, 18, dayWidth - 1, 4.5),
                 book.landscape ? 7.5 : 8.5, true, {book.days[d]});
        heading.align = Align::Centre;
        heading.middle = true;
        band.texts.append(heading);
    }

    // A framed box per hour and day, the hour written beside its first row.
    const int perHour = 60 / 15;
    for (int row = 0; row < book.rows; row += perHour) {
        const int rows = std::min(perHour, book.rows - row);
        band.texts.append(text(QStringLiteral("txtOra%1").arg(row / perHour + 1),
                               QRectF(0, rowTop(row), kTimeColumn - 1, std::min(rowHeight * rows, 4.0)), 7, false,
                               {hourText(book.firstMinute + row * 15)}));
        for (int d = 0; d < days; ++d)
            band.boxes.append(Box{QRectF(dayLeft(d), rowTop(row), dayWidth, rowHeight * rows), Colour::None});
    }

    // The blocks, in the order given (a block's texts are named by that order).
    for (int i = 0; i < book.blocks.size(); ++i) {
        const Block &b = book.blocks[i];
        const double columnWidth = dayWidth / std::max(1, b.columns);
        const QRectF rect(dayLeft(b.day) + b.column * columnWidth + 0.3, rowTop(b.row) + 0.2, columnWidth - 0.6,
                          rowHeight * b.rows - 0.4);
        band.boxes.append(Box{rect, b.fill});
        band.boxes.append(Box{QRectF(rect.left(), rect.top(), kStripWidth, rect.height()), b.strip});
        TextBox lines =
            text(QStringLiteral("txtBlocco%1").arg(i + 1),
                 QRectF(rect.left() + kStripWidth + 0.5, rect.top() + 0.2,
                        std::max(0.0, rect.width() - kStripWidth - 0.8), std::max(0.0, rect.height() - 0.4)),
                 book.landscape ? 5.5 : 6.5, false, b.lines);
        lines.colour = b.ink;
        lines.flow = Report::Flow::Joined; // every part printed, however short the block
        band.texts.append(lines);
    }

    band.texts.append(bar(QStringLiteral("txtPagina"), QRectF(0, band.height - 5.5, width, 5), 8, book.footer));

    doc.addBand(band);
    return doc;
}

} // namespace BookDocument
