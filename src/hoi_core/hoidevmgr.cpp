// The device manager: construction, the device list, the layout lists, the
// data log and the relays of device and layout signals.
#include "hoi_core/hoidevmgr.h"

#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoiscene.h"

#include <QDebug>
#include <QHostAddress>

namespace {

// A camera a project file brought in without its gateway (files of earlier
// versions did not keep the gateway): nobody's, and no address to reach it
// at, so no link of its own. A list naming it takes it back.
bool IsOwnerlessCamera(const CHOIDev* pDev)
{
    return pDev->GetDevType() == CHOIDev::E_DT_TX && !pDev->m_pParentDev && pDev->m_strParentHostName.isEmpty()
           && QHostAddress(pDev->GetIPAddr()).isNull();
}

bool IsShownAsIs(uchar c)
{
    return c >= 0x20 ? c != 0x7f : (c == '\t' || c == '\n' || c == '\r');
}

// Length of the well-formed UTF-8 sequence of two or more bytes at p (avail
// bytes left); 0 when there is none.
int Utf8SequenceLength(const uchar* p, int avail)
{
    int len;
    uint code;
    if (p[0] >= 0xc2 && p[0] <= 0xdf) {
        len = 2;
        code = p[0] & 0x1f;
    } else if (p[0] >= 0xe0 && p[0] <= 0xef) {
        len = 3;
        code = p[0] & 0x0f;
    } else if (p[0] >= 0xf0 && p[0] <= 0xf4) {
        len = 4;
        code = p[0] & 0x07;
    } else {
        return 0;
    }
    if (avail < len)
        return 0;
    for (int k = 1; k < len; ++k) {
        if ((p[k] & 0xc0) != 0x80)
            return 0;
        code = (code << 6) | (p[k] & 0x3f);
    }
    // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
    if ((len == 3 && code < 0x800) || (len == 4 && (code < 0x10000 || code > 0x10ffff))
        || (code >= 0xd800 && code <= 0xdfff))
        return 0;
    return len;
}

// Device bytes as log text: UTF-8 text, line breaks and tabs as they are;
// every other control byte and every byte that is no part of UTF-8 text
// (Telnet option negotiation) as "\xhh".
QString EscapeLogBytes(const QByteArray& bytes)
{
    const uchar* p = reinterpret_cast<const uchar*>(bytes.constData());
    const int n = bytes.size();
    QString text;
    int runStart = 0; // first byte not yet converted
    int i = 0;
    while (i < n) {
        const int len = p[i] < 0x80 ? (IsShownAsIs(p[i]) ? 1 : 0) : Utf8SequenceLength(p + i, n - i);
        if (len > 0) {
            i += len;
            continue;
        }
        text += QString::fromUtf8(bytes.constData() + runStart, i - runStart);
        text += QStringLiteral("\\x%1").arg(p[i], 2, 16, QLatin1Char('0'));
        runStart = ++i;
    }
    if (runStart == 0)
        return QString::fromUtf8(bytes);
    text += QString::fromUtf8(bytes.constData() + runStart, n - runStart);
    return text;
}

// The first item of items whose text (a name or address, read by get) is
// text; none when there is no such item.
template <class Item>
Item* FindByText(const QList<Item*>& items, const QString& (Item::*get)() const, const QString& text)
{
    for (Item* pItem : items) {
        if ((pItem->*get)() == text)
            return pItem;
    }
    return nullptr;
}

} // namespace

CHOIDevMgr* g_pHOIDevMgr = nullptr;

