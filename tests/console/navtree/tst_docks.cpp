#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QTextBlock>
#include <QTextDocument>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTranslator>
#include <QtTest>

#include <memory>

#include "docks/devinfowidget.h"
#include "hoi_core/appservices.h"
#include "hoi_core/hoiconst.h"
#include "docks/logwidget.h"
#include "navtestenv.h"

namespace {

// Marks every text it is asked for, so a retranslation shows.
class CMarkTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        Q_UNUSED(context)
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        return QStringLiteral("T:") + QString::fromUtf8(sourceText);
    }
    bool isEmpty() const override { return false; }
};

QStringList ActionTexts(const QWidget *pWidget)
{
    QStringList texts;
    const QList<QAction *> actions = pWidget->actions();
    for (QAction *pAction : actions)
        texts << pAction->text();
    return texts;
}

} // namespace

class TestDocks : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void logAppendsLines();
    void logKeepsLastLines();
    void logClearAndCopy();
    void docksFollowLanguage();
    void detailText_data();
    void detailText();
    void infoFollowsDevice();

private:
    std::unique_ptr<CNavTestEnv> m_pEnv;
};

void TestDocks::init()
{
    m_pEnv.reset(new CNavTestEnv);
    QVERIFY(m_pEnv->IsLoaded());
}

void TestDocks::cleanup()
{
    m_pEnv.reset();
}

void TestDocks::logAppendsLines()
{
    CLogWidget dock;
    QCOMPARE(dock.windowTitle(), QStringLiteral("Log"));
    QCOMPARE(dock.allowedAreas(), Qt::BottomDockWidgetArea);
    QTextEdit *pLog = dock.GetLogEdit();
    QVERIFY(pLog->isReadOnly());

    emit m_pEnv->Mgr()->OnProgressLog(QStringLiteral("2024-01-02 03:04:05 - Device('r1') is applied."));
    // Markup in a line is shown as written.
    emit m_pEnv->Mgr()->OnProgressLog(QStringLiteral("<b>Scene('a&b')</b> is applied."));
    m_pEnv->Mgr()->EmitProgressLog(QStringLiteral("third"));
    QTRY_COMPARE(pLog->document()->blockCount(), 3);
    const QStringList lines = pLog->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), QStringLiteral("2024-01-02 03:04:05 - Device('r1') is applied."));
    QCOMPARE(lines.at(1), QStringLiteral("<b>Scene('a&b')</b> is applied."));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d - third$"))
                .match(lines.at(2))
                .hasMatch());

    // A gateway's virtual TX list found damaged when a project is opened.
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", home.path().toUtf8());
    QVERIFY(m_pEnv->AddDev(QStringLiteral("ZGW-0000000000e1"), QStringLiteral("gw")));
    QFile list(DocumentsDir() + QStringLiteral("0000000000e1.xml"));
    QVERIFY(list.open(QIODevice::WriteOnly));
    list.write("<ipgwconfig><ipc><it");
    list.close();
    m_pEnv->Mgr()->LoadIpcConfig();
    qputenv("HOME", oldHome);
    QTRY_COMPARE(pLog->document()->blockCount(), 4);
    QVERIFY2(pLog->document()->lastBlock().text().contains(QStringLiteral(
                 "0000000000e1.xml is damaged: only the records before the damage are read")),
             qPrintable(pLog->document()->lastBlock().text()));
}

void TestDocks::logKeepsLastLines()
{
    CLogWidget dock;
    QTextEdit *pLog = dock.GetLogEdit();
    QTextDocument *pDoc = pLog->document();
    // In batches, and again after "Clear".
    for (int round = 0; round < 2; ++round) {
        const int total = CLogWidget::E_MAX_LINES + 5;
        for (int i = 0; i < total; ++i) {
            emit m_pEnv->Mgr()->OnProgressLog(QStringLiteral("line %1").arg(i));
            if (i % 1000 == 0)
                QCoreApplication::processEvents();
        }
        // The text takes a flood at its own pace.
        QTRY_COMPARE_WITH_TIMEOUT(pDoc->lastBlock().text(), QStringLiteral("line %1").arg(total - 1), 60000);
        QCOMPARE(pDoc->blockCount(), int(CLogWidget::E_MAX_LINES));
        QCOMPARE(pDoc->firstBlock().text(), QStringLiteral("line 5"));
        QVERIFY(!pDoc->isUndoAvailable());
        pLog->actions().at(0)->trigger();
    }
}

void TestDocks::logClearAndCopy()
{
    CLogWidget dock;
    QTextEdit *pLog = dock.GetLogEdit();
    QCOMPARE(ActionTexts(pLog), (QStringList{"Clear", "Copy"}));
    emit m_pEnv->Mgr()->OnProgressLog(QStringLiteral("one"));
    emit m_pEnv->Mgr()->OnProgressLog(QStringLiteral("two"));
    QTRY_COMPARE(pLog->toPlainText(), QStringLiteral("one\ntwo"));

    QApplication::clipboard()->setText(QStringLiteral("before"));
    pLog->actions().at(1)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("before"));
    pLog->selectAll();
    pLog->actions().at(1)->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one\ntwo"));

    pLog->actions().at(0)->trigger();
    QCOMPARE(pLog->toPlainText(), QString());
    emit m_pEnv->Mgr()->OnProgressLog(QStringLiteral("three"));
    QTRY_COMPARE(pLog->toPlainText(), QStringLiteral("three"));
}

