#pragma once

#include "platform/Printer.h"

#include <QDialog>

#include <memory>

class QComboBox;
class QPrintPreviewWidget;
class QPrinter;
class QPushButton;

// The print preview: the document's pages at 100 %, and only four commands: print (through
// the print dialog), zoom, full screen and close. Nothing in the document can be edited.
class TfrmAnteprima : public QDialog
{
    Q_OBJECT
public:
    TfrmAnteprima(Printer::Document document, QWidget *parent = nullptr);
    ~TfrmAnteprima() override;

    QPushButton *btnStampa;
    QComboBox *cboZoom;
    QPushButton *btnSchermoIntero;
    QPushButton *btnChiudi;
    QPrintPreviewWidget *pvwPagine;

    void btnStampaClick();
    void cboZoomChange();
    void btnSchermoInteroClick();
    void btnChiudiClick();

    // The zoom shown, 1.0 for 100 %.
    double zoom() const;

private:
    Printer::Document m_document;
    std::unique_ptr<QPrinter> m_printer;
};
