#pragma once

#include "app/Windows.h"
#include "platform/Messages.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

// One test's world: a temporary program folder, every seam in test mode (message boxes,
// modal windows, shell, sound, file dialog, terminate request), a fixed clock and, on
// request, a fresh set of work windows. Everything is put back when it goes (the record
// files' lock wait too).
class TestWorld
{
public:
    explicit TestWorld(const QDateTime &now = QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    ~TestWorld();

    QString folder() const; // with a trailing separator
    QString file(const QString &name) const;
    QByteArray read(const QString &name) const;
    void write(const QString &name, const QByteArray &bytes) const;

    // The work windows (made on first use inside the set).
    Windows &windows();

    // Writes the delivered password file holding the given password (normal form).
    void writePassword(const QString &password) const;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<Windows> m_windows;
    int m_lockWait; // the record files' lock wait, put back when the world goes
};

// Writes a record file of the current program folder made of the given records, in order.
void writeFile(const QString &name, const QByteArray &bytes);
template <class Record> void writeRecords(const QString &name, const QList<Record> &records)
{
    QByteArray bytes;
    for (const Record &r : records)
        bytes.append(reinterpret_cast<const char *>(&r), sizeof(Record));
    writeFile(name, bytes);
}

// Finds a named control of a window. A missing one fails the test and a stand-in of the
// same type is returned (for every control type), so that the test's next steps do not
// crash the run and the other tests still go on.
template <class T> T *control(QWidget *window, const char *name);

// The message boxes shown since the last call, as "kind: text" lines that read well in a
// failing comparison.
QStringList shownMessages();
QString kindName(Messages::Kind kind);

// Runs `trigger` with the message boxes shown for real until the first one is on screen,
// which `answer` then answers as a user would (a key, a click, the close event); the boxes
// after it are recorded again. Gives the box's text and its buttons' texts.
struct RealBox
{
    QString text;
    QStringList buttons;
};
RealBox answerRealBox(const std::function<void()> &trigger, const std::function<void(QMessageBox *)> &answer);
// An answer for answerRealBox: "Escape" (the key), "close" (the close event, as the window's
// close box sends it) or the text of the button to click.
std::function<void(QMessageBox *)> boxAnswer(const QString &how);

// The rows of a test of the question after a save elsewhere (kCardChangedElsewhere): the
// column "otherSaves" (with a first row where nobody else saved) and the column "answer":
// "Sì", "No", or what is sent to the real box ("Escape", "close", "Annulla").
void addChangedElsewhereRows();
// Runs a save that may ask that question: "Sì" and "No" are queued, the other answers are
// given to the real box. Gives the real box (empty for a queued answer).
RealBox saveAnswering(const QString &answer, const std::function<void()> &save);

#include "support/TestSupport.inl"
