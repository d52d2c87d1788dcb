#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDrag>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <memory>

#include "batch/dlgbatchgroup.h"
#include "dialogs/dlgdevedit.h"
#include "dialogs/dlgrxchangegroup.h"
#include "dialogs/dlgvwedit.h"
#include "hoi_core/hoiconst.h"
#include "hoiwidget/dragpayload.h"
#include "hoiwidget/itemdata.h"
#include "navtestenv.h"
#include "navtree/formgrouplist.h"
#include "navtree/groupwidget.h"

namespace {

QStringList ChildTexts(const QTreeWidgetItem *pParent, int nColumn = 0)
{
    QStringList texts;
    for (int i = 0; pParent && i < pParent->childCount(); ++i)
        texts << pParent->child(i)->text(nColumn);
    return texts;
}

quint64 Addr(const void *p)
{
    return quint64(reinterpret_cast<quintptr>(p));
}

QImage IconImage(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage();
}

// The text the tree's delegate hands the style to paint for the row.
QString ShownText(QTreeWidget *pTree, QTreeWidgetItem *pItem)
{
    struct COpener : QStyledItemDelegate
    {
        using QStyledItemDelegate::initStyleOption;
    };
    auto *pDelegate = qobject_cast<QStyledItemDelegate *>(pTree->itemDelegate());
    if (!pDelegate)
        return QString();
    pTree->setCurrentItem(pItem);
    QStyleOptionViewItem option;
    (pDelegate->*(&COpener::initStyleOption))(&option, pTree->currentIndex());
    return option.text;
}

// Names the wall, puts it in the group and presses OK.
void AnswerWallDialog(CDlgVWEdit *pDlg, const QString &strName, const QString &strGroup)
{
    pDlg->findChild<QLineEdit *>(QStringLiteral("leName"))->setText(strName);
    QComboBox *pGroup = pDlg->findChild<QComboBox *>(QStringLiteral("cbGroup"));
    pGroup->setCurrentIndex(pGroup->findData(strGroup));
    pDlg->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(QDialogButtonBox::Ok)->click();
}

} // namespace

Q_DECLARE_METATYPE(QTreeWidgetItem *)

class TestNavTree : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void emptyProjectGetsUngrouped();
    void rebuildPlacesAndNumbers();
    void followsManagerNotifications();
    void currentItemSignals();
    void moveButtons();
    void dragStartsOnlyForDecoders_data();
    void dragStartsOnlyForDecoders();
    void contextMenuEntries_data();
    void contextMenuEntries();
    void contextMenuNeedsItemUnderMouse();
    void groupCreate();
    void groupRename();
    void groupRenameToTakenNameRefused();
    void groupDelete_data();
    void groupDelete();
    void videoWallAdd();
    void videoWallRenameRenamesLayouts();
    void videoWallDelete();
    void videoWallGoneWhileAsked();
    void doubleClickEditsDevicesOnly();
    void changeGroup();
    void deleteDevices();
    void edidExport();
    void edidExportEmpty();
    void languageOfRootGroupsAndTypes();

private:
    // A populated installation: groups A (first) and B, wall W1 in A,
    // decoders r1 and r2 in A (r2 in W1), m1 in B, encoder t1.
    void Populate();
    // Shows the context menu of the item as a right click would; returns
    // its entries ("(off)" marks disabled ones) and triggers strTrigger.
    QStringList RunMenu(QTreeWidgetItem *pItem, const QString &strTrigger = QString());
    QPoint RowCentre(QTreeWidgetItem *pItem) const;
    void SendMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                   const QPoint &pos);

    std::unique_ptr<CNavTestEnv> m_pEnv;
    std::unique_ptr<CFormGroupList> m_pForm;
    CHOIDev *m_pR1 = nullptr;
    CHOIDev *m_pR2 = nullptr;
    CHOIDev *m_pM1 = nullptr;
    CHOIDev *m_pT1 = nullptr;
    CHOIScene *m_pW1 = nullptr;
};

void TestNavTree::initTestCase()
{
    InitConsoleResources();
    RegisterHoiMetaTypes();
    qRegisterMetaType<QTreeWidgetItem *>();
}

void TestNavTree::init()
{
    m_pEnv.reset(new CNavTestEnv);
    QVERIFY(m_pEnv->IsLoaded());
}

void TestNavTree::cleanup()
{
    SetDragRunner(DragRunner());
    m_pForm.reset();
    m_pEnv.reset();
}

void TestNavTree::Populate()
{
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    pMgr->AddGroup(QStringLiteral("A"), 1);
    pMgr->AddGroup(QStringLiteral("B"), 2);
    m_pW1 = m_pEnv->AddWall(QStringLiteral("W1"), QStringLiteral("A"), 2);
    m_pR1 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b1"), QStringLiteral("r1"), QStringLiteral("A"), 1);
    m_pR2 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b2"), QStringLiteral("r2"), QStringLiteral("A"), 1);
    m_pR2->SetVideoWall(m_pW1);
    m_pM1 = m_pEnv->AddDev(QStringLiteral("ZMRX-0000000000c1"), QStringLiteral("m1"), QStringLiteral("B"), 1);
    m_pT1 = m_pEnv->AddDev(QStringLiteral("ZTX-0000000000a1"), QStringLiteral("t1"), QStringLiteral("A"), 3);
    m_pForm.reset(new CFormGroupList);
    m_pForm->resize(500, 600);
    m_pForm->slotRefreshDeives();
    m_pForm->GetTree()->expandAll();
}

QPoint TestNavTree::RowCentre(QTreeWidgetItem *pItem) const
{
    return m_pForm->GetTree()->visualItemRect(pItem).center();
}

