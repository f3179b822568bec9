#include "ui/Hooks.h"

namespace Hooks {

namespace {
std::function<void()> &showAppointmentCardHook()
{
    static std::function<void()> hook;
    return hook;
}

using OpenExport = std::function<void(QWidget *, Export, const QDate &)>;
OpenExport &openExportHook()
{
    static OpenExport hook;
    return hook;
}
} // namespace

void setShowAppointmentCard(std::function<void()> show) { showAppointmentCardHook() = std::move(show); }

void showAppointmentCard()
{
    if (showAppointmentCardHook())
        showAppointmentCardHook()();
}

void setOpenExport(OpenExport open) { openExportHook() = std::move(open); }

void openExport(QWidget *caller, Export which, const QDate &picked)
{
    if (openExportHook())
        openExportHook()(caller, which, picked);
}

} // namespace Hooks
