#pragma once

#include <QString>
#include <QTemporaryDir>

#include <functional>

namespace natalory::test {

// A folder on a disk that runs out of room. Where the tests may mount file systems
// (as root in CI) it is a 64 KiB tmpfs, filled up as a test asks, and writes fail with
// the system's "no space left"; elsewhere writes are cut short by a file size limit,
// which gives the same short writes with another reason.
class FullDisk {
  public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool real() const { return mounted_; }
    QString file(const QString& name) const;
    // Runs `write` with room for only `room` more bytes (a multiple of 4096) on the
    // disk, or in any one file where the disk is simulated.
    void run(qint64 room, const std::function<void()>& write);

  private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

}  // namespace natalory::test
