#pragma once

#include <QString>

// Builds a small catalogue database for a test, with the program's own schema.
class TestCatalogue {
public:
    // Creates (or replaces) the database file at `path`.
    explicit TestCatalogue(const QString& path);
    ~TestCatalogue();
    TestCatalogue(const TestCatalogue&) = delete;
    TestCatalogue& operator=(const TestCatalogue&) = delete;

    QString path() const { return m_path; }

    void addGroup(int id, const QString& text, const QString& prefix = {});
    void addCommand(int id, int group, const QString& text, const QString& description, int type,
                    const QString& add = {}, const QString& book = {});
    void addBreed(const QString& breed);
    void addProfession(const QString& profession);
    void addName(const QString& name, int type, const QString& sex);
    // Any other statement, for odd rows (NULL fields, dropped tables...).
    void exec(const QString& sql);

private:
    void run(const QString& sql, const QVariantList& binds);
    QString m_path;
    QString m_connection;
};
