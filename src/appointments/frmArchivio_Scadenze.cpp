#include "appointments/frmArchivio_Scadenze.h"

TfrmArchivio_Scadenze::TfrmArchivio_Scadenze(QWidget *parent)
    : WorkWindow(QStringLiteral("frmArchivio_Scadenze"), QStringLiteral(" Sorrisa - Schedario Appuntamenti"), parent)
{
    setWindowState(Qt::WindowMaximized);
}
