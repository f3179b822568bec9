#include "support/TestSupport.h"

#include "storage/RecordFile.h"

#include "app/Crypt.h"
#include "base/Formats.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/Progress.h"
#include "platform/ProgramFolder.h"
#include "platform/Sound.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

namespace {
void seams(bool on)
{
    Messages::setTestMode(on);
    Modal::setTestMode(on);
    TMisc::setTestMode(on);
    Sound::setTestMode(on);
    FileDialog::setTestMode(on);
    Application::setTestMode(on);
    Printer::setTestMode(on);
    Progress::setTestMode(on);
}
} // namespace

TestWorld::TestWorld(const QDateTime &now) : m_lockWait(RecordFile::lockWait())
{
    Formats::apply();
    ProgramFolder::set(m_dir.path());
    Clock::setFixed(now);
    seams(true);
}

TestWorld::~TestWorld()
{
    m_windows.reset();
    seams(false);
    Clock::reset();
    RecordFile::setLockWait(m_lockWait);
    RecordFile::setLocksRefused(false);
    RecordFile::setLockWaitObserver({});
}

QString TestWorld::folder() const { return ProgramFolder::path(); }

QString TestWorld::file(const QString &name) const { return ProgramFolder::file(name); }

QByteArray TestWorld::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestWorld::write(const QString &name, const QByteArray &bytes) const { writeFile(name, bytes); }

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile f(ProgramFolder::file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write the fixture %s", qPrintable(name));
}

Windows &TestWorld::windows()
{
    if (!m_windows)
        m_windows = std::make_unique<Windows>();
    return *m_windows;
}

void TestWorld::writePassword(const QString &password) const
{
    write(QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=" + Crypt::ScrambleToHex(password).toLatin1() + "\r\n");
}

QString kindName(Messages::Kind kind)
{
    switch (kind) {
    case Messages::Warning:
        return QStringLiteral("warning");
    case Messages::Error:
        return QStringLiteral("error");
    case Messages::Information:
        return QStringLiteral("information");
    case Messages::Confirmation:
        return QStringLiteral("confirmation");
    case Messages::Plain:
        return QStringLiteral("plain");
    }
    return {};
}

QStringList shownMessages()
{
    QStringList lines;
    for (const Messages::Shown &s : Messages::takeShown())
        lines.append(kindName(s.kind) + QStringLiteral(": ") + s.text);
    return lines;
}

RealBox answerRealBox(const std::function<void()> &trigger, const std::function<void(QMessageBox *)> &answer)
{
    RealBox seen;
    Messages::setTestMode(false);
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        poll.stop();
        seen.text = box->text();
        for (QAbstractButton *button : box->buttons())
            seen.buttons.append(button->text());
        answer(box);
        Messages::setTestMode(true); // the boxes after this one are recorded again
    });
    poll.start();
    trigger();
    poll.stop();
    Messages::setTestMode(true);
    return seen;
}

std::function<void(QMessageBox *)> boxAnswer(const QString &how)
{
    return [how](QMessageBox *box) {
        if (how == QLatin1String("Escape")) {
            QTest::keyClick(box, Qt::Key_Escape);
        } else if (how == QLatin1String("close")) {
            box->close();
        } else {
            for (QAbstractButton *button : box->buttons())
                if (button->text() == how)
                    button->click();
        }
    };
}

void addChangedElsewhereRows()
{
    QTest::addColumn<bool>("otherSaves");
    QTest::addColumn<QString>("answer");
    QTest::newRow("nobody else saved it") << false << "No";
    QTest::newRow("another copy saved it: Sì loads its card") << true << "Sì";
    QTest::newRow("another copy saved it: No overwrites it") << true << "No";
    QTest::newRow("another copy saved it: Escape saves nothing") << true << "Escape";
    QTest::newRow("another copy saved it: the close box saves nothing") << true << "close";
    QTest::newRow("another copy saved it: Annulla saves nothing") << true << "Annulla";
}

RealBox saveAnswering(const QString &answer, const std::function<void()> &save)
{
    if (answer == QStringLiteral("Sì") || answer == QLatin1String("No")) {
        Messages::queueAnswer(answer == QLatin1String("No") ? Messages::Answer::No : Messages::Answer::Yes);
        save();
        return {};
    }
    return answerRealBox(save, boxAnswer(answer));
}
