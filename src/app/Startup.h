#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

class QApplication;
class QString;

// What the program does before its first window: the Italian formats and Qt's own Italian
// texts, the program folder, the look.
namespace Startup {
void prepare(QApplication &app, const QString &programFolder);

// The fonts, made ready on a thread of its own while the program starts: first the system's
// font configuration, from the first instant, while the program connects to the display;
// then, once the application object exists, Qt's own list of the fonts, while the login
// window is made. The login window's texts need both, and they are a good part of the
// start-up. (Qt guards its font list with a lock: a window that needs a font sooner simply
// waits for it.) wait() before the application object goes; the destructor waits too.
class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;
    void applicationReady(); // the application object exists: Qt's font list may be read
    void wait();

private:
    void go(bool listFonts);

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_ready;
    bool m_started = false;
    bool m_listFonts = false;
};
} // namespace Startup
