#include "appointments/frmAgenda.h"

TfrmAgenda::TfrmAgenda(QWidget *parent)
    : WorkWindow(QStringLiteral("frmAgenda"), QStringLiteral(" Sorrisa - Agenda Appuntamenti"), parent)
{
    setWindowState(Qt::WindowMaximized);
}
