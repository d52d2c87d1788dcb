// The layout edit dialog: the kinds the configuration offers, creating a
// layout of a wall, renaming, the name filter and the checks of OK.
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

#include "consoletestsupport.h"
#include "dialogs/dlgsceneedit.h"
#include "hoi_core/hoiconst.h"
#include "hoi_core/hoidev.h"
#include "hoi_core/hoidevmgr.h"
#include "hoi_core/hoiscene.h"

namespace {

QByteArray Config(const QByteArray &switches)
{
    return "<?xml version=\"1.0\"?>\n<hoiprod " + switches
           + ">\n"
             " <product id=\"TXP\" name=\"Enc\" type=\"tx\"/>\n"
             " <product id=\"RXP\" name=\"Dec\" type=\"rx\" tx=\"TXP\"/>\n"
             " <product id=\"RXW\" name=\"Win\" type=\"rx\" tx=\"TXP\" window_enable=\"true\"/>\n"
             "</hoiprod>\n";
}

const QByteArray kAllKinds = "windowlayout_enable=\"true\" vivlayout_enable=\"true\" wplayout_enable=\"true\"";

} // namespace

class TestSceneEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void kindsOffered_data();
    void kindsOffered();
    void createForWall();
    void createSameNameTwice();
    void okChecks_data();
    void okChecks();
    void layoutNameFilter();
    void editWithoutChange();
    void editRename();
    void windowingKindChecksDecoders();
    void kindsInChinese();

private:
    void Load(const QByteArray &switches);
    CHOIDev *AddDev(const QString &hostName);
    CHOIScene *NewWall(const QString &name, int rows, int cols, const QString &group);
    QStringList Kinds(CDlgSceneEdit &dlg) const;

    CHOIDevMgr *m_mgr = nullptr;
    T_SeenBoxes m_boxes{QMessageBox::Yes};
};

void TestSceneEdit::initTestCase()
{
    m_mgr = new CHOIDevMgr;
    m_mgr->SetOnLineTimings(-1, 5000); // no background discovery
    g_pHOIDevMgr = m_mgr;
    m_boxes.Install();
}

void TestSceneEdit::cleanupTestCase()
{
    SetMessageBoxRunner(MessageBoxRunner());
    g_pHOIDevMgr = nullptr;
    delete m_mgr;
}

void TestSceneEdit::init()
{
    m_boxes.Clear();
    Load(kAllKinds);
}

