#pragma once

#include <QSet>
#include <QString>

#include <array>
#include <optional>

// The files attached to patient cards and each card's own folder, in the program folder:
// "Documenti_Allegati" holds the copies of every card's attached files; "Cliente_" + the
// record position is the card's folder.
namespace Attachments {

// A card's three attachments: file names (bare) and descriptions, slot 1 to 3 at 0 to 2.
struct Texts
{
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;
    bool operator==(const Texts &) const = default;
};

inline const QString kFolderName = QStringLiteral("Documenti_Allegati");
// What a card's file field holds: at most so many characters of Windows-1252.
constexpr int kNameCapacity = 250;

QString folder();                              // the attachments folder, with a trailing separator
QString pathOf(const QString &fileName);       // the folder + the trimmed bare name
QString clientFolder(const QString &position); // "Cliente_" + the trimmed position
QString quoted(const QString &path);           // as the desktop shell is given paths

// Creates a folder with any missing parents; true when it exists afterwards.
bool ensureFolder(const QString &path);
bool isAttached(const QString &fileName); // a file of exactly that name is in the attachments folder

// A stored name that stays in the attachments folder: a bare name, neither "." nor "..", with
// no folder separator. A card whose text says otherwise (written by another program, or by
// hand) must not lead the desktop anywhere else.
bool staysInFolder(const QString &storedName);

// A stored name that "Apri" may hand to the desktop: it stays in the folder, and its entry
// there is not a symbolic link (a copy is never one; a link put there could lead anywhere).
bool opensInFolder(const QString &storedName);

// The name a copy of a file with the given name is kept under: exactly what a card's file
// field holds and what Windows allows in a name, so that card and file always agree. Letters
// outside Windows-1252 become their plain letter (Ș to S) or '_'; the characters Windows
// forbids ( < > : " / \ | ? * and control codes) become '_'; blanks at the ends and dots at
// the end go; a device name (CON, NUL, COM1, ...) takes a '_'; a name longer than the field
// is shortened before its extension.
QString storableName(const QString &sourceName);

// Names compared as Windows compares them (without regard to case), for the sets below.
QString folded(const QString &name);

// The attachment names of every card in the patient archive but the one at `except` (0: none),
// folded; none when the archive cannot be read. An archive not made yet names nothing.
std::optional<QSet<QString>> namedByCards(qint64 except);
// The names of the files in the attachments folder, folded.
QSet<QString> inFolder();

// The given name when no name of `taken` is it, otherwise the first of "name (2).ext",
// "name (3).ext", ... that is free; within the field's capacity.
QString freeName(const QString &name, const QSet<QString> &taken);

enum class Copy {
    Done,
    NotAFile, // the source is not a regular file (a folder, a named pipe, a device)
    Failed,
};
// Copies a regular file into the attachments folder under the given bare name, replacing a
// file of that name. Only a regular file is opened for reading: a named pipe or a device
// would block the program or never end. The copy is written aside and renamed into place once
// complete, so a failure never leaves a partial file under the attachment's name.
Copy copyIn(const QString &source, const QString &fileName);

// Texts of the attach window.
extern const QString kDialogTitle;
extern const QString kDialogFilter;
extern const QString kOverwrite;
extern const QString kNotAFile;
extern const QString kOutsideFolder;

} // namespace Attachments
