#pragma once

#include "ui/Dialog.h"

class LinkLabel;
class PictureButton;
class QLabel;
class QPushButton;

// The copyright window: the maker's notice and web address.
class TfrmSplash : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget *parent = nullptr);

    QLabel *imgLogo;
    PictureButton *imgWeb;
    LinkLabel *lnkWeb;
    QPushButton *btnChiudi;

    void lnkWebClick();
    void btnChiudiClick();
};
