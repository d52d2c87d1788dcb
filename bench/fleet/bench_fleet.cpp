// A fleet coming on line under the console's manager and its Log dock: N
// simulated devices (1000 by default, encoders and decoders in turn) are
// found by a search and read back, then switched off until the on-line check
// has marked them off line, then switched on again, so that the on-line check
// reads every one of them back. Run it as
//   unshare -n tests/lan/testlan.sh 1000 build/bin/bench_fleet 1000
//
// The devices run in a child process (this program started with
// "--serve <count>"), so the CPU time and memory reported are the console's
// alone. Per phase it reports the devices read back and failed, the wall and
// CPU time, the command lines the console sent and the CPU per line, the
// longest time the event loop did not turn, the resident size after the
// phase and the peak so far. The Log dock is hidden, as the console starts;
// "--log-shown" after the count shows it.
#include "docks/logwidget.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "platform/openfilelimit.h"
#include "simdevice_commands.h"
#include "simlan.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QProcess>
#include <QSet>
#include <QSocketNotifier>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const int kDefaultCount = 1000;
const int kWaitMs = 300000;
const qint64 kStallLimitMs = 100;
const long kRssLimitKb = 150 * 1024;

// Debug output is formatted as the console formats it, but not printed.
void DropDebug(QtMsgType type, const QMessageLogContext &context, const QString &msg)
{
    const QString line = qFormatLogMessage(type, context, msg);
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(line));
}

double CpuMs()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1000.0 + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1000.0;
}

long PeakRssKb()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss;
}

