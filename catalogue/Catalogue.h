#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>
#include <optional>
#include <vector>

class Prompt;

// The one connection to the read-only catalogue database, and every question the
// program asks of it. Each answer is read whole before it is handed out.
//
// A failure to open, a catalogue that lacks a table or a column the program reads,
// a damaged file, and a query that fails, even part-way through its rows, all show
// an error box that names the catalogue file; the connection is then closed and every later question
// answers nothing, without a further box, until the next OpenCatalogue.
class Catalogue {
public:
    enum class OpenResult { Open, Failed, DriverMissing };

    // `driver` is the Qt SQL driver to use; only a test names another, to see how
    // the program meets a missing driver.
    Catalogue(Prompt& prompt, QString file, QString driver = QStringLiteral("QSQLITE"));
    ~Catalogue();
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // Closes a connection set up before (silently) and opens the file afresh,
    // read-only, then checks that it holds what the program reads. A missing SQLite
    // driver shows the "Warning" box, any other failure the catalogue error box;
    // the connection is then left closed.
    OpenResult OpenCatalogue();
    void close();
    bool isOpen() const;
    QString file() const { return m_file; }

    // The groups in stored order, each with its commands unless `listsCommands`
    // turns its id down (the scripts group shows files instead). Empty when any of
    // it cannot be read.
    std::vector<CatalogueGroup> commandTree(const std::function<bool(int group)>& listsCommands);
    // Every command, in stored order.
    std::vector<CatalogueCommand> allCommands();
    // The commands spelled `word`, letter case aside, of every group.
    std::vector<CatalogueCommand> commandsNamed(const QString& word);
    // One command by its id, if the catalogue has it.
    std::optional<CatalogueCommand> command(qint64 commandId);
    // The help page of one command, if the catalogue has that command.
    std::optional<CataloguePage> helpPage(qint64 commandId);
    // The help page of every command of one value type, by command id, in one read.
    QHash<qint64, QString> pagesOfType(CommandType type);
    // The pages of the command book: every group but the example scripts, by group
    // and then by command word. Commands without a page are included.
    std::vector<CataloguePage> bookPages();
    QStringList breeds();
    QStringList professions();
    // The one field of the table named "tbl" + `word`, whose field is named `word`
    // (Breed, Profession). `word` names a table, so only a plain word is accepted:
    // anything else asks nothing.
    QStringList wordList(const QString& word);
    // Pet names of one type and, unless `sex` is empty, one sex code.
    QStringList names(int type, const QString& sex);

    // Every query text run, with its bound values written in as SQL literals, so a
    // test can see exactly what was asked of the catalogue.
    const QStringList& queryLog() const { return m_queryLog; }
    void clearQueryLog() { m_queryLog.clear(); }

    static QString connectionName();

private:
    // The rows of one query, each made into a value by `readRow`; nothing after a
    // failure, which is reported and closes the connection.
    template <typename Row, typename ReadRow>
    std::optional<std::vector<Row>> rows(const QString& sql, const QVariantList& binds, ReadRow readRow);
    // Shows the catalogue error box and leaves the connection closed.
    void fail(int number, const QString& description);

    Prompt& m_prompt;
    QString m_file;
    QString m_driver;
    bool m_setUp = false;
    QStringList m_queryLog;
};
