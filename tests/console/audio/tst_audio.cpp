// The audio settings dialog (layout by product, the feedback suppressor),
// its volume, gain and delay boxes, and the display power dialog, against
// simulated devices in a private test LAN: the exact lines each device
// receives, and the messages for refused input and unreachable devices.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

#include "audio/audiodelaygroupbox.h"
#include "audio/dlgsuppressor.h"
#include "audio/dlgvolumeconfig.h"
#include "audio/gaingroupbox.h"
#include "audio/volumegroupbox.h"
#include "devlist/devactions.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "power/dlgsinkpowersetting.h"
#include "simdevice_commands.h"
#include "simlan.h"

#include "consoletestsupport.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod>\n"
    "  <product id=\"ZAU\" name=\"Audio\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\""
    " vol_line_in_count=\"2\" vol_line_out_count=\"1\" vol_mic_count=\"2\" vol_gain=\"line-in,mic\""
    " vol_phantom_power=\"mic\" min_gain=\"0\" max_gain=\"24\" gain_step=\"6\"/>\n"
    "  <product id=\"VTX480\" name=\"VTX480\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\""
    " vol_line_in_count=\"2\" vol_line_out_count=\"1\" vol_mic_count=\"1\" vol_gain=\"line-in\"/>\n"
    "  <product id=\"ZK830\" name=\"ZK830\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\""
    " vol_line_in_count=\"1\" vol_line_out_count=\"1\" vol_mic_count=\"2\"/>\n"
    "  <product id=\"ZMX\" name=\"Mixer\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\""
    " vol_line_in_count=\"4\"/>\n"
    "  <product id=\"ZDL\" name=\"Delay\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\""
    " audio_delay=\"y\" vol_line_in_count=\"1\"/>\n"
    "  <product id=\"VRX0350\" name=\"VRX0350\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\""
    " audio_delay=\"y\"/>\n"
    "  <product id=\"ZSK\" name=\"Sink\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\" sink_tx_rs=\"y\"/>\n"
    "</hoiprod>\n";

const char *const kModels[] = {"ZAU", "VTX480", "ZK830", "ZMX", "ZDL", "VRX0350", "ZSK", "ZAU"};
const char *const kTypes[] = {"TX", "TX", "TX", "TX", "TX", "RX", "RX", "TX"};
const int kDevCount = 8;
enum {
    E_ZAU = 0,
    E_VTX480 = 1,
    E_ZK830 = 2,
    E_ZMX = 3,
    E_ZDL = 4,
    E_VRX0350 = 5,
    E_ZSK = 6,
    E_ZAU2 = 7,
    E_DEAD = 100, // a device that has no link at all
    E_UNKNOWN = 101,
};

const QString kFailConnect = QStringLiteral("Fails to connect device.");
const QString kSinkGuard =
    QStringLiteral("if [ \"`gbconfig --help | grep sinkpower | wc -l`\" != \"0\" ]; then %1; fi");

template <class T>
T *At(QGridLayout *pGrid, int row, int col)
{
    QLayoutItem *pItem = pGrid->itemAtPosition(row, col);
    return pItem ? qobject_cast<T *>(pItem->widget()) : nullptr;
}

// "row,col:title" of every box of a grid, in layout order.
QStringList Titles(QGridLayout *pGrid)
{
    QStringList titles;
    for (int i = 0; i < pGrid->count(); ++i) {
        int row = 0, col = 0, rows = 0, cols = 0;
        pGrid->getItemPosition(i, &row, &col, &rows, &cols);
        QGroupBox *pBox = qobject_cast<QGroupBox *>(pGrid->itemAt(i)->widget());
        titles << QStringLiteral("%1,%2:%3").arg(row).arg(col).arg(pBox ? pBox->title() : QString());
    }
    return titles;
}

QGridLayout *Grid(QWidget &dlg, const char *name)
{
    return dlg.findChild<QGridLayout *>(QLatin1String(name));
}

template <class T>
T *Child(QObject *pParent, const char *name)
{
    return pParent->findChild<T *>(QLatin1String(name));
}

QTimer *ApplyTimer(QGroupBox *pBox)
{
    return pBox->findChild<QTimer *>();
}

} // namespace

class TestAudio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void volumeScale_data();
    void volumeScale();
    void layoutByProduct_data();
    void layoutByProduct();
    void boxesShowCachedValues();
    void volumeDragSendsOnce();
    void muteDropsPendingLevel();
    void typedVolume();
    void allMicAddressesMicZero();
    void gainSnapsAndSends();
    void phantomPowerAtOnce();
    void portBoxUnreachable();
    void suppressorEnableLearnClear();
    void suppressorUnreachable();
    void audioDelayQueryAndApply_data();
    void audioDelayQueryAndApply();
    void audioDelayRefusesBadValue();
    void audioDelayUnreachable();
    void audioDelayLinkGivesUp();
    void sinkPowerForm();
    void sinkPowerApply_data();
    void sinkPowerApply();
    void sinkPowerNeedsTexts();
    void sinkPowerRs232OnlyProduct();
    void sinkPowerUnreachable();
    void launchersOpenDialogs();
    void retranslate();

private:
    CHOIDev *Dev(int i) const;
    // Lines device i received that start with prefix, in order.
    QList<QByteArray> Lines(int i, const QByteArray &prefix) const;

    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
    CHOIDev *m_pDead = nullptr;
    CHOIDev *m_pUnknown = nullptr;
};

