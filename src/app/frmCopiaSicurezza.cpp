#include "app/frmCopiaSicurezza.h"

#include "backup/Backup.h"
#include "app/frmPasswordCopie.h"
#include "backup/BackupSettings.h"
#include "backup/Passphrase.h"
#include "platform/Clock.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/Modal.h"
#include "platform/ProgramFolder.h"
#include "print/ListPrint.h"
#include "ui/Accessibility.h"
#include "ui/ListPage.h"
#include "ui/Theme.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <memory>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 520;

QString lastText(const BackupSettings &s)
{
    if (!s.last.isValid())
        return QStringLiteral("nessuna");
    return s.last.toString(QStringLiteral("dd/MM/yyyy ")) + Backup::atHour(s.last.time());
}

// The work's progress shown in the window, whose Annulla cancels it.
Backup::Progress following(QProgressDialog *progress)
{
    return [progress](qint64 done, qint64 total, const QString &) {
        progress->setValue(total > 0 ? int(done * 1000 / total) : 0);
        return !progress->wasCanceled();
    };
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
    shpCopia->setGeometry(20, 84, kWidth - 40, 244);
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
    btnPassword = Theme::textButton(QStringLiteral("btnPassword"),
                                    QStringLiteral("Password delle copie di sicurezza..."), shpCopia);
    btnPassword->setGeometry(16, 114, 300, 34);
    btnFoglio = Theme::textButton(QStringLiteral("btnFoglio"), QStringLiteral("Foglio di recupero..."), shpCopia);
    btnFoglio->setGeometry(330, 114, 200, 34);
    chkNonCifrata = new QCheckBox(QStringLiteral("Copia non cifrata (sconsigliato)"), shpCopia);
    chkNonCifrata->setObjectName(QStringLiteral("chkNonCifrata"));
    chkNonCifrata->setAccessibleName(QStringLiteral("Copia non cifrata (sconsigliato)"));
    chkNonCifrata->setGeometry(16, 158, 300, 28);
    spnConserva = new QSpinBox(shpCopia);
    spnConserva->setObjectName(QStringLiteral("spnConserva"));
    spnConserva->setRange(0, 999);
    spnConserva->setSpecialValueText(QStringLiteral("tutte"));
    lblConserva =
        Theme::label(QStringLiteral("lblConserva"), QStringLiteral("Copie da conservare:"), shpCopia, spnConserva);
    lblConserva->setGeometry(330, 158, 170, 28);
    spnConserva->setGeometry(500, 156, 84, 32);
    spnConserva->setAccessibleName(QStringLiteral("Copie da conservare"));
    spnConserva->setToolTip(QStringLiteral("Le ultime copie, più l'ultima di ciascuno dei %1 mesi precedenti; le "
                                           "altre copie di Sorrisa nella cartella sono eliminate dopo ogni copia "
                                           "riuscita.")
                                .arg(BackupSettings().keepMonths));
    btnCopia = Theme::textButton(QStringLiteral("btnCopia"), QStringLiteral("Esegui la copia di sicurezza"), shpCopia);
    btnCopia->setGeometry((kWidth - 40 - 280) / 2, 196, 280, 40);

    QWidget *shpRipristino = Theme::panel(QStringLiteral("shpRipristino"), this);
    shpRipristino->setGeometry(20, 340, kWidth - 40, 112);
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
    btnRipristina->setGeometry(30, 66, 260, 36);
    btnVerifica = Theme::textButton(QStringLiteral("btnVerifica"), QStringLiteral("Verifica copia..."), shpRipristino);
    btnVerifica->setGeometry(kWidth - 40 - 30 - 260, 66, 260, 36);

    btnChiudi = Theme::textButton(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), this);
    btnChiudi->setGeometry((kWidth - 140) / 2, 468, 140, 36);

    setTabOrder(txtCartella, btnSfoglia);
    setTabOrder(btnSfoglia, btnPassword);
    setTabOrder(btnPassword, btnFoglio);
    setTabOrder(btnFoglio, chkNonCifrata);
    setTabOrder(chkNonCifrata, spnConserva);
    setTabOrder(spnConserva, btnCopia);
    setTabOrder(btnCopia, btnRipristina);
    setTabOrder(btnRipristina, btnVerifica);
    setTabOrder(btnVerifica, btnChiudi);

    connect(btnSfoglia, &QPushButton::clicked, this, [this] { btnSfogliaClick(); });
    connect(btnPassword, &QPushButton::clicked, this, [this] { btnPasswordClick(); });
    connect(btnFoglio, &QPushButton::clicked, this, &TfrmCopiaSicurezza::btnFoglioClick);
    connect(chkNonCifrata, &QCheckBox::toggled, this, &TfrmCopiaSicurezza::chkNonCifrataToggled);
    connect(spnConserva, &QSpinBox::valueChanged, this, [](int value) {
        BackupSettings s = BackupSettings::read(ProgramFolder::path());
        s.keepLast = value;
        s.write(ProgramFolder::path());
    });
    connect(btnCopia, &QPushButton::clicked, this, &TfrmCopiaSicurezza::btnCopiaClick);
    connect(btnRipristina, &QPushButton::clicked, this, &TfrmCopiaSicurezza::btnRipristinaClick);
    connect(btnVerifica, &QPushButton::clicked, this, &TfrmCopiaSicurezza::btnVerificaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::close);

    showSettings();
    btnCopia->setFocus();
}

