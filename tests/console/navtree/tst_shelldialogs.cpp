#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

#include "dialogs/about.h"
#include "dialogs/dlggroup.h"
#include "dialogs/dlgprompt.h"
#include "dialogs/dlgwelcome.h"
#include "hoi_core/hoiconst.h"
#include "navtestenv.h"

namespace {

template <class T>
T *Child(QWidget *pParent, const char *pName)
{
    return pParent->findChild<T *>(QLatin1String(pName));
}

QStringList RowTexts(QTreeWidget *pTree, int nColumn)
{
    QStringList texts;
    for (int i = 0; i < pTree->topLevelItemCount(); ++i)
        texts << pTree->topLevelItem(i)->text(nColumn);
    return texts;
}

QCheckBox *RowBox(QTreeWidget *pTree, const QString &strText)
{
    for (int i = 0; i < pTree->topLevelItemCount(); ++i) {
        if (pTree->topLevelItem(i)->text(1) == strText)
            return qobject_cast<QCheckBox *>(pTree->itemWidget(pTree->topLevelItem(i), 0));
    }
    return nullptr;
}

void ClickRow(QTreeWidget *pTree, const QString &strText)
{
    const QList<QTreeWidgetItem *> rows = pTree->findItems(strText, Qt::MatchExactly);
    QVERIFY(!rows.isEmpty());
    emit pTree->itemClicked(rows.first(), 0);
}

QString ListXml()
{
    QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/list.xml"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace

class TestShellDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void aboutShowsTitleAndVersion();
    void welcomeStartsWithNewProject();
    void welcomeChoices();
    void welcomeOkWritesFlag();
    void tipFlag_data();
    void tipFlag();
    void groupEditorLists();
    void groupEditorClickTicksMembers();
    void groupEditorOkMovesMembers();
    void groupEditorOkKeepsMembersOnSecondOk();
    void groupEditorRenameRefusesTakenName();
    void groupEditorLocationOfWallCleared();
    void groupEditorAddAndDelete();

private:
    // Decoders r1 (group A, location L1), r2, m1; encoder, processor,
    // gateway and a decoder named like the controller; wall W with three
    // layouts and a plain layout P.
    void Populate();

    std::unique_ptr<CNavTestEnv> m_pEnv;
    CHOIDev *m_pR1 = nullptr;
    CHOIDev *m_pR2 = nullptr;
    CHOIDev *m_pM1 = nullptr;
    QList<CHOIScene *> m_wallLayouts;
    CHOIScene *m_pPlain = nullptr;
};

void TestShellDialogs::initTestCase()
{
    InitConsoleResources();
}

void TestShellDialogs::init()
{
    QFile::remove(QCoreApplication::applicationDirPath() + QStringLiteral("/list.xml"));
    m_pEnv.reset(new CNavTestEnv);
    QVERIFY(m_pEnv->IsLoaded());
}

void TestShellDialogs::cleanup()
{
    m_pEnv.reset();
    m_wallLayouts.clear();
}

void TestShellDialogs::Populate()
{
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    pMgr->AddGroup(QStringLiteral("A"), 1);
    pMgr->AddGroup(QStringLiteral("B"), 2);
    pMgr->AddLocation(QStringLiteral("L1"));
    pMgr->AddLocation(QStringLiteral("L2"));
    m_pR1 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b1"), QStringLiteral("r1"), QStringLiteral("A"));
    m_pR1->SetLocation(QStringLiteral("L1"));
    m_pEnv->AddDev(QStringLiteral("ZTX-0000000000a1"), QStringLiteral("t1"), QStringLiteral("A"));
    m_pR2 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b2"), QStringLiteral("r2"), QStringLiteral("B"));
    m_pEnv->AddDev(QStringLiteral("ZWP-0000000000d1"), QStringLiteral("p1"));
    m_pEnv->AddDev(QStringLiteral("ZGW-0000000000e1"), QStringLiteral("g1"));
    m_pEnv->AddDev(QStringLiteral("QN714-0000000000f1"), QStringLiteral("c1"));
    m_pM1 = m_pEnv->AddDev(QStringLiteral("ZMRX-0000000000c1"), QStringLiteral("m1"));
    for (const char *pName : {"W-one", "W-two", "W-three"})
        m_wallLayouts << pMgr->CreateScene(QLatin1String(pName));
    m_pPlain = pMgr->CreateScene(QStringLiteral("P"));
    m_pPlain->SetGroup(QStringLiteral("A"));
}

void TestShellDialogs::aboutShowsTitleAndVersion()
{
    About about;
    const QString strTitle = QStringLiteral(HOI_EXPECTED_TITLE);
    QCOMPARE(ApplicationTitle(), strTitle);
    QCOMPARE(about.windowTitle(), QStringLiteral("About ") + strTitle);
    QCOMPARE(Child<QLabel>(&about, "labelAppVer")->text(), strTitle + QStringLiteral(" V8.0.9"));
    QCOMPARE(Child<QLabel>(&about, "lbIcon")->pixmap(Qt::ReturnByValue).size(), QSize(48, 48));
    QVERIFY(!(about.windowFlags() & Qt::WindowContextHelpButtonHint));
}

void TestShellDialogs::welcomeStartsWithNewProject()
{
    m_pEnv->Mgr()->m_strCurFilePath = QStringLiteral("/data/last.hoi");
    CDlgWelcome dlg;
    QVERIFY(!dlg.IsOpenFile());
    QCOMPARE(dlg.GetSelectedText(), QStringLiteral("More Files..."));
    QVERIFY(Child<QRadioButton>(&dlg, "rBNew")->isChecked());
    QVERIFY(!Child<QRadioButton>(&dlg, "rBNew_2")->isChecked());
    QListWidget *pList = Child<QListWidget>(&dlg, "listWOpen");
    QCOMPARE(pList->count(), 2);
    QCOMPARE(pList->item(0)->text(), QStringLiteral("More Files..."));
    QVERIFY(pList->item(0)->isSelected());
    QCOMPARE(pList->currentRow(), -1);
    QCOMPARE(pList->item(1)->text(), QStringLiteral("/data/last.hoi"));
    QVERIFY(Child<QCheckBox>(&dlg, "cBAgain")->isHidden());
}

void TestShellDialogs::welcomeChoices()
{
    CDlgWelcome dlg;
    QRadioButton *pNew = Child<QRadioButton>(&dlg, "rBNew");
    QRadioButton *pOpen = Child<QRadioButton>(&dlg, "rBNew_2");
    pOpen->setChecked(true);
    QVERIFY(dlg.IsOpenFile());
    QVERIFY(!pNew->isChecked());
    QCOMPARE(dlg.GetSelectedText(), QStringLiteral("More Files..."));
    pNew->setChecked(true);
    QVERIFY(!dlg.IsOpenFile());
    QVERIFY(!pOpen->isChecked());

    // Picking a list entry switches to "open"; no last project: empty text.
    QListWidget *pList = Child<QListWidget>(&dlg, "listWOpen");
    QCOMPARE(pList->item(1)->text(), QString());
    pList->setCurrentRow(1);
    QVERIFY(dlg.IsOpenFile());
    QVERIFY(pOpen->isChecked());
    QVERIFY(!pNew->isChecked());
    QCOMPARE(dlg.GetSelectedText(), QString());
}

void TestShellDialogs::welcomeOkWritesFlag()
{
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    pMgr->m_nIsWelcome = 1;
    CDlgWelcome dlg;
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbOK"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(pMgr->m_nIsWelcome, 0);
    QVERIFY(pMgr->SaveListConfig());
    QVERIFY(ListXml().contains(QStringLiteral("iwelcome=\"0\"")));
}

void TestShellDialogs::tipFlag_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::newRow("checked") << true << 0 << 1;
    QTest::newRow("unchecked") << false << 1 << 0;
}

