#pragma once

#include "base/CardFields.h"
#include "base/RecordCard.h"
#include "ui/CardForm.h"
#include "ui/WorkWindow.h"

#include <QFont>
#include <QHash>
#include <QList>

#include <functional>
#include <memory>

class HintStrip;
class QAbstractButton;
class QLabel;

// The base of the card windows (patient card, appointment card): one card of an archive at a
// time, its record shown in the controls by a CardForm, its position in a label. It owns the
// card, browses it (first, previous, next, last), reads it at a position, saves it,
// duplicates it and empties it, and reports each result by its table of texts.
//
// It also makes what every card window has: the content panel centred in the window, the
// position label, the information strip, the card's fields from its description (built,
// placed by the window's rule, ordered for Tab and Enter, bound), the Save / New / Find keys
// and the navigation buttons, and the check of the required fields. A window on it keeps its
// other controls and their places, its own rules (checks, exit rules) and its tool buttons,
// and plugs into the hooks below.
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

    // The control that shows a field of the card (by the field's name in the record); null
    // for a field without one.
    QWidget *fieldControl(const char *field) const;
    // Whether the controls hold typing not saved since the card was last shown or saved.
    bool hasUnsavedTyping() const;

signals:
    // A save wrote the card at its record position (Inserted or Updated).
    void saved(qint64 position);

protected:
    CardWindow(const QString &objectName, const QString &caption, std::unique_ptr<AnyRecordCard> card,
               const Texts &texts, QWidget *parent);

    // ---- The chrome ----
    // The window's content: a fixed design of the given size (panContainer) centred in the
    // maximised window, which is never smaller than the design and the given border.
    QWidget *makeContent(QSize design, QSize border, bool layoutMargins);
    // The label that shows the card's position (lblPosizione).
    QLabel *makePositionLabel(QWidget *parent);
    // The information strip (panInfo) in the card's colours, showing that the card is ready.
    HintStrip *makeInfoStrip(QWidget *parent, const QString &styleSheet);
    // The card's commands: the buttons and the usual keys for saving, a new card and finding
    // (the focus stays where it is), and the four navigation buttons.
    struct Commands
    {
        QAbstractButton *newCard, *duplicate, *save, *find;
        QAbstractButton *first, *previous, *next, *last;
        std::function<void()> onNew, onDuplicate, onSave, onFind;
    };
    void connectCommands(const Commands &commands);

    // ---- The fields ----
    // Makes a control for every field of the description that has one, with its caption,
    // on the panel: a line edit (entry limit, typing rule, look), a list-only drop-down or a
    // check box, each in the field font; gives each its place (placeField) and binds them.
    // Throws std::invalid_argument for a faulty description (CardForm).
    void buildFields(const CardFields::Description &description, QWidget *panel, const QFont &fieldFont);
    // The window's rule for placing a field's control and its caption (null for none) on
    // the panel, from the field's place; it also gives the caption the card's look.
    virtual void placeField(const CardFields::Field &field, QWidget *control, QLabel *caption) = 0;
    // A button beside a field: the Tab key reaches it just after the field.
    void setBeside(const char *field, QWidget *button);
    // Once every control is made: the Tab order (the fields in the description's order, each
    // followed by its button beside, then the given controls) and the Enter cycle (the line
    // edits and drop-downs in the same order).
    void orderKeys(const QList<QWidget *> &after);
    // Once the window is complete: the information strip watches it.
    void watchInfo();
    // The required fields, in the description's order: false, with the warning and the
    // focus on it, for the first one left blank.
    bool requiredFilled();
    // The control of a field as the window's code uses it; null for none or another kind.
    template <class Control> Control *field(const char *name) const
    {
        return qobject_cast<Control *>(fieldControl(name));
    }

    // A duplicate opens the archive on its way (and fails with it).
    void setDuplicateOpensArchive(bool opens) { m_duplicateOpensArchive = opens; }

    CardForm &form() { return *m_form; }
    AnyRecordCard &anyCard() const { return *m_card; }

    // The card's record into the controls and its position into the label.
    void showCard();
    // The position into the label.
    void showPositionText();
    // The controls as they stand are the card as shown: typing starts from here.
    void markShown();
    // The controls' texts (and the window's own parts) into the card's record.
    void readControlsIntoRecord();
    // The controls' texts into a record's bytes, the fields without a control kept.
    void readControls(char *record) const { m_form->take(record, record); }
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
    virtual void takeOwnParts() {}

private:
    std::unique_ptr<AnyRecordCard> m_card;
    std::unique_ptr<CardForm> m_form;
    CardFields::Description m_description;
    QLabel *m_position = nullptr;
    HintStrip *m_info = nullptr;
    QHash<QByteArray, QWidget *> m_beside; // by field name
    Texts m_texts;
    bool m_duplicateOpensArchive = false;
    QByteArray m_shownBytes; // the controls' texts in a record as last shown or saved
};

// A card window of one record type: the card as a typed record.
template <class Record> class CardWindowOf : public CardWindow
{
public:
    // The record the card stands for as it stands, typed changes included; the card itself
    // is left as it is.
    Record record() const
    {
        Record r = card().record();
        readControls(recordBytes(r));
        takeOwn(r);
        return r;
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
    // a record (after the form's fields).
    virtual void showOwn(const Record &) {}
    virtual void takeOwn(Record &) const {}

private:
    void showOwnParts() final { showOwn(card().record()); }
    void takeOwnParts() final { takeOwn(card().record()); }
};
