#include <QByteArray>
#include <QTest>
#include <QWidget>

#include <type_traits>

template<class T>
T *control(QWidget *window, const char *name)
{
    T *found = window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    if (found)
        return found;
    const QByteArray message = QByteArray("control ") + name + " not found in "
                               + (window ? window->objectName().toUtf8() : QByteArray("no window"));
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    if constexpr (std::is_default_constructible_v<T>) {
        // The test has failed already: a stand-in keeps the caller's next steps from crashing
        // the whole run, so the other tests still run.
        static T *standIn = new T;
        return standIn;
    } else {
        qFatal("%s", message.constData());
    }
}
