#pragma once

#include "ui/Dialog.h"

class LinkLabel;
class PictureButton;
class QLabel;
class QPushButton;

// The about window: the product logo and the maker's e-mail address.
class TfrmInfo : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget *parent = nullptr);

    static const QString kMakerEmail;

    QWidget *shpSfondo;
    QLabel *imgLogo;
    PictureButton *imgEmail;
    LinkLabel *lnkWeb;
    QPushButton *btnChiudi;

    void lnkWebClick();
    void btnChiudiClick();
};
