// CHOIDev: replies recognised by the link, stored into the cached fields.
// Device text is untrusted: a reply that is short or malformed changes
// nothing.

#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QHostAddress>
#include <QUrl>

#include "hoi_core/basecomm.h"
#include "hoi_core/hoidevmgr.h"

namespace {

QString Decoded(const QByteArray &value)
{
    return QUrl::fromPercentEncoding(value);
}

QString CmdWithoutCrLf(const QByteArray &strCmd)
{
    QByteArray text = strCmd;
    text.replace("\r\n", "");
    return QString::fromUtf8(text);
}

// The IPv4 address at the start of a reply field ("192.168.1.1/ # " gives
// the address); empty when it is none.
QString LeadingAddress(const QString &strField)
{
    const QString t = strField.trimmed();
    int n = 0;
    while (n < t.size() && (t.at(n).isDigit() || t.at(n) == QLatin1Char('.')))
        ++n;
    const QString addr = t.left(n);
    return QHostAddress(addr).protocol() == QAbstractSocket::IPv4Protocol ? addr : QString();
}

// The text after an echoed command, joined into one line, up to the next
// prompt; null when there is no prompt yet.
QString ShellValueAfter(const QByteArray &strCmd, const QByteArray &echo)
{
    const int i = strCmd.indexOf(echo);
    if (i < 0)
        return QString();
    QByteArray rest = strCmd.mid(i + echo.size());
    rest.replace("\r\n", "");
    const int p = rest.indexOf("/ #");
    if (p < 0)
        return QString();
    return QString::fromUtf8(rest.left(p)).trimmed();
}

// Address, netmask and gateway of one "ip4addr A netmask M gateway G" text.
void SplitControllerSetting(const QString &strText, QString *pAddr, QString *pMask, QString *pGw)
{
    const int n = strText.indexOf(QLatin1String("netmask"));
    const int g = strText.indexOf(QLatin1String("gateway"));
    if (n < 0) {
        *pAddr = strText;
        return;
    }
    *pAddr = strText.left(qMax(0, n - 1));
    if (g < 0 || g < n) {
        *pMask = strText.mid(n + 8);
        return;
    }
    *pMask = strText.mid(n + 8, qMax(0, g - 1 - (n + 8)));
    *pGw = strText.mid(g + 8);
}

} // namespace

