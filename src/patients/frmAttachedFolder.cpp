#include "patients/frmAttachedFolder.h"

#include "patients/Attachments.h"
#include "patients/PatientWidgets.h"
#include "platform/Messages.h"
#include "platform/Misc.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kWidth = 671;
constexpr int kHeight = 545;

QWidget *separator(const QString &name, int y, QWidget *parent)
{
    auto *bar = new QWidget(parent);
    bar->setObjectName(name);
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setStyleSheet(Theme::sheet(Theme::Sheet::FolderBar));
    bar->setGeometry(20, y, kWidth - 40, 5);
    return bar;
}

} // namespace

TfrmAttachedFolder::TfrmAttachedFolder(QWidget *parent, const QString &position) : Dialog(parent), m_position(position)
{
    setObjectName(QStringLiteral("frmAttachedFolder"));
    setWindowTitle(QStringLiteral(" Gestione cartella abbinata alla scheda corrente"));
    Theme::setGradient(this, "light");
    Theme::makeFixedDialog(this, kWidth, kHeight);

    imgBanner =
        new ListBanner(QStringLiteral("imgBanner"), QStringLiteral("Gestione cartella abbinata alla scheda corrente"),
                       QStringLiteral("patient-folder"), QString(), this, ListBanner::Tint::Blue);
    imgBanner->setTitlePixels(19);
    imgBanner->setTitleColour(Theme::colour(Theme::Colour::Heading));
    imgBanner->setGeometry(20, 16, kWidth - 40, 53);
    separator(QStringLiteral("shpBarra01"), 80, this);

    imgIstruzioni = instructionCard(
        QStringLiteral("imgIstruzioni"), QString(),
        {QStringLiteral("E' possibile utilizzare una cartella abbinata alla scheda corrente in cui conservare "
                        "qualsiasi file riferito al cliente."),
         QStringLiteral("Fare clic sul pulsante sottostante per aprire la cartella associata a questa scheda.")},
        this);
    imgIstruzioni->setGeometry(20, 96, kWidth - 40, 64);

    imgCartella = Theme::picture(QStringLiteral("imgCartella"), QStringLiteral("patient-folder"), 120, 120, this);
    imgCartella->move((kWidth - 120) / 2, 170);
    btnApriCartella = Theme::textButton(QStringLiteral("btnApriCartella"), QStringLiteral("Apri cartella"), this);
    btnApriCartella->setGeometry((kWidth - 200) / 2, 298, 200, 38);
    separator(QStringLiteral("shpBarra02"), 352, this);

    imgBackup = instructionCard(
        QStringLiteral("imgBackup"), QStringLiteral("usb-backup"),
        {QStringLiteral("La cartella è posizionata nella stessa directory in cui è installato il software."),
         QStringLiteral("Per effettuare un backup del programma e di tutti i dati archiviati, basta copiare la "
                        "cartella di installazione e incollarla su un hard disk esterno o su una chiavetta USB.")},
        this);
    imgBackup->setGeometry(20, 368, kWidth - 40, 90);
    separator(QStringLiteral("shpBarra03"), 472, this);

    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnChiudi->setGeometry((kWidth - 140) / 2, 490, 140, 36);
    setTabOrder(btnApriCartella, btnChiudi);

    connect(btnApriCartella, &QPushButton::clicked, this, &TfrmAttachedFolder::btnApriCartellaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmAttachedFolder::btnChiudiClick);
}

void TfrmAttachedFolder::FormShow() { btnApriCartella->setFocus(); }

void TfrmAttachedFolder::btnApriCartellaClick()
{
    const QString folder = Attachments::clientFolder(m_position);
    // A folder that cannot be made is said so, rather than handing the shell a path to nowhere.
    if (Attachments::ensureFolder(folder))
        TMisc::Open(Attachments::quoted(folder));
    else
        Messages::error(this, kArchiveFailure);
    close();
}

void TfrmAttachedFolder::btnChiudiClick() { close(); }