CHOIDevMgr::CHOIDevMgr()
    : QObject(nullptr)
    , m_searcher(E_SEARCH_ROUNDS)
{
    // Signal spies and queued connections look the argument types up by name.
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    qRegisterMetaType<CHOIDev*>("CHOIDev*");
    qRegisterMetaType<CHOIScene*>("CHOIScene*");

    T_GroupInfo* pUngrouped = new T_GroupInfo;
    pUngrouped->sequence = 0;
    pUngrouped->name = g_strUngrouped;
    m_groupList.append(pUngrouped);

    connect(&m_searcher, &QDeviceSearcher::OnFoundDevice, this, &CHOIDevMgr::slotOnFoundDevice);
    connect(&m_searcher, &QDeviceSearcher::OnStartBroadcast, this, &CHOIDevMgr::slotOnStartBroadcast);
    connect(&m_searcher, &QDeviceSearcher::OnStop, this, &CHOIDevMgr::slotOnSearchStop);

    m_firstOnLineTimer.setSingleShot(true);
    connect(&m_firstOnLineTimer, &QTimer::timeout, this, &CHOIDevMgr::slotOnCheckOnLine);
    m_firstOnLineTimer.start(E_FIRST_ONLINE_DELAY);
    connect(&m_onLineTimer, &QTimer::timeout, this, &CHOIDevMgr::slotOnCheckOnLine);

    connect(&m_scheduleTimer, &QTimer::timeout, this, &CHOIDevMgr::slotOnCheckSchedule);
    m_scheduleTimer.start(E_SCHEDULE_INTERVAL);

    m_startStepTimer.setSingleShot(true);
    m_startStepTimer.setInterval(0);
    connect(&m_startStepTimer, &QTimer::timeout, this, &CHOIDevMgr::RunStartSteps);
}

CHOIDevMgr::~CHOIDevMgr()
{
    m_firstOnLineTimer.stop();
    m_onLineTimer.stop();
    m_scheduleTimer.stop();
    // Deferred deletes would never run once the event loop has ended.
    ClearAllImpl(true);
    if (g_pHOIDevMgr == this)
        g_pHOIDevMgr = nullptr;
}

void CHOIDevMgr::SetOnLineTimings(int firstDelayMs, int intervalMs)
{
    m_nOnLineInterval = intervalMs;
    m_firstOnLineTimer.stop();
    if (firstDelayMs >= 0)
        m_firstOnLineTimer.start(firstDelayMs);
    if (m_onLineTimer.isActive())
        m_onLineTimer.start(intervalMs);
}

// ---------------------------------------------------------------------------
// Devices

CHOIDev* CHOIDevMgr::FindDevByHostName(const QString& hostName) const
{
    if (hostName.isEmpty())
        return nullptr;
    // Every discovery reply asks here, thousands every on-line check: a
    // look-up beside the list, taken only while the device still bears the
    // name (host names change in many places, so an entry is checked, not
    // trusted); anything else walks the list as before.
    CHOIDev* pDev = m_hostNameIndex.value(hostName);
    if (pDev && pDev->GetHostName() == hostName)
        return pDev;
    pDev = FindByText(m_devList, &CHOIDev::GetHostName, hostName);
    if (pDev)
        m_hostNameIndex.insert(hostName, pDev);
    else
        m_hostNameIndex.remove(hostName);
    return pDev;
}

CHOIDev* CHOIDevMgr::FindDevByIp(const QString& ip) const
{
    return ip.isEmpty() ? nullptr : FindByText(m_devList, &CHOIDev::GetIPAddr, ip);
}

bool CHOIDevMgr::HasUnknownDevice() const
{
    for (CHOIDev* pDev : m_devList) {
        if (pDev->GetDevType() == CHOIDev::E_DT_UNKNOWN)
            return true;
    }
    return false;
}

void CHOIDevMgr::WireDevice(CHOIDev* pDev)
{
    if (!pDev)
        return;
    // Unique: a virtual TX that turns out to be a device of its own is wired
    // then, and one from a project file was wired already.
    connect(pDev, &CHOIDev::OnRecvData, this, &CHOIDevMgr::slotOnDevRecvData, Qt::UniqueConnection);
    connect(pDev, &CHOIDev::OnSendData, this, &CHOIDevMgr::slotOnDevSendData, Qt::UniqueConnection);
    connect(pDev, &CHOIDev::OnProgressLog, this, &CHOIDevMgr::EmitProgressLog, Qt::UniqueConnection);
    connect(pDev, &CHOIDev::OnNameChanged, this, &CHOIDevMgr::OnDevNameChanged, Qt::UniqueConnection);
    connect(pDev, &CHOIDev::OnCmdCompleted, this, &CHOIDevMgr::OnDevCmdCompleted, Qt::UniqueConnection);
    connect(pDev, &CHOIDev::OnQuietReadBackEnd, this, &CHOIDevMgr::NoteQuietReadBackEnd, Qt::UniqueConnection);
}

