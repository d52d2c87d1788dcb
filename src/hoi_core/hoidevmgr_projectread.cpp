// The project file reader: rebuilds devices, layouts, walls, multiview data,
// groups, locations and schedules from a "*.hoi" file.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"
#include "hoi_core/xmlpath.h"
#include "hoidevmgr_p.h"

#include <QBuffer>
#include <QDebug>
#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QMetaEnum>
#include <QPair>
#include <QXmlStreamReader>

#include <limits>

namespace {

// The sections of the file; each has its own reader.
enum E_ProjectSection {
    E_PS_ROOT = 1,
    E_PS_DEVICES,
    E_PS_LAYOUTS,
    E_PS_SCHEDULES,
    E_PS_MULTIVIEW,
    E_PS_VIDEOWALLS,
};

// The element paths the reader acts on. An id carries its section above
// its low byte, so that an element goes to the reader of its section.
enum E_ProjectPath {
    E_PP_ROOT = E_PS_ROOT << 8,

    E_PP_DEV = E_PS_DEVICES << 8,
    E_PP_DEV_PARAM,
    E_PP_DEV_LOCATION,
    E_PP_DEV_GROUP,

    E_PP_SCENE = E_PS_LAYOUTS << 8,
    E_PP_SCENE_LOCATION,
    E_PP_SCENE_GROUP,
    E_PP_SCENE_CELL,
    E_PP_SCENE_WALL,
    E_PP_SCENE_DEV_SETUP,
    E_PP_WSCENE,
    E_PP_WSCENE_CELL,
    E_PP_WSCENE_SCREEN,
    E_PP_WSCENE_GROUP,
    E_PP_WSCENE2,
    E_PP_WSCENE2_CELL,
    E_PP_WSCENE2_SCREEN,
    E_PP_WSCENE2_GROUP,

    E_PP_SCHEDULE = E_PS_SCHEDULES << 8,

    E_PP_MSCENE = E_PS_MULTIVIEW << 8,
    E_PP_MSCENE_LAYOUT,
    E_PP_MSCENE_WINDOW,
    E_PP_MSCENE_AUDIO,
    E_PP_MSCENE_GROUP,

    E_PP_VWALL = E_PS_VIDEOWALLS << 8,
    E_PP_VWALL_CELL,
    E_PP_VWALL_LAYOUT,
    E_PP_VWALL_LAYOUT_CELL,
    E_PP_VWALL_SCREEN,
    E_PP_VWALL_SCREEN_DEV,
    E_PP_VWALL_GROUP,
};

inline int SectionOf(int pathId)
{
    return pathId >> 8;
}

const QHash<QString, int>& PathTable()
{
    static const QHash<QString, int> table = {
        {QStringLiteral("/hoi"), E_PP_ROOT},
        {QStringLiteral("/hoi/devices/item"), E_PP_DEV},
        {QStringLiteral("/hoi/devices/item/param"), E_PP_DEV_PARAM},
        {QStringLiteral("/hoi/devices/item/location/item"), E_PP_DEV_LOCATION},
        {QStringLiteral("/hoi/devices/item/group/item"), E_PP_DEV_GROUP},
        {QStringLiteral("/hoi/scenes/item"), E_PP_SCENE},
        {QStringLiteral("/hoi/scenes/item/location/item"), E_PP_SCENE_LOCATION},
        {QStringLiteral("/hoi/scenes/item/group/item"), E_PP_SCENE_GROUP},
        {QStringLiteral("/hoi/schedules/item"), E_PP_SCHEDULE},
        {QStringLiteral("/hoi/scenes/item/devices/item"), E_PP_SCENE_CELL},
        {QStringLiteral("/hoi/scenes/item/video_walls/item"), E_PP_SCENE_WALL},
        {QStringLiteral("/hoi/scenes/item/dev_setup/item"), E_PP_SCENE_DEV_SETUP},
        {QStringLiteral("/hoi/wscenes/item"), E_PP_WSCENE},
        {QStringLiteral("/hoi/wscenes/item/devices/item"), E_PP_WSCENE_CELL},
        {QStringLiteral("/hoi/wscenes/item/visualscreens/item"), E_PP_WSCENE_SCREEN},
        {QStringLiteral("/hoi/wscenes/item/group/item"), E_PP_WSCENE_GROUP},
        {QStringLiteral("/hoi/wscene2s/item"), E_PP_WSCENE2},
        {QStringLiteral("/hoi/wscene2s/item/devices/item"), E_PP_WSCENE2_CELL},
        {QStringLiteral("/hoi/wscene2s/item/visualscreens/item"), E_PP_WSCENE2_SCREEN},
        {QStringLiteral("/hoi/wscene2s/item/group/item"), E_PP_WSCENE2_GROUP},
        {QStringLiteral("/hoi/mscenes/item"), E_PP_MSCENE},
        {QStringLiteral("/hoi/mscenes/item/layouts/item"), E_PP_MSCENE_LAYOUT},
        {QStringLiteral("/hoi/mscenes/item/layouts/item/windows/item"), E_PP_MSCENE_WINDOW},
        {QStringLiteral("/hoi/mscenes/item/layouts/item/audio"), E_PP_MSCENE_AUDIO},
        {QStringLiteral("/hoi/mscenes/item/group/item"), E_PP_MSCENE_GROUP},
        {QStringLiteral("/hoi/videowalls/item"), E_PP_VWALL},
        {QStringLiteral("/hoi/videowalls/item/devices/item"), E_PP_VWALL_CELL},
        {QStringLiteral("/hoi/videowalls/item/layouts/item"), E_PP_VWALL_LAYOUT},
        {QStringLiteral("/hoi/videowalls/item/layouts/item/devices/item"), E_PP_VWALL_LAYOUT_CELL},
        {QStringLiteral("/hoi/videowalls/item/layouts/item/compositescreens/item"), E_PP_VWALL_SCREEN},
        {QStringLiteral("/hoi/videowalls/item/layouts/item/compositescreens/item/vpdevices/item"),
         E_PP_VWALL_SCREEN_DEV},
        {QStringLiteral("/hoi/videowalls/item/group/item"), E_PP_VWALL_GROUP},
    };
    return table;
}

// A fresh copy walks each file.
const CXmlPathMatcher& ProjectPaths()
{
    static const CXmlPathMatcher paths(PathTable());
    return paths;
}

// Attribute conversions: a missing attribute gives the empty text, 0 or false.
class Attrs
{
public:
    explicit Attrs(const QXmlStreamReader& reader)
        : m_attrs(reader.attributes())
    {
    }

