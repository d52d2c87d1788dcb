// Device search, read-back of the found devices, and the quiet on-line check.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QUrl>

#include <cstdlib>
#include <memory>

namespace {

int AtoI(const QByteArray& value)
{
    return std::atoi(value.constData());
}

} // namespace

bool CHOIDevMgr::StartSearch(bool bRestoreSceneAfterSearch)
{
    if (m_nSearchState != E_SS_IDLE)
        return false;
    m_searcher.Stop();
    m_bQuiet = false;
    m_bRestoreSceneAfterSearch = bRestoreSceneAfterSearch;
    m_nReadCompletedCount = 0;
    ClearFoundDevMap();
    ClearDevSceneText();
    EmitProgressLog(tr("Search start..."));
    m_nSearchState = E_SS_DISCOVERY;
    emit OnSearchStart();
    emit OnProgressNotify(E_PN_SEARCH, 0);
    m_searcher.Start();
    return true;
}

void CHOIDevMgr::slotOnCheckOnLine()
{
    if (!m_onLineTimer.isActive())
        m_onLineTimer.start(m_nOnLineInterval);
    if (m_nSearchState != E_SS_IDLE)
        return;
    m_bQuiet = true;
    m_nReadCompletedCount = 0;
    ClearFoundDevMap();
    m_searcher.Start();
}

void CHOIDevMgr::slotOnStartBroadcast(int nTotal, int iCurrent, QString addr)
{
    // The background check keeps the status bar out of it too: no end of
    // progress would follow to take the window out of its busy state.
    if (m_bQuiet)
        return;
    EmitProgressLog(tr("[%1]Start multicast on %2").arg(iCurrent).arg(addr));
    if (nTotal > 0)
        emit OnProgressNotify(E_PN_SEARCH, iCurrent * 50 / nTotal);
}

void CHOIDevMgr::slotOnFoundDevice(QString strBroadcastAddr, QByteArray strIpAddr, QByteArray strHostName,
                                   QByteArray strStatus)
{
    const QString hostName = QString::fromUtf8(strHostName);
    const QString ip = QString::fromUtf8(strIpAddr);
    const QString status = QString::fromUtf8(strStatus);
    if (!CHOIDev::IsValidHostName(hostName)) {
        if (!m_bQuiet) {
            QString shown;
            QDebug(&shown).nospace() << hostName; // quoted, control characters escaped
            EmitProgressLog(tr("Invalid device host name %1 (IP=%2), the reply is ignored.").arg(shown, ip));
        }
        return;
    }
    const QString displayName = GetProdDevName(hostName);
    if (!m_bQuiet)
        EmitProgressLog(tr("[%1] found device: Hostname=%2, IP=%3, Status=%4")
                            .arg(strBroadcastAddr, displayName, ip, status));

    int type = 0;
    const T_ProdIdInfo* pProd = FindProdIdInfo(hostName, &type);

    const int lastDash = hostName.lastIndexOf(QLatin1Char('-'));
    const QString model = lastDash < 0 ? hostName : hostName.left(lastDash);
    if (model == g_strControllerModel) {
        HandleFoundQN714(hostName, strIpAddr, strStatus, pProd);
        return;
    }

    if (!pProd) {
        if (!m_bQuiet)
            EmitProgressLog(tr("Unkown Device type, device host name is '%1'.").arg(displayName));
        return;
    }

    const int entries = (type == CHOIDev::E_DT_TX && pProd->tx_if_count > 1) ? pProd->tx_if_count : 1;
    for (int i = 1; i <= entries; ++i) {
        const QString entryHost = entries > 1 ? hostName + QLatin1Char(':') + QString::number(i) : hostName;
        CHOIDev* pDev = FindDevByHostName(entryHost);
        if (!pDev && !ip.isEmpty()) {
            // A device that changed its host name is known by its address. The
            // inputs of one encoder share the address: an entry this search has
            // taken already is not renamed again, and the input of the same
            // number is preferred so that each object keeps its channel.
            for (CHOIDev* pKnown : qAsConst(m_devList)) {
                if (pKnown->GetIPAddr() != ip || m_mapFoundDev.contains(pKnown))
                    continue;
                if (!pDev || (pDev->GetHostIndex() != i && pKnown->GetHostIndex() == i))
                    pDev = pKnown;
            }
        }
        if (pDev) {
            if (!m_mapFoundDev.contains(pDev))
                m_mapFoundDev.insert(pDev, T_FoundDevInfo());
            pDev->m_strStatus = status;
            pDev->SetIPAddr(ip);
            if (pDev->GetHostName() != entryHost)
                pDev->SetHostName(entryHost, true);
            // A gateway's list may have named it before it was first found:
            // what answers at an address of its own is nobody's virtual TX.
            if (!pDev->GetParentHostName().isEmpty() && pDev->HasOwnLink())
                DetachIpcDev(pDev);
        } else if (m_bQuiet) {
            qDebug() << "ignore new device:" << ip;
            return;
        } else {
            pDev = new CHOIDev(this, static_cast<CHOIDev::DevType>(type), pProd->param_prefix, pProd->old_api,
                               CHOIDev::E_CT_TELNET);
            pDev->SetHostName(entryHost, true);
            pDev->m_strStatus = status;
            pDev->SetIPAddr(ip);
            AdoptFoundDev(pDev);
        }
    }
}

