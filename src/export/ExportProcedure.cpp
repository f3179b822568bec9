#include "export/ExportProcedure.h"

#include "platform/Messages.h"
#include "platform/Misc.h"
#include "platform/ProgramFolder.h"

namespace ExportProcedure {

void run(QWidget *parent, const QString &fileName, const QString &sheetName, const QList<Spreadsheet::Column> &columns,
         const ExportTable &rows)
{
    if (!Messages::confirm(parent, kAsk))
        return;
    const QString path = ProgramFolder::file(fileName);
    // Written aside and put in place when complete: a failure (the file held open by a
    // spreadsheet program, a read-only folder, a full disk) leaves the previous export whole.
    if (!Spreadsheet::writeFile(path, sheetName, columns, rows)) {
        Messages::plain(parent, kFailure);
        return;
    }
    if (Messages::confirm(parent, kDone))
        TMisc::Open(QLatin1Char('"') + path + QLatin1Char('"'));
}

} // namespace ExportProcedure