    QString Text(const char* name) const { return m_attrs.value(QLatin1String(name)).toString(); }

    int Number(const char* name) const { return Text(name).toInt(); }

    uint Unsigned(const char* name) const { return Text(name).toUInt(); }

    bool YFlag(const char* name) const { return Text(name) == QLatin1String("y"); }

    bool OneFlag(const char* name) const { return Number(name) == 1; }

    bool NonZeroFlag(const char* name) const { return Number(name) != 0; }

private:
    QXmlStreamAttributes m_attrs;
};

// Value of an enum key registered with CHOIDev's meta-object; -1 when the
// key is unknown. The enumerators are looked up once per process.
int EnumValue(const char* enumName, const QString& key)
{
    static const QMetaEnum commType =
        CHOIDev::staticMetaObject.enumerator(CHOIDev::staticMetaObject.indexOfEnumerator("CommType"));
    static const QMetaEnum ipMode =
        CHOIDev::staticMetaObject.enumerator(CHOIDev::staticMetaObject.indexOfEnumerator("IPMode"));
    const QMetaEnum& e = qstrcmp(enumName, "CommType") == 0 ? commType : ipMode;
    if (!e.isValid() || key.isEmpty())
        return -1;
    bool ok = false;
    const int value = e.keyToValue(key.toLatin1().constData(), &ok);
    return ok ? value : -1;
}

// Up to three decimal numbers separated by sep; parts that do not parse, or
// do not fit the field, stay 0.
template <typename T>
void ParseTriple(const QString& text, QChar sep, T& a, T& b, T& c)
{
    T* fields[3] = {&a, &b, &c};
    const QStringList parts = text.split(sep);
    for (int i = 0; i < 3; ++i) {
        *fields[i] = 0;
        if (i >= parts.size())
            continue;
        bool ok = false;
        const uint value = parts.at(i).toUInt(&ok);
        if (ok && value <= std::numeric_limits<T>::max())
            *fields[i] = T(value);
    }
}

// Reads one video-wall rectangle or composite screen; null, after the
// debug line, when it does not lie inside the layout's grid.
T_VideoWallInfo* ReadWallRect(const Attrs& a, const CHOIScene* pScene, bool bCompositeScreen)
{
    T_VideoWallInfo* pWall = new T_VideoWallInfo;
    pWall->name = a.Text("name");
    pWall->mode = a.Number("mode");
    pWall->show_osd = a.OneFlag("show_osd") ? 1 : 0;
    pWall->pos_row = a.Number("pos_row");
    pWall->pos_col = a.Number("pos_col");
    pWall->row_count = a.Number("row_count");
    pWall->col_count = a.Number("col_count");
    pWall->ow = a.Number("ow");
    pWall->oh = a.Number("oh");
    pWall->vw = a.Number("vw");
    pWall->vh = a.Number("vh");
    if (bCompositeScreen)
        pWall->overlay = a.Unsigned("overlay") == 1 ? 1 : 0;

    // A rectangle reaching past the grid is refused like one starting outside.
    const int rows = pScene->GetRowCount();
    const int cols = pScene->GetColCount();
    const bool bInside = pWall->pos_row >= 0 && pWall->pos_row < rows && pWall->pos_col >= 0
                         && pWall->pos_col < cols && pWall->row_count >= 1 && pWall->col_count >= 1
                         && pWall->row_count <= rows - pWall->pos_row
                         && pWall->col_count <= cols - pWall->pos_col;
    if (!bInside) {
        qDebug() << "video_wall info error.";
        delete pWall;
        return nullptr;
    }
    return pWall;
}

// The name and network settings of a device item.
void ReadDevIdentity(const Attrs& a, const QString& hostName, CHOIDev* pDev)
{
    pDev->SetName(a.Text("name"));
    // Saved before its name was read: it still is unread.
    pDev->m_bNameUnread = pDev->GetName().isEmpty();
    pDev->m_strIrDev = a.Text("ir_dev");
    const int ipMode = EnumValue("IPMode", a.Text("ip_mode"));
    if (ipMode >= 0)
        pDev->m_eIPMode = CHOIDev::IPMode(ipMode);
    pDev->m_strEthAddr = a.Text("ethaddr");
    pDev->SetHostName(hostName, true);
    pDev->SetIPAddr(a.Text("ipaddr"));
    pDev->SetNetmask(a.Text("netmask"));
    pDev->SetGateway(a.Text("gatway"));
    pDev->SetIPAddr2(a.Text("ipaddr2"));
    pDev->SetNetmask2(a.Text("netmask2"));
    pDev->SetGateway2(a.Text("gatway2"));
    pDev->m_strSerial = a.Text("serial");
    pDev->m_strMulticastIP = a.Text("multicast_ip");
    pDev->m_strChSelect = a.Text("ch_select");
    pDev->m_strScene = a.Text("scene");
}

// The signal, output and behaviour settings of a device item.
void ReadDevSettings(const Attrs& a, CHOIDev* pDev)
{
    pDev->m_strSourceInfo = a.Text("sourceinfo");
    pDev->m_strSinkInfo = a.Text("sinkinfo");
    pDev->m_strVideoInput = a.Text("vi");
    pDev->m_strAudioInput = a.Text("ai");
    pDev->m_strVideoOutput = a.Text("vo");
    pDev->m_strForceResolution = a.Text("fvo");
    pDev->m_strColorSpace = a.Text("colorspace");
    pDev->m_strOverlayPosH = a.Text("coorx");
    pDev->m_strOverlayPosV = a.Text("coory");
    pDev->m_strOsdDisplayMethod = a.Text("macosd");
    pDev->m_nHwDipEnable = a.Number("dip");
    pDev->m_strOutputDip = a.Text("DVI-I");
    pDev->m_strHdmiResolution = a.Text("vrxhdmi");
    pDev->m_strCvbsResolution = a.Text("CVBS");
    pDev->m_strDviDResolution = a.Text("DRe");
    pDev->m_strVgaResolution = a.Text("vrxvga");
    pDev->m_strYPbPrResolution = a.Text("ypbpr");
    pDev->m_strMultiScreenVgaResolution = a.Text("zkvga");
    pDev->m_strEdid = a.Text("edid");
    pDev->m_strVideoIP = a.Text("videoip");
    pDev->m_strAudioIP = a.Text("audioip");
    pDev->m_strVoMode = a.Text("vo_mode");
    pDev->m_strMaxResolution = a.Text("max_resolution");
    pDev->m_nSequence = int(a.Unsigned("sequence"));
    pDev->m_strVersion = a.Text("version");
    pDev->m_bHdcpAlwaysOn = a.YFlag("hdcp_always_on");
    pDev->m_bHdcpAlwaysOn22 = a.YFlag("hdcp_always_on_22");
    pDev->m_strOutputTimingConvert = a.Text("output_timing_convert");
    pDev->m_bTurnOffScreenOnPwrSave = a.YFlag("turn_off_screen_on_pwr_save");
    pDev->m_nSrcUnavailableTimeout = a.Number("src_unavailable_timeout");
    pDev->m_strS0Baudrate = a.Text("s0_baudrate");
    pDev->m_nSoipType2TokenTimeout = int(a.Unsigned("soip_type2_token_timeout"));
    pDev->m_nVwStretchType = a.Number("nStretch");
    pDev->m_nVwRotate = a.Number("nRotate");
    pDev->m_bHdcpEnable = a.NonZeroFlag("hdcpset");
    pDev->m_bPreviewEnable = a.YFlag("bpreview");
    pDev->m_nVideoQualityMode = a.Number("iquality");
    // A virtual TX follows its gateway; the gateway itself is found once
    // every device is read. A device with an address of its own answered
    // discovery itself: it is nobody's virtual TX, whatever the file says.
    const QString parentHost = a.Text("parentdevice");
    if (CHOIDev::IsValidHostName(parentHost) && QHostAddress(pDev->GetIPAddr()).isNull())
        pDev->m_strParentHostName = parentHost;
}

// A group an item names joins the manager's list; returns the name.
QString NoteGroupOf(CHOIDevMgr& mgr, const Attrs& a)
{
    const QString name = a.Text("name");
    if (!name.isEmpty())
        mgr.AddGroup(name, a.Unsigned("sequence"));
    return name;
}

// "location/item" of a device or a layout.
template <typename Item>
void ReadLocationOf(CHOIDevMgr& mgr, const Attrs& a, Item* pItem)
{
    const QString name = a.Text("name");
    pItem->SetLocation(name);
    if (!name.isEmpty())
        mgr.AddLocation(name);
}

// "group/item" of a device or a layout; returns the group's name.
template <typename Item>
QString ReadGroupOf(CHOIDevMgr& mgr, const Attrs& a, Item* pItem)
{
    pItem->SetGroup(a.Text("name"));
    return NoteGroupOf(mgr, a);
}

T_VWDevSetup ReadDevSetup(const Attrs& a)
{
    T_VWDevSetup setup;
    setup.hshift = a.Number("hshift");
    setup.vshift = a.Number("vshift");
    setup.hscale = a.Number("hscale");
    setup.vscale = a.Number("vscale");
    setup.delay_kick = a.Number("delay_kick");
    return setup;
}

T_VisualScreenInfo ReadVisualScreen(const Attrs& a)
{
    T_VisualScreenInfo screen;
    screen.name = a.Text("name");
    screen.layerseq = a.Number("layerseq");
    screen.hstart = a.Number("hstart");
    screen.vstart = a.Number("vstart");
    screen.hsize = a.Number("hsize");
    screen.vsize = a.Number("vsize");
    screen.tx = a.Text("tx");
    return screen;
}

// The separator of the window geometries of a multiview layout record:
// "x,y,w,h" in the shipped layout file, "x_y_w_h" otherwise.
QChar GeometrySeparator(const QList<T_IpmLayoutInfo>& table, const QString& layoutName)
{
    for (const T_IpmLayoutInfo& layout : table) {
        if (layout.layout_name == layoutName) {
            const QString& geometry = layout.position_and_size_of_each_window;
            return !geometry.contains(QLatin1Char('_')) && geometry.contains(QLatin1Char(','))
                       ? QLatin1Char(',')
                       : QLatin1Char('_');
        }
    }
    return QLatin1Char('_');
}

// One window of a multiview layout as the decoder's layout text holds it:
// "tx:1:hstart_vstart_hsize_vsize:mode ", the geometry in the form of the
// layout's record, so that the layout is known again when it is saved.
// Files of earlier versions hold an "x,y,w,h" geometry whole in "hstart".
QString ReadWindowText(const Attrs& a, QChar sep)
{
    QString mode = a.Text("mode");
    if (mode.isEmpty())
        mode = QStringLiteral("fit");
    const QStringList parts = {a.Text("hstart"), a.Text("vstart"), a.Text("hsize"), a.Text("vsize")};
    const bool bWhole = parts.at(1).isEmpty() && parts.at(2).isEmpty() && parts.at(3).isEmpty()
                        && (parts.at(0).contains(QLatin1Char(',')) || parts.at(0).contains(QLatin1Char('_')));
    const QString geometry = bWhole ? parts.at(0) : parts.join(sep);
    return QStringLiteral("%1:1:%2:%3 ").arg(a.Text("tx"), geometry, mode);
}

// The whole file, read once.
bool ReadWholeFile(const QString& path, QByteArray& data)
{
    QFile file(path);
    if (!OpenToRead(file, path))
        return false;
    data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        qWarning() << "cannot read" << path << file.errorString();
        return false;
    }
    return true;
}

} // namespace

