#include "chart/frmAllegaExcel.h"

#include "base/Amount.h"
#include "base/Formats.h"
#include "chart/TreatmentRegister.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "print/ListDocument.h"
#include "print/ReportRenderer.h"
#include "storage/AnsiText.h"
#include "storage/RecordFile.h"
#include "ui/Accessibility.h"
#include "ui/CardSave.h"
#include "ui/EnterCycle.h"
#include "ui/FixedList.h"
#include "ui/ListPage.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using Theme::verdana;

namespace {

constexpr int kPanelWidth = 833;
constexpr int kPanelHeight = 585;
constexpr int kInner = 813; // the width of the bars inside a panel

QLabel *blackBar(const QString &name, const QString &text, int points, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(verdana(points, false));
    l->setStyleSheet(Theme::sheet(Theme::Sheet::RegisterCaption));
    return l;
}

// The lists' rose banner, lower, with the treatments picture at both ends.
ListBanner *registerBanner(const QString &name, const QString &title, QWidget *parent)
{
    auto *banner = new ListBanner(name, title, QStringLiteral("treatments"), QStringLiteral("treatments"), parent);
    banner->setFixedSize(kInner, 48);
    banner->setPictureBox(38, 16);
    return banner;
}

} // namespace

TfrmAllegaExcel::TfrmAllegaExcel(const QString &patientName, const QString &patientPosition, QWidget *parent)
    : Dialog(parent), m_patientName(patientName), m_patientPosition(patientPosition),
      m_card(treatmentFileName(patientPosition))
{
    setObjectName(QStringLiteral("frmAllegaExcel"));
    setWindowTitle(QStringLiteral(" Riepilogo trattamenti dentali"));
    Theme::makeFixedDialog(this, 863, 616);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(Theme::sheet(Theme::Sheet::RegisterWindow));

    buildListPanel();
    buildEntryPanel();
    panCosti->hide();

    // FormCreate: the entry limits.
    txtData->setMaxLength(10);
    txtOra->setMaxLength(5);
    txtTrattamenti->setMaxLength(50);
    txtDentista->setMaxLength(28);
    txtImporto->setMaxLength(15);

    new EnterCycle({txtData, txtOra, txtTrattamenti, txtDentista, txtImporto}, this);
    // After the Enter cycle's filter, so that this one sees the keys first and lets Enter by.
    txtImporto->installEventFilter(this);
    m_search = new ListSearch(txtTrova, btnTrova, lstRecords, TreatmentRegister::kFindEmpty, this);

    connect(btnTrova, &QPushButton::clicked, this, &TfrmAllegaExcel::btnTrovaClick);
    connect(btnAggiungi, &QPushButton::clicked, this, &TfrmAllegaExcel::btnAggiungiClick);
    connect(btnModifica, &QPushButton::clicked, this, &TfrmAllegaExcel::btnModificaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmAllegaExcel::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);
    connect(btnSalva, &QPushButton::clicked, this, &TfrmAllegaExcel::btnSalvaClick);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::close);
    connect(impData, &PictureButton::clicked, this, &TfrmAllegaExcel::impDataClick);
    connect(impOra, &PictureButton::clicked, this, &TfrmAllegaExcel::impOraClick);
}

