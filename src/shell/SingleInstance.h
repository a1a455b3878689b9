#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace natalory {

// Holds the lock that lets only one copy of the program run per user. A lock
// left behind by a copy that crashed is taken over.
class SingleInstance {
  public:
    // `lockPath` defaults to a file in the user's runtime folder.
    explicit SingleInstance(const QString& lockPath = {});
    // False when another running copy holds the lock.
    bool acquire();

    static QString defaultLockPath();

  private:
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace natalory
