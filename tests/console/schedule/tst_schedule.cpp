// The schedule list and editor: what the manager's list holds after Add,
// Modify and Remove, the editor's refusals and the button rules.
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimeEdit>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest>

#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/itemdata.h"
#include "schedule/dlgschedule.h"
#include "schedule/dlgscheduleedit2.h"

#include "consoletestsupport.h"

namespace {

struct T_ListForm
{
    explicit T_ListForm(QWidget &dlg)
        : pAdd(dlg.findChild<QPushButton *>(QStringLiteral("btnAdd")))
        , pModify(dlg.findChild<QPushButton *>(QStringLiteral("btnModify")))
        , pRemove(dlg.findChild<QPushButton *>(QStringLiteral("btnRemove")))
        , pTree(dlg.findChild<QTreeWidget *>(QStringLiteral("treeWidget")))
    {
    }
    QPushButton *pAdd;
    QPushButton *pModify;
    QPushButton *pRemove;
    QTreeWidget *pTree;
};

struct T_EditForm
{
    explicit T_EditForm(QWidget *pDlg)
        : pDate(pDlg->findChild<QDateEdit *>(QStringLiteral("dateEditStart")))
        , pTime(pDlg->findChild<QTimeEdit *>(QStringLiteral("timeEdit")))
        , pScenes(pDlg->findChild<QComboBox *>(QStringLiteral("cmbScenes")))
        , pButtons(pDlg->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox")))
    {
    }
    void Ok() const { pButtons->button(QDialogButtonBox::Ok)->click(); }
    void Cancel() const { pButtons->button(QDialogButtonBox::Cancel)->click(); }

    QDateEdit *pDate;
    QTimeEdit *pTime;
    QComboBox *pScenes;
    QDialogButtonBox *pButtons;
};

const QString kNoScene = QStringLiteral("Select a scene to execute!");
const QString kPast = QStringLiteral("Start datetime can not be earlier than the current datetime!");

T_ScheduleDate MakeDate(const QDate &date)
{
    T_ScheduleDate d;
    d.year = quint16(date.year());
    d.month = quint16(date.month());
    d.day = quint16(date.day());
    return d;
}

} // namespace

class TestSchedule : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void emptyListDisablesButtons();
    void listShowsRecords();
    void selectionRule();
    void addStoresRunOnceRecord();
    void addCancelStoresNothing();
    void modifyKeepsRecurrence_data();
    void modifyKeepsRecurrence();
    void modifyCancelKeepsRecord();
    void nullSceneNeedsChoice();
    void pastSecondsRefused();
    void removeSelected();
    void retranslate();

private:
    T_ScheduleInfo *Store(int type, CHOIScene *pScene, const QDate &date, int h, int m, int s);

    CHOIDevMgr *m_pMgr = nullptr;
    CHOIScene *m_pHallA = nullptr;
    CHOIScene *m_pHallB = nullptr;
    CHOIScene *m_pStage = nullptr;
};

void TestSchedule::initTestCase()
{
    m_pMgr = new CHOIDevMgr;
    m_pMgr->SetOnLineTimings(-1, 5000);
    // Nothing here is due; keep the check from running at all.
    m_pMgr->SetScheduleInterval(3600000);
    g_pHOIDevMgr = m_pMgr;
    m_pHallA = m_pMgr->CreateScene(QStringLiteral("Hall-A"));
    m_pHallB = m_pMgr->CreateScene(QStringLiteral("Hall-B"));
    m_pStage = m_pMgr->CreateScene(QStringLiteral("Stage-Night"));
    QVERIFY(m_pHallA && m_pHallB && m_pStage);
}

void TestSchedule::cleanupTestCase()
{
    g_pHOIDevMgr = nullptr;
    delete m_pMgr;
}

void TestSchedule::cleanup()
{
    m_pMgr->ClearSchedules();
}

T_ScheduleInfo *TestSchedule::Store(int type, CHOIScene *pScene, const QDate &date, int h, int m, int s)
{
    // As the project reader stores them: any type, possibly without a layout.
    T_ScheduleInfo *pInfo = new T_ScheduleInfo;
    pInfo->type = type;
    pInfo->start_date = MakeDate(date);
    pInfo->end_date = MakeDate(date.addDays(30));
    pInfo->exec_time.hour = quint8(h);
    pInfo->exec_time.minute = quint8(m);
    pInfo->exec_time.second = quint8(s);
    pInfo->weekdays = 0x15;
    pInfo->scene = pScene;
    m_pMgr->m_scheduleList.append(pInfo);
    return pInfo;
}

