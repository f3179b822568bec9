#include "ui/Dialog.h"

#include "ui/Theme.h"

#include <QCloseEvent>
#include <QShowEvent>

Dialog::Dialog(QWidget *parent, Place place) : QDialog(parent), m_place(place) {}

bool Dialog::centreOnOwner(QWidget *window)
{
    QWidget *owner = window->parentWidget();
    if (!owner)
        return false;
    QRect frame = window->frameGeometry();
    frame.moveCenter(owner->window()->frameGeometry().center());
    window->move(frame.topLeft());
    return true;
}

void Dialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    switch (m_place) {
    case Place::OnScreen:
        Theme::centreOnScreen(this);
        break;
    case Place::OnOwner:
        if (!centreOnOwner(this))
            Theme::centreOnScreen(this);
        break;
    case Place::AsIs:
        break;
    }
    FormShow();
}

void Dialog::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}
