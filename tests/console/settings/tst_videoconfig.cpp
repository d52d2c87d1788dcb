// The video configuration dialog against simulated devices in the private
// test LAN: how the form is tailored to the product and type, which cached
// values it shows, and which lines each apply sends in which order; refusals,
// a dead device and a device with nothing to send.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include "settings/dlgvideoconfig.h"

#include "settingstestsupport.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod rxldy=\"gbconfig --low-delay y\" rxldn=\"gbconfig --low-delay n\">\n"
    "  <product id=\"VTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\"\n"
    "           tx_video_input=\"hdmi,vga,HDMI,hdbt2|cvbs\" force_resolution=\"1920x1080_60,_x,1280x720\"\n"
    "           force_color_space=\"RGB,YUV444\" hdcp_enable=\"y\" vo_mode=\"y\" video_profile=\"y\"\n"
    "           video_rate_control_fix=\"y\" video_minQP=\"y\" video_maxQP=\"y\" video_GOP=\"y\"\n"
    "           max_resolution=\"y\" max_bitrate=\"y\"/>\n"
    "  <product id=\"VRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\"\n"
    "           force_resolution=\"1920x1080_60\" force_color_space=\"RGB,YUV444\"\n"
    "           vrx_force_resolution=\"1920x1080_60,1280x720_50\" CVBS_Resolution=\"ntsc,pal\"\n"
    "           VGA_Resolution=\"1024x768\" DVID_Resolution=\"1920x1080_60\" YPbPr_Resolution=\"1080i\"\n"
    "           ZK_VGA_Resolu=\"1920x1080_60\" vo_mode=\"y\"/>\n"
    "  <product id=\"VWP\" name=\"Processor\" type=\"wp\" param_prefix=\"gb\" old_api=\"n\"\n"
    "           tx_video_input=\"hdmi\" video_transport_type=\"y\"/>\n"
    "  <product id=\"VMX\" name=\"Multiview\" type=\"mrx\" param_prefix=\"gb\" old_api=\"n\"/>\n"
    "</hoiprod>\n";

enum { kTx = 0, kRx = 1, kWp = 2, kMrx = 3, kDeadTx = 4 };

// The dialog's widgets by object name.
template <class T>
T *Find(QWidget &dlg, const char *pszName)
{
    T *pWidget = dlg.findChild<T *>(QLatin1String(pszName));
    if (!pWidget)
        qWarning() << "no widget" << pszName;
    return pWidget;
}

QWidget *W(QWidget &dlg, const char *pszName)
{
    return Find<QWidget>(dlg, pszName);
}

QComboBox *Combo(QWidget &dlg, const char *pszName)
{
    return Find<QComboBox>(dlg, pszName);
}

QStringList Texts(const QComboBox *pCombo)
{
    QStringList texts;
    for (int i = 0; i < pCombo->count(); ++i)
        texts << pCombo->itemText(i);
    return texts;
}

QList<QRadioButton *> InputButtons(QWidget &dlg)
{
    return W(dlg, "gbVideoInput")->findChildren<QRadioButton *>();
}

void ClickApply(QWidget &dlg)
{
    QTest::mouseClick(Find<QDialogButtonBox>(dlg, "buttonBox")->button(QDialogButtonBox::Apply), Qt::LeftButton);
}

void SelectData(QComboBox *pCombo, const QString &strData)
{
    const int nIndex = pCombo->findData(strData);
    QVERIFY2(nIndex >= 0, qPrintable(strData));
    pCombo->setCurrentIndex(nIndex);
}

} // namespace

class TestVideoConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void allowedVideoInputs_data();
    void allowedVideoInputs();
    void tailoredToProduct_data();
    void tailoredToProduct();
    void encoderShowsCachedValues();
    void decoderShowsCachedValues();
    void minQpRaisesMaxQp();

    void basicApplyEncoder_data();
    void basicApplyEncoder();
    void basicApplyDecoderSoftwareDip_data();
    void basicApplyDecoderSoftwareDip();
    void basicApplyDecoderHardwareDip();
    void advancedApplyEncoder_data();
    void advancedApplyEncoder();
    void advancedApplyProcessorSkipsHidden();
    void advancedApplyLowDelay();
    void okClosesAfterCompletion();
    void noInputChosen();
    void refusedCommands();
    void deadDeviceFailsClearly_data();
    void deadDeviceFailsClearly();
    void nothingToSendDoesNotWait();

