#pragma once

#include "appointments/AppointmentLines.h"

#include "print/ListPrint.h"
#include "ui/ListDialog.h"

// The three status lists of the appointments: to fulfil, past due and not fulfilled,
// fulfilled. One design; they differ in caption, banner, selection rule and print title.
// A double-click on a line hands its record position back (positionChosen) and closes.
class TfrmStatusList : public PrintedList<ListDialog>
{
    Q_OBJECT
public:
    TfrmStatusList(AppointmentLines::Status status, QWidget *parent);
    // The window of the given list (TfrmConfermati, TfrmScaduti or TfrmAssolti).
    static TfrmStatusList *make(AppointmentLines::Status status, QWidget *parent);

    AppointmentLines::Status status() const { return m_status; }
    QString printTitle() const;

    QWidget *panContainer; // holds the page (panRiepilogo)

protected:
    SharedLines lines() override;

private:
    AppointmentLines::Status m_status;
};

class TfrmConfermati : public TfrmStatusList
{
    Q_OBJECT
public:
    explicit TfrmConfermati(QWidget *parent) : TfrmStatusList(AppointmentLines::Status::DaAssolvere, parent) {}
};

class TfrmScaduti : public TfrmStatusList
{
    Q_OBJECT
public:
    explicit TfrmScaduti(QWidget *parent) : TfrmStatusList(AppointmentLines::Status::Scaduti, parent) {}
};

class TfrmAssolti : public TfrmStatusList
{
    Q_OBJECT
public:
    explicit TfrmAssolti(QWidget *parent) : TfrmStatusList(AppointmentLines::Status::Assolti, parent) {}
};
