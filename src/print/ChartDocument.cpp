#include "print/ChartDocument.h"
#include "ui/ThemeTokens.h"

#include "print/CardDocuments.h"
#include "storage/AnsiText.h"

#include <tuple>

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
    box.font = Font{QString::fromLatin1(Theme::kPrintFace), points, false};
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
            line.font = Font{QString::fromLatin1(Theme::kPrintFace), 7, false};
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

const QString kNoStates = QStringLiteral("Nessuno stato registrato: tutti i denti sono sani.");

Document make(const QString &title, const QStringList &teeth, const QDateTime &now, const Odontogram &odontogram)
{
    Document doc = make(title, teeth, now);
    Band band{QStringLiteral("Odontogramma"), 271, {}, {}, {}, {}};

    band.boxes.append(Box{QRectF(1, 1, 188, 7), Colour::Gold});
    band.texts.append(bar(QStringLiteral("txtOdontoTitolo"), QRectF(2, 2.5, 186, 4), 9,
                          QStringLiteral("Odontogramma - ") + AnsiText::trimmed(title)));

    const auto scheme = [&](const QString &name, const QString &heading, double left, const Odontogram::Scheme &s) {
        band.boxes.append(Box{QRectF(left, 11, 93, 5.8), Colour::LightSteelBlue});
        band.texts.append(bar(QStringLiteral("tit") + name, QRectF(left + 1, 12, 91, 4.2), 9, heading));
        Figure figure{QStringLiteral("fig") + name, QRectF(left, 18, 93, 150), odontogram.canvas, s.shapes};
        band.figures.append(figure);
        for (const Odontogram::Number &n : s.numbers) {
            const QPointF at = figure.map(n.at);
            TextBox number = bar(QStringLiteral("txtFdi") + n.text, QRectF(at.x() - 3, at.y() - 1.5, 6, 3), 6, n.text);
            number.font.bold = true;
            number.colour = Theme::Colour::Heading;
            band.texts.append(number);
        }
    };
    scheme(QStringLiteral("Permanenti"), QStringLiteral("DENTI PERMANENTI"), 1, odontogram.permanent);
    scheme(QStringLiteral("Decidui"), QStringLiteral("DENTI DECIDUI"), 96, odontogram.deciduous);

    // The legend: five samples to a row, then the colours.
    band.boxes.append(Box{QRectF(1, 171, 188, 5.8), Colour::LightSteelBlue});
    band.texts.append(bar(QStringLiteral("titLegenda"), QRectF(2, 172, 185.8, 4.2), 9, QStringLiteral("LEGENDA")));
    for (qsizetype i = 0; i < odontogram.legend.size(); ++i) {
        const double x = 2 + 37.6 * double(i % 5);
        const double y = 178.5 + 8 * double(i / 5);
        const QString n = QString::number(i + 1);
        band.figures.append(Figure{QStringLiteral("figLegenda") + n, QRectF(x, y, 6, 6),
                                   QSizeF(odontogram.sampleSize, odontogram.sampleSize), odontogram.legend[i].sample});
        TextBox text;
        text.name = QStringLiteral("txtLegenda") + n;
        text.rect = QRectF(x + 7, y + 1.2, 30, 3.6);
        text.font = Font{QString::fromLatin1(Theme::kPrintFace), 7, false};
        text.lines = QStringList{odontogram.legend[i].text};
        band.texts.append(text);
    }
    const double keyTop = 178.5 + 8 * double((odontogram.legend.size() + 4) / 5);
    for (const auto &[name, x, text, colour] :
         {std::tuple{QStringLiteral("txtLegendaDaFare"), 2.0, odontogram.planned, Theme::Colour::Planned},
          std::tuple{QStringLiteral("txtLegendaPresente"), 60.0, odontogram.present, Theme::Colour::Present}}) {
        TextBox key;
        key.name = name;
        key.rect = QRectF(x, keyTop, 56, 3.6);
        key.font = Font{QString::fromLatin1(Theme::kPrintFace), 7, true};
        key.colour = colour;
        key.lines = QStringList{text};
        band.texts.append(key);
    }

    // The teeth's states, in three columns.
    band.boxes.append(Box{QRectF(1, 202, 188, 5.8), Colour::LightSteelBlue});
    band.texts.append(
        bar(QStringLiteral("titStati"), QRectF(2, 203, 185.8, 4.2), 9, QStringLiteral("STATO DEI DENTI")));
    const QStringList lines = odontogram.states.isEmpty() ? QStringList{kNoStates} : odontogram.states;
    const qsizetype perColumn = qMax<qsizetype>(1, (lines.size() + 2) / 3);
    for (int column = 0; column < 3; ++column) {
        TextBox box;
        box.name = QStringLiteral("txtStati") + QString::number(column + 1);
        box.rect = QRectF(2 + 62.5 * column, 209, 61.5, 54);
        box.font = Font{QString::fromLatin1(Theme::kPrintFace), 6.5, false};
        box.linePitch = 0;
        box.lines = lines.mid(column * perColumn, perColumn);
        band.texts.append(box);
    }

    band.boxes.append(Box{QRectF(1, 265, 188, 5.8), Colour::Gold});
    band.texts.append(bar(QStringLiteral("txtOdontoCalce"), QRectF(2, 266, 185.8, 4.2), 8,
                          QStringLiteral("Scheda stampata in data ") + CardDocuments::moment(now)));
    doc.addBand(band);
    return doc;
}

} // namespace ChartDocument
