#ifndef DEVSIM_SIMLAN_H
#define DEVSIM_SIMLAN_H

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

#include "simdevice.h"
#include "simdiscovery.h"

// A test LAN of simulated devices: device i has the address
// SimTestLanAddress(i), serves its Telnet shell there on port 24 and answers
// discovery from there with its host name. Only usable inside the private
// network namespace of tests/lan/testlan.sh.
class CSimLan : public QObject
{
    Q_OBJECT
public:
    enum
    {
        E_TELNET_PORT = 24,
        E_CONTROLLER_PORT = 23000 // the IP controller's line API
    };

    explicit CSimLan(QObject* parent = nullptr);
    ~CSimLan() override;

    // Whether this process runs inside a test LAN, and how many device
    // addresses that LAN offers (0 outside one).
    static bool IsTestLan();
    static int AvailableAddresses();
    // "<modelId>-<12 hex digits>", the digits made from the index.
    static QString HostNameFor(const QString& modelId, int index);

    // Adds a device at the next free address, its shell on E_TELNET_PORT
    // (an IP controller, type "QN714": E_CONTROLLER_PORT). Without a shell (bTelnet false)
    // the device answers discovery but refuses every connection. Null when
    // the LAN has no address left or the port cannot be bound.
    SimDevice* AddDevice(const QString& hostName, const QString& devType = QStringLiteral("TX"),
                         bool bTelnet = true);
    int Count() const { return m_devices.size(); }
    SimDevice* Device(int i) const { return m_devices.at(i); }
    QHostAddress Address(int i) const { return SimTestLanAddress(i); }
    CSimDiscovery& Discovery() { return m_discovery; }

    // Starts answering discovery (after the devices are added).
    bool Start();
    void Stop();

    // Switched off: silent to discovery, its shell refuses connections and
    // drops the open ones. Switched on again: both come back.
    void SetDeviceOn(int i, bool on);

    // Every line device i received since the last ClearReceived, the login
    // name and blank lines left out.
    QList<QByteArray> Commands(int i) const;
    void ClearReceived();

private:
    QList<SimDevice*> m_devices; // owned
    QList<bool> m_telnet;
    CSimDiscovery m_discovery;
};

#endif // DEVSIM_SIMLAN_H
