#include "patients/frmClients.h"

#include "ui/Help.h"
#include "chart/ChartRules.h"
#include "chart/frmAllegaExcel.h"
#include "chart/frmDentalCondition.h"
#include "ui/HintStrip.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"
#include "patients/PatientCard.h"
#include "print/frmCardPrint.h"
#include "patients/PatientTools.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "storage/AnsiText.h"
#include "storage/PatientRecord.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

// The card's content: a fixed design centred in the maximised window.
constexpr int kContentWidth = 994;
constexpr int kContentHeight = 692;

constexpr int kBarTop = 8;
constexpr int kBarHeight = 68;
constexpr int kBodyTop = 86;
constexpr int kBodyHeight = 556;
constexpr int kColumnWidth = 206;
constexpr int kFieldsLeft = 216;
constexpr int kInfoTop = 652;
constexpr int kInfoHeight = 34;

// The field area's rows (inside its white panel): each field's caption above the field.
constexpr int kRowsTop = 14;
constexpr int kRowPitch = 50;
constexpr int kLabelHeight = 17;
constexpr int kFieldHeight = 27;
constexpr int kIconSize = 28;

// The buttons right of four fields (in the order they are made); each field ends before its
// button.
struct Beside
{
    const char *field;
    const char *name;
    const char *svg;
    const char *accessible;
    const char *hint;
};
const Beside kBesides[] = {
    {"Email", "btnEmail", "email", "Invia e-mail al paziente", "Invia e-mail al paziente."},
    {"Issues", "icoIssues", "info", "Informazioni sulle questioni in sospeso",
     "Informazioni sulle questioni in sospeso con il paziente."},
    {"TaxNumber", "btnCodFisc", "check-cf", "Controlla il codice fiscale", "Controlla il codice fiscale."},
    {"SSN", "btnPartitaIva", "check-piva", "Controlla la partita IVA", "Controlla il numero di partita IVA."},
};

bool hasBeside(const char *field)
{
    return std::any_of(std::begin(kBesides), std::end(kBesides),
                       [field](const Beside &b) { return qstrcmp(b.field, field) == 0; });
}

PictureButton *iconButton(const char *name, const char *svg, const QString &accessible, int picture, QWidget *parent)
{
    auto *b = new PictureButton(QString::fromLatin1(name), QString::fromLatin1(svg), accessible, parent);
    b->setPictureSize(QSize(picture, picture));
    b->setFixedSize(b->sizeHint());
    return b;
}

PictureButton *captionButton(const char *name, const char *svg, const QString &caption, int picture, QWidget *parent)
{
    auto *b = new PictureButton(QString::fromLatin1(name), QString::fromLatin1(svg), caption, parent);
    b->setFont(Theme::verdana(9, true));
    b->setPictureSize(QSize(picture, picture));
    b->setCaption(caption, PictureButton::CaptionBelow);
    return b;
}

QWidget *group(const char *name, QWidget *parent, const QList<QWidget *> &items)
{
    QWidget *g = Theme::panel(QString::fromLatin1(name), parent);
    auto *row = new QHBoxLayout(g);
    row->setContentsMargins(10, 2, 10, 2);
    row->setSpacing(4);
    for (QWidget *w : items)
        row->addWidget(w, 0, Qt::AlignVCenter);
    g->setFixedHeight(kBarHeight);
    return g;
}

} // namespace

