#include "chart/frmDentalCondition.h"

#include "chart/ChartRules.h"
#include "chart/frmStoriaDente.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "print/ChartDocument.h"
#include "print/frmDentalPrint.h"
#include "storage/RecordFile.h"
#include "storage/AnsiText.h"
#include "ui/Accessibility.h"
#include "ui/EnterCycle.h"
#include "ui/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QButtonGroup>

using Theme::verdana;
using namespace Odontogram;

namespace {

constexpr int kFieldWidth = 270;
constexpr int kFieldHeight = 22;
constexpr int kRowPitch = 24;
constexpr int kLabelGap = 26;
// The notes and the odontogram's panel are two pages left of the scheme, under their tabs:
// the window fits a 1024 x 768 screen. A page's controls keep the places they have in the
// chart's own layout, one tab's height lower.
constexpr int kTabHeight = 30;

// "Terzo molare dx, arcata superiore": what a screen reader says about a tooth's field.
QString toothDescription(int tooth)
{
    QString name = ChartDocument::prefix(tooth).trimmed();
    name.chop(1); // the colon
    name = name.toLower();
    name[0] = name[0].toUpper();
    return name + (tooth <= 16 ? QStringLiteral(", arcata superiore") : QStringLiteral(", arcata inferiore"));
}

} // namespace

// ---- The window ------------------------------------------------------------------------

