#include "dialogs/dlgvideovallprop.h"
#include "ui_dlgvideovallprop.h"

#include <QRegExpValidator>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "hoiwidget/namefilter.h"
#include "uiservices.h"

namespace {

int Magnitude(int value)
{
    return int(qMin<qint64>(qAbs(qint64(value)), INT_MAX));
}

} // namespace

CDlgVideoVallProp::CDlgVideoVallProp(T_VideoWallInfo *pWall, QWidget *parent)
    : QDialog(parent)
    , m_pScene(nullptr)
    , m_pWall(nullptr)
{
    SetUpForm();
    LocateVideoWall(pWall);
    ui->tabWidget->setCurrentWidget(ui->tabBasic);
    UpdateBezelAndTitle();
    // Also for a wall that no layout holds: nothing to edit, OK does nothing.
    if (!GetCurrentVideoWall())
        LoadVideoWall(nullptr);
}

CDlgVideoVallProp::CDlgVideoVallProp(CHOIScene *pScene, T_VideoWallInfo *pWall)
    : QDialog(nullptr)
    , m_pScene(pScene)
    , m_pWall(pWall)
{
    SetUpForm();
    ui->tabWidget->setCurrentWidget(ui->tabBasic);
    // The screens of a wall not yet made cannot be adjusted.
    ui->tabWidget->setTabEnabled(1, false);
    UpdateTabTitle();
    LoadVideoWall(pWall);
}

void CDlgVideoVallProp::SetUpForm()
{
    ui.SetUpDialog(this, [this] { UpdateTabTitle(); });
    ui->groupBox->hide();
    ui->twVidwoWall->hide();
    ui->chkShowOSD->hide();
    connect(ui->btnOk, &QPushButton::clicked, this, &CDlgVideoVallProp::accept);
    SetUpNameField();
    if (g_pHOIDevMgr)
        connect(g_pHOIDevMgr, &CHOIDevMgr::OnProgressNotify, this,
                &CDlgVideoVallProp::slotOnProgressNotify);
}

CDlgVideoVallProp::~CDlgVideoVallProp() = default;

bool CDlgVideoVallProp::ShowDlg(CHOIScene *pScene, T_VideoWallInfo *pWall)
{
    CDlgVideoVallProp dlg(pScene, pWall);
    return dlg.exec() == QDialog::Accepted;
}

void CDlgVideoVallProp::SetUpNameField()
{
    ui->edtName->setValidator(new QRegExpValidator(NameRegExp(), ui->edtName));
    ui->edtName->setToolTip(tr("Invaild character:\r\n{ } \" < > , ; _ @ * & "));
    ui->edtName->setFocus();
}

void CDlgVideoVallProp::UpdateTabTitle()
{
    if (CHOIScene *pScene = GetCurrentScene())
        ui->tabWidget->setTabText(0, tr("Layout/Scene Name: ")
                                         + CHOIScene::GetSceneNameSuffix(pScene));
}

// ---- the wall and its layout ----

void CDlgVideoVallProp::LocateVideoWall(T_VideoWallInfo *pWall)
{
    if (!g_pHOIDevMgr)
        return;
    QTreeWidgetItem *pFound = nullptr;
    for (int i = 0; i < g_pHOIDevMgr->GetSceneCount(); ++i) {
        CHOIScene *pScene = g_pHOIDevMgr->GetScene(i);
        QTreeWidgetItem *pTop = new QTreeWidgetItem(ui->twVidwoWall);
        pTop->setText(0, pScene->GetName());
        pTop->setData(0, Qt::UserRole, SceneToVariant(pScene));
        pTop->setFlags(pTop->flags() & ~Qt::ItemIsSelectable);
        for (T_VideoWallInfo *pOne : qAsConst(pScene->m_videoWalls)) {
            QTreeWidgetItem *pChild = new QTreeWidgetItem(pTop);
            pChild->setText(0, pOne->name);
            pChild->setData(0, Qt::UserRole, PtrToVariant(pOne));
            if (pWall && pOne == pWall && !pFound)
                pFound = pChild;
        }
    }
    if (pFound)
        ui->twVidwoWall->setCurrentItem(pFound);
}

QTreeWidgetItem *CDlgVideoVallProp::CurrentWallRow() const
{
    QTreeWidgetItem *pItem = ui->twVidwoWall->currentItem();
    return pItem && pItem->parent() ? pItem : nullptr;
}