void CHOIDevMgr::AdoptFoundDev(CHOIDev* pDev)
{
    const CHOIDev::DevType type = pDev->GetDevType();
    if (pDev->GetGroup().isEmpty()
        && (type == CHOIDev::E_DT_TX || type == CHOIDev::E_DT_WP || type == CHOIDev::E_DT_GW))
        pDev->SetGroup(g_strUngrouped);
    WireDevice(pDev);
    pDev->m_bNameUnread = true;
    if (!m_mapFoundDev.contains(pDev))
        m_mapFoundDev.insert(pDev, T_FoundDevInfo());
}

void CHOIDevMgr::HandleFoundQN714(const QString& hostName, const QByteArray& ip, const QByteArray& status,
                                  const T_ProdIdInfo* pProd)
{
    const int dash = hostName.indexOf(QLatin1Char('-'));
    const QString ctrlName =
        dash < 0 ? hostName : (pProd ? pProd->name : g_strControllerModel) + hostName.mid(dash);
    const QString typeText = pProd ? pProd->type : g_strControllerType;

    // The operator deleted this controller: its replies are ignored.
    if (FindListedDevByHostName(hostName))
        return;

    CHOIDev* pDev = FindDevByHostName(hostName);
    if (!pDev) {
        pDev = new CHOIDev(this, CHOIDev::E_DT_QN714, QString(), true, CHOIDev::E_CT_TELNET);
        disconnect(&pDev->m_retryTimer, nullptr, pDev, nullptr);
        pDev->SetHostName(hostName, true);
        if (pDev->GetName() != ctrlName)
            pDev->SetName(ctrlName);
        pDev->m_strTypeName = typeText;
        pDev->m_strStatus = QString::fromUtf8(status);
        pDev->SetIPAddr(QString::fromUtf8(ip));
        m_devList.append(pDev);
        emit signalFoundQN714(pDev);
    } else {
        pDev->SetIPAddr(QString::fromUtf8(ip));
        pDev->m_strTypeName = typeText;
    }

    m_bQN714Found = true;
    if (!m_foundQN714List.contains(pDev)) {
        m_foundQN714List.append(pDev);
        // A controller read from a project file is wired already.
        connect(pDev, &CHOIDev::OnRecvData, this, &CHOIDevMgr::slotOnDevRecvData, Qt::UniqueConnection);
        connect(pDev, &CHOIDev::OnSendData, this, &CHOIDevMgr::slotOnDevSendData, Qt::UniqueConnection);
        connect(pDev, &CHOIDev::OnProgressLog, this, &CHOIDevMgr::EmitProgressLog, Qt::UniqueConnection);
    }
    if (!m_mapFoundDev.contains(pDev)) {
        // A controller has nothing to read back: it counts as read at once.
        m_mapFoundDev.insert(pDev, T_FoundDevInfo());
        m_readDoneSet.insert(pDev);
        m_nReadCompletedCount = m_readDoneSet.size();
    }
}

