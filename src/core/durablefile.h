#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

#include <sys/types.h>

// Whole-file reads and replacements that report every error and never leave a
// file half written: a replacement is written to a temporary file beside its
// target ("conf.ini.Ab3xYz"), synced, renamed over the target, and then the
// folder is synced so that the rename itself survives a power cut.
namespace DurableFile {

enum class ReadResult { Read, Missing, Failed };
// The whole file; Failed when it exists but cannot be opened or read to its end.
ReadResult readAll(const QString& path, QByteArray& bytes);

// Gives path the content bytes. False on any error; unless the error came
// after the rename (syncing the folder), path is then as it was, and no
// temporary file is left. beforeRename may abandon the replacement.
bool replace(const QString& path, const QByteArray& bytes, const std::function<bool()>& beforeRename = {});

// Whether replace() could work on path: it exists, opens for writing, and its
// folder takes a new file. Tried, not guessed from permission bits.
bool isReplaceable(const QString& path);

// Moves path aside as path.bak. Older backups are renamed path.bak.1, path.bak.2
// and so on (the higher, the older); none is ever replaced or removed.
bool keepAsBackup(const QString& path);

// Whether fileName is one that replace() gives its temporary files for
// targetName ("conf.ini.Ab3xYz" for "conf.ini").
bool isTemporaryName(const QString& fileName, const QString& targetName);
// Removes the temporary files of replacements of path that never finished
// (the program was killed before the rename). Only while no other copy of the
// program can be writing. Returns how many were removed.
int removeLeftovers(const QString& path);

// The system calls behind the functions above, and behind the review log's
// database (open, write, pwrite). Tests replace them to make one fail the way
// a full disk or a failing drive would.
struct SystemCalls {
    std::function<int(const char* path, int flags, mode_t mode)> open;
    std::function<ssize_t(int fd, void* buffer, size_t size)> read;
    std::function<ssize_t(int fd, const void* data, size_t size)> write;
    std::function<int(int fd)> fsync;
    std::function<int(const char* from, const char* to)> rename;
    std::function<ssize_t(int fd, const void* data, size_t size, off_t offset)> pwrite;
};
SystemCalls& systemCalls();
void restoreSystemCalls();

} // namespace DurableFile