void TestSchedule::emptyListDisablesButtons()
{
    CDlgSchedule dlg(nullptr);
    T_ListForm form(dlg);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Schedule"));
    QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(form.pTree->topLevelItemCount(), 0);
    QVERIFY(form.pAdd->isEnabled());
    QVERIFY(!form.pModify->isEnabled());
    QVERIFY(!form.pRemove->isEnabled());
}

void TestSchedule::listShowsRecords()
{
    T_ScheduleInfo *pFirst = Store(2, m_pHallB, QDate(2017, 5, 9), 9, 5, 0);
    T_ScheduleInfo *pSecond = Store(4, nullptr, QDate(2030, 12, 31), 23, 59, 59);
    CDlgSchedule dlg(nullptr);
    T_ListForm form(dlg);

    QCOMPARE(form.pTree->topLevelItemCount(), 2);
    QTreeWidgetItem *pRow = form.pTree->topLevelItem(0);
    QCOMPARE(pRow->text(0), QStringLiteral("Hall-B"));
    QCOMPARE(pRow->text(1), QStringLiteral("2017-5-9"));
    QCOMPARE(pRow->text(2), QStringLiteral("09:05"));
    QCOMPARE(VariantToPtr<T_ScheduleInfo>(pRow->data(0, Qt::UserRole)), pFirst);
    pRow = form.pTree->topLevelItem(1);
    QCOMPARE(pRow->text(0), QString());
    QCOMPARE(pRow->text(1), QStringLiteral("2030-12-31"));
    QCOMPARE(pRow->text(2), QStringLiteral("23:59"));
    QCOMPARE(VariantToPtr<T_ScheduleInfo>(pRow->data(0, Qt::UserRole)), pSecond);
    // With rows and no selection yet, both stay as the form made them.
    QVERIFY(form.pModify->isEnabled());
    QVERIFY(form.pRemove->isEnabled());
}

void TestSchedule::selectionRule()
{
    for (int i = 0; i < 3; ++i)
        Store(4, m_pHallA, QDate(2031, 1, 1 + i), 8, 0, 0);
    CDlgSchedule dlg(nullptr);
    T_ListForm form(dlg);
    form.pTree->topLevelItem(0)->setSelected(true);
    QVERIFY(form.pModify->isEnabled());
    QVERIFY(form.pRemove->isEnabled());
    form.pTree->topLevelItem(2)->setSelected(true);
    QVERIFY(!form.pModify->isEnabled());
    QVERIFY(form.pRemove->isEnabled());
    form.pTree->clearSelection();
    QVERIFY(!form.pModify->isEnabled());
    QVERIFY(!form.pRemove->isEnabled());
}

