#ifndef TESTS_CONSOLE_BATCHTESTSUPPORT_H
#define TESTS_CONSOLE_BATCHTESTSUPPORT_H

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QList>
#include <QObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QStringList>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "batch/dlgbatch.h"
#include "consoletestsupport.h"
#include "control/devfiltergroupbox.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

// Answers every file dialog with the next path (empty: cancelled).
class CBatchFileAnswers
{
public:
    CBatchFileAnswers()
    {
        SetFileDialogRunner([this](const T_FileDialogRequest &request) {
            m_requests.append(request);
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        });
    }
    ~CBatchFileAnswers() { SetFileDialogRunner(FileDialogRunner()); }
    void Answer(const QString &path) { m_answers.append(path); }
    const QList<T_FileDialogRequest> &Requests() const { return m_requests; }

private:
    QStringList m_answers;
    QList<T_FileDialogRequest> m_requests;
};

// The folder of this run's own for the files a test writes: two runs on one
// machine never share a name.
inline QTemporaryDir &TestDir()
{
    static QTemporaryDir dir;
    return dir;
}

inline QString TempPath(const QString &name)
{
    return TestDir().filePath(name);
}

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod logo_enable=\"y\" txldy=\"tx_latency.sh y\" txldn=\"tx_latency.sh n\"\n"
    "         rxldy=\"rx_latency.sh y\" rxldn=\"rx_latency.sh n\">\n"
    "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           force_resolution=\"1920x1080_60,,1280x720,_30\" url=\"/upload_bg\"\n"
    "           overlay_url=\"/upload_overlay\"/>\n"
    "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           image_logo=\"y\" max_bitrate=\"y\" video_transport_type=\"y\" cec_enable=\"y\"/>\n"
    "  <product id=\"VRX0350\" name=\"AudioDecoder\" type=\"rx\" param_prefix=\"gb\"\n"
    "           jpeg_enable=\"n\" audio_delay=\"y\"/>\n"
    "  <product id=\"ZMRX\" name=\"Multiview\" type=\"mrx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           video_set_2=\"y\"/>\n"
    "  <product id=\"ZGW\" name=\"Gateway\" type=\"gw\" param_prefix=\"gb\"/>\n"
    "  <product id=\"ZCAM\" name=\"Camera\" type=\"tx\" param_prefix=\"gb\" ipc_flag=\"y\"/>\n"
    "  <product id=\"ZWP\" name=\"Processor\" type=\"wp\" param_prefix=\"gb\" jpeg_enable=\"n\"/>\n"
    "  <product id=\"ZVS\" name=\"WallDecoder\" type=\"rx\" param_prefix=\"gb\" jpeg_enable=\"n\"\n"
    "           video_set_2=\"y\" audio_delay=\"y\" overlay_enable=\"y\" url=\"/upload_bg\"\n"
    "           overlay_url=\"/upload_overlay\"/>\n"
    "</hoiprod>\n";

// The fleet: model and simulator type of device i.
const char *const kModels[] = {"ZRX", "ZRX", "ZRX", "ZTX", "ZTX", "VRX0350", "ZMRX", "ZGW", "ZWP", "ZVS"};
const char *const kTypes[] = {"RX", "RX", "RX", "TX", "TX", "RX", "MRX", "GW", "WP", "RX"};
const int kDevCount = 10;
enum { RX0 = 0, RX1 = 1, RX2 = 2, TX3 = 3, TX4 = 4, VRX5 = 5, MRX6 = 6, GW7 = 7, WP8 = 8, VS9 = 9 };

// The fixture of the batch tests: a manager that found the fleet above in
// the private test LAN, every link up and nothing left queued before each
// test.
class CBatchTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

