#ifndef HOI_CORE_PRODIDINFO_H
#define HOI_CORE_PRODIDINFO_H

#include <QByteArray>
#include <QMetaType>
#include <QSet>
#include <QString>
#include <QVariant>

// The parameter vocabulary of encoders and decoders and the product record of
// one device model. Devices take these settings as options of their
// configuration tool: "--name=value", or "--name" alone for a switch.

// Audio port kinds; walk them with T_ProdIdInfo::FirstAudioPortType and
// T_ProdIdInfo::NextAudioPortType.
enum E_AudioPortType {
    E_APT_LINE_IN = 1,
    E_APT_LINE_OUT = 2,
    E_APT_MIC = 3,
};

// Encoder parameters; walk them from T_ProdIdInfo::FirstAudioPortType (1)
// with T_ProdIdInfo::NextEncParamId.
enum E_EncParamId {
    E_EP_HDCP_ENABLE = 1,
    E_EP_ENC_RC_MODE = 2,
    E_EP_CBR_AVG_BITRATE = 3,
    E_EP_VBR_MAX_BITRATE = 4,
    E_EP_VBR_MIN_QP = 5,
    E_EP_VBR_MAX_QP = 6,
    E_EP_FIXQP_IQP = 7,
    E_EP_FIXQP_PQP = 8,
    E_EP_ENC_GOP = 9,
    E_EP_ENC_FPS = 10,
    E_EP_TRANSPORT_TYPE = 11,
    E_EP_SUPPRESSOR_BYPASS = 12,
    E_EP_SUPPRESSOR_FIX = 13,
    E_EP_SUPPRESSOR_RESET = 14,
    E_EP_LOW_DELAY = 15,
    E_EP_PNG_OVERLAY_POS_H = 16,
    E_EP_PNG_OVERLAY_POS_V = 17,
    E_EP_HW_DIP_ENABLE = 18,
    E_EP_OUTPUT_DIP = 19,
};

// How an encoder parameter's value is typed, alike in what a device reports
// and in what is sent to it.
enum E_EncParamValue {
    E_EPV_TEXT = 0,
    E_EPV_FLAG = 1,
    E_EPV_RC_MODE = 2,
    E_EPV_NUMBER = 3,
    E_EPV_TRANSPORT = 4,
};

// Rate-control mode of an encoder ("enc-rc-mode").
enum E_FPSMode {
    E_FPSM_VBR = 0,
    E_FPSM_CBR = 1,
    E_FPSM_FIXQP = 2,
};

// Stream transport of an encoder ("transport-type").
enum E_TrasportType {
    E_TT_RAW = 0,
    E_TT_TS = 1,
};

enum E_LatencyMode {
    E_LM_HIGH_QUALITY = 0,
    E_LM_LOW_DELAY = 1,
};

enum E_VideoInput {
    E_VI_HDMI = 0,
    E_VI_CVBS = 1,
    E_VI_VGA = 2,
    E_VI_DVID = 3,
    E_VI_YPBPR = 4,
};

// Settings of one audio port. A field whose bit in mask is clear is absent
// (the device did not report it, or it is not to be changed).
struct T_VolParam
{
    enum {
        MASK_GAIN = 1,
        MASK_PHANTOM_POWER = 2,
        MASK_LEVEL_CONTROL = 4,
        MASK_MUTE = 8,
    };

    quint32 mask;
    qint32 gain;
    qint32 level_control;
    bool phantom_power;
    bool mute;

    T_VolParam();

    // Reads "gain phantom level mute", "-" for an absent field. A text of
    // fewer than four tokens, or with a token over 7 characters, changes
    // nothing.
    T_VolParam &Parse(const QByteArray &text);
    QString ToString() const;
};

