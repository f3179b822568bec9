#include "patients/PatientWidgets.h"

#include "ui/Theme.h"

#include <QHBoxLayout>
#include <QLabel>

using Theme::verdana;

QWidget *instructionCard(const QString &objectName, const QString &picture, const QStringList &lines, QWidget *parent)
{
    auto *card = new QWidget(parent);
    card->setObjectName(objectName);
    card->setAttribute(Qt::WA_StyledBackground);
    card->setStyleSheet(
        QStringLiteral("QWidget#%1 { background: %2; border: 1px solid %3;"
                       " border-radius: 6px; }")
            .arg(objectName, Theme::css(Theme::Colour::HintPaper), Theme::css(Theme::Colour::HintEdge)));
    auto *row = new QHBoxLayout(card);
    row->setContentsMargins(8, 4, 10, 4);
    row->setSpacing(10);
    if (!picture.isEmpty())
        row->addWidget(Theme::picture(objectName + QStringLiteral("Figura"), picture, 36, 36, card), 0,
                       Qt::AlignVCenter);
    auto *text = new QLabel(lines.join(QLatin1Char('\n')), card);
    text->setObjectName(objectName + QStringLiteral("Testo"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setFont(verdana(9, false));
    text->setStyleSheet(Theme::textColour(Theme::Colour::Heading)
                        + QStringLiteral(" background: transparent; border: none;"));
    row->addWidget(text, 1);
    card->setAccessibleName(lines.join(QLatin1Char(' ')));
    return card;
}
