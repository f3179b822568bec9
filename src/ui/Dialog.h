#pragma once

#include <QDialog>

// The base of the windows opened from a button (made anew, run modally, destroyed when
// closed): when shown (not when it comes back from being minimised) the window takes its
// place, then FormShow runs; FormClose runs when it closes.
class Dialog : public QDialog
{
    Q_OBJECT
public:
    enum class Place {
        OnScreen, // centred on the screen
        OnOwner,  // centred on the window that opened it (on the screen when there is none)
        AsIs,     // left where the toolkit puts it
    };
    explicit Dialog(QWidget *parent, Place place = Place::OnScreen);

    // Centres a window on its owner's window; false when it has no owner.
    static bool centreOnOwner(QWidget *window);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    virtual void FormShow() {}
    virtual void FormClose() {}

private:
    Place m_place;
};
