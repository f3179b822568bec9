#include "backup/Passphrase.h"

#include "storage/FileIo.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Passphrase {

namespace {

QString folder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Sorrisa");
}

} // namespace

QString filePath() { return folder() + QStringLiteral("/Password_copie_di_sicurezza"); }

QString stored()
{
    QFile f(filePath());
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.read(4096));
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

bool store(const QString &passphrase, QString *problem)
{
    const auto fail = [&](const QString &why) {
        if (problem)
            *problem = QStringLiteral("Attenzione: la password delle copie di sicurezza non è stata registrata "
                                      "(%1).")
                           .arg(why);
        return false;
    };
    const QString dir = folder();
    if (!QDir().mkpath(dir))
        return fail(QStringLiteral("impossibile creare la cartella \"%1\"").arg(QDir::toNativeSeparators(dir)));
    ::chmod(QFile::encodeName(dir).constData(), 0700);
    const QString temp =
        filePath() + QStringLiteral(".%1.nuova").arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
    const QByteArray tempName = QFile::encodeName(temp);
    const int fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    const QByteArray bytes = passphrase.toUtf8() + '\n';
    const bool written = FileIo::writeFully(fd, bytes.constData(), bytes.size()) && FileIo::syncFile(fd);
    const int error = errno;
    ::close(fd);
    if (!written || ::rename(tempName.constData(), QFile::encodeName(filePath()).constData()) != 0) {
        const int why = written ? errno : error;
        ::unlink(tempName.constData());
        return fail(QString::fromLocal8Bit(std::strerror(why)));
    }
    return true;
}

QString problemWith(const QString &passphrase, const QString &again)
{
    if (passphrase.size() < kMinimumLength)
        return QStringLiteral("Attenzione: la password delle copie di sicurezza deve avere almeno %1 caratteri.")
            .arg(kMinimumLength);
    if (passphrase != again)
        return QStringLiteral("Attenzione: le due password scritte non sono uguali.");
    return {};
}

QString strengthText(const QString &passphrase)
{
    // Bits a guesser has to try: length times the size of the alphabet the characters come from.
    bool lower = false, upper = false, digit = false, other = false;
    for (const QChar c : passphrase) {
        if (c.isLower())
            lower = true;
        else if (c.isUpper())
            upper = true;
        else if (c.isDigit())
            digit = true;
        else
            other = true;
    }
    const int alphabet = (lower ? 26 : 0) + (upper ? 26 : 0) + (digit ? 10 : 0) + (other ? 33 : 0);
    const double bits = alphabet > 0 ? passphrase.size() * std::log2(double(alphabet)) : 0;
    QString level;
    if (passphrase.size() < kMinimumLength)
        level = QStringLiteral("troppo corta (almeno %1 caratteri)").arg(kMinimumLength);
    else if (bits < 60)
        level = QStringLiteral("debole");
    else if (bits < 80)
        level = QStringLiteral("discreta");
    else
        level = QStringLiteral("buona");
    return QStringLiteral("Sicurezza della password: ") + level;
}

QStringList recoverySheet(const QString &passphrase, const QDate &today)
{
    return {QStringLiteral("Foglio di recupero delle copie di sicurezza di Sorrisa"),
            QString(),
            QStringLiteral("Password delle copie di sicurezza:"),
            QStringLiteral("    ") + passphrase,
            QString(),
            QStringLiteral("Scelta il %1.").arg(today.toString(QStringLiteral("dd/MM/yyyy"))),
            QString(),
            QStringLiteral("Le copie di sicurezza sono cifrate (AES-256): senza questa password"),
            QStringLiteral("non possono essere ripristinate su un altro computer."),
            QStringLiteral("Per ripristinare: Copia di sicurezza, Ripristina da una copia, e"),
            QStringLiteral("scrivere questa password quando il programma la chiede."),
            QStringLiteral("Altri programmi (per esempio 7-Zip) aprono le copie con la stessa password."),
            QString(),
            QStringLiteral("Conservare questo foglio nella cassaforte dello studio, non accanto al computer.")};
}

} // namespace Passphrase
