// The floor of start-up: a Qt Widgets program with nothing of Sorrisa in it (linked with
// QtWidgets only), showing one empty window of the login window's size and kind; it says
// "painted" once the window is drawn and ends (FirstPaint.h). With --text the window shows
// one line of text too, to tell what any text at all costs (the system's fonts read).
#include "FirstPaint.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window.setFixedSize(388, 405);
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("Immetti la password e premi OK."), &window))->move(100, 200);
    FirstPaint::watch(&window);
    window.show();
    return app.exec();
}
