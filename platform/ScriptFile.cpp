#include "platform/ScriptFile.h"

#include "platform/ErrorNumbers.h"
#include "platform/ScriptCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

namespace {
IoResult fileFailure(const QFileDevice& file)
{
    const int number = file.error() == QFileDevice::NoError ? int(QFileDevice::UnspecifiedError) : int(file.error());
    return IoResult::failure(number, file.errorString());
}
}

ScriptFile::ReadResult ScriptFile::read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {fileFailure(file), {}};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {fileFailure(file), {}};
    if (!ScriptCodec::isScript(bytes))
        return {IoResult::failure(ErrorNumbers::NotAScript,
                                  QCoreApplication::translate("ScriptFile",
                                                              "The file holds a NUL byte: it is not a chat script.")),
                {}};
    return {IoResult::success(), ScriptCodec::decode(bytes)};
}

IoResult ScriptFile::write(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fileFailure(file);
    const QByteArray bytes = ScriptCodec::encode(text);
    if (file.write(bytes) != bytes.size()) {
        IoResult failure = fileFailure(file);
        file.cancelWriting();
        return failure;
    }
    if (!file.commit())
        return fileFailure(file);
    return IoResult::success();
}
