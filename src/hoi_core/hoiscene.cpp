// The layout model: grid, cells, video-wall records and the plain accessors.
// Applying a layout is in hoiscene_apply.cpp, the video-wall rules and steps
// in hoiscene_videowall.cpp.

#include "hoi_core/hoiscene.h"

#include <QDebug>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

CHOIScene::CHOIScene(CHOIDevMgr* pOwner, const QString& name)
    : QObject(nullptr)
    , m_pOwner(pOwner)
    , m_strName(name)
{
}

CHOIScene::~CHOIScene()
{
    // Connections to devices go with this object.
    m_pendingDevs.clear();
    ClearPtrList();
    qDeleteAll(m_cells);
    m_cells.clear();
    m_visualScreens.clear();
}

QString CHOIScene::GetSceneNamePrefix(const QString& name)
{
    const int pos = name.indexOf(QLatin1Char('-'));
    return pos < 0 ? name : name.left(pos);
}

QString CHOIScene::GetSceneNameSuffix(const QString& name)
{
    const int pos = name.indexOf(QLatin1Char('-'));
    return pos < 0 ? name : name.mid(pos + 1);
}

QString CHOIScene::GetSceneNamePrefix(const CHOIScene* pScene)
{
    return pScene ? GetSceneNamePrefix(pScene->GetName()) : QString();
}

QString CHOIScene::GetSceneNameSuffix(const CHOIScene* pScene)
{
    return pScene ? GetSceneNameSuffix(pScene->GetName()) : QString();
}

T_VWDevSetup CHOIScene::GetDevSetup(CHOIDev* pDev) const
{
    return m_devSetups.value(pDev, T_VWDevSetup());
}

void CHOIScene::SetDevSetup(CHOIDev* pDev, const T_VWDevSetup& setup)
{
    if (pDev)
        m_devSetups.insert(pDev, setup);
}

QList<CHOIScene*> CHOIScene::GetWallSceneList(const QString& prefix) const
{
    QList<CHOIScene*> list;
    if (!m_pOwner)
        return list;
    for (int i = 0; i < m_pOwner->GetSceneCount(); ++i) {
        CHOIScene* pScene = m_pOwner->GetScene(i);
        if (pScene && pScene != this && GetSceneNamePrefix(pScene->GetName()) == prefix)
            list.append(pScene);
    }
    return list;
}

void CHOIScene::SetLocation(const QString& location)
{
    if (location == m_strLocation)
        return;
    if (location.isEmpty()) {
        LeaveLocation(QList<CHOIScene*>());
        return;
    }
    m_strLocation = location;

    for (T_SceneCell* pCell : qAsConst(m_cells)) {
        if (pCell->rx && pCell->rx->GetLocation() != location)
            pCell->rx->SetLocation(location);
    }
    if (m_strName.contains(QLatin1Char('-'))) {
        const QList<CHOIScene*> siblings = GetWallSceneList(GetSceneNamePrefix(m_strName));
        for (CHOIScene* pScene : siblings) {
            if (pScene->GetLocation() != location)
                pScene->SetLocation(location);
        }
    }
}

void CHOIScene::LeaveLocation(const QList<CHOIScene*>& alsoLeaving)
{
    if (m_strLocation.isEmpty())
        return;
    m_strLocation.clear();
    // The layouts of its wall or group keep theirs, and this one follows them.
    if (!m_strName.contains(QLatin1Char('-')))
        return;
    const QList<CHOIScene*> siblings = GetWallSceneList(GetSceneNamePrefix(m_strName));
    for (CHOIScene* pScene : siblings) {
        if (!alsoLeaving.contains(pScene)) {
            m_strLocation = pScene->GetLocation();
            return;
        }
    }
}

void CHOIScene::ClearLocation()
{
    // No sibling look-up: each layout of a wall can be taken out on its own.
    m_strLocation.clear();
}

// ---- grid and cells ----

bool CHOIScene::IsInGrid(int row, int col) const
{
    return row >= 0 && col >= 0 && row < m_nRowCount && col < m_nColCount
        && m_cells.size() == m_nRowCount * m_nColCount;
}

