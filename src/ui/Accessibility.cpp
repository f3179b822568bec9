#include "ui/Accessibility.h"

#include "ui/LinkLabel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

namespace {

const char *const kHidden = "sorrisaAccessibleHidden";
const char *const kCaption = "sorrisaAccessibleCaption";

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

bool isHidden(const QObject *object) { return object && object->property(kHidden).toBool(); }

// The widgets a container shows to screen readers: its children that are neither windows
// nor hidden (Qt lists every child widget, the hidden ones as invisible objects that a
// screen reader's review still walks through).
QList<QWidget *> shownChildren(const QWidget *container)
{
    QList<QWidget *> shown;
    for (QObject *o : container->children()) {
        auto *w = qobject_cast<QWidget *>(o);
        if (w && !w->isWindow() && !isHidden(w))
            shown.append(w);
    }
    return shown;
}

bool holdsHidden(const QWidget *container)
{
    for (const QObject *o : container->children())
        if (o->isWidgetType() && isHidden(o))
            return true;
    return false;
}

// A panel (or a window) that holds hidden controls or pictures: they are left out of its
// children.
class ContainerInterface : public QAccessibleWidget
{
public:
    ContainerInterface(QWidget *w, QAccessible::Role role) : QAccessibleWidget(w, role) {}
    int childCount() const override { return int(shownChildren(widget()).size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> shown = shownChildren(widget());
        return index >= 0 && index < shown.size() ? QAccessible::queryAccessibleInterface(shown.at(index)) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        if (!child || !child->object() || !child->object()->isWidgetType())
            return -1;
        return int(shownChildren(widget()).indexOf(static_cast<QWidget *>(child->object())));
    }
};

// A top-level window: a frame or a dialog named by its caption (captions begin with a blank).
class WindowInterface : public ContainerInterface
{
public:
    WindowInterface(QWidget *w, QAccessible::Role role) : ContainerInterface(w, role) {}
    QString text(QAccessible::Text t) const override
    {
        const QString s = ContainerInterface::text(t);
        return t == QAccessible::Name ? s.trimmed() : s;
    }
};

// A drop-down named by its caption. On Linux Qt names a combo box by its current text (its
// caption only through the "labelled by" relation), so that two lists showing "00" are
// both read as "00"; this one is read by its name, and its text is its value.
class ComboInterface : public QAccessibleWidget
{
public:
    explicit ComboInterface(QComboBox *combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}
    QComboBox *combo() const { return static_cast<QComboBox *>(widget()); }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return combo()->currentText();
        if (t == QAccessible::Name) {
            const QString name = widget()->accessibleName();
            return name.isEmpty() ? combo()->currentText() : name;
        }
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = combo()->isEditable();
        s.expandable = true;
        s.expanded = combo()->view() && combo()->view()->isVisible();
        return s;
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} << QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction() || name == pressAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }
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
    if (isHidden(w))
        return new HiddenInterface(w);
    if (auto *label = qobject_cast<QLabel *>(w); label && w->property(kCaption).isValid())
        return new ValueLabelInterface(label);
    if (auto *link = qobject_cast<LinkLabel *>(w))
        return new LinkInterface(link);
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return new ComboInterface(combo);
    if (!w->isWindow() && (key == QLatin1String("QFrame") || key == QLatin1String("QWidget")) && holdsHidden(w))
        return new ContainerInterface(w, key == QLatin1String("QFrame") ? QAccessible::Border : QAccessible::Client);
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

void hide(QWidget *widget, bool hidden)
{
    install();
    widget->setProperty(kHidden, hidden);
    forget(widget);
    if (QWidget *parent = widget->parentWidget())
        forget(parent); // its children change
}

void nameCalendar(QCalendarWidget *calendar)
{
    // The calendar is read by its name, the table of its days inside it as the days: the
    // same name twice would be read twice on the way in.
    if (calendar->accessibleName().isEmpty())
        calendar->setAccessibleName(QStringLiteral("Calendario"));
    if (auto *days = calendar->findChild<QAbstractItemView *>(QStringLiteral("qt_calendar_calendarview")))
        days->setAccessibleName(QStringLiteral("Giorni del mese"));
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
