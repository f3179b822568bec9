#include "chart/frmDentalCondition.h"

#include "chart/ChartRules.h"
#include "chart/frmStoriaDente.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "print/ChartDocument.h"
#include "print/ReportRenderer.h"
#include "print/frmDentalPrint.h"
#include "storage/RecordFile.h"
#include "storage/AnsiText.h"
#include "ui/Accessibility.h"
#include "ui/EnterCycle.h"
#include "ui/Icons.h"
#include "ui/Theme.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QSvgRenderer>

using Theme::verdana;
using namespace Odontogram;

namespace {

constexpr int kFieldWidth = 270;
constexpr int kFieldHeight = 22;
constexpr int kRowPitch = 24;
constexpr int kLabelGap = 26;
// The odontogram's column, right of the scheme, in the panel's coordinates.
constexpr int kColumn = 946;
constexpr int kColumnWidth = 300;

QFrame *blueBar(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *bar = new QFrame(parent);
    bar->setObjectName(name);
    bar->setStyleSheet(Theme::sheet(Theme::Sheet::BandRule));
    bar->setGeometry(geometry);
    return bar;
}

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

// ---- The scheme ------------------------------------------------------------------------

namespace {

// The marks drawn above the note markers, and the frame of the chosen tooth.
class SchemeLayer : public QWidget
{
public:
    explicit SchemeLayer(DentalScheme *scheme) : QWidget(scheme), m_scheme(scheme)
    {
        setObjectName(QStringLiteral("imgSegni"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        Accessibility::hide(this);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(width() / kSchemeWidth, height() / kSchemeHeight);
        QList<Report::Shape> above;
        for (const Mark &mark : m_scheme->marks())
            if (mark.symbol != Symbol::Faded)
                above += shapes(mark);
        Report::paintShapes(p, above);
        const int fdi = m_scheme->chosen();
        if (dentitionOf(fdi) != m_scheme->dentition() || !isTooth(fdi))
            return;
        const Place &at = place(fdi);
        const double r = qMax(at.width, at.depth) / 2 + 4.5;
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Theme::colour(Theme::Colour::FocusRing), 3));
        p.drawEllipse(at.centre, r, r);
        if (m_scheme->chosenHasFocus()) {
            p.setPen(QPen(Theme::colour(Theme::Colour::Heading), 1.2, Qt::DashLine));
            p.drawEllipse(at.centre, r + 2.5, r + 2.5);
        }
    }

private:
    DentalScheme *m_scheme;
};

} // namespace

DentalScheme::DentalScheme(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgSchemaDentale"));
    setAccessibleName(QStringLiteral("Schema dentale"));
    setAccessibleDescription(QStringLiteral("Arcata superiore e arcata inferiore viste dall'alto, con la numerazione "
                                            "FDI; la destra del paziente è a sinistra."));
    m_layer = new SchemeLayer(this);
}

void DentalScheme::keepMarksOnTop() { m_layer->raise(); }

void DentalScheme::setDentition(Dentition dentition)
{
    m_dentition = dentition;
    update();
    if (m_layer)
        m_layer->update();
}

void DentalScheme::setMarks(const QList<Mark> &marks)
{
    m_marks = marks;
    update();
    if (m_layer)
        m_layer->update();
}

void DentalScheme::setChosen(int fdi, bool focused)
{
    m_chosen = fdi;
    m_focused = focused;
    if (m_layer)
        m_layer->update();
}

void DentalScheme::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    Icons::renderer(m_dentition == Dentition::Permanent ? QStringLiteral("dental-scheme")
                                                        : QStringLiteral("dental-scheme-deciduous"))
        ->render(&p, QRectF(rect()));
    // Teeth that are not there fade under the note markers.
    p.scale(width() / kSchemeWidth, height() / kSchemeHeight);
    QList<Report::Shape> faded;
    for (const Mark &mark : std::as_const(m_marks))
        if (mark.symbol == Symbol::Faded)
            faded += shapes(mark);
    Report::paintShapes(p, faded);
}

void DentalScheme::resizeEvent(QResizeEvent *) { m_layer->setGeometry(rect()); }

void DentalScheme::mousePressEvent(QMouseEvent *event)
{
    const QPointF at(event->position().x() * kSchemeWidth / width(), event->position().y() * kSchemeHeight / height());
    const int fdi = toothAt(at, m_dentition);
    if (fdi && onClicked)
        onClicked(fdi);
    event->accept();
}

