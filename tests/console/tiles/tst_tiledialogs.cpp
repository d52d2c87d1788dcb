// The video wall create/edit dialog (name rules, size, group), the decoder
// group change dialog and the layout order dialog, over a manager that never
// talks to the network.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include "batch/dlgbatchgroup.h"
#include "dialogs/dlgranklayout.h"
#include "dialogs/dlgrxchangegroup.h"
#include "dialogs/dlgvwedit.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "tiletesthelpers.h"

namespace {

const char kConfig[] = R"(<?xml version="1.0"?>
<hoiprod>
 <product id="ZRX" name="Decoder" type="rx"/>
</hoiprod>
)";

const QString kInvalidTip = QStringLiteral("Invaild character:\r\n{ } \" < > , ; _ - @ * & ");

QImage IconImage(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage();
}

} // namespace

class TestTileDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void vwCreateRefusals();
    void vwCreateModal();
    void vwCreateWithoutGroups();
    void vwNameTyping_data();
    void vwNameTyping();
    void vwNameValidatorStopsTyping();
    void vwEdit();
    void vwEditRenameRefusedAndLargeWall();

    void rxGroupInitialChoice_data();
    void rxGroupInitialChoice();
    void rxGroupModal();
    void rxGroupWithoutDevice();
    void groupChoosersInChinese();

    void rankOrdersAndNumbers();
    void rankButtons();
    void rankCancelChangesNothing();

private:
    void AddGroups(const QStringList &groups);
    QComboBox *LayoutCombo(const QList<CHOIScene *> &scenes);

    CHOIDevMgr *m_mgr = nullptr;
    CHOIDev *m_pRx = nullptr;
    T_SeenBoxes m_boxes;
};

void TestTileDialogs::initTestCase()
{
    InitConsoleResources();
    RegisterHoiMetaTypes();
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), kConfig));
    m_mgr = new CHOIDevMgr;
    m_mgr->SetOnLineTimings(-1, 5000);
    g_pHOIDevMgr = m_mgr;
    QVERIFY(m_mgr->LoadProdConfig());
    m_mgr->AddIpcDev("Lobby screen", "ZRX-0000000000b2", nullptr);
    m_pRx = m_mgr->FindDevByHostName("ZRX-0000000000b2");
    QVERIFY(m_pRx);
    m_boxes.Install();
}

void TestTileDialogs::cleanupTestCase()
{
    SetMessageBoxRunner(MessageBoxRunner());
    g_pHOIDevMgr = nullptr;
    delete m_mgr;
}

void TestTileDialogs::init()
{
    m_boxes.Clear();
    // Each test defines the groups it needs (the manager starts with
    // "ungrouped").
    while (m_mgr->GetGroupCount() > 0)
        m_mgr->RemoveGroup(m_mgr->GetGroupName(0));
}

void TestTileDialogs::cleanup()
{
    while (m_mgr->GetSceneCount() > 0)
        m_mgr->DeleteSceneAt(0);
    while (m_mgr->GetVideoWallCount() > 0) {
        CHOIScene *pWall = m_mgr->GetVideoWall(0);
        m_mgr->RemoveVideoWall(pWall);
    }
}

void TestTileDialogs::AddGroups(const QStringList &groups)
{
    for (const QString &group : groups)
        QVERIFY(m_mgr->AddGroup(group, uint(m_mgr->GetGroupCount() + 1)));
}

// ---- video wall dialog ----

