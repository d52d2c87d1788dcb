// The VX7100 video settings, serial port settings and multiview layout
// dialogs (with the layout type chooser and the window row) against
// simulated devices in the private test LAN: what each shows of the device
// object, what it stores there and which lines reach the device.
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include "audio/dlgvolumeconfig.h"
#include "overlay/dlglogosettings.h"
#include "settings/applywatch.h"
#include "settings/dlgipmlayoutmodel.h"
#include "settings/dlgipmlayoutsettings.h"
#include "settings/dlgserialsetting.h"
#include "settings/dlgvideoconfig.h"
#include "settings/dlgvideosetting.h"
#include "settings/formipm.h"

#include "droptestsupport.h"
#include "settingstestsupport.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod>\n"
    "  <product id=\"XTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\"\n"
    "           vol_line_in_count=\"1\"/>\n"
    "  <product id=\"XRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\"/>\n"
    "  <product id=\"MVA\" name=\"Multiview\" type=\"mrx\" param_prefix=\"gb\" old_api=\"n\"\n"
    "           layout_enable=\"y\" audio_source=\"y\"/>\n"
    "  <product id=\"MVN\" name=\"Quiet\" type=\"mrx\" param_prefix=\"gb\" old_api=\"n\" layout_enable=\"y\"/>\n"
    "</hoiprod>\n";

enum { kTx0 = 0, kTx1 = 1, kRx = 2, kMva = 3, kMvn = 4 };

const char kSingle[] = "0,0,1920,1080";
const char kDual[] = "0,0,960,1080;960,0,960,1080";
const char kQuad[] = "0,0,960,540;960,0,960,540;0,540,960,540;960,540,960,540";
const char kBroken[] = "0,0,640,480;640,0,640,480;0,480,640,480";

template <class T>
T *Find(QWidget &parent, const char *pszName)
{
    T *pWidget = parent.findChild<T *>(QLatin1String(pszName));
    if (!pWidget)
        qWarning() << "no widget" << pszName;
    return pWidget;
}

QComboBox *Combo(QWidget &parent, const char *pszName)
{
    return Find<QComboBox>(parent, pszName);
}

QStringList Texts(const QComboBox *pCombo)
{
    QStringList texts;
    for (int i = 0; i < pCombo->count(); ++i)
        texts << pCombo->itemText(i);
    return texts;
}

QStringList TreeNames(QTreeWidget *pTree)
{
    QStringList names;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        names << pTree->topLevelItem(i)->text(1);
    return names;
}

QStringList LayoutNames(const QList<T_IpmLayoutInfo> &layouts)
{
    QStringList names;
    for (const T_IpmLayoutInfo &info : layouts)
        names << info.layout_name;
    return names;
}

void Click(QWidget &parent, const char *pszName)
{
    QTest::mouseClick(Find<QAbstractButton>(parent, pszName), Qt::LeftButton);
}

// What a form field shows: its user property (current text, text, value,
// checked).
QString FieldText(QWidget *pField)
{
    return pField->metaObject()->userProperty().read(pField).toString();
}

// Gives a form field another value as the operator would: a combo its next
// entry, a line edit or a slider one more, a button a click.
void ChangeField(QWidget *pField)
{
    if (auto *pCombo = qobject_cast<QComboBox *>(pField))
        pCombo->setCurrentIndex((pCombo->currentIndex() + 1) % pCombo->count());
    else if (auto *pEdit = qobject_cast<QLineEdit *>(pField))
        pEdit->setText(QString::number(pEdit->text().toInt() + 1));
    else if (auto *pSlider = qobject_cast<QAbstractSlider *>(pField))
        pSlider->setValue(pSlider->value() + 1);
    else
        qobject_cast<QAbstractButton *>(pField)->click();
}

void SelectText(QComboBox *pCombo, const QString &strText)
{
    const int nIndex = pCombo->findText(strText);
    QVERIFY2(nIndex >= 0, qPrintable(strText));
    pCombo->setCurrentIndex(nIndex);
}

// A settings window opened on a device.
using OpenWindow = std::function<QDialog *(CHOIDev *pDev)>;

} // namespace

Q_DECLARE_METATYPE(OpenWindow)

class TestDevSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void videoSettingDecoder_data();
    void videoSettingDecoder();
    void videoSettingEncoderPreview();
    void videoSettingDetectingAndCancel();
    void videoSettingCannotQueue_data();
    void videoSettingCannotQueue();

    void serialOpens_data();
    void serialOpens();
    void serialTokenTimeout_data();
    void serialTokenTimeout();
    void serialApply_data();
    void serialApply();
    void serialUnreachableDevice();
    void applyWatchEnds_data();
    void applyWatchEnds();
    void refusedApplyKeepsNothing_data();
    void refusedApplyKeepsNothing();
    void serialDroppedLines_data();
    void serialDroppedLines();

    void windowRow();
    void layoutModelEditing();
    void layoutModelCloseKeepsList();

    void layoutOpensFromWindowList();
    void layoutFallbacks_data();
    void layoutFallbacks();
    void layoutStoredListsCrossed();
    void layoutAudioDefaultByWindowCount();
    void layoutApplyAndSave();
    void layoutWithoutAudioSource();
    void layoutNameWithLineBreakRefused();
    void layoutUserAudioMode_data();
    void layoutUserAudioMode();
    void layoutEditOpensChooser();
    void layoutMissingPicture();

    void retranslate();

private:
    CHOIDev *Dev(int i) const { return m_lan.Dev(i); }
    QString Host(int i) const { return Dev(i)->GetHostName(); }
    T_IpmLayoutInfo Table(const QString &strName) const;
    QList<T_IpmLayoutInfo> Tables(const QStringList &names) const;
    QList<QByteArray> WaitForLines(int i, int count);

    CSettingsLan m_lan;
    QTemporaryDir m_pictures;
};

void TestDevSettings::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    RegisterHoiMetaTypes();
    RegisterProdMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");
    InitConsoleResources();

    // Pictures of the layouts; "Broken" names one that is not there.
    QVERIFY(m_pictures.isValid());
    QByteArray layouts = "<?xml version=\"1.0\"?>\n<layout>\n";
    const QList<QPair<QByteArray, const char *>> table = {
        {"Single", kSingle}, {"Dual", kDual}, {"Quad", kQuad}, {"Broken", kBroken}};
    for (const auto &row : table) {
        const QString picture = m_pictures.filePath(QString::fromLatin1(row.first) + QStringLiteral(".png"));
        if (row.first != "Broken") {
            QImage image(32, 18, QImage::Format_RGB32);
            image.fill(Qt::blue);
            QVERIFY(image.save(picture));
        }
        layouts += "  <product layout_name=\"" + row.first + "\" position_and_size_of_each_window=\"" + row.second
                   + "\" image_path=\"" + picture.toUtf8() + "\" icon_path=\"" + picture.toUtf8() + "\"/>\n";
    }
    layouts += "</layout>\n";
    QVERIFY(WriteBesideTest(QStringLiteral("IPMLayout.xml"), layouts));
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), kConfig));
    QVERIFY(m_lan.Start({"XTX", "XTX", "XRX", "MVA", "MVN"}, {"TX", "TX", "RX", "MRX", "MRX"}));
    QCOMPARE(m_lan.Mgr()->GetIpmLayoutList().size(), 4);
}

