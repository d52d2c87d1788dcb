#include "navtree/formgrouplist.h"
#include "ui_formgrouplist.h"

#include <QDialog>
#include <QPointer>
#include <QSignalBlocker>

#include "batch/dlgbatchgroup.h"
#include "dialogs/dlgdevedit.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/columnfit.h"
#include "hoiwidget/devrowindex.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"

namespace {

const int kColName = 0;
const int kColType = 1;
const int kColNumber = 2;
const int kColHostName = 3;

uint ItemNumber(const QTreeWidgetItem *pItem)
{
    return pItem->text(kColNumber).toUInt();
}

void SetItemKind(QTreeWidgetItem *pItem, int nKind)
{
    pItem->setData(kColType, Qt::UserRole, nKind);
}

// The group row holding a row: the row itself, its parent or, inside a
// wall, its grandparent.
QTreeWidgetItem *GroupRowOf(QTreeWidgetItem *pItem)
{
    while (pItem && GroupItemKind(pItem) != E_GTK_GROUP)
        pItem = pItem->parent();
    return pItem;
}

// Column 1 of group and wall rows; set again when the language changes.
QString GroupTypeText()
{
    return CFormGroupList::tr("Group");
}

QString WallTypeText()
{
    return CFormGroupList::tr("Video Wall");
}

bool IsDecoder(const CHOIDev *pDev)
{
    return pDev
        && (pDev->GetDevType() == CHOIDev::E_DT_RX || pDev->GetDevType() == CHOIDev::E_DT_MRX);
}

} // namespace

CFormGroupList::CFormGroupList(QWidget *parent, QWidget *pOwnerDialog)
    : QWidget(parent)
    , m_pRootItem(nullptr)
    , m_pCurrentDev(nullptr)
    , m_nDevTypeFilter(CHOIDev::E_DT_ALL)
    , m_pOwnerDialog(qobject_cast<QDialog *>(pOwnerDialog))
{
    ui->setupUi(this);
    ui->twGroupManageList->setColumnWidth(kColName, 120);
    ui->twGroupManageList->setColumnWidth(kColType, 60);
    ui->twGroupManageList->setColumnWidth(kColNumber, 40);
    // One line per row: a changed row is not measured again.
    ui->twGroupManageList->setUniformRowHeights(true);
    KeepColumnsFitted(ui->twGroupManageList);
    ui->btnSearchDevices->hide();

    connect(ui->btnSearchDevices, &QPushButton::clicked, this, &CFormGroupList::slotSerachDeives);
    if (g_pHOIDevMgr) {
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this, &CFormGroupList::slotOnDeviceNotify);
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnSearchStop, this, &CFormGroupList::slotOnSearchStop);
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevCmdCompleted, this,
                &CFormGroupList::slotOnDevCmdCompleted);
        connect(g_pHOIDevMgr, &CHOIDevMgr::signalDevChangeForList, this,
                &CFormGroupList::slotDevChangeForList);
        connect(g_pHOIDevMgr, &CHOIDevMgr::SignalCurrentDev, this, &CFormGroupList::slotCurrentDev);
        // An alias changed anywhere (device list, edit dialog) shows here too.
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevNameChanged, this, &CFormGroupList::slotDevChanged);
    }
    connect(ui->twGroupManageList, &QTreeWidget::itemDoubleClicked, this,
            &CFormGroupList::slotItemDoubleClicked);
    ui->pbGroupToList->setIcon(QIcon(QStringLiteral(":/images/RXGroup.png")));
}

CFormGroupList::~CFormGroupList() = default;

QGroupWidget *CFormGroupList::GetTree() const
{
    return ui->twGroupManageList;
}

void CFormGroupList::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        RetranslateItems();
    }
    QWidget::changeEvent(event);
}

