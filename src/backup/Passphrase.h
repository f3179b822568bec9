#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The passphrase the backups are encrypted with (AES-256). Chosen once, it is kept on this
// computer outside the program folder, in the user's configuration folder
// ($XDG_CONFIG_HOME/Sorrisa/Password_copie_di_sicurezza, usually ~/.config/Sorrisa/), readable by
// that user only (folder 0700, file 0600), so that the nightly sorrisa-backup runs unattended;
// a stolen stick holds only encrypted copies. The file is the passphrase in UTF-8 and a line
// break.
namespace Passphrase {

constexpr int kMinimumLength = 10;

QString filePath();
// Empty when none was chosen on this computer (or the file cannot be read).
QString stored();
// Writes it (whole or not at all); false and the reason in Italian otherwise.
bool store(const QString &passphrase, QString *problem = nullptr);

// Why the two typings cannot be taken (too short, different), or empty.
QString problemWith(const QString &passphrase, const QString &again);
// A hint of how hard it is to guess: "Sicurezza della password: debole" ("discreta", "buona").
QString strengthText(const QString &passphrase);

// The text of the recovery sheet, a line each: what it is for, the passphrase and how to use it.
QStringList recoverySheet(const QString &passphrase, const QDate &today);

} // namespace Passphrase