void TestDevSettings::cleanupTestCase()
{
    m_lan.Stop();
}

void TestDevSettings::init()
{
    if (!m_lan.Lan())
        return;
    for (int i = kMva; i <= kMvn; ++i) {
        CHOIDev *pDev = Dev(i);
        pDev->SetIPMLayoutList(Tables({"Single", "Dual", "Quad", "Broken"}));
        pDev->m_listIPMLayoutSeq.clear();
        pDev->m_strIPMMultiView.clear();
        pDev->m_strUserAudioMode.clear();
        pDev->GetIPMLayoutWindowsMap().clear();
        pDev->GetIPMLayoutAudioMap().clear();
    }
    for (int i = kTx0; i <= kTx1; ++i)
        Dev(i)->m_bOnLine = true;
    m_lan.Clear();
}

T_IpmLayoutInfo TestDevSettings::Table(const QString &strName) const
{
    for (const T_IpmLayoutInfo &info : m_lan.Mgr()->GetIpmLayoutList()) {
        if (info.layout_name == strName)
            return info;
    }
    return T_IpmLayoutInfo();
}

QList<T_IpmLayoutInfo> TestDevSettings::Tables(const QStringList &names) const
{
    QList<T_IpmLayoutInfo> layouts;
    for (const QString &name : names)
        layouts << Table(name);
    return layouts;
}

// The dialogs do not wait for the device; the test does. Returns what the
// device got once it has count lines and nothing more follows.
QList<QByteArray> TestDevSettings::WaitForLines(int i, int count)
{
    QDeadlineTimer deadline(10000);
    while (m_lan.Commands(i).size() < count && !deadline.hasExpired())
        QTest::qWait(20);
    QTest::qWait(100);
    return m_lan.Commands(i);
}

// ---------------------------------------------------------------------------
// Video settings of the VX7100 family

void TestDevSettings::videoSettingDecoder_data()
{
    QTest::addColumn<bool>("alwaysOn");
    QTest::addColumn<bool>("alwaysOn22");
    QTest::addColumn<QString>("timing");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<int>("stretch");
    QTest::addColumn<int>("rotate");
    // What the form shows.
    QTest::addColumn<int>("hdcpIndex");
    QTest::addColumn<int>("timingIndex");
    QTest::addColumn<bool>("detecting");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("stretchIndex");
    QTest::addColumn<int>("rotateIndex");
    // What Apply without a change writes back.
    QTest::addColumn<QString>("timingOut");
    QTest::addColumn<int>("timeoutOut");
    QTest::addColumn<int>("stretchOut");
    QTest::addColumn<int>("rotateOut");

    QTest::newRow("2160p24, 30.5 s") << true << false << "8000005D" << 30500 << 1 << 3 << 1 << 4 << true << 30 << 0
                                     << 1 << "8000005D" << 30000 << 1 << 3;
    QTest::newRow("unknown timing, no detection") << false << true << "8000005E" << -1 << 2 << 6 << 2 << 0 << false
                                                  << 10 << 1 << 2 << "0" << -1 << 2 << 6;
    QTest::newRow("zero timeout, odd stretch and rotation")
        << true << true << "0" << 0 << 7 << 5 << 2 << 0 << true << 10 << -1 << 0 << "0" << 10000 << 2 << 0;
    QTest::newRow("61 s") << false << false << "80000010" << 61000 << 2 << 0 << 0 << 1 << true << 10 << 1 << 0
                          << "80000010" << 10000 << 2 << 0;
    QTest::newRow("half a second") << false << false << "8000001F" << 500 << 2 << 0 << 0 << 2 << true << 10 << 1
                                   << 0 << "8000001F" << 10000 << 2 << 0;
}

