#include "app/frmAvvio.h"

#include "ui/Help.h"
#include "app/frmCopiaSicurezza.h"
#include "app/frmInfo.h"
#include "app/frmSplash.h"
#include "ui/Accessibility.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"
#include "appointments/frmAgenda.h"
#include "patients/frmClients.h"
#include "backup/BackupSettings.h"
#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/Misc.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "storage/AppointmentRecord.h"
#include "storage/PatientRecord.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QShowEvent>
#include <QTimer>

const QString TfrmAvvio::kWebSite = QStringLiteral("https://www.sorrisa.example");

namespace {

PictureButton *iconButton(const QString &name, const QString &svg, const QString &accessible, QWidget *parent,
                          int size = 40)
{
    auto *b = new PictureButton(name, svg, accessible, parent);
    b->setPictureSize(QSize(size, size));
    b->resize(b->sizeHint());
    return b;
}

} // namespace

TfrmAvvio::TfrmAvvio(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmAvvio"));
    setWindowTitle(QStringLiteral(" Sorrisa"));
    Theme::setGradient(this, "steel");
    setWindowState(Qt::WindowMaximized);
    setMinimumSize(1010, 710);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setProperty("role", QStringLiteral("container"));
    panContainer->setFixedSize(995, 692);

    // The top band: information and help icons, the product's name and what it does.
    shpTop = Theme::panel(QStringLiteral("shpTop"), panContainer);
    shpTop->setGeometry(0, 0, 995, 150);
    icoIcona = Theme::picture(QStringLiteral("icoIcona"), QStringLiteral("app-icon"), 84, 84, shpTop);
    icoIcona->move(86, 20);
    icoTitolo01 = Theme::picture(QStringLiteral("icoTitolo01"), QStringLiteral("title"), 380, 81, shpTop);
    icoTitolo01->move(307, 14);
    imgSottotitolo = new QLabel(QStringLiteral("Il software per lo studio dentistico: archivio pazienti, registro dei "
                                               "trattamenti e agenda degli appuntamenti con promemoria"),
                                shpTop);
    imgSottotitolo->setObjectName(QStringLiteral("imgSottotitolo"));
    imgSottotitolo->setAlignment(Qt::AlignCenter);
    imgSottotitolo->setWordWrap(true);
    QFont sub = Theme::verdana(11);
    sub.setItalic(true);
    imgSottotitolo->setFont(sub);
    imgSottotitolo->setStyleSheet(Theme::textColour(Theme::Colour::Heading));
    imgSottotitolo->setGeometry(180, 96, 635, 46);

    imgInfo = iconButton(QStringLiteral("imgInfo"), QStringLiteral("info"), QStringLiteral("Informazioni su Sorrisa"),
                         shpTop);
    imgInfo->move(14, 14);
    imgGuida = iconButton(QStringLiteral("imgGuida"), QStringLiteral("help"), QStringLiteral("Guida"), shpTop);
    imgGuida->move(995 - 14 - imgGuida->width(), 14);

    // The two work areas.
    auto workArea = [this](const QString &shape, const QString &img, const QString &svg, const QString &btn,
                           const QString &caption, int x, PictureButton **picture, PictureButton **button) {
        QWidget *shp = Theme::panel(shape, panContainer);
        shp->setGeometry(x, 168, 420, 420);
        *picture = new PictureButton(img, svg, caption, shp);
        (*picture)->setPictureSize(QSize(260, 260));
        (*picture)->setGeometry(75, 26, 270, 270);
        // The photograph repeats its captioned button for the mouse: one choice, one control.
        (*picture)->setFocusPolicy(Qt::NoFocus);
        Accessibility::hide(*picture);
        *button = new PictureButton(btn, QString(), caption, shp);
        (*button)->setFont(Theme::verdana(13));
        (*button)->setCaption(caption, PictureButton::CaptionPill);
        (*button)->setGeometry(60, 322, 300, 56);
        return shp;
    };
    shpApp01 = workArea(QStringLiteral("shpApp01"), QStringLiteral("imgApp01"), QStringLiteral("photo-patients"),
                        QStringLiteral("btnApp01"), QStringLiteral("ARCHIVIO PAZIENTI"), 55, &imgApp01, &btnApp01);
    shpApp02 = workArea(QStringLiteral("shpApp02"), QStringLiteral("imgApp02"), QStringLiteral("photo-agenda"),
                        QStringLiteral("btnApp02"), QStringLiteral("AGENDA APPUNTAMENTI"), 520, &imgApp02, &btnApp02);

    // The bottom band: copyright, the maker's banner, exit.
    shpBottom = Theme::panel(QStringLiteral("shpBottom"), panContainer);
    shpBottom->setGeometry(0, 606, 995, 86);
    imgCopyright =
        iconButton(QStringLiteral("imgCopyright"), QStringLiteral("copyright"), QStringLiteral("Copyright"), shpBottom);
    imgCopyright->move(14, (86 - imgCopyright->height()) / 2);
    imgSito = new PictureButton(QStringLiteral("imgSito"), QStringLiteral("banner-site"),
                                QStringLiteral("Sito web di Sorrisa"), shpBottom);
    imgSito->setPictureSize(QSize(600, 40));
    imgSito->setGeometry(192, 19, 610, 48);
    imgEsci = iconButton(QStringLiteral("imgEsci"), QStringLiteral("exit"), QStringLiteral("Esci"), shpBottom);
    imgEsci->move(995 - 14 - imgEsci->width(), (86 - imgEsci->height()) / 2);
    // Backup and restore, in the free room between the banner and the exit.
    imgCopia = new PictureButton(QStringLiteral("imgCopia"), QStringLiteral("backup"),
                                 QStringLiteral("Copia di sicurezza"), shpBottom);
    imgCopia->setPictureSize(QSize(40, 40));
    imgCopia->setCaption(QStringLiteral("Copia di sicurezza"), PictureButton::CaptionBelow);
    imgCopia->resize(imgCopia->sizeHint());
    imgCopia->move(imgSito->geometry().right() + (imgEsci->x() - imgSito->geometry().right() - imgCopia->width()) / 2,
                   (86 - imgCopia->height()) / 2);

    // The practice's administration, in the free room of the top band right of the title.
    imgAmministrazione = new PictureButton(QStringLiteral("imgAmministrazione"), QStringLiteral("administration"),
                                           QStringLiteral("AMMINISTRAZIONE STUDIO"), shpTop);
    imgAmministrazione->setPictureSize(QSize(48, 48));
    imgAmministrazione->setCaption(QStringLiteral("AMMINISTRAZIONE STUDIO"), PictureButton::CaptionBelow);
    imgAmministrazione->setHint(QStringLiteral("Dati dello studio, listino, registro fatture, incassi e saldi"));
    imgAmministrazione->resize(imgAmministrazione->sizeHint());
    {
        const int left = icoTitolo01->geometry().right() + 1;
        const int right = imgGuida->x();
        imgAmministrazione->move(left + (right - left - imgAmministrazione->width()) / 2, 14);
    }

    auto *outer = new QGridLayout(this);
    outer->addWidget(panContainer, 0, 0, Qt::AlignCenter);

    setTabOrder(btnApp01, btnApp02);
    setTabOrder(btnApp02, imgApp01);
    setTabOrder(imgApp01, imgApp02);
    setTabOrder(imgApp02, imgAmministrazione);
    setTabOrder(imgAmministrazione, imgGuida);
    setTabOrder(imgGuida, imgInfo);
    setTabOrder(imgInfo, imgCopyright);
    setTabOrder(imgCopyright, imgSito);
    setTabOrder(imgSito, imgCopia);
    setTabOrder(imgCopia, imgEsci);

    connect(imgApp01, &PictureButton::clicked, this, &TfrmAvvio::imgApp01Click);
    connect(btnApp01, &PictureButton::clicked, this, &TfrmAvvio::imgApp01Click);
    connect(imgApp02, &PictureButton::clicked, this, &TfrmAvvio::imgApp02Click);
    connect(btnApp02, &PictureButton::clicked, this, &TfrmAvvio::imgApp02Click);
    connect(imgGuida, &PictureButton::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(imgInfo, &PictureButton::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgCopyright, &PictureButton::clicked, this, &TfrmAvvio::imgCopyrightClick);
    connect(imgSito, &PictureButton::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgEsci, &PictureButton::clicked, this, &TfrmAvvio::imgEsciClick);
    connect(imgCopia, &PictureButton::clicked, this, &TfrmAvvio::imgCopiaClick);
    connect(imgAmministrazione, &PictureButton::clicked, this, &TfrmAvvio::imgAmministrazioneClick);
}

void TfrmAvvio::closeEvent(QCloseEvent *event)
{
    event->accept();
    Application::terminate();
}

void TfrmAvvio::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        btnApp01->setFocus(Qt::ActiveWindowFocusReason);
    // After the menu is on the screen, so that the question stands over it.
    QTimer::singleShot(0, this, &TfrmAvvio::remindBackup);
}

