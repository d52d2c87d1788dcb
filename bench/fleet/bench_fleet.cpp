// A fleet coming on line under the console, twice: first in the real main
// window as an operator has it (the source device list, the group tree, a
// group page with its tiles, the Information and Log docks shown), then under
// the manager alone (with the Log dock hidden, as the console starts). N
// simulated devices (1000 by default; 3 in 20 encoders, the rest decoders)
// are found by a search and read back; they are then arranged as a project
// (groups of 16 decoders, each group a 4x4 video wall with six layouts, and
// 100 schedules), which is saved and opened again, so that the on-line check
// brings the opened project's devices on line and reads every one of them
// back. Last, the console idles with every link open. Run it as
//   unshare -n tests/lan/testlan.sh 1000 build/bin/bench_fleet 1000
//
// The devices answer as embedded shells do (the echo of a line at once, the
// answer and the prompt in one write 1-10 ms later), then, in a second pair of runs, with
// echo, answer and prompt in one write at once ("--devices two-writes" or
// "--devices one-write" runs one kind only).
//
// Each run is a process of its own ("--run window|manager <count> [one-write]"),
// and the devices run in a child of that ("--serve <count> [one-write]"), so
// the CPU time and memory reported are that console's alone.
#include "docks/devinfowidget.h"
#include "docks/logwidget.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "mainwindow/mainwindow.h"
#include "navtree/formgrouplist.h"
#include "platform/openfilelimit.h"
#include "platform/openglstack.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMainWindow>
#include <QProcess>
#include <QSet>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const int kDefaultCount = 1000;
const int kWaitMs = 300000;
const int kIdleMs = 20000;
const int kGroupSize = 16;
const int kWallRows = 4;
const int kWallCols = 4;
const int kLayoutsPerWall = 6;
const int kSchedules = 100;
const int kRssAnonEveryBeats = 10; // the private size is read every 100 ms

const char kOneWrite[] = "one-write";
const char kTwoWrites[] = "two-writes";

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

// The kernel's part: on loopback it includes delivering every line into the
// simulated device's socket, which a network card would do on a real LAN.
double SysCpuMs()
{
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_stime.tv_sec * 1000.0 + ru.ru_stime.tv_usec / 1000.0;
}

// The console's own thread: what a stall costs it, whatever else runs.
double ThreadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
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

// The private (anonymous) resident memory, from /proc/self/status: unlike
// the resident size it leaves out the mapped libraries and fonts.
long RssAnonKb()
{
    long kb = 0;
    FILE *pFile = std::fopen("/proc/self/status", "r");
    if (pFile) {
        char line[256];
        while (std::fgets(line, sizeof(line), pFile)) {
            if (std::sscanf(line, "RssAnon: %ld", &kb) == 1)
                break;
        }
        std::fclose(pFile);
    }
    return kb;
}

// The system keeps no peak of the private size: the bench samples it.
long g_peakRssAnonKb = 0;

void SampleRssAnon()
{
    g_peakRssAnonKb = qMax(g_peakRssAnonKb, RssAnonKb());
}

bool IsEncoder(int i)
{
    return i % 20 < 3;
}

// ---------------------------------------------------------------------------
// The fleet: "off" and "on" on its input switch every device. By default a
// device echoes a line at once and answers it 1-10 ms later; with bOneWrite
// echo, answer and prompt go together at once.

