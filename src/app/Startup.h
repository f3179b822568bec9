#pragma once

class QApplication;
class QString;

// What the program does before its first window: the Italian formats and Qt's own Italian
// texts, the program folder, the look.
namespace Startup {
void prepare(QApplication &app, const QString &programFolder);
}
