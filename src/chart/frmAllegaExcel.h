#pragma once

#include "base/Amount.h"
#include "base/RecordCard.h"
#include "storage/TreatmentRecord.h"
#include "ui/Dialog.h"

#include <QList>
#include <QString>

#include <optional>

class FixedList;
class ListBanner;
class ListSearch;
class PictureButton;
class QLabel;
class QLineEdit;
class QPushButton;

// The treatment register of one patient: the list of the treatments with their total, a
// search in the list, and an entry panel where a treatment is added or corrected. It works
// on the patient's treatment file, named by the patient's record position. Escape does
// nothing: a stray key must not take an unsaved entry away. A correction of a treatment that
// another copy of the program saved anew since it was read asks which one stays, as a card
// window does.
class TfrmAllegaExcel : public Dialog
{
    Q_OBJECT
public:
    TfrmAllegaExcel(const QString &patientName, const QString &patientPosition, QWidget *parent = nullptr);

    // Opens the register modally for the patient.
    static void openFor(QWidget *parent, const QString &patientName, const QString &patientPosition);

    // List panel.
    QWidget *panContainer;
    QLabel *lblTitolo;
    ListBanner *imgRiepilogo;
    QLabel *lblRigo01;
    QLabel *imgLente;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QLabel *lblRigo03;
    QWidget *shpTotale;
    QLabel *imgTotale;
    QLabel *lblTotale;
    QPushButton *btnChiudi;
    QLabel *imgMano01;
    QPushButton *btnAggiungi;
    QLabel *imgMano02;
    QPushButton *btnModifica;
    QPushButton *btnStampa;

    // Entry panel.
    QWidget *panCosti;
    ListBanner *imgRegistrazione;
    QLabel *imgFoto;
    QLabel *titIstruzioni;
    QLineEdit *txtData;
    QLineEdit *txtOra;
    QLineEdit *txtTrattamenti;
    QLineEdit *txtDentista;
    QLineEdit *txtImporto;
    PictureButton *impData;
    PictureButton *impOra;
    QLabel *imgBanconota;
    QPushButton *btnSalva;
    QPushButton *cmdClose;

    // The treatment file, and the position in it of the treatment on the entry panel (0 for
    // one not yet saved).
    QString fileName() const { return m_file; }
    qint64 recordPosition() const { return m_card.position(); }
    // The record position of each list line.
    QList<qint64> linePositions() const;

    void FormShow() override;
    void FormClose() override;
    void btnTrovaClick();
    void btnAggiungiClick();
    void btnModificaClick();
    void btnSalvaClick();
    void btnStampaClick();
    void impDataClick();
    void impOraClick();
    void txtImportoExit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildListPanel();
    void buildEntryPanel();
    void showEntryPanel();
    void showEntry(const TTreatmentRecord &record);

    QString m_patientName;
    QString m_patientPosition;
    QString m_file;
    // The treatment on the entry panel: its record as read, and its position (0 for a new one).
    RecordCard<TTreatmentRecord> m_card;
    ListSearch *m_search;
    // The total of the amounts listed; none when the file could not be read when the window
    // was shown.
    std::optional<Amount::Sum> m_total;
};