void CFormGroupList::RetranslateItems()
{
    if (!m_pRootItem)
        return;
    m_pRootItem->setText(kColName, AllGroupsText());
    for (int g = 0; g < m_pRootItem->childCount(); ++g) {
        QTreeWidgetItem *pGroupItem = m_pRootItem->child(g);
        pGroupItem->setText(kColType, GroupTypeText());
        for (int i = 0; i < pGroupItem->childCount(); ++i) {
            if (GroupItemKind(pGroupItem->child(i)) == E_GTK_VIDEOWALL)
                pGroupItem->child(i)->setText(kColType, WallTypeText());
        }
    }
}

// ---- building the tree ----

QTreeWidgetItem *CFormGroupList::NewGroupItem(const QString &strName, int nNumber)
{
    QTreeWidgetItem *pItem = new QTreeWidgetItem;
    pItem->setText(kColName, strName);
    pItem->setText(kColType, GroupTypeText());
    pItem->setText(kColNumber, QString::number(nNumber));
    pItem->setIcon(kColName, QIcon(QStringLiteral(":/images/G.png")));
    SetItemKind(pItem, E_GTK_GROUP);
    return pItem;
}

QTreeWidgetItem *CFormGroupList::NewVWItem(CHOIScene *pWall, int nNumber)
{
    QTreeWidgetItem *pItem = new QTreeWidgetItem;
    pItem->setText(kColName, pWall->GetName());
    pItem->setText(kColType, WallTypeText());
    pItem->setText(kColNumber, QString::number(nNumber));
    pItem->setIcon(kColName, QIcon(QStringLiteral(":/images/W.png")));
    pItem->setData(kColName, Qt::UserRole, SceneToVariant(pWall));
    SetItemKind(pItem, E_GTK_VIDEOWALL);
    return pItem;
}

QTreeWidgetItem *CFormGroupList::CreateDevItem(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = m_rows.NewRow(pDev);
    SetItemKind(pItem, E_GTK_DEVICE);
    UpdateDevItem(pItem, pDev);
    return pItem;
}

void CFormGroupList::UpdateDevItem(QTreeWidgetItem *pItem, CHOIDev *pDev)
{
    if (!pItem || !pDev)
        return;
    const bool bMrx = pDev->GetDevType() == CHOIDev::E_DT_MRX;
    pItem->setText(kColName, pDev->GetDisplayName());
    pItem->setText(kColType, bMrx ? QStringLiteral("MRX") : QStringLiteral("RX"));
    pItem->setText(kColNumber, QString::number(pDev->GetSequence()));
    pItem->setText(kColHostName, pDev->GetDefaultName());
    QString strIcon;
    if (bMrx)
        strIcon = pDev->m_bOnLine ? QStringLiteral(":/images/M+.png") : QStringLiteral(":/images/M.png");
    else
        strIcon = pDev->m_bOnLine ? QStringLiteral(":/images/R+.png") : QStringLiteral(":/images/R.png");
    SetRowIcon(pItem, kColName, strIcon);
    pItem->setData(kColName, Qt::UserRole, DevToVariant(pDev));
    SetItemKind(pItem, E_GTK_DEVICE);
    pItem->setForeground(kColName, QBrush(Qt::black));
    pItem->setForeground(kColType, QBrush(QColor(100, 100, 100)));
    pItem->setForeground(kColNumber, QBrush(QColor(100, 100, 100)));
    pItem->setToolTip(kColName, tr("Hostname: %1\nIP Address: %2")
                                    .arg(pDev->GetDefaultName(), pDev->GetIPAddr()));
}

QTreeWidgetItem *CFormGroupList::UngroupedItem()
{
    if (!m_pRootItem)
        return nullptr;
    QTreeWidgetItem *pItem = FindGroupItem(g_strUngrouped);
    if (pItem)
        return pItem;
    // Members of unknown groups need a home that the manager knows too.
    if (g_pHOIDevMgr && g_pHOIDevMgr->IndexOfGroup(g_strUngrouped) < 0)
        g_pHOIDevMgr->AddGroup(g_strUngrouped, uint(g_pHOIDevMgr->GetGroupCount() + 1));
    pItem = NewGroupItem(g_strUngrouped, m_pRootItem->childCount() + 1);
    m_pRootItem->addChild(pItem);
    return pItem;
}