void TestDevSettings::videoSettingDecoder()
{
    QFETCH(bool, alwaysOn);
    QFETCH(bool, alwaysOn22);
    QFETCH(QString, timing);
    QFETCH(int, timeout);
    QFETCH(int, stretch);
    QFETCH(int, rotate);
    QFETCH(int, hdcpIndex);
    QFETCH(int, timingIndex);
    QFETCH(bool, detecting);
    QFETCH(int, seconds);
    QFETCH(int, stretchIndex);
    QFETCH(int, rotateIndex);
    QFETCH(QString, timingOut);
    QFETCH(int, timeoutOut);
    QFETCH(int, stretchOut);
    QFETCH(int, rotateOut);

    CHOIDev *pDev = Dev(kRx);
    pDev->SetHdcpAlwaysOn(alwaysOn);
    pDev->SetHdcpAlwaysOn22(alwaysOn22);
    pDev->SetOutputTimingConvert(timing);
    pDev->SetSrcUnavailableTimeout(timeout);
    pDev->SetVwStretchType(stretch);
    pDev->SetVwRotate(rotate);
    pDev->SetTurnOffScreenOnPwrSave(true);

    CDlgVideoSetting dlg(pDev, nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Video Settings"));
    for (const char *pszGroup : {"groupBox", "groupBox_2", "groupBox_3", "gbStretchType_2", "gbRotate_2"})
        QVERIFY2(Find<QWidget>(dlg, pszGroup)->isVisibleTo(&dlg), pszGroup);
    for (const char *pszGroup : {"gbPreview", "gbVideoQuality"})
        QVERIFY2(!Find<QWidget>(dlg, pszGroup)->isVisibleTo(&dlg), pszGroup);
    QCOMPARE(Combo(dlg, "cbHDCPHybrid")->currentIndex(), hdcpIndex);
    QCOMPARE(Combo(dlg, "cbHDMIHybrid")->currentIndex(), timingIndex);
    QCOMPARE(Find<QCheckBox>(dlg, "cBDetecting")->isChecked(), detecting);
    QCOMPARE(Find<QSpinBox>(dlg, "spinBox_ScreenTimeOut")->value(), seconds);
    QCOMPARE(Find<QSpinBox>(dlg, "spinBox_ScreenTimeOut")->isEnabled(), detecting);
    QCOMPARE(Find<QCheckBox>(dlg, "chbScreenStop")->isEnabled(), detecting);
    QVERIFY(Find<QCheckBox>(dlg, "chbScreenStop")->isChecked());
    QCOMPARE(Combo(dlg, "cbStretchType")->currentIndex(), stretchIndex);
    QCOMPARE(Combo(dlg, "cbRotate")->currentIndex(), rotateIndex);

    dlg.show();
    QSignalSpy done(pDev, &CHOIDev::OnCmdCompleted);
    Click(dlg, "btnApplyVideoSet");
    QVERIFY(dlg.isVisible());
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(pDev->GetSrcUnavailableTimeout(), timeoutOut);
    QCOMPARE(pDev->GetOutputTimingConvert(), timingOut);
    QCOMPARE(pDev->GetVwStretchType(), stretchOut);
    QCOMPARE(pDev->GetVwRotate(), rotateOut);
    QCOMPARE(pDev->GetHdcpAlwaysOn(), hdcpIndex == 1);
    QCOMPARE(pDev->GetHdcpAlwaysOn22(), hdcpIndex == 2);
    const QByteArray on = hdcpIndex == 1 ? "y" : "n";
    const QByteArray on22 = hdcpIndex == 2 ? "y" : "n";
    QCOMPARE(WaitForLines(kRx, 8),
             QList<QByteArray>({"gbparam s 1 hdcp_always_on " + on, "gbparam s 1 hdcp_always_on_22 " + on22,
                                "gbparam s 1 v_output_timing_convert " + timingOut.toLatin1(),
                                "gbparam s 1 v_turn_off_screen_on_pwr_save y",
                                "gbparam s 1 v_src_unavailable_timeout " + QByteArray::number(timeoutOut),
                                "e 1 e_vw_stretch_type_" + QByteArray::number(stretchOut),
                                "e 1 e_vw_rotate_" + QByteArray::number(rotateOut), "gbparam save 1"}));
}

void TestDevSettings::videoSettingEncoderPreview()
{
    CHOIDev *pDev = Dev(kTx0);
    pDev->SetPreviewEnable(true);
    pDev->SetVideoQualityMode(-1);
    pDev->SetOutputTimingConvert(QStringLiteral("8000005D"));
    CDlgVideoSetting dlg(pDev, nullptr);
    for (const char *pszGroup : {"groupBox", "groupBox_2", "groupBox_3", "gbStretchType_2", "gbRotate_2"})
        QVERIFY2(!Find<QWidget>(dlg, pszGroup)->isVisibleTo(&dlg), pszGroup);
    QVERIFY(Find<QCheckBox>(dlg, "cbEnablePreview")->isChecked());
    QCOMPARE(Combo(dlg, "cbQuality")->currentText(), QStringLiteral("Auto"));

    dlg.open();
    Find<QCheckBox>(dlg, "cbEnablePreview")->setChecked(false);
    SelectText(Combo(dlg, "cbQuality"), QStringLiteral("Quality 5(The Worst)"));
    QSignalSpy done(pDev, &CHOIDev::OnCmdCompleted);
    Click(dlg, "btnApplyVideoOK");
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(pDev->GetVideoQualityMode(), 5);
    QVERIFY(!pDev->GetPreviewEnable());
    // The decoder's values are not touched.
    QCOMPARE(pDev->GetOutputTimingConvert(), QStringLiteral("8000005D"));
    QCOMPARE(WaitForLines(kTx0, 3), QList<QByteArray>({"gbparam s 1 preview_enable n",
                                                       "gbparam s 1 ast_video_quality_mode 5", "gbparam save 1"}));
    QCOMPARE(m_lan.Sim(kTx0)->param(QStringLiteral("ast_video_quality_mode")), QStringLiteral("5"));
}

void TestDevSettings::videoSettingDetectingAndCancel()
{
    CHOIDev *pDev = Dev(kRx);
    pDev->SetSrcUnavailableTimeout(20000);
    CDlgVideoSetting dlg(pDev, nullptr);
    dlg.open();
    QCheckBox *pDetect = Find<QCheckBox>(dlg, "cBDetecting");
    pDetect->click();
    QVERIFY(!Find<QSpinBox>(dlg, "spinBox_ScreenTimeOut")->isEnabled());
    QVERIFY(!Find<QCheckBox>(dlg, "chbScreenStop")->isEnabled());
    QVERIFY(Find<QLabel>(dlg, "label")->isEnabled());
    pDetect->click();
    QVERIFY(Find<QSpinBox>(dlg, "spinBox_ScreenTimeOut")->isEnabled());
    QVERIFY(Find<QCheckBox>(dlg, "chbScreenStop")->isEnabled());
    pDetect->click();

    Click(dlg, "btnApplyVideoCancel");
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(pDev->GetSrcUnavailableTimeout(), 20000);
    QTest::qWait(200);
    QVERIFY(m_lan.Commands(kRx).isEmpty());
}

void TestDevSettings::videoSettingCannotQueue_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("decoder output") << int(CHOIDev::E_DT_RX);
    QTest::newRow("encoder preview") << int(CHOIDev::E_DT_TX);
}

void TestDevSettings::videoSettingCannotQueue()
{
    QFETCH(int, type);
    CHOIDev dev(m_lan.Mgr(), CHOIDev::DevType(type), QStringLiteral("gb"), false, CHOIDev::CommType(1));
    CDlgVideoSetting dlg(&dev, nullptr);
    CBoxRecorder boxes;
    Click(dlg, "btnApplyVideoSet");
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to apply settings to devices.")});
}

// ---------------------------------------------------------------------------
// Serial port settings

void TestDevSettings::serialOpens_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("default") << "115200-8n1" << QStringList({"115200", "8", "None", "1"});
    QTest::newRow("odd") << "57600-7o2" << QStringList({"57600", "7", "Odd", "2"});
    QTest::newRow("even") << "50-5e1" << QStringList({"50", "5", "Even", "1"});
    QTest::newRow("unknown parity") << "9600-8x2" << QStringList({"9600", "8", "None", "2"});
    QTest::newRow("unknown baud rate") << "1000000-6e1" << QStringList({"115200", "6", "Even", "1"});
    // Without '-' the fields are read from the start of the text.
    QTest::newRow("no dash") << "7o2" << QStringList({"115200", "7", "Odd", "2"});
}

void TestDevSettings::serialOpens()
{
    QFETCH(QString, setting);
    QFETCH(QStringList, shown);

    Dev(kRx)->SetS0Baudrate(setting);
    CDlgSerialSetting dlg(Dev(kRx), nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Serial Settings"));
    QCOMPARE(Combo(dlg, "cmbBaudRate")->count(), 18);
    QCOMPARE(Combo(dlg, "cmbBaudRate")->itemText(17), QStringLiteral("230400"));
    QCOMPARE(Texts(Combo(dlg, "cmbParity")), QStringList({"None", "Odd", "Even"}));
    QCOMPARE(QStringList({Combo(dlg, "cmbBaudRate")->currentText(), Combo(dlg, "cmbDataBits")->currentText(),
                          Combo(dlg, "cmbParity")->currentText(), Combo(dlg, "cmbStopBits")->currentText()}),
             shown);
}

void TestDevSettings::serialTokenTimeout_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("groupShown");
    QTest::addColumn<int>("spin");

    QTest::newRow("encoder 0") << int(kTx0) << 0 << true << 0;
    QTest::newRow("encoder 10") << int(kTx0) << 10 << true << 10;
    QTest::newRow("encoder 15") << int(kTx0) << 15 << true << 1;
    QTest::newRow("encoder -1") << int(kTx0) << -1 << true << 1;
    QTest::newRow("decoder") << int(kRx) << 5 << false << 1;
}

