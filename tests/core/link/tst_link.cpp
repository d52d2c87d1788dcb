// The Telnet command link against simulated devices on 127.0.0.1.
#include "hoi_core/telnetcomm.h"
#include "simdevice.h"

#include <QSignalSpy>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The link with its queue and buffer in view.
class TestLink : public CTelnetComm
{
public:
    using CTelnetComm::CTelnetComm;
    QList<QByteArray> queue() const { return m_sendQueue; }
};

// The base link with the socket replaced by a list of writes, for the
// byte-exact receive rules: the test feeds the chunks a device would send.
class MemLink : public CBaseComm
{
public:
    MemLink() : CBaseComm(QStringLiteral("gb"), QStringLiteral("1")) {}
    bool OpenComm() override { return true; }
    bool IsConnecting() override { return false; }
    void AbortConnect() override {}
    bool IsConnected() override { return true; }
    bool WaitForConnected(int) override { return true; }
    bool WriteRaw(const QByteArray &data, bool bAddCRLF) override
    {
        written.append(bAddCRLF ? data + "\r\n" : data);
        StartTimeOutChecker(m_checkerInterval);
        return true;
    }
    void feed(const QList<QByteArray> &chunks)
    {
        for (const QByteArray &c : chunks)
            OnReceiveData(c);
    }
    QList<QByteArray> written;
};

// A device on a free port of 127.0.0.1 and a link to it.
struct Rig
{
    SimDevice dev { QStringLiteral("HE200-00A5C0000001") };
    std::unique_ptr<TestLink> link;

    explicit Rig(const QString &prefix = QStringLiteral("gb"), const QString &index = QStringLiteral("1"))
    {
        if (dev.listen())
            link.reset(new TestLink(prefix, index, QStringLiteral("127.0.0.1"), dev.port()));
    }

    // Connects and logs in; the first prompt reports the empty queue.
    bool login()
    {
        if (!link)
            return false;
        QSignalSpy done(link.get(), &CBaseComm::OnSendQueueReturn);
        return link->OpenComm() && done.wait(5000) && done.count() == 1
            && done.first().first().value<E_CommResult>() == E_CR_SUCCESS;
    }

    // Queues through `push` and waits for the queue result.
    bool run(const std::function<bool()> &push)
    {
        QSignalSpy done(link.get(), &CBaseComm::OnSendQueueReturn);
        return push() && done.wait(5000);
    }
};

QList<E_CommResult> results(const QSignalSpy &spy)
{
    QList<E_CommResult> list;
    for (const QList<QVariant> &args : spy)
        list.append(args.first().value<E_CommResult>());
    return list;
}

bool waitFor(const std::function<bool()> &cond, int msecs = 5000)
{
    return QTest::qWaitFor(cond, msecs);
}

// A login and a read-back replayed on a fresh link, each reply cut into
// reads of `piece` bytes (0: whole), Telnet option bytes before, after or
// between the reads when given: what the link reported and wrote, in order.
QStringList replayReadBack(int piece, const QByteArray &option)
{
    const QByteArray edid = SimDevice(QStringLiteral("HE200-00A5C0000001")).file("monitor_info");
    const QList<QPair<QByteArray, QByteArray>> commands = {
        { "gbparam g 1 name", "\"name\" not defined\r\n" },
        { "gbparam g 1 multicast_ip", "225.0.0.1\r\n" },
        { "cat /etc/version", "Linux 4.9.37\r\nBuild 20240101\r\nA7.1.0\r\n" },
        { "gbget fvo VGA", "1024x768p60\r\n" },
        { "gbconfig --show --max-enc-res", "1920x1080\r\n" },
        { "ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'", "255.255.0.0\r\n" },
        { "cat /var/tmpfs/monitor_info", edid + "\r\n" },
        { "cat /var/tmpfs/streamip", "video IP address: 225.0.1.2\r\naudio IP address: 225.0.1.3\r\n" },
    };
    MemLink link;
    QStringList events;
    const auto value = [&](const QByteArray &n, const QByteArray &v, E_CommResult r) {
        events << QString("%1=%2 %3").arg(QString(n), QString(v)).arg(r);
    };
    QObject::connect(&link, &CBaseComm::OnReadParam, value);
    QObject::connect(&link, &CBaseComm::OnReadOption, value);
    QObject::connect(&link, &CBaseComm::OnReadConfig, value);
    for (auto signal : { &CBaseComm::OnGetDevVersion, &CBaseComm::OnGetDueMasknet, &CBaseComm::OnGetStreamIP })
        QObject::connect(&link, signal, [&](const QByteArray &reply) { events << QString(reply); });
    QObject::connect(&link, &CBaseComm::OnSendQueueReturn, [&](E_CommResult r) { events << QString("queue %1").arg(r); });

    QList<QByteArray> replies = { "login: ", "root\r\n/ # " };
    for (const auto &c : commands) {
        link.PushSendData(c.first, true);
        replies << c.first + "\r\n" + c.second + "/ # ";
    }
    for (const QByteArray &reply : replies) {
        const int step = piece > 0 ? piece : reply.size();
        for (int at = 0; at < reply.size(); at += step) {
            const QByteArray chunk = reply.mid(at, step);
            const int n = at / step % 3;
            link.feed(option.isEmpty() ? QList<QByteArray> { chunk }
                                       : n == 0 ? QList<QByteArray> { chunk, option }
                                                : QList<QByteArray> { n == 1 ? option + chunk : chunk + option });
        }
    }
    for (const QByteArray &line : qAsConst(link.written))
        events << "wrote " + line;
    return events;
}

} // namespace

class TestLinkComm : public QObject
{
    Q_OBJECT

private slots:
    void negotiation_data();
    void negotiation();
    void lineQueuedBeforeLogin();
    void lineWaitsForPrompt();
    void pushWithoutData();
    void lineQueuedByListenerGoesOnce();
    void incorrectPassword();
    void replyTimeOut_data();
    void replyTimeOut();
    void replyTimeOutFromLastWrite_data();
    void replyTimeOutFromLastWrite();
    void lineLargerThanSocketBuffer();
    void unfinishedLineLimit_data();
    void unfinishedLineLimit();
    void readParam_data();
    void readParam();
    void readOption_data();
    void readOption();
    void readConfig_data();
    void readConfig();
    void setThenGet();
    void shellReplies_data();
    void shellReplies();
    void edidAndSinkInfo_data();
    void edidAndSinkInfo();
    void sinkInfoMalformed();
    void nodeList();
    void exitStatus();
    void builders_data();
    void builders();
    void readParamBadMode();
    void disconnectWithEmptyQueue();
    void dropWithLinesQueued();
    void refusedConnection_data();
    void refusedConnection();
    void nestedLoopServesLinks();
    void reboot_data();
    void reboot();
    void loginPrompts_data();
    void loginPrompts();
    void loginAnsweredOnce_data();
    void loginAnsweredOnce();
    void controllerReplies_data();
    void controllerReplies();
    void controllerVersionListener();
    void controllerVersionCutEndsItsLine();
    void controllerClosesAfterLastLine_data();
    void controllerClosesAfterLastLine();
    void pendingReplyAnsweredOnce();
    void sameLineQueuedAfterDrop();
    void cutOffReadAfterReconnect();
    void replyInPieces_data();
    void replyInPieces();
};

