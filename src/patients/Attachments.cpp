#include "patients/Attachments.h"

#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Attachments {

const QString kDialogTitle = QStringLiteral("Selezionare il file da allegare:");
const QString kDialogFilter = QStringLiteral("Tutti i file (*.*)");
const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");

QString folder() { return ProgramFolder::file(kFolderName) + QLatin1Char('/'); }

QString pathOf(const QString &fileName) { return folder() + AnsiText::trimmed(fileName); }

QString clientFolder(const QString &position)
{
    return ProgramFolder::file(QStringLiteral("Cliente_") + AnsiText::trimmed(position));
}

QString quoted(const QString &path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

bool ensureFolder(const QString &path) { return QDir().mkpath(path) && QFileInfo(path).isDir(); }

bool isAttached(const QString &fileName) { return QFileInfo::exists(pathOf(fileName)); }

bool copyIn(const QString &source, const QString &fileName)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(pathOf(fileName));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), block.size());
        if (n < 0)
            return false; // the aside copy is dropped with out
        if (n == 0)
            break;
        if (out.write(block.constData(), n) != n)
            return false;
    }
    return out.commit();
}

} // namespace Attachments