protected:
    CHOIDev *Dev(int i) const;
    QList<QByteArray> Lines(int i, const QList<QByteArray> &prefixes = {}) const;
    void Check(CDlgBatch &dlg, const QList<int> &devs, bool bOn = true);
    void EnsureLinks();
    bool SetOnLine(int i, bool bOn);

    template <class T>
    static T *W(QWidget &dlg, const char *name)
    {
        T *p = dlg.findChild<T *>(QLatin1String(name));
        if (!p)
            qWarning() << "no widget" << name;
        return p;
    }
    static QString Result(QWidget &dlg, const char *label) { return W<QLabel>(dlg, label)->text(); }
    // The lines a device receives, as the console writes them.
    QByteArray Param(int i, const char *name, const QByteArray &value) const;
    QByteArray Save(int i) const;
    QByteArray Event(int i, const QByteArray &event) const;
    // Addresses of the three plain decoders, on the device objects and the
    // simulators, so an IP test leaves the fleet as it found it.
    struct T_Addresses
    {
        QStringList dev;
        QList<QMap<QString, QString>> sim;
    };
    T_Addresses SaveAddresses() const;
    void RestoreAddresses(const T_Addresses &saved);
    // Opens a page's failure details and reads its rows as
    // "alias|hostname|address", the window title first.
    static QStringList DetailRows(QWidget &dlg, const char *button);
    // The project file the manager writes now; empty when it cannot.
    QByteArray Project() const;

    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
};

inline void CBatchTest::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    RegisterHoiMetaTypes();
    RegisterProdMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");
    QVERIFY(TestDir().isValid());

    QFile config(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"));
    QVERIFY(config.open(QIODevice::WriteOnly | QIODevice::Truncate));
    config.write(kConfig);
    config.close();

    // The EDID folder: a valid block listed first, a damaged one, and one
    // whose ".BIN" is in capitals.
    QDir edidDir(EdidDirPath());
    for (const QString &name : edidDir.entryList(QDir::Files))
        edidDir.remove(name);
    QVERIFY(WriteFile(edidDir.filePath(QStringLiteral("a_good.bin")), TestEdid(128, '\x11')));
    QVERIFY(WriteFile(edidDir.filePath(QStringLiteral("b_bad.bin")), TestEdid(128, '\x22') + "x"));
    QVERIFY(WriteFile(edidDir.filePath(QStringLiteral("C.BIN")), TestEdid(128, '\x33')));

    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 3600000);
    m_pMgr->SetSearchRoundInterval(200);
    g_pHOIDevMgr = m_pMgr;
    QVERIFY(m_pMgr->LoadProdConfig());

    m_pLan = new CSimLan;
    for (int i = 0; i < kDevCount; ++i) {
        SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(QLatin1String(kModels[i]), i),
                                            QLatin1String(kTypes[i]));
        QVERIFY(pSim);
        SimInstallDeviceCommands(*pSim);
    }
    QVERIFY(m_pLan->Start());

    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_pMgr->StartSearch(false));
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
    for (int i = 0; i < kDevCount; ++i) {
        QVERIFY2(Dev(i), kModels[i]);
        QVERIFY(Dev(i)->m_bOnLine);
        Dev(i)->SetRetryInterval(200);
    }
    m_pMgr->AddGroup(QStringLiteral("Hall"), 1);
    m_pMgr->AddGroup(QStringLiteral("Stage"), 2);
}

inline void CBatchTest::cleanupTestCase()
{
    delete m_pLan;
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

inline void CBatchTest::init()
{
    if (!m_pLan)
        return;
    // A test that failed half-way may have left a device off; the next one
    // must not wait for it in vain.
    for (int i = 0; i < kDevCount; ++i) {
        m_pLan->SetDeviceOn(i, true);
        if (!Dev(i)->m_bOnLine)
            QVERIFY(SetOnLine(i, true));
    }
    EnsureLinks();
    m_pLan->ClearReceived();
}

inline CHOIDev *CBatchTest::Dev(int i) const
{
    return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(QLatin1String(kModels[i]), i));
}

// Reboots in earlier tests end sessions; every link is up before a test.
inline void CBatchTest::EnsureLinks()
{
    for (int i = 0; i < kDevCount; ++i) {
        CHOIDev *pDev = Dev(i);
        if (!pDev->GetComm() || !pDev->GetComm()->IsConnected())
            pDev->EnsureConnected();
    }
    for (int i = 0; i < kDevCount; ++i)
        QTRY_VERIFY_WITH_TIMEOUT(Dev(i)->GetComm() && Dev(i)->GetComm()->IsConnected(), 10000);
    // Whatever is still queued has been answered.
    for (int i = 0; i < kDevCount; ++i)
        QTRY_COMPARE(Dev(i)->GetComm()->GetSendQueueCount(), 0);
}

