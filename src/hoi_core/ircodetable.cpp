#include "hoi_core/ircodetable.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <QtEndian>

#include <cstring>

namespace {

// Header of the frame up to the code body, and the check byte after it.
const int kFrameOverhead = 70;
const int kBodyOffset = 69;
// Bytes from offset 8 up to the check byte, less the code body.
const int kInnerOverhead = 61;

// Each table gets a connection of its own: re-adding the default connection
// would cut off the handle of any other table alive at the time.
QString NextConnectionName()
{
    static QAtomicInt s_counter;
    return QStringLiteral("hoi_ircode_%1").arg(s_counter.fetchAndAddRelaxed(1));
}

void Put16(QByteArray &frame, int offset, quint16 value)
{
    qToBigEndian(value, frame.data() + offset);
}

void Put32(QByteArray &frame, int offset, quint32 value)
{
    qToBigEndian(value, frame.data() + offset);
}

} // namespace

CIrCodeTable::CIrCodeTable()
    : CIrCodeTable(QCoreApplication::applicationDirPath() + QStringLiteral("/ZEZOControlTable.db"))
{
}

CIrCodeTable::CIrCodeTable(const QString &dbPath)
    : m_db(QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), NextConnectionName()))
{
    m_db.setDatabaseName(dbPath);
    // The code table is never written; read-only also keeps SQLite from
    // creating an empty file where none was.
    m_db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
}

CIrCodeTable::~CIrCodeTable()
{
    const QString connection = m_db.connectionName();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

QString CIrCodeTable::DatabasePath() const
{
    return m_db.databaseName();
}

void CIrCodeTable::RunQuery(const QString &strSql, const QVariantMap &bindings,
                            const std::function<void(QSqlQuery &)> &fnRows)
{
    if (!m_db.open()) {
        qDebug() << "IR code table not available:" << m_db.lastError().text();
        return;
    }
    {
        QSqlQuery query(m_db);
        if (query.prepare(strSql)) {
            for (auto it = bindings.cbegin(); it != bindings.cend(); ++it)
                query.bindValue(it.key(), it.value());
            if (query.exec())
                fnRows(query);
        }
    }
    m_db.close();
}

int CIrCodeTable::GetCtrlIDs(QStringList *pCtrlIds)
{
    if (!pCtrlIds)
        return 0;
    pCtrlIds->clear();
    RunQuery(QStringLiteral("select distinct CtrlID from ControlTable;"), {},
             [pCtrlIds](QSqlQuery &query) {
                 while (query.next())
                     pCtrlIds->append(query.value(0).toString());
             });
    return pCtrlIds->size();
}

int CIrCodeTable::GetKeyValues(QString strCtrlId, QStringList *pKeyValues)
{
    if (!pKeyValues)
        return 0;
    pKeyValues->clear();
    RunQuery(QStringLiteral("select KeyValue from ControlTable where CtrlID=:CtrlID;"),
             {{QStringLiteral(":CtrlID"), strCtrlId}}, [pKeyValues](QSqlQuery &query) {
                 while (query.next())
                     pKeyValues->append(query.value(0).toString());
             });
    return pKeyValues->size();
}

bool CIrCodeTable::GetKeyCode(QString strCtrlId, QString strKeyValue, uint *pIdCode,
                              uint *pOperateCode, uint *pFrequenceCode, QByteArray *pExecuteCode)
{
    bool found = false;
    RunQuery(QStringLiteral("select IDCode,OperateCode,FrequenceCode,ExecuteCode from ControlTable "
                            "where CtrlID=:CtrlID and KeyValue=:KeyValue;"),
             {{QStringLiteral(":CtrlID"), strCtrlId}, {QStringLiteral(":KeyValue"), strKeyValue}},
             [&](QSqlQuery &query) {
                 if (!query.next())
                     return;
                 found = true;
                 if (pIdCode)
                     *pIdCode = query.value(0).toUInt();
                 if (pOperateCode)
                     *pOperateCode = query.value(1).toUInt();
                 if (pFrequenceCode)
                     *pFrequenceCode = query.value(2).toUInt();
                 if (pExecuteCode)
                     *pExecuteCode = query.value(3).toByteArray();
             });
    return found;
}

bool BuildIrPacket(CIrCodeTable *pTable, QString strCtrlId, QString strKeyValue, QByteArray *pPacket)
{
    if (!pTable || !pPacket)
        return false;

    uint idCode = 0;
    uint operateCode = 0;
    uint frequenceCode = 0;
    QByteArray executeCode;
    if (!pTable->GetKeyCode(strCtrlId, strKeyValue, &idCode, &operateCode, &frequenceCode,
                            &executeCode))
        return false;

    const int n = executeCode.size();
    // The inner length also travels in a 16-bit field; a longer body cannot
    // be framed without corrupting it.
    if (n + kInnerOverhead > 0xFFFF) {
        qWarning() << "IR code of" << strCtrlId << strKeyValue << "is too long:" << n << "bytes";
        return false;
    }

    QByteArray frame(n + kFrameOverhead, '\0');
    Put32(frame, 0, quint32(n + kFrameOverhead));
    Put16(frame, 4, 0x00FD);
    Put16(frame, 6, quint16(n + kInnerOverhead));
    Put32(frame, 8, quint32(n + kInnerOverhead));
    Put32(frame, 12, 0x00001E01);
    Put32(frame, 16, 0x00000001);
    Put32(frame, 20, 0x00000001);
    // Offsets 24 to 31 stay zero.
    Put32(frame, 32, 0x00000008);
    Put32(frame, 36, 0x49324300); // "I2C" and a zero byte
    Put32(frame, 40, 0x002DEDD0);
    Put32(frame, 44, 0x00002000);
    Put32(frame, 48, 0x0000FF02);
    frame[52] = '\x01';
    Put32(frame, 53, idCode);
    Put32(frame, 57, operateCode);
    Put32(frame, 61, frequenceCode);
    Put32(frame, 65, quint32(n + 4));
    if (n > 0)
        memcpy(frame.data() + kBodyOffset, executeCode.constData(), size_t(n));

    char check = 0;
    for (int i = 8; i < n + kFrameOverhead - 1; ++i)
        check ^= frame.at(i);
    frame[n + kFrameOverhead - 1] = check;

    *pPacket = frame;
    return true;
}
