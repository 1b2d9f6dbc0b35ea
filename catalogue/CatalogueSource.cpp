#include "catalogue/CatalogueSource.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStringDecoder>
#include <algorithm>

namespace {

// Lines of a source file; a file saved with CR LF line ends reads the same.
QStringList sourceLines(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A final line break does not start another line.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

void addProblem(QList<CatalogueSource::Problem>& problems, const QString& file, int line, const QString& message)
{
    problems.append({{file, line}, message});
}

bool parseInt(const QString& text, int& value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        value = v;
    return ok;
}

// Reads a tab-separated table whose first line must be `header`. Each row handed
// to `row` with its 1-based line number; blank lines are skipped.
template <typename RowFn>
void readTable(const QString& text, const QString& file, const QString& header, QList<CatalogueSource::Problem>& problems,
               RowFn row)
{
    const QStringList lines = sourceLines(text);
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        if (!headerSeen) {
            headerSeen = true;
            if (line != header)
                addProblem(problems, file, i + 1,
                           QStringLiteral("the first line must be the header \"%1\"")
                               .arg(QString(header).replace(QLatin1Char('\t'), QStringLiteral("<TAB>"))));
            continue;
        }
        row(line.split(QLatin1Char('\t')), i + 1);
    }
    if (!headerSeen)
        addProblem(problems, file, 0, QStringLiteral("the file is empty"));
}

// Reads one command file line by line: the "group:" line, then records made of a
// "[text]" header, "key: value" lines and a help page that runs to the next header.
class CommandFileReader {
public:
    using Command = CatalogueSource::Command;

    CommandFileReader(const QString& file, QList<CatalogueSource::Problem>& problems)
        : m_file(file), m_problems(problems)
    {
    }

    void readLine(const QString& line, int lineNo)
    {
        if (line.size() >= 2 && line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            startRecord(line.mid(1, line.size() - 2), lineNo);
            return;
        }
        if (m_inHelp) {
            m_helpLines.append(line);
            return;
        }
        if (line.trimmed().isEmpty() || (!m_inRecord && line.startsWith(QLatin1Char('#'))))
            return;

        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const QString key = colon < 0 ? QString() : line.left(colon).trimmed();
        const QString value = colon < 0 ? QString() : line.mid(colon + 1).trimmed();
        if (m_inRecord)
            readField(key, value, colon >= 0, lineNo);
        else
            readGroupLine(key, value, lineNo);
    }

    CatalogueSource::CommandFile finish()
    {
        finishRecord();
        if (m_result.groupPlace.line == 0) {
            problem(0, QStringLiteral("no \"group:\" line before the first record"));
            m_result.groupPlace = {m_file, 0};
        }
        return m_result;
    }

private:
    void problem(int line, const QString& message) { addProblem(m_problems, m_file, line, message); }

    void startRecord(const QString& text, int lineNo)
    {
        finishRecord();
        m_inRecord = true;
        m_current = Command();
        m_current.place = {m_file, lineNo};
        m_current.helpPlace = m_current.place;
        m_current.group = m_result.group;
        m_current.text = text;
    }

    void finishRecord()
    {
        if (!m_inRecord)
            return;
        while (!m_helpLines.isEmpty() && m_helpLines.last().trimmed().isEmpty())
            m_helpLines.removeLast();
        while (!m_helpLines.isEmpty() && m_helpLines.first().trimmed().isEmpty()) {
            m_helpLines.removeFirst();
            ++m_current.helpPlace.line;
        }
        m_current.help = m_helpLines.join(QLatin1Char('\n'));
        for (const QString& key : {QStringLiteral("id"), QStringLiteral("type"), QStringLiteral("desc"),
                                   QStringLiteral("help")}) {
            if (!m_seen.contains(key))
                problem(m_current.place.line,
                        QStringLiteral("record [%1] has no \"%2:\" line").arg(m_current.text, key));
        }
        // A record without a usable id would only cause follow-up faults.
        if (m_seen.contains(QStringLiteral("id")) && m_current.id != 0)
            m_result.commands.append(m_current);
        m_inRecord = false;
        m_inHelp = false;
        m_seen.clear();
        m_helpLines.clear();
    }

    // Before the first record only comments and the group line may stand.
    void readGroupLine(const QString& key, const QString& value, int lineNo)
    {
        if (key != QLatin1String("group")) {
            problem(lineNo, QStringLiteral("only comments and the \"group:\" line may come before the first record"));
            return;
        }
        if (m_result.groupPlace.line != 0)
            problem(lineNo, QStringLiteral("a second \"group:\" line"));
        m_result.groupPlace = {m_file, lineNo};
        if (!parseInt(value, m_result.group) || m_result.group <= 0)
            problem(lineNo, QStringLiteral("group \"%1\" is not a positive whole number").arg(value));
    }

