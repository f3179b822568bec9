#include "print/CardDocuments.h"
#include "ui/ThemeTokens.h"

#include "base/Formats.h"
#include "storage/AnsiText.h"
#include "storage/ShortString.h"

namespace CardDocuments {

using namespace Report;

namespace {

const QString kCalce = QStringLiteral("txtCalce");

// The card layout: heading bar at 1 mm, rows from 7 mm every 5 mm, the rule between labels
// and values down through all rows, the foot bar under the last row.
Document cardDesign(const QString &name, const QString &headingName, const QString &heading, const QList<Row> &rows,
                    double footY)
{
    Document doc(name, Document::Portrait);
    Band band{QStringLiteral("Scheda"), footY + 5.8, {}, {}, {}};

    band.boxes.append(Box{QRectF(1, 1, 188, 5.8), Colour::LightSteelBlue});
    TextBox title;
    title.name = headingName;
    title.rect = QRectF(2, 2, 185.8, 4.2);
    title.font = Font{QString::fromLatin1(Theme::kPrintFace), 9, false};
    title.align = Align::Centre;
    title.middle = true;
    title.lines = QStringList{heading};
    band.texts.append(title);

    for (int k = 0; k < rows.size(); ++k) {
        const double top = 7 + 5 * k;
        band.boxes.append(Box{QRectF(1, top, 188, 4.6), Colour::None});
        TextBox label;
        label.name = QStringLiteral("lbl") + rows[k].name.mid(3);
        label.rect = QRectF(2, top + 0.5, 37.8, 3.5);
        label.font = Font{QString::fromLatin1(Theme::kPrintFace), 7, false};
        label.lines = QStringList{rows[k].label};
        band.texts.append(label);
        TextBox value = label;
        value.name = rows[k].name;
        value.rect = QRectF(44, top + 0.5, 144, 3.5);
        value.lines.clear();
        band.texts.append(value);
    }
    band.rules.append(Rule{QPointF(42, 7), 5.0 * (rows.size() - 1) + 4.6});

    band.boxes.append(Box{QRectF(1, footY, 188, 5.8), Colour::Gold});
    TextBox calce;
    calce.name = kCalce;
    calce.rect = QRectF(2, footY + 1, 185.8, 4.2);
    calce.font = Font{QString::fromLatin1(Theme::kPrintFace), 8, false};
    calce.align = Align::Centre;
    calce.middle = true;
    calce.lines = QStringList{QStringLiteral("Data e ora stampa")};
    band.texts.append(calce);

    doc.addBand(band);
    return doc;
}

QString t(const QString &text) { return AnsiText::trimmed(text); }

} // namespace

QString moment(const QDateTime &now)
{
    return Formats::dateText(now.date()) + QStringLiteral(" alle ore ")
           + now.time().toString(QStringLiteral("HH:mm:ss"));
}

QList<Row> rows(const CardFields::Description &description, const CardFields::Texts &texts)
{
    const CardFields::Texts trimmed = [&texts](const char *field) { return t(texts(field)); };
    QList<Row> out;
    for (const CardFields::Field &field : description.fields) {
        const QString label = CardFields::printCaption(field);
        if (label.isEmpty())
            continue;
        out.append({label, QStringLiteral("txt") + QString::fromLatin1(field.control).mid(3),
                    t(CardFields::printedText(description, field, trimmed))});
    }
    return out;
}

QList<Row> rows(const CardFields::Description &description, const char *record)
{
    return rows(description, CardFields::textsOf(description, record));
}

namespace {

Document filled(Document doc, const QList<Row> &rows, const QString &foot, const QDateTime &now)
{
    doc.setOrientation(Document::Portrait);
    for (const Row &row : rows)
        doc.setText(row.name, row.value);
    doc.setText(kCalce, foot + moment(now));
    return doc;
}

} // namespace

Document appointmentCard(const QList<Row> &rows, const QDateTime &now)
{
    return filled(cardDesign(QStringLiteral("Scheda Appuntamento"), QStringLiteral("titScheda"),
                             QStringLiteral("SCHEDA APPUNTAMENTO"), rows, 76),
                  rows, QStringLiteral("Stampa eseguita in data "), now);
}

Document patientCard(const QList<Row> &rows, const QDateTime &now)
{
    return filled(cardDesign(QStringLiteral("Scheda Paziente"), QStringLiteral("titArcataSup"),
                             QStringLiteral("SCHEDA PAZIENTE"), rows, 139),
                  rows, QStringLiteral("Scheda stampata in data "), now);
}

} // namespace CardDocuments
