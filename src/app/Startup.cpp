#include "app/Startup.h"

#include "app/Formats.h"
#include "app/widgets/Icons.h"
#include "app/widgets/Theme.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

void prepare(QApplication &app, const QString &programFolder)
{
    QApplication::setApplicationName(QStringLiteral("Sorrisa"));
    QApplication::setQuitOnLastWindowClosed(false); // only the terminate request ends the program
    Formats::apply();
    // Qt's own dialogs and buttons speak Italian too.
    auto *qtItalian = new QTranslator(&app);
    if (qtItalian->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtItalian);
    ProgramFolder::set(programFolder);
    Theme::apply(app);
    QApplication::setWindowIcon(Icons::icon(QStringLiteral("app-icon")));
}

} // namespace Startup
