// The device control dialogs against simulated devices in a private test
// LAN: what each device receives, the row colours, the locking while devices
// are pending, and the IR pad over an IR code database of the test's own.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

#include "control/devfiltergroupbox.h"
#include "control/dlgcecctrl.h"
#include "control/dlgirctrl.h"
#include "control/dlgselectirdev.h"
#include "control/dlgserialmsg.h"
#include "control/dlgstandbyctrl.h"
#include "hoi_core/hoiscene.h"

#include "controltestenv.h"

namespace {

const char kConfig[] =
    "<?xml version=\"1.0\"?>\n"
    "<hoiprod>\n"
    "  <product id=\"ZTX\" name=\"Encoder\" type=\"tx\" param_prefix=\"gb\" ir_enable=\"y\" rs232_enable=\"y\""
    " cec_enable=\"y\"/>\n"
    "  <product id=\"ZRX\" name=\"Decoder\" type=\"rx\" param_prefix=\"gb\" tx=\"ZTX\" ir_enable=\"y\""
    " rs232_enable=\"y\" cec_enable=\"y\"/>\n"
    "  <product id=\"NRX\" name=\"Plain\" type=\"rx\" param_prefix=\"gb\" tx=\"ZTX\"/>\n"
    "</hoiprod>\n";

enum { TX0, TX1, RX2, RX3, RX4, NRX5, DEV_COUNT };

const char kKdl[] = "Sony_TV_KDL40_1";
const char kBravia[] = "Sony_TV_Bravia";
const char kLg[] = "LG_TV_55_A_B";

bool WriteIrDatabase(const QString &path)
{
    const QList<QPair<const char *, const char *>> rows = {
        {kKdl, "Power"},   {kKdl, "Mute"},       {kKdl, "Number1"}, {kKdl, "Volume+"},
        {kBravia, "Power"}, {kBravia, "Mute"},   {kBravia, "Menu"},
        {"Sonya_DVD_X1", "Power"}, {kLg, "Power"}, {kLg, "Play"},
    };
    QFile::remove(path);
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("writer"));
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        ok = ok && query.exec(QStringLiteral("create table ControlTable (CtrlID text, KeyValue text, IDCode integer, "
                                             "OperateCode integer, FrequenceCode integer, ExecuteCode blob);"));
        for (const auto &row : rows) {
            ok = ok && query.prepare(QStringLiteral("insert into ControlTable values (?, ?, 1, 2, 38, ?);"));
            query.addBindValue(QString::fromLatin1(row.first));
            query.addBindValue(QString::fromLatin1(row.second));
            query.addBindValue(QByteArray("\x01\x02\x03", 3));
            ok = ok && query.exec();
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("writer"));
    return ok;
}

QDevFilterGroupBox *Chooser(QDialog &dlg)
{
    return dlg.findChild<QDevFilterGroupBox *>(QStringLiteral("gbDevices"));
}

QTreeWidget *Tree(QDialog &dlg)
{
    return Chooser(dlg)->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
}

template <class T>
T *Child(QDialog &dlg, const char *name)
{
    return dlg.findChild<T *>(QLatin1String(name));
}

} // namespace

class TestControlDialogs : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    // serial
    void serialRowsAndDefaults();
    void serialSend_data();
    void serialSend();
    void serialNothingChecked();
    void serialOnlyLineBreaks();
    void serialHexFilter_data();
    void serialHexFilter();
    void serialEnteringHexClearsLine();
    void serialDeadDevice();
    void serialIgnoresForeignCompletions();
    void serialLanguageChangeKeepsFormat();

    // CEC
    void cecRows();
    void cecPower_data();
    void cecPower();
    void cecNothingChecked();

    // standby
    void standbyRows();
    void standbySync_data();
    void standbySync();
    void standbyMissingFile();
    void standbyLiveAndDead();

    // IR
    void irShortName_data();
    void irShortName();
    void irRowsAndTypeButtons();
    void irKeysFollowCheckedTypes();
    void irKeyPressReportsEachDevice();
    void irStaleKeysWithNothingChecked();
    void irIgnoresForeignCompletions();
    void irChooseType();
    void selectIrDevLists();
    void selectIrDevWithoutIds();

    // launchers
    void gridOpensDialogsWithCellDevice();
    void toolLauncherOpensSharedDialogs();

    void pendingDeviceDeletedReleasesDialog();

private:
    CHOIDev *Dev(int i) const { return m_env.Dev(i); }
    void Check(QDialog &dlg, int dev) { RowOf(Tree(dlg), Dev(dev))->setCheckState(0, Qt::Checked); }
    QPushButton *Key(CDlgIrCtrl &pad, const char *name) { return Child<QPushButton>(pad, name); }
    QStringList EnabledKeys(CDlgIrCtrl &pad) const;
    QStringList MarkedKeys(CDlgIrCtrl &pad) const;
    void SetDeviceOn(int dev, bool bOn);

    CControlLan m_env;
    T_Boxes m_boxes;
    QTemporaryDir m_dir;
    QString m_oldCwd;
};

