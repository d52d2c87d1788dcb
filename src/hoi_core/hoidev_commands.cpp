// CHOIDev: the command senders. Each forms one shell line and queues it on the
// device's link; the end of the queue is reported by OnCmdCompleted.

#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QUrl>

#include "hoi_core/appservices.h"
#include "hoi_core/basecomm.h"

namespace {

// Operator text placed unquoted as a script's last arguments: the blank stays
// the separator that splits it into the script's words; every other ASCII
// character the shell could act on gets a backslash (a backslash before a
// plain character is harmless). A character the Latin-1 line cannot hold
// arrives as '?', a pattern character, so it is escaped too.
QString EscapeShellWords(const QString &strText)
{
    static const QString kSafe = QStringLiteral(" _-.,:/@+=%");
    QString out;
    out.reserve(strText.size() * 2);
    for (const QChar ch : strText) {
        const ushort u = ch.unicode();
        if ((u < 0x80 && !ch.isLetterOrNumber() && !kSafe.contains(ch)) || u > 0xFF)
            out += QLatin1Char('\\');
        out += ch;
    }
    return out;
}

// A line break would split the command and desynchronise the prompt-driven
// queue.
bool HasLineBreak(const QString &strText, const char *pWhat)
{
    if (strText.contains(QLatin1Char('\r')) || strText.contains(QLatin1Char('\n'))) {
        qWarning() << "refused" << pWhat << "holding a line break:" << strText;
        return true;
    }
    return false;
}

// Characters a name may keep unencoded: none of them means anything to the
// shell or to the device's decoder.
const QByteArray kEncodedKeep = QByteArrayLiteral(":/@+,=");
// Unreserved in a URL, but the shell expands it at the start of a word.
const QByteArray kEncodedForce = QByteArrayLiteral("~");

QString ShowArgs(const char *pOption)
{
    return QStringLiteral("--show ") + QLatin1String(pOption);
}

// "<option>=y" or "<option>=n".
QString SwitchArgs(const char *pOption, bool bOn)
{
    return QLatin1String(pOption) + QLatin1Char('=') + YesNo(bOn);
}

bool VariantToBool(const QVariant &value)
{
    if (value.userType() == QMetaType::QString || value.userType() == QMetaType::QByteArray)
        return StrToBool(value.toString(), false);
    return value.toBool();
}

int VariantToFpsMode(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<E_FPSMode>())
        return value.value<E_FPSMode>();
    if (value.userType() == QMetaType::QString || value.userType() == QMetaType::QByteArray)
        return T_ProdIdInfo::FPSName2Mode(value.toString());
    return value.toInt();
}

int VariantToTransport(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<E_TrasportType>())
        return value.value<E_TrasportType>();
    if (value.userType() == QMetaType::QString || value.userType() == QMetaType::QByteArray)
        return T_ProdIdInfo::TrasportName2Type(value.toString());
    return value.toInt();
}

// The configuration line that sets one encoder parameter; empty for one that
// is not sent this way.
QString OptionLine(int nOptionId, const QString &strOption, const QVariant &value)
{
    switch (T_ProdIdInfo::EncParamValueType(nOptionId)) {
    case E_EPV_FLAG:
        return QStringLiteral("%1=%2").arg(strOption, YesNo(VariantToBool(value)));
    case E_EPV_RC_MODE:
        return QStringLiteral("%1=%2").arg(strOption,
                                           T_ProdIdInfo::FPSMode2Name(VariantToFpsMode(value)));
    case E_EPV_NUMBER:
        return QStringLiteral("%1=%2").arg(strOption).arg(value.toInt());
    case E_EPV_TRANSPORT:
        return QStringLiteral("%1=%2").arg(
            strOption, T_ProdIdInfo::TrasportType2Name(VariantToTransport(value)));
    case E_EPV_TEXT:
        break;
    }
    switch (nOptionId) {
    case E_EP_SUPPRESSOR_RESET:
        return strOption;
    case E_EP_LOW_DELAY:
        return QStringLiteral("%1 %2").arg(strOption, YesNo(VariantToBool(value)));
    case E_EP_PNG_OVERLAY_POS_H:
    case E_EP_PNG_OVERLAY_POS_V:
        return QStringLiteral("%1 %2").arg(strOption).arg(value.toInt());
    case E_EP_HW_DIP_ENABLE:
        return QStringLiteral("%1=%2").arg(strOption, value.toString());
    default:
        // The output selector is sent by ApplyOutputDip; only the value is kept.
        return QString();
    }
}

} // namespace

