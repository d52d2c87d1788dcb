#include "control/devfiltergroupbox.h"
#include "ui_devfiltergroupbox.h"

#include <QBrush>
#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <memory>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/columnfit.h"
#include "hoiwidget/itemdata.h"
#include "hoiwidget/treerows.h"
#include "hoiwidget/widgetgroup.h"
#include "uiservices.h"

QString QDevFilterGroupBox::s_strRefusedPrefix;
bool QDevFilterGroupBox::s_bRefusing = false;

namespace {

enum {
    E_FILTER_ALL = 0,
    E_FILTER_TX = 1,
    E_FILTER_RX = 2,
};

// The model part of a host name or a default name: everything before its
// last '-'.
QString CutBeforeLastDash(const QString &strName)
{
    const int dash = strName.lastIndexOf(QLatin1Char('-'));
    return dash >= 0 ? strName.left(dash) : strName;
}

QList<CHOIDev *> ManagerDevs()
{
    return g_pHOIDevMgr ? g_pHOIDevMgr->GetDevList() : QList<CHOIDev *>();
}

} // namespace

QTreeWidgetItem *NewAliasHostnameItem(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = new QTreeWidgetItem;
    pItem->setText(1, pDev->GetDisplayName());
    pItem->setText(2, pDev->GetDefaultName());
    pItem->setData(0, Qt::UserRole, DevToVariant(pDev));
    return pItem;
}

QDevFilterGroupBox::QDevFilterGroupBox(QWidget *parent)
    : QGroupBox(parent)
    , m_pCustomItem(nullptr)
{
    ui.SetUpForm(this, [this] {
        // Refilling runs slotFilterChange: the tree then lists every on-line
        // device again under the new headers.
        FillFilterCombo();
        if (ui->cbDevType->count() > 0)
            ui->cbDevType->setItemText(0, tr("All"));
    });

    // The layout filter and the TX/RX filter are kept working but not shown.
    SetWidgetsVisible({ui->label_3, ui->cmbScenes, ui->chkAllDevices, ui->cbbFilter, ui->pBOrderUp}, false);
    SetWidgetsEnabled({ui->pBOrderUp, ui->pBOrderDown}, false);
    FillFilterCombo();
    ui->cbkAllDev->setChecked(false);
    ShowCount(0, 0);

    // The rows keep the order they were listed in, which is the order the
    // owner addresses the devices: a click on a header sorts once, nothing
    // re-sorts behind the operator's back (that would undo the order
    // buttons).
    QTreeWidget *pTree = ui->treeWidget;
    pTree->setSortingEnabled(false);
    pTree->header()->setSectionsClickable(true);
    pTree->header()->setSortIndicatorShown(true);
    connect(pTree->header(), &QHeaderView::sectionClicked, pTree, [pTree]() {
        pTree->sortItems(pTree->header()->sortIndicatorSection(), pTree->header()->sortIndicatorOrder());
    });
    KeepColumnsFitted(pTree);

    connect(ui->cmbScenes, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QDevFilterGroupBox::slotShowDevOfCurScene);
    connect(ui->cbbFilter, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QDevFilterGroupBox::slotFilterChange);
    connect(ui->chkAllDevices, &QCheckBox::clicked, this, &QDevFilterGroupBox::slotShowDevices);
    connect(ui->cbkAllDev, &QCheckBox::clicked, this, &QDevFilterGroupBox::slotChooseAllDevices);
    connect(pTree, &QTreeWidget::itemChanged, this, &QDevFilterGroupBox::slotOnDevItemStateChanged);
    connect(pTree, &QTreeWidget::itemChanged, this, &QDevFilterGroupBox::solttreeItemChanged);
    connect(pTree, &QTreeWidget::currentItemChanged, this, &QDevFilterGroupBox::slotCurrentItemChanged);
    connect(ui->cbDevType, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &QDevFilterGroupBox::slotFilterChangeDevType);

    slotFilterChange();
    FillDevTypeCombo();
}

QDevFilterGroupBox::~QDevFilterGroupBox() = default;

// ---------------------------------------------------------------------------
// Opening

