// The "General Settings" dialog against simulated devices in the private
// test LAN (what reaches the device, waiting for its answer, a dead device),
// and the create group dialog's checks.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include "devlist/framedevlist.h"
#include "dialogs/dlgcreategroup.h"
#include "dialogs/dlgdevedit.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/ipaddrwidget.h"
#include "hoiwidget/itemdata.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

#include "consoletestsupport.h"

namespace {

const char kConfig[] = "<?xml version=\"1.0\"?>\n"
                       "<hoiprod>\n"
                       "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" old_api=\"n\"/>\n"
                       "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" old_api=\"n\"/>\n"
                       "  <product id=\"QN714\" name=\"QN714\" type=\"IP Controller\" old_api=\"y\"/>\n"
                       "</hoiprod>\n";

const int kTx0 = 0;
const int kTx1 = 1;
const int kRx2 = 2;
const int kCtrl = 3;

// How the wait of an Apply to a dead device ends.
enum E_End { E_END_WAITED, E_END_WINDOW_CLOSED, E_END_RENAMED_IN_LIST, E_END_REMOVED };

const QString kAliasTip = QStringLiteral("Invaild character:\r\n{ } \" < > , ; _ @ * & ");

// The dialog's widgets by object name.
struct T_DevEditForm
{
    explicit T_DevEditForm(CDlgDevEdit &dlg)
        : pDevices(dlg.findChild<QComboBox *>(QStringLiteral("cbDevices")))
        , pHost(dlg.findChild<QLineEdit *>(QStringLiteral("edtHostnameID")))
        , pName(dlg.findChild<QLineEdit *>(QStringLiteral("edtName")))
        , pAddrBox(dlg.findChild<QGroupBox *>(QStringLiteral("gbIPAddr")))
        , pAuto(dlg.findChild<QRadioButton *>(QStringLiteral("rbAutoIP")))
        , pDhcp(dlg.findChild<QRadioButton *>(QStringLiteral("rbDHCP")))
        , pStatic(dlg.findChild<QRadioButton *>(QStringLiteral("rbStaticIP")))
        , pAddr(dlg.findChild<QIPAddrWidget *>(QStringLiteral("edtIPAddr")))
        , pMask(dlg.findChild<QIPAddrWidget *>(QStringLiteral("edtNetmask")))
        , pGateway(dlg.findChild<QIPAddrWidget *>(QStringLiteral("edtNetmask_2")))
        , pRestart(dlg.findChild<QCheckBox *>(QStringLiteral("cBRestart")))
        , pButtons(dlg.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox")))
    {
    }
    QPushButton *Apply() const { return pButtons->button(QDialogButtonBox::Apply); }

    QComboBox *pDevices;
    QLineEdit *pHost;
    QLineEdit *pName;
    QGroupBox *pAddrBox;
    QRadioButton *pAuto;
    QRadioButton *pDhcp;
    QRadioButton *pStatic;
    QIPAddrWidget *pAddr;
    QIPAddrWidget *pMask;
    QIPAddrWidget *pGateway;
    QCheckBox *pRestart;
    QDialogButtonBox *pButtons;
};

QList<QByteArray> Filtered(const QList<QByteArray> &lines, const QList<QByteArray> &prefixes)
{
    QList<QByteArray> out;
    for (const QByteArray &line : lines) {
        for (const QByteArray &prefix : prefixes) {
            if (line.startsWith(prefix)) {
                out << line;
                break;
            }
        }
    }
    return out;
}

} // namespace

class TestDevDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void editShowsDevice();
    void radioButtonsEnableAddresses();
    void aliasOnlyQueuesNoReboot();
    void unreadNameLeftOut();
    void nameReadWhileOpen_data();
    void nameReadWhileOpen();
    void networkChangeRebootsAfterSettings();
    void staticAddressRefused_data();
    void staticAddressRefused();
    void acceptClosesAfterCompletion();
    void deadDeviceRestoresName_data();
    void deadDeviceRestoresName();
    void aliasFilter_data();
    void aliasFilter();
    void withoutDevice();
    void selectorSwitchesDevice();
    void controllerStaysEnabled();
    void unreachableControllerFailsAtOnce();