TfrmDentalCondition::TfrmDentalCondition(const QString &patientName, const QStringList &teeth,
                                         const QString &odontogramPath, const QList<Entry> &pending, QWidget *parent)
    : Dialog(parent), m_patientName(patientName), m_given(teeth), m_path(odontogramPath), m_pending(pending)
{
    setObjectName(QStringLiteral("frmDentalCondition"));
    setWindowTitle(QStringLiteral(" Stato dentale del paziente"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(996, 614 + kTabHeight);
    Theme::setGradient(this, "steel");

    panContainer = Theme::panel(QStringLiteral("panContainer"), this);
    panContainer->setGeometry(18, 18, 960, 576 + kTabHeight);

    lblTitolo = new QLabel(QStringLiteral("Stato dentale del paziente"), panContainer);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setTextFormat(Qt::PlainText);
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setFont(verdana(10, false));
    lblTitolo->setStyleSheet(Theme::sheet(Theme::Sheet::BandTitle));
    lblTitolo->setGeometry(14, 15, 932, 24);

    // The pages' two buttons, one of them down: each is read by its own name (a tab bar would
    // be read as its current tab, twice).
    btnPaginaNote = Theme::textButton(QStringLiteral("btnPaginaNote"), QStringLiteral("Note sui denti"), panContainer);
    btnPaginaNote->setGeometry(14, 42, 306, 26);
    btnPaginaOdontogramma =
        Theme::textButton(QStringLiteral("btnPaginaOdontogramma"), QStringLiteral("Odontogramma"), panContainer);
    btnPaginaOdontogramma->setGeometry(324, 42, 306, 26);
    m_pages = new QButtonGroup(this);
    for (QPushButton *b : {btnPaginaNote, btnPaginaOdontogramma}) {
        b->setCheckable(true);
        b->setStyleSheet(Theme::sheet(Theme::Sheet::SmallButton));
        m_pages->addButton(b, b == btnPaginaNote ? kNotesPage : kOdontogramPage);
    }
    btnPaginaNote->setChecked(true);
    pagNote = new QWidget(panContainer);
    pagNote->setObjectName(QStringLiteral("pagNote"));
    pagNote->setGeometry(0, kTabHeight, 640, 520);
    pagOdontogramma = new QWidget(panContainer);
    pagOdontogramma->setObjectName(QStringLiteral("pagOdontogramma"));
    pagOdontogramma->setGeometry(0, kTabHeight, 640, 520);
    pagOdontogramma->hide();
    for (QPushButton *b : {btnPaginaNote, btnPaginaOdontogramma})
        b->raise(); // above the pages' empty tops
    connect(m_pages, &QButtonGroup::idClicked, this, &TfrmDentalCondition::showPage);
    lblIstruzioni = Theme::label(
        QStringLiteral("lblIstruzioni"),
        QStringLiteral("Descrivere le condizioni attuali di ciascun dente nei campi di testo sottostanti."), pagNote);
    lblIstruzioni->setFont(verdana(9, false));
    lblIstruzioni->setGeometry(14, 42, 616, 18);

    shpSeparatore01 = Theme::bandRule(QStringLiteral("shpSeparatore01"), QRect(14, 62, 616, 4), pagNote);
    shpSeparatore02 = Theme::bandRule(QStringLiteral("shpSeparatore02"), QRect(14, 283, 616, 4), pagNote);
    shpSeparatore03 = Theme::bandRule(QStringLiteral("shpSeparatore03"), QRect(14, 507, 616, 4), pagNote);

    imgSchemaDentale = new DentalScheme(panContainer);
    imgSchemaDentale->setGeometry(652, 56, 278, 472);

    const QFont fieldFont = verdana(9, true);
    const QFont labelFont = verdana(9, false);
    for (int tooth = 1; tooth <= ChartRules::kTeeth; ++tooth) {
        const QString n = ChartRules::suffix(tooth);
        const ChartRules::Place place = ChartRules::place(tooth);
        const int x = place.left ? 40 : 358;
        const int y = (place.upper ? 78 : 302) + (place.row - 1) * kRowPitch;

        auto *edit = new QLineEdit(pagNote);
        edit->setObjectName(QStringLiteral("txtDente") + n);
        edit->setFont(fieldFont);
        edit->setGeometry(x, y, kFieldWidth, kFieldHeight);
        QLabel *label = Theme::label(QStringLiteral("lblDente") + n, ChartRules::fdiLabel(tooth), pagNote);
        label->setFont(labelFont);
        label->setGeometry(x - kLabelGap, y, kLabelGap, kFieldHeight);
        label->setBuddy(edit);
        // The label reads "18."; a screen reader says which tooth that is.
        edit->setAccessibleName(QStringLiteral("Dente ") + QString::number(ChartRules::tooth(tooth).fdi));
        edit->setAccessibleDescription(toothDescription(tooth));
        m_fields.append(edit);

        QLabel *marker = Theme::picture(QStringLiteral("icoWarn") + n, QStringLiteral("tooth-warning"), int(kNoteBadge),
                                        int(kNoteBadge), imgSchemaDentale);
        // Beside the tooth: the tooth's surfaces and its number stay in sight.
        marker->move(noteBadge(ChartRules::tooth(tooth).fdi).toPoint());
        marker->setAccessibleName(QStringLiteral("Nota sul dente ") + QString::number(ChartRules::tooth(tooth).fdi));
        Accessibility::hide(marker, false); // it tells which teeth have a note
        marker->hide();
        m_markers.append(marker);

        connect(edit, &QLineEdit::textChanged, this, [this, tooth] { toothChanged(tooth); });
    }

    btnPreview = Theme::textButton(QStringLiteral("btnPreview"), QStringLiteral("Anteprima"), panContainer);
    btnPreview->setGeometry(14, 526 + kTabHeight, 120, 30);
    btnPrint = Theme::textButton(QStringLiteral("btnPrint"), QStringLiteral("Stampa"), panContainer);
    btnPrint->setGeometry(154, 526 + kTabHeight, 120, 30);
    btnClose = Theme::textButton(QStringLiteral("btnClose"), QStringLiteral("Applica e chiudi"), panContainer);
    btnClose->setGeometry(464, 526 + kTabHeight, 164, 30);
    for (QPushButton *b : {btnPreview, btnPrint, btnClose})
        b->setStyleSheet(Theme::sheet(Theme::Sheet::SmallButton));

    // Enter and Tab both go round the teeth in the same order; Tab then reaches the buttons.
    QList<QWidget *> cycle;
    for (int tooth : ChartRules::enterOrder())
        cycle.append(txtDente(tooth));
    new EnterCycle(cycle, this);
    QList<QWidget *> chain = cycle;
    chain << btnPrint << btnPreview << btnClose;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    connect(btnClose, &QPushButton::clicked, this, &TfrmDentalCondition::btnCloseClick);
    connect(btnPreview, &QPushButton::clicked, this, &TfrmDentalCondition::btnPreviewClick);
    connect(btnPrint, &QPushButton::clicked, this, &TfrmDentalCondition::btnPrintClick);

    buildOdontogram();
}

ToothButton *TfrmDentalCondition::toothButton(int fdi) const
{
    for (ToothButton *b : m_buttons)
        if (b->fdi() == fdi)
            return b;
    return nullptr;
}

void TfrmDentalCondition::buildOdontogram()
{
    panOdontogramma = new OdontogramPanel(pagOdontogramma);
    panOdontogramma->setGeometry(14, 42, 300, 464);

    // One focusable tooth for each tooth of both dentitions; Tab reaches the chosen one.
    for (Dentition dentition : {Dentition::Permanent, Dentition::Deciduous})
        for (int fdi : Odontogram::teeth(dentition)) {
            auto *b = new ToothButton(fdi, imgSchemaDentale);
            b->setVisible(dentition == Dentition::Permanent);
            connect(b, &ToothButton::stepRequested, this, &TfrmDentalCondition::stepFrom);
            connect(b, &ToothButton::noteRequested, this, &TfrmDentalCondition::noteOf);
            connect(b, &ToothButton::stateRequested, this, [this] {
                showPage(kOdontogramPage);
                panOdontogramma->cboStato->setFocus();
            });
            connect(b, &ToothButton::focusChanged, this, &TfrmDentalCondition::refreshScheme);
            m_buttons.append(b);
        }
    imgSchemaDentale->keepMarksOnTop();
    connect(imgSchemaDentale, &DentalScheme::toothClicked, this, &TfrmDentalCondition::toothClicked);

    // After the chart's own order: the dentition, the chosen tooth, the panel.
    QList<QWidget *> chain{btnClose, btnPaginaNote, btnPaginaOdontogramma, panOdontogramma->optPermanenti,
                           panOdontogramma->optDecidui};
    for (ToothButton *b : std::as_const(m_buttons))
        chain.append(b);
    chain << panOdontogramma->cboStato << panOdontogramma->optPresente << panOdontogramma->optDaFare;
    for (QCheckBox *box : panOdontogramma->surfaceBoxes())
        chain.append(box);
    chain << panOdontogramma->btnStoria;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    for (QLineEdit *edit : std::as_const(m_fields))
        edit->installEventFilter(this);

    connect(panOdontogramma, &OdontogramPanel::dentitionChosen, this, &TfrmDentalCondition::showDentition);
    connect(panOdontogramma, &OdontogramPanel::changed, this, &TfrmDentalCondition::panelChanged);
    connect(panOdontogramma, &OdontogramPanel::historyRequested, this, &TfrmDentalCondition::btnStoriaClick);
}

void TfrmDentalCondition::noteOf(int fdi)
{
    showPage(kNotesPage);
    for (int tooth = 1; tooth <= ChartRules::kTeeth; ++tooth)
        if (ChartRules::tooth(tooth).fdi == fdi)
            txtDente(tooth)->setFocus();
}

void TfrmDentalCondition::showPage(int page)
{
    m_pages->button(page)->setChecked(true);
    pagNote->setVisible(page == kNotesPage);
    pagOdontogramma->setVisible(page == kOdontogramPage);
}

void TfrmDentalCondition::toothClicked(int fdi)
{
    showPage(kOdontogramPage); // a click on a tooth is to chart it
    chooseTooth(fdi);
    if (ToothButton *b = toothButton(fdi))
        b->setFocus(Qt::MouseFocusReason);
}

std::optional<TfrmDentalCondition::Applied> TfrmDentalCondition::edit(QWidget *parent, const QString &patientName,
                                                                      const QStringList &teeth,
                                                                      const QString &odontogramPath,
                                                                      const QList<Entry> &pending)
{
    auto *window = new TfrmDentalCondition(patientName, teeth, odontogramPath, pending, parent);
    std::optional<Applied> result;
    connect(window, &TfrmDentalCondition::applied, window, [&result, window](const QStringList &t) {
        result = Applied{t, window->pendingStates()};
    });
    Modal::run(window);
    return result;
}

void TfrmDentalCondition::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // the dialog's own Escape would close it and lose the notes typed
        return;
    }
    Dialog::keyPressEvent(event);
}

