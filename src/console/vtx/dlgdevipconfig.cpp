#include "vtx/dlgdevipconfig.h"
#include "ui_dlgdevipconfig.h"

#include <QThread>

#include "hoi_core/hoidev.h"
#include "hoiwidget/ipaddrwidget.h"
#include "uiservices.h"

namespace {
const int kReconnectWait = 2000;
} // namespace

CDlgDevIPConfig::CDlgDevIPConfig(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_nReconnectWait(kReconnectWait)
{
    ui.SetUpDialog(this);
    if (!m_pDev)
        return;
    ui->edtIPAddr->SetIPAddress(m_pDev->GetIPAddr());
    ui->edtNetmask->SetIPAddress(m_pDev->GetNetmask());
    ui->edtGateway->SetIPAddress(m_pDev->GetGateway());
    ui->edtIPAddr_2->SetIPAddress(m_pDev->GetIPAddr2());
    ui->edtNetmask_2->SetIPAddress(m_pDev->GetNetmask2());
    ui->edtGateway_2->SetIPAddress(m_pDev->GetGateway2());
}

CDlgDevIPConfig::~CDlgDevIPConfig() = default;

void CDlgDevIPConfig::on_pushBApply_2_clicked()
{
    if (!m_pDev)
        return;
    // Both ports are checked before anything is sent: the controller restarts
    // into whatever it was given.
    if (!QIPAddrWidget::CheckAddressSet(this, ui->groupBox->title().trimmed(), ui->edtIPAddr, ui->edtNetmask,
                                        ui->edtGateway)
        || !QIPAddrWidget::CheckAddressSet(this, ui->groupBox_2->title().trimmed(), ui->edtIPAddr_2,
                                           ui->edtNetmask_2, ui->edtGateway_2))
        return;
    setEnabled(false);
    const QString strMask1 = ui->edtNetmask->GetIPAddress();
    const QString strGateway1 = ui->edtGateway->GetIPAddress();
    const QString strMask2 = ui->edtNetmask_2->GetIPAddress();
    const QString strGateway2 = ui->edtGateway_2->GetIPAddress();

    // The controller may answer on its alternative port only after a pause;
    // the senders below connect on their own and fail when they cannot.
    if (!m_pDev->OpenCommAltPort()) {
        QThread::msleep(ulong(qMax(0, m_nReconnectWait)));
        m_pDev->OpenCommAltPort();
    }

    // The second port is set only after the first, the restart only after
    // both: a half-applied controller is never restarted.
    if (!m_pDev->ApplyToQN714IP1(ui->edtIPAddr->GetIPAddress(), strMask1, strGateway1)
        || !m_pDev->ApplyToQN714IP2(ui->edtIPAddr_2->GetIPAddress(), strMask2, strGateway2)) {
        MsgCritical(this, QString(), tr("Failed to apply settings to devices."));
        setEnabled(true);
        return;
    }
    m_pDev->QN714Reboot();
    setEnabled(true);
}
