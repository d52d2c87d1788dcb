// Video walls of a layout: which device may enter which cell, the picture
// set-up of one wall decoder, taking decoders out of their wall, and the
// commands a wall apply queues (with the steps kept for after the apply).

#include "hoi_core/hoiscene.h"

#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"

namespace {
const char* const kNoWallSupport =
    QT_TRANSLATE_NOOP("CHOIScene", "Device('%1') does not support video wall function.");
const char* const kCantLink = QT_TRANSLATE_NOOP("CHOIScene", "Device ('%1') can't make link with '%2'.");
const char* const kCantWall =
    QT_TRANSLATE_NOOP("CHOIScene", "Device ('%1') can't make video wall with '%2'.");
const char* const kNoMultiChannel =
    QT_TRANSLATE_NOOP("CHOIScene", "Device('%1') does not support mulchannel video.");
const char* const kNoMultiHost = QT_TRANSLATE_NOOP(
    "CHOIScene", "Device ('%1') does not support video wall with multi host mode.");

QString Name(CHOIDev* pDev)
{
    return pDev ? pDev->GetDisplayName() : QString();
}
} // namespace

// ---- placement rules ----

void CHOIScene::SetCellRx(T_SceneCell* pCell, CHOIDev* pDev)
{
    pCell->rx = pDev;
    if (!m_strGroup.isEmpty())
        pDev->SetGroup(m_strGroup);
}

bool CHOIScene::SetCellDev(int row, int col, CHOIDev* pDev, QString& err)
{
    if (!pDev || !m_pOwner || !IsInGrid(row, col))
        return false;
    T_SceneCell* pCell = GetCell(row, col);
    T_VideoWallInfo* pWall = pCell->wall;
    if (pWall && !m_pOwner->IsSupportVideoWall(pDev)) {
        err = tr(kNoWallSupport).arg(Name(pDev));
        return false;
    }

    if (pDev->GetDevType() != CHOIDev::E_DT_TX) {
        if (pDev->GetDevType() != CHOIDev::E_DT_RX && pDev->GetDevType() != CHOIDev::E_DT_MRX)
            return false;
        if (!pWall) {
            if (pCell->txList.size() == 1 && !m_pOwner->IsLinkPartner(pCell->txList.first(), pDev)) {
                err = tr(kCantLink).arg(Name(pDev), Name(pCell->txList.first()));
                return false;
            }
            if (pCell->txList.size() > 1 && !m_pOwner->IsLinkGroupOk(pCell->txList, pDev)) {
                err = tr(kNoMultiChannel).arg(Name(pDev));
                return false;
            }
        } else {
            if (pWall->mode == 1 && !m_pOwner->IsSupportVWMultiTx(pDev)) {
                err = tr(kNoMultiHost).arg(Name(pDev));
                return false;
            }
            if (!pCell->txList.isEmpty()
                && !m_pOwner->IsMutualPartner(pCell->txList.first(), pDev)) {
                err = tr(kCantWall).arg(Name(pDev), Name(pCell->txList.first()));
                return false;
            }
        }
        SetCellRx(pCell, pDev);
        return true;
    }

    if (pWall) {
        if (pCell->rx && !m_pOwner->IsMutualPartner(pDev, pCell->rx)) {
            err = tr(kCantWall).arg(Name(pDev), Name(pCell->rx));
            return false;
        }
        if (pWall->mode == 1 && !m_pOwner->IsSupportVWMultiTx(pDev)) {
            err = tr(kNoMultiHost).arg(Name(pDev));
            return false;
        }
        pCell->txList = QList<CHOIDev*>() << pDev;
        return true;
    }
    if (!pCell->rx) {
        pCell->txList = QList<CHOIDev*>() << pDev;
        return true;
    }
    if (!pCell->txList.isEmpty()) {
        QList<CHOIDev*> group = pCell->txList;
        if (!group.contains(pDev))
            group.append(pDev);
        if (m_pOwner->IsLinkGroupOk(group, pCell->rx)) {
            if (!pCell->txList.contains(pDev)) {
                if (pCell->txList.size() >= E_MAX_CELL_TX)
                    return false;
                pCell->txList.append(pDev);
            }
            return true;
        }
    }
    if (m_pOwner->IsLinkPartner(pDev, pCell->rx)) {
        pCell->txList = QList<CHOIDev*>() << pDev;
        return true;
    }
    err = tr(kCantLink).arg(Name(pDev), Name(pCell->rx));
    return false;
}

