#pragma once

#include "patients/PatientLines.h"

#include <QWidget>

class FixedList;
class QLabel;
class QLineEdit;
class QPushButton;

// A banner picture: a title in large capitals on a rounded band, with a picture on the left
// and, when given, one on the right. Screen readers read the title.
class TitleBanner : public QWidget
{
    Q_OBJECT
public:
    TitleBanner(const QString &objectName, const QString &title, const QString &leftPicture,
                const QString &rightPicture, QWidget *parent);
    QString title() const { return m_title; }
    void setTitleColour(const QColor &colour);
    void setTitlePixels(int pixels);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_title;
    QString m_left;
    QString m_right;
    QColor m_colour;
    int m_pixels = 26;
};

// An instruction picture: its lines on a pale rounded card beside a small picture.
QWidget *instructionCard(const QString &objectName, const QString &picture, const QStringList &lines, QWidget *parent);

// The result page of the patient lists (find patients, pending issues): banner, instructions,
// the "Trova" bar over the list, the crimson double-click line, "Chiudi" and "Stampa" at the
// bottom with the count of lines between them when asked. Each line keeps the record
// position it stands for.
class PatientListPage : public QWidget
{
    Q_OBJECT
public:
    struct Look
    {
        QString banner;
        QString leftPicture;
        QString rightPicture;
        QString doubleClickHint;
        QString emptyListMessage; // find-in-list on an empty list
        bool countLabel = false;  // lblTrovate between the buttons
    };
    PatientListPage(const QString &objectName, const Look &look, QWidget *parent);

    TitleBanner *imgBanner;
    QWidget *imgIstruzioni;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QLabel *lblRigo03;
    QPushButton *btnChiudi;
    QLabel *lblTrovate = nullptr;
    QPushButton *btnStampa;

    // Shows the lines (each 1600 pixels wide, so the list scrolls sideways) and keeps their
    // positions.
    void setListing(PatientLines::Listing listing);
    // The record position of the selected line; 0 when no line is selected.
    qint64 selectedPosition() const;
    // Forgets the remembered search text and empties the search field.
    void restart();
    // Find-in-list: the next line holding the search text, wrapping round.
    void findInList();
    void clear();

signals:
    void chosen(); // double-click on a line, or Enter in the list
    void printRequested();
    void closeRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<qint64> m_positions;
    QString m_lastTerm;
    QString m_emptyList;
};