void TestAudio::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    RegisterHoiMetaTypes();
    RegisterProdMetaTypes();
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), kConfig));

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
    QCOMPARE(m_pMgr->GetDevCount(), kDevCount);
    for (int i = 0; i < kDevCount; ++i)
        QVERIFY(Dev(i));

    // Devices the sends fail on at once: without a link of a kind the
    // console can open.
    m_pDead = new CHOIDev(m_pMgr, CHOIDev::E_DT_TX, QStringLiteral("gb"), false, CHOIDev::CommType(1));
    m_pDead->SetHostName(QStringLiteral("ZAU-0A58000000FE"), true);
    m_pUnknown = new CHOIDev(m_pMgr, CHOIDev::E_DT_TX, QStringLiteral("gb"), false, CHOIDev::CommType(1));
    m_pUnknown->SetHostName(QStringLiteral("QQQ-0A58000000FF"), true);
}

void TestAudio::cleanupTestCase()
{
    delete m_pDead;
    delete m_pUnknown;
    delete m_pLan;
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestAudio::init()
{
    if (m_pLan)
        m_pLan->ClearReceived();
}

CHOIDev *TestAudio::Dev(int i) const
{
    if (i == E_DEAD)
        return m_pDead;
    if (i == E_UNKNOWN)
        return m_pUnknown;
    return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(QLatin1String(kModels[i]), i));
}

QList<QByteArray> TestAudio::Lines(int i, const QByteArray &prefix) const
{
    QList<QByteArray> lines;
    for (const QByteArray &line : m_pLan->Commands(i)) {
        if (line.startsWith(prefix))
            lines << line;
    }
    return lines;
}

// ---------------------------------------------------------------------------
// Volume scale

void TestAudio::volumeScale_data()
{
    QTest::addColumn<bool>("toPercent");
    QTest::addColumn<int>("in");
    QTest::addColumn<int>("out");
    QTest::newRow("-18 dB, tie goes low") << true << -18 << 10;
    QTest::newRow("10 dB") << true << 10 << 90;
    QTest::newRow("11 dB") << true << 11 << 100;
    QTest::newRow("1 dB") << true << 1 << 60;
    QTest::newRow("-50 dB") << true << -50 << 10;
    QTest::newRow("-70 dB") << true << -70 << 0;
    QTest::newRow("above the table") << true << 40 << 100;
    QTest::newRow("below the table") << true << -120 << 0;
    QTest::newRow("60 %") << false << 60 << 0;
    QTest::newRow("10 %") << false << 10 << -24;
    QTest::newRow("0 %") << false << 0 << -100;
    QTest::newRow("100 %") << false << 100 << 12;
    QTest::newRow("55 %, tie goes low") << false << 55 << -3;
    QTest::newRow("above 100 %") << false << 130 << 12;
    QTest::newRow("below 0 %") << false << -5 << -100;
}

void TestAudio::volumeScale()
{
    QFETCH(bool, toPercent);
    QFETCH(int, in);
    QFETCH(int, out);
    QCOMPARE(toPercent ? VolumeDbToPercent(in) : VolumePercentToDb(in), out);
}

// ---------------------------------------------------------------------------
// Audio settings dialog

void TestAudio::layoutByProduct_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QStringList>("basic");
    QTest::addColumn<QStringList>("advanced");
    QTest::addColumn<bool>("advancedTab");
    QTest::addColumn<bool>("advancedContent");

    QTest::newRow("ports and gains")
        << int(E_ZAU)
        << QStringList{"0,0:Line In 1", "0,1:Line In 2", "1,0:Line Out 1", "1,3:All Mic"}
        << QStringList{"0,0:Line In 1", "0,1:Line In 2", "1,0:Mic 1", "1,1:Mic 2"} << true << true;
    QTest::newRow("VTX480") << int(E_VTX480)
                            << QStringList{"0,0:Line In 1", "0,1:Line In 2", "1,0:Line Out 1"}
                            << QStringList{"0,0:Line In 1", "0,1:Line In 2"} << true << false;
    QTest::newRow("ZK830") << int(E_ZK830) << QStringList{"0,0:Line In 1", "1,0:Line Out 1"}
                           << QStringList() << true << true;
    QTest::newRow("four line-in, no mic")
        << int(E_ZMX)
        << QStringList{"0,0:Line In 1", "0,1:Line In 2", "0,2:Line In 3", "0,3:Mixer In", "1,4:All Mic"}
        << QStringList() << true << true;
    QTest::newRow("audio delay") << int(E_ZDL) << QStringList{"0,0:Audio delay"} << QStringList()
                                 << false << true;
    QTest::newRow("unknown product") << int(E_UNKNOWN) << QStringList() << QStringList() << true << true;
}

