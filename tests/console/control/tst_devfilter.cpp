// The shared device chooser over devices found in a private test LAN: which
// devices it lists, the model rule, the capability signals, "All", the
// order buttons and the owner's hooks.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "control/devfiltergroupbox.h"
#include "hoi_core/hoiscene.h"

#include "controltestenv.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod>\n"
    "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" image_logo=\"y\" max_bitrate=\"y\""
    " video_transport_type=\"y\" jpeg_enable=\"y\" audio_delay=\"y\" audio_batch=\"y\" cec_enable=\"y\"/>\n"
    "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" tx=\"ZTX\" jpeg_enable=\"n\" max_resolution=\"y\""
    " video_set_2=\"y\" overlay_enable=\"y\" sink_tx_rs=\"y\"/>\n"
    "  <product id=\"YRX\" name=\"Other\" type=\"rx\" param_prefix=\"gb\" tx=\"ZTX\"/>\n"
    "  <product id=\"ZWP\" name=\"Proc\" type=\"wp\" param_prefix=\"gb\" jpeg_enable=\"n\"/>\n"
    "  <product id=\"ZGW\" name=\"Gate\" type=\"gw\" param_prefix=\"gb\" jpeg_enable=\"n\"/>\n"
    "</hoiprod>\n";

enum { TX0, TX1, RX2, RX3, YRX4, WP5, GW6, RX7_OFFLINE, DEV_COUNT };

// Records every capability signal of a chooser as "name:args", in order.
class CSignalLog : public QObject
{
public:
    explicit CSignalLog(QDevFilterGroupBox *pBox)
    {
        auto one = [this](const char *name) {
            return [this, name](bool b) { m_log << QStringLiteral("%1:%2").arg(QLatin1String(name)).arg(int(b)); };
        };
        connect(pBox, &QDevFilterGroupBox::signalIsSupportLogo, this, one("Logo"));
        connect(pBox, &QDevFilterGroupBox::signalIsVideoBitrate, this, one("Bitrate"));
        connect(pBox, &QDevFilterGroupBox::signalIsTransport, this, one("Transport"));
        connect(pBox, &QDevFilterGroupBox::signalMaxResolution, this, one("MaxRes"));
        connect(pBox, &QDevFilterGroupBox::signalAllTabEnable, this, one("AllTab"));
        connect(pBox, &QDevFilterGroupBox::signalAllDevApply, this, one("AllApply"));
        connect(pBox, &QDevFilterGroupBox::signalIsHisiDev, this, [this](bool a, bool b) {
            m_log << QStringLiteral("Hisi:%1,%2").arg(int(a)).arg(int(b));
        });
        connect(pBox, &QDevFilterGroupBox::signalIsTX, this, one("TX"));
        connect(pBox, &QDevFilterGroupBox::signalIsWp, this, one("WP"));
        connect(pBox, &QDevFilterGroupBox::signalIsGW, this, one("GW"));
        connect(pBox, &QDevFilterGroupBox::signalIsAudioDelay, this, one("AudioBatch"));
        connect(pBox, &QDevFilterGroupBox::signalAudioDelay, this, one("AudioDelay"));
        connect(pBox, &QDevFilterGroupBox::signalIsOverlayImage, this, one("Overlay"));
        connect(pBox, &QDevFilterGroupBox::signalIsBatchCEC, this, one("CEC"));
        connect(pBox, &QDevFilterGroupBox::signalIsSinkPowerRS, this, one("SinkRS"));
        connect(pBox, &QDevFilterGroupBox::signalForceResolution, this, [this](CHOIDev *pDev) {
            m_log << QStringLiteral("Force:%1").arg(pDev ? pDev->GetHostName() : QString());
        });
    }
    QStringList Take()
    {
        const QStringList log = m_log;
        m_log.clear();
        return log;
    }

private:
    QStringList m_log;
};

