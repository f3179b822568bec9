#pragma once

#include "print/ChartDocument.h"
#include "print/frmCardPrint.h"

#include <QStringList>

#include <optional>

// The two dialogs of the dental chart's document: the preview and the print. Both take the
// chart's title and its 32 tooth texts as the chart window has them now, applied or not.
class TDentalPrintDialog : public TCardPrintDialog
{
    Q_OBJECT
public:
    TDentalPrintDialog(const Texts &texts, const QString &title, const QStringList &teeth, QWidget *parent);

    QString title() const { return m_title; }
    QStringList teeth() const { return m_teeth; }
    // The odontogram's page, printed after the chart's page when given.
    void setOdontogram(const ChartDocument::Odontogram &odontogram) { m_odontogram = odontogram; }

protected:
    Report::Document document() const;

    QString m_title;
    QStringList m_teeth;
    std::optional<ChartDocument::Odontogram> m_odontogram;
};

// Shows the dental chart in the print preview.
class TfrmAnteprimaDentale : public TDentalPrintDialog
{
    Q_OBJECT
public:
    TfrmAnteprimaDentale(const QString &title, const QStringList &teeth, QWidget *parent);
    void btnStampaClick() override;
};

// Prints the dental chart.
class TfrmPrint_Dental_Condition : public TDentalPrintDialog
{
    Q_OBJECT
public:
    TfrmPrint_Dental_Condition(const QString &title, const QStringList &teeth, QWidget *parent);
    void btnStampaClick() override;
};
