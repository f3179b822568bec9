#pragma once

#include "app/WorkWindow.h"

// The appointment agenda.
class TfrmAgenda : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmAgenda(QWidget *parent = nullptr);
};
