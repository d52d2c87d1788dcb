#include "audio/gaingroupbox.h"
#include "ui_gaingroupbox.h"

#include "hoi_core/prodidinfo.h"

namespace {

bool IsPortKind(int nKind)
{
    return nKind >= E_APT_LINE_IN && nKind <= E_APT_MIC;
}

} // namespace

CGainGroupBox::CGainGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType,
                             int nPortIndex, QWidget *parent)
    : CAudioPortGroupBox(pProd, pDev, nPortType, nPortIndex, parent)
{
    ui.SetUpForm(this);
    const T_VolParam param = SetUpPort(ui->gridLayout, ui->hsGain);

    const T_ProdIdInfo empty;
    const T_ProdIdInfo &prod = m_pProd ? *m_pProd : empty;
    const int nStep = GainStep();
    const bool bKnownKind = IsPortKind(m_nPortType);

    SetSliderSteps(ui->hsGain, prod.min_gain / nStep, prod.max_gain / nStep);
    ui->hsGain->setEnabled(bKnownKind && prod.vol_gain[m_nPortType]);

    ui->sbGain->setRange(prod.min_gain, prod.max_gain);
    ui->sbGain->setSingleStep(nStep);
    ui->sbGain->setToolTip(RangeTip(prod.min_gain, prod.max_gain));

    if (param.mask & T_VolParam::MASK_GAIN) {
        ui->hsGain->setValue(param.gain / nStep);
        ui->sbGain->setValue(param.gain);
    }

    ui->chkPower->setEnabled(bKnownKind && prod.vol_phantom_power[m_nPortType]);
    if (param.mask & T_VolParam::MASK_PHANTOM_POWER)
        ui->chkPower->setChecked(param.phantom_power);

    // Connected only now, so filling the box sends nothing.
    connect(ui->sbGain, &QSpinBox::editingFinished, this, &CGainGroupBox::slotGainEditingFinished);
    connect(ui->hsGain, &QSlider::valueChanged, this, &CGainGroupBox::slotGainChanged);
    connect(ui->chkPower, &QCheckBox::clicked, this, &CGainGroupBox::slotPowerClicked);
}

CGainGroupBox::~CGainGroupBox() = default;

int CGainGroupBox::GainStep() const
{
    // The product reader never gives less than 1; guard the division anyway.
    return (m_pProd && m_pProd->gain_step > 0) ? m_pProd->gain_step : 6;
}

void CGainGroupBox::slotGainChanged(int value)
{
    ui->sbGain->setValue(GainStep() * value);
    if (sender())
        m_applyTimer.start();
}

void CGainGroupBox::slotGainEditingFinished()
{
    // A typed value snaps towards zero to a whole step. As in the volume
    // box, only a step the slider moves to is sent: leaving the box, even
    // with a value that snaps back, asks the device for nothing.
    const int nSlider = ui->sbGain->value() / GainStep();
    if (nSlider != ui->hsGain->value())
        ui->hsGain->setValue(nSlider);
    ui->sbGain->setValue(GainStep() * ui->hsGain->value());
}

void CGainGroupBox::slotApply()
{
    T_VolParam param;
    param.mask = T_VolParam::MASK_GAIN;
    param.gain = ui->sbGain->value();
    SendPortParam(param);
}

void CGainGroupBox::slotPowerClicked()
{
    T_VolParam param;
    param.mask = T_VolParam::MASK_PHANTOM_POWER;
    param.phantom_power = ui->chkPower->isChecked();
    SendPortParam(param);
}
