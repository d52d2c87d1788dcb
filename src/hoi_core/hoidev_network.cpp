// CHOIDev: network identity, grouped video settings, resets and reboots.

#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QStringList>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoidevmgr.h"

namespace {

// Address texts go unquoted onto a root shell line (and onto the
// controller's command line): only the characters of an IPv4 or IPv6
// address may pass. An empty text is left to the device to judge.
bool AreAddressTexts(std::initializer_list<const QString *> texts)
{
    for (const QString *pText : texts) {
        for (const QChar ch : *pText) {
            const bool ok = (ch >= QLatin1Char('0') && ch <= QLatin1Char('9'))
                            || (ch >= QLatin1Char('a') && ch <= QLatin1Char('f'))
                            || (ch >= QLatin1Char('A') && ch <= QLatin1Char('F'))
                            || ch == QLatin1Char('.') || ch == QLatin1Char(':');
            if (!ok) {
                qWarning() << "refused address text:" << *pText;
                return false;
            }
        }
    }
    return true;
}

// Dotted decimal, four numbers 0-255 without leading zeros (a shell could
// read "010" as octal).
bool ParseIPv4(const QString &strText, quint32 &nAddr)
{
    const QStringList parts = strText.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    nAddr = 0;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3 || (part.size() > 1 && part.startsWith(QLatin1Char('0'))))
            return false;
        uint nValue = 0;
        for (const QChar ch : part) {
            if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
                return false;
            nValue = nValue * 10 + uint(ch.unicode() - '0');
        }
        if (nValue > 255)
            return false;
        nAddr = (nAddr << 8) | nValue;
    }
    return true;
}

// Neither "this network" (0.x.x.x) nor multicast, reserved or broadcast.
bool IsHostAddress(const QString &strText)
{
    quint32 nAddr = 0;
    if (!ParseIPv4(strText, nAddr))
        return false;
    const quint32 nFirst = nAddr >> 24;
    return nFirst != 0 && nFirst < 224;
}

bool IsNetmask(const QString &strText)
{
    quint32 nMask = 0;
    if (!ParseIPv4(strText, nMask) || nMask == 0)
        return false;
    const quint32 nHost = ~nMask; // the host bits must be the low ones
    return (nHost & (nHost + 1)) == 0;
}

// The device's "vi" text: input:second:third.
QString VideoInputText(const QString &strInput, const QString &strSecond, const QString &strThird)
{
    return QStringLiteral("%1:%2:%3").arg(strInput, strSecond, strThird);
}

} // namespace

QString CHOIDev::IPModeWord(IPMode eMode)
{
    switch (eMode) {
    case E_IM_AUTOIP:
        return QStringLiteral("autoip");
    case E_IM_DHCP:
        return QStringLiteral("dhcp");
    case E_IM_STATIC:
        return QStringLiteral("static");
    }
    return QString();
}

CHOIDev::E_AddrField CHOIDev::CheckIPv4Settings(const QString &strIPAddr, const QString &strNetmask,
                                                const QString &strGateway, bool bEmptyMask)
{
    if (!IsHostAddress(strIPAddr))
        return E_AF_IPADDR;
    if (!(bEmptyMask && strNetmask.isEmpty()) && !IsNetmask(strNetmask))
        return E_AF_NETMASK;
    if (!strGateway.isEmpty() && strGateway != QLatin1String("0.0.0.0") && !IsHostAddress(strGateway))
        return E_AF_GATEWAY;
    return E_AF_NONE;
}

bool CHOIDev::WriteIPSettings(IPMode eMode, const QString &strIPAddr, const QString &strNetmask,
                              const QString &strGateway, bool bName, bool bAddr, bool bKeep)
{
    if (!AreAddressTexts({&strIPAddr, &strNetmask, &strGateway}))
        return false;
    // A name the device has not told yet is left out, not refused: the
    // addresses still go.
    if (m_bNameUnread)
        bName = false;
    if (bName && !CanWriteName(m_strName))
        return false;
    // Addresses that would leave the device unreachable are never sent. DHCP
    // and Auto IP take the mask from the network, so none may be given.
    if (bAddr && CheckIPv4Settings(strIPAddr, strNetmask, strGateway, eMode != E_IM_STATIC) != E_AF_NONE) {
        qWarning() << "refused address set:" << strIPAddr << strNetmask << strGateway;
        return false;
    }
    if (!EnsureConnected())
        return false;
    const QString strMode = IPModeWord(eMode);
    if (strMode.isEmpty())
        return false;

    if (bName)
        SendParamSetEncoded(QStringLiteral("name"), m_strName, false);
    if (bAddr && m_pComm) {
        m_pComm->WriteParam(QStringLiteral("ip_mode"), strMode);
        m_pComm->WriteParam(QStringLiteral("ipaddr"), strIPAddr);
        m_pComm->WriteParam(QStringLiteral("netmask"), strNetmask);
        m_pComm->WriteParam(QStringLiteral("gatewayip"), strGateway);
        m_pComm->SaveParam();
    }
    if (bKeep)
        KeepIPSettings(eMode, strIPAddr, strNetmask, strGateway);
    return true;
}

