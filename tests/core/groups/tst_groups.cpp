// Groups and locations: the names live as text in every member, so renaming
// and removing rewrite devices, layouts and video walls.
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

#include <QCoreApplication>
#include <QFile>
#include <QtTest>

namespace {

// No background discovery on the host's network from these tests.
class CTestMgr : public CHOIDevMgr
{
public:
    CTestMgr()
    {
        SetOnLineTimings(-1, E_ONLINE_INTERVAL);
        QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/config.xml"));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write("<hoiprod><product id=\"T\" type=\"tx\"/><product id=\"R\" type=\"rx\"/></hoiprod>");
        file.close();
        LoadProdConfig();
    }

    CHOIDev* Add(const QString& hostName)
    {
        AddIpcDev(QString(), hostName, nullptr);
        return FindDevByHostName(hostName);
    }
};

QStringList GroupNames(const CHOIDevMgr& mgr)
{
    QStringList names;
    for (int i = 0; i < mgr.GetGroupCount(); ++i)
        names << mgr.GetGroupName(i);
    return names;
}

QList<uint> GroupSequences(const CHOIDevMgr& mgr)
{
    QList<uint> seqs;
    for (const T_GroupInfo* pGroup : mgr.GetGroupList())
        seqs << pGroup->sequence;
    return seqs;
}

} // namespace

class TestGroups : public QObject
{
    Q_OBJECT

private slots:
    void newManagerHasUngrouped();
    void addGroup();
    void sortGroupList_data();
    void sortGroupList();
    void setGroupSequence();
    void removeGroupMovesMembers();
    void removeUngroupedItself();
    void renameGroup();
    void locations();
    void removeLocationClearsMembers();
    void renameLocation();
    void clearAllEmptiesGroups();
};

void TestGroups::newManagerHasUngrouped()
{
    CTestMgr mgr;
    QCOMPARE(GroupNames(mgr), QStringList({"ungrouped"}));
    QCOMPARE(GroupSequences(mgr), QList<uint>({0}));
    QCOMPARE(mgr.IndexOfGroup(g_strUngrouped), 0);
}

void TestGroups::addGroup()
{
    CTestMgr mgr;
    QVERIFY(mgr.AddGroup("Hall", 3));
    QVERIFY(!mgr.AddGroup("Hall", 5));
    QVERIFY(mgr.AddGroup("hall", 4)); // names compare exactly
    QCOMPARE(GroupNames(mgr), QStringList({"ungrouped", "Hall", "hall"}));
    QCOMPARE(GroupSequences(mgr), QList<uint>({0, 3, 4}));
    QCOMPARE(mgr.IndexOfGroup("Hall"), 1);
    QCOMPARE(mgr.IndexOfGroup("Lobby"), -1);
}

void TestGroups::sortGroupList_data()
{
    QTest::addColumn<QList<uint>>("sequences");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("5 0 3") << QList<uint>({5, 0, 3}) << QStringList({"B", "C", "A"});
    QTest::newRow("already sorted") << QList<uint>({1, 2, 3}) << QStringList({"A", "B", "C"});
    QTest::newRow("gaps") << QList<uint>({30, 20, 10}) << QStringList({"C", "B", "A"});
}

void TestGroups::sortGroupList()
{
    QFETCH(QList<uint>, sequences);
    QFETCH(QStringList, order);
    CTestMgr mgr;
    QVERIFY(mgr.RemoveGroup("ungrouped"));
    const QStringList names = {"A", "B", "C"};
    for (int i = 0; i < names.size(); ++i)
        QVERIFY(mgr.AddGroup(names.at(i), sequences.at(i)));
    mgr.SortGroupList();
    QCOMPARE(GroupNames(mgr), order);
    QCOMPARE(GroupSequences(mgr), QList<uint>({1, 2, 3}));
}

