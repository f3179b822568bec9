#include "base/CardFields.h"

#include "storage/AnsiText.h"

#include <qnamespace.h>

#include <cstring>
#include <stdexcept>
#include <string>

namespace CardFields {

namespace {

bool hasControl(Kind kind) { return kind == Kind::LineEdit || kind == Kind::Choice || kind == Kind::CheckBox; }

bool known(Kind kind) { return hasControl(kind) || kind == Kind::Composed; }

QString upperAZ(QString text)
{
    for (QChar &ch : text)
        if (ch.unicode() >= 'a' && ch.unicode() <= 'z')
            ch = QChar(char16_t(ch.unicode() - 32));
    return text;
}

int leadingBlanks(const QString &text)
{
    int n = 0;
    while (n < text.size() && text.at(n).unicode() <= 32)
        ++n;
    return n;
}

} // namespace

void check(const Description &description)
{
    for (const Field &f : description.fields) {
        const std::string name = f.field ? f.field : "(no name)";
        if (!f.field || !findField(description.record, f.field))
            throw std::invalid_argument("card field " + name + ": not in the record");
        if (!known(f.kind))
            throw std::invalid_argument("card field " + name + ": a kind of control the card does not know");
        if (hasControl(f.kind) && (!f.control || !*f.control))
            throw std::invalid_argument("card field " + name + ": no control name");
        if (f.kind == Kind::Composed && !description.compose)
            throw std::invalid_argument("card field " + name + ": composed, but the card composes nothing");
        if (f.kind == Kind::CheckBox && (description.ticked.isEmpty() || description.cleared.isEmpty()))
            throw std::invalid_argument("card field " + name + ": a check box without its flag texts");
        if (f.required && f.kind != Kind::LineEdit)
            throw std::invalid_argument("card field " + name + ": only a line edit can be required");
    }
}

const Field *find(const Description &description, const char *field)
{
    for (const Field &f : description.fields) {
        if (std::strcmp(f.field, field) == 0)
            return &f;
    }
    return nullptr;
}

QString searchCaption(const Field &field) { return QString::fromUtf8(field.searched ? field.searched : field.caption); }

QString printCaption(const Field &field)
{
    if (!field.printed)
        return {};
    return QString::fromUtf8(*field.printed ? field.printed : field.caption);
}

QString requiredWarning(const Field &field)
{
    return QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ")
           + QString::fromUtf8(field.required) + QLatin1Char('.');
}

QString printedText(const Description &description, const Field &field, const Texts &texts)
{
    switch (field.kind) {
    case Kind::CheckBox:
        return texts(field.field) == description.ticked ? description.ticked : description.cleared;
    case Kind::Composed:
        return description.compose(field.field, texts);
    case Kind::LineEdit:
    case Kind::Choice:
        break;
    }
    return texts(field.field);
}

Texts textsOf(const Description &description, const char *record)
{
    return [layout = description.record, record](const char *name) {
        const RecordField *f = findField(layout, name);
        return f ? AnsiText::trimmed(f->read(record)) : QString();
    };
}

Typed applyTyping(Typing typing, const QString &text, int cursor)
{
    if (typing != Typing::UpperCase && typing != Typing::NoOuterBlanks)
        return {text, cursor};
    QString out = AnsiText::trimmed(text);
    if (typing == Typing::UpperCase)
        out = upperAZ(out);
    // The caret stays after the character it followed, so typing in the middle goes on there.
    const int lead = qMin(leadingBlanks(text), cursor);
    return {out, qBound(0, cursor - lead, int(out.size()))};
}

bool editingKey(int key)
{
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

bool digitKeyAccepts(int key, const QString &text)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter || editingKey(key))
        return true;
    return text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9');
}

} // namespace CardFields
