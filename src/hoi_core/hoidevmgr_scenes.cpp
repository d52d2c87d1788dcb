// The manager's side of layouts and video walls: placing and removing
// devices across the layouts of one wall, and the product pairing rules that
// decide which encoder may feed which decoder.

#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"
#include "hoidevmgr_p.h"

namespace {

bool IsWallOrLayoutOf(const CHOIScene* pScene, const QString& wallName)
{
    return pScene && CHOIScene::GetSceneNamePrefix(pScene->GetName()) == wallName;
}

// The layouts of the wall (and a layout named as the wall), in list order.
QList<CHOIScene*> LayoutsOfWall(const QList<CHOIScene*>& sceneList, const QString& wallName)
{
    QList<CHOIScene*> layouts;
    for (CHOIScene* pScene : sceneList) {
        if (IsWallOrLayoutOf(pScene, wallName))
            layouts.append(pScene);
    }
    return layouts;
}

// Whether a cell of the layout holds an RX whose product lacks the flag; an
// RX of unknown product lacks every flag.
bool AnyRxLacks(const CHOIDevMgr& mgr, const CHOIScene* pScene, bool T_ProdIdInfo::*pFlag)
{
    if (!pScene)
        return false;
    for (const T_SceneCell* pCell : pScene->m_cells) {
        if (!pCell->rx)
            continue;
        const T_ProdIdInfo* pProd = mgr.FindProdIdInfo(pCell->rx->GetHostName());
        if (!pProd || !(pProd->*pFlag))
            return true;
    }
    return false;
}

// The same over the positions of the layout's grid, with the manager's
// feature query.
bool AnyGridRxLacks(const CHOIDevMgr& mgr, const CHOIScene* pScene,
                    bool (CHOIDevMgr::*pQuery)(CHOIDev*) const)
{
    if (!pScene)
        return false;
    for (int r = 0; r < pScene->GetRowCount(); ++r) {
        for (int c = 0; c < pScene->GetColCount(); ++c) {
            const T_SceneCell* pCell = pScene->CellAt(r, c);
            if (pCell && pCell->rx && !(mgr.*pQuery)(pCell->rx))
                return true;
        }
    }
    return false;
}

// The products of two devices of which exactly one is a TX: the TX's and
// the other one's. False when that is not so or a product is unknown.
bool TxPairProducts(const CHOIDevMgr& mgr, CHOIDev* pDevA, CHOIDev* pDevB, const T_ProdIdInfo** ppTxProd,
                    const T_ProdIdInfo** ppOtherProd)
{
    if (!pDevA || !pDevB || pDevA == pDevB || pDevA->GetDevType() == pDevB->GetDevType())
        return false;
    CHOIDev* pTx;
    CHOIDev* pOther;
    if (pDevA->GetDevType() == CHOIDev::E_DT_TX) {
        pTx = pDevA;
        pOther = pDevB;
    } else if (pDevB->GetDevType() == CHOIDev::E_DT_TX) {
        pTx = pDevB;
        pOther = pDevA;
    } else {
        return false;
    }
    *ppTxProd = mgr.FindProdIdInfo(pTx->GetHostName());
    *ppOtherProd = mgr.FindProdIdInfo(pOther->GetHostName());
    return *ppTxProd && *ppOtherProd;
}

} // namespace

void SetCellDevOfWall(int row, int col, CHOIDev* pDev, CHOIScene* pWall, const QList<CHOIScene*>& layouts)
{
    QString err;
    if (pWall)
        pWall->SetCellDev(row, col, pDev, err);
    for (CHOIScene* pScene : layouts)
        pScene->SetCellDev(row, col, pDev, err);
}

void CHOIDevMgr::SetDevToSceneCell(int row, int col, CHOIDev* pDev, const QString& wallName)
{
    if (pDev)
        SetCellDevOfWall(row, col, pDev, FindVideoWallByName(wallName), LayoutsOfWall(m_sceneList, wallName));
}

