#pragma once

#include "chart/Odontogram.h"

#include <QList>
#include <QWidget>

class OdontogramLegend;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;

// The odontogram's panel beside the dental scheme: which dentition the scheme shows, the
// chosen tooth with its state, presente or da fare and the surfaces, the tooth's history
// button, the legend and a line of help. It shows the state it is given; what the user sets
// in it is announced with changed(), and the window makes it the tooth's new state.
class OdontogramPanel : public QWidget
{
    Q_OBJECT
public:
    explicit OdontogramPanel(QWidget *parent);

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
    const QList<QCheckBox *> &surfaceBoxes() const { return m_surfaceBoxes; } // M, D, O, V, L
    QPushButton *btnStoria;
    QFrame *shpSeparatore05;
    OdontogramLegend *imgLegenda;
    QLabel *lblAiuto;

    void setDentition(Odontogram::Dentition dentition);
    // Whether the states can be changed (not when the odontogram's file could not be read).
    void setEditable(bool editable);
    // Shows a tooth and its state; nothing is announced.
    void showTooth(int fdi, const Odontogram::ToothState &state);
    // The state the panel now shows.
    Odontogram::ToothState state() const;

signals:
    void dentitionChosen(Odontogram::Dentition dentition);
    void changed();
    void historyRequested();

private:
    void userChanged();

    QList<QCheckBox *> m_surfaceBoxes; // M, D, O, V, L
    QButtonGroup *m_dentitionGroup;
    QButtonGroup *m_conditionGroup;
    bool m_showing = false; // being filled: its changes are not the user's
};
