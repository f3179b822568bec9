#include <QTest>
#include <QWidget>

template<class T>
T *control(QWidget *window, const char *name)
{
    T *found = window->findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qWarning("control %s not found in %s", name, qPrintable(window->objectName()));
    return found;
}
