#include "appointments/frmTrovaScadenze.h"

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
    imgIstruzioni->setStyleSheet(QStringLiteral(
        "background: #EEF5FB; color: #1F4E79; border: 1px solid #C9DCEC; border-radius: 6px; padding: 4px 10px;"));
    auto *imgLente = Theme::picture(QStringLiteral("imgLente"), QStringLiteral("find"), 44, 44, panAvvio);
    imgPaziente = Theme::picture(QStringLiteral("imgPaziente"), QStringLiteral("dental-chair"), 130, 286, panAvvio);

    struct Criterion
    {
        QLineEdit **field;
        const char *name;
        const char *frame;
        QString label;
    };
    const Criterion criteria[] = {
        {&txtData, "txtData", "effData", QStringLiteral("Data appuntamento (gg/mm/aaaa):")},
        {&txtOra, "txtOra", "effOra", QStringLiteral("Ora (hh:mm):")},
        {&txtTipologia, "txtTipologia", "effTipologia", QStringLiteral("Dentista:")},
        {&txtCausale, "txtCausale", "effCausale", QStringLiteral("Trattamenti dentali:")},
        {&txtDettagli, "txtDettagli", "effDettagli", QStringLiteral("Dettagli:")},
        {&txtContatto, "txtContatto", "effContatto", QStringLiteral("Cognome e nome paziente:")},
        {&txtTel, "txtTel", "effTel", QStringLiteral("Telefono:")},
        {&txtCel, "txtCel", "effCel", QStringLiteral("Cellulare:")},
        {&txtLuogo, "txtLuogo", "effLuogo", QStringLiteral("Modalità di pagamento:")},
        {&txtNote, "txtNote", "effNote", QStringLiteral("Note:")},
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(7);
    int index = 0;
    for (const Criterion &c : criteria) {
        const Field field = addField(QString::fromLatin1(c.name), QString::fromLatin1(c.frame));
        field.edit->setFixedWidth(320);
        field.frame->setFixedWidth(330);
        *c.field = field.edit;
        auto *label =
            Theme::label(QStringLiteral("lbl") + QString::fromLatin1(c.name).mid(3), c.label, panAvvio, field.edit);
        label->setFont(verdana(12, false));
        const int row = (index / 2) * 2;
        const int column = index % 2;
        grid->addWidget(label, row, column);
        grid->addWidget(field.frame, row + 1, column);
        ++index;
    }
    fieldsAdded();
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
    return {txtData->text(),     txtOra->text(), txtTipologia->text(), txtCausale->text(), txtDettagli->text(),
            txtContatto->text(), txtTel->text(), txtCel->text(),       txtLuogo->text(),   txtNote->text()};
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
