#pragma once

#include "storage/AppointmentRecord.h"
#include "ui/WorkWindow.h"

#include <QDate>
#include <QPointer>

class CardNotifier;
class FixedList;
class PictureButton;
class QCalendarWidget;
class QFrame;
class QLabel;
class QPushButton;
class QTime;
class TfrmCalendarioAppuntamenti;

// The appointment agenda: each time it is shown it lists the imminent appointments in
// chronological order, says with a picture (and the alert sound) whether there are any,
// and leads on to the appointment card, the WhatsApp reminder, the day and month lists,
// the export and the printout. It never writes the archive. What it asks of the windows of
// other areas (the appointment card window, the export windows) it asks by its signals; the
// appointment book it opens asks through it.
class TfrmAgenda : public WorkWindow
{
    Q_OBJECT
public:
    explicit TfrmAgenda(QWidget *parent = nullptr);

    QWidget *panContainer;
    QFrame *imgNome;
    QLabel *icoIstruzioni;
    QCalendarWidget *calAppuntamenti; // the day picked for the day and month lists
    PictureButton *btnGiorno;
    PictureButton *btnMese;
    PictureButton *btnCalendario; // the appointment book, on the day chosen in the calendar
    PictureButton *btnArchivio;
    PictureButton *appApriArchivio;
    QLabel *imgAssenti;
    QLabel *imgPresenti;
    QLabel *imgAppuntamentiNO;
    QLabel *imgAppuntamentiSI;
    FixedList *lstRecords;
    PictureButton *btnWhatsApp;
    PictureButton *imgGuida;
    PictureButton *btnStampa;
    PictureButton *btnExcel;
    PictureButton *imgEsci;
    QPushButton *btnCaricaLista;
    // The appointment of the line last clicked.
    QLabel *titData;
    QLabel *titOra;
    QLabel *titContatto;
    QLabel *titCel;

    void FormShow() override;
    void btnCaricaListaClick();
    void lstRecordsClick();
    void btnWhatsAppClick();
    void btnExcelClick();
    void btnGiornoClick();
    void btnMeseClick();
    void btnCalendarioClick();
    void btnStampaClick();
    void appApriArchivioClick();
    void imgGuidaClick();
    void imgEsciClick();

    // Listens to the card windows (a saved appointment card), it and its appointment book.
    void listen(const CardNotifier &notifier);

signals:
    // "INSERISCI APPUNTAMENTI": the appointment card window.
    void appointmentCardRequested();
    // The export windows of the imminent appointments, and of the day or the month picked.
    void imminentExportRequested();
    void dayExportRequested(const QDate &day);
    void monthExportRequested(const QDate &day);
    // The appointment book asks for the appointment card window on the card at a record
    // position (book: the window to report a failure over), or on a new card at a date and
    // time.
    void appointmentRequested(QWidget *book, qint64 position);
    void newAppointmentRequested(const QDate &date, const QTime &time);

protected:
    void FormClose() override;

private:
    bool loadList(); // false when the archive could not be read
    void showPresent(bool present);

    TAppointmentRecord m_selected{};             // the card of the line selected last, as the titles show it
    QPointer<TfrmCalendarioAppuntamenti> m_book; // the appointment book, while it is open
    const CardNotifier *m_notifier = nullptr;
};
