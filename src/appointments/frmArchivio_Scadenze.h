#pragma once

#include "app/WorkWindow.h"

class QLabel;
struct TAppointmentRecord;

// The appointment card window.
class TfrmArchivio_Scadenze : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmArchivio_Scadenze(QWidget *parent = nullptr);

    QLabel *lblPosizione;

    // The loading rule of the card: the 15 texts trimmed into their controls, the check box
    // ticked for "Sì", cleared for "No", left alone otherwise. lblPosizione is left to the caller.
    void loadRecord(const TAppointmentRecord &record);
};
