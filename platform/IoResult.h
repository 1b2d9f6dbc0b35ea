#pragma once

#include <QString>

// The outcome of reading, writing or printing a script: error number 0 is success;
// otherwise the number and description go into the "Err - " box as they are.
// File failures carry QFileDevice::FileError values, the rest ErrorNumbers.h.
struct IoResult {
    int number = 0;
    QString description;

    bool ok() const { return number == 0; }
    static IoResult success() { return {}; }
    static IoResult failure(int number, const QString& description) { return {number, description}; }
};
