#include "patients/frmClients.h"

TfrmClients::TfrmClients(QWidget *parent)
    : WorkWindow(QStringLiteral("frmClients"), QStringLiteral(" Sorrisa - Archivio Pazienti"), parent)
{
    setWindowState(Qt::WindowMaximized);
}