    void readField(const QString& key, const QString& value, bool hasColon, int lineNo)
    {
        static const QStringList keys = {QStringLiteral("id"),   QStringLiteral("type"),   QStringLiteral("add"),
                                         QStringLiteral("desc"), QStringLiteral("values"), QStringLiteral("help")};
        if (!keys.contains(key)) {
            problem(lineNo, hasColon ? QStringLiteral("unknown key \"%1\" (expected id, type, add, desc, values or help)")
                                           .arg(key)
                                     : QStringLiteral("expected \"key: value\" (id, type, add, desc, values or help)"));
            return;
        }
        if (m_seen.contains(key)) {
            problem(lineNo, QStringLiteral("a second \"%1:\" line in record [%2]").arg(key, m_current.text));
            return;
        }
        m_seen.append(key);
        if (key == QLatin1String("id")) {
            int id = 0;
            const bool valid = parseInt(value, id) && id > 0;
            m_current.id = valid ? id : 0;
            if (!valid) {
                problem(lineNo, QStringLiteral("id \"%1\" is not a positive whole number").arg(value));
            }
        } else if (key == QLatin1String("type")) {
            int type = -1;
            const bool numeric = parseInt(value, type);
            m_current.type = CommandType(numeric ? type : -1);
            if (!numeric) {
                problem(lineNo, QStringLiteral("type \"%1\" is not a whole number").arg(value));
            }
        } else if (key == QLatin1String("add")) {
            m_current.add = value;
        } else if (key == QLatin1String("desc")) {
            m_current.description = value;
        } else if (key == QLatin1String("values")) {
            // Empty words are kept, so the builder can point at a stray "|".
            if (!value.isEmpty()) {
                for (const QString& word : value.split(QLatin1Char('|')))
                    m_current.values.append(word.trimmed());
            }
        } else {
            startHelp(value, lineNo);
        }
    }

    // The page starts on the "help:" line itself when text follows the colon.
    void startHelp(const QString& value, int lineNo)
    {
        m_inHelp = true;
        m_current.helpPlace = {m_file, lineNo + 1};
        if (!value.isEmpty()) {
            m_current.helpPlace.line = lineNo;
            m_helpLines.append(value);
        }
    }

    const QString& m_file;
    QList<CatalogueSource::Problem>& m_problems;
    CatalogueSource::CommandFile m_result;
    bool m_inRecord = false;
    bool m_inHelp = false;
    QStringList m_seen;
    QStringList m_helpLines;
    Command m_current;
};

} // namespace

QString CatalogueSource::Problem::text() const
{
    if (place.line > 0)
        return QStringLiteral("%1:%2: %3").arg(place.file).arg(place.line).arg(message);
    return QStringLiteral("%1: %2").arg(place.file, message);
}

QList<CatalogueSource::Group> CatalogueSource::parseGroups(const QString& text, const QString& file,
                                                           QList<Problem>& problems)
{
    QList<Group> groups;
    readTable(text, file, QStringLiteral("CommandGroupID\tCommandGroupText\tPrefix"), problems,
              [&](const QStringList& fields, int line) {
                  // An editor may drop the tab before an empty prefix.
                  if (fields.size() < 2 || fields.size() > 3) {
                      addProblem(problems, file, line,
                                 QStringLiteral("expected 3 tab-separated fields, found %1").arg(fields.size()));
                      return;
                  }
                  Group group;
                  group.place = {file, line};
                  if (!parseInt(fields.at(0), group.id)) {
                      addProblem(problems, file, line,
                                 QStringLiteral("group id \"%1\" is not a whole number").arg(fields.at(0)));
                      return;
                  }
                  group.text = fields.at(1).trimmed();
                  group.prefix = fields.size() == 3 ? fields.at(2).trimmed() : QString();
                  groups.append(group);
              });
    return groups;
}

QList<CatalogueSource::Entry> CatalogueSource::parseList(const QString& text, const QString& file,
                                                         QList<Problem>&)
{
    QList<Entry> entries;
    const QStringList lines = sourceLines(text);
    for (int i = 0; i < lines.size(); ++i) {
        const QString value = lines.at(i).trimmed();
        if (value.isEmpty() || value.startsWith(QLatin1Char('#')))
            continue;
        entries.append({{file, i + 1}, value});
    }
    return entries;
}