void TestLinkComm::negotiation_data()
{
    QTest::addColumn<QList<int>>("patterns");
    QTest::addColumn<bool>("oneWrite");
    QTest::addColumn<bool>("loginWith");
    QTest::addColumn<QByteArray>("answersHex");

    QTest::newRow("1") << QList<int> { 1 } << false << false << QByteArray("fffc18fffc20fffc23fffc27");
    QTest::newRow("2") << QList<int> { 2 } << false << false << QByteArray("fffd03fffd01fffc1ffffe05fffc21");
    QTest::newRow("3") << QList<int> { 3 } << false << false << QByteArray("fffc18fffc20fffc23fffc27fffc24");
    QTest::newRow("4") << QList<int> { 4 } << false << false
                       << QByteArray("fffd03fffd01fffc22fffc1ffffe05fffc21");
    QTest::newRow("5 gets nothing") << QList<int> { 5 } << false << false << QByteArray();
    QTest::newRow("6") << QList<int> { 6 } << false << false << QByteArray("fffd01fffc06fffc00");
    QTest::newRow("2 then 1 in two reads")
        << QList<int> { 2, 1 } << false << false
        << QByteArray("fffd03fffd01fffc1ffffe05fffc21fffc18fffc20fffc23fffc27");
    QTest::newRow("2 and 1 in one read") << QList<int> { 2, 1 } << true << false << QByteArray();
    QTest::newRow("login with the offer") << QList<int> { 1 } << false << true << QByteArray();
    QTest::newRow("no offer") << QList<int>() << false << false << QByteArray();
}

void TestLinkComm::negotiation()
{
    QFETCH(QList<int>, patterns);
    QFETCH(bool, oneWrite);
    QFETCH(bool, loginWith);
    QFETCH(QByteArray, answersHex);

    Rig rig;
    rig.dev.setNegotiation(patterns);
    rig.dev.setNegotiationInOneWrite(oneWrite);
    rig.dev.setLoginWithNegotiation(loginWith);
    QVERIFY(rig.login());
    QCOMPARE(rig.dev.receivedNegotiation().toHex(), answersHex);
    QCOMPARE(rig.dev.receivedLines(), QList<QByteArray> { "root" });
}

void TestLinkComm::lineQueuedBeforeLogin()
{
    Rig rig;
    rig.dev.setParam("name", "Studio");
    QStringList events;
    connect(rig.link.get(), &CBaseComm::OnReadParam, this,
            [&](const QByteArray &n, const QByteArray &v, E_CommResult r) {
                events << QString("read %1=%2 %3").arg(QString(n), QString(v)).arg(r);
            });
    connect(rig.link.get(), &CBaseComm::OnSendQueueReturn, this,
            [&](E_CommResult r) { events << QString("queue %1").arg(r); });

    QVERIFY(rig.link->ReadParam("name", 1));
    QCOMPARE(rig.dev.receivedLines(), QList<QByteArray>());
    QVERIFY(rig.link->OpenComm());
    QVERIFY(waitFor([&] { return !events.isEmpty(); }));
    QTest::qWait(200);

    QCOMPARE(events, QStringList({ "read name=Studio 0", "queue 0" }));
    QCOMPARE(rig.dev.receivedLines(), QList<QByteArray>({ "root", "gbparam g 1 name" }));
    QVERIFY(rig.link->queue().isEmpty());
}

void TestLinkComm::lineWaitsForPrompt()
{
    Rig rig;
    QVERIFY(rig.login());
    rig.dev.setStallReplies(true);
    QVERIFY(rig.link->SendCmd("echo one"));
    QVERIFY(rig.link->SendCmd("echo two"));
    QTest::qWait(300);
    QCOMPARE(rig.dev.receivedLines(), QList<QByteArray>({ "root", "echo one" }));
    QCOMPARE(rig.link->queue(), QList<QByteArray>({ "echo one\r\n", "echo two\r\n" }));
}

void TestLinkComm::pushWithoutData()
{
    TestLink link("gb", "1", "127.0.0.1", 1);
    QVERIFY(!link.PushSendData(QByteArray(), false));
    QVERIFY(link.queue().isEmpty());
    QVERIFY(link.PushSendData(QByteArray(), true));
    QCOMPARE(link.queue(), QList<QByteArray> { "\r\n" });
}

void TestLinkComm::lineQueuedByListenerGoesOnce()
{
    // A listener that queues the next read on a value must not make the link
    // send the current line again.
    Rig rig;
    rig.dev.setParam("a", "1");
    rig.dev.setParam("b", "2");
    QVERIFY(rig.login());
    connect(rig.link.get(), &CBaseComm::OnReadParam, this, [&](const QByteArray &name) {
        if (name == "a")
            rig.link->ReadParam("b", 1);
    });
    QSignalSpy values(rig.link.get(), &CBaseComm::OnReadParam);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    QVERIFY(rig.link->ReadParam("a", 1));
    QVERIFY(done.wait(5000));
    QTest::qWait(200);

    QCOMPARE(rig.dev.receivedLines(), QList<QByteArray>({ "root", "gbparam g 1 a", "gbparam g 1 b" }));
    QCOMPARE(values.count(), 2);
    QCOMPARE(values.at(1).at(1).toByteArray(), QByteArray("2"));
    QCOMPARE(results(done), QList<E_CommResult> { E_CR_SUCCESS });
}

void TestLinkComm::incorrectPassword()
{
    Rig rig;
    rig.dev.setPassword("secret");
    rig.dev.setLoginRetryDelay(2000);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    QVERIFY(rig.link->OpenComm());
    QVERIFY(done.wait(5000));
    QTest::qWait(200);
    QCOMPARE(results(done), QList<E_CommResult> { E_CR_FAILED });
    QCOMPARE(rig.dev.receivedLines(), QList<QByteArray>({ "root", "" }));
    // Refused: closed, so the next line logs in afresh instead of waiting on
    // a session that gives no prompt.
    QVERIFY(!rig.link->IsConnected());
}

void TestLinkComm::replyTimeOut_data()
{
    QTest::addColumn<bool>("silent");
    QTest::newRow("device never greets") << true;
    QTest::newRow("command never answered") << false;
}

void TestLinkComm::replyTimeOut()
{
    QFETCH(bool, silent);
    Rig rig;
    rig.link->SetCheckerInterval(400);
    if (silent) {
        rig.dev.setSilent(true);
        QVERIFY(rig.link->SendCmd("echo x"));
        QVERIFY(rig.link->OpenComm());
    } else {
        QVERIFY(rig.login());
        rig.dev.setStallReplies(true);
    }
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    QSignalSpy gone(rig.link.get(), &CBaseComm::OnDisconnected);
    if (!silent)
        QVERIFY(rig.link->SendCmd("echo x"));

    QVERIFY(done.wait(3000));
    QTest::qWait(1000);
    QCOMPARE(results(done), QList<E_CommResult> { E_CR_TIMEOUT });
    QCOMPARE(gone.count(), 0); // its own close is no news to the owner
    QVERIFY(!rig.link->IsConnected());
    QCOMPARE(rig.link->queue(), QList<QByteArray> { "echo x\r\n" });
}

