// Measures one device search from StartSearch to OnSearchStop (discovery
// rounds and the read-back of every found device) for fleets of 50 and 200
// simulated devices, with the process CPU time spent meanwhile.
//
// Run inside the private test LAN (as root, from the top of the tree):
//   unshare -n tests/lan/testlan.sh 200 build/bin/bench_search
#include "hoi_core/hoidevmgr.h"
#include "simlan.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

double CpuSeconds()
{
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The manager and the devices log every line they send and receive; the
// measurement keeps the formatting but not the terminal output.
void DropDebug(QtMsgType type, const QMessageLogContext&, const QString& msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(msg));
}

struct T_Result
{
    int devices = 0;
    int found = 0;
    qint64 discoveryMs = 0;
    qint64 totalMs = 0;
    double cpuSeconds = 0;
    bool finished = false;
};

T_Result RunOnce(int count)
{
    T_Result result;
    result.devices = count;
    CSimLan lan;
    for (int i = 0; i < count; ++i) {
        const bool bTx = i % 2 == 0;
        SimDevice* pDev = lan.AddDevice(CSimLan::HostNameFor(bTx ? "IPE1000" : "IPD1000", i), bTx ? "TX" : "RX");
        if (!pDev)
            return result;
        pDev->setOneWriteReplies(true); // as the figures in bench/README.md were taken
    }
    if (!lan.Start())
        return result;

    CHOIDevMgr mgr;
    mgr.SetOnLineTimings(-1, CHOIDevMgr::E_ONLINE_INTERVAL);
    if (!mgr.LoadProdConfig()) {
        std::fprintf(stderr, "bench_search: no config.xml beside the program\n");
        return result;
    }

    QEventLoop loop;
    QElapsedTimer clock;
    QObject::connect(&mgr, &CHOIDevMgr::OnProgressNotify, [&](E_ProgressNotify eNotify, int nProgress) {
        // 50: the last round has been sent.
        if (eNotify == E_PN_SEARCH && nProgress == 50 && result.discoveryMs == 0)
            result.discoveryMs = clock.elapsed();
    });
    QObject::connect(&mgr, &CHOIDevMgr::OnSearchStop, [&](int nFound, bool) {
        result.totalMs = clock.elapsed();
        result.found = nFound;
        result.finished = true;
        loop.quit();
    });
    // A search that never ends is a result too.
    QTimer::singleShot(600000, &loop, &QEventLoop::quit);

    const double cpuStart = CpuSeconds();
    clock.start();
    if (!mgr.StartSearch(false))
        return result;
    loop.exec();
    result.cpuSeconds = CpuSeconds() - cpuStart;
    return result;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (!CSimLan::IsTestLan()) {
        std::fprintf(stderr, "bench_search: run me inside the test LAN:\n"
                             "  unshare -n tests/lan/testlan.sh 200 %s\n", argv[0]);
        return 2;
    }
    qInstallMessageHandler(DropDebug);

    std::printf("%8s %8s %14s %14s %10s\n", "devices", "found", "discovery(ms)", "total(ms)", "cpu(s)");
    int status = 0;
    for (int count : {50, 200}) {
        if (count > CSimLan::AvailableAddresses()) {
            std::printf("%8d skipped: the LAN has only %d addresses\n", count, CSimLan::AvailableAddresses());
            continue;
        }
        const T_Result r = RunOnce(count);
        if (!r.finished) {
            std::printf("%8d did not finish\n", count);
            status = 1;
            continue;
        }
        std::printf("%8d %8d %14lld %14lld %10.2f\n", r.devices, r.found, static_cast<long long>(r.discoveryMs),
                    static_cast<long long>(r.totalMs), r.cpuSeconds);
        std::fflush(stdout);
        if (r.found != count)
            status = 1;
    }
    return status;
}