bool CHOIDevMgr::RemoveDevice(CHOIDev* pDev)
{
    if (!pDev || m_devList.removeAll(pDev) == 0)
        return false;
    // Under any name it bore: its entry must never outlive it.
    for (auto it = m_hostNameIndex.begin(); it != m_hostNameIndex.end();)
        it = it.value() == pDev ? m_hostNameIndex.erase(it) : it + 1;
    const bool bWasFound = m_mapFoundDev.remove(pDev) > 0;
    m_readDoneSet.remove(pDev);

    for (CHOIDev* pOther : qAsConst(m_devList)) {
        if (pDev->GetDevType() == CHOIDev::E_DT_TX && pOther->GetDevType() != CHOIDev::E_DT_TX
            && pOther->GetTXDev() == pDev)
            pOther->SetTXDev(nullptr);
        // The virtual TX of a removed gateway keep only its host name.
        if (pOther->m_pParentDev == pDev)
            pOther->m_pParentDev = nullptr;
    }
    RemoveDevFromAllScenes(pDev);
    emit OnDeviceNotify(pDev, E_DN_REMOVE);
    m_foundQN714List.removeAll(pDev);
    m_qn714List.removeAll(pDev);
    // No completion may arrive for a device on its way out.
    pDev->CloseComm();
    pDev->deleteLater();

    // A search waiting for this device's read-back must still end.
    if (bWasFound && m_nSearchState == E_SS_READBACK) {
        m_nReadCompletedCount = m_readDoneSet.size();
        CheckReadBackEnd();
    }
    return true;
}

bool CHOIDevMgr::RemoveChildDevices(CHOIDev* pParent, const QSet<QString>& keptHostNames)
{
    if (!pParent)
        return true;
    bool bRemoved = true;
    while (bRemoved) {
        bRemoved = false;
        for (CHOIDev* pDev : qAsConst(m_devList)) {
            if (IsIpcDevOf(pDev, pParent) && !keptHostNames.contains(pDev->GetHostName())) {
                RemoveDevice(pDev);
                bRemoved = true;
                break;
            }
        }
    }
    return true;
}

bool CHOIDevMgr::RemoveChildDevicesByName(const QString& hostName)
{
    const QString parentHost = hostName;
    bool bRemoved = true;
    while (bRemoved) {
        bRemoved = false;
        for (CHOIDev* pDev : qAsConst(m_devList)) {
            const QString owner = pDev->GetParentHostName();
            if (!owner.isEmpty() && owner == parentHost && !pDev->HasOwnLink()) {
                RemoveDevice(pDev);
                bRemoved = true;
                break;
            }
        }
    }
    return true;
}

void CHOIDevMgr::DeleteDevs(QList<CHOIDev*>& list, bool bNow)
{
    while (!list.isEmpty()) {
        CHOIDev* pDev = list.takeLast();
        if (bNow)
            delete pDev;
        else
            pDev->deleteLater();
    }
}

void CHOIDevMgr::ClearAll()
{
    ClearAllImpl(false);
}

void CHOIDevMgr::ClearAllImpl(bool bNow)
{
    // Nothing of a running search may point at the devices deleted below.
    const bool bExplicitSearch = m_nSearchState != E_SS_IDLE;
    m_searcher.Stop();
    ClearFoundDevMap(bNow);
    m_nSearchState = E_SS_IDLE;
    m_bQuiet = false;
    m_nReadCompletedCount = 0;

    ClearSchedules();
    qDeleteAll(m_groupList);
    m_groupList.clear();

    // Layouts go before the devices they name, so a layout never outlives a
    // device it still waits for.
    QList<CHOIScene*> scenes;
    while (!m_videoWallList.isEmpty())
        scenes.append(m_videoWallList.takeLast());
    while (!m_sceneList.isEmpty())
        scenes.append(m_sceneList.takeLast());
    for (CHOIScene* pScene : qAsConst(scenes)) {
        if (bNow)
            delete pScene;
        else
            pScene->deleteLater();
    }
    m_hostNameIndex.clear();
    DeleteDevs(m_devList, bNow);
    DeleteDevs(m_qn714List, bNow);

    m_foundQN714List.clear();
    ClearFoundDevList();
    m_resetHostNames.clear();

    if (bExplicitSearch && !bNow) {
        emit OnProgressNotify(E_PN_NONE, 100);
        emit OnSearchStop(0, m_bRestoreSceneAfterSearch);
    }
}

