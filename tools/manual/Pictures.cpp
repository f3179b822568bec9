#include "manual/Pictures.h"

#include "app/Windows.h"
#include "app/frmAvvio.h"
#include "app/frmCambiaPassword.h"
#include "app/frmPassword.h"
#include "backup/BackupSettings.h"
#include "billing/frmAmministrazione.h"
#include "billing/frmDatiStudio.h"
#include "billing/frmMoney.h"
#include "appointments/frmAgenda.h"
#include "appointments/frmCalendarioAppuntamenti.h"
#include "appointments/frmArchivio_Scadenze.h"
#include "appointments/frmTrovaScadenze.h"
#include "chart/frmAllegaExcel.h"
#include "chart/frmDentalCondition.h"
#include "patients/frmClients.h"
#include "patients/frmFindClients.h"
#include "platform/Modal.h"
#include "platform/Printer.h"
#include "platform/ProgramFolder.h"
#include "print/frmCardPrint.h"
#include "print/frmDentalPrint.h"
#include "ui/FixedList.h"
#include "ui/Icons.h"
#include "ui/PictureButton.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace Pictures {

namespace {

// Work windows are maximised in use; for the pictures they get a fixed size just larger
// than their content, so that every picture has the same proportions.
const QSize kWorkWindow(1034, 722);
constexpr int kTitleBar = 30;

void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// A top-level window's picture with a plain title bar carrying its caption, so that the
// reader recognises the window by the title it shows on screen.
QImage framed(QWidget *window)
{
    settle();
    const QPixmap content = window->grab();
    const qreal dpr = content.devicePixelRatio();
    const QSize logical = (QSizeF(content.size()) / dpr).toSize();
    QImage image(QSize(logical.width() + 2, logical.height() + kTitleBar + 1) * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF bar(0, 0, logical.width() + 2, kTitleBar);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0, QColor(0xF4, 0xF6, 0xF9));
    g.setColorAt(1, QColor(0xDD, 0xE3, 0xEA));
    p.fillRect(bar, g);
    p.drawPixmap(QPointF(1, kTitleBar), content);
    QFont caption(QStringLiteral("DejaVu Sans"));
    caption.setPixelSize(13);
    p.setFont(caption);
    p.setPen(QColor(0x20, 0x2A, 0x36));
    const QPixmap icon = Icons::pixmap(QStringLiteral("app-icon"), QSize(18, 18), dpr);
    p.drawPixmap(QPointF(8, (kTitleBar - 18) / 2.0), icon);
    p.drawText(bar.adjusted(32, 0, -8, 0), Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
    p.setPen(QColor(0x8A, 0x99, 0xAD));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, logical.width() + 1, logical.height() + kTitleBar));
    return image;
}

// Part of a window: the rectangle holding the given controls, with a margin.
QImage crop(QWidget *window, const QList<QWidget *> &parts, int margin = 10)
{
    settle();
    QRect area;
    for (QWidget *w : parts)
        area |= QRect(w->mapTo(window, QPoint(0, 0)), w->size());
    area = area.adjusted(-margin, -margin, margin, margin) & window->rect();
    const QPixmap pixmap = window->grab(area);
    QImage image = pixmap.toImage().convertToFormat(QImage::Format_RGB32);
    QPainter p(&image);
    p.setPen(QColor(0x8A, 0x99, 0xAD));
    const QSizeF logical = QSizeF(image.size()) / image.devicePixelRatio();
    p.drawRect(QRectF(0.5, 0.5, logical.width() - 1, logical.height() - 1));
    return image;
}

void showWork(QWidget *window)
{
    window->setWindowState(Qt::WindowNoState);
    window->resize(kWorkWindow);
    window->show();
    settle();
}

// A window that a button opens modally: the driver gets it on screen, may fill it, and
// takes the picture.
QImage opened(const std::function<void()> &press, const std::function<void(QWidget *)> &prepare = {})
{
    QImage image;
    Modal::queue([&](QWidget *window) {
        settle();
        if (prepare)
            prepare(window);
        image = framed(window);
    });
    press();
    return image;
}

// The window set of the picture being taken (make's argument).
Windows *g_windows = nullptr;
Windows &windows() { return *g_windows; }

