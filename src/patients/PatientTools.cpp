#include "patients/PatientTools.h"

#include "base/MessageLinks.h"
#include "patients/frmAllegaCartella.h"
#include "patients/frmAttachedFolder.h"
#include "patients/frmFindClients.h"
#include "patients/frmListIssues.h"
#include "patients/TaxChecks.h"
#include "patients/frmTaxChecks.h"
#include "platform/Messages.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "storage/AnsiText.h"
#include "storage/RecordFile.h"

namespace PatientTools {

const QString kFolderUnsaved = QStringLiteral("Attenzione: l'abbinamento di una cartella ad un paziente può avvenire "
                                              "soltanto dopo che la scheda è stata inserita in archivio.");
const QString kIssuesInfo =
    QStringLiteral("Descrivere eventuali questioni in sospeso con il paziente in questo campo di testo.\n\r\n\r"
                   "Se non ci sono questioni in sospeso, lasciare vuoto il campo.\n\r\n\r"
                   "Premere il pulsante con l'icona del triangolo giallo per visualizzare l'elenco di tutte le "
                   "questioni in sospeso.");

std::optional<FoundCard> findCard(QWidget *caller)
{
    std::optional<FoundCard> found;
    auto *window = new TfrmFindClients(caller, TfrmFindClients::Mode::PatientCard);
    QObject::connect(window, &TfrmFindClients::cardChosen, window,
                     [&found](qint64 position, const TPatientRecord &record) {
                         found = FoundCard{position, record};
                     });
    Modal::run(window);
    return found;
}

std::optional<PatientLines::Contact> findContact(QWidget *caller)
{
    std::optional<PatientLines::Contact> found;
    auto *window = new TfrmFindClients(caller, TfrmFindClients::Mode::AppointmentCard);
    QObject::connect(window, &TfrmFindClients::contactChosen, window,
                     [&found](const PatientLines::Contact &contact) { found = contact; });
    Modal::run(window);
    return found;
}

std::optional<FoundCard> pendingIssues(QWidget *caller)
{
    std::optional<FoundCard> found;
    auto *window = new TfrmListIssues(caller);
    QObject::connect(window, &TfrmListIssues::positionChosen, window, [&found](qint64 position) {
        // The card of the very line chosen, by the position the line keeps; one that can no
        // longer be read is no choice (the list closes without a message).
        try {
            found = FoundCard{position, PatientLines::readCard(position)};
        } catch (const StorageError &) {
        }
    });
    Modal::run(window);
    return found;
}

void checkTaxNumber(QWidget *caller, const QString &taxNumber)
{
    const QString code = AnsiText::trimmed(taxNumber);
    if (TaxChecks::looksLikePartitaIva(code))
        Modal::run(new TfrmPartitaIva(caller, code));
    else
        Modal::run(new TfrmCodFisc(caller, code));
}

void checkPartitaIva(QWidget *caller, const QString &number)
{
    Modal::run(new TfrmPartitaIva(caller, AnsiText::trimmed(number)));
}

std::optional<Attachments::Texts> attachFiles(QWidget *caller, const Attachments::Texts &texts, qint64 cardPosition)
{
    std::optional<Attachments::Texts> applied;
    Attachments::Texts trimmed;
    for (size_t i = 0; i < 3; ++i) {
        trimmed.files[i] = AnsiText::trimmed(texts.files[i]);
        trimmed.descriptions[i] = AnsiText::trimmed(texts.descriptions[i]);
    }
    auto *window = new TfrmAllegaCartella(caller, trimmed, TfrmAllegaCartella::Mode::ForCard, cardPosition);
    QObject::connect(window, &TfrmAllegaCartella::applied, window,
                     [&applied](const Attachments::Texts &result) { applied = result; });
    Modal::run(window);
    return applied;
}

void attachedFolder(QWidget *caller, const QString &position)
{
    if (AnsiText::isBlank(position)) {
        Messages::warning(caller, kFolderUnsaved);
        return;
    }
    Modal::run(new TfrmAttachedFolder(caller, AnsiText::trimmed(position)));
}

void email(const QString &address) { TMisc::Open(MessageLinks::mailto(address)); }

void issuesInfo(QWidget *caller) { Messages::information(caller, kIssuesInfo); }

} // namespace PatientTools