    void createGroupTitle();
    void createGroup_data();
    void createGroup();
    void createGroupCancel();
    void retranslate();

private:
    CHOIDev *Dev(int i) const;
    QList<QByteArray> Commands(int i) const { return m_pLan->Commands(i); }

    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
    SimDevice *m_pCtrlSim = nullptr;
};

void TestDevDialogs::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    RegisterHoiMetaTypes();
    qRegisterMetaType<CHOIDev *>("CHOIDev*");
    qRegisterMetaType<E_CommResult>("E_CommResult");
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), kConfig));

    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 3600000);
    m_pMgr->SetSearchRoundInterval(200);
    g_pHOIDevMgr = m_pMgr;
    QVERIFY(m_pMgr->LoadProdConfig());

    m_pLan = new CSimLan;
    const char *models[] = {"ZTX", "ZTX", "ZRX", "QN714"};
    const char *types[] = {"TX", "TX", "RX", "QN714"};
    for (int i = 0; i < 4; ++i) {
        SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(QLatin1String(models[i]), i),
                                            QLatin1String(types[i]), i != kCtrl);
        QVERIFY(pSim);
        SimInstallDeviceCommands(*pSim);
    }
    m_pCtrlSim = new SimDevice(CSimLan::HostNameFor(QStringLiteral("QN714"), kCtrl), QStringLiteral("QN714"));
    SimInstallDeviceCommands(*m_pCtrlSim);
    QVERIFY(m_pCtrlSim->listen(m_pLan->Address(kCtrl), 23000));
    QVERIFY(m_pLan->Start());

    QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_pMgr->StartSearch(false));
    QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
    QCOMPARE(m_pMgr->GetDevCount(), 4);
    for (int i = 0; i < 4; ++i)
        QVERIFY(Dev(i));
    Dev(kTx1)->SetRetryInterval(200);

    m_pMgr->AddGroup(QStringLiteral("Hall"), 1);
    m_pMgr->AddGroup(QStringLiteral("Stage"), 2);
    m_pMgr->AddLocation(QStringLiteral("Lobby"));
}

void TestDevDialogs::cleanupTestCase()
{
    delete m_pLan;
    delete m_pCtrlSim;
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestDevDialogs::init()
{
    if (m_pLan)
        m_pLan->ClearReceived();
}

CHOIDev *TestDevDialogs::Dev(int i) const
{
    const char *models[] = {"ZTX", "ZTX", "ZRX", "QN714"};
    return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(QLatin1String(models[i]), i));
}

// ---------------------------------------------------------------------------
// General Settings

