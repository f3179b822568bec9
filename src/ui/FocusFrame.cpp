#include "ui/FocusFrame.h"

#include <QEvent>

namespace {
constexpr int kMargin = 5;
}

FocusFrame::FocusFrame(QWidget *field, const QString &frameName, QWidget *parent)
    : QWidget(parent), m_field(field), m_frame(new QFrame(this))
{
    m_frame->setObjectName(frameName);
    m_frame->setProperty("role", QStringLiteral("focusframe"));
    m_frame->hide();
    field->setParent(this);
    field->setProperty("framed", true);
    field->installEventFilter(this);
    m_frame->lower();
    setFocusProxy(field);
}

QSize FocusFrame::sizeHint() const { return m_field->sizeHint() + QSize(2 * kMargin, 2 * kMargin); }

void FocusFrame::resizeEvent(QResizeEvent *)
{
    m_frame->setGeometry(rect());
    m_field->setGeometry(rect().adjusted(kMargin, kMargin, -kMargin, -kMargin));
}

bool FocusFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field) {
        if (event->type() == QEvent::FocusIn)
            m_frame->show();
        else if (event->type() == QEvent::FocusOut)
            m_frame->hide();
    }
    return false;
}
