#include "tiles/formdevice.h"
#include "ui_formdevice.h"

#include <QMenu>
#include <QMouseEvent>
#include <QPointer>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"

CFormDevice::CFormDevice(CHOIDev *pDev, QWidget *parent)
    : CTxDropTile(parent)
    , m_pDev(pDev)
    , m_pScene(nullptr)
{
    ui.SetUpForm(this, [this] { UpdateLabels(); });
    UpdateLabels();

    m_pScene = new CHOIScene(g_pHOIDevMgr, pDev ? pDev->GetDisplayName() : QString());
    m_pScene->SetGridSize(1, 1);
    // The apply of this private layout reports to the log like any other,
    // and its progress too: the window is busy until its end.
    if (g_pHOIDevMgr) {
        connect(m_pScene, &CHOIScene::OnProgressLog, g_pHOIDevMgr, &CHOIDevMgr::EmitProgressLog);
        connect(m_pScene, &CHOIScene::OnProgressNotify, g_pHOIDevMgr, &CHOIDevMgr::OnProgressNotify);
    }
    if (!pDev)
        return;
    WatchDev(pDev);
    QString strErr;
    m_pScene->SetCellDev(0, 0, pDev, strErr);
    if (CHOIDev *pTx = pDev->GetTXDev()) {
        if (m_pScene->SetCellDev(0, 0, pTx, strErr))
            WatchDev(pTx);
    }
}

CFormDevice::~CFormDevice()
{
    const bool bApplying = m_pScene->IsApplying();
    delete m_pScene;
    m_pScene = nullptr;
    // An apply ended by the tile's end reports no end of its own.
    if (bApplying && g_pHOIDevMgr)
        emit g_pHOIDevMgr->OnProgressNotify(E_PN_NONE, 100);
}

void CFormDevice::UpdateLabels()
{
    QString strName;
    QString strNameLine = tr("RX:");
    QString strTxLine = tr("TX:N/A");
    if (m_pDev) {
        strName = m_pDev->GetDisplayName();
        if (m_pDev->GetDevType() == CHOIDev::E_DT_RX)
            strNameLine = tr("RX:") + strName;
        else if (m_pDev->GetDevType() == CHOIDev::E_DT_MRX)
            strNameLine = tr("MRX:") + strName;
        if (CHOIDev *pTx = m_pDev->GetTXDev())
            strTxLine = tr("TX:") + pTx->GetDisplayName();
    }
    ui->label_Name->SetFullText(strNameLine);
    ui->label_TX->SetFullText(strTxLine);
    setToolTip(strName);
}

void CFormDevice::WatchDev(CHOIDev *pDev)
{
    // The decoder and its encoder may be deleted by the manager while the
    // tile is shown; the tile must then forget them, not apply them.
    connect(pDev, &QObject::destroyed, this, &CFormDevice::slotOnDevDestroyed, Qt::UniqueConnection);
}

void CFormDevice::ForgetDeadDev(CHOIDev *pDev)
{
    // While the layout still waits for the device it counts it as failed by
    // itself, without reading it; RemoveDev would take it for a live device
    // and read its name. So only the cell lets go of it then.
    if (m_pScene->IsPendingDev(pDev)) {
        T_SceneCell *pCell = m_pScene->GetCell(0, 0);
        pCell->txList.removeAll(pDev);
        if (pCell->rx == pDev)
            pCell->rx = nullptr;
    } else {
        m_pScene->RemoveDev(pDev);
    }
}

void CFormDevice::slotOnDevDestroyed(QObject *pObject)
{
    // Only addresses are compared: the object is half destroyed.
    if (m_pDev && static_cast<QObject *>(m_pDev) == pObject) {
        ForgetDeadDev(m_pDev);
        m_pDev = nullptr;
    } else {
        const QList<CHOIDev *> txList = m_pScene->CellAt(0, 0)->txList;
        for (CHOIDev *pTx : txList) {
            if (static_cast<QObject *>(pTx) == pObject)
                ForgetDeadDev(pTx);
        }
        if (m_pDev && static_cast<QObject *>(m_pDev->GetTXDev()) == pObject)
            m_pDev->SetTXDev(nullptr);
    }
    UpdateLabels();
}

