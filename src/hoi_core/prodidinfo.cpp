#include "hoi_core/prodidinfo.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoiconst.h"

#include <QCoreApplication>
#include <QList>

namespace {

const int kLastAudioPortType = E_APT_MIC;
const int kLastEncParamId = E_EP_OUTPUT_DIP;
// Longest option name a device line may carry; longer ones are not options.
const int kMaxOptionNameLength = 63;
const int kMaxVolTokenLength = 7;

const char *const kEncParamNames[kLastEncParamId + 1] = {
    nullptr,
    "hdcp-enable",
    "enc-rc-mode",
    "cbr-avg-bitrate",
    "vbr-max-bitrate",
    "vbr-min-qp",
    "vbr-max-qp",
    "fixqp-iqp",
    "fixqp-pqp",
    "enc-gop",
    "enc-fps",
    "transport-type",
    "suppressor-bypass",
    "suppressor-fix",
    "suppressor-reset",
    "low-delay",
    "png-overlay-pos-h",
    "png-overlay-pos-v",
    "hw-dip-enable",
    "output-dip",
};

// Names of the vocabulary's enums, in the order of their values.
const char *const kAudioPortNames[] = {"line-in", "line-out", "mic"}; // from E_APT_LINE_IN
const char *const kFPSModeNames[] = {"vbr", "cbr", "fixqp"};
const char *const kTransportNames[] = {"raw", "ts"};
const char *const kLatencyNames[] = {"high quality video", "low delay"};
const char *const kVideoInputNames[] = {"HDMI", "CVBS", "VGA", "DVI-D", "YPbPr"};
// The output selector's code of each video input above.
const char *const kVideoInputCodes[] = {"000", "100", "010", "001", "011"};

template <size_t N>
QString NameAt(const char *const (&names)[N], int index)
{
    return (index >= 0 && size_t(index) < N) ? QString::fromLatin1(names[index]) : QString();
}

QString Tolerant(const QString &text)
{
    return text.trimmed().toLower();
}

// Leading signed decimal integer of a token, 0 when it has none.
qint32 LeadingInt(const QByteArray &token)
{
    int end = 0;
    if (end < token.size() && (token.at(end) == '-' || token.at(end) == '+'))
        ++end;
    const int digitsFrom = end;
    while (end < token.size() && token.at(end) >= '0' && token.at(end) <= '9')
        ++end;
    if (end == digitsFrom)
        return 0;
    return token.left(end).toInt();
}

} // namespace

T_VolParam::T_VolParam()
    : mask(0)
    , gain(0)
    , level_control(0)
    , phantom_power(false)
    , mute(false)
{
}

T_VolParam &T_VolParam::Parse(const QByteArray &text)
{
    const QList<QByteArray> tokens = text.simplified().split(' ');
    if (tokens.size() < 4)
        return *this;
    for (int i = 0; i < 4; ++i) {
        if (tokens.at(i).isEmpty() || tokens.at(i).size() > kMaxVolTokenLength)
            return *this;
    }

    // A token other than "-" marks its field present.
    const auto present = [this, &tokens](int i, quint32 bit) {
        if (tokens.at(i) == "-")
            return false;
        mask |= bit;
        return true;
    };
    if (present(0, MASK_GAIN))
        gain = LeadingInt(tokens.at(0));
    if (present(1, MASK_PHANTOM_POWER))
        phantom_power = StrToBool(QString::fromUtf8(tokens.at(1)), phantom_power);
    if (present(2, MASK_LEVEL_CONTROL))
        level_control = LeadingInt(tokens.at(2));
    if (present(3, MASK_MUTE))
        mute = StrToBool(QString::fromUtf8(tokens.at(3)), mute);
    return *this;
}

QString T_VolParam::ToString() const
{
    const QString absent = QStringLiteral("-");
    QString text = (mask & MASK_GAIN) ? QString::number(gain) : absent;
    text += QLatin1Char(' ');
    text += (mask & MASK_PHANTOM_POWER) ? QString(phantom_power ? "y" : "n") : absent;
    text += QLatin1Char(' ');
    text += (mask & MASK_LEVEL_CONTROL) ? QString::number(level_control) : absent;
    text += QLatin1Char(' ');
    text += (mask & MASK_MUTE) ? QString(mute ? "y" : "n") : absent;
    return text;
}

