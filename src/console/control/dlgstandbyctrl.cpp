#include "control/dlgstandbyctrl.h"
#include "ui_dlgstandbyctrl.h"

#include <QFile>
#include <QTreeWidgetItem>

#include "hoi_core/hoidev.h"

CDlgStandbyCtrl::CDlgStandbyCtrl(QWidget *parent)
    : CDlgDevCommand(E_CO_DEV, parent)
{
    ui.SetUpDialog(this);
    SetChooser(ui->gbDevices);
    connect(ui->btnOpenMsg, &QPushButton::clicked, this, &CDlgStandbyCtrl::slotOpenMsg);
}

CDlgStandbyCtrl::~CDlgStandbyCtrl() = default;

// ---------------------------------------------------------------------------
// The chooser's rows: every device but encoders.

QTreeWidgetItem *CDlgStandbyCtrl::CreateDevItem(CHOIDev *pDev)
{
    if (!pDev || pDev->GetDevType() == CHOIDev::E_DT_TX)
        return nullptr;
    return NewAliasHostnameItem(pDev);
}

// ---------------------------------------------------------------------------
// Synchronize

void CDlgStandbyCtrl::slotOpenMsg()
{
    if (!TakeCheckedDevs())
        return;

    QFile file(QStringLiteral("Standby.xml"));
    if (!file.open(QIODevice::ReadOnly)) {
        ClearPending();
        return;
    }
    QByteArray content = file.readAll();
    const int nZero = content.indexOf('\0');
    if (nZero >= 0)
        content.truncate(nZero);
    QString strInfo = QString::fromUtf8(content);
    strInfo.remove(QLatin1Char('\r'));
    strInfo.remove(QLatin1Char('\n'));

    SendToPending([&strInfo](CHOIDev *pDev) { return pDev->ApplyEncBackupInfo(strInfo); });
}
