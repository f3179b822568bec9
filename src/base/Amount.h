#pragma once

#include <QByteArrayView>
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
// The same rule on the bytes of a record's field, without making a string (for scans).
std::optional<qint64> toCents(QByteArrayView bytes);

// "1250,50" for 125050.
QString fromCents(qint64 cents);

// The rule applied when the user leaves an amount field: empty or not a number gives
// "0,00", anything else its value rounded and written with two decimals.
QString normalise(const QString &text);

// A total of amounts in whole cents that cannot overflow, however many amounts of the
// largest size a field holds are added (93 of 999999999999999 pass the range of qint64).
class Sum
{
public:
    // An amount in cents, as toCents gives it: never negative.
    void add(qint64 cents);
    // The total as amount text, "1250,50", with as many digits as it needs.
    QString text() const;

private:
    static constexpr quint64 kCarry = 1'000'000'000'000'000'000ULL; // cents carried to m_high
    quint64 m_low = 0;                                              // below kCarry
    quint64 m_high = 0;                                             // in units of kCarry cents
};

} // namespace Amount
