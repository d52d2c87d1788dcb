// Builds an SQLite database from a text of SQL statements, at build time:
//   hoi_sqltodb <statements.sql> <database>
// A statement ends with ';' at the end of a line; lines that begin with
// "--" are comments. The database is made anew, first under a temporary
// name, so that a failed run leaves no half-built file behind.
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

namespace {

const char kConnection[] = "hoi_sqltodb";

// Runs every statement of the text; false with a message on the first
// that fails.
bool RunStatements(QSqlDatabase &db, QTextStream &text, const QString &sourceName, QTextStream &err)
{
    QString statement;
    int nLine = 0;
    int nFirstLine = 0;
    while (!text.atEnd()) {
        const QString line = text.readLine();
        ++nLine;
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--")))
            continue;
        if (statement.isEmpty())
            nFirstLine = nLine;
        statement += line + QLatin1Char('\n');
        if (!trimmed.endsWith(QLatin1Char(';')))
            continue;
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            err << sourceName << ':' << nFirstLine << ": " << query.lastError().text() << '\n';
            return false;
        }
        statement.clear();
    }
    if (!statement.trimmed().isEmpty()) {
        err << sourceName << ':' << nFirstLine << ": statement without ';'\n";
        return false;
    }
    return true;
}

bool Build(const QString &sourceName, const QString &target, QTextStream &err)
{
    QFile source(sourceName);
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << "cannot read " << sourceName << '\n';
        return false;
    }
    QTextStream text(&source);
    text.setCodec("UTF-8");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kConnection));
    db.setDatabaseName(target);
    if (!db.open()) {
        err << "cannot create " << target << ": " << db.lastError().text() << '\n';
        return false;
    }
    db.transaction();
    const bool bOk = RunStatements(db, text, sourceName, err) && db.commit();
    db.close();
    return bOk;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: hoi_sqltodb <statements.sql> <database>\n";
        return 2;
    }
    const QString target = args.at(2);
    const QString building = target + QStringLiteral(".part");
    QFile::remove(building);
    const bool bOk = Build(args.at(1), building, err);
    QSqlDatabase::removeDatabase(QLatin1String(kConnection));
    if (!bOk || (QFile::exists(target) && !QFile::remove(target)) || !QFile::rename(building, target)) {
        QFile::remove(building);
        err << "hoi_sqltodb: " << target << " not built\n";
        return 1;
    }
    return 0;
}
