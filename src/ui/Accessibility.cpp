#include "ui/Accessibility.h"

#include "ui/LinkLabel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QCalendarWidget>
#include <QLabel>
#include <QToolButton>

namespace {

const char *const kHidden = "sorrisaAccessibleHidden";
const char *const kCaption = "sorrisaAccessibleCaption";

// A top-level window: a frame or a dialog named by its caption (captions begin with a blank).
class WindowInterface : public QAccessibleWidget
{
public:
    WindowInterface(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    QString text(QAccessible::Text t) const override
    {
        const QString s = QAccessibleWidget::text(t);
        return t == QAccessible::Name ? s.trimmed() : s;
    }
};

// Present on screen only for the program's own use: invisible and out of reach.
class HiddenInterface : public QAccessibleWidget
{
public:
    explicit HiddenInterface(QWidget *w)
        : QAccessibleWidget(w, qobject_cast<QAbstractButton *>(w) ? QAccessible::Button : QAccessible::Graphic)
    {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.invisible = true;
        s.focusable = false;
        s.focused = false;
        return s;
    }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
};

// A label showing a value: "caption: value". The label carries no accessible name of its
// own, so Qt still announces each change of its text.
class ValueLabelInterface : public QAccessibleWidget
{
public:
    explicit ValueLabelInterface(QLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}
    QString text(QAccessible::Text t) const override
    {
        const QString value = static_cast<const QLabel *>(widget())->text().trimmed();
        if (t == QAccessible::Value)
            return value;
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString caption = widget()->property(kCaption).toString();
        return value.isEmpty() ? caption : caption + QStringLiteral(": ") + value;
    }
};

// A text link: read as a link, and pressed like one.
class LinkInterface : public QAccessibleWidget
{
public:
    explicit LinkInterface(LinkLabel *link) : QAccessibleWidget(link, QAccessible::Link) {}
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.linked = true;
        return s;
    }
    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString &name) override
    {
        if (name == pressAction())
            emit static_cast<LinkLabel *>(widget())->clicked();
        else
            QAccessibleWidget::doAction(name);
    }
};

// Asked for each class of an object, most derived first; Qt's own factories come after
// this one at each step, so a window reaches the "QDialog" or "QWidget" step only when
// nothing more specific (a message box, a main window) has answered.
QAccessibleInterface *factory(const QString &key, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto *w = static_cast<QWidget *>(object);
    if (w->property(kHidden).toBool())
        return new HiddenInterface(w);
    if (auto *label = qobject_cast<QLabel *>(w); label && w->property(kCaption).isValid())
        return new ValueLabelInterface(label);
    if (auto *link = qobject_cast<LinkLabel *>(w))
        return new LinkInterface(link);
    if (key == QLatin1String("QDialog") && w->isWindow())
        return new WindowInterface(w, QAccessible::Dialog);
    if (key == QLatin1String("QWidget") && w->isWindow())
        return new WindowInterface(w, QAccessible::Window);
    return nullptr;
}

// An interface made before the control was marked (Qt makes one for the change events
// of a control being built) is dropped, so the next question reaches the factory.
void forget(QWidget *w)
{
    if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
}

} // namespace

namespace Accessibility {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed);
}

void valueLabel(QLabel *label, const QString &caption)
{
    install();
    label->setAccessibleName(QString());
    label->setProperty(kCaption, caption);
    forget(label);
}

void hide(QWidget *widget)
{
    install();
    widget->setProperty(kHidden, true);
    forget(widget);
}

void nameCalendar(QCalendarWidget *calendar)
{
    // The days take the calendar's focus: they carry its name.
    if (auto *days = calendar->findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview")))
        days->setAccessibleName(calendar->accessibleName().isEmpty() ? QStringLiteral("Calendario")
                                                                     : calendar->accessibleName());
    const std::pair<const char *, QString> arrows[] = {
        {"qt_calendar_prevmonth", QStringLiteral("Mese precedente")},
        {"qt_calendar_nextmonth", QStringLiteral("Mese successivo")},
    };
    for (const auto &[name, caption] : arrows) {
        if (auto *arrow = calendar->findChild<QToolButton *>(QLatin1String(name))) {
            arrow->setAccessibleName(caption);
            arrow->setToolTip(caption);
            arrow->setFocusPolicy(Qt::TabFocus);
        }
    }
}

} // namespace Accessibility