void TestShellDialogs::tipFlag()
{
    QFETCH(bool, checked);
    QFETCH(int, before);
    QFETCH(int, after);
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    pMgr->m_nIsPrompt = before;
    QPointer<CDlgPrompt> pTip = new CDlgPrompt;
    QVERIFY(pTip->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!pTip->testAttribute(Qt::WA_QuitOnClose));
    QCOMPARE(pTip->windowTitle(), QStringLiteral("Tip"));
    pTip->show();
    Child<QCheckBox>(pTip, "cBPrompt")->setChecked(checked);
    QTest::mouseClick(Child<QPushButton>(pTip, "pBNext"), Qt::LeftButton);
    QCOMPARE(pMgr->m_nIsPrompt, after);
    QTRY_VERIFY(pTip.isNull());

    // The flag survives in "list.xml".
    QVERIFY(pMgr->SaveListConfig());
    QVERIFY(ListXml().contains(QStringLiteral("isprompt=\"%1\"").arg(after)));
    CHOIDevMgr reread;
    reread.SetOnLineTimings(-1, 5000);
    QVERIFY(reread.LoadListConfig());
    QCOMPARE(reread.m_nIsPrompt, after);
}

void TestShellDialogs::groupEditorLists()
{
    Populate();
    DlgGroup dlg;
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Location/Group"));
    QCOMPARE(Child<QTabWidget>(&dlg, "twLocation_Group")->currentIndex(), 1);
    QCOMPARE(Child<QStackedWidget>(&dlg, "swEditType")->currentIndex(), 1);
    QCOMPARE(Child<QTabWidget>(&dlg, "twDev_Scene")->currentIndex(), 1);
    QCOMPARE(RowTexts(Child<QTreeWidget>(&dlg, "treeGroup"), 0), (QStringList{g_strUngrouped, "A", "B"}));
    QCOMPARE(RowTexts(Child<QTreeWidget>(&dlg, "treeLocation"), 0), (QStringList{"L1", "L2"}));
    // Decoders only: no encoder, processor, gateway or controller.
    QTreeWidget *pDevs = Child<QTreeWidget>(&dlg, "treeDev");
    QCOMPARE(RowTexts(pDevs, 1), (QStringList{"r1", "r2", "m1"}));
    QCOMPARE(RowTexts(pDevs, 2), (QStringList{"ZRX-0000000000b1", "ZRX-0000000000b2", "ZMRX-0000000000c1"}));
    // One row with one box for the wall's three layouts.
    QTreeWidget *pScenes = Child<QTreeWidget>(&dlg, "treeScene");
    QCOMPARE(RowTexts(pScenes, 1), (QStringList{"W", "P"}));
    QTreeWidgetItem *pWallRow = pScenes->topLevelItem(0);
    QCOMPARE(pWallRow->childCount(), 3);
    QCOMPARE(pWallRow->child(2)->text(1), QStringLiteral("W-three"));
    QVERIFY(RowBox(pScenes, QStringLiteral("W")));
    QVERIFY(RowBox(pScenes, QStringLiteral("P")));
    QCOMPARE(pScenes->itemWidget(pWallRow->child(0), 0), static_cast<QWidget *>(nullptr));
}

