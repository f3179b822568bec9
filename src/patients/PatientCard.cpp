#include "patients/PatientCard.h"

#include "storage/AnsiText.h"

#include <qnamespace.h>

namespace PatientCard {

namespace {

using R = TypingRule;

const EntryField kFields[] = {
    {"txtName", "Cognome e nome:", 50, R::None},
    {"txtGender", "Sesso:", 1, R::UpperCase},
    {"txtBirthDate", "Data di nascita:", 10, R::None},
    {"txtBirthPlace", "Luogo di nascita:", 50, R::None},
    {"txtStreet", "Via e numero civico:", 250, R::None},
    {"txtCity", "Città:", 50, R::None},
    {"txtState", "Provincia:", 50, R::None},
    {"txtZip", "CAP:", 30, R::None},
    {"txtCitizenship", "Cittadinanza:", 50, R::None},
    {"txtTaxNumber", "Codice fiscale:", 16, R::UpperCase},
    {"txtSSN", "Partita IVA:", 11, R::DigitsOnly},
    {"txtEmail", "E-mail:", 50, R::NoOuterBlanks},
    {"txtHomePhone", "Telefono:", 30, R::None},
    {"txtMobilePhone", "Cellulare:", 30, R::DigitsOnly},
    {"txtOccupation", "Occupazione:", 50, R::None},
    {"txtWork", "Sede di lavoro:", 250, R::None},
    {"txtPathologies", "Patologie e handicap:", 250, R::None},
    {"txtDrugs", "Medicinali assunti:", 250, R::None},
    {"txtAllergies", "Allergie note:", 250, R::None},
    {"txtProblems", "Problemi dentali principali:", 250, R::None},
    {"txtIssues", "Questioni in sospeso:", 250, R::None},
    {"txtCommunication", "Modalità di pagamento:", 250, R::None},
    {"txtDentist", "Dentista assegnato:", 250, R::None},
    {"txtTimes", "Orari preferenziali per appuntamenti:", 250, R::None},
    {"txtStatus", "Stato dei pagamenti:", 250, R::None},
    {"txtNotes", "Note:", 250, R::None},
};

QString upperAZ(QString text)
{
    for (QChar &ch : text)
        if (ch.unicode() >= 'a' && ch.unicode() <= 'z')
            ch = QChar(char16_t(ch.unicode() - 32));
    return text;
}

int leadingBlanks(const QString &text)
{
    int n = 0;
    while (n < text.size() && text.at(n).unicode() <= 32)
        ++n;
    return n;
}

} // namespace

std::span<const EntryField> entryFields() { return kFields; }

Typed applyTyping(TypingRule rule, const QString &text, int cursor)
{
    if (rule != R::UpperCase && rule != R::NoOuterBlanks)
        return {text, cursor};
    QString out = AnsiText::trimmed(text);
    if (rule == R::UpperCase)
        out = upperAZ(out);
    // The caret stays after the character it followed, so typing in the middle goes on there.
    const int lead = qMin(leadingBlanks(text), cursor);
    return {out, qBound(0, cursor - lead, int(out.size()))};
}

bool digitsOnlyAccepts(int key, const QString &text)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
    }
}

const QString kCaption = QStringLiteral(" Sorrisa - Archivio Pazienti");
const QString kReady = QStringLiteral("Pronto per registrare una nuova scheda...");
const QString kEmptyArchive = QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString kNameRequired =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il nome del paziente.");
const QString kMobileRequired =
    QStringLiteral("Attenzione: per salvare la scheda è necessario indicare il numero di cellulare del paziente.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kInserted = QStringLiteral("La scheda corrente è stata inserita in archivio.");
const QString kDuplicateNew = QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo "
                                             "che questa è stata inserita in archivio.");
const QString kDuplicated = QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente."
                                           "\n\r\n\r"
                                           "Al termine premere Salva per inserire la scheda in archivio.");

} // namespace PatientCard
