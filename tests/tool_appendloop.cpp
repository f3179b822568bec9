// Appends records to an archive until it is killed, for the crash-consistency test:
// tool_appendloop <file> <tag>. Record n is named "<tag> <n>" and its other fields repeat a
// pattern made from that name, so a torn record shows; "<n>" goes to the standard output
// once the append has returned (the record is then confirmed, on the disk).
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>
#include <unistd.h>

static QString crashPattern(const QString &name)
{
    QString p;
    while (p.size() < 200)
        p += name + QLatin1Char('|');
    return p.left(200).replace(QLatin1Char(' '), QLatin1Char('_')); // no blank to trim at the end
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    for (qint64 n = 1;; ++n) {
        TAppointmentRecord rec{};
        const QString name = args.at(2) + QLatin1Char(' ') + QString::number(n);
        rec.Contatto.setText(name);
        rec.Causale.setText(crashPattern(name));
        rec.Note.setText(crashPattern(name));
        try {
            RecordFile file(args.at(1), TAppointmentRecord::Size);
            file.open(RecordFile::Write);
            file.append(rec);
            file.close();
        } catch (const StorageError &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
        const QByteArray line = QByteArray::number(n) + '\n';
        if (::write(STDOUT_FILENO, line.constData(), size_t(line.size())) != line.size())
            return 1;
    }
}