// An owner that lists everything but encoders and notes what it is told.
class CTestOwner : public IDevFilterCustomItem
{
public:
    bool GetHeaderLabels(QStringList &headers) override
    {
        if (!m_bHeaders)
            return false;
        headers << QString() << QStringLiteral("Alias") << QStringLiteral("Hostname");
        return true;
    }
    QTreeWidgetItem *CreateDevItem(CHOIDev *pDev) override
    {
        if (pDev->GetDevType() == CHOIDev::E_DT_TX)
            return nullptr;
        return NewAliasHostnameItem(pDev);
    }
    void OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem) override
    {
        m_added << qMakePair(pDev, pItem);
        m_bAddedInTree = m_bAddedInTree && pTree->indexOfTopLevelItem(pItem) >= 0;
        if (m_pChildDev) {
            // Two sub-rows below each row, for the propagation.
            for (int i = 0; i < 2; ++i) {
                QTreeWidgetItem *pChild = new QTreeWidgetItem(pItem);
                pChild->setData(0, Qt::UserRole, DevToVariant(i == 0 ? pDev : m_pChildDev));
                pChild->setCheckState(0, Qt::Unchecked);
            }
        }
    }
    void OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent) override { m_current << pCurrent; }
    void OnDevItemCheckChanged(QTreeWidgetItem *pItem) override { m_checked << pItem; }

    bool m_bHeaders = true;
    CHOIDev *m_pChildDev = nullptr;
    bool m_bAddedInTree = true;
    QList<QPair<CHOIDev *, QTreeWidgetItem *>> m_added;
    QList<QTreeWidgetItem *> m_current;
    QList<QTreeWidgetItem *> m_checked;
};

struct T_BoxForm
{
    explicit T_BoxForm(QDevFilterGroupBox &box)
        : pTree(box.findChild<QTreeWidget *>(QStringLiteral("treeWidget")))
        , pModel(box.findChild<QComboBox *>(QStringLiteral("cbDevType")))
        , pAll(box.findChild<QCheckBox *>(QStringLiteral("cbkAllDev")))
        , pCount(box.findChild<QLabel *>(QStringLiteral("label_Check")))
        , pUp(box.findChild<QPushButton *>(QStringLiteral("pushBUP")))
        , pDown(box.findChild<QPushButton *>(QStringLiteral("pBOrderDown")))
    {
    }
    QTreeWidget *pTree;
    QComboBox *pModel;
    QCheckBox *pAll;
    QLabel *pCount;
    QPushButton *pUp;
    QPushButton *pDown;
};

} // namespace

class TestDevFilter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void listsOnlineDevicesAndModels();
    void initPreselectsWithoutSignals();
    void layoutListsItsDevices();
    void modelFilter();
    void mixedModelsAreRefused();
    void capabilitySignals_data();
    void capabilitySignals();
    void predicatesOfNothingChecked();
    void allBoxOneModel();
    void allBoxMixedModels();
    void allBoxEmptyTree();
    void allBoxFollowsRows();
    void orderButtons();
    void colouring();
    void ownerHooks();
    void ownerWithoutHeaders();
    void childRowsFollowTheirParent();
    void languageChangeRelists();
    void deletedDeviceIsSkipped();

private:
    CHOIDev *Dev(int i) const { return m_env.Dev(i); }
    // The manager's on-line devices of the listed kinds, in its order.
    QList<CHOIDev *> OnlineDevs(bool bOnlyListedTypes = true) const;
    void Check(QTreeWidget *pTree, int dev, bool bOn = true)
    {
        RowOf(pTree, Dev(dev))->setCheckState(0, bOn ? Qt::Checked : Qt::Unchecked);
    }

    CControlLan m_env;
    T_Boxes m_boxes;
};

void TestDevFilter::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    InitConsoleResources();
    QVERIFY(m_env.Start(kConfig, {"ZTX", "ZTX", "ZRX", "ZRX", "YRX", "ZWP", "ZGW", "ZRX"},
                        {"TX", "TX", "RX", "RX", "RX", "WP", "GW", "RX"}));
    Dev(RX7_OFFLINE)->m_bOnLine = false;
    QCOMPARE(Dev(WP5)->GetDevType(), CHOIDev::E_DT_WP);
    QCOMPARE(Dev(GW6)->GetDevType(), CHOIDev::E_DT_GW);
    m_boxes.Install();
}

void TestDevFilter::cleanupTestCase()
{
    T_Boxes::Uninstall();
}

void TestDevFilter::init()
{
    m_boxes.boxes.clear();
}

