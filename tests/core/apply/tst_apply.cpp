// Applying layouts to simulated devices in the private test LAN: what every
// device receives, in order; the count of completions with its progress, log
// and status; the resynchronisation datagrams; and that a stalled device or
// an abort cannot leave the apply hanging.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "simlan.h"
#include "simresync.h"

#include <QCoreApplication>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {

// TXP/RXP wait for their completion; HTX/HRX are "hisi" products whose wall
// steps are kept for after the apply. HRX selects audio by parameter.
const char* const kConfig = R"(<?xml version="1.0"?>
<hoiprod>
 <product id="TXP" name="Enc" type="tx" param_prefix="gb" video_wall="RXP|HRX" vw_multi_tx="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="RXP" name="Dec" type="rx" param_prefix="gb" tx="TXP|HTX" video_wall="TXP|HTX" vw_multi_tx="true" hisi_enable="false" jpeg_enable="false"/>
 <product id="HTX" name="HEnc" type="tx" param_prefix="gb" video_wall="RXP|HRX" vw_multi_tx="true" hisi_enable="true" jpeg_enable="false"/>
 <product id="HRX" name="HDec" type="rx" param_prefix="gb" tx="TXP|HTX" video_wall="TXP|HTX" vw_multi_tx="true" hisi_enable="true" jpeg_enable="true"/>
 <product id="GWP" name="Gw" type="gw" param_prefix="gb"/>
</hoiprod>
)";

enum { A, X, Y, B, H0, H1, HR, DEV_COUNT };
const char* const kModels[DEV_COUNT] = {"TXP", "RXP", "RXP", "TXP", "HTX", "HTX", "HRX"};
const char* const kTypes[DEV_COUNT] = {"TX", "RX", "RX", "TX", "TX", "TX", "RX"};

typedef QList<QByteArray> Lines;

QByteArray Param(const QString& name, const QString& value)
{
    return QString("gbparam s 1 %1 %2").arg(name, value).toUtf8();
}

QByteArray Event(const QString& event)
{
    return QString("e 1 %1").arg(event).toUtf8();
}

const QByteArray kSave = "gbparam save 1";

QStringList Texts(const QSignalSpy& spy, int arg = 0)
{
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts.append(args.at(arg).toString());
    return texts;
}

} // namespace

class TestApply : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void oneTxTwoRx();
    void synchronousCompletionIsCounted();
    void stalledRxEndsWithErrors();
    void customMulticastTakesFreeAddress();
    void rowModeWallPreparesEveryEncoder();
    void stoppedWallRowKeepsPositions();
    void keptWallStepAnsweredBeforeStatus_data();
    void keptWallStepAnsweredBeforeStatus();
    void wholeWallEvents();
    void halfFilledCells();
    void devSetupEventsInOrder();
    void leaveWallAndStopLink();
    void partialRoadsKeepLayoutStatus_data();
    void partialRoadsKeepLayoutStatus();
    void abortApply();
    void abortEndsOtherLayoutsLines();
    void failedApplyLeavesNoResyncBehind();
    void hisiWallEncoderAddressKnownToDecoders();
    void virtualTxIsNotWaitedFor();
    void refusedSourceLineFailsDecoder();
    void refusedLoginEndsEveryApply();
    void decoderGoneOffLineEndsApply();

private:
    CHOIScene* NewScene(const QString& name, int rows, int cols);
    CHOIScene* OneCell(const QString& name, int tx, int rx);
    QString Id(int i) { return m_dev[i]->GetMacId(); }
    QString Name(int i) const { return m_dev[i]->GetDisplayName(); }
    Lines TxLines(int i, const QString& scene, int rows, int cols, const QString& mcast = QString());
    Lines SceneParams(int i, const QString& scene, int rows, int cols, int row = -1, int col = -1);
    Lines Cmds(int i) const { return m_lan.Commands(i); }
    void ShortenTimings(int i);
    QList<QByteArray> Datagrams() const;

    CSimLan m_lan;
    CSimResync m_resync;
    CHOIDevMgr* m_mgr = nullptr;
    CHOIDev* m_dev[DEV_COUNT] = {};
    QList<CHOIScene*> m_scenes;
    bool m_bStallRouting = false;
};

void TestApply::initTestCase()
{
    QVERIFY2(CSimLan::IsTestLan(), "run me with tests/lan/testlan.sh");
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    QFile file(QCoreApplication::applicationDirPath() + "/config.xml");
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(kConfig);
    file.close();

    for (int i = 0; i < DEV_COUNT; ++i)
        QVERIFY(m_lan.AddDevice(CSimLan::HostNameFor(kModels[i], i), kTypes[i]));
    QVERIFY(m_lan.Start());
    QVERIFY(m_resync.Start(m_lan.Address(0)));

    m_mgr = new CHOIDevMgr;
    m_mgr->SetOnLineTimings(-1, 5000);
    m_mgr->SetSearchRoundInterval(100);
    QVERIFY(m_mgr->LoadProdConfig());
    QSignalSpy stop(m_mgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_mgr->StartSearch(false));
    QVERIFY(stop.wait(30000));
    QCOMPARE(stop.at(0).at(0).toInt(), int(DEV_COUNT));
    for (int i = 0; i < DEV_COUNT; ++i) {
        m_dev[i] = m_mgr->FindDevByHostName(CSimLan::HostNameFor(kModels[i], i));
        QVERIFY(m_dev[i]);
    }
    QCOMPARE(m_dev[A]->GetDevType(), CHOIDev::E_DT_TX);
    QCOMPARE(m_dev[HR]->GetDevType(), CHOIDev::E_DT_RX);
}

