#pragma once

#include "storage/ShortString.h"

#include <QString>

#include <functional>
#include <span>

// The description of a card: one line per field the card shows, read by everything that
// shows the card. The card window builds, places, orders and binds its controls from it
// (ui/CardWindow, ui/CardForm), the find windows take their criteria's captions from it and
// the printed card its rows. The record layout (storage/) says only where a field lies; the
// line here says how the card shows it.
namespace CardFields {

// How a field is shown. The binder refuses any other value when the description is built.
enum class Kind {
    LineEdit, // a one-line entry field
    Choice,   // a drop-down whose value is picked from its list: the two-digit numbers 00 to limit
    CheckBox, // a tick box; the field holds the description's ticked or cleared text
    Composed, // no control: the field's text is composed from other fields (Description::compose)
};

// What typing may do in a line edit.
enum class Typing {
    Free,
    UpperCase,     // trimmed, a to z turned to A to Z after every typed change
    NoOuterBlanks, // trimmed after every typed change
    DigitKeys,     // only digits and a few editing keys reach the field (digitKeyAccepts)
    Digits,        // only a text of digits is accepted, typed or pasted
    Amount,        // only a text of digits and commas is accepted, typed or pasted
};

// How a line edit looks besides its text.
enum Look : unsigned char {
    Plain = 0,
    Centred = 1,  // its text centred
    ReadOnly = 2, // filled by its window, not by typing
    Right = 4,    // its text on the right
};

// Where a field stands on its card's panel: the row, the x where the field starts and the x
// just after it. Its caption goes where the card puts captions (above the field on the
// patient card, in the caption column on the appointment card), or, when captionLeft is
// given, from there to captionRight (-1: as wide as its text, the field after it).
struct Place
{
    int row = 0;
    int left = 0;
    int right = 0;
    int captionLeft = -1;
    int captionRight = -1;
};

struct Field
{
    const char *field;              // the record field it shows and fills
    Kind kind;                      //
    const char *control;            // the objectName of its control, its find field and its printed value
    const char *caption;            // on the card (a check box's text); nullptr: none
    int limit;                      // a line edit's entry limit; a choice's last item
    Typing typing;                  //
    Place place;                    //
    const char *required = nullptr; // a save needs it: what the warning asks for
    const char *printed = nullptr;  // its caption on the printed card ("": the card's); nullptr: not printed
    const char *searched = nullptr; // its caption as a find criterion, where it differs from the card's
    unsigned char look = Plain;
    const char *captionControl = nullptr; // the caption's objectName: by default "lbl" and the
                                          // control's name after its prefix
};

// The trimmed text of a field of the card, by the field's name.
using Texts = std::function<QString(const char *field)>;

struct Description
{
    std::span<const RecordField> record; // the layout of the card's record
    std::span<const Field> fields;       // in the card's reading order: its Tab and Enter order
    QString ticked;                      // the text a ticked check box stands for
    QString cleared;                     // and a cleared one
    // The text of a composed field from the other fields' texts.
    QString (*compose)(const char *field, const Texts &texts) = nullptr;
};

// The description checked whole: every field in the record, a known kind, a control name
// for every kind with a control, a composition for a composed field, the flag texts for a
// check box, only line edits required. Throws
// std::invalid_argument naming the first fault.
void check(const Description &description);

// The line of a field; null when the card does not show it.
const Field *find(const Description &description, const char *field);

// The caption of a field as a find criterion, and on the printed card (empty: not printed).
QString searchCaption(const Field &field);
QString printCaption(const Field &field);

// The warning a save gives for a required field left blank.
QString requiredWarning(const Field &field);

// The text a field stands for on the printed card, from the trimmed texts of the card's
// fields: a check box's flag text (the cleared one for any text but the ticked one), a
// composed field's composition, any other field its own text.
QString printedText(const Description &description, const Field &field, const Texts &texts);

// The trimmed texts of a record's fields.
Texts textsOf(const Description &description, const char *record);

// A line edit's text and cursor after a typed change, under its typing rule.
struct Typed
{
    QString text;
    int cursor;
};
Typed applyTyping(Typing typing, const QString &text, int cursor);

// The keys that edit a field or leave it without typing a character: Backspace, Delete, the
// left and right arrows, and Tab / Shift+Tab so that the keyboard can still leave the field.
bool editingKey(int key);
// Whether a key press may reach a DigitKeys field: Enter, an editing key, a typed 0 to 9.
// Everything else (letters, blanks, "+", Home, End, shortcuts) is dropped.
bool digitKeyAccepts(int key, const QString &text);

} // namespace CardFields