T_ProdIdInfo::T_ProdIdInfo()
    : vo_mode(false)
    , cec_enable(false)
    , mute_enable(true)
    , hdmi_mute(false)
    , map_enable(false)
    , overlay_enable(false)
    , preview_enable(false)
    , map_dispaly_enable(true)
    , window_enable(false)
    , viv_enable(false)
    , old_api(true)
    , osd_enable(false)
    , rs232_enable(false)
    , ir_enable(false)
    , rx_monitor(false)
    , vw_multi_tx(false)
    , vw_advance(false)
    , tx_edid_reset_enable(true)
    , audio_delay(false)
    , audio_batch(false)
    , hisi_enable(true)
    , jpeg_enable(true)
    , wall_set(false)
    , video_set_2(false)
    , serial_set(false)
    , layout_enable(false)
    , ipc_enable(false)
    , image_bg(false)
    , idle_enable(false)
    , image_logo(false)
    , video_mode_set(true)
    , display_power(true)
    , osd_display_method(false)
    , edie_setting(false)
    , hdcp_enable(false)
    , sink_rs(false)
    , sink_tx_rs(false)
    , edid_export(false)
    , ipc_flag(false)
    , audio_source(false)
    , video_profile(false)
    , video_rate_control(false)
    , video_rate_control_fix(false)
    , video_max_bit(false)
    , video_minQP(false)
    , video_maxQP(false)
    , video_GOP(false)
    , video_FPS(false)
    , video_transport_type(false)
    , max_resolution(false)
    , max_bitrate(false)
    , min_gain(6)
    , max_gain(24)
    , gain_step(6)
    , tx_if_count(1)
    , tile_maxwinsnum(0)
    , overlay_maxwinsnum(0)
{
    for (int kind = 0; kind < 4; ++kind) {
        vol_gain[kind] = false;
        vol_phantom_power[kind] = false;
        vol_port_count[kind] = 0;
    }
}

int T_ProdIdInfo::FirstAudioPortType()
{
    return E_APT_LINE_IN;
}

int T_ProdIdInfo::NextAudioPortType(int kind)
{
    return kind < kLastAudioPortType ? kind + 1 : 0;
}

int T_ProdIdInfo::NextEncParamId(int id)
{
    return id < kLastEncParamId ? id + 1 : 0;
}

QString T_ProdIdInfo::AudioPortType2Name(int kind)
{
    return NameAt(kAudioPortNames, kind - E_APT_LINE_IN);
}

int T_ProdIdInfo::AudioPortName2Type(const QString &name)
{
    if (name.isEmpty())
        return 0;
    for (int kind = FirstAudioPortType(); kind != 0; kind = NextAudioPortType(kind)) {
        if (AudioPortType2Name(kind) == name)
            return kind;
    }
    return 0;
}

QString T_ProdIdInfo::AudioPortDisplayName(int kind, int index)
{
    const int number = index + 1;
    switch (kind) {
    case E_APT_LINE_IN:
        if (index < 0)
            return QStringLiteral("Line In %1").arg(number);
        if (index == 3)
            return QCoreApplication::translate("QObject", "Mixer In");
        return QCoreApplication::translate("QObject", "Line In %1").arg(number);
    case E_APT_LINE_OUT:
        if (index < 0)
            return QCoreApplication::translate("QObject", "Line Out");
        return QStringLiteral("Line Out %1").arg(number);
    case E_APT_MIC:
        if (index < 0)
            return QCoreApplication::translate("QObject", "All Mic");
        return QCoreApplication::translate("QObject", "Mic %1").arg(number);
    default:
        return QString();
    }
}

QString T_ProdIdInfo::AudioPortOption(int kind, int index)
{
    const QString key = AudioPortType2Name(kind);
    if (key.isEmpty())
        return QString();
    return QStringLiteral("--%1=%2").arg(key).arg(index + 1);
}

QString T_ProdIdInfo::EncParamId2Name(int id)
{
    if (id < 1 || id > kLastEncParamId)
        return QString();
    return QString::fromLatin1(kEncParamNames[id]);
}

int T_ProdIdInfo::EncParamName2Id(const QString &name)
{
    if (name.isEmpty())
        return 0;
    for (int id = 1; id <= kLastEncParamId; ++id) {
        if (name == QLatin1String(kEncParamNames[id]))
            return id;
    }
    return 0;
}

QString T_ProdIdInfo::EncParamOption(int id)
{
    const QString name = EncParamId2Name(id);
    if (name.isEmpty())
        return QString();
    return QStringLiteral("--%1").arg(name);
}

bool T_ProdIdInfo::EncParamHasValue(int id)
{
    // Switches are sent as "--name" alone.
    return id != 0 && id != E_EP_SUPPRESSOR_FIX && id != E_EP_SUPPRESSOR_RESET && id != 20;
}

E_EncParamValue T_ProdIdInfo::EncParamValueType(int id)
{
    switch (id) {
    case E_EP_HDCP_ENABLE:
    case E_EP_SUPPRESSOR_BYPASS:
    case E_EP_SUPPRESSOR_FIX:
        return E_EPV_FLAG;
    case E_EP_ENC_RC_MODE:
        return E_EPV_RC_MODE;
    case E_EP_CBR_AVG_BITRATE:
    case E_EP_VBR_MAX_BITRATE:
    case E_EP_VBR_MIN_QP:
    case E_EP_VBR_MAX_QP:
    case E_EP_FIXQP_IQP:
    case E_EP_FIXQP_PQP:
    case E_EP_ENC_GOP:
    case E_EP_ENC_FPS:
        return E_EPV_NUMBER;
    case E_EP_TRANSPORT_TYPE:
        return E_EPV_TRANSPORT;
    default:
        return E_EPV_TEXT;
    }
}

