#pragma once

#include "base/LineSource.h"
#include "ui/Dialog.h"
#include "ui/ListPage.h"

#include <QList>

class FixedList;
class FocusFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The base of the find windows. The criteria page (panAvvio) holds the window's search
// fields, each over the yellow highlight shown while it has the focus, Enter moving from one
// field to the next and round; under them "Chiudi", the wait line and "Cerca". "Cerca" runs
// the window's search and shows the lines found on the results page (panContainer, a list
// page in the same place), with their count; a double-click on a line (or Enter in the list)
// gives the line's record position to the window's choice and closes the window. The window
// makes its fields and lays out the criteria page.
class SearchDialog : public Dialog
{
    Q_OBJECT
public:
    // Criteria page (the fields are the window's own).
    QWidget *panAvvio;
    QPushButton *btnAnnulla;
    QLabel *lblAttendere;
    QPushButton *btnCerca;
    QLabel *lblConta; // hidden: how many criteria the last search used

    // Results page.
    ListPage *panContainer;
    QLineEdit *txtTrova;
    QPushButton *btnTrova;
    FixedList *lstRecords;
    QLabel *lblTrovate;
    QPushButton *btnStampa;
    QPushButton *btnChiudi;

    // The yellow highlight behind a search field.
    QWidget *highlightOf(QLineEdit *field) const;

    void FormShow() override;
    void FormClose() override;
    void btnCercaMouseDown();
    void btnCercaClick();
    void btnAnnullaClick();
    void btnChiudiClick();
    void btnTrovaClick();
    void lstRecordsDblClick();
    // Prints the results (the print title is the window's).
    virtual void btnStampaClick() = 0;

protected:
    SearchDialog(QWidget *parent, const QString &objectName, const QString &caption, const ListPage::Look &results);

    struct Field
    {
        QLineEdit *edit;
        FocusFrame *frame; // holds the field; the window places it
    };
    // A search field on the criteria page, named name over its highlight highlightName; the
    // fields are added in the order of the Enter cycle and of the Tab key.
    Field addField(const QString &name, const QString &highlightName);
    // Ties the keyboard order, once every field is added: the fields, "Chiudi", "Cerca", then
    // the results page's controls.
    void fieldsAdded();

    // How many criteria are filled in.
    virtual int filledCount() const = 0;
    // The lines of the records found; throws StorageError when the archive cannot be read.
    virtual SharedLines search() const = 0;
    // The record position of the line chosen on the results page (never 0); the window
    // closes after it, also when the choice throws StorageError (without a message).
    virtual void choose(qint64 position) = 0;

    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QLineEdit *> m_fields;
    QList<FocusFrame *> m_frames;
};
