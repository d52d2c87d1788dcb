// The product table of "config.xml" and every question answered from it.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QFile>
#include <QXmlStreamReader>

namespace {

// Reads one product attribute by name; absent and unparsable values keep the
// caller's default.
class AttrReader
{
public:
    explicit AttrReader(const QXmlStreamAttributes& attrs)
        : m_attrs(attrs)
    {
    }

    QString Text(const char* name) const { return m_attrs.value(QLatin1String(name)).toString(); }

    bool Bool(const char* name, bool bDefault) const { return StrToBool(Text(name), bDefault); }

    // Absent or not a number gives 0.
    qint32 Int(const char* name) const
    {
        bool ok = false;
        const int n = Text(name).toInt(&ok);
        return ok ? n : 0;
    }

    qint32 IntOr(const char* name, qint32 nDefault) const
    {
        bool ok = false;
        const int n = Text(name).toInt(&ok);
        return ok ? n : nDefault;
    }

    // "line-in,mic": each known audio port key sets the element of its kind.
    void PortList(const char* name, bool* pFlags) const
    {
        const QStringList items = Text(name).split(QLatin1Char(','));
        for (const QString& item : items) {
            if (item.isEmpty())
                continue;
            const int kind = T_ProdIdInfo::AudioPortName2Type(item);
            if (kind >= E_APT_LINE_IN && kind <= E_APT_MIC)
                pFlags[kind] = true;
        }
    }

private:
    const QXmlStreamAttributes& m_attrs;
};

void ReadProduct(const QXmlStreamAttributes& attrs, T_ProdIdInfo& prod)
{
    const AttrReader a(attrs);
    prod.id = a.Text("id");
    prod.name = a.Text("name");
    prod.type = a.Text("type");
    prod.tx = a.Text("tx");
    prod.video_wall = a.Text("video_wall");
    prod.rx_monitor = a.Bool("rx_monitor", false);
    prod.osd_enable = a.Bool("osd_enable", true);
    prod.old_api = a.Bool("old_api", false);
    prod.rs232_enable = a.Bool("rs232_enable", false);
    prod.ir_enable = a.Bool("ir_enable", false);
    prod.cec_enable = a.Bool("cec_enable", false);
    prod.vw_multi_tx = a.Bool("vw_multi_tx", false);
    prod.vw_advance = a.Bool("vw_advance", false);
    prod.tx_edid_reset_enable = a.Bool("tx_edid_reset_enable", true);
    prod.param_prefix = a.Text("param_prefix");
    prod.tx_if_count = a.Int("tx_if_count");
    prod.tx_video_input = a.Text("tx_video_input");
    prod.force_resolution = a.Text("force_resolution");
    prod.force_color_space = a.Text("force_color_space");
    prod.vrx_force_resolution = a.Text("vrx_force_resolution");
    prod.CVBS_Resolution = a.Text("CVBS_Resolution");
    prod.VGA_Resolution = a.Text("VGA_Resolution");
    prod.DVID_Resolution = a.Text("DVID_Resolution");
    prod.YPbPr_Resolution = a.Text("YPbPr_Resolution");
    prod.ZK_VGA_Resolu = a.Text("ZK_VGA_Resolu");
    prod.edidpath = a.Text("edidpath");
    prod.mute_enable = a.Bool("mute_enable", true);
    prod.hdmi_mute = a.Bool("hdmi_mute", false);
    prod.vo_mode = a.Bool("vo_mode", false);
    prod.audio_delay = a.Bool("audio_delay", false);
    prod.audio_batch = a.Bool("audio_batch", false);
    prod.layout_enable = a.Bool("layout_enable", false);
    prod.hisi_enable = a.Bool("hisi_enable", true);
    prod.jpeg_enable = a.Bool("jpeg_enable", true);
    prod.map_enable = a.Bool("map_enable", false);
    prod.overlay_enable = a.Bool("overlay_enable", false);
    prod.preview_enable = a.Bool("preview_enable", false);
    prod.map_dispaly_enable = a.Bool("map_dispaly_enable", true);
    prod.map_type = a.Text("map_type");
    prod.url = a.Text("url");
    prod.bg_url = a.Text("bg_url");
    prod.overlay_url = a.Text("overlay_url");
    prod.preview_url = a.Text("preview_url");
    prod.window_enable = a.Bool("window_enable", false);
    prod.viv_enable = a.Bool("viv_enable", false);
    prod.wall_set = a.Bool("wall_set", false);
    prod.video_set_2 = a.Bool("video_set_2", false);
    prod.serial_set = a.Bool("serial_set", false);
    prod.image_bg = a.Bool("image_bg", false);
    prod.idle_enable = a.Bool("idle_enable", false);
    prod.image_logo = a.Bool("image_logo", false);
    prod.ipc_enable = a.Bool("ipc_enable", false);
    prod.ipc_flag = a.Bool("ipc_flag", false);
    prod.sink_rs = a.Bool("sink_rs", false);
    prod.sink_tx_rs = a.Bool("sink_tx_rs", false);
    prod.video_mode_set = a.Bool("video_mode_set", true);
    prod.display_power = a.Bool("display_power", true);
    prod.osd_display_method = a.Bool("osd_display_method", false);
    prod.mode_tile = a.Text("mode_tile");
    prod.tile_maxwinsnum = a.Int("tile_maxwinsnum");
    prod.mode_overlay = a.Text("mode_overlay");
    prod.overlay_maxwinsnum = a.Int("overlay_maxwinsnum");
    prod.edie_setting = a.Bool("edie_setting", false);
    prod.video_profile = a.Bool("video_profile", false);
    prod.video_rate_control = a.Bool("video_rate_control", false);
    prod.video_rate_control_fix = a.Bool("video_rate_control_fix", false);
    prod.video_max_bit = a.Bool("video_max_bit", false);
    prod.video_minQP = a.Bool("video_minQP", false);
    prod.video_maxQP = a.Bool("video_maxQP", false);
    prod.video_GOP = a.Bool("video_GOP", false);
    prod.video_FPS = a.Bool("video_FPS", false);
    prod.video_transport_type = a.Bool("video_transport_type", false);
    prod.max_resolution = a.Bool("max_resolution", false);
    prod.max_bitrate = a.Bool("max_bitrate", false);
    prod.hdcp_enable = a.Bool("hdcp_enable", false);
    prod.edid_export = a.Bool("edid_export", false);
    prod.audio_source = a.Bool("audio_source", false);
    for (int kind = E_APT_LINE_IN; kind <= E_APT_MIC; ++kind) {
        prod.vol_gain[kind] = false;
        prod.vol_phantom_power[kind] = false;
    }
    a.PortList("vol_gain", prod.vol_gain);
    a.PortList("vol_phantom_power", prod.vol_phantom_power);
    prod.vol_port_count[E_APT_LINE_IN] = a.Int("vol_line_in_count");
    prod.vol_port_count[E_APT_LINE_OUT] = a.Int("vol_line_out_count");
    prod.vol_port_count[E_APT_MIC] = a.Int("vol_mic_count");
    prod.min_gain = a.IntOr("min_gain", 6);
    prod.max_gain = a.IntOr("max_gain", 24);
    const int gainStep = a.Int("gain_step");
    prod.gain_step = gainStep > 0 ? gainStep : 6;
    if (prod.tx_if_count < 1)
        prod.tx_if_count = 1;
}

bool HasVideoSettings(const T_ProdIdInfo& p)
{
    return !p.tx_video_input.isEmpty() || !p.force_resolution.isEmpty()
        || !p.vrx_force_resolution.isEmpty() || !p.CVBS_Resolution.isEmpty()
        || !p.DVID_Resolution.isEmpty() || !p.VGA_Resolution.isEmpty()
        || !p.YPbPr_Resolution.isEmpty() || !p.force_color_space.isEmpty() || p.hdcp_enable;
}

bool HasVolume(const T_ProdIdInfo& p)
{
    for (int kind = T_ProdIdInfo::FirstAudioPortType(); kind >= E_APT_LINE_IN && kind <= E_APT_MIC;
         kind = T_ProdIdInfo::NextAudioPortType(kind)) {
        if (p.vol_port_count[kind] > 0)
            return true;
    }
    return false;
}

bool HasVideoWall(const T_ProdIdInfo& p) { return !p.video_wall_products.isEmpty(); }
bool HasOsd(const T_ProdIdInfo& p) { return p.osd_enable; }
bool HasRxMonitor(const T_ProdIdInfo& p) { return p.rx_monitor; }
bool HasEdidReset(const T_ProdIdInfo& p) { return p.tx_edid_reset_enable; }
bool HasEdidExport(const T_ProdIdInfo& p) { return p.edid_export; }
bool HasAudioSource(const T_ProdIdInfo& p) { return p.audio_source; }
bool HasHisi(const T_ProdIdInfo& p) { return p.hisi_enable; }
bool HasJpeg(const T_ProdIdInfo& p) { return p.jpeg_enable; }
bool HasAnalogMute(const T_ProdIdInfo& p) { return p.mute_enable; }
bool HasHdmiMute(const T_ProdIdInfo& p) { return p.hdmi_mute; }
bool HasMap(const T_ProdIdInfo& p) { return p.map_enable; }
bool HasOverlay(const T_ProdIdInfo& p) { return p.overlay_enable; }
bool HasWindow(const T_ProdIdInfo& p) { return p.window_enable; }
bool HasViv(const T_ProdIdInfo& p) { return p.viv_enable; }
bool HasAudioDelay(const T_ProdIdInfo& p) { return p.audio_delay; }
bool HasLayout(const T_ProdIdInfo& p) { return p.layout_enable; }
bool HasVoMode(const T_ProdIdInfo& p) { return p.vo_mode; }
bool HasIr(const T_ProdIdInfo& p) { return p.ir_enable; }
bool HasRs232(const T_ProdIdInfo& p) { return p.rs232_enable; }
bool HasCec(const T_ProdIdInfo& p) { return p.cec_enable; }
bool HasVWMultiTx(const T_ProdIdInfo& p) { return p.vw_multi_tx; }
bool HasVWAdvance(const T_ProdIdInfo& p) { return p.vw_advance; }

} // namespace