void TestLinkComm::replyTimeOutFromLastWrite_data()
{
    QTest::addColumn<bool>("stall");
    QTest::newRow("answered line never times out later") << false;
    QTest::newRow("stalled line times out a whole interval after its write") << true;
}

void TestLinkComm::replyTimeOutFromLastWrite()
{
    // The reply checker's timer is still due from the login when the line is
    // written: it must neither fire for a line already answered nor cut the
    // interval of a line that is not.
    QFETCH(bool, stall);
    const int interval = 400;
    Rig rig;
    rig.link->SetCheckerInterval(interval);
    QVERIFY(rig.login());
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    QTest::qWait(interval / 3);
    rig.dev.setStallReplies(stall);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(rig.link->SendCmd("echo x"));

    if (!stall) {
        QTest::qWait(2 * interval);
        QCOMPARE(results(done), QList<E_CommResult> { E_CR_SUCCESS });
        QVERIFY(rig.link->IsConnected());
        return;
    }
    QVERIFY(done.wait(3000));
    QVERIFY2(clock.elapsed() >= interval - 10, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(results(done), QList<E_CommResult> { E_CR_TIMEOUT });
}

void TestLinkComm::lineLargerThanSocketBuffer()
{
    // The system takes part of such a line at once; the rest must follow
    // without the write waiting for a device that reads on this same thread.
    Rig rig;
    QVERIFY(rig.login());
    rig.dev.setStallReplies(true);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    const QByteArray line(8 * 1024 * 1024, 'a');
    QVERIFY(rig.link->SendCmd(QString::fromLatin1(line)));
    QVERIFY(waitFor([&] { return rig.dev.receivedLines().size() == 2; }, 10000));
    QVERIFY(rig.dev.receivedLines().last() == line);
    QCOMPARE(done.count(), 0);
}

void TestLinkComm::unfinishedLineLimit_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("kept");
    QTest::newRow("1023 kept") << 1023 << true;
    QTest::newRow("1024 dropped") << 1024 << false;
}

void TestLinkComm::unfinishedLineLimit()
{
    QFETCH(int, length);
    QFETCH(bool, kept);
    Rig rig;
    QVERIFY(rig.login());
    QSignalSpy chunks(rig.link.get(), &CBaseComm::OnRecvData);

    // End the prompt line first, so the buffer holds nothing but the test line.
    rig.dev.sendRaw("\r\n");
    QVERIFY(chunks.wait(2000));
    const QByteArray line(length, 'a');
    if (!kept)
        QTest::ignoreMessage(QtWarningMsg, "Recv line length(1024) too long. \n");
    rig.dev.sendRaw(line);
    QVERIFY(waitFor([&] { return chunks.last().first().toByteArray().size() == length; }));
    QTest::qWait(50);
    rig.dev.sendRaw("\r\n");
    QVERIFY(waitFor([&] { return chunks.last().first().toByteArray().endsWith("\r\n"); }));
    QCOMPARE(chunks.last().first().toByteArray(), kept ? line + "\r\n" : QByteArray("\r\n"));
}

void TestLinkComm::readParam_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("result");

    QTest::newRow("value") << "1" << "hdcp-enable" << QByteArray("y") << 0;
    QTest::newRow("empty host index") << "" << "hdcp-enable" << QByteArray("y") << 0;
    QTest::newRow("value on the prompt line") << "1" << "inline" << QByteArray("1") << 0;
    QTest::newRow("unknown name") << "1" << "nosuch" << QByteArray() << 1;
    QTest::newRow("empty value") << "1" << "scene" << QByteArray() << 0;
    QTest::newRow("value with blanks") << "1" << "title" << QByteArray("Lobby left") << 0;
}

void TestLinkComm::readParam()
{
    QFETCH(QString, index);
    QFETCH(QString, name);
    QFETCH(QByteArray, value);
    QFETCH(int, result);

    Rig rig("gb", index);
    rig.dev.setParam("hdcp-enable", "y");
    rig.dev.setParam("scene", "");
    rig.dev.setParam("title", "Lobby left");
    rig.dev.addCommandHandler([](SimDevice &, SimCommand &cmd) {
        if (!cmd.line.endsWith(" inline"))
            return false;
        cmd.output = "1"; // the prompt follows on the same line
        return true;
    });
    QVERIFY(rig.login());
    QSignalSpy reads(rig.link.get(), &CBaseComm::OnReadParam);
    QVERIFY(rig.run([&] { return rig.link->ReadParam(name, 1); }));

    QCOMPARE(reads.count(), 1);
    QCOMPARE(reads.first().at(0).toByteArray(), name.toUtf8());
    QCOMPARE(reads.first().at(1).toByteArray(), value);
    QCOMPARE(int(reads.first().at(2).value<E_CommResult>()), result);
}

void TestLinkComm::readOption_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("result");

    QTest::newRow("vi") << "gb" << "vi" << "" << QByteArray("vi") << QByteArray("hdmi:1:1920x1080p60") << 0;
    QTest::newRow("fvo") << "gb" << "fvo" << "" << QByteArray("fvo") << QByteArray(".1920x1080p60") << 0;
    QTest::newRow("fvo VGA") << "gb" << "fvo" << "VGA" << QByteArray("fvo VGA") << QByteArray("VGA.1024x768p60")
                             << 0;
    QTest::newRow("fvo CVBS") << "gb" << "fvo" << "CVBS" << QByteArray("fvo CVBS") << QByteArray("CVBS.PAL") << 0;
    QTest::newRow("fvo DVI-D") << "gb" << "fvo" << "DVI-D" << QByteArray("fvo DVI-D")
                               << QByteArray("DVI-D.1920x1080p60") << 0;
    QTest::newRow("fvo YPbPr") << "gb" << "fvo" << "YPbPr" << QByteArray("fvo YPbPr") << QByteArray("YPbPr.1080p60")
                               << 0;
    QTest::newRow("not defined") << "gb" << "nosuch" << "" << QByteArray("nosuch") << QByteArray() << 1;
    QTest::newRow("tool not found") << "zz" << "vi" << "" << QByteArray("vi") << QByteArray() << 1;
}

void TestLinkComm::readOption()
{
    QFETCH(QString, prefix);
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, value);
    QFETCH(int, result);

    Rig rig(prefix);
    QVERIFY(rig.login());
    QSignalSpy reads(rig.link.get(), &CBaseComm::OnReadOption);
    QVERIFY(rig.run([&] { return b.isEmpty() ? rig.link->GetOption(a) : rig.link->GetValue(a, b); }));

    QCOMPARE(reads.count(), 1);
    QCOMPARE(reads.first().at(0).toByteArray(), name);
    QCOMPARE(reads.first().at(1).toByteArray(), value);
    QCOMPARE(int(reads.first().at(2).value<E_CommResult>()), result);
}

void TestLinkComm::readConfig_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("result");
    QTest::newRow("plain") << "--max-enc-res" << QByteArray("1920x1080") << 0;
    QTest::newRow("with --show") << "--show --max-enc-res" << QByteArray("1920x1080") << 0;
    QTest::newRow("unknown") << "--nosuch" << QByteArray() << 1;
}