void CFormGroupList::slotRefreshDeives()
{
    QTreeWidget *pTree = ui->twGroupManageList;
    pTree->clear();
    m_pCurrentDev = nullptr;
    m_pRootItem = new QTreeWidgetItem;
    m_pRootItem->setText(kColName, AllGroupsText());
    m_pRootItem->setData(kColName, Qt::UserRole, int(E_GTK_ROOT));
    SetItemKind(m_pRootItem, E_GTK_ROOT);
    pTree->addTopLevelItem(m_pRootItem);
    if (!g_pHOIDevMgr)
        return;
    CHOIDevMgr *pMgr = g_pHOIDevMgr;

    if (pMgr->GetGroupCount() == 0) {
        m_pRootItem->addChild(NewGroupItem(g_strUngrouped, 1));
        pMgr->AddGroup(g_strUngrouped, 1);
    }

    pMgr->SortGroupList();
    for (int i = 0; i < pMgr->GetGroupCount(); ++i) {
        const QString strGroup = pMgr->GetGroupName(i);
        if (!FindGroupItem(strGroup))
            m_pRootItem->addChild(NewGroupItem(strGroup, i + 1));
    }

    for (int i = 0; i < pMgr->GetVideoWallCount(); ++i) {
        CHOIScene *pWall = pMgr->GetVideoWall(i);
        QTreeWidgetItem *pGroupItem = FindGroupItem(pWall->GetGroup());
        if (!pGroupItem) {
            pWall->SetGroup(g_strUngrouped);
            pGroupItem = UngroupedItem();
        }
        if (!FindWallItem(pGroupItem, pWall->GetName()))
            pGroupItem->addChild(NewVWItem(pWall, pWall->GetLayoutSeq()));
    }

    for (int i = 0; i < pMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = pMgr->GetDev(i);
        if (!IsDecoder(pDev))
            continue;
        QTreeWidgetItem *pParent = nullptr;
        if (pDev->GetGroup().isEmpty()) {
            // Shown where it now belongs, in "ungrouped", numbered last.
            pDev->SetGroup(g_strUngrouped);
            pParent = UngroupedItem();
            pDev->SetSequence(pParent->childCount() + 1);
        } else {
            QTreeWidgetItem *pGroupItem = FindGroupItem(pDev->GetGroup());
            if (!pGroupItem) {
                pDev->SetGroup(g_strUngrouped);
                pGroupItem = UngroupedItem();
            }
            pParent = pGroupItem;
            if (CHOIScene *pWall = pDev->GetVideoWall()) {
                if (QTreeWidgetItem *pWallItem = FindWallItem(pGroupItem, pWall->GetName()))
                    pParent = pWallItem;
            }
        }
        pParent->addChild(CreateDevItem(pDev));
    }

    slotUpdateSeq();
    m_pRootItem->setExpanded(true);
}

bool CFormGroupList::AttachDevItem(QTreeWidgetItem *pItem)
{
    CHOIDev *pDev = GroupItemDev(pItem);
    if (!pDev || !m_pRootItem)
        return false;
    if (pDev->GetGroup().isEmpty())
        pDev->SetGroup(g_strUngrouped);
    QTreeWidgetItem *pGroupItem = FindGroupItem(pDev->GetGroup());
    if (!pGroupItem) {
        pGroupItem = m_pRootItem->childCount() > 0 ? m_pRootItem->child(0) : UngroupedItem();
        pDev->SetGroup(pGroupItem->text(kColName));
    }

    QTreeWidgetItem *pParent = pGroupItem;
    int nSequence = pGroupItem->childCount() + 1;
    if (CHOIScene *pWall = pDev->GetVideoWall()) {
        // A wall that is not shown in the device's group leaves the device
        // directly in the group, as the rebuild places it.
        if (QTreeWidgetItem *pWallItem = FindWallItem(pGroupItem, pWall->GetName())) {
            int nLayouts = 0;
            for (int i = 0; i < pWallItem->childCount(); ++i) {
                if (GroupItemKind(pWallItem->child(i)) == E_GTK_LAYOUT)
                    ++nLayouts;
            }
            pParent = pWallItem;
            nSequence = pWallItem->childCount() - nLayouts + 1;
        }
    }
    pDev->SetSequence(nSequence);
    pItem->setText(kColNumber, QString::number(nSequence));
    pParent->addChild(pItem);
    return true;
}

