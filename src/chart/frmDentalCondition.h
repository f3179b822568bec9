#pragma once

#include "chart/Odontogram.h"
#include "ui/Dialog.h"

#include <QAbstractButton>
#include <QList>
#include <QStringList>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

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

    std::function<void(int fdi)> onClicked;

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
// ("Dente 36: otturazione presente, superfici O, D"), checked when chosen. The arrows go to
// the teeth beside it, F2 to its note, Enter and Space to the state list. It draws nothing:
// the scheme draws the tooth and its frame.
class ToothButton : public QAbstractButton
{
    Q_OBJECT
public:
    ToothButton(int fdi, QWidget *parent);
    int fdi() const { return m_fdi; }

    std::function<void(int fdi, Odontogram::Step step)> onStep;
    std::function<void(int fdi)> onNote;
    std::function<void(int fdi)> onState;
    std::function<void()> onFocus;

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

// The dental chart of one patient: one free line of text for each of the 32 teeth, a marker
// on the scheme for each tooth with a note, preview and print of the chart; and the
// odontogram: each tooth of the scheme can be chosen (a click, F2 from its note, the arrows)
// and the panel beside it sets its state and surfaces, drawn on the scheme at once. It works
// on the texts and the state changes it is given; "Applica e chiudi" hands back the edited
// texts and the changes not yet saved, the close box nothing. The odontogram's file is only
// read here: the card appends the changes when it is saved. Escape does nothing: a stray key
// must not take typed notes away.
class TfrmDentalCondition : public Dialog
{
    Q_OBJECT
public:
    // teeth: the 32 texts in tooth order (1 the upper right third molar ... 32).
    TfrmDentalCondition(const QString &patientName, const QStringList &teeth, QWidget *parent = nullptr);
    // odontogramPath: the patient's odontogram file (none: an empty odontogram); pending: the
    // changes applied before and not yet saved with the card.
    TfrmDentalCondition(const QString &patientName, const QStringList &teeth, const QString &odontogramPath,
                        const QList<Odontogram::Entry> &pending, QWidget *parent = nullptr);

    // Opens the chart modally; the 32 texts trimmed when the user applied them, nothing when
    // the window was closed otherwise.
    static std::optional<QStringList> edit(QWidget *parent, const QString &patientName, const QStringList &teeth);
    struct Applied
    {
        QStringList teeth;
        QList<Odontogram::Entry> states; // the changes not yet saved, one per tooth
    };
    static std::optional<Applied> edit(QWidget *parent, const QString &patientName, const QStringList &teeth,
                                       const QString &odontogramPath, const QList<Odontogram::Entry> &pending);

    QWidget *panContainer;
    QLabel *lblTitolo;
    QLabel *lblIstruzioni;
    QFrame *shpSeparatore01;
    QFrame *shpSeparatore02;
    QFrame *shpSeparatore03;
    DentalScheme *imgSchemaDentale;
    QPushButton *btnPreview;
    QPushButton *btnPrint;
    QPushButton *btnClose;

    // The odontogram's panel, right of the scheme.
    QRadioButton *optPermanenti;
    QRadioButton *optDecidui;
    QFrame *shpSeparatore04;
    QLabel *lblDente;
    QLabel *lblStato;
    QComboBox *cboStato;
    QRadioButton *optPresente;
    QRadioButton *optDaFare;
    QLabel *lblSuperfici;
    QCheckBox *chkSuperficie(Odontogram::Surface surface) const;
    QPushButton *btnStoria;
    QFrame *shpSeparatore05;
    OdontogramLegend *imgLegenda;
    QLabel *lblAiuto;

    // Tooth 1 to 32.
    QLineEdit *txtDente(int tooth) const { return m_fields.at(tooth - 1); }
    QLabel *icoWarn(int tooth) const { return m_markers.at(tooth - 1); }
    // The tooth of the scheme with an FDI number (permanent or deciduous).
    ToothButton *toothButton(int fdi) const;
    // The 32 texts now in the window, trimmed.
    QStringList teeth() const;

    // The odontogram as the window holds it: the tooth chosen, each tooth's state now (saved or
    // changed), the changes not yet saved, the entries read from the file.
    int chosenTooth() const { return m_chosen; }
    void chooseTooth(int fdi);
    Odontogram::ToothState toothState(int fdi) const;
    QMap<int, Odontogram::ToothState> toothStates() const;
    QList<Odontogram::Entry> pendingStates() const { return m_pending; }
    QList<Odontogram::Entry> savedEntries() const { return m_saved; }

    void FormShow() override;
    void btnCloseClick();
    void btnPreviewClick();
    void btnPrintClick();
    void btnStoriaClick();

signals:
    void applied(const QStringList &teeth);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildOdontogram();
    void toothChanged(int tooth);
    void showDentition(Odontogram::Dentition dentition);
    // The panel shows the chosen tooth's state; a change in it is the tooth's new state.
    void showChosen();
    void panelChanged();
    void refreshScheme();
    void stepFrom(int fdi, Odontogram::Step step);
    ChartDocument::Odontogram printedOdontogram() const;

    QString m_patientName;
    QStringList m_given;
    QString m_path;
    QList<QLineEdit *> m_fields;
    QList<QLabel *> m_markers;
    QList<ToothButton *> m_buttons;
    QList<QCheckBox *> m_surfaceBoxes; // M, D, O, V, L
    QButtonGroup *m_dentitionGroup;
    QButtonGroup *m_conditionGroup;

    QList<Odontogram::Entry> m_saved;
    QMap<int, Odontogram::ToothState> m_savedLatest;
    QList<Odontogram::Entry> m_pending;
    int m_chosen = 11;
    bool m_showing = false; // the panel being filled: its changes are not the user's
};
