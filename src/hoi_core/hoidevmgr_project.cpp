// The project file writer: the whole installation as one "*.hoi" XML file.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"
#include "hoi_core/xmlpath.h"
#include "hoidevmgr_p.h"

#include <QDebug>
#include <QMetaEnum>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <functional>

namespace {

// Screens of this size are what the IP controller lays its windows out on.
const int kCanvasWidth = 1920;
const int kCanvasHeight = 1080;
// A composite screen of a windowing processor takes at most this many windows.
const int kMaxWindowsPerScreen = 6;
// Window count of a multiview decoder whose product is unknown.
const int kDefaultMaxWindows = 8;

inline void Attr(QXmlStreamWriter& xml, const char* name, const QString& value)
{
    xml.writeAttribute(QLatin1String(name), XmlText(value));
}

inline void Attr(QXmlStreamWriter& xml, const char* name, qint64 value)
{
    xml.writeAttribute(QLatin1String(name), QString::number(value));
}

// Key of an enum value as registered with CHOIDev's meta-object; empty for a
// value without key.
QString EnumKey(const char* enumName, int value)
{
    const QMetaObject& mo = CHOIDev::staticMetaObject;
    const int index = mo.indexOfEnumerator(enumName);
    if (index < 0)
        return QString();
    return QString::fromLatin1(mo.enumerator(index).valueToKey(value));
}

// "A|B|" for TX host names A and B.
QString TxListText(const QList<CHOIDev*>& txList)
{
    QString text;
    for (CHOIDev* pTx : txList) {
        if (pTx)
            text += pTx->GetHostName();
        text += QLatin1Char('|');
    }
    return text;
}

// The size of the screen windows are laid out on.
void WriteCanvasSize(QXmlStreamWriter& xml)
{
    Attr(xml, "hsize", kCanvasWidth);
    Attr(xml, "vsize", kCanvasHeight);
}

// The "devices" element: the cells of a layout, row by row, skipping empty
// ones. Returns whether a cell with an RX was written.
bool WriteCells(QXmlStreamWriter& xml, const CHOIScene* pScene, bool bWithTx)
{
    bool bHasRx = false;
    xml.writeStartElement(QStringLiteral("devices"));
    ForEachCell(pScene, [&](int r, int c, const T_SceneCell* pCell) {
        if (!pCell->rx && pCell->txList.isEmpty())
            return;
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "pos_row", r);
        Attr(xml, "pos_col", c);
        if (pCell->rx) {
            Attr(xml, "rx", pCell->rx->GetHostName());
            bHasRx = true;
        }
        if (bWithTx && !pCell->txList.isEmpty())
            Attr(xml, "tx", TxListText(pCell->txList));
        xml.writeEndElement();
    });
    xml.writeEndElement();
    return bHasRx;
}

// Splits at sep and pads the result to count parts, so that a short text
// gives empty parts instead of running off the end.
QStringList SplitPadded(const QString& text, QChar sep, int count)
{
    QStringList parts = text.split(sep);
    while (parts.size() < count)
        parts.append(QString());
    return parts;
}

// The four parts of a window's geometry: "x_y_w_h", or "x,y,w,h" as the
// shipped layout file writes it (the reader puts it back in the form of
// the layout's own record).
QStringList GeometryParts(const QString& geometry)
{
    const QChar sep = geometry.contains(QLatin1Char('_')) ? QLatin1Char('_') : QLatin1Char(',');
    return SplitPadded(geometry, sep, 4);
}

void WriteWindowItem(QXmlStreamWriter& xml, int number, const QString& geometry,
                     const QString& tx, const QString& mode)
{
    const QStringList geo = GeometryParts(geometry);
    xml.writeStartElement(QStringLiteral("item"));
    Attr(xml, "name", number);
    Attr(xml, "layerseq", number);
    Attr(xml, "hstart", geo.at(0));
    Attr(xml, "vstart", geo.at(1));
    Attr(xml, "hsize", geo.at(2));
    Attr(xml, "vsize", geo.at(3));
    Attr(xml, "tx", tx);
    Attr(xml, "mode", mode.isEmpty() ? QStringLiteral("fit") : mode);
    xml.writeEndElement();
}

