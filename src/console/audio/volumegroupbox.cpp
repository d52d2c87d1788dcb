#include "audio/volumegroupbox.h"
#include "ui_volumegroupbox.h"

#include "hoi_core/prodidinfo.h"

namespace {

struct T_VolumePoint
{
    int percent;
    int db;
};

// From loudest to silent; both columns fall row by row.
const T_VolumePoint kVolumeTable[] = {
    {100, 12}, {90, 9},   {80, 6},    {70, 3},   {60, 0},  {50, -3},
    {40, -6},  {30, -9},  {20, -12},  {10, -24}, {0, -100},
};
const int kVolumePoints = int(sizeof(kVolumeTable) / sizeof(kVolumeTable[0]));

// Reads nValue in the column from as the nearer of the two rows around it,
// in the column to; halfway goes to the quieter row.
int ConvertVolume(int nValue, int T_VolumePoint::*from, int T_VolumePoint::*to)
{
    if (nValue > kVolumeTable[0].*from)
        return kVolumeTable[0].*to;
    for (int i = 0; i + 1 < kVolumePoints; ++i) {
        const T_VolumePoint &upper = kVolumeTable[i];
        const T_VolumePoint &lower = kVolumeTable[i + 1];
        if (upper.*from >= nValue && nValue >= lower.*from)
            return (upper.*from - nValue >= nValue - lower.*from) ? lower.*to : upper.*to;
    }
    return kVolumeTable[kVolumePoints - 1].*to;
}

} // namespace

int VolumeDbToPercent(int nDb)
{
    return ConvertVolume(nDb, &T_VolumePoint::db, &T_VolumePoint::percent);
}

int VolumePercentToDb(int nPercent)
{
    return ConvertVolume(nPercent, &T_VolumePoint::percent, &T_VolumePoint::db);
}

CVolumeGroupBox::CVolumeGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType,
                                 int nPortIndex, QWidget *parent)
    : CAudioPortGroupBox(pProd, pDev, nPortType, nPortIndex, parent)
{
    ui.SetUpForm(this);
    const T_VolParam param = SetUpPort(ui->gridLayout, ui->hsVolume);

    SetSliderSteps(ui->hsVolume, 0, 10);
    ui->sbVolume->setToolTip(RangeTip(0, 100));

    if (param.mask & T_VolParam::MASK_LEVEL_CONTROL) {
        const int nPercent = VolumeDbToPercent(param.level_control);
        ui->hsVolume->setValue(nPercent / 10);
        ui->sbVolume->setValue(nPercent);
    }
    if (param.mask & T_VolParam::MASK_MUTE)
        ui->chkMute->setChecked(param.mute);

    // Connected only now, so filling the box sends nothing.
    connect(ui->sbVolume, &QSpinBox::editingFinished, this,
            &CVolumeGroupBox::slotVolumeEditingFinished);
    connect(ui->hsVolume, &QSlider::valueChanged, this, &CVolumeGroupBox::slotVolumeChanged);
    connect(ui->chkMute, &QCheckBox::clicked, this, &CVolumeGroupBox::slotMuteClicked);
}

CVolumeGroupBox::~CVolumeGroupBox() = default;

void CVolumeGroupBox::slotVolumeChanged(int value)
{
    {
        const QSignalBlocker blocker(ui->sbVolume);
        ui->sbVolume->setValue(value * 10);
    }
    if (sender()) {
        m_applyTimer.start();
        // A new level is sent unmuted; the box shows it so.
        ui->chkMute->setChecked(false);
    }
}

void CVolumeGroupBox::slotVolumeEditingFinished()
{
    const int nSlider = int(ui->sbVolume->value() / 10.0 + 0.5);
    // A moved slider rewrites the box and starts the timer through
    // slotVolumeChanged; an unmoved one leaves the typed value unsent.
    if (nSlider != ui->hsVolume->value())
        ui->hsVolume->setValue(nSlider);
}

void CVolumeGroupBox::slotApply()
{
    T_VolParam param;
    param.mask = T_VolParam::MASK_LEVEL_CONTROL | T_VolParam::MASK_MUTE;
    param.level_control = VolumePercentToDb(ui->hsVolume->value() * 10);
    param.mute = false;
    SendPortParam(param);
}

void CVolumeGroupBox::slotMuteClicked()
{
    // Mute wins over a level change that has not gone out yet.
    m_applyTimer.stop();
    T_VolParam param;
    param.mask = T_VolParam::MASK_MUTE;
    param.mute = ui->chkMute->isChecked();
    SendPortParam(param);
}
