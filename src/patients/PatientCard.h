#pragma once

#include <QString>
#include <QtGlobal>

#include <span>

// The rules of the patient card that need no window: its entry fields with their labels,
// entry limits and typing rules, and the messages it shows. Browsing and saving are the
// RecordCard's (base/RecordCard.h).
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