TfrmClients *patientCard()
{
    TfrmClients *card = windows().frmClients();
    showWork(card);
    card->cmdFirstClick(); // the first patient of the practice
    settle();
    return card;
}

TfrmArchivio_Scadenze *appointmentCard()
{
    TfrmArchivio_Scadenze *card = windows().frmArchivio_Scadenze();
    showWork(card);
    card->cmdPrimoClick();
    settle();
    return card;
}

TfrmAgenda *agenda()
{
    TfrmAgenda *window = windows().frmAgenda();
    showWork(window);
    window->lstRecords->setCurrentRow(2);
    window->lstRecordsClick();
    settle();
    return window;
}

void typeInto(QLineEdit *field, const QString &text)
{
    field->setFocus();
    field->setText(text);
}

QImage login()
{
    TfrmPassword *w = windows().frmPassword();
    w->show();
    typeInto(w->txtPassword, QStringLiteral("ingressostudio"));
    QImage image = framed(w);
    w->txtPassword->clear();
    w->hide();
    return image;
}

QImage changePassword()
{
    TfrmCambiaPassword *w = windows().frmCambiaPassword();
    w->show();
    typeInto(w->txtPasswordOld, QStringLiteral("ingressostudio"));
    typeInto(w->txtPasswordNew, QStringLiteral("sorriso2026"));
    typeInto(w->txtConferma, QStringLiteral("sorriso2026"));
    QImage image = framed(w);
    w->txtPasswordOld->clear();
    w->txtPasswordNew->clear();
    w->txtConferma->clear();
    w->hide();
    return image;
}

QImage mainMenu()
{
    TfrmAvvio *w = windows().frmAvvio();
    showWork(w);
    QImage image = framed(w);
    w->hide();
    return image;
}

QImage help()
{
    TfrmAvvio *w = windows().frmAvvio();
    return opened([w] { w->imgGuidaClick(); });
}

QImage appointmentSearch(bool results)
{
    TfrmArchivio_Scadenze *card = appointmentCard();
    return opened([card] { card->cmdTrovaClick(); },
                  [results](QWidget *window) {
                      auto *find = static_cast<TfrmTrovaScadenze *>(window);
                      typeInto(find->txtData, QStringLiteral("/12/2026"));
                      typeInto(find->txtTipologia, QStringLiteral("Martinelli"));
                      if (results) {
                          find->btnCercaClick();
                          find->lstRecords->setCurrentRow(0);
                      }
                      settle();
                  });
}

QImage preview()
{
    TfrmArchivio_Scadenze *card = appointmentCard();
    QImage image;
    // First the small dialog, whose button opens the preview window.
    Modal::queue([](QWidget *dialog) { static_cast<TfrmStartup *>(dialog)->btnStampaClick(); });
    Modal::queue([&](QWidget *window) {
        window->resize(980, 900);
        settle();
        image = framed(window);
    });
    card->cmdAnteprimaClick();
    Printer::takePreviewed();
    return image;
}

// The preview of the first patient's dental chart: the chart window's "Anteprima", its
// small dialog, then the preview window itself.
// The dental chart with a few states on the odontogram, as a dentist sets them in the panel,
// on one of its two pages.
QImage dentalChart(int page)
{
    TfrmClients *c = patientCard();
    return opened(
        [c] { c->btnConditionClick(); },
        [page](QWidget *window) {
            auto *chart = static_cast<TfrmDentalCondition *>(window);
            const auto set = [chart](int fdi, Odontogram::State state, bool planned, Odontogram::Surfaces surfaces) {
                chart->chooseTooth(fdi);
                chart->panOdontogramma->cboStato->setCurrentIndex(
                    chart->panOdontogramma->cboStato->findData(int(state)));
                (planned ? chart->panOdontogramma->optDaFare : chart->panOdontogramma->optPresente)->setChecked(true);
                for (Odontogram::Surface s :
                     {Odontogram::M, Odontogram::D, Odontogram::O, Odontogram::V, Odontogram::L})
                    chart->panOdontogramma->chkSuperficie(s)->setChecked(surfaces & s);
            };
            set(16, Odontogram::State::Corona, false, {});
            set(26, Odontogram::State::Carie, false, Odontogram::O | Odontogram::D);
            set(36, Odontogram::State::Otturazione, false, Odontogram::O | Odontogram::M);
            set(46, Odontogram::State::Assente, false, {});
            set(47, Odontogram::State::DaEstrarre, false, {});
            set(45, Odontogram::State::Corona, true, {});
            set(11, Odontogram::State::Devitalizzato, false, {});
            set(36, Odontogram::State::Otturazione, false, Odontogram::O | Odontogram::M);
            chart->showPage(page);
            settle();
        });
}