void TestDocks::docksFollowLanguage()
{
    CLogWidget dock;
    CDevinfoWidget info;
    info.slotShowDevDetail(m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b1"), QStringLiteral("lobby")));
    CMarkTranslator translator;
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(dock.windowTitle(), QStringLiteral("T:Log"));
    QCOMPARE(ActionTexts(dock.GetLogEdit()), (QStringList{"T:Clear", "T:Copy"}));
    QCOMPARE(info.windowTitle(), QStringLiteral("T:Information"));
    QVERIFY(info.GetTextEdit()->toPlainText().startsWith(QStringLiteral("T:Alias: lobby\nT:Device Type: RX\n")));
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::processEvents();
    QCOMPARE(ActionTexts(dock.GetLogEdit()), (QStringList{"Clear", "Copy"}));
    // Still only the one line per message.
    emit m_pEnv->Mgr()->OnProgressLog(QStringLiteral("x"));
    QTRY_COMPARE(dock.GetLogEdit()->toPlainText(), QStringLiteral("x"));
}

void TestDocks::detailText_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("type"); // forced type, -1: the product's
    QTest::addColumn<QString>("videoIp");
    QTest::addColumn<QString>("expected");

    QTest::newRow("decoder with stream")
        << "ZRX-0000000000b1" << -1 << "225.0.1.2"
        << "Alias: lobby\nDevice Type: RX\nHostname: Decoder-0000000000b1\nIP Address: 10.0.1.5\n"
           "SinkInfo: 1920x1080\n225.0.1.2\nEDID:\r\n00 ff ff";
    QTest::newRow("encoder without stream")
        << "ZTX-0000000000a1" << -1 << ""
        << "Alias: lobby\nDevice Type: TX\nHostname: Encoder-0000000000a1\nIP Address: 10.0.1.5\n"
           "SinkInfo: 1920x1080\nEDID:\r\n00 ff ff";
    QTest::newRow("multiview") << "ZMRX-0000000000c1" << -1 << ""
                               << "Alias: lobby\nDevice Type: MRX\nHostname: Multiview-0000000000c1\n"
                                  "IP Address: 10.0.1.5\nSinkInfo: 1920x1080\nEDID:\r\n00 ff ff";
    QTest::newRow("unknown type") << "ZRX-0000000000b2" << int(CHOIDev::E_DT_UNKNOWN) << ""
                                  << "Alias: lobby\nDevice Type: \nHostname: Decoder-0000000000b2\n"
                                     "IP Address: 10.0.1.5\nSinkInfo: 1920x1080\nEDID:\r\n00 ff ff";
    QTest::newRow("controller") << "QN714-0000000000f6" << -1 << "225.0.1.2"
                                << "Alias: lobby\nDevice Type: IP Controller\nHostname: lobby\n"
                                   "IP Address: 10.0.1.5\n";
}

void TestDocks::detailText()
{
    QFETCH(QString, host);
    QFETCH(int, type);
    QFETCH(QString, videoIp);
    QFETCH(QString, expected);
    CHOIDev *pDev = m_pEnv->AddDev(host, QStringLiteral("lobby"));
    QVERIFY(pDev);
    if (type >= 0)
        pDev->m_eDevType = CHOIDev::DevType(type);
    pDev->SetIPAddr(QStringLiteral("10.0.1.5"));
    pDev->m_strSinkInfo = QStringLiteral("1920x1080");
    pDev->m_strVideoIP = videoIp;
    pDev->m_strEdid = QStringLiteral("00 ff ff");
    pDev->m_strTypeName = g_strControllerType;
    QCOMPARE(CDevinfoWidget::DetailText(pDev), expected);
    QCOMPARE(CDevinfoWidget::DetailText(nullptr), QString());
}

void TestDocks::infoFollowsDevice()
{
    CHOIDevMgr *pMgr = m_pEnv->Mgr();
    CHOIDev *pDev = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b1"), QStringLiteral("lobby"));
    CHOIDev *pOther = m_pEnv->AddDev(QStringLiteral("ZRX-0000000000b2"), QStringLiteral("hall"));
    CDevinfoWidget dock;
    QTextEdit *pText = dock.GetTextEdit();
    QVERIFY(pText->isReadOnly());
    QCOMPARE(pText->lineWrapMode(), QTextEdit::NoWrap);

    dock.slotShowDevDetail(pDev);
    QVERIFY(pText->toPlainText().startsWith(QStringLiteral("Alias: lobby\n")));
    QCOMPARE(dock.GetCurDev(), pDev);

    // A new name and a finished command fill the pane again, also after it
    // was emptied; another device's changes leave it alone.
    pDev->SetName(QStringLiteral("stage"));
    QVERIFY(pText->toPlainText().startsWith(QStringLiteral("Alias: stage\n")));
    dock.slotShowEmptyDetail();
    QCOMPARE(pText->toPlainText(), QString());
    QCOMPARE(dock.GetCurDev(), pDev);
    pOther->SetName(QStringLiteral("other"));
    emit pMgr->OnDevCmdCompleted(pOther, E_CO_DEV, E_CR_SUCCESS);
    QCOMPARE(pText->toPlainText(), QString());
    pDev->m_strSinkInfo = QStringLiteral("3840x2160");
    emit pMgr->OnDevCmdCompleted(pDev, E_CO_DEV, E_CR_SUCCESS);
    QVERIFY(pText->toPlainText().contains(QStringLiteral("SinkInfo: 3840x2160\n")));

    // A removed device leaves the pane for good.
    QVERIFY(pMgr->RemoveDevice(pDev));
    QCOMPARE(pText->toPlainText(), QString());
    QCOMPARE(dock.GetCurDev(), static_cast<CHOIDev *>(nullptr));
    dock.slotShowDevDetail(nullptr);
    QCOMPARE(pText->toPlainText(), QString());
}

QTEST_MAIN(TestDocks)
#include "tst_docks.moc"