void TestDevSettings::serialTokenTimeout()
{
    QFETCH(int, dev);
    QFETCH(int, stored);
    QFETCH(bool, groupShown);
    QFETCH(int, spin);

    Dev(dev)->SetSoipType2TokenTimeout(stored);
    CDlgSerialSetting dlg(Dev(dev), nullptr);
    QCOMPARE(Find<QWidget>(dlg, "gbTimeoutSet")->isVisibleTo(&dlg), groupShown);
    QCOMPARE(Find<QSpinBox>(dlg, "spinBox_TimeOut")->value(), spin);
}

void TestDevSettings::serialApply_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<QList<QByteArray>>("lines");

    QTest::newRow("encoder") << int(kTx1)
                             << QList<QByteArray>({"gbparam s 1 s0_baudrate 9600-7e2",
                                                   "gbparam s 1 soip_type2_token_timeout 3", "gbparam save 1"});
    QTest::newRow("decoder") << int(kRx)
                             << QList<QByteArray>({"gbparam s 1 s0_baudrate 9600-7e2", "gbparam save 1"});
}

void TestDevSettings::serialApply()
{
    QFETCH(int, dev);
    QFETCH(QList<QByteArray>, lines);

    CHOIDev *pDev = Dev(dev);
    pDev->SetS0Baudrate(QStringLiteral("115200-8n1"));
    pDev->SetSoipType2TokenTimeout(1);
    CDlgSerialSetting dlg(pDev, nullptr);
    dlg.open();
    SelectText(Combo(dlg, "cmbBaudRate"), QStringLiteral("9600"));
    SelectText(Combo(dlg, "cmbDataBits"), QStringLiteral("7"));
    SelectText(Combo(dlg, "cmbParity"), QStringLiteral("Even"));
    SelectText(Combo(dlg, "cmbStopBits"), QStringLiteral("2"));
    Find<QSpinBox>(dlg, "spinBox_TimeOut")->setValue(3);

    // Twice: the whole sequence each time.
    Click(dlg, "btnApplySerialSet");
    Click(dlg, "btnApplySerialSet");
    QVERIFY(dlg.isVisible());
    QTRY_COMPARE(pDev->GetS0Baudrate(), QStringLiteral("9600-7e2"));
    QCOMPARE(pDev->GetSoipType2TokenTimeout(), dev == kTx1 ? 3 : 1);
    QCOMPARE(WaitForLines(dev, 2 * lines.size()), lines + lines);
    QCOMPARE(m_lan.Sim(dev)->param(QStringLiteral("s0_baudrate")), QStringLiteral("9600-7e2"));

    // Cancel keeps what Apply sent and stored.
    Click(dlg, "btnApplySerialCancel");
    QVERIFY(!dlg.isVisible());
    QCOMPARE(pDev->GetS0Baudrate(), QStringLiteral("9600-7e2"));

    // The next opening shows what was stored.
    CDlgSerialSetting again(pDev, nullptr);
    QCOMPARE(Combo(again, "cmbParity")->currentText(), QStringLiteral("Even"));
    QCOMPARE(Combo(again, "cmbBaudRate")->currentText(), QStringLiteral("9600"));
}

void TestDevSettings::serialUnreachableDevice()
{
    // A device whose link cannot be made: nothing sent or stored, said at once.
    CHOIDev dev(m_lan.Mgr(), CHOIDev::E_DT_TX, QStringLiteral("gb"), false, CHOIDev::CommType(1));
    dev.SetHostName(CSimLan::HostNameFor(QStringLiteral("XTX"), 9), true);
    CDlgSerialSetting dlg(&dev, nullptr);
    CBoxRecorder boxes;
    SelectText(Combo(dlg, "cmbBaudRate"), QStringLiteral("9600"));
    Find<QSpinBox>(dlg, "spinBox_TimeOut")->setValue(7);
    Click(dlg, "btnApplySerialSet");
    QCOMPARE(dev.GetS0Baudrate(), QStringLiteral("115200-8n1"));
    QCOMPARE(dev.GetSoipType2TokenTimeout(), 1);
    QCOMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to apply settings to devices.")});
}

void TestDevSettings::applyWatchEnds_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("boxCount");
    QTest::newRow("drained") << int(E_CR_SUCCESS) << 0;
    QTest::newRow("refused") << int(E_CR_FAILED) << 1;
    QTest::newRow("reply time-out") << int(E_CR_TIMEOUT) << 1;
    QTest::newRow("connect time-out") << int(E_CR_CONNECT_TIMEOUT) << 1;
}

void TestDevSettings::applyWatchEnds()
{
    QFETCH(int, result);
    QFETCH(int, boxCount);
    // The end of the queue as the device's link reports it.
    CHOIDev dev(nullptr, CHOIDev::E_DT_RX, QString(), false, CHOIDev::E_CT_TELNET);
    QWidget window;
    CBoxRecorder boxes;
    CApplyWatch::Watch(&window, &dev);
    emit dev.OnCmdCompleted(&dev, E_CO_DEV, E_CommResult(result));
    QCoreApplication::processEvents(); // the box is shown from the event loop
    QCOMPARE(boxes.Boxes().size(), boxCount);
    // A later end speaks of lines the window did not queue.
    emit dev.OnCmdCompleted(&dev, E_CO_DEV, E_CR_FAILED);
    QCoreApplication::processEvents();
    QCOMPARE(boxes.Boxes().size(), boxCount);
}

void TestDevSettings::refusedApplyKeepsNothing_data()
{
    QTest::addColumn<int>("dev");
    QTest::addColumn<OpenWindow>("open");
    QTest::addColumn<QByteArray>("field"); // given another value
    QTest::addColumn<QByteArray>("button"); // empty: the field's change sends

    const OpenWindow video = [](CHOIDev *pDev) { return new CDlgVideoSetting(pDev); };
    QTest::newRow("decoder rotation") << int(kRx) << video << QByteArray("cbRotate")
                                      << QByteArray("btnApplyVideoSet");
    QTest::newRow("encoder preview quality") << int(kTx0) << video << QByteArray("cbQuality")
                                             << QByteArray("btnApplyVideoSet");
    QTest::newRow("multiview layout") << int(kMva)
                                      << OpenWindow([](CHOIDev *pDev) { return new CDlgIPMLayoutSettings(pDev); })
                                      << QByteArray("cmbLayout") << QByteArray("pbApply");
    QTest::newRow("serial format") << int(kTx0)
                                   << OpenWindow([](CHOIDev *pDev) { return new CDlgSerialSetting(pDev, nullptr); })
                                   << QByteArray("cmbBaudRate") << QByteArray("btnApplySerialSet");
    QTest::newRow("overlay position") << int(kTx1)
                                      << OpenWindow([](CHOIDev *pDev) { return new CDlgLogoSettings(pDev); })
                                      << QByteArray("lECoorX") << QByteArray("pBOverlayApply");
    const OpenWindow audio = [](CHOIDev *pDev) { return new CDlgVolumeConfig(pDev); };
    QTest::newRow("audio port value") << int(kTx1) << audio << QByteArray("hsVolume") << QByteArray();
    QTest::newRow("audio suppressor") << int(kTx1) << audio << QByteArray("rbSuppressorDisable") << QByteArray();
}

