#pragma once

#include "appointments/AppointmentBook.h"
#include "appointments/BookSettings.h"
#include "storage/FileStamp.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QTime>
#include <QWidget>

#include <optional>

class BookView;
class CardNotifier;
class QComboBox;
class QDateEdit;
class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QScrollArea;

// The appointment book: the appointments of a day, or of a week side by side, on a grid of
// quarter hours, opened from the agenda on the day chosen in its calendar. A block asks for
// its card in the appointment card window, a free slot for a new card at that date and time
// (the agenda passes the requests on); the book reads the archive again when a card is saved
// or the card window closes (it listens to the CardNotifier), when the archive changes (a
// save from another computer) and when the user comes back to it. "Stampa" prints what is
// shown. It never writes the archive.
class TfrmCalendarioAppuntamenti : public QWidget
{
    Q_OBJECT
public:
    enum class View { Day, Week };

    explicit TfrmCalendarioAppuntamenti(const QDate &day, QWidget *parent = nullptr);

    QLabel *lblPeriodo;
    QPushButton *btnPrecedente;
    QPushButton *btnOggi;
    QPushButton *btnSuccessivo;
    QDateEdit *txtData;
    QPushButton *btnVistaGiorno;
    QPushButton *btnVistaSettimana;
    QComboBox *cboDalle;
    QComboBox *cboAlle;
    QPushButton *btnColori;
    QPushButton *btnAnteprima;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;
    QLabel *lblLegenda;
    QPushButton *btnSenzaOrario;    // the cards of the days shown without a valid time; opens their list
    QLabel *lblGiorno;              // the day's heading in the day view
    QList<QPushButton *> btnGiorni; // the days' headings in the week view (btnGiorno1 to 7)
    QScrollArea *scrGriglia;
    BookView *grdAppuntamenti;

    QDate day() const { return m_day; }
    View view() const { return m_view; }
    // The days shown: the day, or the days of its week.
    QList<QDate> days() const;

    void setDay(const QDate &day);
    void setView(View view);
    void setHours(int firstHour, int lastHour);
    // Reads the archive and shows the period anew (an unreadable archive says so).
    void reload();
    // Reads it only when the archive changed since it was last read.
    void refresh();

    void btnPrecedenteClick();
    void btnSuccessivoClick();
    void btnOggiClick();
    // "Colori dei dentisti…": the practice chooses each dentist's colour.
    void btnColoriClick();
    void btnStampaClick();
    void btnAnteprimaClick();
    void btnChiudiClick();
    void headingClick(int day);
    // Opens an item of the grid: a block's card, or a new card at a free slot's date and time.
    void openItem(int index);
    // Asks for the card at a record position.
    void openCard(qint64 position);
    // The list of the cards without a valid time, each of which opens its card.
    void btnSenzaOrarioClick();
    // Reads the archive when a card is saved, and comes back to the front when the card
    // window it opened a card in closes.
    void listen(const CardNotifier &notifier);

signals:
    void appointmentRequested(qint64 position);
    void newAppointmentRequested(const QDate &date, const QTime &time);

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void read(bool report);
    void stepPeriod(int step);
    void relayout();
    void showHeadings();
    void placeHeadings();
    void showLegend();
    void saveSettings();
    struct Spot
    {
        qint64 position = 0; // the block's card, or 0
        QDate date;
        int minute = -1;
    };
    Spot currentSpot() const;
    void restoreSpot(const Spot &spot);

    QDate m_day;
    View m_view = View::Day;
    AppointmentBook::BookSettings m_settings;
    AppointmentBook::Hours m_hours;
    std::vector<AppointmentBook::Entry> m_entries; // of the days shown
    std::vector<AppointmentBook::Entry> m_untimed; // of the days shown, without a valid time
    bool m_failed = false;
    std::optional<FileStamp> m_stamp; // the archive as it was when it was read
    bool m_away = false;              // the window was left: read again when it comes back
    bool m_openedCard = false;        // a card was asked for: the book comes back when its window closes
    QFileSystemWatcher *m_watcher;
};
