#include "print/frmCardPrint.h"

#include "ui/Theme.h"
#include "platform/Clock.h"
#include "print/CardDocuments.h"
#include "print/ReportRenderer.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

const QString kPrintExplanation = QStringLiteral(
    "Questa operazione provvederà a stampare la scheda corrente su carta con i dati immessi dall'utente.");
const QString kPrintInstruction = QStringLiteral(
    "Premere il pulsante Stampa per dare avvio alla stampa oppure premere Annulla per annullare l'operazione.");

} // namespace

TCardPrintDialog::TCardPrintDialog(const Texts &texts, QWidget *parent) : Dialog(parent, Place::OnOwner)
{
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 364, 287);

    shpSfondo = Theme::panel(QStringLiteral("shpSfondo"), this);
    shpSfondo->setGeometry(18, 18, 326, 215);

    imgTitolo = new QLabel(texts.heading, shpSfondo);
    imgTitolo->setObjectName(QStringLiteral("imgTitolo"));
    imgTitolo->setFont(Theme::verdana(12, true));
    imgTitolo->setStyleSheet(Theme::textColour(Theme::Colour::Heading));
    imgTitolo->setGeometry(14, 12, 220, 24);

    lblSpiegazione = new QLabel(texts.explanation, shpSfondo);
    lblSpiegazione->setObjectName(QStringLiteral("lblSpiegazione"));
    lblSpiegazione->setWordWrap(true);
    lblSpiegazione->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QFont body = Theme::verdana(8);
    lblSpiegazione->setFont(body);
    lblSpiegazione->setGeometry(14, 38, 214, 64);

    imgDecoro = Theme::picture(QStringLiteral("imgDecoro"), QStringLiteral("reader"), 80, 96, shpSfondo);
    imgDecoro->move(236, 8);

    shpSeparatore = new QFrame(shpSfondo);
    shpSeparatore->setObjectName(QStringLiteral("shpSeparatore"));
    shpSeparatore->setStyleSheet(Theme::sheet(Theme::Sheet::Separator));
    shpSeparatore->setGeometry(14, 112, 298, 2);

    imgStampante = Theme::picture(QStringLiteral("imgStampante"), texts.picture, 64, 64, shpSfondo);
    imgStampante->move(14, 128);

    lblIstruzioni = new QLabel(texts.instruction, shpSfondo);
    lblIstruzioni->setObjectName(QStringLiteral("lblIstruzioni"));
    lblIstruzioni->setWordWrap(true);
    lblIstruzioni->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblIstruzioni->setFont(body);
    lblIstruzioni->setGeometry(88, 124, 224, 76);

    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    btnAnnulla->setGeometry(18, 243, 137, 28);
    btnStampa = Theme::textButton(QStringLiteral("btnStampa"), texts.action, this);
    btnStampa->setGeometry(208, 243, 137, 28);
    // The longest caption ("Mostra anteprima") must fit the fixed width.
    const QFont buttons = Theme::verdana(9, true);
    for (QPushButton *b : {btnAnnulla, btnStampa}) {
        b->setFont(buttons);
        b->setStyleSheet(Theme::sheet(Theme::Sheet::PrintButton));
    }
    // Enter presses the button that has the focus; the action button is the default one.
    btnAnnulla->setAutoDefault(true);
    btnStampa->setAutoDefault(true);
    btnStampa->setDefault(true);
    setTabOrder(btnStampa, btnAnnulla);

    connect(btnAnnulla, &QPushButton::clicked, this, &TCardPrintDialog::btnAnnullaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TCardPrintDialog::btnStampaClick);
}

void TCardPrintDialog::FormShow() { btnStampa->setFocus(); }

void TCardPrintDialog::btnAnnullaClick() { close(); }

TfrmStampaScadenza::TfrmStampaScadenza(const QList<CardDocuments::Row> &rows, QWidget *parent)
    : TCardPrintDialog({QStringLiteral("frmStampaScadenza"), QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa"),
                        QStringLiteral("Stampa scheda"), kPrintExplanation, kPrintInstruction, QStringLiteral("print")},
                       parent),
      m_rows(rows)
{}

void TfrmStampaScadenza::btnStampaClick()
{
    Report::print(this, CardDocuments::appointmentCard(m_rows, Clock::now()));
    close();
}

TfrmStartup::TfrmStartup(const QList<CardDocuments::Row> &rows, QWidget *parent)
    : TCardPrintDialog(
        {QStringLiteral("frmStartup"), QStringLiteral(" Anteprima di stampa"), QStringLiteral("Mostra anteprima"),
         QStringLiteral("Anteprima di stampa"),
         QStringLiteral("Questa operazione consente di visualizzare in anteprima i dati che appariranno in stampa."),
         QStringLiteral("Fare clic su Mostra anteprima per visualizzare il documento sullo schermo prima di "
                        "eseguire la stampa su carta."),
         QStringLiteral("screen")},
        parent),
      m_rows(rows)
{}

void TfrmStartup::btnStampaClick()
{
    Report::preview(this, CardDocuments::appointmentCard(m_rows, Clock::now()));
    close();
}

TfrmPrintClient::TfrmPrintClient(const QList<CardDocuments::Row> &rows, QWidget *parent)
    : TCardPrintDialog({QStringLiteral("frmPrintClient"), QStringLiteral(" Stampa scheda"), QStringLiteral("Stampa"),
                        QStringLiteral("Stampa scheda"), kPrintExplanation, kPrintInstruction, QStringLiteral("print")},
                       parent),
      m_rows(rows)
{}

void TfrmPrintClient::btnStampaClick()
{
    Report::print(this, CardDocuments::patientCard(m_rows, Clock::now()));
    close();
}