void QDevFilterGroupBox::Init(IDevFilterCustomItem *pCustomItem, CHOIScene *pScene, CHOIDev *pDev)
{
    m_pCustomItem = pCustomItem;
    FillSceneCombo();
    {
        // The models the owner lists; the tree is rebuilt below.
        const QSignalBlocker blocker(ui->cbDevType);
        ui->cbDevType->clear();
        FillDevTypeCombo();
    }

    m_preselectedDevs.clear();
    ui->cbkAllDev->setChecked(false);
    if (pDev)
        m_preselectedDevs.append(pDev);

    {
        // One rebuild at the end is enough.
        const QSignalBlocker blocker(ui->cmbScenes);
        if (!pScene) {
            ui->chkAllDevices->setChecked(true);
        } else {
            ui->chkAllDevices->setChecked(false);
            ui->cmbScenes->setCurrentIndex(ui->cmbScenes->findData(SceneToVariant(pScene)));
        }
    }
    ui->cmbScenes->setEnabled(!ui->chkAllDevices->isChecked());

    if (!ui->chkAllDevices->isChecked() && ui->cmbScenes->currentIndex() >= 0)
        ShowDevOfScene(VariantToScene(ui->cmbScenes->currentData()));
    else
        ShowDevOfScene(nullptr);
}

void QDevFilterGroupBox::FillSceneCombo()
{
    const QSignalBlocker blocker(ui->cmbScenes);
    ui->cmbScenes->clear();
    if (!g_pHOIDevMgr)
        return;
    const QList<CHOIScene *> scenes = g_pHOIDevMgr->GetSceneList();
    for (CHOIScene *pScene : scenes) {
        if (pScene)
            ui->cmbScenes->addItem(pScene->GetName(), SceneToVariant(pScene));
    }
}

void QDevFilterGroupBox::FillDevTypeCombo()
{
    // The first entry selects itself, which lists every on-line device. Its
    // data stays "All" whatever the language shows.
    ui->cbDevType->addItem(tr("All"), QStringLiteral("All"));
    const QList<CHOIDev *> devs = ManagerDevs();
    for (CHOIDev *pDev : devs) {
        if (!pDev || !pDev->m_bOnLine || pDev->GetDevType() == CHOIDev::E_DT_QN714 || !IsOwnersDev(pDev))
            continue;
        const QString strText = CutBeforeLastDash(pDev->GetDefaultName());
        if (ui->cbDevType->findText(strText) < 0)
            ui->cbDevType->addItem(strText, CutBeforeLastDash(pDev->GetHostName()));
    }
}

bool QDevFilterGroupBox::IsOwnersDev(CHOIDev *pDev) const
{
    if (!m_pCustomItem)
        return true;
    // The row is made only to ask.
    const std::unique_ptr<QTreeWidgetItem> pItem(m_pCustomItem->CreateDevItem(pDev));
    return pItem != nullptr;
}

void QDevFilterGroupBox::FillFilterCombo()
{
    ui->cbbFilter->clear();
    ui->cbbFilter->addItem(tr("All TX/RX"));
    ui->cbbFilter->addItem(tr("TX Only"));
    ui->cbbFilter->addItem(tr("RX Only"));
    ui->cbbFilter->setCurrentIndex(E_FILTER_ALL);
}

// ---------------------------------------------------------------------------
// Rebuilding the tree

void QDevFilterGroupBox::ResetTree()
{
    QTreeWidget *pTree = ui->treeWidget;
    pTree->clear();
    m_devItemMap.clear();
    m_listedDevs.clear();

    QStringList headers;
    if (!m_pCustomItem || !m_pCustomItem->GetHeaderLabels(headers) || headers.isEmpty())
        headers = QStringList(tr("Via TX/RX"));
    pTree->setColumnCount(headers.size());
    pTree->setHeaderLabels(headers);
    // A narrow first column only when it is the bare check-box column; a
    // device name there would be cut off.
    pTree->setColumnWidth(0, headers.first().isEmpty() ? 28 : 160);
    pTree->setColumnWidth(1, 160);
    pTree->setColumnWidth(2, 160);
}

