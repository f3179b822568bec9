#pragma once

#include <QString>
#include <QtGlobal>

#include <span>

// The rules of the patient card that need no window: its entry fields with their labels,
// entry limits and typing rules, the messages it shows, and what each browsing button does.
namespace PatientCard {

enum class TypingRule {
    None,
    UpperCase,     // trimmed, a to z turned to A to Z after every typed change
    NoOuterBlanks, // trimmed after every typed change
    DigitsOnly,    // only digits and a few editing keys reach the field
};

struct EntryField
{
    const char *control; // the field's name, as in the record table
    const char *label;
    int limit; // characters that can be typed
    TypingRule rule;
};

// The 26 entry fields in the order of the Enter cycle (which is also their reading order).
std::span<const EntryField> entryFields();

// A field's text and cursor after a typed change, under its typing rule.
struct Typed
{
    QString text;
    int cursor;
};
Typed applyTyping(TypingRule rule, const QString &text, int cursor);

// Whether a key press may reach a digits-only field: Enter, Backspace, Delete, the left and
// right arrows, a typed 0 to 9, and Tab / Shift+Tab so that the keyboard can still leave
// the field. Everything else (letters, blanks, "+", Home, End, shortcuts) is dropped.
bool digitsOnlyAccepts(int key, const QString &text);

// The browsing buttons. The shown position is the text of the position label.
struct Step
{
    enum Kind {
        Read,         // read the record at position and show it
        EmptyArchive, // tell the user the archive holds no card
        Stay,         // nothing to do
    };
    Kind kind;
    qint64 position = 0;
};
Step first(qint64 count);
Step last(qint64 count);
Step previous(const QString &shown, qint64 count);
// Next treats an empty label as "0": the label is set to "0" before the archive is counted.
Step next(const QString &shown, qint64 count);

// The number in the position label; 0 when it holds none.
qint64 positionOf(const QString &shown);

// Where Save puts the card: 0 to append a new card, else the record to overwrite. A position
// that lies beyond the end of the file would leave a gap of empty records behind it, so it is
// refused (-1) and reported as an archive failure.
qint64 saveTarget(const QString &shown, qint64 count);

// Texts the card shows.
extern const QString kCaption;
extern const QString kReady;
extern const QString kEmptyArchive;
extern const QString kNameRequired;
extern const QString kMobileRequired;
extern const QString kUpdated;
extern const QString kInserted;
extern const QString kDuplicateNew;
extern const QString kDuplicated;

} // namespace PatientCard
