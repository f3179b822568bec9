#include "print/ListPrint.h"

#include "platform/Clock.h"
#include "print/ListDocument.h"
#include "print/ReportRenderer.h"

#include <QWidget>

namespace ListPrint {

void print(QWidget *caller, const QString &title, const QStringList &lines)
{
    // The footer is the only thing that tells the list windows' documents apart.
    const QString window = caller ? caller->window()->objectName() : QString();
    const QString footer = ListDocument::footerText(ListDocument::footerFor(window), Clock::today());
    Report::print(caller, ListDocument::make(title, lines, footer));
}

} // namespace ListPrint
