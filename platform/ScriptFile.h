#pragma once

#include "platform/IoResult.h"

#include <QString>

#include <functional>
#include <memory>

class QIODevice;
class QFile;

// Reading and writing whole script files through ScriptCodec.
class ScriptFile {
public:
    // The largest file Open takes. Scripts are a few kilobytes; a file this size is
    // something else, and reading it would only fill the memory.
    static constexpr qint64 kMaxBytes = qint64(64) * 1024 * 1024;
    // Far longer than any chat line; a longer line makes the file something else.
    static constexpr int kLongestLine = 65536;

    struct ReadResult {
        IoResult result;
        QString text;  // "\n" between lines; empty on failure
        QByteArray lineBreak = QByteArrayLiteral("\r\n");  // as the file spells it
    };

    // Fails for a file that cannot be opened or read (QFileDevice::FileError), for a
    // folder, pipe or device (ErrorNumbers::NotARegularFile), for one larger than
    // kMaxBytes (ErrorNumbers::ScriptTooLarge) and for one holding a NUL byte
    // or a line longer than kLongestLine characters (ErrorNumbers::NotAScript).
    static ReadResult read(const QString& path);
    // Reads in bounded pieces, so a NUL byte or too many bytes end the read at once.
    static ReadResult read(QIODevice& device);

    // Through CarefulSave: replaced through a synced temporary file, or written in
    // place where replacing would change the file's owner, attributes or links. Any
    // failure leaves the old file as it was and no new file behind. The description
    // is the system's own ("No space left on device").
    IoResult save(const QString& path, const QString& text,
                  const QByteArray& lineBreak = QByteArrayLiteral("\r\n")) const;
    static IoResult write(const QString& path, const QString& text) { return ScriptFile().save(path, text); }

    // The temporary file a save writes through: a QFile on its path unless replaced
    // (tests hand in one that fails).
    using SaveTarget = std::function<std::unique_ptr<QFile>(const QString& path)>;
    void setSaveTarget(SaveTarget target) { m_saveTarget = std::move(target); }

private:
    SaveTarget m_saveTarget;
};
