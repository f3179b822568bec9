#include "app/Openers.h"

#include "appointments/frmStatusList.h"
#include "appointments/frmTrovaScadenze.h"
#include "platform/Clock.h"
#include "platform/Modal.h"
#include "print/ListDocument.h"
#include "print/ReportRenderer.h"
#include "print/frmCardPrint.h"

#include <QLabel>

namespace Openers {

void statusList(QWidget *caller, StatusList which)
{
    switch (which) {
    case StatusList::DaAssolvere:
        Modal::run(new TfrmConfermati(caller));
        break;
    case StatusList::Scaduti:
        Modal::run(new TfrmScaduti(caller));
        break;
    case StatusList::Assolti:
        Modal::run(new TfrmAssolti(caller));
        break;
    }
}

void findAppointments(QWidget *caller)
{
    auto *window = new TfrmTrovaScadenze(caller);
    window->lblMemory->setText(QStringLiteral("scadenze"));
    Modal::run(window);
}

void printAppointmentCard(QWidget *caller) { Modal::run(new TfrmStampaScadenza(caller)); }

void previewAppointmentCard(QWidget *caller) { Modal::run(new TfrmStartup(caller)); }

void printPatientCard(QWidget *caller) { Modal::run(new TfrmPrintClient(caller)); }

void printList(QWidget *caller, const QString &title, const QStringList &lines)
{
    // The footer is the only thing that tells the list windows' documents apart.
    const QString window = caller ? caller->window()->objectName() : QString();
    const QString footer = ListDocument::footerText(ListDocument::footerFor(window), Clock::today());
    Report::print(caller, ListDocument::make(title, lines, footer));
}

} // namespace Openers
