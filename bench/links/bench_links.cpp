// What one wake-up of the console's thread costs against the number of open
// device links. N links are opened and logged in to N simulated devices (in
// a child process, answering as embedded shells do: the echo at once, the
// answer 1-10 ms later); then, while the others stay open and quiet, one
// link sends its lines one after another, each when the one before has been
// answered. A wake-up that polls every open socket costs more the more
// links are open; one that asks only what is ready costs the same. Run it as
//   unshare -n tests/lan/testlan.sh 2000 build/bin/bench_links [N ...]
// and under callgrind, counting only the measured lines, as
//   unshare -n tests/lan/testlan.sh 2000 valgrind --tool=callgrind \
//     --toggle-collect='*SendLines*' build/bin/bench_links 1000
#include "hoi_core/telnetcomm.h"
#include "simlan.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

const int kLines = 500;
const int kWaitMs = 120000;

void DropDebug(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(msg));
}

// The process's CPU time so far, and the kernel's part of it.
void CpuMs(double *pAll, double *pSys)
{
    rusage ru {};
    getrusage(RUSAGE_SELF, &ru);
    *pSys = ru.ru_stime.tv_sec * 1000.0 + ru.ru_stime.tv_usec / 1000.0;
    *pAll = *pSys + ru.ru_utime.tv_sec * 1000.0 + ru.ru_utime.tv_usec / 1000.0;
}

void RaiseOpenFiles()
{
    rlimit limit {};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

int Serve(int count)
{
    CSimLan lan;
    for (int i = 0; i < count; ++i) {
        SimDevice *pDev = lan.AddDevice(CSimLan::HostNameFor(QStringLiteral("IPD1000"), i), QStringLiteral("RX"));
        if (!pDev)
            return 1;
        pDev->setPromptApart(false); // the echo, then the answer with its prompt
    }
    if (!lan.Start())
        return 1;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [] {
        char buf[64];
        if (::read(STDIN_FILENO, buf, sizeof(buf)) <= 0)
            QCoreApplication::quit();
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

// Runs the event loop until done() holds, checked after each queue result of
// any link, or the time is up.
template <typename Done>
bool WaitUntil(const std::vector<std::unique_ptr<CTelnetComm>> &links, Done done)
{
    QEventLoop loop;
    std::vector<QMetaObject::Connection> conns;
    for (const auto &pLink : links) {
        conns.push_back(QObject::connect(pLink.get(), &CBaseComm::OnSendQueueReturn, &loop, [&] {
            if (done())
                loop.quit();
        }));
    }
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    for (const auto &conn : conns)
        QObject::disconnect(conn);
    return done();
}

struct T_Result
{
    qint64 wallMs = 0;
    double cpuMs = 0;
    double sysMs = 0;
    int wakeUps = 0;
    bool ok = false;
};

// The measured part: kLines lines on one link, each sent when the one
// before has been answered.
Q_NEVER_INLINE T_Result SendLines(CTelnetComm &link)
{
    T_Result result;
    int sent = 0;
    int answered = 0;
    QEventLoop loop;
    const auto conn = QObject::connect(&link, &CBaseComm::OnSendQueueReturn, &loop, [&](E_CommResult eResult) {
        if (eResult != E_CR_SUCCESS) {
            loop.quit();
            return;
        }
        if (++answered == kLines)
            loop.quit();
        else if (sent < kLines && ++sent)
            link.SendCmd(QStringLiteral("echo %1").arg(sent));
    });
    QAbstractEventDispatcher *pDispatcher = QAbstractEventDispatcher::instance();
    const auto wake = QObject::connect(pDispatcher, &QAbstractEventDispatcher::awake, [&] { ++result.wakeUps; });
    double cpuStart = 0;
    double sysStart = 0;
    CpuMs(&cpuStart, &sysStart);
    QElapsedTimer wall;
    wall.start();
    ++sent;
    link.SendCmd(QStringLiteral("echo 0"));
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    result.wallMs = wall.elapsed();
    double cpuEnd = 0;
    double sysEnd = 0;
    CpuMs(&cpuEnd, &sysEnd);
    result.cpuMs = cpuEnd - cpuStart;
    result.sysMs = sysEnd - sysStart;
    result.ok = answered == kLines;
    QObject::disconnect(conn);
    QObject::disconnect(wake);
    return result;
}

bool RunSize(int count)
{
    std::vector<std::unique_ptr<CTelnetComm>> links;
    std::vector<bool> ready(count, false);
    int nReady = 0;
    for (int i = 0; i < count; ++i) {
        links.emplace_back(new CTelnetComm(QStringLiteral("gb"), QStringLiteral("1"),
                                           SimTestLanAddress(i).toString(), CSimLan::E_TELNET_PORT));
        QObject::connect(links.back().get(), &CBaseComm::OnSendQueueReturn, [&, i](E_CommResult eResult) {
            if (eResult == E_CR_SUCCESS && !ready[i]) {
                ready[i] = true;
                ++nReady;
            }
        });
        links.back()->OpenComm();
    }
    if (!WaitUntil(links, [&] { return nReady == count; })) {
        std::fprintf(stderr, "bench_links: %d of %d links logged in\n", nReady, count);
        return false;
    }
    const T_Result r = SendLines(*links.front());
    std::printf("%d\t%d\t%lld\t%.0f\t%.0f\t%d\t%.1f\t%.1f\t%.1f%s\n", count, kLines, static_cast<long long>(r.wallMs),
                r.cpuMs, r.sysMs, r.wakeUps, 1000.0 * r.cpuMs / kLines, 1000.0 * r.sysMs / kLines,
                r.wakeUps > 0 ? 1000.0 * r.cpuMs / r.wakeUps : 0.0, r.ok ? "" : "\tdid not finish");
    std::fflush(stdout);
    return r.ok;
}

} // namespace

int main(int argc, char *argv[])
{
    RaiseOpenFiles();
    QCoreApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--serve") == 0)
        return Serve(QByteArray(argv[2]).toInt());

    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1, 250, 1000, 2000};
    const int largest = *std::max_element(sizes.begin(), sizes.end());
    if (!CSimLan::IsTestLan() || largest < 1 || largest > CSimLan::AvailableAddresses()) {
        std::fprintf(stderr, "bench_links: run me inside a test LAN with an address per link:\n"
                             "  unshare -n tests/lan/testlan.sh %d %s\n",
                     largest, argv[0]);
        return 2;
    }
    qInstallMessageHandler(DropDebug);
    qRegisterMetaType<E_CommResult>("E_CommResult");

    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve"), QString::number(largest)});
    if (!child.waitForStarted() || !child.waitForReadyRead(120000) || !child.readLine().startsWith("ready")) {
        std::fprintf(stderr, "bench_links: the simulated devices did not start\n");
        child.kill();
        child.waitForFinished();
        return 1;
    }
    std::printf("links\tlines\twall ms\tCPU ms\tsys ms\twake-ups\tCPU us/line\tsys us/line\tCPU us/wake-up\n");
    std::fflush(stdout);
    int status = 0;
    for (int count : qAsConst(sizes)) {
        if (!RunSize(count))
            status = 1;
    }
    child.closeWriteChannel();
    child.kill();
    child.waitForFinished();
    return status;
}