void TfrmCopiaSicurezza::showSettings()
{
    const BackupSettings s = BackupSettings::read(ProgramFolder::path());
    txtCartella->setText(QDir::toNativeSeparators(s.folder));
    lblUltima->setText(lastText(s));
    const QSignalBlocker quiet(spnConserva);
    spnConserva->setValue(s.keepLast);
    btnFoglio->setEnabled(!Passphrase::stored().isEmpty());
}

bool TfrmCopiaSicurezza::btnPasswordClick()
{
    QString chosen;
    if (Modal::run(new TfrmPasswordCopie(this, TfrmPasswordCopie::Mode::Choose, &chosen)) != QDialog::Accepted
        || chosen.isEmpty())
        return false;
    showSettings();
    if (Messages::confirm(this, QStringLiteral("La password delle copie di sicurezza è registrata su questo computer."
                                               "\r\n\r\nStampare ora il foglio di recupero? Senza la password "
                                               "una copia non si ripristina su un altro computer.")))
        btnFoglioClick();
    return true;
}

void TfrmCopiaSicurezza::btnFoglioClick()
{
    const QString passphrase = Passphrase::stored();
    if (passphrase.isEmpty())
        return;
    ListPrint::print(this, QStringLiteral("Foglio di recupero"), Passphrase::recoverySheet(passphrase, Clock::today()));
}

void TfrmCopiaSicurezza::chkNonCifrataToggled(bool on)
{
    if (!on)
        return;
    if (!Messages::confirm(this, QStringLiteral("Attenzione: una copia non cifrata contiene in chiaro i dati sanitari "
                                                "di tutti i pazienti: chi trova o ruba la chiavetta può leggerli."
                                                "\r\n\r\nFare le copie di questa volta senza cifratura?"))) {
        const QSignalBlocker quiet(chkNonCifrata);
        chkNonCifrata->setChecked(false);
    }
}

