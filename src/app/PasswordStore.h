#pragma once

#include <QString>

#include <stdexcept>

// The access password, scrambled, in the INI file "unins000.dll" of the program folder,
// section "Accesso", key "Valore".
namespace PasswordStore {

class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

inline const QString kFileName = QStringLiteral("unins000.dll");
// A password file is a few lines; a larger file is refused as unreadable.
constexpr qint64 kLargestFile = 64 * 1024;

// A typed password trimmed, with the letters a to z in upper case; nothing else changes.
QString normalForm(const QString &typed);

// A missing file, section or key reads as the empty password. Throws Error when the file
// cannot be read, is larger than kLargestFile or the value is not hexadecimal.
QString read(const QString &iniPath);
// Takes the password in normal form. Creates file and section when missing; every other
// line survives. Throws Error when the file cannot be written (the old value then stays).
void write(const QString &iniPath, const QString &password);

// The few lines of INI handling the store needs, exposed for tests.
QString iniValue(const QByteArray &ini, const QString &section, const QString &key);
QByteArray iniWithValue(const QByteArray &ini, const QString &section, const QString &key, const QString &value);

} // namespace PasswordStore