void CHOIDev::slotOnReadParam(QByteArray strParamName, QByteArray strParamValue, E_CommResult eResult)
{
    emit OnProgressLog(tr("'%1' read param name='%2', value='%3'")
                           .arg(GetDefaultName(), QString::fromUtf8(strParamName),
                                QString::fromUtf8(strParamValue)));

    const QByteArray &name = strParamName;
    const QString value = QString::fromUtf8(strParamValue);

    if (eResult != 0) {
        if (name == "scene") {
            m_strScene.clear();
        } else if (name == "name") {
            if (!m_strName.isEmpty()) {
                m_strName.clear();
                emit OnNameChanged(this);
            }
        } else if (name == "sinkinfo") {
            m_strSinkInfo.clear();
        } else if (name == "edid") {
            m_strEdid.clear();
        } else if (name == "hdcp_always_on") {
            m_bHdcpAlwaysOn = false;
        } else if (name == "hdcp_always_on_22") {
            m_bHdcpAlwaysOn22 = false;
        } else if (name == "v_turn_off_screen_on_pwr_save") {
            m_bTurnOffScreenOnPwrSave = false;
        } else if (name == "v_output_timing_convert") {
            m_strOutputTimingConvert = QStringLiteral("0");
        } else if (name == "v_src_unavailable_timeout") {
            m_nSrcUnavailableTimeout = 10000;
        } else if (name == "s0_baudrate") {
            m_strS0Baudrate = QStringLiteral("115200-8n1");
        } else if (name == "soip_type2_token_timeout") {
            m_nSoipType2TokenTimeout = 1;
        } else if (name == "vw_stretch_type") {
            m_nVwStretchType = 2;
        } else if (name == "vw_rotate") {
            m_nVwRotate = 0;
        }
        emit OnReadParam(this, strParamName, strParamValue, eResult);
        return;
    }

    if (name == "name") {
        const QString alias = Decoded(strParamValue);
        if (alias != m_strName) {
            m_strName = alias;
            emit OnNameChanged(this);
        }
    } else if (name == "sinkinfo") {
        m_strSinkInfo = value;
    } else if (name == "ip_mode") {
        if (value == QLatin1String("dhcp"))
            m_eIPMode = E_IM_DHCP;
        else if (value == QLatin1String("static"))
            m_eIPMode = E_IM_STATIC;
        else
            m_eIPMode = E_IM_AUTOIP;
    } else if (name == "ipaddr" || name == "config get ipsetting") {
        m_strIPAddr = value;
    } else if (name == "config get ipsetting2") {
        m_strIPAddr2 = value;
    } else if (name == "netmask") {
        m_strNetmask = value;
    } else if (name == "gatewayip") {
        m_strGateway = value;
    } else if (name == "ethaddr") {
        m_strEthAddr = value;
    } else if (name == "hostname_id") {
        if (IsValidHostId(value))
            m_strHostId = value;
        else
            qWarning() << GetDisplayName() << "reported the host id" << value << "which is refused";
    } else if (name == "hostname") {
        if (IsValidHostName(value))
            m_strHostName = value;
        else
            qWarning() << GetDisplayName() << "reported the host name" << value << "which is refused";
    } else if (name == "ch_select") {
        m_strChSelect = value;
    } else if (name == "multicast_ip") {
        m_strMulticastIP = value;
    } else if (name == "cat /etc/version" || name == "config get version") {
        m_strVersion = value;
    } else if (name == "preview_enable") {
        m_bPreviewEnable = (value != QLatin1String("n"));
    } else if (name == "ast_video_quality_mode") {
        m_nVideoQualityMode = value.trimmed().toInt();
    } else if (name == "user_audio_mode") {
        m_strUserAudioMode = value;
    } else if (name == "scene") {
        m_strScene = Decoded(strParamValue);
    } else if (name == "vi") {
        m_strVideoInput = value;
    } else if (name == "ai") {
        m_strAudioInput = value;
    } else if (name == "vo") {
        m_strVideoOutput = value;
    } else if (name == "fvo" || name == "fvo CVBS" || name == "fvo VGA" || name == "fvo DVI-D"
               || name == "fvo YPbPr") {
        StoreResolution(strParamValue);
    } else if (name == "--output-dip") {
        const QString code = value.trimmed();
        if (code == QLatin1String("000"))
            m_strOutputDip = QStringLiteral("HDMI");
        else if (code == QLatin1String("100"))
            m_strOutputDip = QStringLiteral("CVBS");
        else if (code == QLatin1String("010"))
            m_strOutputDip = QStringLiteral("VGA");
        else if (code == QLatin1String("001"))
            m_strOutputDip = QStringLiteral("DVI-D");
        else if (code == QLatin1String("011"))
            m_strOutputDip = QStringLiteral("YPbPr");
    } else if (name == "--hw-dip-enable") {
        m_nHwDipEnable = (value == QLatin1String("n")) ? 0 : 1;
    } else if (name == "edid") {
        const int i = value.indexOf(QLatin1String("EDID:"), 1, Qt::CaseInsensitive);
        m_strEdid = (i >= 1) ? value.mid(i + 5) : value;
    } else if (name == "--line-out=1 --mute") {
        emit OnGetMuteSettings(value);
    } else if (name == "--background-image-display") {
        emit OnGetMapSettings(value);
    } else if (name == "--png-overlay-enable") {
        emit OnGetOverlaySettings(value);
    } else if (name == "--osd-display" || name == "--osd-display-method") {
        emit OnGetOSDSettings(value);
    } else if (name == "--delay-play" || name == "--audio-delay") {
        emit OnGetAudioDelaySettings(value);
    } else if (name == "--low-delay" || name == "gbconfig -s -l") {
        const QString v = value.trimmed();
        if (v == QLatin1String("y"))
            m_strVoMode = QStringLiteral("low delay");
        else if (v == QLatin1String("n"))
            m_strVoMode = QStringLiteral("high quality video");
        else
            m_strVoMode.clear();
    } else if (name == "--show --max-enc-res") {
        m_strMaxResolution = value;
    } else if (name == "--png-overlay-pos-h") {
        m_strOverlayPosH = value;
    } else if (name == "--png-overlay-pos-v") {
        m_strOverlayPosV = value;
    } else if (name == "fource_output_color_space") {
        m_strColorSpace = value.toUpper();
    } else if (name == "--hdcp-enable") {
        m_bHdcpEnable = (value == QLatin1String("y"));
    } else if (name == "hdcp_always_on") {
        m_bHdcpAlwaysOn = (value == QLatin1String("y"));
    } else if (name == "hdcp_always_on_22") {
        m_bHdcpAlwaysOn22 = (value == QLatin1String("y"));
    } else if (name == "v_turn_off_screen_on_pwr_save") {
        m_bTurnOffScreenOnPwrSave = (value == QLatin1String("y"));
    } else if (name == "v_output_timing_convert") {
        m_strOutputTimingConvert = value;
    } else if (name == "v_src_unavailable_timeout") {
        m_nSrcUnavailableTimeout = value.trimmed().toInt();
    } else if (name == "s0_baudrate") {
        m_strS0Baudrate = value;
    } else if (name == "soip_type2_token_timeout") {
        m_nSoipType2TokenTimeout = int(value.trimmed().toUInt());
    } else if (name == "vw_stretch_type") {
        m_nVwStretchType = int(value.trimmed().toUInt());
    } else if (name == "vw_rotate") {
        m_nVwRotate = int(value.trimmed().toUInt());
    } else {
        const QVariant v = T_ProdIdInfo::ParseParamLine(strParamName, strParamValue.trimmed());
        if (!v.isNull())
            m_mapOptions.insert(QString::fromUtf8(strParamName), v);
    }

    emit OnReadParam(this, strParamName, strParamValue, E_CommResult(0));
}

