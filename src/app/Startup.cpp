#include "app/Startup.h"

#include "base/Formats.h"
#include "ui/Icons.h"
#include "ui/Theme.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <algorithm>
#include <functional>

#include <dlfcn.h>

namespace Startup {

namespace {
constexpr int kDeferredMs = 100;  // when no window is on screen by then, no paint is awaited
constexpr int kAfterPaintMs = 20; // the window is on screen; no user acts that fast
constexpr int kLatestMs = 1000;   // whatever happens to the first window

// Runs a piece of work shortly after the first window has been painted (so that it never
// delays that paint, however slow the start), or after kDeferredMs when no window is shown,
// and in any case after kLatestMs.
class AfterFirstPaint : public QObject
{
public:
    AfterFirstPaint(QApplication &app, std::function<void()> work) : QObject(&app), m_work(std::move(work))
    {
        app.installEventFilter(this);
        QTimer::singleShot(kDeferredMs, this, [this] {
            const QWidgetList windows = QApplication::topLevelWidgets();
            if (std::none_of(windows.begin(), windows.end(), [](QWidget *w) { return w->isVisible(); }))
                run();
        });
        QTimer::singleShot(kLatestMs, this, [this] { run(); });
    }
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(kAfterPaintMs, this, [this] { run(); });
        }
        return false;
    }

private:
    void run()
    {
        if (!m_work)
            return;
        qApp->removeEventFilter(this);
        std::exchange(m_work, nullptr)();
    }

    std::function<void()> m_work;
};
} // namespace

FontWarmUp::FontWarmUp()
{
    // The font configuration library is loaded with Qt's own, so it is looked up rather than
    // linked; where Qt draws text without it there is nothing to read ahead.
    using Init = int (*)();
    const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"));
    if (!init)
        return;
    m_thread = std::thread([this, init] {
        init();
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [this] { return m_started; });
        if (!m_listFonts)
            return;
        lock.unlock();
        QFontDatabase::families();
    });
}

FontWarmUp::~FontWarmUp() { wait(); }

void FontWarmUp::go(bool listFonts)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_started)
            return;
        m_started = true;
        m_listFonts = listFonts;
    }
    m_ready.notify_one();
}

void FontWarmUp::applicationReady() { go(true); }

void FontWarmUp::wait()
{
    go(false);
    if (m_thread.joinable())
        m_thread.join();
}

void prepare(QApplication &app, const QString &programFolder)
{
    QApplication::setApplicationName(QStringLiteral("Sorrisa"));
    QApplication::setQuitOnLastWindowClosed(false); // only the terminate request ends the program
    Formats::apply();
    ProgramFolder::set(programFolder);
    Theme::apply(app);
    // What the login window does not need waits until it is on screen: the Italian texts of
    // Qt's own dialogs and buttons (no dialog can open before the user acts), and the
    // windows' icon, drawn from its SVG through an icon plug-in.
    new AfterFirstPaint(app, [&app] {
        auto *qtItalian = new QTranslator(&app);
        if (qtItalian->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qtItalian);
        QApplication::setWindowIcon(Icons::icon(QStringLiteral("app-icon")));
    });
}

} // namespace Startup
