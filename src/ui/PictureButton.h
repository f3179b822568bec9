#pragma once

#include <QAbstractButton>
#include <QString>

class QSvgRenderer;

// A button drawn as a picture (our SVG artwork), optionally with a caption beneath or over
// it. It is a real button: Tab gives it the focus (a click leaves the focus where it was),
// Space and Enter press it, it shows the hand cursor, and screen readers read its caption
// or accessible name.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    enum CaptionStyle { NoCaption, CaptionBelow, CaptionPill };

    PictureButton(const QString &objectName, const QString &picture, const QString &accessibleName,
                  QWidget *parent = nullptr);

    void setPicture(const QString &picture);
    QString picture() const { return m_picture; }
    void setPictureSize(const QSize &size);
    void setCaption(const QString &caption, CaptionStyle style = CaptionBelow);
    // The one-line hint the window's information strip shows for this button.
    void setHint(const QString &hint);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_picture;
    QSvgRenderer *m_renderer = nullptr;
    QSize m_pictureSize{40, 40};
    CaptionStyle m_captionStyle = NoCaption;
    bool m_hover = false;
};
