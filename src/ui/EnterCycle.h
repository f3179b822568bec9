#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

// A window's fixed Enter cycle: Enter (or the keypad's Enter) in one of the fields moves the
// focus to the next field, and from the last back to the first. The key is consumed.
class EnterCycle : public QObject
{
    Q_OBJECT
public:
    EnterCycle(const QList<QWidget *> &fields, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QPointer<QWidget>> m_fields;
};
