#pragma once

#include "base/CardFields.h"
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
    // How many criteria the last search used (0 before the first).
    int usedCount() const { return m_used; }

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

    // One criterion: a field of the card and the name of the highlight behind its search field
    // (by default "eff" and the name of the field's control after its prefix).
    struct Criterion
    {
        const char *field;
        const char *highlight = nullptr;
    };
    struct Field
    {
        QLineEdit *edit;
        FocusFrame *frame; // holds the field; the window places it
        QLabel *caption;   // the window places it
    };
    // The search fields on the criteria page, in the order of the Enter cycle and of the Tab
    // key (the fields, "Chiudi", "Cerca", then the results page's controls): each named and
    // captioned as the card's description says, in the caption font, over its highlight.
    QList<Field> addCriteria(const CardFields::Description &card, std::span<const Criterion> criteria,
                             const QFont &captionFont);
    // The criteria as typed, in their order.
    QStringList criteriaTexts() const;

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
    int m_used = 0;
};
