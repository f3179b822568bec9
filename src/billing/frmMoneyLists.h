#pragma once

#include "billing/Ledger.h"
#include "billing/MoneyListWindow.h"

class QComboBox;
class QDateEdit;
class QSpinBox;

// "Registro fatture": the invoices and credit notes of a year in number order, with the
// year's total; the year is chosen in the bar ("Anno:", this year at first).
class TfrmRegistroFatture : public MoneyListWindow
{
    Q_OBJECT
public:
    explicit TfrmRegistroFatture(QWidget *parent);
    QSpinBox *spnAnno;

protected:
    SharedLines lines() override;
    std::optional<Export> exportRows() override;

private:
    QList<Ledger::RegisterRow> read();
};

// "Incassi": the payments of a day, a month or a year ("Data:", "Periodo:") with the totals
// by method, traceable and not traceable.
class TfrmIncassi : public MoneyListWindow
{
    Q_OBJECT
public:
    explicit TfrmIncassi(QWidget *parent);
    QDateEdit *dtpData;
    QComboBox *cmbPeriodo;

    Ledger::Period period() const;

protected:
    SharedLines lines() override;
    std::optional<Export> exportRows() override;

private:
    struct Read
    {
        Ledger::Income income;
        QList<Ledger::Payment> payments;
        QStringList names;
    };
    std::optional<Read> read();
};

// "Pazienti con saldo da pagare": every patient owing, with what was done, paid and owed,
// and the total.
class TfrmSaldi : public MoneyListWindow
{
    Q_OBJECT
public:
    explicit TfrmSaldi(QWidget *parent);

protected:
    SharedLines lines() override;
    std::optional<Export> exportRows() override;

private:
    struct Read
    {
        QList<Ledger::Owing> owing;
        QStringList names;
    };
    std::optional<Read> read();
};