private:
    CHOIDev *Dev(int i) const { return m_lan.Dev(i); }
    void ResetCaches();

    CSettingsLan m_lan;
};

void TestVideoConfig::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    // The link's traces would bury the test's own output.
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    RegisterHoiMetaTypes();
    RegisterProdMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");
    InitConsoleResources();
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), kConfig));
    QVERIFY(m_lan.Start({"VTX", "VRX", "VWP", "VMX", "VTX"}, {"TX", "RX", "WP", "MRX", "TX"}));
    Dev(kDeadTx)->SetRetryInterval(100);
}

void TestVideoConfig::cleanupTestCase()
{
    m_lan.Stop();
}

void TestVideoConfig::init()
{
    if (!m_lan.Lan())
        return;
    ResetCaches();
    m_lan.Clear();
}

// Every value a test reads starts from the same state, whatever the read-back
// after the search filled in.
void TestVideoConfig::ResetCaches()
{
    for (int i = 0; i <= kDeadTx; ++i) {
        CHOIDev *pDev = Dev(i);
        if (!pDev)
            continue; // removed by a test
        pDev->m_strVideoInput = QStringLiteral("hdmi:-:-");
        pDev->m_mapOptions.clear();
        pDev->m_strForceResolution.clear();
        pDev->m_strColorSpace.clear();
        pDev->m_bHdcpEnable = false;
        pDev->m_strOutputDip.clear();
        pDev->m_nHwDipEnable = 0;
        pDev->m_strHdmiResolution.clear();
        pDev->m_strCvbsResolution.clear();
        pDev->m_strMultiScreenVgaResolution.clear();
        pDev->m_strVoMode.clear();
        pDev->m_strMaxResolution.clear();
    }
}

void TestVideoConfig::allowedVideoInputs_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("inputs");

    QTest::newRow("first host") << "hdmi,vga|cvbs" << 0 << QStringList({"hdmi", "vga"});
    QTest::newRow("second host") << "hdmi,vga|cvbs" << 1 << QStringList({"cvbs"});
    QTest::newRow("beyond the segments") << "hdmi,vga|cvbs" << 2 << QStringList();
    QTest::newRow("empty text") << "" << 0 << QStringList();
    QTest::newRow("empty parts kept") << "a,,b|" << 0 << QStringList({"a", "", "b"});
    QTest::newRow("empty segment") << "a|" << 1 << QStringList({""});
}

void TestVideoConfig::allowedVideoInputs()
{
    QFETCH(QString, text);
    QFETCH(int, index);
    QFETCH(QStringList, inputs);
    QCOMPARE(CDlgVideoConfig::AllowedVideoInputs(text, index), inputs);
}

void TestVideoConfig::tailoredToProduct_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QStringList>("basicShown");
    QTest::addColumn<QStringList>("advancedShown");
    QTest::addColumn<QStringList>("modes");

    // Everything the tailoring decides, on both tabs.
    QTest::newRow("encoder") << int(kTx)
                             << QStringList({"gbVideoInput", "gbVideoOutput", "label_7", "GruopBHDCP"})
                             << QStringList({"gbAdvance", "wdProfile", "wdMaxResolution", "wdGOP", "wdTransportType",
                                             "sbVBRMinQP", "sbVBRMaxQP"})
                             << QStringList({"vbr", "cbr", "fixqp"});
    // A decoder never shows the encoder's output group, whatever it lists.
    QTest::newRow("decoder") << int(kRx)
                             << QStringList({"gbVideoOutput_3", "radioBtn_Enable", "label_40", "gbVideoOutput_4"})
                             << QStringList({"gbLowDelay"}) << QStringList({"vbr", "cbr"});
    QTest::newRow("processor") << int(kWp) << QStringList({"gbVideoInput"}) << QStringList({"gbAdvance"})
                               << QStringList({"vbr", "cbr"});
    QTest::newRow("multiview decoder") << int(kMrx) << QStringList() << QStringList() << QStringList({"vbr", "cbr"});
}

