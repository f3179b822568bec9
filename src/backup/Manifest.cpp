#include "backup/Manifest.h"

#include "backup/DataFiles.h"

namespace {

const QByteArray kMagic = QByteArrayLiteral("SORRISA-COPIA ");
constexpr int kLayout = 1;
const QByteArray kFirstLine = kMagic + QByteArray::number(kLayout);

QByteArray encoded(const QString &path) { return path.toUtf8().toPercentEncoding("/()-_.,+@"); }

} // namespace

QByteArray Manifest::text() const
{
    QByteArray out = kFirstLine + '\n';
    out += "creata " + created.toString(Qt::ISODate).toLatin1() + '\n';
    for (const Item &item : items) {
        if (item.folder)
            out += "cartella " + encoded(item.path) + '\n';
        else
            out +=
                "file " + QByteArray::number(item.size) + ' ' + item.sha256.toHex() + ' ' + encoded(item.path) + '\n';
    }
    out += "fine " + QByteArray::number(items.size()) + '\n';
    return out;
}

bool Manifest::parse(const QByteArray &text, Manifest *out)
{
    Manifest m;
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 4 || !lines.last().isEmpty())
        return false;
    lines.removeLast();
    if (lines.first() != kFirstLine || !lines.at(1).startsWith("creata "))
        return false;
    m.created = QDateTime::fromString(QString::fromLatin1(lines.at(1).mid(7)), Qt::ISODate);
    if (!m.created.isValid())
        return false;
    bool ok = false;
    const QByteArray &last = lines.last();
    if (!last.startsWith("fine "))
        return false;
    const qint64 count = last.mid(5).toLongLong(&ok);
    if (!ok || count != lines.size() - 3)
        return false;
    for (qsizetype i = 2; i < lines.size() - 1; ++i) {
        const QList<QByteArray> parts = lines.at(i).split(' ');
        Item item;
        if (parts.size() == 2 && parts.at(0) == "cartella") {
            item.folder = true;
            item.path = QString::fromUtf8(QByteArray::fromPercentEncoding(parts.at(1)));
            if (!item.path.endsWith(QLatin1Char('/')))
                return false;
        } else if (parts.size() == 4 && parts.at(0) == "file") {
            item.size = parts.at(1).toLongLong(&ok);
            item.sha256 = QByteArray::fromHex(parts.at(2));
            item.path = QString::fromUtf8(QByteArray::fromPercentEncoding(parts.at(3)));
            if (!ok || item.size < 0 || item.sha256.size() != 32 || parts.at(2).size() != 64
                || item.path.endsWith(QLatin1Char('/')))
                return false;
        } else {
            return false;
        }
        if (!DataFiles::isSafeRelative(item.path))
            return false;
        m.items.append(item);
    }
    *out = std::move(m);
    return true;
}

bool Manifest::isNewerLayout(const QByteArray &text)
{
    if (!text.startsWith(kMagic))
        return false;
    bool ok = false;
    const int layout = text.mid(kMagic.size(), text.indexOf('\n') - kMagic.size()).toInt(&ok);
    return ok && layout > kLayout;
}

qint64 Manifest::sizeOf(const QString &path) const
{
    for (const Item &item : items)
        if (!item.folder && item.path == path)
            return item.size;
    return -1;
}
