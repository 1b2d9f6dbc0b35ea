#pragma once

#include "catalogue/RowSet.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

class Prompt;

// The one connection to the read-only catalogue database.
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
    // read-only. A missing SQLite driver shows the "Warning" box; any other failure
    // the "Error in globs" box. The connection is then left closed.
    OpenResult OpenCatalogue();
    void close();
    bool isOpen() const;
    QString file() const { return m_file; }

    // Runs a SELECT. Values from data go in `binds`, one per "?" in `sql`. A closed
    // connection or a failing query gives an empty row set and is noted in
    // lastError(); nothing is shown.
    RowSet query(const QString& sql, const QVariantList& binds = {});
    // A whole table in its stored order.
    RowSet table(const QString& name);

    QString lastError() const { return m_lastError; }

    // Every query text run, with its bound values written in as SQL literals, so a
    // test can see exactly what was asked of the catalogue.
    const QStringList& queryLog() const { return m_queryLog; }
    void clearQueryLog() { m_queryLog.clear(); }

    static QString connectionName();

private:
    Prompt& m_prompt;
    QString m_file;
    QString m_driver;
    bool m_setUp = false;
    QString m_lastError;
    QStringList m_queryLog;
};

// The text of `sql` with each "?" replaced by the matching value as an SQL literal.
QString expandBinds(const QString& sql, const QVariantList& binds);