QImage chartPreview()
{
    TfrmClients *card = patientCard();
    QImage image;
    Modal::queue([](QWidget *chart) { static_cast<TfrmDentalCondition *>(chart)->btnPreviewClick(); });
    Modal::queue([](QWidget *dialog) { static_cast<TfrmAnteprimaDentale *>(dialog)->btnStampaClick(); });
    Modal::queue([&](QWidget *window) {
        window->resize(980, 900);
        settle();
        image = framed(window);
    });
    card->btnConditionClick();
    Printer::takePreviewed();
    return image;
}

// The first page of a printed list, as it comes out of the printer.
QImage printedList()
{
    TfrmAgenda *window = agenda();
    window->btnStampaClick();
    const QList<Printer::Document> printed = Printer::takePrinted();
    if (printed.isEmpty())
        return {};
    const Printable &document = *printed.first();
    // Drawn at 12 pixels a millimetre, so that the printed lines stay sharp when the page is
    // enlarged, and cut right and below what the page holds (the rest is blank).
    constexpr double kShown = 4.0;
    constexpr double kSharp = 3.0;
    constexpr double pxPerMm = kShown * kSharp;
    const QSizeF paper = document.landscape() ? QSizeF(297, 210) : QSizeF(210, 297);
    QImage image((paper * pxPerMm).toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        document.paintPage(p, 0, pxPerMm, QPointF(10 * pxPerMm, 10 * pxPerMm));
    }
    int bottom = 0;
    for (int y = image.height() - 1; y >= 0 && bottom == 0; --y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] != qRgb(255, 255, 255)) {
                bottom = y;
                break;
            }
    }
    // The lines fill the left part of the landscape page: cut the page after the last
    // character of a line or of a band's title, so that the picture is shown larger.
    auto light = [](QRgb c) { return qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230; };
    auto dark = [](QRgb c) { return qGray(c) < 180; };
    int right = 0;
    for (int y = 0; y <= bottom; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int first = -1, last = -1, inked = 0;
        for (int x = 0; x < image.width(); ++x)
            if (row[x] != qRgb(255, 255, 255)) {
                if (first < 0)
                    first = x;
                last = x;
                ++inked;
            }
        if (first < 0)
            continue;
        if (inked * 2 < image.width()) {
            right = qMax(right, last);
            continue;
        }
        // A band: its title is the light ink on it (rows of its soft edges have none).
        if (!dark(row[first + 3]) || !dark(row[last - 3]))
            continue;
        for (int x = last - 3; x > first + 3; --x)
            if (light(row[x])) {
                right = qMax(right, x);
                break;
            }
    }
    const int width = qMin(image.width(), right + int(10 * pxPerMm));
    image = image.copy(0, 0, width, qMin(image.height(), bottom + int(10 * pxPerMm)));
    {
        QPainter p(&image);
        p.setPen(QPen(QColor(0x8A, 0x99, 0xAD), kSharp));
        p.drawRect(QRectF(kSharp / 2, kSharp / 2, image.width() - kSharp, image.height() - kSharp));
    }
    // Shown as wide as the widest window (the text width), which the cut part of the page
    // allows to be larger than the whole page was.
    image.setDevicePixelRatio(qMax(1.0, image.width() / 1000.0));
    return image;
}

