#include "hoi_core/hoiconst.h"

#include <QCoreApplication>
#include <QTranslator>
#include <QtTest>

namespace {

// Translates every "QObject" text, as the Chinese catalogue would.
class ChineseTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *sourceText, const char *,
                      int) const override
    {
        if (qstrcmp(context, "QObject") != 0)
            return QString();
        return QStringLiteral("\u672a\u5206\u7ec4:") + QString::fromUtf8(sourceText);
    }
};

} // namespace

class TestConstants : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void lengths();
};

void TestConstants::texts_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("ungrouped") << g_strUngrouped << "ungrouped";
    QTest::newRow("controller model") << g_strControllerModel << "QN714";
    QTest::newRow("controller type") << g_strControllerType << "IP Controller";
    QTest::newRow("all groups") << g_strAllGroups << "All Groups";
    QTest::newRow("tx mime") << g_strMimeTxItem << "application/qm-dev-tx-item";
    QTest::newRow("rx mime") << g_strMimeRxItem << "application/qm-dev-rx-item";
    QTest::newRow("cell mime") << g_strMimeCellItem << "application/qm-cell-item";
    QTest::newRow("wall kinds")
        << g_strWallKinds
        << "Standard Video Wall,PiP/Windowing Decoders,Video Wall within a Wall,PiP/Windowing Processor";
    QTest::newRow("standard wall") << g_strStandardVideoWall << "Standard Video Wall";
    QTest::newRow("window decoders") << g_strWindowDecoders << "PiP/Windowing Decoders";
    QTest::newRow("wall in wall") << g_strWallInWall << "Video Wall within a Wall";
    QTest::newRow("window processor") << g_strWindowProcessor << "PiP/Windowing Processor";
    QTest::newRow("is setting") << g_strIsSetting << "is setting ";
    QTest::newRow("empty") << g_strEmpty << "";
}

void TestConstants::texts()
{
    QFETCH(QString, value);
    QFETCH(QString, text);

    ChineseTranslator translator;
    QCoreApplication::installTranslator(&translator);
    // The catalogue is live, yet the constants keep their English text.
    QVERIFY(QCoreApplication::translate("QObject", "ungrouped") != QStringLiteral("ungrouped"));
    QCOMPARE(value, text);
    QCoreApplication::removeTranslator(&translator);
}

void TestConstants::lengths()
{
    QCOMPARE(g_strControllerModel.size(), 5);
    QCOMPARE(g_strControllerType.size(), 13);
    QCOMPARE(g_strIsSetting.size(), 11);
    QVERIFY(g_strEmpty.isEmpty());
    QCOMPARE(g_strWallKinds.split(',').size(), 4);
    QCOMPARE(g_strWallKinds.split(','), QStringList({g_strStandardVideoWall, g_strWindowDecoders,
                                                     g_strWallInWall, g_strWindowProcessor}));
}

QTEST_GUILESS_MAIN(TestConstants)
#include "tst_constants.moc"
