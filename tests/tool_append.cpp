// Appends records to an archive from a separate process, for the test of two copies of the
// program writing to one shared folder: tool_append <file> <tag> <count>. Each record's
// Name is "<tag> <n>" and every other field repeats the tag, so a torn record shows.
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString tag = args.at(2);
    const int count = args.at(3).toInt();
    for (int n = 1; n <= count; ++n) {
        TAppointmentRecord rec{};
        rec.Contatto.setText(tag + QLatin1Char(' ') + QString::number(n));
        rec.Causale.setText(QString(200, tag.at(0)));
        rec.Note.setText(QString(200, tag.at(0)));
        try {
            RecordFile file(args.at(1), TAppointmentRecord::Size);
            file.open(RecordFile::Write);
            file.append(rec);
            file.close();
        } catch (const StorageError &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    return 0;
}