bool CHOIDevMgr::IsIpcDevOf(const CHOIDev* pDev, const CHOIDev* pOwner) const
{
    // A device with an address of its own answers for itself: no list owns
    // it, and none may rename or remove it.
    if (!pDev || pDev == pOwner || !QHostAddress(pDev->GetIPAddr()).isNull())
        return false;
    // Only the pointer is compared while there is one: a parent that left
    // the list may already be gone. Without one (the gateway was removed, or
    // the device came from a project file) the parent's host name tells.
    if (pDev->m_pParentDev)
        return pDev->m_pParentDev == pOwner;
    return pDev->m_strParentHostName == (pOwner ? pOwner->GetHostName() : QString());
}

CHOIDev* CHOIDevMgr::FindIpcDev(const QString& hostName, const CHOIDev* pOwner) const
{
    CHOIDev* pDev = FindDevByHostName(hostName);
    return IsIpcDevOf(pDev, pOwner) ? pDev : nullptr;
}

bool CHOIDevMgr::AddIpcDev(const QString& alias, const QString& hostName, CHOIDev* pOwner, QString* pLeftOut)
{
    int type = 0;
    const T_ProdIdInfo* pProd = FindProdIdInfo(hostName, &type);
    if (!pProd || hostName.isEmpty())
        return true;
    // Two gateways set up apart number their cameras alike, and a camera
    // may carry an encoder's name: an entry never takes over a device that
    // is not this owner's, which its next list would then delete.
    QString leftOut;
    CHOIDev* pDev = FindDevByHostName(hostName);
    if (!CHOIDev::IsValidHostName(hostName))
        leftOut = tr("Virtual TX('%1') is left out of the device list: '%2' is no host name.").arg(alias, hostName);
    else if (pDev && !IsIpcDevOf(pDev, pOwner) && !(pOwner && IsOwnerlessCamera(pDev)))
        leftOut = tr("Virtual TX('%1') is left out of the device list: %2 belongs to another device.")
                      .arg(alias, hostName);
    if (!leftOut.isEmpty()) {
        EmitProgressLog(leftOut);
        if (pLeftOut)
            *pLeftOut = leftOut;
        return false;
    }

    if (pDev) {
        pDev->SetHostName(hostName, true);
        if (pDev->GetName() != alias)
            pDev->SetName(alias);
    } else {
        pDev = new CHOIDev(this, static_cast<CHOIDev::DevType>(type), pProd->param_prefix, pProd->old_api,
                           CHOIDev::E_CT_TELNET);
        // A virtual TX never connects on its own.
        disconnect(&pDev->m_retryTimer, nullptr, pDev, nullptr);
        pDev->SetHostName(hostName, true);
        pDev->SetName(alias);
    }
    pDev->m_pParentDev = pOwner;
    pDev->m_strParentHostName = pOwner ? pOwner->GetHostName() : QString();
    if (!IsListed(pDev)) {
        pDev->m_bOnLine = false;
        m_devList.append(pDev);
        emit OnDeviceNotify(pDev, E_DN_ADD);
    }
    return true;
}

void CHOIDevMgr::DetachIpcDev(CHOIDev* pDev)
{
    // The log line names the record as the gateway's list has it.
    QString alias = pDev->GetName();
    if (pDev->m_pParentDev) {
        for (const T_IpcInfo* pInfo : pDev->m_pParentDev->GetIpcList()) {
            if (pInfo->hostname == pDev->GetHostName()) {
                alias = pInfo->aliasname;
                break;
            }
        }
    }
    pDev->m_pParentDev = nullptr;
    pDev->m_strParentHostName.clear();
    // The retries a virtual TX went without, then what discovery gives a
    // device it creates. The record's alias was never the device's own: it
    // is named by its read-back, as a new device is.
    connect(&pDev->m_retryTimer, &QTimer::timeout, pDev, &CHOIDev::slotConnectToDev, Qt::UniqueConnection);
    AdoptFoundDev(pDev);
    pDev->SetName(QString());
    EmitProgressLog(tr("Virtual TX('%1') is left out of the device list: %2 belongs to another device.")
                        .arg(alias, pDev->GetHostName()));
}

