#include "edid/dlgedidsetting.h"
#include "ui_dlgedidsetting.h"

#include "hoi_core/hoidev.h"
#include "settings/applywatch.h"
#include "uiservices.h"

CDlgEDIDSetting::CDlgEDIDSetting(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_edidPane(this, staticMetaObject.className())
{
    ui.SetUpDialog(this, [this] { m_edidPane.Retranslate(); });
    m_edidPane.Attach({ui->cbEDIDSet, ui->leEDIDFileName, ui->pbUplaodEDIDFile, ui->teEDIDInfo, ui->pbApply});
    m_edidPane.FillList();
}

CDlgEDIDSetting::~CDlgEDIDSetting() = default;

void CDlgEDIDSetting::on_cbEDIDSet_currentIndexChanged(int index)
{
    m_edidPane.ChooseItem(index);
}

void CDlgEDIDSetting::on_pbUplaodEDIDFile_clicked()
{
    m_edidPane.Select(EdidDirPath());
}

void CDlgEDIDSetting::on_pbApply_clicked()
{
    // An EEPROM written with nothing would leave the device's source
    // without an EDID.
    if (m_edidPane.Edid().isEmpty()) {
        MsgCritical(this, QString(), m_edidPane.InvalidText());
        return;
    }
    if (!m_pDev)
        return;
    CApplyWatch::WatchQueued(this, m_pDev, m_pDev->PushSendData(m_edidPane.EepromLine().constData(), true, false));
}