bool CHOIScene::SetVideoWallTx(T_VideoWallInfo* pWall, int row, CHOIDev* pTx, QString& err)
{
    if (!pWall || !pTx || !m_pOwner || !IsInWallList(pWall) || row < pWall->pos_row
        || row >= pWall->pos_row + pWall->row_count
        || !IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count))
        return false;
    if (!m_pOwner->IsSupportVideoWall(pTx)) {
        err = tr(kNoWallSupport).arg(Name(pTx));
        return false;
    }
    int firstRow = pWall->pos_row;
    int rows = pWall->row_count;
    if (pWall->mode == 1) {
        if (!m_pOwner->IsSupportVWMultiTx(pTx)) {
            err = tr(kNoMultiHost).arg(Name(pTx));
            return false;
        }
        firstRow = row;
        rows = 1;
    }
    for (int r = firstRow; r < firstRow + rows; ++r) {
        for (int c = pWall->pos_col; c < pWall->pos_col + pWall->col_count; ++c) {
            CHOIDev* pRx = CellAt(r, c)->rx;
            if (pRx && !m_pOwner->IsMutualPartner(pTx, pRx)) {
                err = tr(kCantWall).arg(Name(pTx), Name(pRx));
                return false;
            }
        }
    }
    for (int r = firstRow; r < firstRow + rows; ++r) {
        for (int c = pWall->pos_col; c < pWall->pos_col + pWall->col_count; ++c)
            GetCell(r, c)->txList = QList<CHOIDev*>() << pTx;
    }
    return true;
}

bool CHOIScene::CanTakeRx(T_SceneCell* pCell, CHOIDev* pRx, QString& err) const
{
    if (!pCell->txList.isEmpty() && !pRx)
        return true;
    if (pCell->txList.isEmpty()) {
        if (pRx && pCell->wall && !m_pOwner->IsSupportVideoWall(pRx)) {
            err = tr(kNoWallSupport).arg(Name(pRx));
            return false;
        }
        return true;
    }
    CHOIDev* pTx = pCell->txList.first();
    if (!pCell->wall) {
        if (pCell->txList.size() >= 2 && !m_pOwner->IsLinkGroupOk(pCell->txList, pRx)) {
            err = tr(kNoMultiChannel).arg(Name(pRx));
            return false;
        }
        if (!m_pOwner->IsLinkPartner(pTx, pRx)) {
            err = tr(kCantLink).arg(Name(pTx), Name(pRx));
            return false;
        }
        return true;
    }
    if (!m_pOwner->IsMutualPartner(pTx, pRx)) {
        err = tr(kCantWall).arg(Name(pTx), Name(pRx));
        return false;
    }
    return true;
}

bool CHOIScene::CanMoveCellDev(int row1, int col1, int row2, int col2, QString& err)
{
    if (!m_pOwner || !IsInGrid(row1, col1) || !IsInGrid(row2, col2))
        return false;
    T_SceneCell* pCell1 = GetCell(row1, col1);
    T_SceneCell* pCell2 = GetCell(row2, col2);
    if (!CanTakeRx(pCell1, pCell2->rx, err) || !CanTakeRx(pCell2, pCell1->rx, err))
        return false;
    qSwap(pCell1->rx, pCell2->rx);
    return true;
}

