#pragma once

#include <QWidget>

// A work window that lives for the whole run (patient card, agenda, appointment card):
// shown and hidden, never destroyed. Closing it hides it and says so (closed): the program
// shows the main menu again.
class WorkWindow : public QWidget
{
    Q_OBJECT
public:
    WorkWindow(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

signals:
    // The window was closed by the user (or by its own button), after FormClose.
    void closed();

protected:
    // When the window is shown (not when it comes back from being minimised) FormShow runs.
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    virtual void FormShow() {}
    // Called when the window closes, before closed.
    virtual void FormClose() {}
};
