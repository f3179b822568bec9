#include "appointments/frmTrovaScadenze.h"

#include "appointments/AppointmentCard.h"
#include "platform/Messages.h"
#include "print/ListPrint.h"
#include "ui/FixedList.h"
#include "ui/FocusFrame.h"
#include "ui/Theme.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using Theme::verdana;

TfrmTrovaScadenze *TfrmTrovaScadenze::forAppointmentCard(QWidget *card)
{
    return new TfrmTrovaScadenze(card, Mode::AppointmentCard);
}

TfrmTrovaScadenze::TfrmTrovaScadenze(QWidget *parent, Mode mode)
    : PrintedList(parent, QStringLiteral("frmTrovaScadenze"), QStringLiteral(" Trova appuntamenti in archivio"),
                  {QStringLiteral("RISULTATI DI RICERCA"), QStringLiteral("detective"), QStringLiteral("binoculars"),
                   QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"), true}),
      m_mode(mode)
{
    printsAs(QStringLiteral("Riepilogo appuntamenti in archivio"), &Messages::plain);
    // Criteria page.
    imgIstruzioni = new QLabel(QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti "
                                              "nelle schede da trovare e premere il pulsante Cerca.\n"
                                              "Lasciare in bianco tutti gli altri campi.\n"
                                              "Per ogni ricerca è possibile utilizzare uno o più campi "
                                              "contemporaneamente."),
                               panAvvio);
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setFont(verdana(8, false));
    imgIstruzioni->setStyleSheet(Theme::sheet(Theme::Sheet::Instructions));
    auto *imgLente = Theme::picture(QStringLiteral("imgLente"), QStringLiteral("find"), 44, 44, panAvvio);
    imgPaziente = Theme::picture(QStringLiteral("imgPaziente"), QStringLiteral("dental-chair"), 130, 286, panAvvio);

    // In reading order, which is also the Enter cycle: two columns, five rows.
    static const Criterion kCriteria[] = {{"Data"},     {"Ora"}, {"Tipologia"}, {"Causale"}, {"Dettagli"},
                                          {"Contatto"}, {"Tel"}, {"Cel"},       {"Luogo"},   {"Note"}};
    const QList<Field> fields = addCriteria(AppointmentCard::description(), kCriteria, verdana(12, false));
    QLineEdit **const edits[] = {&txtData,     &txtOra, &txtTipologia, &txtCausale, &txtDettagli,
                                 &txtContatto, &txtTel, &txtCel,       &txtLuogo,   &txtNote};
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(7);
    for (int index = 0; index < fields.size(); ++index) {
        const Field &field = fields[index];
        *edits[index] = field.edit;
        field.edit->setFixedWidth(320);
        field.frame->setFixedWidth(330);
        grid->addWidget(field.caption, (index / 2) * 2, index % 2);
        grid->addWidget(field.frame, (index / 2) * 2 + 1, index % 2);
    }
    for (QPushButton *b : {btnAnnulla, btnCerca})
        b->setFixedWidth(150);

    auto *top = new QHBoxLayout;
    top->addWidget(imgLente);
    top->addWidget(imgIstruzioni, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(imgPaziente, 0, Qt::AlignTop);
    middle->addSpacing(10);
    middle->addLayout(grid);
    middle->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnAnnulla);
    bottom->addStretch();
    bottom->addWidget(lblAttendere);
    bottom->addStretch();
    bottom->addWidget(btnCerca);
    auto *criteriaColumn = new QVBoxLayout(panAvvio);
    criteriaColumn->setContentsMargins(12, 12, 12, 12);
    criteriaColumn->addLayout(top);
    criteriaColumn->addSpacing(8);
    criteriaColumn->addLayout(middle);
    criteriaColumn->addStretch();
    criteriaColumn->addLayout(bottom);
}

AppointmentLines::Criteria TfrmTrovaScadenze::criteria() const
{
    const QStringList t = criteriaTexts();
    return {t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9]};
}

int TfrmTrovaScadenze::filledCount() const { return AppointmentLines::filledCount(criteria()); }

SharedLines TfrmTrovaScadenze::search() const
{
    std::vector<qint64> positions;
    AppointmentLines::foundPositions(criteria(), positions);
    return AppointmentLines::linesAt(std::move(positions));
}

void TfrmTrovaScadenze::choose(qint64 position)
{
    // The card is read by the window that takes the position.
    if (m_mode == Mode::AppointmentCard)
        emit positionChosen(position);
}
