#include "patients/frmFindClients.h"

#include "patients/PatientCard.h"
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

    // In reading order, which is also the Enter cycle: two columns, five rows.
    static const Criterion kCriteria[] = {
        {"Name", "effCampo01"},   {"TaxNumber", "effCampo02"}, {"Street", "effCampo09"},  {"City", "effCampo10"},
        {"SSN", "effCampo05"},    {"Problems", "effCampo06"},  {"Dentist", "effCampo07"}, {"Times", "effCampo08"},
        {"Status", "effCampo03"}, {"Notes", "effCampo04"},
    };
    const QList<Field> fields = addCriteria(PatientCard::description(), kCriteria, verdana(10, false));
    QLineEdit **const edits[] = {&txtName,     &txtTaxNumber, &txtStreet, &txtCity,   &txtSSN,
                                 &txtProblems, &txtDentist,   &txtTimes,  &txtStatus, &txtNotes};
    for (int index = 0; index < fields.size(); ++index) {
        const Field &field = fields[index];
        *edits[index] = field.edit;
        const int x = kColumns[index % 2] - kPanelX;
        const int y = kFirstLabel + (index / 2) * kRowPitch - kPanelY;
        field.caption->setGeometry(x, y, kFieldWidth, 20);
        const int fieldHeight = field.edit->sizeHint().height();
        field.frame->setGeometry(x - kFrameMargin, y + 21, kFieldWidth + 2 * kFrameMargin,
                                 fieldHeight + 2 * kFrameMargin);
    }

    btnAnnulla->setGeometry(kColumns[0] - kPanelX, 470, 150, 36);
    btnCerca->setGeometry(kColumns[1] - kPanelX + kFieldWidth - 150, 470, 150, 36);
    lblAttendere->setGeometry(btnAnnulla->geometry().right() + 8, 470,
                              btnCerca->x() - btnAnnulla->geometry().right() - 16, 36);
}

PatientLines::Criteria TfrmFindClients::criteria() const
{
    const QStringList t = criteriaTexts();
    return {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9]};
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
