#include "chart/OdontogramPanel.h"

#include "chart/DentalScheme.h"
#include "ui/Accessibility.h"
#include "ui/Theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using Theme::verdana;
using namespace Odontogram;

namespace {

constexpr int kWidth = 300;
const QList<Surface> kSurfaceOrder{M, D, O, V, L};

// Tab lands on a group's chosen choice only; the arrows still go to the others (and choose
// them), as a group of choices is used from the keyboard.
void tabToChecked(QButtonGroup *group)
{
    const auto follow = [group] {
        for (QAbstractButton *b : group->buttons())
            b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
    };
    QObject::connect(group, &QButtonGroup::buttonToggled, group, follow);
    follow();
}

} // namespace

OdontogramPanel::OdontogramPanel(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("panOdontogramma"));
    const QFont font = verdana(9, false);
    const auto radio = [&](const char *name, const QString &text, const QRect &geometry) {
        auto *b = new QRadioButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setFont(font);
        b->setGeometry(geometry);
        b->setAccessibleName(text);
        return b;
    };

    // Which teeth the scheme shows.
    optPermanenti = radio("optPermanenti", QStringLiteral("Denti permanenti"), QRect(0, 0, 150, 22));
    optDecidui = radio("optDecidui", QStringLiteral("Denti decidui"), QRect(156, 0, 144, 22));
    m_dentitionGroup = new QButtonGroup(this);
    m_dentitionGroup->addButton(optPermanenti);
    m_dentitionGroup->addButton(optDecidui);
    optPermanenti->setChecked(true);
    shpSeparatore04 = Theme::bandRule(QStringLiteral("shpSeparatore04"), QRect(0, 28, kWidth, 4), this);

    // The chosen tooth and its state.
    lblDente = new QLabel(this);
    lblDente->setObjectName(QStringLiteral("lblDente"));
    lblDente->setTextFormat(Qt::PlainText);
    lblDente->setFont(verdana(9, true));
    lblDente->setWordWrap(true);
    lblDente->setGeometry(0, 38, kWidth, 36);
    Accessibility::valueLabel(lblDente, QStringLiteral("Dente scelto"));

    cboStato = new QComboBox(this);
    cboStato->setObjectName(QStringLiteral("cboStato"));
    cboStato->setFont(font);
    for (State state : states())
        cboStato->addItem(stateCaption(state), int(state));
    cboStato->setGeometry(76, 80, kWidth - 76, 24);
    lblStato = Theme::label(QStringLiteral("lblStato"), QStringLiteral("Stato:"), this, cboStato);
    lblStato->setFont(font);
    lblStato->setGeometry(0, 80, 72, 24);
    cboStato->setAccessibleName(QStringLiteral("Stato del dente"));

    optPresente = radio("optPresente", QStringLiteral("Presente"), QRect(76, 112, 110, 22));
    optDaFare = radio("optDaFare", QStringLiteral("Da fare"), QRect(190, 112, 110, 22));
    m_conditionGroup = new QButtonGroup(this);
    m_conditionGroup->addButton(optPresente);
    m_conditionGroup->addButton(optDaFare);
    optPresente->setChecked(true);
    tabToChecked(m_dentitionGroup);
    tabToChecked(m_conditionGroup);

    lblSuperfici = Theme::label(QStringLiteral("lblSuperfici"), QStringLiteral("Superfici:"), this);
    lblSuperfici->setFont(font);
    lblSuperfici->setGeometry(0, 142, 72, 24);
    const char *const names[] = {"chkM", "chkD", "chkO", "chkV", "chkL"};
    for (int i = 0; i < 5; ++i) {
        auto *box = new QCheckBox(this);
        box->setObjectName(QLatin1String(names[i]));
        box->setFont(verdana(9, true));
        box->setGeometry(76 + i * 45, 142, 44, 24);
        box->setStyleSheet(Theme::sheet(Theme::Sheet::SurfaceBox));
        m_surfaceBoxes.append(box);
        connect(box, &QCheckBox::toggled, this, &OdontogramPanel::userChanged);
    }

    btnStoria = Theme::textButton(QStringLiteral("btnStoria"), QStringLiteral("Storia del dente"), this);
    btnStoria->setGeometry(0, 178, 160, 30);
    btnStoria->setStyleSheet(Theme::sheet(Theme::Sheet::SmallButton));
    shpSeparatore05 = Theme::bandRule(QStringLiteral("shpSeparatore05"), QRect(0, 220, kWidth, 4), this);

    imgLegenda = new OdontogramLegend(this);
    imgLegenda->setGeometry(0, 232, kWidth, 140);

    lblAiuto = Theme::label(QStringLiteral("lblAiuto"),
                            QStringLiteral("Scegliere un dente con un clic sullo schema, oppure con F2 dal suo campo; "
                                           "le frecce passano ai denti vicini. Ogni modifica è registrata con la "
                                           "data di oggi quando la scheda del paziente viene salvata."),
                            this);
    lblAiuto->setFont(verdana(8, false));
    lblAiuto->setWordWrap(true);
    lblAiuto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAiuto->setGeometry(0, 380, kWidth, 84);

    connect(optDecidui, &QRadioButton::toggled, this,
            [this](bool on) { emit dentitionChosen(on ? Dentition::Deciduous : Dentition::Permanent); });
    connect(cboStato, &QComboBox::currentIndexChanged, this, &OdontogramPanel::userChanged);
    connect(optPresente, &QRadioButton::toggled, this, &OdontogramPanel::userChanged);
    connect(btnStoria, &QPushButton::clicked, this, &OdontogramPanel::historyRequested);
}

