#include "control/dlgirctrl.h"
#include "ui_dlgirctrl.h"

#include <QDebug>
#include <QHash>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "control/dlgselectirdev.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/columnfit.h"
#include "hoiwidget/itemdata.h"

namespace {

// Column of the type button in the chooser's tree.
const int kTypeColumn = 1;

// The mark of a key the current device's type knows.
const QIcon &ValidKeyIcon()
{
    static const QIcon s_icon(QPixmap(QStringLiteral(":/images/ir_valid.png"))
                                  .scaled(10, 10, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return s_icon;
}

} // namespace

QString IrDevShortName(const QString &id)
{
    const int nFirst = id.indexOf(QLatin1Char('_'));
    if (nFirst < 0)
        return id;
    const int nSecond = id.indexOf(QLatin1Char('_'), nFirst + 1);
    if (nSecond < 0)
        return id;
    const int p = nSecond + 1;
    const int q = id.lastIndexOf(QLatin1Char('_'));
    return q > p ? id.mid(p, q - p) : id.mid(p);
}

CDlgIrCtrl::CDlgIrCtrl(QWidget *parent)
    : CDlgDevCommand(E_CO_IR, parent)
{
    ui.SetUpDialog(this);
    SetChooser(ui->gbDevices);
    // Room beyond the pad's own goes to the device names.
    ui->mainLayout->setStretch(0, 1);

    m_irCodeTable.GetCtrlIDs(&m_ctrlIdList);

    const T_IrKeyButton keys[] = {
        {QStringLiteral("Power"), ui->btnKey_Power},
        {QStringLiteral("AV/TV"), ui->btnKey_AVTV},
        {QStringLiteral("Mute"), ui->btnKey_Mute},
        {QStringLiteral("Number0"), ui->btnKey_0},
        {QStringLiteral("Number1"), ui->btnKey_1},
        {QStringLiteral("Number2"), ui->btnKey_2},
        {QStringLiteral("Number3"), ui->btnKey_3},
        {QStringLiteral("Number4"), ui->btnKey_4},
        {QStringLiteral("Number5"), ui->btnKey_5},
        {QStringLiteral("Number6"), ui->btnKey_6},
        {QStringLiteral("Number7"), ui->btnKey_7},
        {QStringLiteral("Number8"), ui->btnKey_8},
        {QStringLiteral("Number9"), ui->btnKey_9},
        {QStringLiteral("StarDot"), ui->btnKey_NumStarDot},
        {QStringLiteral("Char#"), ui->btnKey_NumCharSharp},
        {QStringLiteral("Channel+"), ui->btnKey_Chl_Inc},
        {QStringLiteral("Channel-"), ui->btnKey_Chl_Dec},
        {QStringLiteral("Volume+"), ui->btnKey_Vol_Inc},
        {QStringLiteral("Volume-"), ui->btnKey_Vol_Dec},
        {QStringLiteral("LastProgram"), ui->btnKey_LastProgram},
        {QStringLiteral("NextProgram"), ui->btnKey_NextProgram},
        {QStringLiteral("FastForward"), ui->btnKey_FastForward},
        {QStringLiteral("FastReward"), ui->btnKey_FastReward},
        {QStringLiteral("Play"), ui->btnKey_Play},
        {QStringLiteral("Pause"), ui->btnKey_Pause},
        {QStringLiteral("Stop"), ui->btnKey_Stop},
        {QStringLiteral("Rewind"), ui->btnKey_Rewind},
        {QStringLiteral("ArrowUp"), ui->btnKey_ArrowUp},
        {QStringLiteral("ArrowDown"), ui->btnKey_ArrowDown},
        {QStringLiteral("ArrowLeft"), ui->btnKey_ArrowLeft},
        {QStringLiteral("ArrowRight"), ui->btnKey_ArrowRight},
        {QStringLiteral("Enter"), ui->btnKey_OK},
        {QStringLiteral("Return"), ui->btnKey_Return},
        {QStringLiteral("Menu"), ui->btnKey_Menu},
        {QStringLiteral("FunctionRed"), ui->btnKey_Red},
        {QStringLiteral("FunctionGreen"), ui->btnKey_Green},
        {QStringLiteral("FunctionYellow"), ui->btnKey_Yellow},
        {QStringLiteral("FunctionBlue"), ui->btnKey_Blue},
        {QStringLiteral("Record"), ui->btnKey_Record},
        {QStringLiteral("Input"), ui->btnKey_Input},
        {QStringLiteral("Guide"), ui->btnKey_Guide},
        {QStringLiteral("Location"), ui->btnKey_Location},
        {QStringLiteral("Output"), ui->btnKey_Output},
        {QStringLiteral("Setup"), ui->btnKey_Setup},
        {QStringLiteral("Cancel"), ui->btnKey_Cancel},
        {QStringLiteral("CC"), ui->btnKey_CC},
        {QStringLiteral("VolumeChannel"), ui->btnKey_VolChannel},
        {QStringLiteral("VideoSource"), ui->btnKey_VideoSource},
        {QStringLiteral("Title"), ui->btnKey_Title},
        {QStringLiteral("Subtitle"), ui->btnKey_Subtitle},
    };
    for (const T_IrKeyButton &key : keys) {
        m_keyButtons.append(key);
        connect(key.button, &QPushButton::clicked, this, &CDlgIrCtrl::slotOnKeyPress);
    }
    UpdateKeyEnable(QList<CHOIDev *>());
}

CDlgIrCtrl::~CDlgIrCtrl() = default;

void CDlgIrCtrl::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Measured once laid out: the chooser's room is known only then.
    WidenForChooser();
}

// ---------------------------------------------------------------------------
// The chooser's rows: IR-capable devices with a type button each.

bool CDlgIrCtrl::GetHeaderLabels(QStringList &headers)
{
    headers << tr("Via TX/RX") << tr("Controlled Device Type");
    return true;
}

QTreeWidgetItem *CDlgIrCtrl::CreateDevItem(CHOIDev *dev)
{
    if (!dev || !g_pHOIDevMgr || !g_pHOIDevMgr->IsSupportIr(dev))
        return nullptr;
    QTreeWidgetItem *pItem = new QTreeWidgetItem;
    pItem->setText(0, dev->GetDisplayName());
    pItem->setData(0, Qt::UserRole, DevToVariant(dev));
    return pItem;
}

void CDlgIrCtrl::OnDevItemAdded(QTreeWidget *tree, CHOIDev *dev, QTreeWidgetItem *item)
{
    QPushButton *pButton = new QPushButton;
    pButton->setProperty("dev", PtrToVariant(dev));
    pButton->setProperty("item", PtrToVariant(item));
    UpdateIrDevButton(dev, pButton);
    tree->setItemWidget(item, kTypeColumn, pButton);
    connect(pButton, &QPushButton::clicked, this, &CDlgIrCtrl::slotSelectIrDev);
}

void CDlgIrCtrl::OnCurrentDevItemChanged(QTreeWidgetItem *current)
{
    CHOIDev *pDev = current ? VariantToDev(current->data(0, Qt::UserRole)) : nullptr;
    if (pDev && (!g_pHOIDevMgr || !g_pHOIDevMgr->GetDevList().contains(pDev)))
        pDev = nullptr;
    UpdateKeyIcons(pDev ? pDev->GetIrDev() : QString());
}

void CDlgIrCtrl::OnDevItemCheckChanged(QTreeWidgetItem *item)
{
    Q_UNUSED(item)
    UpdateKeyEnable(ui->gbDevices->GetCheckedDevList());
}

void CDlgIrCtrl::WidenForChooser()
{
    // The first width hides the type buttons behind the device names; the
    // pad grows by what the chooser lacks (all of it goes to the chooser),
    // to the screen's width at most.
    QTreeWidget *pTree = DevTree();
    const int nLack = ContentsWidth(pTree) - pTree->viewport()->width();
    if (nLack > 0)
        resize(qMin(width() + nLack, screen()->availableGeometry().width()), height());
}

QTreeWidget *CDlgIrCtrl::DevTree() const
{
    return ui->gbDevices->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
}

QTreeWidgetItem *CDlgIrCtrl::ListedItem(QTreeWidgetItem *item) const
{
    QTreeWidget *pTree = DevTree();
    if (!pTree || !item)
        return nullptr;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        if (pTree->topLevelItem(i) == item)
            return item;
    }
    return nullptr;
}