int CHOIDevMgr::ProjectFormatDepth()
{
    return ProjectPaths().MaxDepth();
}

CHOIDev* CHOIDevMgr::FindLoadedDev(const QString& hostName) const
{
    return hostName.isEmpty() ? nullptr : m_loadDevIndex.value(hostName, nullptr);
}

// FindVideoWallByName through the load index: the first wall of the name.
CHOIScene* CHOIDevMgr::FindLoadedWall(const QString& name) const
{
    return m_loadWallIndex.value(name, nullptr);
}

void CHOIDevMgr::NoteLoadedWall(CHOIScene* pWall)
{
    if (pWall && !m_loadWallIndex.contains(pWall->GetName()))
        m_loadWallIndex.insert(pWall->GetName(), pWall);
}

void CHOIDevMgr::NoteLoadedScene(CHOIScene* pScene)
{
    if (pScene)
        m_loadSceneIndex[CHOIScene::GetSceneNamePrefix(pScene->GetName())].append(pScene);
}

// SetDevToSceneCell with the wall and its layouts found through the load
// indexes: the same placements in the same order, without walking every
// layout for every receiver.
void CHOIDevMgr::SetLoadedDevToSceneCell(int row, int col, CHOIDev* pDev, const QString& wallName)
{
    if (pDev)
        SetCellDevOfWall(row, col, pDev, FindLoadedWall(wallName), m_loadSceneIndex.value(wallName));
}