void TestSchedule::addStoresRunOnceRecord()
{
    CBoxRecorder boxes;
    CModalWatcher driver;
    const QDate tomorrow = QDate::currentDate().addDays(1);
    driver.Then([&](QWidget *pDlg) {
        T_EditForm form(pDlg);
        QCOMPARE(pDlg->windowTitle(), QStringLiteral("Edit Schedule"));
        QCOMPARE(form.pDate->date(), QDate::currentDate());
        QCOMPARE(form.pTime->time(), QTime(0, 0));
        QCOMPARE(form.pScenes->count(), 3);
        QCOMPARE(form.pScenes->itemText(2), QStringLiteral("Stage-Night"));
        QCOMPARE(form.pScenes->currentIndex(), -1);
        QCOMPARE(form.pButtons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Ok"));

        form.Ok();
        form.pScenes->setCurrentIndex(2);
        // Today at 00:00 lies in the past (but for the first minute of the day).
        if (QTime::currentTime() >= QTime(0, 1))
            form.Ok();
        form.pDate->setDate(tomorrow);
        form.pTime->setTime(QTime(7, 45));
        form.Ok();
    });

    CDlgSchedule dlg(nullptr);
    T_ListForm form(dlg);
    form.pAdd->click();
    QCOMPARE(driver.Count(), 1);

    QStringList expected{kNoScene};
    if (QTime::currentTime() >= QTime(0, 1))
        expected << kPast;
    QCOMPARE(boxes.Texts(), expected);
    for (const T_SeenBox &box : boxes.Boxes()) {
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.title, QString());
    }

    QCOMPARE(m_pMgr->m_scheduleList.size(), 1);
    const T_ScheduleInfo *pInfo = m_pMgr->m_scheduleList.at(0);
    QCOMPARE(pInfo->type, 4);
    QCOMPARE(pInfo->scene, m_pStage);
    QCOMPARE(pInfo->start_date.year, quint16(tomorrow.year()));
    QCOMPARE(pInfo->start_date.month, quint16(tomorrow.month()));
    QCOMPARE(pInfo->start_date.day, quint16(tomorrow.day()));
    QCOMPARE(pInfo->end_date.year, pInfo->start_date.year);
    QCOMPARE(pInfo->end_date.month, pInfo->start_date.month);
    QCOMPARE(pInfo->end_date.day, pInfo->start_date.day);
    QCOMPARE(int(pInfo->exec_time.hour), 7);
    QCOMPARE(int(pInfo->exec_time.minute), 45);
    QCOMPARE(int(pInfo->exec_time.second), 0);
    QCOMPARE(pInfo->weekdays, quint32(255));
    QVERIFY(pInfo->limit_date);
    QVERIFY(pInfo->activited);
    QVERIFY(!pInfo->fired);

    // The new row is the manager's record, and it is not selected.
    QCOMPARE(form.pTree->topLevelItemCount(), 1);
    QTreeWidgetItem *pRow = form.pTree->topLevelItem(0);
    QCOMPARE(VariantToPtr<T_ScheduleInfo>(pRow->data(0, Qt::UserRole)), pInfo);
    QCOMPARE(pRow->text(0), QStringLiteral("Stage-Night"));
    QCOMPARE(pRow->text(2), QStringLiteral("07:45"));
    QVERIFY(!pRow->isSelected());
}

void TestSchedule::addCancelStoresNothing()
{
    CBoxRecorder boxes;
    CModalWatcher driver;
    driver.Then([](QWidget *pDlg) {
        T_EditForm form(pDlg);
        form.pScenes->setCurrentIndex(0);
        form.pDate->setDate(QDate::currentDate().addDays(3));
        form.Cancel();
    });
    CDlgSchedule dlg(nullptr);
    T_ListForm(dlg).pAdd->click();
    QCOMPARE(driver.Count(), 1);
    QVERIFY(m_pMgr->m_scheduleList.isEmpty());
    QCOMPARE(T_ListForm(dlg).pTree->topLevelItemCount(), 0);
    QVERIFY(boxes.Boxes().isEmpty());
}

void TestSchedule::modifyKeepsRecurrence_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<bool>("changeTime");
    QTest::addColumn<int>("startDays"); // from today
    QTest::newRow("month-days, button") << 1 << false << false << 10;
    QTest::newRow("weekdays, double click, started") << 2 << true << false << -40;
    QTest::newRow("every day, started, new time") << 3 << false << true << -400;
    QTest::newRow("once, new time") << 4 << false << true << 10;
}

