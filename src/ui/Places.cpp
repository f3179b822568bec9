#include "ui/Places.h"

#include <QWidget>

namespace Places {

QRect band(const Rows &rows, const Place &place)
{
    return QRect(place.left, rows.top + place.row * rows.pitch, place.right - place.left, rows.pitch);
}

void apply(QWidget *panel, const Rows &rows, std::span<const Place> table)
{
    for (const Place &place : table) {
        auto *control = panel->findChild<QWidget *>(QString::fromLatin1(place.control), Qt::FindDirectChildrenOnly);
        Q_ASSERT_X(control, "Places::apply", place.control);
        if (control)
            put(control, rows, place);
    }
}

void put(QWidget *control, const Rows &rows, const Place &place)
{
    control->ensurePolished(); // style sheets size the control
    // A fixed height wins over the size hint.
    const int height = place.height > 0
                           ? place.height
                           : qBound(control->minimumHeight(), control->sizeHint().height(), control->maximumHeight());
    const QRect b = band(rows, place);
    control->setGeometry(b.left(), b.top() + (b.height() - height) / 2, b.width(), height);
}

} // namespace Places