void TestTileDialogs::vwCreateRefusals()
{
    AddGroups({"G1"});
    m_mgr->GetOrCreateVideoWall("Front");
    QScopedPointer<CDlgVWEdit> dlg(new CDlgVWEdit(nullptr));
    QPushButton *pOk = dlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok);
    pOk->click();
    dlg->findChild<QLineEdit *>("leName")->setText("Front");
    pOk->click();
    QCOMPARE(m_boxes.texts, QStringList() << "Enter a video wall name."
                                          << "Name \"Front\" exists. Use another name.");
    QCOMPARE(m_boxes.icons, QList<QMessageBox::Icon>() << QMessageBox::Critical << QMessageBox::Critical);
    QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(dlg.data()));
    QVERIFY(!dlg->m_bOk);

    // Cancel after the failed OK: nothing made, the flag stays clear.
    dlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
    QVERIFY(!dlg->m_bOk);
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
    QCOMPARE(m_mgr->GetVideoWallCount(), 1);
    QCOMPARE(dlg->GetEditedVideoWall(), static_cast<CHOIScene *>(nullptr));
}

// Run modally, as the group list's "add wall" does: the wall it made is
// read after the dialog is gone.
void TestTileDialogs::vwCreateModal()
{
    AddGroups({"G1", "G2"});
    OnModal<CDlgVWEdit>([](CDlgVWEdit *pDlg) {
        QCOMPARE(pDlg->windowTitle(), QString("Create Video Wall"));
        QCOMPARE(pDlg->findChild<QComboBox *>("cbGroup")->count(), 2);
        QCOMPARE(pDlg->findChild<QComboBox *>("cbGroup")->currentText(), QString("G2"));
        QComboBox *pRow = pDlg->findChild<QComboBox *>("cbRow");
        QCOMPARE(pRow->count(), 16);
        QCOMPARE(pRow->currentText(), QString("1"));
        QCOMPARE(pDlg->findChild<QLineEdit *>("leName")->toolTip(), kInvalidTip);
        pDlg->findChild<QLineEdit *>("leName")->setText("Side");
        pRow->setCurrentText("2");
        pDlg->findChild<QComboBox *>("cbCol")->setCurrentText("4");
        pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    CHOIScene *pWall = nullptr;
    {
        CDlgVWEdit dlg(nullptr, nullptr);
        dlg.SetGroupName("G2");
        dlg.exec();
        QVERIFY(dlg.m_bOk);
        QVERIFY(dlg.m_strName.isEmpty());
        pWall = dlg.GetEditedVideoWall();
    }
    // The wall handed back is the manager's and outlives the dialog.
    QVERIFY(pWall);
    QCOMPARE(m_mgr->GetVideoWallCount(), 1);
    QCOMPARE(m_mgr->FindVideoWallByName("Side"), pWall);
    QCOMPARE(pWall->GetRowCount() * 10 + pWall->GetColCount(), 24);
    QCOMPARE(pWall->GetGroup(), QString("G2"));
    QVERIFY(m_boxes.texts.isEmpty());
}

void TestTileDialogs::vwCreateWithoutGroups()
{
    QScopedPointer<CDlgVWEdit> dlg(new CDlgVWEdit(nullptr));
    QComboBox *pGroup = dlg->findChild<QComboBox *>("cbGroup");
    QCOMPARE(pGroup->count(), 1);
    QCOMPARE(pGroup->itemText(0), g_strUngrouped);
    dlg->findChild<QLineEdit *>("leName")->setText("Back");
    dlg->OKClick();
    QVERIFY(dlg->m_bOk);
    QCOMPARE(m_mgr->FindVideoWallByName("Back")->GetGroup(), g_strUngrouped);
}

void TestTileDialogs::vwNameTyping_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("hyphen at the end") << "Hall-" << "Hall" << QStringList();
    QTest::newRow("several at the end") << "Hall -_" << "Hall" << QStringList();
    QTest::newRow("pasted ampersand and semicolon")
        << "a&b;c&d" << "abcd" << (QStringList() << "Character '&' error." << "Character ';' error.");
    QTest::newRow("space inside") << "a b" << "ab" << (QStringList() << "Character ' ' error.");
    // A wall name may not hold the hyphen an alias may.
    QTest::newRow("hyphen inside") << "a-b" << "ab" << (QStringList() << "Character '-' error.");
    QTest::newRow("quote inside") << "a\"b" << "ab" << (QStringList() << "Character '\"' error.");
    QTest::newRow("braces in table order")
        << "a}b{c" << "abc" << (QStringList() << "Character '{' error." << "Character '}' error.");
    QTest::newRow("one character passes") << "a" << "a" << QStringList();
}

void TestTileDialogs::vwNameTyping()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(QStringList, messages);
    QScopedPointer<CDlgVWEdit> dlg(new CDlgVWEdit(nullptr));
    QLineEdit *pName = dlg->findChild<QLineEdit *>("leName");
    pName->setToolTip(QString());
    pName->setText(typed);
    QCOMPARE(pName->text(), kept);
    QCOMPARE(m_boxes.texts, messages);
    // The silent removal shows the invalid-character tip again.
    const bool bSilent = messages.isEmpty() && kept != typed;
    QCOMPARE(pName->toolTip(), bSilent ? kInvalidTip : QString());
}

