#include "ui/SearchDialog.h"

#include "platform/Messages.h"
#include "storage/RecordFile.h"
#include "ui/EnterCycle.h"
#include "ui/FixedList.h"
#include "ui/FocusFrame.h"
#include "ui/Theme.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>
#include <string>

using Theme::verdana;

SearchDialog::SearchDialog(QWidget *parent, const QString &objectName, const QString &caption,
                           const ListPage::Look &results)
    : Dialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 862, 560);

    // Criteria page.
    panAvvio = Theme::panel(QStringLiteral("panAvvio"), this);
    panAvvio->setFixedSize(833, 529);
    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), panAvvio);
    btnCerca = Theme::textButton(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), panAvvio);
    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panAvvio);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setFont(verdana(10, true));
    lblAttendere->setStyleSheet(Theme::textColour(Theme::Colour::Count));
    lblAttendere->setAlignment(Qt::AlignCenter);
    lblAttendere->hide();

    // Results page.
    panContainer = new ListPage(QStringLiteral("panContainer"), results, this);
    panContainer->hide();
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    lblTrovate = panContainer->lblTrovate;
    btnStampa = panContainer->btnStampa;
    btnChiudi = panContainer->btnChiudi;

    // Both pages in the same place, in the middle of the window (14 by 15 pixels inside).
    const QRect place(QPoint((width() - 833) / 2, (height() - 529) / 2), QSize(833, 529));
    panAvvio->setGeometry(place);
    panContainer->setGeometry(place);

    btnCerca->installEventFilter(this);
    connect(btnAnnulla, &QPushButton::clicked, this, &SearchDialog::btnAnnullaClick);
    connect(btnCerca, &QPushButton::clicked, this, &SearchDialog::btnCercaClick);
    connect(panContainer, &ListPage::reopenRequested, this, &SearchDialog::lstRecordsDblClick);
    connect(panContainer, &ListPage::printRequested, this, &SearchDialog::btnStampaClick);
    connect(panContainer, &ListPage::closeRequested, this, &SearchDialog::btnChiudiClick);
}

QList<SearchDialog::Field> SearchDialog::addCriteria(const CardFields::Description &card,
                                                     std::span<const Criterion> criteria, const QFont &captionFont)
{
    QList<Field> made;
    for (const Criterion &criterion : criteria) {
        const CardFields::Field *field = CardFields::find(card, criterion.field);
        if (!field)
            throw std::invalid_argument(std::string("find criterion ") + criterion.field + ": not a field of the card");
        const QString name = QString::fromLatin1(field->control);
        auto *edit = new QLineEdit;
        edit->setObjectName(name);
        edit->setFont(verdana(12, true));
        const QString highlight =
            criterion.highlight ? QString::fromLatin1(criterion.highlight) : QStringLiteral("eff") + name.mid(3);
        auto *frame = new FocusFrame(edit, highlight, panAvvio);
        m_fields.append(edit);
        m_frames.append(frame);
        QLabel *caption =
            Theme::label(QStringLiteral("lbl") + name.mid(3), CardFields::searchCaption(*field), panAvvio, edit);
        caption->setFont(captionFont);
        made.append({edit, frame, caption});
    }

    // Tab: the fields in their order, "Chiudi", "Cerca", then the results page's controls.
    QList<QWidget *> order(m_fields.begin(), m_fields.end());
    order << btnAnnulla << btnCerca << txtTrova << btnTrova << lstRecords << btnStampa << btnChiudi;
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    new EnterCycle(QList<QWidget *>(m_fields.begin(), m_fields.end()), this);
    return made;
}

QStringList SearchDialog::criteriaTexts() const
{
    QStringList texts;
    for (const QLineEdit *field : m_fields)
        texts.append(field->text());
    return texts;
}

QWidget *SearchDialog::highlightOf(QLineEdit *field) const
{
    const qsizetype i = m_fields.indexOf(field);
    return i < 0 ? nullptr : m_frames[i]->frame();
}

bool SearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == btnCerca && event->type() == QEvent::MouseButtonPress)
        btnCercaMouseDown();
    return Dialog::eventFilter(watched, event);
}

void SearchDialog::FormShow()
{
    panContainer->restart();
    m_fields.first()->setFocus();
}

void SearchDialog::FormClose()
{
    lstRecords->clear();
    lblAttendere->hide();
}

void SearchDialog::btnCercaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint(); // seen before the search holds the window
}

void SearchDialog::btnCercaClick()
{
    btnCercaMouseDown(); // also when "Cerca" is pressed from the keyboard
    m_used = filledCount();
    SharedLines lines;
    try {
        lines = search();
    } catch (const StorageError &) {
        Messages::plain(this, kArchiveFailure);
        return;
    }
    panContainer->setSource(std::move(lines));
    panAvvio->hide();
    panContainer->show();
    txtTrova->clear();
    txtTrova->setFocus();
}

void SearchDialog::btnAnnullaClick() { close(); }

void SearchDialog::btnChiudiClick() { close(); }

void SearchDialog::btnTrovaClick() { panContainer->findInList(); }

void SearchDialog::lstRecordsDblClick()
{
    // The record of the very line chosen, by the position the line keeps: two records whose
    // lines read alike are still two.
    try {
        if (const qint64 position = panContainer->selectedPosition(); position > 0)
            choose(position);
    } catch (const StorageError &) {
        // The window closes without a message.
    }
    close();
}
