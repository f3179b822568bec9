#pragma once

#include "ui/Dialog.h"

class ListBanner;

class QPushButton;

// " Sorrisa - Amministrazione studio": the practice's administrative tools, a button each.
// Every tool opens its own window over this one; the sending to the Sistema TS belongs to the
// work windows and is asked for with stsRequested.
class TfrmAmministrazione : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmAmministrazione(QWidget *parent);

    ListBanner *imgBanner;
    QPushButton *btnDatiStudio;
    QPushButton *btnListino;
    QPushButton *btnRegistro;
    QPushButton *btnIncassi;
    QPushButton *btnSaldi;
    QPushButton *btnSistemaTS;
    QPushButton *btnChiudi;

    void btnDatiStudioClick();
    void btnListinoClick();
    void btnRegistroClick();
    void btnIncassiClick();
    void btnSaldiClick();

signals:
    // "Invio dati al Sistema TS"
    void stsRequested();
};