void TestApply::cleanupTestCase()
{
    delete m_mgr;
}

void TestApply::init()
{
    m_lan.ClearReceived();
    // Datagrams sent at the end of the previous test's last apply belong to
    // that test: take them in before they are dropped.
    QTest::qWait(20);
    m_resync.Clear();
}

void TestApply::cleanup()
{
    m_bStallRouting = false;
    for (int i = 0; i < DEV_COUNT; ++i) {
        m_lan.Device(i)->setStallReplies(false);
        m_lan.Device(i)->setPassword(QString());
        m_lan.Device(i)->setKeepRefusedSession(false);
        m_lan.Device(i)->setRefuseConnections(false);
        m_lan.Discovery().SetDeviceOn(i, true);
        // Lines a failed apply left queued must not reach the next test.
        if (CBaseComm* pComm = m_dev[i]->GetComm()) {
            pComm->ClearSendQueue();
            pComm->SetCheckerInterval(CBaseComm::kDefaultCheckerInterval);
        }
        m_dev[i]->SetRetryInterval(3000);
        m_dev[i]->m_eCommType = CHOIDev::E_CT_TELNET;
    }
    qDeleteAll(m_scenes);
    m_scenes.clear();
    m_mgr->m_bCustomMulticastIP = false;
    m_mgr->SetOnLineTimings(-1, 3600000);
}

CHOIScene* TestApply::NewScene(const QString& name, int rows, int cols)
{
    CHOIScene* pScene = new CHOIScene(m_mgr, name);
    pScene->SetGridSize(rows, cols);
    m_scenes.append(pScene);
    return pScene;
}

CHOIScene* TestApply::OneCell(const QString& name, int tx, int rx)
{
    CHOIScene* pScene = NewScene(name, 1, 1);
    pScene->GetCell(0, 0)->txList << m_dev[tx];
    pScene->GetCell(0, 0)->rx = m_dev[rx];
    return pScene;
}

void TestApply::ShortenTimings(int i)
{
    m_dev[i]->SetRetryInterval(100);
    if (CBaseComm* pComm = m_dev[i]->GetComm())
        pComm->SetCheckerInterval(300);
}

Lines TestApply::SceneParams(int i, const QString& scene, int rows, int cols, int row, int col)
{
    Lines lines;
    // The names here hold no character but the blank that needs encoding.
    lines << Param("scene", QString(scene).replace(' ', "%20"))
          << Param("name", Name(i).replace(' ', "%20"))
          << Param("s_row_count", QString::number(rows)) << Param("s_col_count", QString::number(cols));
    if (row >= 0)
        lines << Param("s_row", QString::number(row)) << Param("s_col", QString::number(col));
    return lines;
}

Lines TestApply::TxLines(int i, const QString& scene, int rows, int cols, const QString& mcast)
{
    Lines lines;
    lines << Param("multicast_on", "y");
    if (!mcast.isEmpty())
        lines << Param("multicast_ip", mcast);
    lines << Param("hostnamebydipswitch", "n") << SceneParams(i, scene, rows, cols)
          << Event("e_chg_hostname") << Param("reset_ch_on_boot", "n") << kSave;
    return lines;
}

QList<QByteArray> TestApply::Datagrams() const
{
    QList<QByteArray> payloads;
    for (const T_SimResyncMsg& msg : m_resync.Messages())
        payloads.append(msg.payload);
    return payloads;
}

