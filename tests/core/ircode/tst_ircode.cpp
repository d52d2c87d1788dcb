#include "hoi_core/hoiirctrl.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Row {
    const char *ctrlId;
    const char *keyValue;
    quint32 idCode;
    quint32 operateCode;
    quint32 frequenceCode;
    QByteArray executeCode;
};

bool WriteDatabase(const QString &path, const QList<Row> &rows, bool withTable = true)
{
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "writer");
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        if (ok && !withTable)
            ok = query.exec("create table Other (x integer);");
        if (ok && withTable) {
            ok = query.exec("create table ControlTable (CtrlID text, KeyValue text, IDCode integer, "
                            "OperateCode integer, FrequenceCode integer, ExecuteCode blob);");
            for (const Row &row : rows) {
                ok = ok && query.prepare("insert into ControlTable values (?, ?, ?, ?, ?, ?);");
                query.addBindValue(QString::fromLatin1(row.ctrlId));
                query.addBindValue(QString::fromLatin1(row.keyValue));
                query.addBindValue(qlonglong(row.idCode));
                query.addBindValue(qlonglong(row.operateCode));
                query.addBindValue(qlonglong(row.frequenceCode));
                query.addBindValue(row.executeCode.isNull() ? QByteArray("") : row.executeCode);
                ok = ok && query.exec();
            }
        }
        if (!ok)
            qWarning() << query.lastError().text() << db.lastError().text();
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("writer");
    return ok;
}

} // namespace

class TestIrCode : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultPathIsBesideTheExecutable();
    void ctrlIdsAreDistinct();
    void keyValues_data();
    void keyValues();
    void keyCodeTakesFirstRow();
    void frame_data();
    void frame();
    void frameFieldsForTwoByteCode();
    void frameReplacesPreviousContent();
    void unknownKeyLeavesFrameUntouched();
    void overlongCodeIsRefused();
    void missingDatabase();
    void databaseWithoutTable();
    void twoTablesKeepTheirOwnFiles();

private:
    QTemporaryDir m_dir;
    QString m_codes;
    QString m_other;
};

void TestIrCode::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_codes = m_dir.filePath("codes.db");
    m_other = m_dir.filePath("other.db");
    const QList<Row> codes = {
        {"TV", "POWER", 0x01020304u, 0x0A0B0C0Du, 0x9470u, QByteArray()},
        {"TV", "VOL+", 0xDEADBEEFu, 0u, 38000u, QByteArray::fromHex("a55a")},
        {"DVD", "PLAY", 7u, 8u, 9u, QByteArray::fromHex("010203")},
        {"TV", "VOL+", 1u, 2u, 3u, QByteArray::fromHex("ffff")},
        {"TV", "LONG", 1u, 1u, 1u, QByteArray(65475, 'x')},
        {"TV", "LONGEST", 1u, 1u, 1u, QByteArray(65474, 'x')},
    };
    QVERIFY(WriteDatabase(m_codes, codes));
    QVERIFY(WriteDatabase(m_other, {{"PROJECTOR", "ON", 5u, 6u, 7u, QByteArray("\x11", 1)}}));
}

void TestIrCode::defaultPathIsBesideTheExecutable()
{
    CIrCodeTable table;
    QCOMPARE(table.DatabasePath(), QCoreApplication::applicationDirPath() + "/ZEZOControlTable.db");
}

void TestIrCode::ctrlIdsAreDistinct()
{
    CIrCodeTable table(m_codes);
    QStringList ids {"stale"};
    QCOMPARE(table.GetCtrlIDs(&ids), 2);
    ids.sort();
    QCOMPARE(ids, QStringList({"DVD", "TV"}));
}

void TestIrCode::keyValues_data()
{
    QTest::addColumn<QString>("ctrlId");
    QTest::addColumn<QStringList>("keys");

    QTest::newRow("several rows") << "TV" << QStringList({"LONG", "LONGEST", "POWER", "VOL+", "VOL+"});
    QTest::newRow("one row") << "DVD" << QStringList({"PLAY"});
    QTest::newRow("no rows") << "VCR" << QStringList();
    QTest::newRow("case matters") << "tv" << QStringList();
}

void TestIrCode::keyValues()
{
    QFETCH(QString, ctrlId);
    QFETCH(QStringList, keys);

    CIrCodeTable table(m_codes);
    QStringList out {"stale", "entries"};
    QCOMPARE(table.GetKeyValues(ctrlId, &out), keys.size());
    out.sort();
    QCOMPARE(out, keys);
}

void TestIrCode::keyCodeTakesFirstRow()
{
    CIrCodeTable table(m_codes);
    uint idCode = 0, operateCode = 1, frequenceCode = 0;
    QByteArray executeCode;
    QVERIFY(table.GetKeyCode("TV", "VOL+", &idCode, &operateCode, &frequenceCode, &executeCode));
    QCOMPARE(idCode, 0xDEADBEEFu);
    QCOMPARE(operateCode, 0u);
    QCOMPARE(frequenceCode, 38000u);
    QCOMPARE(executeCode, QByteArray::fromHex("a55a"));
}

void TestIrCode::frame_data()
{
    QTest::addColumn<QString>("ctrlId");
    QTest::addColumn<QString>("keyValue");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty code")
        << "TV" << "POWER"
        << QByteArray::fromHex("0000004600fd003d0000003d00001e0100000001000000010000000000000000"
                               "0000000849324300002dedd0000020000000ff0201010203040a0b0c0d000094"
                               "70000000043a");
    QTest::newRow("two-byte code, first row")
        << "TV" << "VOL+"
        << QByteArray::fromHex("0000004800fd003f0000003f00001e0100000001000000010000000000000000"
                               "0000000849324300002dedd0000020000000ff0201deadbeef00000000000094"
                               "7000000006a55ae3");
}

