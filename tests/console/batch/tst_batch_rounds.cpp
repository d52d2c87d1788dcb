// The batch dialog's rounds against the simulated fleet: a round ends
// once every device's queue has ended, whatever ended it (an answer, a dead
// or stalled device, lines dropped under it), and names what it waits for.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QtTest>

#include <memory>

#include "batch/dlgbatch.h"
#include "dialogs/dlgdevedit.h"
#include "hoi_core/edidhex.h"
#include "hoi_core/hoidev.h"
#include "hoiwidget/ipaddrwidget.h"
#include "simlan.h"

#include "batchtestsupport.h"
#include "droptestsupport.h"

class TestBatchRounds : public CBatchTest
{
    Q_OBJECT

private slots:
    void failureDetailsNameOffLineDevice();
    void deadDeviceStillOnLineDoesNotStall();
    void resultAfterEveryQueueEnds_data();
    void resultAfterEveryQueueEnds();
    void roundWaitsForLastQueue();
    void refusedCallEndsAtOnce_data();
    void refusedCallEndsAtOnce();
    void droppedLinesFailTheirDevice_data();
    void droppedLinesFailTheirDevice();
};

void TestBatchRounds::failureDetailsNameOffLineDevice()
{
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    // Off line as the on-line check leaves it; no search needed for that.
    Dev(RX2)->m_bOnLine = false;
    const auto restore = qScopeGuard([&] { Dev(RX2)->m_bOnLine = true; });
    m_pLan->ClearReceived();

    W<QPushButton>(dlg, "pbSerialSet_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 2, fail: 1."));
    QVERIFY(dlg.isEnabled());
    // The others were not held up by the dead one.
    for (int i : {RX0, RX1})
        QCOMPARE(Lines(i, {"gbparam s "}), QList<QByteArray>({Param(i, "s0_baudrate", "115200-8n1")}));
    QVERIFY(Lines(RX2).isEmpty());

    const QString deadRow = Dev(RX2)->GetDisplayName() + QLatin1Char('|') + Dev(RX2)->GetDefaultName()
                            + QLatin1Char('|') + Dev(RX2)->GetIPAddr();
    const QStringList onlyDead = {QStringLiteral("Failure details"), deadRow};
    QCOMPARE(DetailRows(dlg, "pbSerialSetDetails"), onlyDead);

    // Every page counts the dead device on its own.
    W<QPushButton>(dlg, "btnOpenMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 2, fail: 1."));
    QCOMPARE(DetailRows(dlg, "pbSinkPowerDetails"), onlyDead);

    // The next run of a page replaces its list.
    Check(dlg, {RX2}, false);
    W<QPushButton>(dlg, "pbSerialSet_apply")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 2, fail: 0."));
    QCOMPARE(DetailRows(dlg, "pbSerialSetDetails"), QStringList({"Failure details"}));
    QCOMPARE(DetailRows(dlg, "pbSinkPowerDetails"), onlyDead);
}

void TestBatchRounds::deadDeviceStillOnLineDoesNotStall()
{
    // Switched off between two on-line checks: the manager still counts it
    // on line, so its line is queued and its link tried again; the others
    // have theirs, and the page ends once that link gives up.
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    m_pLan->SetDeviceOn(RX1, false);
    const auto restore = qScopeGuard([this] { QVERIFY(SetOnLine(RX1, true)); });
    QTRY_VERIFY(!Dev(RX1)->GetComm()->IsConnected());
    QVERIFY(Dev(RX1)->m_bOnLine);
    W<QPushButton>(dlg, "btnCloseMsg")->click();
    QTRY_COMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 2, fail: 1."));
    QVERIFY(dlg.isEnabled());
    for (int i : {RX0, RX2})
        QCOMPARE(Lines(i, {"e e_cec"}), QList<QByteArray>({"e e_cec_system_standby"}));
    QVERIFY(Lines(RX1).isEmpty());
}

