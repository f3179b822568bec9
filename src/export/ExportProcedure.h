#pragma once

#include "export/Spreadsheet.h"

#include <QString>

class ExportTable;
class QWidget;

// What every export window does when its spreadsheet picture is pressed: ask, write the file
// into the program folder, say so and offer to open it; or say that it could not be written.
namespace ExportProcedure {

inline const QString kAsk = QStringLiteral(
    "L'esportazione dei dati in Excel pu\u00F2 richiedere diversi minuti a seconda del numero di schede presenti in "
    "archivio.\r\n\r\nSi vuole esportare i dati adesso?");
inline const QString kDone =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole aprire il file di Excel?");
inline const QString kFailure = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il file di Excel non sia gi\u00E0 "
    "aperto.");

// Said instead of exporting a grid whose archive could not be read whole: its file would
// replace a good export with one that lacks cards.
inline const QString kIncomplete = QStringLiteral(
    "Attenzione: l'archivio non \u00E8 stato letto per intero, quindi i dati non possono essere esportati.\n\r\n\r"
    "L'eventuale file di Excel esportato in precedenza resta invariato.");

void run(QWidget *parent, const QString &fileName, const QString &sheetName, const QList<Spreadsheet::Column> &columns,
         const ExportTable &rows);

} // namespace ExportProcedure
