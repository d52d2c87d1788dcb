// CHOIDev: replies recognised by the link, stored into the cached fields.
// Device text is untrusted: a reply that is short or malformed changes
// nothing.

#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QHostAddress>
#include <QUrl>

#include <optional>

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

// The IPv4 addresses of one controller port's setting text; each is empty
// where the text holds none.
struct T_PortAddresses
{
    QString addr;
    QString mask;
    QString gw;
};

T_PortAddresses ControllerAddresses(const QString &strText)
{
    T_PortAddresses port;
    SplitControllerSetting(strText, &port.addr, &port.mask, &port.gw);
    port.addr = LeadingAddress(port.addr);
    port.mask = LeadingAddress(port.mask);
    port.gw = LeadingAddress(port.gw);
    return port;
}

// A reply without an address leaves the one known before.
void KeepAddress(QString &field, const QString &strAddr)
{
    if (!strAddr.isEmpty())
        field = strAddr;
}

// Replies that fill one cached field as they come, with what a failed read
// leaves there.
struct T_TextReply
{
    const char *name;
    QString CHOIDev::*field;
    const char *onFailure; // null: kept; empty: cleared
};

const T_TextReply kTextReplies[] = {
    {"sinkinfo", &CHOIDev::m_strSinkInfo, ""},
    {"ipaddr", &CHOIDev::m_strIPAddr, nullptr},
    {"config get ipsetting", &CHOIDev::m_strIPAddr, nullptr},
    {"config get ipsetting2", &CHOIDev::m_strIPAddr2, nullptr},
    {"netmask", &CHOIDev::m_strNetmask, nullptr},
    {"gatewayip", &CHOIDev::m_strGateway, nullptr},
    {"ethaddr", &CHOIDev::m_strEthAddr, nullptr},
    {"ch_select", &CHOIDev::m_strChSelect, nullptr},
    {"multicast_ip", &CHOIDev::m_strMulticastIP, nullptr},
    {"cat /etc/version", &CHOIDev::m_strVersion, nullptr},
    {"config get version", &CHOIDev::m_strVersion, nullptr},
    {"user_audio_mode", &CHOIDev::m_strUserAudioMode, nullptr},
    {"vi", &CHOIDev::m_strVideoInput, nullptr},
    {"ai", &CHOIDev::m_strAudioInput, nullptr},
    {"vo", &CHOIDev::m_strVideoOutput, nullptr},
    {"--show --max-enc-res", &CHOIDev::m_strMaxResolution, nullptr},
    {"--png-overlay-pos-h", &CHOIDev::m_strOverlayPosH, nullptr},
    {"--png-overlay-pos-v", &CHOIDev::m_strOverlayPosV, nullptr},
    {"v_output_timing_convert", &CHOIDev::m_strOutputTimingConvert, "0"},
    {"s0_baudrate", &CHOIDev::m_strS0Baudrate, "115200-8n1"},
};

// "y" sets the flag, anything else clears it.
struct T_FlagReply
{
    const char *name;
    bool CHOIDev::*field;
    bool bClearOnFailure;
};

const T_FlagReply kFlagReplies[] = {
    {"--hdcp-enable", &CHOIDev::m_bHdcpEnable, false},
    {"hdcp_always_on", &CHOIDev::m_bHdcpAlwaysOn, true},
    {"hdcp_always_on_22", &CHOIDev::m_bHdcpAlwaysOn22, true},
    {"v_turn_off_screen_on_pwr_save", &CHOIDev::m_bTurnOffScreenOnPwrSave, true},
};

struct T_NumberReply
{
    const char *name;
    int CHOIDev::*field;
    bool bUnsigned; // a negative reply reads as 0
    std::optional<int> onFailure; // none: kept
};

const T_NumberReply kNumberReplies[] = {
    {"ast_video_quality_mode", &CHOIDev::m_nVideoQualityMode, false, std::nullopt},
    {"v_src_unavailable_timeout", &CHOIDev::m_nSrcUnavailableTimeout, false, 10000},
    {"soip_type2_token_timeout", &CHOIDev::m_nSoipType2TokenTimeout, true, 1},
    {"vw_stretch_type", &CHOIDev::m_nVwStretchType, true, 2},
    {"vw_rotate", &CHOIDev::m_nVwRotate, true, 0},
};

template <typename T, size_t N>
const T *FindReply(const T (&table)[N], const QByteArray &name)
{
    for (const T &entry : table) {
        if (name == entry.name)
            return &entry;
    }
    return nullptr;
}

} // namespace

void CHOIDev::slotOnReadParam(QByteArray strParamName, QByteArray strParamValue, E_CommResult eResult)
{
    LinkLog(tr("'%1' read param name='%2', value='%3'")
                .arg(GetDefaultName(), QString::fromUtf8(strParamName), QString::fromUtf8(strParamValue)));

    if (eResult != 0) {
        ForgetParam(strParamName);
        emit OnReadParam(this, strParamName, strParamValue, eResult);
        return;
    }

    const QString value = QString::fromUtf8(strParamValue);
    if (!StoreFieldParam(strParamName, value) && !StoreIdentityParam(strParamName, strParamValue)
        && !StoreVideoParam(strParamName, value) && !EmitSettingsParam(strParamName, value)) {
        const QVariant v = T_ProdIdInfo::ParseParamLine(strParamName, strParamValue.trimmed());
        if (!v.isNull())
            m_mapOptions.insert(QString::fromUtf8(strParamName), v);
    }

    emit OnReadParam(this, strParamName, strParamValue, E_CommResult(0));
}