int Serve(int count, bool bOneWrite)
{
    // Each device holds a listening socket and a session.
    RaiseOpenFileLimit();
    CSimLan lan;
    for (int i = 0; i < count; ++i) {
        const bool bTx = IsEncoder(i);
        SimDevice *pDev = lan.AddDevice(CSimLan::HostNameFor(QLatin1String(bTx ? "IPE1000" : "IPD1000"), i),
                                        QLatin1String(bTx ? "TX" : "RX"));
        if (!pDev)
            return 1;
        pDev->setOneWriteReplies(bOneWrite);
        pDev->setPromptApart(false);
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
    double sysMs = 0; // of cpuMs
    int lines = 0;
    qint64 stallMs = 0;
    double stallCpuMs = 0;
    long rssKb = 0;
    long peakRssKb = 0;
    long peakRssAnonKb = 0;
    bool finished = false;
};

// Counts the command lines sent and measures the longest time the thread
// did not answer a timer of E_PROBE_MS, from Start to Stop: a stall of T
// shows as a gap between T and T + E_PROBE_MS. On a busy machine that time
// is stretched by the other processes; the thread's own CPU time between
// two answers is measured too. Every time the timer fires the event loop
// polls every open socket, which costs CPU time of its own; the idle phase
// therefore runs without it.
class CMeter : public QObject
{
public:
    enum { E_PROBE_MS = 10 };

    explicit CMeter(CHOIDevMgr &mgr)
    {
        connect(&mgr, &CHOIDevMgr::OnProgressLog, this, [this](const QString &line) {
            if (line.contains(QLatin1String("') send data ")))
                ++m_nLines;
            else if (line.contains(QLatin1String("') fails to be updated.")))
                ++m_nUpdateFailures;
        });
        m_heart.setTimerType(Qt::PreciseTimer);
        m_heart.setInterval(E_PROBE_MS);
        connect(&m_heart, &QTimer::timeout, this, [this] {
            m_stallMs = qMax(m_stallMs, m_beat.restart());
            if (++m_nBeats % kRssAnonEveryBeats == 0)
                SampleRssAnon();
            const double threadMs = ThreadCpuMs();
            if (threadMs - m_beatCpuMs > m_stallCpuMs) {
                m_stallCpuMs = threadMs - m_beatCpuMs;
                PrintTime(m_pPhase->name, "longest stall so far ends");
            }
            m_beatCpuMs = threadMs;
        });
    }

    void Start(T_Phase &phase, bool bProbe = true)
    {
        PrintTime(phase.name, "start");
        m_pPhase = &phase;
        m_bProbe = bProbe;
        m_nLines = 0;
        m_nUpdateFailures = 0;
        m_stallMs = 0;
        m_stallCpuMs = 0;
        m_beatCpuMs = ThreadCpuMs();
        m_cpuStart = CpuMs();
        m_sysStart = SysCpuMs();
        m_wall.start();
        m_beat.start();
        if (m_bProbe)
            m_heart.start();
    }

    void Stop()
    {
        m_heart.stop();
        m_pPhase->wallMs = m_wall.elapsed();
        m_pPhase->cpuMs = CpuMs() - m_cpuStart;
        m_pPhase->sysMs = SysCpuMs() - m_sysStart;
        m_pPhase->lines = m_nLines;
        m_pPhase->stallMs = m_bProbe ? qMax(m_stallMs, m_beat.elapsed()) : -1;
        m_pPhase->stallCpuMs = m_bProbe ? qMax(m_stallCpuMs, ThreadCpuMs() - m_beatCpuMs) : -1;
        m_pPhase->rssKb = RssKb();
        m_pPhase->peakRssKb = PeakRssKb();
        SampleRssAnon();
        m_pPhase->peakRssAnonKb = g_peakRssAnonKb;
        PrintTime(m_pPhase->name, "end");
    }

    int UpdateFailures() const { return m_nUpdateFailures; }

    // Runs the event loop until the Log dock has taken every line the
    // manager published: lines of a flood go into the text at the dock's
    // own pace, and that work belongs to the phase that brought them. A
    // line of the bench's own marks the end.
    void WaitForLog(CHOIDevMgr &mgr, CLogWidget *pLog) const
    {
        const QString strMark = QStringLiteral("bench_fleet: end of phase %1").arg(QLatin1String(m_pPhase->name));
        mgr.EmitProgressLog(strMark);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (pLog->GetLogEdit()->document()->lastBlock().text().endsWith(strMark))
                loop.quit();
        });
        poll.start(50);
        QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }

private:
    // With BENCH_PHASE_TIMES set, the monotonic clock at each phase's start
    // and end goes to standard error, to cut a "perf record -k
    // CLOCK_MONOTONIC" profile by phase.
    static void PrintTime(const char *pszPhase, const char *pszEdge)
    {
        if (qEnvironmentVariableIsEmpty("BENCH_PHASE_TIMES"))
            return;
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        std::fprintf(stderr, "phase\t%s\t%s\t%lld.%06ld\n", pszPhase, pszEdge, static_cast<long long>(ts.tv_sec),
                     ts.tv_nsec / 1000);
    }

    T_Phase *m_pPhase = nullptr;
    bool m_bProbe = true;
    int m_nLines = 0;
    int m_nUpdateFailures = 0;
    int m_nBeats = 0;
    qint64 m_stallMs = 0;
    double m_stallCpuMs = 0;
    double m_beatCpuMs = 0;
    double m_cpuStart = 0;
    double m_sysStart = 0;
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