QList<CHOIDev *> TestDevFilter::OnlineDevs(bool bOnlyListedTypes) const
{
    QList<CHOIDev *> devs;
    for (CHOIDev *pDev : m_env.Mgr()->GetDevList()) {
        if (pDev->m_bOnLine && (!bOnlyListedTypes || pDev->GetDevType() != CHOIDev::E_DT_QN714))
            devs << pDev;
    }
    return devs;
}

void TestDevFilter::listsOnlineDevicesAndModels()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);

    QCOMPARE(RowDevs(form.pTree), OnlineDevs());
    QVERIFY(!RowDevs(form.pTree).contains(Dev(RX7_OFFLINE)));
    QCOMPARE(form.pCount->text(), QStringLiteral("0/7"));
    QCOMPARE(form.pTree->headerItem()->text(0), QStringLiteral("Via TX/RX"));
    QCOMPARE(RowOf(form.pTree, Dev(TX0))->text(0), Dev(TX0)->GetDisplayName());
    QCOMPARE(RowColor(form.pTree, Dev(TX0)), QColor(Qt::blue));
    QCOMPARE(RowColor(form.pTree, Dev(RX2)), QColor(Qt::black));

    // One model entry per product, first seen first.
    QStringList expectedTexts{QStringLiteral("All")};
    QStringList expectedData{QStringLiteral("All")};
    for (CHOIDev *pDev : OnlineDevs()) {
        const QString text = pDev->GetDefaultName().section(QLatin1Char('-'), 0, 0);
        if (!expectedTexts.contains(text)) {
            expectedTexts << text;
            expectedData << pDev->GetHostNamePrefix();
        }
    }
    QStringList texts;
    QStringList data;
    for (int i = 0; i < form.pModel->count(); ++i) {
        texts << form.pModel->itemText(i);
        data << form.pModel->itemData(i).toString();
    }
    QCOMPARE(texts, expectedTexts);
    QCOMPARE(data, expectedData);
    QCOMPARE(texts.size(), 6);
}

void TestDevFilter::initPreselectsWithoutSignals()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    CSignalLog log(&box);

    box.Init(nullptr, nullptr, Dev(RX3));
    QCOMPARE(RowDevs(form.pTree), OnlineDevs());
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(RX3)});
    QCOMPARE(form.pCount->text(), QStringLiteral("1/7"));
    QCOMPARE(log.Take(), QStringList());

    // Every rebuild that lists it starts it checked.
    form.pModel->setCurrentIndex(form.pModel->findText(QStringLiteral("Decoder")));
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(RX3)});
    QCOMPARE(form.pCount->text(), QStringLiteral("1/2"));
}

void TestDevFilter::layoutListsItsDevices()
{
    CHOIScene *pScene = m_env.Mgr()->CreateScene(QStringLiteral("Hall-Show"));
    pScene->SetGridSize(2, 2);
    QString err;
    QVERIFY2(pScene->SetCellDev(0, 0, Dev(TX0), err), qPrintable(err));
    QVERIFY2(pScene->SetCellDev(0, 0, Dev(RX2), err), qPrintable(err));
    QVERIFY2(pScene->SetCellDev(0, 1, Dev(TX0), err), qPrintable(err));
    QVERIFY2(pScene->SetCellDev(0, 1, Dev(RX7_OFFLINE), err), qPrintable(err));
    QVERIFY2(pScene->SetCellDev(1, 1, Dev(TX1), err), qPrintable(err));
    QVERIFY2(pScene->SetCellDev(1, 1, Dev(RX3), err), qPrintable(err));

    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, pScene, Dev(RX2));
    // A TX feeding two cells is listed once; an off-line RX is listed.
    QCOMPARE(RowDevs(form.pTree),
             (QList<CHOIDev *>{Dev(TX0), Dev(RX2), Dev(RX7_OFFLINE), Dev(TX1), Dev(RX3)}));
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(RX2)});
    QCOMPARE(form.pCount->text(), QStringLiteral("1/5"));

    // Without a layout the off-line one is gone again.
    box.Init(nullptr, nullptr, nullptr);
    QCOMPARE(RowDevs(form.pTree), OnlineDevs());
    m_env.Mgr()->DeleteScene(pScene);
}

