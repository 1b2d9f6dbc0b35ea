#include "catalogue/CatalogueBuilder.h"

#include "catalogue/CatalogueSchema.h"
#include "catalogue/HelpMarkup.h"

#include "platform/RtfReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>
#include <QUuid>
#include <QVariant>
#include <filesystem>

namespace {

using Problem = CatalogueSource::Problem;
using Place = CatalogueSource::Place;

void addProblem(QList<Problem>& problems, const Place& place, const QString& message)
{
    problems.append({place, message});
}

QString where(const Place& place)
{
    return QStringLiteral("%1:%2").arg(place.file).arg(place.line);
}

// Tabs and other control characters would break a tab-separated row, a status bar
// line or a script line written from the text.
bool hasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return true;
    }
    return false;
}

void checkPlainText(QList<Problem>& problems, const Place& place, const QString& what, const QString& text)
{
    if (hasControlCharacter(text))
        addProblem(problems, place, QStringLiteral("%1 holds a tab or another control character").arg(what));
}


void validateGroups(const CatalogueSource& source, QList<Problem>& problems)
{
    QHash<int, Place> ids;
    QHash<QString, Place> texts;
    for (const auto& group : source.groups) {
        if (group.id <= 0)
            addProblem(problems, group.place, QStringLiteral("group id %1 is not positive").arg(group.id));
        else if (ids.contains(group.id))
            addProblem(problems, group.place,
                       QStringLiteral("group id %1 is already used at %2").arg(group.id).arg(where(ids.value(group.id))));
        else
            ids.insert(group.id, group.place);

        if (group.text.isEmpty()) {
            addProblem(problems, group.place, QStringLiteral("group %1 has no text").arg(group.id));
        } else {
            const QString key = group.text.toCaseFolded();
            if (texts.contains(key))
                addProblem(problems, group.place,
                           QStringLiteral("group text \"%1\" is already used at %2").arg(group.text, where(texts.value(key))));
            else
                texts.insert(key, group.place);
        }
        checkPlainText(problems, group.place, QStringLiteral("the group text"), group.text);

        if (group.prefix.contains(QLatin1Char(' ')) || group.prefix != group.prefix.toLower())
            addProblem(problems, group.place,
                       QStringLiteral("prefix \"%1\" must be one lower-case word or empty").arg(group.prefix));
        checkPlainText(problems, group.place, QStringLiteral("the prefix"), group.prefix);
        // The program writes the lines of these two groups with a fixed word in front,
        // and the tree hands over the prefix: both must agree.
        if (group.id == CommandGroup::Pet && group.prefix != QLatin1String("pet"))
            addProblem(problems, group.place, QStringLiteral("group 7 must have the prefix \"pet\""));
        if (group.id == CommandGroup::Organisation && group.prefix != QLatin1String("org"))
            addProblem(problems, group.place, QStringLiteral("group 8 must have the prefix \"org\""));
    }
    if (source.groups.isEmpty())
        addProblem(problems, {source.filePath(QStringLiteral("groups.tsv")), 0}, QStringLiteral("no groups"));
}

void validateHelp(const CatalogueSource::Command& command, QList<Problem>& problems,
                  const CatalogueBuilder::RtfCheck& rtfCheck)
{
    if (command.help.trimmed().isEmpty()) {
        addProblem(problems, command.helpPlace, QStringLiteral("[%1] has no help page").arg(command.text));
        return;
    }
    QList<HelpMarkup::Problem> markupProblems;
    const QString rtf = HelpMarkup::toRtf(command.help, &markupProblems);
    for (const HelpMarkup::Problem& p : markupProblems)
        addProblem(problems, {command.helpPlace.file, command.helpPlace.line + p.line}, p.message);
    if (rtfCheck) {
        const QString error = rtfCheck(rtf.toLatin1());
        if (!error.isEmpty())
            addProblem(problems, command.helpPlace,
                       QStringLiteral("the help page of [%1] does not parse as RTF: %2").arg(command.text, error));
    }
}

