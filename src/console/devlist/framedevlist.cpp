// The device list itself: rows, numbering, in-place renaming, moving,
// deleting and the search started from the list. The context menu and the
// per-device actions are in framedevlist_menu.cpp.
#include "devlist/framedevlist.h"
#include "ui_framedevlist.h"

#include <QBrush>
#include <QColor>
#include <QDialog>
#include <QHeaderView>
#include <QHostAddress>
#include <QIcon>
#include <QNetworkAddressEntry>
#include <QNetworkInterface>
#include <QThread>
#include <QTimer>

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/columnfit.h"
#include "hoiwidget/devrowindex.h"
#include "hoiwidget/devtypelook.h"
#include "hoiwidget/itemdata.h"
#include "hoiwidget/namefilter.h"
#include "hoiwidget/treerows.h"
#include "uiservices.h"

namespace {

// Shared by every frame: the first list that shows RX moves the type icons
// to column 1. The main window sets both lists up before any row exists.
int s_nIconColumn = 0;

// Shown at once and kept only if the device takes it: its failure puts
// the alias before back, as General Settings does.
void ApplyAlias(CHOIDev *pDev, const QString &strName)
{
    const QPointer<QObject> pRollback = pDev->RollBackNameOnFailure();
    pDev->SetName(strName);
    // Nothing went: the alias stays, as General Settings leaves it.
    if (!pDev->ApplyName())
        delete pRollback;
}

QString TypeIconPath(const CHOIDev *pDev)
{
    const T_DevTypeLook *pLook = FindDevTypeLook(pDev->GetDevType());
    if (!pLook)
        return QString();
    return QString::fromLatin1(pDev->m_bOnLine ? pLook->pszIconOn : pLook->pszIconOff);
}

// The controller's type is a word for the operator; the others are codes.
QString ControllerTypeText()
{
    return CFrameDevList::tr("IP Controller");
}

QString TypeText(const CHOIDev *pDev)
{
    if (pDev->GetDevType() == CHOIDev::E_DT_QN714)
        return ControllerTypeText();
    const T_DevTypeLook *pLook = FindDevTypeLook(pDev->GetDevType());
    return QString::fromLatin1(pLook ? pLook->pszText : "Unknown");
}

bool IsTxLike(CHOIDev::DevType eType)
{
    return eType == CHOIDev::E_DT_TX || eType == CHOIDev::E_DT_WP || eType == CHOIDev::E_DT_GW;
}

bool IsRxLike(CHOIDev::DevType eType)
{
    return eType == CHOIDev::E_DT_RX || eType == CHOIDev::E_DT_MRX;
}

} // namespace

CFrameDevList::CFrameDevList(QWidget *parent, QDialog *pOwnerDlg)
    : QWidget(parent)
    , m_pOwnerDlg(pOwnerDlg)
    , m_devTypeFilter(CHOIDev::E_DT_ALL)
    , m_bShowTx(true)
    , m_bShowRx(true)
    , m_bShowQN714(true)
    , m_nQN714WaitMs(E_QN714_WAIT_MS)
    , m_nRebuildHolds(0)
    , m_bRebuildPending(false)
{
    ui.SetUpForm(this, [this]() {
        // The rows' words follow the language too (taken first: a sorted
        // list may reorder them as they change).
        QList<QTreeWidgetItem *> rows;
        for (int i = 0; i < ui->twDevices->topLevelItemCount(); ++i)
            rows << ui->twDevices->topLevelItem(i);
        for (QTreeWidgetItem *pItem : qAsConst(rows)) {
            if (CHOIDev *pDev = ItemDev(pItem))
                FillDevItem(pItem, pDev);
        }
    });
    ui->pbListToGroup->setIcon(QIcon(QStringLiteral(":/images/RXList.png")));
    ui->twDevices->setStyleSheet(QStringLiteral("font: 9pt 'Courier New';"));
    // One line per row: a changed row is not measured again.
    ui->twDevices->setUniformRowHeights(true);

    connect(ui->btnSearchDevices, &QPushButton::clicked, this, &CFrameDevList::slotSerachDeives);
    connect(ui->btnDelete, &QPushButton::clicked, this, &CFrameDevList::slotDeleteDevices);
    if (g_pHOIDevMgr) {
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this, &CFrameDevList::slotOnDeviceNotify);
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnSearchStop, this, &CFrameDevList::slotOnSearchStop);
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevCmdCompleted, this, &CFrameDevList::slotOnDevCmdCompleted);
        // Also a name put back after the end of the queue, with no window left
        // to say so.
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnDevNameChanged, this, &CFrameDevList::slotDevChanged);
        connect(g_pHOIDevMgr, &CHOIDevMgr::signalFoundQN714, this, &CFrameDevList::slotOnFoundQN714);
        connect(g_pHOIDevMgr, &CHOIDevMgr::signalGetIPandVersionQN714, this,
                &CFrameDevList::slotGetIPandVersionQN714);
    }
    connect(ui->twDevices, &QTreeWidget::itemDoubleClicked, this, &CFrameDevList::slotItemDoubleClicked);
    connect(ui->twDevices, &QTreeWidget::itemChanged, this, &CFrameDevList::slotItemMessageChange);
    connect(ui->twDevices, &QTreeWidget::itemClicked, this, &CFrameDevList::slotOnClickItem);

    ui->twDevices->setColumnWidth(0, 35);
    ui->twDevices->setColumnWidth(2, 40);
    ui->twDevices->setColumnWidth(3, 120);
    ui->twDevices->setColumnWidth(4, 50);
    ui->twDevices->setColumnWidth(5, 70);
    KeepColumnsFitted(ui->twDevices);

    // The main window and the context menu search and delete.
    ui->ckbRestoreScene->hide();
    ui->btnSearchDevices->hide();
    ui->btnDelete->hide();
}

