#include "ui/CardForm.h"

#include "storage/AnsiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <stdexcept>
#include <string>

namespace {

using CardFields::Kind;

// Whether a control is of the kind its field says; a composed field has none.
bool fits(Kind kind, const QWidget *control)
{
    switch (kind) {
    case Kind::LineEdit:
        return qobject_cast<const QLineEdit *>(control);
    case Kind::Choice:
        return qobject_cast<const QComboBox *>(control);
    case Kind::CheckBox:
        return qobject_cast<const QCheckBox *>(control);
    case Kind::Composed:
        return !control;
    }
    return false;
}

} // namespace

CardForm::CardForm(const CardFields::Description &description, const QWidget *panel) : m_description(description)
{
    CardFields::check(description);
    for (const CardFields::Field &field : description.fields) {
        QWidget *control = nullptr;
        if (field.kind != Kind::Composed) {
            control = panel->findChild<QWidget *>(QString::fromLatin1(field.control));
            if (!control)
                throw std::invalid_argument(std::string("card field ") + field.field + ": no control " + field.control);
        }
        if (!fits(field.kind, control))
            throw std::invalid_argument(std::string("card field ") + field.field + ": its control is not of its kind");
        const auto *edit = qobject_cast<const QLineEdit *>(control);
        m_bindings.append({&field, findField(description.record, field.field), control, edit ? edit->maxLength() : 0});
    }
}

QWidget *CardForm::control(const char *field) const
{
    for (const Binding &b : m_bindings) {
        if (qstrcmp(b.field->field, field) == 0)
            return b.control;
    }
    return nullptr;
}

void CardForm::show(const char *record) const
{
    for (const Binding &b : m_bindings) {
        const QString text = b.stored->read(record);
        switch (b.field->kind) {
        case Kind::LineEdit: {
            auto *edit = static_cast<QLineEdit *>(b.control);
            edit->setMaxLength(qMax(b.limit, int(text.size())));
            edit->setText(text);
            edit->setCursorPosition(0);
            break;
        }
        case Kind::Choice: {
            auto *combo = static_cast<QComboBox *>(b.control);
            if (combo->isEditable()) {
                combo->setEditText(text);
                combo->lineEdit()->setCursorPosition(0);
            } else {
                combo->setCurrentText(text);
            }
            break;
        }
        case Kind::CheckBox: {
            auto *box = static_cast<QCheckBox *>(b.control);
            if (text == m_description.ticked)
                box->setChecked(true);
            else if (text == m_description.cleared)
                box->setChecked(false);
            break;
        }
        case Kind::Composed:
            break;
        }
    }
}

QString CardForm::controlText(const Binding &b) const
{
    switch (b.field->kind) {
    case Kind::LineEdit:
        return AnsiText::trimmed(static_cast<const QLineEdit *>(b.control)->text());
    case Kind::Choice:
        return AnsiText::trimmed(static_cast<const QComboBox *>(b.control)->currentText());
    case Kind::CheckBox:
        return static_cast<const QCheckBox *>(b.control)->isChecked() ? m_description.ticked : m_description.cleared;
    case Kind::Composed:
        break;
    }
    return {};
}

void CardForm::take(const char *held, char *record) const
{
    // Every text first, then the record: held may be the record itself, and a composed field
    // reads the texts of fields that may come after it. What lay in a field after its text
    // does not travel on.
    const std::span<const RecordField> layout = m_description.record;
    QList<QString> texts(qsizetype(layout.size()));
    for (size_t i = 0; i < layout.size(); ++i)
        texts[qsizetype(i)] = layout[i].read(held);
    const auto slot = [&](const RecordField *stored) { return qsizetype(stored - layout.data()); };
    for (const Binding &b : m_bindings) {
        if (b.control)
            texts[slot(b.stored)] = controlText(b);
    }
    const CardFields::Texts given = [&](const char *name) {
        const RecordField *f = findField(layout, name);
        return f ? AnsiText::trimmed(texts[slot(f)]) : QString();
    };
    for (const Binding &b : m_bindings) {
        if (!b.control)
            texts[slot(b.stored)] = m_description.compose(b.field->field, given);
    }
    for (size_t i = 0; i < layout.size(); ++i)
        layout[i].write(record, texts[qsizetype(i)]);
}
