// The batch dialog against many devices: its IP, Video (HDCP) and EDID
// pages applied to every checked decoder of a simulated fleet of 100 and of
// 500, in the private test LAN. Run it as
//   unshare -n tests/lan/testlan.sh 500 build/bench/batch/bench_batch
//
// The simulated devices run in a child process (this program started with
// "--serve <count>"), so the time measured is the console's alone. For each
// operation it reports how long the Apply click kept the window busy, the
// longest time the window's event loop did not turn from the click until
// the last device had its lines, that time itself (taken by the devices),
// and the result line the page showed once the round had ended.
#include "batch/dlgbatch.h"
#include "control/devfiltergroupbox.h"
#include "hoi_core/hoidevmgr.h"
#include "hoiwidget/ipaddrwidget.h"
#include "simdevice_commands.h"
#include "simlan.h"
#include "uiservices.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

const int kSizes[] = {100, 500};
const int kWaitMs = 120000;
const qint64 kBlockLimitMs = 100;

const char kConfig[] = "<?xml version=\"1.0\"?>\n"
                       "<hoiprod>\n"
                       "  <product id=\"BRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" jpeg_enable=\"n\"/>\n"
                       "</hoiprod>\n";

// Both processes read the same monotonic clock.
qint64 Now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}

void DropDebug(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(msg));
}

// ---------------------------------------------------------------------------
// The child: the fleet. "watch <text>" on its input makes it print
// "done <time>" once every device has received a line containing the text.

class CFleetWatch : public QObject
{
public:
    explicit CFleetWatch(CSimLan &lan)
        : m_lan(lan)
        , m_input(STDIN_FILENO, QSocketNotifier::Read)
    {
        for (int i = 0; i < lan.Count(); ++i) {
            connect(lan.Device(i), &SimDevice::lineReceived, this,
                    [this, i](const QByteArray &line) { OnLine(i, line); });
        }
        connect(&m_input, &QSocketNotifier::activated, this, [this] { ReadCommand(); });
    }

private:
    void ReadCommand()
    {
        char buf[512];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof(buf));
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        m_pending += QByteArray(buf, int(n));
        int nEnd;
        while ((nEnd = m_pending.indexOf('\n')) >= 0) {
            const QByteArray command = m_pending.left(nEnd);
            m_pending.remove(0, nEnd + 1);
            if (command.startsWith("watch ")) {
                m_needle = command.mid(6);
                m_done = QVector<bool>(m_lan.Count(), false);
                m_nDone = 0;
            }
        }
    }

    void OnLine(int i, const QByteArray &line)
    {
        if (m_needle.isEmpty() || m_done.value(i, true) || !line.contains(m_needle))
            return;
        m_done[i] = true;
        if (++m_nDone == m_lan.Count()) {
            std::printf("done %lld\n", static_cast<long long>(Now()));
            std::fflush(stdout);
            m_needle.clear();
        }
    }

    CSimLan &m_lan;
    QSocketNotifier m_input;
    QByteArray m_pending;
    QByteArray m_needle;
    QVector<bool> m_done;
    int m_nDone = 0;
};

