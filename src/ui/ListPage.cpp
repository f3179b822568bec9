#include "ui/ListPage.h"

#include "base/TextRules.h"
#include "platform/Messages.h"
#include "ui/Accessibility.h"
#include "ui/FixedList.h"
#include "ui/Icons.h"
#include "ui/Theme.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSvgRenderer>
#include <QVBoxLayout>

using Theme::verdana;

namespace {

const QString kEmptyList = QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

} // namespace

ListSearch::ListSearch(QLineEdit *field, QPushButton *button, FixedList *list, const QString &emptyListMessage,
                       QObject *parent)
    : QObject(parent), m_field(field), m_button(button), m_list(list), m_emptyList(emptyListMessage)
{
    field->installEventFilter(this);
}

bool ListSearch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    m_button->setFocus(Qt::TabFocusReason);
    return true;
}

void ListSearch::restart()
{
    m_lastTerm.clear();
    m_field->clear();
}

void ListSearch::findNext()
{
    if (m_list->count() == 0) {
        Messages::plain(m_list->window(), m_emptyList);
        return;
    }
    const LineSource &lines = m_list->source();
    const int row = TextRules::findInList(
        lines.count(), [&](int i) { return lines.line(i); }, m_list->selectedRow(), m_field->text(), m_lastTerm);
    m_list->setCurrentRow(row);
}

ListBanner::ListBanner(const QString &objectName, const QString &title, const QString &leftPicture,
                       const QString &rightPicture, QWidget *parent, Tint tint)
    : QWidget(parent), m_title(title), m_left(leftPicture), m_right(rightPicture), m_tint(tint),
      m_colour(0xC8, 0x10, 0x2E)
{
    setObjectName(objectName);
    setAccessibleName(title);
    Accessibility::hide(this); // the window's caption says it already
    if (tint == Tint::Rose)
        setFixedSize(817, 53);
    else
        setFixedHeight(53);
}

void ListBanner::setTitleColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void ListBanner::setTitlePixels(int pixels)
{
    m_pixels = pixels;
    update();
}

void ListBanner::setPictureBox(int side, int inset)
{
    m_side = side;
    m_inset = inset;
    update();
}

// Every list window shows one of a few banners: each is drawn once (gradient, pictures,
// title) and then copied from the pixmap cache.
void ListBanner::paintEvent(QPaintEvent *)
{
    const qreal dpr = devicePixelRatioF();
    const QString key = QStringLiteral("banner|%1|%2|%3|%4|%5|%6|%7|%8|%9x%10@%11")
                            .arg(m_title, m_left, m_right)
                            .arg(int(m_tint))
                            .arg(m_colour.rgba())
                            .arg(m_pixels)
                            .arg(m_side)
                            .arg(m_inset)
                            .arg(width())
                            .arg(height())
                            .arg(dpr);
    const QPixmap banner = Icons::drawnOnce(key, size(), dpr, [this](QPainter &p) { draw(p); });
    QPainter(this).drawPixmap(0, 0, banner);
}

void ListBanner::draw(QPainter &p) const
{
    const bool rose = m_tint == Tint::Rose;
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, Theme::colour(Theme::Colour::Paper));
    g.setColorAt(1, Theme::colour(rose ? Theme::Colour::BannerRose : Theme::Colour::BannerBlue));
    QPainterPath path;
    path.addRoundedRect(area, 10, 10);
    p.fillPath(path, g);
    p.setPen(QPen(Theme::colour(rose ? Theme::Colour::BannerRoseEdge : Theme::Colour::BannerBlueEdge), 1.5));
    p.drawPath(path);

    const qreal side = m_side > 0 ? m_side : rose ? 46 : height() - 10;
    const qreal inset = m_side > 0 ? m_inset : rose ? 18 : 14;
    const QSizeF picture(side, side);
    const qreal top = (height() - side) / 2;
    if (!m_left.isEmpty())
        Icons::renderer(m_left)->render(&p, QRectF(QPointF(inset, top), picture));
    if (!m_right.isEmpty())
        Icons::renderer(m_right)->render(&p, QRectF(QPointF(width() - inset - side, top), picture));

    QFont f = verdana(10, true);
    f.setPixelSize(m_pixels);
    p.setFont(f);
    p.setPen(m_colour);
    const qreal textLeft = m_right.isEmpty() ? side + 24 : 0;
    p.drawText(rect().adjusted(int(textLeft), 0, 0, 0), Qt::AlignCenter, m_title);
}

