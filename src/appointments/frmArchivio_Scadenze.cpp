#include "appointments/frmArchivio_Scadenze.h"

#include "base/Formats.h"
#include "ui/Help.h"
#include "ui/Accessibility.h"
#include "ui/ListOnlyCombo.h"
#include "ui/HintStrip.h"
#include "ui/PictureButton.h"
#include "ui/Places.h"
#include "ui/Theme.h"
#include "base/Amount.h"
#include "appointments/AppointmentCard.h"
#include "appointments/AppointmentWidgets.h"
#include "base/MessageLinks.h"
#include "appointments/frmCalendario.h"
#include "appointments/frmStatusList.h"
#include "appointments/frmTrovaScadenze.h"
#include "print/frmCardPrint.h"
#include "patients/PatientTools.h"
#include "platform/Messages.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "storage/AnsiText.h"
#include "storage/AppointmentRecord.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// What the card says for the results of its card operations.
const CardWindow::Texts kTexts{
    QStringLiteral("L'archivio non contiene nessuna scheda."),
    QStringLiteral("La scheda corrente è stata inserita in archivio."),
    QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."),
    QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto dopo che questa è stata inserita "
                   "in archivio."),
    QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\rAl termine premere "
                   "Salva per inserire la scheda in archivio."),
};

// The window's content: a fixed design centred in the maximised window. The card on the
// left, the command column on the right, the information strip and the navigation below.
constexpr int kContentWidth = 994;
constexpr int kContentHeight = 692;
constexpr int kCardWidth = 748;
constexpr int kColumnLeft = 758;
constexpr int kColumnWidth = kContentWidth - kColumnLeft;
constexpr int kBodyHeight = 640;
constexpr int kBarTop = 648;
constexpr int kBarHeight = kContentHeight - kBarTop;

// The card: its title, then one row per field with its caption on the left (a section
// banner across the card has a row of its own), and the fulfilled box at the bottom.
constexpr int kTitleTop = 12;
constexpr int kTitleHeight = 48;
constexpr int kCaption = 14;                      // x of the captions, banners and notes
constexpr int kField = 214;                       // x of the fields
constexpr int kRight = 734;                       // x just after a full field
constexpr int kBesideIcon = 26;                   // picture of a button right of a field
constexpr int kBeside = kRight - kBesideIcon - 8; // x of that button
constexpr int kBesideField = kBeside - 6;         // x just after a field with a button
constexpr int kCaptionEnd = kField - 10;
constexpr int kRow = 35;
constexpr Places::Rows kCardRows{66, kRow}; // a caption takes the whole row, centred like its field

// The card's own controls beside its fields (the fields stand in its description,
// AppointmentCard): the buttons beside four fields, the time's colon, the banners and the
// instructions.
const Places::Place kCardPlaces[] = {
    {"impData", 0, kField + 148, kField + 182},
    {"lblSeparatore", 0, 548, 560, kRow},
    {"imgServizi", 2, kCaption, kRight},
    {"imgPaziente", 6, kCaption, kRight},
    {"impContatto", 7, kBeside, kRight},
    {"btnWhatsApp", 9, kBeside, kRight},
    {"btnEmail", 10, kBeside, kRight},
    {"imgNote", 13, kCaption, kRight},
    {"imgIstruzioni", 15, kField + 1, kRight, 38},
};

// The command column: two buttons a row, read left to right and top to bottom.
constexpr Places::Rows kCommandRows{26, 98};
const Places::Place kCommandPlaces[] = {
    {"cmdNuovo", 0, 8, 112},     {"cmdDuplica", 0, 116, 228},     {"cmdSalva", 1, 8, 112},
    {"cmdTrova", 1, 116, 228},   {"cmdAnteprima", 2, 8, 112},     {"cmdStampa", 2, 116, 228},
    {"cmdAssolti", 3, 8, 112},   {"cmdDaAssolvere", 3, 116, 228}, {"cmdScaduti", 4, 8, 112},
    {"cmdEsporta", 4, 116, 228}, {"cmdGuida", 5, 8, 112},         {"cmdEsci", 5, 116, 228},
};