void CFormDevice::Apply()
{
    if (m_pDev)
        m_pScene->Apply(1);
}

void CFormDevice::ApplyCellIfAuto()
{
    if (IsAutoApply())
        m_pScene->UpdateOneCellLink(0, 0);
}

bool CFormDevice::LinkTx(CHOIDev *pTx, QWidget *pMsgParent)
{
    // The decoder is told one encoder, the cell's first: the new one takes
    // the place of the old instead of joining it (a multi-channel decoder
    // would keep showing the old one while the tile named the new).
    T_SceneCell *pCell = m_pScene->GetCell(0, 0);
    const QList<CHOIDev *> previous = pCell->txList;
    pCell->txList.clear();
    QString strErr;
    if (!m_pScene->SetCellDev(0, 0, pTx, strErr)) {
        pCell->txList = previous;
        if (!strErr.isEmpty())
            MsgCritical(pMsgParent, QString(), strErr);
        return false;
    }
    WatchDev(pTx);
    m_pDev->SetTXDev(pTx);
    UpdateLabels();
    ApplyCellIfAuto();
    return true;
}

void CFormDevice::DropTx(QDropEvent *event)
{
    // Only an encoder the manager still holds may feed the decoder; anything
    // else in this format would take the decoder's place in the cell.
    CHOIDev *pTx = DroppedDev(event, g_strMimeTxItem);
    if (!m_pDev || !pTx || pTx->GetDevType() != CHOIDev::E_DT_TX)
        return;
    if (LinkTx(pTx, nullptr))
        event->accept();
}

QMenu *CFormDevice::CreateContextMenu()
{
    QMenu *pMenu = new QMenu(this);
    QMenu *pChange = pMenu->addMenu(tr("Change TX"));
    if (g_pHOIDevMgr) {
        const int nCount = g_pHOIDevMgr->GetDevCount();
        for (int i = 0; i < nCount; ++i) {
            CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
            if (pDev->GetDevType() != CHOIDev::E_DT_TX)
                continue;
            QAction *pAction = pChange->addAction(pDev->GetDisplayName());
            pAction->setData(DevToVariant(pDev));
            connect(pAction, &QAction::triggered, this, &CFormDevice::slotChangeTX);
        }
    }
    QAction *pRemove = pMenu->addAction(tr("Remove TX"));
    pRemove->setEnabled(m_pDev && m_pDev->GetTXDev());
    connect(pRemove, &QAction::triggered, this, &CFormDevice::slotRemoveTX);
    return pMenu;
}

void CFormDevice::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::RightButton)
        return;
    // The page may rebuild its tiles while the menu runs; the menu goes with
    // this tile then.
    QPointer<QMenu> pMenu = CreateContextMenu();
    pMenu->exec(event->globalPos());
    delete pMenu;
}

void CFormDevice::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (m_pDev)
        emit signalDoubleClick(m_pDev);
    QWidget::mouseDoubleClickEvent(event);
}

void CFormDevice::slotChangeTX()
{
    QAction *pAction = qobject_cast<QAction *>(sender());
    if (!pAction || !m_pDev)
        return;
    // The menu may have outlived the device it names.
    CHOIDev *pTx = FindManagedDev(pAction->data().toULongLong());
    if (!pTx || pTx->GetDevType() != CHOIDev::E_DT_TX)
        return;
    LinkTx(pTx, this);
}

void CFormDevice::slotRemoveTX()
{
    if (!m_pDev)
        return;
    // Whatever the cell still lists goes too, so the cell and the decoder's
    // record agree afterwards.
    QList<CHOIDev *> txList = m_pScene->CellAt(0, 0)->txList;
    if (CHOIDev *pTx = m_pDev->GetTXDev()) {
        if (!txList.contains(pTx))
            txList.prepend(pTx);
    }
    for (CHOIDev *pTx : qAsConst(txList))
        m_pScene->RemoveDevFromCell(0, 0, pTx);
    m_pDev->SetTXDev(nullptr);
    UpdateLabels();
    ApplyCellIfAuto();
}