CHOIDev* CHOIDevMgr::ReadDevItem(QXmlStreamReader& reader)
{
    const Attrs a(reader);
    const int commType = EnumValue("CommType", a.Text("comm_type"));
    const QString hostName = a.Text("hostname");
    // Host names go into other devices' shell lines: an item of any other
    // form (an empty name included) is left out.
    if (!CHOIDev::IsValidHostName(hostName)) {
        qWarning() << "device item with the host name" << hostName << "left out";
        return nullptr;
    }
    // One device per host name: a second item of the name is skipped.
    if (FindLoadedDev(hostName)) {
        qWarning() << "device" << hostName << "is listed more than once; only its first item is read";
        return nullptr;
    }
    // A model the product table lacks is kept as a device of unknown type,
    // so that the next save does not drop it from the file.
    int type = CHOIDev::E_DT_UNKNOWN;
    const T_ProdIdInfo* pProd = FindProdIdInfo(hostName, &type);
    if (!pProd)
        pProd = GetProdIdInfo(nullptr);

    CHOIDev* pDev = new CHOIDev(this, CHOIDev::DevType(type), pProd->param_prefix, pProd->old_api,
                                commType < 0 ? CHOIDev::E_CT_TELNET : CHOIDev::CommType(commType), nullptr);
    pDev->m_strEdidPath = pProd->edidpath;
    ReadDevIdentity(a, hostName, pDev);
    ReadDevSettings(a, pDev);

    // Wired last, so filling it raised no manager signal.
    m_devList.append(pDev);
    WireDevice(pDev);
    m_loadDevIndex.insert(pDev->GetHostName(), pDev);
    return pDev;
}