void TestDevSettings::refusedApplyKeepsNothing()
{
    QFETCH(int, dev);
    QFETCH(OpenWindow, open);
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, button);

    CHOIDev *pDev = Dev(dev);
    const auto restore = qScopeGuard([&] {
        m_lan.RefuseLogin(dev, false);
        pDev->SetRetryInterval(3000);
    });
    pDev->SetRetryInterval(50);
    m_lan.RefuseLogin(dev, true);
    QTRY_VERIFY(!pDev->GetComm()->IsConnected());
    auto shown = [&] { return FieldText(Find<QWidget>(*QScopedPointer<QDialog>(open(pDev)), field)); };
    const QString was = shown();
    QScopedPointer<QDialog> pDlg(open(pDev));
    const QByteArray project = m_lan.Project();
    QVERIFY(!project.isEmpty());

    CBoxRecorder boxes;
    pDlg->show();
    QWidget *pField = Find<QWidget>(*pDlg, field);
    ChangeField(pField);
    QVERIFY(FieldText(pField) != was);
    if (!button.isEmpty())
        Click(*pDlg, button);
    // The lines are taken at once and given up after the attempts.
    QVERIFY(boxes.Boxes().isEmpty());
    QTRY_COMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to apply settings to devices.")});
    // Neither a window opened again nor the project file shows what the
    // device never took.
    QCOMPARE(shown(), was);
    QCOMPARE(m_lan.Project(), project);

    // Nor does the device's next success, which speaks of other lines.
    m_lan.RefuseLogin(dev, false);
    QSignalSpy done(pDev, &CHOIDev::OnCmdCompleted);
    QVERIFY(pDev->SaveParam());
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(2).value<E_CommResult>(), E_CR_SUCCESS);
    QCOMPARE(shown(), was);

    // A field that sends by itself sends again when the change is made
    // again: the window did not take the refused value as the device's.
    if (button.isEmpty()) {
        ChangeField(pField);
        QTRY_COMPARE(done.count(), 2);
        QCOMPARE(shown(), FieldText(pField));
    }
}

void TestDevSettings::serialDroppedLines_data()
{
    AddDropWayRows();
}

void TestDevSettings::serialDroppedLines()
{
    QFETCH(int, way);
    CDropRig rig(m_lan.Mgr(), m_lan.Lan(), kRx);
    const QPointer<CHOIDev> pDropped = rig.Dev();
    QVERIFY(rig.Hold(E_DropWay(way)));
    CBoxRecorder boxes;
    CDlgSerialSetting dlg(rig.Dev(), nullptr);
    dlg.open();
    SelectText(Combo(dlg, "cmbBaudRate"), QStringLiteral("2400"));
    Click(dlg, "btnApplySerialSet");
    QVERIFY(rig.Drop());
    QTRY_COMPARE(boxes.Texts(), QStringList{QStringLiteral("Failed to apply settings to devices.")});
    QCOMPARE(rig.Ends(), 1);
    // What was dropped is not kept by the device, unless it is gone.
    QVERIFY(pDropped.isNull() || pDropped->GetS0Baudrate() != QLatin1String("2400-8n1"));
    QVERIFY(rig.Release());
    QCOMPARE(boxes.Boxes().size(), 1);
    // Nor did it reach the device.
    QVERIFY(m_lan.Sim(kRx)->param(QStringLiteral("s0_baudrate")) != QLatin1String("2400-8n1"));
}

// ---------------------------------------------------------------------------
// Multiview window row and layout type chooser

void TestDevSettings::windowRow()
{
    // Only encoders found by the last search are offered.
    Dev(kTx1)->m_bOnLine = false;
    CFormIPM row(QStringLiteral("3"), nullptr);
    QCOMPARE(row.size(), QSize(314, 29));
    QCOMPARE(Find<QLabel>(row, "label")->text(), QStringLiteral("3"));
    QCOMPARE(Texts(Combo(row, "cmbTXSource")), QStringList({"N/A", Dev(kTx0)->GetDisplayName()}));
    QCOMPARE(row.GetTXHostName(), QStringLiteral("NULL"));
    QCOMPARE(row.GetMode(), QStringLiteral("fit"));

    QCOMPARE(row.GetTXDisplayName(Host(kTx0)), Dev(kTx0)->GetDisplayName());
    QCOMPARE(row.GetTXDisplayName(Host(kTx1)), QStringLiteral("N/A"));
    row.SetValue(row.GetTXDisplayName(Host(kTx0)), QStringLiteral("stretch"));
    QCOMPARE(row.GetTXHostName(), Host(kTx0));
    QCOMPARE(row.GetMode(), QStringLiteral("stretch"));
    // Texts that match nothing leave the row as it is.
    row.SetValue(QStringLiteral("Nobody"), QStringLiteral("zoom"));
    QCOMPARE(row.GetTXHostName(), Host(kTx0));
    QCOMPARE(row.GetMode(), QStringLiteral("stretch"));
    row.SetValue(QStringLiteral("N/A"), QStringLiteral("fit"));
    QCOMPARE(row.GetTXHostName(), QStringLiteral("NULL"));
}