bool TfrmDentalCondition::eventFilter(QObject *watched, QEvent *event)
{
    // F2 in a tooth's note: that tooth chosen on the scheme, the focus on it.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_F2) {
        const qsizetype index = m_fields.indexOf(static_cast<QLineEdit *>(watched));
        if (index >= 0) {
            const int fdi = ChartRules::tooth(int(index) + 1).fdi;
            panOdontogramma->optPermanenti->setChecked(true);
            chooseTooth(fdi);
            toothButton(fdi)->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return Dialog::eventFilter(watched, event);
}

void TfrmDentalCondition::FormShow()
{
    lblTitolo->setText(QStringLiteral("Stato dentale di ") + AnsiText::trimmed(m_patientName));
    const QStringList given = ChartRules::trimmedTeeth(m_given);
    for (int tooth = 1; tooth <= ChartRules::kTeeth; ++tooth) {
        txtDente(tooth)->setText(given[tooth - 1]);
        txtDente(tooth)->setCursorPosition(0);
        toothChanged(tooth); // also when the text did not change
    }

    // The odontogram as saved; a file that cannot be read leaves it empty and unchangeable.
    bool readable = true;
    if (!m_path.isEmpty()) {
        try {
            m_saved = Odontogram::read(m_path);
        } catch (const StorageError &) {
            readable = false;
        }
    }
    m_savedLatest = latest(m_saved);
    panOdontogramma->setEditable(readable);
    if (!readable)
        m_pending.clear();
    chooseTooth(m_chosen);
    txtDente(8)->setFocus(); // tooth 11
    if (!readable)
        Messages::error(this, kArchiveFailure);
}

void TfrmDentalCondition::toothChanged(int tooth)
{
    icoWarn(tooth)->setVisible(ChartRules::hasNote(txtDente(tooth)->text())
                               && imgSchemaDentale->dentition() == Dentition::Permanent);
}

QStringList TfrmDentalCondition::teeth() const
{
    QStringList texts;
    for (const QLineEdit *edit : m_fields)
        texts.append(edit->text());
    return ChartRules::trimmedTeeth(texts);
}

ToothState TfrmDentalCondition::toothState(int fdi) const
{
    for (const Entry &e : m_pending)
        if (e.fdi == fdi)
            return e.state;
    return m_savedLatest.value(fdi);
}

QMap<int, ToothState> TfrmDentalCondition::toothStates() const
{
    QMap<int, ToothState> states = m_savedLatest;
    for (const Entry &e : m_pending)
        states.insert(e.fdi, e.state);
    return states;
}

void TfrmDentalCondition::showDentition(Dentition dentition)
{
    if (imgSchemaDentale->dentition() == dentition)
        return;
    const bool hadFocus = toothButton(m_chosen) && toothButton(m_chosen)->hasFocus();
    imgSchemaDentale->setDentition(dentition);
    for (ToothButton *b : std::as_const(m_buttons))
        b->setVisible(dentitionOf(b->fdi()) == dentition);
    for (int tooth = 1; tooth <= ChartRules::kTeeth; ++tooth)
        toothChanged(tooth); // the notes' markers belong to the permanent teeth
    // The tooth of the same place in the other dentition (a deciduous tooth has none behind
    // the fifth).
    const int quadrant = m_chosen / 10;
    const int unit = qMin(m_chosen % 10, dentition == Dentition::Deciduous ? 5 : 8);
    const int other = dentition == Dentition::Deciduous ? (quadrant <= 4 ? quadrant + 4 : quadrant) * 10 + unit
                                                        : (quadrant > 4 ? quadrant - 4 : quadrant) * 10 + unit;
    chooseTooth(other);
    if (hadFocus)
        toothButton(other)->setFocus();
}

void TfrmDentalCondition::chooseTooth(int fdi)
{
    if (!isTooth(fdi))
        return;
    if (dentitionOf(fdi) != imgSchemaDentale->dentition())
        panOdontogramma->setDentition(dentitionOf(fdi));
    m_chosen = fdi;
    for (ToothButton *b : std::as_const(m_buttons)) {
        b->setChecked(b->fdi() == fdi);
        // Tab reaches the chosen tooth only; the arrows go to the others.
        b->setFocusPolicy(b->fdi() == fdi ? Qt::StrongFocus : Qt::ClickFocus);
    }
    showChosen();
}

void TfrmDentalCondition::showChosen()
{
    panOdontogramma->showTooth(m_chosen, toothState(m_chosen));
    refreshScheme();
}

void TfrmDentalCondition::panelChanged()
{
    m_pending = withChange(m_pending, m_savedLatest, Entry{Clock::now(), m_chosen, panOdontogramma->state()});
    showChosen(); // surfaces and condition follow the state
}

void TfrmDentalCondition::refreshScheme()
{
    const QMap<int, ToothState> states = toothStates();
    imgSchemaDentale->setMarks(plan(states, imgSchemaDentale->dentition()));
    ToothButton *chosen = toothButton(m_chosen);
    imgSchemaDentale->setChosen(m_chosen, chosen && chosen->hasFocus());
    for (ToothButton *b : std::as_const(m_buttons))
        b->setAccessibleName(toothName(b->fdi(), states.value(b->fdi())));
}

void TfrmDentalCondition::stepFrom(int fdi, Step step)
{
    const int next = neighbour(fdi, step);
    if (!next)
        return;
    chooseTooth(next);
    toothButton(next)->setFocus(Qt::OtherFocusReason);
}

ChartDocument::Odontogram TfrmDentalCondition::printedOdontogram() const { return printed(toothStates()); }

void TfrmDentalCondition::btnCloseClick()
{
    emit applied(teeth());
    accept();
}

void TfrmDentalCondition::btnPreviewClick()
{
    auto *dialog = new TfrmAnteprimaDentale(lblTitolo->text(), teeth(), this);
    dialog->setOdontogram(printedOdontogram());
    Modal::run(dialog);
}

void TfrmDentalCondition::btnPrintClick()
{
    auto *dialog = new TfrmPrint_Dental_Condition(lblTitolo->text(), teeth(), this);
    dialog->setOdontogram(printedOdontogram());
    Modal::run(dialog);
}

void TfrmDentalCondition::btnStoriaClick()
{
    QList<Entry> pending;
    for (const Entry &e : std::as_const(m_pending))
        if (e.fdi == m_chosen)
            pending.append(e);
    Modal::run(new TfrmStoriaDente(m_chosen, history(m_saved, m_chosen), pending, this));
}