void TestLinkComm::readConfig()
{
    QFETCH(QString, option);
    QFETCH(QByteArray, value);
    QFETCH(int, result);

    Rig rig;
    QVERIFY(rig.login());
    QSignalSpy reads(rig.link.get(), &CBaseComm::OnReadConfig);
    QVERIFY(rig.run([&] { return rig.link->ShowConfig(option); }));
    QCOMPARE(reads.count(), 1);
    QCOMPARE(reads.first().at(0).toByteArray(), option.toUtf8());
    QCOMPARE(reads.first().at(1).toByteArray(), value);
    QCOMPARE(int(reads.first().at(2).value<E_CommResult>()), result);
}

void TestLinkComm::setThenGet()
{
    Rig rig;
    QVERIFY(rig.login());
    QSignalSpy params(rig.link.get(), &CBaseComm::OnReadParam);
    QSignalSpy options(rig.link.get(), &CBaseComm::OnReadOption);
    QSignalSpy configs(rig.link.get(), &CBaseComm::OnReadConfig);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);

    rig.link->WriteParam("name", "Lobby%20TX");
    rig.link->SaveParam();
    rig.link->ReadParam("name", 1);
    rig.link->SetOption("vo", "vga", "");
    rig.link->GetOption("vo");
    rig.link->SendConfig("--low-delay y");
    rig.link->ShowLowDelay();
    QVERIFY(done.wait(5000));

    QCOMPARE(results(done), QList<E_CommResult> { E_CR_SUCCESS });
    QCOMPARE(params.count(), 1);
    QCOMPARE(params.first().at(1).toByteArray(), QByteArray("Lobby%20TX"));
    QCOMPARE(options.count(), 1);
    QCOMPARE(options.first().at(1).toByteArray(), QByteArray("vga"));
    QCOMPARE(configs.count(), 1);
    QCOMPARE(configs.first().at(0).toByteArray(), QByteArray("--low-delay"));
    QCOMPARE(configs.first().at(1).toByteArray(), QByteArray("y"));
    QCOMPARE(rig.dev.saveCount(), 1);
    QCOMPARE(rig.dev.receivedLines().size(), 8);
}

void TestLinkComm::shellReplies_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QByteArray>("output");
    QTest::addColumn<int>("chunkDelay");

    const QByteArray version = "Linux 4.9.37 (simulated)\r\nBuild 20240101\r\nA7.1.0\r\n";
    QTest::newRow("version in one read") << QByteArray("cat /etc/version")
                                         << QByteArray(SIGNAL(OnGetDevVersion(QByteArray))) << version << 0;
    QTest::newRow("version over two reads") << QByteArray("cat /etc/version")
                                            << QByteArray(SIGNAL(OnGetDevVersion(QByteArray))) << version << 80;
    QTest::newRow("stream ip") << QByteArray("cat /var/tmpfs/streamip")
                               << QByteArray(SIGNAL(OnGetStreamIP(QByteArray)))
                               << QByteArray("video IP address: 225.0.0.1\r\naudio IP address: 225.0.0.1\r\n") << 80;
    QTest::newRow("multiview") << QByteArray("multiview get") << QByteArray(SIGNAL(OnGetIPMMultiView(QByteArray)))
                               << QByteArray("multiview 2x2 \r\n") << 80;
    QTest::newRow("netmask") << QByteArray("ifconfig|grep Mask|sed -n 1p|awk -F \":\" '{print $4}'")
                             << QByteArray(SIGNAL(OnGetDueMasknet(QByteArray))) << QByteArray("255.255.0.0\r\n") << 80;
    QTest::newRow("gateway") << QByteArray("route -n | grep UG | awk '{print $2}'")
                             << QByteArray(SIGNAL(OnGetDueGeteway(QByteArray))) << QByteArray("10.88.0.1\r\n") << 0;
}

void TestLinkComm::shellReplies()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, signal);
    QFETCH(QByteArray, output);
    QFETCH(int, chunkDelay);

    Rig rig;
    rig.dev.setMultiView("2x2");
    rig.dev.setParam("gatewayip", "10.88.0.1");
    rig.dev.setReplyChunking(0, chunkDelay);
    QVERIFY(rig.login());
    QSignalSpy replies(rig.link.get(), signal.constData());
    QVERIFY(rig.run([&] { return rig.link->SendCmdLatin1(QString::fromLatin1(command)); }));
    QTest::qWait(100);

    QCOMPARE(replies.count(), 1);
    QCOMPARE(replies.first().first().toByteArray(), "/ # " + command + "\r\n" + output + "/ # ");
}

void TestLinkComm::edidAndSinkInfo_data()
{
    QTest::addColumn<QByteArray>("maker"); // EDID bytes 8 and 9
    QTest::addColumn<QByteArray>("letters");
    QTest::newRow("AAA") << QByteArray::fromHex("0421") << QByteArray("AAA");
    // Letters past 'O' need the fifth bit of each.
    QTest::newRow("ACR") << QByteArray::fromHex("0472") << QByteArray("ACR");
}

void TestLinkComm::edidAndSinkInfo()
{
    QFETCH(QByteArray, maker);
    QFETCH(QByteArray, letters);
    Rig rig;
    QByteArray edid = rig.dev.edid();
    edid.replace(8, 2, maker);
    rig.dev.setEdid(edid);
    rig.link->SetTmpfsFile("monitor_info");
    QVERIFY(rig.login());
    QSignalSpy reads(rig.link.get(), &CBaseComm::OnReadParam);
    QVERIFY(rig.run([&] { return rig.link->ReadTmpfsFile(); }));

    QCOMPARE(rig.dev.receivedLines().last(), QByteArray("cat /var/tmpfs/monitor_info"));
    // The manufacturer comes with its line, the dump with the end of the reply.
    QCOMPARE(reads.count(), 2);
    QCOMPARE(reads.at(1).at(0).toByteArray(), QByteArray("edid"));
    const QByteArray dump = reads.at(1).at(1).toByteArray();
    QVERIFY2(dump.startsWith("00 ff ff ff | ff ff ff 00 | " + maker.toHex(' ') + " 01 00 | 00 00 00 00\r\n"),
             dump.constData());
    QVERIFY(dump.endsWith("\r\n/ # "));
    QCOMPARE(reads.at(0).at(0).toByteArray(), QByteArray("sinkinfo"));
    QCOMPARE(reads.at(0).at(1).toByteArray(), letters);
    QCOMPARE(reads.at(0).at(2).value<E_CommResult>(), E_CR_SUCCESS);
}

void TestLinkComm::sinkInfoMalformed()
{
    Rig rig;
    rig.dev.setFile("short", "00 ff ff ff | ff ff ff 00 | 04 21 01 | 00");
    rig.link->SetTmpfsFile("short");
    QVERIFY(rig.login());
    QSignalSpy reads(rig.link.get(), &CBaseComm::OnReadParam);
    QVERIFY(rig.run([&] { return rig.link->ReadTmpfsFile(); }));
    QCOMPARE(reads.count(), 2);
    QCOMPARE(reads.at(0).at(0).toByteArray(), QByteArray("sinkinfo"));
    QCOMPARE(reads.at(0).at(1).toByteArray(), QByteArray());
    QCOMPARE(reads.at(0).at(2).value<E_CommResult>(), E_CR_FAILED);
}

