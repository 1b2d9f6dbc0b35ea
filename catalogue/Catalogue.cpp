#include "catalogue/Catalogue.h"

#include "catalogue/CatalogueSchema.h"

#include "platform/Prompt.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// Error numbers are SQLite's own: "cannot open" for a catalogue file that does not
// exist, "corrupt" for one whose pages do not hold together.
constexpr int kCannotOpen = 14;
constexpr int kCorrupt = 11;

// Every table and column the program reads. Brackets, because SQLite takes a
// double-quoted name it cannot find for a text and would not notice it missing.
struct TableColumns {
    const char* table;
    const char* columns;
};
const TableColumns kReadColumns[] = {
    {"tblCommandGroup", "[CommandGroupID], [CommandGroupText], [Prefix]"},
    {"tblCommand", nullptr},  // the command table's own list
    {"tblBreed", "[Breed]"},
    {"tblProfession", "[Profession]"},
    {"tblnames", "[Names], [Type], [Sex]"},
};

struct Failure {
    int number = 0;
    QString description;
};

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

Failure failureOf(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    const QString text = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    return {ok ? code : 1, text};
}

// Opening is lazy in SQLite: a file that is not a database, a missing table or
// column, or a damaged page only shows when it is read. Reading it all here finds
// them before the tree is half built.
std::optional<Failure> contentsFailure(const QSqlDatabase& db)
{
    for (const TableColumns& t : kReadColumns) {
        QSqlQuery probe(db);
        const QString sql = QStringLiteral("SELECT %1 FROM %2 LIMIT 0");
        const QString columns = t.columns ? QLatin1String(t.columns) : CatalogueSchema::commandColumns();
        if (!probe.exec(sql.arg(columns, QLatin1String(t.table))))
            return failureOf(probe.lastError());
    }
    QSqlQuery check(db);
    if (!check.exec(QStringLiteral("PRAGMA quick_check")))
        return failureOf(check.lastError());
    QString firstProblem;
    while (check.next() && firstProblem.isEmpty()) {
        const QString line = check.value(0).toString();
        if (line != QLatin1String("ok"))
            firstProblem = line.simplified();
    }
    if (check.lastError().isValid())
        return failureOf(check.lastError());
    if (!firstProblem.isEmpty())
        return Failure{kCorrupt, QStringLiteral("database disk image is malformed: ") + firstProblem};
    return std::nullopt;
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

// The text of `sql` with each "?" replaced by the matching value as an SQL literal.
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

bool isPlainWord(const QString& word)
{
    if (word.isEmpty())
        return false;
    for (const QChar c : word) {
        if (c.unicode() >= 128 || !(c.isLetterOrNumber() || c == u'_'))
            return false;
    }
    return true;
}

// A field without a value reads as the empty text, or 0.
QString text(const QSqlQuery& q, const char* field)
{
    return q.value(QLatin1String(field)).toString();
}

int number(const QSqlQuery& q, const char* field)
{
    return q.value(QLatin1String(field)).toInt();
}

qint64 idOf(const QSqlQuery& q)
{
    return q.value(QStringLiteral("CommandID")).toLongLong();
}

CatalogueCommand commandFrom(const QSqlQuery& q)
{
    return {idOf(q), number(q, "CommandGroupID"), text(q, "CommandText"), text(q, "CommandDescription"),
            CommandType(number(q, "CommandType")), text(q, "Add"),
            text(q, "CommandValues").split(QLatin1Char('|'), Qt::SkipEmptyParts)};
}

CataloguePage pageFrom(const QSqlQuery& q)
{
    return {text(q, "CommandText"), text(q, "CommandBook"), {}};
}

QStringList listOf(std::optional<std::vector<QString>> values)
{
    return values ? QStringList(values->begin(), values->end()) : QStringList();
}

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

void Catalogue::fail(int number, const QString& description)
{
    close();
    m_prompt.showError(ErrorReports::forCatalogue(m_file, number, description));
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

    // SQLite would quietly create a missing file; the catalogue must already exist.
    if (!QFileInfo(m_file).isFile()) {
        fail(kCannotOpen, QStringLiteral("The catalogue file was not found: ") + m_file);
        return OpenResult::Failed;
    }

    db.setDatabaseName(m_file);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    std::optional<Failure> failure;
    if (!db.open())
        failure = failureOf(db.lastError());
    else
        failure = contentsFailure(db);
    if (failure) {
        fail(failure->number, failure->description);
        return OpenResult::Failed;
    }
    return OpenResult::Open;
}

template <typename Row, typename ReadRow>
std::optional<std::vector<Row>> Catalogue::rows(const QString& sql, const QVariantList& binds, ReadRow readRow)
{
    m_queryLog.append(expandBinds(sql, binds));
    // A closed connection was reported when it failed.
    if (!isOpen())
        return std::nullopt;
    std::vector<Row> out;
    std::optional<Failure> failure;
    {
        QSqlQuery q(QSqlDatabase::database(connectionName(), false));
        q.setForwardOnly(true);
        if (q.prepare(sql)) {
            for (const QVariant& value : binds)
                q.addBindValue(value);
            if (q.exec()) {
                while (q.next())
                    out.push_back(readRow(q));
            }
        }
        // Set as well when a row part-way through cannot be read.
        if (q.lastError().isValid())
            failure = failureOf(q.lastError());
    }
    if (failure) {
        fail(failure->number, failure->description);
        return std::nullopt;
    }
    return out;
}

std::vector<CatalogueGroup> Catalogue::commandTree(const std::function<bool(int group)>& listsCommands)
{
    std::optional<std::vector<CatalogueGroup>> groups
        = rows<CatalogueGroup>(QStringLiteral("SELECT * FROM tblCommandGroup"), {}, [](const QSqlQuery& q) {
              return CatalogueGroup{number(q, "CommandGroupID"), text(q, "CommandGroupText"), text(q, "Prefix"), {}};
          });
    if (!groups)
        return {};
    for (CatalogueGroup& group : *groups) {
        if (!listsCommands(group.id))
            continue;
        // Only what the tree shows: the help pages are large and not needed here.
        const QString sql = QStringLiteral("SELECT CommandID, CommandText, CommandDescription, CommandType, CommandValues "
                                           "FROM tblCommand "
                                           "WHERE CommandGroupID = ?");
        std::optional<std::vector<CatalogueCommand>> commands
            = rows<CatalogueCommand>(sql, {group.id}, [&group](const QSqlQuery& q) {
                return CatalogueCommand{idOf(q), group.id, text(q, "CommandText"), text(q, "CommandDescription"),
                                        CommandType(number(q, "CommandType")), QString(),
                                        text(q, "CommandValues").split(QLatin1Char('|'), Qt::SkipEmptyParts)};
            });
        if (!commands)
            return {};
        group.commands = std::move(*commands);
    }
    return std::move(*groups);
}

std::vector<CatalogueCommand> Catalogue::allCommands()
{
    // The table opened whole, in the order its rows are stored.
    return rows<CatalogueCommand>(QStringLiteral("SELECT * FROM tblCommand ORDER BY rowid"), {}, commandFrom)
        .value_or(std::vector<CatalogueCommand>{});
}

std::vector<CatalogueCommand> Catalogue::commandsNamed(const QString& word)
{
    return rows<CatalogueCommand>(QStringLiteral("SELECT * FROM tblCommand WHERE CommandText = ?"), {word}, commandFrom)
        .value_or(std::vector<CatalogueCommand>{});
}

std::optional<CatalogueCommand> Catalogue::command(qint64 commandId)
{
    const std::optional<std::vector<CatalogueCommand>> found = rows<CatalogueCommand>(
        QStringLiteral("SELECT * FROM tblCommand WHERE CommandID = ?"), {commandId}, commandFrom);
    if (!found || found->empty())
        return std::nullopt;
    return found->front();
}

std::optional<CataloguePage> Catalogue::helpPage(qint64 commandId)
{
    const std::optional<std::vector<CataloguePage>> pages
        = rows<CataloguePage>(QStringLiteral("SELECT * FROM tblCommand WHERE CommandID = ?"), {commandId}, pageFrom);
    if (!pages || pages->empty())
        return std::nullopt;
    return pages->front();
}

QHash<qint64, QString> Catalogue::pagesOfType(CommandType type)
{
    QHash<qint64, QString> pages;
    const auto rowsRead = rows<std::pair<qint64, QString>>(
        QStringLiteral("SELECT CommandID, CommandBook FROM tblCommand WHERE CommandType = ?"), {int(type)},
        [](const QSqlQuery& q) { return std::pair<qint64, QString>{idOf(q), text(q, "CommandBook")}; });
    for (const auto& [id, page] : rowsRead.value_or(std::vector<std::pair<qint64, QString>>{}))
        pages.insert(id, page);
    return pages;
}

std::vector<CataloguePage> Catalogue::bookPages()
{
    // Each page with its group's prefix, so the book names the command as it is typed.
    const QString sql = QStringLiteral(
        "SELECT c.CommandText, c.CommandBook, g.Prefix FROM tblCommand c LEFT JOIN tblCommandGroup g "
        "ON g.CommandGroupID = c.CommandGroupID WHERE c.CommandGroupID <> ? ORDER BY c.CommandGroupID, c.CommandText");
    return rows<CataloguePage>(sql, {CommandGroup::Examples},
                               [](const QSqlQuery& q) {
                                   CataloguePage page = pageFrom(q);
                                   page.prefix = text(q, "Prefix");
                                   return page;
                               })
        .value_or(std::vector<CataloguePage>{});
}

QStringList Catalogue::breeds()
{
    return wordList(QStringLiteral("Breed"));
}

QStringList Catalogue::professions()
{
    return wordList(QStringLiteral("Profession"));
}

QStringList Catalogue::wordList(const QString& word)
{
    if (!isPlainWord(word))
        return {};
    return listOf(rows<QString>(QStringLiteral("SELECT * FROM tbl") + word, {},
                                [&word](const QSqlQuery& q) { return q.value(word).toString(); }));
}

QStringList Catalogue::names(int type, const QString& sex)
{
    QString sql = QStringLiteral("SELECT * FROM tblnames WHERE Type = ?");
    QVariantList binds{type};
    if (!sex.isEmpty()) {
        sql += QStringLiteral(" and Sex = ?");
        binds << sex;
    }
    return listOf(rows<QString>(sql, binds, [](const QSqlQuery& q) { return text(q, "Names"); }));
}
