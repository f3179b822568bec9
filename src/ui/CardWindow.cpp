#include "ui/CardWindow.h"

#include "platform/Messages.h"
#include "ui/CardSave.h"
#include "storage/AnsiText.h"
#include "ui/Accessibility.h"
#include "ui/EnterCycle.h"
#include "ui/HintStrip.h"
#include "ui/ListOnlyCombo.h"
#include "ui/Theme.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QShortcut>

namespace {

using CardFields::Kind;
using CardFields::Typing;

// Drops the keys a DigitKeys field may not receive.
class DigitKeys : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        return !CardFields::digitKeyAccepts(key->key(), key->text());
    }
};

void accept(QLineEdit *edit, const char *pattern)
{
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(pattern)), edit));
}

void applyTyping(QLineEdit *edit, Typing typing, QObject *context)
{
    switch (typing) {
    case Typing::Free:
        break;
    case Typing::UpperCase:
    case Typing::NoOuterBlanks:
        QObject::connect(edit, &QLineEdit::textEdited, context, [edit, typing] {
            const CardFields::Typed typed = CardFields::applyTyping(typing, edit->text(), edit->cursorPosition());
            if (typed.text != edit->text()) {
                edit->setText(typed.text);
                edit->setCursorPosition(typed.cursor);
            }
        });
        break;
    case Typing::DigitKeys:
        edit->installEventFilter(new DigitKeys(edit));
        break;
    case Typing::Digits:
        accept(edit, "[0-9]*");
        break;
    case Typing::Amount:
        accept(edit, "[0-9,]*");
        break;
    }
}

QLineEdit *lineEdit(const CardFields::Field &field, QWidget *panel)
{
    auto *edit = new QLineEdit(panel);
    edit->setMaxLength(field.limit);
    if (field.look & CardFields::ReadOnly)
        edit->setReadOnly(true);
    if (field.look & CardFields::Centred)
        edit->setAlignment(Qt::AlignCenter);
    else if (field.look & CardFields::Right)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

} // namespace

CardWindow::CardWindow(const QString &objectName, const QString &caption, std::unique_ptr<AnyRecordCard> card,
                       const Texts &texts, QWidget *parent)
    : WorkWindow(objectName, caption, parent), m_card(std::move(card)), m_texts(texts)
{}

// ---- The chrome ----

QWidget *CardWindow::makeContent(QSize design, QSize border, bool layoutMargins)
{
    setWindowState(Qt::WindowMaximized);
    setMinimumSize(design + border);
    auto *content = new QWidget(this);
    content->setObjectName(QStringLiteral("panContainer"));
    content->setProperty("role", QStringLiteral("container"));
    content->setFixedSize(design);
    auto *outer = new QGridLayout(this);
    if (!layoutMargins)
        outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(content, 0, 0, Qt::AlignCenter);
    return content;
}

QLabel *CardWindow::makePositionLabel(QWidget *parent)
{
    m_position = new QLabel(parent);
    m_position->setObjectName(QStringLiteral("lblPosizione"));
    Accessibility::valueLabel(m_position, QStringLiteral("Posizione della scheda in archivio"));
    m_position->setAlignment(Qt::AlignCenter);
    m_position->setFont(Theme::verdana(12, true));
    return m_position;
}

HintStrip *CardWindow::makeInfoStrip(QWidget *parent, const QString &styleSheet)
{
    m_info =
        new HintStrip(QStringLiteral("panInfo"), QStringLiteral("Pronto per registrare una nuova scheda..."), parent);
    m_info->setFont(Theme::tahoma(12));
    m_info->setStyleSheet(styleSheet);
    return m_info;
}

void CardWindow::connectCommands(const Commands &c)
{
    connect(c.newCard, &QAbstractButton::clicked, this, c.onNew);
    connect(c.duplicate, &QAbstractButton::clicked, this, c.onDuplicate);
    connect(c.save, &QAbstractButton::clicked, this, c.onSave);
    connect(c.find, &QAbstractButton::clicked, this, c.onFind);
    connect(c.first, &QAbstractButton::clicked, this, &CardWindow::showFirst);
    connect(c.previous, &QAbstractButton::clicked, this, &CardWindow::showPrevious);
    connect(c.next, &QAbstractButton::clicked, this, &CardWindow::showNext);
    connect(c.last, &QAbstractButton::clicked, this, &CardWindow::showLast);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, c.onSave);
    connect(new QShortcut(QKeySequence::New, this), &QShortcut::activated, this, c.onNew);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, c.onFind);
}

void CardWindow::watchInfo() { m_info->watch(this); }

// ---- The fields ----

