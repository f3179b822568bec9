#include "backup/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QStringList kDeliveredByName = {QStringLiteral("Avviso.mp3"), QStringLiteral("Guida.pdf")};

bool isProgramImage(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(4)
           == QByteArrayLiteral("\x7F"
                                "ELF");
}

void walk(const QString &root, const QString &relative, QList<DataFiles::Entry> &out, QStringList *skipped)
{
    const QDir dir(root + relative);
    const QFileInfoList infos =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : infos) {
        const QString path = relative + info.fileName();
        if (info.isSymLink()) {
            if (skipped)
                skipped->append(path + (info.isDir() ? QStringLiteral("/") : QString()));
            continue;
        }
        if (info.isDir()) {
            out.append({path + QLatin1Char('/'), true, 0});
            walk(root, path + QLatin1Char('/'), out, skipped);
        } else if (info.isFile()) {
            out.append({path, false, info.size()});
        }
    }
}

} // namespace

namespace DataFiles {

bool isDataName(const QString &name)
{
    return !(name.isEmpty() || name == kSettingsFile || name == kManifestName || name == kStagingFolder
             || name.startsWith(kAsidePrefix) || kDeliveredByName.contains(name));
}

bool isData(const QString &absolutePath)
{
    const QFileInfo info(absolutePath);
    if (!isDataName(info.fileName()) || info.isSymLink())
        return false;
    if (info.isDir())
        return true;
    return info.isFile() && !isProgramImage(absolutePath);
}

QList<Entry> list(const QString &programFolder, QStringList *skipped)
{
    QString root = QDir(programFolder).absolutePath();
    if (!root.endsWith(QLatin1Char('/')))
        root += QLatin1Char('/');
    QList<Entry> out;
    const QFileInfoList top =
        QDir(root).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &info : top) {
        if (!isData(info.absoluteFilePath())) {
            if (skipped && info.isSymLink() && isDataName(info.fileName()))
                skipped->append(info.fileName() + (info.isDir() ? QStringLiteral("/") : QString()));
            continue;
        }
        if (info.isDir()) {
            out.append({info.fileName() + QLatin1Char('/'), true, 0});
            walk(root, info.fileName() + QLatin1Char('/'), out, skipped);
        } else {
            out.append({info.fileName(), false, info.size()});
        }
    }
    return out;
}

bool isProgramsOwn(const QString &programFolder, const QString &name)
{
    const QString path = QDir(programFolder).absoluteFilePath(name);
    const QFileInfo info(path);
    if (!isDataName(name))
        return true;
    return (info.exists() || info.isSymLink()) && !isData(path);
}

bool isSafeRelative(const QString &path)
{
    if (path.isEmpty() || path.startsWith(QLatin1Char('/')) || path.contains(QLatin1Char('\\')))
        return false;
    for (const QChar c : path)
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    QString p = path;
    if (p.endsWith(QLatin1Char('/')))
        p.chop(1);
    const QStringList parts = p.split(QLatin1Char('/'));
    for (const QString &part : parts)
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String(".."))
            return false;
    return true;
}

} // namespace DataFiles
