#include "TestFiles.h"
#include "TestRegistry.h"

#include <QTest>

class TestSmoke : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void loads()
    {
        TestEditor t;
        const QString p = t.MakeFile("a.txt", "abc\n");
        QVERIFY(t.App().OpenDocumentFile(p));
        QCOMPARE(t.Text(), QStringLiteral("abc\r\n"));
    }
};
KELVO_TEST(TestSmoke, "Smoke");
#include "tst_Smoke.moc"
