#include "tiles/formall.h"
#include "ui_formall.h"

#include <QEvent>

#include "tiles/tileitems.h"
#include "uiservices.h"

CFormAll::CFormAll(QTreeWidgetItem *pGroupItem, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::CFormAll)
    , m_pItem(pGroupItem)
    , m_pTree(pGroupItem ? pGroupItem->treeWidget() : nullptr)
    , m_bHadTree(!m_pTree.isNull())
    , m_strGroup(pGroupItem ? pGroupItem->text(0) : QString())
{
    ui->setupUi(this);
    ui->label_Name->SetFullText(GroupDisplayName(m_strGroup));
}

CFormAll::~CFormAll()
{
    delete ui;
}

QTreeWidgetItem *CFormAll::GetItem() const
{
    return LiveTreeItem(m_pTree, m_bHadTree, m_pItem);
}

void CFormAll::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (QTreeWidgetItem *pItem = GetItem())
        emit signalDoubleClick(pItem);
    QWidget::mouseDoubleClickEvent(event);
}

void CFormAll::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        ui->label_Name->SetFullText(GroupDisplayName(m_strGroup));
    }
    QWidget::changeEvent(event);
}
