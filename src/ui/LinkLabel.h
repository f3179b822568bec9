#pragma once

#include <QLabel>

class QAbstractButton;

// A text link (lnkWeb): underlined, dark blue, orange while a mouse button is held on it
// or on the icon beside it, dark blue again on release. Focusable; Enter or Space opens it.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &objectName, const QString &text, QWidget *parent = nullptr);

    // The icon beside the link shares its handlers; it is the mouse's way to the link only.
    void attachIcon(QAbstractButton *icon);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *) override;
    void mouseReleaseEvent(QMouseEvent *) override;
    void keyPressEvent(QKeyEvent *) override;

private:
    void setHeld(bool held);
};
