#include "print/CardDocuments.h"
#include "ui/ThemeTokens.h"

#include "base/Formats.h"
#include "storage/AnsiText.h"

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

const QList<Row> &appointmentRows()
{
    static const QList<Row> rows = {
        {QStringLiteral("Data appuntamento:"), QStringLiteral("txtData")},
        {QStringLiteral("Ora:"), QStringLiteral("txtOra")},
        {QStringLiteral("Dentista:"), QStringLiteral("txtTipologia")},
        {QStringLiteral("Trattamenti dentali:"), QStringLiteral("txtCausale")},
        {QStringLiteral("Dettagli:"), QStringLiteral("txtDettagli")},
        {QStringLiteral("Paziente:"), QStringLiteral("txtContatto")},
        {QStringLiteral("Telefono:"), QStringLiteral("txtTel")},
        {QStringLiteral("Cellulare:"), QStringLiteral("txtCel")},
        {QStringLiteral("E-mail:"), QStringLiteral("txtEmail")},
        {QStringLiteral("Modalità di pagamento:"), QStringLiteral("txtLuogo")},
        {QStringLiteral("Importo:"), QStringLiteral("txtImporto")},
        {QStringLiteral("Note:"), QStringLiteral("txtNote")},
        {QStringLiteral("Impegno assolto:"), QStringLiteral("txtOttemperata")},
    };
    return rows;
}

Document appointmentDesign()
{
    return cardDesign(QStringLiteral("Scheda Appuntamento"), QStringLiteral("titScheda"),
                      QStringLiteral("SCHEDA APPUNTAMENTO"), appointmentRows(), 76);
}

Document appointmentCard(const AppointmentCard &card, const QDateTime &now)
{
    Document doc = appointmentDesign();
    doc.setOrientation(Document::Portrait);
    doc.setText(QStringLiteral("txtOttemperata"),
                card.chkOttemperata ? QStringLiteral("S\u00EC") : QStringLiteral("No"));
    doc.setText(QStringLiteral("txtData"), t(card.txtData));
    // The time comes from the hours and minutes on screen, not from the saved time text.
    doc.setText(QStringLiteral("txtOra"), t(card.txtOreApp) + QLatin1Char(':') + t(card.txtMinutiApp));
    doc.setText(QStringLiteral("txtTipologia"), t(card.txtTipologia));
    doc.setText(QStringLiteral("txtCausale"), t(card.txtCausale));
    doc.setText(QStringLiteral("txtDettagli"), t(card.txtDettagli));
    doc.setText(QStringLiteral("txtContatto"), t(card.txtContatto));
    doc.setText(QStringLiteral("txtTel"), t(card.txtTel));
    doc.setText(QStringLiteral("txtCel"), t(card.txtCel));
    doc.setText(QStringLiteral("txtEmail"), t(card.txtEmail));
    doc.setText(QStringLiteral("txtLuogo"), t(card.txtLuogo));
    doc.setText(QStringLiteral("txtImporto"), t(card.txtImporto));
    doc.setText(QStringLiteral("txtNote"), t(card.txtNote));
    doc.setText(kCalce, QStringLiteral("Stampa eseguita in data ") + moment(now));
    return doc;
}

const QList<Row> &patientRows()
{
    static const QList<Row> rows = {
        {QStringLiteral("Cognome e nome:"), QStringLiteral("txtName")},
        {QStringLiteral("Sesso:"), QStringLiteral("txtGender")},
        {QStringLiteral("Data di nascita:"), QStringLiteral("txtBirthDate")},
        {QStringLiteral("Luogo di nascita:"), QStringLiteral("txtBirthPlace")},
        {QStringLiteral("Via e numero civico:"), QStringLiteral("txtStreet")},
        {QStringLiteral("Città:"), QStringLiteral("txtCity")},
        {QStringLiteral("Provincia:"), QStringLiteral("txtState")},
        {QStringLiteral("CAP:"), QStringLiteral("txtZip")},
        {QStringLiteral("Cittadinanza:"), QStringLiteral("txtCitizenship")},
        {QStringLiteral("Codice fiscale:"), QStringLiteral("txtTaxNumber")},
        {QStringLiteral("Partita IVA:"), QStringLiteral("txtSSN")},
        {QStringLiteral("E-mail:"), QStringLiteral("txtEmail")},
        {QStringLiteral("Telefono:"), QStringLiteral("txtHomePhone")},
        {QStringLiteral("Cellulare:"), QStringLiteral("txtMobilePhone")},
        {QStringLiteral("Occupazione:"), QStringLiteral("txtOccupation")},
        {QStringLiteral("Sede di lavoro:"), QStringLiteral("txtWork")},
        {QStringLiteral("Patologie e handicap:"), QStringLiteral("txtPathologies")},
        {QStringLiteral("Medicinali assunti:"), QStringLiteral("txtDrugs")},
        {QStringLiteral("Allergie note:"), QStringLiteral("txtAllergies")},
        {QStringLiteral("Problemi dentali principali:"), QStringLiteral("txtProblems")},
        {QStringLiteral("Questioni in sospeso:"), QStringLiteral("txtIssues")},
        {QStringLiteral("Modalità di pagamento:"), QStringLiteral("txtCommunication")},
        {QStringLiteral("Dentista assegnato:"), QStringLiteral("txtDentist")},
        {QStringLiteral("Orari preferenziali:"), QStringLiteral("txtTimes")},
        {QStringLiteral("Stato dei pagamenti:"), QStringLiteral("txtStatus")},
        {QStringLiteral("Note:"), QStringLiteral("txtNotes")},
    };
    return rows;
}

Document patientDesign()
{
    return cardDesign(QStringLiteral("Scheda Paziente"), QStringLiteral("titArcataSup"),
                      QStringLiteral("SCHEDA PAZIENTE"), patientRows(), 139);
}

Document patientCard(const QHash<QString, QString> &fields, const QDateTime &now)
{
    Document doc = patientDesign();
    doc.setOrientation(Document::Portrait);
    for (const Row &row : patientRows())
        doc.setText(row.name, t(fields.value(row.name)));
    doc.setText(kCalce, QStringLiteral("Scheda stampata in data ") + moment(now));
    return doc;
}

AppointmentCard appointmentFrom(const TAppointmentRecord &record)
{
    AppointmentCard a;
    a.txtData = record.Data.text();
    a.txtOreApp = record.OreApp.text();
    a.txtMinutiApp = record.MinutiApp.text();
    a.txtTipologia = record.Tipologia.text();
    a.txtCausale = record.Causale.text();
    a.txtDettagli = record.Dettagli.text();
    a.txtContatto = record.Contatto.text();
    a.txtTel = record.Tel.text();
    a.txtCel = record.Cel.text();
    a.txtEmail = record.Email.text();
    a.txtLuogo = record.Luogo.text();
    a.txtImporto = record.Importo.text();
    a.txtNote = record.Note.text();
    a.chkOttemperata = record.Ottemperata.text() == kFlagYes;
    return a;
}

QHash<QString, QString> patientFrom(const TPatientRecord &record)
{
    QHash<QString, QString> fields;
    for (const RecordField &field : TPatientRecord::fields())
        fields.insert(QString::fromLatin1(field.control), field.read(recordBytes(record)));
    return fields;
}

} // namespace CardDocuments