// Switches a simulated device off or on and lets a search tell the manager.
inline bool CBatchTest::SetOnLine(int i, bool bOn)
{
    m_pLan->SetDeviceOn(i, bOn);
    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    if (!m_pMgr->StartSearch(false))
        return false;
    if (!stopSpy.wait(30000) && stopSpy.isEmpty())
        return false;
    return Dev(i)->m_bOnLine == bOn;
}

inline QList<QByteArray> CBatchTest::Lines(int i, const QList<QByteArray> &prefixes) const
{
    QList<QByteArray> out;
    for (const QByteArray &line : m_pLan->Commands(i)) {
        bool bTake = prefixes.isEmpty();
        for (const QByteArray &prefix : prefixes)
            bTake = bTake || line.startsWith(prefix);
        if (bTake)
            out << line;
    }
    return out;
}

inline void CBatchTest::Check(CDlgBatch &dlg, const QList<int> &devs, bool bOn)
{
    QTreeWidget *pTree = W<QDevFilterGroupBox>(dlg, "groupBox")->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
    QVERIFY(pTree);
    for (int i : devs) {
        bool bFound = false;
        for (int row = 0; row < pTree->topLevelItemCount(); ++row) {
            QTreeWidgetItem *pItem = pTree->topLevelItem(row);
            if (VariantToDev(pItem->data(0, Qt::UserRole)) == Dev(i)) {
                pItem->setCheckState(0, bOn ? Qt::Checked : Qt::Unchecked);
                bFound = true;
            }
        }
        QVERIFY2(bFound, kModels[i]);
    }
}

inline QByteArray CBatchTest::Project() const
{
    const QString path = TempPath(QStringLiteral("project.hoi"));
    QFile file(path);
    if (!m_pMgr->ExportDevInfoFile(path) || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

inline QStringList CBatchTest::DetailRows(QWidget &dlg, const char *button)
{
    QStringList rows;
    CModalWatcher watcher([&](QWidget *pWidget) {
        rows << pWidget->windowTitle();
        QTreeWidget *pTree = pWidget->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
        for (int row = 0; pTree && row < pTree->topLevelItemCount(); ++row) {
            const QTreeWidgetItem *pItem = pTree->topLevelItem(row);
            rows << QStringList({pItem->text(0), pItem->text(1), pItem->text(2)}).join(QLatin1Char('|'));
        }
        pWidget->close();
    });
    W<QPushButton>(dlg, button)->click();
    return rows;
}

inline CBatchTest::T_Addresses CBatchTest::SaveAddresses() const
{
    T_Addresses saved;
    for (int i : {RX0, RX1, RX2}) {
        saved.dev << Dev(i)->GetIPAddr() << Dev(i)->GetNetmask() << Dev(i)->GetGateway();
        saved.sim << m_pLan->Device(i)->params();
    }
    return saved;
}

inline void CBatchTest::RestoreAddresses(const T_Addresses &saved)
{
    for (int i : {RX0, RX1, RX2}) {
        Dev(i)->SetIPAddr(saved.dev.at(i * 3));
        Dev(i)->SetNetmask(saved.dev.at(i * 3 + 1));
        Dev(i)->SetGateway(saved.dev.at(i * 3 + 2));
        for (const char *name : {"ip_mode", "ipaddr", "netmask", "gatewayip"}) {
            const QString key = QLatin1String(name);
            if (saved.sim.at(i).contains(key))
                m_pLan->Device(i)->setParam(key, saved.sim.at(i).value(key));
            else
                m_pLan->Device(i)->removeParam(key);
        }
    }
}

inline QByteArray CBatchTest::Param(int i, const char *name, const QByteArray &value) const
{
    return "gbparam s " + QByteArray::number(Dev(i)->GetHostIndex()) + QByteArray(" ") + name
           + " " + value;
}

inline QByteArray CBatchTest::Save(int i) const
{
    return "gbparam save " + QByteArray::number(Dev(i)->GetHostIndex());
}

inline QByteArray CBatchTest::Event(int i, const QByteArray &event) const
{
    return "e " + QByteArray::number(Dev(i)->GetHostIndex()) + " " + event;
}

#endif
