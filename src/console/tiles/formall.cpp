#include "tiles/formall.h"
#include "ui_formall.h"

#include "hoiwidget/languagechange.h"
#include "uiservices.h"

CFormAll::CFormAll(QTreeWidgetItem *pGroupItem, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::CFormAll)
    , m_item(pGroupItem)
    , m_strGroup(pGroupItem ? pGroupItem->text(0) : QString())
{
    ui->setupUi(this);
    OnLanguageChange(this, [this] {
        ui->retranslateUi(this);
        ui->label_Name->SetFullText(GroupDisplayName(m_strGroup));
    });
    ui->label_Name->SetFullText(GroupDisplayName(m_strGroup));
}

CFormAll::~CFormAll()
{
    delete ui;
}

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
