#include "settings/formipm.h"
#include "ui_formipm.h"

#include <QAbstractItemView>
#include <QStyleOptionMenuItem>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/itemdata.h"

namespace {

// The words the device takes; the list shows them translated.
const char kModeFit[] = "fit";
const char kModeStretch[] = "stretch";

// The open list draws each entry as a menu does, icon column and margins
// included: as narrow as the closed box it shows "stretch" as "st...ch".
void FitListToEntries(QComboBox *pCombo)
{
    QAbstractItemView *pList = pCombo->view();
    QStyleOptionMenuItem opt;
    opt.initFrom(pList);
    opt.menuItemType = QStyleOptionMenuItem::Normal;
    opt.maxIconWidth = pCombo->iconSize().width() + 4;
    int nWidth = 0;
    for (int i = 0; i < pCombo->count(); ++i) {
        opt.text = pCombo->itemText(i);
        opt.icon = pCombo->itemIcon(i);
        const QSize text(pList->fontMetrics().horizontalAdvance(opt.text), pList->fontMetrics().height());
        nWidth = qMax(nWidth, pCombo->style()->sizeFromContents(QStyle::CT_MenuItem, &opt, text, pCombo).width());
    }
    pList->setMinimumWidth(nWidth);
}

} // namespace

CFormIPM::CFormIPM(QString strNumber, QWidget *parent)
    : QWidget(parent)
{
    ui.SetUpForm(this, [this]() { FitListToEntries(ui->cmbMode); });
    FitListToEntries(ui->cmbMode);
    ui->label->setText(strNumber);
    ui->cmbMode->setItemData(0, QString::fromLatin1(kModeFit));
    ui->cmbMode->setItemData(1, QString::fromLatin1(kModeStretch));

    ui->cmbTXSource->clear();
    ui->cmbTXSource->addItem(QStringLiteral("N/A"));
    if (g_pHOIDevMgr) {
        for (int i = 0; i < g_pHOIDevMgr->GetDevCount(); ++i) {
            CHOIDev *pDev = g_pHOIDevMgr->GetDev(i);
            if (pDev && pDev->GetDevType() == CHOIDev::E_DT_TX && pDev->m_bOnLine)
                ui->cmbTXSource->addItem(pDev->GetDisplayName(), DevToVariant(pDev));
        }
    }
    ui->cmbTXSource->setCurrentIndex(0);
    ui->cmbMode->setCurrentIndex(0);
}

CFormIPM::~CFormIPM() = default;

QString CFormIPM::GetTXHostName() const
{
    const int nIndex = ui->cmbTXSource->currentIndex();
    CHOIDev *pDev = nIndex >= 1 ? VariantToDev(ui->cmbTXSource->itemData(nIndex)) : nullptr;
    return pDev ? pDev->GetHostName() : QStringLiteral("NULL");
}

QString CFormIPM::GetMode() const
{
    // The shown text may be translated; the device understands only the word.
    const QString strWord = ui->cmbMode->currentData().toString();
    return strWord.isEmpty() ? ui->cmbMode->currentText() : strWord;
}

QString CFormIPM::GetTXDisplayName(QString strHostName) const
{
    for (int i = 0; i < ui->cmbTXSource->count(); ++i) {
        CHOIDev *pDev = VariantToDev(ui->cmbTXSource->itemData(i));
        if (pDev && pDev->GetHostName() == strHostName)
            return pDev->GetDisplayName();
    }
    return QStringLiteral("N/A");
}

void CFormIPM::SetValue(QString strTx, QString strMode)
{
    const int nTx = ui->cmbTXSource->findText(strTx);
    if (nTx >= 0)
        ui->cmbTXSource->setCurrentIndex(nTx);
    // Stored settings hold the device's word; a shown text is taken as well.
    int nMode = ui->cmbMode->findData(strMode);
    if (nMode < 0)
        nMode = ui->cmbMode->findText(strMode);
    if (nMode >= 0)
        ui->cmbMode->setCurrentIndex(nMode);
}