void CHOIDevMgr::RemoveDevFromSceneCell(int row, int col, CHOIDev* pDev, const QString& wallName)
{
    if (!pDev)
        return;
    for (CHOIScene* pWall : qAsConst(m_videoWallList)) {
        if (pWall && pWall->GetName() == wallName)
            pWall->RemoveDevFromCell(row, col, pDev);
    }
    for (CHOIScene* pScene : qAsConst(m_sceneList)) {
        if (IsWallOrLayoutOf(pScene, wallName))
            pScene->RemoveDevFromCell(row, col, pDev);
    }
}

void CHOIDevMgr::RemoveAllRXOfVideoWall(const QString& name)
{
    for (CHOIScene* pWall : qAsConst(m_videoWallList)) {
        if (pWall && pWall->GetName() == name)
            pWall->RemoveAllRX();
    }
    for (CHOIScene* pScene : qAsConst(m_sceneList)) {
        if (IsWallOrLayoutOf(pScene, name))
            pScene->RemoveAllRX();
    }
}

int CHOIDevMgr::RemoveDevFromAllScenes(CHOIDev* pDev)
{
    if (!pDev)
        return 0;
    int count = 0;
    for (CHOIScene* pScene : qAsConst(m_sceneList)) {
        if (pScene && pScene->RemoveDev(pDev) > 0)
            ++count;
    }
    // The video walls hold the device too; a removed device must not stay
    // behind in them once it is deleted.
    for (CHOIScene* pWall : qAsConst(m_videoWallList)) {
        if (pWall)
            pWall->RemoveDev(pDev);
    }
    return count;
}

// ---- windowing-kind checks of the layout dialog ----

bool CHOIDevMgr::IsAnyRxWithoutWindow(CHOIScene* pScene) const
{
    return AnyRxLacks(*this, pScene, &T_ProdIdInfo::window_enable);
}

bool CHOIDevMgr::IsAnyRxWithoutViv(CHOIScene* pScene) const
{
    return AnyRxLacks(*this, pScene, &T_ProdIdInfo::viv_enable);
}

bool CHOIDevMgr::IsAnyGridRxWithoutWindow(CHOIScene* pScene) const
{
    return AnyGridRxLacks(*this, pScene, &CHOIDevMgr::IsSupportWindow);
}

bool CHOIDevMgr::IsAnyGridRxWithoutViv(CHOIScene* pScene) const
{
    return AnyGridRxLacks(*this, pScene, &CHOIDevMgr::IsSupportViv);
}

// ---- product pairing ----

bool CHOIDevMgr::IsLinkPartner(CHOIDev* pDevA, CHOIDev* pDevB) const
{
    const T_ProdIdInfo* pTxProd = nullptr;
    const T_ProdIdInfo* pOtherProd = nullptr;
    return TxPairProducts(*this, pDevA, pDevB, &pTxProd, &pOtherProd)
        && pOtherProd->tx_products.contains(pTxProd);
}

bool CHOIDevMgr::IsLinkGroupOk(const QList<CHOIDev*>& txList, CHOIDev* pRx) const
{
    if (txList.isEmpty() || !pRx)
        return false;
    const T_ProdIdInfo* pRxProd = FindProdIdInfo(pRx->GetHostName());
    if (!pRxProd || !pRxProd->rx_monitor || pRxProd->tx_products.isEmpty())
        return false;
    for (CHOIDev* pTx : txList) {
        const T_ProdIdInfo* pTxProd = pTx ? FindProdIdInfo(pTx->GetHostName()) : nullptr;
        if (!pTxProd || !pRxProd->tx_products.contains(pTxProd))
            return false;
    }
    return true;
}

bool CHOIDevMgr::IsMutualPartner(CHOIDev* pDevA, CHOIDev* pDevB) const
{
    const T_ProdIdInfo* pTxProd = nullptr;
    const T_ProdIdInfo* pOtherProd = nullptr;
    if (!TxPairProducts(*this, pDevA, pDevB, &pTxProd, &pOtherProd) || pTxProd->video_wall_products.isEmpty()
        || pOtherProd->video_wall_products.isEmpty())
        return false;
    return pTxProd->video_wall_products.contains(pOtherProd)
        && pOtherProd->video_wall_products.contains(pTxProd);
}