void TestLinkComm::nodeList()
{
    Rig rig;
    rig.dev.addCommandHandler([](SimDevice &, SimCommand &cmd) {
        if (cmd.line != "listnodes")
            return false;
        cmd.print(QByteArray("before\tthe\tlist"));
        cmd.print(QByteArray(">>>>> nodes"));
        cmd.print(QByteArray("10.88.1.1\tHE200-00A5C0000001\tonline"));
        cmd.print(QByteArray("10.88.1.2\tHD200-00A5C0000002"));
        cmd.print(QByteArray("short"));
        cmd.print(QByteArray("10.88.1.3\tHD200-00A5C0000003\t"));
        cmd.print(QByteArray("<<<<< end"));
        cmd.print(QByteArray("after\tthe\tlist"));
        return true;
    });
    QVERIFY(rig.login());
    QSignalSpy nodes(rig.link.get(), &CBaseComm::OnListDevice);
    QSignalSpy ends(rig.link.get(), &CBaseComm::OnNodelistEnd);
    QVERIFY(rig.run([&] { return rig.link->SendCmd("listnodes"); }));

    QCOMPARE(nodes.count(), 2);
    QCOMPARE(nodes.at(0), QList<QVariant>({ QByteArray("10.88.1.1"), QByteArray("HE200-00A5C0000001"),
                                            QByteArray("online") }));
    QCOMPARE(nodes.at(1).at(2).toByteArray(), QByteArray());
    QCOMPARE(ends.count(), 1);
}

void TestLinkComm::exitStatus()
{
    Rig rig;
    QVERIFY(rig.login());
    QSignalSpy status(rig.link.get(), &CBaseComm::OnExecResult);
    QVERIFY(rig.run([&] { return rig.link->SendCmd("gbparam s 1 scene x; echo $?"); }));
    QVERIFY(rig.run([&] { return rig.link->SendCmd("nosuch > /dev/null 2>&1; echo $?"); }));

    QCOMPARE(status.count(), 2);
    QCOMPARE(status.at(0).at(0).toByteArray(), QByteArray("gbparam s 1 scene x; echo $?\r\n"));
    QCOMPARE(status.at(0).at(1).toByteArray(), QByteArray("0"));
    QCOMPARE(status.at(1).at(1).toByteArray(), QByteArray("127"));
    QCOMPARE(rig.dev.param("scene"), QString("x"));
}

void TestLinkComm::builders_data()
{
    QTest::addColumn<QString>("index");
    QTest::addColumn<int>("op");
    QTest::addColumn<QByteArray>("line");

    enum { Read0, Read1, Write, Cmd, Save, Event, OsdOn, OsdOff, Value, Option, Latin1, Set, Show, Config, Vi,
           Tmpfs, StreamIp, LowDelay, Mv, MvAudio };
    QTest::newRow("ReadParam r") << "2" << int(Read0) << QByteArray("gbparam r 2 name");
    QTest::newRow("ReadParam g") << "2" << int(Read1) << QByteArray("gbparam g 2 name");
    QTest::newRow("ReadParam g, no index") << "" << int(Read1) << QByteArray("gbparam g  name");
    QTest::newRow("WriteParam") << "2" << int(Write) << QByteArray("gbparam s 2 N V%2 \xc3\xa9");
    QTest::newRow("SendCmd") << "2" << int(Cmd) << QByteArray("echo %1 \xc3\xa9");
    QTest::newRow("SaveParam") << "2" << int(Save) << QByteArray("gbparam save 2");
    QTest::newRow("SaveParam, no index") << "" << int(Save) << QByteArray("gbparam save ");
    QTest::newRow("SendEvent") << "2" << int(Event) << QByteArray("e 2 e_stop_link");
    QTest::newRow("SendOsd on") << "2" << int(OsdOn) << QByteArray("osd_on.sh 2 Hall %2");
    QTest::newRow("SendOsd off") << "2" << int(OsdOff) << QByteArray("osd_off.sh 2 0");
    QTest::newRow("GetValue") << "2" << int(Value) << QByteArray("gbget fvo VGA");
    QTest::newRow("GetOption") << "2" << int(Option) << QByteArray("gbget vi");
    QTest::newRow("SendCmdLatin1") << "2" << int(Latin1) << QByteArray("echo \xe9");
    QTest::newRow("SetOption") << "2" << int(Set) << QByteArray("gbset -vi EXTRA VALUE");
    QTest::newRow("ShowConfig") << "2" << int(Show) << QByteArray("gbconfig --show --hdcp-enable");
    QTest::newRow("SendConfig") << "2" << int(Config) << QByteArray("gbconfig --low-delay y");
    QTest::newRow("SetVideoInput") << "2" << int(Vi) << QByteArray("gbset -vi 2 hdmi");
    QTest::newRow("ReadTmpfsFile") << "2" << int(Tmpfs) << QByteArray("cat /var/tmpfs/monitor_info");
    QTest::newRow("ReadStreamIP") << "2" << int(StreamIp) << QByteArray("cat /var/tmpfs/streamip");
    QTest::newRow("ShowLowDelay") << "2" << int(LowDelay) << QByteArray("gbconfig --show --low-delay");
    QTest::newRow("SetMultiView") << "2" << int(Mv) << QByteArray("multiview set 1:%2:3");
    QTest::newRow("SetMultiViewAudioSeparate") << "2" << int(MvAudio)
                                               << QByteArray("multiview set audio separate on");
}

void TestLinkComm::builders()
{
    QFETCH(QString, index);
    QFETCH(int, op);
    QFETCH(QByteArray, line);

    Rig rig("gb", index);
    rig.link->SetTmpfsFile("monitor_info");
    QVERIFY(rig.login());
    QSignalSpy sent(rig.link.get(), &CBaseComm::OnSendData);
    const QString e = QString::fromUtf8("\xc3\xa9");
    const std::function<bool()> builders[] = {
        [&] { return rig.link->ReadParam("name", 0); },
        [&] { return rig.link->ReadParam("name", 1); },
        [&] { return rig.link->WriteParam("N", "V%2 " + e); },
        [&] { return rig.link->SendCmd("echo %1 " + e); },
        [&] { return rig.link->SaveParam(); },
        [&] { return rig.link->SendEvent("e_stop_link"); },
        [&] { return rig.link->SendOsd(true, "Hall %2"); },
        [&] { return rig.link->SendOsd(false, "Hall"); },
        [&] { return rig.link->GetValue("fvo", "VGA"); },
        [&] { return rig.link->GetOption("vi"); },
        [&] { return rig.link->SendCmdLatin1("echo " + e); },
        [&] { return rig.link->SetOption("vi", "VALUE", "EXTRA"); },
        [&] { return rig.link->ShowConfig("--hdcp-enable"); },
        [&] { return rig.link->SendConfig("--low-delay y"); },
        [&] { return rig.link->SetVideoInput("hdmi"); },
        [&] { return rig.link->ReadTmpfsFile(); },
        [&] { return rig.link->ReadStreamIP(); },
        [&] { return rig.link->ShowLowDelay(); },
        [&] { return rig.link->SetMultiView("1:%2:3"); },
        [&] { return rig.link->SetMultiViewAudioSeparate("on"); },
    };
    QVERIFY(rig.run(builders[op]));

    QCOMPARE(rig.dev.receivedLines().last(), line);
    QCOMPARE(sent.first().first().toByteArray(), line + "\r\n");
}