void TestGroups::setGroupSequence()
{
    CTestMgr mgr;
    mgr.AddGroup("A", 1);
    mgr.AddGroup("B", 2);
    mgr.SetGroupSequence("A", 9);
    mgr.SetGroupSequence("Nobody", 0);
    QCOMPARE(GroupSequences(mgr), QList<uint>({0, 9, 2}));
    mgr.SortGroupList();
    QCOMPARE(GroupNames(mgr), QStringList({"ungrouped", "B", "A"}));
}

void TestGroups::removeGroupMovesMembers()
{
    CTestMgr mgr;
    mgr.AddGroup("Hall", 1);
    mgr.AddGroup("Lobby", 2);
    CHOIDev* pTx = mgr.Add("T-000000000001");
    CHOIDev* pRx = mgr.Add("R-000000000002");
    pTx->SetGroup("Hall");
    pRx->SetGroup("Lobby");
    CHOIScene* pScene = mgr.CreateScene("Hall-Evening");
    pScene->SetGroup("Hall");
    CHOIScene* pWall = mgr.GetOrCreateVideoWall("Hall");
    pWall->SetGroup("Hall");

    QVERIFY(!mgr.RemoveGroup("Nobody"));
    QVERIFY(mgr.RemoveGroup("Hall"));
    QCOMPARE(GroupNames(mgr), QStringList({"ungrouped", "Lobby"}));
    QCOMPARE(pTx->GetGroup(), g_strUngrouped);
    QCOMPARE(pScene->GetGroup(), g_strUngrouped);
    QCOMPARE(pWall->GetGroup(), g_strUngrouped);
    QCOMPARE(pRx->GetGroup(), QStringLiteral("Lobby"));
    QCOMPARE(pScene->GetName(), QStringLiteral("Hall-Evening"));
}

void TestGroups::removeUngroupedItself()
{
    CTestMgr mgr;
    CHOIDev* pTx = mgr.Add("T-000000000001");
    pTx->SetGroup(g_strUngrouped);
    // The name passed is the record's own, which is deleted on the way.
    QVERIFY(mgr.RemoveGroup(mgr.GetGroupList().first()->name));
    QCOMPARE(mgr.GetGroupCount(), 0);
    QCOMPARE(mgr.IndexOfGroup("ungrouped"), -1);
    QCOMPARE(pTx->GetGroup(), QStringLiteral("ungrouped"));
}

void TestGroups::renameGroup()
{
    CTestMgr mgr;
    mgr.AddGroup("Hall", 1);
    mgr.AddGroup("Lobby", 2);
    CHOIDev* pTx = mgr.Add("T-000000000001");
    CHOIDev* pRx = mgr.Add("R-000000000002");
    pTx->SetGroup("Hall");
    pRx->SetGroup("Lobby");
    CHOIScene* pScene = mgr.CreateScene("Hall-Evening");
    pScene->SetGroup("Hall");
    CHOIScene* pWall = mgr.GetOrCreateVideoWall("Hall");
    pWall->SetGroup("Hall");

    QVERIFY(!mgr.RenameGroup("Nobody", "X"));
    QVERIFY(mgr.RenameGroup("Hall", "Foyer"));
    QCOMPARE(GroupNames(mgr), QStringList({"ungrouped", "Foyer", "Lobby"}));
    QCOMPARE(pTx->GetGroup(), QStringLiteral("Foyer"));
    QCOMPARE(pScene->GetGroup(), QStringLiteral("Foyer"));
    QCOMPARE(pWall->GetGroup(), QStringLiteral("Foyer"));
    QCOMPARE(pRx->GetGroup(), QStringLiteral("Lobby"));
    // Only the group text changes, not the stored names.
    QCOMPARE(pScene->GetName(), QStringLiteral("Hall-Evening"));
    QCOMPARE(pWall->GetName(), QStringLiteral("Hall"));
}