void CHOIDevMgr::AddQN714Dev(CHOIDev* pSource)
{
    if (!pSource)
        return;
    CHOIDev* pDev = new CHOIDev(this, CHOIDev::E_DT_QN714, QString(), true, CHOIDev::E_CT_TELNET);
    pDev->SetHostName(pSource->GetHostName(), true);
    pDev->m_strStatus = pSource->m_strStatus;
    pDev->SetIPAddr(pSource->GetIPAddr());
    m_removedQN714List.append(pDev);
}

void CHOIDevMgr::ClearFoundDevList()
{
    qDeleteAll(m_removedQN714List);
    m_removedQN714List.clear();
}

void CHOIDevMgr::AddResetDevHostName(const QString& hostName)
{
    if (!hostName.isEmpty())
        m_resetHostNames.append(hostName);
}

void CHOIDevMgr::ClearDevSceneText()
{
    for (CHOIDev* pDev : qAsConst(m_devList))
        pDev->m_strScene.clear();
}

CHOIDev* CHOIDevMgr::FindTxByMulticastIP(const QString& ip, const CHOIDev* pExcept) const
{
    for (CHOIDev* pDev : m_devList) {
        if (pDev != pExcept && pDev->GetDevType() == CHOIDev::E_DT_TX && pDev->m_strMulticastIP == ip)
            return pDev;
    }
    return nullptr;
}

CHOIDev* CHOIDevMgr::FindListedDevByHostName(const QString& hostName) const
{
    return hostName.isEmpty() ? nullptr : FindByText(m_removedQN714List, &CHOIDev::GetHostName, hostName);
}

bool CHOIDevMgr::IsAvUnit(const CHOIDev* pDev)
{
    switch (pDev->GetDevType()) {
    case CHOIDev::E_DT_TX:
    case CHOIDev::E_DT_RX:
    case CHOIDev::E_DT_MRX:
    case CHOIDev::E_DT_WP:
    case CHOIDev::E_DT_GW:
        return true;
    default:
        return false;
    }
}

void CHOIDevMgr::SaveAliasToTxRx()
{
    const QList<CHOIDev*> devs = m_devList;
    for (CHOIDev* pDev : devs) {
        if (!IsAvUnit(pDev))
            continue;
        // An empty alias (a name never read back among them) would erase
        // the device's own.
        if (pDev->GetName().isEmpty())
            EmitProgressLog(tr("Device('%1') keeps its stored name: it has no alias to save.")
                                .arg(pDev->GetDisplayName()));
        else
            pDev->ApplyName();
    }
}

// ---------------------------------------------------------------------------
// Layouts and video walls

void CHOIDevMgr::ConnectScene(CHOIScene* pScene)
{
    connect(pScene, &CHOIScene::OnStatusChange, this, &CHOIDevMgr::OnSceneStatusChange);
    connect(pScene, &CHOIScene::OnProgressLog, this, &CHOIDevMgr::EmitProgressLog);
    connect(pScene, &CHOIScene::OnProgressNotify, this, &CHOIDevMgr::OnProgressNotify);
    connect(pScene, &QObject::destroyed, this, &CHOIDevMgr::slotOnSceneDestroy);
}

CHOIScene* CHOIDevMgr::FindSceneByName(const QString& name) const
{
    return FindByText(m_sceneList, &CHOIScene::GetName, name);
}

CHOIScene* CHOIDevMgr::CreateScene(const QString& name)
{
    if (name.isEmpty() || FindSceneByName(name))
        return nullptr;
    CHOIScene* pScene = new CHOIScene(this, name);
    ConnectScene(pScene);
    m_sceneList.append(pScene);
    return pScene;
}

void CHOIDevMgr::DeleteSceneAt(int index)
{
    if (index < 0 || index >= m_sceneList.size())
        return;
    delete m_sceneList.takeAt(index);
}

void CHOIDevMgr::DeleteScene(CHOIScene* pScene)
{
    // Only a layout of the list is the manager's to delete.
    if (pScene && m_sceneList.removeAll(pScene) > 0)
        delete pScene;
}

bool CHOIDevMgr::DeleteSceneByName(const QString& name)
{
    CHOIScene* pScene = FindSceneByName(name);
    if (!pScene)
        return false;
    m_sceneList.removeAll(pScene);
    delete pScene;
    return true;
}

