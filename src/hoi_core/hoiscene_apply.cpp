// Applying a layout to its devices: the encoder and decoder steps, the
// pending-device count and the resynchronisation after a clean apply.

#include "hoi_core/hoiscene.h"

#include <QHostAddress>

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

namespace {
const char* const kFailConnect = QT_TRANSLATE_NOOP(
    "CHOIScene", "Device('%1') fails to be connected. The operation is interrupted.");
}

void CHOIScene::EmitLog(const QString& text)
{
    emit OnProgressLog(text);
}

void CHOIScene::LogDev(const char* text, CHOIDev* pDev)
{
    EmitLog(tr(text).arg(pDev ? pDev->GetDisplayName() : QString()));
}

bool CHOIScene::ConnectForApply(CHOIDev* pDev)
{
    if (!pDev)
        return false;
    if (pDev->EnsureConnected())
        return true;
    LogDev(kFailConnect, pDev);
    return false;
}

// ---- pending devices ----

void CHOIScene::AddPendingDev(CHOIDev* pDev)
{
    if (!pDev || m_pendingDevs.contains(pDev))
        return;
    T_PendingLinks links;
    links.done = connect(pDev, &CHOIDev::OnCmdCompleted, this, &CHOIScene::slotOnDevCmdCompleted);
    links.gone = connect(pDev, &QObject::destroyed, this, [this, pDev]() {
        if (m_pendingDevs.contains(pDev))
            CountCompletion(pDev, E_CR_FAILED, false);
    });
    m_pendingDevs.insert(pDev, links);
}

void CHOIScene::UnlinkPendingDev(CHOIDev* pDev)
{
    const T_PendingLinks links = m_pendingDevs.take(pDev);
    disconnect(links.done);
    disconnect(links.gone);
}

void CHOIScene::ClearPendingDevs()
{
    const QList<CHOIDev*> devs = m_pendingDevs.keys();
    for (CHOIDev* pDev : devs)
        UnlinkPendingDev(pDev);
}

void CHOIScene::RemovePendingDev(CHOIDev* pDev)
{
    // A device taken out while the layout waits for it will not answer any
    // more; it counts as failed so that the apply still ends.
    if (pDev && m_pendingDevs.contains(pDev))
        CountCompletion(pDev, E_CR_FAILED);
}

void CHOIScene::BeginQueuing()
{
    m_bQueuing = true;
}

int CHOIScene::EndQueuing()
{
    m_bQueuing = false;
    m_nKeptDevs = CountKeptDevs();
    m_nPendingTotal = m_pendingDevs.size() + m_nCounted + m_nKeptDevs;
    return m_nPendingTotal;
}

bool CHOIScene::HasKeptStep(CHOIDev* pDev) const
{
    for (const T_VWDeferredSteps& rec : m_deferredWallSteps) {
        for (const T_VWDeferredRxStep& step : rec.rxSteps) {
            if (step.rx == pDev && (step.flags & E_VWF_ALL))
                return true;
        }
    }
    return false;
}

int CHOIScene::CountKeptDevs() const
{
    QSet<CHOIDev*> devs;
    for (const T_VWDeferredSteps& rec : m_deferredWallSteps) {
        for (const T_VWDeferredRxStep& step : rec.rxSteps) {
            if (step.rx && (step.flags & E_VWF_ALL))
                devs.insert(step.rx);
        }
    }
    return devs.size();
}

void CHOIScene::FinishIfDone()
{
    if (m_nPendingTotal > 0 && m_pendingDevs.isEmpty())
        FinishApply();
}

void CHOIScene::slotOnDevCmdCompleted(CHOIDev* pDev, E_ControlObject emCtrlObj,
                                      E_CommResult eResult)
{
    if (emCtrlObj != E_CO_DEV || !m_pendingDevs.contains(pDev))
        return;
    CountCompletion(pDev, eResult);
}

