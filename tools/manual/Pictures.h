#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The pictures of the manual, by the names that the source uses in [[finestra name]].
// Each is taken from the real window, made and filled as a user would fill it, over the
// invented practice in the current program folder.
namespace Pictures {

QStringList names();
// A null image when no picture has that name.
QImage make(const QString &name);

} // namespace Pictures