void TestLinkComm::readParamBadMode()
{
    TestLink link("gb", "1", "127.0.0.1", 1);
    QVERIFY(!link.ReadParam("name", 2));
    QVERIFY(link.queue().isEmpty());
}

void TestLinkComm::disconnectWithEmptyQueue()
{
    Rig rig;
    QVERIFY(rig.login());
    QSignalSpy gone(rig.link.get(), &CBaseComm::OnDisconnected);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    rig.dev.dropConnections();
    QVERIFY(gone.wait(3000));
    QTest::qWait(200);
    QCOMPARE(gone.count(), 1);
    QCOMPARE(done.count(), 0);
}

void TestLinkComm::dropWithLinesQueued()
{
    Rig rig;
    QVERIFY(rig.login());
    rig.dev.setDropAfterCommands(1);
    QSignalSpy gone(rig.link.get(), &CBaseComm::OnDisconnected);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    rig.link->SendCmd("echo 1");
    rig.link->SendCmd("echo 2");
    rig.link->SendCmd("echo 3");
    QVERIFY(done.wait(3000));
    QTest::qWait(300);

    QCOMPARE(results(done), QList<E_CommResult> { E_CR_FAILED });
    QCOMPARE(gone.count(), 1);
    QCOMPARE(rig.dev.receivedLines(), QList<QByteArray>({ "root", "echo 1", "echo 2" }));
    QCOMPARE(rig.link->queue(), QList<QByteArray>({ "echo 2\r\n", "echo 3\r\n" }));
}

void TestLinkComm::refusedConnection_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<int>("disconnects");
    QTest::newRow("not listening") << false << 0;
    QTest::newRow("closed on accept") << true << 1;
}

void TestLinkComm::refusedConnection()
{
    QFETCH(bool, listening);
    QFETCH(int, disconnects);
    Rig rig;
    if (listening)
        rig.dev.setCloseOnAccept(true);
    else
        rig.dev.setRefuseConnections(true);
    QSignalSpy gone(rig.link.get(), &CBaseComm::OnDisconnected);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    rig.link->SendCmd("echo 1");
    QVERIFY(rig.link->OpenComm());
    QVERIFY(done.wait(3000));
    QTest::qWait(300);
    QCOMPARE(results(done), QList<E_CommResult> { E_CR_FAILED });
    QCOMPARE(gone.count(), disconnects);
    QVERIFY(!rig.link->IsConnected());
}

void TestLinkComm::nestedLoopServesLinks()
{
    // A listener that runs a nested event loop from inside a link's reply (as
    // a modal message box does) has the other links and the timers served
    // meanwhile; what its own link received meanwhile is taken once it
    // returns, though nothing more comes.
    Rig outer;
    Rig inner;
    QVERIFY(outer.login());
    QVERIFY(inner.login());
    QSignalSpy chunks(outer.link.get(), &CBaseComm::OnRecvData);
    QStringList events;
    connect(outer.link.get(), &CBaseComm::OnSendQueueReturn, this, [&](E_CommResult r) {
        events << QString("outer %1").arg(r);
        QEventLoop loop;
        QStringList seen;
        const auto note = [&](const QString &event) {
            seen << event;
            if (seen.size() == 2)
                loop.quit();
        };
        connect(inner.link.get(), &CBaseComm::OnSendQueueReturn, &loop,
                [&](E_CommResult r2) { note(QString("inner %1").arg(r2)); });
        QTimer::singleShot(1, &loop, [&] { note("timer"); });
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        outer.dev.sendRaw("late\r\n");
        inner.link->SendCmd("echo inner");
        loop.exec();
        seen.sort();
        events << seen;
    });
    QVERIFY(outer.link->SendCmd("echo outer"));
    QTRY_VERIFY_WITH_TIMEOUT(!chunks.isEmpty() && chunks.last().first().toByteArray().contains("late"), 10000);
    QCOMPARE(events, QStringList({ "outer 0", "inner 0", "timer" }));
}

void TestLinkComm::reboot_data()
{
    QTest::addColumn<int>("chunkBytes");
    QTest::addColumn<int>("chunkDelay");
    QTest::addColumn<bool>("lineAfter");
    QTest::addColumn<QList<E_CommResult>>("expected");

    QTest::newRow("echo and output in one read") << 0 << 0 << false << QList<E_CommResult> { E_CR_SUCCESS };
    QTest::newRow("echo alone, output in pieces") << 8 << 40 << false << QList<E_CommResult> { E_CR_SUCCESS };
    QTest::newRow("next line sent after the echo")
        << 8 << 40 << true << QList<E_CommResult> { E_CR_FAILED };
}

void TestLinkComm::reboot()
{
    QFETCH(int, chunkBytes);
    QFETCH(int, chunkDelay);
    QFETCH(bool, lineAfter);
    QFETCH(QList<E_CommResult>, expected);

    Rig rig;
    rig.dev.setReplyChunking(chunkBytes, chunkDelay);
    QVERIFY(rig.login());
    QSignalSpy gone(rig.link.get(), &CBaseComm::OnDisconnected);
    QSignalSpy done(rig.link.get(), &CBaseComm::OnSendQueueReturn);
    rig.link->SendCmd("reboot");
    if (lineAfter)
        rig.link->SendCmd("echo after");
    QVERIFY(gone.wait(3000));
    QTest::qWait(200);

    QCOMPARE(results(done), expected);
    QList<QByteArray> lines { "root", "reboot" };
    if (lineAfter)
        lines << "echo after";
    QCOMPARE(rig.dev.receivedLines(), lines);
}

void TestLinkComm::loginPrompts_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QList<QByteArray>>("answers");
    QTest::addColumn<QList<E_CommResult>>("results");

    const QList<E_CommResult> none;
    QTest::newRow("login") << QByteArray("\r\nHE200 login: ") << QList<QByteArray> { "root\r\n" } << none;
    QTest::newRow("LOGIN, any case") << QByteArray("LOGIN: ") << QList<QByteArray> { "root\r\n" } << none;
    QTest::newRow("password") << QByteArray("Password: ") << QList<QByteArray> { "\r\n" } << none;
    QTest::newRow("ubuntu shell") << QByteArray("ubuntu@box:~$ ") << QList<QByteArray> { "sudo su\r\n" } << none;
    QTest::newRow("ubuntu not first") << QByteArray("x ubuntu@box:~$ ") << QList<QByteArray>() << none;
    QTest::newRow("sudo password") << QByteArray("[sudo] password for ubuntu: ") << QList<QByteArray> { "\r\n" }
                                   << none;
    QTest::newRow("sudo password, other user")
        << QByteArray("[sudo] password for admin: ") << QList<QByteArray>() << none;
    QTest::newRow("refused") << QByteArray("\r\nLogin incorrect password") << QList<QByteArray>()
                             << QList<E_CommResult> { E_CR_FAILED };
    QTest::newRow("first prompt, empty queue") << QByteArray("\r\n/ # ") << QList<QByteArray>()
                                               << QList<E_CommResult> { E_CR_SUCCESS };
    QTest::newRow("other root prompt") << QByteArray("root@box:/home/ubuntu# ") << QList<QByteArray>()
                                       << QList<E_CommResult> { E_CR_SUCCESS };
}

