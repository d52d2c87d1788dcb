// CDlgBatch: the EDID page and the Audio page.
#include "batch/dlgbatch.h"
#include "ui_dlgbatch.h"

#include <QCoreApplication>

#include "audio/audiodelaygroupbox.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "uiservices.h"

namespace {

// The model that takes its audio delay as "delay-play".
const QLatin1String kDelayPlayModel("VRX0350");

} // namespace

// ---------------------------------------------------------------------------
// EDID page

void CDlgBatch::on_cbEDIDSet_currentIndexChanged(int index)
{
    m_edidPane.ChooseItem(index);
}

void CDlgBatch::on_pbUplaodEDIDFile_clicked()
{
    m_edidPane.Select(QCoreApplication::applicationDirPath());
}

void CDlgBatch::on_pbEdidSet_apply_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_EDID, devs))
        return;
    // An empty text would blank the device's EEPROM.
    if (m_edidPane.Edid().isEmpty()) {
        RefuseBatch(m_edidPane.InvalidText());
        return;
    }
    const QByteArray line = m_edidPane.EepromLine();
    ApplyToDevs(E_BP_EDID, devs,
                [&](CHOIDev *pDev) { return pDev->PushSendData(line.constData(), true, false); });
}

// ---------------------------------------------------------------------------
// Audio page

void CDlgBatch::on_pushButtonOK_clicked()
{
    QList<CHOIDev *> devs;
    if (!StartBatch(E_BP_AUDIO, devs))
        return;
    // The upload round of the Image page keeps its own device list, so its
    // late answers are still counted against it.
    const QString strValue = ui->lineEdit->text();
    if (!CAudioDelayGroupBox::IsValidDelay(strValue)) {
        RefuseBatch(CAudioDelayGroupBox::InvalidDelayText(), ui->lineEdit);
        return;
    }
    ApplyToDevs(E_BP_AUDIO, devs, [&](CHOIDev *pDev) {
        const T_ProdIdInfo *pProd = g_pHOIDevMgr ? g_pHOIDevMgr->GetProdIdInfo(pDev) : nullptr;
        if (pProd && pProd->id == kDelayPlayModel)
            return pDev->ApplyDelayPlay(strValue);
        return pDev->ApplyAudioDelay(strValue);
    });
}
