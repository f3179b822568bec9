#include "app/Openers.h"

// The printing and list windows arrive with their own work; until then these do nothing.
namespace Openers {

void statusList(QWidget *, StatusList) {}
void findAppointments(QWidget *) {}
void printAppointmentCard(QWidget *) {}
void previewAppointmentCard(QWidget *) {}
void printPatientCard(QWidget *) {}
void printList(QWidget *, const QString &, const QStringList &) {}

} // namespace Openers
