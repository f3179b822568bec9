#include "patients/frmListIssues.h"

#include "patients/PatientLines.h"
#include "platform/Messages.h"
#include "print/ListPrint.h"
#include "ui/FixedList.h"

#include <QPushButton>

TfrmListIssues::TfrmListIssues(QWidget *parent)
    : PrintedList(parent, QStringLiteral("frmListIssues"), QStringLiteral(" Riepilogo questioni in sospeso"),
                  QStringLiteral("panContainer"),
                  {QStringLiteral("QUESTIONI IN SOSPESO"), QStringLiteral("pending-issues"),
                   QStringLiteral("issues-list"),
                   QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"), false,
                   ListBanner::Tint::Blue, QString(), QStringLiteral("lblRigo03")})
{
    panContainer = page;
    printsAs(QStringLiteral("Riepilogo questioni in sospeso"), &Messages::plain);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
}

// Silent on a failure: the cards read before it are listed.
SharedLines TfrmListIssues::lines() { return PatientLines::issueSource(); }