// The navigation: the arrows with the record position between them.
constexpr Places::Rows kNavigationRows{0, kBarHeight};
const Places::Place kNavigationPlaces[] = {
    {"cmdPrimo", 0, 6, 40},     {"cmdIndietro", 0, 42, 76}, {"lblPosizione", 0, 78, 158, 40},
    {"cmdAvanti", 0, 160, 194}, {"cmdUltimo", 0, 196, 230},
};

QString trimmed(const QLineEdit *field) { return AnsiText::trimmed(field->text()); }
QString trimmed(const QComboBox *field) { return AnsiText::trimmed(field->currentText()); }

PictureButton *command(const QString &name, const QString &svg, const QString &caption, const QString &hint,
                       QWidget *parent)
{
    auto *b = new PictureButton(name, svg, caption, parent);
    b->setPictureSize(QSize(34, 34));
    b->setCaption(caption, PictureButton::CaptionBelow);
    b->setHint(hint);
    b->setMinimumWidth(104);
    return b;
}

PictureButton *small(const QString &name, const QString &svg, const QString &accessible, const QString &hint,
                     QWidget *parent, int size)
{
    auto *b = new PictureButton(name, svg, accessible, parent);
    b->setPictureSize(QSize(size, size));
    b->setHint(hint);
    return b;
}

} // namespace