void TestAudio::layoutByProduct()
{
    QFETCH(int, dev);
    QFETCH(QStringList, basic);
    QFETCH(QStringList, advanced);
    QFETCH(bool, advancedTab);
    QFETCH(bool, advancedContent);

    CDlgVolumeConfig dlg(Dev(dev), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Audio Settings"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(Titles(Grid(dlg, "gridLayoutBasic")), basic);
    QCOMPARE(Titles(Grid(dlg, "gridLayoutAdvanced")), advanced);
    QTabWidget *pTabs = Child<QTabWidget>(&dlg, "tabWidget");
    QWidget *pAdvanced = Child<QWidget>(&dlg, "tabtAdvanced");
    QCOMPARE(pTabs->currentIndex(), 0);
    QCOMPARE(pTabs->isTabEnabled(pTabs->indexOf(pAdvanced)), advancedTab);
    if (advancedTab)
        QCOMPARE(pAdvanced->isEnabled(), advancedContent);
}

void TestAudio::boxesShowCachedValues()
{
    // What the device reported during the search: "--line-in=1" "12 n - n",
    // "--line-out=1" "- - 3 n", "--mic=1" "18 y - n".
    CDlgVolumeConfig dlg(Dev(E_ZAU), nullptr);
    QGridLayout *pBasic = Grid(dlg, "gridLayoutBasic");
    QGridLayout *pAdvanced = Grid(dlg, "gridLayoutAdvanced");

    CVolumeGroupBox *pLineOut = At<CVolumeGroupBox>(pBasic, 1, 0);
    QVERIFY(pLineOut);
    QCOMPARE(Child<QSlider>(pLineOut, "hsVolume")->value(), 7);
    QCOMPARE(Child<QSlider>(pLineOut, "hsVolume")->maximum(), 10);
    QCOMPARE(Child<QSpinBox>(pLineOut, "sbVolume")->value(), 70);
    QCOMPARE(Child<QSpinBox>(pLineOut, "sbVolume")->toolTip(), QStringLiteral("0~100"));
    QVERIFY(!Child<QCheckBox>(pLineOut, "chkMute")->isChecked());
    // The form's 70 x 168, grown where the texts of the box need more.
    const QSize need = pLineOut->minimumSizeHint().expandedTo(QSize(70, 168));
    QVERIFY(pLineOut->maximumWidth() >= need.width());
    QVERIFY(pLineOut->minimumHeight() >= need.height());

    // No level reported: volume 0.
    CVolumeGroupBox *pLineIn = At<CVolumeGroupBox>(pBasic, 0, 0);
    QCOMPARE(Child<QSlider>(pLineIn, "hsVolume")->value(), 0);
    QCOMPARE(Child<QSpinBox>(pLineIn, "sbVolume")->value(), 0);

    CGainGroupBox *pGainIn = At<CGainGroupBox>(pAdvanced, 0, 0);
    QSlider *pSlider = Child<QSlider>(pGainIn, "hsGain");
    QSpinBox *pSpin = Child<QSpinBox>(pGainIn, "sbGain");
    QCOMPARE(pSlider->minimum(), 0);
    QCOMPARE(pSlider->maximum(), 4);
    QCOMPARE(pSlider->value(), 2);
    QVERIFY(pSlider->isEnabled());
    QCOMPARE(pSpin->value(), 12);
    QCOMPARE(pSpin->singleStep(), 6);
    QCOMPARE(pSpin->maximum(), 24);
    QCOMPARE(pSpin->toolTip(), QStringLiteral("0~24"));
    // Line-in has no phantom power on this product.
    QVERIFY(!Child<QCheckBox>(pGainIn, "chkPower")->isEnabled());

    CGainGroupBox *pGainMic = At<CGainGroupBox>(pAdvanced, 1, 0);
    QCOMPARE(Child<QSpinBox>(pGainMic, "sbGain")->value(), 18);
    QVERIFY(Child<QCheckBox>(pGainMic, "chkPower")->isEnabled());
    QVERIFY(Child<QCheckBox>(pGainMic, "chkPower")->isChecked());

    // Filling the boxes sent nothing.
    QTest::qWait(100);
    QVERIFY(Lines(E_ZAU, "gbconfig").isEmpty());
}

void TestAudio::volumeDragSendsOnce()
{
    CDlgVolumeConfig dlg(Dev(E_ZAU), nullptr);
    CVolumeGroupBox *pBox = At<CVolumeGroupBox>(Grid(dlg, "gridLayoutBasic"), 1, 0);
    QSlider *pSlider = Child<QSlider>(pBox, "hsVolume");
    for (int v : {8, 9, 10})
        pSlider->setValue(v);
    QCOMPARE(Child<QSpinBox>(pBox, "sbVolume")->value(), 100);
    // Pending until the slider rests.
    QVERIFY(ApplyTimer(pBox)->isActive());
    QCOMPARE(ApplyTimer(pBox)->interval(), 500);
    QVERIFY(ApplyTimer(pBox)->isSingleShot());
    QVERIFY(Lines(E_ZAU, "gbconfig --line-out").isEmpty());

    const QList<QByteArray> expected{"gbconfig --line-out=1 --level-control=12 --mute=n"};
    QTRY_COMPARE(Lines(E_ZAU, "gbconfig --line-out"), expected);
    QTest::qWait(700);
    QCOMPARE(Lines(E_ZAU, "gbconfig --line-out"), expected);
    QCOMPARE(m_pLan->Device(E_ZAU)->config(QStringLiteral("--line-out=1")), QStringLiteral("- - 12 n"));

    // A dialog opened later starts from what was sent.
    CDlgVolumeConfig again(Dev(E_ZAU), nullptr);
    pBox = At<CVolumeGroupBox>(Grid(again, "gridLayoutBasic"), 1, 0);
    QCOMPARE(Child<QSlider>(pBox, "hsVolume")->value(), 10);
}

void TestAudio::muteDropsPendingLevel()
{
    CDlgVolumeConfig dlg(Dev(E_ZAU), nullptr);
    CVolumeGroupBox *pBox = At<CVolumeGroupBox>(Grid(dlg, "gridLayoutBasic"), 0, 1);
    QCheckBox *pMute = Child<QCheckBox>(pBox, "chkMute");
    pMute->setChecked(true);
    Child<QSlider>(pBox, "hsVolume")->setValue(3);
    // Moving the slider unmutes without a command of its own.
    QVERIFY(!pMute->isChecked());
    pMute->click();
    QVERIFY(!ApplyTimer(pBox)->isActive());
    const QList<QByteArray> expected{"gbconfig --line-in=2 --mute=y"};
    QTRY_COMPARE(Lines(E_ZAU, "gbconfig --line-in"), expected);
    QTest::qWait(700);
    QCOMPARE(Lines(E_ZAU, "gbconfig --line-in"), expected);
}

void TestAudio::typedVolume()
{
    CDlgVolumeConfig dlg(Dev(E_ZAU), nullptr);
    CVolumeGroupBox *pBox = At<CVolumeGroupBox>(Grid(dlg, "gridLayoutBasic"), 0, 0);
    QSlider *pSlider = Child<QSlider>(pBox, "hsVolume");
    QSpinBox *pSpin = Child<QSpinBox>(pBox, "sbVolume");
    QCOMPARE(pSlider->value(), 0);

    pSpin->setValue(55);
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(pSlider->value(), 6);
    QCOMPARE(pSpin->value(), 60);
    QTRY_COMPARE(Lines(E_ZAU, "gbconfig --line-in"),
                 QList<QByteArray>{"gbconfig --line-in=1 --level-control=0 --mute=n"});

    // Rounds to the same slider position: shown as typed, nothing sent.
    m_pLan->ClearReceived();
    pSpin->setValue(62);
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(pSlider->value(), 6);
    QCOMPARE(pSpin->value(), 62);
    QVERIFY(!ApplyTimer(pBox)->isActive());
    QTest::qWait(700);
    QVERIFY(Lines(E_ZAU, "gbconfig --line-in").isEmpty());
}

void TestAudio::allMicAddressesMicZero()
{
    CDlgVolumeConfig dlg(Dev(E_ZAU), nullptr);
    CVolumeGroupBox *pBox = At<CVolumeGroupBox>(Grid(dlg, "gridLayoutBasic"), 1, 3);
    QCOMPARE(pBox->title(), QStringLiteral("All Mic"));
    Child<QSlider>(pBox, "hsVolume")->setValue(1);
    QTRY_COMPARE(Lines(E_ZAU, "gbconfig --mic"),
                 QList<QByteArray>{"gbconfig --mic=0 --level-control=-24 --mute=n"});
}

void TestAudio::gainSnapsAndSends()
{
    CDlgVolumeConfig dlg(Dev(E_ZAU), nullptr);
    QGridLayout *pAdvanced = Grid(dlg, "gridLayoutAdvanced");
    CGainGroupBox *pBox = At<CGainGroupBox>(pAdvanced, 0, 0);
    QSpinBox *pSpin = Child<QSpinBox>(pBox, "sbGain");
    // Snaps back to the 12 the device has: nothing to send.
    pSpin->setValue(13);
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(pSpin->value(), 12);
    QCOMPARE(Child<QSlider>(pBox, "hsGain")->value(), 2);
    QVERIFY(!ApplyTimer(pBox)->isActive());
    pSpin->setValue(19);
    QTest::keyClick(pSpin, Qt::Key_Return);
    QCOMPARE(pSpin->value(), 18);
    QCOMPARE(Child<QSlider>(pBox, "hsGain")->value(), 3);
    QTRY_COMPARE(Lines(E_ZAU, "gbconfig --line-in"),
                 QList<QByteArray>{"gbconfig --line-in=1 --gain=18"});

    CGainGroupBox *pMic2 = At<CGainGroupBox>(pAdvanced, 1, 1);
    Child<QSlider>(pMic2, "hsGain")->setValue(3);
    Child<QSlider>(pMic2, "hsGain")->setValue(4);
    QCOMPARE(Child<QSpinBox>(pMic2, "sbGain")->value(), 24);
    const QList<QByteArray> expected{"gbconfig --mic=2 --gain=24"};
    QTRY_COMPARE(Lines(E_ZAU, "gbconfig --mic"), expected);
    QTest::qWait(700);
    QCOMPARE(Lines(E_ZAU, "gbconfig --mic"), expected);
}

void TestAudio::phantomPowerAtOnce()
{
    CDlgVolumeConfig dlg(Dev(E_ZAU), nullptr);
    CGainGroupBox *pBox = At<CGainGroupBox>(Grid(dlg, "gridLayoutAdvanced"), 1, 0);
    QCheckBox *pPower = Child<QCheckBox>(pBox, "chkPower");
    QVERIFY(pPower->isChecked());
    pPower->click();
    QTRY_COMPARE(Lines(E_ZAU, "gbconfig --mic"),
                 QList<QByteArray>{"gbconfig --mic=1 --phantom-power=n"});
    QTRY_COMPARE(m_pLan->Device(E_ZAU)->config(QStringLiteral("--mic=1")), QStringLiteral("18 n - n"));
}

void TestAudio::portBoxUnreachable()
{
    CBoxRecorder boxes;
    CDlgVolumeConfig dlg(m_pDead, nullptr);
    CVolumeGroupBox *pBox = At<CVolumeGroupBox>(Grid(dlg, "gridLayoutBasic"), 1, 0);
    QVERIFY(pBox);
    Child<QCheckBox>(pBox, "chkMute")->click();
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to apply settings to devices.")});
}

void TestAudio::suppressorEnableLearnClear()
{
    CBoxRecorder boxes;
    CDlgVolumeConfig dlg(Dev(E_ZAU2), nullptr);
    QRadioButton *pEnable = Child<QRadioButton>(&dlg, "rbSuppressorEnable");
    QRadioButton *pDisable = Child<QRadioButton>(&dlg, "rbSuppressorDisable");
    QWidget *pLearnRow = Child<QWidget>(&dlg, "widget");
    QPushButton *pLearn = Child<QPushButton>(&dlg, "btnSuppressorSettings");

    // Never read or set: nothing chosen, no learning.
    QVERIFY(!pEnable->isChecked());
    QVERIFY(!pDisable->isChecked());
    QVERIFY(!pLearnRow->isEnabled());

    // A second click on the chosen button sends nothing more.
    QSignalSpy done(Dev(E_ZAU2), &CHOIDev::OnCmdCompleted);
    pEnable->click();
    pEnable->click();
    QVERIFY(pLearnRow->isEnabled());
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(Lines(E_ZAU2, "gbconfig --suppressor"), QList<QByteArray>{"gbconfig --suppressor-bypass=n"});

    // No: nothing is sent.
    m_pLan->ClearReceived();
    boxes.Answer(QMessageBox::No);
    pLearn->click();
    QCOMPARE(boxes.Boxes().size(), 1);
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Warning);
    QCOMPARE(boxes.Boxes().at(0).text, QStringLiteral("Sure to Learn Acoustic Feedback Parameters ?"));
    QCOMPARE(boxes.Boxes().at(0).defaultButton, QMessageBox::No);

    // Yes: learn, clear twice, leave with Escape.
    boxes.Clear();
    boxes.Answer(QMessageBox::Yes);
    boxes.Answer(QMessageBox::Yes);
    boxes.Answer(QMessageBox::Yes);
    CModalWatcher driver;
    bool bSeenLearnStart = false;
    driver.Then([&](QWidget *pWidget) {
        CDlgSuppressor *pHowl = qobject_cast<CDlgSuppressor *>(pWidget);
        QVERIFY(pHowl);
        QCOMPARE(pHowl->windowTitle(), QStringLiteral("Howling detect"));
        QVERIFY(!(pHowl->windowFlags() & Qt::WindowCloseButtonHint));
        QCOMPARE(Child<QDialogButtonBox>(pHowl, "buttonBox")->button(QDialogButtonBox::Ok)->text(),
                 QStringLiteral("Lock"));
        // Learning began before the dialog opened.
        QTRY_COMPARE(Lines(E_ZAU2, "gbconfig --suppressor"),
                     QList<QByteArray>{"gbconfig --suppressor-fix=n"});
        bSeenLearnStart = true;
        QPushButton *pClear = Child<QPushButton>(pHowl, "btnClear");
        pClear->click();
        pClear->click();
        QVERIFY(pHowl->isVisible());
        QTest::keyClick(pHowl, Qt::Key_Escape);
    });
    pLearn->click();
    QCOMPARE(driver.Count(), 1);
    QVERIFY(bSeenLearnStart);
    QCOMPARE(boxes.Texts(), (QStringList{QStringLiteral("Sure to Learn Acoustic Feedback Parameters ?"),
                                         QStringLiteral("Please confirm Clear Acoustic Feedback Parameters !"),
                                         QStringLiteral("Please confirm Clear Acoustic Feedback Parameters !")}));
    QTRY_COMPARE(Lines(E_ZAU2, "gbconfig --suppressor"),
                 (QList<QByteArray>{"gbconfig --suppressor-fix=n", "gbconfig --suppressor-reset",
                                    "gbconfig --suppressor-reset", "gbconfig --suppressor-fix=y"}));

    m_pLan->ClearReceived();
    pDisable->click();
    QVERIFY(!pLearnRow->isEnabled());
    QTRY_COMPARE(Lines(E_ZAU2, "gbconfig --suppressor"),
                 QList<QByteArray>{"gbconfig --suppressor-bypass=y"});

    // The choice the device took is remembered for the next opening.
    QVariant bypass;
    QTRY_VERIFY(Dev(E_ZAU2)->GetOptionValue(E_EP_SUPPRESSOR_BYPASS, bypass) && bypass.toBool());
    CDlgVolumeConfig again(Dev(E_ZAU2), nullptr);
    QVERIFY(Child<QRadioButton>(&again, "rbSuppressorDisable")->isChecked());
    QVERIFY(!Child<QWidget>(&again, "widget")->isEnabled());
}