QTreeWidgetItem *QDevFilterGroupBox::MakeDevItem(CHOIDev *pDev)
{
    if (!pDev)
        return nullptr;
    const Qt::CheckState eState = m_preselectedDevs.contains(pDev) ? Qt::Checked : Qt::Unchecked;
    QTreeWidgetItem *pItem = nullptr;
    if (m_pCustomItem) {
        pItem = m_pCustomItem->CreateDevItem(pDev);
    } else {
        pItem = new QTreeWidgetItem;
        pItem->setText(0, pDev->GetDisplayName());
        pItem->setData(0, Qt::UserRole, DevToVariant(pDev));
    }
    if (!pItem)
        return nullptr;
    pItem->setForeground(0, QBrush(pDev->GetDevType() == CHOIDev::E_DT_TX ? Qt::blue : Qt::black));
    pItem->setCheckState(0, eState);
    m_devItemMap.insert(pDev, pItem);
    m_listedDevs.insert(pDev, QPointer<CHOIDev>(pDev));
    return pItem;
}

void QDevFilterGroupBox::AddDevItem(CHOIDev *pDev, QTreeWidgetItem *pItem)
{
    ui->treeWidget->addTopLevelItem(pItem);
    if (m_pCustomItem)
        m_pCustomItem->OnDevItemAdded(ui->treeWidget, pDev, pItem);
}

void QDevFilterGroupBox::ShowDevOfScene(CHOIScene *pScene)
{
    ResetTree();
    if (pScene) {
        // A TX feeding several cells is listed once; RX are listed per cell.
        QList<CHOIDev *> taken;
        for (int row = 0; row < pScene->GetRowCount(); ++row) {
            for (int col = 0; col < pScene->GetColCount(); ++col) {
                const T_SceneCell *pCell = pScene->CellAt(row, col);
                if (!pCell)
                    continue;
                for (CHOIDev *pTx : pCell->txList) {
                    if (!pTx || taken.contains(pTx))
                        continue;
                    taken.append(pTx);
                    if (QTreeWidgetItem *pItem = MakeDevItem(pTx))
                        AddDevItem(pTx, pItem);
                }
                if (pCell->rx) {
                    if (QTreeWidgetItem *pItem = MakeDevItem(pCell->rx))
                        AddDevItem(pCell->rx, pItem);
                }
            }
        }
    } else {
        const QList<CHOIDev *> devs = ManagerDevs();
        for (CHOIDev *pDev : devs) {
            if (!pDev || !pDev->m_bOnLine)
                continue;
            if (QTreeWidgetItem *pItem = MakeDevItem(pDev))
                AddDevItem(pDev, pItem);
        }
    }
    ui->treeWidget->expandAll();
    UpdateCheckedCount();
}

void QDevFilterGroupBox::slotFilterChange()
{
    ui->cbkAllDev->setChecked(false);
    ShowCount(0, 0);
    ResetTree();

    bool bShowTx = false;
    bool bShowRx = false;
    switch (ui->cbbFilter->currentIndex()) {
    case E_FILTER_ALL:
        bShowTx = bShowRx = true;
        break;
    case E_FILTER_TX:
        bShowTx = true;
        break;
    case E_FILTER_RX:
        bShowRx = true;
        break;
    default:
        return;
    }

    ListOnlineDevs([bShowTx, bShowRx](const CHOIDev *pDev) {
        const CHOIDev::DevType eType = pDev->GetDevType();
        return (bShowTx && eType == CHOIDev::E_DT_TX)
               || (bShowRx && (eType == CHOIDev::E_DT_RX || eType == CHOIDev::E_DT_MRX))
               || eType == CHOIDev::E_DT_WP || eType == CHOIDev::E_DT_GW;
    });
}