TfrmArchivio_Scadenze::TfrmArchivio_Scadenze(QWidget *parent)
    : CardWindowOf(QStringLiteral("frmArchivio_Scadenze"), QStringLiteral(" Sorrisa - Schedario Appuntamenti"),
                   kAppointmentArchive, kTexts, parent)
{
    panContainer = makeContent(QSize(kContentWidth, kContentHeight), QSize(16, 18), true);
    // The fields of this card keep a white background; the focused one is outlined instead.
    setStyleSheet(QStringLiteral("QLineEdit, QComboBox { background: %1; border: 1px solid %2; }"
                                 "QLineEdit:focus, QComboBox:focus { background: %1; border: 2px solid %3; }"
                                 "QLineEdit:read-only { background: %4; }"
                                 "QLabel[role=\"caption\"] { color: %5; font-weight: bold; }")
                      .arg(Theme::css(Theme::Colour::Paper), Theme::css(Theme::Colour::FieldEdge),
                           Theme::css(Theme::Colour::Heading), Theme::css(Theme::Colour::ReadOnlyPaper),
                           Theme::css(Theme::Colour::Caption)));

    // ---- The card ----
    QWidget *shpScheda = Theme::panel(QStringLiteral("shpScheda"), panContainer);
    imgTitolo = AppointmentWidgets::banner(QStringLiteral("imgTitolo"), QStringLiteral("SCHEDA APPUNTAMENTO"),
                                           {QStringLiteral("calendar"), QStringLiteral("clock")}, shpScheda, 48);
    Accessibility::hide(imgTitolo); // the window's banner: its caption says it

    buildFields(AppointmentCard::description(), shpScheda, AppointmentWidgets::fieldFont());
    txtData = field<QLineEdit>("Data");
    m_hours = field<ListOnlyCombo>("OreApp");
    m_minutes = field<ListOnlyCombo>("MinutiApp");
    txtOreApp = m_hours;
    txtMinutiApp = m_minutes;
    txtAvviso = field<QLineEdit>("Avviso");
    txtTipologia = field<QLineEdit>("Tipologia");
    txtCausale = field<QLineEdit>("Causale");
    txtDettagli = field<QLineEdit>("Dettagli");
    txtContatto = field<QLineEdit>("Contatto");
    txtTel = field<QLineEdit>("Tel");
    txtCel = field<QLineEdit>("Cel");
    txtEmail = field<QLineEdit>("Email");
    txtLuogo = field<QLineEdit>("Luogo");
    txtImporto = field<QLineEdit>("Importo");
    txtNote = field<QLineEdit>("Note");
    chkOttemperata = field<QCheckBox>("Ottemperata");

    txtData->setToolTip(QStringLiteral("Premere un tasto per scegliere la data dal calendario; Canc o Backspace la "
                                       "cancellano."));
    txtNote->setAccessibleName(QStringLiteral("Note"));
    HintStrip::setHint(chkOttemperata,
                       QStringLiteral("Spunta questa casella per indicare che l'impegno è stato assolto."));

    impData =
        small(QStringLiteral("impData"), QStringLiteral("calendar"), QStringLiteral("Scegli la data dal calendario"),
              QStringLiteral("Importa la data dal calendario."), shpScheda, kBesideIcon);
    impContatto = small(QStringLiteral("impContatto"), QStringLiteral("import-contact"),
                        QStringLiteral("Importa i dati dall'archivio dei pazienti"),
                        QStringLiteral("Importa i dati dall'archivio dei pazienti."), shpScheda, kBesideIcon);
    btnWhatsApp =
        small(QStringLiteral("btnWhatsApp"), QStringLiteral("whatsapp"),
              QStringLiteral("Invia conferma appuntamento tramite WhatsApp"),
              QStringLiteral("Invia conferma appuntamento al paziente tramite WhatsApp."), shpScheda, kBesideIcon);
    btnEmail = small(QStringLiteral("btnEmail"), QStringLiteral("email"), QStringLiteral("Invia una e-mail"),
                     QStringLiteral("Invia una e-mail all'indirizzo indicato."), shpScheda, kBesideIcon);
    setBeside("Data", impData);
    setBeside("Contatto", impContatto);
    setBeside("Cel", btnWhatsApp);
    setBeside("Email", btnEmail);

    auto *colon = new QLabel(QStringLiteral(":"), shpScheda);
    colon->setObjectName(QStringLiteral("lblSeparatore"));
    colon->setFont(AppointmentWidgets::fieldFont());
    colon->setAlignment(Qt::AlignCenter);
    AppointmentWidgets::banner(QStringLiteral("imgServizi"), QStringLiteral("DESCRIZIONE SERVIZI"),
                               {QStringLiteral("dental-chart")}, shpScheda);
    AppointmentWidgets::banner(QStringLiteral("imgPaziente"), QStringLiteral("DATI PAZIENTE"),
                               {QStringLiteral("person")}, shpScheda);
    AppointmentWidgets::banner(QStringLiteral("imgNote"), QStringLiteral("NOTE"), {QStringLiteral("new")}, shpScheda);
    auto *imgIstruzioni = new QLabel(
        QStringLiteral(
            "Ricordarsi di spuntare la casella Impegno assolto nel momento in cui si è ottemperato allo stesso "
            "così da rimuoverlo dagli appuntamenti imminenti."),
        shpScheda);
    imgIstruzioni->setObjectName(QStringLiteral("imgIstruzioni"));
    imgIstruzioni->setWordWrap(true);
    imgIstruzioni->setStyleSheet(
        QStringLiteral("QLabel { background: %1; color: %2; border: 1px solid %3; border-radius: 6px; "
                       "padding: 4px 8px; font-style: italic; }")
            .arg(Theme::css(Theme::Colour::CautionPaper), Theme::css(Theme::Colour::CautionInk),
                 Theme::css(Theme::Colour::CautionEdge)));

    imgTitolo->setGeometry(kCaption, kTitleTop, kRight - kCaption, kTitleHeight);
    Places::apply(shpScheda, kCardRows, kCardPlaces);

    // ---- The command column ----
    QWidget *shpComandi = Theme::panel(QStringLiteral("shpComandi"), panContainer);
    cmdNuovo = command(QStringLiteral("cmdNuovo"), QStringLiteral("new"), QStringLiteral("Nuovo"),
                       QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda."), shpComandi);
    cmdDuplica = command(QStringLiteral("cmdDuplica"), QStringLiteral("duplicate"), QStringLiteral("Duplica"),
                         QStringLiteral("Prepara la schermata per la registrazione di una nuova scheda duplicando i "
                                        "dati correnti."),
                         shpComandi);
    cmdSalva = command(QStringLiteral("cmdSalva"), QStringLiteral("save"), QStringLiteral("Salva"),
                       QStringLiteral("Salva la scheda corrente."), shpComandi);
    cmdTrova = command(QStringLiteral("cmdTrova"), QStringLiteral("find"), QStringLiteral("Trova"),
                       QStringLiteral("Trova schede in archivio."), shpComandi);
    cmdAnteprima = command(QStringLiteral("cmdAnteprima"), QStringLiteral("preview"), QStringLiteral("Anteprima"),
                           QStringLiteral("Visualizza l'anteprima di stampa della scheda corrente."), shpComandi);
    cmdStampa = command(QStringLiteral("cmdStampa"), QStringLiteral("print"), QStringLiteral("Stampa"),
                        QStringLiteral("Stampa la scheda corrente."), shpComandi);
    cmdAssolti = command(QStringLiteral("cmdAssolti"), QStringLiteral("list-done"), QStringLiteral("Assolti"),
                         QStringLiteral("Visualizza il riepilogo degli impegni assolti."), shpComandi);
    cmdDaAssolvere =
        command(QStringLiteral("cmdDaAssolvere"), QStringLiteral("list-todo"), QStringLiteral("Da assolvere"),
                QStringLiteral("Visualizza il riepilogo degli impegni da assolvere, sia scaduti che non."), shpComandi);
    cmdScaduti = command(QStringLiteral("cmdScaduti"), QStringLiteral("list-overdue"), QStringLiteral("Scaduti"),
                         QStringLiteral("Visualizza il riepilogo degli impegni scaduti e non assolti."), shpComandi);
    cmdEsporta = command(QStringLiteral("cmdEsporta"), QStringLiteral("export"), QStringLiteral("Esporta archivio"),
                         QStringLiteral("Esporta l'archivio in un file di Excel."), shpComandi);
    cmdGuida = command(QStringLiteral("cmdGuida"), QStringLiteral("help"), QStringLiteral("Guida"),
                       QStringLiteral("Visualizza la guida in linea."), shpComandi);
    cmdEsci = command(QStringLiteral("cmdEsci"), QStringLiteral("close"), QStringLiteral("Esci"),
                      QStringLiteral("Esci da questa schermata di lavoro."), shpComandi);
    Places::apply(shpComandi, kCommandRows, kCommandPlaces);

    // ---- The bottom bar: information strip and navigation ----
    panInfo =
        makeInfoStrip(panContainer, QStringLiteral("QLabel { background: %1; color: %2; border: none;"
                                                   " border-radius: 6px; padding: 2px 12px; font-style: normal; }")
                                        .arg(Theme::css(Theme::Colour::Heading), Theme::css(Theme::Colour::Paper)));

    QWidget *shpNavigazione = Theme::panel(QStringLiteral("shpNavigazione"), panContainer);
    cmdPrimo = small(QStringLiteral("cmdPrimo"), QStringLiteral("first"), QStringLiteral("Prima scheda"),
                     QStringLiteral("Visualizza la prima scheda in archivio."), shpNavigazione, 26);
    cmdIndietro = small(QStringLiteral("cmdIndietro"), QStringLiteral("previous"), QStringLiteral("Scheda precedente"),
                        QStringLiteral("Visualizza la scheda precedente in archivio."), shpNavigazione, 26);
    cmdAvanti = small(QStringLiteral("cmdAvanti"), QStringLiteral("next"), QStringLiteral("Scheda successiva"),
                      QStringLiteral("Visualizza la scheda successiva in archivio."), shpNavigazione, 26);
    cmdUltimo = small(QStringLiteral("cmdUltimo"), QStringLiteral("last"), QStringLiteral("Ultima scheda"),
                      QStringLiteral("Visualizza l'ultima scheda in archivio."), shpNavigazione, 26);
    lblPosizione = makePositionLabel(shpNavigazione);
    Places::apply(shpNavigazione, kNavigationRows, kNavigationPlaces);

    btnFocus = new QPushButton(panContainer);
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setAccessibleName(QStringLiteral("Salvataggio della scheda"));
    btnFocus->setFocusPolicy(Qt::NoFocus); // only the save puts the focus here
    btnFocus->setGeometry(0, 0, 0, 0);
    btnFocus->setFlat(true);
    Accessibility::hide(btnFocus); // hidden on screen, so hidden from screen readers too

    shpScheda->setGeometry(0, 0, kCardWidth, kBodyHeight);
    shpComandi->setGeometry(kColumnLeft, 0, kColumnWidth, kBodyHeight);
    panInfo->setGeometry(0, kBarTop, kCardWidth, kBarHeight);
    shpNavigazione->setGeometry(kColumnLeft, kBarTop, kColumnWidth, kBarHeight);

    // ---- Keyboard ----
    orderKeys({cmdNuovo, cmdDuplica, cmdSalva, cmdTrova, cmdAnteprima, cmdStampa, cmdAssolti, cmdDaAssolvere,
               cmdScaduti, cmdEsporta, cmdGuida, cmdEsci, cmdPrimo, cmdIndietro, cmdAvanti, cmdUltimo});
    // Installed after the Enter cycle, so the date field sees its keys first (Enter opens the picker).
    for (QWidget *w :
         {static_cast<QWidget *>(txtData), static_cast<QWidget *>(txtOreApp), static_cast<QWidget *>(txtMinutiApp),
          static_cast<QWidget *>(txtAvviso), static_cast<QWidget *>(txtImporto)})
        w->installEventFilter(this);

    connectCommands({cmdNuovo, cmdDuplica, cmdSalva, cmdTrova, cmdPrimo, cmdIndietro, cmdAvanti, cmdUltimo,
                     [this] { cmdNuovoClick(); }, [this] { cmdDuplicaClick(); }, [this] { cmdSalvaClick(); },
                     [this] { cmdTrovaClick(); }});
    connect(cmdAnteprima, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdAnteprimaClick);
    connect(cmdStampa, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdStampaClick);
    connect(cmdAssolti, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdAssoltiClick);
    connect(cmdDaAssolvere, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdDaAssolvereClick);
    connect(cmdScaduti, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdScadutiClick);
    connect(cmdEsporta, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdEsportaClick);
    connect(cmdGuida, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdGuidaClick);
    connect(cmdEsci, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::cmdEsciClick);
    connect(impData, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::impDataClick);
    connect(impContatto, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::impContattoClick);
    connect(btnWhatsApp, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::btnWhatsAppClick);
    connect(btnEmail, &PictureButton::clicked, this, &TfrmArchivio_Scadenze::btnEmailClick);
    setDuplicateOpensArchive(true); // a duplicate fails with an archive that cannot be opened

    watchInfo();
    newCard();
}

void TfrmArchivio_Scadenze::placeField(const CardFields::Field &field, QWidget *control, QLabel *caption)
{
    if (auto *box = qobject_cast<QCheckBox *>(control)) {
        // Its look sizes it.
        box->setCursor(Qt::PointingHandCursor);
        box->setStyleSheet(QStringLiteral("QCheckBox { color: %1; spacing: 10px; }"
                                          "QCheckBox::indicator { width: 22px; height: 22px; border: 2px solid %2; "
                                          "border-radius: 5px; background: %3; }"
                                          "QCheckBox::indicator:focus { border-color: %4; }"
                                          "QCheckBox::indicator:checked { image: url(:/icons/ok.svg); }")
                               .arg(Theme::css(Theme::Colour::Fulfilled), Theme::css(Theme::Colour::Heading),
                                    Theme::css(Theme::Colour::Paper), Theme::css(Theme::Colour::FocusRing)));
    }
    const CardFields::Place &place = field.place;
    Places::put(control, kCardRows, {field.control, place.row, place.left, place.right});
    if (!caption)
        return;
    // A caption takes the whole row, centred like its field: in the caption column, or right
    // before its field where the place says.
    caption->setProperty("role", QStringLiteral("caption"));
    const bool own = place.captionLeft >= 0;
    if (own)
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Places::put(
        caption, kCardRows,
        {field.control, place.row, own ? place.captionLeft : kCaption, own ? place.captionRight : kCaptionEnd, kRow});
}

bool TfrmArchivio_Scadenze::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == txtData) {
            const auto *key = static_cast<QKeyEvent *>(event);
            switch (key->key()) {
            case Qt::Key_Backspace:
            case Qt::Key_Delete:
                txtData->clear();
                return true;
            // Moving on and bare modifier keys leave the field alone, so the keyboard can pass it.
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Shift:
            case Qt::Key_Control:
            case Qt::Key_Alt:
            case Qt::Key_AltGr:
            case Qt::Key_Meta:
                return false;
            default:
                impDataClick();
                return true;
            }
        }
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (watched == txtOreApp)
                m_hours->clearSelection();
            else if (watched == txtMinutiApp)
                m_minutes->clearSelection();
        }
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            runExitRule(watched);
        break;
    }
    default:
        break;
    }
    return WorkWindow::eventFilter(watched, event);
}