QTreeWidgetItem *CFormGroupList::AddDevItem(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = CreateDevItem(pDev);
    if (!AttachDevItem(pItem)) {
        delete pItem;
        return nullptr;
    }
    return pItem;
}

// ---- numbering and order ----

void CFormGroupList::MoveChild(QTreeWidgetItem *pParent, int nFrom, int nTo)
{
    if (nFrom == nTo)
        return;
    QTreeWidget *pTree = ui->twGroupManageList;
    // Reordering changes nothing the main window shows: the current item
    // stays current and no click is reported.
    QTreeWidgetItem *pCurrent = pTree->currentItem();
    const QSignalBlocker blocker(pTree);
    QTreeWidgetItem *pChild = pParent->takeChild(nFrom);
    const bool bExpanded = pChild->isExpanded();
    pParent->insertChild(nTo, pChild);
    pChild->setExpanded(bExpanded);
    if (pCurrent)
        pTree->setCurrentItem(pCurrent);
}

void CFormGroupList::SortChildrenByNumber(QTreeWidgetItem *pParent, int nFirst, int nCount)
{
    // Exchange sort: each later child numbered below the one now at i
    // changes places with it.
    for (int i = nFirst; i < nFirst + nCount; ++i) {
        for (int j = i + 1; j < nFirst + nCount; ++j) {
            if (ItemNumber(pParent->child(j)) < ItemNumber(pParent->child(i))) {
                MoveChild(pParent, j, i);
                MoveChild(pParent, i + 1, j);
            }
        }
    }
}

void CFormGroupList::SortWallChildren(QTreeWidgetItem *pWallItem)
{
    int nLayouts = 0;
    for (int i = 0; i < pWallItem->childCount(); ++i) {
        if (GroupItemKind(pWallItem->child(i)) == E_GTK_LAYOUT)
            ++nLayouts;
    }
    SortChildrenByNumber(pWallItem, 0, nLayouts);
    for (int i = 0; i < pWallItem->childCount(); ++i) {
        QTreeWidgetItem *pChild = pWallItem->child(i);
        const int nNumber = i < nLayouts ? i + 1 : i - nLayouts + 1;
        pChild->setText(kColNumber, QString::number(nNumber));
        StoreItemSequence(pChild);
    }
}

void CFormGroupList::slotUpdateSeq()
{
    if (!m_pRootItem)
        return;
    for (int p = 0; p < m_pRootItem->childCount(); ++p) {
        QTreeWidgetItem *pGroupItem = m_pRootItem->child(p);
        SortChildrenByNumber(pGroupItem, 0, pGroupItem->childCount());
        for (int i = 0; i < pGroupItem->childCount(); ++i) {
            QTreeWidgetItem *pChild = pGroupItem->child(i);
            const int nKind = GroupItemKind(pChild);
            if (nKind != E_GTK_DEVICE && nKind != E_GTK_VIDEOWALL)
                continue;
            if (nKind == E_GTK_VIDEOWALL)
                SortWallChildren(pChild);
            pChild->setText(kColNumber, QString::number(i + 1));
            StoreItemSequence(pChild);
        }
        pGroupItem->setText(kColNumber, QString::number(p + 1));
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->SetGroupSequence(pGroupItem->text(kColName), uint(p + 1));
    }
}

