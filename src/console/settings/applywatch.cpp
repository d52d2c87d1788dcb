#include "settings/applywatch.h"

#include <QTimer>
#include <QWidget>

#include "hoi_core/hoidev.h"
#include "uiservices.h"

CApplyWatch::CApplyWatch(QWidget *pWindow)
    : QObject(pWindow)
    , m_pWindow(pWindow)
{
}

void CApplyWatch::Watch(QWidget *pWidget, CHOIDev *pDev)
{
    if (!pWidget || !pDev)
        return;
    QWidget *pWindow = pWidget->window();
    CApplyWatch *pWatch = pWindow->findChild<CApplyWatch *>(QString(), Qt::FindDirectChildrenOnly);
    if (!pWatch)
        pWatch = new CApplyWatch(pWindow);
    connect(pDev, &CHOIDev::OnCmdCompleted, pWatch, &CApplyWatch::slotOnCmdCompleted, Qt::UniqueConnection);
    // Removed from the manager, a device is closed quietly and deleted: no
    // end of its queue follows.
    connect(pDev, &QObject::destroyed, pWatch, &CApplyWatch::slotOnDevDestroyed, Qt::UniqueConnection);
}

void CApplyWatch::ReportFailure(QWidget *pWidget)
{
    MsgCritical(pWidget, QString(), tr("Failed to apply settings to devices."));
}

void CApplyWatch::WatchQueued(QWidget *pWidget, CHOIDev *pDev, bool bQueued)
{
    if (bQueued)
        Watch(pWidget, pDev);
    else
        ReportFailure(pWidget);
}

bool CApplyWatch::KeepOnSuccess(CHOIDev *pDev, const std::function<bool()> &fnQueue,
                                const std::function<void(CHOIDev *)> &fnKeep)
{
    return pDev->WatchQueueEnd(fnQueue, [fnKeep](CHOIDev *pDone, E_CommResult eResult) {
        if (eResult == E_CR_SUCCESS)
            fnKeep(pDone);
    });
}

bool CApplyWatch::SetOptionValue(CHOIDev *pDev, int nOptionId, const QVariant &value, bool bConnect)
{
    return KeepOnSuccess(
        pDev, [&] { return pDev->SetOptionValue(nOptionId, value, bConnect, false); },
        [nOptionId, value](CHOIDev *pDone) { pDone->KeepOptionValue(nOptionId, value); });
}

void CApplyWatch::slotOnCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    if (emCtrlObj != E_CO_DEV)
        return;
    // One end of the queue speaks for every line queued before it.
    disconnect(pDev, nullptr, this, nullptr);
    if (eResult != E_CR_SUCCESS)
        ReportFailureLater();
}

void CApplyWatch::slotOnDevDestroyed(QObject *)
{
    ReportFailureLater();
}

void CApplyWatch::ReportFailureLater()
{
    QTimer::singleShot(0, m_pWindow, [pWindow = m_pWindow] { ReportFailure(pWindow); });
}
