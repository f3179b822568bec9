#pragma once

#include "storage/ShortString.h"

#include <QList>
#include <QString>

#include <functional>
#include <span>

class QWidget;

// The binding of a record's field table (the fields() of a record layout) to the controls of
// a panel, by the controls' names: shows a record in the controls and takes back the record
// they stand for. It has no window of its own; a card window (ui/CardWindow) or a test hands
// it the panel.
//
// One rule per kind of control:
// - line edit: shows the text whole with its beginning in view, gives its trimmed text. Its
//   maximum length when bound is its entry limit; a longer stored text widens the limit
//   while it is shown (typing still cannot make it longer), the next record shown sets it
//   back;
// - combo box: shows the text as its edit text (as its current item when not editable),
//   gives its trimmed current text;
// - check box: ticked for the "ticked" flag text, cleared for the "cleared" one, left as it
//   is for any other text; gives the flag text of its state;
// - label: shows the text, gives its trimmed text.
// A text the window composes (setComposed) is given in place of its control's. Every text is
// cut to its field's capacity in the record; a field without a control keeps its text.
class CardForm
{
public:
    // Binds each field of the table to the control of its name in the panel, if there is one.
    CardForm(std::span<const RecordField> fields, const QWidget *panel);

    // The texts a bound check box stands for.
    void setFlagTexts(const QString &ticked, const QString &cleared);
    // The field shown by the control takes the composed text, not the control's.
    void setComposed(const QWidget *control, std::function<QString()> text);

    // Every bound field of the record into its control.
    void show(const char *record) const;
    // The record the controls stand for into record: every bound field from its control, the
    // others with the text they hold in held. held may be record itself.
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
    qsizetype boundCount() const { return m_bindings.size(); }

private:
    enum class Kind { LineEdit, ComboBox, CheckBox, Label };
    struct Binding
    {
        RecordField field;
        QWidget *control;
        Kind kind;
        int limit; // a line edit's entry limit
        std::function<QString()> composed;
    };
    QString text(const Binding &binding) const;

    std::span<const RecordField> m_fields;
    QList<Binding> m_bindings; // in file order
    QString m_ticked;
    QString m_cleared;
};
