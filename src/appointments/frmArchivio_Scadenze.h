#pragma once

#include "app/WorkWindow.h"

// The appointment card window.
class TfrmArchivio_Scadenze : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmArchivio_Scadenze(QWidget *parent = nullptr);
};