// ---------------------------------------------------------------------------
// Keys

void CDlgIrCtrl::UpdateIrDevButton(CHOIDev *dev, QPushButton *button)
{
    const QString strType = dev ? dev->GetIrDev() : QString();
    button->setText(strType.isEmpty() ? tr("[Select Type...]") : IrDevShortName(strType));
    button->setToolTip(strType);
}

void CDlgIrCtrl::UpdateKeyIcons(const QString &type)
{
    QStringList keys;
    if (!type.isEmpty())
        m_irCodeTable.GetKeyValues(type, &keys);
    for (const T_IrKeyButton &key : qAsConst(m_keyButtons))
        key.button->setIcon(keys.contains(key.keyValue) ? ValidKeyIcon() : QIcon());
}

void CDlgIrCtrl::UpdateKeyEnable(const QList<CHOIDev *> &devs)
{
    // The keys every checked device can send.
    QStringList common;
    QHash<QString, QStringList> keysOfType;
    for (CHOIDev *pDev : devs) {
        const QString strType = pDev ? pDev->GetIrDev() : QString();
        if (strType.isEmpty()) {
            common.clear();
            break;
        }
        if (!keysOfType.contains(strType)) {
            QStringList values;
            m_irCodeTable.GetKeyValues(strType, &values);
            keysOfType.insert(strType, values);
        }
        QStringList keys = keysOfType.value(strType);
        if (keys.isEmpty()) {
            common.clear();
            break;
        }
        if (common.isEmpty()) {
            common = keys;
            continue;
        }
        for (int i = keys.size() - 1; i >= 0; --i) {
            if (!common.contains(keys.at(i)))
                keys.removeAt(i);
        }
        for (int i = common.size() - 1; i >= 0; --i) {
            if (!keys.contains(common.at(i)))
                common.removeAt(i);
        }
        if (common.isEmpty())
            break;
    }
    for (const T_IrKeyButton &key : qAsConst(m_keyButtons))
        key.button->setEnabled(common.contains(key.keyValue));
}

