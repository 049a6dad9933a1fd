#include "core/instancelock.h"

#include "core/durablefile.h"

#include <QDir>
#include <QFileInfo>

InstanceLock::InstanceLock(QString statisticsPath)
    : path_(std::move(statisticsPath)), lock_(path_ + QStringLiteral(".lock"))
{
    // A copy may run for hours: only a lock whose process is gone is stale.
    lock_.setStaleLockTime(0);
}

bool InstanceLock::acquire()
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    if (lock_.tryLock(0)) {
        DurableFile::removeLeftovers(path_);
        return true;
    }
    return lock_.error() != QLockFile::LockFailedError;
}
