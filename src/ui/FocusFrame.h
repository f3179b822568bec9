#pragma once

#include <QFrame>
#include <QPointer>

// The yellow frame (eff...) that stands behind a field and shows only while the field has
// the focus: the password fields and the criteria of the find windows use it instead of
// the field colouring. The field and its frame live together in this holder.
class FocusFrame : public QWidget
{
    Q_OBJECT
public:
    // Takes the field into the holder; the frame is named frameName (effPassword, ...).
    FocusFrame(QWidget *field, const QString &frameName, QWidget *parent = nullptr);

    QFrame *frame() const { return m_frame; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_field;
    QFrame *m_frame;
};