void TestControlDialogs::initTestCase()
{
    if (!CSimLan::IsTestLan())
        QSKIP("needs the private test LAN (tests/lan/testlan.sh)");
    InitConsoleResources();
    QVERIFY(WriteIrDatabase(QCoreApplication::applicationDirPath() + QStringLiteral("/ZEZOControlTable.db")));
    QVERIFY(m_env.Start(kConfig, {"ZTX", "ZTX", "ZRX", "ZRX", "ZRX", "NRX"}, {"TX", "TX", "RX", "RX", "RX", "RX"}));
    for (int i = 0; i < DEV_COUNT; ++i)
        Dev(i)->SetRetryInterval(100);
    m_boxes.Install();
    QVERIFY(m_dir.isValid());
    m_oldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_dir.path()));
}

void TestControlDialogs::cleanupTestCase()
{
    CDlgIrCtrl::DestroyDlg();
    CDlgSerialMsg::DestroyDlg();
    T_Boxes::Uninstall();
    if (!m_oldCwd.isEmpty())
        QDir::setCurrent(m_oldCwd);
}

void TestControlDialogs::init()
{
    m_boxes.boxes.clear();
    m_env.Lan().ClearReceived();
}

void TestControlDialogs::SetDeviceOn(int dev, bool bOn)
{
    m_env.Lan().SetDeviceOn(dev, bOn);
    // Let the link notice the dropped session before the next command.
    QTest::qWait(100);
}

// ---------------------------------------------------------------------------
// Serial

void TestControlDialogs::serialRowsAndDefaults()
{
    CDlgSerialMsg dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    QTreeWidget *pTree = Tree(dlg);

    // Only devices with a serial port.
    QCOMPARE(RowDevs(pTree).size(), 5);
    QVERIFY(!RowDevs(pTree).contains(Dev(NRX5)));
    QCOMPARE(pTree->headerItem()->text(1), QStringLiteral("Alias"));
    QCOMPARE(pTree->headerItem()->text(2), QStringLiteral("Hostname"));
    QCOMPARE(RowOf(pTree, Dev(RX2))->text(1), Dev(RX2)->GetDisplayName());
    QCOMPARE(RowOf(pTree, Dev(RX2))->text(2), Dev(RX2)->GetDefaultName());

    QComboBox *pBaud = Child<QComboBox>(dlg, "cmbBaudRate");
    QCOMPARE(pBaud->count(), 18);
    QCOMPARE(pBaud->itemText(0), QStringLiteral("50"));
    QCOMPARE(pBaud->itemText(17), QStringLiteral("230400"));
    QCOMPARE(pBaud->currentText(), QStringLiteral("115200"));
    QCOMPARE(Child<QComboBox>(dlg, "cmbDataBits")->currentText(), QStringLiteral("8"));
    QCOMPARE(Child<QComboBox>(dlg, "cmbStopBits")->currentText(), QStringLiteral("1"));
    QComboBox *pParity = Child<QComboBox>(dlg, "cmbParity");
    QCOMPARE(pParity->currentText(), QStringLiteral("None"));
    QCOMPARE(pParity->itemData(0).toInt(), 110);
    QCOMPARE(pParity->itemData(1).toInt(), 111);
    QCOMPARE(pParity->itemData(2).toInt(), 101);

    QPushButton *pSend = Child<QPushButton>(dlg, "btnSendMsg");
    QVERIFY(!pSend->isEnabled());
    Child<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("x"));
    QVERIFY(pSend->isEnabled());
    Child<QPlainTextEdit>(dlg, "edtMsg")->clear();
    QVERIFY(!pSend->isEnabled());
}

void TestControlDialogs::serialSend_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<bool>("crlf");
    QTest::addColumn<QString>("baud");
    QTest::addColumn<QString>("dataBits");
    QTest::addColumn<int>("parity");
    QTest::addColumn<QString>("stopBits");
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("received");

    QTest::newRow("text, line end, 9600-8n1")
        << QStringLiteral("say \"hi\" $HOME") << false << true << "9600" << "8" << 0 << "1"
        << QByteArray("soip2 -f /dev/ttyS0 -b 9600-8n1 -r  -s \"say \\\"hi\\\" \\$HOME\"")
        << QByteArray("say \"hi\" $HOME");
    QTest::newRow("hex, defaults") << QStringLiteral("0A 1B") << true << false << "115200" << "8" << 0 << "1"
                                   << QByteArray("soip2 -f /dev/ttyS0 -b 115200-8n1 -H -s \"0A 1B\"")
                                   << QByteArray("0A 1B");
    QTest::newRow("odd, 7 bits, 2 stops") << QStringLiteral("x") << false << false << "57600" << "7" << 1 << "2"
                                          << QByteArray("soip2 -f /dev/ttyS0 -b 57600-7o2  -s \"x\"")
                                          << QByteArray("x");
    QTest::newRow("even, line breaks dropped")
        << QStringLiteral("ab\ncd\r") << false << false << "19200" << "6" << 2 << "1"
        << QByteArray("soip2 -f /dev/ttyS0 -b 19200-6e1  -s \"abcd\"") << QByteArray("abcd");
}