void TestAudio::suppressorUnreachable()
{
    CBoxRecorder boxes;
    CDlgVolumeConfig dlg(m_pDead, nullptr);
    QRadioButton *pEnable = Child<QRadioButton>(&dlg, "rbSuppressorEnable");
    pEnable->click();
    QVERIFY(pEnable->isChecked());
    QCOMPARE(boxes.Texts(), QStringList{kFailConnect});
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(boxes.Boxes().at(0).title, QString());

    // A failed start of learning opens no "Howling detect".
    boxes.Clear();
    boxes.Answer(QMessageBox::Yes);
    CModalWatcher driver;
    driver.Then([](QWidget *pWidget) { pWidget->close(); });
    Child<QPushButton>(&dlg, "btnSuppressorSettings")->click();
    QCOMPARE(boxes.Texts(),
             (QStringList{QStringLiteral("Sure to Learn Acoustic Feedback Parameters ?"), kFailConnect}));
    QCOMPARE(driver.Count(), 0);
}

// ---------------------------------------------------------------------------
// Audio delay

void TestAudio::audioDelayQueryAndApply_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QByteArray>("option");
    QTest::newRow("any product") << int(E_ZDL) << QByteArray("--audio-delay");
    QTest::newRow("VRX0350") << int(E_VRX0350) << QByteArray("--delay-play");
}