void TfrmAvvio::imgApp01Click()
{
    emit patientsRequested();
    hide();
}

void TfrmAvvio::imgApp02Click()
{
    emit agendaRequested();
    hide();
}

void TfrmAvvio::imgGuidaClick() { Help::show(this, Help::Overview); }

void TfrmAvvio::imgInfoClick() { Modal::run(new TfrmInfo(this)); }

void TfrmAvvio::imgCopyrightClick() { Modal::run(new TfrmSplash(this)); }

void TfrmAvvio::imgSitoClick() { TMisc::Open(kWebSite); }

void TfrmAvvio::imgEsciClick() { Application::terminate(); }

void TfrmAvvio::imgCopiaClick() { Modal::run(new TfrmCopiaSicurezza(this)); }

void TfrmAvvio::imgAmministrazioneClick() { emit administrationRequested(); }

void TfrmAvvio::remindBackup()
{
    if (!isVisible())
        return;
    const QDate today = Clock::today();
    BackupSettings settings = BackupSettings::read(ProgramFolder::path());
    if (m_remindedToday == today || !settings.reminderDue(today))
        return;
    // An empty practice has nothing to lose yet.
    if (QFileInfo(ProgramFolder::file(kPatientArchive)).size() < TPatientRecord::Size
        && QFileInfo(ProgramFolder::file(kAppointmentArchive)).size() < TAppointmentRecord::Size)
        return;
    settings.reminded = today;
    m_remindedToday = today;
    settings.write(ProgramFolder::path());
    if (Messages::confirm(this, settings.reminderText(today)))
        imgCopiaClick();
}