void TestNavTree::SendMouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons,
                            const QPoint &pos)
{
    QWidget *pViewport = m_pForm->GetTree()->viewport();
    QMouseEvent event(type, pos, pViewport->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(pViewport, &event);
}

QStringList TestNavTree::RunMenu(QTreeWidgetItem *pItem, const QString &strTrigger)
{
    QTreeWidget *pTree = m_pForm->GetTree();
    pTree->setCurrentItem(pItem);
    const QPoint pos = RowCentre(pItem);
    QStringList entries;
    QTimer::singleShot(0, [&]() {
        QMenu *pMenu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!pMenu)
            return;
        QAction *pTrigger = nullptr;
        const QList<QAction *> actions = pMenu->actions();
        for (QAction *pAction : actions) {
            if (pAction->isSeparator())
                continue;
            entries << pAction->text() + (pAction->isEnabled() ? QString() : QStringLiteral("(off)"));
            if (pAction->text() == strTrigger)
                pTrigger = pAction;
        }
        pMenu->close();
        if (pTrigger)
            pTrigger->trigger();
    });
    // Right click on the tree: the event travels up to the panel.
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, pTree->viewport()->mapToGlobal(pos));
    QApplication::sendEvent(pTree->viewport(), &event);
    QCoreApplication::processEvents(); // a menu that never opened
    return entries;
}

void TestNavTree::emptyProjectGetsUngrouped()
{
    QVERIFY(m_pEnv->Mgr()->RemoveGroup(g_strUngrouped));
    CFormGroupList form;
    form.slotRefreshDeives();
    QTreeWidgetItem *pRoot = form.GetRootItem();
    QCOMPARE(form.GetTree()->topLevelItemCount(), 1);
    QCOMPARE(pRoot->text(0), g_strAllGroups);
    QCOMPARE(pRoot->data(1, Qt::UserRole).toInt(), int(E_GTK_ROOT));
    QCOMPARE(pRoot->data(0, Qt::UserRole).toInt(), int(E_GTK_ROOT));
    QCOMPARE(ChildTexts(pRoot), QStringList{g_strUngrouped});
    QCOMPARE(pRoot->child(0)->text(2), QStringLiteral("1"));
    QCOMPARE(GroupItemKind(pRoot->child(0)), int(E_GTK_GROUP));
    QCOMPARE(m_pEnv->Mgr()->GetGroupCount(), 1);
    QCOMPARE(m_pEnv->Mgr()->GetGroupName(0), g_strUngrouped);
}

void TestNavTree::rebuildPlacesAndNumbers()
{
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    // Groups exist, but none is "ungrouped".
    QVERIFY(pMgr->RemoveGroup(g_strUngrouped));
    pMgr->AddGroup(QStringLiteral("A"), 2);
    pMgr->AddGroup(QStringLiteral("B"), 1);
    CHOIScene *pW1 = m_pEnv->AddWall(QStringLiteral("W1"), QStringLiteral("A"), 5);
    CHOIScene *pW2 = m_pEnv->AddWall(QStringLiteral("W2"), QStringLiteral("Zed"), 0);
    CHOIDev *pR1 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b1"), QStringLiteral("r1"), QStringLiteral("A"), 3);
    CHOIDev *pR2 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b2"), QStringLiteral("r2"), QStringLiteral("A"), 4);
    pR2->SetVideoWall(pW1);
    CHOIDev *pM1 = m_pEnv->AddDev(QStringLiteral("ZMRX-0000000000c1"), QStringLiteral("m1"), QStringLiteral("B"), 4);
    CHOIDev *pR3 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b3"), QStringLiteral("r3"));
    CHOIDev *pR4 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b4"), QStringLiteral("r4"), QStringLiteral("Q"), 7);
    m_pEnv->AddDev(QStringLiteral("ZTX-0000000000a1"), QStringLiteral("t1"), QStringLiteral("A"), 2);

    CFormGroupList form;
    form.slotRefreshDeives();
    QTreeWidgetItem *pRoot = form.GetRootItem();

    // Groups in sequence order; "ungrouped" added for the strays.
    QCOMPARE(ChildTexts(pRoot), (QStringList{"B", "A", g_strUngrouped}));
    QCOMPARE(ChildTexts(pRoot, 2), (QStringList{"1", "2", "3"}));
    QCOMPARE(pMgr->GetGroupName(0), QStringLiteral("B"));
    QCOMPARE(pMgr->GetGroupList().at(1)->sequence, 2u);
    QCOMPARE(pMgr->IndexOfGroup(g_strUngrouped), 2);
    QCOMPARE(pMgr->GetGroupList().at(2)->sequence, 3u);

    QTreeWidgetItem *pB = pRoot->child(0);
    QCOMPARE(ChildTexts(pB), QStringList{"m1"});
    QCOMPARE(pB->child(0)->text(1), QStringLiteral("MRX"));
    QCOMPARE(pB->child(0)->text(3), QStringLiteral("Multiview-0000000000c1"));

    // In A, r1 (3) comes before W1 (5); both renumbered and stored.
    QTreeWidgetItem *pA = pRoot->child(1);
    QCOMPARE(ChildTexts(pA), (QStringList{"r1", "W1"}));
    QCOMPARE(ChildTexts(pA, 1), (QStringList{"RX", QCoreApplication::translate("CFormGroupList", "Video Wall")}));
    QCOMPARE(ChildTexts(pA, 2), (QStringList{"1", "2"}));
    QCOMPARE(pR1->GetSequence(), 1);
    QCOMPARE(pW1->GetLayoutSeq(), 2);
    QTreeWidgetItem *pW1Item = pA->child(1);
    QCOMPARE(ChildTexts(pW1Item), QStringList{"r2"});
    QCOMPARE(pW1Item->child(0)->text(2), QStringLiteral("1"));
    QCOMPARE(pR2->GetSequence(), 1);

    QTreeWidgetItem *pUngrouped = pRoot->child(2);
    QCOMPARE(ChildTexts(pUngrouped), (QStringList{"W2", "r3", "r4"}));
    QCOMPARE(pW2->GetGroup(), g_strUngrouped);
    QCOMPARE(pR3->GetGroup(), g_strUngrouped);
    QCOMPARE(pR4->GetGroup(), g_strUngrouped);
    QCOMPARE(pR4->GetSequence(), 3);

    // Kinds in column 1, model pointers at full width in column 0.
    QTreeWidgetItem *pR1Item = pA->child(0);
    QCOMPARE(GroupItemKind(pA), int(E_GTK_GROUP));
    QCOMPARE(GroupItemKind(pW1Item), int(E_GTK_VIDEOWALL));
    QCOMPARE(GroupItemKind(pR1Item), int(E_GTK_DEVICE));
    QVERIFY(Addr(pR1) > 0xffffffffULL);
    QCOMPARE(pR1Item->data(0, Qt::UserRole).toULongLong(), Addr(pR1));
    QCOMPARE(pW1Item->data(0, Qt::UserRole).toULongLong(), Addr(pW1));
    QCOMPARE(GroupItemDev(pB->child(0)), pM1);
    QCOMPARE(pR1Item->toolTip(0), QStringLiteral("Hostname: Decoder-0000000000b1\nIP Address: "));
    // No encoder anywhere.
    QCOMPARE(form.FindDevItem(pMgr->FindDevByHostName(QStringLiteral("ZTX-0000000000a1"))),
             static_cast<QTreeWidgetItem *>(nullptr));
}

