#include "hoi_core/vwsyncomm.h"

#include "hoi_core/basecomm.h"
#include "hoi_core/devicesearcher.h"

#include <QDebug>
#include <QNetworkProxy>

const char* const CVWSynComm::s_szGroup = "226.1.0.0";
const char* const CVWSynComm::s_szPrefix = "msg_b_reconnect ";

CVWSynComm::CVWSynComm(QObject* parent)
    : QObject(parent)
{
    // A proxy of the environment cannot carry datagrams: bind directly.
    m_udpSocket.setProxy(QNetworkProxy::NoProxy);
    connect(&m_udpSocket, &QUdpSocket::readyRead, this, &CVWSynComm::slotOnUdpVWReady);
}

CVWSynComm::~CVWSynComm()
{
    CloseSenders();
}

void CVWSynComm::StartVWSync(QString i_strHostname)
{
    BeginBatch();
    slotDoStartVW(i_strHostname, true);
    EndBatch();
}

void CVWSynComm::BeginBatch()
{
    if (m_batchDepth++ > 0)
        return;
    ListenForReplies();
    OpenSenders();
}

void CVWSynComm::EndBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        CloseSenders();
}

void CVWSynComm::ListenForReplies()
{
    m_udpSocket.abort();
    m_udpSocket.bind(QHostAddress(QHostAddress::AnyIPv4), E_VW_PORT, QUdpSocket::ReuseAddressHint);
}

void CVWSynComm::OpenSenders()
{
    CloseSenders();
    const QList<T_McastSource> sources = ListMulticastSources();
    for (const T_McastSource& src : sources) {
        auto* pSocket = new QUdpSocket(this);
        pSocket->setProxy(QNetworkProxy::NoProxy);
        if (!BindMulticastSender(pSocket, src)) {
            delete pSocket;
            pSocket = nullptr;
        }
        m_senders.append(pSocket);
    }
    m_bSendersOpen = true;
}

void CVWSynComm::CloseSenders()
{
    qDeleteAll(m_senders);
    m_senders.clear();
    m_bSendersOpen = false;
}

void CVWSynComm::slotDoStartVW(QString& i_strHostname, bool bFirstCall)
{
    Q_UNUSED(bFirstCall);
    const bool bOwnSenders = !m_bSendersOpen;
    if (bOwnSenders)
        OpenSenders();
    const QByteArray msg = QByteArray(s_szPrefix) + i_strHostname.toLatin1();
    const QHostAddress group(QString::fromLatin1(s_szGroup));
    for (QUdpSocket* pSender : qAsConst(m_senders)) {
        if (pSender)
            pSender->writeDatagram(msg, group, E_VW_PORT);
        qCDebug(lcHoiLink) << "MulticastSwitch:" << msg << "Size:" << msg.size();
    }
    if (bOwnSenders)
        CloseSenders();
}

void CVWSynComm::slotOnUdpVWReady()
{
    char buf[E_VW_READ_SIZE];
    while (m_udpSocket.hasPendingDatagrams()) {
        if (m_udpSocket.readDatagram(buf, sizeof(buf)) < 0)
            break;
    }
}