bool CHOIScene::IsRectInGrid(int row, int col, int rows, int cols) const
{
    return rows >= 1 && cols >= 1 && IsInGrid(row, col) && row + rows <= m_nRowCount
        && col + cols <= m_nColCount;
}

void CHOIScene::SetGridSize(int rows, int cols)
{
    if (rows == m_nRowCount && cols == m_nColCount)
        return;
    if (rows > E_MAX_GRID || cols > E_MAX_GRID || rows < 0 || cols < 0)
        return;

    if (m_cells.size() != m_nRowCount * m_nColCount) {
        qDeleteAll(m_cells);
        m_cells.clear();
        m_nRowCount = 0;
        m_nColCount = 0;
    }

    if (rows == 0 || cols == 0) {
        ClearPtrList();
        qDeleteAll(m_cells);
        m_cells.clear();
        m_nRowCount = 0;
        m_nColCount = 0;
        return;
    }

    QList<T_SceneCell*> oldCells;
    oldCells.swap(m_cells);
    QList<T_VideoWallInfo*> oldWalls;
    oldWalls.swap(m_videoWalls);
    const int oldRows = m_nRowCount;
    const int oldCols = m_nColCount;

    m_cells.reserve(rows * cols);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            T_SceneCell* pCell = new T_SceneCell;
            if (r < oldRows && c < oldCols) {
                *pCell = *oldCells.at(r * oldCols + c);
                T_VideoWallInfo* pWall = pCell->wall;
                if (pWall && !m_videoWalls.contains(pWall)) {
                    // The first cell of a wall met row by row is its top-left one.
                    if (oldWalls.removeOne(pWall)) {
                        if (pWall->row_count + r > rows)
                            pWall->row_count = rows - r;
                        if (pWall->col_count + c > cols)
                            pWall->col_count = cols - c;
                        if (pWall->row_count <= 1 && pWall->col_count <= 1) {
                            ForgetWall(pWall);
                            delete pWall;
                            pCell->wall = nullptr;
                        } else {
                            m_videoWalls.append(pWall);
                        }
                    } else {
                        // Not a record of this layout (or already deleted).
                        pCell->wall = nullptr;
                    }
                }
            }
            m_cells.append(pCell);
        }
    }
    m_nRowCount = rows;
    m_nColCount = cols;

    for (T_VideoWallInfo* pWall : qAsConst(oldWalls)) {
        // None of its cells is left; make sure no cell still names it.
        for (T_SceneCell* pCell : qAsConst(m_cells)) {
            if (pCell->wall == pWall)
                pCell->wall = nullptr;
        }
        ForgetWall(pWall);
        delete pWall;
    }
    qDeleteAll(oldCells);
}

T_SceneCell* CHOIScene::GetCell(int row, int col)
{
    const int index = row * m_nColCount + col;
    if (index < 0 || index >= m_cells.size())
        return nullptr;
    return m_cells.at(index);
}

const T_SceneCell* CHOIScene::CellAt(int row, int col) const
{
    const int index = row * m_nColCount + col;
    if (index < 0 || index >= m_cells.size())
        return nullptr;
    return m_cells.at(index);
}

bool CHOIScene::HasDev(CHOIDev* pDev) const
{
    if (!pDev)
        return false;
    if (pDev->GetDevType() == CHOIDev::E_DT_TX) {
        for (const T_SceneCell* pCell : m_cells) {
            if (pCell->txList.contains(pDev))
                return true;
        }
        return false;
    }
    if (pDev->GetDevType() == CHOIDev::E_DT_RX) {
        for (const T_SceneCell* pCell : m_cells) {
            if (pCell->rx == pDev)
                return true;
        }
    }
    return false;
}

bool CHOIScene::FindDevCell(CHOIDev* pDev, int* pRow, int* pCol) const
{
    if (!pDev || m_nColCount <= 0)
        return false;
    // An encoder is looked for in the TX lists, any other device as a
    // cell's decoder (a multiview decoder included).
    const bool bTx = pDev->GetDevType() == CHOIDev::E_DT_TX;
    const int startRow = pRow ? *pRow : 0;
    const int startCol = pCol ? *pCol : 0;
    if (startRow < 0 || startCol < 0)
        return false;
    for (int index = startRow * m_nColCount + startCol; index < m_cells.size(); ++index) {
        const T_SceneCell* pCell = m_cells.at(index);
        if (bTx ? pCell->txList.contains(pDev) : pCell->rx == pDev) {
            if (pRow)
                *pRow = index / m_nColCount;
            if (pCol)
                *pCol = index % m_nColCount;
            return true;
        }
    }
    return false;
}

