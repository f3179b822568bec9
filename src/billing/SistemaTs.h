#pragma once

#include "billing/Invoices.h"
#include "billing/PracticeData.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

// The year's file for the Sistema Tessera Sanitaria: the data of the invoices and credit notes
// issued to patients, for their pre-filled tax return. A zip holding one XML document
// "precompilata" (UTF-8, no namespace), its codici fiscali encrypted with the public key of
// the Sistema TS's certificate (RSA, PKCS#1 v1.5, Base64). Window-free: the window
// "Invio dati al Sistema TS" and the command-line program sorrisa-sts both use it.
namespace SistemaTs {

// ---- Settings ("Sistema_TS.ini" in the program folder, section [SistemaTS]) -------------
// Where the rules could not be settled, the choice is a setting with the usual default.
struct Settings
{
    QString certificate;          // the last certificate file chosen
    bool stampLine = true;        // the stamp duty charged to the patient as its own SR line of 2.00
    bool creditNoteRefund = true; // a credit note goes as a refund (R); off: left out, to be
                                  // corrected by hand on the Sistema TS site
    static Settings read(const QString &programFolder);
    // False when the file could not be written.
    bool write(const QString &programFolder) const;
};
inline const QString kSettingsFile = QStringLiteral("Sistema_TS.ini");

// ---- The certificate ------------------------------------------------------------------
// The public key of the Sistema TS's certificate (PEM or DER).
class Certificate
{
public:
    // Nothing, with the reason in `problem`, when the file cannot be read, is not a
    // certificate with an RSA key, is not yet valid or has expired on `today`.
    static std::shared_ptr<Certificate> load(const QString &path, const QDate &today, QString *problem);
    ~Certificate();
    // The text encrypted (PKCS#1 v1.5) and Base64 encoded; empty when encryption failed.
    QByteArray encrypt(const QByteArray &plain) const;
    QDate expires() const { return m_expires; }

private:
    Certificate() = default;
    struct Key;
    std::unique_ptr<Key> m_key;
    QDate m_expires;
};
using Encrypt = std::function<QByteArray(const QByteArray &)>;

// ---- What goes ------------------------------------------------------------------------
struct Entry
{
    Invoices::Invoice document; // with its lines
    QDate paymentDate;          // of an invoice: at issue, else its first linked payment
    bool traceable = false;
    QDate correctedDate; // of a credit note: the date of the invoice it corrects
};

struct Problem
{
    DocumentNumber number;
    QString text; // "Fattura 3/2026: manca il codice fiscale del paziente e non c'è opposizione."
};

struct Selection
{
    QList<Entry> entries;    // what goes, in number order
    QList<Problem> left;     // what cannot go, and why
    QString practiceProblem; // the practice's data missing: nothing can go
};

// The year's invoices and credit notes not yet sent (all of them with `again`), those that
// cannot go set apart. Throws StorageError.
Selection select(const QString &programFolder, int year, const PracticeData &practice, const Settings &settings,
                 bool again = false);
// Why the practice's data cannot make a file (its codice fiscale or an 11-digit partita IVA
// missing), or empty.
QString practiceProblem(const PracticeData &practice);

// ---- The XML ---------------------------------------------------------------------------
// The largest XML a zip may hold.
inline constexpr qint64 kMaxXmlBytes = 5'000'000;
// A line's largest amount; a larger amount of one kind goes as several lines.
inline constexpr qint64 kMaxLineCents = 9'999'999;

// "1250.50": a dot, two decimals.
QString amount(qint64 cents);
// The document's "documentoSpesa" element, its codes through `encrypt`.
QByteArray documentElement(const Entry &entry, const QString &partitaIva, const Settings &settings,
                           const Encrypt &encrypt);
// The XML documents, each of at most `maxBytes`, holding every entry in order.
QList<QByteArray> xmlDocuments(const QList<Entry> &entries, const PracticeData &practice, const Settings &settings,
                               const Encrypt &encrypt, qint64 maxBytes = kMaxXmlBytes);

// ---- The zips --------------------------------------------------------------------------
// "Sorrisa_STS_12345678901_2026_1.zip"
QString zipName(const QString &partitaIva, int year, int n);

struct Written
{
    bool done = false;
    bool folderRefused = false;            // the folder does not exist or cannot be written
    QString message;                       // the reason when not done
    QStringList paths;                     // the zips written
    QList<QList<DocumentNumber>> contents; // the documents of each zip
};
// Writes the entries as zips into `folder`, each under a temporary name and renamed once
// whole. Nothing is marked sent.
Written write(const QString &folder, const QList<Entry> &entries, const PracticeData &practice, int year,
              const Settings &settings, const Encrypt &encrypt, qint64 maxBytes = kMaxXmlBytes);

// The whole run from the program folder: certificate, selection, zips. Used by the window's
// button and by sorrisa-sts.
struct Run
{
    enum Status { Done, Failed, NoPractice, FolderRefused } status = Failed;
    QString message;
    Selection selection;
    Written written;
};
Run make(const QString &programFolder, int year, const QString &certificate, const QString &folder, const QDate &today,
         bool again = false);

// Marks the documents of an uploaded file sent, with the protocol the site gave. Returns how
// many were marked. Throws StorageError.
int markSent(const QString &programFolder, const QList<DocumentNumber> &documents, const QString &protocol,
             const QDate &date);
// A protocol as the site gives it: 17 digits.
bool isProtocol(const QString &text);

// ---- The outcome -----------------------------------------------------------------------
// One row of the errors' CSV the Sistema TS returns (semicolons, one row per document).
struct OutcomeError
{
    QString partitaIva;
    QDate date;
    QString number; // "1/2026"
    QString expenseKind;
    QString code; // "S011"
    QString description;
};
// The errors of a CSV file, or of the CSV inside a zip; rows that are not errors (a heading)
// are passed over. Nothing, with the reason, when the file cannot be read.
std::optional<QList<OutcomeError>> readOutcome(const QString &path, QString *problem);
QList<OutcomeError> parseOutcome(const QByteArray &csv);

} // namespace SistemaTs
