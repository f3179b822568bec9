#include "appointments/frmStatusList.h"

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "print/ListPrint.h"
#include "storage/RecordFile.h"
#include "ui/FixedList.h"

#include <QLineEdit>
#include <QPushButton>

namespace {

struct StatusLook
{
    const char *objectName;
    QString caption;
    QString banner;
    QString printTitle;
};

StatusLook lookOf(AppointmentLines::Status status)
{
    switch (status) {
    case AppointmentLines::Status::DaAssolvere:
        return {"frmConfermati", QStringLiteral(" Riepilogo impegni da assolvere"),
                QStringLiteral("IMPEGNI DA ASSOLVERE"), QStringLiteral("Riepilogo impegni da assolvere")};
    case AppointmentLines::Status::Scaduti:
        return {"frmScaduti", QStringLiteral(" Riepilogo impegni scaduti e non assolti"),
                QStringLiteral("IMPEGNI SCADUTI E NON ASSOLTI"),
                QStringLiteral("Riepilogo impegni scaduti e non assolti")};
    case AppointmentLines::Status::Assolti:
        break;
    }
    return {"frmAssolti", QStringLiteral(" Riepilogo impegni assolti"), QStringLiteral("IMPEGNI ASSOLTI"),
            QStringLiteral("Riepilogo impegni assolti")};
}

} // namespace

TfrmStatusList *TfrmStatusList::make(AppointmentLines::Status status, QWidget *parent)
{
    switch (status) {
    case AppointmentLines::Status::DaAssolvere:
        return new TfrmConfermati(parent);
    case AppointmentLines::Status::Scaduti:
        return new TfrmScaduti(parent);
    case AppointmentLines::Status::Assolti:
        break;
    }
    return new TfrmAssolti(parent);
}

TfrmStatusList::TfrmStatusList(AppointmentLines::Status status, QWidget *parent)
    : PrintedList(parent, QString::fromLatin1(lookOf(status).objectName), lookOf(status).caption,
                  QStringLiteral("panRiepilogo"),
                  {lookOf(status).banner, QStringLiteral("alarm-clock"), QStringLiteral("hourglass"),
                   QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"), false},
                  QStringLiteral("panContainer")),
      m_status(status)
{
    panContainer = page->parentWidget();
    printsAs(printTitle(), &Messages::error);
    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnTrova);
    setTabOrder(btnTrova, btnChiudi);
}

QString TfrmStatusList::printTitle() const { return lookOf(m_status).printTitle; }

SharedLines TfrmStatusList::lines()
{
    std::vector<qint64> positions;
    try {
        AppointmentLines::statusPositions(m_status, Clock::today(), positions);
    } catch (const StorageError &) {
        // An unreadable archive must not pass for an empty list: say so, and show what
        // was read before the failure.
        Messages::error(this, kArchiveFailure);
    }
    return AppointmentLines::linesAt(std::move(positions));
}