void CHOIDevMgr::ReadDevParamItem(QXmlStreamReader& reader, CHOIDev* pDev)
{
    const Attrs a(reader);
    const QByteArray name = a.Text("name").toUtf8();
    if (name.isEmpty())
        return;
    const QByteArray value = a.Text("value").toUtf8().trimmed();
    const QVariant typed = T_ProdIdInfo::ParseParamLine(name, value);
    if (typed.isNull())
        return;
    pDev->m_mapOptions.insert(QString::fromUtf8(name), typed);
}

// The one routine behind the plain and the two windowing layout items; kind
// 0 is a plain layout, 1 "PiP/Windowing Decoders", 2 "Video Wall within a Wall".
CHOIScene* CHOIDevMgr::ReadLayoutItem(QXmlStreamReader& reader, int kind)
{
    const Attrs a(reader);
    CHOIScene* pScene = CreateScene(a.Text("name"));
    if (!pScene)
        return nullptr;
    NoteLoadedScene(pScene);
    pScene->SetAutoApply(a.OneFlag("auto_apply"));
    pScene->SetGridSize(a.Number("row_count"), a.Number("col_count"));
    pScene->SetLayoutSeq(int(a.Unsigned("layoutseq")));
    // Files mark the active layout with "0"; a missing mark counts as active.
    pScene->SetDefault(a.Unsigned("isDefault") == 0);
    if (kind == 1)
        pScene->SetWindowLayout(true);
    else if (kind == 2)
        pScene->SetVivLayout(true);
    // An existing wall is left as it is.
    if (!FindLoadedWall(CHOIScene::GetSceneNamePrefix(pScene->GetName())))
        NoteLoadedWall(GetOrCreateVideoWallOfScene(pScene, int(a.Unsigned("sequence"))));
    return pScene;
}

CHOIScene* CHOIDevMgr::ReadSceneItem(QXmlStreamReader& reader)
{
    return ReadLayoutItem(reader, 0);
}

CHOIScene* CHOIDevMgr::ReadWindowSceneItem(QXmlStreamReader& reader)
{
    return ReadLayoutItem(reader, 1);
}

CHOIScene* CHOIDevMgr::ReadVivSceneItem(QXmlStreamReader& reader)
{
    return ReadLayoutItem(reader, 2);
}

void CHOIDevMgr::ReadSceneGroupItem(QXmlStreamReader& reader, CHOIScene* pScene)
{
    const QString name = ReadGroupOf(*this, Attrs(reader), pScene);
    if (CHOIScene* pWall = FindLoadedWall(CHOIScene::GetSceneNamePrefix(pScene->GetName())))
        SetWallGroup(pWall, name);
}

// A wall and every RX in its cells take the group.
void CHOIDevMgr::SetWallGroup(CHOIScene* pWall, const QString& group)
{
    pWall->SetGroup(group);
    for (const T_SceneCell* pCell : qAsConst(pWall->m_cells)) {
        if (pCell && pCell->rx)
            pCell->rx->SetGroup(group);
    }
}

CHOIDev* CHOIDevMgr::ReadMSceneItem(QXmlStreamReader& reader)
{
    return FindLoadedDev(Attrs(reader).Text("hostname"));
}

CHOIScene* CHOIDevMgr::ReadVideoWallItem(QXmlStreamReader& reader)
{
    const Attrs a(reader);
    const QString name = a.Text("name");
    CHOIScene* pWall = FindLoadedWall(name);
    if (!pWall) {
        pWall = GetOrCreateVideoWall(name);
        NoteLoadedWall(pWall);
    }
    pWall->SetGridSize(a.Number("row_count"), a.Number("col_count"));
    pWall->SetLayoutSeq(int(a.Unsigned("sequence")));
    return pWall;
}