void TestDevSettings::layoutModelEditing()
{
    CHOIDev *pDev = Dev(kMva);
    pDev->SetIPMLayoutList(Tables({"Dual"}));
    CDlgIpmLayoutModel dlg(pDev, nullptr);
    dlg.open();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Select Layout Types"));
    QTreeWidget *pAll = Find<QTreeWidget>(dlg, "twAllModel");
    QTreeWidget *pSelected = Find<QTreeWidget>(dlg, "twSelectModel");
    QAbstractButton *pUp = Find<QAbstractButton>(dlg, "pbUp");
    QAbstractButton *pDown = Find<QAbstractButton>(dlg, "pbDown");
    QCOMPARE(TreeNames(pAll), QStringList({"Single", "Dual", "Quad", "Broken"}));
    QCOMPARE(TreeNames(pSelected), QStringList({"Dual"}));
    QCOMPARE(pAll->topLevelItem(2)->data(1, Qt::UserRole).toString(), QString::fromLatin1(kQuad));
    QVERIFY(!pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());

    // One row clicked: it is the first, so only Down, which changes nothing.
    pSelected->setCurrentItem(pSelected->topLevelItem(0));
    emit pSelected->itemClicked(pSelected->topLevelItem(0), 1);
    QVERIFY(!pUp->isEnabled());
    QVERIFY(pDown->isEnabled());
    Click(dlg, "pbDown");
    QCOMPARE(TreeNames(pSelected), QStringList({"Dual"}));

    // A type already on the right is not added twice; the new ones follow in
    // selection order.
    pAll->topLevelItem(3)->setSelected(true);
    pAll->topLevelItem(1)->setSelected(true);
    pAll->topLevelItem(0)->setSelected(true);
    Click(dlg, "pbAddModel");
    QCOMPARE(TreeNames(pSelected), QStringList({"Dual", "Broken", "Single"}));
    QCOMPARE(TreeNames(pAll), QStringList({"Single", "Dual", "Quad", "Broken"}));
    QCOMPARE(pSelected->currentItem()->text(1), QStringLiteral("Single"));
    QVERIFY(pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());

    Click(dlg, "pbUp");
    QCOMPARE(TreeNames(pSelected), QStringList({"Dual", "Single", "Broken"}));
    QVERIFY(pUp->isEnabled());
    QVERIFY(pDown->isEnabled());
    Click(dlg, "pbUp");
    QCOMPARE(TreeNames(pSelected), QStringList({"Single", "Dual", "Broken"}));
    QVERIFY(!pUp->isEnabled());
    Click(dlg, "pbDown");
    QCOMPARE(TreeNames(pSelected), QStringList({"Dual", "Single", "Broken"}));

    // Removing several rows leaves nothing selected.
    pSelected->clearSelection();
    pSelected->topLevelItem(0)->setSelected(true);
    pSelected->topLevelItem(2)->setSelected(true);
    Click(dlg, "pbDeleteModel");
    QCOMPARE(TreeNames(pSelected), QStringList({"Single"}));
    QVERIFY(!pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());

    pAll->clearSelection();
    pAll->topLevelItem(2)->setSelected(true);
    Click(dlg, "pbAddModel");
    Click(dlg, "pbApply");
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(LayoutNames(pDev->m_listIPMLayout), QStringList({"Single", "Quad"}));
    QCOMPARE(pDev->m_listIPMLayout.at(1).position_and_size_of_each_window, QString::fromLatin1(kQuad));
    QCOMPARE(pDev->m_listIPMLayout.at(1).image_path, Table(QStringLiteral("Quad")).image_path);
}

void TestDevSettings::layoutModelCloseKeepsList()
{
    CHOIDev *pDev = Dev(kMva);
    pDev->SetIPMLayoutList(Tables({"Dual", "Quad"}));
    CDlgIpmLayoutModel dlg(pDev, nullptr);
    dlg.open();
    QTreeWidget *pSelected = Find<QTreeWidget>(dlg, "twSelectModel");
    pSelected->setCurrentItem(pSelected->topLevelItem(1));
    Click(dlg, "pbUp");
    pSelected->selectAll();
    Click(dlg, "pbDeleteModel");
    QCOMPARE(pSelected->topLevelItemCount(), 0);
    dlg.reject();
    QCOMPARE(LayoutNames(pDev->m_listIPMLayout), QStringList({"Dual", "Quad"}));

    // Save with nothing on the right leaves the decoder without layouts.
    CDlgIpmLayoutModel empty(pDev, nullptr);
    empty.open();
    Find<QTreeWidget>(empty, "twSelectModel")->selectAll();
    Click(empty, "pbDeleteModel");
    Click(empty, "pbApply");
    QVERIFY(pDev->m_listIPMLayout.isEmpty());
}

// ---------------------------------------------------------------------------
// Multiview layout settings

void TestDevSettings::layoutOpensFromWindowList()
{
    CHOIDev *pDev = Dev(kMva);
    const QString text = Host(kTx0) + QStringLiteral(":1:0,0,960,1080:fit NULL:1:960,0,960,1080:stretch");
    pDev->SetIPMMultiView(text);
    CBoxRecorder boxes;
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Layout Settings"));
    QCOMPARE(Texts(Combo(dlg, "cmbLayout")), QStringList({"Edit...", "Single", "Dual", "Quad", "Broken"}));
    QCOMPARE(Combo(dlg, "cmbLayout")->currentText(), QStringLiteral("Dual"));
    const QList<CFormIPM *> rows = dlg.findChildren<CFormIPM *>();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0)->GetTXHostName(), Host(kTx0));
    QCOMPARE(rows.at(0)->GetMode(), QStringLiteral("fit"));
    QCOMPARE(rows.at(1)->GetTXHostName(), QStringLiteral("NULL"));
    QCOMPARE(rows.at(1)->GetMode(), QStringLiteral("stretch"));
    QCOMPARE(Texts(Combo(dlg, "cmbFollowWindow")), QStringList({"1", "2"}));
    QCOMPARE(pDev->GetIPMLayoutWindowsMap().value(QStringLiteral("Dual")), text);
    QVERIFY(!Find<QLabel>(dlg, "labelPicture_Logo_7")->pixmap(Qt::ReturnByValue).isNull());
    QVERIFY(boxes.Boxes().isEmpty());
    QCOMPARE(Texts(Combo(dlg, "cmbFollowTX")),
             QStringList({"N/A", Dev(kTx0)->GetDisplayName(), Dev(kTx1)->GetDisplayName()}));
}

void TestDevSettings::layoutFallbacks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("left");

    // Each gives the default windows of the first layout.
    QTest::newRow("short host field") << "TX-1:1:0,0,960,1080:fit NULL:1:960,0,960,1080:fit"
                                      << "TX-1:1:0,0,960,1080:fit NULL:1:960,0,960,1080:fit";
    QTest::newRow("another kind of list") << "1:2 NULL:1:0,0,960,1080:fit" << "";
    QTest::newRow("no layout of that geometry") << "NULL:1:1,1,1,1:fit" << "NULL:1:1,1,1,1:fit";
}

void TestDevSettings::layoutFallbacks()
{
    QFETCH(QString, text);
    QFETCH(QString, left);

    CHOIDev *pDev = Dev(kMva);
    pDev->SetIPMMultiView(text);
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    QCOMPARE(Combo(dlg, "cmbLayout")->currentText(), QStringLiteral("Single"));
    const QList<CFormIPM *> rows = dlg.findChildren<CFormIPM *>();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.at(0)->GetTXHostName(), QStringLiteral("NULL"));
    QCOMPARE(pDev->GetIPMMultiView(), left);
    QVERIFY(pDev->GetIPMLayoutWindowsMap().isEmpty());
}

void TestDevSettings::layoutStoredListsCrossed()
{
    // A project whose stored window lists each describe the other layout:
    // opening and choosing a layout must end, on a layout with its own rows.
    CHOIDev *pDev = Dev(kMva);
    pDev->SetIPMLayoutWindows(QStringLiteral("Dual"),
                              QStringLiteral("NULL:1:0,0,960,540:fit NULL:1:960,0,960,540:fit "
                                             "NULL:1:0,540,960,540:fit NULL:1:960,540,960,540:fit"));
    pDev->SetIPMLayoutWindows(QStringLiteral("Quad"),
                              QStringLiteral("NULL:1:0,0,960,1080:fit NULL:1:960,0,960,1080:stretch"));
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    QCOMPARE(Combo(dlg, "cmbLayout")->currentText(), QStringLiteral("Dual"));
    QCOMPARE(dlg.findChildren<CFormIPM *>().size(), 2);

    SelectText(Combo(dlg, "cmbLayout"), QStringLiteral("Quad"));
    QCOMPARE(Combo(dlg, "cmbLayout")->currentText(), QStringLiteral("Quad"));
    QCOMPARE(dlg.findChildren<CFormIPM *>().size(), 4);
}

