#include "ui/Icons.h"

#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QSvgRenderer>

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

QSvgRenderer *renderer(const QString &name)
{
    static QHash<QString, QSvgRenderer *> cache; // kept for the whole run
    auto it = cache.find(name);
    if (it == cache.end())
        it = cache.insert(name, new QSvgRenderer(path(name)));
    return *it;
}

QPixmap pixmap(const QString &name, const QSize &size, qreal dpr)
{
    const QString key = QStringLiteral("sorrisa:%1:%2x%3@%4").arg(name).arg(size.width()).arg(size.height()).arg(dpr);
    QPixmap pm;
    if (QPixmapCache::find(key, &pm))
        return pm;
    pm = QPixmap(size * dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        renderer(name)->render(&p);
    }
    pm.setDevicePixelRatio(dpr);
    QPixmapCache::insert(key, pm);
    return pm;
}

} // namespace Icons
