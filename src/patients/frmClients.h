#pragma once

#include "app/WorkWindow.h"

class QLabel;
struct TPatientRecord;

// The patient card window.
class TfrmClients : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmClients(QWidget *parent = nullptr);

    QLabel *lblPosizione;

    // Every control takes its field's trimmed text (hidden ones included); lblPosizione is
    // left to the caller.
    void loadRecord(const TPatientRecord &record);
    // Every field takes its control's trimmed text.
    void fillRecord(TPatientRecord &record) const;
};
