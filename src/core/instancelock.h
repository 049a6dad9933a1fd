#pragma once

#include <QLockFile>
#include <QString>

// One copy of the program per statistics file, since two would overwrite each
// other's counters. The lock is a file beside conf.ini (conf.ini.lock); the
// lock of a copy that crashed is taken over.
class InstanceLock {
  public:
    explicit InstanceLock(QString statisticsPath);

    // False only when another copy holds the file. A folder where no lock can
    // be made does not keep the learner from studying (its saves will tell).
    // Once the lock is held, the leftovers of interrupted saves are removed.
    bool acquire();
    const QString& statisticsPath() const { return path_; }

  private:
    QString path_;
    QLockFile lock_;
};
