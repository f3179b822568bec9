#pragma once

#include <QString>

#include <compare>
#include <optional>

// The number of a document in its yearly series: "1/2026" (an estimate is printed "P 12/2026").
// Numbers start at 1 each calendar year and run without gaps.
struct DocumentNumber
{
    int number = 0;
    int year = 0;

    bool isNull() const { return number == 0; }
    QString text() const; // "1/2026"; empty for none
    // "1/2026", blanks ignored; nothing for another text.
    static std::optional<DocumentNumber> parse(const QString &text);

    auto operator<=>(const DocumentNumber &other) const
    {
        return year != other.year ? year <=> other.year : number <=> other.number;
    }
    bool operator==(const DocumentNumber &) const = default;
};