ToothButton::ToothButton(int fdi, QWidget *parent) : QAbstractButton(parent), m_fdi(fdi)
{
    setObjectName(QStringLiteral("btnDente") + QString::number(fdi));
    setCheckable(true);
    setFocusPolicy(Qt::ClickFocus);
    // The scheme takes the clicks: it knows which tooth lies under the pointer.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    const Place &at = place(fdi);
    const int side = int(qMax(at.width, at.depth)) + 2;
    setGeometry(int(at.centre.x()) - side / 2, int(at.centre.y()) - side / 2, side, side);
    setAccessibleName(toothName(fdi, {}));
}

void ToothButton::keyPressEvent(QKeyEvent *event)
{
    const auto step = [&](Step s) {
        if (onStep)
            onStep(m_fdi, s);
    };
    switch (event->key()) {
    case Qt::Key_Left:
        step(Step::Left);
        break;
    case Qt::Key_Right:
        step(Step::Right);
        break;
    case Qt::Key_Up:
        step(Step::Up);
        break;
    case Qt::Key_Down:
        step(Step::Down);
        break;
    case Qt::Key_F2:
        if (onNote)
            onNote(m_fdi);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (onState)
            onState(m_fdi);
        break;
    default:
        QAbstractButton::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ToothButton::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    if (onFocus)
        onFocus();
}

void ToothButton::focusOutEvent(QFocusEvent *event)
{
    QAbstractButton::focusOutEvent(event);
    if (onFocus)
        onFocus();
}

OdontogramLegend::OdontogramLegend(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgLegenda"));
    setAccessibleName(QStringLiteral("Legenda"));
    QStringList texts;
    for (const LegendItem &item : legend())
        texts.append(item.text);
    setAccessibleDescription(QStringLiteral("Simboli: ") + texts.join(QStringLiteral(", ")) + QStringLiteral(". ")
                             + kLegendPlanned + QStringLiteral("; ") + kLegendPresent + QLatin1Char('.'));
}

void OdontogramLegend::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(verdana(8));
    const QList<LegendItem> items = legend();
    constexpr int kRow = 22;
    const int half = int(items.size() + 1) / 2;
    for (int i = 0; i < items.size(); ++i) {
        const int x = i < half ? 0 : width() / 2;
        const int y = (i % half) * kRow;
        p.save();
        p.translate(x, y);
        Report::paintShapes(p, items[i].sample);
        p.restore();
        p.setPen(Theme::colour(Theme::Colour::LegendText));
        p.drawText(QRect(x + 26, y, width() / 2 - 28, int(kLegendSample)), Qt::AlignVCenter | Qt::AlignLeft,
                   items[i].text);
    }
    const int keys = half * kRow + 4;
    p.setFont(verdana(8, true));
    p.setPen(Theme::colour(kPlannedColour));
    p.drawText(QRect(0, keys, width() / 2, 18), Qt::AlignVCenter | Qt::AlignLeft, kLegendPlanned);
    p.setPen(Theme::colour(kPresentColour));
    p.drawText(QRect(width() / 2, keys, width() / 2, 18), Qt::AlignVCenter | Qt::AlignLeft, kLegendPresent);
}

// ---- The window ------------------------------------------------------------------------

TfrmDentalCondition::TfrmDentalCondition(const QString &patientName, const QStringList &teeth, QWidget *parent)
    : TfrmDentalCondition(patientName, teeth, QString(), {}, parent)
{}

