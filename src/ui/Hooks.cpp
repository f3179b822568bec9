#include "ui/Hooks.h"

namespace Hooks {

namespace {
std::function<void()> &showAppointmentCardHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void setShowAppointmentCard(std::function<void()> show) { showAppointmentCardHook() = std::move(show); }

void showAppointmentCard()
{
    if (showAppointmentCardHook())
        showAppointmentCardHook()();
}

} // namespace Hooks