QList<CatalogueSource::Name> CatalogueSource::parseNames(const QString& text, const QString& file,
                                                         QList<Problem>& problems)
{
    QList<Name> names;
    readTable(text, file, QStringLiteral("Names\tType\tSex"), problems, [&](const QStringList& fields, int line) {
        if (fields.size() != 3) {
            addProblem(problems, file, line,
                       QStringLiteral("expected 3 tab-separated fields, found %1").arg(fields.size()));
            return;
        }
        Name name;
        name.place = {file, line};
        name.name = fields.at(0).trimmed();
        if (!parseInt(fields.at(1), name.type)) {
            addProblem(problems, file, line, QStringLiteral("Type \"%1\" is not a whole number").arg(fields.at(1)));
            return;
        }
        name.sex = fields.at(2).trimmed();
        names.append(name);
    });
    return names;
}

CatalogueSource::CommandFile CatalogueSource::parseCommands(const QString& text, const QString& file,
                                                            QList<Problem>& problems)
{
    CommandFileReader reader(file, problems);
    const QStringList lines = sourceLines(text);
    for (int i = 0; i < lines.size(); ++i)
        reader.readLine(lines.at(i), i + 1);
    return reader.finish();
}

QString CatalogueSource::filePath(const QString& name) const
{
    return QDir(folder).filePath(name);
}

bool CatalogueSource::readText(const QString& path, QString& text, QList<Problem>& problems)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        addProblem(problems, path, 0, QStringLiteral("cannot be read: %1").arg(file.errorString()));
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    text = decoder.decode(file.readAll());
    if (decoder.hasError()) {
        addProblem(problems, path, 0, QStringLiteral("is not valid UTF-8 text"));
        return false;
    }
    return true;
}

CatalogueSource CatalogueSource::read(const QString& folder, QList<Problem>& problems)
{
    CatalogueSource source;
    source.folder = folder;
    const QDir dir(folder);
    QString text;

    const QString groupsPath = dir.filePath(QStringLiteral("groups.tsv"));
    if (readText(groupsPath, text, problems))
        source.groups = parseGroups(text, groupsPath, problems);
    const QString breedsPath = dir.filePath(QStringLiteral("breeds.txt"));
    if (readText(breedsPath, text, problems))
        source.breeds = parseList(text, breedsPath, problems);
    const QString professionsPath = dir.filePath(QStringLiteral("professions.txt"));
    if (readText(professionsPath, text, problems))
        source.professions = parseList(text, professionsPath, problems);
    const QString namesPath = dir.filePath(QStringLiteral("names.tsv"));
    if (readText(namesPath, text, problems))
        source.names = parseNames(text, namesPath, problems);

    const QDir commandsDir(dir.filePath(QStringLiteral("commands")));
    if (!commandsDir.exists()) {
        addProblem(problems, commandsDir.path(), 0, QStringLiteral("the folder of command files is missing"));
        return source;
    }
    // "07-pet.txt": the leading number names the group the file must declare.
    static const QRegularExpression fileName(QStringLiteral("^(\\d+)-[^.]+\\.txt$"));
    QList<CommandFile> files;
    QMap<int, QString> fileOfGroup;
    const QStringList entries = commandsDir.entryList(QDir::Files, QDir::Name);
    for (const QString& entry : entries) {
        const QString path = commandsDir.filePath(entry);
        const QRegularExpressionMatch match = fileName.match(entry);
        if (!match.hasMatch()) {
            addProblem(problems, path, 0, QStringLiteral("not a command file: expected a name like \"07-pet.txt\""));
            continue;
        }
        if (!readText(path, text, problems))
            continue;
        CommandFile commandFile = parseCommands(text, path, problems);
        if (commandFile.groupPlace.line == 0 || commandFile.group <= 0)
            continue;
        if (match.captured(1).toInt() != commandFile.group)
            addProblem(problems, path, commandFile.groupPlace.line,
                       QStringLiteral("the file declares group %1 but its name starts with %2")
                           .arg(commandFile.group)
                           .arg(match.captured(1)));
        if (fileOfGroup.contains(commandFile.group)) {
            addProblem(problems, path, commandFile.groupPlace.line,
                       QStringLiteral("group %1 already has its commands in %2")
                           .arg(commandFile.group)
                           .arg(fileOfGroup.value(commandFile.group)));
            continue;
        }
        fileOfGroup.insert(commandFile.group, path);
        files.append(commandFile);
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const CommandFile& a, const CommandFile& b) { return a.group < b.group; });
    for (const CommandFile& commandFile : files)
        source.commands.append(commandFile.commands);
    return source;
}
