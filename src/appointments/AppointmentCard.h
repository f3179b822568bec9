#pragma once

#include "base/CardFields.h"

// The appointment card that needs no window: its description. Every field of the record is
// on it: the time is composed from the hours and the minutes ("hh:mm"), the fulfilled flag
// is "Sì" or "No". Places are in the card panel's rows of 35 pixels, captions in the column
// on the left.
namespace AppointmentCard {

const CardFields::Description &description();

} // namespace AppointmentCard