CFrameDevList::~CFrameDevList() = default;

void CFrameDevList::SetListMode(bool bShowTx, bool bShowRx, bool bShowQN714)
{
    m_bShowTx = bShowTx;
    m_bShowRx = bShowRx;
    m_bShowQN714 = bShowQN714;
    if (!bShowRx) {
        ui->pbListToGroup->hide();
        ui->pbUpItem->show();
        ui->pbDownItem->show();
        ui->twDevices->setSortingEnabled(false);
        ui->twDevices->setColumnWidth(5, 170);
    } else {
        ui->pbListToGroup->show();
        ui->pbUpItem->hide();
        ui->pbDownItem->hide();
        ui->twDevices->setColumnHidden(0, true);
        ui->twDevices->setSortingEnabled(true);
        s_nIconColumn = 1;
        ui->twDevices->setColumnWidth(5, 70);
    }
}

QTreeWidgetItem *CFrameDevList::GetCurrentItem() const
{
    return ui->twDevices->currentItem();
}

// ---------------------------------------------------------------------------
// Rows

bool CFrameDevList::IsQN714Row(const CHOIDev *pDev)
{
    const QString &strHost = pDev->GetHostName();
    const int nDash = strHost.lastIndexOf(QLatin1Char('-'));
    const QString strModel = nDash < 0 ? strHost : strHost.left(nDash);
    return strModel == g_strControllerModel;
}

CHOIDev *CFrameDevList::ItemDev(const QTreeWidgetItem *pItem)
{
    return pItem ? VariantToDev(pItem->data(0, Qt::UserRole)) : nullptr;
}

bool CFrameDevList::PassesTypeFilter(const CHOIDev *pDev) const
{
    return m_devTypeFilter == CHOIDev::E_DT_ALL || m_devTypeFilter == pDev->GetDevType();
}

QTreeWidgetItem *CFrameDevList::FindDevItem(const CHOIDev *pDev) const
{
    return m_rows.Find(pDev);
}

void CFrameDevList::FillDevItem(QTreeWidgetItem *pItem, CHOIDev *pDev)
{
    if (IsQN714Row(pDev)) {
        FillQN714Item(pItem, pDev);
        return;
    }
    const QString strDefault = pDev->GetDefaultName();
    pItem->setText(0, QString::number(pDev->GetSequence()));
    pItem->setText(1, pDev->GetDisplayName());
    SetRowIcon(pItem, s_nIconColumn, TypeIconPath(pDev));
    pItem->setText(2, TypeText(pDev));
    pItem->setText(3, strDefault);
    pItem->setText(4, pDev->GetIPAddr());
    pItem->setText(5, pDev->GetVersion());
    pItem->setForeground(1, QBrush(pDev->GetDevType() == CHOIDev::E_DT_TX ? Qt::blue : Qt::black));
    const QBrush grey(QColor(100, 100, 100, 255));
    for (int col = 2; col <= 5; ++col)
        pItem->setForeground(col, grey);
    pItem->setToolTip(1, tr("Hostname: %1\nIP Address: %2").arg(strDefault, pDev->GetIPAddr()));
}