void TfrmArchivio_Scadenze::runExitRule(QObject *field)
{
    if (field == txtOreApp)
        txtOreAppExit();
    else if (field == txtMinutiApp)
        txtMinutiAppExit();
    else if (field == txtAvviso)
        txtAvvisoExit();
    else if (field == txtImporto)
        txtImportoExit();
}

void TfrmArchivio_Scadenze::txtOreAppExit()
{
    if (!m_hours->holdsItem())
        txtOreApp->setEditText(QString());
}

void TfrmArchivio_Scadenze::txtMinutiAppExit()
{
    if (!m_minutes->holdsItem())
        txtMinutiApp->setEditText(QString());
}

void TfrmArchivio_Scadenze::txtAvvisoExit()
{
    if (AnsiText::isBlank(txtAvviso->text()))
        txtAvviso->setText(QStringLiteral("0"));
}

void TfrmArchivio_Scadenze::txtImportoExit() { txtImporto->setText(Amount::normalise(txtImporto->text())); }

// ---- Record and card ----

void TfrmArchivio_Scadenze::setDate(const QDate &date) { txtData->setText(Formats::dateText(date)); }

void TfrmArchivio_Scadenze::newCardAt(const QDate &date, const QTime &time)
{
    newCard();
    setDate(date);
    txtOreApp->setEditText(QStringLiteral("%1").arg(time.hour(), 2, 10, QLatin1Char('0')));
    txtMinutiApp->setEditText(QStringLiteral("%1").arg(time.minute(), 2, 10, QLatin1Char('0')));
    markShown(); // the date and time given are not the user's typing
    txtAvviso->setFocus();
}

