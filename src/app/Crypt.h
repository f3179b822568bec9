#pragma once

#include <QString>

#include <stdexcept>

// Scrambling of the access password: a 16-bit key advanced with each scrambled byte, the
// result written as two upper-case hexadecimal digits per character.
namespace Crypt {

class ConversionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

QString ScrambleToHex(const QString &text);
// Throws ConversionError when a pair of characters is not a hexadecimal number.
// A last odd digit is ignored.
QString UnscrambleFromHex(const QString &hex);

} // namespace Crypt