T_VideoWallInfo *CDlgVideoVallProp::GetCurrentVideoWall() const
{
    if (m_pWall)
        return m_pWall;
    const QTreeWidgetItem *pItem = CurrentWallRow();
    return pItem ? VariantToPtr<T_VideoWallInfo>(pItem->data(0, Qt::UserRole)) : nullptr;
}

CHOIScene *CDlgVideoVallProp::GetCurrentScene() const
{
    if (m_pScene)
        return m_pScene;
    const QTreeWidgetItem *pItem = CurrentWallRow();
    return pItem ? VariantToScene(pItem->parent()->data(0, Qt::UserRole)) : nullptr;
}

void CDlgVideoVallProp::on_twVidwoWall_itemSelectionChanged()
{
    LoadVideoWall(GetCurrentVideoWall());
}

void CDlgVideoVallProp::UpdateBezelAndTitle()
{
    CHOIScene *pScene = GetCurrentScene();
    T_VideoWallInfo *pWall = GetCurrentVideoWall();
    if (!pScene || !pWall || !g_pHOIDevMgr)
        return;
    // The compensation needs every screen of the wall to know it.
    bool bAnyRx = false;
    bool bAllWallSet = true;
    for (int r = pWall->pos_row; bAllWallSet && r < pWall->pos_row + pWall->row_count; ++r) {
        for (int c = pWall->pos_col; c < pWall->pos_col + pWall->col_count; ++c) {
            if (!pScene->IsInGrid(r, c))
                continue;
            CHOIDev *pRx = pScene->CellAt(r, c)->rx;
            if (!pRx)
                continue;
            bAnyRx = true;
            const T_ProdIdInfo *pProd = g_pHOIDevMgr->GetProdIdInfo(pRx);
            if (!pProd || !pProd->wall_set) {
                bAllWallSet = false;
                break;
            }
        }
    }
    ui->groupBox->setVisible(bAnyRx && bAllWallSet);
    UpdateTabTitle();
}

void CDlgVideoVallProp::LoadVideoWall(T_VideoWallInfo *pWall)
{
    if (!pWall) {
        ui->tabWidget->setEnabled(false);
        on_cbDevList_currentIndexChanged(-1);
        return;
    }
    ui->tabWidget->setEnabled(true);
    ui->sbOW->setValue(pWall->ow);
    ui->sbOH->setValue(pWall->oh);
    ui->sbVW->setValue(pWall->vw);
    ui->sbVH->setValue(pWall->vh);
    ui->chkShowOSD->setChecked(pWall->show_osd != 0);
    ui->edtName->setText(pWall->name);

    // Only single-host walls are offered.
    ui->rbSingleHost->setChecked(true);
    ui->rbMutliHost->setChecked(false);
    ui->rbSingleHost->hide();
    ui->rbMutliHost->hide();

    CHOIScene *pScene = GetCurrentScene();
    const bool bAdvance = pScene && pScene->IsVideoWallSupportAdvance(pWall);
    const int nAdvIndex = ui->tabWidget->indexOf(ui->tabAdvanced);
    if (bAdvance && nAdvIndex < 0)
        ui->tabWidget->addTab(ui->tabAdvanced, tr("Advanced Settings"));
    else if (!bAdvance && nAdvIndex >= 0)
        ui->tabWidget->removeTab(nAdvIndex);

    const bool bBlocked = ui->cbDevList->blockSignals(true);
    ui->cbDevList->clear();
    if (pScene && g_pHOIDevMgr) {
        for (int r = pWall->pos_row; r < pWall->pos_row + pWall->row_count; ++r) {
            for (int c = pWall->pos_col; c < pWall->pos_col + pWall->col_count; ++c) {
                if (!pScene->IsInGrid(r, c))
                    continue;
                CHOIDev *pRx = pScene->CellAt(r, c)->rx;
                if (pRx && ui->cbDevList->findData(DevToVariant(pRx)) < 0
                    && g_pHOIDevMgr->IsSupportVWAdvance(pRx))
                    ui->cbDevList->addItem(QStringLiteral("[RX] %1").arg(pRx->GetDisplayName()),
                                           DevToVariant(pRx));
            }
        }
    }
    ui->tabAdvanced->setEnabled(ui->cbDevList->count() > 0);
    ui->cbDevList->setCurrentIndex(-1);
    on_cbDevList_currentIndexChanged(-1);

    ui->cBoxIPW->hide();
    ui->label_8->hide();
    ui->cBOverlay->hide();
    if (pScene && pScene->IsWPLayout()) {
        ui->cBoxIPW->show();
        ui->label_8->show();
        ui->cBOverlay->show();
        ui->cBOverlay->setChecked(pWall->overlay != 0);
        ui->cBoxIPW->setEnabled(pWall->overlay != 0);
        FillWindowingDevices(pWall->name);
        const int nCurrent = ui->cBoxIPW->count() > 0 ? 0 : -1;
        ui->cBoxIPW->setCurrentIndex(nCurrent);
        for (int i = 0; i < ui->cBoxIPW->count(); ++i) {
            CHOIDev *pDev = VariantToDev(ui->cBoxIPW->itemData(i));
            if (pDev && pDev->GetHostName() == pWall->dev_hostname) {
                ui->cBoxIPW->setCurrentIndex(i);
                break;
            }
        }
        if (ui->cBoxIPW->count() == 0) {
            ui->cBOverlay->setEnabled(false);
            ui->cBoxIPW->setEnabled(false);
            ui->label_9->setText(
                tr("A windowing device has been finished using in the current layout"));
        }
    }
    ui->cbDevList->blockSignals(bBlocked);
}

