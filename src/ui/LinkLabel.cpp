#include "ui/LinkLabel.h"
#include "ui/Theme.h"

#include "ui/Accessibility.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>

LinkLabel::LinkLabel(const QString &objectName, const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setObjectName(objectName);
    setAccessibleName(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setTextFormat(Qt::PlainText);
    QFont f = Theme::tahoma();
    f.setPixelSize(18);
    f.setUnderline(true);
    setFont(f);
    setHeld(false);
}

void LinkLabel::attachIcon(QAbstractButton *icon)
{
    // The icon repeats the link for the mouse: the keyboard and screen readers meet the link.
    icon->setFocusPolicy(Qt::NoFocus);
    Accessibility::hide(icon);
    connect(icon, &QAbstractButton::pressed, this, [this] { setHeld(true); });
    connect(icon, &QAbstractButton::released, this, [this] { setHeld(false); });
    connect(icon, &QAbstractButton::clicked, this, [this] {
        setHeld(false);
        emit clicked();
    });
}

void LinkLabel::setHeld(bool held)
{
    const quint32 argb = held ? Theme::Colour::LinkHeld : Theme::Colour::Link;
    const QColor colour = Theme::colour(argb);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, colour);
    setPalette(pal);
    // The application's style sheet gives every label the theme's colour; a widget's own
    // sheet wins over it, so the link's colours are set there too.
    setStyleSheet(Theme::linkColour(argb));
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setHeld(true);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setHeld(false);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}