void TestDevSettings::layoutAudioDefaultByWindowCount()
{
    CDlgIPMLayoutSettings dlg(Dev(kMva), nullptr);
    QVERIFY(Find<QGroupBox>(dlg, "gBAudioSource")->isEnabled());
    // The first layout has one window: it is its own audio source.
    QCOMPARE(Combo(dlg, "cmbLayout")->currentText(), QStringLiteral("Single"));
    QVERIFY(Find<QRadioButton>(dlg, "radioButton_2")->isChecked());
    QVERIFY(!Combo(dlg, "cmbFollowTX")->isEnabled());
    QVERIFY(Combo(dlg, "cmbFollowWindow")->isEnabled());
    QCOMPARE(Combo(dlg, "cmbFollowWindow")->currentText(), QStringLiteral("1"));

    SelectText(Combo(dlg, "cmbLayout"), QStringLiteral("Quad"));
    QCOMPARE(dlg.findChildren<CFormIPM *>().size(), 4);
    QVERIFY(Find<QRadioButton>(dlg, "radioButton")->isChecked());
    QVERIFY(Combo(dlg, "cmbFollowTX")->isEnabled());
    QVERIFY(!Combo(dlg, "cmbFollowWindow")->isEnabled());
    QCOMPARE(Texts(Combo(dlg, "cmbFollowWindow")), QStringList({"1", "2", "3", "4"}));

    Find<QRadioButton>(dlg, "radioButton_2")->click();
    QVERIFY(!Combo(dlg, "cmbFollowTX")->isEnabled());
    QVERIFY(Combo(dlg, "cmbFollowWindow")->isEnabled());
}

void TestDevSettings::layoutApplyAndSave()
{
    CHOIDev *pDev = Dev(kMva);
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    dlg.show();
    CBoxRecorder boxes;
    SelectText(Combo(dlg, "cmbLayout"), QStringLiteral("Quad"));
    QList<CFormIPM *> rows = dlg.findChildren<CFormIPM *>();
    QCOMPARE(rows.size(), 4);
    rows.at(0)->SetValue(Dev(kTx0)->GetDisplayName(), QStringLiteral("fit"));
    rows.at(1)->SetValue(Dev(kTx1)->GetDisplayName(), QStringLiteral("stretch"));
    rows.at(3)->SetValue(QStringLiteral("N/A"), QStringLiteral("stretch"));
    const QString windows = Host(kTx0) + QStringLiteral(":1:0,0,960,540:fit ") + Host(kTx1)
                            + QStringLiteral(":1:960,0,960,540:stretch NULL:1:0,540,960,540:fit NULL:1:960,540,960,540:stretch");

    // Save keeps the choice and sends nothing.
    Find<QRadioButton>(dlg, "radioButton_2")->click();
    Combo(dlg, "cmbFollowWindow")->setCurrentIndex(1);
    Click(dlg, "pbSave");
    QCOMPARE(pDev->GetIPMLayoutWindowsMap().value(QStringLiteral("Quad")), windows);
    QCOMPARE(pDev->GetIPMLayoutAudioMap().value(QStringLiteral("Quad")).mode, QStringLiteral("window"));
    QCOMPARE(pDev->GetIPMLayoutAudioMap().value(QStringLiteral("Quad")).source, QStringLiteral("2"));
    QVERIFY(pDev->GetIPMMultiView().isEmpty());
    QTest::qWait(200);
    QVERIFY(m_lan.Commands(kMva).isEmpty());

    // Audio by window 2: the TX that window shows. Kept once the device
    // took it.
    QSignalSpy done(pDev, &CHOIDev::OnCmdCompleted);
    Click(dlg, "pbApply");
    QTRY_COMPARE(done.count(), 1);
    QCOMPARE(WaitForLines(kMva, 5),
             QList<QByteArray>({"multiview set " + windows.toLatin1(), "multiview set mode tile",
                                "multiview set audio separate " + Host(kTx1).toLatin1(),
                                "gbparam s user_audio_mode \"Quad window 2\"", "multiview apply"}));
    QCOMPARE(pDev->GetIPMMultiView(), windows);
    QCOMPARE(pDev->GetUserAudioMode(), QStringLiteral("Quad window 2"));

    // Audio by a fixed TX, none chosen: an empty source.
    m_lan.Clear();
    Find<QRadioButton>(dlg, "radioButton")->click();
    Combo(dlg, "cmbFollowTX")->setCurrentIndex(0);
    Click(dlg, "pbApply");
    QTRY_COMPARE(done.count(), 2);
    const QList<QByteArray> lines = WaitForLines(kMva, 5);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(2).trimmed(), QByteArray("multiview set audio separate"));
    QCOMPARE(lines.at(3), QByteArray("gbparam s user_audio_mode \"Quad separate \""));
    QCOMPARE(pDev->GetUserAudioMode(), QStringLiteral("Quad separate "));
    QCOMPARE(pDev->GetIPMLayoutAudioMap().value(QStringLiteral("Quad")).mode, QStringLiteral("separate"));
    QVERIFY(boxes.Boxes().isEmpty());

    // The next opening comes back to the same windows and audio choice.
    CDlgIPMLayoutSettings again(pDev, nullptr);
    QCOMPARE(Combo(again, "cmbLayout")->currentText(), QStringLiteral("Quad"));
    rows = again.findChildren<CFormIPM *>();
    QCOMPARE(rows.size(), 4);
    QCOMPARE(rows.at(1)->GetTXHostName(), Host(kTx1));
    QCOMPARE(rows.at(3)->GetMode(), QStringLiteral("stretch"));
    QVERIFY(Find<QRadioButton>(again, "radioButton")->isChecked());
    QCOMPARE(Combo(again, "cmbFollowTX")->currentText(), QStringLiteral("N/A"));
}

void TestDevSettings::layoutWithoutAudioSource()
{
    CHOIDev *pDev = Dev(kMvn);
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    dlg.show();
    QVERIFY(!Find<QGroupBox>(dlg, "gBAudioSource")->isEnabled());
    SelectText(Combo(dlg, "cmbLayout"), QStringLiteral("Dual"));
    Click(dlg, "pbApply");
    QCOMPARE(WaitForLines(kMvn, 2),
             QList<QByteArray>({"multiview set NULL:1:0,0,960,1080:fit NULL:1:960,0,960,1080:fit",
                                "multiview set mode tile"}));
    QVERIFY(pDev->GetUserAudioMode().isEmpty());
    Click(dlg, "pbSave");
    QVERIFY(pDev->GetIPMLayoutAudioMap().isEmpty());
}