void TestVideoConfig::tailoredToProduct()
{
    QFETCH(int, dev);
    QFETCH(QStringList, basicShown);
    QFETCH(QStringList, advancedShown);
    QFETCH(QStringList, modes);

    CDlgVideoConfig dlg(Dev(dev), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Video Settings"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QDialogButtonBox *pButtons = Find<QDialogButtonBox>(dlg, "buttonBox");
    QVERIFY(pButtons->button(QDialogButtonBox::Ok)->isHidden());
    QCOMPARE(pButtons->button(QDialogButtonBox::Apply)->text(), QStringLiteral("Apply"));

    const char *const basic[] = {"gbVideoInput", "gbVideoOutput", "label_7", "GruopBHDCP",
                                 "gbVideoOutput_3", "radioBtn_Enable", "label_40", "gbVideoOutput_4"};
    const char *const advanced[] = {"gbAdvance", "wdProfile", "wdMaxResolution", "wdGOP", "wdTransportType",
                                    "sbVBRMinQP", "sbVBRMaxQP", "gbLowDelay"};
    QWidget *pBasic = W(dlg, "tabBasic");
    QWidget *pAdvanced = W(dlg, "tabAdvanced");
    for (const char *pszName : basic)
        QVERIFY2(W(dlg, pszName)->isVisibleTo(pBasic) == basicShown.contains(QLatin1String(pszName)), pszName);
    for (const char *pszName : advanced) {
        QVERIFY2(W(dlg, pszName)->isVisibleTo(pAdvanced) == advancedShown.contains(QLatin1String(pszName)),
                 pszName);
    }
    QCOMPARE(Texts(Combo(dlg, "cbEncMode")), modes);
    QVERIFY(!Find<QGroupBox>(dlg, "gbAdvance")->isChecked());
    QVERIFY(!Find<QGroupBox>(dlg, "gbLowDelay")->isChecked());
}

void TestVideoConfig::encoderShowsCachedValues()
{
    CHOIDev *pDev = Dev(kTx);
    pDev->m_strVideoInput = QStringLiteral("vga:-:mp");
    pDev->SetForceResolution(QStringLiteral("1280x720"));
    pDev->SetColorSpace(QStringLiteral("yuv444")); // as the last apply sent it
    pDev->SetHdcpEnable(0);
    pDev->m_mapOptions.insert(QStringLiteral("--enc-rc-mode"), QVariant::fromValue(E_FPSM_CBR));
    pDev->m_mapOptions.insert(QStringLiteral("--cbr-avg-bitrate"), 5000);
    pDev->m_mapOptions.insert(QStringLiteral("--enc-gop"), 60);
    pDev->m_mapOptions.insert(QStringLiteral("--transport-type"), QVariant::fromValue(E_TT_TS));
    pDev->SetMaxResolution(QStringLiteral("1920x1200"));

    CDlgVideoConfig dlg(pDev, nullptr);
    // Host index 1 takes the first segment; "HDMI" is captioned but never
    // matches the lower-cased current input.
    const QList<QRadioButton *> inputs = InputButtons(dlg);
    QCOMPARE(inputs.size(), 4);
    QStringList captions;
    QStringList checked;
    for (QRadioButton *pButton : inputs) {
        captions << pButton->text();
        if (pButton->isChecked())
            checked << pButton->property("value").toString();
        QVERIFY(pButton->isEnabled());
    }
    QCOMPARE(captions, QStringList({"HDMI IN", "VGA IN", "HDMI IN", "HDBT IN2"}));
    QCOMPARE(checked, QStringList({"vga"}));

    QComboBox *pResolution = Combo(dlg, "cbVoResulotion");
    QCOMPARE(Texts(pResolution), QStringList({"1920x1080 (60fps)", "_x", "1280x720"}));
    QCOMPARE(pResolution->currentData().toString(), QStringLiteral("1280x720"));
    QCOMPARE(Combo(dlg, "cbVoColorSpace")->currentText(), QStringLiteral("YUV444"));
    QVERIFY(Find<QRadioButton>(dlg, "radioBtn_HDCP_D")->isChecked());

    QCOMPARE(Combo(dlg, "cbEncMode")->currentText(), QStringLiteral("cbr"));
    QCOMPARE(Find<QStackedWidget>(dlg, "stackedWidget")->currentWidget()->objectName(), QStringLiteral("pgCBR"));
    QCOMPARE(Find<QSpinBox>(dlg, "sbCBRAvgBitrate")->value(), 5000);
    QCOMPARE(Find<QSpinBox>(dlg, "sbEncGOP")->value(), 60);
    // Never reported: the lowest value of the range.
    QCOMPARE(Find<QSpinBox>(dlg, "sbEncFPS")->value(), 1);
    QCOMPARE(Combo(dlg, "cbTranType")->currentText(), QStringLiteral("ts"));
    QCOMPARE(Combo(dlg, "cbProfile")->currentData().toString(), QStringLiteral("mp"));
    QCOMPARE(Texts(Combo(dlg, "cbProfile")),
             QStringList({"H.264 High Profile", "H.264 Main Profile", "H.264 Baseline Profile"}));
    QCOMPARE(Combo(dlg, "cbMaxResolution")->currentText(), QStringLiteral("1920x1200"));
    // "max_bitrate" limits both bitrates.
    QCOMPARE(Find<QSpinBox>(dlg, "sbVBRMaxBitrate")->maximum(), 30720);
    QCOMPARE(Find<QSpinBox>(dlg, "sbCBRAvgBitrate")->maximum(), 30720);
    QCOMPARE(Find<QLabel>(dlg, "label_8")->text(), QStringLiteral("64~30720"));
}

void TestVideoConfig::decoderShowsCachedValues()
{
    CHOIDev *pDev = Dev(kRx);
    pDev->SetOutputDip(QStringLiteral("CVBS"));
    pDev->SetCvbsResolution(QStringLiteral("pal"));
    pDev->SetHdmiResolution(QStringLiteral("1280x720_50"));
    pDev->SetColorSpace(QStringLiteral("RGB"));
    pDev->SetHwDipEnable(1);
    pDev->SetVoMode(QStringLiteral("low delay"));

    CDlgVideoConfig dlg(pDev, nullptr);
    QCOMPARE(Combo(dlg, "cbSelectMode")->currentText(), QStringLiteral("CVBS"));
    QCOMPARE(Find<QStackedWidget>(dlg, "stackedWidgetResolution")->currentWidget()->objectName(),
             QStringLiteral("pgCVBS"));
    QCOMPARE(Combo(dlg, "cbVoCVBSResulotion")->currentText(), QStringLiteral("pal"));
    QCOMPARE(Texts(Combo(dlg, "cbVoVRXResulotion")), QStringList({"1920x1080 (60fps)", "1280x720 (50fps)"}));
    QCOMPARE(Combo(dlg, "cbVoVRXResulotion")->currentData().toString(), QStringLiteral("1280x720_50"));
    QCOMPARE(Combo(dlg, "cbVoColorSpace2")->currentText(), QStringLiteral("RGB"));
    // The encoder's colour list is emptied for a decoder.
    QCOMPARE(Combo(dlg, "cbVoColorSpace")->count(), 0);
    QCOMPARE(Combo(dlg, "cbLowDelay")->currentText(), QStringLiteral("low delay"));

    // The hardware switch decides: the software selection is locked.
    QVERIFY(Find<QRadioButton>(dlg, "radioBtn_Enable")->isChecked());
    for (const char *pszName : {"cbSelectMode", "cbVoVRXResulotion", "cbVoColorSpace2", "cbVoCVBSResulotion"})
        QVERIFY2(!W(dlg, pszName)->isEnabled(), pszName);
    Find<QRadioButton>(dlg, "radioBtn_Disable")->setChecked(true);
    for (const char *pszName : {"cbSelectMode", "cbVoVRXResulotion", "cbVoColorSpace2", "cbVoCVBSResulotion"})
        QVERIFY2(W(dlg, pszName)->isEnabled(), pszName);

    Combo(dlg, "cbSelectMode")->setCurrentIndex(4);
    QCOMPARE(Find<QStackedWidget>(dlg, "stackedWidgetResolution")->currentWidget()->objectName(),
             QStringLiteral("pgYPbPr"));
}

void TestVideoConfig::minQpRaisesMaxQp()
{
    CDlgVideoConfig dlg(Dev(kTx), nullptr);
    QSpinBox *pMax = Find<QSpinBox>(dlg, "sbVBRMaxQP");
    pMax->setValue(20);
    Find<QSpinBox>(dlg, "sbVBRMinQP")->setValue(30);
    QCOMPARE(pMax->minimum(), 30);
    QCOMPARE(pMax->value(), 30);
    QCOMPARE(Find<QLabel>(dlg, "lbVBRMaxQPTip")->text(), QStringLiteral("30~51"));
}

void TestVideoConfig::basicApplyEncoder_data()
{
    QTest::addColumn<bool>("advanced");
    QTest::addColumn<QByteArray>("inputLine");

    // The profile travels with the input only while the advanced group is on.
    QTest::newRow("advanced off") << false << QByteArray("gbset -vi  1 0A5800000000:vga:-:-");
    QTest::newRow("advanced on") << true << QByteArray("gbset -vi  1 0A5800000000:vga:-:bp");
}

void TestVideoConfig::basicApplyEncoder()
{
    QFETCH(bool, advanced);
    QFETCH(QByteArray, inputLine);

    CHOIDev *pDev = Dev(kTx);
    CDlgVideoConfig dlg(pDev, nullptr);
    dlg.show();
    CBoxRecorder boxes;
    InputButtons(dlg).at(1)->click();
    SelectData(Combo(dlg, "cbVoColorSpace"), QStringLiteral("YUV444"));
    Find<QRadioButton>(dlg, "radioBtn_HDCP_E")->setChecked(true);
    SelectData(Combo(dlg, "cbVoResulotion"), QStringLiteral("1920x1080_60"));
    Find<QGroupBox>(dlg, "gbAdvance")->setChecked(advanced);
    SelectData(Combo(dlg, "cbProfile"), QStringLiteral("bp"));
    // The Advanced tab's own settings are not sent from the Basic tab.
    Combo(dlg, "cbEncMode")->setCurrentIndex(0);

    ClickApply(dlg);
    QVERIFY(!dlg.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 15000);
    QVERIFY(dlg.isVisible());
    QCOMPARE(m_lan.Commands(kTx), QList<QByteArray>({inputLine, "gbparam s 1 fource_output_color_space yuv444",
                                                     "gbparam save 1", "gbconfig --hdcp-enable=y",
                                                     "gbset -vfo  1920x1080_60"}));
    QVERIFY(boxes.Boxes().isEmpty());
    QCOMPARE(pDev->GetVideoInputName(), QStringLiteral("vga"));
    QCOMPARE(pDev->GetColorSpace(), QStringLiteral("yuv444"));
    QVERIFY(pDev->GetHdcpEnable());
    QCOMPARE(pDev->GetForceResolution(), QStringLiteral("1920x1080_60"));
    QCOMPARE(m_lan.Sim(kTx)->param(QStringLiteral("fource_output_color_space")), QStringLiteral("yuv444"));
}

void TestVideoConfig::basicApplyDecoderSoftwareDip_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QList<QByteArray>>("outputLines");

    QTest::newRow("HDMI") << 0 << "1280x720_50"
                          << QList<QByteArray>({"gbconfig --output-dip=000", "gbset -vfo  1280x720_50",
                                                "gbparam s 1 fource_output_color_space yuv444", "gbparam save 1"});
    QTest::newRow("CVBS") << 1 << "pal" << QList<QByteArray>({"gbconfig --output-dip=100", "gbset -vfo CVBS pal"});
    QTest::newRow("VGA") << 2 << "1024x768"
                         << QList<QByteArray>({"gbconfig --output-dip=010", "gbset -vfo VGA 1024x768"});
    QTest::newRow("DVI-D") << 3 << "1920x1080_60"
                           << QList<QByteArray>({"gbconfig --output-dip=001", "gbset -vfo DVI-D 1920x1080_60"});
    QTest::newRow("YPbPr") << 4 << "1080i"
                           << QList<QByteArray>({"gbconfig --output-dip=011", "gbset -vfo YPbPr 1080i"});
}

