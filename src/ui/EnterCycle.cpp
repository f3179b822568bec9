#include "ui/EnterCycle.h"

#include <QKeyEvent>
#include <QWidget>

EnterCycle::EnterCycle(const QList<QWidget *> &fields, QObject *parent) : QObject(parent)
{
    for (QWidget *w : fields) {
        m_fields.append(w);
        w->installEventFilter(this);
    }
}

bool EnterCycle::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    for (qsizetype i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i] == watched) {
            if (QWidget *next = m_fields[(i + 1) % m_fields.size()])
                next->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return false;
}
