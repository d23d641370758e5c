// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tessera {

// Serialises the Tessera processes that change one file in place (parallel build rules adding
// to one header): an exclusive flock() on the file's inode, held until release(). A file renamed
// over the path while we waited is not the file any more, so the lock is taken again on the new
// one. A file that does not exist yet is stood for by its folder, so no lock file is ever left
// behind.
class TargetLock {
  public:
    explicit TargetLock(const std::string& target);  // throws TesseraError (the errno text)
    ~TargetLock() { release(); }
    TargetLock(const TargetLock&) = delete;
    TargetLock& operator=(const TargetLock&) = delete;

    // The locked file, open for reading; -1 when the target does not exist.
    int fileFd() const { return fileFd_; }
    void release() noexcept;

  private:
    int fileFd_ = -1;
    int folderFd_ = -1;
};

}  // namespace tessera
