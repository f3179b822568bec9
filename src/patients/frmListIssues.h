#pragma once

#include "ui/Dialog.h"

class FixedList;
class ListPage;
class QLineEdit;
class QPushButton;
struct TPatientRecord;

// The pending issues: every patient whose card holds a pending issue, one line each with the
// issue. A double-click gives that patient's card and position back to the patient card
// window (cardChosen).
class TfrmListIssues : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmListIssues(QWidget *parent);

    ListPage *panContainer;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QPushButton *btnChiudi;
    QPushButton *btnStampa;

    void FormShow() override;
    void FormClose() override;
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnChiudiClick();

signals:
    void cardChosen(qint64 position, const TPatientRecord &record);
};
