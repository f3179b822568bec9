#include "patients/frmAllegaCartella.h"

#include "patients/PatientWidgets.h"
#include "platform/FileDialog.h"
#include "platform/Messages.h"
#include "platform/Misc.h"
#include "storage/AnsiText.h"
#include "ui/PictureButton.h"
#include "ui/Theme.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using Theme::verdana;

namespace {

constexpr int kWidth = 634;
constexpr int kHeight = 534;
constexpr int kSlotTop = 96;
constexpr int kSlotPitch = 128;
constexpr int kSlotHeight = 118;

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget *parent, const Attachments::Texts &texts, Mode mode, qint64 cardPosition)
    : Dialog(parent), m_mode(mode), m_cardPosition(cardPosition)
{
    setObjectName(QStringLiteral("frmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));
    Theme::setGradient(this, "steel");
    Theme::makeFixedDialog(this, kWidth, kHeight);

    imgIstruzioni = instructionCard(
        QStringLiteral("imgIstruzioni"), QStringLiteral("attach-files"),
        {QStringLiteral("Selezionare i file da allegare alla scheda corrente servendosi del pulsante Sfoglia."),
         QStringLiteral("Quindi fare clic su Applica e chiudi e poi sul pulsante Salva per salvare le modifiche."),
         QStringLiteral("Per aprire un file è sufficiente premere il pulsante Apri.")},
        this);
    imgIstruzioni->setGeometry(12, 12, kWidth - 24, 74);

    QLineEdit **files[] = {&txtFile01, &txtFile02, &txtFile03};
    PictureButton **erasers[] = {&imgCancella01, &imgCancella02, &imgCancella03};
    QPushButton **browse[] = {&btnSfoglia01, &btnSfoglia02, &btnSfoglia03};
    QPushButton **open[] = {&btnApri01, &btnApri02, &btnApri03};
    QLineEdit **descriptions[] = {&txtDesc01, &txtDesc02, &txtDesc03};
    QList<QWidget *> tabChain;
    for (int i = 0; i < 3; ++i) {
        const QString n = QStringLiteral("0%1").arg(i + 1);
        const QString ordinal = QStringLiteral("%1°").arg(i + 1);
        QWidget *box = Theme::panel(QStringLiteral("shpAllegato") + n, this);
        box->setGeometry(12, kSlotTop + i * kSlotPitch, kWidth - 24, kSlotHeight);

        auto *file = new QLineEdit(box);
        file->setObjectName(QStringLiteral("txtFile") + n);
        file->setReadOnly(true);
        file->setFont(verdana(10, true));
        file->setStyleSheet(Theme::sheet(Theme::Sheet::LockedField));
        QLabel *fileLabel = Theme::label(QStringLiteral("lblFile") + n,
                                         QStringLiteral("Nome %1 file allegato:").arg(ordinal), box, file);
        fileLabel->setFont(verdana(9, true));
        fileLabel->setGeometry(14, 8, 330, 18);
        file->setGeometry(14, 28, 330, 28);

        auto *eraser = new PictureButton(QStringLiteral("imgCancella") + n, QStringLiteral("eraser"),
                                         QStringLiteral("Cancella il nome del %1 file allegato").arg(ordinal), box);
        eraser->setPictureSize(QSize(24, 24));
        eraser->setGeometry(350, 28, 28, 28);

        QPushButton *browseButton =
            Theme::textButton(QStringLiteral("btnSfoglia") + n, QStringLiteral("Sfoglia..."), box);
        browseButton->setAccessibleName(QStringLiteral("Sfoglia: %1 file allegato").arg(ordinal));
        browseButton->setGeometry(388, 24, 104, 34);
        QPushButton *openButton = Theme::textButton(QStringLiteral("btnApri") + n, QStringLiteral("Apri"), box);
        openButton->setAccessibleName(QStringLiteral("Apri il %1 file allegato").arg(ordinal));
        openButton->setGeometry(500, 24, 96, 34);
        openButton->setEnabled(false);

        auto *description = new QLineEdit(box);
        description->setObjectName(QStringLiteral("txtDesc") + n);
        description->setFont(verdana(10, true));
        QLabel *descLabel =
            Theme::label(QStringLiteral("lblDesc") + n, QStringLiteral("Descrizione %1 file allegato:").arg(ordinal),
                         box, description);
        descLabel->setFont(verdana(9, true));
        descLabel->setGeometry(14, 62, 400, 18);
        description->setGeometry(14, 82, kWidth - 24 - 28, 28);

        *files[i] = file;
        *erasers[i] = eraser;
        *browse[i] = browseButton;
        *open[i] = openButton;
        *descriptions[i] = description;
        tabChain << file << eraser << browseButton << openButton << description;

        const int slot = i + 1;
        // "Apri" follows the slot's name, however it changes.
        connect(file, &QLineEdit::textChanged, openButton,
                [openButton](const QString &text) { openButton->setEnabled(!AnsiText::isBlank(text)); });
        connect(browseButton, &QPushButton::clicked, this, [this, slot] { btnSfogliaClick(slot); });
        connect(openButton, &QPushButton::clicked, this, [this, slot] { btnApriClick(slot); });
        connect(eraser, &PictureButton::clicked, this, [this, slot] { imgCancellaClick(slot); });
    }

    btnAnnulla = Theme::textButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    btnApplica = Theme::textButton(QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"), this);
    btnApplica->setGeometry(kWidth - 12 - 170, kHeight - 12 - 36, 170, 36);
    btnAnnulla->setGeometry(btnApplica->x() - 10 - 130, kHeight - 12 - 36, 130, 36);
    tabChain << btnAnnulla << btnApplica;
    for (qsizetype i = 1; i < tabChain.size(); ++i)
        setTabOrder(tabChain[i - 1], tabChain[i]);

    for (int slot = 1; slot <= 3; ++slot) {
        fileField(slot)->setText(texts.files[size_t(slot - 1)]);
        descField(slot)->setText(texts.descriptions[size_t(slot - 1)]);
        descField(slot)->setCursorPosition(0);
    }

    connect(btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmAllegaCartella::btnAnnullaClick);
}

QLineEdit *TfrmAllegaCartella::fileField(int slot) const
{
    return slot == 1 ? txtFile01 : slot == 2 ? txtFile02 : txtFile03;
}

QLineEdit *TfrmAllegaCartella::descField(int slot) const
{
    return slot == 1 ? txtDesc01 : slot == 2 ? txtDesc02 : txtDesc03;
}

QPushButton *TfrmAllegaCartella::openButton(int slot) const
{
    return slot == 1 ? btnApri01 : slot == 2 ? btnApri02 : btnApri03;
}

void TfrmAllegaCartella::FormShow() { btnSfoglia01->setFocus(); }

Attachments::Texts TfrmAllegaCartella::texts() const
{
    Attachments::Texts t;
    for (int slot = 1; slot <= 3; ++slot) {
        t.files[size_t(slot - 1)] = AnsiText::trimmed(fileField(slot)->text());
        t.descriptions[size_t(slot - 1)] = AnsiText::trimmed(descField(slot)->text());
    }
    return t;
}

QString TfrmAllegaCartella::nameForCopy(int slot, const QString &chosen, bool &ask) const
{
    // The name the card can hold, so that card and file agree.
    const QString wanted = Attachments::storableName(QFileInfo(chosen).fileName());
    const QSet<QString> present = Attachments::inFolder();
    ask = false;
    // A file another card names (or this card's other slots) is never replaced nor named a
    // second time: the copy takes a free name beside it. When the archive cannot be read, no
    // file of the folder can be told free.
    std::optional<QSet<QString>> taken = Attachments::namedByCards(m_cardPosition);
    if (!taken)
        return Attachments::freeName(wanted, present);
    for (int other = 1; other <= 3; ++other)
        if (other != slot && !AnsiText::isBlank(fileField(other)->text()))
            taken->insert(Attachments::folded(AnsiText::trimmed(fileField(other)->text())));
    const QString key = Attachments::folded(wanted);
    const bool here = Attachments::isAttached(wanted);
    // A name that differs only in case is one name where the folder is copied to Windows.
    if (taken->contains(key) || (present.contains(key) && !here))
        return Attachments::freeName(wanted, *taken | present);
    ask = here; // a file no card names: the user may replace it
    return wanted;
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    const QString chosen =
        FileDialog::getOpenFileName(this, Attachments::kDialogTitle, QString(), Attachments::kDialogFilter);
    if (chosen.isEmpty())
        return;
    // A folder, a named pipe or a device is no document: reading one could block the program.
    const QFileInfo source(chosen);
    if (source.exists() && !source.isFile()) {
        Messages::warning(this, Attachments::kNotAFile);
        return;
    }
    // The slot names the file only once the copy is in the folder: a card never names a file
    // that is not there.
    if (!Attachments::ensureFolder(Attachments::folder())) {
        Messages::error(this, kArchiveFailure);
        return;
    }
    bool ask = false;
    const QString name = nameForCopy(slot, chosen, ask);
    if (ask && !Messages::confirm(this, Attachments::kOverwrite)) {
        fileField(slot)->setText(name); // the file already in the folder has that name
        return;
    }
    switch (Attachments::copyIn(chosen, name)) {
    case Attachments::Copy::Done:
        fileField(slot)->setText(name);
        return;
    case Attachments::Copy::NotAFile:
        Messages::warning(this, Attachments::kNotAFile);
        return;
    case Attachments::Copy::Failed:
        Messages::error(this, kArchiveFailure);
        return;
    }
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    // The stored name comes from the card: one that leads out of the folder is not opened.
    const QString name = fileField(slot)->text();
    if (!Attachments::opensInFolder(name)) {
        Messages::warning(this, Attachments::kOutsideFolder);
        return;
    }
    TMisc::Open(Attachments::quoted(Attachments::pathOf(name)));
}

void TfrmAllegaCartella::imgCancellaClick(int slot) { fileField(slot)->clear(); }

void TfrmAllegaCartella::btnApplicaClick()
{
    if (m_mode != Mode::ForCard)
        return;
    emit applied(texts());
    close();
}

void TfrmAllegaCartella::btnAnnullaClick() { close(); }
