#include "platform/ProgramFolder.h"

#include <QDir>

namespace {
QString g_folder;
}

void ProgramFolder::set(const QString &folder)
{
    g_folder = QDir(folder).absolutePath();
    if (!g_folder.endsWith(QLatin1Char('/')))
        g_folder += QLatin1Char('/');
}

QString ProgramFolder::path() { return g_folder; }

QString ProgramFolder::file(const QString &name) { return g_folder + name; }
