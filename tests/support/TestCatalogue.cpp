#include "TestCatalogue.h"

#include "catalogue/CatalogueSchema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <stdexcept>

TestCatalogue::TestCatalogue(const QString& path)
    : m_path(path), m_connection(QStringLiteral("test-catalogue-") + QUuid::createUuid().toString())
{
    QFile::remove(path);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    if (!db.open())
        throw std::runtime_error(db.lastError().text().toStdString());
    for (const QString& statement : CatalogueSchema::createStatements())
        run(statement, {});
}

TestCatalogue::~TestCatalogue()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

void TestCatalogue::run(const QString& sql, const QVariantList& binds)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.prepare(sql))
        throw std::runtime_error(q.lastError().text().toStdString());
    for (const QVariant& v : binds)
        q.addBindValue(v);
    if (!q.exec())
        throw std::runtime_error(q.lastError().text().toStdString());
}

void TestCatalogue::addGroup(int id, const QString& text, const QString& prefix)
{
    run(QStringLiteral("INSERT INTO tblCommandGroup VALUES (?, ?, ?)"), {id, text, prefix});
}

void TestCatalogue::addCommand(int id, int group, const QString& text, const QString& description, int type,
                               const QString& add, const QString& book)
{
    CatalogueCommand command;
    command.id = id;
    command.group = group;
    command.text = text;
    command.description = description;
    command.type = CommandType(type);
    command.add = add;
    run(CatalogueSchema::insertCommandSql(), CatalogueSchema::commandRow(command, book));
}

void TestCatalogue::addBreed(const QString& breed)
{
    run(QStringLiteral("INSERT INTO tblBreed VALUES (?)"), {breed});
}

void TestCatalogue::addProfession(const QString& profession)
{
    run(QStringLiteral("INSERT INTO tblProfession VALUES (?)"), {profession});
}

void TestCatalogue::addName(const QString& name, int type, const QString& sex)
{
    run(QStringLiteral("INSERT INTO tblnames VALUES (?, ?, ?)"), {name, type, sex});
}

void TestCatalogue::exec(const QString& sql)
{
    run(sql, {});
}
