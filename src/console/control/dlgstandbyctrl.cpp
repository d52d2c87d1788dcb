#include "control/dlgstandbyctrl.h"
#include "ui_dlgstandbyctrl.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "uiservices.h"

QPointer<CDlgStandbyCtrl> CDlgStandbyCtrl::s_pDlg;

CDlgStandbyCtrl::CDlgStandbyCtrl(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::CDlgStandbyCtrl)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    connect(ui->btnOpenMsg, &QPushButton::clicked, this, &CDlgStandbyCtrl::slotOpenMsg);
    if (g_pHOIDevMgr)
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevCmdCompleted, this, &CDlgStandbyCtrl::slotOnDevCmdCompleted);
}

CDlgStandbyCtrl::~CDlgStandbyCtrl()
{
    delete ui;
}

int CDlgStandbyCtrl::ShowDlg(CHOIScene *pScene, CHOIDev *pDev)
{
    if (!s_pDlg)
        s_pDlg = new CDlgStandbyCtrl(QApplication::activeWindow());
    s_pDlg->ui->gbDevices->Init(s_pDlg, pScene, pDev);
    return s_pDlg->exec();
}

void CDlgStandbyCtrl::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QDialog::changeEvent(event);
}

// ---------------------------------------------------------------------------
// The chooser's rows: every device but encoders.

bool CDlgStandbyCtrl::GetHeaderLabels(QStringList &headers)
{
    headers << QString() << tr("Alias") << tr("Hostname");
    return true;
}

QTreeWidgetItem *CDlgStandbyCtrl::CreateDevItem(CHOIDev *pDev)
{
    if (!pDev || pDev->GetDevType() == CHOIDev::E_DT_TX)
        return nullptr;
    return NewAliasHostnameItem(pDev);
}

void CDlgStandbyCtrl::OnDevItemAdded(QTreeWidget *pTree, CHOIDev *pDev, QTreeWidgetItem *pItem)
{
    Q_UNUSED(pTree)
    Q_UNUSED(pDev)
    Q_UNUSED(pItem)
}

void CDlgStandbyCtrl::OnCurrentDevItemChanged(QTreeWidgetItem *pCurrent)
{
    Q_UNUSED(pCurrent)
}

void CDlgStandbyCtrl::OnDevItemCheckChanged(QTreeWidgetItem *pItem)
{
    Q_UNUSED(pItem)
}

// ---------------------------------------------------------------------------
// Synchronize

void CDlgStandbyCtrl::slotOpenMsg()
{
    m_pendingDevs = ui->gbDevices->GetCheckedDevList();
    if (m_pendingDevs.isEmpty()) {
        MsgCritical(this, QString(), tr("No controlled device was selected."));
        return;
    }

    QFile file(QStringLiteral("Standby.xml"));
    if (!file.open(QIODevice::ReadOnly)) {
        m_pendingDevs.clear();
        return;
    }
    QByteArray content = file.readAll();
    const int nZero = content.indexOf('\0');
    if (nZero >= 0)
        content.truncate(nZero);
    QString strInfo = QString::fromUtf8(content);
    strInfo.remove(QLatin1Char('\r'));
    strInfo.remove(QLatin1Char('\n'));

    const QList<CHOIDev *> devs = m_pendingDevs;
    for (CHOIDev *pDev : devs) {
        if (pDev->ApplyEncBackupInfo(strInfo)) {
            ui->gbDevices->SetDevItemColor(pDev, Qt::black);
            connect(pDev, &QObject::destroyed, this, &CDlgStandbyCtrl::slotOnPendingDevDestroyed,
                    Qt::UniqueConnection);
        } else {
            ui->gbDevices->SetDevItemColor(pDev, Qt::red);
            m_pendingDevs.removeAll(pDev);
        }
    }
    setEnabled(m_pendingDevs.isEmpty());
}

void CDlgStandbyCtrl::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    if (emCtrlObj != E_CO_DEV || !m_pendingDevs.contains(pDev))
        return;
    m_pendingDevs.removeOne(pDev);
    ui->gbDevices->SetDevItemColor(pDev, eResult == 0 ? Qt::green : Qt::red);
    setEnabled(m_pendingDevs.isEmpty());
}

// A device the manager deletes never reports; the dialog must not wait for
// it.
void CDlgStandbyCtrl::slotOnPendingDevDestroyed(QObject *pObject)
{
    for (int i = m_pendingDevs.size() - 1; i >= 0; --i) {
        if (static_cast<QObject *>(m_pendingDevs.at(i)) == pObject)
            m_pendingDevs.removeAt(i);
    }
    setEnabled(m_pendingDevs.isEmpty());
}
