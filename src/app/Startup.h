#pragma once

#include <thread>

class QApplication;
class QString;

// What the program does before its first window: the Italian formats and Qt's own Italian
// texts, the program folder, the look. The benchmark's start-up run shares it.
namespace Startup {
void prepare(QApplication &app, const QString &programFolder);

// The system's font configuration read on a thread of its own from the first instant, while
// the program connects to the display: the login window's texts need it, and reading it is a
// good part of the start-up. wait() before the first window is made (so that it is read
// once); the destructor waits too.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp() { wait(); }
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;
    void wait()
    {
        if (m_thread.joinable())
            m_thread.join();
    }

private:
    std::thread m_thread;
};
} // namespace Startup