T_Phase Search(CHOIDevMgr &mgr, CMeter &meter, CLogWidget *pLog, int count)
{
    T_Phase phase;
    phase.name = "search";
    meter.Start(phase);
    int nFound = -1;
    if (mgr.StartSearch(false)) {
        phase.finished = WaitFor(mgr, &CHOIDevMgr::OnSearchStop, [&] { return true; });
        nFound = mgr.GetDevCount();
        meter.WaitForLog(mgr, pLog);
    }
    meter.Stop();
    // A device whose read-back failed is listed all the same.
    phase.readBack = qMax(nFound, 0) - meter.UpdateFailures();
    phase.failed = count - phase.readBack;
    return phase;
}

// The found devices as an installation: groups of 16 decoders, each a 4x4
// video wall with six layouts, each decoder showing an encoder, and 100
// schedules of those layouts, set for dates that never come during a run.
// Decoders left over stay ungrouped.
void ArrangeProject(CHOIDevMgr &mgr)
{
    QList<CHOIDev *> tx;
    QList<CHOIDev *> rx;
    for (int i = 0; i < mgr.GetDevCount(); ++i) {
        CHOIDev *pDev = mgr.GetDev(i);
        if (pDev->GetDevType() == CHOIDev::E_DT_TX)
            tx << pDev;
        else if (pDev->GetDevType() == CHOIDev::E_DT_RX)
            rx << pDev;
    }
    if (tx.isEmpty())
        return;
    const int nWallCells = kWallRows * kWallCols;
    QList<CHOIScene *> layouts;
    for (int g = 0; (g + 1) * kGroupSize <= rx.size(); ++g) {
        const QString strGroup = QStringLiteral("G%1").arg(g + 1);
        const QString strWall = QStringLiteral("W%1").arg(g + 1);
        mgr.AddGroup(strGroup, uint(g + 1));
        CHOIScene *pWall = mgr.GetOrCreateVideoWall(strWall);
        pWall->SetGridSize(kWallRows, kWallCols);
        pWall->SetGroup(strGroup);
        pWall->SetLayoutSeq(1);
        for (int c = 0; c < kGroupSize; ++c) {
            CHOIDev *pDev = rx.at(g * kGroupSize + c);
            pDev->SetGroup(strGroup);
            pDev->SetTXDev(tx.at((g * 5 + c) % tx.size()));
            if (c < nWallCells) {
                pWall->GetCell(c / kWallCols, c % kWallCols)->rx = pDev;
                pDev->SetVideoWall(pWall);
                pDev->SetSequence(c + 1);
            } else {
                pDev->SetSequence(c - nWallCells + 2);
            }
        }
        for (int l = 0; l < kLayoutsPerWall; ++l) {
            CHOIScene *pScene = mgr.CreateScene(QStringLiteral("%1-L%2").arg(strWall).arg(l + 1));
            pScene->SetGridSize(kWallRows, kWallCols);
            pScene->SetGroup(strGroup);
            pScene->SetLayoutSeq(l + 1);
            pScene->SetDefault(l == 0);
            for (int c = 0; c < nWallCells; ++c) {
                T_SceneCell *pCell = pScene->GetCell(c / kWallCols, c % kWallCols);
                pCell->rx = rx.at(g * kGroupSize + c);
                pCell->txList << tx.at((g * 7 + l * 3 + c) % tx.size());
            }
            layouts << pScene;
        }
    }
    for (int i = 0; i < kSchedules && !layouts.isEmpty(); ++i) {
        T_ScheduleInfo info;
        info.type = 4; // once, on its start date
        info.start_date.year = quint16(2090 + i % 10);
        info.start_date.month = quint16(1 + i % 12);
        info.start_date.day = quint16(1 + i % 28);
        info.end_date = info.start_date;
        info.exec_time.hour = quint8(i % 24);
        info.exec_time.minute = quint8(i % 60);
        info.scene = layouts.at(i * 3 % layouts.size());
        mgr.AddSchedule(&info);
    }
}

