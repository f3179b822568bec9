#pragma once

#include <QDate>

#include <functional>

class QTime;
class QWidget;

// What a window of one area asks of the long-lived windows of another, when the program
// wires its windows together (app/Windows sets them). Unset hooks do nothing, so a window
// can be built and tested alone.
namespace Hooks {

// Shows the appointment card window (the agenda's button to the appointment archive).
void setShowAppointmentCard(std::function<void()> show);
void showAppointmentCard();

// The export windows the work windows open from their buttons: the patient archive, the
// appointment archive, the imminent appointments, and the appointments of the picked day or
// of its month.
enum class Export { Patients, Appointments, Imminent, Day, Month };
// Opens one modally over the caller (the card's and the agenda's export buttons).
void setOpenExport(std::function<void(QWidget *caller, Export which, const QDate &picked)> open);
void openExport(QWidget *caller, Export which, const QDate &picked = {});

// Shows the appointment card window on the card at a record position of the appointment
// archive (the appointment book's blocks); returns the window, or null when the card could
// not be read (or the hook is unset).
void setOpenAppointment(std::function<QWidget *(qint64 position)> open);
QWidget *openAppointment(qint64 position);
// Shows the appointment card window on a new card with a date and a time filled in (the
// appointment book's free slots); returns the window, or null when the hook is unset.
void setNewAppointment(std::function<QWidget *(const QDate &date, const QTime &time)> open);
QWidget *newAppointment(const QDate &date, const QTime &time);

} // namespace Hooks
