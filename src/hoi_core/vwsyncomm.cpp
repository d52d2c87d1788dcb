#include "hoi_core/vwsyncomm.h"

#include "hoi_core/devicesearcher.h"

#include <QDebug>

const char* const CVWSynComm::s_szGroup = "226.1.0.0";
const char* const CVWSynComm::s_szPrefix = "msg_b_reconnect ";

namespace {

// One sender for every resynchronisation object of the process, kept until exit.
QUdpSocket* SharedVWSender()
{
    static QUdpSocket* s_pSender = nullptr;
    if (!s_pSender)
        s_pSender = new QUdpSocket();
    return s_pSender;
}

} // namespace

CVWSynComm::CVWSynComm(QObject* parent)
    : QObject(parent)
{
    connect(&m_udpSocket, &QUdpSocket::readyRead, this, &CVWSynComm::slotOnUdpVWReady);
}

CVWSynComm::~CVWSynComm() = default;

void CVWSynComm::StartVWSync(QString i_strHostname)
{
    m_udpSocket.abort();
    m_udpSocket.bind(QHostAddress(QHostAddress::AnyIPv4), E_VW_PORT, QUdpSocket::ReuseAddressHint);
    slotDoStartVW(i_strHostname, true);
}

void CVWSynComm::slotDoStartVW(QString& i_strHostname, bool bFirstCall)
{
    Q_UNUSED(bFirstCall);
    const QByteArray msg = QByteArray(s_szPrefix) + i_strHostname.toLatin1();
    const QHostAddress group(QString::fromLatin1(s_szGroup));
    const QList<T_McastSource> sources = ListMulticastSources();
    for (const T_McastSource& src : sources) {
        SendMulticastFrom(SharedVWSender(), src, msg, group, E_VW_PORT);
        qDebug() << "MulticastSwitch:" << msg << "Size:" << msg.size();
    }
}

void CVWSynComm::slotOnUdpVWReady()
{
    char buf[E_VW_READ_SIZE];
    while (m_udpSocket.hasPendingDatagrams()) {
        if (m_udpSocket.readDatagram(buf, sizeof(buf)) < 0)
            break;
    }
}
