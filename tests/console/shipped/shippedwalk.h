#ifndef TESTS_CONSOLE_SHIPPED_SHIPPEDWALK_H
#define TESTS_CONSOLE_SHIPPED_SHIPPEDWALK_H

// One simulated device of every product of the shipped "config.xml" (and
// the cameras of a gateway), found by a search and listed in a source and a
// display device list, with the device menu of each as an operator opens
// it. The shipped files are copied beside the test first.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDir>
#include <QLoggingCategory>
#include <QMenu>
#include <QTreeWidget>
#include <QtTest>

#include "devlist/framedevlist.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "hoiwidget/itemdata.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

#include "consoletestsupport.h"

class CShippedWalk
{
public:
    ~CShippedWalk()
    {
        delete m_pSource;
        delete m_pDisplay;
        delete m_pLan;
        delete m_pCtrlSim;
        g_pHOIDevMgr = nullptr;
        delete m_pMgr;
    }

    static QString ShippedFile(const QString &name)
    {
        return qEnvironmentVariable("HOI_BIN_DIR") + QLatin1Char('/') + name;
    }

    // The row of a device in a device tree, or null.
    static QTreeWidgetItem *RowOf(QTreeWidget *pTree, const CHOIDev *pDev)
    {
        for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
            if (VariantToDev(pTree->topLevelItem(i)->data(0, Qt::UserRole)) == pDev)
                return pTree->topLevelItem(i);
        }
        return nullptr;
    }

    // The device menu entries that open a window.
    static const QStringList &WindowEntries()
    {
        static const QStringList s_entries = {
            "General Settings",     "Video Settings",      "Serial Settings",       "Audio Settings",
            "Display Power Settings", "Layout Settings",   "Windowing Image Settings", "Idle Image Settings",
            "Overlay Image Settings", "Virsual TX Settings", "EDID Export",          "EDID Settings",
            "IP Config"};
        return s_entries;
    }

    // A virtual TX: a camera of a gateway, never found by a search.
    static bool IsCamera(const T_ProdIdInfo &prod)
    {
        return prod.ipc_flag && T_ProdIdInfo::TypeText2DevType(prod.type) == CHOIDev::E_DT_TX;
    }

    static QString SimType(const T_ProdIdInfo &prod)
    {
        const int type = T_ProdIdInfo::TypeText2DevType(prod.type);
        return QStringList({"", "TX", "RX", "MRX", "WP", "GW", "QN714"}).value(type);
    }

    // Builds it all; a failure is reported through QVERIFY (check
    // QTest::currentTestFailed afterwards).
    void Start()
    {
        if (!CSimLan::IsTestLan())
            QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
        QVERIFY2(!qEnvironmentVariableIsEmpty("HOI_BIN_DIR"), "run through ctest");
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
        RegisterHoiMetaTypes();
        qRegisterMetaType<CHOIDev *>("CHOIDev*");
        qRegisterMetaType<E_CommResult>("E_CommResult");
        InitConsoleResources();
        const QDir here(QCoreApplication::applicationDirPath());
        for (const char *name : {"config.xml", "IPMLayout.xml", "menuhelp.xml", "ZEZOControlTable.db"}) {
            QFile::remove(here.filePath(name));
            QVERIFY2(QFile::copy(ShippedFile(name), here.filePath(name)), name);
        }

        m_pMgr = new CHOIDevMgr;
        m_pMgr->SetOnLineTimings(-1, 3600000);
        m_pMgr->SetSearchRoundInterval(200);
        g_pHOIDevMgr = m_pMgr;
        QVERIFY(m_pMgr->LoadProdConfig());
        QVERIFY(m_pMgr->LoadLayoutConfig());
        QVERIFY(m_pMgr->LoadMenuConfig());
        StartLan();
        if (QTest::currentTestFailed())
            return;

        m_pSource = new CFrameDevList;
        m_pSource->SetListMode(true, false, true);
        m_pDisplay = new CFrameDevList;
        m_pDisplay->SetListMode(false, true, false);
        for (CFrameDevList *pFrame : {m_pSource, m_pDisplay}) {
            pFrame->resize(600, 500);
            pFrame->show();
            QVERIFY(QTest::qWaitForWindowExposed(pFrame));
        }
        CBoxRecorder boxes; // the end of the search is reported
        QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
        QVERIFY(m_pMgr->StartSearch(false));
        QTRY_COMPARE_WITH_TIMEOUT(stopSpy.count(), 1, 30000);
        m_pMgr->InitMrxLayouts();
        // The controller's version rebuilds the lists once more.
        QTRY_VERIFY_WITH_TIMEOUT(!DevOf(QStringLiteral("QN714"))->GetVersion().isEmpty(), 10000);

        // The cameras of the gateway.
        CHOIDev *pGateway = DevOf(m_gatewayId);
        QVERIFY(pGateway);
        for (const T_ProdIdInfo &prod : m_pMgr->GetProdList()) {
            if (!IsCamera(prod))
                continue;
            T_IpcInfo *pInfo = new T_IpcInfo;
            pInfo->aliasname = QStringLiteral("Lobby camera");
            pInfo->hostname = prod.id + QStringLiteral("-02A7C5F10001");
            pGateway->AddIpcInfo(pInfo);
            m_pMgr->AddIpcDev(pInfo->aliasname, pInfo->hostname, pGateway);
            m_hosts.insert(prod.id, pInfo->hostname);
            m_cameraId = prod.id;
        }
        for (const QString &id : m_hosts.keys())
            QVERIFY2(DevOf(id), qPrintable(id));
    }

    CHOIDev *DevOf(const QString &id) const { return m_pMgr->FindDevByHostName(m_hosts.value(id)); }

    CFrameDevList *FrameOf(CHOIDev *pDev) const
    {
        const CHOIDev::DevType eType = pDev->GetDevType();
        return (eType == CHOIDev::E_DT_RX || eType == CHOIDev::E_DT_MRX) ? m_pDisplay : m_pSource;
    }

    // The entries of the device's menu ("<none>" when it opens none); with
    // nTrigger, that entry is chosen.
    QStringList MenuOf(CHOIDev *pDev, int nTrigger = -1)
    {
        CFrameDevList *pFrame = FrameOf(pDev);
        QTreeWidget *pTree = pFrame->findChild<QTreeWidget *>(QStringLiteral("twDevices"));
        QTreeWidgetItem *pRow = RowOf(pTree, pDev);
        if (!pRow)
            return {QStringLiteral("<no row>")};
        pTree->clearSelection();
        pTree->setCurrentItem(pRow);
        pRow->setSelected(true);
        pTree->scrollToItem(pRow);

        QStringList entries;
        CModalWatcher watcher([&](QWidget *pWidget) {
            QMenu *pMenu = qobject_cast<QMenu *>(pWidget);
            QList<QAction *> actions;
            for (QAction *pAction : pMenu ? pMenu->actions() : QList<QAction *>()) {
                if (!pAction->isSeparator()) {
                    actions << pAction;
                    entries << pAction->text();
                }
            }
            if (nTrigger >= 0 && nTrigger < actions.size())
                actions.at(nTrigger)->trigger();
            pWidget->close();
        }, true);
        const QPoint globalPos = pTree->viewport()->mapToGlobal(pTree->visualItemRect(pRow).center());
        QContextMenuEvent event(QContextMenuEvent::Mouse, pFrame->mapFromGlobal(globalPos), globalPos);
        QApplication::sendEvent(pFrame, &event);
        return watcher.Fired() ? entries : QStringList({QStringLiteral("<none>")});
    }

    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
    SimDevice *m_pCtrlSim = nullptr;
    CFrameDevList *m_pSource = nullptr;
    CFrameDevList *m_pDisplay = nullptr;
    QMap<QString, QString> m_hosts; // product id -> host name
    QString m_cameraId;             // the product of the virtual TX
    QString m_gatewayId;            // the product of the gateway that holds it

