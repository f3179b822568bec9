#include "patients/frmFindClients.h"

#include "patients/PatientWidgets.h"
#include "platform/Messages.h"
#include "print/ListPrint.h"
#include "storage/PatientRecord.h"
#include "ui/FixedList.h"
#include "ui/FocusFrame.h"
#include "ui/Theme.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using Theme::verdana;

namespace {

// The criteria page lies 14 by 15 pixels inside the window; the fields' columns and label
// rows below are the window's.
constexpr int kPanelX = 14;
constexpr int kPanelY = 15;
constexpr int kColumns[] = {144, 488};
constexpr int kFirstLabel = 120;
constexpr int kRowPitch = 70;
constexpr int kFieldWidth = 320;
constexpr int kFrameMargin = 5;

} // namespace

TfrmFindClients::TfrmFindClients(QWidget *parent, Mode mode)
    : PrintedList(parent, QStringLiteral("frmFindClients"), QStringLiteral(" Trova pazienti in archivio"),
                  {QStringLiteral("RISULTATI DI RICERCA"), QStringLiteral("find-patients"),
                   QStringLiteral("patient-list"),
                   QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"), true,
                   ListBanner::Tint::Blue, QStringLiteral("Empty list!"), QStringLiteral("lblRigo03")}),
      m_mode(mode)
{
    printsAs(QStringLiteral("Riepilogo pazienti in archivio"), &Messages::plain);
    // Criteria page.
    imgIstruzioni = instructionCard(
        QStringLiteral("imgIstruzioni"), QStringLiteral("find-patients"),
        {QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare "
                        "e premere il pulsante Cerca."),
         QStringLiteral("Lasciare in bianco tutti gli altri campi."),
         QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.")},
        panAvvio);
    imgIstruzioni->setGeometry(12, 12, 809, 70);
    auto *imgPazienti =
        Theme::picture(QStringLiteral("imgPazienti"), QStringLiteral("patient-search"), 104, 300, panAvvio);
    imgPazienti->move(12, 100);

    struct Criterion
    {
        QLineEdit **field;
        const char *name;
        const char *highlight;
        QString label;
    };
    // In reading order, which is also the Enter cycle: two columns, five rows.
    const Criterion criteria[] = {
        {&txtName, "txtName", "effCampo01", QStringLiteral("Cognome e nome:")},
        {&txtTaxNumber, "txtTaxNumber", "effCampo02", QStringLiteral("Codice fiscale:")},
        {&txtStreet, "txtStreet", "effCampo09", QStringLiteral("Via e numero civico:")},
        {&txtCity, "txtCity", "effCampo10", QStringLiteral("Città:")},
        {&txtSSN, "txtSSN", "effCampo05", QStringLiteral("Partita IVA:")},
        {&txtProblems, "txtProblems", "effCampo06", QStringLiteral("Problemi dentali principali:")},
        {&txtDentist, "txtDentist", "effCampo07", QStringLiteral("Dentista assegnato:")},
        {&txtTimes, "txtTimes", "effCampo08", QStringLiteral("Orari preferenziali per appuntamenti:")},
        {&txtStatus, "txtStatus", "effCampo03", QStringLiteral("Stato dei pagamenti:")},
        {&txtNotes, "txtNotes", "effCampo04", QStringLiteral("Note:")},
    };
    int index = 0;
    for (const Criterion &c : criteria) {
        const Field field = addField(QString::fromLatin1(c.name), QString::fromLatin1(c.highlight));
        *c.field = field.edit;
        QLabel *label =
            Theme::label(QStringLiteral("lbl") + QString::fromLatin1(c.name).mid(3), c.label, panAvvio, field.edit);
        label->setFont(verdana(10, false));
        const int x = kColumns[index % 2] - kPanelX;
        const int y = kFirstLabel + (index / 2) * kRowPitch - kPanelY;
        label->setGeometry(x, y, kFieldWidth, 20);
        const int fieldHeight = field.edit->sizeHint().height();
        field.frame->setGeometry(x - kFrameMargin, y + 21, kFieldWidth + 2 * kFrameMargin,
                                 fieldHeight + 2 * kFrameMargin);
        ++index;
    }
    fieldsAdded();

    btnAnnulla->setGeometry(kColumns[0] - kPanelX, 470, 150, 36);
    btnCerca->setGeometry(kColumns[1] - kPanelX + kFieldWidth - 150, 470, 150, 36);
    lblAttendere->setGeometry(btnAnnulla->geometry().right() + 8, 470,
                              btnCerca->x() - btnAnnulla->geometry().right() - 16, 36);
}

PatientLines::Criteria TfrmFindClients::criteria() const
{
    return {txtName->text(),     txtTaxNumber->text(), txtStreet->text(), txtCity->text(),   txtSSN->text(),
            txtProblems->text(), txtDentist->text(),   txtTimes->text(),  txtStatus->text(), txtNotes->text()};
}

int TfrmFindClients::filledCount() const { return PatientLines::activeCount(criteria()); }

SharedLines TfrmFindClients::search() const { return PatientLines::foundSource(criteria()); }

void TfrmFindClients::choose(qint64 position)
{
    const TPatientRecord record = PatientLines::readCard(position);
    switch (m_mode) {
    case Mode::PatientCard:
        emit cardChosen(position, record);
        break;
    case Mode::AppointmentCard:
        emit contactChosen(PatientLines::contactOf(record));
        break;
    }
}