CHOIScene* CHOIDevMgr::FindVideoWallByName(const QString& name) const
{
    return FindByText(m_videoWallList, &CHOIScene::GetName, name);
}

CHOIScene* CHOIDevMgr::GetOrCreateVideoWall(const QString& name)
{
    CHOIScene* pWall = FindVideoWallByName(name);
    if (pWall)
        return pWall;
    pWall = new CHOIScene(this, name);
    ConnectScene(pWall);
    m_videoWallList.append(pWall);
    return pWall;
}

CHOIScene* CHOIDevMgr::GetOrCreateVideoWallOfScene(CHOIScene* pScene, int layoutSeq)
{
    if (!pScene)
        return nullptr;
    const QString name = CHOIScene::GetSceneNamePrefix(pScene->GetName());
    CHOIScene* pWall = FindVideoWallByName(name);
    if (pWall)
        return pWall;
    pWall = new CHOIScene(this, name);
    ConnectScene(pWall);
    pWall->SetGridSize(pScene->GetRowCount(), pScene->GetColCount());
    pWall->SetGroup(pScene->GetGroup());
    pWall->SetLayoutSeq(layoutSeq);
    m_videoWallList.append(pWall);
    return pWall;
}

void CHOIDevMgr::RemoveVideoWall(CHOIScene* pWall)
{
    if (!pWall)
        return;
    for (int i = 0; i < m_videoWallList.size(); ++i) {
        if (m_videoWallList.at(i)->GetName() == pWall->GetName()) {
            // The manager owns its walls: one taken out goes, with its resync
            // socket, once control is back in the event loop. No device may
            // name it by then, whoever called.
            CHOIScene* pGone = m_videoWallList.takeAt(i);
            for (CHOIDev* pDev : qAsConst(m_devList)) {
                if (pDev->GetVideoWall() == pGone)
                    pDev->SetVideoWall(nullptr);
            }
            pGone->deleteLater();
            return;
        }
    }
}

bool CHOIDevMgr::IsRxInAnyVideoWall(CHOIDev* pDev) const
{
    if (!pDev)
        return false;
    for (CHOIScene* pWall : m_videoWallList) {
        for (const T_SceneCell* pCell : qAsConst(pWall->m_cells)) {
            if (pCell->rx == pDev)
                return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// Log and data relays

void CHOIDevMgr::EmitProgressLog(const QString& strLog)
{
    // Several lines per device line: joined without parsing a pattern.
    const QString& stamp = LogStamp();
    QString line;
    line.reserve(stamp.size() + 3 + strLog.size());
    line.append(stamp).append(QLatin1String(" - ")).append(strLog);
    qCDebug(lcHoiLink).noquote() << line;
    emit OnProgressLog(line);
}

const QString& CHOIDevMgr::LogStamp()
{
    // Working out the local time costs a look at the time zone file; a
    // read-back sends thousands of lines a second.
    const qint64 secs = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (secs != m_nLogStampSecs) {
        m_nLogStampSecs = secs;
        m_strLogStamp = QDateTime::fromSecsSinceEpoch(secs).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
    return m_strLogStamp;
}

void CHOIDevMgr::slotOnDevSendData(CHOIDev* pDev, QByteArray strData, bool bSucceed)
{
    const QString name = pDev ? pDev->GetDisplayName() : QString();
    EmitProgressLog(tr("Device('%1') send data %2 [%3]")
                        .arg(name, EscapeLogBytes(strData), bSucceed ? tr("succeed") : tr("failed")));
}

void CHOIDevMgr::slotOnDevRecvData(CHOIDev* pDev, QByteArray strData)
{
    QString text = EscapeLogBytes(strData);
    // Host names read as model names in the log; most replies hold none (a
    // host name has its '-').
    if (text.contains(QLatin1Char('-'))) {
        for (const T_ProdIdInfo& prod : qAsConst(m_prodList)) {
            if (!prod.id.isEmpty() && text.contains(prod.id))
                text.replace(prod.id + QLatin1Char('-'), prod.name + QLatin1Char('-'));
        }
    }
    EmitProgressLog(tr("Device('%1') recv data [%2]").arg(pDev ? pDev->GetDisplayName() : QString(), text));
}
