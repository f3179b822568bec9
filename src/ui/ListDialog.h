#pragma once

#include "base/LineSource.h"
#include "ui/Dialog.h"
#include "ui/ListPage.h"

class FixedList;
class QLineEdit;
class QPushButton;

// The base of the list windows: a list page filling the window, its lines read anew each
// time the window is shown. A double-click on a line (or Enter in the list) hands the line's
// record position back (positionChosen) and closes the window; a line without a position
// just closes it.
class ListDialog : public Dialog
{
    Q_OBJECT
public:
    ListPage *page;
    // The page's controls, by their names.
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QPushButton *btnChiudi;
    QPushButton *btnStampa;

    void FormShow() override;
    void FormClose() override;
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnChiudiClick();
    // Prints the list (the print title is the window's).
    virtual void btnStampaClick() = 0;

signals:
    void positionChosen(qint64 position);

protected:
    // The page is named pageName; with a containerName it lies in a plain container panel of
    // that name.
    ListDialog(QWidget *parent, const QString &objectName, const QString &caption, const QString &pageName,
               const ListPage::Look &look, const QString &containerName = {});

    // The lines to show, read when the window is shown (the window reports a failure itself).
    virtual SharedLines lines() = 0;
};