void QDevFilterGroupBox::slotFilterChangeDevType()
{
    ui->cbkAllDev->setChecked(false);
    ShowCount(0, 0);
    ResetTree();

    const int nIndex = ui->cbDevType->currentIndex();
    const QString strModel = nIndex > 0 ? ui->cbDevType->itemData(nIndex).toString() : QString();
    ListOnlineDevs([nIndex, strModel](const CHOIDev *pDev) {
        if (nIndex != 0 && (nIndex < 0 || CutBeforeLastDash(pDev->GetHostName()) != strModel))
            return false;
        return CHOIDevMgr::IsAvUnit(pDev);
    });
}

void QDevFilterGroupBox::ListOnlineDevs(const std::function<bool(const CHOIDev *)> &keep)
{
    const QList<CHOIDev *> devs = ManagerDevs();
    for (CHOIDev *pDev : devs) {
        if (!pDev || !pDev->m_bOnLine || !keep(pDev))
            continue;
        if (QTreeWidgetItem *pItem = MakeDevItem(pDev))
            AddDevItem(pDev, pItem);
    }
    // The count follows the rows just listed (a preselected device stays
    // checked); 0/0 over a full list would misinform the operator.
    UpdateCheckedCount();
    emit signalAllTabEnable(false);
}

void QDevFilterGroupBox::slotShowDevOfCurScene()
{
    ShowDevOfScene(ui->cmbScenes->currentIndex() >= 0 ? VariantToScene(ui->cmbScenes->currentData())
                                                      : nullptr);
}

void QDevFilterGroupBox::slotShowDevices()
{
    const bool bAll = ui->chkAllDevices->isChecked();
    ui->cmbScenes->setEnabled(!bAll);
    if (bAll)
        ShowDevOfScene(nullptr);
    else
        slotShowDevOfCurScene();
}

// ---------------------------------------------------------------------------
// Reading and colouring

CHOIDev *QDevFilterGroupBox::DevOfItem(const QTreeWidgetItem *pItem) const
{
    if (!pItem)
        return nullptr;
    CHOIDev *pDev = VariantToDev(pItem->data(0, Qt::UserRole));
    if (!pDev)
        return nullptr;
    const auto it = m_listedDevs.constFind(pDev);
    if (it != m_listedDevs.constEnd())
        return it.value().isNull() ? nullptr : pDev;
    // A row an owner added below one of ours: trust only a listed device.
    return ManagerDevs().contains(pDev) ? pDev : nullptr;
}

void QDevFilterGroupBox::CollectChecked(QTreeWidgetItem *pItem, QList<CHOIDev *> &list) const
{
    if (!pItem || pItem->checkState(0) == Qt::Unchecked)
        return;
    if (pItem->childCount() == 0) {
        if (CHOIDev *pDev = DevOfItem(pItem))
            list.append(pDev);
        return;
    }
    for (int i = 0; i < pItem->childCount(); ++i)
        CollectChecked(pItem->child(i), list);
}

QList<CHOIDev *> QDevFilterGroupBox::GetCheckedDevList() const
{
    QList<CHOIDev *> list;
    for (int i = 0; i < ui->treeWidget->topLevelItemCount(); ++i)
        CollectChecked(ui->treeWidget->topLevelItem(i), list);
    return list;
}

void QDevFilterGroupBox::SetDevItemColor(CHOIDev *pDev, const QColor &color)
{
    QTreeWidgetItem *pItem = m_devItemMap.value(pDev);
    if (!pItem)
        return;
    for (int col = 0; col < ui->treeWidget->columnCount(); ++col)
        pItem->setForeground(col, QBrush(color));
}

void QDevFilterGroupBox::ShowCount(int nChecked, int nTotal)
{
    ui->label_Check->setText(QStringLiteral("%1/%2").arg(nChecked).arg(nTotal));
}

void QDevFilterGroupBox::UpdateCheckedCount()
{
    const int nTotal = ui->treeWidget->topLevelItemCount();
    int nChecked = 0;
    for (int i = 0; i < nTotal; ++i) {
        if (ui->treeWidget->topLevelItem(i)->checkState(0) == Qt::Checked)
            ++nChecked;
    }
    ShowCount(nChecked, nTotal);
}

// ---------------------------------------------------------------------------
// Checking