void TestDevFilter::modelFilter()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    CSignalLog log(&box);

    form.pModel->setCurrentIndex(form.pModel->findText(QStringLiteral("Decoder")));
    QList<CHOIDev *> decoders;
    for (CHOIDev *pDev : OnlineDevs()) {
        if (pDev->GetHostNamePrefix() == QLatin1String("ZRX"))
            decoders << pDev;
    }
    QCOMPARE(decoders.size(), 2);
    QCOMPARE(RowDevs(form.pTree), decoders);
    QCOMPARE(form.pCount->text(), QStringLiteral("0/2"));
    QCOMPARE(log.Take(), QStringList{QStringLiteral("AllTab:0")});

    form.pModel->setCurrentIndex(0);
    QCOMPARE(RowDevs(form.pTree), OnlineDevs());
}

void TestDevFilter::mixedModelsAreRefused()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    CSignalLog log(&box);

    Check(form.pTree, TX0);
    QCOMPARE(form.pCount->text(), QStringLiteral("1/7"));
    log.Take();

    Check(form.pTree, RX2);
    QCOMPARE(m_boxes.boxes.size(), 1);
    QCOMPARE(m_boxes.boxes.at(0).icon, QMessageBox::NoIcon);
    QCOMPARE(m_boxes.boxes.at(0).title, QStringLiteral("Attention"));
    QCOMPARE(m_boxes.boxes.at(0).text, QStringLiteral("Please select the same type of device for operation."));
    QCOMPARE(RowOf(form.pTree, Dev(RX2))->checkState(0), Qt::Unchecked);
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(TX0)});
    QCOMPARE(form.pCount->text(), QStringLiteral("1/7"));
    QCOMPARE(log.Take(), QStringList());

    // The next change of that model is handled normally again.
    Check(form.pTree, TX0, false);
    Check(form.pTree, RX2);
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(RX2)});
    QCOMPARE(form.pCount->text(), QStringLiteral("1/7"));
    QCOMPARE(m_boxes.boxes.size(), 1);
}

void TestDevFilter::capabilitySignals_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QStringList>("expected");

    const QString tx0 = CSimLan::HostNameFor(QStringLiteral("ZTX"), TX0);
    const QString rx2 = CSimLan::HostNameFor(QStringLiteral("ZRX"), RX2);
    const QString wp5 = CSimLan::HostNameFor(QStringLiteral("ZWP"), WP5);
    const QString gw6 = CSimLan::HostNameFor(QStringLiteral("ZGW"), GW6);
    QTest::newRow("encoder") << int(TX0)
                             << QStringList{"Logo:1",     "TX:1",       "Bitrate:1",  "Transport:1",
                                            "MaxRes:0",   "Hisi:1,0",   "AudioDelay:1", "AudioBatch:1",
                                            "Overlay:0",  "CEC:1",      "AllApply:1", "TX:1",
                                            "Force:" + tx0};
    QTest::newRow("decoder") << int(RX2)
                             << QStringList{"Logo:0",    "TX:0",      "Bitrate:0",  "Transport:0",
                                            "MaxRes:1",  "Hisi:0,1",  "AudioDelay:0", "Overlay:1",
                                            "SinkRS:1",  "AllApply:1", "TX:0",       "Force:" + rx2};
    QTest::newRow("processor") << int(WP5)
                               << QStringList{"Logo:0",   "TX:0",       "WP:1",     "Bitrate:0",
                                              "Transport:0", "MaxRes:0", "Hisi:0,0", "AudioDelay:0",
                                              "Overlay:0", "AllApply:1", "TX:0",     "Force:" + wp5};
    QTest::newRow("gateway") << int(GW6)
                             << QStringList{"Logo:0",     "TX:0",     "Bitrate:0",    "Transport:0",
                                            "MaxRes:0",   "Hisi:0,0", "AudioDelay:0", "Overlay:0",
                                            "GW:1",       "AllApply:1", "TX:0",       "Force:" + gw6};
}

