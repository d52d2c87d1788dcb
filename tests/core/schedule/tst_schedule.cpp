// The schedule check: date rules, the one-minute window, the fired flag and
// the refusal while a layout is still applying. The clock is injected.
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

// No background discovery on the host's network, and no timer ticks unless a
// test asks for them: the check runs when a test calls it.
class CTestMgr : public CHOIDevMgr
{
public:
    CTestMgr()
    {
        SetOnLineTimings(-1, E_ONLINE_INTERVAL);
        SetScheduleInterval(24 * 3600 * 1000);
        SetScheduleClock([this] { return m_now; });
    }

    void CheckAt(const QDateTime& now)
    {
        m_now = now;
        slotOnCheckSchedule();
    }

    QDateTime m_now;
};

T_ScheduleInfo Schedule(int type, CHOIScene* pScene, const QTime& at, const QDate& start = QDate(),
                        const QDate& end = QDate(), quint32 weekdays = 255)
{
    T_ScheduleInfo info;
    info.type = type;
    info.scene = pScene;
    info.exec_time.hour = static_cast<quint8>(at.hour());
    info.exec_time.minute = static_cast<quint8>(at.minute());
    info.exec_time.second = static_cast<quint8>(at.second());
    if (start.isValid()) {
        info.start_date.year = static_cast<quint16>(start.year());
        info.start_date.month = static_cast<quint16>(start.month());
        info.start_date.day = static_cast<quint16>(start.day());
    }
    if (end.isValid()) {
        info.end_date.year = static_cast<quint16>(end.year());
        info.end_date.month = static_cast<quint16>(end.month());
        info.end_date.day = static_cast<quint16>(end.day());
    }
    info.weekdays = weekdays;
    return info;
}

QDateTime At(const char* text)
{
    return QDateTime::fromString(QLatin1String(text), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QStringList LogTexts(const QSignalSpy& spy)
{
    QStringList texts;
    for (const QList<QVariant>& args : spy)
        texts << args.at(0).toString().mid(22);
    return texts;
}

} // namespace

class TestSchedule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void firesOnceInItsMinute();
    void dateRules_data();
    void dateRules();
    void applyingLayoutIsRetried();
    void onlyListedLayoutsRun();
    void addSchedule();
    void deletedLayoutTakesItsSchedules();
    void timerRunsTheCheck();
};

void TestSchedule::initTestCase()
{
    RegisterHoiMetaTypes();
}

void TestSchedule::firesOnceInItsMinute()
{
    CTestMgr mgr;
    CHOIScene* pScene = mgr.CreateScene("Hall-Morning");
    T_ScheduleInfo info = Schedule(3, pScene, QTime(8, 0, 0));
    QCOMPARE(mgr.AddSchedule(&info), 0);
    QSignalSpy execSpy(&mgr, &CHOIDevMgr::OnScheduleExec);
    QSignalSpy logSpy(&mgr, &CHOIDevMgr::OnProgressLog);

    const char* const ticks[] = {"2024-05-06 07:59:59", "2024-05-06 08:00:00", "2024-05-06 08:00:01",
                                 "2024-05-06 08:00:59"};
    for (const char* tick : ticks)
        mgr.CheckAt(At(tick));
    QCOMPARE(execSpy.count(), 1);
    QCOMPARE(execSpy.at(0).at(0).value<CHOIScene*>(), pScene);
    QVERIFY(mgr.m_scheduleList.at(0)->fired);
    QCOMPARE(LogTexts(logSpy).count("Scene('Hall-Morning') execute by schedule..."), 1);

    // The first tick outside the minute clears the flag; the next day it runs again.
    mgr.CheckAt(At("2024-05-06 08:01:00"));
    QVERIFY(!mgr.m_scheduleList.at(0)->fired);
    mgr.CheckAt(At("2024-05-06 08:01:30"));
    QCOMPARE(execSpy.count(), 1);
    mgr.CheckAt(At("2024-05-07 08:00:42"));
    mgr.CheckAt(At("2024-05-07 08:00:43"));
    QCOMPARE(execSpy.count(), 2);
}