void TestNavTree::followsManagerNotifications()
{
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    QTreeWidgetItem *pRoot = m_pForm->GetRootItem();
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    QTreeWidgetItem *pB = m_pForm->FindGroupItem(QStringLiteral("B"));

    // Added without a group: it joins the first group, "ungrouped", as its
    // last child.
    QTreeWidgetItem *pUngrouped = m_pForm->FindGroupItem(g_strUngrouped);
    QCOMPARE(pRoot->child(0), pUngrouped);
    CHOIDev *pNew = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b5"), QStringLiteral("r5"));
    QCOMPARE(ChildTexts(pUngrouped), QStringList{"r5"});
    QCOMPARE(pUngrouped->child(0)->text(2), QStringLiteral("1"));
    QCOMPARE(pNew->GetSequence(), 1);
    // Given a group, the manager's change notice moves it there, last.
    pNew->SetGroup(QStringLiteral("A"));
    emit pMgr->signalDevChangeForList(pNew);
    QCOMPARE(ChildTexts(pUngrouped), QStringList());
    QCOMPARE(ChildTexts(pA), (QStringList{"r1", "W1", "r5"}));
    QCOMPARE(pA->child(2)->text(2), QStringLiteral("3"));
    QCOMPARE(pNew->GetSequence(), 3);

    // Encoders never get a row.
    const int nTopCount = pRoot->childCount();
    m_pEnv->AddDev(QStringLiteral("ZTX-0000000000a2"), QStringLiteral("t2"));
    QCOMPARE(ChildTexts(pA).size(), 3);
    QCOMPARE(pRoot->childCount(), nTopCount);

    // Changes: name, address on completion of the queue, on-line icon.
    pNew->SetName(QStringLiteral("renamed"));
    QCOMPARE(pA->child(2)->text(0), QStringLiteral("renamed"));
    pNew->SetIPAddr(QStringLiteral("10.0.0.5"));
    emit pMgr->OnDevCmdCompleted(pNew, E_CO_IR, E_CR_SUCCESS);
    QVERIFY(!pA->child(2)->toolTip(0).contains(QStringLiteral("10.0.0.5")));
    emit pMgr->OnDevCmdCompleted(pNew, E_CO_DEV, E_CR_SUCCESS);
    QVERIFY(pA->child(2)->toolTip(0).endsWith(QStringLiteral("IP Address: 10.0.0.5")));
    pNew->m_bOnLine = true;
    emit pMgr->OnDeviceNotify(pNew, E_DN_STATUS);
    QCOMPARE(IconImage(pA->child(2)->icon(0)), IconImage(QIcon(QStringLiteral(":/images/R+.png"))));

    // Removed from the manager: the row goes.
    QVERIFY(pMgr->RemoveDevice(m_pM1));
    QCOMPARE(pB->childCount(), 0);
    QVERIFY(pMgr->RemoveDevice(m_pR2));
    QCOMPARE(pA->child(1)->childCount(), 0);
}

void TestNavTree::currentItemSignals()
{
    Populate();
    QSignalSpy allSpy(m_pForm.get(), &CFormGroupList::onItemClickAll);
    QSignalSpy groupSpy(m_pForm.get(), &CFormGroupList::onItemClickGroup);
    QSignalSpy wallSpy(m_pForm.get(), &CFormGroupList::onItemClickVW);
    QSignalSpy devSpy(m_pForm.get(), &CFormGroupList::onItemChange);
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));

    m_pForm->GetTree()->setCurrentItem(pA);
    QCOMPARE(groupSpy.count(), 1);
    QCOMPARE(groupSpy.at(0).at(0).value<QTreeWidgetItem *>(), pA);
    m_pForm->GetTree()->setCurrentItem(pA->child(1));
    QCOMPARE(wallSpy.count(), 1);
    m_pForm->GetTree()->setCurrentItem(pA->child(1)->child(0));
    QCOMPARE(devSpy.count(), 1);
    QCOMPARE(devSpy.at(0).at(0).value<CHOIDev *>(), m_pR2);
    QCOMPARE(m_pForm->GetCurrentDev(), m_pR2);
    m_pForm->SelectRootItem();
    QCOMPARE(allSpy.count(), 1);
    QCOMPARE(groupSpy.count() + wallSpy.count() + devSpy.count(), 3);

    // The manager names a device: its group or wall becomes current.
    emit m_pEnv->Mgr()->SignalCurrentDev(m_pR1);
    QCOMPARE(m_pForm->GetCurrentItem(), pA);
    QCOMPARE(groupSpy.count(), 2);
}

