#pragma once

#include "export/ExportTable.h"
#include "export/Spreadsheet.h"
#include "print/ListPrint.h"
#include "ui/ListDialog.h"

class QHBoxLayout;

// The base of the practice's list windows: a list page with, under it, a bar of the
// window's own controls (panStrumenti) ending in "Esporta", which writes the list's rows
// to a spreadsheet in the program folder (the export's usual questions and messages).
class MoneyListWindow : public PrintedList<ListDialog>
{
    Q_OBJECT
public:
    QWidget *panStrumenti;
    QPushButton *btnEsporta;

    void btnEsportaClick();
    // Shows lines read anew (after a change of period or year, or an edit).
    void reload();

protected:
    MoneyListWindow(QWidget *parent, const QString &objectName, const QString &caption, const QString &banner,
                    const QString &picture, const QString &printTitle, const QString &fileName,
                    const QString &hint = {});

    // The bar's layout, for the window's own controls left of "Esporta".
    QHBoxLayout *bar() const { return m_bar; }
    // Adds a button to the bar.
    QPushButton *barButton(const char *name, const QString &caption);

    struct Export
    {
        QList<Spreadsheet::Column> columns;
        ExportTable rows;
    };
    // The rows to export, read now; nothing when the archive cannot be read (said already).
    virtual std::optional<Export> exportRows() = 0;

private:
    QHBoxLayout *m_bar;
    QString m_fileName;
    QString m_sheet;
};
