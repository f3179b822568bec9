#pragma once

#include "appointments/AppointmentLines.h"

#include <QDialog>
#include <QWidget>

class FixedList;
class QLabel;
class QLineEdit;
class QPushButton;
struct TAppointmentRecord;

// A banner: the window's title in large red capitals between two pictures.
class ListBanner : public QWidget
{
    Q_OBJECT
public:
    ListBanner(const QString &objectName, const QString &title, const QString &leftPicture, const QString &rightPicture,
               QWidget *parent);
    QString title() const { return m_title; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_title;
    QString m_left;
    QString m_right;
};

// The page of an appointment list window: banner, instructions, the "Trova" bar over the
// list of appointment lines, the double-click hint, and "Chiudi" and "Stampa" at the
// bottom (with the count of lines between them when asked). It also holds the search of
// the list: the remembered term and the find-in-list. The windows connect its signals.
class AppointmentListPage : public QWidget
{
    Q_OBJECT
public:
    struct Look
    {
        QString banner;
        QString leftPicture;
        QString rightPicture;
        QString doubleClickHint;
        bool countLabel = false; // lblTrovate between the buttons
    };
    AppointmentListPage(const QString &objectName, const Look &look, QWidget *parent);

    ListBanner *imgBanner;
    QLabel *imgIstruzioni;
    QLabel *imgLente;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QLabel *lblDoppioClic;
    QPushButton *btnChiudi;
    QLabel *lblTrovate = nullptr;
    QPushButton *btnStampa;

    // Shows the lines, each as wide as 1600 pixels so whole lines fit and the list scrolls,
    // and keeps the record position of each.
    void setLines(const QStringList &lines, const QList<qint64> &positions = {});
    // The record position of the selected line; 0 when none is selected.
    qint64 selectedPosition() const;
    // Empties the remembered term and the search field (each time the window is shown).
    void restart();
    // Find-in-list: the next line holding the search text, wrapping round.
    void findInList();
    int selectedRow() const; // -1 when no line is selected

signals:
    void reopenRequested(); // double-click on a line, or Enter in the list
    void printRequested();
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString m_lastTerm;
    QList<qint64> m_positions;
};

// Loads an appointment found from a list line into the appointment card window: the one
// that opened the list, or the program's.
void loadIntoCard(QWidget *opener, const TAppointmentRecord &record, qint64 position);

// The three status lists of the appointments: to fulfil, past due and not fulfilled,
// fulfilled. One design; they differ in caption, banner, selection rule and print title.
class TfrmStatusList : public QDialog
{
    Q_OBJECT
public:
    TfrmStatusList(AppointmentLines::Status status, QWidget *parent);

    AppointmentLines::Status status() const { return m_status; }
    QString printTitle() const;

    QWidget *panContainer;
    AppointmentListPage *page;
    // The page's controls, by their names.
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QPushButton *btnChiudi;
    QPushButton *btnStampa;

    void FormShow();
    void FormClose();
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    AppointmentLines::Status m_status;
};

class TfrmConfermati : public TfrmStatusList
{
    Q_OBJECT
public:
    explicit TfrmConfermati(QWidget *parent) : TfrmStatusList(AppointmentLines::Status::DaAssolvere, parent) {}
};

class TfrmScaduti : public TfrmStatusList
{
    Q_OBJECT
public:
    explicit TfrmScaduti(QWidget *parent) : TfrmStatusList(AppointmentLines::Status::Scaduti, parent) {}
};

class TfrmAssolti : public TfrmStatusList
{
    Q_OBJECT
public:
    explicit TfrmAssolti(QWidget *parent) : TfrmStatusList(AppointmentLines::Status::Assolti, parent) {}
};
