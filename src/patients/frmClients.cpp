#include "patients/frmClients.h"

#include "ui/Help.h"
#include "chart/ChartRules.h"
#include "chart/frmAllegaExcel.h"
#include "chart/frmDentalCondition.h"
#include "ui/Accessibility.h"
#include "ui/EnterCycle.h"
#include "ui/HintStrip.h"
#include "ui/PictureButton.h"
#include "ui/Places.h"
#include "ui/Theme.h"
#include "patients/PatientCard.h"
#include "print/frmCardPrint.h"
#include "patients/PatientTools.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "storage/AnsiText.h"
#include "storage/PatientRecord.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QShortcut>

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

// The field area's columns and rows (inside its white panel).
constexpr int kCol[] = {14, 146, 330, 412, 580};
constexpr int kRight = 764;
constexpr int kGap = 10;
constexpr Places::Rows kRows{14, 50};
constexpr int kLabelHeight = 17;
constexpr int kFieldHeight = 27;
constexpr int kIconSize = 28;

// Row by row; a field ends a gap before the next column (its icon included). Each place
// holds the field's caption above the field.
const Places::Place kPlaces[] = {
    {"txtName", 0, kCol[0], kCol[2] - kGap},
    {"txtGender", 0, kCol[2], kCol[3] - kGap},
    {"txtBirthDate", 0, kCol[3], kCol[4] - kGap},
    {"txtBirthPlace", 0, kCol[4], kRight},
    {"txtStreet", 1, kCol[0], kCol[2] - kGap},
    {"txtCity", 1, kCol[2], kCol[4] - kGap},
    {"txtState", 1, kCol[4], kRight},
    {"txtZip", 2, kCol[0], kCol[1] - kGap},
    {"txtCitizenship", 2, kCol[1], kCol[2] - kGap},
    {"txtTaxNumber", 2, kCol[2], kCol[4] - kGap},
    {"txtSSN", 2, kCol[4], kRight},
    {"txtEmail", 3, kCol[0], kCol[2] - kGap},
    {"txtHomePhone", 3, kCol[2], kCol[4] - kGap},
    {"txtMobilePhone", 3, kCol[4], kRight},
    {"txtOccupation", 4, kCol[0], kCol[2] - kGap},
    {"txtWork", 4, kCol[2], kRight},
    {"txtPathologies", 5, kCol[0], kCol[2] - kGap},
    {"txtDrugs", 5, kCol[2], kRight},
    {"txtAllergies", 6, kCol[0], kCol[2] - kGap},
    {"txtProblems", 6, kCol[2], kRight},
    {"txtIssues", 7, kCol[0], kCol[2] - kGap},
    {"txtCommunication", 7, kCol[2], kRight},
    {"txtDentist", 8, kCol[0], kCol[2] - kGap},
    {"txtTimes", 8, kCol[2], kRight},
    {"txtStatus", 9, kCol[0], kRight},
    {"txtNotes", 10, kCol[0], kRight},
};