void CDlgIrCtrl::slotOnKeyPress()
{
    QString strKey;
    bool bFound = false;
    for (const T_IrKeyButton &key : qAsConst(m_keyButtons)) {
        if (key.button == sender()) {
            strKey = key.keyValue;
            bFound = true;
            break;
        }
    }
    if (!bFound)
        return;

    if (!TakeCheckedDevs())
        return;
    SendToPending([this, &strKey](CHOIDev *pDev) {
        return pDev->SendIrCode(&m_irCodeTable, pDev->GetIrDev(), strKey);
    });
}

// ---------------------------------------------------------------------------
// Controlled-device type

void CDlgIrCtrl::slotSelectIrDev()
{
    QPushButton *pButton = qobject_cast<QPushButton *>(sender());
    if (!pButton)
        return;
    CHOIDev *pDev = VariantToPtr<CHOIDev>(pButton->property("dev"));
    QTreeWidgetItem *pItem = VariantToPtr<QTreeWidgetItem>(pButton->property("item"));
    if (!pDev || !g_pHOIDevMgr || !g_pHOIDevMgr->GetDevList().contains(pDev))
        return;

    CDlgSelectIrDev dlg(&m_ctrlIdList, nullptr);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // The chooser may have let the device go while the type dialog was open.
    if (!g_pHOIDevMgr->GetDevList().contains(pDev))
        return;
    pDev->SetIrDev(dlg.GetSelectedId());
    if (ListedItem(pItem)) {
        if (QPushButton *pRowButton = qobject_cast<QPushButton *>(
                DevTree()->itemWidget(pItem, kTypeColumn))) {
            UpdateIrDevButton(pDev, pRowButton);
            // A type name longer than the column's widest so far.
            FitColumnsToContents(DevTree());
        }
    }
    UpdateKeyIcons(pDev->GetIrDev());
    if (ListedItem(pItem) && pItem->checkState(0) == Qt::Checked)
        OnDevItemCheckChanged(pItem);
}