// "<port>.<resolution>" as the link joins an "fvo" read.
void CHOIDev::StoreResolution(const QByteArray &strValue)
{
    const QString value = QString::fromUtf8(strValue);
    const int dot = value.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return;
    const QString port = value.left(dot);
    const QString res = value.mid(dot + 1);
    if (port.isEmpty() || port == QLatin1String("HDMI")) {
        m_strForceResolution = res;
        m_strHdmiResolution = res;
    } else if (port == QLatin1String("CVBS")) {
        m_strCvbsResolution = res;
    } else if (port == QLatin1String("VGA")) {
        m_strVgaResolution = res;
        m_strMultiScreenVgaResolution = res;
    } else if (port == QLatin1String("DVI-D")) {
        m_strDviDResolution = res;
    } else if (port == QLatin1String("YPbPr")) {
        m_strYPbPrResolution = res;
    }
}

void CHOIDev::slotOnGetMuteStatus(QByteArray strCmd)
{
    emit OnGetMuteSettings(QString::fromUtf8(strCmd));
}

void CHOIDev::slotOnGetDueGeteway(QByteArray strCmd)
{
    const QString gw =
        ShellValueAfter(strCmd, QByteArrayLiteral("route -n | grep UG | awk '{print $2}'"));
    if (!gw.isEmpty() && !QHostAddress(gw).isNull())
        m_strGateway = gw;
}

void CHOIDev::slotOnGetDueMasknet(QByteArray strCmd)
{
    const QString mask = ShellValueAfter(
        strCmd, QByteArrayLiteral("ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'"));
    if (!mask.isEmpty() && !QHostAddress(mask).isNull())
        m_strNetmask = mask;
}

void CHOIDev::slotOnGetIPMMultiView(QByteArray strCmd)
{
    if (!strCmd.contains("/ # multiview get"))
        return;
    const int first = strCmd.indexOf("\r\n");
    if (first < 0)
        return;
    QByteArray text = strCmd.mid(first + 2);
    const int m = text.indexOf("multiview ");
    if (m >= 0)
        text = text.mid(m + 10);
    const int p = text.indexOf("\r\n");
    if (p < 0)
        return; // the line has not ended yet
    // The device ends the window list with a blank before the line end.
    m_strIPMMultiView = p > 0 ? QString::fromUtf8(text.left(p - 1)) : QString();
}

void CHOIDev::slotOnGetStreamIP(QByteArray strCmd)
{
    if (!strCmd.contains("/ # cat /var/tmpfs/streamip"))
        return;
    const int first = strCmd.indexOf("\r\n");
    QByteArray text = first >= 0 ? strCmd.mid(first + 2) : QByteArray();
    const int end = text.indexOf("\r\n/ #");
    text = end >= 0 ? text.left(end) : QByteArray();
    if (text.contains("video IP address")) {
        m_strVideoIP = QString::fromUtf8(text);
        m_strAudioIP = m_strVideoIP;
    } else {
        m_strVideoIP.clear();
        m_strAudioIP.clear();
    }
}

void CHOIDev::slotOnGetQN714IP(QByteArray strCmd)
{
    static const QString kKey = QStringLiteral("ipsetting is:ip4addr");
    QString text = CmdWithoutCrLf(strCmd);
    const int i = text.indexOf(kKey);
    if (i < 0)
        return;
    const int j = text.indexOf(QLatin1String("ipsetting2 is:ip4addr"));
    if (j > i)
        text = text.left(j);
    text = text.mid(i + kKey.size() + 1);
    QString addr, mask, gw;
    SplitControllerSetting(text, &addr, &mask, &gw);
    mask = LeadingAddress(mask);
    gw = LeadingAddress(gw);
    if (!mask.isEmpty())
        m_strNetmask = mask;
    if (!gw.isEmpty())
        m_strGateway = gw;
}

