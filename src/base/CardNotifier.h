#pragma once

#include <QObject>

// What the card windows tell the rest of the program: one object for the run, made by the
// program when it wires its windows together (app/Windows), which connects each card
// window's own signals to it. The windows that show cards (the agenda, the appointment book)
// listen to it, not to the card windows: a card window knows nothing of who shows its cards.
// A change made by another computer reaches them through the archive's file watcher instead.
class CardNotifier : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    // A card was written at a record position of its archive (a new card, or a card changed).
    void appointmentSaved(qint64 position);
    void patientSaved(qint64 position);
    // The appointment card window was closed.
    void appointmentCardClosed();
};
