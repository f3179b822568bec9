#include "ui/PictureButton.h"
#include "ui/Theme.h"

#include "ui/Icons.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgRenderer>

PictureButton::PictureButton(const QString &objectName, const QString &picture, const QString &accessibleName,
                             QWidget *parent)
    : QAbstractButton(parent)
{
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setToolTip(accessibleName);
    setCursor(Qt::PointingHandCursor);
    // Tab reaches it; a click does not take the focus from the field being worked on.
    setFocusPolicy(Qt::TabFocus);
    setPicture(picture);
}

void PictureButton::setPicture(const QString &picture)
{
    m_picture = picture;
    m_renderer = picture.isEmpty() ? nullptr : Icons::renderer(picture);
    update();
}

void PictureButton::setPictureSize(const QSize &size)
{
    m_pictureSize = size;
    updateGeometry();
}

void PictureButton::setCaption(const QString &caption, CaptionStyle style)
{
    setText(caption);
    m_captionStyle = caption.isEmpty() ? NoCaption : style;
    if (!caption.isEmpty()) {
        setAccessibleName(caption);
        setToolTip(QString());
    }
    updateGeometry();
}

void PictureButton::setHint(const QString &hint)
{
    setProperty("hint", hint);
    setAccessibleDescription(hint);
    if (m_captionStyle == NoCaption)
        setToolTip(hint);
}

QSize PictureButton::sizeHint() const
{
    QSize s = m_pictureSize + QSize(8, 8);
    if (m_captionStyle == CaptionBelow) {
        const QFontMetrics fm(font());
        s.setWidth(qMax(s.width(), fm.horizontalAdvance(text()) + 16));
        s.setHeight(s.height() + fm.height() + 4);
    } else if (m_captionStyle == CaptionPill) {
        const QFontMetrics fm(font());
        s = QSize(qMax(m_pictureSize.width(), fm.horizontalAdvance(text()) + 48), fm.height() + 22);
    }
    return s;
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const qreal shift = isDown() ? 1.0 : 0.0;

    if (m_captionStyle == CaptionPill) {
        // A rounded caption button: the labels of the main menu's two work areas.
        QLinearGradient g(area.topLeft(), area.bottomLeft());
        const QColor top = Theme::colour(m_hover ? Theme::Colour::SteelLight : Theme::Colour::Steel);
        g.setColorAt(0, top);
        g.setColorAt(1, top.darker(125));
        QPainterPath path;
        path.addRoundedRect(area.translated(0, shift), area.height() / 2, area.height() / 2);
        p.fillPath(path, g);
        if (hasFocus()) {
            p.setPen(QPen(Theme::colour(Theme::Colour::FocusRing), 3));
            p.drawPath(path);
        }
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(Theme::colour(Theme::Colour::Paper));
        p.drawText(area.translated(0, shift), Qt::AlignCenter, text());
        return;
    }

    if (m_hover || hasFocus()) {
        QPainterPath path;
        path.addRoundedRect(area, 8, 8);
        p.fillPath(path, Theme::colour(m_hover ? Theme::Colour::HoverVeil : Theme::Colour::FocusVeil));
        if (hasFocus()) {
            p.setPen(QPen(Theme::colour(Theme::Colour::Heading), 2, Qt::DotLine));
            p.drawPath(path);
        }
    }
    QRectF pic(QPointF(0, 0), QSizeF(m_pictureSize));
    pic.moveCenter(
        QPointF(width() / 2.0, m_captionStyle == CaptionBelow ? 4 + m_pictureSize.height() / 2.0 : height() / 2.0));
    pic.translate(0, shift);
    if (m_renderer && m_renderer->isValid()) {
        if (!isEnabled())
            p.setOpacity(0.4);
        // Drawn once at its size and kept: a window made or shown again copies its pictures.
        p.drawPixmap(QPointF(qRound(pic.left()), qRound(pic.top())),
                     Icons::pixmap(m_picture, m_pictureSize, devicePixelRatioF()));
        p.setOpacity(1);
    }
    if (m_captionStyle == CaptionBelow) {
        p.setPen(Theme::colour(Theme::Colour::Heading));
        const QRectF caption(0, pic.bottom() + 2, width(), height() - pic.bottom() - 2);
        p.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, text());
    }
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void PictureButton::enterEvent(QEnterEvent *event)
{
    m_hover = true;
    update();
    QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent *event)
{
    m_hover = false;
    update();
    QAbstractButton::leaveEvent(event);
}