void CHOIDevMgr::slotOnSearchStop()
{
    qDebug() << "multicast found device count =" << m_mapFoundDev.size();
    const bool bExplicit = m_nSearchState == E_SS_DISCOVERY;
    // Bringing a device up (connecting it, queuing its read-back) costs about
    // a tenth of a millisecond: with a thousand devices that is done a slice
    // of devices per turn of the event loop, so the window stays live. What
    // a step does is decided when it comes: lines queued meanwhile count.
    for (CHOIDev* pDev : qAsConst(m_devList)) {
        // Every device a search found is refreshed in the step of its
        // read-back, which reads all that going on-line would.
        if (bExplicit && m_mapFoundDev.contains(pDev))
            continue;
        QueueStartStep(pDev, [this](CHOIDev* p) {
            if (!m_mapFoundDev.contains(p) || !p->IsQuietReadBackDue(ReadBackMaxGap()))
                RefreshOnLine(p);
            else if (!ReadBackFoundDev(p, true))
                NoteQuietReadBackEnd(p);
        });
    }
    QueueStartStep([this, bExplicit] { EndOnLineRefresh(bExplicit); });
    RunStartSteps();
}

int CHOIDevMgr::ReadBackMaxGap() const
{
    // A device whose name is unread is read at least once a minute.
    return m_nOnLineInterval > 0 ? qMax(1, E_READBACK_MAX_GAP_MS / m_nOnLineInterval) : 1;
}

void CHOIDevMgr::NoteQuietReadBackEnd(CHOIDev* pDev)
{
    if (!IsListed(pDev))
        return;
    // A device that keeps failing is logged once, at its first failed try.
    if (pDev->GetQuietFailures() == 1)
        EmitProgressLog(tr("Device('%1') fails to be updated.").arg(pDev->GetDisplayName()));
    emit OnDeviceNotify(pDev, E_DN_STATUS);
}

void CHOIDevMgr::EndOnLineRefresh(bool bExplicit)
{
    RefreshControllers();
    if (!bExplicit) {
        // The quiet check only enforces the HDCP list (and reads back the
        // devices whose name is unread, above).
        const QList<CHOIDev*> found = m_mapFoundDev.keys();
        for (CHOIDev* pDev : found)
            QueueStartStep(pDev, [this](CHOIDev* p) {
                // A line behind a quiet read-back would make its end the
                // windows' news: the next check sees to it.
                if (m_mapFoundDev.contains(p) && !p->IsQuietQueue())
                    ApplyHdcpMap(p, true);
            });
        return;
    }
    if (m_mapFoundDev.isEmpty()) {
        FinishEmptySearch();
        return;
    }
    m_nSearchState = E_SS_READBACK;
    const QList<CHOIDev*> found = m_mapFoundDev.keys();
    for (CHOIDev* pDev : found)
        QueueStartStep(pDev, [this](CHOIDev* p) { StartReadBack(p); });
    // Devices dropped on the way, or controllers that count as read at once,
    // may already make up the whole map.
    QueueStartStep([this] { CheckReadBackEnd(); });
}

void CHOIDevMgr::StartReadBack(CHOIDev* pDev)
{
    if (m_nSearchState != E_SS_READBACK || !m_mapFoundDev.contains(pDev))
        return;
    // The end of lines the read-back drops is not its own.
    disconnect(pDev, &CHOIDev::OnCmdCompleted, this, &CHOIDevMgr::slotOnDevCmdCompleted);
    if (!ReadBackFoundDev(pDev, false)) {
        DropFoundDev(pDev);
        return;
    }
    connect(pDev, &CHOIDev::OnCmdCompleted, this, &CHOIDevMgr::slotOnDevCmdCompleted, Qt::UniqueConnection);
    connect(pDev, &CHOIDev::OnReadParam, this, &CHOIDevMgr::slotOnDevReadParam, Qt::UniqueConnection);
}

bool CHOIDevMgr::ReadBackFoundDev(CHOIDev* pDev, bool bQuiet)
{
    RefreshOnLine(pDev, true);
    CBaseComm* pComm = pDev->GetComm();
    // Only a search clears what is queued: the quiet check never starts on
    // a queue that holds lines.
    if (!bQuiet && pComm && pComm->GetSendQueueCount() > 0) {
        EmitProgressLog(tr("Warning: device cmmmand queue is not empty when update."));
        pDev->ClearSendQueue();
    }
    if (pDev->GetDevType() != CHOIDev::E_DT_QN714 && !pDev->ReadBackWhole(bQuiet))
        return false;
    if (!bQuiet)
        ApplyHdcpMap(pDev, false);
    // The read-back queued above is what going on-line would queue again
    // (without the name): set the flag alone.
    pDev->m_bOnLine = true;
    if (pDev->GetDevType() == CHOIDev::E_DT_GW)
        SetIpcDevsOnLine(pDev);
    return true;
}

