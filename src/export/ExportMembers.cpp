#include "export/ExportMembers.h"

#include "appointments/AgendaRules.h"
#include "appointments/AppointmentArchive.h"
#include "export/ExportTable.h"
#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace Exports {

namespace {

const QString kAppointmentInfo = QStringLiteral("Esportazione archivio in Microsoft Excel.");

GridColumn numberColumn() { return {"colNum", QStringLiteral("N."), 60, 0, false}; }

Description clients()
{
    Description d{Member::Clients,
                  "frmExpClients",
                  QStringLiteral(" Esportazione archivio pazienti in Excel"),
                  QStringLiteral("Riepilogo_Pazienti.xls"),
                  QStringLiteral("Riepilogo Pazienti"),
                  QStringLiteral("Export database to Excel."),
                  {numberColumn()}};
    d.columns += {
        {"colTenant", QStringLiteral("Paziente"), 250, 300, false},
        {"colGender", QStringLiteral("Sesso"), 90, 100, false},
        {"colBirthDate", QStringLiteral("Data di nascita"), 120, 200, false},
        {"colBirthPlace", QStringLiteral("Luogo di nascita"), 200, 250, false},
        {"colStreet", QStringLiteral("Indirizzo e numero civico"), 250, 400, false},
        {"colCity", QStringLiteral("Citt\u00E0"), 200, 250, true},
        {"colState", QStringLiteral("Provincia"), 200, 250, true},
        {"colCitizenship", QStringLiteral("Cittadinanza"), 200, 250, false},
        {"colTaxNumber", QStringLiteral("Codice fiscale"), 200, 250, false},
        {"colSSN", QStringLiteral("Partita IVA"), 200, 250, false},
        {"colEmail", QStringLiteral("E-mail"), 200, 250, true},
        {"colHomePhone", QStringLiteral("Telefono"), 200, 200, true},
        {"colMobilePhone", QStringLiteral("Cellulare"), 200, 250, false},
        {"colOccupation", QStringLiteral("Occupazione"), 250, 250, false},
        {"colWork", QStringLiteral("Sede di lavoro"), 300, 400, true},
        {"colPathologies", QStringLiteral("Patologie e handicap"), 300, 400, true},
        {"colDrugs", QStringLiteral("Medicinali assunti"), 300, 400, true},
        {"colAllergies", QStringLiteral("Allergie note"), 300, 400, true},
        {"colProblems", QStringLiteral("Problemi dentali principali"), 300, 400, true},
        {"colIssues", QStringLiteral("Questioni in sospeso"), 300, 400, true},
        {"colCommunication", QStringLiteral("Modalit\u00E0 di pagamento"), 300, 400, true},
        {"colDentist", QStringLiteral("Dentista assegnato"), 300, 400, true},
        {"colTimes", QStringLiteral("Orari preferenziali"), 300, 400, false},
        {"colStatus", QStringLiteral("Stato dei pagamenti"), 300, 300, true},
        {"colNotes", QStringLiteral("Note"), 350, 400, true},
    };
    return d;
}

// The appointment members share their columns; the archive has no key column and a
// narrower date, and each member leaves a few other columns open to typing.
Description appointments(Member member, const char *objectName, const QString &caption, const QString &fileName,
                         const QString &sheetName)
{
    const bool archive = member == Member::Scadenzario;
    const bool imminent = member == Member::Imminenti;
    const bool dayOrMonth = member == Member::Giornaliere || member == Member::Mensili;
    Description d{member, objectName, caption, fileName, sheetName, kAppointmentInfo, {numberColumn()}};
    d.columns += {
        {"colData", QStringLiteral("Data appuntamento"), archive ? 130 : 140, 180, false},
        {"colOra", QStringLiteral("Ora"), 100, 150, false},
        {"colTipologia", QStringLiteral("Dentista"), 200, 280, false},
        {"colCausale", QStringLiteral("Trattamenti dentali"), 300, 400, false},
        {"colDettagli", QStringLiteral("Dettagli"), 300, 400, true},
        {"colContatto", QStringLiteral("Paziente"), 250, 300, true},
        {"colTel", QStringLiteral("Telefono"), 150, 200, archive || dayOrMonth},
        {"colCel", QStringLiteral("Cellulare"), 150, 200, imminent},
        {"colEmail", QStringLiteral("E-mail"), 200, 250, false},
        {"colLuogo", QStringLiteral("Modalit\u00E0 di pagamento"), 250, 300, false},
        {"colImporto", QStringLiteral("Importo"), 180, 200, false},
        {"colOttemperata", QStringLiteral("Impegno assolto"), 150, 200, false},
        {"colNote", QStringLiteral("Note"), 300, 400, false},
    };
    if (!archive)
        d.columns.append({"colCodice", QStringLiteral("Codice univoco"), 150, 150, true});
    return d;
}

// ---- Filling ----

void fillClients(ExportTable &rows)
{
    RecordFile file(ProgramFolder::file(kPatientArchive), TPatientRecord::Size);
    file.open(RecordFile::Read);
    rows.reserve(file.count(), file.count() * 2048);
    file.scan([&](const char *bytes, qint64 position) {
        const auto &r = *reinterpret_cast<const TPatientRecord *>(bytes);
        rows.appendRow(position,
                       {r.Name.trimmedBytes(),        r.Gender.trimmedBytes(),      r.BirthDate.trimmedBytes(),
                        r.BirthPlace.trimmedBytes(),  r.Street.trimmedBytes(),      r.City.trimmedBytes(),
                        r.State.trimmedBytes(),       r.Citizenship.trimmedBytes(), r.TaxNumber.trimmedBytes(),
                        r.SSN.trimmedBytes(),         r.Email.trimmedBytes(),       r.HomePhone.trimmedBytes(),
                        r.MobilePhone.trimmedBytes(), r.Occupation.trimmedBytes(),  r.Work.trimmedBytes(),
                        r.Pathologies.trimmedBytes(), r.Drugs.trimmedBytes(),       r.Allergies.trimmedBytes(),
                        r.Problems.trimmedBytes(),    r.Issues.trimmedBytes(),      r.Communication.trimmedBytes(),
                        r.Dentist.trimmedBytes(),     r.Times.trimmedBytes(),       r.Status.trimmedBytes(),
                        r.Notes.trimmedBytes()});
        return true;
    });
    file.close();
}

void appendAppointment(ExportTable &rows, qint64 number, const TAppointmentRecord &r, QByteArrayView key)
{
    rows.appendRow(number, {r.Data.trimmedBytes(), r.Ora.trimmedBytes(), r.Tipologia.trimmedBytes(),
                            r.Causale.trimmedBytes(), r.Dettagli.trimmedBytes(), r.Contatto.trimmedBytes(),
                            r.Tel.trimmedBytes(), r.Cel.trimmedBytes(), r.Email.trimmedBytes(), r.Luogo.trimmedBytes(),
                            r.Importo.trimmedBytes(), r.Ottemperata.trimmedBytes(), r.Note.trimmedBytes(), key});
}

template <class Visit> void eachAppointment(ExportTable &rows, Visit visit)
{
    RecordFile file(ProgramFolder::file(kAppointmentArchive), TAppointmentRecord::Size);
    file.open(RecordFile::Read);
    rows.reserve(file.count(), file.count() * TAppointmentRecord::Size);
    file.scan([&](const char *bytes, qint64 position) {
        visit(*reinterpret_cast<const TAppointmentRecord *>(bytes), position);
        return true;
    });
    file.close();
}

// Keys compared as text without regard to the case of a to z (they are digits on every card
// the appointment card saves); equal keys keep the order of the file.
bool keyLess(QByteArrayView a, QByteArrayView b)
{
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(fold(a[i]));
        const auto y = static_cast<unsigned char>(fold(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

// Characters from..from+count of a text, as many as there are.
QByteArrayView part(QByteArrayView text, qsizetype from, qsizetype count)
{
    if (from >= text.size())
        return {};
    return text.sliced(from, qMin(count, text.size() - from));
}

// Sorts what was read even when the scan failed part of the way, so the rows read stand in order.
template <class Scan, class Sort> void scanThenSort(Scan scan, Sort sort)
{
    try {
        scan();
    } catch (...) {
        sort();
        throw;
    }
    sort();
}

void fillByKey(ExportTable &rows, const std::function<bool(const TAppointmentRecord &)> &selected)
{
    const int keyColumn = rows.columnCount() - 1;
    scanThenSort(
        [&] {
            qint64 added = 0;
            eachAppointment(rows, [&](const TAppointmentRecord &r, qint64) {
                if (selected(r))
                    appendAppointment(rows, ++added, r, AnsiText::toAnsi(AgendaRules::sortKey(r)));
            });
        },
        [&] {
            rows.sortStored([&](qsizetype a, qsizetype b) {
                return keyLess(rows.storedCell(a, keyColumn), rows.storedCell(b, keyColumn));
            });
        });
}

void fillImminent(ExportTable &rows, const QDate &today)
{
    // The agenda's own cards in the agenda's own order, as the agenda works them out in its
    // one scan (an unreadable card passed over, no line built). The scan hands the cards over
    // in file order, so the row added k-th is the card with the k-th smallest position, and
    // is shown at that card's place in the agenda.
    const qint64 count = appointmentCount();
    rows.reserve(count, count * TAppointmentRecord::Size);
    AgendaRules::Imminent agenda;
    try {
        agenda = AgendaRules::imminentCards(today, [&](const TAppointmentRecord &r) {
            appendAppointment(rows, rows.rowCount() + 1, r, AnsiText::toAnsi(AgendaRules::sortKey(r)));
        });
    } catch (...) {
        rows.clear(); // read in file order, never put in the agenda's: not shown as a list
        throw;
    }
    std::vector<size_t> place(agenda.positions.size()); // of each row, as the rows were added
    std::iota(place.begin(), place.end(), size_t(0));
    std::sort(place.begin(), place.end(),
              [&](size_t a, size_t b) { return agenda.positions[a] < agenda.positions[b]; });
    rows.sortStored([&](qsizetype a, qsizetype b) { return place[size_t(a)] < place[size_t(b)]; });
}

} // namespace

QList<Spreadsheet::Column> Description::fileColumns() const
{
    QList<Spreadsheet::Column> out;
    for (qsizetype i = 1; i < columns.size(); ++i)
        out.append({columns.at(i).header, columns.at(i).fileWidth});
    return out;
}

const Description &description(Member member)
{
    static const Description all[] = {
        clients(),
        appointments(Member::Scadenzario, "frmExpScadenzario", QStringLiteral(" Esportazione archivio appuntamenti"),
                     QStringLiteral("Riepilogo_Appuntamenti.xls"), QStringLiteral("Riepilogo Appuntamenti")),
        appointments(Member::Imminenti, "frmExpImminenti", QStringLiteral(" Appuntamenti imminenti"),
                     QStringLiteral("Appuntamenti_Imminenti.xls"), QStringLiteral("Appuntamenti imminenti")),
        appointments(Member::Giornaliere, "frmExpGiornaliere", QStringLiteral(" Appuntamenti del giorno"),
                     QStringLiteral("Appuntamenti_Giornalieri.xls"), QStringLiteral("Appuntamenti del giorno")),
        appointments(Member::Mensili, "frmExpMensili", QStringLiteral(" Appuntamenti del mese"),
                     QStringLiteral("Appuntamenti_Mensili.xls"), QStringLiteral("Appuntamenti del mese")),
    };
    return all[int(member)];
}

void fill(Member member, const QDate &picked, const QDate &today, ExportTable &rows)
{
    switch (member) {
    case Member::Clients:
        fillClients(rows);
        return;
    case Member::Scadenzario:
        eachAppointment(
            rows, [&](const TAppointmentRecord &r, qint64 position) { appendAppointment(rows, position, r, {}); });
        return;
    case Member::Imminenti:
        fillImminent(rows, today);
        return;
    case Member::Giornaliere: {
        const QByteArray day = picked.toString(QStringLiteral("dd/MM/yyyy")).toLatin1();
        fillByKey(rows, [&](const TAppointmentRecord &r) { return r.Data.trimmedBytes() == day; });
        return;
    }
    case Member::Mensili: {
        const QByteArray day = picked.toString(QStringLiteral("dd/MM/yyyy")).toLatin1();
        const QByteArrayView month = part(day, 3, 2);
        const QByteArrayView year = part(day, 6, 4);
        fillByKey(rows, [&](const TAppointmentRecord &r) {
            const QByteArrayView date = r.Data.trimmedBytes();
            return part(date, 3, 2) == month && part(date, 6, 4) == year;
        });
        return;
    }
    }
}

} // namespace Exports
