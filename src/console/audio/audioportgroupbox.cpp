#include "audio/audioportgroupbox.h"

#include <QEvent>
#include <QGridLayout>
#include <QSlider>

#include "hoi_core/hoidev.h"
#include "settings/applywatch.h"

CAudioPortGroupBox::CAudioPortGroupBox(const T_ProdIdInfo *pProd, CHOIDev *pDev, int nPortType,
                                       int nPortIndex, QWidget *parent)
    : QGroupBox(parent)
    , m_pProd(pProd)
    , m_pDev(pDev)
    , m_nPortType(nPortType)
    , m_nPortIndex(nPortIndex)
    , m_applyTimer(this)
{
    m_applyTimer.setInterval(E_APPLY_DELAY);
    m_applyTimer.setSingleShot(true);
    connect(&m_applyTimer, &QTimer::timeout, this, &CAudioPortGroupBox::slotApply);
}

T_VolParam CAudioPortGroupBox::SetUpPort(QGridLayout *pGrid, QWidget *pSlider)
{
    T_VolParam param;
    if (m_pDev)
        m_pDev->GetVolParam(m_nPortType, m_nPortIndex, &param);

    SetTitle();
    // The form's size, grown where the title or the texts inside need more.
    const QSize need = minimumSizeHint();
    setMaximumWidth(qMax(width(), need.width()));
    setMinimumHeight(qMax(height(), need.height()));
    pGrid->setAlignment(pSlider, Qt::AlignCenter);
    return param;
}

void CAudioPortGroupBox::SetSliderSteps(QSlider *pSlider, int nMin, int nMax)
{
    pSlider->setRange(nMin, nMax);
    pSlider->setSingleStep(1);
    pSlider->setPageStep(1);
}

QString CAudioPortGroupBox::RangeTip(int nMin, int nMax)
{
    return QStringLiteral("%1~%2").arg(nMin).arg(nMax);
}

void CAudioPortGroupBox::SendPortParam(const T_VolParam &param)
{
    if (!m_pDev)
        return;
    const int nType = m_nPortType;
    const int nIndex = m_nPortIndex;
    const bool bQueued = CApplyWatch::KeepOnSuccess(
        m_pDev, [&] { return m_pDev->SetVolParam(nType, nIndex, &param, true, false); },
        [nType, nIndex, param](CHOIDev *pDone) { pDone->KeepVolParam(nType, nIndex, param); });
    CApplyWatch::WatchQueued(this, m_pDev, bQueued);
}

void CAudioPortGroupBox::SetTitle()
{
    setTitle(T_ProdIdInfo::AudioPortDisplayName(m_nPortType, m_nPortIndex));
}

void CAudioPortGroupBox::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        SetTitle();
    QGroupBox::changeEvent(event);
}
