#include "ui/Theme.h"

#include "ui/Accessibility.h"
#include "ui/Icons.h"

#include "platform/Clock.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionSlider>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

const char *const kStyle = R"(
QWidget[gradient="steel"] { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4682B4, stop:1 #FFFFFF); }
QWidget[gradient="light"] { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #ADD8E6); }
QWidget[gradient="brown"] { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFFFF, stop:1 #5C3A21); }
QWidget[role="panel"] { background: #FFFFFF; border: 1px solid #C9DCEC; border-radius: 10px; }
QWidget[role="container"] { background: transparent; }
QLabel { background: transparent; color: #17324D; }
QLabel[role="hint"] { background: #FFFFFF; color: #1F4E79; border: 1px solid #C9DCEC; border-radius: 6px;
                      padding: 2px 10px; font-style: italic; }
QLineEdit, QPlainTextEdit, QTextEdit, QComboBox {
    background: #F0F8FF; border: 1px solid #87CEEB; border-radius: 3px; padding: 2px 4px; color: #000000;
    selection-background-color: #4682B4; selection-color: #FFFFFF; }
QLineEdit:focus, QPlainTextEdit:focus, QTextEdit:focus, QComboBox:focus { background: #FFFF00; }
QLineEdit:read-only { }
QLineEdit[framed="true"], QLineEdit[framed="true"]:focus { background: #FFFFFF; border: 1px solid #9FB6CD; }
QFrame[role="focusframe"] { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #FFFF00, stop:1 #FFF6A0);
                            border: 2px solid #FFFDE0; border-radius: 7px; }
QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5B9BD5, stop:1 #3A6F9E);
              color: #FFFFFF; border: 1px solid #2E5C85; border-radius: 6px; padding: 6px 18px; font-weight: bold; }
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6FAEE6, stop:1 #4682B4); }
QPushButton:pressed { background: #2E5C85; }
QPushButton:focus { border: 2px solid #F2C14E; }
QPushButton:checked { background: #1F4E79; border: 2px solid #0F2E4A; }
QPushButton[role="heading"] { padding: 3px 4px; border-radius: 4px; font-weight: normal; }
QPushButton[role="heading"][today="true"] { font-weight: bold; }
QPushButton:disabled { background: #B8C7D5; color: #EEF3F7; border-color: #A5B5C4; }
QCheckBox { background: transparent; }
QListWidget, QListView, QTableView { background: #FFFFFF; border: 1px solid #87CEEB; border-radius: 3px;
                                     selection-background-color: #4682B4; selection-color: #FFFFFF; }
QListWidget:focus, QListView:focus { border: 2px solid #F2C14E; }
)";

// Fusion everywhere, except the scroll bars: flat ones in the program's colours, on Fusion's
// own geometry (so the parts sit where Fusion's mouse handling expects them). Fusion paints
// its scroll bars with gradients and pixmaps, which took half of a list window's first paint.
class ProgramStyle : public QProxyStyle
{
public:
    ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        const auto *bar = qstyleoption_cast<const QStyleOptionSlider *>(option);
        if (control != CC_ScrollBar || !bar) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        const bool horizontal = bar->orientation == Qt::Horizontal;
        const bool enabled = bar->state & State_Enabled;
        const bool movable = enabled && bar->maximum > bar->minimum;
        painter->save();
        painter->fillRect(bar->rect, Theme::colour(Theme::Colour::HintPaper));
        painter->setPen(Theme::colour(Theme::Colour::HintEdge));
        if (horizontal)
            painter->drawLine(bar->rect.topLeft(), bar->rect.topRight());
        else
            painter->drawLine(bar->rect.topLeft(), bar->rect.bottomLeft());
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);

        const auto active = [&](SubControl part) {
            return (bar->activeSubControls & part) && (bar->state & State_MouseOver);
        };
        const auto pressed = [&](SubControl part) {
            return (bar->activeSubControls & part) && (bar->state & State_Sunken);
        };
        const QRect handle = subControlRect(CC_ScrollBar, bar, SC_ScrollBarSlider, widget);
        if (movable && handle.isValid()) {
            painter->setBrush(Theme::colour(pressed(SC_ScrollBarSlider)  ? Theme::Colour::Steel
                                            : active(SC_ScrollBarSlider) ? Theme::Colour::ScrollHover
                                                                         : Theme::Colour::ScrollHandle));
            painter->drawRoundedRect(QRectF(handle).adjusted(2, 2, -2, -2), 3, 3);
        }
        // The arrows: a small triangle in each end, pointing the way the button scrolls.
        for (const SubControl part : {SC_ScrollBarSubLine, SC_ScrollBarAddLine}) {
            const QRectF box = subControlRect(CC_ScrollBar, bar, part, widget);
            if (box.isEmpty())
                continue;
            if (pressed(part))
                painter->fillRect(box, Theme::colour(Theme::Colour::HintEdge));
            const qreal r = qMin(box.width(), box.height()) / 4.0;
            const QPointF c = box.center();
            const qreal way = part == SC_ScrollBarAddLine ? 1 : -1;
            QPolygonF arrow;
            if (horizontal)
                arrow << c + QPointF(way * r, 0) << c + QPointF(-way * r / 1.5, -r) << c + QPointF(-way * r / 1.5, r);
            else
                arrow << c + QPointF(0, way * r) << c + QPointF(-r, -way * r / 1.5) << c + QPointF(r, -way * r / 1.5);
            painter->setBrush(Theme::colour(!movable       ? Theme::Colour::ScrollDisabled
                                            : active(part) ? Theme::Colour::ScrollArrowActive
                                                           : Theme::Colour::Steel));
            painter->drawPolygon(arrow);
        }
        painter->restore();
    }
};

// A calendar's cell: its colours and text as the calendar's model gives them, in the
// calendar's font, the selected day in the selection colours, the day with the keyboard
// focus framed. (Each colour the model gives is worked out anew: only these are asked for.)
class CalendarCell : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = Theme::colourGroup(option);
        const QVariant background = index.data(Qt::BackgroundRole);
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        else if (background.isValid())
            painter->fillRect(option.rect, qvariant_cast<QBrush>(background));
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->save();
        painter->setFont(option.font);
        painter->setPen(selected               ? option.palette.color(group, QPalette::HighlightedText)
                        : foreground.isValid() ? qvariant_cast<QBrush>(foreground).color()
                                               : option.palette.color(group, QPalette::Text));
        painter->drawText(option.rect, Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
        if (option.state & QStyle::State_HasFocus) {
            painter->setPen(QPen(Theme::colour(Theme::Colour::FocusRing), 2));
            painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        }
        painter->restore();
    }
};

} // namespace

namespace Theme {

QFont verdana(int points, bool bold)
{
    QFont f(QString::fromLatin1(kProgramFace));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QFont tahoma() { return QFont(QString::fromLatin1(kInfoFace)); }

QFont tahoma(int points)
{
    QFont f = tahoma();
    f.setPointSize(points);
    return f;
}

QFont fixedPitch(int points, bool bold)
{
    QFont f(QString::fromLatin1(kFixedFace));
    f.setStyleHint(QFont::Monospace);
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QFont helpTitle() { return QFont(QString::fromLatin1(kHelpTitleFace)); }

QFont face(const QString &family) { return QFont(family); }

QColor colour(quint32 argb) { return QColor::fromRgba(argb); }

QString css(quint32 argb)
{
    if (qAlpha(argb) != 255)
        return QStringLiteral("rgba(%1,%2,%3,%4)").arg(qRed(argb)).arg(qGreen(argb)).arg(qBlue(argb)).arg(qAlpha(argb));
    return QStringLiteral("#%1").arg(argb & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

QString textColour(quint32 argb) { return QStringLiteral("color: %1;").arg(css(argb)); }

QString labelColour(quint32 argb) { return QStringLiteral("QLabel { color: %1; }").arg(css(argb)); }

QString linkColour(quint32 argb) { return QStringLiteral("LinkLabel { color: %1; }").arg(css(argb)); }

QString sheet(Sheet which)
{
    using namespace Colour;
    switch (which) {
    case Sheet::Note:
        return QStringLiteral("QLabel { color: %1; font-style: italic; }").arg(css(Heading));
    case Sheet::Instructions:
        return QStringLiteral("background: %1; color: %2; border: 1px solid %3; border-radius: 6px; padding: 4px 10px;")
            .arg(css(HintPaper), css(Heading), css(HintEdge));
    case Sheet::BandTitle:
        return QStringLiteral("QLabel { background: %1; color: %2; border-radius: 3px; }").arg(css(Band), css(Paper));
    case Sheet::BandRule:
        return QStringLiteral("background: %1; border: none;").arg(css(Band));
    case Sheet::FolderBar:
        return QStringLiteral("background: %1; border-radius: 2px;").arg(css(Band));
    case Sheet::LockedField:
        return QStringLiteral("QLineEdit { color: %1; background: %2; }").arg(css(Dimmed), css(DimmedPaper));
    case Sheet::HelpText:
        return QStringLiteral("QPlainTextEdit, QPlainTextEdit:focus { background: %1; }").arg(css(Paper));
    case Sheet::SplashLink:
        return QStringLiteral("background: %1; border-radius: 4px; padding: 0 6px;").arg(css(SplashVeil));
    case Sheet::Separator:
        return QStringLiteral("background: %1; border: none;").arg(css(Steel));
    case Sheet::SmallButton:
        return QStringLiteral("padding: 2px 8px;");
    case Sheet::PrintButton:
        return QStringLiteral("padding: 4px 4px;");
    case Sheet::CalendarFrame:
        return QStringLiteral("QFrame#shpCalendario { background: #D6DCE1; border-radius: 4px; }");
    case Sheet::SurfaceBox:
        return QStringLiteral(
                   "QCheckBox { spacing: 5px; color: %1; }"
                   "QCheckBox::indicator { width: 14px; height: 14px; border: 2px solid %1; border-radius: 3px; "
                   "background: %2; }"
                   "QCheckBox::indicator:focus { border-color: %3; }"
                   "QCheckBox::indicator:checked { image: url(:/icons/ok.svg); }"
                   "QCheckBox::indicator:disabled { border-color: %4; background: %5; }"
                   "QCheckBox:disabled { color: %6; }")
            .arg(css(Heading), css(Paper), css(FocusRing), css(DisabledEdge), css(DimmedPaper), css(DisabledText));
    case Sheet::RegisterWindow:
        return QStringLiteral("QDialog#frmAllegaExcel { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                              "stop:0 #427AA8, stop:1 %1); }")
            .arg(css(Paper));
    case Sheet::RegisterCaption:
        return QStringLiteral("QLabel { background: %1; color: %2; border-radius: 4px; }").arg(css(Ink), css(Paper));
    case Sheet::RegisterTotal:
        return QStringLiteral("QWidget#shpTotale { background: %1; border-radius: 4px; }").arg(css(Ink));
    case Sheet::ExportWindow:
        return QStringLiteral("TfrmExport { background: #D9D9D9; }");
    case Sheet::ExportBanner:
        return QStringLiteral("QFrame#imgLogo { background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #1E6E43, "
                              "stop:1 #3DAE6B); border-radius: 10px; }");
    case Sheet::ExportGrid:
        return QStringLiteral("QTableView { alternate-background-color: #EAF2FA; gridline-color: %1; }"
                              "QHeaderView::section { background: #DCE6F0; color: %2;"
                              " border: 0px; border-right: 1px solid #B8C7D5;"
                              " border-bottom: 1px solid #B8C7D5; padding: 2px 4px; font-weight: bold; }")
            .arg(css(HintEdge), css(Caption));
    case Sheet::ExportInfo:
        return QStringLiteral("QFrame#shpInfo { background: #6A5ACD; border-radius: 8px; }");
    case Sheet::ExportInfoText:
        return QStringLiteral("QLabel { background: transparent; color: %1; border: 0px;"
                              " font-style: normal; padding: 0px 12px; }")
            .arg(css(Paper));
    case Sheet::NoAppointments:
    case Sheet::Appointments: {
        const bool none = which == Sheet::NoAppointments;
        return QStringLiteral("QLabel { background: %1; border: 3px solid %2; border-radius: 20px; color: %3; "
                              "padding: 10px 26px; font-family: %4; font-size: 20px; font-weight: bold; }")
            .arg(QLatin1String(none ? "#DDF3EE" : "#FDE6DA"), QLatin1String(none ? "#2A9D8F" : "#F4845F"),
                 QLatin1String(none ? "#1E6E5F" : "#9A3412"), QLatin1String(kProgramFace));
    }
    }
    return {};
}

void apply(QApplication &app)
{
    app.setStyle(new ProgramStyle);
    app.setFont(verdana(10));
    app.setStyleSheet(QString::fromLatin1(kStyle));
    Accessibility::install();
}

void setGradient(QWidget *window, const char *gradient)
{
    window->setAttribute(Qt::WA_StyledBackground);
    window->setProperty("gradient", QString::fromLatin1(gradient));
}

QFrame *bandRule(const QString &objectName, const QRect &geometry, QWidget *parent)
{
    auto *bar = new QFrame(parent);
    bar->setObjectName(objectName);
    bar->setStyleSheet(sheet(Sheet::BandRule));
    bar->setGeometry(geometry);
    return bar;
}

QWidget *panel(const QString &objectName, QWidget *parent)
{
    auto *w = new QFrame(parent);
    w->setObjectName(objectName);
    w->setProperty("role", QStringLiteral("panel"));
    return w;
}

namespace {
// Enter on a focused text button presses it, as Space does: buttons are not dialog defaults
// (Enter in a field belongs to the field's own Enter cycle), so Qt would ignore the key.
class EnterPresses : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            auto *button = qobject_cast<QPushButton *>(watched);
            if (button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
                if (button->isEnabled())
                    button->click();
                return true;
            }
        }
        return false;
    }
};
} // namespace

QPushButton *textButton(const QString &objectName, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setAccessibleName(caption);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    static EnterPresses *enter = new EnterPresses(qApp);
    b->installEventFilter(enter);
    return b;
}

QLabel *label(const QString &objectName, const QString &text, QWidget *parent, QWidget *buddy)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(objectName);
    l->setTextFormat(Qt::PlainText);
    if (buddy) {
        l->setBuddy(buddy);
        QString name = text;
        if (name.endsWith(QLatin1Char(':')))
            name.chop(1);
        buddy->setAccessibleName(name.trimmed());
        // The edit part of a drop-down is met on its own: it carries the same name.
        if (auto *combo = qobject_cast<QComboBox *>(buddy); combo && combo->lineEdit())
            combo->lineEdit()->setAccessibleName(name.trimmed());
    }
    return l;
}

QPalette::ColorGroup colourGroup(const QStyleOption &option)
{
    return !(option.state & QStyle::State_Enabled) ? QPalette::Disabled
           : (option.state & QStyle::State_Active) ? QPalette::Active
                                                   : QPalette::Inactive;
}

QCalendarWidget *calendar(const QString &objectName, QWidget *parent)
{
    auto *c = new QCalendarWidget(parent);
    c->setObjectName(objectName);
    c->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    c->setFirstDayOfWeek(Qt::Monday);
    c->setSelectedDate(Clock::today());
    c->setStyleSheet(
        QStringLiteral("QCalendarWidget QWidget#qt_calendar_navigationbar { background: #4682B4; }"
                       "QCalendarWidget QToolButton { color: #FFFFFF; font-weight: bold; background: transparent; }"
                       "QCalendarWidget QAbstractItemView { background: #FFFFFF; selection-background-color: #4682B4; "
                       "selection-color: #FFFFFF; }"));
    if (auto *days = c->findChild<QTableView *>(QStringLiteral("qt_calendar_calendarview")))
        days->setItemDelegate(new CalendarCell(days));
    return c;
}

QLabel *picture(const QString &objectName, const QString &svg, int width, int height, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(objectName);
    const qreal dpr = parent ? parent->devicePixelRatioF() : qApp->devicePixelRatio();
    l->setPixmap(Icons::pixmap(svg, QSize(width, height), dpr));
    l->setFixedSize(width, height);
    Accessibility::hide(l);
    return l;
}

void centreOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void makeFixedDialog(QWidget *window, int clientWidth, int clientHeight)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setFixedSize(clientWidth, clientHeight);
}

} // namespace Theme