void TestApply::oneTxTwoRx()
{
    CHOIScene* s = NewScene("Main Hall", 1, 2);
    s->GetCell(0, 0)->txList << m_dev[A];
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(0, 1)->txList << m_dev[A];
    s->GetCell(0, 1)->rx = m_dev[Y];
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QSignalSpy progress(s, &CHOIScene::OnProgressNotify);
    QSignalSpy relayed(m_mgr, &CHOIDevMgr::OnSceneStatusChange);

    QVERIFY(s->Apply(1));
    QCOMPARE(s->GetPendingTotal(), 3);
    QCOMPARE(s->GetApplyMode(), 1);
    QVERIFY(s->IsApplying());
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QCOMPARE(s->GetLastStatus(), E_SS_APPLIED);
    QCOMPARE(s->GetApplyMode(), 0);
    QCOMPARE(relayed.count(), 0); // a layout of its own, not the manager's

    QList<int> values;
    for (const QList<QVariant>& args : qAsConst(progress))
        values << args.at(1).toInt();
    QCOMPARE(values, QList<int>() << 1 << 33 << 66 << 100 << 100);
    QCOMPARE(progress.first().at(0).value<E_ProgressNotify>(), E_PN_APPLY);
    QCOMPARE(progress.last().at(0).value<E_ProgressNotify>(), E_PN_NONE);

    const QStringList lines = Texts(log);
    QCOMPARE(lines.first(), QString("Apply scene ..."));
    QStringList applied = lines.mid(1, 3);
    applied.sort();
    QStringList expected{QString("Device('%1') is applied.").arg(Name(A)),
                         QString("Device('%1') is applied.").arg(Name(X)),
                         QString("Device('%1') is applied.").arg(Name(Y))};
    expected.sort();
    QCOMPARE(applied, expected);
    const QString both = m_dev[X]->GetHostName() + ' ' + m_dev[Y]->GetHostName() + ' ';
    QCOMPARE(lines.mid(4), QStringList() << QString("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(both)
                                         << QString("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(both)
                                         << "Scene('Main Hall') is applied.");

    QCOMPARE(Cmds(A), TxLines(A, "Main Hall", 1, 2));
    for (int rx : {X, Y}) {
        Lines want;
        want << "gbset -vi  1 " + Id(A).toUtf8() << "gbconfig --source-select " + Id(A).toUtf8()
             << SceneParams(rx, "Main Hall", 1, 2, 0, rx == X ? 0 : 1)
             << Param("hostnamebydipswitch", "n") << Param("multicast_on", "y")
             << Param("ch_select", Id(A)) << Param("reset_ch_on_boot", "n")
             << Param("en_video_wall", "n") << Event("e_vw_moninfo_0_0_0_0")
             << Event("e_vw_enable_0_0_0_0") << kSave;
        QCOMPARE(Cmds(rx), want);
    }
    QCOMPARE(Cmds(B), Lines());
    QVERIFY(Cmds(A).contains("gbparam s 1 scene Main%20Hall"));

    // Two messages, each from both source addresses of the console.
    const QByteArray first = "msg_b_reconnect " + m_dev[X]->GetHostName().toUtf8() + ' ';
    const QByteArray second = "msg_b_reconnect " + both.toUtf8();
    QTRY_COMPARE(Datagrams().size(), 4);
    QCOMPARE(Datagrams().first(), first);
    QCOMPARE(Datagrams().count(first), 2);
    QCOMPARE(Datagrams().count(second), 2);
}

void TestApply::synchronousCompletionIsCounted()
{
    // A link that is connected and idle sends the first queued line at once;
    // a device that reports its end from there does so inside the apply step.
    QTRY_VERIFY(m_dev[A]->GetComm() && m_dev[A]->GetComm()->IsConnected());
    CHOIScene* s = NewScene("Sync", 1, 1);
    s->GetCell(0, 0)->txList << m_dev[A];
    s->GetCell(0, 0)->rx = m_dev[X];
    bool bInApply = false;
    bool bFiredInApply = false;
    CHOIDev* pTx = m_dev[A];
    QMetaObject::Connection conn = connect(pTx, &CHOIDev::OnSendData, this, [&]() {
        disconnect(conn);
        bFiredInApply = bInApply;
        emit pTx->OnCmdCompleted(pTx, E_CO_DEV, E_CR_FAILED);
    });
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QSignalSpy progress(s, &CHOIScene::OnProgressNotify);
    bInApply = true;
    QVERIFY(s->Apply(1));
    bInApply = false;
    QVERIFY(bFiredInApply);
    QCOMPARE(s->GetPendingTotal(), 2);
    QCOMPARE(s->GetPendingDevCount(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    QCOMPARE(Texts(log), QStringList() << "Apply scene ..."
                                       << QString("Device('%1') fails to be applied.").arg(Name(A))
                                       << QString("Device('%1') is applied.").arg(Name(X))
                                       << "Scene('Sync') is applied with errors encountered.");
    QList<int> values;
    for (const QList<QVariant>& args : qAsConst(progress))
        values << args.at(1).toInt();
    QCOMPARE(values, QList<int>() << 1 << 100 << 100);
    // The encoder's own end, later, is no longer waited for.
    QTRY_COMPARE(Cmds(A).size(), TxLines(A, "Sync", 1, 1).size());
    QTest::qWait(200);
    QCOMPARE(status.count(), 1);
}

void TestApply::stalledRxEndsWithErrors()
{
    for (int i : {A, X, Y})
        ShortenTimings(i);
    m_lan.Device(Y)->setStallReplies(true);
    CHOIScene* s = NewScene("Stall", 1, 2);
    s->GetCell(0, 0)->txList << m_dev[A];
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(0, 1)->txList << m_dev[A];
    s->GetCell(0, 1)->rx = m_dev[Y];
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);

    QVERIFY(s->Apply(1));
    // The link's time-out and retries end it; the layout has no timer.
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    const QStringList lines = Texts(log);
    QCOMPARE(lines.count(QString("Device('%1') fails to be applied.").arg(Name(Y))), 1);
    QCOMPARE(lines.count(QString("Device('%1') is applied.").arg(Name(X))), 1);
    QCOMPARE(lines.last(), QString("Scene('Stall') is applied with errors encountered."));
    QVERIFY(!s->IsApplying());
    // No resynchronisation after errors.
    QTest::qWait(300);
    QVERIFY(Datagrams().isEmpty());
    QVERIFY(Cmds(Y).size() >= 1);
}

void TestApply::customMulticastTakesFreeAddress()
{
    m_mgr->m_bCustomMulticastIP = true;
    m_dev[A]->m_strMulticastIP = "225.0.100.1";
    m_dev[B]->m_strMulticastIP = "225.0.100.1";
    for (int i : {H0, H1})
        m_dev[i]->m_strMulticastIP = "225.0.100.7";
    CHOIScene* s = NewScene("Mcast", 1, 2);
    s->GetCell(0, 0)->txList << m_dev[A];
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(0, 1)->txList << m_dev[B];
    s->GetCell(0, 1)->rx = m_dev[Y];
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QCOMPARE(m_dev[A]->m_strMulticastIP, QString("225.0.100.2"));
    QCOMPARE(m_dev[B]->m_strMulticastIP, QString("225.0.100.1"));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QCOMPARE(Cmds(A), TxLines(A, "Mcast", 1, 2, "225.0.100.2"));
    QCOMPARE(Cmds(B), TxLines(B, "Mcast", 1, 2, "225.0.100.1"));
    // A decoder outside a wall is not told the address.
    for (const QByteArray& line : Cmds(X))
        QVERIFY(!line.contains("multicast_ip"));

    // With the switch clear nothing is checked or sent.
    m_mgr->m_bCustomMulticastIP = false;
    m_dev[B]->m_strMulticastIP = "225.0.100.2";
    m_lan.ClearReceived();
    QVERIFY(s->Apply(1));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 20000);
    QCOMPARE(m_dev[B]->m_strMulticastIP, QString("225.0.100.2"));
    QCOMPARE(Cmds(B), TxLines(B, "Mcast", 1, 2));
}

void TestApply::rowModeWallPreparesEveryEncoder()
{
    // Two "hisi" encoders, one per row: both are prepared after the apply,
    // each once, with its own row; the hisi decoder is finished once.
    CHOIScene* s = NewScene("Rows", 2, 1);
    s->GetCell(0, 0)->txList << m_dev[H0];
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(1, 0)->txList << m_dev[H1];
    s->GetCell(1, 0)->rx = m_dev[HR];
    T_VideoWallInfo w;
    w.mode = 1;
    w.row_count = 2;
    w.col_count = 1;
    w.ow = 1940;
    w.oh = 1100;
    w.vw = 1920;
    w.vh = 1080;
    w.name = "Tall";
    QVERIFY(s->AddVideoWall(&w));
    QCOMPARE(s->CellAt(1, 0)->txList, QList<CHOIDev*>() << m_dev[H1]);

    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    // The two decoders, the hisi one twice (its kept steps are waited for
    // too); hisi encoders are not waited for.
    QCOMPARE(s->GetPendingTotal(), 3);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);

    auto identity = [&](int row) {
        return Lines() << Param("s_vw_name", "Tall") << Param("s_vw_mode", "1")
                       << Param("s_vw_pos_row", "0") << Param("s_vw_pos_col", "0")
                       << Param("s_vw_row_count", "2") << Param("s_vw_col_count", "1")
                       << Param("s_vw_row", QString::number(row));
    };
    const Lines setup = Lines() << Event("e_vw_v_shift_d_0") << Event("e_vw_h_shift_r_0")
                                << Event("e_vw_h_scale_0") << Event("e_vw_v_scale_0")
                                << Event("e_vw_delay_kick_0");
    const Lines wantH0 = TxLines(H0, "Rows", 2, 1) + identity(0);
    const Lines wantH1 = TxLines(H1, "Rows", 2, 1) + identity(1);
    Lines wantHR;
    wantHR << "gbset -vi  1 " + Id(H1).toUtf8() << Param("source_select_audio", Id(H1))
           << Event("e_vw_moninfo_1920_1940_1080_1100") << Event("e_vw_enable_1_0_0_0")
           << SceneParams(HR, "Rows", 2, 1, 1, 0) << Param("hostnamebydipswitch", "n")
           << Param("en_video_wall", "y") << Param("s_vw_name", "Tall") << Param("multicast_on", "y")
           << Param("ch_select", Id(H1)) << Param("reset_ch_on_boot", "n")
           << Event("e_vw_pos_layout_1_0") << Event("e_vw_refresh_pos_idx_1_0") << setup << kSave;
    QTRY_COMPARE(Cmds(H0).size(), wantH0.size());
    QTRY_COMPARE(Cmds(H1).size(), wantH1.size());
    QTRY_COMPARE(Cmds(HR).size(), wantHR.size());
    QTest::qWait(300); // nothing more may follow
    QCOMPARE(Cmds(H0), wantH0);
    QCOMPARE(Cmds(H1), wantH1);
    QCOMPARE(Cmds(HR), wantHR);

    Lines wantX;
    wantX << SceneParams(X, "Rows", 2, 1, 0, 0) << Param("hostnamebydipswitch", "n")
          << Param("en_video_wall", "y") << Param("s_vw_name", "Tall") << Param("multicast_on", "y")
          << Param("ch_select", Id(H0)) << "gbset -vi  1 " + Id(H0).toUtf8()
          << "gbconfig --source-select " + Id(H0).toUtf8() << Param("reset_ch_on_boot", "n")
          << Event("e_vw_pos_layout_1_0") << Event("e_vw_moninfo_1920_1940_1080_1100")
          << Event("e_vw_enable_1_0_0_0") << Event("e_vw_refresh_pos_idx_0_0") << setup << kSave;
    QCOMPARE(Cmds(X), wantX);

    const QString rxs = m_dev[X]->GetHostName() + ' ' + m_dev[HR]->GetHostName() + ' ';
    QVERIFY(Texts(log).contains(QString("castVWSwitchRX: msg_b_reconnect VW ('%1')").arg(rxs)));
    QTRY_COMPARE(Datagrams().size(), 2);
    QCOMPARE(Datagrams().first(), "msg_b_reconnect " + rxs.toUtf8());
}

void TestApply::stoppedWallRowKeepsPositions()
{
    // A 2 x 3 row-mode wall at (1, 1) whose second row has no encoder.
    CHOIScene* s = NewScene("Stopped", 3, 4);
    s->GetCell(1, 1)->txList << m_dev[A];
    s->GetCell(1, 1)->rx = m_dev[X];
    s->GetCell(2, 1)->rx = m_dev[Y];
    s->GetCell(2, 3)->rx = m_dev[HR];
    T_VideoWallInfo w{1, 1, 1, 2, 3}; // mode, top-left row and column, rows, columns
    QVERIFY(s->AddVideoWall(&w));
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    auto enables = [&](int i) {
        Lines lines;
        for (const QByteArray& line : Cmds(i)) {
            if (line.contains("e_vw_enable_"))
                lines << line;
        }
        return lines;
    };
    QCOMPARE(enables(Y), Lines() << Event("e_vw_enable_1_2_1_0"));
    QCOMPARE(enables(HR), Lines() << Event("e_vw_enable_1_2_1_2"));
}

void TestApply::keptWallStepAnsweredBeforeStatus_data()
{
    QTest::addColumn<bool>("bStalls");
    QTest::addColumn<bool>("bQueued");
    QTest::addColumn<QString>("lastLog");
    QTest::newRow("answers") << false << true << "Scene('Kept') is applied.";
    QTest::newRow("stalls") << true << true << "Scene('Kept') is applied with errors encountered.";
    // As a decoder that cannot be connected during the apply.
    QTest::newRow("cannot be queued") << false << false << "Scene('Kept') fails to be applied.";
}

void TestApply::keptWallStepAnsweredBeforeStatus()
{
    QFETCH(bool, bStalls);
    QFETCH(bool, bQueued);
    QFETCH(QString, lastLog);
    // A 2 x 2 wall whose hisi decoder stalls on its routing line, which is
    // one of the steps kept for after the other devices have answered.
    SimDevice* pHR = m_lan.Device(HR);
    pHR->addCommandHandler([this](SimDevice& dev, SimCommand& cmd) {
        if (!m_bStallRouting || !cmd.line.contains("ch_select"))
            return false;
        dev.setStallReplies(true);
        cmd.prompt = false;
        return true;
    });
    m_bStallRouting = bStalls;
    m_dev[HR]->GetComm()->SetCheckerInterval(1000);
    CHOIScene* s = NewScene("Kept", 2, 2);
    s->GetCell(0, 0)->txList << m_dev[A];
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(0, 1)->rx = m_dev[Y];
    s->GetCell(1, 0)->rx = m_dev[HR];
    T_VideoWallInfo w{0, 0, 0, 2, 2};
    QVERIFY(s->AddVideoWall(&w));
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    if (!bQueued)
        m_dev[HR]->m_eCommType = CHOIDev::CommType(CHOIDev::E_CT_TELNET + 1); // no link to queue on
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(Cmds(HR).contains(Param("ch_select", Id(A))), bQueued);
    const bool bApplied = bQueued && !bStalls;
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), bApplied ? E_SS_APPLIED : E_SS_FAILED);
    QCOMPARE(Texts(log).contains(QString("Device('%1') fails to be applied.").arg(Name(HR))), bStalls);
    // Applied once its kept steps were answered, not at its first answer.
    QCOMPARE(Texts(log).count(QString("Device('%1') is applied.").arg(Name(HR))), bApplied ? 1 : 0);
    QCOMPARE(Texts(log).last(), lastLog);
}