QString CHOIDev::QuoteForShell(const QString &strText)
{
    QString out;
    out.reserve(strText.size() + 8);
    for (const QChar ch : strText) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char('"') || ch == QLatin1Char('$')
            || ch == QLatin1Char('`'))
            out += QLatin1Char('\\');
        out += ch;
    }
    return out;
}

// Lines every sender queues through the plain UTF-8 builder; the connection
// is required.
bool CHOIDev::QueueLine(const QString &strLine, bool bConnect)
{
    if (HasLineBreak(strLine, "command"))
        return false;
    CBaseComm *pComm = QueueLink(bConnect);
    return pComm && pComm->SendCmd(strLine);
}

bool CHOIDev::ParamSet(const QString &strName, const QString &strValue, bool bConnect)
{
    if (HasLineBreak(strName, "parameter name") || HasLineBreak(strValue, "parameter value"))
        return false;
    if (strName == QLatin1String("name") && !CanWriteName(strValue))
        return false;
    CBaseComm *pComm = QueueLink(bConnect);
    return pComm && pComm->WriteParam(strName, strValue);
}

bool CHOIDev::CanWriteName(const QString &strName) const
{
    // All the console could write is its default name, over the stored one.
    if (m_bNameUnread)
        return false;
    if (!strName.isEmpty())
        return true;
    qWarning() << "refused an empty name for" << m_strHostName;
    return false;
}

bool CHOIDev::SendParamSet(const QString &strName, const QString &strValue, bool bConnect)
{
    return ParamSet(strName, strValue, bConnect);
}

bool CHOIDev::SendParamSetInt(const QString &strName, int nValue, bool bConnect)
{
    return ParamSet(strName, QStringLiteral("%1").arg(nValue), bConnect);
}

bool CHOIDev::SendParamSetEncoded(const QString &strName, const QString &strValue, bool bConnect)
{
    // The device stores the encoded text and hands it back on reading. The
    // text is encoded as it is, not parsed as a URL: a parse drops or
    // lower-cases names that look like one ("Room:1", "a@b:c"), and keeps a
    // '%' that the read-back would then decode. Every character the shell
    // could act on is encoded.
    const QByteArray encoded = QUrl::toPercentEncoding(strValue, kEncodedKeep, kEncodedForce);
    return ParamSet(strName, QString::fromLatin1(encoded), bConnect);
}

CBaseComm *CHOIDev::TryLink(bool bConnect)
{
    const bool bConnected = EnsureConnected();
    if (bConnect && !bConnected)
        return nullptr;
    return m_pComm;
}

bool CHOIDev::SendSetCmd(const QString &strOption, const QString &strValue, QString strExtra,
                         bool bConnect)
{
    if (HasLineBreak(strOption + strValue + strExtra, "set command"))
        return false;
    CBaseComm *pComm = TryLink(bConnect);
    return pComm && pComm->SetOption(strOption, strValue, strExtra);
}

bool CHOIDev::ApplyMultiView(const QString &strWindows, bool bConnect)
{
    if (HasLineBreak(strWindows, "multiview setting"))
        return false;
    CBaseComm *pComm = TryLink(bConnect);
    return pComm && pComm->SetMultiView(strWindows);
}

