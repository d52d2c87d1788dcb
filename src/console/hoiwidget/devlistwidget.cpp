#include "hoiwidget/devlistwidget.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoiwidget/itemdata.h"

QDevListWidget::QDevListWidget(QWidget *parent)
    : CDevDragTree(parent)
{
}

CHOIDev *QDevListWidget::DragDev(const QTreeWidgetItem *pItem, QString &strFormat) const
{
    CHOIDev *pDev = VariantToDev(pItem->data(0, Qt::UserRole));
    if (!pDev)
        return nullptr;
    if (pDev->GetDevType() == CHOIDev::E_DT_TX)
        strFormat = g_strMimeTxItem;
    else if (pDev->GetDevType() == CHOIDev::E_DT_RX)
        strFormat = g_strMimeRxItem;
    else
        return nullptr;
    return pDev;
}
