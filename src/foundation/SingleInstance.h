#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace natalory {

// Holds the lock that lets only one copy of the program run per user. A lock
// left behind by a copy that crashed is taken over.
class SingleInstance {
  public:
    // `lockPath` defaults to defaultLockPath().
    explicit SingleInstance(const QString& lockPath = {});
    // False when another running copy holds the lock.
    bool acquire();

    // A file in a folder only the user can enter: the runtime folder when it is the user's
    // alone (0700), else "natalory" in the user's cache folder, made 0700. Empty when neither is.
    static QString defaultLockPath();

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace natalory
