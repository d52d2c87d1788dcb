#ifndef TESTS_CONSOLE_COMMON_DROPTESTSUPPORT_H
#define TESTS_CONSOLE_COMMON_DROPTESTSUPPORT_H

// The ways lines queued on a device are dropped under whoever waits on
// them: a layout's abort (on a session that never logs in, or while the
// link is still connecting), the device's removal (its link closed quietly,
// the device deleted) and an explicit search, which clears a queue holding
// lines. Held, the device keeps its lines queued until they are dropped.

#include <QPointer>
#include <QScopedPointer>
#include <QSignalSpy>
#include <QtTest>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "simlan.h"
#include "simunansweredport.h"

enum E_DropWay { E_DW_ABORT, E_DW_ABORT_CONNECTING, E_DW_REMOVAL, E_DW_SEARCH };

// One row per way, in the column "way".
inline void AddDropWayRows()
{
    QTest::addColumn<int>("way");
    QTest::newRow("layout's abort") << int(E_DW_ABORT);
    QTest::newRow("layout's abort while connecting") << int(E_DW_ABORT_CONNECTING);
    QTest::newRow("quiet close and removal") << int(E_DW_REMOVAL);
    QTest::newRow("search's clear") << int(E_DW_SEARCH);
}

class CDropRig
{
public:
    CDropRig(CHOIDevMgr *pMgr, CSimLan *pLan, int nDev)
        : m_pMgr(pMgr)
        , m_pLan(pLan)
        , m_nDev(nDev)
        , m_strHost(pLan->Device(nDev)->hostName())
    {
    }
    // A test that failed half-way leaves the device answering.
    ~CDropRig()
    {
        if (m_bHeld)
            Release();
    }

    // Null while the device is removed.
    CHOIDev *Dev() const { return m_pMgr->FindDevByHostName(m_strHost); }

    // The device's link comes up on a session that never logs in, or, for
    // an abort while connecting, its connection attempts go unanswered (the
    // lines queued next start one). Its ends are counted from here.
    bool Hold(E_DropWay eWay = E_DW_ABORT)
    {
        m_eWay = eWay;
        CHOIDev *pDev = Dev();
        pDev->CloseComm();
        m_bHeld = true;
        m_pDev = pDev;
        m_nRetryMs = pDev->GetRetryInterval();
        m_pEnds.reset(new QSignalSpy(pDev, &CHOIDev::OnCmdCompleted));
        m_pGone.reset(new QSignalSpy(pDev, &QObject::destroyed));
        SimDevice *pSim = m_pLan->Device(m_nDev);
        if (eWay == E_DW_ABORT_CONNECTING) {
            pSim->setRefuseConnections(true);
            // Its attempts go on until the drop.
            pDev->SetRetryInterval(kHoldRetryMs);
            return m_hole.open(m_pLan->Address(m_nDev), CSimLan::E_TELNET_PORT);
        }
        pSim->setSilent(true);
        pDev->EnsureConnected();
        return QTest::qWaitFor([this] { return Dev()->GetComm()->IsConnected(); });
    }

    // How often the device told its waiters that its queue ended (its
    // deletion included), from Hold until its link has no attempt and no
    // retry under way any more; one still under way counts as the end it
    // would bring.
    int Ends()
    {
        const auto idle = [this] {
            return !m_pDev || (!m_pDev->m_retryTimer.isActive() && !m_pDev->GetComm()->IsConnecting());
        };
        const bool bIdle = QTest::qWaitFor(idle, kWatchMs);
        return m_pEnds->count() + m_pGone->count() + (bIdle ? 0 : 1);
    }

    bool Drop()
    {
        CHOIDev *pDev = Dev();
        if (!pDev->GetComm()->HasLinesPending())
            return false;
        // Retries left running would give up, and end the device again, soon.
        pDev->SetRetryInterval(kRetryMs);
        if (pDev->m_retryTimer.isActive())
            pDev->m_retryTimer.start(kRetryMs);
        if (m_eWay == E_DW_REMOVAL)
            return m_pMgr->RemoveDevice(pDev);
        if (m_eWay == E_DW_SEARCH) {
            m_pSearchStop.reset(new QSignalSpy(m_pMgr, &CHOIDevMgr::OnSearchStop));
            return m_pMgr->StartSearch(false);
        }
        // A layout that queued its lines behind them, aborted.
        CHOIScene scene(m_pMgr, QStringLiteral("Drop"));
        scene.SetGridSize(1, 1);
        if (pDev->GetDevType() == CHOIDev::E_DT_TX)
            scene.GetCell(0, 0)->txList << pDev;
        else
            scene.GetCell(0, 0)->rx = pDev;
        if (!scene.Apply(1) || !scene.IsPendingDev(pDev))
            return false;
        scene.AbortApply();
        return true;
    }

    // The device answers again: its link closed, the search under way ended,
    // a removed device found again.
    bool Release()
    {
        m_bHeld = false;
        SimDevice *pSim = m_pLan->Device(m_nDev);
        pSim->setSilent(false);
        m_hole.close();
        pSim->setRefuseConnections(false);
        if (m_pDev)
            m_pDev->SetRetryInterval(m_nRetryMs);
        if (m_eWay == E_DW_SEARCH && m_pSearchStop) {
            // Its read-back waits on the silent session: the link logs in anew.
            pSim->dropConnections();
            return QTest::qWaitFor([this] { return !m_pSearchStop->isEmpty(); }, 30000);
        }
        if (m_eWay == E_DW_REMOVAL) {
            QSignalSpy stop(m_pMgr, &CHOIDevMgr::OnSearchStop);
            return m_pMgr->StartSearch(false) && QTest::qWaitFor([&] { return !stop.isEmpty(); }, 30000)
                   && Dev();
        }
        return Dev()->CloseComm();
    }

private:
    static const int kHoldRetryMs = 60000;
    static const int kRetryMs = 100;
    static const int kWatchMs = 5000;

    CHOIDevMgr *m_pMgr;
    CSimLan *m_pLan;
    int m_nDev;
    QString m_strHost;
    bool m_bHeld = false;
    E_DropWay m_eWay = E_DW_ABORT;
    QScopedPointer<QSignalSpy> m_pSearchStop;
    QPointer<CHOIDev> m_pDev; // the device held
    int m_nRetryMs = 0;
    QScopedPointer<QSignalSpy> m_pEnds;
    QScopedPointer<QSignalSpy> m_pGone;
    SimUnansweredPort m_hole;
};

#endif
