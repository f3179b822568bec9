#include "ui/Theme.h"

#include "ui/Accessibility.h"
#include "ui/Icons.h"

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QPainter>
#include <QPixmap>

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
QPushButton:disabled { background: #B8C7D5; color: #EEF3F7; border-color: #A5B5C4; }
QCheckBox { background: transparent; }
QListWidget, QListView, QTableView { background: #FFFFFF; border: 1px solid #87CEEB; border-radius: 3px;
                                     selection-background-color: #4682B4; selection-color: #FFFFFF; }
QListWidget:focus, QListView:focus { border: 2px solid #F2C14E; }
)";

} // namespace

namespace Theme {

void apply(QApplication &app)
{
    app.setStyle(QStringLiteral("Fusion"));
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(10);
    app.setFont(f);
    app.setStyleSheet(QString::fromLatin1(kStyle));
    Accessibility::install();
}

void setGradient(QWidget *window, const char *gradient)
{
    window->setAttribute(Qt::WA_StyledBackground);
    window->setProperty("gradient", QString::fromLatin1(gradient));
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
    }
    return l;
}

QLabel *picture(const QString &objectName, const QString &svg, int width, int height, QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setObjectName(objectName);
    const qreal dpr = parent ? parent->devicePixelRatioF() : qApp->devicePixelRatio();
    l->setPixmap(Icons::pixmap(svg, QSize(width, height), dpr));
    l->setFixedSize(width, height);
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