TfrmDentalCondition::TfrmDentalCondition(const QString &patientName, const QStringList &teeth,
                                         const QString &odontogramPath, const QList<Entry> &pending, QWidget *parent)
    : Dialog(parent), m_patientName(patientName), m_given(teeth), m_path(odontogramPath), m_pending(pending)
{
    setObjectName(QStringLiteral("frmDentalCondition"));
    setWindowTitle(QStringLiteral(" Stato dentale del paziente"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // The odontogram's column widens the window to the right; the rest stays where it was.
    setFixedSize(996 + kColumnWidth, 614);
    Theme::setGradient(this, "steel");

    panContainer = Theme::panel(QStringLiteral("panContainer"), this);
    panContainer->setGeometry(18, 18, 960 + kColumnWidth, 576);

    lblTitolo = new QLabel(QStringLiteral("Stato dentale del paziente"), panContainer);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setTextFormat(Qt::PlainText);
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setFont(verdana(10, false));
    lblTitolo->setStyleSheet(Theme::sheet(Theme::Sheet::BandTitle));
    lblTitolo->setGeometry(14, 15, 932 + kColumnWidth, 24);
    lblIstruzioni = Theme::label(
        QStringLiteral("lblIstruzioni"),
        QStringLiteral("Descrivere le condizioni attuali di ciascun dente nei campi di testo sottostanti."),
        panContainer);
    lblIstruzioni->setFont(verdana(9, false));
    lblIstruzioni->setGeometry(14, 42, 616, 18);

    shpSeparatore01 = blueBar(QStringLiteral("shpSeparatore01"), QRect(14, 62, 616, 4), panContainer);
    shpSeparatore02 = blueBar(QStringLiteral("shpSeparatore02"), QRect(14, 283, 616, 4), panContainer);
    shpSeparatore03 = blueBar(QStringLiteral("shpSeparatore03"), QRect(14, 507, 616, 4), panContainer);

    imgSchemaDentale = new DentalScheme(panContainer);
    imgSchemaDentale->setGeometry(652, 56, 278, 472);

    const QFont fieldFont = verdana(9, true);
    const QFont labelFont = verdana(9, false);
    for (int tooth = 1; tooth <= ChartRules::kTeeth; ++tooth) {
        const QString n = ChartRules::suffix(tooth);
        const ChartRules::Place place = ChartRules::place(tooth);
        const int x = place.left ? 40 : 358;
        const int y = (place.upper ? 78 : 302) + (place.row - 1) * kRowPitch;

        auto *edit = new QLineEdit(panContainer);
        edit->setObjectName(QStringLiteral("txtDente") + n);
        edit->setFont(fieldFont);
        edit->setGeometry(x, y, kFieldWidth, kFieldHeight);
        QLabel *label = Theme::label(QStringLiteral("lblDente") + n, ChartRules::fdiLabel(tooth), panContainer);
        label->setFont(labelFont);
        label->setGeometry(x - kLabelGap, y, kLabelGap, kFieldHeight);
        label->setBuddy(edit);
        // The label reads "18."; a screen reader says which tooth that is.
        edit->setAccessibleName(QStringLiteral("Dente ") + QString::number(ChartRules::tooth(tooth).fdi));
        edit->setAccessibleDescription(toothDescription(tooth));
        m_fields.append(edit);

        QLabel *marker =
            Theme::picture(QStringLiteral("icoWarn") + n, QStringLiteral("tooth-warning"), 17, 17, imgSchemaDentale);
        marker->move(ChartRules::tooth(tooth).mark);
        marker->setAccessibleName(QStringLiteral("Nota sul dente ") + QString::number(ChartRules::tooth(tooth).fdi));
        Accessibility::hide(marker, false); // it tells which teeth have a note
        marker->hide();
        m_markers.append(marker);

        connect(edit, &QLineEdit::textChanged, this, [this, tooth] { toothChanged(tooth); });
    }

    btnPreview = Theme::textButton(QStringLiteral("btnPreview"), QStringLiteral("Anteprima"), panContainer);
    btnPreview->setGeometry(14, 526, 120, 30);
    btnPrint = Theme::textButton(QStringLiteral("btnPrint"), QStringLiteral("Stampa"), panContainer);
    btnPrint->setGeometry(154, 526, 120, 30);
    btnClose = Theme::textButton(QStringLiteral("btnClose"), QStringLiteral("Applica e chiudi"), panContainer);
    btnClose->setGeometry(464, 526, 164, 30);
    for (QPushButton *b : {btnPreview, btnPrint, btnClose})
        b->setStyleSheet(QStringLiteral("padding: 2px 8px;"));

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

QCheckBox *TfrmDentalCondition::chkSuperficie(Surface surface) const
{
    const QList<Surface> order{M, D, O, V, L};
    return m_surfaceBoxes.value(order.indexOf(surface));
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
    const QFont font = verdana(9, false);
    const auto radio = [&](const char *name, const QString &text, const QRect &geometry) {
        auto *b = new QRadioButton(text, panContainer);
        b->setObjectName(QLatin1String(name));
        b->setFont(font);
        b->setGeometry(geometry);
        b->setAccessibleName(text);
        return b;
    };

    // Which teeth the scheme shows.
    optPermanenti = radio("optPermanenti", QStringLiteral("Denti permanenti"), QRect(kColumn, 56, 150, 22));
    optDecidui = radio("optDecidui", QStringLiteral("Denti decidui"), QRect(kColumn + 156, 56, 144, 22));
    m_dentitionGroup = new QButtonGroup(this);
    m_dentitionGroup->addButton(optPermanenti);
    m_dentitionGroup->addButton(optDecidui);
    optPermanenti->setChecked(true);
    shpSeparatore04 = blueBar(QStringLiteral("shpSeparatore04"), QRect(kColumn, 84, kColumnWidth, 4), panContainer);

    // The chosen tooth and its state.
    lblDente = new QLabel(panContainer);
    lblDente->setObjectName(QStringLiteral("lblDente"));
    lblDente->setTextFormat(Qt::PlainText);
    lblDente->setFont(verdana(9, true));
    lblDente->setWordWrap(true);
    lblDente->setGeometry(kColumn, 94, kColumnWidth, 36);
    Accessibility::valueLabel(lblDente, QStringLiteral("Dente scelto"));

    cboStato = new QComboBox(panContainer);
    cboStato->setObjectName(QStringLiteral("cboStato"));
    cboStato->setFont(font);
    for (State state : states())
        cboStato->addItem(stateCaption(state), int(state));
    cboStato->setGeometry(kColumn + 76, 136, kColumnWidth - 76, 24);
    lblStato = Theme::label(QStringLiteral("lblStato"), QStringLiteral("Stato:"), panContainer, cboStato);
    lblStato->setFont(font);
    lblStato->setGeometry(kColumn, 136, 72, 24);
    cboStato->setAccessibleName(QStringLiteral("Stato del dente"));

    optPresente = radio("optPresente", QStringLiteral("Presente"), QRect(kColumn + 76, 168, 110, 22));
    optDaFare = radio("optDaFare", QStringLiteral("Da fare"), QRect(kColumn + 190, 168, 110, 22));
    m_conditionGroup = new QButtonGroup(this);
    m_conditionGroup->addButton(optPresente);
    m_conditionGroup->addButton(optDaFare);
    optPresente->setChecked(true);

    lblSuperfici = Theme::label(QStringLiteral("lblSuperfici"), QStringLiteral("Superfici:"), panContainer);
    lblSuperfici->setFont(font);
    lblSuperfici->setGeometry(kColumn, 198, 72, 24);
    const char *const names[] = {"chkM", "chkD", "chkO", "chkV", "chkL"};
    for (int i = 0; i < 5; ++i) {
        auto *box = new QCheckBox(panContainer);
        box->setObjectName(QLatin1String(names[i]));
        box->setFont(verdana(9, true));
        box->setGeometry(kColumn + 76 + i * 45, 198, 44, 24);
        box->setStyleSheet(Theme::sheet(Theme::Sheet::SurfaceBox));
        m_surfaceBoxes.append(box);
        connect(box, &QCheckBox::toggled, this, &TfrmDentalCondition::panelChanged);
    }

    btnStoria = Theme::textButton(QStringLiteral("btnStoria"), QStringLiteral("Storia del dente"), panContainer);
    btnStoria->setGeometry(kColumn, 234, 160, 30);
    btnStoria->setStyleSheet(QStringLiteral("padding: 2px 8px;"));
    shpSeparatore05 = blueBar(QStringLiteral("shpSeparatore05"), QRect(kColumn, 276, kColumnWidth, 4), panContainer);

    imgLegenda = new OdontogramLegend(panContainer);
    imgLegenda->setGeometry(kColumn, 288, kColumnWidth, 140);

    lblAiuto = Theme::label(QStringLiteral("lblAiuto"),
                            QStringLiteral("Scegliere un dente con un clic sullo schema, oppure con F2 dal suo campo; "
                                           "le frecce passano ai denti vicini. Ogni modifica è registrata con la "
                                           "data di oggi quando la scheda del paziente viene salvata."),
                            panContainer);
    lblAiuto->setFont(verdana(8, false));
    lblAiuto->setWordWrap(true);
    lblAiuto->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblAiuto->setGeometry(kColumn, 436, kColumnWidth, 84);

    // One focusable tooth for each tooth of both dentitions; Tab reaches the chosen one.
    for (Dentition dentition : {Dentition::Permanent, Dentition::Deciduous})
        for (int fdi : Odontogram::teeth(dentition)) {
            auto *b = new ToothButton(fdi, imgSchemaDentale);
            b->setVisible(dentition == Dentition::Permanent);
            b->onStep = [this](int from, Step step) { stepFrom(from, step); };
            b->onNote = [this](int from) {
                for (int tooth = 1; tooth <= ChartRules::kTeeth; ++tooth)
                    if (ChartRules::tooth(tooth).fdi == from)
                        txtDente(tooth)->setFocus();
            };
            b->onState = [this](int) { cboStato->setFocus(); };
            b->onFocus = [this] { refreshScheme(); };
            m_buttons.append(b);
        }
    imgSchemaDentale->keepMarksOnTop();
    imgSchemaDentale->onClicked = [this](int fdi) {
        chooseTooth(fdi);
        if (ToothButton *b = toothButton(fdi))
            b->setFocus(Qt::MouseFocusReason);
    };

    // After the chart's own order: the dentition, the chosen tooth, the panel.
    QList<QWidget *> chain{btnClose, optPermanenti, optDecidui};
    for (ToothButton *b : std::as_const(m_buttons))
        chain.append(b);
    chain << cboStato << optPresente << optDaFare;
    for (QCheckBox *box : std::as_const(m_surfaceBoxes))
        chain.append(box);
    chain << btnStoria;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);

    for (QLineEdit *edit : std::as_const(m_fields))
        edit->installEventFilter(this);

    connect(optDecidui, &QRadioButton::toggled, this,
            [this](bool on) { showDentition(on ? Dentition::Deciduous : Dentition::Permanent); });
    connect(cboStato, &QComboBox::currentIndexChanged, this, &TfrmDentalCondition::panelChanged);
    connect(optPresente, &QRadioButton::toggled, this, &TfrmDentalCondition::panelChanged);
    connect(btnStoria, &QPushButton::clicked, this, &TfrmDentalCondition::btnStoriaClick);
}

std::optional<QStringList> TfrmDentalCondition::edit(QWidget *parent, const QString &patientName,
                                                     const QStringList &teeth)
{
    auto *window = new TfrmDentalCondition(patientName, teeth, parent);
    std::optional<QStringList> result;
    connect(window, &TfrmDentalCondition::applied, window, [&result](const QStringList &t) { result = t; });
    Modal::run(window);
    return result;
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
            optPermanenti->setChecked(true);
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
    for (QWidget *w : std::initializer_list<QWidget *>{cboStato, optPresente, optDaFare, btnStoria})
        w->setEnabled(readable);
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
        (dentitionOf(fdi) == Dentition::Deciduous ? optDecidui : optPermanenti)->setChecked(true);
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
    m_showing = true;
    const ToothState state = toothState(m_chosen);
    lblDente->setText(QStringLiteral("Dente %1: %2").arg(m_chosen).arg(toothTitle(m_chosen)));
    cboStato->setCurrentIndex(cboStato->findData(int(state.state)));
    (state.planned ? optDaFare : optPresente)->setChecked(true);
    const QList<Surface> order{M, D, O, V, L};
    for (int i = 0; i < 5; ++i) {
        QCheckBox *box = m_surfaceBoxes[i];
        box->setText(surfaceLetter(order[i], m_chosen));
        box->setAccessibleName(surfaceName(order[i], m_chosen) + QStringLiteral(" (")
                               + surfaceLetter(order[i], m_chosen) + QLatin1Char(')'));
        box->setChecked(state.surfaces & order[i]);
        box->setEnabled(cboStato->isEnabled() && hasSurfaces(state.state));
    }
    const bool sano = state.state == State::Sano;
    optPresente->setEnabled(cboStato->isEnabled() && !sano);
    optDaFare->setEnabled(cboStato->isEnabled() && !sano);
    m_showing = false;
    refreshScheme();
}

void TfrmDentalCondition::panelChanged()
{
    if (m_showing || !cboStato->isEnabled())
        return;
    ToothState state;
    state.state = State(cboStato->currentData().toInt());
    state.planned = optDaFare->isChecked();
    const QList<Surface> order{M, D, O, V, L};
    for (int i = 0; i < 5; ++i)
        if (m_surfaceBoxes[i]->isChecked())
            state.surfaces |= order[i];
    m_pending = withChange(m_pending, m_savedLatest, Entry{Clock::now(), m_chosen, state});
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