bool CHOIScene::IsVideoWallSupportMultiTx(const T_VideoWallInfo* pWall) const
{
    if (!pWall || !m_pOwner
        || !IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count))
        return false;
    bool bAnyDev = false;
    for (int r = pWall->pos_row; r < pWall->pos_row + pWall->row_count; ++r) {
        for (int c = pWall->pos_col; c < pWall->pos_col + pWall->col_count; ++c) {
            const T_SceneCell* pCell = CellAt(r, c);
            QList<CHOIDev*> devs = pCell->txList;
            if (pCell->rx)
                devs.append(pCell->rx);
            for (CHOIDev* pDev : qAsConst(devs)) {
                bAnyDev = true;
                if (!m_pOwner->IsSupportVWMultiTx(pDev))
                    return false;
            }
        }
    }
    return bAnyDev || m_pOwner->IsSupportVWMultiTx(nullptr);
}

bool CHOIScene::IsVideoWallSupportAdvance(const T_VideoWallInfo* pWall) const
{
    if (!pWall || !m_pOwner
        || !IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count))
        return false;
    for (int r = pWall->pos_row; r < pWall->pos_row + pWall->row_count; ++r) {
        for (int c = pWall->pos_col; c < pWall->pos_col + pWall->col_count; ++c) {
            const T_SceneCell* pCell = CellAt(r, c);
            for (CHOIDev* pTx : pCell->txList) {
                if (m_pOwner->IsSupportVWAdvance(pTx))
                    return true;
            }
            if (pCell->rx && m_pOwner->IsSupportVWAdvance(pCell->rx))
                return true;
        }
    }
    return false;
}

// ---- picture set-up and leaving the wall ----

void CHOIScene::SendDevSetup(CHOIDev* pDev, int item)
{
    if (!pDev || pDev->GetDevType() == CHOIDev::E_DT_TX)
        return;
    const T_VWDevSetup setup = GetDevSetup(pDev);
    const bool bAll = item == E_VWS_ALL;
    // qint64 so that the magnitude of the most negative shift is exact.
    if (bAll || item == E_VWS_VSHIFT) {
        const qint64 v = setup.vshift;
        pDev->SendEvent(v < 0 ? QStringLiteral("e_vw_v_shift_u_%1").arg(-v)
                              : QStringLiteral("e_vw_v_shift_d_%1").arg(v));
    }
    if (bAll || item == E_VWS_HSHIFT) {
        const qint64 h = setup.hshift;
        pDev->SendEvent(h < 0 ? QStringLiteral("e_vw_h_shift_l_%1").arg(-h)
                              : QStringLiteral("e_vw_h_shift_r_%1").arg(h));
    }
    if (bAll || item == E_VWS_HSCALE)
        pDev->SendEvent(QStringLiteral("e_vw_h_scale_%1").arg(setup.hscale));
    if (bAll || item == E_VWS_VSCALE)
        pDev->SendEvent(QStringLiteral("e_vw_v_scale_%1").arg(setup.vscale));
    if (bAll || item == E_VWS_DELAYKICK)
        pDev->SendEvent(QStringLiteral("e_vw_delay_kick_%1").arg(setup.delay_kick));
}

bool CHOIScene::ApplyDevSetup(CHOIDev* pDev, int item)
{
    BeginApplyState();
    EmitLog(tr("Apply VideoWall Device Setup ..."));
    emit OnProgressNotify(E_PN_APPLY, 1);

    BeginQueuing();
    // Only a device that gets at least one event is waited for; one that gets
    // none would never answer.
    const bool bQueues = pDev && pDev->GetDevType() != CHOIDev::E_DT_TX && item >= E_VWS_HSHIFT
        && item <= E_VWS_ALL;
    if (bQueues && pDev->EnsureConnected()) {
        AddPendingDev(pDev);
        SendDevSetup(pDev, item);
    }
    return FinishQueuedOrFail(EndQueuing() > 0);
}