void TestLinkComm::loginPrompts()
{
    QFETCH(QByteArray, text);
    QFETCH(QList<QByteArray>, answers);
    QFETCH(QList<E_CommResult>, results);

    MemLink link;
    QSignalSpy done(&link, &CBaseComm::OnSendQueueReturn);
    link.feed({ text });
    QCOMPARE(link.written, answers);
    QCOMPARE(::results(done), results);
}

void TestLinkComm::loginAnsweredOnce_data()
{
    QTest::addColumn<QByteArray>("prompt");
    QTest::addColumn<QByteArray>("again");
    QTest::addColumn<QByteArray>("answer");
    QTest::newRow("login prompt grown by a later read") << QByteArray("login: ") << QByteArray("login: ")
                                                        << QByteArray("root\r\n");
    QTest::newRow("user shell prompt after a line") << QByteArray("ubuntu@box:~$ ")
                                                    << QByteArray("ls\r\nfile\r\nubuntu@box:~$ ")
                                                    << QByteArray("sudo su\r\n");
}

void TestLinkComm::loginAnsweredOnce()
{
    QFETCH(QByteArray, prompt);
    QFETCH(QByteArray, again);
    QFETCH(QByteArray, answer);

    // Answered twice, the second answer would be typed into the next prompt;
    // a new session is asked afresh.
    MemLink link;
    link.feed({ prompt });
    link.feed({ again });
    QCOMPARE(link.written, QList<QByteArray>({ answer }));
    link.CloseComm();
    link.feed({ prompt });
    QCOMPARE(link.written, QList<QByteArray>({ answer, answer }));
}

void TestLinkComm::controllerReplies_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<int>("piece");
    QTest::addColumn<bool>("promptless");
    QTest::addColumn<QStringList>("expected");
    const QStringList all = { "ip ipsetting is:ip4addr 10.88.1.9 netmask 255.255.0.0 gateway 10.88.0.1",
                              "ip2 ipsetting2 is:ip4addr 192.168.10.5 netmask 255.255.255.0 gateway 192.168.10.1",
                              "version API version: 1.0.7\r\nSystem version: 2.3.1" };
    // The line API answers with no echo and no prompt.
    const QByteArray lineApi = "ipsetting is:ip4addr 10.88.1.9 netmask 255.255.0.0 gateway 10.88.0.1\r\n"
                               "ipsetting2 is:ip4addr 192.168.10.5 netmask 255.255.255.0 gateway 192.168.10.1\r\n"
                               "API version: 1.0.7\r\nSystem version: 2.3.1\r\n";
    QTest::newRow("line API, whole") << lineApi << 0 << true << all;
    QTest::newRow("line API, byte by byte") << lineApi << 1 << true << all;
    const QByteArray lfApi = QByteArray(lineApi).replace("\r\n", "\n");
    QTest::newRow("line API, LF alone") << lfApi << 0 << true << all;
    QTest::newRow("line API, last line unended") << lfApi.left(lfApi.size() - 1) << 0 << true << all;
    // -1: each line in two halves, the link quiet between them (a segment resent).
    QTest::newRow("line API, a pause inside each line") << lfApi.left(lfApi.size() - 1) << -1 << true << all;
    const QList<QByteArray> lines = lineApi.split('\n');
    const QByteArray prompt = "root@box:/home/ubuntu# ";
    const QByteArray shell = prompt + "config get ipsetting\r\n" + lines.at(0) + '\n' + prompt
        + "config get ipsetting2\r\n" + lines.at(1) + '\n' + prompt + "config get version\r\n" + lines.at(2)
        + '\n' + lines.at(3) + '\n' + prompt;
    QTest::newRow("root shell, each with a prompt") << shell << 0 << false << all;
    QTest::newRow("root shell, version cut by a prompt")
        << prompt + "config get version\r\n" + lines.at(2) + '\n' + prompt << 0 << false
        << QStringList({ "version API version: 1.0.7" });
}

void TestLinkComm::controllerReplies()
{
    QFETCH(QByteArray, stream);
    QFETCH(int, piece);
    QFETCH(bool, promptless);
    QFETCH(QStringList, expected);

    MemLink link;
    link.SetPromptless(promptless);
    link.SetQuietInterval(20);
    QStringList events;
    QObject::connect(&link, &CBaseComm::OnGetQN714IP, [&](const QByteArray &r) { events << "ip " + r; });
    QObject::connect(&link, &CBaseComm::OnGetQN714IP2, [&](const QByteArray &r) { events << "ip2 " + r; });
    QObject::connect(&link, &CBaseComm::OnGetQN714Version, [&](const QByteArray &r) { events << "version " + r; });
    // Written past the queue, as the owner asks; no prompt answers them on
    // the line API, so they must leave no reply time-out running there.
    for (const char *line : { "config get ipsetting", "config get ipsetting2", "config get version" })
        QVERIFY(link.SendData(line, true));
    if (piece < 0) {
        const QList<QByteArray> lines = stream.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            const QByteArray line = i + 1 < lines.size() ? lines.at(i) + '\n' : lines.at(i);
            link.feed({ line.left(line.size() / 2) });
            QTest::qWait(60);
            link.feed({ line.mid(line.size() / 2) });
        }
    }
    const int step = piece > 0 ? piece : stream.size();
    for (int at = 0; piece >= 0 && at < stream.size(); at += step)
        link.feed({ stream.mid(at, step) });

    QTRY_COMPARE(events, expected);
    QVERIFY(!link.IsTimeOutCheckerRunning());
}

void TestLinkComm::controllerVersionListener()
{
    // The owner's listener of an unended version line may run an event loop
    // that reads the next answer and queue a line: both handled once, in
    // order, and the line written.
    MemLink link;
    link.SetPromptless(true);
    link.SetQuietInterval(1);
    emit link.OnConnected();
    QStringList events;
    QObject::connect(&link, &CBaseComm::OnGetQN714IP, [&](const QByteArray &r) { events << r; });
    QObject::connect(&link, &CBaseComm::OnGetQN714Version, [&](const QByteArray &r) {
        events << r;
        if (events.size() > 1)
            return;
        link.feed({ "ipsetting is:ip4addr 10.88.1.9\nAPI version: 1.0.8\nSystem version: 2.4" });
        QVERIFY(link.PushSendData("config get ipsetting2", true));
    });
    link.feed({ "API version: 1.0.7\nSystem version: 2.3.1" });

    QTRY_COMPARE(events, QStringList({ "API version: 1.0.7\r\nSystem version: 2.3.1", "ipsetting is:ip4addr 10.88.1.9",
                                       "API version: 1.0.8\r\nSystem version: 2.4" }));
    QTRY_COMPARE(link.written, QList<QByteArray>({ "config get ipsetting2\r\n" }));
}

