// CheckDevInfoFile refuses exactly what ImportDevInfoFile refuses, and
// neither adds anything for a refused file.
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "hoi_core/hoidevmgr.h"

class TestProjectCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void checkAgreesWithLoader_data();
    void checkAgreesWithLoader();
    void missingFileRefused();

private:
    QString Write(const QString &name, const QByteArray &content);

    QTemporaryDir m_dir;
};

void TestProjectCheck::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestProjectCheck::Write(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        return QString();
    return path;
}

void TestProjectCheck::checkAgreesWithLoader_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("bAccepted");

    const QByteArray good = "<?xml version=\"1.0\"?>\n<hoi ver=\"1.0\" custom_multicast_ip=\"0\">\n"
                            "<devices><item host_name=\"ZRX-000000000001\"/></devices>\n"
                            "<scenes/><schedules/>\n</hoi>\n";
    QTest::newRow("project") << good << true;
    QTest::newRow("empty root") << QByteArray("<hoi/>") << true;
    QTest::newRow("cut off at the end") << good.left(good.size() - 8) << false;
    QTest::newRow("foreign root") << QByteArray("<hoiprod><product id=\"X\"/></hoiprod>") << false;
    QTest::newRow("empty file") << QByteArray() << false;
    QTest::newRow("not xml") << QByteArray("PK\x03\x04 binary") << false;
    QTest::newRow("broken in the middle")
        << QByteArray("<hoi><devices><item host_name=\"A\"></devices></hoi>") << false;

    // Nothing of the format lies deeper than a wall processor's device.
    const QByteArray deepest = "<hoi><videowalls><item><layouts><item><compositescreens><item><vpdevices>"
                               "<item%1</vpdevices></item></compositescreens></item></layouts></item>"
                               "</videowalls></hoi>";
    QTest::newRow("as deep as the format") << QByteArray(deepest).replace("%1", "/>") << true;
    QTest::newRow("one level deeper") << QByteArray(deepest).replace("%1", "><x/></item>") << false;
    QTest::newRow("deeply nested") << "<hoi>" + QByteArray("<x>").repeated(5000) + QByteArray("</x>").repeated(5000)
                                          + "</hoi>"
                                   << false;
}

void TestProjectCheck::checkAgreesWithLoader()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, bAccepted);
    const QString path = Write(QString::fromLatin1(QTest::currentDataTag()) + ".hoi", content);
    QVERIFY(!path.isEmpty());

    QCOMPARE(CHOIDevMgr::CheckDevInfoFile(path), bAccepted);

    CHOIDevMgr mgr;
    mgr.SetOnLineTimings(-1, 5000);
    QCOMPARE(mgr.ImportDevInfoFile(path), bAccepted);
    if (!bAccepted) {
        QCOMPARE(mgr.GetDevCount(), 0);
        QCOMPARE(mgr.GetSceneCount(), 0);
    }
}

void TestProjectCheck::missingFileRefused()
{
    QVERIFY(!CHOIDevMgr::CheckDevInfoFile(m_dir.filePath("none.hoi")));
    QVERIFY(!CHOIDevMgr::CheckDevInfoFile(m_dir.path())); // a folder
}

QTEST_GUILESS_MAIN(TestProjectCheck)
#include "tst_projectcheck.moc"
