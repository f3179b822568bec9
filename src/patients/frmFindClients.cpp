#include "patients/frmFindClients.h"

#include "patients/PatientTools.h"
#include "patients/PatientWidgets.h"
#include "platform/Messages.h"
#include "print/ListPrint.h"
#include "storage/AnsiText.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"
#include "ui/EnterCycle.h"
#include "ui/FixedList.h"
#include "ui/FocusFrame.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

using Theme::verdana;

namespace {

// The search page lies in a panel 14 by 15 pixels inside the window; the fields' columns
// and label rows below are the window's.
constexpr int kPanelX = 14;
constexpr int kPanelY = 15;
constexpr int kColumns[] = {144, 488};
constexpr int kFirstLabel = 120;
constexpr int kRowPitch = 70;
constexpr int kFieldWidth = 320;
constexpr int kFrameMargin = 5;

} // namespace

TfrmFindClients::TfrmFindClients(QWidget *parent, const QString &callerTag) : Dialog(parent)
{
    setObjectName(QStringLiteral("frmFindClients"));
    setWindowTitle(QStringLiteral(" Trova pazienti in archivio"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, 862, 560);

    // Search page.
    panAvvio = Theme::panel(QStringLiteral("panAvvio"), this);
    panAvvio->setGeometry(kPanelX, kPanelY, 833, 529);
    imgIstruzioni = instructionCard(
        QStringLiteral("imgIstruzioni"), QStringLiteral("find-patients"),
        {QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede da trovare "
                        "e premere il pulsante Cerca."),
         QStringLiteral("Lasciare in bianco tutti gli altri campi."),
         QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente.")},
        panAvvio);
    imgIstruzioni->setGeometry(12, 12, 809, 70);
    auto *imgPazienti =
        Theme::picture(QStringLiteral("imgPazienti"), QStringLiteral("patient-search"), 104, 300, panAvvio);
    imgPazienti->move(12, 100);

    struct Field
    {
        QLineEdit **field;
        const char *name;
        const char *highlight;
        QString label;
    };
    // In reading order, which is also the Enter cycle: two columns, five rows.
    const Field fields[] = {
        {&txtName, "txtName", "effCampo01", QStringLiteral("Cognome e nome:")},
        {&txtTaxNumber, "txtTaxNumber", "effCampo02", QStringLiteral("Codice fiscale:")},
        {&txtStreet, "txtStreet", "effCampo09", QStringLiteral("Via e numero civico:")},
        {&txtCity, "txtCity", "effCampo10", QStringLiteral("Città:")},
        {&txtSSN, "txtSSN", "effCampo05", QStringLiteral("Partita IVA:")},
        {&txtProblems, "txtProblems", "effCampo06", QStringLiteral("Problemi dentali principali:")},
        {&txtDentist, "txtDentist", "effCampo07", QStringLiteral("Dentista assegnato:")},
        {&txtTimes, "txtTimes", "effCampo08", QStringLiteral("Orari preferenziali per appuntamenti:")},
        {&txtStatus, "txtStatus", "effCampo03", QStringLiteral("Stato dei pagamenti:")},
        {&txtNotes, "txtNotes", "effCampo04", QStringLiteral("Note:")},
    };
    int index = 0;
    for (const Field &f : fields) {
        auto *edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(f.name));
        edit->setFont(verdana(12, true));
        *f.field = edit;
        auto *frame = new FocusFrame(edit, QString::fromLatin1(f.highlight), panAvvio);
        QLabel *label =
            Theme::label(QStringLiteral("lbl") + QString::fromLatin1(f.name).mid(3), f.label, panAvvio, edit);
        label->setFont(verdana(10, false));
        const int x = kColumns[index % 2] - kPanelX;
        const int y = kFirstLabel + (index / 2) * kRowPitch - kPanelY;
        label->setGeometry(x, y, kFieldWidth, 20);
        const int fieldHeight = edit->sizeHint().height();
        frame->setGeometry(x - kFrameMargin, y + 21, kFieldWidth + 2 * kFrameMargin, fieldHeight + 2 * kFrameMargin);
        m_fields.append(edit);
        m_frames.append(frame);
        ++index;
    }

    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), panAvvio);
    btnCerca = Theme::textButton(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), panAvvio);
    btnAnnulla->setGeometry(kColumns[0] - kPanelX, 470, 150, 36);
    btnCerca->setGeometry(kColumns[1] - kPanelX + kFieldWidth - 150, 470, 150, 36);
    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panAvvio);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    lblAttendere->setFont(verdana(10, true));
    lblAttendere->setStyleSheet(QStringLiteral("color: #008B8B;"));
    lblAttendere->setAlignment(Qt::AlignCenter);
    lblAttendere->setGeometry(btnAnnulla->geometry().right() + 8, 470,
                              btnCerca->x() - btnAnnulla->geometry().right() - 16, 36);
    lblAttendere->hide();
    lblConta = new QLabel(QStringLiteral("0"), panAvvio);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();
    lblMemory = new QLabel(callerTag, panAvvio);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    // Result page, in the same place.
    panContainer = new ListPage(QStringLiteral("panContainer"),
                                {QStringLiteral("RISULTATI DI RICERCA"), QStringLiteral("find-patients"),
                                 QStringLiteral("patient-list"),
                                 QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare la scheda"), true,
                                 ListBanner::Tint::Blue, QStringLiteral("Empty list!"), QStringLiteral("lblRigo03")},
                                this);
    panContainer->setGeometry(kPanelX, kPanelY, 833, 529);
    panContainer->hide();
    txtTrova = panContainer->txtTrova;
    btnTrova = panContainer->btnTrova;
    lstRecords = panContainer->lstRecords;
    lblTrovate = panContainer->lblTrovate;
    btnStampa = panContainer->btnStampa;
    btnChiudi = panContainer->btnChiudi;

    // Keyboard: the fields in reading order, then "Chiudi" and "Cerca"; Enter cycles the fields.
    for (qsizetype i = 0; i + 1 < m_fields.size(); ++i)
        setTabOrder(m_fields[i], m_fields[i + 1]);
    setTabOrder(txtNotes, btnAnnulla);
    setTabOrder(btnAnnulla, btnCerca);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    new EnterCycle(QList<QWidget *>(m_fields.begin(), m_fields.end()), this);
    btnCerca->installEventFilter(this);

    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmFindClients::btnAnnullaClick);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmFindClients::btnCercaClick);
    connect(panContainer, &ListPage::reopenRequested, this, &TfrmFindClients::lstRecordsDblClick);
    connect(panContainer, &ListPage::printRequested, this, &TfrmFindClients::btnStampaClick);
    connect(panContainer, &ListPage::closeRequested, this, &TfrmFindClients::btnChiudiClick);
}

