#pragma once

// Driving and reading the list windows in tests: a double-click on a line, and the pages of
// the one document a window printed.

#include "platform/Printer.h"
#include "print/ReportRenderer.h"
#include "ui/FixedList.h"

#include <QTest>

// Selects the row and double-clicks it as a user does; false when there is no such row.
inline bool doubleClickRow(FixedList *list, int row)
{
    if (row < 0 || row >= list->count())
        return false;
    list->setCurrentRow(row);
    const QRect rect = list->visualRect(list->model()->index(row, 0)); // 1600 wide: click near its start
    const QPoint at(rect.left() + 20, rect.center().y());
    // A widget double-click arrives as press, release, double-click, release.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// The pages of the one document printed since the last call; none when it was not one.
inline QList<Report::Page> printedPages()
{
    const QList<Printer::Document> printed = Printer::takePrinted();
    if (printed.size() != 1)
        return {};
    const auto job = std::dynamic_pointer_cast<const Report::Job>(printed.first());
    return job ? job->pages() : QList<Report::Page>();
}

// The text of a named box of a printed page, its lines joined.
inline QString boxText(const Report::Page &page, const char *name)
{
    const Report::TextBox *box = page.text(QString::fromLatin1(name));
    return box ? box->lines.join(QLatin1Char('\n')) : QString();
}
