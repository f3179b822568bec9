#pragma once

#include "ui/Dialog.h"

#include <QDate>

class QCalendarWidget;
class QLabel;
class QPushButton;

// The date picker: a month calendar opened from the appointment card; "Importa" hands the
// picked day back to the caller its mode names (dateChosen) and closes.
class TfrmCalendario : public Dialog
{
    Q_OBJECT
public:
    // Whom the picked day is for.
    enum class Mode {
        None,            // nobody: "Importa" does nothing and the window stays open
        AppointmentDate, // the appointment card's date
    };
    explicit TfrmCalendario(QWidget *parent = nullptr, Mode mode = Mode::None);

    Mode mode() const { return m_mode; }

    QWidget *panContainer;
    QLabel *lblImporta;
    QWidget *shpCalendario;
    QCalendarWidget *calAppuntamenti;
    QPushButton *btnAnnulla;
    QPushButton *btnImportaData;

    void btnImportaDataClick();
    void btnAnnullaClick();

signals:
    void dateChosen(const QDate &date);

protected:
    void FormShow() override;

private:
    Mode m_mode;
};
