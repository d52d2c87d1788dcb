// The simulated fleet on the test LAN, reached through the real link.
#include "hoi_core/telnetcomm.h"
#include "simfleet.h"

#include <QSignalSpy>
#include <QtTest>

class TestDevSim : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lanAddresses();
    void hostNames();
    void fleetAnswersOnLan();
    void stateSurvivesSessions();
};

void TestDevSim::initTestCase()
{
    if (qgetenv("HOI_TESTLAN") != "1")
        QSKIP("needs the test LAN (run through ctest)");
}

void TestDevSim::lanAddresses()
{
    QCOMPARE(SimFleet::lanAddress(0).toString(), QString("10.88.1.1"));
    QCOMPARE(SimFleet::lanAddress(249).toString(), QString("10.88.1.250"));
    QCOMPARE(SimFleet::lanAddress(250).toString(), QString("10.88.2.1"));
}

void TestDevSim::hostNames()
{
    SimFleet fleet;
    const QRegularExpression form("^[A-Z0-9]+-[0-9A-F]{12}$");
    QSet<QString> names;
    QSet<QString> types;
    for (int i = 0; i < 20; ++i) {
        const QString name = fleet.hostNameFor(i);
        QVERIFY2(form.match(name).hasMatch(), qPrintable(name));
        names.insert(name);
        types.insert(fleet.modelFor(i).devType);
    }
    QCOMPARE(names.size(), 20);
    QVERIFY(types.contains("TX") && types.contains("RX") && types.size() >= 4);
}

void TestDevSim::fleetAnswersOnLan()
{
    const int count = qEnvironmentVariableIntValue("HOI_TESTLAN_DEVICES");
    SimFleet fleet;
    QVERIFY(fleet.startLan(count));
    QCOMPARE(fleet.hosts().size(), count);

    for (int i = 0; i < count; ++i) {
        const SimFleet::Endpoint e = fleet.endpoints().at(i);
        QCOMPARE(e.address, SimFleet::lanAddress(i));
        QCOMPARE(e.port, quint16(24));
        QCOMPARE(fleet.hosts().at(i).second, e.hostName);

        CTelnetComm link("gb", "1", e.address.toString(), e.port);
        QSignalSpy values(&link, &CBaseComm::OnReadParam);
        QSignalSpy done(&link, &CBaseComm::OnSendQueueReturn);
        link.ReadParam("hostname", 1);
        link.ReadParam("ipaddr", 1);
        QVERIFY(link.OpenComm());
        QVERIFY(done.wait(5000));
        QCOMPARE(done.count(), 1);
        QCOMPARE(values.count(), 2);
        QCOMPARE(values.at(0).at(1).toByteArray(), e.hostName.toUtf8());
        QCOMPARE(values.at(1).at(1).toByteArray(), e.address.toString().toUtf8());
        QCOMPARE(fleet.device(i)->receivedLines(),
                 QList<QByteArray>({ "root", "gbparam g 1 hostname", "gbparam g 1 ipaddr" }));
    }
}

void TestDevSim::stateSurvivesSessions()
{
    SimFleet fleet;
    QVERIFY(fleet.startLan(1));
    SimDevice *dev = fleet.device(0);
    {
        CTelnetComm link("gb", "1", dev->address().toString(), dev->port());
        QSignalSpy done(&link, &CBaseComm::OnSendQueueReturn);
        link.WriteParam("name", "Hall");
        link.SendConfig("--line-in=1 --gain=12 --mute=y");
        link.SaveParam();
        QVERIFY(link.OpenComm());
        QVERIFY(done.wait(5000));
    }
    QCOMPARE(dev->param("name"), QString("Hall"));
    QCOMPARE(dev->config("--line-in=1"), QString("12 - - y"));
    QCOMPARE(dev->saveCount(), 1);

    CTelnetComm link("gb", "1", dev->address().toString(), dev->port());
    QSignalSpy configs(&link, &CBaseComm::OnReadConfig);
    QSignalSpy done(&link, &CBaseComm::OnSendQueueReturn);
    link.ShowConfig("--line-in=1");
    QVERIFY(link.OpenComm());
    QVERIFY(done.wait(5000));
    QCOMPARE(configs.count(), 1);
    QCOMPARE(configs.first().at(1).toByteArray(), QByteArray("12 - - y"));
}

QTEST_GUILESS_MAIN(TestDevSim)
#include "tst_devsim.moc"