void TestControlDialogs::serialSend()
{
    QFETCH(QString, message);
    QFETCH(bool, hex);
    QFETCH(bool, crlf);
    QFETCH(QString, baud);
    QFETCH(QString, dataBits);
    QFETCH(int, parity);
    QFETCH(QString, stopBits);
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, received);

    CDlgSerialMsg dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Check(dlg, RX2);
    Check(dlg, RX4);
    Child<QCheckBox>(dlg, "chkHexSend")->setChecked(hex);
    Child<QCheckBox>(dlg, "chkSendCrLf")->setChecked(crlf);
    Child<QComboBox>(dlg, "cmbBaudRate")->setCurrentText(baud);
    Child<QComboBox>(dlg, "cmbDataBits")->setCurrentText(dataBits);
    Child<QComboBox>(dlg, "cmbParity")->setCurrentIndex(parity);
    Child<QComboBox>(dlg, "cmbStopBits")->setCurrentText(stopBits);
    Child<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(message);

    Child<QPushButton>(dlg, "btnSendMsg")->click();
    QVERIFY(!dlg.isEnabled());
    QCOMPARE(RowColor(Tree(dlg), Dev(RX2), 1), QColor(Qt::black));
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    for (int dev : {int(RX2), int(RX4)}) {
        QCOMPARE(m_env.Lines(dev, "soip2"), QList<QByteArray>{line});
        QCOMPARE(SimSerialMessages(*m_env.Lan().Device(dev)).last(), received);
        for (int col = 0; col < 3; ++col)
            QCOMPARE(RowColor(Tree(dlg), Dev(dev), col), QColor(Qt::green));
    }
    QVERIFY(m_env.Lines(RX3, "soip2").isEmpty());
    QVERIFY(m_boxes.boxes.isEmpty());
}

void TestControlDialogs::serialNothingChecked()
{
    CDlgSerialMsg dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Child<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("hello"));
    Child<QPushButton>(dlg, "btnSendMsg")->click();

    QCOMPARE(m_boxes.boxes.size(), 1);
    QCOMPARE(m_boxes.boxes.at(0).icon, QMessageBox::Critical);
    QCOMPARE(m_boxes.boxes.at(0).title, QString());
    QCOMPARE(m_boxes.boxes.at(0).text, QStringLiteral("No controlled device was selected."));
    QCOMPARE(m_boxes.boxes.at(0).parent, &dlg);
    QVERIFY(dlg.isEnabled());
}

void TestControlDialogs::serialOnlyLineBreaks()
{
    CDlgSerialMsg dlg;
    Chooser(dlg)->Init(&dlg, nullptr, Dev(RX2));
    Child<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("\n\r\n"));
    Child<QPushButton>(dlg, "btnSendMsg")->click();
    QTest::qWait(200);
    QVERIFY(m_env.Lines(RX2, "soip2").isEmpty());
    QVERIFY(m_boxes.boxes.isEmpty());
    QVERIFY(dlg.isEnabled());
}

void TestControlDialogs::serialHexFilter_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");

    QTest::newRow("g is removed") << "0A" << "g" << "0A";
    QTest::newRow("blank kept") << "0A" << " " << "0A ";
    QTest::newRow("f kept") << "0A" << "f" << "0Af";
    QTest::newRow("pasted run removed") << "0A" << "xyz" << "0A";
    QTest::newRow("wrong before a good last kept") << "" << "x0A" << "x0A";
    QTest::newRow("wrong after a line break") << "0A\n" << "q" << "0A\n";
}

void TestControlDialogs::serialHexFilter()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);

    CDlgSerialMsg dlg;
    QPlainTextEdit *pEdit = Child<QPlainTextEdit>(dlg, "edtMsg");
    pEdit->setPlainText(before);
    Child<QCheckBox>(dlg, "chkHexSend")->setChecked(true);
    pEdit->moveCursor(QTextCursor::End);
    pEdit->insertPlainText(typed);
    QCOMPARE(pEdit->toPlainText(), after);
}

void TestControlDialogs::serialEnteringHexClearsLine()
{
    CDlgSerialMsg dlg;
    QPlainTextEdit *pEdit = Child<QPlainTextEdit>(dlg, "edtMsg");
    QCheckBox *pHex = Child<QCheckBox>(dlg, "chkHexSend");
    pEdit->setPlainText(QStringLiteral("hello world"));
    pHex->click();
    QVERIFY(pHex->isChecked());
    QCOMPARE(pEdit->toPlainText(), QString());

    // Leaving hex mode changes nothing.
    pEdit->setPlainText(QStringLiteral("0A"));
    pHex->click();
    QCOMPARE(pEdit->toPlainText(), QStringLiteral("0A"));
}

void TestControlDialogs::serialDeadDevice()
{
    SetDeviceOn(RX3, false);
    CDlgSerialMsg dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Check(dlg, RX2);
    Check(dlg, RX3);
    Child<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("ping"));
    Child<QPushButton>(dlg, "btnSendMsg")->click();

    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 20000);
    QCOMPARE(RowColor(Tree(dlg), Dev(RX2)), QColor(Qt::green));
    QCOMPARE(RowColor(Tree(dlg), Dev(RX3)), QColor(Qt::red));
    QCOMPARE(SimSerialMessages(*m_env.Lan().Device(RX2)).last(), QByteArray("ping"));
    SetDeviceOn(RX3, true);
}

void TestControlDialogs::serialIgnoresForeignCompletions()
{
    CDlgSerialMsg dlg;
    Chooser(dlg)->Init(&dlg, nullptr, Dev(RX2));
    Child<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("ping"));
    Child<QPushButton>(dlg, "btnSendMsg")->click();
    QVERIFY(!dlg.isEnabled());

    // An IR completion of the device, and a completion of another device.
    emit m_env.Mgr()->OnDevCmdCompleted(Dev(RX2), E_CO_IR, E_CommResult(0));
    emit m_env.Mgr()->OnDevCmdCompleted(Dev(RX3), E_CO_DEV, E_CommResult(0));
    QVERIFY(!dlg.isEnabled());
    QCOMPARE(RowColor(Tree(dlg), Dev(RX2)), QColor(Qt::black));

    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    QCOMPARE(RowColor(Tree(dlg), Dev(RX2)), QColor(Qt::green));
}