ListPage::ListPage(const QString &objectName, const Look &look, QWidget *parent) : QWidget(parent)
{
    setObjectName(objectName);
    setProperty("role", QStringLiteral("panel"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(833, 529);

    imgBanner =
        new ListBanner(QStringLiteral("imgBanner"), look.banner, look.leftPicture, look.rightPicture, this, look.tint);
    imgBanner->setFixedWidth(817);

    imgIstruzioni = new QLabel(QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco "
                                              "da cercare e premere il pulsante Trova.\n"
                                              "Per spostarsi sulla voce successiva contenente la stessa chiave di "
                                              "ricerca, fare di nuovo clic su Trova."),
                               this);
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setFont(verdana(9, false));
    imgIstruzioni->setStyleSheet(Theme::sheet(Theme::Sheet::Instructions));

    imgLente = Theme::picture(QStringLiteral("imgLente"), QStringLiteral("find"), 30, 30, this);
    txtTrova = new QLineEdit(this);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setFont(verdana(12, true));
    txtTrova->setAccessibleName(QStringLiteral("Testo da cercare nell'elenco"));
    btnTrova = Theme::textButton(QStringLiteral("btnTrova"), QStringLiteral("Trova"), this);
    btnTrova->setMinimumWidth(120);

    lstRecords = new FixedList(QStringLiteral("lstRecords"), QStringLiteral("Elenco delle schede"), this);
    lstRecords->setFixedSize(801, 273);
    auto *listBack = new QWidget(this);
    listBack->setObjectName(QStringLiteral("shpElenco"));
    Theme::setGradient(listBack, "light");
    auto *listBox = new QVBoxLayout(listBack);
    listBox->setContentsMargins(8, 8, 8, 8);
    listBox->addWidget(lstRecords);

    lblDoppioClic = new QLabel(look.doubleClickHint, this);
    lblDoppioClic->setObjectName(look.hintName.isEmpty() ? QStringLiteral("lblDoppioClic") : look.hintName);
    lblDoppioClic->setFont(verdana(10, true));
    lblDoppioClic->setStyleSheet(Theme::textColour(Theme::Colour::Alert));

    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnStampa = Theme::textButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), this);
    for (QPushButton *b : {btnChiudi, btnStampa})
        b->setMinimumWidth(150);
    if (look.countLabel) {
        lblTrovate = new QLabel(QStringLiteral("Il presente riepilogo contiene 0 schede"), this);
        lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
        lblTrovate->setFont(verdana(10, true));
        lblTrovate->setStyleSheet(Theme::textColour(Theme::Colour::Count));
        lblTrovate->setAlignment(Qt::AlignCenter);
    }

    auto *search = new QHBoxLayout;
    search->addWidget(imgLente);
    search->addWidget(txtTrova, 1);
    search->addWidget(btnTrova);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnChiudi);
    bottom->addStretch();
    if (lblTrovate)
        bottom->addWidget(lblTrovate);
    bottom->addStretch();
    bottom->addWidget(btnStampa);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);
    column->addWidget(imgBanner, 0, Qt::AlignHCenter);
    column->addWidget(imgIstruzioni);
    column->addLayout(search);
    column->addWidget(listBack, 0, Qt::AlignHCenter);
    column->addWidget(lblDoppioClic, 0, Qt::AlignHCenter);
    column->addStretch();
    column->addLayout(bottom);

    m_search = new ListSearch(txtTrova, btnTrova, lstRecords,
                              look.emptyListMessage.isEmpty() ? kEmptyList : look.emptyListMessage, this);
    for (QWidget *w : std::initializer_list<QWidget *>{btnTrova, lstRecords, btnChiudi, btnStampa})
        w->installEventFilter(this);
    connect(btnTrova, &QPushButton::clicked, this, &ListPage::findInList);
    connect(lstRecords, &FixedList::lineDoubleClicked, this, &ListPage::reopenRequested);
    connect(btnStampa, &QPushButton::clicked, this, &ListPage::printRequested);
    connect(btnChiudi, &QPushButton::clicked, this, &ListPage::closeRequested);
}

bool ListPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // Enter on a button presses the button; in the list it reopens the selected card (the
    // search field's Enter belongs to the search).
    if (auto *button = qobject_cast<QPushButton *>(watched))
        button->click();
    else if (watched == lstRecords)
        emit reopenRequested();
    return true;
}

void ListPage::setLines(const QStringList &lines, const QList<qint64> &positions)
{
    setSource(std::make_shared<const TextLines>(lines, positions));
}

void ListPage::setSource(SharedLines lines)
{
    lstRecords->setItemWidth(1600);
    lstRecords->setSource(std::move(lines));
    if (lblTrovate)
        lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene ") + QString::number(lstRecords->count())
                            + QStringLiteral(" schede."));
}

qint64 ListPage::selectedPosition() const
{
    const int row = selectedRow();
    return row >= 0 ? lstRecords->position(row) : 0;
}

void ListPage::restart()
{
    lstRecords->setCurrentRow(0);
    m_search->restart();
}

int ListPage::selectedRow() const { return lstRecords->selectedRow(); }

void ListPage::findInList() { m_search->findNext(); }