void TestAudio::audioDelayQueryAndApply()
{
    QFETCH(int, dev);
    QFETCH(QByteArray, option);
    m_pLan->Device(dev)->setConfig(QString::fromLatin1(option), QStringLiteral("40"));

    CBoxRecorder boxes;
    CDlgVolumeConfig dlg(Dev(dev), nullptr);
    CAudioDelayGroupBox *pBox = At<CAudioDelayGroupBox>(Grid(dlg, "gridLayoutBasic"), 0, 0);
    QVERIFY(pBox);
    QLineEdit *pEdit = Child<QLineEdit>(pBox, "lineEdit");
    QTRY_COMPARE(pEdit->text(), QStringLiteral("40"));
    QCOMPARE(Lines(dev, "gbconfig"), QList<QByteArray>{"gbconfig --show " + option});

    // Only digits, at most three that stay within 500.
    pEdit->clear();
    QTest::keyClicks(pEdit, QStringLiteral("12a04"));
    QCOMPARE(pEdit->text(), QStringLiteral("120"));
    Child<QPushButton>(pBox, "pushButtonOK")->click();
    QTRY_COMPARE(Lines(dev, "gbconfig --" + option.mid(2, 1)),
                 QList<QByteArray>{"gbconfig " + option + " 120"});
    QTRY_COMPARE(m_pLan->Device(dev)->config(QString::fromLatin1(option)), QStringLiteral("120"));
    QVERIFY(boxes.Boxes().isEmpty());

    // Every answer replaces what is typed.
    QTest::keyClicks(pEdit, QStringLiteral("7"));
    if (dev == E_VRX0350)
        QVERIFY(Dev(dev)->QueryDelayPlay());
    else
        QVERIFY(Dev(dev)->QueryAudioDelay());
    QTRY_COMPARE(pEdit->text(), QStringLiteral("120"));
}