// The product record of one device model, one per product of "config.xml",
// plus the static converters of the parameter vocabulary.
struct T_ProdIdInfo
{
    // Indexed by audio port kind; element 0 is never set.
    bool vol_gain[4];
    bool vol_phantom_power[4];
    bool vo_mode;
    bool cec_enable;
    bool mute_enable;
    bool hdmi_mute;
    bool map_enable;
    bool overlay_enable;
    bool preview_enable;
    bool map_dispaly_enable;
    bool window_enable;
    bool viv_enable;
    bool old_api;
    bool osd_enable;
    bool rs232_enable;
    bool ir_enable;
    bool rx_monitor;
    bool vw_multi_tx;
    bool vw_advance;
    bool tx_edid_reset_enable;
    bool audio_delay;
    bool audio_batch;
    bool hisi_enable;
    bool jpeg_enable;
    bool wall_set;
    bool video_set_2;
    bool serial_set;
    bool layout_enable;
    bool ipc_enable;
    bool image_bg;
    bool idle_enable;
    bool image_logo;
    bool video_mode_set;
    bool display_power;
    bool osd_display_method;
    bool edie_setting;
    bool hdcp_enable;
    bool sink_rs;
    bool sink_tx_rs;
    bool edid_export;
    bool ipc_flag;
    bool audio_source;
    bool video_profile;
    bool video_rate_control;
    bool video_rate_control_fix;
    bool video_max_bit;
    bool video_minQP;
    bool video_maxQP;
    bool video_GOP;
    bool video_FPS;
    bool video_transport_type;
    bool max_resolution;
    bool max_bitrate;
    // Indexed by audio port kind; element 0 is never set.
    qint32 vol_port_count[4];
    qint32 min_gain;
    qint32 max_gain;
    qint32 gain_step;
    qint32 tx_if_count;
    QString id;
    QString name;
    QString type;
    QString tx;
    QString param_prefix;
    QString tx_video_input;
    QString force_resolution;
    QString force_color_space;
    QString video_wall;
    QString edidpath;
    QString vrx_force_resolution;
    QString CVBS_Resolution;
    QString VGA_Resolution;
    QString DVID_Resolution;
    QString YPbPr_Resolution;
    QString ZK_VGA_Resolu;
    QString map_type;
    QString url;
    QString overlay_url;
    QString preview_url;
    QString bg_url;
    QString mode_tile;
    QString mode_overlay;
    qint32 tile_maxwinsnum;
    qint32 overlay_maxwinsnum;
    // Resolved from "tx" and "video_wall" once the whole product list is
    // read; the pointers are records of that list, which owns them.
    QSet<const T_ProdIdInfo *> tx_products;
    QSet<const T_ProdIdInfo *> video_wall_products;

    // The record handed out for a device without a product.
    T_ProdIdInfo();

    static int FirstAudioPortType();
    static int NextAudioPortType(int kind);
    static int NextEncParamId(int id);

    static QString AudioPortType2Name(int kind);
    static int AudioPortName2Type(const QString &name);
    static QString AudioPortDisplayName(int kind, int index);
    static QString AudioPortOption(int kind, int index);

    static QString EncParamId2Name(int id);
    static int EncParamName2Id(const QString &name);
    static QString EncParamOption(int id);
    static bool EncParamHasValue(int id);
    static E_EncParamValue EncParamValueType(int id);

    static QString FPSMode2Name(int mode);
    static E_FPSMode FPSName2Mode(const QString &name);
    static QString TrasportType2Name(int type);
    static E_TrasportType TrasportName2Type(const QString &name);
    static QString LatencyMode2Name(int mode);
    static int LatencyName2Mode(const QString &name);
    static QString VideoInput2Name(int input);
    static QString VideoInputName2Code(const QString &name);
    // The input a "--output-dip" code selects; empty for an unknown code.
    static QString VideoInputCode2Name(const QString &code);

    // Typed value of one option as the device reports it.
    static QVariant ParseParamLine(const QByteArray &key, const QByteArray &value);
    // Text of a value for a command line or the project file.
    static QString ParamValue2String(const QVariant &value);

    // The device type of a host name whose model prefix is this product's id,
    // 0 when it is not this product's.
    int MatchHostName(const QString &hostName) const;
    // "tx" 1 ... "IP Controller" 6, any other text 0.
    static int TypeText2DevType(const QString &type);
};

Q_DECLARE_METATYPE(T_VolParam)
Q_DECLARE_METATYPE(E_FPSMode)
Q_DECLARE_METATYPE(E_TrasportType)

// Registers T_VolParam, E_FPSMode and E_TrasportType by name for queued
// connections and signal spies. Safe to call more than once.
void RegisterProdMetaTypes();

#endif