void CFormGroupList::StoreItemSequence(QTreeWidgetItem *pItem)
{
    const int nNumber = int(ItemNumber(pItem));
    switch (GroupItemKind(pItem)) {
    case E_GTK_GROUP:
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->SetGroupSequence(pItem->text(kColName), uint(nNumber));
        break;
    case E_GTK_DEVICE:
        if (CHOIDev *pDev = GroupItemDev(pItem))
            pDev->SetSequence(nNumber);
        break;
    case E_GTK_VIDEOWALL:
    case E_GTK_LAYOUT:
        if (CHOIScene *pScene = GroupItemScene(pItem))
            pScene->SetLayoutSeq(nNumber);
        break;
    default:
        break;
    }
}

void CFormGroupList::UpdateMoveButtons(QTreeWidgetItem *pItem)
{
    bool bUp = false;
    bool bDown = false;
    QTreeWidgetItem *pParent = pItem ? pItem->parent() : nullptr;
    if (pItem && GroupItemKind(pItem) != E_GTK_ROOT && pParent) {
        const int nIndex = pParent->indexOfChild(pItem);
        const int nLast = pParent->childCount() - 1;
        if (GroupItemKind(pParent) == E_GTK_GROUP) {
            bUp = nIndex > 0;
            bDown = nIndex < nLast;
        } else {
            const int nKind = GroupItemKind(pItem);
            bUp = nIndex > 0 && GroupItemKind(pParent->child(nIndex - 1)) == nKind;
            bDown = nIndex < nLast && GroupItemKind(pParent->child(nIndex + 1)) == nKind;
        }
    }
    ui->pbUpItem->setEnabled(bUp);
    ui->pbDownItem->setEnabled(bDown);
}

void CFormGroupList::MoveCurrentItem(int nStep)
{
    QTreeWidgetItem *pItem = ui->twGroupManageList->currentItem();
    QTreeWidgetItem *pParent = pItem ? pItem->parent() : nullptr;
    if (!pParent || GroupItemKind(pItem) == E_GTK_ROOT)
        return;
    const int nIndex = pParent->indexOfChild(pItem);
    const int nTarget = nIndex + nStep;
    if (nTarget < 0 || nTarget >= pParent->childCount())
        return;
    const int nNumber = int(ItemNumber(pItem));
    MoveChild(pParent, nIndex, nTarget);
    // The neighbour that changed places takes the moved item's number.
    QTreeWidgetItem *pOther = pParent->child(nIndex);
    pOther->setText(kColNumber, QString::number(nNumber));
    pItem->setText(kColNumber, QString::number(nNumber + nStep));
    StoreItemSequence(pOther);
    StoreItemSequence(pItem);
    UpdateMoveButtons(pItem);
}

void CFormGroupList::on_pbUpItem_clicked()
{
    MoveCurrentItem(-1);
}

void CFormGroupList::on_pbDownItem_clicked()
{
    MoveCurrentItem(1);
}

// ---- look-ups ----

void CFormGroupList::SelectRootItem()
{
    if (m_pRootItem)
        ui->twGroupManageList->setCurrentItem(m_pRootItem);
}

QTreeWidgetItem *CFormGroupList::GetCurrentItem() const
{
    return ui->twGroupManageList->currentItem();
}

QTreeWidgetItem *CFormGroupList::FindGroupItem(const QString &strName) const
{
    return m_pRootItem ? FindChildItem(m_pRootItem, strName) : nullptr;
}

QTreeWidgetItem *CFormGroupList::FindChildItem(QTreeWidgetItem *pParent, const QString &strName) const
{
    const int nIndex = IndexOfChildByText(pParent, strName);
    return nIndex < 0 ? nullptr : pParent->child(nIndex);
}

int CFormGroupList::IndexOfChildByText(QTreeWidgetItem *pParent, const QString &strText) const
{
    if (!pParent)
        return -1;
    for (int i = 0; i < pParent->childCount(); ++i) {
        if (pParent->child(i)->text(kColName) == strText)
            return i;
    }
    return -1;
}