void TestDevFilter::capabilitySignals()
{
    QFETCH(int, dev);
    QFETCH(QStringList, expected);

    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    CSignalLog log(&box);

    Check(form.pTree, dev);
    QCOMPARE(log.Take(), expected);
    QCOMPARE(form.pTree->currentItem(), RowOf(form.pTree, Dev(dev)));

    // Unchecking the last checked row says only that nothing is chosen.
    Check(form.pTree, dev, false);
    QCOMPARE(log.Take(), QStringList{QStringLiteral("AllTab:0")});
}

void TestDevFilter::predicatesOfNothingChecked()
{
    QDevFilterGroupBox box;
    box.Init(nullptr, nullptr, nullptr);
    QVERIFY(box.GetCheckedDevList().isEmpty());
    QVERIFY(box.IsAllSupportLogo() && box.IsAllSupportMaxBitrate() && box.IsAllSupportTransport()
            && box.IsAllSupportMaxResolution() && box.IsAllSupportJpeg() && box.IsAllSupportVideoSet2()
            && box.IsAllSupportAudioDelay() && box.IsAllSupportAudioBatch() && box.IsAllSupportOverlay()
            && box.IsAllSupportCec() && box.IsAllSupportSinkTxRS());

    // Two checked encoders share exactly their product's flags.
    T_BoxForm form(box);
    Check(form.pTree, TX0);
    Check(form.pTree, TX1);
    QVERIFY(box.IsAllSupportLogo());
    QVERIFY(box.IsAllSupportCec());
    QVERIFY(!box.IsAllSupportOverlay());
    QVERIFY(!box.IsAllSupportSinkTxRS());
}

void TestDevFilter::allBoxOneModel()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    form.pModel->setCurrentIndex(form.pModel->findText(QStringLiteral("Encoder")));
    const QList<CHOIDev *> rows = RowDevs(form.pTree);
    QCOMPARE(rows.size(), 2);
    CSignalLog log(&box);

    form.pAll->click();
    QCOMPARE(box.GetCheckedDevList(), rows);
    QCOMPARE(form.pCount->text(), QStringLiteral("2/2"));
    QVERIFY(form.pAll->isChecked());
    const QStringList checking = log.Take();
    QCOMPARE(checking.mid(checking.size() - 2), (QStringList{"Logo:1", "Bitrate:1"}));

    form.pAll->click();
    QVERIFY(box.GetCheckedDevList().isEmpty());
    QCOMPARE(form.pCount->text(), QStringLiteral("0/2"));
    QVERIFY(m_boxes.boxes.isEmpty());
}

void TestDevFilter::allBoxMixedModels()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    Check(form.pTree, TX0);
    CSignalLog log(&box);

    form.pAll->click();
    QCOMPARE(m_boxes.boxes.size(), 1);
    QCOMPARE(m_boxes.boxes.at(0).text, QStringLiteral("Please select the same type of device for operation."));
    QVERIFY(box.GetCheckedDevList().isEmpty());
    QVERIFY(!form.pAll->isChecked());
    QCOMPARE(form.pCount->text(), QStringLiteral("0/7"));
    QCOMPARE(log.Take().last(), QStringLiteral("AllTab:0"));

    // Unchecking "All" over mixed models is refused the same way.
    m_boxes.boxes.clear();
    form.pAll->setChecked(true);
    form.pAll->click();
    QCOMPARE(m_boxes.boxes.size(), 1);
    QVERIFY(box.GetCheckedDevList().isEmpty());
}

void TestDevFilter::allBoxEmptyTree()
{
    CHOIScene *pEmpty = m_env.Mgr()->CreateScene(QStringLiteral("Hall-Empty"));
    pEmpty->SetGridSize(1, 1);
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, pEmpty, nullptr);
    CSignalLog log(&box);

    QCOMPARE(form.pTree->topLevelItemCount(), 0);
    QCOMPARE(form.pCount->text(), QStringLiteral("0/0"));
    form.pAll->click();
    QVERIFY(form.pAll->isChecked());
    QCOMPARE(form.pCount->text(), QStringLiteral("0/0"));
    QVERIFY(box.GetCheckedDevList().isEmpty());
    QCOMPARE(log.Take(), QStringList());
    m_env.Mgr()->DeleteScene(pEmpty);
}