private:
    // One simulated device of every product that answers discovery; the
    // controller serves its shell on its own port.
    void StartLan()
    {
        m_pLan = new CSimLan;
        for (const T_ProdIdInfo &prod : m_pMgr->GetProdList()) {
            if (IsCamera(prod))
                continue;
            if (prod.ipc_enable && m_gatewayId.isEmpty())
                m_gatewayId = prod.id;
            const QString host = CSimLan::HostNameFor(prod.id, m_pLan->Count());
            const bool bCtrl = SimType(prod) == QLatin1String("QN714");
            SimDevice *pSim = m_pLan->AddDevice(host, SimType(prod), !bCtrl);
            QVERIFY(pSim);
            SimInstallDeviceCommands(*pSim);
            if (bCtrl) {
                m_pCtrlSim = new SimDevice(host, QStringLiteral("QN714"));
                SimInstallDeviceCommands(*m_pCtrlSim);
                SimSetControllerVersion(*m_pCtrlSim, "2.1", "3.4");
                QVERIFY(m_pCtrlSim->listen(m_pLan->Address(m_pLan->Count() - 1), 23000));
            }
            m_hosts.insert(prod.id, prod.tx_if_count > 1 ? host + QStringLiteral(":1") : host);
        }
        QVERIFY(m_pLan->Start());
    }
};

#endif
