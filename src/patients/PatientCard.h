#pragma once

#include "base/CardFields.h"

#include <QString>

// The rules of the patient card that need no window: its description and the messages it
// shows. Browsing and saving are the RecordCard's (base/RecordCard.h).
namespace PatientCard {

// The patient card: every field it shows, with its control, caption, entry limit, typing
// rule and place on the card's field panel (in the panel's rows of 50 pixels, captions above
// the fields). The teeth and the attachments are not shown by a control of the card.
const CardFields::Description &description();

// Texts the card shows.
extern const QString kCaption;
extern const QString kReady;
extern const QString kEmptyArchive;
extern const QString kUpdated;
extern const QString kInserted;
extern const QString kDuplicateNew;
extern const QString kDuplicated;

} // namespace PatientCard