QString T_ProdIdInfo::FPSMode2Name(int mode)
{
    return NameAt(kFPSModeNames, mode);
}

E_FPSMode T_ProdIdInfo::FPSName2Mode(const QString &name)
{
    const QString text = Tolerant(name);
    if (text == QLatin1String("cbr"))
        return E_FPSM_CBR;
    if (text == QLatin1String("fixqp"))
        return E_FPSM_FIXQP;
    return E_FPSM_VBR;
}

QString T_ProdIdInfo::TrasportType2Name(int type)
{
    return NameAt(kTransportNames, type);
}

E_TrasportType T_ProdIdInfo::TrasportName2Type(const QString &name)
{
    return Tolerant(name) == QLatin1String("raw") ? E_TT_RAW : E_TT_TS;
}

QString T_ProdIdInfo::LatencyMode2Name(int mode)
{
    return NameAt(kLatencyNames, mode);
}

int T_ProdIdInfo::LatencyName2Mode(const QString &name)
{
    return Tolerant(name) == QLatin1String("high quality video") ? E_LM_HIGH_QUALITY
                                                                 : E_LM_LOW_DELAY;
}

QString T_ProdIdInfo::VideoInput2Name(int input)
{
    return NameAt(kVideoInputNames, input);
}

QString T_ProdIdInfo::VideoInputName2Code(const QString &name)
{
    const QString key = Tolerant(name);
    for (int input = E_VI_HDMI; input <= E_VI_YPBPR; ++input) {
        if (key == VideoInput2Name(input).toLower())
            return NameAt(kVideoInputCodes, input);
    }
    return QStringLiteral("01");
}

QString T_ProdIdInfo::VideoInputCode2Name(const QString &code)
{
    for (int input = E_VI_HDMI; input <= E_VI_YPBPR; ++input) {
        if (code == QLatin1String(kVideoInputCodes[input]))
            return VideoInput2Name(input);
    }
    return QString();
}

QVariant T_ProdIdInfo::ParseParamLine(const QByteArray &key, const QByteArray &value)
{
    QByteArray name;
    if (key.startsWith("--")) {
        name = key.mid(2);
        const int eq = name.indexOf('=');
        if (eq >= 0)
            name.truncate(eq);
        if (name.size() > kMaxOptionNameLength)
            name.clear();
    }

    if (name.isEmpty()) {
        if (value.isEmpty())
            return QVariant();
        return QVariant(value.trimmed());
    }

    const QString optionName = QString::fromLatin1(name);
    if (AudioPortName2Type(optionName) != 0)
        return QVariant::fromValue(T_VolParam().Parse(value));

    const QString text = QString::fromUtf8(value);
    switch (EncParamValueType(EncParamName2Id(optionName))) {
    case E_EPV_FLAG:
        return QVariant(StrToBool(text, false));
    case E_EPV_RC_MODE:
        return QVariant::fromValue(FPSName2Mode(text));
    case E_EPV_NUMBER:
        return QVariant(value.toInt());
    case E_EPV_TRANSPORT:
        return QVariant::fromValue(TrasportName2Type(text));
    case E_EPV_TEXT:
        break;
    }
    return QVariant(value);
}

QString T_ProdIdInfo::ParamValue2String(const QVariant &value)
{
    if (value.isNull())
        return QString();

    const int type = value.userType();
    if (type == qMetaTypeId<T_VolParam>())
        return value.value<T_VolParam>().ToString();
    if (type == qMetaTypeId<E_FPSMode>())
        return FPSMode2Name(value.value<E_FPSMode>());
    if (type == qMetaTypeId<E_TrasportType>())
        return TrasportType2Name(value.value<E_TrasportType>());

    if (value.canConvert<QString>())
        return value.toString();
    if (value.canConvert<int>())
        return QString::number(value.toInt());
    return value.toString();
}

void RegisterProdMetaTypes()
{
    qRegisterMetaType<T_VolParam>("T_VolParam");
    qRegisterMetaType<E_FPSMode>("E_FPSMode");
    qRegisterMetaType<E_TrasportType>("E_TrasportType");
}

int T_ProdIdInfo::TypeText2DevType(const QString &type)
{
    static const char *const kTypes[] = {"tx", "rx", "mrx", "wp", "gw"};
    for (int i = 0; i < 5; ++i) {
        if (type == QLatin1String(kTypes[i]))
            return i + 1;
    }
    if (type == g_strControllerType)
        return 6;
    return 0;
}

int T_ProdIdInfo::MatchHostName(const QString &hostName) const
{
    // Asked for every log line that names a device: compared in place.
    const QStringRef model = hostName.leftRef(hostName.indexOf(QLatin1Char('-')));
    if (id.isEmpty() || model != id)
        return 0;
    return TypeText2DevType(type);
}