void TestAudio::audioDelayRefusesBadValue()
{
    // An answer bypasses the validator; such a value is not sent back.
    m_pLan->Device(E_ZDL)->setConfig(QStringLiteral("--audio-delay"), QStringLiteral("600"));
    CBoxRecorder boxes;
    CAudioDelayGroupBox box(Dev(E_ZDL), nullptr);
    QLineEdit *pEdit = Child<QLineEdit>(&box, "lineEdit");
    QTRY_COMPARE(pEdit->text(), QStringLiteral("600"));
    QPushButton *pApply = Child<QPushButton>(&box, "pushButtonOK");
    pApply->click();
    pEdit->clear();
    pApply->click();
    QCOMPARE(boxes.Texts(), (QStringList{QStringLiteral("Please enter a delay from 0 to 500 ms."),
                                         QStringLiteral("Please enter a delay from 0 to 500 ms.")}));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Critical);
    QTest::qWait(300);
    QVERIFY(Lines(E_ZDL, "gbconfig --audio-delay").isEmpty());
    QCOMPARE(m_pLan->Device(E_ZDL)->config(QStringLiteral("--audio-delay")), QStringLiteral("600"));
}

void TestAudio::audioDelayUnreachable()
{
    CBoxRecorder boxes;
    CHOIDev dead(m_pMgr, CHOIDev::E_DT_TX, QStringLiteral("gb"), false, CHOIDev::CommType(1));
    dead.SetHostName(QStringLiteral("ZDL-0A58000000FD"), true);
    CDlgVolumeConfig dlg(&dead, nullptr);
    CAudioDelayGroupBox *pBox = At<CAudioDelayGroupBox>(Grid(dlg, "gridLayoutBasic"), 0, 0);
    QVERIFY(pBox);
    QLineEdit *pEdit = Child<QLineEdit>(pBox, "lineEdit");
    QVERIFY(pEdit->text().isEmpty());
    QVERIFY(boxes.Boxes().isEmpty());
    pEdit->setText(QStringLiteral("100"));
    Child<QPushButton>(pBox, "pushButtonOK")->click();
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to apply settings to devices.")});
    QCOMPARE(pEdit->text(), QStringLiteral("100"));

    // Without a device the box asks nothing and Apply does nothing.
    CAudioDelayGroupBox empty(nullptr, nullptr);
    Child<QPushButton>(&empty, "pushButtonOK")->click();
    QCOMPARE(boxes.Boxes().size(), 1);
}

void TestAudio::audioDelayLinkGivesUp()
{
    // Switched off once the delay was read: the line is taken at once and
    // given up only after the link's connection attempts.
    CHOIDev *pDev = Dev(E_ZDL);
    CBoxRecorder boxes;
    CDlgVolumeConfig dlg(pDev, nullptr);
    CAudioDelayGroupBox *pBox = At<CAudioDelayGroupBox>(Grid(dlg, "gridLayoutBasic"), 0, 0);
    QLineEdit *pEdit = Child<QLineEdit>(pBox, "lineEdit");
    QTRY_VERIFY(!pEdit->text().isEmpty());
    const auto restore = qScopeGuard([&] {
        m_pLan->SetDeviceOn(E_ZDL, true);
        pDev->SetRetryInterval(3000);
    });
    m_pLan->SetDeviceOn(E_ZDL, false);
    QTRY_VERIFY(!pDev->GetComm()->IsConnected());
    pDev->SetRetryInterval(50);

    pEdit->setText(QStringLiteral("100"));
    Child<QPushButton>(pBox, "pushButtonOK")->click();
    QVERIFY(boxes.Boxes().isEmpty());
    QTRY_COMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to apply settings to devices.")});
    QCOMPARE(pEdit->text(), QStringLiteral("100"));
}

// ---------------------------------------------------------------------------
// Display power

