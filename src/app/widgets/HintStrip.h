#pragma once

#include <QLabel>

// A window's information strip (panInfo): hovering a button that carries a hint writes the
// hint into the strip; leaving it, or moving over the window's background, empties it. The
// initial text therefore shows only until the mouse first moves over the window. A button
// that takes the keyboard focus shows its hint too, so keyboard users read it as well.
class HintStrip : public QLabel
{
    Q_OBJECT
public:
    HintStrip(const QString &objectName, const QString &initialText, QWidget *parent = nullptr);

    // Watches the window and every widget below it that carries a "hint" property.
    // Call after the window's controls are made.
    void watch(QWidget *window);
    // Sets the hint of one control (the property the strip reads).
    static void setHint(QWidget *control, const QString &hint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window = nullptr;
};
