#include "audio/dlgvolumeconfig.h"
#include "ui_dlgvolumeconfig.h"

#include <QPointer>
#include <QStringList>

#include "audio/audiodelaygroupbox.h"
#include "audio/dlgsuppressor.h"
#include "audio/gaingroupbox.h"
#include "audio/volumegroupbox.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/prodidinfo.h"
#include "settings/applywatch.h"
#include "uiservices.h"

namespace {

// Models whose suppressor settings cannot be changed from here.
bool IsAdvancedLocked(const QString &strId)
{
    static const QStringList ids = {QStringLiteral("VTX480"), QStringLiteral("VTX6100"),
                                    QStringLiteral("VTX6100H")};
    return ids.contains(strId);
}

// Models without a volume for all microphones.
bool HasNoAllMic(const QString &strId)
{
    return strId == QLatin1String("ZK830") || IsAdvancedLocked(strId);
}

const T_ProdIdInfo &ProdOf(CHOIDev *pDev)
{
    static const T_ProdIdInfo s_empty;
    return g_pHOIDevMgr ? *g_pHOIDevMgr->GetProdIdInfo(pDev) : s_empty;
}

} // namespace

CDlgVolumeConfig::CDlgVolumeConfig(CHOIDev *pDev, QWidget *parent)
    : QDialog(parent)
    , m_pDev(pDev)
    , m_pSuppressorChoice(nullptr)
{
    ui.SetUpDialog(this);

    const T_ProdIdInfo &prod = ProdOf(m_pDev);
    // The tab can still be chosen; nothing on it reacts.
    if (IsAdvancedLocked(prod.id))
        ui->tabtAdvanced->setEnabled(false);

    if (prod.audio_delay) {
        ui->gridLayoutBasic->addWidget(new CAudioDelayGroupBox(m_pDev, this), 0, 0);
        ui->tabWidget->setTabEnabled(ui->tabWidget->indexOf(ui->tabtAdvanced), false);
        return;
    }

    AddPortBoxes();

    QVariant bypass;
    if (m_pDev && m_pDev->GetOptionValue(E_EP_SUPPRESSOR_BYPASS, bypass)) {
        m_pSuppressorChoice = bypass.toBool() ? ui->rbSuppressorDisable : ui->rbSuppressorEnable;
        m_pSuppressorChoice->setChecked(true);
    }
    ui->widget->setEnabled(ui->rbSuppressorEnable->isChecked());

    connect(ui->rbSuppressorEnable, &QRadioButton::clicked, this,
            &CDlgVolumeConfig::slotSuppressorModeChanged);
    connect(ui->rbSuppressorDisable, &QRadioButton::clicked, this,
            &CDlgVolumeConfig::slotSuppressorModeChanged);
}

CDlgVolumeConfig::~CDlgVolumeConfig() = default;

void CDlgVolumeConfig::AddPortBoxes()
{
    const T_ProdIdInfo &prod = ProdOf(m_pDev);
    // A device of no known product has no audio ports to show.
    if (prod.id.isEmpty())
        return;
    int nBasicRow = 0;
    int nAdvancedRow = 0;
    int nColumns = 0;
    for (int kind = T_ProdIdInfo::FirstAudioPortType(); kind != 0;
         kind = T_ProdIdInfo::NextAudioPortType(kind)) {
        const int nCount = qMax(0, prod.vol_port_count[kind]);
        if (kind == E_APT_LINE_IN || kind == E_APT_LINE_OUT) {
            nColumns += nCount;
            for (int i = 0; i < nCount; ++i)
                ui->gridLayoutBasic->addWidget(new CVolumeGroupBox(&prod, m_pDev, kind, i, nullptr),
                                               nBasicRow, i);
        } else if (kind == E_APT_MIC && !HasNoAllMic(prod.id)) {
            // One box for all microphones, right of the line-out row.
            ui->gridLayoutBasic->addWidget(new CVolumeGroupBox(&prod, m_pDev, kind, -1, nullptr),
                                           nBasicRow - 1, nColumns);
        }
        ++nBasicRow;
        if (prod.vol_gain[kind]) {
            for (int i = 0; i < nCount; ++i)
                ui->gridLayoutAdvanced->addWidget(new CGainGroupBox(&prod, m_pDev, kind, i, nullptr),
                                                  nAdvancedRow, i);
            ++nAdvancedRow;
        }
    }
}

bool CDlgVolumeConfig::SendSuppressorOption(int nOptionId, bool bValue)
{
    if (m_pDev && CApplyWatch::SetOptionValue(m_pDev, nOptionId, QVariant(bValue), true)) {
        CApplyWatch::Watch(this, m_pDev);
        return true;
    }
    MsgCritical(this, QString(), tr("Fails to connect device."));
    return false;
}

void CDlgVolumeConfig::slotSuppressorModeChanged()
{
    ui->widget->setEnabled(ui->rbSuppressorEnable->isChecked());
    // A click on the button already chosen changes nothing on the device.
    QAbstractButton *pChoice = ui->rbSuppressorDisable->isChecked() ? ui->rbSuppressorDisable
                                                                      : ui->rbSuppressorEnable;
    if (pChoice == m_pSuppressorChoice)
        return;
    // Marked before the lines go (a link giving up at once ends inside), and
    // forgotten when the device refuses them: it kept its mode, and the same
    // click must send again.
    m_pSuppressorChoice = pChoice;
    const QPointer<CDlgVolumeConfig> pWindow(this);
    const auto forget = [pWindow, pChoice](CHOIDev *, E_CommResult eResult) {
        if (eResult != E_CR_SUCCESS && pWindow && pWindow->m_pSuppressorChoice == pChoice)
            pWindow->m_pSuppressorChoice = nullptr;
    };
    const auto send = [&] { return SendSuppressorOption(E_EP_SUPPRESSOR_BYPASS, pChoice == ui->rbSuppressorDisable); };
    if (!(m_pDev ? m_pDev->WatchQueueEnd(send, forget) : send()))
        m_pSuppressorChoice = nullptr;
}

void CDlgVolumeConfig::on_btnSuppressorSettings_clicked()
{
    if (MsgWarning(this, QString(), tr("Sure to %1 ?").arg(ui->btnSuppressorSettings->toolTip()),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    // "n": the device starts learning.
    if (!SendSuppressorOption(E_EP_SUPPRESSOR_FIX, false))
        return;
    CDlgSuppressor dlg(m_pDev, this);
    dlg.exec();
    // However "Howling detect" ended, the device keeps what it learned.
    SendSuppressorOption(E_EP_SUPPRESSOR_FIX, true);
}