void TestAudio::sinkPowerForm()
{
    CDlgSinkPowerSetting dlg(Dev(E_ZAU2), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Display Power Settings"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCheckBox *pCec = Child<QCheckBox>(&dlg, "chbCEC");
    QCheckBox *pRs232 = Child<QCheckBox>(&dlg, "chbRS232");
    QGroupBox *pGroup = Child<QGroupBox>(&dlg, "gbRS232Setting");
    QPushButton *pApply = Child<QPushButton>(&dlg, "pbSinkPower_apply");
    QVERIFY(pCec->isEnabled());
    QVERIFY(!pCec->isChecked() && !pRs232->isChecked());
    QVERIFY(!pGroup->isEnabled());
    QVERIFY(!pApply->isEnabled());

    QComboBox *pBaud = Child<QComboBox>(&dlg, "cmbBaudRate_sinkPower");
    QCOMPARE(pBaud->count(), 18);
    QCOMPARE(pBaud->itemText(0), QStringLiteral("50"));
    QCOMPARE(pBaud->itemText(17), QStringLiteral("230400"));
    QCOMPARE(pBaud->currentText(), QStringLiteral("115200"));
    QCOMPARE(Child<QComboBox>(&dlg, "cmbDataBits_sinkPower")->currentText(), QStringLiteral("8"));
    QCOMPARE(Child<QComboBox>(&dlg, "cmbStopBits_sinkPower")->currentText(), QStringLiteral("1"));
    QComboBox *pParity = Child<QComboBox>(&dlg, "cmbParity_sinkPower");
    QCOMPARE(pParity->count(), 3);
    QCOMPARE(pParity->currentText(), QStringLiteral("None"));
    QCOMPARE(pParity->itemData(0).toInt(), 110);
    QCOMPARE(pParity->itemData(1).toInt(), 111);
    QCOMPARE(pParity->itemData(2).toInt(), 101);
    QCOMPARE(pParity->itemText(2), QStringLiteral("Even"));

    pCec->click();
    QVERIFY(pApply->isEnabled());
    QVERIFY(!pGroup->isEnabled());
    pRs232->click();
    QVERIFY(pGroup->isEnabled());
    pCec->click();
    QVERIFY(pApply->isEnabled());
    pRs232->click();
    QVERIFY(!pApply->isEnabled());
    QVERIFY(!pGroup->isEnabled());
}

void TestAudio::sinkPowerApply_data()
{
    QTest::addColumn<bool>("cec");
    QTest::addColumn<bool>("rs232");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<QString>("dataBits");
    QTest::addColumn<QString>("stopBits");
    QTest::addColumn<int>("parity");
    QTest::addColumn<QString>("powerOn");
    QTest::addColumn<QString>("standby");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("mode");

    QTest::newRow("CEC only") << true << false << false << "115200" << "8" << "1" << 0 << QString()
                              << QString() << "gbconfig --sinkpower-mode cec" << "cec";
    QTest::newRow("RS-232 only")
        << false << true << false << "115200" << "8" << "1" << 0 << "ka 01 01" << "ka 01 00"
        << "gbconfig --sinkpower-mode rs232;gbconfig --rs232-param 115200-8n1;"
           "gbconfig --rs232-hex-cmd-enable n;gbparam s rs232_poweron_cmd \"ka 01 01\";"
           "gbparam s rs232_standby_cmd \"ka 01 00\""
        << "rs232";
    // Lines of a command are joined without a separator.
    QTest::newRow("both, hex, two lines")
        << true << true << true << "9600" << "7" << "2" << 2 << "AA 01\r\n02 FF\n" << "\nAA 00"
        << "gbconfig --sinkpower-mode both;gbconfig --rs232-param 9600-7e2;"
           "gbconfig --rs232-hex-cmd-enable y;gbparam s rs232_poweron_cmd \"AA 0102 FF\";"
           "gbparam s rs232_standby_cmd \"AA 00\""
        << "both";
}

void TestAudio::sinkPowerApply()
{
    QFETCH(bool, cec);
    QFETCH(bool, rs232);
    QFETCH(bool, hex);
    QFETCH(QString, baud);
    QFETCH(QString, dataBits);
    QFETCH(QString, stopBits);
    QFETCH(int, parity);
    QFETCH(QString, powerOn);
    QFETCH(QString, standby);
    QFETCH(QString, body);
    QFETCH(QString, mode);

    CBoxRecorder boxes;
    CDlgSinkPowerSetting dlg(Dev(E_ZAU2), nullptr);
    if (cec)
        Child<QCheckBox>(&dlg, "chbCEC")->click();
    if (rs232)
        Child<QCheckBox>(&dlg, "chbRS232")->click();
    Child<QCheckBox>(&dlg, "chbHex")->setChecked(hex);
    Child<QComboBox>(&dlg, "cmbBaudRate_sinkPower")->setCurrentText(baud);
    Child<QComboBox>(&dlg, "cmbDataBits_sinkPower")->setCurrentText(dataBits);
    Child<QComboBox>(&dlg, "cmbStopBits_sinkPower")->setCurrentText(stopBits);
    Child<QComboBox>(&dlg, "cmbParity_sinkPower")->setCurrentIndex(parity);
    Child<QTextEdit>(&dlg, "teSinkPower_msgPoweron")->setPlainText(powerOn);
    Child<QTextEdit>(&dlg, "teSinkPower_msgStandby")->setPlainText(standby);

    Child<QPushButton>(&dlg, "pbSinkPower_apply")->click();
    QVERIFY(dlg.isEnabled());
    QTRY_COMPARE(Lines(E_ZAU2, "if ["), QList<QByteArray>{kSinkGuard.arg(body).toUtf8()});
    QVERIFY(boxes.Boxes().isEmpty());
    // The device's tool took every command of the line.
    SimDevice *pSim = m_pLan->Device(E_ZAU2);
    QTRY_COMPARE(pSim->config(QStringLiteral("--sinkpower-mode")), mode);
    if (rs232) {
        QCOMPARE(pSim->param(QStringLiteral("rs232_poweron_cmd")), QString(powerOn).remove('\r').remove('\n'));
        QCOMPARE(pSim->config(QStringLiteral("--rs232-hex-cmd-enable")), QLatin1String(hex ? "y" : "n"));
    }
}

void TestAudio::sinkPowerNeedsTexts()
{
    CBoxRecorder boxes;
    CDlgSinkPowerSetting dlg(Dev(E_ZAU2), nullptr);
    Child<QCheckBox>(&dlg, "chbRS232")->click();
    QTextEdit *pPowerOn = Child<QTextEdit>(&dlg, "teSinkPower_msgPoweron");
    QTextEdit *pStandby = Child<QTextEdit>(&dlg, "teSinkPower_msgStandby");
    QPushButton *pApply = Child<QPushButton>(&dlg, "pbSinkPower_apply");

    pPowerOn->setPlainText(QStringLiteral("\n\r\n"));
    pStandby->setPlainText(QStringLiteral("SBY"));
    pApply->click();
    QVERIFY(dlg.isEnabled());
    pPowerOn->setPlainText(QStringLiteral("PWR"));
    pStandby->setPlainText(QStringLiteral("\n"));
    pApply->click();
    QVERIFY(dlg.isEnabled());
    QCOMPARE(boxes.Texts(), (QStringList{QStringLiteral("Please enter the power on information."),
                                         QStringLiteral("Please enter the standby information.")}));
    for (const T_SeenBox &box : boxes.Boxes()) {
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.title, QString());
    }
    QTest::qWait(300);
    QVERIFY(Lines(E_ZAU2, "if [").isEmpty());
}

