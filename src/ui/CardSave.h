#pragma once

#include "base/RecordCard.h"

class QWidget;

// A card's save as every window that saves cards does it (the card windows, the treatment
// register), and the busy notice of a save that waits for its archive.
namespace CardSave {

// Saves the card. When another copy of the program saved its record since it was read, asks
// which one stays (kCardChangedElsewhere): "Sì" makes the other copy's record the card
// (Shown: the window shows it), "No" overwrites it with this one (the save's result),
// "Annulla", Escape or the close box write nothing and leave the card as it is
// (ChangedElsewhere: the window keeps what was typed).
CardResult save(QWidget *parent, AnyRecordCard &card);

// The message of a save that did not write the card (Failed or Held), or nothing.
QString failure(CardResult result);

// From now on, a save that waits for its archive's lock (a backup reads the archive) shows
// a busy pointer at once and, after a second, a small notice "Attendere: copia di sicurezza
// in corso…" (objectName "frmAttendere") until the wait ends. The program calls it once.
void showLockWaits();

} // namespace CardSave