void TestShellDialogs::groupEditorClickTicksMembers()
{
    Populate();
    m_wallLayouts.at(0)->SetLocation(QStringLiteral("L1")); // the wall's layouts share it
    DlgGroup dlg;
    QTreeWidget *pDevs = Child<QTreeWidget>(&dlg, "treeDev");
    QTreeWidget *pScenes = Child<QTreeWidget>(&dlg, "treeScene");
    QCheckBox *pSelectAll = Child<QCheckBox>(&dlg, "cbSeleteAllDev");
    pSelectAll->setChecked(true);

    ClickRow(Child<QTreeWidget>(&dlg, "treeLocation"), QStringLiteral("L1"));
    QVERIFY(!pSelectAll->isChecked());
    QCOMPARE(Child<QStackedWidget>(&dlg, "swEditType")->currentIndex(), 0);
    QCOMPARE(Child<QLineEdit>(&dlg, "leName")->text(), QStringLiteral("L1"));
    QCOMPARE(dlg.GetCurrentName(), QStringLiteral("L1"));
    QVERIFY(qobject_cast<QCheckBox *>(pDevs->itemWidget(pDevs->topLevelItem(0), 0))->isChecked());
    QVERIFY(!qobject_cast<QCheckBox *>(pDevs->itemWidget(pDevs->topLevelItem(1), 0))->isChecked());
    QVERIFY(RowBox(pScenes, QStringLiteral("W"))->isChecked());
    QVERIFY(!RowBox(pScenes, QStringLiteral("P"))->isChecked());

    ClickRow(Child<QTreeWidget>(&dlg, "treeGroup"), QStringLiteral("A"));
    QCOMPARE(Child<QStackedWidget>(&dlg, "swEditType")->currentIndex(), 1);
    QVERIFY(qobject_cast<QCheckBox *>(pDevs->itemWidget(pDevs->topLevelItem(0), 0))->isChecked());
    QVERIFY(!RowBox(pScenes, QStringLiteral("W"))->isChecked());
    QVERIFY(RowBox(pScenes, QStringLiteral("P"))->isChecked());
}

