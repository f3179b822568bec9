#include "patients/PatientCard.h"

#include "storage/PatientRecord.h"

namespace PatientCard {

namespace {

using CardFields::Kind;
using T = CardFields::Typing;
constexpr Kind Edit = Kind::LineEdit;

// The field panel's columns; a field ends a gap before the next column.
constexpr int kCol[] = {14, 146, 330, 412, 580};
constexpr int kRight = 764;
constexpr int kGap = 10;
constexpr int kEnd[] = {kCol[1] - kGap, kCol[2] - kGap, kCol[3] - kGap, kCol[4] - kGap};

// Printed with the card's caption.
constexpr const char *P = "";

// In reading order, row by row, which is also the order of the Tab and Enter keys.
const CardFields::Field kFields[] = {
    {"Name", Edit, "txtName", "Cognome e nome:", 50, T::Free, {0, kCol[0], kEnd[1]}, "il nome del paziente", P},
    {"Gender", Edit, "txtGender", "Sesso:", 1, T::UpperCase, {0, kCol[2], kEnd[2]}, {}, P, {}, CardFields::Centred},
    {"BirthDate",
     Edit,
     "txtBirthDate",
     "Data di nascita:",
     10,
     T::Free,
     {0, kCol[3], kEnd[3]},
     {},
     P,
     {},
     CardFields::Centred},
    {"BirthPlace", Edit, "txtBirthPlace", "Luogo di nascita:", 50, T::Free, {0, kCol[4], kRight}, {}, P},
    {"Street", Edit, "txtStreet", "Via e numero civico:", 250, T::Free, {1, kCol[0], kEnd[1]}, {}, P},
    {"City", Edit, "txtCity", "Città:", 50, T::Free, {1, kCol[2], kEnd[3]}, {}, P},
    {"State", Edit, "txtState", "Provincia:", 50, T::Free, {1, kCol[4], kRight}, {}, P},
    {"Zip", Edit, "txtZip", "CAP:", 30, T::Free, {2, kCol[0], kEnd[0]}, {}, P},
    {"Citizenship", Edit, "txtCitizenship", "Cittadinanza:", 50, T::Free, {2, kCol[1], kEnd[1]}, {}, P},
    {"TaxNumber", Edit, "txtTaxNumber", "Codice fiscale:", 16, T::UpperCase, {2, kCol[2], kEnd[3]}, {}, P},
    {"SSN", Edit, "txtSSN", "Partita IVA:", 11, T::DigitKeys, {2, kCol[4], kRight}, {}, P},
    {"Email", Edit, "txtEmail", "E-mail:", 50, T::NoOuterBlanks, {3, kCol[0], kEnd[1]}, {}, P},
    {"HomePhone", Edit, "txtHomePhone", "Telefono:", 30, T::Free, {3, kCol[2], kEnd[3]}, {}, P},
    {"MobilePhone",
     Edit,
     "txtMobilePhone",
     "Cellulare:",
     30,
     T::DigitKeys,
     {3, kCol[4], kRight},
     "il numero di cellulare del paziente",
     P},
    {"Occupation", Edit, "txtOccupation", "Occupazione:", 50, T::Free, {4, kCol[0], kEnd[1]}, {}, P},
    {"Work", Edit, "txtWork", "Sede di lavoro:", 250, T::Free, {4, kCol[2], kRight}, {}, P},
    {"Pathologies", Edit, "txtPathologies", "Patologie e handicap:", 250, T::Free, {5, kCol[0], kEnd[1]}, {}, P},
    {"Drugs", Edit, "txtDrugs", "Medicinali assunti:", 250, T::Free, {5, kCol[2], kRight}, {}, P},
    {"Allergies", Edit, "txtAllergies", "Allergie note:", 250, T::Free, {6, kCol[0], kEnd[1]}, {}, P},
    {"Problems", Edit, "txtProblems", "Problemi dentali principali:", 250, T::Free, {6, kCol[2], kRight}, {}, P},
    {"Issues", Edit, "txtIssues", "Questioni in sospeso:", 250, T::Free, {7, kCol[0], kEnd[1]}, {}, P},
    {"Communication", Edit, "txtCommunication", "Modalità di pagamento:", 250, T::Free, {7, kCol[2], kRight}, {}, P},
    {"Dentist", Edit, "txtDentist", "Dentista assegnato:", 250, T::Free, {8, kCol[0], kEnd[1]}, {}, P},
    {"Times",
     Edit,
     "txtTimes",
     "Orari preferenziali per appuntamenti:",
     250,
     T::Free,
     {8, kCol[2], kRight},
     {},
     "Orari preferenziali:"},
    {"Status", Edit, "txtStatus", "Stato dei pagamenti:", 250, T::Free, {9, kCol[0], kRight}, {}, P},
    // The notes take their caption on the left.
    {"Notes", Edit, "txtNotes", "Note:", 250, T::Free, {10, kCol[0], kRight, kCol[0]}, {}, P},
};

} // namespace

const CardFields::Description &description()
{
    static const CardFields::Description card{TPatientRecord::fields(), kFields, {}, {}, nullptr};
    return card;
}

const QString kCaption = QStringLiteral(" Sorrisa - Archivio Pazienti");
const QString kReady = QStringLiteral("Pronto per registrare una nuova scheda...");
const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kDuplicateNew = QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                                             "che questa è stata inserita in archivio.");
const QString kDuplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                           "\n\r\n\r"
                                           "Al termine premere Salva per inserire la scheda in archivio.");

} // namespace PatientCard
