#include "app/Startup.h"
#include "app/Windows.h"
#include "platform/ProcessSignals.h"

#include <QApplication>

#ifdef SORRISA_FIRST_PAINT
#include "FirstPaint.h" // the benchmark's timed build only: ends at the login window's first paint
#include "app/frmPassword.h"
#endif

int main(int argc, char *argv[])
{
    ProcessSignals::prepare();
    // Windows are drawn by software: no graphics hardware is needed.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Startup::prepare(app, QCoreApplication::applicationDirPath());
    Windows windows;
    Windows::start();
#ifdef SORRISA_FIRST_PAINT
    FirstPaint::watch(Windows::frmPassword());
#endif
    return app.exec();
}