void CHOIDevMgr::QueueStartStep(std::function<void()> step)
{
    m_startSteps.push_back(std::move(step));
}

void CHOIDevMgr::QueueStartStep(CHOIDev* pDev, std::function<void(CHOIDev*)> step)
{
    // The device may be removed, and deleted, before its step comes.
    const QPointer<CHOIDev> guard(pDev);
    QueueStartStep([guard, step] {
        if (guard)
            step(guard.data());
    });
}

void CHOIDevMgr::RunStartSteps()
{
    QElapsedTimer slice;
    slice.start();
    while (!m_startSteps.empty()) {
        // Taken off first: a step may empty the queue.
        const std::function<void()> step = std::move(m_startSteps.front());
        m_startSteps.pop_front();
        step();
        if (slice.elapsed() >= m_nStartSliceMs)
            break;
    }
    if (!m_startSteps.empty())
        m_startStepTimer.start();
}

void CHOIDevMgr::CancelStartSteps()
{
    m_startSteps.clear();
    m_startStepTimer.stop();
}

void CHOIDevMgr::RefreshOnLine(CHOIDev* pDev, bool bReadBackFollows)
{
    if (!IsListed(pDev))
        return;
    if (GetProdIdInfo(pDev)->id == QLatin1String("KRT4400"))
        return;
    // A virtual TX never answers discovery; it follows its gateway below.
    if (!pDev->HasOwnLink())
        return;
    const bool bOnLine = m_mapFoundDev.contains(pDev);
    if (bOnLine != pDev->m_bOnLine) {
        // The whole read-back follows: the part going on-line queues would
        // only be found in its way and cleared.
        if (bOnLine && bReadBackFollows)
            pDev->m_bOnLine = true;
        else
            pDev->SetOnLine(bOnLine);
        if (m_resetHostNames.contains(pDev->GetHostName()))
            RenameResetDev(pDev);
        emit OnDeviceNotify(pDev, E_DN_STATUS);
    }
    if (pDev->GetDevType() == CHOIDev::E_DT_GW)
        SetIpcDevsOnLine(pDev);
}

void CHOIDevMgr::RefreshControllers()
{
    const QList<CHOIDev*> controllers = m_qn714List;
    for (CHOIDev* pDev : controllers) {
        pDev->SetOnLine(m_mapFoundDev.contains(pDev));
        emit OnDeviceNotify(pDev, E_DN_STATUS);
    }
}

void CHOIDevMgr::SetIpcDevsOnLine(CHOIDev* pGateway)
{
    const QList<T_IpcInfo*> cameras = pGateway->GetIpcList();
    for (const T_IpcInfo* pInfo : cameras) {
        // A name the list shares with another device leaves that device alone.
        CHOIDev* pDev = FindIpcDev(pInfo->hostname, pGateway);
        // Only the flag: a virtual TX has no shell of its own to read.
        if (pDev && pDev->m_bOnLine != pGateway->m_bOnLine) {
            pDev->m_bOnLine = pGateway->m_bOnLine;
            emit OnDeviceNotify(pDev, E_DN_STATUS);
        }
    }
}

bool CHOIDevMgr::ResetDevToDefault(CHOIDev* pDev, bool bLocalSettings)
{
    if (!pDev)
        return false;
    const bool bLocal = bLocalSettings && GetProdIdInfo(pDev)->video_set_2;
    // The device took the reset once its answer came in the session that
    // sent it: the link then writes the reboot behind it at once, and the
    // reboot may cut the link before any prompt. Any other write in between
    // (a retry's option answers and login) means that session ended first.
    // A reset that never got there (login refused, off line, stalled,
    // dropped) changes nothing here. The watch lives with the device and
    // ends with its queue.
    QObject* pWatch = new QObject(pDev);
    auto pResetWritten = std::make_shared<bool>(false);
    const auto end = [pDev, pWatch] {
        disconnect(pDev, nullptr, pWatch, nullptr);
        pWatch->deleteLater();
    };
    const auto take = [this, pDev, bLocal, end] {
        end();
        AddResetDevHostName(pDev->GetHostName());
        if (bLocal)
            pDev->ResetLocalSettings();
    };
    const QByteArray resetLine = QByteArray(CHOIDev::kResetLine) + "\r\n";
    const QByteArray rebootLine = QByteArray(CHOIDev::kRebootLine) + "\r\n";
    connect(pDev, &CHOIDev::OnSendData, pWatch,
            [pResetWritten, take, resetLine, rebootLine](CHOIDev*, const QByteArray& data, bool bSucceed) {
                if (*pResetWritten && data == rebootLine)
                    take();
                else
                    *pResetWritten = bSucceed && data == resetLine;
            });
    connect(pDev, &CHOIDev::OnCmdCompleted, pWatch,
            [pResetWritten, take, end](CHOIDev*, E_ControlObject emCtrlObj, E_CommResult eResult) {
                if (emCtrlObj != E_CO_DEV)
                    return;
                if (*pResetWritten && eResult == E_CR_SUCCESS)
                    take();
                else
                    end();
            });
    if (pDev->ResetDefault())
        return true;
    end();
    return false;
}

