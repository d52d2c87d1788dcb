// The product table of "config.xml" and every question answered from it.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/appservices.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/xmlpath.h"

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

// The texts of a product, copied as they are.
const T_XmlField<T_ProdIdInfo, QString> kProdTexts[] = {
    {"id", &T_ProdIdInfo::id},
    {"name", &T_ProdIdInfo::name},
    {"type", &T_ProdIdInfo::type},
    {"tx", &T_ProdIdInfo::tx},
    {"video_wall", &T_ProdIdInfo::video_wall},
    {"param_prefix", &T_ProdIdInfo::param_prefix},
    {"tx_video_input", &T_ProdIdInfo::tx_video_input},
    {"force_resolution", &T_ProdIdInfo::force_resolution},
    {"force_color_space", &T_ProdIdInfo::force_color_space},
    {"vrx_force_resolution", &T_ProdIdInfo::vrx_force_resolution},
    {"CVBS_Resolution", &T_ProdIdInfo::CVBS_Resolution},
    {"VGA_Resolution", &T_ProdIdInfo::VGA_Resolution},
    {"DVID_Resolution", &T_ProdIdInfo::DVID_Resolution},
    {"YPbPr_Resolution", &T_ProdIdInfo::YPbPr_Resolution},
    {"ZK_VGA_Resolu", &T_ProdIdInfo::ZK_VGA_Resolu},
    {"edidpath", &T_ProdIdInfo::edidpath},
    {"map_type", &T_ProdIdInfo::map_type},
    {"url", &T_ProdIdInfo::url},
    {"bg_url", &T_ProdIdInfo::bg_url},
    {"overlay_url", &T_ProdIdInfo::overlay_url},
    {"preview_url", &T_ProdIdInfo::preview_url},
    {"mode_tile", &T_ProdIdInfo::mode_tile},
    {"mode_overlay", &T_ProdIdInfo::mode_overlay},
};

// The feature flags of a product, each with its value when absent.
const struct
{
    const char* name;
    bool T_ProdIdInfo::*member;
    bool bDefault;
} kProdFlags[] = {
    {"rx_monitor", &T_ProdIdInfo::rx_monitor, false},
    {"osd_enable", &T_ProdIdInfo::osd_enable, true},
    {"old_api", &T_ProdIdInfo::old_api, false},
    {"rs232_enable", &T_ProdIdInfo::rs232_enable, false},
    {"ir_enable", &T_ProdIdInfo::ir_enable, false},
    {"cec_enable", &T_ProdIdInfo::cec_enable, false},
    {"vw_multi_tx", &T_ProdIdInfo::vw_multi_tx, false},
    {"vw_advance", &T_ProdIdInfo::vw_advance, false},
    {"tx_edid_reset_enable", &T_ProdIdInfo::tx_edid_reset_enable, true},
    {"mute_enable", &T_ProdIdInfo::mute_enable, true},
    {"hdmi_mute", &T_ProdIdInfo::hdmi_mute, false},
    {"vo_mode", &T_ProdIdInfo::vo_mode, false},
    {"audio_delay", &T_ProdIdInfo::audio_delay, false},
    {"audio_batch", &T_ProdIdInfo::audio_batch, false},
    {"layout_enable", &T_ProdIdInfo::layout_enable, false},
    {"hisi_enable", &T_ProdIdInfo::hisi_enable, true},
    {"jpeg_enable", &T_ProdIdInfo::jpeg_enable, true},
    {"map_enable", &T_ProdIdInfo::map_enable, false},
    {"overlay_enable", &T_ProdIdInfo::overlay_enable, false},
    {"preview_enable", &T_ProdIdInfo::preview_enable, false},
    {"map_dispaly_enable", &T_ProdIdInfo::map_dispaly_enable, true},
    {"window_enable", &T_ProdIdInfo::window_enable, false},
    {"viv_enable", &T_ProdIdInfo::viv_enable, false},
    {"wall_set", &T_ProdIdInfo::wall_set, false},
    {"video_set_2", &T_ProdIdInfo::video_set_2, false},
    {"serial_set", &T_ProdIdInfo::serial_set, false},
    {"image_bg", &T_ProdIdInfo::image_bg, false},
    {"idle_enable", &T_ProdIdInfo::idle_enable, false},
    {"image_logo", &T_ProdIdInfo::image_logo, false},
    {"ipc_enable", &T_ProdIdInfo::ipc_enable, false},
    {"ipc_flag", &T_ProdIdInfo::ipc_flag, false},
    {"sink_rs", &T_ProdIdInfo::sink_rs, false},
    {"sink_tx_rs", &T_ProdIdInfo::sink_tx_rs, false},
    {"video_mode_set", &T_ProdIdInfo::video_mode_set, true},
    {"display_power", &T_ProdIdInfo::display_power, true},
    {"osd_display_method", &T_ProdIdInfo::osd_display_method, false},
    {"edie_setting", &T_ProdIdInfo::edie_setting, false},
    {"video_profile", &T_ProdIdInfo::video_profile, false},
    {"video_rate_control", &T_ProdIdInfo::video_rate_control, false},
    {"video_rate_control_fix", &T_ProdIdInfo::video_rate_control_fix, false},
    {"video_max_bit", &T_ProdIdInfo::video_max_bit, false},
    {"video_minQP", &T_ProdIdInfo::video_minQP, false},
    {"video_maxQP", &T_ProdIdInfo::video_maxQP, false},
    {"video_GOP", &T_ProdIdInfo::video_GOP, false},
    {"video_FPS", &T_ProdIdInfo::video_FPS, false},
    {"video_transport_type", &T_ProdIdInfo::video_transport_type, false},
    {"max_resolution", &T_ProdIdInfo::max_resolution, false},
    {"max_bitrate", &T_ProdIdInfo::max_bitrate, false},
    {"hdcp_enable", &T_ProdIdInfo::hdcp_enable, false},
    {"edid_export", &T_ProdIdInfo::edid_export, false},
    {"audio_source", &T_ProdIdInfo::audio_source, false},
};