bool CHOIScene::ApplyVideoWallTo1x1(QList<CHOIDev*>& devs)
{
    BeginApplyState();
    EmitLog(tr("Apply VideoWall To 1x1 ..."));
    emit OnProgressNotify(E_PN_APPLY, 1);

    BeginQueuing();
    for (CHOIDev* pDev : qAsConst(devs)) {
        if (!pDev || !pDev->EnsureConnected())
            continue;
        const bool bTx = pDev->GetDevType() == CHOIDev::E_DT_TX;
        if (!bTx) {
            AddPendingDev(pDev);
            pDev->SendParamSet(QStringLiteral("en_video_wall"), QStringLiteral("n"), false);
            pDev->SendEvent(QStringLiteral("e_vw_moninfo_0_0_0_0"));
            pDev->SendEvent(QStringLiteral("e_vw_enable_0_0_0_0"));
        }
        if (pDev->GetDevType() == CHOIDev::E_DT_RX)
            m_strSplitRx += pDev->GetHostName() + QLatin1Char(' ');
    }
    if (FinishQueuedOrFail(EndQueuing() > 0))
        return true;
    AbortApply();
    return false;
}

// ---- wall apply ----

bool CHOIScene::ApplyVideoWall(T_VideoWallInfo* pWall, int flags)
{
    m_strWallRx.clear();
    m_strExtraRx.clear();
    if (!IsInWallList(pWall)
        || !IsRectInGrid(pWall->pos_row, pWall->pos_col, pWall->row_count, pWall->col_count))
        return false;

    int count = 0;
    for (int r = 0; r < pWall->row_count; ++r) {
        if (!ApplyVideoWallRow(pWall, r, flags, count))
            return false;
    }

    if (!m_strWallRx.isEmpty())
        m_wallRxList.append(m_strWallRx);
    if (count == 0) {
        EmitLog(tr("Video wall('%1') fails to be applied because no TX or RX device is configured. "
                   "The operation is interrupted.")
                    .arg(pWall->name));
        return false;
    }
    return true;
}

bool CHOIScene::ApplyVideoWallRow(T_VideoWallInfo* pWall, int r, int flags, int& count)
{
    const QList<CHOIDev*> txList = CellAt(pWall->pos_row + r, pWall->pos_col)->txList;
    if (txList.isEmpty())
        return StopVideoWallRow(pWall, r, count);
    if (txList.size() > 1) {
        EmitLog(tr("Video wall('%1') fails to be applied because only one TX device can be in "
                   "one cell. The operation is interrupted.")
                    .arg(pWall->name));
        return false;
    }

    CHOIDev* pTx = txList.first();
    // Each row keeps its own deferred record, so that every row's encoder
    // and decoders are finished exactly once.
    T_VWDeferredSteps rec;
    if ((r == 0 || pWall->mode == 1) && !ApplyVideoWallRowTx(pWall, pTx, r, flags, rec))
        return false;
    if (!ApplyVideoWallRowRx(pWall, pTx, r, flags, rec, count))
        return false;
    if (rec.tx || !rec.rxSteps.isEmpty())
        m_deferredWallSteps.append(rec);
    return true;
}

bool CHOIScene::StopVideoWallRow(T_VideoWallInfo* pWall, int r, int& count)
{
    // A row without an encoder: its decoders are stopped but keep their
    // place in the wall.
    const int row = pWall->pos_row + r;
    for (int c = 0; c < pWall->col_count; ++c) {
        CHOIDev* pRx = CellAt(row, pWall->pos_col + c)->rx;
        if (!pRx)
            continue;
        if (!StopRxLink(pRx, false))
            return false;
        pRx->SendEvent(QStringLiteral("e_vw_enable_%1_%2_%3_%4")
                           .arg(pWall->row_count - 1)
                           .arg(pWall->col_count - 1)
                           .arg(r)
                           .arg(c));
        m_strExtraRx += pRx->GetHostName() + QLatin1Char(' ');
        ++count;
    }
    return true;
}

bool CHOIScene::ApplyVideoWallRowTx(T_VideoWallInfo* pWall, CHOIDev* pTx, int r, int flags,
                                    T_VWDeferredSteps& rec)
{
    if (!(m_pOwner && m_pOwner->IsHisiDev(pTx)))
        return PrepareVideoWallTx(pWall, pTx, r, flags);
    // Its decoders are told its multicast address now, before the encoder
    // itself is prepared: it must already be final.
    if (m_pOwner->m_bCustomMulticastIP && !AssignMulticastIP(pTx))
        return false;
    rec.tx = pTx;
    rec.wall = pWall;
    rec.row = r;
    rec.flags = flags;
    return true;
}