void TestAudio::sinkPowerRs232OnlyProduct()
{
    CDlgSinkPowerSetting dlg(Dev(E_ZSK), nullptr);
    QCheckBox *pCec = Child<QCheckBox>(&dlg, "chbCEC");
    QVERIFY(!pCec->isEnabled());
    Child<QCheckBox>(&dlg, "chbRS232")->click();
    Child<QTextEdit>(&dlg, "teSinkPower_msgPoweron")->setPlainText(QStringLiteral("ON"));
    Child<QTextEdit>(&dlg, "teSinkPower_msgStandby")->setPlainText(QStringLiteral("OFF"));
    Child<QPushButton>(&dlg, "pbSinkPower_apply")->click();
    // Applying re-enables the dialog, not the box the product rules out.
    QVERIFY(!pCec->isEnabled());
    QTRY_COMPARE(m_pLan->Device(E_ZSK)->config(QStringLiteral("--sinkpower-mode")), QStringLiteral("rs232"));
}

void TestAudio::sinkPowerUnreachable()
{
    CBoxRecorder boxes;
    CDlgSinkPowerSetting dlg(m_pDead, nullptr);
    Child<QCheckBox>(&dlg, "chbCEC")->click();
    Child<QPushButton>(&dlg, "pbSinkPower_apply")->click();
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to Display Power settings to devices.")});
    QVERIFY(dlg.isEnabled());
    QVERIFY(Child<QCheckBox>(&dlg, "chbCEC")->isChecked());
}

// ---------------------------------------------------------------------------

void TestAudio::launchersOpenDialogs()
{
    CModalWatcher driver;
    QString opened;
    driver.Then([&](QWidget *pWidget) {
        opened = QLatin1String(pWidget->metaObject()->className());
        pWidget->close();
    });
    driver.Then([&](QWidget *pWidget) {
        opened += QLatin1Char(' ') + QLatin1String(pWidget->metaObject()->className());
        pWidget->close();
    });
    ExecDevDialog<CDlgVolumeConfig>(Dev(E_ZAU), nullptr);
    ExecDevDialog<CDlgSinkPowerSetting>(Dev(E_ZAU), nullptr);
    QCOMPARE(opened, QStringLiteral("CDlgVolumeConfig CDlgSinkPowerSetting"));
}

void TestAudio::retranslate()
{
    const QString binDir = qEnvironmentVariable("HOI_BIN_DIR");
    QTranslator translator;
    if (binDir.isEmpty() || !translator.load(QStringLiteral("zh_CN.qm"), binDir))
        QSKIP("zh_CN.qm is not built");
    CDlgVolumeConfig audio(Dev(E_ZAU), nullptr);
    CDlgSinkPowerSetting power(Dev(E_ZAU), nullptr);
    CDlgSuppressor howl(Dev(E_ZAU), nullptr);
    QPushButton *pLock = Child<QDialogButtonBox>(&howl, "buttonBox")->button(QDialogButtonBox::Ok);
    CVolumeGroupBox *pMic = At<CVolumeGroupBox>(Grid(audio, "gridLayoutBasic"), 1, 3);
    QComboBox *pParity = Child<QComboBox>(&power, "cmbParity_sinkPower");
    pParity->setCurrentIndex(1);
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(audio.windowTitle(), QStringLiteral("音频设置"));
    QCOMPARE(pMic->title(), QStringLiteral("全部麦克风"));
    QCOMPARE(power.windowTitle(), QStringLiteral("显示器电源设置"));
    QCOMPARE(pParity->itemText(0), QStringLiteral("无"));
    QCOMPARE(pParity->currentIndex(), 1);
    QTRY_COMPARE(pLock->text(), QStringLiteral("锁定"));
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(audio.windowTitle(), QStringLiteral("Audio Settings"));
    QCOMPARE(pMic->title(), QStringLiteral("All Mic"));
    QCOMPARE(pParity->itemText(0), QStringLiteral("None"));
    QTRY_COMPARE(pLock->text(), QStringLiteral("Lock"));
}

QTEST_MAIN(TestAudio)
#include "tst_audio.moc"