void TestLinkComm::controllerVersionCutEndsItsLine()
{
    // The owner closes the link on the version; still queued, the line would
    // go again in the next session.
    MemLink link;
    const QByteArray prompt = "root@box:/home/ubuntu# ";
    link.feed({ prompt });
    QVERIFY(link.PushSendData("config get version", true));
    QObject::connect(&link, &CBaseComm::OnGetQN714Version, [&] { link.CloseComm(); });
    link.feed({ "config get version\r\nAPI version: 1.0.7\r\n" + prompt });
    link.feed({ prompt });
    QCOMPARE(link.written, QList<QByteArray>({ "config get version\r\n" }));
}

void TestLinkComm::controllerClosesAfterLastLine_data()
{
    QTest::addColumn<bool>("peerCloses");
    QTest::addColumn<int>("versionCount");
    QTest::newRow("the peer's close") << true << 1;
    // The owner's abort ends the session, its unended rest with it.
    QTest::newRow("the owner's abort") << false << 0;
}

void TestLinkComm::controllerClosesAfterLastLine()
{
    QFETCH(bool, peerCloses);
    QFETCH(int, versionCount);
    // The close follows the unended last line at once, long before the link
    // would take it for quiet.
    Rig rig;
    rig.dev.setShellStyle(SimDevice::ShellStyle::LineApi);
    rig.dev.setLineApiLax(true);
    rig.dev.addCommandHandler([peerCloses](SimDevice &, SimCommand &cmd) {
        if (cmd.line != "config get version")
            return false;
        cmd.print(QByteArray("API version: 1.0.7"));
        cmd.print(QByteArray("System version: 2.3.1"));
        cmd.dropConnection = peerCloses;
        cmd.dropDelayMs = 0;
        return true;
    });
    QVERIFY(rig.link);
    rig.link->SetPromptless(true);
    rig.link->SetQuietInterval(60000);
    QSignalSpy versions(rig.link.get(), &CBaseComm::OnGetQN714Version);
    QSignalSpy received(rig.link.get(), &CBaseComm::OnRecvData);
    QVERIFY(rig.link->OpenComm());
    QTRY_VERIFY(rig.link->IsConnected());
    QVERIFY(rig.link->SendData("config get version", true));
    QTRY_VERIFY(!received.isEmpty() && received.last().first().toByteArray().endsWith("System version: 2.3.1"));
    if (!peerCloses)
        rig.link->CloseComm();
    QTRY_VERIFY(!rig.link->IsConnected());
    QCOMPARE(versions.count(), versionCount);
    if (versionCount)
        QCOMPARE(versions.first().first().toByteArray(), QByteArray("API version: 1.0.7\r\nSystem version: 2.3.1"));
}

void TestLinkComm::pendingReplyAnsweredOnce()
{
    // The echo arrives unfinished, its line end with the output: one report,
    // and nothing held over for the next command's reply.
    MemLink link;
    QSignalSpy versions(&link, &CBaseComm::OnGetDevVersion);
    link.feed({ "/ # " });
    QVERIFY(link.SendCmdLatin1("cat /etc/version"));
    link.feed({ "cat /etc/version", "\r\nA7.1.0\r\n/ # " });
    QVERIFY(link.SendCmd("gbparam g 1 name"));
    link.feed({ "gbparam g 1 name\r\nlobby\r\n/ # " });

    QCOMPARE(versions.count(), 1);
    QCOMPARE(versions.first().first().toByteArray(), QByteArray("/ # cat /etc/version\r\nA7.1.0\r\n/ # "));
    QCOMPARE(link.written, QList<QByteArray>({ "cat /etc/version\r\n", "gbparam g 1 name\r\n" }));
}

void TestLinkComm::sameLineQueuedAfterDrop()
{
    // The line under way dropped and the same text queued again before the
    // old answer came: the old prompt answers the dropped line, not the new
    // one, which is still written; its own prompt ends the queue, once.
    MemLink link;
    link.feed({ "/ # " });
    QSignalSpy done(&link, &CBaseComm::OnSendQueueReturn);
    QVERIFY(link.SendCmd("echo a"));
    link.ClearSendQueue();
    QVERIFY(link.SendCmd("echo a"));
    link.feed({ "echo a\r\na\r\n/ # " });
    link.feed({ "echo a\r\na\r\n/ # " });
    QCOMPARE(link.written, QList<QByteArray>({ "echo a\r\n", "echo a\r\n" }));
    QCOMPARE(results(done), QList<E_CommResult> { E_CR_SUCCESS });
}

void TestLinkComm::cutOffReadAfterReconnect()
{
    // A read cut off by the reply time-out is sent again after the next login;
    // until then the echo of the user name is no value of it.
    MemLink link;
    QSignalSpy options(&link, &CBaseComm::OnReadOption);
    QSignalSpy configs(&link, &CBaseComm::OnReadConfig);
    QSignalSpy done(&link, &CBaseComm::OnSendQueueReturn);
    link.feed({ "/ # " });
    QVERIFY(link.GetOption("vi"));
    QVERIFY(link.ShowConfig("--low-delay"));
    link.feed({ "gbget vi\r\n" });
    link.slotOnCheckerTimeOut();
    QCOMPARE(::results(done), QList<E_CommResult>({ E_CR_SUCCESS, E_CR_TIMEOUT }));

    link.feed({ "login: ", "root\r\n/ # " });
    QCOMPARE(options.count(), 0);
    link.feed({ "gbget vi\r\nhdmi\r\n/ # " });
    link.feed({ "gbconfig --show --low-delay\r\ny\r\n/ # " });

    QCOMPARE(options.count(), 1);
    QCOMPARE(options.first().at(0).toByteArray(), QByteArray("vi"));
    QCOMPARE(options.first().at(1).toByteArray(), QByteArray("hdmi"));
    QCOMPARE(options.first().at(2).value<E_CommResult>(), E_CR_SUCCESS);
    QCOMPARE(configs.count(), 1);
    QCOMPARE(configs.first().at(1).toByteArray(), QByteArray("y"));
    QCOMPARE(link.written, QList<QByteArray>({ "gbget vi\r\n", "root\r\n", "gbget vi\r\n",
                                               "gbconfig --show --low-delay\r\n" }));
}

void TestLinkComm::replyInPieces_data()
{
    QTest::addColumn<int>("piece");
    QTest::addColumn<QByteArray>("option");
    QTest::newRow("byte by byte") << 1 << QByteArray();
    QTest::newRow("three bytes a read") << 3 << QByteArray();
    QTest::newRow("echo offers between bytes") << 1 << QByteArray("\xff\xfb\x01");
    QTest::newRow("subnegotiation between pieces") << 2 << QByteArray("\xff\xfa\x18\x01\xff\xf0");
}

void TestLinkComm::replyInPieces()
{
    QFETCH(int, piece);
    QFETCH(QByteArray, option);

    // Ten values and queue results, the user name and eight commands.
    const QStringList whole = replayReadBack(0, QByteArray());
    QCOMPARE(whole.size(), 19);
    QCOMPARE(whole.first(), QString("name= 1"));
    QCOMPARE(replayReadBack(piece, option), whole);
}

QTEST_GUILESS_MAIN(TestLinkComm)
#include "tst_link.moc"
