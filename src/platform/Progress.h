#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QProgressDialog;
class QWidget;

// Long work shown as it goes: a busy pointer at once and, when the work lasts more than a
// moment, Qt's progress window with the work's text and "Annulla". Each step lets the
// program's windows repaint. Work that is cancelled stops at its next step and leaves nothing
// reported as done.
// Tests switch on test mode: no window; the text of every progress made is recorded, and a
// progress can be cancelled when it reaches a given step.
class Progress
{
public:
    Progress(QWidget *parent, const QString &text, int steps);
    ~Progress();
    Progress(const Progress &) = delete;
    Progress &operator=(const Progress &) = delete;

    // The steps done so far; false once the user has cancelled (the work stops there).
    bool advance(int done);
    bool cancelled() const { return m_cancelled; }

    static void setTestMode(bool on);
    // The next progress made is cancelled when its steps done reach `step`.
    static void cancelNextAt(int step);
    // The texts of the progresses made since the last call.
    static QStringList takeShown();

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    int m_cancelAt = -1;
    bool m_cancelled = false;
};
