#pragma once

#include "ui/Dialog.h"

#include <QDate>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The date picker: a month calendar opened from the appointment card; "Importa" hands the
// picked day back to the caller (dateChosen) and closes.
class TfrmCalendario : public Dialog
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

signals:
    void dateChosen(const QDate &date);

protected:
    void FormShow() override;
};