bool CHOIDev::ApplyMultiViewAudioSeparate(const QString &strText, bool bConnect)
{
    if (HasLineBreak(strText, "multiview audio setting"))
        return false;
    CBaseComm *pComm = TryLink(bConnect);
    return pComm && pComm->SetMultiViewAudioSeparate(strText);
}

bool CHOIDev::ApplyUserAudioMode(const QString &strLayout, const QString &strMode, const QString &strDisplay)
{
    // The layout name is the operator's: quoted, so it reaches the device as typed.
    return QueueLine(QStringLiteral("gbparam s user_audio_mode \"%1 %2 %3\"")
                         .arg(QuoteForShell(strLayout), QuoteForShell(strMode), QuoteForShell(strDisplay)),
                     true);
}

bool CHOIDev::SendCmd(const QString &strCmd)
{
    return QueueLine(strCmd, true);
}

bool CHOIDev::SendConfigCmd(const QString &strOption, bool bConnect)
{
    if (HasLineBreak(strOption, "config option"))
        return false;
    CBaseComm *pComm = QueueLink(bConnect);
    return pComm && pComm->SendConfig(strOption);
}

bool CHOIDev::PushSendData(const char *data, bool bAddCRLF, bool bConnect)
{
    CBaseComm *pComm = QueueLink(bConnect);
    return pComm && pComm->PushSendData(QByteArray(data), bAddCRLF);
}

bool CHOIDev::SendOsdOnOff(bool bOn, const QString &strText)
{
    if (bOn && HasLineBreak(strText, "OSD text"))
        return false;
    if (!EnsureConnected())
        return false;
    if (!m_pComm)
        return false;
    return m_pComm->SendOsd(bOn, bOn ? EscapeShellWords(strText) : strText);
}

bool CHOIDev::SendSerialMsg(const QString &strMsg, bool bHex, bool bAddCRLF, uint nBaudRate,
                            uint nDataBits, char cParity, uint nStopBits)
{
    if (HasLineBreak(strMsg, "serial message"))
        return false;
    // The message is the last argument, so no placeholder inside it is filled.
    const QString strLine = QStringLiteral("soip2 -f /dev/ttyS0 -b %1-%2%3%4%5 %6 -s \"%7\"")
                                .arg(nBaudRate)
                                .arg(nDataBits)
                                .arg(QChar::fromLatin1(cParity))
                                .arg(nStopBits)
                                .arg(bAddCRLF ? QStringLiteral(" -r") : QString())
                                .arg(bHex ? QStringLiteral("-H") : QString())
                                .arg(QuoteForShell(strMsg));
    return QueueLine(strLine, true);
}

bool CHOIDev::SendCecPower(bool bOn)
{
    // One queued line is one shell line: the queue adds the line end.
    return QueueLine(bOn ? QStringLiteral("e e_cec_one_touch_play")
                         : QStringLiteral("e e_cec_system_standby"),
                     true);
}

bool CHOIDev::ApplyEncBackupInfo(const QString &strInfo)
{
    if (strInfo.isEmpty())
        return false;
    if (HasLineBreak(strInfo, "backup text"))
        return false;
    return QueueGbconfig(QStringLiteral("--enc-backup-info=\"%1\"").arg(QuoteForShell(strInfo)));
}

// Every "gbconfig" line of a single setting goes through here; a "--show"
// line is answered through slotOnReadParam.
bool CHOIDev::QueueGbconfig(const QString &strArgs)
{
    return QueueLine(QStringLiteral("gbconfig ") + strArgs, true);
}

bool CHOIDev::ApplyDelayPlay(const QString &strValue)
{
    return QueueGbconfig(QStringLiteral("--delay-play ") + strValue);
}

bool CHOIDev::QueryDelayPlay()
{
    return QueueGbconfig(ShowArgs("--delay-play"));
}

bool CHOIDev::ApplyMaxEncRes(const QString &strValue)
{
    return QueueGbconfig(QStringLiteral("--max-enc-res=") + strValue);
}

