#include "platform/ScriptFile.h"

#include "platform/CarefulSave.h"
#include "platform/ErrorNumbers.h"
#include "platform/ScriptCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>


namespace {
// Small enough that a NUL byte near the start of a huge binary ends the read at once.
constexpr qint64 kPieceBytes = 64 * 1024;

QString message(const char* source)
{
    return QCoreApplication::translate("ScriptFile", source);
}

IoResult deviceFailure(const QIODevice& device)
{
    const auto* file = qobject_cast<const QFileDevice*>(&device);
    const int number = file && file->error() != QFileDevice::NoError ? int(file->error())
                                                                     : int(QFileDevice::UnspecifiedError);
    return IoResult::failure(number, device.errorString());
}

struct LongestLine {
    int line = 0;  // 1-based
    qsizetype length = 0;
};

// Lines of a decoded script file, which breaks them with "\n" alone.
LongestLine longestLine(const QString& text)
{
    LongestLine longest;
    int line = 1;
    for (qsizetype start = 0; start <= text.size(); ++line) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        if (end - start > longest.length)
            longest = {line, end - start};
        start = end + 1;
    }
    return longest;
}

IoResult tooLarge()
{
    return IoResult::failure(ErrorNumbers::ScriptTooLarge,
                             message("The file is larger than %1 MB. Chat scripts are a few kilobytes, so this is not one.")
                                 .arg(ScriptFile::kMaxBytes / (1024 * 1024)));
}

}

ScriptFile::ReadResult ScriptFile::read(const QString& path)
{
    // Decided before opening: opening a named pipe would wait for a writer forever.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return {IoResult::failure(ErrorNumbers::NotARegularFile,
                                  message("This is a folder, a pipe or a device, not a file: only ordinary files can be "
                                       "opened as scripts.")),
                {}};
    if (info.size() > kMaxBytes)
        return {tooLarge(), {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {deviceFailure(file), {}};
    return read(file);
}

ScriptFile::ReadResult ScriptFile::read(QIODevice& device)
{
    QByteArray bytes;
    QByteArray piece(kPieceBytes, Qt::Uninitialized);
    for (;;) {
        const qint64 n = device.read(piece.data(), piece.size());
        if (n < 0)
            return {deviceFailure(device), {}};
        if (n == 0)
            break;
        if (!ScriptCodec::isScript(QByteArray::fromRawData(piece.constData(), n)))
            return {IoResult::failure(ErrorNumbers::NotAScript,
                                      message("The file holds a NUL byte: it is not a chat script.")),
                    {}};
        if (bytes.size() + n > kMaxBytes)
            return {tooLarge(), {}};
        bytes.append(piece.constData(), n);
    }
    QString text = ScriptCodec::decode(bytes);
    // A line of megabytes is no chat line, and no editor lays it out in good time.
    if (const LongestLine longest = longestLine(text); longest.length > kLongestLine)
        return {IoResult::failure(ErrorNumbers::NotAScript,
                                  message("Line %1 is %2 characters long; a script line holds at most %3: this is not "
                                          "a chat script.")
                                      .arg(longest.line)
                                      .arg(longest.length)
                                      .arg(kLongestLine)),
                {}};
    return {IoResult::success(), std::move(text), ScriptCodec::lineBreakOf(bytes)};
}

IoResult ScriptFile::save(const QString& path, const QString& text, const QByteArray& lineBreak) const
{
    return CarefulSave::write(path, ScriptCodec::encode(text, lineBreak), m_saveTarget);
}
