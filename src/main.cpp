#include "app/Formats.h"
#include "app/Windows.h"
#include "app/widgets/Icons.h"
#include "app/widgets/Theme.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char *argv[])
{
    // Windows are drawn by software: no graphics hardware is needed.
    QCoreApplication::setAttribute(Qt::AA_UseSoftwareOpenGL);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorrisa"));
    QApplication::setQuitOnLastWindowClosed(false); // only the terminate request ends the program

    Formats::apply();
    // Qt's own dialogs and buttons speak Italian too.
    QTranslator qtItalian;
    if (qtItalian.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtItalian);

    ProgramFolder::set(QCoreApplication::applicationDirPath());
    Theme::apply(app);
    QApplication::setWindowIcon(Icons::icon(QStringLiteral("app-icon")));

    Windows windows;
    Windows::start();
    return app.exec();
}