void TestControlDialogs::serialLanguageChangeKeepsFormat()
{
    CDlgSerialMsg dlg;
    Child<QComboBox>(dlg, "cmbDataBits")->setCurrentText(QStringLiteral("7"));
    Child<QComboBox>(dlg, "cmbStopBits")->setCurrentText(QStringLiteral("2"));
    Child<QComboBox>(dlg, "cmbParity")->setCurrentIndex(2);
    QEvent event(QEvent::LanguageChange);
    QCoreApplication::sendEvent(&dlg, &event);
    QCOMPARE(Child<QComboBox>(dlg, "cmbDataBits")->currentText(), QStringLiteral("7"));
    QCOMPARE(Child<QComboBox>(dlg, "cmbStopBits")->currentText(), QStringLiteral("2"));
    QCOMPARE(Child<QComboBox>(dlg, "cmbParity")->currentData().toInt(), 101);
    QCOMPARE(Child<QComboBox>(dlg, "cmbParity")->count(), 3);
}

// ---------------------------------------------------------------------------
// CEC

void TestControlDialogs::cecRows()
{
    CDlgCECCtrl dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    QCOMPARE(RowDevs(Tree(dlg)).size(), 5);
    QVERIFY(!RowDevs(Tree(dlg)).contains(Dev(NRX5)));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("CEC "));
}

void TestControlDialogs::cecPower_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("one touch play") << true << QByteArray("e e_cec_one_touch_play");
    QTest::newRow("standby") << false << QByteArray("e e_cec_system_standby");
}

void TestControlDialogs::cecPower()
{
    QFETCH(bool, on);
    QFETCH(QByteArray, line);

    CDlgCECCtrl dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Check(dlg, TX0);
    Check(dlg, TX1);
    QPushButton *pOpen = Child<QPushButton>(dlg, "btnOpenMsg");
    QPushButton *pClose = Child<QPushButton>(dlg, "btnCloseMsg");
    // The other button was used last.
    (on ? pClose : pOpen)->setCheckable(true);

    (on ? pOpen : pClose)->click();
    QVERIFY(!dlg.isEnabled());
    QCOMPARE(pOpen->isCheckable(), on);
    QCOMPARE(pClose->isCheckable(), !on);
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    for (int dev : {int(TX0), int(TX1)}) {
        QCOMPARE(m_env.Lines(dev, "e e_cec"), QList<QByteArray>{line});
        QCOMPARE(RowColor(Tree(dlg), Dev(dev), 2), QColor(Qt::green));
    }
    QVERIFY(m_env.Lines(RX2, "e e_cec").isEmpty());
}

void TestControlDialogs::cecNothingChecked()
{
    CDlgCECCtrl dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Child<QPushButton>(dlg, "btnOpenMsg")->click();
    QCOMPARE(m_boxes.boxes.size(), 1);
    QCOMPARE(m_boxes.boxes.at(0).text, QStringLiteral("No controlled device was selected."));
    QCOMPARE(m_boxes.boxes.at(0).icon, QMessageBox::Critical);
    QVERIFY(!Child<QPushButton>(dlg, "btnOpenMsg")->isCheckable());
}

// ---------------------------------------------------------------------------
// Standby

void TestControlDialogs::standbyRows()
{
    CDlgStandbyCtrl dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    const QList<CHOIDev *> rows = RowDevs(Tree(dlg));
    QCOMPARE(rows.size(), 4);
    QVERIFY(!rows.contains(Dev(TX0)));
    QVERIFY(!rows.contains(Dev(TX1)));
    QVERIFY(rows.contains(Dev(NRX5)));
}

void TestControlDialogs::standbySync_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("sent");
    QTest::addColumn<QString>("received");

    QTest::newRow("line break dropped") << QByteArray("abc\n") << true << QStringLiteral("abc");
    QTest::newRow("xml with quotes and dollar")
        << QByteArray("<cfg a=\"1\">$x\r\n  <b/>\r\n</cfg>\r\n") << true << QStringLiteral("<cfg a=\"1\">$x  <b/></cfg>");
    QTest::newRow("stops at a zero byte") << QByteArray("abc\0def", 7) << true << QStringLiteral("abc");
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9") << true << QString::fromUtf8("caf\xc3\xa9");
    QTest::newRow("empty") << QByteArray() << false << QString();
    QTest::newRow("only line breaks") << QByteArray("\r\n\n") << false << QString();
}

