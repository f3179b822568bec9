#pragma once

#include "chart/Odontogram.h"

#include <QAbstractButton>
#include <QList>
#include <QWidget>

// The dental scheme: both arches seen from above with the FDI numbers, drawn from our SVG
// at whatever size and pixel ratio the screen asks for; the permanent teeth or the deciduous
// ones, with the odontogram's marks on them and the chosen tooth framed. A click chooses the
// tooth under it.
class DentalScheme : public QWidget
{
    Q_OBJECT
public:
    explicit DentalScheme(QWidget *parent = nullptr);
    QSize sizeHint() const override { return {278, 472}; }

    Odontogram::Dentition dentition() const { return m_dentition; }
    void setDentition(Odontogram::Dentition dentition);
    const QList<Odontogram::Mark> &marks() const { return m_marks; }
    void setMarks(const QList<Odontogram::Mark> &marks);
    int chosen() const { return m_chosen; }
    void setChosen(int fdi, bool focused);
    bool chosenHasFocus() const { return m_focused; }
    // The marks lie above the children made so far (the note markers).
    void keepMarksOnTop();

signals:
    void toothClicked(int fdi);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Odontogram::Dentition m_dentition = Odontogram::Dentition::Permanent;
    QList<Odontogram::Mark> m_marks;
    int m_chosen = 0;
    bool m_focused = false;
    QWidget *m_layer = nullptr; // the marks above the note markers, and the frame
};

// A tooth of the scheme for the keyboard and screen readers: focusable, named by its state
// ("Dente 36: otturazione presente, superfici DO"), checked when chosen. The arrows go to
// the teeth beside it, F2 to its note, Enter and Space to the state list. It draws nothing:
// the scheme draws the tooth and its frame.
class ToothButton : public QAbstractButton
{
    Q_OBJECT
public:
    ToothButton(int fdi, QWidget *parent);
    int fdi() const { return m_fdi; }

signals:
    void stepRequested(int fdi, Odontogram::Step step); // an arrow
    void noteRequested(int fdi);                        // F2
    void stateRequested(int fdi);                       // Enter or Space
    void focusChanged();

protected:
    void paintEvent(QPaintEvent *) override {}
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_fdi;
};

// The legend of the odontogram's symbols and colours.
class OdontogramLegend : public QWidget
{
    Q_OBJECT
public:
    explicit OdontogramLegend(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *) override;
};