// ---------------------------------------------------------------------------
// Loading "config.xml"

bool CHOIDevMgr::LoadProdConfig()
{
    const QString path = ConfigXmlPath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "cannot open" << path << file.errorString();
        return false;
    }

    ClearAll();
    T_GroupInfo* pUngrouped = new T_GroupInfo;
    pUngrouped->sequence = 0;
    pUngrouped->name = g_strUngrouped;
    m_groupList.append(pUngrouped);
    m_prodList.clear();

    QXmlStreamReader xml(&file);
    QString elementPath;
    int depth = 0;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            elementPath += QLatin1Char('/') + xml.name().toString();
            ++depth;
            if (depth == 1 && elementPath != QLatin1String("/hoiprod")) {
                qWarning() << path << "does not begin with \"hoiprod\" but with" << elementPath;
                return false;
            }
            const QXmlStreamAttributes attrs = xml.attributes();
            if (elementPath == QLatin1String("/hoiprod")) {
                const AttrReader a(attrs);
                m_bIrEnable = a.Bool("ir_enable", true);
                m_bRs232Enable = a.Bool("rs232_enable", true);
                m_bCecEnable = a.Bool("cec_enable", true);
                m_bLogEnable = a.Bool("log_enable", true);
                m_bBackupEnable = a.Bool("backup_enalbe", true);
                m_bLanguageEnable = a.Bool("language_enable", false);
                m_bWindowLayoutEnable = a.Bool("windowlayout_enable", false);
                m_bWPLayoutEnable = a.Bool("wplayout_enable", false);
                m_bVivLayoutEnable = a.Bool("vivlayout_enable", false);
                m_bLogoEnable = a.Bool("logo_enable", false);
                m_strTxLdy = a.Text("txldy");
                m_strTxLdn = a.Text("txldn");
                m_strRxLdy = a.Text("rxldy");
                m_strRxLdn = a.Text("rxldn");
            } else if (elementPath == QLatin1String("/hoiprod/product")) {
                if (!StrToBool(attrs.value(QLatin1String("show")).toString(), true))
                    continue;
                T_ProdIdInfo prod;
                ReadProduct(attrs, prod);
                m_prodList.append(prod);
            }
        } else if (token == QXmlStreamReader::EndElement) {
            elementPath.truncate(qMax(0, elementPath.lastIndexOf(QLatin1Char('/'))));
            --depth;
        }
    }
    // A damaged file still starts the program with what was read before the fault.
    if (xml.hasError())
        qWarning() << path << "line" << xml.lineNumber() << "column" << xml.columnNumber() << ":"
                   << xml.errorString() << "- products read so far are kept";

    // Ids may name products later in the file, so the sets are resolved last.
    // The list is not copied from here on: the sets point into it.
    for (int i = 0; i < m_prodList.size(); ++i) {
        T_ProdIdInfo& prod = m_prodList[i];
        const QStringList txIds = prod.tx.split(QLatin1Char('|'));
        for (const QString& id : txIds) {
            if (const T_ProdIdInfo* pFound = id.isEmpty() ? nullptr : FindProdIdInfoById(id))
                prod.tx_products.insert(pFound);
        }
        const QStringList wallIds = prod.video_wall.split(QLatin1Char('|'));
        for (const QString& id : wallIds) {
            if (const T_ProdIdInfo* pFound = id.isEmpty() ? nullptr : FindProdIdInfoById(id))
                prod.video_wall_products.insert(pFound);
        }
    }

    m_strConfigFilePath = path;
    return true;
}