void TestVideoConfig::basicApplyDecoderSoftwareDip()
{
    QFETCH(int, mode);
    QFETCH(QString, resolution);
    QFETCH(QList<QByteArray>, outputLines);

    CHOIDev *pDev = Dev(kRx);
    CDlgVideoConfig dlg(pDev, nullptr);
    dlg.show();
    CBoxRecorder boxes;
    Find<QRadioButton>(dlg, "radioBtn_Disable")->setChecked(true);
    Combo(dlg, "cbSelectMode")->setCurrentIndex(mode);
    const char *const combos[] = {"cbVoVRXResulotion", "cbVoCVBSResulotion", "cbVGAResolution", "cbDVI_DResolution",
                                  "cbYPbPrResolution"};
    SelectData(Combo(dlg, combos[mode]), resolution);
    SelectData(Combo(dlg, "cbVoColorSpace2"), QStringLiteral("YUV444"));

    ClickApply(dlg);
    QVERIFY(!dlg.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 15000);
    // The hidden encoder resolution still has a current item and goes first.
    QList<QByteArray> expected({"gbset -vfo  1920x1080_60", "gbconfig --hw-dip-enable=n"});
    expected << outputLines << "gbset -vfo VGA 1920x1080_60";
    QCOMPARE(m_lan.Commands(kRx), expected);
    QVERIFY(boxes.Boxes().isEmpty());
    QCOMPARE(pDev->GetHwDipEnable(), 0);
    QCOMPARE(pDev->GetOutputDip(), Combo(dlg, "cbSelectMode")->currentText());
    const QString cached[] = {pDev->GetHdmiResolution(), pDev->GetCvbsResolution(), pDev->GetVgaResolution(),
                              pDev->GetDviDResolution(), pDev->GetYPbPrResolution()};
    QCOMPARE(cached[mode], resolution);
    QCOMPARE(pDev->GetMultiScreenVgaResolution(), QStringLiteral("1920x1080_60"));
}

