// Schedules: a layout applied automatically at a time of day on the days a
// date rule picks, checked once a second.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoiscene.h"

#include <QDate>

int CHOIDevMgr::AddSchedule(const T_ScheduleInfo* pInfo)
{
    if (!pInfo || pInfo->type < 1 || pInfo->type > 4 || !pInfo->scene)
        return -1;
    m_scheduleList.append(new T_ScheduleInfo(*pInfo));
    return m_scheduleList.size() - 1;
}

void CHOIDevMgr::ClearSchedules()
{
    while (!m_scheduleList.isEmpty())
        delete m_scheduleList.takeLast();
}

bool CHOIDevMgr::IsScheduleDue(const T_ScheduleInfo* pInfo, const QDateTime& now) const
{
    const QDate today = now.date();
    bool bDay = false;
    switch (pInfo->type) {
    case 1: {
        const QDate first(today.year(), pInfo->start_date.month, pInfo->start_date.day);
        const QDate last(today.year(), pInfo->end_date.month, pInfo->end_date.day);
        bDay = first.isValid() && last.isValid() && today >= first && today <= last;
        break;
    }
    case 2: {
        // An invalid bound compares as before every date; keep such a record idle.
        const QDate first(pInfo->start_date.year, pInfo->start_date.month, pInfo->start_date.day);
        const QDate last(pInfo->end_date.year, pInfo->end_date.month, pInfo->end_date.day);
        if (first.isValid() && last.isValid() && today >= first && today <= last)
            bDay = (pInfo->weekdays >> (today.dayOfWeek() - 1)) & 1u;
        break;
    }
    case 3:
        bDay = true;
        break;
    case 4:
        bDay = today == QDate(pInfo->start_date.year, pInfo->start_date.month, pInfo->start_date.day);
        break;
    default:
        break;
    }
    if (!bDay)
        return false;
    const int execSecs = pInfo->exec_time.hour * 3600 + pInfo->exec_time.minute * 60 + pInfo->exec_time.second;
    const int nowSecs = now.time().msecsSinceStartOfDay() / 1000;
    const int diff = nowSecs - execSecs;
    return diff >= 0 && diff <= 59;
}

void CHOIDevMgr::slotOnCheckSchedule()
{
    // Applying a layout may delete schedule records (through its owner's
    // slots); walk a copy and skip records that are gone.
    const QList<T_ScheduleInfo*> schedules = m_scheduleList;
    for (T_ScheduleInfo* pInfo : schedules) {
        if (!m_scheduleList.contains(pInfo))
            continue;
        if (!pInfo->activited || !pInfo->scene)
            continue;
        const QDateTime now = m_scheduleClock ? m_scheduleClock() : QDateTime::currentDateTime();
        if (!IsScheduleDue(pInfo, now)) {
            pInfo->fired = false;
            continue;
        }
        if (pInfo->fired)
            continue;
        CHOIScene* pScene = pInfo->scene;
        if (!m_sceneList.contains(pScene))
            continue;
        if (pScene->IsApplying()) {
            EmitProgressLog(tr("Scene('%1') is applying, failed to execute by schedule.").arg(pScene->GetName()));
            continue;
        }
        pInfo->fired = true;
        EmitProgressLog(tr("Scene('%1') execute by schedule...").arg(pScene->GetName()));
        emit OnScheduleExec(pScene);
        pScene->Apply(2);
    }
}

void CHOIDevMgr::slotOnSceneDestroy(QObject* pObject)
{
    // The object is half destroyed: compare addresses only (QObject is the
    // layout's one base, so both share the address).
    const void* pGone = pObject;
    for (int i = m_scheduleList.size() - 1; i >= 0; --i) {
        if (static_cast<const void*>(m_scheduleList.at(i)->scene) == pGone)
            delete m_scheduleList.takeAt(i);
    }
    // A layout deleted behind the manager's back must not stay listed.
    for (int i = m_sceneList.size() - 1; i >= 0; --i) {
        if (static_cast<const void*>(m_sceneList.at(i)) == pGone)
            m_sceneList.removeAt(i);
    }
    for (int i = m_videoWallList.size() - 1; i >= 0; --i) {
        if (static_cast<const void*>(m_videoWallList.at(i)) == pGone)
            m_videoWallList.removeAt(i);
    }
}

void CHOIDevMgr::SetScheduleInterval(int intervalMs)
{
    m_scheduleTimer.start(intervalMs);
}

void CHOIDevMgr::SetScheduleClock(std::function<QDateTime()> clock)
{
    m_scheduleClock = std::move(clock);
}