void TestTileDialogs::vwNameValidatorStopsTyping()
{
    QScopedPointer<CDlgVWEdit> dlg(new CDlgVWEdit(nullptr));
    QLineEdit *pName = dlg->findChild<QLineEdit *>("leName");
    QTest::keyClicks(pName, "ab*c\"d(e");
    QCOMPARE(pName->text(), QString("abcde"));
    QVERIFY(m_boxes.texts.isEmpty());
}

void TestTileDialogs::vwEdit()
{
    AddGroups({"G1", "G2"});
    CHOIScene *pWall = m_mgr->GetOrCreateVideoWall("Front");
    pWall->SetGridSize(3, 4);
    pWall->SetGroup("G1");
    QScopedPointer<CDlgVWEdit> dlg(new CDlgVWEdit(pWall));
    QCOMPARE(dlg->windowTitle(), QString("Edit Video Wall"));
    QCOMPARE(dlg->m_strName, QString("Front"));
    QComboBox *pRow = dlg->findChild<QComboBox *>("cbRow");
    QComboBox *pCol = dlg->findChild<QComboBox *>("cbCol");
    QCOMPARE(pRow->currentText(), QString("3"));
    QCOMPARE(pCol->currentText(), QString("4"));
    QVERIFY(!pRow->isEnabled());
    QVERIFY(!pCol->isEnabled());
    QCOMPARE(dlg->findChild<QLineEdit *>("leName")->text(), QString("Front"));
    QCOMPARE(dlg->findChild<QComboBox *>("cbGroup")->currentText(), QString("G1"));

    // Keeping its own name is no clash.
    dlg->OKClick();
    QVERIFY(dlg->m_bOk);
    QVERIFY(m_boxes.texts.isEmpty());

    dlg.reset(new CDlgVWEdit(pWall));
    dlg->findChild<QLineEdit *>("leName")->setText("Rear");
    dlg->findChild<QComboBox *>("cbGroup")->setCurrentText("G2");
    dlg->OKClick();
    QVERIFY(dlg->m_bOk);
    QCOMPARE(dlg->m_strName, QString("Front"));
    QCOMPARE(dlg->GetEditedVideoWall(), pWall);
    QCOMPARE(pWall->GetName(), QString("Rear"));
    QCOMPARE(pWall->GetGroup(), QString("G2"));
    QCOMPARE(m_mgr->FindVideoWallByName("Front"), static_cast<CHOIScene *>(nullptr));
    QCOMPARE(pWall->GetRowCount() * 10 + pWall->GetColCount(), 34);
}

void TestTileDialogs::vwEditRenameRefusedAndLargeWall()
{
    CHOIScene *pOther = m_mgr->GetOrCreateVideoWall("Other");
    CHOIScene *pWall = m_mgr->GetOrCreateVideoWall("Big");
    pWall->SetGridSize(20, 2);
    QScopedPointer<CDlgVWEdit> dlg(new CDlgVWEdit(pWall));
    // 20 is no item: the first one stays.
    QCOMPARE(dlg->findChild<QComboBox *>("cbRow")->currentText(), QString("1"));
    QCOMPARE(dlg->findChild<QComboBox *>("cbCol")->currentText(), QString("2"));
    dlg->findChild<QLineEdit *>("leName")->setText("Other");
    dlg->OKClick();
    QCOMPARE(m_boxes.texts, QStringList() << "Name \"Other\" exists. Use another name.");
    QVERIFY(!dlg->m_bOk);
    QCOMPARE(pWall->GetName(), QString("Big"));
    QCOMPARE(pOther->GetName(), QString("Other"));
    QCOMPARE(pWall->GetRowCount(), 20);
}

