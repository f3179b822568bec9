#pragma once

#include <QDialog>

class LinkLabel;
class PictureButton;
class QLabel;
class QPushButton;

// The copyright window: the maker's notice and web address.
class TfrmSplash : public QDialog
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

protected:
    void showEvent(QShowEvent *event) override;
};
