#include "platform/FileDialog.h"

#include <QFileDialog>

#include <utility>

namespace {
bool g_test = false;
QStringList g_next;
QList<FileDialog::Asked> g_asked;
} // namespace

QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &folder,
                                    const QString &filter)
{
    if (g_test) {
        g_asked.append({caption, filter});
        return g_next.isEmpty() ? QString() : g_next.takeFirst();
    }
    // "*.*" means every file where such filters come from; here a name need not hold a dot.
    // The label stays as given and every file is shown.
    if (filter.endsWith(QLatin1String("(*.*)")))
        return QFileDialog::getOpenFileName(parent, caption, folder, filter + QLatin1String(" (*)"), nullptr,
                                            QFileDialog::HideNameFilterDetails);
    return QFileDialog::getOpenFileName(parent, caption, folder, filter);
}

QString FileDialog::getExistingDirectory(QWidget *parent, const QString &caption, const QString &folder)
{
    if (g_test) {
        g_asked.append({caption, QString()});
        return g_next.isEmpty() ? QString() : g_next.takeFirst();
    }
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

void FileDialog::setTestMode(bool on)
{
    g_test = on;
    g_next.clear();
    g_asked.clear();
}

void FileDialog::setNextFileName(const QString &name) { g_next.append(name); }

QList<FileDialog::Asked> FileDialog::takeAsked() { return std::exchange(g_asked, {}); }
