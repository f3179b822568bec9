#include "billing/MoneyDocuments.h"

#include "billing/Money.h"

namespace MoneyDocuments {

namespace {

using namespace Report;

constexpr double kWidth = 190; // A4 portrait less the margins
constexpr double kPitch = 5;

TextBox text(const QString &name, const QRectF &rect, double points, bool bold, const QStringList &lines,
             double pitch = 0)
{
    TextBox box;
    box.name = name;
    box.rect = rect;
    box.font = Font{QStringLiteral("Verdana"), points, bold};
    box.flow = Flow::WordWrap;
    box.linePitch = pitch;
    box.lines = lines;
    return box;
}

// A band of lines one under the other, continued on the next page when it does not fit.
Band linesBand(const QString &name, const QStringList &lines, double points = 9, bool bold = false)
{
    const double height = kPitch * std::max<qsizetype>(1, lines.size()) + 2;
    TextBox box = text(name, QRectF(0, 0, kWidth, height), points, bold, lines, kPitch);
    // A fixed-pitch face, so that the amounts padded to the right stand in a column.
    box.font.family = QString::fromLatin1(Theme::kFixedFace);
    box.flow = Flow::Cut;
    return Band{name, height + 2, {}, {}, {box}};
}

Band heading(const PracticeData &practice, const QString &title, const QStringList &patient)
{
    QStringList studio = practiceLines(practice);
    Band band{QStringLiteral("Intestazione"), 62, {}, {}, {}};
    // Fixed boxes (no line pitch): the heading never continues on another page.
    band.texts.append(text(QStringLiteral("Studio"), QRectF(0, 0, 105, 42), 9, false, studio));
    band.texts.append(text(QStringLiteral("Titolo"), QRectF(0, 48, kWidth, 8), 13, true, {title}));
    band.texts.append(text(QStringLiteral("Paziente"), QRectF(111, 1, 78, 38), 9, false, patient));
    band.boxes.append(Box{QRectF(108, 0, 82, 40), Colour::None});
    return band;
}

QString money(qint64 cents) { return Money::euro(cents); }

// "Dente 16 - Corona in ceramica integrale" as a line's words.
QString toothWords(const QString &tooth, const QString &description)
{
    return tooth.isEmpty() ? description : QStringLiteral("Dente %1 - %2").arg(tooth, description);
}

QString padded(const QString &left, const QString &right, int width = 84)
{
    return left.left(width - right.size() - 1).leftJustified(width - right.size(), QLatin1Char(' ')) + right;
}

QStringList patientLines(const Invoices::Patient &p)
{
    QStringList out{QStringLiteral("Paziente:"), p.name};
    if (!p.address.isEmpty())
        out << p.address;
    const QString town =
        QStringList{p.zip, p.city, p.province.isEmpty() ? QString() : QStringLiteral("(%1)").arg(p.province)}
            .join(QLatin1Char(' '))
            .simplified();
    if (!town.isEmpty())
        out << town;
    if (!p.codiceFiscale.isEmpty())
        out << QStringLiteral("Codice fiscale: ") + p.codiceFiscale;
    return out;
}

} // namespace

QStringList practiceLines(const PracticeData &d)
{
    QStringList out;
    const auto add = [&out](const QString &prefix, const QString &value) {
        if (!value.trimmed().isEmpty())
            out << prefix + value.trimmed();
    };
    add(QString(), d.denominazione);
    add(QStringLiteral("Dott. "), d.titolare);
    add(QString(), QStringList{d.indirizzo, QStringList{d.cap, d.citta}.join(QLatin1Char(' ')).trimmed(),
                               d.provincia.isEmpty() ? QString() : QStringLiteral("(%1)").arg(d.provincia)}
                       .join(QLatin1Char(' '))
                       .simplified());
    add(QStringLiteral("Tel. "), d.telefono);
    add(QStringLiteral("E-mail: "), d.email);
    add(QStringLiteral("PEC: "), d.pec);
    add(QStringLiteral("Codice fiscale: "), d.codiceFiscale);
    add(QStringLiteral("Partita IVA: "), d.partitaIva);
    if (!d.alboNumero.isEmpty())
        out << QStringLiteral("Iscritto all'albo degli odontoiatri di %1 n. %2").arg(d.alboProvincia, d.alboNumero);
    return out;
}

QStringList estimateLines(const Estimates::Estimate &e)
{
    QStringList out;
    out << padded(QStringLiteral("Prestazione"), QStringLiteral("Q.tà      Prezzo       Importo"));
    for (qsizetype i = 0; i < e.lines.size(); ++i) {
        const Estimates::Line &l = e.lines.at(i);
        QString words = toothWords(l.tooth, l.description);
        if (!l.surfaces.isEmpty())
            words += QStringLiteral(" (") + l.surfaces + QLatin1Char(')');
        out << padded(
            words,
            QStringLiteral("%1 %2 %3").arg(l.quantity, 4).arg(money(l.unitCents), 12).arg(money(e.lineCents(i)), 13));
    }
    if (e.discount > 0)
        out << QStringLiteral("Sconto applicato a ogni prestazione: ") + Money::percentText(e.discount)
                   + QStringLiteral(" %");
    out << padded(QStringLiteral("TOTALE"), money(e.totalCents()));
    return out;
}

Report::Document estimate(const Estimates::Estimate &e, const Invoices::Patient &patient, const PracticeData &practice)
{
    Document doc(QStringLiteral("Preventivo"), Document::Portrait);
    doc.addBand(heading(practice, QStringLiteral("Preventivo %1 del %2").arg(e.numberText(), Money::dateText(e.date)),
                        patientLines(patient)));
    doc.addBand(linesBand(QStringLiteral("Righe"), estimateLines(e)));
    QStringList closing;
    if (e.validUntil.isValid())
        closing << QStringLiteral("Il presente preventivo è valido fino al ") + Money::dateText(e.validUntil)
                       + QLatin1Char('.');
    closing << QStringLiteral(
        "Condizioni: le prestazioni sono esenti da IVA; gli importi possono variare se il piano "
        "di cura cambia nel corso del trattamento. Il pagamento avviene secondo quanto concordato "
        "con lo studio.")
            << QString() << QStringLiteral("Per accettazione, data ____________________") << QString()
            << QStringLiteral("Firma del paziente ______________________________");
    Band end{QStringLiteral("Condizioni"), 50, {}, {}, {}};
    end.texts.append(text(QStringLiteral("Condizioni"), QRectF(0, 4, kWidth, 44), 9, false, closing, 5));
    doc.addBand(end);
    return doc;
}

Report::Document invoice(const Invoices::Invoice &inv, const PracticeData &practice)
{
    Document doc(Invoices::kindCaption(inv.kind), Document::Portrait);
    QString title = QStringLiteral("%1 n. %2 del %3")
                        .arg(Invoices::kindCaption(inv.kind), inv.number.text(), Money::dateText(inv.date));
    doc.addBand(heading(practice, title, patientLines(inv.patient)));
    QStringList lines{padded(QStringLiteral("Descrizione"), QStringLiteral("Importo"))};
    for (const Invoices::Line &l : inv.lines)
        lines << padded(toothWords(l.tooth, l.description), money(l.cents));
    lines << padded(QStringLiteral("TOTALE"), money(inv.totalCents));
    doc.addBand(linesBand(QStringLiteral("Righe"), lines));
    QStringList closing;
    if (!inv.corrects.isNull())
        closing << QStringLiteral("Rettifica della fattura n. ") + inv.corrects.text() + QLatin1Char('.');
    closing << inv.exemption;
    if (inv.stamp)
        closing << Money::kStampSentence;
    if (inv.paymentDate.isValid() && inv.method)
        closing << QStringLiteral("Pagamento del %1: %2 (%3).")
                       .arg(Money::dateText(inv.paymentDate), Money::methodName(*inv.method),
                            inv.traceable ? QStringLiteral("tracciabile") : QStringLiteral("non tracciabile"));
    else
        closing << QStringLiteral("Pagamento: da eseguire.");
    if (inv.opposition)
        closing << Money::kOppositionSentence;
    if (!practice.iban.isEmpty())
        closing << QStringLiteral("IBAN: ") + practice.iban;
    Band end{QStringLiteral("Piede"), 44, {}, {}, {}};
    end.texts.append(text(QStringLiteral("Piede"), QRectF(0, 4, kWidth, 38), 9, false, closing, 5));
    doc.addBand(end);
    return doc;
}

} // namespace MoneyDocuments
