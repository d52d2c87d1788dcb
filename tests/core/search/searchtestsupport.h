#ifndef TESTS_CORE_SEARCHTESTSUPPORT_H
#define TESTS_CORE_SEARCHTESTSUPPORT_H

// What the search and on-line check tests share: simulated devices in the
// private test LAN, a manager with the sample products, and the helpers
// that read what the manager logged and the devices received.
#include "hoi_core/devicesearcher.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "simlan.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <memory>

const int kRoundMs = 100;
// The on-line checks of tests: three rounds fit in one interval.
const int kCheckMs = 400;

inline QString AppFile(const char* name)
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
}

// The texts of the log lines, without their time stamps.
inline QStringList Texts(const QSignalSpy& spy)
{
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts << args.at(0).toString().mid(22);
    return texts;
}

// The lines of the search itself, in order; the devices' own lines (connecting,
// data, values read) are left out.
inline QStringList SearchLines(const QSignalSpy& spy)
{
    static const QRegularExpression re(
        QStringLiteral("^(Search start\\.\\.\\.|\\[\\d\\]Start multicast on .*|\\[\\] found device: .*|"
                       "Device\\('.*'\\) (is|fails to be) updated\\.|All devices are updated\\.|"
                       "The search is complete\\.|Unkown Device type.*|Warning: .*)$"));
    QStringList lines;
    for (const QString& text : Texts(spy)) {
        if (re.match(text).hasMatch())
            lines << text;
    }
    return lines;
}

inline QString MulticastAddrs()
{
    QStringList addrs;
    for (const T_McastSource& src : ListMulticastSources())
        addrs << src.addr.toString();
    return addrs.join(QLatin1Char(','));
}

inline int CountLines(const QList<QByteArray>& lines, const QByteArray& line)
{
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

inline int CountPrefixed(const QList<QByteArray>& lines, const QByteArray& prefix)
{
    return static_cast<int>(
        std::count_if(lines.begin(), lines.end(), [&prefix](const QByteArray& l) { return l.startsWith(prefix); }));
}

typedef QPair<int, int> Progress;

inline QList<Progress> Progresses(const QSignalSpy& spy)
{
    QList<Progress> list;
    for (const QList<QVariant>& args : spy)
        list << Progress(args.at(0).value<E_ProgressNotify>(), args.at(1).toInt());
    return list;
}


class CSearchFixture : public QObject
{
protected:
    // The test classes' initTestCase, init and cleanup.
    void InitTestCase();
    void Init();
    void Cleanup();

    // A manager with the sample products, short discovery rounds and no
    // background check unless a test starts it.
    CHOIDevMgr* NewMgr();
    // Runs one explicit search to its end; false when it did not end in time.
    bool Search(CHOIDevMgr* pMgr, int timeoutMs, bool bRestore = true);
    // Three decoders on the LAN, listed by one search of a new manager; null
    // when that fails.
    CHOIDevMgr* ThreeDecodersFound();
    // Quiet checks whose rounds have been sent since the discovery log was
    // cleared.
    int CheckCount() const;
    // Until n more checks have sent their rounds.
    void WaitChecks(int n);

    std::unique_ptr<CSimLan> m_pLan;
    std::unique_ptr<CHOIDevMgr> m_pMgr;
};

inline void CSearchFixture::InitTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    QVERIFY(CSimLan::AvailableAddresses() >= 200);
    QFile::remove(AppFile("config.xml"));
    QVERIFY(QFile::copy(QStringLiteral(HOI_RESOURCES_DIR "/config.xml"), AppFile("config.xml")));
}

inline void CSearchFixture::Init()
{
    QFile::remove(AppFile("hdcp.xml"));
    m_pLan.reset(new CSimLan);
}

inline void CSearchFixture::Cleanup()
{
    m_pMgr.reset();
    m_pLan.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline CHOIDevMgr* CSearchFixture::NewMgr()
{
    m_pMgr.reset(new CHOIDevMgr);
    m_pMgr->SetOnLineTimings(-1, CHOIDevMgr::E_ONLINE_INTERVAL);
    m_pMgr->SetSearchRoundInterval(kRoundMs);
    if (!m_pMgr->LoadProdConfig())
        return nullptr;
    m_pMgr->LoadHdcpConfig();
    return m_pMgr.get();
}

inline bool CSearchFixture::Search(CHOIDevMgr* pMgr, int timeoutMs, bool bRestore)
{
    QSignalSpy stopSpy(pMgr, &CHOIDevMgr::OnSearchStop);
    if (!pMgr->StartSearch(bRestore))
        return false;
    // A real event loop: QTRY and qWaitFor sleep 10 ms between turns, and a
    // read-back of many lines would wait that long for every reply.
    return !stopSpy.isEmpty() || stopSpy.wait(timeoutMs);
}

inline CHOIDevMgr* CSearchFixture::ThreeDecodersFound()
{
    for (int i = 0; i < 3; ++i) {
        if (!m_pLan->AddDevice(CSimLan::HostNameFor("IPD1000", i), "RX"))
            return nullptr;
    }
    CHOIDevMgr* pMgr = m_pLan->Start() ? NewMgr() : nullptr;
    if (!pMgr || !Search(pMgr, 30000) || pMgr->GetDevCount() != 3)
        return nullptr;
    return pMgr;
}

inline int CSearchFixture::CheckCount() const
{
    return m_pLan->Discovery().Requests().size() / (CHOIDevMgr::E_SEARCH_ROUNDS * ListMulticastSources().size());
}

inline void CSearchFixture::WaitChecks(int n)
{
    const int target = CheckCount() + n;
    QTRY_VERIFY_WITH_TIMEOUT(CheckCount() >= target, 10000);
}

#endif
