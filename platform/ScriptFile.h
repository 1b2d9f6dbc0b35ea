#pragma once

#include "platform/IoResult.h"

#include <QString>

// Reading and writing whole script files through ScriptCodec.
class ScriptFile {
public:
    struct ReadResult {
        IoResult result;
        QString text;  // "\n" between lines; empty on failure
    };

    // Fails for a file that cannot be opened or read (QFileDevice::FileError) and for
    // one holding a NUL byte (ErrorNumbers::NotAScript).
    static ReadResult read(const QString& path);
    // Through QSaveFile: the text goes to a temporary file that replaces the target
    // only once it is complete, so a failed write leaves the old file whole.
    static IoResult write(const QString& path, const QString& text);
};
