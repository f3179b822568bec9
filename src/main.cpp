#include "app/Startup.h"
#include "app/Windows.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    Startup::FontWarmUp fonts;
    // Windows are drawn by software: no graphics hardware is needed.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    Startup::prepare(app, QCoreApplication::applicationDirPath());
    fonts.wait();
    Windows windows;
    Windows::start();
    return app.exec();
}
