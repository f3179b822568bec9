// Runs a harness over saved inputs without libFuzzer (and without clang): every file of the
// folders or files named on the command line, once each. A failed check aborts, so a
// regression found once by fuzzing stays found by the ordinary tests.
#include "FuzzCheck.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList files;
    for (const QString &arg : app.arguments().mid(1)) {
        if (QFileInfo(arg).isDir()) {
            QDirIterator it(arg, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files.append(it.next());
        } else {
            files.append(arg);
        }
    }
    files.sort();
    if (files.isEmpty()) {
        std::fprintf(stderr, "no inputs\n");
        return 2;
    }
    for (const QString &name : std::as_const(files)) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
            return 2;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s (%lld bytes)\n", qPrintable(name), qlonglong(bytes.size()));
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
    }
    std::printf("%lld inputs replayed\n", qlonglong(files.size()));
    return 0;
}
