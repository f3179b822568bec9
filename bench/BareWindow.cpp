// The floor of start-up: a Qt Widgets program with nothing of Sorrisa in it (linked with
// QtWidgets only), showing one empty window of the login window's size and kind; it says
// "painted" once the window is drawn and ends (FirstPaint.h).
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window.setFixedSize(388, 405);
    FirstPaint::watch(&window);
    window.show();
    return app.exec();
}