void CHOIDev::slotOnGetQN714IP2(QByteArray strCmd)
{
    static const QString kKey = QStringLiteral("ipsetting2 is:ip4addr");
    QString text = CmdWithoutCrLf(strCmd);
    const int i = text.indexOf(kKey);
    if (i < 0)
        return;
    text = text.mid(i);
    const int v = text.indexOf(QLatin1String("API version:"));
    if (v >= 0)
        text = text.left(v);
    text = text.mid(kKey.size() + 1);
    QString addr, mask, gw;
    SplitControllerSetting(text, &addr, &mask, &gw);
    addr = LeadingAddress(addr);
    mask = LeadingAddress(mask);
    gw = LeadingAddress(gw);
    if (!addr.isEmpty())
        m_strIPAddr2 = addr;
    if (!mask.isEmpty())
        m_strNetmask2 = mask;
    if (!gw.isEmpty())
        m_strGateway2 = gw;
}

void CHOIDev::slotOnGetQN714Version(QByteArray strCmd)
{
    static const QByteArray kApi = QByteArrayLiteral("API version:");
    static const QByteArray kSystem = QByteArrayLiteral("System version:");
    const int i = strCmd.indexOf(kApi);
    if (i < 0)
        return;
    const QByteArray text = strCmd.mid(i + kApi.size() + 1);
    QString api, system;
    const int s = text.indexOf(kSystem);
    if (s >= 0) {
        api = CmdWithoutCrLf(text.left(s)).trimmed();
        // The system version ends with its line; joined with the next lines
        // it would run on into the prompt.
        QByteArray rest = text.mid(s + kSystem.size() + 1);
        const int eol = rest.indexOf("\r\n");
        if (eol >= 0)
            rest.truncate(eol);
        const int prompt = rest.indexOf("/ #");
        if (prompt >= 0)
            rest.truncate(prompt);
        system = QString::fromUtf8(rest).trimmed();
    }
    if (api.isEmpty() && system.isEmpty()) {
        m_strVersion.clear();
        return;
    }
    m_strVersion = api + QLatin1Char('/') + system;
    if (m_pOwner)
        emit m_pOwner->signalFoundQN714(this);
    if (m_pComm)
        m_pComm->AbortConnect();
}

void CHOIDev::slotOnGetSinkPower(QByteArray strCmd)
{
    QByteArray text = strCmd;
    text.replace("\r\n", "");
    text.replace(" ", "");
    if (text.isEmpty())
        return;
    const char last = text.at(text.size() - 1);
    if (last < '0' || last > '9')
        return;
    m_nSinkPowerMode = last - '0';
}

bool CHOIDev::GetVolParam(int nPortType, int nPortIndex, T_VolParam *pVolParam) const
{
    const QVariant v = m_mapOptions.value(T_ProdIdInfo::AudioPortOption(nPortType, nPortIndex));
    if (v.userType() == qMetaTypeId<T_VolParam>()) {
        if (pVolParam)
            *pVolParam = v.value<T_VolParam>();
        return true;
    }
    if (pVolParam)
        *pVolParam = T_VolParam();
    return false;
}

bool CHOIDev::AddIpcInfo(T_IpcInfo *pInfo)
{
    m_listIpcInfo.append(pInfo);
    return true;
}

void CHOIDev::SetIPMLayoutWindows(const QString &strLayout, const QString &strWindows)
{
    m_mapIPMLayoutWindows.insert(strLayout, strWindows);
}

void CHOIDev::SetIPMLayoutAudio(const QString &strLayout, const QString &strMode,
                                const QString &strSource)
{
    T_IpmAudioInfo info;
    info.mode = strMode;
    info.source = strSource;
    m_mapIPMLayoutAudio.insert(strLayout, info);
}

void CHOIDev::SetIPMLayoutAudio(const QString &strLayout, T_IpmAudioInfo info)
{
    m_mapIPMLayoutAudio.insert(strLayout, info);
}

void CHOIDev::AddIPMLayout(const QString &strLayout, int nSequence)
{
    T_IpmLayoutSeq seq;
    seq.layout_name = strLayout;
    seq.sequence = nSequence;
    m_listIPMLayoutSeq.append(seq);
}

void CHOIDev::SortIPMLayoutList()
{
    // Each later entry with a smaller sequence moves up to the current place.
    for (int i = 0; i < m_listIPMLayoutSeq.size(); ++i) {
        for (int j = i + 1; j < m_listIPMLayoutSeq.size(); ++j) {
            if (m_listIPMLayoutSeq.at(j).sequence < m_listIPMLayoutSeq.at(i).sequence)
                m_listIPMLayoutSeq.move(j, i);
        }
    }
}

QList<T_IpmLayoutSeq> CHOIDev::GetSortedLayoutList()
{
    SortIPMLayoutList();
    return m_listIPMLayoutSeq;
}