void TestNavTree::moveButtons()
{
    Populate();
    CHOIDev *pR3 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b3"), QStringLiteral("r3"), QStringLiteral("A"));
    m_pForm->slotDevChangeForList(pR3);
    QTreeWidgetItem *pRoot = m_pForm->GetRootItem();
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    QPushButton *pUp = m_pForm->findChild<QPushButton *>(QStringLiteral("pbUpItem"));
    QPushButton *pDown = m_pForm->findChild<QPushButton *>(QStringLiteral("pbDownItem"));
    QVERIFY(pUp && pDown);
    QCOMPARE(ChildTexts(pA), (QStringList{"r1", "W1", "r3"}));

    m_pForm->GetTree()->setCurrentItem(pRoot);
    QVERIFY(!pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());
    QTreeWidgetItem *pR1Item = pA->child(0);
    m_pForm->GetTree()->setCurrentItem(pR1Item);
    QVERIFY(!pUp->isEnabled());
    QVERIFY(pDown->isEnabled());

    // Moving changes places and numbers, keeps the row current and reports
    // no click.
    QSignalSpy devSpy(m_pForm.get(), &CFormGroupList::onItemChange);
    QTest::mouseClick(pDown, Qt::LeftButton);
    QCOMPARE(ChildTexts(pA), (QStringList{"W1", "r1", "r3"}));
    QCOMPARE(ChildTexts(pA, 2), (QStringList{"1", "2", "3"}));
    QCOMPARE(m_pW1->GetLayoutSeq(), 1);
    QCOMPARE(m_pR1->GetSequence(), 2);
    QCOMPARE(m_pForm->GetCurrentItem(), pR1Item);
    QCOMPARE(devSpy.count(), 0);
    QTest::mouseClick(pDown, Qt::LeftButton);
    QCOMPARE(ChildTexts(pA), (QStringList{"W1", "r3", "r1"}));
    QCOMPARE(pR3->GetSequence(), 2);
    QVERIFY(!pDown->isEnabled());
    QVERIFY(pUp->isEnabled());
    // The moved wall keeps its decoder.
    QCOMPARE(ChildTexts(pA->child(0)), QStringList{"r2"});

    // Groups move among groups; the manager keeps their order.
    QTreeWidgetItem *pB = m_pForm->FindGroupItem(QStringLiteral("B"));
    m_pForm->GetTree()->setCurrentItem(pB);
    QVERIFY(pUp->isEnabled());
    QTest::mouseClick(pUp, Qt::LeftButton);
    QCOMPARE(ChildTexts(pRoot), (QStringList{g_strUngrouped, "B", "A"}));
    QCOMPARE(ChildTexts(pRoot, 2), (QStringList{"1", "2", "3"}));
    m_pEnv->Mgr()->SortGroupList();
    QCOMPARE(m_pEnv->Mgr()->GetGroupName(1), QStringLiteral("B"));

    // A decoder alone in its wall moves nowhere.
    m_pForm->GetTree()->setCurrentItem(pA->child(0)->child(0));
    QVERIFY(!pUp->isEnabled());
    QVERIFY(!pDown->isEnabled());
}

void TestNavTree::dragStartsOnlyForDecoders_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("dragged");
    QTest::newRow("decoder") << "r1" << true;
    QTest::newRow("decoder in wall") << "r2" << true;
    QTest::newRow("multiview decoder") << "m1" << true;
    QTest::newRow("group") << "A" << false;
    QTest::newRow("wall") << "W1" << false;
    QTest::newRow("root") << "root" << false;
}

void TestNavTree::dragStartsOnlyForDecoders()
{
    QFETCH(QString, row);
    QFETCH(bool, dragged);
    Populate();
    m_pForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pForm.get()));
    QList<QTreeWidgetItem *> found = m_pForm->GetTree()->findItems(row, Qt::MatchExactly | Qt::MatchRecursive);
    QTreeWidgetItem *pItem = row == QLatin1String("root") ? m_pForm->GetRootItem() : found.value(0);
    QVERIFY(pItem);

    int nDrags = 0;
    QStringList formats;
    QByteArray payload;
    SetDragRunner([&](QDrag &drag, Qt::DropActions, Qt::DropAction) {
        ++nDrags;
        formats = drag.mimeData()->formats();
        payload = drag.mimeData()->data(g_strMimeRxItem);
        return Qt::CopyAction;
    });
    const QPoint start = RowCentre(pItem);
    SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, start);
    // A short move starts nothing.
    SendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, start + QPoint(1, 0));
    QCOMPARE(nDrags, 0);
    SendMouse(QEvent::MouseMove, Qt::NoButton, Qt::LeftButton,
              start + QPoint(QApplication::startDragDistance() + 5, 0));
    QCOMPARE(nDrags, dragged ? 1 : 0);
    if (dragged) {
        QCOMPARE(formats, QStringList{g_strMimeRxItem});
        T_DevDragPayload read;
        QVERIFY(ReadDevPayload(payload, &read));
        QCOMPARE(read.nDevAddr, Addr(GroupItemDev(pItem)));
    }
}

void TestNavTree::contextMenuEntries_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QStringList>("entries");
    const QStringList devTail{"Delete", "Update Device Data", "Reboot", "Reset to Factory Default",
                              "Change Group"};
    QTest::newRow("root") << "root" << QStringList{"Create Group"};
    QTest::newRow("ungrouped") << g_strUngrouped << QStringList{"Create Video Wall"};
    QTest::newRow("group") << "A" << QStringList{"Create Video Wall", "Edit Group", "Delete Group"};
    QTest::newRow("wall") << "W1" << QStringList{"Edit Video Wall", "Delete Video Wall"};
    QTest::newRow("plain decoder") << "r1" << QStringList{"General Settings"} + devTail;
    QTest::newRow("decoder in wall")
        << "r2"
        << QStringList{"General Settings", "Delete", "Update Device Data", "Reboot",
                       "Reset to Factory Default", "Change Group(off)"};
    QTest::newRow("full decoder")
        << "f1"
        << QStringList{"General Settings", "Video Settings", "Serial Settings", "Audio Settings",
                       "Display Power Settings", "Layout Settings", "Idle Image Settings",
                       "Turn On IP/MAC Display", "Turn Off IP/MAC Display", "CEC One Touch Play",
                       "CEC Standby", "Analog Audio Unmute", "Analog Audio Mute", "EDID Export"}
               + devTail;
    QTest::newRow("unknown type") << "u1" << QStringList();
}