// The on-line check reads every device of the opened project back as it
// finds it.
T_Phase OnLineCheck(CHOIDevMgr &mgr, CMeter &meter, CLogWidget *pLog, int count)
{
    T_Phase phase;
    phase.name = "on-line check";
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
    mgr.slotOnCheckOnLine();
    phase.finished = WaitFor(mgr, &CHOIDevMgr::OnDevCmdCompleted,
                             [&] { return done.size() == count && OnLineCount(mgr) == count; });
    if (phase.finished)
        meter.WaitForLog(mgr, pLog);
    meter.Stop();
    QObject::disconnect(conn);
    phase.readBack = done.size() - phase.failed;
    phase.failed += count - done.size();
    return phase;
}

// Every link open, nothing asked: only the on-line check runs, every 5 s.
T_Phase Idle(CMeter &meter, int count)
{
    T_Phase phase;
    phase.name = "idle";
    meter.Start(phase, false);
    QEventLoop loop;
    QTimer::singleShot(kIdleMs, &loop, &QEventLoop::quit);
    loop.exec();
    meter.Stop();
    phase.readBack = count;
    phase.finished = true;
    return phase;
}

void Print(int count, const char *devices, const char *run, const T_Phase &p, int logLines)
{
    const QByteArray stall = p.stallMs < 0 ? QByteArray("-") : QByteArray::number(p.stallMs);
    const QByteArray stallCpu = p.stallCpuMs < 0 ? QByteArray("-") : QByteArray::number(qRound(p.stallCpuMs));
    std::printf("%d\t%s\t%s\t%s\t%d\t%d\t%lld\t%.0f\t%.0f\t%d\t%.3f\t%s\t%s\t%ld\t%ld\t%ld\t%d%s\n", count,
                devices, run, p.name, p.readBack, p.failed, static_cast<long long>(p.wallMs), p.cpuMs, p.sysMs,
                p.lines, p.lines > 0 ? p.cpuMs / p.lines : 0.0, stall.constData(), stallCpu.constData(),
                p.rssKb / 1024, p.peakRssKb / 1024, p.peakRssAnonKb / 1024, logLines,
                p.finished ? "" : "\tdid not finish");
    std::fflush(stdout);
}

// The goals of a fleet coming on line: at 1000 devices the console's CPU
// per command line, its peak private size, its longest stall and its share
// of one core while idle; at 2000 its stall and private size. They are
// judged with devices that answer in two writes.
void PrintTargets(int count, const char *devices, const char *run, const T_Phase (&phases)[3])
{
    const bool bFull = count <= 1000;
    const long anonLimitMiB = bFull ? 80 : 150;
    double cpuPerLine = 0;
    qint64 stallMs = 0;
    long peakAnonKb = 0;
    for (const T_Phase &p : phases)
        peakAnonKb = qMax(peakAnonKb, p.peakRssAnonKb);
    for (int i = 0; i < 2; ++i) {
        cpuPerLine = qMax(cpuPerLine, phases[i].lines > 0 ? phases[i].cpuMs / phases[i].lines : 0.0);
        stallMs = qMax(stallMs, phases[i].stallMs);
    }
    const long peakAnonMiB = peakAnonKb / 1024;
    const double idlePercent = phases[2].wallMs > 0 ? 100.0 * phases[2].cpuMs / phases[2].wallMs : 0.0;
    const auto held = [](bool bMet) { return bMet ? "met" : "missed"; };
    std::printf("targets %d %s %s: CPU/line %.3f ms (<= 0.05)%s%s; peak RssAnon %ld MiB (<= %ld): %s; longest stall "
                "%lld ms (<= 100): %s; idle %.2f %% of a core (< 1)%s%s\n",
                count, devices, run, cpuPerLine, bFull ? ": " : "", bFull ? held(cpuPerLine <= 0.05) : "",
                peakAnonMiB, anonLimitMiB, held(peakAnonMiB <= anonLimitMiB), static_cast<long long>(stallMs),
                held(stallMs <= 100), idlePercent, bFull ? ": " : "", bFull ? held(idlePercent < 1.0) : "");
    std::fflush(stdout);
}