// ---- decoder group dialog ----

void TestTileDialogs::rxGroupInitialChoice_data()
{
    QTest::addColumn<QStringList>("groups");
    QTest::addColumn<QString>("devGroup");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("own group") << (QStringList() << "G1" << "G2") << "G2" << "G2";
    QTest::newRow("group not defined") << (QStringList() << "G1" << "G2") << "" << "G1";
    QTest::newRow("no groups at all") << QStringList() << "Old" << "Old";
}

void TestTileDialogs::rxGroupInitialChoice()
{
    QFETCH(QStringList, groups);
    QFETCH(QString, devGroup);
    QFETCH(QString, chosen);
    AddGroups(groups);
    m_pRx->SetGroup(devGroup);
    CDlgRxChangeGroup dlg(m_pRx, nullptr);
    QComboBox *pGroup = dlg.findChild<QComboBox *>("cbGroup");
    QStringList offered;
    for (int i = 0; i < pGroup->count(); ++i)
        offered << pGroup->itemText(i);
    QCOMPARE(offered, groups);
    QCOMPARE(dlg.m_strGroup, chosen);
    QCOMPARE(dlg.findChild<QLabel *>("lbDevName")->text(), m_pRx->GetDisplayName());
    QCOMPARE(dlg.windowTitle(), QString("Change Group"));
    // It changes nothing itself.
    QCOMPARE(m_pRx->GetGroup(), devGroup);
}

// Run modally, as the group list's "Change Group" does: accepted with the
// group chosen, or rejected.
void TestTileDialogs::rxGroupModal()
{
    AddGroups({"G1", "G2", "G3"});
    m_pRx->SetGroup("G1");
    OnModal<CDlgRxChangeGroup>([](CDlgRxChangeGroup *pDlg) {
        pDlg->findChild<QComboBox *>("cbGroup")->setCurrentText("G3");
        pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->click();
    });
    {
        CDlgRxChangeGroup dlg(m_pRx, nullptr);
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
        QCOMPARE(dlg.m_strGroup, QString("G3"));
    }

    OnModal<CDlgRxChangeGroup>([](CDlgRxChangeGroup *pDlg) {
        pDlg->findChild<QComboBox *>("cbGroup")->setCurrentText("G2");
        pDlg->findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Cancel)->click();
    });
    CDlgRxChangeGroup dlg(m_pRx, nullptr);
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    // The dialog changes no group itself.
    QCOMPARE(m_pRx->GetGroup(), QString("G1"));
}

void TestTileDialogs::rxGroupWithoutDevice()
{
    AddGroups({"G1"});
    CDlgRxChangeGroup dlg(nullptr, nullptr);
    QCOMPARE(dlg.exec(), int(QDialog::Rejected));
    QVERIFY(dlg.m_strGroup.isEmpty());
}

// ---- layout order dialog ----

QComboBox *TestTileDialogs::LayoutCombo(const QList<CHOIScene *> &scenes)
{
    QComboBox *pCombo = new QComboBox;
    for (CHOIScene *pScene : scenes) {
        if (pScene)
            pCombo->addItem(pScene->GetSceneNameSuffix(), SceneToVariant(pScene));
        else
            pCombo->addItem("no layout");
    }
    return pCombo;
}

