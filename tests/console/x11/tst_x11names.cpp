// Every name readable on a real X display (Xvfb, 1280 x 1024), over
// simulated devices in a private test LAN, in English and in Chinese: tiles
// and grid cells show each name whole, or cut in the middle with the whole
// text as tool tip, each tile wholly in sight; list, tree and IR chooser
// columns are as wide as what they hold; no two decoders look alike.
// Screenshots of each page are kept beside the test (names_<lang>_<page>.png).
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "consoletestsupport.h"
#include "control/dlgirctrl.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"
#include "hoiwidget/columnfit.h"
#include "hoiwidget/elidelabel.h"
#include "hoiwidget/gpcellitem.h"
#include "hoiwidget/tablegraphicsview.h"
#include "mainwindow/mainwindow.h"
#include "navtree/formgrouplist.h"
#include "platform/openglstack.h"
#include "simdevice_commands.h"
#include "simlan.h"

namespace {

// Four decoders form the wall; the names that differ only at their end are
// longer than a tile or a cell.
const char *const kModels[] = {"IPE1000", "IPE2000", "IPD1000", "IPD1000", "IPD1000",
                               "IPD1000", "IPD1000", "IPD1000", "IPM2000"};
const char *const kTypes[] = {"TX", "TX", "RX", "RX", "RX", "RX", "RX", "RX", "MRX"};
const char *const kAliases[] = {nullptr, "Lecture-Hall-Stage-Camera-Feed-Two", nullptr, nullptr,
                                "Lobby-Wall-Lower-Row-Screen-Left", "Lobby-Wall-Lower-Row-Screen-Right",
                                "Reception-Display-North-Entrance-Left",
                                "Reception-Display-North-Entrance-Right", nullptr};
const int kDevCount = 9;

template <class T>
T *Child(QObject *pParent, const char *pszName)
{
    return pParent->findChild<T *>(QString::fromLatin1(pszName));
}

// Empty when shown is whole, or whole cut in the middle.
QString Cut(const QString &shown, const QString &whole)
{
    const int nCut = shown.indexOf(QChar(0x2026));
    const QString head = shown.left(nCut);
    const QString tail = shown.mid(nCut + 1);
    if (shown == whole
        || (nCut > 0 && !tail.isEmpty() && whole.startsWith(head) && whole.endsWith(tail)
            && head.size() + tail.size() < whole.size()))
        return QString();
    return QStringLiteral("'%1' is not '%2' cut in the middle").arg(shown, whole);
}

} // namespace

class TestX11Names : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void namesReadable_data();
    void namesReadable();

private:
    void Shoot(const QString &strPage, const QPixmap &shot = QPixmap());
    void CheckColumns(QTreeView *pView);

    CSimLan m_lan;
    CHOIDevMgr m_mgr;
    QString m_strLanguage;
};

