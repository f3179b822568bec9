#include "app/PasswordStore.h"

#include "app/Crypt.h"
#include "storage/AnsiText.h"
#include "storage/FileIo.h"

#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Lines keep their own endings; new lines get the Windows ending the file was made with.
// A line ends with CR LF, LF or a CR alone (files saved by old Mac editors).
QList<QByteArray> splitLines(const QByteArray &ini)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    while (start < ini.size()) {
        qsizetype end = start;
        while (end < ini.size() && ini[end] != '\n' && ini[end] != '\r')
            ++end;
        if (end < ini.size())
            end += ini[end] == '\r' && end + 1 < ini.size() && ini[end + 1] == '\n' ? 2 : 1;
        lines.append(ini.mid(start, end - start));
        start = end;
    }
    return lines;
}

QByteArray ending(const QByteArray &line)
{
    if (line.endsWith("\r\n"))
        return "\r\n";
    if (line.endsWith('\n') || line.endsWith('\r'))
        return line.right(1);
    return {};
}

// A line without its ending and the blanks around it; an editor's UTF-8 byte-order mark
// before the first line is no part of it.
QByteArray content(const QByteArray &line, bool first)
{
    QByteArray c = line.chopped(ending(line).size());
    if (first && c.startsWith("\xEF\xBB\xBF"))
        c.remove(0, 3);
    return c.trimmed();
}

bool isSection(const QByteArray &c, QString *name)
{
    if (!c.startsWith('[') || !c.endsWith(']'))
        return false;
    *name = QString::fromLatin1(c.mid(1, c.size() - 2)).trimmed();
    return true;
}

bool isKey(const QByteArray &c, const QString &key, QByteArray *value)
{
    const qsizetype eq = c.indexOf('=');
    if (eq < 0 || c.startsWith(';'))
        return false;
    if (QString::fromLatin1(c.left(eq)).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    *value = c.mid(eq + 1).trimmed();
    return true;
}

// Reads the whole file, which is small: a file larger than any password file (something else
// put in its place) is refused as unreadable, without being read into memory. So is anything
// but a file (a named pipe, a device), opened without waiting for a writer at its other end.
QByteArray readSmall(QFile &file)
{
    const int fd = FileIo::openRegular(QFile::encodeName(file.fileName()), O_RDONLY);
    if (fd < 0)
        throw PasswordStore::Error("the password file cannot be read");
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw PasswordStore::Error("the password file cannot be read");
    }
    const QByteArray ini = file.read(PasswordStore::kLargestFile + 1);
    if (ini.size() > PasswordStore::kLargestFile)
        throw PasswordStore::Error("the password file is too large to be one");
    return ini;
}

} // namespace

namespace PasswordStore {

QString normalForm(const QString &typed)
{
    QString t = AnsiText::trimmed(typed);
    for (QChar &ch : t)
        if (ch.unicode() >= 'a' && ch.unicode() <= 'z')
            ch = QChar(char16_t(ch.unicode() - 32));
    return t;
}

QString iniValue(const QByteArray &ini, const QString &section, const QString &key)
{
    bool inSection = false;
    const QList<QByteArray> lines = splitLines(ini);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray c = content(lines[i], i == 0);
        QString name;
        QByteArray value;
        if (isSection(c, &name))
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
        else if (inSection && isKey(c, key, &value))
            return QString::fromLatin1(value);
    }
    return {};
}

QByteArray iniWithValue(const QByteArray &ini, const QString &section, const QString &key, const QString &value)
{
    QList<QByteArray> lines = splitLines(ini);
    if (!lines.isEmpty() && ending(lines.last()).isEmpty())
        lines.last().append("\r\n");
    const QByteArray keyLine = key.toLatin1() + '=' + value.toLatin1() + "\r\n";
    bool inSection = false;
    qsizetype sectionEnd = -1; // where a missing key goes: after the section's last line
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray c = content(lines[i], i == 0);
        QString name;
        QByteArray old;
        if (isSection(c, &name)) {
            if (inSection)
                break;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection)
                sectionEnd = i + 1;
        } else if (inSection && isKey(c, key, &old)) {
            const qsizetype eq = lines[i].indexOf('=');
            lines[i] = lines[i].left(eq + 1) + value.toLatin1() + ending(lines[i]);
            return lines.join();
        } else if (inSection && !c.isEmpty()) {
            sectionEnd = i + 1;
        }
    }
    if (sectionEnd >= 0)
        lines.insert(sectionEnd, keyLine);
    else
        lines.append('[' + section.toLatin1() + "]\r\n" + keyLine);
    return lines.join();
}

QString read(const QString &iniPath)
{
    QByteArray ini;
    QFile file(iniPath);
    if (file.exists())
        ini = readSmall(file);
    try {
        return AnsiText::trimmed(
            Crypt::UnscrambleFromHex(iniValue(ini, QStringLiteral("Accesso"), QStringLiteral("Valore"))));
    } catch (const Crypt::ConversionError &e) {
        throw Error(e.what());
    }
}

void write(const QString &iniPath, const QString &password)
{
    QByteArray ini;
    QFile old(iniPath);
    if (old.exists()) {
        ini = readSmall(old);
        old.close();
    }
    const QString value = AnsiText::trimmed(Crypt::ScrambleToHex(password));
    // Written aside and renamed over the old file: a failure leaves the old value whole.
    // Every step is checked: a short file renamed over the old one (a full disk) would lock
    // everybody out.
    QSaveFile file(iniPath);
    if (!file.open(QIODevice::WriteOnly))
        throw Error("the password file cannot be written");
    const QByteArray bytes = iniWithValue(ini, QStringLiteral("Accesso"), QStringLiteral("Valore"), value);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting(); // the new file is removed, the old one stays as it was
        throw Error("the password file cannot be written");
    }
    if (!file.commit())
        throw Error("the password file cannot be written");
}

} // namespace PasswordStore
