#pragma once

#include <functional>

// What a window of one area asks of the long-lived windows of another, when the program
// wires its windows together (app/Windows sets them). Unset hooks do nothing, so a window
// can be built and tested alone.
namespace Hooks {

// Shows the appointment card window (the agenda's button to the appointment archive).
void setShowAppointmentCard(std::function<void()> show);
void showAppointmentCard();

} // namespace Hooks