// Not a window: the program folder as a file manager lists it, with what each entry holds.
QImage folder(bool shared)
{
    QWidget panel;
    panel.setObjectName(QStringLiteral("cartella"));
    panel.setStyleSheet(QStringLiteral("QWidget#cartella { background: #FFFFFF; }"
                                       "QLabel { color: #1F2A36; }"
                                       "QLabel#percorso { background: #E8EEF5; padding: 8px; font-weight: bold; }"
                                       "QLabel[role=\"descrizione\"] { color: #4A5868; }"));
    auto *grid = new QGridLayout(&panel);
    grid->setContentsMargins(0, 0, 16, 12);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(6);
    auto *path = new QLabel(shared ? QStringLiteral("\\\\RECEPTION\\Sorrisa   (cartella condivisa in rete)")
                                   : QStringLiteral("Sorrisa   (la cartella del programma)"),
                            &panel);
    path->setObjectName(QStringLiteral("percorso"));
    grid->addWidget(path, 0, 0, 1, 3);
    struct Entry
    {
        const char *icon, *name, *what;
    };
    const Entry entries[] = {
        {"person", "Archivio_Pazienti.pro", "le schede dei pazienti"},
        {"calendar", "Archivio_Appuntamenti.pro", "le schede degli appuntamenti"},
        {"treatments", "Trattamenti_Paziente_1.pro, ...", "i trattamenti di ogni paziente"},
        {"folder", "Documenti_Allegati", "i file allegati alle schede"},
        {"folder", "Cliente_1, Cliente_2, ...", "le cartelle associate ai pazienti"},
        {"ok", "unins000.dll", "la password di accesso, cifrata"},
        {"export", "Riepilogo_Pazienti.xls, ...", "i file esportati in Excel"},
        {"alarm-clock", "Avviso.mp3", "il suono dell'avviso dell'agenda"},
        {"pdf", "Guida.pdf", "questa guida"},
        {"app-icon", "sorrisa", "il programma"},
    };
    int row = 1;
    for (const Entry &e : entries) {
        auto *icon = new QLabel(&panel);
        icon->setPixmap(Icons::pixmap(QString::fromLatin1(e.icon), QSize(24, 24), panel.devicePixelRatioF()));
        auto *name = new QLabel(QString::fromUtf8(e.name), &panel);
        QFont mono(QStringLiteral("DejaVu Sans Mono"));
        mono.setPixelSize(14);
        name->setFont(mono);
        auto *what = new QLabel(QString::fromUtf8(e.what), &panel);
        what->setProperty("role", QStringLiteral("descrizione"));
        grid->addWidget(icon, row, 0, Qt::AlignRight);
        grid->addWidget(name, row, 1);
        grid->addWidget(what, row, 2);
        ++row;
    }
    grid->setColumnMinimumWidth(0, 44);
    grid->setColumnStretch(2, 1);
    panel.resize(680, panel.sizeHint().height());
    panel.show();
    settle();
    QImage image = crop(&panel, {&panel}, 0);
    panel.hide();
    return image;
}

struct Entry
{
    const char *name;
    std::function<QImage()> make;
};