void TestNavTree::contextMenuEntries()
{
    QFETCH(QString, row);
    QFETCH(QStringList, entries);
    Populate();
    m_pEnv->AddDev(QStringLiteral("ZRXF-0000000000d1"), QStringLiteral("f1"), QStringLiteral("B"));
    CHOIDev *pUnknown = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000e1"), QStringLiteral("u1"),
                                       QStringLiteral("B"));
    pUnknown->m_eDevType = CHOIDev::E_DT_UNKNOWN;
    m_pForm->slotRefreshDeives();
    // The unknown device had its row while it was a decoder.
    m_pForm->FindGroupItem(QStringLiteral("B"))->addChild(new QTreeWidgetItem);
    QTreeWidgetItem *pUnknownRow = m_pForm->FindGroupItem(QStringLiteral("B"))->child(2);
    pUnknownRow->setText(0, QStringLiteral("u1"));
    pUnknownRow->setData(0, Qt::UserRole, DevToVariant(pUnknown));
    pUnknownRow->setData(1, Qt::UserRole, int(E_GTK_DEVICE));
    m_pForm->show();
    m_pForm->GetTree()->expandAll();
    QVERIFY(QTest::qWaitForWindowExposed(m_pForm.get()));

    QTreeWidgetItem *pItem = row == QLatin1String("root")
                                 ? m_pForm->GetRootItem()
                                 : m_pForm->GetTree()->findItems(row, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    QVERIFY(pItem);
    QCOMPARE(RunMenu(pItem), entries);
}

void TestNavTree::contextMenuNeedsItemUnderMouse()
{
    Populate();
    m_pForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pForm.get()));
    m_pForm->GetTree()->setCurrentItem(m_pForm->FindGroupItem(QStringLiteral("A")));
    bool bShown = false;
    QTimer::singleShot(0, [&]() {
        if (QWidget *pPopup = QApplication::activePopupWidget()) {
            bShown = true;
            pPopup->close();
        }
    });
    QWidget *pViewport = m_pForm->GetTree()->viewport();
    const QPoint global = pViewport->mapToGlobal(QPoint(5, pViewport->height() - 3));
    QContextMenuEvent event(QContextMenuEvent::Mouse, m_pForm->mapFromGlobal(global), global);
    QApplication::sendEvent(m_pForm.get(), &event);
    QCoreApplication::processEvents();
    QVERIFY(!bShown);
}

void TestNavTree::groupCreate()
{
    Populate();
    m_pForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_pForm.get()));
    QString strAsked = QStringLiteral("unset");
    OnModal<CDlgCreateGroup>([&strAsked](CDlgCreateGroup *pDlg) {
        strAsked = GroupDialogName(pDlg);
        AnswerGroupDialog(pDlg, QStringLiteral("New"));
    });
    QSignalSpy groupSpy(m_pForm.get(), &CFormGroupList::onItemClickGroup);
    QCOMPARE(RunMenu(m_pForm->GetRootItem(), QStringLiteral("Create Group")), QStringList{"Create Group"});
    QCOMPARE(strAsked, QString());
    QCOMPARE(m_pEnv->Mgr()->IndexOfGroup(QStringLiteral("New")), 3);
    QCOMPARE(m_pEnv->Mgr()->GetGroupList().at(3)->sequence, 4u);
    QTreeWidgetItem *pNew = m_pForm->FindGroupItem(QStringLiteral("New"));
    QVERIFY(pNew);
    QCOMPARE(pNew->text(2), QStringLiteral("4"));
    QCOMPARE(m_pForm->GetCurrentItem(), pNew);
    QCOMPARE(groupSpy.count(), 1);

    // A name the manager has already is refused; the tree stays. (Chosen as
    // a location the dialog itself lets it pass.)
    OnModal<CDlgCreateGroup>([](CDlgCreateGroup *pDlg) { AnswerGroupDialog(pDlg, QStringLiteral("New"), 0); });
    T_SeenBox seen;
    AnswerBoxes(&seen, QMessageBox::Ok);
    m_pForm->slotOnGroupAdd();
    QCOMPARE(seen.strText, QStringLiteral("Name already exists!"));
    QCOMPARE(m_pEnv->Mgr()->GetGroupCount(), 4);
    QCOMPARE(m_pForm->GetRootItem()->childCount(), 4);
}

void TestNavTree::groupRename()
{
    Populate();
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    m_pForm->GetTree()->setCurrentItem(pA);
    QString strAsked;
    OnModal<CDlgCreateGroup>([&strAsked](CDlgCreateGroup *pDlg) {
        strAsked = GroupDialogName(pDlg);
        AnswerGroupDialog(pDlg, QStringLiteral("A2"));
    });
    QSignalSpy renameSpy(m_pForm.get(), &CFormGroupList::signalGroupNameChange);
    m_pForm->slotOnGroupEdit();
    QCOMPARE(strAsked, QStringLiteral("A"));
    QCOMPARE(pA->text(0), QStringLiteral("A2"));
    QCOMPARE(renameSpy.count(), 1);
    QCOMPARE(renameSpy.at(0).at(0).toString(), QStringLiteral("A2"));
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("A2"));
    QCOMPARE(m_pW1->GetGroup(), QStringLiteral("A2"));
    QCOMPARE(m_pEnv->Mgr()->IndexOfGroup(QStringLiteral("A")), -1);
}

void TestNavTree::groupRenameToTakenNameRefused()
{
    Populate();
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    m_pForm->GetTree()->setCurrentItem(pA);
    // Chosen as a location, the dialog itself lets the name pass.
    OnModal<CDlgCreateGroup>([](CDlgCreateGroup *pDlg) { AnswerGroupDialog(pDlg, QStringLiteral("B"), 0); });
    T_SeenBox seen;
    AnswerBoxes(&seen, QMessageBox::Ok);
    QSignalSpy renameSpy(m_pForm.get(), &CFormGroupList::signalGroupNameChange);
    m_pForm->slotOnGroupEdit();
    QCOMPARE(seen.nCount, 1);
    QCOMPARE(seen.strText, QStringLiteral("Name already exists!"));
    QCOMPARE(pA->text(0), QStringLiteral("A"));
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("A"));
    QCOMPARE(m_pEnv->Mgr()->GetGroupCount(), 3);
    QCOMPARE(renameSpy.count(), 0);
}

void TestNavTree::groupDelete_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("yes") << true;
    QTest::newRow("no") << false;
}

