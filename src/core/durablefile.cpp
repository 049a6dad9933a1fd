#include "core/durablefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace DurableFile {
namespace {

constexpr int suffixLength = 6;

SystemCalls realCalls()
{
    return SystemCalls{
        [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
        [](int fd, void* buffer, size_t size) { return ::read(fd, buffer, size); },
        [](int fd, const void* data, size_t size) { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); },
        [](int fd, const void* data, size_t size, off_t offset) { return ::pwrite(fd, data, size, offset); },
    };
}

SystemCalls calls = realCalls();

bool isSuffixChar(QChar c)
{
    return c.unicode() < 0x80 && c.isLetterOrNumber();
}

// A name of all small letters may well be one the learner gave ("backup"), so
// such names are neither made nor cleaned up.
bool isSuffix(QStringView s)
{
    return s.size() == suffixLength && std::all_of(s.begin(), s.end(), isSuffixChar) &&
           !std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

QByteArray randomSuffix()
{
    static const char chars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString s;
    do {
        s.clear();
        for (int i = 0; i < suffixLength; ++i)
            s += QChar::fromLatin1(chars[QRandomGenerator::global()->bounded(int(sizeof chars) - 1)]);
    } while (!isSuffix(s));
    return s.toLatin1();
}

// Whether a name is in use; nothing when that cannot be told.
std::optional<bool> isTaken(const QString& name)
{
    struct stat st {};
    if (::lstat(QFile::encodeName(name).constData(), &st) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    return std::nullopt;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = calls.write(fd, data, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        left -= n;
    }
    return true;
}

bool synced(int fd)
{
    while (calls.fsync(fd) != 0) {
        if (errno != EINTR)
            return errno == EINVAL; // a file system that cannot sync has nothing to lose by it
    }
    return true;
}

bool syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true; // a folder we may not open we cannot sync either
    const bool ok = synced(fd);
    ::close(fd);
    return ok;
}

// A new file beside target with a name of the temporary pattern.
int openTemporary(const QByteArray& target, QByteArray& temp)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target + '.' + randomSuffix();
        const int fd = calls.open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool renameToFree(const QString& from, const QString& to)
{
    return isTaken(to) == false &&
           calls.rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace

SystemCalls& systemCalls()
{
    return calls;
}

void restoreSystemCalls()
{
    calls = realCalls();
}

ReadResult readAll(const QString& path, QByteArray& bytes)
{
    bytes.clear();
    const int fd = calls.open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    char buffer[65536];
    for (;;) {
        const ssize_t n = calls.read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            bytes.clear();
            return ReadResult::Failed;
        }
        if (n == 0)
            break;
        bytes.append(buffer, n);
    }
    ::close(fd);
    return ReadResult::Read;
}

bool replace(const QString& path, const QByteArray& bytes, const std::function<bool()>& beforeRename)
{
    // Through a symbolic link the file it points to is replaced, not the link.
    const QFileInfo link(path);
    const QFileInfo info(link.isSymLink() ? link.symLinkTarget() : path);
    const QString folder = info.absolutePath();
    if (!QDir().mkpath(folder))
        return false;
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    struct stat old {};
    const bool existed = ::stat(target.constData(), &old) == 0;
    if (existed && ::access(target.constData(), W_OK) != 0)
        return false; // a file made read-only stays as it is

    QByteArray temp;
    const int fd = openTemporary(target, temp);
    if (fd < 0)
        return false;
    if (existed)
        (void)::fchmod(fd, old.st_mode & 07777); // the permissions the learner gave the file stay
    bool ok = writeAll(fd, bytes) && synced(fd);
    ok = ::close(fd) == 0 && ok;
    ok = ok && (!beforeRename || beforeRename());
    ok = ok && calls.rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    return syncFolder(folder);
}

bool isReplaceable(const QString& path)
{
    const QByteArray target = QFile::encodeName(path);
    int fd = calls.open(target.constData(), O_WRONLY | O_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ::close(fd);
    QByteArray probe;
    fd = openTemporary(target, probe);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

bool keepAsBackup(const QString& path)
{
    const QString newest = path + QStringLiteral(".bak");
    const auto backup = [&](int n) { return n == 0 ? newest : newest + u'.' + QString::number(n); };
    int free = 0;
    for (;; ++free) {
        const auto taken = isTaken(backup(free));
        if (!taken)
            return false;
        if (!*taken)
            break;
    }
    for (int n = free; n > 0; --n) {
        if (!renameToFree(backup(n - 1), backup(n)))
            return false;
    }
    return renameToFree(path, newest);
}

bool isTemporaryName(const QString& fileName, const QString& targetName)
{
    return fileName.size() == targetName.size() + 1 + suffixLength && fileName.startsWith(targetName + u'.') &&
           isSuffix(QStringView(fileName).last(suffixLength));
}

int removeLeftovers(const QString& path)
{
    const QFileInfo info(path);
    const QDir folder = info.absoluteDir();
    int removed = 0;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        if (isTemporaryName(name, info.fileName()) && QFile::remove(folder.filePath(name)))
            ++removed;
    }
    return removed;
}

} // namespace DurableFile
