// Issues invoices from a separate process, for the tests of numbering under two copies of the
// program and under kills: tool_issue <program folder> <count> <patient position>. Prints
// each issued number ("7/2026") as soon as it is on the disk.
#include "billing/Invoices.h"
#include "billing/PracticeData.h"
#include "storage/RecordFile.h"

#include <QCoreApplication>
#include <QDate>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString folder = args.at(1);
    const int count = args.at(2).toInt();
    const qint64 patient = args.at(3).toLongLong();
    Invoices::Draft draft;
    draft.date = QDate(2026, 12, 11);
    draft.patient = Invoices::Patient{patient,
                                      QStringLiteral("Rossi Mario"),
                                      QStringLiteral("Via Roma 1"),
                                      QStringLiteral("00100"),
                                      QStringLiteral("Roma"),
                                      QStringLiteral("RM"),
                                      QStringLiteral("RSSMRA80A01H501U")};
    draft.lines = {Invoices::Line{QStringLiteral("Visita"), QStringLiteral("36"), 5000},
                   Invoices::Line{QStringLiteral("Otturazione"), QStringLiteral("36"), 8000}};
    RecordFile::setLockWait(60000);
    const PracticeData practice;
    for (int n = 1; n <= count; ++n) {
        try {
            const Invoices::Issued issued = Invoices::issue(folder, draft, practice);
            if (!issued.issued) {
                std::fprintf(stderr, "%s\n", qPrintable(issued.refusal));
                return 1;
            }
            std::printf("%s\n", qPrintable(issued.invoice.number.text()));
            std::fflush(stdout);
        } catch (const StorageError &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    return 0;
}
