#include "control/dlgdevcommand.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"

CDlgDevCommand::CDlgDevCommand(E_ControlObject emCtrlObj, QWidget *parent)
    : QDialog(parent)
    , m_emCtrlObj(emCtrlObj)
{
    if (g_pHOIDevMgr)
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevCmdCompleted, this, &CDlgDevCommand::slotOnDevCmdCompleted);
}

bool CDlgDevCommand::GetHeaderLabels(QStringList &headers)
{
    headers << QString() << tr("Alias") << tr("Hostname");
    return true;
}

void CDlgDevCommand::OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem)
{
    Q_UNUSED(pTree)
    Q_UNUSED(pDev)
    Q_UNUSED(pItem)
}

void CDlgDevCommand::OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent)
{
    Q_UNUSED(pCurrent)
}

void CDlgDevCommand::OnDevItemCheckChanged(QTreeWidgetItem *pItem)
{
    Q_UNUSED(pItem)
}

void CDlgDevCommand::SetChooser(QDevFilterGroupBox *pChooser)
{
    m_pChooser = pChooser;
}

int CDlgDevCommand::ExecFor(CHOIScene *pScene, CHOIDev *pDev)
{
    m_pChooser->Init(this, pScene, pDev);
    return exec();
}

bool CDlgDevCommand::TakeCheckedDevs()
{
    m_pendingDevs = m_pChooser->GetCheckedDevList();
    if (!m_pendingDevs.isEmpty())
        return true;
    MsgCritical(this, QString(), tr("No controlled device was selected."));
    return false;
}

void CDlgDevCommand::SendToPending(const std::function<bool(CHOIDev *)> &send)
{
    const QList<CHOIDev *> devs = m_pendingDevs;
    for (CHOIDev *pDev : devs) {
        if (send(pDev)) {
            m_pChooser->SetDevItemColor(pDev, Qt::black);
            connect(pDev, &QObject::destroyed, this, &CDlgDevCommand::slotOnPendingDevDestroyed,
                    Qt::UniqueConnection);
        } else {
            m_pChooser->SetDevItemColor(pDev, Qt::red);
            m_pendingDevs.removeAll(pDev);
        }
    }
    setEnabled(m_pendingDevs.isEmpty());
}

void CDlgDevCommand::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    // The first completion of a pending device releases it, whichever of
    // its commands it reports.
    if (emCtrlObj != m_emCtrlObj || !m_pendingDevs.contains(pDev))
        return;
    m_pendingDevs.removeOne(pDev);
    m_pChooser->SetDevItemColor(pDev, eResult == 0 ? Qt::green : Qt::red);
    setEnabled(m_pendingDevs.isEmpty());
}

void CDlgDevCommand::slotOnPendingDevDestroyed(QObject *pObject)
{
    for (int i = m_pendingDevs.size() - 1; i >= 0; --i) {
        if (static_cast<QObject *>(m_pendingDevs.at(i)) == pObject)
            m_pendingDevs.removeAt(i);
    }
    setEnabled(m_pendingDevs.isEmpty());
}