void TestShellDialogs::groupEditorOkMovesMembers()
{
    Populate();
    DlgGroup dlg;
    QTreeWidget *pDevs = Child<QTreeWidget>(&dlg, "treeDev");
    QTreeWidget *pScenes = Child<QTreeWidget>(&dlg, "treeScene");
    QPushButton *pOK = Child<QPushButton>(&dlg, "pbOK");

    // OK before any group or location was clicked does nothing.
    RowBox(pScenes, QStringLiteral("W"))->setChecked(true);
    QTest::mouseClick(pOK, Qt::LeftButton);
    QCOMPARE(m_wallLayouts.at(1)->GetGroup(), QString());

    ClickRow(Child<QTreeWidget>(&dlg, "treeGroup"), QStringLiteral("B"));
    qobject_cast<QCheckBox *>(pDevs->itemWidget(pDevs->topLevelItem(0), 0))->setChecked(true); // r1
    qobject_cast<QCheckBox *>(pDevs->itemWidget(pDevs->topLevelItem(1), 0))->setChecked(false); // r2
    RowBox(pScenes, QStringLiteral("W"))->setChecked(true);
    QTest::mouseClick(pOK, Qt::LeftButton);
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("B"));
    QCOMPARE(m_pR2->GetGroup(), QString());
    QCOMPARE(m_pM1->GetGroup(), QString());
    for (CHOIScene *pLayout : qAsConst(m_wallLayouts))
        QCOMPARE(pLayout->GetGroup(), QStringLiteral("B"));
    QCOMPARE(m_pPlain->GetGroup(), QStringLiteral("A"));

    // Unticking the wall takes all its layouts out of the group.
    RowBox(Child<QTreeWidget>(&dlg, "treeScene"), QStringLiteral("W"))->setChecked(false);
    QTest::mouseClick(pOK, Qt::LeftButton);
    for (CHOIScene *pLayout : qAsConst(m_wallLayouts))
        QCOMPARE(pLayout->GetGroup(), QString());

    // A location: the wall's layouts and their decoders get it.
    ClickRow(Child<QTreeWidget>(&dlg, "treeLocation"), QStringLiteral("L2"));
    RowBox(Child<QTreeWidget>(&dlg, "treeScene"), QStringLiteral("W"))->setChecked(true);
    QTest::mouseClick(pOK, Qt::LeftButton);
    for (CHOIScene *pLayout : qAsConst(m_wallLayouts))
        QCOMPARE(pLayout->GetLocation(), QStringLiteral("L2"));
    QCOMPARE(m_pR1->GetLocation(), QStringLiteral("L1"));
}

void TestShellDialogs::groupEditorOkKeepsMembersOnSecondOk()
{
    Populate();
    DlgGroup dlg;
    QPushButton *pOK = Child<QPushButton>(&dlg, "pbOK");
    ClickRow(Child<QTreeWidget>(&dlg, "treeGroup"), QStringLiteral("A"));
    Child<QLineEdit>(&dlg, "leName")->setText(QStringLiteral("A2"));
    QTest::mouseClick(pOK, Qt::LeftButton);
    QCOMPARE(m_pEnv->Mgr()->IndexOfGroup(QStringLiteral("A2")), 1);
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("A2"));
    QCOMPARE(m_pPlain->GetGroup(), QStringLiteral("A2"));
    QCOMPARE(dlg.GetCurrentName(), QStringLiteral("A2"));
    // The boxes show the members again: pressing OK once more changes nothing.
    QTest::mouseClick(pOK, Qt::LeftButton);
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("A2"));
    QCOMPARE(m_pPlain->GetGroup(), QStringLiteral("A2"));
}

void TestShellDialogs::groupEditorRenameRefusesTakenName()
{
    Populate();
    T_SeenBox seen;
    AnswerBoxes(&seen, QMessageBox::Ok);
    DlgGroup dlg;
    ClickRow(Child<QTreeWidget>(&dlg, "treeGroup"), QStringLiteral("A"));
    Child<QLineEdit>(&dlg, "leName")->setText(QStringLiteral("B"));
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbOK"), Qt::LeftButton);
    QCOMPARE(seen.nCount, 1);
    QCOMPARE(seen.strText, QStringLiteral("Name already exists!"));
    QCOMPARE(m_pEnv->Mgr()->GetGroupCount(), 3);
    QCOMPARE(m_pEnv->Mgr()->IndexOfGroup(QStringLiteral("A")), 1);
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("A"));
    QCOMPARE(m_pR2->GetGroup(), QStringLiteral("B"));

    // "ungrouped" keeps its name, as in the tree.
    ClickRow(Child<QTreeWidget>(&dlg, "treeGroup"), g_strUngrouped);
    Child<QLineEdit>(&dlg, "leName")->setText(QStringLiteral("X"));
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbOK"), Qt::LeftButton);
    QCOMPARE(m_pEnv->Mgr()->IndexOfGroup(g_strUngrouped), 0);
    QCOMPARE(m_pEnv->Mgr()->IndexOfGroup(QStringLiteral("X")), -1);
}