void CDlgVideoVallProp::FillWindowingDevices(const QString &strWallName)
{
    CHOIScene *pScene = GetCurrentScene();
    if (!g_pHOIDevMgr || !pScene)
        return;
    for (int i = 0; i < g_pHOIDevMgr->GetDevCount(); ++i) {
        CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
        if (pDev->GetDevType() == CHOIDev::E_DT_WP
            && !pScene->IsWindowingDevUsed(strWallName, pDev->GetHostName()))
            ui->cBoxIPW->addItem(pDev->GetDisplayName(), DevToVariant(pDev));
    }
}

// ---- per-screen adjustments ----

CHOIDev *CDlgVideoVallProp::CurrentDevice() const
{
    const int index = ui->cbDevList->currentIndex();
    return index < 0 ? nullptr : VariantToDev(ui->cbDevList->itemData(index));
}

void CDlgVideoVallProp::on_cbDevList_currentIndexChanged(int index)
{
    QGroupBox *const groups[] = {ui->gbHShift, ui->gbVShift, ui->gbHScale, ui->gbVScale,
                                 ui->gbTearingDelay};
    CHOIDev *pDev = index < 0 ? nullptr : VariantToDev(ui->cbDevList->itemData(index));
    CHOIScene *pScene = GetCurrentScene();
    if (!pDev || !pScene) {
        for (QGroupBox *pGroup : groups)
            pGroup->setEnabled(false);
        return;
    }
    const T_VWDevSetup setup = pScene->GetDevSetup(pDev);
    ui->sbHShift->setValue(Magnitude(setup.hshift));
    ui->rbHShiftRight->setChecked(setup.hshift >= 0);
    ui->rbHShiftleft->setChecked(setup.hshift < 0);
    ui->sbVShift->setValue(Magnitude(setup.vshift));
    ui->rbVShiftDown->setChecked(setup.vshift >= 0);
    ui->rbVShiftUp->setChecked(setup.vshift < 0);
    ui->sbHScale->setValue(Magnitude(setup.hscale));
    ui->sbVScale->setValue(Magnitude(setup.vscale));
    ui->sbTearingDelay->setValue(Magnitude(setup.delay_kick));

    ui->gbVShift->setEnabled(true);
    const bool bRx = pDev->GetDevType() == CHOIDev::E_DT_RX;
    ui->gbHShift->setEnabled(bRx);
    ui->gbHScale->setEnabled(bRx);
    ui->gbVScale->setEnabled(bRx);
    ui->gbTearingDelay->setEnabled(bRx);
}

void CDlgVideoVallProp::ApplyOne(int nItem)
{
    CHOIDev *pDev = CurrentDevice();
    CHOIScene *pScene = GetCurrentScene();
    if (!pDev || !pScene)
        return;
    // Only this one value changes; the others keep what was stored.
    T_VWDevSetup setup = pScene->GetDevSetup(pDev);
    switch (nItem) {
    case CHOIScene::E_VWS_HSHIFT:
        setup.hshift = ui->sbHShift->value() * (ui->rbHShiftleft->isChecked() ? -1 : 1);
        break;
    case CHOIScene::E_VWS_VSHIFT:
        setup.vshift = ui->sbVShift->value() * (ui->rbVShiftUp->isChecked() ? -1 : 1);
        break;
    case CHOIScene::E_VWS_HSCALE:
        setup.hscale = ui->sbHScale->value();
        break;
    case CHOIScene::E_VWS_VSCALE:
        setup.vscale = ui->sbVScale->value();
        break;
    case CHOIScene::E_VWS_DELAYKICK:
        setup.delay_kick = ui->sbTearingDelay->value();
        break;
    default:
        return;
    }
    pScene->SetDevSetup(pDev, setup);
    pScene->ApplyDevSetup(pDev, nItem);
}

