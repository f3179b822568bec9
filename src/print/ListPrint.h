#pragma once

#include "base/LineSource.h"
#include "platform/Messages.h"
#include "ui/FixedList.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace ListPrint {

// Prints the list document of a list window (its title and lines) through the print
// dialog. The footer follows the caller's window: the patient lists print theirs in English.
void print(QWidget *caller, const QString &title, const QStringList &lines);
// The same for a list window's lines, built now from their archive. False, and nothing
// printed, when the archive can no longer be read: a printout must not miss lines.
bool print(QWidget *caller, const QString &title, const LineSource &lines);

} // namespace ListPrint

// The print handler of a list window on one of the list bases (ListDialog, SearchDialog):
// "Stampa" prints the window's list under its print title; when the archive can no longer be
// read, the window's failure message (the archive failure) instead. The window says which
// with printsAs.
template <class ListWindow> class PrintedList : public ListWindow
{
public:
    void btnStampaClick() final
    {
        if (!ListPrint::print(this, m_title, this->lstRecords->source()))
            m_failure(this, kArchiveFailure);
    }

protected:
    using ListWindow::ListWindow;
    using Failure = void (*)(QWidget *parent, const QString &text);
    void printsAs(const QString &title, Failure failure)
    {
        m_title = title;
        m_failure = failure;
    }

private:
    QString m_title;
    Failure m_failure = &Messages::error;
};
