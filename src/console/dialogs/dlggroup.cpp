#include "dialogs/dlggroup.h"
#include "ui_dlggroup.h"

#include <QCheckBox>

#include "dialogs/dlgcreategroup.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "uiservices.h"

namespace {

const int kPageLocation = 0;
const int kPageGroup = 1;
// Marks the rows that stand for a video wall's layouts.
const int kWallRowRole = Qt::UserRole + 1;

bool IsListedDecoder(const CHOIDev *pDev)
{
    switch (pDev->GetDevType()) {
    case CHOIDev::E_DT_TX:
    case CHOIDev::E_DT_WP:
    case CHOIDev::E_DT_GW:
    case CHOIDev::E_DT_QN714:
        return false;
    default:
        break;
    }
    const QString &strHost = pDev->GetHostName();
    const int nDash = strHost.lastIndexOf(QLatin1Char('-'));
    return nDash < 0 || strHost.left(nDash) != g_strControllerModel;
}

CHOIDev *BoxDev(const QCheckBox *pBox)
{
    return VariantToDev(pBox->property("dev"));
}

CHOIScene *BoxScene(const QCheckBox *pBox)
{
    return VariantToScene(pBox->property("scene"));
}

QTreeWidgetItem *BoxRow(const QCheckBox *pBox)
{
    return VariantToPtr<QTreeWidgetItem>(pBox->property("item"));
}

// A group's row shows its name in the interface language ("ungrouped" is
// translated) and keeps the stored name for the manager.
void AddGroupRow(QTreeWidget *pTree, const QString &strName)
{
    QTreeWidgetItem *pRow = new QTreeWidgetItem(pTree, QStringList(GroupDisplayName(strName)));
    pRow->setData(0, Qt::UserRole, strName);
}

QString GroupRowName(const QTreeWidgetItem *pRow)
{
    return pRow->data(0, Qt::UserRole).toString();
}

} // namespace

DlgGroup::DlgGroup(QWidget *parent)
    : QDialog(parent)
{
    ui.SetUpDialog(this);
    ui->treeDev->setColumnWidth(0, 40);
    ui->treeDev->setColumnWidth(1, 120);
    ui->treeScene->setColumnWidth(0, 40);
    ui->twLocation_Group->setCurrentIndex(kPageGroup);
    ui->swEditType->setCurrentIndex(kPageGroup);
    ui->twDev_Scene->setCurrentIndex(1);

    connect(ui->treeLocation, &QTreeWidget::itemClicked, this, &DlgGroup::slotOnLoctionItemChange);
    connect(ui->treeGroup, &QTreeWidget::itemClicked, this, &DlgGroup::slotOnGroupItemChange);
    connect(ui->cbSeleteAllDev, &QCheckBox::toggled, this, &DlgGroup::slotOnDevSelectAll);
    connect(ui->cbSelectAllScene, &QCheckBox::toggled, this, &DlgGroup::slotOnSceneSelectAll);
    Fill();
}

DlgGroup::~DlgGroup() = default;

QCheckBox *DlgGroup::NewBox(QTreeWidgetItem *pRow)
{
    QCheckBox *pBox = new QCheckBox;
    pRow->treeWidget()->setItemWidget(pRow, 0, pBox);
    return pBox;
}

