#include "appointments/frmTrovaScadenze.h"

#include "ui/EnterCycle.h"
#include "ui/FixedList.h"
#include "ui/FocusFrame.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"
#include "print/ListPrint.h"
#include "platform/Messages.h"
#include "storage/AppointmentRecord.h"
#include "storage/RecordFile.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using Theme::verdana;

TfrmTrovaScadenze *TfrmTrovaScadenze::forAppointmentCard(QWidget *card)
{
    auto *window = new TfrmTrovaScadenze(card);
    window->lblMemory->setText(QStringLiteral("scadenze"));
    return window;
}

TfrmTrovaScadenze::TfrmTrovaScadenze(QWidget *parent) : Dialog(parent)
{
    setObjectName(QStringLiteral("frmTrovaScadenze"));
    setWindowTitle(QStringLiteral(" Trova appuntamenti in archivio"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 862, 560);

    // Criteria page.
    panAvvio = Theme::panel(QStringLiteral("panAvvio"), this);
    panAvvio->setFixedSize(833, 529);
    imgIstruzioni = new QLabel(QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti "
                                              "nelle schede da trovare e premere il pulsante Cerca.\n"
                                              "Lasciare in bianco tutti gli altri campi.\n"
                                              "Per ogni ricerca è possibile utilizzare uno o più campi "
                                              "contemporaneamente."),
                               panAvvio);
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setFont(verdana(8, false));
    imgIstruzioni->setStyleSheet(QStringLiteral(
        "background: #EEF5FB; color: #1F4E79; border: 1px solid #C9DCEC; border-radius: 6px; padding: 4px 10px;"));
    auto *imgLente = Theme::picture(QStringLiteral("imgLente"), QStringLiteral("find"), 44, 44, panAvvio);
    imgPaziente = Theme::picture(QStringLiteral("imgPaziente"), QStringLiteral("dental-chair"), 130, 286, panAvvio);

    struct Criterion
    {
        QLineEdit **field;
        const char *name;
        const char *frame;
        QString label;
    };
    const Criterion criteria[] = {
        {&txtData, "txtData", "effData", QStringLiteral("Data appuntamento (gg/mm/aaaa):")},
        {&txtOra, "txtOra", "effOra", QStringLiteral("Ora (hh:mm):")},
        {&txtTipologia, "txtTipologia", "effTipologia", QStringLiteral("Dentista:")},
        {&txtCausale, "txtCausale", "effCausale", QStringLiteral("Trattamenti dentali:")},
        {&txtDettagli, "txtDettagli", "effDettagli", QStringLiteral("Dettagli:")},
        {&txtContatto, "txtContatto", "effContatto", QStringLiteral("Cognome e nome paziente:")},
        {&txtTel, "txtTel", "effTel", QStringLiteral("Telefono:")},
        {&txtCel, "txtCel", "effCel", QStringLiteral("Cellulare:")},
        {&txtLuogo, "txtLuogo", "effLuogo", QStringLiteral("Modalità di pagamento:")},
        {&txtNote, "txtNote", "effNote", QStringLiteral("Note:")},
    };
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(7);
    int index = 0;
    for (const Criterion &c : criteria) {
        auto *field = new QLineEdit;
        field->setObjectName(QString::fromLatin1(c.name));
        field->setFont(verdana(12, true));
        field->setFixedWidth(320);
        *c.field = field;
        auto *frame = new FocusFrame(field, QString::fromLatin1(c.frame), panAvvio);
        frame->setFixedWidth(330);
        auto *label =
            Theme::label(QStringLiteral("lbl") + QString::fromLatin1(c.name).mid(3), c.label, panAvvio, field);
        label->setFont(verdana(12, false));
        const int row = (index / 2) * 2;
        const int column = index % 2;
        grid->addWidget(label, row, column);
        grid->addWidget(frame, row + 1, column);
        m_criteria.append(field);
        m_frames.append(frame);
        ++index;
    }

    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), panAvvio);
    btnCerca = Theme::textButton(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), panAvvio);
    for (QPushButton *b : {btnAnnulla, btnCerca})
        b->setFixedWidth(150);
    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panAvvio);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setFont(verdana(10, true));
    lblAttendere->setStyleSheet(QStringLiteral("color: #008B8B;"));
    lblAttendere->setAlignment(Qt::AlignCenter);
    lblAttendere->hide();
    lblConta = new QLabel(QStringLiteral("0"), panAvvio);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();
    lblMemory = new QLabel(panAvvio);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(imgLente);
    top->addWidget(imgIstruzioni, 1);
    auto *middle = new QHBoxLayout;
    middle->addWidget(imgPaziente, 0, Qt::AlignTop);
    middle->addSpacing(10);
    middle->addLayout(grid);
    middle->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(btnAnnulla);
    bottom->addStretch();
    bottom->addWidget(lblAttendere);
    bottom->addStretch();
    bottom->addWidget(btnCerca);
    auto *criteriaColumn = new QVBoxLayout(panAvvio);
    criteriaColumn->setContentsMargins(12, 12, 12, 12);
    criteriaColumn->addLayout(top);
    criteriaColumn->addSpacing(8);
    criteriaColumn->addLayout(middle);
    criteriaColumn->addStretch();
    criteriaColumn->addLayout(bottom);

    // Results page.
    panContainer =
        new ListPage(QStringLiteral("panContainer"),
                     {QStringLiteral("RISULTATI DI RICERCA"), QStringLiteral("detective"), QStringLiteral("binoculars"),
                      QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"), true},
                     this);
    panContainer->hide();
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    lblTrovate = panContainer->lblTrovate;
    btnStampa = panContainer->btnStampa;
    btnChiudi = panContainer->btnChiudi;

    auto *outer = new QVBoxLayout(this);
    outer->addWidget(panAvvio, 0, Qt::AlignCenter);
    outer->addWidget(panContainer, 0, Qt::AlignCenter);

    // Keyboard: the criteria in their order, then the buttons; Enter cycles the criteria.
    for (int i = 0; i + 1 < m_criteria.size(); ++i)
        setTabOrder(m_criteria[i], m_criteria[i + 1]);
    setTabOrder(txtNote, btnAnnulla);
    setTabOrder(btnAnnulla, btnCerca);
    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    new EnterCycle(QList<QWidget *>(m_criteria.begin(), m_criteria.end()), this);
    for (QPushButton *b : {btnAnnulla, btnCerca})
        b->installEventFilter(this);

    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaScadenze::btnAnnullaClick);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaScadenze::btnCercaClick);
    connect(panContainer, &ListPage::reopenRequested, this, &TfrmTrovaScadenze::lstRecordsDblClick);
    connect(panContainer, &ListPage::printRequested, this, &TfrmTrovaScadenze::btnStampaClick);
    connect(panContainer, &ListPage::closeRequested, this, &TfrmTrovaScadenze::btnChiudiClick);
}

