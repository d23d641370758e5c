// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/OutputPaths.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <random>

#include "platform/FileChecks.h"

namespace tessera {

namespace {

constexpr std::size_t kNameMax = 255;  // what Linux file systems take for one name
constexpr std::size_t kSuffixSize = 6;
constexpr const char* kTag = ".tessera-";
constexpr const char* kStreamRefusal =
    "it stands for a stream of the program (its standard input, output or error), whose file "
    "would be replaced: give - to write to the standard output, or name another file";

// Paths that stand for a descriptor of this very process: what they lead to is whatever the
// shell redirected there (a build log), which must not be replaced by our output. However the
// path is spelt (/dev/./fd/1, a link to /proc/self/fd), its folder is then a descriptor folder.
bool isDescriptorPath(const std::string& p) {
    if (p == "/dev/stdin" || p == "/dev/stdout" || p == "/dev/stderr")
        return true;
    char* real = ::realpath(directoryOf(p).c_str(), nullptr);
    if (real == nullptr)
        return false;
    const std::string folder = real;
    ::free(real);
    return folder == "/dev/fd" || (folder.starts_with("/proc/") && folder.ends_with("/fd"));
}

// ".NAME.tessera-" with NAME cut so that the whole name fits the folder's limit.
std::string temporaryPrefix(const std::string& target) {
    const std::string base = baseOf(target);
    const std::size_t room = kNameMax - 1 - std::strlen(kTag) - kSuffixSize;
    std::string prefix(1, '.');
    prefix.append(base, 0, room);
    prefix.append(kTag);
    return prefix;
}

// From the kernel's pool: std::random_device asks the processor what it offers first, which
// costs a trip to the hypervisor on a virtual machine.
std::uint_fast32_t randomSeed() {
    std::uint32_t seed = 0;
    if (::getrandom(&seed, sizeof seed, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof seed))
        seed = static_cast<std::uint32_t>(::getpid()) ^ static_cast<std::uint32_t>(::time(nullptr));
    return seed;
}

std::string temporaryName(const std::string& target) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::minstd_rand next(randomSeed());
    std::string suffix(kSuffixSize, 'x');
    for (char& c : suffix)
        c = kLetters[next() % (sizeof kLetters - 1)];
    return directoryOf(target) + "/" + temporaryPrefix(target) + suffix;
}

bool sameInode(int fd, const std::string& path) {
    struct stat open {
    }, named{};
    return ::fstat(fd, &open) == 0 && ::lstat(path.c_str(), &named) == 0 && S_ISREG(open.st_mode) &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

}  // namespace

std::string resolveTarget(const std::string& path, std::string& refusal) {
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {  // the kernel's own limit: a loop fails later
        if (isDescriptorPath(p)) {
            refusal = kStreamRefusal;
            return path;
        }
        struct stat st {};
        std::array<char, PATH_MAX + 1> link{};
        const ssize_t n = ::lstat(p.c_str(), &st) == 0 && S_ISLNK(st.st_mode)
                              ? ::readlink(p.c_str(), link.data(), PATH_MAX)
                              : -1;
        if (n <= 0)
            return p;
        const std::string to(link.data(), static_cast<std::size_t>(n));
        p = to.starts_with('/') ? to : directoryOf(p) + "/" + to;
    }
    // Links leading round in a loop: the name stands for no file, and making one would turn a
    // link into a file.
    refusal = std::strerror(ELOOP);
    return path;
}

std::string standardStreamRefusal(const struct stat& st) {
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        struct stat stream {};
        if (::fstat(fd, &stream) == 0 && stream.st_dev == st.st_dev && stream.st_ino == st.st_ino)
            return kStreamRefusal;
    }
    return {};
}

bool sameTarget(const std::string& a, const std::string& b) {
    std::string refusal;
    const std::string targetA = resolveTarget(a, refusal), targetB = resolveTarget(b, refusal);
    struct stat stA {
    }, stB{};
    if (::stat(targetA.c_str(), &stA) == 0 && ::stat(targetB.c_str(), &stB) == 0)
        return stA.st_dev == stB.st_dev && stA.st_ino == stB.st_ino;
    // Not made yet: the same name in the same folder, however each is spelt.
    if (baseOf(targetA) != baseOf(targetB))
        return false;
    return ::stat(directoryOf(targetA).c_str(), &stA) == 0 &&
           ::stat(directoryOf(targetB).c_str(), &stB) == 0 && stA.st_dev == stB.st_dev &&
           stA.st_ino == stB.st_ino;
}

std::string replacementRefusal(const std::string& target, const struct stat& st) {
    struct statfs fs {};
    constexpr long kProc = 0x9fa0, kSys = 0x62656572;
    if (::statfs(target.c_str(), &fs) == 0 && (fs.f_type == kProc || fs.f_type == kSys))
        return "it is a file of the running system (/proc, /sys), not one to write";
    // Replacing the file would part its names, and writing into it in place could leave it
    // half-written if the conversion were stopped.
    if (st.st_nlink > 1) {
        return "it has " + std::to_string(st.st_nlink) +
               " names (hard links), which replacing it would part: make it a file of its own "
               "first (cp FILE FILE.new && mv FILE.new FILE)";
    }
    return {};
}

std::string creationFailure(const std::string& target, int err) {
    const std::string folder = directoryOf(target);
    if ((err == EACCES || err == EPERM) && ::access(folder.c_str(), W_OK | X_OK) != 0) {
        return std::string(std::strerror(err)) + " in the folder " + folder +
               " (the new file is made there, then renamed over the old one)";
    }
    return std::strerror(err);
}

int createTemporary(const std::string& target, mode_t perms, std::string& name, int& err) {
    name.clear();
    int fd = ::open(directoryOf(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, perms);
    if (fd >= 0) {
        ::flock(fd, LOCK_EX);
        return fd;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target);
        fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, perms);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            err = errno;
            return -1;
        }
        // Locked, and still ours: a cleaner that came between the two took it for stale.
        if (::flock(fd, LOCK_EX) == 0 && sameInode(fd, name))
            return fd;
        ::close(fd);
    }
    err = EEXIST;
    return -1;
}

bool linkUnnamed(int fd, const std::string& name) {
    // The descriptor itself: no walk through /proc, which makes a new entry there for every
    // process. Kernels before 6.10 allow it to root only and answer ENOENT to anyone else.
    if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0)
        return true;
    if (errno != ENOENT)
        return false;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool linkTemporary(int fd, const std::string& target, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target);
        if (linkUnnamed(fd, name))
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

std::string pairNoteName(const std::string& target) {
    // Shorter than a temporary file's suffix: never taken for one.
    return directoryOf(target) + "/" + temporaryPrefix(target) + "pair";
}

void removeStaleTemporaries(const std::string& target) {
    const std::string folder = directoryOf(target), prefix = temporaryPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix) || name.size() != prefix.size() + kSuffixSize)
            continue;
        const std::string path = folder + "/" + std::string(name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        // Its writer holds the lock for as long as it lives.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameInode(fd, path))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace tessera