void TfrmAllegaExcel::buildListPanel()
{
    panContainer = Theme::panel(QStringLiteral("panContainer"), this);
    panContainer->setGeometry(15, 15, kPanelWidth, kPanelHeight);

    lblTitolo = blackBar(QStringLiteral("lblTitolo"), QStringLiteral("Trattamenti del paziente"), 13, panContainer);
    lblTitolo->setGeometry(10, 10, kInner, 34);

    imgRiepilogo =
        registerBanner(QStringLiteral("imgRiepilogo"), QStringLiteral("RIEPILOGO TRATTAMENTI"), panContainer);
    imgRiepilogo->move(10, 50);

    lblRigo01 = Theme::label(QStringLiteral("lblRigo01"),
                             QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                                            "cercare e premere il pulsante Trova."),
                             panContainer);
    lblRigo01->setFont(verdana(9, false));
    lblRigo01->setGeometry(10, 104, kInner, 18);

    imgLente = Theme::picture(QStringLiteral("imgLente"), QStringLiteral("find"), 30, 30, panContainer);
    imgLente->move(40, 128);
    txtTrova = new QLineEdit(panContainer);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setFont(verdana(11, true));
    txtTrova->setAccessibleName(QStringLiteral("Testo da cercare nell'elenco"));
    // The search field has no colouring of its own: white, whether focused or not.
    txtTrova->setProperty("framed", true);
    txtTrova->setGeometry(78, 128, 593, 30);
    btnTrova = Theme::textButton(QStringLiteral("btnTrova"), QStringLiteral("Trova"), panContainer);
    btnTrova->setGeometry(681, 128, 136, 30);

    lstRecords = new FixedList(QStringLiteral("lstRecords"), QStringLiteral("Elenco dei trattamenti"), panContainer);
    lstRecords->setGeometry(16, 166, 801, 273);

    lblRigo03 =
        Theme::label(QStringLiteral("lblRigo03"),
                     QStringLiteral("Per modificare una scheda in elenco, selezionarla con un clic e premere il "
                                    "pulsante Modifica voce."),
                     panContainer);
    lblRigo03->setFont(verdana(9, true));
    lblRigo03->setStyleSheet(Theme::textColour(Theme::Colour::Alert));
    lblRigo03->setAlignment(Qt::AlignCenter);
    lblRigo03->setGeometry(10, 445, kInner, 18);

    shpTotale = new QWidget(panContainer);
    shpTotale->setObjectName(QStringLiteral("shpTotale"));
    shpTotale->setAttribute(Qt::WA_StyledBackground);
    shpTotale->setStyleSheet(Theme::sheet(Theme::Sheet::RegisterTotal));
    shpTotale->setGeometry(10, 469, kInner, 38);
    imgTotale = new QLabel(QStringLiteral("TOTALE IMPORTI :"), shpTotale);
    imgTotale->setObjectName(QStringLiteral("imgTotale"));
    imgTotale->setFont(verdana(13, true));
    imgTotale->setStyleSheet(Theme::textColour(Theme::Colour::Total));
    imgTotale->setGeometry(16, 0, 300, 38);
    Accessibility::hide(imgTotale); // the total's name says it
    lblTotale = new QLabel(QStringLiteral("0,00"), shpTotale);
    lblTotale->setObjectName(QStringLiteral("lblTotale"));
    lblTotale->setTextFormat(Qt::PlainText);
    lblTotale->setFont(verdana(13, true));
    lblTotale->setStyleSheet(Theme::textColour(Theme::Colour::Paper));
    lblTotale->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblTotale->setGeometry(kInner - 316, 0, 300, 38);
    Accessibility::valueLabel(lblTotale, QStringLiteral("Totale importi")); // "Totale importi: € 60,65"

    constexpr int y = 526;
    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panContainer);
    btnChiudi->setGeometry(10, y, 140, 34);
    imgMano01 = Theme::picture(QStringLiteral("imgMano01"), QStringLiteral("hand-point"), 42, 28, panContainer);
    imgMano01->move(204, y + 3);
    btnAggiungi = Theme::textButton(QStringLiteral("btnAggiungi"), QStringLiteral("Aggiungi voce"), panContainer);
    btnAggiungi->setGeometry(252, y, 160, 34);
    imgMano02 = Theme::picture(QStringLiteral("imgMano02"), QStringLiteral("hand-point"), 42, 28, panContainer);
    imgMano02->move(430, y + 3);
    btnModifica = Theme::textButton(QStringLiteral("btnModifica"), QStringLiteral("Modifica voce"), panContainer);
    btnModifica->setGeometry(478, y, 160, 34);
    btnStampa = Theme::textButton(QStringLiteral("btnStampa"), QStringLiteral("Stampa riepilogo"), panContainer);
    btnStampa->setGeometry(kInner + 10 - 170, y, 170, 34);
    for (QPushButton *b : {btnChiudi, btnAggiungi, btnModifica, btnStampa})
        b->setStyleSheet(Theme::sheet(Theme::Sheet::SmallButton));

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnChiudi);
    setTabOrder(btnChiudi, btnAggiungi);
    setTabOrder(btnAggiungi, btnModifica);
    setTabOrder(btnModifica, btnStampa);
}

