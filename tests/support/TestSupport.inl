#include <QByteArray>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <type_traits>

namespace TestSupportDetail {

template <class> inline constexpr bool kNoStandIn = false;

// A control of type T made alone, standing in for one that is missing: the program's own
// controls take their object name and texts first. A type that cannot be made here does
// not compile, so no missing control can end the whole run.
template <class T> T *standIn()
{
    const QString none;
    if constexpr (std::is_default_constructible_v<T>)
        return new T;
    else if constexpr (std::is_base_of_v<T, QPushButton>) // QAbstractButton and the like
        return new QPushButton;
    else if constexpr (std::is_constructible_v<T, QString, QString, QString, QString, QWidget *>)
        return new T(none, none, none, none, nullptr); // ListBanner
    else if constexpr (std::is_constructible_v<T, QString, QString, QString>)
        return new T(none, none, none); // PictureButton
    else if constexpr (std::is_constructible_v<T, QString, QStringList>)
        return new T(none, QStringList()); // ListOnlyCombo
    else if constexpr (std::is_constructible_v<T, QString, QString>)
        return new T(none, none); // FixedList, HintStrip, LinkLabel, WorkWindow
    else if constexpr (std::is_constructible_v<T, QWidget *>)
        return new T(static_cast<QWidget *>(nullptr)); // dialogs
    else
        static_assert(kNoStandIn<T>, "control<T>: teach standIn() to make this type");
}

} // namespace TestSupportDetail

template <class T> T *control(QWidget *window, const char *name)
{
    T *found = window ? window->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    if (found)
        return found;
    const QByteArray message = QByteArray("control ") + name + " not found in "
                               + (window ? window->objectName().toUtf8() : QByteArray("no window"));
    QTest::qFail(message.constData(), __FILE__, __LINE__);
    // The test has failed already: a stand-in keeps the caller's next steps from crashing
    // the whole run, so the other tests still run. One per type, kept for the run.
    static T *const standIn = TestSupportDetail::standIn<T>();
    return standIn;
}