bool TfrmTrovaScadenze::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == btnCerca && event->type() == QEvent::MouseButtonPress)
        btnCercaMouseDown();
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            static_cast<QPushButton *>(watched)->click();
            return true;
        }
    }
    return false;
}

AppointmentLines::Criteria TfrmTrovaScadenze::criteria() const
{
    return {txtData->text(),     txtOra->text(), txtTipologia->text(), txtCausale->text(), txtDettagli->text(),
            txtContatto->text(), txtTel->text(), txtCel->text(),       txtLuogo->text(),   txtNote->text()};
}

QWidget *TfrmTrovaScadenze::highlightOf(QLineEdit *criterion) const
{
    const int i = int(m_criteria.indexOf(criterion));
    return i < 0 ? nullptr : m_frames[i]->frame();
}

void TfrmTrovaScadenze::FormShow()
{
    panContainer->restart();
    txtData->setFocus();
}

void TfrmTrovaScadenze::FormClose()
{
    lstRecords->clear();
    lblAttendere->hide();
}

void TfrmTrovaScadenze::btnCercaMouseDown() { lblAttendere->show(); }

void TfrmTrovaScadenze::btnCercaClick()
{
    lblAttendere->show(); // also when "Cerca" is pressed from the keyboard
    const AppointmentLines::Criteria wanted = criteria();
    lblConta->setText(QString::number(AppointmentLines::filledCount(wanted)));
    std::vector<qint64> positions;
    try {
        AppointmentLines::foundPositions(wanted, positions);
    } catch (const StorageError &) {
        Messages::plain(this, kArchiveFailure);
        return;
    }
    panContainer->setSource(AppointmentLines::linesAt(std::move(positions)));
    panAvvio->hide();
    panContainer->show();
    txtTrova->clear();
    txtTrova->setFocus();
}

void TfrmTrovaScadenze::btnAnnullaClick() { close(); }

void TfrmTrovaScadenze::btnChiudiClick() { close(); }

void TfrmTrovaScadenze::btnTrovaClick() { panContainer->findInList(); }

void TfrmTrovaScadenze::lstRecordsDblClick()
{
    // The card is read by the window that takes the position; when it cannot be read the
    // window closes without a message all the same.
    const qint64 position = panContainer->selectedPosition();
    if (position > 0 && lblMemory->text() == QLatin1String("scadenze"))
        emit positionChosen(position);
    close();
}

void TfrmTrovaScadenze::btnStampaClick()
{
    if (!ListPrint::print(this, QStringLiteral("Riepilogo appuntamenti in archivio"), lstRecords->source()))
        Messages::plain(this, kArchiveFailure);
}