CHOIScene* CHOIDevMgr::ReadWPLayoutItem(QXmlStreamReader& reader, CHOIScene* pWall)
{
    const Attrs a(reader);
    CHOIScene* pScene = CreateScene(pWall->GetName() + QLatin1Char('-') + a.Text("name"));
    if (!pScene)
        return nullptr;
    NoteLoadedScene(pScene);
    pScene->SetAutoApply(a.OneFlag("auto_apply"));
    pScene->SetGridSize(pWall->GetRowCount(), pWall->GetColCount());
    pScene->SetLayoutSeq(int(a.Unsigned("layoutseq")));
    pScene->SetDefault(a.Unsigned("isDefault") == 0);
    pScene->SetWPLayout(true);
    pScene->CopyCellsFrom(pWall, pWall->GetRowCount(), pWall->GetColCount());
    return pScene;
}

T_ScheduleInfo* CHOIDevMgr::ReadScheduleItem(QXmlStreamReader& reader)
{
    const Attrs a(reader);
    const uint type = a.Unsigned("type");
    if (type >= 5)
        return nullptr;
    T_ScheduleInfo* pInfo = new T_ScheduleInfo;
    pInfo->fired = false;
    pInfo->scene = nullptr;
    pInfo->type = int(type);
    pInfo->activited = a.NonZeroFlag("activited");
    pInfo->limit_date = a.NonZeroFlag("limit_date");
    pInfo->weekdays = quint32(a.Number("weekdays"));
    ParseTriple(a.Text("start_date"), QLatin1Char('-'), pInfo->start_date.year, pInfo->start_date.month,
                pInfo->start_date.day);
    ParseTriple(a.Text("end_date"), QLatin1Char('-'), pInfo->end_date.year, pInfo->end_date.month,
                pInfo->end_date.day);
    ParseTriple(a.Text("exec_time"), QLatin1Char(':'), pInfo->exec_time.hour, pInfo->exec_time.minute,
                pInfo->exec_time.second);
    pInfo->scene = FindSceneByName(a.Text("scene"));
    m_scheduleList.append(pInfo);
    return pInfo;
}

// "devices/item" of a layout: the TX and the RX of one cell.
void CHOIDevMgr::ReadCellLink(QXmlStreamReader& reader, CHOIScene* pScene, bool bWithTx,
                              CHOIScene* pWallOfCell)
{
    const Attrs a(reader);
    const int row = a.Number("pos_row");
    const int col = a.Number("pos_col");
    if (row < 0 || row >= pScene->GetRowCount() || col < 0 || col >= pScene->GetColCount()
        || row * pScene->GetColCount() + col >= pScene->m_cells.size())
        return;
    T_SceneCell* pCell = pScene->GetCell(row, col);
    if (bWithTx) {
        const QStringList hostNames = a.Text("tx").split(QLatin1Char('|'), Qt::SkipEmptyParts);
        for (const QString& hostName : hostNames) {
            if (CHOIDev* pTx = FindLoadedDev(hostName))
                pCell->txList.append(pTx);
        }
    }
    CHOIDev* pRx = FindLoadedDev(a.Text("rx"));
    pCell->rx = pRx;
    if (!pRx)
        return;
    if (pWallOfCell) {
        SetLoadedDevToSceneCell(row, col, pRx, pWallOfCell->GetName());
        pRx->SetVideoWall(pWallOfCell);
        return;
    }
    const QString wallName = CHOIScene::GetSceneNamePrefix(pScene->GetName());
    SetLoadedDevToSceneCell(row, col, pRx, wallName);
    if (CHOIScene* pWall = FindLoadedWall(wallName))
        pRx->SetVideoWall(pWall);
}

// Names are resolved through these indexes while the file is read; the
// first device or wall of a name wins, as with FindDevByHostName and
// FindVideoWallByName.
void CHOIDevMgr::BeginProjectLoad()
{
    m_loadDevIndex.clear();
    for (CHOIDev* pDev : qAsConst(m_devList)) {
        if (pDev && !m_loadDevIndex.contains(pDev->GetHostName()))
            m_loadDevIndex.insert(pDev->GetHostName(), pDev);
    }
    m_loadWallIndex.clear();
    for (CHOIScene* pWall : qAsConst(m_videoWallList))
        NoteLoadedWall(pWall);
    m_loadSceneIndex.clear();
    for (CHOIScene* pScene : qAsConst(m_sceneList))
        NoteLoadedScene(pScene);
}

void CHOIDevMgr::EndProjectLoad()
{
    m_loadDevIndex.clear();
    m_loadWallIndex.clear();
    m_loadSceneIndex.clear();
}