void TestDevDialogs::editShowsDevice()
{
    CHOIDev *pDev = Dev(kTx0);
    CDlgDevEdit dlg(pDev, nullptr);
    T_DevEditForm form(dlg);

    QCOMPARE(dlg.windowTitle(), QStringLiteral("General Settings"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    // Every device of the manager, in its order, by display name.
    QCOMPARE(form.pDevices->count(), m_pMgr->GetDevCount());
    for (int i = 0; i < m_pMgr->GetDevCount(); ++i) {
        QCOMPARE(form.pDevices->itemText(i), m_pMgr->GetDev(i)->GetDisplayName());
        QCOMPARE(VariantToDev(form.pDevices->itemData(i)), m_pMgr->GetDev(i));
    }
    QCOMPARE(VariantToDev(form.pDevices->currentData()), pDev);

    QCOMPARE(form.pName->text(), pDev->GetDisplayName());
    QCOMPARE(form.pHost->text(), QStringLiteral("Encoder-0A5800000000"));
    QVERIFY(form.pHost->isReadOnly());
    QCOMPARE(form.pName->toolTip(), kAliasTip);
    QVERIFY(form.pStatic->isChecked()); // as the device reported
    QVERIFY(form.pAddr->isEnabled());
    QCOMPARE(form.pAddr->GetIPAddress(), m_pLan->Address(kTx0).toString());
    QCOMPARE(form.pMask->GetIPAddress(), QStringLiteral("255.255.0.0"));
    QCOMPARE(form.pGateway->GetIPAddress(), pDev->GetGateway());
    QVERIFY(form.pAddrBox->isEnabled());

    // Apply and Cancel only; a change of network settings always reboots.
    QVERIFY(form.pButtons->button(QDialogButtonBox::Ok)->isHidden());
    QVERIFY(form.pRestart->isHidden());
    QVERIFY(form.pRestart->isChecked());
}

void TestDevDialogs::radioButtonsEnableAddresses()
{
    CDlgDevEdit dlg(Dev(kRx2), nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    for (QRadioButton *pButton : {form.pDhcp, form.pAuto, form.pStatic}) {
        pButton->click();
        QVERIFY(pButton->isChecked());
        const bool bStatic = pButton == form.pStatic;
        QCOMPARE(form.pAddr->isEnabled(), bStatic);
        QCOMPARE(form.pMask->isEnabled(), bStatic);
        QCOMPARE(form.pGateway->isEnabled(), bStatic);
    }
}

void TestDevDialogs::aliasOnlyQueuesNoReboot()
{
    CHOIDev *pDev = Dev(kTx0);
    CDlgDevEdit dlg(pDev, nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    QSignalSpy changed(&dlg, &CDlgDevEdit::onDevChanged);
    const QString gateway = pDev->GetGateway();

    form.pName->setText(QStringLiteral("Front"));
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    // The alias is the device's at once; the dialog waits for the device.
    QCOMPARE(pDev->GetName(), QStringLiteral("Front"));
    QCOMPARE(form.pDevices->currentText(), QStringLiteral("Front"));
    QVERIFY(!dlg.isEnabled());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<CHOIDev *>(), pDev);

    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QVERIFY(dlg.isVisible()); // Apply never closes
    QCOMPARE(Filtered(Commands(kTx0), {"gbparam s", "gbparam save", "(sleep"}),
             QList<QByteArray>({"gbparam s 1 name Front", "gbparam s 1 ip_mode static",
                                "gbparam s 1 ipaddr " + m_pLan->Address(kTx0).toString().toLatin1(),
                                "gbparam s 1 netmask 255.255.0.0", "gbparam s 1 gatewayip " + gateway.toLatin1(),
                                "gbparam save 1"}));
    QCOMPARE(m_pLan->Device(kTx0)->param(QStringLiteral("name")), QStringLiteral("Front"));
    QCOMPARE(changed.count(), 1);
}

void TestDevDialogs::unreadNameLeftOut()
{
    // Its name never read: the box shows its default name, and an Apply
    // that leaves the box alone writes the addresses only.
    CHOIDev *pDev = Dev(kRx2);
    const QString strOwn = pDev->GetName();
    pDev->SetName(QString());
    pDev->m_bNameUnread = true;
    CDlgDevEdit dlg(pDev, nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(Filtered(Commands(kRx2), {"gbparam s 1 name", "gbparam save"}),
             QList<QByteArray>({"gbparam save 1"}));
    QCOMPARE(pDev->GetName(), QString());

    // A name the operator types is written.
    m_pLan->ClearReceived();
    form.pName->setText(QStringLiteral("Stage"));
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(Filtered(Commands(kRx2), {"gbparam s 1 name"}), QList<QByteArray>({"gbparam s 1 name Stage"}));
    pDev->SetName(strOwn);
}

void TestDevDialogs::nameReadWhileOpen_data()
{
    QTest::addColumn<bool>("edited");
    QTest::addColumn<int>("read"); // whose name is read
    QTest::newRow("box untouched") << false << kRx2;
    QTest::newRow("box edited and put back") << true << kRx2;
    // The device edited has no name of its own: the box's default name goes.
    QTest::newRow("another device's name read") << false << kTx0;
}

void TestDevDialogs::nameReadWhileOpen()
{
    QFETCH(bool, edited);
    QFETCH(int, read);
    // Unread when the window opens, the device's own name is read while it
    // is open; a box left as it was filled never names the device.
    CHOIDev *pDev = Dev(kRx2);
    SimDevice *pSim = m_pLan->Device(read);
    const QString strOwn = pDev->GetName();
    const QString strReadOwn = Dev(read)->GetName();
    const QString strSimOwn = pSim->param(QStringLiteral("name"));
    const auto restore = qScopeGuard([&] {
        pSim->setParam(QStringLiteral("name"), strSimOwn);
        Dev(read)->SetName(strReadOwn);
        pDev->SetName(strOwn);
    });
    pSim->setParam(QStringLiteral("name"), QStringLiteral("EncKeep4"));
    pDev->SetName(QString());
    pDev->m_bNameUnread = read == kRx2;
    CDlgDevEdit dlg(pDev, nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    const QString strDefault = form.pName->text();
    QCOMPARE(strDefault, pDev->GetDefaultName());
    const QString strSent = read == kRx2 ? QStringLiteral("EncKeep4") : strDefault;
    if (edited)
        form.pName->setText(QStringLiteral("Typing"));
    QSignalSpy readEnd(Dev(read), &CHOIDev::OnCmdCompleted);
    QVERIFY(Dev(read)->UpdateFromDev(true));
    QTRY_COMPARE_WITH_TIMEOUT(readEnd.count(), 1, 30000);
    QCoreApplication::processEvents(); // the box follows from the event loop
    if (edited) {
        form.pName->setText(strDefault);
    } else {
        QTRY_COMPARE(form.pName->text(), strSent);
        QCOMPARE(form.pDevices->currentText(), strSent);
    }

    m_pLan->ClearReceived();
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    // Only what was read goes back.
    QCOMPARE(Filtered(Commands(kRx2), {"gbparam s 1 name"}),
             QList<QByteArray>({"gbparam s 1 name " + strSent.toLatin1()}));
    QCOMPARE(m_pLan->Device(kRx2)->param(QStringLiteral("name")), strSent);
    QCOMPARE(pDev->GetDisplayName(), strSent);
    QCOMPARE(form.pName->text(), strSent);
}

void TestDevDialogs::networkChangeRebootsAfterSettings()
{
    CHOIDev *pDev = Dev(kTx0);
    SimDevice *pSim = m_pLan->Device(kTx0);
    CDlgDevEdit dlg(pDev, nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    CBoxRecorder boxes;
    // The device drops its sessions a second after the reboot command; the
    // next Apply connects again.
    auto waitForReboot = [&]() {
        QTRY_COMPARE_WITH_TIMEOUT(pSim->sessionCount(), 0, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!pDev->GetComm()->IsConnected(), 5000);
    };

    // A new gateway: the settings, then the reboot behind them; the lists
    // hear of it again once the device took it.
    QSignalSpy changed(&dlg, &CDlgDevEdit::onDevChanged);
    form.pGateway->SetIPAddress(QStringLiteral("10.88.0.254"));
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(Filtered(Commands(kTx0), {"gbparam s 1 gatewayip", "gbparam save", "(sleep"}),
             QList<QByteArray>({"gbparam s 1 gatewayip 10.88.0.254", "gbparam save 1", "(sleep 1; reboot) &"}));
    QCOMPARE(pDev->GetGateway(), QStringLiteral("10.88.0.254"));
    waitForReboot();

    // The same settings again: nothing changed, no reboot.
    m_pLan->ClearReceived();
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(Commands(kTx0).contains("gbparam save 1"), 5000);
    QVERIFY(!Commands(kTx0).contains("(sleep 1; reboot) &"));

    // Back to a sound mask for the tests that follow.
    form.pMask->SetIPAddress(QStringLiteral("255.255.0.0"));
    form.pGateway->SetIPAddress(QStringLiteral("0.0.0.0"));
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    waitForReboot();
    QVERIFY(boxes.Boxes().isEmpty());
}

void TestDevDialogs::staticAddressRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("mask zero") << "edtNetmask" << "0.0.0.0" << "Invalid subnet mask: 0.0.0.0";
    QTest::newRow("address zero") << "edtIPAddr" << "0.0.0.0" << "Invalid IP address: 0.0.0.0";
    QTest::newRow("broadcast gateway") << "edtNetmask_2" << "255.255.255.255"
                                       << "Invalid gateway: 255.255.255.255";
}

void TestDevDialogs::staticAddressRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    CHOIDev *pDev = Dev(kRx2);
    const QString strName = pDev->GetName();
    CDlgDevEdit dlg(pDev, nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    CBoxRecorder boxes;
    form.pStatic->click();
    form.pName->setText(QStringLiteral("Stage"));
    QIPAddrWidget *pField = dlg.findChild<QIPAddrWidget *>(field);
    pField->SetIPAddress(value);
    QTest::mouseClick(form.Apply(), Qt::LeftButton);

    // Named, focused, and nothing changed or sent.
    QCOMPARE(boxes.Texts(), QStringList{message});
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Critical);
    QVERIFY(pField->hasFocus());
    QVERIFY(dlg.isEnabled());
    QCOMPARE(pDev->GetName(), strName);
    QTest::qWait(300);
    QVERIFY(Filtered(Commands(kRx2), {"gbparam", "(sleep"}).isEmpty());
}

void TestDevDialogs::acceptClosesAfterCompletion()
{
    CHOIDev *pDev = Dev(kTx0);
    CDlgDevEdit dlg(pDev, nullptr);
    T_DevEditForm form(dlg);
    dlg.open();
    form.pName->setText(QStringLiteral("Rear"));
    dlg.accept();
    QVERIFY(dlg.isVisible());
    QVERIFY(!dlg.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!dlg.isVisible(), 10000);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(pDev->GetName(), QStringLiteral("Rear"));
}

void TestDevDialogs::deadDeviceRestoresName_data()
{
    QTest::addColumn<bool>("unread");
    QTest::addColumn<int>("end");
    QTest::newRow("own name") << false << int(E_END_WAITED);
    // Unread again after the refusal: a layout sends the device no name.
    QTest::newRow("name unread") << true << int(E_END_WAITED);
    QTest::newRow("window closed from its title bar") << false << int(E_END_WINDOW_CLOSED);
    // Joins the Apply waiting: its end speaks for both, and the name before
    // the first comes back.
    QTest::newRow("renamed again in the list meanwhile") << false << int(E_END_RENAMED_IN_LIST);
    // Last: the device is gone for the tests that follow.
    QTest::newRow("device removed") << false << int(E_END_REMOVED);
}

void TestDevDialogs::deadDeviceRestoresName()
{
    QFETCH(bool, unread);
    QFETCH(int, end);
    CHOIDev *pDev = Dev(kTx1);
    const QString strOwn = pDev->GetName();
    const auto restore = qScopeGuard([&] {
        m_pLan->SetDeviceOn(kTx1, true);
        if (end != E_END_REMOVED)
            pDev->SetName(strOwn);
    });
    if (unread) {
        pDev->SetName(QString());
        pDev->m_bNameUnread = true;
    }
    m_pLan->SetDeviceOn(kTx1, false);
    const QString oldName = pDev->GetDisplayName();
    QScopedPointer<CDlgDevEdit> pDlg(new CDlgDevEdit(pDev, nullptr));
    CDlgDevEdit &dlg = *pDlg;
    T_DevEditForm form(dlg);
    dlg.show();
    QSignalSpy changed(&dlg, &CDlgDevEdit::onDevChanged);
    QSignalSpy ends(pDev, &CHOIDev::OnCmdCompleted);
    CBoxRecorder boxes;

    const QString gateway = pDev->GetGateway();
    form.pName->setText(QStringLiteral("Ghost"));
    form.pGateway->SetIPAddress(QStringLiteral("10.88.0.254"));
    dlg.accept();
    QCOMPARE(pDev->GetName(), QStringLiteral("Ghost"));
    QVERIFY(!dlg.isEnabled());
    if (end == E_END_REMOVED)
        QVERIFY(m_pMgr->RemoveDevice(pDev));
    if (end == E_END_RENAMED_IN_LIST) {
        CFrameDevList list;
        list.slotRefreshDeives();
        const QList<QTreeWidgetItem *> rows = list.findChild<QTreeWidget *>()->findItems(
            QStringLiteral("Ghost"), Qt::MatchExactly, 1);
        QCOMPARE(rows.size(), 1);
        rows.at(0)->setText(1, QStringLiteral("Ghost2"));
        QCOMPARE(pDev->GetName(), QStringLiteral("Ghost2"));
    }
    if (end == E_END_WINDOW_CLOSED) {
        CFrameDevList list;
        list.slotRefreshDeives();
        dlg.close();
        pDlg.reset();
        // Neither the device (so no project) nor the list keeps the refused name.
        QTRY_VERIFY_WITH_TIMEOUT(!ends.isEmpty(), 30000);
        QCOMPARE(pDev->GetDisplayName(), oldName);
        QCOMPARE(list.findChild<QTreeWidget *>()->findItems(oldName, Qt::MatchExactly, 1).size(), 1);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 30000);
    QCOMPARE(boxes.Texts(), QStringList({QStringLiteral("apply to device failed.")}));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(boxes.Boxes().at(0).title, QString());
    if (end == E_END_REMOVED) {
        // Nor can it be chosen any more.
        QCOMPARE(form.pDevices->findData(DevToVariant(pDev)), -1);
        return;
    }
    QCOMPARE(pDev->GetDisplayName(), oldName);
    QCOMPARE(pDev->m_bNameUnread, unread);
    QCOMPARE(form.pName->text(), oldName);
    // The addresses it never took are not kept.
    QCOMPARE(pDev->GetGateway(), gateway);
    QCOMPARE(changed.count(), 2);
    // accept() asked for the close: the failure closes it as well.
    QVERIFY(!dlg.isVisible());
}

void TestDevDialogs::aliasFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("text");

    QTest::newRow("underscore typed at the end") << "ab_" << false << QStringList() << "ab";
    QTest::newRow("two blanks and an at sign pasted")
        << "a  b@c" << true << QStringList({"Character '@' error.", "Character ' ' error."}) << "abc";
    QTest::newRow("ampersand pasted") << "x&y" << true << QStringList({"Character '&' error."}) << "xy";
    QTest::newRow("allowed text") << "Room-2.b" << true << QStringList() << "Room-2.b";
}

void TestDevDialogs::aliasFilter()
{
    QFETCH(QString, typed);
    QFETCH(bool, pasted);
    QFETCH(QStringList, messages);
    QFETCH(QString, text);

    CDlgDevEdit dlg(Dev(kRx2), nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    form.pName->setToolTip(QString());
    form.pName->clear();
    CBoxRecorder boxes;
    if (pasted)
        form.pName->setText(typed);
    else
        QTest::keyClicks(form.pName, typed);
    QCOMPARE(boxes.Texts(), messages);
    QCOMPARE(form.pName->text(), text);
    if (!pasted)
        QCOMPARE(form.pName->toolTip(), kAliasTip);
}

void TestDevDialogs::withoutDevice()
{
    CDlgDevEdit dlg(nullptr, nullptr);
    T_DevEditForm form(dlg);
    QCOMPARE(form.pDevices->currentIndex(), -1);
    QVERIFY(!form.pName->isEnabled());
    QVERIFY(!form.pAddrBox->isEnabled());
    CBoxRecorder boxes;
    QSignalSpy changed(&dlg, &CDlgDevEdit::onDevChanged);
    form.Apply()->click();
    QVERIFY(boxes.Boxes().isEmpty());
    QCOMPARE(changed.count(), 0);
    QVERIFY(dlg.isEnabled());

    const int nRx = form.pDevices->findData(DevToVariant(Dev(kRx2)));
    form.pDevices->setCurrentIndex(nRx);
    QVERIFY(form.pName->isEnabled());
    QVERIFY(form.pAddrBox->isEnabled());
    QCOMPARE(form.pName->text(), Dev(kRx2)->GetDisplayName());
    QCOMPARE(form.pHost->text(), QStringLiteral("Decoder-0A5800000002"));
}

void TestDevDialogs::selectorSwitchesDevice()
{
    CDlgDevEdit dlg(Dev(kTx0), nullptr);
    T_DevEditForm form(dlg);
    form.pDevices->setCurrentIndex(form.pDevices->findData(DevToVariant(Dev(kCtrl))));
    QCOMPARE(form.pName->text(), Dev(kCtrl)->GetDisplayName());
    QVERIFY(!form.pAddrBox->isEnabled());
    form.pDevices->setCurrentIndex(form.pDevices->findData(DevToVariant(Dev(kRx2))));
    QCOMPARE(form.pName->text(), Dev(kRx2)->GetDisplayName());
    QCOMPARE(form.pAddr->GetIPAddress(), m_pLan->Address(kRx2).toString());
    QVERIFY(form.pAddrBox->isEnabled());
}

void TestDevDialogs::controllerStaysEnabled()
{
    CHOIDev *pCtrl = Dev(kCtrl);
    CDlgDevEdit dlg(pCtrl, nullptr);
    T_DevEditForm form(dlg);
    QVERIFY(!form.pAddrBox->isEnabled());
    dlg.show();
    QSignalSpy done(pCtrl, &CHOIDev::OnCmdCompleted);
    form.pName->setText(QStringLiteral("Ctrl"));
    QTest::mouseClick(form.Apply(), Qt::LeftButton);
    QVERIFY(dlg.isEnabled());
    QCOMPARE(pCtrl->GetName(), QStringLiteral("Ctrl"));
    QTRY_VERIFY_WITH_TIMEOUT(done.count() >= 1, 10000);
    QVERIFY(dlg.isEnabled());
    // The controller gets its name only.
    QVERIFY(!m_pCtrlSim->receivedLines().isEmpty());
    for (const QByteArray &line : m_pCtrlSim->receivedLines())
        QVERIFY2(!line.contains("ip_mode") && !line.contains("reboot"), line.constData());
}

void TestDevDialogs::unreachableControllerFailsAtOnce()
{
    CHOIDev *pCtrl = Dev(kCtrl);
    m_pCtrlSim->stopListening();
    m_pCtrlSim->dropConnections();
    QTRY_VERIFY_WITH_TIMEOUT(!pCtrl->GetComm() || !pCtrl->GetComm()->IsConnected(), 5000);

    CDlgDevEdit dlg(pCtrl, nullptr);
    T_DevEditForm form(dlg);
    dlg.show();
    QSignalSpy changed(&dlg, &CDlgDevEdit::onDevChanged);
    CBoxRecorder boxes;
    form.pName->setText(QStringLiteral("Lost"));
    dlg.accept();
    QCOMPARE(boxes.Texts(), QStringList({QStringLiteral("Failed to apply settings to devices.")}));
    QCOMPARE(boxes.Boxes().at(0).icon, QMessageBox::Critical);
    QCOMPARE(changed.count(), 1);
    QVERIFY(dlg.isEnabled());
    QVERIFY(dlg.isVisible());
    // The new alias stays.
    QCOMPARE(pCtrl->GetName(), QStringLiteral("Lost"));
}

// ---------------------------------------------------------------------------
// Create group

void TestDevDialogs::createGroupTitle()
{
    CDlgCreateGroup create(QString(), nullptr);
    QCOMPARE(create.windowTitle(), QStringLiteral("Create Group"));
    QCOMPARE(create.findChild<QComboBox *>(QStringLiteral("cbLocationOrGroup"))->currentIndex(), 0);
    CDlgCreateGroup edit(QStringLiteral("Hall"), nullptr);
    QCOMPARE(edit.windowTitle(), QStringLiteral("Edit Group"));
    QCOMPARE(edit.findChild<QLineEdit *>(QStringLiteral("leName"))->text(), QStringLiteral("Hall"));
    QCOMPARE(edit.m_strName, QStringLiteral("Hall"));
    QVERIFY(!edit.m_bOK);
    QVERIFY(!(edit.windowFlags() & Qt::WindowContextHelpButtonHint));
}

void TestDevDialogs::createGroup_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<int>("choice");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<bool>("focusOnName");

    QTest::newRow("empty name") << "" << 1 << "" << "Name cannot be empty!" << true;
    QTest::newRow("existing group") << "" << 1 << "Hall" << "Name already exists!" << true;
    QTest::newRow("another group's name when editing") << "Stage" << 1 << "Hall" << "Name already exists!" << true;
    QTest::newRow("unchanged group name") << "Hall" << 1 << "Hall" << "" << false;
    QTest::newRow("existing location") << "" << 0 << "Lobby" << "Name already exists!" << false;
    QTest::newRow("location's own name when editing") << "Lobby" << 0 << "Lobby" << "Name already exists!" << false;
    QTest::newRow("new location") << "" << 0 << "Garden" << "" << false;
    QTest::newRow("blanks only") << "" << 1 << "   " << "" << false;
    QTest::newRow("other case") << "" << 1 << "hall" << "" << false;
}

void TestDevDialogs::createGroup()
{
    QFETCH(QString, given);
    QFETCH(int, choice);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(bool, focusOnName);

    CDlgCreateGroup dlg(given, nullptr);
    QComboBox *pChoice = dlg.findChild<QComboBox *>(QStringLiteral("cbLocationOrGroup"));
    QLineEdit *pName = dlg.findChild<QLineEdit *>(QStringLiteral("leName"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    pChoice->setCurrentIndex(choice);
    pName->setText(typed);
    pChoice->setFocus();
    CBoxRecorder boxes;
    dlg.findChild<QPushButton *>(QStringLiteral("pbOK"))->click();

    if (message.isEmpty()) {
        QVERIFY(boxes.Boxes().isEmpty());
        QVERIFY(dlg.m_bOK);
        QCOMPARE(dlg.m_strName, typed);
        QCOMPARE(dlg.m_nType, choice);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
    } else {
        QCOMPARE(boxes.Texts(), QStringList({message}));
        QCOMPARE(boxes.Boxes().at(0).title, QString());
        QVERIFY(!dlg.m_bOK);
        QCOMPARE(dlg.m_strName, given);
        QVERIFY(dlg.isVisible());
        QCOMPARE(pName->text(), typed);
        QCOMPARE(dlg.focusWidget(), focusOnName ? static_cast<QWidget *>(pName) : pChoice);
    }
    // The dialog itself changes nothing in the manager.
    QCOMPARE(m_pMgr->GetGroupCount(), 3);
    QCOMPARE(m_pMgr->GetLocationCount(), 1);
}

void TestDevDialogs::createGroupCancel()
{
    CDlgCreateGroup dlg(QStringLiteral("Hall"), nullptr);
    dlg.show();
    dlg.findChild<QLineEdit *>(QStringLiteral("leName"))->setText(QStringLiteral("Other"));
    dlg.findChild<QPushButton *>(QStringLiteral("pbCancel"))->click();
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.m_bOK);
    QCOMPARE(dlg.m_strName, QString());
}

// The Chinese catalogue reaches every window that is open when the language
// changes, including the texts the windows set themselves.
void TestDevDialogs::retranslate()
{
    const QString binDir = qEnvironmentVariable("HOI_BIN_DIR");
    QTranslator translator;
    if (binDir.isEmpty() || !translator.load(QStringLiteral("zh_CN.qm"), binDir))
        QSKIP("zh_CN.qm is not built");
    CDlgCreateGroup create(QStringLiteral("Hall"), nullptr);
    CDlgDevEdit edit(Dev(kTx0), nullptr);
    CFrameDevList frame;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(create.windowTitle(), QStringLiteral("编辑分组"));
    QCOMPARE(create.findChild<QPushButton *>(QStringLiteral("pbOK"))->text(), QStringLiteral("确定"));
    QCOMPARE(edit.windowTitle(), QStringLiteral("常规设置"));
    T_DevEditForm form(edit);
    QTRY_COMPARE(form.Apply()->text(), QStringLiteral("应用"));
    QCOMPARE(form.pName->toolTip(), QStringLiteral("无效字符：\r\n{ } \" < > , ; _ @ * & "));
    QCOMPARE(frame.findChild<QTreeWidget *>(QStringLiteral("twDevices"))->headerItem()->text(0),
             QStringLiteral("序号"));
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(create.windowTitle(), QStringLiteral("Edit Group"));
    QTRY_COMPARE(form.Apply()->text(), QStringLiteral("Apply"));
}

QTEST_MAIN(TestDevDialogs)
#include "tst_devdialogs.moc"
