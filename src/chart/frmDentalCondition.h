#pragma once

#include "chart/DentalScheme.h"
#include "chart/Odontogram.h"
#include "chart/OdontogramPanel.h"
#include "ui/Dialog.h"

#include <QList>
#include <QStringList>

#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QButtonGroup;

// The dental chart of one patient: one free line of text for each of the 32 teeth, a marker
// on the scheme for each tooth with a note, preview and print of the chart; and the
// odontogram: each tooth of the scheme can be chosen (a click, F2 from its note, the arrows)
// and the panel on the odontogram's page sets its state and surfaces, drawn on the scheme at once. It works
// on the texts and the state changes it is given; "Applica e chiudi" hands back the edited
// texts and the changes not yet saved, the close box nothing. The odontogram's file is only
// read here: the card appends the changes when it is saved. Escape does nothing: a stray key
// must not take typed notes away.
class TfrmDentalCondition : public Dialog
{
    Q_OBJECT
public:
    // teeth: the 32 texts in tooth order (1 the upper right third molar ... 32);
    // odontogramPath: the patient's odontogram file (none: an empty odontogram); pending: the
    // changes applied before and not yet saved with the card.
    TfrmDentalCondition(const QString &patientName, const QStringList &teeth, const QString &odontogramPath,
                        const QList<Odontogram::Entry> &pending, QWidget *parent = nullptr);

    // Opens the chart modally; the 32 texts trimmed and the changes when the user applied
    // them, nothing when the window was closed otherwise.
    struct Applied
    {
        QStringList teeth;
        QList<Odontogram::Entry> states; // the changes not yet saved, one per tooth
    };
    static std::optional<Applied> edit(QWidget *parent, const QString &patientName, const QStringList &teeth,
                                       const QString &odontogramPath, const QList<Odontogram::Entry> &pending);

    QWidget *panContainer;
    QLabel *lblTitolo;
    // The two pages left of the scheme, each with its button: the teeth's notes, the
    // odontogram's panel.
    QPushButton *btnPaginaNote;
    QPushButton *btnPaginaOdontogramma;
    QWidget *pagNote;
    QWidget *pagOdontogramma;
    static constexpr int kNotesPage = 0;
    static constexpr int kOdontogramPage = 1;
    void showPage(int page);
    QLabel *lblIstruzioni;
    QFrame *shpSeparatore01;
    QFrame *shpSeparatore02;
    QFrame *shpSeparatore03;
    DentalScheme *imgSchemaDentale;
    QPushButton *btnPreview;
    QPushButton *btnPrint;
    QPushButton *btnClose;

    // The odontogram's panel, on its page left of the scheme, and its controls.
    OdontogramPanel *panOdontogramma;

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
    void noteOf(int fdi);
    void toothClicked(int fdi);
    void refreshScheme();
    void stepFrom(int fdi, Odontogram::Step step);
    ChartDocument::Odontogram printedOdontogram() const;

    QString m_patientName;
    QStringList m_given;
    QString m_path;
    QList<QLineEdit *> m_fields;
    QList<QLabel *> m_markers;
    QList<ToothButton *> m_buttons;

    QList<Odontogram::Entry> m_saved;
    QMap<int, Odontogram::ToothState> m_savedLatest;
    QList<Odontogram::Entry> m_pending;
    int m_chosen = 11;
    QButtonGroup *m_pages;
};
