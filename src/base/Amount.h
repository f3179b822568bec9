#pragma once

#include <QString>

#include <optional>

// Amounts are decimal text with a comma and exactly two decimals ("0,00", "1250,50"),
// rounded half up. The arithmetic is done on the digits, not in binary floating point, so
// 12,345 rounds to 12,35 as a person would expect (as a double it is 12,3449999...).
namespace Amount {

// The text read as a number with a comma before the decimals: digits with at most one
// comma, at least one digit ("12", "12,5", ",5", "7,"), blanks around it ignored. The value
// in cents, rounded half up at the third decimal; nothing when the text is no such number.
std::optional<qint64> toCents(const QString &text);

// "1250,50" for 125050.
QString fromCents(qint64 cents);

// The rule applied when the user leaves an amount field: empty or not a number gives
// "0,00", anything else its value rounded and written with two decimals.
QString normalise(const QString &text);

} // namespace Amount
