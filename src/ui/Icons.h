#pragma once

#include <QIcon>
#include <QString>

#include <functional>

class QPainter;
class QPixmap;
class QSize;
class QSvgRenderer;

// The program's own artwork, kept as SVG in the resources under ":/icons".
namespace Icons {
QString path(const QString &name); // ":/icons/<name>.svg"
QIcon icon(const QString &name);   // cached
// The parsed picture, shared by every control that draws it: windows opened anew at each use
// do not read and parse their artwork again.
QSvgRenderer *renderer(const QString &name);
// The picture drawn at a size for a device pixel ratio, cached.
QPixmap pixmap(const QString &name, const QSize &size, qreal dpr);
// A picture drawn once by `draw` (in logical pixels, on a transparent ground) and then kept
// in the pixmap cache under `key`.
QPixmap drawnOnce(const QString &key, const QSize &size, qreal dpr, const std::function<void(QPainter &)> &draw);
} // namespace Icons
