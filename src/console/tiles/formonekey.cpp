#include "tiles/formonekey.h"
#include "ui_formonekey.h"

CFormOneKey::CFormOneKey(QTreeWidgetItem *pGroupItem, QWidget *parent)
    : CTxDropTile(parent)
{
    Q_UNUSED(pGroupItem)
    ui.SetUpForm(this);
}

CFormOneKey::~CFormOneKey() = default;

void CFormOneKey::DropTx(QDropEvent *event)
{
    // The receiving tiles check the payload themselves.
    emit signalDropEventForOneKey(event);
}
