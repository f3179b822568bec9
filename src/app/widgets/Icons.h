#pragma once

#include <QIcon>
#include <QString>

// The program's own artwork, kept as SVG in the resources under ":/icons".
namespace Icons {
QString path(const QString &name); // ":/icons/<name>.svg"
QIcon icon(const QString &name);   // cached
} // namespace Icons