bool CHOIDev::ApplyAudioDelay(const QString &strValue)
{
    return QueueGbconfig(QStringLiteral("--audio-delay ") + strValue);
}

bool CHOIDev::QueryAudioDelay()
{
    return QueueGbconfig(ShowArgs("--audio-delay"));
}

bool CHOIDev::ApplyLineOutMute(bool bMute)
{
    return QueueGbconfig(SwitchArgs("--line-out=1 --mute", bMute));
}

bool CHOIDev::QueryLineOutMute()
{
    return QueueGbconfig(ShowArgs("--line-out=1 --mute"));
}

bool CHOIDev::ApplyHdmiOutAudioMute(bool bMute)
{
    return QueueGbconfig(SwitchArgs("--hdmi-out-audio --mute", bMute));
}

bool CHOIDev::ApplyBackgroundImageDisplay(bool bOn)
{
    return QueueGbconfig(SwitchArgs("--background-image-display", bOn));
}

bool CHOIDev::QueryBackgroundImageDisplay()
{
    return QueueGbconfig(ShowArgs("--background-image-display"));
}

bool CHOIDev::ApplyPngOverlayEnable(bool bOn)
{
    return QueueGbconfig(SwitchArgs("--png-overlay-enable", bOn));
}

bool CHOIDev::QueryPngOverlayEnable()
{
    return QueueGbconfig(ShowArgs("--png-overlay-enable"));
}

bool CHOIDev::ApplyOsdDisplay(bool bOn)
{
    return QueueGbconfig(SwitchArgs("--osd-display", bOn));
}

bool CHOIDev::QueryOsdDisplay()
{
    return QueueGbconfig(ShowArgs("--osd-display"));
}

bool CHOIDev::ApplyOsdDisplayMethod(const QString &strMethod)
{
    return QueueGbconfig(QStringLiteral("--osd-display-method=") + strMethod);
}

bool CHOIDev::QueryOsdDisplayMethod()
{
    return QueueGbconfig(ShowArgs("--osd-display-method"));
}

bool CHOIDev::ApplySourceSelect(const QString &strValue)
{
    return QueueGbconfig(QStringLiteral("--source-select ") + strValue);
}

bool CHOIDev::ApplySinkPower(const QString &strPowerOnCmd, const QString &strStandbyCmd, bool bCec,
                             bool bRs232, bool bHex, uint nBaudRate, uint nDataBits, char cParity,
                             uint nStopBits)
{
    // A guarded line with nothing inside would do nothing on the device.
    if (!bCec && !bRs232)
        return false;
    if (bRs232
        && (HasLineBreak(strPowerOnCmd, "power-on command")
            || HasLineBreak(strStandbyCmd, "standby command")))
        return false;

    QStringList cmds;
    if (bCec && bRs232)
        cmds << QStringLiteral("gbconfig --sinkpower-mode both");
    else if (bCec)
        cmds << QStringLiteral("gbconfig --sinkpower-mode cec");
    else
        cmds << QStringLiteral("gbconfig --sinkpower-mode rs232");
    if (bRs232) {
        cmds << QStringLiteral("gbconfig --rs232-param %1-%2%3%4")
                    .arg(nBaudRate)
                    .arg(nDataBits)
                    .arg(QChar::fromLatin1(cParity))
                    .arg(nStopBits);
        cmds << QStringLiteral("gbconfig --rs232-hex-cmd-enable %1").arg(YesNo(bHex));
        cmds << QStringLiteral("gbparam s rs232_poweron_cmd \"%1\"").arg(QuoteForShell(strPowerOnCmd));
        cmds << QStringLiteral("gbparam s rs232_standby_cmd \"%1\"").arg(QuoteForShell(strStandbyCmd));
    }
    // Devices whose tool lacks the sink power options ignore the whole line.
    const QString strLine =
        tr("if [ \"`gbconfig --help | grep sinkpower | wc -l`\" != \"0\" ]; then %1; fi")
            .arg(cmds.join(QLatin1Char(';')));
    return QueueLine(strLine, true);
}

