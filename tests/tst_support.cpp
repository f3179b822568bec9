#include "support/TestSupport.h"

#include "ui/ListOnlyCombo.h"
#include "ui/FixedList.h"
#include "ui/HintStrip.h"
#include "ui/LinkLabel.h"
#include "ui/ListPage.h"
#include "ui/PictureButton.h"

#include <QAbstractButton>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The test support itself: what a test that goes wrong still leaves standing.
class TestSupport : public QObject
{
    Q_OBJECT

    // A control the window does not have fails the one check and gives a control of the
    // asked type that the test can go on using.
    template <class T> void missing()
    {
        QWidget window;
        window.setObjectName(QStringLiteral("frmProva"));
        QEXPECT_FAIL("", "the window has no such control", Continue);
        T *c = control<T>(&window, "nessuno");
        QVERIFY(c);
        QVERIFY(c->parent() != &window);
        QVERIFY(c->objectName() != QLatin1String("nessuno"));
        // The same stand-in each time, never a second object per call.
        QEXPECT_FAIL("", "the window has no such control", Continue);
        QCOMPARE(control<T>(&window, "nessuno"), c);
    }

private slots:
    void missingControlOfEveryKindFailsTheTestOnly()
    {
        missing<QWidget>();
        missing<QLabel>();
        missing<QLineEdit>();
        missing<QComboBox>();
        missing<QPushButton>();
        missing<QAbstractButton>();
        missing<QCalendarWidget>();
        missing<PictureButton>();
        missing<FixedList>();
        missing<ListBanner>();
        missing<HintStrip>();
        missing<LinkLabel>();
        missing<ListOnlyCombo>();
    }

    void presentControlIsTheWindowsOwn()
    {
        QWidget window;
        auto *b =
            new PictureButton(QStringLiteral("cmdProva"), QStringLiteral("new"), QStringLiteral("Prova"), &window);
        QCOMPARE(control<PictureButton>(&window, "cmdProva"), b);
        QCOMPARE(control<QWidget>(&window, "cmdProva"), b);
    }
};

QTEST_MAIN(TestSupport)
#include "tst_support.moc"