QTreeWidgetItem *CFormGroupList::FindWallItem(QTreeWidgetItem *pGroupItem, const QString &strName) const
{
    // Only a wall row counts: a decoder may bear the wall's name.
    for (int i = 0; pGroupItem && i < pGroupItem->childCount(); ++i) {
        QTreeWidgetItem *pChild = pGroupItem->child(i);
        if (GroupItemKind(pChild) == E_GTK_VIDEOWALL && pChild->text(kColName) == strName)
            return pChild;
    }
    return nullptr;
}

QTreeWidgetItem *CFormGroupList::FindDevItem(CHOIDev *pDev) const
{
    return m_rows.Find(pDev);
}

QTreeWidgetItem *CFormGroupList::FindSceneParentItem(CHOIScene *pScene) const
{
    if (!pScene)
        return nullptr;
    return FindChildItem(FindGroupItem(pScene->GetGroup()),
                         CHOIScene::GetSceneNamePrefix(pScene->GetName()));
}

QTreeWidgetItem *CFormGroupList::FindSceneItem(CHOIScene *pScene) const
{
    if (!pScene)
        return nullptr;
    return FindChildItem(FindSceneParentItem(pScene), pScene->GetName());
}

QTreeWidgetItem *CFormGroupList::AddGroupItem(const QString &strName)
{
    if (!m_pRootItem)
        return nullptr;
    QTreeWidgetItem *pItem = NewGroupItem(strName, m_pRootItem->childCount() + 1);
    m_pRootItem->addChild(pItem);
    m_pRootItem->setExpanded(true);
    ui->twGroupManageList->setCurrentItem(pItem);
    pItem->setSelected(true);
    return pItem;
}

QTreeWidgetItem *CFormGroupList::AddVWItem(CHOIScene *pWall)
{
    if (!pWall)
        return nullptr;
    QTreeWidgetItem *pGroupItem = FindGroupItem(pWall->GetGroup());
    if (!pGroupItem) {
        if (g_pHOIDevMgr)
            g_pHOIDevMgr->RemoveVideoWall(pWall);
        return nullptr;
    }
    QTreeWidgetItem *pItem = FindWallItem(pGroupItem, pWall->GetName());
    if (!pItem) {
        pItem = NewVWItem(pWall, pGroupItem->childCount() + 1);
        pGroupItem->addChild(pItem);
        pGroupItem->setExpanded(true);
        ui->twGroupManageList->setCurrentItem(pItem);
        pItem->setSelected(true);
    }
    return pItem;
}

void CFormGroupList::RemoveGroupItem(const QString &strName)
{
    if (strName == g_strUngrouped)
        return;
    QTreeWidgetItem *pGroupItem = FindGroupItem(strName);
    if (!pGroupItem)
        return;
    QTreeWidgetItem *pUngrouped = UngroupedItem();
    QTreeWidget *pTree = ui->twGroupManageList;
    {
        const QSignalBlocker blocker(pTree);
        while (pGroupItem->childCount() > 0) {
            QTreeWidgetItem *pChild = pGroupItem->takeChild(0);
            pChild->setText(kColNumber, QString::number(pUngrouped->childCount() + 1));
            if (CHOIDev *pDev = GroupItemDev(pChild))
                pDev->SetGroup(g_strUngrouped);
            if (CHOIScene *pWall = GroupItemScene(pChild)) {
                pWall->SetGroup(g_strUngrouped);
                for (int i = 0; i < pChild->childCount(); ++i) {
                    if (CHOIDev *pDev = GroupItemDev(pChild->child(i)))
                        pDev->SetGroup(g_strUngrouped);
                    if (CHOIScene *pScene = GroupItemScene(pChild->child(i)))
                        pScene->SetGroup(g_strUngrouped);
                }
            }
            StoreItemSequence(pChild);
            pUngrouped->addChild(pChild);
        }
    }
    delete pGroupItem;
    slotUpdateSeq();
}