void TestApply::wholeWallEvents()
{
    CHOIScene* s = NewScene("Wide", 1, 2);
    s->GetCell(0, 0)->txList << m_dev[A];
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(0, 1)->rx = m_dev[Y];
    T_VideoWallInfo w;
    w.row_count = 1;
    w.col_count = 2;
    w.ow = 4;
    w.oh = 3;
    w.vw = 2;
    w.vh = 1;
    w.name = "Wide wall";
    QVERIFY(s->AddVideoWall(&w));
    QCOMPARE(s->CellAt(0, 1)->txList, QList<CHOIDev*>() << m_dev[A]);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QCOMPARE(s->GetPendingTotal(), 3);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);

    for (int rx : {X, Y}) {
        Lines events;
        for (const QByteArray& line : Cmds(rx)) {
            if (line.startsWith("e 1 e_vw_") && !line.contains("shift") && !line.contains("scale")
                && !line.contains("kick"))
                events << line;
        }
        const QString col = QString::number(rx == X ? 0 : 1);
        QCOMPARE(events, Lines() << Event("e_vw_pos_layout_0_1") << Event("e_vw_moninfo_2_4_1_3")
                                 << Event("e_vw_enable_0_1_0_" + col)
                                 << Event("e_vw_refresh_pos_idx_0_" + col));
        QVERIFY(Cmds(rx).contains(Param("s_vw_name", "Wide%20wall")));
    }
    QCOMPARE(Cmds(A), TxLines(A, "Wide", 1, 2)
                          << Param("s_vw_name", "Wide%20wall") << Param("s_vw_mode", "0")
                          << Param("s_vw_pos_row", "0") << Param("s_vw_pos_col", "0")
                          << Param("s_vw_row_count", "1") << Param("s_vw_col_count", "2")
                          << Param("s_vw_row", "0"));
    const QByteArray rxs = (m_dev[X]->GetHostName() + ' ' + m_dev[Y]->GetHostName() + ' ').toUtf8();
    QTRY_COMPARE(Datagrams().size(), 2);
    QCOMPARE(Datagrams().first(), "msg_b_reconnect " + rxs);
}