void TestSchedule::dateRules_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QDate>("start");
    QTest::addColumn<QDate>("end");
    QTest::addColumn<uint>("weekdays");
    QTest::addColumn<bool>("active");
    QTest::addColumn<QString>("now");
    QTest::addColumn<bool>("fires");

    // 2024-01-08 is a Monday.
    const QDate d1999_03_01(1999, 3, 1), d1999_03_31(1999, 3, 31);
    QTest::newRow("1: inside, years ignored") << 1 << d1999_03_01 << d1999_03_31 << 255u << true
                                              << "2024-03-15 08:00:10" << true;
    QTest::newRow("1: last day") << 1 << d1999_03_01 << d1999_03_31 << 255u << true << "2024-03-31 08:00:10"
                                 << true;
    QTest::newRow("1: after") << 1 << d1999_03_01 << d1999_03_31 << 255u << true << "2024-04-01 08:00:10"
                              << false;
    QTest::newRow("1: Nov to Feb, December") << 1 << QDate(2000, 11, 1) << QDate(2000, 2, 28) << 255u << true
                                             << "2024-12-15 08:00:10" << false;
    QTest::newRow("1: Nov to Feb, January") << 1 << QDate(2000, 11, 1) << QDate(2000, 2, 28) << 255u << true
                                            << "2024-01-15 08:00:10" << false;
    QTest::newRow("1: 29 Feb, leap year") << 1 << QDate(2000, 2, 1) << QDate(2000, 2, 29) << 255u << true
                                          << "2024-02-29 08:00:10" << true;
    QTest::newRow("1: 29 Feb, other year") << 1 << QDate(2000, 2, 1) << QDate(2000, 2, 29) << 255u << true
                                           << "2023-02-10 08:00:10" << false;
    QTest::newRow("2: mask 0") << 2 << QDate(2024, 1, 1) << QDate(2024, 12, 31) << 0u << true
                               << "2024-01-08 08:00:10" << false;
    QTest::newRow("2: Monday bit, Monday") << 2 << QDate(2024, 1, 1) << QDate(2024, 12, 31) << 1u << true
                                           << "2024-01-08 08:00:10" << true;
    QTest::newRow("2: Monday bit, Tuesday") << 2 << QDate(2024, 1, 1) << QDate(2024, 12, 31) << 1u << true
                                            << "2024-01-09 08:00:10" << false;
    QTest::newRow("2: Sunday bit, Sunday") << 2 << QDate(2024, 1, 1) << QDate(2024, 12, 31) << 64u << true
                                           << "2024-01-14 08:00:10" << true;
    QTest::newRow("2: end day included") << 2 << QDate(2024, 1, 1) << QDate(2024, 1, 8) << 255u << true
                                         << "2024-01-08 08:00:10" << true;
    QTest::newRow("2: before start") << 2 << QDate(2024, 1, 9) << QDate(2024, 1, 31) << 255u << true
                                     << "2024-01-08 08:00:10" << false;
    QTest::newRow("3: any day") << 3 << QDate() << QDate() << 0u << true << "2031-07-19 08:00:59" << true;
    QTest::newRow("3: a second early") << 3 << QDate() << QDate() << 0u << true << "2031-07-19 07:59:59" << false;
    QTest::newRow("3: a minute late") << 3 << QDate() << QDate() << 0u << true << "2031-07-19 08:01:00" << false;
    QTest::newRow("4: start date") << 4 << QDate(2024, 1, 8) << QDate(2020, 1, 1) << 0u << true
                                   << "2024-01-08 08:00:00" << true;
    QTest::newRow("4: the day after") << 4 << QDate(2024, 1, 8) << QDate(2030, 1, 1) << 255u << true
                                      << "2024-01-09 08:00:00" << false;
    QTest::newRow("not active") << 3 << QDate() << QDate() << 255u << false << "2024-01-08 08:00:10" << false;
}

void TestSchedule::dateRules()
{
    QFETCH(int, type);
    QFETCH(QDate, start);
    QFETCH(QDate, end);
    QFETCH(uint, weekdays);
    QFETCH(bool, active);
    QFETCH(QString, now);
    QFETCH(bool, fires);

    CTestMgr mgr;
    CHOIScene* pScene = mgr.CreateScene("L");
    T_ScheduleInfo info = Schedule(type, pScene, QTime(8, 0, 0), start, end, weekdays);
    info.activited = active;
    QCOMPARE(mgr.AddSchedule(&info), 0);
    QSignalSpy execSpy(&mgr, &CHOIDevMgr::OnScheduleExec);
    mgr.CheckAt(At(now.toLatin1().constData()));
    QCOMPARE(execSpy.count(), fires ? 1 : 0);
    QCOMPARE(mgr.m_scheduleList.at(0)->fired, fires);
}

void TestSchedule::applyingLayoutIsRetried()
{
    CTestMgr mgr;
    CHOIScene* pScene = mgr.CreateScene("Hall-Morning");
    T_ScheduleInfo info = Schedule(3, pScene, QTime(8, 0, 0));
    mgr.AddSchedule(&info);
    // A device the layout still waits for: the layout is applying.
    std::unique_ptr<CHOIDev> pDev(new CHOIDev(&mgr, CHOIDev::E_DT_RX, "gb", false, CHOIDev::E_CT_TELNET));
    pScene->AddPendingDev(pDev.get());
    QVERIFY(pScene->IsApplying());

    QSignalSpy execSpy(&mgr, &CHOIDevMgr::OnScheduleExec);
    QSignalSpy logSpy(&mgr, &CHOIDevMgr::OnProgressLog);
    mgr.CheckAt(At("2024-05-06 08:00:00"));
    mgr.CheckAt(At("2024-05-06 08:00:01"));
    QCOMPARE(execSpy.count(), 0);
    QCOMPARE(LogTexts(logSpy), QStringList({"Scene('Hall-Morning') is applying, failed to execute by schedule.",
                                            "Scene('Hall-Morning') is applying, failed to execute by schedule."}));
    QVERIFY(!mgr.m_scheduleList.at(0)->fired);

    // Once the apply has ended, the next tick inside the minute runs it.
    pScene->AbortApply();
    logSpy.clear();
    mgr.CheckAt(At("2024-05-06 08:00:02"));
    QCOMPARE(execSpy.count(), 1);
    QVERIFY(!LogTexts(logSpy).isEmpty());
    QCOMPARE(LogTexts(logSpy).first(), QStringLiteral("Scene('Hall-Morning') execute by schedule..."));
    // The layout is applied right after the announcement (an empty one fails at once).
    QVERIFY(LogTexts(logSpy).contains("Apply scene ..."));

    // Fired: a later tick of the same minute neither runs nor complains.
    pScene->AddPendingDev(pDev.get());
    logSpy.clear();
    mgr.CheckAt(At("2024-05-06 08:00:03"));
    QCOMPARE(execSpy.count(), 1);
    QVERIFY(logSpy.isEmpty());
    pScene->AbortApply();
}

