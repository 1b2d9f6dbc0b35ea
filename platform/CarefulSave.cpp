#include "platform/CarefulSave.h"

#include "platform/ErrorNumbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {
IoResult systemFailure(int number, int error)
{
    return IoResult::failure(number, qt_error_string(error));
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

// Every byte, or the reason; a write the file system takes only in part is
// followed by another, which is what makes the system name the reason.
IoResult writeAll(int fd, const QByteArray& bytes, off_t at)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + done, size_t(bytes.size() - done), at + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return systemFailure(QFileDevice::WriteError, n < 0 ? errno : ENOSPC);
        done += n;
    }
    // EINVAL: a file system that has nothing to sync.
    if (::ftruncate(fd, off_t(bytes.size())) != 0 || (::fsync(fd) != 0 && errno != EINVAL))
        return systemFailure(QFileDevice::WriteError, errno);
    return IoResult::success();
}

// A fresh hidden file beside `target`, or the folder's refusal.
QString makeTemp(const QString& target, int& error)
{
    const QFileInfo info(target);
    QByteArray name = native(info.path() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".zandrel-XXXXXX"));
    const int fd = ::mkstemp(name.data());
    error = fd < 0 ? errno : 0;
    if (fd < 0)
        return {};
    ::close(fd);
    return QFile::decodeName(name);
}

IoResult folderRefuses(const QString& target, int error)
{
    if (error != EACCES && error != EPERM && error != EROFS)
        return systemFailure(QFileDevice::OpenError, error);
    return IoResult::failure(ErrorNumbers::FolderNotWritable,
                             QStringLiteral("The folder '%1' does not let Zandrel create files (%2). Saving safely "
                                            "needs a temporary file beside the script.")
                                 .arg(QFileInfo(target).path(), qt_error_string(error)));
}

void syncFolder(const QString& target)
{
    const int dir = ::open(native(QFileInfo(target).path()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

IoResult writeInPlace(const QString& target, const QByteArray& bytes)
{
    QFile old(target);
    if (!old.open(QIODevice::ReadOnly))
        return IoResult::failure(old.error(), old.errorString());
    const QByteArray before = old.readAll();
    old.close();
    int error = 0;
    const QString copy = makeTemp(target, error);
    if (copy.isEmpty())
        return folderRefuses(target, error);
    const int copyFd = ::open(native(copy).constData(), O_WRONLY | O_CLOEXEC);
    IoResult kept = copyFd < 0 ? systemFailure(QFileDevice::OpenError, errno) : writeAll(copyFd, before, 0);
    if (copyFd >= 0)
        ::close(copyFd);
    if (!kept.ok()) {
        QFile::remove(copy);
        return kept;
    }
    // The copy must be findable after a power cut in the middle of the overwrite.
    syncFolder(target);
    const int fd = ::open(native(target).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        QFile::remove(copy);
        return systemFailure(QFileDevice::OpenError, errno);
    }
    const IoResult written = writeAll(fd, bytes, 0);
    // Put the old text back; the copy stays only when even that fails.
    const bool restored = written.ok() || writeAll(fd, before, 0).ok();
    ::close(fd);
    if (restored)
        QFile::remove(copy);
    return written;
}

IoResult replace(const QString& target, const QByteArray& bytes, const CarefulSave::TempOpener& openTemp)
{
    int error = 0;
    const QString temp = makeTemp(target, error);
    if (temp.isEmpty())
        return folderRefuses(target, error);
    struct stat st {};
    const bool existed = ::stat(native(target).constData(), &st) == 0;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const std::unique_ptr<QFile> file = openTemp ? openTemp(temp) : std::make_unique<QFile>(temp);
    IoResult result;
    if (!file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result = IoResult::failure(file->error(), file->errorString());
    } else {
        for (qsizetype done = 0; done < bytes.size() && result.ok();) {
            const qint64 n = file->write(bytes.constData() + done, bytes.size() - done);
            if (n <= 0)
                result = IoResult::failure(QFileDevice::WriteError, file->errorString());
            done += std::max<qint64>(n, 0);
        }
        if (result.ok() && ::fsync(file->handle()) != 0 && errno != EINVAL)
            result = systemFailure(QFileDevice::WriteError, errno);
        // The script keeps its permissions; a new one gets the usual ones.
        if (result.ok() && ::fchmod(file->handle(), existed ? (st.st_mode & 07777) : (0666 & ~mask)) != 0)
            result = systemFailure(QFileDevice::PermissionsError, errno);
        file->close();
    }
    if (result.ok() && ::rename(native(temp).constData(), native(target).constData()) != 0)
        result = systemFailure(QFileDevice::RenameError, errno);
    if (!result.ok()) {
        QFile::remove(temp);
        return result;
    }
    syncFolder(target);
    return result;
}
}

QString CarefulSave::leftoverPattern(const QString& path)
{
    return QStringLiteral(".") + QFileInfo(path).fileName() + QStringLiteral(".zandrel-??????");
}

bool CarefulSave::needsInPlace(const QString& path)
{
    struct stat st {};
    if (::stat(native(path).constData(), &st) != 0)
        return false;
    return st.st_nlink > 1 || st.st_uid != ::geteuid() || st.st_gid != ::getegid() ||
           ::listxattr(native(path).constData(), nullptr, 0) > 0;
}

IoResult CarefulSave::write(const QString& path, const QByteArray& bytes, const TempOpener& openTemp)
{
    // A link is followed: the file it names is saved, and the link stays a link.
    const QFileInfo info(path);
    const QString target = info.exists() ? info.canonicalFilePath() : path;
    const QDir folder = QFileInfo(target).dir();
    for (const QString& leftover : folder.entryList({leftoverPattern(target)}, QDir::Files | QDir::Hidden))
        QFile::remove(folder.filePath(leftover));
    return needsInPlace(target) ? writeInPlace(target, bytes) : replace(target, bytes, openTemp);
}
