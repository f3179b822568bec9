#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The windows that the work windows open from their buttons, made anew at each opening,
// shown modally and destroyed when they close. Kept apart from the work windows so that
// each can be built and tested on its own.
namespace Openers {

enum class StatusList { DaAssolvere, Scaduti, Assolti };

// Appointment card window: the three status lists, find appointments (caller tag
// "scadenze"), the card's print and print preview.
void statusList(QWidget *caller, StatusList which);
void findAppointments(QWidget *caller);
void printAppointmentCard(QWidget *caller);
void previewAppointmentCard(QWidget *caller);

// Patient card window: the card's print dialog.
void printPatientCard(QWidget *caller);

// Every list window: the list document with its title and lines, through the print dialog.
void printList(QWidget *caller, const QString &title, const QStringList &lines);

} // namespace Openers