T_VideoWallInfo* CHOIScene::FindVideoWallOfDev(CHOIDev* pDev) const
{
    if (!pDev)
        return nullptr;
    const bool bTx = pDev->GetDevType() == CHOIDev::E_DT_TX;
    for (T_VideoWallInfo* pWall : m_videoWalls) {
        if (!IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count))
            continue;
        if (bTx) {
            const int rows = pWall->mode == 0 ? 1 : pWall->row_count;
            for (int r = 0; r < rows; ++r) {
                if (CellAt(pWall->pos_row + r, pWall->pos_col)->txList.contains(pDev))
                    return pWall;
            }
            continue;
        }
        for (int r = 0; r < pWall->row_count; ++r) {
            for (int c = 0; c < pWall->col_count; ++c) {
                if (CellAt(pWall->pos_row + r, pWall->pos_col + c)->rx == pDev)
                    return pWall;
            }
        }
    }
    return nullptr;
}

int CHOIScene::RemoveDev(CHOIDev* pDev)
{
    if (!pDev)
        return 0;
    int count = 0;
    for (T_SceneCell* pCell : qAsConst(m_cells)) {
        count += pCell->txList.removeAll(pDev);
        if (pCell->rx == pDev) {
            pCell->rx = nullptr;
            ++count;
        }
    }
    m_devSetups.remove(pDev);
    ForgetDevInDeferred(pDev);
    RemovePendingDev(pDev);
    return count;
}

bool CHOIScene::RemoveDevFromCell(int row, int col, CHOIDev* pDev)
{
    if (!pDev || !IsInGrid(row, col))
        return false;
    T_SceneCell* pCell = GetCell(row, col);
    pCell->txList.removeAll(pDev);
    if (pCell->rx == pDev)
        pCell->rx = nullptr;
    m_devSetups.remove(pDev);
    RemovePendingDev(pDev);
    return true;
}

void CHOIScene::RemoveAllDev()
{
    ClearPtrList();
    for (T_SceneCell* pCell : qAsConst(m_cells)) {
        pCell->txList.clear();
        pCell->rx = nullptr;
        pCell->wall = nullptr;
    }
    m_deferredWallSteps.clear();
}

void CHOIScene::RemoveAllRX()
{
    for (T_SceneCell* pCell : qAsConst(m_cells)) {
        CHOIDev* pRx = pCell->rx;
        if (!pRx)
            continue;
        pRx->SetVideoWall(nullptr);
        if (m_pOwner)
            emit m_pOwner->signalDevChangeForList(pRx);
        pCell->rx = nullptr;
    }
}

void CHOIScene::RemoveAllTX()
{
    for (T_SceneCell* pCell : qAsConst(m_cells))
        pCell->txList.clear();
}

void CHOIScene::CopyCellsFrom(const CHOIScene* pOther, int rows, int cols)
{
    if (!pOther || rows <= 0 || cols <= 0)
        return;
    // Never past the end of either grid.
    const int count = qMin(rows * cols, qMin(m_cells.size(), pOther->m_cells.size()));
    for (int i = 0; i < count; ++i)
        m_cells.at(i)->rx = pOther->m_cells.at(i)->rx;
}

// ---- video-wall records ----

bool CHOIScene::IsInWallList(const T_VideoWallInfo* pWall) const
{
    return pWall && m_videoWalls.contains(const_cast<T_VideoWallInfo*>(pWall));
}

