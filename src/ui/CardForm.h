#pragma once

#include "base/CardFields.h"

#include <QList>
#include <QString>

class QWidget;

// The binding of a card's description (base/CardFields) to the controls of a panel, by the
// controls' names: shows a record in the controls and takes back the record they stand for.
// It has no window of its own; a card window (ui/CardWindow) or a test hands it the panel.
//
// One rule per kind of field:
// - line edit: shows the text whole with its beginning in view, gives its trimmed text. Its
//   maximum length when bound is its entry limit; a longer stored text widens the limit
//   while it is shown (typing still cannot make it longer), the next record shown sets it
//   back;
// - choice (any combo box): shows the text as its edit text (as its current item when not
//   editable), gives its trimmed current text;
// - check box: ticked for the description's "ticked" text, cleared for its "cleared" one,
//   left as it is for any other text; gives the flag text of its state;
// - composed: shows nothing; gives the description's composition of the texts the other
//   fields give.
// Every text is cut to its field's capacity in the record; a field the description does not
// show keeps its text.
class CardForm
{
public:
    // Binds each field of the description to the control of its name in the panel. Throws
    // std::invalid_argument when the description is faulty (CardFields::check), when a
    // control is missing or when it is not of its field's kind.
    CardForm(const CardFields::Description &description, const QWidget *panel);

    // Every field of the record shown by a control into its control.
    void show(const char *record) const;
    // The record the controls stand for into record: every described field from its control
    // (or its composition), the others with the text they hold in held. held may be record
    // itself.
    void take(const char *held, char *record) const;

    // The same with a record rather than its bytes.
    template <class Record> void showRecord(const Record &record) const { show(recordBytes(record)); }
    template <class Record> Record takeRecord(const Record &held) const
    {
        Record record{};
        take(recordBytes(held), recordBytes(record));
        return record;
    }

    // The control bound to the named field; null for a field without one.
    QWidget *control(const char *field) const;
    // The described fields, composed ones included.
    qsizetype boundCount() const { return m_bindings.size(); }

private:
    struct Binding
    {
        const CardFields::Field *field;
        const RecordField *stored;
        QWidget *control; // null for a composed field
        int limit;        // a line edit's entry limit
    };
    // The trimmed text a field's control gives (the field must have a control).
    QString controlText(const Binding &binding) const;

    CardFields::Description m_description; // its spans refer to tables that outlive the form
    QList<Binding> m_bindings;             // in the description's order
};
