#include "tiles/formonekey.h"
#include "ui_formonekey.h"

#include "hoiwidget/languagechange.h"

CFormOneKey::CFormOneKey(QTreeWidgetItem *pGroupItem, QWidget *parent)
    : CTxDropTile(parent)
    , ui(new Ui::CFormOneKey)
{
    Q_UNUSED(pGroupItem)
    ui->setupUi(this);
    OnLanguageChange(this, [this] { ui->retranslateUi(this); });
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