// The windows of one run: the main window with its panels and docks, or a
// bare window holding the hidden Log dock.
class CConsole
{
public:
    CConsole(CHOIDevMgr &mgr, bool bWindow)
    {
        if (bWindow) {
            m_pMain.reset(new MainWindow);
            m_pMain->resize(1600, 1000);
            m_pMain->show();
            m_pLog = m_pMain->findChild<CLogWidget *>();
            m_pInfo = m_pMain->findChild<CDevinfoWidget *>();
            m_pTree = m_pMain->findChild<CFormGroupList *>();
            m_pLog->show();
            m_pInfo->show();
        } else {
            m_pBare.reset(new QMainWindow);
            m_pLog = new CLogWidget(m_pBare.get());
            m_pBare->addDockWidget(Qt::BottomDockWidgetArea, m_pLog);
            m_pBare->resize(1280, 1024);
            m_pLog->hide();
            m_pBare->show();
        }
        Q_UNUSED(mgr)
        QCoreApplication::processEvents();
    }

    CLogWidget *Log() const { return m_pLog; }
    int LogLines() const { return m_pLog->GetLogEdit()->document()->blockCount(); }

    // Saves the arranged project and opens it again, as the operator would;
    // the window then shows a group page and a decoder in the Information dock.
    bool Reopen(CHOIDevMgr &mgr, const QString &strPath)
    {
        // The devices the open replaces are deleted later: part of the open,
        // not of the phase after it.
        struct T_DeleteReplaced
        {
            ~T_DeleteReplaced() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
        } deleteReplaced;
        if (!mgr.ExportDevInfoFile(strPath))
            return false;
        if (!m_pMain) {
            mgr.ClearAll();
            if (!mgr.ImportDevInfoFile(strPath))
                return false;
            mgr.InitMrxLayouts();
            return true;
        }
        if (!m_pMain->OpenProject(strPath, true))
            return false;
        QTreeWidgetItem *pGroup = m_pTree->FindGroupItem(QStringLiteral("G1"));
        if (!pGroup)
            return false;
        m_pTree->slotSetCurrentItem(pGroup);
        for (int i = 0; i < pGroup->childCount(); ++i) {
            if (CHOIDev *pDev = GroupItemDev(pGroup->child(i))) {
                m_pInfo->slotShowDevDetail(pDev);
                break;
            }
        }
        QCoreApplication::processEvents();
        return true;
    }

private:
    std::unique_ptr<MainWindow> m_pMain;
    std::unique_ptr<QMainWindow> m_pBare;
    CLogWidget *m_pLog = nullptr;
    CDevinfoWidget *m_pInfo = nullptr;
    CFormGroupList *m_pTree = nullptr;
};

int RunConsole(int count, bool bWindow, bool bOneWrite)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList serve {QStringLiteral("--serve"), QString::number(count)};
    if (bOneWrite)
        serve << QLatin1String(kOneWrite);
    // Real devices answer at their own pace whatever the size of the fleet;
    // the simulator's event loop, which polls every one of its sockets, must
    // not be what holds the console's lines back: Qt's plain Unix dispatcher
    // keeps that cheaper.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_NO_GLIB"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), serve);
    if (!child.waitForStarted() || !child.waitForReadyRead(60000) || !child.readLine().startsWith("ready")) {
        std::fprintf(stderr, "bench_fleet: the simulated devices did not start\n");
        child.kill();
        child.waitForFinished();
        return 1;
    }

    const char *run = bWindow ? "window" : "manager";
    const char *devices = bOneWrite ? kOneWrite : kTwoWrites;
    QTemporaryDir dir;
    int status = 0;
    {
        CHOIDevMgr mgr;
        g_pHOIDevMgr = &mgr;
        mgr.SetOnLineTimings(-1, CHOIDevMgr::E_ONLINE_INTERVAL);
        // No welcome dialog and no tip.
        mgr.m_nIsWelcome = 1;
        mgr.m_nIsPrompt = 1;
        if (!mgr.LoadProdConfig()) {
            std::fprintf(stderr, "bench_fleet: no config.xml beside the program\n");
            status = 1;
        } else {
            CConsole console(mgr, bWindow);
            CMeter meter(mgr);
            T_Phase phases[3];
            phases[0] = Search(mgr, meter, console.Log(), count);
            Print(count, devices, run, phases[0], console.LogLines());
            ArrangeProject(mgr);
            if (!phases[0].finished || !console.Reopen(mgr, dir.filePath(QStringLiteral("fleet.hoi")))) {
                std::fprintf(stderr, "bench_fleet: the project could not be saved and opened again\n");
                status = 1;
            } else {
                phases[1] = OnLineCheck(mgr, meter, console.Log(), count);
                Print(count, devices, run, phases[1], console.LogLines());
                if (phases[1].finished) {
                    phases[2] = Idle(meter, count);
                    Print(count, devices, run, phases[2], console.LogLines());
                }
            }
            for (const T_Phase &p : phases) {
                if (!p.finished || p.failed > 0)
                    status = 1;
            }
            PrintTargets(count, devices, run, phases);
            // The window's tiles go before the manager.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_pHOIDevMgr = nullptr;
    }
    child.closeWriteChannel();
    child.kill();
    child.waitForFinished();
    return status;
}