void CHOIScene::CountCompletion(CHOIDev* pDev, int nResult, bool bAlive)
{
    UnlinkPendingDev(pDev);
    ++m_nCounted;

    if (m_nPendingTotal > 0)
        emit OnProgressNotify(E_PN_APPLY, m_nCounted * 100 / m_nPendingTotal);

    if (!bAlive) {
        // Deleted while waited for: nothing of it may be read any more.
        ++m_nErrorCount;
    } else if (nResult == E_CR_SUCCESS) {
        // A wall decoder whose kept steps are still to come is applied once
        // they have been answered.
        if (!HasKeptStep(pDev))
            LogDev(QT_TR_NOOP("Device('%1') is applied."), pDev);
    } else if (nResult == E_CR_FAILED || nResult == E_CR_TIMEOUT) {
        LogDev(QT_TR_NOOP("Device('%1') fails to be applied."), pDev);
        ++m_nErrorCount;
    } else if (nResult == E_CR_CONNECT_TIMEOUT) {
        LogDev(QT_TR_NOOP("Device('%1') fails to be connected."), pDev);
        ++m_nErrorCount;
    }

    // While a step is still queuing, the total is not known yet; the step
    // ends the apply itself when nothing is left.
    if (m_pendingDevs.isEmpty() && !m_bQueuing && m_nPendingTotal > 0)
        FinishApply();
}

bool CHOIScene::FinishQueuedOrFail(bool bQueued)
{
    if (bQueued) {
        FinishIfDone();
        return true;
    }
    emit OnProgressNotify(E_PN_NONE, 100);
    m_eLastStatus = E_SS_FAILED;
    emit OnStatusChange(this, E_SS_FAILED);
    return false;
}

void CHOIScene::FinishApply()
{
    // A clean first round is not the end while the walls' kept steps have
    // not been answered.
    if (m_nErrorCount == 0 && !m_bKeptStepsRun && !RunKeptSteps())
        return;
    // Kept steps that never ran are not waited for.
    m_nPendingTotal -= m_nKeptDevs;
    m_nKeptDevs = 0;

    E_SceneStatus eStatus;
    if (m_nErrorCount == 0 && !m_bWholeLayout) {
        // One cell, one adjustment or a few devices done is not the whole
        // layout on its devices: the layout keeps the status it had.
        eStatus = m_eLastStatus;
    } else if (m_nErrorCount == 0) {
        EmitLog(tr("Scene('%1') is applied.").arg(m_strName));
        eStatus = E_SS_APPLIED;
    } else if (m_nErrorCount == m_nPendingTotal) {
        EmitLog(tr("Scene('%1') fails to be applied.").arg(m_strName));
        eStatus = E_SS_FAILED;
    } else {
        EmitLog(tr("Scene('%1') is applied with errors encountered.").arg(m_strName));
        eStatus = E_SS_FAILED;
    }
    m_eLastStatus = eStatus;
    // The mode is still readable while the status is reported: the window
    // tells an operator's failed apply from a scheduled one by it.
    emit OnStatusChange(this, eStatus);
    emit OnProgressNotify(E_PN_NONE, 100);
    m_nApplyMode = 0;
}

bool CHOIScene::RunKeptSteps()
{
    m_bKeptStepsRun = true;
    // Queued from inside a device's completion: one that fails at once is
    // counted but cannot end the apply before every step is queued.
    m_bQueuing = true;
    const int countedBefore = m_nCounted;
    const bool bQueued = ResyncAppliedRx();
    m_bQueuing = false;
    // What was really queued takes the place of the estimate in the total.
    m_nPendingTotal += m_pendingDevs.size() + m_nCounted - countedBefore - m_nKeptDevs;
    m_nKeptDevs = 0;
    if (!bQueued) {
        FailKeptSteps();
        return false;
    }
    return m_pendingDevs.isEmpty();
}

void CHOIScene::FailKeptSteps()
{
    // As a device that cannot be connected during the apply: the whole
    // apply ends failed.
    m_eLastStatus = E_SS_FAILED;
    emit OnStatusChange(this, E_SS_FAILED);
    AbortApply();
    emit OnProgressNotify(E_PN_NONE, 100);
}