bool CHOIScene::CanMakeVideoWall(int row, int col, int rows, int cols) const
{
    if (!IsRectInGrid(row, col, rows, cols))
        return false;
    for (int r = row; r < row + rows; ++r) {
        for (int c = col; c < col + cols; ++c) {
            const T_SceneCell* pCell = CellAt(r, c);
            if (pCell->wall || pCell->txList.size() > 1)
                return false;
            for (CHOIDev* pTx : pCell->txList) {
                if (!m_pOwner || !m_pOwner->IsSupportVideoWall(pTx))
                    return false;
            }
            if (pCell->rx && (!m_pOwner || !m_pOwner->IsSupportVideoWall(pCell->rx)))
                return false;
        }
    }
    return true;
}

bool CHOIScene::CanMakeMultiCellVideoWall(int row, int col, int rows, int cols) const
{
    if (rows == 1 && cols == 1)
        return false;
    return CanMakeVideoWall(row, col, rows, cols);
}

bool CHOIScene::AddVideoWall(const T_VideoWallInfo* pWall)
{
    if (!pWall
        || !IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count))
        return false;
    // A cell belongs to one wall at most; overlapping would leave the older
    // wall with cells that no longer point to it.
    for (int r = 0; r < pWall->row_count; ++r) {
        for (int c = 0; c < pWall->col_count; ++c) {
            if (CellAt(pWall->pos_row + r, pWall->pos_col + c)->wall)
                return false;
        }
    }

    const bool bRowMode = pWall->mode == 1;
    QList<CHOIDev*> rowTx;
    for (int r = 0; r < pWall->row_count; ++r) {
        CHOIDev* pTx = nullptr;
        if (r == 0 || bRowMode) {
            for (int c = 0; c < pWall->col_count; ++c) {
                const T_SceneCell* pCell = CellAt(pWall->pos_row + r, pWall->pos_col + c);
                if (!pCell->txList.isEmpty()) {
                    pTx = pCell->txList.first();
                    break;
                }
            }
            if (pTx && FindVideoWallOfDev(pTx))
                return false;
        }
        rowTx.append(pTx);
    }

    T_VideoWallInfo* pCopy = new T_VideoWallInfo(*pWall);
    for (int r = 0; r < pWall->row_count; ++r) {
        CHOIDev* pTx = bRowMode ? rowTx.at(r) : rowTx.at(0);
        for (int c = 0; c < pWall->col_count; ++c) {
            T_SceneCell* pCell = GetCell(pWall->pos_row + r, pWall->pos_col + c);
            pCell->wall = pCopy;
            pCell->txList.clear();
            if (pTx)
                pCell->txList.append(pTx);
        }
    }
    m_videoWalls.append(pCopy);
    return true;
}

bool CHOIScene::AddMultiCellVideoWall(const T_VideoWallInfo* pWall)
{
    if (!pWall
        || !CanMakeMultiCellVideoWall(pWall->pos_row, pWall->pos_col, pWall->row_count,
                                      pWall->col_count))
        return false;
    return AddVideoWall(pWall);
}

bool CHOIScene::InsertVideoWall(T_VideoWallInfo* pWall)
{
    if (!pWall || IsInWallList(pWall))
        return false;
    if (!IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count)) {
        qWarning() << "video wall" << pWall->name << "does not fit the grid of" << m_strName;
        delete pWall;
        return false;
    }
    DeleteVideoWallsIn(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count);
    for (int r = 0; r < pWall->row_count; ++r) {
        for (int c = 0; c < pWall->col_count; ++c)
            GetCell(pWall->pos_row + r, pWall->pos_col + c)->wall = pWall;
    }
    m_videoWalls.append(pWall);
    return true;
}

void CHOIScene::DeleteVideoWall(T_VideoWallInfo* pWall)
{
    if (!IsInWallList(pWall))
        return;
    for (T_SceneCell* pCell : qAsConst(m_cells)) {
        if (pCell->wall == pWall)
            pCell->wall = nullptr;
    }
    m_videoWalls.removeAll(pWall);
    ForgetWall(pWall);
    delete pWall;
}