void TestApply::halfFilledCells()
{
    CHOIScene* s = NewScene("Half", 1, 2);
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(0, 1)->txList << m_dev[A];
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QCOMPARE(s->GetPendingTotal(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QCOMPARE(Cmds(X), Lines() << Param("en_video_wall", "n") << Event("e_vw_moninfo_0_0_0_0")
                              << Event("e_vw_enable_0_0_0_0") << Param("ch_select", "")
                              << "gbset -vi  " << Param("source_select_audio", "")
                              << Event("e_stop_link"));
    QCOMPARE(Cmds(A), Lines() << Param("source_select_audio", "") << Event("e_stop_link")
                              << SceneParams(A, "Half", 1, 2) << kSave);
}

void TestApply::devSetupEventsInOrder()
{
    CHOIScene* s = NewScene("Setup", 1, 1);
    T_VWDevSetup setup;
    setup.hshift = -12;
    setup.vshift = 8;
    setup.hscale = 3;
    setup.vscale = 4;
    setup.delay_kick = 5;
    s->SetDevSetup(m_dev[X], setup);
    QCOMPARE(s->GetDevSetup(m_dev[Y]).hshift, 0);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QVERIFY(s->ApplyDevSetup(m_dev[X], CHOIScene::E_VWS_ALL));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_EDIT);
    QCOMPARE(Cmds(X), Lines() << Event("e_vw_v_shift_d_8") << Event("e_vw_h_shift_l_12")
                              << Event("e_vw_h_scale_3") << Event("e_vw_v_scale_4")
                              << Event("e_vw_delay_kick_5"));
    QCOMPARE(Texts(log).first(), QString("Apply VideoWall Device Setup ..."));

    m_lan.ClearReceived();
    QVERIFY(s->ApplyDevSetup(m_dev[X], CHOIScene::E_VWS_HSHIFT));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 20000);
    QCOMPARE(Cmds(X), Lines() << Event("e_vw_h_shift_l_12"));

    // An encoder gets no set-up: nothing to wait for, the answer is at once.
    QVERIFY(!s->ApplyDevSetup(m_dev[A], CHOIScene::E_VWS_ALL));
    QCOMPARE(status.count(), 3);
    QCOMPARE(status.last().at(1).value<E_SceneStatus>(), E_SS_FAILED);
    QVERIFY(!s->IsApplying());
}

