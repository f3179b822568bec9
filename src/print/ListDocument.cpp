#include "print/ListDocument.h"
#include "ui/ThemeTokens.h"

#include "base/Formats.h"

namespace ListDocument {

using namespace Report;

Document design()
{
    Document doc(QStringLiteral("Riepilogo"), Document::Landscape);

    // The title and the footer: white bold Verdana, centred on a slate-grey bar, wrapped.
    const auto bar = [](const QString &name, const QRectF &rect, double points) {
        TextBox box;
        box.name = name;
        box.rect = rect;
        box.font = Font{QString::fromLatin1(Theme::kProgramFace), points, true};
        box.colour = Colour::White;
        box.fill = Colour::SlateGrey;
        box.align = Align::Centre;
        box.flow = Flow::WordWrap;
        box.middle = true;
        return box;
    };

    Band title{QStringLiteral("Titolo"), 8, {}, {}, {}};
    TextBox titolo = bar(QStringLiteral("txtTitolo"), QRectF(2, 1, 273, 5), 9);
    titolo.lines = QStringList{QStringLiteral("Riepilogo")};
    title.texts.append(titolo);
    doc.addBand(title);

    Band data{QStringLiteral("MasterData"), 28, {}, {}, {}};
    TextBox riepilogo;
    riepilogo.name = QStringLiteral("txtRiepilogo");
    riepilogo.rect = QRectF(3, 0, 273, 27);
    riepilogo.font = Font{QString::fromLatin1(Theme::kFixedFace), 8, false};
    riepilogo.linePitch = unitsToMm(kLineUnits);
    data.texts.append(riepilogo);
    doc.addBand(data);

    Band footer{QStringLiteral("Pagina"), 8, {}, {}, {}};
    footer.texts.append(bar(QStringLiteral("txtPagina"), QRectF(3, 2, 272, 5), 8));
    doc.addBand(footer);
    return doc;
}

QString footerText(Footer footer, const QDate &date)
{
    return (footer == Footer::English ? QStringLiteral("Printed on ") : QStringLiteral("Stampa eseguita in data "))
           + Formats::dateText(date);
}

Footer footerFor(const QString &windowName)
{
    return windowName == QLatin1String("frmFindClients") || windowName == QLatin1String("frmListIssues")
               ? Footer::English
               : Footer::Italian;
}

Document make(const QString &title, const QStringList &lines, const QString &footer)
{
    Document doc = design();
    doc.setText(QStringLiteral("txtTitolo"), title);
    doc.setLines(QStringLiteral("txtRiepilogo"), lines);
    const double linesHeight = unitsToMm(lines.size() * kLineUnits);
    doc.setTextHeight(QStringLiteral("txtRiepilogo"), linesHeight);
    doc.setBandHeight(QStringLiteral("MasterData"), linesHeight + unitsToMm(kPaddingUnits));
    doc.setText(QStringLiteral("txtPagina"), footer);
    return doc;
}

} // namespace ListDocument