void TestSchedule::modifyKeepsRecurrence()
{
    QFETCH(int, type);
    QFETCH(bool, doubleClick);
    QFETCH(bool, changeTime);
    QFETCH(int, startDays);

    const QDate date = QDate::currentDate().addDays(startDays);
    T_ScheduleInfo *pOther = Store(4, m_pHallA, date, 6, 0, 0);
    T_ScheduleInfo *pInfo = Store(type, m_pHallB, date, 10, 30, 45);
    pInfo->activited = false;
    const T_ScheduleInfo before = *pInfo;

    CModalWatcher driver;
    CBoxRecorder boxes;
    driver.Then([&](QWidget *pDlg) {
        T_EditForm form(pDlg);
        QCOMPARE(form.pDate->date(), date);
        QCOMPARE(form.pTime->time(), QTime(10, 30, 45));
        QCOMPARE(form.pScenes->currentText(), QStringLiteral("Hall-B"));
        form.pScenes->setCurrentIndex(2);
        if (changeTime)
            form.pTime->setTime(QTime(11, 15));
        form.Ok();
    });

    CDlgSchedule dlg(nullptr);
    T_ListForm form(dlg);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTreeWidgetItem *pRow = form.pTree->topLevelItem(1);
    form.pTree->setCurrentItem(pRow);
    if (doubleClick) {
        const QRect rect = form.pTree->visualItemRect(pRow);
        // A real double click: press and release, then the double-click press.
        QWidget *pViewport = form.pTree->viewport();
        QTest::mouseClick(pViewport, Qt::LeftButton, Qt::NoModifier, rect.center());
        QMouseEvent dbl(QEvent::MouseButtonDblClick, rect.center(), pViewport->mapToGlobal(rect.center()),
                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(pViewport, &dbl);
    } else {
        form.pModify->click();
    }
    QCOMPARE(driver.Count(), 1);
    QVERIFY(boxes.Texts().isEmpty());

    // The rule, its days and its period stay; the operator's changes land.
    QCOMPARE(m_pMgr->m_scheduleList, (QList<T_ScheduleInfo *>{pOther, pInfo}));
    QCOMPARE(pInfo->type, type);
    QCOMPARE(pInfo->scene, m_pStage);
    QCOMPARE(pInfo->weekdays, type == 4 ? quint32(255) : before.weekdays);
    const T_ScheduleDate end = type == 4 ? before.start_date : before.end_date;
    QCOMPARE(pInfo->end_date.day, end.day);
    QCOMPARE(pInfo->end_date.month, end.month);
    QCOMPARE(pInfo->end_date.year, end.year);
    QCOMPARE(pInfo->start_date.day, before.start_date.day);
    QCOMPARE(pInfo->start_date.year, before.start_date.year);
    QVERIFY(!pInfo->activited);
    if (changeTime) {
        QCOMPARE(int(pInfo->exec_time.hour), 11);
        QCOMPARE(int(pInfo->exec_time.minute), 15);
        QCOMPARE(int(pInfo->exec_time.second), 0);
    } else {
        QCOMPARE(int(pInfo->exec_time.second), 45);
    }
    QCOMPARE(pRow->text(0), QStringLiteral("Stage-Night"));
    QCOMPARE(pRow->text(2), changeTime ? QStringLiteral("11:15") : QStringLiteral("10:30"));
    QCOMPARE(form.pTree->indexOfTopLevelItem(pRow), 1);
}

void TestSchedule::modifyCancelKeepsRecord()
{
    T_ScheduleInfo *pInfo = Store(2, m_pHallA, QDate(2030, 3, 4), 5, 6, 7);
    const T_ScheduleInfo before = *pInfo;
    CModalWatcher driver;
    driver.Then([](QWidget *pDlg) {
        T_EditForm form(pDlg);
        form.pScenes->setCurrentIndex(1);
        form.pDate->setDate(QDate(2031, 1, 1));
        form.Cancel();
    });
    CDlgSchedule dlg(nullptr);
    T_ListForm form(dlg);
    form.pTree->setCurrentItem(form.pTree->topLevelItem(0));
    form.pModify->click();
    QCOMPARE(driver.Count(), 1);
    QCOMPARE(pInfo->type, 2);
    QCOMPARE(pInfo->scene, m_pHallA);
    QCOMPARE(pInfo->start_date.year, before.start_date.year);
    QCOMPARE(pInfo->end_date.day, before.end_date.day);
    QCOMPARE(pInfo->weekdays, before.weekdays);
    QCOMPARE(form.pTree->topLevelItem(0)->text(1), QStringLiteral("2030-3-4"));
}

void TestSchedule::nullSceneNeedsChoice()
{
    T_ScheduleInfo *pInfo = Store(4, nullptr, QDate::currentDate().addDays(2), 12, 0, 0);
    CBoxRecorder boxes;
    CDlgScheduleEdit2 edit(pInfo, nullptr);
    T_EditForm form(&edit);
    QCOMPARE(form.pScenes->currentIndex(), -1);
    edit.accept();
    QCOMPARE(boxes.Texts(), QStringList{kNoScene});
    QVERIFY(!pInfo->scene);
    QCOMPARE(edit.result(), int(QDialog::Rejected));

    form.pScenes->setCurrentIndex(1);
    edit.accept();
    QCOMPARE(boxes.Texts().size(), 1);
    QCOMPARE(edit.result(), int(QDialog::Accepted));
    QCOMPARE(pInfo->scene, m_pHallB);
}

void TestSchedule::pastSecondsRefused()
{
    // Today, this very minute, a second ago (skipped across midnight).
    const QDateTime past = QDateTime::currentDateTime().addSecs(-1);
    if (past.date() != QDate::currentDate())
        QSKIP("too close to midnight");
    T_ScheduleInfo *pInfo =
        Store(4, m_pHallA, past.date(), past.time().hour(), past.time().minute(), past.time().second());
    const T_ScheduleInfo before = *pInfo;
    CBoxRecorder boxes;
    CDlgScheduleEdit2 edit(pInfo, nullptr);
    T_EditForm form(&edit);
    QCOMPARE(form.pScenes->currentIndex(), 0);
    form.pScenes->setCurrentIndex(2);
    edit.accept();
    QCOMPARE(boxes.Texts(), QStringList{kPast});
    QCOMPARE(edit.result(), int(QDialog::Rejected));
    QCOMPARE(pInfo->scene, m_pHallA);
    QCOMPARE(pInfo->end_date.day, before.end_date.day);
    QCOMPARE(pInfo->weekdays, before.weekdays);
}

void TestSchedule::removeSelected()
{
    QList<T_ScheduleInfo *> records;
    for (int i = 0; i < 5; ++i)
        records << Store(4, m_pHallA, QDate(2032, 2, 1 + i), 8, i, 0);
    CBoxRecorder boxes;
    CDlgSchedule dlg(nullptr);
    T_ListForm form(dlg);
    for (int row : {3, 0, 2})
        form.pTree->topLevelItem(row)->setSelected(true);

    boxes.Answer(QMessageBox::No);
    form.pRemove->click();
    QCOMPARE(boxes.Boxes().size(), 1);
    const T_SeenBox box = boxes.Boxes().at(0);
    QCOMPARE(box.text, QStringLiteral("Sure to delete selected schedule?"));
    QCOMPARE(box.title, QString());
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.defaultButton, QMessageBox::No);
    QCOMPARE(m_pMgr->m_scheduleList, records);
    QCOMPARE(form.pTree->topLevelItemCount(), 5);

    boxes.Answer(QMessageBox::Yes);
    form.pRemove->click();
    QCOMPARE(m_pMgr->m_scheduleList, (QList<T_ScheduleInfo *>{records.at(1), records.at(4)}));
    QCOMPARE(form.pTree->topLevelItemCount(), 2);
    QCOMPARE(form.pTree->topLevelItem(0)->text(1), QStringLiteral("2032-2-2"));
    QCOMPARE(form.pTree->topLevelItem(1)->text(1), QStringLiteral("2032-2-5"));
    QVERIFY(!form.pModify->isEnabled());
    QVERIFY(!form.pRemove->isEnabled());

    // Nothing selected: no question.
    form.pRemove->setEnabled(true);
    form.pRemove->click();
    QCOMPARE(boxes.Boxes().size(), 2);
}

void TestSchedule::retranslate()
{
    const QString binDir = qEnvironmentVariable("HOI_BIN_DIR");
    QTranslator translator;
    if (binDir.isEmpty() || !translator.load(QStringLiteral("zh_CN.qm"), binDir))
        QSKIP("zh_CN.qm is not built");
    Store(4, m_pHallA, QDate(2033, 4, 5), 1, 2, 0);
    CDlgSchedule dlg(nullptr);
    T_ScheduleInfo info;
    CDlgScheduleEdit2 edit(&info, nullptr);
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("定时任务"));
    QCOMPARE(T_ListForm(dlg).pTree->topLevelItem(0)->text(1), QStringLiteral("2033年4月5日"));
    QTRY_COMPARE(T_EditForm(&edit).pButtons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Schedule"));
    QCOMPARE(T_ListForm(dlg).pTree->topLevelItem(0)->text(1), QStringLiteral("2033-4-5"));
    QTRY_COMPARE(T_EditForm(&edit).pButtons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("Ok"));
}

QTEST_MAIN(TestSchedule)
#include "tst_schedule.moc"