bool TfrmFindClients::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == btnCerca && event->type() == QEvent::MouseButtonPress)
        btnCercaMouseDown();
    return Dialog::eventFilter(watched, event);
}

PatientLines::Criteria TfrmFindClients::criteria() const
{
    return {txtName->text(),     txtTaxNumber->text(), txtStreet->text(), txtCity->text(),   txtSSN->text(),
            txtProblems->text(), txtDentist->text(),   txtTimes->text(),  txtStatus->text(), txtNotes->text()};
}

QWidget *TfrmFindClients::highlightOf(QLineEdit *field) const
{
    const qsizetype i = m_fields.indexOf(field);
    return i < 0 ? nullptr : m_frames[i]->frame();
}

void TfrmFindClients::FormShow()
{
    panContainer->restart();
    txtName->setFocus();
}

void TfrmFindClients::FormClose()
{
    lstRecords->clear();
    lblAttendere->hide();
}

void TfrmFindClients::btnCercaMouseDown()
{
    lblAttendere->show();
    lblAttendere->repaint(); // seen before the search holds the window
}

void TfrmFindClients::btnCercaClick()
{
    btnCercaMouseDown(); // also when "Cerca" is pressed from the keyboard
    const PatientLines::Criteria wanted = criteria();
    lblConta->setText(QString::number(PatientLines::activeCount(wanted)));
    SharedLines lines;
    try {
        lines = PatientLines::foundSource(wanted);
    } catch (const StorageError &) {
        Messages::plain(this, kArchiveFailure);
        return;
    }
    panContainer->setSource(std::move(lines));
    panContainer->show();
    panAvvio->hide();
    txtTrova->clear();
    txtTrova->setFocus();
}

void TfrmFindClients::btnAnnullaClick() { close(); }

void TfrmFindClients::btnChiudiClick() { close(); }

void TfrmFindClients::btnTrovaClick() { panContainer->findInList(); }

void TfrmFindClients::lstRecordsDblClick()
{
    // The card of the very line chosen, by the position the line keeps: two patients whose
    // lines read alike are still two cards.
    const qint64 position = panContainer->selectedPosition();
    const QString tag = AnsiText::trimmed(lblMemory->text());
    try {
        if (position > 0 && (tag == PatientTools::kCallerClients || tag == PatientTools::kCallerScadenze)) {
            const TPatientRecord record = PatientLines::readCard(position);
            if (tag == PatientTools::kCallerClients)
                emit cardChosen(position, record);
            else
                emit contactChosen(PatientLines::contactOf(record));
        }
    } catch (const StorageError &) {
        // The window closes without a message.
    }
    close();
}

void TfrmFindClients::btnStampaClick()
{
    if (!ListPrint::print(this, QStringLiteral("Riepilogo pazienti in archivio"), lstRecords->source()))
        Messages::plain(this, kArchiveFailure);
}
