#ifndef HOI_CORE_HOIDEVMGR_P_H
#define HOI_CORE_HOIDEVMGR_P_H

// What several of the manager's own files share (project file, summary,
// layouts); not part of the core's interface.

#include "hoi_core/hoiscene.h"

#include <QList>
#include <QString>

class CHOIDev;
class QFile;

// The cell of a layout, or null when the position lies outside its cells.
inline const T_SceneCell* CellOf(const CHOIScene* pScene, int row, int col)
{
    if (row < 0 || col < 0 || row >= pScene->m_nRowCount || col >= pScene->m_nColCount)
        return nullptr;
    const int index = row * pScene->m_nColCount + col;
    return index < pScene->m_cells.size() ? pScene->m_cells.at(index) : nullptr;
}

// Calls fn(row, col, pCell) for each cell of the layout, row by row,
// skipping positions without a cell.
template <typename Fn>
void ForEachCell(const CHOIScene* pScene, Fn fn)
{
    for (int r = 0; r < pScene->m_nRowCount; ++r) {
        for (int c = 0; c < pScene->m_nColCount; ++c) {
            if (const T_SceneCell* pCell = CellOf(pScene, r, c))
                fn(r, c, pCell);
        }
    }
}

// The cell of a wall and the same cell of each of its layouts take the
// device, each as far as its own rules allow; a null wall is passed over.
void SetCellDevOfWall(int row, int col, CHOIDev* pDev, CHOIScene* pWall, const QList<CHOIScene*>& layouts);

// Opens the file for reading; false, after a warning naming path and the
// reason, when it cannot be opened.
bool OpenToRead(QFile& file, const QString& path);

#endif
