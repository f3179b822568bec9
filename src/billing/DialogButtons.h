#pragma once

#include <QHBoxLayout>
#include <QPushButton>

// The two buttons at the foot of the practice's small windows ("Chiudi" or "Annulla", then
// "Salva", the default): 140 by 36 pixels, centred, 20 apart.
inline QHBoxLayout *footButtons(QPushButton *left, QPushButton *right)
{
    left->setFixedSize(140, 36);
    right->setFixedSize(140, 36);
    right->setDefault(true);
    auto *row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(left);
    row->addSpacing(20);
    row->addWidget(right);
    row->addStretch();
    return row;
}
