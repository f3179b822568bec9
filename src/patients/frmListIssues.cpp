#include "patients/frmListIssues.h"

#include "patients/PatientLines.h"
#include "patients/PatientTools.h"
#include "platform/Messages.h"
#include "print/ListPrint.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "ui/FixedList.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfrmListIssues::TfrmListIssues(QWidget *parent) : Dialog(parent)
{
    setObjectName(QStringLiteral("frmListIssues"));
    setWindowTitle(QStringLiteral(" Riepilogo questioni in sospeso"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 862, 560);

    panContainer = new ListPage(QStringLiteral("panContainer"),
                                {QStringLiteral("QUESTIONI IN SOSPESO"), QStringLiteral("pending-issues"),
                                 QStringLiteral("issues-list"),
                                 QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"),
                                 false, ListBanner::Tint::Blue, QString(), QStringLiteral("lblRigo03")},
                                this);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panContainer, 0, Qt::AlignCenter);
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    btnChiudi = panContainer->btnChiudi;
    btnStampa = panContainer->btnStampa;
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);

    connect(panContainer, &ListPage::reopenRequested, this, &TfrmListIssues::lstRecordsDblClick);
    connect(panContainer, &ListPage::printRequested, this, &TfrmListIssues::btnStampaClick);
    connect(panContainer, &ListPage::closeRequested, this, &TfrmListIssues::btnChiudiClick);
}

void TfrmListIssues::FormShow()
{
    panContainer->restart();
    // Silent on a failure: the cards read before it are listed.
    panContainer->setSource(PatientLines::issueSource());
    txtTrova->setFocus();
}

void TfrmListIssues::FormClose() { lstRecords->clear(); }

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
    if (!ListPrint::print(this, QStringLiteral("Riepilogo questioni in sospeso"), lstRecords->source()))
        Messages::plain(this, kArchiveFailure);
}

void TfrmListIssues::btnChiudiClick() { close(); }