bool CHOIScene::ApplyVideoWallRowRx(T_VideoWallInfo* pWall, CHOIDev* pTx, int r, int flags,
                                    T_VWDeferredSteps& rec, int& count)
{
    const int row = pWall->pos_row + r;
    for (int c = 0; c < pWall->col_count; ++c) {
        CHOIDev* pRx = CellAt(row, pWall->pos_col + c)->rx;
        if (!pRx)
            continue;
        ++count;
        if (m_pOwner && m_pOwner->IsHisiDev(pRx)) {
            if (!PrepareVideoWallRx(pWall, pTx, pRx, r, c, flags))
                return false;
            T_VWDeferredRxStep step;
            step.row = r;
            step.col = c;
            step.tx = pTx;
            step.rx = pRx;
            step.wall = pWall;
            step.flags = flags;
            rec.rxSteps.append(step);
        } else if (!ApplyVideoWallRx(pWall, pTx, pRx, r, c, flags)) {
            return false;
        }
        m_strWallRx += pRx->GetHostName() + QLatin1Char(' ');
    }
    return true;
}

bool CHOIScene::PrepareVideoWallTx(T_VideoWallInfo* pWall, CHOIDev* pTx, int row, int flags)
{
    // An encoder the apply already waits for has been sent its lines.
    if (!m_pendingDevs.contains(pTx) && !ApplyTx(pTx))
        return false;
    return ApplyVideoWallDev(pWall, pTx, row, flags);
}

bool CHOIScene::ApplyVideoWallDev(T_VideoWallInfo* pWall, CHOIDev* pDev, int row, int flags)
{
    if (!pWall || !pDev)
        return false;
    if ((row != 0 && pWall->mode == 0) || !pDev->HasOwnLink())
        return true;
    if (!ConnectForApply(pDev))
        return false;
    const bool bTx = pDev->GetDevType() == CHOIDev::E_DT_TX;
    const bool bIdentity = flags & E_VWF_IDENTITY;
    const bool bSetup = (flags & E_VWF_SETUP) && !bTx;
    // Waited for only when something is queued; otherwise no answer comes.
    if ((bIdentity || bSetup) && !(m_pOwner && m_pOwner->IsHisiDev(pDev)))
        AddPendingDev(pDev);
    if (bIdentity) {
        pDev->SendParamSetEncoded(QStringLiteral("s_vw_name"), pWall->name, false);
        pDev->SendParamSetInt(QStringLiteral("s_vw_mode"), pWall->mode, false);
        pDev->SendParamSetInt(QStringLiteral("s_vw_pos_row"), pWall->pos_row, false);
        pDev->SendParamSetInt(QStringLiteral("s_vw_pos_col"), pWall->pos_col, false);
        pDev->SendParamSetInt(QStringLiteral("s_vw_row_count"), pWall->row_count, false);
        pDev->SendParamSetInt(QStringLiteral("s_vw_col_count"), pWall->col_count, false);
        pDev->SendParamSetInt(QStringLiteral("s_vw_row"), row, false);
    }
    if (bSetup)
        SendDevSetup(pDev, E_VWS_ALL);
    return true;
}