// A section element with an "item" for each entry of the list that is not
// null and that take() accepts; write() fills the item.
template <typename T, typename Take, typename Write>
void WriteSection(QXmlStreamWriter& xml, const char* section, const QList<T*>& list, Take take, Write write)
{
    xml.writeStartElement(QLatin1String(section));
    for (T* p : list) {
        if (!p || !take(p))
            continue;
        xml.writeStartElement(QStringLiteral("item"));
        write(p);
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

template <typename T>
bool EveryEntry(const T*)
{
    return true;
}

bool IsPlainLayout(const CHOIScene* pScene)
{
    return !pScene->IsWindowLayout() && !pScene->IsVivLayout() && !pScene->IsWPLayout();
}

bool IsMultiviewDecoder(const CHOIDev* pDev)
{
    return pDev->GetDevType() == CHOIDev::E_DT_MRX;
}

// The location of a device or a plain layout, when it has one.
void WriteLocationItem(const QString& location, QXmlStreamWriter& xml)
{
    if (location.isEmpty())
        return;
    xml.writeStartElement(QStringLiteral("location"));
    xml.writeStartElement(QStringLiteral("item"));
    Attr(xml, "name", location);
    xml.writeEndElement();
    xml.writeEndElement();
}

// The wall of a layout whose wall has no RX, with the layout's group.
void NoteWithoutRx(QMap<QString, QString>& layoutsWithoutRx, const CHOIScene* pScene)
{
    layoutsWithoutRx.insert(CHOIScene::GetSceneNamePrefix(pScene->GetName()), pScene->GetGroup());
}

} // namespace

// The group of a device, layout or wall. A device always gets one item, the
// pseudo-group when it has none; a layout without group gets an empty element.
void CHOIDevMgr::WriteGroupItem(const QString& group, bool bDevForm, QXmlStreamWriter& xml) const
{
    xml.writeStartElement(QStringLiteral("group"));
    const QString name = (bDevForm && group.isEmpty()) ? g_strUngrouped : group;
    if (!name.isEmpty()) {
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "name", name);
        const int index = IndexOfGroup(name);
        if (index >= 0)
            Attr(xml, "sequence", qint64(m_groupList.at(index)->sequence));
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

void CHOIDevMgr::WriteDevItem(CHOIDev* pDev, QXmlStreamWriter& xml)
{
    // The pointers may outlive a device that left the list; only listed ones
    // are safe to read.
    CHOIDev* pTx = pDev->GetTXDev();
    if (pDev->GetDevType() == CHOIDev::E_DT_TX || !m_saveDevSet.contains(pTx))
        pTx = nullptr;
    // A virtual TX whose gateway is not listed (removed, or not read yet)
    // keeps the gateway's host name.
    CHOIDev* pParent = pDev->GetParentDev();
    const QString parentHost = m_saveDevSet.contains(pParent) ? pParent->GetHostName() : pDev->GetParentHostName();

    // A name never read from the device is no alias: opened again, it would
    // be written to the device.
    Attr(xml, "name", pDev->m_bNameUnread ? QString() : pDev->GetDisplayName());
    Attr(xml, "ir_dev", pDev->m_strIrDev);
    Attr(xml, "comm_type", EnumKey("CommType", pDev->m_eCommType));
    Attr(xml, "ip_mode", EnumKey("IPMode", pDev->m_eIPMode));
    Attr(xml, "ethaddr", pDev->m_strEthAddr);
    Attr(xml, "hostname_id", pDev->GetMacId());
    Attr(xml, "hostname", pDev->m_strHostName);
    Attr(xml, "ipaddr", pDev->m_strIPAddr);
    Attr(xml, "netmask", pDev->m_strNetmask);
    Attr(xml, "gatway", pDev->m_strGateway);
    Attr(xml, "ipaddr2", pDev->m_strIPAddr2);
    Attr(xml, "netmask2", pDev->m_strNetmask2);
    Attr(xml, "gatway2", pDev->m_strGateway2);
    Attr(xml, "serial", pDev->m_strSerial);
    Attr(xml, "multicast_ip", pDev->m_strMulticastIP);
    Attr(xml, "ch_select", pDev->m_strChSelect);
    Attr(xml, "scene", pDev->m_strScene);
    Attr(xml, "sinkinfo", pDev->m_strSinkInfo);
    Attr(xml, "vi", pDev->m_strVideoInput);
    Attr(xml, "ai", pDev->m_strAudioInput);
    Attr(xml, "vo", pDev->m_strVideoOutput);
    Attr(xml, "fvo", pDev->m_strForceResolution);
    Attr(xml, "colorspace", pDev->m_strColorSpace);
    Attr(xml, "coorx", pDev->m_strOverlayPosH);
    Attr(xml, "coory", pDev->m_strOverlayPosV);
    Attr(xml, "macosd", pDev->m_strOsdDisplayMethod);
    Attr(xml, "dip", pDev->m_nHwDipEnable);
    Attr(xml, "DVI-I", pDev->m_strOutputDip);
    Attr(xml, "vrxhdmi", pDev->m_strHdmiResolution);
    Attr(xml, "CVBS", pDev->m_strCvbsResolution);
    Attr(xml, "DRe", pDev->m_strDviDResolution);
    Attr(xml, "vrxvga", pDev->m_strVgaResolution);
    Attr(xml, "ypbpr", pDev->m_strYPbPrResolution);
    Attr(xml, "zkvga", pDev->m_strMultiScreenVgaResolution);
    Attr(xml, "edid", pDev->m_strEdid);
    Attr(xml, "videoip", pDev->m_strVideoIP);
    Attr(xml, "audioip", pDev->m_strAudioIP);
    Attr(xml, "vo_mode", pDev->m_strVoMode);
    Attr(xml, "max_resolution", pDev->m_strMaxResolution);
    Attr(xml, "sequence", pDev->m_nSequence);
    Attr(xml, "TX", pTx ? pTx->GetDisplayName() : QString());
    Attr(xml, "parentdevice", parentHost);
    Attr(xml, "version", pDev->m_strVersion);
    Attr(xml, "hdcp_always_on", YesNo(pDev->m_bHdcpAlwaysOn));
    Attr(xml, "hdcp_always_on_22", YesNo(pDev->m_bHdcpAlwaysOn22));
    Attr(xml, "output_timing_convert", pDev->m_strOutputTimingConvert);
    Attr(xml, "turn_off_screen_on_pwr_save", YesNo(pDev->m_bTurnOffScreenOnPwrSave));
    Attr(xml, "src_unavailable_timeout", pDev->m_nSrcUnavailableTimeout);
    Attr(xml, "s0_baudrate", pDev->m_strS0Baudrate);
    Attr(xml, "soip_type2_token_timeout", pDev->m_nSoipType2TokenTimeout);
    Attr(xml, "nStretch", pDev->m_nVwStretchType);
    Attr(xml, "nRotate", pDev->m_nVwRotate);
    Attr(xml, "hdcpset", pDev->m_bHdcpEnable ? 1 : 0);
    Attr(xml, "bpreview", YesNo(pDev->m_bPreviewEnable));
    Attr(xml, "iquality", pDev->m_nVideoQualityMode);

    for (auto it = pDev->m_mapOptions.constBegin(); it != pDev->m_mapOptions.constEnd(); ++it) {
        xml.writeStartElement(QStringLiteral("param"));
        Attr(xml, "name", it.key());
        Attr(xml, "value", T_ProdIdInfo::ParamValue2String(it.value()));
        xml.writeEndElement();
    }

    WriteLocationItem(pDev->GetLocation(), xml);
    WriteGroupItem(pDev->GetGroup(), true, xml);
}

// Attributes shared by the plain and the windowing layouts.
void CHOIDevMgr::WriteLayoutAttributes(CHOIScene* pScene, QXmlStreamWriter& xml) const
{
    Attr(xml, "name", pScene->GetName());
    Attr(xml, "auto_apply", pScene->IsAutoApply() ? 1 : 0);
    Attr(xml, "row_count", pScene->GetRowCount());
    Attr(xml, "col_count", pScene->GetColCount());
    Attr(xml, "isDefault", pScene->IsDefault() ? 0 : 1);
    // A layout whose wall is gone gets one with sequence 0 when it is read
    // back; saying so here keeps the file as it is read.
    const CHOIScene* pWall = FindVideoWallByName(CHOIScene::GetSceneNamePrefix(pScene->GetName()));
    Attr(xml, "sequence", pWall ? pWall->GetLayoutSeq() : 0);
    Attr(xml, "layoutseq", pScene->GetLayoutSeq());
}

bool CHOIDevMgr::WriteSceneItem(CHOIScene* pScene, QXmlStreamWriter& xml)
{
    WriteLayoutAttributes(pScene, xml);

    const bool bHasRx = WriteCells(xml, pScene, true);

    xml.writeStartElement(QStringLiteral("video_walls"));
    for (const T_VideoWallInfo* pWall : qAsConst(pScene->m_videoWalls)) {
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "name", pWall->name);
        Attr(xml, "mode", pWall->mode);
        Attr(xml, "show_osd", pWall->show_osd);
        Attr(xml, "pos_row", pWall->pos_row);
        Attr(xml, "pos_col", pWall->pos_col);
        Attr(xml, "row_count", pWall->row_count);
        Attr(xml, "col_count", pWall->col_count);
        Attr(xml, "ow", pWall->ow);
        Attr(xml, "oh", pWall->oh);
        Attr(xml, "vw", pWall->vw);
        Attr(xml, "vh", pWall->vh);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    // In the order of the device pointers; an entry of a device that has
    // left the device list has nothing safe to name.
    QMap<CHOIDev*, T_VWDevSetup> setups;
    const QHash<CHOIDev*, T_VWDevSetup>& setupMap = pScene->GetDevSetupMap();
    for (auto it = setupMap.constBegin(); it != setupMap.constEnd(); ++it) {
        if (m_saveDevSet.contains(it.key()))
            setups.insert(it.key(), it.value());
    }
    xml.writeStartElement(QStringLiteral("dev_setup"));
    for (auto it = setups.constBegin(); it != setups.constEnd(); ++it) {
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "dev_hostname", it.key()->GetHostName());
        Attr(xml, "hshift", it.value().hshift);
        Attr(xml, "vshift", it.value().vshift);
        Attr(xml, "hscale", it.value().hscale);
        Attr(xml, "vscale", it.value().vscale);
        Attr(xml, "delay_kick", it.value().delay_kick);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    WriteLocationItem(pScene->GetLocation(), xml);
    WriteGroupItem(pScene->GetGroup(), false, xml);
    return bHasRx;
}

bool CHOIDevMgr::WriteWSceneItem(CHOIScene* pScene, QXmlStreamWriter& xml)
{
    WriteLayoutAttributes(pScene, xml);
    WriteCanvasSize(xml);

    const bool bHasRx = WriteCells(xml, pScene, true);

    xml.writeStartElement(QStringLiteral("visualscreens"));
    for (const T_VisualScreenInfo& screen : qAsConst(pScene->m_visualScreens)) {
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "name", screen.name);
        Attr(xml, "layerseq", screen.layerseq);
        Attr(xml, "hstart", screen.hstart);
        Attr(xml, "vstart", screen.vstart);
        Attr(xml, "hsize", screen.hsize);
        Attr(xml, "vsize", screen.vsize);
        Attr(xml, "tx", screen.tx);
        xml.writeEndElement();
    }
    xml.writeEndElement();

    WriteGroupItem(pScene->GetGroup(), false, xml);
    return bHasRx;
}

bool CHOIDevMgr::WriteVWLayoutItem(CHOIScene* pScene, QXmlStreamWriter& xml)
{
    xml.writeStartElement(QStringLiteral("item"));
    Attr(xml, "name", CHOIScene::GetSceneNameSuffix(pScene->GetName()));
    Attr(xml, "layoutseq", pScene->GetLayoutSeq());
    Attr(xml, "auto_apply", pScene->IsAutoApply() ? 1 : 0);
    Attr(xml, "isDefault", pScene->IsDefault() ? 0 : 1);

    WriteCells(xml, pScene, true);

    xml.writeStartElement(QStringLiteral("compositescreens"));
    int screenSeq = 0;
    for (const T_VideoWallInfo* pWall : qAsConst(pScene->m_videoWalls)) {
        ++screenSeq;
        const T_SceneCell* pCell = CellOf(pScene, pWall->pos_row, pWall->pos_col);
        const CHOIDev* pTx = (pCell && !pCell->txList.isEmpty()) ? pCell->txList.last() : nullptr;

        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "name", pWall->name);
        Attr(xml, "screenseq", screenSeq);
        Attr(xml, "pos_row", pWall->pos_row);
        Attr(xml, "pos_col", pWall->pos_col);
        Attr(xml, "row_count", pWall->row_count);
        Attr(xml, "col_count", pWall->col_count);
        Attr(xml, "overlay", pWall->overlay ? 1 : 0);
        Attr(xml, "mode", pWall->mode);
        Attr(xml, "show_osd", pWall->show_osd);
        Attr(xml, "ow", pWall->ow);
        Attr(xml, "oh", pWall->oh);
        Attr(xml, "vw", pWall->vw);
        Attr(xml, "vh", pWall->vh);
        Attr(xml, "tx", pTx ? pTx->GetHostName() : QString());
        Attr(xml, "maxwindownum", kMaxWindowsPerScreen);
        if (pWall->overlay) {
            xml.writeStartElement(QStringLiteral("vpdevices"));
            xml.writeStartElement(QStringLiteral("item"));
            Attr(xml, "name", pWall->dev_hostname);
            Attr(xml, "sequence", screenSeq);
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();

    xml.writeEndElement();
    return true;
}

// The windows of one multiview layout of one decoder.
void CHOIDevMgr::WriteMSceneWindows(CHOIDev* pDev, const T_IpmLayoutInfo& layout, QXmlStreamWriter& xml) const
{
    const auto it = pDev->m_mapIPMLayoutWindows.constFind(layout.layout_name);
    if (it == pDev->m_mapIPMLayoutWindows.constEnd()) {
        // Nothing stored: the layout's own geometry, without sources.
        xml.writeStartElement(QStringLiteral("windows"));
        const QStringList geometries = layout.position_and_size_of_each_window.split(QLatin1Char(';'));
        for (int k = 0; k < geometries.size(); ++k)
            WriteWindowItem(xml, k + 1, geometries.at(k), QString(), QString());
        xml.writeEndElement();
        return;
    }
    QString text = it.value();
    if (text.isEmpty())
        return;
    if (text.endsWith(QLatin1Char(' ')))
        text.chop(1);

    // source:field2:geometry:mode per window.
    QList<QStringList> windows;
    QString geometryList;
    const QStringList windowTexts = text.split(QLatin1Char(' '));
    for (const QString& windowText : windowTexts) {
        const QStringList fields = SplitPadded(windowText, QLatin1Char(':'), 4);
        windows.append(fields);
        const QString& source = fields.at(0);
        if (source.length() > 12 || source == QLatin1String("NULL") || source.isEmpty())
            geometryList += fields.at(2) + QLatin1Char(';');
    }

    xml.writeStartElement(QStringLiteral("windows"));
    bool bKnownLayout = false;
    for (const T_IpmLayoutInfo& known : qAsConst(m_ipmLayoutList)) {
        if (geometryList.contains(known.position_and_size_of_each_window)) {
            bKnownLayout = true;
            break;
        }
    }
    if (bKnownLayout) {
        for (int k = 0; k < windows.size(); ++k) {
            const QStringList& fields = windows.at(k);
            WriteWindowItem(xml, k + 1, fields.at(2), fields.at(0), fields.at(3));
        }
    }
    xml.writeEndElement();
}

bool CHOIDevMgr::WriteMSceneItem(CHOIDev* pDev, QXmlStreamWriter& xml)
{
    Attr(xml, "name", pDev->GetDisplayName());
    Attr(xml, "hostname", pDev->GetHostName());
    Attr(xml, "sequence", pDev->GetSequence());
    WriteCanvasSize(xml);

    const QList<T_IpmLayoutInfo>& layouts =
        pDev->m_listIPMLayout.isEmpty() ? m_ipmLayoutList : pDev->m_listIPMLayout;
    xml.writeStartElement(QStringLiteral("layouts"));
    for (int i = 0; i < layouts.size(); ++i) {
        const T_IpmLayoutInfo& layout = layouts.at(i);
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "name", layout.layout_name);
        Attr(xml, "layoutseq", i + 1);
        WriteMSceneWindows(pDev, layout, xml);

        const auto audio = pDev->m_mapIPMLayoutAudio.constFind(layout.layout_name);
        const bool bHasAudio = audio != pDev->m_mapIPMLayoutAudio.constEnd();
        xml.writeStartElement(QStringLiteral("audio"));
        Attr(xml, "mode", bHasAudio ? audio.value().mode : QStringLiteral("follow"));
        Attr(xml, "source", bHasAudio ? audio.value().source : QString());
        xml.writeEndElement();

        xml.writeEndElement();
    }
    xml.writeEndElement();

    WriteGroupItem(pDev->GetGroup(), false, xml);

    const T_ProdIdInfo* pProd = FindProdIdInfo(pDev->GetHostName());
    const QString modeOverlay = GetModeOverlay(pDev);
    xml.writeStartElement(QStringLiteral("userdefine"));
    xml.writeStartElement(QStringLiteral("item"));
    Attr(xml, "mode", GetModeTile(pDev));
    Attr(xml, "maxwinsnum", pProd ? pProd->tile_maxwinsnum : kDefaultMaxWindows);
    xml.writeEndElement();
    if (!modeOverlay.isEmpty()) {
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "mode", modeOverlay);
        Attr(xml, "maxwinsnum", pProd ? pProd->overlay_maxwinsnum : kDefaultMaxWindows);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    return true;
}

void CHOIDevMgr::WriteScheduleItem(QXmlStreamWriter& xml, const T_ScheduleInfo* pInfo)
{
    const auto date = [](const T_ScheduleDate& d) {
        return QStringLiteral("%1-%2-%3").arg(d.year).arg(d.month).arg(d.day);
    };
    Attr(xml, "type", QString::number(uint(pInfo->type)));
    Attr(xml, "activited", pInfo->activited ? 1 : 0);
    Attr(xml, "limit_date", pInfo->limit_date ? 1 : 0);
    Attr(xml, "weekdays", qint64(pInfo->weekdays));
    Attr(xml, "start_date", date(pInfo->start_date));
    Attr(xml, "end_date", date(pInfo->end_date));
    Attr(xml, "exec_time", QStringLiteral("%1:%2:%3")
                               .arg(pInfo->exec_time.hour)
                               .arg(pInfo->exec_time.minute)
                               .arg(pInfo->exec_time.second));
    if (pInfo->scene)
        Attr(xml, "scene", pInfo->scene->GetName());
}

// "videowalls": each wall with the wall-processor layouts of its name; a
// wall without such layouts is left out.
void CHOIDevMgr::WriteVideoWallsSection(QXmlStreamWriter& xml, QMap<QString, QString>& layoutsWithoutRx)
{
    // The processor layouts of each wall name, in layout list order.
    QHash<QString, QList<CHOIScene*>> wpLayouts;
    for (CHOIScene* pScene : qAsConst(m_sceneList)) {
        if (pScene && pScene->IsWPLayout())
            wpLayouts[CHOIScene::GetSceneNamePrefix(pScene->GetName())].append(pScene);
    }

    xml.writeStartElement(QStringLiteral("videowalls"));
    for (CHOIScene* pWall : qAsConst(m_videoWallList)) {
        if (!pWall)
            continue;
        const QList<CHOIScene*> layouts = wpLayouts.value(pWall->GetName());
        if (layouts.isEmpty())
            continue;
        // The grid and the cells are the first layout's.
        const CHOIScene* pFirst = layouts.first();
        xml.writeStartElement(QStringLiteral("item"));
        Attr(xml, "name", pWall->GetName());
        Attr(xml, "row_count", pFirst->GetRowCount());
        Attr(xml, "col_count", pFirst->GetColCount());
        Attr(xml, "sequence", pWall->GetLayoutSeq());
        WriteCanvasSize(xml);
        // Judged per wall: a wall without receivers is reported even when an
        // earlier wall has some.
        const bool bWallHasRx = WriteCells(xml, pFirst, false);

        xml.writeStartElement(QStringLiteral("layouts"));
        for (CHOIScene* pScene : layouts) {
            WriteVWLayoutItem(pScene, xml);
            if (!bWallHasRx)
                NoteWithoutRx(layoutsWithoutRx, pScene);
        }
        xml.writeEndElement();
        WriteGroupItem(pWall->GetGroup(), false, xml);
        xml.writeEndElement(); // item
    }
    xml.writeEndElement();
}

bool CHOIDevMgr::ExportDevInfoFile(const QString& path)
{
    // Written beside the old file and put in its place only when complete,
    // so a failed save never costs the previous project.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning() << "cannot write" << path << file.errorString();
        return false;
    }

    m_saveDevSet.clear();
    for (CHOIDev* pDev : qAsConst(m_devList)) {
        if (pDev)
            m_saveDevSet.insert(pDev);
    }

    QXmlStreamWriter xml(&file);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("hoi"));
    Attr(xml, "ver", QStringLiteral("1.0"));
    Attr(xml, "custom_multicast_ip", m_bCustomMulticastIP ? 1 : 0);

    // Entries go into the manager's map only once the file is in place.
    QMap<QString, QString> layoutsWithoutRx;
    const auto writeLayout = [&](CHOIScene* pScene) {
        if (!WriteSceneItem(pScene, xml))
            NoteWithoutRx(layoutsWithoutRx, pScene);
    };
    const auto writeWindowing = [&](CHOIScene* pScene) {
        if (!WriteWSceneItem(pScene, xml))
            NoteWithoutRx(layoutsWithoutRx, pScene);
    };
    WriteSection(xml, "devices", m_devList, EveryEntry<CHOIDev>, [&](CHOIDev* pDev) { WriteDevItem(pDev, xml); });
    WriteSection(xml, "scenes", m_sceneList, IsPlainLayout, writeLayout);
    WriteSection(xml, "wscenes", m_sceneList, std::mem_fn(&CHOIScene::IsWindowLayout), writeWindowing);
    WriteSection(xml, "wscene2s", m_sceneList, std::mem_fn(&CHOIScene::IsVivLayout), writeWindowing);
    WriteSection(xml, "mscenes", m_devList, IsMultiviewDecoder, [&](CHOIDev* pDev) { WriteMSceneItem(pDev, xml); });
    WriteVideoWallsSection(xml, layoutsWithoutRx);
    WriteSection(xml, "schedules", m_scheduleList, EveryEntry<T_ScheduleInfo>,
                 [&](const T_ScheduleInfo* pInfo) { WriteScheduleItem(xml, pInfo); });
    xml.writeEndElement(); // hoi
    xml.writeEndDocument();
    m_saveDevSet.clear();

    // QSaveFile::commit() does not see a failure of its own final flush; an
    // uncommitted file is discarded and the old one stays.
    if (xml.hasError() || !file.flush() || !file.commit()) {
        qWarning() << "cannot write" << path << file.errorString();
        return false;
    }
    for (auto it = layoutsWithoutRx.constBegin(); it != layoutsWithoutRx.constEnd(); ++it)
        m_mapLayoutWithoutRx.insert(it.key(), it.value());
    return true;
}