QFont tahoma(int points)
{
    QFont f(QStringLiteral("Tahoma"));
    f.setPointSize(points);
    return f;
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
    setWindowState(Qt::WindowMaximized);
    setMinimumSize(kContentWidth, kContentHeight);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));
    panContainer->setFixedSize(kContentWidth, kContentHeight);
    auto *outer = new QGridLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(panContainer, 0, 0, Qt::AlignCenter);

    buildButtonBar();
    buildLeftColumn();
    buildFields();

    panInfo = new HintStrip(QStringLiteral("panInfo"), PatientCard::kReady, panContainer);
    panInfo->setGeometry(0, kInfoTop, kContentWidth, kInfoHeight);
    panInfo->setFont(tahoma(12));
    panInfo->setStyleSheet(QStringLiteral("QLabel { background: #3030DD; color: #FFFFFF; border: 1px solid #24249F;"
                                          " border-radius: 8px; padding: 0px 14px; font-style: normal; }"));

    // The field of each record field that the card shows; the teeth and attachments have none.
    bindCard(TPatientRecord::fields(), shpCampi, lblPosizione);
    Q_ASSERT(form().boundCount() == qsizetype(PatientCard::entryFields().size()));

    new EnterCycle(QList<QWidget *>(m_entryFields.begin(), m_entryFields.end()), this);
    buildTabOrder();

    panInfo->watch(this);

    connect(cmdNew, &PictureButton::clicked, this, &TfrmClients::cmdNewClick);
    connect(cmdDuplicate, &PictureButton::clicked, this, &TfrmClients::cmdDuplicateClick);
    connect(cmdSave, &PictureButton::clicked, this, &TfrmClients::cmdSaveClick);
    connectNavigation(cmdFirst, cmdPrevious, cmdNext, cmdLast);
    connect(cmdClose, &PictureButton::clicked, this, &TfrmClients::cmdCloseClick);
    connect(cmdPrint, &PictureButton::clicked, this, &TfrmClients::cmdPrintClick);
    connect(cmdHelp, &PictureButton::clicked, this, &TfrmClients::cmdHelpClick);
    connect(btnCondition, &PictureButton::clicked, this, &TfrmClients::btnConditionClick);
    connect(btnHistory, &PictureButton::clicked, this, &TfrmClients::btnHistoryClick);
    connect(cmdExport, &PictureButton::clicked, this, &TfrmClients::cmdExportClick);
    connect(cmdFind, &PictureButton::clicked, this, &TfrmClients::cmdFindClick);
    connect(cmdDefaulting, &PictureButton::clicked, this, &TfrmClients::cmdDefaultingClick);
    connect(cmdAttach, &PictureButton::clicked, this, &TfrmClients::cmdAttachClick);
    connect(btnFolder, &PictureButton::clicked, this, &TfrmClients::btnFolderClick);
    connect(btnEmail, &PictureButton::clicked, this, &TfrmClients::btnEmailClick);
    connect(icoIssues, &PictureButton::clicked, this, &TfrmClients::icoIssuesClick);
    connect(btnCodFisc, &PictureButton::clicked, this, &TfrmClients::btnCodFiscClick);
    connect(btnPartitaIva, &PictureButton::clicked, this, &TfrmClients::btnPartitaIvaClick);

    // The usual keys for saving, a new card and finding, as the buttons do; the focus stays.
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &TfrmClients::cmdSaveClick);
    connect(new QShortcut(QKeySequence::New, this), &QShortcut::activated, this, &TfrmClients::cmdNewClick);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, &TfrmClients::cmdFindClick);
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

    lblPosizione = new QLabel(panContainer);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    Accessibility::valueLabel(lblPosizione, QStringLiteral("Posizione della scheda in archivio"));
    lblPosizione->setAlignment(Qt::AlignCenter);
    lblPosizione->setFont(Theme::verdana(12, true));
    lblPosizione->setFixedSize(74, 34);
    lblPosizione->setStyleSheet(QStringLiteral("QLabel { background: #F0F8FF; color: #1F4E79;"
                                               " border: 1px solid #87CEEB; border-radius: 5px; }"));

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
    // Screen readers would spell out the capitals.
    btnCondition->setAccessibleName(QStringLiteral("Stato dentale"));
    btnHistory->setAccessibleName(QStringLiteral("Trattamenti dentali"));
    btnFolder->setAccessibleName(QStringLiteral("Cartella associata"));
    int y = 16;
    for (PictureButton *b : {btnCondition, btnHistory, btnFolder}) {
        b->setGeometry(8, y, kColumnWidth - 16, b->sizeHint().height() + 6);
        y += b->height() + 14;
    }
    btnCondition->setHint(QStringLiteral("Registra o modifica lo stato dentale del paziente."));
    btnHistory->setHint(QStringLiteral("Registra o modifica i trattamenti dentali eseguiti sul paziente."));
    btnFolder->setHint(QStringLiteral("Apri la cartella associata al paziente."));

    constexpr int picture = 170;
    imgPaziente =
        Theme::picture(QStringLiteral("imgPaziente"), QStringLiteral("photo-patients"), picture, picture, shpColonna);
    imgPaziente->move((kColumnWidth - picture) / 2, kBodyHeight - picture - 24);
}