void TestControlDialogs::standbySync()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, sent);
    QFETCH(QString, received);

    QFile file(QStringLiteral("Standby.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
    file.close();
    for (int dev : {int(RX2), int(RX3)})
        m_env.Lan().Device(dev)->removeConfig(QStringLiteral("--enc-backup-info"));

    CDlgStandbyCtrl dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Check(dlg, RX2);
    Check(dlg, RX3);
    QVERIFY(m_boxes.boxes.isEmpty());
    Child<QPushButton>(dlg, "btnOpenMsg")->click();
    if (sent) {
        QVERIFY(!dlg.isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 10000);
    } else {
        // Every device refused at once: nothing to wait for.
        QVERIFY(dlg.isEnabled());
        QTest::qWait(200);
    }
    for (int dev : {int(RX2), int(RX3)}) {
        QCOMPARE(RowColor(Tree(dlg), Dev(dev), 1), QColor(sent ? Qt::green : Qt::red));
        QCOMPARE(m_env.Lines(dev, "gbconfig --enc-backup-info").size(), sent ? 1 : 0);
        QCOMPARE(m_env.Lan().Device(dev)->config(QStringLiteral("--enc-backup-info")), received);
    }
}

void TestControlDialogs::standbyMissingFile()
{
    QFile::remove(QStringLiteral("Standby.xml"));
    CDlgStandbyCtrl dlg;
    Chooser(dlg)->Init(&dlg, nullptr, Dev(RX2));
    Child<QPushButton>(dlg, "btnOpenMsg")->click();
    QTest::qWait(200);
    QVERIFY(dlg.isEnabled());
    QVERIFY(m_boxes.boxes.isEmpty());
    QVERIFY(m_env.Lines(RX2, "gbconfig").isEmpty());
    QCOMPARE(RowColor(Tree(dlg), Dev(RX2)), QColor(Qt::black));

    // Nothing checked is reported before the file is looked at.
    RowOf(Tree(dlg), Dev(RX2))->setCheckState(0, Qt::Unchecked);
    Child<QPushButton>(dlg, "btnOpenMsg")->click();
    QCOMPARE(m_boxes.boxes.size(), 1);
    QCOMPARE(m_boxes.boxes.at(0).text, QStringLiteral("No controlled device was selected."));
}

void TestControlDialogs::standbyLiveAndDead()
{
    QFile file(QStringLiteral("Standby.xml"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<standby/>\n");
    file.close();
    SetDeviceOn(RX4, false);

    CDlgStandbyCtrl dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Check(dlg, RX2);
    Check(dlg, RX4);
    Child<QPushButton>(dlg, "btnOpenMsg")->click();
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 20000);
    QCOMPARE(RowColor(Tree(dlg), Dev(RX2)), QColor(Qt::green));
    QCOMPARE(RowColor(Tree(dlg), Dev(RX4)), QColor(Qt::red));
    QCOMPARE(m_env.Lan().Device(RX2)->config(QStringLiteral("--enc-backup-info")), QStringLiteral("<standby/>"));
    SetDeviceOn(RX4, true);
}

// ---------------------------------------------------------------------------
// IR

QStringList TestControlDialogs::EnabledKeys(CDlgIrCtrl &pad) const
{
    QStringList names;
    const QList<QPushButton *> buttons = pad.findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^btnKey_")));
    for (QPushButton *pButton : buttons) {
        if (pButton->isEnabled())
            names << pButton->objectName();
    }
    names.sort();
    return names;
}

QStringList TestControlDialogs::MarkedKeys(CDlgIrCtrl &pad) const
{
    QStringList names;
    const QList<QPushButton *> buttons = pad.findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^btnKey_")));
    for (QPushButton *pButton : buttons) {
        if (!pButton->icon().isNull())
            names << pButton->objectName();
    }
    names.sort();
    return names;
}

void TestControlDialogs::irShortName_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("shortName");
    QTest::newRow("four parts") << "Sony_TV_KDL40_1" << "KDL40";
    QTest::newRow("three parts") << "Sony_TV_KDL40" << "KDL40";
    QTest::newRow("five parts") << "LG_TV_55_A_B" << "55_A";
    QTest::newRow("two parts") << "Sony_TV" << "Sony_TV";
    QTest::newRow("no part") << "Plain" << "Plain";
}

void TestControlDialogs::irShortName()
{
    QFETCH(QString, id);
    QFETCH(QString, shortName);
    QCOMPARE(IrDevShortName(id), shortName);
}

void TestControlDialogs::irRowsAndTypeButtons()
{
    Dev(RX2)->SetIrDev(QLatin1String(kKdl));
    Dev(RX3)->SetIrDev(QString());
    CDlgIrCtrl pad;
    Chooser(pad)->Init(&pad, nullptr, nullptr);
    QTreeWidget *pTree = Tree(pad);

    QCOMPARE(pTree->headerItem()->text(0), QStringLiteral("Via TX/RX"));
    QCOMPARE(pTree->headerItem()->text(1), QStringLiteral("Controlled Device Type"));
    QCOMPARE(RowDevs(pTree).size(), 5);
    QVERIFY(!RowDevs(pTree).contains(Dev(NRX5)));
    QCOMPARE(RowOf(pTree, Dev(RX2))->text(0), Dev(RX2)->GetDisplayName());

    auto *pTyped = qobject_cast<QPushButton *>(pTree->itemWidget(RowOf(pTree, Dev(RX2)), 1));
    auto *pUntyped = qobject_cast<QPushButton *>(pTree->itemWidget(RowOf(pTree, Dev(RX3)), 1));
    QVERIFY(pTyped && pUntyped);
    QCOMPARE(pTyped->text(), QStringLiteral("KDL40"));
    QCOMPARE(pTyped->toolTip(), QLatin1String(kKdl));
    QCOMPARE(pUntyped->text(), QStringLiteral("[Select Type...]"));
    QCOMPARE(pUntyped->toolTip(), QString());

    // Moving a row keeps its type button.
    pTree->setCurrentItem(RowOf(pTree, Dev(RX2)));
    Chooser(pad)->on_pBOrderDown_clicked();
    auto *pMoved = qobject_cast<QPushButton *>(pTree->itemWidget(RowOf(pTree, Dev(RX2)), 1));
    QVERIFY(pMoved);
    QCOMPARE(pMoved->text(), QStringLiteral("KDL40"));
}

void TestControlDialogs::irKeysFollowCheckedTypes()
{
    Dev(RX2)->SetIrDev(QLatin1String(kKdl));
    Dev(RX3)->SetIrDev(QLatin1String(kBravia));
    Dev(RX4)->SetIrDev(QString());
    CDlgIrCtrl pad;
    Chooser(pad)->Init(&pad, nullptr, nullptr);
    QCOMPARE(EnabledKeys(pad), QStringList());

    Check(pad, RX2);
    QCOMPARE(EnabledKeys(pad), (QStringList{"btnKey_1", "btnKey_Mute", "btnKey_Power", "btnKey_Vol_Inc"}));
    QCOMPARE(MarkedKeys(pad), EnabledKeys(pad));
    Check(pad, RX3);
    QCOMPARE(EnabledKeys(pad), (QStringList{"btnKey_Mute", "btnKey_Power"}));
    // The current row decides the marks.
    QCOMPARE(MarkedKeys(pad), (QStringList{"btnKey_Menu", "btnKey_Mute", "btnKey_Power"}));
    Check(pad, RX4);
    QCOMPARE(EnabledKeys(pad), QStringList());
    QCOMPARE(MarkedKeys(pad), QStringList());
}

void TestControlDialogs::irKeyPressReportsEachDevice()
{
    Dev(RX2)->SetIrDev(QLatin1String(kKdl));
    Dev(RX3)->SetIrDev(QLatin1String(kBravia));
    Dev(RX4)->SetIrDev(QLatin1String(kLg));
    CDlgIrCtrl pad;
    Chooser(pad)->Init(&pad, nullptr, nullptr);
    Check(pad, RX2);
    Check(pad, RX3);
    {
        // Checked while the pad is not told: its keys stay as they were.
        const QSignalBlocker blocker(Tree(pad));
        RowOf(Tree(pad), Dev(RX4))->setCheckState(0, Qt::Checked);
    }
    QVERIFY(Key(pad, "btnKey_Mute")->isEnabled());
    QSignalSpy logSpy(m_env.Mgr(), &CHOIDevMgr::OnProgressLog);

    Key(pad, "btnKey_Mute")->click();
    // The LG type has no Mute: refused at once; the others wait.
    QVERIFY(!pad.isEnabled());
    QCOMPARE(RowColor(Tree(pad), Dev(RX4)), QColor(Qt::red));
    QCOMPARE(RowColor(Tree(pad), Dev(RX2)), QColor(Qt::black));
    QCOMPARE(RowColor(Tree(pad), Dev(RX3)), QColor(Qt::black));

    // Nothing carries IR frames: both report failure, and the pad is free.
    QTRY_VERIFY_WITH_TIMEOUT(pad.isEnabled(), 5000);
    QCOMPARE(RowColor(Tree(pad), Dev(RX2)), QColor(Qt::red));
    QCOMPARE(RowColor(Tree(pad), Dev(RX3)), QColor(Qt::red));
    QStringList logs;
    for (const QList<QVariant> &args : qAsConst(logSpy))
        logs << args.at(0).toString();
    QCOMPARE(logs.filter(QStringLiteral("fails to send ir code.")).size(), 2);
}

void TestControlDialogs::irStaleKeysWithNothingChecked()
{
    Dev(RX2)->SetIrDev(QLatin1String(kKdl));
    CDlgIrCtrl pad;
    Chooser(pad)->Init(&pad, nullptr, nullptr);
    Check(pad, RX2);
    QVERIFY(Key(pad, "btnKey_Power")->isEnabled());

    // Reopening rebuilds the rows but leaves the keys as they were.
    Chooser(pad)->Init(&pad, nullptr, nullptr);
    QVERIFY(Key(pad, "btnKey_Power")->isEnabled());
    Key(pad, "btnKey_Power")->click();
    QCOMPARE(m_boxes.boxes.size(), 1);
    QCOMPARE(m_boxes.boxes.at(0).text, QStringLiteral("No controlled device was selected."));
    QCOMPARE(m_boxes.boxes.at(0).title, QString());
    QCOMPARE(m_boxes.boxes.at(0).parent, &pad);
    QVERIFY(pad.isEnabled());
}

void TestControlDialogs::irIgnoresForeignCompletions()
{
    Dev(RX2)->SetIrDev(QLatin1String(kKdl));
    CDlgIrCtrl pad;
    Chooser(pad)->Init(&pad, nullptr, nullptr);
    Check(pad, RX2);
    Key(pad, "btnKey_Power")->click();
    QVERIFY(!pad.isEnabled());
    emit m_env.Mgr()->OnDevCmdCompleted(Dev(RX2), E_CO_DEV, E_CommResult(0));
    emit m_env.Mgr()->OnDevCmdCompleted(Dev(RX3), E_CO_IR, E_CommResult(0));
    QVERIFY(!pad.isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(pad.isEnabled(), 5000);
}

void TestControlDialogs::irChooseType()
{
    Dev(RX2)->SetIrDev(QLatin1String(kKdl));
    Dev(RX3)->SetIrDev(QString());
    CDlgIrCtrl pad;
    Chooser(pad)->Init(&pad, nullptr, nullptr);
    Check(pad, RX2);
    const QStringList enabled = EnabledKeys(pad);
    QTreeWidget *pTree = Tree(pad);
    auto *pButton = qobject_cast<QPushButton *>(pTree->itemWidget(RowOf(pTree, Dev(RX3)), 1));
    QVERIFY(pButton);

    OnModal<CDlgSelectIrDev>([](CDlgSelectIrDev *pDlg) {
        pDlg->findChild<QCheckBox *>(QStringLiteral("chkAllmanufacturer"))->click();
        QListWidget *pList = pDlg->findChild<QListWidget *>(QStringLiteral("lwIrDev"));
        pList->setCurrentItem(pList->findItems(QLatin1String(kLg), Qt::MatchExactly).value(0));
        pDlg->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    pButton->click();
    QCOMPARE(Dev(RX3)->GetIrDev(), QLatin1String(kLg));
    QCOMPARE(pButton->text(), QStringLiteral("55_A"));
    QCOMPARE(pButton->toolTip(), QLatin1String(kLg));
    QCOMPARE(MarkedKeys(pad), (QStringList{"btnKey_Play", "btnKey_Power"}));
    // The device is not checked: the enabled keys stay.
    QCOMPARE(EnabledKeys(pad), enabled);

    // A cancelled chooser changes nothing.
    OnModal<CDlgSelectIrDev>([](CDlgSelectIrDev *pDlg) { pDlg->reject(); });
    pButton->click();
    QCOMPARE(Dev(RX3)->GetIrDev(), QLatin1String(kLg));

    // "[null]" clears the type.
    OnModal<CDlgSelectIrDev>([](CDlgSelectIrDev *pDlg) {
        pDlg->findChild<QListWidget *>(QStringLiteral("lwIrDev"))->setCurrentRow(0);
        pDlg->accept();
    });
    pButton->click();
    QCOMPARE(Dev(RX3)->GetIrDev(), QString());
    QCOMPARE(pButton->text(), QStringLiteral("[Select Type...]"));
    QCOMPARE(pButton->toolTip(), QString());

    // For a checked device the enabled keys follow the new type.
    auto *pChecked = qobject_cast<QPushButton *>(pTree->itemWidget(RowOf(pTree, Dev(RX2)), 1));
    OnModal<CDlgSelectIrDev>([](CDlgSelectIrDev *pDlg) {
        QListWidget *pList = pDlg->findChild<QListWidget *>(QStringLiteral("lwIrDev"));
        pList->setCurrentItem(pList->findItems(QLatin1String(kBravia), Qt::MatchExactly).value(0));
        pDlg->accept();
    });
    pChecked->click();
    QCOMPARE(EnabledKeys(pad), (QStringList{"btnKey_Menu", "btnKey_Mute", "btnKey_Power"}));
}

void TestControlDialogs::selectIrDevLists()
{
    const QStringList ids{QLatin1String(kKdl), QStringLiteral("Sonya_DVD_X1"), QLatin1String(kBravia),
                          QLatin1String(kLg),  QStringLiteral("Plain"),       QStringLiteral("_Hidden")};
    CDlgSelectIrDev dlg(&ids);
    auto *pMaker = dlg.findChild<QComboBox *>(QStringLiteral("cmbManfacturer"));
    auto *pAll = dlg.findChild<QCheckBox *>(QStringLiteral("chkAllmanufacturer"));
    auto *pFilter = dlg.findChild<QLineEdit *>(QStringLiteral("edtIrDevFilter"));
    auto *pList = dlg.findChild<QListWidget *>(QStringLiteral("lwIrDev"));
    QPushButton *pOk = dlg.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    auto rows = [pList]() {
        QStringList texts;
        for (int i = 0; i < pList->count(); ++i)
            texts << pList->item(i)->text();
        return texts;
    };

    QStringList makers;
    for (int i = 0; i < pMaker->count(); ++i)
        makers << pMaker->itemText(i);
    QCOMPARE(makers, (QStringList{"Sony", "Sonya", "LG"}));
    // "Sonya" is not a "Sony".
    QCOMPARE(rows(), (QStringList{"[null]", kKdl, kBravia}));
    QVERIFY(!pOk->isEnabled());
    QCOMPARE(dlg.GetSelectedId(), QString());

    pFilter->setText(QStringLiteral("bravia"));
    QCOMPARE(rows(), (QStringList{"[null]", kBravia}));
    // A new manufacturer lists without the filter; the box keeps its text.
    pMaker->setCurrentIndex(1);
    QCOMPARE(rows(), (QStringList{"[null]", "Sonya_DVD_X1"}));
    QCOMPARE(pFilter->text(), QStringLiteral("bravia"));

    pAll->click();
    QVERIFY(!pMaker->isEnabled());
    QCOMPARE(rows(), (QStringList{"[null]", kKdl, "Sonya_DVD_X1", kBravia, kLg, "Plain", "_Hidden"}));

    pList->setCurrentRow(0);
    QVERIFY(pOk->isEnabled());
    QCOMPARE(dlg.GetSelectedId(), QString());
    pList->setCurrentRow(4);
    QCOMPARE(dlg.GetSelectedId(), QLatin1String(kLg));
}

void TestControlDialogs::selectIrDevWithoutIds()
{
    const QStringList none;
    CDlgSelectIrDev empty(&none);
    QCOMPARE(empty.findChild<QComboBox *>(QStringLiteral("cmbManfacturer"))->count(), 0);
    QCOMPARE(empty.findChild<QListWidget *>(QStringLiteral("lwIrDev"))->count(), 1);

    // No manufacturer at all: every id is listed.
    const QStringList plain{QStringLiteral("Plain"), QStringLiteral("_X")};
    CDlgSelectIrDev dlg(&plain);
    QCOMPARE(dlg.findChild<QListWidget *>(QStringLiteral("lwIrDev"))->count(), 3);
}

// ---------------------------------------------------------------------------
// Launchers

void TestControlDialogs::gridOpensDialogsWithCellDevice()
{
    CHOIScene *pScene = m_env.Mgr()->CreateScene(QStringLiteral("Hall-Grid"));
    pScene->SetGridSize(1, 2);
    QString err;
    QVERIFY2(pScene->SetCellDev(0, 0, Dev(TX0), err), qPrintable(err));
    QVERIFY2(pScene->SetCellDev(0, 0, Dev(RX2), err), qPrintable(err));
    QVERIFY2(pScene->SetCellDev(0, 1, Dev(RX3), err), qPrintable(err));

    QList<CHOIDev *> rows;
    QList<CHOIDev *> checked;
    auto look = [&rows, &checked](QDialog *pDlg) {
        rows = RowDevs(Tree(*pDlg));
        checked = Chooser(*pDlg)->GetCheckedDevList();
        pDlg->reject();
    };
    OnModal<CDlgSerialMsg>(look);
    CDlgSerialMsg::ShowDlg(pScene, Dev(RX3));
    QCOMPARE(rows, (QList<CHOIDev *>{Dev(TX0), Dev(RX2), Dev(RX3)}));
    QCOMPARE(checked, QList<CHOIDev *>{Dev(RX3)});

    OnModal<CDlgCECCtrl>(look);
    CDlgCECCtrl::ShowDlg(pScene, Dev(RX2));
    QCOMPARE(checked, QList<CHOIDev *>{Dev(RX2)});

    OnModal<CDlgIrCtrl>(look);
    CDlgIrCtrl::ShowDlg(pScene, Dev(RX2));
    QCOMPARE(rows, (QList<CHOIDev *>{Dev(TX0), Dev(RX2), Dev(RX3)}));
    QCOMPARE(checked, QList<CHOIDev *>{Dev(RX2)});
    m_env.Mgr()->DeleteScene(pScene);
}

void TestControlDialogs::toolLauncherOpensSharedDialogs()
{
    QStringList opened;
    auto look = [&opened](QDialog *pDlg) {
        opened << QString::fromLatin1(pDlg->metaObject()->className());
        // Opened with no device: nothing is checked.
        if (!Chooser(*pDlg)->GetCheckedDevList().isEmpty())
            opened << QStringLiteral("checked!");
        pDlg->reject();
    };
    OnModal<CDlgStandbyCtrl>(look);
    CDlgStandbyCtrl::ShowDlg(nullptr, nullptr);
    OnModal<CDlgSerialMsg>(look);
    CDlgSerialMsg::ShowDlg(nullptr, nullptr);
    OnModal<CDlgIrCtrl>(look);
    CDlgIrCtrl::ShowDlg(nullptr, nullptr);
    OnModal<CDlgCECCtrl>(look);
    CDlgCECCtrl::ShowDlg(nullptr, nullptr);
    QCOMPARE(opened, (QStringList{"CDlgStandbyCtrl", "CDlgSerialMsg", "CDlgIrCtrl", "CDlgCECCtrl"}));

    // The pad and the serial dialog can be destroyed (the main window does so
    // when it goes); a later opening builds them again.
    CDlgIrCtrl::DestroyDlg();
    CDlgSerialMsg::DestroyDlg();
    OnModal<CDlgSerialMsg>(look);
    CDlgSerialMsg::ShowDlg(nullptr, nullptr);
    QCOMPARE(opened.last(), QStringLiteral("CDlgSerialMsg"));
}

// Last: takes a device out of the manager for good.
void TestControlDialogs::pendingDeviceDeletedReleasesDialog()
{
    m_env.Lan().Device(RX4)->setStallReplies(true);
    CDlgSerialMsg dlg;
    Chooser(dlg)->Init(&dlg, nullptr, nullptr);
    Check(dlg, RX2);
    Check(dlg, RX4);
    Child<QPlainTextEdit>(dlg, "edtMsg")->setPlainText(QStringLiteral("ping"));
    Child<QPushButton>(dlg, "btnSendMsg")->click();
    QTRY_COMPARE_WITH_TIMEOUT(RowColor(Tree(dlg), Dev(RX2)), QColor(Qt::green), 10000);
    QVERIFY(!dlg.isEnabled());

    // A device that leaves the manager never reports: the dialog is freed.
    QVERIFY(m_env.Mgr()->RemoveDevice(Dev(RX4)));
    QTRY_VERIFY_WITH_TIMEOUT(dlg.isEnabled(), 5000);
}

QTEST_MAIN(TestControlDialogs)
#include "tst_controldialogs.moc"
