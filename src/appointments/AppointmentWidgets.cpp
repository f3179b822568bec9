#include "appointments/AppointmentWidgets.h"

#include "ui/Theme.h"

#include <QHBoxLayout>
#include <QLabel>

namespace AppointmentWidgets {

QFont fieldFont() { return Theme::verdana(12, true); }

QFrame *banner(const QString &objectName, const QString &text, const QStringList &icons, QWidget *parent, int height)
{
    auto *bar = new QFrame(parent);
    bar->setObjectName(objectName); // no name of its own: its caption is read, once
    bar->setFixedHeight(height);
    bar->setStyleSheet(
        QStringLiteral("QFrame#%1 { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 %2, stop:0.6 %3, "
                       "stop:1 %4); border-radius: 6px; }")
            .arg(objectName, Theme::css(Theme::Colour::Heading), Theme::css(Theme::Colour::Steel),
                 Theme::css(Theme::Colour::BannerFade)));
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
    caption->setStyleSheet(Theme::textColour(Theme::Colour::Paper));
    row->addWidget(caption);
    row->addStretch();
    return bar;
}

} // namespace AppointmentWidgets
