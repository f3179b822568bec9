#include "patients/PatientWidgets.h"

#include "base/TextRules.h"
#include "platform/Messages.h"
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

namespace {

QFont verdana(int points, bool bold)
{
    QFont f(QStringLiteral("Verdana"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

} // namespace

TitleBanner::TitleBanner(const QString &objectName, const QString &title, const QString &leftPicture,
                         const QString &rightPicture, QWidget *parent)
    : QWidget(parent), m_title(title), m_left(leftPicture), m_right(rightPicture), m_colour(0xC8, 0x10, 0x2E)
{
    setObjectName(objectName);
    setAccessibleName(title);
    setFixedHeight(53);
}

void TitleBanner::setTitleColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void TitleBanner::setTitlePixels(int pixels)
{
    m_pixels = pixels;
    update();
}

void TitleBanner::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(1, 1, -1, -1);
    QLinearGradient g(area.topLeft(), area.bottomLeft());
    g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    g.setColorAt(1, QColor(0xE4, 0xEF, 0xFA));
    QPainterPath path;
    path.addRoundedRect(area, 10, 10);
    p.fillPath(path, g);
    p.setPen(QPen(QColor(0x9C, 0xBF, 0xE0), 1.5));
    p.drawPath(path);

    const qreal side = height() - 10;
    const QSizeF picture(side, side);
    const qreal top = (height() - side) / 2;
    if (!m_left.isEmpty())
        Icons::renderer(m_left)->render(&p, QRectF(QPointF(14, top), picture));
    if (!m_right.isEmpty())
        Icons::renderer(m_right)->render(&p, QRectF(QPointF(width() - 14 - side, top), picture));

    QFont f(QStringLiteral("Verdana"));
    f.setPixelSize(m_pixels);
    f.setBold(true);
    p.setFont(f);
    p.setPen(m_colour);
    const qreal inset = m_right.isEmpty() ? side + 24 : 0;
    p.drawText(rect().adjusted(int(inset), 0, 0, 0), Qt::AlignCenter, m_title);
}

QWidget *instructionCard(const QString &objectName, const QString &picture, const QStringList &lines, QWidget *parent)
{
    auto *card = new QWidget(parent);
    card->setObjectName(objectName);
    card->setAttribute(Qt::WA_StyledBackground);
    card->setStyleSheet(QStringLiteral("QWidget#%1 { background: #EEF5FB; border: 1px solid #C9DCEC;"
                                       " border-radius: 6px; }")
                            .arg(objectName));
    auto *row = new QHBoxLayout(card);
    row->setContentsMargins(8, 4, 10, 4);
    row->setSpacing(10);
    if (!picture.isEmpty())
        row->addWidget(Theme::picture(objectName + QStringLiteral("Figura"), picture, 36, 36, card), 0,
                       Qt::AlignVCenter);
    auto *text = new QLabel(lines.join(QLatin1Char('\n')), card);
    text->setObjectName(objectName + QStringLiteral("Testo"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setFont(verdana(9, false));
    text->setStyleSheet(QStringLiteral("color: #1F4E79; background: transparent; border: none;"));
    row->addWidget(text, 1);
    card->setAccessibleName(lines.join(QLatin1Char(' ')));
    return card;
}

PatientListPage::PatientListPage(const QString &objectName, const Look &look, QWidget *parent)
    : QWidget(parent), m_emptyList(look.emptyListMessage)
{
    setObjectName(objectName);
    setProperty("role", QStringLiteral("panel"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(833, 529);

    imgBanner = new TitleBanner(QStringLiteral("imgBanner"), look.banner, look.leftPicture, look.rightPicture, this);
    imgBanner->setFixedWidth(817);
    imgIstruzioni = instructionCard(QStringLiteral("imgIstruzioni"), QString(),
                                    {QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in "
                                                    "elenco da cercare e premere il pulsante Trova."),
                                     QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave "
                                                    "di ricerca, fare di nuovo clic su Trova.")},
                                    this);

    auto *imgLente = Theme::picture(QStringLiteral("imgLente"), QStringLiteral("find"), 30, 30, this);
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

    lblRigo03 = new QLabel(look.doubleClickHint, this);
    lblRigo03->setObjectName(QStringLiteral("lblRigo03"));
    lblRigo03->setFont(verdana(10, true));
    lblRigo03->setStyleSheet(QStringLiteral("color: #DC143C;"));

    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnStampa = Theme::textButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), this);
    for (QPushButton *b : {btnChiudi, btnStampa})
        b->setMinimumWidth(150);
    if (look.countLabel) {
        lblTrovate = new QLabel(QStringLiteral("Il presente riepilogo contiene 0 schede"), this);
        lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
        lblTrovate->setFont(verdana(10, true));
        lblTrovate->setStyleSheet(QStringLiteral("color: #008B8B;"));
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
    column->addWidget(lblRigo03, 0, Qt::AlignHCenter);
    column->addStretch();
    column->addLayout(bottom);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);

    for (QWidget *w : std::initializer_list<QWidget *>{txtTrova, lstRecords})
        w->installEventFilter(this);
    connect(btnTrova, &QPushButton::clicked, this, &PatientListPage::findInList);
    connect(lstRecords, &FixedList::lineDoubleClicked, this, &PatientListPage::chosen);
    connect(btnStampa, &QPushButton::clicked, this, &PatientListPage::printRequested);
    connect(btnChiudi, &QPushButton::clicked, this, &PatientListPage::closeRequested);
}

bool PatientListPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // Enter in the search field goes to "Trova" (a further Enter presses it); in the list it
    // loads the selected card, as a double-click does.
    if (watched == txtTrova)
        btnTrova->setFocus(Qt::TabFocusReason);
    else if (watched == lstRecords)
        emit chosen();
    return true;
}

void PatientListPage::setListing(PatientLines::Listing listing)
{
    m_positions = std::move(listing.positions);
    lstRecords->setItemWidth(1600);
    lstRecords->setLines(listing.lines);
}

qint64 PatientListPage::selectedPosition() const
{
    const int row = lstRecords->selectedRow();
    return row >= 0 && row < m_positions.size() ? m_positions.at(row) : 0;
}

void PatientListPage::restart()
{
    m_lastTerm.clear();
    lstRecords->setCurrentRow(0);
    txtTrova->clear();
}

void PatientListPage::findInList()
{
    if (lstRecords->count() == 0) {
        Messages::plain(window(), m_emptyList);
        return;
    }
    const int row = TextRules::findInList(lstRecords->lines(), lstRecords->selectedRow(), txtTrova->text(), m_lastTerm);
    lstRecords->setCurrentRow(row);
}

void PatientListPage::clear()
{
    lstRecords->clear();
    m_positions.clear();
}
