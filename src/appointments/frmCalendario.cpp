#include "appointments/frmCalendario.h"

#include "ui/Accessibility.h"
#include "ui/Theme.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCalendario::TfrmCalendario(QWidget *parent, Mode mode) : Dialog(parent, Place::OnOwner), m_mode(mode)
{
    setObjectName(QStringLiteral("frmCalendario"));
    setWindowTitle(QStringLiteral(" Importazione data"));
    Theme::setGradient(this, "steel");
    // A little larger than the designed size so that the toolkit's month view fits whole.
    Theme::makeFixedDialog(this, 330, 350);

    panContainer = Theme::panel(QStringLiteral("panContainer"), this);

    calAppuntamenti = Theme::calendar(QStringLiteral("calAppuntamenti"), nullptr);

    lblImporta = Theme::label(QStringLiteral("lblImporta"), QStringLiteral("Importare una data:"), panContainer,
                              calAppuntamenti);
    Accessibility::nameCalendar(calAppuntamenti);
    lblImporta->setFont(Theme::verdana(10, true));

    // The light grey-blue rectangle the calendar sits on.
    shpCalendario = new QFrame(panContainer);
    shpCalendario->setObjectName(QStringLiteral("shpCalendario"));
    shpCalendario->setStyleSheet(Theme::sheet(Theme::Sheet::CalendarFrame));
    auto *around = new QVBoxLayout(shpCalendario);
    around->setContentsMargins(8, 8, 8, 8);
    calAppuntamenti->setParent(shpCalendario);
    around->addWidget(calAppuntamenti);

    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), panContainer);
    btnImportaData = Theme::textButton(QStringLiteral("btnImportaData"), QStringLiteral("Importa"), panContainer);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnAnnulla);
    buttons->addStretch();
    buttons->addWidget(btnImportaData);
    auto *column = new QVBoxLayout(panContainer);
    column->setContentsMargins(10, 10, 10, 10);
    column->addWidget(lblImporta);
    column->addWidget(shpCalendario, 1);
    column->addLayout(buttons);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(11, 11, 11, 11);
    outer->addWidget(panContainer);

    setTabOrder(calAppuntamenti, btnImportaData);
    setTabOrder(btnImportaData, btnAnnulla);

    connect(btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmCalendario::btnAnnullaClick);
    // Enter or a double-click on a day imports it, as "Importa" does.
    connect(calAppuntamenti, &QCalendarWidget::activated, this, &TfrmCalendario::btnImportaDataClick);
}

void TfrmCalendario::FormShow() { calAppuntamenti->setFocus(); }

void TfrmCalendario::btnImportaDataClick()
{
    if (m_mode != Mode::AppointmentDate)
        return;
    emit dateChosen(calAppuntamenti->selectedDate());
    accept();
}

void TfrmCalendario::btnAnnullaClick() { reject(); }
