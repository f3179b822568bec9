#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class Windows;

// The pictures of the manual, by the names that the source uses in [[finestra name]].
// Each is taken from the real window, made and filled as a user would fill it, over the
// invented practice in the current program folder, from the given window set.
namespace Pictures {

QStringList names();
// A null image when no picture has that name.
QImage make(Windows &windows, const QString &name);

} // namespace Pictures
