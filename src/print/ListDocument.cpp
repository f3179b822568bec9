#include "print/ListDocument.h"

#include "app/Formats.h"

namespace ListDocument {

using namespace Report;

Document design()
{
    Document doc(QStringLiteral("Riepilogo"), Document::Landscape);

    Band title{QStringLiteral("Titolo"), 8, {}, {}, {}};
    TextBox titolo;
    titolo.name = QStringLiteral("txtTitolo");
    titolo.rect = QRectF(2, 1, 273, 5);
    titolo.font = Font{QStringLiteral("Verdana"), 9, true};
    titolo.colour = Colour::White;
    titolo.fill = Colour::SlateGrey;
    titolo.align = Align::Centre;
    titolo.flow = Flow::WordWrap;
    titolo.middle = true;
    titolo.lines = QStringList{QStringLiteral("Riepilogo")};
    title.texts.append(titolo);
    doc.addBand(title);

    Band data{QStringLiteral("MasterData"), 28, {}, {}, {}};
    TextBox riepilogo;
    riepilogo.name = QStringLiteral("txtRiepilogo");
    riepilogo.rect = QRectF(3, 0, 273, 27);
    riepilogo.font = Font{QStringLiteral("Courier New"), 8, false};
    riepilogo.linePitch = unitsToMm(kLineUnits);
    data.texts.append(riepilogo);
    doc.addBand(data);

    Band footer{QStringLiteral("Pagina"), 8, {}, {}, {}};
    TextBox pagina;
    pagina.name = QStringLiteral("txtPagina");
    pagina.rect = QRectF(3, 2, 272, 5);
    pagina.font = Font{QStringLiteral("Verdana"), 8, true};
    pagina.colour = Colour::White;
    pagina.fill = Colour::SlateGrey;
    pagina.align = Align::Centre;
    pagina.flow = Flow::WordWrap;
    pagina.middle = true;
    footer.texts.append(pagina);
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
