#pragma once

#include "patients/Attachments.h"
#include "patients/PatientLines.h"
#include "storage/PatientRecord.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

// The patient tools the card windows open: each window is made anew, run modally through
// Modal::run and destroyed; what the user chose comes back as a value.
namespace PatientTools {

struct FoundCard
{
    qint64 position;
    TPatientRecord record;
};

// Find patients for the patient card: the chosen card and its position.
std::optional<FoundCard> findCard(QWidget *caller);
// Find patients for the appointment card: the chosen patient's contact data.
std::optional<PatientLines::Contact> findContact(QWidget *caller);
// The pending issues list: the chosen card and its position.
std::optional<FoundCard> pendingIssues(QWidget *caller);

// The codice fiscale button: a code of digits only is a partita IVA and opens that check.
void checkTaxNumber(QWidget *caller, const QString &taxNumber);
void checkPartitaIva(QWidget *caller, const QString &number);

// The attach window on the card's six texts: the texts applied, or nothing when cancelled.
// The card's position (0 when not yet in the archive) tells its own files from other cards'.
std::optional<Attachments::Texts> attachFiles(QWidget *caller, const Attachments::Texts &texts, qint64 cardPosition);
// The card's own folder; a card not yet in the archive (blank position) is refused.
void attachedFolder(QWidget *caller, const QString &position);

// The e-mail button: "mailto:" and the trimmed address to the desktop shell, also when empty.
void email(const QString &address);
// The information about pending issues.
void issuesInfo(QWidget *caller);

extern const QString kFolderUnsaved;
extern const QString kIssuesInfo;

} // namespace PatientTools