void TestGroups::locations()
{
    CTestMgr mgr;
    QCOMPARE(mgr.GetLocationCount(), 0);
    QVERIFY(mgr.AddLocation("Hall"));
    QVERIFY(!mgr.AddLocation("Hall"));
    QVERIFY(mgr.AddLocation("Lobby"));
    QCOMPARE(mgr.IndexOfLocation("Lobby"), 1);
    QCOMPARE(mgr.IndexOfLocation("Roof"), -1);
    QCOMPARE(mgr.GetLocationName(0), QStringLiteral("Hall"));
    QVERIFY(!mgr.RemoveLocation("Roof"));
    QVERIFY(mgr.RemoveLocation("Hall")); // used by nobody
    QCOMPARE(mgr.GetLocationCount(), 1);
    QCOMPARE(mgr.GetLocationName(0), QStringLiteral("Lobby"));
}

void TestGroups::removeLocationClearsMembers()
{
    CTestMgr mgr;
    mgr.AddLocation("Hall");
    mgr.AddLocation("Lobby");
    CHOIDev* pTx = mgr.Add("T-000000000001");
    CHOIDev* pRx = mgr.Add("R-000000000002");
    pTx->SetLocation("Hall");
    pRx->SetLocation("Lobby");
    CHOIScene* pW1 = mgr.CreateScene("W-1");
    CHOIScene* pW2 = mgr.CreateScene("W-2");
    CHOIScene* pSolo = mgr.CreateScene("Solo");
    CHOIScene* pOther = mgr.CreateScene("Other");
    pW1->SetLocation("Hall"); // reaches its sibling W-2 too
    QCOMPARE(pW2->GetLocation(), QStringLiteral("Hall"));
    pSolo->SetLocation("Hall");
    pOther->SetLocation("Lobby");

    QVERIFY(mgr.RemoveLocation("Hall"));
    QCOMPARE(mgr.IndexOfLocation("Hall"), -1);
    QCOMPARE(pTx->GetLocation(), QString());
    QCOMPARE(pRx->GetLocation(), QStringLiteral("Lobby"));
    // Siblings that shared the removed name do not hand it back to each other.
    QCOMPARE(pW1->GetLocation(), QString());
    QCOMPARE(pW2->GetLocation(), QString());
    QCOMPARE(pSolo->GetLocation(), QString());
    QCOMPARE(pOther->GetLocation(), QStringLiteral("Lobby"));
    QCOMPARE(mgr.GetSceneCount(), 4);
    QCOMPARE(mgr.GetScene(0), pW1);
    QCOMPARE(mgr.GetScene(3), pOther);
}

void TestGroups::renameLocation()
{
    CTestMgr mgr;
    mgr.AddLocation("Hall");
    CHOIDev* pTx = mgr.Add("T-000000000001");
    CHOIDev* pRx = mgr.Add("R-000000000002");
    pTx->SetLocation("Hall");
    CHOIScene* pW1 = mgr.CreateScene("W-1");
    CHOIScene* pW2 = mgr.CreateScene("W-2");
    pW1->SetGridSize(1, 1);
    pW1->GetCell(0, 0)->rx = pRx;
    pW1->SetLocation("Hall");
    QCOMPARE(pRx->GetLocation(), QStringLiteral("Hall"));

    QVERIFY(!mgr.RenameLocation("Roof", "Attic"));
    QVERIFY(mgr.RenameLocation("Hall", "Foyer"));
    QCOMPARE(mgr.GetLocationName(0), QStringLiteral("Foyer"));
    QCOMPARE(pTx->GetLocation(), QStringLiteral("Foyer"));
    QCOMPARE(pRx->GetLocation(), QStringLiteral("Foyer"));
    QCOMPARE(pW1->GetLocation(), QStringLiteral("Foyer"));
    QCOMPARE(pW2->GetLocation(), QStringLiteral("Foyer"));
}

void TestGroups::clearAllEmptiesGroups()
{
    CTestMgr mgr;
    mgr.AddGroup("Hall", 1);
    mgr.AddLocation("Lobby");
    mgr.ClearAll();
    QCOMPARE(mgr.GetGroupCount(), 0);
    QCOMPARE(mgr.GetLocationCount(), 1);
    QVERIFY(mgr.AddGroup("Hall", 1));
    QCOMPARE(GroupNames(mgr), QStringList({"Hall"}));
}

QTEST_GUILESS_MAIN(TestGroups)
#include "tst_groups.moc"