void TestX11Names::initTestCase()
{
    QVERIFY2(CSimLan::IsTestLan() && !qEnvironmentVariableIsEmpty("DISPLAY"), "run me in the test LAN on Xvfb");
    InitConsoleResources();
    qRegisterMetaType<E_CommResult>("E_CommResult");
    for (const char *pszFile : {"config.xml", "zh_CN.qm", "widgets_CN.qm", "en_US.qm", "widgets_US.qm"}) {
        const QString strTarget = QCoreApplication::applicationDirPath() + QLatin1Char('/') + pszFile;
        QFile::remove(strTarget);
        QVERIFY2(QFile::copy(qEnvironmentVariable("HOI_BIN_DIR") + QLatin1Char('/') + pszFile, strTarget), pszFile);
    }
    for (int i = 0; i < kDevCount; ++i)
        SimInstallDeviceCommands(*m_lan.AddDevice(CSimLan::HostNameFor(kModels[i], i), kTypes[i]));
    QVERIFY(m_lan.Start());
    g_pHOIDevMgr = &m_mgr;
    m_mgr.SetSearchRoundInterval(100);
    QVERIFY(m_mgr.LoadProdConfig());
    m_mgr.m_nIsWelcome = 1;
    m_mgr.m_nIsPrompt = 1;
    QSignalSpy stop(&m_mgr, &CHOIDevMgr::OnSearchStop);
    QVERIFY(m_mgr.StartSearch(false));
    QVERIFY(stop.wait(30000));
    QList<CHOIDev *> devs;
    for (int i = 0; i < kDevCount; ++i) {
        devs << m_mgr.FindDevByHostName(CSimLan::HostNameFor(kModels[i], i));
        QVERIFY(devs.last());
        if (kAliases[i])
            devs.last()->SetName(kAliases[i]);
        if (i > 1)
            devs.last()->SetGroup("Lobby");
    }
    // Groups "Lobby" (a 2 x 2 wall, three decoders, the wall's layout in the
    // grid) and one whose name is longer than a tile.
    m_mgr.AddGroup(g_strUngrouped, 1);
    m_mgr.AddGroup("Lobby", 2);
    m_mgr.AddGroup("Conference-Centre-East-Wing-Level-2", 3);
    CHOIScene *pWall = m_mgr.GetOrCreateVideoWall("Lobby wall");
    CHOIScene *pLayout = m_mgr.CreateScene("Lobby wall-Morning");
    for (CHOIScene *pScene : {pWall, pLayout}) {
        pScene->SetGroup("Lobby");
        pScene->SetGridSize(2, 2);
    }
    pLayout->SetDefault(true);
    for (int i = 0; i < 4; ++i) {
        devs[2 + i]->SetVideoWall(pWall);
        pWall->GetCell(i / 2, i % 2)->rx = pLayout->GetCell(i / 2, i % 2)->rx = devs[2 + i];
        pLayout->GetCell(i / 2, i % 2)->txList << devs[i == 2 ? 1 : 0];
    }
    pLayout->GetCell(1, 1)->txList << devs[1];
    devs[6]->SetTXDev(devs[0]);
    devs[7]->SetTXDev(devs[1]);
}

void TestX11Names::Shoot(const QString &strPage, const QPixmap &shot)
{
    QTest::qWait(300); // deferred fits and paints
    const QPixmap screen = shot.isNull() ? QGuiApplication::primaryScreen()->grabWindow(0) : shot;
    QVERIFY(screen.save(QStringLiteral("%1/names_%2_%3.png")
                            .arg(QCoreApplication::applicationDirPath(), m_strLanguage, strPage)));
}

void TestX11Names::CheckColumns(QTreeView *pView)
{
    QVERIFY(pView->model()->rowCount() > 0);
    const QAbstractItemView *pItems = pView;
    for (int c = 0; c < pView->header()->count(); ++c) {
        const int nWanted = qMax(pItems->sizeHintForColumn(c), pView->header()->sectionSizeHint(c));
        QVERIFY2(pView->isColumnHidden(c) || pView->columnWidth(c) >= nWanted,
                 qPrintable(QStringLiteral("%1 %2: %3").arg(pView->objectName()).arg(c).arg(nWanted)));
    }
}

void TestX11Names::namesReadable_data()
{
    QTest::addColumn<QString>("strLanguage");
    QTest::newRow("en") << "English";
    QTest::newRow("zh") << QStringLiteral("中文");
}

