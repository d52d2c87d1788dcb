// CHOIDev: construction, the link's connection with bounded retries, and the
// completion of command queues.

#include "hoi_core/hoidev.h"

#include <QDebug>
#include <QHostAddress>
#include <QSignalBlocker>
#include <QTime>

#include <memory>

#include "hoi_core/hoidevmgr.h"
#include "hoi_core/telnetcomm.h"

namespace {

const quint16 kDevicePort = 24;
const quint16 kControllerPort = 23000;
const quint16 kControllerAltPort = 23;
const int kControllerWaitMs = 2000;
const int kDefaultRetryIntervalMs = 3000;

} // namespace

CHOIDev::CHOIDev(CHOIDevMgr *pOwner, DevType eType, const QString &strParamPrefix, bool bOldApi,
                 CommType eCommType, QObject *parent)
    : QObject(parent),
      m_pOwner(pOwner),
      m_strParamPrefix(strParamPrefix),
      m_bOldApi(bOldApi),
      m_eDevType(eType),
      m_eCommType(eCommType),
      m_eIPMode(E_IM_AUTOIP),
      m_strNetmask(QStringLiteral("255.255.0.0")),
      m_strGateway(QStringLiteral("0.0.0.0")),
      m_strNetmask2(QStringLiteral("255.255.0.0")),
      m_strGateway2(QStringLiteral("0.0.0.0")),
      m_nHwDipEnable(1),
      m_bHdcpEnable(false),
      m_bHdcpAlwaysOn(false),
      m_bHdcpAlwaysOn22(false),
      m_strOutputTimingConvert(QStringLiteral("0")),
      m_bTurnOffScreenOnPwrSave(false),
      m_nSrcUnavailableTimeout(10000),
      m_strS0Baudrate(QStringLiteral("115200-8n1")),
      m_nSoipType2TokenTimeout(1),
      m_nVwStretchType(2),
      m_nVwRotate(0),
      m_bPreviewEnable(true),
      m_nVideoQualityMode(-1),
      m_nMaxRetryCount(3),
      m_nRetryCount(0),
      m_pComm(nullptr),
      m_bOnLine(false),
      m_bHdcpChanged(false),
      m_nSinkPowerMode(0),
      m_nSequence(0),
      m_pVideoWall(nullptr),
      m_pTXDev(nullptr),
      m_pParentDev(nullptr),
      m_nRetryInterval(kDefaultRetryIntervalMs)
{
    m_retryTimer.setSingleShot(false);
    // The controller's attempts block instead; it is never retried by timer.
    if (m_eDevType != E_DT_QN714)
        connect(&m_retryTimer, &QTimer::timeout, this, &CHOIDev::slotConnectToDev);
}

CHOIDev::~CHOIDev()
{
    m_retryTimer.stop();
    if (m_pComm && (m_pComm->IsConnected() || m_eDevType == E_DT_QN714)) {
        // Closing must not report a completion for a device that is going away.
        QSignalBlocker blocker(m_pComm);
        m_pComm->CloseComm();
    }
    ClearIpcInfo();
    delete m_pComm;
    m_pComm = nullptr;
}

QString CHOIDev::CommandPrefix() const
{
    if (m_bOldApi)
        return QString();
    return QString::number(GetHostIndex());
}