// ---- current item and clicks ----

void CFormGroupList::on_twGroupManageList_currentItemChanged(QTreeWidgetItem *current,
                                                             QTreeWidgetItem *previous)
{
    Q_UNUSED(previous)
    if (!current)
        return;
    UpdateMoveButtons(current);
    switch (GroupItemKind(current)) {
    case E_GTK_ROOT:
        emit onItemClickAll(current);
        break;
    case E_GTK_DEVICE:
        m_pCurrentDev = GroupItemDev(current);
        emit onItemChange(m_pCurrentDev);
        break;
    case E_GTK_GROUP:
        emit onItemClickGroup(current);
        break;
    case E_GTK_VIDEOWALL:
        emit onItemClickVW(current);
        break;
    case E_GTK_LAYOUT:
        emit onItemClickLayout(GroupItemScene(current));
        break;
    default:
        break;
    }
}

void CFormGroupList::slotSetCurrentItem(QTreeWidgetItem *pItem)
{
    if (pItem)
        ui->twGroupManageList->setCurrentItem(pItem);
}

void CFormGroupList::slotItemDoubleClicked(QTreeWidgetItem *pItem, int nColumn)
{
    Q_UNUSED(nColumn)
    if (CHOIDev *pDev = GroupItemDev(pItem))
        RunDevEdit(pDev);
}

void CFormGroupList::slotConfigDevice()
{
    if (CHOIDev *pDev = GroupItemDev(ui->twGroupManageList->currentItem()))
        RunDevEdit(pDev);
}

void CFormGroupList::RunDevEdit(CHOIDev *pDev)
{
    // The device may be removed while the dialog runs.
    const QPointer<CHOIDev> pGuard(pDev);
    {
        CDlgDevEdit dlg(pDev, this);
        connect(&dlg, &CDlgDevEdit::onDevChanged, this, [this](CHOIDev *pChanged) {
            slotDevChanged(pChanged);
            slotDevChangedName(pChanged);
        });
        dlg.exec();
    }
    if (!pGuard)
        return;
    QTreeWidgetItem *pItem = FindDevItem(pDev);
    QTreeWidgetItem *pParent = pItem ? pItem->parent() : nullptr;
    if (GroupItemKind(pParent) == E_GTK_GROUP)
        emit signalGroupItemforAliasModity(pParent);
}

// ---- manager notifications ----

void CFormGroupList::slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify)
{
    // Only decoders have rows here.
    if (!IsDecoder(pDev))
        return;
    const bool bFiltered = m_nDevTypeFilter == CHOIDev::E_DT_ALL
                           || m_nDevTypeFilter == int(pDev->GetDevType());
    switch (eNotify) {
    case E_DN_ADD:
        if (bFiltered && !FindDevItem(pDev))
            AddDevItem(pDev);
        break;
    case E_DN_REMOVE:
        if (m_pCurrentDev == pDev)
            m_pCurrentDev = nullptr;
        delete FindDevItem(pDev);
        break;
    case E_DN_STATUS:
        if (bFiltered)
            slotDevChanged(pDev);
        break;
    default:
        break;
    }
}

void CFormGroupList::slotDevChanged(CHOIDev *pDev)
{
    UpdateDevItem(FindDevItem(pDev), pDev);
}

void CFormGroupList::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj,
                                           E_CommResult eResult)
{
    Q_UNUSED(eResult)
    if (emCtrlObj == E_CO_DEV)
        slotDevChanged(pDev);
}

void CFormGroupList::slotDevChangedName(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = FindDevItem(pDev);
    if (!pItem)
        return;
    UpdateDevItem(pItem, pDev);
    if (GroupItemKind(pItem->parent()) == E_GTK_GROUP)
        emit signalGroupItemforAliasModity(pItem->parent());
}

