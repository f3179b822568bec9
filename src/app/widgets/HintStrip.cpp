#include "app/widgets/HintStrip.h"

#include <QEvent>

HintStrip::HintStrip(const QString &objectName, const QString &initialText, QWidget *parent)
    : QLabel(initialText, parent)
{
    setObjectName(objectName);
    setProperty("role", QStringLiteral("hint"));
    setAccessibleName(QStringLiteral("Suggerimento"));
    setMinimumHeight(26);
    setTextFormat(Qt::PlainText);
}

void HintStrip::setHint(QWidget *control, const QString &hint)
{
    control->setProperty("hint", hint);
    control->setAccessibleDescription(hint);
}

void HintStrip::watch(QWidget *window)
{
    m_window = window;
    window->installEventFilter(this);
    const auto children = window->findChildren<QWidget *>();
    for (QWidget *w : children)
        if (w->property("hint").isValid())
            w->installEventFilter(this);
}

bool HintStrip::eventFilter(QObject *watched, QEvent *event)
{
    const QVariant hint = watched->property("hint");
    switch (event->type()) {
    case QEvent::Enter:
        if (watched == m_window)
            clear(); // the mouse came over the window: the initial text goes
        else if (hint.isValid())
            setText(hint.toString());
        break;
    case QEvent::FocusIn:
        if (hint.isValid() && watched != m_window)
            setText(hint.toString());
        break;
    case QEvent::Leave:
        if (hint.isValid() && watched != m_window)
            clear(); // back over the background
        break;
    default:
        break;
    }
    return false;
}