void TestNavTree::groupDelete()
{
    QFETCH(bool, yes);
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    CHOIDev *pR9 = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b9"), QStringLiteral("r9"), g_strUngrouped);
    m_pForm->slotDevChangeForList(pR9);
    QTreeWidgetItem *pUngrouped = m_pForm->FindGroupItem(g_strUngrouped);
    QCOMPARE(ChildTexts(pUngrouped), QStringList{"r9"});

    m_pForm->GetTree()->setCurrentItem(m_pForm->FindGroupItem(QStringLiteral("A")));
    T_SeenBox seen;
    AnswerBoxes(&seen, yes ? QMessageBox::Yes : QMessageBox::No);
    m_pForm->slotOnGroupDelete();
    QCOMPARE(seen.nCount, 1);
    QCOMPARE(seen.strTitle, QStringLiteral("Delete Group"));
    QCOMPARE(seen.strText, QStringLiteral("Do you want to delete this group?"));
    if (!yes) {
        QVERIFY(m_pForm->FindGroupItem(QStringLiteral("A")));
        QCOMPARE(pMgr->IndexOfGroup(QStringLiteral("A")), 1);
        return;
    }
    QVERIFY(!m_pForm->FindGroupItem(QStringLiteral("A")));
    QCOMPARE(pMgr->IndexOfGroup(QStringLiteral("A")), -1);
    // The members go last into "ungrouped", the wall with its decoder.
    QCOMPARE(ChildTexts(pUngrouped), (QStringList{"r9", "r1", "W1"}));
    QCOMPARE(ChildTexts(pUngrouped, 2), (QStringList{"1", "2", "3"}));
    QCOMPARE(ChildTexts(pUngrouped->child(2)), QStringList{"r2"});
    QCOMPARE(m_pR1->GetGroup(), g_strUngrouped);
    QCOMPARE(m_pR2->GetGroup(), g_strUngrouped);
    QCOMPARE(m_pW1->GetGroup(), g_strUngrouped);
    QCOMPARE(m_pR1->GetSequence(), 2);
    QCOMPARE(ChildTexts(m_pForm->GetRootItem(), 2), (QStringList{"1", "2"}));
}

void TestNavTree::videoWallAdd()
{
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    QTreeWidgetItem *pB = m_pForm->FindGroupItem(QStringLiteral("B"));
    m_pForm->GetTree()->setCurrentItem(pB);
    QString strPreset;
    OnModal<CDlgVWEdit>([&strPreset](CDlgVWEdit *pDlg) {
        strPreset = pDlg->findChild<QComboBox *>(QStringLiteral("cbGroup"))->currentData().toString();
        AnswerWallDialog(pDlg, QStringLiteral("W2"), strPreset);
    });
    QSignalSpy showSpy(m_pForm.get(), &CFormGroupList::signalShowVWScene);
    m_pForm->slotOnVWAdd();
    QCOMPARE(strPreset, QStringLiteral("B"));
    CHOIScene *pW2 = pMgr->FindVideoWallByName(QStringLiteral("W2"));
    QVERIFY(pW2);
    QCOMPARE(ChildTexts(pB), (QStringList{"m1", "W2"}));
    QCOMPARE(GroupItemScene(pB->child(1)), pW2);
    QCOMPARE(pW2->GetLayoutSeq(), 2);
    QCOMPARE(m_pForm->GetCurrentItem(), pB->child(1));
    QCOMPARE(showSpy.count(), 1);
    QCOMPARE(showSpy.at(0).at(0).value<CHOIScene *>(), pW2);
}

void TestNavTree::videoWallRenameRenamesLayouts()
{
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    CHOIScene *pLayout = pMgr->CreateScene(QStringLiteral("W1-x"));
    CHOIScene *pOther = pMgr->CreateScene(QStringLiteral("C-y"));
    CHOIScene *pLookAlike = pMgr->CreateScene(QStringLiteral("W10-z"));
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    QTreeWidgetItem *pWallItem = pA->child(1);
    m_pForm->GetTree()->setCurrentItem(pWallItem);
    OnModal<CDlgVWEdit>([](CDlgVWEdit *pDlg) { AnswerWallDialog(pDlg, QStringLiteral("WB"), QStringLiteral("B")); });
    QSignalSpy nameSpy(m_pForm.get(), &CFormGroupList::signalVWNameChange);
    QSignalSpy layoutSpy(m_pForm.get(), &CFormGroupList::signalLayoutNameChange);
    m_pForm->slotOnVWEdit();
    QCOMPARE(pLayout->GetName(), QStringLiteral("WB-x"));
    QCOMPARE(pOther->GetName(), QStringLiteral("C-y"));
    QCOMPARE(pLookAlike->GetName(), QStringLiteral("W10-z"));
    QCOMPARE(nameSpy.count(), 1);
    QCOMPARE(nameSpy.at(0).at(0).toString(), QStringLiteral("WB"));
    QCOMPARE(layoutSpy.count(), 1);
    // The group changed too: the wall, its decoder and layout went to B.
    QTreeWidgetItem *pB = m_pForm->FindGroupItem(QStringLiteral("B"));
    QCOMPARE(ChildTexts(pB), (QStringList{"m1", "WB"}));
    QCOMPARE(ChildTexts(pB->child(1)), QStringList{"r2"});
    QCOMPARE(ChildTexts(pA), QStringList{"r1"});
    QCOMPARE(m_pR2->GetGroup(), QStringLiteral("B"));
    QCOMPARE(pLayout->GetGroup(), QStringLiteral("B"));
    QCOMPARE(m_pW1->GetLayoutSeq(), 2);
}