void CDlgVideoVallProp::on_btnApplyHShift_clicked()
{
    ApplyOne(CHOIScene::E_VWS_HSHIFT);
}

void CDlgVideoVallProp::on_btnApplyVShift_clicked()
{
    ApplyOne(CHOIScene::E_VWS_VSHIFT);
}

void CDlgVideoVallProp::on_btnApplyHScale_clicked()
{
    ApplyOne(CHOIScene::E_VWS_HSCALE);
}

void CDlgVideoVallProp::on_btnApplyVScale_clicked()
{
    ApplyOne(CHOIScene::E_VWS_VSCALE);
}

void CDlgVideoVallProp::on_btnApplyTearingDelay_clicked()
{
    ApplyOne(CHOIScene::E_VWS_DELAYKICK);
}

void CDlgVideoVallProp::slotOnProgressNotify(E_ProgressNotify eNotify, int nProgress)
{
    // Nothing else is done while an adjustment is on its way.
    setEnabled(!(eNotify != E_PN_NONE && nProgress != 100));
}

// ---- windowing processor ----

void CDlgVideoVallProp::on_cBOverlay_clicked(bool checked)
{
    ui->cBoxIPW->setEnabled(checked);
    ui->cBoxIPW->clear();
    if (!checked)
        return;
    T_VideoWallInfo *pWall = GetCurrentVideoWall();
    FillWindowingDevices(pWall ? pWall->name : QString());
}

// ---- name ----

void CDlgVideoVallProp::on_edtName_textChanged(QString arg1)
{
    CNameFilter::Filter(this, ui->edtName, arg1, CNameFilter::E_NK_WALL,
                        tr("Invaild character:\r\n{ } \" < > , ; _ - @ * & "));
}

// ---- OK and Cancel ----

bool CDlgVideoVallProp::SaveBasicSettings(T_VideoWallInfo *pWall)
{
    const QString strName = ui->edtName->text();
    if (strName.isEmpty()) {
        MsgCritical(this, QString(), tr("Enter a video wall name."));
        ui->edtName->setFocus();
        return false;
    }
    CHOIScene *pScene = GetCurrentScene();
    if (pScene && pScene->FindVideoWallByName(strName, pWall)) {
        MsgCritical(this, QString(), tr("Name '%1' exists. Use another name.").arg(strName));
        ui->edtName->setFocus();
        ui->edtName->selectAll();
        return false;
    }
    // Single host only; a multi-host wall of the layout has its cells
    // re-marked for one TX.
    if (pScene && pScene->m_videoWalls.contains(pWall))
        pScene->SetVideoWallMode(pWall, 0);
    else
        pWall->mode = 0;
    pWall->ow = ui->sbOW->value();
    pWall->oh = ui->sbOH->value();
    pWall->vw = ui->sbVW->value();
    pWall->vh = ui->sbVH->value();
    pWall->show_osd = ui->chkShowOSD->isChecked() ? 1 : 0;
    pWall->name = strName;

    CHOIDev *pDev = nullptr;
    if (ui->cBOverlay->isChecked() && ui->cBoxIPW->currentIndex() >= 0)
        pDev = VariantToDev(ui->cBoxIPW->currentData());
    pWall->dev_hostname = pDev ? pDev->GetHostName() : QString();
    pWall->dev_name = pDev ? pDev->GetDisplayName() : QString();
    pWall->overlay = ui->cBOverlay->isChecked() ? 1 : 0;
    return true;
}

void CDlgVideoVallProp::accept()
{
    T_VideoWallInfo *pWall = GetCurrentVideoWall();
    if (!pWall || !SaveBasicSettings(pWall))
        return;
    CHOIDev *pDev = CurrentDevice();
    CHOIScene *pScene = GetCurrentScene();
    if (pDev && pScene) {
        T_VWDevSetup setup;
        setup.hshift = ui->sbHShift->value() * (ui->rbHShiftleft->isChecked() ? -1 : 1);
        setup.vshift = ui->sbVShift->value() * (ui->rbVShiftUp->isChecked() ? -1 : 1);
        setup.hscale = ui->sbHScale->value();
        setup.vscale = ui->sbVScale->value();
        setup.delay_kick = ui->sbTearingDelay->value();
        pScene->SetDevSetup(pDev, setup);
    }
    QDialog::accept();
}

void CDlgVideoVallProp::on_btnClose_clicked()
{
    reject();
}
