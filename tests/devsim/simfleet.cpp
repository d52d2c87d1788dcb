#include "simfleet.h"

SimFleet::SimFleet(QObject *parent)
    : QObject(parent)
    , m_models({ { "HE200", "TX" }, { "HD200", "RX" }, { "HE300", "TX" }, { "HD300", "RX" },
                 { "HM200", "MRX" }, { "HW200", "WP" }, { "HG200", "GW" } })
{
}

SimFleet::~SimFleet()
{
    stop();
}

QHostAddress SimFleet::lanAddress(int i)
{
    return QHostAddress(QStringLiteral("10.88.%1.%2").arg(1 + i / 250).arg(1 + i % 250));
}

SimFleet::Model SimFleet::modelFor(int i) const
{
    if (m_models.isEmpty())
        return { QStringLiteral("SIM"), QStringLiteral("TX") };
    return m_models.at(i % m_models.size());
}

QString SimFleet::hostNameFor(int i) const
{
    const quint64 id = Q_UINT64_C(0x00A5C0000000) + quint64(i);
    return modelFor(i).name + '-' + QStringLiteral("%1").arg(id, 12, 16, QLatin1Char('0')).toUpper();
}

bool SimFleet::startLocal(int count)
{
    QList<QHostAddress> addresses;
    for (int i = 0; i < count; ++i)
        addresses.append(QHostAddress(QHostAddress::LocalHost));
    return start(addresses, 0);
}

bool SimFleet::startLan(int count, quint16 port)
{
    QList<QHostAddress> addresses;
    for (int i = 0; i < count; ++i)
        addresses.append(lanAddress(i));
    return start(addresses, port);
}

bool SimFleet::start(const QList<QHostAddress> &addresses, quint16 port)
{
    stop();
    for (int i = 0; i < addresses.size(); ++i) {
        const Model model = modelFor(i);
        auto *device = new SimDevice(hostNameFor(i), model.devType, this);
        m_devices.append(device);
        if (!device->listen(addresses.at(i), port)) {
            qWarning("devsim: cannot listen on %s:%u", qPrintable(addresses.at(i).toString()), port);
            stop();
            return false;
        }
    }
    return true;
}

void SimFleet::stop()
{
    qDeleteAll(m_devices);
    m_devices.clear();
}

SimDevice *SimFleet::deviceByHostName(const QString &hostName) const
{
    for (SimDevice *d : m_devices) {
        if (d->hostName() == hostName)
            return d;
    }
    return nullptr;
}

QList<SimFleet::Endpoint> SimFleet::endpoints() const
{
    QList<Endpoint> list;
    for (SimDevice *d : m_devices)
        list.append({ d->address(), d->port(), d->hostName(), d->devType() });
    return list;
}

QList<QPair<QHostAddress, QString>> SimFleet::hosts() const
{
    QList<QPair<QHostAddress, QString>> list;
    for (SimDevice *d : m_devices)
        list.append(qMakePair(d->address(), d->hostName()));
    return list;
}
