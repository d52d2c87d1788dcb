// CHOIDev: identity, accessors, the virtual TX list and the IR key sender.

#include "hoi_core/hoidev.h"

#include <QHostAddress>
#include <QRegularExpression>
#include <QTimer>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/ircodetable.h"

namespace {

const QLatin1String kHostIdPattern("[0-9A-Fa-f]{12}");

QRegularExpression Anchored(const QString &strPattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(strPattern));
}

} // namespace

bool CHOIDev::IsValidHostName(const QString &strHostName)
{
    static const QRegularExpression re =
        Anchored(QStringLiteral("[A-Za-z0-9_.]+-") + kHostIdPattern + QStringLiteral("(:[0-9]{1,4})?"));
    return re.match(strHostName).hasMatch();
}

bool CHOIDev::IsValidHostId(const QString &strHostId)
{
    static const QRegularExpression re = Anchored(kHostIdPattern);
    return re.match(strHostId).hasMatch();
}

QString CHOIDev::GetDefaultName() const
{
    return m_pOwner ? m_pOwner->GetProdDevName(m_strHostName) : m_strHostName;
}

int CHOIDev::GetHostIndex() const
{
    const int colon = m_strHostName.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return 1;
    const int n = m_strHostName.mid(colon + 1).toInt();
    return n < 1 ? 1 : n;
}

bool CHOIDev::IsSupportOsd()
{
    return m_pOwner && m_pOwner->IsSupportOsd(this);
}

bool CHOIDev::SendIrCode(CIrCodeTable *pTable, const QString &strCtrlId, const QString &strKeyValue)
{
    if (!pTable)
        return false;
    QByteArray frame;
    if (!BuildIrPacket(pTable, strCtrlId, strKeyValue, &frame))
        return false;
    // No link carries IR frames: the sending is reported as failed, from the
    // event loop, so that a waiting dialog always hears back.
    QTimer::singleShot(0, this, [this]() { slotOnIrSendQueueReturn(E_CommResult(1)); });
    return true;
}

void CHOIDev::ResetLocalSettings()
{
    m_eIPMode = E_IM_AUTOIP;
    m_strNetmask = QStringLiteral("255.255.0.0");
    m_strNetmask2 = QStringLiteral("255.255.0.0");
    m_strGateway = QStringLiteral("0.0.0.0");
    m_strGateway2 = QStringLiteral("0.0.0.0");
    m_bHdcpAlwaysOn = false;
    m_strOutputTimingConvert = QStringLiteral("0");
    m_bTurnOffScreenOnPwrSave = false;
    m_nSrcUnavailableTimeout = 10000;
    m_strS0Baudrate = QStringLiteral("115200-8n1");
    m_nSoipType2TokenTimeout = 1;
    m_nVwStretchType = 2;
    m_nVwRotate = 0;
    m_nVideoQualityMode = -1;
    m_bPreviewEnable = true;
}

void CHOIDev::GetIPandVersionQN714()
{
    if (!m_pComm)
        return;
    m_pComm->SendData(QByteArrayLiteral("config get ipsetting"), true);
    m_pComm->SendData(QByteArrayLiteral("config get ipsetting2"), true);
    m_pComm->SendData(QByteArrayLiteral("config get version"), true);
}

// Like every command sender: the link is made and brought up when needed.
bool CHOIDev::SaveParam()
{
    CBaseComm *pComm = QueueLink(true);
    return pComm && pComm->SaveParam();
}

bool CHOIDev::SendEvent(const QString &strEvent)
{
    CBaseComm *pComm = QueueLink(true);
    return pComm && pComm->SendEvent(strEvent);
}

void CHOIDev::SetName(const QString &strName)
{
    // A name given (by the operator, a project or a gateway's list) is the
    // console's to write.
    if (!strName.isEmpty())
        m_bNameUnread = false;
    if (strName == m_strName)
        return;
    m_strName = strName;
    emit OnNameChanged(this);
}

QObject *CHOIDev::RollBackNameOnFailure()
{
    // Lives with the device, so that a window closed meanwhile leaves no
    // refused alias behind; one for every road that renames, so that they
    // cannot drift apart.
    static const QString kMark = QStringLiteral("CHOIDev name rollback");
    if (findChild<QObject *>(kMark, Qt::FindDirectChildrenOnly))
        return nullptr;
    QObject *pRollback = new QObject(this);
    pRollback->setObjectName(kMark);
    connect(this, &CHOIDev::OnCmdCompleted, pRollback,
            [pRollback, strName = m_strName, bUnread = m_bNameUnread](CHOIDev *pDone, E_ControlObject emCtrlObj,
                                                                        E_CommResult eResult) {
                if (emCtrlObj != E_CO_DEV)
                    return;
                if (eResult != E_CR_SUCCESS) {
                    pDone->SetName(strName);
                    pDone->m_bNameUnread = bUnread;
                }
                delete pRollback;
            });
    return pRollback;
}

void CHOIDev::SetHostName(const QString &strHostName, bool bSetHostId)
{
    if (strHostName != m_strHostName)
        m_strHostName = strHostName;
    if (bSetHostId) {
        const int dash = m_strHostName.indexOf(QLatin1Char('-'));
        if (dash >= 0)
            m_strHostId = m_strHostName.mid(dash + 1, 12);
    }
}

QString CHOIDev::GetHostNamePrefix() const
{
    const int dash = m_strHostName.indexOf(QLatin1Char('-'));
    return dash >= 0 ? m_strHostName.left(dash) : QString();
}

const QString &CHOIDev::GetMacId()
{
    if (m_strHostId.isEmpty())
        m_strHostId = QString(m_strEthAddr).remove(QLatin1Char(':'));
    return m_strHostId;
}

