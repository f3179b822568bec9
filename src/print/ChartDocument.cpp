#include "print/ChartDocument.h"

#include "print/CardDocuments.h"
#include "storage/AnsiText.h"

namespace ChartDocument {

using namespace Report;

namespace {

// The name of each tooth of one half of an arch, from the third molar to the central incisor.
const char *const kNames[] = {"TERZO MOLARE",    "SECONDO MOLARE", "PRIMO MOLARE",      "SECONDO PREMOLARE",
                              "PRIMO PREMOLARE", "CANINO",         "INCISIVO LATERALE", "INCISIVO CENTRALE"};

QString toothName(int tooth)
{
    // Each arch runs molar to incisor on one side, then incisor to molar on the other:
    // 1-8 and 25-32 are the patient's right, 9-24 the left.
    const int inArch = (tooth - 1) % 16; // 0..15
    const int index = inArch < 8 ? inArch : 15 - inArch;
    const bool right = tooth <= 8 || tooth >= 25;
    return QString::fromLatin1(kNames[index]) + (right ? QStringLiteral(" DX") : QStringLiteral(" SX"));
}

TextBox bar(const QString &name, const QRectF &rect, double points, const QString &text)
{
    TextBox box;
    box.name = name;
    box.rect = rect;
    box.font = Font{QStringLiteral("Arial"), points, false};
    box.align = Align::Centre;
    box.middle = true;
    box.lines = QStringList{text};
    return box;
}

QString number(int tooth) { return QStringLiteral("%1").arg(tooth, 2, 10, QLatin1Char('0')); }

} // namespace

QString prefix(int tooth) { return toothName(tooth) + QStringLiteral(":  "); }

Document design()
{
    Document doc(QStringLiteral("Stato dentale"), Document::Portrait);
    Band band{QStringLiteral("Scheda"), 201, {}, {}, {}};

    band.boxes.append(Box{QRectF(1, 1, 188, 7), Colour::Gold});
    band.texts.append(
        bar(QStringLiteral("txtPaziente"), QRectF(2, 2.5, 186, 4), 9, QStringLiteral("Stato dentale del paziente")));

    const auto arch = [&band](const QString &headingName, const QString &heading, double top, int first) {
        band.boxes.append(Box{QRectF(1, top, 188, 5.8), Colour::LightSteelBlue});
        band.texts.append(bar(headingName, QRectF(2, top + 1, 185.8, 4.2), 9, heading));
        for (int k = 0; k < 16; ++k) {
            const int tooth = first + k;
            const double y = top + 6 + 5 * k;
            band.boxes.append(Box{QRectF(1, y, 188, 4.6), Colour::None});
            TextBox line;
            line.name = QStringLiteral("txtDente") + number(tooth);
            line.rect = QRectF(2, y + 0.5, 186, 3.5);
            line.font = Font{QStringLiteral("Arial"), 7, false};
            line.lines = QStringList{number(tooth) + QLatin1Char(')')};
            band.texts.append(line);
        }
    };
    arch(QStringLiteral("titArcataSup"), QStringLiteral("ARCATA SUPERIORE"), 13, 1);
    arch(QStringLiteral("titAccettazione"), QStringLiteral("ARCATA INFERIORE"), 104, 17);

    band.boxes.append(Box{QRectF(1, 195, 188, 5.8), Colour::Gold});
    band.texts.append(bar(QStringLiteral("txtCalce"), QRectF(2, 196, 185.8, 4.2), 8, QString()));

    doc.addBand(band);
    return doc;
}

Document make(const QString &title, const QStringList &teeth, const QDateTime &now)
{
    Document doc = design();
    doc.setOrientation(Document::Portrait);
    doc.setText(QStringLiteral("txtPaziente"), AnsiText::trimmed(title));
    for (int tooth = 1; tooth <= 32; ++tooth)
        doc.setText(QStringLiteral("txtDente") + number(tooth),
                    prefix(tooth) + AnsiText::trimmed(teeth.value(tooth - 1)));
    doc.setText(QStringLiteral("txtCalce"), QStringLiteral("Scheda stampata in data ") + CardDocuments::moment(now));
    return doc;
}

} // namespace ChartDocument
