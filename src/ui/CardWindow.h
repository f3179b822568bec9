#pragma once

#include "base/RecordCard.h"
#include "ui/CardForm.h"
#include "ui/WorkWindow.h"

#include <memory>

class QAbstractButton;
class QLabel;

// The base of the card windows (patient card, appointment card): one card of an archive at a
// time, its record shown in the controls by a CardForm, its position in a label. It owns the
// card, browses it (first, previous, next, last), reads it at a position, saves it,
// duplicates it and empties it, and reports each result by its table of texts. A window on
// it keeps its controls and their places, its own rules (checks, exit rules) and its tool
// buttons, and plugs into the hooks below.
class CardWindow : public WorkWindow
{
    Q_OBJECT
public:
    // What the window says for each result (the archive failure and the question after a
    // save elsewhere are the same for every card window: kArchiveFailure, kCardChangedElsewhere).
    struct Texts
    {
        QString emptyArchive; // information: browsing found no card
        QString inserted;     // information: Inserted
        QString updated;      // information: Updated
        QString duplicateNew; // warning: DuplicateNew
        QString duplicated;   // information: Duplicated
    };

    // The card's record position (0 for a new card).
    qint64 position() const { return m_card->position(); }

    // The four navigation handlers; from a new card, previous and next show the first card.
    void showFirst();
    void showPrevious();
    void showNext();
    void showLast();
    // Reads the card at a position of the archive and shows it (a card picked from a list);
    // false, and nothing shown, when it cannot be read.
    bool showPosition(qint64 position);

signals:
    // A save wrote the card at its record position (Inserted or Updated).
    void saved(qint64 position);

protected:
    CardWindow(const QString &objectName, const QString &caption, std::unique_ptr<AnyRecordCard> card,
               const Texts &texts, QWidget *parent);

    // Once the controls are made: the record's field table bound to the controls in the
    // panel, the label that shows the position, the navigation buttons.
    void bindCard(std::span<const RecordField> fields, const QWidget *panel, QLabel *position);
    void connectNavigation(QAbstractButton *first, QAbstractButton *previous, QAbstractButton *next,
                           QAbstractButton *last);
    // A duplicate opens the archive on its way (and fails with it).
    void setDuplicateOpensArchive(bool opens) { m_duplicateOpensArchive = opens; }

    CardForm &form() { return *m_form; }
    AnyRecordCard &anyCard() const { return *m_card; }

    // The card's record into the controls and its position into the label.
    void showCard();
    // The position into the label.
    void showPositionText();
    // The controls' texts into the card's record.
    void takeCard() const;
    void report(CardResult result);

    // An empty new card (also when the window is shown).
    void newCard();
    // Saves the card as the controls stand, once the window's own checks have passed: the
    // question when another copy saved it meanwhile (CardSave::save), the position, the
    // message. Inserted, Updated, Failed or Held; Shown when the other copy's card was taken
    // instead, ChangedElsewhere when the question was answered Annulla (nothing written).
    CardResult saveCard();
    // The card becomes a new card with the same data.
    void duplicateCard();

    void FormShow() override;

    // ---- Hooks ----
    // Before a card is shown in the controls (read, loaded, taken from another copy, or a new
    // card); the card's record and position are already the new ones.
    virtual void beforeShowCard() {}
    // After a save wrote the card (Inserted or Updated), its position known and shown, before
    // the message: false when a part the window keeps beside the card could not be written
    // (the window has said so, and the card's success message is not shown).
    virtual bool afterSave(CardResult) { return true; }
    // A new card is shown: the window's own starting values and focus.
    virtual void afterNewCard() {}
    // The card has become a copy (shown, without a position): the window's own changes to it.
    virtual void afterDuplicate() {}
    // The parts of the record that no control of the form shows, held by the window (see
    // CardWindowOf::showOwn, takeOwn).
    virtual void showOwnParts() {}
    virtual void takeOwnParts() const {}

private:
    std::unique_ptr<AnyRecordCard> m_card;
    std::unique_ptr<CardForm> m_form;
    QLabel *m_position = nullptr;
    Texts m_texts;
    bool m_duplicateOpensArchive = false;
};

// A card window of one record type: the card as a typed record.
template <class Record> class CardWindowOf : public CardWindow
{
public:
    // The card as it stands, typed changes included (the card takes them).
    Record record() const
    {
        takeCard();
        return card().record();
    }
    // Puts the card, as it stands, at a position (0: a new card) and shows the position.
    void setPosition(qint64 position)
    {
        card().load(position, record());
        showPositionText();
    }
    // Shows the record as the card at the position (0: a new card); the focus stays.
    void loadCard(qint64 position, const Record &record)
    {
        card().load(position, record);
        showCard();
    }
    // The record shown as the card, at the card's position.
    void loadRecord(const Record &record) { loadCard(position(), record); }
    // The record the card stands for.
    void fillRecord(Record &record) const { record = this->record(); }

protected:
    CardWindowOf(const QString &objectName, const QString &caption, const QString &archive, const Texts &texts,
                 QWidget *parent)
        : CardWindow(objectName, caption, std::make_unique<RecordCard<Record>>(archive), texts, parent)
    {}

    RecordCard<Record> &card() const { return static_cast<RecordCard<Record> &>(anyCard()); }
    // A card just read from the archive (a list's choice), shown.
    void loadReadCard(qint64 position, const Record &record)
    {
        card().loadRead(position, record);
        showCard();
    }

    // The parts of the record the window holds itself: shown with the card, taken back into
    // its record (after the form's fields).
    virtual void showOwn(const Record &) {}
    virtual void takeOwn(Record &) const {}

private:
    void showOwnParts() final { showOwn(card().record()); }
    void takeOwnParts() const final { takeOwn(card().record()); }
};
