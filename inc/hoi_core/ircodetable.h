#ifndef HOI_CORE_IRCODETABLE_H
#define HOI_CORE_IRCODETABLE_H

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class QSqlQuery;

// The infrared codes of the controlled appliances, read from the SQLite file
// "ZEZOControlTable.db" beside the executable (table "ControlTable", one row
// per appliance key). The file is opened read-only for each query and closed
// again; a missing file or table reads as no codes.
class CIrCodeTable
{
public:
    CIrCodeTable();
    // Reads the given database file instead of the one beside the executable.
    explicit CIrCodeTable(const QString &dbPath);
    ~CIrCodeTable();

    QString DatabasePath() const;

    int GetCtrlIDs(QStringList *pCtrlIds);
    int GetKeyValues(QString strCtrlId, QStringList *pKeyValues);
    bool GetKeyCode(QString strCtrlId, QString strKeyValue, uint *pIdCode, uint *pOperateCode,
                    uint *pFrequenceCode, QByteArray *pExecuteCode);

private:
    Q_DISABLE_COPY(CIrCodeTable)

    // Opens the file, runs one statement with its bound values, hands the
    // executed query to fnRows and closes the file again. A file that cannot
    // be opened reads as no rows.
    void RunQuery(const QString &strSql, const QVariantMap &bindings,
                  const std::function<void(QSqlQuery &)> &fnRows);

    QSqlDatabase m_db;
};

// Builds the IR frame of one key: a 70-byte header and trailer around the
// key's code body, big-endian, ending in an XOR check byte. False, with
// pPacket untouched, when the key is not in the table.
bool BuildIrPacket(CIrCodeTable *pTable, QString strCtrlId, QString strKeyValue, QByteArray *pPacket);

#endif