void CFrameDevList::FillQN714Item(QTreeWidgetItem *pItem, CHOIDev *pDev)
{
    const QString strName = pDev->GetDisplayName();
    pItem->setText(0, QString());
    pItem->setText(1, strName);
    SetRowIcon(pItem, s_nIconColumn, TypeIconPath(pDev));
    pItem->setText(2, ControllerTypeText());
    pItem->setText(3, strName);
    pItem->setText(4, pDev->GetIPAddr());
    pItem->setText(5, pDev->GetVersion());
    for (int col = 1; col <= 5; ++col)
        pItem->setForeground(col, QBrush(Qt::red));
    pItem->setToolTip(1, tr("Hostname: %1\nIP Address: %2").arg(strName, pDev->GetIPAddr()));
}

void CFrameDevList::AddQN714Item(CHOIDev *pDev)
{
    QTreeWidgetItem *pItem = m_rows.NewRow(pDev);
    pItem->setData(0, Qt::UserRole, DevToVariant(pDev));
    FillQN714Item(pItem, pDev);
    // Each controller goes on top, so the manager's last one ends first.
    ui->twDevices->insertTopLevelItem(0, pItem);
    pDev->SetSequence(0);
}

void CFrameDevList::AddDevItem(CHOIDev *pDev)
{
    const CHOIDev::DevType eType = pDev->GetDevType();
    if ((IsRxLike(eType) && !m_bShowRx) || (IsTxLike(eType) && !m_bShowTx)
        || (eType == CHOIDev::E_DT_QN714 && !m_bShowQN714))
        return;

    QTreeWidget *pTree = ui->twDevices;
    QTreeWidgetItem *pItem = m_rows.NewRow(pDev);
    pItem->setData(0, Qt::UserRole, DevToVariant(pDev));
    FillDevItem(pItem, pDev);
    pTree->addTopLevelItem(pItem);

    if (eType == CHOIDev::E_DT_QN714) {
        pTree->takeTopLevelItem(pTree->indexOfTopLevelItem(pItem));
        pTree->insertTopLevelItem(0, pItem);
    } else if (IsTxLike(eType)) {
        const uint nSeq = uint(pDev->GetSequence());
        if (nSeq != 0) {
            for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
                QTreeWidgetItem *pOther = pTree->topLevelItem(i);
                if (pOther != pItem && pOther->text(0).toUInt() > nSeq) {
                    pTree->takeTopLevelItem(pTree->indexOfTopLevelItem(pItem));
                    pTree->insertTopLevelItem(i, pItem);
                    break;
                }
            }
        } else {
            int nCount = 0;
            for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
                if (pTree->topLevelItem(i)->text(2) != ControllerTypeText())
                    ++nCount;
            }
            pDev->SetSequence(nCount);
            pItem->setText(0, QString::number(nCount));
        }
    }
}

void CFrameDevList::RemoveDevItem(QTreeWidgetItem *pItem)
{
    QTreeWidget *pTree = ui->twDevices;
    pTree->takeTopLevelItem(pTree->indexOfTopLevelItem(pItem));
    delete pItem;
}

void CFrameDevList::RenumberItems()
{
    if (!m_bShowTx)
        return;
    int nCounter = 1;
    for (int i = 0; i < ui->twDevices->topLevelItemCount(); ++i) {
        QTreeWidgetItem *pItem = ui->twDevices->topLevelItem(i);
        if (pItem->text(0).toUInt() == 0)
            continue;
        pItem->setText(0, QString::number(nCounter));
        if (CHOIDev *pDev = ItemDev(pItem))
            pDev->SetSequence(nCounter);
        ++nCounter;
    }
}

CFrameDevList::T_RebuildHold::T_RebuildHold(CFrameDevList *pFrame)
    : m_pFrame(pFrame)
{
    ++m_pFrame->m_nRebuildHolds;
}

CFrameDevList::T_RebuildHold::~T_RebuildHold()
{
    if (--m_pFrame->m_nRebuildHolds > 0 || !m_pFrame->m_bRebuildPending)
        return;
    m_pFrame->m_bRebuildPending = false;
    // From the event loop: the row being renamed is still in use by the
    // view's own change handling when the handler returns.
    QTimer::singleShot(0, m_pFrame, &CFrameDevList::slotRefreshDeives);
}