long RssKb()
{
    long pages = 0;
    long resident = 0;
    FILE *pFile = std::fopen("/proc/self/statm", "r");
    if (pFile) {
        if (std::fscanf(pFile, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(pFile);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// ---------------------------------------------------------------------------
// The child: the fleet. "off" and "on" on its input switch every device.

int Serve(int count)
{
    // Each device holds a listening socket and a session.
    RaiseOpenFileLimit();
    CSimLan lan;
    for (int i = 0; i < count; ++i) {
        const bool bTx = i % 2 == 0;
        SimDevice *pDev = lan.AddDevice(CSimLan::HostNameFor(QLatin1String(bTx ? "IPE1000" : "IPD1000"), i),
                                        QLatin1String(bTx ? "TX" : "RX"));
        if (!pDev)
            return 1;
        SimInstallDeviceCommands(*pDev);
    }
    if (!lan.Start())
        return 1;

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[256];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof(buf));
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        pending += QByteArray(buf, int(n));
        int nEnd;
        while ((nEnd = pending.indexOf('\n')) >= 0) {
            const QByteArray command = pending.left(nEnd);
            pending.remove(0, nEnd + 1);
            if (command == "off" || command == "on") {
                for (int i = 0; i < lan.Count(); ++i)
                    lan.SetDeviceOn(i, command == "on");
            }
        }
    });
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

// ---------------------------------------------------------------------------
// The console side

struct T_Phase
{
    const char *name = "";
    int readBack = 0;
    int failed = 0;
    qint64 wallMs = 0;
    double cpuMs = 0;
    int lines = 0;
    qint64 stallMs = 0;
    long rssKb = 0;
    long peakRssKb = 0;
    bool finished = false;
};

// Counts the command lines sent and measures the longest pause between two
// turns of the event loop (a 1 ms timer), from Start to Stop.
class CMeter : public QObject
{
public:
    explicit CMeter(CHOIDevMgr &mgr)
    {
        connect(&mgr, &CHOIDevMgr::OnProgressLog, this, [this](const QString &line) {
            if (line.contains(QLatin1String("') send data ")))
                ++m_nLines;
            else if (line.contains(QLatin1String("') fails to be updated.")))
                ++m_nUpdateFailures;
        });
        m_heart.setTimerType(Qt::PreciseTimer);
        m_heart.setInterval(1);
        connect(&m_heart, &QTimer::timeout, this, [this] { m_stallMs = qMax(m_stallMs, m_beat.restart()); });
    }

    void Start(T_Phase &phase)
    {
        m_pPhase = &phase;
        m_nLines = 0;
        m_nUpdateFailures = 0;
        m_stallMs = 0;
        m_cpuStart = CpuMs();
        m_wall.start();
        m_beat.start();
        m_heart.start();
    }

    void Stop()
    {
        m_heart.stop();
        m_pPhase->wallMs = m_wall.elapsed();
        m_pPhase->cpuMs = CpuMs() - m_cpuStart;
        m_pPhase->lines = m_nLines;
        m_pPhase->stallMs = qMax(m_stallMs, m_beat.elapsed());
        m_pPhase->rssKb = RssKb();
        m_pPhase->peakRssKb = PeakRssKb();
    }

    int UpdateFailures() const { return m_nUpdateFailures; }

private:
    T_Phase *m_pPhase = nullptr;
    int m_nLines = 0;
    int m_nUpdateFailures = 0;
    qint64 m_stallMs = 0;
    double m_cpuStart = 0;
    QElapsedTimer m_wall;
    QElapsedTimer m_beat;
    QTimer m_heart;
};

// Runs the event loop until done() holds after a signal of the manager, or
// the time is up.
template <typename Signal, typename Done>
bool WaitFor(CHOIDevMgr &mgr, Signal signal, Done done)
{
    QEventLoop loop;
    bool bDone = false;
    QObject::connect(&mgr, signal, &loop, [&](auto...) {
        if (!bDone && done()) {
            bDone = true;
            loop.quit();
        }
    });
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return bDone;
}

int OnLineCount(CHOIDevMgr &mgr)
{
    int n = 0;
    for (int i = 0; i < mgr.GetDevCount(); ++i)
        n += mgr.GetDev(i)->m_bOnLine ? 1 : 0;
    return n;
}

void SwitchFleet(QProcess &child, const char *command)
{
    child.write(QByteArray(command) + '\n');
    child.waitForBytesWritten();
}

T_Phase Search(CHOIDevMgr &mgr, CMeter &meter, int count)
{
    T_Phase phase;
    phase.name = "search";
    meter.Start(phase);
    int nFound = -1;
    if (mgr.StartSearch(false)) {
        phase.finished = WaitFor(mgr, &CHOIDevMgr::OnSearchStop, [&] { return true; });
        nFound = mgr.GetDevCount();
    }
    meter.Stop();
    // A device whose read-back failed is listed all the same.
    phase.readBack = qMax(nFound, 0) - meter.UpdateFailures();
    phase.failed = count - phase.readBack;
    return phase;
}

// The devices go off line, then come back: the on-line check reads each one
// back as it sees it again.
T_Phase OnLineCheck(CHOIDevMgr &mgr, CMeter &meter, QProcess &child, int count)
{
    T_Phase phase;
    phase.name = "on-line check";
    SwitchFleet(child, "off");
    mgr.slotOnCheckOnLine();
    if (!WaitFor(mgr, &CHOIDevMgr::OnDeviceNotify, [&] { return OnLineCount(mgr) == 0; }))
        return phase;

    QSet<CHOIDev *> done;
    const auto conn = QObject::connect(&mgr, &CHOIDevMgr::OnDevCmdCompleted,
                                       [&](CHOIDev *pDev, E_ControlObject eObj, E_CommResult eResult) {
                                           if (eObj != E_CO_DEV || done.contains(pDev))
                                               return;
                                           done.insert(pDev);
                                           if (eResult != E_CR_SUCCESS)
                                               ++phase.failed;
                                       });
    meter.Start(phase);
    SwitchFleet(child, "on");
    phase.finished = WaitFor(mgr, &CHOIDevMgr::OnDevCmdCompleted,
                             [&] { return done.size() == count && OnLineCount(mgr) == count; });
    meter.Stop();
    QObject::disconnect(conn);
    phase.readBack = done.size() - phase.failed;
    phase.failed += count - done.size();
    return phase;
}

void Print(int count, const T_Phase &p, int logLines)
{
    std::printf("%d\t%s\t%d\t%d\t%lld\t%.0f\t%d\t%.3f\t%lld\t%ld\t%ld\t%d%s\n", count, p.name, p.readBack, p.failed,
                static_cast<long long>(p.wallMs), p.cpuMs, p.lines, p.lines > 0 ? p.cpuMs / p.lines : 0.0,
                static_cast<long long>(p.stallMs), p.rssKb / 1024, p.peakRssKb / 1024, logLines,
                p.finished ? "" : "\tdid not finish");
    std::fflush(stdout);
}

int RunFleet(int count, bool bLogShown)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve"), QString::number(count)});
    if (!child.waitForStarted() || !child.waitForReadyRead(60000) || !child.readLine().startsWith("ready")) {
        std::fprintf(stderr, "bench_fleet: the simulated devices did not start\n");
        child.kill();
        child.waitForFinished();
        return 1;
    }

    CHOIDevMgr mgr;
    g_pHOIDevMgr = &mgr;
    mgr.SetOnLineTimings(-1, CHOIDevMgr::E_ONLINE_INTERVAL);
    int status = 0;
    if (!mgr.LoadProdConfig()) {
        std::fprintf(stderr, "bench_fleet: no config.xml beside the program\n");
        status = 1;
    } else {
        QMainWindow window;
        CLogWidget *pLog = new CLogWidget(&window);
        window.addDockWidget(Qt::BottomDockWidgetArea, pLog);
        window.resize(1280, 1024);
        pLog->setVisible(bLogShown);
        window.show();
        QCoreApplication::processEvents();

        CMeter meter(mgr);
        std::printf("devices\tphase\tread back\tfailed\twall ms\tCPU ms\tlines\tCPU/line ms\tstall ms\tRSS MiB"
                    "\tpeak RSS MiB\tlog lines\n");
        const T_Phase search = Search(mgr, meter, count);
        Print(count, search, pLog->GetLogEdit()->document()->blockCount());
        T_Phase check;
        if (search.finished) {
            check = OnLineCheck(mgr, meter, child, count);
            Print(count, check, pLog->GetLogEdit()->document()->blockCount());
        }
        const T_Phase *phases[] = {&search, &check};
        qint64 stallMs = 0;
        for (const T_Phase *p : phases) {
            if (!p->finished || p->failed > 0)
                status = 1;
            stallMs = qMax(stallMs, p->stallMs);
        }
        const long peakKb = PeakRssKb();
        std::printf("targets: peak RSS %ld MiB (<= %ld): %s; longest stall %lld ms (<= %lld): %s\n", peakKb / 1024,
                    kRssLimitKb / 1024, peakKb <= kRssLimitKb ? "met" : "missed", static_cast<long long>(stallMs),
                    static_cast<long long>(kStallLimitMs), stallMs <= kStallLimitMs ? "met" : "missed");
    }
    g_pHOIDevMgr = nullptr;
    child.closeWriteChannel();
    child.kill();
    child.waitForFinished();
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // The dock is drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 2 && qstrcmp(argv[1], "--serve") == 0) {
        QCoreApplication app(argc, argv);
        return Serve(QByteArray(argv[2]).toInt());
    }

    // As the console starts.
    qSetMessagePattern(QStringLiteral("%{file}:%{line} %{function}: %{message}"));
    RaiseOpenFileLimit();
    QApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : kDefaultCount;
    const bool bLogShown = argc > 2 && qstrcmp(argv[2], "--log-shown") == 0;
    if (!CSimLan::IsTestLan() || count < 1 || count > CSimLan::AvailableAddresses()) {
        std::fprintf(stderr, "bench_fleet: run me inside a test LAN with an address per device:\n"
                             "  unshare -n tests/lan/testlan.sh %d %s %d\n",
                     count, argv[0], count);
        return 2;
    }
    qInstallMessageHandler(DropDebug);
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    return RunFleet(count, bLogShown);
}
