#include "appointments/frmStatusList.h"

#include "platform/Clock.h"
#include "platform/Messages.h"
#include "print/ListPrint.h"
#include "storage/RecordFile.h"
#include "ui/FixedList.h"
#include "ui/Theme.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

TfrmStatusList::TfrmStatusList(AppointmentLines::Status status, QWidget *parent) : Dialog(parent), m_status(status)
{
    const StatusLook look = lookOf(status);
    setObjectName(QString::fromLatin1(look.objectName));
    setWindowTitle(look.caption);
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 862, 560);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));
    page = new ListPage(QStringLiteral("panRiepilogo"),
                        {look.banner, QStringLiteral("alarm-clock"), QStringLiteral("hourglass"),
                         QStringLiteral("Fare doppio clic su una voce in elenco per richiamare la scheda"), false},
                        panContainer);
    auto *inner = new QVBoxLayout(panContainer);
    inner->setContentsMargins(0, 0, 0, 0);
    inner->addWidget(page);
    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panContainer, 0, Qt::AlignCenter);

    txtTrova = page->txtTrova;
    btnTrova = page->btnTrova;
    lstRecords = page->lstRecords;
    btnChiudi = page->btnChiudi;
    btnStampa = page->btnStampa;
    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnTrova);
    setTabOrder(btnTrova, btnChiudi);

    connect(page, &ListPage::reopenRequested, this, &TfrmStatusList::lstRecordsDblClick);
    connect(page, &ListPage::printRequested, this, &TfrmStatusList::btnStampaClick);
    connect(page, &ListPage::closeRequested, this, &TfrmStatusList::btnChiudiClick);
}

QString TfrmStatusList::printTitle() const { return lookOf(m_status).printTitle; }

void TfrmStatusList::FormShow()
{
    page->restart();
    std::vector<qint64> positions;
    try {
        AppointmentLines::statusPositions(m_status, Clock::today(), positions);
    } catch (const StorageError &) {
        // An unreadable archive must not pass for an empty list: say so, and show what
        // was read before the failure.
        Messages::error(this, kArchiveFailure);
    }
    page->setSource(AppointmentLines::linesAt(std::move(positions)));
    txtTrova->setFocus();
}

void TfrmStatusList::FormClose() { lstRecords->clear(); }

void TfrmStatusList::btnTrovaClick() { page->findInList(); }

void TfrmStatusList::lstRecordsDblClick()
{
    // The card is read by the window that takes the position; when it cannot be read the
    // list closes without a message all the same.
    if (const qint64 position = page->selectedPosition(); position > 0)
        emit positionChosen(position);
    close();
}

void TfrmStatusList::btnStampaClick()
{
    if (!ListPrint::print(this, printTitle(), lstRecords->source()))
        Messages::error(this, kArchiveFailure);
}

void TfrmStatusList::btnChiudiClick() { close(); }