// ---------------------------------------------------------------------------
// Product lookups

const T_ProdIdInfo* CHOIDevMgr::FindProdIdInfo(const QString& hostName, int* pType) const
{
    for (const T_ProdIdInfo& prod : m_prodList) {
        const int type = prod.MatchHostName(hostName);
        if (type != 0) {
            if (pType)
                *pType = type;
            return &prod;
        }
    }
    return nullptr;
}

const T_ProdIdInfo* CHOIDevMgr::GetProdIdInfo(const CHOIDev* pDev) const
{
    // Callers read flags without testing for null.
    static const T_ProdIdInfo s_emptyProd;
    const T_ProdIdInfo* pProd = pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr;
    return pProd ? pProd : &s_emptyProd;
}

const T_ProdIdInfo* CHOIDevMgr::FindProdIdInfoById(const QString& id) const
{
    for (const T_ProdIdInfo& prod : m_prodList) {
        if (prod.id == id)
            return &prod;
    }
    return nullptr;
}

QString CHOIDevMgr::GetProdDevName(const QString& hostName) const
{
    const T_ProdIdInfo* pProd = FindProdIdInfo(hostName);
    if (!pProd)
        return hostName;
    const int dash = hostName.indexOf(QLatin1Char('-'));
    if (dash < 0)
        return hostName;
    return pProd->name + hostName.mid(dash);
}