void TfrmArchivio_Scadenze::afterNewCard()
{
    m_hours->setCurrentIndex(-1);
    m_minutes->setCurrentIndex(-1);
    txtOreApp->setEditText(QStringLiteral("00"));
    txtMinutiApp->setEditText(QStringLiteral("00"));
    txtAvviso->setText(QStringLiteral("0"));
    txtImporto->setText(QStringLiteral("0,00"));
    chkOttemperata->setChecked(false);
    txtData->setFocus();
}

// ---- Buttons ----

void TfrmArchivio_Scadenze::cmdNuovoClick() { newCard(); }

void TfrmArchivio_Scadenze::cmdDuplicaClick() { duplicateCard(); }

void TfrmArchivio_Scadenze::afterDuplicate()
{
    m_hours->setCurrentIndex(-1);
    m_minutes->setCurrentIndex(-1);
    txtOreApp->setEditText(QStringLiteral("00"));
    txtMinutiApp->setEditText(QStringLiteral("00"));
    txtData->clear();
    txtData->setFocus();
}

void TfrmArchivio_Scadenze::cmdSalvaClick()
{
    // The rule of the field being edited runs before the fields are read.
    QWidget *before = focusWidget(); // gets the focus back after a save
    runExitRule(before);
    btnFocus->setFocus();

    if (!requiredFilled())
        return;
    if (AnsiText::isBlank(txtImporto->text()))
        txtImporto->setText(QStringLiteral("0,00"));

    if (saveCard() != CardResult::Failed)
        (before && before != btnFocus ? before : static_cast<QWidget *>(cmdSalva))->setFocus();
}

