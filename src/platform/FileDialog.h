#pragma once

#include <QString>
#include <QList>
#include <QStringList>

class QWidget;

// The open-file dialog. Tests queue the names the user "picks" (an empty name cancels).
class FileDialog
{
public:
    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &folder = {},
                                   const QString &filter = {});
    // The choose-folder dialog; takes its answer from the same queue in tests.
    static QString getExistingDirectory(QWidget *parent, const QString &caption, const QString &folder = {});

    static void setTestMode(bool on);
    static void setNextFileName(const QString &name);
    // Tests: the title and filter of every dialog asked for, in order.
    struct Asked
    {
        QString caption;
        QString filter;
    };
    static QList<Asked> takeAsked();
};