Qt::CheckState QDevFilterGroupBox::GetSubtreeCheckState(QTreeWidgetItem *pItem) const
{
    if (pItem->childCount() == 0)
        return pItem->checkState(0);
    Qt::CheckState eCommon = GetSubtreeCheckState(pItem->child(0));
    for (int i = 0; i < pItem->childCount(); ++i) {
        const Qt::CheckState eState = GetSubtreeCheckState(pItem->child(i));
        if (eState == Qt::PartiallyChecked || eState != eCommon)
            return Qt::PartiallyChecked;
    }
    return eCommon;
}

void QDevFilterGroupBox::slotOnDevItemStateChanged(QTreeWidgetItem *item, int column)
{
    if (!item || column != 0)
        return;
    {
        // Only the operator's own change may reach the same-model rule.
        const QSignalBlocker blocker(ui->treeWidget);
        const Qt::CheckState eState = item->checkState(0);
        for (int i = 0; i < item->childCount(); ++i)
            item->child(i)->setCheckState(0, eState);
        for (QTreeWidgetItem *pParent = item->parent(); pParent; pParent = pParent->parent())
            pParent->setCheckState(0, GetSubtreeCheckState(pParent));
    }
    if (m_pCustomItem)
        m_pCustomItem->OnDevItemCheckChanged(item);
}

void QDevFilterGroupBox::RefuseMixedModels()
{
    ShowMessageBox(QMessageBox::NoIcon, nullptr, tr("Attention"),
                   tr("Please select the same type of device for operation."), QMessageBox::Ok,
                   QMessageBox::NoButton);
}

void QDevFilterGroupBox::solttreeItemChanged(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    CHOIDev *pDev = DevOfItem(item);
    if (!pDev)
        return;
    const QString strPrefix = pDev->GetHostNamePrefix();
    if (s_bRefusing && strPrefix == s_strRefusedPrefix) {
        // The uncheck of a refused row.
        s_bRefusing = false;
        s_strRefusedPrefix.clear();
        return;
    }

    QTreeWidget *pTree = ui->treeWidget;
    const bool bNowChecked = item->checkState(0) == Qt::Checked;
    const int nTotal = pTree->topLevelItemCount();
    int nCount = 0;
    for (int i = 0; i < nTotal; ++i) {
        QTreeWidgetItem *pRow = pTree->topLevelItem(i);
        CHOIDev *pRowDev = DevOfItem(pRow);
        if (!pRowDev)
            return;
        if (pRow->checkState(0) != Qt::Checked)
            continue;
        if (pRowDev->GetHostNamePrefix() == strPrefix || !bNowChecked) {
            ++nCount;
            continue;
        }
        RefuseMixedModels();
        s_strRefusedPrefix = strPrefix;
        s_bRefusing = true;
        item->setCheckState(0, Qt::Unchecked);
        // Passed through already; never left armed for a later change.
        s_bRefusing = false;
        s_strRefusedPrefix.clear();
        return;
    }

    ShowCount(nCount, nTotal);
    ui->cbkAllDev->setChecked(nCount == nTotal);
    pTree->setCurrentItem(item);
    item->setSelected(true);

    if (nCount == 0) {
        emit signalAllTabEnable(false);
        return;
    }
    const CHOIDev::DevType eType = pDev->GetDevType();
    emit signalIsSupportLogo(IsAllSupportLogo());
    emit signalIsTX(eType == CHOIDev::E_DT_TX);
    if (eType == CHOIDev::E_DT_WP)
        emit signalIsWp(true);
    emit signalIsVideoBitrate(IsAllSupportMaxBitrate());
    emit signalIsTransport(IsAllSupportTransport());
    emit signalMaxResolution(IsAllSupportMaxResolution());
    emit signalIsHisiDev(IsAllSupportJpeg(), IsAllSupportVideoSet2());
    emit signalAudioDelay(IsAllSupportAudioDelay());
    if (IsAllSupportAudioBatch())
        emit signalIsAudioDelay(true);
    emit signalIsOverlayImage(IsAllSupportOverlay());
    if (IsAllSupportCec())
        emit signalIsBatchCEC(true);
    if (IsAllSupportSinkTxRS())
        emit signalIsSinkPowerRS(true);
    if (eType == CHOIDev::E_DT_GW)
        emit signalIsGW(true);
    emit signalAllDevApply(true);
    emit signalIsTX(eType == CHOIDev::E_DT_TX);
    emit signalForceResolution(pDev);
}