bool CFormGroupList::ReattachItem(QTreeWidgetItem *pItem)
{
    QTreeWidget *pTree = ui->twGroupManageList;
    QTreeWidgetItem *pCurrent = pTree->currentItem();
    const QSignalBlocker blocker(pTree);
    if (QTreeWidgetItem *pParent = pItem->parent())
        pParent->removeChild(pItem);
    if (!AttachDevItem(pItem)) {
        if (pCurrent == pItem)
            pCurrent = nullptr;
        delete pItem;
        return false;
    }
    if (pCurrent)
        pTree->setCurrentItem(pCurrent);
    return true;
}

void CFormGroupList::slotDevChangeForList(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = FindDevItem(pDev);
    if (!pItem)
        return;
    ReattachItem(pItem);
    slotUpdateSeq();
}

void CFormGroupList::slotOnDevChangeGroup(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = FindDevItem(pDev);
    if (!pItem || !pItem->parent())
        return;
    RegroupDevItem(pItem);
}

QTreeWidgetItem *CFormGroupList::RegroupDevItem(QTreeWidgetItem *pItem)
{
    QTreeWidgetItem *pFormerParent = pItem->parent();
    QTreeWidgetItem *pFormerGroup = GroupRowOf(pFormerParent);
    QTreeWidgetItem *pNewGroup = ReattachItem(pItem) ? GroupRowOf(pItem) : nullptr;
    slotUpdateSeq();
    // A group page shows the tiles of its group's rows: the pages of both
    // groups follow the move as the tree did.
    if (pFormerGroup)
        emit signalGroupItemforAliasModity(pFormerGroup);
    if (pNewGroup && pNewGroup != pFormerGroup)
        emit signalGroupItemforAliasModity(pNewGroup);
    return pFormerParent;
}

void CFormGroupList::slotCurrentDev(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = FindDevItem(pDev);
    if (!pItem || !pItem->parent())
        return;
    ui->twGroupManageList->setCurrentItem(pItem->parent());
    pItem->parent()->setSelected(true);
}

void CFormGroupList::soltDevFrameTo(QString strGroup)
{
    emit signalDevFrame(FindGroupItem(strGroup));
}

void CFormGroupList::slotOnSearchStop(int nDevFound, bool bRestoreSceneAfterSearch)
{
    // The main window rebuilds the tree after a search.
    Q_UNUSED(nDevFound)
    Q_UNUSED(bRestoreSceneAfterSearch)
}

void CFormGroupList::slotSerachDeives()
{
    if (!g_pHOIDevMgr)
        return;
    g_pHOIDevMgr->ClearFoundDevList();
    g_pHOIDevMgr->StartSearch(true);
}

void CFormGroupList::slotOnFoundQN714(CHOIDev *pDev)
{
    Q_UNUSED(pDev)
    slotRefreshDeives();
}

void CFormGroupList::slotSetDisabled()
{
    setEnabled(false);
}

void CFormGroupList::slotSetEnabled()
{
    setEnabled(true);
}

void CFormGroupList::slotSelectAccept()
{
    if (m_pOwnerDialog)
        m_pOwnerDialog->accept();
}

void CFormGroupList::slotSelectReject()
{
    if (m_pOwnerDialog)
        m_pOwnerDialog->reject();
}

// ---- buttons ----

void CFormGroupList::on_pbExpand_clicked()
{
    ui->twGroupManageList->expandAll();
}

void CFormGroupList::on_pbFold_clicked()
{
    ui->twGroupManageList->collapseAll();
}

void CFormGroupList::on_pbGroupToList_clicked()
{
    emit signalGroupToList();
}

void CFormGroupList::on_pbBatchGroup_clicked()
{
    CDlgBatchGroup dlg(nullptr);
    connect(&dlg, &CDlgBatchGroup::signalDevChangeGroup, this,
            qOverload<CHOIDev *>(&CFormGroupList::slotOnDevChangeGroup));
    dlg.exec();
}