void CHOIDev::KeepIPSettings(IPMode eMode, const QString &strIPAddr, const QString &strNetmask,
                             const QString &strGateway)
{
    m_eIPMode = eMode;
    m_strIPAddr = strIPAddr;
    m_strNetmask = strNetmask;
    m_strGateway = strGateway;
}

bool CHOIDev::ApplyToDev(IPMode emNewIPMode, QString strNewIPAddr, QString strNewNetmask,
                         QString strNGatway, bool bKeep)
{
    // An IP controller's addresses go by ApplyToQN714IP1/2.
    return WriteIPSettings(emNewIPMode, strNewIPAddr, strNewNetmask, strNGatway, true,
                           m_eDevType != E_DT_QN714, bKeep);
}

bool CHOIDev::ApplyIPToDev(IPMode emNewIPMode, const QString &strNewIPAddr,
                           const QString &strNewNetmask, const QString &strNGatway, bool bKeep)
{
    return WriteIPSettings(emNewIPMode, strNewIPAddr, strNewNetmask, strNGatway, false, true, bKeep);
}

bool CHOIDev::SendQN714Addr(const QString &strKey, const QString &strIPAddr, const QString &strNetmask,
                            const QString &strGateway)
{
    if (!AreAddressTexts({&strIPAddr, &strNetmask, &strGateway}))
        return false;
    if (CheckIPv4Settings(strIPAddr, strNetmask, strGateway) != E_AF_NONE) {
        qWarning() << "refused controller address set:" << strIPAddr << strNetmask << strGateway;
        return false;
    }
    if (!EnsureConnected() || !m_pComm)
        return false;
    // The controller's own settings are written at once, outside the queue.
    const QString strLine = QStringLiteral("config set %1 %2 netmask %3 gateway %4")
                                .arg(strKey, strIPAddr, strNetmask, strGateway);
    return m_pComm->SendData(strLine.toLatin1(), true);
}

bool CHOIDev::ApplyToQN714IP1(QString strNewIPAddr, QString strNewNetmask, QString strNGatway)
{
    return SendQN714Addr(QStringLiteral("ip4addr"), strNewIPAddr, strNewNetmask, strNGatway);
}

bool CHOIDev::ApplyToQN714IP2(QString strNewIPAddr, QString strNewNetmask, QString strNGatway)
{
    return SendQN714Addr(QStringLiteral("ip4addr2"), strNewIPAddr, strNewNetmask, strNGatway);
}

bool CHOIDev::ApplyColorSpace(QString strValue)
{
    if (!EnsureConnected())
        return false;
    if (m_pComm) {
        m_pComm->WriteParam(QStringLiteral("fource_output_color_space"), strValue);
        m_pComm->SaveParam();
    }
    return true;
}

bool CHOIDev::ApplyPreviewSetting()
{
    return ApplyPreviewSetting(m_bPreviewEnable, m_nVideoQualityMode);
}

bool CHOIDev::ApplyPreviewSetting(bool bEnable, int nQualityMode)
{
    // No connection attempt: without a link nothing is queued.
    bool bQueued = m_pComm && m_pComm->WriteParam(QStringLiteral("preview_enable"), YesNo(bEnable));
    bQueued &= SendParamSetInt(QStringLiteral("ast_video_quality_mode"), nQualityMode, false);
    bQueued &= m_pComm && m_pComm->SaveParam();
    return bQueued;
}

T_VideoOutputSetting CHOIDev::GetVideoOutputSetting() const
{
    T_VideoOutputSetting setting;
    setting.bHdcpAlwaysOn = m_bHdcpAlwaysOn;
    setting.bHdcpAlwaysOn22 = m_bHdcpAlwaysOn22;
    setting.strTimingConvert = m_strOutputTimingConvert;
    setting.bTurnOffScreen = m_bTurnOffScreenOnPwrSave;
    setting.nSrcUnavailableTimeout = m_nSrcUnavailableTimeout;
    setting.nStretchType = m_nVwStretchType;
    setting.nRotate = m_nVwRotate;
    return setting;
}

void CHOIDev::SetVideoOutputSetting(const T_VideoOutputSetting &setting)
{
    m_bHdcpAlwaysOn = setting.bHdcpAlwaysOn;
    m_bHdcpAlwaysOn22 = setting.bHdcpAlwaysOn22;
    m_strOutputTimingConvert = setting.strTimingConvert;
    m_bTurnOffScreenOnPwrSave = setting.bTurnOffScreen;
    m_nSrcUnavailableTimeout = setting.nSrcUnavailableTimeout;
    m_nVwStretchType = setting.nStretchType;
    m_nVwRotate = setting.nRotate;
}

