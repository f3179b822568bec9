#pragma once

#include "appointments/AppointmentLines.h"

#include "print/ListPrint.h"
#include "ui/SearchDialog.h"

class QLabel;
class QLineEdit;

// Find appointments: up to ten criteria on the criteria page; the cards holding all the
// filled ones listed on the results page. Opened for the appointment card, a double-click on
// a line hands the line's record position back (positionChosen) for the card to show;
// opened just to look, it only closes the window.
class TfrmTrovaScadenze : public PrintedList<SearchDialog>
{
    Q_OBJECT
public:
    enum class Mode {
        Browse,          // the results are only looked at
        AppointmentCard, // a chosen line's position goes back to the appointment card
    };
    Q_ENUM(Mode)
    explicit TfrmTrovaScadenze(QWidget *parent, Mode mode = Mode::Browse);
    // The window as the appointment card opens it.
    static TfrmTrovaScadenze *forAppointmentCard(QWidget *card);

    Mode mode() const { return m_mode; }

    // Criteria page.
    QLabel *imgIstruzioni;
    QLabel *imgPaziente;
    QLineEdit *txtData, *txtOra, *txtTipologia, *txtCausale, *txtDettagli, *txtContatto, *txtTel, *txtCel, *txtLuogo,
        *txtNote;

    // The criteria as typed.
    AppointmentLines::Criteria criteria() const;

signals:
    void positionChosen(qint64 position);

protected:
    int filledCount() const override;
    SharedLines search() const override;
    void choose(qint64 position) override;

private:
    Mode m_mode;
};