void TestSchedule::onlyListedLayoutsRun()
{
    CTestMgr mgr;
    CHOIScene* pWall = mgr.GetOrCreateVideoWall("W");
    T_ScheduleInfo info = Schedule(3, pWall, QTime(8, 0, 0));
    QCOMPARE(mgr.AddSchedule(&info), 0);
    T_ScheduleInfo none = Schedule(3, nullptr, QTime(8, 0, 0));
    mgr.m_scheduleList.append(new T_ScheduleInfo(none)); // as the project reader may leave one
    QSignalSpy execSpy(&mgr, &CHOIDevMgr::OnScheduleExec);
    mgr.CheckAt(At("2024-05-06 08:00:05"));
    QCOMPARE(execSpy.count(), 0);
    QVERIFY(!mgr.m_scheduleList.at(0)->fired);
    QVERIFY(!mgr.m_scheduleList.at(1)->fired);
}

void TestSchedule::addSchedule()
{
    CTestMgr mgr;
    CHOIScene* pScene = mgr.CreateScene("L");
    T_ScheduleInfo info = Schedule(0, pScene, QTime(8, 0, 0));
    QCOMPARE(mgr.AddSchedule(&info), -1);
    info.type = 5;
    QCOMPARE(mgr.AddSchedule(&info), -1);
    info.type = 2;
    info.scene = nullptr;
    QCOMPARE(mgr.AddSchedule(&info), -1);
    QCOMPARE(mgr.AddSchedule(nullptr), -1);
    QVERIFY(mgr.m_scheduleList.isEmpty());

    info.scene = pScene;
    info.weekdays = 5;
    info.limit_date = true;
    QCOMPARE(mgr.AddSchedule(&info), 0);
    QCOMPARE(mgr.AddSchedule(&info), 1);
    const T_ScheduleInfo* pStored = mgr.m_scheduleList.at(1);
    QVERIFY(pStored != &info && pStored != mgr.m_scheduleList.at(0));
    QCOMPARE(pStored->type, 2);
    QCOMPARE(pStored->weekdays, 5u);
    QVERIFY(pStored->limit_date);
    QCOMPARE(pStored->scene, pScene);

    // A new record carries the project reader's defaults.
    const T_ScheduleInfo blank;
    QVERIFY(blank.activited);
    QCOMPARE(blank.weekdays, 255u);
    QVERIFY(!blank.fired && !blank.scene && blank.type == 0);
}

void TestSchedule::deletedLayoutTakesItsSchedules()
{
    CTestMgr mgr;
    CHOIScene* pA = mgr.CreateScene("A");
    CHOIScene* pB = mgr.CreateScene("B");
    CHOIScene* pWall = mgr.GetOrCreateVideoWall("W");
    for (CHOIScene* pScene : {pA, pB, pA, pWall}) {
        T_ScheduleInfo info = Schedule(3, pScene, QTime(8, 0, 0));
        mgr.AddSchedule(&info);
    }
    mgr.DeleteScene(pA);
    QCOMPARE(mgr.m_scheduleList.size(), 2);
    QCOMPARE(mgr.m_scheduleList.at(0)->scene, pB);
    QCOMPARE(mgr.m_scheduleList.at(1)->scene, pWall);

    // A removed wall takes its schedules when it goes.
    mgr.RemoveVideoWall(pWall);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(mgr.m_scheduleList.size(), 1);

    mgr.ClearAll();
    QVERIFY(mgr.m_scheduleList.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestSchedule::timerRunsTheCheck()
{
    CTestMgr mgr;
    CHOIScene* pScene = mgr.CreateScene("L");
    T_ScheduleInfo info = Schedule(3, pScene, QTime(8, 0, 0));
    mgr.AddSchedule(&info);
    mgr.m_now = At("2024-05-06 08:00:30");
    QSignalSpy execSpy(&mgr, &CHOIDevMgr::OnScheduleExec);
    mgr.SetScheduleInterval(10);
    QTRY_COMPARE(execSpy.count(), 1);
    // Further ticks inside the same minute do not run it again.
    QTest::qWait(100);
    QCOMPARE(execSpy.count(), 1);
}

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
