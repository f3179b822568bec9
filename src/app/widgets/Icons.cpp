#include "app/widgets/Icons.h"

#include <QHash>

namespace Icons {

QString path(const QString &name) { return QStringLiteral(":/icons/") + name + QStringLiteral(".svg"); }

QIcon icon(const QString &name)
{
    static QHash<QString, QIcon> cache;
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, QIcon(path(name)));
    return *it;
}

} // namespace Icons