void TestBatchRounds::resultAfterEveryQueueEnds_data()
{
    // The page names its result label "lbResult<page>" and its Details
    // button "pb<page>Details".
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("live"); // -1: none
    QTest::addColumn<int>("dead");
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QByteArrayList>("lines"); // what the live device receives
    QTest::addColumn<bool>("stalls"); // the dead device's link stays up and it never answers

    const QByteArray addr = m_pLan->Address(RX0).toString().toLatin1();
    QTest::newRow("IP") << QByteArray("pbIPAddr_apply") << QByteArray("IPAddr") << int(RX0) << int(RX1)
                        << QByteArray("gbparam s")
                        << QByteArrayList({Param(RX0, "ip_mode", "static"), Param(RX0, "ipaddr", addr),
                                           Param(RX0, "netmask", "255.255.0.0"),
                                           Param(RX0, "gatewayip", "0.0.0.0"), Save(RX0)}) << false;
    QTest::newRow("Video") << QByteArray("pbVideo_HDMI_apply") << QByteArray("VideoSet") << int(RX0) << int(RX1)
                           << QByteArray("gbparam s")
                           << QByteArrayList({Param(RX0, "v_output_timing_convert", "0"), Save(RX0)}) << false;
    QTest::newRow("Image") << QByteArray("pbApplyOSDMethod") << QByteArray("Image") << int(RX0) << int(RX1)
                           << QByteArray("gbconfig") << QByteArrayList({"gbconfig --osd-display-method=follow"})
                           << false;
    QTest::newRow("Audio") << QByteArray("pushButtonOK") << QByteArray("Audio") << -1 << int(VS9) << QByteArray()
                           << QByteArrayList() << false;
    QTest::newRow("Serial") << QByteArray("pbSerialSet_apply") << QByteArray("SerialSet") << int(RX0) << int(RX1)
                            << QByteArray("gbparam s")
                            << QByteArrayList({Param(RX0, "s0_baudrate", "115200-8n1"), Save(RX0)}) << false;
    QTest::newRow("Serial, never answered") << QByteArray("pbSerialSet_apply") << QByteArray("SerialSet") << int(RX0)
                                            << int(RX1) << QByteArray("gbparam s")
                                            << QByteArrayList({Param(RX0, "s0_baudrate", "115200-8n1"), Save(RX0)})
                                            << true;
    QTest::newRow("Power") << QByteArray("btnCloseMsg") << QByteArray("SinkPower") << int(RX0) << int(RX1)
                           << QByteArray("e e_cec") << QByteArrayList({"e e_cec_system_standby"}) << false;
    QTest::newRow("EDID") << QByteArray("pbEdidSet_apply") << QByteArray("EdidSet") << int(RX0) << int(RX1)
                          << QByteArray("echo")
                          << QByteArrayList({"echo \"" + EdidSendText(EdidRawHex(TestEdid(128, '\x11'))).toLatin1()
                                             + "\" > /sys/devices/platform/videoip/eeprom_content"}) << false;
    QTest::newRow("Others") << QByteArray("pbOthersCommand_apply") << QByteArray("Others") << int(RX0) << int(RX1)
                            << QByteArray("(sleep") << QByteArrayList({"(sleep 1; reboot) &"}) << false;
    QTest::newRow("Others, factory reset") << QByteArray("pbOthersCommand_apply") << QByteArray("Others") << int(RX0)
                                           << int(RX1) << QByteArray("re")
                                           << QByteArrayList({CHOIDev::kResetLine, CHOIDev::kRebootLine}) << false;
}