// A failed read puts the field back to what a device that never answered
// would show.
void CHOIDev::ForgetParam(const QByteArray &name)
{
    if (name == "name") {
        m_bNameUnread = false; // answered: the device has none
        if (!m_strName.isEmpty()) {
            m_strName.clear();
            emit OnNameChanged(this);
        }
        return;
    }
    if (name == "scene") {
        m_strScene.clear();
        return;
    }
    if (name == "edid") {
        m_strEdid.clear();
        return;
    }
    if (const T_TextReply *pText = FindReply(kTextReplies, name)) {
        if (pText->onFailure)
            this->*pText->field = *pText->onFailure ? QString::fromLatin1(pText->onFailure) : QString();
    } else if (const T_FlagReply *pFlag = FindReply(kFlagReplies, name)) {
        if (pFlag->bClearOnFailure)
            this->*pFlag->field = false;
    } else if (const T_NumberReply *pNumber = FindReply(kNumberReplies, name)) {
        if (pNumber->onFailure)
            this->*pNumber->field = *pNumber->onFailure;
    }
}

bool CHOIDev::StoreFieldParam(const QByteArray &name, const QString &value)
{
    if (const T_TextReply *pText = FindReply(kTextReplies, name)) {
        this->*pText->field = value;
    } else if (const T_FlagReply *pFlag = FindReply(kFlagReplies, name)) {
        this->*pFlag->field = (value == QLatin1String("y"));
    } else if (const T_NumberReply *pNumber = FindReply(kNumberReplies, name)) {
        const QString number = value.trimmed();
        this->*pNumber->field = pNumber->bUnsigned ? int(number.toUInt()) : number.toInt();
    } else {
        return false;
    }
    return true;
}

// The alias, the host name and the address mode, checked or decoded first.
bool CHOIDev::StoreIdentityParam(const QByteArray &name, const QByteArray &rawValue)
{
    const QString value = QString::fromUtf8(rawValue);
    if (name == "name") {
        m_bNameUnread = false;
        const QString alias = Decoded(rawValue);
        if (alias != m_strName) {
            m_strName = alias;
            emit OnNameChanged(this);
        }
    } else if (name == "scene") {
        m_strScene = Decoded(rawValue);
    } else if (name == "ip_mode") {
        if (value == QLatin1String("dhcp"))
            m_eIPMode = E_IM_DHCP;
        else if (value == QLatin1String("static"))
            m_eIPMode = E_IM_STATIC;
        else
            m_eIPMode = E_IM_AUTOIP;
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
    } else {
        return false;
    }
    return true;
}

// Video replies whose text is translated before it is kept.
bool CHOIDev::StoreVideoParam(const QByteArray &name, const QString &value)
{
    if (name == "preview_enable") {
        m_bPreviewEnable = (value != QLatin1String("n"));
    } else if (name == "fvo" || name == "fvo CVBS" || name == "fvo VGA" || name == "fvo DVI-D"
               || name == "fvo YPbPr") {
        StoreResolution(value);
    } else if (name == "--output-dip") {
        const QString input = T_ProdIdInfo::VideoInputCode2Name(value.trimmed());
        if (!input.isEmpty())
            m_strOutputDip = input;
    } else if (name == "--hw-dip-enable") {
        m_nHwDipEnable = (value == QLatin1String("n")) ? 0 : 1;
    } else if (name == "edid") {
        const int i = value.indexOf(QLatin1String("EDID:"), 1, Qt::CaseInsensitive);
        m_strEdid = (i >= 1) ? value.mid(i + 5) : value;
    } else if (name == "--low-delay" || name == "gbconfig -s -l") {
        const QString v = value.trimmed();
        if (v == QLatin1String("y"))
            m_strVoMode = QStringLiteral("low delay");
        else if (v == QLatin1String("n"))
            m_strVoMode = QStringLiteral("high quality video");
        else
            m_strVoMode.clear();
    } else if (name == "fource_output_color_space") {
        m_strColorSpace = value.toUpper();
    } else {
        return false;
    }
    return true;
}

// Settings the windows show as the device reports them; nothing is kept.
bool CHOIDev::EmitSettingsParam(const QByteArray &name, const QString &value)
{
    if (name == "--line-out=1 --mute")
        emit OnGetMuteSettings(value);
    else if (name == "--background-image-display")
        emit OnGetMapSettings(value);
    else if (name == "--png-overlay-enable")
        emit OnGetOverlaySettings(value);
    else if (name == "--osd-display" || name == "--osd-display-method")
        emit OnGetOSDSettings(value);
    else if (name == "--delay-play" || name == "--audio-delay")
        emit OnGetAudioDelaySettings(value);
    else
        return false;
    return true;
}

// "<port>.<resolution>" as the link joins an "fvo" read.
void CHOIDev::StoreResolution(const QString &value)
{
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
    const T_PortAddresses port = ControllerAddresses(text.mid(i + kKey.size() + 1));
    KeepAddress(m_strNetmask, port.mask);
    KeepAddress(m_strGateway, port.gw);
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
    const T_PortAddresses port = ControllerAddresses(text.mid(kKey.size() + 1));
    KeepAddress(m_strIPAddr2, port.addr);
    KeepAddress(m_strNetmask2, port.mask);
    KeepAddress(m_strGateway2, port.gw);
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