void TestVideoConfig::basicApplyDecoderHardwareDip()
{
    CHOIDev *pDev = Dev(kRx);
    CDlgVideoConfig dlg(pDev, nullptr);
    dlg.show();
    Find<QRadioButton>(dlg, "radioBtn_Enable")->setChecked(true);
    ClickApply(dlg);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 15000);
    // Only the switch itself for the output group.
    QCOMPARE(m_lan.Commands(kRx), QList<QByteArray>({"gbset -vfo  1920x1080_60", "gbconfig --hw-dip-enable=y",
                                                     "gbset -vfo VGA 1920x1080_60"}));
    QCOMPARE(pDev->GetHwDipEnable(), 1);
    QCOMPARE(m_lan.Sim(kRx)->config(QStringLiteral("--hw-dip-enable")), QStringLiteral("y"));
}

void TestVideoConfig::advancedApplyEncoder_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QList<QByteArray>>("modeLines");

    QTest::newRow("vbr") << "vbr"
                         << QList<QByteArray>({"gbconfig --enc-rc-mode=vbr", "gbconfig --vbr-max-bitrate=8000",
                                               "gbconfig --vbr-min-qp=10", "gbconfig --vbr-max-qp=40"});
    QTest::newRow("cbr") << "cbr"
                         << QList<QByteArray>({"gbconfig --enc-rc-mode=cbr", "gbconfig --cbr-avg-bitrate=6000"});
    QTest::newRow("fixqp") << "fixqp"
                           << QList<QByteArray>({"gbconfig --enc-rc-mode=fixqp", "gbconfig --fixqp-iqp=22",
                                                 "gbconfig --fixqp-pqp=24"});
}

