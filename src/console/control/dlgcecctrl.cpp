#include "control/dlgcecctrl.h"
#include "ui_dlgcecctrl.h"

#include <QApplication>
#include <QEvent>
#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"

QPointer<CDlgCECCtrl> CDlgCECCtrl::s_pDlg;

CDlgCECCtrl::CDlgCECCtrl(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgCECCtrl)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->btnOpenMsg, &QPushButton::clicked, this, &CDlgCECCtrl::slotOpenMsg);
    connect(ui->btnCloseMsg, &QPushButton::clicked, this, &CDlgCECCtrl::slotCloseMsg);
    if (g_pHOIDevMgr)
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevCmdCompleted, this, &CDlgCECCtrl::slotOnDevCmdCompleted);
}

CDlgCECCtrl::~CDlgCECCtrl()
{
    delete ui;
}

int CDlgCECCtrl::ShowDlg(CHOIScene *pScene, CHOIDev *pDev)
{
    if (!s_pDlg)
        s_pDlg = new CDlgCECCtrl(QApplication::activeWindow());
    s_pDlg->ui->gbDevices->Init(s_pDlg, pScene, pDev);
    return s_pDlg->exec();
}

void CDlgCECCtrl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

// ---------------------------------------------------------------------------
// The chooser's rows: devices with CEC only.

bool CDlgCECCtrl::GetHeaderLabels(QStringList &headers)
{
    headers << QString() << tr("Alias") << tr("Hostname");
    return true;
}

QTreeWidgetItem *CDlgCECCtrl::CreateDevItem(CHOIDev *pDev)
{
    if (!pDev || !g_pHOIDevMgr || !g_pHOIDevMgr->IsSupportCec(pDev))
        return nullptr;
    return NewAliasHostnameItem(pDev);
}

void CDlgCECCtrl::OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem)
{
    Q_UNUSED(pTree)
    Q_UNUSED(pDev)
    Q_UNUSED(pItem)
}

void CDlgCECCtrl::OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent)
{
    Q_UNUSED(pCurrent)
}

void CDlgCECCtrl::OnDevItemCheckChanged(QTreeWidgetItem *pItem)
{
    Q_UNUSED(pItem)
}

// ---------------------------------------------------------------------------
// Sending

void CDlgCECCtrl::slotOpenMsg()
{
    SendPower(true);
}

void CDlgCECCtrl::slotCloseMsg()
{
    SendPower(false);
}

void CDlgCECCtrl::SendPower(bool bOn)
{
    m_pendingDevs = ui->gbDevices->GetCheckedDevList();
    if (m_pendingDevs.isEmpty()) {
        MsgCritical(this, QString(), tr("No controlled device was selected."));
        return;
    }
    const QList<CHOIDev *> devs = m_pendingDevs;
    for (CHOIDev *pDev : devs) {
        if (pDev->SendCecPower(bOn)) {
            ui->gbDevices->SetDevItemColor(pDev, Qt::black);
            connect(pDev, &QObject::destroyed, this, &CDlgCECCtrl::slotOnPendingDevDestroyed,
                    Qt::UniqueConnection);
        } else {
            ui->gbDevices->SetDevItemColor(pDev, Qt::red);
            m_pendingDevs.removeAll(pDev);
        }
    }
    setEnabled(m_pendingDevs.isEmpty());
    // The button last used stays marked.
    ui->btnOpenMsg->setCheckable(bOn);
    ui->btnCloseMsg->setCheckable(!bOn);
}

void CDlgCECCtrl::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    if (emCtrlObj != E_CO_DEV || !m_pendingDevs.contains(pDev))
        return;
    m_pendingDevs.removeOne(pDev);
    ui->gbDevices->SetDevItemColor(pDev, eResult == 0 ? Qt::green : Qt::red);
    setEnabled(m_pendingDevs.isEmpty());
}

// A device the manager deletes never reports; the dialog must not wait for
// it.
void CDlgCECCtrl::slotOnPendingDevDestroyed(QObject *pObject)
{
    for (int i = m_pendingDevs.size() - 1; i >= 0; --i) {
        if (static_cast<QObject *>(m_pendingDevs.at(i)) == pObject)
            m_pendingDevs.removeAt(i);
    }
    setEnabled(m_pendingDevs.isEmpty());
}
