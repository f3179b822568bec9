#pragma once

#include "appointments/AppointmentLines.h"

#include "ui/Dialog.h"

class ListPage;
class FixedList;
class FocusFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// Find appointments: up to ten criteria on the first page; the cards holding all the filled
// ones listed on the results page, from which a double-click reopens a card in the
// appointment card window: the window hands the line's record position back
// (positionChosen) when the caller tag in lblMemory is "scadenze".
class TfrmTrovaScadenze : public Dialog
{
    Q_OBJECT
public:
    explicit TfrmTrovaScadenze(QWidget *parent);
    // The window as the appointment card opens it: caller tag "scadenze".
    static TfrmTrovaScadenze *forAppointmentCard(QWidget *card);

    // Criteria page.
    QWidget *panAvvio;
    QLabel *imgIstruzioni;
    QLabel *imgPaziente;
    QLineEdit *txtData, *txtOra, *txtTipologia, *txtCausale, *txtDettagli, *txtContatto, *txtTel, *txtCel, *txtLuogo,
        *txtNote;
    QPushButton *btnAnnulla;
    QLabel *lblAttendere;
    QPushButton *btnCerca;
    QLabel *lblConta;
    QLabel *lblMemory;

    // Results page.
    ListPage *panContainer;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QLabel *lblTrovate;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;

    // The criteria as typed.
    AppointmentLines::Criteria criteria() const;
    // The yellow highlight behind a criterion, shown while it has the focus.
    QWidget *highlightOf(QLineEdit *criterion) const;

    void FormShow() override;
    void FormClose() override;
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();
    void btnChiudiClick();
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();

signals:
    void positionChosen(qint64 position);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLineEdit *> m_criteria;
    QList<FocusFrame *> m_frames;
};
