#include "simlan.h"

#include <QDebug>

CSimLan::CSimLan(QObject* parent)
    : QObject(parent)
{
}

CSimLan::~CSimLan()
{
    m_discovery.Stop();
    qDeleteAll(m_devices);
}

bool CSimLan::IsTestLan()
{
    return qgetenv("HOI_TESTLAN") == "1";
}

int CSimLan::AvailableAddresses()
{
    return IsTestLan() ? qEnvironmentVariableIntValue("HOI_TESTLAN_DEVICES") : 0;
}

QString CSimLan::HostNameFor(const QString& modelId, int index)
{
    // A fixed, recognisable vendor part; the index fills the rest.
    const qulonglong id = 0x0A5800000000ULL + static_cast<qulonglong>(index);
    return modelId + QLatin1Char('-') + QStringLiteral("%1").arg(id, 12, 16, QLatin1Char('0')).toUpper();
}

SimDevice* CSimLan::AddDevice(const QString& hostName, const QString& devType, bool bTelnet)
{
    const int i = m_devices.size();
    if (i >= AvailableAddresses()) {
        qWarning() << "simlan: no address left for device" << i;
        return nullptr;
    }
    SimDevice* pDev = new SimDevice(hostName, devType);
    const quint16 port = devType == QLatin1String("QN714") ? E_CONTROLLER_PORT : E_TELNET_PORT;
    if (!pDev->listen(SimTestLanAddress(i), port)) {
        qWarning() << "simlan: cannot listen on" << SimTestLanAddress(i).toString();
        delete pDev;
        return nullptr;
    }
    pDev->resetToDefaults(); // the address is part of its parameters
    if (!bTelnet)
        pDev->setRefuseConnections(true);
    m_devices.append(pDev);
    m_telnet.append(bTelnet);

    T_SimDiscoveryDev disc;
    disc.address = SimTestLanAddress(i);
    disc.hostName = hostName.toUtf8();
    disc.status = "online";
    m_discovery.AddDevice(disc);
    return pDev;
}

bool CSimLan::Start()
{
    // Every device address lies on the same interface, also when none is in use.
    return m_discovery.Start(SimTestLanAddress(0));
}

void CSimLan::Stop()
{
    m_discovery.Stop();
}

void CSimLan::SetDeviceOn(int i, bool on)
{
    m_discovery.SetDeviceOn(i, on);
    SimDevice* pDev = m_devices.at(i);
    if (!on) {
        pDev->setRefuseConnections(true);
        pDev->dropConnections();
    } else if (m_telnet.at(i)) {
        pDev->setRefuseConnections(false);
    }
}

QList<QByteArray> CSimLan::Commands(int i) const
{
    // The link logs in as "root" (again after every reconnection).
    const QList<QByteArray> lines = m_devices.at(i)->receivedLines();
    QList<QByteArray> commands;
    for (const QByteArray& line : lines) {
        if (!line.isEmpty() && line != "root")
            commands.append(line);
    }
    return commands;
}

void CSimLan::ClearReceived()
{
    for (SimDevice* pDev : qAsConst(m_devices))
        pDev->clearReceived();
}
