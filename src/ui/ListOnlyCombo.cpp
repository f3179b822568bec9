#include "ui/ListOnlyCombo.h"

#include "storage/AnsiText.h"

#include <QKeyEvent>
#include <QLineEdit>

QStringList ListOnlyCombo::twoDigitItems(int last)
{
    QStringList items;
    for (int i = 0; i <= last; ++i)
        items.append(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    return items;
}

ListOnlyCombo::ListOnlyCombo(const QString &objectName, const QStringList &items, QWidget *parent) : QComboBox(parent)
{
    setObjectName(objectName);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    addItems(items);
    setMaxVisibleItems(12);
    lineEdit()->setMaxLength(2);
    lineEdit()->setAlignment(Qt::AlignCenter);
}

void ListOnlyCombo::clearSelection()
{
    const QString text = currentText();
    setCurrentIndex(-1);
    setEditText(text);
}

bool ListOnlyCombo::holdsItem() const { return findText(AnsiText::trimmed(currentText()), Qt::MatchExactly) >= 0; }

void ListOnlyCombo::step(int to)
{
    to = qBound(0, to, count() - 1);
    setCurrentIndex(to);
    lineEdit()->selectAll();
}

void ListOnlyCombo::keyPressEvent(QKeyEvent *event)
{
    const int here = findText(AnsiText::trimmed(currentText()), Qt::MatchExactly);
    const bool alt = event->modifiers() & Qt::AltModifier;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->ignore(); // the window decides
        return;
    case Qt::Key_F4:
        showPopup();
        return;
    case Qt::Key_Down:
        if (alt)
            showPopup();
        else
            step(here < 0 ? 0 : here + 1);
        return;
    case Qt::Key_Up:
        if (alt)
            showPopup();
        else
            step(here < 0 ? 0 : here - 1);
        return;
    case Qt::Key_PageDown:
        step(here < 0 ? 0 : here + 10);
        return;
    case Qt::Key_PageUp:
        step(here < 0 ? 0 : here - 10);
        return;
    case Qt::Key_Home:
        step(0);
        return;
    case Qt::Key_End:
        step(count() - 1);
        return;
    default:
        event->accept(); // discarded: the value comes from the list only
        return;
    }
}
