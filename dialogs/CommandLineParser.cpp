#include "dialogs/CommandLineParser.h"

#include "catalogue/CatalogueRecords.h"

namespace {
const QChar kSpace = QLatin1Char(' ');

// Plain digit strings without leading zeros compare as numbers by length first.
bool numericallyBefore(const QString& a, const QString& b)
{
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}
}

QString CommandLineParser::trimSpaces(const QString& text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from) == kSpace)
        ++from;
    while (to > from && text.at(to - 1) == kSpace)
        --to;
    return text.mid(from, to - from);
}

CommandLineParser::ParsedLine CommandLineParser::parse(const QString& currentLine)
{
    if (!currentLine.startsWith(QLatin1Char('/')))
        return {currentLine, QString(), false};

    QString key = currentLine.mid(1);
    // Only a line that starts with the pet or organisation word is such a line: a
    // chat line that merely mentions "/pet " is still an ordinary command.
    if (currentLine.startsWith(QLatin1String("/pet ")) || currentLine.startsWith(QLatin1String("/org "))) {
        const qsizetype prefixEnd = key.indexOf(kSpace) + 1;
        const qsizetype valueSpace = key.indexOf(kSpace, prefixEnd);
        if (valueSpace < 0)
            return {key, QString(), false};
        return {trimSpaces(key.left(valueSpace + 1)), trimSpaces(key.mid(valueSpace)), true};
    }

    const qsizetype space = key.indexOf(kSpace);
    if (space < 0)
        return {key, QString(), false};
    return {trimSpaces(key.left(space + 1)), key.mid(space + 1), true};
}

QString CommandLineParser::listEntry(int commandGroupId, const QString& commandText)
{
    if (commandGroupId == CommandGroup::Pet)
        return QStringLiteral("pet ") + commandText;
    if (commandGroupId == CommandGroup::Organisation)
        return QStringLiteral("org ") + commandText;
    return commandText;
}

QString CommandLineParser::commandName(const QString& listText)
{
    const qsizetype space = listText.indexOf(kSpace);
    return space < 0 ? listText : trimSpaces(listText.mid(space + 1));
}

QString CommandLineParser::unquote(const QString& lineValue, const QString& valueQuote)
{
    QString value = lineValue;
    if (valueQuote.size() != 1)
        return value;
    if (value.startsWith(valueQuote))
        value.remove(0, 1);
    if (value.endsWith(valueQuote))
        value.chop(1);
    return value;
}

QString CommandLineParser::wrapValue(const QString& valuePart, const QString& valueQuote)
{
    const QString trimmed = trimSpaces(valuePart);
    if (!trimmed.contains(kSpace))
        return valuePart;
    return kSpace + valueQuote + trimmed + valueQuote;
}

QString CommandLineParser::valuePart(bool editorShown, const QString& value, const QString& valueQuote, bool bareSpace)
{
    if (!editorShown || (value.isEmpty() && !bareSpace))
        return {};
    return wrapValue(kSpace + singleLine(value), valueQuote);
}

QString CommandLineParser::singleLine(const QString& text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QStringLiteral(" "));
    for (QChar& c : out) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = kSpace;
    }
    return out;
}

QString CommandLineParser::leadingNumber(const QString& value)
{
    QString digits;
    for (const QChar c : value) {
        if (c == kSpace)
            continue;
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            break;
        digits += c;
    }
    if (digits.isEmpty())
        return digits;
    qsizetype zeros = 0;
    while (zeros < digits.size() - 1 && digits.at(zeros) == QLatin1Char('0'))
        ++zeros;
    return digits.mid(zeros);
}

CommandLineParser::NumberList CommandLineParser::numberEntries(const QString& lineValue)
{
    NumberList list;
    for (int n = 1000; n <= 10000; n += 1000)
        list.entries << QString::number(n);
    const QString number = leadingNumber(lineValue);
    if (number.isEmpty())
        return list;
    qsizetype at = 0;
    while (at < list.entries.size() && numericallyBefore(list.entries.at(at), number))
        ++at;
    if (at == list.entries.size() || list.entries.at(at) != number)
        list.entries.insert(at, number);
    list.selected = static_cast<int>(at);
    return list;
}
