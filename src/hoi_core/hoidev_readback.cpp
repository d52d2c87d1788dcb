// CHOIDev: reading back all of a device's settings, the on-line edge and the
// firmware version reply.

#include "hoi_core/hoidev.h"

#include "hoi_core/basecomm.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"

namespace {

const int kReadG = 1; // "param g": answered with a recognisable echo
const int kReadR = 0; // "param r"

// The lines of one read-back, in the order the devices expect them: one
// routine per group of settings. A device without a link queues nothing.
class CReadBack
{
public:
    explicit CReadBack(CBaseComm *pComm)
        : m_pComm(pComm)
    {
    }

    // What every device reports: name, addresses, firmware, stream settings.
    void CommonSettings(bool bName) const
    {
        if (bName)
            ReadG({"name"});
        if (m_pComm)
            m_pComm->ReadParam(QStringLiteral("ethaddr"), kReadR);
        ReadG({"ip_mode"});
        Shell("ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'");
        ReadG({"multicast_ip", "ch_select", "scene", "s_row_count", "s_col_count"});
        Shell("cat /etc/version");
        Shell("gbconfig -s -l");
        // Nothing recognises the probe's answer; it only keeps the burst in step
        // with what the devices expect.
        Shell("gbconfig --help | grep sinkpower-mode |wc -l");
        ReadG({"preview_enable", "ast_video_quality_mode", "s0_baudrate",
               "soip_type2_token_timeout", "fource_output_color_space"});
        Shell("route -n | grep UG | awk '{print $2}'");
    }

    void MultiView() const
    {
        if (m_pComm)
            m_pComm->SendCmdLatin1(QStringLiteral("multiview get"));
        ReadG({"user_audio_mode"});
    }

    void ReceiverVideo(bool bVideoWall) const
    {
        Get("vi");
        Resolutions();
        ReadG({"s_row", "s_col", "hdcp_always_on", "hdcp_always_on_22", "v_output_timing_convert",
               "v_turn_off_screen_on_pwr_save", "v_src_unavailable_timeout", "vw_stretch_type",
               "vw_rotate"});
        Show(QStringLiteral("--png-overlay-pos-h"));
        Show(QStringLiteral("--png-overlay-pos-v"));
        if (bVideoWall)
            ReadG({"s_vw_name", "vw_h_shift", "vw_v_shift", "vw_h_scale", "vw_v_scale",
                   "vw_delay_kick"});
    }

    void SenderVideo(bool bVideoSettings, bool bVideoWall) const
    {
        if (bVideoSettings) {
            Get("vi");
            Get("vo");
            Resolutions();
        }
        if (bVideoWall)
            ReadG({"en_video_wall", "s_vw_name", "s_vw_mode", "s_vw_pos_row", "s_vw_pos_col",
                   "s_vw_row_count", "s_vw_col_count", "s_vw_row", "vw_moninfo_ha",
                   "vw_moninfo_ht", "vw_moninfo_va", "vw_moninfo_vt", "vw_v_shift"});
    }

    // Each port the product has; microphones also as one group.
    void AudioPorts(const T_ProdIdInfo *pProd) const
    {
        for (int kind = T_ProdIdInfo::FirstAudioPortType(); kind != 0;
             kind = T_ProdIdInfo::NextAudioPortType(kind)) {
            const int n = pProd ? pProd->vol_port_count[kind] : 0;
            if (n > 0 && kind == E_APT_MIC)
                Show(T_ProdIdInfo::AudioPortOption(kind, -1));
            for (int i = 0; i < n; ++i)
                Show(T_ProdIdInfo::AudioPortOption(kind, i));
        }
    }

    void EncoderParams() const
    {
        for (int id = T_ProdIdInfo::FirstAudioPortType(); id != 0;
             id = T_ProdIdInfo::NextEncParamId(id)) {
            if (!T_ProdIdInfo::EncParamHasValue(id))
                continue;
            const QString option = T_ProdIdInfo::EncParamOption(id);
            if (!option.isEmpty())
                Show(option);
        }
    }

    // The EDID file and the stream addresses, read last.
    void Files(const QString &strEdidPath) const
    {
        if (!m_pComm)
            return;
        m_pComm->SetTmpfsFile(strEdidPath);
        m_pComm->ReadTmpfsFile();
        m_pComm->ReadStreamIP();
    }

