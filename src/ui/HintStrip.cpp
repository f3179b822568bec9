#include "ui/HintStrip.h"

#include "ui/Accessibility.h"

#include <QEvent>
#include <QMouseEvent>

HintStrip::HintStrip(const QString &objectName, const QString &initialText, QWidget *parent)
    : QLabel(initialText, parent)
{
    setObjectName(objectName);
    setProperty("role", QStringLiteral("hint"));
    Accessibility::valueLabel(this, QStringLiteral("Suggerimento")); // read with the hint it shows
    setMinimumHeight(26);
    setTextFormat(Qt::PlainText);
}

void HintStrip::setHint(QWidget *control, const QString &hint)
{
    control->setProperty("hint", hint);
    control->setAccessibleDescription(hint);
}

bool HintStrip::isBackground(const QWidget *widget)
{
    if (!widget || widget->property("hint").isValid() || widget->focusPolicy() != Qt::NoFocus)
        return false;
    const auto *label = qobject_cast<const QLabel *>(widget);
    return !label || !label->pixmap().isNull(); // a picture, not a caption or a value
}

void HintStrip::watch(QWidget *window)
{
    QList<QWidget *> all = window->findChildren<QWidget *>();
    all.prepend(window);
    for (QWidget *w : std::as_const(all)) {
        if (w == this)
            continue;
        if (w->property("hint").isValid()) {
            w->installEventFilter(this);
        } else if (isBackground(w)) {
            m_background.insert(w);
            w->setMouseTracking(true);
            w->installEventFilter(this);
        }
    }
}

bool HintStrip::eventFilter(QObject *watched, QEvent *event)
{
    auto *widget = static_cast<QWidget *>(watched);
    switch (event->type()) {
    case QEvent::Enter:
    case QEvent::FocusIn:
        if (!m_background.contains(widget))
            setText(widget->property("hint").toString());
        break;
    case QEvent::MouseMove:
        // A move over a control without mouse tracking reaches its background parent: only a
        // move over the background itself empties the strip.
        if (m_background.contains(widget)) {
            const QPoint at = static_cast<QMouseEvent *>(event)->position().toPoint();
            QWidget *under = widget->childAt(at);
            if (!under || m_background.contains(under))
                clear();
        }
        break;
    default:
        break;
    }
    return false;
}
