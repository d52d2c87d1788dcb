#ifndef TESTS_CONSOLE_SETTINGSTESTSUPPORT_H
#define TESTS_CONSOLE_SETTINGSTESTSUPPORT_H

#include <QList>
#include <QSignalSpy>
#include <QStringList>
#include <QtTest>

#include "consoletestsupport.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "simdevice_commands.h"
#include "simlan.h"

// A test LAN of simulated devices found by a manager's search.
// models/types give each device's host-name model and simulator type.
class CSettingsLan
{
public:
    bool Start(const QStringList &models, const QStringList &types)
    {
        m_models = models;
        m_pMgr = new CHOIDevMgr;
        m_pMgr->SetOnLineTimings(-1, 3600000);
        m_pMgr->SetSearchRoundInterval(200);
        g_pHOIDevMgr = m_pMgr;
        if (!m_pMgr->LoadProdConfig())
            return false;
        m_pMgr->LoadLayoutConfig();
        m_pLan = new CSimLan;
        for (int i = 0; i < models.size(); ++i) {
            SimDevice *pSim = m_pLan->AddDevice(CSimLan::HostNameFor(models.at(i), i), types.at(i));
            if (!pSim)
                return false;
            SimInstallDeviceCommands(*pSim);
        }
        if (!m_pLan->Start())
            return false;
        QSignalSpy stopSpy(m_pMgr, &CHOIDevMgr::OnSearchStop);
        if (!m_pMgr->StartSearch(false))
            return false;
        if (!stopSpy.wait(30000) && stopSpy.isEmpty())
            return false;
        return m_pMgr->GetDevCount() == models.size();
    }

    void Stop()
    {
        delete m_pLan;
        m_pLan = nullptr;
        g_pHOIDevMgr = nullptr;
        delete m_pMgr;
        m_pMgr = nullptr;
    }

    CHOIDev *Dev(int i) const
    {
        return m_pMgr->FindDevByHostName(CSimLan::HostNameFor(m_models.at(i), i));
    }
    SimDevice *Sim(int i) const { return m_pLan->Device(i); }
    CSimLan *Lan() const { return m_pLan; }
    CHOIDevMgr *Mgr() const { return m_pMgr; }
    // What device i received since the last Clear, login and blank lines left out.
    QList<QByteArray> Commands(int i) const { return m_pLan->Commands(i); }
    void Clear() { m_pLan->ClearReceived(); }
    QByteArray Project() const { return ProjectOf(m_pMgr); }
    // The device's shell refuses the console's password from its next
    // login on (its sessions are ended now), or takes it again.
    void RefuseLogin(int i, bool bRefuse)
    {
        Sim(i)->setPassword(bRefuse ? QStringLiteral("not the console's") : QString());
        Sim(i)->setLoginRetryDelay(0);
        if (bRefuse)
            Sim(i)->dropConnections();
    }

private:
    QStringList m_models;
    CHOIDevMgr *m_pMgr = nullptr;
    CSimLan *m_pLan = nullptr;
};

#endif