void TestDevFilter::allBoxFollowsRows()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    form.pModel->setCurrentIndex(form.pModel->findText(QStringLiteral("Encoder")));

    Check(form.pTree, TX0);
    QVERIFY(!form.pAll->isChecked());
    Check(form.pTree, TX1);
    QVERIFY(form.pAll->isChecked());
    QCOMPARE(form.pCount->text(), QStringLiteral("2/2"));
    Check(form.pTree, TX0, false);
    QVERIFY(!form.pAll->isChecked());
    QCOMPARE(form.pCount->text(), QStringLiteral("1/2"));
}

void TestDevFilter::orderButtons()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    form.pModel->setCurrentIndex(form.pModel->findText(QStringLiteral("Encoder")));
    const QList<CHOIDev *> rows = RowDevs(form.pTree);
    Check(form.pTree, TX0);
    Check(form.pTree, TX1);
    QCOMPARE(box.GetCheckedDevList(), rows);

    form.pTree->setCurrentItem(form.pTree->topLevelItem(0));
    QVERIFY(!form.pUp->isEnabled());
    QVERIFY(form.pDown->isEnabled());
    // Not offered, and nothing happens if reached.
    box.on_pushBUP_clicked();
    QCOMPARE(RowDevs(form.pTree), rows);

    form.pDown->click();
    const QList<CHOIDev *> swapped{rows.at(1), rows.at(0)};
    QCOMPARE(RowDevs(form.pTree), swapped);
    QCOMPARE(form.pTree->currentItem(), form.pTree->topLevelItem(1));
    QVERIFY(form.pTree->topLevelItem(1)->isSelected());
    QVERIFY(form.pUp->isEnabled());
    QVERIFY(!form.pDown->isEnabled());
    box.on_pBOrderDown_clicked();
    QCOMPARE(RowDevs(form.pTree), swapped);

    // The operator's order holds: nothing re-sorts it later, and the owner
    // addresses the devices in it.
    QTest::qWait(50);
    QCOMPARE(RowDevs(form.pTree), swapped);
    QCOMPARE(box.GetCheckedDevList(), swapped);

    form.pUp->click();
    QCOMPARE(RowDevs(form.pTree), rows);
    QCOMPARE(box.GetCheckedDevList(), rows);
}

void TestDevFilter::colouring()
{
    QDevFilterGroupBox box;
    CTestOwner owner;
    box.Init(&owner, nullptr, nullptr);
    T_BoxForm form(box);
    Check(form.pTree, RX2);
    form.pTree->setCurrentItem(RowOf(form.pTree, Dev(RX3)));
    CSignalLog log(&box);

    box.SetDevItemColor(Dev(RX2), Qt::red);
    for (int col = 0; col < 3; ++col)
        QCOMPARE(RowColor(form.pTree, Dev(RX2), col), QColor(Qt::red));
    // Every column's change runs the model rule again for the checked row.
    QCOMPARE(form.pTree->currentItem(), RowOf(form.pTree, Dev(RX2)));
    QCOMPARE(log.Take().count(QStringLiteral("AllApply:1")), 3);

    // A row that is not checked is coloured and never refused.
    box.SetDevItemColor(Dev(WP5), Qt::green);
    QCOMPARE(RowColor(form.pTree, Dev(WP5), 2), QColor(Qt::green));
    QVERIFY(m_boxes.boxes.isEmpty());

    // A device without a row changes nothing.
    box.SetDevItemColor(Dev(TX0), Qt::green);
    QCOMPARE(RowOf(form.pTree, Dev(TX0)), nullptr);
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(RX2)});
}

