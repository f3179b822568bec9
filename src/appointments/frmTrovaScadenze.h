#pragma once

#include "appointments/AppointmentLines.h"

#include <QDialog>

class AppointmentListPage;
class FixedList;
class FocusFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// Find appointments: up to ten criteria on the first page; the cards holding all the filled
// ones listed on the results page, from which a double-click reopens a card in the
// appointment card window (when the caller tag in lblMemory is "scadenze").
class TfrmTrovaScadenze : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmTrovaScadenze(QWidget *parent);

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
    AppointmentListPage *panContainer;
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

    void FormShow();
    void FormClose();
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();
    void btnChiudiClick();
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLineEdit *> m_criteria;
    QList<FocusFrame *> m_frames;
};
