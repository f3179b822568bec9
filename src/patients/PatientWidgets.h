#pragma once

#include <QStringList>
#include <QWidget>

// An instruction picture: its lines on a pale rounded card beside a small picture.
QWidget *instructionCard(const QString &objectName, const QString &picture, const QStringList &lines, QWidget *parent);
