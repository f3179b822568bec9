#include "appointments/BookAccessibility.h"

#include "appointments/BookView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

// One item of the grid, as a screen reader meets it: a line of the grid's list, named as the
// item reads ("10:30, Rossi Mario, …" or "10:45").
class ItemInterface : public QAccessibleInterface
{
public:
    ItemInterface(BookView *view, int index) : m_view(view), m_index(index) {}

    bool isValid() const override { return m_view && m_index < m_view->items().size(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_view.data()); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return m_view->itemName(m_index);
        if (t == QAccessible::Description)
            return m_view->items().at(m_index).entry >= 0
                       ? QStringLiteral("Doppio clic o Invio: apre la scheda dell'appuntamento")
                       : QStringLiteral("Doppio clic o Invio: nuovo appuntamento a quest'ora");
        return {};
    }
    void setText(QAccessible::Text, const QString &) override {}
    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = m_view->itemRect(m_index);
        return QRect(m_view->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.selectable = true;
        if (isValid() && m_view->current() == m_index) {
            s.selected = true;
            s.focused = m_view->hasFocus();
        }
        if (isValid() && !m_view->visibleRegion().intersects(m_view->itemRect(m_index)))
            s.offscreen = true;
        return s;
    }
    int index() const { return m_index; }

private:
    QPointer<BookView> m_view;
    int m_index;
};

// The grid as a list of its items.
class ViewInterface : public QAccessibleWidget
{
public:
    explicit ViewInterface(QWidget *w) : QAccessibleWidget(w, QAccessible::List) {}
    ~ViewInterface() override { forget(); }

    BookView *view() const { return static_cast<BookView *>(widget()); }
    int childCount() const override { return int(view()->items().size()); }
    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        if (const auto id = m_children.value(index))
            return QAccessible::accessibleInterface(id);
        auto *item = new ItemInterface(view(), index);
        m_children.insert(index, QAccessible::registerAccessibleInterface(item));
        return item;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *item = dynamic_cast<const ItemInterface *>(child);
        return item && item->parent() == this ? item->index() : -1;
    }
    QAccessibleInterface *focusChild() const override
    {
        return view()->hasFocus() && view()->current() >= 0 ? child(view()->current()) : nullptr;
    }
    QAccessibleInterface *childAt(int x, int y) const override
    {
        return child(view()->itemAt(view()->mapFromGlobal(QPoint(x, y))));
    }
    // The items change with every book shown: their interfaces go with them.
    void forget()
    {
        for (const auto id : std::as_const(m_children))
            QAccessible::deleteAccessibleInterface(id);
        m_children.clear();
    }

private:
    mutable QHash<int, QAccessible::Id> m_children;
};

QAccessibleInterface *viewFactory(const QString &key, QObject *object)
{
    if (key == QLatin1String("BookView") && object && object->isWidgetType())
        return new ViewInterface(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

namespace BookAccessibility {

void install()
{
    static const bool installed = [] {
        QAccessible::installFactory(viewFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void itemsChanged(BookView *view)
{
    if (!QAccessible::isActive())
        return;
    if (auto *iface = dynamic_cast<ViewInterface *>(QAccessible::queryAccessibleInterface(view))) {
        iface->forget();
        QAccessibleEvent reset(view, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&reset);
    }
}

} // namespace BookAccessibility
