#include "editor/ScriptLimits.h"

#include "platform/ScriptFile.h"

#include <QLocale>

namespace {
struct LongLine {
    qsizetype line = 0;  // 1-based; 0 when none is too long
    qsizetype length = 0;
};

// The first line over the limit; line breaks of any spelling count.
LongLine firstLongLine(const QString& text)
{
    qsizetype line = 1, start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size() || text[i] == u'\n' || text[i] == u'\r' || text[i] == QChar::ParagraphSeparator;
        if (!end)
            continue;
        if (i - start > ScriptFile::kLongestLine)
            return {line, i - start};
        ++line;
        start = i + 1;
    }
    return {};
}

QString number(qsizetype n)
{
    return QLocale().toString(qint64(n));
}

QString lineLimit()
{
    return QStringLiteral("a script line holds at most %1 characters").arg(number(ScriptFile::kLongestLine));
}

// Each line break is two bytes in the file, every other character one.
qint64 savedBytes(const QString& text)
{
    return text.size() + text.count(u'\n');
}
}

bool ScriptLimits::unfit(QChar c)
{
    return c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
}

ScriptLimits::Paste ScriptLimits::checkPaste(const QString& pasted, qsizetype scriptLength)
{
    Paste paste;
    // Told before anything is copied or laid out: a line of megabytes would keep the
    // editor busy for seconds.
    if (const LongLine longLine = firstLongLine(pasted); longLine.line > 0) {
        paste.refusal = QStringLiteral("The text has a line of %1 characters, and %2. Nothing was pasted.")
                            .arg(number(longLine.length), lineLimit());
        return paste;
    }
    if (savedBytes(pasted) + scriptLength > ScriptFile::kMaxBytes) {
        paste.refusal = QStringLiteral("With this text the script would be larger than %1 MB, the most a script file "
                                       "holds. Nothing was pasted.")
                            .arg(ScriptFile::kMaxBytes / (1024 * 1024));
        return paste;
    }
    paste.text.reserve(pasted.size());
    for (const QChar c : pasted) {
        if (unfit(c))
            ++paste.removed;
        else
            paste.text.append(c);
    }
    return paste;
}

QString ScriptLimits::saveProblem(const QString& text)
{
    // Open refuses a NUL byte only; other control characters read back as they were.
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        return QStringLiteral("Line %1 holds a NUL character: Zandrel would refuse to open the saved file, as it "
                              "refuses any file with a NUL byte.")
            .arg(number(text.left(nul).count(u'\n') + 1));
    if (const LongLine longLine = firstLongLine(text); longLine.line > 0)
        return QStringLiteral("Line %1 is %2 characters long, and %3: Zandrel would refuse to open the saved file.")
            .arg(number(longLine.line), number(longLine.length), lineLimit());
    if (savedBytes(text) > ScriptFile::kMaxBytes)
        return QStringLiteral("The script is larger than %1 MB, the most a script file holds: Zandrel would refuse to "
                              "open the saved file.")
            .arg(ScriptFile::kMaxBytes / (1024 * 1024));
    return {};
}