void TestNavTree::videoWallDelete()
{
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    pMgr->CreateScene(QStringLiteral("W1-a"));
    pMgr->CreateScene(QStringLiteral("W1-b"));
    pMgr->CreateScene(QStringLiteral("C-y"));
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    m_pForm->GetTree()->setCurrentItem(pA->child(1));
    T_SeenBox seen;
    AnswerBoxes(&seen, QMessageBox::Yes);
    QSignalSpy vwSpy(m_pForm.get(), &CFormGroupList::signalVWItem);
    QSignalSpy groupSpy(m_pForm.get(), &CFormGroupList::signalGroupItem);
    m_pForm->slotOnVWDelete();
    QCOMPARE(seen.strTitle, QStringLiteral("Delete Video Wall"));
    QCOMPARE(seen.strText, QStringLiteral("Do you want to delete this Video Wall?"));
    // The decoder stays in the group, numbered after the others.
    QCOMPARE(ChildTexts(pA), (QStringList{"r1", "r2"}));
    QCOMPARE(ChildTexts(pA, 2), (QStringList{"1", "2"}));
    QCOMPARE(m_pR2->GetVideoWall(), static_cast<CHOIScene *>(nullptr));
    QCOMPARE(m_pR2->GetSequence(), 2);
    QCOMPARE(pMgr->GetSceneCount(), 1);
    QCOMPARE(pMgr->GetScene(0)->GetName(), QStringLiteral("C-y"));
    QCOMPARE(pMgr->FindVideoWallByName(QStringLiteral("W1")), static_cast<CHOIScene *>(nullptr));
    QCOMPARE(vwSpy.count(), 1);
    QCOMPARE(groupSpy.count(), 1);
    QCOMPARE(groupSpy.at(0).at(0).value<QTreeWidgetItem *>(), pA);
    QCOMPARE(m_pForm->GetCurrentItem(), pA);
}

void TestNavTree::videoWallGoneWhileAsked()
{
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    // While the question is open the wall goes and a new wall of its name
    // comes with a layout: the Yes takes neither.
    CHOIScene *pNew = nullptr;
    SetMessageBoxRunner([&](QMessageBox &) {
        pMgr->RemoveVideoWall(m_pW1);
        pNew = m_pEnv->AddWall(QStringLiteral("W1"), QStringLiteral("A"), 2);
        pMgr->CreateScene(QStringLiteral("W1-a"));
        return int(QMessageBox::Yes);
    });
    QVERIFY(!m_pForm->DeleteVideoWall(m_pW1, m_pForm.get()));
    QVERIFY(pNew);
    QCOMPARE(pMgr->FindVideoWallByName(QStringLiteral("W1")), pNew);
    QVERIFY(pMgr->FindSceneByName(QStringLiteral("W1-a")));
}

void TestNavTree::doubleClickEditsDevicesOnly()
{
    Populate();
    QList<CHOIDev *> edited;
    CModalWatcher watcher(
        [&edited](QWidget *pWidget) {
            if (CDlgDevEdit *pDlg = qobject_cast<CDlgDevEdit *>(pWidget)) {
                CHOIDev *pDev = VariantToDev(pDlg->findChild<QComboBox *>(QStringLiteral("cbDevices"))->currentData());
                edited << pDev;
                // What the dialog reports reaches the tree.
                pDev->SetName(QStringLiteral("edited"));
                emit pDlg->onDevChanged(pDev);
            }
            pWidget->close();
        },
        false, true);
    QSignalSpy aliasSpy(m_pForm.get(), &CFormGroupList::signalGroupItemforAliasModity);
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    QTreeWidget *pTree = m_pForm->GetTree();
    emit pTree->itemDoubleClicked(pA, 0);
    emit pTree->itemDoubleClicked(pA->child(1), 0);
    emit pTree->itemDoubleClicked(m_pForm->GetRootItem(), 0);
    QCOMPARE(edited.size(), 0);

    emit pTree->itemDoubleClicked(pA->child(0), 0);
    QCOMPARE(edited, QList<CHOIDev *>{m_pR1});
    QCOMPARE(pA->child(0)->text(0), QStringLiteral("edited"));
    // Once for the change, once when the dialog closed.
    QCOMPARE(aliasSpy.count(), 2);
    QCOMPARE(aliasSpy.at(1).at(0).value<QTreeWidgetItem *>(), pA);

    // A decoder in a wall: no group page to refresh.
    emit pTree->itemDoubleClicked(pA->child(1)->child(0), 0);
    QCOMPARE(edited.size(), 2);
    QCOMPARE(aliasSpy.count(), 2);
}

void TestNavTree::changeGroup()
{
    Populate();
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    QTreeWidgetItem *pB = m_pForm->FindGroupItem(QStringLiteral("B"));
    QTreeWidgetItem *pR1Item = pA->child(0);
    m_pForm->GetTree()->setCurrentItem(pR1Item);
    QString strAsked;
    auto choose = [&strAsked](CDlgRxChangeGroup *pDlg, QDialogButtonBox::StandardButton button) {
        strAsked = pDlg->findChild<QLabel *>(QStringLiteral("lbDevName"))->text();
        QComboBox *pGroup = pDlg->findChild<QComboBox *>(QStringLiteral("cbGroup"));
        pGroup->setCurrentIndex(pGroup->findData(QStringLiteral("B")));
        pDlg->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))->button(button)->click();
    };
    QSignalSpy groupSpy(m_pForm.get(), &CFormGroupList::onItemClickGroup);
    // Cancelled: the device stays.
    OnModal<CDlgRxChangeGroup>([&choose](CDlgRxChangeGroup *pDlg) { choose(pDlg, QDialogButtonBox::Cancel); });
    m_pForm->slotOnDevChangeGroup();
    QCOMPARE(strAsked, QStringLiteral("r1"));
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("A"));
    QCOMPARE(groupSpy.count(), 0);
    strAsked.clear();
    OnModal<CDlgRxChangeGroup>([&choose](CDlgRxChangeGroup *pDlg) { choose(pDlg, QDialogButtonBox::Ok); });
    m_pForm->slotOnDevChangeGroup();
    QCOMPARE(strAsked, QStringLiteral("r1"));
    QCOMPARE(m_pR1->GetGroup(), QStringLiteral("B"));
    QCOMPARE(ChildTexts(pB), (QStringList{"m1", "r1"}));
    QCOMPARE(pB->child(1)->text(2), QStringLiteral("2"));
    QCOMPARE(ChildTexts(pA), QStringList{"W1"});
    QCOMPARE(groupSpy.count(), 1);
    QCOMPARE(groupSpy.at(0).at(0).value<QTreeWidgetItem *>(), pA);

    // The batch dialog reports each device it moved.
    OnModal<CDlgBatchGroup>([](CDlgBatchGroup *pDlg) {
        QComboBox *pTarget = pDlg->findChild<QComboBox *>(QStringLiteral("cbSelectGroup"));
        pTarget->setCurrentIndex(pTarget->findData(QStringLiteral("A")));
        QTreeWidget *pDevices = pDlg->findChild<QTreeWidget *>(QStringLiteral("twDevice"));
        pDevices->findItems(QStringLiteral("m1"), Qt::MatchExactly).first()->setSelected(true);
        pDlg->findChild<QPushButton *>(QStringLiteral("pbApply"))->click();
        pDlg->reject();
    });
    QTest::mouseClick(m_pForm->findChild<QPushButton *>(QStringLiteral("pbBatchGroup")), Qt::LeftButton);
    QCOMPARE(ChildTexts(pA), (QStringList{"W1", "m1"}));
    QCOMPARE(m_pM1->GetSequence(), 2);
}