// ---------------------------------------------------------------------------
// Feature queries

bool CHOIDevMgr::QueryFeature(CHOIDev* pDev, ProdTest test) const
{
    if (pDev) {
        const T_ProdIdInfo* pProd = FindProdIdInfo(pDev->GetHostName());
        return pProd && test(*pProd);
    }
    for (const T_ProdIdInfo& prod : m_prodList) {
        if (test(prod))
            return true;
    }
    return false;
}

bool CHOIDevMgr::IsSupportVideoWall(CHOIDev* pDev) const
{
    if (!pDev)
        return QueryFeature(nullptr, HasVideoWall);
    int type = 0;
    const T_ProdIdInfo* pProd = FindProdIdInfo(pDev->GetHostName(), &type);
    return pProd && type == pDev->GetDevType() && HasVideoWall(*pProd);
}

bool CHOIDevMgr::IsSupportOsd(CHOIDev* pDev) const
{
    if (!QueryFeature(pDev, HasOsd))
        return false;
    if (!pDev)
        return true;
    const int type = pDev->GetDevType();
    return type == CHOIDev::E_DT_RX || type == CHOIDev::E_DT_MRX || type == CHOIDev::E_DT_WP;
}

bool CHOIDevMgr::IsSupportRxMonitor(CHOIDev* pDev) const
{
    if (pDev && pDev->GetDevType() != CHOIDev::E_DT_RX)
        return false;
    return QueryFeature(pDev, HasRxMonitor);
}

bool CHOIDevMgr::IsSupportVideoSettings(CHOIDev* pDev) const { return QueryFeature(pDev, HasVideoSettings); }
bool CHOIDevMgr::IsSupportVolume(CHOIDev* pDev) const { return QueryFeature(pDev, HasVolume); }
bool CHOIDevMgr::IsSupportEdidReset(CHOIDev* pDev) const { return QueryFeature(pDev, HasEdidReset); }
bool CHOIDevMgr::IsSupportEdidExport(CHOIDev* pDev) const { return QueryFeature(pDev, HasEdidExport); }
bool CHOIDevMgr::IsSupportAudioSource(CHOIDev* pDev) const { return QueryFeature(pDev, HasAudioSource); }
bool CHOIDevMgr::IsHisiDev(CHOIDev* pDev) const { return QueryFeature(pDev, HasHisi); }
bool CHOIDevMgr::IsSupportJpeg(CHOIDev* pDev) const { return QueryFeature(pDev, HasJpeg); }
bool CHOIDevMgr::IsSupportAnalogMute(CHOIDev* pDev) const { return QueryFeature(pDev, HasAnalogMute); }
bool CHOIDevMgr::IsSupportHdmiMute(CHOIDev* pDev) const { return QueryFeature(pDev, HasHdmiMute); }
bool CHOIDevMgr::IsSupportMap(CHOIDev* pDev) const { return QueryFeature(pDev, HasMap); }
bool CHOIDevMgr::IsSupportOverlay(CHOIDev* pDev) const { return QueryFeature(pDev, HasOverlay); }
bool CHOIDevMgr::IsSupportWindow(CHOIDev* pDev) const { return QueryFeature(pDev, HasWindow); }
bool CHOIDevMgr::IsSupportViv(CHOIDev* pDev) const { return QueryFeature(pDev, HasViv); }
bool CHOIDevMgr::IsSupportAudioDelay(CHOIDev* pDev) const { return QueryFeature(pDev, HasAudioDelay); }
bool CHOIDevMgr::IsSupportLayout(CHOIDev* pDev) const { return QueryFeature(pDev, HasLayout); }
bool CHOIDevMgr::IsSupportVoMode(CHOIDev* pDev) const { return QueryFeature(pDev, HasVoMode); }
bool CHOIDevMgr::IsSupportVWMultiTx(CHOIDev* pDev) const { return QueryFeature(pDev, HasVWMultiTx); }
bool CHOIDevMgr::IsSupportVWAdvance(CHOIDev* pDev) const { return QueryFeature(pDev, HasVWAdvance); }

