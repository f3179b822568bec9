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

namespace {
std::function<QWidget *(qint64)> &openAppointmentHook()
{
    static std::function<QWidget *(qint64)> hook;
    return hook;
}
std::function<QWidget *(const QDate &, const QTime &)> &newAppointmentHook()
{
    static std::function<QWidget *(const QDate &, const QTime &)> hook;
    return hook;
}
} // namespace

void setOpenAppointment(std::function<QWidget *(qint64)> open) { openAppointmentHook() = std::move(open); }

QWidget *openAppointment(qint64 position) { return openAppointmentHook() ? openAppointmentHook()(position) : nullptr; }

void setNewAppointment(std::function<QWidget *(const QDate &, const QTime &)> open)
{
    newAppointmentHook() = std::move(open);
}

QWidget *newAppointment(const QDate &date, const QTime &time)
{
    return newAppointmentHook() ? newAppointmentHook()(date, time) : nullptr;
}

} // namespace Hooks
