// Saves a new appointment card into the archive of a program folder, as the program does it,
// from start-up on: tool_cardsave <folder>. Prints what the save came to ("inserted" or
// "failed") and exits with 0, or 3 when the save failed. For the test of a file-size limit
// set on the process from outside (a quota): the program must go on and report the failure.
#include "base/RecordCard.h"
#include "platform/ProcessSignals.h"
#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"

#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

int main(int argc, char *argv[])
{
    ProcessSignals::prepare(); // as the program's main() does
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2)
        return 2;
    ProgramFolder::set(args.at(1));
    RecordCard<TAppointmentRecord> card(kAppointmentArchive);
    card.record().Contatto.setText(QStringLiteral("nuova"));
    const CardResult result = card.save();
    std::printf("%s\n", result == CardResult::Inserted ? "inserted" : "failed");
    return result == CardResult::Inserted ? 0 : 3;
}
