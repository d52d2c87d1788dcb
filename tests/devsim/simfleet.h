#ifndef DEVSIM_SIMFLEET_H
#define DEVSIM_SIMFLEET_H

#include "simdevice.h"

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

// A set of simulated devices, either all on 127.0.0.1 (each on a free port)
// or on the test-LAN addresses 10.88.(1+i/250).(1+i%250), port 24.
class SimFleet : public QObject
{
    Q_OBJECT

public:
    struct Model
    {
        QString name;    // the host-name prefix
        QString devType; // "TX", "RX", "MRX", "WP", "GW"
    };

    struct Endpoint
    {
        QHostAddress address;
        quint16 port = 0;
        QString hostName;
        QString devType;
    };

    explicit SimFleet(QObject *parent = nullptr);
    ~SimFleet() override;

    // Models given out in turn to devices 0, 1, 2, ...; set before starting.
    void setModels(const QList<Model> &models) { m_models = models; }
    QList<Model> models() const { return m_models; }

    bool startLocal(int count);
    bool startLan(int count, quint16 port = 24);
    bool start(const QList<QHostAddress> &addresses, quint16 port);
    void stop();

    int count() const { return m_devices.size(); }
    SimDevice *device(int i) const { return m_devices.value(i); }
    QList<SimDevice *> devices() const { return m_devices; }
    SimDevice *deviceByHostName(const QString &hostName) const;
    QList<Endpoint> endpoints() const;
    QList<QPair<QHostAddress, QString>> hosts() const; // (address, host name)

    static QHostAddress lanAddress(int i);
    // "<model>-<12 upper-case hex digits>", unique per index.
    QString hostNameFor(int i) const;
    Model modelFor(int i) const;

private:
    QList<Model> m_models;
    QList<SimDevice *> m_devices;
};

#endif // DEVSIM_SIMFLEET_H
