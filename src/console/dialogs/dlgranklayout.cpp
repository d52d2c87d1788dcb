#include "dialogs/dlgranklayout.h"
#include "ui_dlgranklayout.h"

#include <QComboBox>

#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "hoiwidget/treerows.h"
#include "mainwindow/mainwindow.h"
#include "uiservices.h"

namespace {

// A layout deleted while the dialog was open is left out.
bool IsLiveLayout(CHOIScene *pScene)
{
    return pScene && (!g_pHOIDevMgr || g_pHOIDevMgr->GetSceneList().contains(pScene));
}

} // namespace

CDlgRankLayout::CDlgRankLayout(MainWindow *pMainWindow, QComboBox *pLayoutCombo, QWidget *parent)
    : QDialog(parent)
    , m_pLayoutCombo(pLayoutCombo)
    , m_pMainWindow(pMainWindow)
{
    ui.SetUpDialog(this);
    if (!m_pLayoutCombo)
        return;
    for (int i = 0; i < m_pLayoutCombo->count(); ++i) {
        CHOIScene *pScene = VariantToScene(m_pLayoutCombo->itemData(i, Qt::UserRole));
        if (!pScene)
            continue;
        QTreeWidgetItem *pItem = new QTreeWidgetItem(ui->treeWidget);
        pItem->setText(0, QString::number(i + 1));
        pItem->setText(1, m_pLayoutCombo->itemText(i));
        pItem->setData(0, Qt::UserRole, SceneToVariant(pScene));
    }
    // Selected but not current: the move buttons wait for the operator.
    if (QTreeWidgetItem *pFirst = ui->treeWidget->topLevelItem(0))
        pFirst->setSelected(true);
}

CDlgRankLayout::~CDlgRankLayout() = default;

void CDlgRankLayout::UpdateButtons()
{
    QTreeWidget *pTree = ui->treeWidget;
    const int nCount = pTree->topLevelItemCount();
    QTreeWidgetItem *pCurrent = pTree->currentItem();
    if (!pCurrent) {
        ui->pbUp->setEnabled(false);
        ui->pbDown->setEnabled(nCount > 0);
        return;
    }
    const int nIndex = pTree->indexOfTopLevelItem(pCurrent);
    ui->pbUp->setEnabled(nIndex >= 1);
    ui->pbDown->setEnabled(nIndex >= 0 && nIndex < nCount - 1);
}

void CDlgRankLayout::on_treeWidget_currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous)
{
    Q_UNUSED(current)
    Q_UNUSED(previous)
    UpdateButtons();
}

void CDlgRankLayout::MoveCurrentRow(int nStep)
{
    QTreeWidget *pTree = ui->treeWidget;
    QTreeWidgetItem *pMoved = MoveCurrentTopLevelRow(pTree, nStep);
    if (!pMoved)
        return;
    const int nTo = pTree->indexOfTopLevelItem(pMoved);
    const int nFrom = nTo - nStep;
    pMoved->setText(0, QString::number(nTo + 1));
    pTree->topLevelItem(nFrom)->setText(0, QString::number(nFrom + 1));
    pTree->clearSelection();
    pMoved->setSelected(true);
    pTree->setCurrentItem(pMoved);
    UpdateButtons();
}

void CDlgRankLayout::on_pbUp_clicked()
{
    MoveCurrentRow(-1);
}

void CDlgRankLayout::on_pbDown_clicked()
{
    MoveCurrentRow(1);
}

void CDlgRankLayout::on_pushButton_2_clicked()
{
    if (!m_pLayoutCombo) {
        accept();
        return;
    }
    m_pLayoutCombo->clear();
    if (m_pMainWindow)
        m_pMainWindow->SetSkipShowScene(true);

    int nSeq = 0;
    int nDefault = -1;
    for (int r = 0; r < ui->treeWidget->topLevelItemCount(); ++r) {
        CHOIScene *pScene = VariantToScene(ui->treeWidget->topLevelItem(r)->data(0, Qt::UserRole));
        if (!IsLiveLayout(pScene))
            continue;
        pScene->SetLayoutSeq(++nSeq);
        AddLayoutEntry(m_pLayoutCombo, pScene);
        if (nDefault < 0 && pScene->IsDefault())
            nDefault = m_pLayoutCombo->count() - 1;
    }
    if (nDefault >= 0)
        m_pLayoutCombo->setCurrentIndex(nDefault);
    accept();
}

void CDlgRankLayout::on_pushButton_clicked()
{
    reject();
}