void CHOIDevMgr::RenameResetDev(CHOIDev* pDev)
{
    if (!pDev->m_bOnLine)
        return;
    pDev->SetName(pDev->GetHostName());
    if (pDev->GetComm())
        pDev->GetComm()->ReadParam(QStringLiteral("name"), 1);
    m_resetHostNames.removeAll(pDev->GetHostName());
}

void CHOIDevMgr::ApplyHdcpMap(CHOIDev* pDev, bool bConnect)
{
    if (pDev->m_bHdcpChanged || pDev->m_bHdcpListQueued)
        return;
    const QString key = pDev->GetHostName().toUpper();
    if (!m_mapHdcp.contains(key))
        return;
    // After a failed try the check waits for a session the device let in
    // (a search, the operator, a read-back): it logs in no more on its own.
    if (bConnect && pDev->m_bHdcpListFailed && !(pDev->GetComm() && pDev->GetComm()->IsConnected()))
        return;
    const QVariant value = m_mapHdcp.value(key);
    // Applied once the device took it: a device that never got the line
    // gets it at a later try, and no project stores it meanwhile.
    pDev->m_bHdcpListQueued = pDev->WatchQueueEnd(
        [&] { return pDev->SetOptionValue(E_EP_HDCP_ENABLE, value, bConnect, false); },
        [value](CHOIDev* p, E_CommResult eResult) {
            p->m_bHdcpListQueued = false;
            p->m_bHdcpListFailed = eResult != E_CR_SUCCESS;
            if (eResult != E_CR_SUCCESS || p->m_bHdcpChanged)
                return;
            p->KeepOptionValue(E_EP_HDCP_ENABLE, value);
            p->m_bHdcpChanged = true;
        });
}

void CHOIDevMgr::slotOnDevCmdCompleted(CHOIDev* pDev, E_ControlObject emCtrlObj, E_CommResult eResult)
{
    if (emCtrlObj != E_CO_DEV || m_nSearchState != E_SS_READBACK || !m_mapFoundDev.contains(pDev))
        return;
    // Counted once per device, so a repeated completion cannot end the search
    // while others are still reading.
    if (m_readDoneSet.contains(pDev))
        return;
    m_readDoneSet.insert(pDev);
    m_nReadCompletedCount = m_readDoneSet.size();
    if (!IsListed(pDev)) {
        m_devList.append(pDev);
        emit OnDeviceNotify(pDev, E_DN_ADD);
    }
    if (eResult == E_CR_SUCCESS)
        EmitProgressLog(tr("Device('%1') is updated.").arg(pDev->GetDisplayName()));
    else
        EmitProgressLog(tr("Device('%1') fails to be updated.").arg(pDev->GetDisplayName()));
    if (!m_mapFoundDev.isEmpty())
        emit OnProgressNotify(E_PN_SEARCH, 50 + m_nReadCompletedCount * 50 / m_mapFoundDev.size());
    disconnect(pDev, &CHOIDev::OnCmdCompleted, this, &CHOIDevMgr::slotOnDevCmdCompleted);
    EmitProgressLog(QStringLiteral("mapFoundDev count('%1')").arg(m_mapFoundDev.size()));
    EmitProgressLog(QStringLiteral("m_nReadCompletedCount('%1')").arg(m_nReadCompletedCount));
    CheckReadBackEnd();
}

