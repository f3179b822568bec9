#include "app/frmCopiaSicurezza.h"

#include "backup/Backup.h"
#include "backup/BackupSettings.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"
#include "ui/Accessibility.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include <memory>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 470;

QString lastText(const BackupSettings &s)
{
    if (!s.last.isValid())
        return QStringLiteral("nessuna");
    return QStringLiteral("%1 alle %2")
        .arg(s.last.toString(QStringLiteral("dd/MM/yyyy")), s.last.toString(QStringLiteral("HH:mm")));
}

} // namespace

TfrmCopiaSicurezza::TfrmCopiaSicurezza(QWidget *parent) : Dialog(parent, Place::OnOwner)
{
    setObjectName(QStringLiteral("frmCopiaSicurezza"));
    setWindowTitle(QStringLiteral(" Copia di sicurezza e ripristino"));
    Theme::setGradient(this, "light");
    Theme::makeFixedDialog(this, kWidth, kHeight);

    imgBanner = new ListBanner(QStringLiteral("imgBanner"), QStringLiteral("Copia di sicurezza e ripristino"),
                               QStringLiteral("backup"), QString(), this, ListBanner::Tint::Blue);
    imgBanner->setTitlePixels(19);
    imgBanner->setTitleColour(Theme::colour(Theme::Colour::Heading));
    imgBanner->setGeometry(20, 16, kWidth - 40, 53);

    QWidget *shpCopia = Theme::panel(QStringLiteral("shpCopia"), this);
    shpCopia->setGeometry(20, 84, kWidth - 40, 196);
    txtCartella = new QLineEdit(shpCopia);
    txtCartella->setObjectName(QStringLiteral("txtCartella"));
    txtCartella->setReadOnly(true);
    lblCartella = Theme::label(QStringLiteral("lblCartella"),
                               QStringLiteral("Cartella delle copie (chiavetta USB, disco esterno o cartella "
                                              "sincronizzata):"),
                               shpCopia, txtCartella);
    lblCartella->setGeometry(16, 12, kWidth - 72, 22);
    txtCartella->setGeometry(16, 38, kWidth - 72 - 130, 30);
    btnSfoglia = Theme::textButton(QStringLiteral("btnSfoglia"), QStringLiteral("Sfoglia..."), shpCopia);
    btnSfoglia->setGeometry(kWidth - 56 - 120, 36, 120, 34);
    QLabel *titUltima = new QLabel(QStringLiteral("Ultima copia di sicurezza:"), shpCopia);
    titUltima->setObjectName(QStringLiteral("titUltima"));
    titUltima->setGeometry(16, 84, 200, 24);
    lblUltima = new QLabel(shpCopia);
    lblUltima->setObjectName(QStringLiteral("lblUltima"));
    lblUltima->setGeometry(216, 84, kWidth - 72 - 200, 24);
    Accessibility::valueLabel(lblUltima, QStringLiteral("Ultima copia di sicurezza"));
    btnCopia = Theme::textButton(QStringLiteral("btnCopia"), QStringLiteral("Esegui la copia di sicurezza"), shpCopia);
    btnCopia->setGeometry((kWidth - 40 - 280) / 2, 130, 280, 40);

    QWidget *shpRipristino = Theme::panel(QStringLiteral("shpRipristino"), this);
    shpRipristino->setGeometry(20, 292, kWidth - 40, 112);
    lblRipristino = new QLabel(QStringLiteral("Il ripristino sostituisce i dati attuali con quelli di una copia di "
                                              "sicurezza, dopo averla controllata. I dati attuali non vengono "
                                              "cancellati: sono spostati in una cartella datata nella cartella del "
                                              "programma."),
                               shpRipristino);
    lblRipristino->setObjectName(QStringLiteral("lblRipristino"));
    lblRipristino->setWordWrap(true);
    lblRipristino->setGeometry(16, 8, kWidth - 72, 54);
    btnRipristina =
        Theme::textButton(QStringLiteral("btnRipristina"), QStringLiteral("Ripristina da una copia..."), shpRipristino);
    btnRipristina->setGeometry((kWidth - 40 - 280) / 2, 66, 280, 36);

    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnChiudi->setGeometry((kWidth - 140) / 2, 420, 140, 36);

    setTabOrder(txtCartella, btnSfoglia);
    setTabOrder(btnSfoglia, btnCopia);
    setTabOrder(btnCopia, btnRipristina);
    setTabOrder(btnRipristina, btnChiudi);

    connect(btnSfoglia, &QPushButton::clicked, this, [this] { btnSfogliaClick(); });
    connect(btnCopia, &QPushButton::clicked, this, &TfrmCopiaSicurezza::btnCopiaClick);
    connect(btnRipristina, &QPushButton::clicked, this, &TfrmCopiaSicurezza::btnRipristinaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    showSettings();
    btnCopia->setFocus();
}

void TfrmCopiaSicurezza::showSettings()
{
    const BackupSettings s = BackupSettings::read(ProgramFolder::path());
    txtCartella->setText(QDir::toNativeSeparators(s.folder));
    lblUltima->setText(lastText(s));
}

QProgressDialog *TfrmCopiaSicurezza::progressDialog(const QString &label)
{
    auto *p = new QProgressDialog(label, QStringLiteral("Annulla"), 0, 1000, this);
    p->setObjectName(QStringLiteral("dlgProgresso"));
    p->setWindowTitle(QStringLiteral(" Copia di sicurezza"));
    p->setWindowModality(Qt::WindowModal);
    p->setMinimumDuration(progressDelayMs);
    p->setAutoClose(false);
    p->setAutoReset(false);
    p->setValue(0);
    return p;
}

bool TfrmCopiaSicurezza::btnSfogliaClick()
{
    BackupSettings s = BackupSettings::read(ProgramFolder::path());
    const QString chosen = FileDialog::getExistingDirectory(
        this, QStringLiteral("Scegliere la cartella in cui salvare le copie di sicurezza:"), s.folder);
    if (chosen.isEmpty())
        return false;
    if (const QString problem = Backup::targetProblem(ProgramFolder::path(), chosen); !problem.isEmpty()) {
        Messages::warning(this, problem);
        return false;
    }
    s.folder = QDir(chosen).absolutePath();
    if (!s.write(ProgramFolder::path()))
        Messages::warning(this, QStringLiteral("Attenzione: la cartella scelta non è stata registrata: la cartella "
                                               "del programma non permette di scrivere."));
    showSettings();
    return true;
}

void TfrmCopiaSicurezza::btnCopiaClick()
{
    BackupSettings s = BackupSettings::read(ProgramFolder::path());
    if (s.folder.isEmpty()) {
        if (!btnSfogliaClick())
            return;
        s = BackupSettings::read(ProgramFolder::path());
    }
    if (const QString problem = Backup::targetProblem(ProgramFolder::path(), s.folder); !problem.isEmpty()) {
        Messages::warning(this, problem);
        return;
    }
    const QDateTime now = Clock::now();
    std::unique_ptr<QProgressDialog> progress(progressDialog(QStringLiteral("Copia di sicurezza in corso...")));
    const Backup::Outcome outcome =
        Backup::make(ProgramFolder::path(), s.folder, now, [&](qint64 done, qint64 total, const QString &) {
            progress->setValue(total > 0 ? int(done * 1000 / total) : 0);
            return !progress->wasCanceled();
        });
    progress.reset();
    switch (outcome.status) {
    case Backup::Outcome::Done:
        s.last = now;
        s.lastFile = outcome.path;
        s.write(ProgramFolder::path());
        showSettings();
        Messages::information(this, outcome.message);
        break;
    case Backup::Outcome::Cancelled:
        Messages::information(this, outcome.message);
        break;
    case Backup::Outcome::Refused:
        Messages::warning(this, outcome.message);
        break;
    case Backup::Outcome::Failed:
        Messages::error(this, outcome.message);
        break;
    }
}

void TfrmCopiaSicurezza::btnRipristinaClick()
{
    const BackupSettings s = BackupSettings::read(ProgramFolder::path());
    const QString zip = FileDialog::getOpenFileName(
        this, QStringLiteral("Scegliere la copia di sicurezza da ripristinare:"), s.folder,
        QStringLiteral("Copie di sicurezza di Sorrisa (Sorrisa_Copia_*.zip);;Tutti i file (*.*)"));
    if (zip.isEmpty())
        return;
    Backup::Description description;
    std::unique_ptr<QProgressDialog> progress(progressDialog(QStringLiteral("Controllo della copia in corso...")));
    Backup::Outcome outcome =
        Backup::check(zip, ProgramFolder::path(), &description, [&](qint64 done, qint64 total, const QString &) {
            progress->setValue(total > 0 ? int(done * 1000 / total) : 0);
            return !progress->wasCanceled();
        });
    progress.reset();
    if (outcome.status != Backup::Outcome::Done) {
        if (outcome.status == Backup::Outcome::Cancelled)
            Messages::information(this, outcome.message);
        else
            Messages::warning(this, outcome.message);
        return;
    }
    const QDateTime now = Clock::now();
    if (!Messages::confirm(this, Backup::describe(description, Backup::asideFolderFor(ProgramFolder::path(), now)))) {
        Backup::discard(ProgramFolder::path());
        return;
    }
    outcome = Backup::restore(ProgramFolder::path(), now);
    if (outcome.status == Backup::Outcome::Done)
        Messages::information(this, outcome.message);
    else {
        Backup::discard(ProgramFolder::path());
        Messages::error(this, outcome.message);
    }
}