void CHOIDev::SetIrDevName(const QString &strName)
{
    if (strName != m_strIrDev)
        m_strIrDev = strName;
}

void CHOIDev::SetSequence(const int &nSequence)
{
    if (nSequence != m_nSequence)
        m_nSequence = nSequence;
}

void CHOIDev::SetAddrField(QString &field, const QString &strAddr)
{
    if (strAddr != field && !QHostAddress(strAddr).isNull())
        field = strAddr;
}

#define HOIDEV_SET_ADDRESS(Name, field)                                                            \
    void CHOIDev::Set##Name(const QString &strAddr) { SetAddrField(field, strAddr); }

HOIDEV_SET_ADDRESS(IPAddr, m_strIPAddr)
HOIDEV_SET_ADDRESS(Netmask, m_strNetmask)
HOIDEV_SET_ADDRESS(Gateway, m_strGateway)
HOIDEV_SET_ADDRESS(IPAddr2, m_strIPAddr2)
HOIDEV_SET_ADDRESS(Netmask2, m_strNetmask2)
HOIDEV_SET_ADDRESS(Gateway2, m_strGateway2)

#undef HOIDEV_SET_ADDRESS

#define HOIDEV_SET_IF_DIFFERENT(Name, field)                                                       \
    void CHOIDev::Set##Name(const QString &strValue)                                               \
    {                                                                                              \
        if (strValue != field)                                                                     \
            field = strValue;                                                                      \
    }

HOIDEV_SET_IF_DIFFERENT(IPMMultiView, m_strIPMMultiView)
HOIDEV_SET_IF_DIFFERENT(UserAudioMode, m_strUserAudioMode)
HOIDEV_SET_IF_DIFFERENT(ForceResolution, m_strForceResolution)
HOIDEV_SET_IF_DIFFERENT(CvbsResolution, m_strCvbsResolution)
HOIDEV_SET_IF_DIFFERENT(HdmiResolution, m_strHdmiResolution)
HOIDEV_SET_IF_DIFFERENT(DviDResolution, m_strDviDResolution)
HOIDEV_SET_IF_DIFFERENT(VgaResolution, m_strVgaResolution)
HOIDEV_SET_IF_DIFFERENT(YPbPrResolution, m_strYPbPrResolution)
HOIDEV_SET_IF_DIFFERENT(MultiScreenVgaResolution, m_strMultiScreenVgaResolution)
HOIDEV_SET_IF_DIFFERENT(MaxResolution, m_strMaxResolution)
HOIDEV_SET_IF_DIFFERENT(VoMode, m_strVoMode)
HOIDEV_SET_IF_DIFFERENT(ColorSpace, m_strColorSpace)
HOIDEV_SET_IF_DIFFERENT(OverlayPosH, m_strOverlayPosH)
HOIDEV_SET_IF_DIFFERENT(OverlayPosV, m_strOverlayPosV)
HOIDEV_SET_IF_DIFFERENT(OsdDisplayMethod, m_strOsdDisplayMethod)
HOIDEV_SET_IF_DIFFERENT(Location, m_strLocation)
HOIDEV_SET_IF_DIFFERENT(OutputDip, m_strOutputDip)

#undef HOIDEV_SET_IF_DIFFERENT

void CHOIDev::SetHwDipEnable(int nValue)
{
    if (nValue != m_nHwDipEnable)
        m_nHwDipEnable = nValue;
}

CHOIDev *CHOIDev::GetTXDev() const
{
    return m_eDevType == E_DT_TX ? nullptr : m_pTXDev;
}

void CHOIDev::SetTXDev(CHOIDev *pTx)
{
    m_pTXDev = (m_eDevType == E_DT_TX) ? nullptr : pTx;
}

QString CHOIDev::GetVideoInputName() const
{
    return m_strVideoInput.section(QLatin1Char(':'), 0, 0);
}

QString CHOIDev::GetVideoInputResolution() const
{
    const QStringList fields = m_strVideoInput.split(QLatin1Char(':'));
    return fields.size() >= 3 ? fields.at(2) : QString();
}

bool CHOIDev::GetOptionValue(int nOptionId, QVariant &value) const
{
    value = QVariant();
    const QString strName = T_ProdIdInfo::EncParamId2Name(nOptionId);
    if (strName.isEmpty())
        return false;
    value = m_mapOptions.value(QStringLiteral("--%1").arg(strName));
    return !value.isNull();
}

bool CHOIDev::RemoveIpcInfo(T_IpcInfo *pInfo)
{
    if (!pInfo || m_listIpcInfo.removeAll(pInfo) == 0)
        return false;
    delete pInfo;
    return true;
}

bool CHOIDev::ReplaceIpcInfo(T_IpcInfo *pInfo)
{
    if (!pInfo || pInfo->hostname.isEmpty() || m_listIpcInfo.isEmpty())
        return false;
    for (int i = 0; i < m_listIpcInfo.size(); ++i) {
        if (m_listIpcInfo.at(i)->hostname == pInfo->hostname) {
            m_listIpcInfo[i] = pInfo;
            return true;
        }
    }
    return false;
}

bool CHOIDev::SetIpcAliasName(const QString &strHostName, const QString &strAlias)
{
    if (strHostName.isEmpty())
        return false;
    for (T_IpcInfo *pInfo : qAsConst(m_listIpcInfo)) {
        if (pInfo->hostname == strHostName) {
            pInfo->aliasname = strAlias;
            return true;
        }
    }
    return false;
}

void CHOIDev::ClearIpcInfo()
{
    qDeleteAll(m_listIpcInfo);
    m_listIpcInfo.clear();
}
