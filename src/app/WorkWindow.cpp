#include "app/WorkWindow.h"

#include "app/Windows.h"
#include "app/frmAvvio.h"
#include "app/widgets/Theme.h"

#include <QCloseEvent>

WorkWindow::WorkWindow(const QString &objectName, const QString &caption, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Theme::setGradient(this, "steel");
}

void WorkWindow::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    Windows::frmAvvio()->show();
    hide();
}