// Both runs for each kind of device asked for, each in a process of its own
// so that its memory is its own.
int RunAll(int count, const QStringList &devices)
{
    std::printf("devices\tanswers\trun\tphase\tread back\tfailed\twall ms\tCPU ms\tsys ms\tlines\tCPU/line ms"
                "\tstall ms\tstall CPU ms\tRSS MiB\tpeak RSS MiB\tpeak RssAnon MiB\tlog lines\n");
    std::fflush(stdout);
    int status = 0;
    for (const QString &kind : devices) {
        for (const char *run : {"window", "manager"}) {
            QStringList args {QStringLiteral("--run"), QLatin1String(run), QString::number(count)};
            if (kind == QLatin1String(kOneWrite))
                args << kind;
            QProcess console;
            console.setProcessChannelMode(QProcess::ForwardedChannels);
            console.start(QCoreApplication::applicationFilePath(), args);
            if (!console.waitForStarted() || !console.waitForFinished(-1)
                || console.exitStatus() != QProcess::NormalExit || console.exitCode() != 0)
                status = 1;
        }
    }
    return status;
}

} // namespace

int main(int argc, char *argv[])
{
    // The windows are drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool bOneWriteArg = qstrcmp(argv[argc - 1], kOneWrite) == 0;
    if (argc > 2 && qstrcmp(argv[1], "--serve") == 0) {
        QCoreApplication app(argc, argv);
        return Serve(QByteArray(argv[2]).toInt(), bOneWriteArg);
    }
    const bool bRun = argc > 3 && qstrcmp(argv[1], "--run") == 0;
    // bench_fleet [--devices one-write|two-writes] [count]
    QStringList devices {QLatin1String(kTwoWrites), QLatin1String(kOneWrite)};
    int nArg = 1;
    if (!bRun && argc > 2 && qstrcmp(argv[1], "--devices") == 0) {
        devices = QStringList {QString::fromLatin1(argv[2])};
        nArg = 3;
        if (devices != QStringList {QLatin1String(kTwoWrites)} && devices != QStringList {QLatin1String(kOneWrite)}) {
            std::fprintf(stderr, "bench_fleet: --devices takes %s or %s\n", kTwoWrites, kOneWrite);
            return 2;
        }
    }
    const int count = bRun ? QByteArray(argv[3]).toInt() : (argc > nArg ? QByteArray(argv[nArg]).toInt() : kDefaultCount);

    // As the console starts.
    qSetMessagePattern(QStringLiteral("%{file}:%{line} %{function}: %{message}"));
    RaiseOpenFileLimit();
    LeaveOpenGLUnloaded();
    QApplication app(argc, argv);
    if (!CSimLan::IsTestLan() || count < kGroupSize || count > CSimLan::AvailableAddresses()) {
        std::fprintf(stderr, "bench_fleet: run me inside a test LAN with an address per device (at least %d):\n"
                             "  unshare -n tests/lan/testlan.sh %d %s %d\n",
                     kGroupSize, count, argv[0], count);
        return 2;
    }
    if (!bRun)
        return RunAll(count, devices);

    InitConsoleResources();
    qInstallMessageHandler(DropDebug);
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    // The end of a search is announced in a message box: answered at once.
    SetMessageBoxRunner([](QMessageBox &box) {
        QAbstractButton *pDefault = box.defaultButton();
        return int(pDefault ? box.standardButton(pDefault) : QMessageBox::Ok);
    });
    return RunConsole(count, qstrcmp(argv[2], "window") == 0, bOneWriteArg);
}