void TestX11Names::namesReadable()
{
    QFETCH(QString, strLanguage);
    m_strLanguage = QString::fromLatin1(QTest::currentDataTag());
    MainWindow w;
    // A maximised window's size (Xvfb has no window manager to maximise it).
    w.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QAction *pAction : Child<QMenu>(&w, "menuOption")->actions()) {
        if (pAction->text() == strLanguage)
            pAction->trigger();
    }
    CFormGroupList *pNav = Child<CFormGroupList>(&w, "wgDevFrame_GroupRx");
    QStackedWidget *pLeft = Child<QStackedWidget>(&w, "sw_RXToGroupOrList");
    if (pLeft->currentIndex() != 0) // as the last window left it
        Child<QPushButton>(pNav, "pbGroupToList")->click();
    Child<QPushButton>(pNav, "pbExpand")->click();
    QTreeWidgetItem *pGroup = pNav->FindGroupItem("Lobby");

    // The pages: all groups, one group, the wall's layout; the tiles and
    // the labels of the group tiles.
    const QList<QPair<QTreeWidgetItem *, QString>> pages = {{pNav->GetRootItem(), QStringLiteral("groups")},
                                                            {pGroup, QStringLiteral("tiles")},
                                                            {pNav->FindChildItem(pGroup, "Lobby wall"), "grid"}};
    QSet<QString> decoders;
    for (const auto &page : pages) {
        pNav->slotSetCurrentItem(page.first);
        Shoot(page.second);
        for (QElideLabel *pLabel : Child<QStackedWidget>(&w, "sw_rigthFace")->findChildren<QElideLabel *>()) {
            QWidget *pTile = pLabel->parentWidget();
            if (!pTile->isVisible())
                continue;
            const QString strFault = Cut(pLabel->text(), pLabel->GetFullText());
            QVERIFY2(strFault.isEmpty(), qPrintable(strFault));
            QVERIFY(pLabel->fontMetrics().horizontalAdvance(pLabel->text()) <= pLabel->contentsRect().width());
            QCOMPARE(pLabel->toolTip(), pLabel->text() == pLabel->GetFullText() ? QString() : pLabel->GetFullText());
            const QWidget *pView = pTile->parentWidget()->parentWidget();
            const QRect rect(pTile->mapTo(pView, QPoint(0, 0)), pTile->size());
            QVERIFY2(rect.left() >= 0 && rect.right() < pView->width(), qPrintable(pLabel->GetFullText()));
            if (pLabel->objectName() == "label_Name" && pTile->inherits("CFormDevice")) {
                QVERIFY2(!decoders.contains(pLabel->text()), qPrintable(pLabel->text()));
                decoders << pLabel->text();
            }
        }
    }
    QCOMPARE(decoders.size(), 3);
    CheckColumns(Child<QTreeView>(pNav, "twGroupManageList"));
    CheckColumns(Child<QTreeView>(Child<QWidget>(&w, "wgDevFrame"), "twDevices"));

    // The grid's cells: each line whole or cut, the names whole in the tip.
    CTableGraphicsView *pGrid = Child<CTableGraphicsView>(&w, "tbwScene");
    QSet<QString> screens;
    for (QGraphicsItem *pGraphicsItem : pGrid->scene()->items()) {
        CGpCellItem *pCell = qgraphicsitem_cast<CGpCellItem *>(pGraphicsItem);
        for (CGpCellItem::E_TextLine eLine : {CGpCellItem::E_LINE_TX, CGpCellItem::E_LINE_RX}) {
            const QString strShown = pCell->ShownLineText(eLine);
            QVERIFY2(Cut(strShown, pCell->LineText(eLine)).isEmpty(), qPrintable(strShown));
            // Text starts 20 pixels in; the inside ends 2 before the edge.
            QVERIFY(QFontMetrics(CGpCellItem::TextFont()).horizontalAdvance(strShown) <= 196 - 2 - 20);
        }
        screens << pCell->ShownLineText(CGpCellItem::E_LINE_RX);
        for (CHOIDev *pDev : pCell->GetCell()->txList + QList<CHOIDev *>{pCell->GetCell()->rx})
            QVERIFY(pGrid->CellToolTip(pCell).contains(pDev->GetDisplayName()));
    }
    QCOMPARE(screens.size(), 4);

    // The decoders as a list, and the IR pad's chooser.
    Child<QPushButton>(pNav, "pbGroupToList")->click();
    Shoot(QStringLiteral("list"));
    CheckColumns(Child<QTreeView>(Child<QWidget>(&w, "wgDevFrame_ListRX"), "twDevices"));
    QPixmap padShot;
    QTreeView *pChooser = nullptr;
    int nRoom = 0; // the chooser's width in sight, with the pad open
    OnModal<CDlgIrCtrl>([&](CDlgIrCtrl *pPad) {
        QTest::qWait(300);
        padShot = QGuiApplication::primaryScreen()->grabWindow(0);
        pChooser = Child<QTreeView>(pPad, "treeWidget");
        nRoom = pChooser->viewport()->width();
        pPad->reject();
    });
    CDlgIrCtrl::ShowDlg(nullptr, nullptr);
    QVERIFY(pChooser);
    QVERIFY2(ContentsWidth(pChooser) <= nRoom, qPrintable(QString::number(nRoom)));
    Shoot(QStringLiteral("ir"), padShot);
    CheckColumns(pChooser);
    CDlgIrCtrl::DestroyDlg();
}

int main(int argc, char *argv[])
{
    // The language switch writes its flag into a home of the test's own;
    // the device traffic would drown the findings.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    // As the console starts: without the OpenGL drivers it never uses.
    LeaveOpenGLUnloaded();
    QApplication app(argc, argv);
    TestX11Names test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_x11names.moc"