void CHOIScene::AbortApply()
{
    const QList<CHOIDev*> devs = m_pendingDevs.keys();
    // Idle before the drops below report failures to others: this layout
    // reports its own.
    ClearPendingDevs();
    m_nPendingTotal = 0;
    m_nErrorCount = 0;
    m_nApplyMode = 0;
    m_bQueuing = false;
    m_nCounted = 0;
    m_nKeptDevs = 0;
    for (CHOIDev* pDev : devs) {
        // The apply is reported failed: what it left unsent must not open
        // the device's next session. Closed first: a line that a listener of
        // the drop's failure queues opens a session of its own.
        pDev->CloseComm();
        pDev->ClearSendQueue();
    }
    EmitLog(tr("Scene('%1') fails to be applied.").arg(m_strName));
}

void CHOIScene::BeginApplyState()
{
    // Apply sets it again; every other road works on part of the layout.
    m_bWholeLayout = false;
    ClearPendingDevs();
    m_nPendingTotal = 0;
    m_nErrorCount = 0;
    m_nCounted = 0;
    m_nKeptDevs = 0;
    m_bKeptStepsRun = false;
    ClearResyncState();
}

void CHOIScene::ClearResyncState()
{
    // What an apply that failed, was aborted or was overtaken left behind
    // must not be sent or run at the clean end of a later one: decoders
    // would be re-linked to a wall they were just stopped or split from.
    m_strWallRx.clear();
    m_wallRxList.clear();
    m_strCellRx.clear();
    m_cellRxPrefixes.clear();
    m_strSplitRx.clear();
    m_strStoppedRx.clear();
    m_strExtraRx.clear();
    m_deferredWallSteps.clear();
}

// ---- the apply roads ----

bool CHOIScene::Apply(int nMode)
{
    BeginApplyState();
    m_bWholeLayout = true;
    m_nApplyMode = nMode;
    EmitLog(tr("Apply scene ..."));
    m_strCellRx.clear();
    BeginQueuing();

    bool bOk = true;
    QList<T_VideoWallInfo*> doneWalls;
    for (T_SceneCell* pCell : qAsConst(m_cells)) {
        if (!pCell->wall || doneWalls.contains(pCell->wall))
            continue;
        doneWalls.append(pCell->wall);
        if (!ApplyVideoWall(pCell->wall, E_VWF_ALL)) {
            bOk = false;
            break;
        }
    }

    if (bOk) {
        for (T_SceneCell* pCell : qAsConst(m_cells)) {
            if (!pCell->wall && pCell->rx && !ApplyCell(pCell)) {
                bOk = false;
                break;
            }
        }
    }

    if (bOk) {
        // Devices left half-linked are stopped and keep only their identity.
        for (T_SceneCell* pCell : qAsConst(m_cells)) {
            if (pCell->txList.isEmpty() == !pCell->rx)
                continue;
            QList<CHOIDev*> devs = pCell->txList;
            if (pCell->rx)
                devs.append(pCell->rx);
            for (CHOIDev* pDev : qAsConst(devs)) {
                if (m_pendingDevs.contains(pDev))
                    continue;
                if (StopRxLink(pDev, false))
                    SendSceneParams(pDev, true);
            }
        }
    }

    const int total = EndQueuing();
    if (bOk && total > 0) {
        emit OnProgressNotify(E_PN_APPLY, 1);
        FinishIfDone();
        return true;
    }

    m_eLastStatus = E_SS_FAILED;
    emit OnStatusChange(this, E_SS_FAILED);
    AbortApply();
    return false;
}

bool CHOIScene::ApplyCell(T_SceneCell* pCell)
{
    for (CHOIDev* pTx : qAsConst(pCell->txList)) {
        if (!m_pendingDevs.contains(pTx) && !ApplyTx(pTx))
            return false;
    }
    CHOIDev* pRx = pCell->rx;
    if (!ApplyRx(pCell, pRx))
        return false;
    if (!pRx->GetHostName().isEmpty()) {
        m_strCellRx += pRx->GetHostName() + QLatin1Char(' ');
        m_cellRxPrefixes.append(m_strCellRx.size());
    }
    return true;
}