void TestTileDialogs::rankOrdersAndNumbers()
{
    CHOIScene *pA = m_mgr->CreateScene("G1-A");
    CHOIScene *pB = m_mgr->CreateScene("G1-B");
    CHOIScene *pC = m_mgr->CreateScene("G1-C");
    pB->SetDefault(true);
    pC->SetDefault(true);
    pA->SetWindowLayout(true);
    pA->SetLastStatus(E_SS_APPLIED);
    pC->SetLastStatus(E_SS_FAILED);
    QScopedPointer<QComboBox> combo(LayoutCombo({pA, nullptr, pB, pC}));
    CDlgRankLayout dlg(nullptr, combo.data(), nullptr);
    QTreeWidget *pTree = dlg.findChild<QTreeWidget *>("treeWidget");
    QCOMPARE(pTree->topLevelItemCount(), 3);
    QStringList numbers;
    QStringList names;
    for (int i = 0; i < 3; ++i) {
        numbers << pTree->topLevelItem(i)->text(0);
        names << pTree->topLevelItem(i)->text(1);
    }
    QCOMPARE(numbers, QStringList() << "1" << "3" << "4");
    QCOMPARE(names, QStringList() << "A" << "B" << "C");

    // C to the top: up twice.
    pTree->setCurrentItem(pTree->topLevelItem(2));
    dlg.findChild<QPushButton *>("pbUp")->click();
    QCOMPARE(pTree->topLevelItem(1)->text(1), QString("C"));
    QCOMPARE(pTree->topLevelItem(1)->text(0), QString("2"));
    QCOMPARE(pTree->topLevelItem(2)->text(0), QString("3"));
    dlg.findChild<QPushButton *>("pbUp")->click();
    QCOMPARE(pTree->currentItem()->text(1), QString("C"));
    QCOMPARE(pTree->selectedItems(), QList<QTreeWidgetItem *>() << pTree->topLevelItem(0));

    // OK: numbered 1..3 in the shown order, list refilled, first default current.
    dlg.findChild<QPushButton *>("pushButton_2")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(pC->GetLayoutSeq(), 1);
    QCOMPARE(pA->GetLayoutSeq(), 2);
    QCOMPARE(pB->GetLayoutSeq(), 3);
    QCOMPARE(combo->count(), 3);
    QStringList texts;
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
        QVERIFY(VariantToScene(combo->itemData(i)));
    }
    QCOMPARE(texts, QStringList() << "C" << "A" << "B");
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(VariantToScene(combo->currentData()), pC);
    // A windowing layout shows the "Updated" icon, the others their own state.
    QString strText;
    QCOMPARE(IconImage(combo->itemIcon(1)), IconImage(SceneStatusInfo(E_SS_UPDATED, strText)));
    QCOMPARE(IconImage(combo->itemIcon(0)), IconImage(SceneStatusInfo(E_SS_FAILED, strText)));
    QVERIFY(IconImage(combo->itemIcon(1)) != IconImage(SceneStatusInfo(E_SS_APPLIED, strText)));
}

void TestTileDialogs::rankButtons()
{
    CHOIScene *pA = m_mgr->CreateScene("G1-A");
    CHOIScene *pB = m_mgr->CreateScene("G1-B");
    QScopedPointer<QComboBox> combo(LayoutCombo({pA, pB}));
    CDlgRankLayout dlg(nullptr, combo.data(), nullptr);
    QTreeWidget *pTree = dlg.findChild<QTreeWidget *>("treeWidget");
    QPushButton *pUp = dlg.findChild<QPushButton *>("pbUp");
    QPushButton *pDown = dlg.findChild<QPushButton *>("pbDown");
    QCOMPARE(dlg.windowTitle(), QString("Sort layout"));
    QVERIFY(!pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());
    QVERIFY(pTree->topLevelItem(0)->isSelected());

    pTree->setCurrentItem(pTree->topLevelItem(0));
    QVERIFY(!pUp->isEnabled());
    QVERIFY(pDown->isEnabled());
    pDown->click();
    QCOMPARE(pTree->topLevelItem(1)->text(1), QString("A"));
    QCOMPARE(pTree->topLevelItem(1)->text(0), QString("2"));
    QCOMPARE(pTree->topLevelItem(0)->text(0), QString("1"));
    QVERIFY(pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());
    pDown->click(); // disabled: nothing moves
    QCOMPARE(pTree->topLevelItem(1)->text(1), QString("A"));

    // A one-row list: nothing can move.
    QScopedPointer<QComboBox> single(LayoutCombo({pA}));
    CDlgRankLayout one(nullptr, single.data(), nullptr);
    QTreeWidget *pOneTree = one.findChild<QTreeWidget *>("treeWidget");
    pOneTree->setCurrentItem(pOneTree->topLevelItem(0));
    QVERIFY(!one.findChild<QPushButton *>("pbUp")->isEnabled());
    QVERIFY(!one.findChild<QPushButton *>("pbDown")->isEnabled());
}