void TestDevFilter::ownerHooks()
{
    QDevFilterGroupBox box;
    CTestOwner owner;
    T_BoxForm form(box);
    box.Init(&owner, nullptr, Dev(RX2));

    QCOMPARE(form.pTree->columnCount(), 3);
    QCOMPARE(form.pTree->headerItem()->text(1), QStringLiteral("Alias"));
    QCOMPARE(form.pTree->headerItem()->text(2), QStringLiteral("Hostname"));
    // The bare check-box column stays narrow.
    QVERIFY(form.pTree->columnWidth(0) < form.pTree->columnWidth(1));

    QList<CHOIDev *> expected;
    for (CHOIDev *pDev : OnlineDevs()) {
        if (pDev->GetDevType() != CHOIDev::E_DT_TX)
            expected << pDev;
    }
    QCOMPARE(RowDevs(form.pTree), expected);
    // Nor is a model it leaves out offered.
    QCOMPARE(form.pModel->findText(QStringLiteral("Encoder")), -1);
    QVERIFY(form.pModel->findText(QStringLiteral("Decoder")) > 0);
    QCOMPARE(owner.m_added.size(), expected.size());
    QVERIFY(owner.m_bAddedInTree);
    QCOMPARE(owner.m_added.first().first, expected.first());
    QCOMPARE(owner.m_added.first().second, form.pTree->topLevelItem(0));
    QCOMPARE(RowOf(form.pTree, Dev(RX2))->checkState(0), Qt::Checked);
    QCOMPARE(RowOf(form.pTree, Dev(RX2))->text(1), Dev(RX2)->GetDisplayName());
    QCOMPARE(RowOf(form.pTree, Dev(RX2))->text(2), Dev(RX2)->GetDefaultName());

    owner.m_checked.clear();
    owner.m_current.clear();
    Check(form.pTree, RX3);
    QCOMPARE(owner.m_checked, QList<QTreeWidgetItem *>{RowOf(form.pTree, Dev(RX3))});
    QCOMPARE(owner.m_current, QList<QTreeWidgetItem *>{RowOf(form.pTree, Dev(RX3))});
    QCOMPARE(box.GetCheckedDevList().size(), 2);
}

void TestDevFilter::ownerWithoutHeaders()
{
    QDevFilterGroupBox box;
    CTestOwner owner;
    owner.m_bHeaders = false;
    T_BoxForm form(box);
    box.Init(&owner, nullptr, nullptr);
    QCOMPARE(form.pTree->columnCount(), 1);
    QCOMPARE(form.pTree->headerItem()->text(0), QStringLiteral("Via TX/RX"));
}

void TestDevFilter::childRowsFollowTheirParent()
{
    QDevFilterGroupBox box;
    CTestOwner owner;
    owner.m_pChildDev = Dev(RX3);
    T_BoxForm form(box);
    box.Init(&owner, nullptr, nullptr);
    QTreeWidgetItem *pRow = RowOf(form.pTree, Dev(RX2));
    QCOMPARE(pRow->childCount(), 2);

    pRow->setCheckState(0, Qt::Checked);
    QCOMPARE(pRow->child(0)->checkState(0), Qt::Checked);
    QCOMPARE(pRow->child(1)->checkState(0), Qt::Checked);
    QCOMPARE(box.GetCheckedDevList(), (QList<CHOIDev *>{Dev(RX2), Dev(RX3)}));

    pRow->child(0)->setCheckState(0, Qt::Unchecked);
    QCOMPARE(pRow->checkState(0), Qt::PartiallyChecked);
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(RX3)});
}

void TestDevFilter::languageChangeRelists()
{
    CHOIScene *pScene = m_env.Mgr()->CreateScene(QStringLiteral("Hall-Lang"));
    pScene->SetGridSize(1, 1);
    QString err;
    QVERIFY(pScene->SetCellDev(0, 0, Dev(RX2), err));
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, pScene, Dev(RX2));
    QCOMPARE(form.pTree->topLevelItemCount(), 1);

    QEvent event(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&box, &event);
    QCOMPARE(RowDevs(form.pTree), OnlineDevs());
    QCOMPARE(form.pCount->text(), QStringLiteral("1/7"));
    m_env.Mgr()->DeleteScene(pScene);
}

// Last: takes a device out of the manager for good.
void TestDevFilter::deletedDeviceIsSkipped()
{
    QDevFilterGroupBox box;
    T_BoxForm form(box);
    box.Init(nullptr, nullptr, nullptr);
    Check(form.pTree, RX2);
    Check(form.pTree, RX3);
    CHOIDev *pGone = Dev(RX3);

    QVERIFY(m_env.Mgr()->RemoveDevice(pGone));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(box.GetCheckedDevList(), QList<CHOIDev *>{Dev(RX2)});
    box.SetDevItemColor(pGone, Qt::red);
    QVERIFY(box.IsAllSupportSinkTxRS());
}

QTEST_MAIN(TestDevFilter)
#include "tst_devfilter.moc"