bool CHOIScene::UpdateCellLink(const QList<T_CellPos*>& cells)
{
    BeginApplyState();
    if (cells.isEmpty())
        return false;
    EmitLog(tr("Update Cell link ..."));
    m_strCellRx.clear();
    BeginQueuing();

    bool bOk = true;
    QList<T_VideoWallInfo*> doneWalls;
    for (const T_CellPos* pPos : cells) {
        if (!pPos || !IsInGrid(pPos->row, pPos->col))
            continue;
        T_VideoWallInfo* pWall = GetCell(pPos->row, pPos->col)->wall;
        if (!pWall || doneWalls.contains(pWall))
            continue;
        doneWalls.append(pWall);
        if (!ApplyVideoWall(pWall, E_VWF_ALL)) {
            bOk = false;
            break;
        }
    }
    if (bOk) {
        for (const T_CellPos* pPos : cells) {
            if (!pPos || !IsInGrid(pPos->row, pPos->col))
                continue;
            T_SceneCell* pCell = GetCell(pPos->row, pPos->col);
            if (!pCell->wall && pCell->rx && !ApplyCell(pCell)) {
                bOk = false;
                break;
            }
        }
    }

    EndQueuing();
    if (!bOk) {
        m_eLastStatus = E_SS_FAILED;
        emit OnStatusChange(this, E_SS_FAILED);
        AbortApply();
        return false;
    }
    FinishIfDone();
    return true;
}

bool CHOIScene::UpdateOneCellLink(int row, int col)
{
    T_CellPos pos;
    pos.row = row;
    pos.col = col;
    QList<T_CellPos*> cells;
    cells.append(&pos);
    return UpdateCellLink(cells);
}

bool CHOIScene::StopLink(QList<CHOIDev*>& devs)
{
    BeginApplyState();
    EmitLog(tr("Stop link ..."));
    emit OnProgressNotify(E_PN_APPLY, 1);

    m_strStoppedRx.clear();
    BeginQueuing();
    int count = 0;
    for (CHOIDev* pDev : qAsConst(devs)) {
        if (pDev && StopRxLink(pDev, true)) {
            m_strStoppedRx += pDev->GetHostName() + QLatin1Char(' ');
            ++count;
        }
    }
    EndQueuing();
    return FinishQueuedOrFail(count > 0);
}

bool CHOIScene::StopRxLink(CHOIDev* pDev, bool bClearScene)
{
    if (!pDev || !pDev->HasOwnLink() || !pDev->EnsureConnected())
        return false;
    // Registered before anything is queued, so that no answer is missed.
    AddPendingDev(pDev);
    if (pDev->GetDevType() == CHOIDev::E_DT_RX) {
        pDev->SendParamSet(QStringLiteral("ch_select"), QString(), false);
        pDev->SendSetCmd(QStringLiteral("vi"), QString(), QString(), false);
    }
    if (bClearScene)
        pDev->SendParamSet(QStringLiteral("scene"), QString(), false);
    pDev->SendParamSet(QStringLiteral("source_select_audio"), QString(), false);
    pDev->SendEvent(QStringLiteral("e_stop_link"));
    if (pDev->GetDevType() != CHOIDev::E_DT_TX && m_pOwner && m_pOwner->IsSupportVideoWall(pDev))
        pDev->SendEvent(QStringLiteral("e_vw_moninfo_0_0_0_0"));
    return true;
}

bool CHOIScene::SendSceneParams(CHOIDev* pDev, bool bSave)
{
    if (!pDev)
        return false;
    bool bOk = pDev->SendParamSetEncoded(QStringLiteral("scene"), m_strName, false);
    // Refused for a device whose name is unread: its default name would
    // replace the one it stores.
    pDev->SendParamSetEncoded(QStringLiteral("name"), pDev->GetDisplayName(), false);
    pDev->SendParamSetInt(QStringLiteral("s_row_count"), m_nRowCount, false);
    pDev->SendParamSetInt(QStringLiteral("s_col_count"), m_nColCount, false);
    int row = 0;
    int col = 0;
    if (pDev->GetDevType() != CHOIDev::E_DT_TX && FindDevCell(pDev, &row, &col)) {
        pDev->SendParamSetInt(QStringLiteral("s_row"), row, false);
        pDev->SendParamSetInt(QStringLiteral("s_col"), col, false);
    }
    if (bSave)
        bOk = pDev->SaveParam() && bOk;
    return bOk;
}