void TestSceneEdit::Load(const QByteArray &switches)
{
    QVERIFY(WriteBesideTest(QStringLiteral("config.xml"), Config(switches)));
    // Loading the products also empties the manager.
    QVERIFY(m_mgr->LoadProdConfig());
    while (m_mgr->GetVideoWallCount() > 0) {
        CHOIScene *pWall = m_mgr->GetVideoWall(0);
        m_mgr->RemoveVideoWall(pWall);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

CHOIDev *TestSceneEdit::AddDev(const QString &hostName)
{
    // Listed like a gateway's virtual device: known, never connected.
    m_mgr->AddIpcDev(hostName, hostName, nullptr);
    return m_mgr->FindDevByHostName(hostName);
}

CHOIScene *TestSceneEdit::NewWall(const QString &name, int rows, int cols, const QString &group)
{
    CHOIScene *pWall = m_mgr->GetOrCreateVideoWall(name);
    pWall->SetGridSize(rows, cols);
    pWall->SetGroup(group);
    return pWall;
}

QStringList TestSceneEdit::Kinds(CDlgSceneEdit &dlg) const
{
    QComboBox *pBox = dlg.findChild<QComboBox *>("cBLayoutType");
    QStringList kinds;
    for (int i = 0; i < pBox->count(); ++i)
        kinds << pBox->itemText(i);
    return kinds;
}

void TestSceneEdit::kindsOffered_data()
{
    QTest::addColumn<QByteArray>("switches");
    QTest::addColumn<QStringList>("kinds");
    QTest::newRow("none") << QByteArray() << QStringList{"Standard Video Wall"};
    QTest::newRow("all") << kAllKinds
                         << QStringList{"Standard Video Wall", "PiP/Windowing Decoders",
                                        "Video Wall within a Wall", "PiP/Windowing Processor"};
    QTest::newRow("processor only") << QByteArray("wplayout_enable=\"true\"")
                                    << QStringList{"Standard Video Wall", "PiP/Windowing Processor"};
}

void TestSceneEdit::kindsOffered()
{
    QFETCH(QByteArray, switches);
    QFETCH(QStringList, kinds);
    Load(switches);
    CDlgSceneEdit dlg(nullptr, nullptr);
    QCOMPARE(Kinds(dlg), kinds);
    QVERIFY(dlg.findChild<QComboBox *>("cBLayoutType")->isEnabled());
    QCOMPARE(dlg.windowTitle(), QString("Create Layout/Scene"));
    QCOMPARE(dlg.findChild<QDialogButtonBox *>("buttonBox")->button(QDialogButtonBox::Ok)->text(),
             QString("Ok"));
}

void TestSceneEdit::createForWall()
{
    m_mgr->AddGroup("G1", 1);
    m_mgr->AddGroup("G2", 2);
    m_mgr->AddLocation("Floor 1");
    NewWall("W0", 1, 1, "G1");
    CHOIScene *pWall = NewWall("W1", 2, 4, "G2");
    CDlgSceneEdit dlg(nullptr, nullptr);
    QComboBox *pWalls = dlg.findChild<QComboBox *>("edtName");
    QCOMPARE(pWalls->count(), 2);
    QCOMPARE(pWalls->currentText(), QString("W0"));
    dlg.SetVideoWall(pWall);
    QCOMPARE(pWalls->currentText(), QString("W1"));
    QCOMPARE(dlg.findChild<QComboBox *>("cbRowCount")->currentText(), QString("2"));
    QCOMPARE(dlg.findChild<QComboBox *>("cbColCount")->currentText(), QString("4"));
    QComboBox *pKinds = dlg.findChild<QComboBox *>("cBLayoutType");
    pKinds->setCurrentIndex(pKinds->findText("PiP/Windowing Processor"));
    dlg.findChild<QLineEdit *>("edtLayout")->setText("L1");
    QVERIFY(dlg.GetScene() == nullptr);

    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(m_boxes.texts, QStringList());
    CHOIScene *pScene = dlg.GetScene();
    QVERIFY(pScene);
    QCOMPARE(pScene->GetName(), QString("W1-L1"));
    QCOMPARE(m_mgr->FindSceneByName("W1-L1"), pScene);
    QCOMPARE(pScene->GetRowCount(), 2);
    QCOMPARE(pScene->GetColCount(), 4);
    QCOMPARE(pScene->GetGroup(), QString("G2"));
    QCOMPARE(pScene->GetLocation(), QString());
    QVERIFY(pScene->IsWPLayout());
    QVERIFY(!pScene->IsWindowLayout());
    QVERIFY(!pScene->IsVivLayout());
}

void TestSceneEdit::createSameNameTwice()
{
    CHOIScene *pWall = NewWall("W1", 2, 2, QString());
    for (int round = 0; round < 2; ++round) {
        CDlgSceneEdit dlg(nullptr, nullptr);
        dlg.SetVideoWall(pWall);
        dlg.findChild<QLineEdit *>("edtLayout")->setText("L1");
        dlg.accept();
        QCOMPARE(dlg.result(), int(round == 0 ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(dlg.GetScene() != nullptr, round == 0);
    }
    QCOMPARE(m_boxes.texts, QStringList() << "Name \"W1-L1\" exists. Use another name.");
    QCOMPARE(m_mgr->GetSceneCount(), 1);
}

void TestSceneEdit::okChecks_data()
{
    QTest::addColumn<QString>("wall");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    // The wall box is disabled, so it cannot take the focus.
    QTest::newRow("no wall name") << "" << "L1" << "Enter a Video wall name." << "";
    QTest::newRow("hyphen") << "A-B" << "L1" << "Name '-' error." << "";
    QTest::newRow("blank") << "A B" << "L1" << "Name ' ' error." << "";
    QTest::newRow("no layout name") << "W1" << "" << "Enter a layout name." << "edtLayout";
}

void TestSceneEdit::okChecks()
{
    QFETCH(QString, wall);
    QFETCH(QString, layout);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    NewWall("W1", 2, 2, QString());
    CDlgSceneEdit dlg(nullptr, nullptr);
    dlg.findChild<QComboBox *>("edtName")->setCurrentText(wall);
    dlg.findChild<QLineEdit *>("edtLayout")->setText(layout);
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(m_boxes.texts, QStringList() << message);
    QCOMPARE(m_boxes.icons.first(), QMessageBox::Critical);
    QCOMPARE(m_boxes.parents.first(), static_cast<QWidget *>(&dlg));
    if (!focus.isEmpty())
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QWidget *>(focus));
    QCOMPARE(m_mgr->GetSceneCount(), 0);
}

void TestSceneEdit::layoutNameFilter()
{
    CDlgSceneEdit dlg(nullptr, nullptr);
    QLineEdit *pLayout = dlg.findChild<QLineEdit *>("edtLayout");
    QCOMPARE(pLayout->toolTip(), QString("Invaild character:\r\n{ } \" < > , ; _ - @ * & "));
    pLayout->setText("Main_");
    QCOMPARE(pLayout->text(), QString("Main"));
    pLayout->setText("Main-");
    QCOMPARE(pLayout->text(), QString("Main"));
    QCOMPARE(m_boxes.texts, QStringList());

    pLayout->setText("a*b&c*d&e");
    QCOMPARE(pLayout->text(), QString("abcde"));
    QCOMPARE(m_boxes.texts, QStringList() << "Character '&' error." << "Character '*' error.");
    m_boxes.Clear();
    pLayout->setText("a-b{c");
    QCOMPARE(pLayout->text(), QString("abc"));
    QCOMPARE(m_boxes.texts, QStringList() << "Character '{' error." << "Character '-' error.");
}

void TestSceneEdit::editWithoutChange()
{
    m_mgr->AddGroup("G1", 1);
    CHOIScene *pScene = m_mgr->CreateScene("W1-L1");
    // Beyond the 16 rows the dialog offers: OK must keep the grid.
    pScene->SetGridSize(20, 3);
    pScene->GetCell(19, 2)->rx = AddDev("RXP-0000000000a1");
    pScene->SetWindowLayout(true);
    pScene->SetGroup("G1");
    CDlgSceneEdit dlg(pScene, nullptr);
    QCOMPARE(dlg.windowTitle(), QString("Eidt Layout/Scene"));
    QCOMPARE(dlg.findChild<QComboBox *>("edtName")->currentText(), QString("W1"));
    QCOMPARE(dlg.findChild<QLineEdit *>("edtLayout")->text(), QString("L1"));
    QComboBox *pKinds = dlg.findChild<QComboBox *>("cBLayoutType");
    QVERIFY(!pKinds->isEnabled());
    QCOMPARE(pKinds->currentText(), QString("PiP/Windowing Decoders"));
    QCOMPARE(dlg.findChild<QComboBox *>("cbRowCount")->currentText(), QString("20"));

    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(m_boxes.texts, QStringList());
    QCOMPARE(dlg.GetScene(), pScene);
    QCOMPARE(pScene->GetName(), QString("W1-L1"));
    QCOMPARE(pScene->GetRowCount(), 20);
    QCOMPARE(pScene->GetColCount(), 3);
    QVERIFY(pScene->CellAt(19, 2)->rx);
    QVERIFY(pScene->IsWindowLayout());
    QCOMPARE(pScene->GetGroup(), QString("G1"));
}

void TestSceneEdit::editRename()
{
    CHOIScene *pL1 = m_mgr->CreateScene("W1-L1");
    pL1->SetGridSize(2, 2);
    m_mgr->CreateScene("W1-L2")->SetGridSize(2, 2);
    {
        CDlgSceneEdit dlg(pL1, nullptr);
        dlg.findChild<QLineEdit *>("edtLayout")->setText("L2");
        dlg.accept();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(m_boxes.texts, QStringList() << "Name \"W1-L2\" exists. Use another name.");
        QCOMPARE(pL1->GetName(), QString("W1-L1"));
        QCOMPARE(dlg.focusWidget(), dlg.findChild<QWidget *>("edtLayout"));
    }
    CDlgSceneEdit dlg(pL1, nullptr);
    dlg.findChild<QLineEdit *>("edtLayout")->setText("L3");
    dlg.accept();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(pL1->GetName(), QString("W1-L3"));
    QCOMPARE(m_mgr->GetSceneCount(), 2);
}

void TestSceneEdit::windowingKindChecksDecoders()
{
    CHOIScene *pWall = NewWall("W1", 1, 2, QString());
    pWall->GetCell(0, 1)->rx = AddDev("RXP-0000000000b1");
    CDlgSceneEdit dlg(nullptr, nullptr);
    dlg.SetVideoWall(pWall);
    QComboBox *pKinds = dlg.findChild<QComboBox *>("cBLayoutType");
    dlg.findChild<QLineEdit *>("edtLayout")->setText("Win");
    pKinds->setCurrentIndex(pKinds->findText("PiP/Windowing Decoders"));
    dlg.accept();
    QCOMPARE(m_boxes.texts,
             QStringList() << "The current video wall already exists RX that can not be windowed");
    pKinds->setCurrentIndex(pKinds->findText("Video Wall within a Wall"));
    dlg.accept();
    QCOMPARE(m_boxes.texts.last(),
             QString("The current video wall already exists RX that can not be Video Wall within a Wall"));
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QCOMPARE(m_mgr->GetSceneCount(), 0);

    // A related layout, when given, is what is examined.
    CHOIScene *pRelated = m_mgr->CreateScene("W1-Main");
    pRelated->SetGridSize(1, 2);
    pRelated->GetCell(0, 0)->rx = AddDev("RXW-0000000000c1");
    CDlgSceneEdit withRelated(nullptr, pRelated);
    withRelated.SetVideoWall(pWall);
    QComboBox *pKinds2 = withRelated.findChild<QComboBox *>("cBLayoutType");
    pKinds2->setCurrentIndex(pKinds2->findText("PiP/Windowing Decoders"));
    withRelated.findChild<QLineEdit *>("edtLayout")->setText("Win");
    withRelated.accept();
    QCOMPARE(withRelated.result(), int(QDialog::Accepted));
    QVERIFY(withRelated.GetScene()->IsWindowLayout());
    QCOMPARE(m_boxes.texts.size(), 2);
}

// The kinds read Chinese, follow a language switch, and the one chosen
// still makes its kind of layout.
void TestSceneEdit::kindsInChinese()
{
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("zh_CN.qm"), qEnvironmentVariable("HOI_BIN_DIR")));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    CDlgSceneEdit dlg(nullptr, nullptr);
    dlg.SetVideoWall(NewWall("W1", 1, 2, QString()));
    QCOMPARE(Kinds(dlg), QStringList({"标准电视墙", "画中画/开窗解码器", "墙中墙", "画中画/开窗处理器"}));
    QVERIFY(QCoreApplication::removeTranslator(&translator));
    QCoreApplication::processEvents();
    QCOMPARE(Kinds(dlg), QStringList({"Standard Video Wall", "PiP/Windowing Decoders", "Video Wall within a Wall",
                                      "PiP/Windowing Processor"}));
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCoreApplication::processEvents();

    dlg.findChild<QComboBox *>("cBLayoutType")->setCurrentIndex(3);
    dlg.findChild<QLineEdit *>("edtLayout")->setText("L1");
    dlg.accept();
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(dlg.GetScene()->IsWPLayout());
    QVERIFY(!dlg.GetScene()->IsWindowLayout());
}

QTEST_MAIN(TestSceneEdit)
#include "tst_sceneedit.moc"