bool TfrmCopiaSicurezza::askPassphrase(QString *passphrase)
{
    return Modal::run(new TfrmPasswordCopie(this, TfrmPasswordCopie::Mode::Ask, passphrase)) == QDialog::Accepted
           && !passphrase->isEmpty();
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
    Backup::Options options;
    if (!chkNonCifrata->isChecked()) {
        options.passphrase = Passphrase::stored();
        if (options.passphrase.isEmpty()) {
            Messages::information(this, QStringLiteral("Le copie di sicurezza sono cifrate: scegliere prima la "
                                                       "password delle copie di sicurezza."));
            if (!btnPasswordClick())
                return;
            options.passphrase = Passphrase::stored();
        }
    }
    options.keep = {s.keepLast, s.keepMonths};
    if (Backup::onSameDisk(ProgramFolder::path(), s.folder)) {
        if (!Messages::confirm(this, Backup::sameDiskQuestion(s.folder)))
            return;
        options.sameDisk = true;
    }
    const QDateTime now = Clock::now();
    std::unique_ptr<QProgressDialog> progress(progressDialog(QStringLiteral("Copia di sicurezza in corso...")));
    const Backup::Outcome outcome =
        Backup::make(ProgramFolder::path(), s.folder, now, following(progress.get()), options);
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

QString TfrmCopiaSicurezza::chooseBackup(const QString &caption)
{
    return FileDialog::getOpenFileName(
        this, caption, BackupSettings::read(ProgramFolder::path()).folder,
        QStringLiteral("Copie di sicurezza di Sorrisa (Sorrisa_Copia_*.zip);;Tutti i file (*.*)"));
}

Backup::Outcome TfrmCopiaSicurezza::readBackup(const QString &label, const BackupRead &read)
{
    const auto once = [&](const QString &passphrase) {
        std::unique_ptr<QProgressDialog> progress(progressDialog(label));
        return read(passphrase, following(progress.get()));
    };
    Backup::Outcome outcome = once(Passphrase::stored());
    // A new computer, or a backup of another passphrase: asked once, a wrong one says so.
    if (outcome.needsPassphrase) {
        QString typed;
        if (!askPassphrase(&typed)) {
            outcome.status = Backup::Outcome::Cancelled;
            outcome.message.clear();
            return outcome;
        }
        outcome = once(typed);
    }
    return outcome;
}

void TfrmCopiaSicurezza::btnRipristinaClick()
{
    const QString zip = chooseBackup(QStringLiteral("Scegliere la copia di sicurezza da ripristinare:"));
    if (zip.isEmpty())
        return;
    Backup::Description description;
    Backup::Outcome outcome =
        readBackup(QStringLiteral("Controllo della copia in corso..."),
                   [&](const QString &passphrase, const Backup::Progress &progress) {
                       return Backup::check(zip, ProgramFolder::path(), &description, progress, passphrase);
                   });
    if (outcome.status != Backup::Outcome::Done) {
        if (outcome.status != Backup::Outcome::Cancelled)
            Messages::warning(this, outcome.message);
        else if (!outcome.message.isEmpty())
            Messages::information(this, outcome.message);
        return;
    }
    const QDateTime now = Clock::now();
    if (!Messages::confirm(this, Backup::describe(description, Backup::asideFolderFor(ProgramFolder::path(), now)))) {
        Backup::discard(ProgramFolder::path());
        return;
    }
    outcome = Backup::restore(ProgramFolder::path(), now);
    showSettings();
    if (outcome.status == Backup::Outcome::Done)
        Messages::information(this, outcome.message);
    else {
        Backup::discard(ProgramFolder::path());
        Messages::error(this, outcome.message);
    }
}

void TfrmCopiaSicurezza::btnVerificaClick()
{
    const QString zip = chooseBackup(QStringLiteral("Scegliere la copia di sicurezza da verificare:"));
    if (zip.isEmpty())
        return;
    const Backup::Outcome outcome = readBackup(QStringLiteral("Verifica della copia in corso..."),
                                               [&](const QString &passphrase, const Backup::Progress &progress) {
                                                   return Backup::verify(zip, nullptr, progress, passphrase);
                                               });
    if (outcome.message.isEmpty())
        return;
    if (outcome.status == Backup::Outcome::Done || outcome.status == Backup::Outcome::Cancelled)
        Messages::information(this, outcome.message);
    else
        Messages::warning(this, outcome.message);
}