void TestNavTree::deleteDevices()
{
    Populate();
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
    m_pForm->GetTree()->setCurrentItem(pA->child(0));
    pA->child(0)->setSelected(true);
    T_SeenBox seen;
    AnswerBoxes(&seen, QMessageBox::No);
    m_pForm->slotDeleteDevices();
    QCOMPARE(seen.strText, QStringLiteral("Are you sure you want to delete the selected devices?"));
    QCOMPARE(pMgr->GetDevCount(), 4);

    AnswerBoxes(&seen, QMessageBox::Yes);
    QSignalSpy frameSpy(m_pForm.get(), &CFormGroupList::signalDevFrame);
    m_pForm->slotDeleteDevices();
    QCOMPARE(pMgr->GetDevCount(), 3);
    QVERIFY(!pMgr->FindDevByHostName(QStringLiteral("ZRX-0000000000b1")));
    QCOMPARE(ChildTexts(pA), QStringList{"W1"});
    QCOMPARE(frameSpy.count(), 1);
    QCOMPARE(frameSpy.at(0).at(0).value<QTreeWidgetItem *>(), pA);
}

void TestNavTree::edidExport()
{
    Populate();
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // A whole EDID, in the odd spellings the conversion takes.
    QString strEdid = QStringLiteral("00 ff ff,0xff 1ff ff ff 00");
    for (int i = 8; i < 127; ++i)
        strEdid += QStringLiteral(" 00");
    m_pR1->m_strEdid = strEdid + QStringLiteral(" 06/01 02");
    m_pForm->GetTree()->setCurrentItem(m_pForm->FindDevItem(m_pR1));
    T_FileDialogRequest asked;
    const QString strPath = dir.filePath(QStringLiteral("out.bin"));
    SetFileDialogRunner([&](const T_FileDialogRequest &request) {
        asked = request;
        return strPath;
    });
    T_SeenBox seen;
    AnswerBoxes(&seen, QMessageBox::Ok);
    m_pForm->slotEDIDExport();
    QCOMPARE(asked.eKind, E_FD_SAVE_FILE);
    QCOMPARE(asked.strCaption, QStringLiteral("EDID Export"));
    QCOMPARE(asked.strFilter, QStringLiteral("Sceneinfo file (*.bin)"));
    QCOMPARE(asked.strDir, EdidDirPath());
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray::fromHex("00ffffffffffff00") + QByteArray(119, '\0') + '\x06');
    QCOMPARE(seen.strText, QStringLiteral("Exported successfully."));

    // A file that cannot be written is reported, not claimed.
    SetFileDialogRunner([&](const T_FileDialogRequest &) { return dir.filePath(QStringLiteral("no/such/dir.bin")); });
    m_pForm->slotEDIDExport();
    QCOMPARE(seen.strText, QStringLiteral("Exported failed."));
}

void TestNavTree::edidExportEmpty()
{
    Populate();
    m_pForm->GetTree()->setCurrentItem(m_pForm->FindDevItem(m_pR1));
    bool bAsked = false;
    SetFileDialogRunner([&](const T_FileDialogRequest &) {
        bAsked = true;
        return QString();
    });
    T_SeenBox seen;
    AnswerBoxes(&seen, QMessageBox::Ok);
    m_pForm->slotEDIDExport();
    QCOMPARE(seen.nCount, 1);
    QCOMPARE(seen.strText, QStringLiteral("the EDID is empty."));
    QVERIFY(!bAsked);
}

// In Chinese the root, the pseudo-group and the type column read Chinese,
// after a switch at run time as after a rebuild, and English again once the
// catalogue is gone. The pseudo-group keeps its stored name throughout.
void TestNavTree::languageOfRootGroupsAndTypes()
{
    Populate();
    QTreeWidget *pTree = m_pForm->GetTree();
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("zh_CN.qm"), qEnvironmentVariable("HOI_BIN_DIR")));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();
    const QStringList chinese{"所有分组", "未分组", "分组", "电视墙", "A"};
    const QStringList english{"All Groups", "ungrouped", "Group", "Video Wall", "A"};
    auto shown = [&]() {
        QTreeWidgetItem *pUngrouped = m_pForm->FindGroupItem(g_strUngrouped);
        QTreeWidgetItem *pA = m_pForm->FindGroupItem(QStringLiteral("A"));
        if (!pUngrouped || !pA)
            return QStringList();
        return QStringList{m_pForm->GetRootItem()->text(0), ShownText(pTree, pUngrouped), pUngrouped->text(1),
                           m_pForm->FindWallItem(pA, QStringLiteral("W1"))->text(1), ShownText(pTree, pA)};
    };
    QCOMPARE(shown(), chinese);
    m_pForm->slotRefreshDeives();
    QCOMPARE(shown(), chinese);
    QCOMPARE(m_pForm->FindGroupItem(g_strUngrouped)->text(0), QStringLiteral("ungrouped"));

    QVERIFY(QCoreApplication::removeTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(shown(), english);
    QVERIFY(m_pEnv->Mgr()->IndexOfGroup(QStringLiteral("ungrouped")) >= 0);
}

QTEST_MAIN(TestNavTree)
#include "tst_navtree.moc"