void TestBatchRounds::resultAfterEveryQueueEnds()
{
    QFETCH(QByteArray, button);
    QFETCH(QByteArray, page);
    QFETCH(int, live);
    QFETCH(int, dead);
    QFETCH(QByteArray, prefix);
    QFETCH(QByteArrayList, lines);
    QFETCH(bool, stalls);

    // Links closed, as after a reboot once the retries are spent: the lines
    // bring them up, and a device whose shell refuses counts as failed. A
    // device that never answers counts as failed once its link gives up.
    const T_Addresses saved = SaveAddresses();
    CBoxRecorder boxes;
    boxes.Answer(QMessageBox::Yes);
    CDlgBatch dlg;
    const QList<int> devs = live < 0 ? QList<int>({dead}) : QList<int>({live, dead});
    Check(dlg, devs);
    // The IP page gives the two decoders their own addresses.
    W<QIPAddrWidget>(dlg, "edtIPAddr_begin")->SetIPAddress(m_pLan->Address(RX0).toString());
    W<QIPAddrWidget>(dlg, "edtIPAddr_end")->SetIPAddress(m_pLan->Address(RX1).toString());
    W<QCheckBox>(dlg, "cBdevRestart")->setChecked(false);
    W<QLineEdit>(dlg, "lineEdit")->setText(QStringLiteral("120"));
    const bool bReset = lines.contains(CHOIDev::kResetLine);
    W<QComboBox>(dlg, "cmbOthersCommand")->setCurrentIndex(bReset ? 1 : 0);
    for (int i : devs) {
        Dev(i)->SetS0Baudrate(QStringLiteral("9600-8n1"));
        Dev(i)->SetOutputTimingConvert(QStringLiteral("8000005D"));
    }
    const QString strGateway = Dev(dead)->GetGateway();
    Dev(dead)->SetGateway(QStringLiteral("10.77.7.7"));
    for (int i : stalls ? QList<int>() : devs)
        Dev(i)->CloseComm();
    m_pLan->Device(dead)->setRefuseConnections(!stalls);
    m_pLan->Device(dead)->setStallReplies(stalls);
    Dev(dead)->GetComm()->SetCheckerInterval(300);
    const auto restore = qScopeGuard([&] {
        m_pLan->Device(dead)->setRefuseConnections(false);
        m_pLan->Device(dead)->setStallReplies(false);
        Dev(dead)->GetComm()->SetCheckerInterval(CBaseComm::kDefaultCheckerInterval);
        Dev(dead)->SetGateway(strGateway);
        for (int i : devs) {
            Dev(i)->SetS0Baudrate(QStringLiteral("115200-8n1"));
            Dev(i)->SetOutputTimingConvert(QStringLiteral("0"));
        }
        RestoreAddresses(saved);
    });
    W<QPushButton>(dlg, button.constData())->click();
    QVERIFY(Result(dlg, ("lbResult" + page).constData()).startsWith(QLatin1String("is setting ")));
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, ("lbResult" + page).constData()),
                              QStringLiteral("succeed: %1, fail: 1.").arg(devs.size() - 1), 10000);
    QVERIFY(dlg.isEnabled());
    if (live >= 0)
        QCOMPARE(Lines(live, {prefix}), lines);
    const QString deadRow = Dev(dead)->GetDisplayName() + QLatin1Char('|') + Dev(dead)->GetDefaultName()
                            + QLatin1Char('|') + Dev(dead)->GetIPAddr();
    QCOMPARE(DetailRows(dlg, ("pb" + page + "Details").constData()),
             QStringList({QStringLiteral("Failure details"), deadRow}));
    // Only a device that took the serial format, or the output timing,
    // keeps it.
    if (page == "SerialSet") {
        QCOMPARE(Dev(live)->GetS0Baudrate(), QStringLiteral("115200-8n1"));
        QCOMPARE(Dev(dead)->GetS0Baudrate(), QStringLiteral("9600-8n1"));
    }
    if (page == "VideoSet") {
        QCOMPARE(Dev(live)->GetOutputTimingConvert(), QStringLiteral("0"));
        QCOMPARE(Dev(dead)->GetOutputTimingConvert(), QStringLiteral("8000005D"));
    }
    // Nor do the addresses show, in the window opened again or the project.
    if (page == "IPAddr") {
        CDlgDevEdit edit(Dev(dead));
        QCOMPARE(W<QIPAddrWidget>(edit, "edtNetmask_2")->GetIPAddress(), QStringLiteral("10.77.7.7"));
        QVERIFY(ProjectOf(m_pMgr).contains("gatway=\"10.77.7.7\""));
    }
    // The restart ends the session a second later. Only a device that took
    // the reset is renamed when it is seen again.
    if (page == "Others") {
        QTRY_VERIFY_WITH_TIMEOUT(!Dev(live)->GetComm()->IsConnected(), 5000);
        QCOMPARE(m_pMgr->GetResetHostNames(), bReset ? QStringList({Dev(live)->GetHostName()}) : QStringList());
    }
}

void TestBatchRounds::roundWaitsForLastQueue()
{
    // The first device off line, the second on a session that never logs
    // in: once the third has answered, the round names the second alone.
    CDlgBatch dlg;
    Check(dlg, {RX0, RX1, RX2});
    CDropRig rig(m_pMgr, m_pLan, RX1);
    QVERIFY(rig.Hold());
    Dev(RX0)->m_bOnLine = false;
    const auto restore = qScopeGuard([&] { Dev(RX0)->m_bOnLine = true; });
    W<QPushButton>(dlg, "btnCloseMsg")->click();
    QVERIFY(!dlg.isEnabled());
    const QString waiting = QStringLiteral("is setting ") + Dev(RX1)->GetDisplayName();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultSinkPower"), waiting, 10000);
    QVERIFY(!dlg.isEnabled());
    QVERIFY(Dev(RX1)->ClearSendQueue());
    QCOMPARE(Result(dlg, "lbResultSinkPower"), QStringLiteral("succeed: 1, fail: 2."));
    QVERIFY(dlg.isEnabled());
}