void CFrameDevList::slotRefreshDeives()
{
    if (m_nRebuildHolds > 0) {
        m_bRebuildPending = true;
        return;
    }
    ui->twDevices->clear();
    if (!g_pHOIDevMgr)
        return;
    const int nCount = g_pHOIDevMgr->GetDevCount();
    for (int i = 0; i < nCount; ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (IsQN714Row(pDev) && m_bShowQN714)
            AddQN714Item(pDev);
    }
    for (int i = 0; i < nCount; ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (!IsQN714Row(pDev) && PassesTypeFilter(pDev))
            AddDevItem(pDev);
    }
    RenumberItems();
}

void CFrameDevList::slotSetEnabled()
{
    setEnabled(true);
}

void CFrameDevList::slotSetDisabled()
{
    setEnabled(false);
}

void CFrameDevList::slotSelectAccept()
{
    if (m_pOwnerDlg)
        m_pOwnerDlg->accept();
}

void CFrameDevList::slotSelectReject()
{
    if (m_pOwnerDlg)
        m_pOwnerDlg->reject();
}

void CFrameDevList::slotDevChanged(CHOIDev *pDev)
{
    if (QTreeWidgetItem *pItem = FindDevItem(pDev))
        FillDevItem(pItem, pDev);
}

void CFrameDevList::slotOnDeviceNotify(CHOIDev *pDev, E_DeviceNotify eNotify)
{
    if (!pDev)
        return;
    switch (eNotify) {
    case E_DN_ADD:
        if (!PassesTypeFilter(pDev))
            break;
        // A rebuild may have listed it already.
        if (QTreeWidgetItem *pItem = FindDevItem(pDev))
            FillDevItem(pItem, pDev);
        else
            AddDevItem(pDev);
        break;
    case E_DN_REMOVE:
        if (QTreeWidgetItem *pItem = FindDevItem(pDev))
            RemoveDevItem(pItem);
        if (m_pCurDev == pDev)
            m_pCurDev = nullptr;
        break;
    case E_DN_STATUS:
        if (PassesTypeFilter(pDev))
            slotDevChanged(pDev);
        break;
    }
}

void CFrameDevList::slotOnDevCmdCompleted(CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    Q_UNUSED(eResult)
    // The end of a device's queue: its name, address or version may be new.
    if (emCtrlObj == E_CO_DEV)
        slotDevChanged(pDev);
}

void CFrameDevList::slotOnFoundQN714(CHOIDev *pDev)
{
    Q_UNUSED(pDev)
    slotRefreshDeives();
}

void CFrameDevList::slotGetIPandVersionQN714(CHOIDev *pDev)
{
    if (!pDev)
        return;
    if (!pDev->EnsureConnected()) {
        QThread::msleep(ulong(qMax(0, m_nQN714WaitMs)));
        pDev->OpenCommAltPort();
    }
    pDev->GetIPandVersionQN714();
}

// ---------------------------------------------------------------------------
// Current row and moving

void CFrameDevList::on_twDevices_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    Q_UNUSED(previous)
    if (current)
        m_pCurDev = ItemDev(current);
}

void CFrameDevList::slotOnClickItem(QTreeWidgetItem *item, int column)
{
    Q_UNUSED(column)
    UpdateMoveButtons();
    if (!item)
        return;
    m_pCurDev = ItemDev(item);
    emit onItemChange(m_pCurDev);
}

void CFrameDevList::UpdateMoveButtons()
{
    QTreeWidget *pTree = ui->twDevices;
    QTreeWidgetItem *pCur = pTree->currentItem();
    if (pTree->selectedItems().size() >= 2 || !pCur) {
        ui->pbUpItem->setEnabled(false);
        ui->pbDownItem->setEnabled(false);
        return;
    }
    const int r = pTree->indexOfTopLevelItem(pCur);
    const CHOIDev *pCurDev = ItemDev(pCur);
    const bool bCurIsQN714 = pCurDev && pCurDev->GetDevType() == CHOIDev::E_DT_QN714;
    ui->pbDownItem->setEnabled(r < pTree->topLevelItemCount() - 1 && !bCurIsQN714);
    const CHOIDev *pAbove = r >= 1 ? ItemDev(pTree->topLevelItem(r - 1)) : nullptr;
    const bool bAboveIsQN714 = pAbove && pAbove->GetDevType() == CHOIDev::E_DT_QN714;
    ui->pbUpItem->setEnabled(r >= 1 && !bAboveIsQN714 && !bCurIsQN714);
}