TfrmClients::TfrmClients(QWidget *parent)
    : CardWindowOf(QStringLiteral("frmClients"), PatientCard::kCaption, kPatientArchive,
                   {PatientCard::kEmptyArchive, PatientCard::kInserted, PatientCard::kUpdated,
                    PatientCard::kDuplicateNew, PatientCard::kDuplicated},
                   parent)
{
    panContainer = makeContent(QSize(kContentWidth, kContentHeight), QSize(0, 0), false);

    buildButtonBar();
    buildLeftColumn();
    buildFieldArea();

    panInfo =
        makeInfoStrip(panContainer, QStringLiteral("QLabel { background: %1; color: %2;"
                                                   " border: 1px solid %3; border-radius: 8px;"
                                                   " padding: 0px 14px; font-style: normal; }")
                                        .arg(Theme::css(Theme::Colour::PatientInfo), Theme::css(Theme::Colour::Paper),
                                             Theme::css(Theme::Colour::PatientInfoEdge)));
    panInfo->setGeometry(0, kInfoTop, kContentWidth, kInfoHeight);

    // Fields in reading order with each button after its field, then the button bar and the
    // left column.
    orderKeys({cmdNew, cmdDuplicate, cmdSave, cmdFind, cmdAttach, cmdPrint, cmdFirst, cmdPrevious, cmdNext, cmdLast,
               cmdExport, cmdDefaulting, cmdHelp, cmdClose, btnCondition, btnHistory, btnFolder, btnMoney});
    watchInfo();

    connectCommands({cmdNew, cmdDuplicate, cmdSave, cmdFind, cmdFirst, cmdPrevious, cmdNext, cmdLast,
                     [this] { cmdNewClick(); }, [this] { cmdDuplicateClick(); }, [this] { cmdSaveClick(); },
                     [this] { cmdFindClick(); }});
    connect(cmdClose, &PictureButton::clicked, this, &TfrmClients::cmdCloseClick);
    connect(cmdPrint, &PictureButton::clicked, this, &TfrmClients::cmdPrintClick);
    connect(cmdHelp, &PictureButton::clicked, this, &TfrmClients::cmdHelpClick);
    connect(btnCondition, &PictureButton::clicked, this, &TfrmClients::btnConditionClick);
    connect(btnHistory, &PictureButton::clicked, this, &TfrmClients::btnHistoryClick);
    connect(cmdExport, &PictureButton::clicked, this, &TfrmClients::cmdExportClick);
    connect(cmdDefaulting, &PictureButton::clicked, this, &TfrmClients::cmdDefaultingClick);
    connect(cmdAttach, &PictureButton::clicked, this, &TfrmClients::cmdAttachClick);
    connect(btnFolder, &PictureButton::clicked, this, &TfrmClients::btnFolderClick);
    connect(btnMoney, &PictureButton::clicked, this, &TfrmClients::btnMoneyClick);
    connect(btnEmail, &PictureButton::clicked, this, &TfrmClients::btnEmailClick);
    connect(icoIssues, &PictureButton::clicked, this, &TfrmClients::icoIssuesClick);
    connect(btnCodFisc, &PictureButton::clicked, this, &TfrmClients::btnCodFiscClick);
    connect(btnPartitaIva, &PictureButton::clicked, this, &TfrmClients::btnPartitaIvaClick);
}

