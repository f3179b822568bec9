#include "billing/frmMoneyLists.h"

#include "billing/MoneyLists.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "storage/RecordFile.h"
#include "ui/Theme.h"

#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

namespace {

// A caption of the bar naming its field for screen readers.
void barField(QHBoxLayout *bar, QWidget *parent, const char *labelName, const QString &caption, QWidget *field)
{
    bar->insertWidget(bar->count() - 2, Theme::label(QString::fromLatin1(labelName), caption, parent, field));
    bar->insertWidget(bar->count() - 2, field);
    bar->insertSpacing(bar->count() - 2, 12);
}

} // namespace

// ---- Registro fatture ---------------------------------------------------------------------

TfrmRegistroFatture::TfrmRegistroFatture(QWidget *parent)
    : MoneyListWindow(parent, QStringLiteral("frmRegistroFatture"), QStringLiteral(" Sorrisa - Registro fatture"),
                      QStringLiteral("REGISTRO FATTURE"), QStringLiteral("list-done"),
                      QStringLiteral("Registro fatture"), QStringLiteral("Registro_Fatture.xls"))
{
    spnAnno = new QSpinBox(panStrumenti);
    spnAnno->setObjectName(QStringLiteral("spnAnno"));
    spnAnno->setRange(2000, 2999);
    spnAnno->setValue(Clock::today().year());
    barField(bar(), panStrumenti, "lblAnno", QStringLiteral("Anno:"), spnAnno);
    connect(spnAnno, &QSpinBox::valueChanged, this, &MoneyListWindow::reload);
}

QList<Ledger::RegisterRow> TfrmRegistroFatture::read()
{
    return Ledger::invoiceRegister(ProgramFolder::path(), spnAnno->value());
}

SharedLines TfrmRegistroFatture::lines()
{
    try {
        return std::make_shared<TextLines>(MoneyLists::registerLines(read()));
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return std::make_shared<TextLines>();
    }
}

std::optional<MoneyListWindow::Export> TfrmRegistroFatture::exportRows()
{
    try {
        return Export{MoneyLists::registerColumns(), MoneyLists::registerTable(read())};
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return std::nullopt;
    }
}

// ---- Incassi ------------------------------------------------------------------------------

TfrmIncassi::TfrmIncassi(QWidget *parent)
    : MoneyListWindow(parent, QStringLiteral("frmIncassi"), QStringLiteral(" Sorrisa - Incassi"),
                      QStringLiteral("INCASSI"), QStringLiteral("banknote"), QStringLiteral("Incassi"),
                      QStringLiteral("Incassi.xls"))
{
    dtpData = new QDateEdit(Clock::today(), panStrumenti);
    dtpData->setObjectName(QStringLiteral("dtpData"));
    dtpData->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    dtpData->setCalendarPopup(true);
    barField(bar(), panStrumenti, "lblData", QStringLiteral("Data:"), dtpData);
    cmbPeriodo = new QComboBox(panStrumenti);
    cmbPeriodo->setObjectName(QStringLiteral("cmbPeriodo"));
    cmbPeriodo->addItems({QStringLiteral("Giorno"), QStringLiteral("Mese"), QStringLiteral("Anno")});
    cmbPeriodo->setCurrentIndex(1);
    barField(bar(), panStrumenti, "lblPeriodo", QStringLiteral("Periodo:"), cmbPeriodo);
    connect(dtpData, &QDateEdit::dateChanged, this, &MoneyListWindow::reload);
    connect(cmbPeriodo, &QComboBox::currentIndexChanged, this, &MoneyListWindow::reload);
}

Ledger::Period TfrmIncassi::period() const
{
    switch (cmbPeriodo->currentIndex()) {
    case 0:
        return Ledger::Period::Day;
    case 2:
        return Ledger::Period::Year;
    default:
        return Ledger::Period::Month;
    }
}

std::optional<TfrmIncassi::Read> TfrmIncassi::read()
{
    try {
        Read r;
        r.income = Ledger::income(ProgramFolder::path(), dtpData->date(), period());
        r.payments = Ledger::paymentsAt(ProgramFolder::path(), r.income.positions);
        QList<qint64> patients;
        for (const Ledger::Payment &p : r.payments)
            patients.append(p.patient);
        r.names = MoneyLists::patientNames(ProgramFolder::path(), patients);
        return r;
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return std::nullopt;
    }
}

SharedLines TfrmIncassi::lines()
{
    const std::optional<Read> r = read();
    if (!r)
        return std::make_shared<TextLines>();
    QStringList out{MoneyLists::periodText(dtpData->date(), period()), QString()};
    for (qsizetype i = 0; i < r->payments.size(); ++i)
        out.append(MoneyLists::paymentLine(r->payments.at(i), r->names.at(i)));
    out += MoneyLists::incomeTotals(r->income);
    return std::make_shared<TextLines>(out);
}

std::optional<MoneyListWindow::Export> TfrmIncassi::exportRows()
{
    const std::optional<Read> r = read();
    if (!r)
        return std::nullopt;
    return Export{MoneyLists::incomeColumns(), MoneyLists::incomeTable(r->payments, r->names)};
}

// ---- Pazienti con saldo da pagare -----------------------------------------------------------

TfrmSaldi::TfrmSaldi(QWidget *parent)
    : MoneyListWindow(parent, QStringLiteral("frmSaldi"), QStringLiteral(" Sorrisa - Pazienti con saldo da pagare"),
                      QStringLiteral("SALDI DA PAGARE"), QStringLiteral("patient-list"),
                      QStringLiteral("Pazienti con saldo da pagare"), QStringLiteral("Saldi_Pazienti.xls"))
{}

std::optional<TfrmSaldi::Read> TfrmSaldi::read()
{
    try {
        Read r;
        r.owing = Ledger::patientsOwing(ProgramFolder::path());
        QList<qint64> patients;
        for (const Ledger::Owing &o : r.owing)
            patients.append(o.patient);
        r.names = MoneyLists::patientNames(ProgramFolder::path(), patients);
        return r;
    } catch (const StorageError &) {
        Messages::error(this, kArchiveFailure);
        return std::nullopt;
    }
}

SharedLines TfrmSaldi::lines()
{
    const std::optional<Read> r = read();
    if (!r)
        return std::make_shared<TextLines>();
    QStringList out;
    QList<qint64> positions;
    for (qsizetype i = 0; i < r->owing.size(); ++i) {
        out.append(MoneyLists::owingLine(r->owing.at(i), r->names.at(i)));
        positions.append(r->owing.at(i).patient);
    }
    if (!out.isEmpty())
        out.append(QString());
    out.append(MoneyLists::owingTotal(r->owing));
    positions.resize(out.size(), 0); // the blank line and the total stand for no patient
    return std::make_shared<TextLines>(out, positions);
}

std::optional<MoneyListWindow::Export> TfrmSaldi::exportRows()
{
    const std::optional<Read> r = read();
    if (!r)
        return std::nullopt;
    return Export{MoneyLists::owingColumns(), MoneyLists::owingTable(r->owing, r->names)};
}