void TfrmClients::buildFields()
{
    shpCampi = Theme::panel(QStringLiteral("shpCampi"), panContainer);
    shpCampi->setGeometry(kFieldsLeft, kBodyTop, kContentWidth - kFieldsLeft, kBodyHeight);

    const QFont fieldFont = Theme::verdana(11, true);
    const QFont labelFont = Theme::verdana(9);

    const auto fields = PatientCard::entryFields();
    Q_ASSERT(fields.size() == std::size(kPlaces));
    for (size_t i = 0; i < fields.size(); ++i) {
        const PatientCard::EntryField &field = fields[i];
        const Places::Place &place = kPlaces[i];
        Q_ASSERT(qstrcmp(field.control, place.control) == 0);

        auto *edit = new QLineEdit(shpCampi);
        edit->setObjectName(QString::fromLatin1(field.control));
        edit->setMaxLength(field.limit);
        edit->setFont(fieldFont);
        edit->setProperty("typingRule", int(field.rule));
        QLabel *label = Theme::label(QStringLiteral("lbl") + QString::fromLatin1(field.control + 3),
                                     QString::fromUtf8(field.label), shpCampi, edit);
        label->setFont(labelFont);

        const int rowY = Places::band(kRows, place).top();
        int right = place.right;
        if (qstrcmp(field.control, "txtNotes") == 0) {
            // The notes take their label on the left.
            label->adjustSize();
            const int labelWidth = label->width() + 8;
            label->setGeometry(place.left, rowY, labelWidth, kFieldHeight);
            label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
            edit->setGeometry(place.left + labelWidth, rowY, right - place.left - labelWidth, kFieldHeight);
        } else {
            label->setGeometry(place.left, rowY, place.right - place.left, kLabelHeight);
            const QByteArray name(field.control);
            if (name == "txtTaxNumber" || name == "txtSSN" || name == "txtEmail" || name == "txtIssues")
                right -= kIconSize + 4;
            edit->setGeometry(place.left, rowY + kLabelHeight + 1, right - place.left, kFieldHeight);
        }
        m_entryFields.append(edit);
    }

    txtName = m_entryFields[0];
    txtGender = m_entryFields[1];
    txtBirthDate = m_entryFields[2];
    txtBirthPlace = m_entryFields[3];
    txtStreet = m_entryFields[4];
    txtCity = m_entryFields[5];
    txtState = m_entryFields[6];
    txtZip = m_entryFields[7];
    txtCitizenship = m_entryFields[8];
    txtTaxNumber = m_entryFields[9];
    txtSSN = m_entryFields[10];
    txtEmail = m_entryFields[11];
    txtHomePhone = m_entryFields[12];
    txtMobilePhone = m_entryFields[13];
    txtOccupation = m_entryFields[14];
    txtWork = m_entryFields[15];
    txtPathologies = m_entryFields[16];
    txtDrugs = m_entryFields[17];
    txtAllergies = m_entryFields[18];
    txtProblems = m_entryFields[19];
    txtIssues = m_entryFields[20];
    txtCommunication = m_entryFields[21];
    txtDentist = m_entryFields[22];
    txtTimes = m_entryFields[23];
    txtStatus = m_entryFields[24];
    txtNotes = m_entryFields[25];
    txtGender->setAlignment(Qt::AlignCenter);
    txtBirthDate->setAlignment(Qt::AlignCenter);

    // The icons right of four fields.
    auto besides = [this](QLineEdit *field, const char *name, const char *svg, const QString &accessible,
                          const QString &hint) {
        auto *b = new PictureButton(QString::fromLatin1(name), QString::fromLatin1(svg), accessible, shpCampi);
        b->setPictureSize(QSize(kIconSize - 4, kIconSize - 4));
        const int y = field->y() - (kIconSize - kFieldHeight) / 2;
        b->setGeometry(field->geometry().right() + 5, y, kIconSize, kIconSize);
        b->setHint(hint);
        return b;
    };
    btnEmail = besides(txtEmail, "btnEmail", "email", QStringLiteral("Invia e-mail al paziente"),
                       QStringLiteral("Invia e-mail al paziente."));
    icoIssues = besides(txtIssues, "icoIssues", "info", QStringLiteral("Informazioni sulle questioni in sospeso"),
                        QStringLiteral("Informazioni sulle questioni in sospeso con il paziente."));
    btnCodFisc = besides(txtTaxNumber, "btnCodFisc", "check-cf", QStringLiteral("Controlla il codice fiscale"),
                         QStringLiteral("Controlla il codice fiscale."));
    btnPartitaIva = besides(txtSSN, "btnPartitaIva", "check-piva", QStringLiteral("Controlla la partita IVA"),
                            QStringLiteral("Controlla il numero di partita IVA."));

    // Typing rules.
    for (QLineEdit *edit : std::as_const(m_entryFields)) {
        const auto rule = PatientCard::TypingRule(edit->property("typingRule").toInt());
        if (rule == PatientCard::TypingRule::DigitsOnly) {
            edit->installEventFilter(this);
        } else if (rule != PatientCard::TypingRule::None) {
            connect(edit, &QLineEdit::textEdited, this, [edit, rule] {
                const PatientCard::Typed typed = PatientCard::applyTyping(rule, edit->text(), edit->cursorPosition());
                if (typed.text != edit->text()) {
                    edit->setText(typed.text);
                    edit->setCursorPosition(typed.cursor);
                }
            });
        }
    }
}

