#include "support/TestSupport.h"
#include <QTest>
class TestSmoke : public QObject { Q_OBJECT private slots: void t() { TestWorld w; QVERIFY(!w.folder().isEmpty()); } };
QTEST_MAIN(TestSmoke)
#include "tst_smoke.moc"
