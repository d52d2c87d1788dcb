#include "tiles/formonekey.h"
#include "ui_formonekey.h"

#include <QEvent>

CFormOneKey::CFormOneKey(QTreeWidgetItem *pGroupItem, QWidget *parent)
    : CTxDropTile(parent)
    , ui(new Ui::CFormOneKey)
{
    Q_UNUSED(pGroupItem)
    ui->setupUi(this);
}

CFormOneKey::~CFormOneKey()
{
    delete ui;
}

void CFormOneKey::DropTx(QDropEvent *event)
{
    // The receiving tiles check the payload themselves.
    emit signalDropEventForOneKey(event);
}

void CFormOneKey::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
