#pragma once

#include "print/ListPrint.h"
#include "ui/ListDialog.h"

// The pending issues: every patient whose card holds a pending issue, one line each with the
// issue. A double-click hands that patient's record position back to the patient card
// window (positionChosen).
class TfrmListIssues : public PrintedList<ListDialog>
{
    Q_OBJECT
public:
    explicit TfrmListIssues(QWidget *parent);

    ListPage *panContainer; // the page

protected:
    SharedLines lines() override;
};
