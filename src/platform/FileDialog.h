#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open-file dialog. Tests queue the names the user "picks" (an empty name cancels).
class FileDialog
{
public:
    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &folder = {},
                                   const QString &filter = {});

    static void setTestMode(bool on);
    static void setNextFileName(const QString &name);
};
