#include "chart/DentalScheme.h"

#include "print/ReportRenderer.h"
#include "ui/Accessibility.h"
#include "ui/Icons.h"
#include "ui/Theme.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

using Theme::verdana;
using namespace Odontogram;

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
        // Turned with the tooth and short of its number; the focus ring inside it.
        const Ring frame = ring(fdi);
        p.translate(frame.centre);
        p.rotate(frame.angle - 90);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Theme::colour(Theme::Colour::FocusRing), Ring::kPen));
        p.drawEllipse(QPointF(), frame.alongArch, frame.across);
        if (m_scheme->chosenHasFocus()) {
            p.setPen(QPen(Theme::colour(Theme::Colour::Heading), 1.2, Qt::DashLine));
            p.drawEllipse(QPointF(), frame.alongArch - Ring::kFocusInset, frame.across - Ring::kFocusInset);
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
    if (fdi)
        emit toothClicked(fdi);
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
    const auto step = [&](Step s) { emit stepRequested(m_fdi, s); };
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
        emit noteRequested(m_fdi);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        emit stateRequested(m_fdi);
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
    emit focusChanged();
}

void ToothButton::focusOutEvent(QFocusEvent *event)
{
    QAbstractButton::focusOutEvent(event);
    emit focusChanged();
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