bool CHOIScene::DeleteVideoWallsIn(int row, int col, int rows, int cols)
{
    if (row < 0 || row >= m_nRowCount || col < 0 || col >= m_nColCount || rows < 1
        || rows > m_nRowCount || cols < 1 || cols > m_nColCount
        || m_cells.size() != m_nRowCount * m_nColCount)
        return false;
    QList<T_VideoWallInfo*> walls;
    const int lastRow = qMin(row + rows, m_nRowCount);
    const int lastCol = qMin(col + cols, m_nColCount);
    for (int r = row; r < lastRow; ++r) {
        for (int c = col; c < lastCol; ++c) {
            T_VideoWallInfo* pWall = CellAt(r, c)->wall;
            if (pWall && !walls.contains(pWall))
                walls.append(pWall);
        }
    }
    for (T_VideoWallInfo* pWall : qAsConst(walls))
        DeleteVideoWall(pWall);
    return true;
}

bool CHOIScene::SetVideoWallMode(T_VideoWallInfo* pWall, int mode)
{
    if (!IsInWallList(pWall) || pWall->mode == mode)
        return false;
    if (!IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count))
        return false;
    const QList<CHOIDev*> topLeftTx = CellAt(pWall->pos_row, pWall->pos_col)->txList;
    for (int r = 0; r < pWall->row_count; ++r) {
        for (int c = 0; c < pWall->col_count; ++c) {
            T_SceneCell* pCell = GetCell(pWall->pos_row + r, pWall->pos_col + c);
            pCell->wall = pWall;
            if (mode == 0 || r == 0)
                pCell->txList = topLeftTx;
            else
                pCell->txList.clear();
        }
    }
    pWall->mode = mode;
    return true;
}

void CHOIScene::ClearPtrList()
{
    for (T_VideoWallInfo* pWall : qAsConst(m_videoWalls))
        ForgetWall(pWall);
    qDeleteAll(m_videoWalls);
    m_videoWalls.clear();
}

T_VideoWallInfo* CHOIScene::FindVideoWallByName(const QString& name,
                                                const T_VideoWallInfo* pExcept) const
{
    for (T_VideoWallInfo* pWall : m_videoWalls) {
        if (pWall != pExcept && pWall->name == name)
            return pWall;
    }
    return nullptr;
}

void CHOIScene::SetVideoWallDevice(QString wallName, QString devHostName, QString devDisplayName)
{
    for (T_VideoWallInfo* pWall : qAsConst(m_videoWalls)) {
        if (pWall->name == wallName) {
            pWall->dev_hostname = devHostName;
            pWall->dev_name = devDisplayName;
            return;
        }
    }
}

bool CHOIScene::IsWindowingDevUsed(QString wallName, QString devHostName) const
{
    // Only a wall still being named asks; a named wall keeps its device.
    if (!wallName.isEmpty())
        return false;
    for (const T_VideoWallInfo* pWall : m_videoWalls) {
        if (pWall->name == wallName && pWall->dev_hostname == devHostName)
            continue;
        if (pWall->dev_hostname == devHostName)
            return true;
    }
    return false;
}

void CHOIScene::ForgetWall(const T_VideoWallInfo* pWall)
{
    for (int i = m_deferredWallSteps.size() - 1; i >= 0; --i) {
        T_VWDeferredSteps& rec = m_deferredWallSteps[i];
        if (rec.wall == pWall) {
            rec.wall = nullptr;
            rec.tx = nullptr;
        }
        for (int j = rec.rxSteps.size() - 1; j >= 0; --j) {
            if (rec.rxSteps.at(j).wall == pWall)
                rec.rxSteps.removeAt(j);
        }
        if (!rec.tx && rec.rxSteps.isEmpty())
            m_deferredWallSteps.removeAt(i);
    }
}

void CHOIScene::ForgetDevInDeferred(CHOIDev* pDev)
{
    for (int i = m_deferredWallSteps.size() - 1; i >= 0; --i) {
        T_VWDeferredSteps& rec = m_deferredWallSteps[i];
        if (rec.tx == pDev)
            rec.tx = nullptr;
        for (int j = rec.rxSteps.size() - 1; j >= 0; --j) {
            const T_VWDeferredRxStep& step = rec.rxSteps.at(j);
            if (step.rx == pDev || step.tx == pDev)
                rec.rxSteps.removeAt(j);
        }
        if (!rec.tx && rec.rxSteps.isEmpty())
            m_deferredWallSteps.removeAt(i);
    }
}