// The command word: one lower-case word without its slash, or for an example a whole
// line as it is written into the script.
void validateCommandText(const CatalogueSource::Command& command, QList<Problem>& problems)
{
    const bool example = command.group == CommandGroup::Examples;
    const QString& text = command.text;
    if (text.trimmed().isEmpty()) {
        addProblem(problems, command.place, QStringLiteral("a record without command text"));
    } else if (text != text.trimmed()) {
        addProblem(problems, command.place, QStringLiteral("[%1] has spaces around its text").arg(text));
    } else if (!example) {
        if (text.contains(QLatin1Char(' ')))
            addProblem(problems, command.place,
                       QStringLiteral("[%1] must be one word; only example scripts hold whole lines").arg(text));
        if (text != text.toLower() && !command.isWholeCatalogue())
            addProblem(problems, command.place, QStringLiteral("[%1] must be written in lower case").arg(text));
        if (text.startsWith(QLatin1Char('/')))
            addProblem(problems, command.place,
                       QStringLiteral("[%1] is written without its slash").arg(text));
    }
    checkPlainText(problems, command.place, QStringLiteral("the command text"), text);
}

void validateValue(const CatalogueSource::Command& command, QList<Problem>& problems)
{
    const QString& text = command.text;
    if (command.type != CommandType::NoValue && command.type != CommandType::Text && command.type != CommandType::Number)
        addProblem(problems, command.place,
                   QStringLiteral("[%1] has type %2; the types are 0 (no value), 1 (text) and 3 (number list)")
                       .arg(text)
                       .arg(int(command.type)));

    // Only a single character can be stripped again when a line is opened.
    if (command.add.size() > 1)
        addProblem(problems, command.place,
                   QStringLiteral("[%1] has add \"%2\"; it must be one character or empty").arg(text, command.add));
    checkPlainText(problems, command.place, QStringLiteral("the add text"), command.add);

    // The dialog offers the words in place of the text box; a number has its own list.
    if (!command.values.isEmpty() && command.type != CommandType::Text)
        addProblem(problems, command.place,
                   QStringLiteral("[%1] has values but type %2; only type 1 picks its value from words")
                       .arg(text)
                       .arg(int(command.type)));
    QSet<QString> words;
    for (const QString& word : command.values) {
        if (word.isEmpty())
            addProblem(problems, command.place, QStringLiteral("[%1] has an empty word in its values").arg(text));
        else if (words.contains(word.toCaseFolded()))
            addProblem(problems, command.place, QStringLiteral("[%1] lists \"%2\" twice in its values").arg(text, word));
        words.insert(word.toCaseFolded());
        checkPlainText(problems, command.place, QStringLiteral("a word of the values"), word);
    }
}

void validateDescription(const CatalogueSource::Command& command, QList<Problem>& problems)
{
    const QString& text = command.text;
    if (command.description.isEmpty())
        addProblem(problems, command.place, QStringLiteral("[%1] has no description").arg(text));
    else if (command.description.size() > CatalogueBuilder::maxDescriptionLength)
        addProblem(problems, command.place,
                   QStringLiteral("the description of [%1] has %2 characters; at most %3 fit")
                       .arg(text)
                       .arg(command.description.size())
                       .arg(CatalogueBuilder::maxDescriptionLength));
    checkPlainText(problems, command.place, QStringLiteral("the description"), command.description);
}

void validateCommands(const CatalogueSource& source, QList<Problem>& problems,
                      const CatalogueBuilder::RtfCheck& rtfCheck)
{
    QSet<int> groupIds;
    for (const auto& group : source.groups)
        groupIds.insert(group.id);

    QHash<int, Place> ids;
    QHash<QString, Place> textsInGroup; // "group|folded text"
    int previousId = 0;
    Place previousPlace;
    for (const auto& command : source.commands) {
        if (!groupIds.contains(command.group))
            addProblem(problems, command.place,
                       QStringLiteral("[%1] refers to group %2, which groups.tsv does not list")
                           .arg(command.text)
                           .arg(command.group));

        if (ids.contains(command.id)) {
            addProblem(problems, command.place,
                       QStringLiteral("id %1 is already used at %2").arg(command.id).arg(where(ids.value(command.id))));
        } else {
            ids.insert(command.id, command.place);
            // The table keeps its rows in id order; ids that follow the files keep the
            // tree in the order the files give.
            if (command.id < previousId)
                addProblem(problems, command.place,
                           QStringLiteral("id %1 comes after id %2 (%3); ids must rise in file order")
                               .arg(command.id)
                               .arg(previousId)
                               .arg(where(previousPlace)));
            previousId = command.id;
            previousPlace = command.place;
        }

        const QString& text = command.text;
        const QString key = QString::number(command.group) + QLatin1Char('|') + text.toCaseFolded();
        if (textsInGroup.contains(key))
            addProblem(problems, command.place,
                       QStringLiteral("[%1] is already in group %2 at %3")
                           .arg(text)
                           .arg(command.group)
                           .arg(where(textsInGroup.value(key))));
        else
            textsInGroup.insert(key, command.place);

        validateCommandText(command, problems);
        validateValue(command, problems);
        validateDescription(command, problems);
        validateHelp(command, problems, rtfCheck);
    }
}

