#include "print/ListPrint.h"

#include "base/LineSource.h"
#include "platform/Clock.h"
#include "print/ListDocument.h"
#include "print/ReportRenderer.h"
#include "storage/RecordFile.h"

#include <QWidget>

namespace ListPrint {

void print(QWidget *caller, const QString &title, const QStringList &lines)
{
    // The footer is the only thing that tells the list windows' documents apart.
    const QString window = caller ? caller->window()->objectName() : QString();
    const QString footer = ListDocument::footerText(ListDocument::footerFor(window), Clock::today());
    Report::print(caller, ListDocument::make(title, lines, footer));
}

bool print(QWidget *caller, const QString &title, const LineSource &lines)
{
    QStringList texts;
    try {
        texts = lines.all();
    } catch (const StorageError &) {
        return false;
    }
    print(caller, title, texts);
    return true;
}

} // namespace ListPrint
