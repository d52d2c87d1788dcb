#include "tiles/formall.h"
#include "ui_formall.h"

#include "uiservices.h"

CFormAll::CFormAll(QTreeWidgetItem *pGroupItem, QWidget *parent)
    : QWidget(parent)
    , m_item(pGroupItem)
    , m_strGroup(pGroupItem ? pGroupItem->text(0) : QString())
{
    ui.SetUpForm(this, [this] { ui->label_Name->SetFullText(GroupDisplayName(m_strGroup)); });
    ui->label_Name->SetFullText(GroupDisplayName(m_strGroup));
}

CFormAll::~CFormAll() = default;

QTreeWidgetItem *CFormAll::GetItem() const
{
    return m_item.Get();
}

void CFormAll::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (QTreeWidgetItem *pItem = GetItem())
        emit signalDoubleClick(pItem);
    QWidget::mouseDoubleClickEvent(event);
}