namespace {

// A list opened from the card reopens the card it hands back (silently nothing when the
// card cannot be read).
template <class List> void openList(TfrmArchivio_Scadenze *card, List *list)
{
    QObject::connect(list, &List::positionChosen, card, &TfrmArchivio_Scadenze::showPosition);
    Modal::run(list);
}

} // namespace

void TfrmArchivio_Scadenze::cmdTrovaClick() { openList(this, TfrmTrovaScadenze::forAppointmentCard(this)); }

QList<CardDocuments::Row> TfrmArchivio_Scadenze::printedRows() const
{
    const TAppointmentRecord shown = record();
    return CardDocuments::rows(AppointmentCard::description(), recordBytes(shown));
}

void TfrmArchivio_Scadenze::cmdAnteprimaClick() { Modal::run(new TfrmStartup(printedRows(), this)); }

void TfrmArchivio_Scadenze::cmdStampaClick() { Modal::run(new TfrmStampaScadenza(printedRows(), this)); }

void TfrmArchivio_Scadenze::openStatusList(AppointmentLines::Status status)
{
    openList(this, TfrmStatusList::make(status, this));
}

void TfrmArchivio_Scadenze::cmdAssoltiClick() { openStatusList(AppointmentLines::Status::Assolti); }

void TfrmArchivio_Scadenze::cmdDaAssolvereClick() { openStatusList(AppointmentLines::Status::DaAssolvere); }