bool CHOIDev::ConnectComm()
{
    if (m_pComm) {
        if (m_pComm->IsConnecting())
            return false;
        if (m_pComm->IsConnected())
            return true;
    } else {
        const QString strPrefix = CommandPrefix();
        if (m_eCommType != E_CT_TELNET)
            return false;
        const quint16 port = (m_eDevType == E_DT_QN714) ? kControllerPort : kDevicePort;
        CTelnetComm *pTelnet = new CTelnetComm(m_strParamPrefix, strPrefix, m_strIPAddr, port, this);
        m_pComm = pTelnet;
        connect(pTelnet, &CBaseComm::OnSendQueueReturn, this, &CHOIDev::slotOnSendQueueReturn);
        connect(pTelnet, &CBaseComm::OnReadParam, this, &CHOIDev::slotOnReadParam);
        connect(pTelnet, &CBaseComm::OnReadOption, this, &CHOIDev::slotOnReadParam);
        connect(pTelnet, &CBaseComm::OnReadConfig, this, &CHOIDev::slotOnReadParam);
        // The quiet read-back's lines stay out of the log.
        connect(pTelnet, &CBaseComm::OnSendData, this, [this](QByteArray strData, bool bSucceed) {
            if (!IsQuietQueue())
                emit OnSendData(this, strData, bSucceed);
        });
        connect(pTelnet, &CBaseComm::OnRecvData, this, [this](QByteArray strData) {
            if (!IsQuietQueue())
                emit OnRecvData(this, strData);
        });
        connect(pTelnet, &CBaseComm::OnDisconnected, this, &CHOIDev::slotOnDevDisconnect);
        connect(pTelnet, &CBaseComm::OnConnected, this, &CHOIDev::slotOnDevConnect);
        connect(pTelnet, &CBaseComm::OnGetMuteStatus, this, &CHOIDev::slotOnGetMuteStatus);
        connect(pTelnet, &CBaseComm::OnGetDevVersion, this, &CHOIDev::slotOnGetDevVersion);
        connect(pTelnet, &CBaseComm::OnGetDueMasknet, this, &CHOIDev::slotOnGetDueMasknet);
        connect(pTelnet, &CBaseComm::OnGetDueGeteway, this, &CHOIDev::slotOnGetDueGeteway);
        connect(pTelnet, &CBaseComm::OnGetSinkPower, this, &CHOIDev::slotOnGetSinkPower);
        connect(pTelnet, &CBaseComm::OnGetIPMMultiView, this, &CHOIDev::slotOnGetIPMMultiView);
        connect(pTelnet, &CBaseComm::OnGetStreamIP, this, &CHOIDev::slotOnGetStreamIP);
        if (m_eDevType == E_DT_QN714) {
            connect(pTelnet, &CBaseComm::OnGetQN714IP, this, &CHOIDev::slotOnGetQN714IP);
            connect(pTelnet, &CBaseComm::OnGetQN714IP2, this, &CHOIDev::slotOnGetQN714IP2);
            connect(pTelnet, &CBaseComm::OnGetQN714Version, this, &CHOIDev::slotOnGetQN714Version);
        }
    }

    CTelnetComm *pTelnet = static_cast<CTelnetComm *>(m_pComm);
    pTelnet->SetHostAddress(m_strIPAddr);
    if (m_eDevType != E_DT_QN714)
        pTelnet->SetPort(kDevicePort);

    ++m_nRetryCount;

    if (m_eDevType == E_DT_QN714) {
        // The controller's line API has neither login nor prompt; its shell has both.
        pTelnet->SetPromptless(pTelnet->GetPort() == kControllerPort);
        m_pComm->OpenComm();
        m_pComm->WaitForConnected(kControllerWaitMs);
        if (!m_pComm->IsConnected()) {
            pTelnet->SetPort(kControllerAltPort);
            pTelnet->SetPromptless(false);
            m_pComm->OpenComm();
            m_pComm->WaitForConnected(kControllerWaitMs);
        }
    } else {
        // Completes later; OnConnected reports it.
        m_pComm->OpenComm();
    }

    LinkLog(tr("[%1]Device('%2') connecting...").arg(m_nRetryCount).arg(GetDisplayName()));
    return m_pComm->IsConnected();
}

bool CHOIDev::EnsureConnected()
{
    if (m_pComm && m_pComm->IsConnecting())
        return true;
    // A device without a Telnet link, or a gateway's virtual TX, can never
    // connect; a retry timer would only tick forever.
    if (m_eCommType != E_CT_TELNET || !HasOwnLink())
        return false;

    m_nRetryCount = 0;
    m_retryTimer.stop();
    if (ConnectComm())
        return true;
    if (m_nRetryCount >= m_nMaxRetryCount || m_eDevType == E_DT_QN714 || !m_pComm)
        return false;
    m_retryTimer.start(m_nRetryInterval);
    return true;
}

bool CHOIDev::HasOwnLink() const
{
    return m_strParentHostName.isEmpty() || !QHostAddress(m_strIPAddr).isNull();
}

CBaseComm *CHOIDev::QueueLink(bool bConnect)
{
    // Lines queued on a link that is neither connected nor connecting (closed
    // by a reboot, or given up) would never leave: they bring it up.
    const bool bIdle = m_pComm && !m_pComm->IsConnected() && !m_pComm->IsConnecting();
    if ((bConnect || bIdle) && !EnsureConnected())
        return nullptr;
    return m_pComm;
}

bool CHOIDev::OpenCommAltPort()
{
    if (ConnectComm())
        return true;
    if (!m_pComm)
        return false;
    static_cast<CTelnetComm *>(m_pComm)->SetPort(kControllerPort);
    return ConnectComm();
}

QString CHOIDev::GetDisplayName() const
{
    if (m_strName.isEmpty() || m_strName == m_strHostName)
        return GetDefaultName();
    return m_strName;
}

bool CHOIDev::CloseComm()
{
    if (m_pComm && m_pComm->IsConnected()) {
        QSignalBlocker blocker(m_pComm);
        m_pComm->CloseComm();
    }
    if (m_pComm && m_eDevType == E_DT_QN714) {
        QSignalBlocker blocker(m_pComm);
        m_pComm->CloseComm();
    }
    return true;
}

bool CHOIDev::ClearSendQueue()
{
    if (!m_pComm || !m_pComm->HasLinesPending())
        return false;
    DropQueue();
    return true;
}