void TestVideoConfig::advancedApplyEncoder()
{
    QFETCH(QString, mode);
    QFETCH(QList<QByteArray>, modeLines);

    CHOIDev *pDev = Dev(kTx);
    CDlgVideoConfig dlg(pDev, nullptr);
    dlg.show();
    CBoxRecorder boxes;
    QSignalSpy completed(pDev, &CHOIDev::OnCmdCompleted);
    Find<QTabWidget>(dlg, "tabWidget")->setCurrentIndex(1);
    Find<QGroupBox>(dlg, "gbAdvance")->setChecked(true);
    Combo(dlg, "cbEncMode")->setCurrentIndex(Combo(dlg, "cbEncMode")->findText(mode));
    Find<QSpinBox>(dlg, "sbVBRMaxBitrate")->setValue(8000);
    Find<QSpinBox>(dlg, "sbVBRMinQP")->setValue(10);
    Find<QSpinBox>(dlg, "sbVBRMaxQP")->setValue(40);
    Find<QSpinBox>(dlg, "sbCBRAvgBitrate")->setValue(6000);
    Find<QSpinBox>(dlg, "sbFixqpIQP")->setValue(22);
    Find<QSpinBox>(dlg, "sbFixqpPQP")->setValue(24);
    Find<QSpinBox>(dlg, "sbEncGOP")->setValue(30);
    Find<QSpinBox>(dlg, "sbEncFPS")->setValue(25);
    Combo(dlg, "cbTranType")->setCurrentIndex(1);
    Combo(dlg, "cbMaxResolution")->setCurrentIndex(0);
    // The Basic tab's settings are not sent from the Advanced tab.
    InputButtons(dlg).at(1)->click();

    ClickApply(dlg);
    // This path leaves the dialog usable while the device works.
    QVERIFY(dlg.isEnabled());
    QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 15000);
    QList<QByteArray> expected = modeLines;
    expected << "gbconfig --enc-gop=30" << "gbconfig --enc-fps=25" << "gbconfig --transport-type=ts"
             << "gbconfig --max-enc-res=3840x2160";
    QCOMPARE(m_lan.Commands(kTx), expected);
    QVERIFY(boxes.Boxes().isEmpty());
    QVERIFY(dlg.isVisible());
    QCOMPARE(pDev->GetMaxResolution(), QStringLiteral("3840x2160"));
    QVariant value;
    QVERIFY(pDev->GetOptionValue(E_EP_ENC_GOP, value));
    QCOMPARE(value.toInt(), 30);
    QCOMPARE(m_lan.Sim(kTx)->config(QStringLiteral("--enc-gop")), QStringLiteral("30"));
}

