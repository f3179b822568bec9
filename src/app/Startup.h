#pragma once

#include <functional>

class QApplication;
class QString;
class QWidget;

// What the program does before its first window: the Italian formats and Qt's own Italian
// texts, the program folder, the look.
namespace Startup {
void prepare(QApplication &app, const QString &programFolder);

// The whole run of the program (its main): the application, the preparation above, the
// windows, the login window shown, the event loop; returns the exit status. `shown`, when
// given, is handed the login window once it has been shown (the benchmark's timed build of
// the program watches its first paint through it).
int run(int &argc, char **argv, const std::function<void(QWidget *firstWindow)> &shown = {});
} // namespace Startup
