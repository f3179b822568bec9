#pragma once

#include "app/WorkWindow.h"

// The patient card window.
class TfrmClients : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmClients(QWidget *parent = nullptr);
};
