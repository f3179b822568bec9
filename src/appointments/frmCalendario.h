#pragma once

#include <QDialog>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The date picker: a month calendar opened from the appointment card; "Importa" writes the
// picked day into the card's date field.
class TfrmCalendario : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget *parent = nullptr);

    QWidget *panContainer;
    QLabel *lblImporta;
    QWidget *shpCalendario;
    QCalendarWidget *calAppuntamenti;
    QPushButton *btnAnnulla;
    QPushButton *btnImportaData;
    QLabel *lblMemory; // the caller tag: "data" from the appointment card

    void btnImportaDataClick();
    void btnAnnullaClick();

protected:
    void showEvent(QShowEvent *event) override;
};
