#include "ui/CardWindow.h"

#include "platform/Messages.h"
#include "ui/CardSave.h"

#include <QAbstractButton>
#include <QLabel>

CardWindow::CardWindow(const QString &objectName, const QString &caption, std::unique_ptr<AnyRecordCard> card,
                       const Texts &texts, QWidget *parent)
    : WorkWindow(objectName, caption, parent), m_card(std::move(card)), m_texts(texts)
{}

void CardWindow::bindCard(std::span<const RecordField> fields, const QWidget *panel, QLabel *position)
{
    m_form = std::make_unique<CardForm>(fields, panel);
    m_position = position;
}

void CardWindow::connectNavigation(QAbstractButton *first, QAbstractButton *previous, QAbstractButton *next,
                                   QAbstractButton *last)
{
    connect(first, &QAbstractButton::clicked, this, &CardWindow::showFirst);
    connect(previous, &QAbstractButton::clicked, this, &CardWindow::showPrevious);
    connect(next, &QAbstractButton::clicked, this, &CardWindow::showNext);
    connect(last, &QAbstractButton::clicked, this, &CardWindow::showLast);
}

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
}

void CardWindow::showPositionText() { m_position->setText(m_card->positionText()); }

void CardWindow::takeCard() const
{
    m_form->take(m_card->bytes(), m_card->bytes());
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
    takeCard();
    CardResult result = CardSave::save(this, *m_card);
    if (result == CardResult::Shown) {
        showCard();
        return result;
    }
    if (result == CardResult::ChangedElsewhere)
        return result; // answered Annulla: nothing written, the typed card stays
    showPositionText();
    if (result != CardResult::Inserted && result != CardResult::Updated && result != CardResult::Held)
        result = CardResult::Failed;
    else {
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
