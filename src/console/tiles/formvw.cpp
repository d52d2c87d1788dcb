#include "tiles/formvw.h"
#include "ui_formvw.h"

#include <QVector>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/dragpayload.h"
#include "uiservices.h"

namespace {

// The encoder every cell starts with; empty ("N/A") when the cells differ
// or one has none.
QString CommonSourceName(const CHOIScene *pLayout)
{
    const QString strNone;
    if (!pLayout)
        return strNone;
    QString strFirst;
    bool bHaveFirst = false;
    for (int r = 0; r < pLayout->GetRowCount(); ++r) {
        for (int c = 0; c < pLayout->GetColCount(); ++c) {
            const T_SceneCell *pCell = pLayout->CellAt(r, c);
            if (pCell->txList.isEmpty())
                return strNone;
            const QString strName = pCell->txList.first()->GetDisplayName();
            if (!bHaveFirst) {
                strFirst = strName;
                bHaveFirst = true;
            } else if (strName != strFirst) {
                return strNone;
            }
        }
    }
    return bHaveFirst ? strFirst : strNone;
}

} // namespace

CFormVW::CFormVW(QTreeWidgetItem *pVWItem, QWidget *parent)
    : CTxDropTile(parent)
    , m_item(pVWItem)
{
    ui.SetUpForm(this, [this] { UpdateLabels(); });
    const QString strWall = pVWItem ? pVWItem->text(0) : QString();
    m_strTxName = CommonSourceName(FindDefaultLayout(strWall, Qt::CaseSensitive));
    UpdateLabels();
}

CFormVW::~CFormVW() = default;

QTreeWidgetItem *CFormVW::GetItem() const
{
    return m_item.Get();
}

void CFormVW::UpdateLabels()
{
    QTreeWidgetItem *pItem = GetItem();
    ui->label_Name->SetFullText(pItem ? pItem->text(0) : QString());
    ui->label_TX->SetFullText(m_strTxName.isEmpty() ? tr("TX:N/A") : tr("TX:") + m_strTxName);
}

CHOIScene *CFormVW::FindDefaultLayout(const QString &strWall, Qt::CaseSensitivity cs)
{
    if (!g_pHOIDevMgr)
        return nullptr;
    const int nCount = g_pHOIDevMgr->GetSceneCount();
    for (int i = 0; i < nCount; ++i) {
        CHOIScene *pScene = g_pHOIDevMgr->GetScene(i);
        if (pScene->GetSceneNamePrefix().compare(strWall, cs) == 0 && pScene->IsDefault())
            return pScene;
    }
    return nullptr;
}

void CFormVW::Apply()
{
    QTreeWidgetItem *pItem = GetItem();
    if (!pItem)
        return;
    if (CHOIScene *pLayout = FindDefaultLayout(pItem->text(0), Qt::CaseInsensitive))
        pLayout->Apply(1);
}

void CFormVW::DropTx(QDropEvent *event)
{
    CHOIDev *pTx = DroppedDev(event, g_strMimeTxItem);
    QTreeWidgetItem *pItem = GetItem();
    if (!pTx || pTx->GetDevType() != CHOIDev::E_DT_TX || !pItem)
        return;

    CHOIScene *pLayout = FindDefaultLayout(pItem->text(0), Qt::CaseInsensitive);
    if (!pLayout || pLayout->IsWindowLayout() || pLayout->IsVivLayout() || pLayout->IsWPLayout()) {
        MsgInformation(this, QString(), tr("The default layout is not a Standard Video Wall"));
        return;
    }
    QVector<T_CellPos> changed;
    QList<T_VideoWallInfo *> walls;
    int nFirstWallRow = 0;
    QString strErr;
    for (int r = 0; r < pLayout->GetRowCount(); ++r) {
        for (int c = 0; c < pLayout->GetColCount(); ++c) {
            T_VideoWallInfo *pWall = pLayout->CellAt(r, c)->wall;
            if (!pWall) {
                if (pLayout->SetCellDev(r, c, pTx, strErr))
                    changed.append(T_CellPos{r, c});
            } else if (!walls.contains(pWall)) {
                if (walls.isEmpty())
                    nFirstWallRow = r;
                walls.append(pWall);
            }
        }
    }
    // With several walls it is not clear which one is meant: none changes.
    if (walls.size() == 1 && !pLayout->FindVideoWallOfDev(pTx)) {
        T_VideoWallInfo *pWall = walls.first();
        if (pLayout->SetVideoWallTx(pWall, nFirstWallRow, pTx, strErr))
            changed.append(T_CellPos{pWall->pos_row, pWall->pos_col});
    }
    // The tile names the encoder only once a cell or the wall took it.
    if (!changed.isEmpty()) {
        m_strTxName = pTx->GetDisplayName();
        UpdateLabels();
    }

    if (IsAutoApply() && !changed.isEmpty()) {
        QList<T_CellPos *> cells;
        for (T_CellPos &pos : changed)
            cells.append(&pos);
        pLayout->UpdateCellLink(cells);
    }
}

void CFormVW::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (QTreeWidgetItem *pItem = GetItem())
        emit signalDoubleClick(pItem);
    QWidget::mouseDoubleClickEvent(event);
}
