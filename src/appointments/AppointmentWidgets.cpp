#include "appointments/AppointmentWidgets.h"

#include "ui/Theme.h"
#include "storage/AnsiText.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace AppointmentWidgets {

QFont fieldFont() { return Theme::verdana(12, true); }

QFrame *banner(const QString &objectName, const QString &text, const QStringList &icons, QWidget *parent, int height)
{
    auto *bar = new QFrame(parent);
    bar->setObjectName(objectName); // no name of its own: its caption is read, once
    bar->setFixedHeight(height);
    bar->setStyleSheet(
        QStringLiteral(
            "QFrame#%1 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1F4E79, stop:0.6 #4682B4, "
            "stop:1 #9CC3E4); border-radius: 6px; }")
            .arg(objectName));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(10, 2, 10, 2);
    row->setSpacing(8);
    const int side = height - 8;
    for (int i = 0; i < icons.size(); ++i)
        row->addWidget(Theme::picture(objectName + QStringLiteral("_ico%1").arg(i + 1), icons.at(i), side, side, bar));
    auto *caption = new QLabel(text, bar);
    caption->setObjectName(objectName + QStringLiteral("_testo"));
    QFont f = Theme::verdana(8);
    f.setPixelSize(height >= 44 ? 22 : 15);
    f.setBold(true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    caption->setFont(f);
    caption->setStyleSheet(QStringLiteral("color: #FFFFFF;"));
    row->addWidget(caption);
    row->addStretch();
    return bar;
}

QStringList twoDigitItems(int last)
{
    QStringList items;
    for (int i = 0; i <= last; ++i)
        items.append(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
    return items;
}

} // namespace AppointmentWidgets

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