void TestIrCode::frame()
{
    QFETCH(QString, ctrlId);
    QFETCH(QString, keyValue);
    QFETCH(QByteArray, expected);

    CIrCodeTable table(m_codes);
    QByteArray packet;
    QVERIFY(BuildIrPacket(&table, ctrlId, keyValue, &packet));
    QCOMPARE(packet.toHex(), expected.toHex());
}

void TestIrCode::frameFieldsForTwoByteCode()
{
    CIrCodeTable table(m_codes);
    QByteArray packet;
    QVERIFY(BuildIrPacket(&table, "TV", "VOL+", &packet));
    QCOMPARE(packet.size(), 72);
    QCOMPARE(packet.left(4), QByteArray::fromHex("00000048"));
    QCOMPARE(qFromBigEndian<quint16>(packet.constData() + 6), quint16(63));
    QCOMPARE(qFromBigEndian<quint32>(packet.constData() + 8), quint32(63));
    QCOMPARE(packet.mid(65, 4), QByteArray::fromHex("00000006"));
    QCOMPARE(packet.mid(69, 2), QByteArray::fromHex("a55a"));
    char check = 0;
    for (int i = 8; i < 71; ++i)
        check ^= packet.at(i);
    QCOMPARE(packet.at(71), check);
}

void TestIrCode::frameReplacesPreviousContent()
{
    CIrCodeTable table(m_codes);
    QByteArray packet(500, 'z');
    QVERIFY(BuildIrPacket(&table, "DVD", "PLAY", &packet));
    QCOMPARE(packet.size(), 73);
    QCOMPARE(packet.mid(69, 3), QByteArray::fromHex("010203"));
}

void TestIrCode::unknownKeyLeavesFrameUntouched()
{
    CIrCodeTable table(m_codes);
    QByteArray packet("keep");
    QVERIFY(!BuildIrPacket(&table, "TV", "MUTE", &packet));
    QVERIFY(!BuildIrPacket(&table, "DVD", "POWER", &packet));
    QCOMPARE(packet, QByteArray("keep"));
}

void TestIrCode::overlongCodeIsRefused()
{
    CIrCodeTable table(m_codes);
    QByteArray packet("keep");
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("too long"));
    QVERIFY(!BuildIrPacket(&table, "TV", "LONG", &packet));
    QCOMPARE(packet, QByteArray("keep"));

    QVERIFY(BuildIrPacket(&table, "TV", "LONGEST", &packet));
    QCOMPARE(packet.size(), 65474 + 70);
    QCOMPARE(qFromBigEndian<quint16>(packet.constData() + 6), quint16(0xFFFF));
}

void TestIrCode::missingDatabase()
{
    const QString path = m_dir.filePath("missing.db");
    CIrCodeTable table(path);
    QStringList list {"stale"};
    QCOMPARE(table.GetCtrlIDs(&list), 0);
    QVERIFY(list.isEmpty());
    list << "stale";
    QCOMPARE(table.GetKeyValues("TV", &list), 0);
    QVERIFY(list.isEmpty());
    uint code = 42;
    QVERIFY(!table.GetKeyCode("TV", "POWER", &code, &code, &code, nullptr));
    QCOMPARE(code, 42u);
    QByteArray packet("keep");
    QVERIFY(!BuildIrPacket(&table, "TV", "POWER", &packet));
    QCOMPARE(packet, QByteArray("keep"));
    // Looking codes up must not leave an empty database behind.
    QVERIFY(!QFile::exists(path));
}

void TestIrCode::databaseWithoutTable()
{
    const QString path = m_dir.filePath("notable.db");
    QVERIFY(WriteDatabase(path, {}, false));
    CIrCodeTable table(path);
    QStringList list {"stale"};
    QCOMPARE(table.GetCtrlIDs(&list), 0);
    QVERIFY(list.isEmpty());
    QCOMPARE(table.GetKeyValues("TV", &list), 0);
    QByteArray packet;
    QVERIFY(!BuildIrPacket(&table, "TV", "POWER", &packet));
    QVERIFY(packet.isEmpty());
}

void TestIrCode::twoTablesKeepTheirOwnFiles()
{
    CIrCodeTable codes(m_codes);
    QStringList ids;
    {
        CIrCodeTable other(m_other);
        QCOMPARE(other.GetCtrlIDs(&ids), 1);
        QCOMPARE(ids, QStringList({"PROJECTOR"}));
        QCOMPARE(codes.GetCtrlIDs(&ids), 2);
        QCOMPARE(other.GetKeyValues("PROJECTOR", &ids), 1);
        QByteArray packet;
        QVERIFY(BuildIrPacket(&other, "PROJECTOR", "ON", &packet));
        QCOMPARE(packet.size(), 71);
    }
    // The first table still works after the second one is gone.
    QCOMPARE(codes.GetKeyValues("DVD", &ids), 1);
    QVERIFY(BuildIrPacket(&codes, "DVD", "PLAY", nullptr) == false);
    QByteArray packet;
    QVERIFY(BuildIrPacket(&codes, "DVD", "PLAY", &packet));
}

QTEST_GUILESS_MAIN(TestIrCode)
#include "tst_ircode.moc"