bool CHOIDev::ApplyVideoOutputSetting()
{
    return ApplyVideoOutputSetting(GetVideoOutputSetting());
}

bool CHOIDev::ApplyVideoOutputSetting(const T_VideoOutputSetting &setting)
{
    if (!EnsureConnected() || !m_pComm)
        return false;
    bool bQueued = m_pComm->WriteParam(QStringLiteral("hdcp_always_on"), YesNo(setting.bHdcpAlwaysOn));
    bQueued &= m_pComm->WriteParam(QStringLiteral("hdcp_always_on_22"), YesNo(setting.bHdcpAlwaysOn22));
    bQueued &= m_pComm->WriteParam(QStringLiteral("v_output_timing_convert"), setting.strTimingConvert);
    bQueued &= m_pComm->WriteParam(QStringLiteral("v_turn_off_screen_on_pwr_save"), YesNo(setting.bTurnOffScreen));
    bQueued &= SendParamSetInt(QStringLiteral("v_src_unavailable_timeout"), setting.nSrcUnavailableTimeout, false);
    bQueued &= SendEvent(QString::asprintf("e_vw_stretch_type_%d", setting.nStretchType));
    bQueued &= SendEvent(QString::asprintf("e_vw_rotate_%d", setting.nRotate));
    bQueued &= SaveParam();
    return bQueued;
}

bool CHOIDev::ApplyVideoInput(const QString &strInput, QString strSecond, const QString &strThird,
                              bool bConnect, bool bKeep)
{
    if ((bConnect && !EnsureConnected()) || !m_pComm)
        return false;
    const QString strText = VideoInputText(strInput, strSecond, strThird);
    if (bKeep)
        m_strVideoInput = strText;

    const T_ProdIdInfo *pProd = m_pOwner ? m_pOwner->GetProdIdInfo(this) : nullptr;
    const bool bOldApi = pProd ? pProd->old_api : m_bOldApi;
    const QString strValue = bOldApi ? strText
                                     : QStringLiteral("%1 %2:%3")
                                           .arg(QString::number(GetHostIndex()), GetMacId(), strText);
    return m_pComm->SetOption(QStringLiteral("vi"), strValue, QString());
}

void CHOIDev::KeepVideoInput(const QString &strInput, const QString &strSecond, const QString &strThird)
{
    m_strVideoInput = VideoInputText(strInput, strSecond, strThird);
}

bool CHOIDev::ApplyOutputDip(const QString &strInputName, bool bConnect)
{
    const QString strText = QStringLiteral("%1=%2").arg(QStringLiteral("--output-dip"),
                                                         T_ProdIdInfo::VideoInputName2Code(strInputName));
    if ((bConnect && !EnsureConnected()) || !m_pComm)
        return false;
    return m_pComm->SendConfig(strText);
}

bool CHOIDev::ApplyHdcpEnable(bool bOn, int nConnect, bool bKeep)
{
    if (!SetOptionValue(E_EP_HDCP_ENABLE, bOn, nConnect != 0, bKeep))
        return false;
    m_bHdcpChanged = true;
    return true;
}

void CHOIDev::KeepHdcpEnable(bool bOn)
{
    KeepOptionValue(E_EP_HDCP_ENABLE, bOn);
    m_bHdcpEnable = bOn;
}

// The link for lines that go at once: connected already, or brought up now.
CBaseComm *CHOIDev::LiveLink()
{
    if (!(m_pComm && m_pComm->IsConnected()) && !EnsureConnected())
        return nullptr;
    return m_pComm;
}

const char CHOIDev::kResetLine[] = "reset_to_default.sh";
const char CHOIDev::kRebootLine[] = "reboot";

bool CHOIDev::ResetDefault()
{
    CBaseComm *pComm = LiveLink();
    if (!pComm || !pComm->PushSendData(QByteArray(kResetLine), true))
        return false;
    return pComm->PushSendData(QByteArray(kRebootLine), true);
}

bool CHOIDev::ResetEdid()
{
    CBaseComm *pComm = LiveLink();
    return pComm
           && pComm->PushSendData(
               QByteArrayLiteral("cat /sys/devices/platform/display/default_edid_hdmi > "
                                 "/sys/devices/platform/videoip/eeprom_content"),
               true);
}

bool CHOIDev::Reboot()
{
    CBaseComm *pComm = LiveLink();
    return pComm && pComm->PushSendData(QByteArrayLiteral("(sleep 1; reboot) &"), true);
}

bool CHOIDev::QN714Reboot()
{
    CBaseComm *pComm = LiveLink();
    return pComm && pComm->SendData(QByteArrayLiteral("config set reboot"), true);
}