int Serve(int count)
{
    CSimLan lan;
    for (int i = 0; i < count; ++i) {
        SimDevice *pDev = lan.AddDevice(CSimLan::HostNameFor(QStringLiteral("BRX"), i), QStringLiteral("RX"));
        if (!pDev)
            return 1;
        pDev->setOneWriteReplies(true); // as the figures in bench/README.md were taken
        SimInstallDeviceCommands(*pDev);
    }
    if (!lan.Start())
        return 1;
    CFleetWatch watch(lan);
    std::printf("ready\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

// ---------------------------------------------------------------------------
// The console side

struct T_Run
{
    qint64 clickMs = 0;
    qint64 stallMs = 0;
    qint64 lastMs = -1; // -1: not every device had its lines in time
    QString result;
};

// Waits for the child's next "done" line while the event loop turns.
qint64 WaitDone(QProcess &child)
{
    QEventLoop loop;
    qint64 doneAt = -1;
    QByteArray pending;
    const auto conn = QObject::connect(&child, &QProcess::readyReadStandardOutput, &loop, [&] {
        pending += child.readAllStandardOutput();
        const int nAt = pending.indexOf("done ");
        const int nEnd = pending.indexOf('\n', nAt);
        if (nAt >= 0 && nEnd > nAt) {
            doneAt = pending.mid(nAt + 5, nEnd - nAt - 5).toLongLong();
            loop.quit();
        }
    });
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(conn);
    return doneAt;
}

// The round ends once every device's queue has ended, which may be after
// the last line reached it: the dialog then takes clicks again.
bool WaitRoundEnd(QWidget *pDlg)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (pDlg->isEnabled())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
    return pDlg->isEnabled();
}

// One Apply: the child watches for the line every device must receive.
T_Run Apply(QProcess &child, QPushButton *pButton, QLabel *pResult, const QByteArray &needle)
{
    child.write("watch " + needle + "\n");
    child.waitForBytesWritten();
    QCoreApplication::processEvents();

    // The longest pause between two turns of the event loop.
    T_Run run;
    QElapsedTimer beat;
    QTimer heart;
    heart.setTimerType(Qt::PreciseTimer);
    heart.setInterval(1);
    QObject::connect(&heart, &QTimer::timeout, [&] {
        run.stallMs = qMax(run.stallMs, beat.restart());
    });

    const qint64 start = Now();
    beat.start();
    heart.start();
    pButton->click();
    run.clickMs = Now() - start;
    const qint64 doneAt = WaitDone(child);
    heart.stop();
    run.stallMs = qMax(run.stallMs, beat.elapsed());
    if (doneAt >= 0)
        run.lastMs = doneAt - start;
    if (WaitRoundEnd(pButton->window()))
        run.result = pResult->text();
    else
        run.result = QStringLiteral("no end: ") + pResult->text();
    return run;
}

bool WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// The manager finds the fleet as the operator's search would.
bool Search(CHOIDevMgr &mgr, int count)
{
    QEventLoop loop;
    int nFound = 0;
    QObject::connect(&mgr, &CHOIDevMgr::OnSearchStop, &loop, [&](int n, bool) {
        nFound = n;
        loop.quit();
    });
    QTimer::singleShot(kWaitMs, &loop, &QEventLoop::quit);
    if (!mgr.StartSearch(false))
        return false;
    loop.exec();
    return nFound == count;
}

// Presses each page's Apply with every device checked; false when a device
// missed its lines or the window stalled too long.
bool RunPages(QProcess &child, int count, QTextStream &out)
{
    CDlgBatch dlg;
    dlg.show();
    dlg.findChild<QCheckBox *>(QStringLiteral("cbkAllDev"))->click();
    const int nChecked =
        dlg.findChild<QDevFilterGroupBox *>(QStringLiteral("groupBox"))->GetCheckedDevList().size();
    dlg.findChild<QIPAddrWidget *>(QStringLiteral("edtIPAddr_begin"))->SetIPAddress(QStringLiteral("10.88.1.1"));
    dlg.findChild<QIPAddrWidget *>(QStringLiteral("edtIPAddr_end"))->SetIPAddress(QStringLiteral("10.88.9.250"));
    dlg.findChild<QIPAddrWidget *>(QStringLiteral("edtIPAddr_geteway"))->SetIPAddress(QStringLiteral("10.88.0.1"));
    dlg.findChild<QCheckBox *>(QStringLiteral("cBdevRestart"))->setChecked(false);

    struct T_Op
    {
        const char *page;
        const char *button;
        const char *result;
        QByteArray lastLine; // what the last line sent to each device contains
    };
    // IP last: it changes the addresses the console knows the devices by.
    const T_Op ops[] = {
        {"Video", "pbVideo_HDCP_apply", "lbResultVideoSet", "gbparam save"},
        {"EDID", "pbEdidSet_apply", "lbResultEdidSet", "eeprom_content"},
        {"IP", "pbIPAddr_apply", "lbResultIPAddr", "gbparam save"},
    };
    bool bOk = true;
    for (const T_Op &op : ops) {
        QPushButton *pButton = dlg.findChild<QPushButton *>(QLatin1String(op.button));
        if (!pButton->isEnabled()) {
            out << count << '\t' << op.page << "\tApply is disabled\n";
            bOk = false;
            continue;
        }
        const T_Run run = Apply(child, pButton, dlg.findChild<QLabel *>(QLatin1String(op.result)), op.lastLine);
        out << count << '\t' << nChecked << '\t' << op.page << '\t' << run.clickMs << '\t' << run.stallMs << '\t'
            << (run.lastMs >= 0 ? QString::number(run.lastMs) : QStringLiteral("-")) << '\t' << run.result << '\n';
        out.flush();
        if (run.lastMs < 0 || (count >= 500 && run.stallMs > kBlockLimitMs))
            bOk = false;
    }
    return bOk;
}

bool RunFleet(int count, QTextStream &out)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve"), QString::number(count)});
    bool bOk = child.waitForStarted() && child.waitForReadyRead(30000) && child.readLine().startsWith("ready");
    if (!bOk) {
        out << count << "\tthe simulated devices did not start\n";
    } else {
        CHOIDevMgr mgr;
        mgr.SetOnLineTimings(-1, 3600000);
        g_pHOIDevMgr = &mgr;
        bOk = mgr.LoadProdConfig() && Search(mgr, count);
        if (!bOk)
            out << count << "\tthe search did not find every device\n";
        else
            bOk = RunPages(child, count, out);
        g_pHOIDevMgr = nullptr;
    }
    child.kill();
    child.waitForFinished();
    return bOk;
}

} // namespace

