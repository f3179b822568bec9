#include "ui/Icons.h"

#include <QCoreApplication>
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
    // Kept for the whole run and owned by the application, which frees them when it goes.
    static QHash<QString, QSvgRenderer *> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        auto *parsed = new QSvgRenderer(path(name), QCoreApplication::instance());
        QObject::connect(parsed, &QObject::destroyed, [name] { cache.remove(name); });
        it = cache.insert(name, parsed);
    }
    return *it;
}

QPixmap drawnOnce(const QString &key, const QSize &size, qreal dpr, const std::function<void(QPainter &)> &draw)
{
    QPixmap pm;
    if (QPixmapCache::find(key, &pm))
        return pm;
    pm = QPixmap(size * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        draw(p);
    }
    QPixmapCache::insert(key, pm);
    return pm;
}

QPixmap pixmap(const QString &name, const QSize &size, qreal dpr)
{
    const QString key = QStringLiteral("sorrisa:%1:%2x%3@%4").arg(name).arg(size.width()).arg(size.height()).arg(dpr);
    return drawnOnce(key, size, dpr, [&](QPainter &p) {
        p.setRenderHint(QPainter::Antialiasing);
        renderer(name)->render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    });
}

} // namespace Icons