void CFrameDevList::MoveCurrentItem(bool bUp)
{
    QTreeWidget *pTree = ui->twDevices;
    QTreeWidgetItem *pCur = pTree->currentItem();
    if (!pCur)
        return;
    const int r = pTree->indexOfTopLevelItem(pCur);
    const int nTarget = bUp ? r - 1 : r + 1;
    const int nFirst = g_pHOIDevMgr ? g_pHOIDevMgr->GetQN714Count() : 0;
    const int nLast = pTree->topLevelItemCount() - 1;
    if (r < nFirst || r > nLast || nTarget < nFirst || nTarget > nLast) {
        (bUp ? ui->pbUpItem : ui->pbDownItem)->setEnabled(false);
        return;
    }

    QTreeWidgetItem *pOther = pTree->topLevelItem(nTarget);
    // Down lifts the neighbour above the current row instead of taking the
    // current row out.
    if (bUp)
        MoveTopLevelRow(pTree, r, r - 1);
    else
        MoveTopLevelRow(pTree, r + 1, r);
    CHOIDev *pCurDev = ItemDev(pCur);
    CHOIDev *pOtherDev = ItemDev(pOther);
    if (pCurDev && pOtherDev) {
        const int nCurSeq = pCurDev->GetSequence();
        pCurDev->SetSequence(pOtherDev->GetSequence());
        pOtherDev->SetSequence(nCurSeq);
        pCur->setText(0, QString::number(pCurDev->GetSequence()));
        pOther->setText(0, QString::number(pOtherDev->GetSequence()));
    }
    pTree->setCurrentItem(pCur);
    UpdateMoveButtons();
}

void CFrameDevList::on_pbUpItem_clicked()
{
    MoveCurrentItem(true);
}

void CFrameDevList::on_pbDownItem_clicked()
{
    MoveCurrentItem(false);
}

void CFrameDevList::on_pbListToGroup_clicked()
{
    emit signalListToGroup();
}

// ---------------------------------------------------------------------------
// Renaming in place

void CFrameDevList::slotItemDoubleClicked(QTreeWidgetItem *item, int column)
{
    if (!item)
        return;
    const CHOIDev *pDev = ItemDev(item);
    // Only the alias of a device that answers is edited; the flag is per row,
    // so it is taken away again for every other column.
    const bool bEditable = column == 1 && pDev && !IsQN714Row(pDev) && pDev->m_bOnLine;
    if (bEditable)
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    else
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
}

void CFrameDevList::slotItemMessageChange(QTreeWidgetItem *item, int column)
{
    if (!item || column != 1)
        return;
    CHOIDev *pDev = ItemDev(item);
    if (!pDev)
        return;

    const T_RebuildHold hold(this);
    // A message box runs the event loop, and the device's row may go
    // meanwhile: after one, the row is looked up again by its device.
    const QPointer<CHOIDev> pGuard(pDev);
    auto devRow = [this, &pGuard]() { return pGuard ? FindDevItem(pGuard.data()) : nullptr; };

    // Writing a corrected text back runs this handler again on that text.
    const QString strText = item->text(1);
    if (!strText.isEmpty() && strText != pDev->GetDisplayName()) {
        if (CNameFilter::IsForbidden(strText.back(), CNameFilter::E_NK_ALIAS)) {
            item->setText(1, strText.left(strText.size() - 1));
            if (QTreeWidgetItem *pRow = devRow()) {
                pRow->setToolTip(1, tr("Invaild character:\r\n{ } \" < > , ; _ - @ * & "));
                pRow->setFlags(pRow->flags() | Qt::ItemIsEditable);
            }
            return;
        }
        QChar ch;
        QString strMessage;
        if (CNameFilter::FindForbidden(strText, CNameFilter::E_NK_ALIAS, ch, strMessage)) {
            MsgCritical(this, QString(), strMessage);
            QString strClean = strText;
            strClean.remove(ch);
            if (QTreeWidgetItem *pRow = devRow())
                pRow->setText(1, strClean);
            return;
        }
        if (!pDev->GetParentDev()) {
            ApplyAlias(pDev, strText);
            emit signalListToGroupDevName(pDev);
        } else {
            pDev->SetName(strText);
            pDev->GetParentDev()->SetIpcAliasName(pDev->GetHostName(), strText);
        }
    }

    if (item->text(1).isEmpty()) {
        const QString strDefault = pDev->GetDefaultName();
        ApplyAlias(pDev, strDefault);
        item->setText(1, strDefault);
        emit signalListToGroupDevName(pDev);
    }
}