void TestDevSettings::layoutNameWithLineBreakRefused()
{
    CHOIDev *pDev = Dev(kMva);
    T_IpmLayoutInfo broken = Table(QStringLiteral("Dual"));
    broken.layout_name = QStringLiteral("Hall\nreboot");
    pDev->SetIPMLayoutList({broken});
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    CBoxRecorder boxes;
    QCOMPARE(Combo(dlg, "cmbLayout")->currentText(), broken.layout_name);
    Click(dlg, "pbApply");
    QCOMPARE(boxes.Texts(), QStringList({"Failed to multiview audio settings to devices."}));
    const QList<QByteArray> lines = WaitForLines(kMva, 3);
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(2).startsWith("multiview set audio separate"));
    QVERIFY(pDev->GetUserAudioMode().isEmpty());
}

void TestDevSettings::layoutUserAudioMode_data()
{
    QTest::addColumn<QString>("userMode");
    QTest::addColumn<bool>("byWindow");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("storedMode");
    QTest::addColumn<QString>("storedSource");

    QTest::newRow("fixed TX") << "Dual separate <host>" << false << "<name>" << "separate" << "<host>";
    QTest::newRow("TX not on-line") << "Dual separate XTX-0A58000000FF" << false << "N/A" << "separate"
                                    << "XTX-0A58000000FF";
    QTest::newRow("window") << "Dual window 2" << true << "2" << "window" << "2";
    QTest::newRow("other mode") << "Dual mixed 1" << false << "N/A" << "separate" << "";
    // Not this layout: the per-layout map decides and nothing is stored.
    QTest::newRow("other layout") << "Quad window 3" << false << "N/A" << "" << "";
}

void TestDevSettings::layoutUserAudioMode()
{
    QFETCH(QString, userMode);
    QFETCH(bool, byWindow);
    QFETCH(QString, shown);
    QFETCH(QString, storedMode);
    QFETCH(QString, storedSource);

    const QString host = Host(kTx1);
    const QString name = Dev(kTx1)->GetDisplayName();
    CHOIDev *pDev = Dev(kMva);
    pDev->SetIPMMultiView(QStringLiteral("NULL:1:0,0,960,1080:fit NULL:1:960,0,960,1080:fit"));
    pDev->SetUserAudioMode(QString(userMode).replace(QLatin1String("<host>"), host));
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    QCOMPARE(Combo(dlg, "cmbLayout")->currentText(), QStringLiteral("Dual"));
    QCOMPARE(Find<QRadioButton>(dlg, "radioButton_2")->isChecked(), byWindow);
    QCOMPARE(Combo(dlg, byWindow ? "cmbFollowWindow" : "cmbFollowTX")->currentText(), QString(shown).replace(QLatin1String("<name>"), name));
    const T_IpmAudioInfo stored = pDev->GetIPMLayoutAudioMap().value(QStringLiteral("Dual"));
    QCOMPARE(stored.mode, storedMode);
    QCOMPARE(stored.source, QString(storedSource).replace(QLatin1String("<host>"), host));
}

void TestDevSettings::layoutEditOpensChooser()
{
    CHOIDev *pDev = Dev(kMva);
    pDev->SetIPMLayoutList(Tables({"Single", "Dual"}));
    CDlgIPMLayoutSettings dlg(pDev, nullptr);
    dlg.show();
    CModalWatcher watcher([](QWidget *pChooser) {
        QTreeWidget *pAll = Find<QTreeWidget>(*pChooser, "twAllModel");
        pAll->topLevelItem(2)->setSelected(true);
        Click(*pChooser, "pbAddModel");
        Click(*pChooser, "pbApply");
    });
    Combo(dlg, "cmbLayout")->setCurrentIndex(0);
    QVERIFY(watcher.Fired());
    QCOMPARE(Texts(Combo(dlg, "cmbLayout")), QStringList({"Edit...", "Single", "Dual", "Quad"}));
    QCOMPARE(Combo(dlg, "cmbLayout")->currentIndex(), 1);
    QCOMPARE(dlg.findChildren<CFormIPM *>().size(), 1);
    QCOMPARE(Texts(Combo(dlg, "cmbFollowWindow")), QStringList({"1"}));
}

void TestDevSettings::layoutMissingPicture()
{
    CDlgIPMLayoutSettings dlg(Dev(kMva), nullptr);
    CBoxRecorder boxes;
    SelectText(Combo(dlg, "cmbLayout"), QStringLiteral("Broken"));
    QCOMPARE(boxes.Texts(), QStringList({"Open image failed!"}));
    QCOMPARE(boxes.Boxes().at(0).title, QStringLiteral("Open image failed"));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Information);
    QVERIFY(Find<QLabel>(dlg, "labelPicture_Logo_7")->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(dlg.findChildren<CFormIPM *>().size(), 3);
    SelectText(Combo(dlg, "cmbLayout"), QStringLiteral("Dual"));
    QVERIFY(!Find<QLabel>(dlg, "labelPicture_Logo_7")->pixmap(Qt::ReturnByValue).isNull());
    SelectText(Combo(dlg, "cmbLayout"), QStringLiteral("Broken"));
    QCOMPARE(boxes.Texts().size(), 2);
}

// ---------------------------------------------------------------------------

void TestDevSettings::retranslate()
{
    const QString binDir = qEnvironmentVariable("HOI_BIN_DIR");
    QTranslator translator;
    if (binDir.isEmpty() || !translator.load(QStringLiteral("zh_CN.qm"), binDir))
        QSKIP("zh_CN.qm is not built");
    CDlgSerialSetting serial(Dev(kTx0), nullptr);
    CFormIPM row(QStringLiteral("1"), nullptr);
    CDlgVideoConfig video(Dev(kTx0), nullptr);
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(serial.windowTitle(), QStringLiteral("串口设置"));
    QCOMPARE(Texts(Combo(serial, "cmbParity")), QStringList({"无", "奇校验", "偶校验"}));
    QCOMPARE(Combo(row, "cmbMode")->itemText(1), QStringLiteral("拉伸"));
    // The device still gets its own word.
    Combo(row, "cmbMode")->setCurrentIndex(1);
    QCOMPARE(row.GetMode(), QStringLiteral("stretch"));
    QCOMPARE(video.windowTitle(), QStringLiteral("视频设置"));
    QTRY_COMPARE(Find<QDialogButtonBox>(video, "buttonBox")->button(QDialogButtonBox::Apply)->text(),
                 QStringLiteral("应用"));
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(Texts(Combo(serial, "cmbParity")), QStringList({"None", "Odd", "Even"}));
    QCOMPARE(serial.windowTitle(), QStringLiteral("Serial Settings"));
}

QTEST_MAIN(TestDevSettings)
#include "tst_devsettings.moc"