// The table of pictures. A window added to the program gets its picture with one line here
// and a [[finestra name]] line in the manual's source.
//   Still to add: frmAnteprimaDentale.
const QList<Entry> &table()
{
    static const QList<Entry> entries = {
        {"frmPassword", login},
        {"frmCambiaPassword", changePassword},
        {"frmAvvio", mainMenu},
        {"frmGuida", help},
        {"frmAmministrazione",
         [] {
             TfrmAvvio *w = windows().frmAvvio();
             return opened([w] { w->imgAmministrazioneClick(); });
         }},
        {"frmDatiStudio",
         [] {
             TfrmAmministrazione tools(nullptr);
             return opened([&tools] { tools.btnDatiStudioClick(); },
                           [](QWidget *window) {
                               auto *f = static_cast<TfrmDatiStudio *>(window);
                               f->txtDenominazione->setText(QStringLiteral("Studio Dentistico Sorriso Sano"));
                               f->txtTitolare->setText(QStringLiteral("Bianchi Laura"));
                               f->txtCodiceFiscale->setText(QStringLiteral("RSSMRA80A01H501U"));
                               f->txtPartitaIva->setText(QStringLiteral("12345678903"));
                               f->txtAlboProvincia->setText(QStringLiteral("Roma"));
                               f->txtAlboNumero->setText(QStringLiteral("1234"));
                               f->txtIndirizzo->setText(QStringLiteral("Via dei Mille 12"));
                               f->txtCap->setText(QStringLiteral("00185"));
                               f->txtCitta->setText(QStringLiteral("Roma"));
                               f->txtProvincia->setText(QStringLiteral("RM"));
                               f->txtTelefono->setText(QStringLiteral("06 1234567"));
                           });
         }},
        {"frmClients", [] { return framed(patientCard()); }},
        {"frmClients.pulsanti",
         [] {
             TfrmClients *c = patientCard();
             return crop(c, {c->shpGruppo01, c->shpGruppo06});
         }},
        {"frmClients.campi",
         [] {
             TfrmClients *c = patientCard();
             return crop(c, {c->txtTaxNumber, c->btnPartitaIva, c->txtIssues, c->btnEmail, c->icoIssues}, 34);
         }},
        {"frmClients.colonna",
         [] {
             TfrmClients *c = patientCard();
             return crop(c, {c->btnCondition, c->btnHistory, c->btnFolder, c->btnMoney, c->lblSaldo});
         }},
        {"frmFatturePagamenti",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->btnMoneyClick(); });
         }},
        {"frmPreventivo",
         [] {
             TfrmClients *c = patientCard();
             QImage image;
             opened([c] { c->btnMoneyClick(); },
                    [&image](QWidget *window) {
                        auto *money = static_cast<TfrmFatturePagamenti *>(window);
                        image = opened([money] { money->btnPreventivoClick(); },
                                       [](QWidget *w) {
                                           auto *estimate = static_cast<TfrmPreventivo *>(w);
                                           estimate->txtDente->setText(QStringLiteral("16"));
                                           estimate->txtDescrizione->setText(
                                               QStringLiteral("Corona in ceramica integrale"));
                                           estimate->txtPrezzo->setText(QStringLiteral("800"));
                                           estimate->btnAggiungiRigaClick();
                                           estimate->txtDescrizione->setText(QStringLiteral("Igiene professionale"));
                                           estimate->txtPrezzo->setText(QStringLiteral("80"));
                                           estimate->btnAggiungiRigaClick();
                                           settle();
                                       });
                    });
             return image;
         }},
        {"frmFattura",
         [] {
             TfrmClients *c = patientCard();
             QImage image;
             opened([c] { c->btnMoneyClick(); },
                    [&image](QWidget *window) {
                        auto *money = static_cast<TfrmFatturePagamenti *>(window);
                        image = opened([money] { money->btnFatturaClick(); },
                                       [](QWidget *w) {
                                           auto *invoice = static_cast<TfrmFattura *>(w);
                                           invoice->txtDescrizione->setText(QStringLiteral("Visita di controllo"));
                                           invoice->txtImporto->setText(QStringLiteral("60"));
                                           invoice->btnAggiungiRigaClick();
                                           invoice->txtDataPagamento->setText(QStringLiteral("10/12/2026"));
                                           invoice->cboModalita->setCurrentIndex(int(Money::Method::Bancomat));
                                           settle();
                                       });
                    });
             return image;
         }},
        {"frmFindClients",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->cmdFindClick(); },
                           [](QWidget *window) {
                               auto *find = static_cast<TfrmFindClients *>(window);
                               typeInto(find->txtCity, QStringLiteral("Bologna"));
                               find->btnCercaClick();
                               settle();
                           });
         }},
        {"frmCodFisc",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->btnCodFiscClick(); });
         }},
        {"frmPartitaIva",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->btnPartitaIvaClick(); });
         }},
        {"frmListIssues",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->cmdDefaultingClick(); });
         }},
        {"frmAllegaCartella",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->cmdAttachClick(); });
         }},
        {"frmCopiaSicurezza",
         [] {
             BackupSettings settings;
             settings.folder = QStringLiteral("/media/chiavetta/Copie Sorrisa");
             settings.last = QDateTime(QDate(2026, 12, 9), QTime(18, 45));
             settings.reminded = QDate(2026, 12, 10);
             settings.write(ProgramFolder::path());
             return opened([] { windows().frmAvvio()->imgCopiaClick(); });
         }},
        {"frmAttachedFolder",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->btnFolderClick(); });
         }},
        {"frmDentalCondition", [] { return dentalChart(TfrmDentalCondition::kNotesPage); }},
        {"frmDentalCondition.odontogramma", [] { return dentalChart(TfrmDentalCondition::kOdontogramPage); }},
        {"anteprima.dentale", chartPreview},
        {"frmAllegaExcel",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->btnHistoryClick(); });
         }},
        {"frmAllegaExcel.voce",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->btnHistoryClick(); },
                           [](QWidget *window) {
                               auto *r = static_cast<TfrmAllegaExcel *>(window);
                               r->btnAggiungiClick();
                               settle();
                               typeInto(r->txtData, QStringLiteral("10/12/2026"));
                               typeInto(r->txtOra, QStringLiteral("10:30"));
                               typeInto(r->txtTrattamenti, QStringLiteral("Igiene professionale"));
                               typeInto(r->txtDentista, QStringLiteral("Dott.ssa Elena Martinelli"));
                               typeInto(r->txtImporto, QStringLiteral("80,00"));
                               settle();
                           });
         }},
        {"frmExpClients",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->cmdExportClick(); });
         }},
        {"frmExpScadenzario",
         [] {
             TfrmArchivio_Scadenze *c = appointmentCard();
             return opened([c] { c->cmdEsportaClick(); });
         }},
        {"frmExpImminenti",
         [] {
             TfrmAgenda *a = agenda();
             return opened([a] { a->btnExcelClick(); });
         }},
        {"frmExpGiornaliere",
         [] {
             TfrmAgenda *a = agenda();
             return opened([a] { a->btnGiornoClick(); });
         }},
        {"frmExpMensili",
         [] {
             TfrmAgenda *a = agenda();
             return opened([a] { a->btnMeseClick(); });
         }},
        {"frmPrintClient",
         [] {
             TfrmClients *c = patientCard();
             return opened([c] { c->cmdPrintClick(); });
         }},
        {"frmArchivio_Scadenze", [] { return framed(appointmentCard()); }},
        {"frmCalendario",
         [] {
             TfrmArchivio_Scadenze *c = appointmentCard();
             return opened([c] { c->impDataClick(); });
         }},
        {"frmConfermati",
         [] {
             TfrmArchivio_Scadenze *c = appointmentCard();
             return opened([c] { c->cmdDaAssolvereClick(); });
         }},
        {"frmScaduti",
         [] {
             TfrmArchivio_Scadenze *c = appointmentCard();
             return opened([c] { c->cmdScadutiClick(); });
         }},
        {"frmAssolti",
         [] {
             TfrmArchivio_Scadenze *c = appointmentCard();
             return opened([c] { c->cmdAssoltiClick(); });
         }},
        {"frmTrovaScadenze", [] { return appointmentSearch(false); }},
        {"frmTrovaScadenze.risultati", [] { return appointmentSearch(true); }},
        {"frmStampaScadenza",
         [] {
             TfrmArchivio_Scadenze *c = appointmentCard();
             return opened([c] { c->cmdStampaClick(); });
         }},
        {"frmStartup",
         [] {
             TfrmArchivio_Scadenze *c = appointmentCard();
             return opened([c] { c->cmdAnteprimaClick(); });
         }},
        {"anteprima", preview},
        {"frmAgenda", [] { return framed(agenda()); }},
        {"frmCalendarioAppuntamenti",
         [] {
             auto *book = new TfrmCalendarioAppuntamenti(QDate(2026, 12, 10), agenda());
             book->setView(TfrmCalendarioAppuntamenti::View::Week);
             showWork(book);
             const QImage image = framed(book);
             book->close();
             return image;
         }},
        {"frmAgenda.esportazioni",
         [] {
             TfrmAgenda *a = agenda();
             return crop(a, {a->calAppuntamenti, a->btnGiorno, a->btnMese});
         }},
        {"frmWhatsApp_Message",
         [] {
             TfrmAgenda *a = agenda();
             return opened([a] { a->btnWhatsAppClick(); });
         }},
        {"stampa.elenco", printedList},
        {"cartella", [] { return folder(false); }},
        {"cartella.condivisa", [] { return folder(true); }},
    };
    return entries;
}

} // namespace

QStringList names()
{
    QStringList list;
    for (const Entry &e : table())
        list.append(QString::fromLatin1(e.name));
    return list;
}

QImage make(Windows &windows, const QString &name)
{
    g_windows = &windows;
    QImage image;
    for (const Entry &e : table())
        if (name == QLatin1String(e.name)) {
            image = e.make();
            break;
        }
    g_windows = nullptr;
    return image;
}

} // namespace Pictures