int main(int argc, char *argv[])
{
    // The window is drawn without a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool bServe = argc > 2 && qstrcmp(argv[1], "--serve") == 0;
    if (bServe) {
        QCoreApplication app(argc, argv);
        return Serve(QByteArray(argv[2]).toInt());
    }

    QApplication app(argc, argv);
    if (!CSimLan::IsTestLan()) {
        std::fprintf(stderr, "bench_batch: run me inside the test LAN:\n"
                             "  unshare -n tests/lan/testlan.sh 500 %s\n",
                     argv[0]);
        return 2;
    }
    qInstallMessageHandler(DropDebug);
    RegisterHoiMetaTypes();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    // The IP page asks before it sends.
    SetMessageBoxRunner([](QMessageBox &) { return int(QMessageBox::Yes); });

    const QString dir = QCoreApplication::applicationDirPath();
    // A whole EDID, no extension, its checksum right: the page takes it.
    QByteArray edid(128, '\x5a');
    edid.replace(0, 8, QByteArray::fromHex("00ffffffffffff00"));
    edid[126] = 0;
    int nSum = 0;
    for (int i = 0; i < 127; ++i)
        nSum += uchar(edid.at(i));
    edid[127] = char((256 - nSum % 256) % 256);
    if (!WriteFile(dir + QStringLiteral("/config.xml"), kConfig)
        || !WriteFile(EdidDirPath() + QStringLiteral("/bench.bin"), edid)) {
        std::fprintf(stderr, "bench_batch: cannot write config.xml or the EDID file beside the program\n");
        return 1;
    }

    QTextStream out(stdout);
    out << "devices\tchecked\tpage\tclick ms\tstall ms\tlast ms\tresult\n";
    out.flush();
    int failures = 0;
    for (int count : kSizes) {
        if (count > CSimLan::AvailableAddresses()) {
            out << count << "\tskipped: the LAN has only " << CSimLan::AvailableAddresses() << " addresses\n";
            continue;
        }
        if (!RunFleet(count, out))
            ++failures;
    }
    return failures == 0 ? 0 : 1;
}