// What the reader carries from an item to the elements inside it.
struct CHOIDevMgr::T_ProjectReadState
{
    CHOIDev* pCurDev = nullptr;
    CHOIScene* pCurScene = nullptr; // a layout, or under "videowalls" the wall
    CHOIScene* pCurWallLayout = nullptr;
    QString mvLayoutName;
    QChar mvGeometrySep = QLatin1Char('_');
    QString mvWindows;
    T_IpmAudioInfo mvAudio;
    QString screenName;
    // Resolved once every device is read: the TX a device shows (by its
    // display name) and the gateways of virtual TX.
    QList<QPair<CHOIDev*, QString>> shownTx;
    QList<CHOIDev*> childDevs;
};

void CHOIDevMgr::ReadDevicesElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state)
{
    switch (id) {
    case E_PP_DEV:
        state.pCurDev = ReadDevItem(xml);
        if (state.pCurDev) {
            const QString shownTx = Attrs(xml).Text("TX");
            if (!shownTx.isEmpty())
                state.shownTx.append(qMakePair(state.pCurDev, shownTx));
            if (!state.pCurDev->m_strParentHostName.isEmpty())
                state.childDevs.append(state.pCurDev);
        }
        break;
    case E_PP_DEV_PARAM:
        if (state.pCurDev)
            ReadDevParamItem(xml, state.pCurDev);
        break;
    case E_PP_DEV_LOCATION:
        if (state.pCurDev)
            ReadLocationOf(*this, Attrs(xml), state.pCurDev);
        break;
    case E_PP_DEV_GROUP:
        if (state.pCurDev)
            ReadGroupOf(*this, Attrs(xml), state.pCurDev);
        break;
    default:
        break;
    }
}

// "scenes", "wscenes" and "wscene2s": the plain and the two windowing
// layout kinds.
void CHOIDevMgr::ReadLayoutsElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state)
{
    CHOIScene*& pCurScene = state.pCurScene;
    switch (id) {
    case E_PP_SCENE:
        pCurScene = ReadSceneItem(xml);
        break;
    case E_PP_WSCENE:
        pCurScene = ReadWindowSceneItem(xml);
        break;
    case E_PP_WSCENE2:
        pCurScene = ReadVivSceneItem(xml);
        break;
    case E_PP_SCENE_LOCATION:
        if (pCurScene)
            ReadLocationOf(*this, Attrs(xml), pCurScene);
        break;
    case E_PP_SCENE_GROUP:
    case E_PP_WSCENE_GROUP:
    case E_PP_WSCENE2_GROUP:
        if (pCurScene)
            ReadSceneGroupItem(xml, pCurScene);
        break;
    case E_PP_SCENE_CELL:
    case E_PP_WSCENE_CELL:
    case E_PP_WSCENE2_CELL:
        if (pCurScene)
            ReadCellLink(xml, pCurScene, true, nullptr);
        break;
    case E_PP_SCENE_WALL:
        if (pCurScene) {
            if (T_VideoWallInfo* pWall = ReadWallRect(Attrs(xml), pCurScene, false))
                pCurScene->InsertVideoWall(pWall);
        }
        break;
    case E_PP_SCENE_DEV_SETUP:
        if (pCurScene) {
            const Attrs a(xml);
            if (CHOIDev* pDev = FindLoadedDev(a.Text("dev_hostname")))
                pCurScene->SetDevSetup(pDev, ReadDevSetup(a));
        }
        break;
    case E_PP_WSCENE_SCREEN:
    case E_PP_WSCENE2_SCREEN:
        if (pCurScene)
            pCurScene->m_visualScreens.append(ReadVisualScreen(Attrs(xml)));
        break;
    default:
        break;
    }
}

// "mscenes": the layouts, windows and audio of each multiview decoder.
void CHOIDevMgr::ReadMultiviewElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state)
{
    CHOIDev* pCurDev = state.pCurDev;
    switch (id) {
    case E_PP_MSCENE:
        state.pCurDev = ReadMSceneItem(xml);
        state.mvLayoutName.clear();
        state.mvWindows.clear();
        state.mvAudio.Clear();
        break;
    case E_PP_MSCENE_LAYOUT:
        if (pCurDev) {
            const Attrs a(xml);
            state.mvLayoutName = a.Text("name");
            state.mvGeometrySep = GeometrySeparator(m_ipmLayoutList, state.mvLayoutName);
            pCurDev->AddIPMLayout(state.mvLayoutName, int(a.Unsigned("layoutseq")));
            state.mvWindows.clear();
            state.mvAudio.Clear();
        }
        break;
    case E_PP_MSCENE_WINDOW:
        if (pCurDev) {
            state.mvWindows += ReadWindowText(Attrs(xml), state.mvGeometrySep);
            pCurDev->SetIPMLayoutWindows(state.mvLayoutName, state.mvWindows);
        }
        break;
    case E_PP_MSCENE_AUDIO:
        if (pCurDev) {
            const Attrs a(xml);
            state.mvAudio.mode = a.Text("mode");
            state.mvAudio.source = a.Text("source");
            pCurDev->SetIPMLayoutAudio(state.mvLayoutName, state.mvAudio);
        }
        break;
    default:
        break;
    }
}

