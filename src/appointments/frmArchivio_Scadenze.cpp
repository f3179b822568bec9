#include "appointments/frmArchivio_Scadenze.h"

#include "storage/AppointmentRecord.h"

#include <QLabel>

TfrmArchivio_Scadenze::TfrmArchivio_Scadenze(QWidget *parent)
    : WorkWindow(QStringLiteral("frmArchivio_Scadenze"), QStringLiteral(" Sorrisa - Schedario Appuntamenti"), parent)
{
    setWindowState(Qt::WindowMaximized);
    lblPosizione = new QLabel(this);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
}

void TfrmArchivio_Scadenze::loadRecord(const TAppointmentRecord &) {}