void CardWindow::buildFields(const CardFields::Description &description, QWidget *panel, const QFont &fieldFont)
{
    CardFields::check(description); // before any control is made from it
    m_description = description;
    for (const CardFields::Field &field : description.fields) {
        QWidget *control = nullptr;
        switch (field.kind) {
        case Kind::LineEdit:
            control = lineEdit(field, panel);
            break;
        case Kind::Choice: {
            auto *combo =
                new ListOnlyCombo(QString::fromLatin1(field.control), ListOnlyCombo::twoDigitItems(field.limit), panel);
            combo->lineEdit()->setFont(fieldFont);
            control = combo;
            break;
        }
        case Kind::CheckBox:
            control = new QCheckBox(QString::fromUtf8(field.caption), panel);
            control->setAccessibleName(QString::fromUtf8(field.caption));
            break;
        case Kind::Composed:
            continue;
        }
        const QString name = QString::fromLatin1(field.control);
        control->setObjectName(name);
        control->setFont(fieldFont);
        QLabel *caption = nullptr;
        if (field.caption && field.kind != Kind::CheckBox)
            caption = Theme::label(field.captionControl ? QString::fromLatin1(field.captionControl)
                                                        : QStringLiteral("lbl") + name.mid(3),
                                   QString::fromUtf8(field.caption), panel, control);
        placeField(field, control, caption);
        if (auto *edit = qobject_cast<QLineEdit *>(control))
            applyTyping(edit, field.typing, this);
    }
    m_form = std::make_unique<CardForm>(description, panel);
}

QWidget *CardWindow::fieldControl(const char *field) const { return m_form ? m_form->control(field) : nullptr; }

void CardWindow::setBeside(const char *field, QWidget *button) { m_beside.insert(QByteArray(field), button); }

void CardWindow::orderKeys(const QList<QWidget *> &after)
{
    QList<QWidget *> tab;
    QList<QWidget *> enter;
    for (const CardFields::Field &field : m_description.fields) {
        QWidget *control = fieldControl(field.field);
        if (!control)
            continue;
        tab.append(control);
        if (QWidget *beside = m_beside.value(QByteArray(field.field)))
            tab.append(beside);
        if (field.kind == Kind::LineEdit || field.kind == Kind::Choice)
            enter.append(control);
    }
    tab.append(after);
    for (qsizetype i = 1; i < tab.size(); ++i)
        QWidget::setTabOrder(tab[i - 1], tab[i]);
    new EnterCycle(enter, this);
}

bool CardWindow::requiredFilled()
{
    for (const CardFields::Field &field : m_description.fields) {
        auto *edit = qobject_cast<QLineEdit *>(fieldControl(field.field));
        if (!field.required || !edit || !AnsiText::isBlank(edit->text()))
            continue;
        Messages::warning(this, CardFields::requiredWarning(field));
        edit->setFocus();
        return false;
    }
    return true;
}

// ---- The card ----

void CardWindow::showFirst() { report(m_card->first()); }

void CardWindow::showPrevious() { report(m_card->previous()); }

void CardWindow::showNext() { report(m_card->next()); }

void CardWindow::showLast() { report(m_card->last()); }

bool CardWindow::showPosition(qint64 position)
{
    if (m_card->show(position) != CardResult::Shown)
        return false;
    showCard();
    return true;
}

void CardWindow::showCard()
{
    beforeShowCard();
    m_form->show(m_card->bytes());
    showOwnParts();
    showPositionText();
    markShown();
}

void CardWindow::markShown()
{
    m_shownBytes = QByteArray(m_card->bytes(), m_card->size());
    readControls(m_shownBytes.data());
}

bool CardWindow::hasUnsavedTyping() const
{
    QByteArray now(m_card->bytes(), m_card->size());
    readControls(now.data());
    return now != m_shownBytes;
}

void CardWindow::showPositionText() { m_position->setText(m_card->positionText()); }

void CardWindow::readControlsIntoRecord()
{
    readControls(m_card->bytes());
    takeOwnParts();
}

void CardWindow::report(CardResult result)
{
    switch (result) {
    case CardResult::Shown:
        showCard();
        break;
    case CardResult::EmptyArchive:
        showPositionText();
        Messages::information(this, m_texts.emptyArchive);
        break;
    case CardResult::Inserted:
        Messages::information(this, m_texts.inserted);
        break;
    case CardResult::Updated:
        Messages::information(this, m_texts.updated);
        break;
    case CardResult::DuplicateNew:
        Messages::warning(this, m_texts.duplicateNew);
        break;
    case CardResult::Duplicated:
        Messages::information(this, m_texts.duplicated);
        break;
    case CardResult::Failed:
    case CardResult::Held:
        Messages::error(this, CardSave::failure(result));
        break;
    case CardResult::Stayed:
    case CardResult::ChangedElsewhere: // asked by saveCard
        break;
    }
}

void CardWindow::newCard()
{
    m_card->clear();
    showCard(); // also sets entry limits widened for longer texts back
    afterNewCard();
}

void CardWindow::FormShow() { newCard(); }

CardResult CardWindow::saveCard()
{
    readControlsIntoRecord();
    CardResult result = CardSave::save(this, *m_card);
    if (result == CardResult::Shown) {
        showCard();
        return result;
    }
    if (result == CardResult::ChangedElsewhere)
        return result; // answered Annulla: nothing written, the typed card stays
    showPositionText();
    if (result == CardResult::Held) {
        // Nothing was written: the card's own parts (the odontogram's changes) wait too.
    } else if (result != CardResult::Inserted && result != CardResult::Updated) {
        result = CardResult::Failed;
    } else {
        markShown();
        emit saved(position());
        if (!afterSave(result))
            return result;
    }
    report(result);
    return result;
}

void CardWindow::duplicateCard()
{
    const CardResult result = m_card->duplicate(m_duplicateOpensArchive);
    if (result == CardResult::DuplicateNew) {
        report(result);
        return;
    }
    showPositionText();
    if (result == CardResult::Failed) {
        report(result);
        return;
    }
    afterDuplicate();
    report(CardResult::Duplicated);
}
