#pragma once

#include <QList>
#include <QString>

// Which entries of the program folder are the practice's data. The rule, not a list of
// names: everything in the folder is data (the archives, every treatment file, the password
// file, the attachments folder, the patients' folders, whatever later versions add) except
//  - the program's own delivered files: executables and modules (files that start with the
//    ELF signature), the alert sound "Avviso.mp3" and the manual "Guida.pdf";
//  - what backup and restore keep for themselves: the settings file, the folders where a
//    restore moved the data it replaced, the folder where a restore unpacks.
// Only regular files and folders count; symbolic links and special files are passed over.
namespace DataFiles {

inline const QString kSettingsFile = QStringLiteral("Copia_di_sicurezza.ini");
inline const QString kAsidePrefix = QStringLiteral("Dati_prima_del_ripristino_");
inline const QString kStagingFolder = QStringLiteral("Ripristino_in_corso");
// The list of the backup's contents, inside every backup.
inline const QString kManifestName = QStringLiteral("Contenuto_copia_Sorrisa.txt");

struct Entry
{
    QString path; // relative to the program folder, '/'-separated; a folder ends with '/'
    bool folder = false;
    qint64 size = 0;
};

// False for the names backup and restore keep for themselves and for the delivered files
// known by name (it does not look inside files).
bool isDataName(const QString &topLevelName);
// A top-level entry of a program folder (absolute path): false for a delivered file, an
// executable or a module, a name of ours, a link or a special file.
bool isData(const QString &absolutePath);

// The data of a program folder, folders before their contents, by name. `skipped` is told
// the data names left out because they are symbolic links (a folder's ending in '/').
QList<Entry> list(const QString &programFolder, QStringList *skipped = nullptr);

// True when the program folder holds, under this top-level name, something that is not data
// (an executable, a module, a delivered file, a link): a restore never puts a file there.
bool isProgramsOwn(const QString &programFolder, const QString &topLevelName);

// A name inside a backup that stays inside the folder it is unpacked into: relative, no
// empty, "." or ".." part, no backslash, no control character.
bool isSafeRelative(const QString &path);

} // namespace DataFiles