// "videowalls": each wall of a wall processor with its layouts and their
// composite screens.
void CHOIDevMgr::ReadVideoWallsElement(int id, QXmlStreamReader& xml, T_ProjectReadState& state)
{
    CHOIScene* pCurScene = state.pCurScene;
    CHOIScene*& pCurWallLayout = state.pCurWallLayout;
    switch (id) {
    case E_PP_VWALL:
        state.pCurScene = ReadVideoWallItem(xml);
        // The layouts of an earlier wall must not take this wall's data.
        pCurWallLayout = nullptr;
        break;
    case E_PP_VWALL_CELL:
        if (pCurScene)
            ReadCellLink(xml, pCurScene, false, pCurScene);
        break;
    case E_PP_VWALL_LAYOUT:
        if (pCurScene)
            pCurWallLayout = ReadWPLayoutItem(xml, pCurScene);
        state.screenName.clear();
        break;
    case E_PP_VWALL_LAYOUT_CELL:
        if (pCurScene && pCurWallLayout)
            ReadCellLink(xml, pCurWallLayout, true, nullptr);
        break;
    case E_PP_VWALL_SCREEN:
        state.screenName.clear();
        if (pCurScene && pCurWallLayout) {
            if (T_VideoWallInfo* pWall = ReadWallRect(Attrs(xml), pCurWallLayout, true)) {
                // Only an accepted screen can take a processor device.
                state.screenName = pWall->name;
                pCurWallLayout->InsertVideoWall(pWall);
            }
        }
        break;
    case E_PP_VWALL_SCREEN_DEV:
        if (pCurScene && pCurWallLayout && !state.screenName.isEmpty()) {
            if (CHOIDev* pDev = FindLoadedDev(Attrs(xml).Text("name")))
                pCurWallLayout->SetVideoWallDevice(state.screenName, pDev->GetHostName(), pDev->GetDisplayName());
        }
        break;
    case E_PP_VWALL_GROUP:
        if (pCurScene) {
            // Taken by the wall's own layout read last; a wall without one
            // takes its group itself, never another wall.
            const QString name = NoteGroupOf(*this, Attrs(xml));
            if (pCurWallLayout)
                pCurWallLayout->SetGroup(name);
            SetWallGroup(pCurScene, name);
        }
        break;
    default:
        break;
    }
}

// Walks the document and hands each element the format knows to the reader
// of its section; false when the root is not "hoi".
bool CHOIDevMgr::ReadProjectElements(QXmlStreamReader& xml)
{
    CXmlPathMatcher paths = ProjectPaths();
    T_ProjectReadState state;
    while (paths.ReadToStartElement(xml)) {
        if (paths.Depth() == 1) {
            if (paths.Id() != E_PP_ROOT)
                return false;
            continue;
        }
        const int id = paths.Id();
        switch (SectionOf(id)) {
        case E_PS_DEVICES:
            ReadDevicesElement(id, xml, state);
            break;
        case E_PS_LAYOUTS:
            ReadLayoutsElement(id, xml, state);
            break;
        case E_PS_SCHEDULES:
            ReadScheduleItem(xml);
            break;
        case E_PS_MULTIVIEW:
            ReadMultiviewElement(id, xml, state);
            break;
        case E_PS_VIDEOWALLS:
            ReadVideoWallsElement(id, xml, state);
            break;
        default:
            break;
        }
    }
    ResolveDevLinks(state);
    return true;
}

void CHOIDevMgr::ResolveDevLinks(const T_ProjectReadState& state)
{
    for (CHOIDev* pDev : state.childDevs) {
        CHOIDev* pParent = FindLoadedDev(pDev->m_strParentHostName);
        if (pParent && pParent->GetDevType() == CHOIDev::E_DT_GW)
            pDev->m_pParentDev = pParent;
    }
    if (state.shownTx.isEmpty())
        return;
    QHash<QString, CHOIDev*> txByName;
    for (CHOIDev* pDev : qAsConst(m_devList)) {
        if (pDev && pDev->GetDevType() == CHOIDev::E_DT_TX && !txByName.contains(pDev->GetDisplayName()))
            txByName.insert(pDev->GetDisplayName(), pDev);
    }
    for (const auto& shown : state.shownTx)
        shown.first->SetTXDev(txByName.value(shown.second, nullptr));
}

bool CHOIDevMgr::ImportDevInfoFile(const QString& path)
{
    // Read once and parsed twice from memory, so both passes see the same
    // bytes even if the file changes meanwhile.
    QByteArray data;
    if (!ReadWholeFile(path, data))
        return false;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    if (!CheckProjectStream(&buffer, path))
        return false;
    buffer.seek(0);

    BeginProjectLoad();
    QXmlStreamReader xml(&buffer);
    const bool bRootOk = ReadProjectElements(xml);
    EndProjectLoad();
    if (!bRootOk) {
        qWarning() << path << "is no project file";
        return false;
    }
    if (xml.hasError()) {
        qWarning() << path << "is damaged:" << xml.errorString() << "at line" << xml.lineNumber();
        return false;
    }
    return true;
}