void TestVideoConfig::advancedApplyProcessorSkipsHidden()
{
    // No min/max QP, GOP, transport type or maximum resolution offered.
    CDlgVideoConfig dlg(Dev(kWp), nullptr);
    dlg.show();
    Find<QTabWidget>(dlg, "tabWidget")->setCurrentIndex(1);
    Find<QGroupBox>(dlg, "gbAdvance")->setChecked(true);
    Combo(dlg, "cbEncMode")->setCurrentIndex(0);
    Find<QSpinBox>(dlg, "sbVBRMaxBitrate")->setValue(9000);
    Find<QSpinBox>(dlg, "sbEncFPS")->setValue(50);
    QSignalSpy completed(Dev(kWp), &CHOIDev::OnCmdCompleted);
    ClickApply(dlg);
    QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 15000);
    QCOMPARE(m_lan.Commands(kWp), QList<QByteArray>({"gbconfig --enc-rc-mode=vbr", "gbconfig --vbr-max-bitrate=9000",
                                                     "gbconfig --enc-fps=50"}));
}

void TestVideoConfig::advancedApplyLowDelay()
{
    CHOIDev *pDev = Dev(kRx);
    CDlgVideoConfig dlg(pDev, nullptr);
    dlg.show();
    Find<QTabWidget>(dlg, "tabWidget")->setCurrentIndex(1);
    Find<QGroupBox>(dlg, "gbLowDelay")->setChecked(true);
    SelectData(Combo(dlg, "cbLowDelay"), QStringLiteral("low delay"));
    QSignalSpy completed(pDev, &CHOIDev::OnCmdCompleted);
    ClickApply(dlg);
    QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 1, 15000);
    SelectData(Combo(dlg, "cbLowDelay"), QStringLiteral("high quality video"));
    ClickApply(dlg);
    QTRY_COMPARE_WITH_TIMEOUT(completed.count(), 2, 15000);
    QCOMPARE(m_lan.Commands(kRx), QList<QByteArray>({"gbconfig --low-delay y", "gbconfig --low-delay n"}));
    QCOMPARE(pDev->GetVoMode(), QStringLiteral("high quality video"));
}

void TestVideoConfig::okClosesAfterCompletion()
{
    CDlgVideoConfig dlg(Dev(kTx), nullptr);
    dlg.open();
    CBoxRecorder boxes;
    dlg.accept();
    QVERIFY(dlg.isVisible());
    QVERIFY(!dlg.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 15000);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(dlg.isEnabled());
    QVERIFY(boxes.Boxes().isEmpty());
    QVERIFY(m_lan.Commands(kTx).contains("gbset -vi  1 0A5800000000:hdmi:-:-"));
}