void QDevFilterGroupBox::slotChooseAllDevices()
{
    QTreeWidget *pTree = ui->treeWidget;
    const Qt::CheckState eTarget = ui->cbkAllDev->isChecked() ? Qt::Checked : Qt::Unchecked;
    CHOIDev *pFirst = DevOfItem(pTree->topLevelItem(0));
    if (!pFirst)
        return;
    const QString strPrefix = pFirst->GetHostNamePrefix();

    bool bMixed = false;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pRow = pTree->topLevelItem(i);
        CHOIDev *pDev = DevOfItem(pRow);
        if (!pDev)
            continue;
        if (pDev->GetHostNamePrefix() != strPrefix) {
            bMixed = true;
            break;
        }
        pRow->setCheckState(0, eTarget);
    }

    const int nTotal = pTree->topLevelItemCount();
    if (!bMixed) {
        ShowCount(ui->cbkAllDev->isChecked() ? nTotal : 0, nTotal);
        emit signalIsSupportLogo(IsAllSupportLogo());
        emit signalIsVideoBitrate(IsAllSupportMaxBitrate());
        return;
    }

    RefuseMixedModels();
    for (int i = 0; i < nTotal; ++i)
        pTree->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    ui->cbkAllDev->setChecked(false);
    emit signalAllTabEnable(false);
}

void QDevFilterGroupBox::slotEnableItemEdit(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(item)
    Q_UNUSED(column)
}

void QDevFilterGroupBox::slotCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    Q_UNUSED(previous)
    if (current && m_pCustomItem)
        m_pCustomItem->OnCurrentDevItemChanged(current);
}

// ---------------------------------------------------------------------------
// Ordering

void QDevFilterGroupBox::MoveCurrentItem(int nStep)
{
    QTreeWidget *pTree = ui->treeWidget;
    QTreeWidgetItem *pItem = MoveCurrentTopLevelRow(pTree, nStep);
    if (!pItem)
        return;
    // Taking the row out dropped the owner's cell widgets; put them back.
    if (m_pCustomItem) {
        if (CHOIDev *pDev = DevOfItem(pItem))
            m_pCustomItem->OnDevItemAdded(pTree, pDev, pItem);
    }
    pTree->clearSelection();
    pTree->setCurrentItem(pItem);
    pItem->setSelected(true);
    on_treeWidget_currentItemChanged(pItem, nullptr);
}

void QDevFilterGroupBox::on_pBOrderUp_clicked()
{
    MoveCurrentItem(-1);
}

void QDevFilterGroupBox::on_pushBUP_clicked()
{
    MoveCurrentItem(-1);
}

void QDevFilterGroupBox::on_pBOrderDown_clicked()
{
    MoveCurrentItem(1);
}

void QDevFilterGroupBox::on_treeWidget_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    Q_UNUSED(previous)
    const int nIndex = current ? ui->treeWidget->indexOfTopLevelItem(current) : -1;
    const int nCount = ui->treeWidget->topLevelItemCount();
    ui->pushBUP->setEnabled(nIndex >= 1);
    ui->pBOrderUp->setEnabled(nIndex >= 1);
    ui->pBOrderDown->setEnabled(nIndex >= 0 && nIndex < nCount - 1);
}

// ---------------------------------------------------------------------------
// Features shared by every checked device

bool QDevFilterGroupBox::IsAllSupport(bool T_ProdIdInfo::*flag) const
{
    if (!g_pHOIDevMgr)
        return true;
    const QList<CHOIDev *> devs = GetCheckedDevList();
    for (CHOIDev *pDev : devs) {
        if (pDev && !(g_pHOIDevMgr->GetProdIdInfo(pDev)->*flag))
            return false;
    }
    return true;
}