void TfrmArchivio_Scadenze::cmdScadutiClick() { openStatusList(AppointmentLines::Status::Scaduti); }

void TfrmArchivio_Scadenze::cmdEsportaClick() { emit exportRequested(); }

void TfrmArchivio_Scadenze::cmdGuidaClick() { Help::show(this, Help::Scadenze); }

void TfrmArchivio_Scadenze::cmdEsciClick() { close(); }

void TfrmArchivio_Scadenze::impDataClick()
{
    auto *picker = new TfrmCalendario(this, TfrmCalendario::Mode::AppointmentDate);
    connect(picker, &TfrmCalendario::dateChosen, this, &TfrmArchivio_Scadenze::setDate);
    Modal::run(picker);
}

void TfrmArchivio_Scadenze::impContattoClick()
{
    if (const auto contact = PatientTools::findContact(this))
        importContact(*contact);
}

void TfrmArchivio_Scadenze::importContact(const PatientLines::Contact &contact)
{
    const std::pair<QLineEdit *, const QString *> fields[] = {{txtContatto, &contact.name},
                                                              {txtTel, &contact.homePhone},
                                                              {txtCel, &contact.mobilePhone},
                                                              {txtEmail, &contact.email},
                                                              {txtLuogo, &contact.payment}};
    for (const auto &[field, text] : fields) {
        field->setText(AnsiText::trimmed(*text));
        field->setCursorPosition(0);
    }
}

void TfrmArchivio_Scadenze::btnWhatsAppClick()
{
    if (AnsiText::isBlank(txtData->text())) {
        Messages::warning(this, QStringLiteral("Attenzione: per inviare la conferma dell'appuntamento al paziente "
                                               "tramite WhatsApp è necessario indicare la data."));
        txtData->setFocus();
        return;
    }
    if (AnsiText::isBlank(txtCel->text())) {
        Messages::warning(this, QStringLiteral("Attenzione: per inviare la conferma dell'appuntamento al paziente "
                                               "tramite WhatsApp è necessario indicare il suo numero di cellulare."));
        txtCel->setFocus();
        return;
    }
    TMisc::Open(MessageLinks::whatsApp(
        trimmed(txtCel), MessageLinks::confirmationText(trimmed(txtOreApp), trimmed(txtMinutiApp), trimmed(txtData))));
}

void TfrmArchivio_Scadenze::btnEmailClick() { TMisc::Open(MessageLinks::mailto(txtEmail->text())); }
