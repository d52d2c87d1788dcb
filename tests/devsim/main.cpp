// Serves a simulated fleet until killed:
//   hoi_devsim <count> [127.0.0.1|lan]
// 127.0.0.1 (the default) puts every device's shell on its own free port
// there. "lan" runs the fleet inside the test LAN (tests/lan/testlan.sh):
// each device on its own address, with its shell on port 24, answering
// discovery, with the models of the sample config.xml, so that a console
// started in the same namespace finds and reads them.
// HOI_DEVSIM_REFUSE_LOGIN=<i>[,<j>...][:<seconds>] makes those devices refuse
// the console's password (for the first seconds only, when given), each with
// a stored name of its own: a device whose name the console has not read.
// HOI_DEVSIM_ANSWER_DELAY_MS=<n> makes every device answer n ms later than
// usual: a shell's answers and prompts (its echo still at once) and the web
// server's answers. Discovery replies keep their pace: a search listens for
// a fixed time by design.
#include "simdevice_commands.h"
#include "simfleet.h"
#include "simlan.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>

namespace {

struct T_Model
{
    const char *id;
    const char *type;
    bool bHisi; // the product is of the H.264 family, which prints its version otherwise
};
// The products of the sample config.xml in turn, so that the first nine
// devices show every window of the device menus.
const T_Model kModels[] = {{"IPE1000", "TX", true},  {"IPD1000", "RX", true}, {"IPE2000", "TX", false},
                           {"IPD2000", "RX", false}, {"IPM2000", "MRX", true}, {"IPW400", "WP", true},
                           {"IPG100", "GW", true},   {"IPD1000", "RX", true},  {"QN714", "QN714", false}};

void RefuseLogins(CSimLan &lan, const QString &spec)
{
    if (spec.isEmpty())
        return;
    const QStringList parts = spec.split(QLatin1Char(':'));
    for (const QString &index : parts.first().split(QLatin1Char(','))) {
        const int i = index.toInt();
        if (i < 0 || i >= lan.Count())
            continue;
        SimDevice *pDev = lan.Device(i);
        pDev->setParam(QStringLiteral("name"), QStringLiteral("Own%20Name%20") + QString::number(i));
        pDev->setPassword(QStringLiteral("refused"));
        if (parts.size() > 1)
            QTimer::singleShot(parts.at(1).toInt() * 1000, pDev, [pDev] { pDev->setPassword(QString()); });
    }
}

int ServeLan(int count, QTextStream &out, QTextStream &err)
{
    if (!CSimLan::IsTestLan() || CSimLan::AvailableAddresses() < count) {
        err << "hoi_devsim: run me inside the test LAN with at least " << count
            << " addresses (unshare -n tests/lan/testlan.sh <n> ...)\n";
        return 1;
    }
    static CSimLan lan;
    const int nModels = int(sizeof(kModels) / sizeof(kModels[0]));
    for (int i = 0; i < count; ++i) {
        const T_Model &model = kModels[i % nModels];
        SimDevice *pDev = lan.AddDevice(CSimLan::HostNameFor(QLatin1String(model.id), i),
                                        QLatin1String(model.type));
        if (!pDev) {
            err << "hoi_devsim: cannot start device " << i << '\n';
            return 1;
        }
        SimInstallDeviceCommands(*pDev);
        SimSetVersion(*pDev, "V1.0.0", model.bHisi);
        out << lan.Address(i).toString() << ' ' << pDev->port() << ' ' << pDev->hostName() << ' '
            << model.type << '\n';
    }
    RefuseLogins(lan, qEnvironmentVariable("HOI_DEVSIM_REFUSE_LOGIN"));
    if (!lan.Start()) {
        err << "hoi_devsim: cannot answer discovery\n";
        return 1;
    }
    out.flush();
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream out(stdout);
    QTextStream err(stderr);

    bool ok = false;
    const int count = args.value(1).toInt(&ok);
    if (!ok || count < 1) {
        err << "usage: hoi_devsim <count> [127.0.0.1|lan]\n";
        return 2;
    }
    const QString where = args.value(2, QStringLiteral("127.0.0.1"));
    if (where != QLatin1String("127.0.0.1"))
        return ServeLan(count, out, err);

    SimFleet fleet;
    if (!fleet.startLocal(count)) {
        err << "hoi_devsim: cannot start the fleet\n";
        return 1;
    }
    for (const SimFleet::Endpoint &e : fleet.endpoints())
        out << e.address.toString() << ' ' << e.port << ' ' << e.hostName << ' ' << e.devType << '\n';
    out.flush();
    return app.exec();
}
