#include "ui/CardSave.h"

#include "platform/Messages.h"
#include "storage/RecordFile.h"
#include "ui/Theme.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QThread>

namespace CardSave {

CardResult save(QWidget *parent, AnyRecordCard &card)
{
    CardResult result = card.save();
    while (result == CardResult::ChangedElsewhere) {
        switch (Messages::ask(parent, kCardChangedElsewhere)) {
        case Messages::Answer::Yes:
            card.takeOtherVersion();
            return CardResult::Shown;
        case Messages::Answer::Cancel:
            return CardResult::ChangedElsewhere;
        case Messages::Answer::No:
            card.keepThisVersion();
            result = card.save(); // looks once more: it may have changed again meanwhile
            break;
        }
    }
    return result;
}

QString failure(CardResult result)
{
    switch (result) {
    case CardResult::Failed:
        return kArchiveFailure;
    case CardResult::Held:
        return kArchiveHeld;
    default:
        return {};
    }
}

namespace {

constexpr qint64 kNoticeAfterMs = 1000;
constexpr qint64 kPaintEveryMs = 50;

// The wait of the one save under way (saves run on the window thread, one at a time).
struct Wait
{
    bool cursor = false;
    QPointer<QLabel> notice;
    qint64 painted = -kPaintEveryMs;
};
Wait g_wait;

void waiting(qint64 ms)
{
    if (!qApp || QThread::currentThread() != qApp->thread())
        return;
    if (!g_wait.cursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        g_wait.cursor = true;
    }
    if (ms >= kNoticeAfterMs && !g_wait.notice) {
        QWidget *owner = QApplication::activeWindow();
        auto *notice = new QLabel(QStringLiteral("Attendere: copia di sicurezza in corso…"), owner,
                                  Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
        notice->setObjectName(QStringLiteral("frmAttendere"));
        notice->setAccessibleName(notice->text());
        notice->setAttribute(Qt::WA_ShowWithoutActivating);
        notice->setAttribute(Qt::WA_DeleteOnClose);
        notice->setFont(Theme::verdana(11, true));
        notice->setAlignment(Qt::AlignCenter);
        notice->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2; "
                                             "border: 1px solid %3; padding: 12px 24px; }")
                                  .arg(Theme::css(Theme::Colour::NoticePaper), Theme::css(Theme::Colour::Ink),
                                       Theme::css(Theme::Colour::NoticeEdge)));
        notice->adjustSize();
        const QRect area = owner ? owner->frameGeometry() : notice->screen()->availableGeometry();
        notice->move(area.center() - notice->rect().center());
        notice->show();
        g_wait.notice = notice;
    }
    // The pointer and the notice are painted, and the window redrawn, while the wait goes on;
    // keys and clicks wait for its end.
    if (ms - g_wait.painted >= kPaintEveryMs) {
        g_wait.painted = ms;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void done()
{
    if (!qApp || QThread::currentThread() != qApp->thread())
        return;
    if (g_wait.cursor)
        QApplication::restoreOverrideCursor();
    if (g_wait.notice)
        g_wait.notice->close();
    g_wait = Wait{};
}

} // namespace

void showLockWaits() { RecordFile::setLockWaitObserver({waiting, done}); }

} // namespace CardSave