QString CHOIScene::FirstFreeMulticastIP(const QSet<QString>& usedAddrs)
{
    for (int i = 1; i <= 65533; ++i) {
        const QString candidate = QStringLiteral("225.0.%1.%2").arg(i / 255 + 100).arg(i % 255);
        if (!usedAddrs.contains(candidate))
            return candidate;
    }
    return QString();
}

bool CHOIScene::AssignMulticastIP(CHOIDev* pTx)
{
    // One pass over the encoders instead of one per candidate address.
    QSet<QString> used;
    for (int i = 0; i < m_pOwner->GetDevCount(); ++i) {
        CHOIDev* pDev = m_pOwner->GetDev(i);
        if (pDev && pDev != pTx && pDev->GetDevType() == CHOIDev::E_DT_TX)
            used.insert(pDev->m_strMulticastIP);
    }
    const QString& current = pTx->m_strMulticastIP;
    if (!QHostAddress(current).isNull() && !used.contains(current))
        return true;
    const QString addr = FirstFreeMulticastIP(used);
    if (addr.isEmpty()) {
        LogDev(QT_TR_NOOP("No multicast IP address is available for device('%1'), operation abort."),
               pTx);
        return false;
    }
    if (addr != current)
        pTx->m_strMulticastIP = addr;
    return true;
}

bool CHOIScene::ApplyTx(CHOIDev* pTx)
{
    if (!pTx)
        return false;
    // A gateway's virtual TX streams through its gateway: the decoders are
    // told its id, the TX itself gets nothing and is not waited for.
    if (!pTx->HasOwnLink())
        return true;
    if (!ConnectForApply(pTx))
        return false;
    const bool bCustomIP = m_pOwner && m_pOwner->m_bCustomMulticastIP;
    if (bCustomIP && !AssignMulticastIP(pTx))
        return false;
    if (!m_pOwner || !m_pOwner->IsHisiDev(pTx))
        AddPendingDev(pTx);

    pTx->SendParamSet(QStringLiteral("multicast_on"), QStringLiteral("y"), false);
    if (bCustomIP)
        pTx->SendParamSet(QStringLiteral("multicast_ip"), pTx->m_strMulticastIP, false);
    pTx->SendParamSet(QStringLiteral("hostnamebydipswitch"), QStringLiteral("n"), false);
    SendSceneParams(pTx, false);
    pTx->SendEvent(QStringLiteral("e_chg_hostname"));
    pTx->SendParamSet(QStringLiteral("reset_ch_on_boot"), QStringLiteral("n"), false);
    pTx->SaveParam();
    return true;
}

void CHOIScene::QueueAudioSelect(CHOIDev* pRx, CHOIDev* pTx)
{
    const QString& id = pTx->GetMacId();
    if (m_pOwner && m_pOwner->IsSupportJpeg(pRx))
        pRx->SendParamSet(QStringLiteral("source_select_audio"), id, false);
    else
        pRx->ApplySourceSelect(id);
}

