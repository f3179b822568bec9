#include "ui/CardForm.h"

#include "storage/AnsiText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

CardForm::CardForm(std::span<const RecordField> fields, const QWidget *panel) : m_fields(fields)
{
    for (const RecordField &field : fields) {
        auto *control = panel->findChild<QWidget *>(QString::fromLatin1(field.control));
        if (!control)
            continue;
        Binding binding{field, control, Kind::Label, 0, {}};
        if (auto *edit = qobject_cast<QLineEdit *>(control)) {
            binding.kind = Kind::LineEdit;
            binding.limit = edit->maxLength();
        } else if (qobject_cast<QComboBox *>(control)) {
            binding.kind = Kind::ComboBox;
        } else if (qobject_cast<QCheckBox *>(control)) {
            binding.kind = Kind::CheckBox;
        } else {
            Q_ASSERT(qobject_cast<QLabel *>(control));
        }
        m_bindings.append(binding);
    }
}

void CardForm::setFlagTexts(const QString &ticked, const QString &cleared)
{
    m_ticked = ticked;
    m_cleared = cleared;
}

void CardForm::setComposed(const QWidget *control, std::function<QString()> text)
{
    for (Binding &b : m_bindings) {
        if (b.control == control)
            b.composed = std::move(text);
    }
}

QWidget *CardForm::control(const char *field) const
{
    for (const Binding &b : m_bindings) {
        if (qstrcmp(b.field.name, field) == 0)
            return b.control;
    }
    return nullptr;
}

void CardForm::show(const char *record) const
{
    for (const Binding &b : m_bindings) {
        const QString text = b.field.read(record);
        switch (b.kind) {
        case Kind::LineEdit: {
            auto *edit = static_cast<QLineEdit *>(b.control);
            edit->setMaxLength(qMax(b.limit, int(text.size())));
            edit->setText(text);
            edit->setCursorPosition(0);
            break;
        }
        case Kind::ComboBox: {
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
            Q_ASSERT(!m_ticked.isEmpty() && !m_cleared.isEmpty());
            auto *box = static_cast<QCheckBox *>(b.control);
            if (text == m_ticked)
                box->setChecked(true);
            else if (text == m_cleared)
                box->setChecked(false);
            break;
        }
        case Kind::Label:
            static_cast<QLabel *>(b.control)->setText(text);
            break;
        }
    }
}

QString CardForm::text(const Binding &b) const
{
    if (b.composed)
        return b.composed();
    switch (b.kind) {
    case Kind::LineEdit:
        return AnsiText::trimmed(static_cast<const QLineEdit *>(b.control)->text());
    case Kind::ComboBox:
        return AnsiText::trimmed(static_cast<const QComboBox *>(b.control)->currentText());
    case Kind::CheckBox:
        return static_cast<const QCheckBox *>(b.control)->isChecked() ? m_ticked : m_cleared;
    case Kind::Label:
        return AnsiText::trimmed(static_cast<const QLabel *>(b.control)->text());
    }
    return {};
}

void CardForm::take(const char *held, char *record) const
{
    // Field by field in file order: each field is read before it is written, so held may be
    // the record itself. What lay in a field after its text does not travel on.
    qsizetype bound = 0;
    for (const RecordField &field : m_fields) {
        QString text;
        if (bound < m_bindings.size() && m_bindings[bound].field.offset == field.offset)
            text = this->text(m_bindings[bound++]);
        else
            text = field.read(held);
        field.write(record, text);
    }
}