void TestApply::leaveWallAndStopLink()
{
    CHOIScene* s = NewScene("Split", 1, 2);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QList<CHOIDev*> devs{m_dev[X], m_dev[A], m_dev[Y]};
    QVERIFY(s->ApplyVideoWallTo1x1(devs));
    QCOMPARE(s->GetPendingTotal(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_EDIT);
    const Lines leave = Lines() << Param("en_video_wall", "n") << Event("e_vw_moninfo_0_0_0_0")
                                << Event("e_vw_enable_0_0_0_0");
    QCOMPARE(Cmds(X), leave);
    QCOMPARE(Cmds(Y), leave);
    QCOMPARE(Cmds(A), Lines());
    const QString split = m_dev[X]->GetHostName() + ' ' + m_dev[Y]->GetHostName() + ' ';
    QVERIFY(Texts(log).contains(QString("castMatriRX: msg_b_reconnect Split ('%1')").arg(split)));
    QTRY_COMPARE(Datagrams().size(), 2);
    QCOMPARE(Datagrams().first(), "msg_b_reconnect " + split.toUtf8());

    m_lan.ClearReceived();
    m_resync.Clear();
    QList<CHOIDev*> stop{m_dev[X], m_dev[A]};
    QVERIFY(s->StopLink(stop));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 2, 20000);
    QCOMPARE(status.at(1).at(1).value<E_SceneStatus>(), E_SS_EDIT);
    QCOMPARE(Cmds(X), Lines() << Param("ch_select", "") << "gbset -vi  " << Param("scene", "")
                              << Param("source_select_audio", "") << Event("e_stop_link")
                              << Event("e_vw_moninfo_0_0_0_0"));
    QCOMPARE(Cmds(A), Lines() << Param("scene", "") << Param("source_select_audio", "")
                              << Event("e_stop_link"));
    const QString stopped = m_dev[X]->GetHostName() + ' ' + m_dev[A]->GetHostName() + ' ';
    QVERIFY(Texts(log).contains(QString("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(stopped)));
    QTRY_COMPARE(Datagrams().size(), 2);
}

void TestApply::partialRoadsKeepLayoutStatus_data()
{
    QTest::addColumn<int>("road");
    QTest::newRow("one adjustment") << 0;
    QTest::newRow("one cell") << 1;
    QTest::newRow("stop link") << 2;
    QTest::newRow("leave wall") << 3;
}

// Only applying the whole layout makes it applied: a clean end of the other
// roads neither logs the layout as applied nor changes its status.
void TestApply::partialRoadsKeepLayoutStatus()
{
    QFETCH(int, road);
    CHOIScene* s = NewScene("Part", 1, 1);
    s->GetCell(0, 0)->txList << m_dev[A];
    s->GetCell(0, 0)->rx = m_dev[X];
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QList<CHOIDev*> devs{m_dev[X]};
    bool bStarted = false;
    switch (road) {
    case 0: bStarted = s->ApplyDevSetup(m_dev[X], CHOIScene::E_VWS_HSHIFT); break;
    case 1: bStarted = s->UpdateOneCellLink(0, 0); break;
    case 2: bStarted = s->StopLink(devs); break;
    default: bStarted = s->ApplyVideoWallTo1x1(devs); break;
    }
    QVERIFY(bStarted);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_EDIT);
    QCOMPARE(s->GetLastStatus(), E_SS_EDIT);
    QVERIFY(Texts(log).contains(QString("Device('%1') is applied.").arg(Name(X))));
    QVERIFY(!Texts(log).contains("Scene('Part') is applied."));
}

void TestApply::abortApply()
{
    for (int i : {A, X})
        ShortenTimings(i);
    m_lan.Device(X)->setStallReplies(true);
    CHOIScene* s = OneCell("Abort", A, X);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QTRY_VERIFY(!Cmds(X).isEmpty());
    s->AbortApply();
    QVERIFY(!s->IsApplying());
    QCOMPARE(s->GetPendingTotal(), 0);
    QCOMPARE(s->GetApplyMode(), 0);
    QCOMPARE(Texts(log).last(), QString("Scene('Abort') fails to be applied."));
    // The stalled decoder's link was closed; nothing is counted afterwards.
    QTRY_COMPARE(m_lan.Device(X)->sessionCount(), 0);
    const int logged = log.count();
    QTest::qWait(1500);
    QCOMPARE(status.count(), 0);
    QCOMPARE(log.count(), logged);

    // Its next session opens with what is asked after the abort only.
    m_lan.Device(X)->setStallReplies(false);
    const int sent = Cmds(X).size();
    QVERIFY(m_dev[X]->SendEvent("after_abort"));
    QTRY_VERIFY(Cmds(X).size() > sent);
    QVERIFY2(Cmds(X).at(sent).contains("after_abort"), Cmds(X).at(sent).constData());
}

void TestApply::abortEndsOtherLayoutsLines()
{
    // Two layouts wait on the stalled decoder X (the other on X alone: its
    // encoder is not waited for); the abort of one drops the other's lines
    // too, which then ends, once, with X failed.
    m_lan.Device(X)->setStallReplies(true);
    CHOIScene* pOther = OneCell("Other", H0, X);
    CHOIScene* pAborted = OneCell("Aborted", A, X);
    QSignalSpy otherLog(pOther, &CHOIScene::OnProgressLog);
    QSignalSpy otherStatus(pOther, &CHOIScene::OnStatusChange);
    QSignalSpy abortedStatus(pAborted, &CHOIScene::OnStatusChange);
    // Told of the failure, a listener sends X a line at once: it goes out
    // on a session of its own.
    connect(pOther, &CHOIScene::OnStatusChange, this, [this] { m_dev[X]->SendEvent("told"); });
    QVERIFY(pOther->Apply(1));
    QVERIFY(pAborted->Apply(1));
    QTRY_VERIFY(!Cmds(X).isEmpty());
    pAborted->AbortApply();
    QTRY_COMPARE(otherStatus.count(), 1);
    QCOMPARE(otherStatus.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    QCOMPARE(Texts(otherLog).count(QString("Device('%1') fails to be applied.").arg(Name(X))), 1);
    QCOMPARE(abortedStatus.count(), 0);
    QTRY_VERIFY(Cmds(X).contains(Event("told")));
    m_dev[X]->CloseComm(); // its answer never comes
}

void TestApply::failedApplyLeavesNoResyncBehind()
{
    // A "hisi" row-mode wall in column 0 and a plain cell A -> Y beside it.
    CHOIScene* s = NewScene("Stale", 2, 2);
    s->GetCell(0, 0)->txList << m_dev[H0];
    s->GetCell(0, 0)->rx = m_dev[X];
    s->GetCell(1, 0)->txList << m_dev[H1];
    s->GetCell(1, 0)->rx = m_dev[HR];
    s->GetCell(0, 1)->txList << m_dev[A];
    s->GetCell(0, 1)->rx = m_dev[Y];
    T_VideoWallInfo w;
    w.mode = 1;
    w.row_count = 2;
    w.col_count = 1;
    w.name = "Col";
    QVERIFY(s->AddVideoWall(&w));
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    CHOIDev* pX = m_dev[X];
    auto failX = [&]() {
        QVERIFY(s->Apply(1));
        emit pX->OnCmdCompleted(pX, E_CO_DEV, E_CR_FAILED);
        QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
        QCOMPARE(Texts(log).last(), QString("Scene('Stale') is applied with errors encountered."));
    };

    // A failed apply, then a clean one: only the clean one's texts are sent.
    failX();
    QTest::qWait(300);
    QVERIFY(Datagrams().isEmpty());
    log.clear();
    status.clear();
    QVERIFY(s->Apply(1));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    const QString wallRx = m_dev[X]->GetHostName() + ' ' + m_dev[HR]->GetHostName() + ' ';
    const QString cellRx = m_dev[Y]->GetHostName() + ' ';
    QStringList resync;
    for (const QString& line : Texts(log)) {
        if (line.startsWith("cast"))
            resync << line;
    }
    QCOMPARE(resync, QStringList() << QString("castVWSwitchRX: msg_b_reconnect VW ('%1')").arg(wallRx)
                                   << QString("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(cellRx));
    QTRY_COMPARE(Datagrams().size(), 4);
    QTest::qWait(300);
    QCOMPARE(Datagrams().size(), 4);
    QCOMPARE(Datagrams().count("msg_b_reconnect " + wallRx.toUtf8()), 2);
    QCOMPARE(Datagrams().count("msg_b_reconnect " + cellRx.toUtf8()), 2);

    // A failed apply, then a clean stop-link: the wall's kept steps must not
    // re-link the wall afterwards.
    QTRY_COMPARE(Cmds(H0).isEmpty(), false); // the deferred encoder step ran above
    log.clear();
    status.clear();
    failX();
    QTest::qWait(300);
    m_lan.ClearReceived();
    m_resync.Clear();
    log.clear();
    status.clear();
    QList<CHOIDev*> stop{m_dev[B]};
    QVERIFY(s->StopLink(stop));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    // A clean stop-link keeps the status the failed apply left.
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    const QString stopped = m_dev[B]->GetHostName() + ' ';
    QCOMPARE(Texts(log), QStringList() << "Stop link ..."
                                       << QString("Device('%1') is applied.").arg(Name(B))
                                       << QString("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(stopped));
    QTRY_COMPARE(Datagrams().size(), 2);
    QTest::qWait(300);
    QCOMPARE(Datagrams(), QList<QByteArray>() << "msg_b_reconnect " + stopped.toUtf8()
                                              << "msg_b_reconnect " + stopped.toUtf8());
    for (int i : {H0, H1, HR, A, Y})
        QCOMPARE(Cmds(i), Lines());
}

void TestApply::hisiWallEncoderAddressKnownToDecoders()
{
    // The "hisi" encoder is prepared only after the apply, but its decoder is
    // told the address before: it must be the one the encoder ends up with.
    m_mgr->m_bCustomMulticastIP = true;
    m_dev[A]->m_strMulticastIP = "225.0.100.1";
    m_dev[B]->m_strMulticastIP = "225.0.100.2";
    m_dev[H0]->m_strMulticastIP.clear();
    m_dev[H1]->m_strMulticastIP = "225.0.100.9";
    CHOIScene* s = NewScene("HisiAddr", 1, 1);
    s->GetCell(0, 0)->txList << m_dev[H0];
    s->GetCell(0, 0)->rx = m_dev[HR];
    T_VideoWallInfo w;
    w.row_count = 1;
    w.col_count = 1;
    w.name = "One";
    QVERIFY(s->AddVideoWall(&w));
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QCOMPARE(m_dev[H0]->m_strMulticastIP, QString("225.0.100.3"));
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QTRY_VERIFY(Cmds(H0).contains(Param("multicast_ip", "225.0.100.3")));
    QTRY_VERIFY(Cmds(HR).contains(kSave));
    Lines told;
    for (const QByteArray& line : Cmds(HR)) {
        if (line.contains("multicast_ip"))
            told << line;
    }
    // Once with the prepared link part, once with the finishing part.
    QCOMPARE(told, Lines() << Param("multicast_ip", "225.0.100.3") << Param("multicast_ip", "225.0.100.3"));
}

void TestApply::virtualTxIsNotWaitedFor()
{
    // A gateway's virtual TX has no address of its own: both decoders are
    // told its id, and the TX itself gets nothing and is not waited for.
    CHOIDev gateway(m_mgr, CHOIDev::E_DT_GW, "gb", false, CHOIDev::E_CT_TELNET);
    gateway.SetHostName(CSimLan::HostNameFor("GWP", 90), true);
    const QString camHost = CSimLan::HostNameFor("TXP", 91);
    m_mgr->AddIpcDev("Camera", camHost, &gateway);
    CHOIDev* pCam = m_mgr->FindDevByHostName(camHost);
    QVERIFY(pCam);
    CHOIScene* s = NewScene("Cameras", 1, 2);
    for (int c : {0, 1}) {
        s->GetCell(0, c)->txList << pCam;
        s->GetCell(0, c)->rx = m_dev[c == 0 ? X : Y];
    }
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QCOMPARE(s->GetPendingTotal(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_APPLIED);
    QVERIFY(!pCam->GetComm());
    for (int rx : {X, Y})
        QVERIFY(Cmds(rx).contains(Param("ch_select", pCam->GetMacId())));
    QVERIFY(m_mgr->RemoveDevice(pCam));
}

void TestApply::refusedSourceLineFailsDecoder()
{
    // An encoder id no shell line may carry: the decoder's source line is
    // refused, so the decoder failed and gets nothing.
    const QString id = m_dev[A]->m_strHostId;
    m_dev[A]->m_strHostId = "0A58\r\nreboot";
    CHOIScene* s = OneCell("Refused", A, X);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    const bool bApplied = s->Apply(1);
    m_dev[A]->m_strHostId = id;
    QVERIFY(bApplied);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 20000);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    QCOMPARE(Texts(log), QStringList() << "Apply scene ..."
                                       << QString("Device('%1') fails to be applied.").arg(Name(X))
                                       << QString("Device('%1') is applied.").arg(Name(A))
                                       << "Scene('Refused') is applied with errors encountered.");
    QCOMPARE(Cmds(X), Lines());
}

void TestApply::refusedLoginEndsEveryApply()
{
    // Y refuses every login and keeps a refused session open, silent: each
    // apply still ends, with Y failed.
    SimDevice* pY = m_lan.Device(Y);
    pY->setPassword("secret");
    pY->setKeepRefusedSession(true);
    pY->setLoginRetryDelay(20);
    m_dev[Y]->SetRetryInterval(100);
    pY->dropConnections();
    QTRY_VERIFY(!m_dev[Y]->GetComm()->IsConnected());
    CHOIScene* s = OneCell("Locked", A, Y);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    for (int round = 1; round <= 2; ++round) {
        log.clear();
        QVERIFY(s->Apply(1));
        QTRY_COMPARE_WITH_TIMEOUT(status.count(), round, 10000);
        QCOMPARE(status.last().at(1).value<E_SceneStatus>(), E_SS_FAILED);
        QVERIFY(Texts(log).contains(QString("Device('%1') fails to be applied.").arg(Name(Y))));
        QTest::qWait(300); // long enough for a refused session to fall silent
    }
}

void TestApply::decoderGoneOffLineEndsApply()
{
    // X stalls mid-apply and stops answering discovery with its connection
    // open: the on-line check takes it off line, which ends its lines.
    SimDevice* pX = m_lan.Device(X);
    pX->setStallReplies(true);
    m_dev[X]->SetRetryInterval(100);
    CHOIScene* s = OneCell("Gone", A, X);
    QSignalSpy log(s, &CHOIScene::OnProgressLog);
    QSignalSpy status(s, &CHOIScene::OnStatusChange);
    QVERIFY(s->Apply(1));
    QTRY_VERIFY(!Cmds(X).isEmpty());
    m_lan.Discovery().SetDeviceOn(X, false);
    pX->setRefuseConnections(true);
    m_mgr->SetOnLineTimings(0, 1000);
    QTRY_COMPARE_WITH_TIMEOUT(status.count(), 1, 10000);
    QVERIFY(!m_dev[X]->m_bOnLine);
    QCOMPARE(status.at(0).at(1).value<E_SceneStatus>(), E_SS_FAILED);
    QVERIFY(Texts(log).contains(QString("Device('%1') fails to be applied.").arg(Name(X))));
}

QTEST_MAIN(TestApply)
#include "tst_apply.moc"