bool CHOIScene::ApplyRx(T_SceneCell* pCell, CHOIDev* pRx)
{
    if (!pCell || !ConnectForApply(pRx))
        return false;
    AddPendingDev(pRx);
    const bool bWall = m_pOwner && m_pOwner->IsSupportVideoWall(pRx);

    if (pCell->txList.isEmpty()) {
        if (bWall) {
            pRx->SendParamSet(QStringLiteral("en_video_wall"), QStringLiteral("n"), false);
            pRx->SendEvent(QStringLiteral("e_vw_moninfo_0_0_0_0"));
            pRx->SendEvent(QStringLiteral("e_vw_enable_0_0_0_0"));
        }
        if (!pRx->SendParamSet(QStringLiteral("ch_select"), QString(), false)
            || !pRx->SendSetCmd(QStringLiteral("vi"), QString(), QString(), false))
            return RefuseRx(pRx);
        pRx->SendParamSet(QStringLiteral("source_select_audio"), QString(), false);
        pRx->SendEvent(QStringLiteral("e_stop_link"));
        return true;
    }

    const bool bOldApi = m_pOwner && m_pOwner->GetProdIdInfo(pRx)->old_api;
    QString value;
    int n = 1;
    for (CHOIDev* pTx : qAsConst(pCell->txList)) {
        if (bOldApi)
            value += pTx->GetMacId() + QStringLiteral(":hdmi00 ");
        else
            value += QString::number(n++) + QLatin1Char(' ') + pTx->GetMacId();
    }
    if (!pRx->SendSetCmd(QStringLiteral("vi"), value, QString(), false))
        return RefuseRx(pRx);

    CHOIDev* pFirstTx = pCell->txList.first();
    QueueAudioSelect(pRx, pFirstTx);
    SendSceneParams(pRx, false);
    pRx->SendParamSet(QStringLiteral("hostnamebydipswitch"), QStringLiteral("n"), false);
    pRx->SendParamSet(QStringLiteral("multicast_on"), QStringLiteral("y"), false);
    if (!pRx->SendParamSet(QStringLiteral("ch_select"), pFirstTx->GetMacId(), false))
        return RefuseRx(pRx);
    pRx->SendParamSet(QStringLiteral("reset_ch_on_boot"), QStringLiteral("n"), false);
    if (bWall) {
        pRx->SendParamSet(QStringLiteral("en_video_wall"), QStringLiteral("n"), false);
        pRx->SendEvent(QStringLiteral("e_vw_moninfo_0_0_0_0"));
        pRx->SendEvent(QStringLiteral("e_vw_enable_0_0_0_0"));
    }
    pRx->SaveParam();
    return true;
}

bool CHOIScene::RefuseRx(CHOIDev* pRx)
{
    // The decoder would not show its source: it failed, whatever its other
    // lines answer. Nothing more is queued for it; the apply goes on.
    CountCompletion(pRx, E_CR_FAILED);
    return true;
}

bool CHOIScene::ResyncAppliedRx()
{
    // One message per decoder: the interfaces are listed once for them all.
    m_vwSync.BeginBatch();
    if (!m_wallRxList.isEmpty()) {
        const QStringList texts = m_wallRxList;
        for (const QString& text : texts) {
            m_vwSync.StartVWSync(text);
            EmitLog(tr("castVWSwitchRX: msg_b_reconnect VW ('%1')").arg(text));
        }
        m_wallRxList.clear();
        m_strWallRx.clear();
        if (!ApplyDeferredWallSteps()) {
            m_vwSync.EndBatch();
            return false;
        }
    }
    if (!m_cellRxPrefixes.isEmpty()) {
        // Every one of these lines names the whole text: built once.
        const QString line = tr("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(m_strCellRx);
        while (!m_cellRxPrefixes.isEmpty()) {
            m_vwSync.StartVWSync(m_strCellRx.left(m_cellRxPrefixes.takeFirst()));
            EmitLog(line);
        }
        m_strCellRx.clear();
    }
    if (!m_strSplitRx.isEmpty()) {
        m_vwSync.StartVWSync(m_strSplitRx);
        EmitLog(tr("castMatriRX: msg_b_reconnect Split ('%1')").arg(m_strSplitRx));
        m_strSplitRx.clear();
    }
    if (!m_strStoppedRx.isEmpty()) {
        m_vwSync.StartVWSync(m_strStoppedRx);
        EmitLog(tr("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(m_strStoppedRx));
        m_strStoppedRx.clear();
    }
    if (!m_strExtraRx.isEmpty()) {
        m_vwSync.StartVWSync(m_strExtraRx);
        EmitLog(tr("castMatriRX: msg_b_reconnect Matrix ('%1')").arg(m_strExtraRx));
        m_strExtraRx.clear();
    }
    m_vwSync.EndBatch();
    return true;
}
