#include "chart/frmDentalCondition.h"

#include "chart/ChartRules.h"
#include "platform/Modal.h"
#include "print/ChartDocument.h"
#include "print/frmDentalPrint.h"
#include "storage/AnsiText.h"
#include "ui/Accessibility.h"
#include "ui/EnterCycle.h"
#include "ui/Icons.h"
#include "ui/Theme.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QSvgRenderer>

using Theme::verdana;

namespace {

constexpr int kFieldWidth = 270;
constexpr int kFieldHeight = 22;
constexpr int kRowPitch = 24;
constexpr int kLabelGap = 26;
const QString kRoyalBlue = QStringLiteral("#4169E1");

QFrame *blueBar(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *bar = new QFrame(parent);
    bar->setObjectName(name);
    bar->setStyleSheet(QStringLiteral("background: %1; border: none;").arg(kRoyalBlue));
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

DentalScheme::DentalScheme(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("imgSchemaDentale"));
    setAccessibleName(QStringLiteral("Schema dentale"));
    setAccessibleDescription(QStringLiteral("Arcata superiore e arcata inferiore viste dall'alto, con la numerazione "
                                            "FDI; la destra del paziente è a sinistra."));
}

void DentalScheme::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    Icons::renderer(QStringLiteral("dental-scheme"))->render(&p, QRectF(rect()));
}

TfrmDentalCondition::TfrmDentalCondition(const QString &patientName, const QStringList &teeth, QWidget *parent)
    : QDialog(parent), m_patientName(patientName), m_given(teeth)
{
    setObjectName(QStringLiteral("frmDentalCondition"));
    setWindowTitle(QStringLiteral(" Stato dentale del paziente"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(996, 614);
    Theme::setGradient(this, "steel");

    panContainer = Theme::panel(QStringLiteral("panContainer"), this);
    panContainer->setGeometry(18, 18, 960, 576);

    lblTitolo = new QLabel(QStringLiteral("Stato dentale del paziente"), panContainer);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setTextFormat(Qt::PlainText);
    lblTitolo->setAlignment(Qt::AlignCenter);
    lblTitolo->setFont(verdana(10, false));
    lblTitolo->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: #FFFFFF; border-radius: 3px; }").arg(kRoyalBlue));
    lblTitolo->setGeometry(14, 15, 932, 24);

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

void TfrmDentalCondition::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous()) {
        Theme::centreOnScreen(this);
        FormShow();
    }
}

void TfrmDentalCondition::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // the dialog's own Escape would close it and lose the notes typed
        return;
    }
    QDialog::keyPressEvent(event);
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
    txtDente(8)->setFocus(); // tooth 11
}

void TfrmDentalCondition::toothChanged(int tooth)
{
    icoWarn(tooth)->setVisible(ChartRules::hasNote(txtDente(tooth)->text()));
}

QStringList TfrmDentalCondition::teeth() const
{
    QStringList texts;
    for (const QLineEdit *edit : m_fields)
        texts.append(edit->text());
    return ChartRules::trimmedTeeth(texts);
}

void TfrmDentalCondition::btnCloseClick()
{
    emit applied(teeth());
    accept();
}

void TfrmDentalCondition::btnPreviewClick() { Modal::run(new TfrmAnteprimaDentale(lblTitolo->text(), teeth(), this)); }

void TfrmDentalCondition::btnPrintClick()
{
    Modal::run(new TfrmPrint_Dental_Condition(lblTitolo->text(), teeth(), this));
}