void TfrmAllegaExcel::buildEntryPanel()
{
    panCosti = Theme::panel(QStringLiteral("panCosti"), this);
    panCosti->setGeometry(15, 15, kPanelWidth, kPanelHeight);

    imgRegistrazione =
        registerBanner(QStringLiteral("imgRegistrazione"), QStringLiteral("REGISTRAZIONE TRATTAMENTI"), panCosti);
    imgRegistrazione->move(10, 10);

    titIstruzioni = blackBar(QStringLiteral("titIstruzioni"),
                             QStringLiteral("Immettere i dati nei campi sottostanti e premere Salva."), 11, panCosti);
    titIstruzioni->setGeometry(10, 66, kInner, 32);

    imgFoto = Theme::picture(QStringLiteral("imgFoto"), QStringLiteral("dental-chair"), 190, 190, panCosti);
    imgFoto->move(616, 290);

    const QFont labelFont = verdana(10, false);
    const QFont fieldFont = verdana(11, true);
    struct Row
    {
        const char *label;
        const char *name;
        int width;
    };
    const Row rows[] = {
        {"Data:", "txtData", 130},         {"Ora:", "txtOra", 130},           {"Trattamenti:", "txtTrattamenti", 480},
        {"Dentista:", "txtDentista", 300}, {"Importo: €", "txtImporto", 145},
    };
    QList<QLineEdit *> fields;
    int y = 130;
    for (const Row &row : rows) {
        auto *edit = new QLineEdit(panCosti);
        edit->setObjectName(QString::fromLatin1(row.name));
        edit->setFont(fieldFont);
        edit->setGeometry(170, y, row.width, 30);
        QLabel *label = Theme::label(QStringLiteral("lbl") + QString::fromLatin1(row.name + 3),
                                     QString::fromUtf8(row.label), panCosti, edit);
        label->setFont(labelFont);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(10, y, 150, 30);
        fields.append(edit);
        y += 52;
    }
    txtData = fields[0];
    txtOra = fields[1];
    txtTrattamenti = fields[2];
    txtDentista = fields[3];
    txtImporto = fields[4];
    txtData->setAlignment(Qt::AlignCenter);
    txtOra->setAlignment(Qt::AlignCenter);
    txtImporto->setAccessibleName(QStringLiteral("Importo in euro"));
    txtImporto->setText(QStringLiteral("0,00"));

    const auto importButton = [this](const char *name, const QString &accessible, QLineEdit *field) {
        auto *b = new PictureButton(QString::fromLatin1(name), QStringLiteral("import-arrow"), accessible, panCosti);
        b->setPictureSize(QSize(22, 22));
        b->setGeometry(field->geometry().right() + 8, field->y() + 1, 28, 28);
        return b;
    };
    impData = importButton("impData", QStringLiteral("Inserisci la data di oggi"), txtData);
    impOra = importButton("impOra", QStringLiteral("Inserisci l'ora attuale"), txtOra);

    imgBanconota = Theme::picture(QStringLiteral("imgBanconota"), QStringLiteral("banknote"), 72, 48, panCosti);
    imgBanconota->move(txtImporto->geometry().right() + 16, txtImporto->y() - 9);

    btnSalva = Theme::textButton(QStringLiteral("btnSalva"), QStringLiteral("Salva"), panCosti);
    btnSalva->setGeometry(kInner + 10 - 150, 526, 150, 34);
    cmdClose = Theme::textButton(QStringLiteral("cmdClose"), QStringLiteral("Chiudi"), panCosti);
    cmdClose->setGeometry(10, 526, 150, 34);

    setTabOrder(txtData, impData);
    setTabOrder(impData, txtOra);
    setTabOrder(txtOra, impOra);
    setTabOrder(impOra, txtTrattamenti);
    setTabOrder(txtTrattamenti, txtDentista);
    setTabOrder(txtDentista, txtImporto);
    setTabOrder(txtImporto, btnSalva);
    setTabOrder(btnSalva, cmdClose);
}

void TfrmAllegaExcel::openFor(QWidget *parent, const QString &patientName, const QString &patientPosition)
{
    Modal::run(new TfrmAllegaExcel(patientName, patientPosition, parent));
}

void TfrmAllegaExcel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // the dialog's own Escape would close it and lose the entry typed
        return;
    }
    Dialog::keyPressEvent(event);
}

bool TfrmAllegaExcel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (watched == txtImporto && !enter)
            return !TreatmentRegister::amountAccepts(key->key(), key->text());
    } else if (event->type() == QEvent::FocusOut && watched == txtImporto) {
        txtImportoExit();
    }
    return Dialog::eventFilter(watched, event);
}

void TfrmAllegaExcel::FormShow()
{
    m_search->restart();
    lblTotale->setText(QStringLiteral("0,00"));
    lblTitolo->setText(QStringLiteral("Trattamenti di ") + AnsiText::trimmed(m_patientName));
    m_file = ProgramFolder::file(treatmentFileName(m_patientPosition));
    lstRecords->clear();
    m_total.reset();
    try {
        const TreatmentRegister::Listing listing = TreatmentRegister::read(m_file);
        lstRecords->setItemWidth(1600);
        lstRecords->setSource(std::make_shared<const TextLines>(listing.lines, listing.positions));
        m_total = listing.total;
        lblTotale->setText(TreatmentRegister::totalText(listing.total));
    } catch (const StorageError &) {
        // A file that can be neither opened nor created nor read must not pass for a
        // patient without treatments: say so, and show no total at all.
        lblTotale->clear();
    }
    lstRecords->setCurrentRow(-1);
    txtTrova->setFocus();
    if (!m_total)
        Messages::error(this, kArchiveFailure);
}