void TfrmClients::buildButtonBar()
{
    constexpr int icon = 32;
    cmdNew = iconButton("cmdNew", "new", QStringLiteral("Nuova scheda"), icon, panContainer);
    cmdDuplicate = iconButton("cmdDuplicate", "duplicate", QStringLiteral("Duplica scheda"), icon, panContainer);
    cmdSave = iconButton("cmdSave", "save", QStringLiteral("Salva scheda"), icon, panContainer);
    cmdFind = iconButton("cmdFind", "find", QStringLiteral("Trova schede"), icon, panContainer);
    cmdAttach = captionButton("cmdAttach", "attach", QStringLiteral("Allega file"), 30, panContainer);
    cmdPrint = captionButton("cmdPrint", "print", QStringLiteral("Stampa"), 30, panContainer);
    cmdFirst = iconButton("cmdFirst", "first", QStringLiteral("Prima scheda"), icon, panContainer);
    cmdPrevious = iconButton("cmdPrevious", "previous", QStringLiteral("Scheda precedente"), icon, panContainer);
    cmdNext = iconButton("cmdNext", "next", QStringLiteral("Scheda successiva"), icon, panContainer);
    cmdLast = iconButton("cmdLast", "last", QStringLiteral("Ultima scheda"), icon, panContainer);
    cmdExport = iconButton("cmdExport", "export", QStringLiteral("Esporta archivio"), icon, panContainer);
    cmdDefaulting = iconButton("cmdDefaulting", "pending-issues", QStringLiteral("Riepilogo questioni in sospeso"),
                               icon, panContainer);
    cmdHelp = iconButton("cmdHelp", "help", QStringLiteral("Guida"), icon, panContainer);
    cmdClose = iconButton("cmdClose", "close", QStringLiteral("Chiudi"), icon, panContainer);

    lblPosizione = makePositionLabel(panContainer);
    lblPosizione->setFixedSize(74, 34);
    lblPosizione->setStyleSheet(QStringLiteral("QLabel { background: %1; color: %2;"
                                               " border: 1px solid %3; border-radius: 5px; }")
                                    .arg(Theme::css(Theme::Colour::PositionPaper), Theme::css(Theme::Colour::Heading),
                                         Theme::css(Theme::Colour::FieldEdge)));

    shpGruppo01 = group("shpGruppo01", panContainer, {cmdNew, cmdDuplicate, cmdSave, cmdFind});
    shpGruppo02 = group("shpGruppo02", panContainer, {cmdAttach});
    shpGruppo03 = group("shpGruppo03", panContainer, {cmdPrint});
    shpGruppo04 = group("shpGruppo04", panContainer, {cmdFirst, cmdPrevious, lblPosizione, cmdNext, cmdLast});
    shpGruppo05 = group("shpGruppo05", panContainer, {cmdExport, cmdDefaulting});
    shpGruppo06 = group("shpGruppo06", panContainer, {cmdHelp, cmdClose});

    // The groups spread over the whole width with equal gaps.
    const QList<QWidget *> groups = {shpGruppo01, shpGruppo02, shpGruppo03, shpGruppo04, shpGruppo05, shpGruppo06};
    int used = 0;
    for (QWidget *g : groups) {
        g->setFixedWidth(qMax(g->sizeHint().width(), 96));
        used += g->width();
    }
    const int gap = (kContentWidth - used) / int(groups.size() - 1);
    int x = 0;
    for (QWidget *g : groups) {
        g->move(x, kBarTop);
        x += g->width() + gap;
    }
    shpGruppo06->move(kContentWidth - shpGruppo06->width(), kBarTop);

    cmdNew->setHint(QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda."));
    cmdDuplicate->setHint(
        QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i dati correnti."));
    cmdSave->setHint(QStringLiteral("Salva la scheda corrente."));
    cmdFind->setHint(QStringLiteral("Trova schede in archivio."));
    cmdAttach->setHint(QStringLiteral("Allega file alla scheda corrente."));
    cmdPrint->setHint(QStringLiteral("Stampa la scheda corrente."));
    cmdFirst->setHint(QStringLiteral("Visualizza la prima scheda in archivio."));
    cmdPrevious->setHint(QStringLiteral("Visualizza la scheda precedente in archivio."));
    cmdNext->setHint(QStringLiteral("Visualizza la scheda successiva in archivio."));
    cmdLast->setHint(QStringLiteral("Visualizza l'ultima scheda in archivio."));
    cmdExport->setHint(QStringLiteral("Esporta l'archivio in un file di Excel."));
    cmdDefaulting->setHint(QStringLiteral("Visualizza il riepilogo delle questioni in sospeso con i pazienti."));
    cmdHelp->setHint(QStringLiteral("Visualizza la guida in linea."));
    cmdClose->setHint(QStringLiteral("Esci da questa schermata di lavoro."));
}

void TfrmClients::buildLeftColumn()
{
    shpColonna = Theme::panel(QStringLiteral("shpColonna"), panContainer);
    shpColonna->setGeometry(0, kBodyTop, kColumnWidth, kBodyHeight);

    btnCondition = captionButton("btnCondition", "dental-chart", QStringLiteral("STATO DENTALE"), 52, shpColonna);
    btnHistory = captionButton("btnHistory", "treatments", QStringLiteral("TRATTAMENTI DENTALI"), 52, shpColonna);
    btnFolder = captionButton("btnFolder", "folder", QStringLiteral("CARTELLA ASSOCIATA"), 52, shpColonna);
    btnMoney = captionButton("btnMoney", "invoices-payments", QStringLiteral("FATTURE E PAGAMENTI"), 40, shpColonna);
    // Screen readers would spell out the capitals.
    btnCondition->setAccessibleName(QStringLiteral("Stato dentale"));
    btnHistory->setAccessibleName(QStringLiteral("Trattamenti dentali"));
    btnFolder->setAccessibleName(QStringLiteral("Cartella associata"));
    btnMoney->setAccessibleName(QStringLiteral("Fatture e pagamenti"));
    int y = 12;
    for (PictureButton *b : {btnCondition, btnHistory, btnFolder, btnMoney}) {
        b->setGeometry(8, y, kColumnWidth - 16, b->sizeHint().height() + 4);
        y += b->height() + 8;
    }
    btnMoney->setHint(QStringLiteral("Preventivi, pagamenti e fatture del paziente."));
    lblSaldo = new QLabel(shpColonna);
    lblSaldo->setObjectName(QStringLiteral("lblSaldo"));
    lblSaldo->setAccessibleName(QStringLiteral("Saldo"));
    lblSaldo->setFont(Theme::verdana(8, true));
    lblSaldo->setAlignment(Qt::AlignCenter);
    lblSaldo->setWordWrap(true);
    lblSaldo->setGeometry(8, y, kColumnWidth - 16, 30);
    btnCondition->setHint(QStringLiteral("Registra o modifica lo stato dentale del paziente."));
    btnHistory->setHint(QStringLiteral("Registra o modifica i trattamenti dentali eseguiti sul paziente."));
    btnFolder->setHint(QStringLiteral("Apri la cartella associata al paziente."));

    constexpr int picture = 150;
    imgPaziente =
        Theme::picture(QStringLiteral("imgPaziente"), QStringLiteral("photo-patients"), picture, picture, shpColonna);
    imgPaziente->move((kColumnWidth - picture) / 2, kBodyHeight - picture - 12);
}

void TfrmClients::buildFieldArea()
{
    shpCampi = Theme::panel(QStringLiteral("shpCampi"), panContainer);
    shpCampi->setGeometry(kFieldsLeft, kBodyTop, kContentWidth - kFieldsLeft, kBodyHeight);
    buildFields(PatientCard::description(), shpCampi, Theme::verdana(11, true));

    txtName = field<QLineEdit>("Name");
    txtGender = field<QLineEdit>("Gender");
    txtBirthDate = field<QLineEdit>("BirthDate");
    txtBirthPlace = field<QLineEdit>("BirthPlace");
    txtStreet = field<QLineEdit>("Street");
    txtCity = field<QLineEdit>("City");
    txtState = field<QLineEdit>("State");
    txtZip = field<QLineEdit>("Zip");
    txtCitizenship = field<QLineEdit>("Citizenship");
    txtTaxNumber = field<QLineEdit>("TaxNumber");
    txtSSN = field<QLineEdit>("SSN");
    txtEmail = field<QLineEdit>("Email");
    txtHomePhone = field<QLineEdit>("HomePhone");
    txtMobilePhone = field<QLineEdit>("MobilePhone");
    txtOccupation = field<QLineEdit>("Occupation");
    txtWork = field<QLineEdit>("Work");
    txtPathologies = field<QLineEdit>("Pathologies");
    txtDrugs = field<QLineEdit>("Drugs");
    txtAllergies = field<QLineEdit>("Allergies");
    txtProblems = field<QLineEdit>("Problems");
    txtIssues = field<QLineEdit>("Issues");
    txtCommunication = field<QLineEdit>("Communication");
    txtDentist = field<QLineEdit>("Dentist");
    txtTimes = field<QLineEdit>("Times");
    txtStatus = field<QLineEdit>("Status");
    txtNotes = field<QLineEdit>("Notes");

    PictureButton **const buttons[] = {&btnEmail, &icoIssues, &btnCodFisc, &btnPartitaIva};
    for (size_t i = 0; i < std::size(kBesides); ++i) {
        const Beside &beside = kBesides[i];
        QWidget *edit = fieldControl(beside.field);
        auto *b = new PictureButton(QString::fromLatin1(beside.name), QString::fromLatin1(beside.svg),
                                    QString::fromUtf8(beside.accessible), shpCampi);
        b->setPictureSize(QSize(kIconSize - 4, kIconSize - 4));
        b->setGeometry(edit->geometry().right() + 5, edit->y() - (kIconSize - kFieldHeight) / 2, kIconSize, kIconSize);
        b->setHint(QString::fromUtf8(beside.hint));
        setBeside(beside.field, b);
        *buttons[i] = b;
    }
}

void TfrmClients::placeField(const CardFields::Field &field, QWidget *control, QLabel *caption)
{
    const CardFields::Place &place = field.place;
    caption->setFont(Theme::verdana(9));
    const int rowY = kRowsTop + place.row * kRowPitch;
    if (place.captionLeft >= 0) {
        // The caption on the left, as wide as its text, the field after it.
        caption->adjustSize();
        const int captionWidth = caption->width() + 8;
        caption->setGeometry(place.captionLeft, rowY, captionWidth, kFieldHeight);
        caption->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
        control->setGeometry(place.captionLeft + captionWidth, rowY, place.right - place.captionLeft - captionWidth,
                             kFieldHeight);
        return;
    }
    caption->setGeometry(place.left, rowY, place.right - place.left, kLabelHeight);
    const int right = hasBeside(field.field) ? place.right - kIconSize - 4 : place.right;
    control->setGeometry(place.left, rowY + kLabelHeight + 1, right - place.left, kFieldHeight);
}

void TfrmClients::afterNewCard() { txtName->setFocus(); }

void TfrmClients::showOwn(const TPatientRecord &record)
{
    m_teeth = record.teeth();
    refreshBalance();
}

void TfrmClients::setBalanceProvider(BalanceText provider)
{
    m_balance = std::move(provider);
    refreshBalance();
}

void TfrmClients::refreshBalance()
{
    lblSaldo->setText(m_balance && position() > 0 ? m_balance(position()) : QString());
}

// The money belongs to a saved card: a new card is saved first.
void TfrmClients::btnMoneyClick()
{
    if (position() <= 0) {
        Messages::information(this,
                              QStringLiteral("Salvare la scheda del paziente prima di aprire fatture e pagamenti."));
        return;
    }
    emit moneyRequested(position());
}

void TfrmClients::takeOwn(TPatientRecord &record) const
{
    record.setTeeth(m_teeth); // cut to 250 characters here, as the fields are
}

QStringList TfrmClients::toothTexts() const { return m_teeth; }

void TfrmClients::setToothTexts(const QStringList &texts) { m_teeth = ChartRules::trimmedTeeth(texts); }

QStringList TfrmClients::attachmentTexts() const { return card().record().attachments(); }

void TfrmClients::setAttachmentTexts(const QStringList &texts) { card().record().setAttachments(texts); }

void TfrmClients::cmdSaveClick()
{
    if (requiredFilled())
        saveCard();
}

// The odontogram's changes belong to the card they were made on: another card shown (read,
// loaded, new, or the other copy's) drops them; a save that wrote the card appends them to
// the file of its position, in the order made. A change not written stays for the next save.
void TfrmClients::beforeShowCard() { m_pendingStates.clear(); }

bool TfrmClients::afterSave(CardResult)
{
    refreshBalance();
    if (m_pendingStates.isEmpty())
        return true;
    m_pendingStates.remove(0, Odontogram::append(Odontogram::path(position()), m_pendingStates));
    if (m_pendingStates.isEmpty())
        return true;
    Messages::error(this, kArchiveFailure);
    return false;
}

void TfrmClients::cmdNewClick() { newCard(); }

void TfrmClients::cmdDuplicateClick() { duplicateCard(); }

void TfrmClients::afterDuplicate()
{
    // The copy is a new card: it has no attachments and no position of its own yet, and none
    // of the odontogram's changes of the card it copies.
    setAttachmentTexts({});
    m_pendingStates.clear();
    txtName->setFocus();
}

void TfrmClients::cmdCloseClick() { close(); }

void TfrmClients::cmdPrintClick()
{
    const TPatientRecord shown = record();
    Modal::run(new TfrmPrintClient(CardDocuments::rows(PatientCard::description(), recordBytes(shown)), this));
}

void TfrmClients::cmdHelpClick() { Help::show(this, Help::Clients); }

void TfrmClients::btnConditionClick()
{
    if (position() == 0) {
        Messages::warning(this, ChartRules::kConditionUnsaved);
        return;
    }
    if (AnsiText::isBlank(txtName->text())) {
        Messages::warning(this, ChartRules::kConditionNoName);
        txtName->setFocus();
        return;
    }
    if (const auto applied = TfrmDentalCondition::edit(this, txtName->text(), toothTexts(),
                                                       Odontogram::path(position()), m_pendingStates)) {
        setToothTexts(applied->teeth);
        m_pendingStates = applied->states;
    }
}

void TfrmClients::btnHistoryClick()
{
    if (position() == 0) {
        Messages::warning(this, ChartRules::kHistoryUnsaved);
        return;
    }
    if (AnsiText::isBlank(txtName->text())) {
        Messages::warning(this, ChartRules::kHistoryNoName);
        txtName->setFocus();
        return;
    }
    TfrmAllegaExcel::openFor(this, txtName->text(), QString::number(position()));
}
void TfrmClients::cmdExportClick() { emit exportRequested(); }

void TfrmClients::cmdFindClick()
{
    if (const auto found = PatientTools::findCard(this))
        loadReadCard(found->position, found->record);
}

void TfrmClients::cmdDefaultingClick()
{
    if (const auto found = PatientTools::pendingIssues(this))
        loadReadCard(found->position, found->record);
}

void TfrmClients::cmdAttachClick()
{
    // The card keeps the three files, then their three descriptions.
    const QStringList stored = attachmentTexts();
    Attachments::Texts texts;
    for (int i = 0; i < 3; ++i) {
        texts.files[i] = stored.value(i);
        texts.descriptions[i] = stored.value(3 + i);
    }
    if (const auto edited = PatientTools::attachFiles(this, texts, position())) {
        QStringList back;
        for (const QString &file : edited->files)
            back.append(file);
        for (const QString &description : edited->descriptions)
            back.append(description);
        setAttachmentTexts(back);
    }
}

void TfrmClients::btnFolderClick()
{
    PatientTools::attachedFolder(this, position() == 0 ? QString() : QString::number(position()));
}

void TfrmClients::btnEmailClick() { PatientTools::email(txtEmail->text()); }

void TfrmClients::icoIssuesClick()
{
    PatientTools::issuesInfo(this);
    txtIssues->setFocus();
}

void TfrmClients::btnCodFiscClick() { PatientTools::checkTaxNumber(this, txtTaxNumber->text()); }

void TfrmClients::btnPartitaIvaClick() { PatientTools::checkPartitaIva(this, txtSSN->text()); }