bool CHOIDevMgr::IsSupportIr(CHOIDev* pDev) const
{
    return m_bIrEnable && QueryFeature(pDev, HasIr);
}

bool CHOIDevMgr::IsSupportRs232(CHOIDev* pDev) const
{
    return m_bRs232Enable && QueryFeature(pDev, HasRs232);
}

bool CHOIDevMgr::IsSupportCec(CHOIDev* pDev) const
{
    return m_bCecEnable && QueryFeature(pDev, HasCec);
}

QString CHOIDevMgr::GetEdidPath(CHOIDev* pDev) const
{
    if (pDev) {
        const T_ProdIdInfo* pProd = FindProdIdInfo(pDev->GetHostName());
        return pProd ? pProd->edidpath : QString();
    }
    for (const T_ProdIdInfo& prod : m_prodList) {
        if (prod.edidpath.isEmpty())
            return QStringLiteral("monitor_info");
    }
    return QString();
}

// ---------------------------------------------------------------------------
// Product texts of one device

namespace {

QString DevWebUrl(const T_ProdIdInfo* pProd, const CHOIDev* pDev, const QString T_ProdIdInfo::*path)
{
    if (!pDev || !pProd)
        return QString();
    return QStringLiteral("http://%1").arg(pDev->GetIPAddr()) + pProd->*path;
}

} // namespace

QString CHOIDevMgr::GetDevUrl(CHOIDev* pDev) const
{
    return DevWebUrl(pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr, pDev, &T_ProdIdInfo::url);
}

QString CHOIDevMgr::GetDevBgUrl(CHOIDev* pDev) const
{
    return DevWebUrl(pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr, pDev, &T_ProdIdInfo::bg_url);
}

QString CHOIDevMgr::GetDevOverlayUrl(CHOIDev* pDev) const
{
    return DevWebUrl(pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr, pDev,
                     &T_ProdIdInfo::overlay_url);
}

QString CHOIDevMgr::GetDevPreviewUrl(CHOIDev* pDev) const
{
    return DevWebUrl(pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr, pDev,
                     &T_ProdIdInfo::preview_url);
}

QString CHOIDevMgr::GetMapType(CHOIDev* pDev) const
{
    const T_ProdIdInfo* pProd = pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr;
    return pProd ? pProd->map_type : QString();
}

QString CHOIDevMgr::GetModeTile(CHOIDev* pDev) const
{
    const T_ProdIdInfo* pProd = pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr;
    return pProd ? pProd->mode_tile : QString();
}

QString CHOIDevMgr::GetModeOverlay(CHOIDev* pDev) const
{
    const T_ProdIdInfo* pProd = pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr;
    return pProd ? pProd->mode_overlay : QString();
}

bool CHOIDevMgr::IsSupportOsdDisplayMethod(CHOIDev* pDev) const
{
    const T_ProdIdInfo* pProd = pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr;
    return pProd ? pProd->osd_display_method : true;
}

bool CHOIDevMgr::IsSupportMapDisplay(CHOIDev* pDev) const
{
    const T_ProdIdInfo* pProd = pDev ? FindProdIdInfo(pDev->GetHostName()) : nullptr;
    return pProd ? pProd->map_dispaly_enable : true;
}
