#include "audio/audiodelaygroupbox.h"
#include "ui_audiodelaygroupbox.h"

#include <QIntValidator>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "settings/applywatch.h"
#include "uiservices.h"

namespace {
const int kMaxDelay = 500; // ms
} // namespace

CAudioDelayGroupBox::CAudioDelayGroupBox(CHOIDev *pDev, QWidget *parent)
    : QGroupBox(parent)
    , m_pDev(pDev)
{
    ui.SetUpForm(this);
    ui->lineEdit->setValidator(new QIntValidator(0, kMaxDelay, this));
    if (!m_pDev)
        return;
    if (IsDelayPlayProduct())
        m_pDev->QueryDelayPlay();
    else
        m_pDev->QueryAudioDelay();
    // The answer comes through the event loop, after this connection.
    connect(m_pDev, &CHOIDev::OnGetAudioDelaySettings, this, &CAudioDelayGroupBox::slotOnGetAutioDelay);
}

CAudioDelayGroupBox::~CAudioDelayGroupBox() = default;

bool CAudioDelayGroupBox::IsValidDelay(const QString &strValue)
{
    // The field's validator lets an empty text or a value such as 600 stand
    // while typing, and a device answer bypasses it.
    QString strCopy = strValue;
    int nPos = 0;
    return QIntValidator(0, kMaxDelay).validate(strCopy, nPos) == QValidator::Acceptable;
}

QString CAudioDelayGroupBox::InvalidDelayText()
{
    return tr("Please enter a delay from 0 to 500 ms.");
}

bool CAudioDelayGroupBox::IsDelayPlayProduct() const
{
    return g_pHOIDevMgr && g_pHOIDevMgr->GetProdIdInfo(m_pDev)->id == QLatin1String("VRX0350");
}

void CAudioDelayGroupBox::slotOnGetAutioDelay(QString strStatus)
{
    ui->lineEdit->setText(strStatus);
}

void CAudioDelayGroupBox::on_pushButtonOK_clicked()
{
    if (!m_pDev)
        return;
    const QString strValue = ui->lineEdit->text();
    if (!IsValidDelay(strValue)) {
        MsgCritical(this, QString(), InvalidDelayText());
        ui->lineEdit->setFocus(Qt::OtherFocusReason);
        return;
    }
    const bool bSent = IsDelayPlayProduct() ? m_pDev->ApplyDelayPlay(strValue)
                                            : m_pDev->ApplyAudioDelay(strValue);
    if (bSent)
        CApplyWatch::Watch(this, m_pDev);
    else
        MsgCritical(this, QString(), tr("Failed to apply settings to devices."));
}
