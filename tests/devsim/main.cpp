// Serves a simulated fleet until killed:
//   hoi_devsim <count> [127.0.0.1|lan]
// 127.0.0.1 (the default) puts every device on its own free port there;
// "lan" (or any other address) uses the test-LAN addresses on port 24.
#include "simfleet.h"

#include <QCoreApplication>
#include <QTextStream>

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

    SimFleet fleet;
    const bool started = where == QLatin1String("127.0.0.1") ? fleet.startLocal(count) : fleet.startLan(count);
    if (!started) {
        err << "hoi_devsim: cannot start the fleet\n";
        return 1;
    }
    for (const SimFleet::Endpoint &e : fleet.endpoints())
        out << e.address.toString() << ' ' << e.port << ' ' << e.hostName << ' ' << e.devType << '\n';
    out.flush();
    return app.exec();
}