void CHOIDevMgr::CheckReadBackEnd()
{
    if (m_nSearchState != E_SS_READBACK)
        return;
    if (m_mapFoundDev.isEmpty()) {
        FinishEmptySearch();
        return;
    }
    if (m_nReadCompletedCount < m_mapFoundDev.size())
        return;

    const int count = m_nReadCompletedCount;
    m_nSearchState = E_SS_IDLE;
    EmitProgressLog(tr("All devices are updated."));
    ClearFoundDevMap();
    EmitProgressLog(tr("The search is complete."));
    emit OnProgressNotify(E_PN_NONE, 100);
    emit OnSearchStop(count, m_bRestoreSceneAfterSearch);

    if (!m_bQN714Found)
        return;
    const QList<CHOIDev*> controllers = m_foundQN714List;
    for (CHOIDev* pDev : controllers) {
        if (m_foundQN714List.contains(pDev) && pDev->m_bOnLine && pDev->OpenCommAltPort())
            pDev->GetIPandVersionQN714();
    }
}

void CHOIDevMgr::FinishEmptySearch()
{
    m_nSearchState = E_SS_IDLE;
    ClearFoundDevMap();
    EmitProgressLog(tr("The search is complete."));
    emit OnProgressNotify(E_PN_NONE, 100);
    emit OnSearchStop(0, m_bRestoreSceneAfterSearch);
}

void CHOIDevMgr::DropFoundDev(CHOIDev* pDev)
{
    m_mapFoundDev.remove(pDev);
    m_readDoneSet.remove(pDev);
    m_nReadCompletedCount = m_readDoneSet.size();
    // A device this search created is in no list: nobody else would free it.
    if (!IsListed(pDev))
        pDev->deleteLater();
}

void CHOIDevMgr::ClearFoundDevMap(bool bDeleteNow)
{
    // What is left of the last search's end was for these devices.
    CancelStartSteps();
    const QList<CHOIDev*> found = m_mapFoundDev.keys();
    m_mapFoundDev.clear();
    m_readDoneSet.clear();
    // Devices this search created and no list holds would be lost otherwise.
    for (CHOIDev* pDev : found) {
        if (IsListed(pDev))
            continue;
        if (bDeleteNow)
            delete pDev;
        else
            pDev->deleteLater();
    }
}

void CHOIDevMgr::slotOnDevReadParam(CHOIDev* pDev, QByteArray strParamName, QByteArray strParamValue,
                                    E_CommResult eResult)
{
    if (eResult != E_CR_SUCCESS)
        return;
    QMap<CHOIDev*, T_FoundDevInfo>::iterator it = m_mapFoundDev.find(pDev);
    if (it == m_mapFoundDev.end())
        return;
    T_FoundDevInfo& info = it.value();
    const QByteArray& name = strParamName;
    const QByteArray& value = strParamValue;
    if (name == "s_row")
        info.s_row = static_cast<short>(AtoI(value));
    else if (name == "s_col")
        info.s_col = static_cast<short>(AtoI(value));
    else if (name == "s_row_count")
        info.s_row_count = static_cast<short>(AtoI(value));
    else if (name == "s_col_count")
        info.s_col_count = static_cast<short>(AtoI(value));
    else if (name == "s_vw_mode")
        info.s_vw_mode = AtoI(value);
    else if (name == "s_vw_pos_row")
        info.s_vw_pos_row = AtoI(value);
    else if (name == "s_vw_pos_col")
        info.s_vw_pos_col = AtoI(value);
    else if (name == "s_vw_row_count")
        info.s_vw_row_count = AtoI(value);
    else if (name == "s_vw_col_count")
        info.s_vw_col_count = AtoI(value);
    else if (name == "vw_moninfo_ht")
        info.vw_moninfo_ht = AtoI(value);
    else if (name == "vw_moninfo_vt")
        info.vw_moninfo_vt = AtoI(value);
    else if (name == "vw_moninfo_ha")
        info.vw_moninfo_ha = AtoI(value);
    else if (name == "vw_moninfo_va")
        info.vw_moninfo_va = AtoI(value);
    else if (name == "s_vw_name")
        info.s_vw_name = QUrl::fromPercentEncoding(value);
    else if (name == "en_video_wall")
        info.en_video_wall = value.toLower() == "y";
    else if (name == "s_pos")
        info.s_pos = value;
    else if (name == "vw_h_shift")
        info.vw_h_shift = AtoI(value);
    else if (name == "vw_v_shift")
        info.vw_v_shift = AtoI(value);
    else if (name == "vw_h_scale")
        info.vw_h_scale = AtoI(value);
    else if (name == "vw_v_scale")
        info.vw_v_scale = AtoI(value);
    else if (name == "vw_delay_kick")
        info.vw_delay_kick = AtoI(value);
}