void TestShellDialogs::groupEditorLocationOfWallCleared()
{
    Populate();
    // A layout cleared on its own keeps no sibling's location.
    m_wallLayouts.at(0)->SetLocation(QStringLiteral("L1"));
    QCOMPARE(m_wallLayouts.at(2)->GetLocation(), QStringLiteral("L1"));
    m_wallLayouts.at(1)->ClearLocation();
    QCOMPARE(m_wallLayouts.at(1)->GetLocation(), QString());
    QCOMPARE(m_wallLayouts.at(0)->GetLocation(), QStringLiteral("L1"));
    m_wallLayouts.at(1)->SetLocation(QStringLiteral("L1"));

    DlgGroup dlg;
    ClickRow(Child<QTreeWidget>(&dlg, "treeLocation"), QStringLiteral("L1"));
    QTreeWidget *pScenes = Child<QTreeWidget>(&dlg, "treeScene");
    QVERIFY(RowBox(pScenes, QStringLiteral("W"))->isChecked());
    RowBox(pScenes, QStringLiteral("W"))->setChecked(false);
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbOK"), Qt::LeftButton);
    for (CHOIScene *pLayout : qAsConst(m_wallLayouts))
        QCOMPARE(pLayout->GetLocation(), QString());
    QVERIFY(!RowBox(Child<QTreeWidget>(&dlg, "treeScene"), QStringLiteral("W"))->isChecked());
}

void TestShellDialogs::groupEditorAddAndDelete()
{
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    // Each "Add" asks for a new name, starting on "Location".
    QStringList asked;
    auto answer = [&asked](const QString &strName, int nType) {
        OnModal<CDlgCreateGroup>([&asked, strName, nType](CDlgCreateGroup *pDlg) {
            asked << GroupDialogName(pDlg)
                  << QString::number(Child<QComboBox>(pDlg, "cbLocationOrGroup")->currentIndex());
            AnswerGroupDialog(pDlg, strName, nType);
        });
    };
    DlgGroup dlg;
    QTreeWidget *pLocations = Child<QTreeWidget>(&dlg, "treeLocation");
    QTreeWidget *pGroups = Child<QTreeWidget>(&dlg, "treeGroup");
    answer(QStringLiteral("L3"), 0);
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbAdd"), Qt::LeftButton);
    answer(QStringLiteral("C"), 1);
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbAdd"), Qt::LeftButton);
    QCOMPARE(asked, (QStringList{"", "0", "", "0"}));
    QCOMPARE(RowTexts(pLocations, 0), (QStringList{"L1", "L2", "L3"}));
    QCOMPARE(RowTexts(pGroups, 0), (QStringList{g_strUngrouped, "A", "B", "C"}));
    QCOMPARE(pMgr->IndexOfLocation(QStringLiteral("L3")), 2);
    QCOMPARE(pMgr->GetGroupList().at(3)->sequence, 0u);

    // Deleting a group: its members become "ungrouped"; no question asked.
    QTabWidget *pTabs = Child<QTabWidget>(&dlg, "twLocation_Group");
    pTabs->setCurrentIndex(1);
    pGroups->setCurrentItem(pGroups->topLevelItem(0)); // "ungrouped" stays
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbDelete"), Qt::LeftButton);
    QCOMPARE(pMgr->IndexOfGroup(g_strUngrouped), 0);
    pGroups->setCurrentItem(pGroups->topLevelItem(1));
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbDelete"), Qt::LeftButton);
    QCOMPARE(pMgr->IndexOfGroup(QStringLiteral("A")), -1);
    QCOMPARE(m_pR1->GetGroup(), g_strUngrouped);
    QCOMPARE(m_pPlain->GetGroup(), g_strUngrouped);
    QCOMPARE(RowTexts(Child<QTreeWidget>(&dlg, "treeGroup"), 0), (QStringList{g_strUngrouped, "B", "C"}));

    // Deleting a location empties its members' location.
    pTabs->setCurrentIndex(0);
    pLocations = Child<QTreeWidget>(&dlg, "treeLocation");
    pLocations->setCurrentItem(pLocations->topLevelItem(0));
    QTest::mouseClick(Child<QPushButton>(&dlg, "pbDelete"), Qt::LeftButton);
    QCOMPARE(pMgr->IndexOfLocation(QStringLiteral("L1")), -1);
    QCOMPARE(m_pR1->GetLocation(), QString());
}

QTEST_MAIN(TestShellDialogs)
#include "tst_shelldialogs.moc"
