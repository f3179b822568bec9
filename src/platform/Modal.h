#pragma once

#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

// Windows created for one use: shown modally, destroyed when they close.
// Tests switch on test mode: run() shows the window without blocking, hands it to the next
// queued driver (which works its controls and may close it), then closes and destroys it.
// A window with no queued driver is only recorded. The names of all windows run are kept.
class Modal
{
public:
    using Driver = std::function<void(QWidget *window)>;

    // Returns the dialog's result code. The dialog is gone when run() returns.
    static int run(QDialog *dialog);

    static void setTestMode(bool on);
    static void queue(Driver driver);
    static QStringList takeOpened(); // objectNames, in order
    static bool inTestMode();
};