bool CHOIDev::ApplyName()
{
    // Refused before a link is opened for it.
    if (!CanWriteName(m_strName) || !EnsureConnected())
        return false;
    SendParamSetEncoded(QStringLiteral("name"), m_strName, false);
    return true;
}

bool CHOIDev::KeepOptionValue(int nOptionId, const QVariant &value)
{
    const QString strName = T_ProdIdInfo::EncParamId2Name(nOptionId);
    if (strName.isEmpty() || value.isNull())
        return false;
    m_mapOptions.insert(QStringLiteral("--") + strName, value);
    return true;
}

bool CHOIDev::SetOptionValue(int nOptionId, const QVariant &value, bool bConnect, bool bKeep)
{
    const QString strName = T_ProdIdInfo::EncParamId2Name(nOptionId);
    if (strName.isEmpty() || value.isNull())
        return false;
    if (bKeep)
        KeepOptionValue(nOptionId, value);

    const QString strCmd = OptionLine(nOptionId, QStringLiteral("--") + strName, value);
    if (strCmd.isEmpty())
        return false;
    return SendConfigCmd(strCmd, bConnect);
}

bool CHOIDev::SetVolParam(int nPortType, int nPortIndex, const T_VolParam *pVolParam, bool bConnect,
                          bool bKeep)
{
    if (!pVolParam)
        return false;
    return SetVolParam(nPortType, nPortIndex, *pVolParam, bConnect, bKeep);
}

bool CHOIDev::KeepVolParam(int nPortType, int nPortIndex, const T_VolParam &volParam)
{
    const QString strPort = T_ProdIdInfo::AudioPortOption(nPortType, nPortIndex);
    const int nFields = volParam.mask
                        & (T_VolParam::MASK_GAIN | T_VolParam::MASK_PHANTOM_POWER
                           | T_VolParam::MASK_LEVEL_CONTROL | T_VolParam::MASK_MUTE);
    if (strPort.isEmpty() || nFields == 0)
        return false;

    T_VolParam cached;
    GetVolParam(nPortType, nPortIndex, &cached);
    if (nFields & T_VolParam::MASK_GAIN)
        cached.gain = volParam.gain;
    if (nFields & T_VolParam::MASK_PHANTOM_POWER)
        cached.phantom_power = volParam.phantom_power;
    if (nFields & T_VolParam::MASK_LEVEL_CONTROL)
        cached.level_control = volParam.level_control;
    if (nFields & T_VolParam::MASK_MUTE)
        cached.mute = volParam.mute;
    cached.mask |= nFields;
    m_mapOptions.insert(strPort, QVariant::fromValue(cached));
    return true;
}

bool CHOIDev::SetVolParam(int nPortType, int nPortIndex, const T_VolParam &volParam, bool bConnect,
                          bool bKeep)
{
    const QString strPort = T_ProdIdInfo::AudioPortOption(nPortType, nPortIndex);
    if (strPort.isEmpty())
        return false;

    QString strText;
    if (volParam.mask & T_VolParam::MASK_GAIN)
        strText += QStringLiteral(" --gain=%1").arg(volParam.gain);
    if (volParam.mask & T_VolParam::MASK_PHANTOM_POWER)
        strText += QStringLiteral(" --phantom-power=%1").arg(YesNo(volParam.phantom_power));
    if (volParam.mask & T_VolParam::MASK_LEVEL_CONTROL)
        strText += QStringLiteral(" --level-control=%1").arg(volParam.level_control);
    if (volParam.mask & T_VolParam::MASK_MUTE)
        strText += QStringLiteral(" --mute=%1").arg(YesNo(volParam.mute));
    if (strText.isEmpty())
        return false;

    if (bKeep)
        KeepVolParam(nPortType, nPortIndex, volParam);
    return SendConfigCmd(QStringLiteral("%1%2").arg(strPort, strText), bConnect);
}
