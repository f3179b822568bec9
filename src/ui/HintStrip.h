#pragma once

#include <QLabel>
#include <QSet>

// A window's information strip (panInfo): hovering a button that carries a hint writes the
// hint into the strip; moving the mouse over the window's background or a picture empties
// it (fields and labels leave it as it is). The initial text therefore shows until the mouse
// first moves over the background (a window that merely appears under a still mouse keeps
// it). A button that takes the keyboard focus shows its hint too, for keyboard users.
class HintStrip : public QLabel
{
    Q_OBJECT
public:
    HintStrip(const QString &objectName, const QString &initialText, QWidget *parent = nullptr);

    // Watches the window and every widget below it: the ones that carry a "hint" property,
    // and the background (panels and pictures). Call after the window's controls are made.
    void watch(QWidget *window);
    // Panels, the window itself and pictures: not a control, not a text.
    static bool isBackground(const QWidget *widget);
    // Sets the hint of one control (the property the strip reads).
    static void setHint(QWidget *control, const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QSet<QWidget *> m_background;
};
