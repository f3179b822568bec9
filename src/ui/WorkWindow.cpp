#include "ui/WorkWindow.h"

#include <QShowEvent>

#include "ui/Theme.h"

#include <QCloseEvent>

namespace {
std::function<void()> &afterCloseHook()
{
    static std::function<void()> hook;
    return hook;
}
} // namespace

void WorkWindow::setAfterClose(std::function<void()> afterClose) { afterCloseHook() = std::move(afterClose); }

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
    if (afterCloseHook())
        afterCloseHook()();
    hide();
}
