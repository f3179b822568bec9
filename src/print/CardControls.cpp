#include "print/CardControls.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace CardControls {

QWidget *find(QWidget *card, const QString &name)
{
    if (!card)
        return nullptr;
    // Breadth first, and never into another window: a dialog owned by the card may carry
    // controls of the same names (the find window has its own txtData).
    QList<QWidget *> level{card};
    while (!level.isEmpty()) {
        QList<QWidget *> below;
        for (QWidget *w : std::as_const(level)) {
            for (QObject *child : w->children()) {
                auto *cw = qobject_cast<QWidget *>(child);
                if (!cw || cw->isWindow())
                    continue;
                if (cw->objectName() == name)
                    return cw;
                below.append(cw);
            }
        }
        level = below;
    }
    return nullptr;
}

QString text(QWidget *card, const QString &name)
{
    QWidget *w = find(card, name);
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit->text();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText();
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w))
        return plain->toPlainText();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    return QString();
}

bool checked(QWidget *card, const QString &name)
{
    auto *box = qobject_cast<QAbstractButton *>(find(card, name));
    return box && box->isCheckable() && box->isChecked();
}

} // namespace CardControls
