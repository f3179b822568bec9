#include "patients/frmListIssues.h"

#include "patients/PatientLines.h"
#include "patients/PatientTools.h"
#include "patients/PatientWidgets.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "ui/FixedList.h"
#include "ui/Theme.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmListIssues::TfrmListIssues(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmListIssues"));
    setWindowTitle(QStringLiteral(" Riepilogo questioni in sospeso"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 862, 560);

    panContainer = new PatientListPage(
        QStringLiteral("panContainer"),
        {QStringLiteral("QUESTIONI IN SOSPESO"), QStringLiteral("pending-issues"), QStringLiteral("issues-list"),
         QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"),
         QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."), false},
        this);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panContainer, 0, Qt::AlignCenter);
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    btnChiudi = panContainer->btnChiudi;
    btnStampa = panContainer->btnStampa;

    connect(panContainer, &PatientListPage::chosen, this, &TfrmListIssues::lstRecordsDblClick);
    connect(panContainer, &PatientListPage::printRequested, this, &TfrmListIssues::btnStampaClick);
    connect(panContainer, &PatientListPage::closeRequested, this, &TfrmListIssues::btnChiudiClick);
}

void TfrmListIssues::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Theme::centreOnScreen(this);
        FormShow();
    }
}

void TfrmListIssues::closeEvent(QCloseEvent *event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TfrmListIssues::FormShow()
{
    panContainer->restart();
    PatientLines::Listing listing;
    try {
        PatientLines::issueLines(listing);
    } catch (const StorageError &) {
        // Silent: the lines read before the failure are listed.
    }
    PatientLines::sort(listing);
    panContainer->setListing(std::move(listing));
    txtTrova->setFocus();
}

void TfrmListIssues::FormClose() { panContainer->clear(); }

void TfrmListIssues::btnTrovaClick() { panContainer->findInList(); }

void TfrmListIssues::lstRecordsDblClick()
{
    // The card of the very line chosen, by the position the line keeps.
    const qint64 position = panContainer->selectedPosition();
    try {
        if (position > 0)
            emit cardChosen(position, PatientLines::readCard(position));
    } catch (const StorageError &) {
        // The window closes without a message.
    }
    close();
}

void TfrmListIssues::btnStampaClick()
{
    PatientTools::printList(this, QStringLiteral("Riepilogo questioni in sospeso"), lstRecords->lines());
}

void TfrmListIssues::btnChiudiClick() { close(); }