void validateList(const QList<CatalogueSource::Entry>& entries, const QString& file, const QString& what,
                  QList<Problem>& problems)
{
    if (entries.isEmpty())
        addProblem(problems, {file, 0}, QStringLiteral("the list of %1 is empty").arg(what));
    QHash<QString, Place> seen;
    for (const auto& entry : entries) {
        const QString key = entry.value.toCaseFolded();
        if (seen.contains(key))
            addProblem(problems, entry.place,
                       QStringLiteral("\"%1\" is already listed at %2").arg(entry.value, where(seen.value(key))));
        else
            seen.insert(key, entry.place);
        checkPlainText(problems, entry.place, QStringLiteral("the entry"), entry.value);
    }
}

void validateNames(const CatalogueSource& source, const QString& file, QList<Problem>& problems)
{
    QHash<QString, Place> seen;
    QSet<QString> kinds; // "0M", "0F", "0U", "1U" found
    for (const auto& name : source.names) {
        bool ok = true;
        if (name.name.isEmpty()) {
            addProblem(problems, name.place, QStringLiteral("a name row without a name"));
            ok = false;
        }
        // The rename line puts the name between double quotes.
        if (name.name.contains(QLatin1Char('"'))) {
            addProblem(problems, name.place, QStringLiteral("\"%1\" holds a double quote").arg(name.name));
            ok = false;
        }
        checkPlainText(problems, name.place, QStringLiteral("the name"), name.name);
        if (name.type != 0 && name.type != 1) {
            addProblem(problems, name.place,
                       QStringLiteral("\"%1\" has Type %2; Type is 0 (a name) or 1 (an epithet)")
                           .arg(name.name)
                           .arg(name.type));
            ok = false;
        }
        if (name.sex != QLatin1String("M") && name.sex != QLatin1String("F") && name.sex != QLatin1String("U")) {
            addProblem(problems, name.place,
                       QStringLiteral("\"%1\" has Sex \"%2\"; Sex is M, F or U").arg(name.name, name.sex));
            ok = false;
        } else if (name.type == 1 && name.sex != QLatin1String("U")) {
            addProblem(problems, name.place,
                       QStringLiteral("\"%1\" is an epithet (Type 1) and must have Sex U").arg(name.name));
            ok = false;
        }
        const QString key = QString::number(name.type) + QLatin1Char('|') + name.name.toCaseFolded();
        if (seen.contains(key))
            addProblem(problems, name.place,
                       QStringLiteral("\"%1\" is already listed at %2").arg(name.name, where(seen.value(key))));
        else
            seen.insert(key, name.place);
        if (ok)
            kinds.insert(QString::number(name.type) + name.sex);
    }
    // Every rename draw of the Special menu needs at least one row to pick from.
    const QList<std::pair<QString, QString>> needed = {
        {QStringLiteral("0M"), QStringLiteral("no male pet name (Type 0, Sex M)")},
        {QStringLiteral("0F"), QStringLiteral("no female pet name (Type 0, Sex F)")},
        {QStringLiteral("0U"), QStringLiteral("no unisex pet name (Type 0, Sex U)")},
        {QStringLiteral("1U"), QStringLiteral("no epithet (Type 1, Sex U)")},
    };
    for (const auto& [kind, message] : needed) {
        if (!kinds.contains(kind))
            addProblem(problems, {file, 0}, message);
    }
}

} // namespace

QString CatalogueBuilder::helpRtf(const CatalogueSource::Command& command)
{
    if (command.help.trimmed().isEmpty())
        return QString();
    return HelpMarkup::toRtf(command.help);
}

CatalogueBuilder::RtfCheck CatalogueBuilder::defaultRtfCheck()
{
    return [](const QByteArray& rtf) {
        const RtfResult result = RtfReader::check(rtf);
        if (result.ok)
            return QString();
        return result.error.isEmpty() ? QStringLiteral("unreadable RTF") : result.error;
    };
}

