#pragma once

#include <QString>

#include <array>

// The files attached to patient cards and each card's own folder, in the program folder:
// "Documenti_Allegati" holds the copies of every card's attached files under their own
// names; "Cliente_" + the record position is the card's folder.
namespace Attachments {

// A card's three attachments: file names (bare) and descriptions, slot 1 to 3 at 0 to 2.
struct Texts
{
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;
    bool operator==(const Texts &) const = default;
};

inline const QString kFolderName = QStringLiteral("Documenti_Allegati");

QString folder();                              // the attachments folder, with a trailing separator
QString pathOf(const QString &fileName);       // the folder + the trimmed bare name
QString clientFolder(const QString &position); // "Cliente_" + the trimmed position
QString quoted(const QString &path);           // as the desktop shell is given paths

// Creates a folder with any missing parents; true when it exists afterwards.
bool ensureFolder(const QString &path);
bool isAttached(const QString &fileName); // a file of that name is in the attachments folder

// Copies a file into the attachments folder under the given bare name, replacing a file of that
// name. The copy is written aside and renamed into place once complete, so a failure never
// leaves a partial file under the attachment's name. False on any failure.
bool copyIn(const QString &source, const QString &fileName);

// Texts of the attach window.
extern const QString kDialogTitle;
extern const QString kDialogFilter;
extern const QString kOverwrite;

} // namespace Attachments
