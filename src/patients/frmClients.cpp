#include "patients/frmClients.h"

#include "storage/PatientRecord.h"

#include <QLabel>

TfrmClients::TfrmClients(QWidget *parent)
    : WorkWindow(QStringLiteral("frmClients"), QStringLiteral(" Sorrisa - Archivio Pazienti"), parent)
{
    setWindowState(Qt::WindowMaximized);
    lblPosizione = new QLabel(this);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
}

void TfrmClients::loadRecord(const TPatientRecord &) {}

void TfrmClients::fillRecord(TPatientRecord &) const {}