void DlgGroup::Fill()
{
    m_devBoxes.clear();
    m_sceneBoxes.clear();
    ui->treeLocation->clear();
    ui->treeGroup->clear();
    ui->treeDev->clear();
    ui->treeScene->clear();
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return;

    for (int i = 0; i < pMgr->GetLocationCount(); ++i)
        new QTreeWidgetItem(ui->treeLocation, QStringList(pMgr->GetLocationName(i)));
    for (int i = 0; i < pMgr->GetGroupCount(); ++i)
        AddGroupRow(ui->treeGroup, pMgr->GetGroupName(i));

    for (int i = 0; i < pMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = pMgr->GetDev(i);
        if (!IsListedDecoder(pDev))
            continue;
        QTreeWidgetItem *pRow = new QTreeWidgetItem(ui->treeDev);
        pRow->setText(1, pDev->GetDisplayName());
        pRow->setText(2, pDev->GetHostName());
        QCheckBox *pBox = NewBox(pRow);
        pBox->setProperty("dev", DevToVariant(pDev));
        m_devBoxes.append(pBox);
    }

    const QList<CHOIScene *> scenes = pMgr->GetSceneList();
    for (CHOIScene *pScene : scenes) {
        const QString &strName = pScene->GetName();
        const int nDash = strName.indexOf(QLatin1Char('-'));
        QTreeWidgetItem *pRow = nullptr;
        if (nDash > 0) {
            // One row per wall; its box stands for the wall's first layout.
            const QString strWall = strName.left(nDash);
            for (int r = 0; r < ui->treeScene->topLevelItemCount() && !pRow; ++r) {
                QTreeWidgetItem *pTop = ui->treeScene->topLevelItem(r);
                if (pTop->data(1, kWallRowRole).toBool() && pTop->text(1) == strWall)
                    pRow = pTop;
            }
            if (!pRow) {
                pRow = new QTreeWidgetItem(ui->treeScene);
                pRow->setText(1, strWall);
                pRow->setData(1, kWallRowRole, true);
                QCheckBox *pBox = NewBox(pRow);
                pBox->setProperty("item", PtrToVariant(pRow));
                pBox->setProperty("scene", SceneToVariant(pScene));
                m_sceneBoxes.append(pBox);
            }
            QTreeWidgetItem *pChild = new QTreeWidgetItem(pRow);
            pChild->setText(1, strName);
            pChild->setData(0, Qt::UserRole, SceneToVariant(pScene));
        } else {
            pRow = new QTreeWidgetItem(ui->treeScene);
            pRow->setText(1, strName);
            QCheckBox *pBox = NewBox(pRow);
            pBox->setProperty("item", PtrToVariant(pRow));
            pBox->setProperty("scene", SceneToVariant(pScene));
            m_sceneBoxes.append(pBox);
        }
    }

    // The boxes show the members of the name being edited again, so a
    // second OK keeps what the first one set. A name that is gone is no
    // longer edited.
    if (!m_strCurName.isEmpty()) {
        const bool bGroup = ui->swEditType->currentIndex() == kPageGroup;
        const bool bListed = bGroup ? pMgr->IndexOfGroup(m_strCurName) >= 0
                                    : pMgr->IndexOfLocation(m_strCurName) >= 0;
        if (bListed) {
            ShowMembers(m_strCurName, bGroup);
        } else {
            m_strCurName.clear();
            ui->leName->clear();
        }
    }
}

void DlgGroup::ShowMembers(const QString &strName, bool bGroup)
{
    // Unticking "Select All" unticks every box of its list first.
    ui->cbSeleteAllDev->setChecked(false);
    ui->cbSelectAllScene->setChecked(false);
    for (QCheckBox *pBox : qAsConst(m_devBoxes)) {
        CHOIDev *pDev = BoxDev(pBox);
        pBox->setChecked((bGroup ? pDev->GetGroup() : pDev->GetLocation()) == strName);
    }
    for (QCheckBox *pBox : qAsConst(m_sceneBoxes)) {
        CHOIScene *pScene = BoxScene(pBox);
        pBox->setChecked((bGroup ? pScene->GetGroup() : pScene->GetLocation()) == strName);
    }
    ui->leName->setText(bGroup ? GroupDisplayName(strName) : strName);
    ui->swEditType->setCurrentIndex(bGroup ? kPageGroup : kPageLocation);
    m_strCurName = strName;
}

void DlgGroup::slotOnLoctionItemChange(QTreeWidgetItem *current, int column)
{
    Q_UNUSED(column)
    if (current)
        ShowMembers(current->text(0), false);
}

void DlgGroup::slotOnGroupItemChange(QTreeWidgetItem *current, int column)
{
    Q_UNUSED(column)
    if (current)
        ShowMembers(GroupRowName(current), true);
}

void DlgGroup::slotOnDevSelectAll(bool checked)
{
    for (QCheckBox *pBox : qAsConst(m_devBoxes))
        pBox->setChecked(checked);
}

void DlgGroup::slotOnSceneSelectAll(bool checked)
{
    for (QCheckBox *pBox : qAsConst(m_sceneBoxes))
        pBox->setChecked(checked);
}

