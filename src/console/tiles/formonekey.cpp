#include "tiles/formonekey.h"
#include "ui_formonekey.h"

#include <QDragEnterEvent>
#include <QMimeData>

#include "hoi_core/hoiconst.h"
#include "hoiwidget/dragpayload.h"

namespace {

bool IsOwnTxDrag(const QDropEvent *event)
{
    return IsOwnDrag(event) && event->mimeData()->hasFormat(g_strMimeTxItem);
}

} // namespace

CFormOneKey::CFormOneKey(QTreeWidgetItem *pGroupItem, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::CFormOneKey)
{
    Q_UNUSED(pGroupItem)
    ui->setupUi(this);
    setAcceptDrops(true);
}

CFormOneKey::~CFormOneKey()
{
    delete ui;
}

void CFormOneKey::dragEnterEvent(QDragEnterEvent *event)
{
    if (!IsOwnTxDrag(event))
        return;
    event->setDropAction(event->proposedAction());
    event->accept();
}

void CFormOneKey::dragMoveEvent(QDragMoveEvent *event)
{
    if (!IsOwnTxDrag(event)) {
        event->ignore();
        return;
    }
    event->setDropAction(event->proposedAction());
    event->accept();
}

void CFormOneKey::dragLeaveEvent(QDragLeaveEvent *event)
{
    event->ignore();
}

void CFormOneKey::dropEvent(QDropEvent *event)
{
    // The receiving tiles check the payload themselves.
    if (!event->mimeData() || !event->mimeData()->hasFormat(g_strMimeTxItem)) {
        event->ignore();
        return;
    }
    emit signalDropEventForOneKey(event);
}

void CFormOneKey::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
    QWidget::changeEvent(event);
}
