#include "app/Startup.h"

#include "app/Windows.h"
#include "app/frmPassword.h"
#include "base/Formats.h"
#include "ui/CardSave.h"
#include "ui/Icons.h"
#include "ui/Theme.h"
#include "platform/ProcessSignals.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <QWidget>

#include <algorithm>
#include <functional>

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

void prepare(QApplication &app, const QString &programFolder)
{
    QApplication::setApplicationName(QStringLiteral("Sorrisa"));
    QApplication::setQuitOnLastWindowClosed(false); // only the terminate request ends the program
    Formats::apply();
    ProgramFolder::set(programFolder);
    Theme::apply(app);
    CardSave::showLockWaits(); // a save that waits for a backup says so
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

int run(int &argc, char **argv, const std::function<void(QWidget *firstWindow)> &shown)
{
    ProcessSignals::prepare();
    // Windows are drawn by software: no graphics hardware is needed.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    prepare(app, QCoreApplication::applicationDirPath());
    Windows windows;
    windows.start();
    if (shown)
        shown(windows.frmPassword());
    return app.exec();
}

} // namespace Startup
