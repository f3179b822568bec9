#include "platform/Progress.h"

#include <QApplication>
#include <QProgressDialog>

namespace {
bool g_test = false;
int g_cancelNextAt = -1;
QStringList g_shown;

// Shown only for work that lasts longer than this.
constexpr int kShowAfterMs = 400;
} // namespace

Progress::Progress(QWidget *parent, const QString &text, int steps)
{
    if (g_test) {
        g_shown.append(text);
        m_cancelAt = std::exchange(g_cancelNextAt, -1);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_dialog = std::make_unique<QProgressDialog>(text, QStringLiteral("Annulla"), 0, qMax(1, steps), parent);
    m_dialog->setObjectName(QStringLiteral("frmAvanzamento"));
    m_dialog->setWindowTitle(QStringLiteral(" Attendere prego"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setMinimumDuration(kShowAfterMs);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

Progress::~Progress()
{
    if (m_dialog) {
        m_dialog->close();
        QApplication::restoreOverrideCursor();
    }
}

bool Progress::advance(int done)
{
    if (m_cancelled)
        return false;
    if (m_dialog) {
        // A modal progress window handles the events waiting (paints, the click on Annulla).
        m_dialog->setValue(qMin(done, m_dialog->maximum()));
        if (!m_dialog->isVisible())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        m_cancelled = m_dialog->wasCanceled();
    } else {
        m_cancelled = m_cancelAt >= 0 && done >= m_cancelAt;
    }
    return !m_cancelled;
}

void Progress::setTestMode(bool on)
{
    g_test = on;
    g_cancelNextAt = -1;
    g_shown.clear();
}

void Progress::cancelNextAt(int step) { g_cancelNextAt = step; }

QStringList Progress::takeShown() { return std::exchange(g_shown, {}); }
