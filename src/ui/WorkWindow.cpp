#include "ui/WorkWindow.h"

#include <QShowEvent>

#include "ui/Theme.h"

#include <QCloseEvent>

WorkWindow::WorkWindow(const QString &objectName, const QString &caption, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Theme::setGradient(this, "steel");
}

void WorkWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void WorkWindow::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
    emit closed();
    hide();
}
