// How long applying one layout takes, and what it costs the console: one TX
// feeding N RX (N = 16, 64, 256, 1000), each in its own cell, applied to
// simulated devices in the private test LAN. Run it as
//   unshare -n tests/lan/testlan.sh 1001 build/bin/bench_apply
//
// The simulated devices run in a child process (this program started with
// "--serve <count>"), so the CPU time and peak memory reported are the
// console's alone. For each N the layout is applied twice: "cold" with new
// device objects (connection and login included) and "warm" with the links
// left open by the first apply. Time runs from CHOIScene::Apply to the
// layout's final status. The devices count the command lines they receive,
// so the console's CPU time can be put per line.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "simfleet.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <iterator>

#include <sys/resource.h>
#include <unistd.h>

namespace {

const int kSizes[] = {16, 64, 256, 1000};
const int kTimeoutMs = 600000;

struct T_Usage
{
    double cpuMs = 0;
    long maxRssKb = 0;
};

T_Usage Usage()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    T_Usage u;
    u.cpuMs = (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1000.0
        + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1000.0;
    u.maxRssKb = ru.ru_maxrss;
    return u;
}

// A thousand devices hold a thousand sockets on each side.
void RaiseOpenFileLimit()
{
    rlimit rl{};
    if (getrlimit(RLIMIT_NOFILE, &rl) == 0 && rl.rlim_cur < rl.rlim_max) {
        rl.rlim_cur = rl.rlim_max;
        setrlimit(RLIMIT_NOFILE, &rl);
    }
}

struct T_Host
{
    QString address;
    QString hostName;
};

// The child: one encoder model and decoders, on the test-LAN addresses. Each
// line on its standard input is answered with "lines", the number of lines
// the devices have received so far, and its own CPU time in ms.
int Serve(int count)
{
    RaiseOpenFileLimit();
    SimFleet fleet;
    QList<SimFleet::Model> models;
    models.append({QStringLiteral("IPE1000"), QStringLiteral("TX")});
    for (int i = 1; i < count; ++i)
        models.append({QStringLiteral("IPD1000"), QStringLiteral("RX")});
    fleet.setModels(models);
    if (!fleet.startLan(count)) {
        QTextStream(stderr) << "bench_apply: cannot start the simulated devices\n";
        return 1;
    }
    qint64 lines = 0;
    for (SimDevice* pDevice : fleet.devices()) {
        pDevice->setOneWriteReplies(true); // as the figures in bench/README.md were taken
        QObject::connect(pDevice, &SimDevice::lineReceived, [&lines]() { ++lines; });
    }
    QTextStream out(stdout);
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&]() {
        char buf[64];
        const ssize_t got = read(STDIN_FILENO, buf, sizeof(buf));
        if (got <= 0) {
            QCoreApplication::quit();
            return;
        }
        for (ssize_t i = 0; i < got; ++i) {
            if (buf[i] == '\n')
                out << "lines " << lines << ' ' << Usage().cpuMs << '\n';
        }
        out.flush();
    });
    for (const SimFleet::Endpoint& e : fleet.endpoints())
        out << e.address.toString() << ' ' << e.hostName << '\n';
    out << "ready\n";
    out.flush();
    return QCoreApplication::exec();
}

struct T_SimCount
{
    qint64 lines = -1;
    double cpuMs = 0;
};

// The lines the simulated devices have received so far and the child's CPU
// time; lines -1 when the child does not answer. The console's event loop
// does not run while it asks, so nothing is sent meanwhile.
T_SimCount SimCount(QProcess& child)
{
    child.write("lines\n");
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 10000) {
        while (child.canReadLine()) {
            const QList<QByteArray> words = child.readLine().trimmed().split(' ');
            if (words.size() == 3 && words.at(0) == "lines")
                return {words.at(1).toLongLong(), words.at(2).toDouble()};
        }
        if (!child.waitForReadyRead(1000) && child.state() != QProcess::Running)
            return {};
    }
    return {};
}

bool ReadHosts(QProcess& child, int count, QList<T_Host>& hosts)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 30000) {
        while (child.canReadLine()) {
            const QString line = QString::fromUtf8(child.readLine()).trimmed();
            if (line == QLatin1String("ready"))
                return hosts.size() == count;
            const QStringList parts = line.split(QLatin1Char(' '));
            if (parts.size() == 2)
                hosts.append({parts.at(0), parts.at(1)});
        }
        if (!child.waitForReadyRead(1000) && child.state() != QProcess::Running)
            return false;
    }
    return false;
}

CHOIDev* MakeDev(CHOIDevMgr* pMgr, CHOIDev::DevType type, const T_Host& host)
{
    CHOIDev* pDev = new CHOIDev(pMgr, type, QStringLiteral("gb"), false, CHOIDev::E_CT_TELNET);
    pDev->SetHostName(host.hostName, true);
    pDev->SetIPAddr(host.address);
    return pDev;
}