bool CHOIDev::WatchQueueEnd(const std::function<bool()> &fnQueue,
                            const std::function<void(CHOIDev *, E_CommResult)> &fnEnd)
{
    auto pConnection = std::make_shared<QMetaObject::Connection>();
    *pConnection = connect(this, &CHOIDev::OnCmdCompleted, this,
                           [pConnection, fnEnd](CHOIDev *pDev, E_ControlObject emCtrlObj, E_CommResult eResult) {
                               if (emCtrlObj != E_CO_DEV)
                                   return;
                               disconnect(*pConnection);
                               fnEnd(pDev, eResult);
                           });
    if (fnQueue())
        return true;
    disconnect(*pConnection);
    return false;
}

void CHOIDev::DropQueue()
{
    // Nothing is left for an attempt under way or a retry to bring up: they
    // would end the queue again, for lines nobody has any more. The next
    // line queued starts afresh.
    m_retryTimer.stop();
    if (m_pComm->IsConnecting()) {
        QSignalBlocker blocker(m_pComm);
        m_pComm->CloseComm();
    }
    m_pComm->ClearSendQueue();
    // Told at once: whoever queues next must not take this end as its own.
    EndQueue(E_CR_FAILED);
}

void CHOIDev::slotConnectToDev()
{
    ConnectToDev(sender() == &m_retryTimer);
}

void CHOIDev::ConnectToDev(bool bFromTimer)
{
    if (bFromTimer)
        LinkLog(tr("Device('%1') operation time out.").arg(GetDisplayName()));
    if (m_pComm)
        m_pComm->AbortConnect();

    const auto giveUp = [this] {
        m_retryTimer.stop();
        if (m_pComm)
            m_pComm->ClearSendQueue();
        EndQueue(E_CR_CONNECT_TIMEOUT);
    };
    if (m_nRetryCount >= AttemptLimit()) {
        giveUp();
        return;
    }
    m_bInAttempt = true;
    const bool bConnected = ConnectComm();
    m_bInAttempt = false;
    if (bConnected)
        m_retryTimer.stop();
    else if (m_eDevType == E_DT_QN714)
        giveUp(); // its attempts block: no timer tries again
}

void CHOIDev::slotOnSendQueueReturn(E_CommResult eResult)
{
    // A failure of the attempt under way (the controller's block, each port
    // reporting its own): what follows is that attempt's to decide.
    if (m_bInAttempt && eResult != E_CR_SUCCESS)
        return;
    if (eResult != 0 && m_nRetryCount < AttemptLimit()) {
        LinkLog(tr("Device('%1') operation time out.").arg(GetDisplayName()));
        // Nothing is connected to the controller's: it would tick for ever.
        if (m_eDevType != E_DT_QN714)
            m_retryTimer.start(m_nRetryInterval);
        // The failure may be reported from inside the socket's own error
        // signal, where the socket cannot take a new connection yet.
        QTimer::singleShot(0, this, [this]() { ConnectToDev(false); });
        return;
    }
    // A retry still armed from this burst would report the same give-up again.
    m_retryTimer.stop();
    // Lines reported failed are never written afterwards: the next session
    // must not open with a setting the operator was told had failed.
    if (eResult != 0 && m_pComm)
        m_pComm->ClearSendQueue();
    qCDebug(lcHoiLink) << QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz")) << " --"
             << GetDisplayName() << "slotOnSendQueueReturn" << int(eResult);
    EndQueue(eResult);
}

int CHOIDev::AttemptLimit() const
{
    // A try the console makes on its own makes one attempt: a device that
    // locks an account after failed logins is not locked by it. Lines of the
    // operator's joining it bring back the link's retries.
    return IsQuietQueue() ? 1 : m_nMaxRetryCount;
}

void CHOIDev::EndQueue(E_CommResult eResult)
{
    const bool bQuiet = IsQuietQueue();
    if (m_bQuietReadBack) {
        // Lines queued behind the try make it no less failed.
        m_bQuietReadBack = false;
        m_nQuietFailures = m_bNameUnread ? m_nQuietFailures + 1 : 0;
    }
    if (bQuiet)
        emit OnQuietReadBackEnd(this);
    else
        emit OnCmdCompleted(this, E_CO_DEV, eResult);
}

void CHOIDev::LinkLog(const QString &strLine)
{
    if (!IsQuietQueue())
        emit OnProgressLog(strLine);
}

void CHOIDev::slotOnIrSendQueueReturn(E_CommResult eResult)
{
    if (eResult != 0)
        emit OnProgressLog(tr("Device('%1') fails to send ir code.").arg(GetDisplayName()));
    else
        emit OnProgressLog(tr("Device('%1') succeed to send ir code.").arg(GetDisplayName()));
    emit OnCmdCompleted(this, E_CO_IR, eResult);
}

void CHOIDev::slotOnDevConnect()
{
    m_retryTimer.stop();
    LinkLog(tr("Device('%1') connected.").arg(GetDisplayName()));
}

void CHOIDev::slotOnDevDisconnect()
{
    LinkLog(tr("Device('%1') disconnected.").arg(GetDisplayName()));
}