void DlgGroup::on_pbAdd_clicked()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return;
    // The dialog starts on "Location"; the operator may choose "Group".
    CDlgCreateGroup dlg(QString(), this);
    dlg.exec();
    if (!dlg.m_bOK)
        return;
    if (dlg.m_nType == 0) {
        if (pMgr->AddLocation(dlg.m_strName))
            new QTreeWidgetItem(ui->treeLocation, QStringList(dlg.m_strName));
    } else if (dlg.m_nType == 1) {
        if (pMgr->AddGroup(dlg.m_strName, 0))
            AddGroupRow(ui->treeGroup, dlg.m_strName);
    }
}

void DlgGroup::on_pbDelete_clicked()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    if (!pMgr)
        return;
    if (ui->twLocation_Group->currentIndex() == kPageLocation) {
        if (QTreeWidgetItem *pRow = ui->treeLocation->currentItem())
            pMgr->RemoveLocation(pRow->text(0));
    } else {
        // "ungrouped" stays, as in the tree: members of a deleted group go there.
        QTreeWidgetItem *pRow = ui->treeGroup->currentItem();
        if (!pRow || GroupRowName(pRow) == g_strUngrouped)
            return;
        pMgr->RemoveGroup(GroupRowName(pRow));
    }
    Fill();
}

void DlgGroup::on_pbOK_clicked()
{
    CHOIDevMgr *pMgr = g_pHOIDevMgr;
    const bool bGroup = ui->swEditType->currentIndex() == kPageGroup;
    const bool bUngrouped = bGroup && m_strCurName == g_strUngrouped;
    QString strNew = ui->leName->text();
    if (bUngrouped) {
        // "ungrouped" keeps its name, as in the tree; only its members change.
        if (strNew != GroupDisplayName(g_strUngrouped) && strNew != g_strUngrouped)
            return;
        strNew = g_strUngrouped;
    }
    if (!pMgr || strNew.isEmpty() || m_strCurName.isEmpty())
        return;

    if (strNew != m_strCurName) {
        // Renaming onto another name would merge the two for good.
        const bool bTaken = bGroup ? pMgr->IndexOfGroup(strNew) >= 0 : pMgr->IndexOfLocation(strNew) >= 0;
        if (bTaken) {
            MsgCritical(this, QString(), tr("Name already exists!"));
            ui->leName->setFocus();
            return;
        }
        if (bGroup)
            pMgr->RenameGroup(m_strCurName, strNew);
        else
            pMgr->RenameLocation(m_strCurName, strNew);
    }

    for (QCheckBox *pBox : qAsConst(m_devBoxes)) {
        CHOIDev *pDev = BoxDev(pBox);
        const QString strOld = bGroup ? pDev->GetGroup() : pDev->GetLocation();
        QString strSet;
        if (strOld == strNew && !pBox->isChecked())
            strSet = QString();
        else if (strOld != strNew && pBox->isChecked())
            strSet = strNew;
        else
            continue;
        if (bGroup)
            pDev->SetGroup(strSet);
        else
            pDev->SetLocation(strSet);
    }

    for (QCheckBox *pBox : qAsConst(m_sceneBoxes)) {
        CHOIScene *pScene = BoxScene(pBox);
        QTreeWidgetItem *pRow = BoxRow(pBox);
        // A wall's box stands for all its layouts.
        QList<CHOIScene *> targets;
        for (int i = 0; pRow && i < pRow->childCount(); ++i)
            targets.append(VariantToScene(pRow->child(i)->data(0, Qt::UserRole)));
        if (targets.isEmpty())
            targets.append(pScene);
        const QString strOld = bGroup ? pScene->GetGroup() : pScene->GetLocation();
        if (strOld == strNew && !pBox->isChecked()) {
            for (CHOIScene *pTarget : qAsConst(targets)) {
                if (bGroup && pTarget->GetGroup() == strNew)
                    pTarget->SetGroup(QString());
                else if (!bGroup && pTarget->GetLocation() == strNew)
                    pTarget->ClearLocation();
            }
        } else if (strOld != strNew && pBox->isChecked()) {
            for (CHOIScene *pTarget : qAsConst(targets)) {
                if (bGroup)
                    pTarget->SetGroup(strNew);
                else
                    pTarget->SetLocation(strNew);
            }
        }
    }

    m_strCurName = strNew;
    Fill();
}
