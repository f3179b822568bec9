#include "patients/Attachments.h"

#include "platform/ProgramFolder.h"
#include "storage/AnsiText.h"
#include "storage/FileIo.h"
#include "storage/PatientRecord.h"
#include "storage/RecordFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace Attachments {

const QString kDialogTitle = QStringLiteral("Selezionare il file da allegare:");
const QString kDialogFilter = QStringLiteral("Tutti i file (*.*)");
const QString kOverwrite =
    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
                   "Si vuole sovrascrivere il file esistente?");
const QString kNotAFile =
    QStringLiteral("Attenzione: l'elemento selezionato non è un file e non può essere allegato.\n\r\n\r"
                   "Selezionare un documento, un'immagine o un altro file salvato sul disco.");
const QString kOutsideFolder =
    QStringLiteral("Attenzione: il nome del file allegato indica un percorso esterno alla cartella dei documenti "
                   "allegati, quindi il file non può essere aperto.\n\r\n\r"
                   "Per allegare il file, selezionarlo di nuovo con il pulsante Sfoglia.");

namespace {

// Characters no Windows name may hold, and control codes (C0, DEL, C1), which a card's text
// would not show.
bool forbidden(char32_t u)
{
    return u < 32 || (u >= 0x7F && u < 0xA0) || u == '<' || u == '>' || u == ':' || u == '"' || u == '/' || u == '\\'
           || u == '|' || u == '?' || u == '*';
}

// A character a card's field holds as it is.
bool holds(char32_t u)
{
    return u <= 0xFFFF && AnsiText::toAnsi(QString(QChar(char16_t(u)))) != QByteArrayLiteral("?");
}

// One character of a source name as a stored name has it: itself, its plain letters (the
// compatibility decomposition without its accents), or '_'.
void appendStorable(QString &out, char32_t u)
{
    if (forbidden(u)) {
        out.append(QLatin1Char('_'));
        return;
    }
    if (holds(u)) {
        out.append(QChar(char16_t(u)));
        return;
    }
    // Marks alone (an accent left over from the decomposition) are dropped.
    const QString plain = QString::fromUcs4(&u, 1).normalized(QString::NormalizationForm_KD);
    for (char32_t p : plain.toUcs4()) {
        const QChar::Category category = QChar::category(p);
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
            || category == QChar::Mark_Enclosing)
            continue;
        out.append(!forbidden(p) && holds(p) ? QChar(char16_t(p)) : QLatin1Char('_'));
    }
}

// Windows drops blanks and dots at the end of a name; the card trims blanks at both ends.
QString trimmedEnds(const QString &name)
{
    QString t = AnsiText::trimmed(name);
    while (t.endsWith(QLatin1Char('.')) || t.endsWith(QLatin1Char(' ')))
        t.chop(1);
    return t;
}

// Windows' device names, which no file may take, with or without an extension.
bool isDeviceName(const QString &stem)
{
    static const QSet<QString> devices = [] {
        QSet<QString> d = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"), QStringLiteral("NUL")};
        for (const QString &port : {QStringLiteral("COM"), QStringLiteral("LPT")}) {
            for (int n = 0; n <= 9; ++n)
                d.insert(port + QString::number(n));
            for (const char16_t digit : {u'\u00B9', u'\u00B2', u'\u00B3'})
                d.insert(port + QChar(digit));
        }
        return d;
    }();
    return devices.contains(stem.trimmed().toUpper());
}

// A name cut to the field's capacity with a suffix before its extension (the extension kept
// when it is short, as it tells which program opens the file).
QString withSuffix(const QString &name, const QString &suffix)
{
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0 || name.size() - dot > 16)
        dot = name.size();
    const QString extension = name.mid(dot);
    QString stem = name.left(dot);
    const qsizetype room = kNameCapacity - extension.size() - suffix.size();
    if (stem.size() > room)
        stem = trimmedEnds(stem.left(room));
    if (stem.isEmpty())
        stem = QStringLiteral("_");
    return stem + suffix + extension;
}

} // namespace

QString folder() { return ProgramFolder::file(kFolderName) + QLatin1Char('/'); }

QString pathOf(const QString &fileName) { return folder() + AnsiText::trimmed(fileName); }

QString clientFolder(const QString &position)
{
    return ProgramFolder::file(QStringLiteral("Cliente_") + AnsiText::trimmed(position));
}

QString quoted(const QString &path) { return QLatin1Char('"') + path + QLatin1Char('"'); }

bool ensureFolder(const QString &path) { return QDir().mkpath(path) && QFileInfo(path).isDir(); }

bool isAttached(const QString &fileName) { return QFileInfo::exists(pathOf(fileName)); }

bool staysInFolder(const QString &storedName)
{
    const QString name = AnsiText::trimmed(storedName);
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

bool opensInFolder(const QString &storedName)
{
    return staysInFolder(storedName) && !QFileInfo(pathOf(AnsiText::trimmed(storedName))).isSymLink();
}

QString storableName(const QString &sourceName)
{
    QString name;
    for (char32_t u : sourceName.normalized(QString::NormalizationForm_C).toUcs4())
        appendStorable(name, u);
    name = trimmedEnds(name);
    if (name.isEmpty())
        name = QStringLiteral("_");
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (isDeviceName(dot < 0 ? name : name.left(dot)))
        name.insert(dot < 0 ? name.size() : dot, QLatin1Char('_'));
    return name.size() > kNameCapacity ? withSuffix(name, QString()) : name;
}

QString folded(const QString &name) { return name.toCaseFolded(); }

std::optional<QSet<QString>> namedByCards(qint64 except)
{
    const QString path = ProgramFolder::file(kPatientArchive);
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return QSet<QString>();
    QSet<QString> names;
    try {
        RecordFile file(path, TPatientRecord::Size);
        file.open(RecordFile::Read);
        file.scan([&](const char *bytes, qint64 position) {
            if (position == except)
                return true;
            const auto &r = *reinterpret_cast<const TPatientRecord *>(bytes);
            for (const auto *field : {&r.File01, &r.File02, &r.File03})
                if (!field->trimmedBytes().isEmpty())
                    names.insert(folded(field->text()));
            return true;
        });
        file.close();
    } catch (const StorageError &) {
        return std::nullopt;
    }
    return names;
}

QSet<QString> inFolder()
{
    QSet<QString> names;
    const QStringList entries =
        QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &entry : entries)
        names.insert(folded(entry));
    return names;
}

QString freeName(const QString &name, const QSet<QString> &taken)
{
    if (!taken.contains(folded(name)))
        return name;
    for (qsizetype n = 2;; ++n) {
        const QString candidate = withSuffix(name, QStringLiteral(" (%1)").arg(n));
        if (!taken.contains(folded(candidate)))
            return candidate;
    }
}

Copy copyIn(const QString &source, const QString &fileName)
{
    // Opened without waiting: a named pipe would otherwise block here until a writer came.
    bool notAFile = false;
    const int fd = FileIo::openRegular(QFile::encodeName(source), O_RDONLY, &notAFile);
    if (fd < 0)
        return notAFile ? Copy::NotAFile : Copy::Failed;
    QFile in;
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Copy::Failed;
    }
    QSaveFile out(pathOf(fileName));
    if (!out.open(QIODevice::WriteOnly))
        return Copy::Failed;
    QByteArray block(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(block.data(), block.size());
        if (n < 0)
            return Copy::Failed; // the aside copy is dropped with out
        if (n == 0)
            break;
        if (out.write(block.constData(), n) != n)
            return Copy::Failed;
    }
    return out.commit() ? Copy::Done : Copy::Failed;
}

} // namespace Attachments