QCheckBox *OdontogramPanel::chkSuperficie(Surface surface) const
{
    return m_surfaceBoxes.value(kSurfaceOrder.indexOf(surface));
}

void OdontogramPanel::setDentition(Dentition dentition)
{
    (dentition == Dentition::Deciduous ? optDecidui : optPermanenti)->setChecked(true);
}

void OdontogramPanel::setEditable(bool editable)
{
    for (QWidget *w : std::initializer_list<QWidget *>{cboStato, optPresente, optDaFare, btnStoria})
        w->setEnabled(editable);
}

void OdontogramPanel::showTooth(int fdi, const ToothState &state)
{
    m_showing = true;
    lblDente->setText(QStringLiteral("Dente %1: %2").arg(fdi).arg(toothTitle(fdi)));
    cboStato->setCurrentIndex(cboStato->findData(int(state.state)));
    (state.planned ? optDaFare : optPresente)->setChecked(true);
    for (int i = 0; i < 5; ++i) {
        QCheckBox *box = m_surfaceBoxes[i];
        const Surface surface = kSurfaceOrder[i];
        box->setText(surfaceLetter(surface, fdi));
        box->setAccessibleName(surfaceName(surface, fdi) + QStringLiteral(" (") + surfaceLetter(surface, fdi)
                               + QLatin1Char(')'));
        box->setChecked(state.surfaces.testFlag(surface));
        box->setEnabled(cboStato->isEnabled() && hasSurfaces(state.state));
    }
    // Only work is present or planned; caries or a missing tooth are just found.
    const bool work = canBePlanned(state.state);
    optPresente->setEnabled(cboStato->isEnabled() && work);
    optDaFare->setEnabled(cboStato->isEnabled() && work);
    m_showing = false;
}

ToothState OdontogramPanel::state() const
{
    ToothState state;
    state.state = State(cboStato->currentData().toInt());
    state.planned = optDaFare->isChecked() && canBePlanned(state.state);
    for (int i = 0; i < 5; ++i)
        if (m_surfaceBoxes[i]->isChecked())
            state.surfaces |= kSurfaceOrder[i];
    return state;
}

void OdontogramPanel::userChanged()
{
    if (m_showing || !cboStato->isEnabled())
        return;
    emit changed();
}
