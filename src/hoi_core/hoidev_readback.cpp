// CHOIDev: reading back all of a device's settings, the on-line edge and the
// firmware version reply.

#include "hoi_core/hoidev.h"

#include "hoi_core/basecomm.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"

namespace {

const int kReadG = 1; // "param g": answered with a recognisable echo
const int kReadR = 0; // "param r"

} // namespace

bool CHOIDev::UpdateFromDev()
{
    return UpdateFromDev(true);
}

bool CHOIDev::UpdateFromDev(bool isGetName)
{
    if (!EnsureConnected())
        return false;

    m_strMaxResolution.clear();
    m_strVoMode.clear();
    m_strVideoInput.clear();
    m_strChSelect.clear();
    m_strOverlayPosH.clear();
    m_strOverlayPosV.clear();
    m_strColorSpace.clear();

    CBaseComm *c = m_pComm;
    auto readG = [c](const char *name) {
        if (c)
            c->ReadParam(QString::fromLatin1(name), kReadG);
    };
    auto shell = [c](const char *line) {
        if (c)
            c->SendCmd(QString::fromLatin1(line));
    };
    auto show = [c](const QString &option) {
        if (c)
            c->ShowConfig(option);
    };
    auto get = [c](const char *name) {
        if (c)
            c->GetOption(QString::fromLatin1(name));
    };
    auto get2 = [c](const char *a, const char *b) {
        if (c)
            c->GetValue(QString::fromLatin1(a), QString::fromLatin1(b));
    };

    if (isGetName)
        readG("name");
    if (c)
        c->ReadParam(QStringLiteral("ethaddr"), kReadR);
    readG("ip_mode");
    shell("ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'");
    for (const char *name : {"multicast_ip", "ch_select", "scene", "s_row_count", "s_col_count"})
        readG(name);
    shell("cat /etc/version");
    shell("gbconfig -s -l");
    // Nothing recognises the probe's answer; it only keeps the burst in step
    // with what the devices expect.
    shell("gbconfig --help | grep sinkpower-mode |wc -l");
    for (const char *name : {"preview_enable", "ast_video_quality_mode", "s0_baudrate",
                             "soip_type2_token_timeout", "fource_output_color_space"})
        readG(name);
    shell("route -n | grep UG | awk '{print $2}'");
    if (m_eDevType == E_DT_MRX) {
        if (c)
            c->SendCmdLatin1(QStringLiteral("multiview get"));
        readG("user_audio_mode");
    }
    show(QStringLiteral("--show --max-enc-res"));

    const bool bVideoWall = m_pOwner && m_pOwner->IsSupportVideoWall(this);
    if (m_eDevType == E_DT_RX || m_eDevType == E_DT_MRX) {
        get("vi");
        get("fvo");
        get2("fvo", "CVBS");
        get2("fvo", "VGA");
        get2("fvo", "DVI-D");
        get2("fvo", "YPbPr");
        for (const char *name : {"s_row", "s_col", "hdcp_always_on", "hdcp_always_on_22",
                                 "v_output_timing_convert", "v_turn_off_screen_on_pwr_save",
                                 "v_src_unavailable_timeout", "vw_stretch_type", "vw_rotate"})
            readG(name);
        show(QStringLiteral("--png-overlay-pos-h"));
        show(QStringLiteral("--png-overlay-pos-v"));
        if (bVideoWall) {
            for (const char *name : {"s_vw_name", "vw_h_shift", "vw_v_shift", "vw_h_scale",
                                     "vw_v_scale", "vw_delay_kick"})
                readG(name);
        }
    } else {
        if (m_pOwner && m_pOwner->IsSupportVideoSettings(this)) {
            get("vi");
            get("vo");
            get("fvo");
            get2("fvo", "CVBS");
            get2("fvo", "VGA");
            get2("fvo", "DVI-D");
            get2("fvo", "YPbPr");
        }
        if (bVideoWall) {
            for (const char *name :
                 {"en_video_wall", "s_vw_name", "s_vw_mode", "s_vw_pos_row", "s_vw_pos_col",
                  "s_vw_row_count", "s_vw_col_count", "s_vw_row", "vw_moninfo_ha", "vw_moninfo_ht",
                  "vw_moninfo_va", "vw_moninfo_vt", "vw_v_shift"})
                readG(name);
        }
    }

    const T_ProdIdInfo *pProd = m_pOwner ? m_pOwner->FindProdIdInfo(m_strHostName) : nullptr;
    for (int kind = T_ProdIdInfo::FirstAudioPortType(); kind != 0;
         kind = T_ProdIdInfo::NextAudioPortType(kind)) {
        const int n = pProd ? pProd->vol_port_count[kind] : 0;
        if (n > 0 && kind == E_APT_MIC)
            show(T_ProdIdInfo::AudioPortOption(kind, -1)); // all microphones
        for (int i = 0; i < n; ++i)
            show(T_ProdIdInfo::AudioPortOption(kind, i));
    }

    if (m_pOwner && m_pOwner->IsSupportVideoSettings(this)) {
        for (int id = T_ProdIdInfo::FirstAudioPortType(); id != 0;
             id = T_ProdIdInfo::NextEncParamId(id)) {
            if (!T_ProdIdInfo::EncParamHasValue(id))
                continue;
            const QString option = T_ProdIdInfo::EncParamOption(id);
            if (!option.isEmpty())
                show(option);
        }
    }

    m_strSinkInfo.clear();
    m_strEdid.clear();
    m_strVideoIP.clear();
    m_strAudioIP.clear();

    if (c) {
        c->SetTmpfsFile(m_pOwner ? m_pOwner->GetEdidPath(this) : QString());
        c->ReadTmpfsFile();
        c->ReadStreamIP();
    }
    return true;
}

void CHOIDev::SetOnLine(bool bOnLine)
{
    if (bOnLine == m_bOnLine)
        return;
    if (!bOnLine) {
        if (m_pComm)
            m_pComm->AbortConnect();
    } else {
        const int dash = m_strHostName.lastIndexOf(QLatin1Char('-'));
        const QString model = dash >= 0 ? m_strHostName.left(dash) : m_strHostName;
        if (model != g_strControllerModel)
            UpdateFromDev(false);
    }
    m_bOnLine = bOnLine;
}

void CHOIDev::slotOnGetDevVersion(QByteArray strCmd)
{
    if (!strCmd.contains("/ # cat /etc/version"))
        return;
    // The version sits on a fixed line of the file, which differs by platform.
    const int skips = (m_pOwner && m_pOwner->IsHisiDev(this)) ? 2 : 3;
    QByteArray text = strCmd;
    for (int i = 0; i < skips; ++i) {
        const int p = text.indexOf("\r\n");
        if (p < 0)
            return; // reply not complete
        text = text.mid(p + 2);
    }
    const int end = text.indexOf("\r\n");
    if (end < 0)
        return;
    m_strVersion = end >= 1 ? QString::fromUtf8(text.left(end)) : QString();
}