// The counts of a product; absent or not a number gives 0.
const T_XmlField<T_ProdIdInfo, qint32> kProdCounts[] = {
    {"tx_if_count", &T_ProdIdInfo::tx_if_count},
    {"tile_maxwinsnum", &T_ProdIdInfo::tile_maxwinsnum},
    {"overlay_maxwinsnum", &T_ProdIdInfo::overlay_maxwinsnum},
};

// The audio ports of a product and the range of their gain.
void ReadAudioPorts(const AttrReader& a, T_ProdIdInfo& prod)
{
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
}

void ReadProduct(const QXmlStreamAttributes& attrs, T_ProdIdInfo& prod)
{
    const AttrReader a(attrs);
    for (const auto& text : kProdTexts)
        prod.*text.member = a.Text(text.name);
    for (const auto& flag : kProdFlags)
        prod.*flag.member = a.Bool(flag.name, flag.bDefault);
    for (const auto& count : kProdCounts)
        prod.*count.member = a.Int(count.name);
    ReadAudioPorts(a, prod);
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
    QString foundRoot;
    const auto onElement = [this](const QString& elementPath, const QXmlStreamAttributes& attrs) {
        if (elementPath == QLatin1String("/hoiprod")) {
            ReadProdConfigFlags(attrs);
        } else if (elementPath == QLatin1String("/hoiprod/product")) {
            if (!StrToBool(attrs.value(QLatin1String("show")).toString(), true))
                return;
            T_ProdIdInfo prod;
            ReadProduct(attrs, prod);
            m_prodList.append(prod);
        }
    };
    if (!ReadXmlPaths(xml, QStringLiteral("/hoiprod"), onElement, &foundRoot)) {
        qWarning() << path << "does not begin with \"hoiprod\" but with" << foundRoot;
        return false;
    }
    // A damaged file still starts the program with what was read before the fault.
    if (xml.hasError())
        qWarning() << path << "line" << xml.lineNumber() << "column" << xml.columnNumber() << ":"
                   << xml.errorString() << "- products read so far are kept";

    ResolveProdSets();
    m_strConfigFilePath = path;
    return true;
}

void CHOIDevMgr::ReadProdConfigFlags(const QXmlStreamAttributes& attrs)
{
    // The switches of the whole console, on the root element.
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
}

void CHOIDevMgr::ResolveProdSets()
{
    // Ids may name products later in the file, so the sets are resolved last.
    // The list is not copied from here on: the sets point into it.
    const auto resolve = [this](const QString& ids, QSet<const T_ProdIdInfo*>& set) {
        const QStringList idList = ids.split(QLatin1Char('|'));
        for (const QString& id : idList) {
            if (const T_ProdIdInfo* pFound = id.isEmpty() ? nullptr : FindProdIdInfoById(id))
                set.insert(pFound);
        }
    };
    for (int i = 0; i < m_prodList.size(); ++i) {
        T_ProdIdInfo& prod = m_prodList[i];
        resolve(prod.tx, prod.tx_products);
        resolve(prod.video_wall, prod.video_wall_products);
    }
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
    // Every log line that names a device asks: one string, built once.
    QString name;
    name.reserve(pProd->name.size() + hostName.size() - dash);
    name.append(pProd->name).append(hostName.midRef(dash));
    return name;
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
