#pragma once

#include "export/ExportMembers.h"
#include "export/ExportTable.h"

#include "ui/Dialog.h"

#include <QAbstractTableModel>
#include <QDate>

class HintStrip;
class PictureButton;
class QFrame;
class QLabel;
class QTableView;

// The rows of an export window as its grid shows them: "N." and the exported columns; the
// columns left open to typing keep what is typed (in the grid and the export only).
class ExportModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    ExportModel(const Exports::Description &description, ExportTable &rows, QObject *parent);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // Around a refill of the rows.
    void beginRefill() { beginResetModel(); }
    void endRefill() { endResetModel(); }

private:
    const Exports::Description &m_description;
    ExportTable &m_rows;
};

// The export windows: the patient archive (frmExpClients), the appointment archive
// (frmExpScadenzario), the imminent appointments (frmExpImminenti) and the appointments of
// a day (frmExpGiornaliere) or a month (frmExpMensili). One design: each shows its cards in
// a grid and exports the grid to its spreadsheet file in the program folder. The day and
// month windows are given the day picked in the agenda's calendar.
class TfrmExport : public Dialog
{
    Q_OBJECT
public:
    TfrmExport(Exports::Member member, const QDate &picked, QWidget *parent);

    const Exports::Description &description() const { return m_description; }
    const ExportTable &rows() const { return m_rows; }

    QWidget *panContainer;
    QFrame *imgLogo;
    QLabel *icoHand;
    PictureButton *cmdEsporta;
    PictureButton *cmdGuida;
    PictureButton *cmdEsci;
    QWidget *shpSfondo;
    QTableView *grdRecords;
    QFrame *shpInfo;
    HintStrip *panInfo;

    void FormShow() override;
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const Exports::Description &m_description;
    QDate m_picked;
    ExportTable m_rows;
    ExportModel *m_model;
    bool m_readWhole = false; // the rows hold every card of the archive that belongs to them
};

namespace Exports {
// Opens a member's window from a button: made anew, run modally, destroyed when it closes.
// The day and month windows list the cards of the picked day or of its month.
void open(QWidget *caller, Member member, const QDate &picked = {});
} // namespace Exports