void TfrmAllegaExcel::FormClose() { lstRecords->clear(); }

QList<qint64> TfrmAllegaExcel::linePositions() const
{
    QList<qint64> positions;
    for (int row = 0; row < lstRecords->count(); ++row)
        positions.append(lstRecords->position(row));
    return positions;
}

void TfrmAllegaExcel::btnTrovaClick() { m_search->findNext(); }

void TfrmAllegaExcel::showEntryPanel()
{
    panContainer->hide();
    panCosti->show();
    txtData->setFocus();
}

void TfrmAllegaExcel::btnAggiungiClick()
{
    txtData->clear();
    txtOra->clear();
    txtTrattamenti->clear();
    txtDentista->clear();
    txtImporto->setText(QStringLiteral("0,00"));
    m_card.clear();
    showEntryPanel();
}

void TfrmAllegaExcel::btnModificaClick()
{
    if (lstRecords->count() == 0) {
        Messages::information(this, TreatmentRegister::kEditEmpty);
        return;
    }
    const int row = lstRecords->selectedRow();
    if (row < 0) {
        Messages::warning(this, TreatmentRegister::kEditNoSelection);
        return;
    }
    try {
        // The line's own record, by its position: two treatments with the same line are two.
        const qint64 position = lstRecords->position(row);
        const TTreatmentRecord record = TreatmentRegister::readAt(m_file, position);
        showEntry(record);
        m_card.loadRead(position, record); // a save first looks whether another copy changed it
    } catch (const StorageError &) {
        close();
        return;
    }
    showEntryPanel();
}

void TfrmAllegaExcel::showEntry(const TTreatmentRecord &record)
{
    txtData->setText(AnsiText::trimmed(record.Data.text()));
    txtOra->setText(AnsiText::trimmed(record.Ora.text()));
    txtTrattamenti->setText(AnsiText::trimmed(record.Trattamenti.text()));
    txtDentista->setText(AnsiText::trimmed(record.Dentista.text()));
    txtImporto->setText(AnsiText::trimmed(record.Importo.text()));
}

void TfrmAllegaExcel::btnSalvaClick()
{
    const QList<QLineEdit *> fields = {txtData, txtOra, txtTrattamenti, txtDentista, txtImporto};
    QStringList texts;
    for (const QLineEdit *f : fields)
        texts.append(f->text());
    const int empty = TreatmentRegister::firstEmpty(texts);
    if (empty >= 0) {
        Messages::warning(this, TreatmentRegister::requiredMessage(empty));
        fields[empty]->setFocus();
        return;
    }
    // The amount is stored as amount text even when the field was never left.
    txtImporto->setText(Amount::normalise(txtImporto->text()));
    m_card.record() = TreatmentRegister::record(txtData->text(), txtOra->text(), txtTrattamenti->text(),
                                                txtDentista->text(), txtImporto->text());
    // Appended, or written over the treatment corrected (asking first when another copy of
    // the program saved it anew meanwhile).
    const CardResult result = CardSave::save(this, m_card);
    switch (result) {
    case CardResult::Inserted:
        Messages::information(this, TreatmentRegister::kInserted);
        break;
    case CardResult::Updated:
        Messages::information(this, TreatmentRegister::kUpdated);
        break;
    case CardResult::Shown: // the other copy's treatment, now on the panel
        showEntry(m_card.record());
        break;
    case CardResult::ChangedElsewhere: // answered Annulla: nothing written, the entry stays
        break;
    default:
        Messages::warning(this, result == CardResult::Held ? kArchiveHeld : kArchiveFailure);
        break;
    }
}

void TfrmAllegaExcel::btnStampaClick()
{
    if (!m_total) {
        Messages::error(this, kArchiveFailure); // not a summary of a register never read
        return;
    }
    QStringList lines = lstRecords->lines();
    lines.append(QString(26, QLatin1Char('-')));
    lines.append(QStringLiteral("TOTALE IMPORTI:    ") + AnsiText::trimmed(TreatmentRegister::totalText(*m_total)));
    Report::print(this,
                  ListDocument::make(QStringLiteral("Riepilogo trattamenti di ") + AnsiText::trimmed(m_patientName),
                                     lines, ListDocument::footerText(ListDocument::Footer::Italian, Clock::today())));
}

void TfrmAllegaExcel::impDataClick() { txtData->setText(Formats::dateText(Clock::today())); }

void TfrmAllegaExcel::impOraClick() { txtOra->setText(Formats::timeText(Clock::now().time())); }

void TfrmAllegaExcel::txtImportoExit() { txtImporto->setText(Amount::normalise(txtImporto->text())); }