void CHOIScene::QueueWallRxLink(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row,
                                int col, int parts)
{
    const bool bSource = parts & E_WRX_SOURCE;
    const bool bPlace = parts & E_WRX_PLACE;
    const QString& txId = pTx->GetMacId();
    if (bPlace) {
        pRx->SendParamSet(QStringLiteral("hostnamebydipswitch"), QStringLiteral("n"), false);
        pRx->SendParamSet(QStringLiteral("en_video_wall"), QStringLiteral("y"), false);
        pRx->SendParamSetEncoded(QStringLiteral("s_vw_name"), pWall->name, false);
        pRx->SendParamSet(QStringLiteral("multicast_on"), QStringLiteral("y"), false);
    }
    if (m_pOwner && m_pOwner->m_bCustomMulticastIP)
        pRx->SendParamSet(QStringLiteral("multicast_ip"), pTx->m_strMulticastIP, false);
    if (bPlace)
        pRx->SendParamSet(QStringLiteral("ch_select"), txId, false);
    if (bSource) {
        const bool bOldApi = m_pOwner && m_pOwner->GetProdIdInfo(pRx)->old_api;
        pRx->SendSetCmd(QStringLiteral("vi"), bOldApi ? txId : QStringLiteral("1 ") + txId,
                        QString(), false);
        QueueAudioSelect(pRx, pTx);
    }
    if (bPlace) {
        pRx->SendParamSet(QStringLiteral("reset_ch_on_boot"), QStringLiteral("n"), false);
        pRx->SendEvent(QStringLiteral("e_vw_pos_layout_%1_%2")
                           .arg(pWall->row_count - 1)
                           .arg(pWall->col_count - 1));
    }
    if (bSource) {
        pRx->SendEvent(QStringLiteral("e_vw_moninfo_%1_%2_%3_%4")
                           .arg(pWall->vw)
                           .arg(pWall->ow)
                           .arg(pWall->vh)
                           .arg(pWall->oh));
        pRx->SendEvent(QStringLiteral("e_vw_enable_%1_%2_%3_%4")
                           .arg(pWall->row_count - 1)
                           .arg(pWall->col_count - 1)
                           .arg(pWall->mode == 0 ? row : 0)
                           .arg(col));
    }
    if (bPlace)
        pRx->SendEvent(QStringLiteral("e_vw_refresh_pos_idx_%1_%2").arg(row).arg(col));
}

void CHOIScene::QueueWallRxSteps(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row,
                                 int col, int flags, int linkParts)
{
    if (flags & E_VWF_IDENTITY)
        SendSceneParams(pRx, false);
    if (flags & E_VWF_LINK)
        QueueWallRxLink(pWall, pTx, pRx, row, col, linkParts);
    if (flags & E_VWF_SETUP)
        SendDevSetup(pRx, E_VWS_ALL);
    if (flags & (E_VWF_LINK | E_VWF_SETUP))
        pRx->SaveParam();
}

bool CHOIScene::ApplyVideoWallRx(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row,
                                 int col, int flags)
{
    if (!pWall || !pTx || !ConnectForApply(pRx))
        return false;
    if (flags & (E_VWF_LINK | E_VWF_SETUP))
        AddPendingDev(pRx);
    QueueWallRxSteps(pWall, pTx, pRx, row, col, flags, E_WRX_SOURCE | E_WRX_PLACE);
    return true;
}

bool CHOIScene::PrepareVideoWallRx(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row,
                                   int col, int flags)
{
    if (!pWall || !pTx || !ConnectForApply(pRx))
        return false;
    // Only the link part is queued now; the wait needs something queued.
    if (flags & E_VWF_LINK) {
        AddPendingDev(pRx);
        QueueWallRxLink(pWall, pTx, pRx, row, col, E_WRX_SOURCE);
    }
    return true;
}

bool CHOIScene::FinishVideoWallRx(T_VideoWallInfo* pWall, CHOIDev* pTx, CHOIDev* pRx, int row,
                                  int col, int flags)
{
    if (!pWall || !pTx || !ConnectForApply(pRx))
        return false;
    // Its wall settings are part of the apply: the outcome waits for them.
    if (flags & E_VWF_ALL)
        AddPendingDev(pRx);
    QueueWallRxSteps(pWall, pTx, pRx, row, col, flags, E_WRX_PLACE);
    return true;
}

bool CHOIScene::ApplyDeferredWallSteps()
{
    const QList<T_VWDeferredSteps> records = m_deferredWallSteps;
    m_deferredWallSteps.clear();
    for (const T_VWDeferredSteps& rec : records) {
        for (const T_VWDeferredRxStep& step : rec.rxSteps) {
            if (!FinishVideoWallRx(step.wall, step.tx, step.rx, step.row, step.col, step.flags))
                return false;
        }
        if (rec.tx && rec.wall && !PrepareVideoWallTx(rec.wall, rec.tx, rec.row, rec.flags))
            return false;
    }
    return true;
}