void TestTileDialogs::rankCancelChangesNothing()
{
    CHOIScene *pA = m_mgr->CreateScene("G1-A");
    CHOIScene *pB = m_mgr->CreateScene("G1-B");
    pA->SetLayoutSeq(7);
    pB->SetLayoutSeq(9);
    QScopedPointer<QComboBox> combo(LayoutCombo({pA, pB}));
    combo->setCurrentIndex(1);
    CDlgRankLayout dlg(nullptr, combo.data(), nullptr);
    QTreeWidget *pTree = dlg.findChild<QTreeWidget *>("treeWidget");
    pTree->setCurrentItem(pTree->topLevelItem(1));
    dlg.findChild<QPushButton *>("pbUp")->click();
    QCOMPARE(pTree->topLevelItem(0)->text(1), QString("B"));
    dlg.findChild<QPushButton *>("pushButton")->click();
    QCOMPARE(pA->GetLayoutSeq(), 7);
    QCOMPARE(pB->GetLayoutSeq(), 9);
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0), QString("A"));
    QCOMPARE(combo->currentIndex(), 1);
}

// The group choosers show the pseudo-group translated and hand back its
// stored name.
void TestTileDialogs::groupChoosersInChinese()
{
    AddGroups({g_strUngrouped, "G1"});
    m_pRx->SetGroup("G1");
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("zh_CN.qm"), qEnvironmentVariable("HOI_BIN_DIR")));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const QStringList shown{"未分组", "G1"};
    auto texts = [](QComboBox *pBox, int nFirst) {
        QStringList list;
        for (int i = nFirst; i < pBox->count(); ++i)
            list << pBox->itemText(i);
        return list;
    };

    CDlgVWEdit wall(nullptr);
    wall.SetGroupName(g_strUngrouped);
    QCOMPARE(texts(wall.findChild<QComboBox *>("cbGroup"), 0), shown);
    wall.findChild<QLineEdit *>("leName")->setText("Back");
    wall.OKClick();

    CDlgRxChangeGroup change(m_pRx, nullptr);
    QComboBox *pChange = change.findChild<QComboBox *>("cbGroup");
    QCOMPARE(texts(pChange, 0), shown);
    QCOMPARE(pChange->currentText(), QString("G1"));
    pChange->setCurrentIndex(0);

    m_pRx->SetGroup(g_strUngrouped);
    CDlgBatchGroup batch;
    QComboBox *pFilter = batch.findChild<QComboBox *>("cbFilter");
    QCOMPARE(texts(pFilter, 1), shown);
    QCOMPARE(texts(batch.findChild<QComboBox *>("cbSelectGroup"), 0), shown);
    pFilter->setCurrentIndex(1);
    QCoreApplication::removeTranslator(&translator);

    QVERIFY(wall.m_bOk);
    QCOMPARE(m_mgr->FindVideoWallByName("Back")->GetGroup(), g_strUngrouped);
    QCOMPARE(change.m_strGroup, g_strUngrouped);
    QCOMPARE(batch.findChild<QTreeWidget *>("twDevice")->topLevelItemCount(), 1);
}

QTEST_MAIN(TestTileDialogs)
#include "tst_tiledialogs.moc"