void CatalogueBuilder::validate(const CatalogueSource& source, QList<Problem>& problems, const RtfCheck& rtfCheck)
{
    validateGroups(source, problems);
    validateCommands(source, problems, rtfCheck);
    validateList(source.breeds, source.filePath(QStringLiteral("breeds.txt")), QStringLiteral("breeds"), problems);
    validateList(source.professions, source.filePath(QStringLiteral("professions.txt")), QStringLiteral("professions"),
                 problems);
    const QString namesFile = source.filePath(QStringLiteral("names.tsv"));
    validateNames(source, namesFile, problems);
}

bool CatalogueBuilder::write(const CatalogueSource& source, const QString& path, QString& error)
{
    const QString connection = QStringLiteral("catalogue-builder-") + QUuid::createUuid().toString();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            QSqlQuery q(db);
            const auto run = [&](const QString& sql, const QVariantList& binds) {
                if (!q.prepare(sql)) {
                    error = q.lastError().text();
                    return false;
                }
                for (const QVariant& v : binds)
                    q.addBindValue(v);
                if (!q.exec()) {
                    error = q.lastError().text();
                    return false;
                }
                return true;
            };
            ok = db.transaction();
            if (!ok)
                error = db.lastError().text();
            for (const QString& statement : CatalogueSchema::createStatements()) {
                if (ok)
                    ok = run(statement, {});
            }
            for (const auto& group : source.groups) {
                if (ok)
                    ok = run(QStringLiteral("INSERT INTO tblCommandGroup VALUES (?, ?, ?)"),
                             {group.id, group.text, group.prefix});
            }
            for (const auto& command : source.commands) {
                if (ok)
                    ok = run(CatalogueSchema::insertCommandSql(), CatalogueSchema::commandRow(command, helpRtf(command)));
            }
            for (const auto& breed : source.breeds) {
                if (ok)
                    ok = run(QStringLiteral("INSERT INTO tblBreed VALUES (?)"), {breed.value});
            }
            for (const auto& profession : source.professions) {
                if (ok)
                    ok = run(QStringLiteral("INSERT INTO tblProfession VALUES (?)"), {profession.value});
            }
            for (const auto& name : source.names) {
                if (ok)
                    ok = run(QStringLiteral("INSERT INTO tblnames VALUES (?, ?, ?)"), {name.name, name.type, name.sex});
            }
            q.finish();
            if (ok) {
                ok = db.commit();
                if (!ok)
                    error = db.lastError().text();
            } else {
                db.rollback();
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

bool CatalogueBuilder::build(const QString& dataFolder, const QString& outputPath, QList<Problem>& problems)
{
    const qsizetype before = problems.size();
    const QFileInfo output(outputPath);
    const auto fail = [&]() {
        // A catalogue left from an earlier build must not pass for this one.
        if (output.exists() || output.isSymLink())
            QFile::remove(output.absoluteFilePath());
        return false;
    };

    if (!QFileInfo(dataFolder).isDir()) {
        problems.append({{dataFolder, 0}, QStringLiteral("the data folder does not exist")});
        return fail();
    }
    const CatalogueSource source = CatalogueSource::read(dataFolder, problems);
    validate(source, problems);
    if (problems.size() > before)
        return fail();

    if (!QDir().mkpath(output.absolutePath())) {
        problems.append({{output.absolutePath(), 0}, QStringLiteral("the output folder cannot be created")});
        return fail();
    }
    QTemporaryFile temporary(output.absoluteFilePath() + QStringLiteral(".XXXXXX.tmp"));
    if (!temporary.open()) {
        problems.append({{output.absoluteFilePath(), 0},
                         QStringLiteral("cannot create a temporary file: %1").arg(temporary.errorString())});
        return fail();
    }
    temporary.close();

    QString error;
    if (!write(source, temporary.fileName(), error)) {
        problems.append({{output.absoluteFilePath(), 0}, QStringLiteral("writing the database failed: %1").arg(error)});
        return fail();
    }
    // A temporary file is private to its owner; the catalogue is read by every user
    // once installed.
    QFile::setPermissions(temporary.fileName(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                    | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    std::error_code renameError;
    std::filesystem::rename(QFile::encodeName(temporary.fileName()).toStdString(),
                            QFile::encodeName(output.absoluteFilePath()).toStdString(), renameError);
    if (renameError) {
        problems.append({{output.absoluteFilePath(), 0},
                         QStringLiteral("cannot move the new database into place: %1")
                             .arg(QString::fromStdString(renameError.message()))});
        return fail();
    }
    temporary.setAutoRemove(false);
    return true;
}
