#include "catalogue/Catalogue.h"

#include "platform/Prompt.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Error number for a catalogue file that does not exist: SQLite's "cannot open".
constexpr int kCannotOpen = 14;

const char* const kRequiredTables[] = {"tblCommandGroup", "tblCommand", "tblBreed", "tblProfession",
                                       "tblnames"};

QString driverMissingText()
{
    return QStringList{
        QStringLiteral("This application requires something called mdac (Microsoft Direct Access Component v2.1), "
                       "unfortunately your computer does not already have this installed. The files required are "
                       "usually installed automatically with Windows SE, NT4 SP3+, 2000, ME."),
        QStringLiteral("You can get these files from the following location(s):"),
        QString(),
        QStringLiteral("the SQLite driver for Qt 6: sudo apt-get install libqt6sql6-sqlite (Debian package, about 100 KB)"),
    }
        .join(QStringLiteral("\r\n"));
}

int nativeCode(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code : 1;
}

QString sqlLiteral(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Double:
        return value.toString();
    default:
        return QLatin1Char('\'') + value.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    }
}

}

QString expandBinds(const QString& sql, const QVariantList& binds)
{
    QString out;
    qsizetype next = 0;
    for (const QChar c : sql) {
        if (c == QLatin1Char('?') && next < binds.size())
            out += sqlLiteral(binds.at(next++));
        else
            out += c;
    }
    return out;
}

Catalogue::Catalogue(Prompt& prompt, QString file, QString driver)
    : m_prompt(prompt), m_file(std::move(file)), m_driver(std::move(driver))
{
}

Catalogue::~Catalogue()
{
    close();
    if (QSqlDatabase::contains(connectionName()))
        QSqlDatabase::removeDatabase(connectionName());
}

QString Catalogue::connectionName()
{
    return QStringLiteral("zandrel-catalogue");
}

bool Catalogue::isOpen() const
{
    return QSqlDatabase::contains(connectionName()) && QSqlDatabase::database(connectionName(), false).isOpen();
}

void Catalogue::close()
{
    if (QSqlDatabase::contains(connectionName()))
        QSqlDatabase::database(connectionName(), false).close();
}

Catalogue::OpenResult Catalogue::OpenCatalogue()
{
    if (m_setUp)
        close();

    if (!QSqlDatabase::isDriverAvailable(m_driver)) {
        m_prompt.notify(QStringLiteral("Warning"), driverMissingText(), PromptIcon::Critical);
        return OpenResult::DriverMissing;
    }

    m_setUp = true;
    QSqlDatabase db = QSqlDatabase::contains(connectionName())
                          ? QSqlDatabase::database(connectionName(), false)
                          : QSqlDatabase::addDatabase(m_driver, connectionName());

    const auto fail = [this, &db](int number, const QString& description) {
        db.close();
        m_prompt.showError(QStringLiteral("globs"), number, description);
        return OpenResult::Failed;
    };

    // SQLite would quietly create a missing file; the catalogue must already exist.
    if (!QFileInfo(m_file).isFile())
        return fail(kCannotOpen, QStringLiteral("The catalogue file was not found: ") + m_file);

    db.setDatabaseName(m_file);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    if (!db.open())
        return fail(nativeCode(db.lastError()), db.lastError().text());

    // Opening is lazy in SQLite: a file that is not a database, or one that lacks a
    // table, only shows when it is read.
    for (const char* table : kRequiredTables) {
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(QLatin1String(table))))
            return fail(nativeCode(probe.lastError()), probe.lastError().databaseText());
    }
    return OpenResult::Open;
}

RowSet Catalogue::query(const QString& sql, const QVariantList& binds)
{
    m_queryLog.append(expandBinds(sql, binds));
    m_lastError.clear();
    if (!isOpen()) {
        m_lastError = QStringLiteral("The catalogue is not open.");
        return {};
    }
    QSqlQuery q(QSqlDatabase::database(connectionName(), false));
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        m_lastError = q.lastError().text();
        return {};
    }
    for (const QVariant& value : binds)
        q.addBindValue(value);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return {};
    }
    std::vector<QSqlRecord> rows;
    while (q.next())
        rows.push_back(q.record());
    return RowSet(std::move(rows));
}

RowSet Catalogue::table(const QString& name)
{
    // Table names come from the program, never from data.
    return query(QStringLiteral("SELECT * FROM ") + name + QStringLiteral(" ORDER BY rowid"));
}