void TestVideoConfig::noInputChosen()
{
    Dev(kTx)->m_strVideoInput = QStringLiteral("sdi:-:-");
    CDlgVideoConfig dlg(Dev(kTx), nullptr);
    dlg.show();
    for (QRadioButton *pButton : InputButtons(dlg))
        QVERIFY(!pButton->isChecked());
    CBoxRecorder boxes;
    dlg.accept();
    QCOMPARE(boxes.Texts(), QStringList({"Select an video input to apply!"}));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(boxes.Boxes().at(0).title, QString());
    QVERIFY(dlg.isVisible());
    QVERIFY(dlg.isEnabled());
    QCOMPARE(Find<QTabWidget>(dlg, "tabWidget")->currentIndex(), 0);
    QTest::qWait(200);
    QVERIFY(m_lan.Commands(kTx).isEmpty());
}

void TestVideoConfig::refusedCommands()
{
    // A device whose link cannot exist takes no command at all.
    CHOIDev dev(m_lan.Mgr(), CHOIDev::E_DT_TX, QStringLiteral("gb"), false, CHOIDev::CommType(1));
    dev.SetHostName(CSimLan::HostNameFor(QStringLiteral("VTX"), 9), true);
    dev.m_strVideoInput = QStringLiteral("hdmi:-:-");
    CBoxRecorder boxes;

    CDlgVideoConfig dlg(&dev, nullptr);
    dlg.show();
    dlg.accept();
    QCOMPARE(boxes.Texts(), QStringList({"Failed to Input settings to devices."}));
    QVERIFY(dlg.isEnabled());
    QVERIFY(dlg.isVisible());
    // The dialog does not wait: a completion now changes nothing.
    emit dev.OnCmdCompleted(&dev, E_CO_DEV, E_CR_FAILED);
    QCOMPARE(boxes.Texts().size(), 1);
    QVERIFY(dlg.isVisible());

    boxes.Clear();
    Find<QTabWidget>(dlg, "tabWidget")->setCurrentIndex(1);
    Find<QGroupBox>(dlg, "gbAdvance")->setChecked(true);
    ClickApply(dlg);
    QCOMPARE(boxes.Texts(), QStringList({"Failed to apply settings to devices."}));
    QCOMPARE(Find<QTabWidget>(dlg, "tabWidget")->currentIndex(), 1);
    QVERIFY(dlg.isEnabled());
}

void TestVideoConfig::deadDeviceFailsClearly_data()
{
    QTest::addColumn<bool>("removed");
    QTest::newRow("off line") << false;
    // Last: the device is gone for the tests that follow.
    QTest::newRow("removed while waited on") << true;
}

void TestVideoConfig::deadDeviceFailsClearly()
{
    QFETCH(bool, removed);
    CHOIDev *pDev = Dev(kDeadTx);
    m_lan.Lan()->SetDeviceOn(kDeadTx, false);
    QTRY_VERIFY_WITH_TIMEOUT(!pDev->GetComm() || !pDev->GetComm()->IsConnected(), 5000);
    // Whatever the lost session still reports is over before the dialog listens.
    QTest::qWait(500);
    CDlgVideoConfig dlg(pDev, nullptr);
    dlg.open();
    InputButtons(dlg).at(1)->click();
    SelectData(Combo(dlg, "cbVoColorSpace"), QStringLiteral("YUV444"));
    SelectData(Combo(dlg, "cbVoResulotion"), QStringLiteral("1280x720"));
    const QByteArray project = m_lan.Project();
    CBoxRecorder boxes;
    dlg.accept();
    QVERIFY(!dlg.isEnabled());
    if (removed)
        QVERIFY(m_lan.Mgr()->RemoveDevice(pDev));
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 30000);
    QCOMPARE(boxes.Texts(), QStringList({"apply to device failed."}));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Critical);
    // Nothing the device never took is kept, nor saved.
    if (!removed)
        QCOMPARE(m_lan.Project(), project);
    // OK asked for the close: the failure closes it as well.
    QVERIFY(!dlg.isVisible());
    m_lan.Lan()->SetDeviceOn(kDeadTx, true);
}

void TestVideoConfig::nothingToSendDoesNotWait()
{
    // A product that offers nothing on the Basic tab.
    CDlgVideoConfig dlg(Dev(kMrx), nullptr);
    dlg.show();
    ClickApply(dlg);
    QVERIFY(dlg.isEnabled());
    dlg.accept();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QTest::qWait(200);
    QVERIFY(m_lan.Commands(kMrx).isEmpty());
}

QTEST_MAIN(TestVideoConfig)
#include "tst_videoconfig.moc"
