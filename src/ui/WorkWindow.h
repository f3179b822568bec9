#pragma once

#include <QWidget>

#include <functional>

// A work window that lives for the whole run (patient card, agenda, appointment card):
// shown and hidden, never destroyed; closing it shows the main menu again.
class WorkWindow : public QWidget
{
    Q_OBJECT
public:
    WorkWindow(const QString &objectName, const QString &caption, QWidget *parent = nullptr);

    // What happens after a work window closes (the main menu comes back); set by the
    // program when it wires its windows together.
    static void setAfterClose(std::function<void()> afterClose);

protected:
    // When the window is shown (not when it comes back from being minimised) FormShow runs.
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    virtual void FormShow() {}
    // Called when the window closes, before the main menu comes back.
    virtual void FormClose() {}
};