void TfrmClients::buildTabOrder()
{
    // Fields in reading order with each icon after its field, then the button bar and the
    // left column.
    QList<QWidget *> chain;
    for (QLineEdit *edit : std::as_const(m_entryFields)) {
        chain.append(edit);
        if (edit == txtTaxNumber)
            chain.append(btnCodFisc);
        else if (edit == txtSSN)
            chain.append(btnPartitaIva);
        else if (edit == txtEmail)
            chain.append(btnEmail);
        else if (edit == txtIssues)
            chain.append(icoIssues);
    }
    chain << cmdNew << cmdDuplicate << cmdSave << cmdFind << cmdAttach << cmdPrint << cmdFirst << cmdPrevious << cmdNext
          << cmdLast << cmdExport << cmdDefaulting << cmdHelp << cmdClose << btnCondition << btnHistory << btnFolder;
    for (qsizetype i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

bool TfrmClients::eventFilter(QObject *watched, QEvent *event)
{
    // Digits-only fields: the keys that may not reach them are dropped here.
    if (event->type() == QEvent::KeyPress && (watched == txtSSN || watched == txtMobilePhone)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        return !PatientCard::digitsOnlyAccepts(key->key(), key->text());
    }
    return WorkWindow::eventFilter(watched, event);
}

void TfrmClients::afterNewCard() { txtName->setFocus(); }

void TfrmClients::showOwn(const TPatientRecord &record) { m_teeth = record.teeth(); }

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
    if (AnsiText::isBlank(txtName->text())) {
        Messages::warning(this, PatientCard::kNameRequired);
        txtName->setFocus();
        return;
    }
    if (AnsiText::isBlank(txtMobilePhone->text())) {
        Messages::warning(this, PatientCard::kMobileRequired);
        txtMobilePhone->setFocus();
        return;
    }
    saveCard();
}

// The odontogram's changes belong to the card they were made on: another card shown (read,
// loaded, new, or the other copy's) drops them; a save that wrote the card appends them to
// the file of its position, in the order made. A change not written stays for the next save.
void TfrmClients::beforeShowCard() { m_pendingStates.clear(); }

bool TfrmClients::afterSave(CardResult)
{
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

void TfrmClients::cmdPrintClick() { Modal::run(new TfrmPrintClient(record(), this)); }

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