// ---------------------------------------------------------------------------
// Deleting

void CFrameDevList::slotDeleteDevices()
{
    m_removedGwHostNames.clear();
    QTreeWidget *pTree = ui->twDevices;
    if (pTree->selectedItems().isEmpty() || !g_pHOIDevMgr)
        return;
    const T_RebuildHold hold(this);
    if (MsgQuestion(this, QString(), tr("Are you sure you want to delete the selected devices?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // Taken after the question: a row removed while it was open is gone.
    const QList<QTreeWidgetItem *> selected = pTree->selectedItems();

    // The rows are taken out here; the manager's notices would do it twice.
    disconnect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this, &CFrameDevList::slotOnDeviceNotify);
    for (QTreeWidgetItem *pItem : selected) {
        CHOIDev *pDev = ItemDev(pItem);
        if (!pDev)
            continue;
        if (IsQN714Row(pDev))
            g_pHOIDevMgr->AddQN714Dev(pDev);
        const QString strGroup = pDev->GetGroup();
        if (pDev->GetDevType() == CHOIDev::E_DT_GW)
            m_removedGwHostNames.append(pDev->GetHostName());
        if (g_pHOIDevMgr->RemoveDevice(pDev)) {
            if (m_pCurDev == pDev)
                m_pCurDev = nullptr;
            RemoveDevItem(pItem);
            emit signalListToGroupTXDev();
            emit signalDevFrameTo(strGroup);
        }
    }

    // The virtual TX of a removed gateway go with it.
    for (const QString &strGwHost : qAsConst(m_removedGwHostNames)) {
        bool bRemoved = true;
        while (bRemoved) {
            bRemoved = false;
            for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
                QTreeWidgetItem *pItem = pTree->topLevelItem(i);
                const CHOIDev *pDev = ItemDev(pItem);
                if (pDev && pDev->GetParentHostName() == strGwHost) {
                    if (m_pCurDev == pDev)
                        m_pCurDev = nullptr;
                    RemoveDevItem(pItem);
                    bRemoved = true;
                    break;
                }
            }
        }
        g_pHOIDevMgr->RemoveChildDevicesByName(strGwHost);
    }

    connect(g_pHOIDevMgr, &CHOIDevMgr::OnDeviceNotify, this, &CFrameDevList::slotOnDeviceNotify);
    RenumberItems();
}

// ---------------------------------------------------------------------------
// Search

void CFrameDevList::slotSerachDeives()
{
    if (!g_pHOIDevMgr)
        return;
    g_pHOIDevMgr->ClearFoundDevList();
    // Refused while a search runs; the running one reports its own end.
    g_pHOIDevMgr->StartSearch(ui->ckbRestoreScene->isChecked());
}

void CFrameDevList::slotOnSearchStop(int nDevFound, bool bRestoreSceneAfterSearch)
{
    Q_UNUSED(bRestoreSceneAfterSearch)
    // Both lists hear the end; only the display list speaks.
    if (!m_bShowRx)
        return;
    if (nDevFound != 0) {
        MsgInformation(this, QString(), tr("The search is complete. %1 devices found.").arg(nDevFound));
        return;
    }

    QString strAddrs;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface &iface : interfaces) {
        if (!(iface.flags() & QNetworkInterface::IsRunning))
            continue;
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry &entry : entries) {
            const QHostAddress ip = entry.ip();
            if (ip == QHostAddress(QHostAddress::LocalHost) || ip.toIPv4Address() == 0)
                continue;
            strAddrs += ip.toString() + QLatin1Char('/') + entry.netmask().toString() + QLatin1Char('\n');
        }
    }
    if (!strAddrs.isEmpty())
        strAddrs.chop(1);
    MsgInformation(this, QString(),
                   tr("The search is complete. %1 devices found.\n\nPlease check the IP address settings\n"
                      "(Current PC IP address/subnet mask:\n%2),\nand make sure that this software is not "
                      "blocked by the firewall.")
                       .arg(0)
                       .arg(strAddrs));
}
