#include "print/frmDentalPrint.h"

#include "platform/Clock.h"
#include "print/ChartDocument.h"
#include "print/ReportRenderer.h"

TDentalPrintDialog::TDentalPrintDialog(const Texts &texts, const QString &title, const QStringList &teeth,
                                       QWidget *parent)
    : TCardPrintDialog(texts, parent), m_title(title), m_teeth(teeth)
{}

Report::Document TDentalPrintDialog::document() const
{
    return m_odontogram ? ChartDocument::make(m_title, m_teeth, Clock::now(), *m_odontogram)
                        : ChartDocument::make(m_title, m_teeth, Clock::now());
}

TfrmAnteprimaDentale::TfrmAnteprimaDentale(const QString &title, const QStringList &teeth, QWidget *parent)
    : TDentalPrintDialog(
        {QStringLiteral("frmAnteprimaDentale"), QStringLiteral(" Anteprima di stampa"),
         QStringLiteral("Mostra anteprima"), QStringLiteral("Anteprima di stampa"),
         QStringLiteral("Questa operazione consente di visualizzare in anteprima i dati che appariranno in stampa."),
         QStringLiteral("Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di "
                        "eseguire la stampa su carta."),
         QStringLiteral("screen")},
        title, teeth, parent)
{}

void TfrmAnteprimaDentale::btnStampaClick()
{
    Report::preview(this, document());
    close();
}

TfrmPrint_Dental_Condition::TfrmPrint_Dental_Condition(const QString &title, const QStringList &teeth, QWidget *parent)
    : TDentalPrintDialog(
        {QStringLiteral("frmPrint_Dental_Condition"), QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa"),
         QStringLiteral("Stampa scheda"),
         QStringLiteral(
             "Questa operazione provvederà a stampare la scheda corrente su carta con i dati immessi dall'utente."),
         QStringLiteral("Premere il pulsante Stampa per dare avvio alla stampa oppure premere Annulla per annullare "
                        "l'operazione."),
         QStringLiteral("print")},
        title, teeth, parent)
{}

void TfrmPrint_Dental_Condition::btnStampaClick()
{
    Report::print(this, document());
    close();
}
