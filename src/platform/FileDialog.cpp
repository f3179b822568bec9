#include "platform/FileDialog.h"

#include <QFileDialog>

namespace {
bool g_test = false;
QStringList g_next;
} // namespace

QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &folder,
                                    const QString &filter)
{
    if (g_test)
        return g_next.isEmpty() ? QString() : g_next.takeFirst();
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

void FileDialog::setTestMode(bool on)
{
    g_test = on;
    g_next.clear();
}

void FileDialog::setNextFileName(const QString &name) { g_next.append(name); }
