// The password file read and written: whatever the file held, a written password reads back,
// writing it again changes nothing, and every other line of the file stays as it was; a
// stored value reads back to the text it was scrambled from.
//
// Input: one byte n, then n bytes of password (each byte one character), then the file.
#include "FuzzCheck.h"

#include "app/Crypt.h"
#include "app/PasswordStore.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

// The file's lines without their endings (CR LF, LF or CR alone), told apart here on their
// own, independently of the store.
QList<QByteArray> lines(const QByteArray &ini)
{
    QList<QByteArray> out;
    QByteArray line;
    for (qsizetype i = 0; i < ini.size(); ++i) {
        const char c = ini[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < ini.size() && ini[i + 1] == '\n')
                ++i;
            out.append(line);
            line.clear();
        } else {
            line.append(c);
        }
    }
    if (!line.isEmpty())
        out.append(line);
    return out;
}

// The written file is the old one with one line changed, one line added, or the section and
// its key added at the end.
bool onlyTheValueChanged(const QList<QByteArray> &before, const QList<QByteArray> &after, const QByteArray &value)
{
    if (after == before)
        return true; // the same value was there already
    if (after.size() == before.size() + 2)
        return after.mid(0, before.size()) == before && after.at(before.size()) == "[" + kSection.toLatin1() + "]"
               && after.last() == kKey.toLatin1() + "=" + value;
    qsizetype i = 0;
    while (i < before.size() && i < after.size() && before.at(i) == after.at(i))
        ++i;
    if (i == after.size() || !after.at(i).endsWith("=" + value))
        return false;
    if (after.size() == before.size())
        return after.mid(i + 1) == before.mid(i + 1);
    if (after.size() == before.size() + 1)
        return after.at(i) == kKey.toLatin1() + "=" + value && after.mid(i + 1) == before.mid(i);
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > 4096)
        return 0;
    const size_t n = std::min<size_t>(data[0], size - 1);
    QString typed;
    for (size_t i = 0; i < n; ++i)
        typed.append(QChar(char16_t(data[1 + i])));
    const QByteArray ini(reinterpret_cast<const char *>(data + 1 + n), qsizetype(size - 1 - n));

    // Reading whatever is there: a stored value is either refused or scrambles back to itself.
    const QString stored = PasswordStore::iniValue(ini, kSection, kKey);
    try {
        const QString clear = Crypt::UnscrambleFromHex(stored);
        FUZZ_CHECK(clear.size() == stored.size() / 2);
        FUZZ_CHECK(Crypt::ScrambleToHex(clear) == stored.left(clear.size() * 2).toUpper());
    } catch (const Crypt::ConversionError &) {
    }

    // Writing a password into it.
    const QString password = PasswordStore::normalForm(typed);
    FUZZ_CHECK(PasswordStore::normalForm(password) == password);
    const QString value = Crypt::ScrambleToHex(password);
    const QByteArray written = PasswordStore::iniWithValue(ini, kSection, kKey, value);
    FUZZ_CHECK(PasswordStore::iniValue(written, kSection, kKey) == value);
    FUZZ_CHECK(Crypt::UnscrambleFromHex(value) == password);
    FUZZ_CHECK(PasswordStore::iniWithValue(written, kSection, kKey, value) == written);
    FUZZ_CHECK(onlyTheValueChanged(lines(ini), lines(written), value.toLatin1()));

    // The same through the file.
    static QTemporaryDir dir;
    FUZZ_CHECK(dir.isValid());
    const QString path = dir.filePath(PasswordStore::kFileName);
    {
        QFile out(path);
        FUZZ_CHECK(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(out.write(ini) == ini.size());
    }
    try {
        PasswordStore::write(path, password);
        FUZZ_CHECK(PasswordStore::read(path) == password);
    } catch (const PasswordStore::Error &e) {
        std::fprintf(stderr, "%s\n", e.what());
        FUZZ_CHECK(!"the password file could not be written or read back");
    }
    QFile back(path);
    FUZZ_CHECK(back.open(QIODevice::ReadOnly));
    FUZZ_CHECK(back.readAll() == written);
    return 0;
}