void TestBatchRounds::refusedCallEndsAtOnce_data()
{
    QTest::addColumn<bool>("dropInCall");
    QTest::addColumn<QString>("result");
    // Neither CEC nor RS-232 chosen, the device refuses the display power
    // and queues nothing: counted at once.
    QTest::newRow("refused") << false << "succeed: 0, fail: 1.";
    // The call's connection attempt is logged, and a listener of that line
    // drops what was queued before the call queued its own.
    QTest::newRow("earlier line dropped inside the call") << true << "succeed: 1, fail: 0.";
}

void TestBatchRounds::refusedCallEndsAtOnce()
{
    // Either way the end of the line queued before is not the call's own.
    QFETCH(bool, dropInCall);
    QFETCH(QString, result);
    CDlgBatch dlg;
    Check(dlg, {RX0});
    QSignalSpy ends(Dev(RX0), &CHOIDev::OnCmdCompleted);
    if (!dropInCall) {
        QVERIFY(Dev(RX0)->SendCecPower(true));
        QVERIFY(QMetaObject::invokeMethod(&dlg, "slotSinkPowerApply"));
        QCOMPARE(Result(dlg, "lbResultSinkPower"), result);
        QVERIFY(dlg.isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(ends.count(), 1, 10000);
        QCOMPARE(Result(dlg, "lbResultSinkPower"), result);
        return;
    }
    Dev(RX0)->CloseComm();
    QVERIFY(Dev(RX0)->GetComm()->PushSendData("e e_cec_one_touch_play", true));
    auto pDrop = std::make_shared<QMetaObject::Connection>();
    *pDrop = connect(Dev(RX0), &CHOIDev::OnProgressLog, &dlg, [this, pDrop] {
        disconnect(*pDrop);
        QVERIFY(Dev(RX0)->ClearSendQueue());
    });
    W<QPushButton>(dlg, "btnCloseMsg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultSinkPower"), result, 10000);
    QCOMPARE(ends.count(), 2);
    QCOMPARE(Lines(RX0, {"e e_cec"}), QList<QByteArray>({"e e_cec_system_standby"}));
}

void TestBatchRounds::droppedLinesFailTheirDevice_data()
{
    AddDropWayRows();
}

void TestBatchRounds::droppedLinesFailTheirDevice()
{
    QFETCH(int, way);
    // TX4, the last encoder: found again, it keeps its place in the chooser.
    CDropRig rig(m_pMgr, m_pLan, TX4);
    CDlgBatch dlg;
    Check(dlg, {TX3, TX4});
    W<QComboBox>(dlg, "cmbBaudRate_2")->setCurrentText(QStringLiteral("2400"));
    const QPointer<CHOIDev> pDropped = Dev(TX4);
    const auto restore = qScopeGuard([&] {
        Dev(TX3)->SetS0Baudrate(QStringLiteral("115200-8n1"));
        m_pLan->Device(TX3)->setParam(QStringLiteral("s0_baudrate"), QStringLiteral("115200-8n1"));
    });
    QVERIFY(rig.Hold(E_DropWay(way)));
    QSignalSpy liveEnd(Dev(TX3), &CHOIDev::OnCmdCompleted);
    W<QPushButton>(dlg, "pbSerialSet_apply")->click();
    // A search clears every queue still holding lines, the live one's too.
    QTRY_COMPARE_WITH_TIMEOUT(liveEnd.count(), 1, 10000);
    QVERIFY(rig.Drop());
    QTRY_COMPARE_WITH_TIMEOUT(Result(dlg, "lbResultSerialSet"), QStringLiteral("succeed: 1, fail: 1."), 10000);
    QVERIFY(dlg.isEnabled());
    QCOMPARE(rig.Ends(), 1);
    QCOMPARE(Dev(TX3)->GetS0Baudrate(), QStringLiteral("2400-8n1"));
    // What was dropped is not kept by the device it was sent to, unless
    // that device is gone.
    QVERIFY(pDropped.isNull() || pDropped->GetS0Baudrate() != QLatin1String("2400-8n1"));
    QVERIFY(rig.Release());
    Dev(TX4)->SetRetryInterval(200);
    // Nor did it reach the device.
    QVERIFY(m_pLan->Device(TX4)->param(QStringLiteral("s0_baudrate")) != QLatin1String("2400-8n1"));
}

QTEST_MAIN(TestBatchRounds)
#include "tst_batch_rounds.moc"
