#pragma once

#include <QString>

#include <optional>

// The checks of the two Italian tax identifiers a patient card holds: the check character
// of the codice fiscale, the check digit of the partita IVA and the provincial VAT office
// that issued it. Nothing here needs a window.
namespace TaxChecks {

enum class Result {
    WrongLength, // not 16 (codice fiscale) or 11 (partita IVA) characters: the window stays open
    Valid,
    Wrong,
};

// The values of a character of the first fifteen in an odd or even position (counted from 1),
// from the two conversion tables; the seven characters between 9 and A are worth 0. Other
// characters have no value.
std::optional<int> oddValue(QChar c);
std::optional<int> evenValue(QChar c);
// The check character of the first fifteen characters (A to Z); none when one of them has no
// value in its table.
std::optional<QChar> checkCharacter(const QString &first15);
// The text as typed, with a to z taken as upper case.
Result codiceFiscale(const QString &typed);

// Eleven digits whose last is the check digit of the first ten.
Result partitaIva(const QString &typed);
// The name of the office whose code is the three digits at positions 8 to 10 of a partita
// IVA; empty when the code is not listed.
QString officeName(const QString &code);
QString officeOf(const QString &partitaIva);

// Which check the codice fiscale button opens: eleven digits (or any run of digits) are a
// partita IVA.
bool looksLikePartitaIva(const QString &trimmedTaxNumber);

// Messages.
extern const QString kCfLength;
extern const QString kCfValid;
extern const QString kCfWrong;
extern const QString kPivaLength;
extern const QString kPivaWrong;
// "... risulta VALIDO.\r\n\r\nE' stato rilasciato dall'Ufficio IVA del Comune di " office "."
QString pivaValid(const QString &office);

} // namespace TaxChecks