    void Show(const QString &option) const
    {
        if (m_pComm)
            m_pComm->ShowConfig(option);
    }

private:
    void ReadG(std::initializer_list<const char *> names) const
    {
        for (const char *name : names) {
            if (m_pComm)
                m_pComm->ReadParam(QString::fromLatin1(name), kReadG);
        }
    }

    void Shell(const char *line) const
    {
        if (m_pComm)
            m_pComm->SendCmd(QString::fromLatin1(line));
    }

    void Get(const char *name) const
    {
        if (m_pComm)
            m_pComm->GetOption(QString::fromLatin1(name));
    }

    // The forced resolution of each output port.
    void Resolutions() const
    {
        Get("fvo");
        for (const char *port : {"CVBS", "VGA", "DVI-D", "YPbPr"}) {
            if (m_pComm)
                m_pComm->GetValue(QStringLiteral("fvo"), QString::fromLatin1(port));
        }
    }

    CBaseComm *m_pComm;
};

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

    const CReadBack readBack(m_pComm);
    readBack.CommonSettings(isGetName);
    if (m_eDevType == E_DT_MRX)
        readBack.MultiView();
    readBack.Show(QStringLiteral("--show --max-enc-res"));

    const bool bVideoSettings = m_pOwner && m_pOwner->IsSupportVideoSettings(this);
    const bool bVideoWall = m_pOwner && m_pOwner->IsSupportVideoWall(this);
    if (m_eDevType == E_DT_RX || m_eDevType == E_DT_MRX)
        readBack.ReceiverVideo(bVideoWall);
    else
        readBack.SenderVideo(bVideoSettings, bVideoWall);
    readBack.AudioPorts(m_pOwner ? m_pOwner->FindProdIdInfo(m_strHostName) : nullptr);
    if (bVideoSettings)
        readBack.EncoderParams();

    m_strSinkInfo.clear();
    m_strEdid.clear();
    m_strVideoIP.clear();
    m_strAudioIP.clear();

    readBack.Files(m_pOwner ? m_pOwner->GetEdidPath(this) : QString());
    return true;
}

bool CHOIDev::IsQuietReadBackDue(int nMaxGap)
{
    if (!m_bNameUnread)
        return false;
    ++m_nQuietChecks;
    // Lines queued (its own try still under way, or anyone's), a connection
    // or a retry under way: nothing goes in their way, nor twice.
    if (m_retryTimer.isActive() || (m_pComm && (m_pComm->GetSendQueueCount() > 0 || m_pComm->IsConnecting())))
        return false;
    if (m_bQuietReadBack) {
        // Idle, yet its end never came (its link was closed under it).
        m_bQuietReadBack = false;
        ++m_nQuietFailures;
    }
    // The next check after a failed try, then every 2, 4, 8... checks from
    // the last try: a device that keeps failing (a refused password, one
    // that locks out after failed logins) is tried seldom, one that answers
    // again is read within nMaxGap checks.
    const int nGap = m_nQuietFailures == 0 ? 1 : qMin(1 << qMin(m_nQuietFailures - 1, 16), qMax(1, nMaxGap));
    return m_nQuietChecks >= nGap;
}

bool CHOIDev::ReadBackWhole(bool bQuiet)
{
    // Lines queued since the check found the link idle (a listener of the
    // device's on-line notice): the try would take their end for its own.
    if (bQuiet && m_pComm && m_pComm->HasLinesPending())
        return true;
    m_nQuietChecks = 0;
    // A search's read-back counts as a failed try until it reads the name:
    // the search logged its failure, and the next check tries again.
    if (!bQuiet)
        m_nQuietFailures = 1;
    m_bQuietReadBack = m_bQuietQueuing = bQuiet;
    const bool bQueued = UpdateFromDev(true);
    m_bQuietQueuing = false;
    if (!bQueued) {
        m_bQuietReadBack = false;
        m_nQuietFailures += bQuiet ? 1 : 0;
        return false;
    }
    m_nQuietMark = m_pComm ? m_pComm->GetPushCount() : 0;
    return true;
}

bool CHOIDev::QuietLinesAlone() const
{
    return m_bQuietQueuing || (m_pComm && m_pComm->GetPushCount() == m_nQuietMark);
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