// Applies and waits for the final status; false on a failed apply.
bool TimedApply(CHOIScene* pScene, qint64& elapsedMs, double& cpuMs, E_SceneStatus& status)
{
    QEventLoop loop;
    bool bDone = false;
    QObject::connect(pScene, &CHOIScene::OnStatusChange, &loop,
                     [&](CHOIScene*, E_SceneStatus eStatus) {
                         status = eStatus;
                         bDone = true;
                         loop.quit();
                     });
    QTimer::singleShot(kTimeoutMs, &loop, &QEventLoop::quit);
    const T_Usage before = Usage();
    QElapsedTimer timer;
    timer.start();
    if (!pScene->Apply(1))
        return false;
    if (!bDone)
        loop.exec();
    elapsedMs = timer.elapsed();
    cpuMs = Usage().cpuMs - before.cpuMs;
    return bDone;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.value(1) == QLatin1String("--serve"))
        return Serve(args.value(2).toInt());

    QTextStream out(stdout);
    if (qgetenv("HOI_TESTLAN") != "1") {
        QTextStream(stderr) << "bench_apply: run me inside the test LAN: "
                               "unshare -n tests/lan/testlan.sh 1001 build/bin/bench_apply\n";
        return 2;
    }
    RaiseOpenFileLimit();
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    qSetMessagePattern(QStringLiteral("%{if-warning}%{message}%{endif}%{if-critical}%{message}%{endif}"));

    // Sizes on the command line run those alone (for profiling one size).
    QList<int> sizes;
    for (int i = 1; i < args.size(); ++i) {
        if (args.at(i).toInt() > 0)
            sizes.append(args.at(i).toInt());
    }
    if (sizes.isEmpty())
        sizes = {std::begin(kSizes), std::end(kSizes)};
    const int count = *std::max_element(sizes.begin(), sizes.end()) + 1;
    if (qEnvironmentVariableIntValue("HOI_TESTLAN_DEVICES") < count) {
        QTextStream(stderr) << "bench_apply: the test LAN needs " << count << " device addresses\n";
        return 2;
    }
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The simulator's own event loop must not be what limits the console:
    // Qt's plain Unix dispatcher keeps its thousand sockets cheaper.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_NO_GLIB"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--serve"), QString::number(count)});
    QList<T_Host> hosts;
    if (!child.waitForStarted() || !ReadHosts(child, count, hosts)) {
        QTextStream(stderr) << "bench_apply: the simulated devices did not start\n";
        child.kill();
        child.waitForFinished();
        return 1;
    }

    CHOIDevMgr mgr;
    mgr.SetOnLineTimings(-1, 5000);
    if (!mgr.LoadProdConfig())
        QTextStream(stderr) << "bench_apply: no config.xml beside the program; products unknown\n";

    out << "N\trun\tpending\tstatus\twall ms\tCPU ms\tlines\tCPU ms/line\tsim CPU ms\tpeak RSS KiB\n";
    int failures = 0;
    for (int n : qAsConst(sizes)) {
        int side = 1;
        while (side * side < n)
            ++side;
        CHOIScene scene(&mgr, QStringLiteral("Bench %1").arg(n));
        scene.SetGridSize(side, side);
        CHOIDev* pTx = MakeDev(&mgr, CHOIDev::E_DT_TX, hosts.at(0));
        QList<CHOIDev*> devs{pTx};
        for (int i = 0; i < n; ++i) {
            CHOIDev* pRx = MakeDev(&mgr, CHOIDev::E_DT_RX, hosts.at(1 + i));
            devs.append(pRx);
            T_SceneCell* pCell = scene.GetCell(i / side, i % side);
            pCell->txList.append(pTx);
            pCell->rx = pRx;
        }
        for (const char* run : {"cold", "warm"}) {
            qint64 elapsedMs = 0;
            double cpuMs = 0;
            E_SceneStatus status = E_SS_EDIT;
            const T_SimCount simBefore = SimCount(child);
            const bool bOk = TimedApply(&scene, elapsedMs, cpuMs, status);
            const T_SimCount simAfter = SimCount(child);
            const qint64 lines = simAfter.lines - simBefore.lines;
            if (!bOk || status != E_SS_APPLIED)
                ++failures;
            out << n << '\t' << run << '\t' << scene.GetPendingTotal() << '\t'
                << (bOk ? (status == E_SS_APPLIED ? "applied" : "failed") : "no end") << '\t'
                << elapsedMs << '\t' << qRound(cpuMs) << '\t' << lines << '\t'
                << QString::number(lines > 0 ? cpuMs / lines : 0.0, 'f', 4) << '\t'
                << qRound(simAfter.cpuMs - simBefore.cpuMs) << '\t' << Usage().maxRssKb << '\n';
            out.flush();
        }
        // The links close with their devices before the next size starts.
        qDeleteAll(devs);
    }

    child.kill();
    child.waitForFinished();
    return failures == 0 ? 0 : 1;
}
